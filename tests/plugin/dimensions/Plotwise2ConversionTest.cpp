// The conversion of format-2 tags into the current records, checked on the stored entries:
// a fixture drawing written from the legacy forms (a layer tag, an object-scale tag, click,
// style, face and colour tags), tags built in place for the edge cases (tag order, unit codes,
// unreadable texts, a failing store), and the deletion that the user may choose instead.
#include <algorithm>
#include <cmath>
#include <filesystem>
#include <string>
#include <vector>

#include "DimensionHostFixture.h"
#include "core/PlotwiseStrings.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/LegacyScaleTags.h"
#include "dimensions/Plotwise2Conversion.h"
#include "geometry/PlotwiseErrors.h"
#include "io/DocumentFile.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"

namespace {

const std::string kFixtures = (std::filesystem::path(__FILE__).parent_path() / "fixtures").string();

// Format-2 style texts: 38 fields, units in the fifth place, the one weight in the fifteenth.
std::string LegacyStyle(int id, const std::string& units = "8", const std::string& weight = "0.75") {
    return std::to_string(id) + "^0^1^15^" + units + "^2^3^0^0^0^0^0^1^100^" + weight +
           "^12^5^1^9^17.5^1^1^1^4.5^4.5^9^27^1^1^1^0^1^0^1^1^1^0^0";
}

struct Plotwise2ConversionTest : DimensionHostFixture {
    standin::Document* doc = nullptr;

    void Open(const char* name) {
        std::string error;
        doc = standin::io::openDocumentFile(host_, kFixtures + "/" + name, error);
        ASSERT_NE(doc, nullptr) << error;
    }
    void UseNewDocument() { doc = doc_; }

    static AIArtHandle Art(standin::ObjId id) { return standin::suites::artHandle(id); }
    AIArtHandle NewGroup() { return NewArt(kGroupArt); }
    AIArtHandle NewPath() { return NewArt(kPathArt); }
    void Tag(AIArtHandle art, const std::string& name, const std::string& value) {
        ASSERT_EQ(sAITag->SetTag(art, name.c_str(), kTagString, value.c_str()), kNoErr);
    }

    std::vector<std::string> Tags(standin::ObjId id) const {
        std::vector<std::string> names;
        for (const auto& t : doc->art(id)->tags) names.push_back(t.name);
        return names;
    }
    std::vector<std::string> Tags(AIArtHandle art) const { return Tags(standin::fromHandle(art)); }

