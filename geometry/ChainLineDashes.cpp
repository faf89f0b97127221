// The dash layouts of section and centre lines: one routine over a table per line.
#include "geometry/ChainLineDashes.h"

#include <cmath>

namespace {

// A mirrored piece [u, v]: from u to v from the midpoint, on both sides of it.
struct Mirrored {
    double u, v;
};

struct DashPattern {
    double start;        // where the first pass begins, from the midpoint
    double guard;        // a pass is laid while it and the ends fit: start of pass + guard < h
    double period;       // one pass
    Mirrored pieces[3];  // of one pass, from its start
    Mirrored lastShort;  // after the passes, from where the next pass would begin
    double endDash;      // where the end dashes begin, from there
};

// Short 9, gap 4.5, long 36, gap 4.5, short 9, gap 4.5 each side; the midpoint in the
// middle of a gap between two short dashes.
constexpr DashPattern kSection{2.25, 90.0, 67.5, {{0.0, 9.0}, {13.5, 49.5}, {54.0, 63.0}}, {0.0, 9.0}, 13.5};
// Half a short dash 4.5, gap 9, long 36, gap 9, half a short dash 4.5 each side; the halves
// of consecutive passes meet, and the first two make the short dash on the midpoint.
constexpr DashPattern kCenter{0.0, 81.0, 63.0, {{0.0, 4.5}, {13.5, 49.5}, {58.5, 63.0}}, {0.0, 4.5}, 13.5};

// Far more than a line across the largest page needs; each pass is six paths to draw, so a
// line of a damaged document cannot make an update draw for long.
constexpr int kMostPasses = 1000;

std::vector<DashPiece> Lay(const DashPattern& pattern, AIReal half) {
    std::vector<DashPiece> out;
    if (!std::isfinite(half)) return out;
    const double h = half;
    auto mirrored = [&](double s, const Mirrored& m) {
        out.push_back({static_cast<AIReal>(h - (s + m.u)), static_cast<AIReal>(h - (s + m.v))});
        out.push_back({static_cast<AIReal>(h + (s + m.u)), static_cast<AIReal>(h + (s + m.v))});
    };
    // Each pass begins at start + n * period, worked out afresh, so no sum drifts or stops
    // growing on a long line.
    int passes = 0;
    double s = pattern.start;
    while (passes < kMostPasses && s + pattern.guard < h) {
        for (const Mirrored& piece : pattern.pieces) mirrored(s, piece);
        ++passes;
        s = pattern.start + passes * pattern.period;
    }
    mirrored(s, pattern.lastShort);
    out.push_back({static_cast<AIReal>(h - (s + pattern.endDash)), 0.0f});
    out.push_back({static_cast<AIReal>(h + (s + pattern.endDash)), static_cast<AIReal>(2.0 * h)});
    return out;
}

}  // namespace

std::vector<DashPiece> SectionLineDashes(AIReal h) { return Lay(kSection, h); }

std::vector<DashPiece> CenterLineDashes(AIReal h) { return Lay(kCenter, h); }
