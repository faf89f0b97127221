// The wall lengths and the insertion warning over the document view.
#include "architecture/ArchitectureAnnotator.h"

#include <cmath>

#include "architecture/ArchitectureGlobals.h"
#include "core/PlotwiseSuites.h"
#include "geometry/PointMath.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<ArchitectureGlobals> g;

constexpr AIRGBColor kInkColor{0, 0, 0};
constexpr AIRGBColor kWarningColor{0xD000, 0, 0};
constexpr double kLabelGap = 12;  // pixels from the wall or the cursor

bool ToView(AIDocumentViewHandle view, AIRealPoint p, AIPoint* out) {
    return sAIDocumentView->ArtworkPointToViewPoint(view, &p, out) == kNoErr;
}

// A text in the colour on a cleared background, its baseline's left end at origin.
AIErr Label(AIAnnotatorDrawer* drawer, const char* text, AIPoint origin, const AIRGBColor& color) {
    AIRect bounds{};
    if (AIErr err = sAIAnnotatorDrawer->GetTextBounds(drawer, text, &origin, &bounds)) return err;
    const AIRect clearing{bounds.left - 2, bounds.top - 2, bounds.right + 2, bounds.bottom + 2};
    if (AIErr err = sAIAnnotatorDrawer->ClearRect(drawer, &clearing)) return err;
    if (AIErr err = sAIAnnotatorDrawer->SetColor(drawer, &color)) return err;
    return sAIAnnotatorDrawer->DrawText(drawer, text, &origin);
}

}  // namespace

AIErr DrawWallLengths(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer) {
    if (!g || !g->wallInfoShown) return kNoErr;
    const AIRealPoint a = g->wallInfoFrom, b = g->wallInfoTo;
    const double dh = double(b.h) - a.h, dv = double(b.v) - a.v, length = std::hypot(dh, dv);
    if (!(length > 0)) return kNoErr;
    // The wall lies right of its line (or about it): the length goes on its left.
    const AIRealPoint middle{static_cast<AIReal>((a.h + b.h) / 2.0), static_cast<AIReal>((a.v + b.v) / 2.0)};
    const AIRealPoint leftward{static_cast<AIReal>(middle.h - dv / length),
                               static_cast<AIReal>(middle.v + dh / length)};
    AIPoint m{}, l{};
    if (!ToView(view, middle, &m) || !ToView(view, leftward, &l)) return kNoErr;
    const double sh = l.h - m.h, sv = l.v - m.v, s = std::hypot(sh, sv);
    const AIPoint at{m.h + static_cast<int32_t>(s > 0 ? kLabelGap * sh / s : 0),
                     m.v + static_cast<int32_t>(s > 0 ? kLabelGap * sv / s : -kLabelGap)};
    char text[256] = {};
    doScaleAndUnits(0, length, text, 1, static_cast<int16_t>(g->prefs.CADtrackerUnits),
                    static_cast<int16_t>(g->prefs.CADtrackerPrecision), DistanceError(a, b));
    return Label(drawer, text, at, kInkColor);
}

AIErr DrawInsertionWarning(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer) {
    if (!g || !g->insertionWarning[0]) return kNoErr;
    AIPoint p{};
    if (!ToView(view, g->insertionWarningAt, &p)) return kNoErr;
    const auto gap = static_cast<int32_t>(kLabelGap);
    return Label(drawer, g->insertionWarning, {p.h + gap, p.v - gap}, kWarningColor);
}
