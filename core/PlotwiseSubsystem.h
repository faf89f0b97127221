// How a subsystem plugs into the core. Each subsystem declares, in its own folder, one
// `PlotwiseSubsystem` record: its tools (each naming the family whose steps it shares), its
// panels, menu commands, timers, annotator drawings and dimension kinds, the host events it
// follows and the services it offers to the folders below it. The module lists every record
// (lowest subsystem first); the core registers and dispatches through them and includes no
// subsystem's header.
//
// Handles the host gives back live in the owner's own record; a row names its field
// through an accessor such as `+[]() -> AIToolHandle& { return g->htool; }`.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "ADMTypes.h"
#include "AIAnnotator.h"
#include "AITypes.h"
#include "core/PlotwisePreferences.h"

// ---------------------------------------------------------------------------------------
// Tools

struct PlotwiseToolRow;

// The tracker's caption pair for a tool (strings 17400 + n), set when it is selected.
struct TrackerCaptions {
    // The captions a pair names, by their string ids.
    enum : int32_t { kDiameter = 17401, kRadius, kLength, kPerimeter, kCircle, kArcLength };
    int32_t first = 0, second = 0;
    friend bool operator==(const TrackerCaptions&, const TrackerCaptions&) = default;
};

// What a family's tools need of the core besides the steps below.
enum : uint16_t {
    kFamilyDimensionTools = 0x1,   // selecting one makes the dimension layer current and sets dimensionToolSelected
    kFamilyKeepsEachDrag = 0x2,    // a drag does not take back the one before (the cuts add up)
    kFamilyPrepareAtDrag = 0x4,    // only the click is recorded at the press; the family's drag prepares
    kFamilyDrawsOnCurrentLayer = 0x8,  // its tools draw on the current layer: a press loads that layer's scale
    kFamilyEditsPressedArt = 0x10,     // its tools edit the art pressed on: a press loads that art's layer's scale
};

// The steps every tool of a family shares, declared in the folder that owns the family. A
// tool row names its family by the address of this row, so the core knows no family and a
// new one needs no edit here. Each step may be null and then does what is given beside it;
// the row is the current tool's.
struct ToolFamilyRoutines {
    // Mouse down: records the press (null: it is the first click).
    void (*recordClick)(const PlotwiseToolRow& row, AIRealPoint p) = nullptr;
    // After the click is recorded, before the tool's own mouse-down (null: nothing).
    AIErr (*mouseDown)(const PlotwiseToolRow& row) = nullptr;
    // A drag past the threshold (null: the tool's own drag).
    AIErr (*drag)(const PlotwiseToolRow& row, AIRealPoint cursor) = nullptr;
    // Mouse up: completes the gesture (null: the first click is forgotten and the tool's own
    // mouse-up runs).
    AIErr (*mouseUp)(const PlotwiseToolRow& row) = nullptr;
    // The cursor moved, after the modifier keys (null: nothing).
    AIErr (*trackCursor)(const PlotwiseToolRow& row, AIRealPoint cursor) = nullptr;
    uint16_t flags = 0;
    TrackerCaptions captions{};  // zeros: length and perimeter (17403, 17404)
};

// What the row needs besides the shared behaviour.
enum : uint16_t {
    kToolNeedsDrag = 0x1,           // a click without a drag shows message 17004
    kToolTwoClicksThenDrag = 0x2,   // a click without a drag shows message 17005
    kToolLabelLike = 0x4,           // selecting it sets labelToolSelected
    kToolTrackCursor = 0x8,         // draws while the cursor moves between clicks (every tool is tracked)
    kToolPrimitive = 0x10,          // depth cube and cylinder: drawn in two stages
    kToolChainClicks = 0x20,        // a click without a drag joins the click chain; a drag ends it
    kToolAxonometricClicks = 0x40,  // its clicks must lie on axonometric art
    kToolKeepsFirstClick = 0x80,    // its first click outlives the mouse-up
    kToolTwoChainNodes = 0x100,     // each click makes two chain nodes (the datum target's "1" and "A")
    kToolNotOffered = 0x200,        // start-up registers no tool for it; its handlers serve a tool
                                    // registered under its handle by other means
};

