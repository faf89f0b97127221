// Automatic dimensioning: for every path of the run, the clicks a user would have made with
// the automatic dimension, radius and centre-mark tools are made up and handed to those
// tools' routines, one dimension at a time. A dimension that is drawn keeps its clicks on
// the path (so it is redrawn later like any other) and takes an id and the next label; one
// that is not drawn leaves nothing behind.
#include "dimtools/AutoDimensioning.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <vector>

#include "axonometric/AxonometricData.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "core/UserLayer.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLayer.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionRegeneration.h"
#include "dimensions/DimensionStorage.h"
#include "dimtools/AlignedDimensions.h"
#include "dimtools/AutoSegmentDimensions.h"
#include "dimtools/CenterMarks.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/LinearDimensions.h"
#include "dimtools/RadialDimensions.h"
#include "geometry/CounterText.h"
#include "geometry/PointMath.h"
#include "geometry/ShapeRecognition.h"
#include "artwork/LabelCounters.h"
#include "units/LayerScales.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kCircleLeaderFactor = 0.75f;  // a circle's leader ends 1.5 radii from its centre
constexpr AIReal kMidParameter = 0.5f;
constexpr int32_t kDragClick = -1;

using Anchors = std::vector<AIPathSegment>;

AIErr ReadAnchors(AIArtHandle path, Anchors* anchors, bool* closed) {
    int16_t count = 0;
    if (AIErr err = sAIPath->GetPathSegmentCount(path, &count)) return err;
    anchors->assign(count > 0 ? static_cast<size_t>(count) : 0, AIPathSegment{});
    if (count > 0)
        if (AIErr err = sAIPath->GetPathSegments(path, 0, count, anchors->data())) return err;
    ASBoolean isClosed = false;
    if (AIErr err = sAIPath->GetPathClosed(path, &isClosed)) return err;
    *closed = isClosed != 0;
    return kNoErr;
}

AIErr Bounds(AIArtHandle art, AIRealRect* bounds) { return sAIArt->GetArtBounds(art, bounds); }

// Everything the run changes that the user's next gesture or a later redraw relies on,
// given back when the run ends however it ends.
class SavedState {
public:
    SavedState() {
        CopyCString(scaleStr_, g->prefs.scaleStr);
        g->UsingMagicDims = 1;
        g->prefs.style.modifiers = 0;  // a menu command holds no keys
        g->labelToolSelected = 0;      // dimensions, whatever tool is current, never labels
    }
    SavedState(const SavedState&) = delete;
    SavedState& operator=(const SavedState&) = delete;
    ~SavedState() {
        doFreeHitLocs();
        (void)PutBackUserLayer(layer_);  // from the dimension layer the run drew on
        g->UsingMagicDims = 0;
        g->curTool = tool_;
        g->didFirstClick = didFirst_;
        g->didSecondClick = didSecond_;
        g->clickNum = clickNum_;
        g->firstClick = firstClick_;
        g->secondClick = secondClick_;
        g->endPoint = endPoint_;
        g->curDimID = dimID_;
        g->curDimType = dimType_;
        g->liveDimClickType = clickType_;
        g->liveDimClickedArt = clickedArt_;
        g->liveDimSegNum = segNum_;
        g->firstClickArt = firstClickArt_;
        g->art = art_;
        g->initializedAutoTools = initialized_;
        g->drawingAxoDimension = axo_;
        g->textSize = textSize_;
        g->textLeading = textLeading_;
        g->prefs.scale = scale_;
        g->prefs.scaler = scaler_;
        CopyCString(g->prefs.scaleStr, scaleStr_);
        g->prefs.style.modifiers = modifiers_;
        g->saveLayer = saveLayer_;
        g->labelToolSelected = labelTool_;
    }
    // The layer the user draws on, current again at the end (and what the dimensions are
    // drawn on when they do not go on the dimension layer).
    void RecordLayer() {
        if (sAILayer && sAILayer->GetCurrentLayer(&layer_) == kNoErr && layer_) g->saveLayer = layer_;
    }

private:
    AILayerHandle layer_ = nullptr;
    AILayerHandle saveLayer_ = g->saveLayer;
    AIToolHandle tool_ = g->curTool;
    int didFirst_ = g->didFirstClick, didSecond_ = g->didSecondClick;
    int32_t clickNum_ = g->clickNum;
    AIRealPoint firstClick_ = g->firstClick, secondClick_ = g->secondClick, endPoint_ = g->endPoint;
    int32_t dimID_ = g->curDimID, dimType_ = g->curDimType, clickType_ = g->liveDimClickType;
    AIArtHandle clickedArt_ = g->liveDimClickedArt, firstClickArt_ = g->firstClickArt, art_ = g->art;
    uint32_t segNum_ = g->liveDimSegNum;
    int initialized_ = g->initializedAutoTools, axo_ = g->drawingAxoDimension;
    AIReal textSize_ = g->textSize, textLeading_ = g->textLeading;
    int32_t scale_ = g->prefs.scale;
    float scaler_ = g->prefs.scaler;
    char scaleStr_[sizeof(g->prefs.scaleStr)] = {};
    int32_t modifiers_ = g->prefs.style.modifiers;
    int labelTool_ = g->labelToolSelected;
};

