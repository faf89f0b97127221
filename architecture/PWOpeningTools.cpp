// Door and window insertion.
#include "architecture/PWOpeningTools.h"

#include <cmath>
#include <string>

#include "architecture/ArchitectureGlobals.h"
#include "architecture/ArchitectureMessages.h"
#include "architecture/HouseArt.h"
#include "architecture/HouseRecord.h"
#include "architecture/OpeningWarnings.h"
#include "architecture/PWToolOptions.h"
#include "drawtools/DrawToolSupport.h"

namespace {

constexpr int16_t kWidthItem = 4;

// A door of 36 inches and a window of 48, at full size as the wall thickness starts.
constexpr double kDoorWidth = 36 * 72.0, kWindowWidth = 48 * 72.0;

// Where an opening would go: the house and wall under the point, the scale of the house's
// layer and the opening's width drawn at it, and whether it fits.
struct Placing {
    House house;
    int32_t wall = -1;
    double at = 0;
    double scaler = 1;
    double width = 0;  // drawn
    OpeningFit fit = OpeningFit::kFits;

    bool drawable() const { return std::isfinite(static_cast<float>(width)) && static_cast<float>(width) > 0; }
    std::string words(int32_t kind) const {
        const size_t w = static_cast<size_t>(wall);
        return FitWords(fit, kind, width, house.walls[w], house.corners[w], scaler);
    }
};

// The house and wall under the point (a damaged house: its problem in `problem`; one on a
// locked layer: kLockedHouseErr), and the typed width at the scale of the house's layer.
AIErr Place(AIRealPoint p, double typedWidth, Placing* out, std::string* problem) {
    bool found = false;
    if (AIErr err = FindHouseAt(p, &out->house, &found, problem)) return err;
    if (!found) return kNoErr;
    out->wall = WallAt(out->house.walls, out->house.corners, {p.h, p.v}, 2.0);
    if (out->wall < 0) return kNoErr;
    out->scaler = HouseScale(out->house);
    out->width = typedWidth / out->scaler;
    if (!out->drawable()) return kNoErr;
    const WallFrame f = FrameOf(out->house.walls[out->wall]);
    out->at = f.along({p.h, p.v});
    out->fit = CheckOpening(out->house.walls, out->house.corners, out->wall, out->at, out->width);
    return kNoErr;
}

}  // namespace

PWOpeningTool::PWOpeningTool(int32_t kind, const char* prefix, double width, const char* dialog, int32_t dialogID)
    : _kind(kind), _dialog(dialog), _dialogID(dialogID),
      _width(prefix, "width", width, PWPersistentDouble::Stored::kDrawn) {
    own({&_width});
}

AIErr PWOpeningTool::deselect() {
    WarnInsertion({}, {});
    return kNoErr;
}

AIErr PWOpeningTool::trackCursor(AIRealPoint cursor) {
    Placing placing;
    std::string problem;
    std::string words;
    if (UsableLength(_width) && Place(cursor, _width.get(), &placing, &problem) == kNoErr && placing.wall >= 0 &&
        placing.fit != OpeningFit::kFits)
        words = placing.words(_kind);
    WarnInsertion(words, cursor);
    return kNoErr;
}

AIErr PWOpeningTool::mouseUp(AIRealPoint click, bool) {
    const std::string what = ArchitectureText(_kind == kWindowOpening ? kWindowWord : kDoorWord);
    if (!UsableLength(_width)) return SayArchitecture(kOpeningWidthMessage, {what});
    Placing placing;
    std::string problem;
    const AIErr err = Place(click, _width.get(), &placing, &problem);
    if (err == kDamagedHouseErr) return SayArchitecture(kDamagedHouseMessage, {problem});
    if (err == kLockedHouseErr) return RefuseLockedHouse(placing.house);
    if (err) return err;
    if (placing.wall < 0)
        return SayArchitecture(_kind == kWindowOpening ? kClickWallForWindowMessage : kClickWallForDoorMessage);
    // A width that, at the scale of this wall's layer, the art cannot hold.
    if (!placing.drawable()) return SayArchitecture(kOpeningWidthMessage, {what});
    if (placing.fit != OpeningFit::kFits) {
        const std::string words = placing.words(_kind);
        WarnInsertion(words, click);
        return SayWords(words);
    }
    std::vector<Wall> walls = placing.house.walls;
    Wall& wall = walls[static_cast<size_t>(placing.wall)];
    const WallFrame f = FrameOf(wall);
    WallOpening o;
    o.kind = _kind;
    o.at = placing.at;
    o.width = placing.width;
    o.side = f.across({click.h, click.v}) < (f.lo + f.hi) / 2 ? 1 : 0;
    o.hinge = OptionHeld() ? 1 : 0;
    wall.openings.push_back(o);
    House drawn;
    return DrawHouse(walls, &placing.house, &drawn);
}

AIErr PWOpeningTool::editOptions() {
    const OptionField fields[] = {{.item = kWidthItem, .length = &_width}};
    return RunOptionsDialog(_dialog, _dialogID, fields);
}

PWDoorInsertionTool::PWDoorInsertionTool()
    : PWOpeningTool(kDoorOpening, "ZMKPWDoorInsertionTool", kDoorWidth, "DoorOptions", 16960) {}

PWWindowInsertionTool::PWWindowInsertionTool()
    : PWOpeningTool(kWindowOpening, "ZMKPWWindowInsertionTool", kWindowWidth, "WindowOptions", 16970) {}
