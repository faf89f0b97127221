// Paths and texts of the architectural and object tools.
#include "architecture/ArtMaking.h"

#include "IText.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"

AIPathSegment CornerAnchor(AIRealPoint p) { return AIPathSegment{p, p, p, true}; }

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

namespace {

AIErr SetSize(ATE::ITextRange& range, ATE::FontRef font, AIReal size) {
    ATE::ICharFeatures features;
    if (font) features.SetFont(ATE::IFont(font));
    features.SetFontSize(size);
    range.SetLocalCharFeatures(features);
    return kNoErr;
}

}  // namespace

AIErr PlaceText(AIArtHandle group, const std::string& text, AIRealPoint at, AIReal size, bool centred,
                AIReal fitWidth) {
    if (text.empty() || !(size > 0)) return kNoErr;
    AIFontKey key = nullptr;
    ATE::FontRef font = nullptr;
    if (GetFontKeyFromDimensionTextFaceStr("", &key) == kNoErr && key) (void)sAIFont->FontFromFontKey(key, &font);
    AIArtHandle frame = nullptr;
    if (AIErr err = sAITextFrame->NewPointText(kPlaceInsideOnTop, group, kHorizontalTextOrientation, at, &frame))
        return err;
    ATE::TextRangeRef ref = nullptr;
    if (AIErr err = sAITextFrame->GetATETextRange(frame, &ref)) return err;
    ATE::ITextRange range(ref);
    SetSize(range, font, size);
    if (centred) {
        ATE::IParaFeatures paragraph;
        paragraph.SetJustification(ATE::kCenterJustify);
        range.SetLocalParaFeatures(paragraph);
    }
    range.InsertAfter(text.data(), static_cast<ai_int32>(text.size()));
    AIRealRect bounds{};
    if (AIErr err = sAIArt->GetArtBounds(frame, &bounds)) return err;
    const AIReal width = bounds.right - bounds.left;
    if (width > fitWidth && fitWidth > 0) SetSize(range, font, size * fitWidth / width);
    return kNoErr;
}
