// The tracker panel: its set-up, the popout menu, pictures, popups, captions, copy
// buttons, the keys held at a press and the Enter key in a field.
#include "tracker/TrackerPanel.h"

#include <initializer_list>

#include "core/PlotwiseDialogItems.h"
#include "core/ExceptionBoundary.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "panels/PanelFrame.h"
#include "tracker/TrackerActions.h"
#include "tracker/TrackerFields.h"
#include "tracker/TrackerGlobals.h"
#include "tracker/TrackerReadOut.h"
#include "units/NumericFields.h"
#include "units/UnitsPopups.h"

namespace {

constexpr GlobalsView<TrackerGlobals> g;

constexpr int32_t kOptionsEntry = 0, kAcresEntry = 1;
// The active square of the reference picture, in thirds of 7 points.
constexpr int32_t kReferenceCell = 7, kReferenceSize = 20;
// Where the direction pictures split: above or below, left or right of this.
constexpr int32_t kDirectionSplit = 6;

const UnitsPopupPair kTrackerPair = {
    .unitsItem = kTrackerUnitsPopup,
    .unitsCaption = kTrackerUnitsCaption,
    .precisionItem = kTrackerPrecisionPopup,
    .precisionCaption = kTrackerPrecisionCaption,
    .units = +[]() -> int32_t& { return g->prefs.CADtrackerUnits; },
    .precision = +[](int32_t) -> int32_t& { return g->prefs.CADtrackerPrecision; },
    .precisionNotifier = Guarded<&CADtrackerPrecisionPopupNotifierProc>,
    .maxEntries = kPanelPrecisionEntries,
    .enables = true,
    .scaleFactor = nullptr,
};

// Each item's notifier and tracker, section by section.
struct ItemProcs {
    int32_t id;
    ADMItemNotifyProc notify;
    ADMItemTrackProc track;
};

const ItemProcs kItemProcs[] = {
    {kReferencePicture, nullptr, Guarded<&transformPositionTrackerProc>},
    {kTransformX, Guarded<&transformFldChangedNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kTransformY, Guarded<&transformFldChangedNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kTransformW, Guarded<&transformFldChangedNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kTransformH, Guarded<&transformFldChangedNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kTransformAngle, nullptr, Guarded<&doEnterInFldTrackerProc>},
    {kTransformXCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kTransformYCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kTransformWCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kTransformHCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kTransformAngleCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kTransformCopyButton, Guarded<&copyOptionNotifierProc>, Guarded<&doCADtrackerModifierTrackerProc>},
    {kTransformButton, Guarded<&CADtrackerTransformNotifyProc>, Guarded<&doCADtrackerModifierTrackerProc>},
    {kConstrainCheckBox, Guarded<&constrainNotifierProc>, nullptr},
    {kMoveX, Guarded<&CADtrackerMoveFldNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kMoveY, Guarded<&CADtrackerMoveFldNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kMoveDistance, Guarded<&CADtrackerMoveFldNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kMoveAngle, Guarded<&CADtrackerMoveFldNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kMoveXCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kMoveYCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kMoveDistanceCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kMoveAngleCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kMoveButton, Guarded<&CADtrackerMoveNotifyProc>, Guarded<&doCADtrackerModifierTrackerProc>},
    {kMoveCopyButton, Guarded<&copyOptionNotifierProc>, Guarded<&doCADtrackerModifierTrackerProc>},
    {kRowDirectionPicture, nullptr, Guarded<&repeatRowDirectionTrackerProc>},
    {kColumnDirectionPicture, nullptr, Guarded<&repeatColDirectionTrackerProc>},
    {kRowsCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kRowSpacingCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kColumnsCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kColumnSpacingCaption, Guarded<&trackerLabelNotifierProc>, nullptr},
    {kRows, nullptr, Guarded<&doEnterInFldTrackerProc>},
    {kColumns, nullptr, Guarded<&doEnterInFldTrackerProc>},
    {kRowSpacing, Guarded<&CADtrackerRepeatFldNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kColumnSpacing, Guarded<&CADtrackerRepeatFldNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kRepeatButton, Guarded<&CADtrackerRepeatNotifyProc>, nullptr},
    {kShowInfoCheckBox, Guarded<&ShowCADtrackerInfoNotifierProc>, nullptr},
    {kAreaField, Guarded<&areaTransformFldChangedNotifierProc>, Guarded<&doEnterInFldTrackerProc>},
    {kAreaButton, Guarded<&CADtrackerAreaTransformNotifyProc>, nullptr},
};

// A click on a caption gives the keyboard to its field.
constexpr struct {
    int32_t caption, field;
} kCaptionFields[] = {
    {kTransformXCaption, kTransformX},  {kTransformYCaption, kTransformY},  {kTransformWCaption, kTransformW},
    {kTransformHCaption, kTransformH},  {kTransformAngleCaption, kTransformAngle}, {kMoveXCaption, kMoveX},
    {kMoveYCaption, kMoveY},            {kMoveDistanceCaption, kMoveDistance}, {kMoveAngleCaption, kMoveAngle},
    {kRowsCaption, kRows},              {kRowSpacingCaption, kRowSpacing},   {kColumnsCaption, kColumns},
    {kColumnSpacingCaption, kColumnSpacing},
};

// The host's modifier keys as trackerModifiers bits.
constexpr struct {
    uint32_t host;
    int32_t bit;
} kModifierBits[] = {
    {kADMShiftKeyModifier, kTrackerShift},
    {kADMMenuKeyModifier, kTrackerProportion},
    {kADMModKeyModifier, kTrackerCopy},
};

void RefreshReadOut() { tracker::updateTrackerWindowFromSelectedArt(nullptr); }

void SetPicture(ADMItemRef item, int32_t picture) {
    if (item) sADMItem->SetPictureID(item, picture);
}

void SetupItems(ADMDialogRef dialog) {
    for (const ItemProcs& p : kItemProcs) {
        ADMItemRef item = Item(dialog, p.id);
        if (!item) continue;
        if (p.notify) sADMItem->SetNotifyProc(item, p.notify);
        if (p.track) sADMItem->SetTrackProc(item, p.track);
    }
    // Free text the actions parse in the tracker's unit.
    for (int32_t id : {kTransformX, kTransformY, kTransformW, kTransformH, kMoveX, kMoveY, kMoveDistance, kRowSpacing,
                       kColumnSpacing, kAreaField})
        if (ADMItemRef item = Item(dialog, id)) sADMItem->SetItemType(item, kADMTextEditType);
    // Whole counts within what a grid can be asked for.
    for (int32_t id : {kRows, kColumns})
        if (ADMItemRef item = Item(dialog, id))
            SetNumericIntFldPrefs(item, 0, -kMostRepeatCount, kMostRepeatCount);
    const int32_t code = g->prefs.moveType;
    SetPicture(Item(dialog, kReferencePicture),
               kReferencePictures + (code >= 0 && code < 9 ? code : 0));
    SetPicture(Item(dialog, kRowDirectionPicture), g->prefs.repeatRowUp ? kRowsUpPicture : kRowsDownPicture);
    SetPicture(Item(dialog, kColumnDirectionPicture),
               g->prefs.repeatColRt ? kColumnsRightPicture : kColumnsLeftPicture);
    for (int32_t id : {kTransformAngle, kMoveAngle}) setupAnglePopup(Item(dialog, id));
    setupRepeatBetweenTypePopup(Item(dialog, kBetweenPopup));
    SetupCheckBox(dialog, kConstrainCheckBox, g->prefs.constrainProportions);
    SetupCheckBox(dialog, kShowInfoCheckBox, g->prefs.showCADtrackerInfo);
}

// What Enter does in a field: the Transform fields transform, the Move fields move, the
// counts repeat; the spacings and the area do nothing.
void EnterInField(ADMItemRef item) {
    const int32_t id = sADMItem->GetID(item);
    switch (id) {
        case kTransformX:
        case kTransformY:
        case kTransformW:
        case kTransformH:
        case kTransformAngle: {
            doCADtrackerTransform();
            // Only a width or height that reads as a length runs the transform again from its
            // own notification, which this flag then stops.
            double typed = 0;
            const bool size = id == kTransformW || id == kTransformH;
            g->trackerTransformComplete = size && ParseTrackerLength(sADMItem->GetDialog(item), id, &typed) ? 1 : 0;
            break;
        }
        case kMoveX:
        case kMoveY:
        case kMoveDistance:
        case kMoveAngle: {
            // A length left empty or that does not read moves nothing: no copy of the
            // selection lands on it.
            char text[kTrackerTextSize];
            GetTrackerText(sADMItem->GetDialog(item), id, text);
            if ((id == kMoveAngle || text[0] != '\0') && doCADtrackerSetupMove(item) == kNoErr)
                doCADtrackerMove();
            else
                (void)ShowCoreMessage(kUnreadableValueMessage);
            break;
        }
        case kRows:
        case kColumns:
            if (doCADtrackerSetupRepeat(item)) doCADtrackerRepeat();
            break;
        default:
            break;
    }
}

}  // namespace

