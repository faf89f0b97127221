// Dimension texts on the stand-in text engine: the runs and their features (superscript
// tolerances, leading), reference brackets, justification and placement, the text record,
// the custom-text selection timer, and the faults: a text that cannot be made or placed.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <string>

#include "DimensionPartsFixture.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionText.h"
#include "text/Layout.h"
#include "text/TextHost.h"

namespace {

using standin::text::CharFeatures;

// Characters of a story with the features each one has.
struct Glyph {
    char byte;
    CharFeatures f;
};

class DimensionTextTest : public DimensionPartsFixture {
protected:
    void SetUp() override {
        DimensionPartsFixture::SetUp();
        auto& s = G().prefs.style;
        CopyCString(s.dimensionTextFaceStr, "DejaVu Sans");
        s.dimensionTextSize = 10.0f;
        s.dimensionColorType = kThreeColor;
        s.dimensionColorComponent1 = 65535;
        s.textSpacing = 50;
        group_ = NewArt(kGroupArt);
    }
    // The one text of the group.
    const standin::Art* Text() {
        for (const standin::Art* a : Members(group_))
            if (a->type == kTextFrameArt) return a;
        return nullptr;
    }
    std::string Contents() {
        const standin::Art* t = Text();
        return t ? readback::StoryText(*t) : std::string();
    }
    std::vector<Glyph> Glyphs() {
        std::vector<Glyph> out;
        if (const standin::Art* t = Text())
            for (const auto& run : t->story.runs)
                for (char c : run.text) out.push_back({c, run.features});
        return out;
    }
    AIErr Draw(const char* text, live_dimension_text_data* record = nullptr, AILineStyle alignment = 0,
               AIReal angle = 0, AIRealPoint at = {200, 300}) {
        return doText(text, at, alignment, angle, group_, record);
    }
    live_dimension_text_data Record() {
        live_dimension_text_data r{};
        const standin::Art* t = Text();
        EXPECT_NE(t, nullptr);
        if (t) {
            EXPECT_EQ(GetDimensionTextData(standin::toHandle<AIArtHandle>(t->id), &r), kNoErr);
        }
        return r;
    }
    bool HasRecord() {
        const standin::Art* t = Text();
        return t && !StoredKeys(standin::toHandle<AIArtHandle>(t->id), {"PW4_DimText"}).empty();
    }
    AIArtHandle group_ = nullptr;
};

TEST_F(DimensionTextTest, SplitKeepsTheBlankBeforeTheSign) {
    const DimensionTextRuns r = SplitDimensionText("25.40 mm \xB1" "0.05\r1\" \xB1" "1/64 \xB1x");
    EXPECT_EQ(r.upperValue, "25.40 mm ");
    EXPECT_EQ(r.upperTolerance, "\xB1" "0.05");
    EXPECT_EQ(r.lowerValue, "\r1\" ");
    EXPECT_EQ(r.lowerTolerance, "\xB1" "1/64 \xB1x") << "from the first sign of the line";
    const DimensionTextRuns one = SplitDimensionText("A");
    EXPECT_EQ(one.upperValue, "A");
    EXPECT_TRUE(one.lowerValue.empty() && one.upperTolerance.empty() && one.lowerTolerance.empty());
    const std::string huge(600, 'x');
    EXPECT_EQ(SplitDimensionText(huge.c_str()).upperValue.size(), 255u);
}

TEST_F(DimensionTextTest, SuperscriptToleranceAndLeading) {
    G().prefs.style.upperToleranceSuperscript = 1;
    ASSERT_EQ(Draw("25.40 mm \xB1" "0.05\r1\" \xB1" "0.002"), kNoErr);
    EXPECT_EQ(Contents(), "25.40 mm \xB1" "0.05\r1\" \xB1" "0.002");
    const std::vector<Glyph> glyphs = Glyphs();
    const std::string text = Contents();
    const size_t sign = text.find('\xB1'), cr = text.find('\r');
    for (size_t i = 0; i < glyphs.size(); ++i) {
        const CharFeatures& f = glyphs[i].f;
        const bool upperTolerance = i >= sign && i < cr;
        EXPECT_EQ(f.size, upperTolerance ? 7.0f : 10.0f) << i;
        EXPECT_EQ(f.baselineShift, upperTolerance ? 2.0f : 0.0f) << i;
        EXPECT_EQ(f.leading, 12.0f) << i;
        EXPECT_EQ(f.font, "DejaVu Sans");
        EXPECT_TRUE(f.fill);
        EXPECT_FALSE(f.stroke);
        EXPECT_EQ(f.fillColor.kind, kThreeColor);
        EXPECT_EQ(f.fillColor.c.rgb.red, 1.0f);
    }
}

TEST_F(DimensionTextTest, ReferenceBrackets) {
    auto& s = G().prefs.style;
    s.upperRefDimension = 1;
    ASSERT_EQ(Draw("25.40"), kNoErr);
    EXPECT_EQ(Contents(), "(25.40)");
    EXPECT_STREQ(Record().dimStr, "(25.40)");
    sAIArt->DisposeArt(standin::toHandle<AIArtHandle>(Text()->id));

    s.upperToleranceSuperscript = 1;
    ASSERT_EQ(Draw("25.40 mm \xB1" "0.05\r1\""), kNoErr);
    EXPECT_EQ(Contents(), "(25.40 mm \xB1" "0.05)\r1\"");
    const std::vector<Glyph> glyphs = Glyphs();
    const size_t close = Contents().find(')');
    EXPECT_EQ(glyphs[close].f.size, 10.0f) << "the closing bracket is in the main features";
    EXPECT_EQ(glyphs[close].f.baselineShift, 0.0f);
    sAIArt->DisposeArt(standin::toHandle<AIArtHandle>(Text()->id));

    s.upperRefDimension = 0;
    s.lowerRefDimension = 1;
    ASSERT_EQ(Draw("25.40\r1.000"), kNoErr);
    EXPECT_EQ(Contents(), "25.40\r(1.000)");
    sAIArt->DisposeArt(standin::toHandle<AIArtHandle>(Text()->id));
    ASSERT_EQ(Draw("25.40\r1.000 \xB1" "0.1"), kNoErr);
    EXPECT_EQ(Contents(), "25.40\r(1.000 \xB1" "0.1)");
    sAIArt->DisposeArt(standin::toHandle<AIArtHandle>(Text()->id));
    ASSERT_EQ(Draw("25.40"), kNoErr);
    EXPECT_EQ(Contents(), "25.40") << "no lower line, no brackets";
}

TEST_F(DimensionTextTest, JustificationAndPlacement) {
    const int16_t expected[] = {0, 0, 2, 1, 3, 6, 0};  // text engine codes for alignments 0-6
    for (int16_t alignment = 0; alignment <= 6; ++alignment) {
        ASSERT_EQ(Draw("88", nullptr, alignment, 0.5f, {40, 50}), kNoErr);
        const standin::Art* t = Text();
        ASSERT_NE(t, nullptr);
        EXPECT_EQ(t->story.para.justification, expected[alignment]) << alignment;
        EXPECT_NEAR(t->story.matrix.a, std::cos(0.5f), 1e-6);
        EXPECT_NEAR(t->story.matrix.b, std::sin(0.5f), 1e-6);
        EXPECT_NEAR(t->story.matrix.tx, 40, 1e-5);
        EXPECT_NEAR(t->story.matrix.ty, 50, 1e-5);
        sAIArt->DisposeArt(standin::toHandle<AIArtHandle>(t->id));
    }
    // Right-justified text ends at its anchor.
    ASSERT_EQ(Draw("88", nullptr, 3, 0, {40, 50}), kNoErr);
    AIRealRect b{};
    ASSERT_EQ(sAIArt->GetArtBounds(standin::toHandle<AIArtHandle>(Text()->id), &b), kNoErr);
    EXPECT_NEAR(b.right, 40, 1.0);
    EXPECT_LT(b.left, 35);
}

TEST_F(DimensionTextTest, RecordsOfTheText) {
    live_dimension_text_data given{};
    given.id = 2;
    given.alpha = 5;
    given.numeric = -1;
    CopyCString(given.customStr, "KEEP");
    G().prefs.style.upperRefDimension = 1;
    ASSERT_EQ(Draw("B", &given), kNoErr);
    EXPECT_STREQ(given.dimStr, "(B)");
    live_dimension_text_data stored = Record();
    EXPECT_EQ(stored.id, 2);
    EXPECT_EQ(stored.alpha, 5);
    EXPECT_STREQ(stored.customStr, "KEEP");
    EXPECT_STREQ(stored.dimStr, "(B)");
    sAIArt->DisposeArt(standin::toHandle<AIArtHandle>(Text()->id));

    CopyCString(G().prefs.customDimDefaultText, "Type here");
    ASSERT_EQ(Draw("25.40"), kNoErr);
    stored = Record();
    EXPECT_EQ(stored.id, 0);
    EXPECT_EQ(stored.alpha, -1);
    EXPECT_EQ(stored.numeric, -1);
    EXPECT_STREQ(stored.customStr, "Type here");
    EXPECT_STREQ(stored.calloutStr, "");
    EXPECT_STREQ(stored.dimStr, "(25.40)");
}

TEST_F(DimensionTextTest, AFailedPlacementAttachesNoRecord) {
    AITransformArtSuite failing = *sAITransformArt;
    failing.TransformArt = [](AIArtHandle, const AIRealMatrix*, AIReal, int32_t) -> AIErr { return kLockedErr; };
    AITransformArtSuite* saved = sAITransformArt;
    sAITransformArt = &failing;
    EXPECT_EQ(Draw("25.40"), kLockedErr);
    sAITransformArt = saved;
    ASSERT_NE(Text(), nullptr) << "the unplaced text stays in the group";
    EXPECT_FALSE(HasRecord());
}

TEST_F(DimensionTextTest, ATextThatCannotBeMadeStopsWithItsError) {
    AITextFrameSuite failing = *sAITextFrame;
    failing.NewPointText = [](ai_int16, AIArtHandle, ai_int16, AIRealPoint, AIArtHandle* made) -> AIErr {
        *made = reinterpret_cast<AIArtHandle>(uintptr_t{0xdead});  // garbage must not be used
        return kLockedErr;
    };
    AITextFrameSuite* saved = sAITextFrame;
    sAITextFrame = &failing;
    G().prefs.style.dimensionFormat = 3;
    EXPECT_EQ(Draw("25.40"), kLockedErr);
    sAITextFrame = saved;
    EXPECT_EQ(Text(), nullptr);
    EXPECT_EQ(G().dimTextArt, nullptr) << "nothing to select";
}

// Records the timer the text asked to start.
struct TimerSpy {
    static inline AITimerHandle activated = nullptr;
    AITimerSuite suite{};
    AITimerSuite* saved = sAITimer;
    TimerSpy() {
        activated = nullptr;
        suite = *sAITimer;
        suite.SetTimerActive = [](AITimerHandle t, ASBoolean on) -> AIErr {
            if (on) activated = t;
            return kNoErr;
        };
        sAITimer = &suite;
    }
    ~TimerSpy() { sAITimer = saved; }
};

TEST_F(DimensionTextTest, CustomTextIsSelectedAfterTheEventOutsideRegeneration) {
    TimerSpy spy;
    auto* timer = reinterpret_cast<AITimerHandle>(uintptr_t{77});
    G().selectTextTimer = timer;
    struct Case {
        int labelTool, dimensionFormat, labelFormat, customOption, updating, resizing;
        bool selects;
    };
    const Case cases[] = {
        {0, 3, 0, 0, 0, 0, true},  {0, 0, 3, 1, 0, 0, false}, {0, 3, 0, 0, 1, 0, false},
        {0, 3, 0, 0, 0, 1, false}, {1, 3, 0, 1, 0, 0, false}, {1, 0, 3, 1, 0, 0, true},
        {1, 0, 3, 0, 0, 0, false}, {1, 0, 3, 1, 1, 0, false},
    };
    for (const Case& c : cases) {
        TimerSpy::activated = nullptr;
        G().dimTextArt = nullptr;
        G().labelToolSelected = c.labelTool;
        G().prefs.style.dimensionFormat = c.dimensionFormat;
        G().prefs.style.labelFormat = c.labelFormat;
        G().prefs.style.customLabelMenuOption = c.customOption;
        G().updatingDimensions = c.updating;
        G().resizingDimension = c.resizing;
        ASSERT_EQ(Draw("Custom"), kNoErr);
        EXPECT_EQ(TimerSpy::activated != nullptr, c.selects);
        EXPECT_EQ(G().dimTextArt != nullptr, c.selects);
        if (c.selects) {
            EXPECT_EQ(TimerSpy::activated, timer);
            EXPECT_EQ(G().dimTextArt, standin::toHandle<AIArtHandle>(Text()->id));
        }
        sAIArt->DisposeArt(standin::toHandle<AIArtHandle>(Text()->id));
    }
}

}  // namespace
