// Scales on layers: inheritance from the nearest parent that stores one and the stored
// default, tree writes, the special layers held at 1:1, the current scale loaded from a layer
// or art, the document-based scale and the scale table lookup.
#include <cmath>
#include <cstring>
#include <limits>
#include <optional>
#include <string>

#include "LayerHostFixture.h"
#include "core/PlotwiseAlerts.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace {

struct LayerScalesTest : LayerHostFixture {
    StoredScale Read(const std::string& title, AIErr expected = kNoErr) {
        StoredScale out{-1, -1, ""};
        char label[kScaleLabelSize] = {};
        EXPECT_EQ(GetZA3LayerScaleAndSetIfNotThere(Handle(title), &out.id, &out.scaler, label), expected) << title;
        out.label = label;
        return out;
    }
    void SetCurrent(int32_t id, AIReal scaler, const char* label) {
        g->prefs.scale = id;
        g->prefs.scaler = scaler;
        std::strcpy(g->prefs.scaleStr, label);
    }
};

TEST_F(LayerScalesTest, ASublayerTakesItsNearestParentsScaleAndTheLayersReadingItStoreIt) {
    SetStyle(kLayerBasedScaleStyle);
    doc_->addLayer("Plan");
    AddSublayer("Plan", "Walls");
    doc_->insertLayer(Layer("Walls"), kPlaceInsideOnTop, "Doors");
    AddSublayer("Plan", "Furniture");
    Store("Plan", 25, 50, "1:50");
    Store("Walls", 15, 48, "1/4\" = 1'-0\"");  // a middle layer's own scale is what the layers in it read

    const StoredScale doors = Read("Doors");
    EXPECT_EQ(doors.id, 15);
    EXPECT_FLOAT_EQ(doors.scaler, 48);
    EXPECT_EQ(doors.label, "1/4\" = 1'-0\"");
    for (const char* title : {"Walls", "Doors"}) EXPECT_STORED(title, 15, 48, "1/4\" = 1'-0\"");
    EXPECT_STORED("Plan", 25, 50, "1:50");
    EXPECT_FALSE(Stored("Furniture").has_value());  // it reads Plan's
    EXPECT_FALSE(Stored("Layer 1").has_value());    // another tree is left alone

    // In document-based style another tree is given the document's scale, never a sublayer's own.
    SetStyle(kDocumentBasedScaleStyle);
    doc_->editDict(doc_->dictionaryOf(Layer("Doors")))->entries.clear();
    EXPECT_EQ(Read("Doors").label, "1/4\" = 1'-0\"");
    EXPECT_STORED("Doors", 15, 48, "1/4\" = 1'-0\"");
    EXPECT_FALSE(Stored("Layer 1").has_value());
}

TEST_F(LayerScalesTest, ALayersOwnEntriesAreReadAndNothingIsWritten) {
    doc_->addLayer("Plan");
    AddSublayer("Plan", "Walls");
    Store("Plan", 25, 50, "1:50");
    Store("Walls", 15, 48, "1/4\" = 1'-0\"");
    const StoredScale walls = Read("Walls");
    EXPECT_EQ(walls.id, 15);
    EXPECT_EQ(walls.label, "1/4\" = 1'-0\"");
    EXPECT_STORED("Plan", 25, 50, "1:50");
}

TEST_F(LayerScalesTest, AMeasurementReadsAHalfStoredScaleWholeAndWritesNothing) {
    Store("Layer 1", 29, 5, "1:5");
    doc_->editDict(doc_->dictionaryOf(Layer("Layer 1")))->erase("ZA3_ScaleStr");
    SetCurrent(25, 50, "1:50");
    int32_t id = 0;
    AIReal scaler = 0;
    char label[32] = {};
    ASSERT_EQ(PeekZA3LayerScale(Handle("Layer 1"), &id, &scaler, label), kNoErr);
    EXPECT_EQ(id, 29);
    EXPECT_STREQ(label, "1:5");
    EXPECT_FALSE(Stored("Layer 1").has_value());  // the label is still missing
    EXPECT_EQ(g->prefs.scale, 25);                 // and the current scale is the drawing's
}

