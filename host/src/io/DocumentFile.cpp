// Writing and reading document files. The reader goes through the text twice, art entry by
// art entry: the first time it gathers the art ids (refusing duplicates) to decide whether
// the file's ids can be kept, the second it builds the records of a fresh document. Only
// one entry's JSON (without its children) is held at a time. Nesting is bounded by the JSON
// parser, so the recursion here is bounded too.
#include "io/DocumentFile.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <limits>
#include <initializer_list>
#include <map>
#include <optional>
#include <set>
#include <span>
#include <unordered_map>
#include <unordered_set>

#if defined(__GLIBC__)
#include <malloc.h>
#endif

#include "Host.h"
#include "io/AtomicFile.h"
#include "io/DocumentText.h"
#include "io/MemoryReserve.h"
#include "model/Rules.h"

namespace standin::io {
namespace {

struct KindInfo {
    int16_t type;
    const char* name;
    bool children;  // a container: "children"
    bool path;      // segments, closed, centre point
    bool style;     // a path style
    bool story;     // a text story
};

constexpr KindInfo kKinds[] = {
    {kGroupArt, "group", true, false, false, false},
    {kPathArt, "path", false, true, true, false},
    {kCompoundPathArt, "compound", true, false, true, false},
    {kTextFrameArt, "text", false, false, false, true},
    {kLegacyTextArt, "legacy-text", false, false, false, true},
    {kRasterArt, "raster", false, false, false, false},
    {kPluginArt, "plugin", false, false, false, false},
    {kForeignArt, "foreign", false, false, false, false},
    {kUnknownArt, "unknown", false, false, false, false},
};
constexpr const char* kLayerKind = "layer";

const KindInfo* kindOf(int16_t type) {
    for (const auto& k : kKinds)
        if (k.type == type) return &k;
    return nullptr;
}

const KindInfo* kindNamed(std::string_view name) {
    for (const auto& k : kKinds)
        if (name == k.name) return &k;
    return nullptr;
}

struct NamedValue {
    int value;
    const char* name;
};
constexpr NamedValue kCaps[] = {{kAIButtCap, "butt"}, {kAIRoundCap, "round"}, {kAIProjectingCap, "projecting"}};
constexpr NamedValue kJoins[] = {{kAIMiterJoin, "miter"}, {kAIRoundJoin, "round"}, {kAIBevelJoin, "bevel"}};
constexpr NamedValue kAttrs[] = {
    {kArtSelected, "selected"}, {kArtLocked, "locked"}, {kArtHidden, "hidden"}, {kArtFullySelected, "fullySelected"}};
constexpr NamedValue kColorKinds[] = {{kGrayColor, "gray"},     {kFourColor, "cmyk"},   {kPattern, "pattern"},
                                      {kCustomColor, "custom"}, {kGradient, "gradient"}, {kThreeColor, "rgb"},
                                      {kNoneColor, "none"}};
constexpr NamedValue kSwatchKinds[] = {{kCustomFourColor, "cmyk"}, {kCustomThreeColor, "rgb"}, {kCustomLabColor, "lab"}};
constexpr size_t kMaxSwatchName = 255;

// The document's swatches by name, as a file's colours refer to them.
using SwatchIds = std::map<std::string, ObjId>;

// A code by its name, or the bare number for a value the table does not name.
template <size_t N>
Json namedToJson(int value, const NamedValue (&table)[N]) {
    for (const auto& e : table)
        if (e.value == value) return e.name;
    return value;
}

// A code by its name, or a bare number from `min` to `max`.
template <size_t N>
int namedFromJson(const Cursor& c, const NamedValue (&table)[N], int64_t min, int64_t max) {
    std::string names;
    for (const auto& e : table) names += std::string(names.empty() ? "" : ", ") + e.name;
    if (c.json().is_string()) {
        for (const auto& e : table)
            if (c.utf8() == e.name) return e.value;
        c.fail("unknown value \"" + c.utf8() + "\" (one of " + names + ")");
    }
    const int64_t value = c.integer(INT64_MIN, INT64_MAX);
    if (value < min || value > max) c.fail("unknown value " + std::to_string(value) + " (one of " + names + ")");
    return static_cast<int>(value);
}

// ---------------------------------------------------------------- writing

Json pointToJson(AIRealPoint p) { return Json::array({realToJson(p.h), realToJson(p.v)}); }

Json colorToJson(const AIColor& color, const Document& doc) {
    Json j = Json::object();
    j["kind"] = namedToJson(color.kind, kColorKinds);
    switch (color.kind) {
        case kGrayColor: j["value"] = realToJson(color.c.g.gray); break;
        case kFourColor:
            j["value"] = Json::array({realToJson(color.c.f.cyan), realToJson(color.c.f.magenta),
                                      realToJson(color.c.f.yellow), realToJson(color.c.f.black)});
            break;
        case kThreeColor:
            j["value"] = Json::array(
                {realToJson(color.c.rgb.red), realToJson(color.c.rgb.green), realToJson(color.c.rgb.blue)});
            break;
        // A custom colour names its swatch; the tables behind gradients and patterns are not
        // part of the document model.
        case kCustomColor:
            j["tint"] = realToJson(color.c.c.tint);
            if (const CustomColorEntry* swatch = doc.customColor(fromHandle(color.c.c.color))) j["swatch"] = swatch->name;
            break;
        default: break;
    }
    return j;
}

Json styleToJson(const AIPathStyle& s, const Document& doc) {
    Json dash = Json::array();
    const int length = std::clamp<int>(s.stroke.dash.length, 0, kMaxDashComponents);
    for (int i = 0; i < length; ++i) dash.push_back(realToJson(s.stroke.dash.array[i]));
    Json j = Json::object();
    j["fill"] = bool(s.fillPaint);
    j["fillColor"] = colorToJson(s.fill.color, doc);
    j["fillOverprint"] = bool(s.fill.overprint);
    j["stroke"] = bool(s.strokePaint);
    j["strokeColor"] = colorToJson(s.stroke.color, doc);
    j["strokeOverprint"] = bool(s.stroke.overprint);
    j["width"] = realToJson(s.stroke.width);
    j["dash"] = dash;
    j["dashOffset"] = realToJson(s.stroke.dash.offset);
    j["cap"] = namedToJson(s.stroke.cap, kCaps);
    j["join"] = namedToJson(s.stroke.join, kJoins);
    j["miterLimit"] = realToJson(s.stroke.miterLimit);
    j["clip"] = bool(s.clip);
    j["lockClip"] = bool(s.lockClip);
    j["evenodd"] = bool(s.evenodd);
    return j;
}

Json matrixToJson(const AIRealMatrix& m) {
    return Json::array({realToJson(m.a), realToJson(m.b), realToJson(m.c), realToJson(m.d), realToJson(m.tx),
                        realToJson(m.ty)});
}

Json storyToJson(const text::Story& story, const Document& doc) {
    Json runs = Json::array();
    for (const auto& run : story.runs) {
        const auto& f = run.features;
        Json dash = Json::array();
        for (AIReal d : f.lineDashArray) dash.push_back(realToJson(d));
        Json r = Json::object();
        r["text"] = platformToUtf8(run.text);
        r["font"] = platformToUtf8(f.font);
        r["size"] = realToJson(f.size);
        r["leading"] = realToJson(f.leading);
        r["baselineShift"] = realToJson(f.baselineShift);
        r["tracking"] = realToJson(f.tracking);
        r["horizontalScale"] = realToJson(f.horizontalScale);
        r["verticalScale"] = realToJson(f.verticalScale);
        r["fill"] = f.fill;
        r["fillColor"] = colorToJson(f.fillColor, doc);
        r["stroke"] = f.stroke;
        r["strokeColor"] = colorToJson(f.strokeColor, doc);
        r["lineWidth"] = realToJson(f.lineWidth);
        r["lineCap"] = namedToJson(f.lineCap, kCaps);
        r["lineJoin"] = namedToJson(f.lineJoin, kJoins);
        r["miterLimit"] = realToJson(f.miterLimit);
        r["lineDashOffset"] = realToJson(f.lineDashOffset);
        r["lineDashArray"] = dash;
        runs.push_back(std::move(r));
    }
    const auto& p = story.para;
    Json para = Json::object();
    para["justification"] = p.justification;
    para["startIndent"] = realToJson(p.startIndent);
    para["endIndent"] = realToJson(p.endIndent);
    para["firstLineIndent"] = realToJson(p.firstLineIndent);
    para["spaceBefore"] = realToJson(p.spaceBefore);
    para["desiredWordSpacing"] = realToJson(p.desiredWordSpacing);
    para["desiredLetterSpacing"] = realToJson(p.desiredLetterSpacing);
    Json j = Json::object();
    j["matrix"] = matrixToJson(story.matrix);
    j["paragraph"] = std::move(para);
    j["runs"] = std::move(runs);
    return j;
}

// Members that hold what the reader takes when they are missing are left out: a document
// is written as compactly as it reads back the same.
Json withoutDefaults(Json j, const Json& defaults, std::initializer_list<std::string_view> kept = {}) {
    for (auto it = defaults.begin(); it != defaults.end(); ++it) {
        if (std::find(kept.begin(), kept.end(), it.key()) != kept.end()) continue;
        const auto found = j.find(it.key());
        if (found != j.end() && *found == it.value()) j.erase(found);
    }
    return j;
}

// What the reader would refuse is not written.
Json checkedStyle(const AIPathStyle& style, const std::string& whose, const Document& doc) {
    if (auto problem = rules::styleProblem(style)) throw FormatError(whose + ": " + *problem);
    // Kept for the program's life and never dropped: a tree dropped at exit allocates.
    static const Json& defaults = *new Json(styleToJson(defaultPathStyle(), doc));
    return withoutDefaults(styleToJson(style, doc), defaults);
}

Json compactStory(const text::Story& story, const Document& doc) {
    static const Json& defaults = *new Json([&] {
        text::Story none;
        none.runs.emplace_back();
        return storyToJson(none, doc);
    }());
    Json j = storyToJson(story, doc);
    if (j["matrix"] == defaults["matrix"]) j.erase("matrix");
    j["paragraph"] = withoutDefaults(j["paragraph"], defaults["paragraph"]);
    if (j["paragraph"].empty()) j.erase("paragraph");
    for (Json& run : j["runs"]) run = withoutDefaults(run, defaults["runs"][0], {"text"});
    return j;
}

// Anchors and handles: a handle on its anchor and a corner are what the reader takes.
Json segmentToJson(const AIPathSegment& s, int16_t selected) {
    Json seg = Json::object({{"p", pointToJson(s.p)}});
    const auto same = [](AIRealPoint a, AIRealPoint b) { return std::memcmp(&a, &b, sizeof a) == 0; };
    if (!same(s.in, s.p)) seg["in"] = pointToJson(s.in);
    if (!same(s.out, s.p)) seg["out"] = pointToJson(s.out);
    if (!s.corner) seg["corner"] = false;
    if (selected) seg["selected"] = selected;
    return seg;
}

// A dictionary entry: a plain JSON value for an integer, a finite real (written with its
// point), a boolean or a text; the typed form {"real": "nan"} for a real that is not
// finite, and {"dict": {...}} for a dictionary.
bool plainEntry(const DictValue& value, Json* out) {
    if (auto i = std::get_if<int32_t>(&value)) *out = *i;
    else if (auto r = std::get_if<AIReal>(&value); r && std::isfinite(*r)) *out = *r;
    else if (auto b = std::get_if<bool>(&value)) *out = *b;
    else if (auto t = std::get_if<DictText>(&value)) *out = platformToUtf8(t->str());
    else return false;
    return true;
}

// A key as a JSON text: most are plain ASCII and written as they are.
void writeKey(const std::string& key, std::string& out) {
    const bool plain = std::all_of(key.begin(), key.end(), [](char c) { return c >= 0x20 && c < 0x7F && c != '"' && c != '\\'; });
    if (!plain) {
        out += Json(key).dump();
        return;
    }
    out += '"';
    out += key;
    out += '"';
}

// No space between tokens; each art entry begins a line, so a file still reads line by line
// in an editor and a difference between two files shows art by art.
void writeCompact(const Json& j, std::string& out, int depth) {
    // What the reader would refuse is not written: `depth` counts the containers around j.
    if ((j.is_object() || j.is_array()) && depth >= kMaxJsonDepth) throw FormatError(jsonNestingProblem(kMaxJsonDepth));
    if (j.is_object()) {
        if (j.contains("id") && j.contains("kind")) out += '\n';
        out += '{';
        // The top level keeps a blank after each separator: every document's head reads
        // {"format": "plotwise-document", ...
        const char* between = depth == 0 ? ", " : ",";
        const char* colon = depth == 0 ? ": " : ":";
        bool first = true;
        for (auto it = j.begin(); it != j.end(); ++it) {
            if (!first) out += between;
            first = false;
            writeKey(it.key(), out);
            out += colon;
            writeCompact(it.value(), out, depth + 1);
        }
        out += '}';
    } else if (j.is_array()) {
        out += '[';
        for (size_t i = 0; i < j.size(); ++i) {
            if (i) out += ',';
            writeCompact(j[i], out, depth + 1);
        }
        out += ']';
    } else {
        out += j.dump();
    }
}

class Writer {
public:
    explicit Writer(const Document& doc) : doc_(doc) {}

