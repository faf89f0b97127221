// Document files: a document holding every kind of entry survives a save and a reopen
// unchanged (32-bit reals bit for bit), and every kind of damaged file gives one message
// naming the problem while the open documents stay as they were.
#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <sstream>

#include "Host.h"
#include "ScratchFolder.h"
#include "io/DocumentFile.h"
#include "io/Dump.h"

using namespace standin;
using namespace standin::io;

namespace {

bool sameBits(float a, float b) { return std::memcmp(&a, &b, sizeof a) == 0; }

// Reals that break naive writers: a denormal, the smallest denormal, -0, the largest
// float, values without a short decimal form.
const float kAwkward[] = {0.1f, -0.0f, FLT_MAX, FLT_TRUE_MIN, 1e-40f, 16777217.0f, 1.0f / 3.0f, -123456.789f};

struct Built {
    ObjId layer = 0, sublayer = 0, path = 0, group = 0, compound = 0, member = 0, text = 0;
};

// A document with every kind of entry the model holds.
Built buildEverything(Document& doc) {
    Built b;
    b.layer = doc.addLayer("Part \xE9");  // é in the platform encoding
    auto* layer = doc.editArt(b.layer);
    layer->layer->color = {65535, 1, 300};
    layer->layer->printed = false;
    layer->layer->dimPlaced = true;
    AIErr err = kNoErr;
    b.sublayer = doc.insertLayer(b.layer, kPlaceInsideOnTop, "Sub", &err);
    EXPECT_EQ(err, kNoErr);
    doc.editArt(b.sublayer)->layer->preview = false;
    EXPECT_EQ(doc.setCurrentLayer(b.layer), kNoErr);

    std::vector<AIPathSegment> segs;
    for (size_t i = 0; i < std::size(kAwkward); ++i) {
        const float v = kAwkward[i];
        segs.push_back({{v, float(i)}, {v, -v}, {float(i), v}, ASBoolean(i % 2)});
    }
    EXPECT_EQ(doc.addPath(segs, true, &b.path), kNoErr);
    EXPECT_EQ(doc.setSegmentSelected(b.path, 2, 1), kNoErr);
    Art* path = doc.editArt(b.path);
    path->centerPointVisible = true;
    path->style.fillPaint = true;
    path->style.fill.color.kind = kFourColor;
    path->style.fill.color.c.f = {0.1f, 0.2f, FLT_TRUE_MIN, 1.0f};
    path->style.stroke.color.kind = kThreeColor;
    path->style.stroke.color.c.rgb = {1.0f, 0.5f, -0.0f};
    path->style.stroke.width = 0.3f;
    path->style.stroke.dash.length = 3;
    path->style.stroke.dash.array[0] = 4;
    path->style.stroke.dash.array[1] = 2.5f;
    path->style.stroke.dash.array[2] = 0.1f;
    path->style.stroke.dash.offset = 1.5f;
    path->style.stroke.cap = kAIRoundCap;
    path->style.stroke.join = kAIBevelJoin;
    path->style.evenodd = true;
    path->tags.push_back({"ZMK_Live_Dim_1", "string", "1^2^3"});
    path->tags.push_back({"ZMK_Object_Was_Selected", "string", ""});
    EXPECT_EQ(doc.setUserAttr(b.path, kArtLocked, kArtLocked), kNoErr);

    EXPECT_EQ(doc.newArt(kGroupArt, kPlaceAboveAll, 0, &b.group), kNoErr);
    EXPECT_EQ(doc.setUserAttr(b.group, kArtHidden, kArtHidden), kNoErr);
    EXPECT_EQ(doc.newArt(kCompoundPathArt, kPlaceInsideOnTop, b.group, &b.compound), kNoErr);
    EXPECT_EQ(doc.newArt(kPathArt, kPlaceInsideOnTop, b.compound, &b.member), kNoErr);
    doc.editArt(b.member)->segments = {{{1, 2}, {1, 2}, {1, 2}, 1}};
    doc.editArt(b.member)->segmentSelection = {0};
    EXPECT_EQ(doc.newArt(kTextFrameArt, kPlaceInsideOnBottom, b.group, &b.text), kNoErr);
    text::Story story;
    story.matrix = {1, 0, 0, 1, 100.25f, FLT_TRUE_MIN};
    story.para.justification = 2;
    text::TextRun first;
    first.text = "12\xBD mm\r\x8E\xDA <&>";  // ½, a line break, the shaku sign, XML specials
    first.features.size = 9.5f;
    first.features.tracking = -25;
    first.features.lineDashArray = {1, 2};
    text::TextRun second;
    second.text = "\x80\x81";  // the euro sign and a byte Windows-1252 leaves undefined
    second.features.font = "DejaVu Sans Mono";
    second.features.baselineShift = 3;
    second.features.fillColor = {kCustomColor, {}};
    second.features.fillColor.c.c.tint = 0.25f;
    story.runs = {first, second};
    doc.editArt(b.text)->story = story;

    // Dictionaries: every entry type, nested two deep, on art, a layer and the document.
    const ObjId artDict = doc.dictionaryOf(b.path);
    const ObjId sub = doc.newDict();
    const ObjId subsub = doc.newDict();
    doc.editDict(subsub)->set("ZA3_Click_data_1", AIReal(-0.0f));
    doc.editDict(sub)->set("ZA3_Click_data_drag", DictLink{subsub});
    doc.editDict(sub)->set("flag", true);
    Dict* d = doc.editDict(artDict);
    d->set("ZA3_Dimension", DictLink{sub});
    d->set("int", int32_t(-2147483647 - 1));
    d->set("real", AIReal(FLT_MAX));
    d->set("string", std::string("5'-6 1/4\" \x8E\xDA"));
    d->set("bool", false);
    doc.editDict(doc.dictionaryOf(b.layer))->set("ZA3_Scaler", AIReal(0.1f));
    doc.editDict(doc.dictionaryOf(0))->set("ZA3_Version", int32_t(700));
    doc.editState().setup = {841.89f, 595.28f};
    doc.editState().rulerOrigin = {-0.0f, 1e-40f};
    doc.editState().pathStyle.stroke.width = 0.7f;
    return b;
}

struct TempFile {
    ScratchFolder folder;
    std::string path;
    explicit TempFile(const std::string& name) : path(folder.path(name)) {}
    void write(const std::string& text) const { std::ofstream(path, std::ios::binary) << text; }
};

// The first line where two texts differ, or "" when they are equal.
std::string firstDifference(const std::string& a, const std::string& b) {
    std::istringstream x(a), y(b);
    std::string p, q;
    for (int line = 1;; ++line) {
        const bool more = bool(std::getline(x, p)), moreToo = bool(std::getline(y, q));
        if (!more && !moreToo) return "";
        if (more != moreToo || p != q) return "line " + std::to_string(line) + ": " + p + " | " + q;
    }
}

std::string dumpOf(const Document& doc) {
    std::ostringstream out;
    dumpDocument(doc, out);
    return out.str();
}

}  // namespace

