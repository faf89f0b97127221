// The horizontal and vertical linear dimension routines: one routine, given the axis it
// measures along and the rules in which the vertical dimension differs from the
// horizontal one (its tolerance and hand-overs on axonometric faces, its text placements,
// large text kept in the middle, its line broken from each witness line). It walks the
// click chain from the click that starts the dimension (the leftmost, or the highest),
// draws one dimension per pair of consecutive clicks into one group and makes it live. An
// axonometric hand-over between the axes happens at most once per call.
#include "dimtools/LinearDimensions.h"

#include <algorithm>

#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionText.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LinearAxis.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kHorizontalFaceTolerance = 0.9f, kVerticalFaceTolerance = 1.0f;
constexpr int16_t kCenterStyle = 2;

const Plotwise3_Live_Dimension_Data& Style() { return g->prefs.style; }

cdDataStruct* Advance(cdDataStruct* node, bool forward) { return forward ? node->nextPtr : node->prevPtr; }

// ---------------------------------------------------------------------------------------
// The rules of each axis

constexpr AIToolHandle DimToolGlobals::*kHorizontalAxoTools[] = {&DimToolGlobals::hisotool,
                                                                 &DimToolGlobals::autohisotool};
constexpr AIToolHandle DimToolGlobals::*kVerticalAxoTools[] = {&DimToolGlobals::visotool,
                                                               &DimToolGlobals::autovisotool};
const AxisFamily kLinearFamily{kHorizontal, kVertical, kHorizontalAxoTools, kVerticalAxoTools};

// What the linear routine does differently along each axis.
struct LinearRules {
    const LinearAxis& axis;
    AIReal faceTolerance;  // clicks on a face lie level along the axis within it
    int16_t slideMode;     // GetPointFractionalOffset's: from the smaller h, or down from the higher v
    // Too little room for large text sends it past the line's end; else it stays in the
    // middle, yet counts as outside.
    bool movesLargeText;
    // A line broken around its text is drawn from each witness line towards the text; else
    // both pieces run from the start towards the end.
    bool piecesFromWitnessLines;
    // Which witness line decides where stubs reach out to a text outside: the end's (past
    // the end, from the end, else from the start), or the start's (before the start, from
    // the start, else from the end). Only large text kept in the middle tells them apart.
    bool stubsJudgedAtEnd;
};

const LinearRules kHorizontalRules{.axis = kHorizontalAxis,
                                   .faceTolerance = kHorizontalFaceTolerance,
                                   .slideMode = 0,
                                   .movesLargeText = true,
                                   .piecesFromWitnessLines = false,
                                   .stubsJudgedAtEnd = false};
const LinearRules kVerticalRules{.axis = kVerticalAxis,
                                 .faceTolerance = kVerticalFaceTolerance,
                                 .slideMode = 2,
                                 .movesLargeText = false,
                                 .piecesFromWitnessLines = true,
                                 .stubsJudgedAtEnd = true};

const LinearRules& Other(const LinearRules& rules) {
    return &rules == &kHorizontalRules ? kVerticalRules : kHorizontalRules;
}

// ---------------------------------------------------------------------------------------
// One pair of clicks

// Where the terminators and the text go.
enum class Layout {
    kOutside,       // terminator direction 0 (not chained): outside stubs
    kInside,        // terminator direction 1: terminators inside
    kLarge,         // by room: too little room and large text moves
    kByPreference,  // by room: the preference decides
};

Layout ChooseLayout(bool chained, AIReal value, const Room& room) {
    const Plotwise3_Live_Dimension_Data& s = Style();
    if (s.terminatorDirection == 0 && !chained) return Layout::kOutside;
    if (s.terminatorDirection == 1) return Layout::kInside;
    if (value < room.need && !chained && s.moveLargeDimensionText) return Layout::kLarge;
    return Layout::kByPreference;
}

// Whether the text sits outside the witness lines, and the lines outside them, by layout.
void Sides(Layout layout, bool outside, bool* textOut, bool* linesOut) {
    const bool slide = Style().slideDimText != 0;
    switch (layout) {
        case Layout::kOutside: *textOut = outside; *linesOut = true; break;
        case Layout::kInside: *textOut = slide && outside; *linesOut = false; break;
        case Layout::kLarge: *textOut = !slide || outside; *linesOut = true; break;
        case Layout::kByPreference:
            *textOut = slide && outside;
            *linesOut = g->prefs.forceDimLinesOutside != 0;
            break;
    }
}

