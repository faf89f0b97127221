// "Update Dimensions" on a drawing nobody edited changes nothing: each dimension tool places
// dimensions by seeded random gestures (on anchors, on pieces, a little off anchors and in
// empty space) on lines, a rectangle and a circle, or on a depth cube and a circle on its
// top; then the drawing is updated twice. Every path and text stays where the tool put it,
// on the axonometric art to the last bit of its floats.
#include <functional>
#include <random>

#include "DimensionToolFixture.h"
#include "DrawingDifferences.h"
#include "ScratchFolder.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "io/DocumentFile.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace dimtest {
namespace {

// Flat scenes, the same art projected onto faces (measured by the flat tools as it lies),
// axonometric ones for the axonometric tools, and the flat scene on layers of three scales.
enum class Scene { kFlat, kCircle, kProjected, kProjectedCircle, kAxonometric, kAxonometricCircle, kLayers };

struct ToolRow {
    const char* tool;
    int points;  // clicked before the drag starts, the last one pressed
    Scene scene;
    double emptyShare = 0.15;  // of the flat scenes' clicks, in empty space beside the art
};

constexpr ToolRow kTools[] = {
    {"Horizontal Dimension", 2, Scene::kFlat},
    {"Vertical Dimension", 2, Scene::kFlat},
    {"Aligned Dimension", 2, Scene::kFlat},
    {"Horizontal Datum Dimension", 3, Scene::kFlat},
    {"Vertical Datum Dimension", 3, Scene::kFlat},
    {"Aligned Datum Dimension", 3, Scene::kFlat},
    {"Auto Horizontal Dimension", 1, Scene::kFlat},
    {"Auto Vertical Dimension", 1, Scene::kFlat},
    {"Auto Aligned Dimension", 1, Scene::kFlat},
    {"Angular Dimension", 2, Scene::kFlat},
    {"Arc Length Dimension", 2, Scene::kCircle},
    {"Curvature Dimension", 1, Scene::kCircle},
    {"Radius Dimension", 1, Scene::kCircle},
    {"Diameter Dimension", 1, Scene::kCircle},
    {"Center Mark", 1, Scene::kCircle},
    {"Tangent Line Dimension", 1, Scene::kCircle},
    {"Fillet Dimension", 1, Scene::kCircle},
    {"Section Line", 1, Scene::kFlat},
    {"Center Line", 1, Scene::kFlat},
    {"Pointer Label", 1, Scene::kFlat},
    {"Revision Bubble", 1, Scene::kFlat},
    {"Datum Flag", 1, Scene::kFlat},
    {"Datum Feature", 1, Scene::kFlat},
    {"Datum Target", 1, Scene::kFlat},
    {"Axonometric Horizontal Dimension", 2, Scene::kAxonometric},
    {"Axonometric Vertical Dimension", 2, Scene::kAxonometric},
    {"Axonometric Auto Horizontal Dimension", 1, Scene::kAxonometric},
    {"Axonometric Auto Vertical Dimension", 1, Scene::kAxonometric},
    {"Axonometric Horizontal Datum Dimension", 3, Scene::kAxonometric},
    {"Axonometric Vertical Datum Dimension", 3, Scene::kAxonometric},
    {"Axonometric Center Line", 1, Scene::kAxonometric},
    {"Axonometric Radius Dimension", 1, Scene::kAxonometricCircle},
    {"Axonometric Diameter Dimension", 1, Scene::kAxonometricCircle},
    {"Axonometric Center Mark", 1, Scene::kAxonometricCircle},
    // The flat tools on projected art, which they measure as it lies.
    {"Horizontal Dimension", 2, Scene::kProjected},
    {"Vertical Dimension", 2, Scene::kProjected},
    {"Aligned Dimension", 2, Scene::kProjected},
    {"Horizontal Datum Dimension", 3, Scene::kProjected},
    {"Vertical Datum Dimension", 3, Scene::kProjected},
    {"Aligned Datum Dimension", 3, Scene::kProjected},
    {"Auto Horizontal Dimension", 1, Scene::kProjected},
    {"Auto Vertical Dimension", 1, Scene::kProjected},
    {"Auto Aligned Dimension", 1, Scene::kProjected},
    {"Angular Dimension", 2, Scene::kProjected},
    {"Arc Length Dimension", 2, Scene::kProjectedCircle},
    {"Curvature Dimension", 1, Scene::kProjectedCircle},
    {"Radius Dimension", 1, Scene::kProjectedCircle},
    {"Diameter Dimension", 1, Scene::kProjectedCircle},
    {"Center Mark", 1, Scene::kProjectedCircle},
    {"Tangent Line Dimension", 1, Scene::kProjectedCircle},
    {"Fillet Dimension", 1, Scene::kProjectedCircle},
    {"Section Line", 1, Scene::kProjected},
    {"Center Line", 1, Scene::kProjected},
    {"Pointer Label", 1, Scene::kProjected},
    {"Revision Bubble", 1, Scene::kProjected},
    {"Datum Flag", 1, Scene::kProjected},
    {"Datum Feature", 1, Scene::kProjected},
    {"Datum Target", 1, Scene::kProjected},
    // Clicks on art of two scales, and presses in space while a layer of a third is current.
    {"Horizontal Dimension", 2, Scene::kLayers, 0.3},
    {"Vertical Dimension", 2, Scene::kLayers, 0.3},
    {"Aligned Dimension", 2, Scene::kLayers, 0.3},
    {"Horizontal Datum Dimension", 3, Scene::kLayers, 0.3},
    {"Vertical Datum Dimension", 3, Scene::kLayers, 0.3},
    {"Aligned Datum Dimension", 3, Scene::kLayers, 0.3},
};
constexpr int kGesturesPerTool = 10;

struct UpdateTwiceTest : DimensionToolTest {
    // Places worth a click on the paths: each anchor, 2.5 points from it along its pieces,
    // and the middle of each piece.
    std::vector<AIRealPoint> Places(const std::vector<ObjId>& paths) const {
        std::vector<AIRealPoint> out;
        for (ObjId id : paths) {
            const auto& s = doc->art(id)->segments;
            const size_t pieces = doc->art(id)->closed ? s.size() : s.size() - 1;
            for (size_t k = 0; k < pieces; ++k) {
                const AIPathSegment &a = s[k], &b = s[(k + 1) % s.size()];
                const double dx = b.p.h - a.p.h, dy = b.p.v - a.p.v, d = std::hypot(dx, dy);
                out.push_back(a.p);
                out.push_back({static_cast<AIReal>(a.p.h + 2.5 * dx / d), static_cast<AIReal>(a.p.v + 2.5 * dy / d)});
                out.push_back({static_cast<AIReal>(b.p.h - 2.5 * dx / d), static_cast<AIReal>(b.p.v - 2.5 * dy / d)});
                out.push_back({(a.p.h + 3 * a.out.h + 3 * b.in.h + b.p.h) / 8, (a.p.v + 3 * a.out.v + 3 * b.in.v + b.p.v) / 8});
            }
        }
        return out;
    }

