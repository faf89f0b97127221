// Drawing a document as SVG. Numbers are written in their shortest exact form and are always
// finite: art whose geometry holds a non-finite number is left out rather than drawn wrong,
// and sums that would pass the largest real are kept within it.
#include "io/Svg.h"

#include <algorithm>
#include <array>
#include <cfloat>
#include <charconv>
#include <cmath>
#include <cstdio>
#include <optional>
#include <sstream>
#include <string>
#include <vector>

#include "io/AtomicFile.h"
#include "io/DocumentText.h"
#include "model/Colors.h"
#include "text/Layout.h"

namespace standin::io {
namespace {

std::string num(float v) {
    if (v == 0.0f) v = 0.0f;  // no "-0"
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : std::string("0");
}

bool finite(AIRealPoint p) { return std::isfinite(p.h) && std::isfinite(p.v); }

// Sums and spans of finite reals can pass the largest 32-bit real; they are worked out in
// double and kept to this much either side of the origin, so every number written is finite
// and a span of two such numbers still fits.
constexpr double kFarthest = FLT_MAX / 4;

float kept(double v) { return static_cast<float>(std::clamp(v, -kFarthest, kFarthest)); }

// Paint as "#rrggbb" or "none", as the host shows it: custom colours through the
// document's swatches at their tint, gradients and patterns mid grey.
std::string paint(const AIColor& color, const Document& doc) {
    const std::optional<colors::Rgb> rgb = colors::ofPaint(doc, color);
    if (!rgb) return "none";
    const auto channel = [](double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255.0)); };
    char buf[8];
    std::snprintf(buf, sizeof buf, "#%02x%02x%02x", channel(rgb->r), channel(rgb->g), channel(rgb->b));
    return buf;
}

constexpr std::array<const char*, 3> kCapNames = {"butt", "round", "square"};
constexpr std::array<const char*, 3> kJoinNames = {"miter", "round", "bevel"};

// The outline of one path as SVG path data; empty when it cannot be drawn.
std::string pathData(const Art& a) {
    const auto& s = a.segments;
    if (s.empty()) return {};
    for (const auto& seg : s)
        if (!finite(seg.p) || !finite(seg.in) || !finite(seg.out)) return {};
    const auto point = [](AIRealPoint p) { return num(p.h) + " " + num(p.v); };
    const auto same = [](AIRealPoint p, AIRealPoint q) { return p.h == q.h && p.v == q.v; };
    const auto piece = [&](const AIPathSegment& from, const AIPathSegment& to) {
        if (same(from.out, from.p) && same(to.in, to.p)) return "L" + point(to.p);
        return "C" + point(from.out) + " " + point(to.in) + " " + point(to.p);
    };
    std::string d = "M" + point(s[0].p);
    for (size_t i = 1; i < s.size(); ++i) d += piece(s[i - 1], s[i]);
    if (a.closed && s.size() > 1) {
        if (!(same(s.back().out, s.back().p) && same(s[0].in, s[0].p))) d += piece(s.back(), s[0]);
        d += "Z";
    }
    return d;
}

std::string strokeAttributes(const AIPathStyle& st, const Document& doc) {
    std::string out;
    if (!st.strokePaint || st.stroke.color.kind == kNoneColor) return " stroke=\"none\"";
    out += " stroke=\"" + paint(st.stroke.color, doc) + "\"";
    out += " stroke-width=\"" + num(std::isfinite(st.stroke.width) ? std::max(st.stroke.width, 0.0f) : 1.0f) + "\"";
    if (st.stroke.cap >= 0 && st.stroke.cap < 3) out += std::string(" stroke-linecap=\"") + kCapNames[st.stroke.cap] + "\"";
    if (st.stroke.join >= 0 && st.stroke.join < 3)
        out += std::string(" stroke-linejoin=\"") + kJoinNames[st.stroke.join] + "\"";
    if (std::isfinite(st.stroke.miterLimit) && st.stroke.miterLimit >= 1)
        out += " stroke-miterlimit=\"" + num(st.stroke.miterLimit) + "\"";
    const int length = std::clamp<int>(st.stroke.dash.length, 0, kMaxDashComponents);
    float total = 0;
    std::string dashes;
    for (int i = 0; i < length; ++i) {
        const float d = st.stroke.dash.array[i];
        if (!std::isfinite(d) || d < 0) return out;
        total += d;
        dashes += (i ? " " : "") + num(d);
    }
    if (total > 0) {
        out += " stroke-dasharray=\"" + dashes + "\"";
        if (std::isfinite(st.stroke.dash.offset) && st.stroke.dash.offset != 0)
            out += " stroke-dashoffset=\"" + num(st.stroke.dash.offset) + "\"";
    }
    return out;
}

