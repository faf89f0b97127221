// The horizontal and vertical linear dimension routines. Both walk the click chain from the
// click that starts the dimension (the leftmost, or the highest), draw one dimension per pair
// of consecutive clicks into one group and make it live. The twins differ in the axis they
// measure along and in how their text sits beside the line; what they share is written
// once below. An axonometric hand-over between them happens at most once per call.
#include "dimtools/LinearDimensions.h"

#include <algorithm>
#include <cmath>

#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionText.h"
#include "dimensions/DimensionValueString.h"
#include "dimtools/DimToolGlobals.h"
#include "geometry/PlaneGeometry.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kValueNudge = 1.52587890625e-05f;  // 2^-16, added to every measured value
constexpr AIReal kHalfPi = 1.5707964f;
constexpr AIReal kHorizontalFaceTolerance = 0.9f, kVerticalFaceTolerance = 1.0f;
constexpr int16_t kStartStyle = 1, kCenterStyle = 2, kLimitStyle = 3;
constexpr int32_t kShiftBit = 1, kCtrlBit = 4;

const Plotwise3_Live_Dimension_Data& Style() { return g->prefs.style; }

bool Equal(AIReal a, AIReal b, AIReal tolerance) { return sAIRealMath->EqualWithinTol(a, b, tolerance) != 0; }

cdDataStruct* Advance(cdDataStruct* node, bool forward) { return forward ? node->nextPtr : node->prevPtr; }

// A point in the plane the dimension is drawn in: the document, or the face's flat plane.
AIErr InPlane(const depth_object_data& d, bool flat, const AIRealPoint& in, AIRealPoint* out) {
    if (flat) {
        *out = in;
        return kNoErr;
    }
    return invertAxonometricPoint(&d, &in, out);
}

bool Shifted() { return (Style().modifiers & kShiftBit) && !g->ignoreShift; }

// The offset of a snapped dimension line from its click: a whole number of the style's
// offset steps.
AIErr setConstrainOffset(AIReal* offset) { return SnapOffsetToStep(offset, Style().autoDimensionOffset); }

// The room a value needs between its witness lines, and the length of an outside stub.
struct Room {
    AIReal need, stub;
};
// `across` is what the text takes along the line: its width, or for text set across a
// vertical line its size and leading.
Room RoomFor(AIReal across) {
    switch (Style().arrowheadStyle) {
        case 1: case 2: case 3: case 5: case 6: case 7: case 8:
            return {4.0f * Style().arrowheadLength + across, 2.0f * Style().arrowheadLength};
        default:  // no terminator (4), and any other style
            return {across + 40.0f, 20.0f};
    }
}

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

// The text's slide along the line: the stored or dragged fraction, or the middle.
AIReal SlideFraction() {
    const bool slide = Style().slideDimText && !(Style().modifiers & kCtrlBit) && !g->drawingAxoDimension;
    return slide ? g->slideDimTextOffset : 0.5f;
}

AIErr Text(cdDataStruct* textNode, int32_t id) {
    live_dimension_text_data record = textNode->textData;
    record.id = id;
    record.next = nullptr;
    return doText(g->theText, g->textLoc, g->textAlignment, g->textAngle, g->group, &record);
}

AIErr Line(AIReal h1, AIReal v1, AIReal h2, AIReal v2) { return drawDimensionLine({h1, v1}, {h2, v2}, g->group); }

// The dimension is done: the group made live, and projected onto its face.
AIErr Finish(const depth_object_data& d, bool flat) {
    if (AIErr err = SetDimensionData(g->group, nullptr)) return err;
    return flat ? kNoErr : ProjectAxonometricFromData(g->group, &d);
}

AIErr Horizontal(bool handedOver);
AIErr Vertical(bool handedOver);

