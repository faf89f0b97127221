// Text frames in the stand-in host, through the suites a plug-in uses: new point text,
// building its story through a range, transforms of its matrix, outlines placed above the
// text, bounds that agree with the outline, undo of text edits, and bad handles.
#include <gtest/gtest.h>

#include <cmath>

#include "AIArt.h"
#include "AIFont.h"
#include "AITextFrame.h"
#include "AITransformArt.h"
#include "Host.h"
#include "IText.h"

namespace {

class TextFrameTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc = &host.newDocument();
        acquire(kAIArtSuite, kAIArtSuiteVersion, &art);
        acquire(kAITextFrameSuite, kAITextFrameSuiteVersion, &frames);
        acquire(kAITransformArtSuite, kAITransformArtSuiteVersion, &transform);
        acquire(kATETextSuite, kATETextSuiteVersion, &sATEText);
        acquire(kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion, &sAIUnicodeString);
    }
    void TearDown() override {
        for (const auto& [name, version] : acquired) host.basicSuite()->ReleaseSuite(name, version);
        sATEText = nullptr;
        sAIUnicodeString = nullptr;
        EXPECT_EQ(host.suites().outstanding(), 0);
    }
    template <typename T>
    void acquire(const char* name, int32_t version, T** suite) {
        ASSERT_EQ(host.basicSuite()->AcquireSuite(name, version, reinterpret_cast<const void**>(suite)), kNoErr) << name;
        acquired.emplace_back(name, version);
    }
    // A point text at (0,0), on top of the current layer, holding `text` at 10 pt.
    AIArtHandle makeText(const char* text, AIRealPoint anchor = {0, 0}) {
        AIArtHandle t = nullptr;
        EXPECT_EQ(frames->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, anchor, &t), kNoErr);
        ATE::TextRangeRef ref = nullptr;
        EXPECT_EQ(frames->GetATETextRange(t, &ref), kNoErr);
        ATE::ITextRange range(ref);
        ATE::ICharFeatures f;
        f.SetFontSize(10);
        f.SetLeading(12);
        range.SetLocalCharFeatures(f);
        range.InsertAfter(text);
        return t;
    }
    std::string contents(AIArtHandle t) {
        ATE::TextRangeRef ref = nullptr;
        if (frames->GetATETextRange(t, &ref) != kNoErr) return "<error>";
        char buf[1024];
        ATE::ITextRange(ref).GetContents(buf, sizeof buf);
        return buf;
    }
    AIRealRect bounds(AIArtHandle a, const AIRealMatrix* m = nullptr) {
        AIRealRect r{};
        if (m)
            EXPECT_EQ(art->GetArtTransformBounds(a, m, kNoStrokeBounds, &r), kNoErr);
        else
            EXPECT_EQ(art->GetArtBounds(a, &r), kNoErr);
        return r;
    }
    static void expectSameRect(const AIRealRect& a, const AIRealRect& b) {
        EXPECT_NEAR(a.left, b.left, 1e-3);
        EXPECT_NEAR(a.top, b.top, 1e-3);
        EXPECT_NEAR(a.right, b.right, 1e-3);
        EXPECT_NEAR(a.bottom, b.bottom, 1e-3);
    }

    standin::Host host;
    standin::Document* doc = nullptr;
    const AIArtSuite* art = nullptr;
    const AITextFrameSuite* frames = nullptr;
    const AITransformArtSuite* transform = nullptr;
    std::vector<std::pair<const char*, int32_t>> acquired;
};

AIRealMatrix rotateThenMove(double degrees, AIReal tx, AIReal ty) {
    const double r = degrees * M_PI / 180.0;
    const auto c = static_cast<AIReal>(std::cos(r)), s = static_cast<AIReal>(std::sin(r));
    return {c, s, -s, c, tx, ty};
}

}  // namespace

TEST_F(TextFrameTest, NewPointTextHoldsItsStory) {
    AIArtHandle t = makeText("25.4\r\xB1" "0.1", {5, 6});
    int16_t type = 0;
    ASSERT_EQ(art->GetArtType(t, &type), kNoErr);
    EXPECT_EQ(type, kTextFrameArt);
    EXPECT_EQ(contents(t), "25.4\r\xB1" "0.1");
    AIRealMatrix m{};
    ASSERT_EQ(frames->GetTextFrameMatrix(t, &m), kNoErr);
    EXPECT_EQ(m.tx, 5.0f);
    EXPECT_EQ(m.ty, 6.0f);
    EXPECT_EQ(m.a, 1.0f);
}

