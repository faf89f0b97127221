// The format-version check in a session of the started plug-in, as documents are opened:
// new and current documents, a newer format, the upgrades of formats 3 to 6 (scale ids, unit
// codes in styles and, once per user, in the preferences), an upgrade interrupted by a
// failing write and finished at the next opening, and the question put for format-2 data
// with its conversion, deletion and skipped tags. Converted drawings regenerate with the
// values they showed before.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "PluginSessionFixture.h"
#include "ScratchFolder.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseSubsystem.h"
#include "dimensions/DocumentFormatVersion.h"
#include "io/DocumentFile.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace {

const std::string kFixtures = (std::filesystem::path(__FILE__).parent_path() / "fixtures").string();

// The texts as the string lists hold them.
constexpr char kNewerFormat[] =
    "This document was made with a newer version of Plotwise, and some of its objects may not work with this "
    "one. Updates are available from Zelmark, Inc.";
constexpr char kConvertQuestion[] =
    "Plotwise can convert the scales and dimensions made with older versions so that they stay live. Updating "
    "the dimensions afterwards is recommended. Convert them now?";
constexpr char kSkippedTags[] =
    "Plotwise could not read these items made by an older version, and left them out of the conversion:";
// The host's refused dictionary write answers that memory ran out, and is told so.
constexpr char kRefused[] = "Not completed because there was not enough memory";
constexpr char kDefaulted[] = "These stored values could not be used as they were and were read as their defaults:";
constexpr char kCompleted[] = "These stored values were incomplete and were completed from what was left of them:";

using Names = std::vector<std::string>;

// What a regeneration resets: left as it is, no regeneration ran.
constexpr int32_t kNotRegenerated = -1;

// Loaded; each test starts the plug-in once it has filled the preference store.
struct FormatVersionTest : plugintest::PluginSessionTest {
    const ScratchFolder scratch;
    const std::string path = scratch.path("format-version.json");

    void SetUp() override { LoadPlugin(); }
    void Start() {
        StartPlugin();
        if (HasFatalFailure()) return;
        g->prefs.scaleStyle = kLayerBasedScaleStyle;  // documents open layer-based, as read at start-up
        NoteNewDrawingScaleStyle();
        g->dimensionsRedrawn = g->dimensionsKept = kNotRegenerated;
    }

    // Opens a document that `build` fills, as the host opens a file.
    AIErr Open(const std::function<void(standin::Document&)>& build) {
        return session->openDocument([&]() -> AIErr {
            build(host.newDocument());
            return kNoErr;
        });
    }
    AIErr OpenFile(const std::string& file) {
        std::string error;
        const AIErr err = session->openDocument([&]() -> AIErr {
            return standin::io::openDocumentFile(host, file, error) ? kNoErr : kDataFilterErr;
        });
        EXPECT_EQ(error, "");
        return err;
    }
    // Saves and closes the front document, then opens it again.
    AIErr Reopen() {
        std::string error;
        EXPECT_TRUE(standin::io::saveDocumentFile(Doc(), path, error)) << error;
        EXPECT_EQ(session->closeDocument(), kNoErr);
        return OpenFile(path);
    }

    const std::vector<standin::AlertRecord>& Alerts() { return host.dialogs().alerts(); }

    // Entries of the document dictionary and of art dictionaries, by path.
    const standin::DictValue* Entry(standin::ObjId art, const std::vector<std::string>& keys) {
        standin::Document& d = Doc();
        const standin::Dict* dict = d.dict(d.dictionaryOf(art));
        for (size_t i = 0; dict && i + 1 < keys.size(); ++i) {
            const standin::DictValue* v = dict->find(keys[i]);
            dict = v && std::holds_alternative<standin::DictLink>(*v) ? d.dict(std::get<standin::DictLink>(*v).id)
                                                                    : nullptr;
        }
        return dict ? dict->find(keys.back()) : nullptr;
    }
    std::optional<int32_t> Int(standin::ObjId art, const std::vector<std::string>& keys) {
        const standin::DictValue* v = Entry(art, keys);
        if (v && std::holds_alternative<int32_t>(*v)) return std::get<int32_t>(*v);
        return std::nullopt;
    }
    std::optional<int32_t> Version() { return Int(0, {"ZA3_Version"}); }
    std::optional<int32_t> Units(standin::ObjId group, const char* key) { return Int(group, {"ZA3_Dimension", key}); }
    int32_t ScaleID(const char* layer) { return Int(Doc().layerByTitle(layer), {"ZA3_ScaleID"}).value_or(-1); }
    // A layer's stored scale as "id scaler label" ("?" for an entry missing or of another type).
    std::string LayerScale(const char* layer) {
        const standin::ObjId l = Doc().layerByTitle(layer);
        const standin::DictValue* scaler = Entry(l, {"ZA3_Scaler"});
        const standin::DictValue* label = Entry(l, {"ZA3_ScaleStr"});
        char number[32] = "?";
        if (scaler && std::holds_alternative<AIReal>(*scaler))
            std::snprintf(number, sizeof number, "%g", double(std::get<AIReal>(*scaler)));
        return std::to_string(ScaleID(layer)) + " " + number + " " +
               (label && std::holds_alternative<standin::DictText>(*label) ? std::get<standin::DictText>(*label).str()
                                                                           : "?");
    }

