// The dimension layer: found by its title or created once, above the top-level layer that
// holds the current layer, with its fixed properties, leaving the current layer alone; and
// the copy of an art dictionary onto other art.
#include "DimensionHostFixture.h"
#include "core/PlotwiseDictionary.h"
#include "dimensions/DimensionLayer.h"
#include "suites/Suites.h"

namespace {

struct DimensionLayerTest : DimensionHostFixture {
    std::vector<std::string> TopTitles() const {
        std::vector<std::string> titles;
        for (standin::ObjId l : doc_->topLayers()) titles.push_back(doc_->art(l)->layer->title);
        return titles;
    }
    standin::ObjId Id(AIArtHandle art) const { return standin::fromHandle(art); }
    static AILayerHandle Handle(standin::ObjId layer) { return standin::suites::layerHandle(layer); }
};

TEST_F(DimensionLayerTest, ACreatedLayerSitsAboveTheTopLevelLayerOfTheCurrentSublayer) {
    doc_->addLayer("Plan");
    const standin::ObjId walls = doc_->insertLayer(doc_->layerByTitle("Plan"), kPlaceInsideOnTop, "Walls");
    doc_->addLayer("Notes");
    ASSERT_EQ(doc_->setCurrentLayer(walls), kNoErr);
    g->firstArt = standin::suites::artHandle(doc_->layerByTitle("Notes"));  // left from another layer

    ASSERT_EQ(CreateDimensionLayer(), kNoErr);
    EXPECT_EQ(TopTitles(), (std::vector<std::string>{"Notes", "Dimension Layer", "Plan", "Layer 1"}));
    const standin::ObjId made = doc_->layerByTitle("Dimension Layer");
    EXPECT_EQ(g->dimensionLayer, Handle(made));
    EXPECT_EQ(doc_->currentLayer(), walls);  // the user's layer stays current
    EXPECT_EQ(Id(g->firstArt), made);        // not the art of another layer
    const standin::LayerProps& p = *doc_->art(made)->layer;
    EXPECT_TRUE(p.visible);
    EXPECT_TRUE(p.preview);
    EXPECT_TRUE(p.editable);
    EXPECT_TRUE(p.printed);
    EXPECT_FALSE(p.dimPlaced);
    EXPECT_EQ(p.color.red, 65535);
    EXPECT_EQ(p.color.green, 0);
    EXPECT_EQ(p.color.blue, 0);
}

TEST_F(DimensionLayerTest, AnExistingLayerIsReusedAndTheCurrentLayerUntouched) {
    const standin::ObjId existing = doc_->addLayer("Dimension Layer");
    doc_->addLayer("Plan");
    ASSERT_EQ(CreateDimensionLayer(), kNoErr);
    ASSERT_EQ(CreateDimensionLayer(), kNoErr);
    EXPECT_EQ(TopTitles(), (std::vector<std::string>{"Plan", "Dimension Layer", "Layer 1"}));
    EXPECT_EQ(g->dimensionLayer, Handle(existing));
    EXPECT_EQ(Id(g->firstArt), existing);
    EXPECT_EQ(doc_->currentLayer(), doc_->layerByTitle("Plan"));
    EXPECT_EQ(g->saveLayer, nullptr);  // recorded only when a layer is made
}

TEST_F(DimensionLayerTest, EachDocumentHasItsOwnDimensionLayer) {
    ASSERT_EQ(CreateDimensionLayer(), kNoErr);
    const AILayerHandle first = g->dimensionLayer;
    standin::Document& other = host_.newDocument();
    ASSERT_EQ(FindDimensionLayer(), kNoErr);
    EXPECT_EQ(g->dimensionLayer, nullptr);
    ASSERT_EQ(CreateDimensionLayer(), kNoErr);
    EXPECT_NE(g->dimensionLayer, first);
    EXPECT_EQ(other.topLayers().size(), 2u);
    host_.setFrontDocument(*doc_);
    ASSERT_EQ(FindDimensionLayer(), kNoErr);
    EXPECT_EQ(g->dimensionLayer, first);
    EXPECT_EQ(doc_->topLayers().size(), 2u);
}

TEST_F(DimensionLayerTest, ADictionaryCopyAddsWhatIsMissingAndNeverOverwrites) {
    AIArtHandle source = NewArt(kPathArt);
    AIArtHandle target = NewArt(kPathArt);
    standin::Dict* s = doc_->editDict(doc_->dictionaryOf(Id(source)));
    s->set("ZA3_Scaler", AIReal{48});
    s->set("ZA3_ScaleStr", std::string("from the source"));
    s->set("-host entry", int32_t{7});
    const standin::ObjId axo = doc_->newDict();
    doc_->editDict(axo)->set("ZA3_Axo_face", int32_t{0x100});
    doc_->editDict(doc_->dictionaryOf(Id(source)))->set("ZA3_Axonometric", standin::DictLink{axo});
    doc_->editDict(doc_->dictionaryOf(Id(target)))->set("ZA3_ScaleStr", std::string("kept"));

    ASSERT_EQ(CopyArtDictionaryToArt(source, target), kNoErr);
    const standin::Dict& t = *doc_->dict(doc_->art(Id(target))->dictionary);
    ASSERT_NE(t.find("ZA3_Scaler"), nullptr);
    EXPECT_EQ(std::get<AIReal>(*t.find("ZA3_Scaler")), 48);
    EXPECT_EQ(std::get<standin::DictText>(*t.find("ZA3_ScaleStr")).str(), "kept");
    EXPECT_EQ(t.find("-host entry"), nullptr);
    ASSERT_NE(t.find("ZA3_Axonometric"), nullptr);
    const standin::ObjId copied = std::get<standin::DictLink>(*t.find("ZA3_Axonometric")).id;
    EXPECT_NE(copied, axo);  // the target has a record of its own
    EXPECT_EQ(std::get<int32_t>(*doc_->dict(copied)->find("ZA3_Axo_face")), 0x100);

    // A target that already has the record keeps its own.
    AIArtHandle third = NewArt(kPathArt);
    const standin::ObjId own = doc_->newDict();
    doc_->editDict(own)->set("ZA3_Axo_face", int32_t{0x80});
    doc_->editDict(doc_->dictionaryOf(Id(third)))->set("ZA3_Axonometric", standin::DictLink{own});
    ASSERT_EQ(CopyArtDictionaryToArt(source, third), kNoErr);
    const standin::Dict& t3 = *doc_->dict(doc_->art(Id(third))->dictionary);
    EXPECT_EQ(std::get<standin::DictLink>(*t3.find("ZA3_Axonometric")).id, own);
    EXPECT_EQ(std::get<int32_t>(*doc_->dict(own)->find("ZA3_Axo_face")), 0x80);
}

TEST_F(DimensionLayerTest, TheDictionaryCopiesSkipHostKeysAndReportTheHostsError) {
    AIArtHandle source = NewArt(kPathArt);
    standin::Dict* s = doc_->editDict(doc_->dictionaryOf(Id(source)));
    s->set("-", int32_t{1});
    s->set("a-b", int32_t{2});
    AIDictionaryRef temporary = nullptr;
    ASSERT_EQ(sAIDictionary->CreateDictionary(&temporary), kNoErr);
    ASSERT_EQ(CopyArtDictionaryToDictionary(source, temporary), kNoErr);
    int32_t count = 0;
    ASSERT_EQ(sAIDictionary->CountEntries(temporary, &count), kNoErr);
    EXPECT_EQ(count, 1);
    EXPECT_TRUE(sAIDictionary->IsKnown(temporary, sAIDictionary->Key("a-b")));

    AIArtHandle gone = NewArt(kPathArt);
    ASSERT_EQ(sAIArt->DisposeArt(gone), kNoErr);
    EXPECT_EQ(CopyDictionaryToArt(temporary, gone), kStaleHandleErr);
    EXPECT_EQ(CopyArtDictionaryToDictionary(gone, temporary), kStaleHandleErr);
    EXPECT_EQ(CopyArtDictionaryToArt(gone, source), kStaleHandleErr);
    sAIDictionary->Release(temporary);
}

}  // namespace
