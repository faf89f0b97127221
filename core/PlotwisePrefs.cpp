// The preference keys of every setting, their defaults, and the reader and writer over the
// host's preference store.
#include "core/PlotwisePrefs.h"

#include <climits>
#include <cstdio>
#include <cstring>

#include "AIPreference.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

constexpr const char* P = kPlotwisePrefsPrefix;

template <size_t N>
void Str(PrefsVisitor& v, const char* key, char (&field)[N]) {
    v.string(P, key, field, static_cast<int32_t>(N));
}

// The settings presets carry, in their order and under their key texts.
void VisitPresetSettings(preferences& p, PrefsVisitor& v) {
    auto& s = p.style;
    v.real(P, "isoPadPosTempT", p.isoPadPos.tempT);
    v.real(P, "isoPadPosTempR", p.isoPadPos.tempR);
    v.real(P, "isoViewT", p.isoView.t);
    v.real(P, "isoViewR", p.isoView.r);
    v.real(P, "isoViewA", p.isoView.a);
    v.real(P, "isoViewB", p.isoView.b);
    v.real(P, "isoViewC", p.isoView.c);
    v.real(P, "isoViewAF", p.isoView.af);
    v.real(P, "isoViewBF", p.isoView.bf);
    v.real(P, "isoViewCF", p.isoView.cf);
    v.integer(P, "currentAxoViewIndex", p.currentAxoViewIndex);
    v.real(P, "customAxoView1R", p.customAxoView1R);
    v.real(P, "customAxoView2R", p.customAxoView2R);
    v.real(P, "customAxoView3R", p.customAxoView3R);
    v.real(P, "customAxoView4R", p.customAxoView4R);
    v.real(P, "customAxoView5R", p.customAxoView5R);
    v.real(P, "customAxoView1T", p.customAxoView1T);
    v.real(P, "customAxoView2T", p.customAxoView2T);
    v.real(P, "customAxoView3T", p.customAxoView3T);
    v.real(P, "customAxoView4T", p.customAxoView4T);
    v.real(P, "customAxoView5T", p.customAxoView5T);
    Str(v, "customAxoView1Str", p.customAxoView1Str);
    Str(v, "customAxoView2Str", p.customAxoView2Str);
    Str(v, "customAxoView3Str", p.customAxoView3Str);
    Str(v, "customAxoView4Str", p.customAxoView4Str);
    Str(v, "customAxoView5Str", p.customAxoView5Str);
    v.boolean(P, "LockAxoView", p.LockAxoView);
    v.boolean(P, "createLiveDimensions", p.createLiveDimensions);
    v.integer(P, "numberFormat", p.numberFormat);
    v.boolean(P, "useThousandsSeparator", p.useThousandsSeparator);
    v.boolean(P, "createDimensionLayer", p.createDimensionLayer);
    v.integer(P, "NumericInputUnits", p.NumericInputUnits);
    v.boolean(P, "appendNumericInputUnits", p.appendNumericInputUnits);
    v.integer(P, "NumericInputPrecision", p.NumericInputPrecision);
    v.integer(P, "dimensionColorComponent1", s.dimensionColorComponent1);
    v.integer(P, "dimensionColorComponent2", s.dimensionColorComponent2);
    v.integer(P, "dimensionColorComponent3", s.dimensionColorComponent3);
    v.integer(P, "dimensionColorComponent4", s.dimensionColorComponent4);
    v.integer(P, "dimensionCustomColorType", s.dimensionCustomColorType);
    v.real(P, "dimensionCustomColorTint", s.dimensionCustomColorTint);
    v.integer(P, "dimensionColorEntry", s.dimensionColorEntry);
    v.integer(P, "dimensionColorType", s.dimensionColorType);
    Str(v, "CADcustomColorName", p.customColorName);
    Str(v, "dimensionTextFaceStr", s.dimensionTextFaceStr);
    v.real(P, "dimensionTextSize", s.dimensionTextSize);
    v.real(P, "dimensionWeight", s.dimensionWeight);
    v.integer(P, "arrowheadStyle", s.arrowheadStyle);
    v.real(P, "arrowheadLength", s.arrowheadLength);
    v.real(P, "arrowheadWeight", s.arrowheadWeight);
    v.real(P, "arrowheadAngle", s.arrowheadAngle);
    v.real(P, "textDistanceAboveLine", s.textDistanceAboveLine);
    v.integer(P, "useUniversalTextAngle", s.useUniversalTextAngle);
    v.integer(P, "moveLargeDimensionText", s.moveLargeDimensionText);
    v.integer(P, "hTextPlacement", s.hTextPlacement);
    v.integer(P, "vTextPlacement", s.vTextPlacement);
    v.integer(P, "aTextPlacement", s.aTextPlacement);
    v.integer(P, "dualDimensions", s.dualDimensions);
    v.integer(P, "appendUpperUnitLabels", s.appendUpperUnitLabels);
    v.integer(P, "appendLowerUnitLabels", s.appendLowerUnitLabels);
    v.integer(P, "upperTolerance", s.upperTolerance);
    Str(v, "upperToleranceValue", s.upperToleranceValue);
    v.integer(P, "upperToleranceUnits", s.upperToleranceUnits);
    v.integer(P, "upperToleranceSuperscript", s.upperToleranceSuperscript);
    v.integer(P, "lowerTolerance", s.lowerTolerance);
    Str(v, "lowerToleranceValue", s.lowerToleranceValue);
    v.integer(P, "lowerToleranceUnits", s.lowerToleranceUnits);
    v.integer(P, "lowerToleranceSuperscript", s.lowerToleranceSuperscript);
    v.integer(P, "appendDiamLabels", s.appendDiamLabels);
    v.integer(P, "diameterLabelsBefore", s.diameterLabelsBefore);
    v.integer(P, "diameterLeaderSpansCircle", s.diameterLeaderSpansCircle);
    v.real(P, "witnessGap", s.witnessGap);
    v.real(P, "witnessExtension", s.witnessExtension);
    v.real(P, "witnessWeight", s.witnessWeight);
    v.real(P, "autoDimensionOffset", s.autoDimensionOffset);
    v.integer(P, "makeSectionLineDoubleThick", s.makeSectionLineDoubleThick);
    v.integer(P, "primeSection", s.primeSection);
    v.integer(P, "chainDatum", s.chainDatum);
    v.integer(P, "JISDatumTerminator", s.JISDatumTerminator);
    Str(v, "longLabelText", p.longLabelLastStr);
    v.integer(P, "repeatType", p.repeatType);
    v.integer(P, "moveType", p.moveType);
    v.integer(P, "rowDirection", p.repeatRowUp);
    v.integer(P, "colDirection", p.repeatColRt);
    v.boolean(P, "constrainProportions", p.constrainProportions);
    v.boolean(P, "displayAreaInAcres", p.displayAcres);
    v.integer(P, "CADtrackerUnits", p.CADtrackerUnits);
    v.boolean(P, "appendCADtrackerUnits", p.appendCADtrackerUnits);
    v.integer(P, "CADtrackerPrecision", p.CADtrackerPrecision);
    v.boolean(P, "createCADgridsLayer", p.createCADgridsLayer);
    v.integer(P, "upperDecimalPrecision", s.upperDecimalPrecision);
    v.integer(P, "upperFractionalPrecision", s.upperFractionalPrecision);
    v.integer(P, "lowerDecimalPrecision", s.lowerDecimalPrecision);
    v.integer(P, "lowerFractionalPrecision", s.lowerFractionalPrecision);
    v.integer(P, "rulerPrecision", p.rulerPrecision);
    v.integer(P, "upperUnits", s.upperUnits);
    v.integer(P, "lowerUnits", s.lowerUnits);
    v.integer(P, "rulerUnits", p.rulerUnits);
    v.boolean(P, "appendRulerUnits", p.appendRulerUnits);
    v.real(P, "chamferDistance1", p.chamferDistance1);
    v.real(P, "chamferDistance2", p.chamferDistance2);
    v.real(P, "filletRadius", p.filletRadius);
    v.real(P, "wallThickness", p.wallThickness);
    v.boolean(P, "showWallInfo", p.showWallInfo);
    v.integer(P, "wallDatum", p.wallDatum);
    v.boolean(P, "updateLiveDimensions", p.updateLiveDimensions);
    v.integer(P, "liveDimension", s.live);
    v.integer(P, "dimensionDataID", s.id);
    v.integer(P, "labelLeader", s.labelLeader);
    v.integer(P, "labelShape", s.labelShape);
    v.integer(P, "labelBorder", s.labelBorder);
    v.integer(P, "labelIncType", s.pointerLabelType);
    Str(v, "labelStatic", p.pointerLabelStaticData);
    v.real(P, "labelLeaderLength", s.labelLeaderLength);
    v.boolean(P, "snapToGrid", p.snapToGrid);
    v.integer(P, "CADgridSnapTolerance", p.gridSnapTolerance);
    v.integer(P, "gridColorRed", p.gridColorRed);
    v.integer(P, "gridColorBlue", p.gridColorBlue);
    v.integer(P, "gridColorGreen", p.gridColorGreen);
    v.integer(P, "gridColorEntry", p.gridColorEntry);
    v.integer(P, "GridlineEntry", p.GridlineEntry);
    v.boolean(P, "DERurureLayerVisible", p.DERurureLayerVisible);
    v.boolean(P, "DERurureLayerExists", p.DERurureLayerExists);
    Str(v, "rulerFontStr", p.rulerFontStr);
    v.real(P, "CADgridSpacing", p.gridSpacing);
    v.integer(P, "CADgridNumSubdiv", p.gridNumSubdivisions);
    v.integer(P, "CADgridLineStyle", p.gridLineStyle);
    v.boolean(P, "CADgridsLayerVisible", p.CADgridVisible);
    v.boolean(P, "ShowHorizontalGridLines", p.ShowHorizontalGridLines);
    v.boolean(P, "ShowVerticalGridLines", p.ShowVerticalGridLines);
    v.boolean(P, "ShowIsometricGridLines", p.ShowIsometricGridLines);
    v.boolean(P, "trimToolDeletes", p.trimToolDeletes);
    v.boolean(P, "slideDimText", s.slideDimText);
    v.integer(P, "DimFormat", s.dimensionFormat);
    v.integer(P, "DimNextNum", p.incrementalDimNumber);
    v.integer(P, "DimNextAlpha", p.incrementalDimAlpha);
    v.integer(P, "textSpacing", s.textSpacing);
    v.integer(P, "LabelFormat", s.labelFormat);
    v.integer(P, "LabelNextNum", p.incrementalLabelNumber);
    v.integer(P, "LabelNextAlpha", p.incrementalLabelAlpha);
    v.boolean(P, "showCADtrackerInfo", p.showCADtrackerInfo);
    v.boolean(P, "DisplayDrawDimLayerWarning", p.displayDrawDimLayerWarning);
    v.real(P, "diameterLeaderLength", s.diameterLeaderLength);
    v.boolean(P, "DisplayArtMustBeClickedError", p.displayArtMustBeClickedError);
    v.boolean(P, "liveDimensionFormatMenu", p.liveDimensionFormatMenu);
    v.boolean(P, "axoNoForeshortening", p.noAxoForeshortening);
    v.boolean(P, "forceDimLinesOutside", p.forceDimLinesOutside);
    v.boolean(P, "NumericLabelsUseLeadingZeros", s.NumericLabelsUseLeadingZeros);
    v.integer(P, "NumericLabelsNumberOfLeadingZeros", s.NumericLabelsNumberOfLeadingZeros);
    v.integer(P, "alphaLabelMenuOption", s.alphaLabelMenuOption);
    v.integer(P, "numericLabelMenuOption", s.numericLabelMenuOption);
    v.integer(P, "customLabelMenuOption", s.customLabelMenuOption);
    v.boolean(P, "geoLabelX", s.geoLabelX);
    v.boolean(P, "geoLabelY", s.geoLabelY);
    v.boolean(P, "geoLabelW", s.geoLabelW);
    v.boolean(P, "geoLabelH", s.geoLabelH);
    v.boolean(P, "geoLabelP", s.geoLabelP);
    v.boolean(P, "geoLabelA", s.geoLabelA);
    v.boolean(P, "stretchLabelShape", s.stretchLabelShape);
    v.boolean(P, "annotateFullScreenCursor", p.annotateFullScreenCursor);
    v.boolean(P, "objectSnapFullScreenCursor", p.objectSnapFullScreenCursor);
    v.boolean(P, "AutoDimensionHorizontal", p.AutoDimensionHorizontal);
    v.boolean(P, "AutoDimensionVertical", p.AutoDimensionVertical);
    v.boolean(P, "AutoDimensionInclined", p.AutoDimensionInclined);
    v.boolean(P, "AutoDimensionRadialCrosshairs", p.AutoDimensionRadialCrosshairs);
    v.boolean(P, "AutoDimensionRadialRadius", p.AutoDimensionRadialRadius);
    v.boolean(P, "AutDimensionRadialDiameter", p.AutDimensionRadialDiameter);
    v.boolean(P, "AutoDimensionRadialNone", p.AutoDimensionRadialNone);
    v.integer(P, "terminatorDirection", s.terminatorDirection);
    v.integer(P, "MasterUnits", p.MasterUnits);
    v.integer(P, "MasterPrecision", p.MasterPrecision);
    v.boolean(P, "CUSTOM_ALWAYS_ABOVE", p.alwaysAbove);
    v.boolean(P, "CUSTOM_FORCE_SLASH", p.forceSlashDirection);
    Str(v, "CUSTOM_LABEL_DEFAULT_TEXT", p.customLabelDefaultText);
    Str(v, "CUSTOM_DIM_DEFAULT_TEXT", p.customDimDefaultText);
    v.boolean(P, "autoExpandAxoArt", p.autoExpandAxoArt);
    v.boolean(P, "upperRefDimension", s.upperRefDimension);
    v.boolean(P, "lowerRefDimension", s.lowerRefDimension);
    v.boolean(P, "okToConnectCADlinePaths", p.okToConnectCADlinePaths);
}

