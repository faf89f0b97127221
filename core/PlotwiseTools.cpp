// The tool table and the tool-event handlers. Each handler does what all tools share, then
// hands over to the steps of the tool's family and to the tool's own routines, both named
// by its row.
#include "core/PlotwiseTools.h"

#include "core/DocumentRevision.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/UndoSteps.h"
#include "core/UserLayer.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

AIErr Call(AIErr (*routine)()) { return routine ? routine() : kNoErr; }

AIErr (*Routine(const PlotwiseToolRow* row, AIErr (*ToolRoutines::*which)()))() {
    return row && row->routines ? row->routines->*which : nullptr;
}

// The click the drag threshold is measured from.
const AIRealPoint& LastClick() {
    if (g->didThirdClick) return g->thirdClick;
    if (g->didSecondClick) return g->secondClick;
    return g->firstClick;
}

bool Close(const AIRealPoint& a, const AIRealPoint& b, AIReal tolerance) {
    if (sAIRealMath && sAIRealMath->AIRealPointClose) return sAIRealMath->AIRealPointClose(&a, &b, tolerance);
    const AIReal dh = a.h - b.h, dv = a.v - b.v;
    return dh * dh + dv * dv <= tolerance * tolerance;
}

// The steps of a tool's family; a tool without one takes every step's plain form.
const ToolFamilyRoutines& FamilyOf(const PlotwiseToolRow& row) {
    static constexpr ToolFamilyRoutines kPlain{};
    return row.family ? *row.family : kPlain;
}

void RecordClick(const PlotwiseToolRow& row, AIRealPoint p) {
    if (auto record = FamilyOf(row).recordClick) return record(row, p);
    g->firstClick = p;
    g->didFirstClick = 1;
}

// How the press in hand was refused (CoreGlobals::pressRefused).
enum : int { kPressNotRefused = 0, kRefusedAtPress = 1, kRefusedInDrag = 2 };

// Marks the press refused when `err` is a refusal or failure of one of its steps.
AIErr NoteRefusal(AIErr err, int how) {
    if (err && g->pressRefused == kPressNotRefused) g->pressRefused = how;
    return err;
}

// The release of a refused press: its clicks go, and nothing more is drawn or said.
AIErr AbandonPress(const PlotwiseToolRow& row) {
    ClearClicks();
    return CallToolRoutine(row, &ToolRoutines::freeClicks);
}

// The front document's revision, 0 when the host gives none.
uint64_t Revision() {
    DocumentStamp now;
    return CurrentDocumentStamp(&now) ? now.revision : 0;
}

// A release that changed nothing after a last drag whose tool drew nothing: the selection
// that drag put aside for a preview comes back, since there is none (a drag in space, or on
// art the tool does not take), and the gesture leaves the drawing as it was.
AIErr GiveBackDragSelection(const PlotwiseToolRow& row, uint64_t beforeRelease) {
    if (g->lastDragDrew || (FamilyOf(row).flags & kFamilyKeepsEachDrag)) return kNoErr;
    if (!beforeRelease || Revision() != beforeRelease) return kNoErr;
    return sAIUndo->UndoChanges();
}

AIErr FamilyMouseUp(const PlotwiseToolRow& row) {
    if (auto up = FamilyOf(row).mouseUp) return up(row);
    g->didFirstClick = 0;
    return CallToolRoutine(row, &ToolRoutines::mouseUp);
}

// The tracker's caption pair for the tool (strings 17400 + n), from its family: length and
// perimeter unless the family says otherwise; the circle tools set their own pair once they
// have drawn.
AIErr UpdateTrackerCaptions(const PlotwiseToolRow* row) {
    auto update = PlotwiseService().updateTrackerWindowLabels;
    if (!update) return kNoErr;
    TrackerCaptions captions = row ? FamilyOf(*row).captions : TrackerCaptions{};
    if (!captions.first) captions = {TrackerCaptions::kLength, TrackerCaptions::kPerimeter};
    return update(captions.first, captions.second);
}

}  // namespace

