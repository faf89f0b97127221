// The stand-in host: the open documents (one in front), the suite registry behind the
// basic suite, the message boundaries that drive the undo journal, and the counted
// resources (blocks, memory handles, dictionary references, hit references) that tests
// check return to zero. Suite functions reach the host through Host::current().
#pragma once

#include <cstddef>
#include <functional>
#include <memory>
#include <string>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <vector>

#include "AIDictionary.h"
#include "AIHitTest.h"
#include "SPBasic.h"
#include "SuiteRegistry.h"
#include "adm/Catalogs.h"
#include "adm/DialogManager.h"
#include "adm/PreferenceStore.h"
#include "adm/Resources.h"
#include "adm/Workspace.h"
#include "model/Document.h"

namespace standin {

struct Counters {
    long liveBlocks = 0;
    long mdHandles = 0;
    long dictRefs = 0;        // outstanding dictionary references
    long dictIterators = 0;
    long entryRefs = 0;
    long hitRefs = 0;
    long doubleReleases = 0;  // releases of references not held
};

// What one of the host's error codes means, in words ("the layer is locked or hidden"); null
// for a code the host does not give (a plug-in's own).
const char* errorWords(AIErr err);

class Host {
public:
    Host();
    ~Host();
    Host(const Host&) = delete;
    Host& operator=(const Host&) = delete;

    // The host the suite functions talk to: the latest one constructed and still alive.
    static Host* current();

    SuiteRegistry& suites() { return registry_; }
    SPBasicSuite* basicSuite() { return &basic_; }

    // ---- documents
    Document& newDocument(AIReal width = 612.0f, AIReal height = 792.0f);
    // Takes a document a loader filled (made with documentIds()); it comes to the front.
    Document& adoptDocument(std::unique_ptr<Document> doc);
    IdSource& documentIds() { return ids_; }
    Document* frontDocument();
    size_t documentCount() const { return docs_.size(); }
    Document& document(size_t index) { return *docs_.at(index); }
    void setFrontDocument(Document& doc);
    void closeDocument(Document& doc);
    // The open document holding that object (art, dictionary or layer), or null.
    Document* documentOf(ObjId id);
    // The document holding the dictionary, and the dictionary; null when none does.
    Document* documentOfDict(ObjId id, const Dict** dict);

    // ---- messages and undo (front document unless said)
    void beginMessage(MessageKind kind = MessageKind::Other);
    void endMessage();
    bool inMessage() const { return inMessage_; }
    // The open message's number (each message gets the next), 0 outside a message: what
    // names the undo step its changes go to.
    uint64_t currentMessage() const { return inMessage_ ? message_ : 0; }
    // The open message's changes join the front document's latest step when that holds the
    // changes of message `step` (Journal::joinStep).
    void joinUndoStep(uint64_t step);
    AIErr undoChanges();
    // Every document's changes of the gesture or message in hand are taken back
    // (Journal::undoAllChanges).
    AIErr undoAllChanges();
    // Every document's changes of the message in hand so far join its latest step
    // (Journal::keepSoFar).
    AIErr keepChangesSoFar();
    bool userUndo();
    bool userRedo();
    // While one lives, what the messages change is no step of undo of its own
    // (Journal::setFolding): the plug-ins' bookkeeping around a save.
    class FoldedChanges {
    public:
        explicit FoldedChanges(Host& host) : host_(host) { host_.foldChanges(true); }
        ~FoldedChanges() { host_.foldChanges(false); }
        FoldedChanges(const FoldedChanges&) = delete;
        FoldedChanges& operator=(const FoldedChanges&) = delete;

    private:
        Host& host_;
    };
    void foldChanges(bool on);

    // ---- counted resources
    const Counters& counters() const { return counters_; }
    Counters& mutableCounters() { return counters_; }
    // Reference counts of dictionaries handed to the plug-in (not part of undo).
    void addDictRef(ObjId dict);
    bool releaseDictRef(ObjId dict);  // false when no reference was held
    int dictRefCount(ObjId dict) const;

    // Hit results.
    AIHitRef newHit(const AIToolHitData& data);
    const AIToolHitData* hit(AIHitRef ref) const;
    bool releaseHit(AIHitRef ref);

    // Memory handles.
    AIMdMemoryHandle newMdHandle(size_t size);
    std::vector<unsigned char>* mdHandle(AIMdMemoryHandle h);
    bool disposeMdHandle(AIMdMemoryHandle h);

    // Blocks.
    void* allocateBlock(size_t size);
    bool disposeBlock(void* block);
    bool blockSize(void* block, size_t* size) const;
    bool reallocateBlock(void* block, size_t size, void** newBlock);

