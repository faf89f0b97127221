// Snapping, the tools' new path, modifier keys and the tracker forwarding.
#include "drawtools/DrawToolSupport.h"

#include <algorithm>
#include <limits>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/MeasuringHit.h"
#include "drawtools/DrawToolGlobals.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PointMath.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

}  // namespace

AIErr SnapToAnchorOrGrid(AIRealPoint* point, bool gridSnap, AnchorHit* hit) {
    if (!point || !sAIHitTest) return kBadParameterErr;
    if (hit) *hit = AnchorHit{};
    HitRef ref;
    AIToolHitData data{};
    if (AIErr err = ref.Test(nullptr, *point, &data, kSnapHitRequest)) return err;
    if (data.hit) {
        if (hit) hit->any = true;
        if (data.type == kSegAnchorType) {
            *point = data.point;
            if (hit) *hit = AnchorHit{true, true, data.object, data.segment};
        }
        return kNoErr;
    }
    if (gridSnap) GridSnap(point);
    return kNoErr;
}

AIErr HitEditedArt(const AIRealPoint& point, int32_t request, AIToolHitData* hit, bool* onDimension) {
    if (onDimension) *onDimension = false;
    if (AIErr err = HitPressedArt(point, hit, request)) return err;
    if (hit->hit && !InDimension(hit->object)) return kNoErr;
    bool dimension = hit->hit != 0;
    // A dimension's text is no segment: what lies there alone is asked of any kind of art.
    if (!dimension && request != kAllHitRequest) {
        AIToolHitData any{};
        if (AIErr err = HitMeasuredArt(nullptr, point, &any)) return err;
        dimension = any.hit && InDimension(any.object);
    }
    if (onDimension) *onDimension = dimension;
    *hit = AIToolHitData{};
    return kNoErr;
}

AIErr RefuseClick(bool onDimension) {
    return onDimension ? ShowCoreMessage(kDimensionNotEditedMessage) : doArtMustBeClickedErrorDialog();
}

AIErr LoadEditedArtScale(AIArtHandle art) {
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(art, &layer)) return err;
    (void)LoadLayerScale(layer, /*mend=*/false);  // unreadable: the scale stays as it was
    return kNoErr;
}

AIErr RequireArtUnder(const AIRealPoint& point, int32_t request) {
    AIToolHitData hit{};
    bool onDimension = false;
    if (AIErr err = HitEditedArt(point, request, &hit, &onDimension)) return err;
    if (!hit.hit || !hit.object) return RefuseClick(onDimension);
    return LoadEditedArtScale(hit.object);
}

bool GridSnap(AIRealPoint* point) {
    AIRealPoint snapped = *point;
    auto snap = PlotwiseService().snapToGridCheckAxonometric;
    if (!snap || !snap(&snapped)) return false;
    *point = snapped;
    return true;
}

const AIPathSegment& PathClick::start() const {
    return anchors[static_cast<size_t>(segment < 0 || segment >= count() ? count() - 1 : segment)];
}

const AIPathSegment& PathClick::end() const {
    return anchors[static_cast<size_t>(segment < 0 || segment + 1 >= count() ? 0 : segment + 1)];
}

AIRealBezier PathClick::bezier() const { return AIRealBezier{start().p, start().out, end().in, end().p}; }

AIErr WritePathSegments(AIArtHandle path, const std::vector<AIPathSegment>& anchors, bool closed) {
    if (anchors.size() > static_cast<size_t>(std::numeric_limits<int16_t>::max())) return kOutOfRangeErr;
    const auto count = static_cast<int16_t>(anchors.size());
    if (AIErr err = sAIPath->SetPathSegmentCount(path, count)) return err;
    if (count > 0) {
        if (AIErr err = sAIPath->SetPathSegments(path, 0, count, anchors.data())) return err;
    }
    return sAIPath->SetPathClosed(path, closed);
}

