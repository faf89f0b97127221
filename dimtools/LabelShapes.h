// The frame of a label round its text at the end of a leader, sized from the text as the
// font sets it, and the measurement of a label text.
#pragma once

#include <cstdint>

#include "AITypes.h"

// Frame shapes (the style's labelShape; the datum target's split circle is its own).
enum : int32_t {
    kNoFrame = 0,           // the text alone
    kBoxFrame = 1,
    kCircleFrame = 2,       // a capsule once stretched by 10 points or more
    kTriangleFrame = 3,     // equilateral, apex up, its near side through the leader's end
    kSplitCircleFrame = 4,  // a level dividing line with a text above and one below
    kRoundedBoxFrame = 5,
    kHexagonFrame = 6,      // level top and bottom edges
};

// The bounds of the label text as the current dimension text face and size set it (a
// second line after "\r", a tolerance after the plus-minus sign small and raised as the
// style asks), outlined at the origin: at most 511 characters are measured, and an empty
// text is measured as "-". The temporary text and its outline are removed whatever fails;
// on a failure bounds is the empty rectangle and the first error is returned.
AIErr GetLabelTextArtRect(const char* inText, AIRealRect* bounds);

// Draws a label's frame of shape labelShape and its text into group (null: above firstArt)
// at p, the leader's end, standing right of it (direction +1) or left (-1). The frame's half
// height r is the border working copy B plus half of labelBorder and the text's height
// (B grows, cut to a whole number, by the stretch S when stretchLabelShape is off; S is half
// the width by which the text is wider than 0.8 text sizes, else 0); a box, rounded box or
// hexagon is S wider either side, a circle becomes a capsule from S = 10. The frame touches
// p; a circle or split circle with option held and a straight leader (the split circle not
// under the pointer tool) is centred r from p along `angle` instead. theText2 is the split
// circle's second text, set below its dividing line and drawn first (text record id 1). A
// negative labelBorder is reset to 0 in the style; shapes outside 0-6 draw the text alone.
// The style is stored on the group. The first error of measuring, the frame, the dividing
// line or a text is returned; what was drawn stays.
AIErr drawShape(AIRealPoint p, int16_t direction, AIArtHandle group, int32_t labelShape, AIReal angle,
                const char* theText, const char* theText2);
