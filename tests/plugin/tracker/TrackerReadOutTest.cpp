// The tracker's read-out: what a selection shows (open and closed paths, paths that cross
// themselves, a compound path with a hole or crossing outlines, text, mixed scales,
// dimensions, axonometric art in flat measures), the scale and acres, the reference point,
// what is remembered for the actions, and the panel's pictures, keys and popout. Values are
// worked by hand.
#include <cstring>
#include <tuple>

#include "AITextFrame.h"
#include "IText.h"
#include "TrackerFixture.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseStrings.h"
#include "dimensions/DimensionStorage.h"
#include "panels/PanelFrame.h"
#include "tracker/SelectionTransform.h"
#include "tracker/TrackerReadOut.h"
#include "units/LayerScales.h"

namespace trackertest {
namespace {

using ReadOutTest = TrackerSession;

constexpr AIReal kNone = kMissingValue;

struct Shown {
    std::string w, h, length, perimeter, area;
};

// The front drawing at the fixed scale of that scaler, as the document panel stores a pick.
void DrawAtScaler(ReadOutTest& t, AIReal scaler) {
    for (int32_t id = 11; id < 40; ++id) {
        AIReal tableScaler = 0;
        char label[32] = {};
        getScaleDataFromScaleID(id, &tableScaler, label);
        if (tableScaler == scaler) return t.DrawAt(id, scaler, label);
    }
    ADD_FAILURE() << "no fixed scale of scaler " << scaler;
}

void ExpectShown(ReadOutTest& t, const Shown& e, const char* what) {
    EXPECT_EQ(t.Text(kReadOutW), e.w) << what;
    EXPECT_EQ(t.Text(kReadOutH), e.h) << what;
    EXPECT_EQ(t.Text(kReadOutLength), e.length) << what;
    EXPECT_EQ(t.Text(kReadOutPerimeter), e.perimeter) << what;
    EXPECT_EQ(t.Text(kReadOutArea), e.area) << what;
}

TEST_F(ReadOutTest, ASelectionShowsItsSizeLengthPerimeterAndArea) {
    const ObjId slope = Polyline({{0, 0}, {30, 40}});        // 50 long
    const ObjId flat = Polyline({{0, 100}, {30, 100}});      // 30 long
    const ObjId plate = Rect(50, 0, 100, 50);                 // 300 round, 5000 inside
    // Two triangles of 2,500 meeting at (50, 50), 200 + 200 sqrt 2 round.
    const ObjId bowTie = Polyline({{0, 0}, {100, 100}, {100, 0}, {0, 100}}, true);
    // Round a 200 square, then round a 100 square inside it: 800 + 400 + 2 x 50 sqrt 2.
    const std::vector<AIRealPoint> twice = {{0, 0},    {200, 0},    {200, 200}, {0, 200},  {0, 0},
                                            {50, 50}, {150, 50}, {150, 150}, {50, 150}, {50, 50}};
    const ObjId nonZero = Polyline(twice, true), evenOdd = Polyline(twice, true);
    session->hostEvent([&] {
        AIPathStyle style{};
        sAIPathStyle->GetPathStyle(Art(evenOdd), &style);
        style.evenodd = true;
        return sAIPathStyle->SetPathStyle(Art(evenOdd), &style);
    });
    const struct {
        const char* what;
        std::initializer_list<ObjId> art;
        Shown shown;
    } kCases[] = {
        {"one open path", {slope}, {"30.00", "40.00", "50.00", "", ""}},
        {"one closed path", {plate}, {"100.00", "50.00", "", "300.00", "5000.00 sq"}},
        {"two open paths", {slope, flat}, {"30.00", "100.00", "80.00", "", ""}},
        {"an open and a closed path", {slope, plate}, {"150.00", "50.00", "", "350.00", "5000.00 sq"}},
        {"a bow tie", {bowTie}, {"100.00", "100.00", "", "482.84", "5000.00 sq"}},
        {"a square round a square, non-zero", {nonZero}, {"200.00", "200.00", "", "1341.42", "40000.00 sq"}},
        {"a square round a square, even-odd", {evenOdd}, {"200.00", "200.00", "", "1341.42", "30000.00 sq"}},
    };
    for (const auto& c : kCases) {
        Select(c.art);
        ExpectShown(*this, c.shown, c.what);
        EXPECT_TRUE(Enabled(kTransformButton)) << c.what;
    }
    EXPECT_EQ(Text(kLengthCaption), "Length");
    EXPECT_EQ(Text(kPerimeterCaption), "Perimeter");
}

TEST_F(ReadOutTest, TextShowsItsSizeAlone) {
    AIArtHandle text = nullptr;
    session->hostEvent([&] {
        sAITextFrame->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {20, 30}, &text);
        ATE::TextRangeRef ref = nullptr;
        sAITextFrame->GetATETextRange(text, &ref);
        ATE::ITextRange(ref).InsertAfter("Plate");
        return kNoErr;
    });
    Select({Id(text)});
    EXPECT_NE(Text(kReadOutW), "");
    EXPECT_NE(Text(kReadOutH), "");
    ExpectShown(*this, {Text(kReadOutW), Text(kReadOutH), "", "", ""}, "text");  // a 0 shows blank
}

// A compound path of an outline and a hole, each closed and wound in the order of its
// corners, filled by the even-odd rule or the non-zero one.
AIArtHandle NewCompound(const std::vector<AIRealPoint>& outline, const std::vector<AIRealPoint>& hole, bool evenOdd) {
    AIArtHandle compound = nullptr;
    sAIArt->NewArt(kCompoundPathArt, kPlaceAboveAll, nullptr, &compound);
    for (const auto* ring : {&outline, &hole}) {
        std::vector<AIPathSegment> s;
        for (const AIRealPoint& p : *ring) s.push_back({p, p, p, true});
        AIArtHandle path = nullptr;
        sAIArt->NewArt(kPathArt, kPlaceInsideOnBottom, compound, &path);
        sAIPath->SetPathSegmentCount(path, static_cast<int16_t>(s.size()));
        sAIPath->SetPathSegments(path, 0, static_cast<int16_t>(s.size()), s.data());
        sAIPath->SetPathClosed(path, true);
    }
    AIPathStyle style{};
    sAIPathStyle->GetPathStyle(compound, &style);
    style.evenodd = evenOdd;
    sAIPathStyle->SetPathStyle(compound, &style);
    return compound;
}

// A hole wound as each row says: the area is what the compound fills by its rule, and the
// perimeter runs round the hole too.
TEST_F(ReadOutTest, ACompoundPathsAreaFollowsItsFillRule) {
    const std::vector<AIRealPoint> square = {{0, 0}, {100, 0}, {100, 100}, {0, 100}};       // anticlockwise
    const std::vector<AIRealPoint> squareHole = {{25, 25}, {25, 75}, {75, 75}, {75, 25}};    // clockwise
    const std::vector<AIRealPoint> plate = {{0, 0}, {300, 0}, {300, 200}, {0, 200}};        // anticlockwise
    const std::vector<AIRealPoint> same = {{100, 50}, {150, 50}, {150, 100}, {100, 100}};  // anticlockwise
    const std::vector<AIRealPoint> other(same.rbegin(), same.rend());
    const std::vector<AIRealPoint> big = {{0, 0}, {200, 0}, {200, 200}, {0, 200}};           // anticlockwise
    const std::vector<AIRealPoint> across = {{100, 100}, {300, 100}, {300, 300}, {100, 300}};  // over its corner
    const struct {
        const char* what;
        bool evenOdd;
        const std::vector<AIRealPoint>* outline;
        const std::vector<AIRealPoint>* hole;
        Shown shown;
    } kCases[] = {
        {"a 100 square, non-zero", false, &square, &squareHole, {"100.00", "100.00", "", "600.00", "7500.00 sq"}},
        {"non-zero", false, &plate, &other, {"300.00", "200.00", "", "1200.00", "57500.00 sq"}},
        // No hole: both wind once round it.
        {"non-zero, wound alike", false, &plate, &same, {"300.00", "200.00", "", "1200.00", "60000.00 sq"}},
        {"even-odd, wound alike", true, &plate, &same, {"300.00", "200.00", "", "1200.00", "57500.00 sq"}},
        {"even-odd", true, &plate, &other, {"300.00", "200.00", "", "1200.00", "57500.00 sq"}},
        // Two 200 squares overlapping by 100 x 100: both, less the overlap once or twice.
        {"crossing, non-zero", false, &big, &across, {"300.00", "300.00", "", "1600.00", "70000.00 sq"}},
        {"crossing, even-odd", true, &big, &across, {"300.00", "300.00", "", "1600.00", "60000.00 sq"}},
    };
    for (const auto& c : kCases) {
        AIArtHandle compound = nullptr;
        session->hostEvent([&] {
            compound = NewCompound(*c.outline, *c.hole, c.evenOdd);
            return kNoErr;
        });
        Select({Id(compound)});
        ExpectShown(*this, c.shown, c.what);
    }
}

// A layer-based drawing: the art on "Plan" (1:50) reads at 1:50, as its dimensions do; the
// art on "Layer 1" (1:1) at 1:1. The transform fields take typed sizes at that scale.
TEST_F(ReadOutTest, LayerBasedDrawingsReadAtTheScaleOfTheArtsLayer) {
    SetScaleStyle(2);
    const ObjId onFirst = Rect(0, 0, 100, 20);
    session->hostEvent([&] { return doc->setCurrentLayer(doc->addLayer("Plan")); });
    const ObjId onPlan = Rect(0, 50, 100, 20);
    session->hostEvent([&] {
        return setLayerScale(standin::suites::layerHandle(doc->layerByTitle("Plan")), 25, 50.0f, "1:50");
    });
    const struct {
        ObjId art;
        const char *scale, *width, *perimeter, *area;
    } kCases[] = {{onPlan, "1:50", "5000.00", "12000.00", "5000000.00 sq"},
                  {onFirst, "1:1", "100.00", "240.00", "2000.00 sq"},
                  {onPlan, "1:50", "5000.00", "12000.00", "5000000.00 sq"}};
    for (const auto& c : kCases) {
        Select({c.art});
        EXPECT_EQ(Text(kReadOutW), c.width) << c.scale;
        EXPECT_EQ(Text(kReadOutPerimeter), c.perimeter) << c.scale;
        EXPECT_EQ(Text(kReadOutArea), c.area) << c.scale;
        EXPECT_EQ(Text(kReadOutScale), c.scale);
    }
    // Typed at 1:50: 2,500 is half the line.
    Type(kTransformW, "2500", kADMTabKey);
    Press(kTransformButton);
    EXPECT_EQ(Bounds(onPlan).right - Bounds(onPlan).left, 50);
    // A move typed at 1:1 is as long at 1:50: 100 moves the plan's line 2 pt.
    Select({onFirst});
    Type(kMoveX, "100");
    Select({onPlan});
    Press(kMoveButton);
    EXPECT_EQ(Bounds(onPlan).left, 2);

    // Measuring changed not the scale the tools draw at, the current layer's ("Plan"); a
    // drawing tool draws at the scale of the layer it draws on, the current one: a 50-pt drag
    // on "Plan" reads 2,500 at 1:50, on "Layer 1" 50 at 1:1; but one joining the plan's line
    // from its end lies on "Plan", and reads at 1:50.
    EXPECT_EQ(g->prefs.scaler, 50.0f);
    Select({});
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    for (const auto& [layer, x, length, scale] :
         {std::tuple{"Plan", 100.0f, "2500.00", "1:50"}, {"Layer 1", 100.0f, "2500.00", "1:50"},
          {"Layer 1", 300.0f, "50.00", "1:1"}}) {
        session->hostEvent([&] { return doc->setCurrentLayer(doc->layerByTitle(layer)); });
        ASSERT_EQ(session->mouseDown({x, 100}), kNoErr);
        ASSERT_EQ(session->mouseDrag({x + 30, 140}), kNoErr);
        EXPECT_EQ(Text(kReadOutLength), length) << layer << " " << x;
        EXPECT_EQ(Text(kReadOutScale), scale) << layer << " " << x;
        ASSERT_EQ(session->mouseUp({x + 30, 140}), kNoErr);
    }
}

// A tool's drag reaches the panel through the service the tools call: a line from (100, 100)
// to (130, 140) is 30 wide, 40 high and 50 long; choosing another tool empties the panel.
TEST_F(ReadOutTest, AToolsDragIsShownUntilTheToolIsPutDown) {
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    ASSERT_EQ(session->mouseDown({100, 100}), kNoErr);
    ASSERT_EQ(session->mouseDrag({130, 140}), kNoErr);
    ExpectShown(*this, {"30.00", "40.00", "50.00", "", ""}, "dragging");
    EXPECT_EQ(Text(kReadOutAngle), "53\xB0");  // atan(40 / 30) = 53.13 degrees
    ASSERT_EQ(session->mouseUp({130, 140}), kNoErr);
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ExpectShown(*this, {"", "", "", "", ""}, "another tool");
}

TEST_F(ReadOutTest, NothingToMeasureEmptiesThePanelAndDisablesTheActions) {
    SetScaleStyle(kLayerBasedScaleStyle);  // each layer its own scale
    const ObjId a = Rect(0, 0, 10, 10);
    session->hostEvent([&] { return doc->setCurrentLayer(doc->addLayer("Plan")); });
    const ObjId b = Rect(20, 0, 10, 10);
    session->hostEvent([&] {
        return setLayerScale(standin::suites::layerHandle(doc->layerByTitle("Plan")), 25, 50.0f, "1:50");
    });
    AIArtHandle dimension = nullptr, part = nullptr, empty = nullptr;
    session->hostEvent([&] {
        g->prefs.createLiveDimensions = 1;
        sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &dimension);
        sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, dimension, &part);
        sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &empty);
        return SetDimensionData(dimension, nullptr);
    });
    const struct {
        const char* what;
        std::initializer_list<ObjId> art;
    } kCases[] = {
        {"layers of two scales", {a, b}},
        {"a dimension and its parts", {Id(dimension)}},
        {"a group with nothing in it", {Id(empty)}},
    };
    for (const auto& c : kCases) {
        Select({a});
        ASSERT_TRUE(Enabled(kRepeatButton)) << c.what;
        Select(c.art);
        ExpectShown(*this, {"", "", "", "", ""}, c.what);
        EXPECT_EQ(Text(kReadOutScale), "") << c.what;
        for (int32_t item : {kTransformX, kTransformButton, kMoveButton, kMoveCopyButton, kRepeatButton, kAreaField,
                             kAreaButton, kConstrainCheckBox})
            EXPECT_FALSE(Enabled(item)) << c.what << " item " << item;
        EXPECT_EQ(Text(kTransformX), "0.00") << c.what;
    }
}

