// The horizontal and vertical datum-chain routines: one routine, given the axis it measures
// along (dimtools/LinearAxis.h) and the few rules in which the vertical chain differs from
// the horizontal one. It walks the click chain from the datum, draws one dimension per later
// click into one group and makes it live; on an axonometric face it draws in the face's
// flat plane and projects the group onto it. A hand-over between the axes happens at most
// once per call.
#include "dimtools/DatumDimensions.h"

#include <algorithm>

#include "core/PlotwiseStrings.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionText.h"
#include "dimensions/DimensionValueString.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LinearAxis.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kFaceTolerance = 0.9f;  // both axes: clicks on a face this close lie level
constexpr AIReal kStackingAllowance = 10.0f;  // between stacked rows, beyond the text's size
constexpr int16_t kStartStyle = 1, kCenterStyle = 2, kLimitStyle = 3;

const Plotwise3_Live_Dimension_Data& Style() { return g->prefs.style; }

constexpr AIToolHandle DimToolGlobals::*kHorizontalAxoTools[] = {&DimToolGlobals::datumhisotool};
constexpr AIToolHandle DimToolGlobals::*kVerticalAxoTools[] = {&DimToolGlobals::datumvisotool};
const AxisFamily kDatumFamily{kHorizontalDatum, kVerticalDatum, kHorizontalAxoTools, kVerticalAxoTools};

// What the datum routine does differently along each axis.
struct DatumRules {
    const LinearAxis& axis;
    int16_t slideMode;         // GetPointFractionalOffset's, clamped: from the datum along h, or along v
    size_t placementFallback;  // the placement row for a style value without one: beside (h), upright in the line (v)
    AIReal runningAngle;       // running texts read upwards (h) or stand level (v)
    AIReal runningDualShift;   // how far a dual running text moves along the axis, in leadings
};

const DatumRules kHorizontalDatumRules{kHorizontalAxis, 1, 2, kHalfPi, -1.0f};
const DatumRules kVerticalDatumRules{kVerticalAxis, 3, 1, 0.0f, 2.0f};

const DatumRules& Other(const DatumRules& rules) {
    return &rules == &kHorizontalDatumRules ? kVerticalDatumRules : kHorizontalDatumRules;
}

// One call's chain: the datum in the drawing plane and how the dimensions are laid out.
struct Chain {
    const DatumRules& rules;
    AIRealPoint datum;
    PointError datumError;  // InPlane's
    AIReal step;   // between stacked rows
    bool running;  // all values on one level, written past the witness lines
    int32_t face;  // of the depth record, kAxoNoFace when flat
};

// A value of a dual dimension moves to make room for its second line; a label does not.
bool Dual(const cdDataStruct& textNode) {
    return Style().dualDimensions && textNode.textData.dimensionFormat == 0;
}

// A running text past the outer end of the witness line at `base`: level with the line's
// side, away from the datum.
void PlaceRunningText(const Chain& chain, const AIRealPoint& base, AIReal level, bool dual) {
    const LinearAxis& axis = chain.rules.axis;
    const AIReal beyond = Style().witnessExtension + Style().textDistanceAboveLine;
    const bool outwards = level > axis.Across(chain.datum);
    g->textAngle = chain.rules.runningAngle;
    g->textAlignment = outwards ? kStartStyle : kLimitStyle;
    const AIReal shift = dual ? chain.rules.runningDualShift * g->textLeading : 0.0f;
    g->textLoc = axis.Point(axis.Along(base) + shift, outwards ? level + beyond : level - beyond);
}

// A stacked text by the style's placement, at the slide's place along its line.
void PlaceStackedText(const TextPlacement& placement, const LinearAxis& axis, bool dual) {
    const AIReal start = axis.Along(g->startingPoint), end = axis.Along(g->endPoint);
    AIReal along = start + (end - start) * SlideFraction();
    // Upright text across a vertical line: lowered by half its size less the leading, or a
    // dual value raised by two leadings.
    if (placement.setAcross) along += dual ? 2.0f * g->textLeading : g->textLeading - g->textSize / 2;
    g->textAngle = placement.angle;
    g->textAlignment = kCenterStyle;
    g->textLoc = axis.Point(along, placement.across(axis.Across(g->startingPoint), dual));
}

// The zero at the datum, in theText, with a copy of the text record of `textNode` (which
// keeps its own text): the value 0 formatted as the node's values are, or a literal "0"
// beside labels.
AIErr DrawZeroText(const Chain& chain, const cdDataStruct& textNode, AIReal level, int32_t id) {
    live_dimension_text_data copy = textNode.textData;
    if (copy.dimensionFormat == 0) {
        if (AIErr err = makePairDimensionString(copy, 0.0f)) return err;
    } else {
        CopyCString(g->theText, "0");
    }
    PlaceRunningText(chain, chain.datum, level, Dual(textNode));
    return DrawPairText(textNode, id);
}

