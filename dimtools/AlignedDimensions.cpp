// The aligned linear dimension routine. The dimension line runs through the drag point (or
// the offset shift snaps to) at the angle from the first click to the second; every click is
// dropped onto it from the side the drag point lies on, and each pair of consecutive clicks
// gets its witness lines, its piece of line, terminators and value, the text turned along
// the line beside it or set level into it.
#include "dimtools/AlignedDimensions.h"

#include <algorithm>
#include <cmath>
#include <utility>
#include <vector>

#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionText.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimensions/DimensionValueString.h"
#include "dimtools/AlignedLine.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LinearAxis.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kPastText = 888.0f;  // where cut points start, beyond the text point
constexpr AIReal kOutsideTolerance = 0.1f;
constexpr AIReal kAtEnd = 0.01f;  // a text point this close to an end of its line lies on it
constexpr AIReal kNoTerminatorStub = 20.0f;
constexpr int16_t kCenterStyle = 2;
constexpr int32_t kCtrlBit = 4;
constexpr int32_t kTextAlongLine = 2;
constexpr int32_t kNoTerminator = 4;
constexpr int16_t kAlongMode = 4;  // GetPointFractionalOffset: the foot along the clicks' line

const Plotwise3_Live_Dimension_Data& Style() { return g->prefs.style; }

// The offset of a snapped dimension line: a whole number of the style's offset steps.
AIErr setConstrainOffset(AIReal* offset) { return SnapOffsetToStep(offset, Style().autoDimensionOffset); }

// The dimension line of the whole chain and every click dropped onto it.
struct Frame {
    AIReal a = 0;                    // the measuring angle: first click to second
    AIReal p = 0;                    // the side the line lies on, seen from the clicks
    std::vector<AIRealPoint> feet;   // the clicks on the line, in chain order
};

// The line through the drag point, the text slide, and the feet; false in found when the
// clicks and the drag point make no line (nothing is to be drawn then).
AIErr FindFrame(const cdDataStruct& f, const cdDataStruct& l, bool chained, Frame* frame, bool* found) {
    *found = false;
    const AIRealPoint first = f.theLoc, last = l.theLoc, drag = DragEndAsRedrawn(g->endPoint);
    frame->a = Angle(first, f.nextPtr->theLoc);
    AIRealPoint q{};
    if (!Foot(drag, frame->a + kHalfPi, first, last, &q)) return kNoErr;
    AIReal offset = Distance(q, drag);
    if (!(offset > 0)) return kNoErr;  // on the clicks' line: no side to draw on
    frame->p = SquareTowards(frame->a, q, drag);
    AIRealPoint m = drag;
    if (Shifted()) {
        if (AIErr err = setConstrainOffset(&offset)) return err;
        m = PointAlong(q, offset, frame->p);
    }
    if (!g->updatingDimensions) GetPointFractionalOffset(first, last, m, kAlongMode, &g->slideDimTextOffset);
    const AIRealPoint along = PointAlong(m, kFootReach, frame->a);
    AIRealPoint d1{}, d2{};
    if (!Foot(first, frame->p, m, along, &d1) || !Foot(last, frame->p, m, along, &d2)) return kNoErr;
    if (chained) g->slideDimTextOffset = std::clamp(g->slideDimTextOffset, 0.0f, 1.0f);
    frame->feet.clear();
    for (const cdDataStruct* n = &f; n; n = n->nextPtr) {
        AIRealPoint foot{};
        if (!Foot(n->theLoc, frame->p, d1, d2, &foot)) return kNoErr;
        frame->feet.push_back(foot);
    }
    *found = true;
    return kNoErr;
}

AIErr Line(const AIRealPoint& a, const AIRealPoint& b) { return drawDimensionLine(a, b, g->group); }

// One pair of consecutive clicks and what is drawn for it.
struct Pair {
    AIRealPoint p1, p2;  // the clicks
    AIRealPoint e1, e2;  // their feet: the ends of this piece of the dimension line
    cdDataStruct* textNode;  // its text record takes the text drawn
    int32_t id;          // the text's running number in the group
    bool first;
};

// From the click towards its foot: from the witness gap to the extension less the gap
// beyond the dimension line. A click on the line reaches out to the line's side.
AIErr Witness(const AIRealPoint& click, const AIRealPoint& foot, AIReal side) {
    const AIReal reach = Distance(click, foot);
    const AIReal towards = WayAlong(click, foot, side);
    const AIReal gap = Style().witnessGap;
    const AIRealPoint from = PointAlong(click, gap, towards);
    return drawWitnessLine(from, PointAlong(click, reach + Style().witnessExtension - gap, towards), g->group);
}

