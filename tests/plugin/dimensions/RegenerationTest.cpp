// Regeneration of live dimensions with stand-in routines: every dimension is redrawn from
// its own clicks and offset in its old group's place; what cannot be redrawn (static,
// hidden, unknown kind, clicks that cannot be found, a failing routine) is kept as it was
// and counted; clicks are re-located on art as it is now; the caller's style, tool, layer,
// scale and flags come back; only the selected dimensions are touched when asked.
#include <cmath>
#include <functional>

#include "IText.h"
#include "LiveDimensionFixture.h"
#include "axonometric/AxonometricData.h"
#include "core/PlotwiseSelection.h"
#include "dimensions/DrawnAlike.h"

namespace livetest {
namespace {

using RegenerationTest = LiveDimensionFixture;

constexpr float kTol = 1e-3f;

TEST_F(RegenerationTest, EachDimensionFromItsOwnClicksAndOffsetInItsOldPlace) {
    AIArtHandle path = Path({{0, 0}, {100, 0}, {100, 50}});
    AIArtHandle below = Dimension(5);
    AIArtHandle above = Dimension(7);
    Anchor(path, 5, 1, kIncline, 0);
    Anchor(path, 5, 2, kIncline, 1);
    Drag(path, 5, kIncline, 20, 3.1415927f / 2);
    // Dimension 7 has no drag record: its drag point is its first click, whatever came
    // before it.
    Anchor(path, 7, 1, kIncline, 2);
    Anchor(path, 7, 2, kIncline, 1);

    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    EXPECT_EQ(g->dimensionsRedrawn, 2);
    EXPECT_EQ(g->dimensionsKept, 0);
    ASSERT_EQ(gSeen.size(), 2u);
    for (const Seen& s : gSeen) {
        EXPECT_EQ(s.updating, 1);
        EXPECT_EQ(s.live, 1);
        EXPECT_EQ(s.kind, kIncline);
        EXPECT_EQ(s.updateArt, path);
        if (s.id == 5) {
            EXPECT_NEAR(s.endPoint.h, 0, kTol);
            EXPECT_NEAR(s.endPoint.v, 20, kTol);
            ASSERT_EQ(s.chain.size(), 2u);
            EXPECT_NEAR(s.chain[1].h, 100, kTol);
        } else {
            EXPECT_EQ(s.id, 7);
            EXPECT_NEAR(s.endPoint.h, 100, kTol);
            EXPECT_NEAR(s.endPoint.v, 50, kTol);
        }
    }
    // New groups in the old ones' places: the order of the layer is kept.
    EXPECT_FALSE(Valid(below));
    EXPECT_FALSE(Valid(above));
    const auto groups = LiveGroups();
    ASSERT_EQ(groups.size(), 2u);
    EXPECT_EQ(GetDimensionID(groups[0]), 7);
    EXPECT_EQ(GetDimensionID(groups[1]), 5);
    // The working lists stay until they are built again; every click was used.
    size_t clicks = 0;
    for (auto* c = g->firstDimensionedObjectDataPtr; c; c = c->next) clicks += c->used ? 1 : 0;
    EXPECT_EQ(clicks, 5u);
    EXPECT_EQ(g->firstChainDimDataPtr, nullptr);
}

// A redraw stands down for the drawing in place only when it draws the same: a copy of a
// dimension's group (its line, and a text "12.5" on top) with one thing changed, against
// the group. Places a ten-thousandth of a point apart are the same place; art of the
// user's in either group is passed over.
TEST_F(RegenerationTest, ARedrawIsTheDrawingInPlaceOnlyWhenItDrawsTheSame) {
    AIArtHandle drawn = Dimension(1);
    AIArtHandle text = nullptr;
    ASSERT_EQ(sAITextFrame->NewPointText(kPlaceInsideOnTop, drawn, kHorizontalTextOrientation, {5, 5}, &text), kNoErr);
    ATE::TextRangeRef ref = nullptr;
    ASSERT_EQ(sAITextFrame->GetATETextRange(text, &ref), kNoErr);
    ATE::ITextRange(ref).InsertAfter("12.5");
    const auto line = [](AIArtHandle group) { return ArtMembers(group).at(1); };
    const auto nudge = [&](AIArtHandle group, AIReal by) {
        const AIPathSegment end{{10, by}, {10, by}, {10, by}, true};
        EXPECT_EQ(sAIPath->SetPathSegments(line(group), 1, 1, &end), kNoErr);
    };
    const auto firstCharacter = [](AIArtHandle group) {
        ATE::TextRangeRef r = nullptr;
        EXPECT_EQ(sAITextFrame->GetATETextRange(ArtMembers(group).at(0), &r), kNoErr);
        ATE::ITextRange range(r);
        range.SetEnd(1);
        return range;
    };
    const struct {
        const char* what;
        std::function<void(AIArtHandle)> change;
        bool alike;
    } rows[] = {
        {"nothing", [](AIArtHandle) {}, true},
        {"an end a ten-thousandth of a point off", [&](AIArtHandle c) { nudge(c, 1e-4f); }, true},
        {"an end a hundredth of a point off", [&](AIArtHandle c) { nudge(c, 1e-2f); }, false},
        {"a heavier line", [&](AIArtHandle c) {
             AIPathStyle style{};
             EXPECT_EQ(sAIPathStyle->GetPathStyle(line(c), &style), kNoErr);
             style.stroke.width += 0.5f;
             EXPECT_EQ(sAIPathStyle->SetPathStyle(line(c), &style), kNoErr);
         }, false},
        {"a first character of another size", [&](AIArtHandle c) {
             ATE::ICharFeatures size;
             size.SetFontSize(20);
             firstCharacter(c).SetLocalCharFeatures(size);
         }, false},
        {"another text", [&](AIArtHandle c) { firstCharacter(c).InsertAfter("1"); }, false},
        {"another record", [&](AIArtHandle c) {
             Plotwise3_Live_Dimension_Data style = g->prefs.style;
             style.id = 2;
             EXPECT_EQ(SetDimensionData(c, &style), kNoErr);
         }, false},
        {"the line hidden", [&](AIArtHandle c) { EXPECT_EQ(sAIArt->SetArtUserAttr(line(c), kArtHidden, kArtHidden), kNoErr); },
         false},
        {"a part more", [&](AIArtHandle c) { NewArt(kPathArt, c); }, false},
        {"art of the user's more", [&](AIArtHandle c) {
             AIArtHandle measured = Path({{0, 0}, {1, 1}});
             Anchor(measured, 1, 1, kIncline, 0);
             EXPECT_EQ(sAIArt->ReorderArt(measured, kPlaceInsideOnTop, c), kNoErr);
         }, true},
    };
    for (const auto& row : rows) {
        AIArtHandle copy = nullptr;
        ASSERT_EQ(sAIArt->DuplicateArt(drawn, kPlaceAbove, drawn, &copy), kNoErr);
        row.change(copy);
        EXPECT_EQ(DrawnAlike(drawn, copy, +[](AIArtHandle art) { return IsDimensionedObject(art) != 0; }), row.alike)
            << row.what;
        ASSERT_EQ(sAIArt->DisposeArt(copy), kNoErr);
    }
}

TEST_F(RegenerationTest, WhatCannotBeRedrawnIsKeptAndCounted) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    g->prefs.style.live = 0;
    AIArtHandle fixed = Dimension(1);  // static
    g->prefs.style.live = 1;
    AIArtHandle hidden = Dimension(2);
    ASSERT_EQ(sAIArt->SetArtUserAttr(hidden, kArtHidden, kArtHidden), kNoErr);
    AIArtHandle noRoutine = Dimension(3);     // its kind draws nothing
    AIArtHandle noClicks = Dimension(4);      // its measured art is gone
    AIArtHandle badSegment = Dimension(6);    // a click the art no longer has
    AIArtHandle fine = Dimension(8);
    for (int32_t id : {1, 2}) Anchor(path, id, 1, kIncline, 0), Anchor(path, id, 2, kIncline, 1);
    Anchor(path, 3, 1, kInclineDatum, 0);
    Anchor(path, 3, 2, kInclineDatum, 1);
    Anchor(path, 6, 1, kIncline, 0);
    Anchor(path, 6, 2, kIncline, 9);
    Anchor(path, 8, 1, kIncline, 0);
    Anchor(path, 8, 2, kIncline, 1);

    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    for (AIArtHandle kept : {fixed, hidden, noRoutine, noClicks, badSegment}) EXPECT_TRUE(Valid(kept));
    EXPECT_FALSE(Valid(fine));
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_EQ(g->dimensionsKept, 4);  // the hidden one is not asked for at all
    EXPECT_EQ(LiveGroups().size(), 6u);
}

// Memory that runs out while a style record is read is no damaged record: the update stops
// with it, nothing redrawn, and no dimension is called unreadable.
TEST_F(RegenerationTest, MemoryThatRunsOutStopsTheUpdateAndIsNoDamage) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    AIArtHandle dimension = Dimension(1);
    Anchor(path, 1, 1, kIncline, 0);
    Anchor(path, 1, 2, kIncline, 1);
    AIDictionarySuite* real = sAIDictionary;
    AIDictionarySuite failing = *real;
    failing.GetStringEntry = [](AIDictionaryRef, AIDictKey, const char**) -> AIErr { return kOutOfMemoryErr; };
    sAIDictionary = &failing;
    const AIErr err = UpdateAssociativeDimensions(kProcessAllArt);
    sAIDictionary = real;
    EXPECT_EQ(err, kOutOfMemoryErr);
    EXPECT_TRUE(Valid(dimension));
    EXPECT_TRUE(g->notesForUser.empty());
}

