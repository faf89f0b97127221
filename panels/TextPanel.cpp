// The text panel: its frame and height, its rows of style controls, the font and size, the
// diameter symbol's place, the units and precision pairs, and the dimension format with
// its next value.
#include "panels/TextPanel.h"

#include <string_view>

#include "artwork/LabelCounters.h"
#include "core/PlotwiseDialogItems.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "geometry/UnitFormat.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "units/NumericFields.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;
using D = Plotwise3_Live_Dimension_Data;
using K = ControlKind;

constexpr int32_t kSizeMenu = 16150;
constexpr int32_t kHeightHidden = 119, kHeightShort = 242, kHeightShown = 358, kHeightDual = 450;

void AfterDual(ADMDialogRef) { AdjustCADtextPalette(); }
void AfterUpperTolerance(ADMDialogRef dialog) {
    EnableItems(dialog, {kUpperToleranceField, kUpperSuperscriptCheckBox}, g->prefs.style.upperTolerance != 0);
}
void AfterLowerTolerance(ADMDialogRef dialog) {
    EnableItems(dialog, {kLowerToleranceField, kLowerSuperscriptCheckBox}, g->prefs.style.lowerTolerance != 0);
}

template <auto F>
constexpr const StyleField* Field = &StyleFieldOf<F>();

constexpr StyleControl Check(int32_t item, const StyleField* f, CADAttrType code, void (*after)(ADMDialogRef) = nullptr) {
    return {item, K::kCheckBox, f, code, 0, 0, 0, after};
}
constexpr StyleControl Radio(int32_t item, const StyleField* f, CADAttrType code, int32_t value) {
    return {item, K::kRadio, f, code, value};
}

constexpr auto kSmallestTextSize = static_cast<float>(style_fields::kTextSizeLeast);

constexpr auto kH = Field<&D::hTextPlacement>;
constexpr auto kV = Field<&D::vTextPlacement>;
constexpr auto kA = Field<&D::aTextPlacement>;

constexpr StyleControl kControls[] = {
    // No smaller than a stored size may be: text of size 0 would not be seen.
    {kTextSizeField, K::kReal, Field<&D::dimensionTextSize>, kCADAttrDimensionTextSize, 0, kSmallestTextSize,
     kMaxStyleLength},
    Radio(5, kH, kCADAttrHTextPlacement, 1),
    Radio(6, kH, kCADAttrHTextPlacement, 2),
    Radio(8, kV, kCADAttrVTextPlacement, 1),
    Radio(12, kV, kCADAttrVTextPlacement, 2),
    Radio(10, kV, kCADAttrVTextPlacement, 3),
    Radio(11, kV, kCADAttrVTextPlacement, 4),
    Radio(9, kV, kCADAttrVTextPlacement, 5),
    Radio(14, kA, kCADAttrATextPlacement, 1),
    Radio(15, kA, kCADAttrATextPlacement, 2),
    {13, K::kReal, Field<&D::textDistanceAboveLine>, kCADAttrTextDistanceAboveLine, 0, 0, kMaxStyleLength},
    Check(41, Field<&D::useUniversalTextAngle>, kCADAttrUseUniversalTextAngle),
    Check(17, Field<&D::appendDiamLabels>, kCADAttrAppendDiamLabels),
    Check(kDualDimensionsCheckBox, Field<&D::dualDimensions>, kCADAttrDualDimensions, &AfterDual),
    Check(23, Field<&D::appendUpperUnitLabels>, kCADAttrAppendUpperUnitLabels),
    Check(kUpperToleranceCheckBox, Field<&D::upperTolerance>, kCADAttrUpperTolerance, &AfterUpperTolerance),
    {kUpperToleranceField, K::kText, Field<&D::upperToleranceValue>, kCADAttrUpperToleranceValue},
    Check(kUpperSuperscriptCheckBox, Field<&D::upperToleranceSuperscript>, kCADAttrUpperToleranceSuperscript),
    Check(30, Field<&D::appendLowerUnitLabels>, kCADAttrAppendLowerUnitLabels),
    Check(kLowerToleranceCheckBox, Field<&D::lowerTolerance>, kCADAttrLowerTolerance, &AfterLowerTolerance),
    {kLowerToleranceField, K::kText, Field<&D::lowerToleranceValue>, kCADAttrLowerToleranceValue},
    Check(kLowerSuperscriptCheckBox, Field<&D::lowerToleranceSuperscript>, kCADAttrLowerToleranceSuperscript),
    Check(43, Field<&D::slideDimText>, kCADAttrSlideDimText),
    {49, K::kSlider, Field<&D::textSpacing>, kCADAttrTextSpacing, 0, 0, 32, nullptr, ActsOn::kDragging},
    // The reference boxes take their state on whatever notification their item gets.
    {kUpperReferenceCheckBox, K::kCheckBox, Field<&D::upperRefDimension>, kCADAttrUpperRefDimension, 0, 0, 0, nullptr,
     ActsOn::kEvery},
    {kLowerReferenceCheckBox, K::kCheckBox, Field<&D::lowerRefDimension>, kCADAttrLowerRefDimension, 0, 0, 0, nullptr,
     ActsOn::kEvery},
};

