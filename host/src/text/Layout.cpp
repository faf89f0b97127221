// Point-text layout, glyph outlines under the frame matrix and their exact bounds.
#include "text/Layout.h"

#include <algorithm>
#include <cmath>
#include <limits>
#include <optional>

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

namespace {

// Where a line begins: a run, and a byte of its text.
struct TextPlace {
    size_t run = 0;
    size_t byte = 0;
};

// The story laid out line by line without holding more than one glyph: a first pass over a
// line's characters measures it (its width sets where justification puts it), a second
// hands each glyph, placed, to the caller. A long text then costs memory by nothing it holds.
class LineWalker {
public:
    LineWalker(const Story& story, const FontRegistry& fonts) : story_(story), fonts_(fonts) {}

    // Lays out the next line into `line`, calling place(glyph) for each of its glyphs in
    // order; false once every line (at least one) has been laid out.
    template <class Place>
    bool next(LineLayout& line, Place&& place) {
        if (done_) return false;
        double pen = 0.0, tracking = 0.0, leading = 0.0, returnLeading = 0.0;
        bool hasChars = false, glyphs = false;
        const std::optional<TextPlace> after = walk([&](size_t run, char32_t c) {
            const CharFeatures& f = story_.runs[run].features;
            leading = std::max(leading, static_cast<double>(f.leading));
            lastLeading_ = f.leading;
            if (c == 0x0D) {
                returnLeading = f.leading;
                return;
            }
            hasChars = true;
            if (isControl(c)) return;  // neither ink nor advance
            if (glyphs) pen += tracking;
            const PlacedGlyph g = glyph(run, c);
            pen += g.advance;
            tracking = trackingOf(f);
            glyphs = true;
        });
        if (!hasChars) leading = after ? returnLeading : lastLeading_;
        if (!first_) baseline_ -= leading + story_.para.spaceBefore;
        first_ = false;
        line.baseline = baseline_;
        line.width = pen;
        line.left = justificationOffset(story_.para.justification, pen) + indentOffset(story_.para);
        line.leading = leading;

        double x = 0.0;
        glyphs = false;
        walk([&](size_t run, char32_t c) {
            if (c == 0x0D || isControl(c)) return;
            const CharFeatures& f = story_.runs[run].features;
            PlacedGlyph g = glyph(run, c);
            if (glyphs) x += tracking;
            g.x = x + line.left;
            g.y = static_cast<double>(f.baselineShift) + baseline_;
            x += g.advance;
            tracking = trackingOf(f);
            glyphs = true;
            place(g);
        });
        done_ = !after;
        if (after) from_ = *after;
        return true;
    }

private:
    static double trackingOf(const CharFeatures& f) { return static_cast<double>(f.tracking) / 1000.0 * f.size; }

    // Calls visit(run, character) for each character of the line that begins at from_, its
    // carriage return included; answers where the next line begins, or nothing at the end.
    template <class Visit>
    std::optional<TextPlace> walk(Visit&& visit) const {
        for (size_t r = from_.run; r < story_.runs.size(); ++r) {
            const std::string& text = story_.runs[r].text;
            for (size_t i = r == from_.run ? from_.byte : 0; i < text.size();) {
                const char32_t c = platformCharAt(text, i);
                i += platformCharLength(text, i);
                visit(r, c);
                if (c == 0x0D) return TextPlace{r, i};
            }
        }
        return std::nullopt;
    }

    // A character of a run, its place not yet known.
    PlacedGlyph glyph(size_t run, char32_t c) {
        if (run != fontRun_) {
            fontRun_ = run;
            font_ = fonts_.find(story_.runs[run].features.font);
            if (font_ < 0) font_ = fonts_.defaultIndex();
        }
        const CharFeatures& f = story_.runs[run].features;
        PlacedGlyph g;
        g.font = font_;
        g.ch = c;
        g.run = run;
        g.scaleX = static_cast<double>(f.size) * f.horizontalScale;
        g.scaleY = static_cast<double>(f.size) * f.verticalScale;
        const GlyphData* data = fonts_.glyph(font_, c);
        g.advance = (data ? data->advance : kFallbackAdvance) * g.scaleX;
        return g;
    }

