// The dump writer. Reals are written in their shortest exact form, texts as UTF-8 in quotes.
#include "io/Dump.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "io/DocumentText.h"
#include "plugin/PluginRegistry.h"

namespace standin::io {
namespace {

std::string num(float v) {
    char buf[32];
    const auto [end, ec] = std::to_chars(buf, buf + sizeof buf, v);
    return ec == std::errc() ? std::string(buf, end) : "?";
}

std::string quote(const std::string& platform) {
    std::string out = "\"";
    for (char c : platformToUtf8(platform)) {
        if (c == '"' || c == '\\') out += '\\';
        if (c == '\r') {
            out += "\\n";
            continue;
        }
        out += c;
    }
    return out + '"';
}

std::string color(const AIColor& c) {
    switch (c.kind) {
        case kGrayColor: return "gray " + num(c.c.g.gray);
        case kFourColor:
            return "cmyk " + num(c.c.f.cyan) + " " + num(c.c.f.magenta) + " " + num(c.c.f.yellow) + " " + num(c.c.f.black);
        case kThreeColor: return "rgb " + num(c.c.rgb.red) + " " + num(c.c.rgb.green) + " " + num(c.c.rgb.blue);
        case kCustomColor: return "custom tint " + num(c.c.c.tint);
        case kGradient: return "gradient";
        case kPattern: return "pattern";
        case kNoneColor: return "none";
        default: return "kind " + std::to_string(c.kind);
    }
}

std::string style(const AIPathStyle& s) {
    static constexpr const char* kCaps[] = {"butt", "round", "projecting"};
    static constexpr const char* kJoins[] = {"miter", "round", "bevel"};
    std::string out = "fill " + (s.fillPaint ? color(s.fill.color) : std::string("off"));
    if (s.evenodd) out += " even-odd";
    out += "; stroke " + (s.strokePaint ? color(s.stroke.color) : std::string("off"));
    out += ", width " + num(s.stroke.width);
    out += ", cap " + (s.stroke.cap >= 0 && s.stroke.cap < 3 ? std::string(kCaps[s.stroke.cap]) : std::to_string(s.stroke.cap));
    out += ", join " +
           (s.stroke.join >= 0 && s.stroke.join < 3 ? std::string(kJoins[s.stroke.join]) : std::to_string(s.stroke.join));
    out += ", miter limit " + num(s.stroke.miterLimit);
    if (s.stroke.dash.length > 0) {
        out += ", dash";
        for (int i = 0; i < std::min<int>(s.stroke.dash.length, kMaxDashComponents); ++i) out += " " + num(s.stroke.dash.array[i]);
        out += " offset " + num(s.stroke.dash.offset);
    }
    if (s.clip) out += ", clip";
    return out;
}

// The drawing scale a plug-in keeps in a layer group's dictionary, when it holds all three
// entries: " scale ID SCALER "LABEL"".
std::string layerScale(const Document& doc, const Art& layer) {
    const Dict* d = doc.dict(layer.dictionary);
    const DictValue* id = d ? d->find("ZA3_ScaleID") : nullptr;
    const DictValue* scaler = d ? d->find("ZA3_Scaler") : nullptr;
    const DictValue* label = d ? d->find("ZA3_ScaleStr") : nullptr;
    if (!id || !scaler || !label || !std::holds_alternative<int32_t>(*id) || !std::holds_alternative<AIReal>(*scaler) ||
        !std::holds_alternative<DictText>(*label))
        return "";
    return " scale " + std::to_string(std::get<int32_t>(*id)) + " " + num(std::get<AIReal>(*scaler)) + " " +
           quote(std::get<DictText>(*label).str());
}

class Dumper {
public:
    Dumper(const Document& doc, std::ostream& out) : doc_(doc), out_(out) {}

