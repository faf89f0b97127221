// Dictionary records (entries in insertion order) and the default paint of new paths.
#include "model/Art.h"

#include <algorithm>
#include <deque>
#include <unordered_map>

namespace standin {

namespace {

struct KeyTable {
    std::deque<std::string> texts;  // by number; a deque keeps them in place as it grows
    std::unordered_map<std::string_view, uint32_t> numbers;
};

KeyTable& keyTable() {
    static KeyTable table;
    return table;
}

}  // namespace

DictKey::DictKey(std::string_view text) {
    KeyTable& t = keyTable();
    if (auto it = t.numbers.find(text); it != t.numbers.end()) {
        number_ = it->second;
        return;
    }
    number_ = static_cast<uint32_t>(t.texts.size());
    t.numbers.emplace(t.texts.emplace_back(text), number_);
}

std::optional<DictKey> DictKey::numbered(uint32_t number) {
    if (number >= keyTable().texts.size()) return std::nullopt;
    return DictKey(number);
}

const std::string& DictKey::str() const { return keyTable().texts[number_]; }

DictText::DictText(std::string_view text) : rep_(new Rep{std::string(text)}) {}

DictText::~DictText() {
    if (rep_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete rep_;
}

const DictValue* Dict::find(DictKey key) const { return const_cast<Dict*>(this)->find(key); }

DictValue* Dict::find(DictKey key) {
    for (auto& [k, v] : entries)
        if (k == key) return &v;
    return nullptr;
}

void Dict::set(DictKey key, DictValue value) {
    if (DictValue* v = find(key)) {
        *v = std::move(value);
        return;
    }
    entries.emplace_back(key, std::move(value));
}

bool Dict::erase(DictKey key) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first == key; });
    if (it == entries.end()) return false;
    entries.erase(it);
    return true;
}

AIPathStyle defaultPathStyle() {
    AIPathStyle s{};
    s.fillPaint = false;
    s.fill.color.kind = kNoneColor;
    s.strokePaint = true;
    s.stroke.color.kind = kGrayColor;
    s.stroke.color.c.g.gray = 1.0f;  // gray 1.0 is black
    s.stroke.width = 1.0f;
    s.stroke.dash.length = 0;
    s.stroke.cap = kAIButtCap;
    s.stroke.join = kAIMiterJoin;
    s.stroke.miterLimit = 4.0f;
    return s;
}

namespace {

bool samePoint(AIRealPoint a, AIRealPoint b) { return a.h == b.h && a.v == b.v; }

bool sameSegment(const AIPathSegment& a, const AIPathSegment& b) {
    return samePoint(a.p, b.p) && samePoint(a.in, b.in) && samePoint(a.out, b.out) && a.corner == b.corner;
}

bool sameDash(const AIDashStyle& a, const AIDashStyle& b) {
    if (a.length != b.length || a.offset != b.offset) return false;
    const int used = std::clamp<int>(a.length, 0, kMaxDashComponents);
    return std::equal(a.array, a.array + used, b.array);
}

bool sameStyle(const AIPathStyle& a, const AIPathStyle& b) {
    const AIStrokeStyle &s = a.stroke, &t = b.stroke;
    return a.fillPaint == b.fillPaint && a.strokePaint == b.strokePaint && a.fill.color == b.fill.color &&
           a.fill.overprint == b.fill.overprint && s.color == t.color && s.overprint == t.overprint &&
           s.width == t.width && sameDash(s.dash, t.dash) && s.cap == t.cap && s.join == t.join &&
           s.miterLimit == t.miterLimit && a.clip == b.clip && a.lockClip == b.lockClip && a.evenodd == b.evenodd;
}

bool sameLayer(const Boxed<LayerProps>& a, const Boxed<LayerProps>& b) {
    if (!a || !b) return !a && !b;
    return a->title == b->title && a->visible == b->visible && a->editable == b->editable &&
           a->printed == b->printed && a->preview == b->preview && a->dimPlaced == b->dimPlaced &&
           a->color.red == b->color.red && a->color.green == b->color.green && a->color.blue == b->color.blue;
}

bool sameSwatch(const CustomColorEntry& a, const CustomColorEntry& b) {
    if (a.id != b.id || a.name != b.name || a.color.kind != b.color.kind) return false;
    const auto &x = a.color.c, &y = b.color.c;
    switch (a.color.kind) {
        case kCustomFourColor:
            return x.f.cyan == y.f.cyan && x.f.magenta == y.f.magenta && x.f.yellow == y.f.yellow && x.f.black == y.f.black;
        case kCustomThreeColor: return x.rgb.red == y.rgb.red && x.rgb.green == y.rgb.green && x.rgb.blue == y.rgb.blue;
        case kCustomLabColor: return x.lab.l == y.lab.l && x.lab.a == y.lab.a && x.lab.b == y.lab.b;
    }
    return true;
}

}  // namespace

bool sameArt(const Art& a, const Art& b) {
    return a.id == b.id && a.type == b.type && a.closed == b.closed && a.centerPointVisible == b.centerPointVisible &&
           a.attrs == b.attrs && a.parent == b.parent && a.prev == b.prev && a.next == b.next &&
           a.firstChild == b.firstChild && a.lastChild == b.lastChild && sameLayer(a.layer, b.layer) &&
           a.order == b.order && a.dictionary == b.dictionary && a.tags == b.tags &&
           std::ranges::equal(a.segments, b.segments, sameSegment) && a.segmentSelection == b.segmentSelection &&
           sameStyle(a.style, b.style) && a.story == b.story;
}

bool sameState(const DocState& a, const DocState& b) {
    return a.setup.width == b.setup.width && a.setup.height == b.setup.height &&
           samePoint(a.rulerOrigin, b.rulerOrigin) && a.root == b.root && a.currentLayer == b.currentLayer &&
           a.dictionary == b.dictionary && sameStyle(a.pathStyle, b.pathStyle) &&
           std::ranges::equal(a.customColors, b.customColors, sameSwatch);
}

}  // namespace standin
