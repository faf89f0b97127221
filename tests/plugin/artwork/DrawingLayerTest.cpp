// The group a tool draws into: made on top of the drawing layer or a named layer, refused by
// the host on a locked, hidden or deleted layer; the two-anchor line; making a layer current
// by the top-level walk; and the page rectangle.
#include "units/LayerHostFixture.h"
#include "artwork/DrawingLayer.h"
#include "units/LayerScales.h"

namespace {

struct DrawingLayerTest : LayerHostFixture {
    void SetUp() override {
        LayerHostFixture::SetUp();
        SetStyle(kLayerBasedScaleStyle);
    }
    standin::ObjId Id(AIArtHandle art) const { return standin::fromHandle(art); }
    std::vector<standin::ObjId> Children(const std::string& layer) const { return doc_->children(Layer(layer)); }
};

TEST_F(DrawingLayerTest, EachPreparationPutsANewEmptyGroupOnTopOfTheDrawingLayer) {
    standin::ObjId line = 0;
    ASSERT_EQ(doc_->addLine({0, 0}, {10, 10}, &line), kNoErr);
    g->saveLayer = Handle("Layer 1");
    ASSERT_EQ(PrepCADLayer(), kNoErr);
    const AIArtHandle first = g->group;
    ASSERT_EQ(PrepCADLayer(), kNoErr);
    const AIArtHandle second = g->group;
    EXPECT_NE(first, second);
    // Topmost first: the second group, the first, then the art that was there.
    EXPECT_EQ(Children("Layer 1"), (std::vector<standin::ObjId>{Id(second), Id(first), line}));
    EXPECT_EQ(doc_->art(Id(second))->type, kGroupArt);
    EXPECT_TRUE(doc_->children(Id(second)).empty());
    EXPECT_EQ(Id(g->firstArt), Layer("Layer 1"));
    EXPECT_EQ(g->firstArtType, kGroupArt);
    EXPECT_STORED("Layer 1", 33, 1, "1:1");  // the first use stored a scale
}

TEST_F(DrawingLayerTest, AGroupOnAnotherLayerStillStoresTheDrawingLayersScale) {
    doc_->addLayer("Plan");
    doc_->addLayer("Notes");
    g->saveLayer = Handle("Plan");
    ASSERT_EQ(PrepThisLayer(Handle("Notes")), kNoErr);
    EXPECT_EQ(Children("Notes").front(), Id(g->group));
    EXPECT_TRUE(Children("Plan").empty());
    EXPECT_TRUE(Stored("Plan").has_value());
    EXPECT_FALSE(Stored("Notes").has_value());
}

TEST_F(DrawingLayerTest, ADrawingSublayerTakesItsTopLayersScale) {
    doc_->addLayer("Plan");
    AddSublayer("Plan", "Walls");
    Store("Plan", 25, 50, "1:50");
    g->saveLayer = Handle("Walls");
    ASSERT_EQ(PrepCADLayer(), kNoErr);
    EXPECT_EQ(doc_->layerOf(Id(g->group)), Layer("Walls"));
    EXPECT_STORED("Walls", 25, 50, "1:50");
}

// A locked or hidden layer is refused (the user told which: 'CADE'), a deleted one gives the
// host's error; the group made before stays the group.
TEST_F(DrawingLayerTest, LockedHiddenAndDeletedLayersAreRefusedAndKeepTheGroup) {
    g->saveLayer = Handle("Layer 1");
    ASSERT_EQ(PrepCADLayer(), kNoErr);
    const AIArtHandle kept = g->group;
    doc_->addLayer("Locked");
    doc_->addLayer("Hidden");
    ASSERT_EQ(doc_->setLayerEditable("Locked", false), kNoErr);
    ASSERT_EQ(doc_->setLayerVisible("Hidden", false), kNoErr);
    for (const char* title : {"Locked", "Hidden"}) {
        g->saveLayer = Handle(title);
        EXPECT_EQ(PrepCADLayer(), kCADErr) << title;
        EXPECT_EQ(g->group, kept) << title;
        EXPECT_EQ(Id(g->firstArt), Layer(title)) << title;  // refreshed all the same
        EXPECT_TRUE(Children(title).empty()) << title;
        EXPECT_FALSE(Stored(title).has_value()) << title;
    }
    const standin::ObjId gone = doc_->addLayer("Gone");
    ASSERT_EQ(doc_->deleteLayer(gone), kNoErr);
    g->saveLayer = Handle(gone);
    EXPECT_EQ(PrepCADLayer(), kStaleHandleErr);
    EXPECT_EQ(g->group, kept);
    EXPECT_EQ(PrepThisLayer(Handle(gone)), kStaleHandleErr);
}

TEST_F(DrawingLayerTest, ALineHasTwoCornerAnchorsAndNoPaintOfItsOwn) {
    g->saveLayer = Handle("Layer 1");
    ASSERT_EQ(PrepCADLayer(), kNoErr);
    ASSERT_EQ(drawLine({5, 5}, {5, 5}, g->group), kNoErr);
    ASSERT_EQ(drawLine({0, 0}, {30, 40}, g->group), kNoErr);
    const auto lines = doc_->children(Id(g->group));
    ASSERT_EQ(lines.size(), 2u);
    const standin::Art& top = *doc_->art(lines[0]);  // the later line is on top
    ASSERT_EQ(top.segments.size(), 2u);
    EXPECT_FALSE(top.closed);
    EXPECT_EQ(top.segments[1].p.h, 30);
    EXPECT_EQ(top.segments[1].p.v, 40);
    for (const AIPathSegment& s : top.segments) {
        EXPECT_TRUE(s.corner);
        EXPECT_EQ(s.in.h, s.p.h);
        EXPECT_EQ(s.out.v, s.p.v);
    }
    const standin::Art& dot = *doc_->art(lines[1]);
    ASSERT_EQ(dot.segments.size(), 2u);  // start equal to end still makes two anchors
    EXPECT_EQ(dot.segments[0].p.h, dot.segments[1].p.h);
    EXPECT_EQ(top.style.stroke.width, doc_->state().pathStyle.stroke.width);

    // Without a group the line goes above firstArt: next to a sublayer, inside its parent.
    doc_->addLayer("Plan");
    const standin::ObjId walls = AddSublayer("Plan", "Walls");
    g->firstArt = standin::suites::artHandle(walls);
    ASSERT_EQ(drawLine({0, 0}, {1, 1}, nullptr), kNoErr);
    EXPECT_EQ(Children("Plan").size(), 2u);
    EXPECT_EQ(Children("Plan")[1], walls);
}

TEST_F(DrawingLayerTest, OnlyLayersOfTheFrontDocumentCanBeMadeCurrent) {
    doc_->addLayer("Plan");
    AddSublayer("Plan", "Walls");
    AddSublayer("Walls", "Studs");
    ASSERT_EQ(doc_->setCurrentLayer("Layer 1"), kNoErr);
    for (const char* sublayer : {"Walls", "Studs"}) {
        EXPECT_EQ(SetCurrentLayer(Handle(sublayer)), 1);
        EXPECT_EQ(doc_->currentLayer(), Layer(sublayer));
    }
    EXPECT_EQ(SetCurrentLayer(nullptr), 0);
    EXPECT_EQ(SetCurrentLayer(Handle("Plan")), 1);
    EXPECT_EQ(doc_->currentLayer(), Layer("Plan"));

    standin::Document& other = host_.newDocument();
    const standin::ObjId elsewhere = other.layerByTitle("Layer 1");
    host_.setFrontDocument(*doc_);
    EXPECT_EQ(SetCurrentLayer(Handle(elsewhere)), 0);
    EXPECT_EQ(doc_->currentLayer(), Layer("Plan"));
}

TEST_F(DrawingLayerTest, ThePageRectangleAllowsForTheRulerOrigin) {
    doc_->editState().rulerOrigin = {100, 200};
    AIRealRect page{};
    GetPageRect(&page);
    EXPECT_EQ(page.left, -100);
    EXPECT_EQ(page.bottom, -200);
    EXPECT_EQ(page.right, 512);
    EXPECT_EQ(page.top, 592);
}

}  // namespace
