// Notifications, timers, menus, the annotator and workspace requests as the host sends them,
// and what the plug-in's handlers and dialog procedures throw.
#include <algorithm>
#include <functional>
#include <new>
#include <stdexcept>
#include <string>
#include <vector>

#include "ADMDialog.h"
#include "ADMItem.h"
#include "CoreFixture.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "geometry/PlotwiseErrors.h"
#include "suites/Suites.h"

namespace coretest {
namespace {

int gSelectionRefreshes = 0;
AIErr CountSelectionRefresh() {
    ++gSelectionRefreshes;
    return kNoErr;
}

struct HandlerTest : CoreTest {
    void SetUp() override {
        CoreTest::SetUp();
        StartWithDocument();
        gSelectionRefreshes = 0;
    }
    void TearDown() override {
        testSubsystem.hooks = PlotwiseHooks{};
        CoreTest::TearDown();
    }
    AIArtHandle rect(AIReal x) { return standin::suites::artHandle(Rect(x, 0, 10, 10)); }
    bool selected(AIArtHandle art) {
        uint32_t attr = 0;
        sAIArt->GetArtUserAttr(art, kArtSelected, &attr);
        return attr != 0;
    }
    bool tagged(AIArtHandle art) { return readback::Tagged(*doc, standin::fromHandle(art), kObjectWasSelectedTag); }
    bool timerActive(AITimerHandle t) {
        ASBoolean active = false;
        sAITimer->GetTimerActive(t, &active);
        return active;
    }
};

TEST_F(HandlerTest, SelectionRestoreTimerReselectsTaggedArtOnceAndRemovesTheTags) {
    doc->addLayer("Drawing");
    AIArtHandle a = rect(0), b = rect(20);
    doc->addLayer("Locked");
    AIArtHandle locked = rect(40);
    ASSERT_EQ(doc->setLayerEditable("Locked", false), kNoErr);
    for (AIArtHandle art : {a, locked}) ASSERT_EQ(TagForSelectionRestore(art), kNoErr);
    ASSERT_EQ(sAIArt->SetArtUserAttr(b, kArtSelected, kArtSelected), kNoErr);
    g->trackerTransformComplete = 1;

    ASSERT_FALSE(timerActive(g->theTimer));
    ASSERT_EQ(sAITimer->SetTimerActive(g->theTimer, true), kNoErr);
    session->ticks(9);
    EXPECT_TRUE(tagged(a));  // not due yet
    session->ticks(1);
    EXPECT_TRUE(selected(a));
    EXPECT_FALSE(selected(b));
    EXPECT_FALSE(selected(locked));  // its layer cannot be edited
    EXPECT_FALSE(tagged(a));
    EXPECT_FALSE(tagged(locked));
    EXPECT_FALSE(timerActive(g->theTimer));
    EXPECT_EQ(g->trackerTransformComplete, 0);

    // One-shot: a later change of selection stays.
    ASSERT_EQ(deselectAllArt(), kNoErr);
    session->ticks(60);
    EXPECT_FALSE(selected(a));
    EXPECT_EQ(host.counters().mdHandles, 0);
}

// A selection waiting to come back comes back before the document is saved, and no tag of
// it is written; before a close too, so the restore never falls on the document behind.
TEST_F(HandlerTest, APendingSelectionComesBackBeforeASaveOrAClose) {
    doc->addLayer("Drawing");
    AIArtHandle a = rect(0);
    ASSERT_EQ(sAIArt->SetArtUserAttr(a, kArtSelected, kArtSelected), kNoErr);
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    ASSERT_EQ(deselectAllArt(), kNoErr);  // as a redraw leaves it
    bool taggedWhenWritten = true, selectedWhenWritten = false;
    ASSERT_EQ(session->saveDocument([&] {
        taggedWhenWritten = tagged(a);
        selectedWhenWritten = selected(a);
        return kNoErr;
    }), kNoErr);
    EXPECT_FALSE(taggedWhenWritten);
    EXPECT_TRUE(selectedWhenWritten);
    EXPECT_FALSE(timerActive(g->theTimer));

    // Closed while the restore waits: the document behind keeps its own selection.
    standin::Document& behind = *doc;
    AIArtHandle kept = rect(40);
    ASSERT_EQ(sAIArt->SetArtUserAttr(kept, kArtSelected, kArtSelected), kNoErr);
    doc = &session->newDocument();
    doc->addLayer("Drawing");
    AIArtHandle b = rect(0);
    ASSERT_EQ(sAIArt->SetArtUserAttr(b, kArtSelected, kArtSelected), kNoErr);
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    ASSERT_EQ(deselectAllArt(), kNoErr);
    ASSERT_EQ(session->closeDocument(), kNoErr);
    doc = &behind;
    session->ticks(20);
    EXPECT_TRUE(selected(kept));
    EXPECT_FALSE(timerActive(g->theTimer));

    // A drawing made or opened while the restore waits: the restore is done in the first,
    // before it goes behind, and leaves no tag there.
    for (const bool opened : {false, true}) {
        SCOPED_TRACE(opened ? "opened" : "made");
        AIArtHandle c = rect(60);
        ASSERT_EQ(sAIArt->SetArtUserAttr(c, kArtSelected, kArtSelected), kNoErr);
        ASSERT_EQ(TagSelectedArt(), kNoErr);
        ASSERT_EQ(deselectAllArt(), kNoErr);
        if (opened) {
            ASSERT_EQ(session->openDocument([&] { return host.newDocument(100, 100), kNoErr; }), kNoErr);
        } else {
            session->newDocument();
        }
        session->ticks(20);
        EXPECT_FALSE(tagged(c));
        EXPECT_TRUE(behind.readsSelected(standin::fromHandle(c)));
        ASSERT_EQ(session->closeDocument(), kNoErr);
    }

    // A tag no restore waits for (an undo past the command that dropped it) is not written.
    ASSERT_EQ(sAITag->SetTag(kept, kObjectWasSelectedTag, kTagString, ""), kNoErr);
    ASSERT_EQ(session->saveDocument([&] { return taggedWhenWritten = tagged(kept), kNoErr; }), kNoErr);
    EXPECT_FALSE(taggedWhenWritten);
}

TEST_F(HandlerTest, SelectionRefreshWaitsWhileTheRestoreIsPending) {
    testSubsystem.hooks.selectionChanged = &CountSelectionRefresh;
    session->notify(kAIArtSelectionChangedNotifier);
    EXPECT_EQ(gSelectionRefreshes, 1);
    ASSERT_EQ(sAITimer->SetTimerActive(g->theTimer, true), kNoErr);
    session->notify(kAIArtSelectionChangedNotifier);
    EXPECT_EQ(gSelectionRefreshes, 1);
}

TEST_F(HandlerTest, AnotherDocumentInFrontRefindsTheDimensionLayer) {
    g->prefs.style.id = 99;
    standin::Document& second = session->newDocument();
    second.addLayer("Dimension Layer");
    g->saveLayer = reinterpret_cast<AILayerHandle>(uintptr_t{1});
    session->setFrontDocument(*doc);
    EXPECT_EQ(g->dimensionLayer, nullptr);
    EXPECT_EQ(g->saveLayer, nullptr);
    EXPECT_EQ(g->prefs.style.id, 0);  // no dimensions in this document
    session->setFrontDocument(second);
    EXPECT_NE(g->dimensionLayer, nullptr);
}

TEST_F(HandlerTest, MenusAreRegisteredAndPanelCommandsNeedTheirPanel) {
    const auto& items = session->registry().menuItems;
    auto has = [&](const std::string& text) {
        return std::any_of(items.begin(), items.end(), [&](const auto& e) { return e.text == text; });
    };
    EXPECT_TRUE(has("Auto Dimension Document"));
    EXPECT_TRUE(has("Update Dimensions"));
    EXPECT_TRUE(has("Show CAD Tracker"));
    EXPECT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(session->menu("Show CAD Tracker"), kNoErr);  // no panel yet: nothing to show
}

TEST_F(HandlerTest, AnnotatorDrawsItsTableInOrder) {
    static std::vector<int>* order;
    std::vector<int> seen;
    order = &seen;
    const PlotwiseAnnotation table[] = {
        [](AIDocumentViewHandle, AIAnnotatorDrawer*) -> AIErr {
            order->push_back(1);
            return kNoErr;
        },
        [](AIDocumentViewHandle, AIAnnotatorDrawer*) -> AIErr {
            order->push_back(2);
            return 'DRAW';
        },
    };
    testSubsystem.annotations = table;
    AIAnnotatorMessage m{};
    m.annotator = g->annotator;
    EXPECT_EQ(PluginMain(kCallerAIAnnotation, kSelectorAIDrawAnnotation, &m), AIErr('DRAW'));
    EXPECT_EQ(seen, (std::vector<int>{1, 2}));
    testSubsystem.annotations = {};
}

TEST_F(HandlerTest, TimerAndNotifierHandlersReturnTheHostsErrorAndSayItInWords) {
    // A stale layer to go back to from a layer the plug-in switched to: the restore stops
    // there, with the host's error.
    g->selectionRestoreLayer = reinterpret_cast<AILayerHandle>(uintptr_t{0xBAD2});
    ASSERT_EQ(sAILayer->GetCurrentLayer(&g->layerSwitchedTo), kNoErr);
    AITimerMessage t{};
    t.timer = g->theTimer;
    EXPECT_EQ(PluginMain(kCallerAITimer, kSelectorAIGoTimer, &t), kStaleHandleErr);
    EXPECT_EQ(g->selectionRestoreLayer, nullptr);  // forgotten all the same

    testSubsystem.hooks.afterPaste = [] { return AIErr('PAST'); };
    AINotifierMessage n{};
    n.notifier = g->afterPasteMenuCommandChangedNotifier;
    n.type = kAIAfterPasteNotifier;
    EXPECT_EQ(PluginMain(kCallerAINotifier, kSelectorAINotify, &n), AIErr('PAST'));
    testSubsystem.hooks.afterPaste = [] { return kNoDocumentErr; };
    EXPECT_EQ(PluginMain(kCallerAINotifier, kSelectorAINotify, &n), kNoDocumentErr);
    // The user is told each in words: what stopped, and what to do.
    const auto& alerts = session->dialogs().alerts();
    ASSERT_EQ(alerts.size(), 3u);
    EXPECT_EQ(alerts[0].text,
              "Not completed because art it was working on was deleted or undone meanwhile (try again): Plotwise");
    EXPECT_EQ(alerts[1].text, "Not completed because the host refused it (with the host's error code): Plotwise (PAST)");
    EXPECT_EQ(alerts[2].text, "Not completed because no document is open (open or make one, then try again): Plotwise");
}

TEST_F(HandlerTest, WorkspaceRequestsWithoutPanelsChangeNothing) {
    EXPECT_EQ(session->workspace(kSelectorAIDefaultWorkspace, "Essentials"), kNoErr);
    EXPECT_EQ(session->workspace(kSelectorAIWriteWorkspace, "Essentials"), kNoErr);
    EXPECT_EQ(session->workspace(kSelectorAIRestoreWorkspace, "Essentials"), kNoErr);
}


// What the plug-in writes while a document is saved, different at every save.
AIErr CountSave() {
    DictRef dict;
    if (AIErr err = sAIDocument->GetDictionary(dict.put())) return err;
    const AIDictKey key = sAIDictionary->Key("saves");
    int32_t saves = 0;
    sAIDictionary->GetIntegerEntry(dict.get(), key, &saves);
    return sAIDictionary->SetIntegerEntry(dict.get(), key, saves + 1);
}

TEST_F(HandlerTest, WhatThePluginWritesWhileSavingOrMakingADrawingIsNoStepForUndo) {
    testSubsystem.hooks.beforeSaveOrClose = &CountSave;
    auto paths = [&] { return doc->matching([](const standin::Art& a) { return a.type == kPathArt; }).size(); };
    auto save = [&] { return session->saveDocument([] { return kNoErr; }); };
    ASSERT_EQ(session->hostEvent([&] { return doc->addRect(0, 0, 10, 10); }), kNoErr);
    ASSERT_EQ(session->hostEvent([&] { return doc->addRect(20, 0, 10, 10); }), kNoErr);
    ASSERT_TRUE(session->userUndo());
    ASSERT_EQ(save(), kNoErr);
    EXPECT_TRUE(session->userRedo());  // the redo survives the save
    EXPECT_EQ(paths(), 2u);
    ASSERT_EQ(save(), kNoErr);
    EXPECT_TRUE(session->userUndo());  // the user's last command, not the save's writes
    EXPECT_EQ(paths(), 1u);
    session->newDocument();  // stamped with the plug-in's version as it is made
    EXPECT_FALSE(host.frontDocument()->journal().canUndo());
}


constexpr int32_t kLineDialog = 16720, kCancelButton = 2, kLengthField = 4;

// A dialog whose init procedure runs out of memory, opened by a handler that goes on.
ASErr InitRunsOutOfMemory(ADMDialogRef) { throw std::bad_alloc(); }
AIErr OpensADialogThatRunsOutOfMemory() {
    (void)sADMDialog->Modal(g->thisPlugin, "Throws", kLineDialog, kADMModalDialogStyle, Guarded<&InitRunsOutOfMemory>,
                            nullptr, 0);
    return kNoErr;
}

constexpr const char* kFaultTold =
    "Not completed because Plotwise met a fault of its own (undo to take back what it had done; if it happens "
    "again, please report it): Plotwise";
constexpr const char* kMemoryTold =
    "Not completed because there was not enough memory (close other documents or applications, then try "
    "again): Plotwise";

TEST_F(HandlerTest, WhatAHandlerThrowsIsAnsweredWithAnErrorCodeAndToldInWords) {
    struct Case {
        AIErr (*hook)();
        AIErr answer;
        const char* told;
    };
    const Case cases[] = {
        {[]() -> AIErr { throw std::runtime_error("a fault"); }, kPluginFaultErr, kFaultTold},
        {[]() -> AIErr { throw 42; }, kPluginFaultErr, kFaultTold},
        {[]() -> AIErr { throw std::bad_alloc(); }, kOutOfMemoryErr, kMemoryTold},
        // The host's own answer that memory ran out is told the same way.
        {[]() -> AIErr { return kOutOfMemoryErr; }, kOutOfMemoryErr, kMemoryTold},
        // Memory that ran out in a dialog's procedure meanwhile is told there, once, and
        // the host hears of it.
        {&OpensADialogThatRunsOutOfMemory, kOutOfMemoryErr, kMemoryTold},
    };
    AINotifierMessage n{};
    n.notifier = g->afterPasteMenuCommandChangedNotifier;
    n.type = kAIAfterPasteNotifier;
    const auto& alerts = session->dialogs().alerts();
    for (const Case& c : cases) {
        testSubsystem.hooks.afterPaste = c.hook;
        EXPECT_EQ(PluginMain(kCallerAINotifier, kSelectorAINotify, &n), c.answer);
        ASSERT_FALSE(alerts.empty());
        EXPECT_EQ(alerts.back().text, c.told);
    }
    EXPECT_EQ(alerts.size(), std::size(cases));
    // The plug-in goes on answering.
    testSubsystem.hooks.afterPaste = [] { return kNoErr; };
    EXPECT_EQ(PluginMain(kCallerAINotifier, kSelectorAINotify, &n), kNoErr);
}

// Dialog procedures that throw, handed to the host as every procedure of the plug-in is.
ASErr InitThrows(ADMDialogRef) { throw std::runtime_error("init"); }
void NotifyThrows(ADMItemRef, ADMNotifierRef) { throw std::runtime_error("notify"); }
ASBoolean TrackThrows(ADMItemRef, ADMTrackerRef) { throw std::bad_alloc(); }
void DrawThrows(ADMItemRef, ADMDrawerRef) { throw 1; }


ASErr InitWithThrowingItems(ADMDialogRef dialog) {
    sADMItem->SetNotifyProc(sADMDialog->GetItem(dialog, kCancelButton), Guarded<&NotifyThrows>);
    sADMItem->SetTrackProc(sADMDialog->GetItem(dialog, kLengthField), Guarded<&TrackThrows>);
    sADMItem->SetDrawProc(sADMDialog->GetItem(dialog, kLengthField), Guarded<&DrawThrows>);
    return kNoErr;
}

TEST_F(HandlerTest, WhatADialogProcedureThrowsStaysInThePluginAndIsToldInWords) {
    const auto& alerts = session->dialogs().alerts();
    // An init procedure: the host gives the dialog up.
    EXPECT_EQ(sADMDialog->Modal(g->thisPlugin, "Throws", kLineDialog, kADMModalDialogStyle, Guarded<&InitThrows>,
                                nullptr, 0),
              -1);
    ASSERT_EQ(alerts.size(), 1u);
    EXPECT_EQ(alerts.back().text, kFaultTold);

    ADMDialogRef panel = sADMDialog->Create(g->thisPlugin, "Throws", kLineDialog, kADMFloatingDialogStyle,
                                            Guarded<&InitWithThrowingItems>, nullptr, 0);
    ASSERT_NE(panel, nullptr);
    ADMItemRef field = sADMDialog->GetItem(panel, kLengthField);
    struct Case {
        const char* procedure;
        std::function<void()> act;
        const char* told;
    };
    const Case cases[] = {
        {"notify",
         [&] { session->dialogs().userAction(panel, {standin::UserAction::Kind::Press, kCancelButton}); }, kFaultTold},
        {"tracker",
         [&] { session->dialogs().userAction(panel, {standin::UserAction::Kind::SetText, kLengthField, "34"}); },
         kMemoryTold},
        {"draw",
         [&] {
             sADMItem->Invalidate(field);
             sADMItem->Update(field);
         },
         kFaultTold},
    };
    for (const Case& c : cases) {
        const size_t before = alerts.size();
        EXPECT_NO_THROW(c.act()) << c.procedure;
        ASSERT_EQ(alerts.size(), before + 1) << c.procedure;
        EXPECT_EQ(alerts.back().text, c.told) << c.procedure;
    }
}

}  // namespace
}  // namespace coretest