    static Json swatches(const std::vector<CustomColorEntry>& list) {
        Json out = Json::array();
        for (const CustomColorEntry& c : list) {
            Json j = Json::object();
            j["name"] = c.name;
            j["kind"] = namedToJson(c.color.kind, kSwatchKinds);
            switch (c.color.kind) {
                case kCustomFourColor:
                    j["value"] = Json::array({realToJson(c.color.c.f.cyan), realToJson(c.color.c.f.magenta),
                                              realToJson(c.color.c.f.yellow), realToJson(c.color.c.f.black)});
                    break;
                case kCustomThreeColor:
                    j["value"] = Json::array(
                        {realToJson(c.color.c.rgb.red), realToJson(c.color.c.rgb.green), realToJson(c.color.c.rgb.blue)});
                    break;
                case kCustomLabColor:
                    j["value"] = Json::array(
                        {realToJson(c.color.c.lab.l), realToJson(c.color.c.lab.a), realToJson(c.color.c.lab.b)});
                    break;
            }
            out.push_back(std::move(j));
        }
        return out;
    }

    Json document() {
        const DocState& st = doc_.state();
        Json j = Json::object();
        j["format"] = kDocumentFormat;
        j["version"] = kDocumentVersion;
        j["setup"] = Json::object({{"width", realToJson(st.setup.width)}, {"height", realToJson(st.setup.height)}});
        j["rulerOrigin"] = pointToJson(st.rulerOrigin);
        if (st.currentLayer) j["currentLayer"] = st.currentLayer;
        j["pathStyle"] = checkedStyle(st.pathStyle, "the paint of new art", doc_);
        if (!st.customColors.empty()) j["swatches"] = swatches(st.customColors);
        return j;
    }

