// The trim tool's click: the path and segment under it, the search for crossings segment by
// segment (outwards from the click, so the first crossing found beyond it on either side is
// the nearest), and the cut or the added anchors, worked out on a copy of the path's anchors
// and written back at once.
#include "drawtools/TrimTool.h"

#include <algorithm>
#include <cmath>
#include <vector>

#include "AIHitTest.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "core/UserLayer.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/MeasuredArtEdit.h"
#include "dimensions/MeasuringHit.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "artwork/DrawingLayer.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

using Anchors = std::vector<AIPathSegment>;

constexpr AIReal kAnchorT = -1.0f;            // the hit's parameter on an anchor
constexpr AIReal kNearAnchor = 0.0001f;       // a click parameter this near -1 is on an anchor
constexpr AIReal kJustAfterStart = 0.0001f, kJustBeforeEnd = 0.9999f;
constexpr AIReal kBoxMargin = 0.5f;
constexpr AIReal kNoneBefore = -5.0f, kNoneAfter = 5.0f;
constexpr AIReal kFoundBefore = -4.0f, kFoundAfter = 4.0f;
constexpr double kStartSideShare = 0.5;       // at most this share of the length: the start goes
constexpr double kOnEnd = 1e-4;               // a crossing this near a segment's end is at its anchor
constexpr int32_t kTrimPrefsDialogID = 16195;
constexpr int16_t kDeleteItem = 3, kAddAnchorsItem = 4;

// The crossings of one click, gone on every way out.
class TrimList {
public:
    TrimList() { g->firstTrimDataPtr = &list_; }
    ~TrimList() {
        FreeTrimData();
        g->firstTrimDataPtr = nullptr;
    }
    TrimList(const TrimList&) = delete;
    TrimList& operator=(const TrimList&) = delete;
    const std::vector<trimData_struct>& nodes() const { return list_; }

private:
    std::vector<trimData_struct> list_;
};

// The current layer as it was when the click began, made current again at the end should
// the work have switched from it.
class CurrentLayerKept {
public:
    CurrentLayerKept() { (void)sAILayer->GetCurrentLayer(&layer_); }
    ~CurrentLayerKept() { (void)PutBackUserLayer(layer_); }
    CurrentLayerKept(const CurrentLayerKept&) = delete;
    CurrentLayerKept& operator=(const CurrentLayerKept&) = delete;

private:
    AILayerHandle layer_ = nullptr;
};

bool Overlap(const AIRealRect& a, const AIRealRect& b) {
    return a.left <= b.right && b.left <= a.right && a.bottom <= b.top && b.bottom <= a.top;
}

// The box of a segment's anchors and inner handles, grown by the margin.
AIRealRect SegmentBox(const AIPathSegment& a, const AIPathSegment& b, AIReal margin) {
    AIRealRect r{a.p.h, a.p.v, a.p.h, a.p.v};
    for (const AIRealPoint& p : {a.out, b.in, b.p}) {
        r.left = std::min(r.left, p.h);
        r.right = std::max(r.right, p.h);
        r.bottom = std::min(r.bottom, p.v);
        r.top = std::max(r.top, p.v);
    }
    return AIRealRect{r.left - margin, r.top + margin, r.right + margin, r.bottom - margin};
}

AIRealBezier SpanOf(const AIPathSegment& a, const AIPathSegment& b) { return AIRealBezier{a.p, a.out, b.in, b.p}; }

// Every segment of a path (the closing one too) whose box meets the searched segment's.
AIErr CrossPath(AIArtHandle path, const AIRealBezier& segment) {
    Anchors anchors;
    bool closed = false;
    if (AIErr err = ReadPathSegments(path, &anchors, &closed)) return err;
    const size_t n = anchors.size();
    const size_t spans = n < 2 ? 0 : closed ? n : n - 1;
    for (size_t i = 0; i < spans; ++i) {
        const AIPathSegment& a = anchors[i];
        const AIPathSegment& b = anchors[(i + 1) % n];
        if (!Overlap(SegmentBox(a, b, 0), g->trimRect)) continue;
        if (!g->trimSegCurved && !SegmentIsCurved(a, b)) {
            AIRealPoint x{};
            int within = 0;
            if (FindLineSegmentIntersection(segment.p0, segment.p3, a.p, b.p, &x, &within) && within)
                storeIntersectionData(NearestBezierT(segment, x), x);
            continue;
        }
        const AIRealBezier other = SpanOf(a, b);
        GetBezierIntersectionTheHardWay(&segment, &other, &storeIntersectionData);
    }
    return kNoErr;
}

