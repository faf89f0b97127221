// What the geometry and paint of paths may hold: one set of rules, applied wherever values
// enter the model (script commands, the document reader, the host's suites). The document
// writer refuses what breaks them, so nothing it writes is refused when read back.
#pragma once

#include <cfloat>
#include <optional>
#include <string>
#include <string_view>

#include "AITypes.h"

namespace standin::rules {

// A real that must be finite and lie from `least` to `most`; `what` names it in messages.
struct RealRule {
    const char* what;
    float least;
    float most;
};

inline constexpr RealRule kCoordinate{"a coordinate", -FLT_MAX, FLT_MAX};
inline constexpr RealRule kColorComponent{"a colour component", 0, 1};  // grey 1 is black
inline constexpr RealRule kStrokeWidth{"the stroke width", 0, FLT_MAX};
inline constexpr RealRule kDashLength{"a dash length", 0, FLT_MAX};
inline constexpr RealRule kDashOffset{"the dash offset", -FLT_MAX, FLT_MAX};
inline constexpr RealRule kMiterLimit{"the miter limit", 1, FLT_MAX};

// The caps and joins a stroke may have, by code (kAIButtCap = 0 ...).
inline constexpr const char* kCapNames[] = {"butt", "round", "projecting"};
inline constexpr const char* kJoinNames[] = {"miter", "round", "bevel"};

// What is wrong with `value` under `rule`, named `what` (the rule's own name when empty):
// "the width cannot be negative, not -1"; nothing when it keeps the rule.
std::optional<std::string> problemWith(float value, const RealRule& rule, std::string_view what = {});

// The first component of the colour that breaks its rule, or a kind the host does not know.
std::optional<std::string> colorProblem(const AIColor& color);
// The first value of the style that breaks its rule ("the stroke width cannot be negative,
// not -1"), its colours included.
std::optional<std::string> styleProblem(const AIPathStyle& style);

// The largest page the host holds, each way, in points: its canvas.
inline constexpr float kLargestPage = 16383;
// What is wrong with a positive page size `what` larger than the host holds ("the width must
// be at most 16383 points, the largest page the host holds, not 20000"); nothing when it fits.
std::optional<std::string> pageSizeProblem(float value, std::string_view what);

// The first anchor or handle coordinate of the segments that is not a finite number.
std::optional<std::string> segmentsProblem(const AIPathSegment* segments, size_t count);

}  // namespace standin::rules
