// One open document: its art tree (a hidden root holding the top-level layer groups),
// its dictionaries, its page state and its undo journal. Every change goes through the
// methods here so the journal sees it. Errors are the host's four-character codes.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <unordered_map>
#include <vector>

#include "model/Art.h"
#include "model/ArtIndex.h"
#include "model/IdStore.h"
#include "model/Journal.h"

namespace standin {

class Host;

// The source of host-wide unique ids.
struct IdSource {
    ObjId next = 1;
    ObjId take() { return next++; }
    void atLeast(ObjId used) {
        if (used >= next) next = used + 1;
    }
};

class Document {
public:
    // A new document with one layer "Layer 1" (current).
    Document(IdSource& ids, AIReal width, AIReal height);
    // An empty document (no layers) for a loader to fill.
    struct Empty {};
    Document(IdSource& ids, Empty);
    Document(const Document&) = delete;
    Document& operator=(const Document&) = delete;

    ObjId id() const { return id_; }
    IdSource& ids() { return ids_; }
    Journal& journal() { return journal_; }
    std::string name;  // file name or "Untitled-N"
    // A number naming the document's content: every change gives it a new one, and undo and
    // redo give back the number of the content they bring back.
    uint64_t revision() const { return revision_; }
    // Counts the edits of art that was selected when it was edited: the selection's art
    // changed for those who follow it, though the selection may be the same.
    uint64_t selectedArtEdits() const { return selectedArtEdits_; }

    // ---- reading
    const Art* art(ObjId id) const;
    const Dict* dict(ObjId id) const;
    const DocState& state() const { return state_; }
    // Every art held (the root included), and each of them in no particular order.
    size_t artCount() const { return arts_.size(); }
    template <class Visit>
    void forEachArt(Visit visit) const { arts_.forEach(visit); }
    ObjId root() const { return state_.root; }
    // Live art other than the root (layer groups included).
    bool isArt(ObjId id) const;
    bool isLayer(ObjId id) const;
    std::vector<ObjId> children(ObjId id) const;  // top first
    std::vector<ObjId> topLayers() const;         // index order
    // The count of top-level layers, and the one at `index` in index order (0 past the end),
    // answered from a list kept while no layer moves.
    size_t layerCount() const { return layersIn(state_.root).size(); }
    ObjId nthLayer(size_t index) const;
    ObjId layerOf(ObjId art) const;               // the nearest layer group up the tree (or art itself)
    bool isDescendant(ObjId art, ObjId ancestor) const;
    // Selected as read by the art suite: own bit, or any member selected for containers.
    bool readsSelected(ObjId id) const;
    // Hidden or locked by itself, by an enclosing group, or by its layer or a parent layer.
    bool effectivelyHidden(ObjId id) const;
    bool effectivelyLocked(ObjId id) const;
    // Matching order (depth-first from the top, containers before members): whether `a`
    // comes before `b`, read from their places up the tree; and a list put in that order.
    bool paintsBefore(ObjId a, ObjId b) const;
    void sortInPaintOrder(std::vector<ObjId>& ids) const;
    // Art other than containers whose bounds meet `area`, in matching order, found in the
    // document's index without a walk.
    std::vector<ObjId> artIn(const AIRealRect& area) const;
    // Depth-first pre-order from the top (containers before members), root excluded.
    void walk(const std::function<void(const Art&, int depth)>& visit, ObjId from = 0) const;

    // ---- changing (all journaled)
    Art* editArt(ObjId id);
    Dict* editDict(ObjId id);
    DocState& editState();

    // Art of `type` placed by `order` relative to `prep` (null with kPlaceAboveAll /
    // kPlaceBelowAll: the current layer). Fails on a locked or hidden layer ('LOCK').
    AIErr newArt(int16_t type, int16_t order, ObjId prep, ObjId* made);
    AIErr disposeArt(ObjId id);
    AIErr reorderArt(ObjId id, int16_t order, ObjId prep);
    AIErr duplicateArt(ObjId id, int16_t order, ObjId prep, ObjId* made);
    // Sets or clears attribute bits; kArtSelected reaches members and path segments.
    AIErr setUserAttr(ObjId id, uint32_t mask, uint32_t value);
    AIErr setSegmentSelected(ObjId path, int index, int16_t state);
    // Maps paths and text; kBadParameterErr, changing nothing, when a result is not finite.
    AIErr transform(ObjId id, const AIRealMatrix& m, bool children);
    // Exact geometric bounds without stroke, of the art mapped by `m` when given; false
    // for art without geometry.
    bool bounds(ObjId id, AIRealRect* r, const AIRealMatrix* m = nullptr) const;
    // The text engine's measure of a text frame's bounds, mapped by `m` when given: the
    // exact bounds of its outline (set by the text engine; without it a frame measures as
    // the point of its anchor).
    using TextBoundsFn = bool (*)(const Art& text, const AIRealMatrix* m, AIRealRect* bounds);
    static inline TextBoundsFn textBounds = nullptr;

