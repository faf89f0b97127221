// Drawing a house from its walls, and finding the house under a point.
#include "architecture/HouseArt.h"

#include <algorithm>
#include <cmath>
#include <optional>
#include <tuple>

#include "architecture/ArchitectureMessages.h"
#include "architecture/ArtMaking.h"
#include "architecture/HouseLinks.h"
#include "architecture/HouseRecord.h"
#include "architecture/OpeningWarnings.h"
#include "artwork/DrawingLayer.h"
#include "architecture/ArchitectureGlobals.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/MeasuringHit.h"
#include "drawtools/DrawToolSupport.h"
#include "geometry/PointMath.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<ArchitectureGlobals> g;

using Anchors = std::vector<AIPathSegment>;

// The paint each part of a house is drawn in. A house drawn again keeps the paint of the
// one it replaces, part by part: its walls', and each door's and window's line's, read from
// the art that goes; a new house, and a new door or window, take the paint of new art (the
// walls enclosing the rooms, which run the other way, left empty by the non-zero rule; the
// symbols unfilled).
class HousePaint {
public:
    HousePaint(const House* old, int32_t removedWall) : symbolPaint_(UnfilledPaint()) {
        (void)sAIPathStyle->GetCurrentPathStyle(&wallPaint_, nullptr, nullptr);
        wallPaint_.evenodd = false;
        if (!old || !old->path) return;
        AIPathStyle kept{};
        if (sAIPathStyle->GetPathStyle(old->path, &kept) == kNoErr) wallPaint_ = kept;
        if (old->group && old->group != old->path) KeepSymbols(*old, removedWall);
    }
    const AIPathStyle& walls() const { return wallPaint_; }
    // The paint of a line of the new house's walls: the line's own, or failing it (its art
    // gone) that of another line of its door or window.
    const AIPathStyle& symbol(const House::Symbol& s) const {
        const auto opening = std::lower_bound(kept_.begin(), kept_.end(), Kept{s.wall, s.opening, 0, {}});
        if (opening == kept_.end() || opening->wall != s.wall || opening->opening != s.opening) return symbolPaint_;
        for (auto k = opening; k != kept_.end() && k->wall == s.wall && k->opening == s.opening; ++k)
            if (k->line == s.line) return k->paint;
        return opening->paint;
    }

private:
    struct Kept {
        size_t wall, opening, line;  // in the new house
        AIPathStyle paint;
        bool operator<(const Kept& o) const {
            return std::tie(wall, opening, line) < std::tie(o.wall, o.opening, o.line);
        }
    };

    void KeepSymbols(const House& old, int32_t removedWall) {
        SymbolLines lines(old.walls);
        AIArtHandle child = nullptr;
        if (sAIArt->GetArtFirstChild(old.group, &child)) return;
        for (; child; child = NextSibling(child)) {
            Anchors anchors;
            int16_t type = kUnknownArt;
            AIPathStyle paint{};
            if (child == old.path || sAIArt->GetArtType(child, &type) || type != kPathArt ||
                ReadPathSegments(child, &anchors, nullptr) || sAIPathStyle->GetPathStyle(child, &paint))
                continue;
            const std::optional<House::Symbol> s = lines.Find(anchors, kSameLine);
            const int32_t wall = s ? WallAfterRemoval(s->wall, removedWall) : -1;
            if (wall >= 0) kept_.push_back({static_cast<size_t>(wall), s->opening, s->line, paint});
        }
        std::sort(kept_.begin(), kept_.end());
    }
    static AIArtHandle NextSibling(AIArtHandle art) {
        AIArtHandle next = nullptr;
        return sAIArt->GetArtSibling(art, &next) ? nullptr : next;
    }

    // A line drawn again from the record lies this close to where it was drawn.
    static constexpr double kSameLine = 0.02;

    AIPathStyle wallPaint_{};
    AIPathStyle symbolPaint_;
    std::vector<Kept> kept_;
};