    // An entry under a path of dictionaries from the art's dictionary; null when absent.
    const standin::DictValue* Entry(standin::ObjId art, const std::vector<std::string>& path) const {
        const standin::Art* a = doc->art(art);
        const standin::Dict* d = a && a->dictionary ? doc->dict(a->dictionary) : nullptr;
        for (size_t i = 0; d && i + 1 < path.size(); ++i) {
            const standin::DictValue* v = d->find(path[i]);
            d = v && std::holds_alternative<standin::DictLink>(*v) ? doc->dict(std::get<standin::DictLink>(*v).id)
                                                                   : nullptr;
        }
        return d ? d->find(path.back()) : nullptr;
    }
    template <class T>
    T Value(standin::ObjId art, const std::vector<std::string>& path) const {
        const standin::DictValue* v = Entry(art, path);
        EXPECT_NE(v, nullptr) << path.back();
        if (!v || !std::holds_alternative<T>(*v)) {
            ADD_FAILURE() << path.back() << " is missing or of another type";
            return T{};
        }
        return std::get<T>(*v);
    }
    template <class T>
    T Style(standin::ObjId group, const std::string& key) const { return Value<T>(group, {"ZA3_Dimension", key}); }
    template <class T>
    T Click(standin::ObjId art, int id, const std::string& click, const std::string& key) const {
        return Value<T>(art, {"ZA3_Object", "ZA3_Obj_data_" + std::to_string(id), "ZA3_Click_data_" + click, key});
    }
    size_t StyleEntryCount(standin::ObjId group) const {
        const standin::DictValue* v = Entry(group, {"ZA3_Dimension"});
        return v ? doc->dict(std::get<standin::DictLink>(*v).id)->entries.size() : 0;
    }
};

using Names = std::vector<std::string>;

// --- finding format-2 data ---

TEST_F(Plotwise2ConversionTest, Format2DataIsFoundByAnyOfItsTags) {
    UseNewDocument();
    EXPECT_EQ(CheckForPlotwise2Data(), 0);
    AIArtHandle group = NewGroup();
    Tag(group, "Zelmark_Dimension_Group", "");  // the marker alone is nothing to convert
    EXPECT_EQ(CheckForPlotwise2Data(), 0);
    // Measured art whose dimension groups were deleted still counts.
    AIArtHandle path = NewPath();
    Tag(path, "ZMK_Live_Obj_4_1", "4^0^0^1^0^0^0^1^2^0^0");
    EXPECT_EQ(CheckForPlotwise2Data(), 1);
    ASSERT_EQ(sAITag->RemoveTag(path, "ZMK_Live_Obj_4_1"), kNoErr);
    Tag(group, "ZMK_Live_Label_4", "4^A");
    EXPECT_EQ(CheckForPlotwise2Data(), 1);
    ASSERT_EQ(sAITag->RemoveTag(group, "ZMK_Live_Label_4"), kNoErr);
    AIArtHandle layerGroup = nullptr;
    AILayerHandle layer = nullptr;
    ASSERT_EQ(sAILayer->GetNthLayer(0, &layer), kNoErr);
    ASSERT_EQ(sAIArt->GetFirstArtOfLayer(layer, &layerGroup), kNoErr);
    Tag(layerGroup, "ZMK_Layer_Scale", "25^50^1:50");
    EXPECT_EQ(CheckForPlotwise2Data(), 1);
}

// --- the fixture drawing ---

TEST_F(Plotwise2ConversionTest, LayerScalesComeFromTheLayerTagOrTheObjectScale) {
    Open("format2-drawing.json");
    SkippedLegacyTags skipped;
    ASSERT_EQ(ConvertLayerScales(&skipped), kNoErr);
    EXPECT_TRUE(skipped.names.empty());
    // "Plan" carried "15^48^..." : id 15, the scanned scaler, the table's label of 15.
    EXPECT_EQ(Value<int32_t>(1100, {"ZA3_ScaleID"}), 15);
    EXPECT_EQ(Value<AIReal>(1100, {"ZA3_Scaler"}), 48.0f);
    EXPECT_EQ(Value<standin::DictText>(1100, {"ZA3_ScaleStr"}), "1/4\" = 1'-0\"");
    EXPECT_EQ(Tags(1100), Names{});
    // "Site" has no layer tag; its dimension group's object scale says 1:50, and stays.
    EXPECT_EQ(Value<int32_t>(1200, {"ZA3_ScaleID"}), 25);
    EXPECT_EQ(Value<AIReal>(1200, {"ZA3_Scaler"}), 50.0f);
    EXPECT_EQ(Value<standin::DictText>(1200, {"ZA3_ScaleStr"}), "1:50");
    EXPECT_EQ(Tags(1220), (Names{"Zelmark_Dimension_Group", "ZMK_Object_Scale", "ZMK_Live_Dim_3"}));
}

TEST_F(Plotwise2ConversionTest, ClickTagsBecomeClickRecordsOnTheMeasuredArt) {
    Open("format2-drawing.json");
    SkippedLegacyTags skipped;
    ASSERT_EQ(ConvertDimensionedObjects(&skipped), kNoErr);
    EXPECT_TRUE(skipped.names.empty());
    EXPECT_EQ(Tags(1110), Names{});
    EXPECT_EQ(Tags(1210), Names{});
    // "1^0^0^1^0^0^0^72^72^0^0": dimension 1, horizontal, an anchor, click 1 on segment 0.
    EXPECT_EQ(Click<int32_t>(1110, 1, "1", "ZA3_Obj_id"), 1);
    EXPECT_EQ(Click<bool>(1110, 1, "1", "ZA3_Obj_used"), false);
    EXPECT_EQ(Click<int32_t>(1110, 1, "1", "ZA3_Obj_dimtype"), kHorizontal);
    EXPECT_EQ(Click<int32_t>(1110, 1, "1", "ZA3_Obj_clicktype"), kLiveDimClickedSegmentPoint);
    EXPECT_EQ(Click<AIReal>(1110, 1, "1", "ZA3_Obj_x"), 72.0f);
    EXPECT_EQ(Click<int32_t>(1110, 1, "2", "ZA3_Obj_segnumafter"), 1);
    // The drag: 36 points straight down.
    EXPECT_EQ(Click<int32_t>(1110, 1, "drag", "ZA3_Obj_clicknum"), -1);
    EXPECT_EQ(Click<AIReal>(1110, 1, "drag", "ZA3_Obj_length"), 36.0f);
    EXPECT_EQ(Click<AIReal>(1110, 1, "drag", "ZA3_Obj_angle"), -1.5707964f);
    // Dimension 2 is vertical, on the same rectangle; dimension 3 measures the line.
    EXPECT_EQ(Click<int32_t>(1110, 2, "2", "ZA3_Obj_dimtype"), kVertical);
    EXPECT_EQ(Click<AIReal>(1110, 2, "2", "ZA3_Obj_y"), 144.0f);
    EXPECT_EQ(Click<AIReal>(1210, 3, "2", "ZA3_Obj_x"), 150.0f);
}

TEST_F(Plotwise2ConversionTest, StyleTagsBecomeStyleRecordsWithTheirFaceAndColour) {
    Open("format2-drawing.json");
    Plotwise3_Live_Dimension_Data& current = g->prefs.style;
    CopyCString(current.upperToleranceValue, "0.02");
    current.textSpacing = 33;
    current.labelBorder = 4;
    current.useUniversalTextAngle = 1;
    SkippedLegacyTags skipped;
    ASSERT_EQ(ConvertLiveDimensions(&skipped), kNoErr);
    EXPECT_TRUE(skipped.names.empty());

    // The marker stays; the converted tags are gone.
    EXPECT_EQ(Tags(1120), Names{"Zelmark_Dimension_Group"});
    EXPECT_EQ(StyleEntryCount(1120), 82u);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_id"), 1);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_live"), 1);
    // Legacy unit 8 (feet and decimal inches) is 12 now, in both units.
    EXPECT_EQ(Style<int32_t>(1120, "PW7_Attr_upperUnits"), 12);
    EXPECT_EQ(Style<int32_t>(1120, "PW7_Attr_lowerUnits"), 12);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_upperDecimalPrecision"), 2);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_lowerFractionalPrecision"), 3);
    // One weight for every line.
    EXPECT_EQ(Style<AIReal>(1120, "ZA3_Attr_dimensionWeight"), 0.75f);
    EXPECT_EQ(Style<AIReal>(1120, "ZA3_Attr_arrowheadWeight"), 0.75f);
    EXPECT_EQ(Style<AIReal>(1120, "ZA3_Attr_witnessWeight"), 0.75f);
    EXPECT_EQ(Style<AIReal>(1120, "ZA3_Attr_arrowheadAngle"), 17.5f);
    // Fixed values for what format 2 did not have.
    EXPECT_EQ(Style<AIReal>(1120, "ZA3_Attr_dimensionExtension"), 0.0f);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_moveLargeDimensionText"), 1);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_diameterLeaderSpansCircle"), 1);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_dualDimensions"), 0);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_upperTolerance"), 0);
    // The current style's settings.
    EXPECT_EQ(Style<standin::DictText>(1120, "ZA3_Attr_upperToleranceValue"), "0.02");
    EXPECT_EQ(Style<int32_t>(1120, "PW4_Attr_textSpacing"), 33);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_labelBorder"), 4);
    EXPECT_EQ(Style<int32_t>(1120, "ZA3_Attr_useUniversalTextAngle"), 1);
    // Fields of later formats: what a reader gives a record without them.
    EXPECT_EQ(Style<int32_t>(1120, "PW4_Attr_dimTextPrecedenceFlag"), 1);
    EXPECT_EQ(Style<AIReal>(1120, "PW4_Attr_diameterLeaderLength"), 36.0f);
    EXPECT_EQ(Style<int32_t>(1120, "PW5_Attr_alphaLabelMenuOption"), 1);
    EXPECT_EQ(Style<bool>(1120, "PW5_Attr_geoLabelA"), false);
    EXPECT_EQ(Style<bool>(1120, "PW5_Attr_stretchLabelShape"), false);
    EXPECT_EQ(Style<int32_t>(1120, "PW5_Attr_terminatorDirection"), 2);
    EXPECT_EQ(Style<bool>(1120, "PW7_Attr_upperRefDimension"), false);
    // Strings from their own tags: the face as written, the colour with blanks for '_'.
    EXPECT_EQ(Style<standin::DictText>(1120, "ZA3_Attr_dimensionTextFaceStr"), "Helvetica");
    EXPECT_EQ(Style<standin::DictText>(1120, "ZA3_Attr_dimensionCustomColorName"), "PANTONE 185 C");
    EXPECT_EQ(Style<standin::DictText>(1120, "ZA3_Attr_dimensionLabelStr"), "");
    // Dimension 2 had no face tag: the face is made, empty.
    EXPECT_EQ(Style<standin::DictText>(1130, "ZA3_Attr_dimensionTextFaceStr"), "");
    EXPECT_EQ(Style<int32_t>(1220, "PW7_Attr_upperUnits"), 3);  // millimetres stay 3
    // The dimension's text is recorded as the value it shows, so regeneration will not take
    // it for text the user typed.
    EXPECT_EQ(Value<standin::DictText>(1124, {"PW4_DimText", "PW4_Attr_variableDimemsionStr"}), "8'-0.00\"");
    EXPECT_EQ(Value<standin::DictText>(1124, {"PW4_DimText", "PW4_Attr_customDimemsionStr"}), "");
    EXPECT_EQ(Value<int32_t>(1124, {"PW4_DimText", "PW4_Attr_variableDimStrAlphaInc"}), -1);
}

