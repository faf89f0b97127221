// Storage of the global record pointer and the start-up values of the record; the record
// itself is allocated at start-up and handed to the host across unload and reload.
#include "PlotwiseGlobals.h"

#include <initializer_list>

PlotwiseGlobals* g = nullptr;

void InitializePlotwiseGlobals(PlotwiseGlobals& r) {
    r = PlotwiseGlobals{};
    // Numeric-input values: lengths in points at drawing size, angles in degrees.
    for (AIReal* f : {&r.inputRectWidth, &r.inputRectHeight, &r.inputEllipseWidth, &r.inputEllipseHeight,
                      &r.inputLineLength, &r.inputLineRun, &r.inputCubeWidth, &r.inputCubeHeight,
                      &r.inputCubeDepth, &r.inputCylinderWidth, &r.inputCylinderHeight,
                      &r.inputCylinderLength, &r.inputTanPerpLineLength})
        *f = 72.0f;
    r.inputArcByRadiusEndAngle = 90.0f;
    r.inputRectFace = r.inputEllipseFace = r.inputCylinderFace = 0x80;
    r.inputTanPerpLineDirection = 3;
    r.inputTanPerpLineDrawWhich = 1;
    r.inputOffsetDistance = 18.0f;
    r.inputOffsetDirection = 1;
    // Path divider.
    r.pathDividerMethod = 3;
    r.pathDividerEqualNumDivs = 2;
    r.pathDividerMeasuredDivsLength = 72.0f;
    r.pathDividerCurveDirection = 1;
    r.pathDividerAction = 1;
    r.pathDividerAddCrosshairs = 0;
    r.proportionWidth = r.proportionHeight = 1.0f;
    r.firstMouseNotYetUp = 1;
    r.depthObjNum = 1;
    r.firstDimensionAxoFace = 8;
    // Scales, rulers and the formatter's label switch.
    r.rulerScale = 33;
    r.rulerScaler = 1.0f;
    r.appendUnitLabelsSpecialKludge = 1;
    r.slideDimTextOffset = 0.5f;
    r.selectionWidth = r.selectionHeight = 1.0f;
}