// The pair ordered along the axis into basePoint1 (the left or upper click) and basePoint2,
// and the line from the one to the other at the drag point's level; shift snaps that level
// on the first pair, and later pairs keep it.
AIErr SetLine(const LinearAxis& axis, const AIRealPoint& p1, const AIRealPoint& p2, bool firstPair) {
    const bool p1First = axis.Before(axis.Along(p1), axis.Along(p2));
    g->basePoint1 = p1First ? p1 : p2;
    g->basePoint2 = p1First ? p2 : p1;
    g->startingPoint = g->basePoint1;
    g->endPoint.*axis.along = axis.Along(g->basePoint2);
    g->startingPoint.*axis.across = axis.Across(g->endPoint);
    return firstPair && Shifted() ? SnapLineToOffsetStep(axis, p1, p2, g->basePoint2) : kNoErr;
}

struct PlacedText {
    Room room;
    bool textOut, linesOut;
};

// The text set across the line by its placement and along it by the slide, then the
// layout, its alignment and, for large text, its move.
PlacedText PlaceText(const LinearRules& rules, const TextPlacement& placement, bool chained, AIReal value,
                     bool dual) {
    const LinearAxis& axis = rules.axis;
    const Plotwise3_Live_Dimension_Data& style = Style();
    const AIReal start = axis.Along(g->startingPoint), end = axis.Along(g->endPoint);
    const Room room = RoomFor(placement.setAcross ? g->textSize + g->textLeading : g->strWidth);
    g->textAngle = placement.angle;
    g->textLoc.*axis.across = placement.across(axis.Across(g->startingPoint), dual);
    AIReal& along = g->textLoc.*axis.along;
    along = start + (end - start) * SlideFraction();
    const Layout layout = ChooseLayout(chained, value, room);
    const bool outside = axis.Before(along, start) || axis.Before(end, along);
    bool textOut = false, linesOut = false;
    Sides(layout, outside, &textOut, &linesOut);
    if (layout == Layout::kLarge && !style.slideDimText && rules.movesLargeText)
        along = axis.Step(axis.Step(end, room.stub), static_cast<AIReal>(style.textSpacing) / 2.0f);
    g->textAlignment = !textOut ? kCenterStyle : along < start ? placement.alignLow : placement.alignHigh;
    if (placement.setAcross) {
        const AIReal shift = g->textSize / 2 - g->textLeading;
        along += dual ? shift : -shift;
    }
    return {room, textOut, linesOut};
}

// The dimension line: whole, broken around the text, out to a text outside, or as two
// stubs outward from the witness lines.
AIErr DrawLine(const LinearRules& rules, const TextPlacement& placement, const PlacedText& placed) {
    const LinearAxis& axis = rules.axis;
    const AIReal start = axis.Along(g->startingPoint), end = axis.Along(g->endPoint);
    const AIReal line = axis.Across(g->startingPoint), text = axis.Along(g->textLoc);
    if (placed.linesOut) {
        AIReal length = placed.room.stub;
        if (placed.textOut) {
            const bool fromEnd = rules.stubsJudgedAtEnd ? axis.Before(end, text) : !axis.Before(text, start);
            length = (fromEnd ? axis.Span(end, text) : axis.Span(text, start)) -
                     static_cast<AIReal>(Style().textSpacing) / 2.0f;
        }
        length = std::max(length, placed.room.stub);
        if (AIErr err = DrawLineAlong(axis, start, axis.Step(start, -length), line)) return err;
        return DrawLineAlong(axis, end, axis.Step(end, length), line);
    }
    AIRealRect box{};
    if (AIErr err = GetAbsoluteTextArtRect(g->theText, &g->textLoc, g->textAlignment, g->textAngle, &box)) return err;
    if (!placed.textOut && placement.wholeLine) return DrawLineAlong(axis, start, end, line);
    const AIReal nearEdge = box.*axis.nearEdge, farEdge = box.*axis.farEdge;
    if (!placed.textOut) {
        if (AIErr err = DrawLineAlong(axis, start, axis.Later(nearEdge, start), line)) return err;
        const AIReal to = axis.Earlier(farEdge, end);
        return rules.piecesFromWitnessLines ? DrawLineAlong(axis, end, to, line) : DrawLineAlong(axis, to, end, line);
    }
    if (!axis.Before(start, text))  // the text before the start: from the end out to it
        return DrawLineAlong(axis, end, axis.Before(farEdge, start) ? farEdge : start, line);
    return DrawLineAlong(axis, start, axis.Before(end, nearEdge) ? nearEdge : end, line);
}

