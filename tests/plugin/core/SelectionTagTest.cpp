// Keeping the selection across a redraw: the selected art is tagged, theTimer selects it
// again once, and art replaced meanwhile is not brought back.
#include <algorithm>

#include "CoreFixture.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "suites/Suites.h"

namespace coretest {
namespace {

struct SelectionTagTest : CoreTest {
    void SetUp() override {
        CoreTest::SetUp();
        StartWithDocument();
        if (HasFatalFailure()) return;
        doc->addLayer("Drawing");
    }
    // A square of 10 at x on the baseline.
    standin::ObjId Square(AIReal x) { return Rect(x, 0, 10, 10); }
    standin::ObjId Group(std::initializer_list<standin::ObjId> members) {
        AIArtHandle group = nullptr;
        EXPECT_EQ(sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group), kNoErr);
        for (standin::ObjId m : members) EXPECT_EQ(sAIArt->ReorderArt(Art(m), kPlaceInsideOnBottom, group), kNoErr);
        return standin::fromHandle(group);
    }
    static AIArtHandle Art(standin::ObjId id) { return standin::suites::artHandle(id); }
    bool Selected(standin::ObjId id) { return doc->readsSelected(id); }
    bool Tagged(standin::ObjId id) { return readback::Tagged(*doc, id, kObjectWasSelectedTag); }
    void Select(std::initializer_list<standin::ObjId> ids) {
        for (standin::ObjId id : ids) ASSERT_EQ(doc->select(id), kNoErr);
    }
};

TEST_F(SelectionTagTest, TheSelectionComesBackOnceAfterTheRedrawWithoutWhatWasReplaced) {
    const standin::ObjId loose = Square(0), picked = Square(20);
    const standin::ObjId inner = Square(40), other = Square(60);
    const standin::ObjId part = Group({inner, other});   // only one member selected
    const standin::ObjId redrawn = Group({Square(80)});  // selected whole, then replaced
    doc->addLayer("ROVidazu Layer");
    const standin::ObjId gridLine = Square(0);
    g->gridsLayer = standin::suites::layerHandle(doc->layerByTitle("ROVidazu Layer"));
    ASSERT_EQ(doc->setCurrentLayer("Drawing"), kNoErr);
    Select({picked, inner, redrawn, gridLine});
    (void)loose;

    ASSERT_EQ(TagSelectedArt(), kNoErr);
    EXPECT_TRUE(Tagged(picked));
    EXPECT_TRUE(Tagged(inner));
    EXPECT_TRUE(Tagged(redrawn));
    EXPECT_FALSE(Tagged(part));      // selecting it again would select all of it
    EXPECT_FALSE(Tagged(gridLine));  // drawn again anyway
    EXPECT_FALSE(Tagged(doc->layerByTitle("Drawing")));

    // The redraw: the selection is cleared, one group is replaced, the user's layer changes.
    ASSERT_EQ(deselectAllArt(), kNoErr);
    ASSERT_EQ(sAIArt->DisposeArt(Art(redrawn)), kNoErr);
    const standin::ObjId replacement = Group({Square(80)});
    ASSERT_EQ(doc->setCurrentLayer("ROVidazu Layer"), kNoErr);
    // A second tagging while the first waits adds nothing.
    Select({loose});
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    EXPECT_FALSE(Tagged(loose));

    session->ticks(9);
    EXPECT_TRUE(Tagged(picked));  // not due yet
    session->ticks(1);
    EXPECT_TRUE(Selected(picked));
    EXPECT_TRUE(Selected(inner));
    EXPECT_FALSE(Selected(other));
    EXPECT_FALSE(Selected(loose));
    EXPECT_FALSE(Selected(replacement));
    EXPECT_FALSE(Selected(gridLine));
    for (standin::ObjId id : {picked, inner}) EXPECT_FALSE(Tagged(id));
    EXPECT_EQ(doc->currentLayer(), doc->layerByTitle("Drawing"));

    // Once only; afterwards tagging works again.
    ASSERT_EQ(deselectAllArt(), kNoErr);
    session->ticks(60);
    EXPECT_FALSE(Selected(picked));
    Select({loose});
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    EXPECT_TRUE(Tagged(loose));
    session->ticks(10);
    EXPECT_TRUE(Selected(loose));
    EXPECT_FALSE(Tagged(loose));
    EXPECT_EQ(host.counters().mdHandles, 0);
}

TEST_F(SelectionTagTest, WithoutADocumentNothingIsTaggedOrStarted) {
    ASSERT_EQ(session->closeDocument(), kNoErr);
    ASSERT_EQ(TagSelectedArt(), kNoErr);
    ASSERT_EQ(g->selectionTagged, 0);
    ASSERT_EQ(g->selectionRestoreLayer, nullptr);
    ASSERT_EQ(host.documentCount(), 0u);
}

}  // namespace
}  // namespace coretest
