// The document model: the art tree with sibling links (so inserting or removing art
// touches only its neighbours), dictionaries shared by id, layers as layer groups under
// a hidden root, selection, transforms and bounds. Every change is recorded by the
// journal before it happens.
#include "model/Document.h"

#include <algorithm>
#include <cmath>
#include <unordered_set>

#include "AIPath.h"
#include "model/Geometry.h"
#include "model/Rules.h"

namespace standin {

namespace {

// Keys of siblings: far apart, so that art placed between two finds room for a long time.
constexpr uint64_t kOrderGap = uint64_t(1) << 32;

// Revisions come from one count for every document, so no two contents share a number.
uint64_t nextRevision() {
    static uint64_t last = 0;
    return ++last;
}

// The wanted art, listed again in paint order by one walk of the document.
void listInPaintOrder(const Document& doc, const std::unordered_set<ObjId>& wanted, std::vector<ObjId>& ids) {
    ids.clear();
    doc.walk([&](const Art& a, int) {
        if (wanted.count(a.id)) ids.push_back(a.id);
    });
}

}  // namespace

Document::Document(IdSource& ids, Empty) : ids_(ids), id_(ids.take()), journal_(*this) {
    state_.pathStyle = defaultPathStyle();
    const ObjId root = ids_.take();
    Art r;
    r.id = root;
    r.type = kRootArt;
    arts_.put(root, std::move(r));
    state_.root = root;
}

Document::Document(IdSource& ids, AIReal width, AIReal height) : Document(ids, Empty{}) {
    state_.setup = {width, height};
    addLayer("Layer 1");
    journal_.clear();
}

// ---------------------------------------------------------------- reading

const Art* Document::art(ObjId id) const {
    return arts_.find(id);
}

const Dict* Document::dict(ObjId id) const {
    return dicts_.find(id);
}

bool Document::isArt(ObjId id) const {
    const Art* a = art(id);
    return a && a->type != kRootArt;
}

bool Document::isLayer(ObjId id) const {
    const Art* a = art(id);
    return a && a->isLayerGroup();
}

std::vector<ObjId> Document::children(ObjId id) const {
    std::vector<ObjId> out;
    const Art* a = art(id);
    for (ObjId c = a ? a->firstChild : 0; c; c = art(c)->next) out.push_back(c);
    return out;
}

std::vector<ObjId> Document::topLayers() const { return layersIn(state_.root); }

ObjId Document::nthLayer(size_t index) const {
    const std::vector<ObjId>& layers = layersIn(state_.root);
    return index < layers.size() ? layers[index] : 0;
}

const std::vector<ObjId>& Document::layersIn(ObjId parent) const {
    const ArtIndex& idx = index();
    if (layerListsAt_ != idx.layerMoves()) {
        layerLists_.clear();
        for (const auto& [id, place] : idx.layers()) layerLists_[place.parent].push_back(id);
        for (auto& [in, list] : layerLists_)
            std::sort(list.begin(), list.end(), [&](ObjId a, ObjId b) { return idx.layers().at(a).order < idx.layers().at(b).order; });
        layerListsAt_ = idx.layerMoves();
    }
    static const std::vector<ObjId> kNone;
    const auto it = layerLists_.find(parent);
    return it == layerLists_.end() ? kNone : it->second;
}

ObjId Document::layerOf(ObjId id) const {
    for (const Art* a = art(id); a; a = art(a->parent))
        if (a->isLayerGroup()) return a->id;
    return 0;
}

bool Document::isDescendant(ObjId id, ObjId ancestor) const {
    for (const Art* a = art(id); a; a = art(a->parent))
        if (a->id == ancestor) return true;
    return false;
}

bool Document::anyMemberSelected(ObjId id) const {
    // A selection of a few art is looked up from each of them, not found by walking the
    // group: asking whether a group of thousands is selected, with nothing or little
    // selected, costs nothing then.
    constexpr size_t kFewSelected = 16;
    const IdSet& own = index().ownSelected();
    if (own.empty()) return false;
    if (own.size() <= kFewSelected) {
        for (ObjId selected : own.ids()) {
            const Art* m = art(selected);
            if (!m || (m->isContainer() && m->firstChild)) continue;  // its own bit does not count
            if (isDescendant(m->parent, id)) return true;
        }
        return false;
    }
    // Iterative: stored documents may nest deeper than the stack allows.
    const Art* a = art(id);
    std::vector<ObjId> stack;
    for (ObjId c = a ? a->firstChild : 0; c; c = art(c)->next) stack.push_back(c);
    while (!stack.empty()) {
        const Art* m = art(stack.back());
        stack.pop_back();
        if (!m) continue;
        if (m->isContainer() && m->firstChild) {
            for (ObjId c = m->firstChild; c; c = art(c)->next) stack.push_back(c);
        } else if (m->attrs & kArtSelected) {
            return true;
        }
    }
    return false;
}

bool Document::readsSelected(ObjId id) const {
    const Art* a = art(id);
    if (!a) return false;
    if (a->isContainer() && a->firstChild) return anyMemberSelected(id);
    return (a->attrs & kArtSelected) != 0;
}

bool Document::effectivelyHidden(ObjId id) const {
    for (const Art* a = art(id); a; a = art(a->parent)) {
        if (a->attrs & kArtHidden) return true;
        if (a->layer && !a->layer->visible) return true;
    }
    return false;
}

bool Document::effectivelyLocked(ObjId id) const {
    for (const Art* a = art(id); a; a = art(a->parent)) {
        if (a->attrs & kArtLocked) return true;
        if (a->layer && !a->layer->editable) return true;
    }
    return false;
}

bool Document::paintsBefore(ObjId a, ObjId b) const {
    if (a == b) return false;
    // Each chain from the root down; they part where one art's place decides.
    const auto chain = [this](ObjId id) {
        std::vector<const Art*> up;
        for (const Art* x = art(id); x; x = art(x->parent)) up.push_back(x);
        std::reverse(up.begin(), up.end());
        return up;
    };
    const auto ca = chain(a), cb = chain(b);
    size_t i = 0;
    while (i < ca.size() && i < cb.size() && ca[i] == cb[i]) ++i;
    if (i == ca.size()) return true;  // a holds b: containers come first
    if (i == cb.size()) return false;
    return ca[i]->order < cb[i]->order;
}

void Document::sortInPaintOrder(std::vector<ObjId>& ids) const {
    if (ids.size() < 2) return;
    // Most of the document: one walk is cheaper than comparing places.
    if (ids.size() * 8 > arts_.size()) {
        listInPaintOrder(*this, std::unordered_set<ObjId>(ids.begin(), ids.end()), ids);
        return;
    }
    // Each art's keys from the root down: compared in turn, a container's keys come first
    // as a prefix of its members'.
    std::vector<std::pair<std::vector<uint64_t>, ObjId>> placed;
    placed.reserve(ids.size());
    for (ObjId id : ids) {
        std::vector<uint64_t> keys;
        for (const Art* x = art(id); x; x = art(x->parent)) keys.push_back(x->order);
        std::reverse(keys.begin(), keys.end());
        placed.emplace_back(std::move(keys), id);
    }
    std::sort(placed.begin(), placed.end());
    for (size_t i = 0; i < ids.size(); ++i) ids[i] = placed[i].second;
}

const ArtIndex& Document::index() const {
    index_.refresh(*this);
    return index_;
}

std::vector<ObjId> Document::artIn(const AIRealRect& area) const {
    std::vector<ObjId> ids;
    index().bounds().query(area, ids);
    sortInPaintOrder(ids);
    return ids;
}

void Document::walk(const std::function<void(const Art&, int)>& visit, ObjId from) const {
    const Art* start = art(from ? from : state_.root);
    if (!start) return;
    // Explicit stack: documents may nest deeply. It holds the art itself, so each art is
    // looked up once.
    std::vector<std::pair<const Art*, int>> stack;
    if (start->type != kRootArt) {
        stack.emplace_back(start, 0);
    } else {
        for (const Art* c = art(start->lastChild); c; c = art(c->prev)) stack.emplace_back(c, 0);
    }
    while (!stack.empty()) {
        const auto [a, depth] = stack.back();
        stack.pop_back();
        visit(*a, depth);
        // Push the children bottom first so the top child is visited next.
        for (const Art* c = art(a->lastChild); c; c = art(c->prev)) stack.emplace_back(c, depth + 1);
    }
}

std::vector<ObjId> Document::matching(const std::function<bool(const Art&)>& keep) const {
    std::vector<ObjId> out;
    walk([&](const Art& a, int) {
        if (!a.isLayerGroup() && keep(a)) out.push_back(a.id);
    });
    return out;
}

const std::vector<int16_t>& Document::selectionTypes() const {
    selection();
    return selectionTypes_;
}

const std::vector<ObjId>& Document::selection() const {
    if (selectionListed_ && selectionListedAt_ == artChanges_) return selection_;
    selection_.clear();
    selectionTypes_.clear();
    const auto& own = index().ownSelected();
    if (own.size() * 8 > arts_.size())
        listSelectionByWalk();
    else
        listSelectionFrom(own);
    selectionListedAt_ = artChanges_;
    selectionListed_ = true;
    return selection_;
}

// Art with its own bit, and the groups above it up to its layer; a container that holds
// members reads as selected through them alone.
void Document::listSelectionFrom(const IdSet& own) const {
    std::unordered_set<ObjId> seen(own.size());
    for (ObjId id : own.ids()) {
        const Art* a = art(id);
        if (!a || (a->isContainer() && a->firstChild)) continue;
        for (const Art* x = a; x && x->type != kRootArt && !x->isLayerGroup(); x = art(x->parent)) {
            if (!seen.insert(x->id).second) break;
            selection_.push_back(x->id);
        }
    }
    sortInPaintOrder(selection_);
    for (ObjId id : selection_) selectionTypes_.push_back(art(id)->type);
}

// The same list for a selection of most of the document, by one walk in paint order: the
// groups on the way down are listed when the first selected art inside them is met.
void Document::listSelectionByWalk() const {
    struct Open {
        const Art* art;
        int depth;
        bool listed;
    };
    std::vector<Open> open;
    const auto list = [this](const Art& a) {
        selection_.push_back(a.id);
        selectionTypes_.push_back(a.type);
    };
    walk([&](const Art& a, int depth) {
        while (!open.empty() && open.back().depth >= depth) open.pop_back();
        if (a.isLayerGroup() || (a.isContainer() && a.firstChild)) {
            open.push_back({&a, depth, a.isLayerGroup()});  // a layer's group is never listed
            return;
        }
        if (!(a.attrs & kArtSelected)) return;
        for (Open& o : open)
            if (!o.listed) {
                list(*o.art);
                o.listed = true;
            }
        list(a);
    });
}

// ---------------------------------------------------------------- journaled edits

void Document::changed() { revision_ = nextRevision(); }

Art* Document::editArt(ObjId id) {
    Art* a = arts_.find(id);
    if (!a) return nullptr;
    journal_.touchArt(id);
    changed(id);
    if (a->attrs & kArtSelected) ++selectedArtEdits_;
    return a;
}

Dict* Document::editDict(ObjId id) {
    Dict* d = dicts_.find(id);
    if (!d) return nullptr;
    journal_.touchDict(id);
    changed();
    return d;
}

DocState& Document::editState() {
    journal_.touchState();
    changed();
    return state_;
}

// The journal sets the revision of what it brought back once it is all back.
void Document::restoreArt(ObjId id, const Art* rec) {
    index_.touched(id);
    ++artChanges_;
    if (rec)
        arts_.put(id, *rec);
    else
        arts_.erase(id);
}

void Document::restoreDict(ObjId id, const std::optional<Dict>& rec) {
    if (rec)
        dicts_.put(id, *rec);
    else
        dicts_.erase(id);
}

ObjId Document::makeArt(int16_t type) {
    const ObjId id = ids_.take();
    journal_.touchArt(id);  // records that it did not exist
    Art a;
    a.id = id;
    a.type = type;
    a.style = state_.pathStyle;
    // The index hears of it first: a failure to note it then leaves no art unnoted.
    index_.born(id);
    changed(id);
    arts_.put(id, std::move(a));
    return id;
}

void Document::recordPlace(ObjId parent, ObjId before) {
    const Art* b = before ? art(before) : nullptr;
    const ObjId prev = b ? b->prev : art(parent)->lastChild;
    for (ObjId changes : {parent, before, prev})
        if (changes) editArt(changes);
}

// Each art a link or an unlink changes is recorded (which may fail) before any of them
// changes, so a failure leaves the tree as it was, never half linked.
void Document::link(ObjId id, ObjId parent, ObjId before) {
    Art* a = editArt(id);
    Art* p = editArt(parent);
    Art* b = before ? editArt(before) : nullptr;
    const ObjId prevId = b ? b->prev : p->lastChild;
    Art* prev = prevId ? editArt(prevId) : nullptr;
    a->parent = parent;
    a->prev = prevId;
    a->next = before;
    (prev ? prev->next : p->firstChild) = id;
    (b ? b->prev : p->lastChild) = id;
    placeAmongSiblings(id);
}

void Document::placeAmongSiblings(ObjId id) {
    Art& a = *arts_.find(id);  // already journaled by link
    const Art* prev = a.prev ? art(a.prev) : nullptr;
    const Art* next = a.next ? art(a.next) : nullptr;
    if (!prev && !next) {
        a.order = uint64_t(1) << 62;
        return;
    }
    if (prev && next && next->order > prev->order + 1) {
        a.order = prev->order + (next->order - prev->order) / 2;
        return;
    }
    if (!prev && next->order > 1) {
        a.order = next->order > kOrderGap ? next->order - kOrderGap : next->order / 2;
        return;
    }
    if (!next && prev->order < UINT64_MAX - kOrderGap) {
        a.order = prev->order + kOrderGap;
        return;
    }
    // No room left between the neighbours: the whole run is keyed afresh, once every one
    // of it is recorded.
    std::vector<Art*> run;
    for (ObjId c = art(a.parent)->firstChild; c; c = art(c)->next) run.push_back(editArt(c));
    uint64_t key = kOrderGap;
    for (Art* c : run) c->order = key, key += kOrderGap;
}

void Document::unlink(ObjId id) {
    Art* a = editArt(id);
    Art* p = a->parent ? editArt(a->parent) : nullptr;
    Art* prev = a->prev ? editArt(a->prev) : nullptr;
    Art* next = a->next ? editArt(a->next) : nullptr;
    if (prev)
        prev->next = a->next;
    else if (p)
        p->firstChild = a->next;
    if (next)
        next->prev = a->prev;
    else if (p)
        p->lastChild = a->prev;
    a->parent = a->prev = a->next = 0;
}

AIErr Document::placement(int16_t order, ObjId prep, ObjId* parent, ObjId* before) const {
    const Art* p = prep ? art(prep) : nullptr;
    if (prep && (!p || p->type == kRootArt)) return kStaleHandleErr;
    switch (order) {
    case kPlaceAbove:
    case kPlaceBelow:
        if (!p) return kBadParameterErr;
        if (p->isLayerGroup() && art(p->parent)->type == kRootArt) return kBadParameterErr;
        *parent = p->parent;
        *before = order == kPlaceAbove ? p->id : p->next;
        return kNoErr;
    case kPlaceInsideOnTop:
    case kPlaceInsideOnBottom:
        if (!p) return kBadParameterErr;
        if (!p->isContainer()) return kBadParameterErr;
        *parent = p->id;
        *before = order == kPlaceInsideOnTop ? p->firstChild : 0;
        return kNoErr;
    case kPlaceAboveAll:
    case kPlaceBelowAll: {
        const ObjId layer = p ? layerOf(p->id) : state_.currentLayer;
        const Art* l = art(layer);
        if (!l) return kNoDocumentErr;
        *parent = layer;
        *before = order == kPlaceAboveAll ? l->firstChild : 0;
        return kNoErr;
    }
    default:
        return kBadParameterErr;
    }
}

AIErr Document::newArt(int16_t type, int16_t order, ObjId prep, ObjId* made) {
    if (made) *made = 0;
    if (type != kGroupArt && type != kPathArt && type != kCompoundPathArt && type != kTextFrameArt)
        return kBadParameterErr;
    ObjId parent = 0, before = 0;
    if (AIErr e = placement(order, prep, &parent, &before)) return e;
    const Art* p = art(parent);
    if (p->type == kCompoundPathArt && type != kPathArt) return kBadParameterErr;
    if (effectivelyHiddenOrLockedLayer(parent)) return kLockedErr;
    recordPlace(parent, before);
    const ObjId id = makeArt(type);
    link(id, parent, before);
    if (made) *made = id;
    return kNoErr;
}

bool Document::effectivelyHiddenOrLockedLayer(ObjId id) const {
    for (const Art* a = art(id); a; a = art(a->parent))
        if (a->layer && (!a->layer->visible || !a->layer->editable)) return true;
    return false;
}

template <class Visit>
void Document::forEachInTree(ObjId id, Visit visit) {
    std::vector<ObjId> stack{id};
    while (!stack.empty()) {
        const ObjId cur = stack.back();
        stack.pop_back();
        const Art* a = art(cur);
        if (!a) continue;
        for (ObjId c = a->firstChild; c; c = art(c)->next) stack.push_back(c);
        visit(cur, *a);
    }
}

std::vector<ObjId> Document::noteTree(ObjId id) {
    std::vector<ObjId> tree;
    forEachInTree(id, [&](ObjId cur, const Art&) { tree.push_back(cur); });
    for (ObjId cur : tree) changed(cur);
    return tree;
}

void Document::eraseTree(const std::vector<ObjId>& tree) {
    for (ObjId cur : tree) {
        journal_.touchErasedArt(cur, std::move(*arts_.find(cur)));
        arts_.erase(cur);
    }
}

AIErr Document::disposeArt(ObjId id) {
    const Art* a = art(id);
    if (!a || a->type == kRootArt) return kStaleHandleErr;
    if (a->isLayerGroup()) return kBadParameterErr;  // layers go through deleteLayer
    const std::vector<ObjId> tree = noteTree(id);
    unlink(id);
    eraseTree(tree);
    return kNoErr;
}

AIErr Document::reorderArt(ObjId id, int16_t order, ObjId prep) {
    const Art* a = art(id);
    if (!a || a->type == kRootArt) return kStaleHandleErr;
    if (a->isLayerGroup()) return kBadParameterErr;
    if (prep && isDescendant(prep, id)) return kBadParameterErr;
    ObjId parent = 0, before = 0;
    if (AIErr e = placement(order, prep, &parent, &before)) return e;
    if (art(parent)->type == kCompoundPathArt && a->type != kPathArt) return kBadParameterErr;
    // Every art the move changes is recorded first (later records of them allocate
    // nothing), so a failure leaves the art where it was rather than out of the tree.
    for (ObjId changes : {id, a->parent, a->prev, a->next})
        if (changes) editArt(changes);
    recordPlace(parent, before);
    unlink(id);
    placement(order, prep, &parent, &before);  // neighbours may have moved
    link(id, parent, before);
    return kNoErr;
}

ObjId Document::copyTreeFrom(const Document& source, ObjId src) {
    // Iterative, parents before members: each pending entry says which copy to link into.
    ObjId top = 0;
    std::vector<std::pair<ObjId, ObjId>> pending{{src, 0}};  // (source, parent copy)
    while (!pending.empty()) {
        const auto [from, into] = pending.back();
        pending.pop_back();
        const Art s = *source.art(from);  // a copy: the table grows below
        const ObjId id = makeArt(s.type);
        Art* a = editArt(id);
        a->attrs = s.attrs;
        a->tags = s.tags;
        a->segments = s.segments;
        a->segmentSelection = s.segmentSelection;
        a->closed = s.closed;
        a->style = s.style;
        a->centerPointVisible = s.centerPointVisible;
        a->story = s.story;
        if (s.dictionary) {
            const ObjId d = copyDictFrom(source, s.dictionary);
            editArt(id)->dictionary = d;
        }
        if (into)
            link(id, into, 0);
        else
            top = id;
        // Pushed bottom first so the top member is copied (and linked) first.
        for (ObjId c = s.lastChild; c; c = source.art(c)->prev) pending.emplace_back(c, id);
    }
    return top;
}

AIErr Document::duplicateArt(ObjId id, int16_t order, ObjId prep, ObjId* made) {
    if (made) *made = 0;
    const Art* a = art(id);
    if (!a || a->type == kRootArt) return kStaleHandleErr;
    if (a->isLayerGroup()) return kBadParameterErr;
    ObjId parent = 0, before = 0;
    if (AIErr e = placement(order, prep, &parent, &before)) return e;
    if (isDescendant(parent, id)) return kBadParameterErr;
    if (art(parent)->type == kCompoundPathArt && a->type != kPathArt) return kBadParameterErr;
    const ObjId copy = copyTree(id);  // links nothing outside the copy, so the placement still holds
    link(copy, parent, before);
    if (made) *made = copy;
    return kNoErr;
}

void Document::setSelectedDeep(ObjId id, bool on) {
    const int16_t segState = on ? kSegmentPointSelected : kSegmentNotSelected;
    forEachInTree(id, [&](ObjId cur, const Art& a) {
        const bool bit = (a.attrs & kArtSelected) != 0;
        const bool segsDiffer = std::any_of(a.segmentSelection.begin(), a.segmentSelection.end(),
                                            [&](int16_t s) { return s != segState; });
        if (bit == on && !segsDiffer) return;  // untouched art stays out of the journal
        Art* e = editArt(cur);
        if (on)
            e->attrs |= kArtSelected;
        else
            e->attrs &= ~static_cast<uint32_t>(kArtSelected | kArtFullySelected);
        std::fill(e->segmentSelection.begin(), e->segmentSelection.end(), segState);
    });
}

AIErr Document::setUserAttr(ObjId id, uint32_t mask, uint32_t value) {
    const Art* a = art(id);
    if (!a || a->type == kRootArt) return kStaleHandleErr;
    if (mask & kArtSelected) setSelectedDeep(id, (value & kArtSelected) != 0);
    // Fully selected is selected with every anchor.
    if (mask & value & kArtFullySelected) setSelectedDeep(id, true);
    const uint32_t plain = mask & (kArtLocked | kArtHidden | kArtFullySelected);
    if (plain) {
        const uint32_t next = (art(id)->attrs & ~plain) | (value & plain);
        if (next != art(id)->attrs) editArt(id)->attrs = next;
    }
    return kNoErr;
}

AIErr Document::setSegmentSelected(ObjId path, int index, int16_t state) {
    const Art* a = art(path);
    if (!a || a->type == kRootArt) return kStaleHandleErr;
    if (a->type != kPathArt) return kWrongTypeErr;
    if (index < 0 || index >= static_cast<int>(a->segments.size())) return kOutOfRangeErr;
    Art* e = editArt(path);
    e->segmentSelection[index] = state;
    const bool any = std::any_of(e->segmentSelection.begin(), e->segmentSelection.end(),
                                 [](int16_t s) { return s != kSegmentNotSelected; });
    if (any)
        e->attrs |= kArtSelected;
    else
        e->attrs &= ~static_cast<uint32_t>(kArtSelected);
    return kNoErr;
}

AIErr Document::planTransform(ObjId id, const AIRealMatrix& m, bool withChildren, Moves& moves) const {
    std::vector<ObjId> stack{id};
    while (!stack.empty()) {
        const ObjId cur = stack.back();
        stack.pop_back();
        const Art* c = art(cur);
        if (c->isContainer()) {
            // A compound path is one object: its members move with it.
            if (withChildren || c->type == kCompoundPathArt)
                for (ObjId k = c->firstChild; k; k = art(k)->next) stack.push_back(k);
            continue;
        }
        if (c->type == kPathArt) {
            std::vector<AIPathSegment> moved = c->segments;
            geom::transform(m, moved);
            if (rules::segmentsProblem(moved.data(), moved.size())) return kBadParameterErr;
            moves.paths.emplace_back(cur, std::move(moved));
        } else if (c->type == kTextFrameArt) {
            const AIRealMatrix t = geom::concat(c->story.matrix, m);
            for (AIReal v : {t.a, t.b, t.c, t.d, t.tx, t.ty})
                if (!std::isfinite(v)) return kBadParameterErr;
            moves.texts.emplace_back(cur, t);
        }
    }
    return kNoErr;
}

void Document::apply(Moves& moves) {
    for (auto& [path, segments] : moves.paths) editArt(path)->segments = std::move(segments);
    for (const auto& [text, matrix] : moves.texts) editArt(text)->story.matrix = matrix;
}

AIErr Document::transform(ObjId id, const AIRealMatrix& m, bool withChildren) {
    const Art* a = art(id);
    if (!a || a->type == kRootArt) return kStaleHandleErr;
    // Every result is made first: a matrix that throws any point past the largest
    // coordinate changes nothing.
    Moves moves;
    if (AIErr e = planTransform(id, m, withChildren, moves)) return e;
    apply(moves);
    return kNoErr;
}

bool Document::bounds(ObjId id, AIRealRect* r, const AIRealMatrix* m) const {
    double x0 = INFINITY, y0 = INFINITY, x1 = -INFINITY, y1 = -INFINITY;
    bool any = false;
    auto add = [&](double ax, double ay, double bx, double by) {
        x0 = std::min(x0, ax);
        y0 = std::min(y0, ay);
        x1 = std::max(x1, bx);
        y1 = std::max(y1, by);
        any = true;
    };
    std::vector<ObjId> stack{id};
    while (!stack.empty()) {
        const Art* a = art(stack.back());
        stack.pop_back();
        if (!a) continue;
        if (a->isContainer()) {
            for (ObjId c = a->firstChild; c; c = art(c)->next) stack.push_back(c);
        } else if (a->type == kPathArt) {
            std::vector<AIPathSegment> segs = a->segments;
            if (m) geom::transform(*m, segs);
            if (segs.size() == 1) add(segs[0].p.h, segs[0].p.v, segs[0].p.h, segs[0].p.v);
            for (const geom::Cubic& c : geom::pieces(segs, a->closed)) {
                double bx0, by0, bx1, by1;
                geom::bounds(c, &bx0, &by0, &bx1, &by1);
                add(bx0, by0, bx1, by1);
            }
        } else if (a->type == kTextFrameArt) {
            // Mapped outlines, not a mapped box: a rotated box would be looser.
            AIRealRect t{};
            if (textBounds && textBounds(*a, m, &t)) {
                add(t.left, t.bottom, t.right, t.top);
            } else {
                AIRealPoint anchor{a->story.matrix.tx, a->story.matrix.ty};
                if (m) anchor = geom::transform(*m, anchor);
                add(anchor.h, anchor.v, anchor.h, anchor.v);
            }
        }
    }
    if (!any) return false;
    *r = {static_cast<AIReal>(x0), static_cast<AIReal>(y1), static_cast<AIReal>(x1), static_cast<AIReal>(y0)};
    return true;
}

// ---------------------------------------------------------------- dictionaries

ObjId Document::newDict() {
    const ObjId id = ids_.take();
    journal_.touchDict(id);
    dicts_.put(id, Dict{id, {}});
    changed();
    return id;
}

// Handing out the dictionary of art (or of the document) that has none yet is a read: the
// empty dictionary made for it changes nothing the user sees, so it is no step of undo
// (plug-ins read dictionaries while the annotator draws and while notifications arrive,
// outside any command). Entries written into it later are journaled as usual.
ObjId Document::dictionaryOf(ObjId artId) {
    auto emptyDict = [this] {
        const ObjId id = ids_.take();
        dicts_.put(id, Dict{id, {}});
        return id;
    };
    if (artId == 0) {
        if (!state_.dictionary || !dict(state_.dictionary)) state_.dictionary = emptyDict();
        return state_.dictionary;
    }
    Art* a = arts_.find(artId);
    if (!a) return 0;
    if (!a->dictionary || !dict(a->dictionary)) a->dictionary = emptyDict();
    return a->dictionary;
}

ObjId Document::copyDictFrom(const Document& source, ObjId id) {
    // Copies each reachable dictionary once (a shared sub-dictionary stays shared in the
    // copy); iterative, so deep nesting cannot exhaust the stack.
    std::unordered_map<ObjId, ObjId> copied;
    std::vector<ObjId> todo;
    auto copyOf = [&](ObjId src) {
        auto [it, fresh] = copied.try_emplace(src, 0);
        if (fresh) {
            it->second = newDict();
            todo.push_back(src);
        }
        return it->second;
    };
    const ObjId top = copyOf(id);
    while (!todo.empty()) {
        const ObjId src = todo.back();
        todo.pop_back();
        const Dict* s = source.dict(src);
        if (!s) continue;
        auto entries = s->entries;
        for (auto& [k, v] : entries)
            if (auto* link = std::get_if<DictLink>(&v)) link->id = copyOf(link->id);
        editDict(copied[src])->entries = std::move(entries);
    }
    return top;
}

bool Document::dictReaches(ObjId outer, ObjId inner) const {
    std::unordered_set<ObjId> seen;
    std::vector<ObjId> stack{outer};
    while (!stack.empty()) {
        const ObjId cur = stack.back();
        stack.pop_back();
        if (cur == inner) return true;
        if (!seen.insert(cur).second) continue;
        if (const Dict* d = dict(cur))
            for (const auto& [k, v] : d->entries)
                if (const auto* link = std::get_if<DictLink>(&v)) stack.push_back(link->id);
    }
    return false;
}

// ---------------------------------------------------------------- layers

ObjId Document::insertLayer(ObjId relative, int16_t order, const std::string& title, AIErr* err) {
    AIErr dummy = kNoErr;
    AIErr& e = err ? *err : dummy;
    e = kNoErr;
    ObjId parent = state_.root, before = 0;
    const Art* rel = relative ? art(relative) : nullptr;
    if (relative && (!rel || !rel->isLayerGroup())) {
        e = kStaleHandleErr;
        return 0;
    }
    switch (order) {
    case kPlaceAbove:
    case kPlaceBelow:
        if (!rel) {
            e = kBadParameterErr;
            return 0;
        }
        parent = rel->parent;
        before = order == kPlaceAbove ? rel->id : rel->next;
        break;
    case kPlaceInsideOnTop:
    case kPlaceInsideOnBottom:
        if (!rel) {
            e = kBadParameterErr;
            return 0;
        }
        parent = rel->id;
        before = order == kPlaceInsideOnTop ? rel->firstChild : 0;
        break;
    case kPlaceAboveAll:
        before = art(state_.root)->firstChild;
        break;
    case kPlaceBelowAll:
        before = 0;
        break;
    default:
        e = kBadParameterErr;
        return 0;
    }
    LayerProps props;
    props.title = title.substr(0, kMaxLayerTitle);
    recordPlace(parent, before);
    const ObjId id = makeArt(kGroupArt);
    editArt(id)->layer = std::move(props);
    link(id, parent, before);
    if (!state_.currentLayer || !isLayer(state_.currentLayer)) editState().currentLayer = id;
    return id;
}

AIErr Document::deleteLayer(ObjId layer) {
    const Art* l = art(layer);
    if (!l || !l->isLayerGroup()) return kStaleHandleErr;
    const bool topLevel = l->parent == state_.root;
    if (topLevel && topLayers().size() <= 1) return kBadParameterErr;  // a document keeps one layer
    const bool currentGoes = isDescendant(state_.currentLayer, layer);
    ObjId successor = 0;
    if (currentGoes) {
        // The layer below, else the one above, else the parent layer.
        successor = l->next ? l->next : l->prev;
        if (successor && !isLayer(successor)) successor = 0;
        if (!successor) successor = topLevel ? 0 : l->parent;
    }
    const std::vector<ObjId> tree = noteTree(layer);
    unlink(layer);
    eraseTree(tree);
    if (currentGoes) {
        if (!successor) successor = topLayers().empty() ? 0 : topLayers().front();
        editState().currentLayer = successor;
    }
    return kNoErr;
}

ObjId Document::layerByTitle(const std::string& title) const {
    // The first in matching order, as a walk from the top would meet it.
    ObjId found = 0;
    for (const auto& entry : index().layers()) {
        const ObjId id = entry.first;
        const Art* a = art(id);
        if (a && a->layer->title == title && (!found || paintsBefore(id, found))) found = id;
    }
    return found;
}

ObjId Document::nextLayerIn(ObjId parent, ObjId after) const {
    const std::vector<ObjId>& layers = layersIn(parent);
    if (!after) return layers.empty() ? 0 : layers.front();
    const Art* from = art(after);
    if (!from) return 0;
    const auto next = std::upper_bound(layers.begin(), layers.end(), from->order,
                                       [&](uint64_t order, ObjId id) { return order < art(id)->order; });
    return next == layers.end() ? 0 : *next;
}

AIErr Document::setCurrentLayer(ObjId layer) {
    if (!isLayer(layer)) return kStaleHandleErr;
    if (state_.currentLayer != layer) editState().currentLayer = layer;
    return kNoErr;
}

// ---------------------------------------------------------------- convenience

ObjId Document::addLayer(const std::string& title) {
    const ObjId id = insertLayer(0, kPlaceAboveAll, title);
    setCurrentLayer(id);
    return id;
}

AIErr Document::setCurrentLayer(const std::string& title) {
    const ObjId l = layerByTitle(title);
    return l ? setCurrentLayer(l) : kNoSuchKey;
}

AIErr Document::setLayerVisible(const std::string& title, bool visible) {
    const ObjId l = layerByTitle(title);
    if (!l) return kNoSuchKey;
    editArt(l)->layer->visible = visible;
    return kNoErr;
}

AIErr Document::setLayerEditable(const std::string& title, bool editable) {
    const ObjId l = layerByTitle(title);
    if (!l) return kNoSuchKey;
    editArt(l)->layer->editable = editable;
    return kNoErr;
}

AIErr Document::addPath(const std::vector<AIPathSegment>& segments, bool closed, ObjId* made) {
    ObjId id = 0;
    if (made) *made = 0;
    if (segments.size() > 32767) return kOutOfRangeErr;
    if (AIErr e = newArt(kPathArt, kPlaceAboveAll, 0, &id)) return e;
    Art* a = editArt(id);
    a->segments = segments;
    a->segmentSelection.assign(segments.size(), kSegmentNotSelected);
    a->closed = closed;
    if (made) *made = id;
    return kNoErr;
}

AIErr Document::addLine(AIRealPoint a, AIRealPoint b, ObjId* made) {
    return addPath({geom::cornerAnchor(a), geom::cornerAnchor(b)}, false, made);
}

AIErr Document::addRect(AIReal x, AIReal y, AIReal w, AIReal h, ObjId* made) {
    return addPath(geom::rectAnchors(y + h, x, y, x + w), true, made);
}

AIErr Document::addEllipse(AIReal x, AIReal y, AIReal w, AIReal h, ObjId* made) {
    return addPath(geom::ovalAnchors(y + h, x, y, x + w), true, made);
}

AIErr Document::addPolyline(const std::vector<AIRealPoint>& points, bool closed, ObjId* made) {
    std::vector<AIPathSegment> segs;
    segs.reserve(points.size());
    for (const AIRealPoint& p : points) segs.push_back(geom::cornerAnchor(p));
    return addPath(segs, closed, made);
}

AIErr Document::pasteArt(const Document& source, const std::vector<ObjId>& ids, std::vector<ObjId>* made) {
    if (made) made->clear();
    const ObjId layer = state_.currentLayer;
    if (!isLayer(layer)) return kNoDocumentErr;
    if (effectivelyHiddenOrLockedLayer(layer)) return kLockedErr;
    // Only the outermost listed art: a container brings its members.
    std::unordered_set<ObjId> listed(ids.begin(), ids.end());
    std::vector<ObjId> roots;
    for (ObjId id : ids) {
        const Art* a = source.art(id);
        if (!a || a->type == kRootArt || a->isLayerGroup()) continue;
        bool inside = false;
        for (const Art* p = source.art(a->parent); p && !inside; p = source.art(p->parent)) inside = listed.count(p->id) != 0;
        if (!inside && std::find(roots.begin(), roots.end(), id) == roots.end()) roots.push_back(id);
    }
    selectNone();
    std::vector<ObjId> copies;
    // Bottom first, each on top, so the first listed ends topmost.
    for (auto it = roots.rbegin(); it != roots.rend(); ++it) {
        const ObjId copy = copyTreeFrom(source, *it);
        link(copy, layer, art(layer)->firstChild);
        setSelectedDeep(copy, true);
        copies.insert(copies.begin(), copy);
    }
    if (made) *made = std::move(copies);
    return kNoErr;
}

void Document::selectAll() {
    std::vector<ObjId> targets;
    walk([&](const Art& a, int) {
        const Art* p = art(a.parent);
        if (!a.isLayerGroup() && p && p->isLayerGroup() && !effectivelyHidden(a.id) && !effectivelyLocked(a.id))
            targets.push_back(a.id);
    });
    for (ObjId id : targets) setSelectedDeep(id, true);
}

void Document::selectNone() {
    for (ObjId id : index().ownSelected().ids())
        if (art(id)) setSelectedDeep(id, false);
}

AIErr Document::select(ObjId id) {
    if (!isArt(id) || isLayer(id)) return kStaleHandleErr;
    setSelectedDeep(id, true);
    return kNoErr;
}

// ---------------------------------------------------------------- edits of the selection

namespace {

// A path's anchors as the direct-selection tool leaves them: every anchor selected, or
// some anchors or handles.
bool everyAnchorSelected(const Art& a) {
    return std::all_of(a.segmentSelection.begin(), a.segmentSelection.end(),
                       [](int16_t s) { return s == kSegmentPointSelected; });
}

bool anyAnchorOrHandleSelected(const Art& a) {
    return std::any_of(a.segmentSelection.begin(), a.segmentSelection.end(),
                       [](int16_t s) { return s != kSegmentNotSelected; });
}

}  // namespace

std::vector<Document::SelectedArt> Document::selectedArt() const {
    // The art with its own bit (nothing else can be whole or partly selected), containers
    // before their members.
    std::vector<ObjId> order = index().ownSelected().ids();
    sortInPaintOrder(order);
    // Wholeness from the members up: the reversed order meets members before containers.
    std::unordered_set<ObjId> whole;
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const Art& a = *art(*it);
        if (a.isLayerGroup() || !(a.attrs & kArtSelected)) continue;
        bool all = true;
        if (a.isContainer()) {
            for (ObjId c = a.firstChild; c && all; c = art(c)->next) all = whole.count(c) != 0;
        } else if (a.type == kPathArt) {
            // A path whose anchors carry no selection at all is selected as one object.
            all = everyAnchorSelected(a) || !anyAnchorOrHandleSelected(a);
        }
        if (all) whole.insert(a.id);
    }
    std::vector<SelectedArt> out;
    for (ObjId id : order) {
        const Art& a = *art(id);
        const bool inWhole = whole.count(a.parent) != 0;
        if (whole.count(id) && !inWhole)
            out.push_back({id, true});
        else if (!whole.count(id) && a.type == kPathArt && anyAnchorOrHandleSelected(a))
            out.push_back({id, false});
    }
    return out;
}

