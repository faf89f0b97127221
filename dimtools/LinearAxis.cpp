// The axes a dimension measures along, and the pieces of a dimension measured along one.
#include "dimtools/LinearAxis.h"

#include <cmath>

#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionText.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimensions/DimensionValueString.h"
#include "dimtools/DimToolGlobals.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kNoLength = 1e-3f;  // a dimension line shorter along its axis has no way of its own
constexpr AIReal kFaceTolerance = 0.9f;  // flat coordinates of clicks on a face this close are level
constexpr int32_t kShiftBit = 1, kCtrlBit = 4;
constexpr int16_t kStartStyle = 1, kCenterStyle = 2, kLimitStyle = 3;

const Plotwise3_Live_Dimension_Data& Style() { return g->prefs.style; }

bool Equal(AIReal a, AIReal b, AIReal tolerance) { return sAIRealMath->EqualWithinTol(a, b, tolerance) != 0; }

// ---------------------------------------------------------------------------------------
// Text placements

// hTextPlacement 2 and any value but 1: above the line when it lies above basePoint1 (or
// the preference says always), else below.
AIReal AboveOrBelow(AIReal line, bool dual) {
    const AIReal distance = Style().textDistanceAboveLine;
    if (g->basePoint1.v < line || g->prefs.alwaysAbove)
        return dual ? line + distance + g->textLeading + g->textSize : line + distance;
    return line - distance - g->textSize + g->textLeading;
}

// By hTextPlacement.
const TextPlacement kHorizontalPlacements[] = {
    // Any value but 1 and 2: above or below the line as 2, the line broken as 1.
    {0, &AboveOrBelow, false, false, kLimitStyle, kStartStyle},
    // 1: centred on the line, which is broken around it.
    {0, [](AIReal line, bool dual) { return dual ? line + g->textLeading : line - g->textSize / 2 + g->textLeading; },
     false, false, kLimitStyle, kStartStyle},
    // 2: beside the line, which is drawn whole.
    {0, &AboveOrBelow, false, true, kCenterStyle, kCenterStyle},
};

AIReal OnTheLine(AIReal x, bool) { return x; }

// By vTextPlacement.
const TextPlacement kVerticalPlacements[] = {
    // Any value but 1 to 5: as 1.
    {0, &OnTheLine, true, false, kCenterStyle, kCenterStyle},
    // 1: upright, centred on the line, which is broken around it.
    {0, &OnTheLine, true, false, kCenterStyle, kCenterStyle},
    // 2: turned by -pi/2, right of the line, which is drawn whole.
    {-kHalfPi,
     [](AIReal x, bool dual) {
         const AIReal distance = Style().textDistanceAboveLine;
         return dual ? x + distance + g->textSize + g->textLeading : x + distance;
     },
     false, true, kStartStyle, kLimitStyle},
    // 3: turned by -pi/2, centred on the line, which is broken around it.
    {-kHalfPi, [](AIReal x, bool dual) { return dual ? x + g->textLeading : x - g->textSize / 2 + g->textLeading; },
     false, false, kStartStyle, kLimitStyle},
    // 4: turned by +pi/2, left of the line, which is drawn whole.
    {kHalfPi,
     [](AIReal x, bool dual) {
         const AIReal distance = Style().textDistanceAboveLine;
         return dual ? x - distance - g->textSize - g->textLeading : x - distance;
     },
     false, true, kLimitStyle, kStartStyle},
    // 5: turned by +pi/2, centred on the line, which is broken around it.
    {kHalfPi, [](AIReal x, bool dual) { return dual ? x - g->textLeading : x + g->textSize / 2 - g->textLeading; },
     false, false, kLimitStyle, kStartStyle},
};

// ---------------------------------------------------------------------------------------
// Depth records

bool IsCurrentTool(std::span<AIToolHandle DimToolGlobals::* const> tools) {
    for (AIToolHandle DimToolGlobals::*tool : tools)
        if ((*g).*tool && g->curTool == (*g).*tool) return true;
    return false;
}

const depth_object_data* HorizontalDepth(const AxisFamily& family, const cdDataStruct& f, const cdDataStruct& l,
                                         const cdDataStruct& s, bool handedOver) {
    if (!g->useAxoPerpendicularDims) return &s.theDepthData;
    const bool sameH = Equal(f.flatLoc.h, l.flatLoc.h, kFaceTolerance);
    if (!g->updatingDimensions) return sameH ? &s.perpendicularVData : &s.perpendicularHData;
    if (sameH) return &s.perpendicularVData;
    if (s.theDepthData.face == kAxoRightFace && !handedOver) return nullptr;
    if (Equal(f.flatLoc.v, l.flatLoc.v, kFaceTolerance)) return &s.perpendicularHData;
    const bool option = g->perpendicularDimOptionDown != 0;
    const bool vertical = s.theDepthData.face == kAxoTopFace && ((option && g->curDimType == family.horizontalKind) ||
                                                                 (!option && g->curDimType == family.verticalKind));
    return vertical ? &s.perpendicularVData : &s.perpendicularHData;
}

