// The offset copy: the duplicate's stroke widened to twice the distance (butt caps, miter
// joins) and outlined by the host, which puts a closed path's outline on its right first,
// then on its left, and runs an open path's outline from the start's left corner along the
// left side first. Outlines run with the stroke on their right, so an outer contour runs
// clockwise and a hole counter-clockwise, whatever the path's own direction: that tells
// which side of the path each contour lies on, however many the host left there.
#include "drawtools/OffsetTool.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "AIHitTest.h"
#include "AIOutlineStroke.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kOffsetDialogID = 16770;
constexpr int16_t kReverseItem = 5;
constexpr AIReal kLeastDragged = 4.0f;  // a drag nearer the click still offsets this far
constexpr AIReal kEndCorner = 1.0f;     // an outline anchor this near an offset end is that end

bool Dragging() { return g->showOffsetAnnotator != 0; }

// The distance and side (+1: towards the normal at the tangent + 90 degrees) of the offset,
// and the feedback point: the click moved by the offset across the path's direction there.
void Aim(const PathClick& click, AIReal* dist, int16_t* side) {
    AIRealPoint p{}, along{};
    (void)getPointAndTangentFromBezierT(click.bezier(), click.t, &p, &along);
    const AIRealPoint tangent{along.h - p.h, along.v - p.v};
    const AIReal normal = std::atan2(tangent.v, tangent.h) + kPi / 2;
    const auto place = [&] { AddPointLengthAngle(g->firstClick, *side * *dist, normal, &g->offsetPoint); };
    if (!Dragging()) {
        *dist = DrawnLength(g->inputOffsetDistance);  // typed: full size
        *side = g->inputOffsetDirection < 0 ? int16_t{-1} : int16_t{1};
        place();
        return;
    }
    *side = WhichSideOfBezier(tangent, g->firstClick, g->endPoint);
    *dist = std::max(sAIRealMath->AIRealPointLength(&g->firstClick, &g->endPoint), kLeastDragged);
    place();
    // Always on the mouse's side of the tangent line.
    if (WhichSideOfBezier(tangent, g->firstClick, g->offsetPoint) != *side) {
        *side = static_cast<int16_t>(-*side);
        place();
    }
}

// The outlined copy is gone again: a drag leaves the drawing as it was, and its release
// gives the selection back.
AIErr NothingKept() {
    g->lastDragDrew = 0;
    return kNoErr;
}

AIErr OutOfRange() {
    if (Dragging()) {
        g->offsetTooFar = 1;
        return NothingKept();
    }
    return doPlotwiseErrorDialog(kOffsetTooLargeErrorStr);
}

// The contours of the host's outline: a compound path's members, else the first art that
// is not a group, going down through first children.
AIErr Contours(AIArtHandle outline, std::vector<AIArtHandle>* out) {
    AIArtHandle art = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(outline, &art)) return err;
    for (int16_t type = kGroupArt; art;) {
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type == kPathArt) {
            out->push_back(art);
            return kNoErr;
        }
        if (type != kGroupArt && type != kCompoundPathArt) return kNoErr;
        AIArtHandle child = nullptr;
        if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
        if (type == kCompoundPathArt) {
            for (; child;) {
                out->push_back(child);
                if (AIErr err = sAIArt->GetArtSibling(child, &child)) return err;
            }
            return kNoErr;
        }
        art = child;
    }
    return kNoErr;
}

// Kept art: directly above the clicked path, with its paint, not selected.
AIErr Keep(AIArtHandle kept, AIArtHandle path, const AIPathStyle& style) {
    if (AIErr err = sAIArt->ReorderArt(kept, kPlaceAbove, path)) return err;
    if (AIErr err = sAIPathStyle->SetPathStyle(kept, &style)) return err;
    return sAIArt->SetArtUserAttr(kept, kArtSelected | kArtFullySelected, 0);
}

AIReal Area(AIArtHandle path) {
    AIReal area = 0;
    return sAIPath->GetPathArea(path, &area) == kNoErr ? area : 0.0f;
}

