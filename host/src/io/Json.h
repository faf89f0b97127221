// The JSON layer under document files: a JSON type whose reals are 32-bit floats (written in
// the shortest form that reads back to the same bits, read with correct rounding), a parser
// that refuses deep nesting and duplicate keys, and a cursor that reads typed fields and
// names the place of any problem ("layers[0].group.children[3].segments: ...").
#pragma once

#include <cstdint>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

namespace standin::io {

using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, float>;

// What is wrong with a file, with where.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Nesting deeper than this is refused before anything is built from it.
constexpr int kMaxJsonDepth = 256;

Json parseJson(std::string_view text, int maxDepth = kMaxJsonDepth);

// Non-finite reals are written as the strings "nan", "inf" and "-inf" (JSON has no number
// for them) so that whatever the model holds survives a save.
Json realToJson(float value);

class Cursor {
public:
    explicit Cursor(const Json& json, std::string path = "document") : json_(&json), path_(std::move(path)) {}

    const std::string& where() const { return path_; }
    [[noreturn]] void fail(const std::string& problem) const;

    bool isObject() const { return json_->is_object(); }
    bool isArray() const { return json_->is_array(); }
    bool has(std::string_view key) const;
    // A field of an object; fails when this is not an object or the field is missing.
    Cursor at(std::string_view key) const;
    // An element of an array.
    Cursor at(size_t index) const;
    // Length of an array; fails when this is not an array.
    size_t size() const;
    // Every key of an object, in file order.
    std::vector<std::string> keys() const;
    const Json& json() const { return *json_; }

    float real() const;
    int64_t integer(int64_t min, int64_t max) const;
    bool boolean() const;
    const std::string& utf8() const;
    // A string converted to platform bytes.
    std::string platform() const;

    // Optional fields: the default when absent, otherwise read as above.
    float real(std::string_view key, float fallback) const { return has(key) ? at(key).real() : fallback; }
    bool boolean(std::string_view key, bool fallback) const { return has(key) ? at(key).boolean() : fallback; }

private:
    const Json* json_;
    std::string path_;
};

}  // namespace standin::io
