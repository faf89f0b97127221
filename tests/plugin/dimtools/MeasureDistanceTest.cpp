// The distance tool: its ends snapped onto anchors only, shift turning the line without
// changing its length, what the tracker is told (worked out by hand), the message in the
// tracker's units at the scale, and nothing left behind.
#include <cfloat>
#include <cmath>
#include <fstream>

#include "DimensionToolFixture.h"
#include "ScratchFolder.h"
#include "core/PlotwiseSuites.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"

namespace dimtest {
namespace {

struct Report {
    double x, y, w, h, width, height, seventh, angle, length, perimeter, area;
};
std::vector<Report> gReports;

AIErr RecordTracker(double x, double y, double w, double h, double width, double height, double seventh, double angle,
                    double length, double perimeter, double area) {
    gReports.push_back({x, y, w, h, width, height, seventh, angle, length, perimeter, area});
    return kNoErr;
}

struct MeasureDistanceTest : DimensionToolTest {
    PlotwiseSubsystem tracker{.name = "tracker stand-in"};

    void SetUp() override {
        gReports.clear();
        tracker.services.updateTrackerWindow = &RecordTracker;
        AddPlotwiseSubsystem(&tracker);
        DimensionToolTest::SetUp();
        g->prefs.CADtrackerUnits = kDecimalInchWordUnits;
        g->prefs.CADtrackerPrecision = 2;
    }
    void TearDown() override {
        DimensionToolTest::TearDown();
        RemovePlotwiseSubsystem(&tracker);
    }
    AIErr Measure(AIRealPoint from, AIRealPoint to, uint32_t keys = 0) {
        if (AIErr err = session->selectTool("Measure Distance")) return err;
        if (AIErr err = session->mouseDown(from, keys)) return err;
        AIErr a = session->mouseDrag({(from.h + to.h) / 2, (from.v + to.v) / 2}, keys);
        AIErr b = session->mouseDrag(to, keys);
        AIErr up = session->mouseUp(to, keys);
        return a ? a : b ? b : up;
    }
    size_t ArtCount() const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.isLayerGroup() ? 0 : 1; });
        return n;
    }
};

TEST_F(MeasureDistanceTest, TheEndsSnapOntoAnchorsAndTheTrackerFollows) {
    Rect(100, 100, 100, 60);
    const struct {
        AIRealPoint from, to;
        uint32_t keys;
        AIRealPoint a, b;  // the line measured
    } rows[] = {
        {{101, 101}, {199, 159}, 0, {100, 100}, {200, 160}},        // two corners
        {{130, 101}, {300, 301}, 0, {130, 101}, {300, 301}},  // an edge is no anchor
        // Shift: 15 degrees snapped level, 100 long.
        {{300, 300}, {396.5926f, 325.8819f}, aiEventModifiers_Shift, {300, 300}, {400, 300}},
    };
    for (const auto& row : rows) {
        gReports.clear();
        ASSERT_EQ(Measure(row.from, row.to, row.keys), kNoErr);
        ASSERT_FALSE(gReports.empty());
        const Report& r = gReports.back();
        const double w = std::fabs(row.b.h - row.a.h), h = std::fabs(row.b.v - row.a.v);
        const double length = std::hypot(w, h);
        const double angle = std::atan2(row.b.v - row.a.v, row.b.h - row.a.h) * 180 / kPi;
        const double expected[] = {row.b.h, row.b.v, w, h, w, h, FLT_MIN, angle, length, FLT_MIN, FLT_MIN};
        const double told[] = {r.x, r.y, r.w, r.h, r.width, r.height, r.seventh, r.angle, r.length, r.perimeter, r.area};
        for (size_t k = 0; k < 11; ++k) EXPECT_NEAR(told[k], expected[k], 1e-3) << "argument " << k + 1;
        EXPECT_FLOAT_EQ(r.seventh, FLT_MIN);
        EXPECT_NEAR(g->MeasuredLinearDistance, length, 1e-3);
    }
}

TEST_F(MeasureDistanceTest, TheMessageSaysTheDistanceAndTheScaleAndNothingIsLeft) {
    const size_t art = ArtCount();
    const int32_t id = g->prefs.style.id;
    g->prefs.style.appendUpperUnitLabels = 1;
    ASSERT_EQ(Measure({300, 400}, {372, 400}), kNoErr);
    EXPECT_EQ(Alerts(), std::vector<std::string>{"Measured distance: 1.00 in at the scale 1:1"});
    EXPECT_EQ(ArtCount(), art);
    EXPECT_EQ(g->prefs.style.id, id) << "a measurement takes no dimension id";

    // A click is not a measurement.
    EXPECT_EQ(session->click({300, 400}), kCADErr);
    EXPECT_EQ(Alerts().size(), 2u);
    EXPECT_NE(Alerts().back().find("drag"), std::string::npos) << Alerts().back();
}

