// The format-version check on opening a document, and the upgrades of formats 3 to 6: layer
// scale ids and unit codes.
#include "dimensions/DocumentFormatVersion.h"

#include <cmath>
#include <string>
#include <vector>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DictionaryAccess.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/Plotwise2Conversion.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr char kVersionName[] = "Version";

// Old code → new code, for the old codes 1 to 15.
constexpr int32_t kUnitRemap[16] = {0, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 18, 1};

// The unit preferences remapped once per user.
constexpr int32_t preferences::*kUnitPreferences[] = {&preferences::rulerUnits, &preferences::CADtrackerUnits,
                                                      &preferences::NumericInputUnits, &preferences::MasterUnits};

// The unit entries of a style record: the old key and the key that replaced it.
constexpr const char* kUnitFields[] = {"upperUnits", "lowerUnits"};

// A skipped-tags message names at most this many bytes of tag names.
constexpr size_t kMaxListedNames = 1500;

std::string PlotwiseString(int32_t list, int32_t index) {
    char text[1024] = {};
    GetPlotwiseString(list, index, text, sizeof text);
    return text;
}

void ShowSkippedTags(const SkippedLegacyTags& skipped) {
    std::string text = PlotwiseString(kMessageList, kSkippedLegacyTagsMessage);
    size_t listed = 0;
    for (const std::string& name : skipped.names) {
        if (listed + name.size() > kMaxListedNames) {
            text += "\n...";
            break;
        }
        text += "\n" + name;
        listed += name.size();
    }
    sADMBasic->MessageAlert(text.c_str());
}

// Asks whether the format-2 data is to be converted, then converts or deletes it; every
// routine runs whatever the one before returned. The first host error is returned, so the
// version is not written and the question comes again at the next opening.
AIErr ConvertOrDeletePlotwise2Data() {
    if (!CheckForPlotwise2Data()) return kNoErr;
    const std::string doNotConvert = PlotwiseString(kWordList, kDoNotConvertWord);
    const std::string convert = PlotwiseString(kWordList, kConvertWord);
    sADMBasic->SetAlertButtonText(doNotConvert.c_str(), "", convert.c_str());
    const bool yes = sADMBasic->YesNoAlert(PlotwiseString(kMessageList, kConvertPlotwise2Question).c_str()) ==
                     kADMYesAnswer;
    AIErr first = kNoErr;
    auto run = [&first](AIErr err) {
        if (!first) first = err;
    };
    SkippedLegacyTags skipped;
    if (yes) {
        run(ConvertLayerScales(&skipped));
        run(ConvertDimensionedObjects(&skipped));
        run(ConvertLiveDimensions(&skipped));
    } else {
        run(DeletePlotwise2LayerScales());
        run(DeletePlotwise2DimensionedObjectTags());
        run(DeletePlotwise2LiveDimensionTags());
    }
    if (!skipped.names.empty()) ShowSkippedTags(skipped);
    return first;
}

AIErr RegenerateAllDimensions() {
    if (auto update = PlotwiseService().updateAssociativeDimensions) return update(kProcessAllArt);
    return kNoErr;
}

// Whether the layer holds a usable scale of its own (not one it would inherit or default to),
// and that scale as stored (an id that is no whole number as -1).
bool HasOwnLayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label) {
    AIArtHandle group = nullptr;
    DictRef dict;
    *id = -1;
    if (sAIArt->GetFirstArtOfLayer(layer, &group) || GetArtDictionary(group, dict)) return false;
    if (GetIntegerByKey(dict.get(), kLayerScaleIDKey, *id) != kNoErr) *id = -1;
    (void)GetStringByKey(dict.get(), kLayerScaleStrKey, label, kScaleLabelSize);
    return IsKnownKey(dict.get(), kLayerScaleIDKey) && GetRealByKey(dict.get(), kLayerScalerKey, *scaler) == kNoErr &&
           std::isfinite(*scaler) && *scaler > 0;
}

// One unit entry of a style record: the new key is written before the old one is deleted. A
// record without the old key is already upgraded; an old entry that is not a whole number
// holds no code to upgrade; a negative code stays under its old key.
AIErr UpgradeUnitEntry(AIDictionaryRef style, const char* field) {
    KeyBuffer oldKey, newKey;
    ComposeKey(oldKey, kZA3Prefix, kAttrName, field);
    ComposeKey(newKey, kPW7Prefix, kAttrName, field);
    if (!IsKnownKey(style, oldKey)) return kNoErr;
    int32_t code = 0;
    const AIErr read = GetIntegerByKey(style, oldKey, code);
    if (read == kWrongTypeErr) return kNoErr;
    if (read) return read;
    if (code < 0) return kNoErr;
    int32_t remapped = code;
    ConvertZA3_4_5_6UnitsToPW7(code, &remapped);
    if (AIErr err = SetIntegerByKey(style, newKey, remapped)) return err;
    return DeleteByKey(style, oldKey);
}

