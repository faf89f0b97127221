// The undo journal of one document. Each host message opens a segment; before an object
// changes for the first time in a segment its record is copied into the segment, so a
// segment costs what it touched, never the size of the document. UndoChanges reverts the
// latest unreverted drag segment of the current gesture (recording the revert in the
// open segment); user undo and redo work on whole entries: one per gesture (mouse down
// to mouse up) and one per other message that changed something. A message (or gesture)
// that carries on an earlier one's work may join the entry holding that message's changes,
// as long as that entry is still the latest.
#pragma once

#include <memory>
#include <optional>
#include <vector>

#include "model/Art.h"
#include "model/IdStore.h"

namespace standin {

enum class MessageKind { Other, MouseDown, MouseDrag, MouseUp };

// Art as it was before a segment first changed it; null when it did not exist. A record
// never changes once taken, so copies of a segment share it, and art the segment made
// costs a pointer, not a whole empty art.
using ArtRecord = std::shared_ptr<const Art>;

struct Segment {
    // The records before the segment's first change, in the order first changed; a dict's
    // is empty when it did not exist. Kept in lists, each id once (the bits below): a push
    // to thousands of dimensions records hundreds of thousands of objects, and a list
    // takes them in order where a table would miss the processor's cache at every one.
    std::vector<std::pair<ObjId, ArtRecord>> arts;
    std::vector<std::pair<ObjId, std::optional<Dict>>> dicts;
    IdSet artsRecorded, dictsRecorded;
    // Art erased in the segment, with its dictionary: art the segment made and erased again
    // takes the dictionary it was handed with it (see settle).
    std::vector<std::pair<ObjId, ObjId>> erasedDicts;
    std::optional<DocState> state;
    // The document's revision before the segment's first change, given back with its content.
    std::optional<uint64_t> revisionBefore;
    // The host messages whose changes the entry holds (see Journal::beginMessage).
    std::vector<uint64_t> messages;
    bool drag = false;

    bool empty() const { return arts.empty() && dicts.empty() && !state; }
};

class Document;

class Journal {
public:
    explicit Journal(Document& doc) : doc_(doc) {}

    // Message boundaries (the host calls these for every open document); `message` numbers
    // the host message, 0 for none.
    void beginMessage(MessageKind kind, uint64_t message = 0);
    void endMessage();
    bool inMessage() const { return inMessage_; }

    // Record an object before its first change in the open segment.
    void touchArt(ObjId id);
    // The same for art about to be erased: its record is moved in, not copied.
    void touchErasedArt(ObjId id, Art&& art);
    void touchDict(ObjId id);
    void touchState();

    // What the open message changes (in a gesture: the whole gesture) joins the entry that
    // holds the changes of message `step`, if that entry is the latest when the changes are
    // closed; otherwise they make an entry of their own, which stands for message `step`
    // too when that message changed nothing and nothing has changed since.
    void joinStep(uint64_t step);

    // Revert the latest unreverted drag segment of the gesture; false when there is none.
    bool undoChanges();
    // Revert everything the open gesture (its press, drags and the message in hand) or,
    // outside a gesture, the open message has changed so far: nothing of it is left to
    // become a step; false outside a message.
    bool undoAllChanges();
    // What the open message has changed so far joins the latest entry (with none, no entry)
    // as folded changes do, with the message's number (a message joining its step later joins
    // that entry), and leaves the open segment: undoAllChanges no longer reverts it. For work
    // that follows an earlier message's or the host's change.
    void keepSoFar();
    bool userUndo();
    bool userRedo();
    bool canUndo() const { return !undo_.empty() || hasLooseChanges(); }
    bool canRedo() const { return !redo_.empty(); }
    // While set, what a message changes joins the latest undo entry (or is no step at all
    // when there is none) and redo stays: the plug-ins' bookkeeping while a file command runs
    // is no command of the user's.
    void setFolding(bool on) { folding_ = on; }
    // Close changes made outside any message into their own entry.
    void commit();
    // Forget all history (after loading a document).
    void clear();

    size_t undoDepth() const { return undo_.size(); }

private:
    Segment& open();
    bool hasLooseChanges() const { return !inMessage_ && cur_ && !cur_->empty(); }
    void finishGesture();
    void flushOpen();  // the open segment's changes so far go to the gesture entry
    void mergeInto(Segment& entry, Segment&& seg);
    // Changes that are no command of the user's: into the latest entry, redo left as it is.
    void fold(Segment&& seg);
    // Closes a finished message's or gesture's changes into the undo entries: joined to the
    // latest entry when it holds message `join`, else as an entry of their own.
    void closeEntry(Segment&& entry, uint64_t join);
    // Drops the records of objects made since and gone again (text measured by its
    // outlines, a redraw that drew what was there), the dictionaries handed to such art
    // included: there is nothing to undo of them, and they would cost memory to keep.
    void settle(Segment& seg) const;
    // Drops the records of what the changes put back as it was (a drag's preview taken away
    // at the release, an entry written with what it held): a gesture or message that changed
    // nothing is no step of undo.
    void dropUnchanged(Segment& seg) const;
    // The dictionaries the segment made that the drawing holds now.
    IdSet heldNewDicts(const Segment& seg) const;
    Segment revert(Segment&& seg);           // returns the inverse
    void revertJournaled(const Segment& seg);  // records the revert in the open segment

    Document& doc_;
    std::optional<Segment> cur_;
    bool inMessage_ = false;
    MessageKind kind_ = MessageKind::Other;
    bool inGesture_ = false;
    bool folding_ = false;
    uint64_t message_ = 0;                  // the open message
    uint64_t join_ = 0, gestureJoin_ = 0;   // the step the open message (gesture) joins
    std::vector<uint64_t> gestureMessages_; // the messages of the gesture so far
    std::optional<Segment> gestureEntry_;   // everything the gesture changed so far
    std::vector<Segment> drags_;            // unreverted drag segments of the gesture
    std::vector<Segment> undo_;
    std::vector<Segment> redo_;
};

}  // namespace standin