    void document() {
        const DocState& st = doc_.state();
        out_ << "document " << quote(doc_.name) << ": page " << num(st.setup.width) << " x " << num(st.setup.height)
             << ", ruler origin " << num(st.rulerOrigin.h) << " " << num(st.rulerOrigin.v);
        if (const Art* current = doc_.art(st.currentLayer); current && current->layer)
            out_ << ", current layer " << current->id << " " << quote(current->layer->title);
        out_ << "\n  new paths: " << style(st.pathStyle) << "\n";
        if (const Dict* d = doc_.dict(st.dictionary); d && !d->entries.empty()) {
            out_ << "  dictionary:\n";
            dict(st.dictionary, 2, 0);
        }
        for (ObjId layer : doc_.topLayers()) art(layer, 0);
    }

    void art(ObjId id, int depth) {
        const Art& a = *doc_.art(id);
        const std::string pad(size_t(depth) * 2, ' ');
        out_ << pad << kindName(a) << " " << a.id;
        if (a.layer) {
            const LayerProps& l = *a.layer;
            out_ << " " << quote(l.title) << (l.visible ? " visible" : " hidden") << (l.editable ? " editable" : " locked")
                 << (l.printed ? " printed" : "") << (l.preview ? " preview" : "") << (l.dimPlaced ? " dim-placed" : "")
                 << " color " << l.color.red << " " << l.color.green << " " << l.color.blue << layerScale(doc_, a);
        }
        if (a.attrs & kArtSelected) out_ << " selected";
        if (a.attrs & kArtFullySelected) out_ << " fully-selected";
        if (a.attrs & kArtLocked) out_ << " locked-art";
        if (a.attrs & kArtHidden) out_ << " hidden-art";
        if (AIRealRect r; !a.layer && doc_.bounds(id, &r))
            out_ << " bounds " << num(r.left) << " " << num(r.bottom) << " " << num(r.right) << " " << num(r.top);
        if (a.type == kPathArt) out_ << (a.closed ? " closed" : " open") << ", " << a.segments.size() << " anchors";
        if (a.centerPointVisible) out_ << ", centre point";
        out_ << "\n";
        if (a.type == kPathArt || (a.type == kCompoundPathArt && !a.layer)) out_ << pad << "  style: " << style(a.style) << "\n";
        if (a.type == kPathArt)
            for (size_t i = 0; i < a.segments.size(); ++i) {
                const auto& s = a.segments[i];
                out_ << pad << "  anchor " << i << ": " << num(s.p.h) << " " << num(s.p.v);
                if (s.in.h != s.p.h || s.in.v != s.p.v) out_ << " in " << num(s.in.h) << " " << num(s.in.v);
                if (s.out.h != s.p.h || s.out.v != s.p.v) out_ << " out " << num(s.out.h) << " " << num(s.out.v);
                if (s.corner) out_ << " corner";
                if (i < a.segmentSelection.size() && a.segmentSelection[i]) out_ << " selected " << a.segmentSelection[i];
                out_ << "\n";
            }
        if (a.type == kTextFrameArt || a.type == kLegacyTextArt) story(a.story, pad + "  ");
        for (const auto& t : a.tags) out_ << pad << "  tag " << quote(t.name) << " " << t.type << " " << quote(t.value) << "\n";
        if (const Dict* d = doc_.dict(a.dictionary); d && !d->entries.empty()) {
            out_ << pad << "  dictionary:\n";
            dict(a.dictionary, depth + 2, 0);
        }
        for (ObjId child : doc_.children(id)) art(child, depth + 1);
    }

private:
    static std::string kindName(const Art& a) {
        if (a.layer) return "layer";
        switch (a.type) {
            case kGroupArt: return "group";
            case kPathArt: return "path";
            case kCompoundPathArt: return "compound";
            case kTextFrameArt: return "text";
            case kLegacyTextArt: return "legacy-text";
            case kRasterArt: return "raster";
            case kPluginArt: return "plugin";
            case kForeignArt: return "foreign";
            default: return "art-type-" + std::to_string(a.type);
        }
    }

