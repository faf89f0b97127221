// The one list of the preference settings: each setting's key, type and start-up value
// (the dimension style's from the style-field table), the reader and writer over the host's
// preference store, and the start-up values of a new record.
#include "core/PlotwisePrefs.h"

#include <climits>
#include <cmath>
#include <cstdio>
#include <cstring>

#include "AIPreference.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "core/PreferenceDomains.h"
#include "geometry/IsoViewDerivation.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

constexpr const char* P = kPlotwisePrefsPrefix;

using D = Plotwise3_Live_Dimension_Data;

template <size_t N>
void Str(PrefsVisitor& v, const char* key, char (&field)[N], const char* startup) {
    v.string(P, key, field, static_cast<int32_t>(N), startup);
}

// A style field as a preference: key, type and start-up value come from its table row.
void StyleSetting(PrefsVisitor& v, const StyleField& f, D& s) {
    switch (f.prefType) {
    case PrefType::kInteger: v.integer(P, f.prefKey, s.*f.intField, f.startup.i); break;
    case PrefType::kBoolean: v.boolean(P, f.prefKey, s.*f.intField, f.startup.i != 0); break;
    case PrefType::kReal: v.real(P, f.prefKey, s.*f.realField, f.startup.r); break;
    case PrefType::kString:
        v.string(P, f.prefKey, s.*f.stringField, static_cast<int32_t>(sizeof(s.*f.stringField)), f.startup.s);
        break;
    case PrefType::kNone: break;
    }
}

// The style field at its place among the preset settings; a field the table lacks, or one
// the table does not give to presets, does not compile.
template <auto Field>
void Style(PrefsVisitor& v, D& s) {
    constexpr const StyleField& f = StyleFieldOf<Field>();
    static_assert(f.prefKey != nullptr && f.presets, "the style-field table gives this field no preset key");
    StyleSetting(v, f, s);
}

