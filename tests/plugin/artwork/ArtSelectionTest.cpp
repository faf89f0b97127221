// Selection tests and selections on the stand-in document: axonometric tags, whether
// anything is selected, the text selection of a new text, and selecting a group's leaves.
#include <gtest/gtest.h>

#include "dimensions/DimensionHostFixture.h"
#include "IText.h"
#include "text/TextHost.h"
#include "artwork/ArtSelection.h"

namespace {

struct ArtSelectionTest : DimensionHostFixture {
    bool Selected(AIArtHandle art) {
        const standin::Art* a = doc_->art(standin::fromHandle(art));
        return a && (a->attrs & kArtSelected) != 0;
    }
};

TEST_F(ArtSelectionTest, PerspectiveArtIsKnownByItsTagPrefix) {
    AIArtHandle plain = NewArt(kPathArt);
    AIArtHandle depth = NewArt(kPathArt);
    AIArtHandle almost = NewArt(kPathArt);
    ASSERT_EQ(sAITag->SetTag(plain, "ZMK_Object_Was_Selected", "string", ""), kNoErr);
    ASSERT_EQ(sAITag->SetTag(depth, "Other", "string", ""), kNoErr);
    ASSERT_EQ(sAITag->SetTag(depth, "ZMK_Depth_Tag_17", "string", "x"), kNoErr);
    ASSERT_EQ(sAITag->SetTag(almost, "ZMK_Depth_Ta", "string", ""), kNoErr);
    EXPECT_EQ(IsPerspectiveArt(plain), 0);
    EXPECT_EQ(IsPerspectiveArt(depth), 1);
    EXPECT_EQ(IsPerspectiveArt(almost), 0) << "12 characters are not enough";
    EXPECT_EQ(IsPerspectiveArt(NewArt(kPathArt)), 0);
    // A tag list that cannot be read counts as none.
    AITagSuite failing = *sAITag;
    failing.GetNthTag = [](AIArtHandle, int32_t, const char**) -> AIErr { return kStaleHandleErr; };
    AITagSuite* saved = sAITag;
    sAITag = &failing;
    EXPECT_EQ(IsPerspectiveArt(depth), 0);
    sAITag = saved;
}

TEST_F(ArtSelectionTest, SomeArtIsSelectedAsksTheHost) {
    AIArtHandle a = NewArt(kPathArt);
    EXPECT_EQ(SomeArtIsSelected(), 0);
    ASSERT_EQ(sAIArt->SetArtUserAttr(a, kArtSelected, kArtSelected), kNoErr);
    EXPECT_EQ(SomeArtIsSelected(), 1);
    // A failing query reads as nothing selected (and leaves no handle behind: the fixture
    // checks the memory handles).
    AIMatchingArtSuite failing = *sAIMatchingArt;
    failing.GetMatchingArt = [](const AIMatchingArtSpec*, int16_t, AIMdMemoryHandle*, int32_t*) -> AIErr {
        return kOutOfMemoryErr;
    };
    AIMatchingArtSuite* saved = sAIMatchingArt;
    sAIMatchingArt = &failing;
    EXPECT_EQ(SomeArtIsSelected(), 0);
    sAIMatchingArt = saved;
}

TEST_F(ArtSelectionTest, SelectTextFocusesTheStoryAndSelectsAllOfIt) {
    AIArtHandle text = nullptr;
    ASSERT_EQ(sAITextFrame->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {0, 0}, &text), kNoErr);
    {
        ATE::TextRangeRef ref = nullptr;
        ASSERT_EQ(sAITextFrame->GetATETextRange(text, &ref), kNoErr);
        ATE::ITextRange range(ref);
        range.InsertAfter("Custom");
    }
    EXPECT_EQ(SelectText(text), kNoErr);
    const standin::text::TextEngine& engine = standin::text::hostTextEngine();
    EXPECT_EQ(engine.focusStory(), text);
    ASSERT_EQ(engine.textSelection().size(), 1u);
    EXPECT_EQ(engine.textSelection()[0].frame, text);
    EXPECT_EQ(engine.textSelection()[0].start, 0);
    EXPECT_EQ(engine.textSelection()[0].end, 6);
    // Other art is passed over.
    EXPECT_EQ(SelectText(NewArt(kPathArt)), kNoErr);
    EXPECT_EQ(engine.textSelection().size(), 1u);
}

TEST_F(ArtSelectionTest, CompletelySelectGroupMarksLeavesOnly) {
    AIArtHandle outer = NewArt(kGroupArt);
    AIArtHandle inner = NewArt(kGroupArt, outer);
    AIArtHandle path1 = NewArt(kPathArt, outer);
    AIArtHandle path2 = NewArt(kPathArt, inner);
    AIArtHandle path3 = NewArt(kPathArt, inner);
    AIArtHandle compound = NewArt(kCompoundPathArt, outer);
    AIArtHandle part = NewArt(kPathArt, compound);
    AIArtHandle beside = NewArt(kPathArt);  // a sibling of the group: not reached
    ASSERT_EQ(CompletelySelectGroup(outer, outer), kNoErr);
    for (AIArtHandle leaf : {path1, path2, path3, part}) EXPECT_TRUE(Selected(leaf));
    for (AIArtHandle container : {outer, inner, compound}) EXPECT_FALSE(Selected(container));
    EXPECT_FALSE(Selected(beside));
}

TEST_F(ArtSelectionTest, CompletelySelectGroupStopsAtTheFirstError) {
    AIArtHandle group = NewArt(kGroupArt);
    NewArt(kPathArt, group);
    AIArtSuite failing = *sAIArt;
    failing.SetArtUserAttr = [](AIArtHandle, uint32_t, uint32_t) -> AIErr { return kLockedErr; };
    AIArtSuite* saved = sAIArt;
    sAIArt = &failing;
    EXPECT_EQ(CompletelySelectGroup(group, group), kLockedErr);
    sAIArt = saved;
}

}  // namespace
