// The path divider: where the division points fall, worked out piece by piece on a copy of
// the path's anchors (a closed path's anchor 0 repeated at its end, so its closing piece is
// walked like the others), then the path written back once, or broken into pieces; the
// crosshairs last.
#include "drawtools/PathDivider.h"

#include <algorithm>
#include <cmath>
#include <numbers>
#include <span>
#include <string>
#include <vector>

#include "AIHitTest.h"
#include "artwork/DrawingLayer.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/MeasuredArtEdit.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/ArcGeometry.h"
#include "geometry/BezierGeometry.h"
#include "geometry/CurveFit.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "units/NumericFields.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kPathDividerDialogID = 16260;
enum : int16_t {
    kEqualPartsItem = 4,
    kIncrementItem = 5,
    kPartsItem = 6,
    kLengthItem = 7,
    kFromItem = 10,
    kAddAnchorsItem = 11,
    kBreakApartItem = 12,
    kCrosshairsItem = 13,
};
constexpr int32_t kFromStart = 0, kFromMiddle = 1, kFromEnd = 2, kEqualParts = 3, kByIncrement = 4;
constexpr int32_t kFewestParts = 2, kMostParts = 1024;

constexpr size_t kMostDivisionPoints = 1024;
constexpr size_t kMostAnchors = 32767;
constexpr double kSame = 0.001;           // lengths this close are one
constexpr double kFlatness = 0.5;         // every length of a piece is measured alike
constexpr double kPlaceTolerance = 1e-5;  // a division point lies this near its length
constexpr AIReal kCrosshairArm = 5.0f;

constexpr char kTooFine[] =
    "This path cannot be divided so finely: a division places at most 1024 points, and a path holds at most "
    "32767 anchors.";

// A division point: where it is and the direction of the path there.
struct Mark {
    AIRealPoint p;
    double along;  // radians
};

// The path with its new anchors, the indices of its division points in order, and the
// crosshairs to draw.
struct Division {
    std::vector<AIPathSegment> anchors;
    std::vector<size_t> cuts;
    std::vector<Mark> marks;
};

AIRealBezier Span(const AIPathSegment& a, const AIPathSegment& b) { return {a.p, a.out, b.in, b.p}; }
double LengthOf(const AIRealBezier& bez) { return bezierLengthTo(bez, 1.0, kFlatness); }

// The point at x (a curve's parameter, a straight piece's fraction of its chord) and the
// direction of the piece there.
Mark MarkAt(const AIRealBezier& bez, bool curved, double x) {
    if (!curved)
        return {Between<double>(bez.p0, bez.p3, x), Angle<double>(bez.p0, bez.p3)};
    AIRealPoint p{}, along{};
    if (getPointAndTangentFromBezierT(bez, static_cast<AIReal>(x), &p, &along)) return {bez.p3, 0};
    return {p, std::atan2(along.v - p.v, along.h - p.h)};
}

// A point that falls on an anchor takes the direction from the anchor's in-handle to its
// out-handle; an anchor whose handles both lie on it has direction 0, so its cross stands
// square to the page whatever the path does there.
Mark MarkOnAnchor(const AIPathSegment& a) {
    return {a.p, std::atan2(double(a.out.v) - a.in.v, double(a.out.h) - a.in.h)};
}

// Corner anchors at the fractions fs of the chord between the piece's two anchors.
void SplitChord(std::vector<AIPathSegment>& piece, const std::vector<double>& fs) {
    const AIRealPoint a = piece.front().p, b = piece.back().p;
    std::vector<AIPathSegment> inner;
    for (double f : fs) {
        const AIRealPoint p = Between<double>(a, b, f);
        inner.push_back(CornerAnchor(p));
    }
    piece.insert(piece.begin() + 1, inner.begin(), inner.end());
}

// A curved piece split at the parameters ts. An arc of a circle is cut into arcs of that
// circle, so each piece reads the radius the arc read and together its length; the marks of
// its first cuts (`marks`, one a cut) go onto them. Any other curve is cut into its exact
// de Casteljau pieces.
void SplitCurve(std::vector<AIPathSegment>& piece, const std::vector<double>& ts, std::span<Mark> marks) {
    AIRealPoint centre{};
    double radius = 0;
    if (!PieceArc(Span(piece.front(), piece.back()), &centre, &radius)) return SplitSpan(piece, 0, ts);
    const std::vector<AIPathSegment> cuts = SplitArc(piece.front(), piece.back(), centre, radius, ts);
    for (size_t k = 0; k < marks.size(); ++k) marks[k].p = cuts[k].p;
    piece.insert(piece.begin() + 1, cuts.begin(), cuts.end());
}

