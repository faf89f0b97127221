// The host's keys of the record tables' rows are asked for once and kept: each names the
// row's key text, in this session and in any later one, and an entry written by it lands
// under that text.
#include "DimensionHostFixture.h"
#include "dimensions/DictionaryAccess.h"
#include "dimensions/DimensionKeys.h"

namespace {

class RecordKeysTest : public DimensionHostFixture {};

void ExpectRowsNameTheirTexts() {
    const struct {
        AIDictKey key;
        const char* text;
    } rows[] = {
        {HostKey(StyleEntries()[0]), "ZA3_Attr_id"},
        {HostKey(StyleEntries()[58]), "PW4_Attr_labelLeaderLength"},
        {HostKey(StyleEntries()[81]), "PW7_Attr_lowerRefDimension"},
        {HostKey(ClickEntries()[2]), "ZA3_Obj_clicknum"},
        {HostKey(ClickEntries()[11]), "ZA3_Obj_angle"},
        {HostKey(TextEntries()[0]), "PW4_Attr_variableDimStrID"},
        {HostKey(TextEntries()[4]), "PW4_Attr_variableDimemsionStr"},
    };
    for (const auto& r : rows) EXPECT_STREQ(sAIDictionary->GetKeyString(r.key), r.text);
}

TEST_F(RecordKeysTest, EachRowsKeyNamesItsText) { ExpectRowsNameTheirTexts(); }

// One session of the plug-in on a host of its own, as the fixture sets one up.
void InASession(void (*check)()) {
    standin::Host host;
    standin::PluginDriver driver(host);
    ScopedGlobals globals;
    ASSERT_EQ(AcquirePlotwiseSuites(host.basicSuite()), kNoErr);
    host.newDocument();
    host.beginMessage();
    check();
    host.endMessage();
    ReleasePlotwiseSuites();
    plugintest::ExpectHostHoldsNothing(host);
}

// Both sessions in one test: each test runs in a process of its own, so keys kept by an
// earlier test are never there to be checked.
TEST(RecordKeys, KeysKeptHoldInALaterSession) {
    InASession(ExpectRowsNameTheirTexts);  // asked for and kept
    InASession(ExpectRowsNameTheirTexts);  // the kept keys, on a host started afresh
}

TEST_F(RecordKeysTest, AnEntryWrittenByAKeptKeyLandsUnderItsText) {
    AIArtHandle group = NewArt(kGroupArt);
    DictRef dict;
    ASSERT_EQ(GetArtDictionary(group, dict), kNoErr);
    ASSERT_EQ(SetIntegerByKey(dict.get(), HostKey(ClickEntries()[0]), 41), kNoErr);
    ASSERT_EQ(SetStringByKey(dict.get(), HostKey(TextEntries()[5]), "note"), kNoErr);
    EXPECT_EQ(StoredKeys(group, {}), (std::vector<std::string>{"ZA3_Obj_id", "PW4_Attr_calloutStr"}));
    int32_t id = 0;
    EXPECT_EQ(GetIntegerByKey(dict.get(), "ZA3_Obj_id", id), kNoErr);
    EXPECT_EQ(id, 41);
}

}  // namespace
