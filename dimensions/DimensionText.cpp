// Dimension texts on the host's text engine. doText and the two measurements build the
// text by one routine; only justification, paint and placement differ. Every copy into a
// run (255 characters) or a record's text (1023) is bounded.
#include "dimensions/DimensionText.h"

#include <cmath>
#include <cstring>

#include "IText.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionStorage.h"
#include "geometry/PlotwiseErrors.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr size_t kRunSize = 255;
constexpr size_t kRecordTextSize = sizeof(live_dimension_text_data::dimStr) - 1;
constexpr int32_t kTransformObjectsAndChildren = 0x41;
constexpr AIReal kLeadingFactor = 1.2f;
constexpr AIReal kSuperscriptSize = 0.7f;
constexpr AIReal kSuperscriptShift = 0.2f;
constexpr char kCarriageReturn = '\r';

std::string bounded(std::string s) {
    if (s.size() > kRunSize) s.resize(kRunSize);
    return s;
}

// Cuts part at its first plus-minus sign; the sign and what follows go to tolerance.
void splitTolerance(std::string& part, std::string& tolerance, char sign) {
    const size_t at = part.find(sign);
    if (at == std::string::npos) return;
    tolerance = bounded(part.substr(at));
    part.erase(at);
}

ATE::ParagraphJustification justificationOf(AILineStyle alignment) {
    switch (alignment) {
        case 2: return ATE::kCenterJustify;
        case 3: return ATE::kRightJustify;
        case 4: return ATE::kFullJustifyLastLineLeft;
        case 5: return ATE::kFullJustifyLastLineFull;
        default: return ATE::kLeftJustify;  // 0, 1, and values the tools never pass
    }
}

// How far a text is taken beyond its runs and fonts.
struct TextMaking {
    bool justify = false;
    AILineStyle alignment = 0;
    bool paint = false;
    bool place = false;
    AIRealPoint location{};
    AIReal angle = 0;
};

// The three character feature sets of a dimension text.
struct DimensionFeatures {
    ATE::ICharFeatures main, upperTolerance, lowerTolerance;
};

AIErr fontFeatures(DimensionFeatures& f) {
    const Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    const AIReal size = s.dimensionTextSize;
    AIErr first = kNoErr;
    AIFontKey key = nullptr;
    ATE::FontRef font = nullptr;
    AIErr err = GetFontKeyFromDimensionTextFaceStr(s.dimensionTextFaceStr, &key);
    if (!err) err = sAIFont->FontFromFontKey(key, &font);
    if (err) first = err;
    const auto toleranceOf = [&](ATE::ICharFeatures& t, int32_t superscript) {
        t.SetFontSize(superscript ? kSuperscriptSize * size : size);
        t.SetBaselineShift(superscript ? kSuperscriptShift * size : 0.0f);
    };
    for (ATE::ICharFeatures* set : {&f.main, &f.upperTolerance, &f.lowerTolerance}) {
        if (font) set->SetFont(ATE::IFont(font));
        set->SetLeading(kLeadingFactor * size);
    }
    f.main.SetFontSize(size);
    f.main.SetBaselineShift(0.0f);
    toleranceOf(f.upperTolerance, s.upperToleranceSuperscript);
    toleranceOf(f.lowerTolerance, s.lowerToleranceSuperscript);
    return first;
}

AIErr paintFeatures(DimensionFeatures& f) {
    AIColor color{};
    setColorToPrefColors(&color);
    ATE::ApplicationPaintRef ref = nullptr;
    const AIErr err = sAIATEPaint->CreateATEApplicationPaint(&color, &ref);
    const ATE::IApplicationPaint paint(ref);
    for (ATE::ICharFeatures* set : {&f.main, &f.upperTolerance, &f.lowerTolerance}) {
        set->SetFill(true);
        if (!err) set->SetFillColor(paint);
        set->SetStroke(false);
    }
    return err;
}

// The runs in drawing order with their feature sets.
struct Piece {
    const std::string* text;
    const ATE::ICharFeatures* features;
};

void insertRuns(ATE::ITextRange& range, const std::vector<Piece>& pieces) {
    for (const Piece& p : pieces) {
        if (p.text->empty()) continue;
        range.InsertAfter(p.text->data(), static_cast<ai_int32>(p.text->size()));
        range.SetLocalCharFeatures(*p.features);
        range.SetStart(range.GetEnd());
    }
}

