// Dimension identity: which art is a dimension or part of one, ids, the highest id in the
// document (and what a failed query leaves), and the lookups over format-2 tags.
#include <string>

#include "DimensionHostFixture.h"
#include "dimensions/DimensionStorage.h"

namespace {

class IdentityTest : public DimensionHostFixture {
protected:
    AIArtHandle NewDimension(int32_t id, AIArtHandle inside = nullptr) {
        AIArtHandle group = NewArt(kGroupArt, inside);
        Plotwise3_Live_Dimension_Data style{};
        style.id = id;
        EXPECT_EQ(SetDimensionData(group, &style), kNoErr);
        return group;
    }
    void Tag(AIArtHandle art, const char* name) {
        EXPECT_EQ(sAITag->SetTag(art, name, kTagString, ""), kNoErr);
    }
    AILayerHandle Layer(const char* title) {
        AILayerHandle layer = nullptr;
        EXPECT_EQ(sAILayer->InsertLayer(nullptr, kPlaceBelowAll, &layer), kNoErr);
        EXPECT_EQ(sAILayer->SetLayerTitle(layer, title), kNoErr);
        return layer;
    }
    AIArtHandle LayerGroup(AILayerHandle layer) {
        AIArtHandle art = nullptr;
        EXPECT_EQ(sAIArt->GetFirstArtOfLayer(layer, &art), kNoErr);
        return art;
    }
};

TEST_F(IdentityTest, DimensionsAndTheirParts) {
    AIArtHandle dim = NewDimension(4);
    AIArtHandle part = NewArt(kPathArt, dim);
    AIArtHandle plain = NewArt(kGroupArt);
    AIArtHandle nested = NewDimension(5, dim);
    EXPECT_EQ(IsDimension(dim), 1);
    EXPECT_EQ(IsDimension(part), 0);
    EXPECT_EQ(isDimensionPart(part), 1);
    EXPECT_EQ(isDimensionPart(dim), 0) << "a dimension at layer level is no part";
    EXPECT_EQ(isDimensionPart(nested), 1);
    EXPECT_EQ(IsDimension(plain), 0);
    EXPECT_EQ(IsDimension(nullptr), 0);
    EXPECT_EQ(isDimensionPart(nullptr), 0);
}

TEST_F(IdentityTest, ReadingAndWritingIds) {
    AIArtHandle dim = NewDimension(4);
    AIArtHandle plain = NewArt(kGroupArt);
    EXPECT_EQ(GetDimensionID(dim), 4);
    EXPECT_EQ(SetDimensionID(dim, 40), kNoErr);
    EXPECT_EQ(GetDimensionID(dim), 40);
    EXPECT_EQ(SetDimensionID(plain, 41), kNoErr);
    EXPECT_EQ(IsDimension(plain), 0) << "no style record is written";
    EXPECT_EQ(GetDimensionID(plain), 0);
    EXPECT_EQ(SetDimensionID(nullptr, 1), kCADErr);
    EXPECT_EQ(GetDimensionID(nullptr), 0);
}

TEST_F(IdentityTest, HighestIdOverTheDocument) {
    EXPECT_EQ(GetHighestDimensionID(), 0);
    NewDimension(-9);
    EXPECT_EQ(GetHighestDimensionID(), 0) << "negative ids never win";
    AIArtHandle outer = NewDimension(3);
    NewDimension(17, outer);
    NewDimension(11);
    EXPECT_EQ(GetHighestDimensionID(), 17);
}

TEST_F(IdentityTest, AFailedQueryKeepsTheCounter) {
    NewDimension(5);
    g->prefs.style.id = 23;
    AIMatchingArtSuite failing = *sAIMatchingArt;
    failing.GetMatchingArt = [](const AIMatchingArtSpec*, int16_t, AIMdMemoryHandle*, int32_t*) -> AIErr {
        return kOutOfMemoryErr;
    };
    AIMatchingArtSuite* real = sAIMatchingArt;
    sAIMatchingArt = &failing;
    int32_t highest = -1;
    EXPECT_EQ(FindHighestDimensionID(&highest), kOutOfMemoryErr);
    EXPECT_EQ(highest, -1);
    g->prefs.style.id = GetHighestDimensionID();
    sAIMatchingArt = real;
    EXPECT_EQ(g->prefs.style.id, 23) << "ids already given are not handed out again";
    EXPECT_EQ(GetHighestDimensionID(), 5);
}

TEST_F(IdentityTest, LegacyDimensionGroupByNumber) {
    AILayerHandle grids = Layer("ROVidazu Layer");
    AILayerHandle drawing = Layer("Drawing");
    g->gridsLayer = grids;
    // On the grids layer: skipped even though it matches.
    AIArtHandle onGrid = NewArt(kGroupArt, LayerGroup(grids));
    Tag(onGrid, "Zelmark_Dimension_Group");
    Tag(onGrid, "ZMK_Live_Dim_7");
    // Inside another dimension group: never searched.
    AIArtHandle other = NewArt(kGroupArt, LayerGroup(drawing));
    Tag(other, "Zelmark_Dimension_Group");
    Tag(other, "ZMK_Live_Dim_3");
    AIArtHandle hidden = NewArt(kGroupArt, other);
    Tag(hidden, "Zelmark_Dimension_Group");
    Tag(hidden, "ZMK_Live_Dim_7");
    AIArtHandle result = reinterpret_cast<AIArtHandle>(1);
    EXPECT_EQ(GetDimArtFromDimID(7, &result), kNoErr);
    EXPECT_EQ(result, nullptr);
    // Inside a plain group: found.
    AIArtHandle plain = NewArt(kGroupArt, LayerGroup(drawing));
    AIArtHandle wanted = NewArt(kGroupArt, plain);
    Tag(wanted, "Zelmark_Dimension_Group");
    Tag(wanted, "ZMK_Live_Dim_7");
    EXPECT_EQ(GetDimArtFromDimID(7, &result), kNoErr);
    EXPECT_EQ(result, wanted);
    EXPECT_EQ(GetDimArtFromDimID(3, &result), kNoErr);
    EXPECT_EQ(result, other);
    // Without the group marker the number tag alone does not count.
    AIArtHandle unmarked = NewArt(kGroupArt, LayerGroup(drawing));
    Tag(unmarked, "ZMK_Live_Dim_8");
    EXPECT_EQ(GetDimArtFromDimID(8, &result), kNoErr);
    EXPECT_EQ(result, nullptr);
}

TEST_F(IdentityTest, FirstDimensionedObjectWalkKeepsTheLastFind) {
    AILayerHandle layer = Layer("Measured");
    AIArtHandle layerGroup = LayerGroup(layer);
    // Paint order: the group (topmost) then the path below it at layer level.
    AIArtHandle levelPath = NewArt(kPathArt, layerGroup);
    Tag(levelPath, "ZMK_Live_Obj_2_1");
    AIArtHandle group = NewArt(kGroupArt, layerGroup);
    AIArtHandle inner = NewArt(kPathArt, group);
    Tag(inner, "Other_Tag");
    Tag(inner, "ZMK_Live_Obj_1_1");
    AIArtHandle result = nullptr;
    EXPECT_EQ(walkArtworkTreeForFirstDimObject(layerGroup, &result), kNoErr);
    EXPECT_EQ(result, levelPath);
    result = nullptr;
    EXPECT_EQ(walkArtworkTreeForFirstDimObject(group, &result), kNoErr);
    EXPECT_EQ(result, levelPath) << "the sibling run of the group goes on after the find inside";
    AIArtHandle untagged = NewArt(kPathArt);
    result = nullptr;
    EXPECT_EQ(walkArtworkTreeForFirstDimObject(untagged, &result), kNoErr);
    EXPECT_EQ(result, nullptr);
}

}  // namespace
