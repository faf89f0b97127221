// The art, path, path-style and tag suites: thin adapters that check arguments, turn
// handles into objects of the front document and call the model.
#include <algorithm>
#include <cmath>
#include <cstring>

#include "AIArt.h"
#include "AIPath.h"
#include "AIPathStyle.h"
#include "AITag.h"
#include "model/Geometry.h"
#include "model/Rules.h"
#include "suites/Suites.h"

namespace standin::suites {
namespace {

// ---------------------------------------------------------------- art

AIErr optionalPrep(AIArtHandle prep, ObjId* id) {
    *id = 0;
    if (!prep) return kNoErr;
    ArtRef r;
    if (AIErr e = lookupArt(prep, &r)) return e;
    *id = r.id;
    return kNoErr;
}

AIErr NewArt(int16_t type, int16_t order, AIArtHandle prep, AIArtHandle* newArt) {
    if (!newArt) return kBadParameterErr;
    *newArt = nullptr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    ObjId p = 0;
    if (AIErr e = optionalPrep(prep, &p)) return e;
    ObjId made = 0;
    if (AIErr e = d->newArt(type, order, p, &made)) return e;
    *newArt = artHandle(made);
    return kNoErr;
}

AIErr DisposeArt(AIArtHandle art) {
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    return r.doc->disposeArt(r.id);
}

AIErr GetArtType(AIArtHandle art, int16_t* type) {
    if (!type) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *type = r.art->type;
    return kNoErr;
}

// Links out of the visible tree (to the hidden root, or between top-level layer groups)
// read as none.
ObjId visibleLink(const Document& d, const Art& a, ObjId link) {
    if (a.parent == d.root()) return 0;
    return link;
}

AIErr GetArtParent(AIArtHandle art, AIArtHandle* parent) {
    if (!parent) return kBadParameterErr;
    *parent = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *parent = artHandle(visibleLink(*r.doc, *r.art, r.art->parent));
    return kNoErr;
}

AIErr GetArtFirstChild(AIArtHandle art, AIArtHandle* child) {
    if (!child) return kBadParameterErr;
    *child = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *child = artHandle(r.art->firstChild);
    return kNoErr;
}

AIErr GetArtSibling(AIArtHandle art, AIArtHandle* sibling) {
    if (!sibling) return kBadParameterErr;
    *sibling = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *sibling = artHandle(visibleLink(*r.doc, *r.art, r.art->next));
    return kNoErr;
}

AIErr GetArtPriorSibling(AIArtHandle art, AIArtHandle* sibling) {
    if (!sibling) return kBadParameterErr;
    *sibling = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *sibling = artHandle(visibleLink(*r.doc, *r.art, r.art->prev));
    return kNoErr;
}

AIErr GetFirstArtOfLayer(AILayerHandle layer, AIArtHandle* art) {
    if (!art) return kBadParameterErr;
    *art = nullptr;
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    *art = artHandle(r.id);  // a layer is named by its own group
    return kNoErr;
}

AIErr GetLayerOfArt(AIArtHandle art, AILayerHandle* layer) {
    if (!layer) return kBadParameterErr;
    *layer = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *layer = layerHandle(r.doc->layerOf(r.id));
    return kNoErr;
}

AIErr GetArtBounds(AIArtHandle art, AIRealRect* bounds) {
    if (!bounds) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    if (!r.doc->bounds(r.id, bounds)) *bounds = {0, 0, 0, 0};
    return kNoErr;
}

AIErr GetArtTransformBounds(AIArtHandle art, const AIRealMatrix* matrix, int32_t /*flags*/, AIRealRect* bounds) {
    if (!bounds) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    if (!r.doc->bounds(r.id, bounds, matrix)) *bounds = {0, 0, 0, 0};
    return kNoErr;
}

AIErr GetArtUserAttr(AIArtHandle art, uint32_t mask, uint32_t* attr) {
    if (!attr) return kBadParameterErr;
    *attr = 0;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    uint32_t a = r.art->attrs & ~static_cast<uint32_t>(kArtSelected);
    if ((mask & kArtSelected) && r.doc->readsSelected(r.id)) a |= kArtSelected;
    // A layer's group carries the layer's lock and visibility.
    if (r.art->layer) {
        if (!r.art->layer->editable) a |= kArtLocked;
        if (!r.art->layer->visible) a |= kArtHidden;
    }
    *attr = a & mask;
    return kNoErr;
}

AIErr SetArtUserAttr(AIArtHandle art, uint32_t mask, uint32_t attr) {
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    return r.doc->setUserAttr(r.id, mask, attr);
}

AIErr GetDictionary(AIArtHandle art, AIDictionaryRef* dictionary) {
    if (!dictionary) return kBadParameterErr;
    *dictionary = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    const ObjId d = r.doc->dictionaryOf(r.id);
    host()->addDictRef(d);
    *dictionary = toHandle<AIDictionaryRef>(d);
    return kNoErr;
}

AIErr DuplicateArt(AIArtHandle art, int16_t order, AIArtHandle prep, AIArtHandle* newArt) {
    if (!newArt) return kBadParameterErr;
    *newArt = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    ObjId p = 0;
    if (AIErr e = optionalPrep(prep, &p)) return e;
    ObjId made = 0;
    if (AIErr e = r.doc->duplicateArt(r.id, order, p, &made)) return e;
    *newArt = artHandle(made);
    return kNoErr;
}

AIErr ReorderArt(AIArtHandle art, int16_t order, AIArtHandle prep) {
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    ObjId p = 0;
    if (AIErr e = optionalPrep(prep, &p)) return e;
    return r.doc->reorderArt(r.id, order, p);
}

AIErr SetArtCenterPointVisible(AIArtHandle art, ASBoolean visible) {
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    if (r.art->centerPointVisible != (visible != 0)) r.doc->editArt(r.id)->centerPointVisible = visible != 0;
    return kNoErr;
}

AIErr GetArtCenterPointVisible(AIArtHandle art, ASBoolean* visible) {
    if (!visible) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *visible = r.art->centerPointVisible;
    return kNoErr;
}

AIErr IsArtLayerGroup(AIArtHandle art, ASBoolean* isLayerGroup) {
    if (!isLayerGroup) return kBadParameterErr;
    *isLayerGroup = false;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *isLayerGroup = r.art->isLayerGroup();
    return kNoErr;
}

ASBoolean ValidArt(AIArtHandle art, ASBoolean searchAll) {
    Host* h = host();
    if (!art || !h) return false;
    const ObjId id = fromHandle(art);
    if (Document* d = h->frontDocument(); d && d->isArt(id)) return true;
    if (!searchAll) return false;
    for (size_t i = 0; i < h->documentCount(); ++i)
        if (h->document(i).isArt(id)) return true;
    return false;
}

ASBoolean ArtHasFill(AIArtHandle art) {
    ArtRef r;
    if (lookupArt(art, &r)) return false;
    if (r.art->type != kPathArt && r.art->type != kCompoundPathArt) return false;
    return r.art->style.fillPaint && r.art->style.fill.color.kind != kNoneColor;
}

ASBoolean ArtHasStroke(AIArtHandle art) {
    ArtRef r;
    if (lookupArt(art, &r)) return false;
    if (r.art->type != kPathArt && r.art->type != kCompoundPathArt) return false;
    return r.art->style.strokePaint && r.art->style.stroke.color.kind != kNoneColor;
}

AIErr GetPluginArtEditArt(AIArtHandle art, AIArtHandle* editArt) {
    if (editArt) *editArt = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    return kWrongTypeErr;  // the stand-in makes no plug-in art
}

ASBoolean HasDictionary(AIArtHandle art) {
    ArtRef r;
    if (lookupArt(art, &r)) return false;
    return r.art->dictionary && r.doc->dict(r.art->dictionary);
}

const AIArtSuite kArtSuite = {
    NewArt, DisposeArt, GetArtType, GetArtParent, GetArtFirstChild, GetArtSibling, GetArtPriorSibling,
    GetFirstArtOfLayer, GetLayerOfArt, GetArtBounds, GetArtTransformBounds, GetArtUserAttr, SetArtUserAttr,
    GetDictionary, DuplicateArt, ReorderArt, SetArtCenterPointVisible, GetArtCenterPointVisible,
    IsArtLayerGroup, ValidArt, ArtHasFill, ArtHasStroke, GetPluginArtEditArt, HasDictionary,
};

// ---------------------------------------------------------------- path

AIErr lookupPath(AIArtHandle art, ArtRef* r) {
    if (AIErr e = lookupArt(art, r)) return e;
    return r->art->type == kPathArt ? kNoErr : kWrongTypeErr;
}

constexpr size_t kMaxSegments = 32767;

AIErr GetPathSegmentCount(AIArtHandle path, int16_t* count) {
    if (!count) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    *count = static_cast<int16_t>(r.art->segments.size());
    return kNoErr;
}

AIErr SetPathSegmentCount(AIArtHandle path, int16_t count) {
    if (count < 0) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    if (static_cast<size_t>(count) == r.art->segments.size()) return kNoErr;
    Art* a = r.doc->editArt(r.id);
    AIPathSegment fill{};
    fill.corner = true;
    if (!a->segments.empty()) {
        fill.p = fill.in = fill.out = a->segments.back().p;
    }
    a->segments.resize(static_cast<size_t>(count), fill);
    a->segmentSelection.resize(static_cast<size_t>(count), kSegmentNotSelected);
    return kNoErr;
}

AIErr GetPathSegments(AIArtHandle path, int16_t index, int16_t count, AIPathSegment* segments) {
    if (index < 0 || count < 0 || (count > 0 && !segments)) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    if (static_cast<size_t>(index) + static_cast<size_t>(count) > r.art->segments.size()) return kOutOfRangeErr;
    std::copy_n(r.art->segments.begin() + index, count, segments);
    return kNoErr;
}

AIErr SetPathSegments(AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* segments) {
    if (index < 0 || count < 0 || (count > 0 && !segments)) return kBadParameterErr;
    if (rules::segmentsProblem(segments, static_cast<size_t>(count))) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    const size_t n = r.art->segments.size();
    if (static_cast<size_t>(index) > n) return kOutOfRangeErr;  // writing at the end appends
    const size_t end = static_cast<size_t>(index) + static_cast<size_t>(count);
    if (end > kMaxSegments) return kOutOfRangeErr;
    Art* a = r.doc->editArt(r.id);
    if (end > n) {
        a->segments.resize(end);
        a->segmentSelection.resize(end, kSegmentNotSelected);
    }
    std::copy_n(segments, count, a->segments.begin() + index);
    return kNoErr;
}

AIErr InsertPathSegments(AIArtHandle path, int16_t index, int16_t count, const AIPathSegment* segments) {
    if (index < 0 || count < 0 || (count > 0 && !segments)) return kBadParameterErr;
    if (rules::segmentsProblem(segments, static_cast<size_t>(count))) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    const size_t n = r.art->segments.size();
    if (static_cast<size_t>(index) > n) return kOutOfRangeErr;
    if (n + static_cast<size_t>(count) > kMaxSegments) return kOutOfRangeErr;
    Art* a = r.doc->editArt(r.id);
    a->segments.insert(a->segments.begin() + index, segments, segments + count);
    a->segmentSelection.insert(a->segmentSelection.begin() + index, static_cast<size_t>(count),
                               kSegmentNotSelected);
    return kNoErr;
}

AIErr DeletePathSegments(AIArtHandle path, int16_t index, int16_t count) {
    if (index < 0 || count < 0) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    if (static_cast<size_t>(index) + static_cast<size_t>(count) > r.art->segments.size()) return kOutOfRangeErr;
    Art* a = r.doc->editArt(r.id);
    a->segments.erase(a->segments.begin() + index, a->segments.begin() + index + count);
    a->segmentSelection.erase(a->segmentSelection.begin() + index, a->segmentSelection.begin() + index + count);
    return kNoErr;
}

AIErr ReversePathSegments(AIArtHandle path) {
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    Art* a = r.doc->editArt(r.id);
    std::reverse(a->segments.begin(), a->segments.end());
    std::reverse(a->segmentSelection.begin(), a->segmentSelection.end());
    for (AIPathSegment& s : a->segments) std::swap(s.in, s.out);
    return kNoErr;
}

AIErr GetPathClosed(AIArtHandle path, ASBoolean* closed) {
    if (!closed) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    *closed = r.art->closed;
    return kNoErr;
}

AIErr SetPathClosed(AIArtHandle path, ASBoolean closed) {
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    if (r.art->closed != (closed != 0)) r.doc->editArt(r.id)->closed = closed != 0;
    return kNoErr;
}

AIErr GetPathSegmentSelected(AIArtHandle path, int16_t index, int16_t* state) {
    if (!state) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    if (index < 0 || static_cast<size_t>(index) >= r.art->segments.size()) return kOutOfRangeErr;
    *state = r.art->segmentSelection[static_cast<size_t>(index)];
    return kNoErr;
}

AIErr SetPathSegmentSelected(AIArtHandle path, int16_t index, int16_t state) {
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    return r.doc->setSegmentSelected(r.id, index, state);
}

AIErr GetPathArea(AIArtHandle path, AIReal* area) {
    if (!area) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    *area = static_cast<AIReal>(geom::area(r.art->segments));
    return kNoErr;
}

AIErr GetPathLength(AIArtHandle path, AIReal* length, AIReal flatness) {
    if (!length) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    double total = 0;
    for (const geom::Cubic& c : geom::pieces(r.art->segments, r.art->closed)) total += geom::length(c, flatness);
    *length = static_cast<AIReal>(total);
    return kNoErr;
}

AIErr PathHasLength(AIArtHandle path, ASBoolean* hasLength) {
    if (!hasLength) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    const auto& s = r.art->segments;
    auto same = [](AIRealPoint a, AIRealPoint b) { return a.h == b.h && a.v == b.v; };
    *hasLength = s.size() > 1 && std::any_of(s.begin(), s.end(), [&](const AIPathSegment& g) {
        return !same(g.p, s[0].p) || !same(g.in, s[0].p) || !same(g.out, s[0].p);
    });
    return kNoErr;
}

AIErr GetPathBezier(AIArtHandle path, int16_t index, AIRealBezier* bezier) {
    if (!bezier) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupPath(path, &r)) return e;
    const auto& s = r.art->segments;
    const long n = static_cast<long>(s.size());
    if (n < 2) return kOutOfRangeErr;
    if (index == -1 || (index == n - 1 && r.art->closed)) {
        if (!r.art->closed) return kOutOfRangeErr;
        *bezier = geom::toBezier(geom::piece(s, static_cast<size_t>(n - 1), 0));
        return kNoErr;
    }
    if (index < 0 || index >= n - 1) return kOutOfRangeErr;
    *bezier = geom::toBezier(geom::piece(s, static_cast<size_t>(index), static_cast<size_t>(index) + 1));
    return kNoErr;
}

const AIPathSuite kPathSuite = {
    GetPathSegmentCount, SetPathSegmentCount, GetPathSegments, SetPathSegments, InsertPathSegments,
    DeletePathSegments, ReversePathSegments, GetPathClosed, SetPathClosed, GetPathSegmentSelected,
    SetPathSegmentSelected, GetPathArea, GetPathLength, PathHasLength, GetPathBezier,
};

// ---------------------------------------------------------------- path style

AIErr lookupStyled(AIArtHandle art, ArtRef* r) {
    if (AIErr e = lookupArt(art, r)) return e;
    return r->art->type == kPathArt || r->art->type == kCompoundPathArt ? kNoErr : kWrongTypeErr;
}

AIErr GetPathStyle(AIArtHandle art, AIPathStyle* style) {
    if (!style) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupStyled(art, &r)) return e;
    *style = r.art->style;
    return kNoErr;
}