    // A new top-level layer at that scale, made current, in a layer-based drawing.
    void Layer(const char* title, int32_t id, AIReal scaler, const char* label) {
        SetScaleStyle(kLayerBasedScaleStyle);
        EXPECT_EQ(session->hostEvent([&] { return setLayerScale(standin::suites::layerHandle(doc->addLayer(title)), id, scaler, label); }),
                  kNoErr);
    }

    // The scene's art in a new document, and the places on it.
    std::vector<AIRealPoint> Draw(Scene scene) {
        doc = &session->newDocument();
        std::vector<ObjId> paths;
        const bool projected = scene == Scene::kProjected || scene == Scene::kProjectedCircle;
        if (projected) IsometricView();
        if (projected || scene == Scene::kFlat || scene == Scene::kCircle || scene == Scene::kLayers) {
            paths.push_back(Polyline({{40, 60}, {220, 60}, {220, 180}, {120, 240}}));
            // The lines at 1:1, the rectangle and circle on a plan at 1:100, a third layer current.
            if (scene == Scene::kLayers) Layer("Plan", 24, 100, "1:100");
            paths.push_back(Rect(280, 60, 140, 90));
            ObjId circle = 0;
            EXPECT_EQ(session->hostEvent([&] { return Doc().addEllipse(300, 220, 100, 100, &circle); }), kNoErr);
            if (scene == Scene::kCircle || scene == Scene::kProjectedCircle) paths.clear();
            paths.push_back(circle);
            if (scene == Scene::kLayers) Layer("Notes", 27, 20, "1:20");
            // Lines and the rectangle onto the left face, the circle onto the top.
            for (ObjId path : projected ? paths : std::vector<ObjId>{}) {
                const int32_t face = path == circle ? kAxoTopFace : kAxoLeftFace;
                EXPECT_EQ(session->hostEvent([&] { return ProjectAxonometric(Art(path), face, &g->prefs.isoView); }),
                          kNoErr);
            }
            return Places(paths);
        }
        IsometricView();
        if (scene == Scene::kAxonometricCircle) {
            ObjId circle = 0;
            EXPECT_EQ(session->hostEvent([&] { return Doc().addEllipse(200, 200, 100, 100, &circle); }), kNoErr);
            EXPECT_EQ(session->hostEvent([&] { return ProjectAxonometric(Art(circle), kAxoTopFace, &g->prefs.isoView); }),
                      kNoErr);
            return Places({circle});
        }
        // A depth cube: its left face dragged, pulled out to the right in depth.
        EXPECT_EQ(session->selectTool("Depth Cube"), kNoErr);
        DepthPrimitive({160, 310}, {260, 180}, {360, 230});
        session->ticks(20);
        std::vector<ObjId> faces;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type == kPathArt && IsAxonometricArt(Art(a.id))) faces.push_back(a.id);
        });
        EXPECT_EQ(faces.size(), 3u);
        return Places(faces);
    }

    // Two updates: each path, text and stored record stays as it was drawn (paths and texts
    // within `tolerance`), and is the very art it was, a dimension selected stays so; neither
    // is a step of undo, and what was undone before can still be redone.
    void ExpectUpdatesChangeNothing(double tolerance = 0.01) {
        if (!Dimensions().empty()) {
            ASSERT_EQ(session->hostEvent([&] { return doc->select(Dimensions().front()); }), kNoErr);
        }
        session->ticks(20);
        const ObjId undone = Polyline({{500, 20}, {560, 20}});
        ASSERT_TRUE(session->userUndo());
        const std::string listing = drawingdiff::Listing(*doc);
        const size_t steps = doc->journal().undoDepth();
        const auto drawn = drawingdiff::Marks(*doc);
        const auto stored = drawingdiff::Records(*doc);
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
        const auto once = drawingdiff::Marks(*doc);
        const auto storedOnce = drawingdiff::Records(*doc);
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
        session->ticks(20);
        EXPECT_EQ(drawingdiff::FirstLineApart(listing, drawingdiff::Listing(*doc)), "");
        EXPECT_EQ(doc->journal().undoDepth(), steps);
        EXPECT_TRUE(session->userRedo());
        EXPECT_NE(doc->art(undone), nullptr);
        EXPECT_TRUE(session->userUndo());
        EXPECT_EQ(drawingdiff::Differences(drawn, once, tolerance), std::vector<std::string>{});
        EXPECT_EQ(drawingdiff::Differences(once, drawingdiff::Marks(*doc), tolerance), std::vector<std::string>{});
        EXPECT_EQ(drawingdiff::Differences(stored, storedOnce, 1e-4), std::vector<std::string>{});
        EXPECT_EQ(drawingdiff::Differences(storedOnce, drawingdiff::Records(*doc), 1e-4), std::vector<std::string>{});
    }
};

