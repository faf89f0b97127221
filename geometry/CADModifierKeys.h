// The modifier keys of a tool event, as the style record's modifier bits.
#pragma once

#include <cstdint>

// Style modifier bits.
enum : int32_t {
    kCADShiftModifier = 1,
    kCADOptionModifier = 2,
    kCADCommandModifier = 4 | 8,
};

// Sets preferences.style.modifiers from the event's modifier word: shift (0x200) gives 1,
// option (0x800) gives 2, command (0x100) gives 8 and 4; other bits are ignored.
void getCADModifierKeys(unsigned short modifiers);
