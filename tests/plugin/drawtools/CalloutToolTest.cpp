// The callout tool and its Callouts dialog: each check box against the flag the dialog's
// table gives it (written here from that table, in the record's order), Cancel, OK with
// every box off, option without the dialog, presses that describe nothing, the callout
// redrawn with its description after its art moved, and the flags off again after a
// restart. Start-up offers no callout tool: the test registers one.
#include <cstring>

#include "CalloutToolRegistration.h"
#include "DrawToolsFixture.h"
#include "DrawingDifferences.h"
#include "dimtools/CalloutSettings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"
#include "drawtools/CalloutTool.h"
#include "drawtools/DrawToolGlobals.h"

namespace drawtest {
namespace {

// The dialog item of each flag, in the record's order.
constexpr int32_t kItems[] = {4,  5,  6,  7,  8,  9,  10, 11, 12, 14, 15, 16, 17, 18, 19, 20, 22, 23, 24,
                              25, 26, 27, 29, 43, 44, 45, 46, 31, 33, 35, 36, 37, 39, 40, 47, 48, 49};
constexpr size_t kFlagCount = sizeof kItems / sizeof kItems[0];
static_assert(sizeof(Callout_Data) == kFlagCount * sizeof(int32_t));

struct CalloutToolTest : DrawToolsTest {
    standin::ObjId part = 0;

    void SetUp() override {
        DrawToolsTest::SetUp();
        part = Polyline({{100, 100}, {200, 100}, {200, 160}, {100, 160}}, true);
        AIPathStyle style{};
        style.fillPaint = style.strokePaint = true;
        style.fill.color = {kGrayColor, {.g = {0.5f}}};
        style.stroke.color = {kGrayColor, {.g = {1}}};
        style.stroke.width = 1;
        style.stroke.miterLimit = 4;
        ASSERT_EQ(session->hostEvent([&] {
            return sAIPathStyle->SetPathStyle(standin::toHandle<AIArtHandle>(part), &style);
        }), kNoErr);
        ASSERT_EQ(RegisterCalloutTool(*session), kNoErr);
        ASSERT_EQ(session->selectTool("Callout"), kNoErr);
    }
    static std::vector<int32_t> Flags() {
        std::vector<int32_t> flags(kFlagCount);
        std::memcpy(flags.data(), &g->curCalloutSettings, sizeof(Callout_Data));
        return flags;
    }
    std::vector<std::string> Texts() const {
        std::vector<std::string> out;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type == kTextFrameArt) out.push_back(readback::StoryText(a));
        });
        return out;
    }
    AIErr Callout(AIRealPoint press, uint32_t keys = 0) { return Drag(press, {press.h + 80, press.v + 60}, keys); }
};

TEST_F(CalloutToolTest, EachCheckBoxIsItsFlag) {
    g->firstClick = {150, 100};
    for (size_t k = 0; k < kFlagCount; ++k) {
        std::vector<standin::UserAction> actions;
        for (int32_t item : kItems) actions.push_back(Value(item, item == kItems[k] ? 1 : 0));
        actions.push_back(Press(1));
        Answer("Callouts", actions);
        ASSERT_EQ(session->hostEvent([] { return doCalloutsDialog(); }), kNoErr);
        std::vector<int32_t> expected(kFlagCount, 0);
        expected[k] = 1;
        EXPECT_EQ(Flags(), expected) << "item " << kItems[k];
    }
    EXPECT_TRUE(DialogFailures().empty());
}

