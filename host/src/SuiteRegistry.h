// The table behind the basic suite: every suite the host (or a plug-in) publishes, by name
// and version, with a count of outstanding acquisitions so tests can check that each
// acquisition is released.
#pragma once

#include <map>
#include <string>
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
        auto it = suites_.find({name, version});
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
        auto it = suites_.find({name, version});
        if (it == suites_.end() || it->second.acquired == 0) return kUnknownSuiteErr;
        --it->second.acquired;
        return kNoErr;
    }
    // Withdraws a suite (its publisher went away); later acquisitions fail.
    void remove(const std::string& name, int32_t version) { suites_.erase({name, version}); }
    // Acquisitions not yet released, over all suites.
    int outstanding() const {
        int n = 0;
        for (const auto& [key, e] : suites_) n += e.acquired;
        return n;
    }
    bool has(const std::string& name, int32_t version) const { return suites_.count({name, version}) != 0; }

private:
    struct Entry {
        const void* suite;
        int acquired;
    };
    std::map<std::pair<std::string, int32_t>, Entry> suites_;
};

}  // namespace standin