AIErr CrossArt(AIArtHandle art, const AIRealBezier& segment) {
    if (art == g->trimArt) return kNoErr;  // a path's crossings with itself are not looked for
    uint32_t attr = 0;
    if (AIErr err = sAIArt->GetArtUserAttr(art, kArtLocked | kArtHidden, &attr)) return err;
    if (attr) return kNoErr;
    AIRealMatrix identity{};
    sAIRealMath->AIRealMatrixSetIdentity(&identity);
    AIRealRect bounds{};
    if (AIErr err = sAIArt->GetArtTransformBounds(art, &identity, kVisibleBounds, &bounds)) return err;
    if (!Overlap(bounds, g->trimRect)) return kNoErr;
    if (IsDimension(art)) return kNoErr;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    switch (type) {
        case kGroupArt:
        case kCompoundPathArt:
        case kForeignArt: {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
            return child ? getTrimIntersections(child, segment) : kNoErr;
        }
        case kPluginArt: {
            AIArtHandle edit = nullptr;
            if (AIErr err = sAIArt->GetPluginArtEditArt(art, &edit)) return err;
            return edit ? getTrimIntersections(edit, segment) : kNoErr;
        }
        case kPathArt:
            return CrossPath(art, segment);
        default:
            return kNoErr;
    }
}

// Whether crossings with this path count: not the trimmed path itself, on no grids or ruler
// layer, and neither it nor anything holding it locked, hidden or a dimension (a walk from
// the layers down would pass over such art whole).
bool Searched(AIArtHandle path) {
    if (path == g->trimArt) return false;
    AILayerHandle layer = nullptr;
    if (sAIArt->GetLayerOfArt(path, &layer) != kNoErr || layer == g->gridsLayer || layer == g->rulerLayer) return false;
    for (AIArtHandle art = path; art;) {
        uint32_t attr = 0;
        if (sAIArt->GetArtUserAttr(art, kArtLocked | kArtHidden, &attr) != kNoErr || attr) return false;
        ASBoolean layerGroup = false;
        if (sAIArt->IsArtLayerGroup(art, &layerGroup) != kNoErr) return false;
        if (layerGroup) return true;
        if (IsDimension(art)) return false;
        if (sAIArt->GetArtParent(art, &art) != kNoErr) return false;
    }
    return true;
}

// Segment s of the clicked path against the paths whose bounds come near it, on every layer
// but the grids and rulers.
AIErr SearchSegment(const Anchors& anchors, int16_t s) {
    const AIPathSegment& a = anchors[static_cast<size_t>(s)];
    const AIPathSegment& b = anchors[static_cast<size_t>(s) + 1];
    g->trimSegNum = s;
    g->trimRect = SegmentBox(a, b, kBoxMargin);
    g->trimSegCurved = SegmentIsCurved(a, b) ? 1 : 0;
    const AIRealBezier segment = g->trimSegCurved ? SpanOf(a, b) : AIRealBezier{a.p, a.p, b.p, b.p};
    std::vector<AIArtHandle> near;
    if (AIErr err = ArtInRect(g->trimRect, near)) return err;
    for (AIArtHandle art : near) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type != kPathArt || !Searched(art)) continue;
        if (AIErr err = CrossPath(art, segment)) return err;
    }
    return kNoErr;
}

