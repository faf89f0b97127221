// Set-up of dimension drawing: where the group of a new dimension goes (the dimension
// layer, the drawing layer, during regeneration), never a stale group reported as new,
// the font by its user-interface name, the preset colours and the zoom check.
#include <gtest/gtest.h>

#include "DimensionPartsFixture.h"
#include "dimensions/DimensionDrawing.h"

namespace {

class DimensionSetupTest : public DimensionPartsFixture {
protected:
    void SetUp() override {
        DimensionPartsFixture::SetUp();
        ASSERT_EQ(sAILayer->GetCurrentLayer(&G().saveLayer), kNoErr);
        G().prefs.createDimensionLayer = 1;
    }
    AILayerHandle LayerOfGroup() {
        AILayerHandle layer = nullptr;
        EXPECT_EQ(sAIArt->GetLayerOfArt(G().group, &layer), kNoErr);
        return layer;
    }
    AILayerHandle AddLayer(const char* title, standin::ObjId inside = 0) {
        const standin::ObjId id = inside ? doc_->insertLayer(inside, kPlaceInsideOnTop, title)
                                         : doc_->insertLayer(doc_->topLayers().front(), kPlaceAbove, title);
        return standin::toHandle<AILayerHandle>(id);
    }
    bool IsNewEmptyGroup(AIArtHandle art, AIArtHandle before) {
        const standin::Art* a = ArtOf(art);
        return art != before && a && a->type == kGroupArt && a->firstChild == 0;
    }
};

TEST_F(DimensionSetupTest, TheFirstDimensionDrawnMakesTheDimensionLayer) {
    ASSERT_EQ(PrepDimensionLayer(), kNoErr);
    EXPECT_NE(doc_->layerByTitle("Dimension Layer"), 0u);
    EXPECT_EQ(LayerOfGroup(), standin::toHandle<AILayerHandle>(doc_->layerByTitle("Dimension Layer")));
}

TEST_F(DimensionSetupTest, WithoutTheDimensionLayerPreferenceTheGroupGoesOnTheDrawingLayer) {
    G().prefs.createDimensionLayer = 0;
    ASSERT_EQ(PrepDimensionLayer(), kNoErr);
    EXPECT_TRUE(IsNewEmptyGroup(G().group, nullptr));
    EXPECT_EQ(LayerOfGroup(), G().saveLayer);
    EXPECT_EQ(G().firstArtType, kGroupArt) << "the layer's own group: the new group goes inside it";
    AIArtHandle parent = nullptr;
    ASSERT_EQ(sAIArt->GetArtParent(G().group, &parent), kNoErr);
    EXPECT_EQ(parent, G().firstArt);
}

TEST_F(DimensionSetupTest, TheDimensionLayerTakesTheGroupAndBecomesCurrent) {
    AILayerHandle dims = AddLayer("Dimension Layer");
    ASSERT_EQ(PrepDimensionLayer(), kNoErr);
    EXPECT_EQ(G().dimensionLayer, dims);
    EXPECT_EQ(LayerOfGroup(), dims);
    AILayerHandle current = nullptr;
    ASSERT_EQ(sAILayer->GetCurrentLayer(&current), kNoErr);
    EXPECT_EQ(current, dims);
}

TEST_F(DimensionSetupTest, RegeneratingResizingOrTheOptionOffKeepTheDrawingLayer) {
    AddLayer("Dimension Layer");
    for (int which = 0; which < 3; ++which) {
        G().prefs.createDimensionLayer = which == 0 ? 0 : 1;
        G().updatingDimensions = which == 1;
        G().resizingDimension = which == 2;
        AIArtHandle before = G().group;
        ASSERT_EQ(PrepDimensionLayer(), kNoErr) << which;
        EXPECT_TRUE(IsNewEmptyGroup(G().group, before)) << which;
        EXPECT_EQ(LayerOfGroup(), G().saveLayer) << which;
    }
}

TEST_F(DimensionSetupTest, ADimensionLayerMovedIntoAnotherIsStillDrawnOnInANewGroup) {
    // "Dimension Layer" moved inside another layer: the host does not list it at the top.
    AILayerHandle outer = AddLayer("Outer");
    AILayerHandle dimensions = AddLayer("Dimension Layer", standin::fromHandle(outer));
    AIArtHandle stale = NewArt(kGroupArt);
    G().group = stale;
    ASSERT_EQ(PrepDimensionLayer(), kNoErr);
    EXPECT_TRUE(IsNewEmptyGroup(G().group, stale)) << "success means a new group";
    EXPECT_EQ(LayerOfGroup(), dimensions);
}

TEST_F(DimensionSetupTest, AHostErrorLeavesTheGroupAsItWas) {
    AIArtHandle before = NewArt(kGroupArt);
    G().group = before;
    AIArtSuite failing = *sAIArt;
    failing.NewArt = [](int16_t, int16_t, AIArtHandle, AIArtHandle* made) -> AIErr {
        *made = nullptr;
        return kLockedErr;
    };
    AIArtSuite* saved = sAIArt;
    sAIArt = &failing;
    EXPECT_EQ(PrepDimensionLayer(), kLockedErr);
    sAIArt = saved;
    EXPECT_EQ(G().group, before);
}

TEST_F(DimensionSetupTest, FontByExactUserInterfaceName) {
    AIFontKey sans = nullptr, mono = nullptr, found = nullptr;
    ASSERT_EQ(sAIFont->GetDefaultFont(kRomanAIScript, &sans), kNoErr);
    ASSERT_EQ(GetFontKeyFromDimensionTextFaceStr("DejaVu Sans Mono", &mono), kNoErr);
    char name[256] = {};
    ASSERT_EQ(sAIFont->GetUserFontUIName(mono, name, sizeof name), kNoErr);
    EXPECT_STREQ(name, "DejaVu Sans Mono");
    for (const char* other : {"", "dejavu sans mono", "DejaVu Sans Mon", "No Such Face"}) {
        ASSERT_EQ(GetFontKeyFromDimensionTextFaceStr(other, &found), kNoErr) << other;
        EXPECT_EQ(found, sans) << other;
    }
}

TEST_F(DimensionSetupTest, PresetColoursAndZoom) {
    const ADMRGBColor expected[] = {{0, 0, 0},          {0x5555, 0x5555, 0x5555}, {0xAAAA, 0xAAAA, 0xAAAA},
                                    {0xFFFF, 0xFFFF, 0xFFFF}, {0xFFFF, 0, 0},    {0xFFFF, 0x7FFF, 0x7FFF},
                                    {0, 0xFFFF, 0},     {0x7FFF, 0xFFFF, 0x7FFF}, {0, 0, 0xFFFF},
                                    {0x4F5C, 0x7FFF, 0xFFFF}};
    for (int i = 0; i < 10; ++i) {
        ADMRGBColor c{1, 2, 3};
        SetCADcolor(&c, i);
        EXPECT_EQ(c.red, expected[i].red) << i;
        EXPECT_EQ(c.green, expected[i].green) << i;
        EXPECT_EQ(c.blue, expected[i].blue) << i;
    }
    for (int i : {10, -1, 1000}) {
        ADMRGBColor c{1, 2, 3};
        SetCADcolor(&c, i);
        EXPECT_EQ(c.red + c.green + c.blue, 0) << i;
    }
    host_.setViewZoom(doc_->id(), 0.01f);
    EXPECT_EQ(CheckDocumentZoom(), kNoErr);
}

}  // namespace