AIErr UpgradeGroupUnits(AIArtHandle group) {
    DictRef dict;
    if (AIErr err = GetArtDictionary(group, dict)) return err;
    KeyBuffer key;
    ComposeKey(key, kZA3Prefix, kDimensionName);
    AIEntryType type = kNoEntryType;
    if (sAIDictionary->GetEntryType(dict.get(), sAIDictionary->Key(key), &type) || type != kDictEntryType)
        return kNoErr;
    DictRef style;
    if (AIErr err = GetSubDictionary(dict.get(), key, style)) return err;
    for (const char* field : kUnitFields)
        if (AIErr err = UpgradeUnitEntry(style.get(), field)) return err;
    return kNoErr;
}

}  // namespace

AIErr ConvertZA3_4_5_6UnitsToPW7(int32_t oldCode, int32_t* newCode) {
    if (!newCode) return kNoErr;
    *newCode = oldCode;
    if (oldCode >= 1 && oldCode <= 15) *newCode = kUnitRemap[oldCode];
    return kNoErr;
}

AIErr ConvertZA3_4_5_6UnitsToPW7() {
    if (!g) return kCADErr;
    preferences& p = g->prefs;
    if (p.unitsUpdatedForPW7 == 0) {
        p.unitsUpdatedForPW7 = 1;
        for (int32_t preferences::*units : kUnitPreferences) ConvertZA3_4_5_6UnitsToPW7(p.*units, &(p.*units));
    }
    if (AIErr err = sAILayer->GetCurrentLayer(&g->saveLayer)) return err;
    std::vector<AIArtHandle> art;
    if (AIErr err = MatchingArt(false, art)) return err;
    for (AIArtHandle a : art) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(a, &type)) return err;
        if (type != kGroupArt) continue;
        if (AIErr err = UpgradeGroupUnits(a)) return err;
    }
    return kNoErr;
}

AIErr ConvertZA3AndPW4LayerScalesToPW5() {
    ai_int32 count = 0;
    AIErr first = sAILayer->CountLayers(&count);
    for (ai_int32 i = 0; i < count; ++i) {
        AILayerHandle layer = nullptr;
        if (sAILayer->GetNthLayer(i, &layer)) continue;
        int32_t id = 0;
        AIReal scaler = 0;
        char label[kScaleLabelSize] = {};
        const bool own = HasOwnLayerScale(layer, &id, &scaler, label);
        // An id of the older numbering is shifted as it is stored: read through today's table
        // it would disagree with its own scaler and label.
        if (!own || id < 5) {
            if (GetZA3LayerScaleAndSetIfNotThere(layer, &id, &scaler, label) != kNoErr) continue;
            if (!own || id < 5) continue;
        }
        id += 5;
        getScaleDataFromScaleID(id, &scaler, label);
        const AIErr written = setLayerScale(layer, id, scaler, label);
        if (!first) first = written;
    }
    return first;
}

AIErr CheckPlotwiseDocumentVersion() {
    DictRef doc;
    if (AIErr err = sAIDocument->GetDictionary(doc.put())) return err;
    KeyBuffer key;
    ComposeKey(key, kZA3Prefix, kVersionName);
    if (IsKnownKey(doc.get(), key)) {
        int32_t version = 0;
        if (AIErr err = GetIntegerByKey(doc.get(), key, version)) return err;
        if (version < kOldestUpgradedVersion) {
            // An upgrade that does not know the data would change every scale and unit code.
            NoteForUser(kUnknownVersionNote, std::to_string(version));
            return kNoErr;
        }
        if (version > kPlotwiseDocumentVersion)
            sADMBasic->MessageAlert(PlotwiseString(kMessageList, kNewerFormatMessage).c_str());
        if (version < kShiftedScaleIdsVersion) {
            // Marked first, so that the shift, which cannot tell shifted ids from old ones,
            // never runs twice on one document.
            if (AIErr err = SetIntegerByKey(doc.get(), key, kShiftedScaleIdsVersion)) return err;
            // A scale the host refused is not shifted at a later opening either, so the user
            // is told; the upgrade goes on.
            NoteHostError(g->workInHand, ConvertZA3AndPW4LayerScalesToPW5());
        }
        if (version < kPlotwiseDocumentVersion) {
            if (AIErr err = ConvertZA3_4_5_6UnitsToPW7()) return err;
            if (AIErr err = SetIntegerByKey(doc.get(), key, kPlotwiseDocumentVersion)) return err;
        }
        return kNoErr;
    }
    // The version is written once the format-2 data is dealt with: a conversion that a host
    // error stopped is offered again at the next opening.
    if (AIErr err = ConvertOrDeletePlotwise2Data()) return err;
    if (AIErr err = SetIntegerByKey(doc.get(), key, kPlotwiseDocumentVersion)) return err;
    return RegenerateAllDimensions();
}

AIErr StampPlotwiseDocumentVersion() {
    DictRef doc;
    if (AIErr err = sAIDocument->GetDictionary(doc.put())) return err;
    KeyBuffer key;
    return SetIntegerByKey(doc.get(), ComposeKey(key, kZA3Prefix, kVersionName), kPlotwiseDocumentVersion);
}
