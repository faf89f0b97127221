// The arc-length tool: the two clicked pieces, the exact points there, the centre from the
// normals, and the dimension arc of the angle tool in its length form.
#include "dimtools/ArcLengthDimensions.h"

#include <algorithm>
#include <cmath>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionStorage.h"
#include "dimtools/AngularDimensions.h"
#include "dimtools/CurvatureAtClick.h"
#include "dimtools/DimToolGlobals.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kAnchorSnap = 2.0f;   // a click this near an end of its piece measures from it
constexpr int32_t kCtrlBit = 4;
constexpr int32_t kOnePathMessage = 9;       // 17009
constexpr int32_t kCircularArcsMessage = 11;  // 17011

// The art a click is looked for on: the measured path while a dimension is redrawn, the art
// the press found, else all art.
AIArtHandle ClickTarget(const cdDataStruct* node) {
    if (g->updatingDimensions) return g->updateArt;
    return node ? node->art : nullptr;
}

// The piece that starts where the click's piece ends, when the path goes on there.
AIErr PieceAfter(const PathClick& click, PathClick* next, bool* found) {
    *found = false;
    int16_t count = 0;
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathSegmentCount(click.art, &count)) return err;
    if (AIErr err = sAIPath->GetPathClosed(click.art, &closed)) return err;
    const int16_t from = click.second;
    const int16_t to = from + 1 < count ? static_cast<int16_t>(from + 1) : int16_t{0};
    if ((from + 1 >= count && !closed) || to == from) return kNoErr;
    AIPathSegment a{}, b{};
    if (AIErr err = sAIPath->GetPathSegments(click.art, from, 1, &a)) return err;
    if (AIErr err = sAIPath->GetPathSegments(click.art, to, 1, &b)) return err;
    *next = click;
    next->first = from;
    next->second = to;
    next->piece = {a.p, a.out, b.in, b.p};
    *found = true;
    return kNoErr;
}

// The clicked piece and the parameter of the click on it: the end of the piece nearer the
// click when it lies within 2 points of it; else the host's parameter of a hit on the
// curve. The host takes an anchor from farther off than that: such a click measures the
// point nearest it on the piece that ends at the anchor or the one that starts there.
AIErr ReadClick(const AIRealPoint& p, const cdDataStruct* node, PathClick* click, AIReal* t) {
    bool found = false;
    if (AIErr err = PathClickAt(ClickTarget(node), p, click, &found)) return err;
    if (!found) return doArtMustBeClickedErrorDialog();
    const AIReal toStart = Distance(p, click->piece.p0);
    const AIReal toEnd = Distance(p, click->piece.p3);
    if (std::min(toStart, toEnd) <= kAnchorSnap) {
        *t = toEnd <= toStart ? 1.0f : 0.0f;
        return kNoErr;
    }
    if (click->type != kSegAnchorType) {
        *t = click->t;
        return kNoErr;
    }
    AIReal distance = 0;
    *t = NearestBezierT(click->piece, p, &distance);
    PathClick after;
    bool more = false;
    const bool endsThere = click->point.h == click->piece.p3.h && click->point.v == click->piece.p3.v;
    if (endsThere)
        if (AIErr err = PieceAfter(*click, &after, &more)) return err;
    AIReal afterDistance = 0;
    const AIReal afterT = more ? NearestBezierT(after.piece, p, &afterDistance) : 0.0f;
    if (more && afterDistance < distance) {
        *click = after;
        *t = afterT;
    }
    return kNoErr;
}

AIErr ArcLength() {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    const cdDataStruct* firstNode = g->firstChainDimDataPtr;
    const cdDataStruct* secondNode = firstNode ? firstNode->nextPtr : nullptr;
    PathClick first, second;
    AIReal t1 = 0, t2 = 0;
    if (AIErr err = ReadClick(g->firstClick, firstNode, &first, &t1)) return err;
    g->art = first.art;
    if (AIErr err = ReadClick(g->secondClick, secondNode, &second, &t2)) return err;
    if (second.art != first.art) return ShowCoreMessage(kOnePathMessage);
    g->art = second.art;
    // The centre is known before any art is made, so a refusal leaves nothing behind.
    ArcThroughClicks arc;
    if (ArcCentreFromNormals(first.piece, t1, second.piece, t2, &arc) != kNoErr) return ShowCoreMessage(kCircularArcsMessage);
    if (AIErr err = PrepDimensionLayer()) return err;
    AIArtHandle group = g->group;
    const bool reversed = (g->prefs.style.modifiers & kCtrlBit) != 0;
    const AIRealPoint& from = reversed ? arc.second : arc.first;
    const AIRealPoint& to = reversed ? arc.first : arc.second;
    AIErr err = constructDimensionedArcSegment(arc.centre, from, to, g->endPoint, kArcLengthKind, group);
    if (!err) err = SetDimensionData(group, nullptr);
    return DimensionOrNothing(group, err);
}

}  // namespace

AIErr doArcLengthTool() { return g ? ArcLength() : kCADErr; }
