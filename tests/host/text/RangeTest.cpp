// The text-range wrappers over the host's text suite: building a story by inserting runs
// and moving the start to the end, features with their "assigned" flags, bounded
// contents, focus and selection, fonts and paints, and references that outlive their text.
#include <gtest/gtest.h>

#include <map>

#include "AIATEPaint.h"
#include "AIFont.h"
#include "IText.h"
#include "text/TextEngine.h"

using namespace standin::text;

namespace {

// Stories kept by handle, standing in for the document model.
class MapStore : public StoryStore {
public:
    std::map<AIArtHandle, Story> stories;
    int edits = 0;
    const Story* findStory(AIArtHandle frame) const override {
        auto it = stories.find(frame);
        return it == stories.end() ? nullptr : &it->second;
    }
    AIErr editStory(AIArtHandle frame, const std::function<void(Story&)>& edit) override {
        auto it = stories.find(frame);
        if (it == stories.end()) return kStaleHandleErr;
        ++edits;
        edit(it->second);
        return kNoErr;
    }
};

AIArtHandle handle(int i) { return reinterpret_cast<AIArtHandle>(static_cast<intptr_t>(i) * 64); }

class RangeTest : public ::testing::Test {
protected:
    void SetUp() override {
        sATEText = &TextEngine::ateSuite();
        sAIUnicodeString = &TextEngine::unicodeSuite();
        store.stories[frame] = Story{};
    }
    void TearDown() override {
        EXPECT_EQ(engine.liveReferences(), 0u);  // every wrapper released its reference
        sATEText = nullptr;
        sAIUnicodeString = nullptr;
    }
    ATE::ITextRange whole() {
        return ATE::ITextRange(engine.newRange(frame, 0, storyLength(store.stories[frame])));
    }
    ATE::IFont font(const char* name) {
        AIFontKey key = nullptr;
        ai_int32 n = 0;
        fontSuite.CountFonts(&n);
        for (ai_int32 i = 0; i < n; ++i) {
            char buf[256];
            fontSuite.IndexFontList(i, &key);
            fontSuite.GetUserFontUIName(key, buf, sizeof buf);
            if (std::string(buf) == name) break;
            key = nullptr;
        }
        ATE::FontRef ref = nullptr;
        EXPECT_EQ(fontSuite.FontFromFontKey(key, &ref), kNoErr);
        return ATE::IFont(ref);
    }

    MapStore store;
    TextEngine engine{store};
    AIArtHandle frame = handle(1);
    const AIFontSuite& fontSuite = TextEngine::fontSuite();
};

}  // namespace

TEST_F(RangeTest, InsertingRunsAndMovingStartToEndBuildsTheStory) {
    ATE::ITextRange range = whole();
    ATE::IParaFeatures para = range.GetUniqueParaFeatures();
    ATE::ICharFeatures main = range.GetUniqueCharFeatures();
    ATE::ICharFeatures tol = main.Clone();
    para.SetJustification(ATE::kCenterJustify);
    main.SetFont(font("DejaVu Sans Mono"));
    tol.SetFont(font("DejaVu Sans Mono"));
    main.SetFontSize(10);
    main.SetLeading(12);
    tol.SetFontSize(7);
    tol.SetLeading(12);
    tol.SetBaselineShift(2);
    range.SetLocalParaFeatures(para);
    range.SetLocalCharFeatures(main);

    range.InsertAfter("12.50");
    range.SetStart(range.GetEnd());
    range.InsertAfter(" \xB1" "0.1");
    range.SetLocalCharFeatures(tol);
    range.SetStart(range.GetEnd());
    range.SetLocalCharFeatures(main);  // on the empty range: for the next insertion
    range.InsertAfter("\r317.5");
    range.SetStart(range.GetEnd());
    EXPECT_EQ(range.GetSize(), 0);
    EXPECT_EQ(range.GetStart(), 16);

    const Story& s = store.stories[frame];
    ASSERT_EQ(s.runs.size(), 3u);
    EXPECT_EQ(s.runs[0].text, "12.50");
    EXPECT_EQ(s.runs[1].text, " \xB1" "0.1");
    EXPECT_EQ(s.runs[2].text, "\r317.5");
    EXPECT_EQ(s.runs[0].features.size, 10.0f);
    EXPECT_EQ(s.runs[0].features.font, "DejaVu Sans Mono");
    EXPECT_EQ(s.runs[1].features.size, 7.0f);
    EXPECT_EQ(s.runs[1].features.baselineShift, 2.0f);
    EXPECT_EQ(s.runs[2].features.size, 10.0f);
    EXPECT_EQ(s.runs[2].features.baselineShift, 0.0f);
    EXPECT_EQ(s.para.justification, 2);

    char buf[64];
    EXPECT_EQ(whole().GetContents(buf, sizeof buf), 16);
    EXPECT_STREQ(buf, "12.50 \xB1" "0.1\r317.5");
}

