// The dash layouts of section and centre lines at the lengths where a pass of the pattern
// begins or not. Expected dashes are written from the patterns by hand as distances from the
// midpoint, the same on both sides; the layouts are read back side by side, so a piece out
// of place on either side, or not mirrored, fails.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "geometry/ChainLineDashes.h"

namespace {

using Side = std::vector<std::pair<double, double>>;  // dashes from the midpoint outwards

// The dashes of one side, measured from the midpoint (`before`: towards the first end).
Side SideOf(const std::vector<DashPiece>& dashes, double h, bool before) {
    Side out;
    for (const DashPiece& d : dashes) {
        const double a = d.from - h, b = d.to - h;
        const bool lies = std::fabs(a) > 1e-9 ? (a < 0) == before : (b < 0) == before;
        if (lies) out.push_back({std::fabs(a), std::fabs(b)});
    }
    std::sort(out.begin(), out.end());
    return out;
}

struct Case {
    const char* line;
    double h;
    Side side;
};

TEST(ChainLineDashesTest, DashesAtTheLengthsWhereAPassBeginsOrNot) {
    const Case cases[] = {
        // No pass up to 92.25: the half gap, a short dash, a gap, the end dash.
        {"section", 92.25, {{2.25, 11.25}, {15.75, 92.25}}},
        // One pass up to 159.75; the ends then start after the last short dash.
        {"section", 159.75, {{2.25, 11.25}, {15.75, 51.75}, {56.25, 65.25}, {69.75, 78.75}, {83.25, 159.75}}},
        // Shorter than a short dash: it and the end dash reach past the end and back.
        {"section", 10, {{2.25, 11.25}, {15.75, 10}}},
        // Centre lines: a short dash of 9 on the midpoint, made of two halves.
        {"centre", 81, {{0, 4.5}, {13.5, 81}}},
        {"centre", 144, {{0, 4.5}, {13.5, 49.5}, {58.5, 63}, {63, 67.5}, {76.5, 144}}},
        {"centre", 144.5,
         {{0, 4.5}, {13.5, 49.5}, {58.5, 63}, {63, 67.5}, {76.5, 112.5}, {121.5, 126}, {126, 130.5}, {139.5, 144.5}}},
    };
    for (const Case& c : cases) {
        const bool section = c.line[0] == 's';
        const auto dashes = section ? SectionLineDashes(static_cast<AIReal>(c.h)) : CenterLineDashes(static_cast<AIReal>(c.h));
        for (bool before : {true, false}) {
            const Side side = SideOf(dashes, c.h, before);
            ASSERT_EQ(side.size(), c.side.size()) << c.line << " " << c.h;
            for (size_t i = 0; i < side.size(); ++i) {
                EXPECT_NEAR(side[i].first, c.side[i].first, 1e-4) << c.line << " " << c.h << " dash " << i;
                EXPECT_NEAR(side[i].second, c.side[i].second, 1e-4) << c.line << " " << c.h << " dash " << i;
            }
        }
        // The end dashes close the line at its two ends.
        EXPECT_EQ(dashes[dashes.size() - 2].to, 0.0f) << c.line;
        EXPECT_NEAR(dashes.back().to, 2 * c.h, 1e-4) << c.line;
    }
}

TEST(ChainLineDashesTest, ACentreLineEndDashOnceAPassRanIsLongerThanHalfAShortOne) {
    for (double h = 81.25; h < 1000; h += 0.5) {
        const auto dashes = CenterLineDashes(static_cast<AIReal>(h));
        const double end = dashes.back().to - dashes.back().from;
        EXPECT_GT(end, 4.5) << h;
        EXPECT_LE(end, 67.5) << h;
    }
}

TEST(ChainLineDashesTest, AHugeLineStaysBoundedAndANonNumberHasNone) {
    const auto huge = SectionLineDashes(1e12f);
    EXPECT_EQ(huge.size(), 1000u * 6 + 4);
    EXPECT_NEAR(huge.back().to, 2e12, 1e6);
    EXPECT_TRUE(CenterLineDashes(std::nanf("")).empty());
    EXPECT_TRUE(SectionLineDashes(INFINITY).empty());
}

}  // namespace
