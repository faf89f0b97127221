// The radius and diameter routine, in the order its parts are laid out: the measured art
// and its bounds (flat, or in the face's plane), the circle test, the leader and its
// terminators, the offsets the drag record keeps, the shelf and the labelled value.
#include "dimtools/RadialDimensions.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/AxonometricUpdate.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/MeasuringHit.h"
#include "dimensions/DimensionText.h"
#include "dimensions/DimensionValueString.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/ToolHit.h"
#include "geometry/AxonometricMath.h"
#include "geometry/BezierMath.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "geometry/RadialGeometry.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kTextBeyondShelf = 4.0f;
constexpr AIReal kOnCircle = 1e-3f;  // a leader's end this near the circle lies on it
constexpr int32_t kShiftBit = 1, kCtrlBit = 4;
constexpr int32_t kNotACircleMessage = 10;       // 17010
constexpr int32_t kNoLongerACircleMessage = 36;  // 17036
constexpr int16_t kRadiusKind = 1;
constexpr int16_t kStartStyle = 1, kLimitStyle = 3;
// Round art lies on the ellipse its bounds enclose within this share of the half-axes, and a
// hundredth of a point for the floats' rounding: the four-piece circles and ellipses the host
// and the drawing tools make stray 0.03 % from it between their anchors.
constexpr double kOffRound = 1e-3, kOffRoundPoints = 1e-2;
constexpr double kRoundSamples[] = {0, 0.25, 0.5, 0.75};  // along each piece

const Plotwise3_Live_Dimension_Data& Style() { return g->prefs.style; }

void Message(int32_t index, char (&text)[512]) { GetPlotwiseString(kMessageList, index, text, sizeof text); }

// The measured art: under the click, or the art a redraw, a resize or automatic
// dimensioning names (then art lying over it is never measured instead).
AIErr MeasuredArt(AIArtHandle* art) {
    if (g->updatingDimensions || g->resizingDimension) {
        *art = g->updateArt;
        return kNoErr;
    }
    if (g->UsingMagicDims) {
        *art = g->firstClickArt;
        return kNoErr;
    }
    AIToolHitData data{};
    if (AIErr err = HitMeasuredArt(nullptr, g->firstClick, &data)) return err;
    if (!data.hit) return doArtMustBeClickedErrorDialog();  // told: no code of the host's to tell
    *art = data.object;
    return kNoErr;
}

// The flat bounds of art projected onto a face, and the record that takes them to the art as
// it lies; measuring them leaves the art and its stored record as they are.
AIErr FaceBounds(AIArtHandle art, depth_object_data* record, AIRealRect* bounds) {
    if (AIErr err = GetAxonometricData(art, record)) return err;
    return MeasureFlatAxonometricArt(art, record, bounds);
}

// Whether the art is round: a closed path whose anchors, and the points a quarter, half and
// three quarters along each piece, all lie on the ellipse its bounds enclose. With bounds
// square within 3 points that makes it a circle; an arc, a door swing, a square, a rectangle,
// a polygon or a rounded rectangle is not one, whatever its bounds. `face` (or null) takes the
// art as it lies into the flat plane the bounds were taken in.
AIErr IsRound(AIArtHandle art, const depth_object_data* face, const AIRealRect& bounds, bool* round) {
    *round = false;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    if (type != kPathArt) return kNoErr;
    ASBoolean closed = false;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathClosed(art, &closed)) return err;
    if (AIErr err = sAIPath->GetPathSegmentCount(art, &count)) return err;
    const double a = (double(bounds.right) - bounds.left) / 2, b = (double(bounds.top) - bounds.bottom) / 2;
    if (!closed || count < 2 || !(a > 0 && b > 0)) return kNoErr;
    std::vector<AIPathSegment> anchors(static_cast<size_t>(count));
    if (AIErr err = sAIPath->GetPathSegments(art, 0, count, anchors.data())) return err;
    const double ch = bounds.left + a, cv = bounds.bottom + b;
    const double allowed = kOffRound + kOffRoundPoints / std::max(a, b);
    for (size_t i = 0; i < anchors.size(); ++i) {
        const bezier_math::Cubic piece = bezier_math::spanOf(anchors[i], anchors[(i + 1) % anchors.size()]);
        for (const double t : kRoundSamples) {
            AIRealPoint p = bezier_math::point(bezier_math::at(piece, t));
            if (face)
                if (AIErr err = invertAxonometricPoint(face, &p, &p)) return err;
            if (!(std::fabs(std::hypot((p.h - ch) / a, (p.v - cv) / b) - 1) <= allowed)) return kNoErr;
        }
    }
    *round = true;
    return kNoErr;
}