// One made-up dimension: the tool whose behaviour the routine follows, the kind it is
// stored as, the made-up click and drag point, and its click records (ids set once drawn).
struct MadeUp {
    AIToolHandle tool = nullptr;
    int32_t kind = 0;
    int32_t clickType = kLiveDimClickedSegmentPoint;
    AIRealPoint click{}, drag{};
    std::array<Plotwise3_dimensioned_object_data, 3> records{};
    size_t recordCount = 0;

    void Add(int32_t clickNum, int32_t before, int32_t after, AIReal offsetLength = 0, AIReal offsetAngle = 0) {
        Plotwise3_dimensioned_object_data& r = records[recordCount++];
        r = {};
        r.clickNum = clickNum;
        r.segNumBefore = before;
        r.segNumAfter = after;
        r.endPointOffsetLength = offsetLength;
        r.endPointOffsetAngle = offsetAngle;
    }
};

// The group the routine made holds art.
bool HoldsArt(AIArtHandle group) {
    if (!group || !sAIArt->ValidArt(group, false)) return false;
    AIArtHandle child = nullptr;
    return sAIArt->GetArtFirstChild(group, &child) == kNoErr && child != nullptr;
}

// The dimension is kept: it takes its id and the next label, and its clicks go on the path.
// The run's tools are flat ones that measure projected art as it lies, so its clicks on
// such art say they took no face, and a redraw takes none either.
AIErr Keep(AIArtHandle path, MadeUp& dim) {
    g->prefs.style.id = std::max(g->prefs.style.id, g->curDimID);
    UpdateIncrementalInfo();
    const int32_t faceNotRead = IsAxonometricArt(path) ? 1 : 0;
    for (size_t i = 0; i < dim.recordCount; ++i) {
        Plotwise3_dimensioned_object_data& r = dim.records[i];
        r.id = g->curDimID;
        r.dimType = dim.kind;
        r.clickType = dim.clickType;
        r.art = path;
        r.faceNotRead = faceNotRead;
        if (AIErr err = SetDimensionedObjectData(path, &r)) return err;
    }
    return kNoErr;
}

