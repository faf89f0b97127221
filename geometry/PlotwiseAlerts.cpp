// Alerts through the dialog manager, with texts from string lists 17000 and 17400.
#include "PlotwiseAlerts.h"

#include "PlotwiseErrors.h"
#include "PlotwiseGlobals.h"
#include "PlotwiseStrings.h"
#include "PlotwiseSuites.h"

namespace {

void resetClickState() {
    g->didFirstClick = 0;
    g->didSecondClick = 0;
    g->clickNum = 0;
    g->toolWasDragged = 0;
    g->autoToolInProgress = 0;
    g->curvetoolNeedsToDrawText = 0;
    g->dragTipDisplayed = 0;
}

// The user's drawing layer becomes current again after an alert.
void restoreSaveLayer() {
    if (g->saveLayer != nullptr && sAILayer != nullptr) sAILayer->SetCurrentLayer(g->saveLayer);
}

}  // namespace

AIErr doPlotwiseErrorDialog(const char* text) {
    if (g == nullptr) return kCADErr;
    resetClickState();
    if (!g->updatingDimensions && sADMBasic != nullptr && text != nullptr) sADMBasic->MessageAlert(text);
    restoreSaveLayer();
    return kCADErr;
}

AIErr doArtMustBeClickedErrorDialog() {
    if (g == nullptr) return kCADErr;
    resetClickState();
    if (!g->updatingDimensions && !g->UsingMagicDims && sADMBasic != nullptr) {
        if (!g->prefs.displayArtMustBeClickedError) {
            sADMBasic->Beep();
        } else {
            char message[256], dontShow[256], ok[256], cancel[256];
            GetPlotwiseString(kMessageList, kArtMustBeClickedMessage, message, sizeof message);
            GetPlotwiseString(kWordList, kDoNotShowAgainWord, dontShow, sizeof dontShow);
            GetPlotwiseString(kWordList, kOKWord, ok, sizeof ok);
            GetPlotwiseString(kWordList, kCancelWord, cancel, sizeof cancel);
            sADMBasic->SetAlertButtonText(dontShow, ok, cancel);
            if (sADMBasic->QuestionAlert(message) == kADMLeftButton) g->prefs.displayArtMustBeClickedError = 0;
        }
    }
    restoreSaveLayer();
    return kCADErr;
}

AIErr doDialogInputErrorDialog(const char* text) {
    if (sADMBasic != nullptr && text != nullptr) sADMBasic->MessageAlert(text);
    return kCADErr;
}

AIErr getPlatformCurrentTextSizeAndLeading(AIReal* size, AIReal* leading) {
    if (g == nullptr) return kCADErr;
    const AIReal textSize = g->prefs.style.dimensionTextSize;
    if (size != nullptr) *size = textSize;
    if (leading != nullptr) *leading = textSize * 0.2f;
    g->charWidth = textSize * 0.6f;
    return kNoErr;
}
