// The isometric panel: its frame, the views popup, the rotation and tilt fields, the view
// pad, Flatten and the expand box.
#include "panels/IsometricPanel.h"

#include <cmath>
#include <cstring>
#include <tuple>

#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricUpdate.h"
#include "axonometric/GuideLayers.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "geometry/IsoViewDerivation.h"
#include "geometry/PointMath.h"
#include "panels/PanelFrame.h"
#include "panels/PanelGlobals.h"
#include "panels/StyleControls.h"
#include "units/NumericFields.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;
using P = preferences;

constexpr int32_t kCustomViews = 5;
constexpr int32_t kEdgeOnViewMessage = 52;  // 17052
constexpr float kMinRotation = 0, kMaxRotation = 90, kMinTilt = -90, kMaxTilt = 90;
constexpr float kSameAngle = 1e-3f;  // degrees: rotation and tilt that name the same view

constexpr float P::*kCustomRotation[kCustomViews] = {&P::customAxoView1R, &P::customAxoView2R, &P::customAxoView3R,
                                                     &P::customAxoView4R, &P::customAxoView5R};
constexpr float P::*kCustomTilt[kCustomViews] = {&P::customAxoView1T, &P::customAxoView2T, &P::customAxoView3T,
                                                 &P::customAxoView4T, &P::customAxoView5T};
constexpr char (P::*kCustomName[kCustomViews])[64] = {&P::customAxoView1Str, &P::customAxoView2Str,
                                                      &P::customAxoView3Str, &P::customAxoView4Str,
                                                      &P::customAxoView5Str};

// The built-in views: index, rotation, tilt (degrees).
constexpr struct {
    int32_t index;
    float r, t;
} kBuiltInViews[] = {
    {6, 45, 35.266666f}, {7, 45, -35.266666f}, {9, 45, 48}, {10, 45, 13}, {11, 69, 20},
};

bool IsSeparator(int32_t index) { return index == 5 || index == 8 || index == 12; }

// The rotation and tilt of the view at the index; false for a separator or an index out of
// range. The free view keeps the current ones.
bool ViewAngles(int32_t index, float* r, float* t) {
    if (index < 0 || index >= kAxoViewCount || IsSeparator(index)) return false;
    if (index < kCustomViews) {
        *r = g->prefs.*kCustomRotation[index];
        *t = g->prefs.*kCustomTilt[index];
        return true;
    }
    for (const auto& v : kBuiltInViews)
        if (v.index == index) {
            *r = v.r, *t = v.t;
            return true;
        }
    *r = g->prefs.isoView.r;
    *t = g->prefs.isoView.t;
    return true;
}

void SayEdgeOn() {
    char text[512] = {};
    GetPlotwiseString(kMessageList, kEdgeOnViewMessage, text, sizeof text);
    doPlotwiseErrorDialog(text);
}

void ShowAngles(ADMDialogRef dialog) {
    if (ADMItemRef r = Item(dialog, kRotationField)) sADMItem->SetFloatValue(r, g->prefs.isoPadPos.tempR);
    if (ADMItemRef t = Item(dialog, kTiltField)) sADMItem->SetFloatValue(t, g->prefs.isoPadPos.tempT);
}

// The lock: closed for a named view, open (rotation and tilt typed) for the free view.
void ShowLock(ADMDialogRef dialog) {
    const bool locked = g->prefs.LockAxoView != 0;
    if (ADMItemRef lock = Item(dialog, kLockPicture)) sADMItem->SetPictureID(lock, locked ? kLockedPicture : kUnlockedPicture);
    for (int32_t id : {kRotationField, kRotationCaption, kTiltField, kTiltCaption})
        if (ADMItemRef item = Item(dialog, id)) sADMItem->Enable(item, !locked);
}

// A separator or an index beyond the list (a damaged preference) leaves the popup as it is.
void ActivateView(ADMDialogRef dialog, int32_t index) {
    if (index < 0 || index >= kAxoViewCount || IsSeparator(index)) return;
    ActivateEntryByIndex(Item(dialog, kViewsPopup), index);
}

void RedrawPad(ADMDialogRef dialog) {
    if (ADMItemRef pad = Item(dialog, kViewPadItem)) {
        sADMItem->Invalidate(pad);
        sADMItem->Update(pad);
    }
}