TEST_F(Plotwise2ConversionTest, ALabelKeepsItsTextsAsTheyAre) {
    UseNewDocument();
    AIArtHandle label = NewGroup();
    AIArtHandle text = nullptr;
    ASSERT_EQ(sAITextFrame->NewPointText(kPlaceInsideOnTop, label, kHorizontalTextOrientation, {0, 0}, &text), kNoErr);
    std::string style = LegacyStyle(9);
    style.replace(style.size() - std::string("0^1^0^1^1^1^0^0").size(), 1, "1");  // isLabel
    Tag(label, "ZMK_Live_Dim_9", style);
    ASSERT_EQ(ConvertLiveDimensions(), kNoErr);
    EXPECT_EQ(IsDimension(label), 1);
    EXPECT_EQ(Entry(standin::fromHandle(text), {"PW4_DimText"}), nullptr);
}

// --- edge cases built in place ---

TEST_F(Plotwise2ConversionTest, TheFaceIsKeptInEitherTagOrder) {
    UseNewDocument();
    AIArtHandle faceFirst = NewGroup();
    Tag(faceFirst, "ZMK_Live_Face_5", "5^Courier");
    Tag(faceFirst, "ZMK_Live_Dim_5", LegacyStyle(5));
    AIArtHandle styleFirst = NewGroup();
    Tag(styleFirst, "ZMK_Live_Dim_6", LegacyStyle(6));
    Tag(styleFirst, "ZMK_Live_Face_6", "6^Courier");
    ASSERT_EQ(ConvertLiveDimensions(), kNoErr);
    for (AIArtHandle group : {faceFirst, styleFirst}) {
        EXPECT_EQ(Style<standin::DictText>(standin::fromHandle(group), "ZA3_Attr_dimensionTextFaceStr"), "Courier");
        EXPECT_EQ(Tags(group), Names{});
    }
}

