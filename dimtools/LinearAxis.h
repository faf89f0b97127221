// Dimensions measured along one axis, h or v: what such a dimension needs to know of its
// axis (the coordinate it measures, the way it runs, the edges of a text box it meets, the
// factors of its axonometric offset, its text placements, the face record it is drawn in),
// and the pieces it is drawn from: the clicks in the drawing plane, the line's level
// snapped with shift, the measured value and its text, the text's slide, witness lines,
// pieces of dimension line and the finished live group. The horizontal and vertical linear
// dimensions and the datum chains are drawn from them.
#pragma once

#include <algorithm>
#include <span>

#include "AITypes.h"
#include "axonometric/AxonometricData.h"
#include "core/PlotwiseDimensionData.h"
#include "dimensions/ClickChain.h"
#include "geometry/AxonometricMath.h"
#include "geometry/PointMath.h"

struct DimToolGlobals;

// One text placement of the style (hTextPlacement or vTextPlacement): how the text is
// turned, where it sits across the line, and what that asks of the room, the line and the
// alignment.
struct TextPlacement {
    AIReal angle;                              // textAngle
    AIReal (*across)(AIReal line, bool dual);  // the anchor's level, from the line's
    // Upright text on a vertical line: its size and leading take the room along the line,
    // and it is lowered by half its size less the leading.
    bool setAcross;
    bool wholeLine;  // beside the line, which is drawn whole; else the line is broken around it
    // The alignment of a text outside the witness lines, when its anchor lies left of or
    // below the line's start, and otherwise.
    int16_t alignLow, alignHigh;
};

// The dimensions of one family measured along h or v (the linear ones, the datum chains):
// the kinds they are stored as and their axonometric tools, by which a perpendicular
// dimension on a face chooses the face record it is drawn in.
struct AxisFamily {
    PlotwiseLiveDimType horizontalKind, verticalKind;
    std::span<AIToolHandle DimToolGlobals::* const> horizontalTools, verticalTools;
};

// The depth record a dimension along the axis is drawn in, from the first and last clicks
// and the one it starts at; nullptr hands the dimension to the other axis (never once it was
// handed over).
using DepthRule = const depth_object_data* (*)(const AxisFamily& family, const cdDataStruct& f,
                                               const cdDataStruct& l, const cdDataStruct& s, bool handedOver);

struct LinearAxis {
    PlotwiseLiveDimType kind;     // what axoDimType says while it draws: kHorizontal or kVertical
    AIReal AIRealPoint::*along;   // the coordinate measured: h, or v
    AIReal AIRealPoint::*across;  // the other one: the dimension line's level
    // A dimension line runs from its start to its end: from the left, or from the top down.
    bool descending;
    AIReal offsetAngle;            // the direction of a snapped offset step (AIRealPointLengthAngle)
    AIReal AIRealRect::*nearEdge;  // the edge of a text box that faces the line's start
    AIReal AIRealRect::*farEdge;   // the edge that faces its end
    // With perpendicular axonometric dimensions, clicks on the top face are measured along
    // this axis when they lie level along it (else they are handed to the other axis).
    bool keepsTopFace;
    // The view's axis factor that scales axoDimOffset on the top, the left and any other face.
    AIReal iso_view::*topFactor;
    AIReal iso_view::*leftFactor;
    AIReal iso_view::*otherFactor;
    // The style's text placement along this axis, its rows (row 0 for a value without one)
    // and the depth rule.
    int32_t Plotwise3_Live_Dimension_Data::*placementField;
    std::span<const TextPlacement> placements;
    DepthRule depth;

    AIReal Along(const AIRealPoint& p) const { return p.*along; }
    AIReal Across(const AIRealPoint& p) const { return p.*across; }
    AIRealPoint Point(AIReal atAlong, AIReal atAcross) const {
        AIRealPoint p{};
        p.*along = atAlong;
        p.*across = atAcross;
        return p;
    }
    // Whether `a` comes before `b` on the way from a line's start to its end.
    bool Before(AIReal a, AIReal b) const { return descending ? a > b : a < b; }
    // Of two places, the one nearer the end, or the one nearer the start.
    AIReal Later(AIReal a, AIReal b) const { return descending ? std::min(a, b) : std::max(a, b); }
    AIReal Earlier(AIReal a, AIReal b) const { return descending ? std::max(a, b) : std::min(a, b); }
    // How far `to` lies on from `from` towards the end (negative: back towards the start).
    AIReal Span(AIReal from, AIReal to) const { return descending ? from - to : to - from; }
    // `length` on from `at` towards the end (negative: back towards the start).
    AIReal Step(AIReal at, AIReal length) const { return descending ? at - length : at + length; }
    // The row of the style's placement, or row `fallback` for a value without a row.
    const TextPlacement& Placement(size_t fallback = 0) const;
};

