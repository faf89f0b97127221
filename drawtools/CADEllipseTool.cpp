// The four-segment ellipse, its perimeter and area, and the circle tools' drag and builder.
#include "drawtools/CADEllipseTool.h"

#include <algorithm>
#include <cmath>
#include <numbers>

#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/CADRectTool.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/CurveConstants.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "artwork/DrawingLayer.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

using Caption = TrackerCaptions;

// Writes the segments one by one and closes the path; as with the host's own ellipse, the
// segment writes are not looked at and the closing decides the result.
AIErr WriteEllipse(AIArtHandle path, const AIRealPoint& centre, AIReal a, AIReal b) {
    AIPathSegment segments[4];
    FourSegmentEllipse(centre, a, b, segments);
    for (int16_t i = 0; i < 4; ++i) (void)sAIPath->SetPathSegments(path, i, 1, &segments[i]);
    return sAIPath->SetPathClosed(path, true);
}

AIErr NewEllipsePath(AIArtHandle* path) {
    if (AIErr err = PrepCADLayer()) return err;
    if (AIErr err = NewToolPath(path)) return err;
    (void)sAIArt->SetArtCenterPointVisible(*path, true);  // how the centre shows is the host's
    return kNoErr;
}

AIReal Degrees(const AIRealPoint& from, const AIRealPoint& to) {
    return RadiansToDegrees(Angle(from, to));
}

// The tracker's length: the diameter from a corner, the radius from the centre.
AIReal CircleLength(int16_t fromCenter, AIReal a, AIReal b) { return fromCenter ? (a + b) / 2 : a + b; }

}  // namespace

AIReal EllipseHandleLength(AIReal semiAxis) { return static_cast<AIReal>(QuarterCircleHandle(semiAxis * 2.0)); }

void FourSegmentEllipse(const AIRealPoint& m, AIReal a, AIReal b, AIPathSegment s[4]) {
    const AIReal ha = EllipseHandleLength(a), hb = EllipseHandleLength(b);
    const AIReal cx = m.h, cy = m.v;
    s[0] = {{cx + a, cy}, {cx + a, cy - hb}, {cx + a, cy + hb}, false};
    s[1] = {{cx, cy + b}, {cx + ha, cy + b}, {cx - ha, cy + b}, false};
    s[2] = {{cx - a, cy}, {cx - a, cy + hb}, {cx - a, cy - hb}, false};
    s[3] = {{cx, cy - b}, {cx - ha, cy - b}, {cx + ha, cy - b}, false};
}

AIReal EllipsePerimeter(AIReal a, AIReal b) {
    // The speed along the ellipse at the Gauss-Legendre nodes of [-1, 1] mapped onto one
    // turn (at float angles), weighted and summed in doubles.
    const auto F = [a, b](double x) {
        const auto theta = static_cast<float>(std::numbers::pi * (1 + x));
        const float c = std::cos(theta), s = std::sin(theta);
        return std::sqrt(a * a * c * c + b * b * s * s);
    };
    double sum = 0;
    for (int i = 0; i < 5; ++i) sum += kGaussLegendreWeights[i] * F(kGaussLegendreNodes[i]);
    return static_cast<AIReal>(std::numbers::pi * sum);
}

// The area is worked with the shorter 3.1415926, as its read-out has always been.
AIReal EllipseArea(AIReal a, AIReal b) { return b * (a * 3.1415926f); }

AIErr doCADCircleTool(int16_t fromCenter) {
    AIArtHandle path = nullptr;
    if (AIErr err = PrepCADLayer()) return err;
    if (AIErr err = NewToolPath(&path)) return err;
    if (AIErr err = SnapToAnchorOrGrid(&g->firstClick, true)) return err;
    if (AIErr err = SnapToAnchorOrGrid(&g->endPoint, true)) return err;
    const AIRealPoint s = g->firstClick, e = g->endPoint;
    (void)sAIArt->SetArtCenterPointVisible(path, true);
    const AIReal dx = e.h - s.h, dy = e.v - s.v;
    AIReal a1 = fromCenter ? dx : dx / 2, b1 = fromCenter ? dy : dy / 2;  // signed semi-axes
    const bool shift = ShiftInForce();
    if (shift) {
        // A circle in the quadrant of the drag.
        const AIReal r = std::max(std::fabs(a1), std::fabs(b1));
        a1 = e.h > s.h ? r : -r;
        b1 = e.v > s.v ? r : -r;
    }
    const AIRealPoint centre = fromCenter ? s : AIRealPoint{s.h + a1, s.v + b1};
    const AIReal angle = Degrees(AIRealPoint{0, 0}, AIRealPoint{a1, b1});
    const AIReal a = std::fabs(a1), b = std::fabs(b1);
    const AIReal length = shift ? CircleLength(fromCenter, a, b) : kMissingValue;
    if (AIErr err = updateTrackerWindow(e.h, e.v, 2 * a, 2 * b, 2 * a, 2 * b, kMissingValue, angle, length,
                                        EllipsePerimeter(a, b), EllipseArea(a, b)))
        return err;
    return WriteEllipse(path, centre, a, b);
}

AIErr CADCircleDrag(int16_t fromCenter) {
    if (AIErr err = doCADCircleTool(fromCenter)) return err;
    if (!ShiftInForce()) return updateTrackerWindowLabels(Caption::kLength, Caption::kPerimeter);
    return updateTrackerWindowLabels(fromCenter ? Caption::kRadius : Caption::kDiameter, Caption::kCircle);
}

AIErr doInputCADCircleTool(int16_t fromCenter, double width, double height) {
    AIArtHandle path = nullptr;
    if (AIErr err = NewEllipsePath(&path)) return err;
    if (AIErr err = SnapToAnchorOrGrid(&g->firstClick, false)) return err;
    const AIReal w = static_cast<AIReal>(width), h = static_cast<AIReal>(height);
    const AIRealPoint s = g->firstClick;
    const AIRealPoint e{s.h + w, s.v + h};
    const AIReal a1 = w / 2, b1 = h / 2;
    const AIRealPoint centre = fromCenter ? s : AIRealPoint{s.h + a1, s.v + b1};
    const AIReal a = std::fabs(a1), b = std::fabs(b1);
    if (AIErr err = updateTrackerWindow(e.h, e.v, 2 * a, 2 * b, 2 * a, 2 * b, kMissingValue, Degrees(s, e),
                                        CircleLength(fromCenter, a, b), EllipsePerimeter(a, b), EllipseArea(a, b)))
        return err;
    return WriteEllipse(path, centre, a, b);
}

AIErr doPlotwiseEllipseDialog(const AIToolMessage* message) { return OpenNumericInputDialog(16710, message); }

AIErr BuildEllipseFromDialog() {
    const bool centreTool = g->curTool && g->curTool == g->cadcirclecentertool;
    if (!centreTool && !(g->curTool && g->curTool == g->cadcircletool)) return kNoErr;
    // The height is negated: from a corner the ellipse extends right of and below the click.
    return doInputCADCircleTool(ModeOfTool(centreTool), DrawnLength(g->inputEllipseWidth),
                                -DrawnLength(g->inputEllipseHeight));
}