AIErr DrawInto(AIArtHandle group, const std::vector<Wall>& walls, bool record, const HousePaint& paint, House* drawn) {
    drawn->walls = walls;
    drawn->corners = JoinWalls(walls);
    for (size_t w = 0; w < walls.size(); ++w)
        for (size_t k = 0; k < walls[w].openings.size(); ++k) {
            const std::vector<Anchors> lines = OpeningSymbol(walls[w], walls[w].openings[k]);
            for (size_t j = 0; j < lines.size(); ++j) {
                House::Symbol symbol{nullptr, w, k, j};
                if (AIErr err = NewPath(group, kPlaceInsideOnTop, lines[j], false, &paint.symbol(symbol), &symbol.art))
                    return err;
                drawn->symbols.push_back(symbol);
            }
        }
    AIArtHandle outline = nullptr;
    if (AIErr err = sAIArt->NewArt(kCompoundPathArt, kPlaceInsideOnTop, group, &outline)) return err;
    drawn->contourPoints = HouseOutline(walls, drawn->corners);
    for (const WallPolygon& contour : drawn->contourPoints) {
        Anchors anchors;
        anchors.reserve(contour.size());
        for (WallPoint p : contour) anchors.push_back(WallCornerAnchor(p));
        AIArtHandle path = nullptr;
        if (AIErr err = NewPath(outline, kPlaceInsideOnBottom, anchors, true, nullptr, &path)) return err;
        drawn->contours.push_back(path);
    }
    if (AIErr err = sAIPathStyle->SetPathStyle(outline, &paint.walls())) return err;
    if (record)
        if (AIErr err = WriteHouseRecord(outline, walls, drawn->unknown)) return err;
    drawn->path = outline;
    drawn->group = group;
    return kNoErr;
}

// A press within this distance of a wall is on it.
constexpr AIReal kOnWall = 2.0f;

// The house an art belongs to: the art itself, its container, or the group whose topmost
// member is the house path.
AIArtHandle HousePathOf(AIArtHandle art) {
    for (int level = 0; art && level < 3; ++level) {
        if (HasHouseRecord(art)) return art;
        AIArtHandle parent = nullptr;
        if (sAIArt->GetArtParent(art, &parent)) return nullptr;
        if (parent) {
            AIArtHandle top = nullptr;
            if (!sAIArt->GetArtFirstChild(parent, &top) && top && top != art && HasHouseRecord(top)) return top;
        }
        art = parent;
    }
    return nullptr;
}

// The art that goes when the house is drawn again: its group, or the path alone once it was
// taken out of its group (the layer it now lies in stays).
AIErr HouseGroupOf(AIArtHandle path, AIArtHandle* group) {
    if (AIErr err = sAIArt->GetArtParent(path, group)) return err;
    ASBoolean layer = false;
    if (AIErr err = sAIArt->IsArtLayerGroup(*group, &layer)) return err;
    if (layer) *group = path;
    return kNoErr;
}

// The walls and corners of the house on its path, read again only when the document
// changed since the last reading (or another house is read).
AIErr ReadHouse(House* house, std::string* problem) {
    HouseRecordRead& last = g->lastHouseRead;
    if (last.path != house->path || !last.from.Holds()) {
        last.path = house->path;
        last.err = ReadHouseRecord(house->path, &last.walls, &last.problem, &last.unknown);
        last.corners = JoinWalls(last.walls);
        last.from.WorkedOut();
    }
    house->walls = last.walls;
    house->corners = last.corners;
    house->unknown = last.unknown;
    *problem = last.problem;
    return last.err;
}

}  // namespace

