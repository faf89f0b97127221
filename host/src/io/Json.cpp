// Parsing with limits, and the typed reads of the cursor.
#include "Json.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <memory>
#include <type_traits>
#include <unordered_set>
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
        case Json::value_t::number_float:
        case Json::value_t::binary: return "a number";
        default: return "something else";
    }
}

// Builds the tree from the parser's events with an explicit stack of the open containers,
// checking each limit as the event arrives. (nlohmann's callback parser scans the parent
// container for discarded values each time an object closes, which makes reading quadratic
// in the number of objects; building here avoids that and any recursion.) Elements of the
// lists a JsonLists names are built apart and handed over instead (documents only).
template <class J>
class LimitedBuilder {
public:
    using number_integer_t = typename J::number_integer_t;
    using number_unsigned_t = typename J::number_unsigned_t;
    using number_float_t = typename J::number_float_t;
    using string_t = typename J::string_t;
    using binary_t = typename J::binary_t;
    using object_t = typename J::object_t;

    LimitedBuilder(J& root, const JsonLimits& limits, JsonLists* lists = nullptr)
        : root_(root), limits_(limits), lists_(lists) {}

    bool null() { return put(J(nullptr)); }
    bool boolean(bool value) { return put(J(value)); }
    bool number_integer(number_integer_t value) { return put(J(value)); }
    bool number_unsigned(number_unsigned_t value) { return put(J(value)); }
    bool number_float(number_float_t value, const string_t& token) {
        if constexpr (kLists) {
            // A whole number past 64 bits keeps its digits (see Json.h).
            if (token.find_first_of(".eE") == string_t::npos)
                return put(J::binary(typename J::binary_t::container_type(token.begin(), token.end())));
            if (value == 0 && lists_) {
                const string_t mantissa = token.substr(0, token.find_first_of("eE"));
                if (mantissa.find_first_of("123456789") != string_t::npos)
                    lists_->changed(next(), "the number " + token +
                                                " is too small for a 32-bit real; it is read, and will be saved, as 0");
            }
        }
        return put(J(value));
    }
    bool string(string_t& value) { return put(J(std::move(value))); }
    [[noreturn]] bool binary(binary_t&) { fail("binary data has no place in a JSON text"); }

    bool start_object(std::size_t) { return open(J::value_t::object); }
    bool start_array(std::size_t) { return open(J::value_t::array); }
    bool end_object() { return close(); }
    bool end_array() { return close(); }

    bool key(string_t& key) {
        Frame& top = open_.back();
        if (top.count == limits_.maxMembers)
            fail("an object has more than " + std::to_string(limits_.maxMembers) + " members");
        if (holds(top, key)) fail("the key \"" + key + "\" appears twice in one object");
        if (top.skipped) {
            key_.assign(key);  // the parser's buffer and this one keep their room
        } else {
            key_ = std::move(key);
        }
        return true;
    }

    bool parse_error(std::size_t, const std::string& token, const nlohmann::detail::exception& e) {
        // A number too large for its type is refused where it stands.
        if (dynamic_cast<const typename J::out_of_range*>(&e)) fail(next(), "the number " + token + " is too large");
        // "[json.exception.parse_error.101] parse error at line 1, column 5: ..." -> the part after the tag.
        const std::string what = e.what();
        const auto close = what.find("] ");
        const std::string text = close == std::string::npos ? what : what.substr(close + 2);
        const bool syntax = dynamic_cast<const typename J::parse_error*>(&e) != nullptr;
        throw FormatError(syntax ? "not valid JSON: " + text : text);
    }

    [[noreturn]] void fail(const std::string& problem) const { fail(where(), problem); }
    [[noreturn]] static void fail(const std::string& place, const std::string& problem) {
        throw FormatError(place + ": " + problem);
    }

private:
    static constexpr bool kLists = std::is_same_v<J, Json>;

    struct Frame {
        J* value;                             // null for a list, whose elements are handed over,
                                              // and for a value left out
        bool array;
        bool skipped;                         // checked against the limits, not built
        std::string name;                     // how the parent reaches it: ".key" or "[3]"
        size_t count = 0;                     // members or elements so far
        const ArrayLimit* limit = nullptr;    // for arrays under a limited key
        std::unique_ptr<std::unordered_set<std::string>> keys;  // of big ordered objects
        std::unique_ptr<J, ReleaseTree> element;  // an element of a list, built apart
        bool begun = false;                   // the element has been handed over
    };

    // Objects that keep their order are vectors: a new member is appended, and repeated
    // keys are found by a short walk, or by a set once the object grows.
    static constexpr bool kOrdered = requires(object_t& o, J&& v) { o.emplace_back(std::string(), std::move(v)); };
    static constexpr size_t kWalkedKeys = 16;