    // The document written art by art: each entry is made into JSON alone and written at
    // once, its children after it, so no tree of the whole document is ever held.
    void write(std::string& out) {
        writeCompact(document(), out, 0);
        out.pop_back();  // the head's closing brace: the dictionary and the layers follow
        const ObjId dictionary = doc_.state().dictionary;
        if (holdsEntries(dictionary)) {
            out += ", \"dictionary\": ";
            writeDict(dictionary, 0, out, 1);
        }
        out += ", \"layers\": [";
        writeArtList(doc_.topLayers(), 0, out, 2);
        out += "]}";
    }

private:
    bool holdsEntries(ObjId id) const {
        const Dict* d = id ? doc_.dict(id) : nullptr;
        return d && !d->entries.empty();
    }

    // A dictionary written straight out, entry by entry: documents hold many of them.
    // `jsonDepth` counts the containers around it, as the reader counts them.
    void writeDict(ObjId id, int depth, std::string& out, int jsonDepth) {
        if (depth > kMaxNesting) throw FormatError(dictionaryNestingProblem());
        if (jsonDepth >= kMaxJsonDepth) throw FormatError(jsonNestingProblem(kMaxJsonDepth));
        const Dict* d = doc_.dict(id);
        if (d && d->entries.size() > kMaxObjectMembers)
            throw FormatError("a dictionary holds more than " + std::to_string(kMaxObjectMembers) +
                              " entries, more than a file can hold");
        out += '{';
        for (size_t i = 0; d && i < d->entries.size(); ++i) {
            const auto& [key, value] = d->entries[i];
            if (i) out += ',';
            writeKey(platformToUtf8(key), out);
            out += ':';
            Json plain;
            if (plainEntry(value, &plain)) {
                out += plain.dump();
            } else if (auto r = std::get_if<AIReal>(&value)) {
                if (jsonDepth + 1 >= kMaxJsonDepth) throw FormatError(jsonNestingProblem(kMaxJsonDepth));
                out += "{\"real\":" + realToJson(*r).dump() + "}";
            } else if (auto l = std::get_if<DictLink>(&value)) {
                out += "{\"dict\":";
                writeDict(l->id, depth + 1, out, jsonDepth + 2);
                out += '}';
            }
        }
        out += '}';
    }

    void writeArtList(const std::vector<ObjId>& ids, int depth, std::string& out, int jsonDepth) {
        for (size_t i = 0; i < ids.size(); ++i) {
            if (i) out += ',';
            writeCompact(art(ids[i], depth), out, jsonDepth);
            const ObjId dictionary = doc_.art(ids[i])->dictionary;
            const bool container = isContainer(ids[i]);
            if (!container && !holdsEntries(dictionary)) continue;
            out.pop_back();  // the entry's closing brace: its dictionary and members follow
            if (holdsEntries(dictionary)) {
                out += ",\"dictionary\":";
                writeDict(dictionary, 0, out, jsonDepth + 1);
            }
            if (container) {
                out += ",\"children\":[";
                writeArtList(doc_.children(ids[i]), depth + 1, out, jsonDepth + 2);
                out += ']';
            }
            out += '}';
        }
    }

    // Art drawn alike shares its paint: the paint of the art before is written again as it
    // was, without being worked out afresh.
    Json style(const Art& a) {
        if (!lastStyle_ || std::memcmp(&*lastStyle_, &a.style, sizeof a.style) != 0) {
            lastStyleJson_ = checkedStyle(a.style, "art " + std::to_string(a.id), doc_);
            lastStyle_ = a.style;
        }
        return lastStyleJson_;
    }

    bool isContainer(ObjId id) const {
        const Art& a = *doc_.art(id);
        const KindInfo* kind = kindOf(a.type) ? kindOf(a.type) : kindOf(kUnknownArt);
        return a.isLayerGroup() || kind->children;
    }

    // An art entry without its children.
    Json art(ObjId id, int depth) {
        if (depth > kMaxNesting) throw FormatError(artNestingProblem());
        const Art& a = *doc_.art(id);
        Json j = Json::object();
        j["id"] = a.id;
        // Every art type the host makes has a name; anything else is saved as unknown art.
        const KindInfo* kind = kindOf(a.type) ? kindOf(a.type) : kindOf(kUnknownArt);
        if (a.isLayerGroup()) {
            const LayerProps& l = *a.layer;
            const LayerProps none;
            j["kind"] = kLayerKind;
            j["title"] = platformToUtf8(l.title);
            if (l.visible != none.visible) j["visible"] = l.visible;
            if (l.editable != none.editable) j["editable"] = l.editable;
            if (l.printed != none.printed) j["printed"] = l.printed;
            if (l.preview != none.preview) j["preview"] = l.preview;
            if (l.dimPlaced != none.dimPlaced) j["dimPlaced"] = l.dimPlaced;
            if (std::memcmp(&l.color, &none.color, sizeof l.color) != 0)
                j["color"] = Json::array({l.color.red, l.color.green, l.color.blue});
        } else {
            j["kind"] = kind->name;
        }
        Json attrs = Json::array();
        uint32_t rest = a.attrs;
        for (const auto& e : kAttrs)
            if (a.attrs & uint32_t(e.value)) {
                attrs.push_back(e.name);
                rest &= ~uint32_t(e.value);
            }
        if (rest) attrs.push_back(rest);
        if (!attrs.empty()) j["attrs"] = std::move(attrs);
        if (!a.tags.empty()) {
            Json tags = Json::array();
            for (const auto& t : a.tags)
                tags.push_back(Json::object({{"name", platformToUtf8(t.name)},
                                             {"type", platformToUtf8(t.type)},
                                             {"value", platformToUtf8(t.value)}}));
            j["tags"] = std::move(tags);
        }
        if (kind->path) {
            // What the reader would refuse is not written.
            if (auto problem = rules::segmentsProblem(a.segments.data(), a.segments.size()))
                throw FormatError("art " + std::to_string(a.id) + ", " + *problem);
            if (a.segments.size() > kMaxPathAnchors)
                throw FormatError("art " + std::to_string(a.id) + " holds more than " + std::to_string(kMaxPathAnchors) +
                                  " anchors, more than a file can hold");
            if (a.closed) j["closed"] = true;
            if (a.centerPointVisible) j["centerPoint"] = true;
            Json segs = Json::array();
            for (size_t i = 0; i < a.segments.size(); ++i)
                segs.push_back(segmentToJson(a.segments[i], i < a.segmentSelection.size() ? a.segmentSelection[i] : 0));
            j["segments"] = std::move(segs);
        }
        if (kind->style && !a.isLayerGroup()) j["style"] = style(a);
        if (kind->story) j["story"] = compactStory(a.story, doc_);
        return j;
    }