TEST_F(Plotwise2ConversionTest, LegacyUnitCodesMoveToTheCurrentNumbering) {
    const struct {
        int32_t legacy, current;
    } kCodes[] = {{0, 0}, {3, 3}, {7, 7}, {8, 12}, {9, 13}, {10, 18}, {11, 11}, {-1, -1}};
    for (const auto& c : kCodes) {
        EXPECT_EQ(ConvertPlotwise2UnitCode(c.legacy), c.current) << c.legacy;
        live_dimension_group_data legacy{};
        legacy.units = c.legacy;
        Plotwise3_Live_Dimension_Data style{};
        ASSERT_EQ(BuildStyleFromPlotwise2(legacy, g->prefs.style, &style), kNoErr);
        EXPECT_EQ(style.upperUnits, c.current);
        EXPECT_EQ(style.lowerUnits, c.current);
    }
}

TEST_F(Plotwise2ConversionTest, AnUnreadableTextIsSkippedAndNamedAndTheRestConverts) {
    UseNewDocument();
    AIArtHandle path = NewPath();
    Tag(path, "ZMK_Live_Obj_1_1", "1^0^0^1^0^0^0^72^72^0^0");
    Tag(path, "ZMK_Live_Obj_1_2", "1^0^0^2^1^1^0^nan^72^0^0");  // the old reader took nan
    Tag(path, "ZMK_Live_Obj_1_3", "1^0^0^3^1^1^0^1e39^72^0^0");  // beyond a float
    Tag(path, "ZMK_Live_Obj_1_drag", "1^0^2^-1^0^0^0^72^36^36^-1.5707964");
    // Clicks no click record on a path holds: one numbered 0, an anchor -1, a place past the
    // canvas, a click on text.
    Tag(path, "ZMK_Live_Obj_1_0", "1^0^0^0^0^0^0^72^72^0^0");
    Tag(path, "ZMK_Live_Obj_1_4", "1^0^0^4^-1^-1^0^72^72^0^0");
    Tag(path, "ZMK_Live_Obj_1_5", "1^0^2^5^0^0^0^1e30^72^0^0");
    Tag(path, "ZMK_Live_Obj_1_6", "1^0^3^6^0^0^0^72^72^0^0");
    AIArtHandle other = NewPath();
    Tag(other, "ZMK_Live_Obj_2_1", "2^0^0^1^0^0^0^5^5");  // nine fields
    Tag(other, "ZMK_Live_Obj_2_2", "2^0^0^2^0^0^0^9^5^0^0");
    Tag(other, "ZMK_Live_Obj_2_drag", "2^0^2^3^0^0^0^9^41^36^0");  // the drag numbered as a third click
    AIArtHandle bad = NewGroup();
    Tag(bad, "ZMK_Live_Dim_1", LegacyStyle(1, "8", "inf"));
    AIArtHandle good = NewGroup();
    Tag(good, "ZMK_Live_Dim_2", LegacyStyle(2));
    AIArtHandle noId = NewGroup();
    Tag(noId, "ZMK_Live_Dim_0", LegacyStyle(0));
    AIArtHandle noUnit = NewGroup();
    Tag(noUnit, "ZMK_Live_Dim_4", LegacyStyle(4, "40"));

    SkippedLegacyTags skipped;
    ASSERT_EQ(ConvertDimensionedObjects(&skipped), kNoErr);
    ASSERT_EQ(ConvertLiveDimensions(&skipped), kNoErr);
    // Each named once; the unreadable tags stay where they were.
    std::sort(skipped.names.begin(), skipped.names.end());
    EXPECT_EQ(skipped.names,
              (Names{"ZMK_Live_Dim_0", "ZMK_Live_Dim_1", "ZMK_Live_Obj_1_0", "ZMK_Live_Obj_1_2", "ZMK_Live_Obj_1_3",
                     "ZMK_Live_Obj_1_4", "ZMK_Live_Obj_1_5", "ZMK_Live_Obj_1_6", "ZMK_Live_Obj_2_1",
                     "ZMK_Live_Obj_2_drag"}));
    EXPECT_EQ(Tags(path), (Names{"ZMK_Live_Obj_1_2", "ZMK_Live_Obj_1_3", "ZMK_Live_Obj_1_0", "ZMK_Live_Obj_1_4",
                                 "ZMK_Live_Obj_1_5", "ZMK_Live_Obj_1_6"}));
    // A unit code the formatter lacks is converted as the current style's, and named.
    EXPECT_EQ(Style<int32_t>(standin::fromHandle(noUnit), "PW7_Attr_upperUnits"), g->prefs.style.upperUnits);
    ASSERT_EQ(g->notesForUser.size(), 1u);
    EXPECT_EQ(g->notesForUser[0].second, (Names{"dimension 4: upperUnits 40", "dimension 4: lowerUnits 40"}));
    EXPECT_EQ(Tags(other), (Names{"ZMK_Live_Obj_2_1", "ZMK_Live_Obj_2_drag"}));
    EXPECT_EQ(Tags(bad), Names{"ZMK_Live_Dim_1"});
    EXPECT_EQ(Tags(good), Names{});
    const standin::ObjId p = standin::fromHandle(path);
    EXPECT_EQ(Click<AIReal>(p, 1, "1", "ZA3_Obj_x"), 72.0f);
    EXPECT_EQ(Click<AIReal>(p, 1, "drag", "ZA3_Obj_length"), 36.0f);
    EXPECT_EQ(Entry(p, {"ZA3_Object", "ZA3_Obj_data_1", "ZA3_Click_data_2"}), nullptr);
    EXPECT_EQ(Click<AIReal>(standin::fromHandle(other), 2, "2", "ZA3_Obj_x"), 9.0f);
    EXPECT_EQ(IsDimension(bad), 0);
    EXPECT_EQ(Style<int32_t>(standin::fromHandle(good), "ZA3_Attr_id"), 2);
}

