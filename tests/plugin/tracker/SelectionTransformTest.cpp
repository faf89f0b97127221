// The tracker's transformation of the selection, walked over a layer: what it moves (whole
// objects, the selected anchors of a partly selected path, the members of a selected group)
// and what it passes over (hidden, locked, unselected art), and the walk as the tools call it,
// which a copy key left over from the tracker panel does not turn into copies. Its copies are
// the proportion tool's tests' business.
#include "PanelSessionFixture.h"
#include "tracker/SelectionTransform.h"

namespace paneltest {
namespace {

struct SelectionTransformTest : PanelSession {
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
    // The walk over the front layer, moving 10 to the right: the panel's own, or the tools'.
    AIErr MoveRight(bool asATool = false) {
        AIRealMatrix m{1, 0, 0, 1, 10, 0};
        return session->hostEvent([&] {
            AIArtHandle layerGroup = nullptr;
            AILayerHandle layer = nullptr;
            if (AIErr err = sAILayer->GetNthLayer(0, &layer)) return err;
            if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &layerGroup)) return err;
            return asATool ? PlotwiseService().applyCADtrackerTransformation(layerGroup, &m, nullptr)
                           : ApplyCADtrackerTransformation(layerGroup, &m, nullptr);
        });
    }
    std::vector<AIReal> Xs(standin::ObjId id) const {
        std::vector<AIReal> xs;
        for (const AIPathSegment& s : doc->art(id)->segments) xs.push_back(s.p.h);
        return xs;
    }
};

TEST_F(SelectionTransformTest, SelectedArtMovesAndTheRestStays) {
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

// The copy key of the last press in the panel, a move's copy flag and a repeat's grid left
// set: the tools' walk still moves the art itself and makes nothing.
TEST_F(SelectionTransformTest, AToolsWalkMakesNoCopiesForTheTrackersLeftoverKeys) {
    const standin::ObjId line = Line(0);
    g->trackerModifiers = 0x2;
    g->moveCopy = g->repeatCopy = 1;
    g->hRepeats = 2;
    ASSERT_EQ(MoveRight(true), kNoErr);
    EXPECT_EQ(Xs(line), (std::vector<AIReal>{10, 60, 110}));
    EXPECT_EQ(doc->matching([](const standin::Art& a) { return a.type == kPathArt; }).size(), 1u);
    g->trackerModifiers = g->moveCopy = g->repeatCopy = 0;
}

}  // namespace
}  // namespace paneltest
