// The scale table, its labels from list 17700, and UpdateScaler.
#include <gtest/gtest.h>

#include <cstring>
#include <fstream>
#include <nlohmann/json.hpp>

#include "DialogHostFixture.h"
#include "PluginGlobals.h"
#include "core/PlotwiseSuites.h"
#include "units/ScaleTable.h"

namespace {

struct ScaleTest : DialogHostFixture {
    void update(int32_t id) {
        globals.prefs.scale = id;
        EXPECT_EQ(UpdateScaler(), kNoErr);
    }
};

TEST_F(ScaleTest, FixedScalesTakeTheTableAndTheirLabel) {
    const struct {
        int32_t id;
        float scaler;
        const char* label;
    } rows[] = {{11, 192, "1/16\" = 1'-0\""}, {15, 48, "1/4\" = 1'-0\""}, {22, 1, "12\" = 1'-0\""},
                {24, 100, "1:100"},           {33, 1, "1:1"},             {35, 1.0f / 3, "3:1"},
                {39, 0.01f, "100:1"}};
    for (const auto& row : rows) {
        update(row.id);
        EXPECT_EQ(globals.prefs.scaler, row.scaler) << row.id;
        EXPECT_STREQ(globals.prefs.scaleStr, row.label) << row.id;
    }
}

TEST_F(ScaleTest, CustomSlotsCopyAsStoredAndSeparatorsChangeNothing) {
    globals.prefs.customScaler3 = 7.5f;
    std::snprintf(globals.prefs.customScaleStr3, sizeof globals.prefs.customScaleStr3, "%s", "My scale");
    update(2);
    EXPECT_EQ(globals.prefs.scaler, 7.5f);
    EXPECT_STREQ(globals.prefs.scaleStr, "My scale");
    std::memset(globals.prefs.customScaleStr10, 'x', sizeof globals.prefs.customScaleStr10);  // no terminator
    update(9);
    EXPECT_EQ(std::strlen(globals.prefs.scaleStr), 31u);
    update(33);
    for (int32_t id : {10, 23, 40, -1, 1000}) {
        update(id);
        EXPECT_EQ(globals.prefs.scaler, 1.0f) << id;
        EXPECT_STREQ(globals.prefs.scaleStr, "1:1") << id;
    }
}

TEST_F(ScaleTest, LabelsWithoutTheStringListFallBackToTheRatio) {
    sADMBasic = nullptr;
    char label[32];
    ASSERT_TRUE(getScaleTableLabel(15, label, sizeof label));
    EXPECT_STREQ(label, "1:48");
    ASSERT_TRUE(getScaleTableLabel(34, label, sizeof label));
    EXPECT_STREQ(label, "2:1");
    EXPECT_FALSE(getScaleTableLabel(10, label, sizeof label));
    EXPECT_FALSE(getScaleTableLabel(3, label, sizeof label));
}

TEST(ScaleNames, ListHasOneNamePerId) {
    std::ifstream in(PLOTWISE_RESOURCE_DIR "/strings/17700.json");
    const auto list = nlohmann::json::parse(in);
    ASSERT_EQ(list.size(), 41u);
    EXPECT_EQ(list[0], "");
    for (int id = 0; id < kScaleCount; ++id) {
        ScaleTableEntry e;
        ASSERT_TRUE(getScaleTableEntry(id, &e));
        EXPECT_EQ(list[id + 1] == "-", e.kind == ScaleTableEntry::Kind::separator) << id;
    }
    EXPECT_EQ(list[34], "1:1");
}

}  // namespace
