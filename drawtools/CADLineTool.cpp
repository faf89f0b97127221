// The CAD line tool's drag and builder, the joining of open paths, the "CADLine" dialog's
// notifier and the line preferences dialog.
#include "drawtools/CADLineTool.h"

#include <cmath>
#include <numbers>
#include <cstdint>
#include <limits>
#include <vector>

#include "core/ExceptionBoundary.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/MeasuredArtEdit.h"
#include "dimensions/MeasuringHit.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "artwork/AxonometricConstraint.h"
#include "artwork/DrawingLayer.h"
#include "units/NumericFields.h"
#include "units/LayerScales.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr AIReal kProbeLength = 10.0f;  // the helper points of the 45-degree projections
constexpr double kNoise = 1e-05;        // rise and run below this show as 0

bool Finite(const AIRealPoint& p) { return std::isfinite(p.h) && std::isfinite(p.v); }


// --- the ends of the line ---

// An end anchor of an open path that the line may join.
struct LineEnd {
    AIArtHandle path = nullptr;
    int16_t anchor = -1;
    int16_t count = 0;
    bool joinable() const { return path != nullptr; }
    bool last() const { return anchor == count - 1; }
};

// Whether the hit anchor is the first or last of an open path; a dimension's part never is,
// as an update would draw it again without the line.
AIErr JoinableEnd(const AnchorHit& hit, LineEnd* end) {
    *end = LineEnd{};
    if (!hit.anchor || !hit.art || InDimension(hit.art)) return kNoErr;
    int16_t type = 0;
    if (AIErr err = sAIArt->GetArtType(hit.art, &type)) return err;
    if (type != kPathArt) return kNoErr;
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathClosed(hit.art, &closed)) return err;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(hit.art, &count)) return err;
    if (closed || count < 1) return kNoErr;
    if (hit.segment == 0 || hit.segment == count - 1) *end = LineEnd{hit.art, hit.segment, count};
    return kNoErr;
}

// The start: `startingPoint` moves onto an anchor under the probe point; with nothing under
// it the grid may move the start instead.
AIErr SnapStart(AIRealPoint probe, bool gridSnap, LineEnd* start) {
    AnchorHit hit;
    if (AIErr err = SnapToAnchorOrGrid(&probe, false, &hit)) return err;
    if (hit.anchor)
        g->startingPoint = probe;
    else if (!hit.any && gridSnap)
        GridSnap(&g->startingPoint);
    return JoinableEnd(hit, start);
}

AIErr SnapEnd(AIRealPoint* end, LineEnd* join) {
    AnchorHit hit;
    if (AIErr err = SnapToAnchorOrGrid(end, true, &hit)) return err;
    return JoinableEnd(hit, join);
}

// The line lies on one layer, the one it starts on: that of the path it extends from its
// start (whose scale it is then dragged, typed and tracked at), else the user's drawing layer.
// Its end joins only a path of that layer: another layer's path end is snapped to but not
// joined, as a join would move the line, or that path's art, between layers.
AIErr KeepToOneLayer(const LineEnd& start, LineEnd* end) {
    AILayerHandle layer = g->saveLayer;
    if (start.joinable()) {
        if (AIErr err = sAIArt->GetLayerOfArt(start.path, &layer)) return err;
        (void)LoadLayerScale(layer, /*mend=*/false);  // read only, as at a press
    }
    if (!end || !end->joinable()) return kNoErr;
    AILayerHandle its = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(end->path, &its)) return err;
    if (its != layer) *end = LineEnd{};
    return kNoErr;
}

// --- direction constraints ---

// The constrained end on the ray from start at the 45-degree step nearest a: where the
// vertical or the horizontal through e meets the ray, whichever lies nearer the cursor
// (the horizontal on a tie), so the length follows one coordinate of the cursor.
AIRealPoint ProjectOn45(const AIRealPoint& start, const AIRealPoint& e, const AIRealPoint& cursor, AIReal a) {
    SetConstrainAngle(&a);
    const AIRealPoint onRay = PointAlong(start, kProbeLength, a);
    AIRealPoint vertical{}, horizontal{};
    const bool hasV = FindRealIntersectionPoint(start, onRay, e, PointAlong(e, kProbeLength, kHalfPi),
                                                &vertical) == kNoErr &&
                      Finite(vertical);
    const bool hasH =
        FindRealIntersectionPoint(start, onRay, e, PointAlong(e, kProbeLength, 0.0f), &horizontal) == kNoErr &&
        Finite(horizontal);
    if (hasV && hasH) return Distance(vertical, cursor) < Distance(horizontal, cursor) ? vertical : horizontal;
    if (hasH) return horizontal;
    if (hasV) return vertical;
    return e;
}

