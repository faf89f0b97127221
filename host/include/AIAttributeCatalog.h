// Attribute catalogues: named, ordered lists of collections, each collection a set of keys
// with one typed value each (32-bit integer, 32-bit real, boolean, text). A catalogue is
// exported to and imported from a file of the user's support folder (the configuration
// folder beside the preferences).
#pragma once

#include "AITypes.h"

#define kAIAttributeCatalogSuite "AI Attribute Catalog Suite"
#define kAIAttributeCatalogSuiteVersion 1
#define kAIAttributeCollectionSuite "AI Attribute Collection Suite"
#define kAIAttributeCollectionSuiteVersion 1

typedef struct _t_AIAttributeCatalog* AIAttributeCatalogRef;
typedef struct _t_AIAttributeCollection* AIAttributeCollectionRef;

// A file that does not exist is reported as kDataFilterErr ('DFER', AITypes.h).
struct _t_AIAttributeCatalogSketch {
    char owner[256];
    char description[256];
    ai_int16 version;
};

constexpr AIErr kCatalogFormatErr = 'CFMT';   // the file is no catalogue this host can read whole
constexpr AIErr kCatalogWriteErr = 'CWRT';    // the file could not be written; the old one is kept
constexpr AIErr kNoSuchKeyErr = 'NKEY';       // a collection has no such key, or it holds another type

struct AIAttributeCatalogSuite {
    // A new, empty catalogue under the name (one registered before is emptied).
    AIErr (*RegisterCatalog)(const char* name, void* notifier, void* notifierData);
    // The catalogue of that name; *catalog null (and no error) when none is registered.
    AIErr (*GetCatalog)(const char* name, AIAttributeCatalogRef* catalog);
    // Replaces the catalogue's sketch and collections with those of the file `fileName` in
    // the user's support folder. 'DFER' when there is no such file; a file that cannot be
    // read whole is refused ('CFMT') with the reason and its place in `problem`, and the
    // catalogue is left as it was.
    AIErr (*ImportCatalog)(AIAttributeCatalogRef catalog, const char* fileName, char* problem, int32_t problemSize);
    // Writes the whole catalogue to that file: a temporary file replaces the old one in one
    // step, so a failure ('CWRT', the reason in `problem`) leaves the old file whole.
    AIErr (*ExportCatalog)(AIAttributeCatalogRef catalog, const char* fileName, char* problem, int32_t problemSize);
    AIErr (*GetCatalogSketch)(AIAttributeCatalogRef catalog, _t_AIAttributeCatalogSketch* sketch);
    AIErr (*SetCatalogSketch)(AIAttributeCatalogRef catalog, const _t_AIAttributeCatalogSketch* sketch);
    AIErr (*CountCollections)(AIAttributeCatalogRef catalog, int32_t* count);
    // The collection stays the catalogue's: the caller does not release it.
    AIErr (*GetCollectionAt)(AIAttributeCatalogRef catalog, int32_t index, AIAttributeCollectionRef* collection);
    // Adds the collection at the end; the catalogue takes a reference of its own.
    AIErr (*AppendCollection)(AIAttributeCatalogRef catalog, AIAttributeCollectionRef collection);
    AIErr (*RemoveCollection)(AIAttributeCatalogRef catalog, int32_t index);
};

struct AIAttributeCollectionSuite {
    // A new, empty collection with one reference, the caller's.
    AIErr (*CreateCollection)(AIAttributeCollectionRef* collection);
    AIErr (*Release)(AIAttributeCollectionRef collection);
    // A set creates or replaces the key with that type and value. A get of a key the
    // collection lacks, or holds with another type, answers 'NKEY' and leaves *value as it was.
    AIErr (*GetIntegerValue)(AIAttributeCollectionRef c, const char* key, int32_t* value);
    AIErr (*SetIntegerValue)(AIAttributeCollectionRef c, const char* key, int32_t value);
    AIErr (*GetRealValue)(AIAttributeCollectionRef c, const char* key, AIReal* value);
    AIErr (*SetRealValue)(AIAttributeCollectionRef c, const char* key, AIReal value);
    AIErr (*GetBooleanValue)(AIAttributeCollectionRef c, const char* key, AIBoolean* value);
    AIErr (*SetBooleanValue)(AIAttributeCollectionRef c, const char* key, AIBoolean value);
    // At most bufferSize − 1 bytes are copied, always terminated.
    AIErr (*GetStringValue)(AIAttributeCollectionRef c, const char* key, char* buffer, int32_t bufferSize);
    AIErr (*SetStringValue)(AIAttributeCollectionRef c, const char* key, const char* value);
};
