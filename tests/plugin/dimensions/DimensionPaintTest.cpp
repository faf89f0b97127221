// Dimension paint: components to host reals and back, every colour kind both ways,
// custom colours through the document's swatches (the swatch named by the preference,
// the tint as a percentage, a missing swatch), and the three path styles.
#include <gtest/gtest.h>

#include <limits>

#include <string>

#include "DimensionPartsFixture.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionPaint.h"
#include "io/DocumentFile.h"
#include "units/ColorComponents.h"

namespace {

using Style = Plotwise3_Live_Dimension_Data;

class DimensionPaintTest : public DimensionPartsFixture {
protected:
    Style& S() { return G().prefs.style; }
    AICustomColorHandle NewSwatch(const char* name, const AICustomColor& color) {
        AICustomColorHandle h = nullptr;
        EXPECT_EQ(sAICustomColor->NewCustomColor(&color, ai::UnicodeString(name), &h), kNoErr);
        return h;
    }
};

TEST_F(DimensionPaintTest, ComponentsAreSixteenBitFixedPointLessOne) {
    EXPECT_EQ(ComponentToReal(0), 0.0f);
    EXPECT_EQ(ComponentToReal(65535), 1.0f);
    EXPECT_EQ(ComponentToReal(32767), 0.5f);
    EXPECT_EQ(RealToComponent(0.0f), 0);
    EXPECT_EQ(RealToComponent(1.0f), 65535);
    EXPECT_EQ(RealToComponent(0.5f), 32767);
    for (int32_t c : {0, 1, 255, 32767, 40000, 65535}) EXPECT_EQ(RealToComponent(ComponentToReal(c)), c) << c;
    // Defined for whatever a document stores.
    EXPECT_EQ(ComponentToReal(std::numeric_limits<int32_t>::max()), 32768.0f);
    EXPECT_EQ(RealToComponent(-32768.0f), std::numeric_limits<int32_t>::min());
}

TEST_F(DimensionPaintTest, ProcessRgbAndGreyBothWays) {
    AIColor color{};
    S().dimensionColorType = kFourColor;
    S().dimensionColorComponent1 = 65535;
    S().dimensionColorComponent2 = 32767;
    S().dimensionColorComponent3 = 0;
    S().dimensionColorComponent4 = 16383;
    setColorToPrefColors(&color);
    EXPECT_EQ(color.kind, kFourColor);
    EXPECT_EQ(color.c.f.cyan, 1.0f);
    EXPECT_EQ(color.c.f.magenta, 0.5f);
    EXPECT_EQ(color.c.f.yellow, 0.0f);
    EXPECT_EQ(color.c.f.black, 0.25f);

    AIColor rgb{};
    rgb.kind = kThreeColor;
    rgb.c.rgb = {0.25f, 1.0f, 0.0f};
    getPrefColorsFromColor(&rgb);
    EXPECT_EQ(S().dimensionColorType, kThreeColor);
    EXPECT_EQ(S().dimensionColorComponent1, 16383);
    EXPECT_EQ(S().dimensionColorComponent2, 65535);
    EXPECT_EQ(S().dimensionColorComponent3, 0);
    EXPECT_EQ(S().dimensionColorComponent4, 16383) << "not named for RGB: kept";
    setColorToPrefColors(&color);
    EXPECT_TRUE(color == rgb);

    AIColor grey{};
    grey.kind = kGrayColor;
    grey.c.g.gray = 0.75f;
    getPrefColorsFromColor(&grey);
    EXPECT_EQ(S().dimensionColorType, kGrayColor);
    EXPECT_EQ(S().dimensionColorComponent1, 49151);
    setColorToPrefColors(&color);
    EXPECT_TRUE(color == grey);
}

TEST_F(DimensionPaintTest, PatternGradientAndNoneSetOnlyTheKind) {
    S().dimensionColorComponent1 = 123;
    S().dimensionColorEntry = 4;
    for (AIColorTag kind : {kPattern, kGradient, kNoneColor}) {
        AIColor color{};
        color.kind = kGrayColor;
        color.c.g.gray = 0.3f;
        S().dimensionColorType = kind;
        setColorToPrefColors(&color);
        EXPECT_EQ(color.kind, kind);
        EXPECT_EQ(color.c.g.gray, 0.3f);
        S().dimensionColorType = kFourColor;
        getPrefColorsFromColor(&color);
        EXPECT_EQ(S().dimensionColorType, kind);
        EXPECT_EQ(S().dimensionColorComponent1, 123);
        EXPECT_EQ(S().dimensionColorEntry, 4);
    }
}

TEST_F(DimensionPaintTest, CustomColourTakesTheSwatchOfThePreferenceAndItsTint) {
    AICustomColor red{};
    red.kind = kCustomThreeColor;
    red.c.rgb = {1.0f, 0.0f, 0.0f};
    AICustomColorHandle swatch = NewSwatch("Dimension Red", red);
    CopyCString(G().prefs.customColorName, "Dimension Red");
    CopyCString(S().dimensionCustomColorName, "Another Name");  // the style's own name is not used
    S().dimensionColorType = kCustomColor;
    S().dimensionCustomColorTint = 100.0f;  // the preference default: the full colour
    AIColor color{};
    setColorToPrefColors(&color);
    EXPECT_EQ(color.kind, kCustomColor);
    EXPECT_EQ(color.c.c.color, swatch);
    EXPECT_EQ(color.c.c.tint, 1.0f);

    // Taken back from a host colour at a quarter tint.
    AIColor quarter{};
    quarter.kind = kCustomColor;
    quarter.c.c = {swatch, 0.25f};
    CopyCString(G().prefs.customColorName, "");
    getPrefColorsFromColor(&quarter);
    EXPECT_EQ(S().dimensionColorType, kCustomColor);
    EXPECT_EQ(S().dimensionCustomColorTint, 25.0f);
    EXPECT_EQ(S().dimensionCustomColorType, kCustomThreeColor);
    EXPECT_EQ(S().dimensionColorComponent1, 65535);
    EXPECT_EQ(S().dimensionColorComponent2, 0);
    EXPECT_STREQ(G().prefs.customColorName, "Dimension Red");
    setColorToPrefColors(&color);
    EXPECT_TRUE(color == quarter) << "the tint survives the round trip";
}

TEST_F(DimensionPaintTest, LabAndProcessSwatchDefinitions) {
    AICustomColor lab{};
    lab.kind = kCustomLabColor;
    lab.c.lab = {50.0f, 20.0f, -30.0f};
    AICustomColor process{};
    process.kind = kCustomFourColor;
    process.c.f = {0.0f, 1.0f, 1.0f, 0.0f};
    AIColor color{};
    color.kind = kCustomColor;
    color.c.c = {NewSwatch("Lab Blue", lab), 1.0f};
    S().dimensionColorComponent1 = 7;
    S().dimensionColorComponent4 = 9;
    getPrefColorsFromColor(&color);
    EXPECT_EQ(S().dimensionCustomColorType, kCustomLabColor);
    EXPECT_EQ(S().dimensionColorComponent1, 7) << "Lab keeps the components";
    EXPECT_EQ(S().dimensionColorComponent4, 9);
    color.c.c = {NewSwatch("Process Red", process), 0.5f};
    getPrefColorsFromColor(&color);
    EXPECT_EQ(S().dimensionCustomColorType, kCustomFourColor);
    EXPECT_EQ(S().dimensionColorComponent1, 0);
    EXPECT_EQ(S().dimensionColorComponent2, 65535);
    EXPECT_EQ(S().dimensionColorComponent3, 65535);
    EXPECT_EQ(S().dimensionColorComponent4, 0);
    EXPECT_EQ(S().dimensionCustomColorTint, 50.0f);
}

TEST_F(DimensionPaintTest, AMissingSwatchGivesADefinedPaint) {
    S().dimensionColorType = kCustomColor;
    S().dimensionCustomColorTint = 50.0f;
    CopyCString(G().prefs.customColorName, "Nowhere");
    S().dimensionColorComponent1 = 65535;
    S().dimensionColorComponent2 = 0;
    S().dimensionColorComponent3 = 32767;
    S().dimensionColorComponent4 = 0;
    AIColor color{};
    S().dimensionCustomColorType = kCustomThreeColor;  // RGB at half tint: mixed with white
    setColorToPrefColors(&color);
    EXPECT_EQ(color.kind, kThreeColor);
    EXPECT_FLOAT_EQ(color.c.rgb.red, 1.0f);
    EXPECT_FLOAT_EQ(color.c.rgb.green, 0.5f);
    EXPECT_FLOAT_EQ(color.c.rgb.blue, 0.75f);
    S().dimensionCustomColorType = kCustomFourColor;  // inks at half
    setColorToPrefColors(&color);
    EXPECT_EQ(color.kind, kFourColor);
    EXPECT_FLOAT_EQ(color.c.f.cyan, 0.5f);
    EXPECT_FLOAT_EQ(color.c.f.yellow, 0.25f);
    S().dimensionCustomColorType = kCustomLabColor;
    setColorToPrefColors(&color);
    EXPECT_EQ(color.kind, kGrayColor);
    EXPECT_EQ(color.c.g.gray, 1.0f);
}

TEST_F(DimensionPaintTest, LongSwatchNamesAreCutToTheField) {
    AICustomColor c{};
    c.kind = kCustomThreeColor;
    const std::string longName = "A swatch name that is far longer than thirty-one characters";
    AIColor color{};
    color.kind = kCustomColor;
    color.c.c = {NewSwatch(longName.c_str(), c), 1.0f};
    getPrefColorsFromColor(&color);
    EXPECT_EQ(std::string(G().prefs.customColorName), longName.substr(0, 31));
}

TEST_F(DimensionPaintTest, PathStylesByTerminatorStyle) {
    S().dimensionColorType = kThreeColor;
    S().dimensionColorComponent1 = 65535;
    S().dimensionWeight = 0.5f;
    S().witnessWeight = 0.25f;
    S().arrowheadWeight = 0.75f;
    AIPathStyle current{};
    ASSERT_EQ(sAIPathStyle->GetCurrentPathStyle(&current, nullptr, nullptr), kNoErr);
    current.fillPaint = true;
    current.stroke.dash.length = 2;
    current.stroke.join = kAIMiterJoin;
    current.clip = true;
    ASSERT_EQ(sAIPathStyle->SetCurrentPathStyle(&current), kNoErr);
    const int fill[] = {-1, 1, 1, 0, 0, 1, 0, 0, 0, -1};  // -1: the current style's
    for (int style = 0; style <= 9; ++style) {
        S().arrowheadStyle = style;
        ASSERT_EQ(setPathAndArrowheadStyles(), kNoErr);
        const AIPathStyle& t = G().arrowheadStyle;
        EXPECT_EQ(t.fillPaint != 0, fill[style] == -1 ? true : fill[style] == 1) << style;
        EXPECT_TRUE(t.strokePaint);
        EXPECT_EQ(t.stroke.width, 0.75f);
    }
    for (const AIPathStyle* st : {&G().dimensionLineStyle, &G().witnessLineStyle, &G().arrowheadStyle}) {
        EXPECT_FALSE(st->clip);
        EXPECT_TRUE(st->strokePaint);
        EXPECT_EQ(st->stroke.join, kAIRoundJoin);
        EXPECT_EQ(st->stroke.cap, kAIButtCap);
        EXPECT_EQ(st->stroke.dash.length, 0);
        EXPECT_EQ(st->stroke.miterLimit, 1.0f);
        EXPECT_FALSE(st->stroke.overprint);
        EXPECT_EQ(st->stroke.color.kind, kThreeColor);
        EXPECT_EQ(st->stroke.color.c.rgb.red, 1.0f);
        EXPECT_EQ(st->fill.color.kind, kThreeColor);
    }
    EXPECT_FALSE(G().dimensionLineStyle.fillPaint);
    EXPECT_FALSE(G().witnessLineStyle.fillPaint);
    EXPECT_EQ(G().dimensionLineStyle.stroke.width, 0.5f);
    EXPECT_EQ(G().witnessLineStyle.stroke.width, 0.25f);

    AIPathStyleSuite failing = *sAIPathStyle;
    failing.GetCurrentPathStyle = [](AIPathStyle*, void*, void*) -> AIErr { return kNoDocumentErr; };
    AIPathStyleSuite* saved = sAIPathStyle;
    sAIPathStyle = &failing;
    EXPECT_EQ(setPathAndArrowheadStyles(), kNoDocumentErr);
    sAIPathStyle = saved;
}

TEST_F(DimensionPaintTest, EveryKindSurvivesTheStyleFieldsAndASavedDocument) {
    AICustomColor teal{};
    teal.kind = kCustomFourColor;
    teal.c.f = {1.0f, 0.0f, 0.5f, 0.0f};
    NewSwatch("Teal", teal);
    struct Case {
        int32_t type, c1, c2, c3, c4, customType;
        float tint;
    };
    const Case cases[] = {
        {kGrayColor, 49151, 0, 0, 0, 0, 100},
        {kFourColor, 65535, 32767, 0, 16383, 0, 100},
        {kThreeColor, 0, 65535, 32767, 0, 0, 100},
        {kCustomColor, 65535, 0, 32767, 0, kCustomFourColor, 40},
    };
    CopyCString(G().prefs.customColorName, "Teal");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.type);
        S().dimensionColorType = c.type;
        S().dimensionColorComponent1 = c.c1;
        S().dimensionColorComponent2 = c.c2;
        S().dimensionColorComponent3 = c.c3;
        S().dimensionColorComponent4 = c.c4;
        S().dimensionCustomColorType = c.customType;
        S().dimensionCustomColorTint = c.tint;
        ASSERT_EQ(setPathAndArrowheadStyles(), kNoErr);
        AIArtHandle group = NewArt(kGroupArt);
        ASSERT_EQ(drawDimensionLine({0, 0}, {50, 0}, group), kNoErr);
        const standin::ObjId line = doc_->children(standin::fromHandle(group)).front();

