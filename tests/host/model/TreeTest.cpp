// The art tree, layers and selection: placement orders, matching-art order (layers in
// index order, depth-first from the top, containers before members, layer groups left
// out), selection reaching members and anchors, path segment editing, layers and
// sublayers, locked layers refusing new art.
#include <cstring>

#include "HostFixture.h"

namespace {

class TreeTest : public HostTest {
protected:
    std::vector<AIArtHandle> matching(int16_t type, int32_t which = 0, int32_t attr = 0) {
        const AIMatchingArtSpec wanted{type, which, attr};
        AIMdMemoryHandle h = nullptr;
        int32_t count = 0;
        EXPECT_EQ(sMatch->GetMatchingArt(&wanted, 1, &h, &count), kNoErr);
        std::vector<AIArtHandle> out = list(h, count);
        EXPECT_EQ(host.counters().mdHandles, 0);
        return out;
    }

    std::vector<AIArtHandle> children(AIArtHandle parent) {
        std::vector<AIArtHandle> out;
        AIArtHandle c = nullptr;
        sArt->GetArtFirstChild(parent, &c);
        for (; c; sArt->GetArtSibling(c, &c)) out.push_back(c);
        return out;
    }

    AIArtHandle layerGroup(AILayerHandle layer) {
        AIArtHandle g = nullptr;
        sArt->GetFirstArtOfLayer(layer, &g);
        return g;
    }
};

TEST_F(TreeTest, PlacementOrders) {
    AIArtHandle group = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
    AIArtHandle a = nullptr, b = nullptr, c = nullptr, d = nullptr;
    sArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &a);
    sArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &b);     // above a
    sArt->NewArt(kPathArt, kPlaceInsideOnBottom, group, &c);  // below a
    sArt->NewArt(kPathArt, kPlaceAbove, a, &d);               // directly above a
    EXPECT_EQ(children(group), (std::vector<AIArtHandle>{b, d, a, c}));
    AIArtHandle prior = nullptr;
    sArt->GetArtPriorSibling(a, &prior);
    EXPECT_EQ(prior, d);
    // Repeatedly placing "directly above" one art leaves later pieces below earlier ones.
    AIArtHandle e = nullptr, f = nullptr;
    sArt->NewArt(kPathArt, kPlaceAbove, c, &e);
    sArt->NewArt(kPathArt, kPlaceAbove, c, &f);
    EXPECT_EQ(children(group), (std::vector<AIArtHandle>{b, d, a, e, f, c}));
    // Reordering moves; a group cannot go inside itself.
    EXPECT_EQ(sArt->ReorderArt(c, kPlaceInsideOnTop, group), kNoErr);
    EXPECT_EQ(children(group).front(), c);
    EXPECT_EQ(sArt->ReorderArt(group, kPlaceInsideOnTop, group), kBadParameterErr);
    // Duplicates made inside at the bottom land below the earlier copies.
    AIArtHandle copy1 = nullptr, copy2 = nullptr;
    sArt->DuplicateArt(a, kPlaceInsideOnBottom, group, &copy1);
    sArt->DuplicateArt(b, kPlaceInsideOnBottom, group, &copy2);
    EXPECT_EQ(children(group).back(), copy2);
    EXPECT_EQ(sArt->NewArt(kPathArt, kPlaceInsideOnTop, a, &e), kBadParameterErr);  // a path holds nothing
    EXPECT_EQ(sArt->NewArt(kPathArt, kPlaceAbove, nullptr, &e), kBadParameterErr);
    EXPECT_EQ(sArt->NewArt(42, kPlaceAboveAll, nullptr, &e), kBadParameterErr);
    // New art takes the current path style and is not selected.
    AIPathStyle style{};
    sStyle->GetPathStyle(a, &style);
    EXPECT_FALSE(style.fillPaint);
    EXPECT_TRUE(style.strokePaint);
    EXPECT_EQ(style.stroke.width, 1.0f);
    EXPECT_EQ(style.stroke.color.kind, kGrayColor);
    EXPECT_EQ(style.stroke.color.c.g.gray, 1.0f);
    uint32_t attr = 1;
    sArt->GetArtUserAttr(a, kArtSelected, &attr);
    EXPECT_EQ(attr, 0u);
}

