// Witness lines, dimension lines and terminators: every terminator style at both ends of
// a line at 0, 90 and 37 degrees, checked against geometry worked out independently (tips
// on the end points, barb lengths and angles from the style), the half arrowhead's side,
// dots, slashes and when they turn, and the datum form restoring what it changed.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "DimensionPartsFixture.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionPaint.h"

namespace {

constexpr double kPi = 3.14159265358979323846;

struct V {
    double h, v;
};
V operator-(V a, V b) { return {a.h - b.h, a.v - b.v}; }
V vec(AIRealPoint p) { return {p.h, p.v}; }
double len(V a) { return std::hypot(a.h, a.v); }
double dot(V a, V b) { return a.h * b.h + a.v * b.v; }
double cross(V a, V b) { return a.h * b.v - a.v * b.h; }
// The unsigned angle between two vectors, degrees.
double angleBetween(V a, V b) { return std::atan2(std::fabs(cross(a, b)), dot(a, b)) * 180.0 / kPi; }

class DimensionLinesTest : public DimensionPartsFixture {
protected:
    void SetUp() override {
        DimensionPartsFixture::SetUp();
        auto& s = G().prefs.style;
        s.arrowheadLength = 10.0f;
        s.arrowheadAngle = 15.0f;
        s.arrowheadWeight = 0.5f;
        s.dimensionColorType = kGrayColor;
        s.dimensionColorComponent1 = 65535;
        group_ = NewArt(kGroupArt);
    }
    AIErr Draw(int style, AIRealPoint p1, AIRealPoint p2, int inside, int atP1 = 1, int atP2 = 1) {
        G().prefs.style.arrowheadStyle = style;
        EXPECT_EQ(setPathAndArrowheadStyles(), kNoErr);
        return doLineEndpointGraphics(p1, p2, static_cast<int16_t>(atP1), static_cast<int16_t>(atP2),
                                      static_cast<int16_t>(inside), group_);
    }
    // The paths drawn, in drawing order (each new one goes on top).
    std::vector<const standin::Art*> Paths() {
        std::vector<const standin::Art*> members = Members(group_);
        return {members.rbegin(), members.rend()};
    }
    AIArtHandle group_ = nullptr;
};

TEST_F(DimensionLinesTest, ArrowheadExampleValues) {
    ASSERT_EQ(Draw(1, {0, 0}, {100, 0}, 1), kNoErr);
    auto paths = Paths();
    ASSERT_EQ(paths.size(), 2u);
    const auto& a = paths[0]->segments;
    ASSERT_EQ(a.size(), 3u);
    EXPECT_NEAR(a[0].p.h, 9.659, 1e-3);
    EXPECT_NEAR(a[0].p.v, -2.588, 1e-3);
    EXPECT_NEAR(a[1].p.h, 0, 1e-6);
    EXPECT_NEAR(a[2].p.h, 9.659, 1e-3);
    EXPECT_NEAR(a[2].p.v, 2.588, 1e-3);
    const auto& b = paths[1]->segments;
    EXPECT_NEAR(b[0].p.h, 90.341, 1e-3);
    EXPECT_NEAR(b[0].p.v, 2.588, 1e-3);
    EXPECT_NEAR(b[1].p.h, 100, 1e-5);
    EXPECT_NEAR(b[2].p.v, -2.588, 1e-3);
    EXPECT_TRUE(paths[0]->closed);
    EXPECT_TRUE(paths[0]->style.fillPaint);
    // Outside: the barbs go beyond the points.
    ASSERT_EQ(Draw(1, {0, 0}, {100, 0}, 0), kNoErr);
    paths = Paths();
    ASSERT_EQ(paths.size(), 4u);
    EXPECT_NEAR(paths[2]->segments[0].p.h, -9.659, 1e-3);
    EXPECT_NEAR(paths[3]->segments[0].p.h, 109.659, 1e-3);
}

TEST_F(DimensionLinesTest, EveryStyleAtThreeAngles) {
    const double length = 10.0, halfAngle = 15.0;
    for (double degrees : {0.0, 90.0, 37.0}) {
        const double t = degrees * kPi / 180.0;
        const AIRealPoint p1{50, 60};
        const AIRealPoint p2{static_cast<float>(50 + 120 * std::cos(t)), static_cast<float>(60 + 120 * std::sin(t))};
        const V along{std::cos(t), std::sin(t)};
        for (int style = 1; style <= 8; ++style) {
            for (int inside : {0, 1}) {
                const size_t before = Paths().size();
                ASSERT_EQ(Draw(style, p1, p2, inside), kNoErr);
                const auto all = Paths();
                const std::vector<const standin::Art*> drawn(all.begin() + static_cast<long>(before), all.end());
                SCOPED_TRACE(testing::Message() << "style " << style << " at " << degrees << " inside " << inside);
                if (style == 4) {
                    EXPECT_TRUE(drawn.empty());
                    continue;
                }
                ASSERT_EQ(drawn.size(), 2u);
                for (int end = 0; end < 2; ++end) {
                    const standin::Art& path = *drawn[static_cast<size_t>(end)];
                    const V at = vec(end == 0 ? p1 : p2);
                    // The way the terminator opens: into the line when inside, away otherwise.
                    const V into = end == 0 ? along : V{-along.h, -along.v};
                    const V opens = inside ? into : V{-into.h, -into.v};
                    const auto& s = path.segments;
                    EXPECT_EQ(path.style.stroke.width, 0.5f);
                    switch (style) {
                        case 1: case 6: case 7: {
                            ASSERT_EQ(s.size(), 3u);
                            EXPECT_NEAR(len(vec(s[1].p) - at), 0, 1e-4) << "tip on the end point";
                            for (int b : {0, 2}) {
                                const V barb = vec(s[static_cast<size_t>(b)].p) - at;
                                EXPECT_NEAR(len(barb), length, 1e-4);
                                EXPECT_NEAR(angleBetween(barb, opens), halfAngle, 1e-3);
                            }
                            EXPECT_LT(cross(vec(s[0].p) - at, opens) * cross(vec(s[2].p) - at, opens), 0)
                                << "barbs on both sides";
                            EXPECT_EQ(path.closed, style != 6);
                            EXPECT_EQ(path.style.fillPaint != 0, style == 1);
                            break;
                        }
                        case 5: {
                            ASSERT_EQ(s.size(), 3u);
                            EXPECT_NEAR(len(vec(s[1].p) - at), 0, 1e-4);
                            const V shaft = vec(s[0].p) - at, barb = vec(s[2].p) - at;
                            EXPECT_NEAR(len(shaft), 0.7 * length, 1e-4);
                            EXPECT_NEAR(angleBetween(shaft, opens), 0, 1e-2);
                            EXPECT_NEAR(len(barb), length, 1e-4);
                            EXPECT_NEAR(angleBetween(barb, opens), halfAngle, 1e-3);
                            EXPECT_TRUE(path.closed);
                            EXPECT_TRUE(path.style.fillPaint);
                            break;
                        }
                        case 2: {
                            ASSERT_EQ(s.size(), 4u);
                            for (const auto& seg : s) {
                                EXPECT_NEAR(len(vec(seg.p) - at), length / 2, 1e-4);
                                EXPECT_NEAR(len(vec(seg.in) - vec(seg.p)), length / 3.6213737826, 1e-4);
                            }
                            EXPECT_TRUE(path.closed);
                            EXPECT_TRUE(path.style.fillPaint);
                            break;
                        }
                        case 3: case 8: {
                            ASSERT_EQ(s.size(), 2u);
                            const V mid{(s[0].p.h + s[1].p.h) / 2.0, (s[0].p.v + s[1].p.v) / 2.0};
                            EXPECT_NEAR(len(mid - at), 0, 1e-4) << "centred on the end point";
                            const V d = vec(s[1].p) - vec(s[0].p);
                            EXPECT_NEAR(len(d), length * std::sqrt(2.0), 1e-4);
                            // Rising to the right for 3, falling for 8, whatever the line.
                            EXPECT_GT(d.h * d.v * (style == 3 ? 1 : -1), 0);
                            EXPECT_FALSE(path.closed);
                            EXPECT_FALSE(path.style.fillPaint);
                            break;
                        }
                        default: break;
                    }
                }
            }
        }
    }
}

TEST_F(DimensionLinesTest, HalfArrowheadKeepsItsSideWhicheverWayTheLineRuns) {
    ASSERT_EQ(Draw(5, {0, 0}, {100, 0}, 1, 1, 0), kNoErr);
    ASSERT_EQ(Draw(5, {100, 20}, {0, 20}, 1, 1, 0), kNoErr);
    const auto paths = Paths();
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_GT(paths[0]->segments[2].p.v - 0, 0) << "barb above the left-to-right line";
    EXPECT_GT(paths[1]->segments[2].p.v - 20, 0) << "and above the right-to-left one";
}

TEST_F(DimensionLinesTest, SlashesTurnOnlyOnVerticalDimensionsWithSideText) {
    auto turned = [&](AIToolHandle tool, int modifiers, int vText, int force) {
        G().curTool = tool;
        G().prefs.style.modifiers = modifiers;
        G().prefs.style.vTextPlacement = vText;
        G().prefs.forceSlashDirection = force;
        const size_t before = Paths().size();
        EXPECT_EQ(Draw(3, {0, 0}, {0, 100}, 1, 1, 0), kNoErr);
        const auto& s = Paths()[before]->segments;
        return (s[1].p.h - s[0].p.h) * (s[1].p.v - s[0].p.v) < 0;  // falling instead of rising
    };
    auto* h = reinterpret_cast<AIToolHandle>(uintptr_t{101});
    auto* v = reinterpret_cast<AIToolHandle>(uintptr_t{102});
    auto* other = reinterpret_cast<AIToolHandle>(uintptr_t{103});
    G().htool = h;
    G().datumvtool = v;
    EXPECT_TRUE(turned(v, 0, 2, 0));
    EXPECT_TRUE(turned(v, 0, 3, 0));
    EXPECT_FALSE(turned(v, 0, 1, 0)) << "text not beside the line";
    EXPECT_FALSE(turned(v, 0, 2, 1)) << "direction forced";
    EXPECT_FALSE(turned(h, 0, 2, 0));
    EXPECT_TRUE(turned(h, 2, 2, 0)) << "option turns a horizontal tool vertical";
    EXPECT_FALSE(turned(other, 2, 2, 0));
    // Turned slashes of style 8 rise again.
    G().curTool = v;
    G().prefs.style.modifiers = 0;
    ASSERT_EQ(Draw(8, {0, 0}, {0, 100}, 1, 0, 1), kNoErr);
    const auto& s = Paths().back()->segments;
    EXPECT_GT((s[1].p.h - s[0].p.h) * (s[1].p.v - s[0].p.v), 0);
}

TEST_F(DimensionLinesTest, WitnessAndDimensionLinesTakeTheirStyles) {
    G().prefs.style.witnessWeight = 0.25f;
    G().prefs.style.dimensionWeight = 0.75f;
    ASSERT_EQ(setPathAndArrowheadStyles(), kNoErr);
    ASSERT_EQ(drawWitnessLine({0, 0}, {0, 30}, group_), kNoErr);
    ASSERT_EQ(drawDimensionLine({0, 25}, {80, 25}, group_), kNoErr);
    const auto paths = Paths();
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0]->style.stroke.width, 0.25f);
    EXPECT_EQ(paths[1]->style.stroke.width, 0.75f);
    EXPECT_FALSE(paths[1]->closed);
    EXPECT_FALSE(paths[1]->style.fillPaint);
    EXPECT_EQ(paths[1]->segments[1].p.h, 80);
    // Without a group the path goes above firstArt.
    AIArtHandle first = NewArt(kPathArt);
    G().firstArt = first;
    ASSERT_EQ(drawWitnessLine({0, 0}, {0, 30}, nullptr), kNoErr);
    AIArtHandle above = nullptr;
    ASSERT_EQ(sAIArt->GetArtPriorSibling(first, &above), kNoErr);
    ASSERT_NE(above, nullptr);
    EXPECT_EQ(ArtOf(above)->segments.size(), 2u);
}

