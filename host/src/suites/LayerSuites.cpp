// The layer, document and document-view suites of the front document. Layers are named
// by their layer groups; top-level layers are the children of the document's hidden root.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <string>

#include "AIDocument.h"
#include "AILayer.h"
#include "model/Rules.h"
#include "model/Rules.h"
#include "suites/Suites.h"

namespace standin::suites {
namespace {

AIErr needDocument(Document** d) {
    *d = front();
    return *d ? kNoErr : kNoDocumentErr;
}

// The next layer group at or after `id` among its siblings.
ObjId layerFrom(const Document& d, ObjId id) {
    while (id && !d.isLayer(id)) id = d.art(id)->next;
    return id;
}

AIErr CountLayers(int32_t* count) {
    if (!count) return kBadParameterErr;
    *count = 0;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    *count = static_cast<int32_t>(d->layerCount());
    return kNoErr;
}

AIErr GetNthLayer(int32_t index, AILayerHandle* layer) {
    if (!layer) return kBadParameterErr;
    *layer = nullptr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    const ObjId nth = index < 0 ? 0 : d->nthLayer(static_cast<size_t>(index));
    if (!nth) return kOutOfRangeErr;
    *layer = layerHandle(nth);
    return kNoErr;
}

AIErr GetFirstLayer(AILayerHandle* first) {
    if (!first) return kBadParameterErr;
    *first = nullptr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    *first = layerHandle(layerFrom(*d, d->art(d->root())->firstChild));
    return kNoErr;
}

AIErr GetNextLayer(AILayerHandle layer, AILayerHandle* next) {
    if (!next) return kBadParameterErr;
    *next = nullptr;
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    *next = layerHandle(r.doc->nextLayerIn(r.art->parent, r.art->id));
    return kNoErr;
}

AIErr GetLayerFirstChild(AILayerHandle layer, AILayerHandle* child) {
    if (!child) return kBadParameterErr;
    *child = nullptr;
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    *child = layerHandle(r.doc->nextLayerIn(r.art->id, 0));
    return kNoErr;
}

AIErr GetLayerParent(AILayerHandle layer, AILayerHandle* parent) {
    if (!parent) return kBadParameterErr;
    *parent = nullptr;
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    *parent = layerHandle(r.doc->layerOf(r.art->parent));
    return kNoErr;
}

AIErr GetCurrentLayer(AILayerHandle* layer) {
    if (!layer) return kBadParameterErr;
    *layer = nullptr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    *layer = layerHandle(d->currentLayer());
    return kNoErr;
}

AIErr SetCurrentLayer(AILayerHandle layer) {
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    return r.doc->setCurrentLayer(r.id);
}

AIErr GetLayerByTitle(AILayerHandle* layer, const char* title) {
    if (!layer || !title) return kBadParameterErr;
    *layer = nullptr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    *layer = layerHandle(d->layerByTitle(title));
    return kNoErr;
}

AIErr GetLayerTitle(AILayerHandle layer, char* title, int32_t size) {
    if (!title || size <= 0) return kBadParameterErr;
    title[0] = '\0';
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    const std::string& t = r.art->layer->title;
    const size_t n = std::min(t.size(), static_cast<size_t>(size) - 1);
    std::memcpy(title, t.data(), n);
    title[n] = '\0';
    return kNoErr;
}

AIErr SetLayerTitle(AILayerHandle layer, const char* title) {
    if (!title) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    r.doc->editArt(r.id)->layer->title = std::string(title).substr(0, kMaxLayerTitle);
    return kNoErr;
}

// The boolean layer states, through one getter and setter each.
template <bool LayerProps::*Field>
AIErr getFlag(AILayerHandle layer, ASBoolean* value) {
    if (!value) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    *value = (*r.art->layer).*Field;
    return kNoErr;
}

template <bool LayerProps::*Field>
AIErr setFlag(AILayerHandle layer, ASBoolean value) {
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    if ((*r.art->layer).*Field != (value != 0)) (*r.doc->editArt(r.id)->layer).*Field = value != 0;
    return kNoErr;
}

AIErr GetLayerColor(AILayerHandle layer, AIRGBColor* color) {
    if (!color) return kBadParameterErr;
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    *color = r.art->layer->color;
    return kNoErr;
}

AIErr SetLayerColor(AILayerHandle layer, AIRGBColor color) {
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    r.doc->editArt(r.id)->layer->color = color;
    return kNoErr;
}

AIErr InsertLayer(AILayerHandle relative, int16_t order, AILayerHandle* newLayer) {
    if (!newLayer) return kBadParameterErr;
    *newLayer = nullptr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    ObjId rel = 0;
    if (relative) {
        ArtRef r;
        if (AIErr e = lookupLayer(relative, &r)) return e;
        rel = r.id;
    }
    // New layers are numbered after the layers there are, as the host names them.
    int count = 0;
    d->walk([&](const Art& a, int) { count += a.isLayerGroup() ? 1 : 0; });
    AIErr err = kNoErr;
    const ObjId id = d->insertLayer(rel, order, "Layer " + std::to_string(count + 1), &err);
    if (err) return err;
    *newLayer = layerHandle(id);
    return kNoErr;
}

AIErr DeleteLayer(AILayerHandle layer) {
    ArtRef r;
    if (AIErr e = lookupLayer(layer, &r)) return e;
    return r.doc->deleteLayer(r.id);
}

ASBoolean IsInIsolationMode() {
    Host* h = host();
    return h && h->isolationMode;
}

const AILayerSuite kLayerSuite = {
    CountLayers,
    GetNthLayer,
    GetFirstLayer,
    GetNextLayer,
    GetLayerFirstChild,
    GetLayerParent,
    GetCurrentLayer,
    SetCurrentLayer,
    GetLayerByTitle,
    GetLayerTitle,
    SetLayerTitle,
    getFlag<&LayerProps::visible>,
    setFlag<&LayerProps::visible>,
    getFlag<&LayerProps::editable>,
    setFlag<&LayerProps::editable>,
    getFlag<&LayerProps::printed>,
    setFlag<&LayerProps::printed>,
    getFlag<&LayerProps::preview>,
    setFlag<&LayerProps::preview>,
    getFlag<&LayerProps::dimPlaced>,
    setFlag<&LayerProps::dimPlaced>,
    GetLayerColor,
    SetLayerColor,
    InsertLayer,
    DeleteLayer,
    IsInIsolationMode,
};

// ---------------------------------------------------------------- document

AIErr GetDocumentSetup(AIDocumentSetup* setup) {
    if (!setup) return kBadParameterErr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    *setup = d->state().setup;
    return kNoErr;
}

AIErr SetDocumentSetup(const AIDocumentSetup* setup) {
    if (!setup) return kBadParameterErr;
    if (!(setup->width > 0) || !(setup->height > 0) || !std::isfinite(setup->width) || !std::isfinite(setup->height))
        return kBadParameterErr;
    // A page larger than the canvas could not be held.
    if (rules::pageSizeProblem(setup->width, "") || rules::pageSizeProblem(setup->height, "")) return kBadParameterErr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    d->editState().setup = *setup;
    return kNoErr;
}

AIErr GetDocumentRulerOrigin(AIRealPoint* origin) {
    if (!origin) return kBadParameterErr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    *origin = d->state().rulerOrigin;
    return kNoErr;
}

AIErr SetDocumentRulerOrigin(const AIRealPoint* origin) {
    if (!origin) return kBadParameterErr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    d->editState().rulerOrigin = *origin;
    return kNoErr;
}

AIErr GetDocumentMaxArtboardBounds(AIRealRect* bounds) {
    if (!bounds) return kBadParameterErr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    const DocState& s = d->state();
    // The page, placed where the ruler origin says.
    const AIReal left = -s.rulerOrigin.h, bottom = -s.rulerOrigin.v;
    *bounds = {left, bottom + s.setup.height, left + s.setup.width, bottom};
    return kNoErr;
}

AIErr GetDocumentDictionary(AIDictionaryRef* dictionary) {
    if (!dictionary) return kBadParameterErr;
    *dictionary = nullptr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    const ObjId id = d->dictionaryOf(0);
    host()->addDictRef(id);
    *dictionary = toHandle<AIDictionaryRef>(id);
    return kNoErr;
}

AIErr SyncDocument() {
    Document* d;
    return needDocument(&d);
}

AIErr GetDocument(AIDocumentHandle* document) {
    if (!document) return kBadParameterErr;
    *document = nullptr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    *document = toHandle<AIDocumentHandle>(d->id());
    return kNoErr;
}

AIErr GetDocumentRevision(uint64_t* revision) {
    if (!revision) return kBadParameterErr;
    *revision = 0;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    *revision = d->revision();
    return kNoErr;
}

const AIDocumentSuite kDocumentSuite = {
    GetDocumentSetup,      SetDocumentSetup, GetDocumentRulerOrigin, SetDocumentRulerOrigin,
    GetDocumentMaxArtboardBounds, GetDocumentDictionary, SyncDocument, GetDocument, GetDocumentRevision,
};

// ---------------------------------------------------------------- views

// The one view of the front document: a window of this many pixels.
constexpr int32_t kViewWidth = 1024;
constexpr int32_t kViewHeight = 768;

AIErr lookupView(AIDocumentViewHandle view, Document** d) {
    if (!view) return kBadParameterErr;
    if (AIErr e = needDocument(d)) return e;
    return fromHandle(view) == (*d)->id() ? kNoErr : kStaleHandleErr;
}

AIErr CountDocumentViews(int32_t* count) {
    if (!count) return kBadParameterErr;
    *count = front() ? 1 : 0;
    return kNoErr;
}

AIErr GetNthDocumentView(int32_t index, AIDocumentViewHandle* view) {
    if (!view) return kBadParameterErr;
    *view = nullptr;
    Document* d;
    if (AIErr e = needDocument(&d)) return e;
    if (index != 0) return kOutOfRangeErr;
    *view = toHandle<AIDocumentViewHandle>(d->id());
    return kNoErr;
}

AIErr GetDocumentViewZoom(AIDocumentViewHandle view, AIReal* zoom) {
    if (!zoom) return kBadParameterErr;
    Document* d;
    if (AIErr e = lookupView(view, &d)) return e;
    *zoom = host()->viewZoom(d->id());
    return kNoErr;
}

AIErr SetDocumentViewZoom(AIDocumentViewHandle view, AIReal zoom) {
    Document* d;
    if (AIErr e = lookupView(view, &d)) return e;
    if (!(zoom > 0) || !std::isfinite(zoom)) return kBadParameterErr;
    host()->setViewZoom(d->id(), zoom);
    return kNoErr;
}

AIErr ArtworkPointToViewPoint(AIDocumentViewHandle view, const AIRealPoint* art, AIPoint* out) {
    if (!art || !out) return kBadParameterErr;
    Document* d;
    if (AIErr e = lookupView(view, &d)) return e;
    const AIReal zoom = host()->viewZoom(d->id());
    const AIRealPoint c = host()->viewCenter(d->id());
    const double h = std::round((art->h - c.h) * zoom + kViewWidth / 2.0);
    const double v = std::round((c.v - art->v) * zoom + kViewHeight / 2.0);
    if (!std::isfinite(h) || !std::isfinite(v) || std::fabs(h) > 2e9 || std::fabs(v) > 2e9) return kBadParameterErr;
    *out = {static_cast<int32_t>(h), static_cast<int32_t>(v)};
    return kNoErr;
}

AIErr ViewPointToArtworkPoint(AIDocumentViewHandle view, const AIPoint* pt, AIRealPoint* out) {
    if (!pt || !out) return kBadParameterErr;
    Document* d;
    if (AIErr e = lookupView(view, &d)) return e;
    const AIReal zoom = host()->viewZoom(d->id());
    const AIRealPoint c = host()->viewCenter(d->id());
    out->h = static_cast<AIReal>((pt->h - kViewWidth / 2.0) / zoom + c.h);
    out->v = static_cast<AIReal>(c.v - (pt->v - kViewHeight / 2.0) / zoom);
    return kNoErr;
}

AIErr GetDocumentViewCenter(AIDocumentViewHandle view, AIRealPoint* center) {
    if (!center) return kBadParameterErr;
    Document* d;
    if (AIErr e = lookupView(view, &d)) return e;
    *center = host()->viewCenter(d->id());
    return kNoErr;
}

AIErr SetDocumentViewCenter(AIDocumentViewHandle view, const AIRealPoint* center) {
    if (!center) return kBadParameterErr;
    Document* d;
    if (AIErr e = lookupView(view, &d)) return e;
    host()->setViewCenter(d->id(), *center);
    return kNoErr;
}

const AIDocumentViewSuite kViewSuite = {
    CountDocumentViews,      GetNthDocumentView,      GetDocumentViewZoom,   SetDocumentViewZoom,
    ArtworkPointToViewPoint, ViewPointToArtworkPoint, GetDocumentViewCenter, SetDocumentViewCenter,
};

}  // namespace

void addLayerSuites(SuiteRegistry& r) {
    r.add(kAILayerSuite, kAILayerSuiteVersion, &kLayerSuite);
    r.add(kAIDocumentSuite, kAIDocumentSuiteVersion, &kDocumentSuite);
    r.add(kAIDocumentViewSuite, kAIDocumentViewSuiteVersion, &kViewSuite);
}

}  // namespace standin::suites
