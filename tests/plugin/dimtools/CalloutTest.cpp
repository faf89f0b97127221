// Callouts: the colour texts and the description of art written out by hand from the
// callout's wording (sections, items, carriage returns, the "%k" marks as plain text), a
// gradient read through a host suite of the test's own, every text cut at its buffer; and
// the callout's leader, shelf and side for each leader kind and key.
#include <cmath>
#include <cstring>

#include "CalloutToolRegistration.h"
#include "IText.h"
#include "LabelFixture.h"
#include "dimensions/ClickChain.h"
#include "dimtools/CalloutDescription.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LeaderLines.h"

namespace dimtest {
namespace {

struct CalloutTest : LabelTest {
    void SetUp() override {
        LabelTest::SetUp();
        ASSERT_EQ(RegisterCalloutTool(*session), kNoErr);  // start-up offers none
    }
    AIColor Gray(AIReal v) { return {kGrayColor, {.g = {v}}}; }
    AIColor Cmyk(AIReal c, AIReal m, AIReal y, AIReal k) { return {kFourColor, {.f = {c, m, y, k}}}; }
    AIColor Rgb(AIReal r, AIReal g, AIReal b) { return {kThreeColor, {.rgb = {r, g, b}}}; }
    AIColor Custom(const char* name, const AICustomColor& definition, AIReal tint) {
        AICustomColorHandle h = nullptr;
        EXPECT_EQ(session->hostEvent([&] {
            return sAICustomColor->NewCustomColor(&definition, ai::UnicodeString(name), &h);
        }), kNoErr);
        return {kCustomColor, {.c = {h, tint}}};
    }
    std::string ColorText(const AIColor& color, int isBullet = 0, size_t size = 512) {
        std::vector<char> text(size + 1, '#');
        EXPECT_EQ(session->hostEvent([&] { return GetColorStrFromAIColor(color, text.data(), size, isBullet); }),
                  kNoErr);
        EXPECT_EQ(text[size], '#') << "written past the buffer";
        return text.data();
    }
    void Paint(ObjId art, const AIPathStyle& style) {
        ASSERT_EQ(session->hostEvent([&] { return sAIPathStyle->SetPathStyle(Art(art), &style); }), kNoErr);
    }
    // The description of the art under p, by the flags; the routine's result.
    AIErr Describe(AIRealPoint p, const Callout_Data& flags) {
        g->curCalloutSettings = flags;
        g->firstClick = p;
        g->firstClickArt = nullptr;
        return session->hostEvent([] { return GetCalloutTargetData(); });
    }
};

// A gradient of the test's own, read stop by stop: black to white, or n stops of black.
struct TestGradient {
    static inline int16_t stops = 2;
    static AIErr Type(AIGradientHandle, int16_t* type) { return *type = kLinearGradient, kNoErr; }
    static AIErr Count(AIGradientHandle, int16_t* count) { return *count = stops, kNoErr; }
    static AIErr Stop(AIGradientHandle, int16_t n, AIGradientStop* stop) {
        const AIReal black = stops == 2 && n == 1 ? 0.0f : 1.0f;
        *stop = {50, 0, {kFourColor, {.f = {0, 0, 0, black}}}};
        return kNoErr;
    }
};

TEST_F(CalloutTest, ColourTexts) {
    const AIColor orange = Custom("Orange", {kCustomFourColor, {.f = {0, 1, 0, 0}}}, 1);
    const AIColor orangeHalf = Custom("Orange half", {kCustomFourColor, {.f = {0, 1, 0, 0}}}, 0.5f);
    const AIColor orangeNone = Custom("Orange none", {kCustomFourColor, {.f = {0, 1, 0, 0}}}, 0);
    const AIColor sky = Custom("Sky", {kCustomThreeColor, {.rgb = {0.2f, 0.5f, 1}}}, 1);
    const AIColor paper = Custom("Paper", {kCustomFourColor, {.f = {0, 0, 0, 0}}}, 1);
    const struct {
        AIColor color;
        int isBullet;
        const char* text;
    } rows[] = {
        {Gray(0.5f), 0, "50k"},
        {Gray(0), 0, "white"},
        {Cmyk(0, 0, 0, 1), 0, "100%k"},
        {Cmyk(0.5f, 0, 0.25f, 1), 0, "50%c 25%y 100%k"},
        {Cmyk(0, 0, 0, 0), 0, "white"},
        {Rgb(1, 0.2f, 0), 0, "100%r 20%g "},
        {Rgb(0, 0, 0), 0, "black - rgb"},
        {orange, 0, "Orange 100% ( 100m )"},
        // The definition as the swatch holds it whatever the tint; none of it is no division.
        {orangeHalf, 0, "Orange half 50% ( 100m )"},
        {orangeNone, 0, "Orange none 0% ( 100m )"},
        {orange, 1, "Orange ( 100m )"},
        {sky, 0, "Sky 100% ( 20r 50g 100b )"},
        {paper, 0, "Paper 100% ( white)"},
        {{kNoneColor, {}}, 0, ""},
    };
    for (const auto& row : rows) EXPECT_EQ(ColorText(row.color, row.isBullet), row.text);
}

TEST_F(CalloutTest, AGradientNamesItsStopsAndEveryTextIsCutAtItsBuffer) {
    SwappedSuite<AIGradientSuite> gradients(sAIGradient);
    gradients->GetGradientType = &TestGradient::Type;
    gradients->GetGradientStopCount = &TestGradient::Count;
    gradients->GetNthGradientStop = &TestGradient::Stop;
    AIColor ramp{kGradient, {}};
    ramp.c.b.gradient = reinterpret_cast<AIGradientHandle>(1);
    TestGradient::stops = 2;
    EXPECT_EQ(ColorText(ramp), "linear 100%k to\rwhite");
    // 200 stops: far more than the 512 characters, cut there, terminated.
    TestGradient::stops = 200;
    EXPECT_EQ(ColorText(ramp).size(), 511u);
    EXPECT_EQ(ColorText(ramp, 0, 10), "linear 10");
    // A custom colour's long name is cut too.
    const AIColor named = Custom(std::string(300, 'N').c_str(), {kCustomFourColor, {.f = {0, 1, 0, 0}}}, 1);
    EXPECT_EQ(ColorText(named, 1, 40), std::string(39, 'N'));
}

TEST_F(CalloutTest, APathIsDescribedBySection) {
    const ObjId part = Rect(100, 100, 100, 60);
    AIPathStyle style{};
    style.fillPaint = style.strokePaint = true;
    style.fill.color = Cmyk(0, 0, 0, 1);
    style.stroke.color = Gray(0.5f);
    style.stroke.width = 2;
    style.stroke.cap = kAIRoundCap;
    style.stroke.join = kAIBevelJoin;
    style.stroke.miterLimit = 4;
    style.stroke.overprint = true;
    Paint(part, style);
    using C = Callout_Data;
    auto flags = [](std::initializer_list<int32_t C::*> on) {
        C f{};
        for (auto field : on) f.*field = 1;
        return f;
    };
    const struct {
        Callout_Data flags;
        const char* text;
    } rows[] = {
        {{}, ""},
        {flags({&C::fill_color}), "Fill color -100%k"},
        {flags({&C::stroke_weight, &C::stroke_color}), "Stroke - Weight: 2.0 Color: 50k"},
        {flags({&C::stroke_cap, &C::stroke_join, &C::stroke_miterlimit}),
         "Stroke - Cap: Round Join: Bevel Miter Limit: Yes"},
        {flags({&C::attr_url}), "Attributes - Overprint fill: false Overprint stroke: true"},
        // Text items ask for nothing of a path; a style the host does not keep names nothing.
        {flags({&C::text_size, &C::para_alignment, &C::style_name}), ""},
        {flags({&C::stroke_color, &C::fill_color, &C::attr_imagemap}),
         "Stroke - Color: 50k\rFill color -100%k\rAttributes - Overprint fill: false Overprint stroke: true"},
    };
    for (const auto& row : rows) {
        ASSERT_EQ(Describe({150, 100}, row.flags), kNoErr);
        EXPECT_EQ(std::string(g->calloutText), row.text);
    }
    // Nothing under the click: the alert, 'AWNH' and the text as it was.
    EXPECT_EQ(Describe({400, 400}, flags({&C::fill_color})), kArtWithNoHandlesErr);
    EXPECT_EQ(std::string(g->calloutText), "Stroke - Color: 50k\rFill color -100%k\rAttributes - Overprint fill: false "
                                           "Overprint stroke: true");
    EXPECT_EQ(Alerts().size(), 1u);
}

TEST_F(CalloutTest, ATextIsDescribedByWhatIsTheSameOverAllOfIt) {
    AIArtHandle note = nullptr;
    ASSERT_EQ(session->hostEvent([&] {
        AIErr err = sAITextFrame->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {100, 100}, &note);
        ATE::TextRangeRef range = nullptr;
        if (!err) err = sAITextFrame->GetATETextRange(note, &range);
        if (!err) ATE::ITextRange(range).InsertAfter("NOTE", 4);
        return err;
    }), kNoErr);
    standin::Art* text = doc->editArt(standin::fromHandle(note));
    ASSERT_NE(text, nullptr);
    standin::text::CharFeatures& f = text->story.runs.at(0).features;
    f.size = 12;
    f.tracking = 50;
    f.stroke = true;
    f.lineWidth = 0.5f;
    f.lineCap = kAIRoundCap;
    text->story.para.justification = 2;
    text->story.para.startIndent = 6;
    using C = Callout_Data;
    Callout_Data all{};
    for (auto field : {&C::text_font, &C::text_size, &C::text_kerning, &C::text_tracking, &C::para_alignment,
                       &C::para_leftindent, &C::stroke_weight, &C::stroke_cap, &C::stroke_miterlimit,
                       &C::fill_color, &C::attr_overprintfill})
        all.*field = 1;
    ASSERT_EQ(Describe({105, 103}, all), kNoErr);
    EXPECT_EQ(std::string(g->calloutText),
              " Text - Font: DejaVu Sans Size: 12.0 Kerning: 0 Tracking: 50\rParagraph - Alignment: center Left "
              "Indent: 6.0 Weight: 0.5 Cap: Round Miter Limit: 4.0");
    // A second run of another size: no size, the rest still written.
    standin::text::TextRun more = text->story.runs.at(0);
    more.text = "S";
    more.features.size = 9;
    text->story.runs.push_back(more);
    ASSERT_EQ(Describe({105, 103}, {.text_size = 1, .text_kerning = 1, .text_tracking = 1}), kNoErr);
    EXPECT_EQ(std::string(g->calloutText), " Text - Kerning: 0 Tracking: 50");
}

TEST_F(CalloutTest, TheShelfAndTheTextSideByLeaderKindAndKey) {
    // Pressed on the part's corner (200, 200) and dragged up and right, or straight up; the
    // shelf 20 long. Option takes the flags as they stand (the fill colour), without dialog.
    const ObjId part = Rect(100, 100, 100, 100);
    AIPathStyle style{};
    style.fillPaint = true;
    style.fill.color = Gray(0.25f);
    style.stroke.miterLimit = 4;
    Paint(part, style);
    g->curCalloutSettings.fill_color = 1;
    constexpr uint32_t kOption = aiEventModifiers_Option, kCtrl = aiEventModifiers_Command,
                       kShift = aiEventModifiers_Shift;
    const struct {
        int32_t kind;
        AIRealPoint to;
        uint32_t keys;
        AIRealPoint knee, end;  // the leg's end and where the text attaches
        int side;
    } rows[] = {
        {kElbowLeader, {260, 240}, 0, {260, 240}, {280, 240}, 1},
        {kElbowLeader, {260, 240}, kCtrl, {260, 240}, {240, 240}, -1},
        {kElbowLeader, {200, 260}, 0, {200, 260}, {180, 260}, -1},  // straight up counts as left
        {kArcLeader, {260, 240}, kCtrl, {260, 240}, {260, 240}, 1},  // arcs and kinks keep their side
        {kKinkedLeader, {260, 240}, 0, {260, 240}, {260, 240}, 1},
        {kStraightLeader, {260, 240}, kCtrl, {260, 240}, {260, 240}, -1},
        {kWaveLeader, {260, 240}, 0, {200, 200}, {280, 240}, 1},  // one curve from the press to the shelf's end
        // Shift: 30 degrees snapped to 45, the length (100) kept.
        {kElbowLeader, {286.6025f, 250}, kShift, {270.7107f, 270.7107f}, {290.7107f, 270.7107f}, 1},
    };
    for (const auto& row : rows) {
        g->prefs.style.labelLeader = row.kind;
        ASSERT_EQ(PressAndDrag("Callout", {200, 200}, row.to, row.keys | kOption), kNoErr) << row.kind;
        const ObjId callout = Dimensions().back();
        EXPECT_EQ(Text(callout), "Fill color -25k") << row.kind;
        bool kneeFound = false, endFound = false;
        for (const standin::Art* path : Paths(callout))
            for (const AIPathSegment& s : path->segments) {
                kneeFound |= std::hypot(s.p.h - row.knee.h, s.p.v - row.knee.v) < 1e-3;
                endFound |= std::hypot(s.p.h - row.end.h, s.p.v - row.end.v) < 1e-3;
            }
        EXPECT_TRUE(kneeFound && endFound) << row.kind << " " << row.keys;
        const AIRealRect box = Bounds(FirstText(callout)->id);
        if (row.side > 0) {
            EXPECT_GE(box.left, row.end.h) << row.kind << " " << row.keys;
        } else {
            EXPECT_LE(box.right, row.end.h) << row.kind << " " << row.keys;
        }
        // Out of the next press's way.
        ASSERT_EQ(session->hostEvent([&] { return sAIArt->DisposeArt(Art(callout)); }), kNoErr);
    }
    // No shelf length: the text at the leg's end for every kind.
    g->prefs.style.labelLeaderLength = 0;
    g->prefs.style.labelLeader = kElbowLeader;
    ASSERT_EQ(PressAndDrag("Callout", {200, 200}, {260, 240}, kOption), kNoErr);
    EXPECT_GE(Bounds(FirstText(Dimensions().back())->id).left, 260);
}

}  // namespace
}  // namespace dimtest
