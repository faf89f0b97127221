// What a careful drafter checks on a finished drawing: every text of a dimension stands
// clear of every line (the part, other dimensions, its own shelf, leader or centre cross)
// and on the page.
//   dimension_clearance DOC.json...
// reads each saved document through the host and names every text whose box crosses a
// printed, visible path, or reaches past the page; the exit status is 1 when it names one.
// The box is the text's ink box in its own frame with a point of air round it, turned with
// the text, so a sloping text is not blamed for the corners of a level box.
#include <array>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "Host.h"
#include "io/DocumentFile.h"
#include "text/Encoding.h"
#include "text/Layout.h"
#include "text/TextEngine.h"
#include "text/TextHost.h"

namespace {

using standin::Art;
using standin::Document;
using standin::ObjId;

struct Point {
    double h, v;
};
using Quad = std::array<Point, 4>;

Point Apply(const AIRealMatrix& m, double h, double v) { return {m.a * h + m.c * v + m.tx, m.b * h + m.d * v + m.ty}; }

// Air a text keeps round its ink, in points of its own frame.
constexpr double kAir = 1.0;

// The corners of the text's ink box with its air, in document space.
Quad TextBox(const Art& text) {
    standin::text::Story level = text.story;
    const AIRealMatrix m = level.matrix;
    level.matrix = AIRealMatrix{1, 0, 0, 1, 0, 0};
    const AIRealRect r = standin::text::storyBounds(level, standin::text::hostTextEngine().fonts());
    const double l = r.left - kAir, b = r.bottom - kAir, rt = r.right + kAir, t = r.top + kAir;
    return {Apply(m, l, b), Apply(m, rt, b), Apply(m, rt, t), Apply(m, l, t)};
}

double Cross(Point o, Point a, Point b) { return (a.h - o.h) * (b.v - o.v) - (a.v - o.v) * (b.h - o.h); }

bool SegmentsCross(Point a, Point b, Point c, Point d) {
    const double d1 = Cross(c, d, a), d2 = Cross(c, d, b), d3 = Cross(a, b, c), d4 = Cross(a, b, d);
    return ((d1 > 0) != (d2 > 0)) && ((d3 > 0) != (d4 > 0)) && d1 != 0 && d2 != 0 && d3 != 0 && d4 != 0;
}

bool Inside(const Quad& q, Point p) {
    bool sign = false, first = true;
    for (size_t i = 0; i < 4; ++i) {
        const double c = Cross(q[i], q[(i + 1) % 4], p);
        if (c == 0) return false;
        if (first) sign = c > 0, first = false;
        else if ((c > 0) != sign) return false;
    }
    return true;
}

bool Crosses(const Quad& q, Point a, Point b) {
    if (Inside(q, a) || Inside(q, b)) return true;
    for (size_t i = 0; i < 4; ++i)
        if (SegmentsCross(a, b, q[i], q[(i + 1) % 4])) return true;
    return false;
}

// The path as a polyline: each Bezier span in short straight steps.
std::vector<Point> Flattened(const Art& path) {
    std::vector<Point> out;
    const auto& s = path.segments;
    const size_t spans = s.empty() ? 0 : (path.closed ? s.size() : s.size() - 1);
    if (!s.empty()) out.push_back({s[0].p.h, s[0].p.v});
    for (size_t k = 0; k < spans; ++k) {
        const AIPathSegment& a = s[k];
        const AIPathSegment& b = s[(k + 1) % s.size()];
        const Point p[4] = {{a.p.h, a.p.v}, {a.out.h, a.out.v}, {b.in.h, b.in.v}, {b.p.h, b.p.v}};
        constexpr int kSteps = 24;
        for (int i = 1; i <= kSteps; ++i) {
            const double t = double(i) / kSteps, u = 1 - t;
            const double w[4] = {u * u * u, 3 * u * u * t, 3 * u * t * t, t * t * t};
            out.push_back({w[0] * p[0].h + w[1] * p[1].h + w[2] * p[2].h + w[3] * p[3].h,
                           w[0] * p[0].v + w[1] * p[1].v + w[2] * p[2].v + w[3] * p[3].v});
        }
    }
    return out;
}

bool IsDimension(const Document& doc, const Art& a) {
    const standin::Dict* d = a.type == kGroupArt && a.dictionary ? doc.dict(a.dictionary) : nullptr;
    return d && d->find("ZA3_Dimension");
}

// Seen on paper: visible, and on a printed layer.
bool Printed(const Document& doc, const Art& a) {
    if (doc.effectivelyHidden(a.id)) return false;
    for (ObjId id = a.id; id; id = doc.art(id)->parent) {
        const Art* up = doc.art(id);
        if (up->layer && !up->layer->printed) return false;
    }
    return true;
}

std::string Quoted(const Art& text) {
    std::string s;
    for (const auto& run : text.story.runs) s += run.text;
    for (char& c : s)
        if (c == '\r') c = '/';
    return "\"" + standin::text::platformToUtf8(s) + "\"";
}

int Check(const std::string& file) {
    standin::Host host;
    std::string error;
    const Document* doc = standin::io::openDocumentFile(host, file, error, nullptr);
    if (!doc) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 1;
    }
    const auto& st = doc->state();
    const double left = -st.rulerOrigin.h, bottom = -st.rulerOrigin.v;
    const double right = left + st.setup.width, top = bottom + st.setup.height;
    std::vector<std::pair<ObjId, std::vector<Point>>> lines;
    std::vector<std::pair<ObjId, ObjId>> texts;  // text, its dimension group
    doc->walk([&](const Art& a, int) {
        if (!Printed(*doc, a)) return;
        if (a.type == kPathArt) lines.push_back({a.id, Flattened(a)});
        if (a.type != kTextFrameArt) return;
        for (ObjId up = a.parent; up; up = doc->art(up)->parent)
            if (IsDimension(*doc, *doc->art(up))) {
                texts.push_back({a.id, up});
                break;
            }
    });
    int faults = 0;
    for (const auto& [textId, group] : texts) {
        const Art& text = *doc->art(textId);
        const Quad box = TextBox(text);
        for (const Point& c : box)
            if (c.h < left || c.h > right || c.v < bottom || c.v > top) {
                std::printf("%s: the text %s of dimension %llu reaches past the page\n", file.c_str(),
                            Quoted(text).c_str(), static_cast<unsigned long long>(group));
                ++faults;
                break;
            }
        for (const auto& [pathId, points] : lines) {
            // The dimension's own lines (its shelf, a centre cross) keep clear of it too.
            const bool own = doc->isDescendant(pathId, group);
            for (size_t i = 0; i + 1 < points.size(); ++i)
                if (Crosses(box, points[i], points[i + 1])) {
                    std::printf("%s: the text %s of dimension %llu crosses %s path %llu\n", file.c_str(),
                                Quoted(text).c_str(), static_cast<unsigned long long>(group),
                                own ? "its own" : "the", static_cast<unsigned long long>(pathId));
                    ++faults;
                    break;
                }
        }
    }
    return faults;
}

}  // namespace

int main(int argc, char** argv) {
    int faults = 0;
    for (int i = 1; i < argc; ++i) faults += Check(argv[i]);
    return faults == 0 ? 0 : 1;
}
