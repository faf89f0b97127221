// Value strings from a table of styles, each checked against the text written down by
// hand: units, precisions, scales, dual units, tolerances, number formats, the diameter
// sign the radial tools put in front, and the bound of theText.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>
#include <string>

#include "DimensionPartsFixture.h"
#include "core/PlotwiseStrings.h"
#include "dimensions/DimensionValueString.h"
#include "geometry/UnitFormat.h"

namespace {

using Style = Plotwise3_Live_Dimension_Data;

struct Row {
    const char* name;
    float length;
    std::function<void(PlotwiseGlobals&)> set;
    const char* expected;
};

class ValueStringTest : public DimensionPartsFixture {
protected:
    void SetUp() override {
        DimensionPartsFixture::SetUp();
        Defaults();
    }
    void Defaults() {
        G().prefs = preferences{};
        Style& s = G().prefs.style;
        s.dimensionFormat = 0;
        s.upperUnits = kMillimeterUnits;
        s.upperDecimalPrecision = 2;
        s.upperFractionalPrecision = 4;
        s.appendUpperUnitLabels = 1;
        s.lowerUnits = kFractionalInchMarkUnits;
        s.lowerDecimalPrecision = 3;
        s.lowerFractionalPrecision = 4;
        s.appendLowerUnitLabels = 1;
        s.upperTolerance = s.lowerTolerance = s.dualDimensions = 0;
        s.upperToleranceValue[0] = s.lowerToleranceValue[0] = '\0';
        G().prefs.scaler = 1.0f;
        G().prefs.numberFormat = 0;
    }
    std::string Make(float length) {
        EXPECT_EQ(makeGlobalDimensionString(length), 0);
        return G().theText;
    }
};

TEST_F(ValueStringTest, EachStyleGivesTheValueStringWrittenByHand) {
    const Row rows[] = {
        {"mm", 72, [](PlotwiseGlobals&) {}, "25.40 mm"},
        {"mm without label", 72, [](PlotwiseGlobals& g) { g.prefs.style.appendUpperUnitLabels = 0; }, "25.40"},
        {"points, precision 0", 72.4f,
         [](PlotwiseGlobals& g) {
             g.prefs.style.upperUnits = kPointUnits;
             g.prefs.style.upperDecimalPrecision = 0;
         },
         "72 pt"},
        {"decimal inches", 72,
         [](PlotwiseGlobals& g) {
             g.prefs.style.upperUnits = kDecimalInchMarkUnits;
             g.prefs.style.upperDecimalPrecision = 3;
         },
         "1.000\""},
        {"fractional inches take the fractional precision", 99,
         [](PlotwiseGlobals& g) {
             g.prefs.style.upperUnits = kFractionalInchMarkUnits;
             g.prefs.style.upperFractionalPrecision = 3;
             g.prefs.style.upperDecimalPrecision = 5;
         },
         "1 3/8\""},
        {"fractional inches at quarters round half away", 99,
         [](PlotwiseGlobals& g) {
             g.prefs.style.upperUnits = kFractionalInchWordUnits;
             g.prefs.style.upperFractionalPrecision = 2;
         },
         "1 1/2 in"},
        {"feet and inches at 1:48", 99,
         [](PlotwiseGlobals& g) {
             g.prefs.style.upperUnits = kFeetFractionalInchMarkUnits;
             g.prefs.scaler = 48.0f;
         },
         "5'-6\""},
        {"decimal comma", 72, [](PlotwiseGlobals& g) { g.prefs.numberFormat = 1; }, "25,40 mm"},
        {"symmetric tolerance", 72,
         [](PlotwiseGlobals& g) {
             g.prefs.style.upperTolerance = 1;
             std::strcpy(g.prefs.style.upperToleranceValue, "0.05");
         },
         "25.40 mm \xB1" "0.05"},
        {"deviation tolerance", 72,
         [](PlotwiseGlobals& g) {
             g.prefs.style.upperTolerance = 1;
             std::strcpy(g.prefs.style.upperToleranceValue, "+0.1/-0.05");
         },
         "25.40 mm \xB1+0.1/-0.05"},
        {"empty tolerance keeps its sign", 72, [](PlotwiseGlobals& g) { g.prefs.style.upperTolerance = 1; },
         "25.40 mm \xB1"},
        {"tolerance text without the switch", 72,
         [](PlotwiseGlobals& g) { std::strcpy(g.prefs.style.upperToleranceValue, "0.05"); }, "25.40 mm"},
        {"dual units", 72, [](PlotwiseGlobals& g) { g.prefs.style.dualDimensions = 1; }, "25.40 mm\r1\""},
        {"dual units, lower labels off", 90,
         [](PlotwiseGlobals& g) {
             g.prefs.style.dualDimensions = 1;
             g.prefs.style.appendLowerUnitLabels = 0;
             g.prefs.style.lowerUnits = kDecimalInchWordUnits;
         },
         "31.75 mm\r1.250"},
        {"dual units with both tolerances", 72,
         [](PlotwiseGlobals& g) {
             Style& s = g.prefs.style;
             s.dualDimensions = 1;
             s.upperTolerance = 1;
             std::strcpy(s.upperToleranceValue, "0.05");
             s.lowerTolerance = 1;
             std::strcpy(s.lowerToleranceValue, "1/64");
         },
         "25.40 mm \xB1" "0.05\r1\" \xB1" "1/64"},
        {"lower tolerance only", 72,
         [](PlotwiseGlobals& g) {
             g.prefs.style.dualDimensions = 1;
             g.prefs.style.lowerTolerance = 1;
             std::strcpy(g.prefs.style.lowerToleranceValue, "0.002");
         },
         "25.40 mm\r1\" \xB1" "0.002"},
    };
    for (const Row& row : rows) {
        Defaults();
        row.set(G());
        EXPECT_EQ(Make(row.length), row.expected) << row.name;
        const std::string text = G().theText;
        const long crs = std::count(text.begin(), text.end(), '\r');
        EXPECT_EQ(crs, G().prefs.style.dualDimensions ? 1 : 0) << row.name;
    }
}

TEST_F(ValueStringTest, OtherFormatsLeaveTheTextAlone) {
    for (int format : {1, 2, 3, 4}) {
        std::strcpy(G().theText, "B");
        G().prefs.style.dimensionFormat = format;
        EXPECT_EQ(Make(72), "B") << format;
    }
}

TEST_F(ValueStringTest, DiameterSignInFrontAsTheRadialToolsWriteIt) {
    ASSERT_EQ(Make(72), "25.40 mm");
    const std::string diameter = std::string(G().slashZeroSymbol) + " " + G().theText;
    EXPECT_EQ(diameter, "\xD8 25.40 mm");
    EXPECT_STREQ(G().degreeSymbol, "\xB0");
    EXPECT_STREQ(G().plusMinusSymbol, "\xB1");
}

TEST_F(ValueStringTest, LongTolerancesAreCutAndTheLinesKept) {
    Style& s = G().prefs.style;
    s.dualDimensions = 1;
    s.upperTolerance = 1;
    s.lowerTolerance = 1;
    std::memset(s.upperToleranceValue, 'U', sizeof s.upperToleranceValue);  // not even terminated
    std::memset(s.lowerToleranceValue, 'L', sizeof s.lowerToleranceValue - 1);
    std::memset(G().theText + 0, 0, sizeof G().theText);
    const std::string text = Make(72);
    EXPECT_EQ(text.size(), 255u);
    EXPECT_EQ(G().theText[255], '\0');
    const size_t cr = text.find('\r');
    ASSERT_NE(cr, std::string::npos);
    EXPECT_EQ(text.compare(0, 10, "25.40 mm \xB1"), 0);
    EXPECT_EQ(text.compare(cr, 5, "\r1\" \xB1"), 0);
    const size_t upperTolerance = cr - 10, lowerTolerance = text.size() - cr - 5;
    EXPECT_EQ(upperTolerance + lowerTolerance, 255u - 15u);
    EXPECT_LE(upperTolerance > lowerTolerance ? upperTolerance - lowerTolerance : lowerTolerance - upperTolerance, 1u)
        << "two long tolerances share the room";
    // A short lower tolerance is kept whole and the upper one takes the rest.
    std::strcpy(s.lowerToleranceValue, "0.1");
    const std::string second = Make(72);
    EXPECT_EQ(second.size(), 255u);
    EXPECT_EQ(second.substr(second.size() - 3), "0.1");
}

TEST_F(ValueStringTest, APairKeepsItsValueOrShowsItsLabel) {
    live_dimension_text_data record{};
    EXPECT_EQ(makePairDimensionString(record, 72), kNoErr);
    EXPECT_STREQ(G().theText, "25.40 mm");
    EXPECT_STREQ(record.dimStr, "25.40 mm");  // the record keeps the value it shows

    record.dimensionFormat = 1;  // a label: its own text, whatever the length
    CopyCString(record.dimStr, "B");
    EXPECT_EQ(makePairDimensionString(record, 144), kNoErr);
    EXPECT_STREQ(G().theText, "B");
    EXPECT_STREQ(record.dimStr, "B");

    // A label longer than theText holds is cut to it, not copied past it.
    std::memset(record.dimStr, 'L', sizeof record.dimStr - 1);
    record.dimStr[sizeof record.dimStr - 1] = '\0';
    EXPECT_EQ(makePairDimensionString(record, 72), kNoErr);
    EXPECT_EQ(std::string(G().theText), std::string(sizeof G().theText - 1, 'L'));
}

}  // namespace
