// What the drawing and editing tools register: the tools in toolbox order (offered to the
// host once their routines exist), each with its family (DrawToolFamilies.h; the depth
// tools' is axonometric drawing's), its drag routine, the dialog a click opens and its
// options dialog; and the callout tool, whose release opens the Callouts dialog (not
// offered to the host).
#include "axonometric/DepthPrimitives.h"
#include "axonometric/DepthShapeTool.h"
#include "axonometric/DepthToolFamily.h"
#include "core/PlotwiseSubsystem.h"
#include "drawtools/CADArcTool.h"
#include "drawtools/CADEllipseTool.h"
#include "drawtools/CADLineTool.h"
#include "drawtools/CADRectTool.h"
#include "drawtools/CalloutTool.h"
#include "drawtools/CornerTool.h"
#include "drawtools/DepthPrimitiveDialogs.h"
#include "drawtools/DepthShapeDialogs.h"
#include "drawtools/DrawToolFamilies.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/ExtendTool.h"
#include "drawtools/OffsetTool.h"
#include "drawtools/PathDivider.h"
#include "drawtools/ProportionTool.h"
#include "drawtools/TanPerpLineTool.h"
#include "drawtools/ThreePointCircle.h"
#include "drawtools/TrimTool.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

const ToolRoutines kLineRoutines{
    .drag = &doCADLineTool,
    .mouseUp = +[] { return doPlotwiseLineDialog(nullptr); },
    .editOptions = &doCADlinePrefsDialog,
};
const ToolRoutines kRectRoutines{
    .drag = +[] { return doCADRectTool(ModeOfTool(false)); },
    .mouseUp = +[] { return doPlotwiseRectDialog(nullptr); },
};
const ToolRoutines kRectCenterRoutines{
    .drag = +[] { return doCADRectTool(ModeOfTool(true)); },
    .mouseUp = +[] { return doPlotwiseRectDialog(nullptr); },
};
const ToolRoutines kEllipseRoutines{
    .drag = +[] { return CADCircleDrag(ModeOfTool(false)); },
    .mouseUp = +[] { return doPlotwiseEllipseDialog(nullptr); },
};
const ToolRoutines kEllipseCenterRoutines{
    .drag = +[] { return CADCircleDrag(ModeOfTool(true)); },
    .mouseUp = +[] { return doPlotwiseEllipseDialog(nullptr); },
};
// A drag is refused by the core; the mouse up of the third click draws.
const ToolRoutines kThreePointRoutines{.mouseUp = &doThreePointCircleTool};
// The drag after the second click draws (option swaps the two kinds); a second click
// without a drag asks for the values.
const ToolRoutines kArcRoutines{
    .drag = +[] { return doCADArcTool(OptionHeld() ? 2 : 1); },
    .mouseUp = &doArcByRadiusDialog,
};
const ToolRoutines kArcByPointsRoutines{
    .drag = +[] { return doCADArcTool(OptionHeld() ? 1 : 2); },
    .mouseUp = &doArcByPointsDialog,
};
const ToolRoutines kTanPerpLineRoutines{
    .mouseDown = &TanPerpLineMouseDown,
    .drag = +[] { return doTanPerpLineTool(0, 0, 0.0f); },
    .mouseUp = &TanPerpLineMouseUp,
};
// The mouse up of the second click completes the corner or the extension.
const ToolRoutines kFilletRoutines{.mouseUp = +[] { return doCADCornerTool(kFilletMode); }};
const ToolRoutines kChamferRoutines{.mouseUp = +[] { return doCADCornerTool(kChamferMode); }};
const ToolRoutines kExtendRoutines{.mouseUp = &doCADExtendTool};
// Every drag step draws the offset afresh; a click asks for the distance.
const ToolRoutines kOffsetRoutines{.drag = &doHomebrewBezierOffsetTool, .mouseUp = &doBezierOffsetDialog};
// The mouse up of the second click measures both objects and asks how to resize.
const ToolRoutines kProportionRoutines{.mouseUp = &doProportionTool};
// The release divides, with option at once, else through the dialog.
const ToolRoutines kDividerRoutines{.mouseUp = &PathDividerMouseUp};
// A click trims once, every step of a drag once more.
const ToolRoutines kTrimRoutines{
    .drag = &doSingleClickTrimTool,
    .mouseUp = &doSingleClickTrimTool,
    .editOptions = &doTrimPrefsDialog,
};

// The depth tools draw onto a face of the view by drag (the depth shape tool's step; the
// centre tools from the middle), a click opening their numeric input.
const ToolRoutines kDepthRectRoutines{
    .drag = +[] { return IsometricShapeTool(0, kDepthRectangleShape); },
    .mouseUp = +[] { return doPerspectiveRectDialog(nullptr); },
};
const ToolRoutines kDepthRectCenterRoutines{
    .drag = +[] { return IsometricShapeTool(1, kDepthRectangleShape); },
    .mouseUp = +[] { return doPerspectiveRectDialog(nullptr); },
};
const ToolRoutines kDepthEllipseRoutines{
    .drag = +[] { return IsometricShapeTool(0, kDepthOvalShape); },
    .mouseUp = +[] { return doPerspectiveEllipseDialog(nullptr); },
};
const ToolRoutines kDepthEllipseCenterRoutines{
    .drag = +[] { return IsometricShapeTool(1, kDepthOvalShape); },
    .mouseUp = +[] { return doPerspectiveEllipseDialog(nullptr); },
};
// The cube and cylinder: the drag draws the first stage (the cursor the second, through
// their family); a click without a drag or a tracked move asks for the sizes; another tool
// ends a drawing in progress.
const ToolRoutines kDepthCubeRoutines{
    .drag = +[] { return IsometricShapeTool(0, kDepthCubeShape); },
    .mouseUp = +[] { return doCubeDialog(nullptr); },
    .freeClicks = &EndPrimitiveDrawing,
};
const ToolRoutines kDepthCylinderRoutines{
    .drag = +[] { return IsometricShapeTool(0, kDepthCylinderShape); },
    .mouseUp = +[] { return doCylinderDialog(nullptr); },
    .freeClicks = &EndPrimitiveDrawing,
};
const ToolRoutines kDepthGridRoutines{
    .drag = +[] { return IsometricShapeTool(0, kDepthGridShape); },
    .mouseUp = +[] { return AxonometricGridDialog(nullptr); },
};

