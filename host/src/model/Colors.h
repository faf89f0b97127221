// Colour arithmetic of the host: process, grey and Lab colours as RGB for display, RGB back
// to process, and the colour a paint shows, custom colours through the document's
// swatches with their tint. Components are 0.0-1.0 (clamped; not-a-number counts as 0).
#pragma once

#include <optional>

#include "AICustomColor.h"
#include "AITypes.h"

namespace standin {

class Document;

namespace colors {

struct Rgb {
    double r = 0, g = 0, b = 0;
};

Rgb fromCmyk(double c, double m, double y, double k);
void toCmyk(const Rgb& rgb, double cmyk[4]);
Rgb fromGray(double ink);  // 0 white, 1 black
// CIE L*a*b* (D50) to sRGB.
Rgb fromLab(double l, double a, double b);
// The swatch colour at a tint: 1.0 the full colour, 0.0 white (for process swatches the
// inks are scaled, for the others the colour is mixed with white).
Rgb fromCustom(const AICustomColor& color, double tint);
// What a paint shows: none for kNoneColor; mid grey for gradients and patterns; a custom
// colour whose swatch the document lacks as grey at its tint.
std::optional<Rgb> ofPaint(const Document& doc, const AIColor& color);

}  // namespace colors
}  // namespace standin
