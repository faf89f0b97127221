// Horizontal and vertical linear dimensions placed as a user places them: the value and its
// text's place, witness lines from the gap to past the line, the line broken around the
// text or drawn whole or as stubs, chains, shift snapping, the room rule, slides, labels
// from the click chain, the live record, and the axonometric hand-over. Expected numbers
// are worked out by hand from the fixture's style (text 10 pt, leading 2, witness gap 4 and
// extension 6, arrowheads 9 long, text spacing 14, offset step 18).
#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "DimensionToolFixture.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimtools/LinearDimensions.h"
#include "units/LayerScales.h"

namespace dimtest {
namespace {

using LinearTest = DimensionToolTest;

constexpr AIReal kTol = 1e-3f;

// The text records of a group's texts, top first.
std::vector<live_dimension_text_data> TextRecords(const standin::Document& doc, ObjId group) {
    std::vector<live_dimension_text_data> out;
    doc.walk(
        [&](const standin::Art& a, int) {
            if (a.type != kTextFrameArt) return;
            live_dimension_text_data r{};
            GetDimensionTextData(DimensionToolTest::Art(a.id), &r);
            out.push_back(r);
        },
        group);
    return out;
}

// The arrowheads of a group: each closed three-anchor path's tip (the middle anchor) and
// the h of its barbs.
struct Arrowhead {
    AIRealPoint tip;
    AIReal barbs;
};
std::vector<Arrowhead> Arrowheads(const standin::Document& doc, ObjId group) {
    std::vector<Arrowhead> out;
    doc.walk(
        [&](const standin::Art& a, int) {
            if (a.type == kPathArt && a.closed && a.segments.size() == 3)
                out.push_back({a.segments[1].p, (a.segments[0].p.h + a.segments[2].p.h) / 2});
        },
        group);
    return out;
}

TEST_F(LinearTest, HorizontalAcrossTheTopOfARectangle) {
    const ObjId rect = Rect(100, 100, 144, 72);
    ASSERT_EQ(Dimension("Horizontal Dimension", {{100, 172}, {244, 172}}, {170, 200}), kNoErr);
    const auto dims = Dimensions();
    ASSERT_EQ(dims.size(), 1u);
    EXPECT_EQ(Texts(dims[0]), std::vector<std::string>{"144.00"});
    const auto lines = Lines(dims[0]);
    // Witness lines from 4 above the clicks to 6 beyond the line at the drag's height.
    const auto left = Vertical(lines, 100), right = Vertical(lines, 244);
    ASSERT_EQ(left.size(), 1u);
    ASSERT_EQ(right.size(), 1u);
    EXPECT_PT(left[0].a, 100, 176, kTol);
    EXPECT_PT(left[0].b, 100, 206, kTol);
    EXPECT_PT(right[0].a, 244, 176, kTol);
    EXPECT_PT(right[0].b, 244, 206, kTol);
    // The line at 200, broken around the centred text.
    const auto line = Horizontal(lines, 200);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_NEAR(line[0].a.h, 100, kTol);
    EXPECT_NEAR(line[1].b.h, 244, kTol);
    EXPECT_LT(line[0].b.h, 172);
    EXPECT_GT(line[1].a.h, 172);
    // Two filled arrowheads on the line's ends, pointing out.
    const auto heads = Arrowheads(*doc, dims[0]);
    ASSERT_EQ(heads.size(), 2u);
    for (const Arrowhead& a : heads) {
        EXPECT_NEAR(a.tip.v, 200, kTol);
        EXPECT_TRUE(a.tip.h == 100 ? a.barbs > 100 : a.barbs < 244) << a.tip.h;
    }
    // Centred on the line's middle, lowered by half the size less the leading.
    const standin::Art* text = FirstText(dims[0]);
    ASSERT_NE(text, nullptr);
    EXPECT_NEAR(text->story.matrix.tx, 172, kTol);
    EXPECT_NEAR(text->story.matrix.ty, 200 - 5 + 2, kTol);
    EXPECT_EQ(text->story.para.justification, 2);  // centred
    // The clicks are stored on the rectangle: two anchors and the drag.
    const auto clicks = Clicks(rect);
    ASSERT_EQ(clicks.size(), 3u);
    for (const auto& c : clicks) {
        EXPECT_EQ(c.dimType, kHorizontal);
        EXPECT_EQ(c.id, g->prefs.style.id);
    }
    EXPECT_EQ(clicks[0].clickNum, 1);
    EXPECT_EQ(clicks[0].clickType, kLiveDimClickedSegmentPoint);
    EXPECT_EQ(clicks[1].clickNum, 2);
    EXPECT_EQ(clicks[2].clickNum, -1);
    EXPECT_NEAR(clicks[2].endPointOffsetLength, std::hypot(70.0, 28.0), 1e-3);
    EXPECT_NEAR(clicks[2].endPointOffsetAngle, std::atan2(28.0, 70.0), 1e-5);
}

// An 80 × 60 plate already dimensioned on its right side: that dimension's lower witness
// line ends the witness gap beside the plate's corner, within reach of a click there. A
// click on the corner measures the plate all the same.
TEST_F(LinearTest, AnotherDimensionsWitnessLineNeverTakesAClickOnTheCorner) {
    const struct {
        AIReal gap;
        std::vector<AIRealPoint> clicks;  // of the horizontal dimension below the plate
    } rows[] = {
        {2, {{100, 100}, {180, 100}}},
        {1, {{180, 100}, {100, 100}}},
        {2.5f, {{100, 100}, {180, 100}}},
    };
    for (const auto& r : rows) {
        const ObjId plate = Rect(100, 100, 80, 60);
        g->prefs.style.witnessGap = r.gap;
        ASSERT_EQ(Dimension("Vertical Dimension", {{180, 100}, {180, 160}}, {210, 130}), kNoErr);
        ASSERT_EQ(Dimension("Horizontal Dimension", r.clicks, {140, 70}), kNoErr);
        const auto dims = Dimensions();
        ASSERT_EQ(dims.size(), 2u);
        EXPECT_EQ(Texts(dims[0]), std::vector<std::string>{"60.00"}) << r.gap;
        EXPECT_EQ(Texts(dims[1]), std::vector<std::string>{"80.00"}) << r.gap;
        // Both clicks are stored on the plate.
        EXPECT_EQ(Clicks(plate).size(), 6u) << r.gap;
        session->hostEvent([&] {
            for (ObjId id : {dims[0], dims[1], plate}) doc->disposeArt(id);
            return kNoErr;
        });
    }
}

TEST_F(LinearTest, TextBesideTheLineAboveOrBelowAndDual) {
    Polyline({{0, 0}, {100, 0}});
    auto text = [&]() { return FirstText(Dimensions().back()); };
    g->prefs.style.hTextPlacement = 2;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, 30}), kNoErr);
    EXPECT_NEAR(text()->story.matrix.ty, 34, kTol);  // the line lies above the clicks
    EXPECT_EQ(Horizontal(Lines(Dimensions().back()), 30).size(), 1u);  // whole
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, -30}), kNoErr);
    EXPECT_NEAR(text()->story.matrix.ty, -30 - 4 - 10 + 2, kTol);
    g->prefs.alwaysAbove = 1;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, -30}), kNoErr);
    EXPECT_NEAR(text()->story.matrix.ty, -26, kTol);
    // Dual values: a second line, placed a line higher.
    g->prefs.style.hTextPlacement = 1;
    g->prefs.style.dualDimensions = 1;
    g->prefs.style.lowerUnits = kMillimeterUnits;
    g->prefs.style.lowerDecimalPrecision = 1;
    g->prefs.style.appendLowerUnitLabels = 0;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, 30}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"100.00\r35.3"});
    EXPECT_NEAR(text()->story.matrix.ty, 32, kTol);
}

