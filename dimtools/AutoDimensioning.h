// Automatic dimensioning: every path of the document, or every selected path, dimensioned in
// one command with the clicks a user would have made. A rectangle gets its width and height,
// a circle a radius or diameter and a centre mark, any other path one horizontal, vertical
// or aligned dimension per segment, as the automatic dimensioning options say. The made-up
// clicks are stored on the path like a user's, so the dimensions are redrawn as any other.
#pragma once

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"

// which: kProcessAllArt or kProcessSelectedArt (the paths are listed before anything is
// drawn, then the selection goes). Hidden paths, the art of dimensions and the grid and
// ruler layers are passed over; an open path has no segment from its last anchor to its
// first. Only a dimension that was drawn (and made live) on the canvas stores its clicks and
// takes an id and the next letter or number (one that would reach past the canvas is named); art lying over a made-up click is never measured instead
// of the path. They are dimensions whatever tool is current, a label tool too. The current
// tool, the clicks, the current scale and the current layer are as they were afterwards.
// Returns the first host error that ends the run (dimensions made before it stay), else 0;
// a dimension that cannot be drawn does not end it.
AIErr CreateAutoDimensions(PlotwiseProcessArtType which);

// The menu commands "Auto Dimension Document" and "Auto Dimension Selection".
AIErr AutoDimensionDocument();
AIErr AutoDimensionSelection();
