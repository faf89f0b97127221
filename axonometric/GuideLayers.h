// The grids and rulers drawn as art on their own layers: the grid over the page on
// "ROVidazu Layer" (below every other layer) in the grid colour and line type, and the
// rulers along the page's top and left edges on "DERurure Layer" (above every other
// layer), ticked every grid increment of the ruler scale (the current layer's, which the
// ruler layer records) and labelled in the ruler units, precision and font. Both layers are
// locked, not printed and always at 1:1; the document walks leave them out. Redrawing keeps the selection (tagged, restored by theTimer).
#pragma once

#include "AITypes.h"
#include "core/PlotwiseArtTree.h"

#define kGridsLayerTitle "ROVidazu Layer"
#define kRulerLayerTitle "DERurure Layer"

// Looks both layers up again in the front document (gridsLayer, rulerLayer; null when
// absent or with no document).
AIErr FindGuideLayers();
// The grids or the ruler layer, which every document walk leaves out.
bool IsGuideLayer(AILayerHandle layer);
// ForEachLayer over the ordinary layers: the grids and rulers left out.
template <typename Visit>
AIErr ForEachOrdinaryLayer(Visit&& visit) {
    return ForEachLayer([&](AILayerHandle layer) { return IsGuideLayer(layer) ? kNoErr : visit(layer); });
}

// True when the grids layer exists and the grid is shown (prefs.CADgridVisible, which the
// guides panel's box mirrors); otherwise the grids are disposed of and it is false.
int AreGridsOn();
// True when the ruler layer exists and the rulers are shown (DERurureLayerVisible and
// DERurureLayerExists); otherwise the rulers are disposed of and it is false.
int AreRulersOn();
// Delete the layer with all its art; nothing without the layer.
AIErr disposeAxonometricGrids();
AIErr disposeDERurure();

// Draws the grids (grids non-zero) and the rulers (rulers non-zero) again as the
// preferences show them, the grid spacing worked out for the ruler unit and zoom first;
// the selection is tagged and theTimer restores it. Without a document: nothing and 0.
AIErr drawGridsAndRulers(int grids, int rulers);
// Another current layer (or drawing) than the rulers last followed: when they are shown and
// their labels are not at the scale that layer reads, they are drawn again at it. Nothing
// else is written. The follow of the front drawing.
AIErr RulersFollowCurrentLayer();
// When the rulers are shown and redraw is non-zero: tags the selection (unless a tagged
// selection is pending), deselects all art, starts theTimer when startTimer is non-zero,
// takes the ruler scale from the current layer and draws the rulers again.
AIErr drawRulersOnly(int redraw, int startTimer);
