#include "panels/PresetRecord.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstring>
#include <limits>

#include "architecture/ArchitectureMessages.h"
#include "artwork/LabelCounters.h"
#include "core/PlotwisePrefs.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"
#include "geometry/IsoViewDerivation.h"
#include "panels/PanelGlobals.h"
#include "panels/PresetsCatalog.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

// The values a preset may give a setting are those the preferences themselves hold to: a
// style field's domain from the style-field table, a real finite, the view one that can
// project art. The table below gives the domains of the settings the preferences leave open
// (any value of its type): units are the formatter's codes, precisions its six steps, the
// other codes those the panels and tools offer.
struct Domain {
    const char* key;
    double least, most;
};
constexpr double kLength = style_fields::kLengthMost;
constexpr double kLargeLength = 1e6;
constexpr Domain kDomains[] = {
    {"isoPadPosTempT", -90, 90}, {"isoPadPosTempR", 0, 90}, {"isoViewT", -90, 90}, {"isoViewR", 0, 90},
    {"isoViewA", -7, 7}, {"isoViewB", -7, 7}, {"isoViewC", -7, 7},
    {"isoViewAF", 0, 16}, {"isoViewBF", 0, 16}, {"isoViewCF", 0, 16},
    {"currentAxoViewIndex", 0, 13},
    {"customAxoView1R", 0, 90}, {"customAxoView2R", 0, 90}, {"customAxoView3R", 0, 90}, {"customAxoView4R", 0, 90},
    {"customAxoView5R", 0, 90}, {"customAxoView1T", -90, 90}, {"customAxoView2T", -90, 90},
    {"customAxoView3T", -90, 90}, {"customAxoView4T", -90, 90}, {"customAxoView5T", -90, 90},
    {"numberFormat", 0, 1},
    {"NumericInputUnits", 0, 19}, {"CADtrackerUnits", 0, 19}, {"rulerUnits", 0, 19}, {"MasterUnits", 0, 19},
    {"NumericInputPrecision", 0, 5}, {"CADtrackerPrecision", 0, 5}, {"rulerPrecision", 0, 5},
    {"MasterPrecision", 0, 5}, {"upperDecimalPrecision", 0, 5}, {"upperFractionalPrecision", 0, 5},
    {"lowerDecimalPrecision", 0, 5}, {"lowerFractionalPrecision", 0, 5},
    {"dimensionColorEntry", 0, 12}, {"arrowheadStyle", 1, 8}, {"arrowheadAngle", 0, 180},
    {"textDistanceAboveLine", -kLength, kLength},
    {"hTextPlacement", 1, 5}, {"vTextPlacement", 1, 5}, {"aTextPlacement", 1, 5},
    {"useUniversalTextAngle", 0, 1}, {"moveLargeDimensionText", 0, 1}, {"dualDimensions", 0, 1},
    {"appendUpperUnitLabels", 0, 1}, {"appendLowerUnitLabels", 0, 1}, {"upperTolerance", 0, 3},
    {"lowerTolerance", 0, 3}, {"upperToleranceSuperscript", 0, 1}, {"lowerToleranceSuperscript", 0, 1},
    {"appendDiamLabels", 0, 1}, {"diameterLabelsBefore", 0, 1}, {"diameterLeaderSpansCircle", 0, 1},
    {"witnessExtension", 0, kLength},
    {"autoDimensionOffset", -kLength, kLength}, {"makeSectionLineDoubleThick", 0, 1}, {"primeSection", 0, 1},
    {"chainDatum", 0, 1}, {"JISDatumTerminator", 0, 1},
    {"repeatType", 0, 1}, {"moveType", 0, 8}, {"rowDirection", 0, 1}, {"colDirection", 0, 1},
    {"chamferDistance1", 0, kLargeLength}, {"chamferDistance2", 0, kLargeLength}, {"filletRadius", 0, kLargeLength},
    {"wallThickness", 0, kLargeLength}, {"wallDatum", 0, 2}, {"liveDimension", 0, 1},
    {"dimensionDataID", 0, std::numeric_limits<int32_t>::max()},
    {"labelLeader", 0, 5}, {"labelShape", 0, 6}, {"labelBorder", 0, 35}, {"labelLeaderLength", 0, kLength},
    {"CADgridSnapTolerance", 0, 1000}, {"gridColorRed", 0, 65535}, {"gridColorBlue", 0, 65535},
    {"gridColorGreen", 0, 65535}, {"gridColorEntry", 1, 13}, {"GridlineEntry", 1, 3},
    {"CADgridSpacing", 0.001, kLargeLength}, {"CADgridNumSubdiv", 1, 100},
    {"DimNextNum", 0, kMaxCounterNumber}, {"DimNextAlpha", 0, 701}, {"textSpacing", 0, 32},
    {"LabelFormat", 0, 3}, {"LabelNextNum", 0, kMaxCounterNumber}, {"LabelNextAlpha", 0, 701},
    {"diameterLeaderLength", 0, kLength}, {"NumericLabelsNumberOfLeadingZeros", 0, 9},
    {"alphaLabelMenuOption", 0, 1}, {"numericLabelMenuOption", 0, 2}, {"customLabelMenuOption", 0, 1},
    {"terminatorDirection", 0, 2},
};
// Values inside a range that are no choice: the separators of the isometric panel's view
// list and of the grid colour menu (entry id 11).
struct Gap {
    const char* key;
    double value;
};
constexpr Gap kGaps[] = {{"currentAxoViewIndex", 5}, {"currentAxoViewIndex", 8}, {"currentAxoViewIndex", 12},
                         {"gridColorEntry", 11}};

