// The flags that choose what a callout reports about the art it points at, as the Callouts
// dialog sets them: one check box each, all off when the plug-in starts and kept while it
// is loaded, never in the preferences.
#pragma once

#include <cstdint>
#include <span>

// 37 flags, each 0 or 1, in this order. The brush, gradient, transparency and option flags
// are offered and kept but reported by no description.
struct Callout_Data {
    int32_t text_font = 0, text_style = 0, text_size = 0, text_leading = 0, text_kerning = 0, text_tracking = 0,
            text_vertscale = 0, text_horzscale = 0, text_baselineshift = 0;
    int32_t para_alignment = 0, para_leftindent = 0, para_rightindent = 0, para_firstlineindent = 0,
            para_spacebefore = 0, para_wordspacing = 0, para_letterspacing = 0;
    int32_t stroke_weight = 0, stroke_cap = 0, stroke_join = 0, stroke_miterlimit = 0, stroke_dashsetting = 0,
            stroke_color = 0;
    int32_t fill_color = 0;
    int32_t attr_overprintfill = 0, attr_overprintstroke = 0, attr_url = 0, attr_imagemap = 0;
    int32_t style_name = 0;
    int32_t brush_name = 0;
    int32_t gradient_type = 0, gradient_angle = 0, gradient_colors = 0;
    int32_t transp_mode = 0, transp_opacity = 0;
    int32_t options_datestamp = 0, options_timestamp = 0, options_userinput = 0;
};

// One flag: its field and its check box in the Callouts dialog.
struct CalloutFlag {
    int32_t Callout_Data::*field;
    int16_t item;
};

// Every flag, in the record's order.
std::span<const CalloutFlag> CalloutFlags();
