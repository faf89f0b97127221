// What axonometric drawing registers: the timers that finish a depth primitive (the depth
// tools themselves open the drawing tools' numeric-input dialogs, so their rows are the
// drawing tools'; the steps they share are kDepthToolFamily here), the commands that
// project the selection onto a face or flatten it, the annotator's drawings, the grid
// snap the tools below call, and what follows a document coming to the front, an undo,
// New and Open, a change of view (the grids and rulers) and another current layer (the
// rulers' scale).
#include "AIMenu.h"
#include "axonometric/AxonometricAnnotator.h"
#include "axonometric/AxonometricGlobals.h"
#include "axonometric/AxonometricGrids.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/AxonometricUpdate.h"
#include "axonometric/DepthPrimitives.h"
#include "axonometric/DepthTags.h"
#include "axonometric/GridSnap.h"
#include "axonometric/GuideLayers.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

// The timers select what they can; their results are not the host's concern.
const PlotwiseTimerRow kTimers[] = {
    {+[]() -> AITimerHandle& { return g->primitiveDragTimer; }, "primitiveDragTimer", 5,
     +[]() -> AIErr { return (void)SelectTaggedPrimitiveDrag(), kNoErr; }},
    {+[]() -> AITimerHandle& { return g->primitiveMouseupTimer; }, "primitiveMouseupTimer", 15,
     +[]() -> AIErr { return (void)SelectTaggedPrimitive(), kNoErr; }},
};

// Selected all through: a group only when every member is, a compound path as one piece.
AIErr WhollySelected(AIArtHandle art, bool* whole) {
    *whole = false;
    uint32_t attr = 0;
    if (AIErr err = sAIArt->GetArtUserAttr(art, kArtSelected, &attr)) return err;
    if (!(attr & kArtSelected)) return kNoErr;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    AIArtHandle child = nullptr;
    if (type == kGroupArt)
        if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
    while (child) {
        if (AIErr err = WhollySelected(child, whole)) return err;
        if (!*whole) return kNoErr;
        if (AIErr err = sAIArt->GetArtSibling(child, &child)) return err;
    }
    *whole = true;
    return kNoErr;
}

// Projects every wholly selected art that is not inside other wholly selected art; a group
// only partly selected is entered instead. Layer groups are never projected themselves, and
// locked or hidden art (a locked or hidden layer's included) is left alone.
AIErr ProjectSelectedArt(AIArtHandle art, int32_t face) {
    while (art) {
        uint32_t attr = 0;
        if (AIErr err = sAIArt->GetArtUserAttr(art, kArtSelected | kArtLocked | kArtHidden, &attr)) return err;
        if ((attr & kArtSelected) && !(attr & (kArtLocked | kArtHidden))) {
            ASBoolean layerGroup = false;
            if (AIErr err = sAIArt->IsArtLayerGroup(art, &layerGroup)) return err;
            bool whole = false;
            if (!layerGroup)
                if (AIErr err = WhollySelected(art, &whole)) return err;
            AIArtHandle child = nullptr;
            if (whole) {
                if (AIErr err = ProjectAxonometric(art, face, &g->prefs.isoView)) return err;
            } else if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) {
                return err;
            } else if (child) {
                if (AIErr err = ProjectSelectedArt(child, face)) return err;
            }
        }
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}

// The selection onto a face of the current view, as the depth tools project what they draw.
template <int32_t Face>
AIErr ProjectSelection() {
    g->face = Face;
    const AIErr err = ForEachOrdinaryLayer([](AILayerHandle layer) -> AIErr {
        AIArtHandle first = nullptr;
        if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &first)) return err;
        return ProjectSelectedArt(first, Face);
    });
    return err == kNoDocumentErr ? kNoErr : err;
}

// The isometric panel's Flatten: the selected axonometric art back to flat art.
AIErr FlattenSelection() { return UpdateAxonometricObjects(1, 1); }

