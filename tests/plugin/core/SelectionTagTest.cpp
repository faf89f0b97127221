// Keeping the selection across a redraw: the selected art is tagged, theTimer selects it
// again once, and art replaced meanwhile is not brought back.
#include <algorithm>

#include "CoreFixture.h"
#include "UserActions.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "panels/DocumentPanelItems.h"
#include "panels/IsometricPanelItems.h"
#include "panels/StylesPanelItems.h"
#include "suites/Suites.h"

namespace coretest {
namespace {

struct SelectionTagTest : CoreTest {
    void SetUp() override {
        CoreTest::SetUp();
        StartWithDocument();
        if (HasFatalFailure()) return;
        doc->addLayer("Drawing");
    }
    // A square of 10 at x on the baseline.
    standin::ObjId Square(AIReal x) { return Rect(x, 0, 10, 10); }
    standin::ObjId Group(std::initializer_list<standin::ObjId> members) {
        AIArtHandle group = nullptr;
        EXPECT_EQ(sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
        for (standin::ObjId m : members) EXPECT_EQ(sAIArt->ReorderArt(Art(m), kPlaceInsideOnBottom, group), kNoErr);
        return standin::fromHandle(group);
    }
    static AIArtHandle Art(standin::ObjId id) { return standin::suites::artHandle(id); }
    bool Selected(standin::ObjId id) { return doc->readsSelected(id); }
    bool Tagged(standin::ObjId id) { return readback::Tagged(*doc, id, kObjectWasSelectedTag); }
    void Select(std::initializer_list<standin::ObjId> ids) {
        for (standin::ObjId id : ids) ASSERT_EQ(doc->select(id), kNoErr);
    }
};

TEST_F(SelectionTagTest, TheSelectionComesBackOnceAfterTheRedrawWithoutWhatWasReplaced) {
    const standin::ObjId loose = Square(0), picked = Square(20);
    const standin::ObjId inner = Square(40), other = Square(60);
    const standin::ObjId part = Group({inner, other});   // only one member selected
    const standin::ObjId redrawn = Group({Square(80)});  // selected whole, then replaced
    doc->addLayer("ROVidazu Layer");
    const standin::ObjId gridLine = Square(0);
    g->gridsLayer = standin::suites::layerHandle(doc->layerByTitle("ROVidazu Layer"));
    ASSERT_EQ(doc->setCurrentLayer("Drawing"), kNoErr);
    Select({picked, inner, redrawn, gridLine});
    (void)loose;

    ASSERT_EQ(TagSelectedArt(), kNoErr);
    EXPECT_TRUE(Tagged(picked));
    EXPECT_TRUE(Tagged(inner));
    EXPECT_TRUE(Tagged(redrawn));
    EXPECT_FALSE(Tagged(part));      // selecting it again would select all of it
    EXPECT_FALSE(Tagged(gridLine));  // drawn again anyway
    EXPECT_FALSE(Tagged(doc->layerByTitle("Drawing")));

    // The redraw: the selection is cleared, one group is replaced, the user's layer changes.
    ASSERT_EQ(deselectAllArt(), kNoErr);
    ASSERT_EQ(sAIArt->DisposeArt(Art(redrawn)), kNoErr);
    const standin::ObjId replacement = Group({Square(80)});
    ASSERT_EQ(doc->setCurrentLayer("ROVidazu Layer"), kNoErr);
    // A second tagging while the first waits adds nothing.
    Select({loose});
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    EXPECT_FALSE(Tagged(loose));

    session->ticks(9);
    EXPECT_TRUE(Tagged(picked));  // not due yet
    session->ticks(1);
    EXPECT_TRUE(Selected(picked));
    EXPECT_TRUE(Selected(inner));
    EXPECT_FALSE(Selected(other));
    EXPECT_FALSE(Selected(loose));
    EXPECT_FALSE(Selected(replacement));
    EXPECT_FALSE(Selected(gridLine));
    for (standin::ObjId id : {picked, inner}) EXPECT_FALSE(Tagged(id));
    EXPECT_EQ(doc->currentLayer(), doc->layerByTitle("Drawing"));

    // Once only; afterwards tagging works again.
    ASSERT_EQ(deselectAllArt(), kNoErr);
    session->ticks(60);
    EXPECT_FALSE(Selected(picked));
    Select({loose});
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    EXPECT_TRUE(Tagged(loose));
    session->ticks(10);
    EXPECT_TRUE(Selected(loose));
    EXPECT_FALSE(Tagged(loose));
    EXPECT_EQ(host.counters().mdHandles, 0);
}

// A panel item whose redraw keeps the selection: tagged, then cleared while art is drawn.
void RedrawKeepingTheSelection(ADMItemRef, ADMNotifierRef) {
    if (TagSelectedArt() == kNoErr) (void)deselectAllArt();
}

// What the selection's followers (the tracker) last read of one art.
AIArtHandle gFollowed = nullptr;
bool gFollowedSelected = false;
AIErr FollowSelection() {
    uint32_t attr = 0;
    gFollowedSelected = gFollowed && sAIArt->GetArtUserAttr(gFollowed, kArtSelected, &attr) == kNoErr && attr;
    return kNoErr;
}

// The user's selection made while the restore waits wins, whatever comes next; untouched,
// the selection comes back.
TEST_F(SelectionTagTest, TheUsersSelectionMadeWhileTheRestoreWaitsWins) {
    enum Next { kWait, kPanelItem, kMenuCommand };
    const struct {
        bool userSelects;
        Next next;
    } rows[] = {{false, kWait}, {true, kWait}, {true, kPanelItem}, {true, kMenuCommand}, {false, kMenuCommand}};
    testSubsystem.hooks.selectionChanged = &FollowSelection;
    auto userSelects = [&](standin::ObjId id) {
        return session->hostEvent([&] { return doc->selectNone(), doc->select(id); });
    };
    auto panelItem = [&] {
        return session->hostEvent([] { return Guarded<&RedrawKeepingTheSelection>(nullptr, nullptr), kNoErr; });
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "user selects " << row.userSelects << ", next " << row.next);
        const standin::ObjId first = Square(0), other = Square(20);
        ASSERT_EQ(userSelects(first), kNoErr);
        ASSERT_EQ(panelItem(), kNoErr);
        gFollowed = Art(other), gFollowedSelected = false;
        ASSERT_EQ(row.userSelects ? userSelects(other) : kNoErr, kNoErr);
        EXPECT_EQ(gFollowedSelected, row.userSelects);  // read at once, not after the restore
        const AIErr next = row.next == kPanelItem ? panelItem()
                           : row.next == kMenuCommand ? session->menu("Update Dimensions") : kNoErr;
        ASSERT_EQ(next, kNoErr);
        session->ticks(10);
        EXPECT_EQ(Selected(first), !row.userSelects);
        EXPECT_EQ(Selected(other), row.userSelects);
        EXPECT_EQ(Tagged(first), row.next == kWait && row.userSelects);  // dropped by the next command
    }
}

// A refused gesture takes back only its own changes: a restore of the selection still waiting
// at its press (after a scale pick, an update, a view pick, a switch of scale style) is done
// there and stays done, its tags gone (else saved, and their art selected again by the next
// restore); so too when the user's own selection won meanwhile. The refusal leaves no step of
// undo and nothing else of the gesture, with or without a restore waiting.
TEST_F(SelectionTagTest, ARefusedGestureKeepsTheRestoreDoneAtItsPress) {
    enum Start { kNothing, kScalePick, kUpdate, kViewPick, kStyleSwitch };
    enum Refusal { kPressRefused, kDialogCancelled };
    const struct {
        Start start;
        Refusal refusal;
        bool userDeselects = false;
        int32_t ticks = 0;  // before the press
    } rows[] = {
        {kScalePick, kPressRefused},   {kScalePick, kDialogCancelled},
        {kUpdate, kPressRefused},      {kUpdate, kDialogCancelled},
        {kViewPick, kPressRefused},    {kViewPick, kDialogCancelled},
        {kStyleSwitch, kPressRefused}, {kStyleSwitch, kDialogCancelled},
        {kScalePick, kPressRefused, true}, {kScalePick, kDialogCancelled, true},  // the user deselected all
        {kScalePick, kPressRefused, false, 10},  // the timer did the restore first
        {kNothing, kPressRefused},     {kNothing, kDialogCancelled},
    };
    ADMDialogRef document = session->dialogs().findDialog("CADdocument");
    ADMDialogRef views = session->dialogs().findDialog("CADisometric");
    ADMDialogRef styles = session->dialogs().findDialog("CADattributes");
    auto user = [&](ADMDialogRef panel, const standin::UserAction& a) {
        return session->hostEvent([&] { return session->dialogs().userAction(panel, a); });
    };
    auto arts = [&] { return doc->matching([](const standin::Art&) { return true; }).size(); };
    int32_t picks = 0;
    for (const auto& row : rows) {
        SCOPED_TRACE(testing::Message() << "start " << row.start << ", refusal " << row.refusal << ", user deselects "
                                        << row.userDeselects << ", ticks " << row.ticks);
        const standin::ObjId picked = Square(20 * picks);
        ASSERT_EQ(session->hostEvent([&] { return doc->selectNone(), doc->select(picked); }), kNoErr);
        const int32_t other = picks++ % 2;  // never what the last pick chose
        switch (row.start) {
            case kNothing: break;
            case kScalePick: ASSERT_EQ(user(document, useraction::Picked(kScalePopup, 24 + other)), kNoErr); break;
            case kUpdate: ASSERT_EQ(user(styles, useraction::Pressed(kUpdateLinksButton)), kNoErr); break;
            case kViewPick: ASSERT_EQ(user(views, useraction::Picked(kViewsPopup, 6 + other)), kNoErr); break;
            case kStyleSwitch: {
                const bool layerBased = session->dialogs().view(document, kLayerScaleRadio)->value != 0;
                ASSERT_EQ(user(document, useraction::Pressed(layerBased ? kDocumentScaleRadio : kLayerScaleRadio)),
                          kNoErr);
            }
        }
        ASSERT_EQ(Tagged(picked), row.start != kNothing);
        if (row.userDeselects) {
            ASSERT_EQ(session->hostEvent([&] { return doc->selectNone(), kNoErr; }), kNoErr);
        }
        session->ticks(row.ticks);
        const size_t steps = doc->journal().undoDepth(), before = arts();
        if (row.refusal == kPressRefused) {
            ASSERT_EQ(session->selectTool("Door Insertion"), kNoErr);
            const AIErr press = session->mouseDown({500, 500}), release = session->mouseUp({500, 500});
            EXPECT_TRUE(press != kNoErr || release != kNoErr);
        } else {
            ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
            session->dialogs().queueModalAnswer({"CADEllipse", {useraction::Pressed(2)}});
            ASSERT_EQ(session->click({500, 500}), kNoErr);
            EXPECT_EQ(session->dialogs().modalAnswers().size(), 0u);
        }
        EXPECT_FALSE(Tagged(picked));
        EXPECT_EQ(Selected(picked), !row.userDeselects);
        EXPECT_EQ(doc->journal().undoDepth(), steps);
        EXPECT_EQ(arts(), before);
    }
}
// Tags an undo brings back from a restore the user's selection overruled are not the
// selection of a later restore: they go, and their art stays as the user left it.
TEST_F(SelectionTagTest, ATagAnUndoBringsBackIsNotSelectedAgain) {
    ADMDialogRef document = session->dialogs().findDialog("CADdocument");
    auto pick = [&](int32_t entry) {
        return session->hostEvent(
            [&] { return session->dialogs().userAction(document, useraction::Picked(kScalePopup, entry)); });
    };
    const standin::ObjId first = Square(0), other = Square(20);
    ASSERT_EQ(session->hostEvent([&] { return doc->selectNone(), doc->select(first); }), kNoErr);
    ASSERT_EQ(pick(24), kNoErr);
    ASSERT_EQ(session->hostEvent([&] { return doc->selectNone(), kNoErr; }), kNoErr);
    ASSERT_EQ(pick(25), kNoErr);  // drops the overruled restore's tags in its step
    session->ticks(10);
    ASSERT_TRUE(session->userUndo());
    ASSERT_TRUE(Tagged(first));
    ASSERT_EQ(session->hostEvent([&] { return doc->selectNone(), doc->select(other); }), kNoErr);
    ASSERT_EQ(pick(26), kNoErr);
    session->ticks(10);
    EXPECT_TRUE(Selected(other));
    EXPECT_FALSE(Selected(first));
    EXPECT_FALSE(Tagged(first));
}


TEST_F(SelectionTagTest, WithoutADocumentNothingIsTaggedOrStarted) {
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    ASSERT_EQ(g->selectionTagged, 0);
    ASSERT_EQ(g->selectionRestoreLayer, nullptr);
    ASSERT_EQ(host.documentCount(), 0u);
}

}  // namespace
}  // namespace coretest
