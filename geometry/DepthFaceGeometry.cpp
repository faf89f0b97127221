// Drag directions, face parallelograms and the placing of typed shapes on a face.
#include "geometry/DepthFaceGeometry.h"

#include <cmath>

#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr AIReal kVertical = kHalfPi;
constexpr AIReal kLineLength = 10.0f;  // the construction lines' second point lies this far on

// The second point of the construction line through p along the angle; the vertical is
// exactly vertical, as the drawing's up direction.
AIRealPoint Along(AIRealPoint p, AIReal angle) {
    if (angle == kVertical) return {p.h, p.v + kLineLength};
    return PointAlong(p, kLineLength, angle);
}

bool Cross(AIRealPoint p, AIReal angleP, AIRealPoint q, AIReal angleQ, AIRealPoint* out) {
    return FindRealIntersectionPoint(p, Along(p, angleP), q, Along(q, angleQ), out) == kNoErr;
}

// The slot the pressed point takes for a direction: side faces by the direction alone, the
// top face by the direction and the sign of the tilt; -1 when the direction does not belong
// to the face.
int PressedSlot(int32_t face, DragDirection direction, bool tiltedDown) {
    if (face == kAxoLeftFace || face == kAxoRightFace) {
        switch (direction) {
            case kDraggingUpRight: return 1;
            case kDraggingUpLeft: return 0;
            case kDraggingDownLeft: return 2;
            case kDraggingDownRight: return 3;
            default: return -1;
        }
    }
    if (face != kAxoTopFace) return -1;
    switch (direction) {
        case kDraggingRight: return tiltedDown ? 3 : 1;
        case kDraggingUp: return tiltedDown ? 1 : 0;
        case kDraggingDown: return tiltedDown ? 2 : 3;
        case kDraggingLeft: return tiltedDown ? 0 : 2;
        default: return -1;
    }
}

}  // namespace

bool GetFaceEdges(const iso_view& view, int32_t face, FaceEdges* edges) {
    switch (face) {
        case kAxoLeftFace: *edges = {view.b - kPi, kVertical, view.bf, view.cf}; return true;
        case kAxoRightFace: *edges = {view.a, kVertical, view.af, view.cf}; return true;
        case kAxoTopFace: *edges = {view.b - kPi, view.a, view.bf, view.af}; return true;
        default: return false;
    }
}

DragDirection ClassifyFaceDrag(const iso_view& view, int32_t face, AIRealPoint f, AIRealPoint e) {
    if (e.h == f.h || e.v == f.v || !IsAxonometricFace(face)) return kNoDragDirection;
    const AIReal theta = std::atan2(e.v - f.v, e.h - f.h);
    const bool right = e.h > f.h, above = e.v > f.v;
    // The edge angles are compared as the drag's angle is given, within (-pi, pi]: a view
    // seen from below has b near -150 degrees, whose b - pi would otherwise lie a turn away.
    const AIReal receding = GetAIAngle(view.b - kPi), a = GetAIAngle(view.a);
    if (face == kAxoTopFace) {
        // The two edge lines through F divide the plane into the four sectors.
        const bool down = view.t < 0;
        const AIReal u = down ? receding : a, l = down ? a : receding;
        if (right && above) return theta <= u ? kDraggingRight : kDraggingUp;
        if (right) return theta >= l ? kDraggingRight : kDraggingDown;
        if (!above) return theta >= u - kPi ? kDraggingDown : kDraggingLeft;
        return theta > l + kPi ? kDraggingLeft : kDraggingUp;
    }
    // "Up" on a side face: E lies above the receding line through F. Which side of that
    // line's own angle counts as up differs between the faces only on the line itself.
    const bool leftFace = face == kAxoLeftFace;
    const AIReal d = leftFace ? receding : a;
    if (right && above) return (leftFace ? theta >= d : theta > d) ? kDraggingUpRight : kDraggingDownRight;
    if (right) return (leftFace ? theta > d : theta >= d) ? kDraggingUpRight : kDraggingDownRight;
    if (!above) return theta >= d - kPi ? kDraggingDownLeft : kDraggingUpLeft;
    return theta > d + kPi ? kDraggingDownLeft : kDraggingUpLeft;
}

AIReal FaceParallelogram::FlatWidth(const FaceEdges& edges) const { return Distance(c[3], c[2]) / edges.firstScale; }
AIReal FaceParallelogram::FlatHeight(const FaceEdges& edges) const { return Distance(c[3], c[1]) / edges.secondScale; }

