// The model's own operations that drivers use (new documents, layers by title, plain
// art, selection, traversal), checked through the model and through the suites.
#include "HostFixture.h"

namespace {

using standin::Art;
using standin::ObjId;

class ModelTest : public HostTest {};

TEST_F(ModelTest, NewDocumentHasOneCurrentLayerAndNothingToUndo) {
    standin::Document& d = host.newDocument(200, 100);
    EXPECT_EQ(host.frontDocument(), &d);
    ASSERT_EQ(d.topLayers().size(), 1u);
    EXPECT_EQ(d.art(d.topLayers()[0])->layer->title, "Layer 1");
    EXPECT_EQ(d.currentLayer(), d.topLayers()[0]);
    EXPECT_EQ(d.state().setup.width, 200.0f);
    EXPECT_FALSE(d.journal().canUndo());
    host.setFrontDocument(*doc);
    EXPECT_EQ(host.frontDocument(), doc);
    EXPECT_EQ(host.documentCount(), 2u);
}

TEST_F(ModelTest, LayersByTitle) {
    const ObjId dims = doc->addLayer("Dimensions");
    EXPECT_EQ(doc->currentLayer(), dims);
    EXPECT_EQ(doc->topLayers().front(), dims);  // added on top
    EXPECT_EQ(doc->setCurrentLayer("Layer 1"), kNoErr);
    EXPECT_EQ(doc->setCurrentLayer("Missing"), kNoSuchKey);
    EXPECT_EQ(doc->setLayerVisible("Missing", false), kNoSuchKey);
    EXPECT_EQ(doc->setLayerEditable("Layer 1", false), kNoErr);
    EXPECT_EQ(doc->addLine({0, 0}, {1, 1}), kLockedErr);
    EXPECT_EQ(doc->setLayerEditable("Layer 1", true), kNoErr);
    EXPECT_EQ(doc->setLayerVisible("Layer 1", false), kNoErr);
    EXPECT_EQ(doc->addRect(0, 0, 1, 1), kLockedErr);
    EXPECT_EQ(doc->setLayerVisible("Layer 1", true), kNoErr);
}

TEST_F(ModelTest, PlainArtShapes) {
    ObjId rect = 0, ell = 0, poly = 0, line = 0;
    ASSERT_EQ(doc->addRect(10, 20, 30, 40, &rect), kNoErr);
    ASSERT_EQ(doc->addEllipse(0, 0, 80, 40, &ell), kNoErr);
    ASSERT_EQ(doc->addPolyline({{0, 0}, {5, 5}, {10, 0}}, true, &poly), kNoErr);
    ASSERT_EQ(doc->addLine({0, 0}, {3, 4}, &line), kNoErr);
    const Art* r = doc->art(rect);
    ASSERT_EQ(r->segments.size(), 4u);
    EXPECT_TRUE(r->closed);
    AIRealRect b{};
    ASSERT_TRUE(doc->bounds(rect, &b));
    EXPECT_EQ(b.left, 10.0f);
    EXPECT_EQ(b.bottom, 20.0f);
    EXPECT_EQ(b.right, 40.0f);
    EXPECT_EQ(b.top, 60.0f);
    ASSERT_TRUE(doc->bounds(ell, &b));
    EXPECT_FLOAT_EQ(b.right - b.left, 80.0f);
    EXPECT_FLOAT_EQ(b.top - b.bottom, 40.0f);
    EXPECT_EQ(doc->art(ell)->segments.size(), 4u);
    EXPECT_FALSE(doc->art(ell)->segments[0].corner);
    EXPECT_TRUE(doc->art(poly)->closed);
    EXPECT_FALSE(doc->art(line)->closed);
    // Plain art is made with the current path style.
    EXPECT_EQ(doc->art(line)->style.stroke.width, 1.0f);
    // The newest art is on top of the layer.
    EXPECT_EQ(doc->children(doc->currentLayer()).front(), line);
}

TEST_F(ModelTest, SelectAllSkipsLockedAndHiddenArt) {
    ObjId a = 0, b = 0, c = 0;
    doc->addLine({0, 0}, {1, 0}, &a);
    doc->addLine({0, 1}, {1, 1}, &b);
    doc->addLine({0, 2}, {1, 2}, &c);
    doc->setUserAttr(b, kArtLocked, kArtLocked);
    doc->setUserAttr(c, kArtHidden, kArtHidden);
    doc->selectAll();
    EXPECT_EQ(doc->selection(), std::vector<ObjId>{a});
    EXPECT_EQ(doc->select(b), kNoErr);
    EXPECT_EQ(doc->selection().size(), 2u);
    EXPECT_EQ(doc->select(987654), kStaleHandleErr);
    EXPECT_EQ(doc->select(doc->currentLayer()), kStaleHandleErr);  // layers are not art to select
    doc->selectNone();
    EXPECT_TRUE(doc->selection().empty());
}

TEST_F(ModelTest, WalkVisitsContainersBeforeMembersWithDepth) {
    ObjId g = 0, p = 0;
    doc->newArt(kGroupArt, kPlaceAboveAll, 0, &g);
    doc->newArt(kPathArt, kPlaceInsideOnTop, g, &p);
    std::vector<std::pair<ObjId, int>> seen;
    doc->walk([&](const Art& a, int depth) { seen.emplace_back(a.id, depth); });
    ASSERT_EQ(seen.size(), 3u);
    EXPECT_EQ(seen[0], std::make_pair(doc->currentLayer(), 0));
    EXPECT_EQ(seen[1], std::make_pair(g, 1));
    EXPECT_EQ(seen[2], std::make_pair(p, 2));
    EXPECT_EQ(doc->layerOf(p), doc->currentLayer());
}

TEST_F(ModelTest, TextFrameStoryIsCopiedAndUndone) {
    ObjId t = 0;
    ASSERT_EQ(doc->newArt(kTextFrameArt, kPlaceAboveAll, 0, &t), kNoErr);
    doc->editArt(t)->story.runs.push_back({"25.40", {}});
    doc->journal().commit();
    const AIRealMatrix m{0, 1, -1, 0, 10, 20};
    doc->transform(t, m, true);
    EXPECT_EQ(doc->art(t)->story.matrix.tx, 10.0f);
    ObjId copy = 0;
    ASSERT_EQ(doc->duplicateArt(t, kPlaceAbove, t, &copy), kNoErr);
    EXPECT_EQ(doc->art(copy)->story, doc->art(t)->story);
    ASSERT_TRUE(host.userUndo());
    EXPECT_EQ(doc->art(t)->story.matrix.tx, 0.0f);
    EXPECT_EQ(doc->art(t)->story.runs.at(0).text, "25.40");
    EXPECT_EQ(doc->art(copy), nullptr);
}

}  // namespace