// The settings presets carry, in their order and under their key texts. Start-up values are
// the defaults the panels and the preference reading give (the style's with its fields, the
// counters, the master unit and precision, the automatic-dimensioning options); a setting
// none gives takes the value the two built-in presets share, or "Basic Engineering"'s where
// they differ (but for foreshortening, below). The ruler face becomes the host's default
// face when the preferences are read.
void VisitPresetSettings(preferences& p, PrefsVisitor& v) {
    auto& s = p.style;
    v.real(P, "isoPadPosTempT", p.isoPadPos.tempT, 35.266666f);
    v.real(P, "isoPadPosTempR", p.isoPadPos.tempR, 45.0f);
    v.real(P, "isoViewT", p.isoView.t, 35.266666f);
    v.real(P, "isoViewR", p.isoView.r, 45.0f);
    v.real(P, "isoViewA", p.isoView.a, 0.52362305f);
    v.real(P, "isoViewB", p.isoView.b, 2.6179695f);
    v.real(P, "isoViewC", p.isoView.c, -0.42920363f);
    v.real(P, "isoViewAF", p.isoView.af, 0.81650805f);
    v.real(P, "isoViewBF", p.isoView.bf, 0.81650805f);
    v.real(P, "isoViewCF", p.isoView.cf, 0.8164736f);
    v.integer(P, "currentAxoViewIndex", p.currentAxoViewIndex, 6);
    v.real(P, "customAxoView1R", p.customAxoView1R, 0.0f);
    v.real(P, "customAxoView2R", p.customAxoView2R, 0.0f);
    v.real(P, "customAxoView3R", p.customAxoView3R, 0.0f);
    v.real(P, "customAxoView4R", p.customAxoView4R, 0.0f);
    v.real(P, "customAxoView5R", p.customAxoView5R, 0.0f);
    v.real(P, "customAxoView1T", p.customAxoView1T, 0.0f);
    v.real(P, "customAxoView2T", p.customAxoView2T, 0.0f);
    v.real(P, "customAxoView3T", p.customAxoView3T, 0.0f);
    v.real(P, "customAxoView4T", p.customAxoView4T, 0.0f);
    v.real(P, "customAxoView5T", p.customAxoView5T, 0.0f);
    Str(v, "customAxoView1Str", p.customAxoView1Str, "");
    Str(v, "customAxoView2Str", p.customAxoView2Str, "");
    Str(v, "customAxoView3Str", p.customAxoView3Str, "");
    Str(v, "customAxoView4Str", p.customAxoView4Str, "");
    Str(v, "customAxoView5Str", p.customAxoView5Str, "");
    v.boolean(P, "LockAxoView", p.LockAxoView, true);
    v.boolean(P, "createLiveDimensions", p.createLiveDimensions, true);
    v.integer(P, "numberFormat", p.numberFormat, 0);
    v.boolean(P, "useThousandsSeparator", p.useThousandsSeparator, true);
    v.boolean(P, "createDimensionLayer", p.createDimensionLayer, true);
    v.integer(P, "NumericInputUnits", p.NumericInputUnits, 5);
    v.boolean(P, "appendNumericInputUnits", p.appendNumericInputUnits, true);
    v.integer(P, "NumericInputPrecision", p.NumericInputPrecision, 3);
    Style<&D::dimensionColorComponent1>(v, s);
    Style<&D::dimensionColorComponent2>(v, s);
    Style<&D::dimensionColorComponent3>(v, s);
    Style<&D::dimensionColorComponent4>(v, s);
    Style<&D::dimensionCustomColorType>(v, s);
    Style<&D::dimensionCustomColorTint>(v, s);
    Style<&D::dimensionColorEntry>(v, s);
    Style<&D::dimensionColorType>(v, s);
    Str(v, "CADcustomColorName", p.customColorName, "");
    Style<&D::dimensionTextFaceStr>(v, s);
    Style<&D::dimensionTextSize>(v, s);
    Style<&D::dimensionWeight>(v, s);
    Style<&D::arrowheadStyle>(v, s);
    Style<&D::arrowheadLength>(v, s);
    Style<&D::arrowheadWeight>(v, s);
    Style<&D::arrowheadAngle>(v, s);
    Style<&D::textDistanceAboveLine>(v, s);
    Style<&D::useUniversalTextAngle>(v, s);
    Style<&D::moveLargeDimensionText>(v, s);
    Style<&D::hTextPlacement>(v, s);
    Style<&D::vTextPlacement>(v, s);
    Style<&D::aTextPlacement>(v, s);
    Style<&D::dualDimensions>(v, s);
    Style<&D::appendUpperUnitLabels>(v, s);
    Style<&D::appendLowerUnitLabels>(v, s);
    Style<&D::upperTolerance>(v, s);
    Style<&D::upperToleranceValue>(v, s);
    Style<&D::upperToleranceUnits>(v, s);
    Style<&D::upperToleranceSuperscript>(v, s);
    Style<&D::lowerTolerance>(v, s);
    Style<&D::lowerToleranceValue>(v, s);
    Style<&D::lowerToleranceUnits>(v, s);
    Style<&D::lowerToleranceSuperscript>(v, s);
    Style<&D::appendDiamLabels>(v, s);
    Style<&D::diameterLabelsBefore>(v, s);
    Style<&D::diameterLeaderSpansCircle>(v, s);
    Style<&D::witnessGap>(v, s);
    Style<&D::witnessExtension>(v, s);
    Style<&D::witnessWeight>(v, s);
    Style<&D::autoDimensionOffset>(v, s);
    Style<&D::makeSectionLineDoubleThick>(v, s);
    Style<&D::primeSection>(v, s);
    Style<&D::chainDatum>(v, s);
    Style<&D::JISDatumTerminator>(v, s);
    Str(v, "longLabelText", p.longLabelLastStr, "");
    v.integer(P, "repeatType", p.repeatType, 0);
    v.integer(P, "moveType", p.moveType, 4);
    v.integer(P, "rowDirection", p.repeatRowUp, 1);
    v.integer(P, "colDirection", p.repeatColRt, 1);
    v.boolean(P, "constrainProportions", p.constrainProportions, false);
    v.boolean(P, "displayAreaInAcres", p.displayAcres, false);
    v.integer(P, "CADtrackerUnits", p.CADtrackerUnits, 5);
    v.boolean(P, "appendCADtrackerUnits", p.appendCADtrackerUnits, true);
    v.integer(P, "CADtrackerPrecision", p.CADtrackerPrecision, 3);
    v.boolean(P, "createCADgridsLayer", p.createCADgridsLayer, false);
    Style<&D::upperDecimalPrecision>(v, s);
    Style<&D::upperFractionalPrecision>(v, s);
    Style<&D::lowerDecimalPrecision>(v, s);
    Style<&D::lowerFractionalPrecision>(v, s);
    v.integer(P, "rulerPrecision", p.rulerPrecision, 3);
    Style<&D::upperUnits>(v, s);
    Style<&D::lowerUnits>(v, s);
    v.integer(P, "rulerUnits", p.rulerUnits, 5);
    v.boolean(P, "appendRulerUnits", p.appendRulerUnits, true);
    v.real(P, "chamferDistance1", p.chamferDistance1, 72.0f);
    v.real(P, "chamferDistance2", p.chamferDistance2, 72.0f);
    v.real(P, "filletRadius", p.filletRadius, 72.0f);
    v.real(P, "wallThickness", p.wallThickness, 432.0f);
    v.boolean(P, "showWallInfo", p.showWallInfo, true);
    v.integer(P, "wallDatum", p.wallDatum, 1);
    v.boolean(P, "updateLiveDimensions", p.updateLiveDimensions, false);
    Style<&D::live>(v, s);
    Style<&D::id>(v, s);
    Style<&D::labelLeader>(v, s);
    Style<&D::labelShape>(v, s);
    Style<&D::labelBorder>(v, s);
    Style<&D::pointerLabelType>(v, s);
    Str(v, "labelStatic", p.pointerLabelStaticData, "Zelmark, Inc.");
    Style<&D::labelLeaderLength>(v, s);
    v.boolean(P, "snapToGrid", p.snapToGrid, true);
    v.integer(P, "CADgridSnapTolerance", p.gridSnapTolerance, 4);
    v.integer(P, "gridColorRed", p.gridColorRed, 20316);
    v.integer(P, "gridColorBlue", p.gridColorBlue, 65535);
    v.integer(P, "gridColorGreen", p.gridColorGreen, 32767);
    v.integer(P, "gridColorEntry", p.gridColorEntry, 10);
    v.integer(P, "GridlineEntry", p.GridlineEntry, 1);
    v.boolean(P, "DERurureLayerVisible", p.DERurureLayerVisible, false);
    v.boolean(P, "DERurureLayerExists", p.DERurureLayerExists, false);
    Str(v, "rulerFontStr", p.rulerFontStr, "Helvetica");
    v.real(P, "CADgridSpacing", p.gridSpacing, 141.73228f);
    v.integer(P, "CADgridNumSubdiv", p.gridNumSubdivisions, 5);
    v.integer(P, "CADgridLineStyle", p.gridLineStyle, 0);
    v.boolean(P, "CADgridsLayerVisible", p.CADgridVisible, false);
    v.boolean(P, "ShowHorizontalGridLines", p.ShowHorizontalGridLines, true);
    v.boolean(P, "ShowVerticalGridLines", p.ShowVerticalGridLines, true);
    v.boolean(P, "ShowIsometricGridLines", p.ShowIsometricGridLines, false);
    v.boolean(P, "trimToolDeletes", p.trimToolDeletes, true);
    Style<&D::slideDimText>(v, s);
    Style<&D::dimensionFormat>(v, s);
    v.integer(P, "DimNextNum", p.incrementalDimNumber, 1);
    v.integer(P, "DimNextAlpha", p.incrementalDimAlpha, 0);
    Style<&D::textSpacing>(v, s);
    Style<&D::labelFormat>(v, s);
    v.integer(P, "LabelNextNum", p.incrementalLabelNumber, 1);
    v.integer(P, "LabelNextAlpha", p.incrementalLabelAlpha, 0);
    v.boolean(P, "showCADtrackerInfo", p.showCADtrackerInfo, true);
    v.boolean(P, "DisplayDrawDimLayerWarning", p.displayDrawDimLayerWarning, true);
    Style<&D::diameterLeaderLength>(v, s);
    v.boolean(P, "DisplayArtMustBeClickedError", p.displayArtMustBeClickedError, true);
    v.boolean(P, "liveDimensionFormatMenu", p.liveDimensionFormatMenu, false);
    // Foreshortened, as the start-up view above is: choosing that view again gives it back.
    // The built-in presets, for drafters who pick one, project without foreshortening.
    v.boolean(P, "axoNoForeshortening", p.noAxoForeshortening, false);
    v.boolean(P, "forceDimLinesOutside", p.forceDimLinesOutside, false);
    Style<&D::NumericLabelsUseLeadingZeros>(v, s);
    Style<&D::NumericLabelsNumberOfLeadingZeros>(v, s);
    Style<&D::alphaLabelMenuOption>(v, s);
    Style<&D::numericLabelMenuOption>(v, s);
    Style<&D::customLabelMenuOption>(v, s);
    Style<&D::geoLabelX>(v, s);
    Style<&D::geoLabelY>(v, s);
    Style<&D::geoLabelW>(v, s);
    Style<&D::geoLabelH>(v, s);
    Style<&D::geoLabelP>(v, s);
    Style<&D::geoLabelA>(v, s);
    Style<&D::stretchLabelShape>(v, s);
    v.boolean(P, "annotateFullScreenCursor", p.annotateFullScreenCursor, true);
    v.boolean(P, "objectSnapFullScreenCursor", p.objectSnapFullScreenCursor, true);
    v.boolean(P, "AutoDimensionHorizontal", p.AutoDimensionHorizontal, true);
    v.boolean(P, "AutoDimensionVertical", p.AutoDimensionVertical, true);
    v.boolean(P, "AutoDimensionInclined", p.AutoDimensionInclined, true);
    v.boolean(P, "AutoDimensionRadialCrosshairs", p.AutoDimensionRadialCrosshairs, true);
    v.boolean(P, "AutoDimensionRadialRadius", p.AutoDimensionRadialRadius, false);
    v.boolean(P, "AutDimensionRadialDiameter", p.AutDimensionRadialDiameter, true);
    v.boolean(P, "AutoDimensionRadialNone", p.AutoDimensionRadialNone, false);
    Style<&D::terminatorDirection>(v, s);
    v.integer(P, "MasterUnits", p.MasterUnits, 8);
    v.integer(P, "MasterPrecision", p.MasterPrecision, 3);
    v.boolean(P, "CUSTOM_ALWAYS_ABOVE", p.alwaysAbove, true);
    v.boolean(P, "CUSTOM_FORCE_SLASH", p.forceSlashDirection, false);
    Str(v, "CUSTOM_LABEL_DEFAULT_TEXT", p.customLabelDefaultText, "Custom");
    Str(v, "CUSTOM_DIM_DEFAULT_TEXT", p.customDimDefaultText, "Custom");
    v.boolean(P, "autoExpandAxoArt", p.autoExpandAxoArt, false);
    Style<&D::upperRefDimension>(v, s);
    Style<&D::lowerRefDimension>(v, s);
    v.boolean(P, "okToConnectCADlinePaths", p.okToConnectCADlinePaths, true);
}