// The stacked dimension line: whole beside its text, else broken around the text where the
// value has room for it, and nothing where it has not.
AIErr DrawStackedLine(const LinearAxis& axis, const TextPlacement& placement, AIReal value, const Room& room) {
    const AIReal start = axis.Along(g->startingPoint), end = axis.Along(g->endPoint);
    const AIReal level = axis.Across(g->startingPoint);
    if (placement.wholeLine) return DrawLineAlong(axis, start, end, level);
    if (!(value > room.need)) return kNoErr;
    // The gap the text takes along the line: its width about its anchor, or, for upright
    // text across a vertical line, its box.
    AIReal low = axis.Along(g->textLoc) - g->strWidth / 2, high = axis.Along(g->textLoc) + g->strWidth / 2;
    if (placement.setAcross) {
        AIRealRect box{};
        if (AIErr err = GetAbsoluteTextArtRect(g->theText, &g->textLoc, g->textAlignment, 0, &box)) return err;
        low = std::min(box.*axis.nearEdge, box.*axis.farEdge);
        high = std::max(box.*axis.nearEdge, box.*axis.farEdge);
    }
    const bool rising = end >= start;
    const AIReal nearEdge = rising ? std::max(low, start) : std::min(high, start);
    const AIReal farEdge = rising ? std::min(high, end) : std::max(low, end);
    if (AIErr err = DrawLineAlong(axis, start, nearEdge, level)) return err;
    return DrawLineAlong(axis, farEdge, end, level);
}

// The dimension of the click at `p`, the node `n` (`previous`: the click before it).
AIErr DrawDatumDimension(const Chain& chain, const cdDataStruct& n, const AIRealPoint& p, const PointError& error,
                         const AIRealPoint& previous, bool first, int32_t* textId) {
    const LinearAxis& axis = chain.rules.axis;
    const AIRealPoint& datum = chain.datum;
    const bool last = n.nextPtr == nullptr;
    // The line from the datum to the click at the current level; shift snaps the first one.
    g->basePoint1 = g->startingPoint = datum;
    g->basePoint2 = p;
    g->endPoint.*axis.along = axis.Along(p);
    g->startingPoint.*axis.across = axis.Across(g->endPoint);
    if (first && Shifted()) {
        const AIRealPoint& reference = axis.Before(axis.Along(datum), axis.Along(p)) ? p : datum;
        if (AIErr err = SnapLineToOffsetStep(axis, datum, p, reference)) return err;
    }
    if (!chain.running && !first) {
        const AIReal level = axis.Across(g->endPoint);
        g->endPoint.*axis.across = level <= axis.Across(datum) ? level - chain.step : level + chain.step;
        g->startingPoint.*axis.across = axis.Across(g->endPoint);
    }
    const AIReal level = axis.Across(g->endPoint);

    cdDataStruct& textNode = *n.prevPtr;
    AIReal value = 0;
    if (AIErr err = MeasurePair(axis, datum, chain.datumError, p, error, textNode, &value)) return err;
    const bool dual = Dual(textNode);
    const TextPlacement& placement = axis.Placement(chain.rules.placementFallback);
    const Room room = RoomFor(placement.setAcross ? g->textSize + g->textLeading : g->strWidth);
    if (chain.running)
        PlaceRunningText(chain, p, level, dual);
    else
        PlaceStackedText(placement, axis, dual);
    if (AIErr err = DrawPairText(textNode, (*textId)++)) return err;
    if (chain.running && last)
        if (AIErr err = DrawZeroText(chain, textNode, level, (*textId)++)) return err;

    if (last)  // the datum's witness line reaches the outermost line
        if (AIErr err = DrawWitnessLine(axis, datum, level)) return err;
    if (AIErr err = DrawWitnessLine(axis, p, level)) return err;
    if (first && chain.face != kAxoNoFace) SetAxoDimOffset(axis, chain.face, level, datum);

    if (!chain.running) {
        if (AIErr err = DrawStackedLine(axis, placement, value, room)) return err;
        return DrawTerminators(axis, 1);
    }
    if (!Style().JISDatumTerminator) return kNoErr;
    // One line from the datum through every click: this click's piece, its arrowhead, and
    // with the last piece the origin mark.
    if (AIErr err = DrawLineAlong(axis, axis.Along(previous), axis.Along(p), level)) return err;
    const AIRealPoint from = axis.Point(axis.Along(last ? datum : previous), level);
    return doJISEndpointGraphics(from, g->endPoint, last ? 1 : 0, 1, g->group);
}

AIErr Datum(const DatumRules& rules, bool handedOver) {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    const LinearAxis& axis = rules.axis;
    g->axoDimType = axis.kind;
    cdDataStruct *f = nullptr, *l = nullptr;
    if (!TwoClicks(&f, &l)) return kNoErr;
    // The routine handed to sets axoDimType itself, and its result is the call's.
    if (!handedOver && HandsOver(axis, kFaceTolerance, *f, *l)) return Datum(Other(rules), true);
    const depth_object_data* d = axis.depth(kDatumFamily, *f, *l, *f, handedOver);
    if (!d) return Datum(Other(rules), true);
    const bool flat = d->face == kAxoNoFace;
    const AIReal step = std::max(g->textSize + kStackingAllowance, Style().autoDimensionOffset);
    Chain chain{rules, {}, {}, step, Style().chainDatum != 0, flat ? kAxoNoFace : d->face};
    if (AIErr err = EnterPlane(*d, flat, *f, *l, *f, rules.slideMode, false, &chain.datum, &chain.datumError))
        return err;
    int32_t textId = 0;
    AIRealPoint previous = chain.datum;
    for (cdDataStruct* n = f->nextPtr; n; n = n->nextPtr) {
        AIRealPoint p{};
        PointError error;
        if (AIErr err = InPlane(*d, flat, n->theLoc, &p, &error)) return err;
        if (AIErr err = DrawDatumDimension(chain, *n, p, error, previous, n == f->nextPtr, &textId)) return err;
        previous = p;
    }
    return FinishDimension(*d, flat);
}

}  // namespace

AIErr doHorizontalDatumChainTool() { return g ? Datum(kHorizontalDatumRules, false) : kCADErr; }

AIErr doVerticalDatumChainTool() { return g ? Datum(kVerticalDatumRules, false) : kCADErr; }
