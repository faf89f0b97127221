// Text metrics against FreeType's own numbers, and the layout rules of point text:
// justification about the anchor, leading between lines, tracking, scales, baseline shift,
// and outline bounds under rotation.
#include <gtest/gtest.h>

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_BBOX_H

#include <algorithm>
#include <cmath>
#include <string>

#include "text/FontRegistry.h"
#include "text/Layout.h"

using namespace standin::text;

namespace {

// Advances and exact ink box of a string laid out directly with FreeType, in points.
struct FtMeasure {
    double width = 0, xMin = 1e9, yMin = 1e9, xMax = -1e9, yMax = -1e9;
};

FtMeasure measureWithFreeType(const char* file, const std::u32string& text, double size) {
    FT_Library lib;
    FT_Face face;
    FtMeasure m;
    EXPECT_EQ(FT_Init_FreeType(&lib), 0);
    EXPECT_EQ(FT_New_Face(lib, (std::string(PLOTWISE_FONT_DIR) + "/" + file).c_str(), 0, &face), 0);
    const double k = size / face->units_per_EM;
    double pen = 0;
    for (char32_t c : text) {
        EXPECT_EQ(FT_Load_Char(face, c, FT_LOAD_NO_SCALE | FT_LOAD_NO_HINTING), 0);
        FT_BBox box;
        FT_Outline_Get_BBox(&face->glyph->outline, &box);
        if (face->glyph->outline.n_points > 0) {
            m.xMin = std::min(m.xMin, pen + box.xMin * k);
            m.xMax = std::max(m.xMax, pen + box.xMax * k);
            m.yMin = std::min(m.yMin, box.yMin * k);
            m.yMax = std::max(m.yMax, box.yMax * k);
        }
        pen += face->glyph->metrics.horiAdvance * k;
    }
    m.width = pen;
    FT_Done_Face(face);
    FT_Done_FreeType(lib);
    return m;
}

Story story(const std::string& text, AIReal size = 10.0f, const char* font = "DejaVu Sans") {
    Story s;
    TextRun run;
    run.text = text;
    run.features.font = font;
    run.features.size = size;
    run.features.leading = 1.2f * size;
    s.runs.push_back(run);
    return s;
}

FontRegistry& fonts() { return FontRegistry::shared(); }

AIRealMatrix rotation(double deg, double tx, double ty) {
    const double r = deg * M_PI / 180.0;
    return {static_cast<AIReal>(std::cos(r)), static_cast<AIReal>(std::sin(r)), static_cast<AIReal>(-std::sin(r)),
            static_cast<AIReal>(std::cos(r)), static_cast<AIReal>(tx), static_cast<AIReal>(ty)};
}

}  // namespace

TEST(FontRegistry, FindsTheDejaVuFacesByName) {
    FontRegistry& f = fonts();
    ASSERT_GT(f.count(), 2);
    EXPECT_GE(f.find("DejaVu Sans"), 0);
    EXPECT_GE(f.find("DejaVu Sans Bold"), 0);
    EXPECT_GE(f.find("DejaVu Sans Mono"), 0);
    EXPECT_EQ(f.find("dejavu sans"), -1);  // case-sensitive
    EXPECT_EQ(f.uiName(f.defaultIndex()), "DejaVu Sans");
    for (int32_t i = 1; i < f.count(); ++i) EXPECT_LT(f.uiName(i - 1), f.uiName(i));
    EXPECT_EQ(f.uiName(-1), "");
    EXPECT_EQ(f.uiName(f.count()), "");
    EXPECT_EQ(f.glyph(f.count(), U'A'), nullptr);
}

TEST(FontRegistry, EmptyFolderGivesNoFontsAndFallbackLayout) {
    FontRegistry none("/nonexistent-font-folder");
    EXPECT_EQ(none.count(), 0);
    EXPECT_EQ(none.defaultIndex(), -1);
    const StoryLayout l = layoutStory(story("ab"), none);
    ASSERT_EQ(l.lines.size(), 1u);
    EXPECT_NEAR(l.lines[0].width, 12.0, 1e-9);  // 0.6 em per character
    EXPECT_TRUE(outlineStory(story("ab"), none).empty());
}