TEST_F(LinearTest, VerticalTextPlacements) {
    Polyline({{0, 0}, {0, 100}});
    struct Case {
        int placement;
        double angle, h, v;
    };
    // The line at h 30; the text half way up, set across it or turned along it.
    const Case cases[] = {{1, 0, 30, 47}, {2, -kPi / 2, 34, 50}, {3, -kPi / 2, 27, 50},
                          {4, kPi / 2, 26, 50}, {5, kPi / 2, 33, 50}};
    for (const Case& c : cases) {
        g->prefs.style.vTextPlacement = c.placement;
        ASSERT_EQ(Dimension("Vertical Dimension", {{0, 0}, {0, 100}}, {30, 50}), kNoErr);
        const ObjId dim = Dimensions().back();
        EXPECT_EQ(Texts(dim), std::vector<std::string>{"100.00"});
        const standin::Art* text = FirstText(dim);
        EXPECT_NEAR(text->story.matrix.b, std::sin(c.angle), 1e-5) << c.placement;
        EXPECT_NEAR(text->story.matrix.tx, c.h, kTol) << c.placement;
        EXPECT_NEAR(text->story.matrix.ty, c.v, kTol) << c.placement;
        // Witness lines across, from 4 beside the clicks to 6 beyond the line.
        const auto lines = Lines(dim);
        const auto top = Horizontal(lines, 100), bottom = Horizontal(lines, 0);
        ASSERT_EQ(top.size(), 1u);
        ASSERT_EQ(bottom.size(), 1u);
        EXPECT_PT(top[0].a, 4, 100, kTol);
        EXPECT_PT(top[0].b, 36, 100, kTol);
        EXPECT_PT(bottom[0].a, 4, 0, kTol);
        // Placements beside the line (2, 4) keep it whole.
        EXPECT_EQ(Vertical(lines, 30).size(), c.placement == 2 || c.placement == 4 ? 1u : 2u) << c.placement;
    }
}

