// Grids and rulers on their own layers.
#include "axonometric/GuideLayers.h"

#include <algorithm>
#include <cmath>
#include <string>
#include <utility>

#include "axonometric/AxonometricGlobals.h"
#include "axonometric/AxonometricGrids.h"
#include "core/PlotwiseDictionary.h"
#include "core/PlotwiseSelection.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "geometry/PointMath.h"
#include "geometry/UnitFormat.h"
#include "artwork/DrawingLayer.h"
#include "artwork/PointText.h"
#include "units/LayerScales.h"
#include "units/ScaleTable.h"

namespace {

constexpr GlobalsView<AxonometricGlobals> g;

// Sizes on screen, in pixels: the guides look the same at every zoom.
constexpr AIReal kMajorGridPixels = 1.0f, kMinorGridPixels = 0.5f;
constexpr AIReal kRulerLinePixels = 0.5f;
constexpr AIReal kMajorTickPixels = 10, kHalfTickPixels = 7, kMinorTickPixels = 4;
constexpr AIReal kRulerLabelPixels = 8, kRulerLabelGapPixels = 2;
constexpr AIReal kRulerLabelLiftPixels = 2;  // a label's baseline above its foot: room for descenders

// The line types of the guides panel's popup (entry identifiers): solid, dashed, dotted;
// dash lengths in pixels.
struct GridLineType {
    int32_t entry;
    int16_t dashes;
    AIReal dash[2];
};
constexpr GridLineType kGridLineTypes[] = {
    {1, 0, {0, 0}},
    {2, 2, {4, 2}},
    {3, 2, {1, 2}},
};

bool DocumentIsOpen() {
    int32_t layers = 0;
    return sAILayer->CountLayers(&layers) == kNoErr;
}

bool RulersWanted() { return g->prefs.DERurureLayerVisible && g->prefs.DERurureLayerExists; }

// Points per screen pixel at the zoom of view 0 (1 without a view).
AIReal PixelSize() {
    AIDocumentViewHandle view = nullptr;
    AIReal zoom = 1;
    if (sAIDocumentView->GetNthDocumentView(0, &view) || sAIDocumentView->GetDocumentViewZoom(view, &zoom)) return 1;
    return zoom > 0 && std::isfinite(zoom) ? 1 / zoom : 1;
}

AIErr FindLayer(const char* title, AILayerHandle* layer) {
    *layer = nullptr;
    const AIErr err = sAILayer->GetLayerByTitle(layer, title);
    if (err == kNoDocumentErr || err == kNoSuchKey) return kNoErr;
    return err;
}

AIErr Dispose(AILayerHandle& layer, const char* title) {
    if (AIErr err = FindLayer(title, &layer)) return err;
    if (!layer) return kNoErr;
    const AIErr err = sAILayer->DeleteLayer(layer);
    layer = nullptr;
    return err;
}

// A new, empty guide layer at the top or bottom of the list, drawable until Lock; the
// current layer stays the user's.
AIErr NewGuideLayer(const char* title, int16_t where, AILayerHandle& layer) {
    AILayerHandle current = nullptr;
    if (AIErr err = sAILayer->GetCurrentLayer(&current)) return err;
    if (AIErr err = sAILayer->InsertLayer(nullptr, where, &layer)) return err;
    AIErr err = sAILayer->SetLayerTitle(layer, title);
    if (!err) err = sAILayer->SetLayerVisible(layer, true);
    if (!err) err = sAILayer->SetLayerPrinted(layer, false);
    if (!err) err = sAILayer->SetLayerEditable(layer, true);
    if (!err) {
        char label[kScaleLabelSize] = {};
        getScaleTableLabel(kOneToOneScaleID, label, sizeof label);
        err = setSingleLayerScale(layer, kOneToOneScaleID, 1.0f, label);
    }
    if (current) {
        const AIErr restored = sAILayer->SetCurrentLayer(current);
        if (!err) err = restored;
    }
    return err;
}

AIErr Lock(AILayerHandle layer) { return sAILayer->SetLayerEditable(layer, false); }

AIErr NewLine(AIArtHandle group, const AIPathStyle& style, AIRealPoint from, AIRealPoint to) {
    AIArtHandle path = nullptr;
    if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &path)) return err;
    if (AIErr err = sAIPathStyle->SetPathStyle(path, &style)) return err;
    const AIPathSegment segments[2] = {CornerAnchor(from), CornerAnchor(to)};
    if (AIErr err = sAIPath->SetPathSegmentCount(path, 2)) return err;
    return sAIPath->SetPathSegments(path, 0, 2, segments);
}

