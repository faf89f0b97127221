// The automatic segment tools as a user works them: one press on a segment and a drag
// dimension the whole segment, closing segments of closed paths and first segments of open
// ones, the direction checks and what silences them, letters, numbers and custom text with
// their counters, the chain of the press given back (no host block left over), the
// axonometric tools, the redraw from the stored anchors, and the made-up presses of
// automatic dimensioning. Values are lengths of the drawn art, worked out by hand.
#include <cmath>
#include <string>
#include <vector>

#include "AIPath.h"
#include "DimensionToolFixture.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimtools/AutoSegmentDimensions.h"

namespace dimtest {
namespace {

// The nodes of the click chain.
int ChainNodes() {
    int n = 0;
    for (const cdDataStruct* node = g->firstChainDimDataPtr; node; node = node->nextPtr) ++n;
    return n;
}

const std::string kArtMustBeClicked = "This tool must be used by clicking on an object.";

struct AutoTest : DimensionToolTest {
    // Presses at `at` and drags to `to`.
    AIErr Auto(const std::string& tool, AIRealPoint at, AIRealPoint to, uint32_t modifiers = 0) {
        return Dimension(tool, {at}, to, modifiers);
    }
    std::string LastText() const {
        const auto dims = Dimensions();
        if (dims.empty()) return "(none)";
        const auto texts = Texts(dims.back());
        return texts.empty() ? "(no text)" : texts[0];
    }
    long Blocks() const { return host.counters().liveBlocks; }
};

TEST_F(AutoTest, APressOnAClosedPathsClosingSegmentMeasuresItWhole) {
    // Anchors: 0 top left, 1 top right, 2 bottom right, 3 bottom left; the left edge closes it.
    const ObjId rect = Rect(100, 100, 144, 72);
    ASSERT_EQ(Auto("Auto Vertical Dimension", {100, 130}, {70, 130}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    EXPECT_EQ(LastText(), "72.00");
    // Both ends stored as anchors of the rectangle (3, then 0), and the drag.
    const auto clicks = Clicks(rect);
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].clickNum, 1);
    EXPECT_EQ(clicks[0].clickType, kLiveDimClickedSegmentPoint);
    EXPECT_EQ(clicks[0].segNumAfter, 3);
    EXPECT_EQ(clicks[1].segNumAfter, 0);
    EXPECT_EQ(clicks[2].clickNum, -1);
    for (const auto& c : clicks) EXPECT_EQ(c.dimType, kVertical);
    // A press on an anchor measures the segment that ends there: the top edge at anchor 1.
    ASSERT_EQ(Auto("Auto Horizontal Dimension", {244, 172}, {170, 200}), kNoErr);
    EXPECT_EQ(LastText(), "144.00");
}

// One press and one drag, released: the segment is dimensioned, also where another
// dimension's witness line lies over it.
TEST_F(AutoTest, OnePressAndOneDragDimensionTheSegment) {
    Polyline({{0, 0}, {100, 0}, {160, 80}});
    // Witness lines across the first segment at h 30 and 70, and across the second at v 20
    // and 60 (h 115 and 145).
    Polyline({{30, 40}, {70, 40}});
    ASSERT_EQ(Dimension("Horizontal Dimension", {{30, 40}, {70, 40}}, {50, -20}), kNoErr);
    Polyline({{180, 20}, {180, 60}});
    ASSERT_EQ(Dimension("Vertical Dimension", {{180, 20}, {180, 60}}, {110, 40}), kNoErr);
    const struct Row {
        const char* tool;
        AIRealPoint press, drag;
        const char* text;
    } rows[] = {
        {"Auto Horizontal Dimension", {50, 0}, {50, -30}, "100.00"},
        {"Auto Vertical Dimension", {130, 40}, {190, 40}, "80.00"},
        {"Auto Aligned Dimension", {130, 40}, {160, 20}, "100.00"},  // a 60-80-100 triangle's side
        {"Auto Horizontal Dimension", {70, 0}, {70, -40}, "100.00"},  // on the witness lines
        {"Auto Aligned Dimension", {30, 0}, {30, -40}, "100.00"},
        {"Auto Vertical Dimension", {145, 60}, {200, 60}, "80.00"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.tool);
        const size_t before = Dimensions().size();
        ASSERT_EQ(session->selectTool(r.tool), kNoErr);
        ASSERT_EQ(session->mouseDown(r.press), kNoErr);
        ASSERT_EQ(session->mouseDrag(r.drag), kNoErr);
        ASSERT_EQ(session->mouseUp(r.drag), kNoErr);
        ASSERT_EQ(Dimensions().size(), before + 1);
        EXPECT_EQ(LastText(), r.text);
    }
}

TEST_F(AutoTest, AnOpenPathsFirstAnchorNamesItsFirstSegment) {
    // There is no segment from the last anchor back to the first: (0,0)-(100,0) is measured,
    // not the 160 from (160,50) to (0,0).
    const ObjId open = Polyline({{0, 0}, {100, 0}, {160, 50}});
    ASSERT_EQ(Auto("Auto Horizontal Dimension", {0, 0}, {50, -30}), kNoErr);
    EXPECT_EQ(LastText(), "100.00");
    const auto clicks = Clicks(open);
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].segNumAfter, 0);
    EXPECT_EQ(clicks[1].segNumAfter, 1);
    // The last segment, pressed on its curve, ends at anchor 2.
    ASSERT_EQ(Auto("Auto Aligned Dimension", {130, 25}, {110, 45}), kNoErr);
    EXPECT_EQ(LastText(), "78.10");  // the hypotenuse of 60 and 50
}

