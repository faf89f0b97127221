// The tracker's live read-out: what a tool drags, or what is selected, shown in the Info
// section of the tracker panel at the drawing scale in the tracker's units and precision,
// with the Transform fields prefilled and the actions enabled while something is measured.
// Values are host points (square points for areas, degrees for angles); kMissingValue
// stands for a value that does not apply and shows as an empty field.
#pragma once

#include <cstdint>

#include "AITypes.h"

// The drawing tools forward to these through the core's services under the same names, so
// the routines themselves live in a namespace of their own.
namespace tracker {

// Square points in one acre: 43,560 square feet of 864 × 864 square points.
constexpr double kSquarePointsPerAcre = 32517365760.0;

// Shows a tool's or the selection's measures: position x, y (host coordinates, normally
// the top-left corner), the box w, h the reference point is chosen in, the width and
// height shown, an unused seventh value, the angle, length, perimeter and area. Leaves a
// copy for the annotator (y and h negated). Shown at the scale a measurement holds
// (measuringScaler), else the current scale. Nothing happens without the panel. Always 0.
AIErr updateTrackerWindow(double x, double y, double w, double h, double width, double height, double seventh,
                          double angle, double length, double perimeter, double area);
// Measures the selection (null) and shows it, remembering its size and area for the
// actions; or measures one art object for the labels that describe art (geometry*). The
// first failing host call's error is returned.
AIErr updateTrackerWindowFromSelectedArt(AIArtHandle art);
// The scaler of the layer the selection lies on, as the read-out reads it (dimensions have
// none of their own), read without storing anything; *found false when the selection holds
// nothing measured or mixes layers of different scales. Host errors are returned.
AIErr SelectionScaler(AIReal* scaler, bool* found);
// The captions of the length and perimeter rows: strings 17400 + n of list 17400.
AIErr updateTrackerWindowLabels(int32_t lengthCaption, int32_t perimeterCaption);
// Nothing to measure: the read-out emptied and every action disabled. Always 0.
AIErr resetTrackerWindow();
// The same, when the selection mixes the scales of its layers.
AIErr resetTrackerWindowForMultipleScaledObjects();

// Unites into rect the bounds of the selected art of the sibling chain that starts at art
// (normally a layer's first art): a partly selected path by its selected anchors, fully
// selected axonometric art by its flat bounds when flatten is set. While *found is 0 the
// first bounds replace rect and set it to 1.
AIErr CalculateSelectedBoundsRect(AIArtHandle art, AIRealRect* rect, int16_t* found, int16_t flatten);
// The same over every layer of the front document.
AIErr CalculateSelectedBoundsOfDocument(AIRealRect* rect, int16_t* found, int16_t flatten);

// The rectangle of axonometric art drawn flat: from the projected bounds, the record's
// offset and flat size, on its face, by the sign of the view's tilt; another face gives
// the projected bounds.
AIRealRect FlatRectOfFace(int32_t face, const AIRealRect& projected, AIRealPoint offset, AIRealPoint flatSize,
                          AIReal tilt);

}  // namespace tracker
