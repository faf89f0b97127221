// The shared create, initialise, adjust and write steps of the floating panels.
#include "panels/PanelFrame.h"

#include "core/PlotwisePanelPlacement.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "panels/PanelGlobals.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

}  // namespace

std::vector<const PanelFrame*> PanelFrames() {
    std::vector<const PanelFrame*> frames;
    if (!g) return frames;  // their handles live in the global record
    for (const PlotwisePanelRow* row : PlotwisePanels())
        if (row->frame) frames.push_back(row->frame);
    return frames;
}

void RunPanelStep(void (*PanelFrame::*step)(ADMDialogRef dialog)) {
    for (const PanelFrame* frame : PanelFrames())
        if (frame->*step)
            if (ADMDialogRef dialog = frame->row->window()) (frame->*step)(dialog);
}

AIErr CreatePanel(const PanelFrame& frame, ADMDialogInitProc init) {
    if (!g || !sADMDialog) return kNoErr;
    char title[512];
    GetPlotwiseString(kPanelTitleList, frame.titleIndex, title, sizeof title);
    const char* name = title[0] ? title : frame.row->dialogName;
    ADMDialogRef dialog =
        sADMDialog->Create(g->thisPlugin, name, frame.dialogID, kADMTabbedFloatingDialogStyle, init, nullptr, 0);
    frame.row->window() = dialog;
    return kNoErr;
}

PanelInitScope::PanelInitScope(ADMDialogRef dialog) {
    if (!g || !sADMBasic || !sADMDialog) {
        err_ = kBadParameterErr;
        return;
    }
    if ((err_ = sADMBasic->PushAppContext(sADMDialog->GetPluginRef(dialog)))) return;
    pushed_ = true;
    if ((err_ = AcquirePlotwiseSuites(g->basic))) return;
    acquired_ = true;
}

PanelInitScope::~PanelInitScope() {
    if (acquired_) ReleasePlotwiseSuites();
    if (pushed_ && sADMBasic) sADMBasic->PopAppContext();
}

AIErr RestorePanelPlacement(const PanelFrame& frame, ADMDialogRef dialog) {
    const AIRealPoint where = g->prefs.*frame.row->loc;
    if (AIErr err = sADMDialog->Move(dialog, static_cast<int32_t>(where.h), static_cast<int32_t>(where.v)))
        return err;
    return JoinPanelDockGroup(*frame.row, dialog, g->prefs);
}

ADMItemRef SetupPanelPopout(const PanelFrame& frame, ADMDialogRef dialog, ADMItemNotifyProc notifier) {
    if (frame.popoutMenu == 0) return nullptr;
    ADMItemRef popout = sADMDialog->GetItem(dialog, kADMPopoutMenuItemID);
    if (!popout) return nullptr;
    sADMList->SetMenuID(sADMItem->GetList(popout), g->thisPlugin, frame.popoutMenu, "");
    sADMItem->SetNotifyProc(popout, notifier);
    return popout;
}

void SetBoldCaptions(ADMDialogRef dialog, std::initializer_list<int32_t> items) {
    for (int32_t id : items)
        if (ADMItemRef item = sADMDialog->GetItem(dialog, id)) sADMItem->SetFont(item, kADMBoldPaletteFont);
}

void SetPanelIcons(const PanelFrame& frame, ADMDialogRef dialog) {
    if (!sADMDrawer) return;
    sADMDialog->SetIcon(dialog, 0, sADMDrawer->GetIconFromResource(g->thisPlugin, frame.icon));
    sADMDialog->SetIcon(dialog, 1, sADMDrawer->GetIconFromResource(g->thisPlugin, frame.icon + kSecondIconOffset));
}

void AdjustPanelOptions(const PanelFrame& frame, ADMItemRef popout) {
    if (!popout || !frame.row->options || frame.shownHeight == 0) return;
    ADMDialogRef dialog = sADMItem->GetDialog(popout);
    ADMEntryRef first = sADMList->IndexEntry(sADMItem->GetList(popout), 0);
    ADMRect rect{};
    if (sADMDialog->GetLocalRect(dialog, &rect)) return;
    const bool shown = g->prefs.*frame.row->options != 0;
    char text[256];
    GetPlotwiseString(kWordList, shown ? kHideOptionsWord : kShowOptionsWord, text, sizeof text);
    if (first) sADMEntry->SetText(first, text);
    rect.bottom = rect.top + (shown ? frame.shownHeight : frame.hiddenHeight);
    sADMDialog->SetLocalRect(dialog, &rect);
}

bool SizeCollapsedPanel(const PanelFrame& frame, ADMDialogRef dialog) {
    if (!(g->prefs.*frame.row->collapse)) return false;
    sADMDialog->Size(dialog, kPanelWidth, 0);
    return true;
}

AIErr WritePanelPrefs(const PanelFrame& frame, ADMDialogRef dialog) {
    if (!g || !dialog) return kBadParameterErr;
    ADMRect bounds{};
    if (AIErr err = sADMDialog->GetBoundsRect(dialog, &bounds)) return err;
    g->prefs.*frame.row->loc = AIRealPoint{static_cast<AIReal>(bounds.left), static_cast<AIReal>(bounds.top)};
    if (AIErr err = ReadPanelDockGroup(*frame.row, dialog, g->prefs)) return err;
    g->prefs.*frame.row->collapse = sADMDialog->IsCollapsed(dialog) ? 1 : 0;
    return kNoErr;
}