TEST_F(LayerScalesTest, ALayerWithoutScaleGetsTheStyleDefaultStored) {
    // What is current (another drawing's scale, say) is never a layer's default.
    SetCurrent(15, 48, "1/4\" = 1'-0\"");
    // Document-based, a drawing that stores none reads the 1:1 a new drawing starts at.
    EXPECT_EQ(Read("Layer 1").label, "1:1");
    EXPECT_STORED("Layer 1", 33, 1, "1:1");
    // A layer added later carries the document's scale.
    Store("Layer 1", 25, 50, "1:50");
    doc_->addLayer("Plan");
    EXPECT_EQ(Read("Plan").label, "1:50");
    EXPECT_STORED("Plan", 25, 50, "1:50");

    SetStyle(kLayerBasedScaleStyle);
    doc_->addLayer("Site");
    const StoredScale site = Read("Site");
    EXPECT_EQ(site.id, 33);
    EXPECT_FLOAT_EQ(site.scaler, 1);
    EXPECT_EQ(site.label, "1:1");
    EXPECT_STORED("Site", 33, 1, "1:1");

    // From now on the stored scale holds, whatever the style or the current scale.
    SetStyle(kDocumentBasedScaleStyle);
    SetCurrent(29, 5, "1:5");
    EXPECT_EQ(Read("Plan").id, 25);
    EXPECT_EQ(Read("Site").id, 33);
}