TEST_F(RangeTest, InsertionInheritsThePrecedingCharacter) {
    ATE::ITextRange r = whole();
    ATE::ICharFeatures big;
    big.SetFontSize(20);
    r.SetLocalCharFeatures(big);  // empty story: kept for the first character
    r.InsertAfter("ab");
    ATE::ITextRange tail = whole();
    tail.SetStart(tail.GetEnd());
    tail.InsertAfter("c");
    EXPECT_EQ(store.stories[frame].runs.size(), 1u);
    EXPECT_EQ(store.stories[frame].runs[0].text, "abc");
    EXPECT_EQ(store.stories[frame].runs[0].features.size, 20.0f);
}

TEST_F(RangeTest, UniqueFeaturesTellWhetherAValueIsUniform) {
    ATE::ITextRange r = whole();
    r.InsertAfter("abcd");
    ATE::ITextRange part = whole();
    part.SetStart(2);
    ATE::ICharFeatures f;
    f.SetFontSize(30);
    f.SetTracking(50);
    part.SetLocalCharFeatures(f);
    EXPECT_EQ(store.stories[frame].runs.size(), 2u);

    bool assigned = true;
    const ATE::ICharFeatures all = whole().GetUniqueCharFeatures();
    all.GetFontSize(&assigned);
    EXPECT_FALSE(assigned);
    all.GetTracking(&assigned);
    EXPECT_FALSE(assigned);
    EXPECT_EQ(all.GetLeading(&assigned), CharFeatures{}.leading);
    EXPECT_TRUE(assigned);
    EXPECT_EQ(all.GetFont(&assigned).IsNull(), false);
    EXPECT_TRUE(assigned);
    EXPECT_EQ(all.GetLineDashArray(&assigned).size(), 0u);
    EXPECT_TRUE(assigned);

    const ATE::ICharFeatures tail = part.GetUniqueCharFeatures();
    EXPECT_EQ(tail.GetFontSize(&assigned), 30.0f);
    EXPECT_TRUE(assigned);
    EXPECT_EQ(tail.GetTracking(), 50);

    // A fresh set has nothing assigned, and setting only the size leaves the rest alone.
    ATE::ICharFeatures fresh;
    fresh.GetFontSize(&assigned);
    EXPECT_FALSE(assigned);
    fresh.SetFontSize(5);
    whole().SetLocalCharFeatures(fresh);
    EXPECT_EQ(store.stories[frame].runs.size(), 2u);  // tracking still differs
    EXPECT_EQ(store.stories[frame].runs[1].features.size, 5.0f);

    const ATE::IParaFeatures p = whole().GetUniqueParaFeatures();
    EXPECT_EQ(p.GetJustification(&assigned), ATE::kLeftJustify);
    EXPECT_TRUE(assigned);
    EXPECT_EQ(p.GetDesiredWordSpacing(), 1.0f);
    EXPECT_EQ(whole().GetStory().GetKern(whole()), 0);
}

TEST_F(RangeTest, PaintStrokeAndDashFeatures) {
    AIColor red{};
    red.kind = kThreeColor;
    red.c.rgb = {1.0f, 0.0f, 0.0f};
    ATE::ApplicationPaintRef paintRef = nullptr;
    ASSERT_EQ(TextEngine::paintSuite().CreateATEApplicationPaint(&red, &paintRef), kNoErr);
    const ATE::IApplicationPaint paint(paintRef);
    ATE::ICharFeatures f;
    f.SetFill(true);
    f.SetFillColor(paint);
    f.SetStroke(true);
    f.SetLineWidth(0.5f);
    f.SetLineCap(kAIRoundCap);
    f.SetLineJoin(kAIBevelJoin);
    f.SetLineDashArray({3.0f, 1.0f});
    ATE::ITextRange r = whole();
    r.SetLocalCharFeatures(f);
    r.InsertAfter("x");
    const CharFeatures& c = store.stories[frame].runs[0].features;
    EXPECT_TRUE(sameColor(c.fillColor, red));
    EXPECT_TRUE(c.stroke);
    EXPECT_EQ(c.lineCap, kAIRoundCap);
    EXPECT_EQ(c.lineJoin, kAIBevelJoin);
    EXPECT_EQ(c.lineDashArray, (std::vector<AIReal>{3.0f, 1.0f}));
    const ATE::ICharFeatures back = whole().GetUniqueCharFeatures();
    EXPECT_EQ(back.GetFillColor().GetAIColor().c.rgb.red, 1.0f);
    EXPECT_EQ(back.GetLineDashArray(), (std::vector<AIReal>{3.0f, 1.0f}));
    EXPECT_TRUE(back.GetStroke());
    EXPECT_EQ(back.GetLineWidth(), 0.5f);
}