// A vertical text slid past a witness line is aligned away from the line by its placement
// (upright text stays centred), and one line runs from the other witness line out to it.
TEST_F(LinearTest, VerticalTextSlidOutsideIsAlignedByItsPlacement) {
    Polyline({{0, 0}, {0, 100}});
    g->prefs.style.slideDimText = 1;
    constexpr int kLeft = 0, kRight = 1, kCentre = 2;  // Start, Limit and centred alignments
    struct Row {
        int placement, below, above;
    } const rows[] = {{1, kCentre, kCentre}, {2, kLeft, kRight}, {3, kLeft, kRight},
                      {4, kRight, kLeft}, {5, kRight, kLeft}};
    for (const Row& r : rows) {
        g->prefs.style.vTextPlacement = r.placement;
        for (const AIReal dragV : {-50.0f, 150.0f}) {
            SCOPED_TRACE("placement " + std::to_string(r.placement) + ", drag at " + std::to_string(dragV));
            ASSERT_EQ(Dimension("Vertical Dimension", {{0, 0}, {0, 100}}, {30, dragV}), kNoErr);
            const ObjId dim = Dimensions().back();
            EXPECT_EQ(FirstText(dim)->story.para.justification, dragV < 0 ? r.below : r.above);
            const auto line = Vertical(Lines(dim), 30);
            ASSERT_EQ(line.size(), 1u);
            // From the witness line across the dimension to the text, past the other one.
            if (dragV < 0) {
                EXPECT_NEAR(line[0].b.v, 100, kTol);
                EXPECT_LT(line[0].a.v, -1);
            } else {
                EXPECT_NEAR(line[0].a.v, 0, kTol);
                EXPECT_GT(line[0].b.v, 101);
            }
        }
    }
}

TEST_F(LinearTest, ShiftSnapsTheLineToTheOffsetStep) {
    Polyline({{0, 0}, {100, 0}, {200, 0}});
    auto lineAt = [&](AIReal v) { return Horizontal(Lines(Dimensions().back()), v).size(); };
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, 40}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(lineAt(36), 2u);  // 40 is nearer 2 steps of 18
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, 45}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(lineAt(36), 2u);  // exactly half way goes towards zero
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, -46}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(lineAt(-54), 2u);
    // Later pairs of a chain keep the first pair's height.
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}, {200, 0}}, {150, 40}, aiEventModifiers_Shift),
              kNoErr);
    EXPECT_EQ(lineAt(36), 4u);
    // Between the clicks' heights nothing snaps.
    Polyline({{300, 0}, {400, 50}});
    ASSERT_EQ(Dimension("Horizontal Dimension", {{300, 0}, {400, 50}}, {350, 20}, aiEventModifiers_Shift), kNoErr);
    EXPECT_EQ(lineAt(20), 2u);
}

TEST_F(LinearTest, ChainsDrawOneDimensionPerPairInOneGroup) {
    Polyline({{0, 0}, {100, 0}, {250, 0}});
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}, {250, 0}}, {50, 30}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId forward = Dimensions().back();
    EXPECT_EQ(Texts(forward), (std::vector<std::string>{"150.00", "100.00"}));  // top first
    const auto lines = Lines(forward);
    EXPECT_EQ(Vertical(lines, 0).size() + Vertical(lines, 100).size() + Vertical(lines, 250).size(), 3u);
    auto ids = [&](ObjId group) {
        std::vector<int32_t> out;
        for (const auto& r : TextRecords(*doc, group)) out.push_back(r.id);
        return out;
    };
    EXPECT_EQ(ids(forward), (std::vector<int32_t>{1, 0}));
    // Clicked right to left, the texts count down.
    ASSERT_EQ(Dimension("Horizontal Dimension", {{250, 0}, {100, 0}, {0, 0}}, {50, 30}), kNoErr);
    EXPECT_EQ(ids(Dimensions().back()), (std::vector<int32_t>{-1, 0}));
}

TEST_F(LinearTest, TheSlideIsClampedOnlyInChains) {
    g->prefs.style.slideDimText = 1;
    Polyline({{0, 0}, {100, 0}, {250, 0}});
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {150, 30}), kNoErr);
    const standin::Art* text = FirstText(Dimensions().back());
    EXPECT_NEAR(text->story.matrix.tx, 150, kTol);  // past the witness line
    EXPECT_EQ(text->story.para.justification, 0);   // begins at its place
    EXPECT_NEAR(g->slideDimTextOffset, 1.5f, 1e-6);
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}, {250, 0}}, {300, 30}), kNoErr);
    std::vector<AIReal> at;
    doc->walk([&](const standin::Art& a, int) { if (a.type == kTextFrameArt) at.push_back(a.story.matrix.tx); },
              Dimensions().back());
    ASSERT_EQ(at.size(), 2u);
    EXPECT_NEAR(at[0], 250, kTol);  // each text at its pair's right end
    EXPECT_NEAR(at[1], 100, kTol);
    // Ctrl centres the text whatever the slide.
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {150, 30}, aiEventModifiers_Command), kNoErr);
    EXPECT_NEAR(FirstText(Dimensions().back())->story.matrix.tx, 50, kTol);
}

