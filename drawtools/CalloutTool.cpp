// The Callouts dialog's check boxes and the callout tool's press and release.
#include "drawtools/CalloutTool.h"

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "core/PlotwiseTools.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionToolFamily.h"
#include "dimtools/CalloutDescription.h"
#include "dimtools/CalloutDrawing.h"
#include "dimtools/LabelParts.h"
#include "drawtools/DrawToolGlobals.h"
#include "drawtools/NumericInputDialogs.h"

namespace {

constexpr GlobalsView<DrawToolGlobals> g;

constexpr int32_t kCalloutsDialog = 16300;

// The art under the press limits what is described; its node shows the preview text, as
// callout text that takes no letter or number.
AIErr CalloutMouseDown() {
    cdDataStruct* node = g->firstChainDimDataPtr;
    g->firstClickArt = node ? node->art : nullptr;
    if (!node) return kNoErr;
    live_dimension_text_data& t = node->textData;
    t.dimensionFormat = kCalloutDimensionFormat;
    t.alpha = t.numeric = -1;
    t.calloutStr[0] = '\0';
    CopyCString(t.dimStr, kCalloutPreviewText);
    return KeepPressInBounds(node);
}

// The last drag's callout, with its "Callout..." text.
void RemovePreview() {
    if (g->group && sAIArt->ValidArt(g->group, false)) sAIArt->DisposeArt(g->group);
    g->group = nullptr;
}

AIErr CalloutMouseUp() {
    const cdDataStruct* node = g->firstChainDimDataPtr;
    if (!node || !node->art) {
        RemovePreview();
        return doArtMustBeClickedErrorDialog();
    }
    if (g->prefs.style.modifiers & kCADOptionModifier) {
        if (AIErr err = GetCalloutTargetData()) return err;
    } else {
        if (AIErr err = doCalloutsDialog()) return err;
        if (g->cancelledInputDialog) {
            RemovePreview();
            return kNoErr;
        }
    }
    RemovePreview();
    return DrawCallout();
}

void RecordCalloutClick(const PlotwiseToolRow& row, AIRealPoint p) { kDimensionToolFamily.recordClick(row, p); }
AIErr CalloutFamilyMouseDown(const PlotwiseToolRow& row) { return kDimensionToolFamily.mouseDown(row); }

// The callout is finished, and stored, in the text format of callout text.
AIErr CalloutFamilyMouseUp(const PlotwiseToolRow& row) {
    int32_t& format = g->prefs.style.dimensionFormat;
    const int32_t kept = format;
    format = kCalloutDimensionFormat;
    const AIErr err = kDimensionToolFamily.mouseUp(row);
    format = kept;
    return err;
}

}  // namespace

AIErr doCalloutsDialog() { return OpenNumericInputDialog(kCalloutsDialog, nullptr); }

void initCalloutsDialog(ADMDialogRef dialog) {
    const Callout_Data& flags = g->curCalloutSettings;
    for (const CalloutFlag& f : CalloutFlags())
        if (ADMItemRef item = sADMDialog->GetItem(dialog, f.item)) sADMItem->SetBooleanValue(item, flags.*f.field != 0);
}

void storeCalloutsDialog(ADMDialogRef dialog) {
    Callout_Data& flags = g->curCalloutSettings;
    for (const CalloutFlag& f : CalloutFlags())
        if (ADMItemRef item = sADMDialog->GetItem(dialog, f.item)) flags.*f.field = sADMItem->GetBooleanValue(item) ? 1 : 0;
}

const ToolFamilyRoutines kCalloutToolFamily{
    .recordClick = &RecordCalloutClick,
    .mouseDown = &CalloutFamilyMouseDown,
    .mouseUp = &CalloutFamilyMouseUp,
    .flags = kFamilyDimensionTools,
};

const ToolRoutines kCalloutToolRoutines{&CalloutMouseDown, &DrawCallout, &CalloutMouseUp, nullptr, &doFreeHitLocs};
