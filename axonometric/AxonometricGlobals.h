// The fields of axonometric drawing, grids and rulers: their layers, the depth tools, the
// pieces of a primitive being drawn, the walks of projection and of the view update, the
// depth grid object and the timers that finish a primitive.
#pragma once

#include "AIPathStyle.h"
#include "units/UnitsGlobals.h"

struct AxonometricGlobals : UnitsGlobals {
    int32_t depthObjNum = 1;             // id of the next axonometric record, taken then incremented
    int32_t face = 0;                    // the current face code
    AIArtHandle depthArt = nullptr, depthArt2 = nullptr, depthArt3 = nullptr, primitiveGroup = nullptr;
    AIRealPoint primitiveTrackLoc{};
    // Flat bounds of the faces of a primitive, left by projection for the depth tools.
    AIReal primitiveFirstFaceFlatLeft = 0, primitiveFirstFaceFlatRight = 0, primitiveFirstFaceFlatBottom = 0,
           primitiveFirstFaceFlatTop = 0;
    AIReal primitiveSecondFaceFlatLeft = 0, primitiveSecondFaceFlatRight = 0, primitiveSecondFaceFlatBottom = 0,
           primitiveSecondFaceFlatTop = 0;
    // --- projection and the view update ---
    AIArtHandle axoGroup = nullptr;  // the top art of a transforming or flattening walk
    int drawingCADradius = 0;        // while set, projecting axonometric art does not flatten it first
    int32_t axoUpdateSelectWhat = 0;  // 1: only selected art
    int axoUpdateFlattenOnly = 0;
    int axoUpdateAxoDims = 0;         // the update met axonometric dimensions
    // --- depth grid object ---
    AIArtHandle gridGroup = nullptr;
    AIReal gridSnapInc = 0;           // grid increment in points
    AIPathStyle gridObjStyle{};
    int usingDepthGridTool = 0;
    int canAnnotateIntersection = 0;
    AITimerHandle primitiveDragTimer = nullptr, primitiveMouseupTimer = nullptr;
    AIToolHandle depthRectTool = nullptr, depthRectCenterTool = nullptr, depthEllipseTool = nullptr, depthEllipseCenterTool = nullptr;
    AIToolHandle depthCubeTool = nullptr, depthCylinderTool = nullptr, depthGridTool = nullptr;
    AIMenuItemHandle projectLeftMenuItem = nullptr, projectRightMenuItem = nullptr, projectTopMenuItem = nullptr,
                     flattenMenuItem = nullptr;
};
