// Words and warnings for openings that do not fit.
#include "architecture/OpeningWarnings.h"

#include "architecture/ArchitectureGlobals.h"
#include "architecture/ArchitectureMessages.h"
#include "core/PlotwiseStrings.h"

namespace {

constexpr GlobalsView<ArchitectureGlobals> g;

struct FitRow {
    OpeningFit fit;
    int32_t message;
};
constexpr FitRow kFitMessages[] = {
    {OpeningFit::kWiderThanWall, kWiderThanWallMessage},
    {OpeningFit::kPastEnd, kPastEndMessage},
    {OpeningFit::kOverOpening, kOverOpeningMessage},
    {OpeningFit::kOverJoiningWall, kOverJoiningWallMessage},
};

}  // namespace

std::string FitWords(OpeningFit fit, int32_t kind, double width, const Wall& wall, const WallCorners& corners) {
    const std::string what = ArchitectureText(kind == kWindowOpening ? kWindowWord : kDoorWord);
    const auto [from, to] = ClearSpan(wall, corners);
    for (const FitRow& row : kFitMessages)
        if (row.fit == fit) return ArchitectureText(row.message, {what, LengthWords(width), LengthWords(to - from)});
    return {};
}

void WarnInsertion(const std::string& words, AIRealPoint at) {
    CopyCString(g->insertionWarning, words.c_str());
    g->insertionWarningAt = at;
}

bool OpeningsStillFit(const std::vector<Wall>& walls, AIRealPoint at) {
    const std::vector<WallCorners> corners = JoinWalls(walls);
    size_t w = 0, k = 0;
    const OpeningFit fit = CheckAllOpenings(walls, corners, &w, &k);
    const bool fits = fit == OpeningFit::kFits;
    const WallOpening* o = fits ? nullptr : &walls[w].openings[k];
    WarnInsertion(o ? FitWords(fit, o->kind, o->width, walls[w], corners[w]) : std::string(), at);
    return fits;
}
