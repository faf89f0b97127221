// The fields of the architectural and object tools: their tool handles.
#pragma once

#include "drawtools/DrawToolGlobals.h"

struct ArchitectureGlobals : DrawToolGlobals {
    AIToolHandle AddWallTool = nullptr, RemoveWallTool = nullptr, MoveWallTool = nullptr, doorInsertionTool = nullptr;
    AIToolHandle windowInsertionTool = nullptr, tableTool = nullptr, titleBlockTool = nullptr;
};
