// The common style of the selected live dimensions, as the panels show it: one reference
// style and, per field of the known/mixed map, whether every selected dimension agrees.
#pragma once

#include "AITypes.h"
#include "core/PlotwiseDimensionData.h"
#include "dimensions/StylePush.h"

// With no live dimension selected the reference is the current style and every entry is
// known. Otherwise the reference is the first selected dimension's style, and an entry is
// mixed where any other differs (exact comparison; strings byte by byte); the dimension
// format is mixed too where a dimension's texts are in different formats. The style list
// of the selected dimensions is left in place. A failed build of the list is returned.
AIErr ReadSelectedDimensionStyles(live_attributes_map* map, Plotwise3_Live_Dimension_Data* reference);