TEST_F(AutoTest, PressesOnNothingOnOneAnchorOrOnADimensionAreRefused) {
    Polyline({{50, 50}});
    for (const AIRealPoint at : {AIRealPoint{50, 50}, AIRealPoint{300, 300}}) {
        g->prefs.displayArtMustBeClickedError = 1;  // the alert's first button turns it off
        const size_t alerts = Alerts().size();
        Auto("Auto Aligned Dimension", at, {at.h + 30, at.v + 30});
        EXPECT_TRUE(Dimensions().empty());
        ASSERT_EQ(Alerts().size(), alerts + 1) << "one alert for the gesture, not one per drag";
        EXPECT_EQ(Alerts().back(), kArtMustBeClicked);
        EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
    }
    // A dimension's own witness line is not measured.
    Polyline({{0, 100}, {100, 100}});
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 100}, {100, 100}}, {50, 140}), kNoErr);
    g->prefs.displayArtMustBeClickedError = 1;
    const size_t alerts = Alerts().size();
    Auto("Auto Vertical Dimension", {0, 120}, {-30, 120});
    EXPECT_EQ(Dimensions().size(), 1u);
    ASSERT_EQ(Alerts().size(), alerts + 1);
    EXPECT_EQ(Alerts().back(), kArtMustBeClicked);
}

TEST_F(AutoTest, TheDirectionChecksAndWhatSilencesThem) {
    Polyline({{0, 0}, {100, 0}});
    Polyline({{200, 0}, {200, 80}});
    Auto("Auto Vertical Dimension", {50, 0}, {50, 30});
    EXPECT_TRUE(Dimensions().empty());
    ASSERT_FALSE(Alerts().empty());
    EXPECT_EQ(Alerts().back(), "This tool cannot be used on a horizontal path.");
    Auto("Auto Horizontal Dimension", {200, 40}, {230, 40});
    EXPECT_TRUE(Dimensions().empty());
    EXPECT_EQ(Alerts().back(), "This tool cannot be used on a vertical path.");
    // Option swaps the direction and skips the check: the level segment measured across.
    const size_t alerts = Alerts().size();
    ASSERT_EQ(Auto("Auto Vertical Dimension", {50, 0}, {50, 30}, aiEventModifiers_Option), kNoErr);
    EXPECT_EQ(Alerts().size(), alerts);
    EXPECT_EQ(LastText(), "100.00");
    EXPECT_EQ(Horizontal(Lines(Dimensions().back()), 30).size(), 2u);
    // Automatic dimensioning is not stopped on flat art.
    g->UsingMagicDims = 1;
    g->curTool = g->autovtool;
    g->firstClick = {50, 0};
    g->didFirstClick = 1;
    ASSERT_EQ(session->hostEvent([] { return PrepAutoDimTools(); }), kNoErr);
    EXPECT_EQ(ChainNodes(), 2);
    EXPECT_EQ(g->initializedAutoTools, 1);
    EXPECT_EQ(Alerts().size(), alerts);
    g->UsingMagicDims = 0;
    EXPECT_EQ(doFreeHitLocs(), kNoErr);
}