    bool holds(Frame& frame, const std::string& key) {
        if (frame.skipped) return holdsSkipped(frame, key);
        const object_t& object = *frame.value->template get_ptr<const object_t*>();
        if constexpr (!kOrdered) {
            return object.find(key) != object.end();
        } else {
            if (!frame.keys && frame.count < kWalkedKeys)
                return std::any_of(object.begin(), object.end(), [&](const auto& m) { return m.first == key; });
            if (!frame.keys) {
                frame.keys = std::make_unique<std::unordered_set<std::string>>();
                for (const auto& m : object) frame.keys->insert(m.first);
            }
            return !frame.keys->insert(key).second;
        }
    }

    bool inList() const { return !open_.empty() && !open_.back().value && !open_.back().skipped; }

    // Whether the value that comes next is left out: inside a value left out, or a member
    // of a list's element that the lists do not keep (it stands in the element as null, so
    // that a repeated key is still found).
    bool skips() {
        if (open_.empty()) return false;
        Frame& top = open_.back();
        if (top.skipped) return true;
        if constexpr (kLists) {
            if (top.element && !top.array && !lists_->keeps(*top.element, key_)) {
                place(J());
                return true;
            }
        }
        return false;
    }

    // A value left out still counts towards its container's limits.
    void count() {
        Frame& top = open_.back();
        if (!top.skipped) return;
        if (top.array)
            (void)addElement(top);
        else
            ++top.count;
    }

    // One more element of an array, refused past the limit of its key; answers its index.
    size_t addElement(Frame& array) {
        if (array.limit && array.count == array.limit->most) fail(std::string(array.limit->problem));
        return array.count++;
    }

    // The keys of an object left out, kept apart: the first few in strings reused from
    // object to object at the same depth, more in a set.
    bool holdsSkipped(Frame& frame, const std::string& key) {
        const size_t depth = open_.size() - 1;
        if (skippedKeys_.size() <= depth) skippedKeys_.resize(depth + 1);
        std::vector<std::string>& names = skippedKeys_[depth];
        if (!frame.keys && frame.count < kWalkedKeys) {
            for (size_t i = 0; i < frame.count; ++i)
                if (names[i] == key) return true;
            if (names.size() <= frame.count) names.emplace_back();
            names[frame.count].assign(key);
            return false;
        }
        if (!frame.keys) frame.keys = std::make_unique<std::unordered_set<std::string>>(names.begin(), names.begin() + kWalkedKeys);
        return !frame.keys->insert(key).second;
    }

    // Puts a value where the next one goes; answers where it landed.
    J* place(J&& value) {
        if (open_.empty()) {
            root_ = std::move(value);
            return &root_;
        }
        Frame& top = open_.back();
        if (top.array) {
            (void)addElement(top);
            auto& array = *top.value->template get_ptr<typename J::array_t*>();
            array.push_back(std::move(value));
            return &array.back();
        }
        auto& object = *top.value->template get_ptr<object_t*>();
        ++top.count;
        if constexpr (kOrdered) {
            roomForMember(object);
            object.emplace_back(std::move(key_), std::move(value));
            return &object.back().second;
        } else {
            return &object.emplace(std::move(key_), std::move(value)).first->second;
        }
    }

    // Room for one more member of an ordered object, made here rather than by the vector's
    // own growth: that copies every member (the keys are const, so a member cannot move)
    // and drops the old copies, and dropping a member that holds anything allocates. Here
    // the keys are copied first, then the values moved, which allocates nothing.
    static void roomForMember(object_t& object) {
        if (object.size() < object.capacity()) return;
        std::vector<std::string> keys;
        keys.reserve(object.size());
        for (const auto& member : object) keys.push_back(member.first);
        object_t grown;
        grown.reserve(std::max<size_t>(8, 2 * object.capacity()));
        auto member = object.begin();
        for (std::string& key : keys) grown.emplace_back(std::move(key), std::move((member++)->second));
        object.swap(grown);
    }

    bool put(J&& value) {
        if (skips()) {
            count();
            return true;
        }
        if (!inList()) {
            place(std::move(value));
            return true;
        }
        // An element of a list that holds no lists: handed over at once.
        if constexpr (kLists) {
            const std::string place = where() + "[" + std::to_string(addElement(open_.back())) + "]";
            lists_->begin(value, place);
            lists_->end(value);
        }
        return true;
    }

    // Whether the array about to open under key_ is a list: a member of the top object or
    // of an element of a list.
    bool opensList(typename J::value_t type) const {
        if constexpr (kLists) {
            if (!lists_ || type != J::value_t::array || open_.empty() || open_.back().array) return false;
            const Frame& top = open_.back();
            if (open_.size() == 1) return lists_->isList(nullptr, key_);
            return top.element && lists_->isList(top.element.get(), key_);
        }
        return false;
    }

