// The fields of the dimensioning and labelling tools: their tool handles, the layout of the
// text being drawn, the automatic dimensioning commands, the geometry read-out that
// geometric labels list, the distance last measured and the last callout description.
#pragma once

#include "dimensions/DimensionGlobals.h"
#include "dimtools/CalloutSettings.h"
#include "geometry/PlaneGeometry.h"

struct DimToolGlobals : DimensionGlobals {
    // Geometry of one measured art object for a label text (left, top, width, height,
    // open length, closed perimeter, area), written by the tracker as measured; kMissingValue where
    // the value does not apply, and until art is measured.
    double geometryX = kMissingValue, geometryY = kMissingValue, geometryW = kMissingValue,
           geometryH = kMissingValue, geometryL = kMissingValue, geometryP = kMissingValue,
           geometryA = kMissingValue;
    // Their float errors (LengthError), which the label rounds them with: of the left, the
    // top, the width, the height, and the length or perimeter.
    double geometryErrorX = 0, geometryErrorY = 0, geometryErrorW = 0, geometryErrorH = 0, geometryErrorL = 0;
    // The layout of the text being drawn: the second click of the current pair, the
    // measured width of the text, where and how it is set.
    AIRealPoint basePoint2{};
    AIReal strWidth = 0;
    AIRealPoint textLoc{};
    AIReal textAngle = 0;
    int16_t textAlignment = 0;  // AILineStyle: 1 begins, 2 centred on, 3 ends at textLoc
    // The automatic segment tools: the path whose clicked segment is measured, the path
    // automatic dimensioning works on (the only art its made-up clicks are looked for on),
    // and whether the gesture's two clicks were taken from the segment yet.
    AIArtHandle art = nullptr, firstClickArt = nullptr;
    int initializedAutoTools = 0;
    // Automatic dimensioning cleared the selection at its first preparation of a segment;
    // the later ones of the run need not.
    int autoDimSelectionCleared = 0;
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
    AIToolHandle calloutstool = nullptr;
    // The distance tool's last straight distance, in points, worked in doubles as every tool
    // measures a length, and its float error (DistanceError).
    double MeasuredLinearDistance = 0;
    double MeasuredLinearError = 0;
    // The description of the art a callout points at, as last written, and what it reports.
    char calloutText[1024] = {};
    Callout_Data curCalloutSettings{};
};
