// Platform (Windows-1252 plus the shaku pair) and UTF-8 conversions, and the Unicode
// string and file path classes the plug-in uses.
#include <gtest/gtest.h>

#include "AIUnicodeString.h"
#include "text/Encoding.h"
#include "text/TextEngine.h"

using namespace standin::text;

TEST(PlatformEncoding, EveryByteRoundTrips) {
    for (int b = 0; b < 256; ++b) {
        const std::string one(1, static_cast<char>(b));
        const std::u32string u = platformToUnicode(one);
        ASSERT_EQ(u.size(), 1u) << b;
        EXPECT_EQ(unicodeToPlatform(u), one) << b;
        EXPECT_EQ(utf8ToPlatform(platformToUtf8(one)), one) << b;
    }
    std::string all;
    for (int b = 0; b < 256; ++b) all.push_back(static_cast<char>(b));
    EXPECT_EQ(unicodeToPlatform(platformToUnicode(all)), all);
    EXPECT_EQ(platformToUnicode(all).size(), 256u);
}

TEST(PlatformEncoding, KnownCharacters) {
    EXPECT_EQ(platformToUnicode("\x80\xB0\xB1\xD8\x8E"), U"\u20AC\u00B0\u00B1\u00D8\u017D");
    EXPECT_EQ(platformToUnicode("\x81\x8D\x8F\x90\x9D"), U"\u0081\u008D\u008F\u0090\u009D");  // undefined bytes
    EXPECT_EQ(platformToUtf8("\xB0"), "\xC2\xB0");
    EXPECT_EQ(unicodeToPlatform(U"\u4E00x\U0001F600"), "?x?");  // no platform byte
}

TEST(PlatformEncoding, ShakuPairIsOneCharacter) {
    const std::string bytes = "3\x8E\xDA" "5";
    EXPECT_EQ(platformToUnicode(bytes), U"3\u5C3A5");
    EXPECT_EQ(unicodeToPlatform(platformToUnicode(bytes)), bytes);
    EXPECT_EQ(platformToUtf8("\x8E\xDA"), "\xE5\xB0\xBA");
    // 0x8E alone, or before another byte, stays the Windows-1252 character.
    EXPECT_EQ(platformToUnicode("\x8E"), U"\u017D");
    EXPECT_EQ(platformToUnicode("\x8E" "A"), U"\u017DA");
    // Prefixes never cut the pair.
    EXPECT_EQ(platformPrefixLength("ab\x8E\xDA", 3), 2u);
    EXPECT_EQ(platformPrefixLength("ab\x8E\xDA", 4), 4u);
    EXPECT_EQ(platformPrefixLength("ab\x8E", 3), 3u);
}

TEST(Utf8, MalformedInputIsReplacedSafely) {
    EXPECT_EQ(fromUtf8("a\xC3"), U"a\uFFFD");           // truncated sequence at the end
    EXPECT_EQ(fromUtf8("\xE2\x82"), U"\uFFFD");
    EXPECT_EQ(fromUtf8("\xFF" "b"), U"\uFFFDb");
    EXPECT_EQ(fromUtf8("\xC0\xAF"), U"\uFFFD");          // overlong
    EXPECT_EQ(fromUtf8("\xED\xA0\x80"), U"\uFFFD");      // surrogate
    EXPECT_EQ(fromUtf8("\xF0\x9F\x98\x80"), U"\U0001F600");
    EXPECT_EQ(toUtf8(U"\U0001F600\u00E9"), "\xF0\x9F\x98\x80\xC3\xA9");
}

class UnicodeStringTest : public ::testing::Test {
protected:
    void SetUp() override { sAIUnicodeString = &TextEngine::unicodeSuite(); }
    void TearDown() override { sAIUnicodeString = nullptr; }
};

TEST_F(UnicodeStringTest, PlatformAndPascalConstruction) {
    const ai::UnicodeString s("25\xB0\x8E\xDA");
    EXPECT_EQ(s.as_UTF32(), U"25\u00B0\u5C3A");
    EXPECT_EQ(s.as_Platform(), "25\xB0\x8E\xDA");
    EXPECT_EQ(s.as_UTF8(), "25\xC2\xB0\xE5\xB0\xBA");
    const unsigned char pascal[] = {3, 'a', 'b', 'c', 'z'};
    EXPECT_EQ(ai::UnicodeString::FromPascal(pascal), ai::UnicodeString("abc"));
    EXPECT_NE(ai::UnicodeString("abc"), ai::UnicodeString("abd"));
    EXPECT_TRUE(ai::UnicodeString(static_cast<const char*>(nullptr)).empty());
    EXPECT_EQ(ai::UnicodeString::FromUTF8("\xC3\xA9"), ai::UnicodeString("\xE9"));
}

TEST_F(UnicodeStringTest, BoundedCopiesKeepWholeCharacters) {
    std::string long300(300, 'x');
    unsigned char pascal[256];
    EXPECT_EQ(ai::UnicodeString(long300).getToPascal(pascal, sizeof pascal), 255u);
    EXPECT_EQ(pascal[0], 255);

    // A pair that would straddle the limit is left out whole.
    const std::string edge = std::string(254, 'y') + "\x8E\xDA";
    EXPECT_EQ(ai::UnicodeString(edge).getToPascal(pascal, sizeof pascal), 254u);

    char c[512];
    const std::string long600(600, 'z');
    EXPECT_EQ(ai::UnicodeString(long600).getToCString(c, sizeof c), 511u);
    EXPECT_EQ(c[511], '\0');
    char small[3];
    EXPECT_EQ(ai::UnicodeString("a\x8E\xDA").getToCString(small, sizeof small), 1u);
    EXPECT_STREQ(small, "a");
    EXPECT_EQ(ai::UnicodeString("abc").getToCString(c, 0), 0u);
}

TEST_F(UnicodeStringTest, FilePathComponents) {
    ai::FilePath p(ai::UnicodeString("/home/user"));
    p.AddComponent(ai::UnicodeString("Plotwise"));
    p.AddComponent(ai::UnicodeString("Presets.txt"));
    EXPECT_EQ(p.GetFullPath(false).as_UTF8(), "/home/user/Plotwise/Presets.txt");
    ai::FilePath root(ai::UnicodeString("/"));
    root.AddComponent(ai::UnicodeString("tmp"));
    EXPECT_EQ(root.GetFullPath().as_UTF8(), "/tmp");
    EXPECT_TRUE(ai::FilePath().IsEmpty());
}

TEST(UnicodeStringWithoutHost, ConversionsAreEmptyNotCrashes) {
    sAIUnicodeString = nullptr;
    const ai::UnicodeString s("abc");
    EXPECT_TRUE(s.empty());
    char buf[8] = "zzz";
    EXPECT_EQ(s.getToCString(buf, sizeof buf), 0u);
    EXPECT_STREQ(buf, "");
}
