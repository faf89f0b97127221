// A house's door and window symbols, line by line.
#include "architecture/House.h"

#include <array>

#include "geometry/CurveConstants.h"
#include "geometry/PointMath.h"

namespace {

AIRealPoint Real(WallPoint p) { return {static_cast<AIReal>(p.h), static_cast<AIReal>(p.v)}; }

using Anchors = std::vector<AIPathSegment>;

}  // namespace

AIPathSegment WallCornerAnchor(WallPoint p) { return CornerAnchor(Real(p)); }

// A door: the leaf standing open at right angles to the wall from its hinge, and the quarter
// circle its edge sweeps back to the other jamb, on the face it opens to. A window: both
// faces and the glass along the middle, across the opening.
std::vector<Anchors> OpeningSymbol(const Wall& wall, const WallOpening& o) {
    const WallFrame f = FrameOf(wall);
    const double from = o.at - o.width / 2, to = o.at + o.width / 2;
    if (o.kind == kWindowOpening) {
        std::vector<Anchors> lines;
        for (double offset : {f.lo, (f.lo + f.hi) / 2, f.hi})
            lines.push_back({WallCornerAnchor(f.at(from, offset)), WallCornerAnchor(f.at(to, offset))});
        return lines;
    }
    const double face = o.side ? f.lo : f.hi, out = o.side ? -1.0 : 1.0;
    const double hingeAt = o.hinge ? to : from, jambAt = o.hinge ? from : to;
    const WallPoint hinge = f.at(hingeAt, face), jamb = f.at(jambAt, face);
    const WallPoint leafEnd = f.at(hingeAt, face + out * o.width);
    const double k = kKappa * o.width, towardJamb = jambAt > hingeAt ? 1.0 : -1.0;
    AIPathSegment start = WallCornerAnchor(leafEnd), end = WallCornerAnchor(jamb);
    start.out = Real({leafEnd.h + f.d.h * towardJamb * k, leafEnd.v + f.d.v * towardJamb * k});
    end.in = Real({jamb.h + f.n.h * out * k, jamb.v + f.n.v * out * k});
    return {{WallCornerAnchor(hinge), WallCornerAnchor(leafEnd)}, {start, end}};
}

SymbolLines::SymbolLines(const std::vector<Wall>& walls) {
    for (size_t w = 0; w < walls.size(); ++w)
        for (size_t k = 0; k < walls[w].openings.size(); ++k) {
            std::vector<Anchors> lines = OpeningSymbol(walls[w], walls[w].openings[k]);
            for (size_t j = 0; j < lines.size(); ++j) lines_.push_back({{nullptr, w, k, j}, std::move(lines[j])});
        }
}

std::optional<House::Symbol> SymbolLines::Find(const Anchors& anchors, double reach) {
    const auto same = [&](const Anchors& line) {
        if (line.size() != anchors.size()) return false;
        for (size_t i = 0; i < line.size(); ++i)
            if (Distance<double>(line[i].p, anchors[i].p) > reach) return false;
        return true;
    };
    const size_t n = lines_.size();
    if (n == 0) return std::nullopt;
    // The art lies in the order it was drawn, one way or the other.
    for (size_t i : std::array<size_t, 2>{(last_ + n - 1) % n, (last_ + 1) % n})
        if (same(lines_[i].anchors)) return lines_[last_ = i].symbol;
    for (size_t i = 0; i < n; ++i)
        if (same(lines_[i].anchors)) return lines_[last_ = i].symbol;
    return std::nullopt;
}

int32_t WallAfterRemoval(size_t wall, int32_t removedWall) {
    const auto w = static_cast<int32_t>(wall);
    if (removedWall < 0 || w < removedWall) return w;
    return w == removedWall ? -1 : w - 1;
}