TEST_F(Plotwise2ConversionTest, DuplicateTagsOnOneArtConvertOnceAndTheRestAreNamed) {
    UseNewDocument();
    AIArtHandle path = NewPath();
    Tag(path, "ZMK_Live_Obj_1_1", "1^0^0^1^0^0^0^72^72^0^0");
    Tag(path, "ZMK_Live_Obj_1_1_", "1^0^0^1^0^0^0^9^9^0^0");  // click 1 of dimension 1 again
    Tag(path, "ZMK_Live_Obj_1_2", "1^0^0^2^1^1^0^144^72^0^0");
    AIArtHandle group = NewGroup();
    Tag(group, "ZMK_Live_Dim_5", LegacyStyle(5));
    Tag(group, "ZMK_Live_Dim_6", LegacyStyle(6));  // a group holds one style
    SkippedLegacyTags skipped;
    ASSERT_EQ(ConvertDimensionedObjects(&skipped), kNoErr);
    ASSERT_EQ(ConvertLiveDimensions(&skipped), kNoErr);
    // One of each pair converted; the other named and kept, nothing overwritten.
    ASSERT_EQ(skipped.names.size(), 2u);
    EXPECT_EQ(Tags(path), Names{skipped.names[0]});
    EXPECT_EQ(Tags(group), Names{skipped.names[1]});
    const standin::ObjId p = standin::fromHandle(path);
    const AIReal x = Click<AIReal>(p, 1, "1", "ZA3_Obj_x");
    EXPECT_EQ(x, skipped.names[0] == "ZMK_Live_Obj_1_1" ? 9.0f : 72.0f);
    EXPECT_EQ(Click<AIReal>(p, 1, "2", "ZA3_Obj_x"), 144.0f);
    EXPECT_EQ(Style<int32_t>(standin::fromHandle(group), "ZA3_Attr_id"), skipped.names[1] == "ZMK_Live_Dim_5" ? 6 : 5);
    // Every negative number is the drag.
    AIArtHandle dragged = NewPath();
    Tag(dragged, "ZMK_Live_Obj_1_drag", "1^0^2^-1^0^0^0^72^36^36^0");
    Tag(dragged, "ZMK_Live_Obj_1_drag_", "1^0^2^-2^0^0^0^72^36^18^0");
    SkippedLegacyTags drags;
    ASSERT_EQ(ConvertLegacyClickTags(dragged, &drags), kNoErr);
    ASSERT_EQ(drags.names.size(), 1u);
    EXPECT_EQ(Tags(dragged), drags.names);
    EXPECT_EQ(Click<AIReal>(standin::fromHandle(dragged), 1, "drag", "ZA3_Obj_length"),
              drags.names[0] == "ZMK_Live_Obj_1_drag" ? 18.0f : 36.0f);
}

