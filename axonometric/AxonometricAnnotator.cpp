// The annotator's drawings, in view pixels (y down).
#include "axonometric/AxonometricAnnotator.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "axonometric/AxonometricGlobals.h"
#include "axonometric/GridSnap.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "geometry/PointMath.h"
#include "artwork/DrawingLayer.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

constexpr AIRGBColor kHintColor{0xC000, 0, 0xC000};
constexpr AIRGBColor kOffsetColor{0, 0x8000, 0xFFFF};
constexpr AIRGBColor kRulerMarkColor{0xFFFF, 0, 0};
constexpr AIRGBColor kInkColor{0, 0, 0};
constexpr AIRGBColor kCrosshairColor{0x4000, 0x8000, 0xFFFF};

constexpr int32_t kHintCross = 2, kHintLabelOffset = 4;
constexpr int32_t kFaceWords = 17;  // + annotationFace: the words of the left, right and top faces
constexpr int32_t kOffsetDot = 3, kOffsetLabelGap = 6;
constexpr int32_t kRulerBand = 18;  // pixels beside the page edge the rulers take
constexpr int32_t kInfoOffset = 16, kInfoLine = 12, kInfoMargin = 4;
constexpr int32_t kSnapMark = 3, kSnapReach = 40;

bool Known(double v) { return v != kMissingValue && std::isfinite(v); }

bool ToView(AIDocumentViewHandle view, AIRealPoint p, AIPoint* out) {
    return sAIDocumentView->ArtworkPointToViewPoint(view, &p, out) == kNoErr;
}

AIRect Around(AIPoint p, int32_t r) { return {p.h - r, p.v - r, p.h + r, p.v + r}; }

AIErr Line(AIAnnotatorDrawer* drawer, AIPoint a, AIPoint b) { return sAIAnnotatorDrawer->DrawLine(drawer, &a, &b); }

AIErr Pen(AIAnnotatorDrawer* drawer, const AIRGBColor& color, AIReal width, bool dashed = false) {
    if (AIErr err = sAIAnnotatorDrawer->SetColor(drawer, &color)) return err;
    if (AIErr err = sAIAnnotatorDrawer->SetLineWidth(drawer, width)) return err;
    return sAIAnnotatorDrawer->SetLineDashed(drawer, dashed);
}

// A text on a cleared background, its baseline's left end at origin.
AIErr LabelOnClearing(AIAnnotatorDrawer* drawer, const char* text, AIPoint origin) {
    AIRect bounds{};
    if (AIErr err = sAIAnnotatorDrawer->GetTextBounds(drawer, text, &origin, &bounds)) return err;
    const AIRect clearing{bounds.left - 2, bounds.top - 2, bounds.right + 2, bounds.bottom + 2};
    if (AIErr err = sAIAnnotatorDrawer->ClearRect(drawer, &clearing)) return err;
    return sAIAnnotatorDrawer->DrawText(drawer, text, &origin);
}

// A length as the tracker shows it: at the drawing scale, in its units and precision, rounded
// with its float error (LengthError).
std::string TrackerLength(double value, double error) {
    char text[256] = {};
    // At the scale the tracker shows the same value at.
    doScaleAndUnitsAt(MeasuringScaler(), value, text, 1, static_cast<int16_t>(g->prefs.CADtrackerUnits),
                      static_cast<int16_t>(g->prefs.CADtrackerPrecision), error);
    return text;
}

std::string TrackerAngle(AIReal degrees) {
    char text[64] = {};
    const int precision = std::clamp<int32_t>(g->prefs.CADtrackerPrecision, 0, 5);
    std::snprintf(text, sizeof text, "%.*f", precision, static_cast<double>(degrees));
    return std::string(text) + g->degreeSymbol;
}

std::string Caption(int32_t index, const char* fallback) {
    char text[64] = {};
    GetPlotwiseString(kWordList, index, text, sizeof text);
    return text[0] ? text : fallback;
}

bool RulersShown() { return g->prefs.DERurureLayerVisible && g->prefs.DERurureLayerExists && g->rulerLayer; }

}  // namespace

