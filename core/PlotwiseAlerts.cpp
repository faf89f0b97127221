// Alerts through the dialog manager, with texts from string lists 17000 and 17400.
#include "core/PlotwiseAlerts.h"

#include "geometry/PlotwiseErrors.h"
#include "core/PlotwiseGlobals.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"

namespace {

constexpr GlobalsView<CoreGlobals> g;

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
