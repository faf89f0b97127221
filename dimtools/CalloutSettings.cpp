// The callout flags in the record's order, with the Callouts dialog's items (the numbers
// between the groups belong to the group titles).
#include "dimtools/CalloutSettings.h"

namespace {

using C = Callout_Data;

constexpr CalloutFlag kFlags[] = {
    {&C::text_font, 4},
    {&C::text_style, 5},
    {&C::text_size, 6},
    {&C::text_leading, 7},
    {&C::text_kerning, 8},
    {&C::text_tracking, 9},
    {&C::text_vertscale, 10},
    {&C::text_horzscale, 11},
    {&C::text_baselineshift, 12},
    {&C::para_alignment, 14},
    {&C::para_leftindent, 15},
    {&C::para_rightindent, 16},
    {&C::para_firstlineindent, 17},
    {&C::para_spacebefore, 18},
    {&C::para_wordspacing, 19},
    {&C::para_letterspacing, 20},
    {&C::stroke_weight, 22},
    {&C::stroke_cap, 23},
    {&C::stroke_join, 24},
    {&C::stroke_miterlimit, 25},
    {&C::stroke_dashsetting, 26},
    {&C::stroke_color, 27},
    {&C::fill_color, 29},
    {&C::attr_overprintfill, 43},
    {&C::attr_overprintstroke, 44},
    {&C::attr_url, 45},
    {&C::attr_imagemap, 46},
    {&C::style_name, 31},
    {&C::brush_name, 33},
    {&C::gradient_type, 35},
    {&C::gradient_angle, 36},
    {&C::gradient_colors, 37},
    {&C::transp_mode, 39},
    {&C::transp_opacity, 40},
    {&C::options_datestamp, 47},
    {&C::options_timestamp, 48},
    {&C::options_userinput, 49},
};
static_assert(sizeof kFlags / sizeof kFlags[0] == sizeof(Callout_Data) / sizeof(int32_t), "one row per flag");

}  // namespace

std::span<const CalloutFlag> CalloutFlags() { return kFlags; }