AIPathStyle StrokeStyle(const AIColor& color, AIReal width) {
    AIPathStyle style{};
    style.fillPaint = false;
    style.fill.color.kind = kNoneColor;
    style.strokePaint = true;
    style.stroke.color = color;
    style.stroke.width = width;
    style.stroke.cap = kAIButtCap;
    style.stroke.join = kAIMiterJoin;
    style.stroke.miterLimit = 4;
    return style;
}

AIColor GridColor() {
    auto component = [](int32_t c) { return static_cast<AIReal>(std::clamp<int32_t>(c, 0, 65535)) / 65535.0f; };
    AIColor color{};
    color.kind = kThreeColor;
    color.c.rgb = {component(g->prefs.gridColorRed), component(g->prefs.gridColorGreen),
                   component(g->prefs.gridColorBlue)};
    return color;
}

AIPathStyle GridStyle(bool major, AIReal pixel) {
    AIPathStyle style = StrokeStyle(GridColor(), (major ? kMajorGridPixels : kMinorGridPixels) * pixel);
    for (const GridLineType& type : kGridLineTypes) {
        if (type.entry != g->prefs.GridlineEntry) continue;
        style.stroke.dash.length = type.dashes;
        for (int16_t i = 0; i < type.dashes; ++i) style.stroke.dash.array[i] = type.dash[i] * pixel;
    }
    return style;
}

// A new guide layer drawn by `draw` into its group, then locked (also when drawing failed
// half way: the user must not edit guides by hand).
template <typename Draw>
AIErr DrawGuideLayer(const char* title, int16_t where, AILayerHandle& layer, Draw draw) {
    if (AIErr err = NewGuideLayer(title, where, layer)) return err;
    AIArtHandle group = nullptr;
    AIErr err = sAIArt->GetFirstArtOfLayer(layer, &group);
    if (!err) err = draw(group);
    const AIErr locked = Lock(layer);
    return err ? err : locked;
}

AIErr DrawAxonometricGrids() {
    if (AIErr err = SetGridSpacingAndSubdivisions()) return err;
    return DrawGuideLayer(kGridsLayerTitle, kPlaceBelowAll, g->gridsLayer, [](AIArtHandle group) -> AIErr {
        AIRealRect page{};
        GetPageRect(&page);
        const AIReal pixel = PixelSize();
        const AIPathStyle major = GridStyle(true, pixel), minor = GridStyle(false, pixel);
        for (const GuideLine& line : GridLinesInRect(page, ShownGridLines(), kGridOrigin, g->prefs.gridNumSubdivisions))
            if (AIErr err = NewLine(group, line.major ? major : minor, line.from, line.to)) return err;
        return kNoErr;
    });
}

// --- rulers ---

// The ruler's font, as dimension texts find theirs; the host's default without that service.
ATE::FontRef RulerFont() {
    AIFontKey key = nullptr;
    AIErr err = kNoErr;
    if (auto find = PlotwiseService().getFontKeyFromFaceStr)
        err = find(g->prefs.rulerFontStr, &key);
    else
        err = sAIFont->GetDefaultFont(kRomanAIScript, &key);
    ATE::FontRef font = nullptr;
    if (!err && key) (void)sAIFont->FontFromFontKey(key, &font);
    return font;
}

// The text of the ruler at a distance from the origin, in the ruler units, precision and
// number format, at the ruler scale.
std::string RulerLabel(AIReal at) {
    MeasureFormat format;
    format.units = g->prefs.rulerUnits;
    format.precision = g->prefs.rulerPrecision;
    format.labels = g->prefs.appendRulerUnits ? UnitLabelMode::label : UnitLabelMode::noLabel;
    format.number.numberFormat = g->prefs.numberFormat;
    format.number.thousands = g->prefs.useThousandsSeparator != 0;
    format.pixelsPerInch = g->prefs.pixelsperinch;
    char text[256] = {};
    formatMeasure(double(at) * g->rulerScaler, format, text, sizeof text);
    return text;
}

