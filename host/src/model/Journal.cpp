// The undo journal: copy-before-first-change per segment, gesture entries merged from
// their segments (the earliest record of each object wins), and reverts that hand back
// their own inverse so undo and redo are the same operation. Each entry knows the host
// messages whose changes it holds, so that a later message carrying on one of them can
// join it.
#include "model/Journal.h"

#include <algorithm>

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
// first record in a segment is the one kept, and a later one is not even made. Kept whole
// or not at all: an object marked without its record would never be recorded, and undo
// could not bring it back; room is made before `make()` takes an erased art over.
template <class Record, class Make>
void record(IdSet& recorded, std::vector<std::pair<ObjId, Record>>& records, ObjId id, Make make) {
    if (!recorded.insert(id)) return;
    try {
        if (records.size() == records.capacity()) records.reserve(std::max<size_t>(16, 2 * records.capacity()));
        records.emplace_back(id, make());
    } catch (...) {
        recorded.erase(id);
        throw;
    }
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
    if (art.dictionary) s.erasedDicts.emplace_back(id, art.dictionary);
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

void Journal::beginMessage(MessageKind kind, uint64_t message) {
    if (inMessage_) endMessage();
    commit();
    if (kind == MessageKind::MouseDown || kind == MessageKind::Other) finishGesture();
    if (kind != MessageKind::Other) {
        inGesture_ = true;
        if (message) gestureMessages_.push_back(message);
    }
    inMessage_ = true;
    kind_ = kind;
    message_ = message;
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
            } else {
                if (message_) seg.messages.push_back(message_);
                if (!folding_)
                    closeEntry(std::move(seg), join_);
                else
                    fold(std::move(seg));
            }
        }
    }
    join_ = 0;
    if (kind_ == MessageKind::MouseUp) finishGesture();
    kind_ = MessageKind::Other;
    message_ = 0;
}

void Journal::joinStep(uint64_t step) {
    if (!inMessage_) return;
    (inGesture_ ? gestureJoin_ : join_) = step;
}

void Journal::closeEntry(Segment&& entry, uint64_t join) {
    dropUnchanged(entry);
    if (entry.empty()) return;  // nothing to undo, and what was undone can still be redone
    const std::vector<uint64_t>* latest = undo_.empty() ? nullptr : &undo_.back().messages;
    if (join && latest && std::ranges::find(*latest, join) != latest->end()) {
        mergeInto(undo_.back(), std::move(entry));
        settle(undo_.back());
    } else {
        // Message `join` changed nothing and nothing has been changed since: this entry is
        // the first of its command to hold changes, and what joins that message later joins it.
        if (join && (!latest || latest->empty() || std::ranges::max(*latest) < join)) entry.messages.push_back(join);
        undo_.push_back(std::move(entry));
    }
    redo_.clear();
}

void Journal::commit() {
    if (inMessage_ || !cur_) return;
    settle(*cur_);
    dropUnchanged(*cur_);
    if (!cur_->empty()) {
        undo_.push_back(std::move(*cur_));
        redo_.clear();
    }
    cur_.reset();
}

void Journal::finishGesture() {
    if (gestureEntry_) settle(*gestureEntry_);
    if (gestureEntry_ && !gestureEntry_->empty()) {
        gestureEntry_->messages.insert(gestureEntry_->messages.end(), gestureMessages_.begin(), gestureMessages_.end());
        closeEntry(std::move(*gestureEntry_), gestureJoin_);
    }
    gestureEntry_.reset();
    drags_.clear();
    gestureMessages_.clear();
    gestureJoin_ = 0;
    inGesture_ = false;
}

void Journal::mergeInto(Segment& entry, Segment&& seg) {
    for (auto& r : seg.arts) record(entry.artsRecorded, entry.arts, r.first, [&] { return std::move(r.second); });
    for (auto& r : seg.dicts) record(entry.dictsRecorded, entry.dicts, r.first, [&] { return std::move(r.second); });
    entry.erasedDicts.insert(entry.erasedDicts.end(), seg.erasedDicts.begin(), seg.erasedDicts.end());
    if (!entry.state && seg.state) entry.state = std::move(seg.state);
    if (!entry.revisionBefore) entry.revisionBefore = seg.revisionBefore;
    entry.messages.insert(entry.messages.end(), seg.messages.begin(), seg.messages.end());
}