TEST_F(ReadOutTest, EveryDigitShownIsRight) {
    // Rectangles as the CAD Rectangle dialog draws them: from the corner clicked, sides of the
    // typed sizes at the drawing scale, corners kept by the host as 32-bit reals.
    g->prefs.style.appendUpperUnitLabels = 1;
    g->prefs.useThousandsSeparator = 1;
    const struct {
        const char* what;
        AIReal x0, y0;
        double width, height;  // typed, in millimetres
        float scaler;
        int16_t units, precision;
        Shown shown;
    } kCases[] = {
        {"a 5,000 x 4,000 mm room at 1:50", 300, 500, 5000, 4000, 50, kMillimeterUnits, 0,
         {"5,000 mm", "4,000 mm", "", "18,000 mm", "20,000,000 mm sq"}},
        {"the same at 2 places", 0, 500, 5000, 4000, 50, kMillimeterUnits, 2,
         {"5,000.00 mm", "4,000.00 mm", "", "18,000.00 mm", "20,000,000.00 mm sq"}},
        {"in square metres", 1000, -700, 5000, 4000, 50, kMeterUnits, 3,
         {"5.000 m", "4.000 m", "", "18.000 m", "20.000 m sq"}},
        {"a 10 x 10 pt plate at 5 places", 0, 0, 10 * 25.4 / 72, 10 * 25.4 / 72, 1, kPointUnits, 5,
         {"10.00000 pt", "10.00000 pt", "", "40.00000 pt", "100.00000 pt sq"}},
        // Sides a float's rounding short of a half tick read as the dimension tools read
        // them: 0.74999996 m, 4'-7 1/2" less 1.3e-6", 41.0104999' (the half less 1.2e-7').
        {"a 750 mm square in metres", 0, 0, 750, 750, 1, kMeterUnits, 1, {"0.8 m", "0.8 m", "", "3.0 m", "0.6 m sq"}},
        {"a 4'-7 1/2\" square at 1:50", 0, 0, 1409.7, 1409.7, 50, kFeetFractionalInchMarkUnits, 0,
         {"4'-8\"", "4'-8\"", "", "18'-6\"", "21 ft sq"}},
        {"a 12,500 x 4,000 mm room at 1:100 in feet", 0, 0, 12500, 4000, 100, kDecimalFeetMarkUnits, 3,
         {"41.011'", "13.123'", "", "108.268'", "538.196' sq"}},
        // 3e-5 mm short of the half: its width's error is the spacing along x alone, 1e-6 mm,
        // wherever it lies (at y 1030 the spacing of y is 4e-5 mm).
        {"a 10.00047 x 4 mm plate at y 1030", 0, 1030, 10.00047, 4, 1, kMillimeterUnits, 3,
         {"10.000 mm", "4.000 mm", "", "28.001 mm", "40.002 mm sq"}},
    };
    for (const auto& c : kCases) {
        DrawAtScaler(*this, c.scaler);
        g->prefs.CADtrackerUnits = c.units;
        g->prefs.CADtrackerPrecision = c.precision;
        const auto w = static_cast<AIReal>(c.width / 25.4 * 72 / c.scaler);
        const auto h = static_cast<AIReal>(c.height / 25.4 * 72 / c.scaler);
        Select({Polyline({{c.x0, c.y0}, {c.x0 + w, c.y0}, {c.x0 + w, c.y0 - h}, {c.x0, c.y0 - h}}, true)});
        ExpectShown(*this, c.shown, c.what);
    }
    // A tool's report reads as a dimension of its two points: the distance tool along
    // 35,710.073 mm at 1:500 from x 0.7, whose ends lie 35,710.0721 mm apart (the float
    // nearest that, 35,710.0727 mm, is no length drawn).
    g->prefs.scaler = 500;
    g->prefs.CADtrackerUnits = kMillimeterUnits;
    g->prefs.CADtrackerPrecision = 2;
    const AIReal from = 0.7f, to = from + static_cast<AIReal>(35710.073 / 25.4 * 72 / 500);
    const double span = static_cast<double>(to) - from;
    tracker::updateTrackerWindow(to, 0, span, 0, span, 0, kNone, 0, span, kNone, kNone);
    EXPECT_EQ(Text(kReadOutW), "35,710.07 mm");
    EXPECT_EQ(Text(kReadOutLength), "35,710.07 mm");
}