const depth_object_data* VerticalDepth(const AxisFamily& family, const cdDataStruct&, const cdDataStruct&,
                                       const cdDataStruct& s, bool handedOver) {
    if (!g->useAxoPerpendicularDims) return &s.theDepthData;
    const bool option = g->perpendicularDimOptionDown != 0;
    const int32_t face = s.theDepthData.face;
    if (!g->updatingDimensions) {
        const bool across = face == kAxoRightFace && ((option && IsCurrentTool(family.verticalTools)) ||
                                                      (!option && IsCurrentTool(family.horizontalTools)));
        return across ? &s.perpendicularHData : &s.perpendicularVData;
    }
    if (face == kAxoTopFace && !handedOver) return nullptr;
    const bool across = face == kAxoRightFace && ((option && g->curDimType == family.verticalKind) ||
                                                  (!option && g->curDimType == family.horizontalKind));
    return across ? &s.perpendicularHData : &s.perpendicularVData;
}

// The offset of a snapped dimension line from its click: a whole number of the style's
// offset steps.
AIErr setConstrainOffset(AIReal* offset) { return SnapOffsetToStep(offset, Style().autoDimensionOffset); }

}  // namespace

const LinearAxis kHorizontalAxis{.kind = kHorizontal,
                                 .along = &AIRealPoint::h,
                                 .across = &AIRealPoint::v,
                                 .descending = false,
                                 .offsetAngle = kHalfPi,
                                 .nearEdge = &AIRealRect::left,
                                 .farEdge = &AIRealRect::right,
                                 .keepsTopFace = true,
                                 .topFactor = &iso_view::af,
                                 .leftFactor = &iso_view::cf,
                                 .otherFactor = &iso_view::cf,
                                 .placementField = &Plotwise3_Live_Dimension_Data::hTextPlacement,
                                 .placements = kHorizontalPlacements,
                                 .depth = &HorizontalDepth};
const LinearAxis kVerticalAxis{.kind = kVertical,
                               .along = &AIRealPoint::v,
                               .across = &AIRealPoint::h,
                               .descending = true,
                               .offsetAngle = 0.0f,
                               .nearEdge = &AIRealRect::top,
                               .farEdge = &AIRealRect::bottom,
                               .keepsTopFace = false,
                               .topFactor = &iso_view::bf,
                               .leftFactor = &iso_view::bf,
                               .otherFactor = &iso_view::af,
                               .placementField = &Plotwise3_Live_Dimension_Data::vTextPlacement,
                               .placements = kVerticalPlacements,
                               .depth = &VerticalDepth};

const TextPlacement& LinearAxis::Placement(size_t fallback) const {
    const int32_t value = Style().*placementField;
    const size_t row = value > 0 && static_cast<size_t>(value) < placements.size() ? static_cast<size_t>(value) : fallback;
    return placements[row];
}

bool TwoClicks(cdDataStruct** first, cdDataStruct** last) {
    if (!g->didFirstClick || !g->didSecondClick) return false;
    *first = g->firstChainDimDataPtr;
    *last = g->lastChainDimDataPtr;
    return *first && *first != *last;
}

bool HandsOver(const LinearAxis& axis, AIReal tolerance, const cdDataStruct& f, const cdDataStruct& l) {
    const int32_t face = f.theDepthData.face;
    if (face == kAxoNoFace || !Equal(axis.Along(f.flatLoc), axis.Along(l.flatLoc), tolerance)) return false;
    return !(g->useAxoPerpendicularDims && (face == kAxoTopFace) == axis.keepsTopFace);
}

AIErr InPlane(const depth_object_data& d, bool flat, const AIRealPoint& in, AIRealPoint* out, PointError* error) {
    if (error) *error = flat ? HeldError(in) : FlatPointError(&d, in);
    if (flat) {
        *out = in;
        return kNoErr;
    }
    return invertAxonometricPoint(&d, &in, out);
}

AIErr EnterPlane(const depth_object_data& d, bool flat, const cdDataStruct& f, const cdDataStruct& l,
                 const cdDataStruct& s, int16_t slideMode, bool clamp, AIRealPoint* p1, PointError* e1) {
    if (AIErr err = InPlane(d, flat, s.theLoc, p1, e1)) return err;
    // Now that the axis is known, the drag's end is the one the redraw will read.
    g->endPoint = DragEndAsRedrawn(g->endPoint);
    if (!flat)
        if (AIErr err = invertAxonometricPoint(&d, &g->endPoint, &g->endPoint)) return err;
    if (!g->updatingDimensions) {
        AIRealPoint a{}, b{};
        if (AIErr err = InPlane(d, flat, f.theLoc, &a)) return err;
        if (AIErr err = InPlane(d, flat, l.theLoc, &b)) return err;
        GetPointFractionalOffset(a, b, g->endPoint, slideMode, &g->slideDimTextOffset);
        if (clamp) g->slideDimTextOffset = std::clamp(g->slideDimTextOffset, 0.0f, 1.0f);
    }
    if (AIErr err = CheckDocumentZoom()) return err;
    return PrepDimensionLayer();
}

