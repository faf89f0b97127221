// The tracker's actions worked from the panel: partly and fully selected art, copies and
// their tags and links, axonometric art, hidden and locked members, the repeat grid, the
// typed transform, the Enter key, the move offset, the area, and the selection of copies
// afterwards. Expected places are worked by hand from the typed values.
#include <algorithm>
#include <functional>

#include "TrackerFixture.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSelection.h"
#include "dimensions/DimensionStorage.h"
#include "tracker/TrackerActions.h"

namespace trackertest {
namespace {

using ActionsTest = TrackerSession;

void ExpectRect(const AIRealRect& got, const AIRealRect& want, const std::string& what) {
    EXPECT_NEAR(got.left, want.left, 1e-3) << what;
    EXPECT_NEAR(got.top, want.top, 1e-3) << what;
    EXPECT_NEAR(got.right, want.right, 1e-3) << what;
    EXPECT_NEAR(got.bottom, want.bottom, 1e-3) << what;
}

// The art tagged to be selected once theTimer has run.
size_t Tagged(standin::Document& doc) {
    size_t n = 0;
    doc.walk([&](const standin::Art& a, int) {
        for (const auto& tag : a.tags) n += tag.name == kObjectWasSelectedTag;
    });
    return n;
}

TEST_F(ActionsTest, OnlyTheSelectedAnchorsOfAPartlySelectedPathMove) {
    const ObjId path = Polyline({{0, 0}, {100, 0}, {100, 100}, {0, 100}}, true);
    const ObjId whole = Rect(200, 0, 50, 50);
    session->hostEvent([&] {
        doc->select(whole);
        doc->setSegmentSelected(path, 1, kSegmentPointSelected);
        doc->setSegmentSelected(path, 2, kSegmentPointSelected);
        return doc->setSegmentSelected(path, 3, kSegmentInSelected);  // a handle alone counts as unselected
    });
    Type(kMoveX, "10");
    Type(kMoveY, "0");
    EXPECT_EQ(Text(kMoveDistance), "10.00");
    Press(kMoveButton);
    const std::vector<AIRealPoint> moved = Anchors(path);
    const AIRealPoint want[] = {{0, 0}, {110, 0}, {110, 100}, {0, 100}};
    for (size_t i = 0; i < 4; ++i) EXPECT_EQ(moved[i].h, want[i].h) << i;
    ExpectRect(Bounds(whole), {210, 50, 260, 0}, "the whole rectangle");
    // A typed position moves whole objects only: the selected anchors take no second step.
    // The selection's left edge is the anchor selected by a handle (at x 0): to x 20.
    Type(kTransformX, "20");
    Press(kTransformButton);
    EXPECT_EQ(Anchors(path)[1].h, 110);
    ExpectRect(Bounds(whole), {230, 50, 280, 0}, "placed by x 20");
}

TEST_F(ActionsTest, CopiesGoLooseIntoOneGroupWithoutLinksAndOnlyTransformCopiesAreSelectedAfter) {
    const ObjId a = Rect(0, 0, 10, 10), b = Rect(20, 0, 10, 10);
    AIArtHandle group = nullptr;
    session->hostEvent([&] {
        sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
        sAIArt->ReorderArt(Art(a), kPlaceInsideOnBottom, group);
        sAIArt->ReorderArt(Art(b), kPlaceInsideOnBottom, group);
        AIDictionaryRef dict = nullptr;
        sAIArt->GetDictionary(Art(a), &dict);
        sAIDictionary->SetIntegerEntry(dict, sAIDictionary->Key("ZA3_Object"), 1);  // measured art
        sAIDictionary->Release(dict);
        return kNoErr;
    });
    Select({Id(group)});
    Press(kTransformCopyButton);
    const ObjId copies = Id(g->group);
    const std::vector<ObjId> made = doc->children(copies);
    ASSERT_EQ(made.size(), 2u);  // one per member, loose, the first on top
    EXPECT_EQ(doc->art(made[0])->segments[0].p.h, 0);
    EXPECT_EQ(doc->art(made[1])->segments[0].p.h, 20);
    EXPECT_FALSE(IsDimensionedObject(Art(made[0])));
    EXPECT_TRUE(IsDimensionedObject(Art(a)));
    EXPECT_EQ(Tagged(*doc), 2u);
    session->ticks(10);
    EXPECT_EQ(Tagged(*doc), 0u);
    EXPECT_EQ(doc->selection(), (std::vector<ObjId>{copies, made[0], made[1]}));
    EXPECT_EQ(g->trackerTransformComplete, 0);

    // The move's copies, by its button or by Alt+Enter, are never tagged.
    Type(kMoveX, "50");
    Press(kMoveCopyButton);
    Type(kMoveY, "5", kADMEnterKey, kADMModKeyModifier);  // copies of the four now selected
    EXPECT_EQ(Count(kPathArt), 10u);
    EXPECT_EQ(Tagged(*doc), 0u);
    EXPECT_EQ(g->moveCopy, 0);
}

TEST_F(ActionsTest, AxonometricArtStaysOnItsFace) {
    g->prefs.autoExpandAxoArt = 0;
    const ObjId face = Rect(100, 100, 60, 30);
    session->hostEvent([&] { return ProjectAxonometric(Art(face), kAxoLeftFace, &g->prefs.isoView); });
    Select({face});
    depth_object_data before{}, after{};
    GetAxonometricData(Art(face), &before);
    Type(kMoveX, "10");
    Type(kMoveY, "0");
    Press(kMoveButton);
    GetAxonometricData(Art(face), &after);
    EXPECT_EQ(after.id, before.id);  // a move keeps the record as it was
    EXPECT_EQ(after.offset.h, before.offset.h);
    // A turn is made flat and projected back onto the same face.
    sADMItem->SetFloatValue(Item(kTransformAngle), 90);
    Press(kTransformButton);
    GetAxonometricData(Art(face), &after);
    EXPECT_EQ(after.face, kAxoLeftFace);
    EXPECT_NE(after.id, before.id);
    EXPECT_EQ(sADMItem->GetFloatValue(Item(kTransformAngle)), 0);
    // A cylinder part is turned as drawn, never flattened.
    after.type = kAxoCylinderBase;
    session->hostEvent([&] { return SetAxonometricData(Art(face), &after); });
    sADMItem->SetFloatValue(Item(kTransformAngle), 45);
    Press(kTransformButton);
    depth_object_data cylinder{};
    GetAxonometricData(Art(face), &cylinder);
    EXPECT_EQ(cylinder.id, after.id);
}

TEST_F(ActionsTest, HiddenAndLockedMembersStayAndAHostErrorKeepsWhatWasDone) {
    const ObjId shown = Rect(0, 0, 10, 10), hidden = Rect(20, 0, 10, 10), locked = Rect(40, 0, 10, 10);
    AIArtHandle group = nullptr;
    session->hostEvent([&] {
        sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
        for (ObjId id : {shown, hidden, locked}) sAIArt->ReorderArt(Art(id), kPlaceInsideOnBottom, group);
        doc->select(Id(group));
        sAIArt->SetArtUserAttr(Art(hidden), kArtHidden, kArtHidden);
        return sAIArt->SetArtUserAttr(Art(locked), kArtLocked, kArtLocked);
    });
    g->CADtrackerMovePt = {5, 0};
    ASSERT_EQ(session->hostEvent(&doCADtrackerMove), kNoErr);
    EXPECT_EQ(Bounds(shown).left, 5);
    EXPECT_EQ(Bounds(hidden).left, 20);
    EXPECT_EQ(Bounds(locked).left, 40);

    // The host refuses the second object (the rectangle on top is the first): it stays
    // moved, the error comes back.
    static int calls = 0;
    static AITransformArtSuite* host = nullptr;
    static AITransformArtSuite failing{};
    failing.TransformArt = +[](AIArtHandle art, const AIRealMatrix* m, AIReal scale, int32_t flags) -> AIErr {
        return ++calls == 2 ? kBadParameterErr : host->TransformArt(art, m, scale, flags);
    };
    host = sAITransformArt;
    const ObjId other = Rect(0, 50, 10, 10);
    Select({shown, other});
    sAITransformArt = &failing;
    EXPECT_EQ(doCADtrackerMove(), kBadParameterErr);
    sAITransformArt = host;
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(Bounds(other).left, 5);
    EXPECT_EQ(Bounds(shown).left, 5);
}

TEST_F(ActionsTest, ARepeatMakesItsGridOfCopiesAndRefusesWhatIsTooMuch) {
    // A 50 × 20 rectangle at the origin; each case lists where its copies land.
    const struct {
        const char* what;
        const char *columns, *rows;
        int32_t between, rowsUp, columnsRight;
        std::vector<AIRealPoint> copies;
    } kCases[] = {
        {"3 × 2 edge to edge, 10 apart", "3", "2", 1, 1, 1, {{60, 0}, {120, 0}, {0, 30}, {60, 30}, {120, 30}}},
        {"rows down, columns left", "2", "2", 1, 0, 0, {{-60, 0}, {0, -30}, {-60, -30}}},
        {"-3 columns: two the other way", "-3", "0", 0, 1, 1, {{-10, 0}, {-20, 0}}},
        {"1 × 1", "1", "1", 0, 1, 1, {}},
        {"0 × 0", "0", "0", 0, 1, 1, {}},
        {"40000 columns", "40000", "1", 0, 1, 1, {}},
    };
    for (const auto& c : kCases) {
        const ObjId source = Rect(0, 0, 50, 20);
        Select({source});
        g->prefs.repeatType = c.between;
        g->prefs.repeatRowUp = c.rowsUp;
        g->prefs.repeatColRt = c.columnsRight;
        Type(kColumnSpacing, "10");
        Type(kRowSpacing, "10");
        Type(kColumns, c.columns);
        Type(kRows, c.rows);
        const size_t before = Count(kPathArt), groups = Count(kGroupArt);
        NewAlerts();
        Press(kRepeatButton);
        ASSERT_EQ(Count(kPathArt), before + c.copies.size()) << c.what;
        EXPECT_EQ(Count(kGroupArt), groups + !c.copies.empty()) << c.what;  // no empty group
        std::vector<AIRealPoint> got;
        for (ObjId copy : doc->children(Id(g->group))) got.push_back(doc->art(copy)->segments[0].p);
        for (size_t i = 0; i < c.copies.size(); ++i) {
            EXPECT_EQ(got[i].h, c.copies[i].h + 0) << c.what << " copy " << i;
            EXPECT_EQ(got[i].v, c.copies[i].v + 20) << c.what << " copy " << i;  // the top-left anchor
        }
        const bool refused = std::string(c.columns) == "40000";
        EXPECT_EQ(NewAlerts(), refused ? std::vector<std::string>{Message(79)} : std::vector<std::string>{}) << c.what;
        session->hostEvent([&] { return doc->disposeArt(source); });
    }
    // A partly selected path takes no part in a grid.
    const ObjId path = Polyline({{0, 0}, {10, 0}, {10, 10}}, false);
    session->hostEvent([&] { return doc->setSegmentSelected(path, 1, kSegmentPointSelected); });
    Type(kColumns, "3");
    Press(kRepeatButton);
    EXPECT_EQ(Anchors(path)[1].h, 10);
    EXPECT_EQ(g->repeatCopy, 0);
}

// Text that is no length (or none) stands for no offset or spacing: Alt+Enter in a Move field
// and a Repeat whose spacing is such text are refused in words, and no copy lands on the
// selection.
TEST_F(ActionsTest, AMoveOrRepeatFromTextThatIsNoLengthMakesNoCopies) {
    const ObjId plate = Rect(0, 0, 50, 20);
    for (const char* junk : {"nan", "12abc", "1/0", ""}) {
        SCOPED_TRACE(junk);
        Select({plate});
        NewAlerts();
        Type(kMoveX, junk, kADMEnterKey, kADMModKeyModifier);
        EXPECT_EQ(NewAlerts(), std::vector<std::string>{Message(18)});
        Type(kColumnSpacing, junk);
        Type(kColumns, "3");
        Press(kRepeatButton);
        EXPECT_EQ(NewAlerts(), std::vector<std::string>{Message(18)});
        EXPECT_EQ(Count(kPathArt), 1u);
    }
}

TEST_F(ActionsTest, TheTransformFollowsTheTypedPositionSizeAndAngle) {
    // A 100 × 50 rectangle with its top-left corner at (0, 50); positions are typed with y
    // growing downwards.
    struct Typed {
        int32_t item;
        const char* text;
    };
    const struct {
        const char* what;
        std::vector<Typed> typed;
        int constrain, referencePoint;
        int32_t focus;  // the field with the keyboard when the button is pressed
        AIRealRect want;
        int32_t message;  // 0: none
    } kCases[] = {
        {"nothing edited", {}, 0, 0, 0, {0, 50, 100, 0}, 0},
        {"Y 100: top edge at y -100", {{kTransformY, "100"}}, 0, 0, 0, {0, -100, 100, -150}, 0},
        {"X 20", {{kTransformX, "20"}}, 0, 0, 0, {20, 50, 120, 0}, 0},
        {"W 200 kept in proportion", {{kTransformW, "200"}}, 1, 0, 0, {0, 50, 200, -50}, 0},
        {"a negative W scales by its size", {{kTransformW, "-200"}}, 0, 0, 0, {0, 50, 200, 0}, 0},
        {"W and H about the centre", {{kTransformW, "200"}, {kTransformH, "100"}}, 0, 4, 0, {-50, 75, 150, -25}, 0},
        {"both edited, W focused", {{kTransformW, "200"}, {kTransformH, "150"}}, 1, 0, kTransformW,
         {0, 50, 200, -50}, 0},
        {"both edited, H focused wins", {{kTransformW, "200"}, {kTransformH, "150"}}, 1, 0, kTransformH,
         {0, 50, 300, -100}, 0},
        {"a width of nothing", {{kTransformW, "0"}}, 0, 0, 0, {0, 50, 100, 0}, 21},
        {"an X that is no length", {{kTransformX, "abc"}}, 0, 0, 0, {0, 50, 100, 0}, 18},
    };
    for (const auto& c : kCases) {
        const ObjId plate = Rect(0, 0, 100, 50);
        Select({plate});
        g->prefs.moveType = c.referencePoint;
        g->prefs.constrainProportions = 0;  // the fields are typed as they are
        for (const Typed& t : c.typed) Type(t.item, t.text);
        g->prefs.constrainProportions = c.constrain;
        sADMItem->Activate(Item(c.focus ? c.focus : kTransformX), true);
        NewAlerts();
        Press(kTransformButton);
        ExpectRect(Bounds(plate), c.want, c.what);
        EXPECT_EQ(NewAlerts(), c.message ? std::vector<std::string>{Message(c.message)} : std::vector<std::string>{})
            << c.what;
        session->hostEvent([&] { return doc->disposeArt(plate); });
    }

    // A quarter turn about the centre; the angle field reads 0 again.
    const ObjId plate = Rect(0, 0, 100, 50);
    Select({plate});
    g->prefs.moveType = 4;
    sADMItem->SetFloatValue(Item(kTransformAngle), 90);
    Press(kTransformButton);
    ExpectRect(Bounds(plate), {25, 75, 75, -25}, "turned");
    EXPECT_EQ(sADMItem->GetFloatValue(Item(kTransformAngle)), 0);
    // A line standing upright has no width to scale.
    const ObjId upright = Polyline({{300, 0}, {300, 40}});
    Select({upright});
    NewAlerts();
    Type(kTransformW, "10");
    Press(kTransformButton);
    EXPECT_EQ(NewAlerts(), std::vector<std::string>{Message(78)});
    ExpectRect(Bounds(upright), {300, 40, 300, 0}, "upright line");
}

TEST_F(ActionsTest, TheTypedSizeIsWhatTheTransformAppliesWhateverTheFieldShows) {
    // Typed into W, left with Tab (the field shows it again rounded to a coarse precision),
    // then the button: the width typed, worked by hand in points.
    const struct {
        int16_t units, precision;
        const char* typed;
        double width;
    } kCases[] = {
        {kMeterUnits, 3, "200 pt", 200},                            // shown 0.071 m
        {kMeterUnits, 3, "0.0705 m", 0.0705 / 0.0254 * 72},         // 199.84, shown 0.071 m
        {kMillimeterUnits, 0, "70.55 mm", 70.55 / 25.4 * 72},       // 199.98, shown 71 mm
        {kCentimeterUnits, 0, "7.06", 7.06 / 2.54 * 72},            // 200.13, shown 7 cm
        {kPointUnits, 0, "200.4", 200.4},                           // shown 200
        {kPicaUnits, 0, "16p8.4", 200.4},                           // shown 16p8
        {kMilUnits, 0, "2800.4 mil", 2.8004 * 72},                  // shown 2800
        {kDecimalInchMarkUnits, 0, "2.8\"", 201.6},                 // shown 3"
        {kFractionalInchWordUnits, 1, "2 3/4 in", 198},             // shown 3 in
        {kFeetDecimalInchMarkUnits, 0, "0'-2.8\"", 201.6},          // shown 0'-3"
        {kFeetFractionalInchWordUnits, 0, "2 1/4 in", 162},         // shown 0 ft 2 in
        {kDecimalFeetMarkUnits, 1, "0.28'", 0.28 * 864},            // 241.92, shown 0.3'
        {kDecimalFeetWordUnits, 0, "0.2 ft", 172.8},                // shown 0 ft
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.typed);
        g->prefs.CADtrackerUnits = c.units;
        g->prefs.CADtrackerPrecision = c.precision;
        const ObjId plate = Rect(0, 0, 100, 50);
        Select({plate});
        Type(kTransformW, c.typed);
        Press(kTransformButton);
        const AIRealRect r = Bounds(plate);
        EXPECT_NEAR(r.right - r.left, c.width, 1e-3);
        session->hostEvent([&] { return doc->disposeArt(plate); });
    }
    // Projected art takes the typed size as its flat width.
    g->prefs.CADtrackerUnits = kMeterUnits;
    g->prefs.CADtrackerPrecision = 3;
    g->prefs.autoExpandAxoArt = 0;
    const ObjId face = Rect(100, 100, 60, 30);
    session->hostEvent([&] { return ProjectAxonometric(Art(face), kAxoLeftFace, &g->prefs.isoView); });
    Select({face});
    Type(kTransformW, "200 pt");
    Press(kTransformButton);
    depth_object_data data{};
    GetAxonometricData(Art(face), &data);
    EXPECT_NEAR(data.flatSize.h, 200, 1e-3);
}

TEST_F(ActionsTest, EveryFieldShownRoundedActsOnWhatWasTyped) {
    // Metres at 3 places show 200 pt as 0.071 m (201.26 pt) and 100 pt as 0.035 m (99.21 pt).
    g->prefs.CADtrackerUnits = kMeterUnits;
    g->prefs.CADtrackerPrecision = 3;
    const struct {
        const char* what;
        std::function<void(ActionsTest&)> act;
        AIRealRect want;  // the plate's bounds afterwards; it starts at (0, 50, 100, 0)
    } kCases[] = {
        {"X", [](ActionsTest& t) { t.Type(kTransformX, "200 pt"); t.Press(kTransformButton); }, {200, 50, 300, 0}},
        {"Y", [](ActionsTest& t) { t.Type(kTransformY, "200 pt"); t.Press(kTransformButton); },
         {0, -200, 100, -250}},
        {"H, and W kept in proportion",
         [](ActionsTest& t) {
             g->prefs.constrainProportions = 1;
             t.Type(kTransformH, "100 pt");
             sADMItem->Activate(t.Item(kTransformH), true);
             t.Press(kTransformButton);
             g->prefs.constrainProportions = 0;
         },
         {0, 50, 200, -50}},
        {"move X and Y",
         [](ActionsTest& t) { t.Type(kMoveX, "200 pt"); t.Type(kMoveY, "100 pt"); t.Press(kMoveButton); },
         {200, 150, 300, 100}},
        {"move distance at 90 degrees",
         [](ActionsTest& t) {
             sADMItem->SetFloatValue(t.Item(kMoveAngle), 90);
             t.Type(kMoveDistance, "200 pt");
             t.Press(kMoveButton);
         },
         {0, 250, 100, 200}},
        {"area", [](ActionsTest& t) { t.Type(kAreaField, "20000 pt"); t.Press(kAreaButton); }, {0, 50, 200, -50}},
    };
    for (const auto& c : kCases) {
        const ObjId plate = Rect(0, 0, 100, 50);
        Select({plate});
        c.act(*this);
        ExpectRect(Bounds(plate), c.want, c.what);
        session->hostEvent([&] { return doc->disposeArt(plate); });
    }
    // A column spacing: the copy lands 200 pt to the right.
    const ObjId plate = Rect(0, 0, 100, 50);
    Select({plate});
    Type(kColumnSpacing, "200 pt");
    Type(kColumns, "2");
    Press(kRepeatButton);
    std::vector<double> lefts;
    doc->walk([&](const standin::Art& a, int) {
        if (a.type == kPathArt) lefts.push_back(a.segments.front().p.h);
    });
    std::sort(lefts.begin(), lefts.end());
    ASSERT_EQ(lefts.size(), 2u);
    EXPECT_NEAR(lefts[1] - lefts[0], 200, 1e-3);
}

TEST_F(ActionsTest, EnterRunsTheTransformOnceAndNeverSwallowsALaterOne) {
    const ObjId plate = Rect(0, 0, 100, 50);
    Select({plate});
    Type(kTransformX, "20", kADMEnterKey);
    ExpectRect(Bounds(plate), {20, 50, 120, 0}, "Enter in X");
    Type(kTransformW, "200");
    Press(kTransformButton);
    ExpectRect(Bounds(plate), {20, 50, 220, 0}, "the button after Enter in X");
    // Alt+Enter in W: one copy, not two.
    Type(kTransformW, "100", kADMEnterKey, kADMModKeyModifier);
    EXPECT_EQ(Count(kPathArt), 2u);
    EXPECT_EQ(g->trackerTransformComplete, 0);
    session->ticks(10);  // the copy alone selected
    // Enter in a spacing or the area field acts on nothing; in a count it repeats.
    Type(kRowSpacing, "5", kADMEnterKey);
    Type(kAreaField, "50", kADMEnterKey);
    EXPECT_EQ(Count(kPathArt), 2u);
    Type(kColumns, "2", kADMEnterKey);
    EXPECT_EQ(Count(kPathArt), 3u);
}

TEST_F(ActionsTest, TheMoveOffsetFromXAndYOrFromDistanceAndAngle) {
    const ObjId plate = Rect(0, 0, 100, 50);
    Select({plate});
    Type(kMoveX, "10");
    Type(kMoveY, "0");
    EXPECT_EQ(Text(kMoveDistance), "10.00");
    EXPECT_EQ(sADMItem->GetFloatValue(Item(kMoveAngle)), 0);
    sADMItem->SetFloatValue(Item(kMoveAngle), 90);
    Type(kMoveDistance, "10");
    EXPECT_EQ(Text(kMoveX), "0.00");
    EXPECT_EQ(Text(kMoveY), "10.00");
    Press(kMoveButton);
    ExpectRect(Bounds(plate), {0, 60, 100, 10}, "up by 10");
    // A field that is no length keeps the offset.
    Type(kMoveX, "abc");
    EXPECT_EQ(Text(kMoveX), "abc");
    Press(kMoveButton);
    ExpectRect(Bounds(plate), {0, 70, 100, 20}, "up by 10 again");
    // A new angle with no distance gives no offset to move by.
    sADMItem->SetText(Item(kMoveDistance), "");
    Pick(kMoveAngle, 3);
    EXPECT_FALSE(Enabled(kMoveButton));
}

TEST_F(ActionsTest, TheAreaScalesAboutTheTopLeftCornerAndDeclinesWhatHasNoArea) {
    const ObjId plate = Rect(0, 0, 100, 50);
    Select({plate});
    Type(kAreaField, "20000");
    g->trackerModifiers = kTrackerCopy;  // left from an earlier press: the area makes no copy
    Press(kAreaButton);
    ExpectRect(Bounds(plate), {0, 50, 200, -50}, "four times the area");
    EXPECT_EQ(Count(kPathArt), 1u);
    NewAlerts();
    for (const char* typed : {"", "abc"}) {
        sADMItem->SetText(Item(kAreaField), typed);
        Press(kAreaButton);
    }
    Select({Polyline({{0, 0}, {30, 40}})});  // an open path has no area
    Type(kAreaField, "100");
    Press(kAreaButton);
    EXPECT_EQ(NewAlerts(), (std::vector<std::string>{Message(18), Message(18), Message(78)}));
}

}  // namespace
}  // namespace trackertest
