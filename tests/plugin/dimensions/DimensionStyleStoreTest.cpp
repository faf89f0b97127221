// The style record on a dimension group: write and read back, the stored keys, order and
// types and the values of missing keys against StyleEntryKeys.txt, records of older formats,
// damaged records, the strings flag, making a group live.
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "DimensionHostFixture.h"
#include "ScratchFolder.h"
#include "core/PlotwiseAlerts.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/DimensionStorage.h"
#include "io/DocumentFile.h"

namespace {

using Record = Plotwise3_Live_Dimension_Data;

// A record whose every stored field differs from any default the reader could supply, within
// the field's domain (at its top where it has one).
Record DistinctStyle() {
    Record r{};
    int i = 0;
    for (const StyleEntry& e : StyleEntries()) {
        ++i;
        const int32_t n = 1000 + i;
        const AIReal x = 0.1f * static_cast<float>(i) + 100.0f;
        switch (e.type) {
        case DictEntryType::kInteger: r.*e.intField = e.Holds(n) ? n : static_cast<int32_t>(e.most); break;
        case DictEntryType::kBoolean: r.*e.intField = 1; break;  // every boolean defaults to 0
        case DictEntryType::kReal: r.*e.realField = e.Holds(x) ? x : static_cast<AIReal>(e.most) - 0.5f; break;
        case DictEntryType::kString:
            std::snprintf(r.*e.stringField, sizeof(r.*e.stringField), "text %d \xB1 %s", i, e.field);
            break;
        }
    }
    return r;
}

// Compares the stored fields one by one, naming the field that differs.
void ExpectSameStoredFields(const Record& a, const Record& b) {
    for (const StyleEntry& e : StyleEntries()) {
        if (e.intField) {
            EXPECT_EQ(a.*e.intField, b.*e.intField) << e.field;
        } else if (e.realField) {
            EXPECT_EQ(a.*e.realField, b.*e.realField) << e.field;
        } else {
            EXPECT_STREQ(a.*e.stringField, b.*e.stringField) << e.field;
        }
    }
}

Record Scrambled() {
    Record r;
    std::memset(&r, 0x11, sizeof r);
    r.layerStr[0] = '\0';
    return r;
}

class StyleRecordTest : public DimensionHostFixture {};

TEST_F(StyleRecordTest, RoundTripOfEveryField) {
    AIArtHandle group = NewArt(kGroupArt);
    const Record written = DistinctStyle();
    ASSERT_EQ(SetDimensionData(group, &written), kNoErr);
    EXPECT_EQ(g->dimGroup, group);
    EXPECT_EQ(g->lastStyleGroupTagged, group);

    Record read = Scrambled();
    read.dimTextDataListPtr = reinterpret_cast<live_dimension_text_data*>(0x1234);
    ASSERT_EQ(GetDimensionData(group, &read), kNoErr);
    ExpectSameStoredFields(written, read);
    EXPECT_EQ(read.dimTextDataListPtr, nullptr);
    EXPECT_STREQ(read.layerStr, "Layer 1");
}

// Each value the program itself writes into a bounded field (the panels' limits, the host's
// colours, the tools' formats and a dimension whose texts differ, -1) reads back as written
// and without a word to the user.
TEST_F(StyleRecordTest, EveryValueTheProgramWritesReadsBackSilently) {
    using R = Record;
    struct Row {
        int32_t R::*intField;
        AIReal R::*realField;
        double value;
    };
    const Row rows[] = {
        {&R::dimensionFormat, nullptr, -1}, {&R::dimensionFormat, nullptr, 0}, {&R::dimensionFormat, nullptr, 4},
        {&R::dimensionColorComponent1, nullptr, 0}, {&R::dimensionColorComponent1, nullptr, 65535},
        {&R::dimensionColorComponent4, nullptr, 65535},
        {nullptr, &R::dimensionCustomColorTint, 0}, {nullptr, &R::dimensionCustomColorTint, 100},
        {nullptr, &R::dimensionTextSize, 0.1}, {nullptr, &R::dimensionTextSize, 8640},
        {nullptr, &R::arrowheadLength, 0}, {nullptr, &R::arrowheadWeight, 8640}, {nullptr, &R::dimensionWeight, 0},
        {nullptr, &R::witnessGap, 8640}, {nullptr, &R::witnessWeight, 0},
        {&R::upperUnits, nullptr, 0}, {&R::lowerUnits, nullptr, 19},
        {&R::upperToleranceUnits, nullptr, 19}, {&R::lowerToleranceUnits, nullptr, 0},
        {&R::labelFormat, nullptr, 3}, {&R::textSpacing, nullptr, 50}, {&R::id, nullptr, 2147483647},
    };
    for (const Row& row : rows) {
        AIArtHandle group = NewArt(kGroupArt);
        Record written = DefaultDimensionStyle();
        written.id = 1;  // as a tool numbers it
        if (row.intField) written.*row.intField = static_cast<int32_t>(row.value);
        else written.*row.realField = static_cast<AIReal>(row.value);
        ASSERT_EQ(SetDimensionData(group, &written), kNoErr);
        Record read{};
        ASSERT_EQ(GetDimensionData(group, &read), kNoErr);
        const double back = row.intField ? read.*row.intField : read.*row.realField;
        EXPECT_EQ(back, static_cast<double>(row.intField ? written.*row.intField : written.*row.realField)) << row.value;
        ShowNotesForUser();
        EXPECT_TRUE(host_.dialogs().alerts().empty()) << host_.dialogs().alerts().back().text;
    }
}

// One line of StyleEntryKeys.txt: key, entry type, strings flag, value when absent.
struct ListedEntry {
    std::string key, type, flag, absent;
};

std::vector<ListedEntry> ListedEntries() {
    const auto file = std::filesystem::path(__FILE__).parent_path() / "StyleEntryKeys.txt";
    std::ifstream in(file);
    EXPECT_TRUE(in) << "cannot read " << file;
    std::vector<ListedEntry> entries;
    std::string line;
    while (std::getline(in, line)) {
        if (line.empty() || line[0] == '#') continue;
        std::istringstream words(line);
        ListedEntry e;
        words >> e.key >> e.type >> e.flag >> e.absent;
        entries.push_back(e);
    }
    return entries;
}

const char* TypeName(const standin::DictValue& value) {
    if (std::holds_alternative<int32_t>(value)) return "integer";
    if (std::holds_alternative<AIReal>(value)) return "real";
    if (std::holds_alternative<bool>(value)) return "boolean";
    if (std::holds_alternative<standin::DictText>(value)) return "string";
    return "other";
}

TEST_F(StyleRecordTest, StoredKeysTypesAndOrder) {
    AIArtHandle group = NewArt(kGroupArt);
    const Record written = DistinctStyle();
    ASSERT_EQ(SetDimensionData(group, &written), kNoErr);
    const standin::Dict* sub = StoredDict(group, {"ZA3_Dimension"});
    ASSERT_NE(sub, nullptr);
    const std::vector<ListedEntry> listed = ListedEntries();
    ASSERT_EQ(listed.size(), 82u);
    ASSERT_EQ(sub->entries.size(), listed.size());
    for (size_t i = 0; i < listed.size(); ++i) {
        const auto& [storedKey, value] = sub->entries[i];
        EXPECT_EQ(storedKey, listed[i].key) << "entry " << i + 1;
        EXPECT_EQ(TypeName(value), listed[i].type) << storedKey;
    }
    // Nothing but the style sits on the group.
    EXPECT_EQ(StoredKeys(group, {}), std::vector<std::string>{"ZA3_Dimension"});
}

TEST_F(StyleRecordTest, EachMissingKeyGivesItsListedValueOrStopsReading) {
    g->prefs.style.upperUnits = 7;
    g->prefs.style.lowerUnits = 13;
    for (const ListedEntry& listed : ListedEntries()) {
        const StyleEntry* entry = nullptr;
        for (const StyleEntry& e : StyleEntries()) {
            KeyBuffer key;
            if (e.prefix && listed.key == StyleEntryKey(key, e)) entry = &e;
        }
        ASSERT_NE(entry, nullptr) << listed.key;
        AIArtHandle group = NewArt(kGroupArt);
        const Record written = DistinctStyle();
        ASSERT_EQ(SetDimensionData(group, &written), kNoErr);
        DeleteStored(group, {"ZA3_Dimension"}, listed.key.c_str());
        Record read = DistinctStyle();
        const AIErr err = GetDimensionData(group, &read);
        if (listed.absent == "error") {
            EXPECT_EQ(err, kNoSuchKey) << listed.key;
            continue;
        }
        ASSERT_EQ(err, kNoErr) << listed.key;
        if (listed.absent == "current") {
            EXPECT_EQ(read.*entry->intField, g->prefs.style.*entry->intField) << listed.key;
        } else if (entry->realField) {
            EXPECT_EQ(read.*entry->realField, std::stof(listed.absent)) << listed.key;
        } else {
            EXPECT_EQ(read.*entry->intField, std::stoi(listed.absent)) << listed.key;
        }
    }
}

TEST_F(StyleRecordTest, StringsFlagGovernsTheListedStrings) {
    AIArtHandle group = NewArt(kGroupArt);
    AIDictionaryRef dict = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(group, &dict), kNoErr);
    Record first{}, second{};
    for (const StyleEntry& e : StyleEntries()) {
        if (!e.stringField) continue;
        std::snprintf(first.*e.stringField, sizeof(first.*e.stringField), "first %s", e.field);
        std::snprintf(second.*e.stringField, sizeof(second.*e.stringField), "second %s", e.field);
    }
    ASSERT_EQ(ConvertLiveDimensionDataToDictionary(&first, dict, 1), kNoErr);
    ASSERT_EQ(ConvertLiveDimensionDataToDictionary(&second, dict, 0), kNoErr);
    sAIDictionary->Release(dict);
    const standin::Dict* sub = StoredDict(group, {"ZA3_Dimension"});
    ASSERT_NE(sub, nullptr);
    int strings = 0;
    for (const ListedEntry& listed : ListedEntries()) {
        if (listed.type != "string") continue;
        ++strings;
        const standin::DictValue* value = sub->find(listed.key);
        ASSERT_NE(value, nullptr) << listed.key;
        const std::string field = listed.key.substr(listed.key.find("Attr_") + 5);
        const std::string kept = (listed.flag == "flagged" ? "first " : "second ") + field;
        EXPECT_EQ(std::get<standin::DictText>(*value).str(), kept) << listed.key;
    }
    EXPECT_EQ(strings, 5);
}