// Runs the routine on the made-up clicks. What it made is kept when it is a live dimension
// on the canvas and taken away otherwise (one past the canvas named); drawn art of live dimensions switched off stays as plain art,
// as a tool leaves it. `prepare` hands the made-up click to the automatic tools'
// preparation first; `ends`, when given, are the anchors the preparation must find, so a
// made-up click that lands on another segment of the path measures nothing. Only an error
// storing the clicks, or one of `fatal` routines, is returned.
AIErr Draw(AIArtHandle path, MadeUp& dim, AIErr (*routine)(), bool prepare, const int16_t* ends, bool fatal) {
    g->curTool = dim.tool;
    g->curDimType = dim.kind;
    if (AIErr err = IdForNewDimension(&g->curDimID)) return err;
    if (g->curDimID == 0) return ShowCoreMessage(kNoFreeDimensionIdMessage);
    g->liveDimClickType = dim.clickType;
    g->firstClick = dim.click;
    g->endPoint = dim.drag;
    g->didFirstClick = 1;
    g->group = nullptr;
    bool ready = true;
    if (prepare) {
        const AIErr prepared = PrepAutoDimTools();
        const cdDataStruct* first = g->firstChainDimDataPtr;
        const cdDataStruct* last = g->lastChainDimDataPtr;
        if (ends)
            ready = !prepared && first && last && first != last && first->segNumAfter == ends[0] &&
                    last->segNumAfter == ends[1];
        // The preparation moved firstClick onto the segment's first end; the drag stays.
        g->endPoint = dim.drag;
    }
    AIErr err = ready ? routine() : kNoErr;
    AIArtHandle made = g->group;
    g->group = nullptr;
    // Art past the canvas is no drawing a redraw could keep: it goes, named.
    const bool past = ready && !err && HoldsArt(made) && IsDimension(made) && !DrawnOnCanvas(made);
    if (past) NoteForUser(kPastCanvasNotDrawnNote, DimensionName(made, dim.kind));
    if (ready && !err && HoldsArt(made) && !past) {
        err = IsDimension(made) ? Keep(path, dim) : kNoErr;
    } else {
        if (made && sAIArt->ValidArt(made, false)) sAIArt->DisposeArt(made);
        if (!fatal) err = kNoErr;
    }
    doFreeHitLocs();
    return err;
}

// One linear dimension of the segment from anchor a to anchor b, stored as the automatic
// tools store theirs: the drag record, then the two ends as anchors of the path.
AIErr Linear(AIArtHandle path, const Anchors& p, int16_t a, int16_t b, int32_t kind, AIToolHandle tool,
             AIErr (*routine)(), AIRealPoint click, AIReal angle) {
    MadeUp dim;
    dim.tool = tool;
    dim.kind = kind;
    dim.clickType = kLiveDimClickedSegmentPoint;
    dim.click = click;
    const AIReal offset = g->prefs.style.autoDimensionOffset;
    dim.drag = PointAlong(click, offset, angle);
    AIReal dragLength = offset, dragAngle = angle;
    if (kind == kIncline) {
        // An aligned dimension's offset is kept from its first end.
        dragLength = sAIRealMath->AIRealPointLength(&p[a].p, &dim.drag);
        dragAngle = sAIRealMath->AIRealPointAngle(&p[a].p, &dim.drag);
    }
    dim.Add(kDragClick, 0, 0, dragLength, dragAngle);
    dim.Add(1, b, a);
    dim.Add(2, b, b);
    const int16_t ends[2] = {a, b};
    return Draw(path, dim, routine, true, ends, false);
}

AIErr Horizontal(AIArtHandle path, const Anchors& p, int16_t a, int16_t b, int s) {
    const AIRealPoint f{(p[a].p.h + p[b].p.h) / 2.0f, p[a].p.v};
    return Linear(path, p, a, b, kHorizontal, g->autohtool, &doHorizontalConstrainedLinearTool, f,
                  s > 0 ? kHalfPi : -kHalfPi);
}

AIErr Vertical(AIArtHandle path, const Anchors& p, int16_t a, int16_t b, int s) {
    const AIRealPoint f{p[a].p.h, (p[a].p.v + p[b].p.v) / 2.0f};
    return Linear(path, p, a, b, kVertical, g->autovtool, &doVerticalConstrainedLinearTool, f, s > 0 ? 0.0f : kPi);
}