TEST_F(ReadOutTest, LengthsAndAreasAreShownAtTheDrawingScaleAndAreasInAcresOnRequest) {
    DrawAtScaler(*this, 2);
    Select({Rect(0, 0, 100, 50)});
    ExpectShown(*this, {"200.00", "100.00", "", "600.00", "20000.00 sq"}, "at 1:2");
    EXPECT_EQ(Text(kReadOutScale), "1:2");
    EXPECT_EQ(Text(kAreaField), "20000.00");
    DrawAtScaler(*this, 1);
    Select({});
    // One acre is 43,560 square feet of 864 × 864 square points.
    const struct {
        int acres, labels, rulerPrecision;
        AIReal area;
        const char* field;
        const char* shown;
    } kCases[] = {
        {1, 0, 2, 32517365760.0f, "1.00", "1.00"},
        {1, 1, 2, 32517365760.0f, "1.00", "1.00 acres"},
        {1, 0, 0, 3 * 32517365760.0f, "3", "3"},
        {1, 0, 9, 32517365760.0f, "1.00000", "1.00000"},   // past the formats: the finest
        {0, 0, 2, 5000, "5000.00", "5000.00 sq"},
    };
    for (const auto& c : kCases) {
        g->prefs.displayAcres = c.acres;
        g->prefs.style.appendUpperUnitLabels = c.labels;
        g->prefs.rulerPrecision = c.rulerPrecision;
        tracker::updateTrackerWindow(0, 0, 1, 1, 1, 1, kNone, kNone, kNone, 300, c.area);
        EXPECT_EQ(Text(kAreaField), c.field) << c.shown;
        EXPECT_EQ(Text(kReadOutArea), c.shown);
    }
}

