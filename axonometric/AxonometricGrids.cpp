// Grid spacing, the grid lines as shown, and the depth grid object.
#include "axonometric/AxonometricGrids.h"

#include <cmath>
#include <initializer_list>

#include "axonometric/AxonometricGlobals.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "geometry/AxonometricMath.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

constexpr AIReal kMajorLineWidth = 1.0f, kMinorLineWidth = 0.5f;

// A new path of corner anchors in gridObjStyle, on top inside group (above firstArt
// without one).
AIErr NewGridPath(AIArtHandle group, std::initializer_list<AIRealPoint> points, bool closed) {
    AIArtHandle path = nullptr;
    if (group) {
        if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &path)) return err;
    } else {
        if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceAbove, g->firstArt, &path)) return err;
    }
    if (AIErr err = sAIPathStyle->SetPathStyle(path, &g->gridObjStyle)) return err;
    AIPathSegment segments[4] = {};
    int16_t n = 0;
    for (const AIRealPoint& p : points) segments[n++] = CornerAnchor(p);
    if (AIErr err = sAIPath->SetPathSegmentCount(path, n)) return err;
    if (AIErr err = sAIPath->SetPathSegments(path, 0, n, segments)) return err;
    return sAIPath->SetPathClosed(path, closed);
}

// The step from the edge p3 lies on towards the opposite edge: `near` is the coordinate
// of the edge the lines may start from, `far` the other.
AIReal StepFrom(AIReal start, AIReal near, AIReal far, AIReal inc) {
    const bool fromNear = near - 0.5f < start && start < near + 0.5f;
    const AIReal towards = fromNear ? far - near : near - far;
    return towards < 0 ? -inc : inc;
}

}  // namespace

AIErr SetGridSpacingAndSubdivisions() {
    AIDocumentViewHandle view = nullptr;
    if (AIErr err = sAIDocumentView->GetNthDocumentView(0, &view)) return err;
    AIReal zoom = 0;
    if (AIErr err = sAIDocumentView->GetDocumentViewZoom(view, &zoom)) return err;
    double spacing = 0, subdivisions = 0;
    ChooseGridSpacing(g->prefs.rulerUnits, zoom, g->prefs.pixelsperinch, &spacing, &subdivisions);
    g->prefs.gridSpacing = static_cast<float>(spacing);
    g->prefs.gridNumSubdivisions = static_cast<int32_t>(std::trunc(subdivisions));
    g->gridSnapInc = static_cast<AIReal>(spacing / subdivisions);
    return kNoErr;
}

GridSnapLines ShownGridLines() {
    GridSnapLines lines;
    if (!g || !g->prefs.CADgridVisible) return lines;
    if (!(g->gridSnapInc >= 1)) (void)SetGridSpacingAndSubdivisions();  // not drawn yet in this session
    lines.increment = g->gridSnapInc;
    lines.horizontal = g->prefs.ShowHorizontalGridLines != 0;
    lines.vertical = g->prefs.ShowVerticalGridLines != 0;
    lines.isometric = g->prefs.ShowIsometricGridLines != 0;
    lines.a = g->prefs.isoView.a;
    lines.b = g->prefs.isoView.b;
    return lines;
}

AIErr DrawGridObject(const AIRealPoint* p1, const AIRealPoint* p2, const AIRealPoint* p3) {
    if (!p1 || !p2 || !p3) return kBadParameterErr;
    AILayerHandle layer = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&layer)) return err;
    if (!layer) return kLockedErr;
    if (AIErr err = RefuseClosedLayer(layer)) return err;  // nothing drawn, the user told why
    ASBoolean editable = false;
    if (AIErr err = sAILayer->GetLayerEditable(layer, &editable)) return err;
    AIArtHandle layerGroup = nullptr;
    if (editable)
        if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &layerGroup)) return err;
    // Nothing drawn: a caller must not go on with a grid group left from before.
    if (!editable || !layerGroup) return kLockedErr;
    AIArtHandle grid = nullptr;
    if (AIErr err = sAIArt->NewArt(kGroupArt, kPlaceInsideOnTop, layerGroup, &grid)) return err;
    g->gridGroup = grid;

    const AIRealPoint a = *p1, b = *p2, start = *p3;
    if (AIErr err = NewGridPath(grid, {{a.h, a.v}, {b.h, a.v}, {b.h, b.v}, {a.h, b.v}}, true)) return err;

    // With no view the increment stays as it was.
    (void)SetGridSpacingAndSubdivisions();
    const AIReal inc = g->gridSnapInc;
    const int32_t major = g->prefs.gridNumSubdivisions < 1 ? 1 : g->prefs.gridNumSubdivisions;
    auto lineWidth = [major](int32_t k) { return k % major == 0 ? kMajorLineWidth : kMinorLineWidth; };

    const int32_t rows = GridLineCount(a.v - b.v, inc);
    const AIReal dy = StepFrom(start.v, a.v, b.v, inc);
    AIReal y = start.v;
    for (int32_t k = 0; k < rows; ++k, y += dy) {
        g->gridObjStyle.stroke.width = lineWidth(k);
        const AIRealPoint from{a.h, y}, to{b.h, y};
        if (AIErr err = drawGridObjLineFromPoints(grid, &from, &to)) return err;
    }
    const int32_t columns = GridLineCount(b.h - a.h, inc);
    const AIReal dx = StepFrom(start.h, b.h, a.h, inc);
    AIReal x = start.h;
    for (int32_t k = 0; k < columns; ++k, x += dx) {
        g->gridObjStyle.stroke.width = lineWidth(k);
        const AIRealPoint from{x, a.v}, to{x, b.v};
        if (AIErr err = drawGridObjLineFromPoints(grid, &from, &to)) return err;
    }
    return kNoErr;
}

AIErr drawGridObjLineFromPoints(AIArtHandle group, const AIRealPoint* from, const AIRealPoint* to) {
    if (!from || !to) return kBadParameterErr;
    return NewGridPath(group, {*from, *to}, false);
}
