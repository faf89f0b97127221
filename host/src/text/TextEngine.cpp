// Story edits by character position, and the engine's reference table, focus and selection.
#include "text/TextEngine.h"

#include <algorithm>

#include "text/Encoding.h"

namespace standin::text {
namespace {

struct Char {
    std::string bytes;
    CharFeatures features;
};

std::vector<Char> explode(const Story& story) {
    std::vector<Char> chars;
    for (const TextRun& run : story.runs)
        for (size_t i = 0; i < run.text.size();) {
            const size_t n = platformCharLength(run.text, i);
            chars.push_back({run.text.substr(i, n), run.features});
            i += n;
        }
    return chars;
}

// Joins neighbours with equal features; an empty story keeps `typing` as an empty run so
// the features set on it wait for the first insertion.
void implode(Story& story, const std::vector<Char>& chars, const CharFeatures* typing) {
    story.runs.clear();
    for (const Char& c : chars) {
        if (!story.runs.empty() && story.runs.back().features == c.features)
            story.runs.back().text += c.bytes;
        else
            story.runs.push_back({c.bytes, c.features});
    }
    if (story.runs.empty() && typing) story.runs.push_back({"", *typing});
}

int32_t clampPos(int32_t p, size_t n) { return std::clamp<int32_t>(p, 0, static_cast<int32_t>(n)); }

// What a character inserted at `pos` takes before any overlay.
CharFeatures featuresAt(const Story& story, const std::vector<Char>& chars, int32_t pos) {
    if (pos > 0 && static_cast<size_t>(pos) <= chars.size()) return chars[static_cast<size_t>(pos) - 1].features;
    if (!chars.empty()) return chars.front().features;
    if (!story.runs.empty()) return story.runs.front().features;
    return CharFeatures{};
}

bool bit(uint32_t mask, int32_t field) { return (mask >> field) & 1u; }

// Clears the bits of fields where a and b differ.
uint32_t sameFields(const CharFeatures& a, const CharFeatures& b) {
    using namespace ATE;
    uint32_t same = kAllCharBits;
    auto diff = [&](bool equal, uint32_t b) {
        if (!equal) same &= ~b;
    };
    diff(a.size == b.size, 1u << kCharFontSize);
    diff(a.leading == b.leading, 1u << kCharLeading);
    diff(a.baselineShift == b.baselineShift, 1u << kCharBaselineShift);
    diff(a.horizontalScale == b.horizontalScale, 1u << kCharHorizontalScale);
    diff(a.verticalScale == b.verticalScale, 1u << kCharVerticalScale);
    diff(a.lineWidth == b.lineWidth, 1u << kCharLineWidth);
    diff(a.miterLimit == b.miterLimit, 1u << kCharMiterLimit);
    diff(a.lineDashOffset == b.lineDashOffset, 1u << kCharLineDashOffset);
    diff(a.tracking == b.tracking, 1u << kCharTracking);
    diff(a.lineCap == b.lineCap, 1u << kCharLineCap);
    diff(a.lineJoin == b.lineJoin, 1u << kCharLineJoin);
    diff(a.fill == b.fill, 1u << kCharFill);
    diff(a.stroke == b.stroke, 1u << kCharStroke);
    diff(sameColor(a.fillColor, b.fillColor), 1u << kCharFillColor);
    diff(sameColor(a.strokeColor, b.strokeColor), 1u << kCharStrokeColor);
    diff(a.font == b.font, kFontBit);
    diff(a.lineDashArray == b.lineDashArray, kDashBit);
    return same;
}

// Engines alive, latest last. Never destroyed: engines held by other statics may end
// after it would have.
std::vector<TextEngine*>& liveEngines() {
    static auto* engines = new std::vector<TextEngine*>;
    return *engines;
}

}  // namespace

void overlay(CharFeatures& f, const CharFeatureSet& set) {
    using namespace ATE;
    const CharFeatures& v = set.values;
    const uint32_t m = set.assigned;
    if (bit(m, kCharFontSize)) f.size = v.size;
    if (bit(m, kCharLeading)) f.leading = v.leading;
    if (bit(m, kCharBaselineShift)) f.baselineShift = v.baselineShift;
    if (bit(m, kCharHorizontalScale)) f.horizontalScale = v.horizontalScale;
    if (bit(m, kCharVerticalScale)) f.verticalScale = v.verticalScale;
    if (bit(m, kCharLineWidth)) f.lineWidth = v.lineWidth;
    if (bit(m, kCharMiterLimit)) f.miterLimit = v.miterLimit;
    if (bit(m, kCharLineDashOffset)) f.lineDashOffset = v.lineDashOffset;
    if (bit(m, kCharTracking)) f.tracking = v.tracking;
    if (bit(m, kCharLineCap)) f.lineCap = v.lineCap;
    if (bit(m, kCharLineJoin)) f.lineJoin = v.lineJoin;
    if (bit(m, kCharFill)) f.fill = v.fill;
    if (bit(m, kCharStroke)) f.stroke = v.stroke;
    if (bit(m, kCharFillColor)) f.fillColor = v.fillColor;
    if (bit(m, kCharStrokeColor)) f.strokeColor = v.strokeColor;
    if (m & kFontBit) f.font = v.font;
    if (m & kDashBit) f.lineDashArray = v.lineDashArray;
}

int32_t storyLength(const Story& story) {
    size_t n = 0;
    for (const TextRun& run : story.runs)
        for (size_t i = 0; i < run.text.size(); i += platformCharLength(run.text, i)) ++n;
    return static_cast<int32_t>(n);
}

std::string storyBytes(const Story& story, int32_t start, int32_t end) {
    const std::vector<Char> chars = explode(story);
    start = clampPos(start, chars.size());
    end = clampPos(end, chars.size());
    std::string out;
    for (int32_t i = start; i < end; ++i) out += chars[static_cast<size_t>(i)].bytes;
    return out;
}

void insertText(Story& story, int32_t position, const std::string& platform, const CharFeatureSet* extra) {
    std::vector<Char> chars = explode(story);
    const int32_t pos = clampPos(position, chars.size());
    CharFeatures f = featuresAt(story, chars, pos);
    if (extra) overlay(f, *extra);
    std::vector<Char> added;
    for (size_t i = 0; i < platform.size();) {
        const size_t n = platformCharLength(platform, i);
        added.push_back({platform.substr(i, n), f});
        i += n;
    }
    chars.insert(chars.begin() + pos, added.begin(), added.end());
    implode(story, chars, &f);
}

void applyCharFeatures(Story& story, int32_t start, int32_t end, const CharFeatureSet& set) {
    std::vector<Char> chars = explode(story);
    start = clampPos(start, chars.size());
    end = clampPos(end, chars.size());
    if (chars.empty()) {
        CharFeatures typing = featuresAt(story, chars, 0);
        overlay(typing, set);
        implode(story, chars, &typing);
        return;
    }
    for (int32_t i = start; i < end; ++i) overlay(chars[static_cast<size_t>(i)].features, set);
    implode(story, chars, nullptr);
}

void applyParaFeatures(Story& story, const ParaFeatureSet& set) {
    using namespace ATE;
    const ParaFeatures& v = set.values;
    const uint32_t m = set.assigned;
    ParaFeatures& p = story.para;
    if (bit(m, kParaJustification)) p.justification = v.justification;
    if (bit(m, kParaStartIndent)) p.startIndent = v.startIndent;
    if (bit(m, kParaEndIndent)) p.endIndent = v.endIndent;
    if (bit(m, kParaFirstLineIndent)) p.firstLineIndent = v.firstLineIndent;
    if (bit(m, kParaSpaceBefore)) p.spaceBefore = v.spaceBefore;
    if (bit(m, kParaDesiredWordSpacing)) p.desiredWordSpacing = v.desiredWordSpacing;
    if (bit(m, kParaDesiredLetterSpacing)) p.desiredLetterSpacing = v.desiredLetterSpacing;
}

CharFeatureSet uniqueCharFeatures(const Story& story, int32_t start, int32_t end) {
    const std::vector<Char> chars = explode(story);
    start = clampPos(start, chars.size());
    end = clampPos(end, chars.size());
    CharFeatureSet set;
    set.assigned = kAllCharBits;
    if (start >= end) {
        set.values = featuresAt(story, chars, start);
        return set;
    }
    set.values = chars[static_cast<size_t>(start)].features;
    for (int32_t i = start + 1; i < end; ++i) set.assigned &= sameFields(set.values, chars[static_cast<size_t>(i)].features);
    return set;
}

TextEngine::TextEngine(StoryStore& store, FontRegistry& fonts) : store_(store), fonts_(fonts) {
    liveEngines().push_back(this);
}

TextEngine::~TextEngine() { std::erase(liveEngines(), this); }

TextEngine* TextEngine::current() { return liveEngines().empty() ? nullptr : liveEngines().back(); }

ATE::TextRangeRef TextEngine::newRange(AIArtHandle frame, int32_t start, int32_t end) {
    return add<ATE::TextRangeRef>(RangeObj{frame, start, end, std::nullopt});
}

ATE::ApplicationPaintRef TextEngine::newPaint(const AIColor& color) {
    return add<ATE::ApplicationPaintRef>(PaintObj{color});
}

int32_t TextEngine::fontIndex(const void* keyOrFont) const {
    const intptr_t v = reinterpret_cast<intptr_t>(keyOrFont) - 1;
    return (v >= 0 && v < fonts_.count()) ? static_cast<int32_t>(v) : -1;
}

AIErr TextEngine::addRef(const void* ref) {
    auto it = objects_.find(reinterpret_cast<uintptr_t>(ref));
    if (it == objects_.end()) return ref ? kStaleHandleErr : kBadParameterErr;
    ++it->second.refs;
    return kNoErr;
}

AIErr TextEngine::release(const void* ref) {
    auto it = objects_.find(reinterpret_cast<uintptr_t>(ref));
    if (it == objects_.end()) return ref ? kStaleHandleErr : kBadParameterErr;
    if (--it->second.refs <= 0) objects_.erase(it);
    return kNoErr;
}

const Story* TextEngine::rangeStory(RangeObj& r) {
    const Story* story = store_.findStory(r.frame);
    if (!story) return nullptr;
    const int32_t n = storyLength(*story);
    r.start = std::clamp(r.start, 0, n);
    r.end = std::clamp(r.end, r.start, n);
    return story;
}

void TextEngine::select(const TextSelection& s, bool addToSelection) {
    if (!addToSelection) selection_.clear();
    selection_.push_back(s);
}

void TextEngine::dropStale() {
    if (focus_ && !store_.findStory(focus_)) focus_ = nullptr;
    std::erase_if(selection_, [&](const TextSelection& s) { return !store_.findStory(s.frame); });
}

}  // namespace standin::text