TEST_F(LayerScalesTest, WhatIsMissingOfAStoredScaleIsRebuiltAndOnlyAnUnusableOneTakesTheDefault) {
    SetCurrent(25, 50, "1:50");  // never a default: what cannot be used is read as 1:1
    g->prefs.customScaler1 = 120;  // scale id 0
    std::strcpy(g->prefs.customScaleStr1, "1\" = 10'");
    using Value = std::optional<standin::DictValue>;  // none: the entry is missing
    const Value kNaN = AIReal{std::numeric_limits<AIReal>::quiet_NaN()}, kInf = std::numeric_limits<AIReal>::infinity();
    const std::string completed = "completed from what was left of them: the scale of layer \"Layer 1\"";
    const std::string defaulted = "read as their defaults: the scale of layer \"Layer 1\"";
    const std::string disagreed = "read as those of them that agree: the scale of layer \"Layer 1\"";
    const struct {
        const char* what;
        Value id, scaler, label;  // as stored
        StoredScale read;         // what the read gives and stores
        const std::string& told;
    } kCases[] = {
        {"no label", int32_t{29}, AIReal{5}, std::nullopt, {29, 5, "1:5"}, completed},
        {"an empty label", int32_t{29}, AIReal{5}, std::string(), {29, 5, "1:5"}, completed},
        {"a label of another type", int32_t{29}, AIReal{5}, int32_t{3}, {29, 5, "1:5"}, completed},
        {"no scaler", int32_t{29}, std::nullopt, std::string("1:5"), {29, 5, "1:5"}, completed},
        {"a scaler of 0", int32_t{29}, AIReal{0}, std::string("1:5"), {29, 5, "1:5"}, completed},
        {"a negative scaler", int32_t{29}, AIReal{-2}, std::string("1:5"), {29, 5, "1:5"}, completed},
        {"a scaler that is no number", int32_t{29}, kNaN, std::string("1:5"), {29, 5, "1:5"}, completed},
        {"an infinite scaler", int32_t{29}, kInf, std::string("1:5"), {29, 5, "1:5"}, completed},
        {"a scaler as text", int32_t{29}, std::string("5"), std::string("1:5"), {29, 5, "1:5"}, completed},
        {"only the id", int32_t{15}, std::nullopt, std::nullopt, {15, 48, "1/4\" = 1'-0\""}, completed},
        {"an id as text", std::string("29"), AIReal{5}, std::string("1:5"), {29, 5, "1:5"}, completed},
        {"an id past the table", int32_t{77}, AIReal{5}, std::string("1:5"), {29, 5, "1:5"}, completed},
        {"a custom id without label", int32_t{0}, AIReal{120}, std::nullopt, {0, 120, "1\" = 10'"}, completed},
        {"a custom id without scaler", int32_t{0}, AIReal{0}, std::string("1\" = 10'"), {0, 120, "1\" = 10'"},
         completed},
        {"a free custom slot's id without label", int32_t{4}, AIReal{7.5f}, std::nullopt, {4, 7.5f, "1:7.5"}, completed},
        {"a scale below 1:1 without label", int32_t{4}, AIReal{0.4f}, std::nullopt, {4, 0.4f, "2.5:1"}, completed},
        {"a custom id whose slot holds another scale", int32_t{0}, AIReal{0}, std::string("1:7"), {33, 1, "1:1"},
         defaulted},
        {"a separator's id without scaler", int32_t{10}, std::nullopt, std::string("1:5"), {33, 1, "1:1"},
         defaulted},
        {"an id as text and a label of no scale", std::string("29"), AIReal{5}, std::string("x"), {33, 1, "1:1"},
         defaulted},
        {"nothing but the id entry", std::string("29"), std::nullopt, std::nullopt, {33, 1, "1:1"}, defaulted},
        {"no id", std::nullopt, AIReal{5}, std::string("1:5"), {29, 5, "1:5"}, completed},
        {"only the scaler", std::nullopt, AIReal{5}, std::nullopt, {29, 5, "1:5"}, completed},
        {"only a label of no scale", std::nullopt, std::nullopt, std::string("x"), {33, 1, "1:1"}, defaulted},
        // A fixed scale's id against its scaler and label: the two that agree hold.
        {"the id of 1:1, the scaler and label of 1:2", int32_t{33}, AIReal{2}, std::string("1:2"), {32, 2, "1:2"},
         disagreed},
        {"the id and label of 1:1, the scaler of 1:2", int32_t{33}, AIReal{2}, std::string("1:1"), {33, 1, "1:1"},
         disagreed},
        {"the id and scaler of 1:1, the label of 1:2", int32_t{33}, AIReal{1}, std::string("1:2"), {33, 1, "1:1"},
         disagreed},
        {"the id of 1:1, the scaler of 1:2, the label of 1:5", int32_t{33}, AIReal{2}, std::string("1:5"),
         {33, 1, "1:1"}, disagreed},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.what);
        standin::Dict* d = doc_->editDict(doc_->dictionaryOf(Layer("Layer 1")));
        d->entries.clear();
        const std::pair<const char*, const Value&> entries[] = {
            {"ZA3_ScaleID", c.id}, {"ZA3_Scaler", c.scaler}, {"ZA3_ScaleStr", c.label}};
        for (const auto& [key, value] : entries)
            if (value) d->set(key, *value);
        const StoredScale s = Read("Layer 1");
        EXPECT_EQ(s.id, c.read.id);
        EXPECT_FLOAT_EQ(s.scaler, c.read.scaler);
        EXPECT_EQ(s.label, c.read.label);
        EXPECT_STORED("Layer 1", c.read.id, c.read.scaler, c.read.label);  // mended, and the user told so
        const size_t before = host_.dialogs().alerts().size();
        ShowNotesForUser();
        ASSERT_EQ(host_.dialogs().alerts().size(), before + 1);
        EXPECT_NE(host_.dialogs().alerts().back().text.find(c.told), std::string::npos)
            << host_.dialogs().alerts().back().text;
        // Read again, the mended scale is the layer's own: nothing more to tell.
        EXPECT_EQ(Read("Layer 1").label, c.read.label);
        ShowNotesForUser();
        EXPECT_EQ(host_.dialogs().alerts().size(), before + 1);
    }
}

TEST_F(LayerScalesTest, WritesCoverTheTopLevelTreeAndNothingElse) {
    doc_->addLayer("Plan");
    AddSublayer("Plan", "Walls");
    doc_->insertLayer(Layer("Walls"), kPlaceInsideOnTop, "Doors");
    AddSublayer("Plan", "Furniture");
    doc_->addLayer("Site");
    ASSERT_EQ(setLayerScale(Handle("Doors"), 15, 48, "1/4\" = 1'-0\""), kNoErr);
    for (const char* title : {"Plan", "Walls", "Doors", "Furniture"}) EXPECT_STORED(title, 15, 48, "1/4\" = 1'-0\"");
    EXPECT_FALSE(Stored("Site").has_value());
    EXPECT_FALSE(Stored("Layer 1").has_value());

    // From a sublayer, SetSublayerScale reaches only it, the layers after it and their sublayers.
    ASSERT_EQ(SetSublayerScale(Handle("Walls"), 25, 50, "1:50"), kNoErr);
    for (const char* title : {"Walls", "Doors"}) EXPECT_STORED(title, 25, 50, "1:50");
    EXPECT_STORED("Furniture", 15, 48, "1/4\" = 1'-0\"");  // above "Walls" at its level
    EXPECT_STORED("Plan", 15, 48, "1/4\" = 1'-0\"");
}

