// The preset settings written into and read back from a collection, each value read back
// held to the domain of its setting.
#include "panels/PresetRecord.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>

#include "artwork/LabelCounters.h"
#include "core/PlotwisePrefs.h"
#include "core/PreferenceDomains.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSuites.h"
#include "geometry/IsoViewDerivation.h"

namespace {

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

// What a value of each type is, in the words the user reads.
enum class Held { kInteger, kReal, kBoolean, kString, kNothing };
constexpr const char* kHeldWords[] = {"a whole number", "a number", "true or false", "a text"};

// The type a preset holds a key with; kNothing when it lacks the key.
Held HeldType(AIAttributeCollectionRef preset, const char* key) {
    int32_t integer = 0;
    AIReal real = 0;
    AIBoolean flag = false;
    char text[2] = {};
    if (!sAIAttributeCollection->GetIntegerValue(preset, key, &integer)) return Held::kInteger;
    if (!sAIAttributeCollection->GetRealValue(preset, key, &real)) return Held::kReal;
    if (!sAIAttributeCollection->GetBooleanValue(preset, key, &flag)) return Held::kBoolean;
    if (!sAIAttributeCollection->GetStringValue(preset, key, text, sizeof text)) return Held::kString;
    return Held::kNothing;
}

// Reads each setting back; a missing, mistyped or out-of-domain value keeps the field, and
// the mistyped and out-of-domain ones are listed.
struct Applier final : PrefsVisitor {
    AIAttributeCollectionRef preset;
    std::string refused;
    explicit Applier(AIAttributeCollectionRef c) : preset(c) {}
    void refuse(const std::string& item) { refused += (refused.empty() ? "" : ", ") + item; }
    bool accept(const char* key, double value) {
        const std::string item = OutOfPreferenceDomain(key, value);
        if (!item.empty()) refuse(item);
        return item.empty();
    }
    // A value the getter of the setting's type found none of: absent, or of another type.
    void unread(const char* key, Held wanted) {
        if (const Held held = HeldType(preset, key); held != Held::kNothing)
            refuse(std::string(key) + " (" + kHeldWords[static_cast<int>(held)] + ", not " +
                   kHeldWords[static_cast<int>(wanted)] + ")");
    }
    void integer(const char*, const char* key, int32_t& field, int32_t) override {
        int32_t value = field;
        if (sAIAttributeCollection->GetIntegerValue(preset, key, &value)) unread(key, Held::kInteger);
        else if (accept(key, value)) field = value;
    }
    void boolean(const char*, const char* key, int& field, bool) override {
        AIBoolean value = field != 0;
        if (sAIAttributeCollection->GetBooleanValue(preset, key, &value)) unread(key, Held::kBoolean);
        else field = value ? 1 : 0;
    }
    void real(const char*, const char* key, float& field, float) override {
        AIReal value = field;
        if (sAIAttributeCollection->GetRealValue(preset, key, &value)) unread(key, Held::kReal);
        else if (accept(key, value)) field = value;
    }
    void string(const char*, const char* key, char* field, int32_t size, const char*) override {
        char text[1024] = {};
        const int32_t room = size < static_cast<int32_t>(sizeof text) ? size : static_cast<int32_t>(sizeof text);
        if (sAIAttributeCollection->GetStringValue(preset, key, text, room)) unread(key, Held::kString);
        else CopyCString(field, static_cast<size_t>(size), text);
    }
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
    // The scale the preset's lengths are drawn at: 1:1 when it holds none; none (named) when
    // it holds one no layer could have.
    std::optional<double> lengthScale() {
        const size_t named = refused.size();
        float scaler = 1;
        real(nullptr, kPresetLengthScalerKey, scaler, 1);
        if (refused.size() == named) return scaler;
        refused += " (the lengths drawn at it are left as they were)";
        return std::nullopt;
    }
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
    // A length typed at full size goes into the preset drawn at the current scale, as always,
    // and that scale beside it unless it is 1:1 (the built-in presets hold their keys alone).
    const double scaler = LengthScale(prefs.scaler);
    const LengthSettingsDrawn drawn(prefs, scaler);
    Exporter exporter(*preset);
    VisitPresetPrefs(prefs, exporter);
    if (scaler != 1)
        (void)sAIAttributeCollection->SetRealValue(*preset, kPresetLengthScalerKey, static_cast<AIReal>(scaler));
    return kNoErr;
}

void ApplyPresetCollection(AIAttributeCollectionRef preset, preferences& prefs, std::string* refused) {
    const iso_view view = prefs.isoView;
    Applier applier(preset);
    {
        const std::optional<double> scaler = applier.lengthScale();
        LengthSettingsDrawn drawn(prefs, scaler.value_or(1));
        VisitPresetPrefs(prefs, applier);
        if (!scaler) drawn.keepAsTheyWere();
    }
    // Each of the view's values may lie in its domain and the view still see a face edge-on.
    if (!IsoViewIsUsable(prefs.isoView)) {
        prefs.isoView = view;
        applier.refuse("isoView");
    }
    if (refused) *refused = std::move(applier.refused);
}
