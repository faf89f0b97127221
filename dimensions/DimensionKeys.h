// The stored layout of dimension data: the format-version prefixes, the 82 entries of the
// style record, the twelve entries of a click record and the six of a text record, each
// with its entry type, its field and what a reader takes when an older document lacks it.
// Keys are composed at run time from a prefix and a name, as documents expect.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/PlotwiseDimensionData.h"

// Prefixes naming the format version that introduced a key.
inline constexpr const char kZA3Prefix[] = "ZA3_";
inline constexpr const char kPW4Prefix[] = "PW4_";
inline constexpr const char kPW5Prefix[] = "PW5_";
inline constexpr const char kPW7Prefix[] = "PW7_";

// Names composed with a prefix into the keys of the sub-dictionaries.
inline constexpr const char kDimensionName[] = "Dimension";      // ZA3_Dimension
inline constexpr const char kObjectName[] = "Object";            // ZA3_Object
inline constexpr const char kObjDataName[] = "Obj_data_";        // ZA3_Obj_data_<id>
inline constexpr const char kClickDataName[] = "Click_data_";    // ZA3_Click_data_<n|drag>
inline constexpr const char kObjIdName[] = "Obj_id";             // ZA3_Obj_id
inline constexpr const char kDimTextName[] = "DimText";          // PW4_DimText
inline constexpr const char kAttrName[] = "Attr_";
inline constexpr const char kAttrIdName[] = "Attr_id";           // ZA3_Attr_id

// Prefix lengths of the keys the collectors recognise.
inline constexpr size_t kObjDataKeyLength = 13;    // "ZA3_Obj_data_"
inline constexpr size_t kClickDataKeyLength = 15;  // "ZA3_Click_data_"

// Keys fit comfortably: the longest is 42 characters.
inline constexpr size_t kKeyBufferSize = 256;
using KeyBuffer = char[kKeyBufferSize];

// Writes prefix + a + b into key (bounded, always terminated) and returns key.
const char* ComposeKey(KeyBuffer& key, const char* prefix, const char* a, const char* b = "");

enum class DictEntryType { kInteger, kReal, kBoolean, kString };

// What a reader does when the key is missing.
enum class WhenAbsent {
    kError,         // the record is damaged: stop with the host's error
    kConstant,      // take the constant default
    kCurrentStyle,  // take the same field of the current style
};

using StyleIntField = int32_t Plotwise3_Live_Dimension_Data::*;
using StyleRealField = AIReal Plotwise3_Live_Dimension_Data::*;
using StyleStringField = char (Plotwise3_Live_Dimension_Data::*)[256];

// One entry of the "ZA3_Dimension" sub-dictionary. Booleans are held in int32 fields.
struct StyleEntry {
    const char* prefix;
    const char* field;  // the key is prefix + "Attr_" + field
    DictEntryType type;
    StyleIntField intField;
    StyleRealField realField;
    StyleStringField stringField;
    bool governedByStringsFlag;  // written only when the strings flag asks for it
    WhenAbsent whenAbsent;
    int32_t intDefault;
    AIReal realDefault;
};

// The 82 entries in write (and read) order.
std::span<const StyleEntry> StyleEntries();

// Composes the key of a style entry.
const char* StyleEntryKey(KeyBuffer& key, const StyleEntry& entry);

using ClickIntField = int32_t Plotwise3_dimensioned_object_data::*;
using ClickRealField = AIReal Plotwise3_dimensioned_object_data::*;

// One entry of a click dictionary; all are required when read.
struct ClickEntry {
    const char* name;  // the key is "ZA3_" + name
    DictEntryType type;
    ClickIntField intField;
    ClickRealField realField;
};

// The twelve entries in write and read order.
std::span<const ClickEntry> ClickEntries();

using TextIntField = int32_t live_dimension_text_data::*;
using TextStringField = char (live_dimension_text_data::*)[1024];

// One entry of the "PW4_DimText" sub-dictionary.
struct TextEntry {
    const char* name;  // the key is "PW4_Attr_" + name
    DictEntryType type;
    TextIntField intField;
    TextStringField stringField;
    int32_t intDefault;  // strings default to the empty text
};

// The six entries in write order, and the order in which the reader visits them.
std::span<const TextEntry> TextEntries();
std::span<const int> TextReadOrder();
