// What a document keeps so that its lookups cost what they find: the layer groups (a lookup
// by title), the art whose own selected bit is set (the selection), and the bounds of its
// paths and texts in a grid of cells (hit tests and art near a place). Changed art is
// noted as it changes and taken up at the next lookup, so an edit costs what it touched.
#pragma once

#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "AITypes.h"
#include "model/Art.h"
#include "model/IdStore.h"

namespace standin {

// Bounds by cell, on levels of cells eight times larger each: a box lies on the smallest
// level whose cell is at least its size, so it meets at most four cells there, and a small
// area is looked up in a few cells a level.
class BoundsGrid {
public:
    // Whole or not at all: an allocation that fails leaves the grid as it was.
    void put(ObjId id, const AIRealRect& r);
    void remove(ObjId id) noexcept;
    // Ids whose bounds meet `area` (edges included), each once, in no particular order.
    void query(const AIRealRect& area, std::vector<ObjId>& out) const;
    size_t size() const { return entries_.size(); }

private:
    static constexpr int kLevels = 8;
    struct Cells {
        int64_t x0, y0, x1, y1;
    };
    struct Entry {
        AIRealRect bounds;
        int level;  // kLevels: too large or too far out for any level
        Cells cells;
        // Its place in each of its cells' lists (at most four, row by row), so taking it out
        // of a crowded cell costs no search.
        uint32_t places[4];
    };
    static double cellSize(int level);
    static Cells cellsOf(const AIRealRect& r, int level);
    static uint64_t key(int level, int64_t x, int64_t y);
    static Entry entryFor(const AIRealRect& r);
    // Calls `visit(cellKey, placeIndex)` for each cell of an entry placed on a level.
    template <class Visit>
    static void forEachCell(const Entry& e, Visit visit);
    void dropAt(std::vector<ObjId>& list, uint32_t place, uint64_t cell) noexcept;
    void place(ObjId id, Entry& e) noexcept;
    void unplace(const Entry& e, bool dropEmpty) noexcept;
    void dropEmptyCells(const Entry& e) noexcept;

    IdStore<Entry> entries_;
    std::unordered_map<uint64_t, std::vector<ObjId>> cells_;
    std::vector<ObjId> unplaced_;
    size_t perLevel_[kLevels] = {};
};

class Document;

class ArtIndex {
public:
    // Art that changed (made, edited, moved in the tree, restored or erased).
    // An art is edited many times in one command (its path, its paint, its place); each is
    // noted once, or the list would grow with the edits rather than with the art.
    // Noted whole or not at all (a mark without its place in the list would hide the art
    // from every later refresh); noted before the art changes, so a failure changes nothing.
    void touched(ObjId id) {
        if (dirtyMarks_.contains(id)) return;
        dirty_.push_back(id);
        try {
            dirtyMarks_.insert(id);
        } catch (...) {
            dirty_.pop_back();
            throw;
        }
    }
    // Art made since the last refresh: if it is gone again by the next (text measured by its
    // outlines), the index never held it and has nothing to take out.
    void born(ObjId id) { bornMarks_.insert(id); }
    // Takes up the changes noted since the last call.
    void refresh(const Document& doc);
    void clear();

    // Each layer group with its place: the layer or root it is in, and its key there.
    struct LayerPlace {
        ObjId parent = 0;
        uint64_t order = 0;
        bool operator==(const LayerPlace&) const = default;
    };
    const std::unordered_map<ObjId, LayerPlace>& layers() const { return layers_; }
    // Counts the layers made, removed or moved: lists of layers made at one count hold
    // until it changes (a layer's title or dictionary may change meanwhile).
    uint64_t layerMoves() const { return layerMoves_; }
    const IdSet& ownSelected() const { return selected_; }
    const BoundsGrid& bounds() const { return bounds_; }

private:
    std::vector<ObjId> dirty_;
    IdSet dirtyMarks_;  // what dirty_ holds
    IdSet bornMarks_;
    std::unordered_map<ObjId, LayerPlace> layers_;
    uint64_t layerMoves_ = 0;
    IdSet selected_;
    BoundsGrid bounds_;
};

}  // namespace standin
