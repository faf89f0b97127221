// The rules' checks and their messages.
#include "model/Rules.h"

#include <charconv>
#include <cmath>
#include <iterator>

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

std::optional<std::string> pageSizeProblem(float value, std::string_view what) {
    if (value <= kLargestPage) return std::nullopt;
    return std::string(what) + " must be at most " + shortest(kLargestPage) +
           " points, the largest page the host holds, not " + shortest(value);
}

std::optional<std::string> colorProblem(const AIColor& color) {
    const auto components = [](std::initializer_list<float> values) -> std::optional<std::string> {
        for (float v : values)
            if (auto problem = problemWith(v, kColorComponent)) return problem;
        return std::nullopt;
    };
    switch (color.kind) {
        case kGrayColor: return components({color.c.g.gray});
        case kFourColor: return components({color.c.f.cyan, color.c.f.magenta, color.c.f.yellow, color.c.f.black});
        case kThreeColor: return components({color.c.rgb.red, color.c.rgb.green, color.c.rgb.blue});
        case kCustomColor: return problemWith(color.c.c.tint, kColorComponent, "the tint");
        case kPattern:
        case kGradient:
        case kNoneColor: return std::nullopt;
    }
    return "the colour kind " + std::to_string(int(color.kind)) + " is not one the host knows";
}

std::optional<std::string> styleProblem(const AIPathStyle& style) {
    if (auto problem = colorProblem(style.fill.color)) return "the fill colour: " + *problem;
    if (auto problem = colorProblem(style.stroke.color)) return "the stroke colour: " + *problem;
    const AIStrokeStyle& stroke = style.stroke;
    if (auto problem = problemWith(stroke.width, kStrokeWidth)) return problem;
    if (stroke.dash.length < 0 || stroke.dash.length > kMaxDashComponents)
        return "a dash holds at most " + std::to_string(kMaxDashComponents) + " lengths";
    for (int i = 0; i < stroke.dash.length; ++i)
        if (auto problem = problemWith(stroke.dash.array[i], kDashLength)) return problem;
    if (auto problem = problemWith(stroke.dash.offset, kDashOffset)) return problem;
    if (stroke.cap < 0 || size_t(stroke.cap) >= std::size(kCapNames))
        return "the cap " + std::to_string(stroke.cap) + " is not butt, round or projecting";
    if (stroke.join < 0 || size_t(stroke.join) >= std::size(kJoinNames))
        return "the join " + std::to_string(stroke.join) + " is not miter, round or bevel";
    return problemWith(stroke.miterLimit, kMiterLimit);
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
