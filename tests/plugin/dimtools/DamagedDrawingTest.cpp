// "Update Dimensions" on drawings damaged or arranged as no tool leaves them: a rectangle with
// its width dimensioned (100, then stretched to 120 before the update) and a circle with its
// diameter (72), one thing spoiled per case. What is redrawn follows its art, what cannot be
// read is kept as it was and named, and nothing the user drew or measured is lost.
#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "DrawingDifferences.h"
#include "RadialAngleFixture.h"
#include "core/PlotwiseAlerts.h"

namespace dimtest {
namespace {

constexpr char kDiameter[] = "\xD8 72.00";

struct DamagedDrawingTest : RadialAngleTest {
    ObjId rect = 0, circle = 0, width = 0, diameter = 0;

    void SetUp() override {
        RadialAngleTest::SetUp();
        rect = Rect(100, 100, 100, 50);
        circle = Ellipse(300, 100, 72, 72);
        ASSERT_EQ(Dimension("Horizontal Dimension", {{100, 150}, {200, 150}}, {150, 180}), kNoErr);
        ASSERT_EQ(PressAndDrag("Diameter Dimension", {372, 136}, {430, 200}), kNoErr);
        ASSERT_EQ(Dimensions().size(), 2u);
        width = Dimensions()[0];
        diameter = Dimensions()[1];
        ASSERT_EQ(Text(width), "100.00");
        ASSERT_EQ(Text(diameter), kDiameter);
    }

    standin::Dict& DictOf(ObjId art, const char* sub = nullptr) {
        standin::ObjId dict = doc->dictionaryOf(art);
        if (sub) dict = std::get<standin::DictLink>(*doc->dict(dict)->find(sub)).id;
        return *doc->editDict(dict);
    }
    // The dictionary of the art's (the rectangle's) link of that key.
    standin::Dict& RectLink(const char* key, ObjId art = 0) {
        return *doc->editDict(std::get<standin::DictLink>(*DictOf(art ? art : rect, "ZA3_Object").find(key)).id);
    }
    standin::Dict& RectClick(const char* key) {
        return *doc->editDict(std::get<standin::DictLink>(*RectLink("ZA3_Obj_data_1").find(key)).id);
    }
    // The width's first click turned into a click in space at (h, 150).
    void ClickInSpace(AIReal h) {
        RectClick("ZA3_Click_data_1").set("ZA3_Obj_clicktype", int32_t{kLiveDimClickedSpace});
        RectClick("ZA3_Click_data_1").set("ZA3_Obj_x", h);
    }
    // The width's click as if it lay on the circle, whose links are then of another type.
    void LostWithTheCircle(const char* click) {
        RectLink("ZA3_Obj_data_1").erase(click);
        DictOf(circle).set("ZA3_Object", int32_t{7});
    }
    void RectOnFace(const AIRealMatrix& matrix) {
        depth_object_data face{};
        face.face = kAxoLeftFace;
        face.matrix = matrix;
        EXPECT_EQ(SetAxonometricData(Art(rect), &face), kNoErr);
    }
    // The layer stores custom scale 1 (its user's slot free) with this scaler.
    void CustomLayerScale(AIReal scaler) {
        standin::Dict& layer = DictOf(doc->layerByTitle("Layer 1"));
        layer.set("ZA3_ScaleID", int32_t{0});
        layer.set("ZA3_Scaler", scaler);
        layer.set("ZA3_ScaleStr", std::string("huge"));
    }
    // A square right of the circle, and a chain from the rectangle's top corners to the
    // square's top left corner, dragged above them.
    ObjId square = 0;
    void Chain() {
        square = Rect(400, 100, 50, 50);
        ASSERT_EQ(Dimension("Horizontal Dimension", {{100, 150}, {200, 150}, {400, 150}}, {300, 220}), kNoErr);
    }
    void CentreMark() { ASSERT_EQ(PressAndDrag("Center Mark", {372, 136}, {420, 190}), kNoErr); }
    // A numbered balloon pointing at the rectangle's left edge, and its text.
    ObjId balloon = 0;
    void Balloon() {
        g->prefs.incrementalLabelNumber = 1;
        ASSERT_EQ(PressAndDrag("Pointer Label", {100, 125}, {60, 60}), kNoErr);
        balloon = FirstText(Dimensions().back())->id;
    }
    standin::Dict& FirstLink(ObjId art) {
        return *doc->editDict(std::get<standin::DictLink>(DictOf(art, "ZA3_Object").entries.front().second).id);
    }
    // Every click of the art's first link storing that id.
    void ClicksNamed(ObjId art, int32_t id) {
        for (const auto& [key, value] : FirstLink(art).entries)
            if (const auto* click = std::get_if<standin::DictLink>(&value)) doc->editDict(click->id)->set("ZA3_Obj_id", id);
    }
    // The rectangle's right edge 20 further right.
    void Stretch() {
        standin::Art& r = *doc->editArt(rect);
        for (int i : {1, 2}) {
            r.segments[i].p.h += 20;
            r.segments[i].in.h += 20;
            r.segments[i].out.h += 20;
        }
    }
    // The text of each dimension's own (not of one nested in it).
    std::vector<std::string> AllTexts() {
        std::vector<std::string> texts;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type != kTextFrameArt) return;
            ObjId owner = a.parent;
            while (owner && !IsDimension(Art(owner))) owner = doc->art(owner)->parent;
            if (owner) texts.push_back(a.story.runs.front().text);
        });
        std::sort(texts.begin(), texts.end());
        return texts;
    }
    size_t NestedDimensions() {
        size_t n = 0;
        for (ObjId d : Dimensions()) n += IsDimension(Art(doc->art(d)->parent)) ? 1 : 0;
        return n;
    }
};

