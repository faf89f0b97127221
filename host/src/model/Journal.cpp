// The undo journal: copy-before-first-change per segment, gesture entries merged from
// their segments (the earliest record of each object wins), and reverts that hand back
// their own inverse so undo and redo are the same operation.
#include "model/Journal.h"

#include "model/Document.h"

namespace standin {

Segment& Journal::open() {
    if (!cur_) {
        cur_.emplace();
        cur_->drag = inMessage_ && kind_ == MessageKind::MouseDrag;
        cur_->revisionBefore = doc_.revision();
    }
    return *cur_;
}

namespace {

// Keeps `make()` as the record of `id` unless the segment holds one already: each object's
// first record in a segment is the one kept, and a later one is not even made.
template <class Record, class Make>
void record(IdSet& recorded, std::vector<std::pair<ObjId, Record>>& records, ObjId id, Make make) {
    if (recorded.insert(id)) records.emplace_back(id, make());
}

ArtRecord recordOf(const Art* a) { return a ? std::make_shared<const Art>(*a) : nullptr; }

std::optional<Dict> recordOf(const Dict* d) { return d ? std::optional<Dict>(*d) : std::nullopt; }

}  // namespace

void Journal::touchArt(ObjId id) {
    Segment& s = open();
    record(s.artsRecorded, s.arts, id, [&] { return recordOf(doc_.art(id)); });
}

void Journal::touchErasedArt(ObjId id, Art&& art) {
    Segment& s = open();
    record(s.artsRecorded, s.arts, id, [&] { return std::make_shared<const Art>(std::move(art)); });
}

void Journal::touchDict(ObjId id) {
    Segment& s = open();
    record(s.dictsRecorded, s.dicts, id, [&] { return recordOf(doc_.dict(id)); });
}

void Journal::touchState() {
    Segment& s = open();
    if (!s.state) s.state = doc_.state();
}

void Journal::beginMessage(MessageKind kind) {
    if (inMessage_) endMessage();
    commit();
    if (kind == MessageKind::MouseDown || kind == MessageKind::Other) finishGesture();
    if (kind != MessageKind::Other) inGesture_ = true;
    inMessage_ = true;
    kind_ = kind;
}

void Journal::endMessage() {
    if (!inMessage_) return;
    inMessage_ = false;
    if (cur_) {
        Segment seg = std::move(*cur_);
        cur_.reset();
        settle(seg);
        if (!seg.empty()) {
            if (inGesture_) {
                if (seg.drag) drags_.push_back(seg);
                if (!gestureEntry_) gestureEntry_.emplace();
                mergeInto(*gestureEntry_, std::move(seg));
            } else if (folding_) {
                if (!undo_.empty()) mergeInto(undo_.back(), std::move(seg));
            } else {
                undo_.push_back(std::move(seg));
                redo_.clear();
            }
        }
    }
    if (kind_ == MessageKind::MouseUp) finishGesture();
    kind_ = MessageKind::Other;
}

void Journal::commit() {
    if (inMessage_ || !cur_) return;
    settle(*cur_);
    if (!cur_->empty()) {
        undo_.push_back(std::move(*cur_));
        redo_.clear();
    }
    cur_.reset();
}

void Journal::finishGesture() {
    if (gestureEntry_) settle(*gestureEntry_);
    if (gestureEntry_ && !gestureEntry_->empty()) {
        undo_.push_back(std::move(*gestureEntry_));
        redo_.clear();
    }
    gestureEntry_.reset();
    drags_.clear();
    inGesture_ = false;
}

void Journal::mergeInto(Segment& entry, Segment&& seg) {
    for (auto& r : seg.arts) record(entry.artsRecorded, entry.arts, r.first, [&] { return std::move(r.second); });
    for (auto& r : seg.dicts) record(entry.dictsRecorded, entry.dicts, r.first, [&] { return std::move(r.second); });
    if (!entry.state && seg.state) entry.state = std::move(seg.state);
    if (!entry.revisionBefore) entry.revisionBefore = seg.revisionBefore;
}

void Journal::settle(Segment& seg) const {
    std::erase_if(seg.arts, [this](const auto& r) { return !r.second && !doc_.art(r.first); });
    std::erase_if(seg.dicts, [this](const auto& r) { return !r.second && !doc_.dict(r.first); });
}

Segment Journal::revert(Segment&& seg) {
    Segment inverse;
    inverse.revisionBefore = doc_.revision();
    for (const auto& [id, rec] : seg.arts) {
        record(inverse.artsRecorded, inverse.arts, id, [&, id = id] { return recordOf(doc_.art(id)); });
        doc_.restoreArt(id, rec.get());
    }
    for (const auto& [id, rec] : seg.dicts) {
        record(inverse.dictsRecorded, inverse.dicts, id, [&, id = id] { return recordOf(doc_.dict(id)); });
        doc_.restoreDict(id, rec);
    }
    if (seg.state) {
        inverse.state = doc_.state();
        doc_.restoreState(*seg.state);
    }
    if (seg.revisionBefore) doc_.setRevision(*seg.revisionBefore);
    return inverse;
}

void Journal::revertJournaled(const Segment& seg) {
    for (const auto& [id, rec] : seg.arts) {
        touchArt(id);
        doc_.restoreArt(id, rec.get());
    }
    for (const auto& [id, rec] : seg.dicts) {
        touchDict(id);
        doc_.restoreDict(id, rec);
    }
    if (seg.state) {
        touchState();
        doc_.restoreState(*seg.state);
    }
    if (seg.revisionBefore) doc_.setRevision(*seg.revisionBefore);
}

bool Journal::undoChanges() {
    if (drags_.empty()) return false;
    Segment seg = std::move(drags_.back());
    drags_.pop_back();
    // The revert belongs to the gesture but not to the open drag segment: the next
    // UndoChanges must take back only what this drag does after it, or the art of the
    // drag before would come back.
    flushOpen();
    revertJournaled(seg);
    flushOpen();
    return true;
}

void Journal::flushOpen() {
    if (!cur_) return;
    Segment seg = std::move(*cur_);
    cur_.reset();
    if (seg.empty()) return;
    if (!gestureEntry_) gestureEntry_.emplace();
    mergeInto(*gestureEntry_, std::move(seg));
}

bool Journal::userUndo() {
    if (inMessage_) return false;
    commit();
    finishGesture();
    if (undo_.empty()) return false;
    Segment entry = std::move(undo_.back());
    undo_.pop_back();
    redo_.push_back(revert(std::move(entry)));
    return true;
}

bool Journal::userRedo() {
    if (inMessage_) return false;
    commit();
    finishGesture();
    if (redo_.empty()) return false;
    Segment entry = std::move(redo_.back());
    redo_.pop_back();
    undo_.push_back(revert(std::move(entry)));
    return true;
}

void Journal::clear() {
    cur_.reset();
    gestureEntry_.reset();
    drags_.clear();
    undo_.clear();
    redo_.clear();
    inGesture_ = false;
}

}  // namespace standin
