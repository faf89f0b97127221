// The stored layout of dimension data: the keys of the sub-dictionaries, the 82 entries of
// the style record (rows of the style-field table, core/PlotwiseStyleFields.h), the twelve
// entries of a click record and the six of a text record, each with its entry type, its
// field and what a reader takes when an older document lacks it. Keys are composed at run
// time from a prefix and a name, as documents expect, the keys of the tables' rows once.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "core/PlotwiseDimensionData.h"
#include "core/PlotwiseStyleFields.h"

// Names composed with a prefix into the keys of the sub-dictionaries.
inline constexpr const char kDimensionName[] = "Dimension";      // ZA3_Dimension
inline constexpr const char kObjectName[] = "Object";            // ZA3_Object
inline constexpr const char kObjDataName[] = "Obj_data_";        // ZA3_Obj_data_<id>
inline constexpr const char kClickDataName[] = "Click_data_";    // ZA3_Click_data_<n|drag>
// ZA3_Obj_drawnend: written only when set, so a record without it reads as it always did.
inline constexpr const char kEndAsDrawnName[] = "Obj_drawnend";
// ZA3_Obj_noface: likewise written only when set.
inline constexpr const char kFaceNotReadName[] = "Obj_noface";
inline constexpr const char kObjIdName[] = "Obj_id";             // ZA3_Obj_id
inline constexpr const char kDimTextName[] = "DimText";          // PW4_DimText
inline constexpr const char kAttrName[] = "Attr_";
inline constexpr const char kAttrIdName[] = "Attr_id";           // ZA3_Attr_id

// Every dimension id a tool gives is at least 1 (0 names no dimension): a style or click
// record storing a lower one is damaged.
inline constexpr int32_t kFirstDimensionId = 1;

// Prefix lengths of the keys the collectors recognise.
inline constexpr size_t kObjDataKeyLength = 13;    // "ZA3_Obj_data_"
inline constexpr size_t kClickDataKeyLength = 15;  // "ZA3_Click_data_"

// Keys fit comfortably: the longest is 42 characters.
inline constexpr size_t kKeyBufferSize = 256;
using KeyBuffer = char[kKeyBufferSize];

// Writes prefix + a + b into key (bounded, always terminated) and returns key.
const char* ComposeKey(KeyBuffer& key, const char* prefix, const char* a, const char* b = "");

// One entry of the "ZA3_Dimension" sub-dictionary: a row of the style-field table.
using StyleEntry = StyleField;

// The rows of the style-field table in write (and read) order: the 82 stored entries. A row
// without a prefix is not stored, and the style store passes over it.
std::span<const StyleEntry> StyleEntries();

// Composes the key of a style entry.
const char* StyleEntryKey(KeyBuffer& key, const StyleEntry& entry);
// The keys of the rows of the style, click and text tables (the rows the spans below hold),
// composed once for the session.
const char* StyleEntryKey(const StyleEntry& entry);

using ClickIntField = int32_t Plotwise3_dimensioned_object_data::*;
using ClickRealField = AIReal Plotwise3_dimensioned_object_data::*;

// One entry of a click dictionary; all are required when read.
struct ClickEntry {
    const char* name;  // the key is "ZA3_" + name
    DictEntryType type;
    ClickIntField intField;
    ClickRealField realField;
    // The values the field may hold: those the tools, the resize and the house store.
    double least, most;
};

// The twelve entries in write and read order.
std::span<const ClickEntry> ClickEntries();
const char* ClickEntryKey(const ClickEntry& entry);

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
const char* TextEntryKey(const TextEntry& entry);
std::span<const int> TextReadOrder();