// Paint outside the rules scripts and documents keep (grey 5, a negative width) is refused.
AIErr SetPathStyle(AIArtHandle art, const AIPathStyle* style) {
    if (!style || rules::styleProblem(*style)) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupStyled(art, &r)) return e;
    r.doc->editArt(r.id)->style = *style;
    // A compound path paints its members alike.
    for (ObjId c : r.doc->children(r.id)) r.doc->editArt(c)->style = *style;
    return kNoErr;
}

AIErr GetCurrentPathStyle(AIPathStyle* style, void*, void*) {
    if (!style) return kBadParameterErr;
    Document* d = front();
    *style = d ? d->state().pathStyle : defaultPathStyle();
    return kNoErr;
}

AIErr SetCurrentPathStyle(const AIPathStyle* style) {
    if (!style || rules::styleProblem(*style)) return kBadParameterErr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    d->editState().pathStyle = *style;
    return kNoErr;
}

const AIPathStyleSuite kPathStyleSuite = {GetPathStyle, SetPathStyle, GetCurrentPathStyle, SetCurrentPathStyle};

// ---------------------------------------------------------------- tags

const TagEntry* findTag(const Art& a, const char* name) {
    for (const TagEntry& t : a.tags)
        if (t.name == name) return &t;
    return nullptr;
}

