// Label frames: the text measured, the frame's half height and stretch worked out from it,
// the outline of each shape as one closed path, and the texts placed inside.
#include "dimtools/LabelShapes.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionText.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelParts.h"
#include "dimtools/LeaderLines.h"
#include "geometry/CurveConstants.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr size_t kMeasuredText = 511;
constexpr AIReal kSqrt3 = 1.7320508f;
constexpr AIReal kUnstretchedWidth = 0.8f;  // text sizes of width a frame holds unstretched
constexpr AIReal kSmallestCapsule = 10.0f;
constexpr AIReal kFlatEdge = 0.1f;
constexpr AIReal kSplitTextAbove = 3.0f, kSplitTextBelow = 1.0f;
constexpr int16_t kStartStyle = 1, kCenterStyle = 2, kLimitStyle = 3;

// The sizes a frame is drawn from: centre, half height, stretch either side, the circle
// handle of the half height.
struct Frame {
    AIRealPoint c;
    AIReal r, s, k;
};

std::vector<AIPathSegment> Box(const Frame& f) {
    const AIReal x = f.s + f.r;
    return {CornerAnchor({f.c.h + x, f.c.v + f.r}), CornerAnchor({f.c.h - x, f.c.v + f.r}),
            CornerAnchor({f.c.h - x, f.c.v - f.r}), CornerAnchor({f.c.h + x, f.c.v - f.r})};
}

// A circle, or a capsule whose straight top and bottom edges are 2s long.
std::vector<AIPathSegment> Capsule(const Frame& f) {
    const AIRealPoint c = f.c;
    const AIReal r = f.r, s = f.s, k = f.k;
    const bool flat = std::fabs(s) > kFlatEdge;
    std::vector<AIPathSegment> a;
    a.push_back(CornerAnchor({c.h + r + s, c.v}, {c.h + r + s, c.v - k}, {c.h + r + s, c.v + k}));
    a.push_back(CornerAnchor({c.h + s, c.v + r}, {c.h + s + k, c.v + r}, {c.h + s - k, c.v + r}));
    if (flat) a.push_back(CornerAnchor({c.h - s, c.v + r}, {c.h - s + k, c.v + r}, {c.h - s - k, c.v + r}));
    a.push_back(CornerAnchor({c.h - r - s, c.v}, {c.h - r - s, c.v + k}, {c.h - r - s, c.v - k}));
    a.push_back(CornerAnchor({c.h - s, c.v - r}, {c.h - s - k, c.v - r}, {c.h - s + k, c.v - r}));
    if (flat) a.push_back(CornerAnchor({c.h + s, c.v - r}, {c.h + s - k, c.v - r}, {c.h + s + k, c.v - r}));
    return a;
}

std::vector<AIPathSegment> RoundedBox(const Frame& f) {
    const AIRealPoint c = f.c;
    const AIReal r = f.r, q = f.r / 2.0f, kq = QuarterCircleHandle(q * 2.0f), x = f.s + f.r;
    auto at = [](AIReal h, AIReal v, AIReal inH, AIReal inV, AIReal outH, AIReal outV) {
        return CornerAnchor({h, v}, {h + inH, v + inV}, {h + outH, v + outV});
    };
    return {at(c.h + x - q, c.v + r, kq, 0, 0, 0),  at(c.h - x + q, c.v + r, 0, 0, -kq, 0),
            at(c.h - x, c.v + q, 0, kq, 0, 0),      at(c.h - x, c.v - q, 0, 0, 0, -kq),
            at(c.h - x + q, c.v - r, -kq, 0, 0, 0), at(c.h + x - q, c.v - r, 0, 0, kq, 0),
            at(c.h + x, c.v - q, 0, -kq, 0, 0),     at(c.h + x, c.v + q, 0, 0, 0, kq)};
}

std::vector<AIPathSegment> Hexagon(const Frame& f) {
    const AIRealPoint left{f.c.h - f.s, f.c.v}, right{f.c.h + f.s, f.c.v};
    std::vector<AIPathSegment> a;
    for (const AIReal turn : {2.0f / 3.0f, 1.0f, 4.0f / 3.0f})
        a.push_back(CornerAnchor(PointAlong(left, f.r, turn * kPi)));
    for (const AIReal turn : {-1.0f / 3.0f, 0.0f, 1.0f / 3.0f})
        a.push_back(CornerAnchor(PointAlong(right, f.r, turn * kPi)));
    return a;
}

// Side 2R, its near side through p at half height, apex up; a stretch makes the apex a
// level edge s long.
std::vector<AIPathSegment> Triangle(AIRealPoint p, AIReal bigR, AIReal s, int16_t dir) {
    const AIReal a = (dir > 0 ? 60.0f : 120.0f) * kPi / 180.0f;
    const AIReal ds = static_cast<AIReal>(dir) * s;
    const AIRealPoint t0 = PointAlong(p, bigR, a);
    const AIRealPoint t1{t0.h + ds, t0.v};
    AIRealPoint t2 = PointAlong(t0, 2.0f * bigR, -a);
    t2.h += ds;
    const AIRealPoint t3{t2.h - static_cast<AIReal>(dir) * (2.0f * bigR + s), t2.v};
    return {CornerAnchor(t0), CornerAnchor(t1), CornerAnchor(t2), CornerAnchor(t3)};
}

