// The arc-length tool: the two clicked pieces, the exact points there, the centre from the
// normals, and the dimension arc of the angle tool in its length form.
#include "dimtools/ArcLengthDimensions.h"

#include <algorithm>
#include <cmath>
#include <vector>

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
#include "geometry/CurveFit.h"
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

// The piece on the other side of the click's piece's end (`atEnd`) or start, when the path
// goes on there.
AIErr PieceBeside(const PathClick& click, bool atEnd, PathClick* beside, bool* found) {
    *found = false;
    int16_t count = 0;
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathSegmentCount(click.art, &count)) return err;
    if (AIErr err = sAIPath->GetPathClosed(click.art, &closed)) return err;
    const int16_t anchor = atEnd ? click.second : click.first;
    const int16_t other = atEnd ? (anchor + 1 < count ? static_cast<int16_t>(anchor + 1) : int16_t{0})
                                : (anchor > 0 ? static_cast<int16_t>(anchor - 1) : static_cast<int16_t>(count - 1));
    const bool wraps = atEnd ? anchor + 1 >= count : anchor == 0;
    if ((wraps && !closed) || other == anchor) return kNoErr;
    AIPathSegment a{}, b{};
    if (AIErr err = sAIPath->GetPathSegments(click.art, atEnd ? anchor : other, 1, &a)) return err;
    if (AIErr err = sAIPath->GetPathSegments(click.art, atEnd ? other : anchor, 1, &b)) return err;
    *beside = click;
    beside->first = atEnd ? anchor : other;
    beside->second = atEnd ? other : anchor;
    beside->piece = {a.p, a.out, b.in, b.p};
    *found = true;
    return kNoErr;
}

// The pieces either side of the click's piece, added to `out`: a longer arc beside a short
// clicked piece gives the circle's centre more surely.
AIErr PiecesBeside(const PathClick& click, std::vector<AIRealBezier>* out) {
    for (const bool atEnd : {false, true}) {
        PathClick beside;
        bool found = false;
        if (AIErr err = PieceBeside(click, atEnd, &beside, &found)) return err;
        if (found) out->push_back(beside.piece);
    }
    return kNoErr;
}

// Straight, or straight but for a hair: a fillet's straight sides may have handles a float's
// rounding off their anchors.
bool StraightToAHair(const AIRealBezier& piece) {
    constexpr double kHair = 1e-3;
    return PieceIsStraight(piece) || PieceIsFlat(piece, kHair);
}

// The click as its node describes it, when the node holds a path: its anchor, or its
// parameter on a piece. The press and the redraw of its dimension read the same record, so
// the value drawn is the value an update draws again.
AIErr NodeClick(const cdDataStruct* node, PathClick* click, bool* found) {
    *found = false;
    if (!node || !node->art) return kNoErr;
    const bool anchor = node->clickType == kLiveDimClickedSegmentPoint;
    if (!anchor && node->clickType != kLiveDimClickedPath) return kNoErr;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(node->art, &type)) return err;
    if (type != kPathArt) return kNoErr;
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(node->art, &count)) return err;
    // A stored -1 names the last anchor.
    const auto segment = static_cast<int16_t>(node->segNumAfter == -1 ? count - 1 : node->segNumAfter);
    if (segment < 0 || segment >= count) return kNoErr;
    if (AIErr err = PathClickOn(node->art, segment, anchor ? kSegAnchorType : kSegCurveType, click, found)) return err;
    if (*found && !anchor) {
        click->t = node->t;
        AIRealPoint tangent{};
        if (getPointAndTangentFromBezierT(click->piece, click->t, &click->point, &tangent) != kNoErr) *found = false;
    }
    return kNoErr;
}

// The clicked piece and the parameter of the click on it. A click on an anchor measures
// from that anchor, and so does one whose point on the curve lies within 2 points of an
// end of its piece; else the click's parameter on the curve. At an anchor the tangent is
// taken from the curved one of the two pieces that meet there, so an arc that a straight
// piece joins (a fillet's ends) keeps its own tangent.
AIErr ReadClick(const AIRealPoint& p, const cdDataStruct* node, PathClick* click, AIReal* t) {
    bool found = false;
    if (AIErr err = NodeClick(node, click, &found)) return err;
    if (!found)
        if (AIErr err = PathClickAt(ClickTarget(node), p, click, &found)) return err;
    if (!found) return doArtMustBeClickedErrorDialog();
    const AIReal toStart = Distance(click->point, click->piece.p0);
    const AIReal toEnd = Distance(click->point, click->piece.p3);
    if (click->type != kSegAnchorType && std::min(toStart, toEnd) > kAnchorSnap) {
        *t = click->t;
        return kNoErr;
    }
    const bool atEnd = toEnd <= toStart;
    *t = atEnd ? 1.0f : 0.0f;
    if (!StraightToAHair(click->piece)) return kNoErr;
    PathClick beside;
    bool more = false;
    if (AIErr err = PieceBeside(*click, atEnd, &beside, &more)) return err;
    if (more && !StraightToAHair(beside.piece)) {
        *click = beside;
        *t = atEnd ? 0.0f : 1.0f;
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
    std::vector<AIRealBezier> beside;
    if (AIErr err = PiecesBeside(first, &beside)) return err;
    if (AIErr err = PiecesBeside(second, &beside)) return err;
    ArcThroughClicks arc;
    if (ArcCentreFromNormals(first.piece, t1, second.piece, t2, &arc, beside) != kNoErr)
        return ShowCoreMessage(kCircularArcsMessage);
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
