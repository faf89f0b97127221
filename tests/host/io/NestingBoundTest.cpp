// What the reader opens, the writer saves: art and dictionaries nested up to the bound open
// and save; one level past it is refused by both, in the same words.
#include <gtest/gtest.h>

#include <string>

#include "io/DocumentFile.h"

using namespace standin;
using namespace standin::io;

namespace {

// A layer holding `artDepth` groups, each inside the one before; the innermost (or the
// layer) holds a dictionary with `dictDepth` dictionaries each inside the one before.
std::string nestedText(int artDepth, int dictDepth) {
    std::string dictionary = "{}";
    for (int i = 0; i < dictDepth; ++i) dictionary = R"({"k":{"dict":)" + dictionary + "}}";
    std::string art = R"({"kind":"group","id":)" + std::to_string(artDepth + 1) + R"(,"dictionary":)" + dictionary + "}";
    if (artDepth == 0) art = R"({"kind":"layer","id":1,"title":"L","dictionary":)" + dictionary + "}";
    for (int d = artDepth - 1; d >= 0; --d)
        art = (d == 0 ? std::string(R"({"kind":"layer","id":1,"title":"L")")
                      : R"({"kind":"group","id":)" + std::to_string(d + 1)) +
              R"(,"children":[)" + art + "]}";
    return R"({"format":"plotwise-document","version":1,"pathStyle":{},"layers":[)" + art + "]}";
}

// The same nesting made in memory.
void nestInMemory(Document& doc, int artDepth, int dictDepth) {
    ObjId art = doc.currentLayer();
    for (int d = 0; d < artDepth; ++d) ASSERT_EQ(doc.newArt(kGroupArt, kPlaceInsideOnTop, art, &art), kNoErr);
    ObjId dict = doc.dictionaryOf(art);
    for (int i = 0; i < dictDepth; ++i) {
        const ObjId inner = doc.newDict();
        doc.editDict(dict)->set("k", DictLink{inner});
        dict = inner;
    }
}

template <class F>
std::string refusal(F&& attempt) {
    try {
        attempt();
    } catch (const FormatError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(NestingBound, TheReaderRefusesWhatTheWriterCannotWriteInItsWords) {
    const std::string art = "art is nested more than 120 levels deep";
    const std::string dicts = "dictionaries are nested more than 120 levels deep";
    const std::string json = "nesting deeper than 256 levels";
    const struct {
        int artDepth, dictDepth;
        std::string problem;  // "" when both open and save go through
    } cases[] = {
        {120, 0, ""},
        {121, 0, art},
        {0, 120, ""},
        {0, 121, dicts},
        // A dictionary deep inside deep art: 255 containers open at the innermost, one past.
        {100, 26, ""},
        {100, 27, json},
    };
    for (const auto& c : cases) {
        const std::string where = std::to_string(c.artDepth) + " / " + std::to_string(c.dictDepth);
        IdSource ids;
        const std::string opening = refusal([&] { (void)readDocumentText(nestedText(c.artDepth, c.dictDepth), ids); });
        Document doc(ids, 612, 792);
        nestInMemory(doc, c.artDepth, c.dictDepth);
        const std::string saving = refusal([&] { (void)writeDocumentText(doc); });
        EXPECT_EQ(saving, c.problem) << where;
        if (c.problem.empty())
            EXPECT_EQ(opening, "") << where;
        else
            EXPECT_TRUE(opening.ends_with(": " + c.problem)) << where << ": " << opening;
    }
}
