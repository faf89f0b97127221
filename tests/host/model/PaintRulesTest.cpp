// The host's path-style suite keeps the rules scripts and documents keep: paint that a script
// refuses or a file may not hold is refused here too, and nothing changes.
#include <cmath>
#include <functional>

#include "HostFixture.h"

namespace {

class PaintRulesTest : public HostTest {};

struct Broken {
    const char* what;
    std::function<void(AIPathStyle&)> breakIt;
};

const Broken kBroken[] = {
    {"grey beyond black", [](AIPathStyle& s) { s.fill.color = {kGrayColor, {}}, s.fill.color.c.g.gray = 5.0f; }},
    {"rgb below none", [](AIPathStyle& s) { s.stroke.color.kind = kThreeColor, s.stroke.color.c.rgb = {0, -0.5f, 0}; }},
    {"cmyk not a number", [](AIPathStyle& s) { s.fill.color.kind = kFourColor, s.fill.color.c.f = {0, 0, NAN, 0}; }},
    {"tint beyond full", [](AIPathStyle& s) { s.fill.color.kind = kCustomColor, s.fill.color.c.c.tint = 2; }},
    {"unknown colour kind", [](AIPathStyle& s) { s.fill.color.kind = static_cast<AIColorTag>(42); }},
    {"negative width", [](AIPathStyle& s) { s.stroke.width = -1; }},
    {"width not a number", [](AIPathStyle& s) { s.stroke.width = NAN; }},
    {"negative dash", [](AIPathStyle& s) { s.stroke.dash.length = 2, s.stroke.dash.array[1] = -3; }},
    {"seven dashes", [](AIPathStyle& s) { s.stroke.dash.length = 7; }},
    {"infinite dash offset", [](AIPathStyle& s) { s.stroke.dash.offset = INFINITY; }},
    {"miter limit below one", [](AIPathStyle& s) { s.stroke.miterLimit = -1e30f; }},
    {"unknown cap", [](AIPathStyle& s) { s.stroke.cap = 7; }},
    {"unknown join", [](AIPathStyle& s) { s.stroke.join = -1; }},
};

}  // namespace

TEST_F(PaintRulesTest, PaintOutsideTheRulesIsRefusedAndChangesNothing) {
    AIArtHandle art = path({{0, 0}, {10, 10}});
    AIPathStyle before{};
    ASSERT_EQ(sStyle->GetPathStyle(art, &before), kNoErr);
    AIPathStyle current{};
    ASSERT_EQ(sStyle->GetCurrentPathStyle(&current, nullptr, nullptr), kNoErr);
    for (const Broken& b : kBroken) {
        AIPathStyle style = before;
        b.breakIt(style);
        EXPECT_EQ(sStyle->SetPathStyle(art, &style), kBadParameterErr) << b.what;
        EXPECT_EQ(sStyle->SetCurrentPathStyle(&style), kBadParameterErr) << b.what;
    }
    const auto same = [](const AIPathStyle& a, const AIPathStyle& b) {
        return a.fill.color == b.fill.color && a.stroke.color == b.stroke.color && a.stroke.width == b.stroke.width &&
               a.stroke.dash.length == b.stroke.dash.length && a.stroke.miterLimit == b.stroke.miterLimit &&
               a.stroke.cap == b.stroke.cap && a.stroke.join == b.stroke.join;
    };
    AIPathStyle after{};
    ASSERT_EQ(sStyle->GetPathStyle(art, &after), kNoErr);
    EXPECT_TRUE(same(after, before));
    ASSERT_EQ(sStyle->GetCurrentPathStyle(&after, nullptr, nullptr), kNoErr);
    EXPECT_TRUE(same(after, current));

    // The edges of every rule are inside it.
    AIPathStyle edges = before;
    edges.fill.color.kind = kThreeColor;
    edges.fill.color.c.rgb = {0, 1, 0};
    edges.stroke.width = 0;
    edges.stroke.dash.length = 6;
    for (AIReal& d : edges.stroke.dash.array) d = 0;
    edges.stroke.miterLimit = 1;
    edges.stroke.cap = kAIProjectingCap;
    edges.stroke.join = kAIBevelJoin;
    EXPECT_EQ(sStyle->SetPathStyle(art, &edges), kNoErr);
    EXPECT_EQ(sStyle->SetCurrentPathStyle(&edges), kNoErr);
}
