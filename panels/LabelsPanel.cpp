// The labels panel: its frame, its rows of style controls, the format's option rows, the
// numeric option that moves the counter on, the next-value field and the custom text.
#include "panels/LabelsPanel.h"

#include "artwork/LabelCounters.h"
#include "core/PlotwiseDialogItems.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "units/NumericFields.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;
using D = Plotwise3_Live_Dimension_Data;
using K = ControlKind;

constexpr int32_t kParkedRow = 270;
constexpr int32_t kFirstOptionItem = 22, kLastOptionItem = 41;
constexpr size_t kMaxCustomText = 255;

void AfterOption(ADMDialogRef) { UpdateLabelIncrementFld(); }

template <auto F>
constexpr const StyleField* Field = &StyleFieldOf<F>();

constexpr auto kLeader = Field<&D::labelLeader>;
constexpr auto kShape = Field<&D::labelShape>;

constexpr StyleControl Radio(int32_t item, const StyleField* f, CADAttrType code, int32_t value) {
    return {item, K::kRadio, f, code, value};
}
constexpr StyleControl Check(int32_t item, const StyleField* f, CADAttrType code) {
    return {item, K::kCheckBox, f, code};
}

constexpr StyleControl kControls[] = {
    Radio(1, kLeader, kCADAttrLabelLeader, 3),
    Radio(2, kLeader, kCADAttrLabelLeader, 0),
    Radio(3, kLeader, kCADAttrLabelLeader, 4),
    Radio(4, kLeader, kCADAttrLabelLeader, 1),
    Radio(5, kLeader, kCADAttrLabelLeader, 2),
    Radio(6, kLeader, kCADAttrLabelLeader, 5),
    {kLeaderLengthField, K::kReal, Field<&D::labelLeaderLength>, kCADAttrLabelLeaderLength, 0, 0, kMaxStyleLength},
    Radio(8, kShape, kCADAttrLabelShape, 0),
    Radio(9, kShape, kCADAttrLabelShape, 1),
    Radio(11, kShape, kCADAttrLabelShape, 2),
    Radio(12, kShape, kCADAttrLabelShape, 3),
    Radio(10, kShape, kCADAttrLabelShape, 5),
    Radio(13, kShape, kCADAttrLabelShape, 6),
    {kBorderSlider, K::kSlider, Field<&D::labelBorder>, kCADAttrLabelBorder, 0, 0, 35, nullptr, ActsOn::kDragging},
    Check(42, Field<&D::stretchLabelShape>, kCADAttrStretchLabelShape),
    {kAlphaOptionPopup, K::kPopupIndex, Field<&D::alphaLabelMenuOption>, kCADAttrAlphaLabelMenuOption, 0, 0, 0,
     &AfterOption},
    Check(30, Field<&D::NumericLabelsUseLeadingZeros>, kCADAttrNumericLabelLeadingZeros),
    {31, K::kInteger, Field<&D::NumericLabelsNumberOfLeadingZeros>, kCADAttyNumericLabelNumberOfLeadingZeros, 0, 0,
     5},
    {kCustomOptionPopup, K::kPopupIndex, Field<&D::customLabelMenuOption>, kCADAttrCustomLabelMenuOption, 0, 0, 0,
     &AfterOption},
    Check(36, Field<&D::geoLabelX>, kCADAttrGeoLabelX),
    Check(37, Field<&D::geoLabelY>, kCADAttrGeoLabelY),
    Check(38, Field<&D::geoLabelW>, kCADAttrGeoLabelW),
    Check(39, Field<&D::geoLabelH>, kCADAttrGeoLabelH),
    Check(40, Field<&D::geoLabelP>, kCADAttrGeoLabelP),
    Check(41, Field<&D::geoLabelA>, kCADAttrGeoLabelA),
};

// The rows of each format: item and its place from the top; then the panel's height.
struct RowPlace {
    int32_t item, top;
};
struct FormatLayout {
    RowPlace rows[6];
    int32_t height;
};
constexpr FormatLayout kLayouts[] = {
    {{{22, 175}, {23, 172}, {24, 175}, {25, 172}}, 196},
    {{{26, 175}, {27, 172}, {24, 175}, {25, 172}, {30, 195}, {31, 195}}, 218},
    {{{36, 172}, {37, 172}, {38, 172}, {39, 172}, {40, 194}, {41, 194}}, 218},
    {{{32, 175}, {33, 172}, {34, 197}, {35, 194}}, 218},
};

void MoveItemTo(ADMDialogRef dialog, int32_t id, int32_t top) {
    ADMItemRef item = Item(dialog, id);
    ADMRect r{};
    if (!item || sADMItem->GetBoundsRect(item, &r)) return;
    sADMItem->Move(item, r.left, top);
}

}  // namespace

std::span<const StyleControl> LabelsPanelControls() { return kControls; }

AIErr CreateCADlabelsWindow() { return CreatePanel(kLabelsFrame, Guarded<&InitCADlabelsWindow>); }

