// Translation of the host's event modifier word into the style's modifier bits.
#include "CADModifierKeys.h"

#include "PlotwiseGlobals.h"

void getCADModifierKeys(unsigned short modifiers) {
    if (!g) return;
    int32_t bits = 0;
    if (modifiers & 0x200) bits |= kCADShiftModifier;
    if (modifiers & 0x800) bits |= kCADOptionModifier;
    if (modifiers & 0x100) bits |= kCADCommandModifier;
    g->prefs.style.modifiers = bits;
}