TEST_F(UpdateTwiceTest, RandomDimensionsOfEveryToolStayWhereTheyWereDrawn) {
    // Object snapping reaches less far than the host's anchor hits: a press 2 to 3 points
    // from an anchor stays where it is.
    g->prefs.gridSnapTolerance = 2;
    // Texts slide to where the drag leaves them (flat art only).
    g->prefs.style.slideDimText = 1;
    std::mt19937 random(20240611);
    for (const ToolRow& row : kTools) {
        SCOPED_TRACE(row.tool);
        const std::vector<AIRealPoint> places = Draw(row.scene);
        ASSERT_FALSE(places.empty());
        ASSERT_EQ(session->selectTool(row.tool), kNoErr);
        std::uniform_int_distribution<size_t> pick(0, places.size() - 1);
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        const bool flat = row.scene != Scene::kAxonometric && row.scene != Scene::kAxonometricCircle;
        for (int n = 0; n < kGesturesPerTool; ++n) {
            // Distinct places (a dimension of no length points its arrows anywhere), now and
            // then one in empty space beside flat art.
            std::vector<AIRealPoint> clicks;
            while (clicks.size() < static_cast<size_t>(row.points)) {
                const bool empty = flat && unit(random) < row.emptyShare;
                const AIRealPoint p = empty ? AIRealPoint{static_cast<AIReal>(40 + 400 * unit(random)),
                                                          static_cast<AIReal>(360 + 60 * unit(random))}
                                            : places[pick(random)];
                if (std::none_of(clicks.begin(), clicks.end(), [&](AIRealPoint q) { return std::hypot(p.h - q.h, p.v - q.v) < 1; }))
                    clicks.push_back(p);
            }
            const double length = 15 + 45 * unit(random), angle = 2 * kPi * unit(random);
            const AIRealPoint to{static_cast<AIReal>(clicks.back().h + length * std::cos(angle)),
                                 static_cast<AIReal>(clicks.back().v + length * std::sin(angle))};
            (void)Dimension(row.tool, clicks, to);  // a refused gesture leaves nothing
            // The helper stops at a refused press; the user lets the button go all the same.
            if (session->inGesture()) (void)session->mouseUp(to);
        }
        // Then a flat dimension in empty space, whose tool state the updates meet.
        ASSERT_EQ(Dimension("Horizontal Dimension", {{60, 460}, {160, 460}}, {110, 480}), kNoErr);
        const auto stored = drawingdiff::Records(*doc);
        ExpectUpdatesChangeNothing(flat ? 0.01 : 0);
        // Selected, the panels show the dimensions' styles; nothing stored changes.
        ASSERT_EQ(session->hostEvent([&] {
            for (ObjId d : Dimensions())
                if (AIErr err = doc->select(d)) return err;
            return kNoErr;
        }), kNoErr);
        session->ticks(20);
        ASSERT_EQ(session->hostEvent([] { return deselectAllArt(); }), kNoErr);
        session->ticks(20);
        EXPECT_EQ(drawingdiff::Differences(stored, drawingdiff::Records(*doc), 1e-4), std::vector<std::string>{});
    }
}