TEST_F(TextFrameTest, OutlineIsAGroupAboveTheTextThatKeepsTheTextAndItsBounds) {
    AIArtHandle group = nullptr;
    ASSERT_EQ(art->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
    AIArtHandle t = nullptr;
    ASSERT_EQ(frames->NewPointText(kPlaceInsideOnTop, group, kHorizontalTextOrientation, {0, 0}, &t), kNoErr);
    {
        ATE::TextRangeRef ref = nullptr;
        ASSERT_EQ(frames->GetATETextRange(t, &ref), kNoErr);
        ATE::ITextRange(ref).InsertAfter("Room 4.20");
    }
    const AIRealMatrix place = rotateThenMove(30, 100, 50);
    ASSERT_EQ(transform->TransformArt(t, &place, 1.0f, kTransformObjects | kTransformChildren), kNoErr);

    AIArtHandle outline = nullptr;
    ASSERT_EQ(frames->CreateOutline(t, &outline), kNoErr);
    EXPECT_TRUE(art->ValidArt(t, false));
    AIArtHandle parent = nullptr, below = nullptr;
    ASSERT_EQ(art->GetArtParent(outline, &parent), kNoErr);
    EXPECT_EQ(parent, group);
    ASSERT_EQ(art->GetArtSibling(outline, &below), kNoErr);
    EXPECT_EQ(below, t);  // directly above the text

    // One path, or one compound path, per inked glyph (the blank has none).
    int glyphs = 0;
    AIArtHandle child = nullptr;
    art->GetArtFirstChild(outline, &child);
    for (; child; art->GetArtSibling(child, &child)) {
        int16_t type = 0;
        art->GetArtType(child, &type);
        EXPECT_TRUE(type == kPathArt || type == kCompoundPathArt);
        ++glyphs;
    }
    EXPECT_EQ(glyphs, 8);

    expectSameRect(bounds(t), bounds(outline));
    const AIRealMatrix view = rotateThenMove(-70, -3, 8);
    expectSameRect(bounds(t, &view), bounds(outline, &view));
    // Turned by 30 degrees, the text rises by half its length.
    const AIRealRect r = bounds(t);
    EXPECT_GT(r.top - r.bottom, 20.0f);
}

TEST_F(TextFrameTest, TransformsMoveTheFrameMatrix) {
    AIArtHandle t = makeText("12");
    const AIRealMatrix place = rotateThenMove(90, 10, 20);
    ASSERT_EQ(transform->TransformArt(t, &place, 1.0f, kTransformObjects | kTransformChildren), kNoErr);
    AIRealMatrix m{};
    ASSERT_EQ(frames->GetTextFrameMatrix(t, &m), kNoErr);
    EXPECT_NEAR(m.a, 0.0f, 1e-6);
    EXPECT_NEAR(m.b, 1.0f, 1e-6);
    EXPECT_EQ(m.tx, 10.0f);
    EXPECT_EQ(m.ty, 20.0f);
    // Upright text reads along +v after a quarter turn: taller than wide.
    const AIRealRect r = bounds(t);
    EXPECT_GT(r.top - r.bottom, r.right - r.left);
    EXPECT_LE(r.right, 10.0f);
}

TEST_F(TextFrameTest, EmptyTextMeasuresAsItsAnchorAndOutlinesToAnEmptyGroup) {
    AIArtHandle t = nullptr;
    ASSERT_EQ(frames->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {3, 4}, &t), kNoErr);
    const AIRealRect r = bounds(t);
    EXPECT_EQ(r.left, 3.0f);
    EXPECT_EQ(r.top, 4.0f);
    AIArtHandle outline = nullptr, child = nullptr;
    ASSERT_EQ(frames->CreateOutline(t, &outline), kNoErr);
    EXPECT_EQ(art->GetArtFirstChild(outline, &child), kNoErr);
    EXPECT_EQ(child, nullptr);
}

TEST_F(TextFrameTest, UndoRestoresTheStory) {
    host.beginMessage();
    AIArtHandle t = makeText("first");
    host.endMessage();
    host.beginMessage();
    {
        ATE::TextRangeRef ref = nullptr;
        ASSERT_EQ(frames->GetATETextRange(t, &ref), kNoErr);
        ATE::ITextRange range(ref);
        range.SetStart(range.GetEnd());
        range.InsertAfter(" second");
    }
    host.endMessage();
    EXPECT_EQ(contents(t), "first second");
    ASSERT_TRUE(host.userUndo());
    EXPECT_EQ(contents(t), "first");
    ASSERT_TRUE(host.userUndo());
    EXPECT_FALSE(art->ValidArt(t, false));
    EXPECT_EQ(contents(t), "<error>");
}

TEST_F(TextFrameTest, BadHandlesAndRefusedCreation) {
    AIArtHandle t = nullptr;
    EXPECT_EQ(frames->NewPointText(kPlaceAboveAll, nullptr, kVerticalTextOrientation, {0, 0}, &t), kBadParameterErr);
    EXPECT_EQ(t, nullptr);
    AIArtHandle path = nullptr;
    ASSERT_EQ(art->NewArt(kPathArt, kPlaceAboveAll, nullptr, &path), kNoErr);
    ATE::TextRangeRef ref = nullptr;
    EXPECT_EQ(frames->GetATETextRange(path, &ref), kWrongTypeErr);
    EXPECT_EQ(frames->GetATETextRange(nullptr, &ref), kBadParameterErr);
    AIArtHandle text = makeText("x");
    ASSERT_EQ(frames->GetATETextRange(text, &ref), kNoErr);
    ATE::ITextRange range(ref);
    ASSERT_EQ(art->DisposeArt(text), kNoErr);
    AIRealMatrix m{};
    EXPECT_EQ(frames->GetTextFrameMatrix(text, &m), kStaleHandleErr);
    AIArtHandle outline = nullptr;
    EXPECT_EQ(frames->CreateOutline(text, &outline), kStaleHandleErr);
    range.InsertAfter("ignored");
    EXPECT_EQ(range.GetSize(), 0);

    ASSERT_EQ(doc->setLayerEditable("Layer 1", false), kNoErr);
    EXPECT_EQ(frames->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {0, 0}, &t), kLockedErr);
}
