// The two built-in presets, made when there is no presets file: "Basic Engineering" holds
// the settings every preference starts with but where a panel starts otherwise (metres,
// three places, 14 pt text, plain label frames) and projects without foreshortening;
// "Basic Architecture" differs from it in 29 settings, for feet and decimal inches.
#include "panels/BuiltInPresets.h"

#include <memory>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "panels/PresetRecord.h"

namespace {

void EngineeringSettings(preferences& p) {
    auto& s = p.style;
    constexpr int32_t kMetres = 5;
    p.MasterUnits = s.upperUnits = s.lowerUnits = kMetres;
    s.dimensionTextSize = 14.0f;
    s.textSpacing = 14;
    CopyCString(s.upperToleranceValue, ".005");
    CopyCString(s.lowerToleranceValue, ".005");
    s.labelShape = 0;
    s.labelBorder = 9;
    s.labelLeaderLength = 90.0f;
    s.alphaLabelMenuOption = s.numericLabelMenuOption = s.customLabelMenuOption = 1;
    s.NumericLabelsNumberOfLeadingZeros = 0;
    p.AutoDimensionInclined = 0;
    // The start-up view foreshortens; the drafter who picks a preset draws true lengths.
    p.noAxoForeshortening = 1;
}

void ArchitectureSettings(preferences& p) {
    EngineeringSettings(p);
    auto& s = p.style;
    constexpr int32_t kFeetAndInches = 14, kInches = 8, kQuarters = 2;
    p.NumericInputUnits = p.CADtrackerUnits = p.rulerUnits = p.MasterUnits = kFeetAndInches;
    s.upperUnits = s.lowerUnits = kFeetAndInches;
    s.upperToleranceUnits = s.lowerToleranceUnits = kInches;
    p.NumericInputPrecision = p.CADtrackerPrecision = p.rulerPrecision = p.MasterPrecision = kQuarters;
    s.upperDecimalPrecision = s.upperFractionalPrecision = kQuarters;
    s.lowerDecimalPrecision = s.lowerFractionalPrecision = kQuarters;
    CopyCString(s.upperToleranceValue, ".125");
    CopyCString(s.lowerToleranceValue, ".125");
    s.arrowheadStyle = 3;
    s.hTextPlacement = 2;
    s.vTextPlacement = 4;
    s.diameterLeaderSpansCircle = 1;
    s.labelLeader = 0;
    s.labelShape = 2;
    s.labelBorder = 15;
    s.labelFormat = 0;
    p.annotateFullScreenCursor = 0;
    p.AutoDimensionRadialRadius = 1;
    p.AutDimensionRadialDiameter = 0;
}

struct BuiltIn {
    const char* name;
    void (*settings)(preferences&);
};
constexpr BuiltIn kBuiltIns[] = {{"Basic Architecture", &ArchitectureSettings},
                                 {"Basic Engineering", &EngineeringSettings}};

}  // namespace

AIErr InitCADpresetsCatalog(AIAttributeCatalogRef catalog) {
    for (const BuiltIn& b : kBuiltIns) {
        // The start-up values, with the built-in faces whatever the host's default face.
        auto prefs = std::make_unique<preferences>();
        b.settings(*prefs);
        AIAttributeCollectionRef preset = nullptr;
        if (AIErr err = NewPresetCollection(b.name, *prefs, &preset)) return err;
        if (!preset) continue;
        const AIErr err = sAIAttributeCatalog->AppendCollection(catalog, preset);
        (void)sAIAttributeCollection->Release(preset);
        if (err) return err;
    }
    return kNoErr;
}
