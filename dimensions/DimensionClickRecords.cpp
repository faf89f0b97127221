// Click records on measured art: one dictionary per click under "ZA3_Object" →
// "ZA3_Obj_data_<id>" → "ZA3_Click_data_<n|drag>", its writer, reader and enumeration.
#include <cinttypes>
#include <cstdio>
#include <cstring>

#include "dimensions/DictionaryAccess.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/DimensionStorage.h"
#include "core/PlotwiseSuites.h"

namespace {

const char* ObjectKey(KeyBuffer& key) { return ComposeKey(key, kZA3Prefix, kObjectName); }

const char* LinkKey(KeyBuffer& key, int32_t id) {
    char digits[16];
    std::snprintf(digits, sizeof digits, "%" PRId32, id);
    return ComposeKey(key, kZA3Prefix, kObjDataName, digits);
}

const char* ClickKey(KeyBuffer& key, int32_t clickNum) {
    char digits[16];
    if (clickNum < 0)
        std::snprintf(digits, sizeof digits, "drag");
    else
        std::snprintf(digits, sizeof digits, "%" PRId32, clickNum);
    return ComposeKey(key, kZA3Prefix, kClickDataName, digits);
}

bool StartsWith(const char* text, const char* prefix, size_t length) { return std::strncmp(text, prefix, length) == 0; }

// The "ZA3_Object" dictionary of the art, or none (0 and an empty holder) when absent.
AIErr GetObjectDictionary(AIArtHandle art, DictRef& object) {
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    KeyBuffer key;
    if (!IsKnownKey(dict.get(), ObjectKey(key))) return kNoErr;
    return GetSubDictionary(dict.get(), key, object);
}

// Visits the dimension links of "ZA3_Object" with their key and dictionary.
template <class Visitor>
AIErr ForEachLinkDictionary(AIDictionaryRef object, Visitor&& visit) {
    KeyBuffer linkPrefix;
    ComposeKey(linkPrefix, kZA3Prefix, kObjDataName);
    return ForEachKey(object, [&](const char* key) -> AIErr {
        if (!StartsWith(key, linkPrefix, kObjDataKeyLength)) return kNoErr;
        DictRef link;
        if (AIErr err = GetSubDictionary(object, key, link)) return err;
        return visit(key, link.get());
    });
}

// Walks the click entries in their stored order with each one's key; the first error stops.
template <class Access>
AIErr ForEachClickEntry(Access&& access) {
    for (const ClickEntry& e : ClickEntries()) {
        KeyBuffer key;
        ComposeKey(key, kZA3Prefix, e.name);
        if (AIErr err = access(e, key)) return err;
    }
    return kNoErr;
}

}  // namespace

AIErr ConvertDimensionedObjectDataToDictionary(AIDictionaryRef clickDict, const Plotwise3_dimensioned_object_data* data) {
    if (!clickDict || !data) return kCADErr;
    return ForEachClickEntry([&](const ClickEntry& e, const char* key) -> AIErr {
        switch (e.type) {
        case DictEntryType::kInteger: return SetIntegerByKey(clickDict, key, data->*e.intField);
        case DictEntryType::kBoolean: return SetBooleanByKey(clickDict, key, data->*e.intField);
        case DictEntryType::kReal: return SetRealByKey(clickDict, key, data->*e.realField);
        case DictEntryType::kString: break;
        }
        return kBadParameterErr;
    });
}

AIErr ConvertDimensionedObjectDictionaryToData(AIDictionaryRef clickDict, Plotwise3_dimensioned_object_data* data) {
    if (!clickDict || !data) return kCADErr;
    return ForEachClickEntry([&](const ClickEntry& e, const char* key) -> AIErr {
        switch (e.type) {
        case DictEntryType::kInteger: return GetIntegerByKey(clickDict, key, data->*e.intField);
        case DictEntryType::kBoolean: return GetBooleanByKey(clickDict, key, data->*e.intField);
        case DictEntryType::kReal: return GetRealByKey(clickDict, key, data->*e.realField);
        case DictEntryType::kString: break;
        }
        return kBadParameterErr;
    });
}

AIErr SetDimensionedObjectData(AIArtHandle art, const Plotwise3_dimensioned_object_data* data) {
    if (!art || !data) return kCADErr;
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    KeyBuffer key;
    DictRef object;
    if (AIErr err = GetOrCreateSubDictionary(dict.get(), ObjectKey(key), object)) return err;
    DictRef link;
    LinkKey(key, data->id);
    if (IsKnownKey(object.get(), key)) {
        if (AIErr err = GetSubDictionary(object.get(), key, link)) return err;
    } else {
        if (AIErr err = GetOrCreateSubDictionary(object.get(), key, link)) return err;
        KeyBuffer idKey;
        if (AIErr err = SetIntegerByKey(link.get(), ComposeKey(idKey, kZA3Prefix, kObjIdName), data->id)) return err;
    }
    DictRef click;
    if (AIErr err = GetOrCreateSubDictionary(link.get(), ClickKey(key, data->clickNum), click)) return err;
    return ConvertDimensionedObjectDataToDictionary(click.get(), data);
}

int IsDimensionedObject(AIArtHandle art) {
    if (!art) return 0;
    DictRef dict;
    if (GetArtDictionary(art, dict)) return 0;
    KeyBuffer key;
    return IsKnownKey(dict.get(), ObjectKey(key)) ? 1 : 0;
}

AIErr ForEachDimensionedObjectData(AIArtHandle art, const ClickRecordVisitor& visit) {
    if (!art) return kCADErr;
    DictRef object;
    if (AIErr err = GetObjectDictionary(art, object)) return err;
    if (!object) return kNoErr;
    KeyBuffer clickPrefix;
    ComposeKey(clickPrefix, kZA3Prefix, kClickDataName);
    return ForEachLinkDictionary(object.get(), [&](const char*, AIDictionaryRef link) -> AIErr {
        return ForEachKey(link, [&](const char* key) -> AIErr {
            if (!StartsWith(key, clickPrefix, kClickDataKeyLength)) return kNoErr;
            DictRef click;
            if (AIErr err = GetSubDictionary(link, key, click)) return err;
            Plotwise3_dimensioned_object_data record{};
            if (AIErr err = ConvertDimensionedObjectDictionaryToData(click.get(), &record)) return err;
            record.art = art;
            return visit(record);
        });
    });
}

AIErr ForEachDimensionLink(AIArtHandle art, const DimensionLinkVisitor& visit) {
    if (!art) return kCADErr;
    DictRef object;
    if (AIErr err = GetObjectDictionary(art, object)) return err;
    if (!object) return kNoErr;
    KeyBuffer idKey;
    ComposeKey(idKey, kZA3Prefix, kObjIdName);
    return ForEachLinkDictionary(object.get(), [&](const char* key, AIDictionaryRef link) -> AIErr {
        int32_t id = 0;
        if (AIErr err = GetIntegerByKey(link, idKey, id)) return err;
        return visit(key, id);
    });
}
