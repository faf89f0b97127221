// Modal dialogs played from scripted answers: refusals keep the dialog open, nested
// dialogs return to their parent, EndModal and Cancel end them, and a script that runs out
// never hangs.
#include "AdmFixture.h"

namespace admtest {

AdmTest* AdmTest::current = nullptr;

namespace {

using standin::ModalAnswer;

// The OK handler of a numeric dialog: refuses a width of 0 or less (the field is activated
// for retyping and the dialog stays open), otherwise accepts and closes.
void okNotify(ADMItemRef it, ADMNotifierRef n) {
    AdmTest& t = *AdmTest::current;
    ADMDialogRef d = t.item->GetDialog(it);
    ADMItemRef field = t.dialog->GetItem(d, 4);
    const float width = t.item->GetFloatValue(field);
    if (width <= 0) {
        t.events.push_back("refused");
        t.item->Activate(field, true);
        return;
    }
    t.events.push_back("accepted " + t.text(field));
    t.item->DefaultNotify(it, n);
    // The dialog is closing but still answers while the handler runs.
    t.events.push_back(t.dialog->GetItem(d, 4) ? "still there" : "gone");
}

void renameNotify(ADMItemRef, ADMNotifierRef);

ASErr rectInit(ADMDialogRef d) {
    AdmTest& t = *AdmTest::current;
    t.events.push_back("init");
    t.item->SetNotifyProc(t.dialog->GetItem(d, 1), okNotify);
    t.item->SetNotifyProc(t.dialog->GetItem(d, 3), renameNotify);
    t.item->SetFloatValue(t.dialog->GetItem(d, 4), 0);  // programmatic: no notification
    return kNoErr;
}

ASErr renameInit(ADMDialogRef d) {
    AdmTest& t = *AdmTest::current;
    t.events.push_back("rename init");
    t.item->SetText(t.dialog->GetItem(d, 3), "old");
    t.item->SetNotifyProc(t.dialog->GetItem(d, 1), [](ADMItemRef it, ADMNotifierRef n) {
        AdmTest& t = *AdmTest::current;
        t.events.push_back("rename ok " + t.text(t.dialog->GetItem(t.item->GetDialog(it), 3)));
        t.item->DefaultNotify(it, n);
    });
    return kNoErr;
}

void renameNotify(ADMItemRef it, ADMNotifierRef n) {
    AdmTest& t = *AdmTest::current;
    t.item->DefaultNotify(it, n);
    ADMDialogRef parent = t.item->GetDialog(it);
    const int32_t r = t.dialog->Modal(t.dialog->GetPluginRef(parent), "Rename", 16720, 0, renameInit, nullptr, 0);
    t.events.push_back("rename returned " + std::to_string(r));
    // Back in the parent, whose items still work.
    t.item->SetText(t.dialog->GetItem(parent, 5), "renamed");
}

void endModalNotify(ADMItemRef it, ADMNotifierRef) {
    AdmTest& t = *AdmTest::current;
    t.dialog->EndModal(t.item->GetDialog(it), 77, false);
}

}  // namespace

TEST_F(AdmTest, RefusedOkKeepsTheDialogOpenUntilValidInput) {
    dm.queueModalAnswer({"CADRect", {type(4, "-5"), press(1), type(4, "abc"), press(1), type(4, "12"), press(1)}});
    const int32_t r = dialog->Modal(nullptr, "CADRect", 16700, 0, rectInit, nullptr, 0);
    EXPECT_EQ(r, 1);
    // -5 is clamped to the field's minimum 0, "abc" is refused by the field: both refused.
    const std::vector<std::string> expected{"init", "refused", "refused", "accepted 12", "still there"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(dm.failures().empty()) << dm.failures().front();
    EXPECT_EQ(dm.beeps(), 1);  // the text that is not a number
    EXPECT_TRUE(dm.openDialogs().empty());
    EXPECT_EQ(dm.modalDepth(), 0);
}

TEST_F(AdmTest, NestedModalReturnsToItsParent) {
    // As a script writes it: the parent's lines, then the nested dialog's, then the parent's.
    dm.appendModalAction("CADRect", press(3));
    dm.appendModalAction("Rename", type(3, "Mine"));
    dm.appendModalAction("Rename", press(1));
    dm.appendModalAction("CADRect", type(4, "5"));
    dm.appendModalAction("CADRect", press(1));
    EXPECT_EQ(dm.pendingModalAnswers(), 2u);
    const int32_t r = dialog->Modal(nullptr, "CADRect", 16700, 0, rectInit, nullptr, 0);
    EXPECT_EQ(r, 1);
    const std::vector<std::string> expected{"init", "rename init", "rename ok Mine", "rename returned 1", "accepted 5", "still there"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(dm.failures().empty());
    EXPECT_EQ(dm.pendingModalAnswers(), 0u);
}

TEST_F(AdmTest, ItemsOfAnEndedModalDialogAreStale) {
    static ADMItemRef kept = nullptr;
    struct Local {
        static ASErr init(ADMDialogRef d) {
            kept = AdmTest::current->dialog->GetItem(d, 4);
            return kNoErr;
        }
    };
    dm.queueModalAnswer({"", {press(2)}});
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, Local::init, nullptr, 0), 2);
    ASSERT_NE(kept, nullptr);
    EXPECT_EQ(item->SetText(kept, "x"), kStaleHandleErr);
    EXPECT_EQ(item->GetFloatValue(kept), 0.0f);
    EXPECT_EQ(item->GetDialog(kept), nullptr);
}

TEST_F(AdmTest, EndModalEndsWithItsResult) {
    struct Local {
        static ASErr init(ADMDialogRef d) {
            AdmTest& t = *AdmTest::current;
            t.item->SetNotifyProc(t.dialog->GetItem(d, 3), endModalNotify);
            return kNoErr;
        }
    };
    dm.queueModalAnswer({"CADRect", {press(3)}});
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, Local::init, nullptr, 0), 77);
    EXPECT_TRUE(dm.failures().empty());
    // EndModal on a dialog that is not modal fails.
    EXPECT_EQ(dialog->EndModal(nullptr, 1, false), kStaleHandleErr);
}

