// The depth cylinder: a base ellipse on a face of the current view and the body that pulls
// it out along the axis standing on that face. The base is dragged as the depth ellipse is;
// once the mouse is up the cursor sets the length, and the next click keeps the cylinder.
// A cylinder is a group (record type 5) whose first member is the base (type 6, the face
// data) and whose second is the body (type 7, its flat length in offset.h): the body runs
// along the two side lines that touch the base with the axis' direction, along the half of
// the base between them moved by the length, and back along that half of the base. A
// change of view projects the base again and builds the body anew from the stored length.
#pragma once

#include "AITypes.h"

// One stage of the cylinder: the base while firstMouseNotYetUp is set (fitted to the drag,
// recorded as type 6 unless autoExpandAxoArt is set), else the body for the cursor at
// primitiveTrackLoc, the pieces gathered into the primitive group and tagged for the drag
// timer, and the group recorded (type 5). Host errors do not stop the stage.
void DrawCylinder();
// The body (depthArt2) of the base depthArt on the face primitiveFirstFace for the cursor at
// primitiveTrackLoc, recorded as type 7 with its flat length unless autoExpandAxoArt is set.
void DrawCylinderBody();
// Builds the body inside primitiveGroup for the axis angle: as long as the distance from
// the reference point to where its axis line meets the cursor's line through
// primitiveTrackLoc (level when the axis is vertical, else vertical). A base without both
// tangent points along the axis says so (message 17050), its pieces are disposed and the
// drawing ends; the result is that of reading the base.
AIErr MakeParallelCylinderFromBase(AIArtHandle base, AIReal angle, AIRealPoint* reference, AIArtHandle* body);
// The first point of the path's first four curves whose tangent runs along the angle or
// against it (within a degree, in steps of 0.001 of each curve), or (0, 0).
AIErr GetFirstParallelTangent(AIArtHandle path, AIReal angle, AIRealPoint* point);
// A cylinder group under the current view: the base projected again onto its own face
// (face 8) or onto the face given, and a new body of the stored flat length along the
// axis of that face, given the old body's style and the entries of its dictionary. A body
// that cannot be built (the base seen edge-on) leaves the old body and the base as they
// are, recorded, for a later view to rebuild; nothing is said.
AIErr UpdateAxoCylinder(AIArtHandle group, int32_t face);

// The records of a cylinder drawn from typed values: the group's (type 5, on the base's
// face), the base's own projection record retyped 6, and the body's (type 7, the record of
// its bounds on the body's face, with the flat length). A missing piece gets none.
AIErr RecordCylinder(AIArtHandle group, AIArtHandle base, AIArtHandle body, int32_t baseFace, AIReal flatLength);

// The axis of a cylinder on a base face: the tangent direction that finds the side lines'
// points on the base, the axis angle (for the top face, `down` picks -pi/2 over pi/2), the
// factor that turns a flat length into a length along it, and the face the body's record
// names. False for a code that is not a face.
struct CylinderAxis {
    AIReal reference = 0, angle = 0, factor = 1;
    int32_t bodyFace = 0;
};
bool GetCylinderAxis(int32_t baseFace, bool down, CylinderAxis* axis);