// Gestures of other seeds of the test above that updates once moved: the drag point a hair
// off the clicks' line or an end, a value a hair from a rounding step, a row of no length,
// a flag's leg dragged level, a leader ending on its circle, a click found again on its
// curve a rounding from where it was drawn. And presses beside a curve, within the hit's
// reach (a point, a sixteenth), which are taken on the curve where the update finds them;
// clicks on a line at 1:1 and a rectangle at 1:100, and on the line and in space while a
// layer at 1:20 is current; a curvature of the circle at 1:100, pressed on it or 10 points
// beside it, while that layer is current.
TEST_F(UpdateTwiceTest, GesturesNearTheirRoundingsStayWhereTheyWereDrawn) {
    g->prefs.gridSnapTolerance = 2;
    g->prefs.style.slideDimText = 1;
    const struct {
        const char* tool;
        Scene scene;
        std::vector<AIRealPoint> clicks;
        AIRealPoint to;
    } rows[] = {
        {"Aligned Datum Dimension", Scene::kFlat,
         {{130, 60}, {348.232239f, 318.232239f}, {328.976868f, 397.681519f}}, {346.04425f, 426.375854f}},
        {"Aligned Datum Dimension", Scene::kProjected,
         {{420, 105}, {359.19873f, 244.999985f}, {176.69873f, 235}}, {200.017502f, 222.507843f}},
        {"Axonometric Vertical Datum Dimension", Scene::kAxonometric,
         {{260, 182.5f}, {310, 208.867523f}, {210, 281.132416f}}, {214.927338f, 312.27887f}},
        {"Axonometric Horizontal Datum Dimension", Scene::kAxonometric,
         {{310.000031f, 281.132385f}, {360.000031f, 309.999939f}, {257.834961f, 366.484985f}},
         {229.894135f, 349.612762f}},
        {"Datum Flag", Scene::kFlat, {{130, 60}}, {84.0169907f, 59.7498589f}},
        {"Aligned Dimension", Scene::kFlat, {{314.644653f, 234.644653f}, {42.5f, 60}}, {56.8876915f, 33.4587936f}},
        {"Aligned Dimension", Scene::kFlat, {{398.232239f, 271.767761f}, {280, 62.5f}}, {305.231415f, 104.161896f}},
        {"Aligned Dimension", Scene::kProjected, {{220, 177.5f}, {298.756409f, 175.000015f}},
         {327.112366f, 124.278069f}},
        {"Axonometric Diameter Dimension", Scene::kAxonometricCircle, {{340.80127f, 225}}, {311.675049f, 215.28653f}},
        {"Axonometric Horizontal Dimension", Scene::kAxonometric,
         {{310.000031f, 281.132385f}, {310.000061f, 338.867462f}}, {277.832855f, 339.237671f}},
        {"Horizontal Dimension", Scene::kCircle, {{320.574951f, 310.424835f}, {394.167297f, 295.5f}}, {380, 360}},
        {"Fillet Dimension", Scene::kCircle, {{338.626251f, 221.249191f}}, {330, 160}},
        {"Horizontal Dimension", Scene::kLayers, {{280, 60}, {220, 60}}, {250, 30}},
        {"Horizontal Dimension", Scene::kLayers, {{40, 60}, {140, 400}}, {90, 430}},
        {"Curvature Dimension", Scene::kLayers, {{393.30127f, 295}}, {350, 320}},
        {"Curvature Dimension", Scene::kLayers, {{401.961524f, 300}}, {393.30127f, 295}},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.tool);
        ASSERT_FALSE(Draw(row.scene).empty());
        ASSERT_EQ(Dimension(row.tool, row.clicks, row.to), kNoErr) << session->lastError();
        ASSERT_EQ(Dimensions().size(), 1u);
        const bool axonometric = row.scene == Scene::kAxonometric || row.scene == Scene::kAxonometricCircle;
        ExpectUpdatesChangeNothing(axonometric ? 0 : 0.01);
    }
}

