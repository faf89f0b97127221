// What the document answers from its indices (a layer by title, the selection, the art whose
// bounds meet a place) is what a walk of the whole drawing finds, through edits, undo and
// redo, and after an allocation that fails anywhere in an edit or a lookup; its revision
// names each content, and undo and redo give the old names back.
#include <gtest/gtest.h>

#include <memory>
#include <random>
#include <set>
#include <string>
#include <vector>

#include "FailingAllocations.h"
#include "model/ArtIndex.h"
#include "model/Document.h"

namespace standin {
namespace {

bool Meets(const AIRealRect& a, const AIRealRect& b) {
    return a.left <= b.right && b.left <= a.right && a.bottom <= b.top && b.bottom <= a.top;
}

// Selected as the art suite reads it: its own bit, or for a container any member's.
bool ReadsSelected(const Document& doc, const Art& a) {
    if (!a.isContainer() || !a.firstChild) return (a.attrs & kArtSelected) != 0;
    for (ObjId c : doc.children(a.id))
        if (ReadsSelected(doc, *doc.art(c))) return true;
    return false;
}

// The answers a walk from the top gives.
std::vector<ObjId> WalkedSelection(const Document& doc) {
    std::vector<ObjId> out;
    doc.walk([&](const Art& a, int) {
        if (a.isLayerGroup()) return;
        EXPECT_EQ(doc.readsSelected(a.id), ReadsSelected(doc, a)) << a.id;
        if (ReadsSelected(doc, a)) out.push_back(a.id);
    });
    return out;
}

std::vector<ObjId> WalkedIn(const Document& doc, const AIRealRect& area) {
    std::vector<ObjId> out;
    doc.walk([&](const Art& a, int) {
        AIRealRect r{};
        if (!a.isContainer() && doc.bounds(a.id, &r) && Meets(r, area)) out.push_back(a.id);
    });
    return out;
}

ObjId WalkedLayer(const Document& doc, const std::string& title) {
    ObjId found = 0;
    doc.walk([&](const Art& a, int) {
        if (!found && a.layer && a.layer->title == title) found = a.id;
    });
    return found;
}

void ExpectIndexAnswersAsAWalk(const Document& doc, const char* when) {
    SCOPED_TRACE(when);
    EXPECT_EQ(doc.selection(), WalkedSelection(doc));
    for (const AIRealRect& area : {AIRealRect{0, 800, 700, 0}, AIRealRect{95, 105, 105, 95}, AIRealRect{-1, 1, 1, -1},
                                   AIRealRect{250, 260, 400, 240}})
        EXPECT_EQ(doc.artIn(area), WalkedIn(doc, area));
    for (const char* title : {"Layer 1", "Plan", "Notes", "Gone"}) EXPECT_EQ(doc.layerByTitle(title), WalkedLayer(doc, title));
}

TEST(ArtIndex, AnswersAsAWalkThroughEditsUndoAndRedo) {
    IdSource ids;
    Document doc(ids, 612, 792);
    ObjId a = 0, b = 0, group = 0, inner = 0;
    doc.addRect(90, 90, 20, 20, &a);
    const ObjId plan = doc.addLayer("Plan");
    doc.addLine({0, 0}, {500, 500}, &b);
    doc.newArt(kGroupArt, kPlaceAboveAll, 0, &group);
    doc.newArt(kPathArt, kPlaceInsideOnBottom, group, &inner);
    doc.editArt(inner)->segments = {{{300, 250}, {300, 250}, {300, 250}, true}, {{350, 250}, {350, 250}, {350, 250}, true}};
    doc.addLayer("Notes");
    doc.addLayer("Plan");  // a second layer of that title, above the first
    for (int i = 0; i < 20; ++i) doc.addLine({0, float(i)}, {5, float(i)});  // so few are selected
    doc.journal().commit();
    ExpectIndexAnswersAsAWalk(doc, "made");

    const std::pair<const char*, std::function<void()>> steps[] = {
        {"selected", [&] { doc.select(inner), doc.select(a); }},
        {"moved", [&] { doc.transform(inner, {1, 0, 0, 1, -200, -150}, false); }},
        {"placed in front", [&] { doc.reorderArt(a, kPlaceAbove, group); }},
        {"layer renamed", [&] { doc.editArt(plan)->layer->title = "Gone"; }},
        {"deleted", [&] { doc.disposeArt(b); }},
        {"made and thrown away unseen", [&] {
             ObjId gone = 0;
             doc.addLine({0, 0}, {9, 9}, &gone);
             doc.select(gone);
             doc.disposeArt(gone);
         }},
        {"all selected", [&] { doc.selectAll(); }},
        {"deselected", [&] { doc.selectNone(); }},
    };
    for (const auto& [what, step] : steps) {
        step();
        doc.journal().commit();
        ExpectIndexAnswersAsAWalk(doc, what);
    }
    for (size_t i = 0; i < std::size(steps); ++i) {
        ASSERT_TRUE(doc.journal().userUndo());
        ExpectIndexAnswersAsAWalk(doc, "undone");
    }
    while (doc.journal().userRedo()) ExpectIndexAnswersAsAWalk(doc, "redone");
}

// What the index should answer from the art the document holds, found by a scan of every
// art: an edit cut short may leave art it had not yet erased out of the tree (undo brings
// the tree back), and the index still answers for it.
std::vector<ObjId> HeldIn(const Document& doc, const AIRealRect& area) {
    std::vector<ObjId> out;
    doc.forEachArt([&](ObjId id, const Art& a) {
        AIRealRect r{};
        if (a.type != kRootArt && !a.isContainer() && doc.bounds(id, &r) && Meets(r, area)) out.push_back(id);
    });
    std::sort(out.begin(), out.end());
    return out;
}

// Art with its own selected bit (a container with members reads as selected through them),
// and the groups above it up to its layer.
std::vector<ObjId> HeldSelection(const Document& doc) {
    std::set<ObjId> out;
    doc.forEachArt([&](ObjId, const Art& a) {
        if (a.type == kRootArt || a.isLayerGroup() || !(a.attrs & kArtSelected) || (a.isContainer() && a.firstChild))
            return;
        for (const Art* x = &a; x && x->type != kRootArt && !x->isLayerGroup(); x = doc.art(x->parent)) out.insert(x->id);
    });
    return {out.begin(), out.end()};
}

void ExpectIndexAnswersAsTheHeldArt(const Document& doc, const std::string& when) {
    SCOPED_TRACE(when);
    std::vector<ObjId> selection = doc.selection();
    std::sort(selection.begin(), selection.end());
    EXPECT_EQ(selection, HeldSelection(doc));
    for (const AIRealRect& area : {AIRealRect{0, 800, 700, 0}, AIRealRect{95, 105, 105, 95}, AIRealRect{-1, 1, 1, -1},
                                   AIRealRect{250, 260, 400, 240}}) {
        std::vector<ObjId> in = doc.artIn(area);
        std::sort(in.begin(), in.end());
        EXPECT_EQ(in, HeldIn(doc, area));
    }
    ObjId plan = 0;
    doc.forEachArt([&](ObjId id, const Art& a) {
        if (a.isLayerGroup() && a.layer->title == "Plan" && (!plan || doc.paintsBefore(id, plan))) plan = id;
    });
    EXPECT_EQ(doc.layerByTitle("Plan"), plan);
}

TEST(ArtIndex, AnAllocationThatFailsLeavesTheIndexWhole) {
    // Each edit, with the lookups that take it up, is made on a fresh drawing with its first
    // allocation failing, then its second, and so on until it goes through: after each
    // failure the index still answers for the art the drawing holds, whatever of the edit
    // was made.
    IdSource ids;
    ObjId a = 0;
    const auto drawing = [&] {
        auto doc = std::make_unique<Document>(ids, 612, 792);
        doc->addRect(90, 90, 20, 20, &a);
        for (int i = 0; i < 40; ++i) doc->addLine({float(i), 0}, {float(i) + 5, 250});  // crowding a few cells
        doc->select(a);
        doc->selection();
        doc->journal().commit();
        return doc;
    };
    const std::pair<const char*, std::function<void(Document&)>> steps[] = {
        {"made", [&](Document& d) { d.addLine({95, 95}, {105, 105}); }},
        {"made far out", [&](Document& d) { d.addLine({-1e12f, 0}, {1e12f, 1}); }},
        {"group made", [&](Document& d) { ObjId g = 0; d.newArt(kGroupArt, kPlaceAboveAll, 0, &g); }},
        {"deselected", [&](Document& d) { d.selectNone(); }},
        {"moved to another cell", [&](Document& d) { d.transform(a, {1, 0, 0, 1, 150, 150}, false); }},
        {"moved within its cell", [&](Document& d) { d.transform(a, {1, 0, 0, 1, 0.5f, 0}, false); }},
        {"grown across cells", [&](Document& d) { d.transform(a, {20, 0, 0, 20, 0, 0}, false); }},
        {"placed in front", [&](Document& d) { d.reorderArt(a, kPlaceAboveAll, 0); }},
        {"layer made", [&](Document& d) { d.addLayer("Plan"); }},
        {"deleted", [&](Document& d) { d.disposeArt(a); }},
        {"all selected", [&](Document& d) { d.selectAll(); }},
    };
    for (const auto& [what, step] : steps) {
        for (uint64_t nth = 1;; ++nth) {
            const auto doc = drawing();
            bool failed = false;
            {
                failing_allocations::FailAt fail(nth);
                try {
                    step(*doc);
                    doc->selection();
                    doc->artIn({0, 800, 700, 0});
                    doc->layerByTitle("Plan");
                } catch (const std::bad_alloc&) {
                }
                failed = fail.failed();
            }
            ExpectIndexAnswersAsTheHeldArt(*doc, std::string(what) + ", allocation " + std::to_string(nth));
            if (!failed || HasFailure()) break;
        }
    }
}

TEST(ArtIndex, PaintOrderHoldsWhereArtIsPlacedAgainAndAgain) {
    // Art placed between the same two neighbours halves their gap each time, until the run
    // of siblings takes new keys; the order stays that of the walk throughout.
    IdSource ids;
    Document doc(ids, 612, 792);
    ObjId top = 0, bottom = 0;
    doc.addLine({0, 0}, {1, 1}, &bottom);
    doc.addLine({0, 0}, {1, 1}, &top);
    std::vector<ObjId> all;
    for (int i = 0; i < 80; ++i) {
        ObjId id = 0;
        doc.newArt(kPathArt, kPlaceBelow, top, &id);
        all.push_back(id);
    }
    all.push_back(top);
    all.push_back(bottom);
    std::mt19937 random(3);
    std::shuffle(all.begin(), all.end(), random);
    doc.sortInPaintOrder(all);
    std::vector<ObjId> walked;
    doc.walk([&](const Art& a, int) {
        if (!a.isLayerGroup()) walked.push_back(a.id);
    });
    EXPECT_EQ(all, walked);
}

TEST(ArtIndex, TheGridFindsWhatAScanOfEveryBoxFinds) {
    // Boxes of every size, some far out or not finite in extent, a fifth crowded into one
    // place, some moved and removed.
    std::mt19937 random(11);
    std::uniform_real_distribution<float> place(-2000, 2000), size(0, 300);
    std::vector<std::pair<ObjId, AIRealRect>> boxes;
    BoundsGrid grid;
    for (ObjId id = 1; id <= 600; ++id) {
        const bool crowded = id % 5 == 0;
        const float x = crowded ? 40 : place(random), y = crowded ? 40 : place(random);
        const float w = id % 50 == 0 ? 1e7f : crowded ? 3 : size(random), h = crowded ? 3 : size(random);
        AIRealRect r{x, y + h, x + w, y};
        if (id % 97 == 0) r = {3e30f, -3e30f, 3.1e30f, -3.1e30f};
        grid.put(id, r);
        boxes.emplace_back(id, r);
    }
    std::vector<std::pair<ObjId, AIRealRect>> kept;
    for (size_t i = 0; i < boxes.size(); ++i) {
        if (i % 6 == 3) {
            grid.remove(boxes[i].first);
            continue;
        }
        if (i % 6 == 0) {
            boxes[i].second.left += 500, boxes[i].second.right += 500;
            grid.put(boxes[i].first, boxes[i].second);
        }
        kept.push_back(boxes[i]);
    }
    boxes = kept;
    for (int probe = 0; probe < 300; ++probe) {
        const float x = place(random), y = place(random), reach = probe % 3 ? 5.f : 900.f;
        const AIRealRect area{x - reach, y + reach, x + reach, y - reach};
        std::vector<ObjId> expected, found;
        for (const auto& [id, r] : boxes)
            if (Meets(r, area)) expected.push_back(id);
        grid.query(area, found);
        std::sort(found.begin(), found.end());
        EXPECT_EQ(found, expected) << probe;
    }
}

TEST(DocumentRevision, NamesEachContentAndUndoGivesTheNamesBack) {
    IdSource ids;
    Document doc(ids, 612, 792);
    const uint64_t empty = doc.revision();
    doc.journal().beginMessage(MessageKind::Other);
    doc.addLine({0, 0}, {10, 10});
    doc.journal().endMessage();
    const uint64_t oneLine = doc.revision();
    EXPECT_NE(oneLine, empty);
    // A gesture of two drags: each drag's undo gives back the content before it.
    doc.journal().beginMessage(MessageKind::MouseDown);
    doc.journal().endMessage();
    doc.journal().beginMessage(MessageKind::MouseDrag);
    doc.addLine({0, 0}, {20, 20});
    doc.journal().endMessage();
    doc.journal().beginMessage(MessageKind::MouseDrag);
    doc.journal().undoChanges();
    EXPECT_EQ(doc.revision(), oneLine);
    doc.addLine({0, 0}, {30, 30});
    doc.journal().endMessage();
    doc.journal().beginMessage(MessageKind::MouseUp);
    doc.journal().endMessage();
    const uint64_t drawn = doc.revision();
    EXPECT_NE(drawn, oneLine);
    ASSERT_TRUE(doc.journal().userUndo());
    EXPECT_EQ(doc.revision(), oneLine);
    ASSERT_TRUE(doc.journal().userUndo());
    EXPECT_EQ(doc.revision(), empty);
    ASSERT_TRUE(doc.journal().userRedo());
    EXPECT_EQ(doc.revision(), oneLine);
    ASSERT_TRUE(doc.journal().userRedo());
    EXPECT_EQ(doc.revision(), drawn);
    // A change after an undo is a content of its own.
    ASSERT_TRUE(doc.journal().userUndo());
    doc.addLine({0, 0}, {40, 40});
    doc.journal().commit();
    EXPECT_NE(doc.revision(), drawn);
    EXPECT_NE(doc.revision(), oneLine);
}

}  // namespace
}  // namespace standin