    const Document& doc_;
    std::optional<AIPathStyle> lastStyle_;
    Json lastStyleJson_;
};

// ---------------------------------------------------------------- reading

AIRealPoint pointFrom(const Cursor& c) {
    if (c.size() != 2) c.fail("expected two numbers [h, v]");
    return {c.at(size_t{0}).real(), c.at(size_t{1}).real()};
}

// An anchor or a handle: two finite coordinates, as everywhere else art is made.
AIRealPoint coordinatesFrom(const Cursor& c) {
    const AIRealPoint p = pointFrom(c);
    for (float v : {p.h, p.v})
        if (auto problem = rules::problemWith(v, rules::kCoordinate)) c.fail(*problem);
    return p;
}

void realsFrom(const Cursor& c, AIReal* out, size_t count) {
    if (c.size() != count) c.fail("expected " + std::to_string(count) + " numbers");
    for (size_t i = 0; i < count; ++i) out[i] = c.at(i).real();
}

// A real that keeps the rule scripts and the host's suites keep; refused at its place.
AIReal ruled(const Cursor& c, const rules::RealRule& rule) {
    const AIReal v = c.real();
    if (auto problem = rules::problemWith(v, rule)) c.fail(*problem);
    return v;
}

AIReal ruled(const Cursor& c, std::string_view key, const rules::RealRule& rule, AIReal fallback) {
    return c.has(key) ? ruled(c.at(key), rule) : fallback;
}

void componentsFrom(const Cursor& c, AIReal* out, size_t count) {
    if (c.size() != count) c.fail("expected " + std::to_string(count) + " numbers");
    for (size_t i = 0; i < count; ++i) out[i] = ruled(c.at(i), rules::kColorComponent);
}

// Members of the format's objects, by kind. A member not listed is named in a warning (it
// is ignored, so a save would drop it) instead of passing without a word.
using Known = std::span<const std::string_view>;
constexpr std::string_view kRootKeys[] = {"format", "version", "setup", "rulerOrigin", "currentLayer", "pathStyle", "swatches", "dictionary", "layers"};
constexpr std::string_view kSwatchKeys[] = {"name", "kind", "value"};
constexpr std::string_view kSetupKeys[] = {"width", "height"};
constexpr std::string_view kArtKeys[] = {"id", "kind", "attrs", "tags", "dictionary", "children"};
constexpr std::string_view kLayerKeys[] = {"title", "visible", "editable", "printed", "preview", "dimPlaced", "color"};
constexpr std::string_view kPathKeys[] = {"closed", "centerPoint", "segments", "style"};
constexpr std::string_view kStyledKeys[] = {"style"};
constexpr std::string_view kStoryArtKeys[] = {"story"};
constexpr std::string_view kSegmentKeys[] = {"p", "in", "out", "corner", "selected"};
constexpr std::string_view kTagKeys[] = {"name", "type", "value"};
// The members each kind of colour reads: any other is named, as it would be dropped.
constexpr std::string_view kValueColorKeys[] = {"kind", "value"};
constexpr std::string_view kCustomColorKeys[] = {"kind", "tint", "swatch"};
constexpr std::string_view kKindOnlyKeys[] = {"kind"};
Known colorKeys(AIColorTag kind) {
    switch (kind) {
        case kGrayColor:
        case kFourColor:
        case kThreeColor: return kValueColorKeys;
        case kCustomColor: return kCustomColorKeys;
        default: return kKindOnlyKeys;
    }
}
constexpr std::string_view kStyleKeys[] = {"fill", "fillColor", "fillOverprint", "stroke", "strokeColor", "strokeOverprint",
                              "width", "dash", "dashOffset", "cap", "join", "miterLimit", "clip", "lockClip", "evenodd"};
constexpr std::string_view kStoryKeys[] = {"matrix", "paragraph", "runs"};
constexpr std::string_view kParagraphKeys[] = {"justification", "startIndent", "endIndent", "firstLineIndent", "spaceBefore",
                                  "desiredWordSpacing", "desiredLetterSpacing"};
constexpr std::string_view kRunKeys[] = {"text", "font", "size", "leading", "baselineShift", "tracking", "horizontalScale",
                            "verticalScale", "fill", "fillColor", "stroke", "strokeColor", "lineWidth", "lineCap",
                            "lineJoin", "miterLimit", "lineDashOffset", "lineDashArray"};

class UnknownKeys {
public:
    explicit UnknownKeys(std::vector<std::string>* warnings) : warnings_(warnings) {}

    // `whole` names what the keys are part of.
    void check(const Cursor& c, Known known, Known more = {}, std::string_view whole = "the format") {
        if (!warnings_ || !c.isObject()) return;
        for (auto it = c.json().begin(); it != c.json().end(); ++it) {
            const std::string& key = it.key();
            const auto listed = [&](Known keys) { return std::find(keys.begin(), keys.end(), key) != keys.end(); };
            if (listed(known) || listed(more)) continue;
            if (++found_ <= kMaxNamed)
                warnings_->push_back(c.where() + ": the key \"" + key + "\" is not part of " + std::string(whole) +
                                     "; it is ignored and will not be saved");
        }
    }

    // A value read, but not as the file wrote it.
    void changed(const std::string& where, const std::string& what) {
        if (warnings_) warnings_->push_back(where + ": " + what);
    }

