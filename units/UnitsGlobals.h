// The fields of the units and scales: the dimension layer (always 1:1), the rulers' scale and
// the formatter's label switch, the group the running tool draws into, and the set-scale tool.
#pragma once

#include <vector>

#include "core/CoreGlobals.h"
#include "core/DocumentRevision.h"

struct UnitsGlobals : CoreGlobals {
    // The plug-in's "Dimension Layer": always 1:1, skipped by the document walks like the
    // guide layers; null when absent.
    AILayerHandle dimensionLayer = nullptr;
    int32_t rulerScale = 33;  // scale id of the rulers
    float rulerScaler = 1.0f;
    // The label flag the formatter uses during one call; 0 only while a caller wants a
    // bare number.
    int32_t appendUnitLabelsSpecialKludge = 1;
    // The scale a measurement shows its lengths at (the distance tool's: the layer scale of
    // what it was pressed on), held apart from the current scale, which only drawing loads;
    // a scaler of 0 while no measurement holds one.
    float measuringScaler = 0.0f;
    char measuringScaleStr[32] = {};
    // The layers holding no scale of their own (a sublayer reading a parent's included) whose
    // scale the tool command or automatic run in hand read, with the scale read: once the
    // command has changed the drawing each is given that scale, so that later reads find the
    // scale it was drawn at whatever is current then. However many layers it read.
    struct ScaleRead {
        AILayerHandle layer = nullptr;
        int32_t id = 0;
        float scaler = 1.0f;
        char label[32] = {};
    };
    std::vector<ScaleRead> scalesRead;
    bool keepingScalesRead = false;
    DocumentStamp scalesReadSince{};  // the drawing when the command began
    // The scale and style a new drawing starts at: what a drawing that stores none reads,
    // whatever another drawing was set to since, and what is current with no drawing open.
    // The style is the preferences' at start-up, the scale 1:1; either is changed only by a
    // choice made while no drawing is open. Both are what the preferences keep at quit.
    ScaleRead newDrawingScale{nullptr, 33, 1.0f, "1:1"};
    int32_t newDrawingScaleStyle = 1;
    // Set while the user's change of units or scale has the precision popups lower what
    // their shorter lists no longer offer (PrecisionsFollowTheirLists).
    bool precisionsFollowTheirLists = false;
    AIArtHandle group = nullptr;  // receives the art of the running tool; set by a successful preparation
    AIToolHandle setScaleTool = nullptr;
    // The set-scale tool's reference line in points, left for the custom-scale dialog to
    // show once; 0 when there is none.
    float setScaleClickedDistance = 0.0f;
    // That length as the custom-scale dialog holds it in full while its field shows it
    // rounded: the text shown and the unit entry it was shown in (-1: nothing held).
    float setScaleHeldPoints = 0.0f;
    int32_t setScaleHeldUnit = -1;
    char setScaleShownText[256] = {};
    // Values fields show rounded and hold in full (NumericFields.h): the field, the value in
    // typed points (square points for an area), the text it was shown as and when it was
    // held. A dialog of null is a free slot; when none is free the one held longest ago goes
    // (a closed dialog's, as a rule).
    struct HeldFieldValue {
        ADMDialogRef dialog = nullptr;
        int16_t item = 0;
        bool area = false;
        double typed = 0;
        char shown[256] = {};
        uint64_t heldAt = 0;
    };
    HeldFieldValue heldFieldValues[16] = {};
    uint64_t heldFieldValueCount = 0;
};