// Also when the routine fails after its new group already carries the dimension's record:
// a live-looking group is no sign of a finished redraw.
TEST_F(RegenerationTest, AFailingRoutineKeepsTheOldGroupAndLeavesNothingBehind) {
    for (const bool late : {false, true}) {
        SCOPED_TRACE(late ? "failing after the record" : "failing before the record");
        AIArtHandle path = Path({{0, 0}, {100, 0}});
        AIArtHandle failing = Dimension(1);
        Anchor(path, 1, 1, kIncline, 0);
        Anchor(path, 1, 2, kIncline, 1);
        const size_t before = ArtCount();
        gFailWith = 'TEST';
        gFailLate = late;
        ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
        EXPECT_TRUE(Valid(failing));
        EXPECT_EQ(ArtCount(), before);  // the half-drawn group went again
        EXPECT_EQ(g->dimensionsKept, 1);
        ASSERT_EQ(sAIArt->DisposeArt(failing), kNoErr);
        ASSERT_EQ(sAIArt->DisposeArt(path), kNoErr);
    }
}

// Two groups of one id (a copy that kept its source's number): its clicks make one
// dimension, drawn once; the other group is kept as it was, not drawn over the first.
TEST_F(RegenerationTest, TwoGroupsSharingOneIdRedrawOneAndKeepTheOther) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    const AIArtHandle first = Dimension(4), second = Dimension(4);
    Anchor(path, 4, 1, kIncline, 0);
    Anchor(path, 4, 2, kIncline, 1);
    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    EXPECT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    EXPECT_EQ(g->dimensionsKept, 1);
    EXPECT_NE(Valid(first), Valid(second));
    EXPECT_EQ(LiveGroups().size(), 2u);
}

