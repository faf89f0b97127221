// The text a callout shows: a description of the art it points at (its character and
// paragraph settings, stroke, fill, overprint attributes and style) by the flags the
// Callouts dialog left in the preferences, and the short text of one colour.
#pragma once

#include <cstddef>

#include "AITypes.h"

// The text format of a dimension that shows its callout text.
constexpr int32_t kCalloutDimensionFormat = 4;

// Describes the art under firstClick (only firstClickArt and what it holds when that is
// set) into calloutText, and copies it into the first chain node's calloutStr and dimStr.
// Sections in order, each asked for by its flags and written only for art it applies to,
// every heading but the first after a carriage return: " Text -" and "Paragraph -" (a text
// frame; an item only where the value is the same over the whole text, kerning always),
// "Stroke -" (a painted path; a stroked text adds its own stroke items without heading),
// "Fill color -", "Attributes -" (a painted path's overprints) and "Style -" (art carrying a
// named style). Every append is bounded: what does not fit the 1024 characters is cut.
// Nothing under the click: the art-must-be-clicked alert, 'AWNH' and calloutText as it was.
// A failing host call ends it with that error, the text written so far kept and the chain
// node not written.
AIErr GetCalloutTargetData();

// The colour text of color into colorStr (emptied first, at most size - 1 characters): grey
// as "50k" ("white" at none), process inks as "100%c 50%m " (the "%c " marks are text),
// RGB as "100%r 20%g " ("black - rgb" at none), a custom colour as its name, its tint as a
// percentage (left out with isBulletStr) and its definition in brackets, a gradient as
// "linear " or "radial " and its stops joined by " to" and a carriage return; patterns and
// no paint give nothing. The first error of a gradient or custom colour query is returned.
AIErr GetColorStrFromAIColor(const AIColor& color, char* colorStr, size_t size, int isBulletStr);