// From the click's segment to the last, then back from the one before it to the first.
AIErr SearchCrossings(const Anchors& anchors, int16_t s0) {
    const auto last = static_cast<int16_t>(anchors.size() - 2);
    for (int16_t s = s0; s <= last; ++s)
        if (AIErr err = SearchSegment(anchors, s)) return err;
    for (int16_t s = static_cast<int16_t>(s0 - 1); s >= 0; --s)
        if (AIErr err = SearchSegment(anchors, s)) return err;
    return kNoErr;
}

// The anchors at the increasing parameters ts of segment s: the segment's own anchor where
// a parameter lies at one of its ends, else a new one (all added in one go, so that each t
// keeps meaning a place on the segment as it was).
std::vector<size_t> CutsAt(Anchors& anchors, size_t s, const std::vector<double>& ts) {
    std::vector<double> inside;
    for (double t : ts)
        if (t > kOnEnd && t < 1.0 - kOnEnd) inside.push_back(t);
    SplitSpan(anchors, s, inside);
    std::vector<size_t> at;
    size_t j = 0;
    for (double t : ts) {
        if (t <= kOnEnd)
            at.push_back(s);
        else if (t >= 1.0 - kOnEnd)
            at.push_back(s + 1 + inside.size());
        else
            at.push_back(s + 1 + j++);
    }
    return at;
}

size_t CutAt(Anchors& anchors, size_t s, double t) { return CutsAt(anchors, s, {t}).front(); }

// Anchor mode: an anchor at every crossing, segment by segment from the last so that the
// places of those before stay put. A crossing on an anchor already there, or met twice
// (where two crossing paths meet), adds none.
void AddAnchorsAtCrossings(Anchors& anchors, const std::vector<trimData_struct>& nodes) {
    for (auto it = nodes.rbegin(); it != nodes.rend();) {
        const int16_t segment = it->segNum;
        std::vector<double> ts;
        for (; it != nodes.rend() && it->segNum == segment; ++it) {
            const double t = it->t;
            if (t <= kOnEnd || t >= 1.0 - kOnEnd) continue;
            if (!ts.empty() && ts.back() - t <= kOnEnd) continue;
            ts.push_back(t);
        }
        std::reverse(ts.begin(), ts.end());
        CutsAt(anchors, static_cast<size_t>(segment), ts);
    }
}

Anchors Slice(const Anchors& anchors, size_t from, size_t to) {
    return Anchors(anchors.begin() + static_cast<std::ptrdiff_t>(from), anchors.begin() + static_cast<std::ptrdiff_t>(to + 1));
}

// Delete mode with no crossing: the path is cut at the click and the end piece on the
// nearer side, by length along the path, goes (exactly half counts as the start side).
AIErr CutNearerEnd(AIArtHandle path, Anchors& anchors, int16_t s0, AIReal t0) {
    ASBoolean hasLength = false;
    if (AIErr err = sAIPath->PathHasLength(path, &hasLength)) return err;
    if (!hasLength) return kNoErr;
    const auto n = static_cast<ai_int16>(anchors.size());
    AIReal total = 0, before = 0, clicked = 0;
    if (AIErr err = calculatePathLength(anchors.data(), n, 0, static_cast<ai_int16>(n - 1), &total)) return err;
    if (AIErr err = calculatePathLength(anchors.data(), n, 0, s0, &before)) return err;
    if (AIErr err = calculatePathLength(anchors.data(), n, s0, static_cast<ai_int16>(s0 + 1), &clicked)) return err;
    const size_t at = CutAt(anchors, static_cast<size_t>(s0), t0);
    const bool startGoes = before + t0 * clicked <= kStartSideShare * total;
    const Anchors kept = startGoes ? Slice(anchors, at, anchors.size() - 1) : Slice(anchors, 0, at);
    return WritePathSegments(path, kept, false);
}

