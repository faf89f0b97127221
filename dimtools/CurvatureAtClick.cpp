// The piece under a click and its curvature, shared by the curvature tools.
#include "dimtools/CurvatureAtClick.h"

#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/MeasuringHit.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/ToolHit.h"
#include "geometry/PlotwiseErrors.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kAnchorSnap = 2.0f;  // an anchor hit this near an end of its piece measures there

bool Near(const AIRealPoint& a, const AIRealPoint& b) { return Distance(a, b) < kAnchorSnap; }

}  // namespace

AIArtHandle CurvatureHitTarget() { return g->updatingDimensions ? g->updateArt : nullptr; }

AIErr PathClickOn(AIArtHandle path, int16_t segment, int16_t type, PathClick* click, bool* found) {
    *found = false;
    PathClick out;
    const AIErr ends = HitSegmentEnds(path, segment, &out.first, &out.second);
    if (ends == kCADErr) return kNoErr;  // a path of one anchor has no piece
    if (ends) return ends;
    AIPathSegment a{}, b{};
    if (AIErr err = sAIPath->GetPathSegments(path, out.first, 1, &a)) return err;
    if (AIErr err = sAIPath->GetPathSegments(path, out.second, 1, &b)) return err;
    out.art = path;
    out.type = type;
    out.point = type == kSegAnchorType ? b.p : a.p;
    // Anchor 0 of an open path names the piece it starts.
    if (type == kSegAnchorType && out.second == 1 && segment == 0) out.point = a.p;
    out.piece = {a.p, a.out, b.in, b.p};
    *click = out;
    *found = true;
    return kNoErr;
}

AIErr PathClickAt(AIArtHandle target, const AIRealPoint& p, PathClick* click, bool* found) {
    *found = false;
    AIToolHitData data{};
    if (AIErr err = HitMeasuredArt(target, p, &data)) return err;
    if (!data.hit || (data.type != kSegAnchorType && data.type != kSegCurveType)) return kNoErr;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(data.object, &type)) return err;
    if (type != kPathArt || isDimensionPart(data.object)) return kNoErr;
    if (AIErr err = PathClickOn(data.object, data.segment, data.type, click, found)) return err;
    if (!*found) return kNoErr;
    click->point = data.point;
    click->t = data.t;
    return kNoErr;
}

AIErr GetCurvatureAtClick(AIArtHandle target, const AIRealPoint& p, CurvatureAtClick* out, Curvature* outcome) {
    *outcome = Curvature::kNoHit;
    bool found = false;
    if (AIErr err = PathClickAt(target, p, &out->click, &found)) return err;
    if (!found) return kNoErr;
    const PathClick& click = out->click;
    g->art = click.art;
    *outcome = Curvature::kNothingToDraw;
    if (PieceIsStraight(click.piece)) return kNoErr;
    AIReal t = 0;
    if (click.type == kSegAnchorType) {
        // The end anchor first: an anchor hit names the piece that ends there.
        if (Near(click.point, click.piece.p3))
            t = 1;
        else if (!Near(click.point, click.piece.p0))
            return kNoErr;
    } else {
        t = WalkToReference(click.piece, click.point);
    }
    out->t = t;
    if (!FitCircleAt(click.piece, t, &out->fit) || !out->fit.hasCentre) return kNoErr;
    *outcome = Curvature::kMeasured;
    return kNoErr;
}

AIErr DimensionOrNothing(AIArtHandle group, AIErr drawn) {
    if (drawn && group) sAIArt->DisposeArt(group);
    return drawn;
}

AIErr ClickAtCursor() {
    g->firstClick = g->endPoint;
    g->didSecondClick = 0;
    if (AIErr err = doFreeHitLocs()) return err;
    return doStoreHitLoc(nullptr);
}