// A dimension is drawn again at the scale its measured art's layer stores, whatever the
// user's custom slots hold now (a drawing opened in another run, a slot given another scale
// or emptied): a 100-point line on a layer at 1:7 reads 700 points. A fixed scale reads the
// table's, in either scale style. A layer that stores no scale (as older drawings have
// them) is read at the default, 1:1 in layer-based style, and is given none by the update.
// A layer that held none when it was dimensioned keeps the scale it was dimensioned at,
// whatever is current later (another drawing brought to the front) and in either style.
TEST_F(UpdateTwiceTest, ADimensionKeepsItsLayersScaleWhateverTheUsersSlotsHold) {
    enum Later { kAsDrawn, kForgotten, kOtherCurrent, kLayerBased };
    struct Row {
        const char* name;
        int32_t style, id;
        AIReal scaler;
        const char* label;
        AIReal slotScaler;  // the user's slot of that id when the drawing is updated (0: empty)
        const char* text;
        Later later = kAsDrawn;  // kForgotten: the layer's scale entries removed once dimensioned
        bool current = false;    // the scale is the current one, the layer holding none
    } const rows[] = {
        {"custom, the slot emptied", kLayerBasedScaleStyle, 1, 7, "1:7", 0, "700.00"},
        {"custom, the slot holding 1:3", kLayerBasedScaleStyle, 1, 7, "1:7", 3, "700.00"},
        {"custom slot 0, holding 1:3", kLayerBasedScaleStyle, 0, 7, "1:7", 3, "700.00"},
        {"custom of the document, the slot emptied", kDocumentBasedScaleStyle, 9, 7, "1:7", 0, "700.00"},
        {"fixed 1:50", kLayerBasedScaleStyle, 25, 50, "1:50", 3, "5,000.00"},
        {"fixed 1:50 of the document", kDocumentBasedScaleStyle, 25, 50, "1:50", 3, "5,000.00"},
        {"none stored", kLayerBasedScaleStyle, 33, 1, "1:1", 0, "100.00", kForgotten},
        {"the document's 1:50, 1:20 current later", kDocumentBasedScaleStyle, 25, 50, "1:50", 3, "5,000.00",
         kOtherCurrent, true},
        {"the start-up 1:1, 1:20 current later", kDocumentBasedScaleStyle, 33, 1, "1:1", 0, "100.00", kOtherCurrent,
         true},
        {"the document's 1:100, then layer-based", kDocumentBasedScaleStyle, 24, 100, "1:100", 0, "10,000.00",
         kLayerBased, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const CustomScaleSlot slot = customSlot(g->prefs, row.id + 1);
        *slot.scaler = row.scaler;
        CopyCString(slot.label, kScaleLabelSize, row.label);
        if (row.current) {  // picked with no drawing open: the new drawing starts at it
            g->prefs.scale = row.id;
            g->prefs.scaler = row.scaler;
            CopyCString(g->prefs.scaleStr, row.label);
            NoteNewDrawingScale();
        }
        doc = &session->newDocument();
        SetScaleStyle(row.style);
        if (!row.current) {
            ASSERT_EQ(session->hostEvent([&] {
                AILayerHandle layer = nullptr;
                AIErr err = sAILayer->GetCurrentLayer(&layer);
                return err ? err : setLayerScale(layer, row.id, row.scaler, row.label);
            }), kNoErr);
        }
        Polyline({{100, 100}, {200, 100}});
        ASSERT_EQ(Dimension("Horizontal Dimension", {{100, 100}, {200, 100}}, {150, 130}), kNoErr);
        ASSERT_EQ(Texts(Dimensions().back()), std::vector<std::string>{row.text});
        *slot.scaler = row.slotScaler;
        CopyCString(slot.label, kScaleLabelSize, row.slotScaler > 0 ? "1:3" : "");
        if (row.later == kForgotten) {
            standin::Dict* layer = doc->editDict(doc->dictionaryOf(doc->currentLayer()));
            for (const char* key : {kLayerScaleIDKey, kLayerScalerKey, kLayerScaleStrKey}) layer->erase(key);
        } else if (row.later == kOtherCurrent) {
            g->prefs.scale = 27;
            g->prefs.scaler = 20;
            CopyCString(g->prefs.scaleStr, "1:20");
        } else if (row.later == kLayerBased) {
            SetScaleStyle(kLayerBasedScaleStyle);
        }
        const auto drawn = drawingdiff::Marks(*doc);
        const auto stored = drawingdiff::Records(*doc);
        for (int update = 0; update < 2; ++update) {
            ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
            EXPECT_EQ(Texts(Dimensions().back()), std::vector<std::string>{row.text});
            EXPECT_EQ(drawingdiff::Differences(drawn, drawingdiff::Marks(*doc)), std::vector<std::string>{});
            EXPECT_EQ(drawingdiff::Differences(stored, drawingdiff::Records(*doc), 1e-4), std::vector<std::string>{});
        }
    }
}

// Slashes lean as the tool that drew them leaned them (a vertical tool, or a horizontal one
// with option, turns them where the text stands beside the line), whatever tool is current
// at the update, and after the drawing is saved and opened again.
TEST_F(UpdateTwiceTest, SlashesLeanAsTheirToolDrewThem) {
    constexpr uint32_t kOption = aiEventModifiers_Option;
    const struct {
        const char* tool;
        uint32_t keys;
        int32_t terminator, vText;
    } rows[] = {{"Vertical Dimension", 0, 3, 2},       {"Vertical Dimension", 0, 8, 3},
                {"Horizontal Dimension", 0, 3, 3},     {"Horizontal Dimension", 0, 8, 2},
                {"Horizontal Dimension", kOption, 3, 2}, {"Vertical Dimension", kOption, 8, 3},
                {"Vertical Datum Dimension", 0, 8, 2}, {"Horizontal Datum Dimension", 0, 3, 3}};
    doc = &session->newDocument();
    for (size_t i = 0; i < std::size(rows); ++i) {
        g->prefs.style.arrowheadStyle = rows[i].terminator;
        g->prefs.style.vTextPlacement = rows[i].vText;
        const AIReal x = 100.0f * static_cast<AIReal>(i);
        Rect(x, 100, 60, 80);
        const std::vector<AIRealPoint> clicks = {{x, 100}, {x + 60, 180}, {x, 180}};
        const size_t count = std::string(rows[i].tool).find("Datum") == std::string::npos ? 2 : 3;
        ASSERT_EQ(Dimension(rows[i].tool, {clicks.begin(), clicks.begin() + count}, {x + 80, 60}, rows[i].keys), kNoErr);
    }
    const auto drawn = drawingdiff::Marks(*doc);
    ASSERT_EQ(session->selectTool("Vertical Dimension"), kNoErr);
    ExpectUpdatesChangeNothing();
    const ScratchFolder scratch;
    std::string error;
    ASSERT_TRUE(standin::io::saveDocumentFile(*doc, scratch.path("slashes.json"), error)) << error;
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(session->openDocument([&] {
        return standin::io::openDocumentFile(host, scratch.path("slashes.json"), error) ? kNoErr : kDataFilterErr;
    }), kNoErr) << error;
    doc = host.frontDocument();
    ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
    EXPECT_EQ(drawingdiff::Differences(drawn, drawingdiff::Marks(*doc)), std::vector<std::string>{});
}

// A label pressed on a line (a bubble also in space) and dragged into empty space, then art
// drawn with an anchor a point beside one of its ends: the end was placed before that art
// was there, so an update leaves it where it is. Likewise a label pressed 2 points from the
// end of a centre line drawn before it: its press stays on the line it measures. Moved, the
// line takes the label along whole (a bubble in space stays).
TEST_F(UpdateTwiceTest, ArtDrawnLaterBesideALabelsEndDoesNotMoveIt) {
    constexpr AIRealPoint kOnLine{130, 60}, kInSpace{100, 200}, kEnd{170, 130};
    g->prefs.gridSnapTolerance = 2;  // presses 4 points off the grid stay where they are
    struct Row {
        const char* tool;
        AIRealPoint press;
        AIRealPoint beside;  // the later art's first anchor, a point from an end
        bool centreLineFirst = false;  // instead a centre line from there, drawn first
    };
    const Row rows[] = {
        {"Section Line", kOnLine, {171, 131}},   {"Section Line", kOnLine, {131, 61}},
        {"Center Line", kOnLine, {171, 131}},    {"Center Line", kOnLine, {131, 61}},
        {"Pointer Label", kOnLine, {171, 131}},  {"Pointer Label", kOnLine, {131, 61}},
        {"Datum Flag", kOnLine, {171, 131}},     {"Datum Flag", kOnLine, {131, 61}},
        {"Datum Feature", kOnLine, {171, 131}},  {"Datum Feature", kOnLine, {129, 61}},
        {"Datum Target", kOnLine, {171, 131}},   {"Datum Target", kOnLine, {129, 61}},
        {"Revision Bubble", kInSpace, {171, 131}}, {"Revision Bubble", kInSpace, {101, 201}},
        {"Revision Bubble", kOnLine, {171, 131}},  {"Revision Bubble", kOnLine, {131, 61}},
        {"Section Line", {134, 60}, {136, 60}, true}, {"Datum Flag", {134, 60}, {136, 60}, true},
        {"Pointer Label", {134, 60}, {136, 60}, true},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.tool) + " beside " + std::to_string(row.beside.h));
        doc = &session->newDocument();
        const ObjId line = Polyline({{40, 60}, {220, 60}});
        const AIRealPoint away{row.beside.h + 30, row.beside.v + 40};
        if (row.centreLineFirst) {
            ASSERT_EQ(Dimension("Center Line", {row.beside}, away), kNoErr) << session->lastError();
        }
        ASSERT_EQ(Dimension(row.tool, {row.press}, kEnd), kNoErr) << session->lastError();
        ASSERT_EQ(Dimensions().size(), row.centreLineFirst ? 2u : 1u);
        const ObjId later = row.centreLineFirst ? 0 : Polyline({row.beside, away});
        const auto drawn = drawingdiff::Marks(*doc);
        for (int update = 0; update < 2; ++update) {
            ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
            EXPECT_EQ(drawingdiff::Differences(drawn, drawingdiff::Marks(*doc)), std::vector<std::string>{});
        }
        if (row.press.v != kOnLine.v) continue;
        const AIRealMatrix down{1, 0, 0, 1, 0, -20};
        ASSERT_EQ(session->hostEvent([&] { return sAITransformArt->TransformArt(Art(line), &down, 1, 0x41); }), kNoErr);
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
        auto moved = drawn;  // every v of a path, a text's ty
        for (drawingdiff::Mark& m : moved)
            for (size_t k = m.words.starts_with("text") ? 5 : 1; m.id != later && k < m.numbers.size(); k += 2)
                m.numbers[k] -= 20;
        EXPECT_EQ(drawingdiff::Differences(moved, drawingdiff::Marks(*doc)), std::vector<std::string>{});
    }
}

