// Typed values read from dialog items, numeric fields on the stand-in dialog manager,
// modifier keys of tool events, and swatch colours.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "ADMDialog.h"
#include "ADMItem.h"
#include "units/NumericFields.h"
#include "PluginGlobals.h"
#include "core/PlotwiseSuites.h"
#include "units/PlotwiseUnits.h"
#include "Host.h"
#include "SuiteRegistry.h"
#include "adm/DialogManager.h"
#include "adm/Resources.h"

namespace {

struct FieldTest : ::testing::Test {
    standin::Resources resources{PLOTWISE_SOURCE_DIR "/tests/host/adm/resources"};
    standin::DialogManager dm{resources};
    standin::SuiteRegistry registry;
    PlotwiseGlobals globals{};
    CoreGlobals* savedGlobals = nullptr;
    ADMDialogRef panel = nullptr;

    template <typename S>
    void acquire(const char* name, int32_t version, S*& out) {
        const void* p = nullptr;
        ASSERT_EQ(registry.acquire(name, version, &p), kNoErr) << name;
        out = static_cast<S*>(const_cast<void*>(p));
    }
    void SetUp() override {
        dm.registerSuites(registry);
        acquire(kADMDialogSuite, kADMDialogSuiteVersion, sADMDialog);
        acquire(kADMItemSuite, kADMItemSuiteVersion, sADMItem);
        savedGlobals = plotwiseRecord;
        plotwiseRecord = &globals;
        panel = sADMDialog->Create(nullptr, "Document", 16500, kADMTabbedFloatingDialogStyle, nullptr, nullptr, 0);
        ASSERT_NE(panel, nullptr);
    }
    void TearDown() override {
        plotwiseRecord = savedGlobals;
        sADMDialog = nullptr;
        sADMItem = nullptr;
    }
    ADMItemRef field() { return sADMDialog->GetItem(panel, 4); }
    std::string text() {
        char buf[300];
        sADMItem->GetText(field(), buf, sizeof buf);
        return buf;
    }
};

TEST_F(FieldTest, ParsesTheItemTextAndLeavesItOnFailure) {
    sADMItem->SetText(field(), "5'-6 1/2\"");
    double v = -1;
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kMillimeterUnits), 1);
    EXPECT_EQ(v, 4788);
    sADMItem->SetText(field(), "5 6");
    v = -1;
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kMillimeterUnits), 0);
    EXPECT_EQ(v, -1);
    EXPECT_EQ(text(), "5 6");  // the user's text stays as typed
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kPicaUnits), 1);
    EXPECT_EQ(v, 66);
    sADMItem->SetText(field(), "2 ft");
    EXPECT_EQ(parseAreaFieldInput(panel, 4, &v, kPointUnits), 1);
    EXPECT_EQ(v, 1492992);
    EXPECT_EQ(parseFieldInput(panel, 99, &v, kPointUnits), 0);  // no such item
    EXPECT_EQ(parseFieldInput(nullptr, 4, &v, kPointUnits), 0);
    globals.prefs.numberFormat = 1;
    sADMItem->SetText(field(), "1.234,5 mm");
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kPointUnits), 1);
    EXPECT_NEAR(v, 1234.5 / 25.4 * 72, 1e-9);
}

TEST_F(FieldTest, FormattedTextWrittenBackParsesToTheSameValue) {
    globals.prefs.style.appendUpperUnitLabels = 0;  // labels off: decimal feet keep their mark
    char out[256];
    doScaleAndUnits(0, 5.5 * 864, out, 1, kDecimalFeetWordUnits, 2);
    sADMItem->SetText(field(), out);
    double v = 0;
    ASSERT_EQ(parseFieldInput(panel, 4, &v, kDecimalFeetWordUnits), 1);
    EXPECT_EQ(v, 5.5 * 864);
}