    // The art carrying a tag of that name.
    standin::ObjId TaggedArt(const std::string& name) {
        standin::ObjId found = 0;
        Doc().walk([&](const standin::Art& a, int) {
            if (readback::Tagged(Doc(), a.id, name)) found = a.id;
        });
        return found;
    }
    // The art of a layer by its place, topmost first.
    standin::ObjId OnLayer(const char* layer, size_t index) { return Doc().children(Doc().layerByTitle(layer)).at(index); }

    // The texts on a layer, topmost first.
    Names Texts(const char* layer) {
        Names texts;
        Doc().walk(
            [&](const standin::Art& a, int) {
                if (a.type == kTextFrameArt) texts.push_back(readback::StoryText(a));
            },
            Doc().layerByTitle(layer));
        return texts;
    }

    Names Tags(standin::ObjId id) {
        Names names;
        for (const auto& t : Doc().art(id)->tags) names.push_back(t.name);
        return names;
    }
};

// --- building documents of older formats ---

void SetVersion(standin::Document& d, int32_t version) { d.editDict(d.dictionaryOf(0))->set("ZA3_Version", version); }

void SetLayerScale(standin::Document& d, standin::ObjId layer, int32_t id, AIReal scaler, const char* label) {
    standin::Dict* dict = d.editDict(d.dictionaryOf(layer));
    dict->set("ZA3_ScaleID", id);
    dict->set("ZA3_Scaler", scaler);
    dict->set("ZA3_ScaleStr", std::string(label));
}

// A dimension group whose style record holds only the given unit entries (the rest of the
// record does not take part in the upgrade).
standin::ObjId UnitGroup(standin::Document& d, const char* name,
                         const std::vector<std::pair<const char*, int32_t>>& entries) {
    standin::ObjId group = 0;
    EXPECT_EQ(d.newArt(kGroupArt, kPlaceAboveAll, 0, &group), kNoErr);
    d.editArt(group)->tags.push_back({name, "string", ""});
    const standin::ObjId record = d.newDict();
    for (const auto& [key, value] : entries) d.editDict(record)->set(key, value);
    d.editDict(d.dictionaryOf(group))->set("ZA3_Dimension", standin::DictLink{record});
    return group;
}

// A format-4 document: layer scales in the old ids, unit codes in the old numbering. Its
// groups are named by a tag, since a reopened document may number its art anew.
struct Format4Document {
    void operator()(standin::Document& d) {
        SetVersion(d, 400);
        d.addLayer("C");  // no scale of its own
        const standin::ObjId b = d.addLayer("B");
        SetLayerScale(d, b, 15, 16.0f, "3/4\" = 1'-0\"");
        const standin::ObjId b1 = d.insertLayer(b, kPlaceInsideOnTop, "B1");
        SetLayerScale(d, b1, 15, 16.0f, "3/4\" = 1'-0\"");
        const standin::ObjId a = d.addLayer("A");
        SetLayerScale(d, a, 3, 12.5f, "1\"=12.5\"");  // an old custom slot
        SetLayerScale(d, d.addLayer("D"), 5, 50.0f, "1:50");  // the first id that moves
        UnitGroup(d, "g1", {{"ZA3_Attr_upperUnits", 15}, {"ZA3_Attr_lowerUnits", 14}});
        UnitGroup(d, "g2", {{"ZA3_Attr_upperUnits", 0}, {"ZA3_Attr_lowerUnits", 6}});
        UnitGroup(d, "g3", {{"ZA3_Attr_upperUnits", -1}, {"ZA3_Attr_lowerUnits", 2}});
        // Drawn since the document was last upgraded: current keys only.
        UnitGroup(d, "g4", {{"PW7_Attr_upperUnits", 4}, {"PW7_Attr_lowerUnits", 4}});
        const standin::ObjId damaged = UnitGroup(d, "damaged", {});
        d.editDict(d.dictionaryOf(damaged))->set("ZA3_Dimension", int32_t(5));
    }
};

