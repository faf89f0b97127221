// The text of the label being drawn: it keeps the letter or number its first click was
// given and takes the next one only when it has none (the counter then moves on), shows its
// custom text, is empty for formats that are none of these, and is bounded by its buffer;
// the labels panel follows except while dimensions are regenerated.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "DialogHostFixture.h"
#include "PanelServiceSpy.h"
#include "core/PlotwiseStrings.h"
#include "dimensions/ClickChain.h"
#include "dimtools/LabelText.h"

namespace {

struct LabelTextTest : DialogHostFixture {
    cdDataStruct node{};
    PanelServiceSpy panels;
    void SetUp() override {
        DialogHostFixture::SetUp();
        node.textData.alpha = node.textData.numeric = -1;
        globals.firstChainDimDataPtr = globals.lastChainDimDataPtr = &node;
    }
    void TearDown() override {
        globals.firstChainDimDataPtr = globals.lastChainDimDataPtr = nullptr;
        DialogHostFixture::TearDown();
    }
    std::string Text(int32_t format, size_t size = 1024) {
        char text[1024];
        std::memset(text, 'x', sizeof text);
        GetLabelText(format, text, nullptr, size);
        return text;
    }
};

TEST_F(LabelTextTest, ALabelWithoutItsLetterTakesTheNextOneOnce) {
    globals.prefs.incrementalLabelAlpha = 27;
    globals.prefs.style.alphaLabelMenuOption = 1;  // two letters after Z
    EXPECT_EQ(Text(0), "AB");
    EXPECT_EQ(node.textData.alpha, 27);
    EXPECT_EQ(globals.prefs.incrementalLabelAlpha, 28);
    EXPECT_EQ(Text(0), "AB");  // the label keeps its letter
    EXPECT_EQ(globals.prefs.incrementalLabelAlpha, 28);
    EXPECT_EQ(PanelServiceSpy::labelFieldRefreshes, 2);
}

TEST_F(LabelTextTest, ALabelWithoutItsNumberTakesTheNextByTheNumbering) {
    globals.prefs.incrementalLabelNumber = 7;
    globals.prefs.style.numericLabelMenuOption = 1;  // even numbers
    globals.prefs.style.NumericLabelsUseLeadingZeros = 1;
    globals.prefs.style.NumericLabelsNumberOfLeadingZeros = 1;
    EXPECT_EQ(Text(1), "008");
    EXPECT_EQ(node.textData.numeric, 8);
    EXPECT_EQ(globals.prefs.incrementalLabelNumber, 8);
    node.textData.numeric = 42;  // a label that has its number keeps it
    EXPECT_EQ(Text(1), "042");
    EXPECT_EQ(globals.prefs.incrementalLabelNumber, 8);
}

TEST_F(LabelTextTest, CustomTextOtherFormatsAndTheBound) {
    CopyCString(node.textData.customStr, "Datum A");
    EXPECT_EQ(Text(3), "Datum A");
    EXPECT_EQ(Text(3, 4), "Dat");
    EXPECT_EQ(Text(7), "");
    EXPECT_EQ(Text(-1), "");
}

TEST_F(LabelTextTest, WithoutAChainTheCountersAreReadNotMoved) {
    globals.firstChainDimDataPtr = globals.lastChainDimDataPtr = nullptr;
    globals.prefs.incrementalLabelAlpha = 2;
    EXPECT_EQ(Text(0), "C");
    EXPECT_EQ(globals.prefs.incrementalLabelAlpha, 2);
}

TEST_F(LabelTextTest, RegenerationLeavesTheLabelsPanelAlone) {
    globals.updatingDimensions = 1;
    node.textData.alpha = 0;
    EXPECT_EQ(Text(0), "A");
    EXPECT_EQ(PanelServiceSpy::labelFieldRefreshes, 0);
}

}  // namespace