    // Many unknown keys are counted rather than each named.
    void finish() {
        if (warnings_ && found_ > kMaxNamed)
            warnings_->push_back(std::to_string(found_ - kMaxNamed) + " more keys that are not part of the format");
    }

private:
    static constexpr size_t kMaxNamed = 10;
    std::vector<std::string>* warnings_;
    size_t found_ = 0;
};

// A colour. Those of path styles hold components from 0 to 1, as a script gives them; the
// text engine keeps whatever a run is given, so only the form of a run's colour is read.
enum class Components { Ruled, Free };

AIColor colorFrom(const Cursor& c, UnknownKeys& unknown, const SwatchIds& swatches,
                  Components components = Components::Ruled) {
    const bool ruledOnes = components == Components::Ruled;
    const auto values = [&](const Cursor& v, AIReal* out, size_t count) {
        ruledOnes ? componentsFrom(v, out, count) : realsFrom(v, out, count);
    };
    AIColor color{};
    color.kind = static_cast<AIColorTag>(namedFromJson(c.at("kind"), kColorKinds, kGrayColor, kNoneColor));
    unknown.check(c, colorKeys(color.kind), {}, "a colour of kind " + namedToJson(color.kind, kColorKinds).dump());
    switch (color.kind) {
        case kGrayColor: {
            const Cursor value = c.at("value");
            color.c.g.gray = ruledOnes ? ruled(value, rules::kColorComponent) : value.real();
            break;
        }
        case kFourColor: {
            AIReal v[4];
            values(c.at("value"), v, 4);
            color.c.f = {v[0], v[1], v[2], v[3]};
            break;
        }
        case kThreeColor: {
            AIReal v[3];
            values(c.at("value"), v, 3);
            color.c.rgb = {v[0], v[1], v[2]};
            break;
        }
        case kCustomColor: {
            color.c.c.color = nullptr;
            color.c.c.tint = ruledOnes ? ruled(c, "tint", rules::kColorComponent, 0.0f) : c.real("tint", 0.0f);
            if (c.has("swatch")) {
                const Cursor name = c.at("swatch");
                const auto it = swatches.find(name.utf8());
                if (it == swatches.end()) name.fail("names no swatch of the document");
                color.c.c.color = toHandle<AICustomColorHandle>(it->second);
            }
            break;
        }
        default: break;
    }
    return color;
}

AIPathStyle styleFrom(const Cursor& c, UnknownKeys& unknown, const SwatchIds& swatches) {
    AIPathStyle s = defaultPathStyle();
    if (!c.isObject()) c.fail("expected an object");
    unknown.check(c, kStyleKeys);
    s.fillPaint = c.boolean("fill", s.fillPaint);
    if (c.has("fillColor")) s.fill.color = colorFrom(c.at("fillColor"), unknown, swatches);
    s.fill.overprint = c.boolean("fillOverprint", s.fill.overprint);
    s.strokePaint = c.boolean("stroke", s.strokePaint);
    if (c.has("strokeColor")) s.stroke.color = colorFrom(c.at("strokeColor"), unknown, swatches);
    s.stroke.overprint = c.boolean("strokeOverprint", s.stroke.overprint);
    s.stroke.width = ruled(c, "width", rules::kStrokeWidth, s.stroke.width);
    if (c.has("dash")) {
        const Cursor dash = c.at("dash");
        if (dash.size() > size_t(kMaxDashComponents))
            dash.fail("a dash holds at most " + std::to_string(kMaxDashComponents) + " lengths");
        s.stroke.dash.length = static_cast<int16_t>(dash.size());
        for (size_t i = 0; i < dash.size(); ++i) s.stroke.dash.array[i] = ruled(dash.at(i), rules::kDashLength);
    }
    s.stroke.dash.offset = ruled(c, "dashOffset", rules::kDashOffset, s.stroke.dash.offset);
    if (c.has("cap")) s.stroke.cap = static_cast<int16_t>(namedFromJson(c.at("cap"), kCaps, kAIButtCap, kAIProjectingCap));
    if (c.has("join")) s.stroke.join = static_cast<int16_t>(namedFromJson(c.at("join"), kJoins, kAIMiterJoin, kAIBevelJoin));
    s.stroke.miterLimit = ruled(c, "miterLimit", rules::kMiterLimit, s.stroke.miterLimit);
    s.clip = c.boolean("clip", s.clip);
    s.lockClip = c.boolean("lockClip", s.lockClip);
    s.evenodd = c.boolean("evenodd", s.evenodd);
    return s;
}

text::Story storyFrom(const Cursor& c, UnknownKeys& unknown, const SwatchIds& swatches) {
    text::Story story;
    if (!c.isObject()) c.fail("expected an object");
    unknown.check(c, kStoryKeys);
    if (c.has("matrix")) {
        AIReal m[6];
        realsFrom(c.at("matrix"), m, 6);
        story.matrix = {m[0], m[1], m[2], m[3], m[4], m[5]};
    }
    if (c.has("paragraph")) {
        const Cursor p = c.at("paragraph");
        unknown.check(p, kParagraphKeys);
        auto& para = story.para;
        if (p.has("justification")) para.justification = static_cast<int16_t>(p.at("justification").integer(0, 6));
        para.startIndent = p.real("startIndent", para.startIndent);
        para.endIndent = p.real("endIndent", para.endIndent);
        para.firstLineIndent = p.real("firstLineIndent", para.firstLineIndent);
        para.spaceBefore = p.real("spaceBefore", para.spaceBefore);
        para.desiredWordSpacing = p.real("desiredWordSpacing", para.desiredWordSpacing);
        para.desiredLetterSpacing = p.real("desiredLetterSpacing", para.desiredLetterSpacing);
    }
    const Cursor runs = c.at("runs");
    for (size_t i = 0; i < runs.size(); ++i) {
        const Cursor r = runs.at(i);
        unknown.check(r, kRunKeys);
        text::TextRun run;
        run.text = r.at("text").platform();
        auto& f = run.features;
        if (r.has("font")) f.font = r.at("font").platform();
        f.size = r.real("size", f.size);
        f.leading = r.real("leading", f.leading);
        f.baselineShift = r.real("baselineShift", f.baselineShift);
        f.tracking = r.real("tracking", f.tracking);
        f.horizontalScale = r.real("horizontalScale", f.horizontalScale);
        f.verticalScale = r.real("verticalScale", f.verticalScale);
        f.fill = r.boolean("fill", f.fill);
        if (r.has("fillColor")) f.fillColor = colorFrom(r.at("fillColor"), unknown, swatches, Components::Free);
        f.stroke = r.boolean("stroke", f.stroke);
        if (r.has("strokeColor")) f.strokeColor = colorFrom(r.at("strokeColor"), unknown, swatches, Components::Free);
        f.lineWidth = r.real("lineWidth", f.lineWidth);
        if (r.has("lineCap")) f.lineCap = static_cast<int16_t>(namedFromJson(r.at("lineCap"), kCaps, INT16_MIN, INT16_MAX));
        if (r.has("lineJoin"))
            f.lineJoin = static_cast<int16_t>(namedFromJson(r.at("lineJoin"), kJoins, INT16_MIN, INT16_MAX));
        f.miterLimit = r.real("miterLimit", f.miterLimit);
        f.lineDashOffset = r.real("lineDashOffset", f.lineDashOffset);
        if (r.has("lineDashArray")) {
            const Cursor dash = r.at("lineDashArray");
            for (size_t k = 0; k < dash.size(); ++k) f.lineDashArray.push_back(dash.at(k).real());
        }
        story.runs.push_back(std::move(run));
    }
    return story;
}

constexpr int64_t kMaxId = int64_t(1) << 53;

// The art ids of a file: each once, and the range they span.
class FileIds {
public:
    // Checks an entry's own id (and that its children, if any, are a list), as the whole
    // file's ids are checked before anything is built.
    void check(const Cursor& c) {
        if (!c.isObject()) c.fail("expected an object");
        const Cursor id = c.at("id");
        const auto value = static_cast<ObjId>(id.integer(1, kMaxId));
        if (!ids_.insert(value).second) id.fail("the id " + std::to_string(value) + " is used twice");
        least_ = std::min(least_, value);
        most_ = std::max(most_, value);
        if (c.has("children")) (void)c.at("children").size();
    }
    // Every id of an entry and its children, depth first.
    void checkTree(const Cursor& c) {
        check(c);
        if (!c.has("children")) return;
        const Cursor children = c.at("children");
        for (size_t i = 0; i < children.size(); ++i) checkTree(children.at(i));
    }
    bool holds(ObjId id) const { return ids_.count(id) != 0; }
    size_t count() const { return ids_.size(); }
    ObjId least() const { return least_; }
    ObjId most() const { return most_; }

private:
    std::unordered_set<ObjId> ids_;
    ObjId least_ = std::numeric_limits<ObjId>::max();
    ObjId most_ = 0;
};

bool isArtList(const Json* entry, const std::string& key) { return key == (entry ? "children" : "layers"); }

// The first reading of a file: the art entries pass one at a time and only their ids (and
// children) are built and checked. A problem with the ids waits for the end of the file, as a file's
// syntax is judged before its content; so does an entry whose children are not its last
// member (the file is then read whole).
class IdScan : public JsonLists {
public:
    bool isList(const Json* entry, const std::string& key) const override { return isArtList(entry, key); }
    bool keeps(const Json&, const std::string& key) const override { return key == "id" || key == "children"; }
    void begin(const Json& entry, const std::string& where) override {
        if (sizes_.empty()) ++layers_;
        sizes_.push_back(entry.is_object() ? entry.size() : 0);
        if (problem_ || unordered_) return;
        try {
            ids_.check(Cursor(entry, where));
        } catch (const FormatError& e) {
            problem_ = e.what();
        }
    }
    void end(const Json& entry) override {
        if (entry.is_object() && entry.size() != sizes_.back()) unordered_ = true;
        sizes_.pop_back();
    }