// --- versions ---

TEST_F(FormatVersionTest, ANewDocumentGetsTheVersionWithoutAQuestionAndIsRegenerated) {
    Start();
    ASSERT_EQ(Open([](standin::Document&) {}), kNoErr);
    EXPECT_EQ(Version(), 700);
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(g->dimensionsRedrawn, 0);  // regenerated, with nothing to redraw
    // A second opening finds a current document: nothing more happens.
    g->dimensionsRedrawn = kNotRegenerated;
    ASSERT_EQ(Reopen(), kNoErr);
    EXPECT_EQ(Version(), 700);
    EXPECT_EQ(g->dimensionsRedrawn, kNotRegenerated);
}

TEST_F(FormatVersionTest, ANewerFormatIsWarnedAboutAndKeepsItsVersion) {
    Start();
    ASSERT_EQ(Open([&](standin::Document& d) {
        Format4Document{}(d);
        SetVersion(d, 701);
    }), kNoErr);
    ASSERT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(Alerts()[0].kind, standin::AlertRecord::Kind::Message);
    EXPECT_EQ(Alerts()[0].text, kNewerFormat);
    EXPECT_EQ(Version(), 701);
    EXPECT_EQ(Units(TaggedArt("g1"), "ZA3_Attr_upperUnits"), 15);  // nothing upgraded
    EXPECT_EQ(ScaleID("B"), 15);
    EXPECT_EQ(g->dimensionsRedrawn, kNotRegenerated);
}

TEST_F(FormatVersionTest, AVersionNoFormatWroteIsRefusedAndTheDocumentLeftAsItIs) {
    Start();
    for (int32_t version : {299, 0, -1, INT32_MIN}) {
        SCOPED_TRACE(version);
        const size_t alerts = Alerts().size();
        ASSERT_EQ(Open([&](standin::Document& d) {
            Format4Document{}(d);
            SetVersion(d, version);
        }), kNoErr);
        EXPECT_EQ(Version(), version);
        EXPECT_EQ(Units(TaggedArt("g1"), "ZA3_Attr_upperUnits"), 15);  // nothing upgraded
        EXPECT_EQ(ScaleID("B"), 15);
        ASSERT_EQ(Alerts().size(), alerts + 1);
        EXPECT_EQ(Alerts().back().text,
                  "This document's Plotwise data is marked with a version no Plotwise ever wrote, so it was left as "
                  "it is: " + std::to_string(version));
        ASSERT_EQ(session->closeDocument(), kNoErr);
    }
}

// --- formats 3 to 6 ---

TEST_F(FormatVersionTest, AFormat4DocumentHasItsScaleIdsShiftedAndItsUnitCodesRemapped) {
    Start();
    ASSERT_EQ(Open(Format4Document{}), kNoErr);
    EXPECT_EQ(Version(), 700);
    EXPECT_TRUE(Alerts().empty());
    EXPECT_EQ(g->dimensionsRedrawn, kNotRegenerated);  // no regeneration in this branch

    // Scale ids of 5 and above move up by 5 and take the table's scaler and label.
    EXPECT_EQ(ScaleID("A"), 3);
    EXPECT_EQ(ScaleID("B"), 20);
    EXPECT_EQ(ScaleID("B1"), 20);
    // 5 moves too; today's table has no scale at 10, so the layer keeps its scaler and label.
    EXPECT_EQ(ScaleID("D"), 10);
    EXPECT_EQ(std::get<AIReal>(*Entry(Doc().layerByTitle("D"), {"ZA3_Scaler"})), 50.0f);
    const standin::ObjId b = Doc().layerByTitle("B");
    EXPECT_EQ(std::get<AIReal>(*Entry(b, {"ZA3_Scaler"})), 8.0f);
    EXPECT_EQ(std::get<standin::DictText>(*Entry(b, {"ZA3_ScaleStr"})).str(), "1 1/2\" = 1'-0\"");
    // A layer without a scale gets today's default, which is not shifted again.
    EXPECT_EQ(ScaleID("C"), 33);

    // 15 → 1, 14 → 18, 0 stays, 6 → 8, 2 → 3; a negative code stays under its old key.
    EXPECT_EQ(Units(TaggedArt("g1"), "PW7_Attr_upperUnits"), 1);
    EXPECT_EQ(Units(TaggedArt("g1"), "PW7_Attr_lowerUnits"), 18);
    EXPECT_EQ(Units(TaggedArt("g1"), "ZA3_Attr_upperUnits"), std::nullopt);
    EXPECT_EQ(Units(TaggedArt("g1"), "ZA3_Attr_lowerUnits"), std::nullopt);
    EXPECT_EQ(Units(TaggedArt("g2"), "PW7_Attr_upperUnits"), 0);
    EXPECT_EQ(Units(TaggedArt("g2"), "PW7_Attr_lowerUnits"), 8);
    EXPECT_EQ(Units(TaggedArt("g3"), "ZA3_Attr_upperUnits"), -1);
    EXPECT_EQ(Units(TaggedArt("g3"), "PW7_Attr_upperUnits"), std::nullopt);
    EXPECT_EQ(Units(TaggedArt("g3"), "PW7_Attr_lowerUnits"), 3);
    EXPECT_EQ(Units(TaggedArt("g4"), "PW7_Attr_upperUnits"), 4);  // already current: left alone
    EXPECT_EQ(Int(TaggedArt("damaged"), {"ZA3_Dimension"}), 5);
}