TEST_F(FieldTest, AFieldReadsTheValueItHoldsWhileItShowsItsText) {
    // 200 pt shown as 0.071 m (201.26 pt) holds 200 pt; as an area it holds nothing.
    ShowHeldFieldValue(panel, 4, "0.071 m", 200);
    double v = 0;
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kMeterUnits), 1);
    EXPECT_EQ(v, 200);
    EXPECT_TRUE(HoldsFieldValue(panel, 4));
    EXPECT_EQ(parseAreaFieldInput(panel, 4, &v, kMeterUnits), 1);
    EXPECT_NEAR(v, 0.071 / 0.0254 / 0.0254 * 72 * 72, 1e-6);  // 0.071 square metres
    // Another text reads as itself, and the same text again no longer holds the value.
    sADMItem->SetText(field(), "0.5 m");
    EXPECT_FALSE(HoldsFieldValue(panel, 4));
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kMeterUnits), 1);
    EXPECT_NEAR(v, 0.5 / 0.0254 * 72, 1e-9);
    ShowHeldFieldValue(panel, 4, "0.071 m", 200);
    ForgetHeldFieldValue(panel, 4);
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kMeterUnits), 1);
    EXPECT_NEAR(v, 0.071 / 0.0254 * 72, 1e-9);
    ShowHeldFieldValue(panel, 4, "", 200);  // a value that cannot be shown is not held
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kMeterUnits), 0);
    ShowHeldFieldValue(panel, 4, "1 m", 5000, FieldMeasure::kArea);
    EXPECT_EQ(parseAreaFieldInput(panel, 4, &v, kMeterUnits), 1);
    EXPECT_EQ(v, 5000);
    // More held fields than slots: the latest still hold, and so does one shown again
    // meanwhile; the first reads as its text.
    std::vector<ADMDialogRef> more;
    for (int i = 0; i < 20; ++i) {
        more.push_back(sADMDialog->Create(nullptr, "Document", 16500, kADMTabbedFloatingDialogStyle, nullptr, nullptr, 0));
        ShowHeldFieldValue(more.back(), 4, "1 m", i);
        if (i == 10) ShowHeldFieldValue(panel, 4, "0.071 m", 200);
    }
    EXPECT_EQ(parseFieldInput(more.back(), 4, &v, kMeterUnits), 1);
    EXPECT_EQ(v, 19);
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kMeterUnits), 1);
    EXPECT_EQ(v, 200);
    EXPECT_EQ(parseFieldInput(more.front(), 4, &v, kMeterUnits), 1);
    EXPECT_NEAR(v, 1 / 0.0254 * 72, 1e-9);
    // A dialog that opens again holds nothing.
    ForgetHeldFieldValues(panel);
    EXPECT_EQ(parseFieldInput(panel, 4, &v, kMeterUnits), 1);
    EXPECT_NEAR(v, 0.071 / 0.0254 * 72, 1e-9);
}

TEST_F(FieldTest, NumericFieldSetters) {
    setNumericFloatFldPrefs(field(), 2.5f, -1.0f, 10.0f);
    char type[64];
    sADMItem->GetItemType(field(), type, sizeof type);
    EXPECT_STREQ(type, "ADM Text Edit Type");
    EXPECT_EQ(sADMItem->GetItemStyle(field()), 2);
    EXPECT_EQ(sADMItem->GetPrecision(field()), 5);
    EXPECT_EQ(sADMItem->GetFloatValue(field()), 2.5f);
    EXPECT_EQ(sADMItem->GetMinFloatValue(field()), -1.0f);
    EXPECT_EQ(sADMItem->GetMaxFloatValue(field()), 10.0f);
    EXPECT_EQ(sADMItem->GetUnits(field()), kADMNoUnits);
    EXPECT_FALSE(sADMItem->GetAllowUnits(field()));
    EXPECT_FALSE(sADMItem->GetShowUnits(field()));
    EXPECT_FALSE(sADMItem->GetAllowMath(field()));

    setNumericDegreeFloatFldPrefs(field(), 45.0f, -360.0f, 360.0f);
    EXPECT_EQ(sADMItem->GetUnits(field()), kADMDegreeUnits);
    EXPECT_TRUE(sADMItem->GetAllowUnits(field()));
    EXPECT_TRUE(sADMItem->GetShowUnits(field()));
    EXPECT_EQ(sADMItem->GetFloatValue(field()), 45.0f);
    EXPECT_FALSE(sADMItem->GetAllowMath(field()));

    // A value outside the old limits still lands (the first set is clamped to them).
    setNumericFloatFldPrefs(field(), -200.0f, -360.0f, 0.0f);
    EXPECT_EQ(sADMItem->GetFloatValue(field()), -200.0f);

    setNumericLongFldPrefs(field(), 7, 2, 100);
    EXPECT_EQ(sADMItem->GetPrecision(field()), 0);
    EXPECT_EQ(sADMItem->GetIntValue(field()), 7);
    EXPECT_EQ(sADMItem->GetMinIntValue(field()), 2);
    EXPECT_EQ(sADMItem->GetMaxIntValue(field()), 100);
    EXPECT_EQ(sADMItem->GetUnits(field()), kADMNoUnits);
    setNumericLongFldPrefs(nullptr, 7, 2, 100);  // no item: nothing happens
}

