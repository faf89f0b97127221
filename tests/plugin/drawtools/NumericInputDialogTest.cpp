// The numeric-input dialogs: the catalogue and its templates, what a length field shows
// and stores under a drawing scale, the re-formatting of typed text, Cancel, and OK's
// stay-open rule for text that does not read as a length (nothing stored from the bad
// field on, nothing drawn). Also the "CADLine" dialog's length, angle, rise and run.
#include <algorithm>
#include <set>
#include <span>
#include <string>
#include <vector>

#include "ADMDialog.h"
#include "ADMItem.h"
#include "DrawToolsFixture.h"
#include "DrawingDifferences.h"
#include "adm/DialogManager.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/UnitFormat.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace drawtest {
namespace {

constexpr double kThirtyDegrees = 3.14159265358979323846 / 6;

struct NumericInputDialogTest : DrawToolsTest {
    ADMDialogRef Open(int32_t id) { return OpenFloating(id); }
    AIErr Act(ADMDialogRef d, const standin::UserAction& action) {
        return session->hostEvent([&] { return session->dialogs().userAction(d, action); });
    }
    // The degrees an angle field shows.
    double DegreesOf(ADMDialogRef d, int32_t item) { return std::stod(Text(d, item)); }
    int32_t Focus(ADMDialogRef d) { return session->dialogs().dialog(d)->focusItem; }
    // The scale of that id picked last, then the tool clicked at each point, its dialog
    // answered.
    void ClickedAt(int32_t picked, const char* tool, const char* dialog, std::vector<standin::UserAction> typed,
                   const std::vector<AIRealPoint>& clicks) {
        g->prefs.scale = picked;
        ASSERT_EQ(UpdateScaler(), kNoErr);
        ASSERT_EQ(session->selectTool(tool), kNoErr);
        Answer(dialog, std::move(typed));
        for (AIRealPoint click : clicks) ASSERT_EQ(session->click(click), kNoErr);
        EXPECT_TRUE(DialogFailures().empty());
    }
    // Types the text into the item (after the actions `first`) and presses OK: with `alert`
    // (null: taken), those words said, the item active for retyping and the dialog still open;
    // else nothing said.
    void TypeAndPressOK(int32_t dialog, int32_t item, const std::string& typed, const char* alert,
                        const std::vector<standin::UserAction>& first = {}) {
        const size_t alerts = Alerts().size();
        ADMDialogRef d = Open(dialog);
        for (const standin::UserAction& action : first) ASSERT_EQ(Act(d, action), kNoErr);
        ASSERT_EQ(Act(d, Type(item, typed)), kNoErr);
        ASSERT_EQ(Act(d, Press(1)), kNoErr);
        if (!alert) {
            EXPECT_EQ(Alerts().size(), alerts);
            return;
        }
        ASSERT_EQ(Alerts().size(), alerts + 1);
        EXPECT_EQ(Alerts().back(), alert);
        EXPECT_EQ(Focus(d), item);
        EXPECT_FALSE(session->dialogs().dialog(d)->closed);
    }
};

TEST_F(NumericInputDialogTest, TheCatalogueAndItsTemplates) {
    // Rectangle, ellipse, line, wall, both arcs, perpendicular line, offset, fillet, chamfer,
    // path divider, resize, callouts and the depth rectangle, ellipse, grid, cube and cylinder.
    const int32_t kIds[] = {16700, 16710, 16720, 16730, 16740, 16750, 16760, 16770, 16800,
                            16810, 16260, 16270, 16300, 17700, 17710, 17740, 17730, 17760};
    std::set<int32_t> resetting;
    for (int32_t id : kIds) {
        const NumericInputDialog* row = FindNumericInputDialog(id);
        ASSERT_NE(row, nullptr) << id;
        const NumericInputDialog& d = *row;
        EXPECT_EQ(d.id, id);
        if (d.resetsCancelFlag) resetting.insert(d.id);
        const standin::DialogTemplate* tpl = session->resources().dialog(d.id);
        ASSERT_NE(tpl, nullptr) << d.name << " " << d.id;
        std::set<int32_t> items;
        for (const auto& item : tpl->items) items.insert(item.id);
        EXPECT_TRUE(items.count(1) && items.count(2)) << d.name;
        for (const NumericInputField& f : d.fields) {
            const auto it = std::find_if(tpl->items.begin(), tpl->items.end(),
                                         [&](const standin::ItemTemplate& t) { return t.id == f.item; });
            ASSERT_NE(it, tpl->items.end()) << d.name << " item " << f.item;
            EXPECT_EQ(it->type, kADMTextEditType) << d.name << " item " << f.item;
        }
    }
    // Fillet, chamfer, both arcs, callouts, path divider and resize start with the flag clear.
    EXPECT_EQ(resetting, (std::set<int32_t>{16800, 16810, 16740, 16750, 16300, 16260, 16270}));
    EXPECT_EQ(std::string(FindNumericInputDialog(17740)->name), "Depth Rectangle");
    EXPECT_EQ(std::string(FindNumericInputDialog(16720)->name), "CADLine");
    EXPECT_TRUE(session->resources().problems().empty());
}

TEST_F(NumericInputDialogTest, LengthsShowAndStoreRealWorldSizesUnderTheScale) {
    // Drawing at half size: the 72 points held are the real size, 1 inch, 25.4 mm.
    g->prefs.scaler = 2.0f;
    g->prefs.NumericInputUnits = 3;  // millimetres
    ADMDialogRef d = Open(16700);
    EXPECT_EQ(Text(d, 4), "25.40 mm");
    // Typed in another unit, the text comes back in the dialog's unit and precision.
    ASSERT_EQ(Act(d, Type(4, "1 in")), kNoErr);
    EXPECT_EQ(Text(d, 4), "25.40 mm");
    ASSERT_EQ(Act(d, Type(4, "100")), kNoErr);
    EXPECT_EQ(Text(d, 4), "100.00 mm");
    EXPECT_FLOAT_EQ(g->inputRectWidth, 72);  // typing stores nothing
    // OK stores the real length, 100 mm; the next opening shows it again at any scale.
    ASSERT_EQ(Act(d, Press(1)), kNoErr);
    EXPECT_NEAR(g->inputRectWidth, 100 / 25.4 * 72, 1e-3);
    g->prefs.scaler = 4.0f;
    EXPECT_EQ(Text(Open(16700), 4), "100.00 mm");
}

TEST_F(NumericInputDialogTest, InchesTypedIntoAPointFieldWhateverTheScale) {
    for (float scaler : {1.0f, 4.0f}) {
        g->prefs.scaler = scaler;
        ADMDialogRef d = Open(16710);
        ASSERT_EQ(Act(d, Type(6, "2 in")), kNoErr);
        EXPECT_EQ(Text(d, 6), "144.00 pt") << scaler;
    }
}

TEST_F(NumericInputDialogTest, TextThatDoesNotReadStaysAsTyped) {
    ADMDialogRef d = Open(16700);
    ASSERT_EQ(Act(d, Type(4, "twelve")), kNoErr);
    EXPECT_EQ(Text(d, 4), "twelve");
}

TEST_F(NumericInputDialogTest, BadTextKeepsTheDialogOpenOnThatFieldAndStoresNothing) {
    const std::string bad[] = {"", "abc", "1e309", "1e39 pt", std::string(2000, '9'), "12 parsecs"};
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    for (const std::string& text : bad) {
        ADMDialogRef d = Open(16700);
        ASSERT_EQ(Act(d, Type(6, "5")), kNoErr);
        ASSERT_EQ(Act(d, Type(4, text)), kNoErr);
        ASSERT_EQ(Act(d, Press(1)), kNoErr);
        EXPECT_EQ(Focus(d), 4) << text.substr(0, 20);
        EXPECT_FLOAT_EQ(g->inputRectWidth, 72) << text.substr(0, 20);
        EXPECT_FLOAT_EQ(g->inputRectHeight, 72) << text.substr(0, 20);  // after the bad field: not stored
        EXPECT_EQ(PathCount(), 0u) << text.substr(0, 20);
    }
    // As a modal dialog: OK refused, the user types again, OK draws. Had the first OK closed
    // the dialog, the answers after it would be reported as never played.
    Answer("CADRect", {Type(4, "1e309"), Press(1), Type(4, "30"), Press(1)});
    ASSERT_EQ(session->click({0, 0}), kNoErr);
    EXPECT_TRUE(DialogFailures().empty()) << DialogFailures().front();
    EXPECT_FLOAT_EQ(g->inputRectWidth, 30);
    EXPECT_EQ(PathCount(), 1u);
}

// A field shows its length rounded to two decimals (or to the unit's finest fraction) and
// keeps it whole: what OK stores is what was typed.
TEST_F(NumericInputDialogTest, TypedSizesAreUsedAsTyped) {
    struct Row {
        int32_t dialog, item;
        int32_t units, precision;
        const char* typed;
        const char* shown;
        double points;  // the stored drawn length, worked by hand
    };
    const Row rows[] = {
        {16700, 4, 3, 2, "10.125 mm", "10.13 mm", 10.125 / 25.4 * 72},
        {16710, 6, 3, 2, "9 pt", "3.18 mm", 9},
        {16700, 6, kFractionalInchMarkUnits, 4, "1/64", "0\"", 72.0 / 64},
        {16800, 4, 3, 1, "3.175 mm", "3.2 mm", 9},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        g->prefs.NumericInputUnits = r.units;
        g->prefs.NumericInputPrecision = r.precision;
        const NumericInputField* field = nullptr;
        for (const NumericInputField& f : FindNumericInputDialog(r.dialog)->fields)
            if (f.item == r.item) field = &f;
        ASSERT_NE(field, nullptr);
        ADMDialogRef d = Open(r.dialog);
        ASSERT_EQ(Act(d, Type(r.item, r.typed)), kNoErr);
        EXPECT_EQ(Text(d, r.item), r.shown);
        ASSERT_EQ(Act(d, Press(1)), kNoErr);
        EXPECT_NEAR(field->value(), r.points, 1e-4);
        // Opened again it shows a rounded text and still holds the whole length.
        d = Open(r.dialog);
        ASSERT_EQ(Act(d, Press(1)), kNoErr);
        EXPECT_NEAR(field->value(), r.points, 1e-4);
    }
}

// A size of nothing, or a distance below zero, is refused in words and the dialog stays
// open on that field; a fillet radius of 0 is a sharp corner and is taken.
TEST_F(NumericInputDialogTest, SizesOfNothingAreRefusedWithAMessage) {
    const char* const greater = "The value must be greater than 0.";
    struct Row {
        int32_t dialog, item;
        const char* typed;
        const char* alert;  // null: accepted
    } const rows[] = {
        {16700, 4, "0", greater},     {16700, 6, "0 mm", greater}, {16710, 4, "1e-50 mm", greater},
        {16720, 4, "0", greater},     {16800, 4, "0", nullptr},    {16800, 4, "-1", "The value must be 0 or greater."},
        {16810, 6, "1e-60", greater}, {16700, 4, "-5", nullptr},
        // Lost beside the canvas's farthest coordinate once stored: a shape with no width.
        {16700, 4, "1e-45", greater}, {16700, 6, "1e-30", greater}, {16710, 4, "0.0000001 pt", greater},
        {16720, 4, "0.01 pt", nullptr},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::to_string(r.dialog) + " \"" + r.typed + "\"");
        TypeAndPressOK(r.dialog, r.item, r.typed, r.alert);
    }
    EXPECT_EQ(PathCount(), 0u);
}