AIErr DoDrawAxoHintsAnnotation(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer) {
    if (!g || !g->canAnnotateIntersection) return kNoErr;
    AIPoint x{};
    if (!ToView(view, g->annotatorIntersection, &x)) return kNoErr;
    if (AIErr err = Pen(drawer, kHintColor, 1)) return err;
    if (AIErr err = Line(drawer, {x.h - kHintCross, x.v - kHintCross}, {x.h + kHintCross, x.v + kHintCross})) return err;
    if (AIErr err = Line(drawer, {x.h - kHintCross, x.v + kHintCross}, {x.h + kHintCross, x.v - kHintCross})) return err;
    if (g->annotationFace < 1 || g->annotationFace > 3 || !g->annotatorCursorKnown) return kNoErr;
    char label[256] = {};
    GetPlotwiseString(kWordList, kFaceWords + g->annotationFace, label, sizeof label);
    AIPoint cursor{};
    if (!label[0] || !ToView(view, g->annotatorCursor, &cursor)) return kNoErr;
    const AIPoint at{cursor.h + kHintLabelOffset, cursor.v - kHintLabelOffset};
    return sAIAnnotatorDrawer->DrawText(drawer, label, &at);
}

AIErr DrawOffsetAnnotater(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer, const AIRealPoint* click,
                          const AIRealPoint* offsetPoint) {
    if (!g || !g->showOffsetAnnotator || !click || !offsetPoint) return kNoErr;
    AIPoint a{}, b{};
    if (!ToView(view, *click, &a) || !ToView(view, *offsetPoint, &b)) return kNoErr;
    if (AIErr err = Pen(drawer, kOffsetColor, 1)) return err;
    if (AIErr err = Line(drawer, a, b)) return err;
    for (AIPoint end : {a, b}) {
        const AIRect dot = Around(end, kOffsetDot);
        if (AIErr err = sAIAnnotatorDrawer->DrawEllipse(drawer, &dot, true)) return err;
    }
    const double distance = Distance<double>(*click, *offsetPoint);
    const std::string text = g->offsetTooFar
                                 ? std::string(kOffsetTooLargeAnnotation)
                                 : TrackerLength(distance, DistanceError(*click, *offsetPoint));
    if (text.empty()) return kNoErr;
    return LabelOnClearing(drawer, text.c_str(), {a.h + kOffsetLabelGap, a.v - kOffsetLabelGap});
}

AIErr DrawRulerCursorMarks(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer) {
    if (!g || !g->okToTrackCursorFlag || !RulersShown()) return kNoErr;
    AIRealRect page{};
    GetPageRect(&page);
    AIPoint topLeft{}, bottomRight{};
    if (!ToView(view, {page.left, page.top}, &topLeft) || !ToView(view, {page.right, page.bottom}, &bottomRight))
        return kNoErr;
    // The rulers lie outside the page: above its top edge and left of its left edge.
    g->hRulerRect = {AIReal(topLeft.h), AIReal(topLeft.v - kRulerBand), AIReal(bottomRight.h), AIReal(topLeft.v)};
    g->vRulerRect = {AIReal(topLeft.h - kRulerBand), AIReal(topLeft.v), AIReal(topLeft.h), AIReal(bottomRight.v)};
    AIPoint cursor{};
    if (!g->annotatorCursorKnown || !ToView(view, g->annotatorCursor, &cursor)) return kNoErr;
    if (AIErr err = Pen(drawer, kRulerMarkColor, 1)) return err;
    if (cursor.h >= topLeft.h && cursor.h <= bottomRight.h)
        if (AIErr err = Line(drawer, {cursor.h, topLeft.v - kRulerBand}, {cursor.h, topLeft.v})) return err;
    if (cursor.v >= topLeft.v && cursor.v <= bottomRight.v)
        if (AIErr err = Line(drawer, {topLeft.h - kRulerBand, cursor.v}, {topLeft.h, cursor.v})) return err;
    return kNoErr;
}

