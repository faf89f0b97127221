// An edit keeps what measures the art it edits. A tool that adds, removes or renumbers the
// anchors of paths (a corner, a trim, an extended end, a division, a join) takes the clicks of
// the dimensions stored on them before it edits, with the points they name, and afterwards
// stores each click again on the path that holds its point now (the same path, a piece of
// it, or the path it was joined into), by its new anchor, or its piece and parameter there.
// A dimension with a point the edit removed, or one that measures a path whole (a radius, a
// diameter, a centre mark) when the edit broke the path apart or joined it to another, can
// no longer be drawn from its clicks: it is kept as drawn (made static, its links on the
// edited paths gone) and named to the user. The
// writes are the edit's own, in its step of undo; a dimension whose clicks still name the
// same places is not written, nor is anything when no dimension measures the paths.
#pragma once

#include <cstdint>
#include <span>
#include <unordered_set>
#include <vector>

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"

class MeasuredArtEdit {
public:
    // Before the edit: the clicks stored on `art` and the point each names there. A dimension
    // with a record on it that cannot be read, or a click not found on it, is left as it is,
    // but for an anchor number past the end of its path, which stays past the end.
    AIErr Take(AIArtHandle art);
    // An end the edit moves on (extended to a boundary), the measured end wherever it goes:
    // a click on anchor `from` before goes to anchor `to` after, whether the end anchor
    // itself moved or a new one was added beyond it.
    void Moves(AIArtHandle art, int16_t from, int16_t to) { moved_.push_back({art, from, to}); }
    // After the edit: `now` are the paths that hold the points of the art taken.
    AIErr Carry(std::span<const AIArtHandle> now);

private:
    struct Taken {
        Plotwise3_dimensioned_object_data click;
        AIRealPoint point;   // where the click lay before the edit
        AIRealPoint before;  // an anchor click: where its anchor before lay
        size_t anchors;      // of its path before the edit
    };
    std::vector<Taken> taken_;
    std::vector<AIArtHandle> sources_;
    std::unordered_set<int32_t> leftAlone_;
    struct Moved {
        AIArtHandle art;
        int16_t from, to;
    };
    std::vector<Moved> moved_;
};
