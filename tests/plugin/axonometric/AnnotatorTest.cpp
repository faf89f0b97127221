// What the annotator draws over the view, as the stand-in's drawer records it: the
// full-screen crosshair with its snap points while a tool follows the cursor, the
// information box while it drags, the offset preview, the face hint and the rulers' cursor
// marks, each only while its values ask for it. Positions are the host's own view points
// of the art points.
#include <algorithm>

#include "GuidesFixture.h"
#include "axonometric/AxonometricAnnotator.h"
#include "geometry/UnitFormat.h"

namespace axotest {
namespace {

using Op = standin::AnnotationOp;
using Kind = Op::Kind;

struct AnnotatorTest : GuidesTest {
    void SetUp() override {
        GuidesTest::SetUp();
        g->prefs.annotateFullScreenCursor = 0;
        g->prefs.showCADtrackerInfo = 0;
        g->prefs.CADtrackerUnits = kPointUnits;
        g->prefs.CADtrackerPrecision = 0;
        g->prefs.style.appendUpperUnitLabels = 1;
    }
    AIPoint View(AIRealPoint p) {
        AIDocumentViewHandle view = nullptr;
        AIPoint out{};
        EXPECT_EQ(sAIDocumentView->GetNthDocumentView(0, &view), kNoErr);
        EXPECT_EQ(sAIDocumentView->ArtworkPointToViewPoint(view, &p, &out), kNoErr);
        return out;
    }
    const std::vector<Op>& Drawn() { return session->lastAnnotation(); }
    std::vector<Op> Of(Kind kind) {
        std::vector<Op> out;
        for (const Op& op : Drawn())
            if (op.kind == kind) out.push_back(op);
        return out;
    }
    std::vector<std::string> Texts() {
        std::vector<std::string> out;
        for (const Op& op : Of(Kind::Text)) out.push_back(op.text);
        return out;
    }
    static bool Has(const std::vector<std::string>& texts, const std::string& text) {
        return std::find(texts.begin(), texts.end(), text) != texts.end();
    }
    // The cursor followed as a tool event leaves it.
    void Cursor(AIRealPoint p) {
        g->annotatorCursor = p;
        g->annotatorCursorKnown = 1;
    }
};

TEST_F(AnnotatorTest, TheCrosshairFollowsTheCursorWithItsSnapPointsWhileAToolDrags) {
    g->prefs.annotateFullScreenCursor = 1;
    Rect(100, 100, 200, 100);  // corners (100, 100) to (300, 200)
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    ASSERT_EQ(session->mouseDown({400, 400}), kNoErr);
    ASSERT_EQ(session->mouseDrag({190, 110}), kNoErr);
    const AIPoint c = View({190, 110});
    const auto lines = Of(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    // One line across at the cursor's height, one down at its side, dashed, over the page.
    EXPECT_EQ(lines[0].rect.top, c.v);
    EXPECT_EQ(lines[0].rect.bottom, c.v);
    EXPECT_LT(lines[0].rect.left, View({0, 0}).h);
    EXPECT_GT(lines[0].rect.right, View({612, 0}).h);
    EXPECT_EQ(lines[1].rect.left, c.h);
    EXPECT_EQ(lines[1].rect.right, c.h);
    EXPECT_TRUE(lines[0].dashed);
    // Squares round the snap points within 40 pixels each way: the middle (200, 100) of the
    // bottom edge and the centre (200, 150); not the line being drawn, whose end is at the
    // cursor. None is within the tolerance of 4 (and the grid is hidden): no filled square.
    const auto squares = Of(Kind::Rect);
    ASSERT_EQ(squares.size(), 2u);
    for (AIRealPoint p : {AIRealPoint{200, 100}, AIRealPoint{200, 150}}) {
        const AIPoint v = View(p);
        EXPECT_TRUE(std::any_of(squares.begin(), squares.end(), [&](const Op& op) {
            return op.rect.left == v.h - 3 && op.rect.top == v.v - 3 && op.rect.right == v.h + 3;
        })) << p.h << ", " << p.v;
    }
    EXPECT_TRUE(Of(Kind::FilledRect).empty());
    // Nearer the middle of the edge: where a click would land is marked.
    ASSERT_EQ(session->mouseDrag({198, 101}), kNoErr);
    const auto filled = Of(Kind::FilledRect);
    ASSERT_EQ(filled.size(), 1u);
    EXPECT_EQ(filled[0].rect.left, View({200, 100}).h - 3);
    EXPECT_EQ(filled[0].rect.top, View({200, 100}).v - 3);
    ASSERT_EQ(session->mouseUp({198, 101}), kNoErr);
    EXPECT_FALSE(Of(Kind::Line).empty()) << "the crosshair stays with the cursor";
    // A move elsewhere takes it along; deselecting the tool takes it away.
    ASSERT_EQ(session->trackCursor({10, 20}), kNoErr);
    EXPECT_EQ(Of(Kind::Line)[0].rect.top, View({10, 20}).v);
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(AnnotatorTest, ADragSnapsOnlyToWhatWasThereWhenItStarted) {
    g->prefs.annotateFullScreenCursor = 1;
    Rect(100, 100, 200, 100);
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    ASSERT_EQ(session->mouseDown({400, 400}), kNoErr);
    ASSERT_EQ(session->mouseDrag({300, 300}), kNoErr);
    // Back near the start: the line being drawn starts there, but it is the tool's own.
    ASSERT_EQ(session->mouseDrag({390, 390}), kNoErr);
    EXPECT_TRUE(Of(Kind::Rect).empty());
    EXPECT_TRUE(Of(Kind::FilledRect).empty());
    // Near the rectangle's corner, which was there before: marked.
    ASSERT_EQ(session->mouseDrag({302, 198}), kNoErr);
    ASSERT_EQ(Of(Kind::FilledRect).size(), 1u);
    EXPECT_EQ(Of(Kind::FilledRect)[0].rect.left, View({300, 200}).h - 3);
    // Once drawn, the line is art like any other: the next gesture snaps to its ends.
    ASSERT_EQ(session->mouseUp({302, 198}), kNoErr);
    ASSERT_EQ(session->trackCursor({399, 401}), kNoErr);
    ASSERT_EQ(Of(Kind::FilledRect).size(), 1u);
    EXPECT_EQ(Of(Kind::FilledRect)[0].rect.left, View({400, 400}).h - 3);
}

TEST_F(AnnotatorTest, WithoutTheFullScreenCursorNothingFollowsTheCursor) {
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    ASSERT_EQ(session->mouseDown({300, 300}), kNoErr);
    ASSERT_EQ(session->mouseDrag({140, 101}), kNoErr);
    EXPECT_TRUE(Drawn().empty());
    ASSERT_EQ(session->mouseUp({140, 101}), kNoErr);
}

TEST_F(AnnotatorTest, TheInformationBoxShowsTheTrackersValuesWhileDragging) {
    g->prefs.showCADtrackerInfo = 1;
    g->annotatorW = 72;
    g->annotatorH = -36;  // kept negated: a size all the same
    g->annotatorL = kMissingValue;
    g->annotatorAngle = 45;
    Cursor({200, 200});
    g->dragging = 1;
    session->redrawAnnotations();
    const auto texts = Texts();
    EXPECT_EQ(texts, (std::vector<std::string>{"Width: 72 pt", "Height: 36 pt", "Angle: 45\xB0"}));
    ASSERT_EQ(Of(Kind::Clear).size(), 1u);
    ASSERT_EQ(Of(Kind::Rect).size(), 1u);
    const AIPoint c = View({200, 200});
    const AIRect box = Of(Kind::Rect)[0].rect;
    EXPECT_GT(box.left, c.h);  // beside and below the cursor
    EXPECT_GT(box.top, c.v);
    for (const Op& t : Of(Kind::Text)) {
        EXPECT_GT(t.rect.left, box.left);
        EXPECT_LT(t.rect.bottom, box.bottom);
    }
    // Not dragging, or the box switched off: no box.
    g->dragging = 0;
    session->redrawAnnotations();
    EXPECT_TRUE(Drawn().empty());
    g->dragging = 1;
    g->prefs.showCADtrackerInfo = 0;
    session->redrawAnnotations();
    EXPECT_TRUE(Drawn().empty());
    g->dragging = 0;
}

TEST_F(AnnotatorTest, TheOffsetPreviewShowsTheDistanceOrThatItIsOutOfRange) {
    g->showOffsetAnnotator = 1;
    g->firstClick = {100, 100};
    g->offsetPoint = {100, 172};
    session->redrawAnnotations();
    const AIPoint a = View({100, 100}), b = View({100, 172});
    const auto lines = Of(Kind::Line);
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].rect.left, a.h);
    EXPECT_EQ(lines[0].rect.top, a.v);
    EXPECT_EQ(lines[0].rect.right, b.h);
    EXPECT_EQ(lines[0].rect.bottom, b.v);
    const auto dots = Of(Kind::FilledEllipse);
    ASSERT_EQ(dots.size(), 2u);
    EXPECT_EQ(dots[0].rect.right - dots[0].rect.left, 6);  // radius 3
    EXPECT_EQ((dots[1].rect.left + dots[1].rect.right) / 2, b.h);
    EXPECT_EQ(Texts(), std::vector<std::string>{"72 pt"});
    EXPECT_EQ(Of(Kind::Clear).size(), 1u);
    g->offsetTooFar = 1;
    session->redrawAnnotations();
    EXPECT_EQ(Texts(), std::vector<std::string>{kOffsetTooLargeAnnotation});
    g->showOffsetAnnotator = 0;
    session->redrawAnnotations();
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(AnnotatorTest, TheFaceHintCrossesTheIntersectionAndNamesTheFace) {
    g->canAnnotateIntersection = 1;
    g->annotatorIntersection = {50, 60};
    g->annotationFace = 2;
    Cursor({80, 90});
    session->redrawAnnotations();
    const AIPoint x = View({50, 60}), c = View({80, 90});
    const auto lines = Of(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rect.left, x.h - 2);
    EXPECT_EQ(lines[0].rect.top, x.v - 2);
    EXPECT_EQ(lines[0].rect.right, x.h + 2);
    EXPECT_EQ(lines[0].rect.bottom, x.v + 2);
    EXPECT_EQ(lines[1].rect.top, x.v + 2);
    const auto texts = Of(Kind::Text);
    ASSERT_EQ(texts.size(), 1u);
    EXPECT_EQ(texts[0].text, "Lines up with the right face");
    EXPECT_EQ(texts[0].rect.left, c.h + 4);
    EXPECT_EQ(texts[0].rect.bottom, c.v - 4);
    // A face outside 1 to 3 names nothing; the cross stays.
    g->annotationFace = 8;
    session->redrawAnnotations();
    EXPECT_TRUE(Of(Kind::Text).empty());
    EXPECT_EQ(Of(Kind::Line).size(), 2u);
    g->canAnnotateIntersection = 0;
    session->redrawAnnotations();
    EXPECT_TRUE(Drawn().empty());
}

TEST_F(AnnotatorTest, TheRulersCursorMarksNeedTheFlagAndShownRulers) {
    g->prefs.DERurureLayerVisible = g->prefs.DERurureLayerExists = 1;
    ASSERT_EQ(drawGridsAndRulers(0, 1), kNoErr);
    Cursor({300, 400});
    session->redrawAnnotations();
    EXPECT_TRUE(Drawn().empty()) << "no mark while okToTrackCursorFlag is 0";
    g->okToTrackCursorFlag = 1;
    session->redrawAnnotations();
    const AIPoint c = View({300, 400}), top = View({0, 792});
    const auto lines = Of(Kind::Line);
    ASSERT_EQ(lines.size(), 2u);
    EXPECT_EQ(lines[0].rect.left, c.h);
    EXPECT_EQ(lines[0].rect.bottom, top.v);  // down to the page's top edge
    EXPECT_EQ(lines[1].rect.top, c.v);
    EXPECT_EQ(lines[1].rect.right, top.h);  // across to its left edge
    EXPECT_EQ(g->hRulerRect.bottom, AIReal(top.v));
    EXPECT_EQ(g->vRulerRect.right, AIReal(top.h));
    g->okToTrackCursorFlag = 0;
}

}  // namespace
}  // namespace axotest