TEST_F(FormatVersionTest, EveryUnitCodeIsRemappedAsTheTableSays) {
    const int32_t kNew[] = {0, 2, 3, 4, 5, 6, 8, 9, 10, 11, 12, 13, 14, 15, 18, 1};
    for (int32_t old = -2; old <= 17; ++old) {
        int32_t code = 99;
        EXPECT_EQ(ConvertZA3_4_5_6UnitsToPW7(old, &code), kNoErr);
        EXPECT_EQ(code, old >= 0 && old <= 15 ? kNew[old] : old) << old;
    }
}

TEST_F(FormatVersionTest, AnInterruptedUpgradeFinishesAtTheNextOpeningWithNoUnitCodeLost) {
    Start();
    // The codes each group must end with.
    const std::vector<std::pair<const char*, int32_t>> kFinal = {
        {"upperUnits", 1}, {"lowerUnits", 18}, {"upperUnits", 0}, {"lowerUnits", 8}, {"lowerUnits", 3}};
    // The layers' scales once shifted (written by hand from the scale table).
    const std::vector<std::pair<const char*, std::string>> kShifted = {
        {"A", "3 12.5 1\"=12.5\""}, {"B", "20 8 1 1/2\" = 1'-0\""}, {"B1", "20 8 1 1/2\" = 1'-0\""}, {"D", "10 50 1:50"}};
    for (int failing = 1; failing <= 30; ++failing) {
        SCOPED_TRACE(failing);
        const size_t shown = Alerts().size();
        host.failDictionaryWrite(failing);
        Open(Format4Document{});
        host.failDictionaryWrite(0);
        // A failed write is told at once or lost nothing: an opening that shows nothing has
        // finished the upgrade, every scale shifted whole.
        if (Alerts().size() == shown) {
            EXPECT_EQ(Version(), 700);
            for (const auto& [layer, scale] : kShifted) EXPECT_EQ(LayerScale(layer), scale) << layer;
        }
        const Names groups = {"g1", "g1", "g2", "g2", "g3"};
        // Each code is under its old key still, or under its new key already remapped.
        for (size_t i = 0; i < groups.size(); ++i) {
            const std::string field = kFinal[i].first;
            const auto before = Units(TaggedArt(groups[i]), ("ZA3_Attr_" + field).c_str());
            const auto after = Units(TaggedArt(groups[i]), ("PW7_Attr_" + field).c_str());
            EXPECT_TRUE(before.has_value() || after == kFinal[i].second) << field;
            if (before && after) {
                EXPECT_EQ(*after, kFinal[i].second) << field;
            }
        }
        EXPECT_NE(ScaleID("B"), 25);

        ASSERT_EQ(Reopen(), kNoErr);
        EXPECT_EQ(Version(), 700);
        for (size_t i = 0; i < groups.size(); ++i) {
            const std::string field = kFinal[i].first;
            EXPECT_EQ(Units(TaggedArt(groups[i]), ("ZA3_Attr_" + field).c_str()), std::nullopt) << field;
            EXPECT_EQ(Units(TaggedArt(groups[i]), ("PW7_Attr_" + field).c_str()), kFinal[i].second) << field;
        }
        EXPECT_EQ(Units(TaggedArt("g3"), "ZA3_Attr_upperUnits"), -1);
        // Shifted at most once.
        EXPECT_TRUE(ScaleID("B") == 15 || ScaleID("B") == 20) << ScaleID("B");
        EXPECT_EQ(ScaleID("A"), 3);
        ASSERT_EQ(session->closeDocument(), kNoErr);
    }
    // What was told: a refused write, or a scale it left half written named when read again.
    ASSERT_FALSE(Alerts().empty());
    for (const auto& alert : Alerts())
        EXPECT_TRUE(alert.text.rfind(kRefused, 0) == 0 || alert.text.rfind(kDefaulted, 0) == 0 ||
                    alert.text.rfind(kCompleted, 0) == 0)
            << alert.text;
}

