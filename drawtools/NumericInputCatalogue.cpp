// The catalogue of the tools' numeric-input dialogs: each dialog's fields by item, and the
// row that names its template, its builder and its own choices.
#include "drawtools/NumericInputDialogs.h"

#include "core/ExceptionBoundary.h"
#include "core/PlotwiseSubsystem.h"
#include "dimtools/CalloutDescription.h"
#include "drawtools/CADArcTool.h"
#include "drawtools/CADEllipseTool.h"
#include "drawtools/CADLineTool.h"
#include "drawtools/CADRectTool.h"
#include "drawtools/CalloutTool.h"
#include "drawtools/DepthPrimitiveDialogs.h"
#include "drawtools/DepthShapeDialogs.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/OffsetTool.h"
#include "drawtools/PathDivider.h"
#include "drawtools/ProportionTool.h"
#include "drawtools/TanPerpLineTool.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

using K = InputFieldKind;

// --- the fields of each dialog, by item ---

const NumericInputField kRectFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputRectWidth; }},
    {6, K::kSize, +[]() -> AIReal& { return g->inputRectHeight; }},
};
const NumericInputField kEllipseFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputEllipseWidth; }},
    {6, K::kSize, +[]() -> AIReal& { return g->inputEllipseHeight; }},
};
const NumericInputField kLineFields[] = {
    {kLineLengthItem, K::kSize, +[]() -> AIReal& { return g->inputLineLength; }},
    {kLineAngleItem, K::kAngle, +[]() -> AIReal& { return g->inputLineAngle; }},
    {kLineRiseItem, K::kLength, +[]() -> AIReal& { return g->inputLineRise; }},
    {kLineRunItem, K::kLength, +[]() -> AIReal& { return g->inputLineRun; }},
};
const NumericInputField kWallFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputWallLength; }},
    {6, K::kAngle, +[]() -> AIReal& { return g->inputWallAngle; }},
};
const NumericInputField kArcByRadiusFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputArcByRadiusRadius; }},
    {6, K::kAngle, +[]() -> AIReal& { return g->inputArcByRadiusStartAngle; }},
    {8, K::kAngle, +[]() -> AIReal& { return g->inputArcByRadiusEndAngle; }},
};
const NumericInputField kArcByPointsFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputArcByPointsRadius; }},
};
const NumericInputField kTanPerpLineFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputTanPerpLineLength; }},
};
// The distance is stored as typed, sign and all; the offset's choices then make it the
// distance and the side.
const NumericInputField kOffsetFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputOffsetDistance; }},
};
const NumericInputField kFilletFields[] = {
    {4, K::kDistance, +[]() -> AIReal& { return g->prefs.filletRadius; }},
};
const NumericInputField kChamferFields[] = {
    {4, K::kCut, +[]() -> AIReal& { return g->prefs.chamferDistance1; }},
    {6, K::kCut, +[]() -> AIReal& { return g->prefs.chamferDistance2; }},
};
const NumericInputField kCubeFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputCubeWidth; }},
    {6, K::kSize, +[]() -> AIReal& { return g->inputCubeHeight; }},
    {8, K::kSize, +[]() -> AIReal& { return g->inputCubeDepth; }},
};
const NumericInputField kCylinderFields[] = {
    {4, K::kSize, +[]() -> AIReal& { return g->inputCylinderWidth; }},
    {6, K::kSize, +[]() -> AIReal& { return g->inputCylinderHeight; }},
    {11, K::kSize, +[]() -> AIReal& { return g->inputCylinderLength; }},
};

// The wall tool lies above this folder: its builder is reached through its service.
AIErr BuildWallFromDialog() {
    auto build = PlotwiseService().doInputWallTool;
    return build ? build(DrawnLength(g->inputWallLength), DegreesToRadians(g->inputWallAngle)) : kNoErr;
}

