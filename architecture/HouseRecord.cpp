// The house record: one table of stored fields per wall and per opening, read with every
// value checked and written whole.
#include "architecture/HouseRecord.h"

#include <cmath>
#include <span>

#include "core/PlotwiseSuites.h"
#include "dimensions/DictionaryAccess.h"

namespace {

constexpr const char kCountKey[] = "PW4_House_count";
constexpr const char kOpeningCountKey[] = "PW4_Wall_openings";

// A stored real of a record: its key, what the user reads it as, and where it goes.
template <class Record>
struct RealField {
    const char* key;
    const char* what;
    double& (*value)(Record&);
};
template <class Record>
struct IntField {
    const char* key;
    const char* what;
    int32_t& (*value)(Record&);
    int32_t lo, hi;  // the values it may hold
};

const RealField<Wall> kWallReals[] = {
    {"PW4_Wall_startH", "its start", [](Wall& w) -> double& { return w.start.h; }},
    {"PW4_Wall_startV", "its start", [](Wall& w) -> double& { return w.start.v; }},
    {"PW4_Wall_endH", "its end", [](Wall& w) -> double& { return w.end.h; }},
    {"PW4_Wall_endV", "its end", [](Wall& w) -> double& { return w.end.v; }},
    {"PW4_Wall_thickness", "its thickness", [](Wall& w) -> double& { return w.thickness; }},
};
const IntField<Wall> kWallInts[] = {
    {"PW4_Wall_datum", "its datum", [](Wall& w) -> int32_t& { return w.datum; }, kCenterDatum, kOutsideFaceDatum},
};
const RealField<WallOpening> kOpeningReals[] = {
    {"PW4_Opening_at", "its place", [](WallOpening& o) -> double& { return o.at; }},
    {"PW4_Opening_width", "its width", [](WallOpening& o) -> double& { return o.width; }},
};
const IntField<WallOpening> kOpeningInts[] = {
    {"PW4_Opening_kind", "its kind", [](WallOpening& o) -> int32_t& { return o.kind; }, kDoorOpening, kWindowOpening},
    {"PW4_Opening_side", "its side", [](WallOpening& o) -> int32_t& { return o.side; }, 0, 1},
    {"PW4_Opening_hinge", "its hinge", [](WallOpening& o) -> int32_t& { return o.hinge; }, 0, 1},
};

std::string Indexed(const char* stem, size_t i) { return std::string(stem) + std::to_string(i); }

// Why an entry cannot be read, in words.
std::string Unread(AIErr err, const char* what, const char* key, const char* type) {
    const std::string named = std::string(what) + " (" + key + ")";
    if (err == kNoSuchKey) return named + " is missing";
    if (err == kWrongTypeErr) return named + " is not " + type;
    return named + " cannot be read";
}

template <class Record>
std::string ReadFields(AIDictionaryRef dict, Record& record, std::span<const RealField<Record>> reals,
                       std::span<const IntField<Record>> ints) {
    for (const auto& f : reals) {
        AIReal value = 0;
        if (AIErr err = GetRealByKey(dict, f.key, value)) return Unread(err, f.what, f.key, "a real number");
        if (!std::isfinite(value)) return std::string(f.what) + " (" + f.key + ") is not a finite number";
        f.value(record) = value;
    }
    for (const auto& f : ints) {
        int32_t value = 0;
        if (AIErr err = GetIntegerByKey(dict, f.key, value)) return Unread(err, f.what, f.key, "a whole number");
        if (value < f.lo || value > f.hi)
            return std::string(f.what) + " (" + f.key + ") is " + std::to_string(value) + ", which it cannot be";
        f.value(record) = value;
    }
    return {};
}

template <class Record>
AIErr WriteFields(AIDictionaryRef dict, Record& record, std::span<const RealField<Record>> reals,
                  std::span<const IntField<Record>> ints) {
    for (const auto& f : reals)
        if (AIErr err = SetRealByKey(dict, f.key, static_cast<AIReal>(f.value(record)))) return err;
    for (const auto& f : ints)
        if (AIErr err = SetIntegerByKey(dict, f.key, f.value(record))) return err;
    return kNoErr;
}

// A count entry: `least` to `most`.
std::string ReadCount(AIDictionaryRef dict, const char* key, const char* what, int32_t least, int32_t most,
                      int32_t* count) {
    if (AIErr err = GetIntegerByKey(dict, key, *count)) return Unread(err, what, key, "a whole number");
    if (*count < least || *count > most)
        return std::string(what) + " (" + key + ") is " + std::to_string(*count) + "; it must be " +
               std::to_string(least) + " to " + std::to_string(most);
    return {};
}

std::string ReadWall(AIDictionaryRef wallDict, Wall* wall) {
    if (std::string problem = ReadFields<Wall>(wallDict, *wall, kWallReals, kWallInts); !problem.empty())
        return problem;
    if (!(wall->thickness > 0)) return "its thickness (PW4_Wall_thickness) must be more than 0";
    int32_t count = 0;
    if (std::string problem = ReadCount(wallDict, kOpeningCountKey, "its number of openings", 0, kMaxWallOpenings, &count);
        !problem.empty())
        return problem;
    const double length = FrameOf(*wall).length;
    for (int32_t k = 0; k < count; ++k) {
        const std::string key = Indexed("PW4_Opening_", k), which = "opening " + std::to_string(k) + ": ";
        DictRef sub;
        if (AIErr err = GetSubDictionary(wallDict, key.c_str(), sub))
            return which.substr(0, which.size() - 2) + " (" + key + ") " +
                   (err == kNoSuchKey ? "is missing" : "cannot be read");
        WallOpening o;
        if (std::string problem = ReadFields<WallOpening>(sub.get(), o, kOpeningReals, kOpeningInts); !problem.empty())
            return which + problem;
        // Within the wall; a little slack for the rounding of stored reals.
        constexpr double kSlack = 1e-3;
        if (!(o.width > 0) || o.at - o.width / 2 < -kSlack || o.at + o.width / 2 > length + kSlack)
            return which + "it does not lie within its wall";
        wall->openings.push_back(o);
    }
    return {};
}

AIErr WriteWall(AIDictionaryRef wallDict, const Wall& wall) {
    Wall copy = wall;
    if (AIErr err = WriteFields<Wall>(wallDict, copy, kWallReals, kWallInts)) return err;
    if (AIErr err = SetIntegerByKey(wallDict, kOpeningCountKey, static_cast<int32_t>(copy.openings.size()))) return err;
    for (size_t k = 0; k < copy.openings.size(); ++k) {
        DictRef sub;
        if (AIErr err = sAIDictionary->CreateDictionary(sub.put())) return err;
        if (AIErr err = WriteFields<WallOpening>(sub.get(), copy.openings[k], kOpeningReals, kOpeningInts)) return err;
        if (AIErr err = sAIDictionary->SetDictEntry(wallDict, sAIDictionary->Key(Indexed("PW4_Opening_", k).c_str()),
                                                    sub.get()))
            return err;
    }
    return kNoErr;
}

}  // namespace