AIErr Document::checkEditable(const std::vector<SelectedArt>& targets) const {
    for (const SelectedArt& t : targets)
        if (effectivelyLocked(t.id) || effectivelyHidden(t.id)) return kLockedErr;
    return kNoErr;
}

AIErr Document::translateSelection(AIReal dx, AIReal dy) {
    const auto targets = selectedArt();
    if (AIErr e = checkEditable(targets)) return e;
    const AIRealMatrix m{1, 0, 0, 1, dx, dy};
    Moves moves;
    for (const SelectedArt& t : targets) {
        if (t.whole) {
            if (AIErr e = planTransform(t.id, m, true, moves)) return e;
            continue;
        }
        // The selected anchors carry their handles; a handle selected alone moves alone.
        const Art& a = *art(t.id);
        std::vector<AIPathSegment> moved = a.segments;
        auto shift = [&](AIRealPoint& p) { p = {p.h + dx, p.v + dy}; };
        for (size_t i = 0; i < moved.size() && i < a.segmentSelection.size(); ++i) {
            const int16_t state = a.segmentSelection[i];
            if (state == kSegmentPointSelected) shift(moved[i].p);
            if (state == kSegmentPointSelected || state == kSegmentInSelected) shift(moved[i].in);
            if (state == kSegmentPointSelected || state == kSegmentOutSelected) shift(moved[i].out);
        }
        if (rules::segmentsProblem(moved.data(), moved.size())) return kBadParameterErr;
        moves.paths.emplace_back(t.id, std::move(moved));
    }
    apply(moves);
    return kNoErr;
}