TEST_F(RegenerationTest, HiddenMeasuredArtStillLeadsItsDimension) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    AIArtHandle dimension = Dimension(1);
    Anchor(path, 1, 1, kIncline, 0);
    Anchor(path, 1, 2, kIncline, 1);
    ASSERT_EQ(sAIArt->SetArtUserAttr(path, kArtHidden, kArtHidden), kNoErr);
    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    EXPECT_FALSE(Valid(dimension));
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_NEAR(gSeen[0].chain[1].h, 100, kTol);
}

TEST_F(RegenerationTest, TheCallersStateComesBack) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    g->prefs.style.arrowheadLength = 20;  // stored with the dimension
    Dimension(1);
    Anchor(path, 1, 1, kArcLen, 0);
    Anchor(path, 1, 2, kArcLen, 1);
    g->prefs.style.arrowheadLength = 9;
    const Plotwise3_Live_Dimension_Data style = g->prefs.style;
    AIToolHandle tool = reinterpret_cast<AIToolHandle>(uintptr_t{0x5151});
    g->curTool = tool;
    g->prefs.createLiveDimensions = 0;
    g->labelToolSelected = 1;
    g->prefs.scale = 25;
    g->prefs.scaler = 50;
    CopyCString(g->prefs.scaleStr, "1:50");
    AILayerHandle layer = g->saveLayer;
    g->firstClick = {7, 7};

    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].tool, gStandInTool);  // the kind's tool, for its routine
    EXPECT_EQ(gSeen[0].arrowheadLength, 20);  // the stored style
    EXPECT_EQ(gSeen[0].labelTool, 0);
    EXPECT_EQ(gSeen[0].live, 1);
    EXPECT_EQ(LiveGroups().size(), 1u);  // made live although the user's setting is off
    EXPECT_EQ(g->curTool, tool);
    EXPECT_EQ(std::memcmp(&g->prefs.style, &style, sizeof style), 0);
    EXPECT_EQ(g->prefs.createLiveDimensions, 0);
    EXPECT_EQ(g->labelToolSelected, 1);
    EXPECT_EQ(g->updatingDimensions, 0);
    EXPECT_EQ(g->prefs.scale, 25);
    EXPECT_EQ(g->prefs.scaler, 50);
    EXPECT_STREQ(g->prefs.scaleStr, "1:50");
    EXPECT_EQ(g->saveLayer, layer);
    EXPECT_EQ(g->firstClick.h, 7);
}

