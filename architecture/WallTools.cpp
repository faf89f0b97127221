// The add, remove and move wall tools.
#include "architecture/WallTools.h"

#include <algorithm>
#include <cmath>
#include <string>

#include "architecture/ArchitectureGlobals.h"
#include "architecture/ArchitectureMessages.h"
#include "architecture/HouseArt.h"
#include "architecture/HouseLinks.h"
#include "architecture/HouseRecord.h"
#include "architecture/OpeningWarnings.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<ArchitectureGlobals> g;

constexpr int32_t kWallDialogID = 16730;

WallPoint Point(AIRealPoint p) { return {p.h, p.v}; }
AIRealPoint Real(WallPoint p) { return {static_cast<AIReal>(p.h), static_cast<AIReal>(p.v)}; }
// A point as the record keeps it, so that what is drawn now is what a reopened document draws.
WallPoint Stored(WallPoint p) { return Point(Real(p)); }

// The house under the first click. A house whose record cannot be read, or on a locked layer,
// is refused: said in words when `say` is set (at the press), else silently.
AIErr HouseUnderPress(bool say, House* house, bool* found) {
    std::string problem;
    const AIErr err = FindHouseAt(g->firstClick, house, found, &problem);
    if (err == kLockedHouseErr) return say ? RefuseLockedHouse(*house) : kCADErr;
    if (err != kDamagedHouseErr) return err;
    return say ? SayArchitecture(kDamagedHouseMessage, {problem}) : kCADErr;
}

// A wall added to or moved in a house is sized at the scale of the house's layer, which need
// not be the current one. Read only, as every press reads it.
void LoadHouseScale(const House& house) {
    AILayerHandle layer = nullptr;
    if (house.path && sAIArt->GetLayerOfArt(house.path, &layer) == kNoErr) (void)LoadLayerScale(layer, /*mend=*/false);
}

// A drag's house, drawn without its record: the release writes it. One the record could not
// keep is not drawn, and the release says why instead.
AIErr DrawPreview(const std::vector<Wall>& walls, const House* replacing) {
    if (AIErr err = DrawHouse(walls, replacing, &g->wallPreview, false)) return err;
    g->wallPreviewPending = g->wallPreview.path ? 1 : 0;
    return kNoErr;
}

// A drag starts afresh: its undo took the last preview back.
void StartDrag() {
    g->wallPreviewPending = 0;
    g->wallRefusal[0] = '\0';
}

// The thickness typed is the real one: drawn at the scale in force, that of the layer the
// wall goes on (the house's, or the current layer's for a new house).
float DrawnThickness() {
    const double scaler = std::isfinite(g->prefs.scaler) && g->prefs.scaler > 0 ? g->prefs.scaler : 1.0;
    return static_cast<float>(g->prefs.wallThickness / scaler);
}

bool ThicknessUsable() { return std::isfinite(DrawnThickness()) && DrawnThickness() > 0; }

// A new wall of the wall settings; a datum the settings cannot mean is the inside face.
Wall NewWall(WallPoint start, WallPoint end) {
    Wall w;
    w.start = Stored(start);
    w.end = Stored(end);
    w.thickness = DrawnThickness();
    w.datum = g->prefs.wallDatum >= kCenterDatum && g->prefs.wallDatum <= kOutsideFaceDatum ? g->prefs.wallDatum
                                                                                          : kInsideFaceDatum;
    return w;
}

// Where the new wall starts: on the house under the first click, or a house of its own.
struct WallBeginning {
    House house;
    bool found = false;
    WallStart start;
};

AIErr Begin(bool say, WallBeginning* b) {
    if (AIErr err = HouseUnderPress(say, &b->house, &b->found)) return err;
    b->start = b->found ? FindWallStart(b->house.walls, b->house.corners, Point(g->firstClick))
                        : WallStart{WallPlace::kNewWall, Point(g->firstClick)};
    b->start.at = Stored(b->start.at);
    return kNoErr;
}

// A house that holds as many walls as a record may.
bool Full(const WallBeginning& b) { return b.found && b.house.walls.size() >= static_cast<size_t>(kMaxHouseWalls); }

// The wall from where it begins to `end`, added to its house (or making a new one), with the
// tracker's read-out and the annotator's length; a drag's preview, or drawn with its record.
AIErr AddWall(const WallBeginning& b, WallPoint end, bool preview) {
    const WallPoint from = b.start.at;
    // A typed wall may reach past what the drawing's reals hold: it is not drawn.
    if (!std::isfinite(Real(end).h) || !std::isfinite(Real(end).v)) return kBadParameterErr;
    const double dh = end.h - from.h, dv = end.v - from.v;
    const auto length = static_cast<AIReal>(std::sqrt(dh * dh + dv * dv));
    const auto angle = static_cast<AIReal>(std::atan2(dv, dh));
    const AIRealPoint to = Real(end);
    if (AIErr err = updateTrackerWindow(to.h, to.v, kMissingValue, kMissingValue, kMissingValue, kMissingValue,
                                        kMissingValue, RadiansToDegrees(angle), length, kMissingValue, kMissingValue))
        return err;
    g->wallInfoShown = g->prefs.showWallInfo ? 1 : 0;
    g->wallInfoFrom = Real(from);
    g->wallInfoTo = to;
    if (!(length > 0)) return kNoErr;  // back at the start: no wall yet
    std::vector<Wall> walls = b.found ? b.house.walls : std::vector<Wall>{};
    if (Full(b)) return preview ? kCADErr : SayArchitecture(kHouseTooLargeMessage, {std::to_string(kMaxHouseWalls)});
    walls.push_back(NewWall(from, end));
    if (preview) return DrawPreview(walls, b.found ? &b.house : nullptr);
    House drawn;
    return DrawHouse(walls, b.found ? &b.house : nullptr, &drawn);
}

}  // namespace

