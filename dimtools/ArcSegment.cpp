// The arc path, its placement and paint, and the tracker read-out of the arc tools.
#include "dimtools/ArcSegment.h"

#include <cmath>
#include <vector>

#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimtools/DimToolGlobals.h"
#include "geometry/ArcGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

bool ArcToolIsCurrent() {
    const PlotwiseToolRow* row = FindToolRow(g->curTool);
    return row && row->family && row->family->captions == kArcTrackerCaptions;
}

// The arc's measures for the tracker, while an arc tool draws it (a dimension's arc is never
// the arc tools', even when a redraw runs while one of them is current). The bounds are
// taken whoever draws: a path whose bounds cannot be had is no arc to go on with.
AIErr ReportToTracker(AIArtHandle path, AIRealPoint to, const ArcShape& shape, bool dimensionArc) {
    AIRealMatrix identity{};
    sAIRealMath->AIRealMatrixSetIdentity(&identity);
    AIRealRect bounds{};
    if (AIErr err = sAIArt->GetArtTransformBounds(path, &identity, kVisibleBounds, &bounds)) return err;
    auto update = PlotwiseService().updateTrackerWindow;
    if (!update || dimensionArc || !ArcToolIsCurrent()) return kNoErr;
    const auto w = static_cast<AIReal>(std::fabs(bounds.right - bounds.left));
    const auto h = static_cast<AIReal>(std::fabs(bounds.top - bounds.bottom));
    const double length = std::fabs(DegreesToRadians<double>(shape.sweepDegrees) * shape.radius);
    const double area = length * shape.radius / 2.0;
    return update(to.h, to.v, w, h, w, h, kMissingValue, shape.sweepDegrees, shape.radius, length, area);
}

}  // namespace

AIErr constructArcSegment(AIRealPoint centre, AIRealPoint from, AIRealPoint to, AIArtHandle group,
                          const AIPathStyle* style) {
    if (AIErr err = setGlobalDegreeAndDiameterSymbols()) return err;
    std::vector<AIPathSegment> anchors;
    ArcShape shape;
    if (AIErr err = ArcAnchors(centre, from, to, &anchors, &shape)) return err;
    AIArtHandle path = nullptr;
    if (group) {
        if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &path)) return err;
    } else {
        // The drawing layer's first art is its own group when it holds nothing else yet.
        const int16_t order = g->firstArtType == kGroupArt ? kPlaceInsideOnTop : kPlaceAbove;
        if (AIErr err = sAIArt->NewArt(kPathArt, order, g->firstArt, &path)) return err;
    }
    (void)sAIArt->SetArtCenterPointVisible(path, true);
    if (style) {
        // A dimension's arc: its paint matters more than the centre mark, and neither stops it.
        (void)sAIPathStyle->SetPathStyle(path, style);
        (void)sAIArt->SetArtCenterPointVisible(path, false);
    }
    const auto count = static_cast<int16_t>(anchors.size());
    if (AIErr err = sAIPath->SetPathSegmentCount(path, count)) return err;
    if (AIErr err = sAIPath->SetPathSegments(path, 0, count, anchors.data())) return err;
    if (AIErr err = sAIPath->SetPathClosed(path, false)) return err;
    return ReportToTracker(path, to, shape, style != nullptr);
}
