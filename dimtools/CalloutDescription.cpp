// The callout description: which sections the flags ask for, each section's heading and
// items, and the colour texts. Texts are appended through one bounded writer; the marks
// "%c ", "%m " and the like are text like any other, never a format.
#include "dimtools/CalloutDescription.h"

#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "AIHitTest.h"
#include "IText.h"
#include "core/PlotwiseAlerts.h"
#include "core/PlotwiseHitTest.h"
#include "core/PlotwiseStrings.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimtools/DimToolGlobals.h"
#include "geometry/PlotwiseErrors.h"

namespace {

constexpr GlobalsView<DimToolGlobals> g;

constexpr size_t kColorTextSize = 512;
constexpr size_t kNameSize = 256;

// Text appended to a fixed-size buffer: always terminated, never written past; what does
// not fit is cut.
class BoundedText {
public:
    BoundedText(char* text, size_t size) : text_(text), size_(size), length_(::strnlen(text, size - 1)) {}
    BoundedText& operator<<(const char* s) {
        length_ += CopyCString(text_ + length_, size_ - length_, s);
        return *this;
    }
    // Numbers as the description writes them: one decimal, whole, or integers.
    BoundedText& Real(double v) { return Printed("%.1f", v); }
    BoundedText& Whole(double v) { return Printed("%.0f", v); }
    BoundedText& Integer(long v) {
        char n[32];
        std::snprintf(n, sizeof n, "%li", v);
        return *this << n;
    }

private:
    BoundedText& Printed(const char* format, double v) {
        char n[64];
        std::snprintf(n, sizeof n, format, v);
        return *this << n;
    }
    char* text_;
    size_t size_;
    size_t length_;
};

// --- colour texts ---

// One ink of a colour: its value and the mark after it.
struct Ink {
    AIReal value;
    const char* mark;
};

// The inks above zero, as percentages; false when none is.
bool WriteInks(BoundedText& out, std::initializer_list<Ink> inks, double scale = 100, double nudge = 0) {
    bool any = false;
    for (const Ink& ink : inks) {
        if (!(ink.value > 0)) continue;
        out.Whole(ink.value * scale + nudge) << ink.mark;
        any = true;
    }
    return any;
}

// A custom colour: its name, its strength (the tint: 0 none of the colour, 1 all of it) as a
// percentage, and its definition as the swatch holds it, whatever the tint.
AIErr WriteCustomColor(BoundedText& out, const AICustomColorStyle& custom, int isBulletStr) {
    AICustomColor definition{};
    if (AIErr err = sAICustomColor->GetCustomColor(custom.color, &definition)) return err;
    ai::UnicodeString name;
    if (AIErr err = sAICustomColor->GetCustomColorName(custom.color, name)) return err;
    char cName[kNameSize] = {};
    whyDoIAlwaysHaveToConvertPtoCStrings(UStrToPStr(name), cName, sizeof cName);
    out << cName;
    if (!isBulletStr) (out << " ").Whole(custom.tint * 100) << "%";
    out << " ( ";
    constexpr double kNudge = 0.05;
    switch (definition.kind) {
        case kCustomThreeColor: {
            const AIThreeColorStyle& c = definition.c.rgb;
            WriteInks(out, {{c.red, "r "}, {c.green, "g "}, {c.blue, "b "}}, 100, kNudge);
            break;
        }
        case kCustomLabColor: {
            // Lightness and the two axes as they are, each with its letter.
            const AILabColorStyle& c = definition.c.lab;
            out.Whole(c.l) << "L ";
            out.Whole(c.a) << "a ";
            out.Whole(c.b) << "b ";
            break;
        }
        default: {
            const AIFourColorStyle& c = definition.c.f;
            if (!WriteInks(out, {{c.cyan, "c "}, {c.magenta, "m "}, {c.yellow, "y "}, {c.black, "k "}}, 100, kNudge))
                out << "white";
            break;
        }
    }
    out << ")";
    return kNoErr;
}

// One colour (not a gradient); patterns, gradients as stops and no paint give nothing.
AIErr WriteColor(BoundedText& out, const AIColor& color, int isBulletStr) {
    switch (color.kind) {
        case kGrayColor:
            if (color.c.g.gray <= 0)
                out << "white";
            else
                out.Whole(color.c.g.gray * 100) << "k";
            return kNoErr;
        case kFourColor: {
            const AIFourColorStyle& c = color.c.f;
            if (!WriteInks(out, {{c.cyan, "%c "}, {c.magenta, "%m "}, {c.yellow, "%y "}, {c.black, "%k"}}))
                out << "white";
            return kNoErr;
        }
        case kThreeColor: {
            const AIThreeColorStyle& c = color.c.rgb;
            if (!WriteInks(out, {{c.red, "%r "}, {c.green, "%g "}, {c.blue, "%b"}})) out << "black - rgb";
            return kNoErr;
        }
        case kCustomColor: return WriteCustomColor(out, color.c.c, isBulletStr);
        default: return kNoErr;
    }
}

AIErr WriteGradient(BoundedText& out, AIGradientHandle gradient, int isBulletStr) {
    int16_t count = 0, type = 0;
    if (AIErr err = sAIGradient->GetGradientStopCount(gradient, &count)) return err;
    if (AIErr err = sAIGradient->GetGradientType(gradient, &type)) return err;
    out << (type == kLinearGradient ? "linear " : "radial ");
    for (int16_t n = 0; n < count; ++n) {
        AIGradientStop stop{};
        if (AIErr err = sAIGradient->GetNthGradientStop(gradient, n, &stop)) return err;
        if (n > 0) out << " to\r";
        if (stop.color.kind != kGradient)
            if (AIErr err = WriteColor(out, stop.color, isBulletStr)) return err;
    }
    return kNoErr;
}

// --- the description ---

// The art kinds whose path style is read (paths and the host's painted kinds 9 and 11).
bool Painted(int16_t type) { return type == kPathArt || type == kRasterArt || type == kForeignArt; }

using Flag = int32_t Callout_Data::*;

bool AnyOf(const Callout_Data& f, std::initializer_list<Flag> flags) {
    for (Flag flag : flags)
        if (f.*flag) return true;
    return false;
}

// The description being written: its headings, the art and what is read of it once.
struct Description {
    BoundedText out;
    const Callout_Data& flags;
    AIArtHandle art;
    int16_t type;
    bool first = true;
    bool styleRead = false;
    AIPathStyle style{};

