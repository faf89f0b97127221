// Automatic dimensioning of a document or a selection: rectangles get their width and
// height, circles a radius or diameter and a centre mark, other paths one dimension per
// segment; hidden art and dimensions are passed over; nothing is left behind for a dimension
// that could not be drawn; the art on top of a path is never measured for it; the tool and
// clicks of the user are given back; the dimensions redraw from their stored clicks.
// Expected texts, places, ids and counters are worked out by hand from the drawn shapes.
#include <algorithm>
#include <cmath>
#include <set>
#include <string>
#include <vector>

#include "AIPath.h"
#include "RadialAngleFixture.h"
#include "dimtools/AutoDimensioning.h"
#include "units/LayerScales.h"

namespace dimtest {
namespace {

struct AutoDimTest : RadialAngleTest {
    void SetUp() override {
        RadialAngleTest::SetUp();
        Options(true, true, false, false, false, false, false);
        g->prefs.style.id = 0;
    }
    static void Options(bool h, bool v, bool inclined, bool crosshairs, bool radius, bool diameter, bool none) {
        auto& p = g->prefs;
        p.AutoDimensionHorizontal = h;
        p.AutoDimensionVertical = v;
        p.AutoDimensionInclined = inclined;
        p.AutoDimensionRadialCrosshairs = crosshairs;
        p.AutoDimensionRadialRadius = radius;
        p.AutDimensionRadialDiameter = diameter;
        p.AutoDimensionRadialNone = none;
    }
    AIErr Run(PlotwiseProcessArtType which = kProcessAllArt) {
        return session->hostEvent([which] { return CreateAutoDimensions(which); });
    }
    // The first text of every dimension group, sorted.
    std::multiset<std::string> AllTexts() const {
        std::multiset<std::string> out;
        for (ObjId d : Dimensions()) {
            const auto t = Texts(d);
            out.insert(t.empty() ? "(no text)" : t[0]);
        }
        return out;
    }
    // The click records of one dimension stored on the art.
    static std::vector<Plotwise3_dimensioned_object_data> ClicksOf(ObjId art, int32_t id) {
        std::vector<Plotwise3_dimensioned_object_data> out;
        for (const auto& c : Clicks(art))
            if (c.id == id) out.push_back(c);
        return out;
    }
    static const Plotwise3_dimensioned_object_data* Click(const std::vector<Plotwise3_dimensioned_object_data>& cs,
                                                         int32_t num) {
        for (const auto& c : cs)
            if (c.clickNum == num) return &c;
        return nullptr;
    }
    // Groups that are neither layers nor dimensions (an empty group left behind, say).
    size_t OtherGroups() const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type == kGroupArt && !a.isLayerGroup() && !IsDimension(Art(a.id))) ++n;
        });
        return n;
    }
    void SetAttr(ObjId art, uint32_t which, uint32_t value) {
        ASSERT_EQ(session->hostEvent([&] { return sAIArt->SetArtUserAttr(Art(art), which, value); }), kNoErr);
    }
};