// Horizontal: along h from the left, the line at a level of v. Vertical: along v from the
// top down, the line at a level of h.
extern const LinearAxis kHorizontalAxis, kVerticalAxis;

// The click chain's first and last nodes once two clicks are recorded and the chain holds
// two nodes at least; false (nothing to draw yet) otherwise.
bool TwoClicks(cdDataStruct** first, cdDataStruct** last);

// Clicks on a face that lie level along the axis (their flat coordinates equal within the
// tolerance) cannot be measured along it there: the other axis measures them, except that
// with perpendicular dimensions the top face stays with the axis that keeps it.
bool HandsOver(const LinearAxis& axis, AIReal tolerance, const cdDataStruct& f, const cdDataStruct& l);

// A point in the plane the dimension is drawn in: the document, or the flat plane of the
// face whose record is `d`; with `error`, how far its coordinates may lie from those meant
// (HeldError, or FlatPointError of the face's).
AIErr InPlane(const depth_object_data& d, bool flat, const AIRealPoint& in, AIRealPoint* out,
              PointError* error = nullptr);

// Once the depth record is known: the starting click `s` and the drag point brought into
// the drawing plane (the click into `p1`), the text's slide measured from the drag point
// between the clicks `f` and `l` by GetPointFractionalOffset's `slideMode` unless a
// regeneration redraws (and kept between 0 and 1 when `clamp`), and the document and the
// dimension layer made ready. `e1` takes p1's error (InPlane).
AIErr EnterPlane(const depth_object_data& d, bool flat, const cdDataStruct& f, const cdDataStruct& l,
                 const cdDataStruct& s, int16_t slideMode, bool clamp, AIRealPoint* p1, PointError* e1);

// Whether shift asks for the line's level to snap (the shift bit, unless ignoreShift).
bool Shifted();

// Shift on a line through `p1` and `p2` at endPoint's level: unless that level lies between
// theirs, it snaps to a whole number of the style's offset steps from `reference`, on the
// side of basePoint1 where it was; startingPoint takes the same level.
AIErr SnapLineToOffsetStep(const LinearAxis& axis, const AIRealPoint& p1, const AIRealPoint& p2,
                           const AIRealPoint& reference);

// The text of a measured pair in theText (the value formatted, or the label of `textNode`'s
// record) and its width in strWidth. `error`: the value's float error (LengthError).
AIErr MeasurePairText(cdDataStruct& textNode, double value, double error);

// The distance between two points along the axis in *value, pushed as every linear value is
// (PushedLength), and the pair's text (MeasurePairText) of the distance unpushed, rounded
// with the error of the points' coordinates along the axis (`ea`, `eb`: InPlane's).
AIErr MeasurePair(const LinearAxis& axis, const AIRealPoint& a, const PointError& ea, const AIRealPoint& b,
                  const PointError& eb, cdDataStruct& textNode, AIReal* value);

// The room a value needs between its witness lines, and the length of an outside stub.
struct Room {
    AIReal need, stub;
};
// `across` is what the text takes along the line: its width, or for upright text set
// across a vertical line its size and leading.
Room RoomFor(AIReal across);

// The text's slide along its line: the stored or dragged fraction, or the middle.
AIReal SlideFraction();

// theText (or `text`) drawn at textLoc as textAlignment and textAngle say, with a copy of
// `textNode`'s record numbered `id`.
AIErr DrawPairText(const cdDataStruct& textNode, int32_t id, const char* text = nullptr);

// A witness line at `base`, from the witness gap beside it to the extension past the line
// at level `line`.
AIErr DrawWitnessLine(const LinearAxis& axis, const AIRealPoint& base, AIReal line);

// The terminators of the line from startingPoint to endPoint (inside: between them). A line
// of no length points them the way the axis runs: its ends, together or a rounding apart
// as a redraw relocates the clicks, would point them across the line or either way.
AIErr DrawTerminators(const LinearAxis& axis, int16_t inside);

// A piece of dimension line at level `line`, drawn from `from` to `to` along the axis.
AIErr DrawLineAlong(const LinearAxis& axis, AIReal from, AIReal to, AIReal line);

// axoDimOffset: the line's distance from `base`, scaled by the view's factor for `face`.
void SetAxoDimOffset(const LinearAxis& axis, int32_t face, AIReal line, const AIRealPoint& base);

// The dimension is done: the group made live, and projected onto its face.
AIErr FinishDimension(const depth_object_data& d, bool flat);