TEST_F(StyleRecordTest, OlderFormatsReadWithTheDefaultsOfLaterKeys) {
    AIArtHandle group = NewArt(kGroupArt);
    const Record written = DistinctStyle();
    ASSERT_EQ(SetDimensionData(group, &written), kNoErr);
    // Leave only what format 3 wrote: the ZA3 keys.
    for (const StyleEntry& e : StyleEntries()) {
        if (std::string(e.prefix) == kZA3Prefix) continue;
        KeyBuffer key;
        DeleteStored(group, {"ZA3_Dimension"}, StyleEntryKey(key, e));
    }
    g->prefs.style.upperUnits = 7;
    g->prefs.style.lowerUnits = 13;

    Record read = DistinctStyle();
    ASSERT_EQ(GetDimensionData(group, &read), kNoErr);
    EXPECT_EQ(read.labelLeaderLength, 36.0f);
    EXPECT_EQ(read.dimensionFormat, 0);
    EXPECT_EQ(read.dimTextPrecedenceFlag, 1);
    EXPECT_EQ(read.slideDimText, 0);
    EXPECT_EQ(read.slideDimTextOffset, 0.5f);
    EXPECT_EQ(read.textSpacing, 50);
    EXPECT_EQ(read.labelFormat, 0);
    EXPECT_EQ(read.diameterLeaderLength, 36.0f);
    EXPECT_EQ(read.alphaLabelMenuOption, 1);
    EXPECT_EQ(read.numericLabelMenuOption, 1);
    EXPECT_EQ(read.customLabelMenuOption, 1);
    EXPECT_EQ(read.NumericLabelsUseLeadingZeros, 0);
    EXPECT_EQ(read.NumericLabelsNumberOfLeadingZeros, 0);
    for (int32_t Record::*flag : {&Record::geoLabelX, &Record::geoLabelY, &Record::geoLabelW, &Record::geoLabelH,
                                  &Record::geoLabelP, &Record::geoLabelA, &Record::stretchLabelShape,
                                  &Record::upperRefDimension, &Record::lowerRefDimension})
        EXPECT_EQ(read.*flag, 0);
    EXPECT_EQ(read.terminatorDirection, 2);
    EXPECT_EQ(read.upperUnits, 7);
    EXPECT_EQ(read.lowerUnits, 13);
    // The ZA3 fields are the stored ones.
    EXPECT_EQ(read.id, written.id);
    EXPECT_EQ(read.labelBorder, written.labelBorder);
    EXPECT_STREQ(read.dimensionLabelStr, written.dimensionLabelStr);
    EXPECT_EQ(read.dimTextDataListPtr, nullptr);
}

