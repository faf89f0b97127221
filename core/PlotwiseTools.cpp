// The tool table and the tool-event handlers. Each handler does what all tools share and
// then hands over to the current tool's own routine through its row.
#include "PlotwiseTools.h"

#include <initializer_list>
#include <cstring>

#include "NumericFields.h"
#include "PlotwisePlugin.h"
#include "PlotwiseSelection.h"
#include "PlotwiseStrings.h"
#include "PlotwiseSuites.h"

namespace {

using F = ToolFamily;
using G = PlotwiseGlobals;

// Toolbox order; the string index gives the title (17500 + n) and tip (17600 + n).
PlotwiseToolRow gTools[] = {
    // 1: linear dimensions and measuring
    {&G::htool, "Plotwise Horizontal Dimension", 1, 1, F::kDimension, 0, nullptr},
    {&G::vtool, "Plotwise Vertical Dimension", 2, 1, F::kDimension, 0, nullptr},
    {&G::ultool, "Plotwise Aligned Dimension", 3, 1, F::kDimension, 0, nullptr},
    {&G::autohtool, "Plotwise Auto Horizontal Dimension", 4, 1, F::kDimension, 0, nullptr},
    {&G::autovtool, "Plotwise Auto Vertical Dimension", 5, 1, F::kDimension, 0, nullptr},
    {&G::autoultool, "Plotwise Auto Aligned Dimension", 6, 1, F::kDimension, 0, nullptr},
    {&G::datumhtool, "Plotwise Horizontal Datum Dimension", 7, 1, F::kDimension, 0, nullptr},
    {&G::datumvtool, "Plotwise Vertical Datum Dimension", 8, 1, F::kDimension, 0, nullptr},
    {&G::datumultool, "Plotwise Aligned Datum Dimension", 9, 1, F::kDimension, 0, nullptr},
    {&G::measuredistancetool, "Plotwise Measure Distance", 10, 1, F::kDimension, kToolNeedsDrag, nullptr},
    {&G::dimresizetool, "Plotwise Dimension Resize", 11, 1, F::kDimResize, 0, nullptr},
    {&G::setScaleTool, "Plotwise Set Scale", 55, 1, F::kSetScale, 0, nullptr},
    // 2: axonometric dimensions
    {&G::hisotool, "Plotwise Axonometric Horizontal Dimension", 28, 2, F::kDimension, 0, nullptr},
    {&G::visotool, "Plotwise Axonometric Vertical Dimension", 29, 2, F::kDimension, 0, nullptr},
    {&G::autohisotool, "Plotwise Axonometric Auto Horizontal Dimension", 30, 2, F::kDimension, 0, nullptr},
    {&G::autovisotool, "Plotwise Axonometric Auto Vertical Dimension", 31, 2, F::kDimension, 0, nullptr},
    {&G::datumhisotool, "Plotwise Axonometric Horizontal Datum Dimension", 32, 2, F::kDimension, 0, nullptr},
    {&G::datumvisotool, "Plotwise Axonometric Vertical Datum Dimension", 33, 2, F::kDimension, 0, nullptr},
    {&G::isocenterlinetool, "Plotwise Axonometric Center Line", 34, 2, F::kDimension,
     kToolNeedsDrag | kToolLabelLike, nullptr},
    {&G::isoradtool, "Plotwise Axonometric Radius Dimension", 35, 2, F::kDimension, 0, nullptr},
    {&G::isodiamtool, "Plotwise Axonometric Diameter Dimension", 36, 2, F::kDimension, 0, nullptr},
    {&G::isocctool, "Plotwise Axonometric Center Mark", 37, 2, F::kDimension, 0, nullptr},
    // 3: angular, radial, section and centre lines
    {&G::autoangtool, "Plotwise Angular Dimension", 14, 3, F::kDimension, kToolTwoClicksThenDrag, nullptr},
    {&G::arclentool, "Plotwise Arc Length Dimension", 15, 3, F::kDimension, kToolTwoClicksThenDrag, nullptr},
    {&G::curvetool, "Plotwise Curve Dimension", 16, 3, F::kDimension, kToolNeedsDrag, nullptr},
    {&G::radtool, "Plotwise Radius Dimension", 17, 3, F::kDimension, 0, nullptr},
    {&G::diamtool, "Plotwise Diameter Dimension", 18, 3, F::kDimension, 0, nullptr},
    {&G::cctool, "Plotwise Center Mark", 19, 3, F::kDimension, 0, nullptr},
    {&G::tantool, "Plotwise Tangent Dimension", 49, 3, F::kDimension, 0, nullptr},
    {&G::FilletDimTool, "Plotwise Fillet Dimension", 20, 3, F::kDimension, 0, nullptr},
    {&G::sectiontool, "Plotwise Section Line", 12, 3, F::kDimension, kToolNeedsDrag | kToolLabelLike, nullptr},
    {&G::centerlinetool, "Plotwise Center Line", 13, 3, F::kDimension, kToolNeedsDrag | kToolLabelLike, nullptr},
    // 4: labels and datum symbols
    {&G::pttool, "Plotwise Pointer Label", 21, 4, F::kDimension, kToolLabelLike, nullptr},
    {&G::ptlongtool, "Plotwise Word Label", 22, 4, F::kDimension, kToolLabelLike, nullptr},
    {&G::bubbletool, "Plotwise Bubble Label", 23, 4, F::kDimension, kToolLabelLike, nullptr},
    {&G::datumflagtool, "Plotwise Datum Flag", 24, 4, F::kDimension, kToolLabelLike, nullptr},
    {&G::datumfeaturetool, "Plotwise Datum Feature", 25, 4, F::kDimension, kToolLabelLike, nullptr},
    {&G::datumtargettool, "Plotwise Datum Target", 26, 4, F::kDimension, kToolLabelLike, nullptr},
    {&G::calloutstool, "Plotwise Callout", 27, 4, F::kDimension, kToolLabelLike, nullptr},
    // 5: drawing
    {&G::cadlinetool, "Plotwise CAD Line", 38, 5, F::kDraw, 0, nullptr},
    {&G::cadrecttool, "Plotwise CAD Rectangle", 39, 5, F::kDraw, 0, nullptr},
    {&G::cadrectcentertool, "Plotwise CAD Rectangle From Center", 40, 5, F::kDraw, 0, nullptr},
    {&G::cadcircletool, "Plotwise CAD Ellipse", 41, 5, F::kDraw, 0, nullptr},
    {&G::cadcirclecentertool, "Plotwise CAD Ellipse From Center", 42, 5, F::kDraw, 0, nullptr},
    {&G::threePointCircleTool, "Plotwise Three Point Circle", 43, 5, F::kThreePoint, 0, nullptr},
    {&G::cadarctool, "Plotwise CAD Arc", 44, 5, F::kArc, 0, nullptr},
    {&G::cadarcbypointstool, "Plotwise CAD Arc By Points", 45, 5, F::kArc, 0, nullptr},
    {&G::TanPerpLineTool, "Plotwise Tangent Perpendicular Line", 46, 5, F::kDraw, 0, nullptr},
    {&G::OffsetTool, "Plotwise Offset", 47, 5, F::kOffset, 0, nullptr},
    {&G::proportiontool, "Plotwise Proportion", 48, 5, F::kProportion, 0, nullptr},
    // 6: editing
    {&G::cadfillettool, "Plotwise Fillet", 50, 6, F::kCorner, 0, nullptr},
    {&G::cadchamfertool, "Plotwise Chamfer", 51, 6, F::kCorner, 0, nullptr},
    {&G::cadextendtool, "Plotwise Extend", 52, 6, F::kCorner, 0, nullptr},
    {&G::cadtrimtool, "Plotwise Trim", 53, 6, F::kTrim, 0, nullptr},
    {&G::subdividetool, "Plotwise Path Divider", 54, 6, F::kDivider, 0, nullptr},
    // 7: axonometric depth, walls and object tools
    {&G::depthRectTool, "Plotwise Depth Rectangle", 56, 7, F::kDepth, 0, nullptr},
    {&G::depthRectCenterTool, "Plotwise Depth Rectangle From Center", 57, 7, F::kDepth, 0, nullptr},
    {&G::depthEllipseTool, "Plotwise Depth Ellipse", 58, 7, F::kDepth, 0, nullptr},
    {&G::depthEllipseCenterTool, "Plotwise Depth Ellipse From Center", 59, 7, F::kDepth, 0, nullptr},
    {&G::depthCubeTool, "Plotwise Depth Cube", 60, 7, F::kDepth, kToolPrimitive | kToolTrackCursor, nullptr},
    {&G::depthCylinderTool, "Plotwise Depth Cylinder", 61, 7, F::kDepth, kToolPrimitive | kToolTrackCursor,
     nullptr},
    {&G::depthGridTool, "Plotwise Depth Grid", 62, 7, F::kDepth, 0, nullptr},
    {&G::AddWallTool, "Plotwise Add Wall", 63, 7, F::kWall, 0, nullptr},
    {&G::RemoveWallTool, "Plotwise Remove Wall", 64, 7, F::kWall, 0, nullptr},
    {&G::MoveWallTool, "Plotwise Move Wall", 65, 7, F::kWall, 0, nullptr},
    {&G::doorInsertionTool, "Plotwise Door Insertion", 66, 7, F::kClassBased, 0, nullptr},
    {&G::windowInsertionTool, "Plotwise Window Insertion", 67, 7, F::kClassBased, 0, nullptr},
    {&G::tableTool, "Plotwise Table", 68, 7, F::kClassBased, kToolLabelLike, nullptr},
    {&G::titleBlockTool, "Plotwise Title Block", 69, 7, F::kClassBased, kToolLabelLike, nullptr},
};

constexpr size_t kToolCount = sizeof gTools / sizeof gTools[0];

bool IsCallout(const PlotwiseToolRow& row) { return row.handle == &G::calloutstool; }

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
            if (!g->didFirstClick) {
                g->firstClick = p;
                g->didFirstClick = 1;
                g->clickNum = 1;
            } else {
                g->secondClick = p;
                g->didSecondClick = 1;
                ++g->clickNum;
            }
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
    g->prefs.style.id += 1;
    g->curDimID = g->prefs.style.id;
    AIErr err = Call(Routine(&row, &ToolRoutines::mouseUp));
    ClearClicks();
    if (AIErr e = Call(Routine(&row, &ToolRoutines::freeClicks)); e && !err) err = e;
    if (AIErr e = RestoreSaveLayer(); e && !err) err = e;
    return err;
}