// The style field kept under a preset key when the style-field table bounds it.
const StyleField* BoundedStyleField(const char* key) {
    for (const StyleField& f : StyleFields())
        if (f.prefKey && std::strcmp(f.prefKey, key) == 0)
            return std::isfinite(f.least) || std::isfinite(f.most) ? &f : nullptr;
    return nullptr;
}

bool InDomain(const char* key, double value) {
    if (!std::isfinite(value)) return false;
    if (const StyleField* f = BoundedStyleField(key)) return f->Holds(value);
    for (const Gap& gap : kGaps)
        if (value == gap.value && std::strcmp(gap.key, key) == 0) return false;
    for (const Domain& d : kDomains)
        if (std::strcmp(d.key, key) == 0) return value >= d.least && value <= d.most;
    return true;
}

// Writes each setting into the collection; a key the host cannot write is left out.
struct Exporter final : PrefsVisitor {
    AIAttributeCollectionRef preset;
    explicit Exporter(AIAttributeCollectionRef c) : preset(c) {}
    void integer(const char*, const char* key, int32_t& field, int32_t) override {
        (void)sAIAttributeCollection->SetIntegerValue(preset, key, field);
    }
    void boolean(const char*, const char* key, int& field, bool) override {
        (void)sAIAttributeCollection->SetBooleanValue(preset, key, field != 0);
    }
    void real(const char*, const char* key, float& field, float) override {
        (void)sAIAttributeCollection->SetRealValue(preset, key, field);
    }
    void string(const char*, const char* key, char* field, int32_t size, const char*) override {
        // A field filled to its end without a terminator is read no further than its size.
        const std::string text(field, strnlen(field, static_cast<size_t>(size)));
        (void)sAIAttributeCollection->SetStringValue(preset, key, text.c_str());
    }
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
};

