// The record of a house, kept on its outline art under "PW4_House": how many walls it has
// ("PW4_House_count") and one dictionary per wall ("PW4_Wall_0", ...) holding the wall's
// datum line, thickness, datum and openings ("PW4_Opening_0", ...). The drawing is made
// again from the record whenever the house changes, so a saved house can be worked on after
// it is opened again. A record that cannot be read is named in words and left as it is.
#pragma once

#include <string>
#include <vector>

#include "AITypes.h"
#include "architecture/WallGeometry.h"

constexpr const char kHouseKey[] = "PW4_House";
// A house record that is present but cannot be read.
constexpr AIErr kDamagedHouseErr = 'HOUS';
// At most this many walls in a house, and openings in a wall (a dictionary holds at most
// 16384 entries).
constexpr int32_t kMaxHouseWalls = 16000;
constexpr int32_t kMaxWallOpenings = 1000;

// Whether the art carries a house record.
bool HasHouseRecord(AIArtHandle art);
// The walls of the record on the art. kNoSuchKey when it has none; kDamagedHouseErr with
// `problem` naming what is wrong ("wall 3: its end (PW4_Wall_endV) is not a number").
AIErr ReadHouseRecord(AIArtHandle art, std::vector<Wall>* walls, std::string* problem);
// Writes the record on the art, replacing any it had.
AIErr WriteHouseRecord(AIArtHandle art, const std::vector<Wall>& walls);
