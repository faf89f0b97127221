// The user's edits of the selection in the model: which art a move, delete or copy acts on
// (whole art, or paths of which the direct-selection tool picked some anchors), the move
// itself (whole art, picked anchors with their handles, a handle alone), refusal of locked
// or hidden art and of moves past the largest coordinate, and undo of each edit.
#include <cmath>

#include "HostFixture.h"

namespace {

using standin::ObjId;
using Selected = standin::Document::SelectedArt;

class SelectionEditTest : public HostTest {
protected:
    // A smooth open path of three anchors, handles 10 pt either side horizontally.
    ObjId smoothPath() {
        std::vector<AIPathSegment> segs;
        for (AIRealPoint p : {AIRealPoint{0, 0}, AIRealPoint{100, 0}, AIRealPoint{200, 50}})
            segs.push_back({p, {p.h - 10, p.v}, {p.h + 10, p.v}, false});
        ObjId id = 0;
        EXPECT_EQ(doc->addPath(segs, false, &id), kNoErr);
        return id;
    }
    AIPathSegment seg(ObjId path, size_t i) const { return doc->art(path)->segments.at(i); }
    void commit() { doc->journal().commit(); }
};

TEST_F(SelectionEditTest, TheEditsActOnWholeArtAndOnPartlySelectedPaths) {
    ObjId group = 0, inner = 0, loose = 0, partial = 0;
    doc->newArt(kGroupArt, kPlaceAboveAll, 0, &group);
    doc->newArt(kPathArt, kPlaceInsideOnTop, group, &inner);
    doc->addLine({0, 0}, {5, 5}, &loose);
    partial = smoothPath();
    EXPECT_TRUE(doc->selectedArt().empty());

    // A selected group is listed once: its members come with it.
    doc->select(group);
    doc->select(loose);
    doc->setSegmentSelected(partial, 1, kSegmentPointSelected);
    EXPECT_EQ(doc->selectedArt(),
              (std::vector<Selected>{{partial, false}, {loose, true}, {group, true}}));  // topmost first

    // A member picked alone is listed, not the group around it.
    doc->selectNone();
    doc->select(inner);
    EXPECT_EQ(doc->selectedArt(), (std::vector<Selected>{{inner, true}}));

    // Every anchor picked one by one makes the path whole again.
    doc->selectNone();
    for (int i = 0; i < 3; ++i) doc->setSegmentSelected(partial, i, kSegmentPointSelected);
    EXPECT_EQ(doc->selectedArt(), (std::vector<Selected>{{partial, true}}));
    // A handle alone keeps it partial.
    doc->setSegmentSelected(partial, 2, kSegmentInSelected);
    EXPECT_EQ(doc->selectedArt(), (std::vector<Selected>{{partial, false}}));
}

TEST_F(SelectionEditTest, AMoveTakesWholeArtAndOnlyThePickedAnchorsOfAPath) {
    ObjId rect = 0;
    doc->addRect(10, 20, 30, 40, &rect);
    const ObjId curve = smoothPath();
    doc->select(rect);
    doc->setSegmentSelected(curve, 1, kSegmentPointSelected);  // the middle anchor, with both handles
    doc->setSegmentSelected(curve, 2, kSegmentInSelected);     // only the last anchor's incoming handle
    commit();
    ASSERT_EQ(doc->translateSelection(5, -2.5f), kNoErr);

    AIRealRect r{};
    ASSERT_TRUE(doc->bounds(rect, &r));
    EXPECT_EQ(r.left, 15.0f);
    EXPECT_EQ(r.bottom, 17.5f);
    EXPECT_EQ(r.right, 45.0f);
    EXPECT_EQ(r.top, 57.5f);

    const auto first = seg(curve, 0), middle = seg(curve, 1), last = seg(curve, 2);
    EXPECT_EQ(first.p.h, 0.0f);  // not picked: untouched
    EXPECT_EQ(first.out.h, 10.0f);
    EXPECT_EQ(middle.p.h, 105.0f);
    EXPECT_EQ(middle.p.v, -2.5f);
    EXPECT_EQ(middle.in.h, 95.0f);
    EXPECT_EQ(middle.out.h, 115.0f);
    EXPECT_EQ(middle.out.v, -2.5f);
    EXPECT_EQ(last.p.h, 200.0f);  // its anchor stays ...
    EXPECT_EQ(last.out.h, 210.0f);
    EXPECT_EQ(last.in.h, 195.0f);  // ... its incoming handle moves
    EXPECT_EQ(last.in.v, 47.5f);

    // One step for undo.
    commit();
    ASSERT_TRUE(host.userUndo());
    EXPECT_EQ(seg(curve, 1).p.h, 100.0f);
    ASSERT_TRUE(doc->bounds(rect, &r));
    EXPECT_EQ(r.left, 10.0f);
}

TEST_F(SelectionEditTest, AGroupMovesWithEveryMemberAndATextWithItsMatrix) {
    ObjId group = 0, a = 0, b = 0;
    doc->newArt(kGroupArt, kPlaceAboveAll, 0, &group);
    doc->newArt(kPathArt, kPlaceInsideOnTop, group, &a);
    doc->newArt(kPathArt, kPlaceInsideOnTop, group, &b);
    doc->editArt(a)->segments = {{{1, 1}, {1, 1}, {1, 1}, true}, {{2, 2}, {2, 2}, {2, 2}, true}};
    doc->editArt(a)->segmentSelection.assign(2, kSegmentNotSelected);
    doc->editArt(b)->segments = {{{-4, 8}, {-4, 8}, {-4, 8}, true}};
    doc->editArt(b)->segmentSelection.assign(1, kSegmentNotSelected);
    ObjId text = 0;
    doc->newArt(kTextFrameArt, kPlaceInsideOnBottom, group, &text);
    doc->editArt(text)->story.matrix = {0, 1, -1, 0, 50, 60};  // turned a quarter
    doc->select(group);
    ASSERT_EQ(doc->translateSelection(-1, 3), kNoErr);
    EXPECT_EQ(seg(a, 1).p.h, 1.0f);
    EXPECT_EQ(seg(a, 1).p.v, 5.0f);
    EXPECT_EQ(seg(b, 0).in.h, -5.0f);
    EXPECT_EQ(seg(b, 0).out.v, 11.0f);
    const AIRealMatrix& m = doc->art(text)->story.matrix;
    EXPECT_EQ(m.tx, 49.0f);  // moved, still turned
    EXPECT_EQ(m.ty, 63.0f);
    EXPECT_EQ(m.b, 1.0f);
    EXPECT_EQ(m.c, -1.0f);
}

TEST_F(SelectionEditTest, LockedHiddenOrUnboundedMovesChangeNothing) {
    ObjId near = 0, far = 0;
    doc->addLine({0, 0}, {10, 0}, &near);
    doc->addLine({3e38f, 0}, {3.3e38f, 0}, &far);
    doc->select(near);
    doc->select(far);
    // 3.3e38 + 1e38 is past the largest 32-bit real: neither line moves.
    EXPECT_EQ(doc->translateSelection(1e38f, 0), kBadParameterErr);
    EXPECT_EQ(seg(near, 0).p.h, 0.0f);
    EXPECT_EQ(seg(far, 1).p.h, 3.3e38f);

    doc->disposeArt(far);
    doc->setLayerEditable("Layer 1", false);
    EXPECT_EQ(doc->translateSelection(1, 1), kLockedErr);
    EXPECT_EQ(doc->deleteSelection(), kLockedErr);
    doc->setLayerEditable("Layer 1", true);
    doc->setUserAttr(near, kArtHidden, kArtHidden);
    EXPECT_EQ(doc->translateSelection(1, 1), kLockedErr);
    EXPECT_EQ(seg(near, 0).p.h, 0.0f);
    EXPECT_TRUE(doc->isArt(near));
}

TEST_F(SelectionEditTest, DeleteRemovesWholeArtOnlyAndIsUndone) {
    ObjId group = 0, member = 0, kept = 0;
    doc->newArt(kGroupArt, kPlaceAboveAll, 0, &group);
    doc->newArt(kPathArt, kPlaceInsideOnTop, group, &member);
    doc->addLine({0, 0}, {1, 1}, &kept);
    const ObjId curve = smoothPath();
    commit();

    doc->setSegmentSelected(curve, 0, kSegmentPointSelected);
    EXPECT_EQ(doc->deleteSelection(), kBadParameterErr);  // a path only partly selected
    EXPECT_TRUE(doc->isArt(curve));

    doc->selectNone();
    doc->select(group);
    doc->select(curve);
    commit();
    ASSERT_EQ(doc->deleteSelection(), kNoErr);
    EXPECT_FALSE(doc->isArt(group));
    EXPECT_FALSE(doc->isArt(member));
    EXPECT_FALSE(doc->isArt(curve));
    EXPECT_TRUE(doc->isArt(kept));
    EXPECT_TRUE(doc->selection().empty());
    commit();
    ASSERT_TRUE(host.userUndo());
    EXPECT_TRUE(doc->isArt(group));
    EXPECT_TRUE(doc->isArt(member));
    EXPECT_TRUE(doc->isArt(curve));
}

TEST_F(SelectionEditTest, CopyTakesThePickedMemberNotItsGroupAndAPartlyPickedPathWhole) {
    ObjId group = 0, member = 0, sibling = 0;
    doc->newArt(kGroupArt, kPlaceAboveAll, 0, &group);
    doc->newArt(kPathArt, kPlaceInsideOnTop, group, &sibling);
    doc->newArt(kPathArt, kPlaceInsideOnTop, group, &member);
    const ObjId curve = smoothPath();
    doc->select(member);
    doc->setSegmentSelected(curve, 2, kSegmentPointSelected);
    ASSERT_EQ(host.copySelection(), kNoErr);
    std::vector<ObjId> pasted;
    ASSERT_EQ(host.paste(&pasted), kNoErr);
    ASSERT_EQ(pasted.size(), 2u);
    EXPECT_EQ(doc->art(pasted[0])->segments.size(), 3u);  // the curve, whole, on top
    EXPECT_EQ(doc->art(pasted[1])->type, kPathArt);       // the member alone, no group
    EXPECT_EQ(doc->art(pasted[1])->parent, doc->currentLayer());
}

}  // namespace