TEST_F(ReadOutTest, TheTransformFieldsShowTheChosenReferencePoint) {
    // x 10, y 20, a box of 100 × 50 below it: the Info section shows y downwards.
    const struct {
        const char *x, *y;
    } kPoints[] = {{"10.00", "-20.00"}, {"60.00", "-20.00"}, {"110.00", "-20.00"},
                   {"10.00", "5.00"},   {"60.00", "5.00"},   {"110.00", "5.00"},
                   {"10.00", "30.00"},  {"60.00", "30.00"},  {"110.00", "30.00"}};
    for (int32_t code = 0; code < 9; ++code) {
        g->prefs.moveType = code;
        tracker::updateTrackerWindow(10, 20, 100, 50, 100, 50, kNone, 30, 12, kNone, kNone);
        EXPECT_EQ(Text(kTransformX), kPoints[code].x) << code;
        EXPECT_EQ(Text(kTransformY), kPoints[code].y) << code;
        EXPECT_EQ(Text(kReadOutX), "10.00");
        EXPECT_EQ(Text(kReadOutY), "-20.00");
    }
    EXPECT_EQ(Text(kReadOutAngle), "30\xB0");
    EXPECT_EQ(g->annotatorY, -20);
    EXPECT_EQ(g->annotatorH, -50);
    // What the actions compare the fields with, byte for byte.
    EXPECT_STREQ(g->transformXfldStr, "110.00");
    EXPECT_STREQ(g->transformYfldStr, "30.00");
    EXPECT_STREQ(g->transformWidthStr, "100.00");
    EXPECT_STREQ(g->transformHeightStr, "50.00");

    // The same nine points of a rectangle 20 wide and 10 high; another code moves nothing.
    const AIRealRect r{0, 10, 20, 0};
    const AIRealPoint kRectPoints[] = {{0, 10}, {10, 10}, {20, 10}, {0, 5}, {10, 5}, {20, 5}, {0, 0}, {10, 0}, {20, 0}};
    for (int32_t code = 0; code < 10; ++code) {
        AIRealPoint p{-1, -1};
        GetTransformPoint(code, &r, &p);
        const AIRealPoint want = code < 9 ? kRectPoints[code] : AIRealPoint{-1, -1};
        EXPECT_EQ(p.h, want.h) << code;
        EXPECT_EQ(p.v, want.v) << code;
    }
}