    // Undo and redo texts set by the plug-in for the current message.
    std::string undoText;
    std::string redoText;

    // Interned dictionary keys.
    // A key handed out is its number plus one, so no key is null.
    static AIDictKey key(const char* text);
    static AIDictKey key(DictKey key);
    static std::optional<DictKey> dictKey(AIDictKey key);

    // Dictionary iterators: the keys present when iteration began.
    struct DictIter {
        ObjId dict = 0;
        std::vector<DictKey> keys;
        size_t pos = 0;
    };
    AIDictionaryIterator newIterator(DictIter it);
    DictIter* iterator(AIDictionaryIterator it);
    bool releaseIterator(AIDictionaryIterator it);

    // Detached dictionary entries (generic copy).
    struct EntryValue {
        DictValue value;
        Document* from = nullptr;  // for dictionary values: where the id lives
    };
    AIEntryRef newEntry(EntryValue v);
    EntryValue* entry(AIEntryRef e);
    bool releaseEntry(AIEntryRef e);

    // View zoom of each document's one view.
    AIReal viewZoom(ObjId doc) const;
    void setViewZoom(ObjId doc, AIReal zoom);
    AIRealPoint viewCenter(ObjId doc) const;
    void setViewCenter(ObjId doc, AIRealPoint c);

    bool isolationMode = false;

    // ---- fault injection for tests
    // The nth dictionary write from now (1: the next) fails with kOutOfMemoryErr and changes
    // nothing, as when the host runs out of room; the writes after it succeed again. 0
    // disarms. A write is any entry set or deleted through the dictionary suite.
    void failDictionaryWrite(int nth) { dictWritesBeforeFailure_ = nth; }
    // Called by the dictionary suite before each write: false for the one to fail.
    bool allowDictionaryWrite() { return dictWritesBeforeFailure_ <= 0 || --dictWritesBeforeFailure_ > 0; }
    // The same for the transform-art suite: the nth transform from now fails and moves nothing.
    void failTransform(int nth) { transformsBeforeFailure_ = nth; }
    bool allowTransform() { return transformsBeforeFailure_ <= 0 || --transformsBeforeFailure_ > 0; }

    // ---- the edit menu's copy and paste
    // Copy keeps copies of the front document's selected art (Document::selectedArt, with
    // dictionaries and tags), so later changes to the originals do not reach the
    // clipboard. Paste puts copies on top of the current layer of the front document,
    // selected.
    AIErr copySelection();
    AIErr paste(std::vector<ObjId>* pasted = nullptr);
    bool clipboardEmpty() const;

    // ---- dialog manager, resources, preferences and workspaces
    // The resource folder (resources().setDir) and the preference file
    // (preferences().setPath) are the driver's options; the driver loads the preferences
    // before start-up and saves them after shut-down.
    Resources& resources() { return resources_; }
    DialogManager& dialogs() { return dialogs_; }
    PreferenceStore& preferences() { return preferences_; }
    Workspaces& workspaces() { return workspaces_; }
    // Attribute catalogues (the presets) and the folder their files live in.
    Catalogs& catalogs() { return catalogs_; }

private:
    void registerSuites();

    static AIErr acquireSuite(const char* name, int32_t version, const void** suite);
    static AIErr releaseSuite(const char* name, int32_t version);
    static ASBoolean isEqual(const char* a, const char* b);

    Host* previous_ = nullptr;
    SuiteRegistry registry_;
    Resources resources_;
    DialogManager dialogs_{resources_};
    PreferenceStore preferences_;
    Workspaces workspaces_;
    Catalogs catalogs_;
    SPBasicSuite basic_{};
    IdSource ids_;
    std::vector<std::unique_ptr<Document>> docs_;  // docs_[front_] is in front
    size_t front_ = 0;
    bool inMessage_ = false;
    uint64_t message_ = 0;
    int untitled_ = 0;
    Counters counters_;
    std::unordered_map<ObjId, int> dictRefs_;
    std::unique_ptr<Document> clipboard_;
    ObjId nextHandle_ = 1;
    int dictWritesBeforeFailure_ = 0;
    int transformsBeforeFailure_ = 0;
    std::unordered_map<ObjId, AIToolHitData> hits_;
    std::unordered_map<ObjId, std::vector<unsigned char>> md_;
    std::unordered_map<void*, size_t> blocks_;
    std::unordered_map<ObjId, DictIter> iters_;
    std::unordered_map<ObjId, EntryValue> entries_;
    struct View {
        AIReal zoom = 1.0f;
        AIRealPoint center{0, 0};
    };
    std::unordered_map<ObjId, View> views_;
};

}  // namespace standin