// What both routines do once the depth record is known: the starting click and the drag
// point brought into the drawing plane, the text's slide measured from the drag unless a
// regeneration redraws, and the document and layer made ready. The slide is measured from
// the click the dimension starts at (`slideMode` for GetPointFractionalOffset: from the
// smaller h, or down from the higher v), whichever was clicked first, so a chain clicked the
// other way round puts its texts in the same places; a chain's is kept between its ends.
AIErr EnterPlane(const depth_object_data& d, bool flat, const cdDataStruct* f, const cdDataStruct* l,
                 const cdDataStruct* s, int16_t slideMode, bool chained, AIRealPoint* p1) {
    if (AIErr err = InPlane(d, flat, s->theLoc, p1)) return err;
    if (!flat)
        if (AIErr err = invertAxonometricPoint(&d, &g->endPoint, &g->endPoint)) return err;
    if (!g->updatingDimensions) {
        AIRealPoint a{}, b{};
        if (AIErr err = InPlane(d, flat, f->theLoc, &a)) return err;
        if (AIErr err = InPlane(d, flat, l->theLoc, &b)) return err;
        GetPointFractionalOffset(a, b, g->endPoint, slideMode, &g->slideDimTextOffset);
        if (chained) g->slideDimTextOffset = std::clamp(g->slideDimTextOffset, 0.0f, 1.0f);
    }
    if (AIErr err = CheckDocumentZoom()) return err;
    return PrepDimensionLayer();
}

// ---------------------------------------------------------------------------------------
// Horizontal

// The depth record the whole dimension is drawn in; may answer by handing over instead.
AIErr HorizontalDepth(const cdDataStruct* f, const cdDataStruct* l, const cdDataStruct* s, bool handedOver,
                      const depth_object_data** d, bool* handed, AIErr* handedResult) {
    *handed = false;
    if (!g->useAxoPerpendicularDims) {
        *d = &s->theDepthData;
        return kNoErr;
    }
    const bool sameH = Equal(f->flatLoc.h, l->flatLoc.h, kHorizontalFaceTolerance);
    if (!g->updatingDimensions) {
        *d = sameH ? &s->perpendicularVData : &s->perpendicularHData;
        return kNoErr;
    }
    if (sameH) {
        *d = &s->perpendicularVData;
        return kNoErr;
    }
    if (s->theDepthData.face == kAxoRightFace && !handedOver) {
        *handed = true;
        *handedResult = Vertical(true);
        return kNoErr;
    }
    if (Equal(f->flatLoc.v, l->flatLoc.v, kHorizontalFaceTolerance)) {
        *d = &s->perpendicularHData;
        return kNoErr;
    }
    const bool option = g->perpendicularDimOptionDown != 0;
    const bool vertical = s->theDepthData.face == kAxoTopFace &&
                          ((option && g->curDimType == kHorizontal) || (!option && g->curDimType == kVertical));
    *d = vertical ? &s->perpendicularVData : &s->perpendicularHData;
    return kNoErr;
}

