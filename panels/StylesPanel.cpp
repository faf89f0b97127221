// The styles panel: its frame, its rows of style controls, the colour popup and swatch, the
// terminator table and the update button.
#include "panels/StylesPanel.h"

#include <algorithm>

#include "core/PlotwiseDialogItems.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionRegeneration.h"
#include "panels/ColorSwatch.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "units/NumericFields.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;
using D = Plotwise3_Live_Dimension_Data;
using K = ControlKind;

constexpr int32_t kLengthWord = 9, kDiameterWord = 10;  // 17409, 17410
constexpr float kMaxAngle = 180, kMaxLeader = 999;

// The terminator pictures: item, the style it sets, and what the length and angle fields do.
struct TerminatorRow {
    int32_t item, style;
    bool length, diameter, angle;
};
constexpr TerminatorRow kTerminators[] = {
    {9, 1, true, false, true},   {13, 2, true, true, false}, {11, 3, true, false, false},
    {6, 4, false, false, false}, {10, 5, true, false, true}, {7, 6, true, false, true},
    {8, 7, true, false, true},   {12, 8, true, false, false},
};

void AfterTerminator(ADMDialogRef dialog) {
    SwitchTerminatorStyleSettings(dialog, TerminatorPictureOf(g->prefs.style.arrowheadStyle));
}

void AfterChainDatum(ADMDialogRef dialog) {
    EnableItems(dialog, {kJISDatumCheckBox}, g->prefs.style.chainDatum != 0);
}

template <auto F>
constexpr const StyleField* Field = &StyleFieldOf<F>();

// A terminator picture is taken while the user is still on it, as a slider is.
constexpr StyleControl Terminator(int32_t item, int32_t style) {
    return {item, K::kRadio, Field<&D::arrowheadStyle>, kCADAttrArrowheadStyle, style, 0, 0, &AfterTerminator,
            ActsOn::kDragging};
}
constexpr StyleControl Length(int32_t item, const StyleField* f, CADAttrType code, float max = kMaxStyleLength) {
    return {item, K::kReal, f, code, 0, 0, max};
}

constexpr StyleControl kControls[] = {
    Terminator(9, 1),
    Terminator(13, 2),
    Terminator(11, 3),
    Terminator(6, 4),
    Terminator(10, 5),
    Terminator(7, 6),
    Terminator(8, 7),
    Terminator(12, 8),
    Length(kArrowheadLengthField, Field<&D::arrowheadLength>, kCADAttrArrowheadLength),
    Length(kArrowheadWeightField, Field<&D::arrowheadWeight>, kCADAttrArrowheadWeight),
    {kArrowheadAngleField, K::kDegrees, Field<&D::arrowheadAngle>, kCADAttrArrowheadAngle, 0, 0, kMaxAngle},
    {kTerminatorDirectionPopup, K::kPopupIndex, Field<&D::terminatorDirection>, kCADAttrTerminatorDirection},
    Length(25, Field<&D::autoDimensionOffset>, kCADAttrAutoDimensionOffset),
    Length(28, Field<&D::dimensionWeight>, kCADAttrDimensionStrokeWeight),
    Length(33, Field<&D::witnessGap>, kCADAttrWitnessGap),
    Length(36, Field<&D::witnessWeight>, kCADAttrWitnessWeight),
    Length(39, Field<&D::witnessExtension>, kCADAttrWitnessExtension),
    {kChainDatumCheckBox, K::kCheckBox, Field<&D::chainDatum>, kCADAttrChainDatum, 0, 0, 0, &AfterChainDatum},
    {kJISDatumCheckBox, K::kCheckBox, Field<&D::JISDatumTerminator>, kCADAttrJISDatumTerminator},
    {47, K::kCheckBox, Field<&D::makeSectionLineDoubleThick>, kCADAttrMakeSectionLineDoubleThick},
    {48, K::kCheckBox, Field<&D::primeSection>, kCADAttrPrimeSection},
    {52, K::kCheckBox, Field<&D::diameterLeaderSpansCircle>, kCADAttrDiameterLeaderSpansCircle},
    Length(54, Field<&D::diameterLeaderLength>, kCADAttrDiameterLeaderLength, kMaxLeader),
};

void RedrawSwatch(ADMDialogRef dialog) {
    if (ADMItemRef swatch = Item(dialog, kColorSwatch)) {
        sADMItem->Invalidate(swatch);
        sADMItem->Update(swatch);
    }
}

// The named colours of the popup: the style's colour becomes that RGB colour.
void TakeNamedColor(int32_t index) {
    ADMRGBColor rgb{};
    SetCADcolor(&rgb, index);
    g->dimensionRGBColor = rgb;
}

// The style's colour fields from the swatch colour, as an RGB colour.
void TakeRGBColor() {
    D& s = g->prefs.style;
    s.dimensionColorType = kThreeColor;
    s.dimensionColorComponent1 = g->dimensionRGBColor.red;
    s.dimensionColorComponent2 = g->dimensionRGBColor.green;
    s.dimensionColorComponent3 = g->dimensionRGBColor.blue;
}

}  // namespace

std::span<const StyleControl> StylesPanelControls() { return kControls; }

int32_t TerminatorPictureOf(int32_t arrowheadStyle) {
    for (const TerminatorRow& row : kTerminators)
        if (row.style == arrowheadStyle) return row.item;
    return 0;
}