// A chain's slide is measured from its left (or top) click, whichever click came first:
// clicked either way round, the texts stand where the drag put them, a quarter of the way
// along each pair.
TEST_F(LinearTest, AChainClickedEitherWayRoundPutsItsTextsAlike) {
    g->prefs.style.slideDimText = 1;
    struct Row {
        const char* tool;
        std::vector<AIRealPoint> clicks;
        AIRealPoint drag;
        std::vector<AIReal> along;  // the texts' h (horizontal) or v (vertical), ascending
    } const rows[] = {
        {"Horizontal Dimension", {{0, 0}, {100, 0}, {250, 0}}, {62.5f, 30}, {25, 137.5f}},
        // Vertical: from the top down, each text lowered by half its size less the leading.
        {"Vertical Dimension", {{0, 0}, {0, 100}, {0, 250}}, {30, 187.5f}, {75 - 3, 212.5f - 3}},
    };
    for (const Row& r : rows) {
        const bool horizontal = r.clicks[1].v == 0;
        for (bool reversed : {false, true}) {
            SCOPED_TRACE(std::string(r.tool) + (reversed ? " clicked backwards" : ""));
            std::vector<AIRealPoint> clicks = r.clicks;
            if (reversed) std::reverse(clicks.begin(), clicks.end());
            ASSERT_EQ(Dimension(r.tool, clicks, r.drag), kNoErr);
            EXPECT_NEAR(g->slideDimTextOffset, 0.25f, 1e-6);
            std::vector<AIReal> at;
            doc->walk([&](const standin::Art& a, int) {
                if (a.type == kTextFrameArt) at.push_back(horizontal ? a.story.matrix.tx : a.story.matrix.ty);
            }, Dimensions().back());
            std::sort(at.begin(), at.end());
            ASSERT_EQ(at.size(), 2u);
            EXPECT_NEAR(at[0], r.along[0], kTol);
            EXPECT_NEAR(at[1], r.along[1], kTol);
        }
    }
}

TEST_F(LinearTest, TooLittleRoomSendsLargeTextOutWithOutsideStubs) {
    Polyline({{0, 0}, {20, 0}});
    g->prefs.style.moveLargeDimensionText = 1;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {20, 0}}, {10, 30}), kNoErr);
    ObjId dim = Dimensions().back();
    const standin::Art* text = FirstText(dim);
    EXPECT_NEAR(text->story.matrix.tx, 20 + 18 + 7, kTol);  // stub and half the spacing beyond
    EXPECT_EQ(text->story.para.justification, 0);
    auto line = Horizontal(Lines(dim), 30);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_PT(line[0].a, -18, 30, kTol);
    EXPECT_PT(line[0].b, 0, 30, kTol);
    EXPECT_PT(line[1].a, 20, 30, kTol);
    EXPECT_PT(line[1].b, 38, 30, kTol);
    for (const Arrowhead& a : Arrowheads(*doc, dim))
        EXPECT_TRUE(a.tip.h == 0 ? a.barbs < 0 : a.barbs > 20) << "outside, pointing in";
    // The vertical routine keeps the text in the middle, with the same stubs.
    Polyline({{100, 0}, {100, 20}});
    ASSERT_EQ(Dimension("Vertical Dimension", {{100, 0}, {100, 20}}, {130, 10}), kNoErr);
    dim = Dimensions().back();
    EXPECT_NEAR(FirstText(dim)->story.matrix.ty, 10 - 3, kTol);
    const auto stubs = Vertical(Lines(dim), 130);
    ASSERT_EQ(stubs.size(), 2u);
    EXPECT_PT(stubs[0].a, 130, -18, kTol);
    EXPECT_PT(stubs[1].b, 130, 38, kTol);
}

TEST_F(LinearTest, TerminatorDirections) {
    Polyline({{0, 0}, {100, 0}});
    g->prefs.style.terminatorDirection = 0;  // outside, with stubs, the text in the middle
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, 30}), kNoErr);
    ObjId dim = Dimensions().back();
    auto line = Horizontal(Lines(dim), 30);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_PT(line[0].a, -18, 30, kTol);
    EXPECT_PT(line[1].b, 118, 30, kTol);
    EXPECT_NEAR(FirstText(dim)->story.matrix.tx, 50, kTol);
    g->prefs.style.terminatorDirection = 1;  // inside, the line broken around the text
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, 30}), kNoErr);
    dim = Dimensions().back();
    line = Horizontal(Lines(dim), 30);
    ASSERT_EQ(line.size(), 2u);
    EXPECT_PT(line[0].a, 0, 30, kTol);
    EXPECT_PT(line[1].b, 100, 30, kTol);
    for (const Arrowhead& a : Arrowheads(*doc, dim)) EXPECT_TRUE(a.barbs > 0 && a.barbs < 100);
}

TEST_F(LinearTest, LabelsOfTheClickChainAreDrawnInsteadOfValues) {
    Polyline({{0, 0}, {100, 0}});
    g->prefs.style.dimensionFormat = 1;  // letters
    g->prefs.incrementalDimAlpha = 2;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {50, 30}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"C"});
    EXPECT_EQ(g->prefs.incrementalDimAlpha, 3);  // moved on once the dimension was made
    g->prefs.style.dimensionFormat = 3;
    CopyCString(g->prefs.customDimDefaultText, "Bore");
    ASSERT_EQ(Dimension("Vertical Dimension", {{0, 0}, {100, 0}}, {50, 30}), kNoErr);
    EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{"Bore"});
}

