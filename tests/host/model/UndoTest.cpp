// The undo journal: a drag's changes (new, edited and disposed art, dictionaries, tags,
// attributes, layers) reverted wholly by the next drag's UndoChanges; gestures undone
// and redone by the user as one step; handles of art that undo removes go stale; a message
// carrying on an earlier one's work joins that one's step while it is the latest.
#include <functional>

#include "HostFixture.h"

namespace {

using standin::MessageKind;

class UndoTest : public HostTest {
protected:
    AIArtHandle editMe, deleteMe, withDict;

    void SetUp() override {
        HostTest::SetUp();
        editMe = path({{0, 0}, {100, 0}});
        deleteMe = path({{0, 50}, {100, 50}});
        withDict = path({{0, 100}, {100, 100}});
        AIDictionaryRef d = nullptr;
        sArt->GetDictionary(withDict, &d);
        sDict->SetIntegerEntry(d, sDict->Key("kept"), 1);
        sDict->Release(d);
        doc->journal().commit();
    }

    int32_t readInt(AIArtHandle art, const char* key) {
        AIDictionaryRef d = nullptr;
        sArt->GetDictionary(art, &d);
        int32_t v = -1;
        sDict->GetIntegerEntry(d, sDict->Key(key), &v);
        sDict->Release(d);
        return v;
    }

    AIReal firstX(AIArtHandle art) {
        AIPathSegment s{};
        sPath->GetPathSegments(art, 0, 1, &s);
        return s.p.h;
    }

    // One drag: undo the previous drag, then create a group with a path, edit, delete,
    // write a dictionary, tag and select.
    AIArtHandle drag(AIReal x, AIArtHandle* made = nullptr) {
        host.beginMessage(MessageKind::MouseDrag);
        EXPECT_EQ(sUndo->UndoChanges(), kNoErr);
        AIArtHandle group = nullptr;
        EXPECT_EQ(sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
        AIArtHandle line = nullptr;
        EXPECT_EQ(sArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &line), kNoErr);
        AIPathSegment s{{x, 0}, {x, 0}, {x, 0}, true};
        sPath->SetPathSegments(editMe, 0, 1, &s);
        if (sArt->ValidArt(deleteMe, false)) {
            EXPECT_EQ(sArt->DisposeArt(deleteMe), kNoErr);
        }
        AIDictionaryRef d = nullptr;
        sArt->GetDictionary(withDict, &d);
        sDict->SetIntegerEntry(d, sDict->Key("kept"), static_cast<int32_t>(x));
        sDict->SetIntegerEntry(d, sDict->Key("added"), 1);
        sDict->Release(d);
        sTag->SetTag(withDict, "ZMK_Primitive_Selected_Drag", kTagString, "");
        sArt->SetArtUserAttr(editMe, kArtSelected, kArtSelected);
        host.endMessage();
        if (made) *made = line;
        return group;
    }

