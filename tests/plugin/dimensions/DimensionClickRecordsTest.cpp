// Click records on measured art: the nested layout, clicks of several dimensions on one
// art and of one dimension on several arts found again by id, and damaged records.
#include <algorithm>
#include <map>
#include <string>
#include <tuple>
#include <vector>

#include "DimensionHostFixture.h"
#include "dimensions/DimensionStorage.h"

namespace {

using Click = Plotwise3_dimensioned_object_data;

Click MakeClick(int32_t id, int32_t clickNum, float x) {
    Click c{};
    c.id = id;
    c.clickNum = clickNum;
    c.used = clickNum == 2;
    c.segNumBefore = std::max(clickNum, -1);  // a piece of the path, a drag's the one ending at anchor 0
    c.segNumAfter = c.segNumBefore + 1;
    c.dimType = kVertical;
    c.clickType = kLiveDimClickedPath;
    c.t = 0.25f;
    c.x = x;
    c.y = -x;
    c.endPointOffsetLength = 18.5f;
    c.endPointOffsetAngle = 100.0f;
    return c;
}

AIErr StoreClick(AIArtHandle art, const Click& c) { return SetDimensionedObjectData(art, &c); }

std::vector<Click> Collect(AIArtHandle art, AIErr* result = nullptr) {
    std::vector<Click> found;
    AIErr err = ForEachDimensionedObjectData(art, [&](const Click& c) {
        found.push_back(c);
        return kNoErr;
    });
    if (result) *result = err;
    else EXPECT_EQ(err, kNoErr);
    return found;
}

// Clicks of one dimension over several arts, by click number.
std::map<int32_t, Click> ClicksOf(int32_t id, std::initializer_list<AIArtHandle> arts) {
    std::map<int32_t, Click> byNum;
    for (AIArtHandle art : arts)
        for (const Click& c : Collect(art))
            if (c.id == id) byNum[c.clickNum] = c;
    return byNum;
}

class ClickRecordTest : public DimensionHostFixture {};

TEST_F(ClickRecordTest, LayoutOfTwoClicksOfOneDimension) {
    AIArtHandle path = NewArt(kPathArt);
    ASSERT_EQ(StoreClick(path, MakeClick(7, 1, 10)), kNoErr);
    ASSERT_EQ(StoreClick(path, MakeClick(7, 2, 20)), kNoErr);
    EXPECT_EQ(StoredKeys(path, {}), std::vector<std::string>{"ZA3_Object"});
    EXPECT_EQ(StoredKeys(path, {"ZA3_Object"}), std::vector<std::string>{"ZA3_Obj_data_7"});
    EXPECT_EQ(StoredKeys(path, {"ZA3_Object", "ZA3_Obj_data_7"}),
              (std::vector<std::string>{"ZA3_Obj_id", "ZA3_Click_data_1", "ZA3_Click_data_2"}));
    const standin::Dict* link = StoredDict(path, {"ZA3_Object", "ZA3_Obj_data_7"});
    EXPECT_EQ(std::get<int32_t>(*link->find("ZA3_Obj_id")), 7);
    EXPECT_EQ(StoredKeys(path, {"ZA3_Object", "ZA3_Obj_data_7", "ZA3_Click_data_1"}),
              (std::vector<std::string>{"ZA3_Obj_id", "ZA3_Obj_used", "ZA3_Obj_clicknum", "ZA3_Obj_segnumbefore",
                                        "ZA3_Obj_segnumafter", "ZA3_Obj_dimtype", "ZA3_Obj_clicktype", "ZA3_Obj_t",
                                        "ZA3_Obj_x", "ZA3_Obj_y", "ZA3_Obj_length", "ZA3_Obj_angle"}));
    const standin::Dict* click = StoredDict(path, {"ZA3_Object", "ZA3_Obj_data_7", "ZA3_Click_data_2"});
    EXPECT_TRUE(std::get<bool>(*click->find("ZA3_Obj_used")));
    EXPECT_EQ(std::get<AIReal>(*click->find("ZA3_Obj_x")), 20.0f);
    EXPECT_EQ(IsDimensionedObject(path), 1);
}

TEST_F(ClickRecordTest, RecordsReadBackFieldByField) {
    AIArtHandle path = NewArt(kPathArt);
    const Click written = MakeClick(41, 2, 33.25f);
    ASSERT_EQ(SetDimensionedObjectData(path, &written), kNoErr);
    const auto found = Collect(path);
    ASSERT_EQ(found.size(), 1u);
    const Click& c = found[0];
    EXPECT_EQ(std::tie(c.id, c.used, c.clickNum, c.segNumBefore, c.segNumAfter, c.dimType, c.clickType),
              std::tie(written.id, written.used, written.clickNum, written.segNumBefore, written.segNumAfter,
                       written.dimType, written.clickType));
    EXPECT_EQ(std::tie(c.t, c.x, c.y, c.endPointOffsetLength, c.endPointOffsetAngle),
              std::tie(written.t, written.x, written.y, written.endPointOffsetLength, written.endPointOffsetAngle));
    EXPECT_EQ(c.art, path);
    EXPECT_EQ(c.prev, nullptr);
    EXPECT_EQ(c.next, nullptr);
}

TEST_F(ClickRecordTest, TwoDimensionsOnOnePathFoundByTheirIds) {
    AIArtHandle path = NewArt(kPathArt);
    for (int32_t id : {7, 8})
        for (int32_t n : {1, 2, -1})
            ASSERT_EQ(StoreClick(path, MakeClick(id, n, static_cast<float>(id * 10 + n))), kNoErr);
    for (int32_t id : {7, 8}) {
        const auto clicks = ClicksOf(id, {path});
        ASSERT_EQ(clicks.size(), 3u) << id;
        for (const auto& [n, c] : clicks) {
            EXPECT_EQ(c.x, static_cast<float>(id * 10 + n));
            EXPECT_EQ(c.art, path);
        }
    }
    EXPECT_EQ(StoredKeys(path, {"ZA3_Object"}), (std::vector<std::string>{"ZA3_Obj_data_7", "ZA3_Obj_data_8"}));
}

TEST_F(ClickRecordTest, OneDimensionOnTwoPathsFoundByItsId) {
    AIArtHandle a = NewArt(kPathArt);
    AIArtHandle b = NewArt(kPathArt);
    ASSERT_EQ(StoreClick(a, MakeClick(9, 1, 1)), kNoErr);
    ASSERT_EQ(StoreClick(b, MakeClick(9, 2, 2)), kNoErr);
    ASSERT_EQ(StoreClick(a, MakeClick(9, -1, 3)), kNoErr);
    ASSERT_EQ(StoreClick(b, MakeClick(10, 1, 4)), kNoErr);
    const auto clicks = ClicksOf(9, {a, b});
    ASSERT_EQ(clicks.size(), 3u);
    EXPECT_EQ(clicks.at(1).art, a);
    EXPECT_EQ(clicks.at(2).art, b);
    EXPECT_EQ(clicks.at(-1).art, a);
    EXPECT_EQ(ClicksOf(10, {a, b}).size(), 1u);
}

TEST_F(ClickRecordTest, DragAndRepeatedClicksReplaceTheirRecord) {
    AIArtHandle path = NewArt(kPathArt);
    ASSERT_EQ(StoreClick(path, MakeClick(5, -1, 1)), kNoErr);
    ASSERT_EQ(StoreClick(path, MakeClick(5, -7, 2)), kNoErr);
    ASSERT_EQ(StoreClick(path, MakeClick(5, 1, 3)), kNoErr);
    ASSERT_EQ(StoreClick(path, MakeClick(5, 1, 4)), kNoErr);
    EXPECT_EQ(StoredKeys(path, {"ZA3_Object", "ZA3_Obj_data_5"}),
              (std::vector<std::string>{"ZA3_Obj_id", "ZA3_Click_data_drag", "ZA3_Click_data_1"}));
    const auto clicks = ClicksOf(5, {path});
    EXPECT_EQ(clicks.at(-7).x, 2.0f);
    EXPECT_EQ(clicks.at(1).x, 4.0f);
}

TEST_F(ClickRecordTest, AnExistingLinkKeepsItsOwnId) {
    AIArtHandle path = NewArt(kPathArt);
    ASSERT_EQ(StoreClick(path, MakeClick(7, 1, 1)), kNoErr);
    AIDictionaryRef dict = nullptr, object = nullptr, link = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(path, &dict), kNoErr);
    ASSERT_EQ(sAIDictionary->GetDictEntry(dict, sAIDictionary->Key("ZA3_Object"), &object), kNoErr);
    ASSERT_EQ(sAIDictionary->GetDictEntry(object, sAIDictionary->Key("ZA3_Obj_data_7"), &link), kNoErr);
    ASSERT_EQ(sAIDictionary->SetIntegerEntry(link, sAIDictionary->Key("ZA3_Obj_id"), 99), kNoErr);
    // Foreign entries that the collectors must pass over.
    ASSERT_EQ(sAIDictionary->SetIntegerEntry(link, sAIDictionary->Key("ZA3_Click_note"), 1), kNoErr);
    ASSERT_EQ(sAIDictionary->SetIntegerEntry(object, sAIDictionary->Key("ZA3_Other"), 1), kNoErr);
    for (AIDictionaryRef r : {link, object, dict}) sAIDictionary->Release(r);

