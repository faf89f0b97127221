// What the dimensioning and labelling tools register: the tools in toolbox order (offered to
// the host once their routines exist), the routines that redraw each kind of stored
// dimension, the automatic dimensioning commands, and which tools draw horizontal or
// vertical linear dimensions.
#include "AIMenu.h"
#include "axonometric/AxonometricData.h"
#include "core/PlotwiseSubsystem.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimtools/AlignedDimensions.h"
#include "dimtools/AngularDimensions.h"
#include "dimtools/ArcLengthDimensions.h"
#include "dimtools/AutoDimensioning.h"
#include "dimtools/AutoSegmentDimensions.h"
#include "dimtools/CalloutDrawing.h"
#include "dimtools/CenterMarks.h"
#include "dimtools/ChainLines.h"
#include "dimtools/CurveRadiusDimensions.h"
#include "dimtools/DatumDimensions.h"
#include "dimtools/DatumSymbols.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/FilletDimensions.h"
#include "dimtools/LabelParts.h"
#include "dimtools/LabelText.h"
#include "dimtools/LinearDimensions.h"
#include "dimtools/MeasureDistance.h"
#include "dimtools/PointerLabels.h"
#include "dimtools/RadialDimensions.h"
#include "dimtools/RevisionBubbles.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr int32_t kOptionBit = 2, kCtrlBit = 4;

// The linear tools' drag: option swaps horizontal and vertical (and, on a face, asks for
// the perpendicular plane), ctrl asks for the perpendicular plane.
template <bool Vertical>
AIErr LinearDrag() {
    const int32_t keys = g->prefs.style.modifiers;
    g->perpendicularDimOptionDown = (keys & kOptionBit) ? 1 : 0;
    g->useAxoPerpendicularDims = (keys & kCtrlBit) ? 1 : 0;
    const bool vertical = Vertical != ((keys & kOptionBit) != 0);
    return vertical ? doVerticalConstrainedLinearTool() : doHorizontalConstrainedLinearTool();
}