    const Story& story_;
    const FontRegistry& fonts_;
    TextPlace from_;
    bool done_ = false;
    bool first_ = true;
    double baseline_ = 0.0;
    double lastLeading_ = CharFeatures{}.leading;
    size_t fontRun_ = SIZE_MAX;
    int32_t font_ = -1;
};

// A glyph's contour node under the matrix, as an anchor with its handles.
AIPathSegment placedNode(const Affine& m, const PlacedGlyph& g, const OutlineNode& n) {
    AIPathSegment s{};
    s.p = point(m, g.x + n.px * g.scaleX, g.y + n.py * g.scaleY);
    s.in = point(m, g.x + n.inx * g.scaleX, g.y + n.iny * g.scaleY);
    s.out = point(m, g.x + n.outx * g.scaleX, g.y + n.outy * g.scaleY);
    return s;
}

// Widens [x0, x1] x [y0, y1] to the exact bounds of one closed cubic contour.
void extendByContour(const std::vector<AIPathSegment>& segments, double& x0, double& x1, double& y0, double& y1) {
    const size_t n = segments.size();
    for (size_t i = 0; i < n; ++i) {
        const AIPathSegment& s = segments[i];
        const AIPathSegment& e = segments[(i + 1) % n];
        cubicRange(s.p.h, s.out.h, e.in.h, e.p.h, x0, x1);
        cubicRange(s.p.v, s.out.v, e.in.v, e.p.v, y0, y1);
    }
}

}  // namespace

StoryLayout layoutStory(const Story& story, const FontRegistry& fonts) {
    StoryLayout out;
    LineWalker lines(story, fonts);
    LineLayout line;
    while (lines.next(line, [&](const PlacedGlyph& g) { out.glyphs.push_back(g); })) out.lines.push_back(line);
    return out;
}

std::vector<GlyphOutline> outlineStory(const Story& story, const FontRegistry& fonts, const AIRealMatrix* extra) {
    const Affine m = frameTransform(story, extra);
    std::vector<GlyphOutline> out;
    LineWalker lines(story, fonts);
    LineLayout line;
    while (lines.next(line, [&](const PlacedGlyph& g) {
        const GlyphData* data = fonts.glyph(g.font, g.ch);
        if (!data || data->contours.empty()) return;
        GlyphOutline go;
        go.run = g.run;
        for (const auto& contour : data->contours) {
            OutlineContour oc;
            oc.segments.reserve(contour.size());
            for (const OutlineNode& n : contour) {
                AIPathSegment s = placedNode(m, g, n);
                s.corner = isCorner(s);
                oc.segments.push_back(s);
            }
            go.contours.push_back(std::move(oc));
        }
        out.push_back(std::move(go));
    })) {
    }
    return out;
}

bool contourBounds(const std::vector<OutlineContour>& contours, AIRealRect& out) {
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, y0 = x0, y1 = -x0;
    bool any = false;
    for (const auto& c : contours) {
        extendByContour(c.segments, x0, x1, y0, y1);
        any = any || !c.segments.empty();
    }
    if (!any) return false;
    out = {static_cast<AIReal>(x0), static_cast<AIReal>(y1), static_cast<AIReal>(x1), static_cast<AIReal>(y0)};
    return true;
}

// The outline's bounds glyph by glyph, contour by contour: only one contour is ever held.
AIRealRect storyBounds(const Story& story, const FontRegistry& fonts, const AIRealMatrix* extra) {
    const Affine m = frameTransform(story, extra);
    double x0 = std::numeric_limits<double>::infinity(), x1 = -x0, y0 = x0, y1 = -x0;
    bool any = false;
    std::vector<AIPathSegment> contour;
    LineWalker lines(story, fonts);
    LineLayout line;
    while (lines.next(line, [&](const PlacedGlyph& g) {
        const GlyphData* data = fonts.glyph(g.font, g.ch);
        if (!data) return;
        for (const auto& nodes : data->contours) {
            contour.clear();
            for (const OutlineNode& n : nodes) contour.push_back(placedNode(m, g, n));
            extendByContour(contour, x0, x1, y0, y1);
            any = any || !contour.empty();
        }
    })) {
    }
    if (any) return {static_cast<AIReal>(x0), static_cast<AIReal>(y1), static_cast<AIReal>(x1), static_cast<AIReal>(y0)};
    const AIRealPoint anchor = point(m, 0.0, 0.0);
    return {anchor.h, anchor.v, anchor.h, anchor.v};
}

}  // namespace standin::text
