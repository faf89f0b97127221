// What the dimension model registers: the steps every dimension tool shares, the update
// command, the timer that selects a new custom text, the dimension-resize tool, the
// regeneration offered to the folders below, the repair of ids after a paste, the
// format-version check of an opened document, what follows another document coming to the
// front (its dimension layer and highest id), and which font a face name stands for.
#include "AIMenu.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionLayer.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimensions/DocumentFormatVersion.h"
#include "units/ArtSelection.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

// Worked out again only when this document changed since it was last in front.
AIErr DocumentChanged() {
    if (AIErr err = FindDimensionLayer()) return err;
    if (const int32_t* known = g->highestDimensionIds.Current())
        g->prefs.style.id = *known;
    else
        g->prefs.style.id = g->highestDimensionIds.Store(GetHighestDimensionID());
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
// the selection comes back once the redraw is done (tagged here, restored by theTimer).
AIErr UpdateDimensions() {
    if (AIErr err = TagSelectedArt()) return err;
    (void)CleanupAssociativeDimensions();  // a link it cannot judge stays, and is harmless
    return UpdateAssociativeDimensions(kProcessAllArt);
}

const ToolFamilyRoutines kFamilies[] = {
    {ToolFamily::kDimension, nullptr, &DimensionToolMouseDown, nullptr, &DimensionToolComplete},
};

const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->dimresizetool; }, "Plotwise Dimension Resize", 11, 1, ToolFamily::kDimResize, 0, nullptr},
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
    .toolFamilies = kFamilies,
    .menus = kMenus,
    .timers = kTimers,
    .hooks = {.documentOpened = &CheckPlotwiseDocumentVersion,
              .documentChanged = &DocumentChanged,
              .documentNew = &StampPlotwiseDocumentVersion,
              .afterPaste = &DoAfterPaste},
    .services = {.createDimensionLayer = &CreateDimensionLayer,
                 .cleanupAssociativeDimensions = &CleanupAssociativeDimensions,
                 .updateAssociativeDimensions = &UpdateAssociativeDimensions,
                 .getFontKeyFromFaceStr = &GetFontKeyFromDimensionTextFaceStr},
};
