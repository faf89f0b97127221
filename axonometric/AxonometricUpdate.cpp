// The document-wide update of axonometric art, and the services built on the record:
// reshaped-art test, flat bounds.
#include "axonometric/AxonometricUpdate.h"

#include <cmath>
#include <functional>
#include <string>
#include <vector>

#include "AIArt.h"
#include "axonometric/AxonometricGlobals.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/CylinderBody.h"
#include "axonometric/GuideLayers.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "geometry/PlotwiseErrors.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

// A live dimension group holds its style record under this key; the update leaves such
// groups (and their parts) to the dimension regeneration.
constexpr const char* kDimensionRecordKey = "ZA3_Dimension";

bool HoldsDimensionRecord(AIArtHandle art) {
    if (!art) return false;
    DictRef dict;
    if (sAIArt->GetDictionary(art, dict.put()) != kNoErr || !dict) return false;
    return sAIDictionary->IsKnown(dict.get(), sAIDictionary->Key(kDimensionRecordKey)) != 0;
}

void ClearDepthArt() { g->depthArt = g->depthArt2 = g->depthArt3 = nullptr; }

bool DocumentIsOpen() {
    int32_t views = 0;
    return sAIDocumentView->CountDocumentViews(&views) == kNoErr && views > 0;
}

// The art the walk projected again, whose dimensions follow it.
using Reprojected = std::vector<AIArtHandle>;
// What the walk does with each axonometric art it finds, a dimension's aside.
using Work = std::function<AIErr(AIArtHandle)>;

// The walk of one layer. Host errors of the walk end it, and so does the work's error.
AIErr UpdateWalk(AIArtHandle art, const Work& work);

// One art of the walk of a layer.
AIErr UpdateOne(AIArtHandle art, const Work& work) {
    uint32_t attr = 0;
    if (AIErr err = sAIArt->GetArtUserAttr(art, kArtSelected | kArtLocked | kArtHidden, &attr)) return err;
    if (attr & (kArtLocked | kArtHidden)) return kNoErr;
    if (g->axoUpdateSelectWhat == 1 && !(attr & kArtSelected)) return kNoErr;
    ASBoolean layerGroup = false;
    if (AIErr err = sAIArt->IsArtLayerGroup(art, &layerGroup)) return err;
    // A drum is one by its members, so that a group record it lost does not leave it behind.
    if (!layerGroup && (IsAxonometricArt(art) || IsDrum(art))) {
        if (IsDimensionOrPart(art)) {
            g->axoUpdateAxoDims = 1;
            return kNoErr;
        }
        return work(art);
    }
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(art, &type)) return err;
    if (type != kGroupArt) return kNoErr;
    ClearDepthArt();
    AIArtHandle child = nullptr;
    if (AIErr err = sAIArt->GetArtFirstChild(art, &child)) return err;
    return child ? UpdateWalk(child, work) : kNoErr;
}

AIErr UpdateWalk(AIArtHandle art, const Work& work) {
    while (art) {
        if (AIErr err = UpdateOne(art, work)) return err;
        if (AIErr err = sAIArt->GetArtSibling(art, &art)) return err;
    }
    return kNoErr;
}

// The layers in the host's order; the first error ends the round.
AIErr UpdateLayers(const Work& work) {
    return ForEachOrdinaryLayer([&work](AILayerHandle layer) {
        AIArtHandle first = nullptr;
        if (AIErr err = sAIArt->GetFirstArtOfLayer(layer, &first)) return err;
        if (!first) return kNoErr;
        ClearDepthArt();
        return UpdateWalk(first, work);
    });
}

// Projects or flattens one art of the walk. An art that cannot be is left as it was and
// named to the user, and the walk goes on with the next.
AIErr UpdateArt(AIArtHandle art, Reprojected& moved) {
    depth_object_data data;
    if (AIErr err = GetProjectionRecord(art, &data)) return err;
    AIErr err = kNoErr;
    if (g->axoUpdateFlattenOnly)
        err = invertAxonometricArt(art, &data);
    else if (data.type == kAxoCylinderGroup)
        err = UpdateAxoCylinder(art, kAxoNoFace);  // on the face it has
    else
        err = ProjectAxonometric(art, data.face, &g->prefs.isoView);
    if (err) NoteForUser(kSkippedArtNote, "axonometric object " + std::to_string(data.id));
    else if (!g->axoUpdateFlattenOnly) moved.push_back(art);
    return kNoErr;
}

