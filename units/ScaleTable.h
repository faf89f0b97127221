// The table of drawing scales: ten custom slots, two separators, twelve architectural and
// sixteen ratio scales, addressed by scale id 0-39; and `UpdateScaler`, which makes the
// current scale id's scaler and label current. Labels of the fixed scales are the
// strings of list 17700 (string id + 1).
#pragma once

#include <cstddef>
#include <cstdint>

#include "AITypes.h"

constexpr int32_t kScaleNameList = 17700;
constexpr int32_t kScaleCount = 40;
constexpr int32_t kOneToOneScaleID = 33;

struct ScaleTableEntry {
    enum class Kind { custom, separator, fixed };
    Kind kind = Kind::separator;
    float scaler = 0.0f;  // fixed scales only
    int32_t slot = 0;     // custom scales: 1-10
};

constexpr int32_t kCustomScaleSlots = 10;  // slot n is scale id n - 1

struct preferences;
// A custom slot of the preferences: its scaler (0.0 marks a free slot) and its 32-byte
// label. `slot` is 1-10; anything above 10 gives slot 10.
struct CustomScaleSlot {
    float* scaler;
    char* label;
};
CustomScaleSlot customSlot(preferences& prefs, int32_t slot);

// False for ids outside 0-39.
bool getScaleTableEntry(int32_t id, ScaleTableEntry* entry);

// The label of a fixed scale id (string id + 1 of list 17700), bounded and terminated. When
// the list cannot be read, the ratio is written instead ("1:48"), so a label never goes
// blank. False for ids that are not fixed scales.
bool getScaleTableLabel(int32_t id, char* out, std::size_t size);
// A scaler as a ratio, "1:48" or "4:1" (six significant digits), bounded and terminated.
void formatScaleRatio(float scaler, char* out, std::size_t size);

// The scaler and label (at least 32 bytes) of a scale id, looked up without touching the
// current scale: a custom id gives its slot as stored (an empty slot scaler 0 and an empty
// label), a fixed id the table's scaler and label; separators and unknown ids leave the
// outputs as they were. Always 0.
AIErr getScaleDataFromScaleID(int32_t id, AIReal* scaler, char* label);

// Sets `prefs.scaler` and `prefs.scaleStr` from `prefs.scale`: a custom id copies its slot
// as stored, a fixed id takes the table; separators and unknown ids change nothing.
AIErr UpdateScaler();
