// The host's attribute catalogues and collections behind the two suites, and the files
// catalogues are exported to and imported from: in the user's support folder when the host
// has one, else kept in memory for the life of the host (tests, and sessions that keep their
// preferences in memory).
#pragma once

#include <filesystem>
#include <map>
#include <memory>
#include <string>

#include "AIAttributeCatalog.h"
#include "SuiteRegistry.h"
#include "io/CatalogFile.h"

namespace standin {

struct Collection {
    io::CatalogCollection data;
    int refs = 1;
};

struct Catalog {
    std::string owner, description;
    int16_t version = 0;
    std::vector<Collection*> collections;  // each holds a reference
};

class Catalogs {
public:
    Catalogs();
    ~Catalogs();
    Catalogs(const Catalogs&) = delete;
    Catalogs& operator=(const Catalogs&) = delete;

    void registerSuites(SuiteRegistry& registry);

    // The user's support folder; empty: files live in memory.
    void setFolder(std::filesystem::path folder) { folder_ = std::move(folder); }
    const std::filesystem::path& folder() const { return folder_; }
    // The full path of a file of the folder (empty when files live in memory).
    std::filesystem::path filePath(const std::string& name) const;
    // A file's text as the host keeps it (from the folder or memory); false when there is none.
    bool readFile(const std::string& name, std::string& text, std::string& problem, bool& missing) const;
    bool writeFile(const std::string& name, const std::string& text, std::string& problem);

    Catalog* registerCatalog(const std::string& name);
    Catalog* find(const std::string& name);
    Catalog* catalog(AIAttributeCatalogRef ref);
    Collection* create();
    Collection* collection(AIAttributeCollectionRef ref);
    void retain(Collection* c) { ++c->refs; }
    void release(Collection* c);
    // Collections alive (created and not yet released by everyone holding them).
    size_t liveCollections() const { return collections_.size(); }

    // ---- fault injection for tests: the next export stops before the old file is replaced,
    // as a full disk or a crash there would.
    void failNextExport() { failNextExport_ = true; }

private:
    std::filesystem::path folder_;
    std::map<std::string, std::string> memoryFiles_;
    std::map<std::string, std::unique_ptr<Catalog>> catalogs_;
    std::map<Collection*, std::unique_ptr<Collection>> collections_;
    bool failNextExport_ = false;

    friend struct CatalogSuiteAccess;
};

}  // namespace standin