void Journal::fold(Segment&& seg) {
    if (!undo_.empty()) mergeInto(undo_.back(), std::move(seg));
}

void Journal::keepSoFar() {
    if (!inMessage_ || !cur_) return;
    Segment seg = std::move(*cur_);
    cur_.reset();
    settle(seg);
    if (seg.empty()) return;
    // What later messages do to carry on this one's work (a timer it started) joins it there.
    if (message_) seg.messages.push_back(message_);
    fold(std::move(seg));
}

void Journal::settle(Segment& seg) const {
    IdSet madeAndGone, theirDicts;
    std::erase_if(seg.arts, [&](const auto& r) {
        const bool gone = !r.second && !doc_.art(r.first);
        if (gone) madeAndGone.insert(r.first);
        return gone;
    });
    // A dictionary handed to art only when it was first asked for is journaled from its
    // first write; when that art is gone again, so is all that was written into it.
    for (const auto& [art, dict] : seg.erasedDicts)
        if (madeAndGone.contains(art)) theirDicts.insert(dict);
    std::erase_if(seg.erasedDicts, [&](const auto& e) { return madeAndGone.contains(e.first); });
    std::erase_if(seg.dicts, [&](const auto& r) {
        const bool gone = (!r.second && !doc_.dict(r.first)) || theirDicts.contains(r.first);
        if (gone) seg.dictsRecorded.erase(r.first);
        return gone;
    });
}

IdSet Journal::heldNewDicts(const Segment& seg) const {
    // A dictionary the step made can only be held through what the step changed: its art,
    // the dictionaries it wrote (or made, when those are held themselves), the document's.
    IdSet made, held;
    std::vector<ObjId> todo;
    auto hold = [&](ObjId id) {
        if (id && made.contains(id) && held.insert(id)) todo.push_back(id);
    };
    auto holdLinksOf = [&](ObjId id) {
        if (const Dict* d = doc_.dict(id))
            for (const auto& [key, value] : d->entries)
                if (const auto* link = std::get_if<DictLink>(&value)) hold(link->id);
    };
    for (const auto& [id, rec] : seg.dicts)
        if (!rec) made.insert(id);
    hold(doc_.state().dictionary);
    for (const auto& [id, rec] : seg.arts)
        if (const Art* a = doc_.art(id)) hold(a->dictionary);
    for (const auto& [id, rec] : seg.dicts)
        if (rec) holdLinksOf(id);
    while (!todo.empty()) {
        const ObjId id = todo.back();
        todo.pop_back();
        holdLinksOf(id);
    }
    return held;
}

void Journal::dropUnchanged(Segment& seg) const {
    // Each dropped id is forgotten too, so a message joining the step later records it afresh.
    std::erase_if(seg.arts, [&](const auto& r) {
        const Art* now = doc_.art(r.first);
        const bool same = r.second && now && sameArt(*r.second, *now);
        if (same) seg.artsRecorded.erase(r.first);
        return same;
    });
    // A dictionary made and left empty, or let go again, holds nothing to take back either.
    const IdSet held = heldNewDicts(seg);
    std::erase_if(seg.dicts, [&](const auto& r) {
        const Dict* now = doc_.dict(r.first);
        const bool same = now && (r.second ? r.second->entries == now->entries
                                           : now->entries.empty() || !held.contains(r.first));
        if (same) seg.dictsRecorded.erase(r.first);
        return same;
    });
    if (seg.state && sameState(*seg.state, doc_.state())) seg.state.reset();
}

Segment Journal::revert(Segment&& seg) {
    Segment inverse;
    inverse.revisionBefore = doc_.revision();
    inverse.messages = std::move(seg.messages);  // the same command, for messages that join it
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

bool Journal::undoAllChanges() {
    if (!inMessage_) return false;
    // In a gesture its entry holds the earliest record of each object it changed, the
    // reverted drags included, so putting those back gives the drawing as it was at the press.
    if (inGesture_) flushOpen();
    std::optional<Segment>& changes = inGesture_ ? gestureEntry_ : cur_;
    if (changes) (void)revert(std::move(*changes));
    changes.reset();
    drags_.clear();
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
    gestureMessages_.clear();
    join_ = gestureJoin_ = 0;
    inGesture_ = false;
}

}  // namespace standin
