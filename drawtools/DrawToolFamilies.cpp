// The drawing and editing tools' families: click recording, drag and mouse up per family.
#include "drawtools/DrawToolFamilies.h"

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseTools.h"
#include "dimtools/ArcSegment.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kThreeClicksMessage = 71;  // 17071: the three-point tools are not dragged

bool Dragged() { return g->toolWasDragged != 0; }
bool TwoClicks() { return g->didFirstClick && g->didSecondClick; }
AIErr ToolUp(const PlotwiseToolRow& row) { return CallToolRoutine(row, &ToolRoutines::mouseUp); }
AIErr ToolDrag(const PlotwiseToolRow& row) { return CallToolRoutine(row, &ToolRoutines::drag); }

// The press of a tool that edits the art it is clicked on is refused at once where its click
// would be, not at the click after it: on a dimension's part alone, or on art of a locked
// layer (named), so a drag from there is refused too. A press in space is left to the tool.
AIErr RefusePressOnDimensionOrLockedArt(const PlotwiseToolRow&) {
    AIToolHitData hit{};
    bool onDimension = false;
    if (AIErr err = HitEditedArt(g->startingPoint, kAllHitRequest, &hit, &onDimension)) return err;
    return onDimension ? RefuseClick(true) : kNoErr;
}

// Two clicks make the gesture; a press after both starts over with nothing recorded.
void RecordPairOrClear(const PlotwiseToolRow&, AIRealPoint p) {
    if (g->didSecondClick)
        ClearClicks();
    else
        RecordTwoClicks(p);
}

void RecordThreeClicks(const PlotwiseToolRow&, AIRealPoint p) {
    if (g->didSecondClick) {
        g->thirdClick = p;
        g->didThirdClick = 1;
        g->clickNum = 3;
    } else {
        RecordTwoClicks(p);
    }
}

AIErr ThreePointMouseUp(const PlotwiseToolRow& row) {
    if (Dragged() || !g->didThirdClick) return kNoErr;
    AIErr err = ToolUp(row);
    if (!err) {
        ClearClicks();
        g->didThirdClick = 0;
    }
    return err;
}

AIErr CornerMouseUp(const PlotwiseToolRow& row) {
    if (!TwoClicks()) return kNoErr;
    AIErr err = ToolUp(row);
    if (!err) ClearClicks();
    return err;
}

void RecordArcClick(const PlotwiseToolRow&, AIRealPoint p) {
    if (g->didSecondClick) ClearClicks();
    RecordTwoClicks(p);
}

AIErr ArcDrag(const PlotwiseToolRow& row, AIRealPoint) {
    if (g->didFirstClick && !g->didSecondClick) return ShowCoreMessage(kTwoClicksThenDragMessage);
    return ToolDrag(row);
}

AIErr ArcMouseUp(const PlotwiseToolRow& row) {
    if (!TwoClicks()) return kNoErr;
    AIErr err = Dragged() ? kNoErr : ToolUp(row);
    ClearClicks();
    return err;
}

AIErr TrimDrag(const PlotwiseToolRow& row, AIRealPoint cursor) {
    g->draggingTrim = 1;
    g->firstClick = cursor;
    g->didFirstClick = g->didSecondClick = 0;
    (void)ToolDrag(row);  // cuts as far as they go; the result is not looked at
    return kNoErr;
}

AIErr TrimMouseUp(const PlotwiseToolRow& row) {
    g->draggingTrim = 0;
    AIErr err = Dragged() ? kNoErr : ToolUp(row);
    ClearClicks();
    return err;
}

}  // namespace

AIErr DrawToolMouseUp(const PlotwiseToolRow& row) {
    if (!(row.flags & kToolKeepsFirstClick)) g->didFirstClick = 0;
    return Dragged() ? kNoErr : ToolUp(row);
}

const ToolFamilyRoutines kDrawToolFamily{.mouseUp = &DrawToolMouseUp, .flags = kFamilyDrawsOnCurrentLayer};

const ToolFamilyRoutines kThreePointToolFamily{
    .recordClick = &RecordThreeClicks,
    .drag = +[](const PlotwiseToolRow&, AIRealPoint) -> AIErr { return ShowCoreMessage(kThreeClicksMessage); },
    .mouseUp = &ThreePointMouseUp,
    .flags = kFamilyDrawsOnCurrentLayer,
};

const ToolFamilyRoutines kCornerToolFamily{
    .recordClick = &RecordPairOrClear,
    .mouseDown = &RefusePressOnDimensionOrLockedArt,
    .mouseUp = &CornerMouseUp,
    .flags = kFamilyEditsPressedArt,
};

const ToolFamilyRoutines kProportionToolFamily{
    .recordClick = &RecordPairOrClear,
    .mouseDown = &RefusePressOnDimensionOrLockedArt,
    .mouseUp = +[](const PlotwiseToolRow& row) -> AIErr { return TwoClicks() ? ToolUp(row) : kNoErr; },
};

const ToolFamilyRoutines kArcToolFamily{
    .recordClick = &RecordArcClick,
    .drag = &ArcDrag,
    .mouseUp = &ArcMouseUp,
    .flags = kFamilyDrawsOnCurrentLayer,
    .captions = kArcTrackerCaptions,
};

const ToolFamilyRoutines kTrimToolFamily{
    .recordClick = +[](const PlotwiseToolRow&, AIRealPoint p) {
        g->firstClick = p;
        g->didFirstClick = 0;
    },
    .mouseDown = &RefusePressOnDimensionOrLockedArt,
    .drag = &TrimDrag,
    .mouseUp = &TrimMouseUp,
    .flags = kFamilyKeepsEachDrag,
};

const ToolFamilyRoutines kDividerToolFamily{.flags = kFamilyEditsPressedArt};

const ToolFamilyRoutines kOffsetToolFamily{
    .drag = +[](const PlotwiseToolRow& row, AIRealPoint) -> AIErr {
        g->showOffsetAnnotator = 1;
        return ToolDrag(row);
    },
    .mouseUp = +[](const PlotwiseToolRow& row) -> AIErr {
        g->didFirstClick = 0;
        return !Dragged() && !OptionHeld() ? ToolUp(row) : kNoErr;
    },
    .flags = kFamilyEditsPressedArt,
};