namespace {

class PasteTest : public HostTest {};

TEST_F(PasteTest, PastedCopiesCarryDictionariesAndTagsAndAreSelected) {
    ObjId g = 0, p = 0, other = 0;
    doc->newArt(kGroupArt, kPlaceAboveAll, 0, &g);
    doc->newArt(kPathArt, kPlaceInsideOnTop, g, &p);
    doc->addLine({0, 0}, {1, 1}, &other);
    const ObjId d = doc->dictionaryOf(g);
    doc->editDict(d)->set("ZA3_Object", int32_t{7});
    doc->editArt(p)->tags.push_back({"ZMK_Live_Obj_1", "string", "a^b"});
    doc->select(g);
    ASSERT_EQ(host.copySelection(), kNoErr);
    // Later changes to the original do not reach the clipboard.
    doc->disposeArt(g);

    standin::Document& second = host.newDocument(100, 100);
    std::vector<ObjId> pasted;
    ASSERT_EQ(host.paste(&pasted), kNoErr);
    ASSERT_EQ(pasted.size(), 1u);  // the group brought its member
    const standin::Art* copy = second.art(pasted[0]);
    ASSERT_NE(copy, nullptr);
    EXPECT_EQ(second.children(second.currentLayer()).front(), pasted[0]);
    const standin::Dict* dict = second.dict(copy->dictionary);
    ASSERT_NE(dict, nullptr);
    EXPECT_EQ(std::get<int32_t>(*dict->find("ZA3_Object")), 7);
    const standin::Art* member = second.art(copy->firstChild);
    ASSERT_NE(member, nullptr);
    EXPECT_EQ(member->tags.at(0).value, "a^b");
    EXPECT_EQ(second.selection(), (std::vector<ObjId>{pasted[0], member->id}));
    // Pasting is undone like any change, and twice gives two copies.
    ASSERT_EQ(host.paste(), kNoErr);
    EXPECT_EQ(second.children(second.currentLayer()).size(), 2u);
    second.journal().commit();
    ASSERT_TRUE(host.userUndo());
    EXPECT_EQ(second.children(second.currentLayer()).size(), 0u);
    second.setLayerEditable("Layer 1", false);
    EXPECT_EQ(host.paste(), kLockedErr);
}

}  // namespace