TEST_F(StyleRecordTest, AMissingZA3KeyIsDamageAndStopsReading) {
    AIArtHandle group = NewArt(kGroupArt);
    const Record written = DistinctStyle();
    ASSERT_EQ(SetDimensionData(group, &written), kNoErr);
    DeleteStored(group, {"ZA3_Dimension"}, "ZA3_Attr_witnessGap");
    Record read{};
    read.witnessWeight = -1.0f;
    EXPECT_EQ(GetDimensionData(group, &read), kNoSuchKey);
    EXPECT_EQ(read.dimensionExtension, written.dimensionExtension) << "read before the gap";
    EXPECT_EQ(read.witnessWeight, -1.0f) << "after the gap: as it was";
}

TEST_F(StyleRecordTest, AnEntryOfAnotherTypeStopsReadingEvenForLaterFormats) {
    AIArtHandle group = NewArt(kGroupArt);
    const Record written = DistinctStyle();
    ASSERT_EQ(SetDimensionData(group, &written), kNoErr);
    AIDictionaryRef dict = nullptr, sub = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(group, &dict), kNoErr);
    ASSERT_EQ(sAIDictionary->GetDictEntry(dict, sAIDictionary->Key("ZA3_Dimension"), &sub), kNoErr);
    ASSERT_EQ(sAIDictionary->SetStringEntry(sub, sAIDictionary->Key("PW5_Attr_geoLabelX"), "yes"), kNoErr);
    sAIDictionary->Release(sub);
    sAIDictionary->Release(dict);
    Record read{};
    EXPECT_EQ(GetDimensionData(group, &read), kWrongTypeErr);
}