    // Dictionaries.
    ObjId newDict();
    // The art's dictionary (created on first request; art 0 = the document's).
    ObjId dictionaryOf(ObjId art);
    // Deep copy of a dictionary (sub-dictionaries copied too) from this or another document.
    ObjId copyDictFrom(const Document& source, ObjId id);
    // True when `inner` is `outer` or reachable from it.
    bool dictReaches(ObjId outer, ObjId inner) const;

    // Layers.
    ObjId insertLayer(ObjId relative, int16_t order, const std::string& title, AIErr* err = nullptr);
    AIErr deleteLayer(ObjId layer);
    ObjId layerByTitle(const std::string& title) const;
    // The layer directly inside `parent` that paints next after `after` (0: its first),
    // found among the layers, never by walking the parent's art; 0 when there is none.
    ObjId nextLayerIn(ObjId parent, ObjId after) const;
    AIErr setCurrentLayer(ObjId layer);
    ObjId currentLayer() const { return state_.currentLayer; }
    AIErr setCurrentLayer(const std::string& title);  // kNoSuchKey when no layer has it

    // Custom colours (swatches): ids are host-wide like art ids; names are unique.
    const CustomColorEntry* customColor(ObjId id) const;
    const CustomColorEntry* customColorByName(const std::string& name) const;
    // kBadParameterErr for an empty or used name or an unknown kind.
    AIErr newCustomColor(const std::string& name, const AICustomColor& color, ObjId* made);
    AIErr setCustomColor(ObjId id, const AICustomColor& color);

    // ---- convenience operations for drivers (journaled like any change)
    ObjId addLayer(const std::string& title);  // on top, made current
    AIErr setLayerVisible(const std::string& title, bool visible);
    AIErr setLayerEditable(const std::string& title, bool editable);
    // Plain art on top of the current layer with the current path style.
    AIErr addLine(AIRealPoint a, AIRealPoint b, ObjId* made = nullptr);
    AIErr addRect(AIReal x, AIReal y, AIReal w, AIReal h, ObjId* made = nullptr);     // x,y bottom-left
    AIErr addEllipse(AIReal x, AIReal y, AIReal w, AIReal h, ObjId* made = nullptr);  // four Beziers
    AIErr addPolyline(const std::vector<AIRealPoint>& points, bool closed, ObjId* made = nullptr);
    AIErr addPath(const std::vector<AIPathSegment>& segments, bool closed, ObjId* made = nullptr);
    void selectAll();
    void selectNone();
    AIErr select(ObjId id);
    // Copies of art of `source` (with members, dictionaries and tags) on top of the
    // current layer, in their order, left selected with everything else deselected, as
    // the host's paste leaves them. Listed members of listed containers come with their
    // container. Fails on a hidden or locked current layer ('LOCK').
    AIErr pasteArt(const Document& source, const std::vector<ObjId>& ids, std::vector<ObjId>* made = nullptr);
    // Ids of the art reading as selected (layer groups left out), in matching order; the
    // list holds until the document next changes.
    const std::vector<ObjId>& selection() const;
    // The type of each art of that list, in its order: a search for selected art of one
    // type reads no art.
    const std::vector<int16_t>& selectionTypes() const;

    // ---- the user's edits of the selection (the edit menu and the host's own move)
    // The art those edits act on, outermost first in matching order. Art is `whole` when it
    // is selected with everything in it: a path with every anchor, a container with every
    // member (art inside whole art is not listed again). A path that is not whole but has
    // anchors or handles selected, as the direct-selection tool leaves it, is listed with
    // `whole` false.
    struct SelectedArt {
        ObjId id = 0;
        bool whole = true;
        bool operator==(const SelectedArt&) const = default;
    };
    std::vector<SelectedArt> selectedArt() const;
    // The host's move of the selection by (dx, dy): whole art moves whole; of a partially
    // selected path only the selected anchors move, with their handles, and a selected
    // handle alone moves alone. Nothing moves, and the answer is kBadParameterErr, when a
    // result would not be finite; kLockedErr when any of the art is locked or hidden
    // (by itself, a group or its layer).
    AIErr translateSelection(AIReal dx, AIReal dy);
    // Removes the selected art (whole art only: kBadParameterErr, removing nothing, when a
    // path is only partly selected); kLockedErr as for a move.
    AIErr deleteSelection();
    // Matching order, layer groups left out; `keep` filters.
    std::vector<ObjId> matching(const std::function<bool(const Art&)>& keep) const;

