// Dock group and dock code of a floating panel, exchanged with the host's dialog groups.
#include "core/PlotwisePanelPlacement.h"

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"

AIErr JoinPanelDockGroup(const PlotwisePanelRow& row, ADMDialogRef dialog, const preferences& prefs) {
    if (!dialog || !row.dockGroup || !row.dockCode || !sADMDialogGroup) return kBadParameterErr;
    const ADMPositionCode code{prefs.*row.dockCode, 0};
    return sADMDialogGroup->SetDialogGroupInfo(dialog, prefs.*row.dockGroup, code);
}

AIErr ReadPanelDockGroup(const PlotwisePanelRow& row, ADMDialogRef dialog, preferences& prefs) {
    if (!dialog || !row.dockGroup || !row.dockCode || !sADMDialogGroup) return kBadParameterErr;
    const char* group = nullptr;
    ADMPositionCode code{0, 0};
    if (AIErr err = sADMDialogGroup->GetDialogGroupInfo(dialog, &group, &code)) return err;
    if (group && group[0]) CopyCString(prefs.*row.dockGroup, group);
    prefs.*row.dockCode = code.fPositionCode;
    return kNoErr;
}
