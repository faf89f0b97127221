// The records of the document model: art (groups, paths, compound paths, text frames,
// layer groups), dictionaries and the document-wide state. Plain values: the journal
// copies a record before its first change in a message, so undo restores exactly what
// was touched and nothing else.
#pragma once

#include <atomic>
#include <cstdint>
#include <memory>
#include <optional>
#include <ostream>
#include <string>
#include <string_view>
#include <utility>
#include <variant>
#include <vector>

#include "AICustomColor.h"
#include "AILayer.h"
#include "AITypes.h"
#include "text/Story.h"

namespace standin {

// Every object of every open document has a host-wide unique id; 0 is "none".
using ObjId = uint64_t;

// Handles name ids.
template <class H>
inline H toHandle(ObjId id) {
    return reinterpret_cast<H>(static_cast<uintptr_t>(id));
}
template <class H>
inline ObjId fromHandle(H h) {
    return static_cast<ObjId>(reinterpret_cast<uintptr_t>(h));
}


struct TagEntry {
    std::string name;
    std::string type;   // "string"
    std::string value;

    bool operator==(const TagEntry&) const = default;
};

// The states of a layer; kept on the layer's own group.
struct LayerProps {
    std::string title;
    bool visible = true;
    bool editable = true;
    bool printed = true;
    bool preview = true;
    bool dimPlaced = false;
    AIRGBColor color{0, 0, 65535};
};

// Kinds beyond the host's art types: the hidden root of a document that holds the
// top-level layer groups.
constexpr int16_t kRootArt = 100;

// A part that few objects have, kept out of line so that the rest stay small; copied with
// the object that owns it.
template <class T>
class Boxed {
public:
    Boxed() = default;
    Boxed(const Boxed& o) : p_(o.p_ ? std::make_unique<T>(*o.p_) : nullptr) {}
    Boxed(Boxed&&) noexcept = default;
    Boxed& operator=(const Boxed& o) { return *this = Boxed(o); }
    Boxed& operator=(Boxed&&) noexcept = default;
    Boxed& operator=(T value) {
        p_ = std::make_unique<T>(std::move(value));
        return *this;
    }

    explicit operator bool() const { return p_ != nullptr; }
    T* operator->() { return p_.get(); }
    const T* operator->() const { return p_.get(); }
    T& operator*() { return *p_; }
    const T& operator*() const { return *p_; }

private:
    std::unique_ptr<T> p_;
};

struct Art {
    // What walks, the selection and the index read of every object comes first, in one
    // cache line; the rest is read only for the object at hand.
    ObjId id = 0;
    int16_t type = kGroupArt;
    bool closed = false;  // paths
    bool centerPointVisible = false;
    uint32_t attrs = 0;  // own bits: kArtSelected, kArtLocked, kArtHidden, kArtFullySelected
    // Tree links: children run from the top (firstChild) down (next).
    ObjId parent = 0;
    ObjId prev = 0;
    ObjId next = 0;
    ObjId firstChild = 0;
    ObjId lastChild = 0;
    Boxed<LayerProps> layer;  // layer groups only
    // Its place among its siblings, smaller nearer the top. Keys leave gaps, so placing art
    // rekeys no neighbour, and paint order is read by comparing keys up the tree.
    uint64_t order = 0;
    ObjId dictionary = 0;  // 0 until first asked for
    std::vector<TagEntry> tags;
    // Paths.
    std::vector<AIPathSegment> segments;
    std::vector<int16_t> segmentSelection;  // one state per segment
    AIPathStyle style{};
    // Text frames.
    text::Story story;

