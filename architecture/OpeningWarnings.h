// Why a door or window does not fit, in words, and the warning the annotator shows beside
// the cursor while one would not fit where it points.
#pragma once

#include <string>
#include <vector>

#include "AITypes.h"
#include "architecture/WallGeometry.h"

// The words for an opening of that kind and width that does not fit in the wall.
std::string FitWords(OpeningFit fit, int32_t kind, double width, const Wall& wall, const WallCorners& corners);
// The annotator's warning: shown at the point, or gone for empty words.
void WarnInsertion(const std::string& words, AIRealPoint at);
// Whether every door and window of the walls fits where it is; when one does not, the
// warning says which and why.
bool OpeningsStillFit(const std::vector<Wall>& walls, AIRealPoint at);