// The precision field a unit's kind reads: fractional units their own.
int32_t& UpperPrecision(int32_t units) {
    D& s = g->prefs.style;
    return isFractionalUnit(units) ? s.upperFractionalPrecision : s.upperDecimalPrecision;
}
int32_t& LowerPrecision(int32_t units) {
    D& s = g->prefs.style;
    return isFractionalUnit(units) ? s.lowerFractionalPrecision : s.lowerDecimalPrecision;
}

const UnitsPopupPair kUpperPair = {
    .unitsItem = kUpperUnitsPopup,
    .unitsCaption = 21,
    .precisionItem = kUpperPrecisionPopup,
    .precisionCaption = 24,
    .units = +[]() -> int32_t& { return g->prefs.style.upperUnits; },
    .precision = &UpperPrecision,
    .precisionNotifier = Guarded<&UpperPrecisionPopupNotifierProc>,
    .maxEntries = kPanelPrecisionEntries,
    .enables = true,
    .scaleFactor = nullptr,
};
const UnitsPopupPair kLowerPair = {
    .unitsItem = kLowerUnitsPopup,
    .unitsCaption = 28,
    .precisionItem = kLowerPrecisionPopup,
    .precisionCaption = 31,
    .units = +[]() -> int32_t& { return g->prefs.style.lowerUnits; },
    .precision = &LowerPrecision,
    .precisionNotifier = Guarded<&LowerPrecisionPopupNotifierProc>,
    .maxEntries = kPanelPrecisionEntries,
    .enables = true,
    .scaleFactor = nullptr,
};

void RefreshTracker() {
    if (auto refresh = PlotwiseService().updateTrackerWindowFromSelectedArt) (void)refresh(nullptr);
}

