// Documents are read art entry by art entry, from a file or from a text. Members in an order
// the writer never uses still read as the same document, and a file with several faults
// names the one it always named: a fault of syntax or limits first, then of the format and
// the ids, then the first entry in file order, then the document's own state.
#include <gtest/gtest.h>

#include <functional>
#include <string>

#include "Host.h"
#include "ScratchFolder.h"
#include "io/DocumentFile.h"

using namespace standin;
using namespace standin::io;

namespace {

// The two ways in: a text in memory and a file opened by name; the host keeps the document.
struct Way {
    const char* name;
    std::function<const Document*(Host&, const std::string&, std::string&)> read;
};

const Way kWays[] = {
    {"text",
     [](Host& host, const std::string& text, std::string& error) -> const Document* {
         try {
             return &host.adoptDocument(readDocumentText(text, host.documentIds()));
         } catch (const FormatError& e) {
             error = e.what();
             return nullptr;
         }
     }},
    {"file",
     [](Host& host, const std::string& text, std::string& error) -> const Document* {
         const ScratchFolder scratch;
         const std::string path = scratch.write("art-by-art.json", text);
         const Document* doc = openDocumentFile(host, path, error);
         if (!doc) error = error.substr(path.size() + 2);
         return doc;
     }},
};

const char* kHead = R"("format": "plotwise-document", "version": 2)";
const char* kPaint = R"("pathStyle": {})";
const char* kSwatches = R"("swatches": [{"name": "Red", "kind": "rgb", "value": [1, 0, 0]}])";
const char* kPath = R"("kind": "path", "id": 6, "style": {"fill": true, "fillColor": {"kind": "custom", "swatch": "Red", "tint": 1}},)"
                    R"( "segments": [{"p": [0, 0]}, {"p": [10, 0]}])";

}  // namespace

TEST(ArtByArtReading, MembersInAnyOrderReadAsTheSameDocument) {
    const std::string path = std::string("{") + kPath + "}";
    const struct {
        const char* what;
        std::string text;
    } files[] = {
        {"as written",
         std::string("{") + kHead + ", " + kPaint + ", " + kSwatches +
             R"(, "layers": [{"kind": "layer", "id": 3, "title": "L", "children": [)"
             R"({"kind": "group", "id": 5, "dictionary": {"k": 7}, "children": [)" + path + "]}]}]}"},
        {"layers first, swatches last",
         std::string(R"({"layers": [{"kind": "layer", "id": 3, "title": "L", "children": [)"
                     R"({"kind": "group", "id": 5, "dictionary": {"k": 7}, "children": [)") +
             path + "]}]}], " + kHead + ", " + kPaint + ", " + kSwatches + "}"},
        {"children before the members of their entry",
         std::string("{") + kHead + ", " + kPaint + ", " + kSwatches +
             R"(, "layers": [{"children": [{"children": [)" + path +
             R"(], "dictionary": {"k": 7}, "id": 5, "kind": "group"}], "title": "L", "id": 3, "kind": "layer"}]})"},
    };
    for (const Way& way : kWays)
        for (const auto& f : files) {
            SCOPED_TRACE(std::string(way.name) + ", " + f.what);
            Host host;
            std::string error;
            const Document* doc = way.read(host, f.text, error);
            ASSERT_NE(doc, nullptr) << error;
            ASSERT_EQ(doc->topLayers(), std::vector<ObjId>{3});
            EXPECT_EQ(doc->art(3)->layer->title, "L");
            EXPECT_EQ(doc->currentLayer(), 3u);
            ASSERT_EQ(doc->children(3), std::vector<ObjId>{5});
            ASSERT_EQ(doc->children(5), std::vector<ObjId>{6});
            const Dict* dict = doc->dict(doc->art(5)->dictionary);
            ASSERT_NE(dict, nullptr);
            EXPECT_EQ(std::get<int32_t>(*dict->find("k")), 7);
            const Art& p = *doc->art(6);
            EXPECT_EQ(p.parent, 5u);
            EXPECT_EQ(p.segments.size(), 2u);
            EXPECT_EQ(p.segments[1].p.h, 10.0f);
            ASSERT_EQ(p.style.fill.color.kind, kCustomColor);
            const CustomColorEntry* swatch = doc->customColor(fromHandle(p.style.fill.color.c.c.color));
            ASSERT_NE(swatch, nullptr);
            EXPECT_EQ(swatch->name, "Red");
        }
}

