// The stored layout tables against the document format: counts by prefix and type, the
// keys in write order, defaults for keys that older documents lack.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "dimensions/DimensionKeys.h"

namespace {

std::vector<std::string> StyleKeys() {
    std::vector<std::string> keys;
    for (const auto& e : StyleEntries()) {
        KeyBuffer key;
        keys.emplace_back(StyleEntryKey(key, e));
    }
    return keys;
}

TEST(StyleKeyTable, CensusByPrefixAndType) {
    ASSERT_EQ(StyleEntries().size(), 82u);
    std::map<std::string, int> prefixes;
    std::map<DictEntryType, int> types;
    for (const auto& e : StyleEntries()) {
        ++prefixes[e.prefix];
        ++types[e.type];
    }
    EXPECT_EQ(prefixes["ZA3_"], 57);
    EXPECT_EQ(prefixes["PW4_"], 8);
    EXPECT_EQ(prefixes["PW5_"], 13);
    EXPECT_EQ(prefixes["PW7_"], 4);
    EXPECT_EQ(types[DictEntryType::kInteger], 51);
    EXPECT_EQ(types[DictEntryType::kReal], 15);
    EXPECT_EQ(types[DictEntryType::kBoolean], 11);
    EXPECT_EQ(types[DictEntryType::kString], 5);
    const auto keys = StyleKeys();
    EXPECT_EQ(std::set<std::string>(keys.begin(), keys.end()).size(), 82u);
    size_t longest = 0;
    for (const auto& k : keys) longest = std::max(longest, k.size());
    EXPECT_EQ(longest, 42u);
}

TEST(StyleKeyTable, WriteOrderAroundTheLaterFormats) {
    const auto keys = StyleKeys();
    EXPECT_EQ(keys[0], "ZA3_Attr_id");
    EXPECT_EQ(keys[11], "ZA3_Attr_dimensionCustomColorName");
    EXPECT_EQ(keys[38], "PW7_Attr_upperUnits");
    EXPECT_EQ(keys[46], "PW7_Attr_lowerUnits");
    EXPECT_EQ(keys[58], "PW4_Attr_labelLeaderLength");
    EXPECT_EQ(keys[59], "ZA3_Attr_dimensionLabelStr");
    EXPECT_EQ(keys[61], "PW4_Attr_dimTextPrecedenceFlag");
    EXPECT_EQ(keys[67], "PW5_Attr_alphaLabelMenuOption");
    EXPECT_EQ(keys[79], "PW5_Attr_terminatorDirection");
    EXPECT_EQ(keys[81], "PW7_Attr_lowerRefDimension");
}

TEST(StyleKeyTable, EveryZA3KeyIsRequiredAndEveryLaterKeyHasADefault) {
    int flagged = 0;
    for (const auto& e : StyleEntries()) {
        const bool za3 = std::string(e.prefix) == "ZA3_";
        EXPECT_EQ(e.whenAbsent == WhenAbsent::kError, za3) << e.field;
        flagged += e.governedByStringsFlag;
        // Exactly one field pointer matches the entry type.
        const int pointers = (e.intField != nullptr) + (e.realField != nullptr) + (e.stringField != nullptr);
        EXPECT_EQ(pointers, 1) << e.field;
        EXPECT_EQ(e.realField != nullptr, e.type == DictEntryType::kReal) << e.field;
        EXPECT_EQ(e.stringField != nullptr, e.type == DictEntryType::kString) << e.field;
    }
    EXPECT_EQ(flagged, 3);
}

TEST(ClickAndTextTables, KeysAndOrder) {
    const char* clickKeys[] = {"ZA3_Obj_id", "ZA3_Obj_used", "ZA3_Obj_clicknum", "ZA3_Obj_segnumbefore",
                               "ZA3_Obj_segnumafter", "ZA3_Obj_dimtype", "ZA3_Obj_clicktype", "ZA3_Obj_t",
                               "ZA3_Obj_x", "ZA3_Obj_y", "ZA3_Obj_length", "ZA3_Obj_angle"};
    ASSERT_EQ(ClickEntries().size(), 12u);
    for (size_t i = 0; i < 12; ++i) {
        KeyBuffer key;
        EXPECT_STREQ(ComposeKey(key, kZA3Prefix, ClickEntries()[i].name), clickKeys[i]);
    }
    const char* textKeys[] = {"PW4_Attr_variableDimStrID", "PW4_Attr_variableDimStrAlphaInc",
                              "PW4_Attr_variableDimStrNumericInc", "PW4_Attr_customDimemsionStr",
                              "PW4_Attr_variableDimemsionStr", "PW4_Attr_calloutStr"};
    ASSERT_EQ(TextEntries().size(), 6u);
    for (size_t i = 0; i < 6; ++i) {
        KeyBuffer key;
        EXPECT_STREQ(ComposeKey(key, kPW4Prefix, kAttrName, TextEntries()[i].name), textKeys[i]);
    }
    const std::vector<int> readOrder(TextReadOrder().begin(), TextReadOrder().end());
    EXPECT_EQ(readOrder, (std::vector<int>{0, 1, 2, 4, 3, 5}));
}

// The keys the records are read and written with are composed once; each is the key its
// row names, and composing a key stays bounded.
TEST(KeysComposedOnce, EachRowKeepsItsKey) {
    const struct {
        const char* cached;
        const char* expected;
    } rows[] = {
        {StyleEntryKey(StyleEntries()[0]), "ZA3_Attr_id"},
        {StyleEntryKey(StyleEntries()[38]), "PW7_Attr_upperUnits"},
        {StyleEntryKey(StyleEntries()[81]), "PW7_Attr_lowerRefDimension"},
        {ClickEntryKey(ClickEntries()[0]), "ZA3_Obj_id"},
        {ClickEntryKey(ClickEntries()[11]), "ZA3_Obj_angle"},
        {TextEntryKey(TextEntries()[3]), "PW4_Attr_customDimemsionStr"},
        {TextEntryKey(TextEntries()[5]), "PW4_Attr_calloutStr"},
    };
    for (const auto& r : rows) EXPECT_STREQ(r.cached, r.expected);
    // The same row gives the same text, not a new one.
    EXPECT_EQ(StyleEntryKey(StyleEntries()[38]), StyleEntryKey(StyleEntries()[38]));

    const std::string longPart(300, 'x');
    KeyBuffer key;
    EXPECT_EQ(std::string(ComposeKey(key, "ZA3_", longPart.c_str(), "tail")), "ZA3_" + std::string(251, 'x'));
    EXPECT_STREQ(ComposeKey(key, "PW4_", "", ""), "PW4_");
}

}  // namespace
