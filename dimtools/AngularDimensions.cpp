// The dimension arc and the angle tool. Angles are taken as the host measures them (float
// radians, turned into degrees in [0, 360)); the arc itself comes from the arc builder, so
// angle arcs and the drawing tools' arcs are the same curves.
#include "dimtools/AngularDimensions.h"

#include <cmath>
#include <vector>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/MeasuringHit.h"
#include "dimensions/DimensionText.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimensions/DimensionValueString.h"
#include "dimtools/ArcSegment.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/ToolHit.h"
#include "geometry/AngleGeometry.h"
#include "geometry/ArcGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kAnchorSnap = 2.0f;     // a hit this close to an end of its segment takes that end
constexpr AIReal kNoDirection = 0.01f;   // a ray point this close to the vertex gives no direction
constexpr AIReal kTextStandOff = 8.0f;   // the text's anchor beyond the arc
constexpr int32_t kOptionBit = 2, kCtrlBit = 4;
constexpr int16_t kStartStyle = 1, kLimitStyle = 3;

const Plotwise3_Live_Dimension_Data& Style() { return g->prefs.style; }

// The direction of p from c in degrees, a negative one turned into [0, 360).
AIReal DirectionDegrees(const AIRealPoint& c, const AIRealPoint& p) {
    AIReal d = RadiansToDegrees(Angle(c, p));
    if (d < 0) d += 360.0f;
    return d;
}

// The point at `radius` from the centre on the ray through p (at `degrees` when p is the
// centre). Taken along the ray rather than by its angle, so an end on a horizontal or
// vertical ray lies exactly on it and the arc gains no sliver of a piece there.
AIRealPoint OnRay(const AIRealPoint& centre, const AIRealPoint& p, AIReal radius, AIReal degrees) {
    const double dh = static_cast<double>(p.h) - centre.h, dv = static_cast<double>(p.v) - centre.v;
    const double length = std::hypot(dh, dv);
    if (!(length > 0)) return PointAtDegrees(centre, radius, degrees);
    return {static_cast<AIReal>(centre.h + radius * dh / length), static_cast<AIReal>(centre.v + radius * dv / length)};
}

// Witness lines along both rays: for an angle from the vertex out past the arc; for an arc
// length from beside the measured arc to past the dimension arc, outward or inward.
AIErr WitnessLines(const AIRealPoint& centre, const AIRealPoint& first, const AIRealPoint& second, AIReal radius,
                   AIReal theta1, AIReal theta2, int16_t kind, AIArtHandle art) {
    const AIReal extension = Style().witnessExtension;
    if (kind == kAngleKind) {
        if (AIErr err = drawWitnessLine(centre, PointAtDegrees(centre, radius + extension, theta1), art)) return err;
        return drawWitnessLine(centre, PointAtDegrees(centre, radius + extension, theta2), art);
    }
    const AIReal d = radius - Distance(centre, first);
    const AIReal e = d > 0 ? d + extension : d - extension;
    const AIReal gap = e > 0 ? Style().witnessGap : -Style().witnessGap;
    if (AIErr err = drawWitnessLine(PointAtDegrees(first, gap, theta1), PointAtDegrees(first, e, theta1), art))
        return err;
    return drawWitnessLine(PointAtDegrees(second, gap, theta2), PointAtDegrees(second, e, theta2), art);
}

// The value text of a sweep measured in doubles (the float one the arc is drawn from is
// wrong in the fifth place) into theText and the first click's text record, or the label
// the record carries into theText.
AIErr ValueText(cdDataStruct* node, const AIRealPoint& centre, const AIRealPoint& first, double sweep, int16_t kind) {
    const Plotwise3_Live_Dimension_Data& style = Style();
    if (style.dimensionFormat != 0) {
        if (node) CopyCString(g->theText, node->textData.dimStr);
        return kNoErr;
    }
    if (kind == kAngleKind) {
        AngleValueText(sweep, style.upperUnits, style.upperDecimalPrecision, style.upperFractionalPrecision,
                       style.appendUpperUnitLabels ? g->degreeSymbol : "", g->theText, sizeof g->theText);
    } else {
        const double radians = DegreesToRadians<double>(sweep);
        const double length = Distance<double>(centre, first) * radians;
        if (AIErr err = makeGlobalDimensionString(length, DistanceError(centre, first) * std::fabs(radians))) return err;
    }
    if (node) CopyCString(node->textData.dimStr, g->theText);
    return kNoErr;
}