AIErr DrawInformationBox(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer) {
    if (!g || !g->dragging || !g->prefs.showCADtrackerInfo || !g->annotatorCursorKnown) return kNoErr;
    std::vector<std::string> lines;
    // Sizes: the height is kept negated (y down) and a drag may run either way.
    if (Known(g->annotatorW))
        lines.push_back(Caption(27, "Width: ") + TrackerLength(std::fabs(g->annotatorW), g->annotatorErrorW));
    if (Known(g->annotatorH))
        lines.push_back(Caption(28, "Height: ") + TrackerLength(std::fabs(g->annotatorH), g->annotatorErrorH));
    if (Known(g->annotatorL))
        lines.push_back(Caption(3, "Length") + ": " + TrackerLength(g->annotatorL, g->annotatorErrorL));
    if (Known(g->annotatorAngle)) lines.push_back(Caption(16, "Angle: ") + TrackerAngle(g->annotatorAngle));
    AIPoint cursor{};
    if (lines.empty() || !ToView(view, g->annotatorCursor, &cursor)) return kNoErr;
    const AIPoint origin{cursor.h + kInfoOffset, cursor.v + kInfoOffset};
    int32_t width = 0;
    for (size_t i = 0; i < lines.size(); ++i) {
        const AIPoint at{origin.h, origin.v + kInfoLine * int32_t(i + 1)};
        AIRect bounds{};
        if (AIErr err = sAIAnnotatorDrawer->GetTextBounds(drawer, lines[i].c_str(), &at, &bounds)) return err;
        width = std::max(width, bounds.right - bounds.left);
    }
    const AIRect box{origin.h - kInfoMargin, origin.v - kInfoMargin, origin.h + width + kInfoMargin,
                     origin.v + kInfoLine * int32_t(lines.size()) + kInfoMargin};
    if (AIErr err = sAIAnnotatorDrawer->ClearRect(drawer, &box)) return err;
    if (AIErr err = Pen(drawer, kInkColor, 1)) return err;
    if (AIErr err = sAIAnnotatorDrawer->DrawRect(drawer, &box, false)) return err;
    for (size_t i = 0; i < lines.size(); ++i) {
        // Baselines one line height apart, the first one line below the top.
        const AIPoint at{origin.h, origin.v + kInfoLine * int32_t(i + 1) - 2};
        if (AIErr err = sAIAnnotatorDrawer->DrawText(drawer, lines[i].c_str(), &at)) return err;
    }
    return kNoErr;
}

AIErr DrawFullScreenCursor(AIDocumentViewHandle view, AIAnnotatorDrawer* drawer) {
    if (!g || !g->prefs.annotateFullScreenCursor || !g->annotatorCursorKnown) return kNoErr;
    AIRealRect page{};
    GetPageRect(&page);
    AIPoint topLeft{}, bottomRight{}, cursor{};
    if (!ToView(view, {page.left, page.top}, &topLeft) || !ToView(view, {page.right, page.bottom}, &bottomRight) ||
        !ToView(view, g->annotatorCursor, &cursor))
        return kNoErr;
    const AIRect across{topLeft.h - kRulerBand, topLeft.v - kRulerBand, bottomRight.h + kRulerBand,
                        bottomRight.v + kRulerBand};
    if (AIErr err = Pen(drawer, kCrosshairColor, 0.5f, true)) return err;
    if (AIErr err = Line(drawer, {across.left, cursor.v}, {across.right, cursor.v})) return err;
    if (AIErr err = Line(drawer, {cursor.h, across.top}, {cursor.h, across.bottom})) return err;

    // The object snap points near the cursor, then where a click would land.
    if (AIErr err = Pen(drawer, kCrosshairColor, 1)) return err;
    for (const AIRealPoint& p : g->crosshairSnapPoints) {
        AIPoint q{};
        if (!ToView(view, p, &q)) continue;
        const AIRect mark = Around(q, kSnapMark);
        if (AIErr err = sAIAnnotatorDrawer->DrawRect(drawer, &mark, false)) return err;
    }
    AIPoint q{};
    if (g->crosshairSnapped && ToView(view, g->crosshairSnap, &q)) {
        const AIRect mark = Around(q, kSnapMark);
        return sAIAnnotatorDrawer->DrawRect(drawer, &mark, true);
    }
    return kNoErr;
}

AIErr FollowCrosshairCursor(const AIRealPoint* cursor) {
    if (!g) return kNoErr;
    g->crosshairSnapPoints.clear();
    g->crosshairSnapped = 0;
    if (!cursor || !g->prefs.annotateFullScreenCursor) return kNoErr;
    AIDocumentViewHandle view = nullptr;
    AIReal zoom = 1;
    if (sAIDocumentView->GetNthDocumentView(0, &view) || sAIDocumentView->GetDocumentViewZoom(view, &zoom))
        return kNoErr;  // no document
    if (g->prefs.objectSnapFullScreenCursor) {
        const double reach = kSnapReach / (zoom > 0 ? zoom : 1);
        g->crosshairSnapPoints = ObjectSnapPointsNear(*cursor, reach);
    }
    g->crosshairSnapped = snapToGridCheckAxonometric(cursor, &g->crosshairSnap);
    return kNoErr;
}