TEST_F(TreeTest, MatchingArtOrderLeavesLayerGroupsOut) {
    // Layer 1 (index 1 after the insert) holds p1 and group g{p2, p3};
    // "Top" (index 0) holds a sublayer "Sub" with q1, then q2.
    AILayerHandle layer1 = nullptr;
    sLayer->GetCurrentLayer(&layer1);
    AIArtHandle p1 = path({{0, 0}, {1, 0}});
    AIArtHandle g = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &g);
    AIArtHandle p2 = nullptr, p3 = nullptr;
    sArt->NewArt(kPathArt, kPlaceInsideOnBottom, g, &p2);
    sArt->NewArt(kPathArt, kPlaceInsideOnBottom, g, &p3);
    AILayerHandle top = nullptr, sub = nullptr;
    ASSERT_EQ(sLayer->InsertLayer(layer1, kPlaceAbove, &top), kNoErr);
    sLayer->SetLayerTitle(top, "Top");
    sLayer->SetCurrentLayer(top);
    AIArtHandle q2 = path({{0, 5}, {1, 5}});
    ASSERT_EQ(sLayer->InsertLayer(top, kPlaceInsideOnTop, &sub), kNoErr);
    sLayer->SetLayerTitle(sub, "Sub");
    sLayer->SetCurrentLayer(sub);
    AIArtHandle q1 = path({{0, 6}, {1, 6}});

    EXPECT_EQ(matching(kAnyArt), (std::vector<AIArtHandle>{q1, q2, g, p2, p3, p1}));
    EXPECT_EQ(matching(kGroupArt), (std::vector<AIArtHandle>{g}));
    EXPECT_EQ(matching(kPathArt), (std::vector<AIArtHandle>{q1, q2, p2, p3, p1}));
    // A sublayer is found by title but not by the index walk.
    int32_t n = 0;
    sLayer->CountLayers(&n);
    EXPECT_EQ(n, 2);
    AILayerHandle found = nullptr;
    sLayer->GetLayerByTitle(&found, "Sub");
    EXPECT_EQ(found, sub);
    AILayerHandle parent = nullptr, child = nullptr, next = nullptr;
    sLayer->GetLayerParent(sub, &parent);
    EXPECT_EQ(parent, top);
    sLayer->GetLayerFirstChild(top, &child);
    EXPECT_EQ(child, sub);
    sLayer->GetNextLayer(top, &next);
    EXPECT_EQ(next, layer1);
    ASBoolean isLayerGroup = false;
    sArt->IsArtLayerGroup(layerGroup(sub), &isLayerGroup);
    EXPECT_TRUE(isLayerGroup);
    AIArtHandle subParent = nullptr;
    sArt->GetArtParent(layerGroup(sub), &subParent);
    EXPECT_EQ(subParent, layerGroup(top));  // a sublayer's group sits in its parent's group
    AIArtHandle topParent = reinterpret_cast<AIArtHandle>(1);
    sArt->GetArtParent(layerGroup(top), &topParent);
    EXPECT_EQ(topParent, nullptr);

    // The list is a snapshot: disposing listed art leaves the other handles usable.
    std::vector<AIArtHandle> all = matching(kAnyArt);
    sArt->DisposeArt(g);
    int valid = 0;
    for (AIArtHandle a : all) valid += sArt->ValidArt(a, false) ? 1 : 0;
    EXPECT_EQ(valid, 3);

    // Sublayers are found past the art between them.
    AILayerHandle bottom = nullptr;
    ASSERT_EQ(sLayer->InsertLayer(top, kPlaceInsideOnBottom, &bottom), kNoErr);
    sLayer->GetNextLayer(sub, &next);
    EXPECT_EQ(next, bottom);
    sLayer->GetNextLayer(bottom, &next);
    EXPECT_EQ(next, nullptr);
}