// The dimension arc of constructDimensionedArcSegment, its value from the sweep given.
AIErr DimensionedArc(const AIRealPoint& centre, const AIRealPoint& first, const AIRealPoint& second,
                     const AIRealPoint& radiusPoint, int16_t kind, AIArtHandle art, double exactSweep) {
    if (AIErr err = setGlobalDegreeAndDiameterSymbols()) return err;
    // The group is a live dimension before anything is drawn into it.
    (void)SetDimensionData(art, nullptr);
    g->group = art;
    const Plotwise3_Live_Dimension_Data& style = Style();

    const AIReal theta1 = DirectionDegrees(centre, first);
    AIReal theta2 = DirectionDegrees(centre, second);
    if (theta2 < theta1) theta2 += 360.0f;
    const AIReal sweep = theta2 - theta1;
    const AIReal radius = Distance(centre, radiusPoint);
    const AIRealPoint e1 = OnRay(centre, first, radius, theta1), e2 = OnRay(centre, second, radius, theta2);

    // The arc first, so the lines and terminators lie over it.
    std::vector<AIPathSegment> anchors;
    ArcShape shape;
    if (AIErr err = ArcAnchors(centre, e1, e2, &anchors, &shape)) return err;
    if (AIErr err = constructArcSegment(centre, e1, e2, art, &g->dimensionLineStyle)) return err;
    if (!(style.modifiers & kOptionBit))
        if (AIErr err = WitnessLines(centre, first, second, radius, theta1, theta2, kind, art)) return err;
    // Each terminator sits on its end of the arc along the tangent, pointing out of it.
    if (AIErr err = doLineEndpointGraphics(anchors.front().p, anchors.front().out, 1, 0, 1, art)) return err;
    if (AIErr err = doLineEndpointGraphics(anchors.back().p, anchors.back().in, 1, 0, 1, art)) return err;

    if (!g->updatingDimensions) {
        if (kind == kAngleKind && !(style.modifiers & kCtrlBit)) {
            const AIReal drag = sAIRealMath->RadianToDegree(sAIRealMath->AIRealPointAngle(&centre, &radiusPoint));
            g->slideDimTextOffset = AngleTextSlide(drag, theta1, sweep);
        } else {
            g->slideDimTextOffset = 0.5f;
        }
    }
    const AIReal t = style.slideDimText ? g->slideDimTextOffset : 0.5f;
    g->textLoc = PointAtDegrees(centre, radius + kTextStandOff, theta1 + sweep * t);
    g->textAlignment = g->textLoc.h >= centre.h ? kStartStyle : kLimitStyle;

    cdDataStruct* node = g->firstChainDimDataPtr;
    if (AIErr err = ValueText(node, centre, first, exactSweep, kind)) return err;
    g->textAngle = 0;
    if (!node) return doText(g->theText, g->textLoc, g->textAlignment, g->textAngle, art, nullptr);
    live_dimension_text_data record = node->textData;
    record.next = nullptr;
    record.id = 0;
    return doText(g->theText, g->textLoc, g->textAlignment, g->textAngle, art, &record);
}

// --- the angle tool ---

// The line a click stands for and the point that gives its ray's direction.
struct RayLine {
    AIRealPoint a{}, b{};  // the anchors of the clicked segment
    AIRealPoint q{};       // the ray point: an anchor near the click, or the click on the segment
};

