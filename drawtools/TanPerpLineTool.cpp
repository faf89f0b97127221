// The tangent and perpendicular line: the piece and parameter under the click, the line's
// direction from the drag or the typed code, and "PerpLine"'s choice items.
#include "drawtools/TanPerpLineTool.h"

#include <cmath>

#include "core/PlotwiseSuites.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/BezierGeometry.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "artwork/DrawingLayer.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kPerpLineDialogID = 16760;
constexpr int16_t kReverseItem = 5;
constexpr int16_t kTangentItem = 6;
constexpr int16_t kPerpendicularItem = 7;
constexpr int32_t kDrawTangent = 1, kDrawPerpendicular = 2;
// Parameters just inside a piece at an anchor of an open path.
constexpr AIReal kNearStart = 0.00001f, kNearEnd = 0.99999f;

// The angle each code adds to the tangent's; a code outside the table adds nothing.
AIReal AddedAngle(int32_t direction) {
    switch (direction) {
        case kPerpLine:
            return kPi / 2;
        case kTanLineReversed:
            return kPi;
        case kPerpLineReversed:
            return kPi + kPi / 2;
        default:
            return 0;
    }
}

// The nearest of the four directions to a drag delta radians off the tangent (in [0, 2 pi]);
// a drag exactly 45 degrees off still gives the tangent.
AIReal NearestQuarter(AIReal delta) {
    if (delta > kPi / 4 && delta <= 3 * kPi / 4) return kPi / 2;
    if (delta > 3 * kPi / 4 && delta <= 5 * kPi / 4) return kPi;
    if (delta > 5 * kPi / 4 && delta <= 7 * kPi / 4) return kPi + kPi / 2;
    return 0;
}

// Where the click meets a path and the tangent's angle there; false when no anchor or curve
// of a path of two or more anchors is under it (a dimension's part passed over).
AIErr TangentAtClick(bool* found, AIRealPoint* at, AIReal* alpha) {
    *found = false;
    AIToolHitData data{};
    if (AIErr err = HitEditedArt(g->firstClick, kAllHitRequest, &data)) return err;
    if (!data.hit || (data.type != kSegAnchorType && data.type != kSegCurveType) || !data.object) return kNoErr;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(data.object, &type)) return err;
    if (type != kPathArt) return kNoErr;
    int16_t n = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(data.object, &n)) return err;
    ASBoolean closed = false;
    if (AIErr err = sAIPath->GetPathClosed(data.object, &closed)) return err;
    if (n < 2) return kNoErr;
    int16_t piece = 0;
    AIReal t = 0;
    const int16_t s = data.segment;
    if (data.type == kSegAnchorType) {
        if (!closed && s == n - 1) {
            piece = static_cast<int16_t>(s - 1);  // the last anchor: the end of the last piece
            t = kNearEnd;
        } else {
            piece = s;
            t = closed ? 0.0f : kNearStart;
        }
    } else {
        piece = static_cast<int16_t>(s - 1 < 0 ? n - 1 : s - 1);
        t = data.t;
    }
    AIRealBezier bez{};
    if (AIErr err = sAIPath->GetPathBezier(data.object, piece, &bez)) return err;
    AIRealPoint p{}, along{};
    // A piece with no direction at t (a retracted handle at a corner) takes it from its
    // control points rather than from a zero vector.
    if (AIErr err = getPointAndTangentFromBezierT(bez, t, &p, &along)) return err;
    *alpha = std::atan2(along.v - p.v, along.h - p.h);
    *at = data.point;
    *found = true;
    return kNoErr;
}

}  // namespace

AIErr doTanPerpLineTool(int16_t fromDialog, int32_t direction, AIReal length) {
    bool found = false;
    AIRealPoint p{};
    AIReal alpha = 0;
    if (AIErr err = TangentAtClick(&found, &p, &alpha)) return err;
    if (!found) {
        g->okToTrackCursorFlag = 0;
        return kNoErr;
    }
    AIReal theta = 0;
    if (fromDialog) {
        theta = GetAngleFromZeroToTwoPi(alpha) + AddedAngle(direction);
    } else {
        length = sAIRealMath->AIRealPointLength(&g->firstClick, &g->endPoint);
        const AIReal beta = sAIRealMath->AIRealPointAngle(&g->firstClick, &g->endPoint);
        theta = alpha + NearestQuarter(GetAngleFromZeroToTwoPi(beta - alpha));
    }
    if (AIErr err = PrepCADLayer()) return err;
    AIRealPoint e{};
    AddPointLengthAngle(p, length, GetAIAngle(theta), &e);
    if (AIErr err = drawLine(p, e, g->group)) return err;
    g->okToTrackCursorFlag = 1;
    const AIReal w = std::fabs(e.h - p.h), h = std::fabs(e.v - p.v);
    return updateTrackerWindow(e.h, e.v, w, h, w, h, kMissingValue, RadiansToDegrees(theta), length, kMissingValue,
                               kMissingValue);
}

AIErr doInputTanPerpLineTool(int32_t direction, AIReal length) { return doTanPerpLineTool(1, direction, length); }

AIErr TanPerpLineMouseDown() {
    AIToolHitData data{};
    bool onDimension = false;
    if (AIErr err = HitEditedArt(g->firstClick, kAllHitRequest, &data, &onDimension)) return err;
    return data.hit ? kNoErr : RefuseClick(onDimension);
}

AIErr TanPerpLineMouseUp() {
    // The art-must-be-clicked alert of the press took the click back: no dialog after it.
    if (!g->didFirstClick) return kNoErr;
    return doTanPerpLineToolDialog();
}

AIErr doTanPerpLineToolDialog() { return OpenNumericInputDialog(kPerpLineDialogID, nullptr); }

void initTanPerpLineChoices(ADMDialogRef dialog) {
    const bool tangent = g->inputTanPerpLineDrawWhich == kDrawTangent;
    if (tangent) sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kTangentItem), true);
    if (g->inputTanPerpLineDrawWhich == kDrawPerpendicular)
        sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kPerpendicularItem), true);
    const int32_t reversed = tangent ? kTanLineReversed : kPerpLineReversed;
    sADMItem->SetBooleanValue(sADMDialog->GetItem(dialog, kReverseItem), g->inputTanPerpLineDirection == reversed);
}

void storeTanPerpLineChoices(ADMDialogRef dialog) {
    const bool reverse = sADMItem->GetBooleanValue(sADMDialog->GetItem(dialog, kReverseItem));
    if (sADMItem->GetBooleanValue(sADMDialog->GetItem(dialog, kTangentItem))) {
        g->inputTanPerpLineDrawWhich = kDrawTangent;
        g->inputTanPerpLineDirection = reverse ? kTanLineReversed : kTanLine;
    } else {
        g->inputTanPerpLineDrawWhich = kDrawPerpendicular;
        g->inputTanPerpLineDirection = reverse ? kPerpLineReversed : kPerpLine;
    }
}

AIErr BuildTanPerpLineFromDialog() {
    return doInputTanPerpLineTool(g->inputTanPerpLineDirection, DrawnLength(g->inputTanPerpLineLength));
}
