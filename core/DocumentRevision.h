// What the plug-in works out from a drawing (its snap points, its dimension layer) is kept
// with the revisions of the document it holds for, and worked out again only when the
// document says it changed: a revision the host gives for the front document's content,
// which undo and redo give back with the content they bring back.
#pragma once

#include <cstddef>
#include <cstdint>

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
    // Worked out just now: it holds for the current revision alone.
    void WorkedOut();
    // The changes since `before` left it true: held then, it holds now too.
    void Kept(const DocumentStamp& before);
    void Forget() { count_ = 0; }

private:
    bool HoldsFor(const DocumentStamp& stamp) const;
    void Add(const DocumentStamp& stamp);
    static constexpr size_t kKept = 8;
    DocumentStamp stamps_[kKept] = {};
    size_t count_ = 0, next_ = 0;
};