TEST(DocumentFile, EveryKindOfEntryRoundTripsUnchanged) {
    IdSource ids;
    Document doc(ids, 612, 792);
    const Built b = buildEverything(doc);
    const std::string text = writeDocumentText(doc);

    IdSource freshIds;
    auto back = readDocumentText(text, freshIds);
    // The file's ids were free, so they are kept and the second file matches the first.
    EXPECT_EQ(firstDifference(writeDocumentText(*back), text), "");
    const std::string dumped = dumpOf(doc), dumpedBack = dumpOf(*back);
    EXPECT_EQ(firstDifference(dumpedBack.substr(dumpedBack.find('\n')), dumped.substr(dumped.find('\n'))), "");

    // Spot checks through the model, bit for bit.
    const Art* path = back->art(b.path);
    ASSERT_NE(path, nullptr);
    ASSERT_EQ(path->segments.size(), std::size(kAwkward));
    for (size_t i = 0; i < std::size(kAwkward); ++i) {
        EXPECT_TRUE(sameBits(path->segments[i].p.h, kAwkward[i])) << i;
        EXPECT_TRUE(sameBits(path->segments[i].in.v, -kAwkward[i])) << i;
        EXPECT_EQ(bool(path->segments[i].corner), bool(i % 2)) << i;
    }
    EXPECT_EQ(path->segmentSelection.at(2), 1);
    EXPECT_TRUE(path->closed);
    EXPECT_TRUE(path->centerPointVisible);
    EXPECT_TRUE(sameBits(path->style.fill.color.c.f.yellow, FLT_TRUE_MIN));
    EXPECT_TRUE(sameBits(path->style.stroke.color.c.rgb.blue, -0.0f));
    EXPECT_EQ(path->style.stroke.dash.length, 3);
    EXPECT_TRUE(sameBits(path->style.stroke.dash.array[2], 0.1f));
    EXPECT_EQ(path->tags, doc.art(b.path)->tags);
    EXPECT_TRUE(back->effectivelyLocked(b.path));
    EXPECT_EQ(back->art(b.text)->story, doc.art(b.text)->story);
    EXPECT_EQ(back->art(b.sublayer)->parent, b.layer);
    EXPECT_EQ(back->currentLayer(), b.layer);
    EXPECT_TRUE(sameBits(back->state().rulerOrigin.h, -0.0f));
    EXPECT_TRUE(sameBits(back->state().setup.width, 841.89f));

    const Dict* dict = back->dict(path->dictionary);
    ASSERT_NE(dict, nullptr);
    ASSERT_EQ(dict->entries.size(), 5u);
    EXPECT_EQ(dict->entries[0].first, "ZA3_Dimension");  // insertion order kept
    EXPECT_EQ(std::get<int32_t>(*dict->find("int")), -2147483647 - 1);
    EXPECT_TRUE(sameBits(std::get<AIReal>(*dict->find("real")), FLT_MAX));
    EXPECT_EQ(std::get<DictText>(*dict->find("string")).str(), "5'-6 1/4\" \x8E\xDA");
    const Dict* sub = back->dict(std::get<DictLink>(*dict->find("ZA3_Dimension")).id);
    ASSERT_NE(sub, nullptr);
    const Dict* subsub = back->dict(std::get<DictLink>(*sub->find("ZA3_Click_data_drag")).id);
    ASSERT_NE(subsub, nullptr);
    EXPECT_TRUE(sameBits(std::get<AIReal>(*subsub->find("ZA3_Click_data_1")), -0.0f));
}