TEST_F(ReadOutTest, MoveAndRepeatFieldsAreWrittenAgainOnlyWhenTheyRead) {
    for (const auto& [typed, shown] : {std::pair{"7", "7.00"}, std::pair{"1 in", "72.00"}, std::pair{"abc", "abc"}}) {
        sADMItem->SetText(Item(kMoveX), typed);
        sADMItem->SetText(Item(kRowSpacing), typed);
        Select({Rect(0, 0, 10, 10)});
        EXPECT_EQ(Text(kMoveX), shown);
        EXPECT_EQ(Text(kRowSpacing), shown);
    }
}

TEST_F(ReadOutTest, AxonometricArtShowsItsFlatSizeUnlessEditedByHand) {
    // Projected bounds 100..160 × 150..200, the pivot offset (10, -5), flat 40 × 30.
    const AIRealRect projected{100, 200, 160, 150};
    const struct {
        int32_t face;
        AIReal tilt;
        AIRealRect flat;
    } kFaces[] = {
        {kAxoLeftFace, 1, {70, 195, 110, 165}},   {kAxoLeftFace, 0, {70, 225, 110, 195}},
        {kAxoRightFace, 1, {110, 195, 150, 165}}, {kAxoRightFace, -1, {110, 225, 150, 195}},
        {kAxoTopFace, 1, {70, 225, 110, 195}},    {kAxoTopFace, -1, {70, 195, 110, 165}},
        {kAxoNoFace, 1, projected},
    };
    for (const auto& f : kFaces) {
        const AIRealRect r = tracker::FlatRectOfFace(f.face, projected, {10, -5}, {40, 30}, f.tilt);
        EXPECT_EQ(r.left, f.flat.left) << f.face << " " << f.tilt;
        EXPECT_EQ(r.top, f.flat.top) << f.face << " " << f.tilt;
        EXPECT_EQ(r.right, f.flat.right) << f.face << " " << f.tilt;
        EXPECT_EQ(r.bottom, f.flat.bottom) << f.face << " " << f.tilt;
    }

    const ObjId face = Rect(100, 100, 60, 30);
    session->hostEvent([&] { return ProjectAxonometric(Art(face), kAxoLeftFace, &g->prefs.isoView); });
    Select({face});
    // The record's flat size and area; its perimeter counts as length, as the record's
    // art counts as no path.
    ExpectShown(*this, {"60.00", "30.00", "180.00", "", "1800.00 sq"}, "projected");
    session->hostEvent([&] {
        AIPathSegment s{};
        sAIPath->GetPathSegments(Art(face), 0, 1, &s);
        s.p.h += 200;
        s.in = s.out = s.p;
        return sAIPath->SetPathSegments(Art(face), 0, 1, &s);
    });
    for (int32_t item : {kReadOutX, kReadOutY, kReadOutW, kReadOutH, kReadOutAngle, kReadOutLength,
                         kReadOutPerimeter, kReadOutArea})
        EXPECT_EQ(Text(item), "") << item;
    EXPECT_EQ(Text(kReadOutScale), "1:1");
    EXPECT_EQ(Text(kTransformW), "0.00");
}