    bool open(typename J::value_t type) {
        if (open_.size() >= size_t(limits_.maxDepth))
            fail(jsonNestingProblem(limits_.maxDepth));
        std::string name;
        const ArrayLimit* limit = nullptr;
        if (!open_.empty()) {
            const Frame& top = open_.back();
            if (top.array) {
                name = "[" + std::to_string(top.count) + "]";
            } else {
                name = "." + key_;
                if (type == J::value_t::array)
                    for (const ArrayLimit& l : limits_.arrays)
                        if (l.key == key_) limit = &l;
            }
        }
        const bool array = type == J::value_t::array;
        if (inList()) {
            // An element of a list, built apart.
            (void)addElement(open_.back());
            std::unique_ptr<J, ReleaseTree> element(new J(type));
            J* value = element.get();
            open_.push_back(Frame{value, array, false, std::move(name), 0, limit, nullptr, std::move(element), false});
            return true;
        }
        if (opensList(type)) {
            place(J(type));  // the list stands in its object as an empty array
            Frame& top = open_.back();
            if (top.element && !top.begun) {
                top.begun = true;
                lists_->begin(*top.element, where());
            }
            open_.push_back(Frame{nullptr, true, false, std::move(name), 0, limit, nullptr, nullptr, false});
            return true;
        }
        if (skips()) {
            count();
            open_.push_back(Frame{nullptr, array, true, std::move(name), 0, limit, nullptr, nullptr, false});
            return true;
        }
        J* value = place(J(type));
        open_.push_back(Frame{value, array, false, std::move(name), 0, limit, nullptr, nullptr, false});
        return true;
    }

    bool close() {
        if constexpr (kLists) {
            Frame& top = open_.back();
            if (top.element) {
                if (!top.begun) lists_->begin(*top.element, where());
                lists_->end(*top.element);
            }
        }
        open_.pop_back();
        return true;
    }

    std::string where() const {
        std::string path(limits_.root);
        for (const Frame& f : open_) path += f.name;
        return path;
    }
    // The place of the value the parser reads next.
    std::string next() const {
        if (open_.empty()) return where();
        const Frame& top = open_.back();
        return where() + (top.array ? "[" + std::to_string(top.count) + "]" : "." + key_);
    }

    J& root_;
    const JsonLimits& limits_;
    JsonLists* lists_;
    std::vector<Frame> open_;
    std::string key_;  // of the member whose value comes next
    std::vector<std::vector<std::string>> skippedKeys_;  // by depth
};

// Parses a text in memory with the builder; a text larger than its file may be is refused
// unread.
template <class J>
void parseText(std::string_view text, const JsonLimits& limits, LimitedBuilder<J>& builder) {
    if (text.size() > limits.file.maxBytes)
        throw FormatError("larger than " + sizeInWords(limits.file.maxBytes) + ", the most " +
                          std::string(limits.file.what) + " may hold");
    J::sax_parse(text.begin(), text.end(), &builder);
}

}  // namespace

template <class J>
Tree<J> parseJson(std::string_view text, const JsonLimits& limits) {
    Tree<J> root;
    LimitedBuilder<J> builder(*root, limits);
    parseText(text, limits, builder);
    return root;
}

template Tree<Json> parseJson<Json>(std::string_view, const JsonLimits&);
template Tree<nlohmann::json> parseJson<nlohmann::json>(std::string_view, const JsonLimits&);

Tree<Json> parseJsonInParts(const JsonInput& input, JsonLists& lists, const JsonLimits& limits) {
    Tree<Json> root;
    LimitedBuilder<Json> builder(*root, limits, &lists);
    if (input.stream)
        Json::sax_parse(*input.stream, &builder);
    else
        parseText(input.text, limits, builder);
    return root;
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

namespace {

// The digits of a whole number past 64 bits (see Json.h).
std::string bigDigits(const Json& j) {
    const auto& bytes = j.get_binary();
    return std::string(bytes.begin(), bytes.end());
}

}  // namespace

float Cursor::real() const {
    switch (json_->type()) {
        case Json::value_t::binary: return std::strtof(bigDigits(*json_).c_str(), nullptr);
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
    const std::string range = std::to_string(min) + " to " + std::to_string(max);
    const auto outside = [&](const std::string& number) { fail("the number " + number + " is outside " + range); };
    int64_t value = 0;
    if (json_->is_number_integer() && !json_->is_number_unsigned()) {
        value = json_->get<int64_t>();
    } else if (json_->is_number_unsigned()) {
        const auto u = json_->get<uint64_t>();
        if (u > static_cast<uint64_t>(max)) outside(std::to_string(u));
        value = static_cast<int64_t>(u);
    } else if (json_->is_binary()) {
        outside(bigDigits(*json_));
    } else if (json_->is_number_float()) {
        fail("the number " + json_->dump() + " must be a whole number from " + range +
             ", written without a point or an exponent");
    } else {
        fail(std::string("expected a whole number, found ") + typeName());
    }
    if (value < min || value > max) outside(std::to_string(value));
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