AIReal TickLength(RulerTick::Kind kind) {
    switch (kind) {
        case RulerTick::kMajor: return kMajorTickPixels;
        case RulerTick::kHalf: return kHalfTickPixels;
        case RulerTick::kMinor: break;
    }
    return kMinorTickPixels;
}

// The ruler's tick spacing: the grid rule applied to real lengths at the ruler scale, so
// that the labels fall on round values of the ruler unit.
void RulerSpacing(AIReal pixel, double* increment, int32_t* subdivisions) {
    const double scaler = g->rulerScaler > 0 && std::isfinite(g->rulerScaler) ? g->rulerScaler : 1.0;
    double spacing = 0, parts = 1;
    ChooseGridSpacing(g->prefs.rulerUnits, 1.0 / (pixel * scaler), g->prefs.pixelsperinch, &spacing, &parts);
    *increment = spacing / parts / scaler;
    *subdivisions = std::max<int32_t>(static_cast<int32_t>(std::trunc(parts)), 1);
}

// Along the top edge of the page, ticks rising from it and labels right of the major ones;
// along the left edge, ticks going left and labels ending left of the major ones.
AIErr DrawRulerArt(AIArtHandle group) {
    AIRealRect page{};
    GetPageRect(&page);
    const AIReal px = PixelSize();
    AIColor black{};
    black.kind = kGrayColor;
    black.c.g.gray = 1;
    const AIPathStyle ink = StrokeStyle(black, kRulerLinePixels * px);
    const ATE::FontRef font = RulerFont();
    // Labels of the top ruler start right of their tick; those of the left one end left of it.
    const PointTextLook across{font, kRulerLabelPixels * px}, down{font, kRulerLabelPixels * px, ATE::kRightJustify};
    double increment = 0;
    int32_t subdivisions = 1;
    RulerSpacing(px, &increment, &subdivisions);
    const AIReal inc = static_cast<AIReal>(increment);
    // A label stands clear of the shorter ticks beside it: beyond the half ticks' reach,
    // with the major tick it names running past its foot.
    const AIReal gap = kRulerLabelGapPixels * px, clear = (kHalfTickPixels + kRulerLabelGapPixels) * px;
    const AIReal lift = kRulerLabelLiftPixels * px;

    if (AIErr err = NewLine(group, ink, {page.left, page.top}, {page.right, page.top})) return err;
    for (const RulerTick& t : RulerTicks(page.left, page.right, inc, subdivisions)) {
        if (AIErr err = NewLine(group, ink, {t.at, page.top}, {t.at, page.top + TickLength(t.kind) * px})) return err;
        if (t.kind != RulerTick::kMajor) continue;
        const AIRealPoint at{t.at + gap, page.top + clear + lift};
        if (AIErr err = NewPointTextArt(group, RulerLabel(t.at), at, across)) return err;
    }
    if (AIErr err = NewLine(group, ink, {page.left, page.bottom}, {page.left, page.top})) return err;
    for (const RulerTick& t : RulerTicks(page.bottom, page.top, inc, subdivisions)) {
        if (AIErr err = NewLine(group, ink, {page.left, t.at}, {page.left - TickLength(t.kind) * px, t.at})) return err;
        if (t.kind != RulerTick::kMajor) continue;
        const AIRealPoint at{page.left - clear, t.at + gap + lift};
        if (AIErr err = NewPointTextArt(group, RulerLabel(t.at), at, down)) return err;
    }
    return kNoErr;
}

// The ruler layer's record of the scale its labels are drawn at: it goes back and forth with
// them under undo and redo.
constexpr const char* kRulerScalerKey = "ZA3_RulerScaler";

AIErr RulerRecord(DictRef& dict) {
    AIArtHandle group = nullptr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(g->rulerLayer, &group)) return err;
    return sAIArt->GetDictionary(group, dict.put());
}

AIErr DrawDERurure() {
    if (AIErr err = DrawGuideLayer(kRulerLayerTitle, kPlaceAboveAll, g->rulerLayer, &DrawRulerArt)) return err;
    DictRef dict;
    if (AIErr err = RulerRecord(dict)) return err;
    return sAIDictionary->SetRealEntry(dict.get(), sAIDictionary->Key(kRulerScalerKey), g->rulerScaler);
}

