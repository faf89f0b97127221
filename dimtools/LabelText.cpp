// Label texts: letters, numbers and custom texts of the label being drawn, and geometric
// texts from the tracker's geometry read-out.
#include "dimtools/LabelText.h"

#include <string>

#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "dimensions/ClickChain.h"
#include "dimtools/DimToolGlobals.h"
#include "geometry/PlaneGeometry.h"
#include "artwork/LabelCounters.h"
#include "units/PlotwiseUnits.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr int32_t kWidthCaption = 27, kHeightCaption = 28, kAreaCaption = 31, kPerimeterCaption = 32;
constexpr int32_t kSquareWord = 33, kNoDataCaption = 38;
constexpr size_t kLabelTextSize = 1024;

std::string word(int32_t index) {
    char text[512] = {};
    GetPlotwiseString(kWordList, index, text, sizeof text);
    return text;
}

// One entry of the list: where its value and its float error live, whether the style lists
// it, its caption (a literal, or a word of list 17400) and its power (2 for the area).
struct GeometryEntry {
    double DimToolGlobals::*value;
    double DimToolGlobals::*error;
    int32_t Plotwise3_Live_Dimension_Data::*flag;
    const char* literal;
    int32_t caption;
    int32_t power;
};

using G = DimToolGlobals;
using Flags = Plotwise3_Live_Dimension_Data;
constexpr GeometryEntry kEntries[] = {
    {&G::geometryX, &G::geometryErrorX, &Flags::geoLabelX, "X: ", 0, 1},
    {&G::geometryY, &G::geometryErrorY, &Flags::geoLabelY, "Y: ", 0, 1},
    {&G::geometryW, &G::geometryErrorW, &Flags::geoLabelW, nullptr, kWidthCaption, 1},
    {&G::geometryH, &G::geometryErrorH, &Flags::geoLabelH, nullptr, kHeightCaption, 1},
    {&G::geometryP, &G::geometryErrorL, &Flags::geoLabelP, nullptr, kPerimeterCaption, 1},
    {&G::geometryA, nullptr, &Flags::geoLabelA, nullptr, kAreaCaption, 2},
};

std::string geometricText() {
    bool anyKnown = false;
    for (const GeometryEntry& e : kEntries) anyKnown = anyKnown || (*g).*e.value != kMissingValue;
    if (!anyKnown) return word(kNoDataCaption);
    const Plotwise3_Live_Dimension_Data& style = g->prefs.style;
    std::string text;
    for (const GeometryEntry& e : kEntries) {
        const double value = (*g).*e.value;
        if (value == kMissingValue || style.*e.flag == 0) continue;
        char number[256] = {};
        doScaleAndUnits(0, value, number, e.power, static_cast<int16_t>(style.upperUnits),
                        static_cast<int16_t>(style.upperDecimalPrecision), e.error ? (*g).*e.error : 0.0);
        text += e.literal ? e.literal : word(e.caption);
        text += number;
        if (e.power == 2) text += " " + word(kSquareWord);
        text += "  ";
    }
    return text;
}

}  // namespace

void getLabelData() {}

void GetGeometricLabelText(char* text, size_t size, AIArtHandle targetArt) {
    if (text == nullptr || size == 0) return;
    text[0] = '\0';
    if (!g) return;
    if (targetArt != nullptr)
        if (auto update = PlotwiseService().updateTrackerWindowFromSelectedArt) update(targetArt);
    CopyCString(text, size < kLabelTextSize ? size : kLabelTextSize, geometricText().c_str());
    // Read once: the next label lists art it measures itself, never this art's values.
    for (const GeometryEntry& e : kEntries) {
        (*g).*e.value = kMissingValue;
        if (e.error) (*g).*e.error = 0;
    }
    if (g->updatingDimensions == 0)
        if (auto refresh = PlotwiseService().updateLabelIncrementFld) refresh();
}

void GetLabelText(int32_t dimensionFormat, char* text, AIArtHandle targetArt, size_t size) {
    if (text == nullptr || size == 0) return;
    text[0] = '\0';
    if (!g) return;
    const size_t bound = size < kLabelTextSize ? size : kLabelTextSize;
    if (dimensionFormat == 2) {
        GetGeometricLabelText(text, bound, targetArt);  // refreshes the panel field itself
        return;
    }
    // Without a chain the counters are read, not moved.
    live_dimension_text_data none{};
    none.alpha = g->prefs.incrementalLabelAlpha;
    none.numeric = static_cast<int16_t>(g->prefs.incrementalLabelNumber);
    cdDataStruct* node = g->firstChainDimDataPtr;
    live_dimension_text_data& record = node ? node->textData : none;
    switch (dimensionFormat) {
        case 0:
            if (record.alpha < 0) record.alpha = TakeCounter(g->prefs.incrementalLabelAlpha);
            CopyCString(text, bound, GetAlphaLabelText(static_cast<int16_t>(record.alpha)).c_str());
            break;
        case 1:
            if (record.numeric < 0) record.numeric = GetNextNumericLabelIncrement();
            CopyCString(text, bound, GetNumericLabelText(static_cast<int16_t>(record.numeric)).c_str());
            break;
        case 3: CopyCString(text, bound, record.customStr); break;
        default: break;
    }
    if (g->updatingDimensions == 0)
        if (auto refresh = PlotwiseService().updateLabelIncrementFld) refresh();
}
