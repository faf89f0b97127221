// The fields of axonometric drawing, grids and rulers: the depth tools, the pieces of a
// primitive being drawn, the walks of projection and of the view update, the depth grid
// object, what the annotator draws for the tools (the offset preview, the ruler cursor
// marks, the information box, the face hint), whether shift constrains shapes, and the
// timers that finish a primitive. (The grid and ruler layers are the core's gridsLayer and
// rulerLayer: every document walk skips them.)
#pragma once

#include <vector>

#include "ADMTypes.h"
#include "AIPathStyle.h"
#include "axonometric/GuideGeometry.h"
#include "units/UnitsGlobals.h"

struct AxonometricGlobals : UnitsGlobals {
    int32_t depthObjNum = 1;             // id of the next axonometric record, taken then incremented
    int32_t face = 0;                    // the current face code
    int32_t primitiveFirstFace = 0;      // the face of a cube's first face or a cylinder's base
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
    // --- the face drag: the first face of a cube or cylinder as the drag left it ---
    AIRealPoint primitiveFirstFaceSize{};  // signed width and height of the dragged shape
    AIReal primitiveFirstFaceLeft = 0, primitiveFirstFaceRight = 0, primitiveFirstFaceBottom = 0,
           primitiveFirstFaceTop = 0;
    // --- the isometric panel, whose view pad shows the face a depth tool draws on ---
    ADMDialogRef CADisometricWindow = nullptr;  // null until the panel exists
    int hiliteFaces = 0;
    int32_t faceToHilite = 0;
    // --- what the annotator draws over the view, left by the tools and the tracker ---
    int ignoreShift = 0;                 // while set, the shift key constrains no shape
    int16_t okToTrackCursorFlag = 0;     // the ruler cursor marks are drawn only while set
    AIRealPoint offsetPoint{};           // the offset preview: from firstClick to here
    int offsetTooFar = 0;
    // The tracker's last read-out for the information box (h negated, as shown);
    // kMissingValue where a value does not apply. The sizes in doubles with their float
    // errors (LengthError), so the box reads them as the panel does.
    double annotatorW = kMissingValue, annotatorH = kMissingValue, annotatorL = kMissingValue;
    double annotatorErrorW = 0, annotatorErrorH = 0, annotatorErrorL = 0;
    AIReal annotatorAngle = kMissingValue;
    // --- the face hint the annotator shows while a depth tool drags ---
    int canAnnotateIntersection = 0;     // the point was snapped to a guide-line crossing in this step
    AIRealPoint annotatorIntersection{};  // that crossing
    int32_t annotationFace = 0;           // face of the art under the press: 1 left, 2 right, 3 top
    // --- the full-screen crosshair, worked out at a tool's last cursor move ---
    std::vector<AIRealPoint> crosshairSnapPoints;  // object snap points near the cursor
    AIRealPoint crosshairSnap{};                   // where a click there would land
    int crosshairSnapped = 0;
    // The current layer the rulers last followed: only another one (or another drawing) has
    // them drawn again, so an undo of their redraw is left as the user undid it.
    AILayerHandle rulersFollowedLayer = nullptr;
    AITimerHandle primitiveDragTimer = nullptr, primitiveMouseupTimer = nullptr;
    AIToolHandle depthRectTool = nullptr, depthRectCenterTool = nullptr, depthEllipseTool = nullptr, depthEllipseCenterTool = nullptr;
    AIToolHandle depthCubeTool = nullptr, depthCylinderTool = nullptr, depthGridTool = nullptr;
    AIMenuItemHandle projectLeftMenuItem = nullptr, projectRightMenuItem = nullptr, projectTopMenuItem = nullptr,
                     flattenMenuItem = nullptr;
};
