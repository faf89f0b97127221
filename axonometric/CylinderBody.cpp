// The cylinder's body, the tangent search, its records and the rebuild.
#include "axonometric/CylinderBody.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <string>

#include "AIRealMath.h"
#include "axonometric/AxonometricGlobals.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

constexpr AIReal kTangentStep = 0.001f;
constexpr AIReal kOneDegree = 0.0174533f;
constexpr AIReal kCursorLine = 10.0f;
constexpr int32_t kNoCylinderMessage = 50;  // 17050

using Curves = std::array<AIRealBezier, 4>;

// The first four curves of the path, curve 3 closing onto anchor 0.
AIErr ReadCurves(AIArtHandle path, std::array<AIPathSegment, 4>* anchors, Curves* curves) {
    if (AIErr err = sAIPath->GetPathSegments(path, 0, 4, anchors->data())) return err;
    for (size_t i = 0; i < 4; ++i) {
        const AIPathSegment& a = (*anchors)[i];
        const AIPathSegment& b = (*anchors)[(i + 1) % 4];
        (*curves)[i] = {a.p, a.out, b.in, b.p};
    }
    return kNoErr;
}

// Where a curve first runs along the angle (`along`) or against it, and at which t.
struct TangentPoint {
    bool found = false;
    int curve = 0;
    AIReal t = 0;
    AIRealPoint p{};
};

// The search of one curve: the first t whose tangent runs either way.
bool SearchCurve(const AIRealBezier& curve, AIReal angle, AIReal opposite, AIReal* t, AIRealPoint* p,
                 bool* along) {
    for (AIReal s = 0; s <= 1; s += kTangentStep) {
        AIRealPoint point{}, tangent{};
        sAIRealBezier->PointAndTangent(&curve, s, &point, &tangent);
        const AIRealPoint ahead{point.h + tangent.h, point.v + tangent.v};
        const AIReal direction = sAIRealMath->AIRealPointAngle(&point, &ahead);
        const bool withIt = sAIRealMath->EqualWithinTol(direction, angle, kOneDegree);
        if (withIt || sAIRealMath->EqualWithinTol(direction, opposite, kOneDegree)) {
            *t = s;
            *p = point;
            *along = withIt;
            return true;
        }
    }
    return false;
}

// Both tangent points of the base for the angle (a later curve's replacing an earlier one
// of the same kind) and the first of either kind.
struct TangentSearch {
    TangentPoint along, against, first;
};
AIErr SearchTangents(AIArtHandle path, AIReal angle, std::array<AIPathSegment, 4>* anchors, Curves* curves,
                     TangentSearch* found) {
    if (AIErr err = ReadCurves(path, anchors, curves)) return err;
    const AIReal opposite = angle <= 0 ? angle + kPi : angle - kPi;
    for (int i = 0; i < 4; ++i) {
        TangentPoint hit{true, i};
        bool along = false;
        if (!SearchCurve((*curves)[i], angle, opposite, &hit.t, &hit.p, &along)) continue;
        (along ? found->along : found->against) = hit;
        if (!found->first.found) found->first = hit;
    }
    return kNoErr;
}

// The line the cursor sets a length on: level through it for a vertical axis, else upright.
AIRealPoint CursorLineEnd(AIRealPoint cursor, bool level) {
    return level ? AIRealPoint{cursor.h + kCursorLine, cursor.v} : AIRealPoint{cursor.h, cursor.v + kCursorLine};
}

// How far the axis from the reference point runs to the cursor's line (0 when they do not
// cross).
AIReal AxisLengthToCursor(AIRealPoint reference, AIReal angle, bool levelCursor) {
    AIRealPoint crossing = reference;
    const AIRealPoint axisEnd = reference + Polar(kCursorLine, angle);
    const AIRealPoint cursor = g->primitiveTrackLoc;
    (void)FindRealIntersectionPoint(reference, axisEnd, cursor, CursorLineEnd(cursor, levelCursor), &crossing);
    return sAIRealMath->AIRealPointLength(&reference, &crossing);
}

