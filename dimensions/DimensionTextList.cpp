// Text record lists of dimensions and labels. List nodes are host memory blocks of the
// record's size, owned by the list until it is freed.
#include "dimensions/DimensionTextList.h"

#include <cstdio>
#include <cstring>
#include <functional>

#include "IText.h"
#include "core/PlotwiseBlocks.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionGlobals.h"
#include "dimensions/DimensionStorage.h"
#include "geometry/PlotwiseErrors.h"
#include "artwork/LabelCounters.h"

namespace {

constexpr GlobalsView<DimensionGlobals> g;

constexpr int32_t kCustomFormat = 3;
constexpr int32_t kCalloutFormat = 4;

bool same(const char* a, const char* b) { return std::strncmp(a, b, sizeof(live_dimension_text_data::dimStr)) == 0; }

void setNumber(char (&out)[1024], int32_t value) { std::snprintf(out, sizeof out, "%d", static_cast<int>(value)); }

// After every node with an id not greater than the new one.
void insertById(live_dimension_text_data* node) {
    live_dimension_text_data** link = &g->firstDimTextPtr;
    while (*link && (*link)->id <= node->id) link = &(*link)->next;
    node->next = *link;
    *link = node;
}

// The format a text that is not custom is drawn in. A dimension whose texts differ (format
// -1, one of them retyped) has lost its own format: each text keeps the one it shows, its
// letter or its number, else the value.
int32_t generatedFormat(const live_dimension_text_data& r, int32_t format) {
    if (format >= 0) return format;
    char number[sizeof r.dimStr];
    setNumber(number, r.numeric);
    if (r.alpha >= 0 && same(GetAlphaLabelText(static_cast<int16_t>(r.alpha)).c_str(), r.dimStr)) return 1;
    if (r.numeric >= 0 && same(number, r.dimStr)) return 2;
    return 0;
}

// The text as it stands in the document wins: a retyped text becomes custom text.
AIErr takeDocumentText(AIArtHandle text, live_dimension_text_data& r, int32_t format) {
    char contents[sizeof r.dimStr] = {};
    if (AIErr err = GetStringFromTextObject(text, contents, sizeof contents)) return err;
    if (!same(contents, r.dimStr)) {
        CopyCString(r.dimStr, contents);
        CopyCString(r.customStr, contents);
    }
    r.dimensionFormat = same(r.dimStr, r.customStr) ? kCustomFormat : format;
    return kNoErr;
}

// The format wins: letters and numbers are written again from their counters.
void regenerateDimension(live_dimension_text_data& r, int32_t format) {
    if (same(r.dimStr, r.customStr)) {
        r.dimensionFormat = kCustomFormat;
        return;
    }
    r.dimensionFormat = format;
    switch (format) {
        case 1:
            if (r.alpha < 0) r.alpha = TakeCounter(g->prefs.incrementalDimAlpha);
            CopyCString(r.dimStr, GetAlphaLabelText(static_cast<int16_t>(r.alpha)).c_str());
            break;
        case 2:
            if (r.numeric < 0) r.numeric = TakeCounter(g->prefs.incrementalDimNumber);
            setNumber(r.dimStr, r.numeric);
            break;
        case kCalloutFormat: CopyCString(r.dimStr, r.calloutStr); break;
        default: break;
    }
}

void regenerateLabel(live_dimension_text_data& r, int32_t format) {
    if (format == 0) {
        if (r.alpha < 0) r.alpha = TakeCounter(g->prefs.incrementalLabelAlpha);
        CopyCString(r.dimStr, GetAlphaLabelText(static_cast<int16_t>(r.alpha)).c_str());
    } else if (format == 1) {
        if (r.numeric < 0) r.numeric = GetNextNumericLabelIncrement();
        CopyCString(r.dimStr, GetNumericLabelText(static_cast<int16_t>(r.numeric)).c_str());
    }
    r.dimensionFormat = format;
}

// Appends one blank within the field: switching back to the value format ends the text so.
void appendBlank(char (&text)[1024]) {
    const size_t n = ::strnlen(text, sizeof text - 1);
    if (n + 1 < sizeof text) {
        text[n] = ' ';
        text[n + 1] = '\0';
    }
}

}  // namespace