TEST_F(FormatVersionTest, UnitPreferencesAreRemappedOncePerUser) {
    // A store written by an older version: its unit codes are in the old numbering.
    host.preferences().putInteger("ZelmarkPlotwise7", "NumericInputUnits", 2);
    host.preferences().putInteger("ZelmarkPlotwise7", "rulerUnits", 3);
    host.preferences().putInteger("ZelmarkPlotwise7", "CADtrackerUnits", 6);
    host.preferences().putInteger("ZelmarkPlotwise7", "MasterUnits", 15);
    Start();
    EXPECT_EQ(g->prefs.unitsUpdatedForPW7, 0);
    ASSERT_EQ(Open([](standin::Document& d) { SetVersion(d, 600); }), kNoErr);
    EXPECT_EQ(g->prefs.NumericInputUnits, 3);
    EXPECT_EQ(g->prefs.rulerUnits, 4);
    EXPECT_EQ(g->prefs.CADtrackerUnits, 8);
    EXPECT_EQ(g->prefs.MasterUnits, 1);
    EXPECT_EQ(g->prefs.unitsUpdatedForPW7, 1);
    // A second old document leaves them alone.
    ASSERT_EQ(Open([](standin::Document& d) { SetVersion(d, 500); }), kNoErr);
    EXPECT_EQ(g->prefs.NumericInputUnits, 3);
    EXPECT_EQ(g->prefs.MasterUnits, 1);
    // And so does the next session: the flag is kept.
    session->shutdown();
    AIBoolean updated = false;
    ASSERT_EQ(host.preferences().getBoolean("ZelmarkPlotwise7", "unitsUpdatedForPW7", &updated), kNoErr);
    EXPECT_TRUE(updated);
}

TEST_F(FormatVersionTest, AFreshPreferenceStoreIsNotRemapped) {
    Start();
    const preferences before = g->prefs;
    ASSERT_EQ(Open([](standin::Document& d) { SetVersion(d, 600); }), kNoErr);
    EXPECT_EQ(Version(), 700);
    EXPECT_EQ(g->prefs.NumericInputUnits, before.NumericInputUnits);
    EXPECT_EQ(g->prefs.rulerUnits, before.rulerUnits);
    EXPECT_EQ(g->prefs.CADtrackerUnits, before.CADtrackerUnits);
    EXPECT_EQ(g->prefs.MasterUnits, before.MasterUnits);
}

// --- format 2 ---

TEST_F(FormatVersionTest, Format2DataIsConvertedWhenTheUserSaysConvertAndRegenerated) {
    Start();
    ASSERT_EQ(OpenFile(kFixtures + "/format2-drawing.json"), kNoErr);
    ASSERT_EQ(Alerts().size(), 1u);
    const standin::AlertRecord& question = Alerts()[0];
    EXPECT_EQ(question.kind, standin::AlertRecord::Kind::YesNo);
    EXPECT_EQ(question.text, kConvertQuestion);
    EXPECT_EQ(question.buttons, (std::array<std::string, 3>{"Don't Convert", "", "Convert"}));
    EXPECT_EQ(Version(), 700);
    EXPECT_EQ(ScaleID("Plan"), 15);
    EXPECT_EQ(ScaleID("Site"), 25);
    // Every dimension was drawn again, in its old group's place, and shows what it showed
    // before: 144 and 72 points at 1/4" = 1'-0" in feet and inches, 50 points at 1:50 in mm.
    EXPECT_EQ(g->dimensionsRedrawn, 3);
    EXPECT_EQ(g->dimensionsKept, 0);
    EXPECT_EQ(Texts("Plan"), (Names{"8'-0.00\"", "4'-0.00\""}));
    EXPECT_EQ(Texts("Site"), Names{"881.9 mm"});
    EXPECT_EQ(Doc().art(1120), nullptr);
    EXPECT_EQ(Int(OnLayer("Plan", 0), {"ZA3_Dimension", "ZA3_Attr_id"}), 1);
    EXPECT_EQ(Int(OnLayer("Plan", 1), {"ZA3_Dimension", "PW7_Attr_upperUnits"}), 12);
    EXPECT_EQ(Int(1110, {"ZA3_Object", "ZA3_Obj_data_2", "ZA3_Obj_id"}), 2);
    EXPECT_EQ(Tags(1110), Names{});
    // Opened again, the document is current: no question, no regeneration.
    g->dimensionsRedrawn = kNotRegenerated;
    ASSERT_EQ(Reopen(), kNoErr);
    EXPECT_EQ(Alerts().size(), 1u);
    EXPECT_EQ(g->dimensionsRedrawn, kNotRegenerated);
    EXPECT_EQ(Texts("Plan"), (Names{"8'-0.00\"", "4'-0.00\""}));
}