AIErr Inclined(AIArtHandle path, const Anchors& p, int16_t a, int16_t b) {
    AIRealBezier bez{};
    sAIRealBezier->Set(&bez, &p[a].p, &p[a].out, &p[b].in, &p[b].p);
    AIRealPoint f{};
    sAIRealBezier->Evaluate(&bez, kMidParameter, &f);
    const AIReal angle = sAIRealMath->AIRealPointAngle(&p[a].p, &p[b].p) + kHalfPi;
    return Linear(path, p, a, b, kIncline, g->autoultool, &doUnconstrainedLinearTool, f, angle);
}

// A rectangle's width and height, on the sides through its second anchor; one sign
// chooses the side of both.
AIErr RectangleSteps(AIArtHandle path, const Anchors& p) {
    const bool firstLevel = p[0].p.v == p[1].p.v;
    const int16_t ha = firstLevel ? 0 : 1, hb = firstLevel ? 1 : 2;
    const int16_t va = firstLevel ? 1 : 0, vb = firstLevel ? 2 : 1;
    const int s = firstLevel ? (p[1].p.v > p[2].p.v ? 1 : -1) : (p[1].p.h > p[2].p.h ? 1 : -1);
    const preferences& prefs = g->prefs;
    if (prefs.AutoDimensionHorizontal)
        if (AIErr err = Horizontal(path, p, ha, hb, s)) return err;
    if (prefs.AutoDimensionVertical)
        if (AIErr err = Vertical(path, p, va, vb, s)) return err;
    return kNoErr;
}

AIRealPoint Centre(const AIRealRect& r) {
    return {r.left + std::fabs(r.right - r.left) / 2.0f, r.bottom + std::fabs(r.top - r.bottom) / 2.0f};
}

AIErr RadialRoutine() { return doRadiusTool(g->curDimType == kRadius ? 1 : 2); }

// A circle's radius or diameter with its leader 1.5 radii out at 45 degrees, and its
// centre mark.
AIErr CircleSteps(AIArtHandle path, const Anchors& p) {
    AIRealRect r{};
    if (AIErr err = Bounds(path, &r)) return err;
    const preferences& prefs = g->prefs;
    const bool radial = prefs.AutoDimensionRadialRadius || prefs.AutDimensionRadialDiameter;
    if (!prefs.AutoDimensionRadialNone && radial) {
        MadeUp dim;
        dim.tool = g->diamtool;
        dim.kind = prefs.AutoDimensionRadialRadius ? kRadius : kDiameter;
        dim.clickType = kLiveDimClickedPath;
        dim.click = p[0].p;
        const AIReal length = kCircleLeaderFactor * std::fabs(r.right - r.left);
        dim.drag = PointAlong(Centre(r), length, kQuarterPi);
        dim.Add(1, 2, 3);
        dim.Add(kDragClick, 0, 0, length, kQuarterPi);
        if (AIErr err = Draw(path, dim, &RadialRoutine, true, nullptr, false)) return err;
    }
    if (prefs.AutoDimensionRadialCrosshairs) {
        MadeUp dim;
        dim.tool = g->cctool;
        dim.kind = kCircleCenter;
        dim.clickType = kLiveDimClickedPath;
        dim.click = p[0].p;
        dim.drag = g->endPoint;
        dim.Add(1, 0, 1);
        if (AIErr err = Draw(path, dim, &doCircleCenterTool, false, nullptr, true)) return err;
    }
    return kNoErr;
}