// A units pick: the unit stored, the precision popup rebuilt, the unit pushed.
void UnitsPicked(ADMItemRef item, ADMNotifierRef notifier, const UnitsPopupPair& pair, CADAttrType code) {
    if (g && UserChanged(notifier)) {
        const int32_t units = ActivePopupIndex(item);
        if (units >= 0) {
            pair.units() = units;
            const PrecisionsFollowTheirLists lowering;
            SetupPrecisionPopupOfPair(sADMItem->GetDialog(item), pair);
            PushStyle(code);
            RefreshTracker();
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

// A precision pick: the index in both fields of the value, both pushed, so the selected
// dimensions hold what their shared style, the current one, holds.
void PrecisionPicked(ADMItemRef item, ADMNotifierRef notifier, int32_t& decimal, int32_t& fractional,
                     CADAttrType decimalCode, CADAttrType fractionalCode) {
    if (g && UserChanged(notifier)) {
        const int32_t precision = ActivePopupIndex(item);
        if (precision >= 0) {
            decimal = fractional = precision;
            PushStyle(decimalCode);
            PushStyle(fractionalCode);
            RefreshTracker();
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void CheckFixedFormatEntry(ADMItemRef popout) {
    if (!popout) return;
    if (ADMEntryRef entry = sADMList->IndexEntry(sADMItem->GetList(popout), kFixedFormatEntry))
        sADMEntry->Check(entry, g->prefs.liveDimensionFormatMenu == 0);
}

// The upper or lower value: units (entry of id code + 1), the precision popup rebuilt for
// the units in force, and the precision of the units' kind.
struct ValueRows {
    int32_t unitsItem, precisionItem;
    const StyleField &units, &decimal, &fractional;
    void (*setupPrecision)(ADMDialogRef dialog);
};

void RefreshValue(ADMDialogRef dialog, const live_attributes_map& map, const D& ref, const ValueRows& v) {
    ShowIfKnown(dialog, v.unitsItem, map, v.units, [&](ADMItemRef popup) {
        TakeStyleField(v.units, ref);
        ActivateEntryByID(popup, g->prefs.style.*v.units.intField + 1);
    });
    v.setupPrecision(dialog);
    const StyleField& precision = isFractionalUnit(g->prefs.style.*v.units.intField) ? v.fractional : v.decimal;
    ShowIfKnown(dialog, v.precisionItem, map, precision, [&](ADMItemRef popup) {
        TakeStyleField(precision, ref);
        ActivateEntryByID(popup, g->prefs.style.*precision.intField);
    });
}

}  // namespace

std::span<const StyleControl> TextPanelControls() { return kControls; }

AIErr CreateCADtextWindow() {
    if (AIErr err = CreatePanel(kTextFrame, Guarded<&InitCADtextWindow>)) return err;
    if (ADMDialogRef dialog = g->CADtextWindow) {
        if (!SizeCollapsedPanel(kTextFrame, dialog)) AdjustCADtextPalette();
    }
    return kNoErr;
}

ASErr InitCADtextWindow(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kTextFrame, dialog)) return err;
    g->CADtextWindow = dialog;
    CheckFixedFormatEntry(SetupPanelPopout(kTextFrame, dialog, Guarded<&CADtextPopoutNotifierProc>));
    SetBoldCaptions(dialog, {52, 54, 35, 36});
    if (ADMItemRef hint = Item(dialog, 16)) sADMItem->SetFont(hint, kADMItalicPaletteFont);
    (void)SetUpFontMenu(dialog);
    SetupStyleControls(dialog, kControls);
    const D& s = g->prefs.style;
    if (ADMItemRef size = Item(dialog, kTextSizeField))
        SetTypeSizeFldPrefs(size, s.dimensionTextSize, kSmallestTextSize, kMaxStyleLength);
    if (ADMItemRef pos = Item(dialog, kDiameterSymbolPopup)) {
        ActivateEntryByID(pos, s.diameterLabelsBefore ? 1 : 2);
        sADMItem->SetNotifyProc(pos, Guarded<&DiameterPosPopupNotifierProc>);
    }
    if (ADMItemRef upper = Item(dialog, kUpperUnitsPopup))
        sADMItem->SetNotifyProc(upper, Guarded<&UpperUnitsPopupNotifierProc>);
    if (ADMItemRef lower = Item(dialog, kLowerUnitsPopup))
        sADMItem->SetNotifyProc(lower, Guarded<&LowerUnitsPopupNotifierProc>);
    SetupUpperUnitsPopup(dialog);
    SetupLowerUnitsPopup(dialog);
    AfterUpperTolerance(dialog);
    AfterLowerTolerance(dialog);
    SetupPanelPopup(dialog, kDimensionFormatPopup, 0, s.dimensionFormat, Guarded<&DimensionFormatPopupNotifierProc>);
    if (ADMItemRef next = Item(dialog, kDimensionNextField))
        sADMItem->SetNotifyProc(next, Guarded<&DimensionIncrementNotifierProc>);
    UpdateDimensionIncrementFld();
    SetPanelIcons(kTextFrame, dialog);
    return kNoErr;
}

AIErr WriteCADtextWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kTextFrame, dialog); }

void AdjustCADtextPalette() {
    ADMDialogRef dialog = g ? g->CADtextWindow : nullptr;
    if (!dialog) return;
    g->prefs.CADtextCollapseState = sADMDialog->IsCollapsed(dialog) ? 1 : 0;
    if (g->prefs.CADtextCollapseState) return;
    ADMItemRef popout = sADMDialog->GetItem(dialog, kADMPopoutMenuItemID);
    ADMItemRef format = Item(dialog, kDimensionFormatPopup);
    const D& s = g->prefs.style;
    int32_t height = kHeightHidden;
    int32_t word = 0;
    if (format && !sADMItem->IsKnown(format)) {
        height = kHeightShort;
    } else if (g->prefs.showCADtextOptions) {
        word = kHideOptionsWord;
        height = s.dimensionFormat != 0 ? kHeightShort : s.dualDimensions ? kHeightDual : kHeightShown;
    } else {
        word = kShowOptionsWord;
    }
    if (word && popout)
        if (ADMEntryRef first = sADMList->IndexEntry(sADMItem->GetList(popout), 0)) {
            char text[256];
            GetPlotwiseString(kWordList, word, text, sizeof text);
            sADMEntry->SetText(first, text);
        }
    ADMRect rect{};
    if (sADMDialog->GetLocalRect(dialog, &rect)) return;
    rect.bottom = rect.top + height;
    sADMDialog->SetLocalRect(dialog, &rect);
}

void UpdateDimensionIncrementFld() {
    ADMDialogRef dialog = g ? g->CADtextWindow : nullptr;
    if (!dialog) return;
    // The popup is the authority: new dimensions take the format the drafter sees there,
    // whatever a preset left in the style.
    if (const int32_t shown = ActivePopupIndex(Item(dialog, kDimensionFormatPopup)); shown >= 0)
        g->prefs.style.dimensionFormat = shown;
    ADMItemRef next = Item(dialog, kDimensionNextField);
    if (!next) return;
    const int32_t f = g->prefs.style.dimensionFormat;
    const bool counts = f == 1 || f == 2;
    if (f == 1)
        SetAlphaSingleLineFldPrefs(next, GetAlphaLabelText(static_cast<int16_t>(g->prefs.incrementalDimAlpha)).c_str());
    else if (f == 2)
        SetWholeNumberFieldText(next, g->prefs.incrementalDimNumber);
    else
        SetAlphaSingleLineFldPrefs(next, " ");
    EnableItems(dialog, {kDimensionNextField, kDimensionNextCaption}, counts);
}

void ShowDimensionFormatOfStyle() {
    ADMDialogRef dialog = g ? g->CADtextWindow : nullptr;
    if (!dialog) return;
    CheckFixedFormatEntry(sADMDialog->GetItem(dialog, kADMPopoutMenuItemID));
    if (ADMItemRef popup = Item(dialog, kDimensionFormatPopup)) {
        ActivateEntryByIndex(popup, g->prefs.style.dimensionFormat);
        sADMItem->Known(popup, true);
    }
}

void SetupUpperUnitsPopup(ADMDialogRef dialog) {
    if (g && dialog) SetupUnitsPopupPair(dialog, kUpperPair);
}
void SetupLowerUnitsPopup(ADMDialogRef dialog) {
    if (g && dialog) SetupUnitsPopupPair(dialog, kLowerPair);
}
void SetupUpperPrecisionPopup(ADMDialogRef dialog) {
    if (g && dialog) SetupPrecisionPopupOfPair(dialog, kUpperPair);
}
void SetupLowerPrecisionPopup(ADMDialogRef dialog) {
    if (g && dialog) SetupPrecisionPopupOfPair(dialog, kLowerPair);
}

AIErr SetUpFontMenu(ADMDialogRef dialog) {
    ADMItemRef popup = Item(dialog, kFontPopup);
    if (!g || !popup || !sAIFont) return kNoErr;
    ADMListRef list = sADMItem->GetList(popup);
    sADMList->RemoveAllEntries(list);
    ai_int32 count = 0;
    if (AIErr err = sAIFont->CountFonts(&count)) return err;
    ADMEntryRef match = nullptr;
    for (ai_int32 i = 0; i < count; ++i) {
        AIFontKey font = nullptr;
        char name[256] = {};
        if (AIErr err = sAIFont->IndexFontList(i, &font)) return err;
        if (AIErr err = sAIFont->GetUserFontUIName(font, name, static_cast<ai_int16>(sizeof name))) return err;
        ADMEntryRef entry = sADMList->InsertEntry(list, i);
        if (!entry) continue;
        sADMEntry->SetText(entry, name);
        sADMEntry->SetID(entry, i);
        if (std::string_view(name) == g->prefs.style.dimensionTextFaceStr) match = entry;
    }
    if (!match) match = sADMList->GetEntry(list, 1);  // none: the entry of id 1, when there is one
    if (match) sADMEntry->Activate(match, true);
    sADMItem->SetNotifyProc(popup, Guarded<&FontPopupNotifierProc>);
    return kNoErr;
}

void SetTypeSizeFldPrefs(ADMItemRef item, float value, float minimum, float maximum) {
    if (!item) return;
    sADMItem->SetItemType(item, "ADM Spin Edit Popup Type");
    sADMItem->SetItemStyle(item, 0);
    sADMItem->SetPrecision(item, 2);
    sADMItem->SetMinFloatValue(item, minimum);
    sADMItem->SetMaxFloatValue(item, maximum);
    sADMItem->SetFloatValue(item, value);
    sADMItem->SetSmallIncrement(item, 1.0f);
    sADMItem->SetLargeIncrement(item, 1.0f);
    sADMItem->SetUnits(item, kADMPointUnits);
    sADMItem->ShowUnits(item, true);
    sADMItem->SetAllowUnits(item, true);
    sADMItem->SetAllowMath(item, false);
    sADMList->SetMenuID(sADMItem->GetList(item), g->thisPlugin, kSizeMenu, "");
}

void CADtextPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t index = ActivePopupIndex(item);
        if (index == 0) {
            g->prefs.showCADtextOptions = !g->prefs.showCADtextOptions;
            AdjustCADtextPalette();
        } else if (index == kFixedFormatEntry) {
            g->prefs.liveDimensionFormatMenu = !g->prefs.liveDimensionFormatMenu;
            CheckFixedFormatEntry(item);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void FontPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        if (ADMEntryRef entry = sADMList->GetActiveEntry(sADMItem->GetList(item))) {
            char name[256] = {};
            sADMEntry->GetText(entry, name, static_cast<int32_t>(sizeof name));
            name[kMaxFaceName] = '\0';
            CopyCString(g->prefs.style.dimensionTextFaceStr, name);
            (void)setGlobalDegreeAndDiameterSymbols();
            PushStyle(kCADAttrDimensionTextFaceStr);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void DiameterPosPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t index = ActivePopupIndex(item);
        if (index >= 0) {
            g->prefs.style.diameterLabelsBefore = index == 0 ? 1 : 0;
            PushStyle(kCADAttrDiameterLabelsBefore);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void UpperUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    UnitsPicked(item, notifier, kUpperPair, kCADAttrUpperUnits);
}
void LowerUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    UnitsPicked(item, notifier, kLowerPair, kCADAttrLowerUnits);
}
void UpperPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    D& s = g->prefs.style;
    PrecisionPicked(item, notifier, s.upperDecimalPrecision, s.upperFractionalPrecision,
                    kCADAttrUpperDecimalPrecision, kCADAttrUpperFractionalPrecision);
}
void LowerPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    D& s = g->prefs.style;
    PrecisionPicked(item, notifier, s.lowerDecimalPrecision, s.lowerFractionalPrecision,
                    kCADAttrLowerDecimalPrecision, kCADAttrLowerFractionalPrecision);
}

void DimensionFormatPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t index = ActivePopupIndex(item);
        if (index >= 0) {
            g->prefs.style.dimensionFormat = index;
            sADMItem->Known(item, true);
            PushStyle(KCADAttrDimFormat);
            UpdateDimensionIncrementFld();
        }
    }
    if (g) AdjustCADtextPalette();
    sADMItem->DefaultNotify(item, notifier);
}

void DimensionIncrementNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier))
        TakeNextCounter(item, g->prefs.style.dimensionFormat, 1, g->prefs.incrementalDimAlpha,
                        g->prefs.incrementalDimNumber, &UpdateDimensionIncrementFld);
    sADMItem->DefaultNotify(item, notifier);
}

void RefreshCADtextWindowFromSelection(ADMDialogRef dialog, const live_attributes_map& map,
                                       const Plotwise3_Live_Dimension_Data& ref) {
    ShowIfKnown(dialog, kFontPopup, map, *Field<&D::dimensionTextFaceStr>, [&](ADMItemRef popup) {
        if (!popup) return;
        ADMListRef list = sADMItem->GetList(popup);
        for (int32_t i = 0; i < sADMList->NumberOfEntries(list); ++i) {
            ADMEntryRef e = sADMList->IndexEntry(list, i);
            char name[181] = {};
            sADMEntry->GetText(e, name, static_cast<int32_t>(sizeof name));
            if (std::string_view(name) == ref.dimensionTextFaceStr) {
                TakeStyleField(*Field<&D::dimensionTextFaceStr>, ref);
                sADMEntry->Activate(e, true);
                break;
            }
        }
    });
    RefreshStyleControls(dialog, TextPanelControls(), map, ref);
    ShowIfKnown(dialog, kDiameterSymbolPopup, map, *Field<&D::diameterLabelsBefore>, [&](ADMItemRef popup) {
        TakeStyleField(*Field<&D::diameterLabelsBefore>, ref);
        ActivateEntryByID(popup, g->prefs.style.diameterLabelsBefore ? 1 : 2);
    });
    RefreshValue(dialog, map, ref,
                 {kUpperUnitsPopup, kUpperPrecisionPopup, *Field<&D::upperUnits>, *Field<&D::upperDecimalPrecision>,
                  *Field<&D::upperFractionalPrecision>, &SetupUpperPrecisionPopup});
    RefreshValue(dialog, map, ref,
                 {kLowerUnitsPopup, kLowerPrecisionPopup, *Field<&D::lowerUnits>, *Field<&D::lowerDecimalPrecision>,
                  *Field<&D::lowerFractionalPrecision>, &SetupLowerPrecisionPopup});
    const StyleField& format = *Field<&D::dimensionFormat>;
    if (g->prefs.liveDimensionFormatMenu)
        ShowIfKnown(dialog, kDimensionFormatPopup, map, format, [&](ADMItemRef popup) {
            TakeStyleField(format, ref);
            ActivateEntryByIndex(popup, g->prefs.style.dimensionFormat);
        });
    // Whether or not the popup follows the selection, new dimensions take its format.
    UpdateDimensionIncrementFld();
    if (ADMItemRef next = Item(dialog, kDimensionNextField))
        sADMItem->Known(next, !g->prefs.liveDimensionFormatMenu || map.known(format));
    AdjustCADtextPalette();
}
