// The suite globals and the table from which they are acquired and released.
#include "core/PlotwiseSuites.h"

#include <type_traits>

namespace {

// Stores an acquired suite (or null) into its global.
template <auto& Global>
void Store(const void* suite) {
    using Suite = std::remove_pointer_t<std::remove_reference_t<decltype(Global)>>;
    Global = static_cast<Suite*>(const_cast<void*>(suite));
}

struct SuiteRow {
    const char* name;
    int32_t version;
    void (*store)(const void*);
};

#define PLOTWISE_SUITE_ROW(Type, global, name, version) {name, version, &Store<global>},
const SuiteRow kSuites[] = {
    PLOTWISE_MODEL_SUITES(PLOTWISE_SUITE_ROW)
    {kATETextSuite, kATETextSuiteVersion, &Store<sATEText>},
};
const SuiteRow kLifeCycleSuites[] = {
    PLOTWISE_LIFE_CYCLE_SUITES(PLOTWISE_SUITE_ROW)
    {kAIUnicodeStringSuite, kAIUnicodeStringSuiteVersion, &Store<sAIUnicodeString>},
};
#undef PLOTWISE_SUITE_ROW

// One table with the basic suite it was taken from and its nesting depth.
struct SuiteSet {
    const SuiteRow* rows;
    size_t count;
    SPBasicSuite* basic;
    int depth;
};

SuiteSet gDocumentSet{kSuites, sizeof kSuites / sizeof kSuites[0], nullptr, 0};
SuiteSet gLifeCycleSet{kLifeCycleSuites, sizeof kLifeCycleSuites / sizeof kLifeCycleSuites[0], nullptr, 0};

AIErr Acquire(SuiteSet& set, SPBasicSuite* basic) {
    if (!basic || !basic->AcquireSuite || !basic->ReleaseSuite) return kBadParameterErr;
    if (set.depth > 0 && basic != set.basic) return kBadParameterErr;
    for (size_t i = 0; i < set.count; ++i) {
        const SuiteRow& row = set.rows[i];
        const void* suite = nullptr;
        if (AIErr err = basic->AcquireSuite(row.name, row.version, &suite)) {
            // Undo this call's acquisitions; earlier nested ones keep theirs.
            for (size_t k = 0; k < i; ++k) {
                basic->ReleaseSuite(set.rows[k].name, set.rows[k].version);
                if (set.depth == 0) set.rows[k].store(nullptr);
            }
            return err;
        }
        row.store(suite);
    }
    set.basic = basic;
    ++set.depth;
    return kNoErr;
}

void Release(SuiteSet& set) {
    if (set.depth == 0 || !set.basic) return;
    for (size_t i = 0; i < set.count; ++i) set.basic->ReleaseSuite(set.rows[i].name, set.rows[i].version);
    if (--set.depth == 0) {
        for (size_t i = 0; i < set.count; ++i) set.rows[i].store(nullptr);
        set.basic = nullptr;
    }
}

}  // namespace

AIErr AcquirePlotwiseSuites(SPBasicSuite* basic) { return Acquire(gDocumentSet, basic); }
void ReleasePlotwiseSuites() { Release(gDocumentSet); }
AIErr AcquireLifeCycleSuites(SPBasicSuite* basic) { return Acquire(gLifeCycleSet, basic); }
void ReleaseLifeCycleSuites() { Release(gLifeCycleSet); }
