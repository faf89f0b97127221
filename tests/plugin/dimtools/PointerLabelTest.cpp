// The pointer label tool as a drafter uses it: where the leader turns and ends and on which
// side the frame stands, for the leader kinds with ctrl and shift, worked out by hand; the
// letters of one label after another across a restart and an update that follows the
// moved art; the multiple leader built from clicks, stored and redrawn alike.
#include <cmath>

#include "IText.h"
#include "LabelFixture.h"
#include "dimtools/LeaderLines.h"

namespace dimtest {
namespace {

using PointerLabelTest = LabelTest;

constexpr uint32_t kCtrl = aiEventModifiers_Command, kShift = aiEventModifiers_Shift;

TEST_F(PointerLabelTest, TheLeaderTurnsAndEndsAndTheFrameStandsOnItsSide) {
    const struct {
        int32_t kind;
        uint32_t keys;
        AIReal shelf;
        AIRealPoint drag, knee, end;  // from the press
        int side;
    } rows[] = {
        {kElbowLeader, 0, 20, {0, 60}, {0, 60}, {-20, 60}, -1},       // straight up goes left
        {kElbowLeader, kCtrl, 20, {60, 40}, {60, 40}, {40, 40}, -1},  // the shelf back over the leg
        {kStraightLeader, kCtrl, 20, {60, 40}, {60, 40}, {60, 40}, -1},
        {kArcLeader, kCtrl, 20, {60, 40}, {60, 40}, {60, 40}, 1},  // ctrl mirrors the curve instead
        {kWaveLeader, kCtrl, 20, {-60, 40}, {-60, 40}, {-60, 40}, -1},
        {kMultipleLeader, 0, 20, {60, 40}, {60, 40}, {80, 40}, 1},
        {kElbowLeader, 0, 0, {60, 40}, {60, 40}, {60, 40}, 1},
        {kElbowLeader, kShift, 20, {60, 50}, {55.22681f, 55.22681f}, {75.22681f, 55.22681f}, 1},  // 78.1 at 45°
        {9, 0, 20, {60, 40}, {60, 40}, {60, 40}, 1},  // outside the table: straight to the knee
    };
    for (size_t n = 0; n < std::size(rows); ++n) {
        const auto& row = rows[n];
        SCOPED_TRACE("row " + std::to_string(n));
        const AIRealPoint press{static_cast<AIReal>(100 + 150 * (n % 4)), static_cast<AIReal>(150 + 180 * (n / 4))};
        g->prefs.style.labelLeader = row.kind;
        g->prefs.style.labelLeaderLength = row.shelf;
        ASSERT_EQ(PressAndDrag("Pointer Label", press, {press.h + row.drag.h, press.v + row.drag.v}, row.keys), kNoErr);
        const ObjId label = Dimensions().back();
        const auto& leader = Paths(label)[0]->segments;
        const AIRealPoint end{press.h + row.end.h, press.v + row.end.v};
        EXPECT_PT(leader.front().p, press.h, press.v, kTol);
        EXPECT_PT(leader.back().p, end.h, end.v, kTol);
        if (row.kind == kElbowLeader || row.kind == kMultipleLeader) {
            EXPECT_PT(leader[1].p, press.h + row.knee.h, press.v + row.knee.v, kTol);
        }
        const AIRealRect frame = BoundsOf(Frames(label).at(0));
        EXPECT_NEAR(row.side > 0 ? frame.left : frame.right, end.h, kTol);
        EXPECT_NEAR((frame.top + frame.bottom) / 2, end.v, kTol);
        EXPECT_EQ(Text(label), std::string(1, static_cast<char>('A' + n)));
    }
}

TEST_F(PointerLabelTest, LettersGoOnAcrossARestartAndLabelsFollowTheirArtWhenUpdated) {
    const ObjId part = Rect(100, 100, 200, 100);
    ASSERT_EQ(PressAndDrag("Pointer Label", {200, 200}, {240, 260}), kNoErr);
    ASSERT_EQ(PressAndDrag("Pointer Label", {300, 150}, {360, 180}), kNoErr);
    ASSERT_EQ(session->click({400, 400}), kNoErr);  // no drag: nothing drawn, no letter taken
    EXPECT_EQ(g->prefs.incrementalLabelAlpha, 2);
    ASSERT_EQ(session->restart(), kNoErr) << session->lastError();
    ASSERT_EQ(PressAndDrag("Pointer Label", {100, 150}, {60, 200}), kNoErr);
    EXPECT_EQ(Clicks(part).size(), 6u) << "a press and a drag record per label";
    const AIRealMatrix move{1, 0, 0, 1, -50, 30};
    ASSERT_EQ(session->hostEvent([&] { return sAITransformArt->TransformArt(Art(part), &move, 1, 0x41); }), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 3);
    std::vector<std::string> seen;
    for (ObjId label : Dimensions()) {
        const AIRealPoint start = Paths(label)[0]->segments[0].p;
        seen.push_back(Text(label) + " " + std::to_string(std::lround(start.h)) + "," + std::to_string(std::lround(start.v)));
    }
    std::sort(seen.begin(), seen.end());
    EXPECT_EQ(seen, (std::vector<std::string>{"A 150,230", "B 250,180", "C 50,180"}));
    EXPECT_EQ(g->prefs.incrementalLabelAlpha, 3) << "an update takes no letter";
}

// Numbers go up to 32767, the largest a label holds; from there each label takes it again,
// and the user is told so each time (not before).
TEST_F(PointerLabelTest, NumbersGoNoHigherThan32767AndTheUserIsTold) {
    ChooseLabelFormat(1);
    g->prefs.incrementalLabelNumber = 32766;
    std::vector<std::string> texts;
    for (const AIReal h : {100.0f, 250.0f, 400.0f}) {
        ASSERT_EQ(PressAndDrag("Pointer Label", {h, 150}, {h + 40, 200}), kNoErr);
        texts.push_back(Text(Dimensions().back()));
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"32766", "32767", "32767"}));
    const std::string told = "The label numbers go no higher, so the next label takes this number again (type a "
                             "lower one into the labels panel to go on): 32767";
    EXPECT_EQ(Alerts(), (std::vector<std::string>{told, told}));
}

