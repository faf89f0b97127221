// The scale assistant: the dialog, its guards and the rescaling of the drawing.
#include "panels/ScaleAssistant.h"

#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "ADMBasic.h"
#include "artwork/ArtSelection.h"
#include "artwork/DrawingLayer.h"
#include "axonometric/GuideLayers.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseDialogItems.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "drawtools/NumericInputDialogs.h"
#include "geometry/PlotwiseErrors.h"
#include "panels/CustomScaleDialog.h"
#include "panels/DocumentPanelItems.h"
#include "panels/PanelGlobals.h"
#include "panels/PanelRedraw.h"
#include "panels/ScaleSection.h"
#include "panels/UnitsMenus.h"
#include "units/CustomScales.h"
#include "units/LayerScales.h"
#include "units/NumericFields.h"
#include "units/PlotwiseUnits.h"
#include "units/ScaleFitting.h"
#include "units/ScaleTable.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<PanelGlobals> g;

constexpr int32_t kNoScaleFitsMessage = 69;   // 17069
constexpr int32_t kLayersLockedMessage = 73;  // 17073
constexpr int32_t kAssistantMessages = 17240;
constexpr int32_t kRescaleFailedMessage = 1;  // 17240/1
constexpr int32_t kScaleTypeMenu = 16650;
constexpr int32_t kReferenceMenu = 16630;
constexpr AIReal kArtboardInset = 36.0f;
constexpr int32_t kTypedTextSize = 256;

bool On(ADMDialogRef dialog, int32_t id) {
    ADMItemRef item = Item(dialog, id);
    return item && sADMItem->GetBooleanValue(item);
}
void MakeActive(ADMDialogRef dialog, int32_t id) {
    if (ADMItemRef item = Item(dialog, id)) sADMItem->Activate(item, true);
}

void Say(int32_t list, int32_t index) {
    char text[512];
    GetPlotwiseString(list, index, text, sizeof text);
    doPlotwiseErrorDialog(text);
}
// A bad value: said, its field made active, the dialog left open for a correction. Always
// false.
bool RefuseField(ADMDialogRef dialog, int32_t field, int32_t message) {
    return RefuseFieldInput(dialog, static_cast<int16_t>(field), FieldInputWords(message));
}

// The bounds of the selected art, as the tracker measures them; found is false when
// nothing is selected (or there is no tracker to measure it).
AIErr SelectedBounds(AIRealRect* rect, bool* found) {
    int16_t any = 0;
    const auto bounds = PlotwiseService().calculateSelectedBoundsOfDocument;
    const AIErr err = bounds ? bounds(rect, &any, 0) : kNoErr;
    *found = any != 0;
    return err;
}

// While it lives the tracker's walk makes no copies: the tools' walk copies only while
// transformCopy is set, which is cleared and given back after.
class NoCopies {
public:
    NoCopies() : kept_(std::exchange(g->transformCopy, 0)) {}
    ~NoCopies() { g->transformCopy = kept_; }
    NoCopies(const NoCopies&) = delete;
    NoCopies& operator=(const NoCopies&) = delete;

private:
    int32_t kept_;
};

// The drawn lengths' fields, width then height.
constexpr int32_t kDrawnFields[2] = {kAssistantDrawnWidth, kAssistantDrawnHeight};

// A measured length as the assistant shows it: at 1:1 in the numeric-input unit and
// precision. The length itself is kept whole for the relation.
void ShowDrawnLength(ADMDialogRef dialog, int32_t side, double points) {
    g->assistantDrawn[side] = points;
    const int32_t id = kDrawnFields[side];
    const float scaler = g->prefs.scaler;
    g->prefs.scaler = 1.0f;
    char text[kTypedTextSize] = {};
    doScaleAndUnits(0, points, text, 1, static_cast<int16_t>(g->prefs.NumericInputUnits),
                    static_cast<int16_t>(g->prefs.NumericInputPrecision));
    g->prefs.scaler = scaler;
    if (ADMItemRef item = Item(dialog, id)) sADMItem->SetText(item, text);
}

void SetupMenuPopup(ADMDialogRef dialog, int32_t id, int32_t menu, int32_t active) {
    ADMItemRef popup = Item(dialog, id);
    if (!popup) return;
    ADMListRef list = sADMItem->GetList(popup);
    sADMList->SetMenuID(list, g->thisPlugin, menu, "");
    if (ADMEntryRef entry = sADMList->IndexEntry(list, active)) sADMEntry->Activate(entry, true);
}