// Every field of every dialog, as the catalogue of the dialogs lists them, refuses text it
// cannot read in the one set of words, selected for retyping with the dialog left open: a
// length that is no length (a fraction is one only in the inch units, so not in metres), an
// angle that is no number of degrees.
TEST_F(NumericInputDialogTest, EveryFieldRefusesTextItCannotReadInWords) {
    const char* const format = "The format of the value is not correct.";
    const struct Field {
        int32_t dialog, item;
        bool angle;
    } fields[] = {
        {16700, 4, false}, {16700, 6, false}, {16710, 4, false}, {16710, 6, false}, {16720, 4, false},
        {16720, 6, true},  {16720, 8, false}, {16720, 10, false}, {16730, 4, false}, {16730, 6, true},
        {16740, 4, false}, {16740, 6, true},  {16740, 8, true},   {16750, 4, false}, {16760, 4, false},
        {16770, 4, false}, {16800, 4, false}, {16810, 4, false},  {16810, 6, false}, {17700, 4, false},
        {17700, 6, false}, {17710, 4, false}, {17710, 6, false},  {17740, 4, false}, {17740, 6, false},
        {17730, 4, false}, {17730, 6, false}, {17730, 8, false},  {17760, 4, false}, {17760, 6, false},
        {17760, 11, false},
    };
    const struct Bad {
        int32_t units;
        const char* text;
    } lengths[] = {{0, "abc"}, {0, ""}, {0, "12abc"}, {0, "1/0"}, {0, "nan"}, {5, "2-1/2"}, {5, "1/64"}},
      angles[] = {{0, "abc"}, {0, "1/2"}, {0, ""}, {0, "30 parsecs"}, {0, "nan"}};
    for (const Field& f : fields) {
        for (const Bad& bad : f.angle ? std::span<const Bad>(angles) : std::span<const Bad>(lengths)) {
            SCOPED_TRACE(std::to_string(f.dialog) + " item " + std::to_string(f.item) + " \"" + bad.text + "\"");
            g->prefs.NumericInputUnits = bad.units;
            // The other lengths of the dialog good (a radius of 0 at start-up is none).
            std::vector<standin::UserAction> others;
            for (const Field& other : fields)
                if (other.dialog == f.dialog && other.item != f.item && !other.angle)
                    others.push_back(Type(other.item, "1"));
            TypeAndPressOK(f.dialog, f.item, bad.text, format, others);
        }
    }
    EXPECT_EQ(PathCount(), 0u);
}

