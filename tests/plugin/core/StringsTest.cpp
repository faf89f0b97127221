// The bounded string helpers: nothing is ever written past a buffer, and a length byte
// never wraps.
#include <cstring>
#include <string>

#include "CoreFixture.h"
#include "core/PlotwiseStrings.h"

namespace coretest {
namespace {

TEST(StringsTest, CopiesAreBoundedAndTerminated) {
    char small[4];
    std::memset(small, 'z', sizeof small);
    EXPECT_EQ(CopyCString(small, sizeof small, "abcdef"), 3u);
    EXPECT_STREQ(small, "abc");
    EXPECT_EQ(CopyCString(small, sizeof small, nullptr), 0u);
    EXPECT_STREQ(small, "");
    EXPECT_EQ(CopyCString(nullptr, 10, "x"), 0u);
}

TEST(StringsTest, LengthPrefixedConversionsNeverWrap) {
    const std::string long300(300, 'q');
    unsigned char p[256];
    whyDoIAlwaysHaveToConvertCtoPStrings(long300.c_str(), p);
    EXPECT_EQ(p[0], 255);  // cut, not 300 - 256
    EXPECT_EQ(std::string(reinterpret_cast<char*>(p + 1), 255), std::string(255, 'q'));

    unsigned char tiny[6];
    whyDoIAlwaysHaveToConvertCtoPStrings("abcdefgh", tiny, sizeof tiny);
    EXPECT_EQ(tiny[0], 5);

    char c[256];
    whyDoIAlwaysHaveToConvertPtoCStrings(p, c);
    EXPECT_EQ(std::strlen(c), 255u);
    char c4[4];
    whyDoIAlwaysHaveToConvertPtoCStrings(p, c4, sizeof c4);
    EXPECT_STREQ(c4, "qqq");
    whyDoIAlwaysHaveToConvertPtoCStrings(nullptr, c4, sizeof c4);
    EXPECT_STREQ(c4, "");
}

TEST_F(CoreTest, UnicodeConversionsCutAtTheirLimits) {
    ASSERT_EQ(session->startup(), kNoErr);
    const ai::UnicodeString text(std::string(600, 'w') + "\xB0");
    const unsigned char* p = UStrToPStr(text);
    EXPECT_EQ(p[0], 255);
    const unsigned char degree[] = {2, '9', 0xB0};
    EXPECT_EQ(PStrToUStr(degree).as_UTF8(), "9\u00B0");

    char message[512];
    ASSERT_EQ(GetPlotwiseString(17000, 4, message, sizeof message), kNoErr);
    EXPECT_STREQ(message, "Use this tool by clicking and dragging.");
    char cut[8];
    GetPlotwiseString(17000, 4, cut, sizeof cut);
    EXPECT_STREQ(cut, "Use thi");
    EXPECT_NE(GetPlotwiseString(17000, 999, message, sizeof message), kNoErr);
    EXPECT_STREQ(message, "");
}

}  // namespace
}  // namespace coretest
