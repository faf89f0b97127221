// Counters of lettered and numbered texts through the current style: which counter moves
// after a dimension or label is placed, the numbering options, and the panel refresh that
// follows every time (and is skipped when no panel provides it).
#include <gtest/gtest.h>

#include <limits>
#include <string>

#include "PanelServiceSpy.h"
#include "PluginGlobals.h"
#include "artwork/LabelCounters.h"

namespace {

struct LabelCountersTest : ::testing::Test {
    ScopedGlobals globals;
    PlotwiseGlobals& G = globals.globals;
};

TEST_F(LabelCountersTest, TextsFollowTheStyleOptions) {
    G.prefs.style.alphaLabelMenuOption = 0;
    EXPECT_STREQ(GetAlphaLabelText(27).c_str(), "B");
    G.prefs.style.alphaLabelMenuOption = 1;
    EXPECT_STREQ(GetAlphaLabelText(27).c_str(), "AB");
    EXPECT_STREQ(GetAlphaLabelText(702).c_str(), "AAA");
    G.prefs.style.NumericLabelsUseLeadingZeros = 0;
    G.prefs.style.NumericLabelsNumberOfLeadingZeros = 3;
    EXPECT_STREQ(GetNumericLabelText(5).c_str(), "5");
    G.prefs.style.NumericLabelsUseLeadingZeros = 1;
    EXPECT_STREQ(GetNumericLabelText(5).c_str(), "00005");
    EXPECT_STREQ(GetNumericLabelText(-5).c_str(), "-0005");
}

TEST_F(LabelCountersTest, NumericLabelCounterStepsUpTo32767) {
    G.prefs.style.numericLabelMenuOption = 1;  // even numbers
    G.prefs.incrementalLabelNumber = 7;
    EXPECT_EQ(GetNextNumericLabelIncrement(), 8);
    EXPECT_EQ(GetNextNumericLabelIncrement(), 10);
    EXPECT_EQ(G.prefs.incrementalLabelNumber, 10);
    G.prefs.incrementalLabelNumber = 32766;
    EXPECT_EQ(GetNextNumericLabelIncrement(), 32766) << "no even number above";
    G.prefs.style.numericLabelMenuOption = 0;
    EXPECT_EQ(GetNextNumericLabelIncrement(), 32767);
    EXPECT_EQ(GetNextNumericLabelIncrement(), 32767);
    EXPECT_EQ(G.prefs.incrementalLabelNumber, 32767);
}

TEST_F(LabelCountersTest, PlacingADimensionMovesItsFormatsCounter) {
    PanelServiceSpy spy;
    G.prefs.incrementalDimAlpha = 4;
    G.prefs.incrementalDimNumber = 9;
    const int expectAlpha[] = {4, 5, 5, 5, 5};
    const int expectNumber[] = {9, 9, 10, 10, 10};
    for (int format = 0; format <= 4; ++format) {
        G.prefs.style.dimensionFormat = format;
        UpdateIncrementalInfo();
        EXPECT_EQ(G.prefs.incrementalDimAlpha, expectAlpha[format]) << format;
        EXPECT_EQ(G.prefs.incrementalDimNumber, expectNumber[format]) << format;
        EXPECT_EQ(PanelServiceSpy::dimensionFieldRefreshes, format + 1) << "refreshed whatever the format";
    }
    EXPECT_EQ(PanelServiceSpy::labelFieldRefreshes, 0);
}

TEST_F(LabelCountersTest, PlacingALabelMovesItsFormatsCounter) {
    PanelServiceSpy spy;
    G.prefs.incrementalLabelAlpha = 25;
    G.prefs.incrementalLabelNumber = 8;
    G.prefs.style.numericLabelMenuOption = 2;  // odd numbers
    G.prefs.style.labelFormat = 0;
    UpdateIncrementalLabelInfo();
    EXPECT_EQ(G.prefs.incrementalLabelAlpha, 26);
    G.prefs.style.labelFormat = 1;
    UpdateIncrementalLabelInfo();
    EXPECT_EQ(G.prefs.incrementalLabelNumber, 9);
    UpdateIncrementalLabelInfo();
    EXPECT_EQ(G.prefs.incrementalLabelNumber, 11);
    G.prefs.style.labelFormat = 2;  // geometric: no counter
    UpdateIncrementalLabelInfo();
    EXPECT_EQ(G.prefs.incrementalLabelAlpha, 26);
    EXPECT_EQ(G.prefs.incrementalLabelNumber, 11);
    EXPECT_EQ(PanelServiceSpy::labelFieldRefreshes, 4);
    EXPECT_EQ(PanelServiceSpy::dimensionFieldRefreshes, 0);
}

TEST_F(LabelCountersTest, ACounterAtItsLargestValueStaysThere) {
    // As a preference file or a damaged document may leave them.
    constexpr int32_t kLargest = std::numeric_limits<int32_t>::max();
    int32_t counter = kLargest;
    EXPECT_EQ(TakeCounter(counter), kLargest);
    EXPECT_EQ(counter, kLargest);
    G.prefs.incrementalDimAlpha = G.prefs.incrementalDimNumber = G.prefs.incrementalLabelAlpha = kLargest;
    for (int format : {1, 2}) {
        G.prefs.style.dimensionFormat = G.prefs.style.labelFormat = format - 1;
        UpdateIncrementalInfo();
        UpdateIncrementalLabelInfo();
    }
    EXPECT_EQ(G.prefs.incrementalDimAlpha, kLargest);
    EXPECT_EQ(G.prefs.incrementalDimNumber, kLargest);
    EXPECT_EQ(G.prefs.incrementalLabelAlpha, kLargest);
}

TEST_F(LabelCountersTest, WithoutPanelsTheCountersStillMove) {
    G.prefs.style.dimensionFormat = 2;
    G.prefs.incrementalDimNumber = 1;
    UpdateIncrementalInfo();
    EXPECT_EQ(G.prefs.incrementalDimNumber, 2);
    G.prefs.style.labelFormat = 0;
    UpdateIncrementalLabelInfo();
    EXPECT_EQ(G.prefs.incrementalLabelAlpha, 1);
}

}  // namespace
