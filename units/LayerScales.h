// Drawing scales stored on layers. A scale is a triple (scale id of the scale table, scaler,
// label of 32 bytes) kept in the dictionary of each layer's group art. A layer reads the scale
// it stores, else its nearest parent's, else a default, and what a read found is stored on
// the layers that read it and store none; a write goes to a layer tree, where a sublayer
// keeping a scale of its own keeps it unless the user picked the scale for it; the
// dimension, grids and ruler layers always hold 1:1. Also the current scale loaded from the
// layer of clicked art, the document's scale in document-based style, and the answer of the
// published suite.
#pragma once

#include <cstddef>
#include <cstdint>

#include "AITypes.h"

struct preferences;

constexpr std::size_t kScaleLabelSize = 32;

#define kLayerScaleIDKey "ZA3_ScaleID"
#define kLayerScalerKey "ZA3_Scaler"
#define kLayerScaleStrKey "ZA3_ScaleStr"

// The document's scale style, an integer entry of the document dictionary.
#define kDocScaleStyleKey "ZA3_ScaleStyle"

// Scale styles of the document (`prefs.scaleStyle`).
constexpr int32_t kDocumentBasedScaleStyle = 1;
constexpr int32_t kLayerBasedScaleStyle = 2;

// The front document's scale style as it stores it (a value of neither style, or of another
// type, reads as layer-based, which keeps every layer's own scale); a document that stores
// none, or no document, reads the style a new drawing starts in. Nothing is written.
int32_t DocumentScaleStyle();
// Keeps the current scale style (the preferences' at start-up, or one chosen while no drawing
// is open) as the one a new drawing starts in. Always 0.
AIErr NoteNewDrawingScaleStyle();
// Keeps the current scale, chosen while no drawing is open, as the one a new drawing starts
// at, in either style (1:1 until then).
void NoteNewDrawingScale();
// What the preferences keep between runs is where a new drawing starts, not the scale and
// style of the drawing in front at quit: so the next start shows what its New makes.
AIErr KeepNewDrawingScaleInPreferences(preferences* kept);
// In document-based style every ordinary layer carries the document's scale: each ordinary
// layer tree that stores none is given it (before the document turns layer-based, so that
// each layer keeps the scale it was drawn at).
AIErr CarryDocumentScaleToLayers();

// Labels are at least kScaleLabelSize bytes; every out pointer must be valid.