TEST_F(AutoTest, LettersNumbersAndCustomText) {
    Polyline({{0, 0}, {60, 80}});
    ChooseDimensionFormat(1);
    g->prefs.incrementalDimAlpha = 0;
    // The counter waits for the finished dimension.
    ASSERT_EQ(session->selectTool("Auto Aligned Dimension"), kNoErr);
    ASSERT_EQ(session->mouseDown({30, 40}), kNoErr);
    ASSERT_EQ(session->mouseDrag({10, 50}), kNoErr);
    ASSERT_EQ(session->mouseDrag({0, 60}), kNoErr);
    EXPECT_EQ(LastText(), "A");
    EXPECT_EQ(g->prefs.incrementalDimAlpha, 0);
    ASSERT_EQ(session->mouseUp({0, 60}), kNoErr);
    EXPECT_EQ(g->prefs.incrementalDimAlpha, 1);
    ASSERT_EQ(Auto("Auto Aligned Dimension", {30, 40}, {60, 20}), kNoErr);
    EXPECT_EQ(LastText(), "B");
    ChooseDimensionFormat(2);
    g->prefs.incrementalDimNumber = 7;
    ASSERT_EQ(Auto("Auto Horizontal Dimension", {30, 40}, {30, 100}), kNoErr);
    EXPECT_EQ(LastText(), "7");
    EXPECT_EQ(g->prefs.incrementalDimNumber, 8);
    // A custom text longer than a dimension text may be is cut at 255 characters, and a
    // redraw shows the same custom text.
    ChooseDimensionFormat(3);
    const std::string longText(1023, 'x');
    CopyCString(g->prefs.customDimDefaultText, longText.c_str());
    ASSERT_EQ(Auto("Auto Vertical Dimension", {30, 40}, {100, 40}), kNoErr);
    EXPECT_EQ(LastText(), std::string(255, 'x'));
    CopyCString(g->prefs.customDimDefaultText, "See note 4");
    ASSERT_EQ(Auto("Auto Vertical Dimension", {30, 40}, {120, 40}), kNoErr);
    EXPECT_EQ(LastText(), "See note 4");
    ChooseDimensionFormat(0);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 5);
    std::vector<std::string> all;
    for (ObjId d : Dimensions()) all.push_back(Texts(d)[0]);
    EXPECT_EQ(all, (std::vector<std::string>{"A", "B", "7", std::string(255, 'x'), "See note 4"}));
    EXPECT_EQ(g->prefs.incrementalDimAlpha, 2);  // a redraw moves no counter
}

TEST_F(AutoTest, TheChainOfThePressIsGivenBackAHundredTimes) {
    Polyline({{0, 0}, {100, 0}, {100, 60}, {0, 60}}, true);
    const long before = Blocks();
    // Half way through a gesture: exactly the two nodes of the segment.
    ASSERT_EQ(session->selectTool("Auto Horizontal Dimension"), kNoErr);
    ASSERT_EQ(session->mouseDown({50, 0}), kNoErr);
    ASSERT_EQ(session->mouseDrag({50, -20}), kNoErr);
    EXPECT_EQ(ChainNodes(), 2);
    EXPECT_EQ(Blocks(), before + 2);
    ASSERT_EQ(session->mouseDrag({50, -30}), kNoErr);
    ASSERT_EQ(session->mouseUp({50, -30}), kNoErr);
    EXPECT_EQ(Blocks(), before);
    const char* tools[] = {"Auto Horizontal Dimension", "Auto Vertical Dimension", "Auto Aligned Dimension"};
    const AIRealPoint presses[] = {{50, 0}, {100, 30}, {50, 60}};
    const AIRealPoint drags[] = {{50, -30}, {130, 30}, {50, 90}};
    for (int i = 0; i < 99; ++i) ASSERT_EQ(Auto(tools[i % 3], presses[i % 3], drags[i % 3]), kNoErr) << i;
    EXPECT_EQ(Dimensions().size(), 100u);
    EXPECT_EQ(Blocks(), before);
    // The redraw keeps its lists until it runs again: the same blocks, run after run.
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 100);
    const long kept = Blocks();
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(Blocks(), kept);
}

