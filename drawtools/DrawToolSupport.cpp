// Snapping, the tools' new path, modifier keys and the tracker forwarding.
#include "drawtools/DrawToolSupport.h"

#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "drawtools/DrawToolGlobals.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

}  // namespace

HitRef::~HitRef() {
    if (ref_ && sAIHitTest) sAIHitTest->Release(ref_);
}

AIErr SnapToAnchorOrGrid(AIRealPoint* point, bool gridSnap, AnchorHit* hit) {
    if (!point || !sAIHitTest) return kBadParameterErr;
    if (hit) *hit = AnchorHit{};
    HitRef ref;
    if (AIErr err = sAIHitTest->HitTest(nullptr, point, kSnapHitRequest, ref.put())) return err;
    AIToolHitData data{};
    if (AIErr err = sAIHitTest->GetHitData(ref.get(), &data)) return err;
    if (data.hit) {
        if (hit) hit->any = true;
        if (data.type == kSegAnchorType) {
            *point = data.point;
            if (hit) *hit = AnchorHit{true, true, data.object, data.segment};
        }
        return kNoErr;
    }
    if (gridSnap) GridSnap(point);
    return kNoErr;
}

bool GridSnap(AIRealPoint* point) {
    AIRealPoint snapped = *point;
    auto snap = PlotwiseService().snapToGridCheckAxonometric;
    if (!snap || !snap(&snapped)) return false;
    *point = snapped;
    return true;
}

AIErr NewToolPath(AIArtHandle* path) {
    if (g->group) return sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, g->group, path);
    return sAIArt->NewArt(kPathArt, kPlaceAbove, g->firstArt, path);
}

bool ShiftInForce() { return (g->prefs.style.modifiers & kCADShiftModifier) != 0 && !g->ignoreShift; }
bool OptionHeld() { return (g->prefs.style.modifiers & kCADOptionModifier) != 0; }
bool CommandHeld() { return (g->prefs.style.modifiers & kCADCommandModifier) != 0; }

AIErr updateTrackerWindow(AIReal x, AIReal y, AIReal w, AIReal h, AIReal width, AIReal height, AIReal seventh,
                          AIReal angle, AIReal length, AIReal perimeter, AIReal area) {
    auto update = PlotwiseService().updateTrackerWindow;
    return update ? update(x, y, w, h, width, height, seventh, angle, length, perimeter, area) : kNoErr;
}

AIErr updateTrackerWindowLabels(int32_t lengthCaption, int32_t perimeterCaption) {
    auto update = PlotwiseService().updateTrackerWindowLabels;
    return update ? update(lengthCaption, perimeterCaption) : kNoErr;
}

AIReal RadiansToDegrees(AIReal radians) { return sAIRealMath->RadianToDegree(radians); }
AIReal DegreesToRadians(AIReal degrees) { return sAIRealMath->DegreeToRadian(degrees); }