bool HasHouseRecord(AIArtHandle art) {
    DictRef dict;
    if (!art || GetArtDictionary(art, dict)) return false;
    return IsKnownKey(dict.get(), kHouseKey);
}

AIErr ReadHouseRecord(AIArtHandle art, std::vector<Wall>* walls, std::string* problem) {
    walls->clear();
    problem->clear();
    DictRef dict, house;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    if (!IsKnownKey(dict.get(), kHouseKey)) return kNoSuchKey;
    if (AIErr err = GetSubDictionary(dict.get(), kHouseKey, house)) {
        *problem = std::string(kHouseKey) + " is not a dictionary";
        return err == kWrongTypeErr ? kDamagedHouseErr : err;
    }
    int32_t count = 0;
    // A house without walls is never written (its art goes with its last wall): a record
    // that says so does not describe the art it is on.
    *problem = ReadCount(house.get(), kCountKey, "the number of walls", 1, kMaxHouseWalls, &count);
    for (int32_t i = 0; problem->empty() && i < count; ++i) {
        const std::string key = Indexed("PW4_Wall_", i);
        DictRef sub;
        if (AIErr err = GetSubDictionary(house.get(), key.c_str(), sub)) {
            *problem = "wall " + std::to_string(i) + " (" + key + ") " +
                       (err == kNoSuchKey ? "is missing" : "cannot be read");
            break;
        }
        Wall wall;
        if (std::string why = ReadWall(sub.get(), &wall); !why.empty())
            *problem = "wall " + std::to_string(i) + ": " + why;
        else
            walls->push_back(std::move(wall));
    }
    if (problem->empty()) return kNoErr;
    walls->clear();
    return kDamagedHouseErr;
}

AIErr WriteHouseRecord(AIArtHandle art, const std::vector<Wall>& walls) {
    // What the reader would refuse is never written.
    if (walls.size() > static_cast<size_t>(kMaxHouseWalls)) return kOutOfRangeErr;
    for (const Wall& w : walls)
        if (w.openings.size() > static_cast<size_t>(kMaxWallOpenings)) return kOutOfRangeErr;
    DictRef dict, house;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    if (AIErr err = sAIDictionary->CreateDictionary(house.put())) return err;
    if (AIErr err = SetIntegerByKey(house.get(), kCountKey, static_cast<int32_t>(walls.size()))) return err;
    for (size_t i = 0; i < walls.size(); ++i) {
        DictRef sub;
        if (AIErr err = sAIDictionary->CreateDictionary(sub.put())) return err;
        if (AIErr err = WriteWall(sub.get(), walls[i])) return err;
        if (AIErr err = sAIDictionary->SetDictEntry(house.get(), sAIDictionary->Key(Indexed("PW4_Wall_", i).c_str()),
                                                    sub.get()))
            return err;
    }
    return sAIDictionary->SetDictEntry(dict.get(), sAIDictionary->Key(kHouseKey), house.get());
}