// Delete mode: the piece between the nearest crossings on either side of the click goes;
// `copy` is the path made of what lay before it, when the path is split in two.
AIErr TrimDelete(AIArtHandle path, Anchors& anchors, int16_t s0, AIReal t0, AIArtHandle* copy) {
    const AIReal t1 = g->intersectionTvalues[1], t2 = g->intersectionTvalues[2];
    const auto s1 = static_cast<size_t>(g->intersectionSegNums[1]), s2 = static_cast<size_t>(g->intersectionSegNums[2]);
    // A crossing on the path's own first or last anchor only touches it there: nothing lies
    // beyond it to cut away, and a cut there would leave a path of one anchor behind.
    const size_t last = anchors.size() - 2;
    const bool before = t1 >= kFoundBefore && !(s1 == 0 && t1 <= kOnEnd);
    const bool after = t2 <= kFoundAfter && !(s2 == last && t2 >= 1.0 - kOnEnd);
    if (!before && !after) return CutNearerEnd(path, anchors, s0, t0);
    if (!after) {
        const size_t at = CutAt(anchors, s1, t1);
        return WritePathSegments(path, Slice(anchors, 0, at), false);
    }
    if (!before) {
        const size_t at = CutAt(anchors, s2, t2);
        return WritePathSegments(path, Slice(anchors, at, anchors.size() - 1), false);
    }
    // Both: on one segment in one go; else the later first, so the earlier one's place
    // stays, and the later one moves on by what the earlier cut added.
    size_t beforeAt = 0, afterAt = 0;
    if (s1 == s2) {
        const std::vector<size_t> at = CutsAt(anchors, s1, {t1, t2});
        beforeAt = at[0];
        afterAt = at[1];
    } else {
        afterAt = CutAt(anchors, s2, t2);
        const size_t count = anchors.size();
        beforeAt = CutAt(anchors, s1, t1);
        afterAt += anchors.size() - count;
    }
    // The path keeps the part from the after-crossing on; a copy right above it (on its
    // layer, in its group) the part up to the before-crossing.
    if (AIErr err = sAIArt->DuplicateArt(path, kPlaceAbove, path, copy)) return err;
    // The copy poses as no measured art: the clicks on its points are carried to it.
    if (AIErr err = DeleteDimObjectDictionary(*copy)) return err;
    if (AIErr err = WritePathSegments(*copy, Slice(anchors, 0, beforeAt), false)) return err;
    return WritePathSegments(path, Slice(anchors, afterAt, anchors.size() - 1), false);
}

}  // namespace

AIErr doSingleClickTrimTool() {
    const bool quiet = g->draggingTrim != 0;
    AIToolHitData data{};
    bool onDimension = false;
    // A dimension's line over the path is passed over for the path. Only a click is a press,
    // told what it found instead: a drag cuts what it passes.
    if (AIErr err = quiet ? HitMeasuredArt(nullptr, g->firstClick, &data, kSegmentHitRequest)
                          : HitEditedArt(g->firstClick, kSegmentHitRequest, &data, &onDimension))
        return err;
    if (!data.hit || !data.object || InDimension(data.object)) return quiet ? kNoErr : RefuseClick(onDimension);
    AIArtHandle path = data.object;
    Anchors anchors;
    bool closed = false;
    if (AIErr err = ReadPathSegments(path, &anchors, &closed)) return err;
    if (closed) return quiet ? kNoErr : ShowCoreMessage(kSelectOpenPathMessage);
    if (anchors.size() < 2) return kNoErr;

    auto s0 = static_cast<int16_t>(data.segment - 1);
    AIReal t0 = data.t;
    if (std::fabs(t0 - kAnchorT) <= kNearAnchor) {
        if (!g->prefs.trimToolDeletes) return kNoErr;  // anchor mode adds nothing on an anchor
        // Just inside the segment that starts at anchor 0, or that ends at the anchor.
        s0 = data.segment == 0 ? int16_t{0} : static_cast<int16_t>(data.segment - 1);
        t0 = data.segment == 0 ? kJustAfterStart : kJustBeforeEnd;
    }
    if (s0 < 0 || s0 > static_cast<int16_t>(anchors.size() - 2)) return kNoErr;

    CurrentLayerKept layer;
    TrimList list;
    g->trimArt = path;
    g->intersectionTvalues[0] = t0;
    g->intersectionSegNums[0] = s0;
    g->intersectionTvalues[1] = kNoneBefore;
    g->intersectionSegNums[1] = 0;
    g->intersectionTvalues[2] = kNoneAfter;
    g->intersectionSegNums[2] = static_cast<int16_t>(anchors.size() - 1);
    if (AIErr err = SearchCrossings(anchors, s0)) return err;

    // What measures the path goes with its points to the path (or the piece) holding them.
    MeasuredArtEdit measured;
    if (AIErr err = measured.Take(path)) return err;
    AIArtHandle copy = nullptr;
    if (g->prefs.trimToolDeletes) {
        if (AIErr err = TrimDelete(path, anchors, s0, t0, &copy)) return err;
    } else {
        if (list.nodes().empty())
            CutAt(anchors, static_cast<size_t>(s0), t0);
        else
            AddAnchorsAtCrossings(anchors, list.nodes());
        if (AIErr err = WritePathSegments(path, anchors, false)) return err;
    }
    const AIArtHandle now[] = {path, copy};
    return measured.Carry(now);
}

