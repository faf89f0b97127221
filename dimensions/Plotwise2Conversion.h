// The conversion of documents of format 2, which kept their scales and live dimensions in
// '^'-separated art tags: finding such data, turning it into the current records (layer
// scales, click records on measured art, style records on dimension groups) or deleting it.
// A tag is removed only once its record is stored; a tag whose text cannot be read, or one
// that would overwrite a record converted from another tag of the same art, is passed over
// and named, and the rest of the document converts.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"
#include "dimensions/LegacyDimensionStrings.h"

// Prefixes of the sub-record tags a format-2 dimension group carries beside its style tag.
inline constexpr char kLegacyLiveFaceTag[] = "ZMK_Live_Face_";
inline constexpr char kLegacyLiveColorTag[] = "ZMK_Live_Color_";
inline constexpr char kLegacyLiveLabelTag[] = "ZMK_Live_Label_";

// The legacy tags a conversion left where they were because their text could not be read
// (or, for a sub-record, because its group has no readable style), by name.
struct SkippedLegacyTags {
    std::vector<std::string> names;
};

// 1 when the front document holds format-2 data: a layer scale tag on a layer's group, a
// style or sub-record tag on a group, or a click tag on any art.
int CheckForPlotwise2Data();

// Layer by layer (top-level layers in index order): the legacy scale becomes the scale of the
// layer's tree, then the layer's tag goes. A malformed layer tag is named in `skipped` and
// the layer takes the scale a layer without a tag would. Host errors stop at once.
AIErr ConvertLayerScales(SkippedLegacyTags* skipped = nullptr);
// Every art's click tags become click records.
AIErr ConvertDimensionedObjects(SkippedLegacyTags* skipped = nullptr);
// Every group's style tags become its style record, then its face, colour and label tags
// fill the record's strings. The "Zelmark_Dimension_Group" marker stays.
AIErr ConvertLiveDimensions(SkippedLegacyTags* skipped = nullptr);

// The same for one art: its click tags, or (for a group) its style and sub-record tags. A
// host error stops and is returned; unreadable tags are named and stay, and so are click
// tags no click record on that art could hold (ClickRecordHolds) or holding another
// dimension's click or number than their name says, and style tags of no dimension id. A style value outside its domain
// takes its reader's default, named.
AIErr ConvertLegacyClickTags(AIArtHandle art, SkippedLegacyTags* skipped);
// Visits the id of the dimension of each click tag the conversion left on the art, as its
// name says, else its text (0 for one that names none): a click that dimension lacks.
AIErr ForEachLeftLegacyClick(AIArtHandle art, const std::function<AIErr(int32_t id)>& visit);
AIErr ConvertLegacyStyleTags(AIArtHandle group, SkippedLegacyTags* skipped);

// Removal instead of conversion; the first failing removal stops and is returned.
AIErr DeletePlotwise2LayerScales();
AIErr DeletePlotwise2DimensionedObjectTags();
AIErr DeletePlotwise2LiveDimensionTags();

// The unit code of a format-2 style in the current numbering (8, 9 and 10 moved).
int32_t ConvertPlotwise2UnitCode(int32_t legacy);
// The style record a format-2 style stands for, with the current style's settings where the
// old format had none and the readers' defaults for the fields of later formats. Strings
// are left empty (their own tags carry them). 'BLDE' when a real does not fit a float.
AIErr BuildStyleFromPlotwise2(const live_dimension_group_data& legacy, const Plotwise3_Live_Dimension_Data& current,
                              Plotwise3_Live_Dimension_Data* style);
// The click record of a format-2 click, not yet used. 'BDDE' when a real does not fit a float.
AIErr BuildClickFromPlotwise2(const dimensioned_object_data& legacy, Plotwise3_dimensioned_object_data* click);
