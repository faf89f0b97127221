// The layer suite: top-level layers in index order (index 0 topmost), sublayers through
// the tree calls, titles and the layer states. Each layer owns a layer group holding its
// art (AIArtSuite::GetFirstArtOfLayer). Every call needs an open document ('DOC?').
// Titles are platform (Windows-1252) byte strings of at most 255 bytes.
#pragma once

#include "AITypes.h"

#define kAILayerSuite "AI Layer Suite"
#define kAILayerSuiteVersion 1

constexpr int kMaxLayerTitle = 255;

struct AIRGBColor {
    uint16_t red, green, blue;
};

struct AILayerSuite {
    AIErr (*CountLayers)(int32_t* count);
    AIErr (*GetNthLayer)(int32_t index, AILayerHandle* layer);
    AIErr (*GetFirstLayer)(AILayerHandle* first);
    // Next layer at the same level (null at the end).
    AIErr (*GetNextLayer)(AILayerHandle layer, AILayerHandle* next);
    AIErr (*GetLayerFirstChild)(AILayerHandle layer, AILayerHandle* child);
    AIErr (*GetLayerParent)(AILayerHandle layer, AILayerHandle* parent);
    AIErr (*GetCurrentLayer)(AILayerHandle* layer);
    AIErr (*SetCurrentLayer)(AILayerHandle layer);
    // Searches layers and sublayers; null and no error when none has the title.
    AIErr (*GetLayerByTitle)(AILayerHandle* layer, const char* title);
    // Copies at most size - 1 bytes and a terminator.
    AIErr (*GetLayerTitle)(AILayerHandle layer, char* title, int32_t size);
    AIErr (*SetLayerTitle)(AILayerHandle layer, const char* title);
    AIErr (*GetLayerVisible)(AILayerHandle layer, ASBoolean* visible);
    AIErr (*SetLayerVisible)(AILayerHandle layer, ASBoolean visible);
    AIErr (*GetLayerEditable)(AILayerHandle layer, ASBoolean* editable);
    AIErr (*SetLayerEditable)(AILayerHandle layer, ASBoolean editable);
    AIErr (*GetLayerPrinted)(AILayerHandle layer, ASBoolean* printed);
    AIErr (*SetLayerPrinted)(AILayerHandle layer, ASBoolean printed);
    AIErr (*GetLayerPreview)(AILayerHandle layer, ASBoolean* preview);
    AIErr (*SetLayerPreview)(AILayerHandle layer, ASBoolean preview);
    AIErr (*GetLayerDimPlacedImages)(AILayerHandle layer, ASBoolean* dim);
    AIErr (*SetLayerDimPlacedImages)(AILayerHandle layer, ASBoolean dim);
    AIErr (*GetLayerColor)(AILayerHandle layer, AIRGBColor* color);
    AIErr (*SetLayerColor)(AILayerHandle layer, AIRGBColor color);
    // kPlaceAbove / kPlaceBelow a layer at its level; kPlaceInsideOnTop / kPlaceInsideOnBottom
    // a sublayer; kPlaceAboveAll / kPlaceBelowAll (relative null) at the ends of the list.
    AIErr (*InsertLayer)(AILayerHandle relative, int16_t paintOrder, AILayerHandle* newLayer);
    // Deletes the layer with its sublayers and art. The last top-level layer stays.
    AIErr (*DeleteLayer)(AILayerHandle layer);
    ASBoolean (*IsInIsolationMode)();
};