    // Members follow the children of some entry: the entries cannot be read one at a time.
    bool unordered() const { return unordered_; }
    size_t layers() const { return layers_; }
    const FileIds& ids() const { return ids_; }
    void throwProblem() const {
        if (problem_) throw FormatError(*problem_);
    }

private:
    FileIds ids_;
    std::vector<size_t> sizes_;  // members of each open entry when it began
    size_t layers_ = 0;
    bool unordered_ = false;
    std::optional<std::string> problem_;
};

// A parse that builds the whole tree, passing on what it changed.
class NoLists : public JsonLists {
public:
    explicit NoLists(JsonLists* heard = nullptr) : heard_(heard) {}
    bool isList(const Json*, const std::string&) const override { return false; }
    void begin(const Json&, const std::string&) override {}
    void end(const Json&) override {}
    void changed(const std::string& where, const std::string& what) override {
        if (heard_) heard_->changed(where, what);
    }

private:
    JsonLists* heard_;
};

// Reads a document into a new, empty one: art by art as a second reading of the file hands
// the entries over (or from the whole tree), each record going into the document as soon
// as its links are known. The document is the caller's to drop if anything fails.
class Reader : public JsonLists {
    // An entry being read: its record, and the last of its children read so far, which
    // goes into the document once the id of the one after it is known.
    struct Open {
        Art art;
        bool isLayer;
        bool container;
        uint64_t children;
        std::optional<Art> waiting;
    };

public:
    Reader(Document& doc, IdSource& ids, std::vector<std::string>* warnings)
        : doc_(doc), ids_(ids), unknown_(warnings) {}

    // A file whose ids `scan` has read; `again` reads it a second time, handing its art to
    // this reader.
    void readStreamed(const Json& json, const IdScan& scan, const std::function<void(JsonLists&)>& again) {
        const Cursor root(json);
        readHead(root, scan.layers());
        scan.throwProblem();
        fileIds_ = &scan.ids();
        readBody(root, scan.ids(), [&] {
            again(*this);
            if (read_ != scan.ids().count()) fail("the file changed while it was read");
        });
    }

    // A file read whole.
    void readWhole(const Json& json) {
        const Cursor root(json);
        readHead(root);
        const Cursor layers = root.at("layers");
        FileIds ids;
        for (size_t i = 0; i < layers.size(); ++i) ids.checkTree(layers.at(i));
        readBody(root, ids, [&] {
            for (size_t i = 0; i < layers.size(); ++i) readTree(layers.at(i));
        });
    }

    bool isList(const Json* entry, const std::string& key) const override { return isArtList(entry, key); }
    void begin(const Json& entry, const std::string& where) override { enter(Cursor(entry, where)); }
    void end(const Json&) override { leave(); }
    void changed(const std::string& where, const std::string& what) override { unknown_.changed(where, what); }

private:
    static void fail(const std::string& problem) { throw FormatError("document: " + problem); }

    // "document.layers[2]" of "document.layers[2].children[0]...": a deep place named short.
    static std::string topLayerPlace(const std::string& where) {
        const size_t close = where.find(']');
        return close == std::string::npos ? where : where.substr(0, close + 1);
    }

    // The format and the version, and at least one layer (as many as `layerCount` says when
    // the layers were handed over one by one).
    void readHead(const Cursor& root, std::optional<size_t> layerCount = std::nullopt) {
        unknown_.check(root, kRootKeys);
        const Cursor format = root.at("format");
        if (format.utf8() != kDocumentFormat)
            format.fail("not a Plotwise document (expected \"" + std::string(kDocumentFormat) + "\")");
        const Cursor version = root.at("version");
        if (version.integer(1, INT32_MAX) > kDocumentVersion)
            version.fail("version " + std::to_string(version.integer(1, INT32_MAX)) +
                         " is newer than this program reads (" + std::to_string(kDocumentVersion) + ")");
        const Cursor layers = root.at("layers");
        if (layerCount.value_or(layers.size()) == 0) layers.fail("a document needs at least one layer");
    }

    // Ids kept when none of them has been handed out yet, else renumbered; the swatches
    // before the art, whose colours name them; the art below the root the empty document
    // was made with; then the document's own state.
    void readBody(const Cursor& root, const FileIds& fileIds, const std::function<void()>& readArt) {
        keepIds_ = fileIds.count() == 0 || fileIds.least() >= ids_.next;
        if (keepIds_ && fileIds.count() != 0) ids_.atLeast(fileIds.most());
        if (root.has("swatches")) readSwatches(root.at("swatches"));

        DocState st = doc_.state();
        open_.push_back(Open{*doc_.art(st.root), true, true, 0, std::nullopt});
        readArt();
        Art rootArt = finish();
        st.root = rootArt.id;
        st.currentLayer = rootArt.firstChild;
        doc_.putArt(std::move(rootArt));

        if (root.has("setup")) {
            const Cursor setup = root.at("setup");
            unknown_.check(setup, kSetupKeys);
            st.setup.width = positiveSize(setup.at("width"));
            st.setup.height = positiveSize(setup.at("height"));
        }
        if (root.has("rulerOrigin")) {
            st.rulerOrigin = pointFrom(root.at("rulerOrigin"));
            if (!std::isfinite(st.rulerOrigin.h) || !std::isfinite(st.rulerOrigin.v))
                root.at("rulerOrigin").fail("the ruler origin must be finite");
        }
        st.pathStyle = styleFrom(root.at("pathStyle"), unknown_, swatchIds_);
        st.dictionary = root.has("dictionary") ? readDict(root.at("dictionary")) : 0;
        if (root.has("currentLayer")) {
            const Cursor current = root.at("currentLayer");
            const auto it = idMap_.find(static_cast<ObjId>(current.integer(1, kMaxId)));
            if (it == idMap_.end() || !layerIds_.count(it->second)) current.fail("names no layer of the document");
            st.currentLayer = it->second;
        }
        st.customColors = swatches_;
        doc_.putState(st);
        unknown_.finish();
    }

    void readSwatches(const Cursor& list) {
        if (!list.isArray()) list.fail("expected an array of swatches");
        if (list.size() > kMaxObjectMembers) list.fail("more than " + std::to_string(kMaxObjectMembers) + " swatches");
        for (size_t i = 0; i < list.size(); ++i) {
            const Cursor c = list.at(i);
            if (!c.isObject()) c.fail("expected an object");
            unknown_.check(c, kSwatchKeys);
            CustomColorEntry entry;
            const Cursor name = c.at("name");
            const std::string platform = name.platform();
            if (platform.empty() || platform.size() > kMaxSwatchName)
                name.fail("a swatch name holds 1 to " + std::to_string(kMaxSwatchName) + " bytes");
            entry.name = name.utf8();
            if (swatchIds_.count(entry.name)) name.fail("repeats the name of an earlier swatch");
            entry.color.kind = static_cast<AICustomColorTag>(
                namedFromJson(c.at("kind"), kSwatchKinds, kCustomFourColor, kCustomLabColor));
            AIReal v[4] = {};
            switch (entry.color.kind) {
                case kCustomFourColor:
                    componentsFrom(c.at("value"), v, 4);
                    entry.color.c.f = {v[0], v[1], v[2], v[3]};
                    break;
                case kCustomThreeColor:
                    componentsFrom(c.at("value"), v, 3);
                    entry.color.c.rgb = {v[0], v[1], v[2]};
                    break;
                case kCustomLabColor:
                    realsFrom(c.at("value"), v, 3);
                    for (size_t k = 0; k < 3; ++k)
                        if (!std::isfinite(v[k])) c.at("value").at(k).fail("a Lab component must be finite");
                    entry.color.c.lab = {v[0], v[1], v[2]};
                    break;
            }
            entry.id = ids_.take();
            swatchIds_[entry.name] = entry.id;
            swatches_.push_back(std::move(entry));
        }
    }