TEST_F(TreeTest, SelectionReachesMembersAndAnchors) {
    AIArtHandle g = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &g);
    AIArtHandle a = path({{0, 0}, {10, 0}, {10, 10}});
    AIArtHandle b = path({{0, 20}, {10, 20}});
    sArt->ReorderArt(a, kPlaceInsideOnTop, g);
    sArt->ReorderArt(b, kPlaceInsideOnBottom, g);
    AIArtHandle loose = path({{50, 50}, {60, 60}});

    ASSERT_EQ(sArt->SetArtUserAttr(g, kArtSelected, kArtSelected), kNoErr);
    int16_t state = 0;
    for (int16_t i = 0; i < 3; ++i) {
        sPath->GetPathSegmentSelected(a, i, &state);
        EXPECT_EQ(state, kSegmentPointSelected);
    }
    EXPECT_EQ(matching(kAnyArt, kArtSelected, kArtSelected), (std::vector<AIArtHandle>{g, a, b}));
    EXPECT_EQ(matching(kPathArt, kArtSelected, kArtSelected), (std::vector<AIArtHandle>{a, b}));
    EXPECT_EQ(matching(kGroupArt, kArtSelected, kArtSelected), (std::vector<AIArtHandle>{g}));
    EXPECT_EQ(matching(kPathArt, kArtSelected | kArtLocked, kArtSelected), (std::vector<AIArtHandle>{a, b}));
    AIMdMemoryHandle h = nullptr;
    int32_t count = 0;
    sMatch->GetSelectedArt(&h, &count);
    EXPECT_EQ(list(h, count), (std::vector<AIArtHandle>{g, a, b}));

    // Deselecting one member: the group still reads selected through the other.
    sArt->SetArtUserAttr(a, kArtSelected, 0);
    uint32_t attr = 0;
    sArt->GetArtUserAttr(g, kArtSelected, &attr);
    EXPECT_EQ(attr, static_cast<uint32_t>(kArtSelected));
    sPath->GetPathSegmentSelected(a, 1, &state);
    EXPECT_EQ(state, kSegmentNotSelected);
    // Clearing on the layer group clears everything inside, layer by layer.
    AILayerHandle layer = nullptr;
    sLayer->GetCurrentLayer(&layer);
    sArt->SetArtUserAttr(layerGroup(layer), kArtSelected, 0);
    EXPECT_TRUE(matching(kAnyArt, kArtSelected, kArtSelected).empty());
    // One anchor selected selects the path, partially.
    ASSERT_EQ(sPath->SetPathSegmentSelected(loose, 1, kSegmentPointSelected), kNoErr);
    sArt->GetArtUserAttr(loose, kArtSelected | kArtLocked, &attr);
    EXPECT_EQ(attr, static_cast<uint32_t>(kArtSelected));
    EXPECT_EQ(sPath->SetPathSegmentSelected(loose, 2, kSegmentPointSelected), kOutOfRangeErr);
    // Locked and hidden are the art's own bits.
    sArt->SetArtUserAttr(loose, kArtLocked | kArtHidden, kArtLocked);
    sArt->GetArtUserAttr(loose, kArtLocked | kArtHidden, &attr);
    EXPECT_EQ(attr, static_cast<uint32_t>(kArtLocked));
}