AIErr Document::deleteSelection() {
    const auto targets = selectedArt();
    if (AIErr e = checkEditable(targets)) return e;
    for (const SelectedArt& t : targets)
        if (!t.whole) return kBadParameterErr;
    for (const SelectedArt& t : targets) disposeArt(t.id);
    return kNoErr;
}

// ---------------------------------------------------------------- loaders

void Document::putArt(Art a) {
    ids_.atLeast(a.id);
    if (a.type == kRootArt) state_.root = a.id;
    const ObjId id = a.id;
    changed(id);
    arts_.put(id, std::move(a));
}

void Document::putDict(Dict d) {
    ids_.atLeast(d.id);
    const ObjId id = d.id;
    dicts_.put(id, std::move(d));
    changed();
}

void Document::putState(const DocState& s) {
    const ObjId root = state_.root;
    state_ = s;
    if (!state_.root) state_.root = root;
    changed();
}

// ---------------------------------------------------------------- custom colours

const CustomColorEntry* Document::customColor(ObjId id) const {
    for (const CustomColorEntry& c : state_.customColors)
        if (c.id == id) return &c;
    return nullptr;
}

const CustomColorEntry* Document::customColorByName(const std::string& name) const {
    for (const CustomColorEntry& c : state_.customColors)
        if (c.name == name) return &c;
    return nullptr;
}

AIErr Document::newCustomColor(const std::string& name, const AICustomColor& color, ObjId* made) {
    if (name.empty() || customColorByName(name)) return kBadParameterErr;
    if (color.kind < kCustomFourColor || color.kind > kCustomLabColor) return kBadParameterErr;
    const ObjId id = ids_.take();
    editState().customColors.push_back({id, name, color});
    if (made) *made = id;
    return kNoErr;
}

AIErr Document::setCustomColor(ObjId id, const AICustomColor& color) {
    if (color.kind < kCustomFourColor || color.kind > kCustomLabColor) return kBadParameterErr;
    if (!customColor(id)) return kStaleHandleErr;
    for (CustomColorEntry& c : editState().customColors)
        if (c.id == id) c.color = color;
    return kNoErr;
}

}  // namespace standin
