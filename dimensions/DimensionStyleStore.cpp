// The style record of a live dimension in its group's art dictionary ("ZA3_Dimension"):
// writer, reader, making a group live and turning it back into plain art.
#include <cstdio>
#include <cstring>

#include "dimensions/DictionaryAccess.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/DimensionStorage.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "geometry/PlotwiseErrors.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

const char* DimensionKey(KeyBuffer& key) { return ComposeKey(key, kZA3Prefix, kDimensionName); }

AIErr WriteStyleEntry(AIDictionaryRef sub, const StyleEntry& e, const Plotwise3_Live_Dimension_Data& data,
                      int stringsFlag) {
    const AIDictKey key = HostKey(e);
    switch (e.type) {
    case DictEntryType::kInteger:
        return SetIntegerByKey(sub, key, data.*e.intField);
    case DictEntryType::kBoolean:
        return SetBooleanByKey(sub, key, data.*e.intField);
    case DictEntryType::kReal:
        return SetRealByKey(sub, key, data.*e.realField);
    case DictEntryType::kString:
        if (e.governedByStringsFlag && stringsFlag == 0)
            return IsKnownKey(sub, key) ? kNoErr : SetStringByKey(sub, key, "");
        return SetStringByKey(sub, key, data.*e.stringField);
    }
    return kBadParameterErr;
}

AIErr ReadStyleEntry(AIDictionaryRef sub, const StyleEntry& e, Plotwise3_Live_Dimension_Data& data) {
    const AIDictKey key = HostKey(e);
    switch (e.type) {
    case DictEntryType::kInteger:
        return GetIntegerByKey(sub, key, data.*e.intField);
    case DictEntryType::kBoolean:
        return GetBooleanByKey(sub, key, data.*e.intField);
    case DictEntryType::kReal:
        return GetRealByKey(sub, key, data.*e.realField);
    case DictEntryType::kString:
        return GetStringByKey(sub, key, data.*e.stringField, sizeof(data.*e.stringField));
    }
    return kBadParameterErr;
}

void ApplyDefault(const StyleEntry& e, Plotwise3_Live_Dimension_Data& data,
                  const Plotwise3_Live_Dimension_Data& current) {
    if (e.whenAbsent == WhenAbsent::kCurrentStyle) {
        if (e.intField) data.*e.intField = current.*e.intField;
        if (e.realField) data.*e.realField = current.*e.realField;
        return;
    }
    if (e.intField) data.*e.intField = e.absent.i;
    if (e.realField) data.*e.realField = e.absent.r;
    if (e.stringField) CopyCString(data.*e.stringField, e.absent.s);
}

// A number outside its field's domain (one the host would refuse to draw with, or one no
// routine knows) is read as the field's default: what a document lacking it reads, else the
// value it starts with. The user is told which.
void KeepInDomain(const StyleEntry& e, Plotwise3_Live_Dimension_Data& data,
                  const Plotwise3_Live_Dimension_Data& current) {
    const double value = StyleNumber(e, data);
    if (e.HoldsOnArt(value)) return;
    if (e.whenAbsent != WhenAbsent::kError) {
        ApplyDefault(e, data, current);
    } else if (e.intField) {
        data.*e.intField = e.startup.i;
    } else {
        data.*e.realField = e.startup.r;
    }
    char item[160];
    std::snprintf(item, sizeof item, "dimension %d: %s %.10g", static_cast<int>(data.id), e.field, value);
    NoteForUser(kDefaultedValuesNote, item);
}

// layerStr: the title of the layer that holds the art, at most 255 characters.
AIErr ReadLayerTitle(AIArtHandle art, Plotwise3_Live_Dimension_Data& data) {
    AILayerHandle layer = nullptr;
    if (AIErr err = sAIArt->GetLayerOfArt(art, &layer)) return err;
    char title[256] = {};
    if (AIErr err = sAILayer->GetLayerTitle(layer, title, sizeof title)) return err;
    CopyCString(data.layerStr, title);
    return kNoErr;
}

// Writes one string of a format-2 sub-record into the style sub-dictionary.
AIErr WriteOneStyleString(AIDictionaryRef dict, const char* field, const char* value) {
    if (!dict || !value) return kCADErr;
    KeyBuffer key;
    DictRef sub;
    if (AIErr err = GetOrCreateSubDictionary(dict, DimensionKey(key), sub)) return err;
    return SetStringByKey(sub.get(), ComposeKey(key, kZA3Prefix, kAttrName, field), value);
}

}  // namespace

