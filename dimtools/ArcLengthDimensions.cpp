// The arc-length tool: the two clicked pieces, the exact points there, the centre from the
// normals, and the dimension arc of the angle tool in its length form.
#include "dimtools/ArcLengthDimensions.h"

#include <cmath>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionStorage.h"
#include "dimtools/AngularDimensions.h"
#include "dimtools/CurvatureAtClick.h"
#include "dimtools/DimToolGlobals.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr AIReal kAnchorSnap = 2.0f;   // a click this near an end of its piece measures from it
constexpr int32_t kCtrlBit = 4;
constexpr int32_t kOnePathMessage = 9;       // 17009
constexpr int32_t kCircularArcsMessage = 11;  // 17011

AIErr Refuse(int32_t message) {
    char text[512];
    GetPlotwiseString(kMessageList, message, text, sizeof text);
    return doPlotwiseErrorDialog(text);
}

// The art a click is looked for on: the measured path while a dimension is redrawn, the art
// the press found, else all art.
AIArtHandle ClickTarget(const cdDataStruct* node) {
    if (g->updatingDimensions) return g->updateArt;
    return node ? node->art : nullptr;
}

// The clicked piece and the parameter of the click on it: an end anchor within 2 points,
// else the host's parameter.
AIErr ReadClick(const AIRealPoint& p, const cdDataStruct* node, PathClick* click, AIReal* t) {
    bool found = false;
    if (AIErr err = PathClickAt(ClickTarget(node), p, click, &found)) return err;
    if (!found) return doArtMustBeClickedErrorDialog();
    if (sAIRealMath->AIRealPointClose(&click->piece.p0, &click->point, kAnchorSnap))
        *t = 0;
    else if (sAIRealMath->AIRealPointClose(&click->piece.p3, &click->point, kAnchorSnap))
        *t = 1;
    else
        *t = click->t;
    return kNoErr;
}

AIErr ArcLength() {
    if (!g->didFirstClick || !g->didSecondClick) return kNoErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    const cdDataStruct* firstNode = g->firstChainDimDataPtr;
    const cdDataStruct* secondNode = firstNode ? firstNode->nextPtr : nullptr;
    PathClick first, second;
    AIReal t1 = 0, t2 = 0;
    if (AIErr err = ReadClick(g->firstClick, firstNode, &first, &t1)) return err;
    g->art = first.art;
    if (AIErr err = ReadClick(g->secondClick, secondNode, &second, &t2)) return err;
    if (second.art != first.art) return Refuse(kOnePathMessage);
    g->art = second.art;
    // The centre is known before any art is made, so a refusal leaves nothing behind.
    ArcThroughClicks arc;
    if (ArcCentreFromNormals(first.piece, t1, second.piece, t2, &arc) != kNoErr) return Refuse(kCircularArcsMessage);
    if (AIErr err = PrepDimensionLayer()) return err;
    AIArtHandle group = g->group;
    const bool reversed = (g->prefs.style.modifiers & kCtrlBit) != 0;
    const AIRealPoint& from = reversed ? arc.second : arc.first;
    const AIRealPoint& to = reversed ? arc.first : arc.second;
    AIErr err = constructDimensionedArcSegment(arc.centre, from, to, g->endPoint, kArcLengthKind, group);
    if (!err) err = SetDimensionData(group, nullptr);
    return DimensionOrNothing(group, err);
}

}  // namespace

AIErr doArcLengthTool() { return g ? ArcLength() : kCADErr; }
