// Carrying the click records of a house's dimensions over to the house drawn in its place.
#include "architecture/HouseLinks.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <string>

#include "architecture/ArchitectureMessages.h"
#include "core/PlotwiseDimensionData.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DictionaryAccess.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionStorage.h"
#include "drawtools/DrawToolSupport.h"
#include "geometry/PointMath.h"

namespace {

using Click = Plotwise3_dimensioned_object_data;
using Anchors = std::vector<AIPathSegment>;

// An anchor as drawn lies this close to the place of the walls it was drawn from.
constexpr double kReach = 0.02;

constexpr const char kObjectKey[] = "ZA3_Object";

AIErr AnchorsOf(AIArtHandle path, Anchors* anchors) {
    anchors->clear();
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(path, &type)) return err;
    return type == kPathArt ? ReadPathSegments(path, anchors, nullptr) : kNoErr;
}

// Where regeneration finds a click on an anchor or a piece of the art, as the art is now;
// false for other clicks and for a click that cannot be found on it.
bool Relocate(const Click& c, WallPoint* p) {
    const bool onPath = c.clickType == kLiveDimClickedSegmentPoint || c.clickType == kLiveDimClickedPath;
    AIRealPoint at{};
    if (!onPath || !std::isfinite(c.t) || RelocateDimensionClick(c, &at) != kNoErr) return false;
    *p = {at.h, at.v};
    return std::isfinite(p->h) && std::isfinite(p->v);
}

// The click at p on the new outline: on an anchor, or on a piece (whose handles lie on its
// anchors, so its point at t is a + (3t² - 2t³)(b - a)); false when p is not on it.
bool PlaceOnOutline(const House& drawn, WallPoint p, bool anchor, AIArtHandle* art, Click* c) {
    for (size_t k = 0; k < drawn.contours.size(); ++k) {
        const WallPolygon& points = drawn.contourPoints[k];
        const size_t n = points.size();
        for (size_t i = 0; i < n; ++i) {
            const WallPoint a = points[i], b = points[(i + 1) % n];
            if (anchor) {
                if (Distance(a, p) > kReach) continue;
                c->segNumBefore = c->segNumAfter = static_cast<int32_t>(i);
            } else {
                double u = 0;
                if (!(Distance(a, b) > 0) || !OnSegment(a, b, p, kReach, &u)) continue;
                c->segNumAfter = static_cast<int32_t>((i + 1) % n);
                c->segNumBefore = c->segNumAfter == 0 ? -1 : static_cast<int32_t>(i);
                c->t = static_cast<AIReal>(0.5 - std::sin(std::asin(1 - 2 * u) / 3));
            }
            c->x = static_cast<AIReal>(p.h);
            c->y = static_cast<AIReal>(p.v);
            *art = drawn.contours[k];
            return true;
        }
    }
    return false;
}

// Names the dimension once among those whose measured place is gone.
void NoteDetached(int32_t id, std::vector<int32_t>* detached) {
    if (std::find(detached->begin(), detached->end(), id) == detached->end()) detached->push_back(id);
}

// How the art of the old house held the clicks.
enum class Role { kContour, kSymbol, kWhole };

struct Carrier {
    const House& old;
    const House& drawn;
    int32_t removedWall;
    std::vector<int32_t>* detached;
    SymbolLines* oldSymbols;  // of the old house

    int32_t NewWall(size_t wall) const { return WallAfterRemoval(wall, removedWall); }

    // The click of an outline's anchor or piece, at the corresponding place of the new one.
    bool OnOutline(WallPoint p, Click* c, AIArtHandle* to) const {
        const bool anchor = c->clickType == kLiveDimClickedSegmentPoint;
        for (const OutlinePlace& place : OutlinePlacesAt(old.walls, old.corners, p, anchor, kReach)) {
            const int32_t wall = NewWall(place.wall);
            WallPoint now{};
            if (wall < 0 || !FindOutlinePlace(place, size_t(wall), drawn.walls, drawn.corners, &now)) continue;
            if (PlaceOnOutline(drawn, now, anchor, to, c)) return true;
        }
        return false;
    }

    // The click on the same line of the same door or window.
    bool OnSymbol(const House::Symbol& was, AIArtHandle* to) const {
        const int32_t wall = NewWall(was.wall);
        for (const House::Symbol& s : drawn.symbols)
            if (wall >= 0 && s.wall == size_t(wall) && s.opening == was.opening && s.line == was.line) {
                *to = s.art;
                return true;
            }
        return false;
    }

    AIErr Carry(AIArtHandle art, Role role) const {
        std::vector<Click> clicks;
        if (ForEachDimensionedObjectData(art, [&](const Click& c) {
                clicks.push_back(c);
                return kNoErr;
            }))
            return KeepWhole(art);
        Anchors anchors;
        if (role == Role::kSymbol)
            if (AIErr err = AnchorsOf(art, &anchors)) return err;
        const std::optional<House::Symbol> symbol =
            role == Role::kSymbol ? oldSymbols->Find(anchors, kReach) : std::optional<House::Symbol>();
        for (Click c : clicks) {
            AIArtHandle to = art == old.group ? drawn.group : drawn.path;
            WallPoint p{};
            // A click on the outline or a symbol goes to the same place of the new one; any
            // other (in a fill, in empty space) is kept as it is.
            if (role != Role::kWhole && Relocate(c, &p)) {
                const bool kept = role == Role::kContour ? OnOutline(p, &c, &to) : symbol && OnSymbol(*symbol, &to);
                if (!kept) {
                    // The place is gone: the click keeps its point, in empty space.
                    c.clickType = kLiveDimClickedSpace;
                    c.x = static_cast<AIReal>(p.h);
                    c.y = static_cast<AIReal>(p.v);
                    to = drawn.path;
                    NoteDetached(c.id, detached);
                }
            }
            if (AIErr err = SetDimensionedObjectData(to, &c)) return err;
        }
        return kNoErr;
    }

