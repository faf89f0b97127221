// The tracker's transformation of the selection, walked over a layer: what it moves (whole
// objects, the selected anchors of a partly selected path, the members of a selected group)
// and what it passes over (hidden, locked, unselected art). Its copies are the proportion
// tool's tests' business.
#include "PanelSessionFixture.h"
#include "panels/TrackerTransformation.h"

namespace paneltest {
namespace {

struct TrackerTransformationTest : PanelSession {
    standin::Document* doc = nullptr;
    void SetUp() override {
        PanelSession::SetUp();
        Start();
        doc = &session->newDocument();
    }
    standin::ObjId Line(AIReal v, uint32_t attrs = kArtSelected) {
        standin::ObjId id = 0;
        session->hostEvent([&] {
            if (AIErr err = doc->addPolyline({{0, v}, {50, v}, {100, v}}, false, &id)) return err;
            return doc->setUserAttr(id, kArtSelected | kArtHidden | kArtLocked, attrs);
        });
        return id;
    }
    // The walk over the front layer, moving 10 to the right.
    AIErr MoveRight() {
        AIRealMatrix m{1, 0, 0, 1, 10, 0};
        return session->hostEvent([&] {
            AIArtHandle layerGroup = nullptr;
            AILayerHandle layer = nullptr;
            if (AIErr err = sAILayer->GetNthLayer(0, &layer)) return err;
            if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &layerGroup)) return err;
            return ApplyCADtrackerTransformation(layerGroup, &m, nullptr);
        });
    }
    std::vector<AIReal> Xs(standin::ObjId id) const {
        std::vector<AIReal> xs;
        for (const AIPathSegment& s : doc->art(id)->segments) xs.push_back(s.p.h);
        return xs;
    }
};

TEST_F(TrackerTransformationTest, SelectedArtMovesAndTheRestStays) {
    const standin::ObjId whole = Line(0), partly = Line(10), hidden = Line(20, kArtSelected | kArtHidden),
                         locked = Line(30, kArtSelected | kArtLocked), unselected = Line(40, 0);
    const standin::ObjId member = Line(50);
    session->hostEvent([&] {
        if (AIErr err = doc->setSegmentSelected(partly, 2, kSegmentNotSelected)) return err;
        standin::ObjId made = 0;
        if (AIErr err = doc->newArt(kGroupArt, kPlaceAbove, member, &made)) return err;
        return doc->reorderArt(member, kPlaceInsideOnTop, made);
    });
    ASSERT_EQ(MoveRight(), kNoErr);
    const std::vector<AIReal> moved{10, 60, 110}, still{0, 50, 100};
    EXPECT_EQ(Xs(whole), moved);
    EXPECT_EQ(Xs(partly), (std::vector<AIReal>{10, 60, 100}));
    EXPECT_EQ(Xs(member), moved);
    for (standin::ObjId id : {hidden, locked, unselected}) EXPECT_EQ(Xs(id), still) << id;
}

}  // namespace
}  // namespace paneltest
