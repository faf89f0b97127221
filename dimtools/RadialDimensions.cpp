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
#include "dimensions/DimensionRegeneration.h"
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

// The pieces of a closed path of two anchors or more, taken by `face` (or null) into the flat
// plane its bounds were measured in; none for other art.
AIErr FlatPieces(AIArtHandle art, const depth_object_data* face, std::vector<bezier_math::Cubic>* pieces) {
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    if (type != kPathArt) return kNoErr;
    ASBoolean closed = false;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathClosed(art, &closed)) return err;
    if (AIErr err = sAIPath->GetPathSegmentCount(art, &count)) return err;
    if (!closed || count < 2) return kNoErr;
    std::vector<AIPathSegment> anchors(static_cast<size_t>(count));
    if (AIErr err = sAIPath->GetPathSegments(art, 0, count, anchors.data())) return err;
    if (face)
        for (AIPathSegment& s : anchors)
            for (AIRealPoint* p : {&s.p, &s.in, &s.out})
                if (AIErr err = invertAxonometricPoint(face, p, p)) return err;
    for (size_t i = 0; i < anchors.size(); ++i)
        pieces->push_back(bezier_math::spanOf(anchors[i], anchors[(i + 1) % anchors.size()]));
    return kNoErr;
}

double Determinant(const double (&m)[3][3]) {
    return m[0][0] * (m[1][1] * m[2][2] - m[1][2] * m[2][1]) - m[0][1] * (m[1][0] * m[2][2] - m[1][2] * m[2][0]) +
           m[0][2] * (m[1][0] * m[2][1] - m[1][1] * m[2][0]);
}

// The ellipse about the origin, A x² + B xy + C y² = 1, nearest the points by least squares;
// false when they fix none.
bool CentredEllipse(const std::vector<bezier_math::Vec>& points, double (&conic)[3]) {
    double m[3][3] = {}, r[3] = {};
    for (const bezier_math::Vec& p : points) {
        const double row[3] = {p.h * p.h, p.h * p.v, p.v * p.v};
        for (int i = 0; i < 3; ++i) {
            r[i] += row[i];
            for (int j = 0; j < 3; ++j) m[i][j] += row[i] * row[j];
        }
    }
    const double d = Determinant(m);
    if (!(std::fabs(d) > 0)) return false;
    for (int k = 0; k < 3; ++k) {
        double mk[3][3];
        for (int i = 0; i < 3; ++i)
            for (int j = 0; j < 3; ++j) mk[i][j] = j == k ? r[i] : m[i][j];
        conic[k] = Determinant(mk) / d;
    }
    return 4 * conic[0] * conic[2] > conic[1] * conic[1] && conic[0] > 0;
}