const ToolRoutines kHorizontalRoutines{nullptr, &LinearDrag<false>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kVerticalRoutines{nullptr, &LinearDrag<true>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kAlignedRoutines{nullptr, &doUnconstrainedLinearTool, nullptr, nullptr, &doFreeHitLocs};

// The automatic tools take their two clicks from the pressed segment at the first drag, then
// draw as the linear tools do.
template <bool Vertical>
AIErr AutoLinearDrag() { return AutoSegmentToolDrag(&LinearDrag<Vertical>); }
AIErr AutoAlignedDrag() { return AutoSegmentToolDrag(&doUnconstrainedLinearTool); }

const ToolRoutines kAutoHorizontalRoutines{&AutoSegmentToolMouseDown, &AutoLinearDrag<false>, nullptr, nullptr,
                                           &doFreeHitLocs};
const ToolRoutines kAutoVerticalRoutines{&AutoSegmentToolMouseDown, &AutoLinearDrag<true>, nullptr, nullptr,
                                         &doFreeHitLocs};
const ToolRoutines kAutoAlignedRoutines{&AutoSegmentToolMouseDown, &AutoAlignedDrag, nullptr, nullptr, &doFreeHitLocs};

// A stored dimension of a kind is redrawn by its routine; option in the stored keys swaps
// horizontal and vertical.
template <bool Vertical>
AIErr RedrawLinear() {
    const bool vertical = Vertical != ((g->prefs.style.modifiers & kOptionBit) != 0);
    return vertical ? doVerticalConstrainedLinearTool() : doHorizontalConstrainedLinearTool();
}

// The datum tools' drag: option swaps horizontal and vertical, ctrl asks for the
// perpendicular plane. There the axonometric tools measure by the face of the first click:
// the horizontal one vertically on a right face, or with option only off the top face; the
// vertical one horizontally on the top face, or with option only off a right face.
template <bool Vertical, bool Axonometric>
AIErr DatumDrag() {
    const int32_t keys = g->prefs.style.modifiers;
    const bool option = (keys & kOptionBit) != 0;
    g->perpendicularDimOptionDown = option ? 1 : 0;
    g->useAxoPerpendicularDims = (keys & kCtrlBit) ? 1 : 0;
    bool vertical = Vertical != option;
    if (Axonometric && g->useAxoPerpendicularDims && g->dimAxoArt) {
        depth_object_data face;
        InitializeAxonometricData(&face);
        if (AIErr err = GetAxonometricData(g->dimAxoArt, &face)) return err;
        if (Vertical)
            vertical = option ? face.face == kAxoRightFace : face.face != kAxoTopFace;
        else
            vertical = option ? face.face != kAxoTopFace : face.face == kAxoRightFace;
    }
    return vertical ? doVerticalDatumChainTool() : doHorizontalDatumChainTool();
}

const ToolRoutines kDatumHorizontalRoutines{nullptr, &DatumDrag<false, false>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kDatumVerticalRoutines{nullptr, &DatumDrag<true, false>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kAxoDatumHorizontalRoutines{nullptr, &DatumDrag<false, true>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kAxoDatumVerticalRoutines{nullptr, &DatumDrag<true, true>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kAlignedDatumRoutines{nullptr, &doULDatumChainTool, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kSectionRoutines{nullptr, &doSectionTool, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kCenterLineRoutines{nullptr, &doCenterLineTool, nullptr, nullptr, &doFreeHitLocs};

// A stored datum chain is redrawn as the flat tool of its kind draws it, by its stored
// keys; on a face the routine itself chooses the plane.
template <bool Vertical>
AIErr RedrawDatum() {
    const bool vertical = Vertical != ((g->prefs.style.modifiers & kOptionBit) != 0);
    return vertical ? doVerticalDatumChainTool() : doHorizontalDatumChainTool();
}

// The radius and diameter tools draw kind 1 or 2; option draws the other. A stored radius
// or diameter is redrawn the same way from its stored keys.
template <int16_t Kind>
AIErr RadialDrag() {
    const bool option = (g->prefs.style.modifiers & kOptionBit) != 0;
    return doRadiusTool(option ? static_cast<int16_t>(3 - Kind) : Kind);
}

const ToolRoutines kRadiusRoutines{nullptr, &RadialDrag<1>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kDiameterRoutines{nullptr, &RadialDrag<2>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kCenterMarkRoutines{nullptr, nullptr, &doCircleCenterTool, nullptr, &doFreeHitLocs};
const ToolRoutines kAngleRoutines{nullptr, &doAutoAngleTool, nullptr, nullptr, &doFreeHitLocs};

// The arc-length, fillet radius, curve radius and tangent line tools. A stored curve radius
// or tangent is redrawn with its arc, and its stored keys choose its lines.
const ToolRoutines kArcLengthRoutines{nullptr, &doArcLengthTool, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kFilletRoutines{nullptr, &doFilletDimTool, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kCurveRoutines{nullptr, &CurveToolDrag, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kTangentRoutines{&TangentToolMouseDown, &TangentToolDrag, &TangentToolMouseUp, nullptr,
                                    &doFreeHitLocs};
AIErr RedrawCurve() { return doAutoCurveTool(1); }
AIErr RedrawTangent() { return doTangentTool(1); }

// The label and datum tools: the labels panel's hook first, then the routine.
template <AIErr (*Routine)()>
AIErr LabelDrag() {
    getLabelData();
    return Routine();
}

const ToolRoutines kPointerRoutines{nullptr, &LabelDrag<&doPointerTool>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kDatumFlagRoutines{nullptr, &LabelDrag<&doDatumTool>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kDatumFeatureRoutines{nullptr, &LabelDrag<&doDatumFeatureTool>, nullptr, nullptr, &doFreeHitLocs};
const ToolRoutines kDatumTargetRoutines{nullptr, &LabelDrag<&doDatumTargetTool>, nullptr, nullptr, &doFreeHitLocs};

// A stored radius or diameter does not say which tool drew it: on axonometric art it is
// redrawn in the face's plane, elsewhere flat, whatever tool is current. A stored centre
// mark or centre line is redrawn by the tool of its kind.
const PlotwiseDimensionKindRow kKinds[] = {
    {kHorizontal, &RedrawLinear<false>},
    {kVertical, &RedrawLinear<true>},
    {kIncline, &doUnconstrainedLinearTool},
    {kRadius, &RadialDrag<1>, +[]() -> AIToolHandle& { return g->isoradtool; }},
    {kDiameter, &RadialDrag<2>, +[]() -> AIToolHandle& { return g->isodiamtool; }},
    {kAngle, &doAutoAngleTool},
    // The arcs and curvature, each redrawn with its own tool current (an arc tool's tracker
    // read-out never follows a redrawn dimension's arc).
    {kArcLen, &doArcLengthTool, +[]() -> AIToolHandle& { return g->arclentool; }},
    {kBezCurve, &RedrawCurve, +[]() -> AIToolHandle& { return g->curvetool; }},
    {kTangent, &RedrawTangent, +[]() -> AIToolHandle& { return g->tantool; }},
    {kFilletRadius, &doFilletDimTool, +[]() -> AIToolHandle& { return g->FilletDimTool; }},
    {kCircleCenter, &doCircleCenterTool, +[]() -> AIToolHandle& { return g->cctool; }},
    {kIsoCircleCenter, &doCircleCenterTool, +[]() -> AIToolHandle& { return g->isocctool; }},
    // Datum chains, section and centre lines.
    {kHorizontalDatum, &RedrawDatum<false>},
    {kVerticalDatum, &RedrawDatum<true>},
    {kInclineDatum, &doULDatumChainTool},
    {kSection, &doSectionTool},
    {kCenterLine, &doCenterLineTool, +[]() -> AIToolHandle& { return g->centerlinetool; }},
    {kIsoCenterLine, &doCenterLineTool, +[]() -> AIToolHandle& { return g->isocenterlinetool; }},
    // Labels and datum symbols, each by its own tool (the split circle's centre asks which).
    {kCharLabel, &doPointerTool, +[]() -> AIToolHandle& { return g->pttool; }},
    {kWordLabel, &doPointerTool, +[]() -> AIToolHandle& { return g->pttool; }},
    {kMutiLeaderLabel, &RedrawMultiLeaderLabel, +[]() -> AIToolHandle& { return g->pttool; }},
    {kDatumTarget, &doDatumTargetTool, +[]() -> AIToolHandle& { return g->datumtargettool; }},
    {kDatumFeature, &doDatumFeatureTool, +[]() -> AIToolHandle& { return g->datumfeaturetool; }},
    {kDatumFlag, &doDatumTool, +[]() -> AIToolHandle& { return g->datumflagtool; }},
    // Revision bubbles as dragged or round their art, and callouts (their tool is the
    // drawing tools' row, beside its dialog).
    {kRevisionBubbleDrag, &RedrawDragBubble, +[]() -> AIToolHandle& { return g->bubbletool; }},
    {kRevisionBubbleObject, &doBubbleTextTool, +[]() -> AIToolHandle& { return g->bubbletool; }},
    {kCallouts, &DrawCallout, +[]() -> AIToolHandle& { return g->calloutstool; }},
};

constexpr uint16_t kLinear = kToolChainClicks;
constexpr uint16_t kAxoLinear = kToolChainClicks | kToolAxonometricClicks;

// The string index gives the title (17500 + n) and tip (17600 + n).
const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->htool; }, "Plotwise Horizontal Dimension", 1, 1, &kDimensionToolFamily, kLinear, &kHorizontalRoutines, kHorizontal},
    {+[]() -> AIToolHandle& { return g->vtool; }, "Plotwise Vertical Dimension", 2, 1, &kDimensionToolFamily, kLinear, &kVerticalRoutines, kVertical},
    {+[]() -> AIToolHandle& { return g->ultool; }, "Plotwise Aligned Dimension", 3, 1, &kDimensionToolFamily, kToolChainClicks, &kAlignedRoutines, kIncline},
    {+[]() -> AIToolHandle& { return g->autohtool; }, "Plotwise Auto Horizontal Dimension", 4, 1, &kDimensionToolFamily, 0, &kAutoHorizontalRoutines, kHorizontal},
    {+[]() -> AIToolHandle& { return g->autovtool; }, "Plotwise Auto Vertical Dimension", 5, 1, &kDimensionToolFamily, 0, &kAutoVerticalRoutines, kVertical},
    {+[]() -> AIToolHandle& { return g->autoultool; }, "Plotwise Auto Aligned Dimension", 6, 1, &kDimensionToolFamily, 0, &kAutoAlignedRoutines, kIncline},
    {+[]() -> AIToolHandle& { return g->datumhtool; }, "Plotwise Horizontal Datum Dimension", 7, 1, &kDimensionToolFamily, kToolChainClicks, &kDatumHorizontalRoutines, kHorizontalDatum},
    {+[]() -> AIToolHandle& { return g->datumvtool; }, "Plotwise Vertical Datum Dimension", 8, 1, &kDimensionToolFamily, kToolChainClicks, &kDatumVerticalRoutines, kVerticalDatum},
    {+[]() -> AIToolHandle& { return g->datumultool; }, "Plotwise Aligned Datum Dimension", 9, 1, &kDimensionToolFamily, kToolChainClicks, &kAlignedDatumRoutines, kInclineDatum},
    {+[]() -> AIToolHandle& { return g->measuredistancetool; }, "Plotwise Measure Distance", 10, 1, &kMeasureDistanceFamily, kToolNeedsDrag, &kMeasureDistanceRoutines, kDummyDimType},
    {+[]() -> AIToolHandle& { return g->hisotool; }, "Plotwise Axonometric Horizontal Dimension", 28, 2, &kDimensionToolFamily, kAxoLinear, &kHorizontalRoutines, kHorizontal},
    {+[]() -> AIToolHandle& { return g->visotool; }, "Plotwise Axonometric Vertical Dimension", 29, 2, &kDimensionToolFamily, kAxoLinear, &kVerticalRoutines, kVertical},
    {+[]() -> AIToolHandle& { return g->autohisotool; }, "Plotwise Axonometric Auto Horizontal Dimension", 30, 2, &kDimensionToolFamily, kToolAxonometricClicks, &kAutoHorizontalRoutines, kHorizontal},
    {+[]() -> AIToolHandle& { return g->autovisotool; }, "Plotwise Axonometric Auto Vertical Dimension", 31, 2, &kDimensionToolFamily, kToolAxonometricClicks, &kAutoVerticalRoutines, kVertical},
    {+[]() -> AIToolHandle& { return g->datumhisotool; }, "Plotwise Axonometric Horizontal Datum Dimension", 32, 2, &kDimensionToolFamily, kToolAxonometricClicks | kToolChainClicks, &kAxoDatumHorizontalRoutines, kHorizontalDatum},
    {+[]() -> AIToolHandle& { return g->datumvisotool; }, "Plotwise Axonometric Vertical Datum Dimension", 33, 2, &kDimensionToolFamily, kToolAxonometricClicks | kToolChainClicks, &kAxoDatumVerticalRoutines, kVerticalDatum},
    {+[]() -> AIToolHandle& { return g->isocenterlinetool; }, "Plotwise Axonometric Center Line", 34, 2, &kDimensionToolFamily, kToolNeedsDrag | kToolLabelLike, &kCenterLineRoutines, kIsoCenterLine},
    {+[]() -> AIToolHandle& { return g->isoradtool; }, "Plotwise Axonometric Radius Dimension", 35, 2, &kDimensionToolFamily, 0, &kRadiusRoutines, kRadius},
    {+[]() -> AIToolHandle& { return g->isodiamtool; }, "Plotwise Axonometric Diameter Dimension", 36, 2, &kDimensionToolFamily, 0, &kDiameterRoutines, kDiameter},
    {+[]() -> AIToolHandle& { return g->isocctool; }, "Plotwise Axonometric Center Mark", 37, 2, &kDimensionToolFamily, 0, &kCenterMarkRoutines, kIsoCircleCenter},
    {+[]() -> AIToolHandle& { return g->autoangtool; }, "Plotwise Angular Dimension", 14, 3, &kDimensionToolFamily, kToolTwoClicksThenDrag, &kAngleRoutines, kAngle},
    {+[]() -> AIToolHandle& { return g->arclentool; }, "Plotwise Arc Length Dimension", 15, 3, &kDimensionToolFamily, kToolTwoClicksThenDrag, &kArcLengthRoutines, kArcLen},
    {+[]() -> AIToolHandle& { return g->curvetool; }, "Plotwise Curve Dimension", 16, 3, &kDimensionToolFamily, kToolNeedsDrag, &kCurveRoutines, kBezCurve},
    {+[]() -> AIToolHandle& { return g->radtool; }, "Plotwise Radius Dimension", 17, 3, &kDimensionToolFamily, 0, &kRadiusRoutines, kRadius},
    {+[]() -> AIToolHandle& { return g->diamtool; }, "Plotwise Diameter Dimension", 18, 3, &kDimensionToolFamily, 0, &kDiameterRoutines, kDiameter},
    {+[]() -> AIToolHandle& { return g->cctool; }, "Plotwise Center Mark", 19, 3, &kDimensionToolFamily, 0, &kCenterMarkRoutines, kCircleCenter},
    {+[]() -> AIToolHandle& { return g->tantool; }, "Plotwise Tangent Dimension", 49, 3, &kDimensionToolFamily, 0, &kTangentRoutines, kTangent},
    {+[]() -> AIToolHandle& { return g->FilletDimTool; }, "Plotwise Fillet Dimension", 20, 3, &kDimensionToolFamily, 0, &kFilletRoutines, kFilletRadius},
    {+[]() -> AIToolHandle& { return g->sectiontool; }, "Plotwise Section Line", 12, 3, &kDimensionToolFamily, kToolNeedsDrag | kToolLabelLike, &kSectionRoutines, kSection},
    {+[]() -> AIToolHandle& { return g->centerlinetool; }, "Plotwise Center Line", 13, 3, &kDimensionToolFamily, kToolNeedsDrag | kToolLabelLike, &kCenterLineRoutines, kCenterLine},
    {+[]() -> AIToolHandle& { return g->pttool; }, "Plotwise Pointer Label", 21, 4, &kPointerLabelFamily, kToolLabelLike, &kPointerRoutines, kCharLabel},
    {+[]() -> AIToolHandle& { return g->ptlongtool; }, "Plotwise Word Label", 22, 4, &kDimensionToolFamily, kToolLabelLike, nullptr, kWordLabel},
    {+[]() -> AIToolHandle& { return g->bubbletool; }, "Plotwise Bubble Label", 23, 4, &kRevisionBubbleFamily, kToolLabelLike, &kRevisionBubbleRoutines, kRevisionBubbleDrag},
    {+[]() -> AIToolHandle& { return g->datumflagtool; }, "Plotwise Datum Flag", 24, 4, &kDimensionToolFamily, kToolLabelLike, &kDatumFlagRoutines, kDatumFlag},
    {+[]() -> AIToolHandle& { return g->datumfeaturetool; }, "Plotwise Datum Feature", 25, 4, &kDimensionToolFamily, kToolLabelLike, &kDatumFeatureRoutines, kDatumFeature},
    {+[]() -> AIToolHandle& { return g->datumtargettool; }, "Plotwise Datum Target", 26, 4, &kDimensionToolFamily, kToolLabelLike | kToolTwoChainNodes, &kDatumTargetRoutines, kDatumTarget},
};

// Slash terminators turn with the direction a linear dimension is drawn in.
int16_t LinearToolDirection(AIToolHandle tool) {
    if (tool == nullptr || !g) return 0;
    for (AIToolHandle h : {g->htool, g->autohtool, g->datumhtool, g->hisotool, g->autohisotool, g->datumhisotool})
        if (tool == h) return 1;
    for (AIToolHandle v : {g->vtool, g->autovtool, g->datumvtool, g->visotool, g->autovisotool, g->datumvisotool})
        if (tool == v) return 2;
    return 0;
}

const PlotwiseMenuRow kMenus[] = {
    {+[]() -> AIMenuItemHandle& { return g->AutoDimensionDocumentMenuItem; }, "Plotwise Auto Dimension Document",
     kObjectUtilsMenuGroup, 40, &AutoDimensionDocument},
    {+[]() -> AIMenuItemHandle& { return g->AutoDimensionSelectionMenuItem; }, "Plotwise Auto Dimension Selection",
     kObjectUtilsMenuGroup, 41, &AutoDimensionSelection},
};

}  // namespace

extern const PlotwiseSubsystem kDimToolsSubsystem = {
    .name = "dimtools",
    .tools = kTools,
    .menus = kMenus,
    .dimensionKinds = kKinds,
    .services = {.linearToolDirection = &LinearToolDirection},
};
