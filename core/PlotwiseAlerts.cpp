// Alerts through the dialog manager, with texts from string lists 17000 and 17400.
#include "core/PlotwiseAlerts.h"

#include <algorithm>
#include <new>

#include "geometry/PlotwiseErrors.h"
#include "core/CoreGlobals.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/UserLayer.h"

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

// Messages of list 17000 that name a closed layer: ^0 the tool or command, ^1 the layer.
constexpr int32_t kCurrentLayerLockedMessage = 93;
constexpr int32_t kCurrentLayerHiddenMessage = 94;
constexpr int32_t kLayerLockedMessage = 95;
constexpr int32_t kLayerHiddenMessage = 96;
constexpr int32_t kClickedOnLockedLayerMessage = 97;
// ^0 the tool or command, ^1 the current layer, ^2 the closed layer that holds it.
constexpr int32_t kCurrentLayerInLockedMessage = 106;
constexpr int32_t kCurrentLayerInHiddenMessage = 107;
// ^0 the tool or command, ^1 the layer dimensions are drawn on.
constexpr int32_t kDimensionLayerLockedMessage = 113;
constexpr int32_t kDimensionLayerHiddenMessage = 114;

// The tool or command at work, as the user knows it.
std::string Work() { return g->workInHand.empty() ? "Plotwise" : g->workInHand; }

std::string LayerTitle(AILayerHandle layer) {
    char title[256] = {};
    (void)sAILayer->GetLayerTitle(layer, title, sizeof title);
    return title;
}

// The walks up and down the layers go no deeper than this, so a chain of layers that loops
// back cannot keep them going.
constexpr int kMostLayerDepth = 64;

struct LayerState {
    bool visible = true, editable = true;
};

LayerState StateOf(AILayerHandle layer) {
    ASBoolean visible = true, editable = true;
    (void)sAILayer->GetLayerVisible(layer, &visible);
    (void)sAILayer->GetLayerEditable(layer, &editable);
    return {visible != 0, editable != 0};
}

// The layer itself, else the first layer holding it, that is locked or hidden; null when
// art can be made on it.
AILayerHandle ClosedLayerOf(AILayerHandle layer, LayerState* state) {
    for (int depth = 0; layer && depth < kMostLayerDepth; ++depth) {
        *state = StateOf(layer);
        if (!state->visible || !state->editable) return layer;
        AILayerHandle parent = nullptr;
        if (sAILayer->GetLayerParent(layer, &parent) != kNoErr) break;
        layer = parent;
    }
    return nullptr;
}

// A closed layer is told at the first drag of a gesture, not at each one; true when it
// already was.
bool ToldInThisDrag() {
    if (!g->dragging) return false;
    if (g->closedLayerGesture == g->gestureNumber) return true;
    g->closedLayerGesture = g->gestureNumber;
    return false;
}

// Tells the user, with one of the messages that name a closed layer, that the layer stops
// the work in hand: once per drag gesture. 'CADE'.
AIErr TellLayerStops(int32_t message, AILayerHandle layer, AILayerHandle holder = nullptr) {
    if (ToldInThisDrag()) return kCADErr;
    const std::string text =
        FilledText(kMessageList, message, {Work(), LayerTitle(layer), holder ? LayerTitle(holder) : std::string()});
    return doPlotwiseErrorDialog(text.c_str());
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
                                          {kBadParameterErr, kRefusedValueNote},
                                          {kNoDocumentErr, kNoDocumentNote},
                                          {kOutOfMemoryErr, kOutOfMemoryNote},
                                          {kPluginFaultErr, kPluginFaultNote}};
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
    try {
        for (const auto& [heading, items] : g->notesForUser) {
            if (!text.empty()) text += "\n";
            text += MessageText(heading);
            for (size_t i = 0; i < items.size() && i < kMostItems; ++i) text += (i ? "; " : " ") + items[i];
            if (items.size() > kMostItems) text += "; +" + std::to_string(items.size() - kMostItems);
        }
    } catch (const std::bad_alloc&) {
        text.clear();
    }
    g->notesForUser.clear();
    const char* shown = text.empty() ? g->outOfMemoryAlert : text.c_str();
    if (sADMBasic != nullptr && shown[0]) sADMBasic->MessageAlert(shown);
}

void PrepareOutOfMemoryAlert() {
    if (g == nullptr) return;
    const std::string text = MessageText(kOutOfMemoryNote) + " Plotwise";
    CopyCString(g->outOfMemoryAlert, sizeof g->outOfMemoryAlert, text.c_str());
}

void TellErrorOfWorkInHand(AIErr err) {
    if (g == nullptr) return;
    NoteHostError(Work(), err);
    ShowNotesForUser();
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
    const bool quiet = g->updatingDimensions || g->UsingMagicDims;
    resetClickState();
    if (!quiet && sADMBasic != nullptr) {
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

AIErr RefuseClickOnLockedLayer(AILayerHandle layer) {
    if (g == nullptr || layer == nullptr || g->updatingDimensions || g->UsingMagicDims) return kNoErr;
    return TellLayerStops(kClickedOnLockedLayerMessage, layer);
}

AIErr doDialogInputErrorDialog(const char* text) {
    if (sADMBasic != nullptr && text != nullptr) sADMBasic->MessageAlert(text);
    return kCADErr;
}

AIErr RefuseClosedCurrentLayer() {
    AILayerHandle current = nullptr;
    if (g == nullptr || sAILayer == nullptr || sAILayer->GetCurrentLayer(&current) != kNoErr) return kNoErr;
    return RefuseClosedLayer(current);
}

namespace {

// The layer is named as the user knows it: the current one, also when a layer holding it is
// closed, or the one dimensions are drawn on, which is current only while they are drawn.
AIErr RefuseClosed(AILayerHandle layer, bool dimensionLayer) {
    if (g == nullptr || sAILayer == nullptr || layer == nullptr) return kNoErr;
    LayerState state;
    AILayerHandle closed = ClosedLayerOf(layer, &state);
    if (!closed) return kNoErr;
    AILayerHandle current = nullptr;
    if (!dimensionLayer) (void)sAILayer->GetCurrentLayer(&current);
    if (layer == current && closed != current)
        return TellLayerStops(!state.editable ? kCurrentLayerInLockedMessage : kCurrentLayerInHiddenMessage, current,
                              closed);
    struct Words {
        int32_t locked, hidden;
    };
    const Words words = dimensionLayer && closed == layer
                            ? Words{kDimensionLayerLockedMessage, kDimensionLayerHiddenMessage}
                        : closed == current ? Words{kCurrentLayerLockedMessage, kCurrentLayerHiddenMessage}
                                            : Words{kLayerLockedMessage, kLayerHiddenMessage};
    return TellLayerStops(state.editable ? words.hidden : words.locked, closed);
}

}  // namespace

AIErr RefuseClosedLayer(AILayerHandle layer) { return RefuseClosed(layer, false); }

AIErr RefuseClosedDimensionLayer(AILayerHandle layer) { return RefuseClosed(layer, true); }