// An angle is read as the degrees typed, with or without its sign; a turn beyond a whole one
// either way is the same direction within it.
TEST_F(NumericInputDialogTest, AnglesReadAsTheDegreesTyped) {
    const struct Row {
        const char* typed;
        float degrees;
        const char* shown;  // at the next opening
    } rows[] = {{"30", 30, "30\xB0"},      {" 22.5 deg ", 22.5f, "22.5\xB0"}, {"45\xB0", 45, "45\xB0"},
                {"-90", -90, "-90\xB0"},   {"360", 360, "360\xB0"},         {"400", 40, "40\xB0"},
                {"-400", -40, "-40\xB0"},  {"-370", -10, "-10\xB0"},        {"1e3", 280, "280\xB0"},
                {"720", 0, "0\xB0"}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        const size_t alerts = Alerts().size();
        ADMDialogRef d = Open(16720);
        ASSERT_EQ(Act(d, Type(6, r.typed)), kNoErr);
        ASSERT_EQ(Act(d, Press(1)), kNoErr);
        EXPECT_EQ(Alerts().size(), alerts);
        EXPECT_NEAR(g->inputLineAngle, r.degrees, 1e-4);
        EXPECT_EQ(Text(Open(16720), 6), r.shown);
    }
}

// A length whose drawn size would not fit the largest drawing (16383 points) is refused,
// saying the largest length that may be typed at this scale.
TEST_F(NumericInputDialogTest, ALengthTooLargeForTheDrawingIsRefused) {
    const struct Row {
        float scaler;
        int32_t units;
        const char* typed;
        const char* alert;  // null: taken
    } rows[] = {
        {1, kDecimalInchMarkUnits, "99999999",
         "The value is too large for the drawing: at this scale a length can be at most 227.54\"."},
        {1, kDecimalInchMarkUnits, "227", nullptr},
        {100, kMeterUnits, "600", "The value is too large for the drawing: at this scale a length can be at most 577.96 m."},
        {100, kMeterUnits, "-600", "The value is too large for the drawing: at this scale a length can be at most 577.96 m."},
        {100, kMeterUnits, "500", nullptr},
        // The largest as the message shows it is taken, rounded up though it is.
        {100, kMeterUnits, "577.96", nullptr},
        {1, kMeterUnits, "5.78", nullptr},
        {1, kMeterUnits, "5.79", "The value is too large for the drawing: at this scale a length can be at most 5.78 m."},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.typed);
        g->prefs.scaler = r.scaler;
        g->prefs.NumericInputUnits = r.units;
        TypeAndPressOK(16720, 4, r.typed, r.alert);  // the line's length: a size
    }
}

