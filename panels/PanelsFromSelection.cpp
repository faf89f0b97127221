// The refresh from the selection: one reading of the selected dimensions' styles, shown by
// every panel whose frame follows the selection.
#include "panels/PanelsFromSelection.h"

#include <algorithm>
#include <vector>

#include "dimensions/StyleReadBack.h"
#include "panels/PanelFrame.h"

AIErr UpdatePalettesFromSelectedArt() {
    std::vector<const PanelFrame*> followers = PanelFrames();
    std::erase_if(followers, [](const PanelFrame* f) { return !f->followSelection; });
    const auto missing = [](const PanelFrame* f) { return !f->row->window(); };
    if (followers.empty() || std::any_of(followers.begin(), followers.end(), missing)) return kNoErr;
    live_attributes_map map;
    Plotwise3_Live_Dimension_Data reference{};
    if (AIErr err = ReadSelectedDimensionStyles(&map, &reference)) return err;
    for (const PanelFrame* f : followers) f->followSelection(f->row->window(), map, reference);
    return kNoErr;
}
