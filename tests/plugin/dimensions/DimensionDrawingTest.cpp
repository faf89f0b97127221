// The set-up of dimension drawing: the text metrics come from the current style.
#include <gtest/gtest.h>

#include "DialogHostFixture.h"
#include "dimensions/DimensionDrawing.h"

namespace {

using DimensionDrawingTest = DialogHostFixture;

TEST_F(DimensionDrawingTest, TextMetricsFollowTheStyle) {
    globals.prefs.style.dimensionTextSize = 10;
    AIReal size = 0, leading = 0;
    EXPECT_EQ(getPlatformCurrentTextSizeAndLeading(&size, &leading), kNoErr);
    EXPECT_EQ(size, 10);
    EXPECT_EQ(leading, 2);
    EXPECT_EQ(globals.charWidth, 6);
}

}  // namespace
