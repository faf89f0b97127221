// Text records on the texts of a dimension: stored keys (with their historic spelling),
// defaults for missing records and entries, bounded texts, and live dimensions off.
#include <cstring>
#include <string>
#include <vector>

#include "DimensionHostFixture.h"
#include "dimensions/DimensionStorage.h"

namespace {

using Text = live_dimension_text_data;

Text SampleText() {
    Text t{};
    t.id = 3;
    t.alpha = 2;
    t.numeric = 14;
    std::strcpy(t.customStr, "SEE DETAIL");
    std::strcpy(t.calloutStr, "4X \xD8" "6");
    std::strcpy(t.dimStr, "12.50\r0.49");
    return t;
}

class TextRecordTest : public DimensionHostFixture {};

TEST_F(TextRecordTest, WrittenInOrderAndReadBack) {
    AIArtHandle text = NewArt(kPathArt);
    const Text written = SampleText();
    ASSERT_EQ(SetDimensionTextData(text, &written), kNoErr);
    EXPECT_EQ(StoredKeys(text, {"PW4_DimText"}),
              (std::vector<std::string>{"PW4_Attr_variableDimStrID", "PW4_Attr_variableDimStrAlphaInc",
                                        "PW4_Attr_variableDimStrNumericInc", "PW4_Attr_customDimemsionStr",
                                        "PW4_Attr_variableDimemsionStr", "PW4_Attr_calloutStr"}));
    Text read{};
    read.dimensionFormat = 4;
    read.next = &read;
    ASSERT_EQ(GetDimensionTextData(text, &read), kNoErr);
    EXPECT_EQ(read.id, 3);
    EXPECT_EQ(read.alpha, 2);
    EXPECT_EQ(read.numeric, 14);
    EXPECT_STREQ(read.customStr, written.customStr);
    EXPECT_STREQ(read.calloutStr, written.calloutStr);
    EXPECT_STREQ(read.dimStr, written.dimStr);
    EXPECT_EQ(read.dimensionFormat, 4) << "not stored, not touched";
    EXPECT_EQ(read.next, &read);

    // A second write replaces the entries in the same sub-dictionary.
    Text second = SampleText();
    second.alpha = 9;
    const standin::Dict* before = StoredDict(text, {"PW4_DimText"});
    ASSERT_EQ(SetDimensionTextData(text, &second), kNoErr);
    EXPECT_EQ(StoredDict(text, {"PW4_DimText"}), before);
    EXPECT_EQ(StoredKeys(text, {"PW4_DimText"}).size(), 6u);
    ASSERT_EQ(GetDimensionTextData(text, &read), kNoErr);
    EXPECT_EQ(read.alpha, 9);
}

TEST_F(TextRecordTest, MissingRecordAndMissingEntriesGiveDefaults) {
    AIArtHandle bare = NewArt(kPathArt);
    Text read = SampleText();
    ASSERT_EQ(GetDimensionTextData(bare, &read), kNoErr);
    EXPECT_EQ(read.id, 0);
    EXPECT_EQ(read.alpha, -1);
    EXPECT_EQ(read.numeric, -1);
    EXPECT_STREQ(read.customStr, "");
    EXPECT_STREQ(read.calloutStr, "");
    EXPECT_STREQ(read.dimStr, "");

    AIArtHandle partial = NewArt(kPathArt);
    const Text written = SampleText();
    ASSERT_EQ(SetDimensionTextData(partial, &written), kNoErr);
    for (const char* key : {"PW4_Attr_variableDimStrAlphaInc", "PW4_Attr_variableDimStrNumericInc",
                            "PW4_Attr_customDimemsionStr", "PW4_Attr_variableDimemsionStr", "PW4_Attr_calloutStr"})
        DeleteStored(partial, {"PW4_DimText"}, key);
    read = SampleText();
    ASSERT_EQ(GetDimensionTextData(partial, &read), kNoErr);
    EXPECT_EQ(read.id, 3);
    EXPECT_EQ(read.alpha, -1);
    EXPECT_EQ(read.numeric, -1);
    EXPECT_STREQ(read.customStr, "");
    EXPECT_STREQ(read.dimStr, "");
    EXPECT_EQ(GetDimensionTextData(nullptr, &read), kCADErr);
}

TEST_F(TextRecordTest, StoredTextsAreBoundedTo1023Characters) {
    AIArtHandle text = NewArt(kPathArt);
    Text written = SampleText();
    std::memset(written.dimStr, 'd', 1023);
    written.dimStr[1023] = '\0';
    ASSERT_EQ(SetDimensionTextData(text, &written), kNoErr);
    AIDictionaryRef dict = nullptr, sub = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(text, &dict), kNoErr);
    ASSERT_EQ(sAIDictionary->GetDictEntry(dict, sAIDictionary->Key("PW4_DimText"), &sub), kNoErr);
    const std::string tooLong(3000, 'c');
    ASSERT_EQ(sAIDictionary->SetStringEntry(sub, sAIDictionary->Key("PW4_Attr_customDimemsionStr"), tooLong.c_str()),
              kNoErr);
    sAIDictionary->Release(sub);
    sAIDictionary->Release(dict);
    Text read{};
    ASSERT_EQ(GetDimensionTextData(text, &read), kNoErr);
    EXPECT_EQ(std::strlen(read.dimStr), 1023u) << "a 1023-character text reads back whole";
    EXPECT_EQ(std::string(read.customStr), std::string(1023, 'c'));
    EXPECT_STREQ(read.calloutStr, written.calloutStr) << "the neighbouring field is intact";
}

TEST_F(TextRecordTest, NothingIsWrittenWhileLiveDimensionsAreOffOrWithoutRecord) {
    AIArtHandle text = NewArt(kPathArt);
    const Text written = SampleText();
    g->prefs.createLiveDimensions = 0;
    EXPECT_EQ(SetDimensionTextData(text, &written), kNoErr);
    g->prefs.createLiveDimensions = 1;
    EXPECT_EQ(SetDimensionTextData(text, nullptr), kNoErr);
    EXPECT_TRUE(StoredKeys(text, {}).empty());
    EXPECT_NE(SetDimensionTextData(nullptr, &written), kNoErr) << "the host's error for a null art";
}

}  // namespace