// The layer's scale: its own entries; else those of its nearest parent that stores one; else
// the scale a new drawing starts at in layer-based style, and in document-based style the
// document's scale (that of its ordinary layers, else the scale a new drawing starts at). In
// the last two cases the result is written to the layers that read it and store none, and
// for the default in document-based style to every ordinary layer tree that holds none. Host errors are returned at once, with the outputs as far as
// they were filled. What is missing of a stored scale (an entry missing or of another type,
// a scaler outside a scale's limits, an empty label) is rebuilt from the rest through the scale table, stored on that layer and named
// to the user (NoteForUser); only a stored scale of which no usable scale is left counts as
// none, and the layer is named too.
AIErr GetZA3LayerScaleAndSetIfNotThere(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label);
// Writes the scale to the layer's top-level layer and the layers beneath it that follow it
// (SetLayerScaleFrom), then tells other plug-ins that layer scales changed.
AIErr setLayerScale(AILayerHandle layer, int32_t id, AIReal scaler, const char* label);
// The user's pick of a scale for this layer: written to it and to the layers beneath it that
// store none or the scale it read before; a sublayer keeping a scale of its own keeps it, in
// document-based style only a layer-based drawing's (there every layer takes it). Then tells
// other plug-ins.
AIErr SetLayerScaleFrom(AILayerHandle layer, int32_t id, AIReal scaler, const char* label);
// Writes the scale to the layer, the layers after it at its level and, depth first, all
// their sublayers.
AIErr SetSublayerScale(AILayerHandle layer, int32_t id, AIReal scaler, const char* label);
// Writes the three entries on one layer; the special layers get 1:1 whatever is asked.
AIErr setSingleLayerScale(AILayerHandle layer, int32_t id, AIReal scaler, const char* label);
// A layer's scale as a redraw reads it: what GetZA3LayerScaleAndSetIfNotThere answers, a
// damaged stored scale completed, stored and named alike, but a layer that holds none (nor
// its top-level layer) is given none: the default is only answered.
AIErr ReadZA3LayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label);
// A layer's scale as a measurement reads it: what a read answers (the default included),
// with nothing stored and nothing named, since a measurement is no change the user could
// undo; `own`, when given, tells whether the layer or a parent of it holds one.
AIErr PeekZA3LayerScale(AILayerHandle layer, int32_t* id, AIReal* scaler, char* label, bool* own = nullptr);
// The same for the layer that holds the art; scaler and label may be null.
AIErr PeekZA3ObjectScale(AIArtHandle art, int32_t* id, AIReal* scaler = nullptr, char* label = nullptr);
// Loads the scale of the art's layer into the current scale.
AIErr SetScaleByLayerPrefsFromArt(AIArtHandle art);
// Loads the layer's scale into prefs.scale, prefs.scaler and prefs.scaleStr; a failed read
// leaves the current scale as it was and returns 0.
AIErr SetScaleByLayerPrefsFromLayer(AILayerHandle layer);
// Makes the layer's scale current as a read answers it (no default stored on a layer that
// holds none). With `mend` a damaged stored scale is completed on the layer and named, as a
// redraw does; without it nothing is written or said, as at a press. False, the current
// scale as it was, when the layer's scale cannot be read.
bool LoadLayerScale(AILayerHandle layer, bool mend);
// The scale a dimension measuring the art is drawn and redrawn at, made current: that of the
// art's layer as LoadLayerScale loads it, a fixed scale then with the table's scaler and label,
// a custom one as the layer stores it (the user's slot of that id may hold another scale or
// none in this run). A host error finding the layer is returned.
AIErr LoadMeasuredArtScale(AIArtHandle art, bool mend);
// Every tool's press: a tool whose family draws on the current layer (the user's, recorded
// at the press) takes a size typed or dragged at that layer's scale, and one whose family
// edits the art pressed on at the scale of that art's layer; so that scale is made current,
// storing nothing yet, and the tool's dialog, its drag, the tracker and the document panel
// agree. Other tools, and a press on no art, leave the current scale alone. The press
// begins the command's reads (BeginScalesRead) when none is in hand. Always 0.
AIErr LoadPressScale();
// The layer lengths drawn on `layer` take their scale from: the layer itself, but for the
// dimension, grids or ruler layer, which are never a scale source, the last ordinary layer
// (the document's scale in document-based style).
AILayerHandle ScaleSourceLayer(AILayerHandle layer);
// LoadLayerScale, without mending, of the layer lengths drawn on `layer` are at.
bool LoadDrawingLayerScale(AILayerHandle layer);
// Makes current the scale typed lengths, panel fields and new drawings on the current layer
// are converted at, as the document panel shows it: the document's scale in document-based
// style, else the current layer's (through ScaleSourceLayer); with no drawing open, the
// style and scale a new drawing starts at. Nothing is stored.
AIErr LoadCurrentLayerScale();
// A command's reads of layer scales. While a command is in hand (from BeginScalesRead, true
// when this call began it, to EndScalesRead), every layer LoadLayerScale reads that holds no
// scale of its own (a sublayer reading a parent's too) is noted with the scale read;
// EndScalesRead stores each such scale on the layers that read it and store none when `kept`
// and the command changed the drawing, inside the command's step of undo, and forgets them
// in any case.
bool BeginScalesRead();
AIErr EndScalesRead(bool kept);
// The end of a tool's command (the core's hook): its scales stored as EndScalesRead does,
// then the current layer's scale made current again, so that no command leaves another
// layer's scale behind.
AIErr EndToolCommandScale(bool kept);
// The front drawing changed (another document, revision or current layer; the core's hook):
// the scale it reads made current (LoadCurrentLayerScale), unless a command is in progress,
// which keeps the scale it works at until it ends.
AIErr FollowFrontDrawing();
// The scale of the last ordinary top-level layer (the document's scale in document-based
// style); with no ordinary layer the outputs stay as they were.
AIErr GetCurrentDocBasedScale(int32_t* id, AIReal* scaler, char* label);
// The document's scale in document-based style without storing anything: the scale its
// ordinary layers store, else (*stored false) the scale a new drawing starts at.
AIErr PeekCurrentDocBasedScale(int32_t* id, AIReal* scaler, char* label, bool* stored);
// The scale table's scaler and label of an id: a custom slot as stored, a fixed scale from
// the table; separators and unknown ids leave the outputs alone. Always 0.
AIErr getScaleDataFromScaleID(int32_t id, AIReal* scaler, char* label);

// The dimension, grids or ruler layer.
bool IsSpecialScaleLayer(AILayerHandle layer);
// The scale as the published "Plotwise Suite" gives it: the layer's, or the current scale
// for a null layer; either out pointer may be null.
AIErr GetPublishedLayerScale(AILayerHandle layer, AIReal* scaler, char label[32]);