AIErr createTrackerWindow() { return CreatePanel(kTrackerFrame, Guarded<&initTrackerWindowProc>); }

ASErr initTrackerWindowProc(ADMDialogRef dialog) {
    PanelInitScope scope(dialog);
    if (AIErr err = scope.error()) return err;
    if (AIErr err = RestorePanelPlacement(kTrackerFrame, dialog)) return err;
    g->CADtrackerWindow = dialog;
    ADMItemRef popout = SetupPanelPopout(kTrackerFrame, dialog, Guarded<&CADtrackerPopoutNotifierProc>);
    if (popout)
        if (ADMEntryRef acres = sADMList->IndexEntry(sADMItem->GetList(popout), kAcresEntry))
            sADMEntry->Check(acres, g->prefs.displayAcres != 0);
    showOrHideTrackerOptions(popout);
    if (!SizeCollapsedPanel(kTrackerFrame, dialog)) showOrHideTrackerOptions(popout);
    SetBoldCaptions(dialog, {kInfoCaption, kTransformCaption, kAreaCaption, kMoveCaption, kRepeatCaption});
    SetupItems(dialog);
    if (ADMItemRef units = Item(dialog, kTrackerUnitsPopup)) {
        sADMList->SetMenuID(sADMItem->GetList(units), g->thisPlugin, kUnitsMenu, "");
        sADMItem->SetNotifyProc(units, Guarded<&CADtrackerUnitsPopupNotifierProc>);
        SetupCADtrackerUnitsPopup(dialog);
    }
    SetPanelIcons(kTrackerFrame, dialog);
    // The actions wait for something to measure.
    return tracker::resetTrackerWindow();
}

