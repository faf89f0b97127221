// The fields of the dimensioning and labelling tools: their tool handles, the automatic
// dimensioning commands and the geometry read-out that geometric labels list.
#pragma once

#include "dimensions/DimensionGlobals.h"

struct DimToolGlobals : DimensionGlobals {
    // Geometry of one measured art object for a label text (left, top, width, height,
    // open length, closed perimeter, area), written by the tracker; kMissingValue where
    // the value does not apply.
    AIReal geometryX = 0, geometryY = 0, geometryW = 0, geometryH = 0, geometryL = 0, geometryP = 0, geometryA = 0;
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
