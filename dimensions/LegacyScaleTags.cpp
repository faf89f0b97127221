// Readers of the scale tags of format-2 documents.
#include "dimensions/LegacyScaleTags.h"

#include <cmath>
#include <cstring>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PreferenceDomains.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/LegacyDimensionStrings.h"
#include "geometry/PlotwiseErrors.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

struct Scale {
    int32_t id = 0;
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
};

bool HasTag(AIArtHandle art, const char* name) {
    const char* type = nullptr;
    return sAITag->GetTagType(art, name, &type) == kNoErr;
}

AIErr GetStringTag(AIArtHandle art, const char* name, const char** text) {
    *text = nullptr;
    if (AIErr err = sAITag->GetTag(art, name, kTagString, text)) return err;
    if (!*text) *text = "";
    return kNoErr;
}

// An id a tag may give: one of the scales of the table, the first custom slot (0) included.
bool TaggedScaleID(int32_t id) {
    ScaleTableEntry entry;
    return getScaleTableEntry(id, &entry) && entry.kind != ScaleTableEntry::Kind::separator;
}

// "%li^%lf^%s" with all three fields; a fixed id's label becomes the table's, a custom one
// is the rest of the tag, for its labels hold spaces (1" = 4'-2"). A scaler that no scale
// may have would scale every length by nonsense, and an id of no scale names none:
// malformed too.
bool ParseScaleTag(const char* text, Scale* out) {
    LegacyFieldScanner scan(text);
    Scale s;
    double scaler = 0;
    if (!scan.ReadInteger(s.id) || !scan.Expect('^') || !scan.ReadReal(scaler) || !scan.Expect('^') ||
        !scan.ReadRest(s.label, sizeof s.label) || !TaggedScaleID(s.id))
        return false;
    if (!InPreferenceDomain(kScalerDomain, scaler)) return false;
    s.scaler = static_cast<AIReal>(scaler);
    // Only a fixed scale's label is taken from the table; a custom scale keeps the tag's, for
    // the user's slot of that id holds whatever scale this run gave it, or none.
    ScaleTableEntry entry;
    if (getScaleTableEntry(s.id, &entry) && entry.kind == ScaleTableEntry::Kind::fixed)
        getScaleTableLabel(s.id, s.label, sizeof s.label);
    *out = s;
    return true;
}

void Hand(const Scale& s, int32_t* id, AIReal* scaler, char* label) {
    *id = s.id;
    *scaler = s.scaler;
    CopyCString(label, kScaleLabelSize, s.label);
}

// The scale a tag on the art holds; 'BLDE' for one that cannot be read, the tag staying.
AIErr ReadScaleTag(AIArtHandle art, const char* name, int32_t* id, AIReal* scaler, char* label) {
    const char* text = nullptr;
    if (AIErr err = GetStringTag(art, name, &text)) return err;
    Scale s;
    if (!ParseScaleTag(text, &s)) return kBadLiveDimensionDataErr;
    Hand(s, id, scaler, label);
    return kNoErr;
}

// The text of the art's first tag whose name begins with the prefix, or null.
AIErr FirstTagWithPrefix(AIArtHandle art, const char* prefix, const char** text) {
    *text = nullptr;
    ai_int32 count = 0;
    if (AIErr err = sAITag->CountTags(art, &count)) return err;
    for (ai_int32 i = 0; i < count; ++i) {
        const char* name = nullptr;
        if (AIErr err = sAITag->GetNthTag(art, i, &name)) return err;
        if (name && std::strncmp(name, prefix, std::strlen(prefix)) == 0) return GetStringTag(art, name, text);
    }
    return kNoErr;
}

// A legacy dimension's scale id, when it names a scale the table can give: a fixed scale or
// a custom slot in use.
bool UsableScaleID(int32_t id) {
    ScaleTableEntry entry;
    if (!getScaleTableEntry(id, &entry)) return false;
    if (entry.kind == ScaleTableEntry::Kind::fixed) return true;
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
    getScaleDataFromScaleID(id, &scaler, label);
    return entry.kind == ScaleTableEntry::Kind::custom && std::isfinite(scaler) && scaler > 0;
}

