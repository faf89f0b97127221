// Dimension paint. Components are stored as the host's 16.16 fixed-point value minus one;
// the custom colour's tint is stored as a percentage, the scale the preferences and
// presets keep it in (100 by default), and converted the same way in both directions.
#include "dimensions/DimensionPaint.h"

#include <algorithm>
#include <cmath>

#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "units/ColorComponents.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr AIReal kTintPercent = 100.0f;

AIReal hostTint(AIReal percent) {
    if (!std::isfinite(percent)) return 1.0f;
    return std::clamp(percent / kTintPercent, 0.0f, 1.0f);
}

// The swatch named by the preference, or null.
AICustomColorHandle swatchOfPreference() {
    if (!sAICustomColor) return nullptr;
    unsigned char pascal[256] = {};
    whyDoIAlwaysHaveToConvertCtoPStrings(g->prefs.customColorName, pascal, sizeof pascal);
    AICustomColorHandle swatch = nullptr;
    if (sAICustomColor->GetCustomColorByName(PStrToUStr(pascal), &swatch) != kNoErr) return nullptr;
    return swatch;
}

// The custom colour's own definition at its tint, for when its swatch is gone.
void customFallback(const Plotwise3_Live_Dimension_Data& s, AIReal tint, AIColor* color) {
    const AIReal c1 = ComponentToReal(s.dimensionColorComponent1), c2 = ComponentToReal(s.dimensionColorComponent2),
                 c3 = ComponentToReal(s.dimensionColorComponent3), c4 = ComponentToReal(s.dimensionColorComponent4);
    switch (s.dimensionCustomColorType) {
        case kCustomFourColor:
            color->kind = kFourColor;
            color->c.f = {c1 * tint, c2 * tint, c3 * tint, c4 * tint};
            break;
        case kCustomThreeColor: {
            const auto mix = [tint](AIReal v) { return 1.0f - (1.0f - v) * tint; };
            color->kind = kThreeColor;
            color->c.rgb = {mix(c1), mix(c2), mix(c3)};
            break;
        }
        default:
            color->kind = kGrayColor;
            color->c.g.gray = 1.0f;
            break;
    }
}

void readCustomColor(const AIColor* color, Plotwise3_Live_Dimension_Data& s) {
    s.dimensionCustomColorTint = color->c.c.tint * kTintPercent;
    if (!sAICustomColor) return;
    AICustomColor definition{};
    if (sAICustomColor->GetCustomColor(color->c.c.color, &definition) == kNoErr) {
        s.dimensionCustomColorType = definition.kind;
        if (definition.kind == kCustomFourColor) {
            s.dimensionColorComponent1 = RealToComponent(definition.c.f.cyan);
            s.dimensionColorComponent2 = RealToComponent(definition.c.f.magenta);
            s.dimensionColorComponent3 = RealToComponent(definition.c.f.yellow);
            s.dimensionColorComponent4 = RealToComponent(definition.c.f.black);
        } else if (definition.kind == kCustomThreeColor) {
            s.dimensionColorComponent1 = RealToComponent(definition.c.rgb.red);
            s.dimensionColorComponent2 = RealToComponent(definition.c.rgb.green);
            s.dimensionColorComponent3 = RealToComponent(definition.c.rgb.blue);
        }
    }
    ai::UnicodeString name;
    if (sAICustomColor->GetCustomColorName(color->c.c.color, name) == kNoErr)
        whyDoIAlwaysHaveToConvertPtoCStrings(UStrToPStr(name), g->prefs.customColorName, sizeof g->prefs.customColorName);
}

// What the three styles share: a solid, round-joined stroke in the dimension colour.
void strokeInDimensionColor(AIPathStyle& style, AIReal width) {
    style.strokePaint = true;
    style.stroke.join = kAIRoundJoin;
    style.stroke.dash.length = 0;
    style.stroke.overprint = false;
    style.fill.overprint = false;
    style.stroke.miterLimit = 1.0f;
    style.stroke.width = width;
    setColorToPrefColors(&style.stroke.color);
    setColorToPrefColors(&style.fill.color);
    style.stroke.cap = kAIButtCap;
}

}  // namespace

AIErr setPathAndArrowheadStyles() {
    if (!g || !sAIPathStyle) return kBadParameterErr;
    for (AIPathStyle* style : {&g->dimensionLineStyle, &g->arrowheadStyle, &g->witnessLineStyle})
        if (AIErr err = sAIPathStyle->GetCurrentPathStyle(style, nullptr, nullptr)) return err;
    const Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    for (auto [style, width] : {std::pair{&g->dimensionLineStyle, s.dimensionWeight},
                                std::pair{&g->witnessLineStyle, s.witnessWeight}}) {
        style->clip = false;
        style->fillPaint = false;
        strokeInDimensionColor(*style, width);
    }
    AIPathStyle& terminators = g->arrowheadStyle;
    terminators.clip = false;
    switch (s.arrowheadStyle) {
        case 1: case 2: case 5: terminators.fillPaint = true; break;
        case 3: case 4: case 6: case 7: case 8: terminators.fillPaint = false; break;
        default: break;  // the current path style's fill stays
    }
    strokeInDimensionColor(terminators, s.arrowheadWeight);
    return kNoErr;
}

void setColorToPrefColors(AIColor* color) {
    if (color == nullptr || !g) return;
    const Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    color->kind = static_cast<AIColorTag>(s.dimensionColorType);
    switch (s.dimensionColorType) {
        case kGrayColor: color->c.g.gray = ComponentToReal(s.dimensionColorComponent1); break;
        case kFourColor:
            color->c.f = {ComponentToReal(s.dimensionColorComponent1), ComponentToReal(s.dimensionColorComponent2),
                          ComponentToReal(s.dimensionColorComponent3), ComponentToReal(s.dimensionColorComponent4)};
            break;
        case kCustomColor: {
            const AIReal tint = hostTint(s.dimensionCustomColorTint);
            if (AICustomColorHandle swatch = swatchOfPreference()) {
                color->c.c.color = swatch;
                color->c.c.tint = tint;
            } else {
                customFallback(s, tint, color);
            }
            break;
        }
        case kThreeColor:
            color->c.rgb = {ComponentToReal(s.dimensionColorComponent1), ComponentToReal(s.dimensionColorComponent2),
                            ComponentToReal(s.dimensionColorComponent3)};
            break;
        default: break;
    }
}

void getPrefColorsFromColor(const AIColor* color) {
    if (color == nullptr || !g) return;
    Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    s.dimensionColorType = color->kind;
    switch (color->kind) {
        case kGrayColor: s.dimensionColorComponent1 = RealToComponent(color->c.g.gray); break;
        case kFourColor:
            s.dimensionColorComponent1 = RealToComponent(color->c.f.cyan);
            s.dimensionColorComponent2 = RealToComponent(color->c.f.magenta);
            s.dimensionColorComponent3 = RealToComponent(color->c.f.yellow);
            s.dimensionColorComponent4 = RealToComponent(color->c.f.black);
            break;
        case kCustomColor: readCustomColor(color, s); break;
        case kThreeColor:
            s.dimensionColorComponent1 = RealToComponent(color->c.rgb.red);
            s.dimensionColorComponent2 = RealToComponent(color->c.rgb.green);
            s.dimensionColorComponent3 = RealToComponent(color->c.rgb.blue);
            break;
        default: break;
    }
}