// The float error of the bounds' width: of their left and right as the host holds them, or,
// in a face's plane, as taken back from the projection.
double WidthError(const AIRealRect& bounds, const depth_object_data* face) {
    const AIReal middle = bounds.bottom + (bounds.top - bounds.bottom) / 2.0f;
    const auto error = [&](AIReal h) {
        const AIRealPoint flat{h, middle};
        if (!face) return HeldError(flat).h;
        AIRealPoint projected{};
        projectAxonometricPoint(face, &flat, &projected);
        return FlatPointError(face, projected).h;
    };
    return error(bounds.left) + error(bounds.right);
}

// A circle within the tools' 3 points: round art, its bounds square within them.
AIErr Circular(AIArtHandle art, const depth_object_data* face, const AIRealRect& bounds, bool* circle) {
    if (AIErr err = IsRound(art, face, bounds, circle)) return err;
    *circle = *circle && BoundsAreCircular(bounds.right - bounds.left, bounds.top - bounds.bottom);
    return kNoErr;
}

bool FlatTool() { return g->curTool && (g->curTool == g->radtool || g->curTool == g->diamtool); }

// Whether the circle is measured in a face's plane: axonometric art under any but the flat
// tools, whose record names a face (one that names none gives no plane: the art is
// measured as it lies).
AIErr MeasuredOnFace(AIArtHandle art, bool* onFace) {
    *onFace = false;
    if (FlatTool() || !IsAxonometricArt(art)) return kNoErr;
    depth_object_data record;
    if (AIErr err = GetAxonometricData(art, &record)) return err;
    *onFace = IsAxonometricFace(record.face);
    return kNoErr;
}

// The terminator at the circle's point `at` of a leader from q along the radius through q:
// pointing outwards from inside the circle, else inwards. Taken along the radius, not from
// q to the point, which may lie close enough for their rounding to turn the way.
AIErr TerminatorOnCircle(const AIRealPoint& o, const AIRealPoint& q, const AIRealPoint& at, AIReal radius,
                         AIArtHandle group) {
    const AIReal out = Angle(o, q);
    const AIReal way = Distance(o, q) < radius - kOnCircle ? out : out + kPi;
    return LineEndpointGraphicsAlong(q, at, way, 0, 1, 1, group);
}

// The leader from the circle towards Q, or across it, and its terminators.
AIErr Leader(int16_t kind, const AIRealPoint& o, const AIRealPoint& q, AIReal radius, AIReal diameter,
             AIArtHandle group) {
    const Plotwise3_Live_Dimension_Data& style = Style();
    const bool spans = style.diameterLeaderSpansCircle != 0;
    const bool terminators = RadialTerminatorFits(style.arrowheadStyle, style.arrowheadLength, radius);
    const AIRealPoint v = Polar(radius, Angle(o, q));
    if (kind == kRadiusKind) {
        const AIRealPoint e = o + v;  // the circle towards Q
        if (spans) {
            if (AIErr err = drawDimensionLine(o, Distance(o, q) < radius ? e : q, group)) return err;
            return terminators ? doLineEndpointGraphics(o, e, 0, 1, 1, group) : kNoErr;
        }
        if (AIErr err = drawDimensionLine(e, q, group)) return err;
        return terminators ? TerminatorOnCircle(o, q, e, radius, group) : kNoErr;
    }
    const AIRealPoint a = o - v, b = o + v;  // the far and the near side
    if (spans) {
        if (AIErr err = drawDimensionLine(a, Distance(a, q) < diameter ? b : q, group)) return err;
        return terminators ? doLineEndpointGraphics(a, b, 1, 1, 1, group) : kNoErr;
    }
    if (AIErr err = drawDimensionLine(b, q, group)) return err;
    return terminators ? TerminatorOnCircle(o, q, b, radius, group) : kNoErr;
}