TEST_F(NumericInputDialogTest, AGoodFieldBeforeABadOneIsAlreadyStored) {
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    ADMDialogRef d = Open(16700);
    ASSERT_EQ(Act(d, Type(4, "40")), kNoErr);
    ASSERT_EQ(Act(d, Type(6, "forty")), kNoErr);
    ASSERT_EQ(Act(d, Press(1)), kNoErr);
    EXPECT_EQ(Focus(d), 6);
    EXPECT_FLOAT_EQ(g->inputRectWidth, 40);
    EXPECT_FLOAT_EQ(g->inputRectHeight, 72);
    EXPECT_EQ(PathCount(), 0u);  // no builder ran
}

TEST_F(NumericInputDialogTest, CancelStoresNothingAndSetsTheFlag) {
    ASSERT_EQ(session->selectTool("CAD Ellipse"), kNoErr);
    Answer("CADEllipse", {Type(4, "10"), Type(6, "20"), Press(2)});
    ASSERT_EQ(session->click({0, 0}), kNoErr);
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_EQ(g->cancelledInputDialog, 1);
    EXPECT_FLOAT_EQ(g->inputEllipseWidth, 72);
    EXPECT_FLOAT_EQ(g->inputEllipseHeight, 72);
    EXPECT_EQ(PathCount(), 0u);
    // The ellipse dialog leaves the flag alone; a fillet dialog would clear it on opening.
    Answer("CADEllipse", {Press(1)});
    ASSERT_EQ(session->click({0, 0}), kNoErr);
    EXPECT_EQ(g->cancelledInputDialog, 1);
    Open(16800);
    EXPECT_EQ(g->cancelledInputDialog, 0);
}