// Which items the radios and the reference popup enable and show.
void EnableByChoices(ADMDialogRef dialog) {
    const int32_t relation = g->prefs.ScaleAssistantObjectRelationship;
    const int32_t action = g->prefs.ScaleAssistantAction;
    EnableItems(dialog, {kAssistantRealWidth}, relation == 1);
    EnableItems(dialog, {kAssistantRealHeight}, relation == 2);
    EnableItems(dialog, {kAssistantScaleType, kAssistantReference}, action == kAssistantFitScale);
    if (ADMItemRef length = Item(dialog, kAssistantReferenceLength)) {
        sADMItem->Show(length, g->prefs.ScaleAssistantReferenceType != kReferenceArtboard);
        sADMItem->Enable(length, action == kAssistantFitScale);
    }
    EnableItems(dialog, {kAssistantPresetPopup}, action == kAssistantPresetScale);
}

// The relation the user stated: real length per drawn length, and its label.
struct Relation {
    float ratio = 0.0f;
    char label[kScaleLabelSize] = {};
};

// Reads the length the user typed into the field, as typed (not as the field shows it
// rounded); a length that is not a positive finite number is refused in words with its
// field made active.
bool ReadTypedField(ADMDialogRef dialog, int32_t id, double* points) {
    if (!parseFieldInput(dialog, static_cast<int16_t>(id), points, g->prefs.NumericInputUnits))
        return RefuseField(dialog, id, kUnreadableValueMessage);
    if (!(*points > 0) || !std::isfinite(*points)) return RefuseField(dialog, id, kGreaterThanZeroMessage);
    return true;
}

std::string FieldText(ADMDialogRef dialog, int32_t id) {
    char text[kTypedTextSize] = {};
    if (ADMItemRef item = Item(dialog, id)) sADMItem->GetText(item, text, sizeof text);
    return text;
}

// The relation of the real length typed to the drawn length measured, each whole; the label
// joins the two as the fields show them.
bool ReadRelation(ADMDialogRef dialog, Relation* relation) {
    const bool width = On(dialog, kAssistantWidthRadio);
    g->prefs.ScaleAssistantObjectRelationship = width ? 1 : 2;
    const int32_t side = width ? 0 : 1;
    const int32_t realField = width ? kAssistantRealWidth : kAssistantRealHeight;
    const double drawn = g->assistantDrawn[side];
    if (!(drawn > 0) || !std::isfinite(drawn)) return RefuseField(dialog, kDrawnFields[side], kGreaterThanZeroMessage);
    double real = 0;
    if (!ReadTypedField(dialog, realField, &real)) return false;
    const double ratio = real / drawn;
    if (!std::isfinite(static_cast<float>(ratio)) || !(static_cast<float>(ratio) > 0))
        return RefuseField(dialog, realField, kUnreadableValueMessage);
    relation->ratio = static_cast<float>(ratio);
    ComposeCustomScaleLabel({FieldText(dialog, kDrawnFields[side]), ""}, " = ", {FieldText(dialog, realField), ""},
                            relation->label);
    return true;
}

int32_t ChosenAction(ADMDialogRef dialog) {
    if (On(dialog, kAssistantCustomRadio)) return kAssistantCustomScale;
    if (On(dialog, kAssistantPresetRadio)) return kAssistantPresetScale;
    return kAssistantFitScale;
}

AIRealRect Inset(AIRealRect r, AIReal by) { return {r.left + by, r.top - by, r.right - by, r.bottom + by}; }

// The room the real drawing is fitted into (action 2): the inset artboard, with a typed
// width or height in place of its own by the reference. False after saying why the typed
// length cannot be used, with its field made active.
bool RoomToFit(ADMDialogRef dialog, double* w, double* h) {
    AIRealRect board{};
    GetArtboardRect(&board);
    board = Inset(board, kArtboardInset);
    *w = board.right - board.left;
    *h = board.top - board.bottom;
    const int32_t reference = g->prefs.ScaleAssistantReferenceType;
    if (reference != kReferenceWidth && reference != kReferenceHeight) return true;
    double typed = 0;
    if (!parseFieldInput(dialog, kAssistantReferenceLength, &typed, g->prefs.NumericInputUnits) || !(typed > 0))
        return RefuseField(dialog, kAssistantReferenceLength, kUnreadableValueMessage);
    (reference == kReferenceWidth ? *w : *h) = typed;
    return true;
}