TEST_F(FormatVersionTest, ConvertedDimensionsFollowTheirArtAgain) {
    Start();
    ASSERT_EQ(OpenFile(kFixtures + "/format2-drawing.json"), kNoErr);
    // The rectangle grows 72 points to the right: its bottom edge measures 216 points, 12 feet
    // at 1/4" = 1'-0".
    ASSERT_EQ(session->hostEvent([&]() -> AIErr {
        standin::Art* rect = Doc().editArt(1110);
        rect->segments[1].p.h = rect->segments[1].in.h = rect->segments[1].out.h = 288;
        rect->segments[2].p.h = rect->segments[2].in.h = rect->segments[2].out.h = 288;
        return kNoErr;
    }), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
    EXPECT_EQ(g->dimensionsRedrawn, 3);
    EXPECT_EQ(Texts("Plan"), (Names{"12'-0.00\"", "4'-0.00\""}));
}

TEST_F(FormatVersionTest, Format2DataIsDeletedWhenTheUserDeclines) {
    Start();
    host.dialogs().queueAlertAnswer(kADMNoAnswer);
    ASSERT_EQ(OpenFile(kFixtures + "/format2-drawing.json"), kNoErr);
    EXPECT_EQ(Version(), 700);
    for (standin::ObjId id : {1100, 1110, 1120, 1130, 1210}) EXPECT_EQ(Tags(id), Names{}) << id;
    EXPECT_EQ(Entry(1120, {"ZA3_Dimension"}), nullptr);
    EXPECT_EQ(Entry(1110, {"ZA3_Object"}), nullptr);
    // Regenerated all the same: nothing is live, so the old art stays as it was.
    EXPECT_EQ(g->dimensionsRedrawn, 0);
    EXPECT_EQ(g->dimensionsKept, 0);
    EXPECT_EQ(Texts("Plan"), (Names{"8'-0.00\"", "4'-0.00\""}));
}

TEST_F(FormatVersionTest, AnUnreadableTagIsNamedAndEverythingElseConverts) {
    Start();
    ASSERT_EQ(OpenFile(kFixtures + "/format2-malformed.json"), kNoErr);
    ASSERT_EQ(Alerts().size(), 2u);
    EXPECT_EQ(Alerts()[0].text, kConvertQuestion);
    EXPECT_EQ(Alerts()[1].kind, standin::AlertRecord::Kind::Message);
    EXPECT_EQ(Alerts()[1].text, std::string(kSkippedTags) + "\nZMK_Live_Dim_3");
    EXPECT_EQ(Version(), 700);
    // Dimensions 1 and 2 converted and regenerated with their values.
    EXPECT_EQ(g->dimensionsRedrawn, 2);
    EXPECT_EQ(Texts("Plan"), (Names{"8'-0.00\"", "4'-0.00\""}));
    EXPECT_EQ(Int(OnLayer("Plan", 0), {"ZA3_Dimension", "ZA3_Attr_id"}), 1);
    EXPECT_EQ(Int(OnLayer("Plan", 1), {"ZA3_Dimension", "ZA3_Attr_id"}), 2);
    // Dimension 3's clicks converted; its style could not be read, so its group keeps the
    // tag and stays the art it was.
    EXPECT_EQ(Int(1210, {"ZA3_Object", "ZA3_Obj_data_3", "ZA3_Obj_id"}), 3);
    EXPECT_EQ(Entry(1220, {"ZA3_Dimension"}), nullptr);
    EXPECT_EQ(Tags(1220), (Names{"Zelmark_Dimension_Group", "ZMK_Object_Scale", "ZMK_Live_Dim_3"}));
    EXPECT_EQ(Texts("Site"), Names{"881.9 mm"});
}

TEST_F(FormatVersionTest, AnUnreadableObjectScaleStaysWithItsRedrawnDimensionAndIsNamed) {
    // The "Site" dimension's group carries an object scale with its label missing.
    Start();
    std::string error;
    ASSERT_EQ(session->openDocument([&]() -> AIErr {
        standin::Document* d = standin::io::openDocumentFile(host, kFixtures + "/format2-drawing.json", error);
        if (!d) return kDataFilterErr;
        for (auto& t : d->editArt(1220)->tags)
            if (t.name == "ZMK_Object_Scale") t.value = "25^50";
        return kNoErr;
    }), kNoErr);
    ASSERT_EQ(Alerts().size(), 2u);
    // The message says the scale the layer took instead: that of its first dimension.
    EXPECT_EQ(Alerts()[1].text,
              std::string(kSkippedTags) + "\nZMK_Object_Scale (layer \"Site\", given the scale 1/4\" = 1'-0\")");
    EXPECT_EQ(g->dimensionsRedrawn, 3);
    // Its group was drawn anew, and the new one carries the tag as it was.
    EXPECT_EQ(Doc().art(1220), nullptr);
    const standin::ObjId tagged = TaggedArt("ZMK_Object_Scale");
    ASSERT_NE(tagged, 0u);
    EXPECT_NE(Entry(tagged, {"ZA3_Dimension"}), nullptr);
    const auto& tags = Doc().art(tagged)->tags;
    const auto tag = std::find_if(tags.begin(), tags.end(), [](const auto& t) { return t.name == "ZMK_Object_Scale"; });
    ASSERT_NE(tag, tags.end());
    EXPECT_EQ(tag->value, "25^50");
}

// A click tag holding another click than its name says (a drag numbered as a click would add a
// place measured, another dimension's or number would move a click between dimensions): it
// stays, named, and the dimension its name says is kept as it was drawn and named; the drag
// numbered as the drag converts.
TEST_F(FormatVersionTest, AClickTagHoldingAnotherClickThanItsNameSaysStaysAndItsDimensionIsKept) {
    Start();
    const auto drag = [](const char* number) { return "1^0^2^" + std::string(number) + "^0^0^0^72^36^36^-1.5707964"; };
    const struct Row {
        std::string tag, renamed, value;  // the tag of the fixture, named and holding these
    } rows[] = {
        {"ZMK_Live_Obj_1_drag", "ZMK_Live_Obj_1_drag", drag("3")},
        {"ZMK_Live_Obj_1_drag", "ZMK_Live_Obj_1_drag", drag("7")},
        {"ZMK_Live_Obj_1_drag", "ZMK_Live_Obj_1_drag", drag("99999")},
        {"ZMK_Live_Obj_1_drag", "ZMK_Live_Obj_1_drag", drag("-1")},
        {"ZMK_Live_Obj_1_2", "ZMK_Live_Obj_1_2", "99999^0^0^7^1^1^0^216^72^0^0"},
        {"ZMK_Live_Obj_1_2", "ZMK_Live_Obj_1_2", "3^0^0^2^1^1^0^216^72^0^0"},
        {"ZMK_Live_Obj_1_2", "ZMK_Live_Obj_99999_7", "1^0^0^2^1^1^0^216^72^0^0"},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.renamed + " " + r.value);
        const bool converts = r.value == drag("-1");
        const size_t before = Alerts().size();
        std::string error;
        ASSERT_EQ(session->openDocument([&]() -> AIErr {
            standin::Document* d = standin::io::openDocumentFile(host, kFixtures + "/format2-drawing.json", error);
            d->walk([&](const standin::Art& a, int) {
                for (auto& t : d->editArt(a.id)->tags)
                    if (t.name == r.tag) t = {r.renamed, "string", r.value};
            });
            return kNoErr;
        }), kNoErr);
        EXPECT_EQ(Texts("Plan"), (Names{"8'-0.00\"", "4'-0.00\""}));
        EXPECT_EQ(g->dimensionsRedrawn, converts ? 3 : 2);
        const std::vector<standin::AlertRecord> told(Alerts().begin() + static_cast<long>(before), Alerts().end());
        ASSERT_EQ(session->closeDocument(), kNoErr);
        ASSERT_EQ(told.size(), converts ? 1u : 3u);
        if (converts) continue;
        EXPECT_EQ(told[1].text, std::string(kSkippedTags) + "\n" + r.renamed);
        EXPECT_NE(told[2].text.find("kept as they were: \"8'-0.00\"\""), std::string::npos) << told[2].text;
    }
}

