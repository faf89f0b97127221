// What the dimension model registers: the update command, the timer that selects a new
// custom text, the dimension-resize tool and its family, the regeneration offered to the
// folders below, the repair of ids after a paste, the format-version check of an opened
// document, what follows another document coming to the front (its dimension layer and
// highest id), and which font a face name stands for. The steps every dimension tool
// shares are the family of DimensionToolFamily.h, which the tools' rows name.
#include "AIMenu.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionLayer.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionResize.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DocumentFormatVersion.h"
#include "artwork/ArtSelection.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

// Worked out again only when this document changed since it was last in front.
AIErr DocumentChanged() {
    if (AIErr err = FindDimensionLayer()) return err;
    g->prefs.style.id = HighestDimensionIdHeld();
    return kNoErr;
}

// The custom text a dimension tool just drew is selected once the tool event is over, so
// the user can type over it.
AIErr SelectDimensionText() {
    if (g->dimTextArt == nullptr) return kNoErr;
    const AIErr err = SelectText(g->dimTextArt);
    if (err == kNoErr) g->dimTextArt = nullptr;
    return err;
}

// The update command: links of deleted dimensions go, every dimension is drawn again, and
// the selection comes back once the redraw is done (tagged as the redraw left it, restored
// by theTimer). A dimension redrawn as it was stays the art it was, so an update of a
// drawing nobody edited touches neither the drawing nor the selection.
AIErr UpdateDimensions() {
    (void)CleanupAssociativeDimensions();  // a link it cannot judge stays, and is harmless
    const AIErr err = UpdateAssociativeDimensions(kProcessAllArt);
    if (g->dimensionsRedrawn == g->dimensionsRedrawnAlike) return err;
    const AIErr tagged = TagSelectedArt();
    return err ? err : tagged;
}

// The lists a regeneration keeps until the next one are given back with the plug-in.
AIErr FreeRegenerationLists() {
    const AIErr styles = FreeLiveDimensionGroupDataList();
    const AIErr clicks = FreeDimensionedObjectDataList();
    return styles ? styles : clicks;
}

// The resize drag of a dimension: the press is only noted; the tool's own mouse-down runs at
// the first drag, and its drag and mouse-up only while a dimension is being resized.
const ToolFamilyRoutines kResizeFamily{
    .recordClick = +[](const PlotwiseToolRow&, AIRealPoint p) {
        g->firstClick = p;
        g->preProcessedDimResizeTool = 0;
    },
    .drag = +[](const PlotwiseToolRow& row, AIRealPoint) -> AIErr {
        if (!g->preProcessedDimResizeTool) {
            g->preProcessedDimResizeTool = 1;
            if (AIErr err = CallToolRoutine(row, &ToolRoutines::mouseDown)) return err;
        }
        return g->resizingDimension ? CallToolRoutine(row, &ToolRoutines::drag) : kNoErr;
    },
    .mouseUp = +[](const PlotwiseToolRow& row) -> AIErr {
        g->didFirstClick = 0;
        return g->resizingDimension ? CallToolRoutine(row, &ToolRoutines::mouseUp) : kNoErr;
    },
    // Each drag takes back its own drawing: the grabbed dimension stays hidden all along.
    .flags = kFamilyPrepareAtDrag | kFamilyKeepsEachDrag,
};

const ToolRoutines kResizeRoutines{
    .mouseDown = &PreProcessDimResizeTool,
    .drag = &DoDimResizeTool,
    .mouseUp = &PostProcessDimResizeTool,
    .editOptions = nullptr,
    .freeClicks = &AbandonDimResizeTool,
};

const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->dimresizetool; }, "Plotwise Dimension Resize", 11, 1, &kResizeFamily, 0,
     &kResizeRoutines},
};

const PlotwiseMenuRow kMenus[] = {
    {+[]() -> AIMenuItemHandle& { return g->UpdateDimensionsMenuItem; }, "Plotwise Update Dimensions",
     kObjectUtilsMenuGroup, 42, &UpdateDimensions},
};

const PlotwiseTimerRow kTimers[] = {
    {+[]() -> AITimerHandle& { return g->selectTextTimer; }, "selectTextTimer", 1, &SelectDimensionText},
};

}  // namespace

extern const PlotwiseSubsystem kDimensionsSubsystem = {
    .name = "dimensions",
    .tools = kTools,
    .menus = kMenus,
    .timers = kTimers,
    .hooks = {.documentOpened = &CheckPlotwiseDocumentVersion,
              .documentChanged = &DocumentChanged,
              .documentNew = &StampPlotwiseDocumentVersion,
              .afterPaste = &DoAfterPaste,
              .shutdown = &FreeRegenerationLists},
    .services = {.findDimensionLayer = &FindDimensionLayerForTool,
                 .cleanupAssociativeDimensions = &CleanupAssociativeDimensions,
                 .updateAssociativeDimensions = &UpdateAssociativeDimensions,
                 .updateDimensionsMeasuring = &UpdateDimensionsMeasuring,
                 .getFontKeyFromFaceStr = &GetFontKeyFromDimensionTextFaceStr},
};
