// The axonometric record of art and the document's view record: `depth_object_data`,
// stored in an art's dictionary under "ZA3_Axonometric" (19 entries, and on a cylinder's
// body that knows it the side it runs to), and `iso_view`, stored in the document
// dictionary under "ZA3_AxoView" (8 reals). This is the one place that reads and writes
// them field by field. Also the record a flat rectangle would get, and the bounds every
// record measures art by.
#pragma once

#include <cstdint>

#include "AITypes.h"
#include "geometry/AxonometricMath.h"

// Record types.
enum : int32_t {
    kAxoTypeNotSet = -1,
    kAxoFaceArt = 4,         // art projected onto one face
    kAxoCylinderGroup = 5,
    kAxoCylinderBase = 6,    // the member that holds the face data of a cylinder
    kAxoCylinderBody = 7,    // the member disposed when a cylinder is flattened
};

// How a piece of art was projected from flat art.
struct depth_object_data {
    int32_t id = 0;
    int32_t type = kAxoTypeNotSet;
    int32_t face = kAxoNoFace;
    AIRealMatrix matrix{1, 0, 0, 1, 0, 0};  // flat to projected
    AIRealPoint offset{};    // the pivot minus the projected art's top-left corner
    AIRealPoint flatSize{};  // width and height of the flat art
    AIRealPoint axoSize{};   // width and height of the projected art's bounds
    AIReal area = 0;
    AIReal perimeter = 0;
    int32_t state = 0;
    int noForeshortening = 1;
    // A cylinder body's side of its base, its length (offset.h) being absolute: 1 the way a
    // positive typed length runs, -1 the other way, 0 not known (bodies stored before it
    // was kept). Stored only while known.
    int32_t side = 0;
    // The stored side could not be read as one (0, not a number, another type): side is 0,
    // and the entry is kept as it is when the record is written back unchanged.
    bool sideUnreadable = false;
};

// id 0, type -1, face 8, sizes and offset (0, 0), area and perimeter 0, state 0, the
// identity matrix, noForeshortening 1.
void InitializeAxonometricData(depth_object_data* data);

// Writes the record onto the art itself, reusing its "ZA3_Axonometric" dictionary (other
// entries there are kept). An art without a dictionary gets nothing and 0.
AIErr SetAxonometricData(AIArtHandle art, const depth_object_data* data);
// Reads the record of the art or of its nearest ancestor below the layer group that holds
// one. With no holder: 0 and the record as the caller had it. The first entry that cannot
// be read ends the reading and its error is returned; a missing foreshortening flag reads
// as the preference's, a side that is missing as 0, a stored one (integer or real) by its
// sign, and one that cannot be read as 0 with sideUnreadable set.
AIErr GetAxonometricData(AIArtHandle art, depth_object_data* data);
// A length a record can hold (an offset, a body's length): finite, and not past the host's
// largest canvas either way.
bool IsRecordLength(AIReal length);
// A face matrix a record can hold: one that turns projected art back to flat art without
// blowing it up (WellConditioned), its offset on the canvas.
bool IsRecordFace(const AIRealMatrix& matrix);
// Removes the record from the art itself (never from an ancestor); null art gives 0.
AIErr DeleteAxonometricData(AIArtHandle art);
// Non-zero when the art or an ancestor below the layer group holds a record.
int IsAxonometricArt(AIArtHandle art);
// Whether the art itself holds a record (whatever an ancestor holds); no dictionary is made.
bool HoldsAxonometricRecord(AIArtHandle art);

// The front document's own view (found 1), or the preferences' view (found 0): also when
// the stored one cannot project art (IsoViewIsUsable) or cannot be read (not a dictionary,
// an entry missing, of another type or not a number), which the user is told. With no
// document open, 0 with the view untouched.
AIErr GetDocumentIsoViewData(iso_view* view, int* found);
// Stores the view in the front document (in place of a stored view that is no dictionary,
// which the user is told); with no document open, nothing and 0. A view that cannot
// project art is refused (RefuseIsoView).
AIErr SetDocumentIsoViewData(const iso_view* view);
// Stores the view in the front document unless the document holds one already: the view
// the document's first projected art was made with is the document's.
AIErr KeepDocumentIsoView(const iso_view* view);
// Tells the user a view cannot project and flatten art (its receding axes coincide, or a
// factor is zero or not finite); 'CADE'.
AIErr RefuseIsoView(const iso_view& view);

// The record a flat rectangle would get on the face under the preferences' view, with a
// new id; no art is touched. A code that is not a face gives 'CADE' and no record.
AIErr CalculateAxonometricData(const AIRealRect* rect, int32_t face, depth_object_data* data);
// The bounds the projection measures art by: the host's visible bounds under the identity.
AIErr GetAxonometricArtBounds(AIArtHandle art, AIRealRect* bounds);
