// Set-up of dimension drawing.
#include "dimensions/DimensionDrawing.h"

#include "geometry/PlotwiseErrors.h"
#include "dimensions/DimensionGlobals.h"

namespace {
constexpr GlobalsView<DimensionGlobals> g;
}  // namespace

AIErr getPlatformCurrentTextSizeAndLeading(AIReal* size, AIReal* leading) {
    if (!g) return kCADErr;
    const AIReal textSize = g->prefs.style.dimensionTextSize;
    if (size != nullptr) *size = textSize;
    if (leading != nullptr) *leading = textSize * 0.2f;
    g->charWidth = textSize * 0.6f;
    return kNoErr;
}