AIErr WriteCADtrackerWindowPrefs(ADMDialogRef dialog) { return WritePanelPrefs(kTrackerFrame, dialog); }

void RefreshCADtrackerWindowFromPrefs(ADMDialogRef dialog) {
    SetupCADtrackerUnitsPopup(dialog);
    SetupCheckBox(dialog, kShowInfoCheckBox, g->prefs.showCADtrackerInfo);
    RefreshReadOut();  // in the units and precision loaded, a selection or none
}

void showOrHideTrackerOptions(ADMItemRef popout) { AdjustPanelOptions(kTrackerFrame, popout); }

void setupRepeatBetweenTypePopup(ADMItemRef item) {
    if (!item) return;
    ADMListRef list = sADMItem->GetList(item);
    sADMList->SetMenuID(list, g->thisPlugin, kBetweenMenu, "");
    if (ADMEntryRef entry = sADMList->IndexEntry(list, g->prefs.repeatType)) sADMEntry->Activate(entry, true);
    sADMItem->SetNotifyProc(item, Guarded<&repeatTypePopupNotifierProc>);
}

void getCADtrackerModifers(ADMTrackerRef tracker) {
    const uint32_t keys = sADMTracker->GetModifiers(tracker);
    int32_t bits = 0;
    for (const auto& m : kModifierBits)
        if (keys & m.host) bits |= m.bit;
    const int32_t key = sADMTracker->GetVirtualKey(tracker);
    if (key == kADMEnterKey || key == kADMReturnKey) bits |= kTrackerEnter;
    g->trackerModifiers = bits;
}

void CADtrackerPopoutNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    sADMItem->DefaultNotify(item, notifier);
    if (!g || !UserChanged(notifier)) return;
    switch (ActivePopupIndex(item)) {
        case kOptionsEntry:
            g->prefs.showCADtrackerOptions = !g->prefs.showCADtrackerOptions;
            showOrHideTrackerOptions(item);
            break;
        case kAcresEntry:
            g->prefs.displayAcres = !g->prefs.displayAcres;
            if (ADMEntryRef acres = sADMList->IndexEntry(sADMItem->GetList(item), kAcresEntry))
                sADMEntry->Check(acres, g->prefs.displayAcres != 0);
            RefreshReadOut();
            break;
        default:
            break;
    }
}

void copyOptionNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    sADMItem->DefaultNotify(item, notifier);
    if (!g || !UserChanged(notifier)) return;
    if (sADMItem->GetID(item) == kTransformCopyButton) {
        g->transformCopy = 1;
        doCADtrackerTransform();
    } else {
        g->moveCopy = 1;
        doCADtrackerMove();
    }
    g->transformCopy = g->moveCopy = 0;
}

void trackerLabelNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    sADMItem->DefaultNotify(item, notifier);
    if (!g || !UserChanged(notifier)) return;
    const int32_t caption = sADMItem->GetID(item);
    for (const auto& c : kCaptionFields)
        if (c.caption == caption)
            if (ADMItemRef field = Item(sADMItem->GetDialog(item), c.field)) sADMItem->Activate(field, true);
}

void repeatTypePopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    sADMItem->DefaultNotify(item, notifier);
    if (!g || !UserChanged(notifier)) return;
    if (const int32_t index = ActivePopupIndex(item); index >= 0) g->prefs.repeatType = index;
}

void ShowCADtrackerInfoNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    sADMItem->DefaultNotify(item, notifier);
    if (g && UserChanged(notifier)) g->prefs.showCADtrackerInfo = sADMItem->GetBooleanValue(item) ? 1 : 0;
}

ASBoolean transformPositionTrackerProc(ADMItemRef item, ADMTrackerRef tracker) {
    if (g && sADMTracker->GetAction(tracker) == kADMButtonDownAction) {
        ADMPoint p{};
        sADMTracker->GetPoint(tracker, &p);
        if (p.h >= 0 && p.v >= 0 && p.h < kReferenceSize && p.v < kReferenceSize) {
            g->prefs.moveType = 3 * (p.v / kReferenceCell) + p.h / kReferenceCell;
            SetPicture(item, kReferencePictures + g->prefs.moveType);
        }
    }
    if (g) RefreshReadOut();
    return sADMItem->DefaultTrack(item, tracker);
}

ASBoolean repeatRowDirectionTrackerProc(ADMItemRef item, ADMTrackerRef tracker) {
    if (g && sADMTracker->GetAction(tracker) == kADMButtonDownAction) {
        ADMPoint p{};
        sADMTracker->GetPoint(tracker, &p);
        g->prefs.repeatRowUp = p.v < kDirectionSplit ? 1 : 0;
        SetPicture(item, g->prefs.repeatRowUp ? kRowsUpPicture : kRowsDownPicture);
    }
    return sADMItem->DefaultTrack(item, tracker);
}

ASBoolean repeatColDirectionTrackerProc(ADMItemRef item, ADMTrackerRef tracker) {
    if (g && sADMTracker->GetAction(tracker) == kADMButtonDownAction) {
        ADMPoint p{};
        sADMTracker->GetPoint(tracker, &p);
        g->prefs.repeatColRt = p.h > kDirectionSplit ? 1 : 0;
        SetPicture(item, g->prefs.repeatColRt ? kColumnsRightPicture : kColumnsLeftPicture);
    }
    return sADMItem->DefaultTrack(item, tracker);
}

ASBoolean doEnterInFldTrackerProc(ADMItemRef item, ADMTrackerRef tracker) {
    if (g && sADMTracker->GetAction(tracker) == kADMKeyStrokeAction) {
        // A new key: what an earlier Enter left for its own notification no longer applies.
        g->trackerTransformComplete = 0;
        getCADtrackerModifers(tracker);
        if (g->trackerModifiers & kTrackerEnter) EnterInField(item);
    }
    return sADMItem->DefaultTrack(item, tracker);
}

ASBoolean doCADtrackerModifierTrackerProc(ADMItemRef item, ADMTrackerRef tracker) {
    sADMItem->DefaultTrack(item, tracker);
    if (g && sADMTracker->GetAction(tracker) == kADMButtonDownAction) {
        g->trackerTransformComplete = 0;
        getCADtrackerModifers(tracker);
    }
    return true;
}

void SetupCADtrackerUnitsPopup(ADMDialogRef dialog) { SetupUnitsPopupPair(dialog, kTrackerPair); }

void SetupCADtrackerPrecisionPopup(ADMDialogRef dialog) { SetupPrecisionPopupOfPair(dialog, kTrackerPair); }

void CADtrackerUnitsPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        if (const int32_t units = ActivePopupIndex(item); units >= 0) g->prefs.CADtrackerUnits = units;
        const PrecisionsFollowTheirLists lowering;
        SetupCADtrackerPrecisionPopup(sADMItem->GetDialog(item));
        RefreshReadOut();
    }
    sADMItem->DefaultNotify(item, notifier);
}

void CADtrackerPrecisionPopupNotifierProc(ADMItemRef item, ADMNotifierRef notifier) {
    if (g && UserChanged(notifier)) {
        if (const int32_t precision = ActivePopupIndex(item); precision >= 0) g->prefs.CADtrackerPrecision = precision;
        RefreshReadOut();
    }
    sADMItem->DefaultNotify(item, notifier);
}
