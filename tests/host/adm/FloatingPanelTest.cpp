// Floating panels: made at once with their init proc, alive until shut-down; their items
// notify only on the user's changes (and SendNotify), never on the plug-in's own; lists
// filled from menu resources; trackers, sliders, drawing and placement.
#include "AdmFixture.h"

namespace admtest {
namespace {

void recordNotify(ADMItemRef it, ADMNotifierRef n) {
    AdmTest& t = *AdmTest::current;
    const int32_t id = t.item->GetID(it);
    std::string state;
    if (id == 3) state = t.item->GetBooleanValue(it) ? " on" : " off";
    if (id == 4 || id == 11) state = " " + t.text(it);
    if (id == 5 || id == 6) state = " " + std::to_string(t.item->GetIntValue(it));
    t.events.push_back(std::to_string(id) + " " + t.notifierType(n) + state);
    t.item->DefaultNotify(it, n);
}

ASErr panelInit(ADMDialogRef d) {
    AdmTest& t = *AdmTest::current;
    t.events.push_back("init");
    for (int32_t id : {3, 4, 5, 6, 7, 8, 9, 11, 12, int32_t{kADMPopoutMenuItemID}})
        t.item->SetNotifyProc(t.dialog->GetItem(d, id), recordNotify);
    return kNoErr;
}

}  // namespace

struct FloatingPanelTest : AdmTest {
    ADMDialogRef panel = nullptr;
    void SetUp() override {
        AdmTest::SetUp();
        panel = dialog->Create(nullptr, "Document", 16500, kADMTabbedFloatingDialogStyle, panelInit, nullptr, 0);
        ASSERT_NE(panel, nullptr);
        events.clear();
    }
    ADMItemRef at(int32_t id) { return dialog->GetItem(panel, id); }
};

TEST_F(FloatingPanelTest, ProgrammaticChangesDoNotNotify) {
    item->SetBooleanValue(at(3), false);
    item->SetText(at(4), "42");
    item->SetFloatValue(at(4), 43);
    item->SetIntValue(at(5), 3);
    item->SetIntValue(at(6), 7);
    item->SetBooleanValue(at(8), true);
    entry->Activate(list->IndexEntry(item->GetList(at(5)), 0), true);
    EXPECT_TRUE(events.empty());
    // The values did change.
    EXPECT_FALSE(item->GetBooleanValue(at(3)));
    EXPECT_EQ(text(at(4)), "43");
    EXPECT_EQ(item->GetIntValue(at(5)), 0);
    EXPECT_FALSE(item->GetBooleanValue(at(7)));  // radios of one group are exclusive
}

TEST_F(FloatingPanelTest, UserChangesNotifyOnceWithTheNewValue) {
    EXPECT_EQ(dm.userAction(panel, press(3)), kNoErr);
    EXPECT_EQ(dm.userAction(panel, type(4, "25")), kNoErr);
    EXPECT_EQ(dm.userAction(panel, pick(5, 3)), kNoErr);
    EXPECT_EQ(dm.userAction(panel, press(8)), kNoErr);
    EXPECT_EQ(dm.userAction(panel, press(12)), kNoErr);
    const std::vector<std::string> expected{"3 user off", "4 user 25", "5 user 3", "8 user", "12 user"};
    EXPECT_EQ(events, expected);
    EXPECT_TRUE(item->GetBooleanValue(at(8)));
    EXPECT_FALSE(item->GetBooleanValue(at(7)));
    EXPECT_EQ(text(at(5)), "10 pt");
    // Typed values are clamped to the field's range.
    dm.userAction(panel, type(4, "250"));
    EXPECT_EQ(item->GetFloatValue(at(4)), 100.0f);
    // Within the bounds an item starts with, a value far past every 32-bit whole number reads
    // as the nearest one; the bounds too.
    item->SetMinFloatValue(at(4), -1e30f);
    item->SetMaxFloatValue(at(4), 1e30f);
    dm.userAction(panel, type(4, "-1e30"));
    EXPECT_EQ(item->GetIntValue(at(4)), INT32_MIN);
    EXPECT_EQ(item->GetMinIntValue(at(4)), INT32_MIN);
    EXPECT_EQ(item->GetMaxIntValue(at(4)), INT32_MAX);
    dm.userAction(panel, type(4, "-2.5"));
    EXPECT_EQ(item->GetIntValue(at(4)), -3);
    EXPECT_TRUE(dm.failures().empty());
}

TEST_F(FloatingPanelTest, SliderDragSendsIntermediateThenUserChange) {
    EXPECT_EQ(dm.userDragSlider(panel, 6, {6, 8, 30}), kNoErr);
    const std::vector<std::string> expected{"6 intermediate 6", "6 intermediate 8", "6 user 20"};
    EXPECT_EQ(events, expected);
    EXPECT_EQ(item->GetIntValue(at(6)), 20);
}

TEST_F(FloatingPanelTest, SendNotifyRunsTheNotifierAsTheUserWould) {
    EXPECT_EQ(item->SendNotify(at(3), nullptr), kNoErr);
    EXPECT_EQ(item->SendNotify(at(6), kADMIntermediateChangedNotifier), kNoErr);
    const std::vector<std::string> expected{"3 user on", "6 intermediate 5"};
    EXPECT_EQ(events, expected);
}

TEST_F(FloatingPanelTest, TrackerSeesTheKeyThatEndsTheTypingWithTheTextTyped) {
    struct Local {
        static ASBoolean track(ADMItemRef it, ADMTrackerRef tr) {
            AdmTest& t = *AdmTest::current;
            ADMPoint p{};
            t.tracker->GetPoint(tr, &p);
            t.events.push_back("track action " + std::to_string(t.tracker->GetAction(tr)) + " at " +
                               std::to_string(p.h) + "," + std::to_string(p.v) + " key " +
                               std::to_string(t.tracker->GetVirtualKey(tr)) + " mods " +
                               std::to_string(t.tracker->GetModifiers(tr)) + " text " + t.text(it));
            return t.item->DefaultTrack(it, tr);
        }
        static ASBoolean swallow(ADMItemRef, ADMTrackerRef) { return false; }
    };
    item->SetTrackProc(at(4), Local::track);
    dm.userAction(panel, type(4, "30", kADMEnterKey));
    auto click = press(12);
    click.modifiers = kADMShiftKeyModifier | kADMModKeyModifier;
    click.point = {3, 4};
    item->SetTrackProc(at(12), Local::track);
    dm.userAction(panel, click);
    const std::vector<std::string> expected{"track action 3 at 40,10 key 3 mods 0 text 30", "4 user 30",
                                            "track action 1 at 3,4 key 0 mods 160 text Apply", "12 user"};
    EXPECT_EQ(events, expected);

    // A tracker that declines without the default tracking swallows the key that ends the
    // typing: the text stays as typed and nothing is told.
    events.clear();
    item->SetTrackProc(at(4), Local::swallow);
    dm.userAction(panel, type(4, "31"));
    EXPECT_TRUE(events.empty());
    EXPECT_EQ(text(at(4)), "31");
}

TEST_F(FloatingPanelTest, PopupFilledFromAMenuResource) {
    ADMListRef l = item->GetList(at(5));
    ASSERT_NE(l, nullptr);
    ASSERT_EQ(list->NumberOfEntries(l), 5);
    EXPECT_EQ(list->GetMenuID(l), 16150);
    ADMEntryRef sep = list->IndexEntry(l, 2);
    EXPECT_TRUE(entry->IsSeparator(sep));
    EXPECT_EQ(entry->GetID(sep), 3);
    char buf[32];
    entry->GetText(list->GetEntry(l, 5), buf, sizeof buf);
    EXPECT_STREQ(buf, "12 \xB0");  // UTF-8 in the file, platform bytes here
    EXPECT_EQ(entry->GetIndex(list->GetEntry(l, 4)), 3);
    EXPECT_EQ(list->GetEntry(l, 99), nullptr);
    EXPECT_EQ(list->IndexEntry(l, 5), nullptr);
    EXPECT_EQ(list->IndexEntry(l, -1), nullptr);

    // The template made entry 2 ("8 pt") active; activating a missing entry changes nothing.
    EXPECT_EQ(entry->GetID(list->GetActiveEntry(l)), 2);
    EXPECT_EQ(entry->Activate(list->GetEntry(l, 42), true), kStaleHandleErr);
    EXPECT_EQ(entry->GetID(list->GetActiveEntry(l)), 2);

    // Refilling from another menu; an unknown menu leaves the list empty and fails.
    EXPECT_EQ(list->SetMenuID(l, nullptr, 17000, ""), kNoErr);
    EXPECT_EQ(list->NumberOfEntries(l), 2);
    EXPECT_EQ(list->GetActiveEntry(l), nullptr);
    EXPECT_NE(list->SetMenuID(l, nullptr, 4242, ""), kNoErr);
    EXPECT_EQ(list->NumberOfEntries(l), 0);

    // Picking a separator is not something a user can do.
    list->SetMenuID(l, nullptr, 16150, "");
    EXPECT_NE(dm.userAction(panel, pick(5, 2)), kNoErr);
    EXPECT_TRUE(events.empty());
}

TEST_F(FloatingPanelTest, ListsBuiltEntryByEntry) {
    ADMListRef l = item->GetList(at(kADMPopoutMenuItemID));
    ASSERT_NE(l, nullptr);
    ADMEntryRef a = list->InsertEntry(l, 0);
    ADMEntryRef b = list->InsertEntry(l, 99);  // clamped: appended
    ADMEntryRef c = list->InsertEntry(l, 1);
    entry->SetText(a, "Show options");
    entry->SetText(b, "Reset");
    entry->MakeSeparator(c, true);
    entry->Check(a, true);
    entry->Enable(b, false);
    EXPECT_EQ(list->NumberOfEntries(l), 3);
    EXPECT_EQ(entry->GetIndex(b), 2);
    EXPECT_TRUE(entry->IsChecked(a));
    EXPECT_FALSE(entry->IsEnabled(b));
    EXPECT_EQ(list->FindEntry(l, "Reset"), b);
    EXPECT_NE(dm.userAction(panel, pick(kADMPopoutMenuItemID, 2)), kNoErr);  // disabled
    EXPECT_EQ(dm.userAction(panel, pick(kADMPopoutMenuItemID, 0)), kNoErr);
    EXPECT_EQ(list->GetActiveEntry(l), a);
    EXPECT_EQ(list->RemoveEntry(l, 0), kNoErr);
    EXPECT_EQ(list->GetActiveEntry(l), nullptr);
    EXPECT_EQ(entry->GetID(a), 0);  // stale
    EXPECT_EQ(list->RemoveEntry(l, 5), kOutOfRangeErr);
    const std::vector<std::string> expected{"-5 user"};
    EXPECT_EQ(events, expected);
}

TEST_F(FloatingPanelTest, ListBoxMultiSelection) {
    ADMListRef l = item->GetList(at(9));
    for (int i = 0; i < 4; ++i) entry->SetText(list->InsertEntry(l, i), ("Layer " + std::to_string(i + 1)).c_str());
    dm.userAction(panel, pick(9, 1));
    dm.userAction(panel, pick(9, 3, kADMMenuKeyModifier));
    EXPECT_EQ(list->NumberOfSelectedEntries(l), 2);
    EXPECT_EQ(entry->GetIndex(list->IndexSelectedEntry(l, 1)), 3);
    dm.userAction(panel, pick(9, 0));  // a plain click selects one alone
    EXPECT_EQ(list->NumberOfSelectedEntries(l), 1);
    EXPECT_EQ(events.size(), 3u);

    // A single-select list keeps one selected entry.
    item->SetItemStyle(at(9), kADMDividedListBoxStyle);
    entry->Select(list->IndexEntry(l, 2), true);
    entry->Select(list->IndexEntry(l, 3), true);
    EXPECT_EQ(list->NumberOfSelectedEntries(l), 1);
}

TEST_F(FloatingPanelTest, DrawProcRunsOnUpdateAfterInvalidate) {
    struct Local {
        static void draw(ADMItemRef, ADMDrawerRef d) {
            AdmTest& t = *AdmTest::current;
            ADMRect r{};
            t.drawer->GetBoundsRect(d, &r);
            t.drawer->SetADMColor(d, kADMBackgroundColor);
            t.drawer->DrawSunkenRect(d, &r);
            const ADMRGBColor red{65535, 0, 0};
            t.drawer->SetRGBColor(d, &red);
            t.drawer->FillRect(d, &r);
            t.events.push_back("draw");
        }
    };
    ADMItemRef swatch = at(10);
    item->SetDrawProc(swatch, Local::draw);
    item->Update(swatch);
    item->Update(swatch);  // nothing invalid: no redraw
    item->Invalidate(swatch);
    dialog->Update(panel);
    EXPECT_EQ(events.size(), 2u);
    const auto& ops = dm.drawing(swatch);
    ASSERT_EQ(ops.size(), 2u);
    EXPECT_EQ(ops[0].op, "sunken");
    EXPECT_EQ(ops[0].colorCode, kADMBackgroundColor);
    EXPECT_EQ(ops[1].op, "fill");
    EXPECT_EQ(ops[1].colorCode, kADMRGBColorCode);
    EXPECT_EQ(ops[1].rgb.red, 65535);
    EXPECT_EQ(ops[1].rect.right, 32);
    EXPECT_EQ(ops[1].rect.bottom, 20);

    // Offscreen images record their own drawing; the host may refuse one.
    ADMImageRef img = drawer->CreateOffscreen(16, 16);
    ADMDrawerRef d = drawer->BeginADMDrawer(img);
    ADMRect r{0, 0, 16, 16};
    drawer->DrawRect(d, &r);
    drawer->EndADMDrawer(img);
    EXPECT_EQ(drawer->DrawRect(d, &r), kStaleHandleErr);
    EXPECT_EQ(dm.imageOps(img)->size(), 1u);
    EXPECT_EQ(drawer->DestroyOffscreen(img), kNoErr);
    dm.setFailOffscreen(true);
    EXPECT_EQ(drawer->CreateOffscreen(16, 16), nullptr);
    EXPECT_NE(drawer->GetIconFromResource(nullptr, 16401), nullptr);
    EXPECT_EQ(drawer->GetIconFromResource(nullptr, 16402), nullptr);
}

TEST_F(FloatingPanelTest, PlacementGroupsAndSpecialItems) {
    ADMRect r{};
    dialog->GetBoundsRect(panel, &r);
    EXPECT_EQ(r.left, 100);
    dialog->Move(panel, 10, 20);
    dialog->Size(panel, 50, 60);
    dialog->GetBoundsRect(panel, &r);
    EXPECT_EQ(r.left, 10);
    EXPECT_EQ(r.top, 20);
    EXPECT_EQ(r.right, 60);
    EXPECT_EQ(r.bottom, 80);
    dialog->GetLocalRect(panel, &r);
    EXPECT_EQ(r.left, 0);
    EXPECT_EQ(r.right, 50);

    EXPECT_EQ(group->SetDialogGroupInfo(panel, "Plotwise group", {3, 0}), kNoErr);
    const char* name = nullptr;
    ADMPositionCode code{-1, -1};
    EXPECT_EQ(group->GetDialogGroupInfo(panel, &name, &code), kNoErr);
    EXPECT_STREQ(name, "Plotwise group");
    EXPECT_EQ(code.fPositionCode, 3);
    dm.setRefuseDialogGroups(true);
    EXPECT_NE(group->SetDialogGroupInfo(panel, "Other", {1, 0}), kNoErr);

    EXPECT_FALSE(dialog->IsCollapsed(panel));
    dm.userCollapse(panel, true);
    EXPECT_TRUE(dialog->IsCollapsed(panel));
    EXPECT_TRUE(dialog->IsVisible(panel));

    ADMItemRef host = at(kADMHostItemID);
    ASSERT_NE(host, nullptr);
    item->Show(host, false);
    EXPECT_FALSE(item->IsVisible(host));
    char type[64];
    item->GetItemType(at(kADMPopoutMenuItemID), type, sizeof type);
    EXPECT_STREQ(type, kADMPopupMenuType);
    item->GetItemType(at(11), type, sizeof type);
    EXPECT_STREQ(type, kADMSpinEditPopupType);

    // The dialog-level notifier hears the user's resize as a user change.
    struct Local {
        static void notify(ADMDialogRef, ADMNotifierRef n) {
            AdmTest& t = *AdmTest::current;
            char buf[64];
            t.notifier->GetNotifierType(n, buf, sizeof buf);
            t.events.push_back(buf);
        }
    };
    dialog->SetNotifyProc(panel, Local::notify);
    dm.userResize(panel, 50, 200);
    ASSERT_EQ(events.size(), 1u);
    EXPECT_EQ(events[0], kADMUserChangedNotifier);
}

TEST_F(FloatingPanelTest, PanelsLiveUntilShutDownAndStaleHandlesAreHarmless) {
    ADMItemRef field = at(4);
    EXPECT_EQ(dm.findDialog("Document"), panel);
    EXPECT_EQ(dialog->Destroy(panel), kNoErr);
    EXPECT_EQ(dm.findDialog("Document"), nullptr);
    EXPECT_EQ(item->SetText(field, "1"), kStaleHandleErr);
    EXPECT_EQ(dialog->GetItem(panel, 4), nullptr);
    EXPECT_EQ(dialog->IsVisible(panel), 0);
    EXPECT_NE(dm.userAction(panel, press(3)), kNoErr);

    ADMDialogRef again = dialog->Create(nullptr, "Document", 16500, kADMTabbedFloatingDialogStyle, nullptr, nullptr, 0);
    ASSERT_NE(again, nullptr);
    dm.shutdown();
    EXPECT_TRUE(dm.openDialogs().empty());
    EXPECT_EQ(dialog->GetItem(again, 4), nullptr);
    // Broken or missing templates give no panel.
    EXPECT_EQ(dialog->Create(nullptr, "Broken", 16999, 3, nullptr, nullptr, 0), nullptr);
    EXPECT_EQ(dialog->Create(nullptr, "Missing", 1, 3, nullptr, nullptr, 0), nullptr);
    EXPECT_FALSE(resources.problems().empty());
}

TEST_F(FloatingPanelTest, NumericFieldsFormatWithPrecisionAndUnits) {
    ADMItemRef f = at(4);
    item->SetPrecision(f, 2);
    item->SetUnits(f, kADMPointUnits);
    item->ShowUnits(f, true);
    item->SetAllowUnits(f, true);
    item->SetFloatValue(f, 12.5f);
    EXPECT_EQ(text(f), "12.50 pt");
    dm.userAction(panel, type(4, "1 in"));
    EXPECT_FLOAT_EQ(item->GetFloatValue(f), 72.0f);
    EXPECT_EQ(text(f), "72.00 pt");
    item->SetAllowUnits(f, false);
    dm.userAction(panel, type(4, "1 mm"));  // other units not allowed: refused
    EXPECT_FLOAT_EQ(item->GetFloatValue(f), 72.0f);
    item->Known(f, false);
    EXPECT_FALSE(item->IsKnown(f));
    dm.userAction(panel, type(4, "5"));
    EXPECT_TRUE(item->IsKnown(f));
    // The spin-edit popup takes a picked entry's text as its value.
    dm.userAction(panel, pick(11, 3));
    EXPECT_EQ(item->GetIntValue(at(11)), 10);
}

}  // namespace admtest

