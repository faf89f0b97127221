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

}  // namespace standin
