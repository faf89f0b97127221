// The axonometric record of art and the document's view record, entry by entry. Keys are
// composed from the prefix of the format version that introduced the entry and its name;
// the foreshortening flag's prefix is "PW7_".
#include "axonometric/AxonometricData.h"

#include <cmath>
#include <cstdio>
#include <string>

#include "axonometric/AxonometricGlobals.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSuites.h"
#include "geometry/IsoViewDerivation.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

constexpr const char* kZA3 = "ZA3_";
constexpr const char* kPW7 = "PW7_";

std::string ComposedKey(const char* prefix, const char* name) { return std::string(prefix) + name; }

AIDictKey Key(const char* prefix, const char* name) { return sAIDictionary->Key(ComposedKey(prefix, name).c_str()); }

// One stored entry of the record: its key and the field it holds (exactly one of the
// three accessors is set, by the entry's host type).
struct RecordEntry {
    const char* prefix;
    const char* name;
    int32_t* (*integer)(depth_object_data&);
    AIReal* (*real)(depth_object_data&);
    int* (*boolean)(depth_object_data&);
};

#define PW_INT(prefix, name, field) {prefix, name, [](depth_object_data& d) { return &d.field; }, nullptr, nullptr}
#define PW_REAL(prefix, name, field) {prefix, name, nullptr, [](depth_object_data& d) { return &d.field; }, nullptr}

// In the order they are written and read.
const RecordEntry kRecordEntries[] = {
    PW_INT(kZA3, "Axo_id", id),
    PW_INT(kZA3, "Axo_type", type),
    PW_INT(kZA3, "Axo_face", face),
    PW_INT(kZA3, "Axo_state", state),
    PW_REAL(kZA3, "Flat_width", flatSize.h),
    PW_REAL(kZA3, "Flat_height", flatSize.v),
    PW_REAL(kZA3, "Axo_width", axoSize.h),
    PW_REAL(kZA3, "Axo_height", axoSize.v),
    PW_REAL(kZA3, "Axo_area", area),
    PW_REAL(kZA3, "Axo_perimeter", perimeter),
    PW_REAL(kZA3, "Axo_matrix_a", matrix.a),
    PW_REAL(kZA3, "Axo_matrix_b", matrix.b),
    PW_REAL(kZA3, "Axo_matrix_c", matrix.c),
    PW_REAL(kZA3, "Axo_matrix_d", matrix.d),
    PW_REAL(kZA3, "Axo_matrix_tx", matrix.tx),
    PW_REAL(kZA3, "Axo_matrix_ty", matrix.ty),
    PW_REAL(kZA3, "Axo_offset_h", offset.h),
    PW_REAL(kZA3, "Axo_offset_v", offset.v),
    {kPW7, "Axo_no_foreshortening", nullptr, nullptr, [](depth_object_data& d) { return &d.noForeshortening; }},
};

#undef PW_INT
#undef PW_REAL

// The side of a cylinder's body: kept only while known, so that every other record stays
// as it was stored before the side existed. One that cannot be read stays as it is.
AIDictKey SideKey() { return Key(kPW7, "Axo_length_side"); }

AIErr WriteSide(AIDictionaryRef record, const depth_object_data& data) {
    if (data.side) return sAIDictionary->SetIntegerEntry(record, SideKey(), data.side > 0 ? 1 : -1);
    if (data.sideUnreadable || !sAIDictionary->IsKnown(record, SideKey())) return kNoErr;
    return sAIDictionary->DeleteEntry(record, SideKey());
}

// A missing side is not known (the body is rebuilt as before); a stored one is read by its
// sign, from a real too; 0 or anything else is unreadable.
void ReadSide(AIDictionaryRef record, depth_object_data& data) {
    data.side = 0;
    data.sideUnreadable = false;
    if (!sAIDictionary->IsKnown(record, SideKey())) return;
    int32_t whole = 0;
    AIReal real = 0;
    double v = 0;
    if (sAIDictionary->GetIntegerEntry(record, SideKey(), &whole) == kNoErr) v = whole;
    else if (sAIDictionary->GetRealEntry(record, SideKey(), &real) == kNoErr) v = real;
    data.side = (v > 0) - (v < 0);
    data.sideUnreadable = data.side == 0;
}