// Settings presets do not carry; their keys are the field names.
void VisitOtherSettings(preferences& p, PrefsVisitor& v) {
    v.integer(P, "pixelsperinch", p.pixelsperinch, 72);
    v.integer(P, "scale", p.scale, 33);
    v.real(P, "scaler", p.scaler, 1.0f);
    Str(v, "scaleStr", p.scaleStr, "1:1");
    v.integer(P, "scaleStyle", p.scaleStyle, 1);
    float* scalers[] = {&p.customScaler1, &p.customScaler2, &p.customScaler3, &p.customScaler4,
                        &p.customScaler5, &p.customScaler6, &p.customScaler7, &p.customScaler8,
                        &p.customScaler9, &p.customScaler10};
    char(*labels[])[32] = {&p.customScaleStr1, &p.customScaleStr2, &p.customScaleStr3, &p.customScaleStr4,
                           &p.customScaleStr5, &p.customScaleStr6, &p.customScaleStr7, &p.customScaleStr8,
                           &p.customScaleStr9, &p.customScaleStr10};
    for (int i = 0; i < 10; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "customScaler%d", i + 1);
        v.real(P, key, *scalers[i], 0.0f);  // a free slot
        std::snprintf(key, sizeof key, "customScaleStr%d", i + 1);
        v.string(P, key, *labels[i], 32, "");
    }
    v.integer(P, "ScaleAssistantObjectRelationship", p.ScaleAssistantObjectRelationship, 1);
    v.integer(P, "ScaleAssistantAction", p.ScaleAssistantAction, 1);
    v.integer(P, "ScaleAssistantScaleType", p.ScaleAssistantScaleType, 0);
    v.integer(P, "ScaleAssistantReferenceType", p.ScaleAssistantReferenceType, 0);
    v.integer(P, "leaderArcWidth", p.leaderArcWidth, 25);
    v.integer(P, "leaderArcHeight", p.leaderArcHeight, 50);
    v.integer(P, "currentCADpreset", p.currentCADpreset, 0);
    v.boolean(P, "CADpresetsUpdateAllArt", p.CADpresetsUpdateAllArt, true);
    v.boolean(P, "CADpresetsUpdateSelectedArt", p.CADpresetsUpdateSelectedArt, false);
    v.boolean(P, "CADpresetsDoNotUpateArt", p.CADpresetsDoNotUpateArt, false);
    v.boolean(P, "constrainLineTool", p.constrainLineTool, false);
    v.real(P, "constrainLineToolAngle", p.constrainLineToolAngle, 0.0f);
    v.boolean(P, "unitsUpdatedForPW7", p.unitsUpdatedForPW7, true);
    // Style fields kept as preferences that presets do not carry.
    for (const StyleField& f : StyleFields())
        if (f.prefKey && !f.presets) StyleSetting(v, f, p.style);
}

