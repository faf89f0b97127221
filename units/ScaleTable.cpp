// The scale table and the update of the current scale from its id.
#include "units/ScaleTable.h"

#include <cstdio>
#include <cstring>

#include "core/PlotwiseSuites.h"
#include "units/UnitsGlobals.h"

namespace {

constexpr GlobalsView<UnitsGlobals> g;

constexpr float kFixedScalers[kScaleCount] = {
    // 0-9 custom, 10 separator
    0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0,
    // 11-22 architectural
    192, 128, 96, 64, 48, 32, 24, 16, 12, 8, 4, 1,
    // 23 separator
    0,
    // 24-39 ratios
    100, 50, 25, 20, 10, 5, 4, 3, 2, 1, 0.5f, 1.0f / 3.0f, 0.25f, 0.2f, 0.1f, 0.01f};

void copyBounded(char* out, std::size_t size, const char* text) {
    if (size == 0) return;
    std::snprintf(out, size, "%s", text);
}

}  // namespace

CustomScaleSlot customSlot(preferences& p, int32_t slot) {
    switch (slot) {
        case 1: return {&p.customScaler1, p.customScaleStr1};
        case 2: return {&p.customScaler2, p.customScaleStr2};
        case 3: return {&p.customScaler3, p.customScaleStr3};
        case 4: return {&p.customScaler4, p.customScaleStr4};
        case 5: return {&p.customScaler5, p.customScaleStr5};
        case 6: return {&p.customScaler6, p.customScaleStr6};
        case 7: return {&p.customScaler7, p.customScaleStr7};
        case 8: return {&p.customScaler8, p.customScaleStr8};
        case 9: return {&p.customScaler9, p.customScaleStr9};
        default: return {&p.customScaler10, p.customScaleStr10};
    }
}

bool getScaleTableEntry(int32_t id, ScaleTableEntry* entry) {
    if (entry == nullptr || id < 0 || id >= kScaleCount) return false;
    if (id <= 9) {
        *entry = {ScaleTableEntry::Kind::custom, 0.0f, id + 1};
    } else if (id == 10 || id == 23) {
        *entry = {ScaleTableEntry::Kind::separator, 0.0f, 0};
    } else {
        *entry = {ScaleTableEntry::Kind::fixed, kFixedScalers[id], 0};
    }
    return true;
}

bool getScaleTableLabel(int32_t id, char* out, std::size_t size) {
    ScaleTableEntry entry;
    if (out == nullptr || size == 0 || !getScaleTableEntry(id, &entry) || entry.kind != ScaleTableEntry::Kind::fixed) {
        return false;
    }
    out[0] = '\0';
    if (sADMBasic != nullptr && sADMBasic->GetIndexString != nullptr) {
        const int32_t bufferSize = size > 256 ? 256 : static_cast<int32_t>(size);
        if (sADMBasic->GetIndexString(g != nullptr ? g->thisPlugin : nullptr, kScaleNameList, id + 1, out, bufferSize) ==
                kNoErr &&
            out[0] != '\0') {
            out[size - 1] = '\0';
            return true;
        }
    }
    formatScaleRatio(entry.scaler, out, size);
    return true;
}

void formatScaleRatio(float scaler, char* out, std::size_t size) {
    if (out == nullptr || size == 0) return;
    char ratio[32];
    if (scaler >= 1.0f) {
        std::snprintf(ratio, sizeof ratio, "1:%g", static_cast<double>(scaler));
    } else {
        std::snprintf(ratio, sizeof ratio, "%g:1", 1.0 / static_cast<double>(scaler));
    }
    copyBounded(out, size, ratio);
}

AIErr getScaleDataFromScaleID(int32_t id, AIReal* scaler, char* label) {
    ScaleTableEntry entry;
    if (g == nullptr || scaler == nullptr || label == nullptr || !getScaleTableEntry(id, &entry)) return kNoErr;
    switch (entry.kind) {
        case ScaleTableEntry::Kind::separator:
            break;
        case ScaleTableEntry::Kind::custom: {
            const CustomScaleSlot slot = customSlot(g->prefs, entry.slot);
            *scaler = *slot.scaler;
            // The stored label may lack its terminator: copy at most its field.
            const std::size_t len = strnlen(slot.label, sizeof g->prefs.customScaleStr1 - 1);
            std::memcpy(label, slot.label, len);
            label[len] = '\0';
            break;
        }
        case ScaleTableEntry::Kind::fixed:
            *scaler = entry.scaler;
            getScaleTableLabel(id, label, sizeof g->prefs.scaleStr);
            break;
    }
    return kNoErr;
}

AIErr UpdateScaler() {
    if (g == nullptr) return kNoErr;
    preferences& p = g->prefs;
    return getScaleDataFromScaleID(p.scale, &p.scaler, p.scaleStr);
}
