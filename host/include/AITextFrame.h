// The text frame suite: point-text art (art type kTextFrameArt), its text range, its frame
// matrix and its outlines.
#pragma once

#include "AITypes.h"
#include "ATESuite.h"

#define kAITextFrameSuite "AI Text Frame Suite"
#define kAITextFrameSuiteVersion 1

enum AITextOrientation : ai_int16 { kHorizontalTextOrientation = 0, kVerticalTextOrientation = 1 };

// The alignment of a line of text as the older text interface numbers it: 0 and 1 left,
// 2 centre, 3 right, 4 justified with the last line left, 5 justified throughout.
typedef ai_int16 AILineStyle;

struct AITextFrameSuite {
    // A new, empty point text placed like NewArt (paint order and prep); its frame matrix
    // is the translation to `anchor`. Only horizontal orientation is supported.
    AIErr (*NewPointText)(ai_int16 paintOrder, AIArtHandle prep, ai_int16 orientation, AIRealPoint anchor,
                          AIArtHandle* textFrame);
    // The whole text as a range, with one reference for the caller (wrap it in ATE::ITextRange).
    AIErr (*GetATETextRange)(AIArtHandle textFrame, ATE::TextRangeRef* range);
    // A new group of closed glyph paths placed directly above the text, in the same
    // container; the text stays. A text without ink gives an empty group.
    AIErr (*CreateOutline)(AIArtHandle textFrame, AIArtHandle* outline);
    // Art that is not a text frame gives kWrongTypeErr; disposed art kStaleHandleErr.
    // Translation = the anchor; rotation, scale and shear from transforms applied since.
    AIErr (*GetTextFrameMatrix)(AIArtHandle textFrame, AIRealMatrix* matrix);
};