TEST_F(TreeTest, DuplicateKeepsMemberOrderAndDeepNestingIsSafe) {
    AIArtHandle g = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &g);
    AIArtHandle inner = nullptr;
    sArt->NewArt(kGroupArt, kPlaceInsideOnTop, g, &inner);
    for (AIReal y : {1.0f, 2.0f, 3.0f}) {
        AIArtHandle p = path({{0, y}, {1, y}});
        sArt->ReorderArt(p, kPlaceInsideOnBottom, inner);
    }
    AIArtHandle copy = nullptr;
    ASSERT_EQ(sArt->DuplicateArt(g, kPlaceAbove, g, &copy), kNoErr);
    AIArtHandle below = nullptr;
    sArt->GetArtSibling(copy, &below);
    EXPECT_EQ(below, g);  // the copy sits directly above its original
    std::vector<AIArtHandle> copiedInner = children(copy);
    ASSERT_EQ(copiedInner.size(), 1u);
    std::vector<AIReal> ys;
    for (AIArtHandle p : children(copiedInner[0])) {
        AIPathSegment s{};
        sPath->GetPathSegments(p, 0, 1, &s);
        ys.push_back(s.p.v);
    }
    EXPECT_EQ(ys, (std::vector<AIReal>{1, 2, 3}));

    // Groups nested far deeper than any stack allows.
    AIArtHandle outer = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &outer);
    AIArtHandle deepest = outer;
    for (int i = 0; i < 20000; ++i) sArt->NewArt(kGroupArt, kPlaceInsideOnTop, deepest, &deepest);
    AIArtHandle leaf = nullptr;
    sArt->NewArt(kPathArt, kPlaceInsideOnTop, deepest, &leaf);
    EXPECT_EQ(sArt->SetArtUserAttr(outer, kArtSelected, kArtSelected), kNoErr);
    uint32_t attr = 0;
    sArt->GetArtUserAttr(outer, kArtSelected, &attr);
    EXPECT_EQ(attr, static_cast<uint32_t>(kArtSelected));
    AIArtHandle twin = nullptr;
    EXPECT_EQ(sArt->DuplicateArt(outer, kPlaceAbove, outer, &twin), kNoErr);
    AIRealRect r{};
    EXPECT_EQ(sArt->GetArtBounds(twin, &r), kNoErr);
    EXPECT_EQ(sArt->DisposeArt(outer), kNoErr);
    EXPECT_EQ(sArt->DisposeArt(twin), kNoErr);
    EXPECT_FALSE(sArt->ValidArt(leaf, false));
}

TEST_F(TreeTest, PathSegmentEditing) {
    AIArtHandle p = nullptr;
    sArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &p);
    int16_t n = -1;
    sPath->GetPathSegmentCount(p, &n);
    EXPECT_EQ(n, 0);
    ASBoolean closed = true;
    sPath->GetPathClosed(p, &closed);
    EXPECT_FALSE(closed);
    // One at a time: writing at index == count appends.
    for (int16_t i = 0; i < 3; ++i) {
        const AIPathSegment s{{AIReal(i), 0}, {AIReal(i), 0}, {AIReal(i), 0}, true};
        ASSERT_EQ(sPath->SetPathSegments(p, i, 1, &s), kNoErr);
    }
    sPath->GetPathSegmentCount(p, &n);
    EXPECT_EQ(n, 3);
    AIPathSegment seg{};
    EXPECT_EQ(sPath->SetPathSegments(p, 5, 1, &seg), kOutOfRangeErr);
    EXPECT_EQ(sPath->GetPathSegments(p, 2, 2, &seg), kOutOfRangeErr);
    EXPECT_EQ(sPath->GetPathSegments(p, -1, 1, &seg), kBadParameterErr);
    const AIPathSegment mid{{0.5f, 1}, {0.5f, 1}, {0.5f, 1}, true};
    ASSERT_EQ(sPath->InsertPathSegments(p, 1, 1, &mid), kNoErr);
    AIPathSegment all[4];
    sPath->GetPathSegments(p, 0, 4, all);
    EXPECT_EQ(all[1].p.h, 0.5f);
    EXPECT_EQ(all[2].p.h, 1.0f);
    ASSERT_EQ(sPath->DeletePathSegments(p, 0, 2), kNoErr);
    sPath->GetPathSegments(p, 0, 1, &seg);
    EXPECT_EQ(seg.p.h, 1.0f);
    EXPECT_EQ(sPath->DeletePathSegments(p, 1, 5), kOutOfRangeErr);
    ASSERT_EQ(sPath->SetPathSegmentCount(p, 4), kNoErr);
    sPath->GetPathSegments(p, 3, 1, &seg);
    EXPECT_EQ(seg.p.h, 2.0f);  // grown with corners at the last anchor
    EXPECT_EQ(sPath->SetPathSegmentCount(p, -1), kBadParameterErr);
    // Reversing swaps the handles.
    const AIPathSegment curved[2] = {{{0, 0}, {-1, 0}, {1, 1}, false}, {{5, 0}, {4, 1}, {6, 0}, false}};
    sPath->SetPathSegmentCount(p, 0);
    sPath->SetPathSegments(p, 0, 2, curved);
    sPath->ReversePathSegments(p);
    sPath->GetPathSegments(p, 0, 1, &seg);
    EXPECT_EQ(seg.p.h, 5.0f);
    EXPECT_EQ(seg.out.h, 4.0f);
    // Path calls on a group are refused.
    AIArtHandle g = nullptr;
    sArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &g);
    EXPECT_EQ(sPath->GetPathSegmentCount(g, &n), kWrongTypeErr);
}

