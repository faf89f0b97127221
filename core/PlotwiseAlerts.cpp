// Alerts through the dialog manager, with texts from string lists 17000 and 17400.
#include "core/PlotwiseAlerts.h"

#include <algorithm>

#include "geometry/PlotwiseErrors.h"
#include "core/PlotwiseGlobals.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"

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

// A heading shows at most this many items; the rest are counted.
constexpr size_t kMostItems = 20;

std::string MessageText(int32_t index) {
    char text[1024] = {};
    GetPlotwiseString(kMessageList, index, text, sizeof text);
    return text;
}

}  // namespace

void NoteForUser(int32_t heading, const std::string& item) {
    if (g == nullptr) return;
    auto& notes = g->notesForUser;
    auto it = std::find_if(notes.begin(), notes.end(), [heading](const auto& n) { return n.first == heading; });
    if (it == notes.end()) it = notes.insert(notes.end(), {heading, {}});
    if (std::find(it->second.begin(), it->second.end(), item) == it->second.end()) it->second.push_back(item);
}

void NoteHostError(const std::string& what, AIErr err) {
    struct Reason {
        AIErr code;
        int32_t heading;
    };
    static constexpr Reason kReasons[] = {{kLockedErr, kLockedNote},
                                          {kStaleHandleErr, kStaleNote},
                                          {kMatrixNotInvertibleErr, kSingularViewNote},
                                          {kWrongTypeErr, kWrongTypeNote},
                                          {kBadParameterErr, kRefusedValueNote}};
    if (err == kNoErr || err == kCADErr || err == kCanceledErr) return;
    for (const Reason& r : kReasons)
        if (r.code == err) return NoteForUser(r.heading, what);
    std::string code;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = static_cast<char>((err >> shift) & 0xFF);
        code += c >= 0x20 && c <= 0x7E ? c : '?';
    }
    NoteForUser(kHostErrorNote, what + " (" + code + ")");
}

void ShowNotesForUser() {
    if (g == nullptr || g->notesForUser.empty() || g->mouseIsDown) return;
    std::string text;
    for (const auto& [heading, items] : g->notesForUser) {
        if (!text.empty()) text += "\n";
        text += MessageText(heading);
        for (size_t i = 0; i < items.size() && i < kMostItems; ++i) text += (i ? "; " : " ") + items[i];
        if (items.size() > kMostItems) text += "; +" + std::to_string(items.size() - kMostItems);
    }
    g->notesForUser.clear();
    if (sADMBasic != nullptr) sADMBasic->MessageAlert(text.c_str());
}

AIErr doPlotwiseErrorDialog(const char* text) {
    if (g == nullptr) return kCADErr;
    resetClickState();
    if (!g->updatingDimensions && sADMBasic != nullptr && text != nullptr) sADMBasic->MessageAlert(text);
    (void)RestoreSaveLayer();  // the user's drawing layer current again after an alert
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
    (void)RestoreSaveLayer();  // the user's drawing layer current again after an alert
    return kCADErr;
}

AIErr doDialogInputErrorDialog(const char* text) {
    if (sADMBasic != nullptr && text != nullptr) sADMBasic->MessageAlert(text);
    return kCADErr;
}