void ClearClicks() {
    g->didFirstClick = g->didSecondClick = 0;
    g->clickNum = 0;
}

void RecordTwoClicks(AIRealPoint p) {
    if (g->didFirstClick) {
        g->secondClick = p;
        g->didSecondClick = 1;
        g->clickNum = 2;
    } else {
        g->firstClick = p;
        g->didFirstClick = 1;
        g->clickNum = 1;
    }
}

void RecordChainClick(AIRealPoint p) {
    if (!g->didFirstClick) {
        g->firstClick = p;
        g->didFirstClick = 1;
        g->clickNum = 1;
    } else {
        g->secondClick = p;
        g->didSecondClick = 1;
        ++g->clickNum;
    }
}

AIErr CallToolRoutine(const PlotwiseToolRow& row, AIErr (*ToolRoutines::*which)()) {
    return Call(Routine(&row, which));
}

AIErr RefuseClick(const PlotwiseToolRow& row, int32_t message) {
    ClearClicks();
    if (AIErr err = CallToolRoutine(row, &ToolRoutines::freeClicks)) return err;
    return ShowCoreMessage(message);
}

const PlotwiseToolRow* FindToolRow(AIToolHandle tool) {
    if (!tool || !g) return nullptr;
    for (const PlotwiseSubsystem* s : PlotwiseSubsystems())
        for (const PlotwiseToolRow& row : s->tools)
            if (row.handle() == tool) return &row;
    return nullptr;
}

namespace {

// Registers one tool: into the toolbox group, and into the tool set when there is one.
AIErr AddTool(const PlotwiseToolRow& row, AIToolType groupNumber, AIToolType setNumber, AIToolType* number) {
    char title[kAIToolTitleSize];
    char tip[kAIToolTipSize];
    GetPlotwiseString(kToolTitleList, row.stringIndex, title, sizeof title);
    GetPlotwiseString(kToolTipList, row.stringIndex, tip, sizeof tip);
    if (!title[0]) CopyCString(title, sizeof title, row.name);
    AIAddToolData data{title, tip, 0, groupNumber, setNumber};
    // Every tool follows the cursor: the annotator's crosshair and the rulers' cursor marks
    // go with it, besides the tools that draw between clicks.
    int32_t options = kToolWantsToTrackCursorOption;
    if (row.routines->editOptions) options |= kToolWantsOptionsOption;
    AIToolHandle tool = nullptr;
    if (AIErr err = sAITool->AddTool(g->thisPlugin, row.name, &data, options, &tool)) return err;
    row.handle() = tool;
    return sAITool->GetToolNumberFromHandle(tool, number);
}

}  // namespace

AIErr AddTools() {
    // One toolbox group; the tools of each set together, in subsystem and row order.
    AIToolType groupNumber = kNoTool;
    for (int16_t set = 1; set <= kToolSetCount; ++set) {
        AIToolType setNumber = kNoTool;
        for (const PlotwiseSubsystem* s : PlotwiseSubsystems()) {
            for (const PlotwiseToolRow& row : s->tools) {
                if (row.toolSet != set || !row.routines || (row.flags & kToolNotOffered) || row.handle()) continue;
                AIToolType number = kNoTool;
                if (AIErr err = AddTool(row, groupNumber, setNumber, &number)) return err;
                if (groupNumber == kNoTool) groupNumber = number;
                if (setNumber == kNoTool) setNumber = number;
            }
        }
    }
    return kNoErr;
}

void getCADModifierKeys(unsigned short modifiers) {
    if (g == nullptr) return;
    int32_t bits = 0;
    if (modifiers & kToolEventShiftKey) bits += 1;
    if (modifiers & kToolEventOptionKey) bits += 2;
    if (modifiers & kToolEventCommandKey) bits += 8 + 4;
    g->prefs.style.modifiers = bits;
}

