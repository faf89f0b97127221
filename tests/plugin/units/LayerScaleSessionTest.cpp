// Layer scales in a session of the started plug-in beside another plug-in: three layers at
// 1:50, 1/4" = 1'-0" and 1:1 read back after save and reopen, a sublayer drawn on takes its
// top layer's scale, the grids and ruler layers stay 1:1, and the other plug-in reads the
// same scales through the published suite and hears that they changed.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <memory>
#include <string>
#include <vector>

#include "PluginSessionFixture.h"
#include "ScratchFolder.h"
#include "TestPlugin.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwisePublicSuite.h"
#include "core/PlotwiseSuites.h"
#include "io/DocumentFile.h"
#include "suites/Suites.h"
#include "artwork/DrawingLayer.h"
#include "dimensions/DimensionLayer.h"
#include "units/LayerScales.h"

namespace {

constexpr char kQuarterInch[] = "1/4\" = 1'-0\"";

// Started beside the other plug-in, with no document open yet.
struct LayerScaleSessionTest : plugintest::PluginSessionTest {
    void SetUp() override {
        testPluginTranscript().clear();
        LoadPlugin();
        session->load(&TestPluginMain, "test");
        StartPlugin();
        if (HasFatalFailure()) return;
        g->prefs.scaleStyle = kLayerBasedScaleStyle;  // new drawings start layer-based, as read at start-up
        NoteNewDrawingScaleStyle();
    }
    AILayerHandle Layer(const char* title) { return standin::suites::layerHandle(Doc().layerByTitle(title)); }
    // Through the published suite, as another plug-in reads it.
    std::string Published(const char* title) {
        const void* procs = nullptr;
        EXPECT_EQ(host.suites().acquire(kPlotwiseSuite, kPlotwiseSuiteVersion, &procs), kNoErr);
        AIReal scaler = 0;
        char label[32] = {};
        EXPECT_EQ(static_cast<const PlotwiseSuite*>(procs)->GetLayerScale(Layer(title), &scaler, label), kNoErr);
        host.suites().release(kPlotwiseSuite, kPlotwiseSuiteVersion);
        char text[64];
        std::snprintf(text, sizeof text, "%g %s", double(scaler), label);
        return text;
    }
    std::vector<std::string> Heard(const std::string& prefix) {
        std::vector<std::string> out;
        for (const std::string& r : testPluginTranscript())
            if (r.rfind(prefix, 0) == 0) out.push_back(r);
        return out;
    }
    // The grids and ruler layers, as the axonometric subsystem knows them.
    void KnowSpecialLayers() {
        g->gridsLayer = Layer("ROVidazu Layer");
        g->rulerLayer = Layer("DERurure Layer");
    }

