// The family of the depth tools: the press is the first click; a cube or cylinder is drawn
// in two stages, its second stage following the cursor, and its pieces are tagged for
// reselection once drawn. A layer locked or hidden between the stages is named at the next
// move or click, which is refused, and the shape stays as it stood.
#pragma once

#include "core/PlotwiseSubsystem.h"

extern const ToolFamilyRoutines kDepthToolFamily;