TEST_F(NumericInputDialogTest, LineDialogKeepsLengthAngleRiseAndRunInStep) {
    ADMDialogRef d = Open(16720);
    EXPECT_EQ(Text(d, 4), "72.00 pt");
    EXPECT_DOUBLE_EQ(DegreesOf(d, 6), 0);
    ASSERT_EQ(Act(d, Type(4, "10")), kNoErr);
    ASSERT_EQ(Act(d, Type(6, "30")), kNoErr);
    EXPECT_EQ(Text(d, 8), "5.00 pt");
    EXPECT_EQ(Text(d, 10), "8.66 pt");
    ASSERT_EQ(Act(d, Type(6, "120")), kNoErr);
    EXPECT_EQ(Text(d, 8), "8.66 pt");
    EXPECT_EQ(Text(d, 10), "-5.00 pt");
    ASSERT_EQ(Act(d, Type(6, "180")), kNoErr);
    EXPECT_EQ(Text(d, 8), "0.00 pt");  // no noise of the sine
    EXPECT_EQ(Text(d, 10), "-10.00 pt");
    // From rise and run: the angle keeps its quadrant.
    ASSERT_EQ(Act(d, Type(8, "8.66")), kNoErr);
    ASSERT_EQ(Act(d, Type(10, "-5")), kNoErr);
    EXPECT_NEAR(DegreesOf(d, 6), 120, 0.01);
    EXPECT_EQ(Text(d, 4), "10.00 pt");
    ASSERT_EQ(Act(d, Type(8, "5")), kNoErr);
    ASSERT_EQ(Act(d, Type(10, "0")), kNoErr);
    EXPECT_DOUBLE_EQ(DegreesOf(d, 6), 90);
    ASSERT_EQ(Act(d, Type(8, "-5")), kNoErr);
    EXPECT_DOUBLE_EQ(DegreesOf(d, 6), -90);
    ASSERT_EQ(Act(d, Type(8, "0")), kNoErr);
    EXPECT_DOUBLE_EQ(DegreesOf(d, 6), 0);
    EXPECT_EQ(Text(d, 4), "0.00 pt");
    // A rise that does not read leaves length and angle as they were.
    ASSERT_EQ(Act(d, Type(10, "3")), kNoErr);
    ASSERT_EQ(Act(d, Type(8, "x")), kNoErr);
    EXPECT_EQ(Text(d, 4), "3.00 pt");
    EXPECT_EQ(Text(d, 8), "x");
}

TEST_F(NumericInputDialogTest, LineDialogWorksInTypedUnitsUnderAScale) {
    g->prefs.scaler = 2.0f;
    ADMDialogRef d = Open(16720);
    EXPECT_EQ(Text(d, 4), "72.00 pt");  // as typed, whatever the scale
    ASSERT_EQ(Act(d, Type(4, "10")), kNoErr);
    ASSERT_EQ(Act(d, Type(6, "90")), kNoErr);
    EXPECT_EQ(Text(d, 4), "10.00 pt");
    EXPECT_EQ(Text(d, 8), "10.00 pt");
    EXPECT_EQ(Text(d, 10), "0.00 pt");
    EXPECT_FLOAT_EQ(g->prefs.scaler, 2.0f);  // put back after each notification
}