TEST_F(AutoDimTest, ARectangleGetsItsWidthAboveAndItsHeightBesideOnTheSidesThroughItsSecondAnchor) {
    // Anchors 0 (100,172), 1 (244,172), 2 (244,100), 3 (100,100): the top edge and the right
    // edge; anchor 1 lies above anchor 2, so both lines go out, 18 points off the edge.
    const ObjId rect = Rect(100, 100, 144, 72);
    ASSERT_EQ(Run(), kNoErr);
    const auto dims = Dimensions();
    ASSERT_EQ(dims.size(), 2u);
    EXPECT_EQ(Texts(dims[0]), std::vector<std::string>{"144.00"});
    EXPECT_EQ(Texts(dims[1]), std::vector<std::string>{"72.00"});
    EXPECT_FALSE(Horizontal(Lines(dims[0]), 190).empty());
    EXPECT_FALSE(Vertical(Lines(dims[1]), 262).empty());

    // One id each, counted from 0; three records each on the rectangle.
    EXPECT_EQ(g->prefs.style.id, 2);
    const auto width = ClicksOf(rect, 1), height = ClicksOf(rect, 2);
    ASSERT_EQ(width.size(), 3u);
    ASSERT_EQ(height.size(), 3u);
    for (const auto* cs : {&width, &height})
        for (const auto& c : *cs) {
            EXPECT_EQ(c.clickType, kLiveDimClickedSegmentPoint);
            EXPECT_EQ(c.dimType, cs == &width ? kHorizontal : kVertical);
        }
    ASSERT_TRUE(Click(width, 1) && Click(width, 2) && Click(width, -1));
    EXPECT_EQ(Click(width, 1)->segNumAfter, 0);
    EXPECT_EQ(Click(width, 1)->segNumBefore, 1);
    EXPECT_EQ(Click(width, 2)->segNumAfter, 1);
    EXPECT_NEAR(Click(width, -1)->endPointOffsetLength, 18, kTol);
    EXPECT_NEAR(Click(width, -1)->endPointOffsetAngle, kPi / 2, kTol);
    ASSERT_TRUE(Click(height, 1) && Click(height, 2) && Click(height, -1));
    EXPECT_EQ(Click(height, 1)->segNumAfter, 1);
    EXPECT_EQ(Click(height, 2)->segNumAfter, 2);
    EXPECT_NEAR(Click(height, -1)->endPointOffsetAngle, 0, kTol);
}

TEST_F(AutoDimTest, ARectangleRunInTheOtherDirectionHasOneLineInside) {
    // Anchors (0,0) (0,50) (80,50) (80,0): first side upright, so the width is the side from
    // anchor 1 to 2 (at v 50) and the height the side from 0 to 1 (at h 0). Anchor 1 lies
    // left of anchor 2, so s = -1: the width goes below its side (v 32, inside) and the
    // height left of its side (h -18, outside).
    Polyline({{0, 0}, {0, 50}, {80, 50}, {80, 0}}, true);
    ASSERT_EQ(Run(), kNoErr);
    const auto dims = Dimensions();
    ASSERT_EQ(dims.size(), 2u);
    EXPECT_EQ(Texts(dims[0])[0], "80.00");
    EXPECT_EQ(Texts(dims[1])[0], "50.00");
    EXPECT_FALSE(Horizontal(Lines(dims[0]), 32).empty());
    EXPECT_FALSE(Vertical(Lines(dims[1]), -18).empty());
}

TEST_F(AutoDimTest, ACircleGetsItsRadiusAt45DegreesOneAndAHalfRadiiOutAndACentreMark) {
    Options(true, true, false, true, true, false, false);
    const ObjId circle = Ellipse(300, 100, 72, 72);  // centre (336,136)
    ASSERT_EQ(Run(), kNoErr);
    const auto dims = Dimensions();
    ASSERT_EQ(dims.size(), 2u);
    EXPECT_EQ(Texts(dims[0]), std::vector<std::string>{"R 36.00"});
    EXPECT_TRUE(Texts(dims[1]).empty());
    // The leader ends 54 from the centre at 45 degrees: (374.184, 174.184); the shelf runs
    // right from there.
    const auto shelf = Horizontal(Lines(dims[0]), 174.18377f);
    ASSERT_FALSE(shelf.empty());
    EXPECT_NEAR(shelf[0].a.h, 374.18377f, kTol);

    const auto radius = ClicksOf(circle, 1), mark = ClicksOf(circle, 2);
    ASSERT_EQ(radius.size(), 2u);
    ASSERT_TRUE(Click(radius, 1) && Click(radius, -1));
    EXPECT_EQ(Click(radius, 1)->dimType, kRadius);
    EXPECT_EQ(Click(radius, 1)->clickType, kLiveDimClickedPath);
    EXPECT_EQ(Click(radius, 1)->segNumBefore, 2);
    EXPECT_EQ(Click(radius, 1)->segNumAfter, 3);
    EXPECT_NEAR(Click(radius, -1)->endPointOffsetLength, 54, kTol);
    EXPECT_NEAR(Click(radius, -1)->endPointOffsetAngle, kPi / 4, kTol);
    ASSERT_EQ(mark.size(), 1u);
    EXPECT_EQ(mark[0].dimType, kCircleCenter);
    EXPECT_EQ(mark[0].segNumBefore, 0);
    EXPECT_EQ(mark[0].segNumAfter, 1);
}