TEST_F(StyleRecordTest, GroupWithoutStyleChangesOnlyTheLayerTitle) {
    AIArtHandle group = NewArt(kGroupArt);
    Record read = DistinctStyle();
    const Record before = read;
    EXPECT_EQ(GetDimensionData(group, &read), kNoErr);
    ExpectSameStoredFields(before, read);
    EXPECT_STREQ(read.layerStr, "Layer 1");
    EXPECT_EQ(GetDimensionData(nullptr, &read), kCADErr);
}

TEST_F(StyleRecordTest, StringsFlagKeepsOrReplacesTheThreeStrings) {
    AIArtHandle group = NewArt(kGroupArt);
    Record first = DistinctStyle();
    std::strcpy(first.dimensionLabelStr, "A-A");
    std::strcpy(first.dimensionTextFaceStr, "DejaVu Sans");
    std::strcpy(first.dimensionCustomColorName, "Drafting Red");
    AIDictionaryRef dict = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(group, &dict), kNoErr);
    ASSERT_EQ(ConvertLiveDimensionDataToDictionary(&first, dict, 1), kNoErr);

    Record second = DistinctStyle();
    std::strcpy(second.dimensionLabelStr, "B-B");
    std::strcpy(second.upperToleranceValue, "0.05");
    ASSERT_EQ(ConvertLiveDimensionDataToDictionary(&second, dict, 0), kNoErr);
    Record read{};
    ASSERT_EQ(GetDimensionData(group, &read), kNoErr);
    EXPECT_STREQ(read.dimensionLabelStr, "A-A");
    EXPECT_STREQ(read.dimensionTextFaceStr, "DejaVu Sans");
    EXPECT_STREQ(read.dimensionCustomColorName, "Drafting Red");
    EXPECT_STREQ(read.upperToleranceValue, "0.05") << "tolerances are always written";

    ASSERT_EQ(ConvertLiveDimensionDataToDictionary(&second, dict, 1), kNoErr);
    ASSERT_EQ(GetDimensionData(group, &read), kNoErr);
    EXPECT_STREQ(read.dimensionLabelStr, "B-B");
    sAIDictionary->Release(dict);

    // Flag 0 into a fresh group writes the three strings empty.
    AIArtHandle fresh = NewArt(kGroupArt);
    ASSERT_EQ(sAIArt->GetDictionary(fresh, &dict), kNoErr);
    ASSERT_EQ(ConvertLiveDimensionDataToDictionary(&second, dict, 0), kNoErr);
    sAIDictionary->Release(dict);
    ASSERT_EQ(GetDimensionData(fresh, &read), kNoErr);
    EXPECT_STREQ(read.dimensionLabelStr, "");
    EXPECT_STREQ(read.dimensionCustomColorName, "");
}

