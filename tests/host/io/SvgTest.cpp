// SVG export: what a person would see. Visible layers become groups, paths carry their
// paint, text its font and matrix, hidden art and hidden layers are left out, and every
// text is escaped for XML.
#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <string>
#include <vector>

#include "Host.h"
#include "io/Svg.h"
#include "io/SvgNumbers.h"

using namespace standin;
using namespace standin::io;

namespace {

size_t occurrences(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

// The whole element (one line) holding `marker`, or "".
std::string elementOf(const std::string& svg, const std::string& marker) {
    const auto at = svg.find(marker);
    if (at == std::string::npos) return "";
    const auto start = svg.rfind('<', at);
    return svg.substr(start, svg.find('\n', at) - start);
}

struct Small {
    IdSource ids;
    Document doc{ids, 200, 100};
    ObjId layer = 0, hiddenLayer = 0, rect = 0, ellipse = 0, hiddenPath = 0, onHiddenLayer = 0, text = 0, group = 0;

    Small() {
        layer = doc.addLayer("Part <1> & \"2\"");
        EXPECT_EQ(doc.addRect(10, 20, 30, 40, &rect), kNoErr);
        Art* r = doc.editArt(rect);
        r->style.fillPaint = true;
        r->style.fill.color.kind = kThreeColor;
        r->style.fill.color.c.rgb = {1, 0, 0};
        r->style.stroke.dash.length = 2;
        r->style.stroke.dash.array[0] = 3;
        r->style.stroke.dash.array[1] = 1;
        EXPECT_EQ(doc.addEllipse(100, 10, 50, 50, &ellipse), kNoErr);
        EXPECT_EQ(doc.addLine({0, 0}, {5, 5}, &hiddenPath), kNoErr);
        EXPECT_EQ(doc.setUserAttr(hiddenPath, kArtHidden, kArtHidden), kNoErr);
        EXPECT_EQ(doc.newArt(kGroupArt, kPlaceAboveAll, 0, &group), kNoErr);
        doc.editDict(doc.dictionaryOf(group))->set("ZA3_Dimension", int32_t(1));
        EXPECT_EQ(doc.newArt(kTextFrameArt, kPlaceInsideOnTop, group, &text), kNoErr);
        text::TextRun run;
        run.text = "25 mm <a&b>\r\xB1" "0.1";
        run.features.size = 10;
        doc.editArt(text)->story.runs = {run};
        doc.editArt(text)->story.matrix = {1, 0, 0, 1, 60, 70};
        hiddenLayer = doc.addLayer("Hidden");
        EXPECT_EQ(doc.addLine({1, 1}, {2, 2}, &onHiddenLayer), kNoErr);
        EXPECT_EQ(doc.setLayerVisible("Hidden", false), kNoErr);
    }
};

}  // namespace

TEST(Svg, ShowsVisibleLayersArtAndText) {
    Small s;
    const std::string svg = documentToSvg(s.doc);
    EXPECT_EQ(svg.rfind("<?xml", 0), 0u);
    EXPECT_NE(svg.find("xmlns=\"http://www.w3.org/2000/svg\""), std::string::npos);
    EXPECT_NE(svg.find("<g transform=\"matrix(1 0 0 -1 0 0)\">"), std::string::npos);
    EXPECT_NE(svg.find("<g id=\"layer-" + std::to_string(s.layer) +
                       "\" data-title=\"Part &lt;1&gt; &amp; &quot;2&quot;\">"),
              std::string::npos);
    // The rectangle: its outline, its paint and its dash.
    const std::string rect = elementOf(svg, "data-id=\"" + std::to_string(s.rect) + "\"");
    EXPECT_EQ(rect.rfind("<path data-id=\"" + std::to_string(s.rect) + "\" data-type=\"path\" d=\"M10 60L40 60L40 20L10 20Z\"", 0), 0u) << rect;
    EXPECT_NE(rect.find("Z\" fill=\"#ff0000\" stroke=\"#000000\" stroke-width=\"1\""), std::string::npos) << rect;
    EXPECT_NE(rect.find("stroke-dasharray=\"3 1\""), std::string::npos) << rect;
    // The ellipse is drawn with curves.
    EXPECT_EQ(occurrences(elementOf(svg, "data-id=\"" + std::to_string(s.ellipse) + "\""), "C"), 4u);
    // The group says what is live; the text keeps its matrix, turned upright, and its lines.
    EXPECT_NE(svg.find("data-id=\"" + std::to_string(s.group) + "\" data-type=\"group\" data-keys=\"ZA3_Dimension\""),
              std::string::npos);
    EXPECT_NE(svg.find("transform=\"matrix(1 0 0 1 60 70) scale(1 -1)\""), std::string::npos);
    EXPECT_NE(svg.find(">25 mm &lt;a&amp;b&gt;</tspan>"), std::string::npos);
    EXPECT_NE(svg.find("x=\"0\" y=\"14.4\""), std::string::npos);  // the second line, one leading down
    EXPECT_NE(svg.find(">\xC2\xB1" "0.1</tspan>"), std::string::npos);  // ± as UTF-8
    EXPECT_NE(svg.find("font-size=\"10\""), std::string::npos);
    // Hidden art and hidden layers are left out.
    EXPECT_EQ(svg.find("data-id=\"" + std::to_string(s.hiddenPath) + "\""), std::string::npos);
    EXPECT_EQ(svg.find("data-id=\"" + std::to_string(s.onHiddenLayer) + "\""), std::string::npos);
    EXPECT_EQ(svg.find("layer-" + std::to_string(s.hiddenLayer)), std::string::npos);
    // Every element opened is closed.
    EXPECT_EQ(occurrences(svg, "<g"), occurrences(svg, "</g>"));
    EXPECT_EQ(occurrences(svg, "<text"), occurrences(svg, "</text>"));
    EXPECT_EQ(svg.find("selection"), std::string::npos);
}

TEST(Svg, SelectionOverlayMarksSelectedAnchors) {
    Small s;
    ASSERT_EQ(s.doc.select(s.rect), kNoErr);
    ASSERT_EQ(s.doc.setSegmentSelected(s.rect, 1, 0), kNoErr);
    SvgOptions options;
    options.selection = true;
    const std::string svg = documentToSvg(s.doc, options);
    const auto overlay = svg.find("<g id=\"selection\"");
    ASSERT_NE(overlay, std::string::npos);
    const std::string tail = svg.substr(overlay);
    EXPECT_NE(tail.find("data-selected=\"" + std::to_string(s.rect) + "\""), std::string::npos);
    EXPECT_EQ(tail.find("data-selected=\"" + std::to_string(s.ellipse) + "\""), std::string::npos);
    // Four anchor squares, three filled in the layer's colour (blue) and one hollow.
    EXPECT_EQ(occurrences(tail, "<rect"), 4u);
    EXPECT_EQ(occurrences(tail, "fill=\"#0000ff\""), 3u);
    EXPECT_EQ(occurrences(tail, "fill=\"#ffffff\""), 1u);
}

TEST(Svg, GeometryThatCannotBeDrawnIsLeftOut) {
    IdSource ids;
    Document doc(ids, 100, 100);
    ObjId bad = 0, good = 0;
    ASSERT_EQ(doc.addLine({NAN, 0}, {1, 1}, &bad), kNoErr);
    ASSERT_EQ(doc.addLine({0, 0}, {1, 1}, &good), kNoErr);
    const std::string svg = documentToSvg(doc);
    EXPECT_EQ(svg.find("data-id=\"" + std::to_string(bad) + "\""), std::string::npos);
    EXPECT_NE(svg.find("data-id=\"" + std::to_string(good) + "\" data-type=\"path\" d=\"M0 0L1 1\""), std::string::npos);
    EXPECT_EQ(svg.find("nan"), std::string::npos);
}

TEST(Svg, EveryNumberWrittenIsFiniteWhateverTheDocumentHolds) {
    IdSource ids;
    Document doc(ids, 3e38f, 100);
    doc.editState().rulerOrigin = {-3e38f, 0};  // the page reaches past the largest real
    ObjId far = 0, across = 0, text = 0;
    ASSERT_EQ(doc.addLine({-3e38f, -3e38f}, {3e38f, 3e38f}, &far), kNoErr);
    ASSERT_EQ(doc.addPath({{{-FLT_MAX, 0}, {-FLT_MAX, 0}, {-FLT_MAX, 0}, true}, {{FLT_MAX, 1}, {FLT_MAX, 1}, {FLT_MAX, 1}, true}},
                          false, &across),
              kNoErr);
    doc.editArt(across)->centerPointVisible = true;
    ASSERT_EQ(doc.newArt(kTextFrameArt, kPlaceAboveAll, 0, &text), kNoErr);
    text::TextRun run;
    run.text = "a\rb\rc";
    run.features.size = 100;
    run.features.leading = 3e38f;          // three lines run past the largest real
    run.features.tracking = 3e38f;         // so does the spacing it makes
    run.features.baselineShift = -3e38f;
    run.features.stroke = true;
    run.features.strokeColor.kind = kGrayColor;
    run.features.lineWidth = NAN;
    doc.editArt(text)->story.runs = {run};
    doc.selectAll();
    SvgOptions options;
    options.selection = true;
    const std::string svg = documentToSvg(doc, options);
    EXPECT_EQ(svgtest::nonFiniteNumbers(svg), std::vector<std::string>{});
    // The art is still drawn, at its own coordinates.
    EXPECT_NE(svg.find("d=\"M-3e+38 -3e+38L3e+38 3e+38\""), std::string::npos);
    EXPECT_EQ(occurrences(svg, "<tspan"), 3u);
}

TEST(Svg, EscapingDropsWhatXmlCannotHold) {
    EXPECT_EQ(escapeXml("a<b>&\"c'\x01\x1F\td"), "a&lt;b&gt;&amp;&quot;c&apos;\td");
}

TEST(Svg, AStretchedTextStartsEachLineWhereItsJustificationPutsIt) {
    // Two lines of zeros at 10 pt in DejaVu Sans, whose digits advance 1303/2048 em: 12.7246
    // and 25.4492 wide. Under a frame that shears them (the top face of an isometric view)
    // the lines are placed from their starts; under one that only turns them, by the anchor.
    constexpr double kDigit = 10.0 * 1303 / 2048;
    const AIRealMatrix sheared{0.7071068f, -0.4082483f, 0.7071068f, 0.4082483f, 0, 0}, turned{0.8f, 0.6f, -0.6f, 0.8f, 0, 0};
    const struct {
        AIRealMatrix frame;
        int16_t justification;
        const char* anchor;
        double first, second;  // the lines' x
    } rows[] = {
        {sheared, 1, "start", -2 * kDigit, -4 * kDigit},
        {sheared, 2, "start", -kDigit, -2 * kDigit},
        {sheared, 0, "start", 0, 0},
        {turned, 1, "end", 0, 0},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(r.justification);
        IdSource ids;
        Document doc{ids, 200, 100};
        doc.addLayer("Part");
        ObjId text = 0;
        ASSERT_EQ(doc.newArt(kTextFrameArt, kPlaceAboveAll, 0, &text), kNoErr);
        text::TextRun run;
        run.text = "00\r0000";
        run.features.font = "DejaVu Sans";
        run.features.size = 10;
        Art* art = doc.editArt(text);
        art->story.runs = {run};
        art->story.matrix = r.frame;
        art->story.para.justification = r.justification;
        const std::string svg = elementOf(documentToSvg(doc), "data-id=\"" + std::to_string(text) + "\"");
        EXPECT_NE(svg.find(std::string("text-anchor=\"") + r.anchor + "\""), std::string::npos) << svg;
        std::vector<double> xs;
        for (size_t at = svg.find(" x=\""); at != std::string::npos; at = svg.find(" x=\"", at + 1))
            xs.push_back(std::stod(svg.substr(at + 4)));
        ASSERT_EQ(xs.size(), 2u) << svg;
        EXPECT_NEAR(xs[0], r.first, 1e-3);
        EXPECT_NEAR(xs[1], r.second, 1e-3);
    }
}