AIErr Radius(int16_t kind) {
    if (AIErr err = setGlobalDegreeAndDiameterSymbols()) return err;
    if (AIErr err = CheckDocumentZoom()) return err;
    AIArtHandle art = nullptr;
    if (AIErr err = MeasuredArt(&art)) return err;
    if (!art) return doArtMustBeClickedErrorDialog();
    AIRealPoint d = g->endPoint;

    // The bounds, in the face's flat plane for an axonometric circle under an axonometric tool.
    bool onFace = false;
    if (AIErr err = MeasuredOnFace(art, &onFace)) return err;
    depth_object_data record;
    InitializeAxonometricData(&record);
    AIRealRect bounds{};
    if (onFace) {
        if (AIErr err = FaceBounds(art, &record, &bounds)) return err;
        if (AIErr err = invertAxonometricPoint(&record, &d, &d)) return err;
    } else if (AIErr err = GetUnstrokedArtBounds(art, &bounds)) {
        return err;
    }

    bool circle = false;
    if (AIErr err = Circular(art, onFace ? &record : nullptr, bounds, &circle)) return err;
    char text[512];
    if (!circle) {
        if (!g->updatingDimensions) {
            Message(kNotACircleMessage, text);
            return doPlotwiseErrorDialog(text);
        }
        // A regenerated dimension is drawn anyway, from the width; the user is told.
        Message(kNoLongerACircleMessage, text);
        if (sADMBasic && text[0]) sADMBasic->MessageAlert(text);
    }
    if (AIErr err = PrepDimensionLayer()) return err;
    AIArtHandle group = g->group;

    const AIReal width = bounds.right - bounds.left;
    const AIReal diameter = PushedLength(width);
    const AIReal radius = diameter / 2.0f;
    const AIRealPoint o{bounds.left + (bounds.right - bounds.left) / 2.0f,
                        bounds.bottom + (bounds.top - bounds.bottom) / 2.0f};
    AIRealPoint p = d;
    if ((Style().modifiers & kShiftBit) && !g->ignoreShift) {
        AIReal a = Angle(o, d);
        if (AIErr err = SetConstrainAngle(&a)) return err;
        p = o + Polar(Distance(o, d), a);
    }
    const AIRealPoint q = p;
    if (AIErr err = Leader(kind, o, q, radius, diameter, group)) return err;

    // Where the leader ends, from the centre, for the drag record.
    if (onFace) {
        AIRealPoint o2{}, q2{};
        projectAxonometricPoint(&record, &o, &o2);
        projectAxonometricPoint(&record, &q, &q2);
        g->axoDimAngle = Angle(o2, q2);
        g->axoDimOffset = Distance(o2, q2);
    } else {
        g->radialDimOffsetLength = Distance(o, q);
        g->axoDimAngle = Angle(o, q);
    }
    g->radialDimOnFace = onFace ? 1 : 0;

    // The shelf goes away from the circle (ctrl: towards it).
    const AIReal middle = bounds.left + (bounds.right - bounds.left) / 2.0f;
    const bool right = (middle < p.h) != ((Style().modifiers & kCtrlBit) != 0);
    const double across = static_cast<double>(bounds.right) - bounds.left;
    const double share = kind == kRadiusKind ? 0.5 : 1.0;
    const double error = WidthError(bounds, onFace ? &record : nullptr) * share;
    if (AIErr err = RadialShelfAndText(kind, p, right, across * share, group, error)) return err;
    if (AIErr err = SetDimensionData(group, nullptr)) return err;
    return onFace ? ProjectAxonometricFromData(group, &record) : kNoErr;
}

}  // namespace

AIErr doRadiusTool(int16_t kind) { return g ? Radius(kind) : kCADErr; }

AIErr IsMeasuredCircle(AIArtHandle art, bool* circle) {
    *circle = false;
    AIRealRect bounds{};
    if (AIErr err = GetUnstrokedArtBounds(art, &bounds)) return err;
    return Circular(art, nullptr, bounds, circle);
}

AIErr RadialValueText(int16_t kind, double value, double error) {
    const Plotwise3_Live_Dimension_Data& style = Style();
    cdDataStruct* node = g->firstChainDimDataPtr;
    if (style.dimensionFormat == 0) {
        if (AIErr err = makeGlobalDimensionString(value, error)) return err;
        if (node) CopyCString(node->textData.dimStr, g->theText);
    } else if (node) {
        CopyCString(g->theText, node->textData.dimStr);
    }
    if (!style.appendDiamLabels) return kNoErr;
    const std::string text = g->theText;
    const std::string sign = kind == kRadiusKind ? "R" : g->slashZeroSymbol;
    CopyCString(g->theText, (style.diameterLabelsBefore ? sign + " " + text : text + " " + sign).c_str());
    return kNoErr;
}

AIErr RadialTextArt(AIArtHandle group) {
    const cdDataStruct* node = g->firstChainDimDataPtr;
    g->textAngle = 0;
    if (!node) return doText(g->theText, g->textLoc, g->textAlignment, g->textAngle, group, nullptr);
    live_dimension_text_data record = node->textData;
    record.next = nullptr;
    return doText(g->theText, g->textLoc, g->textAlignment, g->textAngle, group, &record);
}

AIErr RadialShelfAndText(int16_t kind, const AIRealPoint& p, bool right, double value, AIArtHandle group,
                         double error) {
    const Plotwise3_Live_Dimension_Data& style = Style();
    const bool dual = style.dualDimensions && style.dimensionFormat == 0;
    g->textLoc.v = p.v + (dual ? 0.0f : -g->textSize / 2.0f) + g->textLeading;
    const AIReal x = right ? p.h + style.diameterLeaderLength : p.h - style.diameterLeaderLength;
    g->textLoc.h = right ? x + kTextBeyondShelf : x - kTextBeyondShelf;
    g->textAlignment = right ? kStartStyle : kLimitStyle;
    if (AIErr err = drawDimensionLine(p, {x, p.v}, group)) return err;
    if (AIErr err = RadialValueText(kind, value, error)) return err;
    return RadialTextArt(group);
}