// The string index gives the title (17500 + n) and tip (17600 + n).
const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->cadlinetool; }, "Plotwise CAD Line", 38, 5, &kDrawToolFamily, 0, &kLineRoutines},
    {+[]() -> AIToolHandle& { return g->cadrecttool; }, "Plotwise CAD Rectangle", 39, 5, &kDrawToolFamily, 0, &kRectRoutines},
    {+[]() -> AIToolHandle& { return g->cadrectcentertool; }, "Plotwise CAD Rectangle From Center", 40, 5, &kDrawToolFamily, 0, &kRectCenterRoutines},
    {+[]() -> AIToolHandle& { return g->cadcircletool; }, "Plotwise CAD Ellipse", 41, 5, &kDrawToolFamily, 0, &kEllipseRoutines},
    {+[]() -> AIToolHandle& { return g->cadcirclecentertool; }, "Plotwise CAD Ellipse From Center", 42, 5, &kDrawToolFamily, 0, &kEllipseCenterRoutines},
    {+[]() -> AIToolHandle& { return g->threePointCircleTool; }, "Plotwise Three Point Circle", 43, 5, &kThreePointToolFamily, 0, &kThreePointRoutines},
    {+[]() -> AIToolHandle& { return g->cadarctool; }, "Plotwise CAD Arc", 44, 5, &kArcToolFamily, 0, &kArcRoutines},
    {+[]() -> AIToolHandle& { return g->cadarcbypointstool; }, "Plotwise CAD Arc By Points", 45, 5, &kArcToolFamily, 0, &kArcByPointsRoutines},
    {+[]() -> AIToolHandle& { return g->TanPerpLineTool; }, "Plotwise Tangent Perpendicular Line", 46, 5, &kDrawToolFamily, kToolKeepsFirstClick, &kTanPerpLineRoutines},
    {+[]() -> AIToolHandle& { return g->OffsetTool; }, "Plotwise Offset", 47, 5, &kOffsetToolFamily, 0, &kOffsetRoutines},
    {+[]() -> AIToolHandle& { return g->proportiontool; }, "Plotwise Proportion", 48, 5, &kProportionToolFamily, 0, &kProportionRoutines},
    {+[]() -> AIToolHandle& { return g->cadfillettool; }, "Plotwise Fillet", 50, 6, &kCornerToolFamily, 0, &kFilletRoutines},
    {+[]() -> AIToolHandle& { return g->cadchamfertool; }, "Plotwise Chamfer", 51, 6, &kCornerToolFamily, 0, &kChamferRoutines},
    {+[]() -> AIToolHandle& { return g->cadextendtool; }, "Plotwise Extend", 52, 6, &kCornerToolFamily, 0, &kExtendRoutines},
    {+[]() -> AIToolHandle& { return g->cadtrimtool; }, "Plotwise Trim", 53, 6, &kTrimToolFamily, 0, &kTrimRoutines},
    {+[]() -> AIToolHandle& { return g->subdividetool; }, "Plotwise Path Divider", 54, 6, &kDividerToolFamily, 0, &kDividerRoutines},
    // --- the depth tools (seventh set) ---
    {+[]() -> AIToolHandle& { return g->depthRectTool; }, "Plotwise Depth Rectangle", 56, 7, &kDepthToolFamily, 0, &kDepthRectRoutines},
    {+[]() -> AIToolHandle& { return g->depthRectCenterTool; }, "Plotwise Depth Rectangle From Center", 57, 7, &kDepthToolFamily, 0, &kDepthRectCenterRoutines},
    {+[]() -> AIToolHandle& { return g->depthEllipseTool; }, "Plotwise Depth Ellipse", 58, 7, &kDepthToolFamily, 0, &kDepthEllipseRoutines},
    {+[]() -> AIToolHandle& { return g->depthEllipseCenterTool; }, "Plotwise Depth Ellipse From Center", 59, 7, &kDepthToolFamily, 0, &kDepthEllipseCenterRoutines},
    {+[]() -> AIToolHandle& { return g->depthCubeTool; }, "Plotwise Depth Cube", 60, 7, &kDepthToolFamily, kToolPrimitive | kToolTrackCursor, &kDepthCubeRoutines},
    {+[]() -> AIToolHandle& { return g->depthCylinderTool; }, "Plotwise Depth Cylinder", 61, 7, &kDepthToolFamily, kToolPrimitive | kToolTrackCursor, &kDepthCylinderRoutines},
    {+[]() -> AIToolHandle& { return g->depthGridTool; }, "Plotwise Depth Grid", 62, 7, &kDepthToolFamily, 0, &kDepthGridRoutines},
    // The callout tool, beside the dialog its release opens. It is not offered: stored
    // callouts are redrawn, and its handlers serve a tool registered under its handle.
    {+[]() -> AIToolHandle& { return g->calloutstool; }, "Plotwise Callout", 27, 4, &kCalloutToolFamily, kToolNeedsDrag | kToolNotOffered, &kCalloutToolRoutines, kCallouts},
};

}  // namespace

extern const PlotwiseSubsystem kDrawToolsSubsystem = {
    .name = "drawtools",
    .tools = kTools,
};
