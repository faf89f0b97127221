// What the plug-in works out from a whole drawing (its dimension layer, its highest
// dimension id) is kept with the revisions of the document it holds for, and worked out
// again only when the document says it changed: a revision the host gives for the front
// document's content, which undo and redo give back with the content they bring back.
#pragma once

#include <cstddef>
#include <cstdint>
#include <utility>

#include "AITypes.h"

struct DocumentStamp {
    AIDocumentHandle document = nullptr;
    uint64_t revision = 0;
    bool operator==(const DocumentStamp&) const = default;
};

// The front document and its revision; false without a document or when the host gives no
// revision (then nothing is kept, and everything is worked out afresh).
bool CurrentDocumentStamp(DocumentStamp* stamp);

// The revisions something worked out holds for: the one it was worked out at, and those
// reached since by changes known to leave it true (a few; the oldest give way).
class DerivedFromDocument {
public:
    // Whether it holds for the front document as it is now.
    bool Holds() const;
    // The document it was worked out from (null: none yet).
    AIDocumentHandle Document() const { return count_ ? stamps_[(next_ + kKept - 1) % kKept].document : nullptr; }
    // Worked out just now: it holds for the current revision alone.
    void WorkedOut();
    // The changes since `before` left it true: held then, it holds now too (and the answer
    // is true).
    bool Kept(const DocumentStamp& before);
    void Forget() { count_ = next_ = 0; }
    bool HoldsFor(const DocumentStamp& stamp) const;

private:
    void Add(const DocumentStamp& stamp);
    static constexpr size_t kKept = 8;
    DocumentStamp stamps_[kKept] = {};
    size_t count_ = 0, next_ = 0;
};

// A value worked out from each of the last few documents in front, so that bringing one
// back to the front finds its value still there while the document is unchanged.
template <class T>
class KeptForDocuments {
public:
    // The front document's value when it holds for the document as it is now, else null.
    T* Current() {
        for (Entry& e : entries_)
            if (e.from.Document() && e.from.Holds()) return &e.value;
        return nullptr;
    }
    // Worked out just now from the front document: it takes the place of the document's
    // earlier value, or of the value least recently worked out.
    T& Store(T value) {
        DocumentStamp now;
        CurrentDocumentStamp(&now);
        Entry* slot = &entries_[0];
        for (Entry& e : entries_) {
            if (e.from.Document() == now.document) {
                slot = &e;
                break;
            }
            if (e.made < slot->made) slot = &e;
        }
        return Put(*slot, std::move(value));
    }
    // The changes since `before` left the value of that document true: it holds now too;
    // null when there was no value holding then. A value the changes altered is stored
    // afresh instead, so that it does not hold for the revisions before them.
    T* Kept(const DocumentStamp& before) {
        for (Entry& e : entries_) {
            if (e.from.Document() != before.document || !e.from.Kept(before)) continue;
            return &e.value;
        }
        return nullptr;
    }

    // The changes since `before` gave the document another value: it holds now, and the one
    // that held at `before` still holds for the revisions it held for, which an undo brings
    // back. Nothing is stored when no value held at `before`.
    void Changed(const DocumentStamp& before, T value) {
        const Entry* held = nullptr;
        for (const Entry& e : entries_)
            if (e.from.Document() == before.document && e.from.HoldsFor(before)) held = &e;
        if (!held) return;
        // Another value of the same document gives way first, then the least recent.
        const auto rank = [&](const Entry& e) { return std::pair(e.from.Document() != before.document, e.made); };
        Entry* slot = nullptr;
        for (Entry& e : entries_)
            if (&e != held && (!slot || rank(e) < rank(*slot))) slot = &e;
        Put(*slot, std::move(value));
    }

private:
    struct Entry {
        DerivedFromDocument from;
        T value{};
        uint64_t made = 0;
    };
    // The slot holds the value just worked out, for the current revision alone.
    T& Put(Entry& slot, T value) {
        slot.from.WorkedOut();
        slot.value = std::move(value);
        slot.made = ++made_;
        return slot.value;
    }
    static constexpr size_t kDocuments = 4;
    Entry entries_[kDocuments];
    uint64_t made_ = 0;
};