// The text point lies beyond an end of its piece of line.
bool Outside(const AIRealPoint& e1, const AIRealPoint& t, const AIRealPoint& e2) {
    if (Distance(e1, t) <= kAtEnd || Distance(t, e2) <= kAtEnd) return false;
    return !SameDirection(Angle(e1, t), Angle(t, e2), kOutsideTolerance);
}

// Whether the text and the lines go outside the witness lines, by terminator direction.
void Sides(bool chained, bool outside, bool* textOut, bool* linesOut) {
    const Plotwise3_Live_Dimension_Data& s = Style();
    if (s.terminatorDirection == 0 && !chained) {
        *textOut = outside;
        *linesOut = true;
    } else if (s.terminatorDirection == 1) {
        *textOut = s.slideDimText && outside;
        *linesOut = false;
    } else {
        *textOut = outside;
        *linesOut = g->prefs.forceDimLinesOutside != 0;
    }
}

// The end of a pair farther from the text point (e2 unless the text is nearer to it).
const AIRealPoint& FartherEnd(const Pair& pair, const AIRealPoint& t) {
    return Distance(pair.e1, t) <= Distance(pair.e2, t) ? pair.e2 : pair.e1;
}

// The outer end of the stub at `end`, pointing away from `other`.
AIRealPoint StubEnd(const AIRealPoint& end, const AIRealPoint& other, AIReal length, AIReal fallback) {
    return PointAlong(end, length, WayAlong(other, end, fallback));
}

// The crossing of the line from `from` through `t` with the text box nearer to `from`,
// the crossings starting 888 points past t.
AIErr CutBeforeText(const AIRealPoint& from, const AIRealPoint& t, AIRealPoint* cut) {
    AIRealRect box{};
    if (AIErr err = GetAbsoluteTextArtRect(g->theText, &g->textLoc, g->textAlignment, g->textAngle, &box)) return err;
    *cut = NearerCut(box, from, t, PointAlong(from, Distance(from, t) + kPastText, Angle(from, t)));
    return kNoErr;
}

AIErr TextAlongLine(const Frame& frame, const Pair& pair, const AIRealPoint& t, bool textOut, bool linesOut,
                    AIReal stub) {
    AIRealPoint anchor = t;
    if (!linesOut) {
        AIErr err = textOut ? Line(FartherEnd(pair, t), t) : Line(pair.e1, pair.e2);
        if (!err) err = doLineEndpointGraphics(pair.e1, pair.e2, 1, 1, 1, g->group);
        if (err) return err;
    } else {
        const AIRealPoint s1 = StubEnd(pair.e1, pair.e2, stub, frame.a + kPi);
        const AIRealPoint s2 = StubEnd(pair.e2, pair.e1, stub, frame.a);
        if (AIErr err = Line(pair.e1, s1)) return err;
        if (AIErr err = Line(pair.e2, s2)) return err;
        if (textOut) anchor = Distance(pair.e1, t) < Distance(pair.e2, t) ? s1 : s2;
        if (AIErr err = doLineEndpointGraphics(pair.e1, pair.e2, 1, 1, 0, g->group)) return err;
    }
    g->textAngle = Upright(frame.a);
    g->textAlignment = kCenterStyle;
    g->textLoc = PointAlong(anchor, Style().textDistanceAboveLine, g->textAngle + kHalfPi);
    return DrawPairText(*pair.textNode, pair.id);
}

