// The preparation of the automatic segment tools: the segment under the press, its end points
// as the two clicks, the direction check, the label, and a click chain of two nodes whose
// click records (anchors of the measured path) let the dimension be redrawn later.
#include "dimtools/AutoSegmentDimensions.h"

#include <cstdio>

#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseBlocks.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/MeasuringHit.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/ToolHit.h"
#include "artwork/LabelCounters.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr int32_t kOptionBit = 2;
constexpr int32_t kLevelSegmentMessage = 6;    // 17006: the vertical tools on a level segment
constexpr int32_t kUprightSegmentMessage = 7;  // 17007: the horizontal tools on an upright one
constexpr AIReal kFaceTolerance = 0.9f;
constexpr int32_t kLettersFormat = 1, kNumbersFormat = 2, kCustomFormat = 3;

AIErr Anchor(AIArtHandle path, int16_t index, AIRealPoint* p) {
    AIPathSegment segment{};
    if (AIErr err = sAIPath->GetPathSegments(path, index, 1, &segment)) return err;
    *p = segment.p;
    return kNoErr;
}

bool VerticalTool(AIToolHandle tool) { return tool && (tool == g->autovtool || tool == g->autovisotool); }
bool HorizontalTool(AIToolHandle tool) { return tool && (tool == g->autohtool || tool == g->autohisotool); }
bool AxonometricTool(AIToolHandle tool) { return tool && (tool == g->autovisotool || tool == g->autohisotool); }

// What both nodes carry of the measured art: its face and the planes beside it (none on
// flat art), and the two end points in the face's flat plane.
struct Faces {
    depth_object_data depth{}, besideH{}, besideV{};
    AIRealPoint flatFirst{}, flatSecond{};
};

AIErr ReadFaces(AIArtHandle art, bool axonometric, Faces* faces) {
    InitializeAxonometricData(&faces->depth);
    faces->besideH = faces->besideV = faces->depth;
    if (!axonometric) return kNoErr;
    if (AIErr err = GetAxonometricData(art, &faces->depth)) return err;
    // The planes beside the face only serve perpendicular dimensions.
    (void)GetPerpendicularDimData(art, faces->depth.face, 1, &faces->besideH);
    (void)GetPerpendicularDimData(art, faces->depth.face, 0, &faces->besideV);
    if (AIErr err = invertAxonometricPoint(&faces->depth, &g->firstClick, &faces->flatFirst)) return err;
    return invertAxonometricPoint(&faces->depth, &g->secondClick, &faces->flatSecond);
}

// The message of a segment the tool cannot measure in its direction, or 0.
int32_t DirectionRefusal(const Faces& faces, bool axonometric) {
    if (g->prefs.style.modifiers & kOptionBit) return 0;
    const bool vertical = VerticalTool(g->curTool);
    if (!vertical && !HorizontalTool(g->curTool)) return 0;
    const int32_t message = vertical ? kLevelSegmentMessage : kUprightSegmentMessage;
    if (axonometric) {
        if (faces.depth.face == kAxoTopFace) return 0;
        const AIReal a = vertical ? faces.flatFirst.v : faces.flatFirst.h;
        const AIReal b = vertical ? faces.flatSecond.v : faces.flatSecond.h;
        return sAIRealMath->EqualWithinTol(a, b, kFaceTolerance) ? message : 0;
    }
    if (g->UsingMagicDims) return 0;
    const AIRealPoint& p1 = g->firstClick;
    const AIRealPoint& p2 = g->secondClick;
    return (vertical ? p1.v == p2.v : p1.h == p2.h) ? message : 0;
}

// The label of a lettered, numbered or custom style in theText; a value dimension's text
// is made when it is drawn.
void MakeLabel() {
    const preferences& p = g->prefs;
    switch (p.style.dimensionFormat) {
        case kCustomFormat: CopyCString(g->theText, p.customDimDefaultText); break;
        case kLettersFormat:
            CopyCString(g->theText, GetAlphaLabelText(static_cast<int16_t>(p.incrementalDimAlpha)).c_str());
            break;
        case kNumbersFormat:
            std::snprintf(g->theText, sizeof g->theText, "%d", static_cast<int>(p.incrementalDimNumber));
            break;
        default: break;
    }
}