TEST_F(NumericInputDialogTest, LineDialogDrawsTheTypedLineFromTheClick) {
    // 3 inches at 30 degrees, drawn at half size: 108 points.
    DrawAt(32, 2, "1:2");
    g->prefs.NumericInputUnits = 8;  // decimal inches
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    Answer("CADLine", {Type(4, "3"), Type(6, "30"), Press(1)});
    ASSERT_EQ(session->click({100, 100}), kNoErr);
    EXPECT_TRUE(DialogFailures().empty());
    const standin::Art* line = Only();
    ASSERT_NE(line, nullptr);
    ASSERT_EQ(line->segments.size(), 2u);
    EXPECT_PT(line->segments[0].p, 100, 100, kTol);
    EXPECT_PT(line->segments[1].p, 100 + 108 * std::cos(kThirtyDegrees), 100 + 108 * std::sin(kThirtyDegrees), kTol);
    EXPECT_FLOAT_EQ(g->inputLineLength, 216);
    EXPECT_FLOAT_EQ(g->inputLineAngle, 30);
    EXPECT_NEAR(g->inputLineRise, 108, 1e-3);  // stored for the next opening, as typed
    const TrackerReport& t = gTrackerReports.back();
    EXPECT_FLOAT_EQ(t.angle, 30);
    EXPECT_NEAR(t.length, 108, 1e-3);
}

// A layer-based drawing: a 1:1 detail was dimensioned (which left the current scale at
// 1:1), then sizes are typed on the current plan at 1:100, as the document panel shows it.
// Each tool draws 1 m (1000 mm) at the plan's scale, 10 mm: 28.3465 pt; a half circle of
// that radius is twice as wide; the isometric cube (factors 1) spans its width and depth
// along axes 30 degrees off the level, the depth ellipse its width along one. OK'd again as
// they were with a 1:20 stair current, each draws the same real size, five times as wide.
// A line typed from the end of a stair path with the detail current joins it at 1:20.
TEST_F(NumericInputDialogTest, ATypedSizeIsDrawnAtTheScaleOfTheCurrentLayer) {
    SetScaleStyle(kLayerBasedScaleStyle);
    g->prefs.NumericInputUnits = 3;  // millimetres
    iso_view& v = g->prefs.isoView;
    v.a = 0.52359878f, v.b = 2.6179939f, v.af = v.bf = v.cf = 1, v.t = 35.26f;
    standin::ObjId plan = 0, detail = 0, stair = 0;
    ASSERT_EQ(session->hostEvent([&] {
        detail = doc->addLayer("Detail");
        plan = doc->addLayer("Plan");
        stair = doc->addLayer("Stair");
        if (AIErr err = setLayerScale(standin::suites::layerHandle(detail), 33, 1, "1:1")) return err;
        if (AIErr err = setLayerScale(standin::suites::layerHandle(stair), 27, 20, "1:20")) return err;
        if (AIErr err = setLayerScale(standin::suites::layerHandle(plan), 24, 100, "1:100")) return err;
        return doc->setCurrentLayer(plan);
    }), kNoErr);
    const double metre = 1000 / 25.4 * 72 / 100;
    const struct Row {
        const char *tool, *dialog;
        std::vector<standin::UserAction> typed;
        int clicks;  // the last one asks
        double width;  // of what is drawn
    } rows[] = {
        {"CAD Rectangle", "CADRect", {Type(4, "1000"), Type(6, "1000"), Press(1)}, 1, metre},
        {"CAD Line", "CADLine", {Type(4, "1000"), Type(6, "0"), Press(1)}, 1, metre},
        {"CAD Ellipse", "CADEllipse", {Type(4, "1000"), Type(6, "1000"), Press(1)}, 1, metre},
        {"CAD Arc", "CADArcByRadius", {Type(4, "1000"), Type(6, "0"), Type(8, "180"), Press(1)}, 2, 2 * metre},
        {"Depth Cube", "Depth Cube", {Type(4, "1000"), Type(6, "1000"), Type(8, "1000"), Press(1)}, 1,
         2 * metre * std::cos(kThirtyDegrees)},
        {"Add Wall", "CADWall", {Type(4, "1000"), Type(6, "0"), Press(1)}, 1, metre},
        {"Depth Ellipse", "Depth Ellipse", {Type(4, "1000"), Type(6, "1000"), Press(1)}, 1,
         metre * std::cos(kThirtyDegrees)},
    };
    for (const auto& [layer, times, label] : {std::tuple{plan, 1.0, "1:100"}, {stair, 5.0, "1:20"}}) {
        ASSERT_EQ(session->hostEvent([&] { return doc->setCurrentLayer(layer); }), kNoErr);
        for (const Row& r : rows) {
            SCOPED_TRACE(std::string(r.tool) + " " + label);
            ClickedAt(33, r.tool, r.dialog, times == 1 ? r.typed : std::vector{Press(1)},
                      std::vector<AIRealPoint>(r.clicks, {300, 300}));
            const std::vector<standin::ObjId> drawn = doc->children(layer);
            ASSERT_EQ(drawn.size(), 1u);
            AIRealRect b{};
            doc->bounds(drawn[0], &b);
            EXPECT_NEAR(b.right - b.left, r.width * times, 2e-3 * times);
            EXPECT_STREQ(g->prefs.scaleStr, label);
            session->hostEvent([&] { return doc->disposeArt(drawn[0]); });
        }
    }
    const standin::ObjId joined = Polyline({{0, 0}, {50, 0}});
    session->hostEvent([&] { return doc->setCurrentLayer(detail); });
    ClickedAt(33, "CAD Line", "CADLine", {Type(4, "1000"), Type(6, "0"), Press(1)}, {{50, 0}});
    EXPECT_PT(doc->art(joined)->segments.back().p, 50 + 5 * metre, 0, 1e-2f);
}