TEST_F(LinearTest, TheGroupIsLiveWithTheStyleIdKeysAndSlide) {
    Polyline({{0, 0}, {100, 0}});
    const int32_t before = g->prefs.style.id;
    g->prefs.style.slideDimText = 0;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {80, 30}, aiEventModifiers_Shift), kNoErr);
    Plotwise3_Live_Dimension_Data stored{};
    ASSERT_EQ(GetDimensionData(Art(Dimensions().back()), &stored), kNoErr);
    EXPECT_EQ(stored.id, before + 1);
    EXPECT_EQ(g->prefs.style.id, before + 1);
    EXPECT_EQ(stored.modifiers, 1);  // shift was held
    EXPECT_EQ(stored.slideDimTextOffset, 0.5f);
    EXPECT_EQ(stored.dimensionLabelStr[0], '\0');
    EXPECT_EQ(g->prefs.style.modifiers, 0);  // cleared at mouse up
    // With the slide on, the dragged fraction is kept.
    g->prefs.style.slideDimText = 1;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}}, {80, 30}), kNoErr);
    ASSERT_EQ(GetDimensionData(Art(Dimensions().back()), &stored), kNoErr);
    EXPECT_NEAR(stored.slideDimTextOffset, 0.8f, 1e-6);
}

// One text of a chain retyped by the user: after "Update Dimensions" the other pair still
// shows its own measured value, also once the art has moved, whatever precedence the
// dimension stored (a record without one reads 1, as older documents are). Where the
// document's text wins (1), the retyped text stays; otherwise its value comes back.
TEST_F(LinearTest, ARetypedTextLeavesTheOtherPairsOfItsChainMeasured) {
    struct Row {
        int32_t precedence;  // -1: the record has none
        const char* kept;
    } const rows[] = {{-1, "SEE NOTE"}, {1, "SEE NOTE"}, {0, "100.00"}, {2, "100.00"}};
    for (const Row& r : rows) {
        SCOPED_TRACE("precedence " + std::to_string(r.precedence));
        const ObjId line = Polyline({{0, 0}, {100, 0}, {250, 0}});
        ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}, {250, 0}}, {50, 30}), kNoErr);
        const ObjId group = Dimensions().back();
        ASSERT_EQ(Texts(group), (std::vector<std::string>{"150.00", "100.00"}));
        ASSERT_EQ(session->hostEvent([&] {
            doc->walk([&](const standin::Art& a, int) {
                if (a.type == kTextFrameArt && a.story.runs.front().text == "100.00")
                    doc->editArt(a.id)->story.runs.front().text = "SEE NOTE";
            }, group);
            const standin::Dict* dict = doc->dict(doc->dictionaryOf(group));
            const ObjId style = std::get<standin::DictLink>(*dict->find("ZA3_Dimension")).id;
            if (r.precedence < 0) doc->editDict(style)->erase("PW4_Attr_dimTextPrecedenceFlag");
            else doc->editDict(style)->set("PW4_Attr_dimTextPrecedenceFlag", r.precedence);
            return kNoErr;
        }), kNoErr);
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
        EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"150.00", r.kept}));
        // The last anchor moves 50 to the right: the other pair measures it, for good.
        ASSERT_EQ(session->hostEvent([&] {
            AIPathSegment end{{300, 0}, {300, 0}, {300, 0}, true};
            return sAIPath->SetPathSegments(Art(line), 2, 1, &end);
        }), kNoErr);
        for (int update = 0; update < 2; ++update) {
            ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
            EXPECT_EQ(Texts(Dimensions().back()), (std::vector<std::string>{"200.00", r.kept}));
        }
        ASSERT_EQ(session->hostEvent([&] {
            doc->disposeArt(Dimensions().back());
            return doc->disposeArt(line);
        }), kNoErr);
    }
}

// The art of a group as a comparable text: each path's anchors, each text's contents and
// placement, in paint order.
std::string Drawing(const standin::Document& doc, ObjId group) {
    std::string out;
    doc.walk(
        [&](const standin::Art& a, int) {
            if (a.type == kPathArt) {
                out += a.closed ? "closed" : "open";
                for (const AIPathSegment& s : a.segments) out += " " + std::to_string(s.p.h) + "," + std::to_string(s.p.v);
            } else if (a.type == kTextFrameArt) {
                out += "text";
                for (const auto& run : a.story.runs) out += " " + run.text;
                out += " at " + std::to_string(a.story.matrix.tx) + "," + std::to_string(a.story.matrix.ty);
            }
            out += "\n";
        },
        group);
    return out;
}

