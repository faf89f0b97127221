// The fields of the drawing and editing tools: their tool handles, the values typed into
// the numeric-input dialogs, the line tool's frozen angle, the trim tool's search, and the
// settings of the path divider and the proportion tool.
#pragma once

#include <vector>

#include "dimtools/DimToolGlobals.h"

// Face codes of the depth dialogs' choice fields.
constexpr int32_t kInputLeftFace = 0x80;

// One crossing of the path being trimmed: the point, the index of the path's segment it
// lies on and its parameter there.
struct trimData_struct {
    AIRealPoint p;
    int16_t segNum;
    AIReal t;
};

struct DrawToolGlobals : DimToolGlobals {
    AIToolHandle cadlinetool = nullptr, cadrecttool = nullptr, cadrectcentertool = nullptr, cadcircletool = nullptr;
    AIToolHandle cadcirclecentertool = nullptr, threePointCircleTool = nullptr, cadarctool = nullptr, cadarcbypointstool = nullptr;
    AIToolHandle TanPerpLineTool = nullptr, OffsetTool = nullptr, proportiontool = nullptr, cadfillettool = nullptr;
    AIToolHandle cadchamfertool = nullptr, cadextendtool = nullptr, cadtrimtool = nullptr, subdividetool = nullptr;

    int cancelledInputDialog = 0;  // the last numeric-input dialog was left with Cancel

    // --- numeric inputs: lengths in points at full size, as typed (drawn at the scale of
    // the layer their tool draws on), angles in degrees; each dialog opens with the last
    // accepted values; never saved ---
    AIReal inputRectWidth = 72.0f, inputRectHeight = 72.0f;  // shared with the depth rectangle and grid
    int32_t inputRectFace = kInputLeftFace;
    AIReal inputEllipseWidth = 72.0f, inputEllipseHeight = 72.0f;  // shared with the depth ellipse
    int32_t inputEllipseFace = kInputLeftFace;
    AIReal inputLineLength = 72.0f, inputLineAngle = 0.0f, inputLineRise = 0.0f, inputLineRun = 72.0f;
    AIReal inputCubeWidth = 72.0f, inputCubeHeight = 72.0f, inputCubeDepth = 72.0f;
    AIReal inputCylinderWidth = 72.0f, inputCylinderHeight = 72.0f, inputCylinderLength = 72.0f;
    int32_t inputCylinderFace = kInputLeftFace;
    AIReal inputWallLength = 0.0f, inputWallAngle = 0.0f;
    AIReal inputArcByPointsRadius = 0.0f;
    AIReal inputArcByRadiusRadius = 0.0f, inputArcByRadiusStartAngle = 0.0f, inputArcByRadiusEndAngle = 90.0f;
    AIReal inputTanPerpLineLength = 72.0f;
    int32_t inputTanPerpLineDirection = 3, inputTanPerpLineDrawWhich = 1;
    AIReal inputOffsetDistance = 18.0f;
    int32_t inputOffsetDirection = 1;

    // --- line tool: the angle the command key froze, kept until a drag with neither shift
    // nor command ---
    int constrainLineToCurrentAngle = 0;
    AIReal constrainedLineAngle = 0.0f;  // radians

    // (The tangent and perpendicular line sets axonometric drawing's okToTrackCursorFlag: 1
    // once a line was drawn, 0 after a click on no path; the annotator reads it.)

    // --- trim tool: the clicked path, the segment of it being searched and that segment's
    // box, and what the search found. Slots 0 to 2: the click, the nearest crossing before
    // it and the nearest after it (delete mode); the list: every crossing in order along the
    // path (anchor mode), kept only while one click is trimmed ---
    int draggingTrim = 0;  // the trim tool's drag is in hand: what it cannot cut is not told
    AIArtHandle trimArt = nullptr;
    int16_t trimSegNum = 0;
    AIRealRect trimRect{};
    int trimSegCurved = 0;
    AIReal intersectionTvalues[3] = {};
    int16_t intersectionSegNums[3] = {};
    std::vector<trimData_struct>* firstTrimDataPtr = nullptr;

    // --- path divider: the last settings, used again when option is held; never saved ---
    int32_t pathDividerMethod = 3;                // 3 equal parts, 4 by increment
    int32_t pathDividerEqualNumDivs = 2;          // 2 to 1024
    AIReal pathDividerMeasuredDivsLength = 72.0f;  // the increment, points at full size
    int32_t pathDividerCurveDirection = 1;        // increments measured from: 0 start, 1 middle, 2 end
    int32_t pathDividerAction = 1;                // 1 add anchor points, 0 break into separate paths
    int32_t pathDividerAddCrosshairs = 0;

    // --- proportion tool: the "Resize" settings and the last two objects' ratios (second
    // over first, never negative); transformCopy is set only while Copy transforms copies ---
    int32_t proportionWidth = 1, proportionHeight = 1, constrainProportion = 0;
    AIReal wProportion = 0.0f, hProportion = 0.0f;
    int32_t transformCopy = 0;
};