AIErr DepthMouseUp(const PlotwiseToolRow& row) {
    g->canAnnotateIntersection = 0;
    g->usingDepthGridTool = 0;
    if (g->drawingPrimitive) {
        if (g->firstMouseNotYetUp) {
            g->firstMouseNotYetUp = 0;
        } else {
            g->firstMouseNotYetUp = 1;
            g->drawingPrimitive = 0;
            g->depthArt2 = g->depthArt3 = nullptr;
        }
    }
    const bool primitive = (row.flags & kToolPrimitive) != 0;
    if (!g->toolWasDragged) {
        if (primitive && g->toolWasTracked) return kNoErr;
        return Call(Routine(&row, &ToolRoutines::mouseUp));
    }
    ++g->depthObjNum;
    if (!primitive) return kNoErr;
    for (AIArtHandle art : {g->primitiveGroup, g->depthArt3, g->depthArt2, g->depthArt}) {
        if (!art) continue;
        if (AIErr err = sAITag->SetTag(art, "ZMK_Primitive_Selected", kTagString, "")) return err;
    }
    if (g->primitiveMouseupTimer) return sAITimer->SetTimerActive(g->primitiveMouseupTimer, true);
    return kNoErr;
}

AIErr FamilyMouseUp(const PlotwiseToolRow& row) {
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
            if (row.handle == &G::TanPerpLineTool) return dragged ? kNoErr : Call(up);
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
        case F::kDepth:
            return DepthMouseUp(row);
        case F::kClassBased:
            g->didFirstClick = 0;
            return Call(up);
    }
    return kNoErr;
}

