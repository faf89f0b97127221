// The one global state record of the plug-in. Each subsystem declares the fields it owns in
// its own folder, in a record that extends the record of the folder below it
// (core <- units <- axonometric <- dimensions <- ... <- panels); the module puts the top
// one together as `PlotwiseGlobals` and allocates it at start-up. Code reaches the record
// through `g`, a view typed with the record of its own folder, so `g->field` works for the
// fields of its folder and of every folder below, and for no field above:
//
//     namespace { constexpr GlobalsView<DimensionGlobals> g; }
//
// This file holds the core's own fields: the host, the gesture of the current tool, the
// layer the user draws on, the core's timers, notifiers and annotator, and the preferences.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>
#include <utility>
#include <vector>

#include "ADMTypes.h"
#include "AITypes.h"
#include "core/DocumentRevision.h"
#include "core/RecordedSettings.h"
#include "core/PlotwisePreferences.h"
#include "geometry/PlaneGeometry.h"  // kMissingValue

struct SPBasicSuite;

struct CoreGlobals {
    // --- host and life cycle ---
    SPPluginRef thisPlugin = nullptr;
    SPBasicSuite* basic = nullptr;
    int32_t appVersion = 0;            // host major version
    int unsupportedHostVersion = 0;    // start-up stopped at the version check
    preferences prefs{};
    ADMRGBColor dimensionRGBColor{};
    // --- current tool ---
    AIToolHandle curTool = nullptr;
    int dimensionToolSelected = 0;
    int labelToolSelected = 0;
    // --- click and gesture state ---
    AIRealPoint firstClick{}, secondClick{}, thirdClick{};
    AIRealPoint startingPoint{}, endPoint{};
    AIRealPoint dragPoint{};         // the cursor of the gesture's last drag (endPoint before a routine moves it)
    AIRealPoint basePoint1{};
    int didFirstClick = 0, didSecondClick = 0, didThirdClick = 0;
    int32_t clickNum = 0;
    int toolWasDragged = 0, toolWasTracked = 0, dragging = 0, autoToolInProgress = 0;
    int selectionInGesture = 0;      // art was selected once the mouse went down: each drag deselects it
    // The tool's own routine changed the document in the gesture's last drag; a drag that
    // took away again all it made (art made only to be measured) clears it itself.
    int lastDragDrew = 0;
    int mouseIsDown = 0;             // between a tool's mouse down and its mouse up
    uint32_t gestureNumber = 0;      // counts mouse downs: what a gesture worked out is known by it
    int curvetoolNeedsToDrawText = 0, dragTipDisplayed = 0;
    int useNumericInputValues = 0;   // a dialog re-runs a drag routine with its typed values
    int showOffsetAnnotator = 0;
    int drawingPrimitive = 0, firstMouseNotYetUp = 1;  // a two-stage primitive's first or second stage
    AIUndoStepRef commandStep = nullptr;  // the step of a command's first gesture, which its later ones join
    int updatingDimensions = 0;      // live dimensions are being redrawn: alerts stay silent
    int32_t UsingMagicDims = 0;      // automatic dimensioning runs: likewise for the click tip
    // --- the user's drawing layer ---
    AILayerHandle saveLayer = nullptr;
    // The dimension layer while the plug-in has made it current in place of the user's
    // layer, until the user's is put back; null otherwise.
    AILayerHandle layerSwitchedTo = nullptr;
    AIArtHandle firstArt = nullptr;
    int16_t firstArtType = 0;
    // --- the plug-in's own guide layers: always 1:1, skipped by the document walks; null when
    // absent (the dimension layer is the units' dimensionLayer) ---
    AILayerHandle gridsLayer = nullptr;      // "ROVidazu Layer"
    AILayerHandle rulerLayer = nullptr;      // "DERurure Layer"
    // --- selection restored after a redraw (theTimer) ---
    // Art carries "ZMK_Object_Was_Selected": theTimer is due, or the user's selection overruled
    // the restore and the tags wait for the user's next command.
    int selectionTagged = 0;
    // The text of the tags of the restore that waits (or starts next): tags an undo brought
    // back from an earlier restore hold another one, and only go.
    uint32_t selectionTagSerial = 0;
    AILayerHandle selectionRestoreLayer = nullptr;
    AIPathStyle selectionPathStyle{};         // the current paint when the selection was tagged
    // While a restore waits: the selection the plug-in's last work left (so a different one is
    // the user's), and whether the user has selected since, which then wins over the restore.
    std::vector<AIArtHandle> selectionLeft;
    bool selectionLeftKnown = false;
    bool selectionChosenByUser = false;
    int workDepth = 0;                        // nesting of the host's calls into the plug-in
    int trackerTransformComplete = 0;
    // --- symbols of dimension texts (Windows-1252) ---
    char slashZeroSymbol[256] = {}, degreeSymbol[256] = {}, plusMinusSymbol[256] = {};
    // --- what the annotator draws over the view, left by the tools and the tracker ---
    AIRealRect hRulerRect{}, vRulerRect{};  // the rulers' cursor marks, view pixels
    AIRealPoint annotatorCursor{};          // the cursor of the last tool event
    int annotatorCursorKnown = 0;           // a tool follows the cursor (cleared when deselected)
    // The rest of the tracker's last read-out (y negated, as shown; kMissingValue where a value
    // does not apply): what the information box shows of it is axonometric drawing's.
    AIReal annotatorX = kMissingValue, annotatorY = kMissingValue, annotatorP = kMissingValue,
           annotatorA = kMissingValue;
    // --- the core's registrations ---
    AITimerHandle theTimer = nullptr;
    AINotifierHandle appStartedNotifier = nullptr, appShutdownNotifier = nullptr,
                     documentOpenedNotifier = nullptr, documentChangedNotifier = nullptr,
                     documentViewChangedNotifier = nullptr, afterUndoNotifier = nullptr,
                     afterRedoNotifier = nullptr,
                     beforeNewNotifier = nullptr, afterNewNotifier = nullptr, beforeOpenNotifier = nullptr,
                     afterOpenNotifier = nullptr, beforeSaveNotifier = nullptr, afterSaveNotifier = nullptr,
                     beforeCloseNotifier = nullptr, afterCloseNotifier = nullptr,
                     afterPasteMenuCommandChangedNotifier = nullptr, layerOptionsNotifier = nullptr,
                     layerSetNotifier = nullptr, currentLayerNotifier = nullptr,
                     artSelectionChangedNotifier = nullptr;
    AIAnnotatorHandle annotator = nullptr;
    // --- what the user is told when the message ends (NoteForUser): items by heading ---
    std::vector<std::pair<int32_t, std::vector<std::string>>> notesForUser;
    // The alert that memory ran out, made at start-up: shown when there is too little
    // memory left to put the notes together.
    char outOfMemoryAlert[512] = {};
    // Memory ran out in a procedure the host called while a message was handled (a
    // dialog's, told there): the message's answer says so.
    bool memoryRanOut = false;
    // --- the tool or command the message being handled works for, as the user knows it (its
    // title in quotes; empty outside tool and menu messages), and the drag gesture in which a
    // closed layer was last told (each drag of it would tell again) ---
    std::string workInHand;
    uint32_t closedLayerGesture = 0;
    // --- the front drawing as the subsystems last read it (FollowFrontDrawingIfChanged) ---
    DocumentStamp drawingFollowed{};
    AILayerHandle currentLayerFollowed = nullptr;
    // The front drawing's record of its latest change of settings, as last written or read.
    DrawingSettingsSeen settingsSeen;
    // --- whether the press in hand was refused (0: no; 1: at its mouse down; 2: by a drag):
    // the rest of the press draws and says nothing ---
    int pressRefused = 0;
    // The message in hand refused its gesture: once the refusal is told, all the gesture
    // changed is taken back.
    bool gestureRefused = false;
};

// The record the plug-in runs with: null before start-up and after shut-down, and while the
// host keeps it across an unload.
extern CoreGlobals* plotwiseRecord;

// `g` of one folder: the record seen as the fields of that folder and the folders below.
template <class Fields>
class GlobalsView {
    static_assert(std::is_base_of_v<CoreGlobals, Fields>, "a folder's record extends the core's");

public:
    Fields* get() const noexcept { return static_cast<Fields*>(plotwiseRecord); }
    Fields* operator->() const noexcept { return get(); }
    Fields& operator*() const noexcept { return *get(); }
    explicit operator bool() const noexcept { return plotwiseRecord != nullptr; }
    friend bool operator==(GlobalsView, std::nullptr_t) noexcept { return plotwiseRecord == nullptr; }
};

// The whole record is allocated and freed by the module, which alone knows its type.
CoreGlobals* NewPlotwiseGlobals();
void DeletePlotwiseGlobals(CoreGlobals* record);