// The eight smooth anchors of the body: A to A + O, the base's half from A to B moved by O,
// B + O to B, and back along the base from B to A. Assumes B two curves after A.
std::array<AIPathSegment, 8> BodySegments(const std::array<AIPathSegment, 4>& base, const TangentPoint& a,
                                          const TangentPoint& b, const Curves& curves, AIRealPoint o) {
    AIRealBezier a1{}, a2{}, b1{}, b2{};
    sAIRealBezier->Divide(&curves[a.curve], a.t, &a1, &a2);
    sAIRealBezier->Divide(&curves[b.curve], b.t, &b1, &b2);
    const AIPathSegment& n = base[(a.curve + 1) % 4];
    const AIPathSegment& ib = base[b.curve];
    const AIRealPoint A = a.p, B = b.p;
    return {SmoothAnchor(A, a2.p1, A),
            SmoothAnchor(A + o, A + o, a2.p1 + o),
            SmoothAnchor(n.p + o, a2.p2 + o, n.out + o),
            SmoothAnchor(ib.p + o, ib.in + o, b1.p1 + o),
            SmoothAnchor(B + o, b1.p2 + o, B + o),
            SmoothAnchor(B, B, b1.p2),
            SmoothAnchor(ib.p, b1.p1, ib.in),
            SmoothAnchor(n.p, n.out, a2.p2)};
}

// A failed search while drawing ends the drawing and takes its pieces away.
void GiveUpDrawing() {
    (void)ShowCoreMessage(kNoCylinderMessage);
    for (AIArtHandle* piece : {&g->depthArt, &g->depthArt2}) {
        if (*piece) (void)sAIArt->DisposeArt(*piece);
        *piece = nullptr;
    }
    g->firstMouseNotYetUp = 1;
    g->drawingPrimitive = 0;
}

// The record a bare rectangle of the body's bounds would get on its face, as type 7 with
// the flat length and the side.
AIErr RecordBody(AIArtHandle body, int32_t face, AIReal flatLength, int32_t side) {
    AIRealRect bounds{};
    if (AIErr err = GetAxonometricArtBounds(body, &bounds)) return err;
    depth_object_data data;
    if (AIErr err = CalculateAxonometricData(&bounds, face, &data)) return err;
    data.type = kAxoCylinderBody;
    data.offset.h = flatLength;
    data.side = side;
    data.noForeshortening = g->prefs.noAxoForeshortening;
    return SetAxonometricData(body, &data);
}

// While a view is followed (`rebuilding`) a failed search leaves the cylinder as it is, to
// be rebuilt when the view allows.
AIErr MakeBody(AIArtHandle base, AIReal angle, AIRealPoint* reference, AIArtHandle* body, bool rebuilding) {
    if (!reference || !body) return kBadParameterErr;
    std::array<AIPathSegment, 4> anchors{};
    Curves curves{};
    TangentSearch found;
    const AIErr read = SearchTangents(base, angle, &anchors, &curves, &found);
    if (read || !found.along.found || !found.against.found) {
        if (!rebuilding) GiveUpDrawing();
        return read;
    }
    if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, g->primitiveGroup, body)) return err;
    const bool vertical = angle == kHalfPi || angle == -kHalfPi;
    const AIReal length = AxisLengthToCursor(*reference, angle, vertical);
    const auto segments = BodySegments(anchors, found.along, found.against, curves, Polar(length, angle));
    if (AIErr err = sAIPath->SetPathSegmentCount(*body, 8)) return err;
    if (AIErr err = sAIPath->SetPathSegments(*body, 0, 8, segments.data())) return err;
    return sAIPath->SetPathClosed(*body, true);
}

// The body on the side of the base for the cursor, recorded with that side. While drawing,
// a top-face cylinder takes its side from the cursor: down while it is below the reference
// point. A rebuild keeps the side it is given, an unknown one too.
void BuildBody(int32_t side, bool rebuilding) {
    const int32_t face = g->primitiveFirstFace;
    CylinderAxis axis;
    if (!GetCylinderAxis(face, side, &axis)) return;
    AIRealPoint reference{};
    (void)GetFirstParallelTangent(g->depthArt, axis.reference, &reference);
    if (!rebuilding && face == kAxoTopFace) {
        side = g->primitiveTrackLoc.v < reference.v ? kCylinderAhead : kCylinderBehind;
        (void)GetCylinderAxis(face, side, &axis);
    }
    (void)MakeBody(g->depthArt, axis.angle, &reference, &g->depthArt2, rebuilding);
    if (!g->depthArt2) return;
    const AIReal length = AxisLengthToCursor(reference, axis.angle, face == kAxoTopFace);
    if (!g->prefs.autoExpandAxoArt) (void)RecordBody(g->depthArt2, axis.bodyFace, length / axis.factor, side);
}