// The tracker's caption pair for the tool (strings 17400 + n).
void TrackerCaptions(const PlotwiseToolRow* row, int32_t* first, int32_t* second) {
    *first = 17403;
    *second = 17404;
    if (!row) return;
    if (row->handle == &G::cadcircletool || row->handle == &G::cadcirclecentertool) {
        if (g->prefs.style.modifiers & kCADShiftModifier) {
            *first = row->handle == &G::cadcircletool ? 17401 : 17402;
            *second = 17405;
        }
    } else if (row->family == F::kArc) {
        *first = 17402;
        *second = 17406;
    }
}

AIErr UpdateTrackerCaptions(const PlotwiseToolRow* row) {
    auto update = PlotwiseHookTable().updateTrackerWindowLabels;
    if (!update) return kNoErr;
    int32_t first = 0, second = 0;
    TrackerCaptions(row, &first, &second);
    return update(first, second);
}

}  // namespace

const PlotwiseToolRow* PlotwiseToolTable(size_t* count) {
    if (count) *count = kToolCount;
    return gTools;
}

const PlotwiseToolRow* FindToolRow(AIToolHandle tool) {
    if (!tool || !g) return nullptr;
    for (const PlotwiseToolRow& row : gTools)
        if (g->*row.handle == tool) return &row;
    return nullptr;
}

void SetToolRoutines(AIToolHandle PlotwiseGlobals::*handle, const ToolRoutines* routines) {
    for (PlotwiseToolRow& row : gTools)
        if (row.handle == handle) row.routines = routines;
}

