// Each panel's share of the refresh from the selection: its rows of style controls through
// the shared routine, and what only it shows (the colour, the terminator table, the font,
// units and precision, the formats and their next values, the view pad, the wall
// thickness).
#include "panels/PanelsFromSelection.h"

#include <string_view>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/StyleReadBack.h"
#include "geometry/UnitFormat.h"
#include "panels/IsometricPanel.h"
#include "panels/LabelsPanel.h"
#include "panels/PanelGlobals.h"
#include "panels/StylesPanel.h"
#include "panels/TextPanel.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;
using D = Plotwise3_Live_Dimension_Data;

constexpr int16_t kWallThicknessItem = 4;

template <auto F>
constexpr const StyleField& Field = StyleFieldOf<F>();

// Known: the item known and the row's own showing; mixed: the item blank.
template <typename Show>
void Row(ADMDialogRef dialog, int32_t item, const live_attributes_map& map, const StyleField& field, Show show) {
    ADMItemRef it = PanelItem(dialog, item);
    const bool known = map.known(field);
    if (it) sADMItem->Known(it, known);
    if (known) show(it);
}

void ActivateByID(ADMItemRef popup, int32_t id) {
    if (!popup) return;
    if (ADMEntryRef e = sADMList->GetEntry(sADMItem->GetList(popup), id)) sADMEntry->Activate(e, true);
}

void ActivateByIndex(ADMItemRef popup, int32_t index) {
    if (!popup) return;
    if (ADMEntryRef e = sADMList->IndexEntry(sADMItem->GetList(popup), index)) sADMEntry->Activate(e, true);
}

void RefreshStyles(ADMDialogRef dialog, const live_attributes_map& map, const D& ref) {
    Row(dialog, kColorPopup, map, Field<&D::dimensionColorEntry>, [&](ADMItemRef popup) {
        for (const StyleField* f : PushedFields(kCADAttrDimensionColorEntry)) TakeStyleField(*f, ref);
        ActivateByIndex(popup, g->prefs.style.dimensionColorEntry);
        convertPrefColorsIntoRGBColor(&g->dimensionRGBColor);
    });
    if (ADMItemRef swatch = PanelItem(dialog, kColorSwatch)) {
        sADMItem->Known(swatch, map.known(Field<&D::dimensionColorEntry>));
        sADMItem->Invalidate(swatch);
        sADMItem->Update(swatch);
    }
    RefreshStyleControls(dialog, StylesPanelControls(), map, ref);
    if (map.known(Field<&D::arrowheadStyle>))
        if (const int32_t picture = TerminatorPictureOf(g->prefs.style.arrowheadStyle))
            SwitchTerminatorStyleSettings(dialog, picture);
}

// The upper or lower value: units (entry of id code + 1), the precision popup rebuilt for
// the units in force, and the precision of the units' kind.
struct ValueRows {
    int32_t unitsItem, precisionItem;
    const StyleField &units, &decimal, &fractional;
    void (*setupPrecision)(ADMDialogRef dialog);
};

void RefreshValue(ADMDialogRef dialog, const live_attributes_map& map, const D& ref, const ValueRows& v) {
    Row(dialog, v.unitsItem, map, v.units, [&](ADMItemRef popup) {
        TakeStyleField(v.units, ref);
        ActivateByID(popup, g->prefs.style.*v.units.intField + 1);
    });
    v.setupPrecision(dialog);
    const StyleField& precision = isFractionalUnit(g->prefs.style.*v.units.intField) ? v.fractional : v.decimal;
    Row(dialog, v.precisionItem, map, precision, [&](ADMItemRef popup) {
        TakeStyleField(precision, ref);
        ActivateByID(popup, g->prefs.style.*precision.intField);
    });
}

