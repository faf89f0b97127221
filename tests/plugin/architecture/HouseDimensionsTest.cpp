// Dimensions measuring a house follow it through its edits. The house is the outer ring of
// the walls example at 1:100 (10 m by 7 m inside, 300 mm walls drawn along their inside
// faces) with a 1200 mm window in its top wall and a 3 m partition stub standing free; four
// dimensions measure it: across the top from the outer corner to the right wall's face,
// up the left side between the outer corners, from the bottom-left corner up to the stub's
// free end, and from the top-left corner across to the end of the window's glass line.
// After each edit "Update Dimensions" reads what a drafter works out by hand (1 pt is
// 25.4 / 72 mm on paper, 100 times that in the house).
#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

#include "architecture/WallToolsFixture.h"
#include "units/LayerScales.h"

namespace drawtest {
namespace {

constexpr AIReal kWall = 300 * 72 / 25.4f;  // 300 mm, as the walls panel holds it: 8.50394 pt at 1:100

struct HouseDimensionsTest : WallToolsTest {
    void SetUp() override {
        WallToolsTest::SetUp();
        SetScaleStyle(1);  // the document's scale, on every layer
        g->prefs.scale = 24;
        g->prefs.scaler = 100;
        std::snprintf(g->prefs.scaleStr, sizeof g->prefs.scaleStr, "1:100");
        NoteNewDrawingScale();  // as picked in the document panel with no drawing open
        g->prefs.NumericInputUnits = 3;  // millimetres
        g->prefs.NumericInputPrecision = 0;
        g->prefs.style.upperUnits = 5;  // metres
        g->prefs.style.upperDecimalPrecision = 2;
        g->prefs.style.appendUpperUnitLabels = 1;
    }

    AIErr Typed(const char* tool, AIRealPoint at, const char* length, const char* angle) {
        if (AIErr err = session->selectTool(tool)) return err;
        Answer("CADWall", {Type(4, length), Type(6, angle), Press(1)});
        return session->click(at);
    }
    // The house and its four dimensions, drawn in a fresh document.
    void House() {
        ASSERT_EQ(session->closeDocument(), kNoErr);
        doc = &session->newDocument();
        g->prefs.wallThickness = kWall;
        g->prefs.wallDatum = 1;
        ASSERT_EQ(Wall({150, 190}, {433.46457f, 190}), kNoErr);
        ASSERT_EQ(Wall({433.46457f, 190}, {433.46457f, 388.4252f}), kNoErr);
        ASSERT_EQ(Wall({433.46457f, 388.4252f}, {150, 388.4252f}), kNoErr);
        ASSERT_EQ(Wall({150, 388.4252f}, {150, 190}), kNoErr);
        ASSERT_EQ(session->selectTool("Window Insertion"), kNoErr);
        Answer("WindowOptions", {Type(4, "1200"), Press(1)});
        ASSERT_EQ(session->editToolOptions(), kNoErr);
        ASSERT_EQ(session->click({213.78f, 392}), kNoErr);
        ASSERT_EQ(session->selectTool("Door Insertion"), kNoErr);
        Answer("DoorOptions", {Type(4, "900"), Press(1)});
        ASSERT_EQ(session->editToolOptions(), kNoErr);
        // The stub: 100 mm about its centre line, from the bottom wall's inside face.
        g->prefs.wallThickness = kWall / 3;
        g->prefs.wallDatum = 0;
        ASSERT_EQ(Typed("Add Wall", {277.559f, 190}, "3 m", "90"), kNoErr);
        ASSERT_EQ(Houses().size(), 1u);
        g->prefs.wallThickness = kWall;  // walls added later as the outer ones
        g->prefs.wallDatum = 1;

        ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
        ASSERT_EQ(session->click({141.49606f, 396.92987f}), kNoErr);
        ASSERT_EQ(Drag({441.9685f, 300}, {300, 432}), kNoErr);  // on the face, away from its corners
        ASSERT_EQ(session->selectTool("Vertical Dimension"), kNoErr);
        ASSERT_EQ(session->click({141.49606f, 181.49606f}), kNoErr);
        ASSERT_EQ(Drag({141.49606f, 396.92987f}, {108, 300}), kNoErr);
        ASSERT_EQ(session->click({141.49606f, 181.49606f}), kNoErr);
        ASSERT_EQ(Drag({278.97632f, 275.03937f}, {320, 230}), kNoErr);
        ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
        ASSERT_EQ(session->click({141.49606f, 396.92987f}), kNoErr);
        ASSERT_EQ(Drag({196.77213f, 392.67717f}, {170, 420}), kNoErr);
    }
    // The texts of the document's dimensions, in order.
    std::vector<std::string> Readings() const {
        std::vector<std::string> texts;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type != kTextFrameArt) return;
            std::string text;
            for (const auto& run : a.story.runs) text += run.text;
            texts.push_back(text);
        });
        std::sort(texts.begin(), texts.end());
        return texts;
    }
};

