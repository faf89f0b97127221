// Objects kept by id, found in one step through a page of neighbouring ids. Ids are handed
// out in order, so objects made together are found together: a walk or a selection of
// tens of thousands stays in the processor's cache, where a hash lookup per object would
// miss it at every step once the document outgrows it.
#pragma once

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
        const Page* page = pageOf(id);
        return page ? page->slots[id & kSlotMask].get() : nullptr;
    }
    const T* find(uint64_t id) const { return const_cast<IdStore*>(this)->find(id); }

    // Inserts or replaces; the object keeps its place in memory when replaced.
    T& put(uint64_t id, T value) {
        std::unique_ptr<Page>& page = pages_[id >> kPageBits];
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
        auto page = pages_.find(id >> kPageBits);
        if (page == pages_.end()) return;
        std::unique_ptr<T>& slot = page->second->slots[id & kSlotMask];
        if (!slot) return;
        slot.reset();
        --size_;
        if (--page->second->used > 0) return;
        if (page->second.get() == lastPage_) lastPage_ = nullptr;
        pages_.erase(page);
    }

    size_t size() const { return size_; }
    // Calls `visit(id, object)` for every object, in no particular order.
    template <class Visit>
    void forEach(Visit visit) const {
        for (const auto& [key, page] : pages_)
            for (uint64_t i = 0; i <= kSlotMask; ++i)
                if (const T* object = page->slots[i].get()) visit(key << kPageBits | i, *object);
    }

private:
    static constexpr unsigned kPageBits = 6;
    static constexpr uint64_t kSlotMask = (uint64_t{1} << kPageBits) - 1;
    // The page owns its objects: a lookup or a change touches the page and the object,
    // never a table as large as the document.
    struct Page {
        std::array<std::unique_ptr<T>, size_t{1} << kPageBits> slots{};
        unsigned used = 0;
    };

    Page* pageOf(uint64_t id) const {
        const uint64_t key = id >> kPageBits;
        if (lastPage_ && lastKey_ == key) return lastPage_;
        auto it = pages_.find(key);
        if (it == pages_.end()) return nullptr;
        lastKey_ = key;
        lastPage_ = it->second.get();
        return lastPage_;
    }

    std::unordered_map<uint64_t, std::unique_ptr<Page>> pages_;
    size_t size_ = 0;
    // The page asked for last: a walk asks for the same page many times running.
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