ASErr InitCADlabelsWindow(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kLabelsFrame, dialog)) return err;
    g->CADlabelsWindow = dialog;
    if (!SizeCollapsedPanel(kLabelsFrame, dialog)) {
        sADMDialog->Size(dialog, kPanelWidth, kLabelsCollapsedRowsHeight);
        MoveLabelOptions(g->prefs.style.labelFormat);
    }
    SetupStyleControls(dialog, kControls);
    const D& s = g->prefs.style;
    SetupPanelPopup(dialog, kLabelFormatPopup, 0, s.labelFormat, Guarded<&LabelFormatPopupNotifierProc>);
    SetupPanelPopup(dialog, kNumericOptionPopup, 0, s.numericLabelMenuOption,
                    Guarded<&NumericLabelOptionsPopupNotifierProc>);
    if (ADMItemRef next = Item(dialog, kLabelNextField))
        sADMItem->SetNotifyProc(next, Guarded<&LabelIncrementNotifierProc>);
    UpdateLabelIncrementFld();  // the next letter or number shown from the start
    if (ADMItemRef text = Item(dialog, kCustomTextField)) {
        SetAlphaSingleLineFldPrefs(text, g->prefs.customLabelDefaultText);
        sADMItem->SetNotifyProc(text, Guarded<&CustomLabelTextNotifierProc>);
    }
    if (g->theLabelOptionsTimer) sAITimer->SetTimerActive(g->theLabelOptionsTimer, true);
    SetPanelIcons(kLabelsFrame, dialog);
    return kNoErr;
}

AIErr WriteCADlabelsWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kLabelsFrame, dialog); }

AIErr LabelOptionsTimerAction() {
    if (g) MoveLabelOptions(g->prefs.style.labelFormat);
    return kNoErr;
}

void MoveLabelOptions(int32_t format) {
    ADMDialogRef dialog = g ? g->CADlabelsWindow : nullptr;
    if (!dialog) return;
    ADMRect rect{};
    if (sADMDialog->GetLocalRect(dialog, &rect)) return;
    for (int32_t id = kFirstOptionItem; id <= kLastOptionItem; ++id) MoveItemTo(dialog, id, kParkedRow);
    if (format < 0 || format >= static_cast<int32_t>(std::size(kLayouts))) return;
    const FormatLayout& layout = kLayouts[format];
    for (const RowPlace& row : layout.rows)
        if (row.item) MoveItemTo(dialog, row.item, row.top);
    rect.bottom = rect.top + layout.height;
    sADMDialog->SetLocalRect(dialog, &rect);
    sADMDialog->Invalidate(dialog);
    sADMDialog->Update(dialog);
}

void UpdateLabelIncrementFld() {
    ADMDialogRef dialog = g ? g->CADlabelsWindow : nullptr;
    if (!dialog) return;
    // The popup is the authority, as for the dimensions' next field.
    if (const int32_t shown = ActivePopupIndex(Item(dialog, kLabelFormatPopup)); shown >= 0)
        g->prefs.style.labelFormat = shown;
    ADMItemRef next = Item(dialog, kLabelNextField);
    if (!next) return;
    switch (g->prefs.style.labelFormat) {
        case 0:
            EnableItems(dialog, {kLabelNextField, kLabelNextCaption}, true);
            SetAlphaSingleLineFldPrefs(next,
                                       GetAlphaLabelText(static_cast<int16_t>(g->prefs.incrementalLabelAlpha)).c_str());
            break;
        case 1:
            EnableItems(dialog, {kLabelNextField, kLabelNextCaption}, true);
            SetWholeNumberFieldText(next, g->prefs.incrementalLabelNumber);
            break;
        case 3:
            SetAlphaSingleLineFldPrefs(next, " ");
            EnableItems(dialog, {kLabelNextField, kLabelNextCaption}, false);
            break;
        default: break;
    }
}

void LabelFormatPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        if (const int32_t index = ActivePopupIndex(item); index >= 0) {
            g->prefs.style.labelFormat = index;
            sADMItem->Known(item, true);
            PushStyle(kCADAttrLabelFormat);
            UpdateLabelIncrementFld();
        }
    }
    if (g) MoveLabelOptions(g->prefs.style.labelFormat);
    sADMItem->DefaultNotify(item, notifier);
}

void NumericLabelOptionsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        if (const int32_t index = ActivePopupIndex(item); index >= 0) {
            if (index != g->prefs.style.numericLabelMenuOption) {
                g->prefs.style.numericLabelMenuOption = index;
                (void)GetNextNumericLabelIncrement();  // the counter moves on under the new rule
            }
            PushStyle(kCADAttrNumericLabelMenuOption);
            UpdateLabelIncrementFld();
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void LabelIncrementNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier))
        TakeNextCounter(item, g->prefs.style.labelFormat, 0, g->prefs.incrementalLabelAlpha,
                        g->prefs.incrementalLabelNumber, &UpdateLabelIncrementFld);
    sADMItem->DefaultNotify(item, notifier);
}

void CustomLabelTextNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        char text[kMaxCustomText + 1] = {};
        sADMItem->GetText(item, text, static_cast<int32_t>(sizeof text));
        CopyCString(g->prefs.customLabelDefaultText, text);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void RefreshCADlabelsWindowFromSelection(ADMDialogRef dialog, const live_attributes_map& map,
                                         const Plotwise3_Live_Dimension_Data& ref) {
    RefreshStyleControls(dialog, LabelsPanelControls(), map, ref);
    ShowIfKnown(dialog, kNumericOptionPopup, map, *Field<&D::numericLabelMenuOption>, [&](ADMItemRef popup) {
        TakeStyleField(*Field<&D::numericLabelMenuOption>, ref);
        ActivateEntryByIndex(popup, g->prefs.style.numericLabelMenuOption);
    });
    ADMItemRef next = Item(dialog, kLabelNextField);
    ShowIfKnown(dialog, kLabelFormatPopup, map, *Field<&D::labelFormat>, [&](ADMItemRef popup) {
        TakeStyleField(*Field<&D::labelFormat>, ref);
        ActivateEntryByIndex(popup, g->prefs.style.labelFormat);
        if (next) sADMItem->Known(next, true);
        UpdateLabelIncrementFld();
    });
    MoveLabelOptions(g->prefs.style.labelFormat);
}
