// Paths and texts of the architectural and object tools.
#include "architecture/ArtMaking.h"

#include "artwork/PointText.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"

AIPathStyle UnfilledPaint() {
    AIPathStyle paint{};
    (void)sAIPathStyle->GetCurrentPathStyle(&paint, nullptr, nullptr);
    paint.fillPaint = false;
    paint.evenodd = false;
    return paint;
}

AIErr NewPath(AIArtHandle into, int16_t order, const std::vector<AIPathSegment>& anchors, bool closed,
              const AIPathStyle* paint, AIArtHandle* made) {
    if (anchors.size() > 32767) return kOutOfRangeErr;
    AIArtHandle path = nullptr;
    if (AIErr err = sAIArt->NewArt(kPathArt, order, into, &path)) return err;
    if (made) *made = path;
    if (AIErr err = sAIPath->SetPathSegments(path, 0, static_cast<int16_t>(anchors.size()), anchors.data())) return err;
    if (AIErr err = sAIPath->SetPathClosed(path, closed)) return err;
    return paint ? sAIPathStyle->SetPathStyle(path, paint) : kNoErr;
}

AIErr PlaceText(AIArtHandle group, const std::string& text, AIRealPoint at, AIReal size, bool centred,
                AIReal fitWidth) {
    if (text.empty() || !(size > 0)) return kNoErr;
    AIFontKey key = nullptr;
    ATE::FontRef font = nullptr;
    if (GetFontKeyFromDimensionTextFaceStr("", &key) == kNoErr && key) (void)sAIFont->FontFromFontKey(key, &font);
    PointTextLook look{font, size};
    if (centred) look.justification = ATE::kCenterJustify;
    AIArtHandle frame = nullptr;
    if (AIErr err = NewPointTextArt(group, text, at, look, &frame)) return err;
    AIRealRect bounds{};
    if (AIErr err = sAIArt->GetArtBounds(frame, &bounds)) return err;
    const AIReal width = bounds.right - bounds.left;
    if (width > fitWidth && fitWidth > 0) return SetTextFontSize(frame, font, size * fitWidth / width);
    return kNoErr;
}
