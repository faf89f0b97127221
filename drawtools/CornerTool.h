// The fillet and chamfer tools: two clicks near a corner where two paths (or two segments
// of one path) cross; at the second release the crossing is found, the radius or the two
// distances are asked for ("CADFillet", "CADChamfer"; option uses the stored values), both
// paths are cut back from the crossing keeping the side each click lies on, and the kept
// pieces are joined by a circular arc tangent to both (fillet) or a straight bevel
// (chamfer). Two paths become one open path carrying both dictionaries (a closed one opened
// at its tangent point, keeping its whole outline); a corner of one path is replaced in
// place, an arc ending on an earlier arc's anchor keeping that arc's handle; a
// self-crossing path loses its loop (clicks on the tails) or keeps only the loop, closed
// (clicks on the loop). Nothing changes until every check has passed: a failure shows its
// message and leaves the document as it was.
#pragma once

#include "AITypes.h"

constexpr int kChamferMode = 1;
constexpr int kFilletMode = 2;

// Messages (17000 + n) the tools show.
enum : int32_t {
    kNoCrossingPathsMessage = 60,  // click two crossing, non-parallel paths
    kNoCornerMessage = 47,         // no fillet or chamfer with the values entered
};

AIErr doCADCornerTool(int mode);

// The dialogs asking for the radius and the two distances; they only store the values.
AIErr doFilletDialog();
AIErr doChamferDialog();