    ScratchFolder scratch;
    const std::string path = scratch.path("layer-scales.json");
};

TEST_F(LayerScaleSessionTest, ScalesReadBackPerLayerAfterSaveAndReopen) {
    standin::Document& doc = session->newDocument();
    doc.addLayer("ROVidazu Layer");
    doc.addLayer("DERurure Layer");
    doc.addLayer("Site");
    doc.addLayer("Detail");
    doc.addLayer("Plan");
    KnowSpecialLayers();
    const size_t heardBefore = Heard("AI Notifier/AI Notify Plotwise Scale Changed Notifier").size();
    ASSERT_EQ(session->hostEvent([&] {
        for (const auto& [title, id, scaler, label] :
             {std::tuple{"Plan", 25, 50.0f, "1:50"}, std::tuple{"Detail", 15, 48.0f, kQuarterInch},
              std::tuple{"Site", 33, 1.0f, "1:1"}, std::tuple{"ROVidazu Layer", 25, 50.0f, "1:50"},
              std::tuple{"DERurure Layer", 15, 48.0f, kQuarterInch}})
            if (AIErr err = setLayerScale(Layer(title), id, scaler, label)) return err;
        return kNoErr;
    }), kNoErr);
    // Each write told the other plug-in.
    EXPECT_EQ(Heard("AI Notifier/AI Notify Plotwise Scale Changed Notifier").size(), heardBefore + 5);
    // The guide layers read 1:1 whatever they store (a drawing opened where they are not
    // shown loses them).
    EXPECT_EQ(Published("ROVidazu Layer"), "1 1:1");
    EXPECT_EQ(Published("DERurure Layer"), "1 1:1");
    // A sublayer made after the write carries no scale of its own yet.
    doc.insertLayer(doc.layerByTitle("Plan"), kPlaceInsideOnTop, "Walls");

    std::string error;
    ASSERT_TRUE(standin::io::saveDocumentFile(doc, path, error)) << error;
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(session->openDocument([&]() -> AIErr {
        return standin::io::openDocumentFile(host, path, error) ? kNoErr : kDataFilterErr;
    }), kNoErr) << error;
    KnowSpecialLayers();

    EXPECT_EQ(Published("Plan"), "50 1:50");
    EXPECT_EQ(Published("Detail"), std::string("48 ") + kQuarterInch);
    EXPECT_EQ(Published("Site"), "1 1:1");

    // Drawing on the sublayer: its group goes there and the top layer's scale is stored on it.
    ASSERT_EQ(Doc().setCurrentLayer("Walls"), kNoErr);
    ASSERT_EQ(session->hostEvent([&] {
        g->saveLayer = Layer("Walls");
        if (AIErr err = PrepCADLayer()) return err;
        if (AIErr err = drawLine({0, 0}, {100, 0}, g->group)) return err;
        return SetScaleByLayerPrefsFromArt(g->group);
    }), kNoErr);
    EXPECT_EQ(Doc().layerOf(standin::fromHandle(g->group)), Doc().layerByTitle("Walls"));
    EXPECT_EQ(g->prefs.scale, 25);
    EXPECT_STREQ(g->prefs.scaleStr, "1:50");
    const standin::Dict* walls = Doc().dict(Doc().art(Doc().layerByTitle("Walls"))->dictionary);
    ASSERT_NE(walls, nullptr);
    ASSERT_NE(walls->find("ZA3_ScaleStr"), nullptr);
    EXPECT_EQ(std::get<standin::DictText>(*walls->find("ZA3_ScaleStr")).str(), "1:50");

    // The other plug-in asks for every layer through the suite and gets the same answers.
    testPluginTranscript().clear();
    ASSERT_EQ(session->menu(kTestLayerScalesMenu), kNoErr);
    EXPECT_EQ(Heard("Plotwise Suite/"),
              (std::vector<std::string>{"Plotwise Suite/GetLayerScale \"Plan\" 50 \"1:50\"",
                                        "Plotwise Suite/GetLayerScale \"Walls\" 50 \"1:50\"",
                                        std::string("Plotwise Suite/GetLayerScale \"Detail\" 48 \"") + kQuarterInch + "\"",
                                        "Plotwise Suite/GetLayerScale \"Site\" 1 \"1:1\"",
                                        "Plotwise Suite/GetLayerScale \"Layer 1\" 1 \"1:1\""}));
    // Reading stored defaults is no change of scale.
    EXPECT_TRUE(Heard("AI Notifier/AI Notify Plotwise Scale Changed Notifier").empty());
}

TEST_F(LayerScaleSessionTest, TheDimensionLayerIsReusedAcrossToolsAndDocuments) {
    standin::Document& first = session->newDocument();
    first.addLayer("Plan");
    g->prefs.createDimensionLayer = 1;
    auto create = &CreateDimensionLayer;  // as the first dimension drawn in each document makes it
    for (int tool = 0; tool < 3; ++tool) ASSERT_EQ(session->hostEvent(create), kNoErr);
    auto count = [](const standin::Document& d) {
        const std::vector<standin::ObjId> layers = d.topLayers();
        return std::count_if(layers.begin(), layers.end(),
                             [&](standin::ObjId l) { return d.art(l)->layer->title == "Dimension Layer"; });
    };
    EXPECT_EQ(count(first), 1);
    const AILayerHandle firstLayer = g->dimensionLayer;

    standin::Document& second = session->newDocument();
    EXPECT_EQ(g->dimensionLayer, nullptr);  // found again when the document came to the front
    ASSERT_EQ(session->hostEvent(create), kNoErr);
    EXPECT_EQ(count(second), 1);
    session->setFrontDocument(first);
    EXPECT_EQ(g->dimensionLayer, firstLayer);
    ASSERT_EQ(session->hostEvent(create), kNoErr);
    EXPECT_EQ(count(first), 1);
    EXPECT_EQ(count(second), 1);
}

}  // namespace