// How far the pieces reach along the unit direction u, from their ends and the places where
// their derivative along u vanishes.
double WidthAlong(const std::vector<bezier_math::Cubic>& pieces, bezier_math::Vec u) {
    double least = HUGE_VAL, most = -HUGE_VAL;
    const auto reach = [&](const bezier_math::Cubic& c, double t) {
        if (!(t >= 0 && t <= 1)) return;
        const double x = bezier_math::dot(u, bezier_math::at(c, t));
        least = std::min(least, x);
        most = std::max(most, x);
    };
    for (const bezier_math::Cubic& c : pieces) {
        const double a = bezier_math::dot(u, c.p[1] - c.p[0]), b = bezier_math::dot(u, c.p[2] - c.p[1]),
                     e = bezier_math::dot(u, c.p[3] - c.p[2]);
        reach(c, 0);
        reach(c, 1);
        // (a - 2b + e) t² + 2 (b - a) t + a = 0
        const double qa = a - 2 * b + e, qb = 2 * (b - a);
        if (std::fabs(qa) < 1e-12 * (std::fabs(a) + std::fabs(b) + std::fabs(e))) {
            if (qb != 0) reach(c, -a / qb);
            continue;
        }
        const double disc = qb * qb - 4 * qa * a;
        if (disc < 0) continue;
        for (const double sign : {-1.0, 1.0}) reach(c, (-qb + sign * std::sqrt(disc)) / (2 * qa));
    }
    return most - least;
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


// The width along the art's own axis nearest the page's level: through the anchor whose
// direction from the centre is nearest level, where a circle's extent is its diameter. Its
// bounds are not, once it is turned: a four-piece circle reaches a little beyond its radius
// between its anchors.
double WidthOnOwnAxis(const std::vector<bezier_math::Cubic>& pieces, bezier_math::Vec centre) {
    bezier_math::Vec axis{1, 0};
    double nearest = -1;
    for (const bezier_math::Cubic& c : pieces) {
        const bezier_math::Vec d = c.p[0] - centre;
        const double length = std::hypot(d.h, d.v);
        if (!(length > 0) || std::fabs(d.h) / length <= nearest) continue;
        nearest = std::fabs(d.h) / length;
        axis = (1 / length) * d;
    }
    return WidthAlong(pieces, axis);
}

// Whether the art is a circle within the tools' 3 points: a closed path whose anchors, and
// the points a quarter, half and three quarters along each piece, all lie on one ellipse
// about the centre of its bounds, whose widths along its own axes (not the page's: a circle
// drawn a little long and turned is one too) lie within 3 points of each other. An arc, a
// door swing, a square, a rectangle, a polygon or a rounded rectangle is not one, whatever
// its bounds. `face` (or null) takes the art as it lies into the flat plane the bounds were
// taken in. A circle's width is taken on its own axes too (`across`, when given).
AIErr Circular(AIArtHandle art, const depth_object_data* face, const AIRealRect& bounds, bool* circle,
               double* across = nullptr) {
    *circle = false;
    std::vector<bezier_math::Cubic> pieces;
    if (AIErr err = FlatPieces(art, face, &pieces)) return err;
    const double a = (double(bounds.right) - bounds.left) / 2, b = (double(bounds.top) - bounds.bottom) / 2;
    if (pieces.empty() || !(a > 0 && b > 0)) return kNoErr;
    const bezier_math::Vec centre{bounds.left + a, bounds.bottom + b};
    const double unit = std::max(a, b);  // the fit in units of the larger half-width
    std::vector<bezier_math::Vec> points;
    for (const bezier_math::Cubic& c : pieces)
        for (const double t : kRoundSamples) points.push_back((1 / unit) * (bezier_math::at(c, t) - centre));
    double conic[3] = {};
    if (!CentredEllipse(points, conic)) return kNoErr;
    const double allowed = kOffRound + kOffRoundPoints / unit;
    for (const bezier_math::Vec& p : points) {
        const double q = conic[0] * p.h * p.h + conic[1] * p.h * p.v + conic[2] * p.v * p.v;
        if (!(std::fabs(std::sqrt(q) - 1) <= allowed)) return kNoErr;
    }
    const double axis = std::atan2(conic[1], conic[0] - conic[2]) / 2;
    const bezier_math::Vec u{std::cos(axis), std::sin(axis)}, v{-u.v, u.h};
    *circle = BoundsAreCircular(static_cast<AIReal>(WidthAlong(pieces, u)), static_cast<AIReal>(WidthAlong(pieces, v)));
    if (*circle && across) *across = WidthOnOwnAxis(pieces, centre);
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

// The leader's end for the drag point d in the circle's plane: d, or with shift the point as
// far from the centre o on the nearest constrained angle.
AIErr LeaderEnd(const AIRealPoint& o, const AIRealPoint& d, AIRealPoint* q) {
    *q = d;
    if (!(Style().modifiers & kShiftBit) || g->ignoreShift) return kNoErr;
    AIReal a = Angle(o, d);
    if (AIErr err = SetConstrainAngle(&a)) return err;
    *q = o + Polar(Distance(o, d), a);
    return kNoErr;
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
    // A circle is measured on its own axes; art that is no longer one, by its width.
    double across = static_cast<double>(bounds.right) - bounds.left;
    if (AIErr err = Circular(art, onFace ? &record : nullptr, bounds, &circle, &across)) return err;
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

    const AIReal diameter = PushedLength(static_cast<AIReal>(across));
    const AIReal radius = diameter / 2.0f;
    const AIRealPoint o{bounds.left + (bounds.right - bounds.left) / 2.0f,
                        bounds.bottom + (bounds.top - bounds.bottom) / 2.0f};
    AIRealPoint q{};
    if (AIErr err = LeaderEnd(o, d, &q)) return err;
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
    // A tool's drag draws to where its redraw will put the end: from the centre of the art's
    // bounds on the page by that record.
    if (!g->updatingDimensions && !g->resizingDimension && !g->UsingMagicDims) {
        AIRealRect page = bounds;
        if (onFace)
            if (AIErr err = GetUnstrokedArtBounds(art, &page)) return err;
        const AIRealPoint centre{page.left + (page.right - page.left) / 2.0f,
                                 page.bottom + (page.top - page.bottom) / 2.0f};
        d = EndOfDragRecord(centre, onFace ? g->axoDimOffset : g->radialDimOffsetLength, g->axoDimAngle, false);
        if (onFace)
            if (AIErr err = invertAxonometricPoint(&record, &d, &d)) return err;
        if (AIErr err = LeaderEnd(o, d, &q)) return err;
    }
    if (AIErr err = Leader(kind, o, q, radius, diameter, group)) return err;

    // The shelf goes away from the circle (ctrl: towards it).
    const AIReal middle = bounds.left + (bounds.right - bounds.left) / 2.0f;
    const bool right = (middle < q.h) != ((Style().modifiers & kCtrlBit) != 0);
    const double share = kind == kRadiusKind ? 0.5 : 1.0;
    const double error = WidthError(bounds, onFace ? &record : nullptr) * share;
    if (AIErr err = RadialShelfAndText(kind, q, right, across * share, group, error)) return err;
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
    // The text's own format decides, as a pair's does: a text retyped, or kept beside one
    // (the dimension's format mixed), shows what it stores, a value text measures again.
    if (node) {
        if (AIErr err = makePairDimensionString(node->textData, value, error)) return err;
    } else if (AIErr err = makeGlobalDimensionString(value, error)) {
        return err;
    }
    if (!style.appendDiamLabels) return kNoErr;
    const std::string text = g->theText;
    const std::string sign = kind == kRadiusKind ? "R" : g->slashZeroSymbol;
    const std::string withSign = style.diameterLabelsBefore ? sign + " " + text : text + " " + sign;
    // A text the user typed with its sign keeps the one it has.
    const bool carries = style.diameterLabelsBefore ? text.starts_with(sign + " ") : text.ends_with(" " + sign);
    if (!carries) CopyCString(g->theText, withSign.c_str());
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