// The scale of the first legacy dimension on the layer, made current and written to the
// layer's tree; any failure on the way is an error.
AIErr TakeFirstLegacyDimensionScale(AILayerHandle layer, AIArtHandle layerGroup) {
    AIArtHandle measured = nullptr;
    if (AIErr err = walkArtworkTreeForFirstDimObject(layerGroup, &measured)) return err;
    if (!measured) return kNoSuchKey;
    const char* text = nullptr;
    if (AIErr err = FirstTagWithPrefix(measured, kLegacyLiveObjTag, &text)) return err;
    dimensioned_object_data click{};
    if (AIErr err = ConvertStringToDimensionedObjectData(text, &click)) return err;
    AIArtHandle dimension = nullptr;
    if (AIErr err = GetDimArtFromDimID(click.id, &dimension)) return err;
    if (!dimension) return kNoSuchKey;
    if (AIErr err = FirstTagWithPrefix(dimension, kLegacyLiveDimTag, &text)) return err;
    live_dimension_group_data style{};
    if (AIErr err = ConvertStringToLiveDimensionGroupData(text, &style)) return err;
    if (!UsableScaleID(style.scale)) return kBadLiveDimensionDataErr;
    preferences& p = g->prefs;
    p.scale = style.scale;
    if (AIErr err = UpdateScaler()) return err;
    return setLayerScale(layer, p.scale, p.scaler, p.scaleStr);
}

}  // namespace

AIErr getPW2LayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label) {
    if (!g || !id || !scaler || !label) return kBadParameterErr;
    AIArtHandle group = nullptr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &group)) return err;
    if (!HasTag(group, kLegacyLayerScaleTag)) return getPW2UntaggedLayerScale(layer, id, scaler, label);
    return ReadScaleTag(group, kLegacyLayerScaleTag, id, scaler, label);
}

AIErr getPW2UntaggedLayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label) {
    if (!g || !id || !scaler || !label) return kBadParameterErr;
    AIArtHandle group = nullptr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &group)) return err;
    // A tag read always gives a positive scaler, whatever its id (custom slot 0 included).
    *id = 0;
    *scaler = 0;
    const AIErr found = getLayerScaleFromCADobject(group, id, scaler, label);
    if (*scaler > 0 || (found && found != kBadLiveDimensionDataErr)) return found;

    if (TakeFirstLegacyDimensionScale(layer, group) != kNoErr) {
        preferences& p = g->prefs;
        p.scale = kOneToOneScaleID;
        p.scaler = 1.0f;
        getScaleTableLabel(kOneToOneScaleID, p.scaleStr, sizeof p.scaleStr);
    }
    *id = g->prefs.scale;
    *scaler = g->prefs.scaler;
    CopyCString(label, kScaleLabelSize, g->prefs.scaleStr);
    return found;
}

AIErr getCADobjectScale(AIArtHandle art, int32_t* id, AIReal* scaler, char* label) {
    if (!id || !scaler || !label) return kBadParameterErr;
    if (!HasTag(art, kLegacyObjectScaleTag)) return kNoErr;
    return ReadScaleTag(art, kLegacyObjectScaleTag, id, scaler, label);
}

AIErr getLayerScaleFromCADobject(AIArtHandle art, int32_t* id, AIReal* scaler, char* label) {
    AIErr damaged = kNoErr;
    for (; art;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
        if (type == kGroupArt) {
            AIErr err = kNoErr;
            if (HasTag(art, kLegacyObjectScaleTag)) {
                err = getCADobjectScale(art, id, scaler, label);
            } else {
                AIArtHandle child = nullptr;
                if ((err = sAIArt->GetArtFirstChild(art, &child))) return err;
                if (child) err = getLayerScaleFromCADobject(child, id, scaler, label);
            }
            // A damaged tag is passed over for the others, and reported at the end.
            if (err == kBadLiveDimensionDataErr) damaged = err;
            else if (err) return err;
        }
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return damaged;
}
