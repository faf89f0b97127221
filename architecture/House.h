// A house as the tools hold it: its art (the outline carrying the record, and its group)
// and its walls; of a house just drawn, also the pieces drawn for it. And the lines of a
// door's or window's symbol, by which the drawn pieces are known again.
#pragma once

#include <cstddef>
#include <cstdint>
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

// A corner anchor at a point of the walls.
AIPathSegment WallCornerAnchor(WallPoint p);