// A closed path: the one contour on the wanted side, the largest there; the others are
// slivers the outline leaves where the stroke's far edge closes up (at a circle's centre
// when it is offset by its radius). The path's right is its outside when it runs
// counter-clockwise; outer contours run clockwise.
AIErr KeepSide(AIArtHandle path, AIArtHandle outline, int16_t side, const AIPathStyle& style, bool* kept) {
    std::vector<AIArtHandle> contours;
    if (AIErr err = Contours(outline, &contours)) return err;
    const bool wantOuter = (side < 0) == (Area(path) > 0);
    AIArtHandle largest = nullptr;
    AIReal most = 0;
    for (AIArtHandle c : contours) {
        const AIReal area = Area(c);
        if ((area < 0) != wantOuter || (largest && std::fabs(area) <= most)) continue;
        largest = c;
        most = std::fabs(area);
    }
    if (!largest) return kNoErr;
    *kept = true;
    return Keep(largest, path, style);
}

size_t FirstAnchorNear(const std::vector<AIPathSegment>& anchors, const AIRealPoint& q) {
    for (size_t i = 0; i < anchors.size(); ++i)
        if (sAIRealMath->AIRealPointClose(&anchors[i].p, &q, kEndCorner)) return i;
    return anchors.size();
}

// A run that passes a point of the ends' caps (an end anchor, or the far side's corner there)
// goes round the path's ends instead: what lay on the wanted side closed up.
bool CrossesACap(const std::vector<AIPathSegment>& run, const std::vector<AIRealPoint>& caps) {
    for (size_t i = 1; i + 1 < run.size(); ++i)
        for (const AIRealPoint& c : caps)
            if (sAIRealMath->AIRealPointClose(&run[i].p, &c, kEndCorner)) return true;
    return false;
}

// An open path: the outline's run between the two offset ends on the wanted side, as an
// open path; kept stays false when an end is not on the outline.
AIErr KeepRun(const PathClick& click, AIArtHandle outline, int16_t side, AIReal d, bool* kept) {
    const std::vector<AIPathSegment>& path = click.anchors;
    const size_t n = path.size();
    AIReal tangent = 0, normal0 = 0, normal1 = 0;
    (void)EvaluateAnglesFromBezierT({path[0].p, path[0].out, path[1].in, path[1].p}, 0.0f, &tangent, &normal0);
    (void)EvaluateAnglesFromBezierT({path[n - 2].p, path[n - 2].out, path[n - 1].in, path[n - 1].p}, 1.0f, &tangent,
                                    &normal1);
    AIRealPoint q0{}, q1{}, far0{}, far1{};
    AddPointLengthAngle(path[0].p, d, normal0, &q0);
    AddPointLengthAngle(path[n - 1].p, d, normal1, &q1);
    AddPointLengthAngle(path[0].p, -d, normal0, &far0);
    AddPointLengthAngle(path[n - 1].p, -d, normal1, &far1);
    std::vector<AIPathSegment> ring;
    if (AIErr err = ReadPathSegments(outline, &ring, nullptr)) return err;
    const size_t i0 = FirstAnchorNear(ring, q0), i1 = FirstAnchorNear(ring, q1);
    if (i0 == ring.size() || i1 == ring.size() || i0 == i1) return kNoErr;
    const size_t a = std::min(i0, i1), b = std::max(i0, i1);
    const bool swapped = i0 > i1;
    std::vector<AIPathSegment> run;
    if ((side >= 0) != swapped) {
        run.assign(ring.begin() + static_cast<std::ptrdiff_t>(a), ring.begin() + static_cast<std::ptrdiff_t>(b) + 1);
    } else {  // round the other way, through the outline's closing piece
        run.assign(ring.begin() + static_cast<std::ptrdiff_t>(b), ring.end());
        run.insert(run.end(), ring.begin(), ring.begin() + static_cast<std::ptrdiff_t>(a) + 1);
    }
    if (CrossesACap(run, {path[0].p, path[n - 1].p, far0, far1})) return kNoErr;
    // Past a curve's centre the copy turns round; it is no offset of the path.
    const bool fromStartEnd = (side >= 0) != swapped ? !swapped : swapped;
    if (OffsetCopyRunsBack(path, run, fromStartEnd)) return kNoErr;
    // The ends' outer handles belonged to the caps.
    run.front().in = run.front().p;
    run.back().out = run.back().p;
    if (AIErr err = WritePathSegments(outline, run, false)) return err;
    *kept = true;
    return kNoErr;
}

}  // namespace