// An edit that adds, removes or renumbers anchors of a measured path carries the clicks of
// its dimensions to the same points: "Update Dimensions" afterwards draws just what was
// there. A plate (top-left, top-right, bottom-right, bottom-left) carries its width, its
// height, the angle at its bottom-right corner and a datum chain up its left side to a place
// on it; a flange, an open path from a hooked start S, along the bottom A-B, up B-C and back
// to D, its width, the height of S over B, the angle at B and a datum chain along its top.
TEST_F(UpdateTwiceTest, AnEditKeepsWhatMeasuresThePathItEdits) {
    const AIRealPoint S{60, 140}, A{100, 100}, B{220, 100}, C{220, 160}, D{160, 160};
    const AIRealPoint onHook{62.03125f, 121.09375f};  // t = 0.25 of the hook
    const auto click = [&](const char* tool, std::vector<AIRealPoint> points, uint32_t keys = aiEventModifiers_Option) {
        ASSERT_EQ(session->selectTool(tool), kNoErr);
        for (size_t i = 0; i < points.size(); ++i)
            ASSERT_EQ(session->click(points[i], i + 1 == points.size() ? keys : 0), kNoErr) << session->lastError();
    };
    const struct Row {
        const char* name;
        bool plate;
        std::vector<std::vector<AIRealPoint>> lines;  // crossing or boundary lines drawn first
        std::function<void()> edit;
        const char* height = nullptr;  // as the edit leaves it, where it moves a measured end
    } rows[] = {
        {"fillet of the top-left corner", true, {}, [&] { click("Fillet", {{200, 200}, {100, 175}}); }},
        {"chamfer of the top-left corner", true, {}, [&] { click("Chamfer", {{200, 200}, {100, 175}}); }},
        {"path divider adding anchors", true, {}, [&] { click("Path Divider", {{200, 200}}); }},
        {"path divider breaking the plate apart", true, {}, [&] {
             g->pathDividerAction = 0;
             click("Path Divider", {{200, 200}});
         }},
        {"trim adding an anchor on A-B", false, {{{130, 80}, {130, 120}}}, [&] {
             g->prefs.trimToolDeletes = 0;
             click("Trim", {{160, 100}}, 0);
         }},
        {"trim cutting A-B in two paths", false, {{{130, 80}, {130, 120}}, {{150, 80}, {150, 120}}}, [&] {
             g->prefs.trimToolDeletes = 1;
             click("Trim", {{140, 100}}, 0);
         }},
        // The hook's start runs on up its tangent to (60, 170), 70 over B.
        {"extend of the hook's start", false, {{{40, 170}, {80, 170}}}, [&] { click("Extend", {onHook, {50, 170}}, 0); },
         "70.00"},
        {"line joined at the path's start", false, {}, [&] {
             g->prefs.okToConnectCADlinePaths = 1;
             ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
             ASSERT_EQ(session->mouseDown(S), kNoErr);
             ASSERT_EQ(session->mouseDrag({45, 145}), kNoErr);
             ASSERT_EQ(session->mouseUp({30, 140}), kNoErr);
         }},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        doc = &session->newDocument();
        g->prefs.filletRadius = 20;
        g->prefs.chamferDistance1 = g->prefs.chamferDistance2 = 15;
        g->pathDividerMethod = 3;  // four equal parts of 150 from the top-left corner
        g->pathDividerEqualNumDivs = 4;
        g->pathDividerAction = 1;
        g->pathDividerAddCrosshairs = 0;
        for (const auto& line : row.lines) Polyline(line);
        if (row.plate) {
            Rect(100, 100, 200, 100);
            ASSERT_EQ(Dimension("Horizontal Dimension", {{100, 100}, {300, 100}}, {200, 60}), kNoErr);
            ASSERT_EQ(Dimension("Vertical Dimension", {{300, 100}, {300, 200}}, {340, 150}), kNoErr);
            ASSERT_EQ(Dimension("Angular Dimension", {{260, 100}, {300, 140}}, {280, 120}), kNoErr);
            ASSERT_EQ(Dimension("Vertical Datum Dimension", {{100, 100}, {100, 150}}, {60, 150}), kNoErr);
        } else {
            ObjId flange = 0;
            ASSERT_EQ(session->hostEvent([&] {
                return Doc().addPath({{S, S, {60, 110}, false}, {A, {70, 100}, A, true}, {B, B, B, true},
                                      {C, C, C, true}, {D, D, D, true}},
                                     false, &flange);
            }), kNoErr);
            ASSERT_EQ(Dimension("Horizontal Dimension", {A, B}, {160, 60}), kNoErr);
            ASSERT_EQ(Dimension("Vertical Dimension", {B, S}, {260, 130}), kNoErr);
            ASSERT_EQ(Dimension("Angular Dimension", {{180, 100}, {220, 130}}, {200, 120}), kNoErr);
            ASSERT_EQ(Dimension("Horizontal Datum Dimension", {D, C}, {190, 190}), kNoErr);
        }
        const size_t alerts = Alerts().size();
        row.edit();
        const auto edited = drawingdiff::Marks(*doc);
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
        EXPECT_EQ(g->dimensionsRedrawn, 4);  // each found its clicks, and drew what it drew
        std::vector<std::string> texts;
        for (ObjId d : Dimensions()) texts.push_back(Texts(d).at(0));
        using Shown = std::vector<std::string>;
        Shown shown = row.plate ? Shown{"200.00", "100.00", "90.00", "50.00"} : Shown{"120.00", "40.00", "90.00", "60.00"};
        if (row.height) shown[1] = row.height;
        EXPECT_EQ(texts, shown);
        if (!row.height) {  // else the height is drawn anew to the end's new place
            EXPECT_EQ(drawingdiff::Differences(edited, drawingdiff::Marks(*doc), 0.01), std::vector<std::string>{});
        }
        EXPECT_EQ(Alerts().size(), alerts) << (Alerts().empty() ? "" : Alerts().back());
    }
}

