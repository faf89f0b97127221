// The C function tables of the text engine: "ATE Text Suite", "AI Unicode String Suite",
// "AI Font Suite" and "AI ATE Paint Suite", each forwarding to the current TextEngine and
// validating every reference first.
#include <algorithm>
#include <cstring>

#include "text/Encoding.h"
#include "text/TextEngine.h"

namespace standin::text {
namespace {

using namespace ATE;

TextEngine* eng() { return TextEngine::current(); }

template <typename T>
T* obj(const void* ref) {
    TextEngine* e = eng();
    return e ? e->get<T>(ref) : nullptr;
}

AIErr missing(const void* ref) { return ref ? kStaleHandleErr : kBadParameterErr; }

// ---- references ----
AIErr AddRef(const void* ref) { return eng() ? eng()->addRef(ref) : kStaleHandleErr; }
AIErr Release(const void* ref) { return eng() ? eng()->release(ref) : kStaleHandleErr; }

// ---- ranges ----
// Looks the range up and makes sure its text still exists.
AIErr liveRange(TextRangeRef ref, TextEngine::RangeObj*& r, const Story*& story) {
    r = obj<TextEngine::RangeObj>(ref);
    if (!r) return missing(ref);
    story = eng()->rangeStory(*r);
    return story ? kNoErr : kStaleHandleErr;
}

AIErr Range_Clone(TextRangeRef ref, TextRangeRef* copy) {
    if (!copy) return kBadParameterErr;
    *copy = nullptr;
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    *copy = eng()->newRange(r->frame, r->start, r->end);
    return kNoErr;
}

// Answers one number read off a live range.
template <typename Read>
AIErr rangeNumber(TextRangeRef ref, ai_int32* v, Read read) {
    if (!v) return kBadParameterErr;
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    *v = read(*r);
    return kNoErr;
}
AIErr Range_GetStart(TextRangeRef ref, ai_int32* v) {
    return rangeNumber(ref, v, [](const TextEngine::RangeObj& r) { return r.start; });
}
AIErr Range_GetEnd(TextRangeRef ref, ai_int32* v) {
    return rangeNumber(ref, v, [](const TextEngine::RangeObj& r) { return r.end; });
}
AIErr Range_GetSize(TextRangeRef ref, ai_int32* v) {
    return rangeNumber(ref, v, [](const TextEngine::RangeObj& r) { return r.end - r.start; });
}
AIErr Range_SetStart(TextRangeRef ref, ai_int32 v) {
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    r->start = std::clamp(v, 0, storyLength(*s));
    r->end = std::max(r->end, r->start);
    r->pending.reset();
    return kNoErr;
}
AIErr Range_SetEnd(TextRangeRef ref, ai_int32 v) {
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    r->end = std::clamp(v, 0, storyLength(*s));
    r->start = std::min(r->start, r->end);
    r->pending.reset();
    return kNoErr;
}

AIErr Range_InsertAfter(TextRangeRef ref, const char* text, ai_int32 count) {
    if (!text || count < 0) return kBadParameterErr;
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    const std::string bytes(text, static_cast<size_t>(count));
    const int32_t at = r->end;
    const int32_t before = storyLength(*s);
    const std::optional<CharFeatureSet> pending = r->start == r->end ? r->pending : std::nullopt;
    const AIErr e = eng()->store().editStory(
        r->frame, [&](Story& story) { insertText(story, at, bytes, pending ? &*pending : nullptr); });
    if (e) return e;
    const Story* after = eng()->store().findStory(r->frame);
    r->end = at + (after ? storyLength(*after) - before : 0);
    r->pending.reset();
    return kNoErr;
}

AIErr Range_GetContents(TextRangeRef ref, char* out, ai_int32 capacity, ai_int32* written) {
    if (written) *written = 0;
    if (!out || capacity <= 0) return kBadParameterErr;
    out[0] = '\0';
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    const std::string bytes = storyBytes(*s, r->start, r->end);
    const size_t n = platformPrefixLength(bytes, static_cast<size_t>(capacity) - 1);
    std::memcpy(out, bytes.data(), n);
    out[n] = '\0';
    if (written) *written = static_cast<ai_int32>(n);
    return kNoErr;
}

AIErr Range_SetLocalCharFeatures(TextRangeRef ref, CharFeaturesRef fref) {
    const CharFeatureSet* f = obj<CharFeatureSet>(fref);
    if (!f) return missing(fref);
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    const CharFeatureSet set = *f;
    if (r->start == r->end && storyLength(*s) > 0) {
        // Kept for the next insertion at this point.
        if (!r->pending) r->pending = CharFeatureSet{};
        overlay(r->pending->values, set);
        r->pending->assigned |= set.assigned;
        return kNoErr;
    }
    const int32_t a = r->start, b = r->end;
    return eng()->store().editStory(r->frame, [&](Story& story) { applyCharFeatures(story, a, b, set); });
}

AIErr Range_SetLocalParaFeatures(TextRangeRef ref, ParaFeaturesRef fref) {
    const ParaFeatureSet* f = obj<ParaFeatureSet>(fref);
    if (!f) return missing(fref);
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    const ParaFeatureSet set = *f;
    return eng()->store().editStory(r->frame, [&](Story& story) { applyParaFeatures(story, set); });
}

AIErr Range_GetUniqueCharFeatures(TextRangeRef ref, CharFeaturesRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    CharFeatureSet set = uniqueCharFeatures(*s, r->start, r->end);
    if (r->start == r->end && r->pending) overlay(set.values, *r->pending);
    *out = eng()->add<CharFeaturesRef>(set);
    return kNoErr;
}

AIErr Range_GetUniqueParaFeatures(TextRangeRef ref, ParaFeaturesRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    *out = eng()->add<ParaFeaturesRef>(ParaFeatureSet{s->para, kAllParaBits});
    return kNoErr;
}

AIErr Range_Select(TextRangeRef ref, ASBoolean addToSelection) {
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    eng()->select({r->frame, r->start, r->end}, addToSelection != 0);
    return kNoErr;
}

AIErr Range_GetStory(TextRangeRef ref, StoryRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    TextEngine::RangeObj* r;
    const Story* s;
    if (AIErr e = liveRange(ref, r, s)) return e;
    *out = eng()->add<StoryRef>(TextEngine::StoryObj{r->frame});
    return kNoErr;
}

// ---- stories ----
AIErr liveStory(StoryRef ref, TextEngine::StoryObj*& s) {
    s = obj<TextEngine::StoryObj>(ref);
    if (!s) return missing(ref);
    return eng()->store().findStory(s->frame) ? kNoErr : kStaleHandleErr;
}

AIErr Story_GetTextRange(StoryRef ref, TextRangeRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    TextEngine::StoryObj* s;
    if (AIErr e = liveStory(ref, s)) return e;
    *out = eng()->newRange(s->frame, 0, storyLength(*eng()->store().findStory(s->frame)));
    return kNoErr;
}

AIErr Story_GetStories(StoryRef ref, StoriesRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    TextEngine::StoryObj* s;
    if (AIErr e = liveStory(ref, s)) return e;
    *out = eng()->add<StoriesRef>(TextEngine::StoriesObj{});
    return kNoErr;
}

AIErr Story_GetKern(StoryRef ref, TextRangeRef range, ai_int32* kern) {
    if (!kern) return kBadParameterErr;
    *kern = 0;
    TextEngine::StoryObj* s;
    if (AIErr e = liveStory(ref, s)) return e;
    TextEngine::RangeObj* r;
    const Story* story;
    return liveRange(range, r, story);
}

AIErr Story_IsEqual(StoryRef a, StoryRef b, ASBoolean* equal) {
    if (!equal) return kBadParameterErr;
    *equal = false;
    const auto* sa = obj<TextEngine::StoryObj>(a);
    const auto* sb = obj<TextEngine::StoryObj>(b);
    if (!sa) return missing(a);
    if (!sb) return missing(b);
    *equal = sa->frame == sb->frame;
    return kNoErr;
}

AIErr Stories_SetFocus(StoriesRef ref, StoryRef story) {
    if (!obj<TextEngine::StoriesObj>(ref)) return missing(ref);
    TextEngine::StoryObj* s;
    if (AIErr e = liveStory(story, s)) return e;
    eng()->setFocus(s->frame);
    return kNoErr;
}

AIErr Stories_LoseFocus(StoriesRef ref) {
    if (!obj<TextEngine::StoriesObj>(ref)) return missing(ref);
    eng()->setFocus(nullptr);
    return kNoErr;
}

AIErr Stories_GetFocus(StoriesRef ref, StoryRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    if (!obj<TextEngine::StoriesObj>(ref)) return missing(ref);
    eng()->dropStale();
    if (AIArtHandle f = eng()->focusStory()) *out = eng()->add<StoryRef>(TextEngine::StoryObj{f});
    return kNoErr;
}

// ---- character features ----
enum class Kind { Real, Int, Bool, Paint, None };

Kind charKind(ai_int32 field) {
    if (field >= kCharFontSize && field <= kCharLineDashOffset) return Kind::Real;
    if (field >= kCharTracking && field <= kCharLineJoin) return Kind::Int;
    if (field == kCharFill || field == kCharStroke) return Kind::Bool;
    if (field == kCharFillColor || field == kCharStrokeColor) return Kind::Paint;
    return Kind::None;
}

AIReal* realField(CharFeatures& f, ai_int32 field) {
    switch (field) {
        case kCharFontSize: return &f.size;
        case kCharLeading: return &f.leading;
        case kCharBaselineShift: return &f.baselineShift;
        case kCharHorizontalScale: return &f.horizontalScale;
        case kCharVerticalScale: return &f.verticalScale;
        case kCharLineWidth: return &f.lineWidth;
        case kCharMiterLimit: return &f.miterLimit;
        case kCharLineDashOffset: return &f.lineDashOffset;
        default: return nullptr;
    }
}

AIErr charField(CharFeaturesRef ref, ai_int32 field, Kind kind, CharFeatureSet*& set) {
    set = obj<CharFeatureSet>(ref);
    if (!set) return missing(ref);
    return charKind(field) == kind ? kNoErr : kBadParameterErr;
}

AIErr CharFeatures_New(CharFeaturesRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    if (!eng()) return kStaleHandleErr;
    *out = eng()->add<CharFeaturesRef>(CharFeatureSet{});
    return kNoErr;
}

AIErr CharFeatures_Clone(CharFeaturesRef ref, CharFeaturesRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    const CharFeatureSet* set = obj<CharFeatureSet>(ref);
    if (!set) return missing(ref);
    *out = eng()->add<CharFeaturesRef>(*set);
    return kNoErr;
}

AIErr CharFeatures_GetReal(CharFeaturesRef ref, ai_int32 field, AIReal* v, ASBoolean* a) {
    CharFeatureSet* set;
    if (!v) return kBadParameterErr;
    if (AIErr e = charField(ref, field, Kind::Real, set)) return e;
    *v = *realField(set->values, field);
    if (a) *a = (set->assigned >> field) & 1u;
    return kNoErr;
}

AIErr CharFeatures_SetReal(CharFeaturesRef ref, ai_int32 field, AIReal v) {
    CharFeatureSet* set;
    if (AIErr e = charField(ref, field, Kind::Real, set)) return e;
    *realField(set->values, field) = v;
    set->assigned |= 1u << field;
    return kNoErr;
}

AIErr CharFeatures_GetInt(CharFeaturesRef ref, ai_int32 field, ai_int32* v, ASBoolean* a) {
    CharFeatureSet* set;
    if (!v) return kBadParameterErr;
    if (AIErr e = charField(ref, field, Kind::Int, set)) return e;
    const CharFeatures& f = set->values;
    *v = field == kCharTracking ? static_cast<ai_int32>(f.tracking) : field == kCharLineCap ? f.lineCap : f.lineJoin;
    if (a) *a = (set->assigned >> field) & 1u;
    return kNoErr;
}

AIErr CharFeatures_SetInt(CharFeaturesRef ref, ai_int32 field, ai_int32 v) {
    CharFeatureSet* set;
    if (AIErr e = charField(ref, field, Kind::Int, set)) return e;
    CharFeatures& f = set->values;
    if (field == kCharTracking) {
        f.tracking = static_cast<AIReal>(v);
    } else {
        if (v < 0 || v > 2) return kBadParameterErr;  // caps and joins are 0..2
        (field == kCharLineCap ? f.lineCap : f.lineJoin) = static_cast<int16_t>(v);
    }
    set->assigned |= 1u << field;
    return kNoErr;
}

AIErr CharFeatures_GetBool(CharFeaturesRef ref, ai_int32 field, ASBoolean* v, ASBoolean* a) {
    CharFeatureSet* set;
    if (!v) return kBadParameterErr;
    if (AIErr e = charField(ref, field, Kind::Bool, set)) return e;
    *v = field == kCharFill ? set->values.fill : set->values.stroke;
    if (a) *a = (set->assigned >> field) & 1u;
    return kNoErr;
}

AIErr CharFeatures_SetBool(CharFeaturesRef ref, ai_int32 field, ASBoolean v) {
    CharFeatureSet* set;
    if (AIErr e = charField(ref, field, Kind::Bool, set)) return e;
    (field == kCharFill ? set->values.fill : set->values.stroke) = v != 0;
    set->assigned |= 1u << field;
    return kNoErr;
}

AIErr CharFeatures_GetFont(CharFeaturesRef ref, FontRef* font, ASBoolean* a) {
    if (!font) return kBadParameterErr;
    *font = nullptr;
    CharFeatureSet* set = obj<CharFeatureSet>(ref);
    if (!set) return missing(ref);
    int32_t index = eng()->fonts().find(set->values.font);
    if (index < 0) index = eng()->fonts().defaultIndex();  // what the layout draws with
    if (index >= 0) *font = reinterpret_cast<FontRef>(TextEngine::fontKey(index));
    if (a) *a = (set->assigned & kFontBit) != 0;
    return kNoErr;
}

AIErr CharFeatures_SetFont(CharFeaturesRef ref, FontRef font) {
    CharFeatureSet* set = obj<CharFeatureSet>(ref);
    if (!set) return missing(ref);
    const int32_t index = eng()->fontIndex(font);
    if (index < 0) return kBadParameterErr;
    set->values.font = eng()->fonts().uiName(index);
    set->assigned |= kFontBit;
    return kNoErr;
}

AIErr CharFeatures_GetPaint(CharFeaturesRef ref, ai_int32 field, ApplicationPaintRef* paint, ASBoolean* a) {
    if (!paint) return kBadParameterErr;
    *paint = nullptr;
    CharFeatureSet* set;
    if (AIErr e = charField(ref, field, Kind::Paint, set)) return e;
    *paint = eng()->newPaint(field == kCharFillColor ? set->values.fillColor : set->values.strokeColor);
    if (a) *a = (set->assigned >> field) & 1u;
    return kNoErr;
}

AIErr CharFeatures_SetPaint(CharFeaturesRef ref, ai_int32 field, ApplicationPaintRef paint) {
    CharFeatureSet* set;
    if (AIErr e = charField(ref, field, Kind::Paint, set)) return e;
    const TextEngine::PaintObj* p = obj<TextEngine::PaintObj>(paint);
    if (!p) return missing(paint);
    (field == kCharFillColor ? set->values.fillColor : set->values.strokeColor) = p->color;
    set->assigned |= 1u << field;
    return kNoErr;
}

AIErr CharFeatures_GetDashArray(CharFeaturesRef ref, AIReal* values, ai_int32 capacity, ai_int32* count,
                                ASBoolean* a) {
    if (!count || capacity < 0 || (capacity > 0 && !values)) return kBadParameterErr;
    *count = 0;
    CharFeatureSet* set = obj<CharFeatureSet>(ref);
    if (!set) return missing(ref);
    const auto& dash = set->values.lineDashArray;
    *count = static_cast<ai_int32>(dash.size());
    std::copy_n(dash.begin(), std::min<size_t>(dash.size(), static_cast<size_t>(capacity)), values);
    if (a) *a = (set->assigned & kDashBit) != 0;
    return kNoErr;
}

AIErr CharFeatures_SetDashArray(CharFeaturesRef ref, const AIReal* values, ai_int32 count) {
    if (count < 0 || (count > 0 && !values)) return kBadParameterErr;
    CharFeatureSet* set = obj<CharFeatureSet>(ref);
    if (!set) return missing(ref);
    set->values.lineDashArray.assign(values, values + count);
    set->assigned |= kDashBit;
    return kNoErr;
}

// ---- paragraph features ----
AIReal* paraReal(ParaFeatures& p, ai_int32 field) {
    switch (field) {
        case kParaStartIndent: return &p.startIndent;
        case kParaEndIndent: return &p.endIndent;
        case kParaFirstLineIndent: return &p.firstLineIndent;
        case kParaSpaceBefore: return &p.spaceBefore;
        case kParaDesiredWordSpacing: return &p.desiredWordSpacing;
        case kParaDesiredLetterSpacing: return &p.desiredLetterSpacing;
        default: return nullptr;
    }
}

AIErr ParaFeatures_New(ParaFeaturesRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    if (!eng()) return kStaleHandleErr;
    *out = eng()->add<ParaFeaturesRef>(ParaFeatureSet{});
    return kNoErr;
}

AIErr ParaFeatures_Clone(ParaFeaturesRef ref, ParaFeaturesRef* out) {
    if (!out) return kBadParameterErr;
    *out = nullptr;
    const ParaFeatureSet* set = obj<ParaFeatureSet>(ref);
    if (!set) return missing(ref);
    *out = eng()->add<ParaFeaturesRef>(*set);
    return kNoErr;
}

AIErr ParaFeatures_GetReal(ParaFeaturesRef ref, ai_int32 field, AIReal* v, ASBoolean* a) {
    if (!v) return kBadParameterErr;
    ParaFeatureSet* set = obj<ParaFeatureSet>(ref);
    if (!set) return missing(ref);
    AIReal* f = paraReal(set->values, field);
    if (!f) return kBadParameterErr;
    *v = *f;
    if (a) *a = (set->assigned >> field) & 1u;
    return kNoErr;
}

AIErr ParaFeatures_SetReal(ParaFeaturesRef ref, ai_int32 field, AIReal v) {
    ParaFeatureSet* set = obj<ParaFeatureSet>(ref);
    if (!set) return missing(ref);
    AIReal* f = paraReal(set->values, field);
    if (!f) return kBadParameterErr;
    *f = v;
    set->assigned |= 1u << field;
    return kNoErr;
}

AIErr ParaFeatures_GetInt(ParaFeaturesRef ref, ai_int32 field, ai_int32* v, ASBoolean* a) {
    if (!v) return kBadParameterErr;
    ParaFeatureSet* set = obj<ParaFeatureSet>(ref);
    if (!set) return missing(ref);
    if (field != kParaJustification) return kBadParameterErr;
    *v = set->values.justification;
    if (a) *a = (set->assigned >> field) & 1u;
    return kNoErr;
}

AIErr ParaFeatures_SetInt(ParaFeaturesRef ref, ai_int32 field, ai_int32 v) {
    ParaFeatureSet* set = obj<ParaFeatureSet>(ref);
    if (!set) return missing(ref);
    if (field != kParaJustification || v < kLeftJustify || v > kFullJustifyLastLineFull) return kBadParameterErr;
    set->values.justification = static_cast<int16_t>(v);
    set->assigned |= 1u << field;
    return kNoErr;
}

AIErr Paint_GetAIColor(ApplicationPaintRef ref, AIColor* color) {
    if (!color) return kBadParameterErr;
    const TextEngine::PaintObj* p = obj<TextEngine::PaintObj>(ref);
    if (!p) return missing(ref);
    *color = p->color;
    return kNoErr;
}

// ---- Unicode strings ----
AIErr PlatformToUnicode(const char* bytes, ai_int32 n, char32_t* out, ai_int32 cap, ai_int32* written) {
    if (!written || n < 0 || cap < 0 || (n > 0 && !bytes) || (cap > 0 && !out)) return kBadParameterErr;
    const std::u32string u = platformToUnicode(std::string_view(bytes ? bytes : "", static_cast<size_t>(n)));
    const size_t k = std::min(u.size(), static_cast<size_t>(cap));
    std::copy_n(u.begin(), k, out);
    *written = static_cast<ai_int32>(k);
    return kNoErr;
}

AIErr UnicodeToPlatform(const char32_t* text, ai_int32 n, char* out, ai_int32 cap, ai_int32* written) {
    if (!written || n < 0 || cap < 0 || (n > 0 && !text) || (cap > 0 && !out)) return kBadParameterErr;
    const std::string b = unicodeToPlatform(std::u32string_view(text ? text : U"", static_cast<size_t>(n)));
    const size_t k = platformPrefixLength(b, static_cast<size_t>(cap));
    std::copy_n(b.begin(), k, out);
    *written = static_cast<ai_int32>(k);
    return kNoErr;
}

AIErr UTF8ToUnicode(const char* bytes, ai_int32 n, char32_t* out, ai_int32 cap, ai_int32* written) {
    if (!written || n < 0 || cap < 0 || (n > 0 && !bytes) || (cap > 0 && !out)) return kBadParameterErr;
    const std::u32string u = fromUtf8(std::string_view(bytes ? bytes : "", static_cast<size_t>(n)));
    const size_t k = std::min(u.size(), static_cast<size_t>(cap));
    std::copy_n(u.begin(), k, out);
    *written = static_cast<ai_int32>(k);
    return kNoErr;
}

AIErr UnicodeToUTF8(const char32_t* text, ai_int32 n, char* out, ai_int32 cap, ai_int32* written) {
    if (!written || n < 0 || cap < 0 || (n > 0 && !text) || (cap > 0 && !out)) return kBadParameterErr;
    *written = 0;
    for (ai_int32 i = 0; i < n; ++i) {  // whole characters only
        const std::string c = toUtf8(std::u32string_view(text + i, 1));
        if (*written + static_cast<ai_int32>(c.size()) > cap) break;
        std::copy(c.begin(), c.end(), out + *written);
        *written += static_cast<ai_int32>(c.size());
    }
    return kNoErr;
}

// ---- fonts ----
FontRegistry& fonts() { return eng() ? eng()->fonts() : FontRegistry::shared(); }

int32_t indexOf(const void* key) {
    const intptr_t v = reinterpret_cast<intptr_t>(key) - 1;
    return (v >= 0 && v < fonts().count()) ? static_cast<int32_t>(v) : -1;
}

AIErr CountFonts(ai_int32* count) {
    if (!count) return kBadParameterErr;
    *count = fonts().count();
    return kNoErr;
}

AIErr IndexFontList(ai_int32 index, AIFontKey* font) {
    if (!font) return kBadParameterErr;
    *font = nullptr;
    if (index < 0 || index >= fonts().count()) return kOutOfRangeErr;
    *font = TextEngine::fontKey(index);
    return kNoErr;
}

AIErr GetUserFontUIName(AIFontKey font, char* name, ai_int16 size) {
    if (!name || size <= 0) return kBadParameterErr;
    name[0] = '\0';
    const int32_t index = indexOf(font);
    if (index < 0) return font ? kStaleHandleErr : kBadParameterErr;
    copyBounded(utf8ToPlatform(fonts().uiName(index)), name, size);
    return kNoErr;
}

AIErr GetDefaultFont(ai_int32 script, AIFontKey* font) {
    if (!font) return kBadParameterErr;
    *font = nullptr;
    if (script != kRomanAIScript && script != kNativeAIScript) return kBadParameterErr;
    const int32_t index = fonts().defaultIndex();
    if (index < 0) return kStaleHandleErr;  // no font at all
    *font = TextEngine::fontKey(index);
    return kNoErr;
}

AIErr FontFromFontKey(AIFontKey font, FontRef* ate) {
    if (!ate) return kBadParameterErr;
    *ate = nullptr;
    if (indexOf(font) < 0) return font ? kStaleHandleErr : kBadParameterErr;
    *ate = reinterpret_cast<FontRef>(font);
    return kNoErr;
}

AIErr FontKeyFromFont(FontRef ate, AIFontKey* font) {
    if (!font) return kBadParameterErr;
    *font = nullptr;
    if (indexOf(ate) < 0) return ate ? kStaleHandleErr : kBadParameterErr;
    *font = reinterpret_cast<AIFontKey>(ate);
    return kNoErr;
}

AIErr CreateATEApplicationPaint(const AIColor* color, ApplicationPaintRef* paint) {
    if (!paint) return kBadParameterErr;
    *paint = nullptr;
    if (!color) return kBadParameterErr;
    if (!eng()) return kStaleHandleErr;
    *paint = eng()->newPaint(*color);
    return kNoErr;
}

}  // namespace

const ATETextSuite& TextEngine::ateSuite() {
    static const ATETextSuite suite{
        AddRef, Release,
        Range_Clone, Range_GetStart, Range_SetStart, Range_GetEnd, Range_SetEnd, Range_GetSize,
        Range_InsertAfter, Range_GetContents, Range_SetLocalCharFeatures, Range_SetLocalParaFeatures,
        Range_GetUniqueCharFeatures, Range_GetUniqueParaFeatures, Range_Select, Range_GetStory,
        Story_GetTextRange, Story_GetStories, Story_GetKern, Story_IsEqual,
        Stories_SetFocus, Stories_LoseFocus, Stories_GetFocus,
        CharFeatures_New, CharFeatures_Clone, CharFeatures_GetReal, CharFeatures_SetReal,
        CharFeatures_GetInt, CharFeatures_SetInt, CharFeatures_GetBool, CharFeatures_SetBool,
        CharFeatures_GetFont, CharFeatures_SetFont, CharFeatures_GetPaint, CharFeatures_SetPaint,
        CharFeatures_GetDashArray, CharFeatures_SetDashArray,
        ParaFeatures_New, ParaFeatures_Clone, ParaFeatures_GetReal, ParaFeatures_SetReal,
        ParaFeatures_GetInt, ParaFeatures_SetInt,
        Paint_GetAIColor,
    };
    return suite;
}

const AIUnicodeStringSuite& TextEngine::unicodeSuite() {
    static const AIUnicodeStringSuite suite{PlatformToUnicode, UnicodeToPlatform, UTF8ToUnicode, UnicodeToUTF8};
    return suite;
}

const AIFontSuite& TextEngine::fontSuite() {
    static const AIFontSuite suite{CountFonts, IndexFontList, GetUserFontUIName,
                                   GetDefaultFont, FontFromFontKey, FontKeyFromFont};
    return suite;
}

const AIATEPaintSuite& TextEngine::paintSuite() {
    static const AIATEPaintSuite suite{CreateATEApplicationPaint};
    return suite;
}

}  // namespace standin::text
