// The section and centre line routines: both ends snapped to an anchor under them, the
// direction snapped with shift, the dashes of geometry/ChainLineDashes.h drawn along the
// line; the section line adds its legs, terminators and labels.
#include "dimtools/ChainLines.h"

#include <string>

#include "artwork/AxonometricConstraint.h"
#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/DimensionText.h"
#include "dimtools/AlignedLine.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LabelParts.h"
#include "dimtools/LabelText.h"
#include "dimtools/LinearAxis.h"
#include "geometry/ChainLineDashes.h"
#include "geometry/PlaneGeometry.h"
#include "geometry/PointMath.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kLegLength = 36.0f;
constexpr AIReal kLabelDistance = 40.0f;  // from the line, along the leg
constexpr AIReal kDoubleThick = 2.0f;
constexpr int16_t kStartStyle = 1, kLimitStyle = 3;
constexpr int32_t kCtrlBit = 4;
constexpr int32_t kFarLabelId = 1, kFirstLabelId = 2;
constexpr size_t kLabelSize = 1024;

bool Ctrl() { return (g->prefs.style.modifiers & kCtrlBit) != 0; }

// The point replaced by the hit point when the hit is an anchor.
void TakeAnchor(const AIToolHitData& data, AIRealPoint* point) {
    if (data.hit && data.type == kSegAnchorType) *point = data.point;
}

// The dragged line, its ends snapped to anchors (and written back, so later drags and a
// redraw start from them): its first end, its far end, half its length and its direction.
// The first end snaps as a label's press does, the far end as a label's drag end, so that
// in a redraw art drawn since moves neither.
struct Dragged {
    AIRealPoint p1, p2;
    AIReal h, a;
};
AIErr SnapDraggedLine(Dragged* line) {
    AIToolHitData data{};
    if (AIErr err = LabelPressHit(g->firstClick, kSnapHitRequest, &data)) return err;
    TakeAnchor(data, &g->firstClick);
    if (SnapsLabelEnd()) {
        HitRef hit;
        if (AIErr err = hit.Test(nullptr, g->endPoint, &data, kSnapHitRequest)) return err;
        TakeAnchor(data, &g->endPoint);
    }
    const AIRealPoint from = g->firstClick, to = g->endPoint;
    *line = {from, to, Distance(from, to) / 2.0f, Angle(from, to)};
    return kNoErr;
}

// The dashes of a line from `p1` at angle `a`, `dashes` laid along it.
AIErr DrawDashes(const AIRealPoint& p1, AIReal a, const std::vector<DashPiece>& dashes) {
    for (const DashPiece& d : dashes)
        if (AIErr err = drawDimensionLine(PointAlong(p1, d.from, a), PointAlong(p1, d.to, a), g->group)) return err;
    return kNoErr;
}

// The dimension lines' weight doubled while a double-thick section line draws, and put
// back on every way out.
class DoubledWeight {
public:
    explicit DoubledWeight(bool on) : on_(on), width_(g->dimensionLineStyle.stroke.width) {
        if (on_) g->dimensionLineStyle.stroke.width = width_ * kDoubleThick;
    }
    ~DoubledWeight() {
        if (on_) g->dimensionLineStyle.stroke.width = width_;
    }
    DoubledWeight(const DoubledWeight&) = delete;
    DoubledWeight& operator=(const DoubledWeight&) = delete;

private:
    bool on_;
    AIReal width_;
};

// A leg from the line's end at angle b, with the terminator at its outer end pointing away
// from the line.
AIErr DrawLeg(const AIRealPoint& end, AIReal b) {
    const AIRealPoint outer = PointAlong(end, kLegLength, b);
    if (AIErr err = drawDimensionLine(end, outer, g->group)) return err;
    return doLineEndpointGraphics(end, outer, 0, 1, 1, g->group);
}

// The labels beyond the legs, reading outwards along them and never upside down, the
// baseline moved by a third of the text's size to stand on the leg's middle: the first
// click's (primed when the style asks) and the far end's, each with a copy of the chain's
// text record.
AIErr DrawLabels(AIRealPoint first, AIRealPoint far, AIReal a) {
    const AIRealPoint toBaseline = PointAlong({0, 0}, g->textSize / 3.0f, a - kPi);
    const AIReal sign = a > 0 ? 1.0f : -1.0f;
    g->textAngle = a > 0 ? a - kHalfPi : a + kHalfPi;
    g->textAlignment = (a > 0) != Ctrl() ? kStartStyle : kLimitStyle;
    for (AIRealPoint* p : {&first, &far}) *p = {p->h + sign * toBaseline.h, p->v + sign * toBaseline.v};
    g->textLoc = far;

    char label[kLabelSize] = {};
    GetLabelText(g->prefs.style.labelFormat, label, nullptr, sizeof label);
    std::string primed = label;
    if (g->prefs.style.primeSection) primed += "'";
    cdDataStruct* node = g->firstChainDimDataPtr;
    live_dimension_text_data record = node ? node->textData : live_dimension_text_data{};
    record.next = nullptr;
    record.id = kFirstLabelId;
    if (AIErr err = doText(primed.c_str(), first, g->textAlignment, g->textAngle, g->group, &record)) return err;
    record.id = kFarLabelId;
    return doText(label, far, g->textAlignment, g->textAngle, g->group, &record);
}

AIErr SectionLine() {
    Dragged line{};
    if (AIErr err = SnapDraggedLine(&line)) return err;
    const auto [p1, p2, h, dragged] = line;
    AIReal a = dragged;
    AIRealPoint far = p2;
    if (Shifted()) {
        if (AIErr err = SetConstrainAngle(&a)) return err;
        far = PointAlong(p1, Distance(g->startingPoint, p2), a);
    }
    const AIReal b = Ctrl() ? a + kHalfPi : a - kHalfPi;
    if (AIErr err = PrepDimensionLayer()) return err;
    SetDimensionData(g->group, nullptr);  // live from the start; its result is the last call's
    {
        DoubledWeight weight(g->prefs.style.makeSectionLineDoubleThick != 0);
        if (AIErr err = DrawLeg(p1, b)) return err;
        if (AIErr err = DrawDashes(p1, a, SectionLineDashes(h))) return err;
        if (AIErr err = DrawLeg(far, b)) return err;
        if (AIErr err = DrawLabels(PointAlong(p1, kLabelDistance, b), PointAlong(far, kLabelDistance, b), a))
            return err;
    }
    return SetDimensionData(g->group, nullptr);
}

AIErr CenterLine() {
    if (AIErr err = PrepDimensionLayer()) return err;
    SetDimensionData(g->group, nullptr);  // live from the start; its result is the last call's
    Dragged line{};
    if (AIErr err = SnapDraggedLine(&line)) return err;
    AIReal a = line.a;
    if (Shifted()) {
        int32_t face = 0;
        const bool axonometric = g->isocenterlinetool && g->curTool == g->isocenterlinetool;
        if (AIErr err = axonometric ? GetRealAxomentricConstrainAngle(&a, &face) : SetConstrainAngle(&a)) return err;
    }
    if (AIErr err = DrawDashes(line.p1, a, CenterLineDashes(line.h))) return err;
    return SetDimensionData(g->group, nullptr);
}

}  // namespace

AIErr doSectionTool() { return g ? SectionLine() : kCADErr; }

AIErr doCenterLineTool() { return g ? CenterLine() : kCADErr; }
