// The scale section of the document panel: the document's scale style ("ZA3_ScaleStyle")
// and panel height ("ZA3_CADdocHeight") kept in the document dictionary, the two
// scale-style radios, the scale popup with the 40 scales of the scale table, the list of
// top-level layers with their scales, the popout entry that deletes a custom scale, and a
// chosen scale applied to the layers (every change of a scale ends with all live dimensions
// regenerated).
#pragma once

#include <cstdint>

#include "ADMTypes.h"
#include "units/LayerScales.h"

#define kDocHeightKey "ZA3_CADdocHeight"

// Which layers a multiple write touches.
enum PlotwiseLayerType : int32_t {
    kDummyLayer = -1,
    kAllLayers = 0,
    kSelectedLayers = 1,
    kCurrentLayer = 2,
};

// A document come to the front: a style stored as neither style is stored as layer-based
// (named to the user), the panel height read into the preferences, the document's scale made
// current (LoadCurrentLayerScale) and shown (ShowDrawingScale). No document changes nothing.
AIErr UpdateCADdocumentScaleSettings();
// The scale section as the front drawing reads now: the radio of its style (the panel laid
// out again when that changed), each row's scale, the row of the layer whose scale typed
// lengths are converted at, the popup showing that scale, and every field showing a length
// shown at it. Shows only: nothing is written. The hook for a changed front drawing.
AIErr ShowDrawingScale();
// Writes the two document entries: the document's own style (one that stores none, the style
// a new drawing starts in) and the panel's height.
AIErr SaveCADdocumentScaleSettings();
// Fills the popup `item` of the dialog with the 40 scales: ids 10 and 23 separators, the
// custom slots disabled unless defined (then showing their labels).
void setupScalePopup(ADMDialogRef dialog, int32_t item);
// Enables the document panel's popout entry that deletes a custom scale while one exists.
// Without effect on any other dialog.
void UpdateScalePopoutMenu(ADMDialogRef dialog);
void ScalePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
void ScaleStyleRadiosNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// Lays the panel out for the scale style of the radio (9 document-based, 10 layer-based).
// With reset, document-based: the current scale, the popup and the document in front start
// at 1:1, and that document's selection is given back afterwards.
void SwitchScaleStyleSettings(ADMDialogRef dialog, int32_t item, int32_t reset);
// Sizes the panel for the scale style of the given radio (10 layer-based, 9 or any other
// document-based); a collapsed panel is sized to its tab.
void AdjustCADdocumentPalette(ADMDialogRef dialog, int32_t radioItem);
// The layer list reaches down to the panel's bottom, a small gap above it.
void SetLayerListBottom(ADMDialogRef dialog, int32_t panelBottom);
// Whether the host has a document open.
bool AnyDocumentOpen();
// Refills the layer list (layer-based style, outside isolation mode): one row per ordinary
// top-level layer, the current layer's row selected.
AIErr UpdateCADdocumentLayerList();
void scaleByLayersListBoxNotifierProc(ADMItemRef item, ADMNotifierRef notifier);
// Shows the scale of the selected rows (layer-based) or of the document in the popup.
void setupScalePopupFromSelectedLayers();

// The layer a row of the layer list stands for, or null.
AILayerHandle LayerOfRow(ADMEntryRef row);

// Writes the scale to every ordinary top-level layer tree (kAllLayers and kSelectedLayers;
// any other value writes nothing), regenerates all live dimensions and makes the current
// layer current again. The first host error stops the walk and is returned.
AIErr setMultipleLayerScale(int32_t id, AIReal scaler, const char* label, PlotwiseLayerType which);
// Applies a chosen scale by the scale style: every layer (document-based) or the layers of
// the layer list's selected rows (layer-based: the current layer for the row holding it, so a
// sublayer current takes the scale its popup showed; the rows relabelled); then regenerates.
AIErr setScaleOfSelectedLayers(int32_t& id, AIReal& scaler, char* label);
