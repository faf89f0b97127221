// Layout of a point-text story: lines split at carriage returns, each later baseline one
// leading below the one before; per character its font's advance (no pair kerning: the
// stories carry no kerning and the measurements must match plain advances), scaled
// horizontally, plus tracking between characters; baseline shift and vertical scale on the
// glyph; each line justified about the anchor and moved by the paragraph's indents (every
// line of a point text starts a paragraph: first-line indent and space before apply to
// each); everything under the frame matrix. A character the font lacks draws as the
// font's missing-glyph box; control characters other than 0x0D take no room.
#pragma once

#include <cstddef>
#include <vector>

#include "AITypes.h"
#include "text/FontRegistry.h"
#include "text/Story.h"

namespace standin::text {

struct PlacedGlyph {
    int32_t font = -1;       // registry index, -1 when no font exists
    char32_t ch = 0;
    size_t run = 0;          // index of the run the character came from
    double x = 0.0, y = 0.0; // pen position of the glyph's origin, frame coordinates
    double advance = 0.0;    // the glyph's advance, scaled
    double scaleX = 0.0, scaleY = 0.0;  // ems to frame units
};

struct LineLayout {
    double baseline = 0.0;  // y of the baseline, frame coordinates
    double left = 0.0;      // x where the line begins after justification and indents
    double width = 0.0;     // advances plus tracking between characters
    double leading = 0.0;
};

struct StoryLayout {
    std::vector<PlacedGlyph> glyphs;  // carriage returns are not glyphs
    std::vector<LineLayout> lines;    // at least one
};

// Horizontal offset of a line of width w from the anchor, by justification code.
double justificationOffset(int16_t justification, double width);

StoryLayout layoutStory(const Story& story, const FontRegistry& fonts);

// One closed cubic contour of a glyph, in document coordinates.
struct OutlineContour {
    std::vector<AIPathSegment> segments;
};
struct GlyphOutline {
    size_t run = 0;  // whose features paint it
    std::vector<OutlineContour> contours;
};

// The glyph outlines under the frame matrix, then under `extra` when given. Glyphs
// without ink (blanks) give no outline.
std::vector<GlyphOutline> outlineStory(const Story& story, const FontRegistry& fonts,
                                       const AIRealMatrix* extra = nullptr);

// Exact curve bounds of the outline; a story without ink gives the empty rectangle at
// its (transformed) anchor.
AIRealRect storyBounds(const Story& story, const FontRegistry& fonts, const AIRealMatrix* extra = nullptr);

// Exact bounds of closed cubic contours; false when there is none.
bool contourBounds(const std::vector<OutlineContour>& contours, AIRealRect& out);

}  // namespace standin::text
