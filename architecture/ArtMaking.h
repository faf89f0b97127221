// Making the plain art the architectural and object tools draw: paths, the unfilled paint of
// their lines, and texts in the host's default face.
#pragma once

#include <string>
#include <vector>

#include "AITypes.h"

// The paint of new art, its fill left off (lines, symbols, frames).
AIPathStyle UnfilledPaint();
// A path of the anchors placed in `into` by the paint order, painted with `paint` (null: the
// paint of new art).
AIErr NewPath(AIArtHandle into, int16_t order, const std::vector<AIPathSegment>& anchors, bool closed,
              const AIPathStyle* paint, AIArtHandle* path = nullptr);

// A point text on top of the group in the host's default face: its baseline starting at
// `at` (centred on it when `centred`), of the size given, made smaller until it is no wider
// than `fitWidth`.
AIErr PlaceText(AIArtHandle group, const std::string& text, AIRealPoint at, AIReal size, bool centred, AIReal fitWidth);