AIErr Horizontal(bool handedOver) {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    g->axoDimType = kHorizontal;
    cdDataStruct* f = g->firstChainDimDataPtr;
    cdDataStruct* l = g->lastChainDimDataPtr;
    if (!f || f == l) return kNoErr;
    // Clicks one above the other on a face cannot be measured across it.
    if (f->theDepthData.face != kAxoNoFace && Equal(f->flatLoc.h, l->flatLoc.h, kHorizontalFaceTolerance) &&
        !(g->useAxoPerpendicularDims && f->theDepthData.face == kAxoTopFace) && !handedOver) {
        g->axoDimType = kVertical;
        return Vertical(true);
    }
    const bool chained = f->nextPtr != l;
    const bool forward = f->theLoc.h < l->theLoc.h;
    cdDataStruct* s = forward ? f : l;
    const depth_object_data* d = nullptr;
    bool handed = false;
    AIErr handedResult = kNoErr;
    if (AIErr err = HorizontalDepth(f, l, s, handedOver, &d, &handed, &handedResult)) return err;
    if (handed) return handedResult;
    const bool flat = d->face == kAxoNoFace;
    AIRealPoint p1{};
    if (AIErr err = EnterPlane(*d, flat, f, l, s, 0, chained, &p1)) return err;
    cdDataStruct* n = Advance(s, forward);
    const Plotwise3_Live_Dimension_Data& style = Style();
    int32_t textId = 0;
    for (bool firstPair = true; n; firstPair = false, n = Advance(n, forward)) {
        AIRealPoint p2{};
        if (AIErr err = InPlane(*d, flat, n->theLoc, &p2)) return err;
        AIRealPoint& start = g->startingPoint;
        AIRealPoint& end = g->endPoint;
        // The line runs at the drag point's height from the left click to the right one.
        g->basePoint1 = p1.h < p2.h ? p1 : p2;
        g->basePoint2 = p1.h < p2.h ? p2 : p1;
        start = g->basePoint1;
        end.h = g->basePoint2.h;
        start.v = end.v;
        if (firstPair && Shifted()) {
            const AIRealPoint r = p1.h < p2.h ? p2 : p1;
            AIReal offset = sAIRealMath->AIRealPointLength(&r, &end);
            const bool between = end.v >= std::min(p1.v, p2.v) && end.v <= std::max(p1.v, p2.v);
            if (p1.v == p2.v || !between) {
                if (AIErr err = setConstrainOffset(&offset)) return err;
                AIRealPoint step{};
                sAIRealMath->AIRealPointLengthAngle(offset, kHalfPi, &step);
                end.v = end.v <= g->basePoint1.v ? r.v - step.v : r.v + step.v;
            }
            start.v = end.v;
        }
        const AIReal value = sAIRealMath->AIRealAdd(std::fabs(p1.h - p2.h), kValueNudge);
        cdDataStruct* textNode = forward ? n->prevPtr : n;
        if (AIErr err = makePairDimensionString(textNode->textData, value)) return err;
        AIRealRect measured{};
        if (AIErr err = GetTextArtRect(g->theText, &measured)) return err;
        g->strWidth = measured.right - measured.left;
        const Room room = RoomFor(g->strWidth);
        // Across the line.
        g->textAlignment = kCenterStyle;
        const bool labelled = textNode->textData.dimensionFormat != 0;
        const bool dual = style.dualDimensions && !labelled;
        const AIReal line = start.v;
        if (style.hTextPlacement == 1)
            g->textLoc.v = dual ? line + g->textLeading : line - g->textSize / 2 + g->textLeading;
        else if (g->basePoint1.v < line || g->prefs.alwaysAbove)
            g->textLoc.v = dual ? line + style.textDistanceAboveLine + g->textLeading + g->textSize
                                : line + style.textDistanceAboveLine;
        else
            g->textLoc.v = line - style.textDistanceAboveLine - g->textSize + g->textLeading;
        // Along the line.
        g->textLoc.h = start.h + (end.h - start.h) * SlideFraction();
        const Layout layout = ChooseLayout(chained, value, room);
        const bool outside = g->textLoc.h < start.h || g->textLoc.h > end.h;
        bool textOut = false, linesOut = false;
        Sides(layout, outside, &textOut, &linesOut);
        if (layout == Layout::kLarge && !style.slideDimText)
            g->textLoc.h = end.h + room.stub + static_cast<AIReal>(style.textSpacing) / 2.0f;
        g->textAngle = 0;
        if (style.hTextPlacement == 2 || !textOut)
            g->textAlignment = kCenterStyle;
        else
            g->textAlignment = g->textLoc.h < start.h ? kLimitStyle : kStartStyle;
        if (AIErr err = Text(textNode, textId)) return err;
        textId += forward ? 1 : -1;
        // Witness lines: at the first click of the first pair, then at each second click.
        const AIReal gap = style.witnessGap, extension = style.witnessExtension;
        if (firstPair) {
            const AIReal sign = end.v <= g->basePoint1.v ? -1.0f : 1.0f;
            if (AIErr err = drawWitnessLine({g->basePoint1.h, g->basePoint1.v + sign * gap},
                                            {start.h, start.v + sign * extension}, g->group))
                return err;
            if (!flat)
                g->axoDimOffset = (start.v - g->basePoint1.v) *
                                  (d->face == kAxoTopFace ? g->prefs.isoView.af : g->prefs.isoView.cf);
        }
        const AIReal sign2 = end.v <= g->basePoint2.v ? -1.0f : 1.0f;
        if (AIErr err = drawWitnessLine({end.h, g->basePoint2.v + sign2 * gap}, {end.h, end.v + sign2 * extension},
                                        g->group))
            return err;
        // The dimension line.
        if (!linesOut) {
            AIRealRect box{};
            if (AIErr err = GetAbsoluteTextArtRect(g->theText, &g->textLoc, g->textAlignment, g->textAngle, &box))
                return err;
            AIErr err = kNoErr;
            if (!textOut && style.hTextPlacement == 2) {
                err = Line(start.h, line, end.h, line);
            } else if (!textOut) {
                err = Line(start.h, line, std::max(box.left, start.h), line);
                if (!err) err = Line(std::min(box.right, end.h), line, end.h, line);
            } else if (g->textLoc.h <= start.h) {
                err = Line(end.h, line, box.right < start.h ? box.right : start.h, line);
            } else {
                err = Line(start.h, line, box.left > end.h ? box.left : end.h, line);
            }
            if (err) return err;
        } else {
            const AIReal halfSpacing = static_cast<AIReal>(style.textSpacing) / 2.0f;
            AIReal length = room.stub;
            if (textOut)
                length = g->textLoc.h < start.h ? (start.h - g->textLoc.h) - halfSpacing
                                                : (g->textLoc.h - end.h) - halfSpacing;
            length = std::max(length, room.stub);
            if (AIErr err = Line(start.h, line, start.h - length, line)) return err;
            if (AIErr err = Line(end.h, line, end.h + length, line)) return err;
        }
        if (AIErr err = doLineEndpointGraphics(start, end, 1, 1, linesOut ? 0 : 1, g->group)) return err;
        p1 = p2;
    }
    return Finish(*d, flat);
}

