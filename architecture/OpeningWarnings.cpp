// Words and warnings for openings that do not fit.
#include "architecture/OpeningWarnings.h"

#include "architecture/ArchitectureGlobals.h"
#include "architecture/ArchitectureMessages.h"
#include "core/PlotwiseStrings.h"
#include "geometry/PointMath.h"

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

std::string FitWords(OpeningFit fit, int32_t kind, double width, const Wall& wall, const WallCorners& corners,
                     double scaler) {
    const std::string what = ArchitectureText(kind == kWindowOpening ? kWindowWord : kDoorWord);
    const auto [from, to] = ClearSpan(wall, corners);
    // The clear length is measured along the wall's ends, as the record holds them.
    const AIRealPoint start{static_cast<AIReal>(wall.start.h), static_cast<AIReal>(wall.start.v)};
    const AIRealPoint end{static_cast<AIReal>(wall.end.h), static_cast<AIReal>(wall.end.v)};
    const double error = DistanceError(start, end) + HeldError(static_cast<AIReal>(width));
    const auto [widthWords, clearWords] = LengthWordsApart(width, to - from, scaler, error);
    for (const FitRow& row : kFitMessages)
        if (row.fit == fit) return ArchitectureText(row.message, {what, widthWords, clearWords});
    return {};
}

void WarnInsertion(const std::string& words, AIRealPoint at) {
    CopyCString(g->insertionWarning, words.c_str());
    g->insertionWarningAt = at;
}

bool OpeningsStillFit(const std::vector<Wall>& walls, AIRealPoint at, double scaler) {
    const std::vector<WallCorners> corners = JoinWalls(walls);
    size_t w = 0, k = 0;
    const OpeningFit fit = CheckAllOpenings(walls, corners, &w, &k);
    const bool fits = fit == OpeningFit::kFits;
    const WallOpening* o = fits ? nullptr : &walls[w].openings[k];
    WarnInsertion(o ? FitWords(fit, o->kind, o->width, walls[w], corners[w], scaler) : std::string(), at);
    return fits;
}
