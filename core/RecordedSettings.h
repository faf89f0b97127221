// The values a drawing records of its settings (DrawingSettings.h), as the plug-in holds them.
#pragma once

#include <cstdint>
#include <string>
#include <variant>
#include <vector>

#include "AITypes.h"

// One setting of those presets carry, as a record holds it.
struct RecordedSetting {
    enum class Type { kInteger, kBoolean, kReal, kString };
    const char* key = nullptr;  // the preference key text
    Type type = Type::kInteger;
    std::variant<int32_t, float, std::string> value;
    bool operator==(const RecordedSetting& other) const { return type == other.type && value == other.value; }
};

// One side of a record (the values set, or those before): what it holds that a setting can
// take, and what it holds that none can (named when the side is used).
struct RecordedSettings {
    std::vector<RecordedSetting> values;
    std::vector<std::string> unusable;
};

// The front drawing's record as last written or read: what an undo that takes it back puts
// back. Kept for the drawing it was read from alone.
struct DrawingSettingsSeen {
    AIDocumentHandle document = nullptr;
    int32_t serial = 0;  // 0: the drawing records none
    RecordedSettings was;
};
