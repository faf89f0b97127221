// Custom colours (swatches) in the host: the suite's rules, how they are saved (by name,
// with their definition) and read back, documents written before swatches existed, damaged
// references, how the SVG shows them, and the colour conversion of samples.
#include <gtest/gtest.h>

#include <string>

#include "AIColorConversion.h"
#include "AICustomColor.h"
#include "Host.h"
#include "io/DocumentFile.h"
#include "io/Svg.h"
#include "model/Colors.h"
#include "text/TextEngine.h"

using namespace standin;
using namespace standin::io;

namespace {

AICustomColor Rgb(float r, float g, float b) {
    AICustomColor c{};
    c.kind = kCustomThreeColor;
    c.c.rgb = {r, g, b};
    return c;
}

AICustomColor Cmyk(float c, float m, float y, float k) {
    AICustomColor out{};
    out.kind = kCustomFourColor;
    out.c.f = {c, m, y, k};
    return out;
}

AIColor Custom(ObjId swatch, float tint) {
    AIColor color{};
    color.kind = kCustomColor;
    color.c.c = {toHandle<AICustomColorHandle>(swatch), tint};
    return color;
}

// A document with three swatches and a path filled and stroked with them.
struct Swatched {
    IdSource ids;
    Document doc{ids, 200, 100};
    ObjId red = 0, process = 0, lab = 0, path = 0;
    Swatched() {
        EXPECT_EQ(doc.newCustomColor("Spot Red", Rgb(1, 0, 0), &red), kNoErr);
        EXPECT_EQ(doc.newCustomColor("Process \xC3\xA9", Cmyk(0, 1, 1, 0), &process), kNoErr);  // "é" in UTF-8
        AICustomColor l{};
        l.kind = kCustomLabColor;
        l.c.lab = {50, 20, -30};
        EXPECT_EQ(doc.newCustomColor("Lab", l, &lab), kNoErr);
        EXPECT_EQ(doc.addRect(10, 10, 50, 20, &path), kNoErr);
        Art* a = doc.editArt(path);
        a->style.fillPaint = true;
        a->style.fill.color = Custom(red, 0.25f);
        a->style.strokePaint = true;
        a->style.stroke.color = Custom(process, 1.0f);
    }
};

TEST(Swatches, NamesAreUniqueAndDefinitionsChecked) {
    IdSource ids;
    Document doc{ids, 100, 100};
    ObjId a = 0, b = 0;
    EXPECT_EQ(doc.newCustomColor("A", Rgb(0, 0, 1), &a), kNoErr);
    EXPECT_EQ(doc.newCustomColor("A", Rgb(0, 1, 0), &b), kBadParameterErr);
    EXPECT_EQ(doc.newCustomColor("", Rgb(0, 1, 0), &b), kBadParameterErr);
    AICustomColor bad = Rgb(0, 0, 0);
    bad.kind = static_cast<AICustomColorTag>(7);
    EXPECT_EQ(doc.newCustomColor("B", bad, &b), kBadParameterErr);
    EXPECT_EQ(doc.customColorByName("A")->id, a);
    EXPECT_EQ(doc.customColorByName("a"), nullptr) << "names compare exactly";
}

TEST(Swatches, SavedByNameAndReadBack) {
    Swatched s;
    const std::string text = writeDocumentText(s.doc);
    EXPECT_NE(text.find("\"swatch\":\"Spot Red\""), std::string::npos) << text;
    IdSource ids;
    const auto back = readDocumentText(text, ids);
    ASSERT_EQ(back->state().customColors.size(), 3u);
    const CustomColorEntry* red = back->customColorByName("Spot Red");
    const CustomColorEntry* process = back->customColorByName("Process \xC3\xA9");
    const CustomColorEntry* lab = back->customColorByName("Lab");
    ASSERT_TRUE(red && process && lab);
    EXPECT_EQ(process->color.kind, kCustomFourColor);
    EXPECT_EQ(process->color.c.f.magenta, 1.0f);
    EXPECT_EQ(lab->color.kind, kCustomLabColor);
    EXPECT_EQ(lab->color.c.lab.b, -30.0f);
    // The path's paint names the read swatches by their new ids.
    const Art* path = nullptr;
    back->forEachArt([&](ObjId, const Art& art) {
        if (art.type == kPathArt) path = &art;
    });
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(fromHandle(path->style.fill.color.c.c.color), red->id);
    EXPECT_EQ(path->style.fill.color.c.c.tint, 0.25f);
    EXPECT_EQ(fromHandle(path->style.stroke.color.c.c.color), process->id);
    EXPECT_EQ(writeDocumentText(*back), text) << "a second save writes the same file";
}

TEST(Swatches, DocumentsWrittenBeforeSwatchesStillOpen) {
    const std::string old = R"({"format": "plotwise-document", "version": 1, "pathStyle": {},
        "layers": [{"kind": "layer", "id": 200, "title": "Layer 1", "children": [
          {"kind": "path", "id": 300, "segments": [{"p": [0, 0]}, {"p": [10, 0]}],
           "style": {"fill": true, "fillColor": {"kind": "custom", "tint": 0.5}}}]}]})";
    IdSource ids;
    const auto doc = readDocumentText(old, ids);
    EXPECT_TRUE(doc->state().customColors.empty());
    const Art* path = doc->art(300);
    ASSERT_NE(path, nullptr);
    EXPECT_EQ(path->style.fill.color.kind, kCustomColor);
    EXPECT_EQ(path->style.fill.color.c.c.color, nullptr);
    EXPECT_EQ(path->style.fill.color.c.c.tint, 0.5f);
    EXPECT_NE(documentToSvg(*doc).find("fill=\"#808080\""), std::string::npos) << "grey at its tint, as always";
}

