// The fields of the dimensioning and labelling tools: their tool handles and the automatic
// dimensioning commands.
#pragma once

#include "dimensions/DimensionGlobals.h"

struct DimToolGlobals : DimensionGlobals {
    AIMenuItemHandle AutoDimensionDocumentMenuItem = nullptr, AutoDimensionSelectionMenuItem = nullptr;
    AIToolHandle htool = nullptr, vtool = nullptr, ultool = nullptr, autohtool = nullptr;
    AIToolHandle autovtool = nullptr, autoultool = nullptr, datumhtool = nullptr, datumvtool = nullptr;
    AIToolHandle datumultool = nullptr, measuredistancetool = nullptr, hisotool = nullptr, visotool = nullptr;
    AIToolHandle autohisotool = nullptr, autovisotool = nullptr, datumhisotool = nullptr, datumvisotool = nullptr;
    AIToolHandle isocenterlinetool = nullptr, isoradtool = nullptr, isodiamtool = nullptr, isocctool = nullptr;
    AIToolHandle autoangtool = nullptr, arclentool = nullptr, curvetool = nullptr, radtool = nullptr;
    AIToolHandle diamtool = nullptr, cctool = nullptr, tantool = nullptr, FilletDimTool = nullptr;
    AIToolHandle sectiontool = nullptr, centerlinetool = nullptr, pttool = nullptr, ptlongtool = nullptr;
    AIToolHandle bubbletool = nullptr, datumflagtool = nullptr, datumfeaturetool = nullptr, datumtargettool = nullptr;
};
