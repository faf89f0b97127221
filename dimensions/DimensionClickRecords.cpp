// Click records on measured art: one dictionary per click under "ZA3_Object" →
// "ZA3_Obj_data_<id>" → "ZA3_Click_data_<n|drag>", its writer, reader and enumeration.
#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "core/PlotwiseAlerts.h"
#include "dimensions/DictionaryAccess.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/DimensionStorage.h"
#include "core/PlotwiseSuites.h"
#include "geometry/PlotwiseErrors.h"

namespace {

const char* ObjectKey(KeyBuffer& key) { return ComposeKey(key, kZA3Prefix, kObjectName); }

// A number's decimal digits, terminated.
struct Digits {
    char text[16] = {};
    explicit Digits(int32_t value) { *std::to_chars(text, text + sizeof text - 1, value).ptr = '\0'; }
};

const char* LinkKey(KeyBuffer& key, int32_t id) { return ComposeKey(key, kZA3Prefix, kObjDataName, Digits(id).text); }

const char* ClickKey(KeyBuffer& key, int32_t clickNum) {
    return ComposeKey(key, kZA3Prefix, kClickDataName, clickNum < 0 ? "drag" : Digits(clickNum).text);
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

// Visits the dimension links of "ZA3_Object" with their key and dictionary; a link that is
// no dictionary goes to `unreadable` with the reason, by default ending the walk.
template <class Visitor, class Unreadable>
AIErr ForEachLinkDictionary(AIDictionaryRef object, Visitor&& visit, Unreadable&& unreadable) {
    KeyBuffer linkPrefix;
    ComposeKey(linkPrefix, kZA3Prefix, kObjDataName);
    return ForEachKey(object, [&](const char* key) -> AIErr {
        if (!StartsWith(key, linkPrefix, kObjDataKeyLength)) return kNoErr;
        DictRef link;
        if (AIErr err = GetSubDictionary(object, key, link)) return unreadable(key, err);
        return visit(key, link.get());
    });
}

template <class Visitor>
AIErr ForEachLinkDictionary(AIDictionaryRef object, Visitor&& visit) {
    return ForEachLinkDictionary(object, visit, [](const char*, AIErr err) { return err; });
}

// The id a link's key ends in ("ZA3_Obj_data_12": 12), when it ends in one.
bool KeyId(const char* key, int32_t* id) {
    const char* digits = key + kObjDataKeyLength;
    const char* end = digits + std::strlen(digits);
    const auto [stop, ec] = std::from_chars(digits, end, *id);
    return ec == std::errc() && stop == end;
}

// Walks the click entries in their stored order with each one's key; the first error stops.
template <class Access>
AIErr ForEachClickEntry(Access&& access) {
    for (const ClickEntry& e : ClickEntries())
        if (AIErr err = access(e, HostKey(e))) return err;
    return kNoErr;
}

// The marks a click record carries only when they are set, so a record without them reads as
// it always did.
struct OptionalMark {
    const char* name;
    int32_t Plotwise3_dimensioned_object_data::*field;
};
constexpr OptionalMark kOptionalMarks[] = {
    {kEndAsDrawnName, &Plotwise3_dimensioned_object_data::endAsDrawn},
    {kFaceNotReadName, &Plotwise3_dimensioned_object_data::faceNotRead},
};

// Each mark set is written; one not set goes from a record written again without it (a
// resized drag reaches the cursor).
AIErr WriteOptionalMarks(AIDictionaryRef clickDict, const Plotwise3_dimensioned_object_data& data) {
    for (const OptionalMark& mark : kOptionalMarks) {
        KeyBuffer key;
        ComposeKey(key, kZA3Prefix, mark.name);
        if (data.*mark.field) {
            if (AIErr err = SetBooleanByKey(clickDict, key, 1)) return err;
        } else if (IsKnownKey(clickDict, key)) {
            if (AIErr err = DeleteByKey(clickDict, key)) return err;
        }
    }
    return kNoErr;
}

// A mark says how a click was taken, never where: one of another type is read as not set, and
// the user is told, so that the click and its dimension are read all the same.
AIErr ReadMark(AIDictionaryRef clickDict, const char* key, int32_t id, int32_t& mark) {
    mark = 0;
    const AIErr err = GetBooleanByKey(clickDict, key, mark);
    if (err != kWrongTypeErr) return err;
    mark = 0;
    NoteForUser(kDefaultedValuesNote, "dimension " + std::to_string(id) + ": " + key);
    return kNoErr;
}

AIErr ReadOptionalMarks(AIDictionaryRef clickDict, Plotwise3_dimensioned_object_data& data) {
    for (const OptionalMark& mark : kOptionalMarks) {
        KeyBuffer key;
        data.*mark.field = 0;
        if (IsKnownKey(clickDict, ComposeKey(key, kZA3Prefix, mark.name)))
            if (AIErr err = ReadMark(clickDict, key, data.id, data.*mark.field)) return err;
    }
    return kNoErr;
}

// The dimension a click that cannot be read belongs to: its own id, else its link's; 0 when
// neither can be read as an id.
int32_t OwnerOfClick(AIDictionaryRef link, AIDictionaryRef click) {
    KeyBuffer idKey;
    ComposeKey(idKey, kZA3Prefix, kObjIdName);
    int32_t id = 0;
    if (click && GetIntegerByKey(click, idKey, id) == kNoErr && id >= kFirstDimensionId) return id;
    return GetIntegerByKey(link, idKey, id) == kNoErr && id >= kFirstDimensionId ? id : 0;
}

// A click is kept under the key its number gives it: a record whose number names another
// click (a drag numbered 7, say) would be read as that one.
bool StoredUnderItsKey(const char* key, const Plotwise3_dimensioned_object_data& click) {
    KeyBuffer own;
    return std::strcmp(ClickKey(own, click.clickNum), key) == 0;
}

// Whether art of the type can hold the click as the tools store them: an anchor or a piece
// on a path, a text click on text, empty space and a fill on any art.
bool ClickFitsArt(int32_t clickType, int16_t artType) {
    switch (clickType) {
        case kLiveDimClickedSegmentPoint:
        case kLiveDimClickedPath: return artType == kPathArt;
        case kLiveDimClickedText: return artType == kTextFrameArt || artType == kLegacyTextArt;
        case kLiveDimClickedSpace:
        case kLiveDimClickedFill: return true;
        default: return false;
    }
}

// One click of a link as read: the record, or why it cannot be read and whose it is.
struct LinkClick {
    Plotwise3_dimensioned_object_data record{};
    AIErr err = kNoErr;
    int32_t owner = 0;
};

AIErr ReadLinkClicks(AIDictionaryRef link, int16_t artType, std::vector<LinkClick>& clicks) {
    KeyBuffer clickPrefix;
    ComposeKey(clickPrefix, kZA3Prefix, kClickDataName);
    return ForEachKey(link, [&](const char* key) -> AIErr {
        if (!StartsWith(key, clickPrefix, kClickDataKeyLength)) return kNoErr;
        LinkClick& c = clicks.emplace_back();
        DictRef click;
        c.err = GetSubDictionary(link, key, click);
        if (!c.err) c.err = ConvertDimensionedObjectDictionaryToData(click.get(), &c.record);
        if (c.err == kOutOfMemoryErr) return c.err;
        if (!c.err && !(ClickRecordHolds(c.record, artType) && StoredUnderItsKey(key, c.record)))
            c.err = kBadDimensionDataErr;
        c.owner = c.err ? OwnerOfClick(link, click.get()) : c.record.id;
        return kNoErr;
    });
}

// The clicks of one link whose ids disagree belong to the id most of the link's stored ids
// name: its key's, its own "ZA3_Obj_id" and each click's (on a tie its own id, else its
// key's). A click storing another id is damaged, and so is that dimension, which lacks it.
// The dimension the link's key names (its own id too when it agrees) lacks what the link held
// when the rest outvote it, its clicks being filed under that key, and so does the one the
// link names when it holds no click at all: `lacking` (0 when it names none).
void JudgeLinkIds(const char* key, AIDictionaryRef link, std::vector<LinkClick>& clicks,
                  std::vector<int32_t>& lacking) {
    lacking.clear();
    const auto read = [](const LinkClick& c) { return c.err == kNoErr; };
    KeyBuffer idKey;
    int32_t linkId = 0, keyId = 0;
    const bool known = GetIntegerByKey(link, ComposeKey(idKey, kZA3Prefix, kObjIdName), linkId) == kNoErr &&
                       linkId >= kFirstDimensionId;
    const bool keyed = KeyId(key, &keyId) && keyId >= kFirstDimensionId;
    if (clicks.empty()) {
        lacking.push_back(keyed ? keyId : known ? linkId : 0);
        return;
    }
    std::vector<int32_t> ids;  // the tie-breakers first
    if (known) ids.push_back(linkId);
    if (keyed) ids.push_back(keyId);
    for (const LinkClick& c : clicks)
        if (read(c)) ids.push_back(c.record.id);
    if (ids.empty()) return;
    const auto votes = [&](int32_t id) { return std::count(ids.begin(), ids.end(), id); };
    int32_t owner = ids.front();
    for (int32_t id : ids)
        if (votes(id) > votes(owner)) owner = id;
    if (keyed && keyId != owner) lacking.push_back(keyId);
    for (LinkClick& c : clicks) {
        if (!read(c) || c.record.id == owner) continue;
        c.err = kBadDimensionDataErr;
        c.owner = owner;
    }
}

}  // namespace

bool ClickRecordHolds(const Plotwise3_dimensioned_object_data& click, int16_t artType) {
    if (click.clickNum == 0 || !ClickFitsArt(click.clickType, artType)) return false;
    const auto entries = ClickEntries();
    return std::all_of(entries.begin(), entries.end(), [&](const ClickEntry& e) {
        const double value = e.intField ? static_cast<double>(click.*e.intField) : click.*e.realField;
        return value >= e.least && value <= e.most;  // false for NaN
    });
}

AIErr ConvertDimensionedObjectDataToDictionary(AIDictionaryRef clickDict, const Plotwise3_dimensioned_object_data* data) {
    if (!clickDict || !data) return kCADErr;
    if (AIErr err = WriteOptionalMarks(clickDict, *data)) return err;
    return ForEachClickEntry([&](const ClickEntry& e, AIDictKey key) -> AIErr {
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
    if (AIErr err = ForEachClickEntry([&](const ClickEntry& e, AIDictKey key) -> AIErr {
            switch (e.type) {
            case DictEntryType::kInteger: return GetIntegerByKey(clickDict, key, data->*e.intField);
            case DictEntryType::kBoolean: return ReadMark(clickDict, ClickEntryKey(e), data->id, data->*e.intField);
            case DictEntryType::kReal: return GetRealByKey(clickDict, key, data->*e.realField);
            case DictEntryType::kString: break;
            }
            return kBadParameterErr;
        }))
        return err;
    return ReadOptionalMarks(clickDict, *data);
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

AIErr ForEachDimensionedObjectData(AIArtHandle art, const ClickRecordVisitor& visit,
                                   const DamagedClickVisitor& damaged) {
    if (!art) return kCADErr;
    const auto report = [&](AIErr err, int32_t id) { return damaged && err != kOutOfMemoryErr ? damaged(id) : err; };
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    DictRef object;
    if (AIErr err = GetObjectDictionary(art, object)) return report(err, 0);
    if (!object) return kNoErr;
    // A link that cannot be read is its key's dimension's, when the key names one.
    const auto unreadableLink = [&](const char* key, AIErr err) {
        int32_t id = 0;
        return report(err, KeyId(key, &id) && id >= kFirstDimensionId ? id : 0);
    };
    return ForEachLinkDictionary(object.get(), [&](const char* key, AIDictionaryRef link) -> AIErr {
        std::vector<LinkClick> clicks;
        if (AIErr err = ReadLinkClicks(link, type, clicks)) return err;
        std::vector<int32_t> lacking;
        JudgeLinkIds(key, link, clicks, lacking);
        for (int32_t id : lacking)
            if (AIErr err = report(kBadDimensionDataErr, id)) return err;
        for (LinkClick& c : clicks) {
            if (c.err) {
                if (AIErr err = report(c.err, c.owner)) return err;
                continue;
            }
            c.record.art = art;
            if (AIErr err = visit(c.record)) return err;
        }
        return kNoErr;
    }, unreadableLink);
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

namespace {

// Whether a link names another dimension besides its own "ZA3_Obj_id": by a key that does
// not end in that id, or by the ids its clicks store (`others`, where they differ from it).
AIErr LinkNamesAnother(const char* key, AIDictionaryRef link, int32_t id, bool* another, std::vector<int32_t>& others) {
    others.clear();
    int32_t keyId = 0;
    *another = !KeyId(key, &keyId) || keyId != id;
    KeyBuffer clickPrefix, idKey;
    ComposeKey(clickPrefix, kZA3Prefix, kClickDataName);
    ComposeKey(idKey, kZA3Prefix, kObjIdName);
    return ForEachKey(link, [&](const char* clickKey) -> AIErr {
        if (!StartsWith(clickKey, clickPrefix, kClickDataKeyLength)) return kNoErr;
        DictRef click;
        if (AIErr err = GetSubDictionary(link, clickKey, click)) return err;
        int32_t clickId = id;
        // A click whose id cannot be read names no dimension; its reader reports it.
        if (GetIntegerByKey(click.get(), idKey, clickId) == kNoErr && clickId != id) {
            if (std::find(others.begin(), others.end(), clickId) == others.end()) others.push_back(clickId);
            *another = true;
        }
        return kNoErr;
    });
}

}  // namespace

AIErr RemoveDimensionLinks(AIArtHandle art, const std::function<bool(int32_t id)>& drop, int32_t* removed,
                           const DisagreeingLinkVisitor& kept) {
    if (removed) *removed = 0;
    if (!art) return kCADErr;
    DictRef dict;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    KeyBuffer objectKey;
    if (!IsKnownKey(dict.get(), ObjectKey(objectKey))) return kNoErr;
    DictRef object;
    if (AIErr err = GetSubDictionary(dict.get(), objectKey, object)) return err;
    KeyBuffer idKey;
    ComposeKey(idKey, kZA3Prefix, kObjIdName);
    // Every key is noted first: the dictionary is not changed while it is walked.
    std::vector<std::string> dropped;
    std::vector<int32_t> others;
    int32_t links = 0;
    AIErr err = ForEachLinkDictionary(object.get(), [&](const char* key, AIDictionaryRef link) -> AIErr {
        ++links;
        int32_t id = 0;
        if (AIErr e = GetIntegerByKey(link, idKey, id)) return e;
        if (!drop(id)) return kNoErr;
        // A link that also names another dimension may be that one's: it stays.
        bool another = false;
        if (AIErr e = LinkNamesAnother(key, link, id, &another, others)) return e;
        if (!another) dropped.emplace_back(key);
        else if (kept) kept(key, id, others);
        return kNoErr;
    });
    if (err) return err;
    for (const std::string& key : dropped)
        if (AIErr e = DeleteByKey(object.get(), key.c_str())) return e;
    if (removed) *removed = static_cast<int32_t>(dropped.size());
    if (!dropped.empty() && static_cast<int32_t>(dropped.size()) == links) return DeleteByKey(dict.get(), objectKey);
    return kNoErr;
}

AIErr RenumberDimensionLink(AIArtHandle art, int32_t from, int32_t to) {
    if (!art) return kCADErr;
    DictRef object;
    if (AIErr err = GetObjectDictionary(art, object)) return err;
    if (!object) return kNoErr;
    KeyBuffer idKey, clickPrefix;
    ComposeKey(idKey, kZA3Prefix, kObjIdName);
    ComposeKey(clickPrefix, kZA3Prefix, kClickDataName);
    std::vector<std::string> found;
    AIErr err = ForEachLinkDictionary(object.get(), [&](const char* key, AIDictionaryRef link) -> AIErr {
        int32_t id = 0;
        if (AIErr e = GetIntegerByKey(link, idKey, id)) return e;
        if (id == from) found.emplace_back(key);
        return kNoErr;
    });
    if (err) return err;
    KeyBuffer newKey;
    LinkKey(newKey, to);
    for (const std::string& key : found) {
        DictRef link;
        if (AIErr e = GetSubDictionary(object.get(), key.c_str(), link)) return e;
        if (AIErr e = SetIntegerByKey(link.get(), idKey, to)) return e;
        std::vector<std::string> clicks;
        if (AIErr e = ForEachKey(link.get(), [&](const char* clickKey) -> AIErr {
                if (StartsWith(clickKey, clickPrefix, kClickDataKeyLength)) clicks.emplace_back(clickKey);
                return kNoErr;
            }))
            return e;
        for (const std::string& clickKey : clicks) {
            DictRef click;
            if (AIErr e = GetSubDictionary(link.get(), clickKey.c_str(), click)) return e;
            if (AIErr e = SetIntegerByKey(click.get(), idKey, to)) return e;
        }
        if (key == newKey) continue;
        const AIDictKey k = sAIDictionary->Key(newKey);
        if (AIErr e = sAIDictionary->SetDictEntry(object.get(), k, link.get())) return e;
        if (AIErr e = DeleteByKey(object.get(), key.c_str())) return e;
    }
    return kNoErr;
}

AIErr DeleteDimObjectDictionary(AIArtHandle art) {
    if (!art) return kCADErr;
    auto clear = [](AIArtHandle a) -> AIErr {
        DictRef dict;
        if (AIErr err = GetArtDictionary(a, dict)) return err;
        KeyBuffer key;
        return IsKnownKey(dict.get(), ObjectKey(key)) ? DeleteByKey(dict.get(), key) : kNoErr;
    };
    if (AIErr err = clear(art)) return err;
    AIArtHandle child = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
    for (; child; ) {
        if (AIErr err = clear(child)) return err;
        if (AIErr err = sAIArt->GetArtSibling(child, &child)) return err;
    }
    return kNoErr;
}