    ASSERT_EQ(StoreClick(path, MakeClick(7, 2, 2)), kNoErr);
    std::vector<std::pair<std::string, int32_t>> links;
    ASSERT_EQ(ForEachDimensionLink(path, [&](const char* key, int32_t id) {
                  links.emplace_back(key, id);
                  return kNoErr;
              }),
              kNoErr);
    EXPECT_EQ(links, (std::vector<std::pair<std::string, int32_t>>{{"ZA3_Obj_data_7", 99}}));
    // Clicks carry their own id.
    EXPECT_EQ(ClicksOf(7, {path}).size(), 2u);
}

TEST_F(ClickRecordTest, DamagedClickStopsTheCollector) {
    AIArtHandle path = NewArt(kPathArt);
    ASSERT_EQ(StoreClick(path, MakeClick(7, 1, 1)), kNoErr);
    DeleteStored(path, {"ZA3_Object", "ZA3_Obj_data_7", "ZA3_Click_data_1"}, "ZA3_Obj_t");
    AIErr err = kNoErr;
    EXPECT_TRUE(Collect(path, &err).empty());
    EXPECT_EQ(err, kNoSuchKey);
    // A click its art cannot hold, as the tools store them, is damaged too.
    const struct {
        int16_t art;
        int32_t clickType;
        bool read;
    } kHeld[] = {{kTextFrameArt, kLiveDimClickedText, true}, {kTextFrameArt, kLiveDimClickedSegmentPoint, false},
                 {kGroupArt, kLiveDimClickedFill, true}};
    for (const auto& h : kHeld) {
        AIArtHandle art = NewArt(h.art);
        Click c = MakeClick(3, 1, 0);
        c.clickType = h.clickType;
        ASSERT_EQ(StoreClick(art, c), kNoErr);
        std::vector<int32_t> told;
        EXPECT_EQ(ForEachDimensionedObjectData(art, [](const Click&) { return kNoErr; },
                                               [&](int32_t id) { told.push_back(id); return kNoErr; }),
                  kNoErr);
        EXPECT_EQ(told, h.read ? std::vector<int32_t>{} : std::vector<int32_t>{3}) << h.art << " " << h.clickType;
    }
}