    // Links that cannot be read are kept as they are, on the new house path, beside any it
    // holds already: a link of a key it has already (one dimension's clicks on two contours)
    // gets the entries it lacks, so no click is lost; an entry it has is not replaced.
    AIErr KeepWhole(AIArtHandle art) const {
        DictRef copy, object, target, holder;
        if (AIErr err = sAIDictionary->CreateDictionary(copy.put())) return err;
        if (AIErr err = CopyArtDictionaryToDictionary(art, copy.get())) return err;
        // Links that are not even a dictionary hold nothing to keep.
        if (GetSubDictionary(copy.get(), kObjectKey, object)) return kNoErr;
        if (AIErr err = GetArtDictionary(drawn.path, holder)) return err;
        if (AIErr err = GetOrCreateSubDictionary(holder.get(), kObjectKey, target)) return err;
        return ForEachKey(object.get(), [&](const char* key) -> AIErr {
            DictRef from, into;
            if (IsKnownKey(target.get(), key) && !GetSubDictionary(object.get(), key, from) &&
                !GetSubDictionary(target.get(), key, into))
                return AddMissingEntries(from.get(), into.get());
            return AddMissingEntries(object.get(), target.get(), key);
        });
    }

    // Copies the entry of the key (every entry, for none) that `to` does not hold yet.
    static AIErr AddMissingEntries(AIDictionaryRef from, AIDictionaryRef to, const char* only = nullptr) {
        const auto add = [&](const char* key) -> AIErr {
            if (IsKnownKey(to, key)) return kNoErr;
            AIEntryRef entry = nullptr;
            if (AIErr err = sAIDictionary->GetEntry(from, sAIDictionary->Key(key), &entry)) return err;
            const AIErr err = sAIDictionary->SetEntry(to, sAIDictionary->Key(key), entry);
            sAIDictionary->ReleaseEntry(entry);
            return err;
        };
        return only ? add(only) : ForEachKey(from, add);
    }
};

// The art of a house that may hold click records, each with how it holds them: the house
// path and its contours, and the group with the symbols beside the path.
AIErr HouseArtOf(const House& h, std::vector<std::pair<AIArtHandle, Role>>* arts) {
    auto children = [&](AIArtHandle parent, Role role) -> AIErr {
        AIArtHandle child = nullptr;
        if (AIErr err = sAIArt->GetArtFirstChild(parent, &child)) return err;
        while (child) {
            if (child != h.path) arts->push_back({child, role});
            if (AIErr err = sAIArt->GetArtSibling(child, &child)) return err;
        }
        return kNoErr;
    };
    arts->push_back({h.path, Role::kWhole});
    if (AIErr err = children(h.path, Role::kContour)) return err;
    if (!h.group || h.group == h.path) return kNoErr;
    arts->push_back({h.group, Role::kWhole});
    return children(h.group, Role::kSymbol);
}

// What the dimension reads, from its text's record; empty when it cannot be found.
std::string Reading(AIArtHandle art, int depth = 0) {
    live_dimension_text_data text{};
    if (GetDimensionTextData(art, &text) == kNoErr && text.dimStr[0]) return text.dimStr;
    AIArtHandle child = nullptr;
    if (depth > 2 || sAIArt->GetArtFirstChild(art, &child)) return {};
    while (child) {
        if (std::string found = Reading(child, depth + 1); !found.empty()) return found;
        if (sAIArt->GetArtSibling(child, &child)) return {};
    }
    return {};
}

}  // namespace

AIErr CarryDimensionLinks(const House& old, int32_t removedWall, const House& drawn, std::vector<int32_t>* detached) {
    detached->clear();
    std::vector<std::pair<AIArtHandle, Role>> arts;
    if (AIErr err = HouseArtOf(old, &arts)) return err;
    SymbolLines oldSymbols(old.walls);
    const Carrier carrier{old, drawn, removedWall, detached, &oldSymbols};
    for (const auto& [art, role] : arts) {
        // Art without a dictionary is not given one by the look.
        if (!sAIArt->HasDictionary(art) || !IsDimensionedObject(art)) continue;
        if (!drawn.path) {
            // No house is left to hold them: each dimension is named.
            (void)ForEachDimensionLink(art, [&](const char*, int32_t id) {
                NoteDetached(id, detached);
                return kNoErr;
            });
            continue;
        }
        if (AIErr err = carrier.Carry(art, role)) return err;
    }
    return kNoErr;
}

void SayDetachedDimensions(const std::vector<int32_t>& ids) {
    // The dimension groups by the host's list of groups, looked through only now.
    std::vector<AIArtHandle> groups;
    if (MatchingArt(false, groups, kGroupArt)) return;
    std::string readings;
    for (AIArtHandle group : groups) {
        int32_t id = 0;
        if (!IsDimension(group) || ReadDimensionID(group, &id) || std::find(ids.begin(), ids.end(), id) == ids.end())
            continue;
        // A dimension that reads nothing has nothing to name it by.
        if (const std::string reading = Reading(group); !reading.empty())
            readings += (readings.empty() ? "" : ", ") + reading;
    }
    if (!readings.empty()) (void)SayArchitecture(kDetachedDimensionsMessage, {readings});
}
