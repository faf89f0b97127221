// Text record lists: retyped texts become custom text, letters and numbers come again from
// their counters (in the list only: reading writes no record), the list is ordered by id,
// mixed formats are reported, the blocks are all given back (also when one cannot be), and
// switching formats rewrites the records within their bounds.
#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "DimensionPartsFixture.h"
#include "IText.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionTextList.h"

namespace {

using Record = live_dimension_text_data;

class TextListTest : public DimensionPartsFixture {
protected:
    void SetUp() override {
        DimensionPartsFixture::SetUp();
        group_ = NewArt(kGroupArt);
    }
    void TearDown() override {
        FreeDimensionTextLinkedList(G().firstDimTextPtr);
        EXPECT_EQ(host_.counters().liveBlocks, 0) << "list blocks left";
        DimensionPartsFixture::TearDown();
    }
    // A text showing `shown` whose stored record is `record`; new texts go below the earlier
    // ones, so the walk meets them in the order made.
    AIArtHandle Text(const char* shown, const Record& record, AIArtHandle in = nullptr) {
        AIArtHandle text = nullptr;
        AIArtHandle parent = in ? in : group_;
        EXPECT_EQ(sAITextFrame->NewPointText(kPlaceInsideOnBottom, parent, kHorizontalTextOrientation, {0, 0}, &text),
                  kNoErr);
        ATE::TextRangeRef ref = nullptr;
        EXPECT_EQ(sAITextFrame->GetATETextRange(text, &ref), kNoErr);
        ATE::ITextRange(ref).InsertAfter(shown);
        EXPECT_EQ(SetDimensionTextData(text, &record), kNoErr);
        return text;
    }
    static Record Rec(int id, const char* dimStr, const char* customStr = "Custom", int alpha = -1, int numeric = -1) {
        Record r{};
        r.id = id;
        r.alpha = alpha;
        r.numeric = numeric;
        std::strcpy(r.dimStr, dimStr);
        std::strcpy(r.customStr, customStr);
        return r;
    }
    AIArtHandle First() {
        AIArtHandle child = nullptr;
        EXPECT_EQ(sAIArt->GetArtFirstChild(group_, &child), kNoErr);
        return child;
    }
    std::vector<Record> List() {
        std::vector<Record> out;
        for (Record* r = G().firstDimTextPtr; r; r = r->next) out.push_back(*r);
        return out;
    }
    Record Stored(AIArtHandle text) {
        Record r{};
        EXPECT_EQ(GetDimensionTextData(text, &r), kNoErr);
        return r;
    }
    AIArtHandle group_ = nullptr;
};

TEST_F(TextListTest, ARetypedTextBecomesCustomTextAndTheFormatIsMixed) {
    // The retyped text met first: the other is still judged against the value format.
    AIArtHandle retyped = Text("SEE NOTE", Rec(1, "12.70"));
    Text("25.40", Rec(0, "25.40"));
    int32_t format = 0;
    ASSERT_EQ(CreateDimensionTextLinkedList(First(), 1, &format, 0), kNoErr);
    const auto list = List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_EQ(list[0].dimensionFormat, 0);
    EXPECT_EQ(list[1].dimensionFormat, 3);
    EXPECT_STREQ(list[1].dimStr, "SEE NOTE");
    EXPECT_STREQ(list[1].customStr, "SEE NOTE");
    EXPECT_EQ(format, -1) << "texts in different formats";
    // Read only: the record stays as it is until a redraw stores the list with new texts.
    EXPECT_STREQ(Stored(retyped).customStr, "Custom");
    EXPECT_STREQ(Stored(retyped).dimStr, "12.70");
}

TEST_F(TextListTest, WithoutPrecedenceLettersAndNumbersComeFromTheirCounters) {
    G().prefs.incrementalDimAlpha = 4;
    G().prefs.style.alphaLabelMenuOption = 1;
    AIArtHandle fresh = Text("whatever", Rec(0, "25.40"));
    AIArtHandle kept = Text("whatever", Rec(1, "25.40", "Custom", 27));
    int32_t format = 1;
    ASSERT_EQ(CreateDimensionTextLinkedList(First(), 0, &format, 0), kNoErr);
    EXPECT_EQ(format, 1);
    auto list = List();  // by id: fresh, kept
    ASSERT_EQ(list.size(), 2u);
    EXPECT_STREQ(list[0].dimStr, "E");
    EXPECT_EQ(list[0].alpha, 4);
    EXPECT_STREQ(list[1].dimStr, "AB") << "a letter already given stays";
    EXPECT_EQ(G().prefs.incrementalDimAlpha, 5);
    EXPECT_STREQ(Stored(fresh).dimStr, "25.40") << "read only";
    EXPECT_STREQ(Stored(kept).dimStr, "25.40");

    FreeDimensionTextLinkedList(G().firstDimTextPtr);
    G().prefs.incrementalDimNumber = 7;
    format = 2;
    ASSERT_EQ(CreateDimensionTextLinkedList(First(), 2, &format, 0), kNoErr);
    list = List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_STREQ(list[0].dimStr, "7");
    EXPECT_STREQ(list[1].dimStr, "8");
    EXPECT_EQ(G().prefs.incrementalDimNumber, 9);

    // Callout text, and a text whose shown text is its custom text.
    FreeDimensionTextLinkedList(G().firstDimTextPtr);
    Record callout = Rec(2, "x");
    std::strcpy(callout.calloutStr, "4X \xD8" "6");
    AIArtHandle c = Text("x", callout);
    Text("Custom", Rec(3, "Custom"));
    format = 4;
    ASSERT_EQ(CreateDimensionTextLinkedList(c, 0, &format, 0), kNoErr);
    list = List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_STREQ(list[0].dimStr, "4X \xD8" "6");
    EXPECT_EQ(format, -1) << "the custom text is format 3";
}

TEST_F(TextListTest, LabelNumbersAdvanceByTheNumberingOption) {
    G().prefs.style.numericLabelMenuOption = 1;  // even
    G().prefs.incrementalLabelNumber = 7;
    G().prefs.style.NumericLabelsUseLeadingZeros = 1;
    G().prefs.style.NumericLabelsNumberOfLeadingZeros = 1;
    Text("", Rec(0, "?"));
    Text("", Rec(1, "?", "Custom", -1, 42));
    int32_t format = 1;
    ASSERT_EQ(CreateDimensionTextLinkedList(First(), 0, &format, 1), kNoErr);
    const auto list = List();
    ASSERT_EQ(list.size(), 2u);
    EXPECT_STREQ(list[0].dimStr, "008");
    EXPECT_EQ(list[0].numeric, 8);
    EXPECT_STREQ(list[1].dimStr, "042");
    EXPECT_EQ(G().prefs.incrementalLabelNumber, 8);
    // A label's format follows a text whose format differs.
    FreeDimensionTextLinkedList(G().firstDimTextPtr);
    Text("MINE", Rec(2, "x"));
    format = 1;
    ASSERT_EQ(CreateDimensionTextLinkedList(First(), 1, &format, 1), kNoErr);
    EXPECT_EQ(format, 3);
}

TEST_F(TextListTest, OrderedByIdAndAllFreedAtOnce) {
    AIArtHandle inner = NewArt(kGroupArt, group_);
    Text("a", Rec(0, "a"), inner);
    Text("b", Rec(2, "b"), inner);
    Text("c", Rec(1, "c"));
    Text("d", Rec(1, "d"));
    int32_t format = 0;
    ASSERT_EQ(CreateDimensionTextLinkedList(First(), 1, &format, 0), kNoErr);
    std::string order;
    for (const Record& r : List()) order += r.dimStr;
    EXPECT_EQ(order, "acdb");
    EXPECT_EQ(host_.counters().liveBlocks, 4);
    EXPECT_EQ(FreeDimensionTextLinkedList(G().firstDimTextPtr), kNoErr);
    EXPECT_EQ(G().firstDimTextPtr, nullptr);
    EXPECT_EQ(host_.counters().liveBlocks, 0);
}

TEST_F(TextListTest, AFailedReleaseStillEmptiesTheHead) {
    Text("a", Rec(0, "a"));
    Text("b", Rec(1, "b"));
    Text("c", Rec(2, "c"));
    int32_t format = 0;
    ASSERT_EQ(CreateDimensionTextLinkedList(First(), 1, &format, 0), kNoErr);
    static int calls = 0;
    calls = 0;
    AIBlockSuite failing = *sAIBlock;
    static AIBlockSuite* real = sAIBlock;
    real = sAIBlock;
    failing.DisposeBlock = [](void* block) -> AIErr {
        if (++calls == 2) return kOutOfMemoryErr;
        return real->DisposeBlock(block);
    };
    sAIBlock = &failing;
    EXPECT_EQ(FreeDimensionTextLinkedList(G().firstDimTextPtr), kOutOfMemoryErr);
    sAIBlock = real;
    EXPECT_EQ(G().firstDimTextPtr, nullptr) << "never left pointing at released nodes";
    EXPECT_EQ(calls, 3) << "the others are still given back";
    EXPECT_EQ(host_.counters().liveBlocks, 1);
    // The one block the host refused stays the host's; give it back for the leak check.
    host_.mutableCounters().liveBlocks = 0;
}

TEST_F(TextListTest, SwitchingFormatsRewritesTheRecords) {
    AIArtHandle a = Text("25.40", Rec(0, "25.40"));
    AIArtHandle b = Text("12.70", Rec(1, "12.70"));
    G().prefs.incrementalDimAlpha = 10;
    ASSERT_EQ(SetAlphaNumericDimTextData(First(), 1, 10, 0), kNoErr);
    EXPECT_STREQ(Stored(a).dimStr, "K");
    EXPECT_STREQ(Stored(b).dimStr, "L");
    EXPECT_EQ(G().prefs.incrementalDimAlpha, 12);
    ASSERT_EQ(SetAlphaNumericDimTextData(First(), 0, 0, 0), kNoErr);
    EXPECT_STREQ(Stored(a).dimStr, "K ");
    ASSERT_EQ(SetAlphaNumericDimTextData(First(), 0, 0, 0), kNoErr);
    EXPECT_STREQ(Stored(a).dimStr, "K  ") << "one blank every time";
    // Never past the field.
    Record full = Rec(0, "");
    std::memset(full.dimStr, 'x', sizeof full.dimStr - 1);
    AIArtHandle c = Text("", full);
    ASSERT_EQ(SetAlphaNumericDimTextData(c, 0, 0, 0), kNoErr);
    EXPECT_EQ(std::strlen(Stored(c).dimStr), 1023u);
}

}  // namespace