// The view's eight reals, in the order they are written and read.
struct ViewEntry {
    const char* name;
    AIReal iso_view::*field;
};
const ViewEntry kViewEntries[] = {
    {"AxoView_a", &iso_view::a},   {"AxoView_b", &iso_view::b},   {"AxoView_c", &iso_view::c},
    {"AxoView_af", &iso_view::af}, {"AxoView_bf", &iso_view::bf}, {"AxoView_cf", &iso_view::cf},
    {"AxoView_r", &iso_view::r},   {"AxoView_t", &iso_view::t},
};

AIErr WriteEntry(AIDictionaryRef dict, const RecordEntry& e, depth_object_data& data) {
    const AIDictKey key = Key(e.prefix, e.name);
    if (e.integer) return sAIDictionary->SetIntegerEntry(dict, key, *e.integer(data));
    if (e.real) return sAIDictionary->SetRealEntry(dict, key, *e.real(data));
    return sAIDictionary->SetBooleanEntry(dict, key, *e.boolean(data) ? 1 : 0);
}

AIErr ReadEntry(AIDictionaryRef dict, const RecordEntry& e, depth_object_data& data) {
    const AIDictKey key = Key(e.prefix, e.name);
    if (e.integer) {
        int32_t v = 0;
        AIErr err = sAIDictionary->GetIntegerEntry(dict, key, &v);
        if (!err) *e.integer(data) = v;
        return err;
    }
    if (e.real) {
        AIReal v = 0;
        AIErr err = sAIDictionary->GetRealEntry(dict, key, &v);
        if (!err) *e.real(data) = v;
        return err;
    }
    ASBoolean v = 0;
    AIErr err = sAIDictionary->GetBooleanEntry(dict, key, &v);
    if (!err) *e.boolean(data) = v ? 1 : 0;
    // Records written before the flag existed were made with the preference's value.
    if (err == kNoSuchKey) {
        *e.boolean(data) = g->prefs.noAxoForeshortening;
        return kNoErr;
    }
    return err;
}

// The art holding the record that applies to `art`: the art itself or its nearest ancestor
// with one, never a layer group above it; null when there is none. The dictionary of the
// holder comes back in `dict`.
AIErr FindHolder(AIArtHandle art, AIArtHandle* holder, DictRef& dict) {
    *holder = nullptr;
    const AIDictKey recordKey = Key(kZA3, "Axonometric");
    while (art) {
        if (AIErr err = sAIArt->GetDictionary(art, dict.put())) return err;
        if (sAIDictionary->IsKnown(dict.get(), recordKey)) {
            *holder = art;
            return kNoErr;
        }
        dict.reset();
        AIArtHandle parent = nullptr;
        if (AIErr err = sAIArt->GetArtParent(art, &parent)) return err;
        if (!parent) break;
        ASBoolean layerGroup = false;
        if (AIErr err = sAIArt->IsArtLayerGroup(parent, &layerGroup)) return err;
        if (layerGroup) break;
        art = parent;
    }
    return kNoErr;
}

// True when a document is open; a host that cannot count views counts as none.
bool DocumentIsOpen() {
    int32_t views = 0;
    return sAIDocumentView->CountDocumentViews(&views) == kNoErr && views > 0;
}

// A document's view record, or an entry of it, that cannot be used as stored: the view is
// not taken from it (the preferences' view stands), and the user is told.
void NoteDamagedView(const std::string& what) {
    NoteForUser(kDefaultedValuesNote, "the document's axonometric view (" + what + ")");
}

