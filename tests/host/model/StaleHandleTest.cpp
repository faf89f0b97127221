// Handles of objects that are gone (disposed, undone, released, or of another
// document) give error codes and never crash; ValidArt says false.
#include "HostFixture.h"

namespace {

using standin::MessageKind;

class StaleHandleTest : public HostTest {
protected:
    // Every art call on `art` must refuse with 'STAL'.
    void expectStale(AIArtHandle art) {
        int16_t type = 0;
        AIArtHandle other = nullptr;
        AIRealRect r{};
        uint32_t attr = 0;
        AIDictionaryRef d = nullptr;
        int16_t count = 0;
        AIPathSegment seg{};
        EXPECT_FALSE(sArt->ValidArt(art, true));
        EXPECT_EQ(sArt->GetArtType(art, &type), kStaleHandleErr);
        EXPECT_EQ(sArt->GetArtParent(art, &other), kStaleHandleErr);
        EXPECT_EQ(sArt->GetArtSibling(art, &other), kStaleHandleErr);
        EXPECT_EQ(sArt->GetArtBounds(art, &r), kStaleHandleErr);
        EXPECT_EQ(sArt->GetArtUserAttr(art, kArtSelected, &attr), kStaleHandleErr);
        EXPECT_EQ(sArt->SetArtUserAttr(art, kArtSelected, kArtSelected), kStaleHandleErr);
        EXPECT_EQ(sArt->GetDictionary(art, &d), kStaleHandleErr);
        EXPECT_EQ(d, nullptr);
        EXPECT_EQ(sArt->DisposeArt(art), kStaleHandleErr);
        EXPECT_EQ(sArt->DuplicateArt(art, kPlaceAboveAll, nullptr, &other), kStaleHandleErr);
        EXPECT_EQ(sArt->NewArt(kPathArt, kPlaceAbove, art, &other), kStaleHandleErr);
        EXPECT_EQ(sPath->GetPathSegmentCount(art, &count), kStaleHandleErr);
        EXPECT_EQ(sPath->SetPathSegments(art, 0, 1, &seg), kStaleHandleErr);
        EXPECT_EQ(sTag->SetTag(art, "t", kTagString, ""), kStaleHandleErr);
        const AIRealMatrix m{1, 0, 0, 1, 5, 5};
        EXPECT_EQ(sTransform->TransformArt(art, &m, 1, kTransformObjects | kTransformChildren), kStaleHandleErr);
        AIHitRef hit = nullptr;
        const AIRealPoint p{0, 0};
        EXPECT_EQ(sHit->HitTest(art, &p, kAllHitRequest, &hit), kStaleHandleErr);
        EXPECT_EQ(host.counters().dictRefs, 0);
        EXPECT_EQ(host.counters().hitRefs, 0);
    }
};

TEST_F(StaleHandleTest, DisposedArtAndItsMembers) {
    AIArtHandle group = nullptr, inner = nullptr;
    ASSERT_EQ(sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
    ASSERT_EQ(sArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &inner), kNoErr);
    ASSERT_EQ(sArt->DisposeArt(group), kNoErr);
    expectStale(group);
    expectStale(inner);
}

TEST_F(StaleHandleTest, ArtCreatedInARevertedDrag) {
    host.beginMessage(MessageKind::MouseDown);
    host.endMessage();
    host.beginMessage(MessageKind::MouseDrag);
    AIArtHandle made = path({{0, 0}, {1, 1}});
    host.endMessage();
    host.beginMessage(MessageKind::MouseDrag);
    sUndo->UndoChanges();
    expectStale(made);
    host.endMessage();
}

TEST_F(StaleHandleTest, DisposedArtComesBackValidAfterUndo) {
    AIArtHandle art = path({{0, 0}, {1, 1}});
    doc->journal().commit();
    host.beginMessage();
    sArt->DisposeArt(art);
    host.endMessage();
    EXPECT_FALSE(sArt->ValidArt(art, false));
    ASSERT_TRUE(host.userUndo());
    EXPECT_TRUE(sArt->ValidArt(art, false));
    int16_t n = 0;
    EXPECT_EQ(sPath->GetPathSegmentCount(art, &n), kNoErr);
    EXPECT_EQ(n, 2);
}

TEST_F(StaleHandleTest, HandlesThatNeverNamedAnything) {
    auto bogus = reinterpret_cast<AIArtHandle>(static_cast<uintptr_t>(0xDEADBEEF));
    expectStale(bogus);
    int16_t type = 0;
    EXPECT_EQ(sArt->GetArtType(nullptr, &type), kBadParameterErr);
    EXPECT_EQ(sLayer->SetCurrentLayer(reinterpret_cast<AILayerHandle>(bogus)), kStaleHandleErr);
    AIToolHitData data{};
    EXPECT_EQ(sHit->GetHitData(reinterpret_cast<AIHitRef>(bogus), &data), kStaleHandleErr);
    EXPECT_EQ(sMd->MdMemoryDisposeHandle(reinterpret_cast<AIMdMemoryHandle>(bogus)), kStaleHandleErr);
    EXPECT_EQ(sMd->MdMemoryDisposeHandle(nullptr), kNoErr);
    int local = 0;
    EXPECT_EQ(sBlock->DisposeBlock(&local), kBadParameterErr);  // not a host block
    // A layer group is not art of any one layer: it cannot be disposed as art.
    AILayerHandle layer = nullptr;
    sLayer->GetCurrentLayer(&layer);
    AIArtHandle layerGroup = nullptr;
    sArt->GetFirstArtOfLayer(layer, &layerGroup);
    EXPECT_EQ(sArt->DisposeArt(layerGroup), kBadParameterErr);
}

TEST_F(StaleHandleTest, ArtOfAnotherDocumentAndNoDocument) {
    AIArtHandle art = path({{0, 0}, {1, 1}});
    standin::Document& second = host.newDocument(100, 100);
    int16_t type = 0;
    EXPECT_EQ(sArt->GetArtType(art, &type), kStaleHandleErr);
    EXPECT_FALSE(sArt->ValidArt(art, false));
    EXPECT_TRUE(sArt->ValidArt(art, true));
    host.closeDocument(second);
    host.closeDocument(*doc);
    EXPECT_EQ(sArt->GetArtType(art, &type), kNoDocumentErr);
    AILayerHandle layer = nullptr;
    EXPECT_EQ(sLayer->GetCurrentLayer(&layer), kNoDocumentErr);
    int32_t views = 5;
    EXPECT_EQ(sView->CountDocumentViews(&views), kNoErr);
    EXPECT_EQ(views, 0);
    AIMdMemoryHandle h = reinterpret_cast<AIMdMemoryHandle>(1);
    int32_t count = 3;
    const AIMatchingArtSpec wanted{kAnyArt, 0, 0};
    EXPECT_EQ(sMatch->GetMatchingArt(&wanted, 1, &h, &count), kNoErr);
    EXPECT_EQ(count, 0);
    EXPECT_EQ(h, nullptr);
}

TEST_F(StaleHandleTest, ReleasedHitsAndBlocksAreCounted) {
    path({{0, 0}, {10, 0}});
    const AIRealPoint p{0, 0};
    AIHitRef hit = nullptr;
    ASSERT_EQ(sHit->HitTest(nullptr, &p, kAllHitRequest, &hit), kNoErr);
    EXPECT_EQ(host.counters().hitRefs, 1);
    EXPECT_EQ(sHit->Release(hit), kNoErr);
    EXPECT_EQ(host.counters().hitRefs, 0);
    EXPECT_EQ(sHit->Release(hit), kStaleHandleErr);
    AIToolHitData data{};
    EXPECT_EQ(sHit->GetHitData(hit, &data), kStaleHandleErr);

    void* a = nullptr;
    void* b = nullptr;
    ASSERT_EQ(sBlock->AllocateBlock(16, &a), kNoErr);
    ASSERT_EQ(sBlock->AllocateBlock(0, &b), kNoErr);
    EXPECT_EQ(host.counters().liveBlocks, 2);
    EXPECT_EQ(sBlock->DisposeBlock(a), kNoErr);
    EXPECT_EQ(sBlock->DisposeBlock(b), kNoErr);
    EXPECT_EQ(host.counters().liveBlocks, 0);
    EXPECT_EQ(sBlock->DisposeBlock(a), kBadParameterErr);
}

}  // namespace
