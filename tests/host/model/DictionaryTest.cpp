// Dictionaries: reference semantics of stored sub-dictionaries, missing keys, typed
// entries, iteration order, generic entry copies and the counting of references.
#include <functional>
#include <string>

#include "HostFixture.h"

namespace {

class DictionaryTest : public HostTest {
protected:
    AIDictionaryRef artDict(AIArtHandle art) {
        AIDictionaryRef d = nullptr;
        EXPECT_EQ(sArt->GetDictionary(art, &d), kNoErr);
        return d;
    }
};

TEST_F(DictionaryTest, SubDictionaryWrittenThroughKeptReferenceLandsInTheDocument) {
    AIArtHandle art = path({{0, 0}, {10, 0}});
    AIDictionaryRef top = artDict(art);
    AIDictionaryRef sub = nullptr;
    ASSERT_EQ(sDict->CreateDictionary(&sub), kNoErr);
    ASSERT_EQ(sDict->SetDictEntry(top, sDict->Key("ZA3_Object"), sub), kNoErr);
    // Written after storing, through the caller's own reference.
    ASSERT_EQ(sDict->SetIntegerEntry(sub, sDict->Key("ZA3_Obj_id"), 42), kNoErr);
    EXPECT_EQ(sDict->Release(sub), kNoErr);
    EXPECT_EQ(sDict->Release(top), kNoErr);

    // Read back through fresh references.
    AIDictionaryRef again = artDict(art);
    AIDictionaryRef fetched = nullptr;
    ASSERT_EQ(sDict->GetDictEntry(again, sDict->Key("ZA3_Object"), &fetched), kNoErr);
    int32_t v = 0;
    EXPECT_EQ(sDict->GetIntegerEntry(fetched, sDict->Key("ZA3_Obj_id"), &v), kNoErr);
    EXPECT_EQ(v, 42);
    // And writes through a fetched sub-dictionary change what is stored, too.
    EXPECT_EQ(sDict->SetRealEntry(fetched, sDict->Key("r"), 1.5f), kNoErr);
    EXPECT_EQ(sDict->Release(fetched), kNoErr);
    ASSERT_EQ(sDict->GetDictEntry(again, sDict->Key("ZA3_Object"), &fetched), kNoErr);
    AIReal r = 0;
    EXPECT_EQ(sDict->GetRealEntry(fetched, sDict->Key("r"), &r), kNoErr);
    EXPECT_EQ(r, 1.5f);
    sDict->Release(fetched);
    sDict->Release(again);
    EXPECT_EQ(host.counters().dictRefs, 0);
    EXPECT_EQ(host.counters().doubleReleases, 0);
}

TEST_F(DictionaryTest, WritingTheHeldValueChangesNothing) {
    AIDictionaryRef d = artDict(path({{0, 0}, {10, 0}}));
    ASSERT_EQ(sDict->SetIntegerEntry(d, sDict->Key("n"), 1), kNoErr);
    ASSERT_EQ(sDict->SetStringEntry(d, sDict->Key("s"), "text"), kNoErr);
    doc->journal().commit();
    const struct {
        const char* what;
        std::function<AIErr()> write;
        bool changes;
    } cases[] = {
        {"same integer", [&] { return sDict->SetIntegerEntry(d, sDict->Key("n"), 1); }, false},
        {"same string", [&] { return sDict->SetStringEntry(d, sDict->Key("s"), "text"); }, false},
        {"same number as a real", [&] { return sDict->SetRealEntry(d, sDict->Key("n"), 1.0f); }, true},
        {"other string", [&] { return sDict->SetStringEntry(d, sDict->Key("s"), "texts"); }, true},
    };
    for (const auto& c : cases) {
        const uint64_t before = doc->revision();
        EXPECT_EQ(c.write(), kNoErr) << c.what;
        EXPECT_EQ(doc->revision() != before, c.changes) << c.what;
    }
    EXPECT_EQ(sDict->Release(d), kNoErr);
}

// Undo records share the texts they copy; each step must still give back its own text.
TEST_F(DictionaryTest, TextsComeBackOnUndoAndRedoStepByStep) {
    AIDictionaryRef d = artDict(path({{0, 0}, {10, 0}}));
    const AIDictKey key = sDict->Key("s");
    const auto text = [&] {
        const char* v = nullptr;
        return sDict->GetStringEntry(d, key, &v) == kNoErr ? std::string(v) : std::string("(none)");
    };
    for (const char* written : {"first", "second", "third"}) {
        ASSERT_EQ(sDict->SetStringEntry(d, key, written), kNoErr);
        doc->journal().commit();
    }
    const struct {
        bool undo;
        const char* want;
    } steps[] = {{true, "second"}, {true, "first"}, {false, "second"}, {true, "first"}, {true, "(none)"},
                 {false, "first"}, {false, "second"}, {false, "third"}};
    for (const auto& step : steps) {
        ASSERT_TRUE(step.undo ? doc->journal().userUndo() : doc->journal().userRedo());
        EXPECT_EQ(text(), step.want);
    }
    EXPECT_EQ(sDict->Release(d), kNoErr);
}

TEST_F(DictionaryTest, MissingKeysAndWrongTypes) {
    AIDictionaryRef d = nullptr;
    ASSERT_EQ(sDoc->GetDictionary(&d), kNoErr);
    int32_t i = 7;
    EXPECT_EQ(sDict->GetIntegerEntry(d, sDict->Key("ZA3_Version"), &i), kNoSuchKey);
    EXPECT_EQ(i, 7);  // a missing key leaves the caller's default
    EXPECT_FALSE(sDict->IsKnown(d, sDict->Key("ZA3_Version")));
    EXPECT_EQ(sDict->DeleteEntry(d, sDict->Key("ZA3_Version")), kNoSuchKey);

    ASSERT_EQ(sDict->SetStringEntry(d, sDict->Key("s"), "text"), kNoErr);
    EXPECT_EQ(sDict->GetIntegerEntry(d, sDict->Key("s"), &i), kWrongTypeErr);
    AIDictionaryRef sub = nullptr;
    EXPECT_EQ(sDict->GetDictEntry(d, sDict->Key("s"), &sub), kWrongTypeErr);
    EXPECT_EQ(sub, nullptr);
    const char* s = nullptr;
    EXPECT_EQ(sDict->GetStringEntry(d, sDict->Key("s"), &s), kNoErr);
    EXPECT_STREQ(s, "text");
    AIEntryType type = 0;
    EXPECT_EQ(sDict->GetEntryType(d, sDict->Key("s"), &type), kNoErr);
    EXPECT_EQ(type, kStringEntryType);
    // Setting replaces, whatever the type was.
    EXPECT_EQ(sDict->SetBooleanEntry(d, sDict->Key("s"), true), kNoErr);
    ASBoolean b = false;
    EXPECT_EQ(sDict->GetBooleanEntry(d, sDict->Key("s"), &b), kNoErr);
    EXPECT_TRUE(b);
    EXPECT_EQ(sDict->DeleteEntry(d, sDict->Key("s")), kNoErr);
    EXPECT_FALSE(sDict->IsKnown(d, sDict->Key("s")));
    // Bad arguments are refused, not followed.
    EXPECT_EQ(sDict->GetIntegerEntry(d, nullptr, &i), kBadParameterErr);
    EXPECT_EQ(sDict->SetStringEntry(d, sDict->Key("x"), nullptr), kBadParameterErr);
    EXPECT_EQ(sDict->GetKeyString(reinterpret_cast<AIDictKey>(&i)), nullptr);
    EXPECT_EQ(sDict->Release(d), kNoErr);
}

TEST_F(DictionaryTest, KeysAreInternedAndIterationKeepsInsertionOrder) {
    EXPECT_EQ(sDict->Key("ZA3_Dimension"), sDict->Key(std::string("ZA3_Dimension").c_str()));
    EXPECT_STREQ(sDict->GetKeyString(sDict->Key("ZA3_Dimension")), "ZA3_Dimension");

    AIDictionaryRef d = nullptr;
    ASSERT_EQ(sDict->CreateDictionary(&d), kNoErr);
    const char* keys[] = {"zeta", "alpha", "ZA3_Click_data_2", "ZA3_Click_data_10", "beta"};
    for (const char* k : keys) sDict->SetIntegerEntry(d, sDict->Key(k), 1);
    sDict->SetIntegerEntry(d, sDict->Key("alpha"), 2);  // replacing keeps the place
    AIDictionaryIterator it = nullptr;
    ASSERT_EQ(sDict->Begin(d, &it), kNoErr);
    std::vector<std::string> seen;
    for (; !sIter->AtEnd(it); sIter->Next(it)) seen.push_back(sDict->GetKeyString(sIter->GetKey(it)));
    sIter->Release(it);
    EXPECT_EQ(seen, std::vector<std::string>(std::begin(keys), std::end(keys)));
    EXPECT_EQ(host.counters().dictIterators, 0);
    // A released iterator reads as ended rather than crashing.
    EXPECT_TRUE(sIter->AtEnd(it));
    EXPECT_EQ(sIter->GetKey(it), nullptr);
    sDict->Release(d);
}

TEST_F(DictionaryTest, ReferencesAreCountedAndDoubleReleaseIsRefused) {
    AIArtHandle art = path({{0, 0}, {1, 1}});
    AIDictionaryRef a = artDict(art);
    AIDictionaryRef b = artDict(art);
    EXPECT_EQ(a, b);  // the same dictionary
    EXPECT_EQ(host.counters().dictRefs, 2);
    EXPECT_EQ(sDict->AddRef(a), kNoErr);
    EXPECT_EQ(host.counters().dictRefs, 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(sDict->Release(a), kNoErr);
    EXPECT_EQ(host.counters().dictRefs, 0);
    EXPECT_EQ(sDict->Release(a), kStaleHandleErr);
    EXPECT_EQ(host.counters().doubleReleases, 1);
    // Use after the last release is refused.
    EXPECT_EQ(sDict->SetIntegerEntry(a, sDict->Key("k"), 1), kStaleHandleErr);
    EXPECT_FALSE(sDict->IsKnown(a, sDict->Key("k")));
}

TEST_F(DictionaryTest, StoringADictionaryInsideItselfIsRefused) {
    AIDictionaryRef outer = nullptr, inner = nullptr;
    sDict->CreateDictionary(&outer);
    sDict->CreateDictionary(&inner);
    ASSERT_EQ(sDict->SetDictEntry(outer, sDict->Key("in"), inner), kNoErr);
    EXPECT_EQ(sDict->SetDictEntry(inner, sDict->Key("back"), outer), kBadParameterErr);
    EXPECT_EQ(sDict->SetDictEntry(outer, sDict->Key("self"), outer), kBadParameterErr);
    sDict->Release(inner);
    sDict->Release(outer);
    EXPECT_EQ(host.counters().dictRefs, 0);
}

TEST_F(DictionaryTest, GenericEntryCopyGivesTheTargetItsOwnDictionary) {
    AIArtHandle from = path({{0, 0}, {1, 0}});
    AIArtHandle to = path({{0, 5}, {1, 5}});
    AIDictionaryRef src = artDict(from);
    AIDictionaryRef sub = nullptr;
    sDict->CreateDictionary(&sub);
    sDict->SetIntegerEntry(sub, sDict->Key("n"), 1);
    sDict->SetDictEntry(src, sDict->Key("ZA3_Object"), sub);
    sDict->SetRealEntry(src, sDict->Key("scale"), 0.25f);

    AIDictionaryRef dst = artDict(to);
    for (const char* k : {"ZA3_Object", "scale"}) {
        AIEntryRef e = nullptr;
        ASSERT_EQ(sDict->GetEntry(src, sDict->Key(k), &e), kNoErr);
        EXPECT_EQ(sDict->SetEntry(dst, sDict->Key(k), e), kNoErr);
        EXPECT_EQ(sDict->ReleaseEntry(e), kNoErr);
    }
    // The copy does not follow later writes to the source.
    sDict->SetIntegerEntry(sub, sDict->Key("n"), 2);
    AIDictionaryRef copied = nullptr;
    ASSERT_EQ(sDict->GetDictEntry(dst, sDict->Key("ZA3_Object"), &copied), kNoErr);
    int32_t n = 0;
    sDict->GetIntegerEntry(copied, sDict->Key("n"), &n);
    EXPECT_EQ(n, 1);
    AIReal scale = 0;
    sDict->GetRealEntry(dst, sDict->Key("scale"), &scale);
    EXPECT_EQ(scale, 0.25f);
    for (AIDictionaryRef r : {copied, dst, sub, src}) EXPECT_EQ(sDict->Release(r), kNoErr);
    EXPECT_EQ(host.counters().dictRefs, 0);
    EXPECT_EQ(host.counters().entryRefs, 0);
}

TEST_F(DictionaryTest, DuplicatedArtCarriesACopyOfItsDictionaryAndTags) {
    AIArtHandle art = path({{0, 0}, {1, 0}});
    AIDictionaryRef d = artDict(art);
    sDict->SetIntegerEntry(d, sDict->Key("id"), 5);
    sTag->SetTag(art, "ZMK_Object_Was_Selected", kTagString, "");
    AIArtHandle copy = nullptr;
    ASSERT_EQ(sArt->DuplicateArt(art, kPlaceAbove, art, &copy), kNoErr);
    AIDictionaryRef c = artDict(copy);
    EXPECT_NE(c, d);
    int32_t id = 0;
    EXPECT_EQ(sDict->GetIntegerEntry(c, sDict->Key("id"), &id), kNoErr);
    EXPECT_EQ(id, 5);
    sDict->SetIntegerEntry(c, sDict->Key("id"), 6);
    sDict->GetIntegerEntry(d, sDict->Key("id"), &id);
    EXPECT_EQ(id, 5);
    const char* type = nullptr;
    EXPECT_EQ(sTag->GetTagType(copy, "ZMK_Object_Was_Selected", &type), kNoErr);
    sDict->Release(c);
    sDict->Release(d);
    EXPECT_EQ(host.counters().dictRefs, 0);
}

TEST_F(DictionaryTest, AnInjectedFailureStopsExactlyTheNthWriteAndChangesNothing) {
    AIDictionaryRef d = nullptr;
    ASSERT_EQ(sDoc->GetDictionary(&d), kNoErr);
    ASSERT_EQ(sDict->SetIntegerEntry(d, sDict->Key("kept"), 1), kNoErr);
    host.failDictionaryWrite(3);
    EXPECT_EQ(sDict->SetIntegerEntry(d, sDict->Key("a"), 1), kNoErr);
    int32_t i = 0;
    EXPECT_EQ(sDict->GetIntegerEntry(d, sDict->Key("a"), &i), kNoErr);  // reads do not count
    EXPECT_EQ(sDict->SetStringEntry(d, sDict->Key("b"), "x"), kNoErr);
    EXPECT_EQ(sDict->DeleteEntry(d, sDict->Key("kept")), kOutOfMemoryErr);  // a deletion is a write
    EXPECT_TRUE(sDict->IsKnown(d, sDict->Key("kept")));
    EXPECT_EQ(sDict->DeleteEntry(d, sDict->Key("kept")), kNoErr);  // once only
    host.failDictionaryWrite(1);
    EXPECT_EQ(sDict->SetRealEntry(d, sDict->Key("r"), 2.0f), kOutOfMemoryErr);
    EXPECT_FALSE(sDict->IsKnown(d, sDict->Key("r")));
    host.failDictionaryWrite(2);
    host.failDictionaryWrite(0);  // disarmed
    EXPECT_EQ(sDict->SetBooleanEntry(d, sDict->Key("t"), true), kNoErr);
    EXPECT_EQ(sDict->SetBooleanEntry(d, sDict->Key("u"), true), kNoErr);
    sDict->Release(d);
}

}  // namespace