// The first two members of a cylinder group by their records; with `own`, only by records
// they hold themselves (the group's is not looked at).
struct CylinderMembers {
    AIArtHandle base = nullptr, body = nullptr;
    depth_object_data baseData, bodyData;
};
AIErr FindMembers(AIArtHandle group, CylinderMembers* m, bool own = false) {
    AIArtHandle child = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(group, &child)) return err;
    for (int visited = 0; child && visited < 2; ++visited) {
        depth_object_data data;
        if (!own || HoldsAxonometricRecord(child))
            if (AIErr err = GetAxonometricData(child, &data)) return err;
        if (data.type == kAxoCylinderBase) m->base = child, m->baseData = data;
        if (data.type == kAxoCylinderBody) m->body = child, m->bodyData = data;
        if (AIErr err = sAIArt->GetArtSibling(child, &child)) return err;
    }
    return kNoErr;
}

// The new body takes the old one's style and every entry of its dictionary it does not
// hold itself; then the old body goes.
AIErr ReplaceBody(AIArtHandle old, AIArtHandle body) {
    AIPathStyle style{};
    if (AIErr err = sAIPathStyle->GetPathStyle(old, &style)) return err;
    if (AIErr err = sAIPathStyle->SetPathStyle(body, &style)) return err;
    DictRef kept;
    if (AIErr err = sAIDictionary->CreateDictionary(kept.put())) return err;
    if (AIErr err = CopyArtDictionaryToDictionary(old, kept.get())) return err;
    if (AIErr err = sAIArt->ReorderArt(body, kPlaceInsideOnTop, g->primitiveGroup)) return err;
    if (AIErr err = CopyDictionaryToArt(kept.get(), body)) return err;
    return sAIArt->DisposeArt(old);
}

// The base projected onto the face, keeping the projection's record (as type 6) even while
// projected art is expanded: its member record is what a later view rebuilds it from.
AIErr ProjectBase(AIArtHandle base, int32_t face, ProjectRoutine project) {
    const int expanded = g->prefs.autoExpandAxoArt;
    g->prefs.autoExpandAxoArt = 0;
    const AIErr err = project(base, face, &g->prefs.isoView);
    g->prefs.autoExpandAxoArt = expanded;
    return err;
}

// A body's side and flat length as it is drawn: its first anchor lies on the base, its
// second one the length along the axis of the view it was drawn in, which its record's
// matrix keeps (the flat x of the body's face runs along a side face's axis, its flat y
// upright). False when the drawing cannot tell.
bool ReadBodyAsDrawn(const CylinderMembers& m, int32_t* side, AIReal* length) {
    int16_t count = 0;
    std::array<AIPathSegment, 2> s{};
    if (sAIPath->GetPathSegmentCount(m.body, &count) != kNoErr || count < 2 ||
        sAIPath->GetPathSegments(m.body, 0, 2, s.data()) != kNoErr)
        return false;
    const AIRealMatrix& x = m.bodyData.matrix;
    AIRealPoint ahead{};  // the way a positive length runs, a flat point long
    switch (m.baseData.face) {
        case kAxoLeftFace: ahead = {x.a, x.b}; break;
        case kAxoRightFace: ahead = {-x.a, -x.b}; break;
        case kAxoTopFace: ahead = {-x.c, -x.d}; break;
        default: return false;
    }
    const double dh = s[1].p.h - s[0].p.h, dv = s[1].p.v - s[0].p.v;
    const double flat = std::hypot(dh, dv) / std::hypot(ahead.h, ahead.v);
    if (!IsRecordLength(static_cast<AIReal>(flat))) return false;
    *side = dh * ahead.h + dv * ahead.v < 0 ? kCylinderBehind : kCylinderAhead;
    *length = static_cast<AIReal>(flat);
    return true;
}

