// A depth cylinder's form and records: a group (record type 5) whose first member is the
// base ellipse on a face of the current view (type 6, the face data) and whose second is
// the body (type 7, its flat length in offset.h and the side of the base it stands on),
// pulled out along the axis standing on that face. The body runs along the two side lines
// that touch the base with the axis' direction, along the half of the base between them
// moved by the length, and back along that half of the base. A change of view projects
// the base again and builds the body anew from the stored length and side.
#pragma once

#include "AITypes.h"
#include "axonometric/AxonometricData.h"

// The body (depthArt2) of the base depthArt on the face primitiveFirstFace for the cursor at
// primitiveTrackLoc, recorded as type 7 with its flat length and side unless
// autoExpandAxoArt is set: the side and face's axis on the left and right faces, down or
// up with the cursor on the top face.
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

// How art is projected onto a face of a view (the projection's own routine).
using ProjectRoutine = AIErr (*)(AIArtHandle art, int32_t face, const iso_view* view);
// A cylinder group under the current view: the base projected again by `project` onto its
// own face (face 8) or onto the face given, and a new body of the stored flat length on the
// stored side along the axis of that face, given the old body's style and the entries of
// its dictionary. A
// body that cannot be built (the base seen edge-on) leaves the old body and the base as
// they are, recorded, for a later view to rebuild; nothing is said. A body whose record lost
// its side or length takes them from its drawing, told to the user; when its drawing cannot
// tell them either, the cylinder is left as it was and 'CADE' returned. A group whose own
// record is missing, cannot be read or names another type gets a cylinder group's again,
// told to the user.
AIErr RebuildCylinder(AIArtHandle group, int32_t face, ProjectRoutine project);

// A drum by its members, whatever its own record says (it may be damaged or gone): a group
// whose first two members are a base and a body, each by a record of its own.
bool IsDrum(AIArtHandle art);
// The record a change of view projects or flattens art by: a drum's own record when it is a
// cylinder group's, else the one its members say it has (type 5 on its base's face, nothing
// told: the rebuild stores and names it); any other art's as GetAxonometricData reads it.
AIErr GetProjectionRecord(AIArtHandle art, depth_object_data* data);

// The records of a cylinder drawn from typed values: the group's (type 5, on the base's
// face), the base's own projection record retyped 6, and the body's (type 7, the record of
// its bounds on the body's face, with the flat length and side). A missing piece gets none.
AIErr RecordCylinder(AIArtHandle group, AIArtHandle base, AIArtHandle body, int32_t baseFace, AIReal flatLength,
                     int32_t side);
// The base's own projection record, retyped 6.
AIErr RecordCylinderBase(AIArtHandle base);
// The group's record: type 5 on the base's face.
AIErr RecordCylinderGroup(AIArtHandle group, int32_t face);

// The sides of the base a body stands on (depth_object_data::side): ahead the way a
// positive typed length runs (along a on the left face, b on the right, down on the top),
// behind the other way.
enum : int32_t { kCylinderBehind = -1, kCylinderSideUnknown = 0, kCylinderAhead = 1 };

// The axis of a cylinder on a base face: the tangent direction that finds the side lines'
// points on the base, the axis angle towards the side (an unknown side: ahead, but on the
// top face down only while the view's tilt is above 0), the factor that turns a flat
// length into a length along it, and the face the body's record names. False for a code
// that is not a face.
struct CylinderAxis {
    AIReal reference = 0, angle = 0, factor = 1;
    int32_t bodyFace = 0;
};
bool GetCylinderAxis(int32_t baseFace, int32_t side, CylinderAxis* axis);
