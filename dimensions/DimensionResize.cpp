// The dimension-resize tool. The grabbed group is only hidden while its preview follows the
// cursor, and goes once a preview stands in its place at the release: a press whose
// dimension cannot be redrawn leaves it exactly as it was.
#include "dimensions/DimensionResize.h"

#include <cmath>
#include <vector>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/MeasuringHit.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;
constexpr int kDimensionSearchDepth = 8;  // parts of a dimension lie at most this deep in it

bool Hidden(AIArtHandle art) {
    uint32_t attr = 0;
    return sAIArt->GetArtUserAttr(art, kArtHidden, &attr) == kNoErr && (attr & kArtHidden) != 0;
}

// The live dimension the hit art belongs to, or null.
AIArtHandle DimensionOf(AIArtHandle art) {
    for (int depth = 0; art && depth < kDimensionSearchDepth; ++depth) {
        if (IsDimension(art)) return art;
        AIArtHandle parent = nullptr;
        if (sAIArt->GetArtParent(art, &parent)) return nullptr;
        art = parent;
    }
    return nullptr;
}

void EndResize() {
    g->resizingDimension = 0;
    g->setNewModifiers = 0;
    g->dimResizeArt = nullptr;
    g->dimResizeGroup = nullptr;
    g->dimResizePreview = nullptr;
}

// The clicks of the dimension as the click list, its base point and the click whose offset
// the drag changes; *based when its first click was found, or one that cannot be read (the
// redraw then keeps the dimension as it was and names it). A damaged record that names no
// dimension goes into the list too: a click of this one may have been in it.
AIErr LoadClicks(int32_t id, bool* based) {
    if (AIErr err = FreeDimensionedObjectDataList()) return err;
    std::vector<AIArtHandle> arts;
    if (AIErr err = MatchingArt(false, arts)) return err;
    *based = false;
    for (AIArtHandle art : arts) {
        if (Hidden(art) || !IsDimensionedObject(art)) continue;
        auto damaged = [&](int32_t owner) -> AIErr {
            if (owner != id && owner != 0) return kNoErr;
            *based = true;
            return AppendUnreadableClick(owner, art);
        };
        AIErr err = ForEachDimensionedObjectData(art, [&](const Plotwise3_dimensioned_object_data& c) -> AIErr {
            if (c.id != id) return kNoErr;
            if (AIErr e = AppendClick(c)) return e;
            if (c.clickNum == 1) {
                if (c.dimType == kRadius || c.dimType == kDiameter) {
                    AIRealRect r{};
                    if (AIErr e = GetUnstrokedArtBounds(art, &r)) return e;
                    g->dimResizeBasePt = {r.left + (r.right - r.left) / 2.0f, r.bottom + (r.top - r.bottom) / 2.0f};
                } else if (AIErr e = RelocateDimensionClick(c, &g->dimResizeBasePt)) {
                    return e;
                }
                *based = true;
                // A drag record that an earlier version stored names the point instead.
                if (c.dimType == kBezCurve && !g->dimResizeArt) {
                    g->dimResizeArt = art;
                    g->dimResizeData = c;
                }
            } else if (c.clickNum == -1) {
                g->dimResizeArt = art;
                g->dimResizeData = c;
            }
            return kNoErr;
        }, damaged);
        if (err) return err;
    }
    return kNoErr;
}

}  // namespace

