// The selected dimensions' styles compared field by field against the first.
#include "dimensions/StyleReadBack.h"

#include <cstring>

#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionRegeneration.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;
using D = Plotwise3_Live_Dimension_Data;

bool Same(const StyleField& f, const D& a, const D& b) {
    if (f.intField) return a.*f.intField == b.*f.intField;
    if (f.realField) return a.*f.realField == b.*f.realField;
    if (f.stringField) return std::strncmp(a.*f.stringField, b.*f.stringField, sizeof(a.*f.stringField)) == 0;
    return true;
}

// Texts are taken as they stand while the list is built for display.
class ReadingForPanels {
public:
    ReadingForPanels() { g->updatingPalettes = 1; }
    ~ReadingForPanels() { g->updatingPalettes = 0; }
    ReadingForPanels(const ReadingForPanels&) = delete;
    ReadingForPanels& operator=(const ReadingForPanels&) = delete;
};

}  // namespace

AIErr ReadSelectedDimensionStyles(live_attributes_map* map, Plotwise3_Live_Dimension_Data* reference) {
    if (!g || !map || !reference) return kBadParameterErr;
    InitStyleMap(map);
    const ReadingForPanels reading;
    // Each record compared with the first as it is read: thousands of selected dimensions
    // are never all held at once, nor read twice.
    const auto fields = StyleMapFields();
    constexpr const StyleField& format = StyleFieldOf<&D::dimensionFormat>();
    *reference = g->prefs.style;  // when nothing is selected
    bool first = true;
    const AIErr err = ForEachLiveDimensionStyle(kProcessSelectedArt, [&](const D& d) {
        if (first) *reference = d;
        first = false;
        for (size_t i = 0; i < fields.size(); ++i)
            if (map->entry[i] != kMapUnknown && !Same(*fields[i], d, *reference)) map->entry[i] = kMapUnknown;
        if (d.dimensionFormat == -1) map->setUnknown(format);
    });
    // Each record is given back after its visit: the copy keeps no link into it.
    reference->next = nullptr;
    reference->dimTextDataListPtr = nullptr;
    return err;
}
