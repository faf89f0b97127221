// Reading and writing the text of a catalogue file: each typed value, each collection in
// order, and the sketch around them.
#include "io/CatalogFile.h"

#include <climits>

#include "io/DocumentText.h"
#include "io/Json.h"
#include "io/MemoryReserve.h"

namespace standin::io {

namespace {

// The type tags of a value, in the order of CatalogValue's alternatives.
constexpr const char* kTypeNames[] = {"integer", "real", "boolean", "string"};

std::string boundedText(const Cursor& c, size_t most) {
    std::string bytes = c.platform();
    if (bytes.size() > most) c.fail("a text of " + std::to_string(bytes.size()) + " bytes; at most " + std::to_string(most) + " fit");
    return bytes;
}

CatalogValue readValue(const Cursor& c) {
    if (!c.isObject() || c.json().size() != 1)
        c.fail("expected one typed value, such as {\"integer\": 5}");
    const std::string& type = c.json().begin().key();
    const Cursor v = c.at(type);
    if (type == kTypeNames[0]) return static_cast<int32_t>(v.integer(INT32_MIN, INT32_MAX));
    if (type == kTypeNames[1]) return v.real();
    if (type == kTypeNames[2]) return v.boolean();
    if (type == kTypeNames[3]) return boundedText(v, kMaxCatalogTextBytes);
    c.fail("\"" + type + "\" is no type of value (integer, real, boolean or string)");
}

CatalogCollection readCollection(const Cursor& c) {
    CatalogCollection collection;
    c.forEachMember([&](const std::string& keyText, const Cursor& value) {
        std::string key;
        if (auto problem = utf8ToPlatform(keyText, key)) value.fail("the key " + *problem);
        if (key.empty() || key.size() > kMaxCatalogKeyBytes)
            value.fail("a key must have 1 to " + std::to_string(kMaxCatalogKeyBytes) + " bytes");
        collection.keys.emplace_back(std::move(key), readValue(value));
    });
    return collection;
}

}  // namespace

const CatalogValue* CatalogCollection::find(std::string_view key) const {
    for (const auto& [k, v] : keys)
        if (k == key) return &v;
    return nullptr;
}

void CatalogCollection::set(std::string_view key, CatalogValue value) {
    for (auto& [k, v] : keys)
        if (k == key) {
            v = std::move(value);
            return;
        }
    keys.emplace_back(std::string(key), std::move(value));
}

CatalogText readCatalogText(std::string_view text) {
    const Tree<Json> json = parseJson<Json>(text, kCatalogJson);
    const Cursor root(*json, std::string(kCatalogJson.root));
    root.forEachMember([&](const std::string& key, const Cursor& member) {
        if (key != "owner" && key != "description" && key != "version" && key != "collections")
            member.fail("is no part of a presets file");
    });
    CatalogText catalog;
    catalog.owner = boundedText(root.at("owner"), 255);
    catalog.description = boundedText(root.at("description"), 255);
    catalog.version = static_cast<int16_t>(root.at("version").integer(INT16_MIN, INT16_MAX));
    const Cursor collections = root.at("collections");
    const size_t n = collections.size();
    catalog.collections.reserve(n);
    for (size_t i = 0; i < n; ++i) catalog.collections.push_back(readCollection(collections.at(i)));
    return catalog;
}

std::string writeCatalogText(const CatalogText& catalog) {
    const MemoryReserve reserve;  // the writer's trees allocate where a failure could not be met
    // One key to a line, so a file a user opens reads as a list of settings.
    Json head = Json::object();
    head["owner"] = platformToUtf8(catalog.owner);
    head["description"] = platformToUtf8(catalog.description);
    head["version"] = catalog.version;
    std::string out = "{\n";
    for (auto it = head.begin(); it != head.end(); ++it) out += " " + Json(it.key()).dump() + ": " + it.value().dump() + ",\n";
    out += " \"collections\": [";
    for (size_t c = 0; c < catalog.collections.size(); ++c) {
        out += c ? ",\n  {" : "\n  {";
        const auto& keys = catalog.collections[c].keys;
        for (size_t k = 0; k < keys.size(); ++k) {
            const auto& [key, value] = keys[k];
            Json typed = Json::object();
            const char* type = kTypeNames[value.index()];
            std::visit(
                [&](const auto& v) {
                    using T = std::decay_t<decltype(v)>;
                    if constexpr (std::is_same_v<T, float>)
                        typed[type] = realToJson(v);
                    else if constexpr (std::is_same_v<T, std::string>)
                        typed[type] = platformToUtf8(v);
                    else
                        typed[type] = v;
                },
                value);
            out += (k ? ",\n   " : "\n   ") + Json(platformToUtf8(key)).dump() + ": " + typed.dump();
        }
        out += "\n  }";
    }
    out += catalog.collections.empty() ? "]\n}\n" : "\n ]\n}\n";
    return out;
}

}  // namespace standin::io
