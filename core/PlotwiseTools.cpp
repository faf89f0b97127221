// The tool table and the tool-event handlers. Each handler does what all tools share and
// then hands over to the current tool's own routine through its row.
#include "core/PlotwiseTools.h"

#include <initializer_list>
#include <cstring>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"

namespace {

using F = ToolFamily;

constexpr GlobalsView<CoreGlobals> g;

AIErr Call(AIErr (*routine)()) { return routine ? routine() : kNoErr; }

AIErr (*Routine(const PlotwiseToolRow* row, AIErr (*ToolRoutines::*which)()))() {
    return row && row->routines ? row->routines->*which : nullptr;
}

bool Option() { return (g->prefs.style.modifiers & kCADOptionModifier) != 0; }

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

void ClearClicks() {
    g->didFirstClick = g->didSecondClick = 0;
    g->clickNum = 0;
}

// Records the current layer as the one to return to.
AIErr RecordSaveLayer() {
    if (!sAILayer) return kNoErr;
    AILayerHandle layer = nullptr;
    AIErr err = sAILayer->GetCurrentLayer(&layer);
    if (err == kNoDocumentErr) return kNoErr;  // no document: nothing to remember
    if (err) return err;
    g->saveLayer = layer;
    return kNoErr;
}

AIErr RestoreSaveLayer() {
    if (!g->saveLayer || !sAILayer) return kNoErr;
    return sAILayer->SetCurrentLayer(g->saveLayer);
}

// --- mouse down per family ---

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

}  // namespace

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