TEST_F(RegenerationTest, OnlyTheSelectedDimensionsWhenAsked) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    AIArtHandle kept = Dimension(1);
    AIArtHandle picked = Dimension(2);
    for (int32_t id : {1, 2}) Anchor(path, id, 1, kIncline, 0), Anchor(path, id, 2, kIncline, 1);
    ASSERT_EQ(sAIArt->SetArtUserAttr(picked, kArtSelected, kArtSelected), kNoErr);
    ASSERT_EQ(UpdateAssociativeDimensions(kProcessSelectedArt), kNoErr);
    EXPECT_TRUE(Valid(kept));
    EXPECT_FALSE(Valid(picked));
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].id, 2);
}

TEST_F(RegenerationTest, ClicksAreFoundOnTheirArtAsItIsNow) {
    // Segment -1 is the path's last anchor, also once anchors were added: the start of the
    // piece that ends at anchor 0, as a click on that piece stores it.
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    Dimension(1);
    Anchor(path, 1, 1, kIncline, 0);
    Plotwise3_dimensioned_object_data fromLast = Click(1, 2, kIncline, kLiveDimClickedPath, -1, 100, 0);
    fromLast.segNumAfter = 0;
    Store(path, fromLast);
    const AIPathSegment added{{160, 40}, {160, 40}, {160, 40}, true};
    ASSERT_EQ(sAIPath->InsertPathSegments(path, 2, 1, &added), kNoErr);
    // A click on a curve at t = 0.25 of the piece from anchor 0 to 1.
    AIArtHandle curve = Path({{0, 100}, {80, 100}});
    Dimension(2);
    Plotwise3_dimensioned_object_data onCurve = Click(2, 1, kIncline, kLiveDimClickedPath);
    onCurve.segNumBefore = 0;
    onCurve.segNumAfter = 1;
    onCurve.t = 0.25f;
    Store(curve, onCurve);
    Anchor(curve, 2, 2, kIncline, 1);
    // A click in a fill keeps its place in the bounds when the art is scaled.
    AIArtHandle box = Path({{200, 0}, {300, 0}, {300, 100}, {200, 100}}, true);
    Dimension(3);
    Store(box, Click(3, 1, kIncline, kLiveDimClickedFill, 0, 0.25f, -0.5f));
    Anchor(box, 3, 2, kIncline, 0);
    const AIRealMatrix twice{2, 0, 0, 2, -200, 0};
    ASSERT_EQ(sAITransformArt->TransformArt(box, &twice, 1, 0x41), kNoErr);
    // A radius is measured from the middle of its art's bounds, whatever its click says.
    AIArtHandle circle = Path({{400, 0}, {440, 0}, {440, 60}, {400, 60}}, true);
    Dimension(4);
    Anchor(circle, 4, 1, kRadius, 0);
    Drag(circle, 4, kRadius, 10, 0);
    // A click on a curve drawn at a point a rounding (0.0004) from its point at t: on art
    // that has not moved, the drawn point stands.
    AIArtHandle still = Path({{0, 300}, {80, 300}});
    Dimension(5);
    Plotwise3_dimensioned_object_data drawnOn = Click(5, 1, kIncline, kLiveDimClickedPath, 0, 12.5004f, 300);
    drawnOn.segNumAfter = 1;
    drawnOn.t = 0.25f;
    Store(still, drawnOn);
    Anchor(still, 5, 2, kIncline, 1);

    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    ASSERT_EQ(gSeen.size(), 5u);
    for (const Seen& s : gSeen) {
        switch (s.id) {
            case 1:
                EXPECT_NEAR(s.secondClick.h, 160, kTol);
                EXPECT_NEAR(s.secondClick.v, 40, kTol);
                break;
            case 2:  // handles on their anchors: 80 (3t²(1-t) + t³)
                EXPECT_NEAR(s.firstClick.h, 12.5f, kTol);
                EXPECT_NEAR(s.firstClick.v, 100, kTol);
                break;
            case 3:  // the box now spans 200-400 by 0-200
                EXPECT_NEAR(s.firstClick.h, 250, kTol);
                EXPECT_NEAR(s.firstClick.v, 100, kTol);
                break;
            case 4:
                EXPECT_NEAR(s.firstClick.h, 420, kTol);
                EXPECT_NEAR(s.firstClick.v, 30, kTol);
                EXPECT_NEAR(s.endPoint.h, 430, kTol);
                break;
            case 5:
                EXPECT_EQ(s.firstClick.h, 12.5004f);
                EXPECT_EQ(s.firstClick.v, 300);
                break;
            default: ADD_FAILURE() << s.id;
        }
    }
}

