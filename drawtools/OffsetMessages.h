// The offset tool's messages. They are the architectural tools' shared texts, kept here,
// beside the tool that shows them, since that folder lies below this one; the annotator's
// "Offset out of range" is the offset preview's own (axonometric/AxonometricAnnotator.h).
#pragma once

constexpr const char kOffsetToolCantDealWithFills[] = "This tool works on the stroke of an object, not the fill.";
constexpr const char kOffsetToolCantDealWithCompounds[] = "Compound paths cannot be offset.";
constexpr const char kOffsetTooLargeErrorStr[] = "The offset is out of range and a new path cannot be calculated.";