TEST_F(AutoTest, RedrawnFromTheStoredAnchors) {
    const ObjId edge = Polyline({{0, 0}, {30, 40}});
    ASSERT_EQ(Auto("Auto Aligned Dimension", {15, 20}, {0, 40}), kNoErr);
    ASSERT_EQ(Auto("Auto Horizontal Dimension", {15, 20}, {15, 70}), kNoErr);
    EXPECT_EQ(LastText(), "30.00");
    // Both anchors and the drag of each dimension.
    const auto clicks = Clicks(edge);
    ASSERT_EQ(clicks.size(), 6u);
    for (const auto& c : clicks) EXPECT_TRUE(c.dimType == kIncline || c.dimType == kHorizontal);
    // The far end moved: both follow it.
    ASSERT_EQ(session->hostEvent([&] {
        AIPathSegment s{};
        s.p = s.in = s.out = {60, 80};
        s.corner = true;
        return sAIPath->SetPathSegments(Art(edge), 1, 1, &s);
    }),
              kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    std::vector<std::string> all;
    for (ObjId d : Dimensions()) all.push_back(Texts(d)[0]);
    EXPECT_EQ(all, (std::vector<std::string>{"100.00", "60.00"}));
}

TEST_F(AutoTest, AutomaticDimensioningLooksOnlyAtItsPath) {
    // Two paths cross at (50, 0); the made-up press belongs to the lower one.
    const ObjId lower = Polyline({{0, 0}, {100, 0}});
    Polyline({{50, -40}, {50, 40}});
    g->UsingMagicDims = 1;
    g->curTool = g->autohtool;
    g->firstClickArt = Art(lower);
    g->firstClick = {50, 0};
    g->didFirstClick = 1;
    ASSERT_EQ(session->hostEvent([] { return PrepAutoDimTools(); }), kNoErr);
    EXPECT_EQ(g->art, Art(lower));
    EXPECT_EQ(g->firstClick.h, 0);
    EXPECT_EQ(g->secondClick.h, 100);
    g->UsingMagicDims = 0;
    g->firstClickArt = nullptr;
    EXPECT_EQ(doFreeHitLocs(), kNoErr);
}

// The axonometric automatic tools measure a segment in its face's flat plane.
struct AxonometricAutoTest : AutoTest {
    ObjId face = 0;
    void SetUp() override {
        AutoTest::SetUp();
        IsometricView();
        face = Rect(100, 100, 100, 50);
        ASSERT_EQ(session->hostEvent([&] { return ProjectAxonometric(Art(face), kAxoLeftFace, &g->prefs.isoView); }),
                  kNoErr);
    }
    // Half way between two projected anchors of the face.
    AIRealPoint Between(int i, int j) const {
        const auto& s = doc->art(face)->segments;
        return {(s[i].p.h + s[j].p.h) / 2, (s[i].p.v + s[j].p.v) / 2};
    }
};

TEST_F(AxonometricAutoTest, AFaceEdgeIsMeasuredFlat) {
    const AIRealPoint top = Between(0, 1);  // the flat width, 100
    ASSERT_EQ(Auto("Axonometric Auto Horizontal Dimension", top, {top.h, top.v + 40}), kNoErr);
    EXPECT_EQ(LastText(), "100.00");
    EXPECT_EQ(g->drawingAxoDimension, 1);
    // Its upright edge cannot be measured across.
    const AIRealPoint side = Between(1, 2);
    Auto("Axonometric Auto Horizontal Dimension", side, {side.h + 40, side.v});
    EXPECT_EQ(Dimensions().size(), 1u);
    ASSERT_FALSE(Alerts().empty());
    EXPECT_EQ(Alerts().back(), "This tool cannot be used on a vertical path.");
    ASSERT_EQ(Auto("Axonometric Auto Vertical Dimension", side, {side.h + 40, side.v}), kNoErr);
    EXPECT_EQ(LastText(), "50.00");
}

}  // namespace
}  // namespace dimtest