TEST_F(AutoDimTest, TheRadialOptionsChooseRadiusDiameterOrOnlyTheMark) {
    struct Case {
        bool radius, diameter, none;
        std::multiset<std::string> texts;
        int32_t ids;
    };
    const Case cases[] = {
        {true, true, false, {"R 36.00", "(no text)"}, 2},     // radius wins over diameter
        {false, true, false, {"\xD8 72.00", "(no text)"}, 2},
        {true, false, true, {"(no text)"}, 1},                // none: the mark alone
        {false, false, false, {"(no text)"}, 1},              // nothing chosen: no radial clicks either
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.texts.size());
        doc = &session->newDocument();
        g->prefs.style.id = 0;
        Options(false, false, false, true, c.radius, c.diameter, c.none);
        const ObjId circle = Ellipse(300, 100, 72, 72);
        ASSERT_EQ(Run(), kNoErr);
        EXPECT_EQ(AllTexts(), c.texts);
        EXPECT_EQ(g->prefs.style.id, c.ids);
        // Only the mark's single click when no radial dimension is made.
        EXPECT_EQ(Clicks(circle).size(), c.ids == 2 ? 3u : 1u);
    }
}

TEST_F(AutoDimTest, OtherPathsGetOneDimensionPerSegmentByTheDirectionOfItsEnds) {
    Options(true, true, true, false, false, false, false);
    // A triangle: the base level (below it, away from the apex), both flanks aligned.
    const ObjId tri = Polyline({{0, 0}, {120, 0}, {60, 90}}, true);
    ASSERT_EQ(Run(), kNoErr);
    EXPECT_EQ(AllTexts(), (std::multiset<std::string>{"120.00", "108.17", "108.17"}));
    const auto dims = Dimensions();
    ASSERT_EQ(dims.size(), 3u);
    EXPECT_FALSE(Horizontal(Lines(dims[0]), -18).empty());
    // The first flank's drag is kept from its first end (120,0): half its length along it
    // and 18 across, sqrt(54.083^2 + 18^2) = 57 at 123.69 + 18.43 degrees.
    const auto flank = ClicksOf(tri, 2);
    ASSERT_TRUE(Click(flank, -1));
    EXPECT_EQ(Click(flank, -1)->dimType, kIncline);
    EXPECT_NEAR(Click(flank, -1)->endPointOffsetLength, 57, 1e-3);
    EXPECT_NEAR(Click(flank, -1)->endPointOffsetAngle, 2.4800875, 1e-4);
    EXPECT_EQ(Click(flank, 1)->segNumAfter, 1);
    EXPECT_EQ(Click(flank, 2)->segNumAfter, 2);
    // The closing flank runs from anchor 2 back to anchor 0.
    const auto closing = ClicksOf(tri, 3);
    ASSERT_TRUE(Click(closing, 1) && Click(closing, 2));
    EXPECT_EQ(Click(closing, 1)->segNumAfter, 2);
    EXPECT_EQ(Click(closing, 2)->segNumAfter, 0);
}

TEST_F(AutoDimTest, AnOpenPathHasNoClosingSegmentToDimension) {
    Options(true, true, true, false, false, false, false);
    // The pair (last, first) would be an aligned 111.80 across empty space.
    Polyline({{0, 0}, {100, 0}, {100, 50}});
    ASSERT_EQ(Run(), kNoErr);
    EXPECT_EQ(AllTexts(), (std::multiset<std::string>{"100.00", "50.00"}));
    EXPECT_EQ(g->prefs.style.id, 2);
}

TEST_F(AutoDimTest, ASquareOnItsCornerIsNotTakenForACircle) {
    Options(true, true, true, true, true, false, false);
    Polyline({{50, 100}, {100, 50}, {50, 0}, {0, 50}}, true);
    // Nor three quarters of a circle, its anchors where a circle's lie, open after the left.
    const AIReal k = 50 * 0.5522847f;
    ObjId arc = 0;
    ASSERT_EQ(session->hostEvent([&] {
        return doc->addPath({{{250, 100}, {250 - k, 100}, {250 + k, 100}, false},
                             {{300, 50}, {300, 50 + k}, {300, 50 - k}, false},
                             {{250, 0}, {250 + k, 0}, {250 - k, 0}, false},
                             {{200, 50}, {200, 50 - k}, {200, 50 + k}, false}},
                            false, &arc);
    }), kNoErr);
    // Its four sides and the arc's three chords are 70.71 long, each measured aligned.
    ASSERT_EQ(Run(), kNoErr);
    const std::vector<std::string> chords(7, "70.71");
    EXPECT_EQ(AllTexts(), std::multiset<std::string>(chords.begin(), chords.end()));
    EXPECT_TRUE(Alerts().empty());
}