// The fixed angle of the preferences: c taken into [-pi/2, pi/2] by half turns; the line
// runs at c when a lies in [c - pi/2, c + pi/2), else at c + pi.
bool FixedAngle(AIReal a, AIReal* constrained) {
    using std::numbers::pi;
    const double c = std::remainder(static_cast<double>(g->prefs.constrainLineToolAngle), pi);
    if (!std::isfinite(c)) return false;  // a stored angle that is no number constrains nothing
    *constrained = static_cast<AIReal>(c - pi / 2 <= a && a < c + pi / 2 ? c : c + pi);
    return true;
}

// Step 4 of the drag: the first rule that applies moves e.
void ConstrainDirection(const AIRealPoint& start, AIRealPoint* e) {
    AIReal a = Angle(start, *e);
    const AIReal d = Distance(start, *e);
    const bool shift = ShiftInForce();
    if (shift && OptionHeld()) {
        int32_t face = g->face;
        GetRealAxomentricConstrainAngle(&a, &face);
        g->face = face;
        *e = PointAlong(start, d, a);
    } else if (shift) {
        *e = ProjectOn45(start, *e, g->endPoint, a);
    } else if (CommandHeld()) {
        if (!g->constrainLineToCurrentAngle) {
            g->constrainLineToCurrentAngle = 1;
            g->constrainedLineAngle = a;
        }
        *e = PointAlong(start, d, g->constrainedLineAngle);
    } else {
        g->constrainLineToCurrentAngle = 0;
        AIReal fixed = 0;
        if (g->prefs.constrainLineTool && FixedAngle(a, &fixed)) *e = PointAlong(start, d, fixed);
    }
}

AIErr TrackLine(const AIRealPoint& start, const AIRealPoint& e, AIReal angleDegrees) {
    const AIReal w = std::fabs(e.h - start.h), h = std::fabs(e.v - start.v);
    return updateTrackerWindow(e.h, e.v, w, h, w, h, kMissingValue, angleDegrees, Distance(start, e), kMissingValue,
                               kMissingValue);
}

// --- joining ---

// Sets the handle facing away from the path (the first anchor's in-handle, the last
// one's out-handle) onto its anchor, unless it is there already.
AIErr RetractOutwardHandle(AIArtHandle path, int16_t anchor, bool first) {
    AIPathSegment s{};
    if (AIErr err = sAIPath->GetPathSegments(path, anchor, 1, &s)) return err;
    AIRealPoint& handle = first ? s.in : s.out;
    if (handle.h == s.p.h && handle.v == s.p.v) return kNoErr;
    handle = s.p;
    return sAIPath->SetPathSegments(path, anchor, 1, &s);
}

// A straight segment from the end anchor to p: appended after the last anchor, or, at the
// first anchor, appended to the reversed path, which is then turned back.
AIErr ExtendFrom(const LineEnd& end, const AIRealPoint& p, bool retract) {
    if (retract) {
        if (AIErr err = RetractOutwardHandle(end.path, end.anchor, !end.last())) return err;
    }
    const AIPathSegment added = CornerAnchor(p);
    if (end.last()) return sAIPath->InsertPathSegments(end.path, end.count, 1, &added);
    if (AIErr err = sAIPath->ReversePathSegments(end.path)) return err;
    if (AIErr err = sAIPath->InsertPathSegments(end.path, end.count, 1, &added)) return err;
    return sAIPath->ReversePathSegments(end.path);
}

// Both ends on one path: the closing segment runs between its end anchors.
AIErr ClosePath(const LineEnd& end) {
    if (AIErr err = RetractOutwardHandle(end.path, 0, true)) return err;
    if (AIErr err = RetractOutwardHandle(end.path, static_cast<int16_t>(end.count - 1), false)) return err;
    return sAIPath->SetPathClosed(end.path, true);
}

// Two paths: the start path, ending at the start anchor, gets every segment of the end
// path, beginning at the end anchor; the end path goes.
AIErr MergePaths(const LineEnd& start, const LineEnd& end) {
    if (static_cast<int32_t>(start.count) + end.count > std::numeric_limits<int16_t>::max()) return kOutOfRangeErr;
    if (start.anchor == 0) {
        if (AIErr err = sAIPath->ReversePathSegments(start.path)) return err;
    }
    if (AIErr err = RetractOutwardHandle(start.path, static_cast<int16_t>(start.count - 1), false)) return err;
    if (end.last()) {
        if (AIErr err = sAIPath->ReversePathSegments(end.path)) return err;
    }
    if (AIErr err = RetractOutwardHandle(end.path, 0, true)) return err;
    std::vector<AIPathSegment> segments(static_cast<size_t>(end.count));
    if (AIErr err = sAIPath->GetPathSegments(end.path, 0, end.count, segments.data())) return err;
    if (AIErr err = sAIPath->InsertPathSegments(start.path, start.count, end.count, segments.data())) return err;
    return DisposeArtWithEmptiedParents(end.path);
}