TEST_F(DimensionLinesTest, DatumFormRestoresTheStyleEvenWhenItFails) {
    G().prefs.style.arrowheadStyle = 1;
    ASSERT_EQ(setPathAndArrowheadStyles(), kNoErr);
    ASSERT_EQ(doJISEndpointGraphics({0, 0}, {100, 0}, 1, 1, group_), kNoErr);
    auto paths = Paths();
    ASSERT_EQ(paths.size(), 2u);
    EXPECT_EQ(paths[0]->segments.size(), 4u) << "origin circle";
    EXPECT_EQ(paths[0]->style.fill.color.kind, kGrayColor);
    EXPECT_EQ(paths[0]->style.fill.color.c.g.gray, 0.0f) << "filled white";
    const auto& arrow = paths[1]->segments;
    ASSERT_EQ(arrow.size(), 3u);
    EXPECT_NEAR(arrow[1].p.h, 100, 1e-5);
    EXPECT_LT(arrow[0].p.h, 100) << "open arrowhead pointing away from p1";
    EXPECT_FALSE(paths[1]->closed);
    EXPECT_FALSE(paths[1]->style.fillPaint);
    EXPECT_EQ(G().prefs.style.arrowheadStyle, 1);
    EXPECT_TRUE(G().arrowheadStyle.fillPaint);
    EXPECT_EQ(G().arrowheadStyle.fill.color.c.g.gray, 1.0f) << "fill back to the dimension colour";

    // The arrowhead cannot be made: the style is still put back.
    AIArtSuite failing = *sAIArt;
    failing.NewArt = [](int16_t, int16_t, AIArtHandle, AIArtHandle*) -> AIErr { return kLockedErr; };
    AIArtSuite* saved = sAIArt;
    sAIArt = &failing;
    EXPECT_EQ(doJISEndpointGraphics({0, 0}, {100, 0}, 0, 1, group_), kLockedErr);
    EXPECT_EQ(doJISEndpointGraphics({0, 0}, {100, 0}, 1, 0, group_), kLockedErr);
    sAIArt = saved;
    EXPECT_EQ(G().prefs.style.arrowheadStyle, 1);
    EXPECT_TRUE(G().arrowheadStyle.fillPaint);
    EXPECT_EQ(G().arrowheadStyle.fill.color.c.g.gray, 1.0f);
}

}  // namespace

