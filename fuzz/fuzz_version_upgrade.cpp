// Feeds the version check on opening arbitrary documents: a format version of any value or
// type (or none), style records whose old and new unit entries hold anything, layer scales of
// old ids, and format-2 scale tags, answered either way. The check must not crash or keep a
// dictionary reference, leave a version no format wrote as it was, and never write a version
// it did not reach.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <optional>
#include <string>

#include "FuzzPlugin.h"
#include "core/PlotwisePlugin.h"
#include "dimensions/DocumentFormatVersion.h"
#include "dimensions/Plotwise2Conversion.h"
#include "suites/Suites.h"

namespace {

// The version entry: none, a whole number near the known ones or anything, or another type.
void PutVersion(standin::Document& doc, FuzzInput& in) {
    standin::Dict* d = doc.editDict(doc.dictionaryOf(0));
    switch (in.byte() % 4) {
        case 0: break;
        case 1: d->set("ZA3_Version", static_cast<int32_t>(in.byte() * 4)); break;
        case 2: d->set("ZA3_Version", static_cast<int32_t>(in.word())); break;
        default: d->set("ZA3_Version", in.real()); break;
    }
}

void UnitGroup(standin::Document& doc, FuzzInput& in) {
    standin::ObjId group = 0;
    if (doc.newArt(kGroupArt, kPlaceAboveAll, 0, &group)) return;
    const standin::ObjId record = doc.newDict();
    for (const char* key : {"ZA3_Attr_upperUnits", "ZA3_Attr_lowerUnits", "PW7_Attr_upperUnits"}) {
        const uint8_t how = in.byte() % 4;
        if (how == 1) doc.editDict(record)->set(key, static_cast<int32_t>(in.byte() % 24) - 2);
        if (how == 2) doc.editDict(record)->set(key, static_cast<int32_t>(in.word()));
        if (how == 3) doc.editDict(record)->set(key, in.real());
    }
    if (in.byte() & 1) doc.editDict(doc.dictionaryOf(group))->set("ZA3_Dimension", standin::DictLink{record});
    else doc.editDict(doc.dictionaryOf(group))->set("ZA3_Dimension", static_cast<int32_t>(in.byte()));
}

// The update after a conversion also needs the life-cycle suites.
struct World : FuzzPluginWorld {
    World() {
        if (AcquireLifeCycleSuites(host.basicSuite()) != kNoErr) std::abort();
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static World world;
    FuzzInput in{data, size};
    standin::Document& doc = world.host.newDocument();
    world.host.beginMessage();
    PutVersion(doc, in);
    for (int n = in.byte() % 4; n > 0; --n) UnitGroup(doc, in);
    const standin::ObjId layer = doc.addLayer("Plan");
    doc.editDict(doc.dictionaryOf(layer))->set("ZA3_ScaleID", static_cast<int32_t>(in.byte() % 45));
    doc.editDict(doc.dictionaryOf(layer))->set("ZA3_Scaler", static_cast<AIReal>(in.byte()));
    doc.editDict(doc.dictionaryOf(layer))->set("ZA3_ScaleStr", std::string("x"));
    if (in.byte() & 1) doc.editArt(layer)->tags.push_back({"ZMK_Layer_Scale", "string", std::to_string(in.word())});
    // The version as it was: none, a whole number, or an entry of another type.
    const standin::DictValue* entry = doc.dict(doc.dictionaryOf(0))->find("ZA3_Version");
    const bool had = entry != nullptr;
    const std::optional<int32_t> was =
        entry && std::holds_alternative<int32_t>(*entry) ? std::optional(std::get<int32_t>(*entry)) : std::nullopt;
    if (!had && CheckForPlotwise2Data()) world.host.dialogs().queueAlertAnswer(in.byte() & 1 ? kADMYesAnswer : kADMNoAnswer);
    (void)CheckPlotwiseDocumentVersion();
    entry = doc.dict(doc.dictionaryOf(0))->find("ZA3_Version");
    const std::optional<int32_t> now =
        entry && std::holds_alternative<int32_t>(*entry) ? std::optional(std::get<int32_t>(*entry)) : std::nullopt;
    // A version no format wrote stays; any other ends as it was, marked shifted, or current.
    if (was && *was < kOldestUpgradedVersion && now != was) std::abort();
    if (now && now != was && *now != kShiftedScaleIdsVersion && *now != kPlotwiseDocumentVersion) std::abort();

    world.host.endMessage();
    world.host.closeDocument(doc);
    world.RequireNoDictionaryLeft();
    return 0;
}