// Settings presets do not carry; their keys are the field names.
void VisitOtherSettings(preferences& p, PrefsVisitor& v) {
    v.integer(P, "pixelsperinch", p.pixelsperinch);
    v.integer(P, "scale", p.scale);
    v.real(P, "scaler", p.scaler);
    Str(v, "scaleStr", p.scaleStr);
    v.integer(P, "scaleStyle", p.scaleStyle);
    float* scalers[] = {&p.customScaler1, &p.customScaler2, &p.customScaler3, &p.customScaler4,
                        &p.customScaler5, &p.customScaler6, &p.customScaler7, &p.customScaler8,
                        &p.customScaler9, &p.customScaler10};
    char(*labels[])[32] = {&p.customScaleStr1, &p.customScaleStr2, &p.customScaleStr3, &p.customScaleStr4,
                           &p.customScaleStr5, &p.customScaleStr6, &p.customScaleStr7, &p.customScaleStr8,
                           &p.customScaleStr9, &p.customScaleStr10};
    for (int i = 0; i < 10; ++i) {
        char key[32];
        std::snprintf(key, sizeof key, "customScaler%d", i + 1);
        v.real(P, key, *scalers[i]);
        std::snprintf(key, sizeof key, "customScaleStr%d", i + 1);
        v.string(P, key, *labels[i], 32);
    }
    v.integer(P, "ScaleAssistantObjectRelationship", p.ScaleAssistantObjectRelationship);
    v.integer(P, "ScaleAssistantAction", p.ScaleAssistantAction);
    v.integer(P, "ScaleAssistantScaleType", p.ScaleAssistantScaleType);
    v.integer(P, "ScaleAssistantReferenceType", p.ScaleAssistantReferenceType);
    v.integer(P, "leaderArcWidth", p.leaderArcWidth);
    v.integer(P, "leaderArcHeight", p.leaderArcHeight);
    v.integer(P, "currentCADpreset", p.currentCADpreset);
    v.boolean(P, "CADpresetsUpdateAllArt", p.CADpresetsUpdateAllArt);
    v.boolean(P, "CADpresetsUpdateSelectedArt", p.CADpresetsUpdateSelectedArt);
    v.boolean(P, "CADpresetsDoNotUpateArt", p.CADpresetsDoNotUpateArt);
    v.boolean(P, "constrainLineTool", p.constrainLineTool);
    v.real(P, "constrainLineToolAngle", p.constrainLineToolAngle);
    v.boolean(P, "unitsUpdatedForPW7", p.unitsUpdatedForPW7);
}