// The popup's entries: the names of list 17770, a custom view by its own name when it has
// one and offered only when its rotation and tilt make a view that can be drawn on.
void FillViewsPopup(ADMDialogRef dialog) {
    ADMItemRef popup = Item(dialog, kViewsPopup);
    if (!popup) return;
    ADMListRef list = sADMItem->GetList(popup);
    sADMList->RemoveAllEntries(list);
    for (int32_t i = 0; i < kAxoViewCount; ++i) {
        ADMEntryRef entry = sADMList->InsertEntry(list, i);
        if (!entry) return;
        char name[64] = {};
        GetPlotwiseString(kAxoViewNames, i + 1, name, sizeof name);
        if (IsSeparator(i)) {
            sADMEntry->MakeSeparator(entry, true);
            continue;
        }
        if (i < kCustomViews) {
            if ((g->prefs.*kCustomName[i])[0]) CopyCString(name, g->prefs.*kCustomName[i]);
            float r = 0, t = 0;
            ViewAngles(i, &r, &t);
            sADMEntry->Enable(entry, IsoViewIsUsable(DeriveIsoView(r, t)));
        }
        sADMEntry->SetText(entry, name);
    }
    sADMItem->SetNotifyProc(popup, Guarded<&AxoViewsPopupNotifierProc>);
}

// The view of rotation r and tilt t made current (its axes at full length while the
// preferences say no foreshortening), the fields and the pad showing it; false (nothing
// changed, the user told) for a view that shows a face edge-on.
bool TakeView(ADMDialogRef dialog, float r, float t) {
    const iso_view view = DeriveIsoView(r, t, !g->prefs.noAxoForeshortening);
    if (!IsoViewIsUsable(view)) {
        SayEdgeOn();
        return false;
    }
    g->prefs.isoView = view;
    g->prefs.isoPadPos.tempR = r;
    g->prefs.isoPadPos.tempT = t;
    ShowAngles(dialog);
    RedrawPad(dialog);
    return true;
}

bool SameView(const iso_view& view, const iso_view& now) {
    return view.a == now.a && view.b == now.b && view.c == now.c && view.af == now.af && view.bf == now.bf &&
           view.cf == now.cf && view.r == now.r && view.t == now.t;
}

// Every axonometric art to the current view, and the grids and rulers (the isometric grid
// runs along the receding axes).
void FollowView() {
    (void)UpdateAxonometricObjects(0, 0);  // art that cannot follow says nothing here
    (void)drawGridsAndRulers(1, 1);
}

// --- the view pad ---

// The pad's cube, corners at +-1: v1 to v4 at the back (z -1), v5 to v8 at the front.
constexpr Plotwise3_3D_Cube kUnitCube = {{-1, -1, -1}, {1, -1, -1}, {1, 1, -1}, {-1, 1, -1},
                                         {-1, -1, 1},  {1, -1, 1},  {1, 1, 1},  {-1, 1, 1}};
// The three faces the view shows, as corner indices (0 is v1), with their face codes: the
// left face x -1, the right face z +1, the top face y +1.
constexpr struct {
    int32_t face;
    int corners[4];
} kPadFaces[] = {
    {kAxoLeftFace, {0, 3, 7, 4}},
    {kAxoRightFace, {4, 5, 6, 7}},
    {kAxoTopFace, {3, 2, 6, 7}},
};
constexpr ADMRGBColor kHighlight{0xFFFF, 0x2000, 0x2000};
constexpr ADMRGBColor kAxisColor{0x8000, 0x8000, 0x8000};

void DrawFace(ADMDrawerRef drawer, const ADMPoint (&v)[8], const int (&corners)[4]) {
    for (int k = 0; k < 4; ++k) sADMDrawer->DrawLine(drawer, v[corners[k]], v[corners[(k + 1) % 4]]);
}

}  // namespace

AIErr CreateCADisometricWindow() { return CreatePanel(kIsometricFrame, Guarded<&InitCADisometricWindow>); }

