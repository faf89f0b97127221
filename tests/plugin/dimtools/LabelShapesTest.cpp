// Label frames sized from the text as DejaVu Sans sets it (measured here from a story the
// test builds): the half height r = B + (border + H) / 2, the stretch S = (W - 8) / 2 of a
// 10-point text, each shape's extent on either side of the leader's end, the circle that
// becomes a capsule from S = 10, the frame grown evenly when stretching is off; the text
// alone beside the end; the label text measured as the Part says, and a failed measurement
// that leaves nothing behind.
#include <cmath>

#include "LabelFixture.h"
#include "dimtools/LabelShapes.h"
#include "dimtools/LeaderLines.h"

namespace dimtest {
namespace {

constexpr AIRealPoint kP{200, 300};

struct LabelShapesTest : LabelTest {
    // A frame at kP on side dir, in a group of its own.
    ObjId Shape(int16_t dir, int32_t shape, const char* text, AIErr expected = kNoErr) {
        return InGroup([&](AIArtHandle grp) { return drawShape(kP, dir, grp, shape, 0, text, nullptr); }, expected);
    }
};
constexpr double kSqrt3 = 1.7320508075688772;

struct FrameRow {
    int32_t shape;
    const char* text;
    size_t anchors;
};

TEST_F(LabelShapesTest, EachFrameTouchesTheEndAndIsSizedFromItsText) {
    const FrameRow rows[] = {
        {kBoxFrame, "A", 4},          {kBoxFrame, "ABCDEFGH", 4},       {kCircleFrame, "A", 4},
        {kCircleFrame, "ABCDEFGH", 6}, {kTriangleFrame, "ABCDEFGH", 4}, {kRoundedBoxFrame, "ABCDEFGH", 8},
        {kHexagonFrame, "A", 6},      {kHexagonFrame, "ABCDEFGH", 6},
    };
    for (const FrameRow& row : rows) {
        for (const int16_t dir : {1, -1}) {
            SCOPED_TRACE(std::string(row.text) + " shape " + std::to_string(row.shape) + " dir " + std::to_string(dir));
            const ObjId group = Shape(dir, row.shape, row.text);
            const AIRealRect box = TextBox(row.text);
            const double h = box.top - box.bottom;
            double s = std::max(0.0, (box.right - box.left - 8.0) / 2.0);
            if (row.shape == kCircleFrame && s < 10) s = 0;
            const double r = 4 + (4 + h) / 2;
            const auto frames = Frames(group);
            ASSERT_EQ(frames.size(), 1u);
            EXPECT_EQ(frames[0]->segments.size(), row.anchors);
            const AIRealRect f = BoundsOf(frames[0]);
            double nearEdge = 0, farEdge = 2 * (r + s), halfHeight = r;
            if (row.shape == kHexagonFrame) halfHeight = r * kSqrt3 / 2;
            if (row.shape == kTriangleFrame) {
                const double bigR = 4 + (4 + h) / kSqrt3;
                nearEdge = -bigR / 2;
                farEdge = 1.5 * bigR + s;
                halfHeight = bigR * kSqrt3 / 2;
            }
            EXPECT_NEAR(dir > 0 ? f.left : f.right, kP.h + dir * nearEdge, 1e-3);
            EXPECT_NEAR(dir > 0 ? f.right : f.left, kP.h + dir * farEdge, 1e-3);
            EXPECT_NEAR(f.top, kP.v + halfHeight, 1e-3);
            EXPECT_NEAR(f.bottom, kP.v - halfHeight, 1e-3);
            // The text centred over the frame, its height centred on the end's level.
            const AIRealPoint at = TextAnchor(group);
            if (row.shape != kTriangleFrame) {
                EXPECT_NEAR(at.h, (f.left + f.right) / 2, 1e-3);
            }
            EXPECT_NEAR(at.v, kP.v + h / 2 - 7, 1e-3);
            EXPECT_EQ(Texts(group), std::vector<std::string>{row.text});
        }
    }
}

TEST_F(LabelShapesTest, CirclesHexagonsAndTrianglesAreRegular) {
    const AIRealRect box = TextBox("A");
    const double r = 4 + (4 + (box.top - box.bottom)) / 2;
    const AIRealPoint c{static_cast<AIReal>(kP.h + r), kP.v};
    for (const int32_t shape : {kCircleFrame, kHexagonFrame}) {
        const ObjId group = Shape(1, shape, "A");
        for (const AIPathSegment& a : Frames(group)[0]->segments) {
            EXPECT_NEAR(std::hypot(a.p.h - c.h, a.p.v - c.v), r, 1e-3);
            if (shape == kCircleFrame) {
                EXPECT_NEAR(std::hypot(a.out.h - a.p.h, a.out.v - a.p.v), r * 0.55228475, 1e-3);
            }
        }
    }
    // The triangle's sides are 2R, and its near side's middle is the end.
    const ObjId tri = Shape(1, kTriangleFrame, "A");
    const auto& t = Frames(tri)[0]->segments;
    const double bigR = 4 + (4 + (box.top - box.bottom)) / kSqrt3;
    for (auto [i, j] : {std::pair{0, 2}, {2, 3}, {3, 0}})
        EXPECT_NEAR(std::hypot(t[i].p.h - t[j].p.h, t[i].p.v - t[j].p.v), 2 * bigR, 1e-3);
    const AIRealPoint middle{(t[0].p.h + t[3].p.h) / 2, (t[0].p.v + t[3].p.v) / 2};
    EXPECT_PT(middle, kP.h, kP.v);
    // The rounded box's corners are quarter circles of half the half height.
    const ObjId rounded = Shape(1, kRoundedBoxFrame, "A");
    const AIPathSegment& first = Frames(rounded)[0]->segments[0];
    EXPECT_NEAR(first.in.h - first.p.h, r / 2 * 0.55228475, 1e-3);
}

TEST_F(LabelShapesTest, WithoutStretchingTheBorderGrowsByTheWholeStretch) {
    g->prefs.style.stretchLabelShape = 0;
    g->prefs.style.labelBorder = -3;
    const ObjId group = Shape(1, kBoxFrame, "ABCDEFGH");
    EXPECT_EQ(g->prefs.style.labelBorder, 0) << "a negative border is reset in the style";
    const AIRealRect box = TextBox("ABCDEFGH");
    const double s = (box.right - box.left - 8) / 2;
    const double r = std::trunc(s) + (box.top - box.bottom) / 2;
    const AIRealRect f = BoundsOf(Frames(group)[0]);
    EXPECT_NEAR(f.right - f.left, 2 * r, 1e-3);
    EXPECT_NEAR(f.top - f.bottom, 2 * r, 1e-3);
}

TEST_F(LabelShapesTest, WithoutAFrameTheTextEndsTheBorderBeforeTheEnd) {
    for (const int32_t leader : {kElbowLeader, kWaveLeader}) {
        g->prefs.style.labelLeader = leader;
        const ObjId group = Shape(-1, kNoFrame, "AB");
        EXPECT_TRUE(Frames(group).empty());
        const AIRealRect box = TextBox("AB");
        EXPECT_PT(TextAnchor(group), kP.h - 4, leader == kWaveLeader ? kP.v : kP.v + (box.top - box.bottom) / 2 - 7);
        EXPECT_EQ(FirstText(group)->story.para.justification, 1) << "right-justified";
    }
}

TEST_F(LabelShapesTest, TheLabelTextIsMeasuredAsTheFontSetsIt) {
    g->prefs.style.upperToleranceSuperscript = 1;
    struct Case {
        const char* text;
        AIRealRect expected;
    } cases[] = {
        {"", TextBox("-")},
        {"B\rCD", TextBox("B\rCD")},
    };
    for (const Case& c : cases) {
        AIRealRect r{};
        ASSERT_EQ(session->hostEvent([&] {
            sAILayer->GetCurrentLayer(&g->saveLayer);
            return GetLabelTextArtRect(c.text, &r);
        }), kNoErr);
        EXPECT_NEAR(r.left, c.expected.left, 1e-3) << c.text;
        EXPECT_NEAR(r.top, c.expected.top, 1e-3) << c.text;
        EXPECT_NEAR(r.bottom, c.expected.bottom, 1e-3) << c.text;
    }
    // A tolerance after the plus-minus sign is set at 7 points, raised by 2.
    AIRealRect r{};
    ASSERT_EQ(session->hostEvent([&] { return GetLabelTextArtRect("5 \xB1" "1", &r); }), kNoErr);
    standin::text::Story story;
    standin::text::TextRun value, tolerance;
    value.text = "5 ";
    tolerance.text = "\xB1" "1";
    value.features.size = 10;
    tolerance.features.size = 7;
    tolerance.features.baselineShift = 2;
    story.runs = {value, tolerance};
    const AIRealRect expected = standin::text::storyBounds(story, standin::text::hostTextEngine().fonts());
    EXPECT_NEAR(r.right, expected.right, 1e-3);
    EXPECT_NEAR(r.top, expected.top, 1e-3);
}

TEST_F(LabelShapesTest, AFailedMeasurementStopsTheFrameAndLeavesNoTemporaryArt) {
    SwappedSuite<AITextFrameSuite> frames(sAITextFrame);
    frames->CreateOutline = [](AIArtHandle, AIArtHandle* outline) -> AIErr {
        *outline = nullptr;
        return kOutOfMemoryErr;
    };
    AIRealRect r{1, 2, 3, 4};
    ASSERT_EQ(session->hostEvent([&] {
        sAILayer->GetCurrentLayer(&g->saveLayer);
        return GetLabelTextArtRect("A", &r);
    }), kOutOfMemoryErr);
    EXPECT_EQ(r.left, 0) << "never the bounds of before";
    EXPECT_EQ(r.top, 0);
    const ObjId group = Shape(1, kBoxFrame, "A", kOutOfMemoryErr);
    EXPECT_TRUE(Paths(group).empty());
    size_t texts = 0;
    doc->walk([&](const standin::Art& a, int) { texts += a.type == kTextFrameArt; });
    EXPECT_EQ(texts, 0u);
}

}  // namespace
}  // namespace dimtest