// Each panel's placement under its own prefix, as the panel rows of the subsystems give it.
void VisitPanelPlacements(preferences& p, PrefsVisitor& v) {
    for (const PlotwiseSubsystem* s : PlotwiseSubsystems()) {
        for (const PlotwisePanelRow& panel : s->panels) {
            if (!panel.prefix) continue;
            v.point(panel.prefix, "Location", p.*panel.loc);
            v.integer(panel.prefix, "DockCode", p.*panel.dockCode);
            v.string(panel.prefix, "DockGroup", p.*panel.dockGroup, 65);
            v.boolean(panel.prefix, panel.collapseKey, p.*panel.collapse);
            if (panel.options) v.boolean(panel.prefix, panel.optionsKey, p.*panel.options);
            if (panel.height) v.integer(panel.prefix, "Size", p.*panel.height);
        }
    }
}

// Reads over the defaults; a failing read keeps the field and the first error is kept.
struct Reader final : PrefsVisitor {
    AIErr err = kNoErr;
    void keep(AIErr e) {
        if (e && !err) err = e;
    }
    void integer(const char* prefix, const char* key, int32_t& field) override {
        int32_t value = field;
        keep(sAIPreference->GetIntegerPreference(prefix, key, &value));
        field = value;
    }
    void boolean(const char* prefix, const char* key, int& field) override {
        AIBoolean value = field ? 1 : 0;
        keep(sAIPreference->GetBooleanPreference(prefix, key, &value));
        field = value ? 1 : 0;
    }
    void real(const char* prefix, const char* key, float& field) override {
        AIReal value = field;
        keep(sAIPreference->GetRealPreference(prefix, key, &value));
        field = value;
    }
    void string(const char* prefix, const char* key, char* field, int32_t size) override {
        // Read into a copy so a failed read cannot leave half a text.
        char buffer[1024];
        const int32_t n = size < static_cast<int32_t>(sizeof buffer) ? size : static_cast<int32_t>(sizeof buffer);
        CopyCString(buffer, sizeof buffer, field);
        AIErr e = sAIPreference->GetStringPreference(prefix, key, buffer, n);
        keep(e);
        if (!e) CopyCString(field, static_cast<size_t>(size), buffer);
    }
    void point(const char* prefix, const char* key, AIRealPoint& field) override {
        AIRealPoint value = field;
        keep(sAIPreference->GetPointPreference(prefix, key, &value));
        field = value;
    }
};