// The picture of every terminator style for the README: drawn here, compared with
// docs/terminators.svg by its elements, and written anew with PLOTWISE_UPDATE_DOCS=1.
#include <cstdlib>
#include <fstream>
#include <sstream>

#include "dimensions/DimensionText.h"
#include "io/Svg.h"

namespace {

size_t Count(const std::string& text, const std::string& what) {
    size_t n = 0;
    for (size_t at = text.find(what); at != std::string::npos; at = text.find(what, at + 1)) ++n;
    return n;
}

TEST_F(DimensionLinesTest, PictureOfEveryTerminatorStyle) {
    const char* names[] = {"", "1 arrowhead", "2 dot", "3 slash", "4 none", "5 half arrowhead",
                           "6 open arrowhead", "7 outline arrowhead", "8 back slash"};
    auto& s = G().prefs.style;
    CopyCString(s.dimensionTextFaceStr, "DejaVu Sans");
    s.dimensionTextSize = 9.0f;
    s.dimensionWeight = 0.5f;
    s.witnessWeight = 0.5f;
    s.dimensionColorType = kThreeColor;
    s.dimensionColorComponent1 = 0;
    s.dimensionColorComponent2 = 16383;
    s.dimensionColorComponent3 = 39321;
    for (int style = 1; style <= 8; ++style) {
        const float x = 30.0f + static_cast<float>((style - 1) % 4) * 140.0f;
        const float y = style <= 4 ? 120.0f : 40.0f;
        ASSERT_EQ(Draw(style, {x, y}, {x + 100, y}, 1), kNoErr);
        ASSERT_EQ(drawDimensionLine({x, y}, {x + 100, y}, group_), kNoErr);
        ASSERT_EQ(drawWitnessLine({x, y - 10}, {x, y + 12}, group_), kNoErr);
        ASSERT_EQ(drawWitnessLine({x + 100, y - 10}, {x + 100, y + 12}, group_), kNoErr);
        ASSERT_EQ(doText(names[style], {x + 50, y + 16}, 2, 0, group_, nullptr), kNoErr);
    }
    doc_->editState().setup = {590, 170};
    const std::string svg = standin::io::documentToSvg(*doc_);
    const std::string path = std::string(PLOTWISE_SOURCE_DIR) + "/docs/terminators.svg";
    if (std::getenv("PLOTWISE_UPDATE_DOCS")) std::ofstream(path) << svg;
    std::ifstream in(path);
    ASSERT_TRUE(in) << path << " is missing: run this test with PLOTWISE_UPDATE_DOCS=1";
    std::stringstream saved;
    saved << in.rdbuf();
    EXPECT_EQ(Count(saved.str(), "<path"), Count(svg, "<path")) << "docs/terminators.svg is out of date";
    EXPECT_EQ(Count(saved.str(), "<text"), 8u);
}

}  // namespace