const PlotwiseMenuRow kMenus[] = {
    {+[]() -> AIMenuItemHandle& { return g->projectLeftMenuItem; }, "Plotwise Project Left", kObjectUtilsMenuGroup, 49,
     &ProjectSelection<kAxoLeftFace>},
    {+[]() -> AIMenuItemHandle& { return g->projectRightMenuItem; }, "Plotwise Project Right", kObjectUtilsMenuGroup, 50,
     &ProjectSelection<kAxoRightFace>},
    {+[]() -> AIMenuItemHandle& { return g->projectTopMenuItem; }, "Plotwise Project Top", kObjectUtilsMenuGroup, 51,
     &ProjectSelection<kAxoTopFace>},
    {+[]() -> AIMenuItemHandle& { return g->flattenMenuItem; }, "Plotwise Flatten", kObjectUtilsMenuGroup, 52,
     &FlattenSelection},
};

// Another document in front, or an undo: the grid and ruler layers are looked up again (the
// walks skip them by handle). Art that could not follow the view stays as it was and the
// update's error goes no further: the subsystems after this one must still follow the
// document (its dimension layer, its highest dimension id).
AIErr FollowDocumentView() {
    if (AIErr err = FindGuideLayers()) return err;
    (void)AdoptDocumentIsoView();
    return kNoErr;
}

// An undo or redo ends a depth shape waiting for its depth click: the step it joins is gone
// or brought back, and what follows draws nothing of it.
AIErr FollowUndo() {
    (void)EndPrimitiveDrawing();
    return FollowDocumentView();
}

bool GuidesShown() {
    return g->prefs.CADgridVisible || (g->prefs.DERurureLayerVisible && g->prefs.DERurureLayerExists);
}

// After New and Open the document gets the grids and rulers that are shown, drawn afresh,
// and new records go on from the highest id the document's tagged art has. Guides another
// session drew and this one does not show go: their labels would be in that session's units.
AIErr GuidesAndDepthIdsForNewDocument() {
    if (AIErr err = FindGuideLayers()) return err;
    if (GuidesShown() || g->gridsLayer || g->rulerLayer)
        if (AIErr err = drawGridsAndRulers(1, 1)) return err;
    const int32_t next = GetUniqueTagID(kDepthTagPrefix);
    g->depthObjNum = next == 0 ? 1 : next;
    return kNoErr;
}

// A zoom gives the grid another spacing: the grids and rulers are drawn again for it.
AIErr GuidesFollowView() {
    if (AIErr err = SetGridSpacingAndSubdivisions()) return err == kNoDocumentErr ? kNoErr : err;
    return GuidesShown() ? drawGridsAndRulers(1, 1) : kNoErr;
}

// The slot's form of the snap: the point itself moves.
int SnapInPlace(AIRealPoint* point) {
    AIRealPoint snapped{};
    if (!point || !snapToGridCheckAxonometric(point, &snapped)) return 0;
    *point = snapped;
    return 1;
}

const PlotwiseAnnotation kAnnotations[] = {
    &DoDrawAxoHintsAnnotation,
    +[](AIDocumentViewHandle view, AIAnnotatorDrawer* drawer) -> AIErr {
        return DrawOffsetAnnotater(view, drawer, &g->firstClick, &g->offsetPoint);
    },
    &DrawRulerCursorMarks,
    &DrawInformationBox,
    &DrawFullScreenCursor,
};

}  // namespace

extern const PlotwiseSubsystem kAxonometricSubsystem = {
    .name = "axonometric",
    .menus = kMenus,
    .timers = kTimers,
    .annotations = kAnnotations,
    .hooks = {.documentChanged = &FollowDocumentView,
              .documentViewChanged = &GuidesFollowView,
              .afterUndo = &FollowUndo,
              .afterNewOrOpen = &GuidesAndDepthIdsForNewDocument,
              .beforeSaveOrClose = &FinishPrimitiveSelection,
              .annotatorCursorMoved = &FollowCrosshairCursor,
              .frontDrawingChanged = &RulersFollowCurrentLayer},
    .services = {.snapToGridCheckAxonometric = &SnapInPlace,
                 .drawRulersOnly = +[](int32_t redraw, int32_t startTimer) { return drawRulersOnly(redraw, startTimer); }},
};