// The fields the panels share: an integer field whose typed value stays within its limits,
// and a one-line text that keeps at most 256 characters. A field may switch between them.
TEST_F(FieldTest, IntegerAndSingleLineFieldsOfThePanels) {
    SetNumericIntFldPrefs(field(), 12, 0, 32767);
    char type[64];
    sADMItem->GetItemType(field(), type, sizeof type);
    EXPECT_STREQ(type, "ADM Text Edit Type");
    EXPECT_EQ(sADMItem->GetItemStyle(field()), kADMNumericTextEditStyle);
    EXPECT_EQ(text(), "12");
    standin::UserAction typed;
    typed.kind = standin::UserAction::Kind::SetText;
    typed.item = 4;
    typed.text = "40000";
    dm.userAction(panel, typed);
    EXPECT_EQ(sADMItem->GetIntValue(field()), 32767);
    EXPECT_FALSE(sADMItem->GetAllowMath(field()));
    EXPECT_FALSE(sADMItem->GetShowUnits(field()));

    const std::string long300(300, 'x');
    SetAlphaSingleLineFldPrefs(field(), long300.c_str());
    EXPECT_EQ(sADMItem->GetItemStyle(field()), kADMSingleLineTextEditStyle);
    EXPECT_EQ(text(), std::string(256, 'x'));
    typed.text = "A B";
    dm.userAction(panel, typed);
    EXPECT_EQ(text(), "A B");
    SetAlphaSingleLineFldPrefs(field(), nullptr);
    EXPECT_EQ(text(), "");
}

struct GlobalsTest : ::testing::Test {
    PlotwiseGlobals globals{};
    CoreGlobals* saved = nullptr;
    void SetUp() override {
        saved = plotwiseRecord;
        plotwiseRecord = &globals;
    }
    void TearDown() override { plotwiseRecord = saved; }
};

// The swatch converts process colours through the host's colour conversion.
struct SwatchColour : GlobalsTest {
    standin::Host host;
    void SetUp() override {
        GlobalsTest::SetUp();
        const void* p = nullptr;
        ASSERT_EQ(host.suites().acquire(kAIColorConversionSuite, kAIColorConversionSuiteVersion, &p), kNoErr);
        sAIColorConversion = static_cast<AIColorConversionSuite*>(const_cast<void*>(p));
    }
    void TearDown() override {
        sAIColorConversion = nullptr;
        GlobalsTest::TearDown();
    }
};

