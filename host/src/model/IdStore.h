// Objects kept by id, found in one step through a page of neighbouring ids. Ids are handed
// out in order, so objects made together are found together: a walk or a selection of
// tens of thousands stays in the processor's cache, where a hash lookup per object would
// miss it at every step once the document outgrows it.
#pragma once

#include <algorithm>
#include <array>
#include <bit>
#include <cstdint>
#include <memory>
#include <unordered_map>
#include <utility>
#include <vector>

namespace standin {

template <class T>
class IdStore {
public:
    T* find(uint64_t id) {
        const Page* page = pageOf(id >> kPageBits);
        return page ? page->slots[id & kSlotMask].get() : nullptr;
    }
    const T* find(uint64_t id) const { return const_cast<IdStore*>(this)->find(id); }

    // Inserts or replaces; the object keeps its place in memory when replaced.
    T& put(uint64_t id, T value) {
        std::unique_ptr<Page>& page = pageSlot(id >> kPageBits);
        if (!page) page = std::make_unique<Page>();
        std::unique_ptr<T>& slot = page->slots[id & kSlotMask];
        if (slot) {
            *slot = std::move(value);
        } else {
            slot = std::make_unique<T>(std::move(value));
            ++page->used;
            ++size_;
        }
        return *slot;
    }

    void erase(uint64_t id) {
        const uint64_t key = id >> kPageBits;
        Page* page = pageOf(key);
        if (!page) return;
        std::unique_ptr<T>& slot = page->slots[id & kSlotMask];
        if (!slot) return;
        slot.reset();
        --size_;
        if (--page->used > 0) return;
        if (page == lastPage_) lastPage_ = nullptr;
        if (key - base_ < near_.size())
            near_[key - base_].reset();
        else
            far_.erase(key);
    }

    size_t size() const { return size_; }
    // Calls `visit(id, object)` for every object, in no particular order.
    template <class Visit>
    void forEach(Visit visit) const {
        const auto visitPage = [&](uint64_t key, const Page& page) {
            for (uint64_t i = 0; i <= kSlotMask; ++i)
                if (const T* object = page.slots[i].get()) visit(key << kPageBits | i, *object);
        };
        for (size_t i = 0; i < near_.size(); ++i)
            if (near_[i]) visitPage(base_ + i, *near_[i]);
        for (const auto& [key, page] : far_) visitPage(key, *page);
    }

private:
    static constexpr unsigned kPageBits = 6;
    static constexpr uint64_t kSlotMask = (uint64_t{1} << kPageBits) - 1;
    // The most pages the table spans (8 MB of pointers at most, for 64 million ids).
    static constexpr uint64_t kNearPages = uint64_t{1} << 20;
    // The page owns its objects: a lookup or a change touches the page and the object,
    // never a table as large as the document.
    struct Page {
        std::array<std::unique_ptr<T>, size_t{1} << kPageBits> slots{};
        unsigned used = 0;
    };

    Page* pageOf(uint64_t key) const {
        if (key - base_ < near_.size()) return near_[key - base_].get();
        if (lastPage_ && lastKey_ == key) return lastPage_;
        auto it = far_.find(key);
        if (it == far_.end()) return nullptr;
        lastKey_ = key;
        lastPage_ = it->second.get();
        return lastPage_;
    }

    std::unique_ptr<Page>& pageSlot(uint64_t key) {
        if (near_.empty() && far_.empty()) base_ = key;
        if (key >= base_ && key - base_ < kNearPages) {
            const uint64_t at = key - base_;
            if (at >= near_.size()) near_.resize(std::min(kNearPages, std::max(at + 1, static_cast<uint64_t>(near_.size()) * 2)));
            return near_[at];
        }
        if (key < base_ && base_ - key + near_.size() <= kNearPages) {
            std::vector<std::unique_ptr<Page>> wider(base_ - key + near_.size());
            std::move(near_.begin(), near_.end(), wider.begin() + static_cast<ptrdiff_t>(base_ - key));
            near_ = std::move(wider);
            base_ = key;
            return near_.front();
        }
        return far_[key];
    }

    // The host hands ids out in order to every document it holds, so a document's ids lie
    // in a span that starts where its first id does: pages in that span are found by their
    // number in a table, without hashing. Ids beyond it (a file may hold any number) are
    // kept apart and looked up by hash.
    uint64_t base_ = 0;
    std::vector<std::unique_ptr<Page>> near_;
    std::unordered_map<uint64_t, std::unique_ptr<Page>> far_;
    size_t size_ = 0;
    // The far page asked for last: a walk asks for the same page many times running.
    mutable uint64_t lastKey_ = 0;
    mutable Page* lastPage_ = nullptr;
};

// A set of ids as bits, 64 neighbouring ids to a word: adding or taking out an id of a
// large set touches one word, and the set takes a bit per id, not a node.
class IdSet {
public:
    bool contains(uint64_t id) const {
        auto it = words_.find(id >> 6);
        return it != words_.end() && (it->second >> (id & 63) & 1);
    }
    // True when the id was not there before.
    bool insert(uint64_t id) {
        uint64_t& word = words_[id >> 6];
        const uint64_t bit = uint64_t{1} << (id & 63);
        if (word & bit) return false;
        word |= bit;
        ++size_;
        return true;
    }
    void erase(uint64_t id) {
        auto it = words_.find(id >> 6);
        const uint64_t bit = uint64_t{1} << (id & 63);
        if (it == words_.end() || !(it->second & bit)) return;
        --size_;
        if ((it->second &= ~bit) == 0) words_.erase(it);
    }
    void clear() {
        words_.clear();
        size_ = 0;
    }
    size_t size() const { return size_; }
    bool empty() const { return size_ == 0; }
    // Every id, in no particular order.
    std::vector<uint64_t> ids() const {
        std::vector<uint64_t> out;
        out.reserve(size_);
        for (const auto& [key, word] : words_)
            for (uint64_t bits = word; bits; bits &= bits - 1)
                out.push_back(key << 6 | static_cast<uint64_t>(std::countr_zero(bits)));
        return out;
    }

private:
    std::unordered_map<uint64_t, uint64_t> words_;
    size_t size_ = 0;
};

}  // namespace standin