TEST_F(AutoDimTest, HiddenArtAndTheArtOfDimensionsArePassedOver) {
    const ObjId hidden = Rect(300, 300, 50, 50);
    SetAttr(hidden, kArtHidden, kArtHidden);
    Rect(100, 100, 144, 72);
    ASSERT_EQ(Run(), kNoErr);
    EXPECT_EQ(Dimensions().size(), 2u);
    EXPECT_TRUE(Clicks(hidden).empty());
    // Again: the rectangle once more, never the lines of its dimensions.
    ASSERT_EQ(Run(), kNoErr);
    EXPECT_EQ(AllTexts(), (std::multiset<std::string>{"144.00", "144.00", "72.00", "72.00"}));
    EXPECT_EQ(g->prefs.style.id, 4);
}

TEST_F(AutoDimTest, TheSelectionAloneAndNothingWhenNothingIsSelected) {
    const ObjId a = Rect(100, 100, 144, 72);
    Rect(300, 100, 40, 30);
    ASSERT_EQ(Run(kProcessSelectedArt), kNoErr);
    EXPECT_TRUE(Dimensions().empty());
    EXPECT_EQ(OtherGroups(), 0u);
    EXPECT_EQ(g->prefs.style.id, 0);
    SetAttr(a, kArtSelected, kArtSelected);
    ASSERT_EQ(Run(kProcessSelectedArt), kNoErr);
    EXPECT_EQ(AllTexts(), (std::multiset<std::string>{"144.00", "72.00"}));
}

TEST_F(AutoDimTest, TheSelectionGoesOnlyWhenASegmentOrCircleIsPreparedForADimension) {
    // A selected circle and rectangle, dimensioned as the options say: the centre mark
    // alone and nothing at all need no preparation.
    struct Row {
        const char* name;
        bool h, crosshairs, radius, none;
        bool cleared;
    } const rows[] = {
        {"the centre mark alone", false, true, false, true, false},
        {"nothing chosen", false, false, false, false, false},
        {"a radius", false, false, true, false, true},
        {"the rectangle's width", true, false, false, false, true},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.name);
        doc = &session->newDocument();
        Options(r.h, false, false, r.crosshairs, r.radius, false, r.none);
        const ObjId circle = Ellipse(300, 100, 72, 72), rect = Rect(100, 100, 144, 72);
        SetAttr(circle, kArtSelected, kArtSelected);
        SetAttr(rect, kArtSelected, kArtSelected);
        ASSERT_EQ(Run(kProcessSelectedArt), kNoErr);
        EXPECT_EQ(doc->readsSelected(circle), !r.cleared);
        EXPECT_EQ(doc->readsSelected(rect), !r.cleared);
    }
}