    void Heading(const char* heading) {
        if (!first) out << "\r";
        out << heading;
        first = false;
    }
    AIErr PathStyle(const AIPathStyle** read) {
        if (!styleRead) {
            if (AIErr err = sAIPathStyle->GetPathStyle(art, &style)) return err;
            styleRead = true;
        }
        *read = &style;
        return kNoErr;
    }
    AIErr Color(const AIColor& color) {
        char text[kColorTextSize] = {};
        if (AIErr err = GetColorStrFromAIColor(color, text, sizeof text, 0)) return err;
        out << text;
        return kNoErr;
    }
};

// A feature of a text, written only where it is the same over the whole text.
template <typename Features>
struct RealItem {
    Flag flag;
    const char* label;
    AIReal (Features::*get)(bool*) const;
};

template <typename Features, size_t N>
void WriteRealItems(Description& d, const Features& features, const RealItem<Features> (&items)[N]) {
    for (const RealItem<Features>& item : items) {
        bool uniform = false;
        const AIReal value = (features.*item.get)(&uniform);
        if (d.flags.*item.flag && uniform) (d.out << item.label).Real(value);
    }
}

const char* const kCaps[] = {" Cap: Butt", " Cap: Round", " Cap: Projecting"};
const char* const kTextCaps[] = {" Cap: Butt", " Cap: Round", " Cap: Square"};
const char* const kJoins[] = {" Join: Miter", " Join: Round", " Join: Bevel"};
const char* const kAlignments[] = {"left", "right", "center", "justify last line left", "justify last line right",
                                   "justify last line center", "justify"};

template <size_t N>
const char* Named(const char* const (&names)[N], long index) {
    return index >= 0 && static_cast<size_t>(index) < N ? names[index] : "";
}

AIErr TextItems(Description& d, const ATE::ITextRange& range, const ATE::ICharFeatures& c) {
    using C = ATE::ICharFeatures;
    const Callout_Data& f = d.flags;
    d.Heading(" Text -");
    bool uniform = false;
    if (f.text_font) {
        const ATE::IFont font = c.GetFont(&uniform);
        if (uniform) {
            AIFontKey key = nullptr;
            if (AIErr err = sAIFont->FontKeyFromFont(font.GetRef(), &key)) return err;
            char name[kNameSize] = {};
            if (AIErr err = sAIFont->GetUserFontUIName(key, name, static_cast<ai_int16>(sizeof name))) return err;
            d.out << " Font: " << name;
        }
    }
    static const RealItem<C> kSizes[] = {{&Callout_Data::text_size, " Size: ", &C::GetFontSize},
                                         {&Callout_Data::text_leading, " Leading: ", &C::GetLeading}};
    WriteRealItems(d, c, kSizes);
    if (f.text_kerning) (d.out << " Kerning: ").Integer(static_cast<long>(range.GetStory().GetKern(range)));
    const ai_int32 tracking = c.GetTracking(&uniform);
    if (f.text_tracking && uniform) (d.out << " Tracking: ").Integer(tracking);
    static const RealItem<C> kScales[] = {
        {&Callout_Data::text_vertscale, " Vertical Scale: ", &C::GetVerticalScale},
        {&Callout_Data::text_horzscale, " Horizontal Scale: ", &C::GetHorizontalScale},
        {&Callout_Data::text_baselineshift, " Baseline Shift: ", &C::GetBaselineShift}};
    WriteRealItems(d, c, kScales);
    return kNoErr;
}

void ParagraphItems(Description& d, const ATE::IParaFeatures& p) {
    using P = ATE::IParaFeatures;
    d.Heading("Paragraph -");
    bool uniform = false;
    const long justification = p.GetJustification(&uniform);
    if (d.flags.para_alignment && uniform) d.out << " Alignment: " << Named(kAlignments, justification);
    static const RealItem<P> kItems[] = {
        {&Callout_Data::para_leftindent, " Left Indent: ", &P::GetStartIndent},
        {&Callout_Data::para_rightindent, " Right Indent: ", &P::GetEndIndent},
        {&Callout_Data::para_firstlineindent, " First Line Indent: ", &P::GetFirstLineIndent},
        {&Callout_Data::para_spacebefore, " Space Before Paragraph: ", &P::GetSpaceBefore},
        {&Callout_Data::para_wordspacing, " Word Spacing: ", &P::GetDesiredWordSpacing},
        {&Callout_Data::para_letterspacing, " Letter Spacing: ", &P::GetDesiredLetterSpacing}};
    WriteRealItems(d, p, kItems);
}

// A stroked text's stroke, straight after what came before.
void TextStrokeItems(Description& d, const ATE::ICharFeatures& c) {
    using C = ATE::ICharFeatures;
    const Callout_Data& f = d.flags;
    static const RealItem<C> kWeight[] = {{&Callout_Data::stroke_weight, " Weight: ", &C::GetLineWidth}};
    WriteRealItems(d, c, kWeight);
    bool uniform = false;
    const long cap = c.GetLineCap(&uniform);
    if (f.stroke_cap && uniform) d.out << Named(kTextCaps, cap);
    const long join = c.GetLineJoin(&uniform);
    if (f.stroke_join && uniform) d.out << Named(kJoins, join);
    static const RealItem<C> kMiter[] = {{&Callout_Data::stroke_miterlimit, " Miter Limit: ", &C::GetMiterLimit},
                                         {&Callout_Data::stroke_dashsetting, " Dash Offset: ", &C::GetLineDashOffset}};
    WriteRealItems(d, c, kMiter);
    if (f.stroke_dashsetting) {
        (void)c.GetLineDashArray(&uniform);
        if (uniform) d.out << " Dash Array: ";
    }
}

AIErr TextSections(Description& d, bool text, bool paragraph, bool stroke) {
    ATE::TextRangeRef ref = nullptr;
    if (AIErr err = sAITextFrame->GetATETextRange(d.art, &ref)) return err;
    const ATE::ITextRange range(ref);
    const ATE::ICharFeatures chars = range.GetUniqueCharFeatures();
    if (text)
        if (AIErr err = TextItems(d, range, chars)) return err;
    if (paragraph) ParagraphItems(d, range.GetUniqueParaFeatures());
    bool uniform = false;
    if (stroke && chars.GetStroke(&uniform) && uniform) TextStrokeItems(d, chars);
    return kNoErr;
}

AIErr PathStrokeSection(Description& d) {
    const AIPathStyle* style = nullptr;
    if (AIErr err = d.PathStyle(&style)) return err;
    const AIStrokeStyle& s = style->stroke;
    const Callout_Data& f = d.flags;
    d.Heading("Stroke -");
    if (f.stroke_weight) (d.out << " Weight: ").Real(s.width);
    if (f.stroke_cap) d.out << Named(kCaps, s.cap);
    if (f.stroke_join) d.out << Named(kJoins, s.join);
    if (f.stroke_miterlimit) d.out << (s.miterLimit == 0 ? " Miter Limit: No" : " Miter Limit: Yes");
    if (f.stroke_color) {
        d.out << " Color: ";
        return d.Color(s.color);
    }
    return kNoErr;
}

AIErr FillSection(Description& d) {
    const AIPathStyle* style = nullptr;
    if (AIErr err = d.PathStyle(&style)) return err;
    d.Heading("Fill color -");
    return d.Color(style->fill.color);
}

AIErr AttributesSection(Description& d, bool fill, bool stroke) {
    const AIPathStyle* style = nullptr;
    if (AIErr err = d.PathStyle(&style)) return err;
    d.Heading("Attributes -");
    if (fill) d.out << " Overprint fill: " << (style->fill.overprint ? "true" : "false");
    if (stroke) d.out << " Overprint stroke: " << (style->stroke.overprint ? "true" : "false");
    return kNoErr;
}

AIErr StyleSection(Description& d) {
    AIArtStyleHandle artStyle = nullptr;
    if (AIErr err = sAIArtStyle->GetArtStyle(d.art, &artStyle)) return err;
    if (!artStyle) return kNoErr;
    ai::UnicodeString name;
    ASBoolean anonymous = false;
    if (AIErr err = sAIArtStyle->GetArtStyleName(artStyle, name, &anonymous)) return err;
    d.Heading("Style -");
    if (!anonymous) {
        char cName[kNameSize] = {};
        whyDoIAlwaysHaveToConvertPtoCStrings(UStrToPStr(name), cName, sizeof cName);
        d.out << cName;
    }
    return kNoErr;
}

AIErr Describe(Description& d) {
    using C = Callout_Data;
    const Callout_Data& f = d.flags;
    const bool text = AnyOf(f, {&C::text_font, &C::text_style, &C::text_size, &C::text_leading, &C::text_kerning,
                                &C::text_tracking, &C::text_vertscale, &C::text_horzscale, &C::text_baselineshift});
    const bool paragraph = AnyOf(f, {&C::para_alignment, &C::para_leftindent, &C::para_rightindent,
                                     &C::para_firstlineindent, &C::para_spacebefore, &C::para_wordspacing,
                                     &C::para_letterspacing});
    const bool stroke = AnyOf(f, {&C::stroke_weight, &C::stroke_cap, &C::stroke_join, &C::stroke_miterlimit,
                                  &C::stroke_dashsetting, &C::stroke_color});
    const bool attributes = AnyOf(f, {&C::attr_overprintfill, &C::attr_overprintstroke, &C::attr_url,
                                      &C::attr_imagemap});
    const bool painted = Painted(d.type);
    const bool hasFill = painted && sAIArt->ArtHasFill(d.art);
    const bool hasStroke = painted && sAIArt->ArtHasStroke(d.art);
    if (d.type == kTextFrameArt && (text || paragraph || stroke))
        if (AIErr err = TextSections(d, text, paragraph, stroke)) return err;
    if (stroke && hasStroke)
        if (AIErr err = PathStrokeSection(d)) return err;
    if (f.fill_color && hasFill)
        if (AIErr err = FillSection(d)) return err;
    if (attributes && (hasFill || hasStroke))
        if (AIErr err = AttributesSection(d, hasFill, hasStroke)) return err;
    if (f.style_name) return StyleSection(d);
    return kNoErr;
}

}  // namespace