TEST_F(ReadOutTest, AZeroWidthIsNeverZeroAndAGivenArtIsMeasuredForItsLabelWithoutAPanel) {
    Select({Polyline({{5, 0}, {5, 40}})});
    EXPECT_EQ(g->selectionWidth, 1.0f / 65536);
    EXPECT_EQ(Text(kReadOutW), "0.00");

    const ObjId plate = Rect(0, 0, 100, 50);
    const ADMDialogRef saved = g->CADtrackerWindow;
    g->CADtrackerWindow = nullptr;
    g->annotatorX = 123;
    EXPECT_EQ(tracker::updateTrackerWindow(1, 2, 3, 4, 3, 4, kNone, kNone, kNone, kNone, kNone), kNoErr);
    EXPECT_EQ(g->annotatorX, 123);
    ASSERT_EQ(tracker::updateTrackerWindowFromSelectedArt(Art(plate)), kNoErr);
    g->CADtrackerWindow = saved;
    const double want[] = {0, 50, 100, 50, kNone, 300, 5000};
    const double got[] = {g->geometryX, g->geometryY, g->geometryW, g->geometryH,
                          g->geometryL, g->geometryP, g->geometryA};
    for (size_t i = 0; i < std::size(want); ++i) EXPECT_EQ(got[i], want[i]) << i;
    // A group has no bounds of its own: nothing is known of it, nothing left from before.
    AIArtHandle group = nullptr;
    session->hostEvent([&] { return sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group); });
    ASSERT_EQ(tracker::updateTrackerWindowFromSelectedArt(group), kNoErr);
    EXPECT_EQ(g->geometryW, kNone);
    EXPECT_EQ(g->geometryA, kNone);
}

