// The JSON layer under every file the host reads: a JSON type whose reals are 32-bit floats
// (written in the shortest form that reads back to the same bits, read with correct
// rounding), one parser that applies the limits of Limits.h while it reads (size, nesting,
// members, array lengths, duplicate keys), and a cursor that reads typed fields and names
// the place of any problem ("layers[0].group.children[3].segments: ...").
#pragma once

#include <cstdint>
#include <iosfwd>
#include <stdexcept>
#include <string>
#include <string_view>

#include <nlohmann/json.hpp>

#include "io/Limits.h"

namespace standin::io {

using Json = nlohmann::basic_json<nlohmann::ordered_map, std::vector, std::string, bool, std::int64_t,
                                  std::uint64_t, float>;

// What is wrong with a file, with where.
class FormatError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Empties a tree from its leaves up, allocating nothing. nlohmann's destructor of an array
// or object that holds anything first moves the members onto a stack it allocates, so a
// tree dropped as memory runs out would end the program from a destructor; a tree emptied
// here first goes with nothing to allocate. (Every tree is nested no deeper than the
// parse limits allow, so the recursion is bounded.)
template <class J>
void release(J& tree) noexcept {
    if (tree.is_array()) {
        auto& elements = *tree.template get_ptr<typename J::array_t*>();
        for (J& element : elements) release(element);
        elements.clear();
    } else if (tree.is_object()) {
        auto& members = *tree.template get_ptr<typename J::object_t*>();
        for (auto& member : members) release(member.second);
        members.clear();
    }
}

// A tree that is released as it goes; what owns a tree that may be dropped while memory is
// short holds it so.
template <class J = Json>
class Tree {
public:
    Tree() = default;
    Tree(J&& value) noexcept : value_(std::move(value)) {}  // NOLINT: a tree is made from the value it holds
    Tree(Tree&&) noexcept = default;
    Tree& operator=(Tree&& other) noexcept {
        release(value_);
        value_ = std::move(other.value_);
        return *this;
    }
    Tree& operator=(J&& value) noexcept {
        release(value_);
        value_ = std::move(value);
        return *this;
    }
    ~Tree() { release(value_); }

    J& operator*() noexcept { return value_; }
    const J& operator*() const noexcept { return value_; }
    J* operator->() noexcept { return &value_; }
    const J* operator->() const noexcept { return &value_; }

private:
    J value_;
};

// A deleter of trees on the heap that releases them first.
struct ReleaseTree {
    template <class J>
    void operator()(J* tree) const noexcept {
        release(*tree);
        delete tree;
    }
};

// The one JSON reader: documents, preferences, resources and any other JSON file come through
// here with their limits. It builds the tree without recursion and refuses, with the place
// ("document.layers[0].segments: ..."), the first thing past a limit, so no hostile tree is
// ever built or walked. Throws FormatError. Instantiated for Json and nlohmann::json.
template <class J = Json>
Tree<J> parseJson(std::string_view text, const JsonLimits& limits = kDocumentJson);

extern template Tree<Json> parseJson<Json>(std::string_view, const JsonLimits&);
extern template Tree<nlohmann::json> parseJson<nlohmann::json>(std::string_view, const JsonLimits&);

// Where a parse reads from: a text in memory, or a stream read while it is parsed (so a
// file of any size is never held whole).
struct JsonInput {
    std::string_view text;
    std::istream* stream = nullptr;
};

// Lists whose elements a parse hands over one at a time instead of building them into the
// tree: each element is built apart, with everything in it but its own lists, and dropped
// once handed over, so a long list is never held whole. Lists may nest (an element's
// member may be a list).
class JsonLists {
public:
    virtual ~JsonLists() = default;
    // Whether the array under `key` is a list: `element` is the element of a list whose
    // member it is, or null for a member of the top object.
    virtual bool isList(const Json* element, const std::string& key) const = 0;
    // Whether a member of an element is built; one that is not is still read and checked
    // against the limits, and stands in the element as null.
    virtual bool keeps(const Json& /*element*/, const std::string& /*key*/) const { return true; }
    // An element, before anything of its own lists; `where` names its place. A list member
    // of the element stands in it as an empty array.
    virtual void begin(const Json& element, const std::string& where) = 0;
    // The element that began last and is not yet ended, with its lists read; members that
    // came after a list of it are in it now.
    virtual void end(const Json& element) = 0;
    // A value the parse keeps, but not as the file wrote it (a real too small for a 32-bit
    // float, read as 0): `where` names its place, `what` says what became of it.
    virtual void changed(const std::string& /*where*/, const std::string& /*what*/) {}
};

// Parses as parseJson does, the limits applied the same way, handing the elements of lists
// to `lists`; answers the top value, each list in it empty. Throws FormatError, or whatever
// `lists` throws.
Tree<Json> parseJsonInParts(const JsonInput& input, JsonLists& lists, const JsonLimits& limits = kDocumentJson);

// In a Json tree (documents, presets files), a whole number written without a point or an
// exponent that is too large for 64 bits stands as its digits, held as a binary value (which
// no JSON text makes): an integer field refuses it as it refuses any whole number out of its
// range, and a real field reads the real it is.

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
    // Every member of an object, in file order (one pass, however many members).
    template <class F>
    void forEachMember(F&& visit) const {
        if (!json_->is_object()) fail(std::string("expected an object, found ") + typeName());
        for (auto it = json_->begin(); it != json_->end(); ++it) visit(it.key(), Cursor(it.value(), path_ + "." + it.key()));
    }
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
    const char* typeName() const;

    const Json* json_;
    std::string path_;
};

}  // namespace standin::io