// The walk: the first division point `first` along the path, then every `step`, each piece
// split at the points inside it; a point within kSame of a piece's end falls on its end
// anchor. Crosshairs mark the points while fewer than `bound` anchors were added (at an end
// anchor: no more than `bound`). A piece without length ends the walk, the rest of the path
// kept as it was.
Division Divide(const std::vector<AIPathSegment>& path, double first, double step, int32_t bound, bool marked) {
    Division out;
    out.anchors.reserve(path.size() + kMostDivisionPoints);
    out.anchors.push_back(path.front());
    double next = first;  // from the start of the current piece to the next division point
    int32_t added = 0;
    for (size_t i = 1; i < path.size(); ++i) {
        const AIRealBezier bez = Span(out.anchors.back(), path[i]);
        const double s = LengthOf(bez);
        if (!(s > 0)) {
            out.anchors.insert(out.anchors.end(), path.begin() + static_cast<std::ptrdiff_t>(i), path.end());
            break;
        }
        // A straight piece is divided along its chord, a curved one at the parameters where
        // its length reaches each point.
        const bool curved = SegmentIsCurved(out.anchors.back(), path[i]);
        std::vector<double> ts;
        const size_t marksBefore = out.marks.size();
        for (; next + kSame < s && out.cuts.size() + ts.size() < kMostDivisionPoints; next += step) {
            ts.push_back(curved ? BezierTAtLength(bez, next, kPlaceTolerance) : next / s);
            if (marked && added < bound) out.marks.push_back(MarkAt(bez, curved, ts.back()));
            ++added;
        }
        std::vector<AIPathSegment> piece{out.anchors.back(), path[i]};
        if (curved)
            SplitCurve(piece, ts, std::span(out.marks).subspan(marksBefore));
        else
            SplitChord(piece, ts);
        out.anchors.back() = piece.front();
        for (size_t k = 1; k < piece.size(); ++k) {
            out.anchors.push_back(piece[k]);
            if (k + 1 < piece.size()) out.cuts.push_back(out.anchors.size() - 1);
        }
        if (std::fabs(s - next) <= kSame && out.cuts.size() < kMostDivisionPoints) {
            out.cuts.push_back(out.anchors.size() - 1);
            if (marked && added <= bound) out.marks.push_back(MarkOnAnchor(out.anchors.back()));
            next = step;
        } else {
            next -= s;
        }
    }
    return out;
}

// A cross of two 10-point lines centred on the point, one across the path and one along
// it, in a group of its own on top of the layer.
AIErr DrawCrosshair(AILayerHandle layer, const Mark& m) {
    if (AIErr err = PrepThisLayer(layer)) return err;
    using std::numbers::pi;
    for (const double across : {m.along + pi / 2, m.along + pi}) {
        AIRealPoint a{}, b{};
        AddPointLengthAngle(m.p, kCrosshairArm, static_cast<AIReal>(across), &a);
        AddPointLengthAngle(m.p, kCrosshairArm, static_cast<AIReal>(across + pi), &b);
        if (AIErr err = drawDimensionLine(a, b, g->group)) return err;
    }
    return kNoErr;
}

// Open pieces from each division point to the next, directly above the path with its
// paint, later pieces below earlier ones; a piece of one anchor (a division point on the
// path's last anchor) is none. The path goes.
AIErr BreakApart(AIArtHandle art, const Division& d, std::vector<AIArtHandle>* pieces) {
    AIPathStyle style{};
    if (AIErr err = sAIPathStyle->GetPathStyle(art, &style)) return err;
    std::vector<size_t> starts{0};
    for (size_t cut : d.cuts)
        if (cut != starts.back()) starts.push_back(cut);
    for (size_t k = 0; k < starts.size(); ++k) {
        const size_t from = starts[k], to = k + 1 < starts.size() ? starts[k + 1] : d.anchors.size() - 1;
        if (to <= from) continue;
        AIArtHandle piece = nullptr;
        if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceAbove, art, &piece)) return err;
        pieces->push_back(piece);
        const std::vector<AIPathSegment> anchors(d.anchors.begin() + static_cast<std::ptrdiff_t>(from),
                                                 d.anchors.begin() + static_cast<std::ptrdiff_t>(to) + 1);
        if (AIErr err = WritePathSegments(piece, anchors, false)) return err;
        if (AIErr err = sAIPathStyle->SetPathStyle(piece, &style)) return err;
    }
    return sAIArt->DisposeArt(art);
}

// Where the first division point falls (from the path's start), the step, and how many
// points may be marked, by method; false when there is nothing to divide by.
struct Plan {
    double first = 0, step = 0;
    int32_t bound = 0;
    size_t points = 0;  // division points the walk will place, at most
};