// One pair: its line, value and text, witness lines (at the first click of the first pair,
// then at each second click), dimension line and terminators.
AIErr DrawPair(const LinearRules& rules, const depth_object_data& d, bool flat, bool chained, bool firstPair,
               const AIRealPoint& p1, const PointError& e1, const AIRealPoint& p2, const PointError& e2,
               cdDataStruct& textNode, int32_t textId) {
    const LinearAxis& axis = rules.axis;
    if (AIErr err = SetLine(axis, p1, p2, firstPair)) return err;
    AIReal value = 0;
    if (AIErr err = MeasurePair(axis, p1, e1, p2, e2, textNode, &value)) return err;
    const bool dual = Style().dualDimensions && textNode.textData.dimensionFormat == 0;
    const TextPlacement& placement = rules.axis.Placement();
    const PlacedText placed = PlaceText(rules, placement, chained, value, dual);
    if (AIErr err = DrawPairText(textNode, textId)) return err;
    const AIReal line = axis.Across(g->startingPoint);
    if (firstPair) {
        if (AIErr err = DrawWitnessLine(axis, g->basePoint1, line)) return err;
        if (!flat) SetAxoDimOffset(axis, d.face, line, g->basePoint1);
    }
    if (AIErr err = DrawWitnessLine(axis, g->basePoint2, line)) return err;
    if (AIErr err = DrawLine(rules, placement, placed)) return err;
    return DrawTerminators(axis, placed.linesOut ? 0 : 1);
}

// ---------------------------------------------------------------------------------------
// The routine

AIErr ConstrainedLinear(const LinearRules& rules, bool handedOver) {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    const LinearAxis& axis = rules.axis;
    g->axoDimType = axis.kind;
    cdDataStruct *f = nullptr, *l = nullptr;
    if (!TwoClicks(&f, &l)) return kNoErr;
    // The routine handed to sets axoDimType itself.
    if (!handedOver && HandsOver(axis, rules.faceTolerance, *f, *l)) return ConstrainedLinear(Other(rules), true);
    const bool chained = f->nextPtr != l;
    const bool forward = axis.Before(axis.Along(f->theLoc), axis.Along(l->theLoc));
    cdDataStruct* s = forward ? f : l;
    const depth_object_data* d = axis.depth(kLinearFamily, *f, *l, *s, handedOver);
    if (!d) return ConstrainedLinear(Other(rules), true);
    const bool flat = d->face == kAxoNoFace;
    // The slide is measured from the click the dimension starts at, whichever was clicked
    // first, so a chain clicked the other way round puts its texts in the same places; a
    // chain's is kept between its ends.
    AIRealPoint p1{};
    PointError e1;
    if (AIErr err = EnterPlane(*d, flat, *f, *l, *s, rules.slideMode, chained, &p1, &e1)) return err;
    int32_t textId = 0;
    bool firstPair = true;
    for (cdDataStruct* n = Advance(s, forward); n; n = Advance(n, forward)) {
        AIRealPoint p2{};
        PointError e2;
        if (AIErr err = InPlane(*d, flat, n->theLoc, &p2, &e2)) return err;
        cdDataStruct& textNode = forward ? *n->prevPtr : *n;  // the pair's earlier node in the chain
        if (AIErr err = DrawPair(rules, *d, flat, chained, firstPair, p1, e1, p2, e2, textNode, textId)) return err;
        textId += forward ? 1 : -1;
        firstPair = false;
        p1 = p2;
        e1 = e2;
    }
    return FinishDimension(*d, flat);
}

}  // namespace

AIErr doHorizontalConstrainedLinearTool() { return g ? ConstrainedLinear(kHorizontalRules, false) : kCADErr; }

AIErr doVerticalConstrainedLinearTool() { return g ? ConstrainedLinear(kVerticalRules, false) : kCADErr; }
