// Small selection services around the tools and panels: whether art was made by the
// axonometric tools, whether anything is selected, selecting the whole text of a text
// frame for typing, and selecting every member of a group.
#pragma once

#include <cstddef>

#include "AITypes.h"

// Depth tags are told apart by their first 13 characters, "ZMK_Depth_Tag".
constexpr char kDepthTagStem[] = "ZMK_Depth_Tag";
constexpr size_t kDepthTagCompared = sizeof(kDepthTagStem) - 1;

// 1 when one of the art's tags begins with "ZMK_Depth_Tag" (13 characters), else 0; 0 also
// when the tags cannot be read.
int IsPerspectiveArt(AIArtHandle art);
// 1 when at least one art object of the front document is selected.
int SomeArtIsSelected();
// Gives the text frame's story the focus and adds its whole text to the text selection;
// other art is left alone (0). The result is that of taking the frame's text range.
AIErr SelectText(AIArtHandle art);
// Selects every leaf under art and its following siblings, up to and including `last`;
// groups and compound paths are entered, never marked themselves. The first host error
// stops the walk.
AIErr CompletelySelectGroup(AIArtHandle art, AIArtHandle last);
