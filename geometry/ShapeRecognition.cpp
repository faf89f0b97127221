// Rectangle and circle tests over a path's anchors.
#include "geometry/ShapeRecognition.h"

#include <cmath>

namespace {

constexpr AIReal kSquareTolerance = 0.1f;

bool Smooth(const AIPathSegment& s) {
    return s.in.h != s.p.h || s.in.v != s.p.v || s.out.h != s.p.h || s.out.v != s.p.v;
}

}  // namespace

bool AnchorsMakeRectangle(std::span<const AIPathSegment> a) {
    if (a.size() != 4) return false;
    if (a[0].p.v == a[1].p.v) return a[1].p.h == a[2].p.h && a[2].p.v == a[3].p.v && a[3].p.h == a[0].p.h;
    return a[0].p.h == a[1].p.h && a[1].p.v == a[2].p.v && a[2].p.h == a[3].p.h && a[3].p.v == a[0].p.v;
}

bool AnchorsMakeCircle(std::span<const AIPathSegment> a, AIReal width, AIReal height) {
    if (!(std::fabs(std::fabs(width) - std::fabs(height)) <= kSquareTolerance)) return false;
    if (a.size() != 4) return false;
    for (const AIPathSegment& s : a)
        if (!Smooth(s)) return false;
    if (a[0].p.h == a[2].p.h) return a[1].p.v == a[3].p.v;
    if (a[0].p.v == a[2].p.v) return a[1].p.h == a[3].p.h;
    return false;
}