namespace admtest {

TEST_F(FloatingPanelTest, PanelsAreFoundByNameForTheScript) {
    EXPECT_EQ(dm.panelAction("Document", press(3)), kNoErr);
    EXPECT_NE(dm.panelAction("Nowhere", press(3)), kNoErr);
    ASSERT_EQ(dm.failures().size(), 1u);
    const std::string d = dm.describe(panel);
    EXPECT_NE(d.find("  3 ADM Text Check Box Type \"Use live dimensions\" value 0"), std::string::npos) << d;
    EXPECT_NE(d.find("\"8 pt\"*"), std::string::npos) << d;
}

TEST_F(FloatingPanelTest, CallbacksMayDestroyThePanelTheyRunIn) {
    struct Local {
        static ASBoolean track(ADMItemRef it, ADMTrackerRef) {
            AdmTest& t = *AdmTest::current;
            t.dialog->Destroy(t.item->GetDialog(it));
            return true;
        }
        static void notify(ADMItemRef it, ADMNotifierRef) {
            AdmTest& t = *AdmTest::current;
            t.dialog->Destroy(t.item->GetDialog(it));
        }
    };
    item->SetTrackProc(at(12), Local::track);
    EXPECT_EQ(dm.userAction(panel, press(12)), kNoErr);
    EXPECT_TRUE(dm.openDialogs().empty());
    panel = dialog->Create(nullptr, "Document", 16500, kADMTabbedFloatingDialogStyle, nullptr, nullptr, 0);
    item->SetNotifyProc(at(6), Local::notify);
    EXPECT_EQ(dm.userDragSlider(panel, 6, {1, 2, 3}), kStaleHandleErr);
    EXPECT_TRUE(dm.openDialogs().empty());
}

}  // namespace admtest
