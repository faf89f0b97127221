// The contents of a point-text frame: runs of platform (Windows-1252) bytes, each with its
// own character features, one paragraph feature set, and the frame matrix that places the
// text (its translation is the anchor). Plain data: the document model stores it as the
// body of text-frame art, and the text engine lays it out.
#pragma once

#include <string>
#include <vector>

#include "AITypes.h"

namespace standin::text {

struct CharFeatures {
    std::string font = "DejaVu Sans";  // the font's user-interface name
    AIReal size = 12.0f;
    AIReal leading = 14.4f;            // absolute, not automatic
    AIReal baselineShift = 0.0f;
    AIReal tracking = 0.0f;            // thousandths of an em
    AIReal horizontalScale = 1.0f;
    AIReal verticalScale = 1.0f;
    bool fill = true;
    AIColor fillColor{kGrayColor, {{1.0f}}};  // gray 1.0 = black
    bool stroke = false;
    AIColor strokeColor{kNoneColor, {{0.0f}}};
    AIReal lineWidth = 1.0f;
    int16_t lineCap = kAIButtCap;
    int16_t lineJoin = kAIMiterJoin;
    AIReal miterLimit = 4.0f;
    AIReal lineDashOffset = 0.0f;
    std::vector<AIReal> lineDashArray;

    bool operator==(const CharFeatures& o) const;
};

// Colours compare by kind and the components that kind uses.
inline bool sameColor(const AIColor& x, const AIColor& y) {
    if (x.kind != y.kind) return false;
    switch (x.kind) {
        case kGrayColor: return x.c.g.gray == y.c.g.gray;
        case kFourColor:
            return x.c.f.cyan == y.c.f.cyan && x.c.f.magenta == y.c.f.magenta && x.c.f.yellow == y.c.f.yellow &&
                   x.c.f.black == y.c.f.black;
        case kThreeColor: return x.c.rgb.red == y.c.rgb.red && x.c.rgb.green == y.c.rgb.green && x.c.rgb.blue == y.c.rgb.blue;
        case kCustomColor: return x.c.c.color == y.c.c.color && x.c.c.tint == y.c.c.tint;
        case kGradient: return x.c.b.gradient == y.c.b.gradient;
        case kPattern: return x.c.p.pattern == y.c.p.pattern;
        default: return true;
    }
}

inline bool CharFeatures::operator==(const CharFeatures& o) const {
    return font == o.font && size == o.size && leading == o.leading && baselineShift == o.baselineShift &&
           tracking == o.tracking && horizontalScale == o.horizontalScale && verticalScale == o.verticalScale &&
           fill == o.fill && sameColor(fillColor, o.fillColor) && stroke == o.stroke &&
           sameColor(strokeColor, o.strokeColor) && lineWidth == o.lineWidth && lineCap == o.lineCap &&
           lineJoin == o.lineJoin && miterLimit == o.miterLimit && lineDashOffset == o.lineDashOffset &&
           lineDashArray == o.lineDashArray;
}

// Justification codes of the text engine: 0 left, 1 right, 2 centre, 3 justify last left,
// 4 justify last right, 5 justify last centre, 6 justify all.
struct ParaFeatures {
    int16_t justification = 0;
    AIReal startIndent = 0.0f;
    AIReal endIndent = 0.0f;
    AIReal firstLineIndent = 0.0f;
    AIReal spaceBefore = 0.0f;
    AIReal desiredWordSpacing = 1.0f;
    AIReal desiredLetterSpacing = 0.0f;

    bool operator==(const ParaFeatures&) const = default;
};

struct TextRun {
    std::string text;  // platform bytes; 0x0D ends a line
    CharFeatures features;

    bool operator==(const TextRun&) const = default;
};

struct Story {
    std::vector<TextRun> runs;
    ParaFeatures para;
    AIRealMatrix matrix{1, 0, 0, 1, 0, 0};

    bool operator==(const Story& o) const {
        return runs == o.runs && para == o.para && matrix.a == o.matrix.a && matrix.b == o.matrix.b &&
               matrix.c == o.matrix.c && matrix.d == o.matrix.d && matrix.tx == o.matrix.tx &&
               matrix.ty == o.matrix.ty;
    }
};

}  // namespace standin::text