// A join draws into an existing path: the group prepared for a new line would be left
// empty in the drawing, so it goes.
AIErr DropEmptyGroup() {
    if (!g->group) return kNoErr;
    AIArtHandle child = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(g->group, &child)) return err;
    if (child) return kNoErr;
    AIErr err = sAIArt->DisposeArt(g->group);
    g->group = nullptr;
    return err;
}

AIErr Join(const LineEnd& start, const LineEnd& end, const AIRealPoint& e, bool retract) {
    if (start.joinable() && end.joinable()) {
        if (start.path != end.path) return MergePaths(start, end);
        if (start.anchor == end.anchor) return kNoErr;  // a line from an anchor to itself
        return ClosePath(start);
    }
    if (start.joinable()) return ExtendFrom(start, e, retract);
    return ExtendFrom(end, g->startingPoint, retract);
}

// A join keeps what measures the joined paths: their dimensions' clicks go with their points,
// renumbered where an anchor is added at a path's start, onto the one path left.
AIErr JoinLine(const LineEnd& start, const LineEnd& end, const AIRealPoint& e, bool retract = true) {
    MeasuredArtEdit measured;
    for (const LineEnd* joined : {&start, &end})
        if (AIErr err = measured.Take(joined->path)) return err;
    if (AIErr err = Join(start, end, e, retract)) return err;
    return measured.Carry({start.joinable() ? &start.path : &end.path, 1});
}

}  // namespace

AIErr doCADLineTool() {
    if (AIErr err = PrepCADLayer()) return err;
    LineEnd start, end;
    if (AIErr err = SnapStart(g->firstClick, true, &start)) return err;
    AIRealPoint e = g->endPoint;
    if (AIErr err = SnapEnd(&e, &end)) return err;
    if (!g->prefs.okToConnectCADlinePaths) start = end = LineEnd{};
    if (AIErr err = KeepToOneLayer(start, &end)) return err;
    const AIRealPoint s = g->startingPoint;
    ConstrainDirection(s, &e);
    if (AIErr err = TrackLine(s, e, RadiansToDegrees(Angle(s, e)))) return err;
    if (!start.joinable() && !end.joinable()) return drawLine(s, e, g->group);
    if (AIErr err = JoinLine(start, end, e)) return err;
    return DropEmptyGroup();
}

AIErr doInputCADLineTool(double length, double angle) {
    if (AIErr err = PrepCADLayer()) return err;
    LineEnd start;
    if (AIErr err = SnapStart(g->startingPoint, false, &start)) return err;
    const AIRealPoint s = g->startingPoint;
    g->endPoint =
        PointAlong(AIRealPoint{0, 0}, static_cast<AIReal>(length), DegreesToRadians(static_cast<AIReal>(angle)));
    const AIRealPoint e{s.h + g->endPoint.h, s.v + g->endPoint.v};
    if (AIErr err = TrackLine(s, e, static_cast<AIReal>(angle))) return err;
    if (!start.joinable()) return drawLine(s, e, g->group);
    // Typed lines join whatever the preference says, and keep the anchor's handles.
    if (AIErr err = JoinLine(start, LineEnd{}, e, /*retract=*/false)) return err;
    return DropEmptyGroup();
}

AIErr doPlotwiseLineDialog(const AIToolMessage* message) {
    // A typed line joins the path it starts on: its length is taken at that path's scale.
    LineEnd start;
    if (AIErr err = SnapStart(g->startingPoint, false, &start)) return err;
    if (AIErr err = KeepToOneLayer(start, nullptr)) return err;
    return OpenNumericInputDialog(16720, message);
}

AIErr BuildLineFromDialog() { return doInputCADLineTool(DrawnLength(g->inputLineLength), g->inputLineAngle); }