TEST_F(StyleRecordTest, SingleStringWritersOfConvertedDocuments) {
    AIArtHandle group = NewArt(kGroupArt);
    AIDictionaryRef dict = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(group, &dict), kNoErr);
    live_dimension_label_data label{};
    std::strcpy(label.dimensionLabelStr, "Big Label");
    live_dimension_face_data face{};
    std::strcpy(face.dimensionTextFaceStr, "Big_Face");
    live_dimension_custom_color_data color{};
    std::strcpy(color.name, "Spot 1");
    EXPECT_EQ(ConvertLiveDimensionLabelDataToDictionary(&label, dict), kNoErr);
    EXPECT_EQ(ConvertLiveDimensionFaceDataToDictionary(&face, dict), kNoErr);
    EXPECT_EQ(ConvertLiveDimensionCustomColorDataToDictionary(&color, dict), kNoErr);
    // The style written afterwards with flag 0 keeps them.
    const Record style = DistinctStyle();
    ASSERT_EQ(ConvertLiveDimensionDataToDictionary(&style, dict, 0), kNoErr);
    sAIDictionary->Release(dict);
    Record read{};
    ASSERT_EQ(GetDimensionData(group, &read), kNoErr);
    EXPECT_STREQ(read.dimensionLabelStr, "Big Label");
    EXPECT_STREQ(read.dimensionTextFaceStr, "Big_Face");
    EXPECT_STREQ(read.dimensionCustomColorName, "Spot 1");
    EXPECT_EQ(StoredDict(group, {"ZA3_Dimension"})->entries.size(), 82u);
}

TEST_F(StyleRecordTest, LongStoredTextsAreCutToTheirField) {
    AIArtHandle group = NewArt(kGroupArt);
    const Record style = DistinctStyle();
    ASSERT_EQ(SetDimensionData(group, &style), kNoErr);
    AIDictionaryRef dict = nullptr, sub = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(group, &dict), kNoErr);
    ASSERT_EQ(sAIDictionary->GetDictEntry(dict, sAIDictionary->Key("ZA3_Dimension"), &sub), kNoErr);
    const std::string longText(600, 'L');
    ASSERT_EQ(sAIDictionary->SetStringEntry(sub, sAIDictionary->Key("ZA3_Attr_upperToleranceValue"),
                                            longText.c_str()), kNoErr);
    sAIDictionary->Release(sub);
    sAIDictionary->Release(dict);
    struct {
        Record record;
        char guard[16];
    } read;
    std::memset(read.guard, 0x5A, sizeof read.guard);
    ASSERT_EQ(GetDimensionData(group, &read.record), kNoErr);
    EXPECT_EQ(std::string(read.record.upperToleranceValue), std::string(255, 'L'));
    for (char c : read.guard) EXPECT_EQ(c, 0x5A);
}

TEST_F(StyleRecordTest, MakingLiveFromTheCurrentStyle) {
    AIArtHandle group = NewArt(kGroupArt);
    g->prefs.style = DistinctStyle();
    g->prefs.style.slideDimText = 0;
    g->curDimID = 12;
    g->labelToolSelected = 1;
    std::strcpy(g->theText, "DATUM A");
    g->slideDimTextOffset = 0.8f;
    ASSERT_EQ(SetDimensionData(group, nullptr), kNoErr);
    Record read{};
    ASSERT_EQ(GetDimensionData(group, &read), kNoErr);
    EXPECT_EQ(read.id, 12);
    EXPECT_STREQ(read.dimensionLabelStr, "DATUM A");
    EXPECT_EQ(read.slideDimTextOffset, 0.5f) << "no sliding: the middle";
    EXPECT_EQ(read.arrowheadLength, g->prefs.style.arrowheadLength);

    AIArtHandle other = NewArt(kGroupArt);
    g->labelToolSelected = 0;
    g->prefs.style.slideDimText = 1;
    ASSERT_EQ(SetDimensionData(other, nullptr), kNoErr);
    ASSERT_EQ(GetDimensionData(other, &read), kNoErr);
    EXPECT_STREQ(read.dimensionLabelStr, "");
    EXPECT_EQ(read.slideDimTextOffset, 0.8f);
}