// A drum as the user knows it: by where its base lies ("the depth cylinder at 340.0, 305.0: ").
AIErr DrumName(const CylinderMembers& m, std::string* name) {
    AIRealRect base{};
    if (AIErr err = GetAxonometricArtBounds(m.base, &base)) return err;
    char text[64];
    std::snprintf(text, sizeof text, "the depth cylinder at %.1f, %.1f: ",
                  (static_cast<double>(base.left) + base.right) / 2, (static_cast<double>(base.top) + base.bottom) / 2);
    *name = text;
    return kNoErr;
}

// A body whose record lost its side or its length takes them from its drawing, and the user
// is told; one whose drawing cannot tell them either leaves the cylinder as it was.
AIErr CompleteBody(CylinderMembers& m) {
    depth_object_data& body = m.bodyData;
    const bool lengthLost = !IsRecordLength(body.offset.h);
    if (!body.sideUnreadable && !lengthLost) return kNoErr;
    int32_t side = 0;
    AIReal length = 0;
    if (!ReadBodyAsDrawn(m, &side, &length)) return kCADErr;
    std::string name;
    if (AIErr err = DrumName(m, &name)) return err;
    if (body.sideUnreadable) {
        NoteForUser(kCompletedValuesNote, name + "its body's side");
        body.side = side;
    }
    if (lengthLost) {
        char stored[32];
        std::snprintf(stored, sizeof stored, "length %.10g", static_cast<double>(body.offset.h));
        NoteForUser(kCompletedValuesNote, name + "its body's " + stored);
        body.offset.h = length;
    }
    return kNoErr;
}

// A cylinder group's record on the face.
depth_object_data GroupRecord(int32_t face) {
    depth_object_data data;
    InitializeAxonometricData(&data);
    data.type = kAxoCylinderGroup;
    data.face = face;
    data.noForeshortening = g->prefs.noAxoForeshortening;
    return data;
}

// Whether the group's own record reads whole as a cylinder group's (`own` holds what was read).
bool SoundGroupRecord(AIArtHandle group, depth_object_data* own) {
    return HoldsAxonometricRecord(group) && GetAxonometricData(group, own) == kNoErr &&
           own->type == kAxoCylinderGroup;
}

// A drum whose group's own record is missing, cannot be read or names another type gets the
// record its members say it has (a cylinder group on its base's face), and the user is told.
// A record that is no dictionary gives way to it; one that is keeps its other entries.
AIErr CompleteGroup(AIArtHandle group, const CylinderMembers& m) {
    depth_object_data own;
    if (SoundGroupRecord(group, &own)) return kNoErr;
    std::string name;
    if (AIErr err = DrumName(m, &name)) return err;
    AIErr err = RecordCylinderGroup(group, m.baseData.face);
    if (err == kWrongTypeErr) {
        if (AIErr gone = DeleteAxonometricData(group)) return gone;
        err = RecordCylinderGroup(group, m.baseData.face);
    }
    if (!err) NoteForUser(kCompletedValuesNote, name + "its group's record");
    return err;
}

// A drum by its members, whatever its own record says: a group whose first two members are a
// base and a body, each by a record of its own.
bool DrumMembers(AIArtHandle art, CylinderMembers* m) {
    int16_t type = kUnknownArt;
    if (!art || sAIArt->GetArtType(art, &type) != kNoErr || type != kGroupArt) return false;
    return FindMembers(art, m, /*own=*/true) == kNoErr && m->base && m->body;
}

AIErr RebuildMembers(AIArtHandle group, int32_t face, ProjectRoutine project) {
    CylinderMembers m;
    if (AIErr err = FindMembers(group, &m)) return err;
    if (!m.base) return kNoErr;
    if (m.body) {
        if (AIErr err = CompleteBody(m)) return err;
        if (AIErr err = CompleteGroup(group, m)) return err;
    }
    g->depthArt = m.base;
    g->primitiveFirstFace = face == kAxoNoFace ? m.baseData.face : face;
    const AIErr projected = ProjectBase(m.base, g->primitiveFirstFace, project);
    if (AIErr err = RecordCylinderBase(m.base)) return err;
    if (projected) return projected;
    CylinderAxis axis;
    if (!m.body || !GetCylinderAxis(g->primitiveFirstFace, m.bodyData.side, &axis)) return kNoErr;
    AIRealPoint reference{};
    if (AIErr err = GetFirstParallelTangent(m.base, axis.reference, &reference)) return err;
    // A made-up cursor at the far end of the stored length, on the stored side, under this
    // view.
    g->primitiveTrackLoc = reference + Polar(m.bodyData.offset.h * axis.factor, axis.angle);
    BuildBody(m.bodyData.side, true);
    g->firstMouseNotYetUp = 1;
    g->drawingPrimitive = 0;
    if (!g->depthArt2) return kNoErr;  // the old body stays until a view allows a new one
    if (AIErr err = ReplaceBody(m.body, g->depthArt2)) return err;
    return sAIArt->ReorderArt(m.base, kPlaceInsideOnTop, group);
}

}  // namespace