TEST_F(TreeTest, LayersTitlesAndStates) {
    AILayerHandle first = nullptr;
    sLayer->GetNthLayer(0, &first);
    char title[8];
    ASSERT_EQ(sLayer->GetLayerTitle(first, title, sizeof title), kNoErr);
    EXPECT_STREQ(title, "Layer 1");
    std::string longTitle(300, 'x');
    sLayer->SetLayerTitle(first, longTitle.c_str());
    char buf[400];
    sLayer->GetLayerTitle(first, buf, sizeof buf);
    EXPECT_EQ(std::strlen(buf), 255u);
    ASSERT_EQ(sLayer->GetLayerTitle(first, title, sizeof title), kNoErr);
    EXPECT_EQ(std::strlen(title), 7u);  // bounded, terminated
    AILayerHandle none = reinterpret_cast<AILayerHandle>(1);
    sLayer->GetLayerByTitle(&none, "Nothing");
    EXPECT_EQ(none, nullptr);
    EXPECT_EQ(sLayer->GetNthLayer(1, &none), kOutOfRangeErr);

    // New art refuses a locked or hidden current layer.
    AIArtHandle art = nullptr;
    sLayer->SetLayerEditable(first, false);
    EXPECT_EQ(sArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &art), kLockedErr);
    EXPECT_EQ(art, nullptr);
    sLayer->SetLayerEditable(first, true);
    sLayer->SetLayerVisible(first, false);
    EXPECT_EQ(sArt->NewArt(kPathArt, kPlaceAboveAll, nullptr, &art), kLockedErr);
    sLayer->SetLayerVisible(first, true);
    AIRGBColor color{1, 2, 3};
    sLayer->SetLayerColor(first, color);
    AIRGBColor back{};
    sLayer->GetLayerColor(first, &back);
    EXPECT_EQ(back.blue, 3);

    // Deleting the current layer moves the current layer; the last layer stays.
    AILayerHandle second = nullptr;
    sLayer->InsertLayer(nullptr, kPlaceAboveAll, &second);
    sLayer->SetCurrentLayer(second);
    EXPECT_EQ(sLayer->DeleteLayer(second), kNoErr);
    AILayerHandle current = nullptr;
    sLayer->GetCurrentLayer(&current);
    EXPECT_EQ(current, first);
    EXPECT_EQ(sLayer->DeleteLayer(first), kBadParameterErr);
}