TEST(DocumentFile, NonFiniteRealsSurviveAsNamedValues) {
    // Dictionary entries are the plug-in's own data: whatever real it stores survives.
    IdSource ids;
    Document doc(ids, 612, 792);
    Dict* d = doc.editDict(doc.dictionaryOf(0));
    d->set("nan", AIReal(NAN));
    d->set("inf", AIReal(INFINITY));
    d->set("-inf", AIReal(-INFINITY));
    const std::string text = writeDocumentText(doc);
    EXPECT_NE(text.find("\"nan\":{\"real\":\"nan\"}"), std::string::npos);
    IdSource fresh;
    auto back = readDocumentText(text, fresh);
    const Dict* read = back->dict(back->state().dictionary);
    ASSERT_NE(read, nullptr);
    EXPECT_TRUE(std::isnan(std::get<AIReal>(*read->find("nan"))));
    EXPECT_EQ(std::get<AIReal>(*read->find("inf")), INFINITY);
    EXPECT_EQ(std::get<AIReal>(*read->find("-inf")), -INFINITY);
}

TEST(DocumentFile, AnchorsThatAreNotFiniteAreNeitherWrittenNorRead) {
    // Only code that edits the model directly can make one; saving it names the art.
    IdSource ids;
    Document doc(ids, 612, 792);
    ObjId line = 0;
    ASSERT_EQ(doc.addLine({1, 1}, {INFINITY, 2}, &line), kNoErr);
    std::string error;
    const TempFile file("not-finite.json");
    const std::string& path = file.path;
    EXPECT_FALSE(saveDocumentFile(doc, path, error));
    EXPECT_EQ(error, "cannot save " + path + ": art " + std::to_string(line) +
                         ", anchor 1: a coordinate must be a finite number, not inf");
    // A file holding one (as `rect 3e38 3e38 3e38 3e38` once saved) is refused at its place.
    const std::string text = R"({"format": "plotwise-document", "version": 1, "pathStyle": {}, "layers": [{"kind": "layer", )"
                             R"("id": 1, "title": "L", "children": [{"kind": "path", "id": 2, "style": {}, "segments": )"
                             R"([{"p": [3e38, 3e38]}, {"p": [3e38, "inf"]}]}]}]})";
    IdSource fresh;
    try {
        readDocumentText(text, fresh);
        ADD_FAILURE() << "read";
    } catch (const FormatError& e) {
        EXPECT_STREQ(e.what(), "document.layers[0].children[0].segments[1].p: a coordinate must be a finite number, not inf");
    }
}

