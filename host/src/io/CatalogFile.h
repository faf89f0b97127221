// The text of an attribute catalogue's file: its sketch (owner, description, version) and
// its collections in order, each key with its type and value, as JSON:
//   {"owner": "", "description": "", "version": 7,
//    "collections": [{"collectionName": {"string": "Mine"}, "isoViewT": {"real": 35.266666}}]}
// Reals are 32-bit floats written so they read back to the same bits. The reader takes a
// file whole or not at all: the first thing it cannot hold is refused with its place.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

namespace standin::io {

// One typed value; the texts are platform bytes.
using CatalogValue = std::variant<int32_t, float, bool, std::string>;

struct CatalogCollection {
    std::vector<std::pair<std::string, CatalogValue>> keys;  // in the order they were first set

    const CatalogValue* find(std::string_view key) const;
    void set(std::string_view key, CatalogValue value);
};

struct CatalogText {
    std::string owner, description;  // at most 255 bytes each
    int16_t version = 0;
    std::vector<CatalogCollection> collections;
};

// Throws FormatError naming what is wrong and where ("presets.collections[2].isoViewT: ...").
CatalogText readCatalogText(std::string_view text);
std::string writeCatalogText(const CatalogText& catalog);

}  // namespace standin::io