AIErr SetTag(AIArtHandle art, const char* name, const char* type, const void* value) {
    if (!name || !type) return kBadParameterErr;
    if (std::strcmp(type, kTagString) != 0) return kWrongTypeErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    const std::string text = value ? static_cast<const char*>(value) : "";
    Art* a = r.doc->editArt(r.id);
    for (TagEntry& t : a->tags) {
        if (t.name == name) {
            t.type = type;
            t.value = text;
            return kNoErr;
        }
    }
    a->tags.push_back({name, type, text});
    return kNoErr;
}

AIErr GetTag(AIArtHandle art, const char* name, const char* type, void* value) {
    if (!name || !type || !value) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    const TagEntry* t = findTag(*r.art, name);
    if (!t) return kNoSuchKey;
    if (t->type != type) return kWrongTypeErr;
    *static_cast<const char**>(value) = t->value.c_str();
    return kNoErr;
}

AIErr GetTagType(AIArtHandle art, const char* name, const char** type) {
    if (!name || !type) return kBadParameterErr;
    *type = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    const TagEntry* t = findTag(*r.art, name);
    if (!t) return kNoSuchKey;
    *type = t->type.c_str();
    return kNoErr;
}

AIErr RemoveTag(AIArtHandle art, const char* name) {
    if (!name) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    if (!findTag(*r.art, name)) return kNoSuchKey;
    Art* a = r.doc->editArt(r.id);
    std::erase_if(a->tags, [&](const TagEntry& t) { return t.name == name; });
    return kNoErr;
}

AIErr CountTags(AIArtHandle art, int32_t* count) {
    if (!count) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    *count = static_cast<int32_t>(r.art->tags.size());
    return kNoErr;
}

AIErr GetNthTag(AIArtHandle art, int32_t index, const char** name) {
    if (!name) return kBadParameterErr;
    *name = nullptr;
    ArtRef r;
    if (AIErr e = lookupArt(art, &r)) return e;
    if (index < 0 || static_cast<size_t>(index) >= r.art->tags.size()) return kOutOfRangeErr;
    *name = r.art->tags[static_cast<size_t>(index)].name.c_str();
    return kNoErr;
}

const AITagSuite kTagSuite = {SetTag, GetTag, GetTagType, RemoveTag, CountTags, GetNthTag};

}  // namespace

void addArtSuites(SuiteRegistry& r) {
    r.add(kAIArtSuite, kAIArtSuiteVersion, &kArtSuite);
    r.add(kAIPathSuite, kAIPathSuiteVersion, &kPathSuite);
    r.add(kAIPathStyleSuite, kAIPathStyleSuiteVersion, &kPathStyleSuite);
    r.add(kAITagSuite, kAITagSuiteVersion, &kTagSuite);
}

}  // namespace standin::suites