// One gesture of an edit: a click where `from` and `to` are one point, else a drag.
struct Step {
    const char* tool;
    AIRealPoint from, to;
};

TEST_F(HouseDimensionsTest, TheDimensionsFollowEachEditAtTheNextUpdate) {
    const std::string none, told = "The house no longer has the part these dimensions measured, so each keeps that "
                                   "end where it was: ";
    const Step rightOut{"Move Wall", {437, 250}, {467, 250}};
    const struct {
        const char* edit;
        std::vector<Step> steps;
        std::vector<std::string> readings;  // in order
        std::string told;                    // the alert naming dimensions left where they were
    } edits[] = {
        {"nothing", {}, {"1.95 m", "10.60 m", "3.30 m", "7.60 m"}, none},
        // 330.47244 pt across: 11,658 mm.
        {"the right wall moved out 30 pt", {rightOut}, {"1.95 m", "11.66 m", "3.30 m", "7.60 m"}, none},
        // 185.43381 pt up the side: 6,542 mm.
        {"the top wall moved in 30 pt", {{"Move Wall", {300, 392}, {300, 362}}},
         {"1.95 m", "10.60 m", "3.30 m", "6.54 m"}, none},
        // The stub's foot follows the bottom wall: 245.43381 pt up the side (8,658 mm), and
        // 123.54331 pt from the corner to the stub's end (4,358 mm).
        {"the bottom wall moved out 30 pt", {{"Move Wall", {300, 186}, {300, 156}}},
         {"1.95 m", "10.60 m", "4.36 m", "8.66 m"}, none},
        {"a door cut into the bottom wall, then the right wall moved out 30 pt",
         {{"Door Insertion", {360, 188}, {360, 188}}, rightOut}, {"1.95 m", "11.66 m", "3.30 m", "7.60 m"}, none},
        // The top wall's end is square without the left wall: its corner is 8.50394 pt in
        // (the window stays where it was).
        {"the left wall removed", {{"Remove Wall", {146, 300}, {146, 300}}},
         {"1.65 m", "10.30 m", "3.30 m", "7.60 m"}, none},
        {"the stub removed", {{"Remove Wall", {277.559f, 230}, {277.559f, 230}}},
         {"1.95 m", "10.60 m", "3.30 m", "7.60 m"}, told + "3.30 m."},
        // The left wall's end is square without the top wall: the corner is 8.50394 pt down,
        // 206.92913 pt up the side (7,300 mm); the window went with its wall.
        {"the top wall removed", {{"Remove Wall", {300, 392}, {300, 392}}},
         {"1.95 m", "10.60 m", "3.30 m", "7.30 m"}, told + "1.95 m."},
        // A third wall from the top-left corner: the top and left walls keep their mitre. Run
        // on along the top wall's inside face, it leaves the corner an anchor; continuing
        // the top façade, it leaves the corner on a straight face, no corner to measure.
        {"a wall at 0 degrees from the top-left corner", {{"Add Wall", {150, 388.4252f}, {180, 388.4252f}}},
         {"1.95 m", "10.60 m", "3.30 m", "7.60 m"}, none},
        {"the top façade continued past the top-left corner", {{"Add Wall", {150, 388.4252f}, {100, 388.4252f}}},
         {"1.95 m", "10.60 m", "3.30 m", "7.60 m"}, told + "1.95 m, 7.60 m, 10.60 m."},
    };
    for (const auto& e : edits) {
        SCOPED_TRACE(e.edit);
        House();
        const size_t alerts = Alerts().size();
        for (const Step& step : e.steps) {
            ASSERT_EQ(session->selectTool(step.tool), kNoErr);
            const bool click = step.from.h == step.to.h && step.from.v == step.to.v;
            ASSERT_EQ(click ? session->click(step.from) : Drag(step.from, step.to), kNoErr);
        }
        EXPECT_EQ(Alerts().size() - alerts, e.told.empty() ? 0u : 1u);
        if (!e.told.empty()) {
            EXPECT_EQ(LastAlert(), e.told);
        }
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
        EXPECT_EQ(Readings(), e.readings);
    }
}

}  // namespace
}  // namespace drawtest
