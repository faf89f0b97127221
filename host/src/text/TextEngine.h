// The host's text engine: the counted references behind the "ATE Text Suite" (ranges,
// stories, feature sets, paints), the edits a range makes to a story, and the focus story
// and text selection. Stories belong to the document model, reached through StoryStore, so
// a range over deleted or undone text reports a stale reference instead of crashing.
#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <variant>
#include <vector>

#include "AIATEPaint.h"
#include "AIFont.h"
#include "AIUnicodeString.h"
#include "ATESuite.h"
#include "text/FontRegistry.h"
#include "text/Story.h"

namespace standin::text {

// Implemented by the document model: the story of a live text frame, and edits that go
// through its undo journal.
class StoryStore {
public:
    virtual ~StoryStore() = default;
    virtual const Story* findStory(AIArtHandle frame) const = 0;  // null when not a live text frame
    virtual AIErr editStory(AIArtHandle frame, const std::function<void(Story&)>& edit) = 0;
};

// A feature set with a flag per field telling whether it is assigned.
struct CharFeatureSet {
    CharFeatures values;
    uint32_t assigned = 0;  // bit per ATE::CharFeatureField, plus kFontBit and kDashBit
};
struct ParaFeatureSet {
    ParaFeatures values;
    uint32_t assigned = 0;  // bit per ATE::ParaFeatureField
};
constexpr uint32_t kFontBit = 1u << 20;
constexpr uint32_t kDashBit = 1u << 21;
constexpr uint32_t kAllCharBits = 0x3FFFFFu;
constexpr uint32_t kAllParaBits = 0xFEu;

struct TextSelection {
    AIArtHandle frame;
    int32_t start, end;
};

// Story edits by character position (the shaku pair is one character).
int32_t storyLength(const Story& story);
std::string storyBytes(const Story& story, int32_t start, int32_t end);
void insertText(Story& story, int32_t position, const std::string& platform, const CharFeatureSet* overlay);
void applyCharFeatures(Story& story, int32_t start, int32_t end, const CharFeatureSet& set);
void applyParaFeatures(Story& story, const ParaFeatureSet& set);
CharFeatureSet uniqueCharFeatures(const Story& story, int32_t start, int32_t end);
// Laying the assigned fields of `set` over `f`.
void overlay(CharFeatures& f, const CharFeatureSet& set);

class TextEngine {
public:
    explicit TextEngine(StoryStore& store, FontRegistry& fonts = FontRegistry::shared());
    ~TextEngine();
    TextEngine(const TextEngine&) = delete;
    TextEngine& operator=(const TextEngine&) = delete;

    // The engine the suites work on: the last one made that is still alive.
    static TextEngine* current();

    StoryStore& store() { return store_; }
    FontRegistry& fonts() { return fonts_; }

    // A range over [start, end) of a frame's story, with one reference.
    ATE::TextRangeRef newRange(AIArtHandle frame, int32_t start, int32_t end);
    ATE::ApplicationPaintRef newPaint(const AIColor& color);

    // Fonts: keys and engine fonts are the registry index plus one.
    static AIFontKey fontKey(int32_t index) { return reinterpret_cast<AIFontKey>(static_cast<intptr_t>(index) + 1); }
    int32_t fontIndex(const void* keyOrFont) const;  // -1 when not a font of the registry

    // Inspection for tests and the driver.
    size_t liveReferences() const { return objects_.size(); }
    AIArtHandle focusStory() const { return focus_; }
    const std::vector<TextSelection>& textSelection() const { return selection_; }
    // Forgets focus and selection on frames that no longer exist.
    void dropStale();

    // The suite tables.
    static const ATETextSuite& ateSuite();
    static const AIUnicodeStringSuite& unicodeSuite();
    static const AIFontSuite& fontSuite();
    static const AIATEPaintSuite& paintSuite();

    // Suite bodies (public so the C tables can forward to them).
    struct RangeObj {
        AIArtHandle frame;
        int32_t start, end;
        std::optional<CharFeatureSet> pending;  // features set on the empty range
    };
    struct StoryObj {
        AIArtHandle frame;
    };
    struct StoriesObj {};
    struct PaintObj {
        AIColor color;
    };
    using Body = std::variant<RangeObj, StoryObj, StoriesObj, CharFeatureSet, ParaFeatureSet, PaintObj>;

    template <typename T>
    T* get(const void* ref) {
        auto it = objects_.find(reinterpret_cast<uintptr_t>(ref));
        return it == objects_.end() ? nullptr : std::get_if<T>(&it->second.body);
    }
    template <typename R>
    R add(Body body) {
        const uintptr_t id = nextId_;
        nextId_ += 16;
        objects_.emplace(id, Object{std::move(body), 1});
        return reinterpret_cast<R>(id);
    }
    AIErr addRef(const void* ref);
    AIErr release(const void* ref);
    // The story a range reads, with its bounds clamped; null when the text is gone.
    const Story* rangeStory(RangeObj& r);
    void setFocus(AIArtHandle frame) { focus_ = frame; }
    void select(const TextSelection& s, bool add);

private:
    struct Object {
        Body body;
        int32_t refs;
    };
    StoryStore& store_;
    FontRegistry& fonts_;
    std::map<uintptr_t, Object> objects_;
    uintptr_t nextId_ = 0x1000;
    AIArtHandle focus_ = nullptr;
    std::vector<TextSelection> selection_;
};

}  // namespace standin::text
