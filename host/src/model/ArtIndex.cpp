// The grid of bounds behind the art index: cells of several sizes, each holding the ids of
// the art whose bounds meet it, so that a query visits only the cells around its area.
#include "model/ArtIndex.h"

#include <algorithm>
#include <cmath>
#include <optional>

#include "model/Document.h"

namespace standin {

namespace {

constexpr double kSmallestCell = 16;
// Cells are counted in 29 bits each way; art farther out than this is kept aside.
constexpr double kFarthest = 1e9;

bool meets(const AIRealRect& a, const AIRealRect& b) {
    return a.left <= b.right && b.left <= a.right && a.bottom <= b.top && b.bottom <= a.top;
}

// Room for one more in a list, growing it as push_back would, so the push cannot fail.
void roomForOne(std::vector<ObjId>& list) {
    if (list.size() == list.capacity()) list.reserve(std::max<size_t>(8, 2 * list.capacity()));
}

}  // namespace

double BoundsGrid::cellSize(int level) { return kSmallestCell * std::pow(8.0, level); }

BoundsGrid::Cells BoundsGrid::cellsOf(const AIRealRect& r, int level) {
    const double s = cellSize(level);
    const auto cell = [s](double v) { return static_cast<int64_t>(std::floor(std::clamp(v, -kFarthest, kFarthest) / s)); };
    return {cell(r.left), cell(r.bottom), cell(r.right), cell(r.top)};
}

uint64_t BoundsGrid::key(int level, int64_t x, int64_t y) {
    constexpr int64_t kBias = int64_t(1) << 29;
    return uint64_t(level) << 60 | uint64_t(x + kBias) << 30 | uint64_t(y + kBias);
}

template <class Visit>
void BoundsGrid::forEachCell(const Entry& e, Visit visit) {
    int place = 0;
    for (int64_t x = e.cells.x0; x <= e.cells.x1; ++x)
        for (int64_t y = e.cells.y0; y <= e.cells.y1; ++y) visit(key(e.level, x, y), place++);
}

BoundsGrid::Entry BoundsGrid::entryFor(const AIRealRect& r) {
    Entry e{r, kLevels, {}, {}};
    const double extent = std::max(double(r.right) - r.left, double(r.top) - r.bottom);
    const bool near = std::fabs(r.left) < kFarthest && std::fabs(r.right) < kFarthest &&
                      std::fabs(r.bottom) < kFarthest && std::fabs(r.top) < kFarthest;
    for (int level = 0; near && level < kLevels; ++level) {
        if (extent <= cellSize(level)) {
            e.level = level;
            break;
        }
    }
    if (e.level < kLevels) {
        e.cells = cellsOf(r, e.level);
        // Never more than two cells each way; kept aside should rounding ever say otherwise.
        if ((e.cells.x1 - e.cells.x0 + 1) * (e.cells.y1 - e.cells.y0 + 1) > 4) e.level = kLevels;
    }
    return e;
}

// Everything a put may allocate is allocated before anything changes, so one that fails
// leaves the grid as it was (a grid half updated sends a later removal into a list that
// never held the art).
void BoundsGrid::put(ObjId id, const AIRealRect& r) {
    const Entry e = entryFor(r);
    Entry* stored = entries_.find(id);
    const std::optional<Entry> old = stored ? std::optional<Entry>(*stored) : std::nullopt;
    // Room for the art in each list it joins; a cell made for it is taken back on failure.
    uint64_t made[4] = {};
    int madeCount = 0;
    try {
        if (e.level == kLevels) {
            roomForOne(unplaced_);
        } else {
            forEachCell(e, [&](uint64_t cell, int) {
                const auto [it, added] = cells_.try_emplace(cell);
                if (added) made[madeCount++] = cell;
                roomForOne(it->second);
            });
        }
        if (!stored) stored = &entries_.put(id, e);
    } catch (...) {
        for (int i = 0; i < madeCount; ++i) cells_.erase(made[i]);
        throw;
    }
    // From here on nothing allocates. Cells the art leaves are kept until it is placed, as
    // it may join one of them again.
    if (old) unplace(*old, false);
    *stored = e;
    place(id, *stored);
    if (old) dropEmptyCells(*old);
}

// Into lists that have room for it: allocates nothing.
void BoundsGrid::place(ObjId id, Entry& e) noexcept {
    if (e.level == kLevels) {
        e.places[0] = static_cast<uint32_t>(unplaced_.size());
        unplaced_.push_back(id);
        return;
    }
    forEachCell(e, [&](uint64_t cell, int place) {
        std::vector<ObjId>& list = cells_.find(cell)->second;
        e.places[place] = static_cast<uint32_t>(list.size());
        list.push_back(id);
    });
    ++perLevel_[e.level];
}

// Takes the entry at `place` out of `list` by moving the last one into its place, and
// tells the moved entry its new place in that cell.
void BoundsGrid::dropAt(std::vector<ObjId>& list, uint32_t place, uint64_t cell) noexcept {
    const ObjId moved = list.back();
    list[place] = moved;
    list.pop_back();
    if (place == list.size()) return;
    Entry& m = *entries_.find(moved);
    if (m.level == kLevels) {
        m.places[0] = place;
        return;
    }
    forEachCell(m, [&](uint64_t key, int i) {
        if (key == cell) m.places[i] = place;
    });
}

// Out of its lists: allocates nothing. A cell left empty goes when `dropEmpty` says so.
void BoundsGrid::unplace(const Entry& e, bool dropEmpty) noexcept {
    if (e.level == kLevels) {
        dropAt(unplaced_, e.places[0], 0);
        return;
    }
    forEachCell(e, [&](uint64_t key, int place) {
        const auto cell = cells_.find(key);
        dropAt(cell->second, e.places[place], key);
        if (dropEmpty && cell->second.empty()) cells_.erase(cell);
    });
    --perLevel_[e.level];
}

void BoundsGrid::dropEmptyCells(const Entry& e) noexcept {
    if (e.level == kLevels) return;
    forEachCell(e, [&](uint64_t key, int) {
        if (const auto cell = cells_.find(key); cell != cells_.end() && cell->second.empty()) cells_.erase(cell);
    });
}

void BoundsGrid::remove(ObjId id) noexcept {
    const Entry* found = entries_.find(id);
    if (!found) return;
    unplace(*found, true);
    entries_.erase(id);
}

void BoundsGrid::query(const AIRealRect& area, std::vector<ObjId>& out) const {
    if (std::isnan(area.left) || std::isnan(area.top) || std::isnan(area.right) || std::isnan(area.bottom)) return;
    // A wide area over few boxes: reading every box is cheaper than every cell.
    for (int level = 0; level < kLevels; ++level) {
        const Cells q = cellsOf(area, level);
        if (perLevel_[level] && double(q.x1 - q.x0 + 1) * double(q.y1 - q.y0 + 1) > 4.0 * double(perLevel_[level]) + 16) {
            entries_.forEach([&](ObjId id, const Entry& e) {
                if (meets(e.bounds, area)) out.push_back(id);
            });
            return;
        }
    }
    for (int level = 0; level < kLevels; ++level) {
        if (!perLevel_[level]) continue;
        const Cells q = cellsOf(area, level);
        for (int64_t x = q.x0; x <= q.x1; ++x)
            for (int64_t y = q.y0; y <= q.y1; ++y) {
                const auto cell = cells_.find(key(level, x, y));
                if (cell == cells_.end()) continue;
                for (ObjId id : cell->second) {
                    const Entry& e = *entries_.find(id);
                    // Reported from the first of its cells the area meets, so once.
                    if (x == std::max(e.cells.x0, q.x0) && y == std::max(e.cells.y0, q.y0) && meets(e.bounds, area))
                        out.push_back(id);
                }
            }
    }
    for (ObjId id : unplaced_)
        if (meets(entries_.find(id)->bounds, area)) out.push_back(id);
}

// An allocation that fails part way leaves every change noted, and the next refresh takes
// them all up again: each step sets what the art is now, so one taken twice does no harm.
void ArtIndex::refresh(const Document& doc) {
    if (dirty_.empty()) return;
    std::sort(dirty_.begin(), dirty_.end());
    for (ObjId id : dirty_) {
        const Art* a = doc.art(id);
        if (!a && bornMarks_.contains(id)) continue;
        if (a && a->isLayerGroup()) {
            const LayerPlace place{a->parent, a->order};
            const auto [it, added] = layers_.try_emplace(id, place);
            if (added || !(it->second == place)) {
                it->second = place;
                ++layerMoves_;
            }
        } else if (layers_.erase(id)) {
            ++layerMoves_;
        }
        if (a && a->type != kRootArt && (a->attrs & kArtSelected))
            selected_.insert(id);
        else
            selected_.erase(id);
        AIRealRect r{};
        if (a && !a->isContainer() && doc.bounds(id, &r))
            bounds_.put(id, r);
        else
            bounds_.remove(id);
    }
    dirty_.clear();
    dirtyMarks_.clear();
    bornMarks_.clear();
}

void ArtIndex::clear() {
    *this = ArtIndex{};
}

}  // namespace standin