AIErr GetColorStrFromAIColor(const AIColor& color, char* colorStr, size_t size, int isBulletStr) {
    if (!colorStr || size == 0) return kBadParameterErr;
    colorStr[0] = '\0';
    BoundedText out(colorStr, size);
    if (color.kind == kGradient) return WriteGradient(out, color.c.b.gradient, isBulletStr);
    return WriteColor(out, color, isBulletStr);
}

AIErr GetCalloutTargetData() {
    if (!g) return kCADErr;
    if (AIErr err = CheckDocumentZoom()) return err;
    AIToolHitData hit{};
    {
        HitRef ref;
        if (AIErr err = ref.Test(g->firstClickArt, g->firstClick, &hit, kAllHitRequest)) return err;
    }
    if (!hit.hit || !hit.object) {
        (void)doArtMustBeClickedErrorDialog();
        return kArtWithNoHandlesErr;
    }
    int16_t type = kUnknownArt;
    if (AIErr err = sAIArt->GetArtType(hit.object, &type)) return err;
    g->calloutText[0] = '\0';
    Description d{BoundedText(g->calloutText, sizeof g->calloutText), g->curCalloutSettings, hit.object, type};
    if (AIErr err = Describe(d)) return err;
    if (cdDataStruct* node = g->firstChainDimDataPtr) {
        CopyCString(node->textData.calloutStr, g->calloutText);
        CopyCString(node->textData.dimStr, g->calloutText);
    }
    return kNoErr;
}
