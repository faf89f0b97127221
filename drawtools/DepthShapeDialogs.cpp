// The depth shape dialogs' openers, face radios and builders.
#include "drawtools/DepthShapeDialogs.h"

#include <cmath>
#include <string>

#include "axonometric/AxonometricGrids.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/DrawToolSupport.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/DepthFaceGeometry.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kEllipseDialogID = 17710;
constexpr int32_t kCylinderDialogID = 17760;
constexpr int32_t kTopViewWord = 15;        // 17415
constexpr int32_t kGridTooSmallMessage = 51;  // 17051

// The radios in item order with the face each stands for.
constexpr struct {
    int32_t item, face;
} kFaceRadios[] = {{7, kAxoLeftFace}, {8, kAxoRightFace}, {9, kAxoTopFace}};

int32_t& FaceOf(ADMDialogRef dialog) {
    switch (sADMDialog->GetID(dialog)) {
        case kEllipseDialogID: return g->inputEllipseFace;
        case kCylinderDialogID: return g->inputCylinderFace;
        default: return g->inputRectFace;
    }
}

// Runs the build on `face`, the current face given back afterwards.
template <typename Build>
AIErr OnFace(int32_t face, Build build) {
    const int32_t kept = g->face;
    g->face = face;
    const AIErr err = build();
    g->face = kept;
    return err;
}

// firstClick on the anchor under it, then moved to where the flat w by h shape starts.
void PlaceClick(AIReal w, AIReal h, bool centred) {
    (void)SnapToAnchorOrGrid(&g->firstClick, false);  // a hit test that fails leaves the click as it was
    const AIRealPoint click = g->firstClick;
    const AIRealRect flat{click.h, click.v, click.h + w, click.v - h};
    AdjustPointToAnchorPoint(g->prefs.isoView, &g->firstClick, flat, g->face, centred);
}

AIErr BuildDepthShape(bool oval) {
    const AIReal w = DrawnLength(oval ? g->inputEllipseWidth : g->inputRectWidth);
    const AIReal h = DrawnLength(oval ? g->inputEllipseHeight : g->inputRectHeight);
    const AIToolHandle plainTool = oval ? g->depthEllipseTool : g->depthRectTool;
    return OnFace(oval ? g->inputEllipseFace : g->inputRectFace, [&]() -> AIErr {
        if (AIErr err = RefuseClosedCurrentLayer()) return err;  // the shape goes on the current layer
        PlaceClick(w, h, g->curTool != plainTool);
        const AIRealPoint size{w, h};
        auto make = oval ? sAIShapeConstruction->NewPointSizeOval : sAIShapeConstruction->NewPointSizeRect;
        if (AIErr err = make(g->firstClick, size, false, false, true, &g->depthArt)) return err;
        return ProjectAxonometric(g->depthArt, g->face, &g->prefs.isoView);
    });
}

// A typed length cut to whole grid steps, towards minus infinity.
AIReal WholeSteps(AIReal length, AIReal inc) { return inc * std::floor(length / inc); }

}  // namespace

AIErr doPerspectiveRectDialog(const AIToolMessage* message) { return OpenNumericInputDialog(17700, message); }
AIErr doPerspectiveEllipseDialog(const AIToolMessage* message) {
    return OpenNumericInputDialog(kEllipseDialogID, message);
}
AIErr AxonometricGridDialog(const AIToolMessage* message) { return OpenNumericInputDialog(17740, message); }

void initDepthFaceChoices(ADMDialogRef dialog) {
    const int32_t face = FaceOf(dialog);
    for (const auto& radio : kFaceRadios) {
        ADMItemRef item = sADMDialog->GetItem(dialog, radio.item);
        if (!item) continue;
        if (radio.face == kAxoTopFace) {
            char text[256] = {};
            GetPlotwiseString(kWordList, kTopViewWord, text, sizeof text);
            if (text[0]) sADMItem->SetText(item, text);
        }
        if (radio.face == face) sADMItem->SetBooleanValue(item, true);
    }
}

void storeDepthFaceChoices(ADMDialogRef dialog) {
    int32_t& face = FaceOf(dialog);
    for (const auto& radio : kFaceRadios)
        if (ADMItemRef item = sADMDialog->GetItem(dialog, radio.item); item && sADMItem->GetBooleanValue(item))
            face = radio.face;
}

bool depthGridHasWholeSteps() {
    if (SetGridSpacingAndSubdivisions() != kNoErr) return true;  // the builder says nothing either
    const AIReal inc = g->gridSnapInc;
    if (WholeSteps(DrawnLength(g->inputRectWidth), inc) != 0 && WholeSteps(DrawnLength(g->inputRectHeight), inc) != 0)
        return true;
    char text[512] = {}, step[256] = {};
    GetPlotwiseString(kMessageList, kGridTooSmallMessage, text, sizeof text);
    doScaleAndUnits(0, inc, step, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                    static_cast<int16_t>(g->prefs.NumericInputPrecision));
    doDialogInputErrorDialog((std::string(text) + " " + step + ".").c_str());
    return false;
}

AIErr doInputPerspectiveRectTool() { return BuildDepthShape(false); }
AIErr doPerspectiveInputEllipseTool() { return BuildDepthShape(true); }

AIErr InputAxonometricGridTool() {
    return OnFace(g->inputRectFace, []() -> AIErr {
        if (AIErr err = SetGridSpacingAndSubdivisions()) return err;
        const AIReal w = WholeSteps(DrawnLength(g->inputRectWidth), g->gridSnapInc);
        const AIReal h = WholeSteps(DrawnLength(g->inputRectHeight), g->gridSnapInc);
        PlaceClick(w, h, false);
        g->endPoint = {g->firstClick.h + w, g->firstClick.v - h};
        (void)sAIPathStyle->GetCurrentPathStyle(&g->gridObjStyle, nullptr, nullptr);  // else the last one
        // A grid that could not be drawn leaves gridGroup as it was: nothing is projected.
        if (AIErr err = DrawGridObject(&g->firstClick, &g->endPoint, &g->firstClick)) return err;
        return ProjectAxonometric(g->gridGroup, g->face, &g->prefs.isoView);
    });
}