// A filled sheet over the page on a hidden layer above is no art: a press lands on what lies
// beneath it, or on nothing.
TEST_F(PointerLabelTest, AGeometricLabelPressedWhereThereIsNoArtSaysNoData) {
    ChooseLabelFormat(2);
    g->prefs.style.geoLabelA = 1;
    Rect(100, 100, 144, 72);
    ASSERT_EQ(session->hostEvent([&] {
        standin::ObjId sheet = 0;
        doc->addLayer("Sheet");
        if (AIErr err = doc->addRect(0, 0, 612, 792, &sheet)) return err;
        doc->editArt(sheet)->style.fillPaint = true;
        doc->editArt(sheet)->style.fill.color.kind = kGrayColor;
        if (AIErr err = doc->setLayerVisible("Sheet", false)) return err;
        return doc->setCurrentLayer("Layer 1");
    }), kNoErr);
    const struct {
        AIRealPoint press;
        const char* text;
    } rows[] = {
        {{300, 300}, "No data"},               // before any art was measured
        {{100, 130}, "Area: 10,368.00 sq  "},  // 144 x 72
        {{300, 300}, "No data"},               // not the area measured before
    };
    for (const auto& row : rows) {
        ASSERT_EQ(PressAndDrag("Pointer Label", row.press, {row.press.h - 40, row.press.v + 60}), kNoErr);
        EXPECT_EQ(Text(Dimensions().back()), row.text);
    }
}

TEST_F(PointerLabelTest, ALabelOnATextFollowsItByItsPlaceInTheTextsBounds) {
    AIArtHandle note = nullptr;
    ASSERT_EQ(session->hostEvent([&] {
        AIErr err = sAITextFrame->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {100, 100}, &note);
        ATE::TextRangeRef range = nullptr;
        if (!err) err = sAITextFrame->GetATETextRange(note, &range);
        if (!err) ATE::ITextRange(range).InsertAfter("NOTE", 4);
        return err;
    }), kNoErr);
    ASSERT_EQ(PressAndDrag("Pointer Label", {105, 103}, {140, 160}), kNoErr);
    EXPECT_EQ(Clicks(standin::fromHandle(note)).front().clickType, kLiveDimClickedFill);
    const AIRealMatrix move{1, 0, 0, 1, 30, -20};
    ASSERT_EQ(session->hostEvent([&] { return sAITransformArt->TransformArt(note, &move, 1, 0x41); }), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_PT(Paths(Dimensions()[0])[0]->segments[0].p, 135, 83, kTol);
}

TEST_F(PointerLabelTest, TheMultipleLeaderCollectsClicksUntilAPressIsDragged) {
    const ObjId part = Rect(100, 100, 200, 100);
    g->prefs.style.labelLeader = kMultipleLeader;
    ASSERT_EQ(session->selectTool("Pointer Label"), kNoErr);
    ASSERT_EQ(session->click({100, 150}), kNoErr);
    ASSERT_EQ(session->click({200, 100}), kNoErr);
    EXPECT_TRUE(Dimensions().empty());
    ASSERT_EQ(Continue({300, 150}, {350, 250}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId label = Dimensions()[0];
    // A leg from each click to the knee, the first on along the shelf; a terminator on each.
    EXPECT_TRUE(HasLine(label, {200, 100}, {350, 250}));
    EXPECT_TRUE(HasLine(label, {300, 150}, {350, 250}));
    const auto tips = Tips(label);
    EXPECT_EQ(tips.size(), 3u);
    const auto clicks = Clicks(part);
    ASSERT_EQ(clicks.size(), 4u);
    for (const auto& c : clicks) EXPECT_EQ(c.dimType, kMutiLeaderLabel);
    const std::string drawn = Drawing(label);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_EQ(Drawing(Dimensions()[0]), drawn);
}

}  // namespace
}  // namespace dimtest