    bool isContainer() const {
        return type == kGroupArt || type == kCompoundPathArt || type == kRootArt;
    }
    bool isLayerGroup() const { return static_cast<bool>(layer); }
};

// A dictionary entry's value; a sub-dictionary is shared by id.
struct DictLink {
    ObjId id = 0;
    bool operator==(const DictLink&) const = default;
};
// A dictionary entry's text: immutable and shared, so an entry takes 24 bytes rather than
// 48 and copying a dictionary (an undo record does, for every changed dimension) copies a
// pointer per text. Documents are used from one thread; the count is atomic all the same.
class DictText {
public:
    DictText() : DictText(std::string_view{}) {}
    DictText(std::string_view text);  // NOLINT: a text entry is written as its text
    DictText(const std::string& text) : DictText(std::string_view(text)) {}  // NOLINT
    DictText(const char* text) : DictText(std::string_view(text)) {}          // NOLINT
    DictText(const DictText& o) noexcept : rep_(o.rep_) { rep_->refs.fetch_add(1, std::memory_order_relaxed); }
    DictText& operator=(const DictText& o) noexcept {
        DictText copy(o);
        std::swap(rep_, copy.rep_);
        return *this;
    }
    ~DictText();

    const std::string& str() const { return rep_->text; }
    bool operator==(const DictText& o) const { return rep_ == o.rep_ || rep_->text == o.rep_->text; }
    friend std::ostream& operator<<(std::ostream& out, const DictText& t) { return out << t.str(); }

private:
    struct Rep {
        std::string text;
        std::atomic<uint32_t> refs{1};
    };
    Rep* rep_;
};

using DictValue = std::variant<int32_t, AIReal, bool, DictText, DictLink>;

// A dictionary key: its text is kept once for the whole program and the key is its number
// there. Thousands of dictionaries with the same keys (a dimension's style record has 82)
// hold a number each; keys compare as numbers, and a key handed out is checked by one
// comparison.
class DictKey {
public:
    DictKey(std::string_view text);  // NOLINT: a key is written as its text
    DictKey(const std::string& text) : DictKey(std::string_view(text)) {}  // NOLINT
    DictKey(const char* text) : DictKey(std::string_view(text)) {}          // NOLINT
    // The key of that number, when the program has one.
    static std::optional<DictKey> numbered(uint32_t number);
    uint32_t number() const { return number_; }
    const std::string& str() const;
    operator const std::string&() const { return str(); }
    operator std::string_view() const { return str(); }
    bool operator==(const DictKey& o) const { return number_ == o.number_; }
    bool operator==(std::string_view o) const { return str() == o; }
    bool operator==(const std::string& o) const { return str() == o; }
    bool operator==(const char* o) const { return str() == o; }

    friend std::ostream& operator<<(std::ostream& out, const DictKey& key) { return out << key.str(); }

private:
    explicit DictKey(uint32_t number) : number_(number) {}
    uint32_t number_;
};

struct Dict {
    ObjId id = 0;
    std::vector<std::pair<DictKey, DictValue>> entries;  // insertion order

    const DictValue* find(DictKey key) const;
    DictValue* find(DictKey key);
    void set(DictKey key, DictValue value);  // replaces in place or appends
    bool erase(DictKey key);
};

// A named colour swatch of the document (a spot colour); paint refers to it by id.
struct CustomColorEntry {
    ObjId id = 0;
    std::string name;  // UTF-8
    AICustomColor color{};
};

struct DocState {
    AIDocumentSetup setup{612.0f, 792.0f};
    AIRealPoint rulerOrigin{0.0f, 0.0f};
    ObjId root = 0;
    ObjId currentLayer = 0;
    ObjId dictionary = 0;
    AIPathStyle pathStyle{};  // what new paths get
    std::vector<CustomColorEntry> customColors;  // the swatches, in the order they were made
};

// No fill, a 1 pt solid black stroke, miter joins, butt caps.
AIPathStyle defaultPathStyle();

// Whether two records hold the same: every field a plug-in or the user can read or set, and
// the art's place in the tree. The journal leaves out of a step what its changes put back.
bool sameArt(const Art& a, const Art& b);
bool sameState(const DocState& a, const DocState& b);

}  // namespace standin
