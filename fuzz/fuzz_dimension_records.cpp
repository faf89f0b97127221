// Feeds arbitrary dimension records, as a damaged or foreign document may hold them (style
// entries of any value, click records with any kind, click type, segment, parameter, point
// and offset, a number other than its key's, links of any id or of another type, text
// records with entries of any value or type, entries of another type, measured art on a face
// of any matrix), arranged as no tool leaves them (measured art inside a dimension's group,
// dimensions nested in another's, two groups of one id, a layer scale of another type or of
// any scaler), to
// what reads them when the user updates dimensions or pastes: regeneration of all or the
// selected dimensions with the real linear routines, the link cleanup and the repair after
// a paste. None may crash, hang, leave junk art of a failed redraw, lose the art measured,
// or keep a dictionary reference.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzPlugin.h"
#include "core/PlotwisePlugin.h"
#include "AITextFrame.h"
#include "axonometric/AxonometricData.h"
#include "dimensions/DimensionKeys.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "suites/Suites.h"

namespace {

// Gives a few entries of the style record other values, or other types.
void SpoilStyle(standin::Document& doc, standin::ObjId group, FuzzInput& in) {
    const standin::ObjId style = SubDictionary(doc, doc.dictionaryOf(group), "ZA3_Dimension");
    if (!style) return;
    const auto entries = StyleEntries();
    for (int n = in.byte() % 8; n > 0; --n) {
        const StyleEntry& e = entries[in.byte() % entries.size()];
        if (!e.prefix) continue;
        KeyBuffer key;
        StyleEntryKey(key, e);
        switch (in.byte() % 5) {
            case 0: doc.editDict(style)->erase(key); break;
            case 1: doc.editDict(style)->set(key, std::string("x")); break;
            case 2: doc.editDict(style)->set(key, in.real()); break;
            case 3: doc.editDict(style)->set(key, static_cast<int32_t>(in.small(-2, 12))); break;
            default: doc.editDict(style)->set(key, (in.byte() & 1) != 0); break;
        }
    }
}

// A text in the group with a text record of fuzzed entries, as the six keys of a record.
void SpoilText(standin::Document& doc, standin::ObjId group, FuzzInput& in) {
    AIArtHandle text = nullptr;
    if (sAITextFrame->NewPointText(kPlaceInsideOnTop, standin::suites::artHandle(group), 0, {50, 80}, &text)) return;
    const standin::ObjId record = doc.newDict();
    for (const TextEntry& e : TextEntries()) {
        const std::string key = std::string("PW4_Attr_") + e.name;
        switch (in.byte() % 4) {
            case 0: break;  // missing
            case 1: doc.editDict(record)->set(key, std::string(in.byte() & 1 ? "12.5" : "")); break;
            case 2: doc.editDict(record)->set(key, static_cast<int32_t>(in.small(-2, 30))); break;
            default: doc.editDict(record)->set(key, in.real()); break;
        }
    }
    doc.editDict(doc.dictionaryOf(standin::fromHandle(text)))->set("PW4_DimText", standin::DictLink{record});
}

// Arrangements no tool makes: measured art into a dimension's group, a dimension into
// another's, a copy sharing a group's id, a layer scale of another type, and a copy of
// measured art with its links.
void Rearrange(standin::Document& doc, const standin::ObjId (&groups)[3], const standin::ObjId (&measured)[2],
               FuzzInput& in) {
    const uint8_t what = in.byte();
    if (what & 1) doc.reorderArt(measured[in.byte() & 1], kPlaceInsideOnTop, groups[in.byte() % 3]);
    if (what & 2) doc.reorderArt(groups[1], kPlaceInsideOnTop, groups[0]);
    if (what & 4) doc.duplicateArt(groups[2], kPlaceAbove, groups[2], nullptr);
    if (what & 8) doc.editDict(doc.dictionaryOf(doc.currentLayer()))->set("ZA3_Scaler", std::string("1"));
    if (what & 16) doc.duplicateArt(measured[in.byte() & 1], kPlaceAbove, measured[0], nullptr);
}

// Values past what a tool stores, from the input's last bytes (so the corpus's earlier
// inputs keep what they were kept for): a click's stored number other than its key gives
// (a drag numbered as a click), measured art on a face of any matrix, a layer scale of any
// scaler, a link emptied of its clicks or whose ids outvote its key.
void SpoilFurther(standin::Document& doc, const standin::ObjId (&measured)[2], FuzzInput& in) {
    const uint8_t what = in.byte();
    const standin::ObjId object = SubDictionary(doc, doc.dictionaryOf(measured[what & 1]), "ZA3_Object");
    const standin::ObjId link = object ? SubDictionary(doc, object, "ZA3_Obj_data_" + std::to_string(in.small(1, 3))) : 0;
    const char* keys[] = {"ZA3_Click_data_1", "ZA3_Click_data_2", "ZA3_Click_data_drag"};
    const standin::ObjId click = link ? SubDictionary(doc, link, keys[in.byte() % 3]) : 0;
    if (click && (what & 2)) doc.editDict(click)->set("ZA3_Obj_clicknum", static_cast<int32_t>(in.small(-2, 10)));
    if (what & 4) {
        depth_object_data face{};
        face.face = in.small(0, 4);
        face.matrix = {in.real(), in.real(), in.real(), in.real(), 0, 0};
        SetAxonometricData(standin::suites::artHandle(measured[in.byte() & 1]), &face);
    }
    if (what & 8) {
        standin::Dict& layer = *doc.editDict(doc.dictionaryOf(doc.currentLayer()));
        layer.set("ZA3_ScaleID", static_cast<int32_t>(in.small(0, 40)));
        layer.set("ZA3_Scaler", in.real());
        layer.set("ZA3_ScaleStr", std::string("1:2"));
    }
    // From the bytes after those: the link holding its own id alone, or its own id and its
    // clicks' naming another dimension than its key (or none).
    const uint8_t more = in.byte();
    if (!link) return;
    std::vector<standin::ObjId> clicks;
    for (const auto& [key, value] : doc.dict(link)->entries)
        if (const auto* c = std::get_if<standin::DictLink>(&value)) clicks.push_back(c->id);
    if (more & 1)
        std::erase_if(doc.editDict(link)->entries, [](const auto& e) { return std::string_view(e.first) != "ZA3_Obj_id"; });
    if (more & 2) {
        const auto id = static_cast<int32_t>(in.small(1, 5));
        doc.editDict(link)->set("ZA3_Obj_id", id);
        for (standin::ObjId c : clicks) doc.editDict(c)->set("ZA3_Obj_id", id);
    }
}

Plotwise3_dimensioned_object_data Click(FuzzInput& in) {
    Plotwise3_dimensioned_object_data c{};
    c.id = in.small(1, 3);
    c.clickNum = in.small(-1, 4);
    c.segNumBefore = in.small(-2, 6);
    c.segNumAfter = in.small(-2, 6);
    c.dimType = in.small(-1, 30);
    c.clickType = in.small(-1, 6);
    c.t = in.real();
    c.x = in.byte() & 1 ? in.real() : static_cast<AIReal>(in.byte());
    c.y = in.byte() & 1 ? in.real() : static_cast<AIReal>(in.byte());
    c.endPointOffsetLength = in.byte() & 1 ? in.real() : 20.0f;
    c.endPointOffsetAngle = in.byte() & 1 ? in.real() : 1.5707964f;
    return c;
}

size_t Dimensions(const standin::Document& doc) {
    size_t n = 0;
    doc.walk([&](const standin::Art& a, int) { n += IsDimension(standin::suites::artHandle(a.id)) ? 1 : 0; });
    return n;
}

// The dimension routines also need the life-cycle suites and the symbols of the text.
struct World : FuzzPluginWorld {
    World() {
        if (AcquireLifeCycleSuites(host.basicSuite()) != kNoErr) std::abort();
        setGlobalDegreeAndDiameterSymbols();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World world;
    FuzzInput in{data, size};
    PlotwiseGlobals& g = world.globals;
    g.prefs.createLiveDimensions = 1;
    g.prefs.style.live = 1;
    g.prefs.style.dimensionTextSize = 10;
    g.prefs.style.arrowheadStyle = 1;
    g.prefs.style.arrowheadLength = 9;
    g.prefs.style.hTextPlacement = 1;
    g.prefs.scaler = 1;
    standin::Document& doc = world.host.newDocument();
    world.host.beginMessage();
    sAILayer->GetCurrentLayer(&g.saveLayer);

    standin::ObjId rect = 0, line = 0;
    doc.addRect(10, 10, 100, 50, &rect);
    doc.addLine({0, 200}, {150, 200}, &line);
    const standin::ObjId measured[2] = {rect, line};
    standin::ObjId groups[3] = {};
    for (int32_t id = 1; id <= 3; ++id) {
        AIArtHandle group = nullptr;
        sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group);
        Plotwise3_Live_Dimension_Data style = g.prefs.style;
        style.id = id;
        style.modifiers = in.byte() & 7;
        SetDimensionData(group, &style);
        groups[id - 1] = standin::fromHandle(group);
        SpoilStyle(doc, groups[id - 1], in);
        if (in.byte() & 1) SpoilText(doc, groups[id - 1], in);
    }
    for (int n = in.byte() % 10; n > 0; --n) {
        const Plotwise3_dimensioned_object_data c = Click(in);
        SetDimensionedObjectData(standin::suites::artHandle(measured[in.byte() & 1]), &c);
    }
    if (in.byte() & 1) doc.editDict(doc.dictionaryOf(line))->set("ZA3_Object", int32_t{7});
    const standin::ObjId links = SubDictionary(doc, doc.dictionaryOf(rect), "ZA3_Object");
    if (links && (in.byte() & 1)) doc.editDict(links)->set("ZA3_Obj_data_" + std::to_string(in.small(0, 3)), int32_t{7});
    if (in.byte() & 1) doc.setUserAttr(groups[in.byte() % 3], kArtSelected, kArtSelected);
    Rearrange(doc, groups, measured, in);