TEST_F(AdmTest, CancelAndScriptsThatRunOutEndTheDialogWithoutHanging) {
    // Cancel item without a notifier: the host's default handling closes the dialog.
    dm.queueModalAnswer({"CADRect", {press(2)}});
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, rectInit, nullptr, 0), 2);
    EXPECT_TRUE(dm.failures().empty());

    // Answers that leave the dialog open: cancelled, and the script is told.
    dm.queueModalAnswer({"CADRect", {type(4, "3")}});
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, rectInit, nullptr, 0), 2);
    ASSERT_EQ(dm.failures().size(), 1u);
    EXPECT_NE(dm.failures()[0].find("still open"), std::string::npos);

    // No answer at all, or only one for another dialog (which stays queued for it).
    dm.clearFailures();
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, rectInit, nullptr, 0), 2);
    dm.queueModalAnswer({"Other", {press(1)}});
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, rectInit, nullptr, 0), 2);
    EXPECT_EQ(dm.failures().size(), 2u);
    EXPECT_EQ(dm.pendingModalAnswers(), 1u);

    // Actions beyond the closing one are reported.
    dm.clearFailures();
    dm.queueModalAnswer({"CADRect", {press(2), press(1)}});
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, rectInit, nullptr, 0), 2);
    ASSERT_EQ(dm.failures().size(), 1u);
    EXPECT_NE(dm.failures()[0].find("before all its answers"), std::string::npos);

    // A missing template or a failing init proc: no dialog, −1, no answer consumed.
    dm.queueModalAnswer({"CADRect", {press(1)}});
    EXPECT_EQ(dialog->Modal(nullptr, "Nothing", 12345, 0, nullptr, nullptr, 0), -1);
    struct Local {
        static ASErr failingInit(ADMDialogRef) { return 'FAIL'; }
    };
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, Local::failingInit, nullptr, 0), -1);
    EXPECT_EQ(dm.pendingModalAnswers(), 2u);
}

TEST_F(AdmTest, ScriptedActionsOnDisabledOrMissingItemsFailWithoutNotifying) {
    struct Local {
        static ASErr init(ADMDialogRef d) {
            AdmTest& t = *AdmTest::current;
            t.item->SetNotifyProc(t.dialog->GetItem(d, 1), okNotify);
            t.item->Enable(t.dialog->GetItem(d, 1), false);
            t.item->SetFloatValue(t.dialog->GetItem(d, 4), 4);
            return kNoErr;
        }
    };
    dm.queueModalAnswer({"CADRect", {press(1), press(42), press(2)}});
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, Local::init, nullptr, 0), 2);
    EXPECT_TRUE(events.empty());
    ASSERT_EQ(dm.failures().size(), 2u);
    EXPECT_NE(dm.failures()[0].find("disabled"), std::string::npos);
    EXPECT_NE(dm.failures()[1].find("no such item"), std::string::npos);
}

TEST_F(AdmTest, TextFieldsKeepTheirLimits) {
    static std::string seen;
    struct Local {
        static ASErr init(ADMDialogRef d) {
            AdmTest& t = *AdmTest::current;
            ADMItemRef name = t.dialog->GetItem(d, 5);
            EXPECT_EQ(t.item->GetMaxTextLength(name), 8);
            t.item->SetNotifyProc(t.dialog->GetItem(d, 1), [](ADMItemRef it, ADMNotifierRef n) {
                AdmTest& t = *AdmTest::current;
                char small[4];
                t.item->GetText(t.dialog->GetItem(t.item->GetDialog(it), 5), small, sizeof small);
                seen = small;
                t.item->DefaultNotify(it, n);
            });
            return kNoErr;
        }
    };
    dm.queueModalAnswer({"CADRect", {type(5, "a much longer name"), press(1)}});
    EXPECT_EQ(dialog->Modal(nullptr, "CADRect", 16700, 0, Local::init, nullptr, 0), 1);
    EXPECT_EQ(seen, "a m");  // the buffer's bound; the field itself held 8 bytes
}

}  // namespace admtest