AIErr ShowCoreMessage(int32_t index) {
    char text[512];
    GetPlotwiseString(kMessageList, index, text, sizeof text);
    g->didThirdClick = 0;  // a refused gesture leaves no click of a three-point tool behind
    return doPlotwiseErrorDialog(text);
}

// ---------------------------------------------------------------------------------------
// Handlers

AIErr toolSelect(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    g->curTool = message->tool;
    if (AIErr err = RecordSaveLayer()) return err;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    const bool dimensioning = row && (FamilyOf(*row).flags & kFamilyDimensionTools);
    if (dimensioning && g->prefs.createDimensionLayer) {
        if (auto find = PlotwiseService().findDimensionLayer) (void)find();  // result not looked at
    } else {
        g->firstArt = nullptr;
        if (g->saveLayer) {
            if (AIErr err = sAIArt->GetFirstArtOfLayer(g->saveLayer, &g->firstArt)) return err;
        }
    }
    g->firstArtType = kUnknownArt;
    if (g->firstArt) {
        if (AIErr err = sAIArt->GetArtType(g->firstArt, &g->firstArtType)) return err;
    }
    g->labelToolSelected = row && (row->flags & kToolLabelLike) ? 1 : 0;
    g->dimensionToolSelected = dimensioning ? 1 : 0;
    if (AIErr err = UpdateTrackerCaptions(row)) return err;
    return RunPlotwiseHooks(&PlotwiseHooks::toolSelected);
}

AIErr EndToolCommand(AIToolHandle tool) {
    AIErr err = Call(Routine(FindToolRow(tool), &ToolRoutines::freeClicks));
    ClearClicks();
    g->didThirdClick = 0;
    g->mouseIsDown = 0;
    g->pressRefused = kPressNotRefused;
    if (AIErr e = RunPlotwiseHooks(&PlotwiseHooks::toolCommandEnded, false); e && !err) err = e;
    return err;
}

AIErr toolDeselect(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    if (AIErr err = EndToolCommand(message->tool)) return err;
    if (auto reset = PlotwiseService().resetTrackerWindow)
        if (AIErr err = reset()) return err;
    if (AIErr err = FollowCursorInAnnotator(nullptr)) return err;
    return RestoreSaveLayer();
}

AIErr toolTrackCursor(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    if (AIErr err = FollowCursorInAnnotator(&message->cursor)) return err;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    if (auto track = row ? FamilyOf(*row).trackCursor : nullptr)
        (void)track(*row, message->cursor);  // the preview reports its own trouble
    g->toolWasTracked = 1;
    // The rulers' cursor marks follow the cursor.
    if (g->prefs.DERurureLayerVisible) return trackCursorInRulerAnnotator();
    return kNoErr;
}

