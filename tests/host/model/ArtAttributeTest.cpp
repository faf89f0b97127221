// What the art suite reports and does for the plug-in's walks: a layer's group reads locked
// and hidden as its layer is, fully selecting selects every anchor, and a compound path
// moves whole under a transform that does not enter groups.
#include "HostFixture.h"

namespace {

struct ArtAttributeTest : HostTest {
    void SetUp() override {
        HostTest::SetUp();
        host.beginMessage();
    }
    void TearDown() override {
        host.endMessage();
        HostTest::TearDown();
    }
    uint32_t Attr(AIArtHandle art) {
        uint32_t attr = 0;
        EXPECT_EQ(sArt->GetArtUserAttr(art, kArtSelected | kArtLocked | kArtHidden | kArtFullySelected, &attr), kNoErr);
        return attr;
    }
};

TEST_F(ArtAttributeTest, ALayersGroupCarriesTheLayersLockAndVisibility) {
    AILayerHandle layer = nullptr;
    ASSERT_EQ(sLayer->GetCurrentLayer(&layer), kNoErr);
    AIArtHandle group = nullptr;
    ASSERT_EQ(sArt->GetFirstArtOfLayer(layer, &group), kNoErr);
    const AIArtHandle member = path({{0, 0}, {10, 10}});
    EXPECT_EQ(Attr(group) & (kArtLocked | kArtHidden), 0u);
    ASSERT_EQ(sLayer->SetLayerEditable(layer, false), kNoErr);
    EXPECT_EQ(Attr(group) & (kArtLocked | kArtHidden), uint32_t{kArtLocked});
    ASSERT_EQ(sLayer->SetLayerVisible(layer, false), kNoErr);
    EXPECT_EQ(Attr(group) & (kArtLocked | kArtHidden), uint32_t{kArtLocked | kArtHidden});
    EXPECT_EQ(Attr(member) & (kArtLocked | kArtHidden), 0u) << "members keep their own attributes";
}

TEST_F(ArtAttributeTest, FullySelectingSelectsEveryAnchor) {
    const AIArtHandle a = path({{0, 0}, {10, 10}, {20, 0}});
    ASSERT_EQ(sArt->SetArtUserAttr(a, kArtFullySelected, kArtFullySelected), kNoErr);
    EXPECT_EQ(Attr(a) & (kArtSelected | kArtFullySelected), uint32_t{kArtSelected | kArtFullySelected});
    for (int16_t i = 0; i < 3; ++i) {
        int16_t state = 0;
        ASSERT_EQ(sPath->GetPathSegmentSelected(a, i, &state), kNoErr);
        EXPECT_NE(state, kSegmentNotSelected) << i;
    }
}

TEST_F(ArtAttributeTest, ACompoundPathMovesWhole) {
    const AIArtHandle outer = path({{0, 0}, {100, 0}, {100, 100}}, true), inner = path({{20, 20}, {40, 20}, {40, 40}}, true);
    AIArtHandle compound = nullptr;
    ASSERT_EQ(sArt->NewArt(kCompoundPathArt, kPlaceAboveAll, nullptr, &compound), kNoErr);
    ASSERT_EQ(sArt->ReorderArt(outer, kPlaceInsideOnBottom, compound), kNoErr);
    ASSERT_EQ(sArt->ReorderArt(inner, kPlaceInsideOnBottom, compound), kNoErr);
    const AIRealMatrix move{1, 0, 0, 1, 5, 7};
    ASSERT_EQ(sTransform->TransformArt(compound, &move, 1, kTransformObjects), kNoErr);
    AIPathSegment s{};
    ASSERT_EQ(sPath->GetPathSegments(inner, 0, 1, &s), kNoErr);
    EXPECT_EQ(s.p.h, 25);
    EXPECT_EQ(s.p.v, 27);
    // A group is not entered without kTransformChildren.
    AIArtHandle group = nullptr;
    ASSERT_EQ(sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
    const AIArtHandle member = path({{1, 1}, {2, 2}});
    ASSERT_EQ(sArt->ReorderArt(member, kPlaceInsideOnBottom, group), kNoErr);
    ASSERT_EQ(sTransform->TransformArt(group, &move, 1, kTransformObjects), kNoErr);
    ASSERT_EQ(sPath->GetPathSegments(member, 0, 1, &s), kNoErr);
    EXPECT_EQ(s.p.h, 1);
}

}  // namespace
