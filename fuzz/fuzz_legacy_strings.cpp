// Feeds arbitrary text to the readers of format-2 dimension tags: they must never read or
// write out of bounds, and every text field they fill must stay terminated.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>

#include "dimensions/LegacyDimensionStrings.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string text(reinterpret_cast<const char*>(data), size);
    const char* s = text.c_str();

    dimensioned_object_data click{};
    ConvertStringToDimensionedObjectData(s, &click);
    live_dimension_group_data style{};
    ConvertStringToLiveDimensionGroupData(s, &style);

    live_dimension_custom_color_data color{};
    ConvertStringToLiveDimensionCustomColorData(s, &color);
    if (std::memchr(color.name, 0, sizeof color.name) == nullptr) __builtin_trap();
    live_dimension_face_data face{};
    ConvertStringToLiveDimensionFaceData(s, &face);
    if (std::memchr(face.dimensionTextFaceStr, 0, sizeof face.dimensionTextFaceStr) == nullptr) __builtin_trap();
    live_dimension_label_data label{};
    ConvertStringToLiveDimensionLabelData(s, &label);
    if (std::memchr(label.dimensionLabelStr, 0, sizeof label.dimensionLabelStr) == nullptr) __builtin_trap();

    LegacyFieldScanner scan(std::string_view(text.data(), text.size()));
    int32_t i = 0;
    double d = 0;
    char word[4];
    while (!scan.AtEnd()) {
        if (!scan.ReadInteger(i) && !scan.ReadReal(d) && !scan.ReadWord(word, sizeof word) && !scan.Expect('^')) break;
    }
    return 0;
}
