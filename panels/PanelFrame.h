// The frame every floating panel shares: a tabbed floating dialog made from its template
// with its title from string list 17450, an initialisation that restores the panel's place,
// dock group and collapse state before the panel sets up its own items, a popout menu, two
// tab icons, an options toggle that resizes the panel, and the placement written back to
// the preferences at shut-down. Each panel is one `PanelFrame` (its constants) beside its
// row in the subsystem's panel table (its handle and placement fields), and names what the
// panels' shared refreshes ask of it: each of those is one loop over the frames.
#pragma once

#include <cstdint>
#include <initializer_list>
#include <span>
#include <vector>

#include "ADMTypes.h"
#include "core/PlotwiseDimensionData.h"
#include "core/PlotwiseSubsystem.h"
#include "dimensions/StylePush.h"

constexpr int32_t kPanelWidth = 206;
constexpr int32_t kPanelTitleList = 17450;
constexpr int32_t kShowOptionsWord = 7;   // 17407
constexpr int32_t kHideOptionsWord = 8;   // 17408
constexpr int32_t kSecondIconOffset = 2000;

struct StyleControl;

struct PanelFrame {
    const PlotwisePanelRow* row;  // handle, dialog name and placement fields
    int32_t dialogID;             // the dialog template
    int32_t titleIndex;           // in list 17450
    int32_t popoutMenu = 0;       // 0: the panel has no popout menu
    int32_t shownHeight = 0;      // with the options shown; 0: no options toggle
    int32_t hiddenHeight = 0;     // with the options hidden
    int32_t icon;                 // tab icon of state 0; state 1 has icon + 2000

    // What the panels' shared refreshes ask of the panel while it exists; a null step leaves
    // it out of that refresh (every panel is redrawn after a preset is loaded, whatever its
    // steps).
    // The preferences shown again after a preset is loaded.
    void (*showPrefs)(ADMDialogRef dialog) = nullptr;
    // The same after an undo or redo took settings back, where showPrefs would draw: the art
    // came back with the step.
    void (*showSettings)(ADMDialogRef dialog) = nullptr;
    // Rebuilds its units popups (each with its precision popup), and its precision popups
    // alone, after the units, precision or scale changed.
    void (*setupUnits)(ADMDialogRef dialog) = nullptr;
    void (*setupPrecision)(ADMDialogRef dialog) = nullptr;
    // Its controls that edit one field each of the current style (StyleControls.h).
    std::span<const StyleControl> (*styleControls)() = nullptr;
    // Shows the style of the selected dimensions (blank where they differ), which becomes the
    // current style; every such panel must exist for any of them to follow the selection.
    void (*followSelection)(ADMDialogRef dialog, const live_attributes_map& map,
                            const Plotwise3_Live_Dimension_Data& reference) = nullptr;
};

// The frames of this folder's panels, beside their rows in the subsystem's panel table.
extern const PanelFrame kDocumentFrame, kStylesFrame, kLabelsFrame, kTextFrame, kShortcutsFrame, kGuidesFrame,
    kIsometricFrame, kWallsFrame;

// Every panel's frame, whichever subsystem registers the panel, in the panels' creation
// order; none without the global record.
std::vector<const PanelFrame*> PanelFrames();
// Runs that step of each panel that exists and has it, in the panels' order.
void RunPanelStep(void (*PanelFrame::*step)(ADMDialogRef dialog));

// Creates the panel from its template with its title as the dialog's name and `init` run by
// the host inside the call, and stores the handle (null when the host made nothing).
// Always 0: a panel the host refused must not stop the others.
AIErr CreatePanel(const PanelFrame& frame, ADMDialogInitProc init);

// For the length of a panel's initialisation: the plug-in's application context pushed and
// the suites acquired once more; both given back on every way out.
class PanelInitScope {
public:
    explicit PanelInitScope(ADMDialogRef dialog);
    ~PanelInitScope();
    PanelInitScope(const PanelInitScope&) = delete;
    PanelInitScope& operator=(const PanelInitScope&) = delete;
    AIErr error() const { return err_; }

private:
    AIErr err_ = kNoErr;
    bool pushed_ = false;
    bool acquired_ = false;
};

// Moves the panel to its stored location and joins its stored dock group; the host's
// refusal of the group is returned.
AIErr RestorePanelPlacement(const PanelFrame& frame, ADMDialogRef dialog);
// The popout menu: the panel's menu resource in item -5 and its notifier; the item, or null.
ADMItemRef SetupPanelPopout(const PanelFrame& frame, ADMDialogRef dialog, ADMItemNotifyProc notifier);
// Section captions in the host's bold panel font.
void SetBoldCaptions(ADMDialogRef dialog, std::initializer_list<int32_t> items);
// The two tab icons.
void SetPanelIcons(const PanelFrame& frame, ADMDialogRef dialog);
// The options toggle (given the popout item): entry 0 reads "hide options" and the panel
// has its shown height while the options are shown, else "show options" and the hidden
// height.
void AdjustPanelOptions(const PanelFrame& frame, ADMItemRef popout);
// Sizes a collapsed panel to its tab (206 by 0); false when it is not collapsed.
bool SizeCollapsedPanel(const PanelFrame& frame, ADMDialogRef dialog);

// Writes the placement back: location (left and top of the bounds), dock group and code,
// collapse state.
AIErr WritePanelPrefs(const PanelFrame& frame, ADMDialogRef dialog);
