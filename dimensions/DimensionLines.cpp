// Witness lines, dimension lines and terminators as small host paths.
#include "dimensions/DimensionLines.h"

#include <cmath>
#include <initializer_list>

#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionPaint.h"
#include "geometry/CurveConstants.h"
#include "geometry/PlotwiseErrors.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr float kHalfArrowShortening = 0.3f;
constexpr int32_t kOptionKey = 2;

// A new path in prep (on top) or above firstArt, styled, with its segments written one by
// one; the first failing call's code is returned.
AIErr newPath(AIArtHandle prep, const AIPathStyle& style, std::initializer_list<AIPathSegment> segments,
              int closed /* -1: leave the flag */, AIArtHandle* made = nullptr) {
    if (!g || !sAIArt || !sAIPath || !sAIPathStyle) return kBadParameterErr;
    AIArtHandle path = nullptr;
    if (AIErr err = sAIArt->NewArt(kPathArt, prep ? kPlaceInsideOnTop : kPlaceAbove, prep ? prep : g->firstArt, &path))
        return err;
    if (AIErr err = sAIPathStyle->SetPathStyle(path, &style)) return err;
    int16_t index = 0;
    for (const AIPathSegment& s : segments)
        if (AIErr err = sAIPath->SetPathSegments(path, index++, 1, &s)) return err;
    if (closed >= 0)
        if (AIErr err = sAIPath->SetPathClosed(path, closed != 0)) return err;
    if (made) *made = path;
    return kNoErr;
}

AIErr twoPointPath(AIRealPoint a, AIRealPoint b, const AIPathStyle& style, AIArtHandle prep) {
    return newPath(prep, style, {CornerAnchor(a), CornerAnchor(b)}, 0);
}

// Arrowheads at both ends from the two barb vectors: p1 + u2, p1, p1 + u1 and p2 - u2,
// p2, p2 - u1.
AIErr arrowheads(AIRealPoint p1, AIRealPoint p2, int16_t atP1, int16_t atP2, AIRealPoint u1, AIRealPoint u2,
                 AIArtHandle prep) {
    AIErr err = kNoErr;
    if (atP1 && (err = drawArrowhead(p1 + u2, p1 + u1, p1, prep))) return err;
    if (atP2) err = drawArrowhead(p2 - u2, p2 - u1, p2, prep);
    return err;
}

// The linear tool a dimension is drawn with: 1 horizontal, 2 vertical, 0 neither. A redraw
// (an update, a resize) runs under whatever tool is current: there the kind the dimension
// stores names the tool that drew it.
int16_t linearDirection() {
    if (g->updatingDimensions || g->resizingDimension) {
        switch (g->curDimType) {
            case kHorizontal: case kHorizontalDatum: return 1;
            case kVertical: case kVerticalDatum: return 2;
            default: return 0;
        }
    }
    const auto direction = PlotwiseService().linearToolDirection;
    return direction ? direction(g->curTool) : 0;
}

// Slashes turn on vertical dimensions whose text sits beside the line.
bool slashTurns() {
    const Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    if (g->prefs.forceSlashDirection != 0 || (s.vTextPlacement != 2 && s.vTextPlacement != 3)) return false;
    const int16_t tool = linearDirection();
    return tool == 2 || (tool == 1 && (s.modifiers & kOptionKey) != 0);
}

AIErr slashes(AIRealPoint p1, AIRealPoint p2, int16_t atP1, int16_t atP2, bool rising, AIArtHandle prep) {
    const float h = g->prefs.style.arrowheadLength / 2.0f;
    AIErr err = kNoErr;
    // Rising: lower left to upper right at both ends; falling: upper left to lower right at
    // p1, and lower right to upper left at p2.
    if (atP1) {
        err = rising ? drawSlashTerminator({p1.h - h, p1.v - h}, {p1.h + h, p1.v + h}, prep)
                     : drawSlashTerminator({p1.h - h, p1.v + h}, {p1.h + h, p1.v - h}, prep);
        if (err) return err;
    }
    if (atP2) {
        if (rising) err = drawSlashTerminator({p2.h - h, p2.v - h}, {p2.h + h, p2.v + h}, prep);
        else err = drawSlashTerminator({p2.h + h, p2.v - h}, {p2.h - h, p2.v + h}, prep);
    }
    return err;
}

}  // namespace

AIErr drawWitnessLine(AIRealPoint a, AIRealPoint b, AIArtHandle prep) {
    if (!g) return kBadParameterErr;
    return twoPointPath(a, b, g->witnessLineStyle, prep);
}

AIErr drawDimensionLine(AIRealPoint a, AIRealPoint b, AIArtHandle prep) {
    if (!g) return kBadParameterErr;
    return twoPointPath(a, b, g->dimensionLineStyle, prep);
}

