// The attribute catalogue and collection suites over the host's catalogues: each call finds
// the live catalogue or collection behind its handle (null and unknown handles refused),
// and export and import write and read the catalogue files whole.
#include "adm/Catalogs.h"

#include <algorithm>
#include <cstring>
#include <utility>

#include "Host.h"
#include "io/AtomicFile.h"
#include "io/Json.h"

namespace standin {

namespace {

Catalogs* active() { return Host::current() ? &Host::current()->catalogs() : nullptr; }

void copyBounded(char* out, int32_t size, const std::string& text) {
    if (!out || size <= 0) return;
    const size_t n = std::min(text.size(), static_cast<size_t>(size - 1));
    std::memcpy(out, text.data(), n);
    out[n] = '\0';
}

std::string boundedName(const char* text, size_t most) {
    return text ? std::string(text, strnlen(text, most)) : std::string();
}

// Runs `f` on the live catalogue and collection behind the handles; 'PARM' for null or
// unknown ones.
template <class F>
AIErr withCatalog(AIAttributeCatalogRef ref, F&& f) {
    Catalogs* c = active();
    Catalog* cat = c ? c->catalog(ref) : nullptr;
    return cat ? f(*c, *cat) : kBadParameterErr;
}

template <class F>
AIErr withCollection(AIAttributeCollectionRef ref, const char* key, F&& f) {
    Catalogs* c = active();
    Collection* col = c ? c->collection(ref) : nullptr;
    if (!col || !key || !*key) return kBadParameterErr;
    return f(*col, boundedName(key, io::kMaxCatalogKeyBytes));
}

template <class T, class Out>
AIErr getValue(AIAttributeCollectionRef ref, const char* key, Out* value) {
    if (!value) return kBadParameterErr;
    return withCollection(ref, key, [&](Collection& col, const std::string& k) -> AIErr {
        const io::CatalogValue* v = col.data.find(k);
        if (!v || !std::holds_alternative<T>(*v)) return kNoSuchKeyErr;
        *value = static_cast<Out>(std::get<T>(*v));
        return kNoErr;
    });
}

template <class T>
AIErr setValue(AIAttributeCollectionRef ref, const char* key, T value) {
    return withCollection(ref, key, [&](Collection& col, const std::string& k) -> AIErr {
        col.data.set(k, io::CatalogValue(std::move(value)));
        return kNoErr;
    });
}

AIErr importCatalog(AIAttributeCatalogRef ref, const char* fileName, char* problem, int32_t size) {
    return withCatalog(ref, [&](Catalogs& c, Catalog& cat) -> AIErr {
        std::string text, why;
        bool missing = false;
        if (!c.readFile(boundedName(fileName, 255), text, why, missing)) {
            copyBounded(problem, size, why);
            return missing ? kDataFilterErr : kCatalogFormatErr;
        }
        io::CatalogText read;
        try {
            read = io::readCatalogText(text);
        } catch (const io::FormatError& e) {
            copyBounded(problem, size, e.what());
            return kCatalogFormatErr;
        }
        // Only a file read whole replaces what the catalogue held.
        for (Collection* old : cat.collections) c.release(old);
        cat.collections.clear();
        cat.owner = std::move(read.owner);
        cat.description = std::move(read.description);
        cat.version = read.version;
        for (io::CatalogCollection& data : read.collections) {
            Collection* col = c.create();
            col->data = std::move(data);
            cat.collections.push_back(col);
        }
        return kNoErr;
    });
}

AIErr exportCatalog(AIAttributeCatalogRef ref, const char* fileName, char* problem, int32_t size) {
    return withCatalog(ref, [&](Catalogs& c, Catalog& cat) -> AIErr {
        io::CatalogText text{cat.owner, cat.description, cat.version, {}};
        text.collections.reserve(cat.collections.size());
        for (const Collection* col : cat.collections) text.collections.push_back(col->data);
        std::string why;
        if (!c.writeFile(boundedName(fileName, 255), io::writeCatalogText(text), why)) {
            copyBounded(problem, size, why);
            return kCatalogWriteErr;
        }
        return kNoErr;
    });
}

const AIAttributeCatalogSuite kCatalogSuite = {
    [](const char* name, void*, void*) -> AIErr {
        Catalogs* c = active();
        if (!c || !name || !*name) return kBadParameterErr;
        c->registerCatalog(boundedName(name, 255));
        return kNoErr;
    },
    [](const char* name, AIAttributeCatalogRef* out) -> AIErr {
        Catalogs* c = active();
        if (!c || !name || !out) return kBadParameterErr;
        *out = reinterpret_cast<AIAttributeCatalogRef>(c->find(boundedName(name, 255)));
        return kNoErr;
    },
    &importCatalog,
    &exportCatalog,
    [](AIAttributeCatalogRef ref, _t_AIAttributeCatalogSketch* sketch) -> AIErr {
        if (!sketch) return kBadParameterErr;
        return withCatalog(ref, [&](Catalogs&, Catalog& cat) -> AIErr {
            copyBounded(sketch->owner, sizeof sketch->owner, cat.owner);
            copyBounded(sketch->description, sizeof sketch->description, cat.description);
            sketch->version = cat.version;
            return kNoErr;
        });
    },
    [](AIAttributeCatalogRef ref, const _t_AIAttributeCatalogSketch* sketch) -> AIErr {
        if (!sketch) return kBadParameterErr;
        return withCatalog(ref, [&](Catalogs&, Catalog& cat) -> AIErr {
            cat.owner = boundedName(sketch->owner, sizeof sketch->owner - 1);
            cat.description = boundedName(sketch->description, sizeof sketch->description - 1);
            cat.version = sketch->version;
            return kNoErr;
        });
    },
    [](AIAttributeCatalogRef ref, int32_t* count) -> AIErr {
        if (!count) return kBadParameterErr;
        return withCatalog(ref, [&](Catalogs&, Catalog& cat) -> AIErr {
            *count = static_cast<int32_t>(cat.collections.size());
            return kNoErr;
        });
    },
    [](AIAttributeCatalogRef ref, int32_t index, AIAttributeCollectionRef* out) -> AIErr {
        if (!out) return kBadParameterErr;
        return withCatalog(ref, [&](Catalogs&, Catalog& cat) -> AIErr {
            if (index < 0 || static_cast<size_t>(index) >= cat.collections.size()) return kBadParameterErr;
            *out = reinterpret_cast<AIAttributeCollectionRef>(cat.collections[static_cast<size_t>(index)]);
            return kNoErr;
        });
    },
    [](AIAttributeCatalogRef ref, AIAttributeCollectionRef colRef) -> AIErr {
        return withCatalog(ref, [&](Catalogs& c, Catalog& cat) -> AIErr {
            Collection* col = c.collection(colRef);
            if (!col) return kBadParameterErr;
            c.retain(col);
            cat.collections.push_back(col);
            return kNoErr;
        });
    },
    [](AIAttributeCatalogRef ref, int32_t index) -> AIErr {
        return withCatalog(ref, [&](Catalogs& c, Catalog& cat) -> AIErr {
            if (index < 0 || static_cast<size_t>(index) >= cat.collections.size()) return kBadParameterErr;
            Collection* col = cat.collections[static_cast<size_t>(index)];
            cat.collections.erase(cat.collections.begin() + index);
            c.release(col);
            return kNoErr;
        });
    },
};

const AIAttributeCollectionSuite kCollectionSuite = {
    [](AIAttributeCollectionRef* out) -> AIErr {
        Catalogs* c = active();
        if (!c || !out) return kBadParameterErr;
        *out = reinterpret_cast<AIAttributeCollectionRef>(c->create());
        return kNoErr;
    },
    [](AIAttributeCollectionRef ref) -> AIErr {
        Catalogs* c = active();
        Collection* col = c ? c->collection(ref) : nullptr;
        if (!col) return kBadParameterErr;
        c->release(col);
        return kNoErr;
    },
    [](AIAttributeCollectionRef c, const char* k, int32_t* v) { return getValue<int32_t>(c, k, v); },
    [](AIAttributeCollectionRef c, const char* k, int32_t v) { return setValue<int32_t>(c, k, v); },
    [](AIAttributeCollectionRef c, const char* k, AIReal* v) { return getValue<float>(c, k, v); },
    [](AIAttributeCollectionRef c, const char* k, AIReal v) { return setValue<float>(c, k, v); },
    [](AIAttributeCollectionRef c, const char* k, AIBoolean* v) { return getValue<bool>(c, k, v); },
    [](AIAttributeCollectionRef c, const char* k, AIBoolean v) { return setValue<bool>(c, k, v != 0); },
    [](AIAttributeCollectionRef ref, const char* key, char* buffer, int32_t size) -> AIErr {
        if (!buffer || size <= 0) return kBadParameterErr;
        return withCollection(ref, key, [&](Collection& col, const std::string& k) -> AIErr {
            const io::CatalogValue* v = col.data.find(k);
            if (!v || !std::holds_alternative<std::string>(*v)) return kNoSuchKeyErr;
            copyBounded(buffer, size, std::get<std::string>(*v));
            return kNoErr;
        });
    },
    [](AIAttributeCollectionRef c, const char* k, const char* v) -> AIErr {
        if (!v) return kBadParameterErr;
        return setValue<std::string>(c, k, boundedName(v, io::kMaxCatalogTextBytes));
    },
};

}  // namespace

Catalogs::Catalogs() = default;
Catalogs::~Catalogs() = default;

void Catalogs::registerSuites(SuiteRegistry& registry) {
    registry.add(kAIAttributeCatalogSuite, kAIAttributeCatalogSuiteVersion, &kCatalogSuite);
    registry.add(kAIAttributeCollectionSuite, kAIAttributeCollectionSuiteVersion, &kCollectionSuite);
}

std::filesystem::path Catalogs::filePath(const std::string& name) const {
    return folder_.empty() ? std::filesystem::path() : folder_ / name;
}

bool Catalogs::readFile(const std::string& name, std::string& text, std::string& problem, bool& missing) const {
    missing = false;
    if (folder_.empty()) {
        const auto it = memoryFiles_.find(name);
        missing = it == memoryFiles_.end();
        if (missing) return false;
        text = it->second;
        return true;
    }
    return io::readWholeFile(filePath(name).string(), io::kCatalogFile, text, problem, &missing);
}

bool Catalogs::writeFile(const std::string& name, const std::string& text, std::string& problem) {
    const bool interrupt = std::exchange(failNextExport_, false);
    if (folder_.empty()) {
        if (interrupt) {
            problem = "cannot write " + name + ": the disk is full";
            return false;
        }
        memoryFiles_[name] = text;
        return true;
    }
    // The user's configuration folder, made private to the user as the preferences make it; a
    // folder that cannot be made is the reason the file cannot be written.
    if (auto failure = io::makePrivateFolders(folder_)) {
        problem = "cannot write " + filePath(name).string() + ": " + *failure;
        return false;
    }
    return io::writeFileAtomically(filePath(name).string(), text, problem, interrupt);
}

Catalog* Catalogs::registerCatalog(const std::string& name) {
    auto& slot = catalogs_[name];
    if (slot)
        for (Collection* c : slot->collections) release(c);
    slot = std::make_unique<Catalog>();
    return slot.get();
}

Catalog* Catalogs::find(const std::string& name) {
    const auto it = catalogs_.find(name);
    return it == catalogs_.end() ? nullptr : it->second.get();
}

Catalog* Catalogs::catalog(AIAttributeCatalogRef ref) {
    for (auto& [name, cat] : catalogs_)
        if (reinterpret_cast<AIAttributeCatalogRef>(cat.get()) == ref) return cat.get();
    return nullptr;
}

Collection* Catalogs::create() {
    auto owned = std::make_unique<Collection>();
    Collection* c = owned.get();
    collections_.emplace(c, std::move(owned));
    return c;
}

Collection* Catalogs::collection(AIAttributeCollectionRef ref) {
    const auto it = collections_.find(reinterpret_cast<Collection*>(ref));
    return it == collections_.end() ? nullptr : it->second.get();
}

void Catalogs::release(Collection* c) {
    if (--c->refs <= 0) collections_.erase(c);
}

}  // namespace standin