    void expectOriginal() {
        EXPECT_EQ(firstX(editMe), 0.0f);
        EXPECT_TRUE(sArt->ValidArt(deleteMe, false));
        EXPECT_EQ(readInt(withDict, "kept"), 1);
        AIDictionaryRef d = nullptr;
        sArt->GetDictionary(withDict, &d);
        EXPECT_FALSE(sDict->IsKnown(d, sDict->Key("added")));
        sDict->Release(d);
        const char* type = nullptr;
        EXPECT_EQ(sTag->GetTagType(withDict, "ZMK_Primitive_Selected_Drag", &type), kNoSuchKey);
        uint32_t attr = 0;
        sArt->GetArtUserAttr(editMe, kArtSelected, &attr);
        EXPECT_EQ(attr, 0u);
    }
};

TEST_F(UndoTest, NextDragRevertsThePreviousDragWholly) {
    host.beginMessage(MessageKind::MouseDown);
    host.endMessage();
    AIArtHandle line1 = nullptr;
    AIArtHandle g1 = drag(10, &line1);
    EXPECT_EQ(firstX(editMe), 10.0f);
    EXPECT_FALSE(sArt->ValidArt(deleteMe, false));

    // The second drag's UndoChanges brings back exactly the state after mouse down.
    host.beginMessage(MessageKind::MouseDrag);
    EXPECT_EQ(sUndo->UndoChanges(), kNoErr);
    expectOriginal();
    EXPECT_FALSE(sArt->ValidArt(g1, false));
    EXPECT_FALSE(sArt->ValidArt(line1, false));
    host.endMessage();

    AIArtHandle g2 = drag(20);
    AIArtHandle g3 = drag(30);
    AIArtHandle g4 = drag(20);
    host.beginMessage(MessageKind::MouseUp);
    host.endMessage();
    // Only the last drag's art is left: earlier drags' art never comes back.
    for (AIArtHandle stale : {g1, g2, g3}) EXPECT_FALSE(sArt->ValidArt(stale, false));
    EXPECT_TRUE(sArt->ValidArt(g4, false));
    const AIMatchingArtSpec groups{kGroupArt, 0, 0};
    AIMdMemoryHandle h = nullptr;
    int32_t count = 0;
    sMatch->GetMatchingArt(&groups, 1, &h, &count);
    EXPECT_EQ(list(h, count), std::vector<AIArtHandle>{g4});
    // The last drag's result stays.
    EXPECT_EQ(firstX(editMe), 20.0f);
    EXPECT_EQ(readInt(withDict, "kept"), 20);
    EXPECT_FALSE(sArt->ValidArt(deleteMe, false));
}

TEST_F(UndoTest, UserUndoTakesBackTheWholeGestureAndRedoRestoresIt) {
    int32_t artBefore = 0;
    AIMdMemoryHandle h = nullptr;
    const AIMatchingArtSpec any{kAnyArt, 0, 0};
    sMatch->GetMatchingArt(&any, 1, &h, &artBefore);
    sMd->MdMemoryDisposeHandle(h);

    host.beginMessage(MessageKind::MouseDown);
    host.endMessage();
    drag(10);
    AIArtHandle line = nullptr;
    AIArtHandle group = drag(30, &line);
    host.beginMessage(MessageKind::MouseUp);
    host.endMessage();

    ASSERT_TRUE(host.userUndo());
    expectOriginal();
    EXPECT_FALSE(sArt->ValidArt(group, false));
    int32_t count = 0;
    sMatch->GetMatchingArt(&any, 1, &h, &count);
    sMd->MdMemoryDisposeHandle(h);
    EXPECT_EQ(count, artBefore);

    ASSERT_TRUE(host.userRedo());
    EXPECT_EQ(firstX(editMe), 30.0f);
    EXPECT_TRUE(sArt->ValidArt(group, false));  // the same handles come back
    EXPECT_TRUE(sArt->ValidArt(line, false));
    EXPECT_FALSE(sArt->ValidArt(deleteMe, false));
    EXPECT_EQ(readInt(withDict, "added"), 1);
    AIArtHandle parent = nullptr;
    EXPECT_EQ(sArt->GetArtParent(line, &parent), kNoErr);
    EXPECT_EQ(parent, group);
    EXPECT_FALSE(host.userRedo());
}

TEST_F(UndoTest, UndoChangesKeepsWhatMouseDownDidAndIgnoresOtherMessages) {
    host.beginMessage(MessageKind::MouseDown);
    AIArtHandle fromDown = path({{5, 5}, {6, 6}});
    host.endMessage();
    host.beginMessage(MessageKind::MouseDrag);
    EXPECT_EQ(sUndo->UndoChanges(), kNoErr);  // nothing to revert yet
    host.endMessage();
    EXPECT_TRUE(sArt->ValidArt(fromDown, false));

    // A menu command is no drag: a later UndoChanges does not touch it.
    host.beginMessage(MessageKind::Other);
    AIArtHandle fromMenu = path({{7, 7}, {8, 8}});
    host.endMessage();
    host.beginMessage(MessageKind::MouseDown);
    host.endMessage();
    host.beginMessage(MessageKind::MouseDrag);
    sUndo->UndoChanges();
    host.endMessage();
    EXPECT_TRUE(sArt->ValidArt(fromMenu, false));
}

TEST_F(UndoTest, MouseUpUndoRemovesTheLastDragOnly) {
    host.beginMessage(MessageKind::MouseDown);
    host.endMessage();
    // Two drags that keep their work (no UndoChanges), as a trimming tool does.
    AIArtHandle a = nullptr, b = nullptr;
    host.beginMessage(MessageKind::MouseDrag);
    a = path({{0, 10}, {1, 10}});
    host.endMessage();
    host.beginMessage(MessageKind::MouseDrag);
    b = path({{0, 20}, {1, 20}});
    host.endMessage();
    host.beginMessage(MessageKind::MouseUp);
    EXPECT_EQ(sUndo->UndoChanges(), kNoErr);
    host.endMessage();
    EXPECT_TRUE(sArt->ValidArt(a, false));
    EXPECT_FALSE(sArt->ValidArt(b, false));
}

TEST_F(UndoTest, LayerChangesAreRevertedToo) {
    AILayerHandle first = nullptr;
    sLayer->GetNthLayer(0, &first);
    host.beginMessage(MessageKind::MouseDown);
    host.endMessage();
    host.beginMessage(MessageKind::MouseDrag);
    AILayerHandle added = nullptr;
    ASSERT_EQ(sLayer->InsertLayer(first, kPlaceAbove, &added), kNoErr);
    sLayer->SetLayerTitle(added, "Dimension Layer");
    sLayer->SetCurrentLayer(added);
    sLayer->SetLayerVisible(first, false);
    host.endMessage();
    int32_t n = 0;
    sLayer->CountLayers(&n);
    EXPECT_EQ(n, 2);

    host.beginMessage(MessageKind::MouseDrag);
    sUndo->UndoChanges();
    host.endMessage();
    sLayer->CountLayers(&n);
    EXPECT_EQ(n, 1);
    AILayerHandle current = nullptr;
    sLayer->GetCurrentLayer(&current);
    EXPECT_EQ(current, first);
    ASBoolean visible = false;
    sLayer->GetLayerVisible(first, &visible);
    EXPECT_TRUE(visible);
    EXPECT_EQ(sLayer->SetLayerTitle(added, "x"), kStaleHandleErr);
    AILayerHandle byTitle = nullptr;
    sLayer->GetLayerByTitle(&byTitle, "Dimension Layer");
    EXPECT_EQ(byTitle, nullptr);
}

TEST_F(UndoTest, DictionaryCreatedDuringADragGoesStaleWhenReverted) {
    host.beginMessage(MessageKind::MouseDown);
    host.endMessage();
    host.beginMessage(MessageKind::MouseDrag);
    AIDictionaryRef kept = nullptr;
    sDict->CreateDictionary(&kept);
    AIDictionaryRef d = nullptr;
    sArt->GetDictionary(withDict, &d);
    sDict->SetDictEntry(d, sDict->Key("sub"), kept);
    sDict->Release(d);
    host.endMessage();
    host.beginMessage(MessageKind::MouseDrag);
    sUndo->UndoChanges();
    host.endMessage();
    // The reference is still counted but names nothing: refused, not followed.
    EXPECT_EQ(sDict->SetIntegerEntry(kept, sDict->Key("k"), 1), kStaleHandleErr);
    EXPECT_EQ(sDict->Release(kept), kNoErr);
    EXPECT_EQ(host.counters().dictRefs, 0);
}

TEST_F(UndoTest, ChangesOutsideMessagesAreOneUndoStep) {
    doc->addRect(0, 0, 10, 10);
    doc->addLine({0, 0}, {5, 5});
    const size_t count = doc->selection().size() + doc->matching([](const standin::Art&) { return true; }).size();
    EXPECT_EQ(count, 5u);
    ASSERT_TRUE(host.userUndo());
    EXPECT_EQ(doc->matching([](const standin::Art&) { return true; }).size(), 3u);
    ASSERT_TRUE(host.userUndo());  // the three paths of the fixture
    EXPECT_EQ(doc->matching([](const standin::Art&) { return true; }).size(), 0u);
    EXPECT_FALSE(host.userUndo());
    EXPECT_TRUE(host.userRedo());
    EXPECT_EQ(doc->matching([](const standin::Art&) { return true; }).size(), 3u);
}

// Each row plays a first message and then messages that add one path each (or none), some
// joining the step of the first; the steps left, and the paths one undo leaves, show what
// joined. A press whose first path is kept (work held back by an earlier message) and whose
// second is taken back leaves the first in the latest step.
TEST_F(UndoTest, AMessageJoinsTheStepItCarriesOnWhileThatStepIsTheLatest) {
    enum Op { kAdd, kAddNothing, kJoinFirst, kGestureJoiningFirst, kUndo, kKeptAtARefusedPress, kKeptThenJoined };
    const struct {
        const char* what;
        bool firstAdds;
        std::vector<Op> after;
        size_t steps;
        size_t pathsAfterOneUndo;  // of those the row added
    } rows[] = {
        {"joins", true, {kJoinFirst, kJoinFirst}, 1, 0},
        {"a gesture that joins", true, {kGestureJoiningFirst}, 1, 0},
        {"a change between", true, {kAdd, kJoinFirst}, 3, 2},
        {"a message that changed nothing between", true, {kAddNothing, kJoinFirst}, 1, 0},
        {"the first undone", true, {kUndo, kJoinFirst}, 1, 0},
        {"a first that changed nothing", false, {kJoinFirst, kGestureJoiningFirst}, 1, 0},
        {"a first that changed nothing, a change between", false, {kAdd, kJoinFirst}, 2, 1},
        {"kept at a refused press", true, {kKeptAtARefusedPress}, 1, 0},
        {"kept at a refused press, a change between", true, {kAdd, kKeptAtARefusedPress}, 2, 1},
        {"a message joining one whose changes were kept", true, {kKeptThenJoined}, 1, 0},
    };
    for (const auto& row : rows) {
        doc->journal().clear();  // each row counts its own steps
        const auto paths = [&] { return doc->matching([](const standin::Art& a) { return a.type == kPathArt; }).size(); };
        const size_t before = paths();
        AIUndoStepRef first = nullptr;
        host.beginMessage(MessageKind::Other);
        ASSERT_EQ(sUndo->GetCurrentUndoStep(&first), kNoErr);
        if (row.firstAdds) path({{1, 1}, {2, 2}});
        host.endMessage();
        for (Op op : row.after) {
            if (op == kUndo) {
                host.userUndo();
                continue;
            }
            if (op == kKeptThenJoined) {
                AIUndoStepRef kept = nullptr;
                host.beginMessage(MessageKind::Other);
                ASSERT_EQ(sUndo->GetCurrentUndoStep(&kept), kNoErr);
                path({{3, 3}, {4, 4}});
                EXPECT_EQ(sUndo->KeepChangesSoFar(), kNoErr);
                host.beginMessage(MessageKind::Other);  // a timer it started
                sUndo->JoinUndoStep(kept);
                path({{5, 5}, {6, 6}});
                host.endMessage();
                continue;
            }
            const bool gesture = op == kGestureJoiningFirst || op == kKeptAtARefusedPress;
            host.beginMessage(gesture ? MessageKind::MouseDown : MessageKind::Other);
            if (op == kJoinFirst || op == kGestureJoiningFirst) sUndo->JoinUndoStep(first);
            if (op != kAddNothing) path({{3, 3}, {4, 4}});
            if (op == kKeptAtARefusedPress) {
                EXPECT_EQ(sUndo->KeepChangesSoFar(), kNoErr);
                path({{7, 7}, {8, 8}});
                EXPECT_EQ(sUndo->UndoAllChanges(), kNoErr);
            }
            if (gesture) {
                host.beginMessage(MessageKind::MouseUp);
                if (op == kGestureJoiningFirst) path({{5, 5}, {6, 6}});
            }
            host.endMessage();
        }
        EXPECT_EQ(doc->journal().undoDepth(), row.steps) << row.what;
        ASSERT_TRUE(host.userUndo()) << row.what;
        EXPECT_EQ(paths() - before, row.pathsAfterOneUndo) << row.what;
    }
}

// What a message or a gesture changes and then puts back as it was, or has the host take
// back, is no step of undo, and what was undone before it can still be redone; a real change
// beside it is one step.
TEST_F(UndoTest, WhatAMessagePutsBackAsItWasIsNoStep) {
    auto move = [&](AIArtHandle art, AIReal x) {
        AIPathSegment s{{x, 0}, {x, 0}, {x, 0}, true};
        sPath->SetPathSegments(art, 0, 1, &s);
    };
    auto write = [&](const char* key, int32_t value) {
        AIDictionaryRef d = nullptr;
        sArt->GetDictionary(withDict, &d);
        sDict->SetIntegerEntry(d, sDict->Key(key), value);
        sDict->Release(d);
    };
    // A dictionary of its own, with an entry, put into withDict's "record" when asked.
    auto made = [&](bool put) {
        AIDictionaryRef record = nullptr, d = nullptr;
        sDict->CreateDictionary(&record);
        sDict->SetIntegerEntry(record, sDict->Key("x"), 3);
        sArt->GetDictionary(withDict, &d);
        if (put) sDict->SetDictEntry(d, sDict->Key("record"), record);
        sDict->Release(d);
        sDict->Release(record);
    };
    const struct {
        const char* what;
        std::function<void()> message;
        bool gesture;
        size_t steps;
    } rows[] = {
        {"an entry written with what it held", [&] { write("kept", 1); }, false, 0},
        {"art selected and deselected", [&] {
             sArt->SetArtUserAttr(editMe, kArtSelected, kArtSelected);
             sArt->SetArtUserAttr(editMe, kArtSelected, 0);
         }, false, 0},
        {"a tag set and removed", [&] {
             sTag->SetTag(editMe, "ZMK_Object_Was_Selected", kTagString, "");
             sTag->RemoveTag(editMe, "ZMK_Object_Was_Selected");
         }, false, 0},
        {"a dictionary asked for and left empty", [&] {
             AIDictionaryRef d = nullptr;
             sArt->GetDictionary(deleteMe, &d);
             sDict->Release(d);
         }, false, 0},
        {"a path moved and moved back", [&] { move(editMe, 7); move(editMe, 0); }, false, 0},
        {"a dictionary made, filled and let go", [&] { made(false); }, false, 0},
        {"a dictionary put into an entry and taken out", [&] {
             made(true);
             AIDictionaryRef d = nullptr;
             sArt->GetDictionary(withDict, &d);
             sDict->DeleteEntry(d, sDict->Key("record"));
             sDict->Release(d);
         }, false, 0},
        {"a drag's preview taken back at the release", [&] { drag(30); }, true, 0},
        {"a gesture's press, drag and release all taken back at the release", [&] {
             host.beginMessage(MessageKind::MouseDown);
             move(editMe, 7);
             drag(30);
             host.beginMessage(MessageKind::MouseUp);
             write("kept", 5);
             EXPECT_EQ(sUndo->UndoAllChanges(), kNoErr);
         }, false, 0},
        {"art made, its dictionary written, and disposed", [&] {
             AIArtHandle scratch = path({{3, 3}, {4, 4}});
             AIDictionaryRef d = nullptr;
             sArt->GetDictionary(scratch, &d);
             sDict->SetIntegerEntry(d, sDict->Key("x"), 3);
             sDict->Release(d);
             sArt->DisposeArt(scratch);
         }, false, 0},
        {"a command's changes all taken back", [&] {
             made(true);
             move(editMe, 7);
             EXPECT_EQ(sUndo->UndoAllChanges(), kNoErr);
         }, false, 0},
        {"a path moved after changes taken back", [&] {
             write("kept", 5);
             EXPECT_EQ(sUndo->UndoAllChanges(), kNoErr);
             move(editMe, 7);
         }, false, 1},
        {"a path moved", [&] { move(editMe, 7); }, false, 1},
        {"a path moved by a drag kept at the release", [&] { drag(30); }, true, 1},
        {"a dictionary made and put into an entry", [&] { made(true); }, false, 1},
    };
    for (const auto& row : rows) {
        doc->journal().clear();
        // Something undone, to be redone after the row.
        host.beginMessage(MessageKind::Other);
        path({{9, 9}, {19, 19}});
        host.endMessage();
        ASSERT_TRUE(host.userUndo());
        host.beginMessage(row.gesture ? MessageKind::MouseDown : MessageKind::Other);
        row.message();  // in a gesture, one drag
        if (row.gesture) {
            host.beginMessage(MessageKind::MouseUp);
            if (row.steps == 0) {
                EXPECT_EQ(sUndo->UndoChanges(), kNoErr);
            }
        }
        host.endMessage();
        EXPECT_EQ(doc->journal().undoDepth(), row.steps) << row.what;
        EXPECT_EQ(doc->journal().canRedo(), row.steps == 0) << row.what;
        if (row.steps) {
            ASSERT_TRUE(host.userUndo()) << row.what;
        }
        expectOriginal();
    }
}

}  // namespace
