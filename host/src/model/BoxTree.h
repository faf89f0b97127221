// A tree of boxes over a sequence of items, split by index: the pieces of a path lie near
// their neighbours in the sequence, so halves of it make tight boxes. It answers which
// items' boxes hold a point and which pairs of items' boxes overlap without comparing
// every item with every other.
#pragma once

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdint>
#include <vector>

namespace standin::geom {

struct Box {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;

    void add(double x, double y) {
        x0 = std::min(x0, x);
        y0 = std::min(y0, y);
        x1 = std::max(x1, x);
        y1 = std::max(y1, y);
    }
    void add(const Box& b) {
        if (b.x0 > b.x1) return;  // empty
        add(b.x0, b.y0);
        add(b.x1, b.y1);
    }
    Box grown(double by) const { return {x0 - by, y0 - by, x1 + by, y1 + by}; }
    bool overlaps(const Box& b) const { return x0 <= b.x1 && b.x0 <= x1 && y0 <= b.y1 && b.y0 <= y1; }
};

class BoxTree {
public:
    explicit BoxTree(std::vector<Box> items) : items_(std::move(items)) {
        nodes_.reserve(2 * items_.size() / kLeafSize + 2);
        if (!items_.empty()) build(0, static_cast<uint32_t>(items_.size()));
    }

    // visit(i) for every item whose box holds (x, y).
    template <class Visit>
    void atPoint(double x, double y, Visit visit) const {
        overlapping(Box{x, y, x, y}, visit);
    }

    // visit(i) for every item whose box overlaps `box`.
    template <class Visit>
    void overlapping(const Box& box, Visit visit) const {
        if (nodes_.empty()) return;
        // The tree is balanced, so the nodes waiting are at most two per level.
        std::array<uint32_t, 2 * 64> stack;
        size_t top = 0;
        stack[top++] = 0;
        while (top > 0) {
            const Node& n = nodes_[stack[--top]];
            if (!n.box.overlaps(box)) continue;
            if (n.left == kLeaf) {
                for (uint32_t i = n.lo; i < n.hi; ++i)
                    if (items_[i].overlaps(box)) visit(i);
                continue;
            }
            stack[top++] = n.left;
            stack[top++] = n.right;
        }
    }

    // visit(i, j), i < j, for every pair of items whose boxes overlap.
    template <class Visit>
    void overlappingPairs(Visit visit) const {
        if (nodes_.empty()) return;
        // Pairs of nodes still to look at; a node paired with itself stands for the pairs inside it.
        std::vector<std::pair<uint32_t, uint32_t>> stack{{0, 0}};
        while (!stack.empty()) {
            const auto [a, b] = stack.back();
            stack.pop_back();
            const Node& na = nodes_[a];
            const Node& nb = nodes_[b];
            if (a == b) {
                if (na.left == kLeaf) {
                    for (uint32_t i = na.lo; i < na.hi; ++i)
                        for (uint32_t j = i + 1; j < na.hi; ++j)
                            if (items_[i].overlaps(items_[j])) visit(i, j);
                    continue;
                }
                stack.push_back({na.left, na.left});
                stack.push_back({na.right, na.right});
                stack.push_back({na.left, na.right});
                continue;
            }
            if (!na.box.overlaps(nb.box)) continue;
            if (na.left == kLeaf && nb.left == kLeaf) {
                for (uint32_t i = na.lo; i < na.hi; ++i)
                    for (uint32_t j = nb.lo; j < nb.hi; ++j)
                        if (items_[i].overlaps(items_[j])) visit(std::min(i, j), std::max(i, j));
                continue;
            }
            // Open the larger node (a leaf cannot be opened).
            const bool openA = nb.left == kLeaf || (na.left != kLeaf && na.hi - na.lo >= nb.hi - nb.lo);
            const Node& open = openA ? na : nb;
            const uint32_t other = openA ? b : a;
            stack.push_back({open.left, other});
            stack.push_back({open.right, other});
        }
    }

private:
    static constexpr uint32_t kLeaf = UINT32_MAX;
    static constexpr uint32_t kLeafSize = 4;
    struct Node {
        Box box;
        uint32_t lo = 0, hi = 0;
        uint32_t left = kLeaf, right = kLeaf;
    };

    uint32_t build(uint32_t lo, uint32_t hi) {
        const auto at = static_cast<uint32_t>(nodes_.size());
        nodes_.push_back({});
        nodes_[at].lo = lo;
        nodes_[at].hi = hi;
        Box box;
        if (hi - lo > kLeafSize) {
            const uint32_t mid = lo + (hi - lo) / 2;
            const uint32_t left = build(lo, mid);
            const uint32_t right = build(mid, hi);
            nodes_[at].left = left;
            nodes_[at].right = right;
            box.add(nodes_[left].box);
            box.add(nodes_[right].box);
        } else {
            for (uint32_t i = lo; i < hi; ++i) box.add(items_[i]);
        }
        nodes_[at].box = box;
        return at;
    }

    std::vector<Box> items_;
    std::vector<Node> nodes_;
};

}  // namespace standin::geom
