// The layer titled "Dimension Layer" that new dimensions go on when the preference asks
// for it: found again by its title, or created, when the first dimension is drawn, above the
// top-level layer that holds the current layer, without changing the user's current layer.
// Beside it, the copy of a whole art dictionary onto other art.
#pragma once

#include "AITypes.h"

#define kDimensionLayerTitle "Dimension Layer"

// Looks "Dimension Layer" up by title into `dimensionLayer` (null when the document has
// none, has no document in front, or dimensions do not go on a layer of their own).
AIErr FindDimensionLayer();
// Selecting a dimension tool: the dimension layer looked up, and the first art of the layer
// new dimensions go on in `firstArt`. The layer is made only once a dimension is drawn
// (PrepDimensionLayer), so a tool picked up, or a press refused, leaves the drawing and its
// undo as they were.
AIErr FindDimensionLayerForTool();
// Finds or creates the dimension layer and leaves its first art in `firstArt`. A created
// layer is visible, previewed, editable, printed, does not dim placed images and is red;
// the current layer is made current again.
AIErr CreateDimensionLayer();
// Copies every entry of the source art's dictionary, except keys beginning with "-", onto
// the destination art where it holds no entry of that key yet.
AIErr CopyArtDictionaryToArt(AIArtHandle source, AIArtHandle destination);