TEST(DocumentFile, PaintOutsideTheRulesIsNotWritten) {
    // Only code that edits the model directly can make such paint; saving names where it is.
    IdSource ids;
    Document doc(ids, 612, 792);
    ObjId line = 0;
    ASSERT_EQ(doc.addLine({0, 0}, {1, 1}, &line), kNoErr);
    doc.editArt(line)->style.stroke.width = NAN;
    const TempFile file("unruly.json");
    const std::string& path = file.path;
    std::string error;
    EXPECT_FALSE(saveDocumentFile(doc, path, error));
    EXPECT_EQ(error, "cannot save " + path + ": art " + std::to_string(line) +
                         ": the stroke width must be a finite number, not nan");
    doc.editArt(line)->style.stroke.width = 1;
    doc.editState().pathStyle.fill.color = {kGrayColor, {}};
    doc.editState().pathStyle.fill.color.c.g.gray = 5;
    EXPECT_FALSE(saveDocumentFile(doc, path, error));
    EXPECT_EQ(error, "cannot save " + path +
                         ": the paint of new art: the fill colour: a colour component must lie between 0 and 1, not 5");
}

TEST(DocumentFile, KeysOutsideTheFormatAreNamedNotDroppedInSilence) {
    // Everything the writer writes is part of the format.
    IdSource ids;
    Document doc(ids, 612, 792);
    buildEverything(doc);
    std::vector<std::string> warnings;
    IdSource fresh;
    readDocumentText(writeDocumentText(doc), fresh, &warnings);
    EXPECT_EQ(warnings, std::vector<std::string>{});

    const std::string text = R"({"format": "plotwise-document", "version": 1, "comment": "by hand", "pathStyle": {},)"
                             R"( "layers": [{"kind": "layer", "id": 1, "title": "L", "colour": [1, 2, 3], "children": [)"
                             R"({"kind": "path", "id": 2, "style": {"thickness": 2}, "segments": [{"p": [0, 0], "q": 1}]},)"
                             R"({"kind": "group", "id": 3, "segments": []}]}]})";
    IdSource more;
    auto read = readDocumentText(text, more, &warnings);
    ASSERT_NE(read, nullptr);
    const std::string tail = "\" is not part of the format; it is ignored and will not be saved";
    const std::vector<std::string> expected = {
        "document: the key \"comment" + tail,
        "document.layers[0].children[0].style: the key \"thickness" + tail,
        "document.layers[0].children[0].segments[0]: the key \"q" + tail,
        "document.layers[0].children[1]: the key \"segments" + tail,
        "document.layers[0]: the key \"colour" + tail,
    };
    EXPECT_THAT(warnings, ::testing::UnorderedElementsAreArray(expected));

    // Many are counted, not each named.
    std::string many = R"({"format": "plotwise-document", "version": 1, "pathStyle": {}, "layers": [{"kind": "layer", "id": 1, "title": "L")";
    for (int i = 0; i < 12; ++i) many += ", \"x" + std::to_string(i) + "\": 0";
    warnings.clear();
    IdSource again;
    readDocumentText(many + "}]}", again, &warnings);
    ASSERT_EQ(warnings.size(), 11u);
    EXPECT_EQ(warnings.back(), "2 more keys that are not part of the format");

    // Opening a file names it in each warning.
    Host host;
    const TempFile file("unknown-keys.json");
    const std::string& path = file.path;
    std::ofstream(path) << text;
    std::string error;
    warnings.clear();
    ASSERT_NE(openDocumentFile(host, path, error, &warnings), nullptr) << error;
    ASSERT_EQ(warnings.size(), 5u);
    EXPECT_THAT(warnings, ::testing::Contains(path + ": document: the key \"comment" + tail));
}