TEST(Swatches, DamagedSwatchesAreRefusedWithTheirPlace) {
    const auto open = [](const std::string& swatches, const std::string& color) -> std::string {
        const std::string text = R"({"format": "plotwise-document", "version": 1, "pathStyle": {}, "swatches": )" + swatches +
                                 R"(, "layers": [{"kind": "layer", "id": 2, "title": "L", "children": [
              {"kind": "path", "id": 3, "segments": [{"p": [0, 0]}], "style": {"fillColor": )" + color +
                                 "}}]}]}";
        IdSource ids;
        try {
            readDocumentText(text, ids);
        } catch (const FormatError& e) {
            return e.what();
        }
        return "";
    };
    const std::string ok = R"([{"name": "S", "kind": "rgb", "value": [1, 0, 0]}])";
    EXPECT_EQ(open(ok, R"({"kind": "custom", "tint": 1, "swatch": "S"})"), "");
    EXPECT_NE(open(ok, R"({"kind": "custom", "tint": 1, "swatch": "T"})").find("names no swatch"), std::string::npos);
    EXPECT_NE(open(R"([{"name": "S", "kind": "rgb", "value": [1, 0, 0]}, {"name": "S", "kind": "rgb", "value": [0, 0, 0]}])",
                   R"({"kind": "gray", "value": 1})")
                  .find("swatches[1].name"),
              std::string::npos);
    EXPECT_NE(open(R"([{"name": "S", "kind": "cmyk", "value": [1, 0, 0]}])", R"({"kind": "gray", "value": 1})")
                  .find("expected 4 numbers"),
              std::string::npos);
    EXPECT_NE(open(R"([{"name": "", "kind": "rgb", "value": [1, 0, 0]}])", R"({"kind": "gray", "value": 1})"), "");
    EXPECT_NE(open(R"([{"name": "S", "kind": "spot", "value": [1, 0, 0]}])", R"({"kind": "gray", "value": 1})")
                  .find("unknown value"),
              std::string::npos);
    EXPECT_NE(open(R"({"name": "S"})", R"({"kind": "gray", "value": 1})"), "");
}

TEST(Swatches, SvgShowsTheSwatchAtItsTint) {
    Swatched s;
    const std::string svg = documentToSvg(s.doc);
    EXPECT_NE(svg.find("fill=\"#ffbfbf\""), std::string::npos) << "red at a quarter: mixed with white";
    EXPECT_NE(svg.find("stroke=\"#ff0000\""), std::string::npos) << "magenta and yellow inks: red";
    // Process inks scale with the tint.
    const colors::Rgb half = colors::fromCustom(Cmyk(0, 1, 1, 0), 0.5);
    EXPECT_DOUBLE_EQ(half.r, 1.0);
    EXPECT_DOUBLE_EQ(half.g, 0.5);
    const colors::Rgb none = colors::fromCustom(Rgb(0, 0, 1), 0.0);
    EXPECT_DOUBLE_EQ(none.r + none.g + none.b, 3.0) << "no tint is white";
    // Lab: mid grey for L 50 with no chroma is about 119 of 255 in sRGB.
    const colors::Rgb grey = colors::fromLab(50, 0, 0);
    EXPECT_NEAR(grey.r * 255, 119, 1.5);
    EXPECT_NEAR(grey.g, grey.r, 1e-3);
    EXPECT_NEAR(grey.b, grey.r, 1e-3);
}

TEST(Swatches, SuitesThroughTheHost) {
    Host host;
    host.newDocument();
    host.beginMessage();
    const void* p = nullptr;
    ASSERT_EQ(host.suites().acquire(kAICustomColorSuite, kAICustomColorSuiteVersion, &p), kNoErr);
    const auto* swatches = static_cast<const AICustomColorSuite*>(p);
    ASSERT_EQ(host.suites().acquire(kAIColorConversionSuite, kAIColorConversionSuiteVersion, &p), kNoErr);
    const auto* conversion = static_cast<const AIColorConversionSuite*>(p);
    const AICustomColor blue = Rgb(0, 0, 1);
    AICustomColorHandle h = nullptr, found = nullptr;
    ASSERT_EQ(swatches->NewCustomColor(&blue, ai::UnicodeString::FromUTF32(U"Blue \u00E9"), &h), kNoErr);
    EXPECT_EQ(swatches->GetCustomColorByName(ai::UnicodeString::FromUTF32(U"Blue \u00E9"), &found), kNoErr);
    EXPECT_EQ(found, h);
    EXPECT_EQ(swatches->GetCustomColorByName(ai::UnicodeString::FromUTF32(U"Blue"), &found), kNoSuchKey);
    ai::UnicodeString name;
    ASSERT_EQ(swatches->GetCustomColorName(h, name), kNoErr);
    EXPECT_EQ(name.as_UTF32(), U"Blue \u00E9");
    ai_int32 count = 0;
    ASSERT_EQ(swatches->CountCustomColors(&count), kNoErr);
    EXPECT_EQ(count, 1);
    EXPECT_EQ(swatches->GetNthCustomColor(1, &found), kOutOfRangeErr);
    // A swatch made in a message goes with its undo.
    host.endMessage();
    host.beginMessage();
    AICustomColorHandle second = nullptr;
    ASSERT_EQ(swatches->NewCustomColor(&blue, ai::UnicodeString::FromUTF32(U"Two"), &second), kNoErr);
    host.endMessage();
    ASSERT_TRUE(host.userUndo());
    host.beginMessage();
    AICustomColor read{};
    EXPECT_EQ(swatches->GetCustomColor(second, &read), kStaleHandleErr);
    EXPECT_EQ(swatches->GetCustomColor(h, &read), kNoErr);

    const AIReal black[4] = {0, 0, 0, 1}, none[4] = {0, 0, 0, 0};
    AIReal rgb[3] = {9, 9, 9};
    ASSERT_EQ(conversion->ConvertSampleColor(kAICMYKColorSpace, black, kAIRGBColorSpace, rgb, nullptr, nullptr), kNoErr);
    EXPECT_EQ(rgb[0] + rgb[1] + rgb[2], 0.0f);
    ASSERT_EQ(conversion->ConvertSampleColor(kAICMYKColorSpace, none, kAIRGBColorSpace, rgb, nullptr, nullptr), kNoErr);
    EXPECT_EQ(rgb[0] + rgb[1] + rgb[2], 3.0f);
    AIReal cmyk[4] = {};
    const AIReal red[3] = {1, 0, 0};
    ASSERT_EQ(conversion->ConvertSampleColor(kAIRGBColorSpace, red, kAICMYKColorSpace, cmyk, nullptr, nullptr), kNoErr);
    EXPECT_EQ(cmyk[1], 1.0f);
    EXPECT_EQ(cmyk[2], 1.0f);
    EXPECT_EQ(cmyk[3], 0.0f);
    EXPECT_EQ(conversion->ConvertSampleColor(9, red, kAIRGBColorSpace, rgb, nullptr, nullptr), kBadParameterErr);
    host.endMessage();
    host.suites().release(kAICustomColorSuite, kAICustomColorSuiteVersion);
    host.suites().release(kAIColorConversionSuite, kAIColorConversionSuiteVersion);
}

}  // namespace
