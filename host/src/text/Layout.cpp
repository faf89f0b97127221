// Point-text layout, glyph outlines under the frame matrix and their exact bounds.
#include "text/Layout.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "text/Encoding.h"

namespace standin::text {
namespace {

constexpr double kFallbackAdvance = 0.6;  // ems, when no font could be opened

struct Affine {
    double a, b, c, d, tx, ty;
    void apply(double x, double y, double& ox, double& oy) const {
        ox = a * x + c * y + tx;
        oy = b * x + d * y + ty;
    }
};

Affine toAffine(const AIRealMatrix& m) { return {m.a, m.b, m.c, m.d, m.tx, m.ty}; }

Affine then(const Affine& m, const Affine& n) {
    return {m.a * n.a + m.b * n.c, m.a * n.b + m.b * n.d, m.c * n.a + m.d * n.c,
            m.c * n.b + m.d * n.d, m.tx * n.a + m.ty * n.c + n.tx, m.tx * n.b + m.ty * n.d + n.ty};
}

Affine frameTransform(const Story& story, const AIRealMatrix* extra) {
    Affine m = toAffine(story.matrix);
    if (extra) m = then(m, toAffine(*extra));
    return m;
}

// The last-line rule decides for full justification: a point text has only last lines.
enum class Align { Left, Centre, Right };
Align alignOf(int16_t justification) {
    switch (justification) {
        case 1: case 4: return Align::Right;
        case 2: case 5: return Align::Centre;
        default: return Align::Left;  // 0, 3, 6 (justify all: a lone last line sets left) and unknown
    }
}

void extend(double lo, double hi, double& mn, double& mx) {
    mn = std::min(mn, lo);
    mx = std::max(mx, hi);
}

// Extremes of one coordinate of a cubic piece.
void cubicRange(double p0, double p1, double p2, double p3, double& mn, double& mx) {
    extend(std::min(p0, p3), std::max(p0, p3), mn, mx);
    // derivative / 3 = a t^2 + b t + c
    const double a = -p0 + 3 * p1 - 3 * p2 + p3;
    const double b = 2 * (p0 - 2 * p1 + p2);
    const double c = p1 - p0;
    auto at = [&](double t) {
        if (t <= 0.0 || t >= 1.0) return;
        const double u = 1 - t;
        const double v = u * u * u * p0 + 3 * u * u * t * p1 + 3 * u * t * t * p2 + t * t * t * p3;
        extend(v, v, mn, mx);
    };
    if (std::fabs(a) < 1e-12) {
        if (std::fabs(b) > 1e-12) at(-c / b);
        return;
    }
    const double disc = b * b - 4 * a * c;
    if (disc < 0) return;
    const double s = std::sqrt(disc);
    at((-b + s) / (2 * a));
    at((-b - s) / (2 * a));
}

bool isCorner(const AIPathSegment& s) {
    const double ix = s.in.h - s.p.h, iy = s.in.v - s.p.v;
    const double ox = s.out.h - s.p.h, oy = s.out.v - s.p.v;
    if ((ix == 0 && iy == 0) || (ox == 0 && oy == 0)) return true;
    const double cross = ix * oy - iy * ox;
    const double dot = ix * ox + iy * oy;
    return dot >= 0 || std::fabs(cross) > 1e-6 * std::hypot(ix, iy) * std::hypot(ox, oy);
}

AIRealPoint point(const Affine& m, double x, double y) {
    double ox, oy;
    m.apply(x, y, ox, oy);
    return {static_cast<AIReal>(ox), static_cast<AIReal>(oy)};
}

// Control characters other than the carriage return (tabs, line feeds, the C1 codes of
// the bytes Windows-1252 leaves undefined) take no room and draw nothing.
bool isControl(char32_t c) { return c < 0x20 || (c >= 0x7F && c < 0xA0); }

}  // namespace

double justificationOffset(int16_t justification, double width) {
    switch (alignOf(justification)) {
        case Align::Right: return -width;
        case Align::Centre: return -width / 2.0;
        case Align::Left: break;
    }
    return 0.0;
}

namespace {

// Every line of a point text begins a paragraph, so each takes the first-line indent.
double indentOffset(const ParaFeatures& p) {
    const double start = static_cast<double>(p.startIndent) + p.firstLineIndent;
    switch (alignOf(p.justification)) {
        case Align::Right: return -p.endIndent;
        case Align::Centre: return (start - p.endIndent) / 2.0;
        case Align::Left: break;
    }
    return start;
}

}  // namespace

StoryLayout layoutStory(const Story& story, const FontRegistry& fonts) {
    StoryLayout out;
    struct Pending {
        PlacedGlyph glyph;
        double tracking;
    };
    std::vector<Pending> line;
    double lineLeading = 0.0;
    bool lineHasChars = false;
    double baseline = 0.0;
    double lastLeading = CharFeatures{}.leading;

    auto finishLine = [&](double crLeading) {
        if (!lineHasChars) lineLeading = crLeading;
        double pen = 0.0;
        for (size_t i = 0; i < line.size(); ++i) {
            line[i].glyph.x = pen;
            pen += line[i].glyph.advance;
            if (i + 1 < line.size()) pen += line[i].tracking;
        }
        LineLayout l;
        if (!out.lines.empty()) baseline -= lineLeading + story.para.spaceBefore;
        l.baseline = baseline;
        l.width = pen;
        l.left = justificationOffset(story.para.justification, pen) + indentOffset(story.para);
        l.leading = lineLeading;
        for (auto& p : line) {
            p.glyph.x += l.left;
            p.glyph.y += baseline;
            out.glyphs.push_back(p.glyph);
        }
        out.lines.push_back(l);
        line.clear();
        lineLeading = 0.0;
        lineHasChars = false;
    };

    for (size_t r = 0; r < story.runs.size(); ++r) {
        const TextRun& run = story.runs[r];
        const CharFeatures& f = run.features;
        int32_t font = fonts.find(f.font);
        if (font < 0) font = fonts.defaultIndex();
        for (char32_t c : platformToUnicode(run.text)) {
            if (c == 0x0D) {
                lineLeading = std::max(lineLeading, static_cast<double>(f.leading));
                lastLeading = f.leading;
                finishLine(f.leading);
                continue;
            }
            lineHasChars = true;
            lineLeading = std::max(lineLeading, static_cast<double>(f.leading));
            lastLeading = f.leading;
            if (isControl(c)) continue;  // neither ink nor advance
            PlacedGlyph g;
            g.font = font;
            g.ch = c;
            g.run = r;
            g.scaleX = static_cast<double>(f.size) * f.horizontalScale;
            g.scaleY = static_cast<double>(f.size) * f.verticalScale;
            const GlyphData* data = fonts.glyph(font, c);
            g.advance = (data ? data->advance : kFallbackAdvance) * g.scaleX;
            g.y = f.baselineShift;
            line.push_back({g, static_cast<double>(f.tracking) / 1000.0 * f.size});
        }
    }
    finishLine(lastLeading);
    return out;
}

std::vector<GlyphOutline> outlineStory(const Story& story, const FontRegistry& fonts, const AIRealMatrix* extra) {
    const Affine m = frameTransform(story, extra);
    std::vector<GlyphOutline> out;
    for (const PlacedGlyph& g : layoutStory(story, fonts).glyphs) {
        const GlyphData* data = fonts.glyph(g.font, g.ch);
        if (!data || data->contours.empty()) continue;
        GlyphOutline go;
        go.run = g.run;
        for (const auto& contour : data->contours) {
            OutlineContour oc;
            oc.segments.reserve(contour.size());
            for (const OutlineNode& n : contour) {
                AIPathSegment s{};
                s.p = point(m, g.x + n.px * g.scaleX, g.y + n.py * g.scaleY);
                s.in = point(m, g.x + n.inx * g.scaleX, g.y + n.iny * g.scaleY);
                s.out = point(m, g.x + n.outx * g.scaleX, g.y + n.outy * g.scaleY);
                s.corner = isCorner(s);
                oc.segments.push_back(s);
            }
            go.contours.push_back(std::move(oc));
        }
        out.push_back(std::move(go));
    }
    return out;
}

bool contourBounds(const std::vector<OutlineContour>& contours, AIRealRect& out) {
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, y0 = x0, y1 = -x0;
    bool any = false;
    for (const auto& c : contours) {
        const size_t n = c.segments.size();
        for (size_t i = 0; i < n; ++i) {
            const AIPathSegment& s = c.segments[i];
            const AIPathSegment& e = c.segments[(i + 1) % n];
            cubicRange(s.p.h, s.out.h, e.in.h, e.p.h, x0, x1);
            cubicRange(s.p.v, s.out.v, e.in.v, e.p.v, y0, y1);
            any = true;
        }
    }
    if (!any) return false;
    out = {static_cast<AIReal>(x0), static_cast<AIReal>(y1), static_cast<AIReal>(x1), static_cast<AIReal>(y0)};
    return true;
}

AIRealRect storyBounds(const Story& story, const FontRegistry& fonts, const AIRealMatrix* extra) {
    std::vector<OutlineContour> all;
    for (auto& g : outlineStory(story, fonts, extra))
        for (auto& c : g.contours) all.push_back(std::move(c));
    AIRealRect r{};
    if (contourBounds(all, r)) return r;
    const AIRealPoint anchor = point(frameTransform(story, extra), 0.0, 0.0);
    return {anchor.h, anchor.v, anchor.h, anchor.v};
}

}  // namespace standin::text