AIErr getTrimIntersections(AIArtHandle art, const AIRealBezier& segment) {
    for (AIArtHandle a = art; a;) {
        if (AIErr err = CrossArt(a, segment)) return err;
        AIArtHandle next = nullptr;
        if (AIErr err = sAIArt->GetArtSibling(a, &next)) return err;
        a = next;
    }
    return kNoErr;
}

void storeIntersectionData(AIReal t, AIRealPoint p) {
    const int16_t s = g->trimSegNum;
    if (!g->prefs.trimToolDeletes) {
        if (!g->firstTrimDataPtr) return;
        std::vector<trimData_struct>& list = *g->firstTrimDataPtr;
        // After every node not later along the path: equal ones keep their arrival order.
        const auto at = std::upper_bound(list.begin(), list.end(), trimData_struct{p, s, t},
                                         [](const trimData_struct& a, const trimData_struct& b) {
                                             return a.segNum != b.segNum ? a.segNum < b.segNum : a.t < b.t;
                                         });
        list.insert(at, trimData_struct{p, s, t});
        return;
    }
    AIReal* tv = g->intersectionTvalues;
    int16_t* sn = g->intersectionSegNums;
    const auto setSlot = [&](int slot) {
        tv[slot] = t;
        sn[slot] = s;
    };
    if (s == sn[0]) {
        if (tv[0] < t && t <= tv[2])
            setSlot(2);
        else if (t < tv[0] && tv[1] <= t)
            setSlot(1);
    } else if (sn[0] < s && s <= sn[2] && t < tv[2]) {
        setSlot(2);
    } else if (sn[1] <= s && s < sn[0] && tv[1] < t) {
        setSlot(1);
    }
}

AIErr FreeTrimData() {
    if (g->firstTrimDataPtr) g->firstTrimDataPtr->clear();
    return kNoErr;
}

AIErr doTrimPrefsDialog() {
    if (!sADMDialog) return kNoErr;
    (void)sADMDialog->Modal(g->thisPlugin, "TrimPrefs", kTrimPrefsDialogID, kADMModalDialogStyle,
                            Guarded<&InitTrimPrefsDialog>, nullptr, 0);
    return kNoErr;
}

ASErr InitTrimPrefsDialog(ADMDialogRef dialog) {
    sADMItem->SetNotifyProc(sADMDialog->GetItem(dialog, 1), Guarded<&TrimPrefsOKBtnCallbackProc>);
    sADMDialog->SetDefaultItemID(dialog, 1);
    sADMDialog->SetCancelItemID(dialog, 2);
    const int16_t on = g->prefs.trimToolDeletes ? kDeleteItem : kAddAnchorsItem;
    sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, on), true);
    return kNoErr;
}

void TrimPrefsOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    g->prefs.trimToolDeletes = sADMItem->GetBooleanValue(sADMDialog->GetItem(dialog, kDeleteItem)) ? 1 : 0;
    sADMItem->DefaultNotify(item, notifier);
}