AIErr drawSlashTerminator(AIRealPoint a, AIRealPoint b, AIArtHandle prep) {
    if (!g) return kBadParameterErr;
    return twoPointPath(a, b, g->arrowheadStyle, prep);
}

AIErr drawArrowhead(AIRealPoint barb1, AIRealPoint barb2, AIRealPoint tip, AIArtHandle prep) {
    if (!g) return kBadParameterErr;
    int closed = -1;
    switch (g->prefs.style.arrowheadStyle) {
        case 1: case 2: case 5: case 7: closed = 1; break;
        case 3: case 4: case 6: case 8: closed = 0; break;
        default: break;
    }
    return newPath(prep, g->arrowheadStyle, {CornerAnchor(barb1), CornerAnchor(tip), CornerAnchor(barb2)}, closed);
}

AIErr drawDots(AIRealPoint c, AIArtHandle prep) {
    if (!g) return kBadParameterErr;
    const float length = g->prefs.style.arrowheadLength;
    const float r = length / 2.0f, k = QuarterCircleHandle(length);
    return newPath(prep, g->arrowheadStyle,
                   {CornerAnchor({c.h + r, c.v}, {c.h + r, c.v - k}, {c.h + r, c.v + k}),
                    CornerAnchor({c.h, c.v + r}, {c.h + k, c.v + r}, {c.h - k, c.v + r}),
                    CornerAnchor({c.h - r, c.v}, {c.h - r, c.v + k}, {c.h - r, c.v - k}),
                    CornerAnchor({c.h, c.v - r}, {c.h - k, c.v - r}, {c.h + k, c.v - r})},
                   1);
}

namespace {

// The terminators at p1 and p2 of a line whose terminators point along d (from p1's towards
// p2's when inside).
AIErr EndpointGraphics(AIRealPoint p1, AIRealPoint p2, int16_t atP1, int16_t atP2, float d, AIArtHandle prep) {
    const Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    const float length = s.arrowheadLength;
    float a = DegreesToRadians(s.arrowheadAngle);
    switch (s.arrowheadStyle) {
        case 1: case 6: case 7:
            return arrowheads(p1, p2, atP1, atP2, Polar(length, d + a), Polar(length, d - a), prep);
        case 5:
            // The barb keeps its side of the line whichever way the line runs.
            if (std::cos(d) <= 0.0f) a = -a;
            return arrowheads(p1, p2, atP1, atP2, Polar(length, d + a),
                              Polar(length - kHalfArrowShortening * length, d), prep);
        case 2: {
            AIErr err = kNoErr;
            if (atP1 && (err = drawDots(p1, prep))) return err;
            if (atP2) err = drawDots(p2, prep);
            return err;
        }
        case 3: return slashes(p1, p2, atP1, atP2, !slashTurns(), prep);
        case 8: return slashes(p1, p2, atP1, atP2, slashTurns(), prep);
        default: return kNoErr;  // style 4 and unknown styles draw nothing
    }
}

}  // namespace

AIErr doLineEndpointGraphics(AIRealPoint p1, AIRealPoint p2, int16_t atP1, int16_t atP2, int16_t inside,
                             AIArtHandle prep) {
    if (!g) return kBadParameterErr;
    return EndpointGraphics(p1, p2, atP1, atP2, inside ? Angle(p1, p2) : Angle(p2, p1), prep);
}

AIErr LineEndpointGraphicsAlong(AIRealPoint p1, AIRealPoint p2, AIReal direction, int16_t atP1, int16_t atP2,
                                int16_t inside, AIArtHandle prep) {
    if (!g) return kBadParameterErr;
    return EndpointGraphics(p1, p2, atP1, atP2, inside ? direction : direction + kPi, prep);
}

AIErr doJISEndpointGraphics(AIRealPoint p1, AIRealPoint p2, int16_t atP1, int16_t atP2, AIArtHandle prep) {
    if (!g) return kBadParameterErr;
    Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    const float d = Angle(p1, p2), a = DegreesToRadians(s.arrowheadAngle);
    const AIRealPoint u1 = Polar(s.arrowheadLength, d + a), u2 = Polar(s.arrowheadLength, d - a);
    if (atP1) {
        // An origin circle: filled white, stroked in the dimension colour.
        AIColor& fill = g->arrowheadStyle.fill.color;
        fill.kind = kGrayColor;
        fill.c.g.gray = 0.0f;
        const AIErr err = drawDots(p1, prep);
        setColorToPrefColors(&fill);
        if (err) return err;
    }
    if (!atP2) return kNoErr;
    const int32_t remembered = s.arrowheadStyle;
    s.arrowheadStyle = 6;
    AIErr err = setPathAndArrowheadStyles();
    if (!err) err = drawArrowhead(p2 - u2, p2 - u1, p2, prep);
    s.arrowheadStyle = remembered;
    const AIErr rebuilt = setPathAndArrowheadStyles();
    return err ? err : rebuilt;
}