void ForgetWallAnnotations() {
    g->wallInfoShown = 0;
    g->insertionWarning[0] = '\0';
}

AIErr EndWallGesture() {
    ForgetWallAnnotations();
    if (g->wallRefusal[0]) {
        const std::string words = g->wallRefusal;
        g->wallRefusal[0] = '\0';
        return SayWords(words);
    }
    if (!g->wallPreviewPending) return kNoErr;
    g->wallPreviewPending = 0;
    if (AIErr err = WriteHouseRecord(g->wallPreview.path, g->wallPreview.walls, g->wallPreview.unknown)) return err;
    if (!g->wallPreview.detached.empty()) SayDetachedDimensions(g->wallPreview.detached);
    return kNoErr;
}

AIErr AddWallMouseDown() {
    ForgetWallAnnotations();
    if (!ThicknessUsable()) return SayArchitecture(kThicknessMessage);
    WallBeginning b;
    if (AIErr err = Begin(true, &b)) return err;
    if (b.found) LoadHouseScale(b.house);
    return Full(b) ? SayArchitecture(kHouseTooLargeMessage, {std::to_string(kMaxHouseWalls)}) : kNoErr;
}

AIErr doAddWallTool() {
    StartDrag();
    if (!ThicknessUsable()) return kNoErr;  // said at the press
    WallBeginning b;
    if (AIErr err = Begin(false, &b)) return err;
    WallPoint end = Point(g->endPoint);
    if (ShiftInForce()) {
        AIReal angle = static_cast<AIReal>(std::atan2(end.v - b.start.at.v, end.h - b.start.at.h));
        (void)SetConstrainAngle(&angle);
        const double length = std::hypot(end.h - b.start.at.h, end.v - b.start.at.v);
        end = {b.start.at.h + length * std::cos(angle), b.start.at.v + length * std::sin(angle)};
    } else if (b.found) {
        end = SnapWallEnd(b.house.walls, b.house.corners, b.start.at, end);
    }
    return AddWall(b, Stored(end), true);
}

AIErr doWallDialog() { return OpenNumericInputDialog(kWallDialogID, nullptr); }

AIErr doInputWallTool(AIReal length, AIReal angle) {
    if (!ThicknessUsable()) return SayArchitecture(kThicknessMessage);
    if (!std::isfinite(length) || !std::isfinite(angle)) return kBadParameterErr;
    WallBeginning b;
    if (AIErr err = Begin(true, &b)) return err;
    const WallPoint end{b.start.at.h + double(length) * std::cos(double(angle)),
                        b.start.at.v + double(length) * std::sin(double(angle))};
    return AddWall(b, Stored(end), false);
}

AIErr doRemoveWallTool() {
    House house;
    bool found = false;
    if (AIErr err = HouseUnderPress(true, &house, &found)) return err;
    const int32_t w = found ? WallAt(house.walls, house.corners, Point(g->firstClick), 2.0) : -1;
    if (w < 0) return SayArchitecture(kClickWallToRemoveMessage);
    std::vector<Wall> walls = house.walls;
    walls.erase(walls.begin() + w);
    House drawn;
    return DrawHouse(walls, &house, &drawn, true, w);
}

// The press of a move that was refused and said so: its release says nothing more.
constexpr int32_t kMoveRefused = -2;

AIErr MoveWallMouseDown() {
    ForgetWallAnnotations();
    g->movingWall = kMoveRefused;
    House house;
    bool found = false;
    if (AIErr err = HouseUnderPress(true, &house, &found)) return err;
    if (found) LoadHouseScale(house);
    g->movingWall = found ? WallAt(house.walls, house.corners, Point(g->firstClick), 2.0) : -1;
    return kNoErr;
}

AIErr doMoveWallTool() {
    StartDrag();
    if (g->movingWall < 0) return kNoErr;
    House house;
    bool found = false;
    if (AIErr err = HouseUnderPress(false, &house, &found)) return err;
    if (!found || static_cast<size_t>(g->movingWall) >= house.walls.size()) return kNoErr;
    const auto index = static_cast<size_t>(g->movingWall);
    const WallFrame f = FrameOf(house.walls[index]);
    const double offset = f.across(Point(g->endPoint)) - f.across(Point(g->firstClick));
    std::vector<Wall> moved = MoveWall(house.walls, house.corners, index, offset);
    for (Wall& w : moved) w.start = Stored(w.start), w.end = Stored(w.end);
    // Where a door or window would no longer fit, the wall stays and the annotator says why.
    // A wall moved past what a float holds is refused by the preview (its record could not
    // keep it) before any geometry is worked out of it.
    const auto finite = [](WallPoint p) { return std::isfinite(p.h) && std::isfinite(p.v); };
    const bool movable = std::all_of(moved.begin(), moved.end(), [&](const Wall& w) {
        return finite(w.start) && finite(w.end);
    });
    if (movable && !OpeningsStillFit(moved, g->endPoint, HouseScale(house))) return kNoErr;
    return DrawPreview(moved, &house);
}

AIErr MoveWallMouseUp() {
    const bool nothing = g->movingWall == -1;
    g->movingWall = -1;
    if (AIErr err = EndWallGesture()) return err;
    return nothing ? SayArchitecture(kPressWallToMoveMessage) : kNoErr;
}
