// The host's stroke outline on arbitrary paths: any anchors and handles (finite reals, as
// the model holds them), open or closed, any width, cap, join and miter limit. It must end,
// and every contour it gives must be closed over finite points.
#include <cmath>
#include <cstdint>
#include <cstring>
#include <vector>

#include "model/Outline.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    if (size < 8) return 0;
    standin::outline::StrokeShape shape;
    const bool closed = data[0] & 1;
    shape.cap = static_cast<int16_t>(data[1] % 3);
    shape.join = static_cast<int16_t>(data[2] % 3);
    shape.miterLimit = 1 + data[3] / 16.0;
    shape.halfWidth = 0.05 + (data[4] | data[5] << 8) / 256.0;
    data += 6;
    size -= 6;
    // Each anchor: six 16-bit coordinates, whole points within a page or two.
    std::vector<AIPathSegment> segs;
    while (size >= 12 && segs.size() < 64) {
        AIReal v[6];
        for (AIReal& x : v) {
            int16_t raw = 0;
            std::memcpy(&raw, data, 2);
            x = raw / 32.0f;
            data += 2;
            size -= 2;
        }
        segs.push_back({{v[0], v[1]}, {v[2], v[3]}, {v[4], v[5]}, true});
    }
    standin::outline::Contours out;
    if (standin::outline::outlineStroke(segs, closed, shape, &out) != kNoErr) return 0;
    for (const auto& contour : out.contours)
        for (const AIPathSegment& s : contour)
            if (!std::isfinite(s.p.h) || !std::isfinite(s.p.v) || !std::isfinite(s.in.h) || !std::isfinite(s.out.v))
                __builtin_trap();
    return 0;
}
