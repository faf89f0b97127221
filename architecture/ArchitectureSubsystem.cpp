// What the architectural and object tools register: the wall tools and the class-based
// tools, in toolbox order (offered to the host once their routines exist).
#include "architecture/ArchitectureGlobals.h"
#include "core/PlotwiseSubsystem.h"

namespace {

constexpr GlobalsView<ArchitectureGlobals> g;

const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->AddWallTool; }, "Plotwise Add Wall", 63, 7, ToolFamily::kWall, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->RemoveWallTool; }, "Plotwise Remove Wall", 64, 7, ToolFamily::kWall, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->MoveWallTool; }, "Plotwise Move Wall", 65, 7, ToolFamily::kWall, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->doorInsertionTool; }, "Plotwise Door Insertion", 66, 7, ToolFamily::kClassBased, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->windowInsertionTool; }, "Plotwise Window Insertion", 67, 7, ToolFamily::kClassBased, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->tableTool; }, "Plotwise Table", 68, 7, ToolFamily::kClassBased, kToolLabelLike, nullptr},
    {+[]() -> AIToolHandle& { return g->titleBlockTool; }, "Plotwise Title Block", 69, 7, ToolFamily::kClassBased, kToolLabelLike, nullptr},
};

}  // namespace

extern const PlotwiseSubsystem kArchitectureSubsystem = {
    .name = "architecture",
    .tools = kTools,
};
