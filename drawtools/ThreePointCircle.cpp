// The three-point circle tool and the oval builder it draws with.
#include "drawtools/ThreePointCircle.h"

#include <algorithm>
#include <cmath>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/CADEllipseTool.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "geometry/PlaneGeometry.h"
#include "artwork/DrawingLayer.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kPointsAlongOneAxisMessage = 72;  // 17072

// The orderings tried, as indexes of (first, second, third).
constexpr int kOrderings[6][3] = {{0, 1, 2}, {0, 2, 1}, {1, 0, 2}, {1, 2, 0}, {2, 1, 0}, {2, 0, 1}};

}  // namespace

AIErr NewZMKOval(AIRealPoint origin, AIRealPoint extent, int fromCenter, circle_struct* circle) {
    if (!circle) return kBadParameterErr;
    const AIRealPoint e{origin.h + extent.h, origin.v + extent.v};
    const AIReal dx = e.h - origin.h, dy = e.v - origin.v;
    AIReal a1 = dx, b1 = dy;
    AIRealPoint centre = origin;
    if (!fromCenter) {
        a1 = dx / 2;
        b1 = dy / 2;
        if (ShiftInForce()) {
            const AIReal r = std::max(std::fabs(a1), std::fabs(b1));
            a1 = e.h > origin.h ? r : -r;
            b1 = e.v > origin.v ? r : -r;
        }
        centre = AIRealPoint{origin.h + a1, origin.v + b1};
    }
    FourSegmentEllipse(centre, std::fabs(a1), std::fabs(b1), circle->seg);
    return kNoErr;
}

AIErr doThreePointCircleTool() {
    if (!g->didFirstClick || !g->didSecondClick || !g->didThirdClick) return kNoErr;
    AIRealPoint* clicks[3] = {&g->firstClick, &g->secondClick, &g->thirdClick};
    for (AIRealPoint* click : clicks)
        if (AIErr err = SnapToAnchorOrGrid(click, true)) return err;

    const int* found = nullptr;
    for (const auto& order : kOrderings) {
        if (!isPerpendicular(*clicks[order[0]], *clicks[order[1]], *clicks[order[2]])) {
            found = order;
            break;
        }
    }
    if (!found) {
        char text[512];
        GetPlotwiseString(kMessageList, kPointsAlongOneAxisMessage, text, sizeof text);
        // The message ends this set of clicks: the next click starts a new one.
        g->didThirdClick = 0;
        return doPlotwiseErrorDialog(text);
    }
    AIRealPoint centre{};
    AIReal radius = 0;
    if (AIErr err = get3PointCircleFromPoints(*clicks[found[0]], *clicks[found[1]], *clicks[found[2]], &centre, &radius))
        return err;

    if (AIErr err = PrepCADLayer()) return err;
    AIArtHandle path = nullptr;
    if (AIErr err = NewToolPath(&path)) return err;
    circle_struct circle{};
    const AIReal r = std::fabs(radius);
    NewZMKOval(centre, AIRealPoint{r, r}, 1, &circle);
    (void)sAIArt->SetArtCenterPointVisible(path, true);
    for (int16_t i = 0; i < 4; ++i)
        if (AIErr err = sAIPath->SetPathSegments(path, i, 1, &circle.seg[i])) return err;
    return sAIPath->SetPathClosed(path, true);
}