AIErr TextInLine(const Frame& frame, const Pair& pair, AIRealPoint t, bool textOut, bool linesOut, AIReal stub,
                 bool dual) {
    g->textAngle = 0;
    g->textAlignment = kCenterStyle;
    const AIReal lift = dual ? g->textLeading / 2.0f : -g->textSize / 2.0f;
    if (!linesOut) {
        g->textLoc = {t.h, t.v + lift};
        if (AIErr err = DrawPairText(*pair.textNode, pair.id)) return err;
        AIRealRect box{};
        if (AIErr err = GetAbsoluteTextArtRect(g->theText, &g->textLoc, g->textAlignment, g->textAngle, &box))
            return err;
        if (!textOut) {
            // From each end up to the text, unless that piece is no longer than a
            // terminator or the text covers the end.
            for (const auto& [end, other] : {std::pair{pair.e1, pair.e2}, std::pair{pair.e2, pair.e1}}) {
                AIRealPoint cut{};
                if (CutAtText(box, end, other, frame.a, t, &cut) && Distance(end, cut) > Style().arrowheadLength)
                    if (AIErr err = Line(end, cut)) return err;
            }
        } else {
            const AIRealPoint& far = FartherEnd(pair, t);
            AIRealPoint cut{};
            if (AIErr err = CutBeforeText(far, t, &cut)) return err;
            if (AIErr err = Line(far, cut)) return err;
        }
        return doLineEndpointGraphics(pair.e1, pair.e2, 1, 1, 1, g->group);
    }
    // Outside stubs; outside text sits at the end of the nearer one, which stops at it.
    const bool nearFirst = Distance(pair.e1, t) < Distance(pair.e2, t);
    const AIRealPoint& nearEnd = nearFirst ? pair.e1 : pair.e2;
    if (textOut)
        t = nearFirst ? StubEnd(pair.e1, pair.e2, stub, frame.a + kPi) : StubEnd(pair.e2, pair.e1, stub, frame.a);
    g->textLoc = {t.h, t.v + lift};
    if (AIErr err = DrawPairText(*pair.textNode, pair.id)) return err;
    if (textOut) {
        AIRealPoint cut{};
        if (AIErr err = CutBeforeText(nearEnd, t, &cut)) return err;
        stub = Distance(nearEnd, cut);
    }
    if (AIErr err = Line(pair.e1, StubEnd(pair.e1, pair.e2, stub, frame.a + kPi))) return err;
    if (AIErr err = Line(pair.e2, StubEnd(pair.e2, pair.e1, stub, frame.a))) return err;
    return doLineEndpointGraphics(pair.e1, pair.e2, 1, 1, 0, g->group);
}

AIErr DrawPair(const Frame& frame, const Pair& pair, bool chained) {
    const Plotwise3_Live_Dimension_Data& s = Style();
    // Witness lines: at the first click of the first pair, then at each second click.
    if (pair.first)
        if (AIErr err = Witness(pair.p1, pair.e1, frame.p)) return err;
    if (AIErr err = Witness(pair.p2, pair.e2, frame.p)) return err;
    const double measured = DistanceAlong(pair.p1, pair.p2, frame.a);
    const auto value = static_cast<AIReal>(measured);
    cdDataStruct& textNode = *pair.textNode;
    if (AIErr err = MeasurePairText(textNode, measured, DistanceAlongError(pair.p1, pair.p2, frame.a))) return err;
    // The text's place along its piece, measured from the piece's first end towards the
    // other (a later click may lie back along the measured direction).
    const bool slide = s.slideDimText && !(s.modifiers & kCtrlBit);
    const AIRealPoint t =
        PointAlong(pair.e1, value * (slide ? g->slideDimTextOffset : 0.5f), WayAlong(pair.e1, pair.e2, frame.a));
    g->textLoc = t;
    bool textOut = false, linesOut = false;
    Sides(chained, Outside(pair.e1, t, pair.e2), &textOut, &linesOut);
    AIReal stub = s.arrowheadStyle == kNoTerminator ? kNoTerminatorStub : 2.0f * s.arrowheadLength;
    if (textOut) stub = std::max(stub, std::min(Distance(t, pair.e1), Distance(t, pair.e2)));
    if (s.aTextPlacement == kTextAlongLine) return TextAlongLine(frame, pair, t, textOut, linesOut, stub);
    const bool dual = s.dualDimensions && textNode.textData.dimensionFormat == 0;
    return TextInLine(frame, pair, t, textOut, linesOut, stub, dual);
}

AIErr Aligned() {
    cdDataStruct *f = nullptr, *l = nullptr;
    if (!TwoClicks(&f, &l)) return kNoErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    if (AIErr err = PrepDimensionLayer()) return err;
    const bool chained = f->nextPtr != l;
    Frame frame;
    bool found = false;
    if (AIErr err = FindFrame(*f, *l, chained, &frame, &found)) return err;
    if (!found) return DiscardDimensionGroup();
    size_t i = 0;
    for (cdDataStruct* n = f->nextPtr; n; n = n->nextPtr, ++i) {
        const Pair pair{n->prevPtr->theLoc, n->theLoc, frame.feet[i], frame.feet[i + 1], n->prevPtr,
                        static_cast<int32_t>(i), i == 0};
        if (AIErr err = DrawPair(frame, pair, chained)) return err;
    }
    return SetDimensionData(g->group, nullptr);
}

}  // namespace

AIErr doUnconstrainedLinearTool() { return g ? Aligned() : kCADErr; }