TEST_F(TreeTest, DocumentSetupOriginAndViews) {
    AIDocumentSetup setup{};
    sDoc->GetDocumentSetup(&setup);
    EXPECT_EQ(setup.width, 612.0f);
    const AIRealPoint origin{-10, -20};
    sDoc->SetDocumentRulerOrigin(&origin);
    AIRealRect page{};
    sDoc->GetDocumentMaxArtboardBounds(&page);
    EXPECT_EQ(page.left, 10.0f);
    EXPECT_EQ(page.bottom, 20.0f);
    EXPECT_EQ(page.right, 622.0f);
    EXPECT_EQ(page.top, 812.0f);
    int32_t views = 0;
    sView->CountDocumentViews(&views);
    EXPECT_EQ(views, 1);
    AIDocumentViewHandle view = nullptr;
    sView->GetNthDocumentView(0, &view);
    AIReal zoom = 0;
    sView->GetDocumentViewZoom(view, &zoom);
    EXPECT_EQ(zoom, 1.0f);
    sView->SetDocumentViewZoom(view, 2.0f);
    const AIRealPoint c{306, 396}, right{316, 386};
    AIPoint px{}, pc{};
    sView->ArtworkPointToViewPoint(view, &c, &pc);
    sView->ArtworkPointToViewPoint(view, &right, &px);
    EXPECT_EQ(px.h - pc.h, 20);  // zoom 2, x to the right
    EXPECT_EQ(px.v - pc.v, 20);  // view y runs down
    AIRealPoint back{};
    sView->ViewPointToArtworkPoint(view, &px, &back);
    EXPECT_EQ(back.h, 316.0f);
    EXPECT_EQ(sView->SetDocumentViewZoom(view, 0), kBadParameterErr);
}

}  // namespace

// The layers by index and by their next, as the host's list of them stands after each edit.
TEST_F(TreeTest, LayersByIndexFollowEveryEdit) {
    const auto title = [&](AILayerHandle layer) {
        char text[32] = "";
        sLayer->GetLayerTitle(layer, text, sizeof text);
        return std::string(text);
    };
    const auto byIndex = [&] {
        int32_t count = 0;
        sLayer->CountLayers(&count);
        std::string titles;
        for (int32_t i = 0; i < count; ++i) {
            AILayerHandle layer = nullptr;
            EXPECT_EQ(sLayer->GetNthLayer(i, &layer), kNoErr);
            titles += title(layer) + " ";
        }
        std::string next;
        AILayerHandle layer = nullptr;
        for (sLayer->GetFirstLayer(&layer); layer; sLayer->GetNextLayer(layer, &layer)) next += title(layer) + " ";
        EXPECT_EQ(next, titles);
        return titles;
    };
    AILayerHandle first = nullptr, b = nullptr, c = nullptr, sub = nullptr;
    sLayer->GetNthLayer(0, &first);
    ASSERT_EQ(sLayer->InsertLayer(first, kPlaceAbove, &b), kNoErr);
    sLayer->SetLayerTitle(b, "B");
    ASSERT_EQ(sLayer->InsertLayer(first, kPlaceBelow, &c), kNoErr);
    sLayer->SetLayerTitle(c, "C");
    EXPECT_EQ(byIndex(), "B Layer 1 C ");
    // A sublayer is not a top-level layer.
    ASSERT_EQ(sLayer->InsertLayer(b, kPlaceInsideOnTop, &sub), kNoErr);
    EXPECT_EQ(byIndex(), "B Layer 1 C ");
    doc->journal().commit();
    ASSERT_EQ(sLayer->DeleteLayer(first), kNoErr);
    EXPECT_EQ(byIndex(), "B C ");
    EXPECT_TRUE(host.userUndo());
    EXPECT_EQ(byIndex(), "B Layer 1 C ");
    AILayerHandle none = nullptr;
    EXPECT_EQ(sLayer->GetNthLayer(3, &none), kOutOfRangeErr);
    EXPECT_EQ(sLayer->GetNthLayer(-1, &none), kOutOfRangeErr);
}
