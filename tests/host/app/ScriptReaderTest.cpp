// The script reader: how lines split into words, how quoted strings and comments behave, and
// how typed arguments refuse what they cannot take.
#include <gtest/gtest.h>

#include "Script.h"

using namespace plotwise::app;

namespace {

std::vector<std::string> words(std::string_view line) {
    std::vector<std::string> out;
    for (const auto& t : tokenize(line)) out.push_back(t.text);
    return out;
}

}  // namespace

TEST(ScriptReader, SplitsOnSpaceAndStopsAtComment) {
    EXPECT_EQ(words("rect 1 2  3\t4   # a comment"), (std::vector<std::string>{"rect", "1", "2", "3", "4"}));
    EXPECT_TRUE(words("   # only a comment").empty());
    EXPECT_TRUE(words("").empty());
    EXPECT_EQ(words("undo\r"), (std::vector<std::string>{"undo"}));
}

TEST(ScriptReader, QuotedStringsKeepSpacesHashesAndEscapes) {
    const auto tokens = tokenize(R"(layer add "Dims # 1 \"A\" \\ x" # comment)");
    ASSERT_EQ(tokens.size(), 3u);
    EXPECT_EQ(tokens[2].text, R"(Dims # 1 "A" \ x)");
    EXPECT_TRUE(tokens[2].quoted);
    EXPECT_FALSE(tokens[0].quoted);
    const auto empty = tokenize(R"(layer add "")");
    ASSERT_EQ(empty.size(), 3u);
    EXPECT_EQ(empty[2].text, "");
}

TEST(ScriptReader, MalformedQuotesAreErrors) {
    EXPECT_THROW(tokenize(R"(layer add "Dims)"), ScriptError);
    EXPECT_THROW(tokenize(R"(layer add "Dims"x)"), ScriptError);
    EXPECT_THROW(tokenize(R"(layer add Di"ms")"), ScriptError);
}

TEST(ScriptReader, TypedArgumentsRefuseWhatTheyCannotHold) {
    Args args("rect", tokenize("10 -2.5 +3 1e3 abc 1e39 nan 12x 3000000000"));
    EXPECT_EQ(args.real(0, "X"), 10.0f);
    EXPECT_EQ(args.real(1, "Y"), -2.5f);
    EXPECT_EQ(args.real(2, "W"), 3.0f);
    EXPECT_EQ(args.real(3, "H"), 1000.0f);
    EXPECT_THROW(args.real(4, "X"), ScriptError);
    EXPECT_THROW(args.real(5, "X"), ScriptError);  // beyond a 32-bit real
    EXPECT_THROW(args.real(6, "X"), ScriptError);
    EXPECT_THROW(args.real(7, "X"), ScriptError);
    EXPECT_THROW(args.integer(8, "ID"), ScriptError);
    EXPECT_THROW(args.real(9, "X"), ScriptError);  // missing
    try {
        args.real(4, "the width");
    } catch (const ScriptError& e) {
        EXPECT_STREQ(e.what(), "rect: the width must be a number, not \"abc\"");
    }
}

TEST(ScriptReader, NumbersOutOfRangeSayHowFarTheyMayGo) {
    Args args("ticks", tokenize("99999999999999 -3000000000 1e39 -1e40"));
    const auto message = [&](auto read) {
        try {
            read();
        } catch (const ScriptError& e) {
            return std::string(e.what());
        }
        return std::string("no error");
    };
    EXPECT_EQ(message([&] { args.integer(0, "the tick count"); }),
              "ticks: the tick count 99999999999999 is too large (at most 2147483647)");
    EXPECT_EQ(message([&] { args.integer(1, "the tick count"); }),
              "ticks: the tick count -3000000000 is too small (at least -2147483648)");
    EXPECT_EQ(message([&] { args.real(2, "X"); }), "ticks: X 1e39 is beyond what a 32-bit real holds (about 3.4e38 either way)");
    EXPECT_EQ(message([&] { args.real(3, "X"); }), "ticks: X -1e40 is beyond what a 32-bit real holds (about 3.4e38 either way)");
}

TEST(ScriptReader, CountsAndSubcommands) {
    Args args("layer", tokenize(R"(add "Title")"));
    EXPECT_NO_THROW(args.requireCount(2, 2));
    EXPECT_THROW(args.requireCount(3, 4), ScriptError);
    const Args sub = args.subcommand();
    EXPECT_EQ(sub.command(), "layer add");
    EXPECT_EQ(sub.size(), 1u);
    EXPECT_TRUE(args.is(0, "add"));
    EXPECT_FALSE(Args("layer", tokenize(R"("add")")).is(0, "add"));  // quoted words are never keywords
}
