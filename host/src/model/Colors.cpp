// Colour conversions as the host shows colours on screen: a plain subtractive model for
// process inks and the standard Lab to sRGB conversion.
#include "model/Colors.h"

#include <algorithm>
#include <cmath>

#include "model/Document.h"

namespace standin::colors {
namespace {

double unit(double v) { return std::isfinite(v) ? std::clamp(v, 0.0, 1.0) : 0.0; }

constexpr Rgb kMidGrey{0.5, 0.5, 0.5};

double labInverse(double t) {
    constexpr double delta = 6.0 / 29.0;
    return t > delta ? t * t * t : 3.0 * delta * delta * (t - 4.0 / 29.0);
}

double gammaEncode(double linear) {
    linear = unit(linear);
    return linear <= 0.0031308 ? 12.92 * linear : 1.055 * std::pow(linear, 1.0 / 2.4) - 0.055;
}

}  // namespace

Rgb fromCmyk(double c, double m, double y, double k) {
    const double white = 1.0 - unit(k);
    return {(1.0 - unit(c)) * white, (1.0 - unit(m)) * white, (1.0 - unit(y)) * white};
}

void toCmyk(const Rgb& rgb, double cmyk[4]) {
    const double r = unit(rgb.r), g = unit(rgb.g), b = unit(rgb.b);
    const double k = 1.0 - std::max({r, g, b});
    cmyk[3] = k;
    if (k >= 1.0) {
        cmyk[0] = cmyk[1] = cmyk[2] = 0.0;
        return;
    }
    cmyk[0] = (1.0 - r - k) / (1.0 - k);
    cmyk[1] = (1.0 - g - k) / (1.0 - k);
    cmyk[2] = (1.0 - b - k) / (1.0 - k);
}

Rgb fromGray(double ink) {
    const double level = 1.0 - unit(ink);
    return {level, level, level};
}

Rgb fromLab(double l, double a, double b) {
    if (!std::isfinite(l) || !std::isfinite(a) || !std::isfinite(b)) return {};
    // Lab (D50) to XYZ, Bradford-adapted to D65, then to linear sRGB.
    const double fy = (l + 16.0) / 116.0, fx = fy + a / 500.0, fz = fy - b / 200.0;
    const double x = 0.96422 * labInverse(fx), y = labInverse(fy), z = 0.82521 * labInverse(fz);
    const double xd = 0.9555766 * x - 0.0230393 * y + 0.0631636 * z;
    const double yd = -0.0282895 * x + 1.0099416 * y + 0.0210077 * z;
    const double zd = 0.0122982 * x - 0.0204830 * y + 1.3299098 * z;
    return {gammaEncode(3.2404542 * xd - 1.5371385 * yd - 0.4985314 * zd),
            gammaEncode(-0.9692660 * xd + 1.8760108 * yd + 0.0415560 * zd),
            gammaEncode(0.0556434 * xd - 0.2040259 * yd + 1.0572252 * zd)};
}

Rgb fromCustom(const AICustomColor& color, double tint) {
    const double t = unit(tint);
    const auto mixWithWhite = [t](const Rgb& c) {
        return Rgb{1.0 - (1.0 - c.r) * t, 1.0 - (1.0 - c.g) * t, 1.0 - (1.0 - c.b) * t};
    };
    switch (color.kind) {
        case kCustomFourColor: {
            const AIFourColorStyle& f = color.c.f;
            return fromCmyk(unit(f.cyan) * t, unit(f.magenta) * t, unit(f.yellow) * t, unit(f.black) * t);
        }
        case kCustomThreeColor: return mixWithWhite({unit(color.c.rgb.red), unit(color.c.rgb.green), unit(color.c.rgb.blue)});
        case kCustomLabColor: return mixWithWhite(fromLab(color.c.lab.l, color.c.lab.a, color.c.lab.b));
    }
    return kMidGrey;
}

std::optional<Rgb> ofPaint(const Document& doc, const AIColor& color) {
    switch (color.kind) {
        case kGrayColor: return fromGray(color.c.g.gray);
        case kFourColor: return fromCmyk(color.c.f.cyan, color.c.f.magenta, color.c.f.yellow, color.c.f.black);
        case kThreeColor: return Rgb{unit(color.c.rgb.red), unit(color.c.rgb.green), unit(color.c.rgb.blue)};
        case kCustomColor: {
            const CustomColorEntry* swatch = doc.customColor(fromHandle(color.c.c.color));
            if (!swatch) return fromGray(color.c.c.tint);  // no swatch: the tint alone, as grey
            return fromCustom(swatch->color, color.c.c.tint);
        }
        case kGradient:
        case kPattern: return kMidGrey;
        default: return std::nullopt;
    }
}

}  // namespace standin::colors