// The table scale at which the real drawing fits the room (action 2), or -1 after saying
// that none does.
int32_t FitScale(const AIRealRect& art, float ratio, double w, double h) {
    const int32_t reference = g->prefs.ScaleAssistantReferenceType;
    const double artW = std::fabs(art.right - art.left), artH = std::fabs(art.top - art.bottom);
    const int32_t family = g->prefs.ScaleAssistantScaleType;
    int32_t byWidth = -1, byHeight = -1;
    bool fits = true;
    if (reference != kReferenceHeight) fits = (byWidth = FitTableScale(family, artW * ratio / w)) >= 0;
    if (fits && reference != kReferenceWidth) fits = (byHeight = FitTableScale(family, artH * ratio / h)) >= 0;
    if (!fits) {
        Say(kMessageList, kNoScaleFitsMessage);
        return -1;
    }
    if (byWidth < 0) return byHeight;
    if (byHeight < 0) return byWidth;
    ScaleTableEntry a, b;
    getScaleTableEntry(byWidth, &a);
    getScaleTableEntry(byHeight, &b);
    return a.scaler > b.scaler ? byWidth : byHeight;
}

// Applies the matrix to the selected art of every ordinary layer as the tracker does:
// hidden and locked art stays, and axonometric art is flattened, rescaled and projected
// back onto its face. On a host error the layers done are taken back.
AIErr TransformAllLayers(const AIRealMatrix& m) {
    const auto transform = PlotwiseService().applyCADtrackerTransformation;
    if (!transform) return kBadParameterErr;  // no tracker: nothing could be rescaled
    const NoCopies inPlace;  // never copies, whatever key the tracker panel last saw
    std::vector<AIArtHandle> done;
    const auto walk = [transform](AIArtHandle group, AIRealMatrix matrix) {
        return transform(group, &matrix, nullptr);
    };
    const AIErr err = ForEachOrdinaryLayer([&](AILayerHandle layer) -> AIErr {
        AIArtHandle group = nullptr;
        if (sAIArt->GetFirstArtOfLayer(layer, &group) || !group) return kNoErr;
        if (AIErr e = walk(group, m)) return e;
        done.push_back(group);
        return kNoErr;
    });
    if (err) {
        const AIRealMatrix back{1 / m.a, 0, 0, 1 / m.d, -m.tx / m.a, -m.ty / m.d};
        for (AIArtHandle group : done) walk(group, back);
    }
    return err;
}

// Actions 2 and 3: the drawing rescaled to the table scale and centred, then the scale
// applied. False when the dialog is to stay open.
bool RescaleDrawing(ADMDialogRef dialog, int32_t action, float ratio) {
    if (ADMItemRef type = Item(dialog, kAssistantScaleType)) g->prefs.ScaleAssistantScaleType = ActivePopupIndex(type);
    if (ADMItemRef reference = Item(dialog, kAssistantReference))
        g->prefs.ScaleAssistantReferenceType = ActivePopupIndex(reference);
    // A length typed wrong is said before anything is selected.
    double roomW = 0, roomH = 0;
    if (action == kAssistantFitScale && !RoomToFit(dialog, &roomW, &roomH)) return false;
    AIRealRect art{};
    if (SelectAllArtAndGetRect(&art)) return true;
    int32_t id = -1;
    if (action == kAssistantFitScale) {
        id = FitScale(art, ratio, roomW, roomH);
        if (id < 0) return false;
    } else {
        id = ActivePopupIndex(Item(dialog, kAssistantPresetPopup));
    }
    AIReal scaler = 0;
    char label[kScaleLabelSize] = {};
    getScaleDataFromScaleID(id, &scaler, label);
    if (!(scaler > 0)) {  // a separator or an empty custom slot
        Say(kMessageList, kNoScaleFitsMessage);
        return false;
    }
    AIRealRect place{};
    GetArtboardRect(&place);
    if (g->prefs.ScaleAssistantReferenceType == kReferenceArtboard) place = Inset(place, kArtboardInset);
    // The scale becomes current only once every layer has taken the new size.
    if (TransformAllLayers(CentringMatrix(art, ratio, scaler, place))) {
        Say(kAssistantMessages, kRescaleFailedMessage);
        return true;
    }
    g->prefs.scale = id;
    UpdateScaler();
    UpdateAllPrecisionMenus();
    setScaleOfSelectedLayers(g->prefs.scale, g->prefs.scaler, g->prefs.scaleStr);
    UpdateScalePopoutMenu(g->CADdocumentWindow);
    RedrawRulers(1);
    NotifyPlotwiseAPI();
    return true;
}