bool PlanDivision(double pathLength, double length, int16_t count, int32_t method, Plan* plan) {
    if (method == kEqualParts) {
        if (count < 1) return false;
        plan->step = pathLength / count;
        plan->first = plan->step;
        plan->bound = count - 1;
        plan->points = static_cast<size_t>(count);
        return plan->step > 0;
    }
    // An increment below zero would never reach the next point, and one of nothing
    // divides nothing.
    if (!(length > kSame) || !std::isfinite(length)) return false;
    const double whole = std::floor(pathLength / length);
    const double points = whole + (method == kFromStart ? 0 : 1);
    if (!(points <= kMostDivisionPoints)) {
        plan->points = kMostDivisionPoints + 1;  // refused before anything is divided
        return true;
    }
    const double rest = pathLength - whole * length;
    plan->step = length;
    plan->bound = static_cast<int32_t>(whole);
    plan->points = static_cast<size_t>(points);
    plan->first = method == kFromMiddle ? rest / 2 : method == kFromEnd ? rest : length;
    if (method == kFromMiddle) ++plan->bound;
    if (std::fabs(plan->first) <= kSame) plan->first = length;
    return true;
}

double PathLength(const std::vector<AIPathSegment>& path) {
    double total = 0;
    for (size_t i = 1; i < path.size(); ++i) total += LengthOf(Span(path[i - 1], path[i]));
    return total;
}

}  // namespace

AIErr SubdividePathByLength(AIReal length, int16_t count, int32_t method, int32_t action, int32_t crosshairs) {
    if (AIErr err = CheckDocumentZoom()) return err;
    AIToolHitData hit{};
    if (AIErr err = HitEditedArt(g->firstClick, kSegmentHitRequest, &hit)) return err;
    AIArtHandle art = hit.object;
    if (!hit.hit || !art || !sAIArt->ValidArt(art, true)) return kNoErr;
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(art, &layer)) return err;
    // The pieces and crosshairs go on the clicked path's layer.
    if (!SwitchToLayerForWork(layer)) return kNoErr;
    std::vector<AIPathSegment> path;
    bool closed = false;
    if (AIErr err = ReadPathSegments(art, &path, &closed)) return err;
    if (path.size() < 2) return kNoErr;
    if (closed) path.push_back(path.front());
    Plan plan;
    if (!PlanDivision(PathLength(path), length, count, method, &plan)) return kNoErr;
    if (plan.points > kMostDivisionPoints || path.size() + plan.points > kMostAnchors)
        return doPlotwiseErrorDialog(kTooFine);

    Division d = Divide(path, plan.first, plan.step, plan.bound, crosshairs != 0);
    // What measures the path goes with its points, to the pieces when it is broken apart.
    MeasuredArtEdit measured;
    if (AIErr err = measured.Take(art)) return err;
    std::vector<AIArtHandle> now{art};
    if (action == 1) {
        if (closed) {
            // The repeated anchor 0 gives its in-handle, which ends the closing piece, back.
            d.anchors.front().in = d.anchors.back().in;
            d.anchors.pop_back();
        }
        if (AIErr err = WritePathSegments(art, d.anchors, closed)) return err;
    } else {
        now.clear();
        if (AIErr err = BreakApart(art, d, &now)) return err;
    }
    if (AIErr err = measured.Carry(now)) return err;
    if (d.marks.empty()) return kNoErr;
    if (AIErr err = setPathAndArrowheadStyles()) return err;
    for (const Mark& m : d.marks)
        if (AIErr err = DrawCrosshair(layer, m)) return err;
    return kNoErr;
}

namespace {

// The increment is typed at full size: drawn at the scale of the pressed path's layer.
AIReal DrawnIncrement() {
    return DrawnLength(g->pathDividerMeasuredDivsLength);
}

}  // namespace

AIErr PathDividerMouseUp() {
    if (AIErr err = RequireArtUnder(g->firstClick, kSegmentHitRequest)) return err;  // nothing to divide
    if (!OptionHeld()) return doPathDividerDialog();
    const int32_t action = g->pathDividerAction, crosshairs = g->pathDividerAddCrosshairs;
    if (g->pathDividerMethod == kEqualParts)
        return SubdividePathByLength(
            1.0f, static_cast<int16_t>(std::clamp(g->pathDividerEqualNumDivs, kFewestParts, kMostParts)), kEqualParts,
            action, crosshairs);
    return SubdividePathByLength(DrawnIncrement(), 1, g->pathDividerCurveDirection, action, crosshairs);
}

AIErr doPathDividerDialog() { return OpenNumericInputDialog(kPathDividerDialogID, nullptr); }

