// Scales of a format-2 document, read from a fixture written from the legacy tag forms: the
// layer tag (a malformed one reported and kept), object tags (the last tagged group wins, a damaged
// one kept), the first legacy dimension's scale, and 1:1 when nothing is found.
#include <cstring>
#include <filesystem>

#include "DimensionHostFixture.h"
#include "dimensions/LegacyScaleTags.h"
#include "geometry/PlotwiseErrors.h"
#include "io/DocumentFile.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace {

const std::string kFixture = (std::filesystem::path(__FILE__).parent_path() / "fixtures/format2-scales.json").string();

struct LegacyScaleTagsTest : DimensionHostFixture {
    void SetUp() override {
        DimensionHostFixture::SetUp();
        std::string error;
        legacy = standin::io::openDocumentFile(host_, kFixture, error);
        ASSERT_NE(legacy, nullptr) << error;
        g->prefs.scale = 25;
        g->prefs.scaler = 50;
        std::strcpy(g->prefs.scaleStr, "1:50");
    }
    AILayerHandle Layer(const char* title) const {
        return standin::suites::layerHandle(legacy->layerByTitle(title));
    }
    AIArtHandle Art(standin::ObjId fileId) const { return standin::suites::artHandle(fileId); }
    bool HasTag(standin::ObjId id, const std::string& name) const {
        for (const auto& t : legacy->art(id)->tags)
            if (t.name == name) return true;
        return false;
    }
    struct Read {
        AIErr err;
        int32_t id;
        AIReal scaler;
        std::string label;
    };
    Read LayerScale(const char* title) {
        Read r{kNoErr, -1, -1, ""};
        char label[kScaleLabelSize] = "unset";
        r.err = getPW2LayerScale(Layer(title), &r.id, &r.scaler, label);
        r.label = label;
        return r;
    }
    standin::Document* legacy = nullptr;
};

TEST_F(LegacyScaleTagsTest, TheLayerTagGivesItsIdAndScalerWithTheTablesLabel) {
    const Read plan = LayerScale("Plan");  // "15^48^x"
    EXPECT_EQ(plan.err, kNoErr);
    EXPECT_EQ(plan.id, 15);
    EXPECT_FLOAT_EQ(plan.scaler, 48);
    EXPECT_EQ(plan.label, "1/4\" = 1'-0\"");
    EXPECT_TRUE(HasTag(1010, "ZMK_Layer_Scale"));  // read only
    EXPECT_EQ(g->prefs.scale, 25);               // the current scale is not touched

    // A custom id keeps the label the tag carried, whether the user's slot of that id is
    // empty or holds another scale; the label is the rest of the tag, spaces and all, cut to
    // the 31 characters a label holds.
    const struct {
        const char* slotLabel;
        const char* tagged;
        const char* label;
    } kCustom[] = {
        {"", "2^12.5^1\"=12.5\"", "1\"=12.5\""},
        {"1:3", "2^12.5^1\"=12.5\"", "1\"=12.5\""},
        {"", "2^12.5^1\" = 4'-2\"", "1\" = 4'-2\""},
        {"", "2^12.5^ 1 mm = 12.5 mm  of the north elevation", "1 mm = 12.5 mm  of the north el"},
    };
    for (const auto& c : kCustom) {
        SCOPED_TRACE(c.tagged);
        const CustomScaleSlot slot = customSlot(g->prefs, 3);
        *slot.scaler = c.slotLabel[0] ? 3.0f : 0.0f;
        std::strcpy(slot.label, c.slotLabel);
        legacy->editArt(1070)->tags.at(0).value = c.tagged;
        const Read custom = LayerScale("Custom");
        EXPECT_EQ(custom.id, 2);
        EXPECT_FLOAT_EQ(custom.scaler, 12.5f);
        EXPECT_EQ(custom.label, c.label);
    }
}

TEST_F(LegacyScaleTagsTest, AMalformedLayerTagIsReportedAndStays) {
    const Read detail = LayerScale("Detail");  // "25^50": two fields
    EXPECT_EQ(detail.err, kBadLiveDimensionDataErr);
    EXPECT_EQ(detail.label, "unset");
    EXPECT_TRUE(HasTag(1020, "ZMK_Layer_Scale"));
}

TEST_F(LegacyScaleTagsTest, AmongObjectTagsTheLastTaggedGroupWins) {
    const Read site = LayerScale("Site");
    EXPECT_EQ(site.err, kNoErr);
    EXPECT_EQ(site.id, 28);  // the nested group after "1:100"; the tagged path is not a group
    EXPECT_FLOAT_EQ(site.scaler, 10);
    EXPECT_EQ(site.label, "1:10");
    EXPECT_EQ(g->prefs.scale, 25);
}

TEST_F(LegacyScaleTagsTest, ADamagedObjectTagIsReportedAndKept) {
    int32_t id = -1;
    AIReal scaler = -1;
    char label[kScaleLabelSize] = "unset";
    EXPECT_EQ(getCADobjectScale(Art(1041), &id, &scaler, label), kBadLiveDimensionDataErr);
    EXPECT_EQ(id, -1);
    EXPECT_TRUE(HasTag(1041, "ZMK_Object_Scale"));
    EXPECT_EQ(getLayerScaleFromCADobject(Art(1041), &id, &scaler, label), kBadLiveDimensionDataErr);
    // Art without the tag leaves the outputs alone.
    EXPECT_EQ(getCADobjectScale(Art(1042), &id, &scaler, label), kNoErr);
    EXPECT_STREQ(label, "unset");
    // The layer read then goes on to the legacy dimensions, finds none and takes 1:1, still
    // reporting the damaged tag.
    const Read damaged = LayerScale("Damaged objects");
    EXPECT_EQ(damaged.err, kBadLiveDimensionDataErr);
    EXPECT_EQ(damaged.id, 33);
    EXPECT_EQ(damaged.label, "1:1");
}

TEST_F(LegacyScaleTagsTest, WithoutTagsTheFirstLegacyDimensionGivesTheScale) {
    const Read dims = LayerScale("Dimensioned");
    EXPECT_EQ(dims.err, kNoErr);
    EXPECT_EQ(dims.id, 29);
    EXPECT_FLOAT_EQ(dims.scaler, 5);
    EXPECT_EQ(dims.label, "1:5");
    EXPECT_EQ(g->prefs.scale, 29);  // made current
    EXPECT_STREQ(g->prefs.scaleStr, "1:5");
    int32_t id = 0;
    AIReal scaler = 0;
    char label[kScaleLabelSize];
    ASSERT_EQ(GetZA3LayerScaleAndSetIfNotThere(Layer("Dimensioned"), &id, &scaler, label), kNoErr);
    EXPECT_EQ(id, 29);  // and stored on the layer
}

TEST_F(LegacyScaleTagsTest, WithNothingToGoByTheCurrentScaleBecomesOneToOne) {
    // No tag and no dimension; or a dimension whose scale id is a separator of the table.
    for (const char* title : {"Empty", "Separator dimension"}) {
        g->prefs.scale = 25;
        const Read r = LayerScale(title);
        EXPECT_EQ(r.err, kNoErr) << title;
        EXPECT_EQ(r.id, 33) << title;
        EXPECT_FLOAT_EQ(r.scaler, 1) << title;
        EXPECT_EQ(r.label, "1:1") << title;
        EXPECT_EQ(g->prefs.scale, 33) << title;
        EXPECT_STREQ(g->prefs.scaleStr, "1:1") << title;
    }
}

}  // namespace
