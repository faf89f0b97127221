// Text records of dimensions and labels ("PW4_DimText" on the text art inside the group):
// the counter values, custom and callout texts and the text as last drawn.
#include <algorithm>

#include "dimensions/DictionaryAccess.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/DimensionStorage.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

const char* DimTextKey(KeyBuffer& key) { return ComposeKey(key, kPW4Prefix, kDimTextName); }

void ApplyDefault(const TextEntry& e, live_dimension_text_data& data) {
    if (e.intField) data.*e.intField = e.intDefault;
    if (e.stringField) (data.*e.stringField)[0] = '\0';
}

}  // namespace

AIErr SetDimensionTextData(AIArtHandle art, const live_dimension_text_data* data) {
    if (!g || g->prefs.createLiveDimensions == 0 || !data) return kNoErr;
    DictRef dict;
    if (AIErr err = sAIArt->GetDictionary(art, dict.put())) return err;
    KeyBuffer key;
    DictRef sub;
    if (AIErr err = GetOrCreateSubDictionary(dict.get(), DimTextKey(key), sub)) return err;
    for (const TextEntry& e : TextEntries()) {
        const AIDictKey entryKey = HostKey(e);
        AIErr err = e.intField ? SetIntegerByKey(sub.get(), entryKey, data->*e.intField)
                               : SetStringByKey(sub.get(), entryKey, data->*e.stringField);
        if (err) return err;
    }
    return kNoErr;
}

bool HasDimensionTextData(AIArtHandle art) {
    DictRef dict, record;
    KeyBuffer key;
    if (!art || GetArtDictionary(art, dict) != kNoErr || !IsKnownKey(dict.get(), DimTextKey(key))) return false;
    // An emptied record is none: every writer writes the text as drawn. One that is no
    // dictionary is its reader's to name.
    const auto drawn = std::find_if(TextEntries().begin(), TextEntries().end(),
                                    [](const TextEntry& e) { return e.stringField == &live_dimension_text_data::dimStr; });
    return GetSubDictionary(dict.get(), key, record) != kNoErr || IsKnownKey(record.get(), TextEntryKey(*drawn));
}

AIErr GetDimensionTextData(AIArtHandle art, live_dimension_text_data* data) {
    if (!art || !data) return kCADErr;
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    KeyBuffer key;
    if (!IsKnownKey(dict.get(), DimTextKey(key))) {
        for (const TextEntry& e : TextEntries()) ApplyDefault(e, *data);
        return kNoErr;
    }
    DictRef sub;
    if (AIErr err = GetSubDictionary(dict.get(), key, sub)) return err;
    for (int index : TextReadOrder()) {
        const TextEntry& e = TextEntries()[index];
        const AIDictKey entryKey = HostKey(e);
        AIErr err = e.intField ? GetIntegerByKey(sub.get(), entryKey, data->*e.intField)
                               : GetStringByKey(sub.get(), entryKey, data->*e.stringField, sizeof(data->*e.stringField));
        if (err == kNoSuchKey)
            ApplyDefault(e, *data);
        else if (err)
            return err;
    }
    return kNoErr;
}
