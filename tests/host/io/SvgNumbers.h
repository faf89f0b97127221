// Test helper: the numbers an SVG picture holds in its attributes, so tests can check that
// every one of them is a finite 32-bit real whatever the document held.
#pragma once

#include <cmath>
#include <cstdlib>
#include <regex>
#include <string>
#include <vector>

namespace svgtest {

// "name=value" for every numeric attribute value that is not a finite number within the
// range of a 32-bit real (or that spells out inf or nan); empty when all are.
inline std::vector<std::string> nonFiniteNumbers(const std::string& svg) {
    static const std::regex attribute(
        R"re(\s(x|y|x1|y1|x2|y2|cx|cy|rx|ry|width|height|viewBox|d|transform|stroke-width|stroke-dasharray|stroke-dashoffset|stroke-miterlimit|font-size|letter-spacing)="([^"]*)")re");
    static const std::regex number(R"([-+]?(\d+\.?\d*|\.\d+)([eE][-+]?\d+)?|[A-Za-z]*(inf|nan|INF|NAN)[A-Za-z]*)");
    std::vector<std::string> bad;
    for (auto a = std::sregex_iterator(svg.begin(), svg.end(), attribute); a != std::sregex_iterator(); ++a) {
        const std::string value = (*a)[2];
        for (auto n = std::sregex_iterator(value.begin(), value.end(), number); n != std::sregex_iterator(); ++n) {
            const std::string text = n->str();
            // Read as a 32-bit real: past its range it becomes infinite.
            const float v = std::strtof(text.c_str(), nullptr);
            if (text.find_first_of("iInN") != std::string::npos || !std::isfinite(v))
                bad.push_back((*a)[1].str() + "=" + value);
        }
    }
    return bad;
}

}  // namespace svgtest
