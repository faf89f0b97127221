// The push of one style setting (or all of them) from the current style into the stored
// styles of live dimensions, which are then redrawn; and the known/mixed map with which the
// panels show the common style of the selected dimensions.
#pragma once

#include <cstddef>
#include <cstdint>
#include <span>

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"
#include "core/PlotwiseStyleFields.h"

// One style setting a panel can push.
enum CADAttrType : int32_t {
    kCADAttrDummyType = -1,
    kCADAttrLive = 0,
    kCADAttrScale = 1,
    kCADAttrUpperUnits = 2,
    kCADAttrUpperDecimalPrecision = 3,
    kCADAttrUpperFractionalPrecision = 4,
    kCADAttrDimensionColorEntry = 5,
    kCADAttrDimensionColorComponent1 = 6,
    kCADAttrDimensionColorComponent2 = 7,
    kCADAttrDimensionColorComponent3 = 8,
    kCADAttrDimensionColorComponent4 = 9,
    kCADAttrDimensionCustomColorType = 10,
    kCADAttrDimensionCustomColorTint = 11,
    kCADAttrDimensionStrokeWeight = 12,
    kCADAttrDimensionTextSize = 13,
    kCADAttrDimensionTextFaceStr = 14,
    kCADAttrDimensionColorType = 15,
    kCADAttrArrowheadStyle = 16,
    kCADAttrArrowheadLength = 17,
    kCADAttrArrowheadAngle = 18,
    kCADAttrHTextPlacement = 19,
    kCADAttrVTextPlacement = 20,
    kCADAttrATextPlacement = 21,
    kCADAttrTextDistanceAboveLine = 22,
    kCADAttrWitnessGap = 23,
    kCADAttrWitnessExtension = 24,
    kCADAttrAutoDimensionOffset = 25,
    kCADAttrAppendUpperUnitLabels = 26,
    kCADAttrAppendDiamLabels = 27,
    kCADAttrDiameterLabelsBefore = 28,
    kCADAttrLabelLeader = 29,
    kCADAttrLabelShape = 30,
    kCADAttrPointerLabelType = 31,
    kCADAttrMakeSectionLineDoubleThick = 32,
    kCADAttrPrimeSection = 33,
    kCADAttrChainDatum = 34,
    kCADAttrJISDatumTerminator = 35,
    kCADAttrArrowheadWeight = 36,
    kCADAttrWitnessWeight = 37,
    kCADAttrUseUniversalTextAngle = 38,
    kCADAttrMoveLargeDimensionText = 39,
    kCADAttrDualDimensions = 40,
    kCADAttrUpperTolerance = 41,
    kCADAttrUpperToleranceValue = 42,
    kCADAttrUpperToleranceSuperscript = 43,
    kCADAttrLowerUnits = 44,
    kCADAttrAppendLowerUnitLabels = 45,
    kCADAttrLowerDecimalPrecision = 46,
    kCADAttrLowerFractionalPrecision = 47,
    kCADAttrLowerTolerance = 48,
    kCADAttrLowerToleranceValue = 49,
    kCADAttrLowerToleranceSuperscript = 50,
    kCADAttrLabelBorder = 51,
    kCADAttrDiameterLeaderSpansCircle = 52,
    KCADAttrDimFormat = 53,
    kCADAttrSlideDimText = 54,
    kCADAttrTextSpacing = 55,
    kCADAttrLabelLeaderLength = 56,
    kCADAttrLabelFormat = 57,
    kCADAttrDiameterLeaderLength = 58,
    kCADAttrAlphaLabelMenuOption = 59,
    kCADAttrNumericLabelMenuOption = 60,
    kCADAttrCustomLabelMenuOption = 61,
    kCADAttrNumericLabelLeadingZeros = 62,
    kCADAttyNumericLabelNumberOfLeadingZeros = 63,
    kCADAttrGeoLabelX = 64,
    kCADAttrGeoLabelY = 65,
    kCADAttrGeoLabelW = 66,
    kCADAttrGeoLabelH = 67,
    kCADAttrGeoLabelP = 68,
    kCADAttrGeoLabelA = 69,
    kCADAttrStretchLabelShape = 70,
    kCADAttrTerminatorDirection = 71,
    kCADAttrUpperRefDimension = 72,
    kCADAttrLowerRefDimension = 73,
};
constexpr int32_t kCADAttrCount = 74;

// The fields a push of the code copies from the current style (none for codes outside the
// table, and for 1 and 6 to 11). 5 carries the whole colour group; 53 and 57 are the
// format steps, which also renumber the dimension's texts.
std::span<const StyleField* const> PushedFields(CADAttrType code);

// --- the known/mixed map ---

enum PlotwiseLiveAttributesMapType : int32_t {
    kMapDisable = -1,
    kMapDummy = -1,
    kMapUnknown = 0,  // the selected dimensions differ in this field
    kMapKnown = 1,    // they all agree
};

constexpr size_t kStyleMapEntries = 74;

// The fields of the map, in its order.
std::span<const StyleField* const> StyleMapFields();

// The index of a field's entry in the map, or -1 for a field without one.
int32_t StyleMapIndex(const StyleField& field);

struct live_attributes_map {
    live_attributes_map* next = nullptr;
    PlotwiseLiveAttributesMapType entry[kStyleMapEntries] = {};

    // A field without an entry counts as known.
    bool known(const StyleField& field) const {
        const int32_t i = StyleMapIndex(field);
        return i < 0 || entry[i] == kMapKnown;
    }
    void setUnknown(const StyleField& field) {
        if (const int32_t i = StyleMapIndex(field); i >= 0) entry[i] = kMapUnknown;
    }
};

// Every entry known; next is left as it is.
AIErr InitStyleMap(live_attributes_map* map);

// --- the push ---

// Copies the setting's fields from prefs.style into the stored style of every visible live
// dimension group of `which` (selected, or all) and redraws those dimensions; the groups
// that are not dimensions are selected again afterwards (those that still exist, on an
// editable layer), and a redrawn dimension keeps its selection. The stored styles are
// written whether or not new dimensions are made live. The first error is returned;
// nothing matched changes nothing.
AIErr UpdateLiveAttributes(CADAttrType code, PlotwiseProcessArtType which);
// As above with every setting of prefs.style but the two formats and the two reference
// flags: a preset restyles, and each dimension and label keeps its own numbers, letters and
// texts; a dimension already in that style keeps its record as it was.
AIErr UpdateAllLiveAttributes(PlotwiseProcessArtType which);