TEST_F(ClickRecordTest, VisitorCanStopTheWalk) {
    AIArtHandle path = NewArt(kPathArt);
    for (int32_t n : {1, 2, 3}) ASSERT_EQ(StoreClick(path, MakeClick(4, n, 0)), kNoErr);
    int seen = 0;
    EXPECT_EQ(ForEachDimensionedObjectData(path, [&](const Click&) { return ++seen == 2 ? kCanceledErr : kNoErr; }),
              kCanceledErr);
    EXPECT_EQ(seen, 2);
}

TEST_F(ClickRecordTest, MeasuredArtTests) {
    AIArtHandle plain = NewArt(kPathArt);
    EXPECT_EQ(IsDimensionedObject(plain), 0);
    EXPECT_EQ(IsDimensionedObject(nullptr), 0);
    EXPECT_TRUE(Collect(plain).empty());
    AIDictionaryRef dict = nullptr, empty = nullptr;
    ASSERT_EQ(sAIArt->GetDictionary(plain, &dict), kNoErr);
    ASSERT_EQ(sAIDictionary->CreateDictionary(&empty), kNoErr);
    ASSERT_EQ(sAIDictionary->SetDictEntry(dict, sAIDictionary->Key("ZA3_Object"), empty), kNoErr);
    sAIDictionary->Release(empty);
    sAIDictionary->Release(dict);
    EXPECT_EQ(IsDimensionedObject(plain), 1) << "an empty link dictionary still counts";
    EXPECT_EQ(StoreClick(nullptr, MakeClick(1, 1, 0)), kCADErr);
}

}  // namespace