struct Writer final : PrefsVisitor {
    AIErr err = kNoErr;
    void keep(AIErr e) {
        if (e && !err) err = e;
    }
    void integer(const char* prefix, const char* key, int32_t& field) override {
        keep(sAIPreference->PutIntegerPreference(prefix, key, field));
    }
    void boolean(const char* prefix, const char* key, int& field) override {
        keep(sAIPreference->PutBooleanPreference(prefix, key, field ? 1 : 0));
    }
    void real(const char* prefix, const char* key, float& field) override {
        keep(sAIPreference->PutRealPreference(prefix, key, field));
    }
    void string(const char* prefix, const char* key, char* field, int32_t size) override {
        field[size - 1] = '\0';  // never hand over an unterminated field
        keep(sAIPreference->PutStringPreference(prefix, key, field));
    }
    void point(const char* prefix, const char* key, AIRealPoint& field) override {
        keep(sAIPreference->PutPointPreference(prefix, key, &field));
    }
};

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

void VisitPrefs(preferences& prefs, PrefsVisitor& visitor) {
    VisitPresetSettings(prefs, visitor);
    VisitOtherSettings(prefs, visitor);
    VisitPanelPlacements(prefs, visitor);
}

void SetDefaultPrefs(preferences& p, const char* defaultFaceName) {
    p = preferences{};
    const char* face = defaultFaceName && defaultFaceName[0] ? defaultFaceName : "Helvetica";
    // Where the two built-in presets differ, the engineering values; the Master settings
    // keep their own stated defaults.
    p.NumericInputUnits = 5;
    p.NumericInputPrecision = 3;
    p.CADtrackerUnits = 5;
    p.CADtrackerPrecision = 3;
    p.rulerUnits = 5;
    p.rulerPrecision = 3;
    p.MasterUnits = 8;
    p.MasterPrecision = 3;
    p.appendNumericInputUnits = p.appendCADtrackerUnits = p.appendRulerUnits = 1;
    p.numberFormat = 0;
    p.useThousandsSeparator = 1;
    p.unitsUpdatedForPW7 = 1;
    p.annotateFullScreenCursor = 1;
    p.AutoDimensionRadialRadius = 0;
    p.AutDimensionRadialDiameter = 1;
    p.leaderArcWidth = 25;
    p.leaderArcHeight = 50;
    CopyCString(p.rulerFontStr, sizeof p.rulerFontStr, face);
    p.isoPadPos.tempT = p.isoView.t = 35.266666f;
    p.isoPadPos.tempR = p.isoView.r = 45.0f;
    p.isoView.a = 0.52362305f;
    p.isoView.b = 2.6179695f;
    p.isoView.c = -0.42920363f;
    p.isoView.af = 0.81650805f;
    p.isoView.bf = 0.81650805f;
    p.isoView.cf = 0.8164736f;
    CopyCString(p.pointerLabelStaticData, sizeof p.pointerLabelStaticData, "Zelmark, Inc.");

    Plotwise3_Live_Dimension_Data& s = p.style;
    s = Plotwise3_Live_Dimension_Data{};
    s.live = 1;
    s.dimensionColorType = 5;
    s.dimensionCustomColorType = 1;
    s.dimensionCustomColorTint = 100.0f;
    s.arrowheadStyle = 1;
    s.arrowheadLength = 9.0f;
    s.arrowheadWeight = 1.0f;
    s.arrowheadAngle = 17.5f;
    s.autoDimensionOffset = 27.0f;
    s.dimensionWeight = 1.0f;
    s.witnessGap = 4.5f;
    s.witnessWeight = 1.0f;
    s.witnessExtension = 9.0f;
    s.makeSectionLineDoubleThick = 1;
    s.primeSection = 1;
    CopyCString(s.dimensionTextFaceStr, sizeof s.dimensionTextFaceStr, face);
    s.dimensionTextSize = 14.0f;
    s.hTextPlacement = s.vTextPlacement = s.aTextPlacement = 1;
    s.textDistanceAboveLine = 4.5f;
    s.appendDiamLabels = 1;
    s.diameterLabelsBefore = 1;
    s.upperUnits = s.lowerUnits = 5;
    s.appendUpperUnitLabels = s.appendLowerUnitLabels = 1;
    s.upperDecimalPrecision = s.upperFractionalPrecision = 3;
    s.lowerDecimalPrecision = s.lowerFractionalPrecision = 3;
    CopyCString(s.upperToleranceValue, sizeof s.upperToleranceValue, ".005");
    CopyCString(s.lowerToleranceValue, sizeof s.lowerToleranceValue, ".005");
    s.upperToleranceUnits = s.lowerToleranceUnits = 5;
    s.labelLeader = 1;
    s.labelShape = 0;
    s.pointerLabelType = 1;
    s.labelBorder = 9;
    s.labelFormat = 1;
    s.slideDimText = 1;
    s.slideDimTextOffset = 0.5f;
    s.textSpacing = 14;
    s.labelLeaderLength = 90.0f;
    s.diameterLeaderLength = 36.0f;
    s.alphaLabelMenuOption = s.numericLabelMenuOption = s.customLabelMenuOption = 1;
    s.geoLabelA = 1;
    s.stretchLabelShape = 1;
    s.terminatorDirection = 1;
}

AIErr ReadPrefs() {
    if (!g || !sAIPreference) return kBadParameterErr;
    char face[256];
    DefaultFaceName(face, sizeof face);
    SetDefaultPrefs(g->prefs, face);
    g->dimensionRGBColor = ADMRGBColor{0, 0, 0};

    Reader reader;
    VisitPrefs(g->prefs, reader);
    if (reader.err) return reader.err;

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

AIErr WritePrefs() {
    if (!g || !sAIPreference) return kBadParameterErr;
    Writer writer;
    VisitPrefs(g->prefs, writer);
    return writer.err;
}