bool GetCylinderAxis(int32_t baseFace, int32_t side, CylinderAxis* axis) {
    const iso_view& v = g->prefs.isoView;
    // Bodies stored before their side was kept take the view's: the top face's runs down
    // while the view looks from above.
    if (side == kCylinderSideUnknown) side = baseFace == kAxoTopFace && !(v.t > 0) ? kCylinderBehind : kCylinderAhead;
    const bool ahead = side > 0;
    switch (baseFace) {
        case kAxoLeftFace: *axis = {v.b, v.a, v.af, kAxoRightFace}; break;
        case kAxoRightFace: *axis = {v.a, v.b < kPi ? v.b : v.b - kTwoPi, v.bf, kAxoLeftFace}; break;
        case kAxoTopFace: *axis = {kHalfPi, ahead ? -kHalfPi : kHalfPi, v.cf, kAxoLeftFace}; return true;
        default: return false;
    }
    // Turned round within (-pi, pi], where the tangent search compares directions.
    if (!ahead) axis->angle = axis->angle > 0 ? axis->angle - kPi : axis->angle + kPi;
    return true;
}

AIErr GetFirstParallelTangent(AIArtHandle path, AIReal angle, AIRealPoint* point) {
    if (!point) return kBadParameterErr;
    std::array<AIPathSegment, 4> anchors{};
    Curves curves{};
    TangentSearch found;
    const AIErr err = SearchTangents(path, angle, &anchors, &curves, &found);
    *point = found.first.found ? found.first.p : AIRealPoint{0, 0};
    return err;
}

AIErr MakeParallelCylinderFromBase(AIArtHandle base, AIReal angle, AIRealPoint* reference, AIArtHandle* body) {
    return MakeBody(base, angle, reference, body, false);
}

void DrawCylinderBody() { BuildBody(kCylinderAhead, false); }

AIErr RecordCylinderBase(AIArtHandle base) {
    depth_object_data data;
    if (AIErr err = GetAxonometricData(base, &data)) return err;
    data.type = kAxoCylinderBase;
    return SetAxonometricData(base, &data);
}

AIErr RecordCylinderGroup(AIArtHandle group, int32_t face) {
    const depth_object_data data = GroupRecord(face);
    return SetAxonometricData(group, &data);
}

AIErr RecordCylinder(AIArtHandle group, AIArtHandle base, AIArtHandle body, int32_t baseFace, AIReal flatLength,
                     int32_t side) {
    CylinderAxis axis;
    if (!GetCylinderAxis(baseFace, side, &axis)) return kBadParameterErr;
    if (group)
        if (AIErr err = RecordCylinderGroup(group, baseFace)) return err;
    if (base)
        if (AIErr err = RecordCylinderBase(base)) return err;
    return body ? RecordBody(body, axis.bodyFace, flatLength, side) : kNoErr;
}

bool IsDrum(AIArtHandle art) {
    CylinderMembers m;
    return DrumMembers(art, &m);
}

AIErr GetProjectionRecord(AIArtHandle art, depth_object_data* data) {
    CylinderMembers m;
    if (!DrumMembers(art, &m)) return GetAxonometricData(art, data);
    depth_object_data own;
    const bool sound = SoundGroupRecord(art, &own);
    *data = sound ? own : GroupRecord(m.baseData.face);
    data->id = own.id;  // what the record still tells, for naming the art
    return kNoErr;
}

AIErr RebuildCylinder(AIArtHandle group, int32_t face, ProjectRoutine project) {
    g->primitiveGroup = group;
    g->depthArt2 = nullptr;
    const AIErr err = RebuildMembers(group, face, project);
    g->primitiveGroup = g->depthArt = g->depthArt2 = nullptr;
    return err;
}
