// Custom scales: typed numbers, the dialog's units, free slots and labels cut to their
// slot; and the scale assistant's table fitting and centring.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "PluginGlobals.h"
#include "units/CustomScales.h"
#include "units/ScaleFitting.h"

namespace {

TEST(CustomScales, TypedNumbersArePositiveAndWithoutUnits) {
    ScopedGlobals scope;
    using R = ScaleNumberRead;
    const struct {
        const char* text;
        R read;
        double value;
    } rows[] = {
        {"50", R::ok, 50},         {"2.5", R::ok, 2.5},         {"1/8", R::ok, 0.125},  {"1 1/2", R::ok, 1.5},
        {"0", R::notPositive, 0},  {"-3", R::notPositive, 0},   {"0 1/2", R::notPositive, 0},
        {"0/4", R::notPositive, 0}, {"3/0", R::unreadable, 0},  {"1 1/0", R::unreadable, 0},
        // The sign is read before the denominator: a number that is not positive is named.
        {"0 1/0", R::notPositive, 0}, {"0/0", R::notPositive, 0}, {"-1/0", R::notPositive, 0},
        {"2 mm", R::unreadable, 0}, {"10'", R::unreadable, 0},  {"1/2 in", R::unreadable, 0},
        {"1 1/2 ft", R::unreadable, 0}, {"ten", R::unreadable, 0}, {"", R::unreadable, 0},
        {"nan", R::unreadable, 0},  {"1e999", R::unreadable, 0},
    };
    for (const auto& row : rows) {
        double value = -1;
        EXPECT_EQ(ReadScaleNumber(row.text, &value), row.read) << row.text;
        EXPECT_EQ(value, row.read == R::ok ? row.value : -1) << row.text;  // written only on success
    }
    // Comma decimals in that number format.
    g->prefs.numberFormat = 1;
    double value = 0;
    EXPECT_EQ(ReadScaleNumber("2,5", &value), R::ok);
    EXPECT_EQ(value, 2.5);
}

TEST(CustomScales, UnitsOfTheDialogPopups) {
    // Points per unit and suffixes of the menu's rows, and the row each numeric-input unit
    // code starts at (codes 0-7 themselves, inch forms, foot forms, mile, shaku).
    EXPECT_EQ(CustomScaleUnitPoints(8, 72), 72.0f);
    EXPECT_EQ(CustomScaleUnitPoints(9, 72), 864.0f);
    EXPECT_EQ(CustomScaleUnitPoints(1, 96), 0.75f);  // a pixel by the pixels per inch
    EXPECT_EQ(CustomScaleUnitPoints(12, 72), 0.0f);
    EXPECT_STREQ(CustomScaleUnitSuffix(8), "\"");
    EXPECT_STREQ(CustomScaleUnitSuffix(9), "'");
    EXPECT_STREQ(CustomScaleUnitSuffix(3), " mm");
    EXPECT_STREQ(CustomScaleUnitSuffix(-1), "");
    const int32_t starts[20] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 8, 8, 8, 9, 9, 9, 9, 9, 9, 10, 11};
    for (int32_t code = 0; code < 20; ++code) EXPECT_EQ(CustomScaleUnitIndexOf(code), starts[code]) << code;
    EXPECT_EQ(CustomScaleUnitIndexOf(20), 0);
}

TEST(CustomScales, LabelsAreCutToTheSlotKeepingTheRelationReadable) {
    const struct {
        std::string left, leftSuffix, separator, right, rightSuffix, label;
    } rows[] = {
        {"1", "\"", " = ", "10", "'", "1\" = 10'"},
        {"1", "", ":", "50", "", "1:50"},
        // 31 characters at most: the longer number gives way first, the marks stay whole.
        {"1", " mm", " = ", std::string(40, '7'), " km", "1 mm = " + std::string(21, '7') + " km"},
        {std::string(30, '1'), "", ":", std::string(30, '2'), "", std::string(15, '1') + ":" + std::string(15, '2')},
    };
    for (const auto& row : rows) {
        char label[kScaleLabelSize];
        ComposeCustomScaleLabel({row.left, row.leftSuffix}, row.separator, {row.right, row.rightSuffix}, label);
        EXPECT_EQ(label, row.label);
        EXPECT_LE(std::string(label).size(), 31u);
    }
}

TEST(CustomScales, TheFirstFreeSlotIsTakenEvenInTheMiddle) {
    ScopedGlobals scope;
    preferences& p = g->prefs;
    EXPECT_EQ(FirstFreeCustomSlot(p), 1);
    p.customScaler1 = p.customScaler2 = p.customScaler4 = 50;
    EXPECT_EQ(FirstFreeCustomSlot(p), 3);
    p.customScaler3 = p.customScaler5 = p.customScaler6 = p.customScaler7 = p.customScaler8 = p.customScaler9 = 2;
    p.customScaler10 = 0.5f;
    EXPECT_EQ(FirstFreeCustomSlot(p), 0);
}

TEST(ScaleFitting, TheFinestTableScaleCoarserThanTheFactor) {
    // Architectural scalers fall 192 ... 1 (ids 11-22), engineering 100 ... 0.01 (24-39).
    const struct {
        int32_t family;
        double factor;
        int32_t id;
    } rows[] = {
        {kArchitecturalScales, 16, 17},   // exactly 16 (id 18) takes the next coarser, 24
        {kArchitecturalScales, 20, 17},   {kArchitecturalScales, 191, 11},
        {kArchitecturalScales, 192, -1},  {kArchitecturalScales, 1000, -1},
        {kArchitecturalScales, 1, 21},    {kArchitecturalScales, 0.99, -1},
        {kEngineeringScales, 100, -1},    {kEngineeringScales, 99, 24},
        {kEngineeringScales, 0.01, 38},   {kEngineeringScales, 0.009, -1},
        {kEngineeringScales, NAN, -1},    {2, 10, -1},
    };
    for (const auto& row : rows)
        EXPECT_EQ(FitTableScale(row.family, row.factor), row.id) << row.family << " " << row.factor;
}

TEST(ScaleFitting, TheRescaledArtIsCentredInThePlace) {
    // A 100 x 50 art at (10..110, 20..70), ratio 96 at 1/8" = 1' (96): same size, its
    // centre on the place's centre (306, 396).
    const AIRealRect art{10, 70, 110, 20};
    const AIRealRect place{36, 756, 576, 36};
    AIRealMatrix m = CentringMatrix(art, 96, 96, place);
    auto at = [&](AIReal h, AIReal v) { return AIRealPoint{m.a * h + m.c * v + m.tx, m.b * h + m.d * v + m.ty}; };
    EXPECT_FLOAT_EQ(at(10, 70).h, 256);
    EXPECT_FLOAT_EQ(at(10, 70).v, 421);
    EXPECT_FLOAT_EQ(at(110, 20).h, 356);
    EXPECT_FLOAT_EQ(at(110, 20).v, 371);
    // At twice the ratio the art doubles about the same centre.
    m = CentringMatrix(art, 2, 1, place);
    EXPECT_FLOAT_EQ(at(10, 70).h, 206);
    EXPECT_FLOAT_EQ(at(110, 20).v, 346);
}

}  // namespace