TEST(TextMetrics, WidthAndInkAgreeWithFreeType) {
    struct Case {
        const char* file;
        const char* font;
        std::string text;
        std::u32string unicode;
        AIReal size;
    };
    const Case cases[] = {
        {"DejaVuSans.ttf", "DejaVu Sans", "25.40", U"25.40", 10.0f},
        {"DejaVuSans.ttf", "DejaVu Sans", "Wall \xB1" "0.5\xB0", U"Wall \u00B10.5\u00B0", 12.0f},
        {"DejaVuSans-Bold.ttf", "DejaVu Sans Bold", "Qgjy", U"Qgjy", 7.0f},
        {"DejaVuSansMono.ttf", "DejaVu Sans Mono", "3'-6 1/4\"", U"3'-6 1/4\"", 9.0f},
    };
    for (const Case& c : cases) {
        const FtMeasure ft = measureWithFreeType(c.file, c.unicode, c.size);
        const Story s = story(c.text, c.size, c.font);
        const StoryLayout l = layoutStory(s, fonts());
        EXPECT_NEAR(l.lines[0].width, ft.width, 1e-4) << c.text;
        const AIRealRect r = storyBounds(s, fonts());
        EXPECT_NEAR(r.left, ft.xMin, 1e-3) << c.text;
        EXPECT_NEAR(r.right, ft.xMax, 1e-3) << c.text;
        EXPECT_NEAR(r.bottom, ft.yMin, 1e-3) << c.text;
        EXPECT_NEAR(r.top, ft.yMax, 1e-3) << c.text;
    }
    // Monospaced: every advance is the same.
    const double w1 = layoutStory(story("1", 10, "DejaVu Sans Mono"), fonts()).lines[0].width;
    EXPECT_NEAR(layoutStory(story("1.25", 10, "DejaVu Sans Mono"), fonts()).lines[0].width, 4 * w1, 1e-9);
}

TEST(TextMetrics, UnknownFontFallsBackToTheDefault) {
    EXPECT_EQ(layoutStory(story("abc", 10, "No Such Font"), fonts()).lines[0].width,
              layoutStory(story("abc", 10, "DejaVu Sans"), fonts()).lines[0].width);
}

TEST(Layout, JustificationAboutTheAnchor) {
    Story s = story("HELLO");
    s.matrix = {1, 0, 0, 1, 100, 50};
    const double w = layoutStory(s, fonts()).lines[0].width;
    const AIRealRect left = storyBounds(s, fonts());
    const double lsb = left.left - 100.0;  // ink starts a bearing after the pen
    EXPECT_GT(lsb, 0.0);
    struct {
        int16_t code;
        double shift;
    } cases[] = {{0, 0}, {1, -w}, {2, -w / 2}, {3, 0}, {4, -w}, {5, -w / 2}, {6, 0}};
    for (auto c : cases) {
        s.para.justification = c.code;
        EXPECT_NEAR(layoutStory(s, fonts()).lines[0].left, c.shift, 1e-9) << c.code;
        const AIRealRect r = storyBounds(s, fonts());
        EXPECT_NEAR(r.left, left.left + c.shift, 1e-3) << c.code;
        EXPECT_NEAR(r.top, left.top, 1e-4) << c.code;
    }
    // Right-justified text ends at its anchor: its ink stops just short of it.
    s.para.justification = 1;
    const AIRealRect r = storyBounds(s, fonts());
    EXPECT_LE(r.right, 100.0f);
    EXPECT_GT(r.right, 99.0f);
}

TEST(Layout, EachLineIsJustifiedOnItsOwn) {
    Story s = story("A\rWWWW");
    s.para.justification = 1;
    const StoryLayout l = layoutStory(s, fonts());
    ASSERT_EQ(l.lines.size(), 2u);
    EXPECT_NEAR(l.lines[0].left, -l.lines[0].width, 1e-9);
    EXPECT_NEAR(l.lines[1].left, -l.lines[1].width, 1e-9);
}