// A format-2 scale in a custom slot is the drawing's own: the layer takes the tag's scaler and
// label, and the dimensions read at it as soon as the drawing opens, whatever the user's slot
// of that id holds.
TEST_F(FormatVersionTest, AConvertedCustomScaleIsTheDrawingsWhateverTheUsersSlotHolds) {
    Start();
    for (const char* slotLabel : {"", "1:3"}) {
        SCOPED_TRACE(slotLabel);
        const CustomScaleSlot slot = customSlot(g->prefs, 1);
        *slot.scaler = slotLabel[0] ? 3.0f : 0.0f;
        std::snprintf(slot.label, kScaleLabelSize, "%s", slotLabel);
        std::string error;
        ASSERT_EQ(session->openDocument([&]() -> AIErr {
            standin::Document* d = standin::io::openDocumentFile(host, kFixtures + "/format2-drawing.json", error);
            if (!d) return kDataFilterErr;
            std::vector<standin::ObjId> tagged;
            d->walk([&](const standin::Art& a, int) {
                if (readback::Tagged(*d, a.id, "ZMK_Object_Scale")) tagged.push_back(a.id);
            });
            for (standin::ObjId id : tagged)
                for (auto& t : d->editArt(id)->tags)
                    if (t.name == "ZMK_Object_Scale") t.value = "0^50^1:50";
            return tagged.size() == 1 ? kNoErr : kCADErr;
        }), kNoErr) << error;
        EXPECT_EQ(LayerScale("Site"), "0 50 1:50");
        EXPECT_EQ(Texts("Site"), Names{"881.9 mm"});
        ASSERT_EQ(session->closeDocument(), kNoErr);
    }
}