AIErr doHomebrewBezierOffsetTool() {
    if (AIErr err = CheckDocumentZoom()) return err;
    g->offsetTooFar = 0;
    PathClick click;
    bool clicked = false;
    AIToolHitData hit{};
    if (AIErr err = HitPathSegment(g->firstClick, kAllHitRequest, &click, &clicked, &hit)) return err;
    if (hit.hit && hit.type == kFillHitType) return doPlotwiseErrorDialog(kOffsetToolCantDealWithFills);
    if (!clicked) return RefuseClick(click.onDimension);  // as its click is refused
    if (click.count() < 2) return kNoErr;
    int16_t container = kUnknownArt;
    if (click.group)
        if (AIErr err = sAIArt->GetArtType(click.group, &container)) return err;
    if (container == kCompoundPathArt) return doPlotwiseErrorDialog(kOffsetToolCantDealWithCompounds);
    // A dragged distance reads at the scale of the path's layer, whatever lay over it.
    if (AIErr err = LoadEditedArtScale(click.path)) return err;

    AIReal dist = 0;
    int16_t side = 1;
    Aim(click, &dist, &side);
    if (!(dist > 0)) return kNoErr;

    AIArtHandle copy = nullptr;
    if (AIErr err = sAIArt->DuplicateArt(click.path, kPlaceAbove, click.path, &copy)) return err;
    AIPathStyle saved{};
    AIErr err = sAIPathStyle->GetPathStyle(copy, &saved);
    if (!err) {
        AIPathStyle wide = saved;
        wide.strokePaint = true;  // the duplicate's own stroke: an unstroked path is offset too
        wide.stroke.width = 2 * dist;
        wide.stroke.cap = kAIButtCap;
        wide.stroke.join = kAIMiterJoin;
        err = sAIPathStyle->SetPathStyle(copy, &wide);
    }
    AIArtHandle outline = nullptr;
    if (!err) err = sAIOutlineStroke->OutlineStroke(copy, &outline);
    if (err) {
        (void)sAIArt->DisposeArt(copy);
        // A path without length has no outline; one whose outline would be too long for a
        // path has none to keep either.
        if (err == kBadParameterErr) return NothingKept();
        return err == kOutOfRangeErr ? OutOfRange() : err;
    }
    bool kept = false;
    if (click.closed) {
        err = KeepSide(click.path, outline, side, saved, &kept);
    } else {
        // A stroke wider than a curve is deep outlines the curve's far side apart from its
        // near side: the run is on whichever contour holds both offset ends.
        std::vector<AIArtHandle> contours;
        err = Contours(outline, &contours);
        for (size_t i = 0; !err && !kept && i < contours.size(); ++i) {
            err = KeepRun(click, contours[i], side, side * dist, &kept);
            if (!err && kept) err = Keep(contours[i], click.path, saved);
        }
    }
    if (AIErr e = sAIArt->DisposeArt(outline); e && !err) err = e;
    if (err) return err;
    return kept ? kNoErr : OutOfRange();
}

AIErr doBezierOffsetDialog() {
    if (AIErr err = RequireArtUnder(g->firstClick, kAllHitRequest)) return err;  // nothing to offset
    return OpenNumericInputDialog(kOffsetDialogID, nullptr);
}

void initOffsetChoices(ADMDialogRef dialog) {
    sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kReverseItem), g->inputOffsetDirection == -1);
}

void storeOffsetChoices(ADMDialogRef dialog) {
    // The field stored the distance as typed, sign and all.
    const AIReal typed = g->inputOffsetDistance;
    const bool reverse = sADMItem->GetBooleanValue(sADMDialog->GetItem(dialog, kReverseItem)) != 0;
    g->inputOffsetDistance = std::fabs(typed);
    g->inputOffsetDirection = (typed < 0) != reverse ? -1 : 1;
}
