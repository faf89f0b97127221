// The fields of the architectural and object tools: their tool handles, where the wall tools'
// gesture began, and what the annotator shows of them (the length of the wall being drawn,
// the warning of an opening that does not fit).
#pragma once

#include "drawtools/DrawToolGlobals.h"

struct ArchitectureGlobals : DrawToolGlobals {
    AIToolHandle AddWallTool = nullptr, RemoveWallTool = nullptr, MoveWallTool = nullptr, doorInsertionTool = nullptr;
    AIToolHandle windowInsertionTool = nullptr, tableTool = nullptr, titleBlockTool = nullptr;

    // --- the move-wall tool: the wall the press landed on (-1: none) ---
    int32_t movingWall = -1;
    // --- the annotator: the wall being drawn, from and to, while showWallInfo is set ---
    int wallInfoShown = 0;
    AIRealPoint wallInfoFrom{}, wallInfoTo{};
    // --- the annotator: why a door or window does not fit where the cursor is ---
    char insertionWarning[256] = {};
    AIRealPoint insertionWarningAt{};
};