// The view stored in the document; `whole` false (the user told) when the record is not a
// dictionary or an entry of it is missing, of another type or not a number.
AIErr ReadStoredView(AIDictionaryRef doc, AIDictKey viewKey, iso_view* read, bool* whole) {
    *whole = false;
    DictRef stored;
    if (AIErr err = sAIDictionary->GetDictEntry(doc, viewKey, stored.put())) {
        if (err != kWrongTypeErr) return err;
        NoteDamagedView(ComposedKey(kZA3, "AxoView"));
        return kNoErr;
    }
    for (const ViewEntry& e : kViewEntries) {
        AIReal v = 0;
        const AIErr err = sAIDictionary->GetRealEntry(stored.get(), Key(kZA3, e.name), &v);
        if (err && err != kWrongTypeErr && err != kNoSuchKey) return err;
        if (err || !std::isfinite(v)) {
            NoteDamagedView(ComposedKey(kZA3, e.name));
            return kNoErr;
        }
        read->*e.field = v;
    }
    *whole = true;
    return kNoErr;
}

}  // namespace

void InitializeAxonometricData(depth_object_data* data) {
    if (data) *data = depth_object_data{};
}

AIErr SetAxonometricData(AIArtHandle art, const depth_object_data* data) {
    if (!art || !data) return kBadParameterErr;
    DictRef dict;
    if (AIErr err = sAIArt->GetDictionary(art, dict.put())) return err;
    if (!dict) return kNoErr;
    DictRef record;
    const AIDictKey recordKey = Key(kZA3, "Axonometric");
    if (sAIDictionary->IsKnown(dict.get(), recordKey)) {
        if (AIErr err = sAIDictionary->GetDictEntry(dict.get(), recordKey, record.put())) return err;
    } else {
        // Stored by reference: what is written through it lands on the art.
        if (AIErr err = sAIDictionary->CreateDictionary(record.put())) return err;
        if (AIErr err = sAIDictionary->SetDictEntry(dict.get(), recordKey, record.get())) return err;
    }
    depth_object_data copy = *data;
    for (const RecordEntry& e : kRecordEntries)
        if (AIErr err = WriteEntry(record.get(), e, copy)) return err;
    return WriteSide(record.get(), copy);
}

AIErr GetAxonometricData(AIArtHandle art, depth_object_data* data) {
    if (!data) return kBadParameterErr;
    AIArtHandle holder = nullptr;
    DictRef dict;
    if (AIErr err = FindHolder(art, &holder, dict)) return err;
    if (!holder) return kNoErr;
    DictRef record;
    if (AIErr err = sAIDictionary->GetDictEntry(dict.get(), Key(kZA3, "Axonometric"), record.put())) return err;
    for (const RecordEntry& e : kRecordEntries)
        if (AIErr err = ReadEntry(record.get(), e, *data)) return err;
    ReadSide(record.get(), *data);
    return kNoErr;
}

bool IsRecordLength(AIReal length) {
    return std::isfinite(length) && std::fabs(length) <= style_fields::kLengthMost;
}

bool IsRecordFace(const AIRealMatrix& matrix) {
    return WellConditioned(matrix) && IsRecordLength(matrix.tx) && IsRecordLength(matrix.ty);
}

AIErr DeleteAxonometricData(AIArtHandle art) {
    if (!art) return kNoErr;
    DictRef dict;
    if (AIErr err = sAIArt->GetDictionary(art, dict.put())) return err;
    const AIDictKey recordKey = Key(kZA3, "Axonometric");
    if (!dict || !sAIDictionary->IsKnown(dict.get(), recordKey)) return kNoErr;
    return sAIDictionary->DeleteEntry(dict.get(), recordKey);
}

bool HoldsAxonometricRecord(AIArtHandle art) {
    // Asked of art that may have no dictionary: none is made for it.
    if (!art || !sAIArt->HasDictionary(art)) return false;
    DictRef dict;
    return sAIArt->GetDictionary(art, dict.put()) == kNoErr && dict &&
           sAIDictionary->IsKnown(dict.get(), Key(kZA3, "Axonometric"));
}

int IsAxonometricArt(AIArtHandle art) {
    AIArtHandle holder = nullptr;
    DictRef dict;
    if (FindHolder(art, &holder, dict) != kNoErr) return 0;
    return holder ? 1 : 0;
}