// The text record of the chain's node (the first, or the second for id 1), or an empty one.
live_dimension_text_data RecordOf(int32_t id) {
    live_dimension_text_data r{};
    r.alpha = r.numeric = -1;
    const cdDataStruct* node = g->firstChainDimDataPtr;
    if (node && id == 1) node = node->nextPtr;
    if (node) r = node->textData;
    r.next = nullptr;
    r.id = id;
    return r;
}

AIErr DrawText(const char* text, AIRealPoint at, int32_t id, AIArtHandle group) {
    live_dimension_text_data record = RecordOf(id);
    return doText(text, at, g->textAlignment, g->textAngle, group, &record);
}

// Where the frame is centred: touching p on its near side, or, for a circle or split circle
// with option held and a straight leader, r along the leader's angle.
AIRealPoint FrameCentre(AIRealPoint p, int16_t dir, int32_t shape, AIReal r, AIReal s, AIReal angle) {
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    const bool round = shape == kCircleFrame || (shape == kSplitCircleFrame && g->curTool != g->pttool);
    if (round && (style.modifiers & kLabelOptionKey) && style.labelLeader == kStraightLeader)
        return PointAlong(p, r, angle);
    return {p.h + static_cast<AIReal>(dir) * (r + s), p.v};
}

}  // namespace

AIErr GetLabelTextArtRect(const char* inText, AIRealRect* bounds) {
    if (!bounds) return kBadParameterErr;
    *bounds = {};
    if (!g) return kCADErr;
    char text[kMeasuredText + 1] = {};
    CopyCString(text, inText && inText[0] ? inText : "-");
    AIRealRect grown{};
    if (AIErr err = GetTextArtRect(text, &grown)) return err;
    // The dimension texts' spacing is no part of a label: its frame has a border instead.
    const AIReal t = static_cast<AIReal>(g->prefs.style.textSpacing) / 2.0f;
    *bounds = {grown.left + t, grown.top - t, grown.right - t, grown.bottom + t};
    return kNoErr;
}

AIErr drawShape(AIRealPoint p, int16_t direction, AIArtHandle group, int32_t labelShape, AIReal angle,
                const char* theText, const char* theText2) {
    if (!g) return kCADErr;
    Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    if (style.labelBorder < 0) style.labelBorder = 0;
    const auto border = static_cast<AIReal>(style.labelBorder);
    const char* text = theText ? theText : "";
    std::string measured = text;
    if (theText2) measured += std::string("\r") + theText2;
    AIRealRect bounds{};
    if (AIErr err = GetLabelTextArtRect(measured.c_str(), &bounds)) return err;
    g->strWidth = bounds.right - bounds.left;
    const AIReal height = bounds.top - bounds.bottom;
    // The baseline that centres the text's height on a level.
    const AIReal below = height / 2.0f - (g->textSize / 2.0f + g->textLeading);
    const auto dir = static_cast<AIReal>(direction);
    g->textAngle = 0;

    if (labelShape <= kNoFrame || labelShape > kHexagonFrame) {
        g->textLoc = {p.h + dir * border, style.labelLeader == kWaveLeader ? p.v : p.v + below};
        g->textAlignment = direction == -1 ? kLimitStyle : kStartStyle;
        if (group) (void)SetDimensionData(group, nullptr);
        return DrawText(text, g->textLoc, 0, group);
    }

    if (group) (void)SetDimensionData(group, nullptr);
    AIReal bigB = border;
    AIReal s = std::max(0.0f, (g->strWidth - kUnstretchedWidth * g->textSize) / 2.0f);
    if (!style.stretchLabelShape) {
        bigB = std::trunc(bigB + s);
        s = 0;
    }
    // A circle holds a short text without stretching: it still touches the leader's end.
    if (labelShape == kCircleFrame && s < kSmallestCapsule) s = 0;
    g->textAlignment = kCenterStyle;
    const AIReal r = bigB + (border + height) / 2.0f;
    const Frame f{FrameCentre(p, direction, labelShape, r, s, angle), r, s, QuarterCircleHandle(r * 2.0f)};
    g->textLoc = {f.c.h, f.c.v + below};

    std::vector<AIPathSegment> outline;
    switch (labelShape) {
        case kBoxFrame: outline = Box(f); break;
        case kCircleFrame:
        case kSplitCircleFrame: outline = Capsule(f); break;
        case kRoundedBoxFrame: outline = RoundedBox(f); break;
        case kHexagonFrame: outline = Hexagon(f); break;
        default: {
            const AIReal bigR = bigB + (border + height) / kSqrt3;
            outline = Triangle(p, bigR, s, direction);
            g->textLoc.h = p.h + dir * (bigR + s) / 2.0f;
            break;
        }
    }
    if (AIErr err = NewLabelPath(group, outline, true)) return err;
    if (labelShape != kSplitCircleFrame) return DrawText(text, g->textLoc, 0, group);

    if (AIErr err = drawDimensionLine(p, {p.h + dir * 2.0f * (r + s), p.v}, group)) return err;
    g->textLoc = {f.c.h, f.c.v + kSplitTextAbove};
    const AIRealPoint text2loc{f.c.h, f.c.v - g->textSize + g->textLeading - kSplitTextBelow};
    if (theText2)
        if (AIErr err = DrawText(theText2, text2loc, 1, group)) return err;
    return DrawText(text, g->textLoc, 0, group);
}