TEST(Layout, LaterBaselinesLieOneLeadingBelow) {
    Story s = story("H\rH\r\rH", 10.0f);
    const StoryLayout l = layoutStory(s, fonts());
    ASSERT_EQ(l.lines.size(), 4u);
    for (size_t i = 1; i < 4; ++i) EXPECT_NEAR(l.lines[i].baseline - l.lines[i - 1].baseline, -12.0, 1e-5);
    // The ink of two capitals two lines apart: cap height plus one leading.
    const AIRealRect one = storyBounds(story("H"), fonts());
    const AIRealRect two = storyBounds(story("H\rH"), fonts());
    EXPECT_NEAR((two.top - two.bottom) - (one.top - one.bottom), 12.0, 1e-4);
    // A trailing carriage return opens an empty last line.
    EXPECT_EQ(layoutStory(story("H\r"), fonts()).lines.size(), 2u);
    EXPECT_EQ(layoutStory(Story{}, fonts()).lines.size(), 1u);
}

TEST(Layout, LargestLeadingOfALineSetsItsBaseline) {
    Story s = story("a\rb");
    TextRun big = s.runs[0];
    big.text = "C";
    big.features.leading = 30.0f;
    s.runs.push_back(big);
    const StoryLayout l = layoutStory(s, fonts());
    EXPECT_NEAR(l.lines[1].baseline, -30.0, 1e-5);
}

TEST(Layout, TrackingScalesAndBaselineShift) {
    const Story plain = story("AV");
    const double w = layoutStory(plain, fonts()).lines[0].width;
    const AIRealRect ink = storyBounds(plain, fonts());

    Story tracked = plain;
    tracked.runs[0].features.tracking = 100;  // 0.1 em between the two characters
    EXPECT_NEAR(layoutStory(tracked, fonts()).lines[0].width, w + 1.0, 1e-5);

    Story wide = plain;
    wide.runs[0].features.horizontalScale = 2.0f;
    EXPECT_NEAR(layoutStory(wide, fonts()).lines[0].width, 2 * w, 1e-5);
    const AIRealRect wideInk = storyBounds(wide, fonts());
    EXPECT_NEAR(wideInk.top, ink.top, 1e-4);

    Story tall = plain;
    tall.runs[0].features.verticalScale = 1.5f;
    const AIRealRect tallInk = storyBounds(tall, fonts());
    EXPECT_NEAR(tallInk.top, 1.5 * ink.top, 1e-3);
    EXPECT_NEAR(tallInk.right, ink.right, 1e-4);

    Story raised = plain;
    raised.runs[0].features.baselineShift = 2.0f;
    const AIRealRect raisedInk = storyBounds(raised, fonts());
    EXPECT_NEAR(raisedInk.top, ink.top + 2.0f, 1e-4);
    EXPECT_NEAR(raisedInk.bottom, ink.bottom + 2.0f, 1e-4);
}

TEST(Outline, ContoursAreClosedCubicsAndBoundTheText) {
    Story s = story("8.5\xB1" "0.1", 10.0f);
    s.matrix = rotation(30.0, 40.0, -20.0);
    const auto glyphs = outlineStory(s, fonts());
    EXPECT_EQ(glyphs.size(), 7u);  // every character has ink
    std::vector<OutlineContour> all;
    for (const auto& g : glyphs)
        for (const auto& c : g.contours) {
            EXPECT_GE(c.segments.size(), 2u);
            all.push_back(c);
        }
    AIRealRect outline{};
    ASSERT_TRUE(contourBounds(all, outline));
    const AIRealRect frame = storyBounds(s, fonts());
    EXPECT_FLOAT_EQ(frame.left, outline.left);
    EXPECT_FLOAT_EQ(frame.right, outline.right);
    EXPECT_FLOAT_EQ(frame.top, outline.top);
    EXPECT_FLOAT_EQ(frame.bottom, outline.bottom);
    // Every anchor lies inside the bounds.
    for (const auto& c : all)
        for (const auto& seg : c.segments) {
            EXPECT_GE(seg.p.h, frame.left - 1e-4f);
            EXPECT_LE(seg.p.h, frame.right + 1e-4f);
            EXPECT_GE(seg.p.v, frame.bottom - 1e-4f);
            EXPECT_LE(seg.p.v, frame.top + 1e-4f);
        }
}

