// The drawing's record of the latest change of its settings: written at the end of the
// command that made it, read after each undo and redo.
#include "core/DrawingSettings.h"

#include <cstring>
#include <optional>

#include "core/DocumentRevision.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwisePrefs.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PreferenceDomains.h"
#include "geometry/IsoViewDerivation.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

constexpr const char* kRecordKey = "ZA3_Settings";
constexpr const char* kSerialKey = "Serial";
constexpr const char* kSetKey = "Set";
constexpr const char* kWasKey = "Was";

using Type = RecordedSetting::Type;
using Settings = std::vector<RecordedSetting>;

// The id the next dimension takes is worked out from the drawing itself: no setting of the
// user's, and nothing an undo gives back.
constexpr const char* kNotRecorded = "dimensionDataID";

struct Collector final : PrefsVisitor {
    Settings out;
    void integer(const char*, const char* key, int32_t& field, int32_t) override {
        if (std::strcmp(key, kNotRecorded) != 0) out.push_back({key, Type::kInteger, field});
    }
    void boolean(const char*, const char* key, int& field, bool) override {
        out.push_back({key, Type::kBoolean, field != 0 ? 1 : 0});
    }
    void real(const char*, const char* key, float& field, float) override { out.push_back({key, Type::kReal, field}); }
    void string(const char*, const char* key, char* field, int32_t size, const char*) override {
        out.push_back({key, Type::kString, std::string(field, strnlen(field, static_cast<size_t>(size)))});
    }
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
};

AIErr WriteEntry(AIDictionaryRef dict, const RecordedSetting& s) {
    const AIDictKey key = sAIDictionary->Key(s.key);
    switch (s.type) {
        case Type::kInteger: return sAIDictionary->SetIntegerEntry(dict, key, std::get<int32_t>(s.value));
        case Type::kBoolean: return sAIDictionary->SetBooleanEntry(dict, key, std::get<int32_t>(s.value) != 0);
        case Type::kReal: return sAIDictionary->SetRealEntry(dict, key, std::get<float>(s.value));
        case Type::kString: break;
    }
    return sAIDictionary->SetStringEntry(dict, key, std::get<std::string>(s.value).c_str());
}

// The value the dictionary holds for a setting like `like`, of the setting's type; none when
// it holds none or one of another type.
std::optional<RecordedSetting> ReadEntry(AIDictionaryRef dict, const RecordedSetting& like) {
    const AIDictKey key = sAIDictionary->Key(like.key);
    RecordedSetting s{like.key, like.type, {}};
    int32_t i = 0;
    ASBoolean b = false;
    AIReal r = 0;
    const char* text = nullptr;
    switch (like.type) {
        case Type::kInteger:
            if (sAIDictionary->GetIntegerEntry(dict, key, &i)) return std::nullopt;
            s.value = i;
            break;
        case Type::kBoolean:
            if (sAIDictionary->GetBooleanEntry(dict, key, &b)) return std::nullopt;
            s.value = b ? 1 : 0;
            break;
        case Type::kReal:
            if (sAIDictionary->GetRealEntry(dict, key, &r)) return std::nullopt;
            s.value = r;
            break;
        case Type::kString:
            if (sAIDictionary->GetStringEntry(dict, key, &text) || !text) return std::nullopt;
            s.value = std::string(text);
            break;
    }
    return s;
}

std::string Named(const std::string& item) { return std::string(kRecordKey) + " " + item; }

void NoteUnusable(const std::string& item) { NoteForUser(kUnusableSettingsNote, Named(item)); }

// The record as the front drawing holds it: serial 0 when it holds none, or one that cannot be
// read (not readable, and why); an entry of a setting's key holding another type is left out.
struct Record {
    int32_t serial = 0;
    bool readable = true;
    std::string damage;
    RecordedSettings set, was;
};

AIErr DocumentRecord(DictRef& record, bool* found) {
    *found = false;
    DictRef doc;
    if (AIErr err = sAIDocument->GetDictionary(doc.put())) return err;
    const AIDictKey key = sAIDictionary->Key(kRecordKey);
    if (!sAIDictionary->IsKnown(doc.get(), key)) return kNoErr;
    *found = true;
    return sAIDictionary->GetDictEntry(doc.get(), key, record.put());
}

RecordedSettings ReadSettings(AIDictionaryRef record, const char* part) {
    RecordedSettings out;
    DictRef dict;
    if (sAIDictionary->GetDictEntry(record, sAIDictionary->Key(part), dict.put())) {
        out.unusable.push_back(Named(part));
        return out;
    }
    for (const RecordedSetting& like : PresetSettingsOf(g->prefs)) {
        if (!sAIDictionary->IsKnown(dict.get(), sAIDictionary->Key(like.key))) continue;
        if (auto s = ReadEntry(dict.get(), like))
            out.values.push_back(std::move(*s));
        else
            out.unusable.push_back(Named(std::string(part) + " " + like.key));
    }
    return out;
}

Record ReadRecord() {
    Record r;
    DictRef record;
    bool found = false;
    if (DocumentRecord(record, &found) || !found) {
        r.readable = !found;
        if (found) r.damage = Named("(not a dictionary)");
        return r;
    }
    int32_t serial = 0;
    if (sAIDictionary->GetIntegerEntry(record.get(), sAIDictionary->Key(kSerialKey), &serial) || serial < 1) {
        r.readable = false;
        r.damage = Named(kSerialKey);
        return r;
    }
    r.serial = serial;
    r.set = ReadSettings(record.get(), kSetKey);
    r.was = ReadSettings(record.get(), kWasKey);
    return r;
}