constexpr int16_t kToolSetCount = 7;

// The tool's own routines; each may be null. Results are host error codes.
struct ToolRoutines {
    AIErr (*mouseDown)();    // after the click is recorded (e.g. storing the hit)
    AIErr (*drag)();         // draws the preview from scratch
    AIErr (*mouseUp)();      // completes the gesture (or opens the numeric-input dialog)
    AIErr (*editOptions)();  // the tool's options dialog
    AIErr (*freeClicks)();   // empties the click chain
};

using ToolHandleField = AIToolHandle& (*)();

// The string lists of the tools' titles and tips, both by the row's stringIndex.
constexpr int32_t kToolTitleList = 17500, kToolTipList = 17600;

struct PlotwiseToolRow {
    ToolHandleField handle;
    const char* name;          // the host's (internal) name of the tool
    int16_t stringIndex;       // its title and tip in kToolTitleList and kToolTipList
    int16_t toolSet;           // 1 to 7; rows of one set are registered together
    const ToolFamilyRoutines* family;  // null: every step as given with ToolFamilyRoutines
    uint16_t flags;
    const ToolRoutines* routines;  // null: the tool is not offered to the host
    int32_t dimensionKind = -1;    // the kind (PlotwiseLiveDimType) its dimensions are stored as
};

// ---------------------------------------------------------------------------------------
// Panels, menus, timers, annotator

using DialogField = ADMDialogRef& (*)();
using MenuItemField = AIMenuItemHandle& (*)();
using TimerField = AITimerHandle& (*)();

struct PanelFrame;

// A floating panel: its handle, create and placement-write routines, its show/hide command,
// and the placement preferences it keeps under its own prefix.
struct PlotwisePanelRow {
    DialogField window;
    const char* dialogName;      // the workspace's name of the panel
    // Run at application start in createOrder, whichever subsystem owns the panel; its
    // window command takes the same place among the others.
    AIErr (*create)();
    int16_t createOrder;
    AIErr (*writePrefs)();       // run at application shutdown, in writeOrder
    int16_t writeOrder;
    MenuItemField menuItem;
    int16_t showString, hideString;  // kCommandTextList texts of the window command
    // Placement preferences; a null prefix stores none.
    const char* prefix;
    AIRealPoint preferences::*loc;
    int32_t preferences::*dockCode;
    char (preferences::*dockGroup)[65];
    int preferences::*collapse;
    const char* collapseKey;
    int preferences::*options;  // null when the panel stores none
    const char* optionsKey;
    int32_t preferences::*height;  // null when the panel stores none (key "Size")
    // What the folder that builds the panel keeps of it beside this row (its template and
    // icons, and what the panels' shared refreshes ask of it); the core only carries it.
    const PanelFrame* frame = nullptr;
};

// The string list of the texts of the menu commands and of the panels' show and hide
// commands.
constexpr int32_t kCommandTextList = 17350;

// A menu command: the handle field, host name, group, text (kCommandTextList index) and action.
struct PlotwiseMenuRow {
    MenuItemField handle;
    const char* name;
    const char* group;
    int16_t textIndex;
    AIErr (*action)();   // null: the command does nothing
};

// A one-shot timer: the handle field, registered name, period and action.
struct PlotwiseTimerRow {
    TimerField handle;
    const char* name;
    int32_t period;      // ticks of 1/60 s
    AIErr (*action)();   // null: the timer only deactivates itself
};

// One drawing of the annotator, called on every draw request.
using PlotwiseAnnotation = AIErr (*)(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer);

// A kind of live dimension (PlotwiseLiveDimType) and the routine that redraws one from the
// stored style and clicks the regeneration has set up (null: the kind draws nothing, and
// its dimensions are kept as they are). `tool`, when given, is made the current tool for
// the redraw, for routines that tell their flat and axonometric forms apart by it. The
// regeneration knows no kind but those registered, so a subsystem may add one of its own.
// The first row of a kind counts, a subsystem added after the module's own (a test's
// double) ahead of the module's, as for services.
struct PlotwiseDimensionKindRow {
    int32_t kind;
    AIErr (*redraw)();
    ToolHandleField tool = nullptr;
};