TEST(Outline, QuarterTurnSwapsWidthAndHeight) {
    Story s = story("Dim 12.5", 10.0f);
    const AIRealRect flat = storyBounds(s, fonts());
    s.matrix = rotation(90.0, 0, 0);
    s.matrix.a = s.matrix.d = 0;  // exact quarter turn
    const AIRealRect turned = storyBounds(s, fonts());
    EXPECT_NEAR(turned.right - turned.left, flat.top - flat.bottom, 1e-4);
    EXPECT_NEAR(turned.top - turned.bottom, flat.right - flat.left, 1e-4);
    EXPECT_NEAR(turned.top, flat.right, 1e-4);
    // An extra matrix applies after the frame's: a second quarter turn is a half turn.
    const AIRealMatrix quarter{0, 1, -1, 0, 0, 0};
    const AIRealRect half = storyBounds(s, fonts(), &quarter);
    EXPECT_NEAR(half.left, -flat.right, 1e-4);
    EXPECT_NEAR(half.top, -flat.bottom, 1e-4);
}

TEST(Outline, TextWithoutInkBoundsItsAnchor) {
    Story s = story("   ");
    s.matrix = {1, 0, 0, 1, 7, 9};
    EXPECT_TRUE(outlineStory(s, fonts()).empty());
    const AIRealRect r = storyBounds(s, fonts());
    EXPECT_EQ(r.left, 7.0f);
    EXPECT_EQ(r.right, 7.0f);
    EXPECT_EQ(r.top, 9.0f);
    EXPECT_EQ(r.bottom, 9.0f);
}

TEST(Outline, SameStorySameOutline) {
    const Story s = story("Repeat 42");
    const auto a = outlineStory(s, fonts());
    const auto b = outlineStory(s, fonts());
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i)
        for (size_t j = 0; j < a[i].contours.size(); ++j)
            for (size_t k = 0; k < a[i].contours[j].segments.size(); ++k) {
                EXPECT_EQ(a[i].contours[j].segments[k].p.h, b[i].contours[j].segments[k].p.h);
                EXPECT_EQ(a[i].contours[j].segments[k].p.v, b[i].contours[j].segments[k].p.v);
            }
}

TEST(Layout, IndentsAndSpaceBeforeMoveEachLine) {
    Story s = story("ab\rc");
    s.para.startIndent = 3;
    s.para.firstLineIndent = 2;
    s.para.endIndent = 4;
    s.para.spaceBefore = 1.5f;
    StoryLayout l = layoutStory(s, fonts());
    EXPECT_NEAR(l.lines[0].left, 5.0, 1e-9);
    EXPECT_NEAR(l.lines[1].left, 5.0, 1e-9);
    EXPECT_NEAR(l.lines[1].baseline, -(12.0 + 1.5), 1e-5);
    s.para.justification = 1;
    l = layoutStory(s, fonts());
    EXPECT_NEAR(l.lines[0].left, -l.lines[0].width - 4.0, 1e-9);
    s.para.justification = 2;
    l = layoutStory(s, fonts());
    EXPECT_NEAR(l.lines[1].left, -l.lines[1].width / 2 + 0.5, 1e-9);
}

TEST(Layout, ControlCharactersTakeNoRoomAndDrawNothing) {
    const double w = layoutStory(story("ab"), fonts()).lines[0].width;
    EXPECT_NEAR(layoutStory(story("a\t\n\x81" "b"), fonts()).lines[0].width, w, 1e-9);
    EXPECT_EQ(outlineStory(story("a\x01\x7F" "b"), fonts()).size(), 2u);
}