AIErr PreProcessDimResizeTool() {
    if (!g) return kCADErr;
    EndResize();
    g->resizingDimension = g->setNewModifiers = 1;
    if (AIErr err = CheckDocumentZoom()) {
        EndResize();
        return err;
    }
    // The dimension pressed on a locked layer is named, as every tool names the art it is
    // pressed on there.
    if (AIErr err = RefuseLockedArtPressed(g->firstClick, /*onDimensions=*/true)) {
        EndResize();
        return err;
    }
    AIToolHitData hit{};
    HitRef ref;
    if (ref.Test(nullptr, g->firstClick, &hit) || !hit.hit) {
        EndResize();
        return doArtMustBeClickedErrorDialog();
    }
    AIArtHandle group = DimensionOf(hit.object);
    if (!group || Hidden(group)) {
        EndResize();
        return kNoErr;
    }
    g->dimResizeID = GetDimensionID(group);
    // Without its clicks (its art is gone) or its style it cannot be redrawn: it stays as it
    // was, as art that is no dimension does, and so does the selection.
    bool based = false;
    AIErr err = LoadClicks(g->dimResizeID, &based);
    if (!err && based) err = deselectAllArt();
    if (!err && based) err = sAIArt->SetArtUserAttr(group, kArtSelected, kArtSelected);
    if (!err && based) err = RunPlotwiseHooks(&PlotwiseHooks::selectionChanged);  // the panels show its style
    if (!err && based) err = CreateStyleLinkedList(kProcessSelectedArt);
    if (err || !based || !g->firstLiveDimensionGroupDataPtr) {
        FreeDimensionedObjectDataList();
        EndResize();
        return err;
    }
    g->dimResizeGroup = group;
    return sAIArt->SetArtUserAttr(group, kArtHidden | kArtSelected, kArtHidden);
}

AIErr AbandonDimResizeTool() {
    if (!g || !g->resizingDimension) return kNoErr;
    AIErr err = kNoErr;
    AIArtHandle preview = g->dimResizePreview;
    if (preview && sAIArt->ValidArt(preview, false)) err = sAIArt->DisposeArt(preview);
    AIArtHandle grabbed = g->dimResizeGroup;
    if (grabbed && sAIArt->ValidArt(grabbed, false))
        if (AIErr e = sAIArt->SetArtUserAttr(grabbed, kArtHidden, 0); e && !err) err = e;
    FreeDimensionedObjectDataList();
    EndResize();
    return err;
}

AIErr DoDimResizeTool() {
    if (!g || !g->resizingDimension) return kNoErr;
    const AIRealPoint& base = g->dimResizeBasePt;
    g->dimResizeEndPointOffsetLength = sAIRealMath->AIRealPointLength(&base, &g->endPoint);
    g->dimResizeEndPointOffsetAngle = sAIRealMath->AIRealPointAngle(&base, &g->endPoint);
    // The drawing is a live dimension whatever new dimensions are made as: it stands in for one.
    const int live = g->prefs.createLiveDimensions;
    g->prefs.createLiveDimensions = 1;
    const AIErr err = DrawAssociativeDimensions();
    g->prefs.createLiveDimensions = live;
    for (Plotwise3_dimensioned_object_data* c = g->firstDimensionedObjectDataPtr; c; c = c->next) c->used = 0;
    return err;
}

AIErr PostProcessDimResizeTool() {
    if (!g) return kCADErr;
    g->resizingDimension = 0;
    AIErr err = kNoErr;
    AIArtHandle grabbed = g->dimResizeGroup;
    const bool drawn = g->dimResizePreview && sAIArt->ValidArt(g->dimResizePreview, false);
    if (grabbed && sAIArt->ValidArt(grabbed, false)) {
        if (drawn)
            err = sAIArt->DisposeArt(grabbed);
        else
            err = sAIArt->SetArtUserAttr(grabbed, kArtHidden, 0);
    }
    if (!err && drawn && g->dimResizeArt) {
        Plotwise3_dimensioned_object_data click = g->dimResizeData;
        click.endPointOffsetLength = g->dimResizeEndPointOffsetLength;
        click.endPointOffsetAngle = g->dimResizeEndPointOffsetAngle;
        click.endAsDrawn = 0;  // it reaches the cursor, which a redraw snaps
        err = SetDimensionedObjectData(g->dimResizeArt, &click);
        if (!err) {
            (void)CleanupAssociativeDimensions();  // a link it cannot judge stays, and is harmless
            (void)UpdateAssociativeDimensions(kProcessAllArt);
            if (g->theTimer) sAITimer->SetTimerActive(g->theTimer, true);
            err = deselectAllArt();
        }
    }
    EndResize();
    return err;
}