TEST_F(RegenerationTest, OnAxonometricArtTheDragMarkersFollowTheView) {
    AIArtHandle face = Path({{0, 0}, {100, 0}});
    depth_object_data record;
    InitializeAxonometricData(&record);
    record.face = 0x80;
    ASSERT_EQ(SetAxonometricData(face, &record), kNoErr);
    g->prefs.isoView.a = 0.5f;
    g->prefs.isoView.b = 2.5f;
    for (int32_t id : {1, 2}) {
        Dimension(id);
        Anchor(face, id, 1, kIncline, 0);
        Drag(face, id, kIncline, 10, id == 1 ? 100.0f : -100.0f);
    }
    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    ASSERT_EQ(gSeen.size(), 2u);
    for (const Seen& s : gSeen) {
        const double angle = s.id == 1 ? 0.5 : 2.5 - 3.1415927;
        EXPECT_NEAR(s.endPoint.h, 10 * std::cos(angle), 1e-4) << s.id;
        EXPECT_NEAR(s.endPoint.v, 10 * std::sin(angle), 1e-4) << s.id;
    }
}

TEST_F(RegenerationTest, ARedrawnDimensionKeepsItsSelectionToCome) {
    AIArtHandle path = Path({{0, 0}, {100, 0}});
    AIArtHandle dimension = Dimension(1);
    Anchor(path, 1, 1, kIncline, 0);
    Anchor(path, 1, 2, kIncline, 1);
    ASSERT_EQ(sAITag->SetTag(dimension, kObjectWasSelectedTag, kTagString, ""), kNoErr);
    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    const auto groups = LiveGroups();
    ASSERT_EQ(groups.size(), 1u);
    const char* type = nullptr;
    EXPECT_EQ(sAITag->GetTagType(groups[0], kObjectWasSelectedTag, &type), kNoErr);
}

TEST_F(RegenerationTest, NodesTakeTheirTextsByTheStoredFormats) {
    AIArtHandle path = Path({{0, 0}, {100, 0}, {200, 0}});
    g->prefs.style.dimensionFormat = 1;  // lettered dimensions
    AIArtHandle group = Dimension(1);
    Anchor(path, 1, 1, kIncline, 0);
    Anchor(path, 1, 2, kIncline, 1);
    Anchor(path, 1, 3, kIncline, 2);
    // Two texts: a lettered one without its letter yet, and a custom one.
    auto text = [&](int32_t id, int32_t format, int32_t alpha, const char* custom) {
        AIArtHandle t = nullptr;
        ASSERT_EQ(sAITextFrame->NewPointText(kPlaceInsideOnTop, group, kHorizontalTextOrientation, {0, 0}, &t), kNoErr);
        live_dimension_text_data r{};
        r.id = id;
        r.dimensionFormat = format;
        r.alpha = alpha;
        r.numeric = -1;
        CopyCString(r.customStr, custom);
        CopyCString(r.dimStr, format == 3 ? custom : "old");
        ASSERT_EQ(SetDimensionTextData(t, &r), kNoErr);
    };
    text(1, 3, -1, "Slot");
    text(0, 1, -1, "Custom");
    g->prefs.incrementalDimAlpha = 4;
    ASSERT_EQ(UpdateAssociativeDimensions(kProcessAllArt), kNoErr);
    ASSERT_EQ(gSeen.size(), 1u);
    EXPECT_EQ(gSeen[0].texts, (std::vector<std::string>{"E", "Slot", ""}));
    EXPECT_EQ(g->prefs.incrementalDimAlpha, 5);
}

}  // namespace
}  // namespace livetest
