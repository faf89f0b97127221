// Measuring a dimension text before it is drawn: the bounds equal the union of the runs
// laid out with the DejaVu metrics (worked out here from a story built by hand), grown by
// half the text spacing; two lines, rotation, brackets left out; and the layer holds the
// same art afterwards, also when the measurement fails half way.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "DimensionPartsFixture.h"
#include "dimensions/DimensionText.h"
#include "text/Layout.h"
#include "text/TextHost.h"

namespace {

using standin::text::CharFeatures;
using standin::text::Story;
using standin::text::TextRun;

class TextBoundsTest : public DimensionPartsFixture {
protected:
    void SetUp() override {
        DimensionPartsFixture::SetUp();
        auto& s = G().prefs.style;
        CopyCString(s.dimensionTextFaceStr, "DejaVu Sans");
        s.dimensionTextSize = 10.0f;
        s.textSpacing = 50;
        ASSERT_EQ(sAILayer->GetCurrentLayer(&G().saveLayer), kNoErr);
        NewArt(kPathArt);  // the layer's first art is a path: the text goes above it
    }
    static TextRun Run(std::string text, float size, float shift) {
        TextRun r;
        r.text = std::move(text);
        r.features.font = "DejaVu Sans";
        r.features.size = size;
        r.features.leading = 12.0f;
        r.features.baselineShift = shift;
        return r;
    }
    // The exact outline bounds of a story built here, by the host's layout.
    static AIRealRect Expected(const Story& story) {
        return standin::text::storyBounds(story, standin::text::hostTextEngine().fonts());
    }
    AIRealRect Measure(const char* text) {
        AIRealRect r{-1, -1, -1, -1};
        EXPECT_EQ(GetTextArtRect(text, &r), kNoErr);
        return r;
    }
};

void ExpectRect(const AIRealRect& actual, const AIRealRect& expected, float grow) {
    EXPECT_NEAR(actual.left, expected.left - grow, 1e-3);
    EXPECT_NEAR(actual.right, expected.right + grow, 1e-3);
    EXPECT_NEAR(actual.top, expected.top + grow, 1e-3);
    EXPECT_NEAR(actual.bottom, expected.bottom - grow, 1e-3);
}

TEST_F(TextBoundsTest, DualLineWithToleranceIsTheUnionOfItsRunsGrownByHalfTheSpacing) {
    G().prefs.style.upperToleranceSuperscript = 1;
    const size_t artBefore = ArtCount();
    const AIRealRect measured = Measure("25.40 mm \xB1" "0.05\r1\" \xB1" "1/64");
    EXPECT_EQ(ArtCount(), artBefore) << "the layer holds exactly the art it held before";
    Story story;
    story.runs = {Run("25.40 mm ", 10, 0), Run("\xB1" "0.05", 7, 2), Run("\r1\" ", 10, 0), Run("\xB1" "1/64", 10, 0)};
    const AIRealRect union_ = Expected(story);
    ExpectRect(measured, union_, 25.0f);
    // Sanity of the expectation itself: two lines 12 pt apart, the first about 10 pt tall.
    EXPECT_GT(union_.top - union_.bottom, 12.0f + 7.0f);
    EXPECT_LT(union_.top - union_.bottom, 12.0f + 14.0f);
}

TEST_F(TextBoundsTest, SpacingZeroGivesTheOutlineAndLinesAreALeadingApart) {
    G().prefs.style.textSpacing = 0;
    const AIRealRect one = Measure("H");
    const AIRealRect two = Measure("H\rH");
    EXPECT_NEAR(one.top - one.bottom, two.top - two.bottom - 12.0f, 1e-3) << "second line 1.2 x size lower";
    EXPECT_NEAR(two.bottom, one.bottom - 12.0f, 1e-3);
    Story story;
    story.runs = {Run("H", 10, 0)};
    ExpectRect(one, Expected(story), 0.0f);
}

TEST_F(TextBoundsTest, ReferenceBracketsAreNotMeasured) {
    const AIRealRect plain = Measure("25.40");
    G().prefs.style.upperRefDimension = 1;
    const AIRealRect referenced = Measure("25.40");
    EXPECT_EQ(plain.left, referenced.left);
    EXPECT_EQ(plain.right, referenced.right);
}

TEST_F(TextBoundsTest, PlacedBoundsAreRotatedAndMoved) {
    G().prefs.style.textSpacing = 0;
    const AIRealRect unplaced = Measure("25.40");
    const AIRealPoint at{300, 400};
    AIRealRect placed{};
    ASSERT_EQ(GetAbsoluteTextArtRect("25.40", &at, 0, 0.0f, &placed), kNoErr);
    EXPECT_NEAR(placed.left, unplaced.left + 300, 1e-3);
    EXPECT_NEAR(placed.bottom, unplaced.bottom + 400, 1e-3);
    const size_t artBefore = ArtCount();
    AIRealRect turned{};
    ASSERT_EQ(GetAbsoluteTextArtRect("25.40", &at, 0, 1.5707964f, &turned), kNoErr);
    EXPECT_EQ(ArtCount(), artBefore);
    EXPECT_NEAR(turned.right - turned.left, unplaced.top - unplaced.bottom, 1e-3) << "width is the unrotated height";
    EXPECT_NEAR(turned.top - turned.bottom, unplaced.right - unplaced.left, 1e-3);
    // Centred: the text's middle on the anchor.
    AIRealRect centred{};
    ASSERT_EQ(GetAbsoluteTextArtRect("25.40", &at, 2, 0.0f, &centred), kNoErr);
    EXPECT_NEAR((centred.left + centred.right) / 2, 300, 0.5);
}

TEST_F(TextBoundsTest, AFailedMeasurementReportsItsErrorAndLeavesNothing) {
    const size_t artBefore = ArtCount();
    AITextFrameSuite failing = *sAITextFrame;
    failing.CreateOutline = [](AIArtHandle, AIArtHandle* outline) -> AIErr {
        *outline = nullptr;
        return kOutOfMemoryErr;
    };
    AITextFrameSuite* saved = sAITextFrame;
    sAITextFrame = &failing;
    AIRealRect bounds{1, 2, 3, 4};
    EXPECT_EQ(GetTextArtRect("25.40", &bounds), kOutOfMemoryErr) << "the outline's error, not the clean-up's";
    sAITextFrame = saved;
    EXPECT_EQ(bounds.left, 1);
    EXPECT_EQ(bounds.bottom, 4);
    EXPECT_EQ(ArtCount(), artBefore);

    AITransformArtSuite noTransform = *sAITransformArt;
    noTransform.TransformArt = [](AIArtHandle, const AIRealMatrix*, AIReal, int32_t) -> AIErr { return kLockedErr; };
    AITransformArtSuite* savedTransform = sAITransformArt;
    sAITransformArt = &noTransform;
    const AIRealPoint at{10, 10};
    EXPECT_EQ(GetAbsoluteTextArtRect("25.40", &at, 0, 0, &bounds), kLockedErr);
    sAITransformArt = savedTransform;
    EXPECT_EQ(bounds.left, 1);
    EXPECT_EQ(ArtCount(), artBefore);
}

}  // namespace