TEST(DocumentFile, IdsInUseAreRenumberedConsistently) {
    Host host;
    Document& doc = host.newDocument();
    const Built b = buildEverything(doc);
    const std::string text = writeDocumentText(doc);
    // The same file opened twice in one host: the second copy gets ids of its own.
    auto copy = readDocumentText(text, host.documentIds());
    EXPECT_EQ(copy->art(b.path), nullptr);
    EXPECT_EQ(copy->topLayers().size(), doc.topLayers().size());
    const Art* current = copy->art(copy->currentLayer());
    ASSERT_NE(current, nullptr);
    ASSERT_TRUE(current->isLayerGroup());
    EXPECT_EQ(current->layer->title, "Part \xE9");
    EXPECT_EQ(copy->matching([](const Art&) { return true; }).size(), doc.matching([](const Art&) { return true; }).size());
}

TEST(DocumentFile, AHandWrittenFileNeedsOnlyTheEssentials) {
    // Ids, kinds, a layer's title, a path's anchors and style and the paint of new art are
    // the essentials; a style may leave out every member.
    const char* text = R"({"format": "plotwise-document", "version": 1, "pathStyle": {}, "layers": [
        {"kind": "layer", "id": 1, "title": "Layer 1", "children": [
            {"kind": "path", "id": 2, "style": {}, "segments": [{"p": [0, 0]}, {"p": [10, 0]}],
             "tags": [{"name": "ZMK_Layer_Scale", "value": "1^2"}]},
            {"kind": "text", "id": 3, "story": {"runs": [{"text": "hello"}]}}]}]})";
    IdSource ids;
    auto doc = readDocumentText(text, ids);
    const auto all = doc->matching([](const Art&) { return true; });
    ASSERT_EQ(all.size(), 2u);
    const Art* path = doc->art(all[0]);
    EXPECT_EQ(path->segments.size(), 2u);
    EXPECT_TRUE(path->segments[1].corner);
    EXPECT_EQ(path->tags.at(0).type, "string");
    EXPECT_EQ(doc->art(all[1])->story.runs.at(0).text, "hello");
    EXPECT_EQ(doc->state().setup.width, 612.0f);
    EXPECT_EQ(path->style.stroke.width, 1.0f);  // the default style
}

TEST(DocumentFile, MembersReadOtherwiseThanWrittenAreNamed) {
    const auto art = [](const std::string& members) {
        return std::string(R"({"format": "plotwise-document", "version": 1, "pathStyle": {}, "layers": [)") +
               R"({"kind": "layer", "id": 3, "title": "L", "children": [{"kind": "path", "id": 4, )" + members + "}]}]}";
    };
    const auto filled = [&](const std::string& color) {
        return art(R"("segments": [], "style": {"fillColor": )" + color + "}");
    };
    const std::string place = "document.layers[0].children[0].";
    const std::string ignored = "; it is ignored and will not be saved";
    const std::string zero = " is too small for a 32-bit real; it is read, and will be saved, as 0";
    const struct {
        std::string text, warning;
    } cases[] = {
        {filled(R"({"kind": "gray", "value": 0.5, "tint": 0.3})"),
         place + "style.fillColor: the key \"tint\" is not part of a colour of kind \"gray\"" + ignored},
        {filled(R"({"kind": "rgb", "value": [0, 0, 0], "swatch": "No such"})"),
         place + "style.fillColor: the key \"swatch\" is not part of a colour of kind \"rgb\"" + ignored},
        {filled(R"({"kind": "none", "value": 0.5})"),
         place + "style.fillColor: the key \"value\" is not part of a colour of kind \"none\"" + ignored},
        {filled(R"({"kind": "pattern", "value": 1})"),
         place + "style.fillColor: the key \"value\" is not part of a colour of kind \"pattern\"" + ignored},
        {art(R"("style": {}, "segments": [{"p": [1e-50, 2]}])"), place + "segments[0].p[0]: the number 1e-50" + zero},
        {art(R"("style": {}, "segments": [], "dictionary": {"r": -2.5e-46})"),
         place + "dictionary.r: the number -2.5e-46" + zero},
    };
    for (const auto& c : cases) {
        IdSource ids;
        std::vector<std::string> warnings;
        ASSERT_NE(readDocumentText(c.text, ids, &warnings), nullptr) << c.text;
        EXPECT_EQ(warnings, std::vector<std::string>{c.warning}) << c.text;
    }
}

