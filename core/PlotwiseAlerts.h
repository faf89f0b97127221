// The alerts every tool shares: an error message, the art-must-be-clicked tip and invalid
// dialog input. Each resets the click state of the tool in progress and returns 'CADE';
// none shows anything while live dimensions are being regenerated, except the dialog-input
// alert, which answers a user's typing. Also the notes of what could not be used or done as
// it stood (damaged stored values, a host error that stopped a command), told in one alert
// once the host's message is handled.
#pragma once

#include <string>

#include "AITypes.h"

constexpr int32_t kMessageList = 17000;
constexpr int32_t kWordList = 17400;
constexpr int32_t kArtMustBeClickedMessage = 2;  // 17002
// Messages of list 17000 that tools and commands of more than one folder show.
constexpr int32_t kNonParallelLinesMessage = 3;  // two lines that are not parallel must be clicked
constexpr int32_t kClickAndDragMessage = 4;      // the tool is used by clicking and dragging
constexpr int32_t kTwoClicksThenDragMessage = 5; // two end points are clicked, then a drag
constexpr int32_t kSelectObjectsMessage = 22;    // one or more objects must be selected
constexpr int32_t kOKWord = 24;                  // 17424
constexpr int32_t kCancelWord = 25;              // 17425
constexpr int32_t kDoNotShowAgainWord = 26;      // 17426

AIErr doPlotwiseErrorDialog(const char* text);
// The art-must-be-clicked tip.
AIErr doArtMustBeClickedErrorDialog();
// A press on art of that locked layer, which the host's hit test passes by: 'CADE' once the
// user has been told which layer stops the tool ('"Radius Dimension": the object clicked is on
// the layer "Part", which is locked (unlock it first).'), once per drag gesture. kNoErr,
// nothing said, for no layer and while dimensions are redrawn or made automatically. The tools
// find the layer as their press finds art (RefuseLockedArtPressed).
AIErr RefuseClickOnLockedLayer(AILayerHandle layer);
AIErr doDialogInputErrorDialog(const char* text);

// Nothing can be made or changed on a locked or hidden layer: kNoErr when the layer and the
// layers holding it are open, else 'CADE' once the user has been told which layer stops the
// tool or command at work and what to do (`"CAD Line": the current layer "Part" is locked
// (unlock it first).`). Told once per drag gesture, however many drags ask.
AIErr RefuseClosedLayer(AILayerHandle layer);
// The same for the current layer, where tools draw unless they name another.
AIErr RefuseClosedCurrentLayer();
// The same for the layer of their own that dimensions are drawn on, named as that layer
// (`"Horizontal Dimension": the layer dimensions are drawn on, "Dimension Layer", is locked
// (unlock it first).`), though it is current while they are drawn.
AIErr RefuseClosedDimensionLayer(AILayerHandle layer);

// Headings of the notes (string list 17000): what was done, then the items it was done to.
constexpr int32_t kLockedNote = 80;          // a host error: a layer locked or hidden
constexpr int32_t kStaleNote = 81;           // art deleted or undone meanwhile
constexpr int32_t kSingularViewNote = 82;    // the axonometric view cannot be turned back
constexpr int32_t kWrongTypeNote = 83;       // a stored value of the wrong type
constexpr int32_t kRefusedValueNote = 84;    // the host refused a value
constexpr int32_t kHostErrorNote = 85;       // any other host error, by code
constexpr int32_t kUnreadableDimensionsNote = 86;
constexpr int32_t kDefaultedValuesNote = 87;
constexpr int32_t kRenumberedDimensionsNote = 88;
constexpr int32_t kUnknownVersionNote = 89;
constexpr int32_t kDegenerateViewNote = 90;
constexpr int32_t kSkippedArtNote = 91;
constexpr int32_t kDefaultedPreferencesNote = 92;
constexpr int32_t kNoDocumentNote = 98;       // a host error: no document open
constexpr int32_t kCompletedValuesNote = 101;
constexpr int32_t kDisagreeingLinksNote = 102;
constexpr int32_t kOutOfMemoryNote = 104;      // memory ran out
constexpr int32_t kPluginFaultNote = 105;      // an exception of the plug-in's own stopped the work
constexpr int32_t kNoFreeDimensionIdMessage = 108;  // a new dimension finds no id left
constexpr int32_t kNoFreeDimensionIdNote = 109;     // dimensions that share an id keep it
constexpr int32_t kReplacedHouseEntriesNote = 110;  // entries of a house record the house now needs
constexpr int32_t kKeptAsDrawnNote = 112;           // dimensions whose measured point, or path, an edit unmade
constexpr int32_t kPastCanvasDimensionsNote = 115;   // dimensions whose redraw would leave the canvas
constexpr int32_t kUnsavedPreferencesNote = 116;    // settings kept out of the preference file
constexpr int32_t kDisagreeingValuesNote = 117;     // stored values read as those of them that agree
constexpr int32_t kUnusableSettingsNote = 118;      // settings a drawing recorded that it cannot give back
constexpr int32_t kPastCanvasNotDrawnNote = 119;    // dimensions a tool or command would draw past the canvas

// Notes one item (a name, a value, a command) under a heading; an item already noted under it
// is not repeated. Nothing is shown yet.
void NoteForUser(int32_t heading, const std::string& item);
// Notes the host error that stopped `what` (a command or tool as the user knows it) in words:
// why, and what to do. kCADErr (an alert was shown) and a cancel note nothing.
void NoteHostError(const std::string& what, AIErr err);
// Shows every note in one alert, each heading with its items, and forgets them; while the
// mouse button is held they wait for its release. With too little memory to put them
// together, the alert says that memory ran out.
void ShowNotesForUser();
// Makes the alert that memory ran out while there is memory to make it (at start-up).
void PrepareOutOfMemoryAlert();
// Notes the error that stopped the tool or command at work (NoteHostError) and shows the
// notes at once: for work the host started outside its messages, such as a dialog's
// procedures.
void TellErrorOfWorkInHand(AIErr err);
