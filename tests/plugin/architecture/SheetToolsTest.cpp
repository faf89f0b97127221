// Tables and title blocks on a page of 612 by 792: placed by a click from the page's
// rectangle (and moved onto it), dragged with the rectangle tool's read-out, their texts in
// the default face inside their cells, their settings typed in the options dialogs (a
// paper size shown rounded and kept in full) and refused in words when they cannot be used.
#include <algorithm>
#include <string>

#include "drawtools/DrawToolsFixture.h"

namespace drawtest {
namespace {

struct SheetToolsTest : DrawToolsTest {
    // The paths and texts the tool left, read from the host's model.
    std::vector<const standin::Art*> Of(int16_t type) const {
        std::vector<const standin::Art*> out;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type == type) out.push_back(&a);
        });
        return out;
    }
    // The frame: the one closed path.
    AIRealRect Frame() const {
        for (const standin::Art* p : Of(kPathArt))
            if (p->closed && p->segments.size() == 4) {
                AIRealRect r{};
                doc->bounds(p->id, &r);
                return r;
            }
        ADD_FAILURE() << "no frame";
        return {};
    }
    std::string Text(const standin::Art& t) const { return readback::StoryText(t); }
};

#define EXPECT_RECT(r, l, t, rr, b)       \
    do {                                  \
        EXPECT_NEAR((r).left, (l), 1e-3);  \
        EXPECT_NEAR((r).top, (t), 1e-3);   \
        EXPECT_NEAR((r).right, (rr), 1e-3); \
        EXPECT_NEAR((r).bottom, (b), 1e-3); \
    } while (0)

TEST_F(SheetToolsTest, AClickedTitleBlockSitsInThePagesCornerWithItsTextsInTheirCells) {
    ASSERT_EQ(session->selectTool("Title Block"), kNoErr);
    Answer("TitleBlockOptions", {Type(8, "Garden House"), Type(10, "Lane 4"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    ASSERT_EQ(session->click({100, 400}), kNoErr);
    // 288 by 90, a quarter inch in from the bottom right corner.
    const AIRealRect frame = Frame();
    EXPECT_RECT(frame, 306, 108, 594, 18);
    EXPECT_EQ(Of(kPathArt).size(), 4u);  // the frame, two rows and the column between
    std::vector<std::string> texts;
    for (const standin::Art* t : Of(kTextFrameArt)) {
        texts.push_back(Text(*t));
        EXPECT_EQ(t->story.runs.front().features.font, "DejaVu Sans");
        AIRealRect r{};
        ASSERT_TRUE(doc->bounds(t->id, &r));
        EXPECT_TRUE(r.left > frame.left && r.right < frame.right && r.bottom > frame.bottom && r.top < frame.top)
            << Text(*t);
    }
    std::sort(texts.begin(), texts.end());
    EXPECT_EQ(texts,
              (std::vector<std::string>{"Drawn by: ", "Garden House", "Project: Lane 4", "Scale: 1:1", "Sheet: 1"}));
}

TEST_F(SheetToolsTest, ATableIsDraggedAsARectangleOrClickedOntoThePage) {
    ASSERT_EQ(session->selectTool("Table"), kNoErr);
    Answer("TableOptions", {Type(12, "Room|Area|Floor"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    ASSERT_EQ(Drag({100, 700}, {300, 600}), kNoErr);
    EXPECT_RECT(Frame(), 100, 700, 300, 600);
    // Four rows and three columns: three lines across and two down, besides the frame.
    EXPECT_EQ(Of(kPathArt).size(), 6u);
    EXPECT_EQ(Of(kTextFrameArt).size(), 3u);
    const TrackerReport& t = gTrackerReports.back();
    EXPECT_FLOAT_EQ(t.x, 300);
    EXPECT_FLOAT_EQ(t.y, 600);
    EXPECT_FLOAT_EQ(t.w, 200);
    EXPECT_FLOAT_EQ(t.h, -100);
    EXPECT_NEAR(t.angle, -26.565051, 1e-4);
    EXPECT_EQ(t.length, kEmpty);
    EXPECT_FLOAT_EQ(t.perimeter, 600);
    EXPECT_FLOAT_EQ(t.area, 20000);

    // A click near the right edge: 216 by 72 (three columns of 72, four rows of 18), moved
    // left onto the page.
    ASSERT_TRUE(session->userUndo());
    ASSERT_EQ(session->click({560, 100}), kNoErr);
    EXPECT_RECT(Frame(), 396, 100, 612, 28);
}

TEST_F(SheetToolsTest, SettingsAreTypedAndThoseThatCannotBeUsedAreRefused) {
    // The row count typed wrong first; the column width is left as shown (rounded to whole
    // points) and keeps its value in full.
    host.preferences().putString("ZMKPWTableTool", "columnWidth", "72.4");
    ASSERT_EQ(session->selectTool("Table"), kNoErr);
    g->prefs.NumericInputPrecision = 0;
    Answer("TableOptions", {Type(4, "many"), Press(1), Type(4, "2"), Press(1)});
    ASSERT_EQ(session->editToolOptions(), kNoErr);
    EXPECT_EQ(Alerts().back(), "The value must be a whole number from 1 to 50.");
    int32_t rows = 0;
    ASSERT_EQ(host.preferences().getInteger("ZMKPWTableTool", "rows", &rows), kNoErr);
    EXPECT_EQ(rows, 2);
    ASSERT_EQ(session->click({100, 700}), kNoErr);
    EXPECT_RECT(Frame(), 100, 700, 100 + 3 * 72.4f, 700 - 2 * 18);

    // A stored height of nothing draws no title block.
    host.preferences().putString("ZMKPWTitleBlockTool", "height", "0");
    ASSERT_EQ(session->selectTool("Title Block"), kNoErr);
    EXPECT_NE(session->click({300, 300}), kNoErr);
    EXPECT_EQ(Alerts().back(), "The title block's settings cannot be used: double-click the tool to set them again.");
}

}  // namespace
}  // namespace drawtest
