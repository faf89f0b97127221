// Feeds arbitrary format-2 tags, as an old or damaged document may carry them, to the
// conversion of one art's legacy tags: click tags on a path (duplicates of one click among
// them, some named by the click they hold, or another), style and sub-record tags on a group, scale tags on a layer or its sublayer and on a
// group or one nested in it; then the whole-document conversion and deletion. Input: lines,
// each a selector byte (which tag, and where) and the tag's text. Nothing may crash, hang or
// keep a dictionary reference, no tag may go without its record, and no record it writes
// may be one the click reader refuses.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzPlugin.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/Plotwise2Conversion.h"
#include "suites/Suites.h"

namespace {

const char* const kPrefixes[] = {"ZMK_Live_Obj_", "ZMK_Live_Dim_", "ZMK_Live_Face_", "ZMK_Live_Color_",
                                 "ZMK_Live_Label_", "ZMK_Layer_Scale", "ZMK_Object_Scale"};

size_t TagCount(const standin::Document& doc, standin::ObjId art) { return doc.art(art)->tags.size(); }

// "<id>_<number>" or "<id>_drag" from a click text's first and fourth fields (the line's number
// for the id on odd lines).
std::string NamedAsFormat2(const std::string& value, int line) {
    std::vector<std::string> fields;
    std::stringstream text(value);
    for (std::string field; fields.size() < 4 && std::getline(text, field, '^');) fields.push_back(field);
    fields.resize(4);
    const std::string id = line % 2 ? std::to_string(line) : fields[0];
    return id + "_" + (fields[3].rfind('-', 0) == 0 ? std::string("drag") : fields[3]);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzPluginWorld world;
    standin::Document& doc = world.host.newDocument();
    world.host.beginMessage();

    standin::ObjId path = 0, group = 0, nested = 0;
    doc.addRect(10, 10, 100, 50, &path);
    doc.newArt(kGroupArt, kPlaceAboveAll, 0, &group);
    doc.newArt(kGroupArt, kPlaceInsideOnTop, group, &nested);
    const standin::ObjId layers[2] = {doc.currentLayer(), doc.insertLayer(doc.currentLayer(), kPlaceInsideOnTop, "Sub")};

    std::string_view input(reinterpret_cast<const char*>(data), size);
    for (int line = 0; !input.empty() && line < 64; ++line) {
        const size_t end = input.find('\n');
        std::string_view text = input.substr(0, end);
        input = end == std::string_view::npos ? std::string_view() : input.substr(end + 1);
        if (text.empty()) continue;
        const uint8_t selector = static_cast<uint8_t>(text[0]);
        const size_t kind = selector % std::size(kPrefixes);
        const bool second = selector >= 128;
        std::string value(text.substr(1));
        value = value.substr(0, value.find('\0'));
        std::string name = kPrefixes[kind];
        if (kind < 5) name += std::to_string(line);
        // A click tag of a selector from 128 up is named as format 2 named them, by the
        // dimension and number its text holds (on odd lines another dimension).
        if (kind == 0 && second) name = kPrefixes[0] + NamedAsFormat2(value, line);
        const standin::ObjId on = kind == 0 ? path : kind == 5 ? layers[second] : second && kind == 6 ? nested : group;
        doc.editArt(on)->tags.push_back({name, "string", value});
    }

    const size_t clickTags = TagCount(doc, path);
    SkippedLegacyTags skipped;
    const AIErr clicks = ConvertLegacyClickTags(standin::suites::artHandle(path), &skipped);
    // Every click tag that went became a record, one the next update reads.
    if (clicks == kNoErr && TagCount(doc, path) < clickTags && !IsDimensionedObject(standin::suites::artHandle(path)))
        std::abort();
    if (ForEachDimensionedObjectData(
            standin::suites::artHandle(path), [](const Plotwise3_dimensioned_object_data&) { return kNoErr; },
            [](int32_t) -> AIErr { std::abort(); }) != kNoErr)
        std::abort();
    (void)ConvertLegacyStyleTags(standin::suites::artHandle(group), &skipped);
    (void)CheckForPlotwise2Data();
    if (ConvertLayerScales(&skipped) == kNoErr)
        for (standin::ObjId layer : layers) {
            // A layer tag that went left its scale behind.
            const auto& tags = doc.art(layer)->tags;
            const bool tagged = std::any_of(tags.begin(), tags.end(), [](const auto& t) { return t.name == "ZMK_Layer_Scale"; });
            if (!tagged && !doc.dict(doc.dictionaryOf(layer))->find("ZA3_ScaleID")) std::abort();
        }
    (void)DeletePlotwise2DimensionedObjectTags();
    (void)DeletePlotwise2LiveDimensionTags();
    (void)DeletePlotwise2LayerScales();

    world.host.endMessage();
    world.host.closeDocument(doc);
    world.RequireNoDictionaryLeft();
    return 0;
}