// The scale the layer the user draws on reads (the rulers store none).
bool CurrentLayerScale(int32_t* id, AIReal* scaler) {
    AILayerHandle layer = nullptr;
    if (sAILayer->GetCurrentLayer(&layer) || !layer) return false;
    char label[kScaleLabelSize] = {};
    return PeekZA3LayerScale(ScaleSourceLayer(layer), id, scaler, label) == kNoErr;
}

// The scale of the layer the user draws on becomes the rulers'.
void TakeRulerScaleFromCurrentLayer() {
    int32_t id = 0;
    AIReal scaler = 0;
    if (!CurrentLayerScale(&id, &scaler)) return;
    g->rulerScale = id;
    g->rulerScaler = scaler;
}

// Whether the ruler layer's labels are at the scale the current layer reads.
bool RulersAtCurrentScale() {
    int32_t id = 0;
    AIReal scaler = 0, drawn = 0;
    DictRef dict;
    return CurrentLayerScale(&id, &scaler) && RulerRecord(dict) == kNoErr &&
           sAIDictionary->GetRealEntry(dict.get(), sAIDictionary->Key(kRulerScalerKey), &drawn) == kNoErr &&
           drawn == scaler;
}

// Tags the selection (unless it is tagged already) and deselects all art: new guide art
// must not join it, and theTimer selects it again.
AIErr KeepSelection() {
    if (AIErr err = TagSelectedArt()) return err;
    return deselectAllArt();
}

}  // namespace

AIErr FindGuideLayers() {
    if (!g) return kBadParameterErr;
    if (AIErr err = FindLayer(kGridsLayerTitle, &g->gridsLayer)) return err;
    return FindLayer(kRulerLayerTitle, &g->rulerLayer);
}

bool IsGuideLayer(AILayerHandle layer) { return g && layer && (layer == g->gridsLayer || layer == g->rulerLayer); }

int AreGridsOn() {
    if (FindGuideLayers() == kNoErr && g->gridsLayer && g->prefs.CADgridVisible) return 1;
    (void)disposeAxonometricGrids();
    return 0;
}

int AreRulersOn() {
    if (FindGuideLayers() == kNoErr && g->rulerLayer && RulersWanted()) return 1;
    (void)disposeDERurure();
    return 0;
}

AIErr disposeAxonometricGrids() { return Dispose(g->gridsLayer, kGridsLayerTitle); }

AIErr disposeDERurure() { return Dispose(g->rulerLayer, kRulerLayerTitle); }

AIErr drawGridsAndRulers(int grids, int rulers) {
    if (!g || !DocumentIsOpen()) return kNoErr;
    const bool drawGrids = grids && g->prefs.CADgridVisible, drawRulers = rulers && RulersWanted();
    if (drawGrids || drawRulers)
        if (AIErr err = KeepSelection()) return err;
    if (grids) {
        if (AIErr err = disposeAxonometricGrids()) return err;
        if (drawGrids)
            if (AIErr err = DrawAxonometricGrids()) return err;
    }
    if (rulers) {
        if (AIErr err = disposeDERurure()) return err;
        if (drawRulers) {
            TakeRulerScaleFromCurrentLayer();
            if (AIErr err = DrawDERurure()) return err;
        }
    }
    return kNoErr;
}

AIErr RulersFollowCurrentLayer() {
    AILayerHandle layer = nullptr;
    if (!g || !DocumentIsOpen() || sAILayer->GetCurrentLayer(&layer) != kNoErr) return kNoErr;
    if (std::exchange(g->rulersFollowedLayer, layer) == layer) return kNoErr;
    if (AIErr err = FindGuideLayers()) return err;
    if (!g->rulerLayer || !RulersWanted() || RulersAtCurrentScale()) return kNoErr;
    return drawRulersOnly(1, 1);
}

AIErr drawRulersOnly(int redraw, int startTimer) {
    if (!g || !DocumentIsOpen() || !RulersWanted() || !redraw) return kNoErr;
    if (AIErr err = KeepSelection()) return err;
    if (startTimer && g->theTimer)
        if (AIErr err = sAITimer->SetTimerActive(g->theTimer, true)) return err;
    TakeRulerScaleFromCurrentLayer();
    if (AIErr err = disposeDERurure()) return err;
    return DrawDERurure();
}
