// Hit testing: anchors within 3 pt before curves within 2 pt before fills; segment
// numbering of curve hits (closing piece 0); request codes; topmost art first; hidden and
// locked art skipped; a target restricts the test; the hit's group is the direct container.
#include <cmath>

#include "HostFixture.h"

namespace {

class HitTestTest : public HostTest {
protected:
    AIToolHitData hitAt(AIRealPoint p, int32_t request = kAllHitRequest, AIArtHandle target = nullptr) {
        AIHitRef ref = nullptr;
        AIToolHitData data{};
        EXPECT_EQ(sHit->HitTest(target, &p, request, &ref), kNoErr);
        EXPECT_EQ(sHit->GetHitData(ref, &data), kNoErr);
        EXPECT_EQ(sHit->Release(ref), kNoErr);
        EXPECT_EQ(host.counters().hitRefs, 0);
        return data;
    }

    void fill(AIArtHandle art) {
        AIPathStyle s{};
        sStyle->GetPathStyle(art, &s);
        s.fillPaint = true;
        s.fill.color.kind = kGrayColor;
        s.fill.color.c.g.gray = 0.5f;
        sStyle->SetPathStyle(art, &s);
    }
};

TEST_F(HitTestTest, AnchorsWithinThreePointsWinOverCurves) {
    AIArtHandle line = path({{0, 0}, {100, 0}});
    AIToolHitData d = hitAt({2.9f, 0.5f});
    EXPECT_TRUE(d.hit);
    EXPECT_EQ(d.type, kSegAnchorType);
    EXPECT_EQ(d.segment, 0);
    EXPECT_EQ(d.object, line);
    EXPECT_EQ(d.point.h, 0.0f);
    EXPECT_EQ(d.t, 0.0f);
    // With the segment request an anchor hit says t = -1.
    d = hitAt({99, 1}, kSegmentHitRequest);
    EXPECT_EQ(d.type, kSegAnchorType);
    EXPECT_EQ(d.segment, 1);
    EXPECT_EQ(d.t, -1.0f);
    // Just beyond 3 pt from the anchor it is a curve hit.
    d = hitAt({3.5f, 0.5f});
    EXPECT_EQ(d.type, kSegCurveType);
    EXPECT_EQ(d.segment, 1);  // the curve that ends at anchor 1
    // t is the Bezier parameter: with retracted handles x(t) = 100 (3t² − 2t³).
    EXPECT_NEAR(100 * (3 * d.t * d.t - 2 * d.t * d.t * d.t), 3.5, 1e-3);
    EXPECT_NEAR(d.point.h, 3.5, 1e-4);
    EXPECT_NEAR(d.point.v, 0.0, 1e-4);
}

TEST_F(HitTestTest, CurvesWithinTwoPointsAndTheClosingPiece) {
    AIArtHandle tri = path({{0, 0}, {100, 0}, {100, 100}}, true);
    AIToolHitData d = hitAt({100.0f + 1.9f, 50});
    EXPECT_EQ(d.type, kSegCurveType);
    EXPECT_EQ(d.segment, 2);
    EXPECT_NEAR(d.t, 0.5, 1e-4);
    EXPECT_FALSE(hitAt({100.0f + 2.1f, 50}).hit);
    // The closing piece, from the last anchor back to the first, is segment 0.
    d = hitAt({50, 50.5f});
    EXPECT_EQ(d.type, kSegCurveType);
    EXPECT_EQ(d.segment, 0);
    EXPECT_EQ(d.object, tri);
    // An open path has no closing piece.
    sPath->SetPathClosed(tri, false);
    EXPECT_FALSE(hitAt({50, 50.5f}).hit);
}

TEST_F(HitTestTest, CurvedPieceParameterAndPoint) {
    AIArtHandle arc = nullptr;
    sArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &arc);
    const AIPathSegment segs[2] = {{{0, 0}, {0, 0}, {0, 40}, false}, {{100, 0}, {100, 40}, {100, 0}, false}};
    sPath->SetPathSegments(arc, 0, 2, segs);
    // The top of the arch is at t = 0.5, (50, 30).
    AIToolHitData d = hitAt({50, 31});
    EXPECT_EQ(d.type, kSegCurveType);
    EXPECT_EQ(d.segment, 1);
    EXPECT_NEAR(d.t, 0.5, 1e-3);
    EXPECT_NEAR(d.point.v, 30, 1e-3);
}