TEST_F(LayerScalesTest, TheDimensionGridsAndRulerLayersAlwaysHoldOneToOne) {
    doc_->addLayer("Dimension Layer");
    doc_->addLayer("ROVidazu Layer");
    doc_->addLayer("DERurure Layer");
    AddSublayer("DERurure Layer", "Ticks");
    g->dimensionLayer = Handle("Dimension Layer");
    g->gridsLayer = Handle("ROVidazu Layer");
    g->rulerLayer = Handle("DERurure Layer");
    for (const char* title : {"Dimension Layer", "ROVidazu Layer", "DERurure Layer"}) {
        ASSERT_EQ(setLayerScale(Handle(title), 25, 50, "1:50"), kNoErr);
        EXPECT_STORED(title, 33, 1, "1:1");
    }
    EXPECT_STORED("Ticks", 25, 50, "1:50");  // an ordinary sublayer of a special one takes what is written
    ASSERT_EQ(setSingleLayerScale(Handle("ROVidazu Layer"), 15, 48, "x"), kNoErr);
    EXPECT_STORED("ROVidazu Layer", 33, 1, "1:1");

    // Read without entries in document-based style, a special layer answers what it stores.
    SetCurrent(25, 50, "1:50");
    doc_->editDict(doc_->dictionaryOf(Layer("Dimension Layer")))->entries.clear();
    EXPECT_EQ(Read("Dimension Layer").label, "1:1");
    EXPECT_STORED("Dimension Layer", 33, 1, "1:1");
    Store("Layer 1", 25, 50, "1:50");
    doc_->addLayer("Notes");
    EXPECT_EQ(Read("Notes").label, "1:50");  // an ordinary one the document's scale
}

TEST_F(LayerScalesTest, LabelsAreStoredBoundedTo31Characters) {
    const std::string longLabel(80, 'x');
    ASSERT_EQ(setLayerScale(Handle("Layer 1"), 3, 7.5f, longLabel.c_str()), kNoErr);
    EXPECT_STORED("Layer 1", 3, 7.5f, std::string(31, 'x'));
    Store("Layer 1", 3, 7.5f, std::string(200, 'y'));  // a document may hold longer text
    EXPECT_EQ(Read("Layer 1").label, std::string(31, 'y'));
}

TEST_F(LayerScalesTest, TheCurrentScaleFollowsTheLayerOfTheArt) {
    doc_->addLayer("Plan");
    AddSublayer("Plan", "Walls");
    Store("Plan", 15, 48, "1/4\" = 1'-0\"");
    ASSERT_EQ(doc_->setCurrentLayer("Walls"), kNoErr);
    standin::ObjId line = 0;
    ASSERT_EQ(doc_->addLine({0, 0}, {10, 0}, &line), kNoErr);
    SetCurrent(33, 1, "1:1");
    ASSERT_EQ(SetScaleByLayerPrefsFromArt(standin::suites::artHandle(line)), kNoErr);
    EXPECT_EQ(g->prefs.scale, 15);
    EXPECT_FLOAT_EQ(g->prefs.scaler, 48);
    EXPECT_STREQ(g->prefs.scaleStr, "1/4\" = 1'-0\"");
    EXPECT_STORED("Walls", 15, 48, "1/4\" = 1'-0\"");
}

TEST_F(LayerScalesTest, AFailedReadLeavesTheCurrentScale) {
    // A stored scale of which nothing can be used is none: the layer reads the 1:1 default,
    // never what was current.
    SetCurrent(25, 50, "1:50");
    doc_->editDict(doc_->dictionaryOf(Layer("Layer 1")))->set("ZA3_ScaleID", std::string("bad"));
    EXPECT_EQ(SetScaleByLayerPrefsFromLayer(Handle("Layer 1")), kNoErr);
    EXPECT_EQ(g->prefs.scale, 33);
    EXPECT_STREQ(g->prefs.scaleStr, "1:1");
    // A layer that is gone is the host's error, and the current scale stays.
    SetCurrent(25, 50, "1:50");
    const standin::ObjId gone = doc_->addLayer("Gone");
    ASSERT_EQ(doc_->deleteLayer(gone), kNoErr);
    EXPECT_EQ(SetScaleByLayerPrefsFromLayer(Handle(gone)), kStaleHandleErr);
    EXPECT_EQ(g->prefs.scale, 25);
}

