// The table behind the basic suite: every suite the host (or a plug-in) publishes, by name
// and version, with a count of outstanding acquisitions so tests can check that each
// acquisition is released.
#pragma once

#include <map>
#include <string>
#include <string_view>
#include <utility>

#include "AITypes.h"

namespace standin {

class SuiteRegistry {
public:
    void add(const std::string& name, int32_t version, const void* suite) {
        suites_[{name, version}] = Entry{suite, 0};
    }
    AIErr acquire(const char* name, int32_t version, const void** suite) {
        if (!name || !suite) return kBadParameterErr;
        auto it = suites_.find(Key{name, version});
        if (it == suites_.end()) {
            *suite = nullptr;
            return kUnknownSuiteErr;
        }
        ++it->second.acquired;
        *suite = it->second.suite;
        return kNoErr;
    }
    AIErr release(const char* name, int32_t version) {
        if (!name) return kBadParameterErr;
        auto it = suites_.find(Key{name, version});
        if (it == suites_.end() || it->second.acquired == 0) return kUnknownSuiteErr;
        --it->second.acquired;
        return kNoErr;
    }
    // Withdraws a suite (its publisher went away); later acquisitions fail.
    void remove(const std::string& name, int32_t version) {
        if (const auto it = suites_.find(Key{name, version}); it != suites_.end()) suites_.erase(it);
    }
    // Acquisitions not yet released, over all suites.
    int outstanding() const {
        int n = 0;
        for (const auto& [key, e] : suites_) n += e.acquired;
        return n;
    }
    bool has(const std::string& name, int32_t version) const { return suites_.find(Key{name, version}) != suites_.end(); }

private:
    struct Entry {
        const void* suite;
        int acquired;
    };
    // Looked up by a name as given, with no copy of it: acquiring and releasing a suite
    // allocate nothing, so they work however short memory is (a shut-down releases them all).
    using Key = std::pair<std::string_view, int32_t>;
    struct ByNameAndVersion {
        using is_transparent = void;
        static Key key(const std::pair<std::string, int32_t>& k) { return {k.first, k.second}; }
        static Key key(const Key& k) { return k; }
        template <class A, class B>
        bool operator()(const A& a, const B& b) const {
            return key(a) < key(b);
        }
    };
    std::map<std::pair<std::string, int32_t>, Entry, ByNameAndVersion> suites_;
};

}  // namespace standin