    static AIReal positiveSize(const Cursor& c) {
        const AIReal v = c.real();
        if (!std::isfinite(v) || v <= 0) c.fail("a page size must be a positive number");
        if (auto problem = rules::pageSizeProblem(v, "a page size")) c.fail(*problem);
        return v;
    }

    ObjId idFor(const Cursor& c) {
        const Cursor id = c.at("id");
        const auto fileId = static_cast<ObjId>(id.integer(1, kMaxId));
        // A second reading must meet the ids the first one checked, each once.
        if (fileIds_ && (!fileIds_->holds(fileId) || idMap_.count(fileId)))
            id.fail("the file changed while it was read");
        const ObjId docId = keepIds_ ? fileId : ids_.take();
        idMap_[fileId] = docId;
        ++read_;
        return docId;
    }

    uint32_t attrsFrom(const Cursor& c) {
        uint32_t attrs = 0;
        for (size_t i = 0; i < c.size(); ++i) {
            const Cursor a = c.at(i);
            attrs |= a.json().is_string() ? static_cast<uint32_t>(namedFromJson(a, kAttrs, 0, 0))
                                          : static_cast<uint32_t>(a.integer(0, UINT32_MAX));
        }
        return attrs;
    }

    // An entry and everything inside it, from the whole tree.
    void readTree(const Cursor& c) {
        enter(c);
        if (c.has("children")) {
            const Cursor list = c.at("children");
            for (size_t i = 0; i < list.size(); ++i) readTree(list.at(i));
        }
        leave();
    }

    // An entry whose own members are read; its children follow. It takes its place below
    // the entry open before it.
    void enter(const Cursor& c) {
        Open& parent = open_.back();
        // The root is open below the top layers, which are art of depth 0.
        if (open_.size() - 1 > size_t(kMaxNesting)) throw FormatError(topLayerPlace(c.where()) + ": " + artNestingProblem());
        if (open_.size() == 1) {
            if (!c.has("kind") || !c.at("kind").json().is_string() || c.at("kind").utf8() != kLayerKind)
                c.fail("a top-level entry must be a layer (\"kind\": \"layer\")");
        } else if (!parent.container) {
            const std::string& where = c.where();
            throw FormatError(where.substr(0, where.rfind('[')) + ": only groups, compound paths and layers hold children");
        }
        Open entry = readOwnMembers(c, parent.isLayer);
        Art& a = entry.art;
        a.parent = parent.art.id;
        a.order = uint64_t(++parent.children) << 32;  // keys apart, as the document places art
        if (parent.waiting) {
            a.prev = parent.waiting->id;
            parent.waiting->next = a.id;
            doc_.putArt(std::move(*parent.waiting));
            parent.waiting.reset();
        } else {
            parent.art.firstChild = a.id;
        }
        parent.art.lastChild = a.id;
        open_.push_back(std::move(entry));
    }

    // The entry open last has all its children: it waits for the id of the one after it.
    void leave() {
        Art art = finish();
        open_.back().waiting = std::move(art);
    }

    Art finish() {
        Open& o = open_.back();
        if (o.waiting) doc_.putArt(std::move(*o.waiting));
        Art art = std::move(o.art);
        open_.pop_back();
        return art;
    }

    Open readOwnMembers(const Cursor& c, bool insideLayer) {
        if (!c.isObject()) c.fail("expected an object");
        const Cursor kindField = c.at("kind");
        Art a;
        a.id = idFor(c);
        const std::string& kindName = kindField.utf8();
        const bool isLayer = kindName == kLayerKind;
        const KindInfo* kind = isLayer ? kindOf(kGroupArt) : kindNamed(kindName);
        if (!kind) kindField.fail("unknown art kind \"" + kindName + "\"");
        a.type = kind->type;
        if (isLayer) {
            if (!insideLayer) c.fail("a layer can only be inside another layer");
            LayerProps l;
            l.title = c.at("title").platform();
            if (l.title.size() > size_t(kMaxLayerTitle))
                c.at("title").fail("a layer title holds at most " + std::to_string(kMaxLayerTitle) + " bytes");
            l.visible = c.boolean("visible", l.visible);
            l.editable = c.boolean("editable", l.editable);
            l.printed = c.boolean("printed", l.printed);
            l.preview = c.boolean("preview", l.preview);
            l.dimPlaced = c.boolean("dimPlaced", l.dimPlaced);
            if (c.has("color")) {
                const Cursor color = c.at("color");
                if (color.size() != 3) color.fail("expected three numbers [red, green, blue]");
                l.color = {static_cast<uint16_t>(color.at(size_t{0}).integer(0, 65535)),
                           static_cast<uint16_t>(color.at(size_t{1}).integer(0, 65535)),
                           static_cast<uint16_t>(color.at(size_t{2}).integer(0, 65535))};
            }
            a.layer = std::move(l);
            layerIds_.insert(a.id);
        }
        if (c.has("attrs")) a.attrs = attrsFrom(c.at("attrs"));
        if (c.has("tags")) {
            const Cursor tags = c.at("tags");
            for (size_t i = 0; i < tags.size(); ++i) {
                const Cursor t = tags.at(i);
                unknown_.check(t, kTagKeys);
                a.tags.push_back({t.at("name").platform(), t.has("type") ? t.at("type").platform() : "string",
                                  t.at("value").platform()});
            }
        }
        if (c.has("dictionary")) a.dictionary = readDict(c.at("dictionary"));
        if (kind->path) {
            a.closed = c.boolean("closed", false);
            a.centerPointVisible = c.boolean("centerPoint", false);
            const Cursor segs = c.at("segments");
            if (segs.size() > size_t(INT16_MAX)) segs.fail("a path holds at most 32767 anchors");
            a.segments.reserve(segs.size());
            a.segmentSelection.reserve(segs.size());
            for (size_t i = 0; i < segs.size(); ++i) {
                const Cursor s = segs.at(i);
                unknown_.check(s, kSegmentKeys);
                AIPathSegment seg{};
                seg.p = coordinatesFrom(s.at("p"));
                seg.in = s.has("in") ? coordinatesFrom(s.at("in")) : seg.p;
                seg.out = s.has("out") ? coordinatesFrom(s.at("out")) : seg.p;
                seg.corner = s.boolean("corner", true);
                a.segments.push_back(seg);
                a.segmentSelection.push_back(
                    s.has("selected") ? static_cast<int16_t>(s.at("selected").integer(0, INT16_MAX)) : int16_t{0});
            }
        }
        if (kind->style && !isLayer) a.style = styleFrom(c.at("style"), unknown_, swatchIds_);
        if (kind->story) a.story = storyFrom(c.at("story"), unknown_, swatchIds_);
        unknown_.check(c, kArtKeys, isLayer       ? Known(kLayerKeys)
                                    : kind->path  ? Known(kPathKeys)
                                    : kind->style ? Known(kStyledKeys)
                                    : kind->story ? Known(kStoryArtKeys)
                                                  : Known());
        return Open{std::move(a), isLayer, isLayer || kind->children, 0, std::nullopt};
    }

