// What the architectural and object tools register: the wall tools and the class-based
// tools with their families, in toolbox order; the annotator's wall lengths and insertion
// warning; the wall tool's numeric builder for the "CADWall" dialog; and, at shut-down, the
// class-based tools' settings written and their objects gone.
#include "architecture/ArchitectureAnnotator.h"
#include "architecture/ArchitectureGlobals.h"
#include "architecture/PWOpeningTools.h"
#include "architecture/PWSheetTools.h"
#include "architecture/WallTools.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseTools.h"
#include "drawtools/DrawToolFamilies.h"

namespace {

constexpr GlobalsView<ArchitectureGlobals> g;

// Add and remove wall: the press is the first click, forgotten at the release; a click
// without a drag completes, as a drawing tool's does. The release writes what the drags drew.
const ToolFamilyRoutines kWallFamily{.mouseUp = +[](const PlotwiseToolRow& row) -> AIErr {
    const AIErr err = DrawToolMouseUp(row);
    const AIErr ended = EndWallGesture();
    return err ? err : ended;
}, .flags = kFamilyDrawsOnCurrentLayer};
// Move wall: every release ends the move, dragged or not.
const ToolFamilyRoutines kMoveWallFamily{};

const ToolRoutines kAddWallRoutines{
    .mouseDown = &AddWallMouseDown,
    .drag = &doAddWallTool,
    .mouseUp = &doWallDialog,
    .freeClicks = +[]() -> AIErr {
        ForgetWallAnnotations();
        return kNoErr;
    },
};
const ToolRoutines kRemoveWallRoutines{.mouseUp = &doRemoveWallTool};
const ToolRoutines kMoveWallRoutines{
    .mouseDown = &MoveWallMouseDown,
    .drag = &doMoveWallTool,
    .mouseUp = &MoveWallMouseUp,
};

// The class-based tools: each event handed to the tool's object.
template <class T>
const ToolRoutines kClassRoutines{
    .mouseDown = +[]() -> AIErr { return T::getInstance()->mouseDown(g->firstClick); },
    .drag = +[]() -> AIErr { return T::getInstance()->mouseDrag(g->endPoint); },
    .mouseUp = +[]() -> AIErr { return T::getInstance()->mouseUp(g->firstClick, g->toolWasDragged != 0); },
    .editOptions = +[]() -> AIErr { return T::getInstance()->editOptions(); },
    .freeClicks = +[]() -> AIErr { return T::hasInstance() ? T::getInstance()->deselect() : kNoErr; },
};

struct ClassTool {
    const ToolRoutines* routines;
    PWTool* (*instance)();
    bool (*exists)();
    void (*drop)();
};
template <class T>
constexpr ClassTool Of() {
    return {&kClassRoutines<T>, +[]() -> PWTool* { return T::getInstance(); }, &T::hasInstance, &T::deleteInstance};
}
const ClassTool kClassTools[] = {Of<PWDoorInsertionTool>(), Of<PWWindowInsertionTool>(), Of<PWTableTool>(),
                                 Of<PWTitleBlockTool>()};

// The press is the first click; the release forgets it and completes; the cursor's moves
// reach the object too.
const ToolFamilyRoutines kClassBasedFamily{.trackCursor = +[](const PlotwiseToolRow& row, AIRealPoint cursor) -> AIErr {
    for (const ClassTool& c : kClassTools)
        if (c.routines == row.routines) return c.instance()->trackCursor(cursor);
    return kNoErr;
}};

// "Shutdown": each tool object that was made writes its settings and goes.
AIErr DropClassTools() {
    AIErr first = kNoErr;
    for (const ClassTool& c : kClassTools) {
        if (c.exists())
            if (AIErr err = c.instance()->writeSettings(); err && !first) first = err;
        c.drop();
    }
    return first;
}

const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->AddWallTool; }, "Plotwise Add Wall", 63, 7, &kWallFamily, 0, &kAddWallRoutines},
    {+[]() -> AIToolHandle& { return g->RemoveWallTool; }, "Plotwise Remove Wall", 64, 7, &kWallFamily, 0, &kRemoveWallRoutines},
    {+[]() -> AIToolHandle& { return g->MoveWallTool; }, "Plotwise Move Wall", 65, 7, &kMoveWallFamily, 0, &kMoveWallRoutines},
    {+[]() -> AIToolHandle& { return g->doorInsertionTool; }, "Plotwise Door Insertion", 66, 7, &kClassBasedFamily, 0, &kClassRoutines<PWDoorInsertionTool>},
    {+[]() -> AIToolHandle& { return g->windowInsertionTool; }, "Plotwise Window Insertion", 67, 7, &kClassBasedFamily, 0, &kClassRoutines<PWWindowInsertionTool>},
    {+[]() -> AIToolHandle& { return g->tableTool; }, "Plotwise Table", 68, 7, &kClassBasedFamily, kToolLabelLike, &kClassRoutines<PWTableTool>},
    {+[]() -> AIToolHandle& { return g->titleBlockTool; }, "Plotwise Title Block", 69, 7, &kClassBasedFamily, kToolLabelLike, &kClassRoutines<PWTitleBlockTool>},
};

const PlotwiseAnnotation kAnnotations[] = {&DrawWallLengths, &DrawInsertionWarning};

}  // namespace

extern const PlotwiseSubsystem kArchitectureSubsystem = {
    .name = "architecture",
    .tools = kTools,
    .annotations = kAnnotations,
    .hooks = {.shutdown = &DropClassTools},
    .services = {.doInputWallTool = &doInputWallTool},
};
