// The house record: one table of stored fields per wall and per opening, read with every
// value checked and written whole.
#include "architecture/HouseRecord.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <functional>
#include <span>
#include <string_view>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStyleFields.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DictionaryAccess.h"

namespace {

constexpr const char kCountKey[] = "PW4_House_count";
constexpr const char kOpeningCountKey[] = "PW4_Wall_openings";

// A stored real of a record: its key, what the user reads it as, where it goes, and whether
// it is a place or length of the drawing (which lies on the host's largest canvas).
template <class Record>
struct RealField {
    const char* key;
    const char* what;
    double& (*value)(Record&);
    bool onCanvas = false;
};
template <class Record>
struct IntField {
    const char* key;
    const char* what;
    int32_t& (*value)(Record&);
    int32_t lo, hi;  // the values it may hold
};

const RealField<Wall> kWallReals[] = {
    {"PW4_Wall_startH", "its start", [](Wall& w) -> double& { return w.start.h; }, true},
    {"PW4_Wall_startV", "its start", [](Wall& w) -> double& { return w.start.v; }, true},
    {"PW4_Wall_endH", "its end", [](Wall& w) -> double& { return w.end.h; }, true},
    {"PW4_Wall_endV", "its end", [](Wall& w) -> double& { return w.end.v; }, true},
    {"PW4_Wall_thickness", "its thickness", [](Wall& w) -> double& { return w.thickness; }, true},
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

constexpr const char kWallStem[] = "PW4_Wall_";
constexpr const char kOpeningStem[] = "PW4_Opening_";

// Whether the key is stem + the number of one of the first `count` items, as written.
bool IsItemKey(std::string_view key, const char* stem, size_t count) {
    const std::string_view prefix(stem);
    if (key.substr(0, prefix.size()) != prefix) return false;
    const std::string_view digits = key.substr(prefix.size());
    size_t i = 0;
    const auto [end, ec] = std::from_chars(digits.data(), digits.data() + digits.size(), i);
    return ec == std::errc() && end == digits.data() + digits.size() && i < count && Indexed(stem, i) == key;
}

template <class Record>
bool IsFieldKey(std::string_view key, std::span<const RealField<Record>> reals, std::span<const IntField<Record>> ints) {
    return std::any_of(reals.begin(), reals.end(), [key](const auto& f) { return key == f.key; }) ||
           std::any_of(ints.begin(), ints.end(), [key](const auto& f) { return key == f.key; });
}

using KeyTest = std::function<bool(std::string_view)>;

// The entries of the dictionary whose keys `known` does not claim, as plain values.
AIErr ReadUnknownEntries(AIDictionaryRef dict, const KeyTest& known, std::vector<StoredEntry>* out) {
    return ForEachKey(dict, [&](const char* key) -> AIErr {
        if (known(key)) return kNoErr;
        AIEntryType type = kNoEntryType;
        if (AIErr err = sAIDictionary->GetEntryType(dict, sAIDictionary->Key(key), &type)) return err;
        StoredEntry e{key, {}};
        switch (type) {
            case kIntegerEntryType: {
                int32_t v = 0;
                if (AIErr err = GetIntegerByKey(dict, key, v)) return err;
                e.value = v;
                break;
            }
            case kRealEntryType: {
                AIReal v = 0;
                if (AIErr err = GetRealByKey(dict, key, v)) return err;
                e.value = v;
                break;
            }
            case kBooleanEntryType: {
                ASBoolean v = false;
                if (AIErr err = sAIDictionary->GetBooleanEntry(dict, sAIDictionary->Key(key), &v)) return err;
                e.value = v != 0;
                break;
            }
            case kStringEntryType: {
                const char* v = nullptr;
                if (AIErr err = sAIDictionary->GetStringEntry(dict, sAIDictionary->Key(key), &v)) return err;
                e.value = std::string(v ? v : "");
                break;
            }
            case kDictEntryType: {
                DictRef sub;
                if (AIErr err = GetSubDictionary(dict, key, sub)) return err;
                std::vector<StoredEntry> inner;
                if (AIErr err = ReadUnknownEntries(sub.get(), [](std::string_view) { return false; }, &inner)) return err;
                e.value = std::move(inner);
                break;
            }
            default: return kWrongTypeErr;  // no entry type the host has
        }
        out->push_back(std::move(e));
        return kNoErr;
    });
}

UnknownEntries Shared(std::vector<StoredEntry>&& entries) {
    if (entries.empty()) return nullptr;
    return std::make_shared<const std::vector<StoredEntry>>(std::move(entries));
}

AIErr WriteEntry(AIDictionaryRef dict, const StoredEntry& e);

AIErr WriteEntries(AIDictionaryRef dict, const std::vector<StoredEntry>& entries) {
    for (const StoredEntry& e : entries)
        if (AIErr err = WriteEntry(dict, e)) return err;
    return kNoErr;
}

AIErr WriteEntry(AIDictionaryRef dict, const StoredEntry& e) {
    const char* key = e.key.c_str();
    if (const auto* v = std::get_if<int32_t>(&e.value)) return SetIntegerByKey(dict, key, *v);
    if (const auto* v = std::get_if<AIReal>(&e.value)) return SetRealByKey(dict, key, *v);
    if (const auto* v = std::get_if<bool>(&e.value)) return sAIDictionary->SetBooleanEntry(dict, sAIDictionary->Key(key), *v);
    if (const auto* v = std::get_if<std::string>(&e.value)) return SetStringByKey(dict, key, v->c_str());
    DictRef sub;
    if (AIErr err = sAIDictionary->CreateDictionary(sub.put())) return err;
    if (AIErr err = WriteEntries(sub.get(), std::get<std::vector<StoredEntry>>(e.value))) return err;
    return sAIDictionary->SetDictEntry(dict, sAIDictionary->Key(key), sub.get());
}

// Writes back the entries a record did not know; one whose key the record now uses (an item
// past the count it was read with) gives way, and the user is told, under `where`.
AIErr WriteUnknownEntries(AIDictionaryRef dict, const UnknownEntries& entries, const KeyTest& taken,
                          const std::string& where) {
    if (!entries) return kNoErr;
    for (const StoredEntry& e : *entries) {
        if (taken(e.key)) {
            NoteForUser(kReplacedHouseEntriesNote, where + e.key);
            continue;
        }
        if (AIErr err = WriteEntry(dict, e)) return err;
    }
    return kNoErr;
}

// Why an entry cannot be read, in words.
std::string Unread(AIErr err, const char* what, const char* key, const char* type) {
    const std::string named = std::string(what) + " (" + key + ")";
    if (err == kNoSuchKey) return named + " is missing";
    if (err == kWrongTypeErr) return named + " is not " + type;
    return named + " cannot be read";
}

// Reads the fields' entries as they are; what they hold is judged by CheckFields.
template <class Record>
std::string ReadFields(AIDictionaryRef dict, Record& record, std::span<const RealField<Record>> reals,
                       std::span<const IntField<Record>> ints) {
    for (const auto& f : reals) {
        AIReal value = 0;
        if (AIErr err = GetRealByKey(dict, f.key, value)) return Unread(err, f.what, f.key, "a real number");
        f.value(record) = value;
    }
    for (const auto& f : ints)
        if (AIErr err = GetIntegerByKey(dict, f.key, f.value(record))) return Unread(err, f.what, f.key, "a whole number");
    return {};
}

// What the reader refuses of the fields' values: a real that is not finite, a place or
// length of the drawing past the largest canvas, a whole number outside what it may hold.
template <class Record>
std::string CheckFields(Record record, std::span<const RealField<Record>> reals,
                        std::span<const IntField<Record>> ints) {
    for (const auto& f : reals) {
        const double value = f.value(record);
        if (!std::isfinite(value)) return std::string(f.what) + " (" + f.key + ") is not a finite number";
        if (f.onCanvas && std::fabs(value) > style_fields::kLengthMost) {
            char words[96];
            std::snprintf(words, sizeof words, " is %.7g points, past the largest canvas (%g points)", value,
                          style_fields::kLengthMost);
            return std::string(f.what) + " (" + f.key + ")" + words;
        }
    }
    for (const auto& f : ints)
        if (const int32_t value = f.value(record); value < f.lo || value > f.hi)
            return std::string(f.what) + " (" + f.key + ") is " + std::to_string(value) + ", which it cannot be";
    return {};
}

template <class Record>
AIErr WriteFields(AIDictionaryRef dict, Record record, std::span<const RealField<Record>> reals,
                  std::span<const IntField<Record>> ints) {
    for (const auto& f : reals)
        if (AIErr err = SetRealByKey(dict, f.key, static_cast<AIReal>(f.value(record)))) return err;
    for (const auto& f : ints)
        if (AIErr err = SetIntegerByKey(dict, f.key, f.value(record))) return err;
    return kNoErr;
}

std::string CountProblem(int32_t count, const char* key, const char* what, int32_t least, int32_t most) {
    if (count >= least && count <= most) return {};
    return std::string(what) + " (" + key + ") is " + std::to_string(count) + "; it must be " + std::to_string(least) +
           " to " + std::to_string(most);
}

// A count entry: `least` to `most`.
std::string ReadCount(AIDictionaryRef dict, const char* key, const char* what, int32_t least, int32_t most,
                      int32_t* count) {
    if (AIErr err = GetIntegerByKey(dict, key, *count)) return Unread(err, what, key, "a whole number");
    return CountProblem(*count, key, what, least, most);
}

// A house without walls is never written (its art goes with its last wall): a record that
// says so does not describe the art it is on.
std::string WallCountProblem(size_t count) {
    const auto n = static_cast<int32_t>(std::min<size_t>(count, INT32_MAX));
    return CountProblem(n, kCountKey, "the number of walls", 1, kMaxHouseWalls);
}

std::string OpeningCountProblem(size_t count) {
    const auto n = static_cast<int32_t>(std::min<size_t>(count, INT32_MAX));
    return CountProblem(n, kOpeningCountKey, "its number of openings", 0, kMaxWallOpenings);
}

// What the reader refuses of one wall's values.
std::string WallProblem(const Wall& wall) {
    if (std::string problem = CheckFields<Wall>(wall, kWallReals, kWallInts); !problem.empty()) return problem;
    if (!(wall.thickness > 0)) return "its thickness (PW4_Wall_thickness) must be more than 0";
    if (std::string problem = OpeningCountProblem(wall.openings.size()); !problem.empty()) return problem;
    const double length = FrameOf(wall).length;
    for (size_t k = 0; k < wall.openings.size(); ++k) {
        const WallOpening& o = wall.openings[k];
        const std::string which = "opening " + std::to_string(k) + ": ";
        if (std::string problem = CheckFields<WallOpening>(o, kOpeningReals, kOpeningInts); !problem.empty())
            return which + problem;
        if (!(o.width > 0)) return which + "its width (PW4_Opening_width) must be more than 0";
        // Within the wall, with slack for the rounding of stored reals (which grows with the
        // wall: a float keeps about seven digits).
        const double slack = 1e-3 + 1e-6 * length;
        if (o.at - o.width / 2 < -slack || o.at + o.width / 2 > length + slack)
            return which + "it does not lie within its wall";
    }
    return {};
}

std::string ReadWall(AIDictionaryRef wallDict, Wall* wall) {
    if (std::string problem = ReadFields<Wall>(wallDict, *wall, kWallReals, kWallInts); !problem.empty())
        return problem;
    int32_t count = 0;
    if (std::string problem = ReadCount(wallDict, kOpeningCountKey, "its number of openings", 0, kMaxWallOpenings, &count);
        !problem.empty())
        return problem;
    // Openings stored past a count that says fewer are read too (one past the most a wall
    // holds is enough for WallProblem to name), so that the house is never drawn without them.
    const auto stored = [wallDict](int32_t k) { return IsKnownKey(wallDict, Indexed(kOpeningStem, k).c_str()); };
    for (int32_t k = 0; k < count || (k <= kMaxWallOpenings && stored(k)); ++k) {
        const std::string key = Indexed(kOpeningStem, k);
        DictRef sub;
        if (AIErr err = GetSubDictionary(wallDict, key.c_str(), sub))
            return "opening " + std::to_string(k) + " (" + key + ") " +
                   (err == kNoSuchKey ? "is missing" : "cannot be read");
        WallOpening o;
        if (std::string problem = ReadFields<WallOpening>(sub.get(), o, kOpeningReals, kOpeningInts); !problem.empty())
            return "opening " + std::to_string(k) + ": " + problem;
        std::vector<StoredEntry> unknown;
        if (ReadUnknownEntries(sub.get(), [](std::string_view key) {
                return IsFieldKey<WallOpening>(key, kOpeningReals, kOpeningInts);
            }, &unknown))
            return "opening " + std::to_string(k) + ": an entry this version does not know cannot be read";
        o.unknown = Shared(std::move(unknown));
        wall->openings.push_back(o);
    }
    if (wall->openings.size() != static_cast<size_t>(count)) wall->openingCountRead = count;
    std::vector<StoredEntry> unknown;
    if (ReadUnknownEntries(wallDict, [read = wall->openings.size()](std::string_view key) {
            return key == kOpeningCountKey || IsFieldKey<Wall>(key, kWallReals, kWallInts) ||
                   IsItemKey(key, kOpeningStem, read);
        }, &unknown))
        return "an entry this version does not know cannot be read";
    wall->unknown = Shared(std::move(unknown));
    return WallProblem(*wall);
}

AIErr WriteWall(AIDictionaryRef wallDict, const Wall& wall, const std::string& which) {
    const size_t openings = wall.openings.size();
    if (AIErr err = WriteUnknownEntries(wallDict, wall.unknown, [openings](std::string_view key) {
            return IsItemKey(key, kOpeningStem, openings);
        }, which))
        return err;
    if (AIErr err = WriteFields<Wall>(wallDict, wall, kWallReals, kWallInts)) return err;
    if (AIErr err = SetIntegerByKey(wallDict, kOpeningCountKey, static_cast<int32_t>(openings))) return err;
    if (wall.openingCountRead >= 0)
        NoteForUser(kCompletedValuesNote, which + kOpeningCountKey + " " + std::to_string(wall.openingCountRead) +
                                              ", set to " + std::to_string(openings) + " (the openings stored)");
    for (size_t k = 0; k < openings; ++k) {
        DictRef sub;
        if (AIErr err = sAIDictionary->CreateDictionary(sub.put())) return err;
        // An opening's own entries never share a key with its fields.
        if (AIErr err = WriteUnknownEntries(sub.get(), wall.openings[k].unknown, [](std::string_view) { return false; },
                                            which))
            return err;
        if (AIErr err = WriteFields<WallOpening>(sub.get(), wall.openings[k], kOpeningReals, kOpeningInts)) return err;
        if (AIErr err = sAIDictionary->SetDictEntry(wallDict, sAIDictionary->Key(Indexed(kOpeningStem, k).c_str()),
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

AIErr ReadHouseRecord(AIArtHandle art, std::vector<Wall>* walls, std::string* problem, UnknownEntries* unknown) {
    walls->clear();
    problem->clear();
    if (unknown) unknown->reset();
    DictRef dict, house;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    if (!IsKnownKey(dict.get(), kHouseKey)) return kNoSuchKey;
    if (AIErr err = GetSubDictionary(dict.get(), kHouseKey, house)) {
        *problem = std::string(kHouseKey) + " is not a dictionary";
        return err == kWrongTypeErr ? kDamagedHouseErr : err;
    }
    int32_t count = 0;
    *problem = ReadCount(house.get(), kCountKey, "the number of walls", 1, kMaxHouseWalls, &count);
    for (int32_t i = 0; problem->empty() && i < count; ++i) {
        const std::string key = Indexed(kWallStem, i);
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
    std::vector<StoredEntry> entries;
    if (problem->empty() && ReadUnknownEntries(house.get(), [count](std::string_view key) {
            return key == kCountKey || IsItemKey(key, kWallStem, static_cast<size_t>(count));
        }, &entries))
        *problem = "an entry this version does not know cannot be read";
    if (problem->empty()) {
        if (unknown) *unknown = Shared(std::move(entries));
        return kNoErr;
    }
    walls->clear();
    return kDamagedHouseErr;
}

std::vector<Wall> AsStored(const std::vector<Wall>& walls) {
    std::vector<Wall> stored = walls;
    auto keep = [](double& value) { value = static_cast<AIReal>(value); };
    for (Wall& w : stored) {
        for (const auto& f : kWallReals) keep(f.value(w));
        for (WallOpening& o : w.openings)
            for (const auto& f : kOpeningReals) keep(f.value(o));
    }
    return stored;
}

std::string HouseRecordProblem(const std::vector<Wall>& walls) {
    if (std::string problem = WallCountProblem(walls.size()); !problem.empty()) return problem;
    const std::vector<Wall> stored = AsStored(walls);
    for (size_t i = 0; i < stored.size(); ++i)
        if (std::string problem = WallProblem(stored[i]); !problem.empty()) return "wall " + std::to_string(i) + ": " + problem;
    return {};
}

AIErr WriteHouseRecord(AIArtHandle art, const std::vector<Wall>& walls, const UnknownEntries& unknown) {
    // What the reader would refuse is never written.
    if (!HouseRecordProblem(walls).empty()) return kUnstorableHouseErr;
    DictRef dict, house;
    if (AIErr err = GetArtDictionary(art, dict)) return err;
    if (AIErr err = sAIDictionary->CreateDictionary(house.put())) return err;
    const size_t count = walls.size();
    if (AIErr err = WriteUnknownEntries(house.get(), unknown, [count](std::string_view key) {
            return IsItemKey(key, kWallStem, count);
        }, ""))
        return err;
    if (AIErr err = SetIntegerByKey(house.get(), kCountKey, static_cast<int32_t>(count))) return err;
    for (size_t i = 0; i < count; ++i) {
        DictRef sub;
        if (AIErr err = sAIDictionary->CreateDictionary(sub.put())) return err;
        const std::string key = Indexed(kWallStem, i);
        if (AIErr err = WriteWall(sub.get(), walls[i], key + ": ")) return err;
        if (AIErr err = sAIDictionary->SetDictEntry(house.get(), sAIDictionary->Key(key.c_str()), sub.get())) return err;
    }
    return sAIDictionary->SetDictEntry(dict.get(), sAIDictionary->Key(kHouseKey), house.get());
}