// Whether the walk finds no art to work on; a host error is left to the update to meet.
bool NothingToUpdate() {
    bool found = false;
    const AIErr err = UpdateLayers([&found](AIArtHandle) {
        found = true;
        return kCanceledErr;  // the first is enough
    });
    return !found && !err;
}

AIErr RegenerateDimensions() {
    const PlotwiseServices services = PlotwiseService();
    if (services.cleanupAssociativeDimensions)
        if (AIErr err = services.cleanupAssociativeDimensions()) return err;
    if (services.updateAssociativeDimensions) return services.updateAssociativeDimensions(kProcessAllArt);
    return kNoErr;
}

// A flat dimension of re-projected art measures it as it now lies; no other is touched.
AIErr RedrawDimensionsOf(const Reprojected& moved) {
    const auto redraw = PlotwiseService().updateDimensionsMeasuring;
    return redraw && !moved.empty() ? redraw(moved) : kNoErr;
}

AIErr StartSelectionTimer() {
    return g->theTimer ? sAITimer->SetTimerActive(g->theTimer, true) : kNoErr;
}

}  // namespace

bool IsDimensionOrPart(AIArtHandle art) {
    AIArtHandle parent = nullptr;
    if (HoldsDimensionRecord(art)) return true;
    return sAIArt->GetArtParent(art, &parent) == kNoErr && HoldsDimensionRecord(parent);
}

AIErr UpdateAxonometricObjects(int32_t selectWhat, int flattenOnly) {
    if (!DocumentIsOpen()) return kNoErr;
    g->axoUpdateSelectWhat = selectWhat;
    // Nothing to flatten: the view is not stored nor the selection put aside for it.
    if (flattenOnly && NothingToUpdate()) return kNoErr;
    if (AIErr err = SetDocumentIsoViewData(&g->prefs.isoView)) return err;
    (void)TagSelectedArt();
    const int32_t keptFace = g->face;
    g->axoUpdateAxoDims = 0;
    g->axoUpdateFlattenOnly = flattenOnly;
    Reprojected moved;
    AIErr err = UpdateLayers([&moved](AIArtHandle art) { return UpdateArt(art, moved); });
    // Axonometric dimensions met on the way: every dimension is redrawn, these among them.
    if (!err) err = g->axoUpdateAxoDims ? RegenerateDimensions() : RedrawDimensionsOf(moved);
    // The tagged selection is restored even after a failure, so no stale tags stay behind.
    const AIErr timerErr = StartSelectionTimer();
    g->face = keptFace;
    return err ? err : timerErr;
}

int AxoArtModified(AIArtHandle art) {
    depth_object_data data;
    if (GetAxonometricData(art, &data) != kNoErr) return 1;
    AIRealRect bounds{};
    if (GetAxonometricArtBounds(art, &bounds) != kNoErr) return 1;
    const bool sameWidth = sAIRealMath->EqualWithinTol(bounds.right - bounds.left, data.axoSize.h, 0.001f);
    const bool sameHeight = sAIRealMath->EqualWithinTol(bounds.top - bounds.bottom, data.axoSize.v, 0.001f);
    return sameWidth && sameHeight ? 0 : 1;
}

AIErr getFlatBoundsRectFromDictionary(AIArtHandle art, AIRealRect* rect) {
    if (!rect) return kBadParameterErr;
    depth_object_data data;
    if (AIErr err = GetAxonometricData(art, &data)) return err;
    AIRealRect projected{};
    if (AIErr err = GetAxonometricArtBounds(art, &projected)) return err;
    FlatBoundsFromProjectedBounds(data.face, projected, data.offset, data.flatSize, g->prefs.isoView.t, rect);
    return kNoErr;
}

AIErr AdoptDocumentIsoView() {
    iso_view view{};
    int found = 0;
    if (AIErr err = GetDocumentIsoViewData(&view, &found)) return err;
    // The document's art was projected with the document's view (after an undo too, which
    // takes both back together): it becomes current and the art stays where it is. Projecting
    // the art again could only move what a view the user did not choose was not made for.
    if (found) g->prefs.isoView = view;
    return kNoErr;
}