// A layer-based drawing: the art worked on lies on a 1:5 detail while the 1:100 plan is
// current and 1:20 was picked last. A length typed for an editing tool is at the scale of
// the art it is pressed on: 100 mm at 1:5 is 20 mm on the page, 56.69 pt (at 1:20 it would
// be 14.17 pt). The lines cross at (100, 100): the fillet and the chamfer end that far from
// the crossing, the offset copy lies that far above the line, its division points lie that
// far apart centred on it (the first 26.61 pt in), and the offset's drag reads 100 mm when
// dragged that far. Pressed on a dimension's line lying over the rail, each tool edits the
// rail alike, and the dimension comes through an update as it was. A corner of the rail and
// a 1:50 line at x = 150 takes the scale of the first click's line, where it lands: 100 mm
// is 56.69 pt at 1:5, 5.67 pt at 1:50.
TEST_F(NumericInputDialogTest, ALengthTypedForAnEditingToolIsAtTheScaleOfTheArtsLayer) {
    SetScaleStyle(kLayerBasedScaleStyle);
    g->prefs.NumericInputUnits = g->prefs.CADtrackerUnits = 3;  // millimetres
    g->prefs.CADtrackerPrecision = 0;
    g->inputOffsetDirection = 1;
    ASSERT_EQ(session->hostEvent([&] {
        const standin::ObjId detail = doc->addLayer("Detail");
        if (AIErr err = setLayerScale(standin::suites::layerHandle(detail), 29, 5, "1:5")) return err;
        if (AIErr err = doc->addPolyline({{20, 100}, {300, 100}}, false, nullptr)) return err;
        if (AIErr err = doc->addPolyline({{100, 20}, {100, 300}}, false, nullptr)) return err;
        if (AIErr err = doc->addPolyline({{210, 60}, {290, 60}}, false, nullptr)) return err;
        if (AIErr err = setLayerScale(standin::suites::layerHandle(doc->addLayer("Site")), 25, 50, "1:50")) return err;
        if (AIErr err = doc->addPolyline({{150, 20}, {150, 300}}, false, nullptr)) return err;
        return setLayerScale(standin::suites::layerHandle(doc->addLayer("Plan")), 24, 100, "1:100");
    }), kNoErr);
    // The part at y = 60 dimensioned with its line along the rail.
    ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
    ASSERT_EQ(session->click({210, 60}), kNoErr);
    ASSERT_EQ(Drag({290, 60}, {250, 100}), kNoErr);
    const auto dimension = [&] {
        std::vector<drawingdiff::Mark> marks = drawingdiff::Marks(*doc);
        std::erase_if(marks, [&](const drawingdiff::Mark& m) {
            return !IsDimension(standin::toHandle<AIArtHandle>(doc->art(m.id)->parent));
        });
        return marks;
    };
    const std::vector<drawingdiff::Mark> measured = dimension(), start = drawingdiff::Marks(*doc);
    ASSERT_FALSE(measured.empty());
    const AIRealPoint onDimension{220, 100};
    const auto d = static_cast<AIReal>(100 / 25.4 * 72 / 5);
    standin::UserAction centred;
    centred.kind = standin::UserAction::Kind::Pick, centred.item = 10, centred.entry = 1;
    const struct Row {
        const char *tool, *dialog;
        std::vector<standin::UserAction> typed;
        std::vector<AIRealPoint> clicks;
        AIRealPoint anchor;  // of what the tool leaves
    } rows[] = {
        {"Fillet", "CADFillet", {Type(4, "100"), Press(1)}, {{200, 100}, {100, 200}}, {100 + d, 100}},
        {"Chamfer", "CADChamfer", {Type(4, "100"), Type(6, "100"), Press(1)}, {{200, 100}, {100, 200}}, {100, 100 + d}},
        {"Offset", "Offset", {Type(4, "100"), Press(1)}, {{200, 100}}, {300, 100 + d}},
        {"Path Divider", "PathDivider", {Press(5), Type(7, "100"), centred, Press(1)}, {{200, 100}}, {20 + (280 - 4 * d) / 2, 100}},
        {"Fillet", "CADFillet", {Type(4, "100"), Press(1)}, {onDimension, {100, 200}}, {100 + d, 100}},
        {"Chamfer", "CADChamfer", {Type(4, "100"), Type(6, "100"), Press(1)}, {onDimension, {100, 200}}, {100, 100 + d}},
        {"Offset", "Offset", {Type(4, "100"), Press(1)}, {onDimension}, {300, 100 + d}},
        {"Path Divider", "PathDivider", {Press(5), Type(7, "100"), centred, Press(1)}, {onDimension}, {20 + (280 - 4 * d) / 2, 100}},
        {"Fillet", "CADFillet", {Type(4, "100"), Press(1)}, {{200, 100}, {150, 200}}, {150 + d, 100}},
        {"Fillet", "CADFillet", {Type(4, "100"), Press(1)}, {{150, 200}, {200, 100}}, {150, 100 + d / 10}},
        {"Chamfer", "CADChamfer", {Type(4, "100"), Type(6, "100"), Press(1)}, {{200, 100}, {150, 200}}, {150, 100 + d}},
        {"Chamfer", "CADChamfer", {Type(4, "100"), Type(6, "100"), Press(1)}, {{150, 200}, {200, 100}}, {150 + d / 10, 100}},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.tool) + ", row " + std::to_string(&r - rows));
        ClickedAt(27, r.tool, r.dialog, r.typed, r.clicks);
        EXPECT_EQ(g->prefs.scaler, 100) << "the current layer's scale, the plan's, current again";
        ASSERT_EQ(session->menu("Update Dimensions"), kNoErr);
        EXPECT_TRUE(std::ranges::any_of(Paths(), [&](const standin::Art* p) {
            return std::ranges::any_of(p->segments, [&](const AIPathSegment& s) { return Near(s.p, r.anchor.h, r.anchor.v, 1e-2f); });
        }));
        EXPECT_EQ(drawingdiff::Differences(measured, dimension()), std::vector<std::string>{});
        // The edit and the update, which redraws the dimension, are taken back.
        while (!drawingdiff::Differences(start, drawingdiff::Marks(*doc)).empty() && session->userUndo()) {}
    }
    g->prefs.scaler = 20;
    ASSERT_EQ(session->selectTool("Offset"), kNoErr);
    ASSERT_EQ(session->mouseDown({200, 100}), kNoErr);
    ASSERT_EQ(session->mouseDrag({200, 100 + d}), kNoErr);
    session->redrawAnnotations();
    const auto& drawn = session->lastAnnotation();
    EXPECT_TRUE(std::ranges::any_of(drawn, [](const standin::AnnotationOp& op) { return op.text == "100 mm"; }));
    ASSERT_EQ(session->mouseUp({200, 100 + d}), kNoErr);
}

