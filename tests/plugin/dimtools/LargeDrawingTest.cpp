// A drawing of 10,000 live dimensions is saved and opened again: every dimension comes back
// with its own id and its click records, in at most 6 KB of file each, and the opening
// redraws none of them (the document holds the current format from its making).
#include <filesystem>
#include <set>

#include "DimensionToolFixture.h"
#include "ScratchFolder.h"
#include "io/DocumentFile.h"

namespace dimtest {
namespace {

constexpr int kDimensions = 10000;

const standin::Dict* Sub(const standin::Document& d, ObjId dict, const char* key) {
    const standin::Dict* outer = d.dict(dict);
    const auto* link = outer ? std::get_if<standin::DictLink>(outer->find(key)) : nullptr;
    return link ? d.dict(link->id) : nullptr;
}

struct LargeDrawingTest : DimensionToolTest {
    // Copies of a rectangle and its dimension, each moved to a place of its own and given
    // the next id on both sides, as as many gestures of the tool would have left them.
    void Copies(ObjId rect, ObjId dimension) {
        ASSERT_EQ(session->hostEvent([&] {
            for (int k = 2; k <= kDimensions; ++k) {
                const AIRealMatrix move{1, 0, 0, 1, AIReal(k % 100) * 60, AIReal(k / 100) * 40};
                ObjId r = 0, d = 0;
                if (AIErr err = doc->duplicateArt(rect, kPlaceAbove, rect, &r)) return err;
                if (AIErr err = doc->duplicateArt(dimension, kPlaceAbove, dimension, &d)) return err;
                doc->transform(r, move, true);
                doc->transform(d, move, true);
                const ObjId style = std::get<standin::DictLink>(*doc->dict(doc->art(d)->dictionary)->find("ZA3_Dimension")).id;
                doc->editDict(style)->set("ZA3_Attr_id", int32_t{k});
                const ObjId objects = std::get<standin::DictLink>(*doc->dict(doc->art(r)->dictionary)->find("ZA3_Object")).id;
                auto& entry = doc->editDict(objects)->entries.at(0);
                entry.first = "ZA3_Obj_data_" + std::to_string(k);
                const ObjId clicks = std::get<standin::DictLink>(entry.second).id;
                doc->editDict(clicks)->set("ZA3_Obj_id", int32_t{k});
                for (auto& [key, value] : doc->editDict(clicks)->entries)
                    if (const auto* click = std::get_if<standin::DictLink>(&value))
                        doc->editDict(click->id)->set("ZA3_Obj_id", int32_t{k});
            }
            return kNoErr;
        }), kNoErr);
        doc->journal().clear();
    }
};

TEST_F(LargeDrawingTest, TenThousandDimensionsAreSavedAndOpenedAgain) {
    const ObjId rect = Rect(0, 0, 40, 10);
    ASSERT_EQ(Dimension("Horizontal Dimension", {{0, 10}, {40, 10}}, {20, 25}), kNoErr);
    ASSERT_EQ(Dimensions().size(), 1u);
    const ObjId first = Dimensions().front();
    Copies(rect, first);

    const ScratchFolder scratch;
    const std::string path = scratch.path("large-drawing.json");
    std::string error;
    ASSERT_EQ(session->saveDocument([&] { return standin::io::saveDocumentFile(*doc, path, error) ? kNoErr : kBadParameterErr; }),
              kNoErr)
        << error;
    EXPECT_LE(std::filesystem::file_size(path), size_t{kDimensions} * 6 * 1024);
    ASSERT_EQ(session->closeDocument(), kNoErr);
    g->dimensionsRedrawn = g->dimensionsKept = -1;  // what a regeneration would count afresh
    ASSERT_EQ(session->openDocument([&] { return standin::io::openDocumentFile(host, path, error) ? kNoErr : kBadParameterErr; }),
              kNoErr)
        << error;
    doc = host.frontDocument();

    std::set<int32_t> ids, linked;
    doc->walk([&](const standin::Art& a, int) {
        if (const standin::Dict* style = Sub(*doc, a.dictionary, "ZA3_Dimension"))
            ids.insert(std::get<int32_t>(*style->find("ZA3_Attr_id")));
        if (const standin::Dict* objects = Sub(*doc, a.dictionary, "ZA3_Object"))
            for (const auto& [key, value] : objects->entries)
                linked.insert(std::get<int32_t>(*doc->dict(std::get<standin::DictLink>(value).id)->find("ZA3_Obj_id")));
    });
    EXPECT_EQ(ids.size(), size_t{kDimensions});
    EXPECT_EQ(linked, ids);
    EXPECT_EQ(*ids.rbegin(), kDimensions);
    EXPECT_EQ(g->dimensionsRedrawn, -1) << "the opening redrew the dimensions";
}

}  // namespace
}  // namespace dimtest
