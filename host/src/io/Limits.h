// What each kind of file the host reads may hold, in one place (README.md lists the same
// numbers). Every limit is applied while the file is read, so nothing past it is ever built.
#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>

namespace standin::io {

inline constexpr size_t kMiB = size_t(1) << 20;

// Nesting deeper than this is refused before anything is built from it.
inline constexpr int kMaxJsonDepth = 256;
inline std::string jsonNestingProblem(int maxDepth) {
    return "nesting deeper than " + std::to_string(maxDepth) + " levels";
}

// Art below its top layer, and dictionaries below the dictionary of an art or of the
// document, are nested at most this deep. The writer will not save deeper nesting and the
// reader will not open it, both in the words below, so whatever opens can be saved again.
inline constexpr int kMaxNesting = 120;
inline std::string artNestingProblem() {
    return "art is nested more than " + std::to_string(kMaxNesting) + " levels deep";
}
inline std::string dictionaryNestingProblem() {
    return "dictionaries are nested more than " + std::to_string(kMaxNesting) + " levels deep";
}
// Members of one object (dictionary entries): objects keep their order, and finding a
// member is a walk, so the count is bounded to keep reading fast.
inline constexpr size_t kMaxObjectMembers = 16384;
// Anchors of one path, as the host's path suites count them (16-bit indexes).
inline constexpr size_t kMaxPathAnchors = 32767;

// A file of some kind and the most it may hold; `what` names the kind in messages
// ("a document").
struct FileLimit {
    std::string_view what;
    size_t maxBytes;
};

// "256 MiB", "4 KiB", "100 bytes": a limit as messages and the README state it.
inline std::string sizeInWords(size_t bytes) {
    if (bytes >= kMiB && bytes % kMiB == 0) return std::to_string(bytes / kMiB) + " MiB";
    if (bytes >= 1024 && bytes % 1024 == 0) return std::to_string(bytes / 1024) + " KiB";
    return std::to_string(bytes) + (bytes == 1 ? " byte" : " bytes");
}

inline constexpr FileLimit kDocumentFile{"a document", 128 * kMiB};
inline constexpr FileLimit kScriptFile{"a script", 16 * kMiB};
inline constexpr FileLimit kPreferenceFile{"a preference file", 4 * kMiB};
inline constexpr FileLimit kResourceFile{"a resource file", 4 * kMiB};

// An array held under `key` may have at most `most` elements; more is refused with
// `problem` as soon as the count passes the limit.
struct ArrayLimit {
    std::string_view key;
    size_t most;
    std::string_view problem;
};

// The limits a JSON text is parsed with. `root` names the top value in messages
// ("document.layers[0]: ...").
struct JsonLimits {
    FileLimit file;
    std::string_view root;
    int maxDepth = kMaxJsonDepth;
    size_t maxMembers = kMaxObjectMembers;
    std::span<const ArrayLimit> arrays = {};
};

inline constexpr ArrayLimit kDocumentArrays[] = {
    {"segments", kMaxPathAnchors, "a path holds at most 32767 anchors"},
};

inline constexpr JsonLimits kDocumentJson{kDocumentFile, "document", kMaxJsonDepth, kMaxObjectMembers, kDocumentArrays};
inline constexpr JsonLimits kPreferenceJson{kPreferenceFile, "preferences"};
inline constexpr JsonLimits kResourceJson{kResourceFile, "resource"};

// A catalogue file (the presets): its collections, the keys of one collection and the
// length of one text are bounded, so a hostile file is refused before it is built.
inline constexpr FileLimit kCatalogFile{"a presets file", 32 * kMiB};
inline constexpr size_t kMaxCatalogCollections = 10000;
inline constexpr size_t kMaxCollectionKeys = 1024;
inline constexpr size_t kMaxCatalogKeyBytes = 255;
inline constexpr size_t kMaxCatalogTextBytes = 4096;
inline constexpr ArrayLimit kCatalogArrays[] = {
    {"collections", kMaxCatalogCollections, "a presets file holds at most 10000 presets"},
};
inline constexpr JsonLimits kCatalogJson{kCatalogFile, "presets", 8, kMaxCollectionKeys, kCatalogArrays};

}  // namespace standin::io