// ---------------------------------------------------------------- damaged files

namespace {

const char* kHead = R"({"format": "plotwise-document", "version": 1, "pathStyle": {}, )";

std::string withLayers(const std::string& layers) { return std::string(kHead) + "\"layers\": [" + layers + "]}"; }
std::string withArt(const std::string& art) {
    return withLayers(R"({"kind": "layer", "id": 3, "title": "L", "children": [)" + art + "]}");
}

struct Damaged {
    const char* what;
    std::string text;
    const char* message;  // a part of the message
};

std::vector<Damaged> damagedFiles() {
    const std::string good = withArt(R"({"kind": "path", "id": 4, "style": {}, "segments": [{"p": [1, 2]}, {"p": [3, 4]}]})");
    const auto styled = [](const std::string& style) {
        return withArt(R"({"kind": "path", "id": 4, "segments": [], "style": )" + style + "}");
    };
    std::string deep(100000, '[');
    std::string manyKeys = "{";
    for (int i = 0; i <= 16384; ++i) manyKeys += std::string(i ? "," : "") + "\"k" + std::to_string(i) + "\":{\"int\":1}";
    manyKeys += "}";
    std::string manyAnchors = "[";
    for (int i = 0; i < 32768; ++i) manyAnchors += std::string(i ? "," : "") + "{\"p\":[0,0]}";
    manyAnchors += "]";
    return {
        {"empty", "", "not valid JSON"},
        {"truncated", good.substr(0, good.size() - 3), "unexpected end of input"},
        {"not an object", "[1, 2]", "expected a JSON object"},
        {"another format", R"({"format": "svg", "version": 1, "layers": []})", "not a Plotwise document"},
        {"newer version", R"({"format": "plotwise-document", "version": 9, "layers": []})", "newer than"},
        {"no layers", std::string(kHead) + R"("setup": {"width": 1, "height": 1}})", "document: missing \"layers\""},
        {"zero layers", withLayers(""), "at least one layer"},
        {"wrong type", withLayers(R"({"kind": "layer", "id": 1, "title": "L", "visible": "yes"})"),
         "document.layers[0].visible: expected true or false, found a string"},
        {"deep nesting", deep, "nesting deeper than"},
        {"huge number", withArt(R"({"kind": "path", "segments": [{"p": [1e999, 0]}]})"),
         "document.layers[0].children[0].segments[0].p[0]: the number 1e999 is too large"},
        {"beyond a float", withArt(R"({"kind": "path", "segments": [{"p": [0, 1e39]}]})"),
         "segments[0].p[1]: the number 1e39 is too large"},
        {"NaN literal", withArt(R"({"kind": "path", "segments": [{"p": [NaN, 0]}]})"), "not valid JSON"},
        {"bad page size", std::string(kHead) + R"("setup": {"width": -5, "height": 1}, "layers": [{"kind": "layer", "id": 1, "title": "L"}]})",
         "document.setup.width: a page size must be a positive number"},
        {"page past the canvas", std::string(kHead) + R"("setup": {"width": 16383, "height": 20000}, "layers": [{"kind": "layer", "id": 1, "title": "L"}]})",
         "document.setup.height: a page size must be at most 16383 points, the largest page the host holds, not 20000"},
        {"ruler origin not a number", std::string(kHead) + R"("rulerOrigin": ["nan", 0], "layers": [{"kind": "layer", "id": 1, "title": "L"}]})",
         "document.rulerOrigin: the ruler origin must be finite"},
        {"unknown art kind", withArt(R"({"kind": "spline", "id": 4})"), "unknown art kind \"spline\""},
        {"duplicate ids", withArt(R"({"kind": "group", "id": 5, "children": [{"kind": "group", "id": 5}]})"),
         "the id 5 is used twice"},
        // Nesting makes a cycle impossible to write except as an id that repeats an ancestor's.
        {"cycle of ids", withArt(R"({"kind": "group", "id": 6, "children": [{"kind": "group", "id": 3}]})"),
         "the id 3 is used twice"},
        {"missing anchor point", withArt(R"({"kind": "path", "id": 4, "style": {}, "segments": [{"in": [1, 2]}]})"),
         "document.layers[0].children[0].segments[0]: missing \"p\""},
        {"missing segments", withArt(R"({"kind": "path", "id": 4, "style": {}})"), "missing \"segments\""},
        {"missing kind", withArt(R"({"id": 7})"), "missing \"kind\""},
        {"duplicate key", withLayers(R"({"kind": "layer", "title": "A", "title": "B"})"), "the key \"title\" appears twice"},
        {"character outside the platform encoding", withLayers(R"({"kind": "layer", "id": 1, "title": "\u4e00"})"),
         "cannot hold"},
        {"bad UTF-8", withLayers("{\"kind\": \"layer\", \"title\": \"\xC3\x28\"}"), "not valid JSON"},
        {"id beyond whole numbers", withArt(R"({"kind": "group", "id": 99999999999999999999999})"),
         "document.layers[0].children[0].id: the number 99999999999999999999999 is outside 1 to 9007199254740992"},
        {"id written as a real", withArt(R"({"kind": "group", "id": 2.0})"),
         "children[0].id: the number 2.0 must be a whole number from 1 to 9007199254740992, written without a point "
         "or an exponent"},
        {"two types in one entry", withArt(R"({"kind": "group", "id": 4, "dictionary": {"k": {"int": 1, "real": 2}}})"),
         "one typed value"},
        {"unknown entry type", withArt(R"({"kind": "group", "id": 4, "dictionary": {"k": {"float": 1}}})"),
         "unknown entry type \"float\""},
        {"integer entry out of range", withArt(R"({"kind": "group", "id": 4, "dictionary": {"k": {"int": 2147483648}}})"),
         "the number 2147483648 is outside -2147483648 to 2147483647"},
        {"children of a path", withArt(R"({"kind": "path", "id": 4, "style": {}, "segments": [], "children": [{"kind": "group", "id": 5}]})"),
         "only groups, compound paths and layers hold children"},
        {"layer inside a group", withArt(R"({"kind": "group", "id": 4, "children": [{"kind": "layer", "id": 5, "title": "X"}]})"),
         "a layer can only be inside another layer"},
        {"art at the top", withLayers(R"({"kind": "path", "id": 1, "style": {}, "segments": []})"), "a top-level entry must be a layer"},
        {"current layer not a layer", std::string(kHead) + R"("currentLayer": 4, "layers": [{"kind": "layer", "id": 3, "title": "L", "children": [{"kind": "group", "id": 4}]}]})",
         "document.currentLayer: names no layer"},
        {"too many anchors", withArt(R"({"kind": "path", "segments": )" + manyAnchors + "}"), "at most 32767 anchors"},
        {"too many entries", withArt(R"({"kind": "group", "dictionary": )" + manyKeys + "}"),
         "more than 16384 members"},
        {"too many dashes", styled(R"({"dash": [1,2,3,4,5,6,7]})"),
         "at most 6 lengths"},
        {"long layer title", withLayers(R"({"kind": "layer", "id": 1, "title": ")" + std::string(256, 'x') + "\"}"),
         "at most 255 bytes"},
        {"unknown cap", styled(R"({"cap": "pointy"})"),
         "unknown value \"pointy\""},
        {"unknown colour kind", styled(R"({"fillColor": {"kind": "lab"}})"),
         "unknown value \"lab\""},
        {"point of three numbers", withArt(R"({"kind": "path", "id": 4, "style": {}, "segments": [{"p": [1, 2, 3]}]})"),
         "expected two numbers"},
        // What a script refuses, a file may not hold either.
        {"grey beyond black", styled(R"({"fillColor": {"kind": "gray", "value": 5.0}})"),
         "children[0].style.fillColor.value: a colour component must lie between 0 and 1, not 5"},
        {"rgb beyond full", styled(R"({"strokeColor": {"kind": "rgb", "value": [0, 1.5, 0]}})"),
         "style.strokeColor.value[1]: a colour component must lie between 0 and 1, not 1.5"},
        {"negative dash", styled(R"({"dash": [4, -1]})"), "style.dash[1]: a dash length cannot be negative, not -1"},
        {"width not a number", styled(R"({"width": "nan"})"),
         "style.width: the stroke width must be a finite number, not nan"},
        {"negative width", styled(R"({"width": -0.5})"), "style.width: the stroke width cannot be negative, not -0.5"},
        {"miter limit below one", styled(R"({"miterLimit": -1e30})"),
         "style.miterLimit: the miter limit must be at least 1, not -1e+30"},
        {"cap beyond the named ones", styled(R"({"cap": 7})"), "style.cap: unknown value 7 (one of butt, round, projecting)"},
        {"dash offset past the largest real", styled(R"({"dashOffset": "-inf"})"),
         "style.dashOffset: the dash offset must be a finite number, not -inf"},
        {"paint of new art", std::string(R"({"format": "plotwise-document", "version": 1, "pathStyle": {"width": -1}, )") +
             R"("layers": [{"kind": "layer", "id": 1, "title": "L"}]})",
         "document.pathStyle.width: the stroke width cannot be negative, not -1"},
        // Fields every entry has are not left to a default.
        {"art without an id", withArt(R"({"kind": "group"})"), "document.layers[0].children[0]: missing \"id\""},
        {"layer without an id", withLayers(R"({"kind": "layer", "title": "L"})"), "document.layers[0]: missing \"id\""},
        {"path without a style", withArt(R"({"kind": "path", "id": 4, "segments": []})"),
         "document.layers[0].children[0]: missing \"style\""},
        {"compound path without a style", withArt(R"({"kind": "compound", "id": 4})"),
         "document.layers[0].children[0]: missing \"style\""},
        {"no paint of new art", R"({"format": "plotwise-document", "version": 1, "layers": [{"kind": "layer", "id": 1, "title": "L"}]})",
         "document: missing \"pathStyle\""},
        {"text that is a number", withArt(R"({"kind": "text", "id": 4, "story": {"runs": [{"text": 5}]}})"),
         "runs[0].text: expected a string, found a number"},
    };
}

}  // namespace

