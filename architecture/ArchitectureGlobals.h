// The fields of the architectural and object tools: their tool handles, where the wall tools'
// gesture began, and what the annotator shows of them (the length of the wall being drawn,
// the warning of an opening that does not fit).
#pragma once

#include <string>

#include "architecture/HouseArt.h"
#include "core/DocumentRevision.h"
#include "drawtools/DrawToolGlobals.h"

// The house under the first click of a wall tool's gesture, as the press found it. Each drag
// first takes back the one before, bringing the document back to what it was at the press,
// so what was found holds as long as the document says so.
struct HouseAtPress {
    DerivedFromDocument from;
    AIRealPoint at{};
    AIErr err = kNoErr;
    bool found = false;
    std::string problem;
    House house;
};

struct ArchitectureGlobals : DrawToolGlobals {
    AIToolHandle AddWallTool = nullptr, RemoveWallTool = nullptr, MoveWallTool = nullptr, doorInsertionTool = nullptr;
    AIToolHandle windowInsertionTool = nullptr, tableTool = nullptr, titleBlockTool = nullptr;

    // --- the wall tools' gesture: the house under the press; the house last drawn by a drag,
    // whose record the release writes (drags draw the house alone) ---
    HouseAtPress houseAtPress;
    House wallPreview;
    int wallPreviewPending = 0;
    // --- the move-wall tool: the wall the press landed on (-1: none) ---
    int32_t movingWall = -1;
    // --- the annotator: the wall being drawn, from and to, while showWallInfo is set ---
    int wallInfoShown = 0;
    AIRealPoint wallInfoFrom{}, wallInfoTo{};
    // --- the annotator: why a door or window does not fit where the cursor is ---
    char insertionWarning[256] = {};
    AIRealPoint insertionWarningAt{};
};