TEST_F(ReadOutTest, ThePicturesChooseTheReferencePointAndTheRepeatDirections) {
    Select({Rect(0, 0, 100, 50)});
    const struct {
        ADMPoint at;
        int32_t moveType;  // -1: unchanged
    } kClicks[] = {{{6, 0}, 0}, {{7, 0}, 1}, {{13, 13}, 4}, {{14, 0}, 2}, {{19, 19}, 8}, {{0, 7}, 3},
                   {{20, 0}, -1}, {{0, 20}, -1}};
    for (const auto& c : kClicks) {
        g->prefs.moveType = 5;
        sADMItem->SetText(Item(kTransformX), "stale");
        Press(kReferencePicture, 0, c.at);
        EXPECT_EQ(g->prefs.moveType, c.moveType < 0 ? 5 : c.moveType) << c.at.h << "," << c.at.v;
        if (c.moveType >= 0) {
            EXPECT_EQ(sADMItem->GetPictureID(Item(kReferencePicture)), kReferencePictures + c.moveType);
        }
        EXPECT_NE(Text(kTransformX), "stale");  // the read-out, refreshed in every case
    }
    const struct {
        int32_t picture;
        ADMPoint at;
        int32_t preferences::*field;
        int32_t value, shows;
    } kDirections[] = {
        {kRowDirectionPicture, {6, 5}, &preferences::repeatRowUp, 1, kRowsUpPicture},
        {kRowDirectionPicture, {6, 6}, &preferences::repeatRowUp, 0, kRowsDownPicture},
        {kColumnDirectionPicture, {6, 6}, &preferences::repeatColRt, 0, kColumnsLeftPicture},
        {kColumnDirectionPicture, {7, 6}, &preferences::repeatColRt, 1, kColumnsRightPicture},
    };
    for (const auto& d : kDirections) {
        Press(d.picture, 0, d.at);
        EXPECT_EQ(g->prefs.*d.field, d.value);
        EXPECT_EQ(sADMItem->GetPictureID(Item(d.picture)), d.shows);
    }
}