std::string fillAttributes(const AIPathStyle& st, const Document& doc) {
    if (!st.fillPaint || st.fill.color.kind == kNoneColor) return " fill=\"none\"";
    return " fill=\"" + paint(st.fill.color, doc) + "\"" + (st.evenodd ? " fill-rule=\"evenodd\"" : "");
}

std::string fontFamily(const std::string& font) {
    std::string family = "'" + escapeXml(platformToUtf8(font)) + "', ";
    if (font.find("Mono") != std::string::npos) return family + "monospace";
    if (font.find("Serif") != std::string::npos && font.find("Sans") == std::string::npos) return family + "serif";
    return family + "sans-serif";
}

class SvgWriter {
public:
    SvgWriter(const Document& doc, const SvgOptions& options) : doc_(doc), options_(options) {}

    std::string write() {
        const DocState& st = doc_.state();
        const double originH = st.rulerOrigin.h, originV = st.rulerOrigin.v;
        const AIRealRect page{kept(-originH), kept(-originV + st.setup.height), kept(-originH + st.setup.width),
                              kept(-originV)};
        AIRealRect view = page;
        for (ObjId layer : doc_.topLayers()) unionVisibleBounds(layer, view);
        const double margin = 12.0;
        view = {kept(view.left - margin), kept(view.top + margin), kept(view.right + margin), kept(view.bottom - margin)};
        const float width = view.right - view.left, height = view.top - view.bottom;

        out_ << "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n";
        out_ << "<svg xmlns=\"http://www.w3.org/2000/svg\" width=\"" << num(width) << "\" height=\"" << num(height)
             << "\" viewBox=\"" << num(view.left) << ' ' << num(-view.top) << ' ' << num(width) << ' ' << num(height)
             << "\">\n";
        out_ << "<title>" << escapeXml(platformToUtf8(doc_.name)) << "</title>\n";
        out_ << "<rect x=\"" << num(view.left) << "\" y=\"" << num(-view.top) << "\" width=\"" << num(width)
             << "\" height=\"" << num(height) << "\" fill=\"#e8e8e8\"/>\n";
        // Host coordinates have y upwards; this group turns them into SVG's.
        out_ << "<g transform=\"matrix(1 0 0 -1 0 0)\">\n";
        out_ << "<rect id=\"page\" x=\"" << num(page.left) << "\" y=\"" << num(page.bottom) << "\" width=\""
             << num(page.right - page.left) << "\" height=\"" << num(page.top - page.bottom)
             << "\" fill=\"#ffffff\" stroke=\"#b0b0b0\" stroke-width=\"0.5\"/>\n";
        // The first layer is the topmost, so layers are painted from the last up.
        const auto layers = doc_.topLayers();
        for (auto it = layers.rbegin(); it != layers.rend(); ++it) layer(*it, 1);
        if (options_.selection) {
            out_ << "<g id=\"selection\" fill=\"none\" stroke-width=\"0.75\">\n";
            for (auto it = layers.rbegin(); it != layers.rend(); ++it) selectionOf(*it);
            out_ << "</g>\n";
        }
        out_ << "</g>\n</svg>\n";
        return out_.str();
    }

private:
    void indent(int depth) { out_ << std::string(size_t(depth), ' '); }

    bool shown(const Art& a) const {
        if (a.attrs & kArtHidden) return false;
        return !a.isLayerGroup() || a.layer->visible;
    }