// A layer-based drawing: "Plan" at 1:50 holds a plate, "Layer 1" (1:1) is drawn on. An inch
// dragged from the plate is 50 inches at its scale; one dragged from empty space is one
// inch at the scale of the layer drawn on.
TEST_F(MeasureDistanceTest, TheDistanceIsToldAtTheScaleOfTheLayerPressedOn) {
    SetScaleStyle(2);
    g->prefs.style.appendUpperUnitLabels = 1;
    session->hostEvent([&] { return doc->setCurrentLayer(doc->addLayer("Plan")); });
    Rect(100, 100, 72, 36);
    session->hostEvent([&] {
        AILayerHandle plan = nullptr;
        AIErr err = sAILayer->GetCurrentLayer(&plan);
        return err ? err : setLayerScale(plan, 25, 50.0f, "1:50");
    });
    session->hostEvent([&] { return doc->setCurrentLayer(doc->layerByTitle("Layer 1")); });
    const struct {
        AIRealPoint from, to;
        const char* message;
    } rows[] = {
        {{101, 101}, {172, 100}, "Measured distance: 50.00 in at the scale 1:50"},
        {{300, 400}, {372, 400}, "Measured distance: 1.00 in at the scale 1:1"},
        {{100, 136}, {172, 136}, "Measured distance: 50.00 in at the scale 1:50"},
        // 1.005 in, which the end's float leaves 1.5e-5 pt short: within its spacing, 3e-5 pt.
        {{300, 400}, {372.36f, 400}, "Measured distance: 1.01 in at the scale 1:1"},
        // 6e-5 pt short of it, measured along x alone, whose spacing is 8e-6 pt: at any level
        // (the spacing of y at 1030 is 1.2e-4 pt).
        {{0, 400}, {72.35994f, 400}, "Measured distance: 1.00 in at the scale 1:1"},
        {{0, 1030}, {72.35994f, 1030}, "Measured distance: 1.00 in at the scale 1:1"},
    };
    const float current = g->prefs.scaler;
    for (const auto& row : rows) {
        ASSERT_EQ(Measure(row.from, row.to), kNoErr);
        EXPECT_EQ(Alerts().back(), row.message);
        EXPECT_EQ(g->prefs.scaler, current) << "a measurement changes no scale the tools draw at";
    }
    // Document-based at 1:50, the dimension layer current: space is at the document's scale.
    SetScaleStyle(1);
    session->hostEvent([&] {
        if (AIErr err = setLayerScale(standin::suites::layerHandle(doc->layerByTitle("Layer 1")), 25, 50.0f, "1:50"))
            return err;
        g->dimensionLayer = standin::suites::layerHandle(doc->addLayer("Dimension Layer"));
        return doc->setCurrentLayer(doc->layerByTitle("Dimension Layer"));
    });
    ASSERT_EQ(Measure({300, 400}, {372, 400}), kNoErr);
    EXPECT_EQ(Alerts().back(), "Measured distance: 50.00 in at the scale 1:50");
}

TEST_F(MeasureDistanceTest, ALongWordIsCutAtTheMessage) {
    // The distance word 400 characters long: the message stops at 511.
    const ScratchFolder scratch;
    const auto& folder = scratch.dir;
    std::filesystem::create_directories(folder / "strings");
    std::ifstream in(std::filesystem::path(PLOTWISE_RESOURCE_DIR) / "strings/17400.json");
    nlohmann::json words = nlohmann::json::parse(in);
    words[45] = std::string(400, 'W');
    words[46] = std::string(400, 'S');
    std::ofstream(folder / "strings/17400.json") << words.dump();
    session->resources().setDir(folder.string() + ":" + PLOTWISE_RESOURCE_DIR);
    ASSERT_EQ(Measure({300, 400}, {372, 400}), kNoErr);
    ASSERT_EQ(Alerts().size(), 1u);
    const std::string message = Alerts()[0];
    EXPECT_EQ(message.size(), 511u);
    EXPECT_EQ(message.substr(0, 406), std::string(400, 'W') + " 1.00 ");
    std::filesystem::remove_all(folder);
}

}  // namespace
}  // namespace dimtest
