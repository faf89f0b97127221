// Dictionary records (entries in insertion order) and the default paint of new paths.
#include "model/Art.h"

#include <algorithm>
#include <unordered_set>

namespace standin {

DictKey::DictKey(const std::string& text) {
    // Nodes stay where they are as the set grows, so the pointers hold.
    static std::unordered_set<std::string> texts;
    text_ = &*texts.insert(text).first;
}

DictText::DictText(std::string_view text) : rep_(new Rep{std::string(text)}) {}

DictText::~DictText() {
    if (rep_->refs.fetch_sub(1, std::memory_order_acq_rel) == 1) delete rep_;
}

const DictValue* Dict::find(const std::string& key) const {
    for (const auto& [k, v] : entries)
        if (k.str() == key) return &v;
    return nullptr;
}

DictValue* Dict::find(const std::string& key) {
    for (auto& [k, v] : entries)
        if (k.str() == key) return &v;
    return nullptr;
}

void Dict::set(const std::string& key, DictValue value) {
    if (DictValue* v = find(key)) {
        *v = std::move(value);
        return;
    }
    entries.emplace_back(key, std::move(value));
}

bool Dict::erase(const std::string& key) {
    auto it = std::find_if(entries.begin(), entries.end(), [&](const auto& e) { return e.first.str() == key; });
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
