// The fields of the architectural and object tools: their tool handles, where the wall tools'
// gesture began, and what the annotator shows of them (the length of the wall being drawn,
// the warning of an opening that does not fit).
#pragma once

#include <string>
#include <vector>

#include "architecture/House.h"
#include "core/DocumentRevision.h"
#include "drawtools/DrawToolGlobals.h"

// The house record read last, kept while the document is as it was then: the cursor's moves
// change nothing, and each drag first takes back the one before, bringing the document back
// to what it was at the press. A large house is read once a gesture.
struct HouseRecordRead {
    DerivedFromDocument from;
    AIArtHandle path = nullptr;
    AIErr err = kNoErr;
    std::string problem;
    std::vector<Wall> walls;
    std::vector<WallCorners> corners;
    UnknownEntries unknown;
};

struct ArchitectureGlobals : DrawToolGlobals {
    AIToolHandle AddWallTool = nullptr, RemoveWallTool = nullptr, MoveWallTool = nullptr, doorInsertionTool = nullptr;
    AIToolHandle windowInsertionTool = nullptr, tableTool = nullptr, titleBlockTool = nullptr;

    // --- the wall tools' gestures: the house record read last; the house last drawn by a
    // drag, whose record the release writes (drags draw the house alone) ---
    HouseRecordRead lastHouseRead;
    House wallPreview;
    int wallPreviewPending = 0;
    // --- why the last drag drew nothing: the record could not keep it (said at the release) ---
    char wallRefusal[512] = {};
    // --- the move-wall tool: the wall the press landed on (-1: none; -2: the press was
    // refused, and said why) ---
    int32_t movingWall = -1;
    // --- the annotator: the wall being drawn, from and to, while showWallInfo is set ---
    int wallInfoShown = 0;
    AIRealPoint wallInfoFrom{}, wallInfoTo{};
    // --- the annotator: why a door or window does not fit where the cursor is ---
    char insertionWarning[256] = {};
    AIRealPoint insertionWarningAt{};
};