namespace {

// The notifier reads and writes typed units: the scale factor is 1 while it runs.
class TypedUnits {
public:
    TypedUnits() : saved_(g->prefs.scaler) { g->prefs.scaler = 1.0f; }
    ~TypedUnits() { g->prefs.scaler = saved_; }
    TypedUnits(const TypedUnits&) = delete;
    TypedUnits& operator=(const TypedUnits&) = delete;

private:
    float saved_;
};

double Quiet(double v) { return std::fabs(v) < kNoise ? 0.0 : v; }

// Length or angle changed: rise and run follow.
void RiseAndRunFromLength(ADMDialogRef dialog) {
    double length = 0, degrees = 0;
    char angle[256] = {};
    sADMItem->GetText(sADMDialog->GetItem(dialog, kLineAngleItem), angle, sizeof angle);
    // Nothing to compute from (OK will say what does not read).
    if (!ReadTypedLength(dialog, kLineLengthItem, &length) || !parseAngleText(angle, &degrees)) return;
    SetLengthFieldText(sADMDialog->GetItem(dialog, kLineLengthItem), length);
    const double a = DegreesToRadians(static_cast<AIReal>(degrees));
    SetLengthFieldText(sADMDialog->GetItem(dialog, kLineRiseItem), Quiet(length * std::sin(a)));
    SetLengthFieldText(sADMDialog->GetItem(dialog, kLineRunItem), Quiet(length * std::cos(a)));
}

// Rise or run changed: length and angle follow, the angle in its own quadrant.
void LengthFromRiseAndRun(ADMDialogRef dialog) {
    double rise = 0, run = 0;
    const bool hasRise = ReadTypedLength(dialog, kLineRiseItem, &rise);
    const bool hasRun = ReadTypedLength(dialog, kLineRunItem, &run);
    if (hasRise) SetLengthFieldText(sADMDialog->GetItem(dialog, kLineRiseItem), rise);
    if (hasRun) SetLengthFieldText(sADMDialog->GetItem(dialog, kLineRunItem), run);
    if (!hasRise || !hasRun) return;
    SetLengthFieldText(sADMDialog->GetItem(dialog, kLineLengthItem), std::hypot(rise, run));
    const double degrees = RadiansToDegrees<double>(std::atan2(rise, run));  // 0 when both are 0
    SetAngleFieldText(sADMDialog->GetItem(dialog, kLineAngleItem), degrees);
}

}  // namespace

void LengthAngleRiseRunNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (UserChanged(notifier)) {
        TypedUnits typed;
        ForgetHeldLength(item);
        ADMDialogRef dialog = sADMItem->GetDialog(item);
        const int32_t id = sADMItem->GetID(item);
        if (id == kLineLengthItem || id == kLineAngleItem)
            RiseAndRunFromLength(dialog);
        else if (id == kLineRiseItem || id == kLineRunItem)
            LengthFromRiseAndRun(dialog);
    }
    sADMItem->DefaultNotify(item, notifier);
}

// --- "LinePrefs" ---

namespace {

constexpr int32_t kLinePrefsDialogID = 16190;
constexpr int16_t kConnectItem = 3;
constexpr int16_t kConstrainItem = 4;
constexpr int16_t kConstrainAngleItem = 5;

}  // namespace

AIErr doCADlinePrefsDialog() {
    if (!sADMDialog) return kNoErr;
    (void)sADMDialog->Modal(g->thisPlugin, "LinePrefs", kLinePrefsDialogID, kADMModalDialogStyle,
                            Guarded<&InitCADlinePrefsDialog>, nullptr, 0);
    return kNoErr;
}

ASErr InitCADlinePrefsDialog(ADMDialogRef dialog) {
    sADMItem->SetNotifyProc(sADMDialog->GetItem(dialog, 1), Guarded<&CADlinePrefsOKBtnCallbackProc>);
    sADMDialog->SetDefaultItemID(dialog, 1);
    sADMDialog->SetCancelItemID(dialog, 2);
    sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kConnectItem), g->prefs.okToConnectCADlinePaths != 0);
    sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kConstrainItem), g->prefs.constrainLineTool != 0);
    SetAngleFieldText(sADMDialog->GetItem(dialog, kConstrainAngleItem), RadiansToDegrees(g->prefs.constrainLineToolAngle));
    return kNoErr;
}

void CADlinePrefsOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    double degrees = 0;
    if (!ReadAngleField(dialog, kConstrainAngleItem, &degrees)) return;  // refused: the dialog stays open
    g->prefs.okToConnectCADlinePaths = sADMItem->GetBooleanValue(sADMDialog->GetItem(dialog, kConnectItem)) ? 1 : 0;
    g->prefs.constrainLineTool = sADMItem->GetBooleanValue(sADMDialog->GetItem(dialog, kConstrainItem)) ? 1 : 0;
    g->prefs.constrainLineToolAngle = DegreesToRadians(static_cast<AIReal>(degrees));
    sADMItem->DefaultNotify(item, notifier);
}