    // ---- for loaders: raw records, ids kept (the caller keeps the tree consistent)
    void putArt(Art art);
    void putDict(Dict dict);
    void putState(const DocState& state);

private:
    friend class Journal;
    void restoreArt(ObjId id, const Art* rec);  // null: it did not exist
    void restoreDict(ObjId id, const std::optional<Dict>& rec);
    void restoreState(const DocState& s) { state_ = s; }
    void setRevision(uint64_t revision) { revision_ = revision; }
    // Every change: a new revision, and the art noted for the index.
    void changed();
    void changed(ObjId art) {
        index_.touched(art);
        ++artChanges_;
        changed();
    }
    const ArtIndex& index() const;
    // The layers directly inside a layer (or the root), in paint order.
    const std::vector<ObjId>& layersIn(ObjId parent) const;
    // Gives placed art its key among its siblings (rekeying them all only when no gap is left).
    void placeAmongSiblings(ObjId id);
    ObjId makeArt(int16_t type);
    bool effectivelyHiddenOrLockedLayer(ObjId id) const;
    void link(ObjId id, ObjId parent, ObjId before);  // insert above `before` (0 = at the bottom)
    // Records the art a link into `parent` above `before` changes, so that new art made
    // next is linked without an allocation that could leave it out of the tree.
    void recordPlace(ObjId parent, ObjId before);
    void unlink(ObjId id);
    AIErr placement(int16_t order, ObjId prep, ObjId* parent, ObjId* before) const;
    // New geometry for moved art, made whole before any of it is applied.
    struct Moves {
        std::vector<std::pair<ObjId, std::vector<AIPathSegment>>> paths;
        std::vector<std::pair<ObjId, AIRealMatrix>> texts;
    };
    AIErr planTransform(ObjId id, const AIRealMatrix& m, bool withChildren, Moves& moves) const;
    void apply(Moves& moves);
    AIErr checkEditable(const std::vector<SelectedArt>& targets) const;
    ObjId copyTree(ObjId src) { return copyTreeFrom(*this, src); }
    ObjId copyTreeFrom(const Document& source, ObjId src);
    // Calls visit(id, art) for `id` and every member beneath it, iteratively (stored documents may
    // nest deeper than the call stack allows). Members are gathered before visit runs, so visit may
    // edit or erase the art it is given.
    template <class Visit>
    void forEachInTree(ObjId id, Visit visit);
    // The art and every member beneath it, listed and noted for the index (which may fail)
    // before any of it goes; then erased, each recorded for undo.
    std::vector<ObjId> noteTree(ObjId id);
    void eraseTree(const std::vector<ObjId>& tree);
    void setSelectedDeep(ObjId id, bool on);
    bool anyMemberSelected(ObjId id) const;
    void listSelectionFrom(const IdSet& own) const;
    void listSelectionByWalk() const;

    IdSource& ids_;
    ObjId id_;
    IdStore<Art> arts_;
    IdStore<Dict> dicts_;
    DocState state_;
    Journal journal_;
    uint64_t revision_ = 0;
    uint64_t selectedArtEdits_ = 0;
    mutable ArtIndex index_;
    // The layers inside each layer and the root, listed at the index's count of layer moves.
    mutable std::unordered_map<ObjId, std::vector<ObjId>> layerLists_;
    mutable uint64_t layerListsAt_ = UINT64_MAX;
    // Counts changes of art (not of dictionaries or the document's state): only those can
    // change what is selected or its order.
    uint64_t artChanges_ = 0;
    // The selection as last listed, and when: asked again and again while no art changes
    // (after every message, and by each plug-in that follows it).
    mutable uint64_t selectionListedAt_ = 0;
    mutable bool selectionListed_ = false;
    mutable std::vector<ObjId> selection_;
    mutable std::vector<int16_t> selectionTypes_;
};

}  // namespace standin