TEST_F(HitTestTest, FillsOnlyForTheAllRequestAndOnlyWhenPainted) {
    AIArtHandle square = path({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    EXPECT_FALSE(hitAt({50, 50}).hit);  // the default style has no fill
    fill(square);
    AIToolHitData d = hitAt({50, 50});
    EXPECT_EQ(d.type, kFillHitType);
    EXPECT_EQ(d.object, square);
    EXPECT_FALSE(hitAt({50, 50}, kSnapHitRequest).hit);
    EXPECT_FALSE(hitAt({50, 50}, kSegmentHitRequest).hit);
    EXPECT_FALSE(hitAt({150, 50}).hit);
    // An open filled path fills as if closed.
    sPath->SetPathClosed(square, false);
    EXPECT_EQ(hitAt({50, 50}).type, kFillHitType);
}

TEST_F(HitTestTest, CompoundPathHoleAndMemberHits) {
    AIArtHandle compound = nullptr;
    ASSERT_EQ(sArt->NewArt(kCompoundPathArt, kPlaceAboveAll, nullptr, &compound), kNoErr);
    AIArtHandle outer = nullptr, inner = nullptr;
    sArt->NewArt(kPathArt, kPlaceInsideOnTop, compound, &outer);
    sArt->NewArt(kPathArt, kPlaceInsideOnTop, compound, &inner);
    const AIRealPoint o[4] = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};
    const AIRealPoint i[4] = {{25, 25}, {25, 75}, {75, 75}, {75, 25}};  // the other way round
    AIPathSegment so[4], si[4];
    for (int k = 0; k < 4; ++k) {
        so[k] = {o[k], o[k], o[k], true};
        si[k] = {i[k], i[k], i[k], true};
    }
    sPath->SetPathSegments(outer, 0, 4, so);
    sPath->SetPathSegments(inner, 0, 4, si);
    sPath->SetPathClosed(outer, true);
    sPath->SetPathClosed(inner, true);
    fill(compound);
    EXPECT_EQ(hitAt({10, 50}).type, kFillHitType);
    EXPECT_FALSE(hitAt({50, 50}).hit);  // the hole
    AIToolHitData d = hitAt({25, 50});
    EXPECT_EQ(d.type, kSegCurveType);
    EXPECT_EQ(d.object, inner);
    EXPECT_EQ(d.group, compound);  // a member's container is the compound path
    AIArtHandle group = nullptr;
    EXPECT_EQ(sArt->NewArt(kGroupArt, kPlaceInsideOnTop, compound, &group), kBadParameterErr);
}

TEST_F(HitTestTest, TopmostFirstAndHiddenOrLockedSkipped) {
    AIArtHandle below = path({{0, 0}, {100, 0}});
    AIArtHandle group = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
    AIArtHandle above = nullptr;
    sArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &above);
    const AIPathSegment segs[2] = {{{0, 0}, {0, 0}, {0, 0}, true}, {{0, 100}, {0, 100}, {0, 100}, true}};
    sPath->SetPathSegments(above, 0, 2, segs);
    AIToolHitData d = hitAt({0, 0});
    EXPECT_EQ(d.object, above);
    EXPECT_EQ(d.group, group);
    sArt->SetArtUserAttr(group, kArtHidden, kArtHidden);
    d = hitAt({0, 0});
    EXPECT_EQ(d.object, below);
    AILayerHandle layer = nullptr;
    sArt->GetLayerOfArt(below, &layer);
    AIArtHandle layerGroup = nullptr;
    sArt->GetFirstArtOfLayer(layer, &layerGroup);
    EXPECT_EQ(d.group, layerGroup);  // art directly on a layer: the layer's group
    sArt->SetArtUserAttr(below, kArtLocked, kArtLocked);
    EXPECT_FALSE(hitAt({0, 0}).hit);
    sArt->SetArtUserAttr(below, kArtLocked, 0);
    sLayer->SetLayerEditable(layer, false);
    EXPECT_FALSE(hitAt({0, 0}).hit);
    // A named target is tested whatever its state.
    d = hitAt({0, 0}, kAllHitRequest, above);
    EXPECT_EQ(d.object, above);
    d = hitAt({50, 0}, kAllHitRequest, group);
    EXPECT_FALSE(d.hit);
}

TEST_F(HitTestTest, UnknownRequestsHitNothing) {
    path({{0, 0}, {100, 0}});
    EXPECT_FALSE(hitAt({0, 0}, 77).hit);
    const AIRealPoint p{0, 0};
    EXPECT_EQ(sHit->HitTest(nullptr, &p, 0, nullptr), kBadParameterErr);
    EXPECT_EQ(sHit->HitTest(nullptr, nullptr, 0, nullptr), kBadParameterErr);
}

}  // namespace