// A fillet of a measured corner removes the point its width and height measure: they are
// kept as drawn and named, while the angle beside it and the datum chain are carried. Undone,
// the plate and every click are as they were, and all four follow it again. A fillet of art
// no dimension measures writes no record and tells nothing.
TEST_F(UpdateTwiceTest, AnEditThatRemovesAMeasuredPointKeepsItsDimensionsAsDrawn) {
    Rect(100, 100, 200, 100);
    const ObjId plain = Rect(400, 100, 100, 100);
    ASSERT_EQ(Dimension("Horizontal Dimension", {{100, 100}, {300, 100}}, {200, 60}), kNoErr);
    ASSERT_EQ(Dimension("Vertical Dimension", {{300, 100}, {300, 200}}, {340, 150}), kNoErr);
    ASSERT_EQ(Dimension("Angular Dimension", {{260, 100}, {300, 140}}, {280, 120}), kNoErr);
    ASSERT_EQ(Dimension("Vertical Datum Dimension", {{100, 100}, {100, 150}}, {60, 150}), kNoErr);
    const auto stored = drawingdiff::Records(*doc);
    g->prefs.filletRadius = 20;
    ASSERT_EQ(session->selectTool("Fillet"), kNoErr);
    ASSERT_EQ(session->click({200, 100}), kNoErr);
    ASSERT_EQ(session->click({300, 160}, aiEventModifiers_Option), kNoErr);
    ASSERT_FALSE(Alerts().empty());
    EXPECT_EQ(Alerts().back(), "These dimensions measured a point that an edit removed, or a whole path that it broke "
                               "apart or joined to another, so they were kept as drawn and no longer follow their art: "
                               "\"100.00\"; \"200.00\"");
    const auto edited = drawingdiff::Marks(*doc);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
    EXPECT_EQ(g->dimensionsRedrawn, 2);
    EXPECT_EQ(g->dimensionsKept, 2);
    EXPECT_EQ(drawingdiff::Differences(edited, drawingdiff::Marks(*doc), 0.01), std::vector<std::string>{});

    ASSERT_TRUE(session->userUndo());  // the update changed nothing: the fillet is undone
    EXPECT_EQ(drawingdiff::Differences(stored, drawingdiff::Records(*doc), 0), std::vector<std::string>{});
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
    EXPECT_EQ(g->dimensionsRedrawn, 4);

    const size_t alerts = Alerts().size();
    ASSERT_EQ(session->click({450, 100}), kNoErr);
    ASSERT_EQ(session->click({500, 150}, aiEventModifiers_Option), kNoErr);
    EXPECT_EQ(doc->art(plain)->segments.size(), 5u);
    EXPECT_EQ(drawingdiff::Differences(stored, drawingdiff::Records(*doc), 0), std::vector<std::string>{});
    EXPECT_EQ(Alerts().size(), alerts);

    // A circle broken in two: its diameter and centre mark measured it whole, as no piece is.
    ASSERT_EQ(session->hostEvent([&] { return Doc().addEllipse(100, 300, 60, 60); }), kNoErr);
    ASSERT_EQ(Dimension("Diameter Dimension", {{160, 330}}, {190, 310}), kNoErr);
    ASSERT_EQ(Dimension("Center Mark", {{100, 330}}, {100, 330}), kNoErr);
    g->pathDividerMethod = 3;
    g->pathDividerEqualNumDivs = 2;
    g->pathDividerAction = g->pathDividerAddCrosshairs = 0;
    ASSERT_EQ(session->selectTool("Path Divider"), kNoErr);
    ASSERT_EQ(session->click({160, 330}, aiEventModifiers_Option), kNoErr);
    EXPECT_NE(Alerts().back().find(" 60.00\""), std::string::npos) << Alerts().back();
    const auto broken = drawingdiff::Marks(*doc);
    ASSERT_EQ(session->menu("Update Dimensions"), kNoErr) << session->lastError();
    EXPECT_EQ(g->dimensionsKept, 2);
    EXPECT_EQ(drawingdiff::Differences(broken, drawingdiff::Marks(*doc), 0.01), std::vector<std::string>{});
}

}  // namespace
}  // namespace dimtest
