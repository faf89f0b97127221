// Letter and number label texts against values written down by hand: the letter
// sequence across its wraps, the even and odd counters with their 16-bit wrap, and
// leading zeros (also for the negative numbers that wrap produces).
#include <gtest/gtest.h>

#include <set>
#include <string>

#include "geometry/CounterText.h"

namespace {

std::string Alpha(int inc, int twoLetters = 1) { return AlphaLabelText(static_cast<int16_t>(inc), twoLetters).c_str(); }
std::string Num(int inc, int zerosOn, int zeros) {
    return NumericLabelText(static_cast<int16_t>(inc), zerosOn, zeros).c_str();
}

TEST(AlphaLabels, SingleLettersStartAgainAfterZ) {
    EXPECT_EQ(Alpha(0, 0), "A");
    EXPECT_EQ(Alpha(25, 0), "Z");
    EXPECT_EQ(Alpha(26, 0), "A");
    EXPECT_EQ(Alpha(27, 0), "B");
    EXPECT_EQ(Alpha(-3, 0), "A");
    EXPECT_EQ(Alpha(-3, 1), "A");
}

TEST(AlphaLabels, TwoLettersInSpreadsheetOrder) {
    const std::pair<int, const char*> rows[] = {{25, "Z"},  {26, "AA"}, {27, "AB"}, {51, "AZ"},
                                                {52, "BA"}, {675, "YZ"}, {676, "ZA"}, {700, "ZY"}, {701, "ZZ"}};
    for (const auto& [inc, text] : rows) EXPECT_EQ(Alpha(inc), text) << inc;
}

TEST(AlphaLabels, BeyondZZEveryIndexStaysInTheAlphabet) {
    EXPECT_EQ(Alpha(702), "AAA");
    EXPECT_EQ(Alpha(703), "AAB");
    EXPECT_EQ(Alpha(702 + 26), "ABA");
    // 26 + 26^2 + 26^3 labels of up to three letters, then four.
    EXPECT_EQ(Alpha(26 + 676 + 17576 - 1), "ZZZ");
    EXPECT_EQ(Alpha(26 + 676 + 17576), "AAAA");
    std::set<std::string> seen;
    for (int inc = 0; inc <= 32767; ++inc) {
        const std::string text = Alpha(inc);
        ASSERT_FALSE(text.empty());
        ASSERT_LE(text.size(), 4u);
        for (char c : text) ASSERT_TRUE(c >= 'A' && c <= 'Z') << inc;
        ASSERT_TRUE(seen.insert(text).second) << "repeated " << text;
    }
}

TEST(NumericLabels, CountersStepByTheirOption) {
    EXPECT_EQ(NextNumericLabelIncrement(-7, 0), 1);
    EXPECT_EQ(NextNumericLabelIncrement(7, 0), 8);
    EXPECT_EQ(NextNumericLabelIncrement(7, 1), 8);   // next even
    EXPECT_EQ(NextNumericLabelIncrement(8, 1), 10);
    EXPECT_EQ(NextNumericLabelIncrement(7, 2), 9);   // next odd
    EXPECT_EQ(NextNumericLabelIncrement(8, 2), 9);
    EXPECT_EQ(NextNumericLabelIncrement(8, 5), 9);   // any other option counts odd
}

TEST(NumericLabels, SixteenBitsUpTo32767) {
    EXPECT_EQ(NextNumericLabelIncrement(32766, 0), 32767);
    EXPECT_EQ(NextNumericLabelIncrement(32767, 0), 32767) << "no number above: it stays";
    EXPECT_EQ(NextNumericLabelIncrement(-32768, 0), 1) << "a negative counter counts as 0";
    EXPECT_EQ(NextNumericLabelIncrement(32765, 1), 32766);
    EXPECT_EQ(NextNumericLabelIncrement(32766, 1), 32766);
    EXPECT_EQ(NextNumericLabelIncrement(32766, 2), 32767);
    // Only the low 16 bits of the stored counter count.
    EXPECT_EQ(NextNumericLabelIncrement(65536 + 4, 0), 5);
    EXPECT_EQ(NextNumericLabelIncrement(65535, 0), 1);  // low bits -1
}

TEST(NumericLabels, LeadingZerosGoAfterTheSign) {
    EXPECT_EQ(Num(5, 0, 3), "5");
    EXPECT_EQ(Num(5, 1, 0), "05");
    EXPECT_EQ(Num(42, 1, 0), "42");
    EXPECT_EQ(Num(123, 1, 0), "123");
    EXPECT_EQ(Num(5, 1, 3), "00005");
    EXPECT_EQ(Num(701, 1, 1), "701");
    EXPECT_EQ(Num(702, 1, 2), "0702");
    EXPECT_EQ(Num(-5, 1, 3), "-0005");
    EXPECT_EQ(Num(-5, 1, 0), "-5");
    EXPECT_EQ(Num(-32768, 1, 5), "-032768");
    EXPECT_EQ(Num(-32768, 0, 5), "-32768");
    // An absurd stored count still fits the text.
    EXPECT_EQ(Num(7, 1, 1000).size(), 63u);
    EXPECT_EQ(Num(7, 1, -40), "7");
}

}  // namespace