// With no drawing open there is nothing to measure or rescale: said as every command says it,
// naming the button as the user reads it.
void RefuseWithoutDrawing(ADMItemRef button) {
    char text[256] = {};
    sADMItem->GetText(button, text, sizeof text);
    NoteHostError(std::string("\"") + text + "\"", kNoDocumentErr);
    ShowNotesForUser();
}

}  // namespace

void ScaleAssistantBtnNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        if (!AnyDocumentOpen())
            RefuseWithoutDrawing(item);
        else if (!AllLayersAreUnlockedAndVisible())
            Say(kMessageList, kLayersLockedMessage);
        else if (!SomeArtIsSelected())
            Say(kMessageList, kSelectObjectsMessage);
        else
            ShowScaleAssistantDialog();
    }
    sADMItem->DefaultNotify(item, notifier);
}

AIErr ShowScaleAssistantDialog() {
    sADMDialog->Modal(g->thisPlugin, kScaleAssistantDialogName, kScaleAssistantDialogID, kADMModalDialogStyle,
                      Guarded<&InitScaleAssistantDialog>, nullptr, 0);
    return kNoErr;
}

ASErr InitScaleAssistantDialog(ADMDialogRef dialog) {
    if (!g || !dialog) return kBadParameterErr;
    g->cancelledInputDialog = 0;
    if (ADMItemRef ok = Item(dialog, 1)) sADMItem->SetNotifyProc(ok, Guarded<&ScaleAssistantOKBtnCallbackProc>);
    sADMDialog->SetDefaultItemID(dialog, 1);
    if (ADMItemRef cancel = Item(dialog, 2)) sADMItem->SetNotifyProc(cancel, Guarded<&inputCancelBtnCallbackProc>);
    sADMDialog->SetCancelItemID(dialog, 2);
    for (int32_t id : {kAssistantFitHint, kAssistantPresetHint, kAssistantCustomHint})
        if (ADMItemRef hint = Item(dialog, id)) sADMItem->SetFont(hint, kADMItalicDialogFont);
    const struct {
        int32_t radio;
        bool on;
    } kRadios[] = {{kAssistantWidthRadio, g->prefs.ScaleAssistantObjectRelationship == 1},
                   {kAssistantHeightRadio, g->prefs.ScaleAssistantObjectRelationship == 2},
                   {kAssistantFitRadio, g->prefs.ScaleAssistantAction == kAssistantFitScale},
                   {kAssistantPresetRadio, g->prefs.ScaleAssistantAction == kAssistantPresetScale},
                   {kAssistantCustomRadio, g->prefs.ScaleAssistantAction == kAssistantCustomScale}};
    for (const auto& r : kRadios) {
        ADMItemRef radio = Item(dialog, r.radio);
        if (!radio) continue;
        sADMItem->SetBooleanValue(radio, r.on);
        sADMItem->SetNotifyProc(radio, Guarded<&ScaleAssistantRadiosNotifierProc>);
    }
    AIRealRect bounds{};
    bool found = false;
    if (AIErr err = SelectedBounds(&bounds, &found)) return err;
    ShowDrawnLength(dialog, 0, found ? std::fabs(bounds.right - bounds.left) : 0.0);
    ShowDrawnLength(dialog, 1, found ? std::fabs(bounds.top - bounds.bottom) : 0.0);
    ForgetHeldFieldValues(dialog);
    for (int32_t id : {kAssistantRealWidth, kAssistantRealHeight, kAssistantReferenceLength}) {
        if (ADMItemRef field = Item(dialog, id)) {
            sADMItem->SetText(field, "");
            sADMItem->SetNotifyProc(field, Guarded<&inputFldChangedNotifierProc>);
        }
    }
    SetupMenuPopup(dialog, kAssistantScaleType, kScaleTypeMenu, g->prefs.ScaleAssistantScaleType);
    SetupMenuPopup(dialog, kAssistantReference, kReferenceMenu, g->prefs.ScaleAssistantReferenceType);
    if (ADMItemRef reference = Item(dialog, kAssistantReference))
        sADMItem->SetNotifyProc(reference, Guarded<&ScaleAssistantReferenceTypePopupNotifierProc>);
    setupScalePopup(dialog, kAssistantPresetPopup);
    ADMListRef presets = sADMItem->GetList(Item(dialog, kAssistantPresetPopup));
    if (ADMEntryRef oneToOne = presets ? sADMList->IndexEntry(presets, kOneToOneScaleID) : nullptr) {
        sADMEntry->Enable(oneToOne, true);
        sADMEntry->Activate(oneToOne, true);
    }
    EnableByChoices(dialog);
    return kNoErr;
}

void ScaleAssistantRadiosNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChangedOrChanging(notifier)) {
        ADMDialogRef dialog = sADMItem->GetDialog(item);
        const int32_t notifying = sADMItem->GetID(item);
        // Each radio: the choice it stands for and the field it makes active when clicked.
        const struct {
            int32_t radio;
            int32_t* choice;
            int32_t value;
            int32_t activates;
        } kRadios[] = {
            {kAssistantWidthRadio, &g->prefs.ScaleAssistantObjectRelationship, 1, kAssistantRealWidth},
            {kAssistantHeightRadio, &g->prefs.ScaleAssistantObjectRelationship, 2, kAssistantRealHeight},
            {kAssistantFitRadio, &g->prefs.ScaleAssistantAction, kAssistantFitScale, kAssistantReferenceLength},
            {kAssistantPresetRadio, &g->prefs.ScaleAssistantAction, kAssistantPresetScale, 0},
            {kAssistantCustomRadio, &g->prefs.ScaleAssistantAction, kAssistantCustomScale, 0},
        };
        for (const auto& r : kRadios) {
            if (!On(dialog, r.radio)) continue;
            *r.choice = r.value;
            if (r.activates && notifying == r.radio) MakeActive(dialog, r.activates);
        }
        EnableByChoices(dialog);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void ScaleAssistantReferenceTypePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        const int32_t reference = ActivePopupIndex(item);
        if (reference >= 0) g->prefs.ScaleAssistantReferenceType = reference;
        if (ADMItemRef length = Item(sADMItem->GetDialog(item), kAssistantReferenceLength))
            sADMItem->Show(length, g->prefs.ScaleAssistantReferenceType != kReferenceArtboard);
    }
    sADMItem->DefaultNotify(item, notifier);
}

void ScaleAssistantOKBtnCallbackProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (!g) return;
    ADMDialogRef dialog = sADMItem->GetDialog(item);
    // The guides come down for the change and go up again however it ends.
    const bool grids = AreGridsOn(), rulers = AreRulersOn();
    if (grids) disposeAxonometricGrids();
    if (rulers) disposeDERurure();
    Relation relation;
    bool close = ReadRelation(dialog, &relation);
    if (close) {
        const int32_t action = ChosenAction(dialog);
        g->prefs.ScaleAssistantAction = action;
        if (action == kAssistantCustomScale && !IsCustomScalerInRange(relation.ratio)) {
            (void)RefuseField(dialog, On(dialog, kAssistantWidthRadio) ? kAssistantRealWidth : kAssistantRealHeight,
                              kCustomScaleRangeMessage);
            close = false;
        } else if (action == kAssistantCustomScale) {
            addCustomScaleToMenu(relation.ratio, relation.label);
            NotifyPlotwiseAPI();
        } else {
            close = RescaleDrawing(dialog, action, relation.ratio);
        }
    }
    if (grids || rulers) drawGridsAndRulers(1, 1);
    if (close) sADMItem->DefaultNotify(item, notifier);
}

// The artboard is the page.
void GetArtboardRect(AIRealRect* rect) { GetPageRect(rect); }

AIErr SelectAllArtAndGetRect(AIRealRect* rect) {
    if (!rect) return kBadParameterErr;
    if (AIErr err = ForEachOrdinaryLayer([](AILayerHandle layer) -> AIErr {
            AIArtHandle group = nullptr, first = nullptr;
            if (sAIArt->GetFirstArtOfLayer(layer, &group) || !group) return kNoErr;
            if (AIErr e = sAIArt->GetArtFirstChild(group, &first)) return e;
            return first ? CompletelySelectGroup(first, nullptr) : kNoErr;
        }))
        return err;
    bool found = false;
    AIRealRect bounds{};
    if (AIErr err = SelectedBounds(&bounds, &found)) return err;
    if (found) *rect = bounds;
    return kNoErr;
}

int AllLayersAreUnlockedAndVisible() {
    if (!g) return 0;
    FindGuideLayers();
    const AIErr hidden = ForEachOrdinaryLayer([](AILayerHandle layer) -> AIErr {
        ASBoolean visible = false, editable = false;
        if (sAILayer->GetLayerVisible(layer, &visible) || sAILayer->GetLayerEditable(layer, &editable)) return kCADErr;
        return visible && editable ? kNoErr : kCADErr;
    });
    return hidden ? 0 : 1;
}