AIErr ConvertLiveDimensionDataToDictionary(const Plotwise3_Live_Dimension_Data* data, AIDictionaryRef dict,
                                           int stringsFlag) {
    if (!data || !dict) return kCADErr;
    KeyBuffer key;
    DictRef sub;
    if (AIErr err = GetOrCreateSubDictionary(dict, DimensionKey(key), sub)) return err;
    for (const StyleEntry& e : StyleEntries())
        if (e.prefix)
            if (AIErr err = WriteStyleEntry(sub.get(), e, *data, stringsFlag)) return err;
    return kNoErr;
}

AIErr GetDimensionData(AIArtHandle art, Plotwise3_Live_Dimension_Data* data) {
    if (!art || !data || !g) return kCADErr;
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    if (AIErr err = ReadLayerTitle(art, *data)) return err;
    KeyBuffer key;
    if (!IsKnownKey(dict.get(), DimensionKey(key))) return kNoErr;
    DictRef sub;
    if (AIErr err = GetSubDictionary(dict.get(), key, sub)) return err;
    // Defaults taken from the current style are copied first: data may be that style.
    const Plotwise3_Live_Dimension_Data current = g->prefs.style;
    for (const StyleEntry& e : StyleEntries()) {
        if (!e.prefix) continue;
        AIErr err = ReadStyleEntry(sub.get(), e, *data);
        // The id names the dimension's clicks: none can stand in for one no tool gives.
        if (!err && e.intField == &Plotwise3_Live_Dimension_Data::id && data->id < kFirstDimensionId)
            return kBadDimensionDataErr;
        if (err == kNoSuchKey && e.whenAbsent != WhenAbsent::kError) {
            ApplyDefault(e, *data, current);
        } else if (err) {
            return err;
        } else {
            KeepInDomain(e, *data, current);
        }
        if (e.intField == &Plotwise3_Live_Dimension_Data::dimTextPrecedenceFlag) data->dimTextDataListPtr = nullptr;
    }
    return kNoErr;
}

void HoldStyleToDomains(Plotwise3_Live_Dimension_Data* style, const Plotwise3_Live_Dimension_Data& current) {
    for (const StyleEntry& e : StyleEntries())
        if (e.prefix) KeepInDomain(e, *style, current);
}

AIErr SetDimensionData(AIArtHandle art, const Plotwise3_Live_Dimension_Data* data) {
    if (!g) return kCADErr;
    if (g->prefs.createLiveDimensions == 0) return kNoErr;
    g->lastStyleGroupTagged = art;
    g->dimGroup = art;
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    Plotwise3_Live_Dimension_Data built;
    if (!data) {
        const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
        built = style;
        built.next = nullptr;
        built.dimTextDataListPtr = nullptr;
        built.id = g->curDimID;
        CopyCString(built.dimensionLabelStr, g->labelToolSelected ? g->theText : "");
        built.slideDimTextOffset = style.slideDimText ? g->slideDimTextOffset : 0.5f;
        data = &built;
    }
    return ConvertLiveDimensionDataToDictionary(data, dict.get(), 1);
}

AIErr DeleteDimensionData(AIArtHandle art) {
    if (!art) return kCADErr;
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    KeyBuffer key;
    if (IsKnownKey(dict.get(), DimensionKey(key)))
        if (AIErr err = DeleteByKey(dict.get(), key)) return err;
    return kNoErr;
}

AIErr ConvertLiveDimensionCustomColorDataToDictionary(const live_dimension_custom_color_data* data,
                                                      AIDictionaryRef dict) {
    return data ? WriteOneStyleString(dict, "dimensionCustomColorName", data->name) : kCADErr;
}

AIErr ConvertLiveDimensionFaceDataToDictionary(const live_dimension_face_data* data, AIDictionaryRef dict) {
    return data ? WriteOneStyleString(dict, "dimensionTextFaceStr", data->dimensionTextFaceStr) : kCADErr;
}

AIErr ConvertLiveDimensionLabelDataToDictionary(const live_dimension_label_data* data, AIDictionaryRef dict) {
    return data ? WriteOneStyleString(dict, "dimensionLabelStr", data->dimensionLabelStr) : kCADErr;
}
