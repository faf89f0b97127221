// Feeds arbitrary axonometric records and document views, as a damaged or foreign document
// may hold them (entries missing, of another type, not a number, huge), to the routines
// that read them: reading, flat bounds, the reshaped test, projection, flattening and the
// document-wide update, a drum's rebuild among them (its group's own record damaged too). None
// may crash, hang or keep a dictionary reference.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string_view>
#include <utility>

#include "FuzzPlugin.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/AxonometricUpdate.h"
#include "suites/Suites.h"

namespace {

const char* const kRecordKeys[] = {
    "ZA3_Axo_id", "ZA3_Axo_type", "ZA3_Axo_face", "ZA3_Axo_state", "ZA3_Flat_width", "ZA3_Flat_height",
    "ZA3_Axo_width", "ZA3_Axo_height", "ZA3_Axo_area", "ZA3_Axo_perimeter", "ZA3_Axo_matrix_a",
    "ZA3_Axo_matrix_b", "ZA3_Axo_matrix_c", "ZA3_Axo_matrix_d", "ZA3_Axo_matrix_tx", "ZA3_Axo_matrix_ty",
    "ZA3_Axo_offset_h", "ZA3_Axo_offset_v", "PW7_Axo_no_foreshortening", "PW7_Axo_length_side"};
const char* const kViewKeys[] = {"ZA3_AxoView_a",  "ZA3_AxoView_b",  "ZA3_AxoView_c", "ZA3_AxoView_af",
                                 "ZA3_AxoView_bf", "ZA3_AxoView_cf", "ZA3_AxoView_r", "ZA3_AxoView_t"};

enum class Kind { kInteger, kReal, kBoolean };

// One entry as a document might hold it: left out, of its own type, or of another; a kept
// one only of its own type.
void Put(standin::Document& doc, standin::ObjId dict, const char* key, Kind kind, FuzzInput& in, bool kept = false) {
    switch (kept ? 3 : in.byte() % 4) {
        case 0: return;
        case 1: doc.editDict(dict)->set(key, std::string("x")); return;
        case 2: doc.editDict(dict)->set(key, static_cast<int32_t>(in.word())); return;
        default:
            if (kind == Kind::kReal) doc.editDict(dict)->set(key, in.real());
            else if (kind == Kind::kBoolean) doc.editDict(dict)->set(key, (in.word() & 1) != 0);
            else doc.editDict(dict)->set(key, static_cast<int32_t>(in.word() % 0x300));
    }
}

// A record on the art; with `damaged` only those of its entries, the others each of its own type.
standin::ObjId RecordOn(standin::Document& doc, standin::ObjId art, FuzzInput& in,
                        std::initializer_list<std::string_view> damaged = {}) {
    const standin::ObjId record = doc.newDict();
    // Four integers, the reals, the foreshortening flag and the side, an integer.
    const size_t flag = std::size(kRecordKeys) - 2;
    for (size_t i = 0; i < std::size(kRecordKeys); ++i) {
        const Kind kind = i == flag ? Kind::kBoolean : i >= 4 && i < flag ? Kind::kReal : Kind::kInteger;
        const bool kept = damaged.size() && std::find(damaged.begin(), damaged.end(), kRecordKeys[i]) == damaged.end();
        Put(doc, record, kRecordKeys[i], kind, in, kept);
    }
    doc.editDict(doc.dictionaryOf(art))->set("ZA3_Axonometric", standin::DictLink{record});
    return record;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzPluginWorld world;
    FuzzInput in{data, size};
    standin::Document& doc = world.host.newDocument();
    world.host.beginMessage();
    PlotwiseGlobals& g = world.globals;
    g.prefs.isoView = {in.real(), in.real(), 0, in.real(), in.real(), in.real(), 45, in.real()};
    g.prefs.autoExpandAxoArt = in.byte() & 1;

    standin::ObjId rect = 0, ellipse = 0, group = 0;
    doc.addRect(10, 10, 100, 50, &rect);
    doc.addEllipse(200, 10, 80, 80, &ellipse);
    doc.newArt(kGroupArt, kPlaceAboveAll, 0, &group);
    doc.reorderArt(ellipse, kPlaceInsideOnTop, group);
    RecordOn(doc, rect, in);
    RecordOn(doc, group, in);
    // The document's view: none, a record of entries of any kind, or (high bit) no record.
    if (const uint8_t stored = in.byte(); stored & 0x80) {
        doc.editDict(doc.dictionaryOf(0))->set("ZA3_AxoView", int32_t{stored});
    } else if (stored & 1) {
        const standin::ObjId view = doc.newDict();
        for (const char* key : kViewKeys) Put(doc, view, key, Kind::kReal, in);
        doc.editDict(doc.dictionaryOf(0))->set("ZA3_AxoView", standin::DictLink{view});
    }
    // A drum: a group (type 5) of a base (6) in front of a body (7) on one face, whose records
    // read whole, so that its rebuild meets a body's side of any kind and lengths of any value;
    // the group's own record (the face byte's two high bits) kept, of another type, left out
    // or no record.
    const int32_t faces[] = {kAxoLeftFace, kAxoRightFace, kAxoTopFace, kAxoNoFace};
    const uint8_t faceByte = in.byte();
    const int32_t face = faces[faceByte % 4];
    const int groupRecord = faceByte >> 6;
    standin::ObjId drum = 0, base = 0, body = 0;
    doc.addEllipse(300, 60, 80, 40, &base);
    doc.addRect(300, 10, 80, 60, &body);
    doc.newArt(kGroupArt, kPlaceAboveAll, 0, &drum);
    doc.reorderArt(body, kPlaceInsideOnTop, drum);
    doc.reorderArt(base, kPlaceInsideOnTop, drum);
    const std::pair<standin::ObjId, int32_t> members[] = {
        {drum, kAxoCylinderGroup}, {base, kAxoCylinderBase}, {body, kAxoCylinderBody}};
    for (const auto& [art, type] : members) {
        const standin::ObjId record = RecordOn(doc, art, in, {"PW7_Axo_length_side"});
        doc.editDict(record)->set("ZA3_Axo_type", art == drum && groupRecord == 1 ? kAxoFaceArt : type);
        doc.editDict(record)->set("ZA3_Axo_face", face);
    }
    if (groupRecord == 2) doc.editDict(doc.dictionaryOf(drum))->erase("ZA3_Axonometric");
    if (groupRecord == 3) doc.editDict(doc.dictionaryOf(drum))->set("ZA3_Axonometric", int32_t{5});

    for (standin::ObjId id : {rect, ellipse, group, drum, body}) {
        const AIArtHandle art = standin::suites::artHandle(id);
        depth_object_data d;
        (void)IsAxonometricArt(art);
        (void)GetAxonometricData(art, &d);
        AIRealRect r{};
        (void)getFlatBoundsRectFromDictionary(art, &r);
        (void)AxoArtModified(art);
        AIRealPoint p{1, 2};
        (void)invertAxonometricPoint(&d, &p, &p);
    }
    iso_view view{};
    int found = 0;
    (void)GetDocumentIsoViewData(&view, &found);
    (void)AdoptDocumentIsoView();
    (void)UpdateAxonometricObjects(in.byte() & 1, in.byte() & 1);
    depth_object_data stored;
    AIRealRect flat{};
    if (GetAxonometricData(standin::suites::artHandle(rect), &stored) == kNoErr)
        (void)MeasureFlatAxonometricArt(standin::suites::artHandle(rect), &stored, &flat);
    (void)ProjectAxonometric(standin::suites::artHandle(group), faces[in.byte() % 4], &g.prefs.isoView);

    world.host.endMessage();
    world.host.closeDocument(doc);
    world.RequireNoDictionaryLeft();
    return 0;
}