TEST(ArtByArtReading, SiblingsAreLinkedInFileOrder) {
    std::string children;
    for (int id = 110; id < 115; ++id)
        children += std::string(id > 110 ? "," : "") + R"({"kind": "group", "id": )" + std::to_string(id) + "}";
    const std::string text = std::string("{") + kHead + ", " + kPaint + R"(, "layers": [)" +
                             R"({"kind": "layer", "id": 100, "title": "A", "children": [)" + children + "]}," +
                             R"({"kind": "layer", "id": 200, "title": "B"}]})";
    for (const Way& way : kWays) {
        SCOPED_TRACE(way.name);
        Host host;
        std::string error;
        const Document* doc = way.read(host, text, error);
        ASSERT_NE(doc, nullptr) << error;
        EXPECT_EQ(doc->topLayers(), (std::vector<ObjId>{100, 200}));
        EXPECT_EQ(doc->children(100), (std::vector<ObjId>{110, 111, 112, 113, 114}));
        const Art& first = *doc->art(110);
        const Art& last = *doc->art(114);
        EXPECT_EQ(first.prev, 0u);
        EXPECT_EQ(first.next, 111u);
        EXPECT_EQ(last.prev, 113u);
        EXPECT_EQ(last.next, 0u);
        EXPECT_TRUE(doc->paintsBefore(110, 114));
        EXPECT_EQ(doc->art(100)->next, 200u);
        EXPECT_EQ(doc->art(200)->prev, 100u);
    }
}

TEST(ArtByArtReading, OfSeveralFaultsTheSameOneIsNamed) {
    const auto layers = [](const std::string& art, const std::string& before = "", const std::string& after = "") {
        return std::string("{") + kHead + ", " + kPaint + before +
               R"(, "layers": [{"kind": "layer", "id": 3, "title": "L", "children": [)" + art + "]}]" + after + "}";
    };
    const std::string badKind = R"({"kind": "spline", "id": 4})";
    const std::string truncated = layers(badKind).substr(0, layers(badKind).size() - 1);
    const struct {
        const char* what;
        std::string text;
        std::string message;
    } files[] = {
        {"a bad entry, then the file ends early", truncated,
         "not valid JSON: parse error at line 1, column " + std::to_string(truncated.size() + 1) +
             ": syntax error while parsing object - unexpected end of input; expected '}'"},
        {"a bad entry, then a key twice", layers(badKind + R"(, {"kind": "group", "id": 8, "id": 9})"),
         "document.layers[0].children[1]: the key \"id\" appears twice in one object"},
        {"a bad entry, then too many anchors deep in an entry",
         layers(badKind + R"(, {"kind": "path", "id": 8, "style": {}, "segments": [)" +
                [] {
                    std::string anchors;
                    for (int i = 0; i < 32768; ++i) anchors += std::string(i ? "," : "") + R"({"p":[0,0]})";
                    return anchors;
                }() + "]}"),
         "document.layers[0].children[1].segments: a path holds at most 32767 anchors"},
        {"a bad entry, then an id used twice", layers(badKind + R"(, {"kind": "group", "id": 3})"),
         "document.layers[0].children[1].id: the id 3 is used twice"},
        {"a bad entry, then an entry without an id", layers(badKind + R"(, {"kind": "group"})"),
         "document.layers[0].children[1]: missing \"id\""},
        {"a bad entry, then another format", layers(badKind, "", R"(, "format": "svg")"),
         "document: the key \"format\" appears twice in one object"},
        {"a bad page size before a bad entry", layers(badKind, R"(, "setup": {"width": -1, "height": 1})"),
         "document.layers[0].children[0].kind: unknown art kind \"spline\""},
        {"two bad entries", layers(badKind + R"(, {"kind": "blob", "id": 8})"),
         "document.layers[0].children[0].kind: unknown art kind \"spline\""},
        {"a path holding children, then a bad entry",
         layers(R"({"kind": "path", "id": 20, "style": {}, "segments": [], "children": [{"kind": "group", "id": 21}]}, )" +
                badKind),
         "document.layers[0].children[0].children: only groups, compound paths and layers hold children"},
    };
    for (const Way& way : kWays)
        for (const auto& f : files) {
            Host host;
            std::string error;
            EXPECT_EQ(way.read(host, f.text, error), nullptr) << way.name << ", " << f.what;
            EXPECT_EQ(error, f.message) << way.name << ", " << f.what;
        }
}