AIErr GetDocumentIsoViewData(iso_view* view, int* found) {
    if (!view || !found) return kBadParameterErr;
    *found = 0;
    if (!DocumentIsOpen()) return kNoErr;
    DictRef doc;
    if (AIErr err = sAIDocument->GetDictionary(doc.put())) return err;
    const AIDictKey viewKey = Key(kZA3, "AxoView");
    iso_view read{};
    bool whole = false;
    if (sAIDictionary->IsKnown(doc.get(), viewKey))
        if (AIErr err = ReadStoredView(doc.get(), viewKey, &read, &whole)) return err;
    // A view that cannot project art is not taken either; the user is told.
    if (whole && !IsoViewIsUsable(read)) {
        (void)RefuseIsoView(read);
        whole = false;
    }
    *view = whole ? read : g->prefs.isoView;
    *found = whole ? 1 : 0;
    return kNoErr;
}

AIErr RefuseIsoView(const iso_view& view) {
    char item[96];
    std::snprintf(item, sizeof item, "receding axes at %.4g and %.4g degrees", RadiansToDegrees<double>(view.a),
                  RadiansToDegrees<double>(view.b));
    NoteForUser(kDegenerateViewNote, item);
    return kCADErr;
}

AIErr KeepDocumentIsoView(const iso_view* view) {
    if (!view || !DocumentIsOpen()) return kNoErr;
    DictRef doc;
    if (AIErr err = sAIDocument->GetDictionary(doc.put())) return err;
    if (sAIDictionary->IsKnown(doc.get(), Key(kZA3, "AxoView"))) return kNoErr;
    doc.reset();
    return SetDocumentIsoViewData(view);
}

AIErr SetDocumentIsoViewData(const iso_view* view) {
    if (!view) return kBadParameterErr;
    if (!IsoViewIsUsable(*view)) return RefuseIsoView(*view);
    if (!DocumentIsOpen()) return kNoErr;
    DictRef doc;
    if (AIErr err = sAIDocument->GetDictionary(doc.put())) return err;
    const AIDictKey viewKey = Key(kZA3, "AxoView");
    DictRef stored;
    const bool known = sAIDictionary->IsKnown(doc.get(), viewKey);
    AIEntryType type = kNoEntryType;
    if (known)
        if (AIErr err = sAIDictionary->GetEntryType(doc.get(), viewKey, &type)) return err;
    if (type == kDictEntryType) {
        if (AIErr err = sAIDictionary->GetDictEntry(doc.get(), viewKey, stored.put())) return err;
    } else {
        // A view record that is no dictionary gives way to the view written now.
        if (known) NoteDamagedView(ComposedKey(kZA3, "AxoView"));
        if (AIErr err = sAIDictionary->CreateDictionary(stored.put())) return err;
        if (AIErr err = sAIDictionary->SetDictEntry(doc.get(), viewKey, stored.get())) return err;
    }
    for (const ViewEntry& e : kViewEntries)
        if (AIErr err = sAIDictionary->SetRealEntry(stored.get(), Key(kZA3, e.name), view->*e.field)) return err;
    return kNoErr;
}

AIErr CalculateAxonometricData(const AIRealRect* rect, int32_t face, depth_object_data* data) {
    if (!rect || !data) return kBadParameterErr;
    AIRealMatrix m{};
    AIRealPoint pivot{};
    if (!AxonometricFaceMatrix(g->prefs.isoView, face, *rect, &m, &pivot)) return kCADErr;
    const AIReal w = rect->right - rect->left, h = rect->top - rect->bottom;
    InitializeAxonometricData(data);
    data->id = g->depthObjNum++;
    data->type = kAxoFaceArt;
    data->face = face;
    data->flatSize = {w, h};
    data->area = w * h;
    data->perimeter = 2 * h + 2 * w;
    data->matrix = m;
    data->noForeshortening = g->prefs.noAxoForeshortening;
    const AIRealPoint corner = XformRealPoint(m, {rect->left, rect->top});
    data->offset = {pivot.h - corner.h, pivot.v - corner.v};
    return kNoErr;
}

AIErr GetAxonometricArtBounds(AIArtHandle art, AIRealRect* bounds) {
    const AIRealMatrix identity = IdentityRealMatrix();
    return sAIArt->GetArtTransformBounds(art, &identity, kVisibleBounds, bounds);
}
