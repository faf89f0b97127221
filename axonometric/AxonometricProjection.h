// Projection of flat art onto the left, right and top faces of an axonometric view and
// back: projecting art and recording how, re-applying a stored record, the transforming
// walk, flattening, single points both ways, and the flat rectangle of a face's four
// projected corners. Every routine returns the first host error it met; art is left as
// far as the routine got.
#pragma once

#include "AITypes.h"
#include "axonometric/AxonometricData.h"
#include "geometry/PointMath.h"

// Projects the art onto the face (0x80, 0x100 or 0x200) of the view and records it with a
// new id (no record while autoExpandAxoArt is set); a document without a view of its own
// keeps this one (KeepDocumentIsoView). Axonometric art is flattened first,
// unless drawingCADradius is set; a cylinder group is rebuilt on the face
// (UpdateAxoCylinder) and cylinder members of type 7 are left alone. A code that is
// not a face, or a view that is not usable (RefuseIsoView), gives 'CADE' with the art untouched.
AIErr ProjectAxonometric(AIArtHandle art, int32_t face, const iso_view* view);
// A cylinder group under the current view: the base projected again onto its own face
// (face 8) or onto the face given, and a new body of the stored flat length along the
// axis of that face, given the old body's style and the entries of its dictionary. A body
// that cannot be built (the base seen edge-on) leaves the old body and the base as they
// are, recorded, for a later view to rebuild; nothing is said. A body whose record lost its
// side or length takes them from its drawing, told to the user; when its drawing cannot
// tell them either, the cylinder is left as it was and 'CADE' returned.
AIErr UpdateAxoCylinder(AIArtHandle group, int32_t face);
// Applies the record's matrix to the art by the transforming walk and stores the record
// on it unchanged (same id).
AIErr ProjectAxonometricFromData(AIArtHandle art, const depth_object_data* data);
// Transforms the art and its following siblings, up to and including axoGroup: groups by
// their children; text frames only moved by their anchor's displacement while the style's
// universal text angle is on; everything else, compound paths whole, by m.
AIErr ApplyAxonometricTransformation(AIArtHandle art, const AIRealMatrix* m);
// Flattens the art the record describes (a cylinder group through its base member, its
// body disposed) so that its pivot corner lands where the record's offset puts it, and
// removes the record. A matrix that cannot be turned back (WellConditioned false), or flat
// art that would lie past the host's largest canvas, gives 'NMAT' with the art untouched.
AIErr invertAxonometricArt(AIArtHandle art, depth_object_data* data);
// The flat bounds invertAxonometricArt would give the art the record describes (a cylinder
// group's through its base member), measured without touching the art or its stored record.
// `data` becomes the record (the base member's for a cylinder) whose matrix takes those flat
// bounds to the art as it lies now, also after the art was moved. 'NMAT' for a matrix that
// cannot be turned back or flat bounds past the canvas, 'CADE' for a record without a face.
AIErr MeasureFlatAxonometricArt(AIArtHandle art, depth_object_data* data, AIRealRect* flat);
// Flattens every axonometric art of a walk: the art and its following siblings (only the
// art itself when it is axoGroup), nested records included.
AIErr ApplyAxonometricInvert(AIArtHandle art);
// Projected point to flat point by the inverse of the record's matrix (out untouched when
// the matrix cannot be inverted), and flat point to projected point. Both return 0.
AIErr invertAxonometricPoint(const depth_object_data* data, const AIRealPoint* in, AIRealPoint* out);
AIErr projectAxonometricPoint(const depth_object_data* data, const AIRealPoint* in, AIRealPoint* out);
// How far invertAxonometricPoint's flat point may lie from the flat point meant, `in` having
// been projected from it: the projection's rounding carried back through the inverse, and
// the inverse's own; a length measured between flat points is rounded for showing with it.
// A point the matrix cannot take back stays as held.
PointError FlatPointError(const depth_object_data* data, const AIRealPoint& in);
// Rebuilds the four projected corners of a face as the flat rectangle p1 top-left, p2
// top-right, p3 bottom-left, p4 bottom-right, and returns 'CANT' unless it lies strictly
// inside the document's largest artboard area (also for a code that is not a face).
AIErr InvertIsometricBoundingCorners(const iso_view* view, int32_t face, AIRealPoint* p1, AIRealPoint* p2,
                                     AIRealPoint* p3, AIRealPoint* p4);