    void story(const text::Story& s, const std::string& pad) {
        std::string all;
        for (const auto& run : s.runs) all += run.text;
        const auto& m = s.matrix;
        out_ << pad << "text " << quote(all) << ", matrix " << num(m.a) << " " << num(m.b) << " " << num(m.c) << " "
             << num(m.d) << " " << num(m.tx) << " " << num(m.ty) << ", justification " << s.para.justification << "\n";
        for (const auto& run : s.runs) {
            const auto& f = run.features;
            out_ << pad << "  run " << quote(run.text) << ": " << quote(f.font) << " " << num(f.size) << ", leading "
                 << num(f.leading);
            if (f.baselineShift != 0) out_ << ", shift " << num(f.baselineShift);
            if (f.tracking != 0) out_ << ", tracking " << num(f.tracking);
            if (f.horizontalScale != 1 || f.verticalScale != 1)
                out_ << ", scale " << num(f.horizontalScale) << " " << num(f.verticalScale);
            out_ << ", fill " << (f.fill ? color(f.fillColor) : "off");
            if (f.stroke) out_ << ", stroke " << color(f.strokeColor) << " width " << num(f.lineWidth);
            out_ << "\n";
        }
    }

    void dict(ObjId id, int depth, int nesting) {
        const Dict* d = doc_.dict(id);
        if (!d || nesting > 64) return;
        const std::string pad(size_t(depth) * 2, ' ');
        for (const auto& [key, value] : d->entries) {
            out_ << pad << platformToUtf8(key) << " = ";
            if (auto i = std::get_if<int32_t>(&value)) out_ << "int " << *i << "\n";
            else if (auto r = std::get_if<AIReal>(&value)) out_ << "real " << num(*r) << "\n";
            else if (auto b = std::get_if<bool>(&value)) out_ << "bool " << (*b ? "true" : "false") << "\n";
            else if (auto s = std::get_if<DictText>(&value)) out_ << "string " << quote(s->str()) << "\n";
            else if (auto l = std::get_if<DictLink>(&value)) {
                out_ << "dict\n";
                dict(l->id, depth + 1, nesting + 1);
            }
        }
    }

    const Document& doc_;
    std::ostream& out_;
};

// One plug-in's registrations of one kind, those withdrawn left out.
template <class Entry, class Line>
void registrations(const std::vector<Entry>& entries, size_t plugin, std::ostream& out, Line line) {
    for (const Entry& e : entries)
        if (e.plugin == plugin && !e.gone) {
            out << "  ";
            line(e);
            out << "\n";
        }
}

}  // namespace

void dumpPlugins(const PluginRegistry& reg, std::ostream& out) {
    for (size_t p = 0; p < reg.plugins.size(); ++p) {
        out << "plug-in " << p << " " << quote(reg.plugins[p].name) << "\n";
        registrations(reg.tools, p, out, [&](const ToolEntry& t) {
            out << "tool " << quote(t.name) << " " << quote(t.title) << " group " << t.group << " set " << t.toolset;
        });
        registrations(reg.menuItems, p, out, [&](const MenuItemEntry& m) {
            out << "menu " << quote(m.name) << " " << quote(m.text) << " in " << quote(m.group)
                << (m.enabled ? " enabled" : " disabled") << (m.checked ? " checked" : "");
        });
        registrations(reg.notifiers, p, out, [&](const NotifierEntry& n) {
            out << "notifier " << quote(n.name) << " " << quote(n.type) << (n.active ? "" : " inactive");
        });
        registrations(reg.timers, p, out, [&](const TimerEntry& t) {
            out << "timer " << quote(t.name) << " period " << t.period << (t.active ? " active" : " inactive");
        });
        registrations(reg.annotators, p, out, [&](const AnnotatorEntry& a) {
            out << "annotator " << quote(a.name) << (a.active ? "" : " inactive");
        });
        registrations(reg.exportedSuites, p, out, [&](const ExportedSuite& s) {
            out << "suite " << quote(s.name) << " version " << s.apiVersion << " internal " << s.internalVersion;
        });
    }
}

void dumpDocument(const Document& doc, std::ostream& out) { Dumper(doc, out).document(); }

bool dumpArt(const Document& doc, ObjId id, std::ostream& out) {
    if (!doc.art(id) || id == doc.root()) return false;
    Dumper(doc, out).art(id, 0);
    return true;
}

}  // namespace standin::io
