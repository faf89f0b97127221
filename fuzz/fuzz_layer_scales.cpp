// Feeds arbitrary layer scale dictionaries, as a damaged or foreign document may hold them
// (each of the three entries left out, of its own type with any value, or of another type, on
// top-level layers and sublayers, special layers among them), to what reads and writes them:
// a layer's scale with inheritance and default, the scale loaded from art, the document's
// scale, the published answer and the id shift of old formats. None may crash or keep a
// dictionary reference, and every scale read is one the formatter can use.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>

#include "FuzzPlugin.h"
#include "dimensions/DocumentFormatVersion.h"
#include "suites/Suites.h"
#include "units/LayerScales.h"

namespace {

void Spoil(standin::Document& doc, standin::ObjId layer, FuzzInput& in) {
    standin::Dict* d = doc.editDict(doc.dictionaryOf(layer));
    for (const char* key : {kLayerScaleIDKey, kLayerScalerKey, kLayerScaleStrKey}) {
        switch (in.byte() % 5) {
            case 0: break;
            case 1: d->set(key, std::string(in.byte() & 1 ? "1:50" : "")); break;
            case 2: d->set(key, static_cast<int32_t>(in.byte() & 1 ? in.word() : in.byte() % 45)); break;
            case 3: d->set(key, in.byte() & 1 ? in.real() : static_cast<AIReal>(in.byte())); break;
            default: d->set(key, (in.byte() & 1) != 0); break;
        }
    }
}

bool Usable(AIReal scaler) { return std::isfinite(scaler) && scaler > 0; }

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static FuzzPluginWorld world;
    FuzzInput in{data, size};
    PlotwiseGlobals& g = world.globals;
    g.prefs.scale = 33;
    g.prefs.scaler = 1;
    const int32_t style = 1 + (in.byte() & 1);
    standin::Document& doc = world.host.newDocument();
    doc.editDict(doc.dictionaryOf(0))->set("ZA3_ScaleStyle", style);
    world.host.beginMessage();

    standin::ObjId layers[4] = {doc.currentLayer(), doc.addLayer("Plan"), 0, doc.addLayer("Dimension Layer")};
    layers[2] = doc.insertLayer(layers[1], kPlaceInsideOnTop, "Walls");
    g.dimensionLayer = standin::suites::layerHandle(layers[3]);
    standin::ObjId art = 0;
    doc.addRect(0, 0, 10, 10, &art);
    for (standin::ObjId layer : layers)
        if (in.byte() & 1) Spoil(doc, layer, in);

    for (standin::ObjId layer : layers) {
        int32_t id = 0;
        AIReal scaler = 0;
        char label[kScaleLabelSize] = {};
        if (GetZA3LayerScaleAndSetIfNotThere(standin::suites::layerHandle(layer), &id, &scaler, label) == kNoErr &&
            !Usable(scaler))
            std::abort();
    }
    (void)LoadMeasuredArtScale(standin::suites::artHandle(art), in.byte() & 1);  // a press's read or a redraw's
    if (!Usable(g.prefs.scaler)) std::abort();
    (void)SetScaleByLayerPrefsFromArt(standin::suites::artHandle(art));
    int32_t id = 0;
    AIReal scaler = 1;
    char label[kScaleLabelSize] = {};
    (void)GetCurrentDocBasedScale(&id, &scaler, label);
    (void)GetPublishedLayerScale(standin::suites::layerHandle(layers[in.byte() % 4]), &scaler, label);
    (void)ConvertZA3AndPW4LayerScalesToPW5();
    if (!Usable(g.prefs.scaler)) std::abort();

    world.host.endMessage();
    world.host.closeDocument(doc);
    world.RequireNoDictionaryLeft();
    return 0;
}
