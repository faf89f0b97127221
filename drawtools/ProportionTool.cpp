// The proportion tool: the two measures, the "Resize" dialog and the matrix it hands to the
// tracker's transformation of the selection, layer by layer.
#include "drawtools/ProportionTool.h"

#include <cmath>
#include <cstdio>

#include "AIHitTest.h"
#include "artwork/ArtSelection.h"
#include "artwork/DrawingLayer.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseArtTree.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/PlaneGeometry.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kResizeDialogID = 16270;
enum : int16_t {
    kCopyItem = 3,
    kWidthItem = 5,
    kWidthRatioItem = 6,
    kHeightItem = 7,
    kHeightRatioItem = 8,
    kConstrainItem = 9,
};

// The object under the point: the hit's container, or the hit art itself when that is a
// layer's own group; its bounds without strokes. Null when nothing is under the point, the
// user told why: the object beneath a dimension's part is taken, never the dimension, which an
// update would redraw.
AIErr ObjectAt(const AIRealPoint& p, AIArtHandle* object, AIRealRect* bounds) {
    *object = nullptr;
    AIToolHitData hit{};
    bool onDimension = false;
    if (AIErr err = HitEditedArt(p, kAllHitRequest, &hit, &onDimension)) return err;
    if (!hit.hit || !hit.object) return RefuseClick(onDimension);
    AIArtHandle art = hit.object;
    if (hit.group) {
        ASBoolean layerGroup = false;
        if (AIErr err = sAIArt->IsArtLayerGroup(hit.group, &layerGroup)) return err;
        if (!layerGroup) art = hit.group;
    }
    AIRealMatrix identity{};
    sAIRealMath->AIRealMatrixSetIdentity(&identity);
    if (AIErr err = sAIArt->GetArtTransformBounds(art, &identity, kNoStrokeBounds, bounds)) return err;
    *object = art;
    return kNoErr;
}

AIErr MeasureAndAsk() {
    AIArtHandle first = nullptr, second = nullptr;
    AIRealRect b1{}, b2{};
    if (AIErr err = ObjectAt(g->firstClick, &first, &b1)) return err;
    if (AIErr err = ObjectAt(g->secondClick, &second, &b2)) return err;
    // The differences are never zero: a first object of no width gives a large ratio.
    g->wProportion = std::fabs(getRealDiff(b2.right, b2.left) / getRealDiff(b1.right, b1.left));
    g->hProportion = std::fabs(getRealDiff(b2.top, b2.bottom) / getRealDiff(b1.top, b1.bottom));
    // The first object alone: art selected before would be resized and moved with it.
    if (AIErr err = deselectAllArt()) return err;
    if (AIErr err = CompletelySelectGroup(first, first)) return err;
    return doProportionDialog();
}

// The scale factors the boxes ask for; false when neither box is on.
bool Scales(AIReal* sx, AIReal* sy) {
    const bool width = g->proportionWidth != 0, height = g->proportionHeight != 0;
    const bool constrain = g->constrainProportion != 0;
    if (!width && !height) return false;
    *sx = width ? g->wProportion : constrain ? g->hProportion : 1.0f;
    *sy = height ? g->hProportion : constrain ? g->wProportion : 1.0f;
    return true;
}

// The selection transformed on every layer in order; with copy, copies of it go into one
// new group on top of the drawing layer (disposed again when nothing was copied) and are
// selected once theTimer fires.
AIErr TransformSelection(AIRealMatrix* m, bool copy) {
    auto apply = PlotwiseService().applyCADtrackerTransformation;
    if (!apply) return kNoErr;
    if (copy) {
        if (AIErr err = PrepCADLayer()) return err;
        g->transformCopy = 1;
    }
    AIErr err = ForEachLayer([&](AILayerHandle layer) -> AIErr {
        AIArtHandle art = nullptr;
        if (AIErr e = sAIArt->GetFirstArtOfLayer(layer, &art)) return e;
        return apply(art, m, nullptr);
    });
    if (!copy) return err;
    g->transformCopy = 0;
    AIArtHandle first = nullptr;
    if (sAIArt->GetArtFirstChild(g->group, &first) == kNoErr && !first) (void)sAIArt->DisposeArt(g->group);
    g->selectionTagged = 1;
    if (AIErr e = sAITimer->SetTimerActive(g->theTimer, true); e && !err) err = e;
    return err;
}

void ShowRatio(ADMDialogRef dialog, int16_t item, AIReal ratio) {
    char text[64];
    std::snprintf(text, sizeof text, "%.1f%%", static_cast<double>(ratio) * 100.0);
    sADMItem->SetText(sADMDialog->GetItem(dialog, item), text);
}

bool On(ADMDialogRef dialog, int16_t item) { return sADMItem->GetBooleanValue(sADMDialog->GetItem(dialog, item)) != 0; }

void EnableConstrain(ADMDialogRef dialog) {
    sADMItem->Enable(sADMDialog->GetItem(dialog, kConstrainItem), !(On(dialog, kWidthItem) && On(dialog, kHeightItem)));
}

}  // namespace

AIErr doProportionTool() {
    const AIErr err = MeasureAndAsk();
    ClearClicks();
    return err;
}

AIErr doProportionDialog() { return OpenNumericInputDialog(kResizeDialogID, nullptr); }

void initProportionChoices(ADMDialogRef dialog) {
    sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kWidthItem), g->proportionWidth != 0);
    sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kHeightItem), g->proportionHeight != 0);
    sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kConstrainItem), g->constrainProportion != 0);
    ShowRatio(dialog, kWidthRatioItem, g->wProportion);
    ShowRatio(dialog, kHeightRatioItem, g->hProportion);
    for (int16_t box : {kWidthItem, kHeightItem})
        sADMItem->SetNotifyProc(sADMDialog->GetItem(dialog, box), Guarded<&ProportionCheckboxesNotifierProc>);
    sADMItem->SetNotifyProc(sADMDialog->GetItem(dialog, kCopyItem), Guarded<&ProportionOKBtnCallbackProc>);
    EnableConstrain(dialog);
}

void ProportionCheckboxesNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (UserChangedOrChanging(notifier)) EnableConstrain(sADMItem->GetDialog(item));
    sADMItem->DefaultNotify(item, notifier);
}

void ProportionOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    g->proportionWidth = On(dialog, kWidthItem) ? 1 : 0;
    g->proportionHeight = On(dialog, kHeightItem) ? 1 : 0;
    g->constrainProportion = On(dialog, kConstrainItem) ? 1 : 0;
    AIReal sx = 1, sy = 1;
    if (Scales(&sx, &sy)) {
        // The first click is the fixed point of the scaling and lands on the second click.
        AIRealMatrix m{};
        sAIRealMath->AIRealMatrixSetTranslate(&m, -g->firstClick.h, -g->firstClick.v);
        sAIRealMath->AIRealMatrixConcatScale(&m, sx, sy);
        sAIRealMath->AIRealMatrixConcatTranslate(&m, g->secondClick.h, g->secondClick.v);
        const bool copy = sADMItem->GetID(item) == kCopyItem;
        (void)TransformSelection(&m, copy);  // what the transformation reports is its own business
        if (copy) sADMDialog->EndModal(dialog, 1, true);
    }
    sADMItem->DefaultNotify(item, notifier);
}
