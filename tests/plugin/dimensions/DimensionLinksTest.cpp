// Keeping the links between dimensions and measured art in step: orphaned links go (and
// "ZA3_Object" with the last of them), links of hidden and static dimensions stay, any
// number of orphans on one art go, nothing goes when the dimensions cannot all be listed;
// a paste gives copies ids of their own, strips links the paste broke and makes orphaned
// pasted dimensions plain art.
#include <string>
#include <vector>

#include "LiveDimensionFixture.h"

namespace livetest {
namespace {

using LinksTest = LiveDimensionFixture;

std::vector<int32_t> LinkIds(AIArtHandle art) {
    std::vector<int32_t> ids;
    ForEachDimensionLink(art, [&](const char*, int32_t id) -> AIErr {
        ids.push_back(id);
        return kNoErr;
    });
    return ids;
}

TEST_F(LinksTest, CleanupRemovesOnlyTheLinksOfDimensionsThatAreGone) {
    AIArtHandle shared = Path({{0, 0}, {100, 0}});
    AIArtHandle lonely = Path({{0, 50}, {100, 50}});
    Dimension(1);
    AIArtHandle hidden = Dimension(2);
    ASSERT_EQ(sAIArt->SetArtUserAttr(hidden, kArtHidden, kArtHidden), kNoErr);
    g->prefs.style.live = 0;
    Dimension(3);  // static, but it exists
    for (int32_t id : {1, 2, 3, 4}) Anchor(shared, id, 1, kIncline, 0);
    Anchor(lonely, 4, 1, kIncline, 0);
    Anchor(lonely, 4, 2, kIncline, 1);

    ASSERT_EQ(CleanupAssociativeDimensions(), kNoErr);
    EXPECT_EQ(LinkIds(shared), (std::vector<int32_t>{1, 2, 3}));
    EXPECT_FALSE(IsDimensionedObject(lonely));  // its only dimension is gone
}

TEST_F(LinksTest, AnyNumberOfOrphansOnOneArtGo) {
    AIArtHandle art = Path({{0, 0}, {100, 0}});
    Dimension(1000);
    for (int32_t id = 1; id <= 300; ++id) Anchor(art, id, 1, kIncline, 0);
    Anchor(art, 1000, 1, kIncline, 0);
    ASSERT_EQ(CleanupAssociativeDimensions(), kNoErr);
    EXPECT_EQ(LinkIds(art), std::vector<int32_t>{1000});
}

TEST_F(LinksTest, NothingIsRemovedWhenTheDimensionsCannotAllBeListed) {
    AIArtHandle art = Path({{0, 0}, {100, 0}});
    Dimension(1);
    Anchor(art, 1, 1, kIncline, 0);
    Anchor(art, 2, 1, kIncline, 0);
    AIMatchingArtSuite* real = sAIMatchingArt;
    AIMatchingArtSuite failing = *real;
    failing.GetMatchingArt = [](const AIMatchingArtSpec*, int16_t, AIMdMemoryHandle*, int32_t*) -> AIErr {
        return kOutOfMemoryErr;
    };
    sAIMatchingArt = &failing;
    EXPECT_EQ(CleanupAssociativeDimensions(), kOutOfMemoryErr);
    sAIMatchingArt = real;
    EXPECT_EQ(LinkIds(art), (std::vector<int32_t>{1, 2}));
}

TEST_F(LinksTest, DeleteDimObjectDictionaryClearsArtAndItsChildrenOnly) {
    AIArtHandle group = NewArt(kGroupArt);
    AIArtHandle inner = NewArt(kGroupArt, group);
    AIArtHandle child = NewArt(kPathArt, group);
    AIArtHandle grandchild = NewArt(kPathArt, inner);
    for (AIArtHandle a : {group, inner, child, grandchild}) Anchor(a, 1, 1, kIncline, 0);
    ASSERT_EQ(DeleteDimObjectDictionary(group), kNoErr);
    EXPECT_FALSE(IsDimensionedObject(group));
    EXPECT_FALSE(IsDimensionedObject(inner));
    EXPECT_FALSE(IsDimensionedObject(child));
    EXPECT_TRUE(IsDimensionedObject(grandchild));
}

struct PasteTest : LiveDimensionFixture {
    // Copies the art and pastes it; the pasted copies come back selected.
    std::vector<AIArtHandle> CopyAndPaste(const std::vector<AIArtHandle>& arts) {
        doc_->selectNone();
        for (AIArtHandle a : arts) EXPECT_EQ(doc_->select(standin::fromHandle(a)), kNoErr);
        EXPECT_EQ(host_.copySelection(), kNoErr);
        std::vector<standin::ObjId> pasted;
        EXPECT_EQ(host_.paste(&pasted), kNoErr);
        std::vector<AIArtHandle> out;
        for (standin::ObjId id : pasted) out.push_back(standin::toHandle<AIArtHandle>(id));
        return out;
    }
    static AIArtHandle FirstDimension(const std::vector<AIArtHandle>& arts) {
        for (AIArtHandle a : arts)
            if (IsDimension(a)) return a;
        return nullptr;
    }
    static AIArtHandle FirstMeasured(const std::vector<AIArtHandle>& arts) {
        for (AIArtHandle a : arts)
            if (IsDimensionedObject(a)) return a;
        return nullptr;
    }
};

TEST_F(PasteTest, ADimensionPastedWithItsArtGetsAnIdOfItsOwnOnBothSides) {
    AIArtHandle art = Path({{0, 0}, {100, 0}});
    AIArtHandle dimension = Dimension(4);
    Dimension(9);  // the highest id in the document
    Anchor(art, 4, 1, kIncline, 0);
    Anchor(art, 4, 2, kIncline, 1);
    Drag(art, 4, kIncline, 20, 1);
    const auto pasted = CopyAndPaste({art, dimension});
    ASSERT_EQ(DoAfterPaste(), kNoErr);
    AIArtHandle copy = FirstDimension(pasted);
    AIArtHandle copiedArt = FirstMeasured(pasted);
    ASSERT_NE(copy, nullptr);
    ASSERT_NE(copiedArt, nullptr);
    EXPECT_EQ(GetDimensionID(copy), 11);  // the highest plus two
    EXPECT_EQ(g->prefs.style.id, 11);
    EXPECT_EQ(LinkIds(copiedArt), std::vector<int32_t>{11});
    EXPECT_EQ(StoredKeys(copiedArt, {"ZA3_Object"}), std::vector<std::string>{"ZA3_Obj_data_11"});
    size_t clicks = 0;
    ForEachDimensionedObjectData(copiedArt, [&](const Plotwise3_dimensioned_object_data& c) -> AIErr {
        EXPECT_EQ(c.id, 11);
        ++clicks;
        return kNoErr;
    });
    EXPECT_EQ(clicks, 3u);
    // The sources keep theirs, and the copy regenerates on its own.
    EXPECT_EQ(GetDimensionID(dimension), 4);
    EXPECT_EQ(LinkIds(art), std::vector<int32_t>{4});
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(PasteTest, ArtPastedAloneLosesTheLinkAndADimensionAloneStopsBeingLive) {
    AIArtHandle art = Path({{0, 0}, {100, 0}});
    AIArtHandle dimension = Dimension(4);
    Anchor(art, 4, 1, kIncline, 0);
    auto pasted = CopyAndPaste({art});
    ASSERT_EQ(DoAfterPaste(), kNoErr);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_FALSE(IsDimensionedObject(pasted[0]));
    EXPECT_TRUE(IsDimensionedObject(art));

    pasted = CopyAndPaste({dimension});
    ASSERT_EQ(DoAfterPaste(), kNoErr);
    ASSERT_EQ(pasted.size(), 1u);
    EXPECT_FALSE(IsDimension(pasted[0]));
    EXPECT_TRUE(IsDimension(dimension));
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0], "A dimension pasted without its measured object no longer follows the dimension attributes.");
}

TEST_F(PasteTest, APasteWithoutDimensionDataChangesNothing) {
    AIArtHandle art = Path({{0, 0}, {100, 0}});
    Dimension(3);
    const auto pasted = CopyAndPaste({art});
    ASSERT_EQ(DoAfterPaste(), kNoErr);
    EXPECT_EQ(g->prefs.style.id, 4);  // the highest plus one
    EXPECT_FALSE(IsDimensionedObject(pasted[0]));
    EXPECT_TRUE(Alerts().empty());
}

}  // namespace
}  // namespace livetest
