// The isometric panel (dialog 17010): a view pad that shows a cube turned by the view's
// rotation and tilt (the face a depth tool draws on highlighted), the views popup with the
// five custom views and the built-in ones, the rotation and tilt fields (open to typing in
// the free view only, the lock picture saying which), the Flatten button for the selected
// axonometric art and the box that projects art without keeping its record. Choosing a view
// or typing rotation and tilt derives the view and brings every axonometric art to it; a
// view that shows a face edge-on is refused with a message. Its placement is kept under
// "ZMKCADisometric3".
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "geometry/AxonometricMath.h"
#include "panels/IsometricPanelItems.h"
#include "panels/PanelFrame.h"

AIErr CreateCADisometricWindow();
ASErr InitCADisometricWindow(ADMDialogRef dialog);
AIErr WriteCADisometricWindowPrefs(ADMDialogRef dialog);

// Makes the view at `index` current: the popup shows it, its rotation and tilt (kept for
// the free view) give the view, shown in the fields and on the pad, the lock follows (open
// only for the free view), and the axonometric art and the grids and rulers follow it. A
// separator or an index out of range changes nothing; so does a view that shows a face
// edge-on, with a message.
void SetCurrentAxoView(ADMDialogRef dialog, int32_t index);
// The view the preferences name (a preset just loaded) made the one in use, as picking it
// makes it, and shown in the panel (the drawing follows with DrawingFollowsView). A view that
// cannot be drawn on leaves the drawing's own in use, shown.
void ShowAxoViewOfPrefs(ADMDialogRef dialog);
// The drawing follows the view in use, as it follows a view picked: the view stored in it
// (in one that held none too), its axonometric art, grids and rulers drawn in it; unless
// `before`, the view the drawing lay in, is that view already, when nothing is written.
void DrawingFollowsView(const iso_view& before);
// The panel as the preferences' view now is (after a document brought its own): the entry
// whose rotation and tilt it has, else the free view, its fields and pad. The art is not
// touched.
void UpdateCADisometricWindowFromDocumentIsoViewPrefs();
// Flatten is there for a selection only.
AIErr RefreshCADisometricWindowButtons();

void CADisometricViewPadDrawProc(ADMItemRef item, ADMDrawerRef drawer);
void AxoViewsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void RotationTiltFieldNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void FlattenButtonNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void AutoExpandCheckboxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// After a change of selection: the view pad drawn again, no face highlighted.
void RefreshCADisometricWindowFromSelection(ADMDialogRef dialog, const live_attributes_map&,
                                            const Plotwise3_Live_Dimension_Data&);