TEST_F(AutoDimTest, ADimensionThatCannotBeDrawnLeavesNoGroupNoClicksAndTakesNoIdOrLetter) {
    // Letters: the next dimension drawn would be "A".
    ChooseDimensionFormat(1);
    g->prefs.incrementalDimAlpha = 0;
    // A curve whose ends are level: its chord's middle (50,0) lies 45 below the curve, so
    // the made-up click finds nothing to measure.
    ObjId curve = 0;
    ASSERT_EQ(session->hostEvent([&] {
        AIErr err = doc->addPolyline({{0, 0}, {100, 0}}, false, &curve);
        if (err) return err;
        AIPathSegment s[2]{};
        sAIPath->GetPathSegments(Art(curve), 0, 2, s);
        s[0].out = {0, 60};
        s[1].in = {100, 60};
        return sAIPath->SetPathSegments(Art(curve), 0, 2, s);
    }),
              kNoErr);
    ASSERT_EQ(Run(), kNoErr);
    EXPECT_TRUE(Dimensions().empty());
    EXPECT_EQ(OtherGroups(), 0u);
    EXPECT_TRUE(Clicks(curve).empty());
    EXPECT_EQ(g->prefs.style.id, 0);
    EXPECT_EQ(g->prefs.incrementalDimAlpha, 0);
    // A rectangle then takes the first id and letters.
    Rect(100, 100, 144, 72);
    ASSERT_EQ(Run(), kNoErr);
    EXPECT_EQ(AllTexts(), (std::multiset<std::string>{"A", "B"}));
    EXPECT_EQ(g->prefs.style.id, 2);
    EXPECT_EQ(g->prefs.incrementalDimAlpha, 2);
    // One at the canvas's top edge gets its height; its width would reach past the canvas.
    const ObjId edge = Rect(100, 16300, 144, 72);
    ASSERT_EQ(session->hostEvent([&] { return doc->select(edge); }), kNoErr);
    ASSERT_EQ(Run(kProcessSelectedArt), kNoErr);
    EXPECT_EQ(AllTexts(), (std::multiset<std::string>{"A", "B", "C"}));
    EXPECT_EQ(Alerts().back(), "These dimensions would reach past the largest canvas (16383 points), so they were not "
                               "drawn (draw them nearer the middle of the page): \"C\"");
}

TEST_F(AutoDimTest, ArtLyingOnTopOfAPathIsNotMeasuredForIt) {
    Options(true, false, false, false, false, false, false);
    const ObjId rect = Rect(100, 100, 144, 72);
    // A line over the middle of the rectangle's top edge, drawn after it (so on top).
    Polyline({{150, 172}, {200, 172}});
    ASSERT_EQ(Run(), kNoErr);
    EXPECT_EQ(AllTexts(), (std::multiset<std::string>{"144.00", "50.00"}));
    EXPECT_EQ(Clicks(rect).size(), 3u);
}

TEST_F(AutoDimTest, TheUsersToolClicksLayerAndScaleAreGivenBack) {
    g->prefs.createDimensionLayer = 1;
    Rect(100, 100, 144, 72);
    Options(true, true, false, true, false, true, false);
    Ellipse(300, 100, 72, 72);
    AIToolHandle before = g->htool;
    g->curTool = before;
    g->didFirstClick = g->didSecondClick = 0;
    g->clickNum = 0;
    g->curDimID = 0;
    const int32_t scale = g->prefs.scale;
    AILayerHandle userLayer = nullptr;
    sAILayer->GetCurrentLayer(&userLayer);
    ASSERT_EQ(Run(), kNoErr);
    EXPECT_EQ(Dimensions().size(), 4u);
    EXPECT_EQ(g->curTool, before);
    EXPECT_EQ(g->didFirstClick, 0);
    EXPECT_EQ(g->didSecondClick, 0);
    EXPECT_EQ(g->clickNum, 0);
    EXPECT_EQ(g->UsingMagicDims, 0);
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
    EXPECT_EQ(g->prefs.scale, scale);
    // Drawn on the dimension layer; the user's layer is current again.
    AILayerHandle current = nullptr;
    sAILayer->GetCurrentLayer(&current);
    EXPECT_EQ(current, userLayer);
    EXPECT_NE(g->dimensionLayer, nullptr);
    EXPECT_EQ(session->hostEvent([] { return kNoErr; }), kNoErr);
    for (ObjId d : Dimensions()) {
        AILayerHandle layer = nullptr;
        sAIArt->GetLayerOfArt(Art(d), &layer);
        EXPECT_EQ(layer, g->dimensionLayer);
    }
    EXPECT_EQ(OtherGroups(), 0u);
}