bool Shifted() { return (Style().modifiers & kShiftBit) && !g->ignoreShift; }

AIErr SnapLineToOffsetStep(const LinearAxis& axis, const AIRealPoint& p1, const AIRealPoint& p2,
                           const AIRealPoint& reference) {
    AIRealPoint& end = g->endPoint;
    const AIReal level = axis.Across(end), a = axis.Across(p1), b = axis.Across(p2);
    const bool between = level >= std::min(a, b) && level <= std::max(a, b);
    if (a == b || !between) {
        AIReal offset = sAIRealMath->AIRealPointLength(&reference, &end);
        if (AIErr err = setConstrainOffset(&offset)) return err;
        AIRealPoint step{};
        sAIRealMath->AIRealPointLengthAngle(offset, axis.offsetAngle, &step);
        const AIReal r = axis.Across(reference), s = axis.Across(step);
        end.*axis.across = level <= axis.Across(g->basePoint1) ? r - s : r + s;
    }
    g->startingPoint.*axis.across = axis.Across(end);
    return kNoErr;
}

AIErr MeasurePair(const LinearAxis& axis, const AIRealPoint& a, const PointError& ea, const AIRealPoint& b,
                  const PointError& eb, cdDataStruct& textNode, AIReal* value) {
    const double distance = std::fabs(static_cast<double>(axis.Along(a)) - axis.Along(b));
    *value = PushedLength(static_cast<AIReal>(distance));
    const bool alongH = axis.along == &AIRealPoint::h;
    return MeasurePairText(textNode, distance, LengthError(ea, eb, alongH ? 1 : 0, alongH ? 0 : 1));
}

AIErr MeasurePairText(cdDataStruct& textNode, double value, double error) {
    if (AIErr err = makePairDimensionString(textNode.textData, value, error)) return err;
    AIRealRect measured{};
    if (AIErr err = GetTextArtRect(g->theText, &measured)) return err;
    g->strWidth = measured.right - measured.left;
    return kNoErr;
}

Room RoomFor(AIReal across) {
    switch (Style().arrowheadStyle) {
        case 1: case 2: case 3: case 5: case 6: case 7: case 8:
            return {4.0f * Style().arrowheadLength + across, 2.0f * Style().arrowheadLength};
        default:  // no terminator (4), and any other style
            return {across + 40.0f, 20.0f};
    }
}

AIReal SlideFraction() {
    const bool slide = Style().slideDimText && !(Style().modifiers & kCtrlBit) && !g->drawingAxoDimension;
    return slide ? g->slideDimTextOffset : 0.5f;
}

AIErr DrawPairText(const cdDataStruct& textNode, int32_t id, const char* text) {
    live_dimension_text_data record = textNode.textData;
    record.id = id;
    record.next = nullptr;
    return doText(text ? text : g->theText, g->textLoc, g->textAlignment, g->textAngle, g->group, &record);
}

AIErr DrawWitnessLine(const LinearAxis& axis, const AIRealPoint& base, AIReal line) {
    const AIReal sign = line <= axis.Across(base) ? -1.0f : 1.0f;
    const AIReal at = axis.Along(base);
    return drawWitnessLine(axis.Point(at, axis.Across(base) + sign * Style().witnessGap),
                           axis.Point(at, line + sign * Style().witnessExtension), g->group);
}

AIErr DrawTerminators(const LinearAxis& axis, int16_t inside) {
    const AIRealPoint &start = g->startingPoint, &end = g->endPoint;
    if (std::fabs(axis.Along(end) - axis.Along(start)) >= kNoLength)
        return doLineEndpointGraphics(start, end, 1, 1, inside, g->group);
    const AIRealPoint on = axis.Point(axis.Step(axis.Along(start), 1), axis.Across(start));
    return LineEndpointGraphicsAlong(start, end, Angle(start, on), 1, 1, inside, g->group);
}

AIErr DrawLineAlong(const LinearAxis& axis, AIReal from, AIReal to, AIReal line) {
    return drawDimensionLine(axis.Point(from, line), axis.Point(to, line), g->group);
}

void SetAxoDimOffset(const LinearAxis& axis, int32_t face, AIReal line, const AIRealPoint& base) {
    const AIReal iso_view::*factor = face == kAxoTopFace    ? axis.topFactor
                                     : face == kAxoLeftFace ? axis.leftFactor
                                                            : axis.otherFactor;
    g->axoDimOffset = (line - axis.Across(base)) * (g->prefs.isoView.*factor);
}

AIErr FinishDimension(const depth_object_data& d, bool flat) {
    if (AIErr err = SetDimensionData(g->group, nullptr)) return err;
    return flat ? kNoErr : ProjectAxonometricFromData(g->group, &d);
}