// Every dialog of the drawing tools. A row's choice fields (radios, check boxes, pop-ups)
// are set and stored by its own routines; a row without a builder only stores the values,
// which the tool that opened the dialog goes on with once it closes. The OK of "Callouts"
// stores its check boxes and describes the art the callout points at.
const NumericInputDialog kDialogs[] = {
    {.name = "CADRect", .id = 16700, .fields = kRectFields, .builder = &BuildRectFromDialog},
    {.name = "CADEllipse", .id = 16710, .fields = kEllipseFields, .builder = &BuildEllipseFromDialog},
    {.name = "CADLine",
     .id = 16720,
     .fields = kLineFields,
     .fieldNotifier = Guarded<&LengthAngleRiseRunNotifierProc>,
     .builder = &BuildLineFromDialog},
    {.name = "CADWall", .id = 16730, .fields = kWallFields, .builder = &BuildWallFromDialog},
    {.name = "CADArcByRadius",
     .id = 16740,
     .fields = kArcByRadiusFields,
     .resetsCancelFlag = true,
     .builder = &BuildArcByRadiusFromDialog,
     .closesFirst = true},
    {.name = "CADArcByPoints",
     .id = 16750,
     .fields = kArcByPointsFields,
     .resetsCancelFlag = true,
     .builder = &BuildArcByPointsFromDialog,
     .accept = &arcByPointsRadiusFits,
     .closesFirst = true},
    {.name = "PerpLine",
     .id = 16760,
     .fields = kTanPerpLineFields,
     .builder = &BuildTanPerpLineFromDialog,
     .initChoices = &initTanPerpLineChoices,
     .storeChoices = &storeTanPerpLineChoices},
    {.name = "Offset",
     .id = 16770,
     .fields = kOffsetFields,
     .builder = &doHomebrewBezierOffsetTool,
     .initChoices = &initOffsetChoices,
     .storeChoices = &storeOffsetChoices},
    {.name = "CADFillet", .id = 16800, .fields = kFilletFields, .resetsCancelFlag = true},
    {.name = "CADChamfer", .id = 16810, .fields = kChamferFields, .resetsCancelFlag = true},
    {.name = "PathDivider",
     .id = 16260,
     .resetsCancelFlag = true,
     .initChoices = &initPathDividerChoices,
     .ok = Guarded<&pathDividerOKBtnCallbackProc>},
    {.name = "Resize",
     .id = 16270,
     .resetsCancelFlag = true,
     .initChoices = &initProportionChoices,
     .ok = Guarded<&ProportionOKBtnCallbackProc>},
    {.name = "Callouts",
     .id = 16300,
     .resetsCancelFlag = true,
     .builder = &GetCalloutTargetData,
     .initChoices = &initCalloutsDialog,
     .storeChoices = &storeCalloutsDialog},
    {.name = "Depth Rectangle",
     .id = 17700,
     .fields = kRectFields,
     .builder = &doInputPerspectiveRectTool,
     .initChoices = &initDepthFaceChoices,
     .storeChoices = &storeDepthFaceChoices},
    {.name = "Depth Ellipse",
     .id = 17710,
     .fields = kEllipseFields,
     .builder = &doPerspectiveInputEllipseTool,
     .initChoices = &initDepthFaceChoices,
     .storeChoices = &storeDepthFaceChoices},
    {.name = "Depth Rectangle",
     .id = 17740,
     .fields = kRectFields,
     .builder = &InputAxonometricGridTool,
     .initChoices = &initDepthFaceChoices,
     .storeChoices = &storeDepthFaceChoices,
     .accept = &depthGridHasWholeSteps},
    {.name = "Depth Cube", .id = 17730, .fields = kCubeFields, .builder = &doInputCubeTool},
    {.name = "Depth Cylinder",
     .id = 17760,
     .fields = kCylinderFields,
     .builder = &doInputCylinderTool,
     .initChoices = &initDepthFaceChoices,
     .storeChoices = &storeDepthFaceChoices},
};

}  // namespace

std::span<const NumericInputDialog> NumericInputCatalogue() { return kDialogs; }