TEST_F(ReadOutTest, TheKeysHeldAndThePopoutMenu) {
    const struct {
        uint32_t host;
        int32_t bits;
    } kKeys[] = {{kADMShiftKeyModifier, kTrackerShift},
                 {kADMMenuKeyModifier, kTrackerProportion},
                 {kADMModKeyModifier, kTrackerCopy},
                 {kADMShiftKeyModifier | kADMMenuKeyModifier | kADMModKeyModifier, 7}};
    Select({Rect(0, 0, 10, 10)});
    for (const auto& k : kKeys) {
        Press(kTransformButton, k.host);
        EXPECT_EQ(g->trackerModifiers, k.bits) << k.host;
    }
    for (int32_t key : {kADMEnterKey, kADMReturnKey, kADMTabKey}) {
        Type(kRowSpacing, "5", key);
        EXPECT_EQ(g->trackerModifiers, key == kADMTabKey ? 0 : kTrackerEnter) << key;
    }

    const ADMDialogRef dialog = panel;
    auto height = [&] {
        ADMRect r{};
        sADMDialog->GetLocalRect(dialog, &r);
        return r.bottom - r.top;
    };
    ADMListRef popout = sADMItem->GetList(Item(kADMPopoutMenuItemID));
    EXPECT_EQ(height(), 524);
    Pick(kADMPopoutMenuItemID, 0);
    EXPECT_EQ(height(), 144);
    char entry[64] = {};
    sADMEntry->GetText(sADMList->IndexEntry(popout, 0), entry, sizeof entry);
    EXPECT_STREQ(entry, "Show Options");
    Pick(kADMPopoutMenuItemID, 0);
    EXPECT_EQ(height(), 524);
    g->prefs.rulerPrecision = 2;
    Pick(kADMPopoutMenuItemID, 1);
    EXPECT_EQ(g->prefs.displayAcres, 1);
    EXPECT_TRUE(sADMEntry->IsChecked(sADMList->IndexEntry(popout, 1)));
    EXPECT_EQ(Text(kReadOutArea), "0.00");  // refreshed in acres
}

}  // namespace
}  // namespace trackertest
