// The fields of axonometric drawing, grids and rulers: their layers, the depth tools, the
// pieces of a primitive being drawn and the timers that finish it.
#pragma once

#include "units/UnitsGlobals.h"

struct AxonometricGlobals : UnitsGlobals {
    int32_t depthObjNum = 1;             // number of the next depth object
    AIArtHandle depthArt = nullptr, depthArt2 = nullptr, depthArt3 = nullptr, primitiveGroup = nullptr;
    AIRealPoint primitiveTrackLoc{};
    int usingDepthGridTool = 0;
    int canAnnotateIntersection = 0;
    AITimerHandle primitiveDragTimer = nullptr, primitiveMouseupTimer = nullptr;
    AIToolHandle depthRectTool = nullptr, depthRectCenterTool = nullptr, depthEllipseTool = nullptr, depthEllipseCenterTool = nullptr;
    AIToolHandle depthCubeTool = nullptr, depthCylinderTool = nullptr, depthGridTool = nullptr;
};