TEST_F(CalloutToolTest, OKDescribesTheArtAndTheCalloutKeepsItsDescription) {
    const std::string described = "Stroke - Weight: 1.0 Color: 100k\rFill color -50k";
    Answer("Callouts", {Value(22, 1), Value(27, 1), Value(29, 1), Press(1)});
    ASSERT_EQ(Callout({150, 100}), kNoErr);
    EXPECT_EQ(Texts(), std::vector<std::string>{described});
    EXPECT_EQ(GroupCount(), 1u) << "the preview is gone";
    // The part moved: the callout follows it with its own description, whatever the flags
    // say now.
    g->curCalloutSettings = {};
    const AIRealMatrix move{1, 0, 0, 1, 40, 0};
    ASSERT_EQ(session->hostEvent([&] {
        return sAITransformArt->TransformArt(standin::toHandle<AIArtHandle>(part), &move, 1, 0x41);
    }), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(Texts(), std::vector<std::string>{described});
    EXPECT_EQ(GroupCount(), 1u);
    EXPECT_TRUE(DialogFailures().empty());
}

TEST_F(CalloutToolTest, CancelKeepsTheFlagsAndMakesNoCallout) {
    g->curCalloutSettings.fill_color = 1;
    Answer("Callouts", {Value(22, 1), Value(29, 0), Press(2)});
    ASSERT_EQ(Callout({150, 100}), kNoErr);
    EXPECT_EQ(g->curCalloutSettings.stroke_weight, 0);
    EXPECT_EQ(g->curCalloutSettings.fill_color, 1);
    EXPECT_EQ(GroupCount(), 0u);
    EXPECT_TRUE(Texts().empty());
}

TEST_F(CalloutToolTest, OKWithEveryBoxOffStoresNothingAndStillMakesTheCallout) {
    g->curCalloutSettings = {};
    g->curCalloutSettings.stroke_color = g->curCalloutSettings.options_userinput = 1;
    std::vector<standin::UserAction> actions;
    for (int32_t item : kItems) actions.push_back(Value(item, 0));
    actions.push_back(Press(1));
    Answer("Callouts", actions);
    ASSERT_EQ(Callout({150, 100}), kNoErr);
    EXPECT_EQ(Flags(), std::vector<int32_t>(kFlagCount, 0));
    EXPECT_EQ(GroupCount(), 1u);
}

TEST_F(CalloutToolTest, OptionUsesTheFlagsWithoutTheDialog) {
    g->curCalloutSettings.fill_color = 1;
    ASSERT_EQ(Callout({150, 100}, aiEventModifiers_Option), kNoErr);
    EXPECT_EQ(Texts(), std::vector<std::string>{"Fill color -50k"});
    EXPECT_TRUE(DialogFailures().empty()) << "no dialog opened";
}

// Art drawn later with an anchor a point from the callout's free end leaves it where it is.
TEST_F(CalloutToolTest, ArtDrawnBesideItsEndDoesNotMoveItAtAnUpdate) {
    ASSERT_EQ(Callout({150, 100}, aiEventModifiers_Option), kNoErr);
    Polyline({{231, 161}, {260, 200}});
    const auto drawn = drawingdiff::Marks(*doc);
    for (int update = 0; update < 2; ++update) {
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
        EXPECT_EQ(drawingdiff::Differences(drawn, drawingdiff::Marks(*doc)), std::vector<std::string>{});
    }
}

TEST_F(CalloutToolTest, APressOnNothingOrAClickIsRefused) {
    EXPECT_EQ(Callout({400, 400}), kCADErr);
    EXPECT_EQ(session->click({150, 100}), kCADErr);
    EXPECT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(GroupCount(), 0u);
    EXPECT_TRUE(DialogFailures().empty());
}

TEST_F(CalloutToolTest, TheFlagsLastWhileThePluginRunsAndStartOff) {
    Answer("Callouts", {Value(6, 1), Value(43, 1), Value(49, 1), Press(1)});
    ASSERT_EQ(Callout({150, 100}), kNoErr);
    std::vector<int32_t> chosen(kFlagCount, 0);
    chosen[2] = chosen[23] = chosen[36] = 1;  // text size, overprint fill, user input
    ASSERT_EQ(Flags(), chosen);
    ASSERT_EQ(session->restart(), kNoErr) << session->lastError();
    EXPECT_EQ(Flags(), std::vector<int32_t>(kFlagCount, 0));
    EXPECT_EQ(g->calloutstool, nullptr) << "start-up offers no callout tool";
}

}  // namespace
}  // namespace drawtest
