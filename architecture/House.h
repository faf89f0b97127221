// A house as the tools hold it: its art (the outline carrying the record, and its group)
// and its walls; of a house just drawn, also the pieces drawn for it. And the lines of a
// door's or window's symbol, by which the drawn pieces are known again.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

#include "AITypes.h"
#include "architecture/WallGeometry.h"

struct House {
    AIArtHandle path = nullptr;   // the outline, with the record
    AIArtHandle group = nullptr;  // the house's group (the path itself, once taken out of it)
    std::vector<Wall> walls;
    std::vector<WallCorners> corners;  // of the walls, as JoinWalls finds them
    UnknownEntries unknown;            // of the record, carried to the house that replaces it
    // --- of a house DrawHouse drew: the outline's contours as drawn, each door's and window's
    // lines by wall, opening and line, and the dimensions that measured a part of the house
    // it replaced which is no longer there ---
    std::vector<AIArtHandle> contours;
    std::vector<WallPolygon> contourPoints;
    struct Symbol {
        AIArtHandle art;
        size_t wall, opening, line;
    };
    std::vector<Symbol> symbols;
    std::vector<int32_t> detached;
};

// The lines of a door's or window's symbol, each as its anchors.
std::vector<std::vector<AIPathSegment>> OpeningSymbol(const Wall& wall, const WallOpening& o);

// Every door's and window's lines of a house as its walls draw them, by which the art drawn
// for them is known again.
class SymbolLines {
public:
    explicit SymbolLines(const std::vector<Wall>& walls);
    // Which line has these anchors (each within `reach` of the line's); none when no line
    // does. The lines beside the last one found are tried first, as a house's art holds them
    // in the order they were drawn.
    std::optional<House::Symbol> Find(const std::vector<AIPathSegment>& anchors, double reach);

private:
    struct Line {
        House::Symbol symbol;
        std::vector<AIPathSegment> anchors;
    };
    std::vector<Line> lines_;
    size_t last_ = 0;
};

// The number a wall of a house has once `removedWall` is taken out (-1: none is): the walls
// after it come one nearer the first; the removed wall itself has none (-1).
int32_t WallAfterRemoval(size_t wall, int32_t removedWall);

// A corner anchor at a point of the walls.
AIPathSegment WallCornerAnchor(WallPoint p);