AIErr placeText(AIArtHandle text, AIRealPoint location, AIReal angle) {
    AIRealMatrix m{1, 0, 0, 1, 0, 0};
    sAIRealMath->AIRealMatrixSetRotate(&m, angle);
    m.tx = location.h;
    m.ty = location.v;
    return sAITransformArt->TransformArt(text, &m, 1.0f, kTransformObjectsAndChildren);
}

// What makeText got done.
struct Made {
    AIArtHandle text = nullptr;  // set as soon as the text exists
    bool filled = false;         // the runs were inserted
    bool placed = false;         // the placement transform succeeded
};

// Makes the text of runs (in the order given by pieces) into a new point text; the first
// error is returned (a failure to make the text or take its range stops at once).
AIErr makeText(const std::vector<Piece>& pieces, DimensionFeatures& features, int16_t paintOrder, AIArtHandle prep,
               const TextMaking& how, Made* made) {
    AIArtHandle* text = &made->text;
    *text = nullptr;
    if (AIErr err = sAITextFrame->NewPointText(paintOrder, prep, kHorizontalTextOrientation, {0, 0}, text)) {
        *text = nullptr;
        return err;
    }
    ATE::TextRangeRef ref = nullptr;
    if (AIErr err = sAITextFrame->GetATETextRange(*text, &ref)) return err;
    ATE::ITextRange range(ref);
    AIErr first = fontFeatures(features);
    if (how.paint)
        if (AIErr err = paintFeatures(features); err && !first) first = err;
    if (how.justify) {
        ATE::IParaFeatures para;
        para.SetJustification(justificationOf(how.alignment));
        range.SetLocalParaFeatures(para);
    }
    range.SetLocalCharFeatures(features.main);
    insertRuns(range, pieces);
    made->filled = true;
    if (how.place) {
        const AIErr placement = placeText(*text, how.location, how.angle);
        made->placed = placement == kNoErr;
        if (placement && !first) first = placement;
    }
    return first;
}

bool suitesReady() { return g && sAIArt && sAITextFrame && sAIFont && sAIATEPaint && sAIRealMath && sAITransformArt; }

// Whether a new text is to be selected for typing.
bool selectsNewText() {
    const Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    if (g->updatingDimensions || g->resizingDimension) return false;
    if (g->labelToolSelected) return s.labelFormat == 3 && s.customLabelMenuOption != 0;
    return s.dimensionFormat == 3;
}

void attachRecord(AIArtHandle text, const std::string& full, live_dimension_text_data* textData) {
    if (textData) {
        CopyCString(textData->dimStr, full.c_str());
        SetDimensionTextData(text, textData);
        return;
    }
    live_dimension_text_data fresh{};
    fresh.id = 0;
    fresh.alpha = -1;
    fresh.numeric = -1;
    CopyCString(fresh.customStr, g->prefs.customDimDefaultText);
    CopyCString(fresh.dimStr, full.c_str());
    SetDimensionTextData(text, &fresh);
}

// A measurement: the text made in the first art of saveLayer, outlined, measured and
// removed again, whatever failed.
AIErr measureText(const char* text, const TextMaking& how, AIRealRect* bounds) {
    if (bounds == nullptr || text == nullptr) return kBadParameterErr;
    if (!suitesReady()) return kCADErr;
    const DimensionTextRuns runs = SplitDimensionText(text);
    AIArtHandle first = nullptr;
    if (AIErr err = sAIArt->GetFirstArtOfLayer(g->saveLayer, &first)) return err;
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(first, &type)) return err;
    DimensionFeatures features;
    const std::vector<Piece> pieces = {{&runs.upperValue, &features.main},
                                       {&runs.upperTolerance, &features.upperTolerance},
                                       {&runs.lowerValue, &features.main},
                                       {&runs.lowerTolerance, &features.lowerTolerance}};
    Made made;
    AIErr err = makeText(pieces, features, type == kGroupArt ? kPlaceInsideOnTop : kPlaceAbove, first, how, &made);
    AIArtHandle temporary = made.text, outline = nullptr;
    if (!err) err = sAITextFrame->CreateOutline(temporary, &outline);
    AIRealRect measured{};
    if (!err) err = sAIArt->GetArtBounds(outline, &measured);
    if (temporary) {
        const AIErr disposed = sAIArt->DisposeArt(temporary);
        if (!err) err = disposed;
    }
    if (outline) {
        const AIErr disposed = sAIArt->DisposeArt(outline);
        if (!err) err = disposed;
    }
    if (err) return err;
    const AIReal t = static_cast<AIReal>(g->prefs.style.textSpacing) / 2.0f;
    *bounds = {measured.left - t, measured.top + t, measured.right + t, measured.bottom - t};
    return kNoErr;
}

}  // namespace