TEST_F(LinearTest, RegeneratingFromTheStoredClicksDrawsTheSameArt) {
    Polyline({{0, 0}, {100, 0}, {250, 40}});
    g->prefs.style.slideDimText = 1;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {100, 0}, {250, 40}}, {80, 70}, aiEventModifiers_Shift),
              kNoErr);
    ASSERT_EQ(Dimension("Vertical Dimension", {{250, 40}, {100, 0}}, {300, 20}), kNoErr);
    // Option turns the horizontal tool vertical; the stored keys turn it again when redrawn.
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {250, 40}}, {-30, 20}, aiEventModifiers_Option), kNoErr);
    std::vector<std::string> before;
    for (ObjId d : Dimensions()) before.push_back(Drawing(*doc, d));
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    std::vector<std::string> after;
    for (ObjId d : Dimensions()) after.push_back(Drawing(*doc, d));
    EXPECT_EQ(g->dimensionsRedrawn, 3);
    EXPECT_EQ(after, before);
}

TEST_F(LinearTest, ClicksLevelWithEachOtherGiveAFiniteZeroAndSlide) {
    // Measured across, two clicks one above the other span nothing: 2^-16, and the slide
    // fraction of a zero span is the middle, never a non-number.
    Polyline({{0, 0}, {0, 100}});
    g->prefs.style.slideDimText = 1;
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}, {0, 100}}, {20, 130}), kNoErr);
    const ObjId dim = Dimensions().back();
    EXPECT_EQ(Texts(dim), std::vector<std::string>{"0.00"});
    EXPECT_TRUE(std::isfinite(FirstText(dim)->story.matrix.tx));
    Plotwise3_Live_Dimension_Data stored{};
    ASSERT_EQ(GetDimensionData(Art(dim), &stored), kNoErr);
    EXPECT_TRUE(std::isfinite(stored.slideDimTextOffset));
    size_t witness = 0;  // both witness lines on one another
    for (const Segment& s : Vertical(Lines(dim), 0)) witness += s.a.v != s.b.v ? 1 : 0;
    EXPECT_EQ(witness, 2u);
    // Measured up and down, clicks side by side: the line of no length points its
    // arrowheads along v, not across it.
    Polyline({{100, 0}, {200, 0}});
    ASSERT_EQ(Dimension("Vertical Dimension", {{100, 0}, {200, 0}}, {230, 30}), kNoErr);
    const std::vector<double> ways = TipWays(Dimensions().back());
    ASSERT_EQ(ways.size(), 2u);
    for (double way : ways) EXPECT_NEAR(std::fabs(way), kPi / 2, 1e-3);
}