AIErr FindHouseAt(AIRealPoint point, House* house, bool* found, std::string* problem) {
    *found = false;
    *house = House{};
    problem->clear();
    // What lies near the point, from the host's index: the houses whose walls the point is
    // on, whatever their paint (a wall without fill is found inside as on its edge).
    const AIRealRect area{point.h - kOnWall, point.v + kOnWall, point.h + kOnWall, point.v - kOnWall};
    std::vector<AIArtHandle> near;
    if (AIErr err = ArtInRect(area, near)) return err;
    std::vector<AIArtHandle> seen;
    House damaged;
    std::string damage;
    for (AIArtHandle art : near) {
        AIArtHandle path = HousePathOf(art);
        AILayerHandle locked = nullptr;
        if (!path || std::find(seen.begin(), seen.end(), path) != seen.end() || !PressableArt(path, &locked)) continue;
        seen.push_back(path);
        House candidate;
        candidate.path = path;
        if (AIErr err = HouseGroupOf(path, &candidate.group)) return err;
        std::string why;
        const AIErr err = ReadHouse(&candidate, &why);
        if (err == kDamagedHouseErr) {
            if (!damaged.path) damaged = candidate, damage = why;
            continue;
        }
        if (err) return err;
        if (WallAt(candidate.walls, candidate.corners, {point.h, point.v}, kOnWall) < 0) continue;
        *found = true;
        *house = std::move(candidate);
        return locked ? kLockedHouseErr : kNoErr;
    }
    // A house whose record cannot be read may be the one meant: it is named.
    if (!damaged.path) return kNoErr;
    *found = true;
    *house = damaged;
    *problem = damage;
    return kDamagedHouseErr;
}

AIErr RefuseLockedHouse(const House& house) {
    AILayerHandle locked = nullptr;
    (void)PressableArt(house.path, &locked);
    return RefuseClickOnLockedLayer(locked);
}

double HouseScale(const House& house) {
    AILayerHandle layer = nullptr;
    int32_t id = 0;
    AIReal scaler = g->prefs.scaler;
    char label[kScaleLabelSize] = {};
    if (house.path && sAIArt->GetLayerOfArt(house.path, &layer) == kNoErr && layer)
        (void)PeekZA3LayerScale(layer, &id, &scaler, label);
    return std::isfinite(scaler) && scaler > 0 ? scaler : 1.0;
}

AIErr DrawHouse(const std::vector<Wall>& walls, const House* replacing, House* drawn, bool record, int32_t removedWall) {
    *drawn = House{};
    // What the record could not keep is refused before anything is drawn; what is drawn is
    // what the record keeps, so a reopened document draws it alike.
    const std::vector<Wall> stored = AsStored(walls);
    if (const std::string problem = walls.empty() ? std::string() : HouseRecordProblem(stored); !problem.empty()) {
        const std::string words = ArchitectureText(kUnstorableHouseMessage, {problem});
        if (record) return SayWords(words);
        WarnInsertion(words, g->endPoint);
        CopyCString(g->wallRefusal, words.c_str());
        return kNoErr;
    }
    const bool replace = replacing && replacing->group;
    drawn->unknown = replacing ? replacing->unknown : nullptr;
    AIArtHandle group = nullptr;
    if (replace && !walls.empty()) {
        if (AIErr err = sAIArt->NewArt(kGroupArt, kPlaceAbove, replacing->group, &group)) return err;
    } else if (!walls.empty()) {
        if (AIErr err = PrepCADLayer()) return err;
        group = g->group;
    }
    if (group)
        if (AIErr err = DrawInto(group, stored, record, HousePaint(replace ? replacing : nullptr, removedWall), drawn))
            return err;
    if (!replace) return kNoErr;
    // Links that cannot be carried leave the old house as it was.
    if (AIErr err = CarryDimensionLinks(*replacing, removedWall, *drawn, &drawn->detached)) {
        if (group) (void)sAIArt->DisposeArt(group);
        *drawn = House{};
        return err;
    }
    if (AIErr err = sAIArt->DisposeArt(replacing->group)) return err;
    if (record && !drawn->detached.empty()) SayDetachedDimensions(drawn->detached);
    return kNoErr;
}