// ---------------------------------------------------------------------------------------
// Events and services

// Host events a subsystem follows; the core calls every subsystem's hook in list order and
// stops at the first error. Each may be null.
struct PlotwiseHooks {
    AIErr (*preferencesRead)();           // start-up, after the preferences: the current scale factor
    // At quit, the preferences about to be written: what a subsystem keeps between runs goes
    // in where the record holds the front drawing's own (its scale and style).
    AIErr (*preferencesKept)(preferences* kept);
    AIErr (*applicationStarted)();        // after the panels are created
    AIErr (*documentOpened)();            // format-version check and scale settings
    AIErr (*documentChanged)();           // another document in front
    AIErr (*documentViewChanged)();
    AIErr (*afterUndo)();                 // after the user's undo or redo
    AIErr (*documentNew)();               // a document made with new: the current data format
    AIErr (*afterNewOrOpen)();
    AIErr (*beforeSaveOrClose)();
    AIErr (*afterSaveOrClose)();
    AIErr (*layerListChanged)();
    AIErr (*currentLayerChanged)(AILayerHandle layer);
    AIErr (*selectionChanged)();          // panels from the selection
    AIErr (*selectionRestored)();         // after theTimer reselected the tagged art
    AIErr (*afterPaste)();
    AIErr (*toolSelected)();              // after the core recorded the new tool
    AIErr (*toolMouseDown)();             // every tool's mouse-down, before its click is recorded
    // A tool's command is over: its last release, a refusal, or the tool put down with the
    // command unfinished; `kept` when it completed without a refusal.
    AIErr (*toolCommandEnded)(bool kept);
    // A tool event moved the cursor the annotator follows (null: no tool follows it any
    // more); called before the tool draws, so what is worked out from the document for the
    // annotator leaves the tool's own preview out.
    AIErr (*annotatorCursorMoved)(const AIRealPoint* cursor);
    AIErr (*shutdown)();                  // "Shutdown": the class-based tool singletons go
    // The front drawing is another than when last read (document, revision or current layer),
    // no command in progress: what is shown and converted at is read from it again. Shows
    // and reads only: nothing is written to the drawing but the rulers, drawn again at the
    // scale of another current layer, inside the step of the change they follow.
    AIErr (*frontDrawingChanged)();
    // An undo or redo took back or brought again settings the drawing recorded, now in force:
    // shown again, nothing drawn (the art came back with the step).
    AIErr (*settingsTaken)();
};