// One length reads the same with every tool. Round sizes at large scales read as typed (a
// 750 mm line at 1:100 is 21.26 pt long: its 2^-16 pt push would be half a thousandth of a
// millimetre there). A length within the float spacing of its coordinates (times the scale)
// of a half tick cannot be told from the half and rounds away from zero; one farther off
// rounds to the nearest tick.
TEST_F(LinearTest, OneLengthReadsTheSameWithEveryTool) {
    auto& s = g->prefs.style;
    s.appendDiamLabels = 0;
    s.appendLowerUnitLabels = 0;
    const struct Row {
        const char* tool;
        double mm;
        int32_t id;
        AIReal scaler;
        const char* text;
        int16_t units = kMillimeterUnits, precision = 3;
        AIReal x0 = 0;        // a line's start, a circle's left
        int16_t lower = -1;   // dual: the lower units
        AIReal y0 = 0;        // a line's level
    } rows[] = {
        {"Horizontal Dimension", 750, 24, 100, "750.000"},
        {"Vertical Dimension", 500, 24, 100, "500.000"},
        {"Horizontal Datum Dimension", 1250, 24, 100, "1,250.000"},
        {"Diameter Dimension", 750, 24, 100, "750.000"},
        {"Horizontal Dimension", 20000, 24, 100, "20,000.000"},
        {"Vertical Dimension", 2500, 0, 200, "2,500.000"},
        {"Aligned Dimension", 750, 24, 100, "750.000"},
        {"Radius Dimension", 750, 24, 100, "375.000"},
        // 926.49498 mm as drawn, its error 7e-5 mm.
        {"Horizontal Dimension", 926.495, 24, 100, "926.50", kMillimeterUnits, 2},
        // 0.74999996 m, its error 9e-8 m.
        {"Horizontal Dimension", 750, 0, 1, "0.8", kMeterUnits, 1},
        {"Aligned Dimension", 750, 0, 1, "0.8", kMeterUnits, 1},
        // 4'-7 1/2" at 1:50: 1.3e-6" short, its error 5.3e-6".
        {"Horizontal Dimension", 1409.7, 0, 50, "4'-8\"", kFeetFractionalInchMarkUnits, 0},
        {"Aligned Dimension", 1409.7, 0, 50, "4'-8\"", kFeetFractionalInchMarkUnits, 0},
        // A 12,500 mm wall: 41.0104999' as drawn, 1.2e-7' short of the half, its error 3.5e-6'.
        {"Horizontal Dimension", 12500, 24, 100, "41.011'", kDecimalFeetMarkUnits, 3},
        {"Aligned Dimension", 12500, 24, 100, "41.011'", kDecimalFeetMarkUnits, 3},
        // A 65'-7" circle at 1:120 from x 1000: its radius 4.1e-5" short of 32'-9 1/2", its
        // error 2e-4".
        {"Diameter Dimension", 19989.8, 0, 120, "65'-7\"", kFeetFractionalInchMarkUnits, 0, 1000},
        {"Radius Dimension", 19989.8, 0, 120, "32'-10\"", kFeetFractionalInchMarkUnits, 0, 1000},
        // 49.11 pt at 1:100: 1.7324917 m, 8e-6 m short of the half, its error 1.3e-7 m.
        {"Horizontal Dimension", 49.11 / 72 * 25.4 * 100, 24, 100, "1.732", kMeterUnits, 3},
        {"Horizontal Datum Dimension", 49.11 / 72 * 25.4 * 100, 24, 100, "1.732", kMeterUnits, 3},
        // 0.0937494" is 6e-7" short of a half sixteenth, its error 7e-9".
        {"Horizontal Dimension", 0.0937494 * 25.4, 0, 1, "2.3812\r1/16", kMillimeterUnits, 4, 0,
         kFractionalInchMarkUnits},
        // A plate 10.00047 mm wide, 3e-5 mm short of the half, its error the spacing along x
        // alone, 1e-6 mm: the same at any level (at y 1030 the spacing of y is 4e-5 mm).
        {"Horizontal Dimension", 10.00047, 0, 1, "10.000", kMillimeterUnits, 3, 0, -1, 500},
        {"Horizontal Dimension", 10.00047, 0, 1, "10.000", kMillimeterUnits, 3, 0, -1, 1030},
        {"Aligned Dimension", 10.00047, 0, 1, "10.000", kMillimeterUnits, 3, 0, -1, 1030},
        // 35,710.073 mm at 1:500 from x 0.7: its ends 202.4508026 pt apart, 35,710.0721 mm.
        // The float nearest their difference, 35,710.0727 mm, is no length drawn.
        {"Horizontal Dimension", 35710.073, 0, 500, "35,710.07", kMillimeterUnits, 2, 0.7f},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(testing::Message() << r.tool << " " << r.mm << " at 1:" << r.scaler << " in " << r.units);
        s.upperUnits = r.units;
        s.upperDecimalPrecision = s.upperFractionalPrecision = r.precision;
        s.dualDimensions = r.lower >= 0;
        s.lowerUnits = r.lower;
        s.lowerDecimalPrecision = s.lowerFractionalPrecision = r.precision;
        doc = &session->newDocument();
        ASSERT_EQ(session->hostEvent([&] {
            AILayerHandle layer = nullptr;
            AIErr err = sAILayer->GetCurrentLayer(&layer);
            return err ? err : setLayerScale(layer, r.id, r.scaler, "scaled");
        }), kNoErr);
        const auto length = static_cast<AIReal>(r.mm / 25.4 * 72 / r.scaler);
        const std::string tool = r.tool;
        const AIRealPoint end = tool.starts_with("Vertical") ? AIRealPoint{0, length} : AIRealPoint{length, 0};
        if (tool.starts_with("Diameter") || tool.starts_with("Radius")) {
            ASSERT_EQ(session->hostEvent([&] { return Doc().addEllipse(r.x0, 0, length, length); }), kNoErr);
            const AIReal right = r.x0 + length;
            ASSERT_EQ(Dimension(r.tool, {{right, length / 2}}, {right + 40, length + 40}), kNoErr);
        } else {
            const AIRealPoint start{r.x0, r.y0}, to{r.x0 + end.h, r.y0 + end.v};
            Polyline({start, to});
            ASSERT_EQ(Dimension(r.tool, {start, to}, {to.h + 30, to.v + 30}), kNoErr);
        }
        EXPECT_EQ(Texts(Dimensions().back()).front(), r.text);
    }
}

TEST_F(LinearTest, OneClickAndADragDrawNothingAndStoreNothing) {
    const ObjId line = Polyline({{0, 0}, {100, 0}});
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 0}}, {50, 30}), kNoErr);
    EXPECT_TRUE(Dimensions().empty());
    EXPECT_FALSE(IsDimensionedObject(Art(line)));
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
}

// The axonometric tools draw in the clicked face's flat plane; two clicks one above the
// other hand over to the vertical routine, and coincident clicks hand over at most once.
struct AxonometricLinearTest : DimensionToolTest {
    ObjId face = 0;
    void SetUp() override {
        DimensionToolTest::SetUp();
        IsometricView();
        face = Rect(100, 100, 100, 50);
        ASSERT_EQ(session->hostEvent([&] { return ProjectAxonometric(Art(face), kAxoLeftFace, &g->prefs.isoView); }),
                  kNoErr);
    }
    std::vector<AIRealPoint> Corners() const { 
        std::vector<AIRealPoint> out;
        for (const AIPathSegment& s : doc->art(face)->segments) out.push_back(s.p);
        return out;
    }
};

