// The family of the depth tools: the press is the first click; a cube or cylinder is drawn
// in two stages, its second stage following the cursor, and its pieces are tagged for
// reselection once drawn.
#pragma once

#include "core/PlotwiseSubsystem.h"

extern const ToolFamilyRoutines kDepthToolFamily;
