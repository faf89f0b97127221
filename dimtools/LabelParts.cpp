// Paths, snapped points and placement shared by the label and datum tools.
#include "dimtools/LabelParts.h"

#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/MeasuringHit.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelText.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

}  // namespace

AIErr NewLabelPath(AIArtHandle group, std::span<const AIPathSegment> anchors, bool closed) {
    if (!g) return kCADErr;
    AIArtHandle path = nullptr;
    if (AIErr err = sAIArt->NewArt(kPathArt, group ? kPlaceInsideOnTop : kPlaceAbove, group ? group : g->firstArt,
                                   &path))
        return err;
    if (AIErr err = sAIPathStyle->SetPathStyle(path, &g->dimensionLineStyle)) return err;
    const auto count = static_cast<int16_t>(anchors.size());
    if (AIErr err = sAIPath->SetPathSegments(path, 0, count, anchors.data())) return err;
    return sAIPath->SetPathClosed(path, closed);
}

AIErr SnapLabelPoint(AIRealPoint* p, int32_t request, AIArtHandle* art) {
    HitRef hit;
    AIToolHitData data{};
    if (AIErr err = hit.Test(nullptr, *p, &data, request)) return err;
    if (data.hit) *p = data.point;
    if (art) *art = data.hit ? data.object : nullptr;
    return kNoErr;
}

AIErr LabelPressHit(const AIRealPoint& p, int32_t request, AIToolHitData* data) {
    return HitMeasuredArt(g->updatingDimensions ? g->updateArt : nullptr, p, data, request);
}

bool SnapsLabelEnd() { return !g->updatingDimensions || !g->updateEndAsDrawn; }

AIErr SnapLabelPress(AIRealPoint* p, int32_t request, AIArtHandle* art) {
    AIToolHitData data{};
    if (AIErr err = LabelPressHit(*p, request, &data)) return err;
    if (data.hit) *p = data.point;
    if (art) *art = data.hit ? data.object : nullptr;
    return kNoErr;
}

AIErr SnapLabelEnd(AIRealPoint* p, int32_t request) { return SnapsLabelEnd() ? SnapLabelPoint(p, request) : kNoErr; }

AIRealPoint LeaderKnee(AIRealPoint press, AIRealPoint drag, AIRealPoint from, AIReal* angle) {
    AIReal theta = Angle(press, drag);
    if (angle) *angle = theta;
    if (!(g->prefs.style.modifiers & kLabelShiftKey) || g->ignoreShift) return drag;
    SetConstrainAngle(&theta);
    if (angle) *angle = theta;
    return PointAlong(press, sAIRealMath->AIRealPointLength(&from, &drag), theta);
}

int16_t LabelSide(AIRealPoint start, AIRealPoint knee, bool flip) {
    const int16_t side = knee.h > start.h ? 1 : -1;
    return flip ? static_cast<int16_t>(-side) : side;
}

AIRealPoint ShelfEnd(AIRealPoint knee, int16_t direction) {
    return {knee.h + static_cast<AIReal>(direction) * g->prefs.style.labelLeaderLength, knee.v};
}

AIErr KeepPressInBounds(cdDataStruct* node) {
    if (!node || !node->art || node->clickType == kLiveDimClickedFill) return kNoErr;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(node->art, &type)) return err;
    if (type == kPathArt) return kNoErr;
    AIRealRect r{};
    if (AIErr err = GetUnstrokedArtBounds(node->art, &r)) return err;
    const AIReal w = r.right - r.left, h = r.top - r.bottom;
    node->clickType = kLiveDimClickedFill;
    node->x = w != 0 ? (node->theLoc.h - r.left) / w : 0;
    node->y = h != 0 ? (node->theLoc.v - r.top) / h : 0;
    return kNoErr;
}

void KeepLabelText(const char* text) { CopyCString(g->theText, text && text[0] ? text : "-"); }

void TakeLabelText(char (&text)[1024], AIArtHandle targetArt) {
    GetLabelText(g->prefs.style.labelFormat, text, targetArt, sizeof text);
    KeepLabelText(text);
}
