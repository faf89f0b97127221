// Label frames sized from the text as DejaVu Sans sets it (measured here from a story the
// test builds): r = B + (border + H) / 2 and S = (W - 8) / 2 for a 10-point text; each
// shape's extent either side of the leader's end, circles and hexagons regular, the
// capsule from S = 10, the frame grown evenly without stretching; the text alone beside the
// end; an empty label text measured as "-", a second line after "\r", and a failed measurement.
#include <cmath>

#include "LabelFixture.h"
#include "dimtools/LabelShapes.h"
#include "dimtools/LeaderLines.h"

namespace dimtest {
namespace {

constexpr AIRealPoint kP{200, 300};
constexpr double kSqrt3 = 1.7320508075688772, kKappa = 0.55228475;

struct LabelShapesTest : LabelTest {
    // A frame at kP on side dir, in a group of its own.
    ObjId Shape(int16_t dir, int32_t shape, const char* text, AIErr expected = kNoErr) {
        return InGroup([&](AIArtHandle grp) { return drawShape(kP, dir, grp, shape, 0, text, nullptr); }, expected);
    }
};

TEST_F(LabelShapesTest, EachFrameTouchesTheEndAndIsSizedFromItsText) {
    const struct {
        int32_t shape;
        const char* text;
        size_t anchors;
    } rows[] = {{kBoxFrame, "ABCDEFGH", 4},    {kCircleFrame, "A", 4},         {kCircleFrame, "ABCDEFGH", 6},
                {kTriangleFrame, "ABCDEFGH", 4}, {kRoundedBoxFrame, "ABCDEFGH", 8}, {kHexagonFrame, "A", 6},
                {kHexagonFrame, "ABCDEFGH", 6}};
    for (const auto& row : rows) {
        for (const int16_t dir : {1, -1}) {
            SCOPED_TRACE(std::string(row.text) + " shape " + std::to_string(row.shape) + " dir " + std::to_string(dir));
            const ObjId group = Shape(dir, row.shape, row.text);
            const AIRealRect box = TextBox(row.text);
            const double h = box.top - box.bottom, r = 4 + (4 + h) / 2, bigR = 4 + (4 + h) / kSqrt3;
            double s = std::max(0.0, (box.right - box.left - 8.0) / 2.0);
            if (row.shape == kCircleFrame && s < 10) s = 0;
            ASSERT_EQ(Frames(group).size(), 1u);
            const auto& anchors = Frames(group)[0]->segments;
            EXPECT_EQ(anchors.size(), row.anchors);
            double nearEdge = 0, farEdge = 2 * (r + s), halfHeight = r;
            if (row.shape == kHexagonFrame) halfHeight = r * kSqrt3 / 2;
            if (row.shape == kTriangleFrame) nearEdge = -bigR / 2, farEdge = 1.5 * bigR + s, halfHeight = bigR * kSqrt3 / 2;
            const AIRealRect f = BoundsOf(Frames(group)[0]);
            EXPECT_NEAR(dir > 0 ? f.left : f.right, kP.h + dir * nearEdge, 1e-3);
            EXPECT_NEAR(dir > 0 ? f.right : f.left, kP.h + dir * farEdge, 1e-3);
            EXPECT_NEAR(f.top, kP.v + halfHeight, 1e-3);
            EXPECT_NEAR(f.bottom, kP.v - halfHeight, 1e-3);
            // Unstretched circles and hexagons are regular round the centre r from the end.
            for (const AIPathSegment& a : anchors) {
                if (s != 0 || row.shape == kTriangleFrame || row.shape == kBoxFrame) break;
                EXPECT_NEAR(std::hypot(a.p.h - (kP.h + dir * r), a.p.v - kP.v), r, 1e-3);
                EXPECT_NEAR(std::hypot(a.out.h - a.p.h, a.out.v - a.p.v), row.shape == kCircleFrame ? r * kKappa : 0, 1e-3);
            }
            if (row.shape == kRoundedBoxFrame) {
                EXPECT_NEAR(std::fabs(anchors[0].in.h - anchors[0].p.h), r / 2 * kKappa, 1e-3);
            }
            // The text centred over the frame, its height centred on the end's level.
            const AIRealPoint at = TextAnchor(group);
            EXPECT_NEAR(at.h, kP.h + dir * (row.shape == kTriangleFrame ? (bigR + s) / 2 : r + s), 1e-3);
            EXPECT_NEAR(at.v, kP.v + h / 2 - 7, 1e-3);
            EXPECT_EQ(Texts(group), std::vector<std::string>{row.text});
        }
    }
}

TEST_F(LabelShapesTest, WithoutStretchingTheFrameGrowsEvenlyAndWithoutAFrameTheTextStandsAlone) {
    g->prefs.style.stretchLabelShape = 0;
    g->prefs.style.labelBorder = -3;
    const ObjId group = Shape(1, kBoxFrame, "ABCDEFGH");
    EXPECT_EQ(g->prefs.style.labelBorder, 0) << "a negative border is reset in the style";
    AIRealRect box = TextBox("ABCDEFGH");
    const double r = std::trunc((box.right - box.left - 8) / 2) + (box.top - box.bottom) / 2;
    const AIRealRect f = BoundsOf(Frames(group)[0]);
    EXPECT_NEAR(f.right - f.left, 2 * r, 1e-3);
    EXPECT_NEAR(f.top - f.bottom, 2 * r, 1e-3);
    // No frame: the text ends the border before the end, at its level for the wave leader.
    g->prefs.style.labelBorder = 4;
    box = TextBox("AB");
    for (const int32_t leader : {kElbowLeader, kWaveLeader}) {
        g->prefs.style.labelLeader = leader;
        const ObjId alone = Shape(-1, kNoFrame, "AB");
        EXPECT_TRUE(Frames(alone).empty());
        EXPECT_PT(TextAnchor(alone), kP.h - 4,
                  leader == kWaveLeader ? kP.v : kP.v + (box.top - box.bottom) / 2 - 7, kTol);
        EXPECT_EQ(FirstText(alone)->story.para.justification, 1) << "right-justified";
    }
}

TEST_F(LabelShapesTest, TheLabelTextIsMeasuredAsTheFontSetsItAndAFailureLeavesNothing) {
    const struct {
        const char* text;
        AIRealRect expected;
    } cases[] = {{"", TextBox("-")}, {"B\rCD", TextBox("B\rCD")}};
    for (const auto& c : cases) {
        AIRealRect r{};
        InGroup([&](AIArtHandle) { return GetLabelTextArtRect(c.text, &r); });
        EXPECT_NEAR(r.left, c.expected.left, 1e-3) << c.text;
        EXPECT_NEAR(r.right, c.expected.right, 1e-3) << c.text;
        EXPECT_NEAR(r.top, c.expected.top, 1e-3) << c.text;
        EXPECT_NEAR(r.bottom, c.expected.bottom, 1e-3) << c.text;
    }
    SwappedSuite<AITextFrameSuite> frames(sAITextFrame);
    frames->CreateOutline = [](AIArtHandle, AIArtHandle* outline) -> AIErr {
        *outline = nullptr;
        return kOutOfMemoryErr;
    };
    AIRealRect r{1, 2, 3, 4};
    InGroup([&](AIArtHandle) { return GetLabelTextArtRect("A", &r); }, kOutOfMemoryErr);
    EXPECT_TRUE(r.left == 0 && r.top == 0 && r.right == 0 && r.bottom == 0) << "never the bounds of before";
    const ObjId group = Shape(1, kBoxFrame, "A", kOutOfMemoryErr);
    EXPECT_TRUE(Paths(group).empty()) << "no frame sized from nothing";
    size_t texts = 0;
    doc->walk([&](const standin::Art& a, int) { texts += a.type == kTextFrameArt; });
    EXPECT_EQ(texts, 0u) << "no temporary text left";
}

}  // namespace
}  // namespace dimtest
