// The user's actions on a dialog's items as the stand-in host takes them, for the host's
// own tests and the plug-in's alike.
#pragma once

#include <cstdint>
#include <string>
#include <utility>

#include "adm/DialogManager.h"

namespace useraction {

using standin::UserAction;

// Text typed into an item, ended by that key with those modifiers held.
inline UserAction Typed(int32_t item, std::string text, int32_t key = kADMTabKey, uint32_t modifiers = 0) {
    return {.kind = UserAction::Kind::SetText, .item = item, .text = std::move(text), .commitKey = key,
            .modifiers = modifiers};
}
// A slider or numeric item given a value.
inline UserAction Valued(int32_t item, float value) {
    return {.kind = UserAction::Kind::SetValue, .item = item, .value = value};
}
// An entry of a list or popup chosen (with Ctrl held: added to a list's selection).
inline UserAction Picked(int32_t item, int32_t entry, uint32_t modifiers = 0) {
    return {.kind = UserAction::Kind::Pick, .item = item, .entry = entry, .modifiers = modifiers};
}
// A press of an item, at a point of it (from its top-left corner; negative: its centre).
inline UserAction Pressed(int32_t item, uint32_t modifiers = 0, ADMPoint at = {-1, -1}) {
    return {.kind = UserAction::Kind::Press, .item = item, .modifiers = modifiers, .point = at};
}

}  // namespace useraction