// A record as it is made: the placements' start-up values are the record's own.
const preferences& NewRecord() {
    static const preferences record;
    return record;
}

// Each panel's placement under its own prefix, as the panel rows of the subsystems give it.
void VisitPanelPlacements(preferences& p, PrefsVisitor& v) {
    const preferences& fresh = NewRecord();
    for (const PlotwisePanelRow* panel : PlotwisePanels()) {
        if (!panel->prefix) continue;
        v.point(panel->prefix, "Location", p.*panel->loc, fresh.*panel->loc);
        v.integer(panel->prefix, "DockCode", p.*panel->dockCode, fresh.*panel->dockCode);
        v.string(panel->prefix, "DockGroup", p.*panel->dockGroup, 65, fresh.*panel->dockGroup);
        v.boolean(panel->prefix, panel->collapseKey, p.*panel->collapse, fresh.*panel->collapse != 0);
        if (panel->options) v.boolean(panel->prefix, panel->optionsKey, p.*panel->options, fresh.*panel->options != 0);
        if (panel->height) v.integer(panel->prefix, "Size", p.*panel->height, fresh.*panel->height);
    }
}

// Gives each field its start-up value.
struct StartupValues final : PrefsVisitor {
    void integer(const char*, const char*, int32_t& field, int32_t startup) override { field = startup; }
    void boolean(const char*, const char*, int& field, bool startup) override { field = startup ? 1 : 0; }
    void real(const char*, const char*, float& field, float startup) override { field = startup; }
    void string(const char*, const char*, char* field, int32_t size, const char* startup) override {
        CopyCString(field, static_cast<size_t>(size), startup);
    }
    void point(const char*, const char*, AIRealPoint& field, AIRealPoint startup) override { field = startup; }
};

