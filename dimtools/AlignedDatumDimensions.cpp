// The aligned datum-chain routine. The dimensions are measured along the direction a from
// the first click to the second; the witness lines run at b, from the clicks' line towards
// the drag point, and the dimension lines, parallel to a, lie on the line through the drag
// point (or the offset shift snaps to): the first there, in the stacked layout each later
// one a stacking step further out. Every value is the distance between the datum's witness
// line and its click's.
#include <algorithm>
#include <utility>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionText.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimtools/AlignedLine.h"
#include "dimtools/DatumDimensions.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LinearAxis.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"
#include "geometry/UnitFormat.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kStackingAllowance = 10.0f;  // between stacked rows, beyond the text's size
constexpr AIReal kLastClickReach = 2.0f;      // a click this near the last one closes the chain
constexpr int16_t kStartStyle = 1, kCenterStyle = 2, kLimitStyle = 3;
constexpr int32_t kCtrlBit = 4;
constexpr int32_t kTextAboveLine = 2;
constexpr int16_t kAlongMode = 4;  // GetPointFractionalOffset: the signed foot along the clicks' line

const Plotwise3_Live_Dimension_Data& Style() { return g->prefs.style; }

// The lines every dimension of the chain is drawn on.
struct Frame {
    AIReal a = 0;          // the measuring direction: first click to second
    AIReal b = 0;          // the witness lines' direction, towards the drag point
    AIRealPoint l1, l2;    // the first dimension line, on the first and last clicks' witness lines
    AIReal step = 0;       // between stacked rows (0: running)
};

// The frame from the clicks and the drag point, and the text's slide; false in found where
// they make no line (the drag point on the clicks' line, or lines that do not cross).
AIErr FindFrame(const cdDataStruct& f, const cdDataStruct& l, Frame* frame, bool* found) {
    *found = false;
    const AIRealPoint first = f.theLoc, last = l.theLoc, cursor = DragEndAsRedrawn(g->endPoint);
    frame->a = Angle(first, f.nextPtr->theLoc);
    AIRealPoint foot{};
    if (!Foot(cursor, frame->a + kHalfPi, first, last, &foot)) return kNoErr;
    AIReal d = Distance(foot, cursor);
    if (!(d > 0)) return kNoErr;
    frame->b = SquareTowards(frame->a, foot, cursor);
    AIRealPoint q = cursor;
    if (Shifted()) {
        if (AIErr err = SnapOffsetToStep(&d, Style().autoDimensionOffset)) return err;
        q = PointAlong(foot, d, frame->b);
    }
    if (!g->updatingDimensions) GetPointFractionalOffset(first, last, q, kAlongMode, &g->slideDimTextOffset);
    const AIRealPoint along = PointAlong(q, kFootReach, frame->a);
    if (!Foot(first, frame->b, q, along, &frame->l1) || !Foot(last, frame->b, q, along, &frame->l2)) return kNoErr;
    frame->step = Style().chainDatum ? 0.0f : std::max(g->textSize + kStackingAllowance, Style().autoDimensionOffset);
    *found = true;
    return kNoErr;
}

// A witness line from `click` towards `foot` (or along `side` where they meet): from the
// witness gap to `reach` less the gap.
AIErr Witness(const AIRealPoint& click, const AIRealPoint& foot, AIReal reach, AIReal side) {
    const AIReal towards = WayAlong(click, foot, side);
    const AIReal gap = Style().witnessGap;
    return drawWitnessLine(PointAlong(click, gap, towards), PointAlong(click, reach - gap, towards), g->group);
}

// The zero at the datum: 0 in the style's upper units and precision, without tolerance or
// second line, or a literal "0" beside labels. Into its own buffer, so the datum's text
// record keeps the first value.
void ZeroText(const cdDataStruct& textNode, char (&zero)[256]) {
    if (textNode.textData.dimensionFormat != 0) {
        CopyCString(zero, "0");
        return;
    }
    const Plotwise3_Live_Dimension_Data& s = Style();
    const int32_t precision = isFractionalUnit(s.upperUnits) ? s.upperFractionalPrecision : s.upperDecimalPrecision;
    doScaleAndUnits(0, 0.0, zero, 1, static_cast<int16_t>(s.upperUnits), static_cast<int16_t>(precision));
}

// Running layout: texts past the witness lines' outer ends, reading outwards and upright;
// with the JIS terminators one line along the whole chain.
AIErr DrawRunning(const Frame& frame, const AIRealPoint& s, const AIRealPoint& e, const cdDataStruct& textNode,
                  bool first, int32_t* textId) {
    g->textAngle = Upright(frame.b);
    g->textAlignment = g->textAngle == frame.b ? kStartStyle : kLimitStyle;
    const AIReal gap = Style().witnessGap;
    if (first) {
        char zero[256] = {};
        ZeroText(textNode, zero);
        g->textLoc = PointAlong(s, gap, frame.b);
        if (AIErr err = DrawPairText(textNode, (*textId)++, zero)) return err;
    }
    g->textLoc = PointAlong(e, gap, frame.b);
    if (AIErr err = DrawPairText(textNode, (*textId)++)) return err;
    if (!Style().JISDatumTerminator) return kNoErr;
    if (AIErr err = doJISEndpointGraphics(s, e, first ? 1 : 0, 1, g->group)) return err;
    return first ? drawDimensionLine(frame.l1, frame.l2, g->group) : kNoErr;
}

