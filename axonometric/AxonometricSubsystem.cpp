// What axonometric drawing registers: the depth tools, the behaviour they share (a cube or
// cylinder is drawn in two stages and its pieces are tagged for reselection), and the
// timers that finish a primitive.
#include <initializer_list>

#include "axonometric/AxonometricGlobals.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

AIErr Call(AIErr (*routine)()) { return routine ? routine() : kNoErr; }

// While the second stage of a primitive follows the cursor, its preview is redrawn.
AIErr DepthTrackCursor(const PlotwiseToolRow& row, AIRealPoint cursor) {
    if (!g->drawingPrimitive) return kNoErr;
    for (AIArtHandle* art : {&g->depthArt2, &g->depthArt3}) {
        if (*art) sAIArt->DisposeArt(*art);
        *art = nullptr;
    }
    g->primitiveTrackLoc = cursor;
    if (g->firstMouseNotYetUp || !row.routines) return kNoErr;
    return Call(row.routines->drag);
}

AIErr DepthMouseUp(const PlotwiseToolRow& row) {
    g->canAnnotateIntersection = 0;
    g->usingDepthGridTool = 0;
    if (g->drawingPrimitive) {
        if (g->firstMouseNotYetUp) {
            g->firstMouseNotYetUp = 0;
        } else {
            g->firstMouseNotYetUp = 1;
            g->drawingPrimitive = 0;
            g->depthArt2 = g->depthArt3 = nullptr;
        }
    }
    const bool primitive = (row.flags & kToolPrimitive) != 0;
    if (!g->toolWasDragged) {
        if (primitive && g->toolWasTracked) return kNoErr;
        return Call(row.routines ? row.routines->mouseUp : nullptr);
    }
    ++g->depthObjNum;
    if (!primitive) return kNoErr;
    for (AIArtHandle art : {g->primitiveGroup, g->depthArt3, g->depthArt2, g->depthArt}) {
        if (!art) continue;
        if (AIErr err = sAITag->SetTag(art, "ZMK_Primitive_Selected", kTagString, "")) return err;
    }
    if (g->primitiveMouseupTimer) return sAITimer->SetTimerActive(g->primitiveMouseupTimer, true);
    return kNoErr;
}

const PlotwiseToolRow kTools[] = {
    {+[]() -> AIToolHandle& { return g->depthRectTool; }, "Plotwise Depth Rectangle", 56, 7, ToolFamily::kDepth, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->depthRectCenterTool; }, "Plotwise Depth Rectangle From Center", 57, 7, ToolFamily::kDepth, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->depthEllipseTool; }, "Plotwise Depth Ellipse", 58, 7, ToolFamily::kDepth, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->depthEllipseCenterTool; }, "Plotwise Depth Ellipse From Center", 59, 7, ToolFamily::kDepth, 0, nullptr},
    {+[]() -> AIToolHandle& { return g->depthCubeTool; }, "Plotwise Depth Cube", 60, 7, ToolFamily::kDepth, kToolPrimitive | kToolTrackCursor, nullptr},
    {+[]() -> AIToolHandle& { return g->depthCylinderTool; }, "Plotwise Depth Cylinder", 61, 7, ToolFamily::kDepth, kToolPrimitive | kToolTrackCursor, nullptr},
    {+[]() -> AIToolHandle& { return g->depthGridTool; }, "Plotwise Depth Grid", 62, 7, ToolFamily::kDepth, 0, nullptr},
};

const ToolFamilyRoutines kFamilies[] = {
    {ToolFamily::kDepth, &DepthTrackCursor, nullptr, &DepthMouseUp},
};

const PlotwiseTimerRow kTimers[] = {
    {+[]() -> AITimerHandle& { return g->primitiveDragTimer; }, "primitiveDragTimer", 5, nullptr},
    {+[]() -> AITimerHandle& { return g->primitiveMouseupTimer; }, "primitiveMouseupTimer", 15, nullptr},
};

}  // namespace

extern const PlotwiseSubsystem kAxonometricSubsystem = {
    .name = "axonometric",
    .tools = kTools,
    .toolFamilies = kFamilies,
    .timers = kTimers,
};