// Reads over the defaults; a failing read keeps the field and the first error is kept.
struct Reader final : PrefsVisitor {
    AIErr err = kNoErr;
    void keep(AIErr e) {
        if (e && !err) err = e;
    }
    void integer(const char* prefix, const char* key, int32_t& field, int32_t) override {
        int32_t value = field;
        keep(sAIPreference->GetIntegerPreference(prefix, key, &value));
        field = value;
    }
    void boolean(const char* prefix, const char* key, int& field, bool) override {
        AIBoolean value = field ? 1 : 0;
        keep(sAIPreference->GetBooleanPreference(prefix, key, &value));
        field = value ? 1 : 0;
    }
    void real(const char* prefix, const char* key, float& field, float) override {
        AIReal value = field;
        keep(sAIPreference->GetRealPreference(prefix, key, &value));
        field = value;
    }
    void string(const char* prefix, const char* key, char* field, int32_t size, const char*) override {
        // Read into a copy so a failed read cannot leave half a text.
        char buffer[1024];
        const int32_t n = size < static_cast<int32_t>(sizeof buffer) ? size : static_cast<int32_t>(sizeof buffer);
        CopyCString(buffer, sizeof buffer, field);
        AIErr e = sAIPreference->GetStringPreference(prefix, key, buffer, n);
        keep(e);
        if (!e) CopyCString(field, static_cast<size_t>(size), buffer);
    }
    void point(const char* prefix, const char* key, AIRealPoint& field, AIRealPoint) override {
        AIRealPoint value = field;
        keep(sAIPreference->GetPointPreference(prefix, key, &value));
        field = value;
    }
};

// A number its setting may hold: one of its domain, or any finite one.
bool Usable(const char* key, double value) {
    return HasPreferenceDomain(key) ? InPreferenceDomain(key, value) : std::isfinite(value);
}

