// Horizontal and vertical linear dimensions placed as a user places them: the value and its
// text's place, witness lines from the gap to past the line, the line broken around the
// text or drawn whole or as stubs, chains, shift snapping, the room rule, slides, labels
// from the click chain, and the axonometric hand-over. Expected numbers are worked out by
// hand from the style of the fixture.
#include <string>
#include <vector>

#include "DimensionToolFixture.h"
#include "dimensions/ClickChain.h"
#include "dimtools/LinearDimensions.h"

namespace dimtest {
namespace {

using LinearTest = DimensionToolTest;

constexpr AIReal kTol = 1e-3f;

#define EXPECT_PT(p, H, V)                                      \
    do {                                                        \
        EXPECT_NEAR((p).h, (H), kTol) << "h of " #p;            \
        EXPECT_NEAR((p).v, (V), kTol) << "v of " #p;            \
    } while (0)

TEST_F(LinearTest, HorizontalAcrossTheTopOfARectangle) {
    const ObjId rect = Rect(100, 100, 144, 72);
    ASSERT_EQ(Dimension("Horizontal Dimension", {{100, 172}, {244, 172}}, {170, 200}), kNoErr);
    const auto dims = Dimensions();
    ASSERT_EQ(dims.size(), 1u);
    EXPECT_EQ(Texts(dims[0]), std::vector<std::string>{"144.00"});
    const auto lines = Lines(dims[0]);
    // Witness lines from 4 above the clicks to 6 beyond the line at the drag's height.
    const auto left = Vertical(lines, 100), right = Vertical(lines, 244);
    ASSERT_EQ(left.size(), 1u);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_PT(left[0].a, 100, 176);
    EXPECT_PT(left[0].b, 100, 206);
    EXPECT_PT(right[0].a, 244, 176);
    EXPECT_PT(right[0].b, 244, 206);
    // The line at 200, broken around the centred text.
    const auto line = Horizontal(lines, 200);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_NEAR(line[0].a.h, 100, kTol);
    EXPECT_NEAR(line[1].b.h, 244, kTol);
    EXPECT_LT(line[0].b.h, 172);
    EXPECT_GT(line[1].a.h, 172);
    EXPECT_EQ(ClosedPaths(dims[0]), 2u);  // two filled arrowheads
    // Centred on the line's middle, lowered by half the size less the leading.
    const standin::Art* text = FirstText(dims[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->story.matrix.tx, 172, kTol);
    EXPECT_NEAR(text->story.matrix.ty, 200 - 5 + 2, kTol);
    // The clicks are stored on the rectangle: two clicks and the drag.
    const auto clicks = Clicks(rect);
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks[0].dimType, kHorizontal);
}

}  // namespace
}  // namespace dimtest