    // A dictionary and those inside it; `depth` counts the dictionaries around it, up to the
    // one at `outer` that an art or the document holds.
    ObjId readDict(const Cursor& c, int depth = 0, const std::string& outer = {}) {
        const std::string& place = depth == 0 ? c.where() : outer;
        if (depth > kMaxNesting) throw FormatError(place + ": " + dictionaryNestingProblem());
        if (!c.isObject()) c.fail("a dictionary must be an object");
        Dict d;
        d.id = ids_.take();
        c.forEachMember([&](const std::string& keyText, const Cursor& e) {
            std::string key;
            if (auto problem = utf8ToPlatform(keyText, key)) c.fail("the key \"" + keyText + "\" " + *problem);
            // The plain form of the writers since version 2: the JSON value's own type.
            switch (e.json().type()) {
                case Json::value_t::number_integer:
                case Json::value_t::number_unsigned:
                case Json::value_t::binary:  // a whole number past 64 bits: refused as out of range
                    d.entries.emplace_back(key, static_cast<int32_t>(e.integer(INT32_MIN, INT32_MAX)));
                    return;
                case Json::value_t::number_float: d.entries.emplace_back(key, e.real()); return;
                case Json::value_t::boolean: d.entries.emplace_back(key, e.boolean()); return;
                case Json::value_t::string: d.entries.emplace_back(key, e.platform()); return;
                default: break;
            }
            if (!e.isObject() || e.json().size() != 1)
                e.fail("expected a number, true or false, a text, or one typed value such as {\"int\": 1}, "
                       "{\"real\": 0.5}, {\"bool\": true}, {\"string\": \"a\"} or {\"dict\": {...}}");
            const std::string& type = e.json().begin().key();
            const Cursor v(e.json().begin().value(), e.where() + "." + type);
            if (type == "int") d.entries.emplace_back(key, static_cast<int32_t>(v.integer(INT32_MIN, INT32_MAX)));
            else if (type == "real") d.entries.emplace_back(key, v.real());
            else if (type == "bool") d.entries.emplace_back(key, v.boolean());
            else if (type == "string") d.entries.emplace_back(key, v.platform());
            else if (type == "dict") d.entries.emplace_back(key, DictLink{readDict(v, depth + 1, place)});
            else e.fail("unknown entry type \"" + type + "\" (int, real, bool, string or dict)");
        });
        const ObjId id = d.id;
        doc_.putDict(std::move(d));
        return id;
    }

    Document& doc_;
    IdSource& ids_;
    bool keepIds_ = true;
    std::vector<CustomColorEntry> swatches_;
    SwatchIds swatchIds_;
    std::unordered_map<ObjId, ObjId> idMap_;  // file id -> document id
    std::set<ObjId> layerIds_;
    std::vector<Open> open_;                  // the root, then each entry open inside the last
    const FileIds* fileIds_ = nullptr;        // of the first reading, when there were two
    size_t read_ = 0;                         // entries read
    UnknownKeys unknown_;
};

}  // namespace

std::string writeDocumentText(const Document& doc, size_t maxBytes) {
    const MemoryReserve reserve;  // the writer's trees allocate where a failure could not be met
    std::string out;
    Writer(doc).write(out);
    out += '\n';
    // A file the reader would refuse as too large is not written.
    if (out.size() > maxBytes)
        throw FormatError("it would take " + sizeInWords(out.size()) + ", more than the " + sizeInWords(maxBytes) + " " +
                          std::string(kDocumentFile.what) + " may hold");
    return out;
}

namespace {

// Gives the memory freed since it was made back to the system when it goes: reading a whole
// tree takes many times what the document keeps. (Reading entry by entry frees little, and
// what it frees is used again at once.)
struct GiveBackFreedMemory {
    GiveBackFreedMemory() = default;
    GiveBackFreedMemory(const GiveBackFreedMemory&) = delete;
    GiveBackFreedMemory& operator=(const GiveBackFreedMemory&) = delete;
    ~GiveBackFreedMemory() {
#if defined(__GLIBC__)
        malloc_trim(0);
#endif
    }
};

// Reads a document from `input` in two passes (`rewind` goes back to its start between
// them): the ids first, then the art, entry by entry, so neither the text nor its whole
// tree is ever held. A file whose entries cannot be read one at a time is read whole.
std::unique_ptr<Document> readDocument(const JsonInput& input, const std::function<void()>& rewind, IdSource& ids,
                                       std::vector<std::string>* warnings) {
    IdScan scan;
    const Tree<Json> json = parseJsonInParts(input, scan);
    if (!json->is_object()) throw FormatError("document: expected a JSON object");
    auto doc = std::make_unique<Document>(ids, Document::Empty{});
    std::vector<std::string> found;
    Reader reader(*doc, ids, warnings ? &found : nullptr);
    if (scan.unordered()) {
        const GiveBackFreedMemory afterwards;
        rewind();
        NoLists whole(&reader);
        reader.readWhole(*parseJsonInParts(input, whole));
    } else {
        reader.readStreamed(*json, scan, [&](JsonLists& art) {
            rewind();
            (void)parseJsonInParts(input, art);
        });
    }
    if (warnings) warnings->insert(warnings->end(), found.begin(), found.end());
    doc->journal().clear();
    return doc;
}

}  // namespace

std::unique_ptr<Document> readDocumentText(std::string_view text, IdSource& ids, std::vector<std::string>* warnings) {
    return readDocument(JsonInput{text}, [] {}, ids, warnings);
}

bool saveDocumentFile(const Document& doc, const std::string& path, std::string& error, std::string* note) {
    std::string text;
    try {
        text = writeDocumentText(doc);
    } catch (const std::bad_alloc&) {
        error = "cannot save " + path + ": there was not enough memory to write the document";
        return false;
    } catch (const std::exception& e) {
        error = "cannot save " + path + ": " + e.what();
        return false;
    }
    return writeFileAtomically(path, text, error, false, note);
}

Document* openDocumentFile(Host& host, const std::string& path, std::string& error,
                           std::vector<std::string>* warnings) {
    FileStream file;
    if (!file.open(path, kDocumentFile, error)) return nullptr;
    Document* opened = nullptr;
    try {
        std::vector<std::string> found;
        auto doc = readDocument(JsonInput{{}, &file.stream()}, [&] { file.rewind(); }, host.documentIds(),
                                warnings ? &found : nullptr);
        if (warnings)
            for (const std::string& w : found) warnings->push_back(path + ": " + w);
        doc->name = path;
        opened = &host.adoptDocument(std::move(doc));
    } catch (const FormatError& e) {
        error = path + ": " + e.what();
    } catch (const std::bad_alloc&) {
        error = path + ": there was not enough memory to read the document";
    }
    return opened;
}

}  // namespace standin::io