// What a subsystem offers the folders below it, which cannot name it. The first subsystem
// in the list that fills a slot provides it, a subsystem added after the module's own (a
// test's double) ahead of the module's; an empty slot means the service is absent and its
// caller goes without.
struct PlotwiseServices {
    AIErr (*openPresetsCatalog)();                                      // last start-up step
    AIErr (*findDimensionLayer)();                                      // selecting a dimension tool
    AIErr (*resetTrackerWindow)();                                      // deselecting a tool
    AIErr (*updateTrackerWindowLabels)(int32_t first, int32_t second);  // caption strings of list 17400
    // The tracker's live read-out of a tool: x, y, w, h, width, height, an unused seventh
    // value, the angle in degrees, length, perimeter and area (kMissingValue: an empty field);
    // doubles, so that a length a tool measures in doubles reads as every other tool reads it.
    AIErr (*updateTrackerWindow)(double x, double y, double w, double h, double width, double height, double seventh,
                                 double angle, double length, double perimeter, double area);
    int (*snapToGridCheckAxonometric)(AIRealPoint* point);              // 1 when the point was snapped
    AIErr (*getLayerScale)(AILayerHandle layer, AIReal* scaler, char label[32]);  // the published suite
    // Regeneration of live dimensions: the links of dimensions that no longer exist tidied,
    // then the dimensions of that scope redrawn from their stored styles and clicks (after
    // a change of axonometric view, for instance).
    AIErr (*cleanupAssociativeDimensions)();
    AIErr (*updateAssociativeDimensions)(PlotwiseProcessArtType which);
    // Only the dimensions measuring the art (or art inside it): art re-projected onto a view.
    AIErr (*updateDimensionsMeasuring)(std::span<const AIArtHandle> arts);
    // The next-value fields of the text and labels panels, after a counter moved; absent
    // while there is no panel to refresh.
    void (*updateDimensionIncrementFld)();
    void (*updateLabelIncrementFld)();
    // The tracker's geometry read-out (position, size, length, perimeter, area) of the art.
    AIErr (*updateTrackerWindowFromSelectedArt)(AIArtHandle art);
    // Which linear dimension tool a tool handle is: 1 horizontal, 2 vertical, 0 neither
    // (slash terminators turn with the direction the dimension is drawn in).
    int16_t (*linearToolDirection)(AIToolHandle tool);
    // The host font whose user-interface name is the face (the default font otherwise),
    // as dimension texts find theirs; the rulers' labels use it.
    AIErr (*getFontKeyFromFaceStr)(const char* face, AIFontKey* font);
    // The rulers drawn again (when they are shown); startTimer: theTimer restores the selection.
    AIErr (*drawRulersOnly)(int32_t redraw, int32_t startTimer);
    // The tracker's transformation of the selected art under the art and its following
    // siblings (a layer's group: the layer's selected art): the matrix, then the second one
    // when given; copies instead while transformCopy is set (the proportion tool's Copy).
    AIErr (*applyCADtrackerTransformation)(AIArtHandle art, AIRealMatrix* matrix, const AIRealMatrix* second);
    // The tracker's bounds of the selected art of every layer: a partly selected path by its
    // selected anchors, fully selected axonometric art drawn flat when flatten is set; *found
    // stays 0 while nothing is selected.
    AIErr (*calculateSelectedBoundsOfDocument)(AIRealRect* rect, int16_t* found, int16_t flatten);

    // The wall tool's numeric builder, which the "CADWall" dialog's OK runs: one wall of that
    // length (drawn points) and angle (radians) from the first click.
    AIErr (*doInputWallTool)(AIReal length, AIReal angle);
};

// ---------------------------------------------------------------------------------------

struct PlotwiseSubsystem {
    const char* name;
    std::span<const PlotwiseToolRow> tools;
    std::span<const PlotwisePanelRow> panels;
    std::span<const PlotwiseMenuRow> menus;
    std::span<const PlotwiseTimerRow> timers;
    std::span<const PlotwiseAnnotation> annotations;
    std::span<const PlotwiseDimensionKindRow> dimensionKinds;
    PlotwiseHooks hooks;
    PlotwiseServices services;
};

// The module's subsystems, lowest first; defined by the module's list.
std::span<const PlotwiseSubsystem* const> PlotwiseModuleSubsystems();

// Every subsystem the core dispatches to: the module's, then any added after it.
std::span<const PlotwiseSubsystem* const> PlotwiseSubsystems();
// Adds a subsystem after the module's own (a test's tools, for instance); register it before
// start-up. Removing forgets it again.
void AddPlotwiseSubsystem(const PlotwiseSubsystem* subsystem);
void RemovePlotwiseSubsystem(const PlotwiseSubsystem* subsystem);

// Every row of one kind, of every subsystem in list order.
template <typename Row>
std::vector<const Row*> AllRows(std::span<const Row> PlotwiseSubsystem::*rows) {
    std::vector<const Row*> all;
    for (const PlotwiseSubsystem* s : PlotwiseSubsystems())
        for (const Row& row : s->*rows) all.push_back(&row);
    return all;
}

// Every subsystem's panels, in createOrder.
std::vector<const PlotwisePanelRow*> PlotwisePanels();

// The services as the subsystems provide them.
PlotwiseServices PlotwiseService();

// Calls `hook` of every subsystem that has it, in order; the first error ends the round.
template <typename... Args>
AIErr RunPlotwiseHooks(AIErr (*PlotwiseHooks::*hook)(Args...), Args... args) {
    for (const PlotwiseSubsystem* s : PlotwiseSubsystems())
        if (auto call = s->hooks.*hook)
            if (AIErr err = call(args...)) return err;
    return kNoErr;
}