TEST_F(AxonometricLinearTest, CoincidentClicksHandOverOnceAndDrawAZero) {
    const AIRealPoint corner = Corners()[0];
    ASSERT_EQ(Dimension("Axonometric Horizontal Dimension", {corner, corner}, {corner.h + 20, corner.v + 40}),
              kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    EXPECT_EQ(Texts(Dimensions()[0]), std::vector<std::string>{"0.00"});
    EXPECT_EQ(g->axoDimType, kVertical);
}

TEST_F(AxonometricLinearTest, ClicksOneAboveTheOtherOnAFaceMeasureItsFlatHeight) {
    // Two corners of the face's flat left edge: 50 apart in the flat plane.
    std::vector<AIRealPoint> c = Corners();
    AIRealPoint low = c[0], high = c[0];
    for (const AIRealPoint& p : c) {
        if (p.v < low.v) low = p;
    }
    // The corner above the lowest one on the face's vertical axis.
    for (const AIRealPoint& p : c)
        if (std::fabs(p.h - low.h) < 1e-3 && p.v > low.v) high = p;
    ASSERT_GT(high.v, low.v);
    ASSERT_EQ(Dimension("Axonometric Horizontal Dimension", {low, high}, {low.h - 30, low.v}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    EXPECT_EQ(Texts(Dimensions()[0]), std::vector<std::string>{"50.00"});
    EXPECT_EQ(g->axoDimType, kVertical);
    // A click off any axonometric art is refused with its message.
    Polyline({{400, 400}, {500, 400}});
    EXPECT_EQ(Dimension("Axonometric Horizontal Dimension", {{400, 400}, {500, 400}}, {450, 430}), kCADErr);
    ASSERT_FALSE(Alerts().empty());
    EXPECT_EQ(Alerts().back(), "The selected point is not on an axonometric object.");
    EXPECT_EQ(Dimensions().size(), 1u);
}

// A square typed on a half step and projected onto the top face: every tool takes its clicks
// back into the face's plane and reads the side as typed, with the error of that step as
// well as the spacing of the coordinates. 10'-3 1/2" at 1/8" = 1'-0" is 92.625 pt, its
// corners coming back up to 6e-5 pt (6e-5") short; the coordinates' own spacing there is
// 3e-5 pt. 1,108.5 mm at 1:100 likewise. A side a sixteenth or a tenth short of the half
// is no half.
TEST_F(AxonometricLinearTest, ASizeTypedOnAHalfStepReadsAsTypedInAFace) {
    const struct {
        double side;  // points
        int32_t id;
        AIReal scaler;
        const char* label;
        int16_t units, precision;
        const char* text;
        AIRealPoint at;  // the flat square's corner
    } squares[] = {
        {123.5 * 72 / 96, 13, 96, "1/8\" = 1'-0\"", kFeetFractionalInchMarkUnits, 0, "10'-4\"", {394.69f, 408.27f}},
        {123.4375 * 72 / 96, 13, 96, "1/8\" = 1'-0\"", kFeetFractionalInchMarkUnits, 0, "10'-3\"", {394.69f, 408.27f}},
        {1108.5 / 25.4 * 72 / 100, 24, 100, "1:100", kMillimeterUnits, 0, "1,109", {244.26f, 246.97f}},
        {1108.4 / 25.4 * 72 / 100, 24, 100, "1:100", kMillimeterUnits, 0, "1,108", {244.26f, 246.97f}},
    };
    const char* const tools[] = {"Axonometric Horizontal Dimension", "Axonometric Vertical Dimension",
                                 "Axonometric Horizontal Datum Dimension", "Axonometric Vertical Datum Dimension",
                                 "Axonometric Auto Horizontal Dimension", "Axonometric Auto Vertical Dimension"};
    for (const auto& q : squares) {
        g->prefs.style.upperUnits = q.units;
        g->prefs.style.upperDecimalPrecision = g->prefs.style.upperFractionalPrecision = q.precision;
        doc = &session->newDocument();
        ASSERT_EQ(session->hostEvent([&] {
            AILayerHandle layer = nullptr;
            AIErr err = sAILayer->GetCurrentLayer(&layer);
            return err ? err : setLayerScale(layer, q.id, q.scaler, q.label);
        }), kNoErr);
        const auto side = static_cast<AIReal>(q.side);
        const ObjId square = Rect(q.at.h, q.at.v, side, side);
        ASSERT_EQ(session->hostEvent([&] { return ProjectAxonometric(Art(square), kAxoTopFace, &g->prefs.isoView); }),
                  kNoErr);
        std::vector<AIRealPoint> c;
        for (const AIPathSegment& seg : doc->art(square)->segments) c.push_back(seg.p);
        ASSERT_EQ(c.size(), 4u);
        for (size_t edge = 0; edge < 2; ++edge) {
            const AIRealPoint a = c[edge], b = c[edge + 1], middle{(a.h + b.h) / 2, (a.v + b.v) / 2};
            for (const std::string tool : tools) {
                const bool automatic = tool.find("Auto") != std::string::npos;
                const std::vector<AIRealPoint> clicks = automatic ? std::vector{middle} : std::vector{a, b};
                ASSERT_EQ(Dimension(tool, clicks, {middle.h + 15, middle.v - 25}), kNoErr) << tool;
                EXPECT_EQ(Texts(Dimensions().back()).front(), q.text) << tool << ", edge " << edge;
            }
        }
    }
}

}  // namespace
}  // namespace dimtest
