// Where two drawings differ: their paths (anchors and handles, closed or not) and texts
// (characters and matrix), taken in paint order, within a tolerance in points; and their
// stored records (the document's dictionary, and each art's dictionary and tags, in paint
// order). Redrawing a drawing nobody edited must find none.
#pragma once

#include <algorithm>
#include <cmath>
#include <regex>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "io/Dump.h"
#include "model/Document.h"

namespace drawingdiff {

// What one path or text shows, or what one owner of records stores: its words (a path's
// closure, a text's characters, the records' keys and values) and its numbers (coordinates,
// real values).
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

// A dictionary's entries by key (so an entry written again in another place reads the same),
// sub-dictionaries within; real values become numbers, compared within the tolerance.
inline void WriteDict(const standin::Document& doc, standin::ObjId id, Mark& m, int depth = 0) {
    const standin::Dict* dict = doc.dict(id);
    if (!dict || depth > 16) return;
    std::vector<std::pair<std::string, const standin::DictValue*>> entries;
    for (const auto& [key, value] : dict->entries) entries.emplace_back(key.str(), &value);
    std::sort(entries.begin(), entries.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    m.words += "{";
    for (const auto& [key, value] : entries) {
        m.words += " " + key + "=";
        if (const auto* i = std::get_if<int32_t>(value)) {
            m.words += std::to_string(*i);
        } else if (const auto* r = std::get_if<AIReal>(value)) {
            m.words += "#";
            m.numbers.push_back(*r);
        } else if (const auto* b = std::get_if<bool>(value)) {
            m.words += *b ? "true" : "false";
        } else if (const auto* t = std::get_if<standin::DictText>(value)) {
            m.words += "\"" + t->str() + "\"";
        } else if (const auto* link = std::get_if<standin::DictLink>(value)) {
            WriteDict(doc, link->id, m, depth + 1);
        }
    }
    m.words += " }";
}

// The stored records: the document's dictionary first, then each art's dictionary and tags
// (art without either is passed over, as is an empty dictionary).
inline std::vector<Mark> Records(const standin::Document& doc) {
    std::vector<Mark> records;
    Mark document{0, "document ", {}};
    WriteDict(doc, doc.state().dictionary, document);
    records.push_back(std::move(document));
    doc.walk([&](const standin::Art& a, int) {
        const standin::Dict* dict = doc.dict(a.dictionary);
        if (a.tags.empty() && (!dict || dict->entries.empty())) return;
        Mark m{a.id, a.isLayerGroup() ? "layer " : "art ", {}};
        WriteDict(doc, a.dictionary, m);
        for (const standin::TagEntry& t : a.tags) m.words += " tag " + t.name + "=\"" + t.value + "\"";
        records.push_back(std::move(m));
    });
    return records;
}

// A long text where it parts from another: from a little before the first character that
// differs, to a little after it.
inline std::string Around(const std::string& text, const std::string& other) {
    constexpr size_t kBefore = 60, kAfter = 100;
    if (text.size() <= kBefore + kAfter) return text;
    size_t at = 0;
    while (at < text.size() && at < other.size() && text[at] == other[at]) ++at;
    const size_t from = at > kBefore ? at - kBefore : 0;
    const bool cut = from + kBefore + kAfter < text.size();
    return (from ? "..." : "") + text.substr(from, kBefore + kAfter) + (cut ? "..." : "");
}

// Each mark of the later ones that is not what it was in the earlier ones, in words; empty
// when the two agree.
inline std::vector<std::string> Differences(const std::vector<Mark>& a, const std::vector<Mark>& b,
                                            double tolerance = 0.01) {
    std::vector<std::string> out;
    if (a.size() != b.size()) {
        out.push_back(std::to_string(a.size()) + " marks became " + std::to_string(b.size()));
        // The first where they part.
        size_t i = 0;
        while (i < a.size() && i < b.size() && a[i].words == b[i].words) ++i;
        const std::string none = "(none)", &x = i < a.size() ? a[i].words : none, &y = i < b.size() ? b[i].words : none;
        out.push_back("first apart: " + Around(x, y) + " / " + Around(y, x));
        return out;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        double moved = a[i].numbers.size() == b[i].numbers.size() ? 0.0 : HUGE_VAL;
        for (size_t k = 0; k < std::min(a[i].numbers.size(), b[i].numbers.size()); ++k)
            moved = std::max(moved, std::fabs(a[i].numbers[k] - b[i].numbers[k]));
        if (a[i].words == b[i].words && moved <= tolerance) continue;
        std::ostringstream s;
        s << Around(a[i].words, b[i].words) << " " << a[i].id << " became " << Around(b[i].words, a[i].words) << " "
          << b[i].id << ", moved by " << moved;
        out.push_back(s.str());
    }
    return out;
}

// The drawing as the host lists it: layers, art, selection, styles, texts, tags, dictionaries.
inline std::string Listing(const standin::Document& doc) {
    std::ostringstream out;
    standin::io::dumpDocument(doc, out);
    return out.str();
}

// A listing without the selection and the plug-in's own tags: what stays of it when work a
// timer held back (a restore of the selection) was done meanwhile.
inline std::string WithoutSelection(const std::string& listing) {
    std::istringstream in(listing);
    std::string out;
    for (std::string line; std::getline(in, line);) {
        if (line.find("tag \"ZMK_") != std::string::npos) continue;
        out += std::regex_replace(line, std::regex(" fully-selected| selected( [0-9]+)?"), "") + '\n';
    }
    return out;
}

// The first line where two listings part, with its number; empty when they are the same.
inline std::string FirstLineApart(const std::string& was, const std::string& now) {
    std::istringstream a(was), b(now);
    std::string x, y;
    for (int line = 1;; ++line) {
        const bool moreA = static_cast<bool>(std::getline(a, x)), moreB = static_cast<bool>(std::getline(b, y));
        if (!moreA && !moreB) return "";
        if (!moreA || !moreB || x != y)
            return "line " + std::to_string(line) + ": \"" + (moreA ? x : "(end)") + "\" became \"" +
                   (moreB ? y : "(end)") + "\"";
    }
}

}  // namespace drawingdiff
