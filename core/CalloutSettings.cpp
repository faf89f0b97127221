// The callout flags in the record's order, with the Callouts dialog's items (the numbers
// between the groups belong to the group titles) and the preference keys.
#include "core/CalloutSettings.h"

namespace {

using C = Callout_Data;

constexpr CalloutFlag kFlags[] = {
    {&C::text_font, 4, "CalloutTextFont"},
    {&C::text_style, 5, "CalloutTextStyle"},
    {&C::text_size, 6, "CalloutTextSize"},
    {&C::text_leading, 7, "CalloutTextLeading"},
    {&C::text_kerning, 8, "CalloutTextKerning"},
    {&C::text_tracking, 9, "CalloutTextTracking"},
    {&C::text_vertscale, 10, "CalloutTextVertScale"},
    {&C::text_horzscale, 11, "CalloutTextHorzScale"},
    {&C::text_baselineshift, 12, "CalloutTextBaselineShift"},
    {&C::para_alignment, 14, "CalloutParaAlignment"},
    {&C::para_leftindent, 15, "CalloutParaLeftIndent"},
    {&C::para_rightindent, 16, "CalloutParaRightIndent"},
    {&C::para_firstlineindent, 17, "CalloutParaFirstLineIndent"},
    {&C::para_spacebefore, 18, "CalloutParaSpaceBefore"},
    {&C::para_wordspacing, 19, "CalloutParaWordSpacing"},
    {&C::para_letterspacing, 20, "CalloutParaLetterSpacing"},
    {&C::stroke_weight, 22, "CalloutStrokeWeight"},
    {&C::stroke_cap, 23, "CalloutStrokeCap"},
    {&C::stroke_join, 24, "CalloutStrokeJoin"},
    {&C::stroke_miterlimit, 25, "CalloutStrokeMiterLimit"},
    {&C::stroke_dashsetting, 26, "CalloutStrokeDashSetting"},
    {&C::stroke_color, 27, "CalloutStrokeColor"},
    {&C::fill_color, 29, "CalloutFillColor"},
    {&C::attr_overprintfill, 43, "CalloutAttrOverprintFill"},
    {&C::attr_overprintstroke, 44, "CalloutAttrOverprintStroke"},
    {&C::attr_url, 45, "CalloutAttrURL"},
    {&C::attr_imagemap, 46, "CalloutAttrImageMap"},
    {&C::style_name, 31, "CalloutStyleName"},
    {&C::brush_name, 33, "CalloutBrushName"},
    {&C::gradient_type, 35, "CalloutGradientType"},
    {&C::gradient_angle, 36, "CalloutGradientAngle"},
    {&C::gradient_colors, 37, "CalloutGradientColors"},
    {&C::transp_mode, 39, "CalloutTranspMode"},
    {&C::transp_opacity, 40, "CalloutTranspOpacity"},
    {&C::options_datestamp, 47, "CalloutOptionsDateStamp"},
    {&C::options_timestamp, 48, "CalloutOptionsTimeStamp"},
    {&C::options_userinput, 49, "CalloutOptionsUserInput"},
};
static_assert(sizeof kFlags / sizeof kFlags[0] == sizeof(Callout_Data) / sizeof(int32_t), "one row per flag");

}  // namespace

std::span<const CalloutFlag> CalloutFlags() { return kFlags; }
