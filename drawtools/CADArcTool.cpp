// The two arc tools' drag routine and their dialogs' builders.
#include "drawtools/CADArcTool.h"

#include <cmath>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimtools/ArcSegment.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "artwork/DrawingLayer.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int16_t kByRadius = 1;
constexpr int32_t kArcByRadiusDialogID = 16740;
constexpr int32_t kArcByPointsDialogID = 16750;
constexpr int32_t kRadiusTooSmallMessage = 20;  // 17020

// Centre, start and end direction: the clicks, or the typed radius and angles about the
// first click (written back into the clicks).
AIErr ArcByRadius() {
    if (g->useNumericInputValues) {
        const AIReal r = DrawnLength(g->inputArcByRadiusRadius);
        g->secondClick = PointAlong(g->firstClick, r, DegreesToRadians(g->inputArcByRadiusStartAngle));
        g->endPoint = PointAlong(g->firstClick, r, DegreesToRadians(g->inputArcByRadiusEndAngle));
    }
    AIRealPoint o = g->firstClick, p = g->secondClick, e = g->endPoint;
    for (AIRealPoint* point : {&o, &p, &e})
        if (AIErr err = SnapToAnchorOrGrid(point, false)) return err;
    if (!CommandHeld()) return constructArcSegment(o, p, e, g->group);
    // The complement: from the cursor's direction, on the circle, back to the start.
    const AIRealPoint onCircle = PointAlong(o, Distance(o, p), Angle(o, e));
    return constructArcSegment(o, onCircle, p, g->group);
}

// The centre's signed distance from the chord's midpoint along its normal u: the typed
// radius puts it at sqrt(r^2 - d^2) on the +u side; a chord longer than the diameter once
// the clicks have snapped makes a half circle rather than no number at all.
double CentreOffsetForRadius(double r, double halfChord) {
    const double q = halfChord / r;
    if (!(q < 1.0)) return 0.0;
    const double t = std::atan(q / std::sqrt(1.0 - q * q));
    return r * std::cos(t);
}

AIErr ArcByPoints() {
    if (g->useNumericInputValues) {
        g->endPoint = AIRealPoint{(g->firstClick.h + g->secondClick.h) / 2, (g->firstClick.v + g->secondClick.v) / 2};
    }
    AIRealPoint p1 = g->firstClick, p2 = g->secondClick, e = g->endPoint;
    for (AIRealPoint* point : {&p1, &p2, &e})
        if (AIErr err = SnapToAnchorOrGrid(point, true)) return err;
    const AIRealPoint m{(p1.h + p2.h) / 2, (p1.v + p2.v) / 2};
    const AIReal a = Angle(p1, p2) + kHalfPi;
    const AIRealPoint u = Polar(1.0f, a);
    const double s = g->useNumericInputValues
                         ? CentreOffsetForRadius(DrawnLength(g->inputArcByPointsRadius), Distance(m, p1))
                         : (static_cast<double>(e.h) - m.h) * u.h + (static_cast<double>(e.v) - m.v) * u.v;
    const AIRealPoint o = PointAlong(m, static_cast<AIReal>(s), a);
    return CommandHeld() ? constructArcSegment(o, p2, p1, g->group) : constructArcSegment(o, p1, p2, g->group);
}

}  // namespace

AIErr doCADArcTool(int16_t mode) {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    if (AIErr err = PrepCADLayer()) return err;
    return mode == kByRadius ? ArcByRadius() : ArcByPoints();
}

AIErr doArcByRadiusDialog() { return OpenNumericInputDialog(kArcByRadiusDialogID, nullptr); }
AIErr doArcByPointsDialog() { return OpenNumericInputDialog(kArcByPointsDialogID, nullptr); }

AIErr BuildArcByRadiusFromDialog() {
    g->useNumericInputValues = 1;
    return doCADArcTool(1);
}

AIErr BuildArcByPointsFromDialog() {
    g->useNumericInputValues = 1;
    return doCADArcTool(2);
}

bool arcByPointsRadiusFits() {
    // Measured between the clicks as made: half the chord may be the radius (a half circle).
    if (DrawnLength(g->inputArcByPointsRadius) >= Distance(g->firstClick, g->secondClick) / 2) return true;
    char text[512];
    GetPlotwiseString(kMessageList, kRadiusTooSmallMessage, text, sizeof text);
    doDialogInputErrorDialog(text);
    return false;
}
