// The dialog manager's basic services: strings from the plug-in's string lists, alerts,
// the colour chooser, value formatting in host units and the application context that
// brackets every callback touching items.
#pragma once

#include "ADMTypes.h"

#define kADMBasicSuite "ADM Basic Suite"
#define kADMBasicSuiteVersion 10

struct ADMBasicSuite {
    // String `index` of list `listID` into buffer (at most bufferSize − 1 bytes, always
    // terminated). A missing list or index leaves an empty string and returns kOutOfRangeErr.
    ASErr (*GetIndexString)(SPPluginRef plugin, int32_t listID, int32_t index, char* buffer, int32_t bufferSize);
    void (*Beep)();
    // One OK button.
    void (*MessageAlert)(const char* text);
    // kADMYesAnswer, kADMNoAnswer or kADMCancelAnswer; button texts from SetAlertButtonText.
    int32_t (*YesNoAlert)(const char* text);
    // Three buttons (left, middle, right) texted beforehand; answers the button's index.
    int32_t (*QuestionAlert)(const char* text);
    // Texts of the next alert's buttons; null or "" leaves a button out.
    void (*SetAlertButtonText)(const char* left, const char* middle, const char* right);
    // value in units with precision decimals; the unit is written when alwaysAppendUnits.
    void (*ValueToString)(float value, char* text, int32_t maxLength, int32_t units, int32_t precision,
                          ASBoolean alwaysAppendUnits);
    // Parses text in units; false when it holds no number.
    ASBoolean (*StringToValue)(const char* text, float* value, int32_t units);
    // The colour chooser at `where` ((-1, -1): default place). True when a colour was chosen
    // (written to *outColor); false on cancel (nothing written).
    ASBoolean (*ChooseColorA)(ADMPoint where, const ADMRGBColor* inColor, ADMRGBColor* outColor);
    ASErr (*PushAppContext)(SPPluginRef plugin);
    ASErr (*PopAppContext)();
};
