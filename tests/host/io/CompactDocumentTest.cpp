// Documents are written compactly and every file written so far still opens: a file of
// version 1 (written before, kept as a fixture) reads with its content; the writer leaves
// out what the reader takes anyway and writes dictionary values plainly; the reader takes
// both forms; a document the reader would refuse is not written.
#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <functional>
#include <sstream>

#include "io/DocumentFile.h"

using namespace standin;
using namespace standin::io;

namespace {

const std::string kVersion1 = (std::filesystem::path(__FILE__).parent_path() / "fixtures/version1-dimension.json").string();

std::string ReadFile(const std::string& path) {
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

const DictValue* Entry(const Document& doc, ObjId dict, const std::string& key) {
    const Dict* d = doc.dict(dict);
    return d ? d->find(key) : nullptr;
}

TEST(CompactDocument, AFileOfVersion1OpensWithItsContent) {
    IdSource ids;
    const auto doc = readDocumentText(ReadFile(kVersion1), ids);
    // As the fixture holds it: a dimension on its layer, the rectangle it measures below.
    EXPECT_EQ(doc->art(doc->layerByTitle("Dimension Layer"))->id, 6u);
    const Art& rect = *doc->art(5);
    EXPECT_TRUE(rect.closed);
    ASSERT_EQ(rect.segments.size(), 4u);
    EXPECT_EQ(rect.segments[0].p.h, 100.0f);
    EXPECT_EQ(rect.segments[0].p.v, 110.0f);
    EXPECT_EQ(doc->art(64)->story.runs.at(0).text, "0.014 m");
    const auto* style = std::get_if<DictLink>(Entry(*doc, doc->art(49)->dictionary, "ZA3_Dimension"));
    ASSERT_NE(style, nullptr);
    EXPECT_EQ(*Entry(*doc, style->id, "ZA3_Attr_id"), DictValue(int32_t{1}));
    EXPECT_EQ(*Entry(*doc, style->id, "ZA3_Attr_arrowheadAngle"), DictValue(AIReal{17.5f}));
    EXPECT_EQ(*Entry(*doc, style->id, "PW4_Attr_slideDimText"), DictValue(true));
    EXPECT_EQ(*Entry(*doc, style->id, "ZA3_Attr_dimensionTextFaceStr"), DictValue(std::string("DejaVu Sans")));
    // Written again it is a third of the size, and reads back the same.
    const std::string again = writeDocumentText(*doc);
    EXPECT_LT(again.size() * 3, ReadFile(kVersion1).size());
    IdSource fresh;
    EXPECT_EQ(writeDocumentText(*readDocumentText(again, fresh)), again);
}

TEST(CompactDocument, WhatTheReaderTakesAnywayIsLeftOut) {
    IdSource ids;
    Document doc(ids, 612, 792);
    ObjId line = 0, curve = 0;
    doc.addLine({0, 0}, {10, 5}, &line);
    doc.addPath({{{0, 0}, {0, 0}, {4, 0}, false}, {{10, 10}, {10, 6}, {10, 10}, true}}, true, &curve);
    Dict* d = doc.editDict(doc.dictionaryOf(line));
    d->set("n", int32_t{-3});
    d->set("r", AIReal{0.5f});
    d->set("w", AIReal{2});
    d->set("b", true);
    d->set("s", std::string("text"));
    d->set("nan", AIReal(NAN));
    const std::string text = writeDocumentText(doc);
    const std::pair<const char*, const char*> expected[] = {
        {"a plain line", R"("segments":[{"p":[0.0,0.0]},{"p":[10.0,5.0]}],"style":{})"},
        {"handles off their anchors, a smooth point", R"({"p":[0.0,0.0],"out":[4.0,0.0],"corner":false},{"p":[10.0,10.0],"in":[10.0,6.0]})"},
        {"a closed path", R"("closed":true)"},
        {"plain dictionary values", R"("n":-3,"r":0.5,"w":2.0,"b":true,"s":"text","nan":{"real":"nan"})"},
        {"the layer's defaults left out", R"("kind":"layer","title":"Layer 1","children")"},
        {"the head as before", R"({"format": "plotwise-document", "version": 2,)"},
    };
    for (const auto& [what, fragment] : expected) EXPECT_NE(text.find(fragment), std::string::npos) << what << "\n" << text;
    EXPECT_EQ(text.find("\"dictionary\":{}"), std::string::npos) << "empty dictionaries are left out";
}

TEST(CompactDocument, DictionaryValuesReadInEitherForm) {
    const std::string head =
        R"({"format": "plotwise-document", "version": 2, "pathStyle": {}, "layers": [{"kind": "layer", "id": 1, "title": "L", "dictionary": {"k": )";
    const struct {
        const char* json;
        DictValue value;
    } read[] = {
        {"7", int32_t{7}},
        {"-2147483648", int32_t{INT32_MIN}},
        {"7.0", AIReal{7}},
        {"1e-3", AIReal{0.001f}},
        {"false", false},
        {R"("a b")", std::string("a b")},
        {R"({"int": 7})", int32_t{7}},
        {R"({"real": 7})", AIReal{7}},
        {R"({"string": "x"})", std::string("x")},
    };
    for (const auto& r : read) {
        IdSource ids;
        const auto doc = readDocumentText(head + r.json + "}}]}", ids);
        const DictValue* v = Entry(*doc, doc->art(doc->layerByTitle("L"))->dictionary, "k");
        ASSERT_NE(v, nullptr) << r.json;
        EXPECT_EQ(*v, r.value) << r.json;
    }
    const std::pair<const char*, const char*> refused[] = {
        {"2147483648", "the number 2147483648 is outside -2147483648 to 2147483647"},
        // Past 64 bits alike: not a rounded real.
        {"1180591620717411303424", "the number 1180591620717411303424 is outside -2147483648 to 2147483647"},
        {R"({"int": -1180591620717411303424})", "the number -1180591620717411303424 is outside"},
        {"null", "one typed value"},
        {"[1]", "one typed value"},
    };
    for (const auto& [json, message] : refused) {
        IdSource ids;
        try {
            readDocumentText(head + json + "}}]}", ids);
            ADD_FAILURE() << json << " was read";
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(message), std::string::npos) << e.what();
        }
    }
}

TEST(CompactDocument, WhatTheReaderWouldRefuseIsNotWritten) {
    IdSource ids;
    Document doc(ids, 612, 792);
    ObjId path = 0;
    doc.addLine({0, 0}, {1, 1}, &path);
    const std::string fits = writeDocumentText(doc);
    const struct {
        const char* what;
        std::function<void()> make;
        size_t most;
        const char* message;
    } cases[] = {
        {"larger than the most a document may hold", [] {}, fits.size() - 1, "a document may hold"},
        {"a path of more anchors than a file holds",
         [&] { doc.editArt(path)->segments.assign(32768, {{1, 1}, {1, 1}, {1, 1}, true}); }, kDocumentFile.maxBytes,
         "more than 32767 anchors"},
    };
    for (const auto& c : cases) {
        c.make();
        try {
            writeDocumentText(doc, c.most);
            ADD_FAILURE() << c.what;
        } catch (const FormatError& e) {
            EXPECT_NE(std::string(e.what()).find(c.message), std::string::npos) << c.what << ": " << e.what();
        }
    }
}

}  // namespace