// Puts the values in force (each list in the order the settings are visited); a number outside
// its setting's domain, or a view that cannot project art, is left as it was and named.
struct Applier final : PrefsVisitor {
    const Settings& values;
    size_t next = 0;
    bool taken = false;
    explicit Applier(const Settings& v) : values(v) {}
    const RecordedSetting* Take(const char* key) {
        if (next >= values.size() || std::strcmp(values[next].key, key) != 0) return nullptr;
        return &values[next++];
    }
    template <class Field, class Value>
    void Put(Field& field, Value value) {
        taken = taken || field != value;
        field = value;
    }
    bool InDomain(const char* key, double value) {
        const std::string item = OutOfPreferenceDomain(key, value);
        if (!item.empty()) NoteUnusable(item);
        return item.empty();
    }
    void integer(const char*, const char* key, int32_t& field, int32_t) override {
        if (const RecordedSetting* s = Take(key); s && InDomain(key, std::get<int32_t>(s->value)))
            Put(field, std::get<int32_t>(s->value));
    }
    void boolean(const char*, const char* key, int& field, bool) override {
        if (const RecordedSetting* s = Take(key)) Put(field, std::get<int32_t>(s->value) != 0 ? 1 : 0);
    }
    void real(const char*, const char* key, float& field, float) override {
        if (const RecordedSetting* s = Take(key); s && InDomain(key, std::get<float>(s->value)))
            Put(field, std::get<float>(s->value));
    }
    void string(const char*, const char* key, char* field, int32_t size, const char*) override {
        const RecordedSetting* s = Take(key);
        if (!s || std::get<std::string>(s->value) == std::string(field, strnlen(field, static_cast<size_t>(size))))
            return;
        CopyCString(field, static_cast<size_t>(size), std::get<std::string>(s->value).c_str());
        taken = true;
    }
    void point(const char*, const char*, AIRealPoint&, AIRealPoint) override {}
};

bool Apply(const RecordedSettings& side) {
    for (const std::string& item : side.unusable) NoteForUser(kUnusableSettingsNote, item);
    const iso_view view = g->prefs.isoView;
    Applier applier(side.values);
    VisitPresetPrefs(g->prefs, applier);
    if (!IsoViewIsUsable(g->prefs.isoView)) {
        g->prefs.isoView = view;
        NoteUnusable("isoView");
    }
    return applier.taken;
}

AIDocumentHandle FrontDrawing() {
    AIDocumentHandle doc = nullptr;
    return sAIDocument && sAIDocument->GetDocument(&doc) == kNoErr ? doc : nullptr;
}

}  // namespace

Settings PresetSettingsOf(preferences& prefs) {
    Collector collector;
    VisitPresetPrefs(prefs, collector);
    return std::move(collector.out);
}

SettingsChange::SettingsChange() {
    DocumentStamp stamp;
    if (!g || !CurrentDocumentStamp(&stamp)) return;
    document_ = stamp.document;
    revision_ = stamp.revision;
    before_ = PresetSettingsOf(g->prefs);
}

void SettingsChange::Record() {
    DocumentStamp now;
    if (!g || !document_ || !CurrentDocumentStamp(&now) || now.document != document_ || now.revision == revision_)
        return;  // no drawing, another one, or a command that drew nothing to follow its settings
    const Settings after = PresetSettingsOf(g->prefs);
    Settings set, was;
    for (size_t i = 0; i < after.size() && i < before_.size(); ++i)
        if (!(after[i] == before_[i])) {
            set.push_back(after[i]);
            was.push_back(before_[i]);
        }
    if (set.empty()) return;
    DictRef doc, record, setDict, wasDict;
    const int32_t serial = ReadRecord().serial + 1;
    AIErr err = sAIDocument->GetDictionary(doc.put());
    if (!err) err = sAIDictionary->CreateDictionary(record.put());
    if (!err) err = sAIDictionary->CreateDictionary(setDict.put());
    if (!err) err = sAIDictionary->CreateDictionary(wasDict.put());
    for (size_t i = 0; !err && i < set.size(); ++i) {
        err = WriteEntry(setDict.get(), set[i]);
        if (!err) err = WriteEntry(wasDict.get(), was[i]);
    }
    if (!err) err = sAIDictionary->SetIntegerEntry(record.get(), sAIDictionary->Key(kSerialKey), serial);
    if (!err) err = sAIDictionary->SetDictEntry(record.get(), sAIDictionary->Key(kSetKey), setDict.get());
    if (!err) err = sAIDictionary->SetDictEntry(record.get(), sAIDictionary->Key(kWasKey), wasDict.get());
    if (!err) err = sAIDictionary->SetDictEntry(doc.get(), sAIDictionary->Key(kRecordKey), record.get());
    if (err) return NoteHostError("Plotwise", err);
    g->settingsSeen = {document_, serial, {std::move(was), {}}};
}

bool TakeSettingsFromDrawing() {
    AIDocumentHandle doc = g ? FrontDrawing() : nullptr;
    if (!doc) return false;
    Record now = ReadRecord();
    DrawingSettingsSeen& seen = g->settingsSeen;
    bool taken = false;
    // Serials rise along the drawing's history: a lower one than seen is an undo of the
    // change seen, a higher one a redo of the change now held.
    if (seen.document == doc && now.serial != seen.serial) {
        if (!now.readable)
            NoteForUser(kUnusableSettingsNote, now.damage);
        else
            taken = Apply(now.serial > seen.serial ? now.set : seen.was);
    }
    seen = {doc, now.serial, std::move(now.was)};
    return taken;
}

void NoteDrawingSettings() {
    AIDocumentHandle doc = g ? FrontDrawing() : nullptr;
    if (!doc || doc == g->settingsSeen.document) return;
    Record now = ReadRecord();
    g->settingsSeen = {doc, now.serial, std::move(now.was)};
}