TEST_F(LayerScalesTest, TheDocumentBasedScaleIsTheLastOrdinaryLayers) {
    doc_->addLayer("Plan");
    Store("Layer 1", 25, 50, "1:50");  // the bottom layer: last index
    Store("Plan", 15, 48, "1/4\" = 1'-0\"");
    // A dimension layer at the bottom is passed over.
    doc_->insertLayer(0, kPlaceBelowAll, "Dimension Layer");
    g->dimensionLayer = Handle("Dimension Layer");
    int32_t id = -1;
    AIReal scaler = -1;
    char label[kScaleLabelSize] = "untouched";
    ASSERT_EQ(GetCurrentDocBasedScale(&id, &scaler, label), kNoErr);
    EXPECT_EQ(id, 25);
    EXPECT_STREQ(label, "1:50");
}

TEST_F(LayerScalesTest, WithOnlySpecialLayersTheDocumentBasedScaleLeavesItsOutputs) {
    g->gridsLayer = Handle("Layer 1");
    doc_->addLayer("DERurure Layer");
    g->rulerLayer = Handle("DERurure Layer");
    int32_t id = -1;
    AIReal scaler = -1;
    char label[kScaleLabelSize] = "untouched";
    ASSERT_EQ(GetCurrentDocBasedScale(&id, &scaler, label), kNoErr);
    EXPECT_EQ(id, -1);
    EXPECT_EQ(scaler, -1);
    EXPECT_STREQ(label, "untouched");
}

TEST_F(LayerScalesTest, ScaleIdsLookUpTheTableWithoutTouchingTheCurrentScale) {
    SetCurrent(25, 50, "1:50");
    g->prefs.customScaler2 = 12.5f;
    std::strcpy(g->prefs.customScaleStr2, "1\" = 12.5\"");
    const struct {
        int32_t id;
        AIReal scaler;
        const char* label;
    } rows[] = {{1, 12.5f, "1\" = 12.5\""}, {0, 0, ""}, {12, 128, "3/32\" = 1'-0\""}, {36, 0.25f, "4:1"}};
    for (const auto& row : rows) {
        AIReal scaler = -1;
        char label[kScaleLabelSize] = "unset";
        EXPECT_EQ(getScaleDataFromScaleID(row.id, &scaler, label), kNoErr);
        EXPECT_FLOAT_EQ(scaler, row.scaler) << row.id;
        EXPECT_STREQ(label, row.label) << row.id;
    }
    for (int32_t id : {10, 23, -1, 40}) {
        AIReal scaler = -1;
        char label[kScaleLabelSize] = "unset";
        EXPECT_EQ(getScaleDataFromScaleID(id, &scaler, label), kNoErr);
        EXPECT_EQ(scaler, -1) << id;
        EXPECT_STREQ(label, "unset") << id;
    }
    EXPECT_EQ(g->prefs.scale, 25);
    EXPECT_STREQ(g->prefs.scaleStr, "1:50");
}

TEST_F(LayerScalesTest, ThePublishedAnswerIsTheLayersScaleAndTheCurrentOneForNoLayer) {
    doc_->addLayer("Plan");
    AddSublayer("Plan", "Walls");
    Store("Plan", 25, 50, "1:50");
    SetCurrent(15, 48, "1/4\" = 1'-0\"");
    AIReal scaler = 0;
    char label[32] = {};
    ASSERT_EQ(GetPublishedLayerScale(Handle("Walls"), &scaler, label), kNoErr);
    EXPECT_FLOAT_EQ(scaler, 50);
    EXPECT_STREQ(label, "1:50");
    ASSERT_EQ(GetPublishedLayerScale(nullptr, &scaler, nullptr), kNoErr);
    EXPECT_FLOAT_EQ(scaler, 48);
}

}  // namespace
