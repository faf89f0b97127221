// What the architectural and object tools register: the wall tools and the class-based
// tools with their families, in toolbox order (offered to the host once their routines
// exist).
#include "architecture/ArchitectureGlobals.h"
#include "core/PlotwiseSubsystem.h"
#include "drawtools/DrawToolFamilies.h"

namespace {

constexpr GlobalsView<ArchitectureGlobals> g;

// Wall tools: the press is the first click, forgotten at the release; a click without a
// drag completes, as a drawing tool's does.
const ToolFamilyRoutines kWallFamily{.mouseUp = &DrawToolMouseUp};
// The class-based tools (PWTool objects): the press is the first click; the release
// forgets it and completes.
const ToolFamilyRoutines kClassBasedFamily{};

const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->AddWallTool; }, "Plotwise Add Wall", 63, 7, &kWallFamily, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->RemoveWallTool; }, "Plotwise Remove Wall", 64, 7, &kWallFamily, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->MoveWallTool; }, "Plotwise Move Wall", 65, 7, &kWallFamily, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->doorInsertionTool; }, "Plotwise Door Insertion", 66, 7, &kClassBasedFamily, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->windowInsertionTool; }, "Plotwise Window Insertion", 67, 7, &kClassBasedFamily, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->tableTool; }, "Plotwise Table", 68, 7, &kClassBasedFamily, kToolLabelLike, nullptr},
    {+[]() -> AIToolHandle& { return g->titleBlockTool; }, "Plotwise Title Block", 69, 7, &kClassBasedFamily, kToolLabelLike, nullptr},
};

}  // namespace

extern const PlotwiseSubsystem kArchitectureSubsystem = {
    .name = "architecture",
    .tools = kTools,
};