DimensionTextRuns SplitDimensionText(const char* text) {
    DimensionTextRuns runs;
    if (text == nullptr) return runs;
    std::string whole(text, ::strnlen(text, kRecordTextSize));
    const char sign = g ? g->plusMinusSymbol[0] : '\xB1';
    const size_t cr = whole.find(kCarriageReturn);
    std::string upper = whole.substr(0, cr);
    std::string lower = cr == std::string::npos ? std::string() : whole.substr(cr);
    if (sign != '\0') {
        splitTolerance(lower, runs.lowerTolerance, sign);
        splitTolerance(upper, runs.upperTolerance, sign);
    }
    runs.upperValue = bounded(std::move(upper));
    runs.lowerValue = bounded(std::move(lower));
    return runs;
}

AIErr doText(const char* text, AIRealPoint location, AILineStyle alignment, AIReal angle, AIArtHandle prep,
             live_dimension_text_data* textData) {
    if (text == nullptr) return kBadParameterErr;
    if (!suitesReady()) return kCADErr;
    const Plotwise3_Live_Dimension_Data& s = g->prefs.style;
    DimensionTextRuns runs = SplitDimensionText(text);
    // Reference dimensions in brackets; one closing bracket, after the tolerance if any.
    const std::string close = ")";
    const bool upperRef = s.upperRefDimension != 0;
    const bool lowerRef = s.lowerRefDimension != 0 && !runs.lowerValue.empty();
    if (upperRef) runs.upperValue = bounded("(" + runs.upperValue + (runs.upperTolerance.empty() ? ")" : ""));
    if (lowerRef)
        runs.lowerValue = bounded(std::string(1, kCarriageReturn) + "(" + runs.lowerValue.substr(1) +
                                  (runs.lowerTolerance.empty() ? ")" : ""));
    const std::string none;
    const bool upperClose = upperRef && !runs.upperTolerance.empty();
    const bool lowerClose = lowerRef && !runs.lowerTolerance.empty();

    DimensionFeatures features;
    const std::vector<Piece> pieces = {{&runs.upperValue, &features.main},
                                       {&runs.upperTolerance, &features.upperTolerance},
                                       {upperClose ? &close : &none, &features.main},
                                       {&runs.lowerValue, &features.main},
                                       {&runs.lowerTolerance, &features.lowerTolerance},
                                       {lowerClose ? &close : &none, &features.main}};
    TextMaking how;
    how.justify = how.paint = how.place = true;
    how.alignment = alignment;
    how.location = location;
    how.angle = angle;
    Made made;
    const AIErr err = makeText(pieces, features, prep ? kPlaceInsideOnTop : kPlaceAboveAll, prep, how, &made);
    if (!made.filled) return err;
    AIArtHandle art = made.text;
    if (selectsNewText()) {
        g->dimTextArt = art;
        if (sAITimer && g->selectTextTimer) sAITimer->SetTimerActive(g->selectTextTimer, true);
    }
    if (made.placed) {
        std::string full;
        for (const Piece& p : pieces) full += *p.text;
        if (full.size() > kRecordTextSize) full.resize(kRecordTextSize);
        attachRecord(art, full, textData);
    }
    return err;
}

AIErr GetTextArtRect(const char* text, AIRealRect* bounds) { return measureText(text, TextMaking{}, bounds); }

AIErr GetAbsoluteTextArtRect(const char* text, const AIRealPoint* location, AILineStyle alignment, AIReal angle,
                             AIRealRect* bounds) {
    if (location == nullptr) return kBadParameterErr;
    TextMaking how;
    how.justify = how.paint = how.place = true;
    how.alignment = alignment;
    how.location = *location;
    how.angle = angle;
    return measureText(text, how, bounds);
}
