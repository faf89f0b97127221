// The plane geometry of drawing straight onto a face of an axonometric view: which way a
// drag runs across the face, the parallelogram the pressed point and the cursor span on it
// (built from crossings of lines along the face's two edge directions), that parallelogram
// rebuilt from the pressed point with other flat sides (a square, whole grid steps), and the
// place a flat shape of typed size must start so that its projection sits on a click.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "geometry/AxonometricMath.h"

// Where the cursor E lies from the pressed point F on the face.
enum DragDirection : int16_t {
    kDraggingLeft = -1,      // top face: F the right vertex, E towards the left one
    kNoDragDirection = 0,    // E level with F or straight above or below it: no parallelogram
    kDraggingRight = 1,      // top face: F the left vertex
    kDraggingUpRight = 2,    // side faces: F the lower-left corner, E the upper-right
    kDraggingUpLeft = 3,     // F the lower-right corner
    kDraggingDownLeft = 4,   // F the upper-right corner
    kDraggingDownRight = 5,  // F the upper-left corner
    kDraggingUp = 6,         // top face: F the lowest vertex
    kDraggingDown = 7,       // top face: F the highest vertex
};

// The two edge directions of a face (radians) and the axis factors that turn an edge's
// length along each into flat measure: the left face along b - pi and the vertical (bf,
// cf), the right face along a and the vertical (af, cf), the top face along b - pi and a
// (bf, af).
struct FaceEdges {
    AIReal first = 0, second = 0;
    AIReal firstScale = 1, secondScale = 1;
};
// False for a code that is not a face.
bool GetFaceEdges(const iso_view& view, int32_t face, FaceEdges* edges);

// How the drag from F to E runs on the face; kNoDragDirection for a code that is not a
// face too.
DragDirection ClassifyFaceDrag(const iso_view& view, int32_t face, AIRealPoint f, AIRealPoint e);

// The parallelogram C0 to C3 of a drag: on the side faces C0 lower-right, C1 lower-left,
// C2 upper-right, C3 upper-left; on the top face, tilted up (t >= 0), C0 the lowest vertex,
// C1 the left, C2 the right and C3 the highest, tilted down C0 the right, C1 the lowest, C2
// the highest and C3 the left vertex. C3-C2 and C1-C0 run along the first edge direction,
// C3-C1 and C2-C0 along the second. `pressed` is the slot F took.
struct FaceParallelogram {
    AIRealPoint c[4]{};
    int pressed = 0;
    AIRealPoint cursor{};  // the corner opposite F

    // Flat width and height: the lengths of C3-C2 and C3-C1 divided by the edges' factors.
    AIReal FlatWidth(const FaceEdges& edges) const;
    AIReal FlatHeight(const FaceEdges& edges) const;
};

// The parallelogram F and E span on the face, its two other corners the crossings of lines
// through F and E along the face's edge directions. False (out untouched) when there is no
// direction or a pair of construction lines is parallel (a face seen edge-on).
bool BuildFaceParallelogram(const iso_view& view, int32_t face, DragDirection direction, AIRealPoint f,
                            AIRealPoint e, FaceParallelogram* out);

// The parallelogram rebuilt from F with the flat sides given: F stays, its neighbour along
// each edge moves to that side times the edge's factor from F, on the side of F it lay on,
// and the fourth corner, completing it, becomes the cursor corner. False (untouched) when
// a side F starts has no length, so that its direction is unknown.
bool ResizeFromPressedCorner(FaceParallelogram* p, AIReal flatWidth, AIReal flatHeight, const FaceEdges& edges);

// Which corner of the parallelogram stays put when flat art is projected onto the face,
// and which corner of the flat art's bounds is moved onto it: tilted up (t >= 0) left C2
// with the top right, right C3 with the top left, top C0 with the bottom right; tilted down
// left C0 with the bottom right, right C1 with the bottom left, top C2 with the top right.
struct FaceAnchor {
    int slot = 0;
    bool right = false, top = false;  // the bounds corner
};
bool GetFaceAnchor(const iso_view& view, int32_t face, FaceAnchor* anchor);

// Where a flat rectangle of the given size with its top-left corner at *point must start
// so that its projection onto the face lands on the click at *point: for a plain shape the
// corner the projection holds fixed (left face top-right or, at a tilt of 0 or less,
// bottom-right; right face top-left or bottom-left; top face bottom-right or top-right) is
// moved onto the click; a centred shape's projected bounds are centred on the click. A
// code that is not a face leaves the point on the click. `point` is read and written.
void AdjustPointToAnchorPoint(const iso_view& view, AIRealPoint* point, const AIRealRect& rect, int32_t face,
                              bool centred);