namespace {

AIErr PressSteps(AIToolMessage* message) {
    g->mouseIsDown = 1;
    ++g->gestureNumber;
    g->curTool = message->tool;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    AIRealPoint p = message->cursor;
    if (g->prefs.snapToGrid || g->prefs.objectSnapFullScreenCursor) {
        AIRealPoint snapped = p;
        if (auto snap = PlotwiseService().snapToGridCheckAxonometric; snap && snap(&snapped)) p = snapped;
    }
    g->startingPoint = p;
    g->basePoint1 = p;
    if (AIErr err = FollowCursorInAnnotator(&message->cursor)) return err;
    // A new gesture: neither dragged nor tracked yet (otherwise the dialogs that open only
    // for an untracked click could never open).
    g->toolWasDragged = 0;
    g->toolWasTracked = 0;
    g->dragging = 0;
    g->selectionInGesture = 1;  // until known otherwise, each drag deselects
    if (AIErr err = RecordSaveLayer()) return err;
    if (AIErr err = RunPlotwiseHooks(&PlotwiseHooks::toolMouseDown)) return err;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    if (!row) return kNoErr;
    RecordClick(*row, p);
    const ToolFamilyRoutines& family = FamilyOf(*row);
    if (family.flags & kFamilyPrepareAtDrag) return kNoErr;
    if (family.mouseDown)
        if (AIErr err = family.mouseDown(*row)) return err;
    AIErr err = CallToolRoutine(*row, &ToolRoutines::mouseDown);
    // Previews select nothing and each drag's undo takes back the one before: with nothing
    // selected now, there is nothing for a drag to deselect, and a drag of a large document
    // need not look at all of its art.
    g->selectionInGesture = AnyArtSelected() ? 1 : 0;
    return err;
}

AIErr DragSteps(AIToolMessage* message) {
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    const bool redraws = !row || !(FamilyOf(*row).flags & kFamilyKeepsEachDrag);
    if (redraws)
        if (AIErr err = sAIUndo->UndoChanges()) return err;
    g->curTool = message->tool;
    g->dragging = 1;
    g->useNumericInputValues = 0;
    g->endPoint = message->cursor;
    g->lastDragDrew = 0;
    if (AIErr err = FollowCursorInAnnotator(&message->cursor)) return err;
    // A hand that trembles while it clicks is no drag: the selection stays.
    if (!g->toolWasDragged) {
        if (Close(message->cursor, LastClick(), kDragThreshold)) return kNoErr;
        g->toolWasDragged = 1;
    }
    if (redraws && g->selectionInGesture)
        if (AIErr err = deselectAllArt()) return err;
    g->dragPoint = message->cursor;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    if (AIErr err = UpdateTrackerCaptions(row)) return err;
    if (!row) return kNoErr;
    const uint64_t before = Revision();
    g->lastDragDrew = 1;  // until the tool's drag says that it took away all it made
    auto drag = FamilyOf(*row).drag;
    const AIErr err = drag ? drag(*row, message->cursor) : CallToolRoutine(*row, &ToolRoutines::drag);
    if (g->lastDragDrew) g->lastDragDrew = !before || Revision() != before ? 1 : 0;
    return err;
}

}  // namespace

AIErr toolMouseDown(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    g->pressRefused = kPressNotRefused;
    g->lastDragDrew = 0;
    return MarkGestureRefused(NoteRefusal(PressSteps(message), kRefusedAtPress));
}

AIErr toolMouseDrag(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    if (g->pressRefused) return kNoErr;  // refused: the press has ended for the tool
    return MarkGestureRefused(NoteRefusal(DragSteps(message), kRefusedInDrag));
}

AIErr toolMouseUp(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    // A drag refused for a closed layer was a drag all the same, though the alert cleared the
    // gesture's clicks: its release is no click that opens a tool's dialog.
    if (g->closedLayerGesture == g->gestureNumber) g->toolWasDragged = 1;
    const bool refused = g->pressRefused != kPressNotRefused;
    const uint64_t beforeRelease = Revision();
    AIErr err = !row ? kNoErr : refused ? AbandonPress(*row) : MarkGestureRefused(FamilyMouseUp(*row));
    if (row && !refused && !err) err = GiveBackDragSelection(*row, beforeRelease);
    g->pressRefused = kPressNotRefused;
    g->mouseIsDown = 0;
    g->dragging = 0;
    g->showOffsetAnnotator = 0;
    g->autoToolInProgress = 0;
    g->prefs.style.modifiers = 0;
    // The drawings of the drag go; the crosshair stays with the cursor.
    if (AIErr e = FollowCursorInAnnotator(&message->cursor); e && !err) err = e;
    // A tool that worked on another layer leaves the user on their own.
    if (AIErr e = RestoreSaveLayer(); e && !err) err = e;
    if (refused || err || !ToolCommandGoesOn())
        if (AIErr e = RunPlotwiseHooks(&PlotwiseHooks::toolCommandEnded, !refused && !err); e && !err) err = e;
    return err;
}

AIErr toolEditOptions(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    return Call(Routine(FindToolRow(message->tool), &ToolRoutines::editOptions));
}