namespace {

void RecordClick(const PlotwiseToolRow& row, AIRealPoint p) {
    switch (row.family) {
        case F::kDraw:
        case F::kDepth:
        case F::kWall:
        case F::kOffset:
        case F::kDivider:
            g->firstClick = p;
            g->didFirstClick = 1;
            break;
        case F::kThreePoint:
            if (g->didSecondClick) {
                g->thirdClick = p;
                g->didThirdClick = 1;
                g->clickNum = 3;
            } else {
                RecordTwoClicks(p);
            }
            break;
        case F::kCorner:
        case F::kProportion:
            if (g->didSecondClick)
                ClearClicks();
            else
                RecordTwoClicks(p);
            break;
        case F::kArc:
            if (g->didSecondClick) ClearClicks();
            RecordTwoClicks(p);
            break;
        case F::kTrim:
            g->firstClick = p;
            g->didFirstClick = 0;
            break;
        case F::kDimension:
        case F::kSetScale:
            RecordChainClick(p);
            g->curDimID = g->prefs.style.id + 1;
            break;
        case F::kDimResize:
            g->firstClick = p;
            g->preProcessedDimResizeTool = 0;
            break;
        case F::kClassBased:
            g->firstClick = p;
            g->didFirstClick = 1;
            break;
    }
}

// The behaviour the tool's family shares, from the subsystem that owns the family.
const ToolFamilyRoutines* FamilyRoutines(ToolFamily family) {
    for (const PlotwiseSubsystem* s : PlotwiseSubsystems())
        for (const ToolFamilyRoutines& f : s->toolFamilies)
            if (f.family == family) return &f;
    return nullptr;
}

// --- mouse up per family ---

AIErr DimensionMouseUp(const PlotwiseToolRow& row) {
    const bool dragged = g->toolWasDragged != 0;
    if (!dragged && (row.flags & kToolTwoClicksThenDrag)) {
        if (g->clickNum < 2) return kNoErr;  // waiting for the second click
        ClearClicks();
        AIErr err = Call(Routine(&row, &ToolRoutines::freeClicks));
        if (err) return err;
        return ShowCoreMessage(5);
    }
    if (!dragged && (row.flags & kToolNeedsDrag)) {
        ClearClicks();
        AIErr err = Call(Routine(&row, &ToolRoutines::freeClicks));
        if (err) return err;
        return ShowCoreMessage(4);
    }
    // A click of a chaining tool is one more point of the dimension in progress.
    if (!dragged && (row.flags & kToolChainClicks)) return kNoErr;
    g->prefs.style.id += 1;
    g->curDimID = g->prefs.style.id;
    AIErr err = Call(Routine(&row, &ToolRoutines::mouseUp));
    if (const ToolFamilyRoutines* family = FamilyRoutines(row.family); !err && family && family->complete)
        err = family->complete(row);
    ClearClicks();
    if (AIErr e = Call(Routine(&row, &ToolRoutines::freeClicks)); e && !err) err = e;
    if (AIErr e = RestoreSaveLayer(); e && !err) err = e;
    return err;
}

AIErr FamilyMouseUp(const PlotwiseToolRow& row) {
    if (const ToolFamilyRoutines* family = FamilyRoutines(row.family); family && family->mouseUp)
        return family->mouseUp(row);
    const bool dragged = g->toolWasDragged != 0;
    auto up = Routine(&row, &ToolRoutines::mouseUp);
    switch (row.family) {
        case F::kDimension:
            return DimensionMouseUp(row);
        case F::kDimResize:
            g->didFirstClick = 0;
            return g->resizingDimension ? Call(up) : kNoErr;
        case F::kSetScale: {
            g->didFirstClick = 0;
            if (!dragged) {
                ClearClicks();
                if (AIErr err = Call(Routine(&row, &ToolRoutines::freeClicks))) return err;
                return ShowCoreMessage(4);
            }
            if (AIErr err = sAIUndo->UndoChanges()) return err;
            return Call(up);
        }
        case F::kDraw:
            if (row.flags & kToolKeepsFirstClick) return dragged ? kNoErr : Call(up);
            [[fallthrough]];
        case F::kWall:
            g->didFirstClick = 0;
            return dragged ? kNoErr : Call(up);
        case F::kThreePoint:
            if (!dragged && g->didThirdClick) {
                AIErr err = Call(up);
                if (!err) {
                    ClearClicks();
                    g->didThirdClick = 0;
                }
                return err;
            }
            return kNoErr;
        case F::kArc:
            if (g->didFirstClick && g->didSecondClick) {
                AIErr err = dragged ? kNoErr : Call(up);
                ClearClicks();
                return err;
            }
            return kNoErr;
        case F::kCorner:
            if (g->didFirstClick && g->didSecondClick) {
                AIErr err = Call(up);
                if (!err) ClearClicks();
                return err;
            }
            return kNoErr;
        case F::kProportion:
            return g->didFirstClick && g->didSecondClick ? Call(up) : kNoErr;
        case F::kTrim: {
            g->draggingTrim = 0;
            AIErr err = dragged ? kNoErr : Call(up);
            ClearClicks();
            return err;
        }
        case F::kDivider:
            g->didFirstClick = 0;
            return Call(up);
        case F::kOffset:
            g->didFirstClick = 0;
            return !dragged && !Option() ? Call(up) : kNoErr;
        case F::kDepth:  // completed by its family
            return dragged ? kNoErr : Call(up);
        case F::kClassBased:
            g->didFirstClick = 0;
            return Call(up);
    }
    return kNoErr;
}

// The tracker's caption pair for the tool (strings 17400 + n): the arc tools measure a
// radius and an arc length; the circle tools set their own pair once they have drawn.
void TrackerCaptions(const PlotwiseToolRow* row, int32_t* first, int32_t* second) {
    const bool arc = row && row->family == F::kArc;
    *first = arc ? 17402 : 17403;
    *second = arc ? 17406 : 17404;
}

AIErr UpdateTrackerCaptions(const PlotwiseToolRow* row) {
    auto update = PlotwiseService().updateTrackerWindowLabels;
    if (!update) return kNoErr;
    int32_t first = 0, second = 0;
    TrackerCaptions(row, &first, &second);
    return update(first, second);
}

}  // namespace

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
    GetPlotwiseString(17500, row.stringIndex, title, sizeof title);
    GetPlotwiseString(17600, row.stringIndex, tip, sizeof tip);
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
                if (row.toolSet != set || !row.routines || row.handle()) continue;
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
    const bool dimensioning = row && row->family == F::kDimension;
    if (dimensioning && g->prefs.createDimensionLayer) {
        if (auto create = PlotwiseService().createDimensionLayer) (void)create();  // result not looked at
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

AIErr toolDeselect(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    AIErr err = Call(Routine(row, &ToolRoutines::freeClicks));
    ClearClicks();
    g->didThirdClick = 0;
    g->mouseIsDown = 0;
    if (err) return err;
    if (auto reset = PlotwiseService().resetTrackerWindow)
        if ((err = reset())) return err;
    if ((err = FollowCursorInAnnotator(nullptr))) return err;
    return RestoreSaveLayer();
}

AIErr toolTrackCursor(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    if (AIErr err = FollowCursorInAnnotator(&message->cursor)) return err;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    if (const ToolFamilyRoutines* family = row ? FamilyRoutines(row->family) : nullptr; family && family->trackCursor)
        (void)family->trackCursor(*row, message->cursor);  // the preview reports its own trouble
    g->toolWasTracked = 1;
    // The rulers' cursor marks follow the cursor.
    if (g->prefs.DERurureLayerVisible) return trackCursorInRulerAnnotator();
    return kNoErr;
}

AIErr toolMouseDown(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
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
    if (row->family == F::kDimResize) return kNoErr;  // its preparation runs at the first drag
    if (const ToolFamilyRoutines* family = FamilyRoutines(row->family); family && family->mouseDown)
        if (AIErr err = family->mouseDown(*row)) return err;
    AIErr err = Call(Routine(row, &ToolRoutines::mouseDown));
    // Previews select nothing and each drag's undo takes back the one before: with nothing
    // selected now, there is nothing for a drag to deselect, and a drag of a large document
    // need not look at all of its art.
    g->selectionInGesture = AnyArtSelected() ? 1 : 0;
    return err;
}

AIErr toolMouseDrag(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    const bool trim = row && row->family == F::kTrim;
    if (!trim) {
        if (AIErr err = sAIUndo->UndoChanges()) return err;
        if (g->selectionInGesture)
            if (AIErr err = deselectAllArt()) return err;
    }
    g->curTool = message->tool;
    g->dragging = 1;
    g->useNumericInputValues = 0;
    g->endPoint = message->cursor;
    if (AIErr err = FollowCursorInAnnotator(&message->cursor)) return err;
    if (!g->toolWasDragged) {
        if (Close(message->cursor, LastClick(), kDragThreshold)) return kNoErr;
        g->toolWasDragged = 1;
    }
    g->dragPoint = message->cursor;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    if (AIErr err = UpdateTrackerCaptions(row)) return err;
    if (!row) return kNoErr;
    auto drag = Routine(row, &ToolRoutines::drag);
    switch (row->family) {
        case F::kThreePoint:
            return ShowCoreMessage(71);
        case F::kArc:
            if (g->didFirstClick && !g->didSecondClick) return ShowCoreMessage(5);
            return Call(drag);
        case F::kTrim:
            g->draggingTrim = 1;
            g->firstClick = message->cursor;
            g->didFirstClick = g->didSecondClick = 0;
            Call(drag);  // cuts as far as they go; the result is not looked at
            return kNoErr;
        case F::kOffset:
            g->showOffsetAnnotator = 1;
            return Call(drag);
        case F::kDepth:
            if (row->flags & kToolPrimitive) g->drawingPrimitive = 1;
            Call(drag);  // the depth shapes report their own trouble
            return kNoErr;
        case F::kDimResize:
            if (!g->preProcessedDimResizeTool) {
                g->preProcessedDimResizeTool = 1;
                if (AIErr err = Call(Routine(row, &ToolRoutines::mouseDown))) return err;
            }
            return g->resizingDimension ? Call(drag) : kNoErr;
        default:
            return Call(drag);
    }
}

AIErr toolMouseUp(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    AIErr err = row ? FamilyMouseUp(*row) : kNoErr;
    g->mouseIsDown = 0;
    g->dragging = 0;
    g->showOffsetAnnotator = 0;
    g->autoToolInProgress = 0;
    g->prefs.style.modifiers = 0;
    // The drawings of the drag go; the crosshair stays with the cursor.
    if (AIErr e = FollowCursorInAnnotator(&message->cursor); e && !err) err = e;
    return err;
}

AIErr toolEditOptions(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    return Call(Routine(FindToolRow(message->tool), &ToolRoutines::editOptions));
}