TEST_F(StyleRecordTest, NothingIsWrittenWhileLiveDimensionsAreOff) {
    AIArtHandle group = NewArt(kGroupArt);
    g->prefs.createLiveDimensions = 0;
    EXPECT_EQ(SetDimensionData(group, nullptr), kNoErr);
    EXPECT_EQ(IsDimension(group), 0);
    EXPECT_EQ(g->dimGroup, nullptr);
}

TEST_F(StyleRecordTest, DeletingTurnsTheGroupIntoPlainArt) {
    AIArtHandle group = NewArt(kGroupArt);
    const Record style = DistinctStyle();
    ASSERT_EQ(SetDimensionData(group, &style), kNoErr);
    EXPECT_EQ(IsDimension(group), 1);
    EXPECT_EQ(DeleteDimensionData(group), kNoErr);
    EXPECT_EQ(IsDimension(group), 0);
    EXPECT_EQ(DeleteDimensionData(group), kNoErr) << "nothing to delete is fine";
    EXPECT_EQ(DeleteDimensionData(nullptr), kCADErr);
}

// The dictionary suite with one call made to fail after a number of successes; every
// routine must still give back every reference it obtained.
class FailingDictionary {
public:
    explicit FailingDictionary(int succeedFirst) : real_(sAIDictionary), fake_(*sAIDictionary) {
        budget_ = succeedFirst;
        fake_.SetIntegerEntry = [](AIDictionaryRef d, AIDictKey k, int32_t v) {
            return Spend() ? realSuite_->SetIntegerEntry(d, k, v) : kOutOfMemoryErr;
        };
        fake_.SetRealEntry = [](AIDictionaryRef d, AIDictKey k, AIReal v) {
            return Spend() ? realSuite_->SetRealEntry(d, k, v) : kOutOfMemoryErr;
        };
        fake_.GetRealEntry = [](AIDictionaryRef d, AIDictKey k, AIReal* v) {
            return Spend() ? realSuite_->GetRealEntry(d, k, v) : kOutOfMemoryErr;
        };
        fake_.GetIntegerEntry = [](AIDictionaryRef d, AIDictKey k, int32_t* v) {
            return Spend() ? realSuite_->GetIntegerEntry(d, k, v) : kOutOfMemoryErr;
        };
        fake_.CreateDictionary = [](AIDictionaryRef* d) {
            return Spend() ? realSuite_->CreateDictionary(d) : kOutOfMemoryErr;
        };
        realSuite_ = real_;
        sAIDictionary = &fake_;
    }
    ~FailingDictionary() { sAIDictionary = real_; }

private:
    static bool Spend() { return budget_-- > 0; }
    static inline int budget_ = 0;
    static inline AIDictionarySuite* realSuite_ = nullptr;
    AIDictionarySuite* real_;
    AIDictionarySuite fake_;
};

TEST_F(StyleRecordTest, ReferencesAreReleasedOnEveryFailurePath) {
    const Record style = DistinctStyle();
    for (int budget = 0; budget < 90; budget += 7) {
        AIArtHandle group = NewArt(kGroupArt);
        AIArtHandle path = NewArt(kPathArt);
        {
            FailingDictionary failing(budget);
            SetDimensionData(group, &style);
            Plotwise3_dimensioned_object_data click{};
            click.id = 3;
            click.clickNum = 1;
            SetDimensionedObjectData(path, &click);
            live_dimension_text_data text{};
            SetDimensionTextData(path, &text);
            SetDimensionID(group, 8);
        }
        {
            FailingDictionary failing(budget);
            Record read{};
            GetDimensionData(group, &read);
            ForEachDimensionedObjectData(path, [](const Plotwise3_dimensioned_object_data&) { return kNoErr; });
            ForEachDimensionLink(path, [](const char*, int32_t) { return kNoErr; });
            live_dimension_text_data text{};
            GetDimensionTextData(path, &text);
            GetDimensionID(group);
            GetHighestDimensionID();
        }
        EXPECT_EQ(host_.counters().dictRefs, 0) << "budget " << budget;
        EXPECT_EQ(host_.counters().dictIterators, 0) << "budget " << budget;
    }
}

}  // namespace

