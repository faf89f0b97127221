// The tables of the stored click and text records: keys, entry types, fields, order and the
// defaults readers take for keys that older documents lack; the style entries are the rows
// of the style-field table.
#include "dimensions/DimensionKeys.h"

#include <algorithm>
#include <array>
#include <cstring>
#include <limits>
#include <string>
#include <vector>

namespace {

using T = DictEntryType;

using C = Plotwise3_dimensioned_object_data;

// Domains: ids a tool gives; click numbers from 1, a negative one for the drag (no click is
// numbered 0); anchor indices of the host's 16-bit counts, the piece that ends at anchor 0
// starting at -1, the last anchor (an anchor itself is never stored as -1); a kind (those
// of later subsystems among them, so the redraw judges it) and the click types the tools
// store; a parameter on its piece; places on the canvas (a fill click's fractions of its
// art's bounds among them), an offset no longer than two places of it lie apart, and an
// angle in radians or the marker of an axonometric axis (100 or -100).
constexpr double kIdMost = std::numeric_limits<int32_t>::max();
constexpr double kDragLeast = std::numeric_limits<int32_t>::min();
constexpr double kAnchorMost = std::numeric_limits<int16_t>::max();
constexpr double kPlaceMost = style_fields::kLengthMost;
constexpr double kOffsetMost = 2 * style_fields::kLengthMost;
constexpr double kAngleMost = 100;

const std::array<ClickEntry, 12> kClickEntries = {{
    {"Obj_id", T::kInteger, &C::id, nullptr, kFirstDimensionId, kIdMost},
    {"Obj_used", T::kBoolean, &C::used, nullptr, 0, 1},
    {"Obj_clicknum", T::kInteger, &C::clickNum, nullptr, kDragLeast, kIdMost},
    {"Obj_segnumbefore", T::kInteger, &C::segNumBefore, nullptr, -1, kAnchorMost},
    {"Obj_segnumafter", T::kInteger, &C::segNumAfter, nullptr, 0, kAnchorMost},
    {"Obj_dimtype", T::kInteger, &C::dimType, nullptr, kHorizontal, kIdMost},
    {"Obj_clicktype", T::kInteger, &C::clickType, nullptr, kLiveDimClickedSegmentPoint, kLiveDimClickedFill},
    {"Obj_t", T::kReal, nullptr, &C::t, 0, 1},
    {"Obj_x", T::kReal, nullptr, &C::x, -kPlaceMost, kPlaceMost},
    {"Obj_y", T::kReal, nullptr, &C::y, -kPlaceMost, kPlaceMost},
    {"Obj_length", T::kReal, nullptr, &C::endPointOffsetLength, -kOffsetMost, kOffsetMost},
    {"Obj_angle", T::kReal, nullptr, &C::endPointOffsetAngle, -kAngleMost, kAngleMost},
}};

using X = live_dimension_text_data;

// The misspelt "Dimemsion" is part of the stored format.
const std::array<TextEntry, 6> kTextEntries = {{
    {"variableDimStrID", T::kInteger, &X::id, nullptr, 0},
    {"variableDimStrAlphaInc", T::kInteger, &X::alpha, nullptr, -1},
    {"variableDimStrNumericInc", T::kInteger, &X::numeric, nullptr, -1},
    {"customDimemsionStr", T::kString, nullptr, &X::customStr, 0},
    {"variableDimemsionStr", T::kString, nullptr, &X::dimStr, 0},
    {"calloutStr", T::kString, nullptr, &X::calloutStr, 0},
}};

// The reader takes the variable text before the custom text.
const std::array<int, 6> kTextReadOrder = {0, 1, 2, 4, 3, 5};

// Every key of a table's rows, composed once: the records are read and written for every
// dimension, and composing their keys each time cost more than the rest of the work.
template <class Row, class Compose>
std::vector<std::string> ComposeAll(std::span<const Row> rows, Compose compose) {
    std::vector<std::string> keys;
    keys.reserve(rows.size());
    KeyBuffer key;
    for (const Row& row : rows) keys.emplace_back(compose(key, row));
    return keys;
}

template <class Row>
const char* KeyOfRow(const std::vector<std::string>& keys, std::span<const Row> rows, const Row& row) {
    return keys[static_cast<size_t>(&row - rows.data())].c_str();
}

}  // namespace

const char* ComposeKey(KeyBuffer& key, const char* prefix, const char* a, const char* b) {
    size_t used = 0;
    for (const char* part : {prefix, a, b}) {
        const size_t length = std::min(std::strlen(part), sizeof key - 1 - used);
        std::memcpy(key + used, part, length);
        used += length;
    }
    key[used] = '\0';
    return key;
}

std::span<const StyleEntry> StyleEntries() { return StyleFields(); }

const char* StyleEntryKey(KeyBuffer& key, const StyleEntry& entry) {
    return ComposeKey(key, entry.prefix ? entry.prefix : "", kAttrName, entry.field);
}

const char* StyleEntryKey(const StyleEntry& entry) {
    static const std::vector<std::string> keys =
        ComposeAll(StyleEntries(), [](KeyBuffer& key, const StyleEntry& e) { return StyleEntryKey(key, e); });
    return KeyOfRow(keys, StyleEntries(), entry);
}

const char* ClickEntryKey(const ClickEntry& entry) {
    static const std::vector<std::string> keys = ComposeAll(
        ClickEntries(), [](KeyBuffer& key, const ClickEntry& e) { return ComposeKey(key, kZA3Prefix, e.name); });
    return KeyOfRow(keys, ClickEntries(), entry);
}

const char* TextEntryKey(const TextEntry& entry) {
    static const std::vector<std::string> keys = ComposeAll(TextEntries(), [](KeyBuffer& key, const TextEntry& e) {
        return ComposeKey(key, kPW4Prefix, kAttrName, e.name);
    });
    return KeyOfRow(keys, TextEntries(), entry);
}

std::span<const ClickEntry> ClickEntries() { return kClickEntries; }

std::span<const TextEntry> TextEntries() { return kTextEntries; }

std::span<const int> TextReadOrder() { return kTextReadOrder; }
