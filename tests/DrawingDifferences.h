// Where two drawings differ: their paths (anchors and handles, closed or not) and texts
// (characters and matrix), taken in paint order, within a tolerance in points. Redrawing
// a drawing nobody edited must find none.
#pragma once

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <vector>

#include "model/Document.h"

namespace drawingdiff {

// What one path or text shows: its words (a path's closure, a text's characters) and its
// numbers (coordinates).
struct Mark {
    standin::ObjId id = 0;
    std::string words;
    std::vector<double> numbers;
};

inline std::vector<Mark> Marks(const standin::Document& doc) {
    std::vector<Mark> marks;
    doc.walk([&](const standin::Art& a, int) {
        Mark m{a.id, {}, {}};
        if (a.type == kPathArt) {
            m.words = a.closed ? "closed path" : "open path";
            for (const AIPathSegment& s : a.segments)
                m.numbers.insert(m.numbers.end(), {s.p.h, s.p.v, s.in.h, s.in.v, s.out.h, s.out.v});
        } else if (a.type == kTextFrameArt) {
            m.words = "text \"";
            for (const auto& run : a.story.runs) m.words += run.text;
            m.words += '"';
            const AIRealMatrix& x = a.story.matrix;
            m.numbers = {x.a, x.b, x.c, x.d, x.tx, x.ty};
        } else {
            return;
        }
        marks.push_back(std::move(m));
    });
    return marks;
}

// Each path or text of the later marks that is not where it stood in the earlier ones, in
// words; empty when the two agree.
inline std::vector<std::string> Differences(const std::vector<Mark>& a, const std::vector<Mark>& b,
                                            double tolerance = 0.01) {
    std::vector<std::string> out;
    if (a.size() != b.size()) {
        out.push_back(std::to_string(a.size()) + " paths and texts became " + std::to_string(b.size()));
        return out;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        double moved = a[i].numbers.size() == b[i].numbers.size() ? 0.0 : HUGE_VAL;
        for (size_t k = 0; k < std::min(a[i].numbers.size(), b[i].numbers.size()); ++k)
            moved = std::max(moved, std::fabs(a[i].numbers[k] - b[i].numbers[k]));
        if (a[i].words == b[i].words && moved <= tolerance) continue;
        std::ostringstream s;
        s << a[i].words << " " << a[i].id << " became " << b[i].words << " " << b[i].id << ", moved by " << moved;
        out.push_back(s.str());
    }
    return out;
}

}  // namespace drawingdiff
