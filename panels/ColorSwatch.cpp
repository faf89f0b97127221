// The swatch drawn into its item's drawer.
#include "panels/ColorSwatch.h"

#include "core/PlotwiseSuites.h"
#include "units/NumericFields.h"

void DrawColorSwatch(ADMDrawerRef drawer, const ADMRGBColor* color) {
    if (!sADMDrawer) return;
    ADMRect rect{};
    if (sADMDrawer->GetBoundsRect(drawer, &rect)) return;
    insetASRect(&rect, 1);
    sADMDrawer->SetADMColor(drawer, kADMBlackColor);
    sADMDrawer->DrawRect(drawer, &rect);
    insetASRect(&rect, 1);
    if (color)
        sADMDrawer->SetRGBColor(drawer, color);
    else
        sADMDrawer->SetADMColor(drawer, kADMBackgroundColor);
    sADMDrawer->FillRect(drawer, &rect);
}