void RefreshText(ADMDialogRef dialog, const live_attributes_map& map, const D& ref) {
    Row(dialog, kFontPopup, map, Field<&D::dimensionTextFaceStr>, [&](ADMItemRef popup) {
        if (!popup) return;
        ADMListRef list = sADMItem->GetList(popup);
        for (int32_t i = 0; i < sADMList->NumberOfEntries(list); ++i) {
            ADMEntryRef e = sADMList->IndexEntry(list, i);
            char name[181] = {};
            sADMEntry->GetText(e, name, static_cast<int32_t>(sizeof name));
            if (std::string_view(name) == ref.dimensionTextFaceStr) {
                TakeStyleField(Field<&D::dimensionTextFaceStr>, ref);
                sADMEntry->Activate(e, true);
                break;
            }
        }
    });
    RefreshStyleControls(dialog, TextPanelControls(), map, ref);
    Row(dialog, kDiameterSymbolPopup, map, Field<&D::diameterLabelsBefore>, [&](ADMItemRef popup) {
        TakeStyleField(Field<&D::diameterLabelsBefore>, ref);
        ActivateByID(popup, g->prefs.style.diameterLabelsBefore ? 1 : 2);
    });
    RefreshValue(dialog, map, ref,
                 {kUpperUnitsPopup, kUpperPrecisionPopup, Field<&D::upperUnits>, Field<&D::upperDecimalPrecision>,
                  Field<&D::upperFractionalPrecision>, &SetupUpperPrecisionPopup});
    RefreshValue(dialog, map, ref,
                 {kLowerUnitsPopup, kLowerPrecisionPopup, Field<&D::lowerUnits>, Field<&D::lowerDecimalPrecision>,
                  Field<&D::lowerFractionalPrecision>, &SetupLowerPrecisionPopup});
    if (g->prefs.liveDimensionFormatMenu) {
        ADMItemRef next = PanelItem(dialog, kDimensionNextField);
        Row(dialog, kDimensionFormatPopup, map, Field<&D::dimensionFormat>, [&](ADMItemRef popup) {
            TakeStyleField(Field<&D::dimensionFormat>, ref);
            ActivateByIndex(popup, g->prefs.style.dimensionFormat);
            if (next) sADMItem->Known(next, true);
            UpdateDimensionIncrementFld();
        });
        if (next && !map.known(Field<&D::dimensionFormat>)) sADMItem->Known(next, false);
    }
    AdjustCADtextPalette();
}

void RefreshLabels(ADMDialogRef dialog, const live_attributes_map& map, const D& ref) {
    RefreshStyleControls(dialog, LabelsPanelControls(), map, ref);
    Row(dialog, kNumericOptionPopup, map, Field<&D::numericLabelMenuOption>, [&](ADMItemRef popup) {
        TakeStyleField(Field<&D::numericLabelMenuOption>, ref);
        ActivateByIndex(popup, g->prefs.style.numericLabelMenuOption);
    });
    ADMItemRef next = PanelItem(dialog, kLabelNextField);
    Row(dialog, kLabelFormatPopup, map, Field<&D::labelFormat>, [&](ADMItemRef popup) {
        TakeStyleField(Field<&D::labelFormat>, ref);
        ActivateByIndex(popup, g->prefs.style.labelFormat);
        if (next) sADMItem->Known(next, true);
        UpdateLabelIncrementFld();
    });
    MoveLabelOptions(g->prefs.style.labelFormat);
}

// The view pad drawn again, no face highlighted.
void RefreshIsometric(ADMDialogRef dialog, const live_attributes_map&, const D&) {
    g->hiliteFaces = 0;
    if (ADMItemRef pad = PanelItem(dialog, kViewPadItem)) {
        sADMItem->Invalidate(pad);
        sADMItem->Update(pad);
    }
}

// The thickness as typed, read again in the numeric-input unit and shown formatted; a text
// that does not read as a length changes nothing.
void RefreshWalls(ADMDialogRef dialog, const live_attributes_map&, const D&) {
    preferences& p = g->prefs;
    double typed = 0;
    if (!PanelItem(dialog, kWallThicknessItem) || p.scaler == 0 ||
        !parseFieldInput(dialog, kWallThicknessItem, &typed, p.NumericInputUnits))
        return;
    p.wallThickness = static_cast<float>(typed / p.scaler);
    char text[512] = {};
    doScaleAndUnits(0, p.wallThickness, text, 1, static_cast<int16_t>(p.NumericInputUnits),
                    static_cast<int16_t>(p.NumericInputPrecision));
    sADMItem->SetText(PanelItem(dialog, kWallThicknessItem), text);
}

// A panel that follows the selection: its dialog, and its refresh from the selection's styles.
struct SelectionFollower {
    ADMDialogRef& (*window)();
    void (*refresh)(ADMDialogRef dialog, const live_attributes_map& map,
                    const Plotwise3_Live_Dimension_Data& reference);
};

constexpr SelectionFollower kFollowers[] = {
    {+[]() -> ADMDialogRef& { return g->CADattributesWindow; }, &RefreshStyles},
    {+[]() -> ADMDialogRef& { return g->CADtextWindow; }, &RefreshText},
    {+[]() -> ADMDialogRef& { return g->CADlabelsWindow; }, &RefreshLabels},
    {+[]() -> ADMDialogRef& { return g->CADisometricWindow; }, &RefreshIsometric},
    {+[]() -> ADMDialogRef& { return g->CADwallsWindow; }, &RefreshWalls},
};

}  // namespace

AIErr UpdatePalettesFromSelectedArt() {
    if (!g) return kNoErr;
    for (const SelectionFollower& f : kFollowers)
        if (!f.window()) return kNoErr;
    live_attributes_map map;
    D reference{};
    if (AIErr err = ReadSelectedDimensionStyles(&map, &reference)) return err;
    for (const SelectionFollower& f : kFollowers) f.refresh(f.window(), map, reference);
    return kNoErr;
}