// ---------------------------------------------------------------------------------------
// Vertical

AIErr VerticalDepth(const cdDataStruct* s, bool handedOver, const depth_object_data** d, bool* handed,
                    AIErr* handedResult) {
    *handed = false;
    if (!g->useAxoPerpendicularDims) {
        *d = &s->theDepthData;
        return kNoErr;
    }
    const bool option = g->perpendicularDimOptionDown != 0;
    const int32_t face = s->theDepthData.face;
    if (!g->updatingDimensions) {
        const AIToolHandle tool = g->curTool;
        const bool verticalTool = tool == g->visotool || tool == g->autovisotool;
        const bool horizontalTool = tool == g->hisotool || tool == g->autohisotool;
        const bool across = face == kAxoRightFace && ((option && verticalTool) || (!option && horizontalTool));
        *d = across ? &s->perpendicularHData : &s->perpendicularVData;
        return kNoErr;
    }
    if (face == kAxoTopFace && !handedOver) {
        *handed = true;
        *handedResult = Horizontal(true);
        return kNoErr;
    }
    const bool across = face == kAxoRightFace &&
                        ((option && g->curDimType == kVertical) || (!option && g->curDimType == kHorizontal));
    *d = across ? &s->perpendicularHData : &s->perpendicularVData;
    return kNoErr;
}

// The text's place across a vertical line at x, and its angle, by vTextPlacement.
void VerticalTextAcross(AIReal x, bool dual) {
    const Plotwise3_Live_Dimension_Data& s = Style();
    const AIReal size = g->textSize, leading = g->textLeading, distance = s.textDistanceAboveLine;
    switch (s.vTextPlacement) {
        case 5:
            g->textAngle = kHalfPi;
            g->textLoc.h = dual ? x - leading : x + size / 2 - leading;
            break;
        case 3:
            g->textAngle = -kHalfPi;
            g->textLoc.h = dual ? x + leading : x - size / 2 + leading;
            break;
        case 4:
            g->textAngle = kHalfPi;
            g->textLoc.h = dual ? x - distance - size - leading : x - distance;
            break;
        case 2:
            g->textAngle = -kHalfPi;
            g->textLoc.h = dual ? x + distance + size + leading : x + distance;
            break;
        default:
            g->textLoc.h = x;
            g->textAngle = 0;
            break;
    }
}