// The segment under the click on the target art (null: the whole document); a click on
// anything but a path's anchor or curve is refused with the art-must-be-clicked alert.
AIErr ReadLine(const AIRealPoint& click, AIArtHandle target, RayLine* line) {
    AIToolHitData data{};
    if (AIErr err = HitMeasuredArt(target, click, &data)) return err;
    if (!data.hit || (data.type != kSegCurveType && data.type != kSegAnchorType)) return doArtMustBeClickedErrorDialog();
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(data.object, &type)) return err;
    if (type != kPathArt || isDimensionPart(data.object)) return doArtMustBeClickedErrorDialog();
    g->art = data.object;
    const AIErr err = HitSegmentAnchors(data.object, data.segment, &line->a, &line->b);
    if (err == kCADErr) return doArtMustBeClickedErrorDialog();
    if (err) return err;
    if (sAIRealMath->AIRealPointClose(&line->a, &data.point, kAnchorSnap))
        line->q = line->a;
    else if (sAIRealMath->AIRealPointClose(&line->b, &data.point, kAnchorSnap))
        line->q = line->b;
    else
        line->q = data.point;
    return kNoErr;
}

// A ray point at (or beside) the vertex gives its ray no direction, as when the click lies
// near the corner two segments share: the end of the segment away from the vertex does,
// when it lies on the same side.
void KeepRayOffVertex(RayLine& line, const AIRealPoint& vertex) {
    const AIReal d = Distance(line.q, vertex);
    if (d >= kAnchorSnap) return;
    const AIRealPoint far = Distance(line.a, vertex) >= Distance(line.b, vertex) ? line.a : line.b;
    const AIReal along = (line.q.h - vertex.h) * (far.h - vertex.h) + (line.q.v - vertex.v) * (far.v - vertex.v);
    if (d < kNoDirection || along > 0) line.q = far;
}

// The art a click was recorded on, so that art lying over it later (another dimension, say)
// is not measured instead; null when the click found none.
AIArtHandle ClickedArt(const cdDataStruct* node) { return node ? node->art : nullptr; }

AIErr AutoAngle() {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    const cdDataStruct* firstNode = g->firstChainDimDataPtr;
    const cdDataStruct* secondNode = firstNode ? firstNode->nextPtr : nullptr;
    RayLine line1, line2;
    if (AIErr err = ReadLine(g->firstClick, ClickedArt(firstNode), &line1)) return err;
    if (AIErr err = ReadLine(g->secondClick, ClickedArt(secondNode), &line2)) return err;
    ExactPoint crossing{};
    if (!CrossingOfLines(line1.a, line1.b, line2.a, line2.b, &crossing))
        return ShowCoreMessage(kNonParallelLinesMessage);
    const AIRealPoint vertex{static_cast<AIReal>(crossing.h), static_cast<AIReal>(crossing.v)};
    KeepRayOffVertex(line1, vertex);
    KeepRayOffVertex(line2, vertex);
    if (AIErr err = PrepDimensionLayer()) return err;
    g->endPoint = DragEndAsRedrawn(g->endPoint);
    const AIReal a1 = sAIRealMath->AIRealPointAngle(&vertex, &line1.q);
    const AIReal a2 = sAIRealMath->AIRealPointAngle(&vertex, &line2.q);
    const AIReal drag = sAIRealMath->AIRealPointAngle(&vertex, &g->endPoint);
    const bool fromFirst = AngleSweepStartsAtFirst(a1, a2, drag, (Style().modifiers & kCtrlBit) != 0);
    const AngleRay ray1{line1.a, line1.b, line1.q}, ray2{line2.a, line2.b, line2.q};
    const AngleRay& from = fromFirst ? ray1 : ray2;
    const AngleRay& to = fromFirst ? ray2 : ray1;
    AIArtHandle group = g->group;
    const double sweep = SweepBetweenRays(from, to);
    if (AIErr err = DimensionedArc(vertex, from.toward, to.toward, g->endPoint, kAngleKind, group, sweep)) {
        // What was drawn is no dimension: it goes, and the failure is told.
        sAIArt->DisposeArt(group);
        return err;
    }
    return SetDimensionData(group, nullptr);
}

}  // namespace

AIErr constructDimensionedArcSegment(AIRealPoint centre, AIRealPoint first, AIRealPoint second,
                                     AIRealPoint radiusPoint, int16_t kind, AIArtHandle art) {
    if (!g) return kCADErr;
    return DimensionedArc(centre, first, second, radiusPoint, kind, art, SweepDegrees(centre, first, second));
}

AIErr doAutoAngleTool() { return g ? AutoAngle() : kCADErr; }
