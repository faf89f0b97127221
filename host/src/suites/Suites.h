// Registration of the document-side suites with the host's suite registry, and the
// lookups every suite function starts with: the front document, and handles turned back
// into live objects ('PARM' for null, 'DOC?' without a document, 'STAL' for objects that
// are gone).
#pragma once

#include "Host.h"
#include "SuiteRegistry.h"

namespace standin {

void registerDocumentSuites(SuiteRegistry& registry);

namespace suites {

inline Host* host() { return Host::current(); }

inline Document* front() {
    Host* h = host();
    return h ? h->frontDocument() : nullptr;
}

struct ArtRef {
    Document* doc = nullptr;
    ObjId id = 0;
    const Art* art = nullptr;
};

inline AIErr lookupArt(AIArtHandle handle, ArtRef* out) {
    if (!handle) return kBadParameterErr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    const ObjId id = fromHandle(handle);
    const Art* a = d->art(id);
    if (!a || a->type == kRootArt) return kStaleHandleErr;
    *out = {d, id, a};
    return kNoErr;
}

inline AIErr lookupLayer(AILayerHandle handle, ArtRef* out) {
    if (!handle) return kBadParameterErr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    const ObjId id = fromHandle(handle);
    const Art* a = d->art(id);
    if (!a || !a->isLayerGroup()) return kStaleHandleErr;
    *out = {d, id, a};
    return kNoErr;
}

inline AIArtHandle artHandle(ObjId id) { return toHandle<AIArtHandle>(id); }
inline AILayerHandle layerHandle(ObjId id) { return toHandle<AILayerHandle>(id); }

// Each suite file fills its tables.
void addArtSuites(SuiteRegistry& r);         // art, path, path style, tag
void addDictionarySuites(SuiteRegistry& r);  // dictionary, iterator
void addLayerSuites(SuiteRegistry& r);       // layer, document, document view
void addQuerySuites(SuiteRegistry& r);       // matching art, memory, hit test, block, undo,
                                             // transform, shape construction
void addMathSuites(SuiteRegistry& r);        // real maths, Bezier
void addColorSuites(SuiteRegistry& r);       // custom colours, colour conversion
void addOutlineSuites(SuiteRegistry& r);     // outline stroke
void addStyleSuites(SuiteRegistry& r);       // gradient, art style

}  // namespace suites
}  // namespace standin
