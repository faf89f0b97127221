// The record of a house, kept on its outline art under "PW4_House": how many walls it has
// ("PW4_House_count") and one dictionary per wall ("PW4_Wall_0", ...) holding the wall's
// datum line, thickness, datum and openings ("PW4_Opening_0", ...). The drawing is made
// again from the record whenever the house changes, so a saved house can be worked on after
// it is opened again. A record that cannot be read is named in words and left as it is.
#pragma once

#include <string>
#include <variant>
#include <vector>

#include "AITypes.h"
#include "architecture/WallGeometry.h"

constexpr const char kHouseKey[] = "PW4_House";
// A house record that is present but cannot be read.
constexpr AIErr kDamagedHouseErr = 'HOUS';
// Walls the record could not keep as they are: stored, a value would read as one its reader
// refuses.
constexpr AIErr kUnstorableHouseErr = 'HOUK';
// At most this many walls in a house, and openings in a wall (a dictionary holds at most
// 16384 entries).
constexpr int32_t kMaxHouseWalls = 16000;
constexpr int32_t kMaxWallOpenings = 1000;

// One entry of a stored dictionary as a plain value (the host's five entry types), so that
// what a record holds beyond what this version knows outlives the art it was read from.
struct StoredEntry {
    std::string key;
    std::variant<int32_t, AIReal, bool, std::string, std::vector<StoredEntry>> value;
};

// Whether the art carries a house record.
bool HasHouseRecord(AIArtHandle art);
// The walls of the record on the art. kNoSuchKey when it has none; kDamagedHouseErr with
// `problem` naming what is wrong ("wall 3: its end (PW4_Wall_endV) is not a number"). The
// entries it does not know go with their wall or opening, and those of the house itself
// into `unknown`.
AIErr ReadHouseRecord(AIArtHandle art, std::vector<Wall>* walls, std::string* problem,
                      UnknownEntries* unknown = nullptr);
// The walls as the record keeps them: every real as its entry holds it.
std::vector<Wall> AsStored(const std::vector<Wall>& walls);
// Why the reader would refuse the walls once stored, in its words ("wall 0: opening 1: its
// width (PW4_Opening_width) must be more than 0"); empty when it would take them.
std::string HouseRecordProblem(const std::vector<Wall>& walls);
// Writes the record on the art, replacing any it had, with the entries it does not know of
// the house (`unknown`), of each wall and of each opening as they were read. One that the
// record now needs the key of (a wall past the count it was read with) is replaced, and
// named to the user. Walls the reader would refuse are not written (kUnstorableHouseErr)
// and the art keeps the record it had.
AIErr WriteHouseRecord(AIArtHandle art, const std::vector<Wall>& walls, const UnknownEntries& unknown = {});