AIErr ForEachDimensionText(AIArtHandle art, bool withLegacy, const std::function<AIErr(AIArtHandle, int16_t)>& visit) {
    for (AIArtHandle a = art; a != nullptr;) {
        int16_t type = kUnknownArt;
        if (AIErr err = sAIArt->GetArtType(a, &type)) return err;
        if (type == kGroupArt) {
            AIArtHandle child = nullptr;
            if (AIErr err = sAIArt->GetArtFirstChild(a, &child)) return err;
            if (AIErr err = ForEachDimensionText(child, withLegacy, visit)) return err;
        } else if (type == kTextFrameArt || (withLegacy && type == kLegacyTextArt)) {
            if (AIErr err = visit(a, type)) return err;
        }
        AIArtHandle next = nullptr;
        if (AIErr err = sAIArt->GetArtSibling(a, &next)) return err;
        a = next;
    }
    return kNoErr;
}

AIErr GetStringFromTextObject(AIArtHandle text, char* out, size_t size) {
    if (out == nullptr || size == 0) return kBadParameterErr;
    out[0] = '\0';
    if (!sAITextFrame) return kCADErr;
    ATE::TextRangeRef ref = nullptr;
    if (AIErr err = sAITextFrame->GetATETextRange(text, &ref)) return err;
    const ATE::ITextRange range(ref);
    range.GetContents(out, static_cast<ai_int32>(size > 1024 ? 1024 : size));
    return kNoErr;
}

AIErr CreateDimensionTextLinkedList(AIArtHandle art, int32_t precedence, int32_t* format, int isLabel) {
    if (!g || format == nullptr || !sAIArt || !sAIBlock) return kCADErr;
    // A text without its record (or with one emptied) could be a value, a number or text the
    // user typed: read as the record's defaults it would be drawn blank or take another
    // number. The dimension or label is left to be kept as it is ('NOKY'), before any of its
    // records is written.
    if (AIErr err = ForEachDimensionText(art, false, [](AIArtHandle text, int16_t) {
            return HasDimensionTextData(text) ? kNoErr : kNoSuchKey;
        }))
        return err;
    // Every text of a dimension is judged against the dimension's own format, not against
    // one that an earlier text of the walk made mixed.
    const int32_t dimensionFormat = *format;
    return ForEachDimensionText(art, true, [&](AIArtHandle text, int16_t type) -> AIErr {
        live_dimension_text_data* record = nullptr;
        if (AIErr err = NewBlock(&record)) return err;
        AIErr err = GetDimensionTextData(text, record);
        if (!err) {
            const int32_t own = isLabel ? *format : generatedFormat(*record, dimensionFormat);
            if (precedence == 1 && type != kLegacyTextArt) err = takeDocumentText(text, *record, own);
            else if (isLabel == 0) regenerateDimension(*record, own);
            else regenerateLabel(*record, own);
        }
        if (err) {
            sAIBlock->DisposeBlock(record);
            return err;
        }
        if (record->dimensionFormat != *format) *format = isLabel ? record->dimensionFormat : -1;
        // The list alone carries what was read: a redraw stores it with the new texts, and a
        // dimension read for a panel or kept as it is keeps its records.
        record->next = nullptr;
        insertById(record);
        return kNoErr;
    });
}

AIErr FreeDimensionTextLinkedList(live_dimension_text_data* list) {
    const AIErr err = DisposeBlockList(list, &live_dimension_text_data::next);
    if (g) g->firstDimTextPtr = nullptr;
    return err;
}

AIErr SetAlphaNumericDimTextData(AIArtHandle art, int32_t format, int32_t base, int isLabel) {
    if (!g || !sAIArt) return kCADErr;
    return ForEachDimensionText(art, false, [&](AIArtHandle text, int16_t) -> AIErr {
        live_dimension_text_data r{};
        if (AIErr err = GetDimensionTextData(text, &r)) return err;
        const int32_t alphaFormat = isLabel ? 0 : 1, numberFormat = isLabel ? 1 : 2, valueFormat = isLabel ? 2 : 0;
        if (format == alphaFormat) {
            if (r.alpha < 0) {
                r.alpha = CounterPlus(base, r.id);
                TakeCounter(isLabel ? g->prefs.incrementalLabelAlpha : g->prefs.incrementalDimAlpha);
            }
            CopyCString(r.dimStr, GetAlphaLabelText(static_cast<int16_t>(r.alpha)).c_str());
        } else if (format == numberFormat) {
            if (r.numeric < 0) {
                r.numeric = CounterPlus(base, r.id);
                if (isLabel) GetNextNumericLabelIncrement();
                else TakeCounter(g->prefs.incrementalDimNumber);
            }
            if (isLabel) CopyCString(r.dimStr, GetNumericLabelText(static_cast<int16_t>(r.numeric)).c_str());
            else setNumber(r.dimStr, r.numeric);
        } else if (format == valueFormat) {
            appendBlank(r.dimStr);
        }
        return SetDimensionTextData(text, &r);
    });
}