AIErr Vertical(bool handedOver) {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    g->axoDimType = kVertical;
    cdDataStruct* f = g->firstChainDimDataPtr;
    cdDataStruct* l = g->lastChainDimDataPtr;
    if (!f || f == l) return kNoErr;
    // Clicks side by side on a face cannot be measured up it.
    if (f->theDepthData.face != kAxoNoFace && Equal(f->flatLoc.v, l->flatLoc.v, kVerticalFaceTolerance) &&
        !handedOver) {
        if (g->useAxoPerpendicularDims && f->theDepthData.face == kAxoTopFace) return Horizontal(true);
        if (!g->useAxoPerpendicularDims) {
            g->axoDimType = kHorizontal;
            return Horizontal(true);
        }
    }
    const bool chained = f->nextPtr != l;
    // From the higher click down.
    const bool forward = !(f->theLoc.v <= l->theLoc.v);
    cdDataStruct* s = forward ? f : l;
    const depth_object_data* d = nullptr;
    bool handed = false;
    AIErr handedResult = kNoErr;
    if (AIErr err = VerticalDepth(s, handedOver, &d, &handed, &handedResult)) return err;
    if (handed) return handedResult;
    const bool flat = d->face == kAxoNoFace;
    AIRealPoint p1{};
    if (AIErr err = EnterPlane(*d, flat, f, l, s, 2, chained, &p1)) return err;
    cdDataStruct* n = Advance(s, forward);
    const Plotwise3_Live_Dimension_Data& style = Style();
    int32_t textId = 0;
    for (bool firstPair = true; n; firstPair = false, n = Advance(n, forward)) {
        AIRealPoint p2{};
        if (AIErr err = InPlane(*d, flat, n->theLoc, &p2)) return err;
        AIRealPoint& start = g->startingPoint;
        AIRealPoint& end = g->endPoint;
        // The line is vertical at the drag point's h, from the upper click to the lower.
        const bool p1Lower = p1.v <= p2.v;
        g->basePoint1 = p1Lower ? p2 : p1;
        g->basePoint2 = p1Lower ? p1 : p2;
        start = g->basePoint1;
        end.v = g->basePoint2.v;
        start.h = end.h;
        if (firstPair && Shifted()) {
            const AIRealPoint r = p1Lower ? p1 : p2;
            AIReal offset = sAIRealMath->AIRealPointLength(&r, &end);
            const bool between = end.h >= std::min(p1.h, p2.h) && end.h <= std::max(p1.h, p2.h);
            if (p1.h == p2.h || !between) {
                if (AIErr err = setConstrainOffset(&offset)) return err;
                AIRealPoint step{};
                sAIRealMath->AIRealPointLengthAngle(offset, 0.0f, &step);
                end.h = end.h <= g->basePoint1.h ? r.h - step.h : r.h + step.h;
            }
            start.h = end.h;
        }
        const AIReal value = sAIRealMath->AIRealAdd(std::fabs(p1.v - p2.v), kValueNudge);
        cdDataStruct* textNode = forward ? n->prevPtr : n;
        if (AIErr err = makePairDimensionString(textNode->textData, value)) return err;
        AIRealRect measured{};
        if (AIErr err = GetTextArtRect(g->theText, &measured)) return err;
        g->strWidth = measured.right - measured.left;
        const bool acrossLine = style.vTextPlacement == 1 || style.vTextPlacement < 1 || style.vTextPlacement > 5;
        const Room room = RoomFor(acrossLine ? g->textSize + g->textLeading : g->strWidth);
        const bool labelled = textNode->textData.dimensionFormat != 0;
        const bool dual = style.dualDimensions && !labelled;
        const AIReal line = start.h;
        VerticalTextAcross(line, dual);
        g->textLoc.v = start.v - (start.v - end.v) * SlideFraction();
        const Layout layout = ChooseLayout(chained, value, room);
        const bool outside = g->textLoc.v > start.v || g->textLoc.v < end.v;
        bool textOut = false, linesOut = false;
        Sides(layout, outside, &textOut, &linesOut);  // large text stays in the middle
        if (acrossLine) {
            g->textAlignment = kCenterStyle;
            const AIReal shift = g->textSize / 2 - g->textLeading;
            g->textLoc.v += dual ? shift : -shift;
        } else if (!textOut) {
            g->textAlignment = kCenterStyle;
        } else if (style.vTextPlacement == 5 || style.vTextPlacement == 4) {
            g->textAlignment = g->textLoc.v < start.v ? kLimitStyle : kStartStyle;
        } else {
            g->textAlignment = g->textLoc.v < start.v ? kStartStyle : kLimitStyle;
        }
        if (AIErr err = Text(textNode, textId)) return err;
        textId += forward ? 1 : -1;
        // Witness lines run across, at the clicks' heights.
        const AIReal gap = style.witnessGap, extension = style.witnessExtension;
        if (firstPair) {
            const AIReal sign = end.h <= g->basePoint1.h ? -1.0f : 1.0f;
            if (AIErr err = drawWitnessLine({g->basePoint1.h + sign * gap, g->basePoint1.v},
                                            {start.h + sign * extension, g->basePoint1.v}, g->group))
                return err;
            if (!flat) {
                const bool bAxis = d->face == kAxoTopFace || d->face == kAxoLeftFace;
                g->axoDimOffset = (start.h - g->basePoint1.h) * (bAxis ? g->prefs.isoView.bf : g->prefs.isoView.af);
            }
        }
        const AIReal sign2 = end.h <= g->basePoint2.h ? -1.0f : 1.0f;
        if (AIErr err = drawWitnessLine({g->basePoint2.h + sign2 * gap, end.v}, {start.h + sign2 * extension, end.v},
                                        g->group))
            return err;
        // The dimension line.
        if (!linesOut) {
            AIRealRect box{};
            if (AIErr err = GetAbsoluteTextArtRect(g->theText, &g->textLoc, g->textAlignment, g->textAngle, &box))
                return err;
            AIErr err = kNoErr;
            if (!textOut && (style.vTextPlacement == 2 || style.vTextPlacement == 4)) {
                err = Line(line, start.v, line, end.v);
            } else if (!textOut) {
                err = Line(line, start.v, line, std::min(box.top, start.v));
                if (!err) err = Line(line, end.v, line, std::max(box.bottom, end.v));
            } else if (g->textLoc.v < start.v) {
                err = Line(line, start.v, line, end.v < box.top ? end.v : box.top);
            } else {
                err = Line(line, end.v, line, box.bottom > start.v ? box.bottom : start.v);
            }
            if (err) return err;
        } else {
            const AIReal halfSpacing = static_cast<AIReal>(style.textSpacing) / 2.0f;
            AIReal length = room.stub;
            if (textOut)
                length = g->textLoc.v < end.v ? (end.v - g->textLoc.v) - halfSpacing
                                               : (g->textLoc.v - start.v) - halfSpacing;
            length = std::max(length, room.stub);
            if (AIErr err = Line(line, start.v, line, start.v + length)) return err;
            if (AIErr err = Line(line, end.v, line, end.v - length)) return err;
        }
        if (AIErr err = doLineEndpointGraphics(start, end, 1, 1, linesOut ? 0 : 1, g->group)) return err;
        p1 = p2;
    }
    return Finish(*d, flat);
}

}  // namespace

AIErr doHorizontalConstrainedLinearTool() { return g ? Horizontal(false) : kCADErr; }

AIErr doVerticalConstrainedLinearTool() { return g ? Vertical(false) : kCADErr; }
