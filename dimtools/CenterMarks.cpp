// The centre-mark routine: the art, its bounds (flat, or rebuilt in its face's plane), the
// crosshair's pieces as geometry/RadialGeometry.h lays them out, and for a face the
// projection and the move that centres the mark on the projected circle.
#include "dimtools/CenterMarks.h"

#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "axonometric/AxonometricUpdate.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionLines.h"
#include "dimensions/DimensionStorage.h"
#include "dimensions/MeasuringHit.h"
#include "dimtools/DimToolGlobals.h"
#include "dimtools/ToolHit.h"
#include "geometry/RadialGeometry.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr int32_t kOptionBit = 2;
constexpr uint32_t kTransformObjectsAndChildren = 0x41;

AIRealPoint Centre(const AIRealRect& r) {
    return {r.left + (r.right - r.left) / 2.0f, r.bottom + (r.top - r.bottom) / 2.0f};
}

// The art the mark goes on: the measured art of a redraw or of automatic dimensioning, so
// neither depends on what lies over the click; else the art under the click.
AIErr MarkedArt(AIArtHandle* art) {
    if (g->updatingDimensions) {
        *art = g->updateArt;
    } else if (g->UsingMagicDims) {
        *art = g->firstClickArt;
    } else {
        AIToolHitData data{};
        if (AIErr err = HitMeasuredArt(nullptr, g->firstClick, &data)) return err;
        *art = data.hit ? data.object : nullptr;
    }
    return *art ? kNoErr : doArtMustBeClickedErrorDialog();
}

// The face the mark is drawn on, or none: the axonometric tool on art with a record of a
// real face. A record without one is marked flat over the art's bounds.
AIErr MarkFace(AIArtHandle art, depth_object_data* record, bool* onFace) {
    *onFace = false;
    if (g->curTool != g->isocctool || !g->isocctool || !IsAxonometricArt(art)) return kNoErr;
    if (AIErr err = GetAxonometricData(art, record)) return err;
    *onFace = IsAxonometricFace(record->face);
    return kNoErr;
}

// The projected mark moved so its centre is the projected circle's.
AIErr CentreOnArt(AIArtHandle group, AIArtHandle art) {
    AIRealRect artBounds{}, markBounds{};
    if (AIErr err = GetUnstrokedArtBounds(art, &artBounds)) return err;
    if (AIErr err = GetUnstrokedArtBounds(group, &markBounds)) return err;
    const AIRealPoint a = Centre(artBounds), m = Centre(markBounds);
    AIRealMatrix move{};
    sAIRealMath->AIRealMatrixSetTranslate(&move, a.h - m.h, a.v - m.v);
    return sAITransformArt->TransformArt(group, &move, 1.0f, kTransformObjectsAndChildren);
}

AIErr CenterMark() {
    if (AIErr err = CheckDocumentZoom()) return err;
    AIArtHandle art = nullptr;
    if (AIErr err = MarkedArt(&art)) return err;
    if (AIErr err = PrepDimensionLayer()) return err;
    AIArtHandle group = g->group;

    depth_object_data record;
    InitializeAxonometricData(&record);
    bool onFace = false;
    if (AIErr err = MarkFace(art, &record, &onFace)) return err;
    AIRealRect bounds{};
    if (onFace) {
        if (AIErr err = getFlatBoundsRectFromDictionary(art, &bounds)) return err;
    } else if (AIErr err = GetUnstrokedArtBounds(art, &bounds)) {
        return err;
    }

    const bool crossOnly = (g->prefs.style.modifiers & kOptionBit) != 0;
    for (const CenterMarkPiece& piece : CenterMarkPieces(bounds, crossOnly))
        if (AIErr err = drawDimensionLine(piece.from, piece.to, group)) return err;

    if (onFace) {
        if (AIErr err = ProjectAxonometric(group, record.face, &g->prefs.isoView)) return err;
        if (AIErr err = CentreOnArt(group, art)) return err;
    }
    return SetDimensionData(group, nullptr);
}

}  // namespace

AIErr doCircleCenterTool() { return g ? CenterMark() : kCADErr; }