// A drawing that starts at 1:50 (picked while no drawing was open), its ten layers holding
// no scale: every one of them keeps the 1:50 it was dimensioned at, through a switch to
// layer-based scale and another drawing at 1:1 brought to the front and closed.
TEST_F(AutoDimTest, EveryLayerKeepsTheScaleItWasDimensionedAtHoweverMany) {
    g->prefs.scale = 25;
    g->prefs.scaler = 50;
    CopyCString(g->prefs.scaleStr, "1:50");
    NoteNewDrawingScale();
    doc = &session->newDocument();
    for (int i = 0; i < 10; ++i) {
        session->hostEvent([&] { return doc->setCurrentLayer(doc->addLayer("Part " + std::to_string(i))); });
        Rect(100, 50 + 60 * i, 72, 36);
    }
    ASSERT_EQ(Run(), kNoErr);
    // 72 and 36 points at 1:50.
    const std::multiset<std::string> texts = AllTexts();
    ASSERT_EQ(texts.size(), 20u);
    EXPECT_EQ(texts.count("3,600.00"), 10u);
    EXPECT_EQ(texts.count("1,800.00"), 10u);
    SetScaleStyle(kLayerBasedScaleStyle);
    g->prefs.scale = 33;  // what another drawing leaves current
    session->newDocument();
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
    EXPECT_EQ(AllTexts(), texts);
}

TEST_F(AutoDimTest, UnderALabelToolTheyAreStillDimensions) {
    // A numbered centre line or label drawn first, its tool still current: the run's
    // dimensions show their lengths when drawn and after each update.
    ChooseLabelFormat(1);
    for (const char* tool : {"Center Line", "Pointer Label", "Section Line", "Datum Flag"}) {
        SCOPED_TRACE(tool);
        doc = &session->newDocument();
        Rect(100, 100, 144, 72);
        ASSERT_EQ(PressAndDrag(tool, {100, 130}, {60, 200}), kNoErr);
        const std::multiset<std::string> label = AllTexts();
        ASSERT_EQ(label.size(), 1u);
        ASSERT_EQ(session->menu("Auto Dimension Document"), kNoErr);
        std::multiset<std::string> expected{"144.00", "72.00"};
        expected.insert(*label.begin());
        for (int update = 0; update < 3; ++update) {
            EXPECT_EQ(AllTexts(), expected) << update;
            ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
        }
        EXPECT_EQ(g->labelToolSelected, 1) << "the tool is still a label tool";
    }
}

TEST_F(AutoDimTest, AutomaticDimensionsAreRedrawnFromTheirStoredClicks) {
    Options(true, true, true, true, true, false, false);
    const ObjId rect = Rect(100, 100, 144, 72);
    Ellipse(300, 100, 72, 72);
    Polyline({{0, 300}, {120, 300}, {60, 390}}, true);
    ASSERT_EQ(session->menu("Auto Dimension Document"), kNoErr);
    const std::multiset<std::string> drawn{"144.00", "72.00", "R 36.00", "(no text)", "120.00", "108.17", "108.17"};
    EXPECT_EQ(AllTexts(), drawn);
    // The rectangle widened to 160 by moving its right edge; every kind is redrawn.
    ASSERT_EQ(session->hostEvent([&] {
        AIPathSegment s[4]{};
        sAIPath->GetPathSegments(Art(rect), 0, 4, s);
        for (int i : {1, 2}) s[i].p.h = s[i].in.h = s[i].out.h = 260;
        return sAIPath->SetPathSegments(Art(rect), 0, 4, s);
    }),
              kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(AllTexts(),
              (std::multiset<std::string>{"160.00", "72.00", "R 36.00", "(no text)", "120.00", "108.17", "108.17"}));
}

TEST_F(AutoDimTest, OnProjectedArtTheyMeasureItAsItLiesAndTheUpdateKeepsThem) {
    // A 72 by 36 rectangle on the left face of the isometric view, foreshortened by 0.8:
    // its upright sides lie 28.8 long, its level sides at 30 degrees, 57.6 long.
    Options(true, true, true, false, false, false, false);
    IsometricView();
    auto& view = g->prefs.isoView;
    view.af = view.bf = view.cf = 0.8f;
    const ObjId rect = Rect(0, 0, 72, 36);
    ASSERT_EQ(Project(rect, kAxoLeftFace), kNoErr);
    ASSERT_EQ(session->menu("Auto Dimension Document"), kNoErr);
    const std::multiset<std::string> drawn{"57.60", "57.60", "28.80", "28.80"};
    EXPECT_EQ(AllTexts(), drawn);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(AllTexts(), drawn);
}

}  // namespace
}  // namespace dimtest