namespace {

bool On(ADMDialogRef dialog, int16_t id) { return sADMItem->GetBooleanValue(Item(dialog, id)) != 0; }

// The count field for equal parts, the increment and where it is measured from otherwise.
void EnableForMethod(ADMDialogRef dialog, bool equalParts) {
    sADMItem->Enable(Item(dialog, kPartsItem), equalParts);
    sADMItem->Enable(Item(dialog, kLengthItem), !equalParts);
    sADMItem->Enable(Item(dialog, kFromItem), !equalParts);
}

}  // namespace

void initPathDividerChoices(ADMDialogRef dialog) {
    const bool equalParts = g->pathDividerMethod == kEqualParts;
    sADMItem->SetBooleanValue(Item(dialog, kEqualPartsItem), equalParts);
    sADMItem->SetBooleanValue(Item(dialog, kIncrementItem), g->pathDividerMethod == kByIncrement);
    SetWholeNumberFieldText(Item(dialog, kPartsItem), std::clamp(g->pathDividerEqualNumDivs, kFewestParts, kMostParts));
    ADMItemRef lengthItem = Item(dialog, kLengthItem);
    SetTypedLengthFieldText(lengthItem, g->pathDividerMeasuredDivsLength);
    sADMItem->SetNotifyProc(lengthItem, Guarded<&inputFldChangedNotifierProc>);
    if (ADMEntryRef from =
            sADMList->IndexEntry(sADMItem->GetList(Item(dialog, kFromItem)), g->pathDividerCurveDirection))
        sADMEntry->Activate(from, true);
    sADMItem->SetBooleanValue(Item(dialog, kAddAnchorsItem), g->pathDividerAction != 0);
    sADMItem->SetBooleanValue(Item(dialog, kBreakApartItem), g->pathDividerAction == 0);
    sADMItem->SetBooleanValue(Item(dialog, kCrosshairsItem), g->pathDividerAddCrosshairs != 0);
    for (int16_t radio : {kEqualPartsItem, kIncrementItem})
        sADMItem->SetNotifyProc(Item(dialog, radio), Guarded<&pathDividerRadiosNotifierProc>);
    EnableForMethod(dialog, equalParts);
}

void pathDividerRadiosNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    // The method chosen is kept at once, Cancel or not.
    if (UserChangedOrChanging(notifier)) {
        ADMDialogRef dialog = sADMItem->GetDialog(item);
        if (On(dialog, kEqualPartsItem)) g->pathDividerMethod = kEqualParts;
        if (On(dialog, kIncrementItem)) g->pathDividerMethod = kByIncrement;
        EnableForMethod(dialog, g->pathDividerMethod == kEqualParts);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void pathDividerOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    if (On(dialog, kEqualPartsItem)) g->pathDividerMethod = kEqualParts;
    if (On(dialog, kIncrementItem)) g->pathDividerMethod = kByIncrement;
    if (On(dialog, kAddAnchorsItem)) g->pathDividerAction = 1;
    if (On(dialog, kBreakApartItem)) g->pathDividerAction = 0;
    g->pathDividerAddCrosshairs = On(dialog, kCrosshairsItem) ? 1 : 0;
    if (g->pathDividerMethod == kEqualParts) {
        int32_t parts = 0;
        if (!ReadWholeNumberField(dialog, kPartsItem, kFewestParts, kMostParts, &parts)) return;
        g->pathDividerEqualNumDivs = parts;
        (void)SubdividePathByLength(1.0f, static_cast<int16_t>(g->pathDividerEqualNumDivs), kEqualParts,
                                    g->pathDividerAction, g->pathDividerAddCrosshairs);
    } else {
        double typed = 0;
        std::string why = LengthFieldRefusal(dialog, kLengthItem, InputFieldKind::kSize, &typed);
        const double drawn = DrawnLength(typed);
        // An increment of nothing, or below zero, would divide nothing or never end.
        if (why.empty() && !(drawn > kSame)) why = FieldInputWords(kGreaterThanZeroMessage);
        if (!why.empty()) {
            (void)RefuseFieldInput(dialog, kLengthItem, why);
            return;
        }
        g->pathDividerMeasuredDivsLength = static_cast<AIReal>(typed);
        ADMEntryRef from = sADMList->GetActiveEntry(sADMItem->GetList(Item(dialog, kFromItem)));
        const int32_t index = from ? sADMEntry->GetIndex(from) : kFromMiddle;
        g->pathDividerCurveDirection = std::clamp(index, kFromStart, kFromEnd);
        (void)SubdividePathByLength(static_cast<AIReal>(drawn), 1, g->pathDividerCurveDirection,
                                    g->pathDividerAction, g->pathDividerAddCrosshairs);
    }
    sADMItem->DefaultNotify(item, notifier);
}