    // What the update must keep: the art that carries click records (in a dimension's group
    // or not), and every dimension. Plain art inside a dimension's group is one of its parts
    // to any reader (no stored drawing marks the parts a tool drew) and goes with it.
    bool linked[2] = {};
    for (int i = 0; i < 2; ++i) linked[i] = IsDimensionedObject(standin::suites::artHandle(measured[i])) != 0;
    const size_t dimensions = Dimensions(doc);
    const PlotwiseProcessArtType which = in.byte() & 1 ? kProcessSelectedArt : kProcessAllArt;
    SpoilFurther(doc, measured, in);
    (void)UpdateAssociativeDimensions(which);
    if (g.updatingDimensions != 0 || g.firstChainDimDataPtr != nullptr) std::abort();
    // A redraw disposes of nothing but a dimension's own parts, and puts a group in the place
    // of each one it disposes of.
    for (int i = 0; i < 2; ++i)
        if (linked[i] && !doc.art(measured[i])) std::abort();
    if (Dimensions(doc) != dimensions) std::abort();
    (void)CleanupAssociativeDimensions();
    doc.setUserAttr(rect, kArtSelected, kArtSelected);
    (void)DoAfterPaste();

    (void)FreeLiveDimensionGroupDataList();
    (void)FreeDimensionedObjectDataList();
    world.host.endMessage();
    world.host.closeDocument(doc);
    world.RequireNoDictionaryLeft();
    return 0;
}