TEST_F(FormatVersionTest, AConversionStoppedByAHostErrorIsOfferedAgain) {
    Start();
    host.failDictionaryWrite(3);
    ASSERT_EQ(OpenFile(kFixtures + "/format2-drawing.json"), kNoErr);
    host.failDictionaryWrite(0);
    EXPECT_EQ(Version(), std::nullopt);
    EXPECT_EQ(g->dimensionsRedrawn, kNotRegenerated);
    ASSERT_EQ(Reopen(), kNoErr);
    // Asked again; the failed write was told in between.
    ASSERT_GE(Alerts().size(), 3u);
    EXPECT_EQ(Alerts()[1].text.rfind(kRefused, 0), 0u) << Alerts()[1].text;
    EXPECT_EQ(Alerts().back().text, kConvertQuestion);
    EXPECT_EQ(Version(), 700);
    EXPECT_EQ(g->dimensionsRedrawn, 3);
    EXPECT_EQ(Texts("Plan"), (Names{"8'-0.00\"", "4'-0.00\""}));
    EXPECT_EQ(Texts("Site"), Names{"881.9 mm"});
    // The plan's art, topmost first: dimensions 1 and 2, then the rectangle they measure.
    EXPECT_EQ(Int(OnLayer("Plan", 2), {"ZA3_Object", "ZA3_Obj_data_1", "ZA3_Click_data_drag", "ZA3_Obj_clicknum"}), -1);
    EXPECT_EQ(Tags(OnLayer("Plan", 2)), Names{});
}

// --- format 5 ---

TEST_F(FormatVersionTest, AFormat5DrawingHasItsStyleUnitsRemapped) {
    Start();
    ASSERT_EQ(OpenFile(kFixtures + "/format5-drawing.json"), kNoErr);
    EXPECT_EQ(Version(), 700);
    EXPECT_TRUE(Alerts().empty());
    // Old 2 (millimetres) is 3 now, old 6 (decimal inches with marks) 8.
    EXPECT_EQ(Int(1120, {"ZA3_Dimension", "PW7_Attr_upperUnits"}), 3);
    EXPECT_EQ(Int(1120, {"ZA3_Dimension", "PW7_Attr_lowerUnits"}), 3);
    EXPECT_EQ(Int(1130, {"ZA3_Dimension", "PW7_Attr_upperUnits"}), 8);
    EXPECT_EQ(Int(1130, {"ZA3_Dimension", "ZA3_Attr_upperUnits"}), std::nullopt);
    EXPECT_EQ(ScaleID("Plan"), 33);  // formats 5 and 6 have today's scale ids
    EXPECT_EQ(g->dimensionsRedrawn, kNotRegenerated);
    // Updated, the dimensions show what they showed before, in millimetres and in inches.
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
    EXPECT_EQ(g->dimensionsRedrawn, 2);
    EXPECT_EQ(Texts("Plan"), (Names{"50.80 mm", "1.000\""}));
}

}  // namespace