TEST_F(RangeTest, ContentsAreBoundedAndKeepThePairWhole) {
    ATE::ITextRange r = whole();
    r.InsertAfter("1.5\x8E\xDA");
    EXPECT_EQ(r.GetSize(), 4);  // the shaku pair is one character
    char buf[8];
    EXPECT_EQ(whole().GetContents(buf, 6), 5);
    EXPECT_STREQ(buf, "1.5\x8E\xDA");
    EXPECT_EQ(whole().GetContents(buf, 5), 3);  // the pair does not fit: left out
    EXPECT_STREQ(buf, "1.5");
    EXPECT_EQ(whole().GetContents(buf, 1), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_EQ(whole().GetContents(buf, 0), 0);
    EXPECT_EQ(whole().GetContents(nullptr, 8), 0);

    std::string big(2000, 'q');
    ATE::ITextRange end = whole();
    end.SetStart(end.GetEnd());
    end.InsertAfter(big.c_str());
    char record[1024];
    EXPECT_EQ(whole().GetContents(record, sizeof record), 1023);
    EXPECT_EQ(record[1023], '\0');
}

TEST_F(RangeTest, PositionsAreClamped) {
    ATE::ITextRange r = whole();
    r.InsertAfter("abc");
    r.SetEnd(99);
    EXPECT_EQ(r.GetEnd(), 3);
    r.SetStart(-5);
    EXPECT_EQ(r.GetStart(), 0);
    r.SetStart(10);
    EXPECT_EQ(r.GetStart(), 3);
    EXPECT_EQ(r.GetEnd(), 3);
    r.SetEnd(1);
    EXPECT_EQ(r.GetStart(), 1);
}

TEST_F(RangeTest, FocusAndSelection) {
    store.stories[handle(2)] = Story{};
    whole().InsertAfter("first");
    const ATE::ITextRange r = whole();
    ATE::IStory story = r.GetStory();
    ATE::IStories stories = story.GetStories();
    EXPECT_FALSE(stories.HasFocus());
    stories.SetFocus(story);
    EXPECT_EQ(engine.focusStory(), frame);
    EXPECT_TRUE(stories.GetFocus() == story);
    r.Select(true);
    ATE::ITextRange other(engine.newRange(handle(2), 0, 0));
    other.Select(true);
    ASSERT_EQ(engine.textSelection().size(), 2u);
    EXPECT_EQ(engine.textSelection()[0].frame, frame);
    EXPECT_EQ(engine.textSelection()[0].end, 5);
    other.Select(false);
    EXPECT_EQ(engine.textSelection().size(), 1u);
    EXPECT_FALSE(other.GetStory() == story);
    stories.LoseFocus();
    EXPECT_EQ(engine.focusStory(), nullptr);
    EXPECT_EQ(story.GetTextRange().GetSize(), 5);
}

TEST_F(RangeTest, DeletedTextLeavesStaleReferencesNotCrashes) {
    ATE::ITextRange r = whole();
    r.InsertAfter("gone");
    ATE::IStory story = r.GetStory();
    ATE::IStories stories = story.GetStories();
    stories.SetFocus(story);
    store.stories.erase(frame);
    EXPECT_EQ(r.GetSize(), 0);
    r.InsertAfter("more");
    char buf[8] = "x";
    EXPECT_EQ(r.GetContents(buf, sizeof buf), 0);
    EXPECT_STREQ(buf, "");
    EXPECT_TRUE(r.GetStory().IsNull());
    EXPECT_TRUE(r.GetUniqueCharFeatures().IsNull());
    EXPECT_TRUE(stories.GetFocus().IsNull());  // the focus went with the text
    EXPECT_TRUE(story.GetTextRange().IsNull());

    const ATETextSuite& ate = TextEngine::ateSuite();
    ai_int32 v = 0;
    EXPECT_EQ(ate.Range_GetStart(r.GetRef(), &v), kStaleHandleErr);
    EXPECT_EQ(ate.Range_GetStart(nullptr, &v), kBadParameterErr);
    EXPECT_EQ(ate.Release(reinterpret_cast<void*>(0x12345)), kStaleHandleErr);
    // A reference of the wrong kind is refused.
    EXPECT_EQ(ate.Range_GetStart(reinterpret_cast<ATE::TextRangeRef>(story.GetRef()), &v), kStaleHandleErr);
    ai_int32 wrongField = 0;
    ATE::ICharFeatures f;
    EXPECT_EQ(ate.CharFeatures_SetReal(f.GetRef(), ATE::kCharTracking, 1.0f), kBadParameterErr);
    EXPECT_EQ(ate.CharFeatures_SetInt(f.GetRef(), ATE::kCharLineCap, 7), kBadParameterErr);
    EXPECT_EQ(ate.CharFeatures_GetInt(f.GetRef(), 999, &wrongField, nullptr), kBadParameterErr);
}

TEST_F(RangeTest, CopiesShareOneCountedReference) {
    whole().InsertAfter("abc");
    ATE::ITextRange a = whole();
    const size_t live = engine.liveReferences();
    {
        ATE::ITextRange b = a;  // same range, one more reference
        EXPECT_EQ(engine.liveReferences(), live);
        b.SetStart(2);
        EXPECT_EQ(a.GetStart(), 2);
        ATE::ITextRange c = a.Clone();  // a new range
        EXPECT_EQ(engine.liveReferences(), live + 1);
        c.SetStart(0);
        EXPECT_EQ(a.GetStart(), 2);
    }
    EXPECT_EQ(engine.liveReferences(), live);
}

TEST_F(RangeTest, FontsAreCountedNamedWithinTheBufferAndFoundAgainByKey) {
    ai_int32 count = 0;
    ASSERT_EQ(fontSuite.CountFonts(&count), kNoErr);
    EXPECT_EQ(count, engine.fonts().count());
    AIFontKey key = nullptr;
    EXPECT_EQ(fontSuite.IndexFontList(count, &key), kOutOfRangeErr);
    EXPECT_EQ(fontSuite.IndexFontList(-1, &key), kOutOfRangeErr);

    char name[256];
    for (ai_int32 script : {kRomanAIScript, kNativeAIScript}) {
        ASSERT_EQ(fontSuite.GetDefaultFont(script, &key), kNoErr);
        ASSERT_EQ(fontSuite.GetUserFontUIName(key, name, sizeof name), kNoErr);
        EXPECT_STREQ(name, "DejaVu Sans");
    }
    EXPECT_EQ(fontSuite.GetDefaultFont(7, &key), kBadParameterErr);

    char small[7];
    ASSERT_EQ(fontSuite.GetDefaultFont(kRomanAIScript, &key), kNoErr);
    EXPECT_EQ(fontSuite.GetUserFontUIName(key, small, sizeof small), kNoErr);
    EXPECT_STREQ(small, "DejaVu");

    ATE::FontRef ate = nullptr;
    AIFontKey back = nullptr;
    ASSERT_EQ(fontSuite.FontFromFontKey(key, &ate), kNoErr);
    ASSERT_EQ(fontSuite.FontKeyFromFont(ate, &back), kNoErr);
    EXPECT_EQ(back, key);
    EXPECT_EQ(fontSuite.GetUserFontUIName(reinterpret_cast<AIFontKey>(0x7777), name, sizeof name), kStaleHandleErr);
    EXPECT_STREQ(name, "");
    EXPECT_EQ(fontSuite.FontFromFontKey(nullptr, &ate), kBadParameterErr);

    // A feature set's font reads back by name.
    ATE::ICharFeatures f;
    f.SetFont(font("DejaVu Serif Bold"));
    AIFontKey k = nullptr;
    ASSERT_EQ(fontSuite.FontKeyFromFont(f.GetFont().GetRef(), &k), kNoErr);
    ASSERT_EQ(fontSuite.GetUserFontUIName(k, name, sizeof name), kNoErr);
    EXPECT_STREQ(name, "DejaVu Serif Bold");
}
