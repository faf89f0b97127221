// The art of a house: a group holding, on top, the house path (a compound path of the
// outline of every wall together, carrying the record) and, below it, the symbols of its
// doors (leaf and swing) and windows (the faces and the glass across the opening). A new
// house is painted with the paint of new art, its symbols stroked alike and unfilled. A
// house is drawn again whole from its walls whenever it changes, in the place of the old
// drawing; every part keeps the paint it was drawn in, and only a new door or window takes
// the paint of new art.
#pragma once

#include <string>
#include <vector>

#include "AITypes.h"
#include "architecture/House.h"

// A house found on a locked layer: it cannot be changed there.
constexpr AIErr kLockedHouseErr = 'HLCK';

// The house with a wall under the point (within 2 points of it, whatever the paint), from
// the art the host finds near the point, the topmost; houses a press cannot land on (hidden,
// locked by themselves, see PressableArt) are passed over. `found` tells whether there is
// one; on a locked layer it is found with kLockedHouseErr. Failing that, a house near the
// point whose record cannot be read is found with kDamagedHouseErr and `problem` naming the
// fault.
AIErr FindHouseAt(AIRealPoint point, House* house, bool* found, std::string* problem);
// A press on a wall of a house FindHouseAt found on a locked layer: 'CADE' once the user has
// been told which layer (RefuseClickOnLockedLayer).
AIErr RefuseLockedHouse(const House& house);

// The scale the house's lengths are drawn at: that of its layer, read only (the current
// scale for a house not drawn yet).
double HouseScale(const House& house);

// Draws the walls as a house in place of `replacing` (its group, which goes), or, for a new
// house, into a fresh group on top of the drawing layer; `drawn` receives the new art and
// the walls as the record keeps them. With no walls the old house goes and nothing is
// drawn. Without `record` the house path gets no record (a drag's preview, whose release
// writes it). Walls the record could not keep are not drawn: said in words, or for a
// preview shown by the annotator and kept in `wallRefusal` for the release to say.
// The dimensions measuring the replaced house follow it (HouseLinks.h): `removedWall` is the
// wall of `replacing` the new walls leave out (-1: none); the others keep their order, and
// new walls come after them. Those whose measured place is gone are named in words, or for
// a preview listed in `drawn->detached` for the release to name.
AIErr DrawHouse(const std::vector<Wall>& walls, const House* replacing, House* drawn, bool record = true,
                int32_t removedWall = -1);