ASErr InitCADisometricWindow(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kIsometricFrame, dialog)) return err;
    g->CADisometricWindow = dialog;
    SizeCollapsedPanel(kIsometricFrame, dialog);
    if (ADMItemRef pad = Item(dialog, kViewPadItem)) sADMItem->SetDrawProc(pad, Guarded<&CADisometricViewPadDrawProc>);
    FillViewsPopup(dialog);
    ActivateView(dialog, g->prefs.currentAxoViewIndex);
    for (const auto& [id, lo, hi] : {std::tuple{kRotationField, kMinRotation, kMaxRotation},
                                     std::tuple{kTiltField, kMinTilt, kMaxTilt}}) {
        if (ADMItemRef field = Item(dialog, id)) {
            setNumericDegreeFloatFldPrefs(field, 0, lo, hi);
            sADMItem->SetNotifyProc(field, Guarded<&RotationTiltFieldNotifierProc>);
        }
    }
    ShowAngles(dialog);
    ShowLock(dialog);
    if (ADMItemRef flatten = Item(dialog, kFlattenButton)) {
        sADMItem->SetNotifyProc(flatten, Guarded<&FlattenButtonNotifierProc>);
        sADMItem->Enable(flatten, AnyArtSelected());
    }
    if (ADMItemRef expand = Item(dialog, kAutoExpandCheckBox)) {
        sADMItem->SetBooleanValue(expand, g->prefs.autoExpandAxoArt != 0);
        sADMItem->SetNotifyProc(expand, Guarded<&AutoExpandCheckboxNotifierProc>);
    }
    SetPanelIcons(kIsometricFrame, dialog);
    return kNoErr;
}

AIErr WriteCADisometricWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kIsometricFrame, dialog); }

namespace {

// The view of rotation r and tilt t is the one in use: asked for again, it changes nothing.
bool ViewInUse(float r, float t) {
    return SameView(DeriveIsoView(r, t, !g->prefs.noAxoForeshortening), g->prefs.isoView);
}

// The view just taken is the one at `index`: the popup and the lock say so.
void ShowViewTaken(ADMDialogRef dialog, int32_t index) {
    ActivateView(dialog, index);
    g->prefs.currentAxoViewIndex = index;
    g->prefs.LockAxoView = index == kFreeAxoView ? 0 : 1;
    ShowLock(dialog);
}

}  // namespace

void SetCurrentAxoView(ADMDialogRef dialog, int32_t index) {
    float r = 0, t = 0;
    if (!g || !dialog || !ViewAngles(index, &r, &t)) return;
    if (index == g->prefs.currentAxoViewIndex && ViewInUse(r, t)) return;
    if (!TakeView(dialog, r, t)) {
        ActivateView(dialog, g->prefs.currentAxoViewIndex);  // the popup shows the view kept
        return;
    }
    ShowViewTaken(dialog, index);
    FollowView();
}

void ShowAxoViewOfPrefs(ADMDialogRef dialog) {
    if (!g || !dialog) return;
    const int32_t index = g->prefs.currentAxoViewIndex;
    float r = 0, t = 0;
    if (!ViewAngles(index, &r, &t) || !TakeView(dialog, r, t)) {
        // No view to draw on: the drawing's own stays in use, and is shown.
        (void)AdoptDocumentIsoView();
        UpdateCADisometricWindowFromDocumentIsoViewPrefs();
        return;
    }
    ShowViewTaken(dialog, index);
}

void DrawingFollowsView(const iso_view& before) {
    if (g && !SameView(before, g->prefs.isoView)) FollowView();
}

void UpdateCADisometricWindowFromDocumentIsoViewPrefs() {
    ADMDialogRef dialog = g ? g->CADisometricWindow : nullptr;
    if (!dialog) return;
    const iso_view& view = g->prefs.isoView;
    int32_t index = kFreeAxoView;
    for (int32_t i = 0; i < kAxoViewCount && index == kFreeAxoView; ++i) {
        float r = 0, t = 0;
        if (i != kFreeAxoView && ViewAngles(i, &r, &t) && std::fabs(r - view.r) < kSameAngle &&
            std::fabs(t - view.t) < kSameAngle)
            index = i;
    }
    g->prefs.currentAxoViewIndex = index;
    g->prefs.LockAxoView = index == kFreeAxoView ? 0 : 1;
    g->prefs.isoPadPos.tempR = view.r;
    g->prefs.isoPadPos.tempT = view.t;
    ActivateView(dialog, index);
    ShowAngles(dialog);
    ShowLock(dialog);
    RedrawPad(dialog);
}

AIErr RefreshCADisometricWindowButtons() {
    if (ADMItemRef flatten = g ? Item(g->CADisometricWindow, kFlattenButton) : nullptr)
        sADMItem->Enable(flatten, AnyArtSelected());
    return kNoErr;
}