struct Damage {
    const char* what;
    std::function<void(DamagedDrawingTest&)> spoil;
    std::vector<std::string> texts;  // of every dimension after the update, sorted
    const char* told;                // a part of the one alert, or "" for none
    std::function<void(DamagedDrawingTest&)> draw = nullptr;  // more drawn before the damage
    std::function<void(DamagedDrawingTest&)> edit = nullptr;  // a tool's edit after it
};

TEST_F(DamagedDrawingTest, UpdateKeepsWhatItCannotReadAndLosesNothing) {
    const Damage kCases[] = {
        {"nothing", [](auto&) {}, {"120.00", kDiameter}, ""},
        {"the measured art inside its dimension's group",
         [](auto& t) { t.doc->reorderArt(t.rect, kPlaceInsideOnTop, t.width); }, {"120.00", kDiameter}, ""},
        {"a dimension inside another's group",
         [](auto& t) { t.doc->reorderArt(t.diameter, kPlaceInsideOnTop, t.width); }, {"120.00", kDiameter}, ""},
        {"a text record entry of another type",
         [](auto& t) { t.DictOf(t.doc->children(t.width).back(), "PW4_DimText").set("PW4_Attr_variableDimStrID",
                                                                                     std::string("x")); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"an id stored as a real",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_id", AIReal{1}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a style record that is no dictionary",
         [](auto& t) { t.DictOf(t.width).set("ZA3_Dimension", int32_t{7}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a format no routine knows",
         [](auto& t) { t.DictOf(t.diameter, "ZA3_Dimension").set("PW4_Attr_dimensionFormat", int32_t{7}); },
         {"120.00", kDiameter}, "read as their defaults: dimension 2: dimensionFormat 7"},
        {"a colour component the host refuses",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_dimensionColorComponent1", int32_t{1000000}); },
         {"120.00", kDiameter}, "dimension 1: dimensionColorComponent1 1000000"},
        {"a negative weight",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_witnessWeight", AIReal{-1}); },
         {"120.00", kDiameter}, "dimension 1: witnessWeight -1"},
        {"a negative witness gap",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_witnessGap", AIReal{-30}); },
         {"120.00", kDiameter}, "dimension 1: witnessGap -30"},
        {"a unit code outside the table",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("PW7_Attr_upperUnits", int32_t{40}); },
         {"120.00", kDiameter}, "dimension 1: upperUnits 40"},
        {"a layer scaler stored as text",
         [](auto& t) {
             standin::Dict& layer = t.DictOf(t.doc->layerByTitle("Layer 1"));
             layer.set("ZA3_ScaleID", int32_t{33});
             layer.set("ZA3_Scaler", std::string("1"));
             layer.set("ZA3_ScaleStr", std::string("1:1"));
         },
         {"120.00", kDiameter}, "the scale of layer \"Layer 1\""},
        {"two dimensions of one id",
         [](auto& t) { t.doc->duplicateArt(t.width, kPlaceAbove, t.width, nullptr); },
         {"100.00", "120.00", kDiameter}, "given new ids (old id, new id): 1 3"},
        {"two dimensions of one id, each linked to its own art",
         [](auto& t) {
             EXPECT_EQ(SetDimensionID(t.Art(t.diameter), 1), kNoErr);
             EXPECT_EQ(RenumberDimensionLink(t.Art(t.circle), 2, 1), kNoErr);
         },
         {"120.00", kDiameter}, "given new ids (old id, new id): 1 2"},
        {"two dimensions of the last id, no id above it left",
         [](auto& t) {
             EXPECT_EQ(SetDimensionID(t.Art(t.width), 2147483647), kNoErr);
             EXPECT_EQ(RenumberDimensionLink(t.Art(t.rect), 1, 2147483647), kNoErr);
             t.doc->duplicateArt(t.width, kPlaceAbove, t.width, nullptr);
         },
         {"100.00", "120.00", kDiameter}, "given new ids (old id, new id): 2147483647 1"},
        {"a link storing another dimension's id",
         [](auto& t) { t.RectLink("ZA3_Obj_data_1").set("ZA3_Obj_id", int32_t{7}); },
         {"120.00", kDiameter}, "kept as they were: ZA3_Obj_data_1 holding 7 and 1 (layer \"Layer 1\")"},
        {"a link whose clicks store another dimension's id",
         [](auto& t) {
             EXPECT_EQ(RenumberDimensionLink(t.Art(t.rect), 1, 9), kNoErr);
             for (const auto& [key, value] : t.RectLink("ZA3_Obj_data_9").entries)
                 if (const auto* click = std::get_if<standin::DictLink>(&value))
                     t.doc->editDict(click->id)->set("ZA3_Obj_id", int32_t{1});
         },
         {"120.00", kDiameter}, "kept as they were: ZA3_Obj_data_9 holding 9 and 1 (layer \"Layer 1\")"},
        {"a click's mark of another type",
         [](auto& t) { t.RectClick("ZA3_Click_data_1").set("ZA3_Obj_noface", int32_t{1}); },
         {"120.00", kDiameter}, "read as their defaults: dimension 1: ZA3_Obj_noface"},
        {"a click's used mark stored as text",
         [](auto& t) { t.RectClick("ZA3_Click_data_2").set("ZA3_Obj_used", std::string("yes")); },
         {"120.00", kDiameter}, "read as their defaults: dimension 1: ZA3_Obj_used"},
        {"a click's point stored as text",
         [](auto& t) { t.RectClick("ZA3_Click_data_drag").set("ZA3_Obj_x", std::string("x")); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a link of another type beside the width's",
         [](auto& t) { t.DictOf(t.rect, "ZA3_Object").set("ZA3_Obj_data_2", int32_t{7}); },
         {"120.00", kDiameter}, "kept as they were: \"\xD8 72.00\""},
        {"the circle's links of another type",
         [](auto& t) { t.DictOf(t.circle).set("ZA3_Object", int32_t{7}); },
         {"120.00", kDiameter}, "kept as they were: \"\xD8 72.00\""},
        {"the circle's links gone, as with its art",
         [](auto& t) { t.DictOf(t.circle).erase("ZA3_Object"); }, {"120.00", kDiameter}, ""},
        {"a click type no tool stores",
         [](auto& t) { t.RectClick("ZA3_Click_data_1").set("ZA3_Obj_clicktype", int32_t{55}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"the drag stored as the placeholder click type",
         [](auto& t) { t.RectClick("ZA3_Click_data_drag").set("ZA3_Obj_clicktype", int32_t{-1}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a text click on a path",
         [](auto& t) { t.RectClick("ZA3_Click_data_2").set("ZA3_Obj_clicktype", int32_t{3}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a click storing another dimension's id",
         [](auto& t) { t.RectClick("ZA3_Click_data_2").set("ZA3_Obj_id", int32_t{2}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"the measured art duplicated with its links",
         [](auto& t) { t.doc->duplicateArt(t.rect, kPlaceAbove, t.rect, nullptr); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a text without its record",
         [](auto& t) { t.DictOf(t.doc->children(t.width).back()).erase("PW4_DimText"); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        // Stored values outside what the program writes; beside each, the nearest it writes.
        {"a precision below the menu's",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_upperDecimalPrecision", int32_t{-1}); },
         {"120.000", kDiameter}, "read as their defaults: dimension 1: upperDecimalPrecision -1"},
        {"the menu's least precision",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_upperDecimalPrecision", int32_t{0}); },
         {"120", kDiameter}, ""},
        {"the menu's finest precision",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_upperDecimalPrecision", int32_t{5}); },
         {"120.00000", kDiameter}, ""},
        {"a style of no dimension id",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_id", int32_t{0}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"an anchor stored as -1",
         [](auto& t) { t.RectClick("ZA3_Click_data_2").set("ZA3_Obj_segnumafter", int32_t{-1}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"anchor 0 after the piece from the last anchor, -1",
         [](auto& t) { t.RectClick("ZA3_Click_data_1").set("ZA3_Obj_segnumbefore", int32_t{-1}); },
         {"120.00", kDiameter}, ""},
        {"the drag numbered as a click",
         [](auto& t) { t.RectClick("ZA3_Click_data_drag").set("ZA3_Obj_clicknum", int32_t{7}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a click's anchor past its path, another corner filleted",
         [](auto& t) { t.RectClick("ZA3_Click_data_2").set("ZA3_Obj_segnumafter", int32_t{4}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\"", nullptr, [](auto& t) {
             g->prefs.filletRadius = 10;
             ASSERT_EQ(t.session->selectTool("Fillet"), kNoErr);
             ASSERT_EQ(t.session->click({150, 100}), kNoErr);
             ASSERT_EQ(t.session->click({100, 125}, aiEventModifiers_Option), kNoErr);
         }},
        {"a centre mark's click past its circle's anchors",
         [](auto& t) {
             const ObjId link = std::get<standin::DictLink>(*t.RectLink("ZA3_Obj_data_3", t.circle).find("ZA3_Click_data_1")).id;
             t.doc->editDict(link)->set("ZA3_Obj_segnumafter", int32_t{9});
         },
         {"120.00", kDiameter}, "kept as they were: a centre mark", &DamagedDrawingTest::CentreMark},
        {"a click in space past the canvas", [](auto& t) { t.ClickInSpace(1e30f); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a click in space where the corner was", [](auto& t) { t.ClickInSpace(100); }, {"120.00", kDiameter}, ""},
        {"a click of a kind no tool stores",
         [](auto& t) { t.RectClick("ZA3_Click_data_1").set("ZA3_Obj_dimtype", int32_t{40}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a click of another kind than the rest",
         [](auto& t) { t.RectClick("ZA3_Click_data_1").set("ZA3_Obj_dimtype", int32_t{kVertical}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"the circle's links of another type, the width's first click among them",
         [](auto& t) { t.LostWithTheCircle("ZA3_Click_data_1"); },
         {"100.00", kDiameter}, "kept as they were: \"\xD8 72.00\"; \"100.00\""},
        {"the circle's links of another type, the width's last click among them",
         [](auto& t) { t.LostWithTheCircle("ZA3_Click_data_2"); },
         {"100.00", kDiameter}, "kept as they were: \"\xD8 72.00\"; \"100.00\""},
        {"the rectangle on a face that cannot be turned back", [](auto& t) { t.RectOnFace({1, 1, 1, 1, 0, 0}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"the rectangle on a face drawn flat", [](auto& t) { t.RectOnFace({1, 0, 0, 1, 0, 0}); },
         {"120.00", kDiameter}, ""},
        {"a custom scaler past the largest custom scale",
         [](auto& t) { t.CustomLayerScale(1e30f); }, {"120.00", kDiameter}, "the scale of layer \"Layer 1\""},
        {"the largest custom scale",
         [](auto& t) { t.CustomLayerScale(1e8f); }, {"12,000,000,000.00", "\xD8 7,200,000,000.00"}, ""},
        {"a layer's id of 1:1 against its scaler and label of 1:2",
         [](auto& t) {
             standin::Dict& layer = t.DictOf(t.doc->layerByTitle("Layer 1"));
             layer.set("ZA3_ScaleID", int32_t{33});
             layer.set("ZA3_Scaler", AIReal{2});
             layer.set("ZA3_ScaleStr", std::string("1:2"));
         },
         {"240.00", "\xD8 144.00"}, "read as those of them that agree: the scale of layer \"Layer 1\""},
        {"the links of another type on the art of a chain's last click",
         [](auto& t) { t.DictOf(t.square).set("ZA3_Object", int32_t{7}); },
         {"100.00", "120.00", "200.00", kDiameter}, "kept as they were: \"200.00\"", &DamagedDrawingTest::Chain},
        {"the circle's links of another type beside a whole chain",
         [](auto& t) { t.DictOf(t.circle).set("ZA3_Object", int32_t{7}); },
         {"120.00", "120.00", "180.00", kDiameter}, "kept as they were: \"\xD8 72.00\"", &DamagedDrawingTest::Chain},
        {"a link's clicks storing an id no dimension has",
         [](auto& t) { t.ClicksNamed(t.rect, 2147483647); }, {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a link's clicks storing the diameter's id",
         [](auto& t) { t.ClicksNamed(t.rect, 2); }, {"100.00", kDiameter},
         "kept as they were: \"\xD8 72.00\"; \"100.00\""},
        {"a chain's one click on an art storing an id no dimension has",
         [](auto& t) { t.ClicksNamed(t.square, 2147483647); }, {"100.00", "120.00", "200.00", kDiameter},
         "kept as they were: \"200.00\"", &DamagedDrawingTest::Chain},
        {"a chain's one click on an art storing the width's id",
         [](auto& t) { t.ClicksNamed(t.square, 1); }, {"100.00", "120.00", "200.00", kDiameter},
         "kept as they were: \"200.00\"", &DamagedDrawingTest::Chain},
        {"a chain's link on an art whose own id and clicks name the width",
         [](auto& t) {
             t.FirstLink(t.square).set("ZA3_Obj_id", int32_t{1});
             t.ClicksNamed(t.square, 1);
         },
         {"100.00", "100.00", "200.00", kDiameter}, "kept as they were: \"200.00\"; \"100.00\"", &DamagedDrawingTest::Chain},
        {"a chain's link on an art holding only its id",
         [](auto& t) { auto& e = t.FirstLink(t.square).entries; e.erase(e.begin() + 1, e.end()); }, {"100.00", "120.00", "200.00", kDiameter},
         "kept as they were: \"200.00\"", &DamagedDrawingTest::Chain},
        {"a dimension's own id that no link names",
         [](auto& t) { t.DictOf(t.width, "ZA3_Dimension").set("ZA3_Attr_id", int32_t{99}); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a face offset past the canvas",
         [](auto& t) { t.RectOnFace({1, 0, 0, 1, 1e30f, 0}); }, {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a face that can only just be turned back",
         [](auto& t) { t.RectOnFace({1e-4f, 0, 0, 1e-4f, 0, 0}); }, {"100.00", kDiameter},
         "kept as they were: \"100.00\""},
        {"a face drawn flat, its offset at the canvas's edge",
         [](auto& t) { t.RectOnFace({1, 0, 0, 1, 16000, 0}); }, {"120.00", kDiameter}, ""},
        {"a text slid past the canvas",
         [](auto& t) {
             t.DictOf(t.width, "ZA3_Dimension").set("PW4_Attr_slideDimText", true);
             t.DictOf(t.width, "ZA3_Dimension").set("PW4_Attr_slideDimTextOffset", AIReal{1e30f});
         },
         {"100.00", kDiameter}, "past the largest canvas"},
        {"an emptied text record",
         [](auto& t) { t.DictOf(t.doc->children(t.width).back(), "PW4_DimText").entries.clear(); },
         {"100.00", kDiameter}, "kept as they were: \"100.00\""},
        {"a balloon's text without its record",
         [](auto& t) { t.DictOf(t.balloon).erase("PW4_DimText"); }, {"1", "120.00", kDiameter},
         "kept as they were: \"1\"", &DamagedDrawingTest::Balloon},
        {"a balloon's text record emptied",
         [](auto& t) { t.DictOf(t.balloon, "PW4_DimText").entries.clear(); }, {"1", "120.00", kDiameter},
         "kept as they were: \"1\"", &DamagedDrawingTest::Balloon},
        {"a balloon", [](auto&) {}, {"1", "120.00", kDiameter}, "", &DamagedDrawingTest::Balloon},
        {"the diameter's text retyped with its sign",
         [](auto& t) {
             const ObjId text = t.FirstText(t.diameter)->id;
             t.doc->editArt(text)->story.runs.front().text = "\xD8 72.00 TYP";
             for (const char* key : {"PW4_Attr_customDimemsionStr", "PW4_Attr_variableDimemsionStr"})
                 t.DictOf(text, "PW4_DimText").set(key, std::string("\xD8 72.00 TYP"));
             t.DictOf(t.diameter, "ZA3_Dimension").set("PW4_Attr_dimensionFormat", int32_t{-1});
         },
         {"120.00", "\xD8 72.00 TYP"}, ""},
    };
    for (const Damage& c : kCases) {
        SCOPED_TRACE(c.what);
        TearDown();  // each case on a drawing of its own
        SetUp();
        if (c.draw) c.draw(*this);
        ASSERT_EQ(session->hostEvent([&] {
            c.spoil(*this);
            Stretch();
            return kNoErr;
        }), kNoErr);
        if (c.edit) c.edit(*this);
        const size_t nested = NestedDimensions();
        const bool linked[] = {!Clicks(rect).empty(), !Clicks(circle).empty()};
        const size_t alerts = session->dialogs().alerts().size();
        for (int update = 0; update < 2; ++update) EXPECT_EQ(session->menu("Update Dimensions"), kNoErr);
        EXPECT_EQ(AllTexts(), c.texts);
        EXPECT_EQ(NestedDimensions(), nested);
        // The art measured is still there, linked to its dimension as it was.
        for (int i : {0, 1}) {
            EXPECT_NE(doc->art(i ? circle : rect), nullptr);
            EXPECT_EQ(!Clicks(i ? circle : rect).empty(), linked[i]);
        }
        const auto& told = session->dialogs().alerts();
        if (*c.told) {
            EXPECT_GT(told.size(), alerts);
            const std::string text = told.size() > alerts ? told[alerts].text : "";
            EXPECT_NE(text.find(c.told), std::string::npos) << text;
        } else {
            EXPECT_EQ(told.size(), alerts) << told.back().text;
        }
    }
}

TEST_F(DamagedDrawingTest, ADimensionDrawnPastTheLastIdTakesTheLowestFreeOne) {
    ASSERT_EQ(session->hostEvent([&] {
        EXPECT_EQ(SetDimensionID(Art(width), 2147483647), kNoErr);
        return RenumberDimensionLink(Art(rect), 1, 2147483647);
    }), kNoErr);
    g->prefs.style.id = 2147483647;  // as opening the drawing leaves the counter
    // The rectangle's height: ids 2147483647 and 2 are taken, so it is 1, on its group and
    // on every click it stored.
    ASSERT_EQ(Dimension("Vertical Dimension", {{200, 100}, {200, 150}}, {240, 125}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 3u);
    EXPECT_EQ(GetDimensionID(Art(Dimensions()[2])), 1);
    int heights = 0;
    for (const auto& c : Clicks(rect)) heights += c.id == 1 ? 1 : 0;
    EXPECT_GT(heights, 0);
    ASSERT_EQ(session->hostEvent([&] {
        Stretch();
        return kNoErr;
    }), kNoErr);
    EXPECT_EQ(session->menu("Update Dimensions"), kNoErr);
    EXPECT_EQ(AllTexts(), (std::vector<std::string>{"120.00", "50.00", kDiameter}));
}

TEST_F(DamagedDrawingTest, TheUpdateOnOpeningRedrawsTheRestAndNamesWhatItKept) {
    // A document of no version yet is updated whole when it opens.
    ASSERT_EQ(session->hostEvent([&] {
        DictOf(doc->children(width).back(), "PW4_DimText").set("PW4_Attr_variableDimStrID", std::string("x"));
        DictOf(0).erase("ZA3_Version");
        Stretch();
        return kNoErr;
    }), kNoErr);
    const size_t alerts = session->dialogs().alerts().size();
    ASSERT_EQ(session->openDocument([] { return kNoErr; }), kNoErr);
    EXPECT_EQ(AllTexts(), (std::vector<std::string>{"100.00", kDiameter}));
    EXPECT_EQ(g->dimensionsRedrawn, 1);
    ASSERT_EQ(session->dialogs().alerts().size(), alerts + 1);
    EXPECT_EQ(session->dialogs().alerts().back().text,
              "These dimensions could not be read and were kept as they were: \"100.00\"");
}

TEST_F(DamagedDrawingTest, AToolLeavesNoEmptyGroupAndNoDimensionOfArtThatIsGone) {
    auto groups = [&] {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.type == kGroupArt && !a.isLayerGroup() ? 1 : 0; });
        return n;
    };
    // The measured art's layer locked: the tool draws nothing (on the dimension layer either)
    // and says why.
    g->prefs.createDimensionLayer = 1;
    ASSERT_EQ(session->selectTool("Vertical Dimension"), kNoErr);  // makes the dimension layer
    const size_t before = groups();
    ASSERT_EQ(doc->setLayerEditable("Layer 1", false), kNoErr);
    EXPECT_EQ(Dimension("Horizontal Dimension", {{100, 100}, {200, 100}}, {150, 60}), kCADErr);
    EXPECT_EQ(groups(), before);
    EXPECT_EQ(session->dialogs().alerts().back().text, "\"Horizontal Dimension\": the object clicked is on the layer "
                                                       "\"Layer 1\", which is locked (unlock it first).");
    ASSERT_EQ(doc->setLayerEditable("Layer 1", true), kNoErr);

    // Art deleted between the clicks: the drag is refused in words, drawing nothing; undo
    // brings back the art, never a dimension without it.
    const ObjId line = Polyline({{100, 300}, {200, 300}});
    ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
    ASSERT_EQ(session->click({100, 300}), kNoErr);
    ASSERT_EQ(session->mouseDown({200, 300}), kNoErr);
    EXPECT_EQ(session->hostEvent([&] { return doc->disposeArt(line); }), kBadParameterErr);  // not while held
    ASSERT_EQ(session->mouseUp({200, 300}), kNoErr);
    ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(line); }), kNoErr);
    EXPECT_EQ(Dimension("Horizontal Dimension", {{200, 300}}, {150, 340}), kCADErr);
    EXPECT_EQ(Dimensions().size(), 2u);
    // The refusal spent no step of undo: the first undo takes back the user's deletion.
    EXPECT_TRUE(session->userUndo());
    EXPECT_NE(doc->art(line), nullptr);
    EXPECT_EQ(Dimensions().size(), 2u);
}
// A refused press ends there: the drags and the release after the refusal draw nothing,
// say nothing more and answer nothing; what the refused drag drew goes, also when the
// release is refused for click records that cannot be stored. A press on art of a locked
// layer names it, also with the tools that draw nothing where no art is and with the
// label, linear and datum tools and the measuring tools, which work where no art is
// (another layer, open, current); the layer dimensions are drawn on, closed, is named as
// that layer. Art of a hidden layer is none: pressed there, each tool does what it does in
// empty space. A resize pressed on a dimension whose art is gone is no
// refusal: the dimension stays as it was, unsaid. Whenever it is refused, and also when it
// draws nothing unsaid, the gesture leaves the drawing and the selection (a line of another
// layer) as they were.
TEST_F(DamagedDrawingTest, TheRestOfARefusedPressDrawsAndSaysNothing) {
    g->prefs.createDimensionLayer = 1;
    doc->addLayer("Dimension Layer");
    doc->addLayer("Notes");
    ObjId note = 0;
    ASSERT_EQ(session->hostEvent([&] { return doc->addPolyline({{400, 500}, {500, 520}}, false, &note); }), kNoErr);
    ASSERT_EQ(doc->setCurrentLayer("Layer 1"), kNoErr);
    const std::string lockedArt = "the object clicked is on the layer \"Layer 1\", which is locked (unlock it first).";
    const std::string noArt = "This tool must be used by clicking on an object.";
    const std::string onDimensions = "the layer dimensions are drawn on, \"Dimension Layer\", is ";
    enum Layer { kOpen, kLocked, kHidden };
    constexpr AIRealPoint kOnCircle{372, 136};
    const std::string damaged =
        "Not completed because a value stored in the document has the wrong type, so the document may be damaged: ";
    const struct Row {
        const char* tool;
        AIRealPoint press;
        Layer layer;  // "Layer 1", which holds the rectangle and the circle
        std::string words;  // empty: nothing is said
        ObjId DamagedDrawingTest::*spoilt = nullptr;  // pressed art whose click records are no dictionary
        const char* current = "Layer 1";
        AIReal reach = 60;  // how far the drags go (0: a click; 1: a hand trembling as it clicks)
        const char* closed = "Layer 1";  // the layer `layer` is about
    } rows[] = {
        {"Pointer Label", {100, 125}, kLocked, "\"Pointer Label\": " + lockedArt},
        {"Datum Flag", {100, 125}, kLocked, "\"Datum Flag\": " + lockedArt},
        {"Pointer Label", {100, 125}, kLocked, "\"Pointer Label\": " + lockedArt, nullptr, "Notes"},
        {"Revision Bubble", {100, 125}, kLocked, "\"Revision Bubble\": " + lockedArt, nullptr, "Notes"},
        {"Datum Flag", {100, 125}, kLocked, "\"Datum Flag\": " + lockedArt, nullptr, "Notes"},
        {"Datum Feature", {100, 125}, kLocked, "\"Datum Feature\": " + lockedArt, nullptr, "Notes"},
        {"Datum Target", {100, 125}, kLocked, "\"Datum Target\": " + lockedArt, nullptr, "Notes"},
        {"Horizontal Dimension", {100, 125}, kLocked, "\"Horizontal Dimension\": " + lockedArt, nullptr, "Notes"},
        {"Aligned Dimension", {100, 125}, kLocked, "\"Aligned Dimension\": " + lockedArt, nullptr, "Notes"},
        {"Vertical Datum Dimension", {100, 125}, kLocked, "\"Vertical Datum Dimension\": " + lockedArt, nullptr,
         "Notes"},
        {"Measure Distance", {100, 125}, kLocked, "\"Measure Distance\": " + lockedArt, nullptr, "Notes"},
        {"Set Scale", {100, 125}, kLocked, "\"Set Scale\": " + lockedArt, nullptr, "Notes"},
        {"Radius Dimension", {250, 300}, kOpen, noArt},
        {"Auto Vertical Dimension", {250, 300}, kOpen, noArt},
        {"Curvature Dimension", kOnCircle, kLocked, "\"Curvature Dimension\": " + lockedArt},
        {"Tangent Line Dimension", kOnCircle, kLocked, "\"Tangent Line Dimension\": " + lockedArt},
        {"Fillet Dimension", kOnCircle, kLocked, "\"Fillet Dimension\": " + lockedArt},
        {"Curvature Dimension", kOnCircle, kHidden, ""},  // as in empty space
        {"Radius Dimension", kOnCircle, kHidden, noArt},
        {"Pointer Label", {100, 125}, kOpen, damaged + "\"Pointer Label\"", &DamagedDrawingTest::rect},
        {"Radius Dimension", {336, 100}, kOpen, damaged + "\"Radius Dimension\"", &DamagedDrawingTest::circle},
        {"Center Mark", kOnCircle, kLocked, "\"Center Mark\": " + lockedArt},
        {"Path Divider", {250, 300}, kOpen, noArt},
        {"Door Insertion", {250, 300}, kOpen, "Click a wall to insert a door."},
        {"Fillet Dimension", {250, 300}, kOpen, ""},
        {"Fillet", {250, 300}, kOpen, ""},
        {"Horizontal Dimension", {250, 300}, kOpen, "", nullptr, "Layer 1", 1},
        {"Center Mark", {336, 100}, kOpen, damaged + "\"Center Mark\"", &DamagedDrawingTest::circle, "Layer 1", 0},
        {"Revision Bubble", {336, 100}, kOpen, damaged + "\"Revision Bubble\"", &DamagedDrawingTest::circle, "Layer 1", 0},
        {"Radius Dimension", kOnCircle, kLocked, "\"Radius Dimension\": " + onDimensions + "locked (unlock it first).",
         nullptr, "Layer 1", 60, "Dimension Layer"},
        {"Center Mark", kOnCircle, kHidden, "\"Center Mark\": " + onDimensions + "hidden (show it first).", nullptr,
         "Notes", 60, "Dimension Layer"},
        {"Radius Dimension", kOnCircle, kOpen, "These dimensions would reach past the largest canvas (16383 "
         "points), so they were not drawn (draw them nearer the middle of the page): \"R 36.00\"", nullptr, "Layer 1",
         16000},
        {"Dimension Resize", {150, 180}, kOpen, ""},  // on the width, its rectangle gone
    };
    auto artCount = [&] {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.layer ? 0 : 1; });
        return n;
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.tool);
        if (std::string(r.tool) == "Dimension Resize") {
            ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(rect); }), kNoErr);
        }
        // Records spoilt for the row alone.
        auto spoil = [&](auto value) {
            if (r.spoilt) DictOf(this->*r.spoilt).set("ZA3_Object", value);
        };
        const standin::DictValue* stored = r.spoilt ? DictOf(this->*r.spoilt).find("ZA3_Object") : nullptr;
        const std::optional<standin::DictValue> records = stored ? std::optional(*stored) : std::nullopt;
        spoil(int32_t{7});
        ASSERT_EQ(doc->setCurrentLayer(r.current), kNoErr);
        for (const std::string layer : {"Layer 1", "Dimension Layer"}) {
            ASSERT_EQ(doc->setLayerEditable(layer, layer != r.closed || r.layer != kLocked), kNoErr);
            ASSERT_EQ(doc->setLayerVisible(layer, layer != r.closed || r.layer != kHidden), kNoErr);
        }
        ASSERT_EQ(session->selectTool(r.tool), kNoErr);
        g->prefs.displayArtMustBeClickedError = 1;  // the alert's first button turns it off
        ASSERT_EQ(session->hostEvent([&] { return doc->select(note); }), kNoErr);
        const std::string drawing = drawingdiff::Listing(*doc);
        const size_t alerts = Alerts().size(), art = artCount(), steps = doc->journal().undoDepth();
        std::vector<AIErr> answers{session->mouseDown(r.press)};
        for (AIReal step : {r.reach / 2, r.reach})
            if (r.reach > 0) answers.push_back(session->mouseDrag({r.press.h + step, r.press.v + step}));
        answers.push_back(session->mouseUp({r.press.h + r.reach, r.press.v + r.reach}));
        const auto refused = std::find_if(answers.begin(), answers.end(), [](AIErr e) { return e != kNoErr; });
        EXPECT_EQ(refused == answers.end(), r.words.empty());
        if (refused != answers.end()) {
            EXPECT_EQ(std::count(refused + 1, answers.end(), kNoErr), answers.end() - refused - 1);
        }
        const std::vector<std::string> all = Alerts();
        const std::vector<std::string> told(all.begin() + static_cast<long>(alerts), all.end());
        EXPECT_EQ(told, r.words.empty() ? std::vector<std::string>{} : std::vector<std::string>{r.words});
        EXPECT_EQ(artCount(), art);
        EXPECT_EQ(doc->journal().undoDepth(), steps) << "a refusal is no step of undo";
        EXPECT_EQ(drawingdiff::FirstLineApart(drawing, drawingdiff::Listing(*doc)), "");
        if (records) spoil(*records);
    }
    ASSERT_EQ(Dimensions().size(), 2u);
    EXPECT_EQ(Text(Dimensions()[0]), "100.00");  // the width, as it was and shown
    EXPECT_EQ(doc->art(Dimensions()[0])->attrs & kArtHidden, 0u);
    // A refusal after a gesture that drew leaves that gesture one step, which the next undo
    // takes back whole.
    session->ticks(30);
    const std::string plain = drawingdiff::Listing(*doc);
    const size_t steps = doc->journal().undoDepth();
    ASSERT_EQ(PressAndDrag("Center Mark", kOnCircle, {420, 190}), kNoErr);
    session->ticks(30);
    EXPECT_EQ(doc->journal().undoDepth(), steps + 1);
    EXPECT_NE(PressAndDrag("Center Mark", {250, 300}, {300, 350}), kNoErr);
    EXPECT_TRUE(session->userUndo());
    EXPECT_EQ(drawingdiff::FirstLineApart(plain, drawingdiff::Listing(*doc)), "");
}

}  // namespace
}  // namespace dimtest