// One dimension per segment: horizontal, vertical or aligned by its ends. An open path has
// no segment from its last anchor back to its first.
AIErr SegmentSteps(AIArtHandle path, const Anchors& p, bool closed) {
    const int16_t n = static_cast<int16_t>(p.size());
    if (n < 2) return kNoErr;
    const preferences& prefs = g->prefs;
    const int16_t pairs = closed ? n : static_cast<int16_t>(n - 1);
    for (int16_t i = 0; i < pairs; ++i) {
        const int16_t b = static_cast<int16_t>((i + 1) % n);
        const AIRealPoint& A = p[i].p;
        const AIRealPoint& B = p[b].p;
        const AIRealPoint& Q = p[(i + 2) % n].p;
        AIErr err = kNoErr;
        if (A.v == B.v) {
            if (prefs.AutoDimensionHorizontal) err = Horizontal(path, p, i, b, B.v > Q.v ? 1 : -1);
        } else if (A.h == B.h) {
            if (prefs.AutoDimensionVertical) err = Vertical(path, p, i, b, B.h > Q.h ? 1 : -1);
        } else if (prefs.AutoDimensionInclined) {
            err = Inclined(path, p, i, b);
        }
        if (err) return err;
    }
    return kNoErr;
}

bool OnGuideLayer(AIArtHandle art) {
    AILayerHandle layer = nullptr;
    if (sAIArt->GetLayerOfArt(art, &layer) != kNoErr || !layer) return false;
    return layer == g->gridsLayer || layer == g->rulerLayer;
}

AIErr DimensionPath(AIArtHandle path) {
    uint32_t attr = 0;
    if (AIErr err = sAIArt->GetArtUserAttr(path, kArtHidden, &attr)) return err;
    if ((attr & kArtHidden) || isDimensionPart(path) || OnGuideLayer(path)) return kNoErr;
    g->liveDimClickedArt = g->firstClickArt = path;
    if (AIErr err = LoadMeasuredArtScale(path, /*mend=*/true)) return err;  // as its redraw takes it
    if (AIErr err = getPlatformCurrentTextSizeAndLeading(&g->textSize, &g->textLeading)) return err;
    if (AIErr err = setPathAndArrowheadStyles()) return err;
    g->liveDimSegNum = 1;
    Anchors anchors;
    bool closed = false;
    if (AIErr err = ReadAnchors(path, &anchors, &closed)) return err;
    if (AnchorsMakeRectangle(anchors)) return RectangleSteps(path, anchors);
    AIRealRect r{};
    if (AIErr err = Bounds(path, &r)) return err;
    // Four anchors where a circle's lie make no circle of an arc: only one the radius routine
    // measures gets a radius, the others a dimension per segment.
    if (AnchorsMakeCircle(anchors, r.right - r.left, r.top - r.bottom)) {
        bool circle = false;
        if (AIErr err = IsMeasuredCircle(path, &circle)) return err;
        if (circle) return CircleSteps(path, anchors);
    }
    return SegmentSteps(path, anchors, closed);
}

AIErr DimensionAll(PlotwiseProcessArtType which) {
    SavedState saved;
    saved.RecordLayer();
    // Taken before anything is drawn, so no new dimension is ever visited.
    std::vector<AIArtHandle> paths;
    if (AIErr err = MatchingArt(which == kProcessSelectedArt, paths, kPathArt)) return err;
    // The selection stays unless a segment is prepared for a dimension.
    g->autoDimSelectionCleared = 0;
    for (AIArtHandle path : paths)
        if (AIErr err = DimensionPath(path)) return err;
    return kNoErr;
}

// The layers of the art measured keep the scale they were measured at (a tool's press has
// begun the reads already, and its end stores them).
AIErr Run(PlotwiseProcessArtType which) {
    const bool mine = BeginScalesRead();
    const AIErr err = DimensionAll(which);
    const AIErr stored = mine ? EndScalesRead(err == kNoErr) : kNoErr;
    return err ? err : stored;
}

}  // namespace

AIErr CreateAutoDimensions(PlotwiseProcessArtType which) { return g ? Run(which) : kCADErr; }

AIErr AutoDimensionDocument() { return CreateAutoDimensions(kProcessAllArt); }
AIErr AutoDimensionSelection() { return CreateAutoDimensions(kProcessSelectedArt); }