    void unionVisibleBounds(ObjId id, AIRealRect& r) const {
        const Art* a = doc_.art(id);
        if (!a || !shown(*a)) return;
        if (a->isContainer()) {
            for (ObjId child : doc_.children(id)) unionVisibleBounds(child, r);
            return;
        }
        AIRealRect b;
        if (!doc_.bounds(id, &b) || !std::isfinite(b.left) || !std::isfinite(b.right) || !std::isfinite(b.top) ||
            !std::isfinite(b.bottom))
            return;
        // Text has no geometric bounds here: its anchor keeps it in view.
        r = {std::min(r.left, b.left), std::max(r.top, b.top), std::max(r.right, b.right), std::min(r.bottom, b.bottom)};
    }

    std::string dataAttributes(const Art& a, const char* type) const {
        return " data-id=\"" + std::to_string(a.id) + "\" data-type=\"" + type + "\"" + keyAttributes(a);
    }

    // What is live about the art: its dictionary keys and tags.
    std::string keyAttributes(const Art& a) const {
        std::string out;
        if (const Dict* d = doc_.dict(a.dictionary); d && !d->entries.empty()) {
            std::string keys;
            for (const auto& [key, value] : d->entries) keys += (keys.empty() ? "" : " ") + platformToUtf8(key);
            out += " data-keys=\"" + escapeXml(keys) + "\"";
        }
        if (!a.tags.empty()) {
            std::string tags;
            for (const auto& t : a.tags) tags += (tags.empty() ? "" : " ") + platformToUtf8(t.name);
            out += " data-tags=\"" + escapeXml(tags) + "\"";
        }
        return out;
    }

    void layer(ObjId id, int depth) {
        const Art& a = *doc_.art(id);
        if (!shown(a)) return;
        indent(depth);
        out_ << "<g id=\"layer-" << a.id << "\" data-title=\"" << escapeXml(platformToUtf8(a.layer->title)) << "\"";
        out_ << keyAttributes(a) << ">\n";
        contents(id, depth + 1);
        indent(depth);
        out_ << "</g>\n";
    }

    // Members are painted bottom first; a clipping path clips the rest of its group.
    void contents(ObjId id, int depth) {
        auto kids = doc_.children(id);
        std::reverse(kids.begin(), kids.end());
        for (ObjId child : kids) art(child, depth);
    }

    void art(ObjId id, int depth) {
        const Art& a = *doc_.art(id);
        if (!shown(a)) return;
        if (a.isLayerGroup()) return layer(id, depth);
        switch (a.type) {
            case kGroupArt: return group(a, depth);
            case kPathArt: return path(a, depth);
            case kCompoundPathArt: return compound(a, depth);
            case kTextFrameArt:
            case kLegacyTextArt: return text(a, depth);
            default: return;  // kinds without drawable content in the model
        }
    }

    void group(const Art& a, int depth) {
        indent(depth);
        out_ << "<g" << dataAttributes(a, "group");
        // A clipping path among the members clips the whole group.
        for (ObjId child : doc_.children(a.id)) {
            const Art* c = doc_.art(child);
            if (c && c->type == kPathArt && c->style.clip) {
                const std::string d = pathData(*c);
                if (d.empty()) break;
                const std::string clipId = "clip-" + std::to_string(a.id);
                out_ << " clip-path=\"url(#" << clipId << ")\">\n";
                indent(depth + 1);
                out_ << "<clipPath id=\"" << clipId << "\"><path d=\"" << d << "\"/></clipPath>\n";
                contents(a.id, depth + 1);
                indent(depth);
                out_ << "</g>\n";
                return;
            }
        }
        out_ << ">\n";
        contents(a.id, depth + 1);
        indent(depth);
        out_ << "</g>\n";
    }

    void path(const Art& a, int depth) {
        if (a.style.clip) return;  // drawn as the clip of its group
        const std::string d = pathData(a);
        if (d.empty()) return;
        indent(depth);
        out_ << "<path" << dataAttributes(a, "path") << " d=\"" << d << "\"" << fillAttributes(a.style, doc_)
             << strokeAttributes(a.style, doc_) << "/>\n";
    }