TEST(DocumentFile, DamagedFilesGiveAMessageAndLeaveOpenDocumentsAlone) {
    Host host;
    Document& doc = host.newDocument();
    ObjId rect = 0;
    ASSERT_EQ(doc.addRect(10, 10, 50, 20, &rect), kNoErr);
    const std::string before = dumpOf(doc);
    TempFile file("damaged.json");
    for (const auto& d : damagedFiles()) {
        file.write(d.text);
        std::string error;
        EXPECT_EQ(openDocumentFile(host, file.path, error), nullptr) << d.what;
        EXPECT_NE(error.find(d.message), std::string::npos) << d.what << ": " << error;
        EXPECT_EQ(error.find('\n'), std::string::npos) << d.what << ": one line";
        EXPECT_EQ(error.rfind(file.path + ": ", 0), 0u) << d.what << ": names the file";
        EXPECT_EQ(host.documentCount(), 1u) << d.what;
        EXPECT_EQ(host.frontDocument(), &doc) << d.what;
        EXPECT_EQ(dumpOf(doc), before) << d.what;
    }
}

TEST(DocumentFile, MissingFileAndUnwritableTarget) {
    Host host;
    Document& doc = host.newDocument();
    const ScratchFolder scratch;
    std::string error;
    EXPECT_EQ(openDocumentFile(host, scratch.path("no-such-file.json"), error), nullptr);
    EXPECT_NE(error.find("cannot open"), std::string::npos);
    error.clear();
    EXPECT_FALSE(saveDocumentFile(doc, scratch.path("no-such-folder/x.json"), error));
    EXPECT_NE(error.find("cannot write"), std::string::npos);
}

TEST(DocumentFile, SaveThenOpenBringsTheCopyToTheFront) {
    Host host;
    Document& doc = host.newDocument(400, 300);
    buildEverything(doc);
    TempFile file("saved.json");
    std::string error;
    ASSERT_TRUE(saveDocumentFile(doc, file.path, error)) << error;
    Document* opened = openDocumentFile(host, file.path, error);
    ASSERT_NE(opened, nullptr) << error;
    EXPECT_EQ(host.frontDocument(), opened);
    EXPECT_EQ(host.documentCount(), 2u);
    EXPECT_EQ(opened->name, file.path);
    EXPECT_FALSE(opened->journal().canUndo());
}