AIErr AddTools() {
    AIToolType groupNumber = kNoTool;
    int16_t currentSet = 0;
    AIToolType setNumber = kNoTool;
    for (const PlotwiseToolRow& row : gTools) {
        if (!row.routines || IsCallout(row) || g->*row.handle) continue;
        char title[kAIToolTitleSize];
        char tip[kAIToolTipSize];
        GetPlotwiseString(17500, row.stringIndex, title, sizeof title);
        GetPlotwiseString(17600, row.stringIndex, tip, sizeof tip);
        if (!title[0]) CopyCString(title, sizeof title, row.name);
        if (row.toolSet != currentSet) setNumber = kNoTool;
        AIAddToolData data{title, tip, 0, groupNumber, setNumber};
        int32_t options = (row.flags & kToolTrackCursor) ? kToolWantsToTrackCursorOption : 0;
        if (row.routines->editOptions) options |= kToolWantsOptionsOption;
        AIToolHandle tool = nullptr;
        if (AIErr err = sAITool->AddTool(g->thisPlugin, row.name, &data, options, &tool)) return err;
        g->*row.handle = tool;
        AIToolType number = kNoTool;
        if (AIErr err = sAITool->GetToolNumberFromHandle(tool, &number)) return err;
        if (groupNumber == kNoTool) groupNumber = number;
        if (row.toolSet != currentSet) {
            currentSet = row.toolSet;
            setNumber = number;
        }
    }
    return kNoErr;
}

AIErr ShowCoreMessage(int32_t index) {
    ClearClicks();
    g->didThirdClick = 0;
    g->toolWasDragged = 0;
    g->dragTipDisplayed = 0;
    g->curvetoolNeedsToDrawText = 0;
    if (!g->updatingDimensions && sADMBasic) {
        char text[512];
        GetPlotwiseString(17000, index, text, sizeof text);
        sADMBasic->MessageAlert(text);
    }
    return kCADErr;
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
        if (auto create = PlotwiseHookTable().createDimensionLayer) (void)create();  // result not looked at
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
    return UpdateTrackerCaptions(row);
}

AIErr toolDeselect(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    AIErr err = Call(Routine(row, &ToolRoutines::freeClicks));
    ClearClicks();
    g->didThirdClick = 0;
    if (err) return err;
    if (auto reset = PlotwiseHookTable().resetTrackerWindow)
        if ((err = reset())) return err;
    return RestoreSaveLayer();
}

AIErr toolTrackCursor(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    if (g->drawingPrimitive) {
        for (AIArtHandle* art : {&g->depthArt2, &g->depthArt3}) {
            if (*art) sAIArt->DisposeArt(*art);
            *art = nullptr;
        }
        g->primitiveTrackLoc = message->cursor;
        if (!g->firstMouseNotYetUp) {
            const PlotwiseToolRow* row = FindToolRow(message->tool);
            Call(Routine(row, &ToolRoutines::drag));  // results not looked at
        }
    }
    g->toolWasTracked = 1;
    // The rulers' cursor marks follow the cursor.
    if (g->prefs.DERurureLayerVisible) return trackCursorInRulerAnnotator();
    return kNoErr;
}

AIErr toolMouseDown(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    g->curTool = message->tool;
    getCADModifierKeys(static_cast<unsigned short>(message->event.modifiers));
    AIRealPoint p = message->cursor;
    if (g->prefs.snapToGrid || g->prefs.objectSnapFullScreenCursor) {
        AIRealPoint snapped = p;
        if (auto snap = PlotwiseHookTable().snapToGridCheckAxonometric; snap && snap(&snapped)) p = snapped;
    }
    g->startingPoint = p;
    g->basePoint1 = p;
    // A new gesture: neither dragged nor tracked yet (otherwise the dialogs that open only
    // for an untracked click could never open).
    g->toolWasDragged = 0;
    g->toolWasTracked = 0;
    g->dragging = 0;
    if (AIErr err = RecordSaveLayer()) return err;
    if (auto styles = PlotwiseHookTable().setPathAndArrowheadStyles)
        if (AIErr err = styles()) return err;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    if (!row) return kNoErr;
    RecordClick(*row, p);
    if (row->family == F::kDimResize) return kNoErr;  // its preparation runs at the first drag
    return Call(Routine(row, &ToolRoutines::mouseDown));
}

AIErr toolMouseDrag(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    const PlotwiseToolRow* row = FindToolRow(message->tool);
    const bool trim = row && row->family == F::kTrim;
    if (!trim) {
        if (AIErr err = sAIUndo->UndoChanges()) return err;
        if (AIErr err = DeselectAllArt()) return err;
    }
    g->curTool = message->tool;
    g->dragging = 1;
    g->useNumericInputValues = 0;
    g->endPoint = message->cursor;
    if (!g->toolWasDragged) {
        if (Close(message->cursor, LastClick(), kDragThreshold)) return kNoErr;
        g->toolWasDragged = 1;
    }
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
    g->dragging = 0;
    g->showOffsetAnnotator = 0;
    g->autoToolInProgress = 0;
    g->prefs.style.modifiers = 0;
    return err;
}

AIErr toolEditOptions(AIToolMessage* message) {
    if (!message) return kBadParameterErr;
    return Call(Routine(FindToolRow(message->tool), &ToolRoutines::editOptions));
}