TEST_F(NumericInputDialogTest, LineDialogJoinsAtAnEndAnchorOfAnOpenPathOnly) {
    const standin::ObjId open = Polyline({{0, 0}, {50, 0}});
    const standin::ObjId closed = Polyline({{200, 0}, {250, 0}, {250, 50}}, true);
    g->prefs.okToConnectCADlinePaths = 0;  // typed lines join whatever it says
    ASSERT_EQ(session->selectTool("CAD Line"), kNoErr);
    Answer("CADLine", {Type(4, "20"), Type(6, "90"), Press(1)});
    ASSERT_EQ(session->click({51, 1}), kNoErr);
    ASSERT_EQ(doc->art(open)->segments.size(), 3u);
    EXPECT_PT(doc->art(open)->segments[2].p, 50, 20, kTol);
    EXPECT_EQ(GroupCount(), 0u);
    Answer("CADLine", {Press(1)});
    ASSERT_EQ(session->click({250, 50}), kNoErr);
    EXPECT_EQ(doc->art(closed)->segments.size(), 3u);
    EXPECT_EQ(PathCount(), 3u);
    EXPECT_PT(Paths()[0]->segments[1].p, 250, 70, kTol);
    // One undo takes back the dialog's line.
    ASSERT_TRUE(session->userUndo());
    EXPECT_EQ(PathCount(), 2u);
}

}  // namespace
}  // namespace drawtest
