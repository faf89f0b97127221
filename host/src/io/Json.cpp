// Parsing with limits, and the typed reads of the cursor.
#include "Json.h"

#include <cmath>
#include <set>
#include <vector>

#include "io/DocumentText.h"

namespace standin::io {

namespace {

const char* jsonTypeName(const Json& j) {
    switch (j.type()) {
        case Json::value_t::null: return "null";
        case Json::value_t::object: return "an object";
        case Json::value_t::array: return "an array";
        case Json::value_t::string: return "a string";
        case Json::value_t::boolean: return "true or false";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float: return "a number";
        default: return "something else";
    }
}

}  // namespace

Json parseJson(std::string_view text, int maxDepth) {
    // The parser walks iteratively; the callback stops it at the first object or array
    // deeper than the limit and at the first repeated key, so nothing deep is ever built.
    std::vector<std::set<std::string>> keysOfOpenObjects;
    const auto check = [&](int depth, nlohmann::detail::parse_event_t event, Json& parsed) {
        using E = nlohmann::detail::parse_event_t;
        switch (event) {
            case E::object_start:
            case E::array_start:
                if (depth >= maxDepth)
                    throw FormatError("nesting deeper than " + std::to_string(maxDepth) + " levels");
                if (event == E::object_start) keysOfOpenObjects.emplace_back();
                break;
            case E::object_end:
                if (!keysOfOpenObjects.empty()) keysOfOpenObjects.pop_back();
                break;
            case E::key:
                if (keysOfOpenObjects.empty()) break;
                if (!keysOfOpenObjects.back().insert(parsed.get_ref<const std::string&>()).second)
                    throw FormatError("the key \"" + parsed.get_ref<const std::string&>() +
                                      "\" appears twice in one object");
                if (keysOfOpenObjects.back().size() > kMaxObjectMembers)
                    throw FormatError("an object has more than " + std::to_string(kMaxObjectMembers) + " members");
                break;
            default: break;
        }
        return true;
    };
    try {
        return Json::parse(text.begin(), text.end(), check);
    } catch (const Json::parse_error& e) {
        // "[json.exception.parse_error.101] parse error at line 1, column 5: ..." -> the part after the tag.
        std::string what = e.what();
        const auto close = what.find("] ");
        throw FormatError("not valid JSON: " + (close == std::string::npos ? what : what.substr(close + 2)));
    } catch (const Json::out_of_range& e) {
        std::string what = e.what();
        const auto close = what.find("] ");
        throw FormatError(close == std::string::npos ? what : what.substr(close + 2));
    }
}

Json realToJson(float value) {
    if (std::isnan(value)) return "nan";
    if (std::isinf(value)) return value > 0 ? "inf" : "-inf";
    return value;
}

void Cursor::fail(const std::string& problem) const { throw FormatError(path_ + ": " + problem); }

bool Cursor::has(std::string_view key) const {
    return json_->is_object() && json_->find(std::string(key)) != json_->end();
}

Cursor Cursor::at(std::string_view key) const {
    if (!json_->is_object()) fail(std::string("expected an object, found ") + typeName());
    const auto it = json_->find(std::string(key));
    if (it == json_->end()) fail("missing \"" + std::string(key) + "\"");
    return Cursor(*it, path_ + "." + std::string(key));
}

Cursor Cursor::at(size_t index) const {
    if (!json_->is_array()) fail(std::string("expected an array, found ") + typeName());
    if (index >= json_->size()) fail("has no element " + std::to_string(index));
    return Cursor((*json_)[index], path_ + "[" + std::to_string(index) + "]");
}

size_t Cursor::size() const {
    if (!json_->is_array()) fail(std::string("expected an array, found ") + typeName());
    return json_->size();
}

const char* Cursor::typeName() const { return jsonTypeName(*json_); }

float Cursor::real() const {
    switch (json_->type()) {
        case Json::value_t::number_float: return json_->get<float>();
        case Json::value_t::number_integer: return static_cast<float>(json_->get<int64_t>());
        case Json::value_t::number_unsigned: return static_cast<float>(json_->get<uint64_t>());
        case Json::value_t::string: {
            const auto& s = json_->get_ref<const std::string&>();
            if (s == "nan") return NAN;
            if (s == "inf") return INFINITY;
            if (s == "-inf") return -INFINITY;
            break;
        }
        default: break;
    }
    fail(std::string("expected a number, found ") + typeName());
}

int64_t Cursor::integer(int64_t min, int64_t max) const {
    int64_t value = 0;
    if (json_->is_number_integer() && !json_->is_number_unsigned()) {
        value = json_->get<int64_t>();
    } else if (json_->is_number_unsigned()) {
        const auto u = json_->get<uint64_t>();
        if (u > static_cast<uint64_t>(max)) fail("the number " + std::to_string(u) + " is out of range");
        value = static_cast<int64_t>(u);
    } else {
        fail(std::string("expected a whole number, found ") + typeName());
    }
    if (value < min || value > max)
        fail("the number " + std::to_string(value) + " is outside " + std::to_string(min) + " to " +
             std::to_string(max));
    return value;
}

bool Cursor::boolean() const {
    if (!json_->is_boolean()) fail(std::string("expected true or false, found ") + typeName());
    return json_->get<bool>();
}

const std::string& Cursor::utf8() const {
    if (!json_->is_string()) fail(std::string("expected a string, found ") + typeName());
    return json_->get_ref<const std::string&>();
}

std::string Cursor::platform() const {
    std::string bytes;
    if (auto problem = utf8ToPlatform(utf8(), bytes)) fail("the text " + *problem);
    return bytes;
}

}  // namespace standin::io