    // Member paths make one shape painted with the members' paint.
    void compound(const Art& a, int depth) {
        std::string d;
        const Art* first = nullptr;
        for (ObjId child : doc_.children(a.id)) {
            const Art* c = doc_.art(child);
            if (!c || c->type != kPathArt || (c->attrs & kArtHidden)) continue;
            if (!first) first = c;
            d += pathData(*c);
        }
        if (d.empty()) return;
        AIPathStyle style = first->style;
        style.evenodd = first->style.evenodd || a.style.evenodd;
        indent(depth);
        out_ << "<path" << dataAttributes(a, "compound") << " d=\"" << d << "\"" << fillAttributes(style, doc_)
             << strokeAttributes(style, doc_) << "/>\n";
    }

    // A frame that turns and scales its text alike in every direction (no stretch, no shear).
    static bool Similar(const AIRealMatrix& m) {
        const double across = double(m.a) * m.c + double(m.b) * m.d;
        const double lengthA = double(m.a) * m.a + double(m.b) * m.b, lengthC = double(m.c) * m.c + double(m.d) * m.d;
        const double tolerance = 1e-6 * std::max(lengthA, lengthC);
        return std::fabs(across) <= tolerance && std::fabs(lengthA - lengthC) <= tolerance;
    }

    void text(const Art& a, int depth) {
        const auto& story = a.story;
        const auto& m = story.matrix;
        for (float v : {m.a, m.b, m.c, m.d, m.tx, m.ty})
            if (!std::isfinite(v)) return;
        static constexpr const char* kAnchors[] = {"start", "end", "middle"};
        const int justification = story.para.justification;
        const char* anchor = justification >= 0 && justification < 3 ? kAnchors[justification] : "start";
        // Under a stretching or shearing frame (a face of an axonometric view) some renderers
        // take an anchor at the end or middle of the unstretched line: such a text starts each
        // line where the host's own layout starts it.
        std::vector<float> lineStarts;
        if (justification >= 1 && justification < 3 && !Similar(m)) {
            for (const text::LineLayout& line : text::layoutStory(story, text::FontRegistry::shared()).lines)
                lineStarts.push_back(kept(text::justificationOffset(story.para.justification, line.width)));
            anchor = kAnchors[0];
        }
        size_t line = 0;
        indent(depth);
        // Glyphs are drawn y-down; the scale turns them upright inside the flipped document.
        out_ << "<text" << dataAttributes(a, "text") << " transform=\"matrix(" << num(m.a) << ' ' << num(m.b) << ' '
             << num(m.c) << ' ' << num(m.d) << ' ' << num(m.tx) << ' ' << num(m.ty) << ") scale(1 -1)\""
             << " text-anchor=\"" << anchor << "\" xml:space=\"preserve\">";
        float baseline = 0;
        bool lineStart = true;
        for (const auto& run : story.runs) {
            const auto& f = run.features;
            size_t start = 0;
            while (start <= run.text.size()) {
                size_t end = run.text.find('\r', start);
                const bool lineEnds = end != std::string::npos;
                if (!lineEnds) end = run.text.size();
                const std::string piece = run.text.substr(start, end - start);
                if (!piece.empty() || lineStart) {
                    out_ << "<tspan";
                    if (lineStart)
                        out_ << " x=\"" << (line < lineStarts.size() ? num(lineStarts[line]) : std::string("0")) << "\"";
                    const float size = std::isfinite(f.size) ? f.size : 12.0f;
                    const double shift = std::isfinite(f.baselineShift) ? f.baselineShift : 0.0;
                    out_ << " y=\"" << num(kept(baseline - shift)) << "\" font-family=\"" << fontFamily(f.font)
                         << "\" font-size=\"" << num(size) << "\"";
                    if (f.tracking != 0 && std::isfinite(f.tracking))
                        out_ << " letter-spacing=\"" << num(kept(f.tracking / 1000.0 * size)) << "\"";
                    out_ << " fill=\"" << (f.fill ? paint(f.fillColor, doc_) : "none") << "\"";
                    if (f.stroke && f.strokeColor.kind != kNoneColor && std::isfinite(f.lineWidth) && f.lineWidth >= 0)
                        out_ << " stroke=\"" << paint(f.strokeColor, doc_) << "\" stroke-width=\"" << num(f.lineWidth)
                             << "\"";
                    out_ << ">" << escapeXml(platformToUtf8(piece)) << "</tspan>";
                    lineStart = false;
                }
                if (!lineEnds) break;
                const float leading = std::isfinite(f.leading) ? f.leading : (std::isfinite(f.size) ? f.size : 12.0f) * 1.2f;
                baseline = kept(double(baseline) + leading);
                lineStart = true;
                ++line;
                start = end + 1;
            }
        }
        out_ << "</text>\n";
    }

