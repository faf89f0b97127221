// The stand-in host object: documents, message boundaries, and the tables behind the
// opaque handles that are not document objects (hits, memory handles, blocks, keys,
// iterators, entries), each counted.
#include "Host.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>

#include "suites/Suites.h"
#include "text/TextHost.h"

namespace standin {

namespace {
Host* g_current = nullptr;
}

Host* Host::current() { return g_current; }

Host::Host() : previous_(g_current) {
    g_current = this;
    basic_.AcquireSuite = &Host::acquireSuite;
    basic_.ReleaseSuite = &Host::releaseSuite;
    basic_.IsEqual = &Host::isEqual;
    registry_.add(kSPBasicSuite, kSPBasicSuiteVersion, &basic_);
    registerSuites();
}

Host::~Host() {
    for (auto& [p, size] : blocks_) std::free(p);
    if (g_current == this) g_current = previous_;
}

void Host::registerSuites() {
    registerDocumentSuites(registry_);
    text::registerTextSuites(registry_);
    dialogs_.registerSuites(registry_);
    preferences_.registerSuites(registry_);
    workspaces_.registerSuites(registry_);
    catalogs_.registerSuites(registry_);
}

AIErr Host::acquireSuite(const char* name, int32_t version, const void** suite) {
    Host* h = current();
    if (!h) return kUnknownSuiteErr;
    return h->registry_.acquire(name, version, suite);
}

AIErr Host::releaseSuite(const char* name, int32_t version) {
    Host* h = current();
    if (!h) return kUnknownSuiteErr;
    return h->registry_.release(name, version);
}

ASBoolean Host::isEqual(const char* a, const char* b) {
    if (!a || !b) return a == b;
    return std::strcmp(a, b) == 0;
}

// ---------------------------------------------------------------- documents

Document& Host::newDocument(AIReal width, AIReal height) {
    auto doc = std::make_unique<Document>(ids_, width, height);
    doc->name = "Untitled-" + std::to_string(++untitled_);
    return adoptDocument(std::move(doc));
}

Document& Host::adoptDocument(std::unique_ptr<Document> doc) {
    doc->journal().clear();
    if (inMessage_) doc->journal().beginMessage(MessageKind::Other, message_);
    docs_.push_back(std::move(doc));
    front_ = docs_.size() - 1;
    return *docs_.back();
}

Document* Host::frontDocument() { return docs_.empty() ? nullptr : docs_[front_].get(); }

void Host::setFrontDocument(Document& doc) {
    for (size_t i = 0; i < docs_.size(); ++i)
        if (docs_[i].get() == &doc) front_ = i;
}

void Host::closeDocument(Document& doc) {
    auto it = std::find_if(docs_.begin(), docs_.end(), [&](const auto& d) { return d.get() == &doc; });
    if (it == docs_.end()) return;
    views_.erase(doc.id());
    const size_t index = static_cast<size_t>(it - docs_.begin());
    docs_.erase(it);
    if (docs_.empty())
        front_ = 0;
    else if (front_ >= index && front_ > 0)
        --front_;
}

Document* Host::documentOf(ObjId id) {
    // The front document first: ids a loader kept from a file may repeat another's.
    if (Document* f = frontDocument(); f && (f->art(id) || f->dict(id))) return f;
    for (auto& d : docs_)
        if (d->art(id) || d->dict(id)) return d.get();
    return nullptr;
}

Document* Host::documentOfDict(ObjId id, const Dict** dict) {
    // The front document first, as for any object; a dictionary is looked for among
    // dictionaries only, which spares a search of the art on every dictionary call.
    Document* f = frontDocument();
    if (f && (*dict = f->dict(id))) return f;
    for (auto& d : docs_)
        if (d.get() != f && (*dict = d->dict(id))) return d.get();
    *dict = nullptr;
    return nullptr;
}

// ---------------------------------------------------------------- copy and paste

AIErr Host::copySelection() {
    Document* d = frontDocument();
    if (!d) return kNoDocumentErr;
    auto clip = std::make_unique<Document>(ids_, d->state().setup.width, d->state().setup.height);
    // What is selected, not the groups around it: a group with one member selected gives
    // that member; a path with some anchors selected comes whole.
    std::vector<ObjId> copied;
    for (const Document::SelectedArt& s : d->selectedArt()) copied.push_back(s.id);
    if (AIErr e = clip->pasteArt(*d, copied)) return e;
    clip->journal().clear();
    clipboard_ = std::move(clip);
    return kNoErr;
}

AIErr Host::paste(std::vector<ObjId>* pasted) {
    if (pasted) pasted->clear();
    Document* d = frontDocument();
    if (!d) return kNoDocumentErr;
    if (!clipboard_) return kNoErr;
    return d->pasteArt(*clipboard_, clipboard_->children(clipboard_->currentLayer()), pasted);
}

bool Host::clipboardEmpty() const { return !clipboard_ || clipboard_->children(clipboard_->currentLayer()).empty(); }

const char* errorWords(AIErr err) {
    struct Known {
        AIErr code;
        const char* words;
    };
    static constexpr Known kKnown[] = {
        {kBadParameterErr, "a bad argument"},
        {kStaleHandleErr, "the object no longer exists"},
        {kOutOfRangeErr, "an index out of range"},
        {kLockedErr, "the layer is locked or hidden"},
        {kNoSuchKey, "no such key"},
        {kNoDocumentErr, "no document is open"},
        {kMatrixNotInvertibleErr, "the matrix cannot be inverted"},
        {kNotImplementedErr, "not supported by this host"},
        {kWrongTypeErr, "the entry holds another type"},
        {kOutOfMemoryErr, "out of memory"},
    };
    for (const Known& k : kKnown)
        if (k.code == err) return k.words;
    return nullptr;
}

// ---------------------------------------------------------------- messages and undo

void Host::beginMessage(MessageKind kind) {
    if (inMessage_) endMessage();
    inMessage_ = true;
    ++message_;
    for (auto& d : docs_) d->journal().beginMessage(kind, message_);
}

void Host::endMessage() {
    if (!inMessage_) return;
    inMessage_ = false;
    for (auto& d : docs_) d->journal().endMessage();
}

void Host::foldChanges(bool on) {
    for (auto& d : docs_) d->journal().setFolding(on);
}

void Host::joinUndoStep(uint64_t step) {
    if (Document* d = frontDocument()) d->journal().joinStep(step);
}

AIErr Host::undoChanges() {
    Document* d = frontDocument();
    if (!d) return kNoDocumentErr;
    d->journal().undoChanges();
    return kNoErr;
}

AIErr Host::undoAllChanges() {
    if (!inMessage_) return kBadParameterErr;
    for (auto& d : docs_) d->journal().undoAllChanges();
    return kNoErr;
}

AIErr Host::keepChangesSoFar() {
    if (!inMessage_) return kBadParameterErr;
    for (auto& d : docs_) d->journal().keepSoFar();
    return kNoErr;
}

bool Host::userUndo() {
    Document* d = frontDocument();
    return d && d->journal().userUndo();
}

bool Host::userRedo() {
    Document* d = frontDocument();
    return d && d->journal().userRedo();
}

// ---------------------------------------------------------------- dictionary references

void Host::addDictRef(ObjId dict) {
    ++dictRefs_[dict];
    ++counters_.dictRefs;
}

bool Host::releaseDictRef(ObjId dict) {
    auto it = dictRefs_.find(dict);
    if (it == dictRefs_.end() || it->second <= 0) {
        ++counters_.doubleReleases;
        return false;
    }
    if (--it->second == 0) dictRefs_.erase(it);
    --counters_.dictRefs;
    return true;
}

int Host::dictRefCount(ObjId dict) const {
    auto it = dictRefs_.find(dict);
    return it == dictRefs_.end() ? 0 : it->second;
}

// ---------------------------------------------------------------- hits

AIHitRef Host::newHit(const AIToolHitData& data) {
    const ObjId id = nextHandle_++;
    hits_.emplace(id, data);
    ++counters_.hitRefs;
    return toHandle<AIHitRef>(id);
}

const AIToolHitData* Host::hit(AIHitRef ref) const {
    auto it = hits_.find(fromHandle(ref));
    return it == hits_.end() ? nullptr : &it->second;
}

bool Host::releaseHit(AIHitRef ref) {
    if (!hits_.erase(fromHandle(ref))) {
        ++counters_.doubleReleases;
        return false;
    }
    --counters_.hitRefs;
    return true;
}

// ---------------------------------------------------------------- memory handles and blocks

AIMdMemoryHandle Host::newMdHandle(size_t size) {
    const ObjId id = nextHandle_++;
    md_.emplace(id, std::vector<unsigned char>(size));
    ++counters_.mdHandles;
    return toHandle<AIMdMemoryHandle>(id);
}

std::vector<unsigned char>* Host::mdHandle(AIMdMemoryHandle h) {
    auto it = md_.find(fromHandle(h));
    return it == md_.end() ? nullptr : &it->second;
}

bool Host::disposeMdHandle(AIMdMemoryHandle h) {
    if (!md_.erase(fromHandle(h))) return false;
    --counters_.mdHandles;
    return true;
}

void* Host::allocateBlock(size_t size) {
    void* p = std::malloc(size ? size : 1);
    if (!p) return nullptr;
    blocks_.emplace(p, size);
    ++counters_.liveBlocks;
    return p;
}

bool Host::disposeBlock(void* block) {
    auto it = blocks_.find(block);
    if (it == blocks_.end()) return false;
    std::free(block);
    blocks_.erase(it);
    --counters_.liveBlocks;
    return true;
}

bool Host::blockSize(void* block, size_t* size) const {
    auto it = blocks_.find(block);
    if (it == blocks_.end()) return false;
    *size = it->second;
    return true;
}

bool Host::reallocateBlock(void* block, size_t size, void** out) {
    auto it = blocks_.find(block);
    if (it == blocks_.end()) return false;
    void* p = std::realloc(block, size ? size : 1);
    if (!p) return false;
    blocks_.erase(it);
    blocks_.emplace(p, size);
    *out = p;
    return true;
}

// ---------------------------------------------------------------- keys, iterators, entries

AIDictKey Host::key(const char* text) { return text ? key(DictKey(text)) : nullptr; }

AIDictKey Host::key(DictKey key) { return toHandle<AIDictKey>(ObjId{key.number()} + 1); }

std::optional<DictKey> Host::dictKey(AIDictKey key) {
    const ObjId n = fromHandle(key);
    return n == 0 || n > UINT32_MAX ? std::nullopt : DictKey::numbered(static_cast<uint32_t>(n - 1));
}

AIDictionaryIterator Host::newIterator(DictIter it) {
    const ObjId id = nextHandle_++;
    iters_.emplace(id, std::move(it));
    ++counters_.dictIterators;
    return toHandle<AIDictionaryIterator>(id);
}

Host::DictIter* Host::iterator(AIDictionaryIterator it) {
    auto i = iters_.find(fromHandle(it));
    return i == iters_.end() ? nullptr : &i->second;
}

bool Host::releaseIterator(AIDictionaryIterator it) {
    if (!iters_.erase(fromHandle(it))) {
        ++counters_.doubleReleases;
        return false;
    }
    --counters_.dictIterators;
    return true;
}

AIEntryRef Host::newEntry(EntryValue v) {
    const ObjId id = nextHandle_++;
    entries_.emplace(id, std::move(v));
    ++counters_.entryRefs;
    return toHandle<AIEntryRef>(id);
}

Host::EntryValue* Host::entry(AIEntryRef e) {
    auto i = entries_.find(fromHandle(e));
    return i == entries_.end() ? nullptr : &i->second;
}

bool Host::releaseEntry(AIEntryRef e) {
    auto i = entries_.find(fromHandle(e));
    if (i == entries_.end()) {
        ++counters_.doubleReleases;
        return false;
    }
    // A dictionary value keeps a reference while detached.
    if (const auto* link = std::get_if<DictLink>(&i->second.value)) releaseDictRef(link->id);
    entries_.erase(i);
    --counters_.entryRefs;
    return true;
}

// ---------------------------------------------------------------- views

AIReal Host::viewZoom(ObjId doc) const {
    auto it = views_.find(doc);
    return it == views_.end() ? 1.0f : it->second.zoom;
}

void Host::setViewZoom(ObjId doc, AIReal zoom) {
    const AIRealPoint c = viewCenter(doc);
    View& v = views_[doc];
    v.center = c;
    v.zoom = zoom;
}

AIRealPoint Host::viewCenter(ObjId doc) const {
    auto it = views_.find(doc);
    if (it != views_.end()) return it->second.center;
    // By default the view shows the page: its centre at the page's centre.
    for (const auto& d : docs_)
        if (d->id() == doc) return {d->state().setup.width / 2, d->state().setup.height / 2};
    return {0, 0};
}

void Host::setViewCenter(ObjId doc, AIRealPoint c) {
    const AIReal zoom = viewZoom(doc);
    View& v = views_[doc];
    v.zoom = zoom;
    v.center = c;
}

}  // namespace standin