// Reads each setting back; a missing, mistyped or out-of-domain value keeps the field.
struct Applier final : PrefsVisitor {
    AIAttributeCollectionRef preset;
    std::string refused;
    explicit Applier(AIAttributeCollectionRef c) : preset(c) {}
    bool accept(const char* key, double value) {
        if (InDomain(key, value)) return true;
        char item[96];
        std::snprintf(item, sizeof item, "%s%s %.9g", refused.empty() ? "" : ", ", key, value);
        refused += item;
        return false;
    }
    void integer(const char*, const char* key, int32_t& field, int32_t) override {
        int32_t value = field;
        if (sAIAttributeCollection->GetIntegerValue(preset, key, &value) == kNoErr && accept(key, value)) field = value;
    }
    void boolean(const char*, const char* key, int& field, bool) override {
        AIBoolean value = field != 0;
        if (sAIAttributeCollection->GetBooleanValue(preset, key, &value) == kNoErr) field = value ? 1 : 0;
    }
    void real(const char*, const char* key, float& field, float) override {
        AIReal value = field;
        if (sAIAttributeCollection->GetRealValue(preset, key, &value) == kNoErr && accept(key, value)) field = value;
    }
    void string(const char*, const char* key, char* field, int32_t size, const char*) override {
        char text[1024] = {};
        const int32_t room = size < static_cast<int32_t>(sizeof text) ? size : static_cast<int32_t>(sizeof text);
        if (sAIAttributeCollection->GetStringValue(preset, key, text, room) == kNoErr)
            CopyCString(field, static_cast<size_t>(size), text);
    }
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
};

}  // namespace

AIErr NewPresetCollection(const char* name, preferences& prefs, AIAttributeCollectionRef* preset) {
    *preset = nullptr;
    if (AIErr err = sAIAttributeCollection->CreateCollection(preset)) return err;
    if (!*preset) return kNoErr;
    if (AIErr err = sAIAttributeCollection->SetStringValue(*preset, kPresetNameKey, name)) {
        (void)sAIAttributeCollection->Release(*preset);
        *preset = nullptr;
        return err;
    }
    Exporter exporter(*preset);
    VisitPresetPrefs(prefs, exporter);
    return kNoErr;
}

AIErr CreateCatalogWithCurrentSettings(const char* name) {
    AIAttributeCatalogRef catalog = nullptr;
    if (AIErr err = sAIAttributeCatalog->GetCatalog(kPresetsCatalogName, &catalog)) return err;
    if (!catalog) return kNoErr;
    AIAttributeCollectionRef preset = nullptr;
    if (AIErr err = NewPresetCollection(name, g->prefs, &preset)) return err;
    if (!preset) return kNoErr;
    const AIErr err = sAIAttributeCatalog->AppendCollection(catalog, preset);
    if (!err) SaveCADpresetsCatalogAfterChange(catalog);
    (void)sAIAttributeCollection->Release(preset);
    return err;
}

void ApplyPresetCollection(AIAttributeCollectionRef preset, preferences& prefs, std::string* refused) {
    const iso_view view = prefs.isoView;
    Applier applier(preset);
    VisitPresetPrefs(prefs, applier);
    // Each of the view's values may lie in its domain and the view still see a face edge-on.
    if (!IsoViewIsUsable(prefs.isoView)) {
        prefs.isoView = view;
        applier.refused += applier.refused.empty() ? "isoView" : ", isoView";
    }
    if (refused) *refused = std::move(applier.refused);
}

AIErr SetPrefsToPreset(const char* name) {
    AIAttributeCatalogRef catalog = nullptr;
    if (AIErr err = sAIAttributeCatalog->GetCatalog(kPresetsCatalogName, &catalog)) return err;
    if (!catalog) return kNoErr;
    const int32_t count = CountPresets(catalog);
    for (int32_t i = 0; i < count; ++i) {
        char presetName[kPresetNameSize];
        if (!GetPresetName(catalog, i, presetName) || std::strcmp(presetName, name) != 0) continue;
        AIAttributeCollectionRef preset = nullptr;
        if (sAIAttributeCatalog->GetCollectionAt(catalog, i, &preset) || !preset) continue;
        std::string refused;
        ApplyPresetCollection(preset, g->prefs, &refused);
        // The id counter is the document's: the next dimension takes no id one already has.
        g->prefs.style.id = std::max(g->prefs.style.id, HighestDimensionIdHeld());
        if (!refused.empty())
            (void)SayWords(FilledText(kPresetsMessageList, kPresetValuesKeptMessage, {presetName, refused}));
        break;
    }
    return kNoErr;
}