TEST_F(SwatchColour, EveryColourKind) {
    Plotwise3_Live_Dimension_Data& s = globals.prefs.style;
    ADMRGBColor c{1, 2, 3};
    s.dimensionColorType = kGrayColor;
    s.dimensionColorComponent1 = 0;
    convertPrefColorsIntoRGBColor(&c);
    EXPECT_EQ(c.red, 65535);
    EXPECT_EQ(c.blue, 65535);
    s.dimensionColorComponent1 = 65535;
    convertPrefColorsIntoRGBColor(&c);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 0);

    s.dimensionColorType = kThreeColor;
    s.dimensionColorComponent1 = 65535;
    s.dimensionColorComponent2 = 0;
    s.dimensionColorComponent3 = 32767;
    convertPrefColorsIntoRGBColor(&c);
    EXPECT_EQ(c.red, 65535);
    EXPECT_EQ(c.green, 0);
    EXPECT_EQ(c.blue, 32767);

    s.dimensionColorType = kCustomColor;
    s.dimensionCustomColorType = 1;  // RGB custom colour: straight through
    convertPrefColorsIntoRGBColor(&c);
    EXPECT_EQ(c.blue, 32767);
    s.dimensionCustomColorType = 0;  // process custom colour: cyan 1, yellow 0.5
    convertPrefColorsIntoRGBColor(&c);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.green, 65535);
    EXPECT_EQ(c.blue, 32767);

    s.dimensionColorType = kFourColor;
    s.dimensionColorComponent1 = 0;
    s.dimensionColorComponent2 = 0;
    s.dimensionColorComponent3 = 0;
    s.dimensionColorComponent4 = 65535;
    convertPrefColorsIntoRGBColor(&c);
    EXPECT_EQ(c.red, 0);
    EXPECT_EQ(c.blue, 0);

    for (int32_t kind : {int32_t{kPattern}, int32_t{kGradient}, int32_t{kNoneColor}, 7, -1}) {
        c = {11, 22, 33};
        s.dimensionColorType = kind;
        convertPrefColorsIntoRGBColor(&c);
        EXPECT_EQ(c.red, 11) << kind;
        EXPECT_EQ(c.blue, 33) << kind;
    }
    s.dimensionColorType = kCustomColor;
    s.dimensionCustomColorType = 2;  // Lab: left as it was
    c = {11, 22, 33};
    convertPrefColorsIntoRGBColor(&c);
    EXPECT_EQ(c.green, 22);
}

TEST(SwatchHelpers, ChannelsAndRects) {
    const float rgb[3] = {1.0f, 0.5f, 0.0f};
    ADMRGBColor c{};
    RGBArrayToASRGB(rgb, &c);
    EXPECT_EQ(c.red, 65535);
    EXPECT_EQ(c.green, 32767);
    EXPECT_EQ(c.blue, 0);
    const float wild[3] = {2.0f, -1.0f, NAN};
    RGBArrayToASRGB(wild, &c);
    EXPECT_EQ(c.red, 65535);
    EXPECT_EQ(c.green, 0);
    EXPECT_EQ(c.blue, 0);
    ADMRect r{0, 0, 20, 10};
    insetASRect(&r, 1);
    EXPECT_EQ(r.left, 1);
    EXPECT_EQ(r.top, 1);
    EXPECT_EQ(r.right, 19);
    EXPECT_EQ(r.bottom, 9);
    r = {0, 0, 20, 10};
    insetASRect(&r, -2);
    EXPECT_EQ(r.left, -2);
    EXPECT_EQ(r.right, 22);
    EXPECT_EQ(r.bottom, 12);
}

}  // namespace

namespace {

TEST_F(SwatchColour, AFailedConversionLeavesTheSwatchAlone) {
    Plotwise3_Live_Dimension_Data& s = globals.prefs.style;
    s.dimensionColorType = kFourColor;
    s.dimensionColorComponent4 = 65535;
    AIColorConversionSuite failing = *sAIColorConversion;
    failing.ConvertSampleColor = [](ai_int32, const AIReal*, ai_int32, AIReal* dst, const AIColorConvertOptions*,
                                    ASBoolean*) -> AIErr {
        dst[0] = dst[1] = dst[2] = NAN;
        return kBadParameterErr;
    };
    sAIColorConversion = &failing;
    ADMRGBColor c{11, 22, 33};
    convertPrefColorsIntoRGBColor(&c);
    EXPECT_EQ(c.red, 11);
    EXPECT_EQ(c.green, 22);
    EXPECT_EQ(c.blue, 33);
    sAIColorConversion = nullptr;
    convertPrefColorsIntoRGBColor(&c);  // no host at all
    EXPECT_EQ(c.red, 11);
}

}  // namespace