void SplitSpan(std::vector<AIPathSegment>& anchors, size_t k, std::span<const double> ts) {
    const size_t n = anchors.size();
    if (n < 2 || k >= n || ts.empty()) return;
    const AIPathSegment a = anchors[k], b = anchors[(k + 1) % n];
    const bool curved = SegmentIsCurved(a, b);
    // The span's own control points: a straight span's corners are its points at each t.
    AIRealPoint p0 = a.p, p1 = a.out, p2 = b.in;
    const AIRealPoint p3 = b.p;
    std::vector<AIPathSegment> inserted;
    double done = 0;
    for (double t : ts) {
        // A curved span is cut piece by piece: t on the span is (t - done) / (1 - done) on
        // what is left of it.
        const double u = curved ? (t - done) / (1 - done) : t;
        const AIRealPoint ab = Between<double>(p0, p1, u), bc = Between<double>(p1, p2, u);
        const AIRealPoint cd = Between<double>(p2, p3, u);
        const AIRealPoint abc = Between<double>(ab, bc, u), bcd = Between<double>(bc, cd, u);
        const AIRealPoint at = Between<double>(abc, bcd, u);
        if (!curved) {
            inserted.push_back(CornerAnchor(at));
            continue;
        }
        if (inserted.empty())
            anchors[k].out = ab;
        else
            inserted.back().out = ab;
        inserted.push_back(SmoothAnchor(at, abc, bcd));
        p0 = at;
        p1 = bcd;
        p2 = cd;
        done = t;
    }
    if (curved) anchors[(k + 1) % n].in = p2;
    anchors.insert(anchors.begin() + static_cast<std::ptrdiff_t>(k + 1), inserted.begin(), inserted.end());
}

std::vector<AIPathSegment> ReversedSegments(std::vector<AIPathSegment> anchors) {
    std::reverse(anchors.begin(), anchors.end());
    for (AIPathSegment& s : anchors) std::swap(s.in, s.out);
    return anchors;
}

AIErr HitPathSegment(const AIRealPoint& point, int32_t request, PathClick* click, bool* clicked, AIToolHitData* hit) {
    *clicked = false;
    *click = PathClick{};
    AIToolHitData data{};
    if (AIErr err = HitEditedArt(point, request, &data, &click->onDimension)) return err;
    if (hit) *hit = data;
    if (!data.hit || (data.type != kSegAnchorType && data.type != kSegCurveType) || !data.object) return kNoErr;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(data.object, &type)) return err;
    if (type != kPathArt) return kNoErr;
    if (AIErr err = ReadPathSegments(data.object, &click->anchors, &click->closed)) return err;
    const int16_t n = click->count();
    if (n < 1) return kNoErr;
    click->path = data.object;
    click->group = data.group;
    click->point = data.point;
    if (data.type == kSegCurveType) {
        // The hit names the anchor that ends the curve; 0 ends the closing curve.
        click->segment = static_cast<int16_t>(data.segment - 1);
        click->t = data.t;
    } else if (data.segment > 0) {
        click->segment = static_cast<int16_t>(data.segment - 1);
        click->t = 1.0f;
    } else {
        click->segment = click->closed ? int16_t{-1} : int16_t{0};
        click->t = click->closed ? 1.0f : 0.0f;
    }
    if (click->segment >= n - 1 && !click->closed) click->segment = static_cast<int16_t>(std::max(n - 2, 0));
    *clicked = true;
    return kNoErr;
}

AIErr NewToolPath(AIArtHandle* path) {
    if (g->group) return sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, g->group, path);
    return sAIArt->NewArt(kPathArt, kPlaceAbove, g->firstArt, path);
}

bool ShiftInForce() { return (g->prefs.style.modifiers & kCADShiftModifier) != 0 && !g->ignoreShift; }
bool OptionHeld() { return (g->prefs.style.modifiers & kCADOptionModifier) != 0; }
bool CommandHeld() { return (g->prefs.style.modifiers & kCADCommandModifier) != 0; }

AIErr updateTrackerWindow(double x, double y, double w, double h, double width, double height, double seventh,
                          double angle, double length, double perimeter, double area) {
    auto update = PlotwiseService().updateTrackerWindow;
    return update ? update(x, y, w, h, width, height, seventh, angle, length, perimeter, area) : kNoErr;
}

AIErr updateTrackerWindowLabels(int32_t lengthCaption, int32_t perimeterCaption) {
    auto update = PlotwiseService().updateTrackerWindowLabels;
    return update ? update(lengthCaption, perimeterCaption) : kNoErr;
}
