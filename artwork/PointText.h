// A one-line point text as the tools and the guides draw it: made on top inside a group at
// its anchor, its font and size set before its text goes in, justified when asked.
#pragma once

#include <optional>
#include <string>

#include "AITypes.h"
#include "ATESuite.h"

struct PointTextLook {
    ATE::FontRef font = nullptr;  // null: the host's default face
    AIReal size = 0;
    std::optional<ATE::ParagraphJustification> justification;  // none: left as the host has it
};

// Makes nothing for an empty text. `frame`, when given, takes the new text art.
AIErr NewPointTextArt(AIArtHandle group, const std::string& text, AIRealPoint at, const PointTextLook& look,
                      AIArtHandle* frame = nullptr);
// Gives the whole text of a text art that font (null: left as it is) and size.
AIErr SetTextFontSize(AIArtHandle frame, ATE::FontRef font, AIReal size);