struct Writer final : PrefsVisitor {
    AIErr err = kNoErr;
    void keep(AIErr e) {
        if (e && !err) err = e;
    }
    // A number outside its setting's domain (a layer's separator id made the current scale,
    // say) is not saved, since the next start would refuse it: the file keeps what it held,
    // and the user is told.
    static bool saved(const char* key, double value) {
        if (Usable(key, value)) return true;
        char item[160];
        std::snprintf(item, sizeof item, "%s %.10g", key, value);
        NoteForUser(kUnsavedPreferencesNote, item);
        return false;
    }
    void integer(const char* prefix, const char* key, int32_t& field, int32_t) override {
        if (saved(key, field)) keep(sAIPreference->PutIntegerPreference(prefix, key, field));
    }
    void boolean(const char* prefix, const char* key, int& field, bool) override {
        keep(sAIPreference->PutBooleanPreference(prefix, key, field ? 1 : 0));
    }
    void real(const char* prefix, const char* key, float& field, float) override {
        if (saved(key, field)) keep(sAIPreference->PutRealPreference(prefix, key, field));
    }
    void string(const char* prefix, const char* key, char* field, int32_t size, const char*) override {
        field[size - 1] = '\0';  // never hand over an unterminated field
        keep(sAIPreference->PutStringPreference(prefix, key, field));
    }
    void point(const char* prefix, const char* key, AIRealPoint& field, AIRealPoint) override {
        if (Usable(key, field.h) && Usable(key, field.v)) {
            keep(sAIPreference->PutPointPreference(prefix, key, &field));
            return;
        }
        char item[160];  // named with its prefix: every panel keeps its place under the same key
        std::snprintf(item, sizeof item, "%s/%s %.10g, %.10g", prefix, key, static_cast<double>(field.h),
                      static_cast<double>(field.v));
        NoteForUser(kUnsavedPreferencesNote, item);
    }
};

void NoteDefaultedPreference(const char* key, double value) {
    char item[160];
    std::snprintf(item, sizeof item, "%s %.10g", key, value);
    NoteForUser(kDefaultedPreferencesNote, item);
}

// A number outside its setting's domain (a real that is not finite, a negative weight, a
// unit code or scale id the tables lack, a panel placed beyond where the host places
// dialogs) gets its start-up value, and the user is told.
struct OutOfDomain final : PrefsVisitor {
    template <class Number>
    static void keep(const char* key, Number& field, Number startup) {
        const double value = static_cast<double>(field);
        if (Usable(key, value)) return;
        NoteDefaultedPreference(key, value);
        field = startup;
    }
    void integer(const char*, const char* key, int32_t& field, int32_t startup) override { keep(key, field, startup); }
    void boolean(const char*, const char*, int&, bool) override {}
    void real(const char*, const char* key, float& field, float startup) override { keep(key, field, startup); }
    void string(const char*, const char*, char*, int32_t, const char*) override {}
    void point(const char* prefix, const char* key, AIRealPoint& field, AIRealPoint startup) override {
        // Named with its prefix: every panel keeps its place under the same key.
        if (Usable(key, field.h) && Usable(key, field.v)) return;
        char item[160];
        std::snprintf(item, sizeof item, "%s/%s %.10g, %.10g", prefix, key, static_cast<double>(field.h),
                      static_cast<double>(field.v));
        NoteForUser(kDefaultedPreferencesNote, item);
        field = startup;
    }
};

// The settings a record holds at full size.
constexpr float preferences::* kLengthSettings[] = {&preferences::filletRadius, &preferences::chamferDistance1,
                                                   &preferences::chamferDistance2, &preferences::wallThickness};

void DefaultFaceName(char* out, size_t size) {
    CopyCString(out, size, "Helvetica");
    if (!sAIFont) return;
    AIFontKey font = nullptr;
    char name[256] = {};
    if (sAIFont->GetDefaultFont(0, &font) == kNoErr && font &&
        sAIFont->GetUserFontUIName(font, name, static_cast<ai_int16>(sizeof name)) == kNoErr && name[0])
        CopyCString(out, size, name);
}

}  // namespace

preferences::preferences() {
    style = DefaultDimensionStyle();
    StartupValues startup;
    VisitPresetSettings(*this, startup);
    VisitOtherSettings(*this, startup);
}

