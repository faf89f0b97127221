// The stamps of the front document, read through the host's document suite, and the last
// few a derived value holds for, kept in a small ring so that the revisions undo and redo
// bring back are still known.
#include "core/DocumentRevision.h"

#include <algorithm>

#include "core/PlotwiseSuites.h"

bool CurrentDocumentStamp(DocumentStamp* stamp) {
    if (!stamp || !sAIDocument || !sAIDocument->GetDocumentRevision) return false;
    return sAIDocument->GetDocument(&stamp->document) == kNoErr &&
           sAIDocument->GetDocumentRevision(&stamp->revision) == kNoErr;
}

bool DerivedFromDocument::HoldsFor(const DocumentStamp& stamp) const {
    return std::find(stamps_, stamps_ + count_, stamp) != stamps_ + count_;
}

void DerivedFromDocument::Add(const DocumentStamp& stamp) {
    if (HoldsFor(stamp)) return;
    stamps_[next_] = stamp;
    next_ = (next_ + 1) % kKept;
    count_ = std::min(count_ + 1, kKept);
}

bool DerivedFromDocument::Holds() const {
    DocumentStamp now;
    return CurrentDocumentStamp(&now) && HoldsFor(now);
}

void DerivedFromDocument::WorkedOut() {
    Forget();
    DocumentStamp now;
    if (CurrentDocumentStamp(&now)) Add(now);
}

bool DerivedFromDocument::Kept(const DocumentStamp& before) {
    DocumentStamp now;
    if (!HoldsFor(before) || !CurrentDocumentStamp(&now) || now.document != before.document) return false;
    Add(now);
    return true;
}
