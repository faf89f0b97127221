// The datum flag, feature and target: the common leg, then each symbol's own parts.
#include "dimtools/DatumSymbols.h"

#include <cmath>
#include <string>

#include "AIHitTest.h"
#include "core/PlotwiseStrings.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionText.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelParts.h"
#include "dimtools/LabelShapes.h"
#include "dimtools/LabelText.h"
#include "dimtools/LeaderLines.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kFeatureHalfAngle = kPi / 6;  // the triangle's 30 degrees either side of the leg
constexpr AIReal kSqrt3 = 1.73205f;
constexpr AIReal kLevelLeg = 1e-3f;  // radians: a flag's leg this near level is level
constexpr int32_t kCustomFormat = 3;
constexpr int16_t kCenterStyle = 2;
constexpr int16_t kFilledArrowhead = 1;

// The leg of a symbol: the press and drag snapped onto the art under them, the knee and
// the leg's angle; the side of the feature and target (ctrl: the other) and the end of
// their shelf.
struct Leg {
    AIRealPoint start, knee;
    AIReal theta;
    int16_t direction;
    AIRealPoint end;
};

bool Ctrl() { return (g->prefs.style.modifiers & kLabelCtrlKey) != 0; }

// The group the symbol is drawn into, and its leg pressed at *press; the snapped press is
// written back there. Under shift the leg is as long as the drag from the press, or, with
// `fromUnsnapped` (the flag), from the press before it snapped (startingPoint).
AIErr Begin(AIRealPoint* press, bool fromUnsnapped, AIArtHandle* group, Leg* leg) {
    if (AIErr err = CheckDocumentZoom()) return err;
    if (AIErr err = PrepDimensionLayer()) return err;
    *group = g->group;
    const AIRealPoint unsnapped = g->startingPoint;
    if (AIErr err = SnapLabelPress(press, kSnapHitRequest)) return err;
    if (AIErr err = SnapLabelEnd(&g->endPoint, kSnapHitRequest)) return err;
    leg->start = *press;
    leg->knee = LeaderKnee(*press, g->endPoint, fromUnsnapped ? unsnapped : *press, &leg->theta);
    leg->direction = LabelSide(leg->start, leg->knee, Ctrl());
    leg->end = ShelfEnd(leg->knee, leg->direction);
    return kNoErr;
}

// The custom text of the chain's node (0 the first, 1 the second), or the fallback.
std::string NodeText(int index, const char* fallback) {
    const cdDataStruct* node = g->firstChainDimDataPtr;
    if (node && index == 1) node = node->nextPtr;
    return node ? node->textData.customStr : fallback;
}

// The feature's triangle, filled as terminator style 1 whatever the style's terminator is;
// the style's terminator and paint are as they were afterwards, whatever failed.
AIErr FeatureTriangle(const Leg& leg, AIArtHandle group) {
    const AIReal pathAngle = Angle(leg.start, leg.knee);
    const AIRealPoint apex = PointAlong(leg.start, g->textSize, pathAngle);
    const AIReal side = g->textSize * 2.0f / kSqrt3;
    const AIRealPoint base1 = PointAlong(apex, -side, pathAngle - kFeatureHalfAngle);
    const AIRealPoint base2 = PointAlong(apex, -side, pathAngle + kFeatureHalfAngle);
    Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    const int32_t saved = style.arrowheadStyle;
    style.arrowheadStyle = kFilledArrowhead;
    AIErr err = setPathAndArrowheadStyles();
    if (!err) err = drawArrowhead(base1, base2, apex, group);
    style.arrowheadStyle = saved;
    const AIErr restored = setPathAndArrowheadStyles();
    return err ? err : restored;
}

