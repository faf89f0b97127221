// The distance tool: measures the straight distance between two points without leaving any
// art behind, shown while dragging in the tracker and on release in a message, in the
// tracker's units at the current scale.
#pragma once

#include "AITypes.h"
#include "core/PlotwiseSubsystem.h"

// A drag: the preview line from the press to the cursor, each end moved onto an anchor
// under it, the cursor's direction snapped to 45 degrees under shift (its length kept); the
// tracker shows where it ends, its width, height, angle and length, and the distance is
// kept in MeasuredLinearDistance. The first error of the layer, a hit test, the tracker or
// the line is returned.
AIErr doMeasureDistanceTool();
// The message of the last distance: the distance word, the distance in the tracker's units
// and precision at the current scale, the scale word and the scale's label. Returns 0.
AIErr doMeasureDistanceDialog();

// The tool's gestures: the press is the first click and nothing else; the release after a
// drag takes the preview line back and shows the message, one without a drag is refused.
extern const ToolFamilyRoutines kMeasureDistanceFamily;
extern const ToolRoutines kMeasureDistanceRoutines;