TEST_F(Plotwise2ConversionTest, ASubRecordWithoutAStyleRecordStaysAndIsNamed) {
    UseNewDocument();
    AIArtHandle group = NewGroup();
    Tag(group, "ZMK_Live_Face_7", "7^Courier");
    Tag(group, "ZMK_Live_Label_7", "7^Big_Label");
    SkippedLegacyTags skipped;
    ASSERT_EQ(ConvertLiveDimensions(&skipped), kNoErr);
    // A record of strings alone would be one no reader could read.
    EXPECT_EQ(IsDimension(group), 0);
    EXPECT_EQ(Tags(group), (Names{"ZMK_Live_Face_7", "ZMK_Live_Label_7"}));
    EXPECT_EQ(skipped.names, (Names{"ZMK_Live_Label_7", "ZMK_Live_Face_7"}));
}

TEST_F(Plotwise2ConversionTest, ATagIsRemovedOnlyAfterItsRecordWasStored) {
    UseNewDocument();
    // Whichever dictionary write fails, every tag that is gone has its record stored, and
    // converting again finishes the job.
    for (int failing = 1; failing <= 120; ++failing) {
        SCOPED_TRACE(failing);
        AIArtHandle path = NewPath();
        Tag(path, "ZMK_Live_Obj_1_1", "1^0^0^1^0^0^0^72^72^0^0");
        Tag(path, "ZMK_Live_Obj_1_2", "1^0^0^2^1^1^0^216^72^0^0");
        AIArtHandle group = NewGroup();
        Tag(group, "ZMK_Live_Dim_1", LegacyStyle(1));
        Tag(group, "ZMK_Live_Color_1", "1^Red");
        const standin::ObjId p = standin::fromHandle(path), q = standin::fromHandle(group);
        auto tagged = [&](AIArtHandle art, const char* name) {
            const Names tags = Tags(art);
            return std::find(tags.begin(), tags.end(), name) != tags.end();
        };
        auto storedOrTagged = [&] {
            if (!tagged(path, "ZMK_Live_Obj_1_1")) {
                EXPECT_EQ(Click<AIReal>(p, 1, "1", "ZA3_Obj_x"), 72.0f);
            }
            if (!tagged(path, "ZMK_Live_Obj_1_2")) {
                EXPECT_EQ(Click<AIReal>(p, 1, "2", "ZA3_Obj_x"), 216.0f);
            }
            if (!tagged(group, "ZMK_Live_Dim_1")) {
                EXPECT_EQ(StyleEntryCount(q), 82u);
                EXPECT_EQ(Style<int32_t>(q, "PW7_Attr_upperUnits"), 12);
            }
            if (!tagged(group, "ZMK_Live_Color_1")) {
                EXPECT_EQ(Style<standin::DictText>(q, "ZA3_Attr_dimensionCustomColorName"), "Red");
            }
        };
        host_.failDictionaryWrite(failing);
        const AIErr clicks = ConvertDimensionedObjects();
        const AIErr styles = ConvertLiveDimensions();
        host_.failDictionaryWrite(0);
        if (failing == 1) {
            EXPECT_EQ(clicks, kOutOfMemoryErr);  // a failed store is reported
        }
        if (clicks == kNoErr && styles == kNoErr) {
            EXPECT_EQ(CheckForPlotwise2Data(), 0);
        }
        storedOrTagged();

        ASSERT_EQ(ConvertDimensionedObjects(), kNoErr);
        ASSERT_EQ(ConvertLiveDimensions(), kNoErr);
        EXPECT_EQ(Tags(path), Names{});
        EXPECT_EQ(Tags(group), Names{});
        storedOrTagged();
        ASSERT_EQ(sAIArt->DisposeArt(path), kNoErr);
        ASSERT_EQ(sAIArt->DisposeArt(group), kNoErr);
    }
}