    // ---- selection overlay

    std::string layerColor(ObjId id) const {
        const Art* layer = doc_.art(doc_.layerOf(id));
        AIRGBColor c = layer && layer->layer ? layer->layer->color : AIRGBColor{0, 0, 65535};
        char buf[8];
        std::snprintf(buf, sizeof buf, "#%02x%02x%02x", c.red >> 8, c.green >> 8, c.blue >> 8);
        return buf;
    }

    void selectionOf(ObjId id) {
        const Art* a = doc_.art(id);
        if (!a || !shown(*a)) return;
        if (a->isContainer()) {
            auto kids = doc_.children(id);
            std::reverse(kids.begin(), kids.end());
            for (ObjId child : kids) selectionOf(child);
            return;
        }
        if (!doc_.readsSelected(id)) return;
        const std::string color = layerColor(id);
        if (a->type == kPathArt) {
            const std::string d = pathData(*a);
            if (d.empty()) return;
            out_ << "<path data-selected=\"" << a->id << "\" d=\"" << d << "\" stroke=\"" << color << "\"/>\n";
            const float half = 2.0f;
            for (size_t i = 0; i < a->segments.size(); ++i) {
                const AIRealPoint p = a->segments[i].p;
                const bool on = i < a->segmentSelection.size() && a->segmentSelection[i] == 1;
                out_ << "<rect x=\"" << num(p.h - half) << "\" y=\"" << num(p.v - half) << "\" width=\"" << num(2 * half)
                     << "\" height=\"" << num(2 * half) << "\" stroke=\"" << color << "\" fill=\""
                     << (on ? color : "#ffffff") << "\"/>\n";
            }
            if (a->centerPointVisible) {
                AIRealRect b;
                if (doc_.bounds(id, &b)) {
                    const float cx = kept((double(b.left) + b.right) / 2), cy = kept((double(b.top) + b.bottom) / 2);
                    out_ << "<path d=\"M" << num(cx - 3) << ' ' << num(cy) << "H" << num(cx + 3) << "M" << num(cx)
                         << ' ' << num(cy - 3) << "V" << num(cy + 3) << "\" stroke=\"" << color << "\"/>\n";
                }
            }
            return;
        }
        AIRealRect b;
        if (doc_.bounds(id, &b) && std::isfinite(b.left) && std::isfinite(b.top) && std::isfinite(b.right) &&
            std::isfinite(b.bottom))
            out_ << "<rect data-selected=\"" << a->id << "\" x=\"" << num(b.left) << "\" y=\"" << num(b.bottom)
                 << "\" width=\"" << num(kept(double(b.right) - b.left)) << "\" height=\""
                 << num(kept(double(b.top) - b.bottom)) << "\" stroke=\""
                 << color << "\"/>\n";
    }

    const Document& doc_;
    const SvgOptions& options_;
    std::ostringstream out_;
};

}  // namespace

std::string escapeXml(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char ch : utf8) {
        switch (ch) {
            case '&': out += "&amp;"; break;
            case '<': out += "&lt;"; break;
            case '>': out += "&gt;"; break;
            case '"': out += "&quot;"; break;
            case '\'': out += "&apos;"; break;
            default:
                // XML 1.0 allows no control characters but tab and line ends.
                if (static_cast<unsigned char>(ch) < 0x20 && ch != '\t' && ch != '\n' && ch != '\r') break;
                out += ch;
        }
    }
    return out;
}

std::string documentToSvg(const Document& doc, const SvgOptions& options) { return SvgWriter(doc, options).write(); }

bool saveSvgFile(const Document& doc, const std::string& path, const SvgOptions& options, std::string& error,
                 std::string* note) {
    return writeFileAtomically(path, documentToSvg(doc, options), error, false, note);
}

}  // namespace standin::io
