// The axonometric record on art and the document's view record: the stored keys and types
// as the host holds them, the climb to an ancestor's record, partial reads, the view of a
// document with and without its own, and both records through a save and reopen.
#include <cstring>
#include <filesystem>

#include "ScratchFolder.h"
#include "AxoFixture.h"
#include "axonometric/AxonometricData.h"
#include "core/PlotwiseAlerts.h"
#include "io/DocumentFile.h"

namespace axotest {
namespace {

depth_object_data Sample() {
    depth_object_data d;
    d.id = 41;
    d.type = kAxoFaceArt;
    d.face = kAxoTopFace;
    d.state = 3;
    d.flatSize = {72.5f, 36.25f};
    d.axoSize = {0.1f, 1.0f / 3};
    d.area = 2628.125f;
    d.perimeter = 217.5f;
    d.matrix = {0.8660254f, 0.5f, -0.8660254f, 0.5f, 1e-7f, -12345.678f};
    d.offset = {-3.4028235e38f, 1.17549435e-38f};
    d.noForeshortening = 0;
    return d;
}

bool SameBits(const depth_object_data& a, const depth_object_data& b) {
    auto bits = [](AIReal x) {
        uint32_t u;
        std::memcpy(&u, &x, sizeof u);
        return u;
    };
    const AIReal as[] = {a.matrix.a, a.matrix.b, a.matrix.c, a.matrix.d, a.matrix.tx, a.matrix.ty, a.offset.h,
                         a.offset.v, a.flatSize.h, a.flatSize.v, a.axoSize.h, a.axoSize.v, a.area, a.perimeter};
    const AIReal bs[] = {b.matrix.a, b.matrix.b, b.matrix.c, b.matrix.d, b.matrix.tx, b.matrix.ty, b.offset.h,
                         b.offset.v, b.flatSize.h, b.flatSize.v, b.axoSize.h, b.axoSize.v, b.area, b.perimeter};
    for (size_t i = 0; i < std::size(as); ++i)
        if (bits(as[i]) != bits(bs[i])) return false;
    return a.id == b.id && a.type == b.type && a.face == b.face && a.state == b.state &&
           a.noForeshortening == b.noForeshortening;
}

TEST_F(AxoTest, RecordIsStoredUnderItsNineteenKeysInOrder) {
    const standin::ObjId path = Rect(0, 0, 10, 10);
    const depth_object_data d = Sample();
    ASSERT_EQ(SetAxonometricData(Art(path), &d), kNoErr);
    const standin::Dict* stored = Record(path);
    ASSERT_NE(stored, nullptr);
    // The keys and host types as the stored form lists them.
    const std::vector<std::string> keys = {
        "ZA3_Axo_id", "ZA3_Axo_type", "ZA3_Axo_face", "ZA3_Axo_state", "ZA3_Flat_width", "ZA3_Flat_height",
        "ZA3_Axo_width", "ZA3_Axo_height", "ZA3_Axo_area", "ZA3_Axo_perimeter", "ZA3_Axo_matrix_a",
        "ZA3_Axo_matrix_b", "ZA3_Axo_matrix_c", "ZA3_Axo_matrix_d", "ZA3_Axo_matrix_tx", "ZA3_Axo_matrix_ty",
        "ZA3_Axo_offset_h", "ZA3_Axo_offset_v", "PW7_Axo_no_foreshortening"};
    std::vector<std::string> got;
    for (const auto& [key, value] : stored->entries) got.push_back(key);
    EXPECT_EQ(got, keys);
    EXPECT_EQ(Stored<int32_t>(path, "ZA3_Axo_id"), 41);
    EXPECT_EQ(Stored<int32_t>(path, "ZA3_Axo_face"), 0x200);
    EXPECT_EQ(Stored<int32_t>(path, "ZA3_Axo_state"), 3);
    EXPECT_EQ(Stored<AIReal>(path, "ZA3_Flat_width"), 72.5f);
    EXPECT_EQ(Stored<AIReal>(path, "ZA3_Axo_height"), 1.0f / 3);
    EXPECT_EQ(Stored<AIReal>(path, "ZA3_Axo_matrix_c"), -0.8660254f);
    EXPECT_EQ(Stored<AIReal>(path, "ZA3_Axo_offset_v"), 1.17549435e-38f);
    EXPECT_EQ(Stored<bool>(path, "PW7_Axo_no_foreshortening"), false);

    depth_object_data back;
    ASSERT_EQ(GetAxonometricData(Art(path), &back), kNoErr);
    EXPECT_TRUE(SameBits(back, d));
}

TEST_F(AxoTest, WritingKeepsOtherEntriesAndOverwritesKnownOnes) {
    const standin::ObjId path = Rect(0, 0, 10, 10);
    depth_object_data d = Sample();
    ASSERT_EQ(SetAxonometricData(Art(path), &d), kNoErr);
    doc->editDict(std::get<standin::DictLink>(*doc->dict(doc->art(path)->dictionary)->find("ZA3_Axonometric")).id)
        ->set("PW9_Future", int32_t{5});
    d.id = 42;
    d.face = kAxoLeftFace;
    ASSERT_EQ(SetAxonometricData(Art(path), &d), kNoErr);
    EXPECT_EQ(Stored<int32_t>(path, "PW9_Future"), 5);
    EXPECT_EQ(Stored<int32_t>(path, "ZA3_Axo_id"), 42);
    EXPECT_EQ(Stored<int32_t>(path, "ZA3_Axo_face"), 0x80);
    EXPECT_EQ(Record(path)->entries.size(), 20u);
}

TEST_F(AxoTest, MissingEntriesReadAsFarAsTheyGo) {
    const standin::ObjId path = Rect(0, 0, 10, 10);
    const depth_object_data d = Sample();
    ASSERT_EQ(SetAxonometricData(Art(path), &d), kNoErr);
    const standin::ObjId record =
        std::get<standin::DictLink>(*doc->dict(doc->art(path)->dictionary)->find("ZA3_Axonometric")).id;

    // An old record without the foreshortening flag reads with the preference's value.
    doc->editDict(record)->erase("PW7_Axo_no_foreshortening");
    g->prefs.noAxoForeshortening = 1;
    depth_object_data back;
    back.noForeshortening = 7;
    ASSERT_EQ(GetAxonometricData(Art(path), &back), kNoErr);
    EXPECT_EQ(back.noForeshortening, 1);
    EXPECT_EQ(back.matrix.ty, -12345.678f);

    // Without its state the reading stops there: id, type and face are read, the rest kept.
    doc->editDict(record)->erase("ZA3_Axo_state");
    depth_object_data partial;
    partial.flatSize = {-1, -1};
    EXPECT_EQ(GetAxonometricData(Art(path), &partial), kNoSuchKey);
    EXPECT_EQ(partial.id, 41);
    EXPECT_EQ(partial.type, kAxoFaceArt);
    EXPECT_EQ(partial.face, kAxoTopFace);
    EXPECT_EQ(partial.flatSize.h, -1);
}

TEST_F(AxoTest, TheRecordOfTheNearestAncestorBelowTheLayerApplies) {
    const standin::ObjId path = Rect(0, 0, 10, 10), other = Rect(20, 0, 10, 10);
    const standin::ObjId inner = Group({path}), outer = Group({inner, other});
    depth_object_data d = Sample();
    ASSERT_EQ(SetAxonometricData(Art(outer), &d), kNoErr);
    EXPECT_EQ(IsAxonometricArt(Art(path)), 1);
    depth_object_data back;
    ASSERT_EQ(GetAxonometricData(Art(path), &back), kNoErr);
    EXPECT_EQ(back.id, 41);

    // The art's own record wins over its ancestor's.
    d.id = 77;
    ASSERT_EQ(SetAxonometricData(Art(inner), &d), kNoErr);
    ASSERT_EQ(GetAxonometricData(Art(path), &back), kNoErr);
    EXPECT_EQ(back.id, 77);

    // Deleting on the art leaves its ancestors' records alone.
    EXPECT_EQ(DeleteAxonometricData(Art(path)), kNoErr);
    EXPECT_NE(Record(inner), nullptr);
    ASSERT_EQ(DeleteAxonometricData(Art(inner)), kNoErr);
    EXPECT_EQ(Record(inner), nullptr);
    EXPECT_NE(Record(outer), nullptr);
    EXPECT_EQ(DeleteAxonometricData(nullptr), kNoErr);

    // A layer group's record is never consulted, and art without one reads nothing.
    const standin::ObjId layerGroup = doc->art(path)->parent ? doc->layerOf(path) : 0;
    ASSERT_NE(layerGroup, 0u);
    ASSERT_EQ(DeleteAxonometricData(Art(outer)), kNoErr);
    ASSERT_EQ(SetAxonometricData(Art(layerGroup), &d), kNoErr);
    EXPECT_EQ(IsAxonometricArt(Art(path)), 0);
    depth_object_data untouched;
    untouched.id = -5;
    EXPECT_EQ(GetAxonometricData(Art(other), &untouched), kNoErr);
    EXPECT_EQ(untouched.id, -5);
    EXPECT_EQ(IsAxonometricArt(nullptr), 0);
}

TEST_F(AxoTest, InitialisedRecord) {
    depth_object_data d = Sample();
    InitializeAxonometricData(&d);
    EXPECT_EQ(d.id, 0);
    EXPECT_EQ(d.type, -1);
    EXPECT_EQ(d.face, 8);
    EXPECT_EQ(d.state, 0);
    EXPECT_EQ(d.noForeshortening, 1);
    EXPECT_EQ(d.matrix.a, 1);
    EXPECT_EQ(d.matrix.c, 0);
    EXPECT_EQ(d.matrix.d, 1);
    EXPECT_EQ(d.matrix.tx, 0);
    EXPECT_EQ(d.offset.h, 0);
    EXPECT_EQ(d.axoSize.v, 0);
    EXPECT_EQ(d.area, 0);
}

TEST_F(AxoTest, DocumentViewFallsBackToThePreferences) {
    iso_view view = View(1, 2, 3, 4, 5, 6);
    int found = 9;
    g->prefs.isoView = kIsometricBelow;
    ASSERT_EQ(GetDocumentIsoViewData(&view, &found), kNoErr);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(view.b, kIsometricBelow.b);
    EXPECT_EQ(view.t, kIsometricBelow.t);

    const iso_view stored = View(7.0, 138.6, 0.5, 0.94, 0.94, 20);
    ASSERT_EQ(SetDocumentIsoViewData(&stored), kNoErr);
    const standin::DictValue* entry = doc->dict(doc->state().dictionary)->find("ZA3_AxoView");
    ASSERT_NE(entry, nullptr);
    const standin::Dict* d = doc->dict(std::get<standin::DictLink>(*entry).id);
    std::vector<std::string> keys;
    for (const auto& [key, value] : d->entries) keys.push_back(key);
    EXPECT_EQ(keys, (std::vector<std::string>{"ZA3_AxoView_a", "ZA3_AxoView_b", "ZA3_AxoView_c", "ZA3_AxoView_af",
                                              "ZA3_AxoView_bf", "ZA3_AxoView_cf", "ZA3_AxoView_r", "ZA3_AxoView_t"}));
    EXPECT_EQ(std::get<AIReal>(*d->find("ZA3_AxoView_af")), 0.5f);
    EXPECT_EQ(std::get<AIReal>(*d->find("ZA3_AxoView_t")), 20.0f);
    ASSERT_EQ(GetDocumentIsoViewData(&view, &found), kNoErr);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(view.a, stored.a);
    EXPECT_EQ(view.bf, 0.94f);

    // A stored view that cannot be read (no dictionary, an entry of another type or not a
    // number) is not taken either, and is named.
    const struct {
        const char* key;
        standin::DictValue value;
    } damaged[] = {{"ZA3_AxoView", int32_t{1}}, {"ZA3_AxoView_t", std::string("up")}, {"ZA3_AxoView_b", std::nanf("")}};
    for (const auto& d : damaged) {
        SCOPED_TRACE(d.key);
        ASSERT_EQ(SetDocumentIsoViewData(&stored), kNoErr);
        const standin::DictValue* record = doc->dict(doc->dictionaryOf(0))->find("ZA3_AxoView");
        ASSERT_NE(record, nullptr);
        const bool whole = std::string(d.key) == "ZA3_AxoView";
        doc->editDict(whole ? doc->dictionaryOf(0) : std::get<standin::DictLink>(*record).id)->set(d.key, d.value);
        found = 9;
        ASSERT_EQ(GetDocumentIsoViewData(&view, &found), kNoErr);
        EXPECT_EQ(found, 0);
        EXPECT_EQ(view.b, kIsometricBelow.b);
        ShowNotesForUser();
        ASSERT_FALSE(session->dialogs().alerts().empty());
        EXPECT_NE(session->dialogs().alerts().back().text.find(std::string("axonometric view (") + d.key + ")"),
                  std::string::npos);
    }
}

TEST_F(AxoTest, WithoutADocumentTheViewIsNeitherReadNorWritten) {
    ASSERT_EQ(session->closeDocument(), kNoErr);
    iso_view view = View(1, 2, 3, 4, 5, 6);
    const iso_view before = view;
    int found = 9;
    EXPECT_EQ(GetDocumentIsoViewData(&view, &found), kNoErr);
    EXPECT_EQ(found, 0);
    EXPECT_EQ(view.a, before.a);
    EXPECT_EQ(view.t, before.t);
    EXPECT_EQ(SetDocumentIsoViewData(&view), kNoErr);
}

TEST_F(AxoTest, RecordsAndViewSurviveSaveAndReopenBitExact) {
    const standin::ObjId path = Rect(0, 0, 10, 10);
    const depth_object_data d = Sample();
    ASSERT_EQ(SetAxonometricData(Art(path), &d), kNoErr);
    // Locked, so that the update the reopened document's view starts leaves it as stored.
    ASSERT_EQ(doc->setUserAttr(path, kArtLocked, kArtLocked), kNoErr);
    const iso_view view = View(7.123456789, 138.6, 0.5, 0.94, 1.0 / 3, -20.000001);
    ASSERT_EQ(SetDocumentIsoViewData(&view), kNoErr);

    ScratchFolder scratch;
    const std::filesystem::path file = scratch.path("axonometric-records.json");
    std::string error;
    ASSERT_TRUE(standin::io::saveDocumentFile(*doc, file.string(), error)) << error;
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(session->openDocument([&] {
        return standin::io::openDocumentFile(host, file.string(), error) ? kNoErr : kDataFilterErr;
    }),
              kNoErr)
        << error;
    doc = host.frontDocument();
    ASSERT_NE(doc, nullptr);

    // The path is found again by its record.
    depth_object_data back;
    const auto withRecord = doc->matching([&](const standin::Art& a) { return Record(a.id) != nullptr; });
    ASSERT_EQ(withRecord.size(), 1u);
    ASSERT_EQ(GetAxonometricData(Art(withRecord[0]), &back), kNoErr);
    EXPECT_TRUE(SameBits(back, d));

    iso_view reread{};
    int found = 0;
    ASSERT_EQ(GetDocumentIsoViewData(&reread, &found), kNoErr);
    EXPECT_EQ(found, 1);
    EXPECT_EQ(std::memcmp(&reread, &view, sizeof view), 0);
}

}  // namespace
}  // namespace axotest
