// Why a door or window does not fit, in words, and the warning the annotator shows beside
// the cursor while one would not fit where it points.
#pragma once

#include <string>
#include <vector>

#include "AITypes.h"
#include "architecture/WallGeometry.h"

// The words for an opening of that kind and drawn width that does not fit in the wall; its
// lengths named at the scale of the wall's layer, `scaler`.
std::string FitWords(OpeningFit fit, int32_t kind, double width, const Wall& wall, const WallCorners& corners,
                     double scaler);
// The annotator's warning: shown at the point, or gone for empty words.
void WarnInsertion(const std::string& words, AIRealPoint at);
// Whether every door and window of the walls fits where it is; when one does not, the
// warning says which and why, at the scale of the walls' layer.
bool OpeningsStillFit(const std::vector<Wall>& walls, AIRealPoint at, double scaler);
