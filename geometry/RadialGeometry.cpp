// Circle test, terminator room and the centre mark's layout. The centre mark's sums are
// written in one fixed order, term by term, so that its pieces land on the same floats as
// the other layout's where the two agree (an extent of 72 points) and meet there.
#include "geometry/RadialGeometry.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr AIReal kCircleTolerance = 3.0f;
constexpr AIReal kMargin = 9.0f;        // the lines reach this far beyond the art
constexpr AIReal kLargeExtent = 72.0f;  // above it the cross and gaps are fixed
constexpr AIReal kHalfCross = 9.0f, kGapEnd = 18.0f;
constexpr AIReal kCrossDivisor = 6.0f, kGapDivisor = 3.0f;

// One arm between low and high along a line across it (lower first); `along` makes the
// point of a position on the arm. Pieces: outer line at high, half-cross towards high,
// half-cross towards low, outer line at low.
template <typename Along>
void Arm(AIReal low, AIReal high, AIReal centre, bool crossOnly, Along along, std::vector<CenterMarkPiece>* out) {
    const AIReal extent = high - low;
    AIReal highLine = 0, highCross = 0, lowCross = 0, lowLine = 0;
    if (extent > kLargeExtent) {
        highLine = centre + kGapEnd;
        highCross = centre + kHalfCross;
        lowCross = centre - kHalfCross;
        lowLine = centre - kGapEnd;
    } else {
        const AIReal d = extent - 2.0f * kMargin;  // the art's own extent
        highLine = (high - kMargin) - d / kCrossDivisor;
        highCross = (high - kMargin) - d / kGapDivisor;
        lowCross = (low + kMargin) + d / kGapDivisor;
        lowLine = (low + kMargin) + d / kCrossDivisor;
    }
    if (!crossOnly) out->push_back({along(high), along(highLine)});
    out->push_back({along(highCross), along(centre)});
    out->push_back({along(centre), along(lowCross)});
    if (!crossOnly) out->push_back({along(lowLine), along(low)});
}

}  // namespace

bool BoundsAreCircular(AIReal width, AIReal height) {
    return !(height > width + kCircleTolerance) && !(height < width - kCircleTolerance);
}

bool RadialTerminatorFits(int32_t arrowheadStyle, AIReal arrowheadLength, AIReal radius) {
    switch (arrowheadStyle) {
        case 1: case 2: case 5: case 6: case 7: return 2.0f * arrowheadLength < radius;
        default: return true;
    }
}

std::vector<CenterMarkPiece> CenterMarkPieces(const AIRealRect& bounds, bool crossOnly) {
    const AIReal left = bounds.left - kMargin, right = bounds.right + kMargin;
    const AIReal top = bounds.top + kMargin, bottom = bounds.bottom - kMargin;
    const AIReal h = top - bottom, w = right - left;
    const AIReal cx = left + w / 2.0f, cy = bottom + h / 2.0f;
    std::vector<CenterMarkPiece> pieces;
    pieces.reserve(8);
    // The vertical arm from the top down.
    Arm(bottom, top, cy, crossOnly, [cx](AIReal v) { return AIRealPoint{cx, v}; }, &pieces);
    // The horizontal arm from the left: the same layout mirrored, so its pieces run from the
    // left end towards the right.
    std::vector<CenterMarkPiece> across;
    Arm(left, right, cx, crossOnly, [cy](AIReal x) { return AIRealPoint{x, cy}; }, &across);
    for (auto it = across.rbegin(); it != across.rend(); ++it) pieces.push_back({it->to, it->from});
    return pieces;
}

AIReal TextDistanceBeyondCross(AIReal wanted, AIReal angle, AIReal arm, AIReal ascent, AIReal descent, AIReal gap) {
    const double c = std::cos(angle), s = std::sin(angle), reach = double(arm) + gap;
    // Any one of these keeps the text's box outside the square the arms and the gap span:
    // beside it (on the side the text runs to), above it or below it.
    double clear = HUGE_VAL;
    if (c != 0) clear = std::min(clear, reach / std::fabs(c));
    if (s > 0) clear = std::min(clear, (reach + descent) / s);
    if (s < 0) clear = std::min(clear, (reach + ascent) / -s);
    return static_cast<AIReal>(std::max(double(wanted), clear));
}
