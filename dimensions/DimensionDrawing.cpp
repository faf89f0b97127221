// Set-up of dimension drawing: zoom check, font lookup, preset colours and text metrics.
#include "dimensions/DimensionDrawing.h"

#include <cstring>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionLayer.h"
#include "artwork/DrawingLayer.h"
#include "geometry/PlotwiseErrors.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr int16_t kFontNameSize = 256;

constexpr ADMRGBColor kPresetColors[] = {
    {0x0000, 0x0000, 0x0000},  // black
    {0x5555, 0x5555, 0x5555},  // dark grey
    {0xAAAA, 0xAAAA, 0xAAAA},  // light grey
    {0xFFFF, 0xFFFF, 0xFFFF},  // white
    {0xFFFF, 0x0000, 0x0000},  // red
    {0xFFFF, 0x7FFF, 0x7FFF},  // light red
    {0x0000, 0xFFFF, 0x0000},  // green
    {0x7FFF, 0xFFFF, 0x7FFF},  // light green
    {0x0000, 0x0000, 0xFFFF},  // blue
    {0x4F5C, 0x7FFF, 0xFFFF},  // light blue
};

}  // namespace

AIErr CheckDocumentZoom() { return kNoErr; }

namespace {

// The layer the new group goes on: the dimension layer when wanted, present and reachable.
AIErr dimensionLayerToDrawOn(AILayerHandle* layer) {
    *layer = g->saveLayer;
    if (g->prefs.createDimensionLayer == 0 || g->updatingDimensions != 0 || g->resizingDimension != 0) return kNoErr;
    // The first dimension drawn makes the layer, inside the gesture that draws it.
    if (AIErr err = CreateDimensionLayer()) return err;
    // Switched from the user's layer: the end of the gesture puts it back.
    if (g->dimensionLayer == nullptr || SwitchToLayerForWork(g->dimensionLayer) == 0) return kNoErr;
    *layer = g->dimensionLayer;
    return kNoErr;
}

}  // namespace

AIErr PrepDimensionLayer() {
    if (!g || !sAIArt) return kCADErr;
    AILayerHandle layer = nullptr;
    if (AIErr err = dimensionLayerToDrawOn(&layer)) return err;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &g->firstArt)) return err;
    if (AIErr err = sAIArt->GetArtType(g->firstArt, &g->firstArtType)) return err;
    const bool ownLayer = layer == g->dimensionLayer;
    if (AIErr err = ownLayer ? RefuseClosedDimensionLayer(layer) : RefuseClosedLayer(layer)) return err;
    AIArtHandle made = nullptr;
    const bool inside = g->firstArtType == kGroupArt;
    if (AIErr err = sAIArt->NewArt(kGroupArt, inside ? kPlaceInsideOnTop : kPlaceAbove, g->firstArt, &made)) return err;
    g->group = made;
    return kNoErr;
}

AIErr GetFontKeyFromDimensionTextFaceStr(const char* faceStr, AIFontKey* fontKey) {
    if (fontKey == nullptr) return kBadParameterErr;
    if (!sAIFont) return kCADErr;
    int32_t count = 0;
    AIErr err = sAIFont->CountFonts(&count);
    for (int32_t i = 0; err == kNoErr && faceStr != nullptr && i < count; ++i) {
        AIFontKey font = nullptr;
        if ((err = sAIFont->IndexFontList(i, &font))) break;
        char name[kFontNameSize] = {};
        if ((err = sAIFont->GetUserFontUIName(font, name, kFontNameSize))) break;
        if (std::strcmp(name, faceStr) == 0) {
            *fontKey = font;
            return kNoErr;
        }
    }
    AIFontKey font = nullptr;
    err = sAIFont->GetDefaultFont(kRomanAIScript, &font);
    if (err == kNoErr) *fontKey = font;
    return err;
}

void SetCADcolor(ADMRGBColor* color, int index) {
    if (color == nullptr) return;
    constexpr int count = static_cast<int>(sizeof kPresetColors / sizeof kPresetColors[0]);
    *color = index >= 0 && index < count ? kPresetColors[index] : kPresetColors[0];
}

AIErr getPlatformCurrentTextSizeAndLeading(AIReal* size, AIReal* leading) {
    if (!g) return kCADErr;
    const AIReal textSize = g->prefs.style.dimensionTextSize;
    if (size != nullptr) *size = textSize;
    if (leading != nullptr) *leading = textSize * 0.2f;
    g->charWidth = textSize * 0.6f;
    return kNoErr;
}

AIErr GetUnstrokedArtBounds(AIArtHandle art, AIRealRect* bounds) {
    const AIRealMatrix identity{1, 0, 0, 1, 0, 0};
    return sAIArt->GetArtTransformBounds(art, &identity, kNoStrokeBounds, bounds);
}
