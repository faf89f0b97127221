// The colour suites: the front document's custom colours (swatches) and the conversion of
// colour samples between grey, RGB and process colour.
#include <algorithm>
#include <cmath>
#include <string>

#include "AIColorConversion.h"
#include "AICustomColor.h"
#include "model/Colors.h"
#include "suites/Suites.h"
#include "text/Encoding.h"

namespace standin::suites {
namespace {

AIErr lookupSwatch(AICustomColorHandle handle, Document** doc, const CustomColorEntry** entry) {
    if (!handle) return kBadParameterErr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    const CustomColorEntry* e = d->customColor(fromHandle(handle));
    if (!e) return kStaleHandleErr;
    *doc = d;
    *entry = e;
    return kNoErr;
}

AIErr NewCustomColor(const AICustomColor* color, const ai::UnicodeString& name, AICustomColorHandle* swatch) {
    if (!color || !swatch) return kBadParameterErr;
    *swatch = nullptr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    ObjId id = 0;
    if (AIErr e = d->newCustomColor(text::toUtf8(name.as_UTF32()), *color, &id)) return e;
    *swatch = toHandle<AICustomColorHandle>(id);
    return kNoErr;
}

AIErr GetCustomColor(AICustomColorHandle handle, AICustomColor* color) {
    if (!color) return kBadParameterErr;
    Document* d = nullptr;
    const CustomColorEntry* e = nullptr;
    if (AIErr err = lookupSwatch(handle, &d, &e)) return err;
    *color = e->color;
    return kNoErr;
}

AIErr SetCustomColor(AICustomColorHandle handle, const AICustomColor* color) {
    if (!color) return kBadParameterErr;
    Document* d = nullptr;
    const CustomColorEntry* e = nullptr;
    if (AIErr err = lookupSwatch(handle, &d, &e)) return err;
    return d->setCustomColor(e->id, *color);
}

AIErr GetCustomColorName(AICustomColorHandle handle, ai::UnicodeString& name) {
    Document* d = nullptr;
    const CustomColorEntry* e = nullptr;
    if (AIErr err = lookupSwatch(handle, &d, &e)) return err;
    name = ai::UnicodeString::FromUTF32(text::fromUtf8(e->name));
    return kNoErr;
}

AIErr GetCustomColorByName(const ai::UnicodeString& name, AICustomColorHandle* swatch) {
    if (!swatch) return kBadParameterErr;
    *swatch = nullptr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    const CustomColorEntry* e = d->customColorByName(text::toUtf8(name.as_UTF32()));
    if (!e) return kNoSuchKey;
    *swatch = toHandle<AICustomColorHandle>(e->id);
    return kNoErr;
}

AIErr CountCustomColors(ai_int32* count) {
    if (!count) return kBadParameterErr;
    *count = 0;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    *count = static_cast<ai_int32>(d->state().customColors.size());
    return kNoErr;
}

AIErr GetNthCustomColor(ai_int32 n, AICustomColorHandle* swatch) {
    if (!swatch) return kBadParameterErr;
    *swatch = nullptr;
    Document* d = front();
    if (!d) return kNoDocumentErr;
    const auto& list = d->state().customColors;
    if (n < 0 || static_cast<size_t>(n) >= list.size()) return kOutOfRangeErr;
    *swatch = toHandle<AICustomColorHandle>(list[static_cast<size_t>(n)].id);
    return kNoErr;
}

const AICustomColorSuite kCustomColorSuite = {NewCustomColor,     GetCustomColor,    SetCustomColor,
                                              GetCustomColorName, GetCustomColorByName, CountCustomColors,
                                              GetNthCustomColor};

// A sample as RGB, by the number of components of its space.
bool toRgb(ai_int32 space, const AIReal* in, colors::Rgb* rgb) {
    switch (space) {
        case kAIGrayColorSpace: *rgb = colors::fromGray(in[0]); return true;
        case kAIRGBColorSpace: *rgb = colors::Rgb{in[0], in[1], in[2]}; return true;
        case kAICMYKColorSpace: *rgb = colors::fromCmyk(in[0], in[1], in[2], in[3]); return true;
        default: return false;
    }
}

AIErr ConvertSampleColor(ai_int32 srcSpace, const AIReal* src, ai_int32 dstSpace, AIReal* dst,
                         const AIColorConvertOptions* /*options*/, ASBoolean* inGamut) {
    if (!src || !dst) return kBadParameterErr;
    if (dstSpace != kAIGrayColorSpace && dstSpace != kAIRGBColorSpace && dstSpace != kAICMYKColorSpace)
        return kBadParameterErr;
    colors::Rgb rgb;
    if (!toRgb(srcSpace, src, &rgb)) return kBadParameterErr;
    const auto clamp01 = [](double v) { return static_cast<AIReal>(std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0); };
    switch (dstSpace) {
        case kAIGrayColorSpace: dst[0] = clamp01(1.0 - (0.299 * rgb.r + 0.587 * rgb.g + 0.114 * rgb.b)); break;
        case kAIRGBColorSpace:
            dst[0] = clamp01(rgb.r);
            dst[1] = clamp01(rgb.g);
            dst[2] = clamp01(rgb.b);
            break;
        default: {
            double cmyk[4];
            colors::toCmyk(rgb, cmyk);
            for (int i = 0; i < 4; ++i) dst[i] = clamp01(cmyk[i]);
        }
    }
    if (inGamut) *inGamut = true;
    return kNoErr;
}

const AIColorConversionSuite kColorConversionSuite = {ConvertSampleColor};

}  // namespace

void addColorSuites(SuiteRegistry& r) {
    r.add(kAICustomColorSuite, kAICustomColorSuiteVersion, &kCustomColorSuite);
    r.add(kAIColorConversionSuite, kAIColorConversionSuiteVersion, &kColorConversionSuite);
}

}  // namespace standin::suites