namespace {

// Saved to a document file and opened again, every stored record reads back the same.
class SavedDocumentTest : public DimensionHostFixture {};

TEST_F(SavedDocumentTest, RecordsSurviveSaveAndReopen) {
    AIArtHandle group = NewArt(kGroupArt);
    const Record style = DistinctStyle();
    ASSERT_EQ(SetDimensionData(group, &style), kNoErr);
    AIArtHandle path = NewArt(kPathArt);
    Plotwise3_dimensioned_object_data click{};
    click.id = style.id;
    click.dimType = kDiameter;
    click.clickType = kLiveDimClickedFill;
    click.t = 0.123456789f;
    click.x = 1.0f / 3.0f;
    click.y = -1e-7f;
    click.endPointOffsetAngle = -100.0f;
    for (int32_t n : {1, 2, -1}) {
        click.clickNum = n;
        click.used = n == 2;
        ASSERT_EQ(SetDimensionedObjectData(path, &click), kNoErr);
    }
    AIArtHandle text = NewArt(kPathArt, group);
    live_dimension_text_data words{};
    words.id = 2;
    words.alpha = 5;
    words.numeric = -1;
    std::strcpy(words.customStr, "\xD8 12 \xB1 0.1");
    std::strcpy(words.dimStr, "12.00\r0.47");
    ASSERT_EQ(SetDimensionTextData(text, &words), kNoErr);

    const ScratchFolder scratch;
    const std::string file = scratch.path("dimension-records.json");
    std::string error;
    ASSERT_TRUE(standin::io::saveDocumentFile(*doc_, file, error)) << error;
    host_.endMessage();
    standin::Document* reopened = standin::io::openDocumentFile(host_, file, error);
    ASSERT_NE(reopened, nullptr) << error;
    doc_ = reopened;
    host_.beginMessage();

    AIArtHandle groupBack = nullptr, pathBack = nullptr, textBack = nullptr;
    for (standin::ObjId id : doc_->matching([](const standin::Art&) { return true; })) {
        AIArtHandle art = standin::toHandle<AIArtHandle>(id);
        if (IsDimension(art)) groupBack = art;
        else if (IsDimensionedObject(art)) pathBack = art;
        else if (isDimensionPart(art)) textBack = art;
    }
    ASSERT_NE(groupBack, nullptr);
    ASSERT_NE(pathBack, nullptr);
    ASSERT_NE(textBack, nullptr);

    Record read = Scrambled();
    ASSERT_EQ(GetDimensionData(groupBack, &read), kNoErr);
    ExpectSameStoredFields(style, read);
    EXPECT_STREQ(read.layerStr, "Layer 1");
    EXPECT_EQ(StoredKeys(groupBack, {"ZA3_Dimension"}).size(), 82u);

    int found = 0;
    ASSERT_EQ(ForEachDimensionedObjectData(pathBack, [&](const Plotwise3_dimensioned_object_data& c) {
                  ++found;
                  EXPECT_EQ(c.id, style.id);
                  EXPECT_EQ(c.used, c.clickNum == 2 ? 1 : 0);
                  EXPECT_EQ(c.dimType, kDiameter);
                  EXPECT_EQ(c.clickType, kLiveDimClickedFill);
                  EXPECT_EQ(c.t, click.t);
                  EXPECT_EQ(c.x, click.x);
                  EXPECT_EQ(c.y, click.y);
                  EXPECT_EQ(c.endPointOffsetAngle, -100.0f);
                  return kNoErr;
              }),
              kNoErr);
    EXPECT_EQ(found, 3);

    live_dimension_text_data wordsBack{};
    ASSERT_EQ(GetDimensionTextData(textBack, &wordsBack), kNoErr);
    EXPECT_EQ(wordsBack.alpha, 5);
    EXPECT_EQ(wordsBack.numeric, -1);
    EXPECT_STREQ(wordsBack.customStr, words.customStr);
    EXPECT_STREQ(wordsBack.dimStr, words.dimStr);
    EXPECT_EQ(GetHighestDimensionID(), style.id);
}

}  // namespace