TEST_F(Plotwise2ConversionTest, DamagedScaleTagsStayAndAreNamedAndNoLayerTakesAnothersScale) {
    UseNewDocument();
    // Each layer's tags; a layer at the bottom holds a legacy dimension at 1/4" = 1'-0" (15),
    // which no other layer may take.
    const struct {
        const char* layer;
        const char* layerTag;   // "" for none
        const char* objectTag;  // on a group of the layer, "" for none
        int32_t id;             // the scale converted
        AIReal scaler;
        const char* given;      // the label named with a damaged tag, "" when none is named
    } kLayers[] = {
        {"Two fields", "25^50", "28^10^1:10", 28, 10, "1:10"},
        {"Not a number", "nan^nan^x", "", 33, 1, "1:1"},
        {"No scaler", "25^0^1:50", "", 33, 1, "1:1"},
        {"Negative", "25^-50^1:50", "", 33, 1, "1:1"},
        {"No such scale", "23^50^1:50", "", 33, 1, "1:1"},
        {"Custom slot 0", "0^48^1/4\"=1'-0\"", "", 0, 48, ""},
        {"Past any scale", "0^1e30^1:1e30", "", 33, 1, "1:1"},
        {"The largest custom scale", "0^100000000^1:100000000", "", 0, 1e8f, ""},
        {"Good", "25^50^x", "", 25, 50, ""},
        {"Damaged object", "", "28^^1:10", 33, 1, "1:1"},
        {"Object nan", "", "25^nan^1:50", 33, 1, "1:1"},
        {"Object of slot 0", "", "0^10^1:10", 0, 10, ""},
        {"Object", "", "28^10^1:10", 28, 10, ""},
    };
    AIArtHandle measured = NewPath();
    Tag(measured, "ZMK_Live_Obj_3_1", "3^2^1^1^0^1^0.5^5^0^36^0");
    AIArtHandle dimension = NewGroup();
    Tag(dimension, "Zelmark_Dimension_Group", "");
    Tag(dimension, "ZMK_Live_Dim_3", LegacyStyle(3));
    std::vector<AIArtHandle> groups;
    for (const auto& l : kLayers) {
        doc->addLayer(l.layer);
        AILayerHandle layer = standin::suites::layerHandle(doc->layerByTitle(l.layer));
        AIArtHandle layerGroup = nullptr;
        ASSERT_EQ(sAIArt->GetFirstArtOfLayer(layer, &layerGroup), kNoErr);
        groups.push_back(layerGroup);
        if (*l.layerTag) Tag(layerGroup, "ZMK_Layer_Scale", l.layerTag);
        if (*l.objectTag) Tag(NewGroup(), "ZMK_Object_Scale", l.objectTag);
    }
    SkippedLegacyTags skipped;
    ASSERT_EQ(ConvertLayerScales(&skipped), kNoErr);
    Names named;
    for (size_t i = 0; i < std::size(kLayers); ++i) {
        const auto& l = kLayers[i];
        SCOPED_TRACE(l.layer);
        int32_t id = 0;
        AIReal scaler = 0;
        char label[kScaleLabelSize] = {};
        ASSERT_EQ(GetZA3LayerScaleAndSetIfNotThere(standin::suites::layerHandle(doc->layerByTitle(l.layer)), &id,
                                                   &scaler, label), kNoErr);
        EXPECT_EQ(id, l.id);
        EXPECT_FLOAT_EQ(scaler, l.scaler);
        // A damaged layer tag stays where it was; a good one goes once converted.
        EXPECT_EQ(Tags(groups[i]).size(), *l.layerTag && *l.given ? 1u : 0u);
        if (*l.given)
            named.push_back(std::string(*l.layerTag ? "ZMK_Layer_Scale" : "ZMK_Object_Scale") + " (layer \"" + l.layer +
                            "\", given the scale " + l.given + ")");
    }
    std::sort(skipped.names.begin(), skipped.names.end());
    std::sort(named.begin(), named.end());
    EXPECT_EQ(skipped.names, named);
}

// --- deletion ---

TEST_F(Plotwise2ConversionTest, DeletionRemovesEveryLegacyTagAndKeepsTheArt) {
    Open("format2-drawing.json");
    const size_t before = doc->children(1100).size() + doc->children(1200).size();
    ASSERT_EQ(DeletePlotwise2LayerScales(), kNoErr);
    ASSERT_EQ(DeletePlotwise2DimensionedObjectTags(), kNoErr);
    ASSERT_EQ(DeletePlotwise2LiveDimensionTags(), kNoErr);
    EXPECT_EQ(CheckForPlotwise2Data(), 0);
    for (standin::ObjId id : {1100, 1110, 1120, 1130, 1210})
        EXPECT_EQ(Tags(id), Names{}) << id;
    // Object scales are not dimension data: they stay.
    EXPECT_EQ(Tags(1220), Names{"ZMK_Object_Scale"});
    EXPECT_EQ(doc->children(1100).size() + doc->children(1200).size(), before);
    EXPECT_EQ(IsDimension(Art(1120)), 0);
    EXPECT_EQ(IsDimensionedObject(Art(1110)), 0);
}

}  // namespace
