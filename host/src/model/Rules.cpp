// The rules' checks and their messages.
#include "model/Rules.h"

#include <charconv>
#include <cmath>

namespace standin::rules {

namespace {

// The shortest text that reads back as the value ("0.1", "inf", "-3e+38").
std::string shortest(float value) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, value);
    return ec == std::errc() ? std::string(buf, end) : std::string("?");
}

}  // namespace

std::optional<std::string> problemWith(float value, const RealRule& rule, std::string_view what) {
    const std::string name(what.empty() ? std::string_view(rule.what) : what);
    const std::string found = ", not " + shortest(value);
    if (!std::isfinite(value)) return name + " must be a finite number" + found;
    if (value >= rule.least && value <= rule.most) return std::nullopt;
    if (rule.most == FLT_MAX)
        return name + (rule.least == 0 ? " cannot be negative" : " must be at least " + shortest(rule.least)) + found;
    if (rule.least == -FLT_MAX) return name + " must be at most " + shortest(rule.most) + found;
    return name + " must lie between " + shortest(rule.least) + " and " + shortest(rule.most) + found;
}

std::optional<std::string> segmentsProblem(const AIPathSegment* segments, size_t count) {
    for (size_t i = 0; i < count; ++i) {
        const AIPathSegment& s = segments[i];
        for (float v : {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v})
            if (auto problem = problemWith(v, kCoordinate)) return "anchor " + std::to_string(i) + ": " + *problem;
    }
    return std::nullopt;
}

}  // namespace standin::rules