        // Saved and opened again as the front document.
        const std::string text = standin::io::writeDocumentText(*doc_);
        std::unique_ptr<standin::Document> reopened = standin::io::readDocumentText(text, host_.documentIds());
        const standin::ObjId sameLine = line;  // ids are kept when the file's ids are still free
        standin::Document* front = &host_.adoptDocument(std::move(reopened));
        const standin::Art* read = front->art(sameLine);
        if (!read) {  // renumbered: the line of the newest group, the layer's top one
            const standin::ObjId top = front->children(front->topLayers().front()).front();
            read = front->art(front->children(top).front());
        }
        ASSERT_NE(read, nullptr);
        const AIColor stroke = read->style.stroke.color;

        // Back into the style fields from what the file holds.
        Plotwise3_Live_Dimension_Data before = S();
        S().dimensionColorComponent1 = S().dimensionColorComponent2 = S().dimensionColorComponent3 =
            S().dimensionColorComponent4 = -1;
        S().dimensionColorType = -1;
        CopyCString(G().prefs.customColorName, "");
        getPrefColorsFromColor(&stroke);
        EXPECT_EQ(S().dimensionColorType, before.dimensionColorType);
        EXPECT_EQ(S().dimensionColorComponent1, c.c1);
        if (c.type != kGrayColor) {
            EXPECT_EQ(S().dimensionColorComponent2, c.c2);
            EXPECT_EQ(S().dimensionColorComponent3, c.c3);
        }
        if (c.type == kFourColor) {
            EXPECT_EQ(S().dimensionColorComponent4, c.c4);
        }
        if (c.type == kCustomColor) {
            EXPECT_STREQ(G().prefs.customColorName, "Teal");
            EXPECT_FLOAT_EQ(S().dimensionCustomColorTint, 40.0f);
            EXPECT_EQ(S().dimensionCustomColorType, kCustomFourColor);
            EXPECT_EQ(S().dimensionColorComponent1, 65535) << "the swatch's definition";
            EXPECT_EQ(S().dimensionColorComponent3, 32767);
        }
        host_.setFrontDocument(*doc_);
        CopyCString(G().prefs.customColorName, "Teal");
    }
}

}  // namespace
