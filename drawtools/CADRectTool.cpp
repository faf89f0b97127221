// The CAD rectangle tools' drag and builder.
#include "drawtools/CADRectTool.h"

#include <algorithm>
#include <cmath>

#include "core/PlotwiseSuites.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "artwork/DrawingLayer.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

// The four corners P1, P1 + (dx, 0), P1 + (dx, dy), P1 + (0, dy), closed.
AIErr WriteRectangle(AIArtHandle path, const AIRealPoint& p1, AIReal dx, AIReal dy) {
    const AIPathSegment corners[4] = {CornerAnchor(p1), CornerAnchor({p1.h + dx, p1.v}),
                                      CornerAnchor({p1.h + dx, p1.v + dy}), CornerAnchor({p1.h, p1.v + dy})};
    if (AIErr err = sAIPath->SetPathSegments(path, 0, 4, corners)) return err;
    return sAIPath->SetPathClosed(path, true);
}

AIReal DiagonalDegrees(AIReal dx, AIReal dy) {
    const AIRealPoint origin{0, 0}, corner{dx, dy};
    return RadiansToDegrees(sAIRealMath->AIRealPointAngle(&origin, &corner));
}

// A new path for the rectangle in a fresh group on the drawing layer.
AIErr NewRectanglePath(AIArtHandle* path) {
    if (AIErr err = PrepCADLayer()) return err;
    return NewToolPath(path);
}

}  // namespace

int16_t ModeOfTool(bool centreTool) { return centreTool != OptionHeld() ? kFromCenter : kFromCorner; }

AIErr doCADRectTool(int16_t mode) {
    AIArtHandle path = nullptr;
    if (AIErr err = NewRectanglePath(&path)) return err;
    if (AIErr err = SnapToAnchorOrGrid(&g->firstClick, true)) return err;
    if (AIErr err = SnapToAnchorOrGrid(&g->endPoint, true)) return err;
    (void)sAIArt->SetArtCenterPointVisible(path, true);  // how the centre shows is the host's
    const AIRealPoint c = g->firstClick, q = g->endPoint;
    const AIReal scale = mode == kFromCenter ? 2.0f : 1.0f;
    AIReal dx = scale * (q.h - c.h), dy = scale * (q.v - c.v);
    if (ShiftInForce()) {
        // A square in the cursor's quadrant.
        const AIReal s = std::max(std::fabs(dx), std::fabs(dy));
        dx = q.h > c.h ? s : -s;
        dy = q.v > c.v ? s : -s;
    }
    const AIRealPoint p1 = mode == kFromCenter ? AIRealPoint{c.h - dx / 2, c.v - dy / 2} : c;
    if (AIErr err = updateTrackerWindow(q.h, q.v, dx, dy, dx, dy, kMissingValue, DiagonalDegrees(dx, dy),
                                        kMissingValue, 2 * (std::fabs(dx) + std::fabs(dy)), std::fabs(dx * dy)))
        return err;
    return WriteRectangle(path, p1, dx, dy);
}

AIErr doInputCADRectTool(int16_t mode, double width, double height) {
    AIArtHandle path = nullptr;
    if (AIErr err = NewRectanglePath(&path)) return err;
    if (AIErr err = SnapToAnchorOrGrid(&g->firstClick, false)) return err;
    (void)sAIArt->SetArtCenterPointVisible(path, true);  // how the centre shows is the host's
    const AIReal w = static_cast<AIReal>(width), h = static_cast<AIReal>(height);
    const AIRealPoint c = g->firstClick;
    const AIRealPoint p1 = mode == kFromCenter ? AIRealPoint{c.h - w / 2, c.v - h / 2} : c;
    if (AIErr err = updateTrackerWindow(p1.h + w, p1.v + h, w, h, w, h, kMissingValue, DiagonalDegrees(w, h),
                                        std::sqrt(w * w + h * h), 2 * (std::fabs(w) + std::fabs(h)),
                                        std::fabs(w * h)))
        return err;
    return WriteRectangle(path, p1, w, h);
}

AIErr doPlotwiseRectDialog(const AIToolMessage* message) { return OpenNumericInputDialog(16700, message); }

AIErr BuildRectFromDialog() {
    const bool centreTool = g->curTool && g->curTool == g->cadrectcentertool;
    if (!centreTool && !(g->curTool && g->curTool == g->cadrecttool)) return kNoErr;
    // The height is negated: from a corner the rectangle extends right of and below the click.
    return doInputCADRectTool(ModeOfTool(centreTool), DrawnLength(g->inputRectWidth), -DrawnLength(g->inputRectHeight));
}