// The flag continuing the leg at the knee, and its text across it.
AIErr Flag(const Leg& leg, AIArtHandle group) {
    const AIReal theta = leg.theta;
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    const auto border = static_cast<AIReal>(static_cast<int16_t>(style.labelBorder));
    const AIReal s = g->textSize + g->textLeading + border;
    char text[1024] = {};
    GetLabelText(style.labelFormat, text, nullptr, sizeof text);
    const std::string textOut =
        style.labelFormat == kCustomFormat ? std::string(text) : "- " + std::string(text) + " -";
    char bounded[sizeof text] = {};
    CopyCString(bounded, textOut.c_str());
    KeepLabelText(bounded);
    AIRealRect bounds{};
    if (AIErr err = GetTextArtRect(bounded, &bounds)) return err;
    const AIReal width = bounds.right - bounds.left;
    const AIReal w = width + border < 0 ? width : width + border;
    const AIReal phi = Ctrl() ? theta + kHalfPi : theta - kHalfPi;
    const AIRealPoint e = leg.knee;
    const AIRealPoint e1 = PointAlong(e, s, theta);
    const AIRealPoint e2 = PointAlong(e1, w, phi);
    const AIRealPoint e3 = PointAlong(e2, s, theta - kPi);
    const AIPathSegment flag[] = {CornerAnchor(e), CornerAnchor(e1), CornerAnchor(e2), CornerAnchor(e3)};
    if (AIErr err = NewLabelPath(group, flag, true)) return err;
    // Across the flag, reading upwards or rightwards whichever way the leg points; a level
    // leg reads upwards either way, and so does one a rounding off level, as a redraw of a
    // drag snapped level may leave it.
    const AIRealPoint m = PointAlong(e, w / 2.0f, phi);
    const bool level = std::fabs(std::sin(theta)) < kLevelLeg;
    const bool up = level ? std::cos(theta) < 0 : theta > 0;
    g->textAlignment = kCenterStyle;
    g->textAngle = up ? theta - kHalfPi : theta + kHalfPi;
    g->textLoc = PointAlong(m, s / 2.0f + (up ? -1.0f : 1.0f) * g->textSize / 3.0f, theta);
    cdDataStruct* node = g->firstChainDimDataPtr;
    live_dimension_text_data none{};
    none.alpha = none.numeric = -1;
    live_dimension_text_data* record = node ? &node->textData : &none;
    return doText(bounded, g->textLoc, g->textAlignment, g->textAngle, group, record);
}

}  // namespace

AIErr doDatumTool() {
    if (!g) return kCADErr;
    AIArtHandle group = nullptr;
    Leg leg{};
    if (AIErr err = Begin(&g->firstClick, true, &group, &leg)) return err;
    (void)SetDimensionData(group, nullptr);
    const AIPathSegment line[] = {CornerAnchor(leg.start), CornerAnchor(leg.knee)};
    if (AIErr err = NewLabelPath(group, line, false)) return err;
    if (AIErr err = Flag(leg, group)) return err;
    return SetDimensionData(group, nullptr);
}

AIErr doDatumFeatureTool() {
    if (!g) return kCADErr;
    AIArtHandle group = nullptr;
    Leg leg{};
    if (AIErr err = Begin(&g->startingPoint, false, &group, &leg)) return err;
    if (AIErr err = FeatureTriangle(leg, group)) return err;
    if (AIErr err = drawLeaderLine(leg.start, leg.knee, leg.end, group, kElbowLeader, 0)) return err;
    char text[1024] = {};
    TakeLabelText(text, nullptr);
    if (AIErr err = drawShape(leg.end, leg.direction, group, kBoxFrame, Angle(leg.knee, leg.end), text, nullptr))
        return err;
    return SetDimensionData(group, nullptr);
}

AIErr doDatumTargetTool() {
    if (!g) return kCADErr;
    AIArtHandle group = nullptr;
    Leg leg{};
    if (AIErr err = Begin(&g->startingPoint, false, &group, &leg)) return err;
    Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    if (AIErr err = drawLeaderLine(leg.start, leg.knee, leg.end, group, style.labelLeader, 1)) return err;
    const std::string text1 = NodeText(0, "1"), text2 = NodeText(1, "A");
    KeepLabelText(text1.c_str());
    if (AIErr err = drawShape(leg.end, leg.direction, group, kSplitCircleFrame, Angle(leg.start, leg.end),
                              text1.c_str(), text2.c_str()))
        return err;
    // Its texts are its own, whatever the labels' format: the stored style says so.
    const int32_t format = style.labelFormat;
    style.labelFormat = kCustomFormat;
    const AIErr err = SetDimensionData(group, nullptr);
    style.labelFormat = format;
    return err;
}