void VisitPrefs(preferences& prefs, PrefsVisitor& visitor) {
    VisitPresetSettings(prefs, visitor);
    VisitOtherSettings(prefs, visitor);
    VisitPanelPlacements(prefs, visitor);
}

void VisitPresetPrefs(preferences& prefs, PrefsVisitor& visitor) { VisitPresetSettings(prefs, visitor); }

void SetDefaultPrefs(preferences& p, const char* defaultFaceName) {
    p = preferences{};
    // The dimension text and the ruler numbers start in the host's default face; nothing of
    // the name it replaces stays behind the terminator.
    if (defaultFaceName && defaultFaceName[0]) {
        std::memset(p.style.dimensionTextFaceStr, 0, sizeof p.style.dimensionTextFaceStr);
        std::memset(p.rulerFontStr, 0, sizeof p.rulerFontStr);
        CopyCString(p.style.dimensionTextFaceStr, defaultFaceName);
        CopyCString(p.rulerFontStr, defaultFaceName);
    }
}

double LengthScale(double scaler) { return std::isfinite(scaler) && scaler > 0 ? scaler : 1.0; }

LengthSettingsDrawn::LengthSettingsDrawn(preferences& p, double scaler) : prefs_(p), scaler_(scaler) {
    static_assert(std::size(kLengthSettings) == kCount);
    for (size_t i = 0; i < kCount; ++i) {
        float& f = p.*kLengthSettings[i];
        held_[i] = f;
        f = drawn_[i] = DrawnLength(f, scaler);
    }
}

LengthSettingsDrawn::~LengthSettingsDrawn() {
    for (size_t i = 0; i < kCount; ++i) {
        float& f = prefs_.*kLengthSettings[i];
        f = f == drawn_[i] ? held_[i] : FullSizeLength(f, scaler_);
    }
}

void LengthSettingsDrawn::keepAsTheyWere() {
    for (size_t i = 0; i < kCount; ++i) prefs_.*kLengthSettings[i] = drawn_[i];
}

double StoredLengthScale() {
    AIReal scaler = 0;
    // As the reading takes it: a scaler outside its domain reads as 1:1.
    if (!sAIPreference || sAIPreference->GetRealPreference(P, "scaler", &scaler)) return 1.0;
    return InPreferenceDomain(kScalerDomain, scaler) ? scaler : 1.0;
}

AIErr ReadPrefs() {
    if (!g || !sAIPreference) return kBadParameterErr;
    char face[256];
    DefaultFaceName(face, sizeof face);
    SetDefaultPrefs(g->prefs, face);
    g->dimensionRGBColor = ADMRGBColor{0, 0, 0};

    {
        // A length the store lacks keeps its start-up value, at full size.
        const LengthSettingsDrawn drawn(g->prefs, StoredLengthScale());
        Reader reader;
        VisitPrefs(g->prefs, reader);
        if (reader.err) return reader.err;
        OutOfDomain domains;
        VisitPrefs(g->prefs, domains);
    }
    // A view that cannot project art (its receding axes coincide) is no view to start with.
    if (!IsoViewIsUsable(g->prefs.isoView)) {
        NoteForUser(kDefaultedPreferencesNote, "isoView");
        g->prefs.isoView = NewRecord().isoView;
    }

    // A store that never held these settings counts as already in the current unit
    // numbering; one from an older version without the flag must be remapped.
    int32_t units = INT32_MIN;
    AIErr err = sAIPreference->GetIntegerPreference(P, "NumericInputUnits", &units);
    if (err) return err;
    AIBoolean updated = 2;
    err = sAIPreference->GetBooleanPreference(P, "unitsUpdatedForPW7", &updated);
    if (err) return err;
    if (updated == 2) g->prefs.unitsUpdatedForPW7 = units == INT32_MIN ? 1 : 0;
    return kNoErr;
}

namespace {

AIErr Write(preferences& prefs) {
    if (!sAIPreference) return kBadParameterErr;
    const LengthSettingsDrawn drawn(prefs, prefs.scaler);
    Writer writer;
    VisitPrefs(prefs, writer);
    return writer.err;
}

}  // namespace

AIErr WritePrefs() { return g ? Write(g->prefs) : kBadParameterErr; }

AIErr WriteKeptPrefs() {
    if (!g) return kBadParameterErr;
    preferences kept = g->prefs;
    if (AIErr err = RunPlotwiseHooks(&PlotwiseHooks::preferencesKept, &kept)) return err;
    return Write(kept);
}