bool BuildFaceParallelogram(const iso_view& view, int32_t face, DragDirection direction, AIRealPoint f,
                            AIRealPoint e, FaceParallelogram* out) {
    FaceEdges edges;
    if (!GetFaceEdges(view, face, &edges)) return false;
    const int s = PressedSlot(face, direction, view.t < 0);
    if (s < 0) return false;
    // Slots s ^ 1 and s ^ 2 are F's neighbours along the first and the second edge, s ^ 3
    // the corner opposite, which E is.
    FaceParallelogram p;
    if (!Cross(f, edges.first, e, edges.second, &p.c[s ^ 1])) return false;
    if (!Cross(f, edges.second, e, edges.first, &p.c[s ^ 2])) return false;
    p.c[s] = f;
    p.c[s ^ 3] = e;
    p.pressed = s;
    p.cursor = e;
    *out = p;
    return true;
}

bool ResizeFromPressedCorner(FaceParallelogram* p, AIReal flatWidth, AIReal flatHeight, const FaceEdges& edges) {
    const int s = p->pressed;
    const AIRealPoint f = p->c[s];
    const AIRealPoint along1 = p->c[s ^ 1], along2 = p->c[s ^ 2];
    const AIReal l1 = Distance(f, along1), l2 = Distance(f, along2);
    if (!(l1 > 0) || !(l2 > 0)) return false;
    const AIReal k1 = flatWidth * edges.firstScale / l1, k2 = flatHeight * edges.secondScale / l2;
    const AIRealPoint n1{f.h + (along1.h - f.h) * k1, f.v + (along1.v - f.v) * k1};
    const AIRealPoint n2{f.h + (along2.h - f.h) * k2, f.v + (along2.v - f.v) * k2};
    p->c[s ^ 1] = n1;
    p->c[s ^ 2] = n2;
    p->c[s ^ 3] = {n1.h + n2.h - f.h, n1.v + n2.v - f.v};
    p->cursor = p->c[s ^ 3];
    return true;
}

bool GetFaceAnchor(const iso_view& view, int32_t face, FaceAnchor* anchor) {
    const bool down = view.t < 0;
    switch (face) {
        case kAxoLeftFace: *anchor = down ? FaceAnchor{0, true, false} : FaceAnchor{2, true, true}; return true;
        case kAxoRightFace: *anchor = down ? FaceAnchor{1, false, false} : FaceAnchor{3, false, true}; return true;
        case kAxoTopFace: *anchor = down ? FaceAnchor{2, true, true} : FaceAnchor{0, true, false}; return true;
        default: return false;
    }
}

void AdjustPointToAnchorPoint(const iso_view& view, AIRealPoint* point, const AIRealRect& rect, int32_t face,
                              bool centred) {
    if (!point || !IsAxonometricFace(face)) return;
    const AIReal w = rect.right - rect.left, h = rect.top - rect.bottom;
    const bool up = view.t > 0;
    if (!centred) {
        // The corner the projection holds fixed goes onto the click.
        const bool right = face != kAxoRightFace;
        const bool bottom = face == kAxoTopFace ? up : !up;
        if (right) point->h -= w;
        if (bottom) point->v += h;
        return;
    }
    const AIReal x = rect.left, y = rect.top;
    const AIReal cosA = std::fabs(std::cos(view.a)), sinA = std::fabs(std::sin(view.a));
    const AIReal cosB = std::fabs(std::cos(view.b)), sinB = std::fabs(std::sin(view.b));
    AIReal dx = 0, dy = 0, rise = 0;
    switch (face) {
        case kAxoLeftFace:
            dx = w * view.bf * cosB, rise = w * view.bf * sinB;
            dy = rise + h * view.cf;
            break;
        case kAxoRightFace:
            dx = w * view.af * cosA, rise = w * view.af * sinA;
            dy = rise + h * view.cf;
            break;
        default:
            dx = h * view.af * cosA + w * view.bf * cosB;
            dy = h * view.af * sinA + w * view.bf * sinB;
            break;
    }
    const AIReal x1 = x - dx / 2, x2 = x + dx / 2, y1 = y + dy / 2, y2 = y - dy / 2;
    switch (face) {
        case kAxoLeftFace: *point = {x2 - w, up ? y1 - rise : y2 + rise + h}; break;
        case kAxoRightFace: *point = {x1, up ? y1 - rise : y2 + rise + h}; break;
        default: *point = {x1 + w * view.bf * cosB - w, up ? y2 + h : y1}; break;
    }
}