void CADisometricViewPadDrawProc(ADMItemRef, ADMDrawerRef drawer) {
    ADMRect rect{};
    if (!g || sADMDrawer->GetBoundsRect(drawer, &rect)) return;
    const AIReal width = static_cast<AIReal>(rect.right - rect.left), height = static_cast<AIReal>(rect.bottom - rect.top);
    const AIReal side = 0.3f * std::fmin(width, height);
    Matrix4D m;
    SetMatrix4DIdentity(m);
    ConcatMatrix4DRotateY(m, DegreesToRadians(g->prefs.isoView.r));
    ConcatMatrix4DRotateX(m, DegreesToRadians(g->prefs.isoView.t));
    Plotwise3_3D_Cube cube = kUnitCube;
    Plotwise3_3D_Axis axis{{0, 0, 0}, {1.4f, 0, 0}, {0, 1.4f, 0}, {0, 0, 1.4f}};
    Transform3DCube(m, &cube);
    Transform3DAxis(m, &axis);
    Plotwise3_2D_Real_Cube flatCube{};
    Plotwise3_2D_Real_Axis flatAxis{};
    Project3DCubeTo2DCube(&cube, &flatCube, kOrthographicProjection);
    Project3DAxisTo2DAxis(&axis, &flatAxis, kOrthographicProjection);
    AIRealPoint* corners[8] = {&flatCube.v1, &flatCube.v2, &flatCube.v3, &flatCube.v4,
                               &flatCube.v5, &flatCube.v6, &flatCube.v7, &flatCube.v8};
    for (AIRealPoint* p : corners) *p = {p->h * side, p->v * side};
    for (AIRealPoint* p : {&flatAxis.o, &flatAxis.x, &flatAxis.y, &flatAxis.z}) *p = {p->h * side, p->v * side};
    Translate2DCube(&flatCube, rect.left + width / 2, rect.top + height / 2);
    Translate2DAxis(&flatAxis, rect.left + width / 2, rect.top + height / 2);
    Plotwise3_2D_Int_Cube intCube{};
    Plotwise3_2D_Int_Axis intAxis{};
    Convert2DRealCubeTo2DIntCube(&flatCube, &intCube);
    Convert2DRealAxisTo2DIntAxis(&flatAxis, &intAxis);
    const ADMPoint v[8] = {intCube.v1, intCube.v2, intCube.v3, intCube.v4,
                           intCube.v5, intCube.v6, intCube.v7, intCube.v8};

    sADMDrawer->SetRGBColor(drawer, &kAxisColor);
    for (const ADMPoint& end : {intAxis.x, intAxis.y, intAxis.z}) sADMDrawer->DrawLine(drawer, intAxis.o, end);
    sADMDrawer->SetADMColor(drawer, kADMBlackColor);
    for (const auto& f : kPadFaces) DrawFace(drawer, v, f.corners);
    // The face a depth tool draws on, over the others.
    if (g->hiliteFaces) {
        sADMDrawer->SetRGBColor(drawer, &kHighlight);
        for (const auto& f : kPadFaces)
            if (f.face == g->faceToHilite) DrawFace(drawer, v, f.corners);
    }
}

void AxoViewsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMEntryRef entry = sADMList->GetActiveEntry(sADMItem->GetList(item));
        if (entry) SetCurrentAxoView(sADMItem->GetDialog(item), sADMEntry->GetIndex(entry));
    }
    sADMItem->DefaultNotify(item, notifier);
}

void RotationTiltFieldNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        ADMDialogRef dialog = sADMItem->GetDialog(item);
        const bool rotation = sADMItem->GetID(item) == kRotationField;
        float r = g->prefs.isoView.r, t = g->prefs.isoView.t;
        (rotation ? r : t) = sADMItem->GetFloatValue(item);
        if (!ViewInUse(r, t) && TakeView(dialog, r, t))
            FollowView();
        else
            ShowAngles(dialog);  // the field shows the view kept
    }
    sADMItem->DefaultNotify(item, notifier);
}

void FlattenButtonNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) (void)UpdateAxonometricObjects(1, 1);
    sADMItem->DefaultNotify(item, notifier);
}

void AutoExpandCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) g->prefs.autoExpandAxoArt = sADMItem->GetBooleanValue(item) ? 1 : 0;
    sADMItem->DefaultNotify(item, notifier);
}

// The view pad drawn again, no face highlighted.
void RefreshCADisometricWindowFromSelection(ADMDialogRef dialog, const live_attributes_map&,
                                            const Plotwise3_Live_Dimension_Data&) {
    g->hiliteFaces = 0;
    RedrawPad(dialog);
}
