// The store finds what was put under an id whatever order ids come in: a document's ids
// start anywhere in the host's count, may come from below where they started (ids kept
// from a file), or lie far beyond (a file may name any id).
#include <gtest/gtest.h>

#include <map>
#include <random>
#include <vector>

#include "model/IdStore.h"

namespace standin {
namespace {

std::map<uint64_t, int> Held(const IdStore<int>& store) {
    std::map<uint64_t, int> out;
    store.forEach([&](uint64_t id, int v) { EXPECT_TRUE(out.emplace(id, v).second) << id; });
    return out;
}

TEST(IdStore, FindsWhatWasPutUnderAnyIdAndForgetsWhatWasErased) {
    const struct {
        const char* what;
        std::vector<uint64_t> ids;
    } cases[] = {
        {"in order from high in the count", {5'000'000, 5'000'001, 5'000'063, 5'000'064, 5'000'200}},
        {"then below the first", {5'000'000, 4'999'999, 4'000'000, 0, 1}},
        {"far beyond", {70, uint64_t{1} << 40, (uint64_t{1} << 40) + 1, ~uint64_t{0}, 69}},
        {"far below a high start", {~uint64_t{0} - 3, 3, ~uint64_t{0}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        IdStore<int> store;
        std::map<uint64_t, int> expected;
        int v = 0;
        for (uint64_t id : c.ids) {
            store.put(id, ++v);
            expected[id] = v;
        }
        store.put(c.ids[1], 99);  // replaced, not added
        expected[c.ids[1]] = 99;
        EXPECT_EQ(store.size(), expected.size());
        EXPECT_EQ(Held(store), expected);
        for (const auto& [id, value] : expected) EXPECT_EQ(*store.find(id), value) << id;
        EXPECT_EQ(store.find(c.ids[0] ^ 2), nullptr);

        for (size_t i = 0; i < c.ids.size(); i += 2) {
            store.erase(c.ids[i]);
            expected.erase(c.ids[i]);
        }
        store.erase(12345);  // never there
        EXPECT_EQ(store.size(), expected.size());
        EXPECT_EQ(Held(store), expected);
        for (size_t i = 0; i < c.ids.size(); i += 2) EXPECT_EQ(store.find(c.ids[i]), nullptr);
    }
}

TEST(IdStore, AgreesWithAMapThroughManyMixedChanges) {
    std::mt19937_64 random(7);
    IdStore<int> store;
    std::map<uint64_t, int> expected;
    const uint64_t start = 3'000'000;
    for (int step = 0; step < 20000; ++step) {
        // Mostly near the start, at times below it or far away.
        const int where = static_cast<int>(random() % 10);
        const uint64_t id = where == 0   ? random() % start
                            : where == 1 ? random()
                                         : start + random() % 50'000;
        if (random() % 3 == 0) {
            store.erase(id);
            expected.erase(id);
        } else {
            store.put(id, step);
            expected[id] = step;
        }
    }
    EXPECT_EQ(store.size(), expected.size());
    EXPECT_EQ(Held(store), expected);
}

}  // namespace
}  // namespace standin