void SwitchTerminatorStyleSettings(ADMDialogRef dialog, int32_t pictureItem) {
    const auto row = std::find_if(std::begin(kTerminators), std::end(kTerminators),
                                  [pictureItem](const TerminatorRow& r) { return r.item == pictureItem; });
    if (!dialog || row == std::end(kTerminators)) return;
    EnableItems(dialog, {kArrowheadLengthField}, row->length);
    EnableItems(dialog, {kArrowheadAngleField}, row->angle);
    if (ADMItemRef caption = Item(dialog, kArrowheadLengthCaption)) {
        char text[64];
        GetPlotwiseString(kWordList, row->diameter ? kDiameterWord : kLengthWord, text, sizeof text);
        sADMItem->SetText(caption, text);
    }
}

AIErr CreateCADattributesWindow() { return CreatePanel(kStylesFrame, Guarded<&InitCADattributesWindow>); }

ASErr InitCADattributesWindow(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kStylesFrame, dialog)) return err;
    g->CADattributesWindow = dialog;
    ADMItemRef popout = SetupPanelPopout(kStylesFrame, dialog, Guarded<&CADattributesPopoutNotifierProc>);
    AdjustPanelOptions(kStylesFrame, popout);
    if (!SizeCollapsedPanel(kStylesFrame, dialog)) AdjustPanelOptions(kStylesFrame, popout);
    SetBoldCaptions(dialog, {1, 5, 23, 31, 42, 46, 51});

    convertPrefColorsIntoRGBColor(&g->dimensionRGBColor);
    SetupPanelPopup(dialog, kColorPopup, kColorMenu, g->prefs.style.dimensionColorEntry,
                    Guarded<&CADcolorPopupNotifierProc>);
    if (ADMItemRef swatch = Item(dialog, kColorSwatch))
        sADMItem->SetDrawProc(swatch, Guarded<&CADcolorSwatchDrawProc>);
    RedrawSwatch(dialog);
    SetupStyleControls(dialog, kControls);
    SwitchTerminatorStyleSettings(dialog, TerminatorPictureOf(g->prefs.style.arrowheadStyle));
    AfterChainDatum(dialog);
    if (ADMItemRef button = Item(dialog, kUpdateLinksButton))
        sADMItem->SetNotifyProc(button, Guarded<&UpdateLiveDimensionsNotifyProc>);
    SetPanelIcons(kStylesFrame, dialog);
    return kNoErr;
}

AIErr WriteCADattributesWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kStylesFrame, dialog); }

void CADcolorSwatchDrawProc(ADMItemRef item, ADMDrawerRef drawer) {
    // The panel's background where the selected dimensions differ in colour.
    if (g) DrawColorSwatch(drawer, sADMItem->IsKnown(item) ? &g->dimensionRGBColor : nullptr);
}

void CADcolorPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMDialogRef dialog = sADMItem->GetDialog(item);
        const int32_t index = ActivePopupIndex(item);
        bool chosen = index >= 0;
        if (index == kOtherColorEntry) {
            const ADMRGBColor seed = g->dimensionRGBColor;
            ADMRGBColor picked = seed;
            chosen = sADMBasic->ChooseColorA(ADMPoint{-1, -1}, &seed, &picked) != 0;
            if (chosen) {
                g->dimensionRGBColor = picked;
                TakeRGBColor();
            }
        } else if (index == kFillColorEntry) {
            AIPathStyle current{};
            if (sAIPathStyle->GetCurrentPathStyle(&current, nullptr, nullptr) == kNoErr)
                getPrefColorsFromColor(&current.fill.color);
            convertPrefColorsIntoRGBColor(&g->dimensionRGBColor);
        } else if (chosen) {
            TakeNamedColor(index);
            TakeRGBColor();
        }
        if (chosen) {
            g->prefs.style.dimensionColorEntry = index;
            if (ADMItemRef swatch = Item(dialog, kColorSwatch)) sADMItem->Known(swatch, true);
            RedrawSwatch(dialog);
            PushStyle(kCADAttrDimensionColorEntry);
        } else if (ADMEntryRef kept = sADMList->IndexEntry(sADMItem->GetList(item), g->prefs.style.dimensionColorEntry)) {
            // A cancelled chooser changes nothing: the popup shows the style's entry again.
            sADMEntry->Activate(kept, true);
        }
    }
    sADMItem->DefaultNotify(item, notifier);
}

void UpdateLiveDimensionsNotifyProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g) {
        (void)TagSelectedArt();
        (void)CleanupAssociativeDimensions();
        (void)UpdateAssociativeDimensions(kProcessAllArt);
        if (g->theTimer) sAITimer->SetTimerActive(g->theTimer, true);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void CADattributesPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        g->prefs.showCADattributesOptions = !g->prefs.showCADattributesOptions;
        AdjustPanelOptions(kStylesFrame, item);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void RefreshCADattributesWindowFromSelection(ADMDialogRef dialog, const live_attributes_map& map,
                                             const Plotwise3_Live_Dimension_Data& ref) {
    ShowIfKnown(dialog, kColorPopup, map, *Field<&D::dimensionColorEntry>, [&](ADMItemRef popup) {
        for (const StyleField* f : PushedFields(kCADAttrDimensionColorEntry)) TakeStyleField(*f, ref);
        ActivateEntryByIndex(popup, g->prefs.style.dimensionColorEntry);
        convertPrefColorsIntoRGBColor(&g->dimensionRGBColor);
    });
    if (ADMItemRef swatch = Item(dialog, kColorSwatch)) {
        sADMItem->Known(swatch, map.known(*Field<&D::dimensionColorEntry>));
        sADMItem->Invalidate(swatch);
        sADMItem->Update(swatch);
    }
    RefreshStyleControls(dialog, StylesPanelControls(), map, ref);
    if (map.known(*Field<&D::arrowheadStyle>))
        if (const int32_t picture = TerminatorPictureOf(g->prefs.style.arrowheadStyle))
            SwitchTerminatorStyleSettings(dialog, picture);
}