// One node: an end point of the segment, stored as that anchor of the measured path.
AIErr NewNode(const AIRealPoint& at, const AIRealPoint& flat, int16_t anchor, const Faces& faces,
              cdDataStruct** made) {
    cdDataStruct* node = nullptr;
    if (AIErr err = NewBlock(&node)) return err;
    node->theLoc = at;
    node->flatLoc = flat;
    node->theDepthData = faces.depth;
    node->perpendicularHData = faces.besideH;
    node->perpendicularVData = faces.besideV;
    const preferences& p = g->prefs;
    live_dimension_text_data& t = node->textData;
    t.id = 0;
    t.dimensionFormat = p.style.dimensionFormat;
    t.alpha = t.dimensionFormat == kLettersFormat ? p.incrementalDimAlpha : -1;
    t.numeric = t.dimensionFormat == kNumbersFormat ? p.incrementalDimNumber : -1;
    // The custom text the dimension shows, so that a redraw shows it again.
    CopyCString(t.customStr, p.customDimDefaultText);
    t.calloutStr[0] = '\0';
    CopyCString(t.dimStr, g->theText);
    node->art = g->art;
    node->clickType = kLiveDimClickedSegmentPoint;
    node->segNumBefore = node->segNumAfter = anchor;
    node->x = at.h;
    node->y = at.v;
    *made = node;
    return kNoErr;
}

AIErr BuildChain(int16_t from, int16_t to, const Faces& faces) {
    cdDataStruct* first = nullptr;
    if (AIErr err = NewNode(g->firstClick, faces.flatFirst, from, faces, &first)) return err;
    g->firstChainDimDataPtr = g->lastChainDimDataPtr = first;
    cdDataStruct* second = nullptr;
    if (AIErr err = NewNode(g->secondClick, faces.flatSecond, to, faces, &second)) return err;
    first->nextPtr = second;
    second->prevPtr = first;
    g->lastChainDimDataPtr = second;
    g->initializedAutoTools = 1;
    return kNoErr;
}

AIErr Prepare() {
    if (AIErr err = CheckDocumentZoom()) return err;
    // The chain the press recorded (or an earlier segment's) gives way to this one.
    if (AIErr err = doFreeHitLocs()) return err;
    g->initializedAutoTools = 0;
    // Another dimension's lines lying over the segment are passed over, as a click is.
    AIArtHandle only = g->UsingMagicDims ? g->firstClickArt : nullptr;
    AIToolHitData hit{};
    if (AIErr err = HitMeasuredArt(only, g->firstClick, &hit)) return err;
    if (!hit.hit || (hit.type != kSegAnchorType && hit.type != kSegCurveType)) return doArtMustBeClickedErrorDialog();
    AIArtHandle path = hit.object;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(path, &type)) return err;
    // Another dimension's lines are redrawn, never measured.
    if (type != kPathArt || isDimensionPart(path)) return doArtMustBeClickedErrorDialog();
    int16_t from = 0, to = 0;
    if (const AIErr err = HitSegmentEnds(path, hit.segment, &from, &to))
        return err == kCADErr ? doArtMustBeClickedErrorDialog() : err;
    g->art = path;
    if (AIErr err = Anchor(path, from, &g->firstClick)) return err;
    if (AIErr err = Anchor(path, to, &g->secondClick)) return err;
    g->didSecondClick = 1;
    g->clickNum = 2;
    // The selection goes; automatic dimensioning clears it once for its whole run, at the
    // first segment prepared, not once per dimension.
    if (!g->UsingMagicDims || !g->autoDimSelectionCleared) {
        if (AIErr err = deselectAllArt()) return err;
        g->autoDimSelectionCleared = g->UsingMagicDims ? 1 : 0;
    }
    const bool axonometric = IsAxonometricArt(path) && AxonometricTool(g->curTool);
    g->drawingAxoDimension = axonometric ? 1 : 0;
    Faces faces;
    if (AIErr err = ReadFaces(path, axonometric, &faces)) return err;
    if (const int32_t message = DirectionRefusal(faces, axonometric)) return ShowCoreMessage(message);
    MakeLabel();
    return BuildChain(from, to, faces);
}

}  // namespace

AIErr PrepAutoDimTools() { return g ? Prepare() : kCADErr; }

AIErr AutoSegmentToolMouseDown() {
    if (!g) return kCADErr;
    g->initializedAutoTools = 0;
    return kNoErr;
}

AIErr AutoSegmentToolDrag(AIErr (*draw)()) {
    if (!g || !draw) return kCADErr;
    if (!g->didFirstClick) return kNoErr;  // refused earlier in the gesture
    // The first drag finds the segment and draws at once: one press and one drag dimension it.
    if (!g->initializedAutoTools)
        if (AIErr err = PrepAutoDimTools()) return err;
    return draw();
}