// Stacked layout: the text at the slide's place, turned along the line above it or level in
// it, the line (in the line: cut round the text where the value is wider than the text),
// and terminators at both ends.
AIErr DrawStacked(const Frame& frame, const AIRealPoint& s, const AIRealPoint& e, const cdDataStruct& textNode,
                  AIReal value, int32_t* textId) {
    const Plotwise3_Live_Dimension_Data& style = Style();
    const bool slide = style.slideDimText && !(style.modifiers & kCtrlBit);
    const AIRealPoint m = PointAlong(s, value * (slide ? g->slideDimTextOffset : 0.5f), WayAlong(s, e, frame.a));
    g->textAlignment = kCenterStyle;
    if (style.aTextPlacement == kTextAboveLine) {
        g->textAngle = Upright(frame.a);
        g->textLoc = PointAlong(m, style.textDistanceAboveLine, g->textAngle + kHalfPi);
        if (AIErr err = DrawPairText(textNode, (*textId)++)) return err;
        if (AIErr err = drawDimensionLine(s, e, g->group)) return err;
        return doLineEndpointGraphics(s, e, 1, 1, 1, g->group);
    }
    const bool dual = style.dualDimensions && textNode.textData.dimensionFormat == 0;
    g->textAngle = 0;
    g->textLoc = {m.h, dual ? m.v + g->textLeading / 2 : m.v - g->textSize / 2};
    if (AIErr err = DrawPairText(textNode, (*textId)++)) return err;
    if (value > g->strWidth) {
        AIRealRect box{};
        if (AIErr err = GetAbsoluteTextArtRect(g->theText, &g->textLoc, kCenterStyle, 0, &box)) return err;
        // From each end up to the text, where the text does not cover that end.
        for (const auto& [end, other] : {std::pair{s, e}, std::pair{e, s}}) {
            AIRealPoint cut{};
            if (CutAtText(box, end, other, frame.a, m, &cut))
                if (AIErr err = drawDimensionLine(end, cut, g->group)) return err;
        }
    }
    return doLineEndpointGraphics(s, e, 1, 1, 1, g->group);
}

AIErr AlignedDatum() {
    cdDataStruct *f = nullptr, *l = nullptr;
    if (!TwoClicks(&f, &l)) return kNoErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    if (AIErr err = PrepDimensionLayer()) return err;
    Frame frame;
    bool found = false;
    if (AIErr err = FindFrame(*f, *l, &frame, &found)) return err;
    const AIRealPoint datum = f->theLoc, last = l->theLoc;
    AIRealPoint onLine{};  // the datum's witness line meets the first dimension line
    if (!found || !Foot(datum, frame.b, frame.l1, frame.l2, &onLine)) return DiscardDimensionGroup();
    // Later rows step out along the datum's witness line, away from the datum: where the
    // drag leaves the datum beyond the first row, that is against b.
    const AIReal outwards = WayAlong(datum, onLine, frame.b);
    int32_t textId = 0;
    int32_t k = 0;  // stacked rows drawn
    for (cdDataStruct* n = f->nextPtr; n; n = n->nextPtr) {
        const AIRealPoint p = n->theLoc;
        // Both ends of a row step out alike, so that the row stays parallel to a and its
        // value the distance between the witness lines.
        const AIReal out = static_cast<AIReal>(k) * frame.step;
        const AIRealPoint s = PointAlong(onLine, out, outwards);
        AIRealPoint e{};
        if (!Foot(p, frame.b, frame.l1, frame.l2, &e)) return DiscardDimensionGroup();
        e = PointAlong(e, out, outwards);
        // Both witness lines end the extension less the gap past the current line.
        const AIReal beyond = Style().witnessExtension;
        if (sAIRealMath->AIRealPointClose(&p, &last, kLastClickReach))
            if (AIErr err = Witness(datum, s, Distance(datum, s) + beyond, frame.b)) return err;
        if (AIErr err = Witness(p, e, Distance(p, e) + beyond, frame.b)) return err;
        cdDataStruct& textNode = *n->prevPtr;
        const double measured = DistanceAlong(datum, p, frame.a);
        const auto value = static_cast<AIReal>(measured);
        if (AIErr err = MeasurePairText(textNode, measured, DistanceAlongError(datum, p, frame.a))) return err;
        const AIErr drawn = Style().chainDatum ? DrawRunning(frame, s, e, textNode, n == f->nextPtr, &textId)
                                               : DrawStacked(frame, s, e, textNode, value, &textId);
        if (drawn) return drawn;
        if (!Style().chainDatum) ++k;
    }
    return SetDimensionData(g->group, nullptr);
}

}  // namespace

AIErr doULDatumChainTool() { return g ? AlignedDatum() : kCADErr; }
