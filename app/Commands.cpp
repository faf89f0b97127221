// Document, layer, art, selection, undo, file and inspection commands of session scripts.
#include "Commands.h"

#include <cctype>
#include <cstdio>
#include <filesystem>

#include "AIArt.h"
#include "AIPath.h"
#include "Session.h"
#include "io/DocumentFile.h"
#include "io/Dump.h"
#include "io/DocumentText.h"
#include "io/Svg.h"
#include "model/Rules.h"

namespace plotwise::app {

using standin::Document;
using standin::ObjId;

Document& Session::document() {
    Document* doc = host_.frontDocument();
    if (!doc) throw ScriptError("no document is open (use new or open first)");
    return *doc;
}

std::string describeError(AIErr err) {
    std::string code;
    for (int shift = 24; shift >= 0; shift -= 8) {
        const char c = char((err >> shift) & 0xFF);
        code += c >= 0x20 && c <= 0x7E ? c : '?';
    }
    // Words first; the code only helps whoever reads the host's sources.
    const char* words = standin::errorWords(err);
    return std::string(words ? words : "the host refused it") + " (error " + code + ")";
}

void check(AIErr err, const Args& args) {
    if (err != kNoErr) throw ScriptError(args.command() + ": " + describeError(err));
}

std::string platformText(const std::string& utf8, const Args& args) {
    std::string bytes;
    if (auto problem = standin::io::utf8ToPlatform(utf8, bytes))
        throw ScriptError(args.command() + ": the text \"" + utf8 + "\" " + *problem);
    // Line breaks of the platform are carriage returns.
    for (char& c : bytes)
        if (c == '\n') c = '\r';
    return bytes;
}

void requireOpenCurrentLayer(const Document& doc, const Args& args) {
    for (const standin::Art* a = doc.art(doc.currentLayer()); a; a = doc.art(a->parent)) {
        if (!a->layer || (a->layer->visible && a->layer->editable)) continue;
        const std::string title = "\"" + standin::io::platformToUtf8(a->layer->title) + "\"";
        const std::string where = a->id == doc.currentLayer() ? "the current layer " + title
                                                              : "the layer " + title + " holding the current layer";
        const bool locked = !a->layer->editable;
        throw ScriptError(args.command() + ": " + where + (locked ? " is locked" : " is hidden") + " (layer " +
                          (locked ? "unlock " : "show ") + title + " first)");
    }
}

namespace {

float positive(const Args& args, size_t i, const char* what) {
    const float v = args.real(i, what);
    if (v <= 0) throw ScriptError(args.command() + ": " + what + " must be greater than 0");
    return v;
}


void cmdNew(Session& session, const Args& args) {
    if (args.size() != 0 && args.size() != 2) throw ScriptError("new: expected no arguments or WIDTH HEIGHT");
    float width = 612.0f, height = 792.0f;
    if (args.size() == 2) {
        width = positive(args, 0, "the width");
        height = positive(args, 1, "the height");
    }
    for (const auto& [size, what] : {std::pair{width, "the width"}, std::pair{height, "the height"}})
        if (auto problem = standin::rules::pageSizeProblem(size, what)) throw ScriptError("new: " + *problem);
    session.host().newDocument(width, height);
}

// Every command takes a relative file name from the current folder, open as save: a name
// that is not found says so.
std::string fromCurrentFolder(const std::string& name) {
    std::error_code ec;
    if (std::filesystem::path(name).is_absolute()) return {};
    const std::filesystem::path folder = std::filesystem::current_path(ec);
    return ec ? std::string() : " (a relative name is taken from the current folder, " + folder.string() + ")";
}

void cmdOpen(Session& session, const Args& args) {
    args.requireCount(1, 1);
    std::string error;
    std::vector<std::string> warnings;
    const std::string& name = args.text(0);
    if (!standin::io::openDocumentFile(session.host(), name, error, &warnings)) {
        std::error_code ec;
        if (!std::filesystem::exists(name, ec)) error += fromCurrentFolder(name);
        throw ScriptError("open: " + error);
    }
    for (const std::string& w : warnings) session.warnings() << session.where() << ": warning: " << w << '\n';
}

void cmdSave(Session& session, const Args& args) {
    args.requireCount(1, 1);
    std::string error, note;
    if (!standin::io::saveDocumentFile(session.document(), args.text(0), error, &note))
        throw ScriptError("save: " + error);
    if (!note.empty()) session.warnings() << session.where() << ": warning: " << note << '\n';
}

void cmdSvg(Session& session, const Args& args) {
    args.requireCount(1, 2);
    standin::io::SvgOptions options;
    if (args.size() == 2) {
        if (!args.is(1, "selection")) throw ScriptError("svg: the only option is \"selection\"");
        options.selection = true;
    }
    std::string error, note;
    if (!standin::io::saveSvgFile(session.document(), args.text(0), options, error, &note))
        throw ScriptError("svg: " + error);
    if (!note.empty()) session.warnings() << session.where() << ": warning: " << note << '\n';
}

ObjId layerNamed(Document& doc, const Args& args, const std::string& title) {
    const ObjId layer = doc.layerByTitle(title);
    if (!layer) throw ScriptError(args.command() + ": no layer titled \"" + args.text(0) + "\"");
    return layer;
}

void cmdLayer(Session& session, const Args& args) {
    if (args.empty()) throw ScriptError("layer: expected add, current, hide, show, lock or unlock");
    const Args sub = args.subcommand();
    sub.requireCount(1, 1);
    const std::string title = platformText(sub.text(0), sub);
    if (title.size() > size_t(kMaxLayerTitle))
        throw ScriptError(sub.command() + ": a layer title holds at most " + std::to_string(kMaxLayerTitle) + " bytes");
    const std::string& what = args.text(0);
    session.change([&](Document& doc) {
        if (what == "add") {
            doc.addLayer(title);
        } else if (what == "current") {
            check(doc.setCurrentLayer(layerNamed(doc, sub, title)), sub);
        } else if (what == "hide" || what == "show") {
            layerNamed(doc, sub, title);
            check(doc.setLayerVisible(title, what == "show"), sub);
        } else if (what == "lock" || what == "unlock") {
            layerNamed(doc, sub, title);
            check(doc.setLayerEditable(title, what == "unlock"), sub);
        } else {
            throw ScriptError("layer: unknown subcommand \"" + what + "\" (add, current, hide, show, lock, unlock)");
        }
    });
}

// Draws on the current layer, saying which layer stops it when one is locked or hidden.
template <class Draw>
void draw(Session& session, const Args& args, Draw&& add) {
    session.change([&](Document& doc) {
        requireOpenCurrentLayer(doc, args);
        check(add(doc), args);
    });
}

void cmdLine(Session& session, const Args& args) {
    args.requireCount(4, 4);
    const AIRealPoint a{args.real(0, "X1"), args.real(1, "Y1")}, b{args.real(2, "X2"), args.real(3, "Y2")};
    draw(session, args, [&](Document& doc) { return doc.addLine(a, b); });
}

// X Y W H of a rectangle or an ellipse, refused when its far corner lies beyond the largest
// coordinate (3e38 + 3e38 is no number a drawing can hold).
struct Box {
    float x, y, w, h;
};

Box boxArgs(const Args& args) {
    args.requireCount(4, 4);
    const Box b{args.real(0, "X"), args.real(1, "Y"), positive(args, 2, "the width"), positive(args, 3, "the height")};
    for (const auto& [edge, what] : {std::pair{b.x + b.w, "the right edge X + W"}, std::pair{b.y + b.h, "the top edge Y + H"}})
        if (auto problem = standin::rules::problemWith(edge, standin::rules::kCoordinate, what))
            throw ScriptError(args.command() + ": " + *problem);
    return b;
}

void cmdRect(Session& session, const Args& args) {
    const Box b = boxArgs(args);
    draw(session, args, [&](Document& doc) { return doc.addRect(b.x, b.y, b.w, b.h); });
}

void cmdEllipse(Session& session, const Args& args) {
    const Box b = boxArgs(args);
    draw(session, args, [&](Document& doc) { return doc.addEllipse(b.x, b.y, b.w, b.h); });
}

void cmdPath(Session& session, const Args& args) {
    size_t count = args.size();
    const bool closed = count > 0 && args.is(count - 1, "closed");
    if (closed) --count;
    if (count < 4 || count % 2 != 0) throw ScriptError("path: expected pairs of coordinates X Y X Y ... [closed]");
    if (count / 2 > size_t(INT16_MAX)) throw ScriptError("path: a path holds at most 32767 anchors");
    std::vector<AIRealPoint> points;
    for (size_t i = 0; i < count; i += 2) points.push_back({args.real(i, "X"), args.real(i + 1, "Y")});
    draw(session, args, [&](Document& doc) { return doc.addPolyline(points, closed); });
}

// A real at args[i] that keeps the rule documents and the host's suites keep too.
float ruled(const Args& args, size_t i, const standin::rules::RealRule& rule, const char* what) {
    const float v = args.real(i, what);
    if (auto problem = standin::rules::problemWith(v, rule, what)) throw ScriptError(args.command() + ": " + *problem);
    return v;
}

// COLOR at args[i]: none | gray G | rgb R G B | cmyk C M Y K; moves i past it.
AIColor colorAt(const Args& args, size_t& i) {
    AIColor color{};
    const auto component = [&](const char* what) { return ruled(args, ++i, standin::rules::kColorComponent, what); };
    if (args.is(i, "none")) {
        color.kind = kNoneColor;
    } else if (args.is(i, "gray")) {
        color.kind = kGrayColor;
        color.c.g.gray = component("the gray level (1 = black)");
    } else if (args.is(i, "rgb")) {
        color.kind = kThreeColor;
        color.c.rgb.red = component("red");
        color.c.rgb.green = component("green");
        color.c.rgb.blue = component("blue");
    } else if (args.is(i, "cmyk")) {
        color.kind = kFourColor;
        color.c.f.cyan = component("cyan");
        color.c.f.magenta = component("magenta");
        color.c.f.yellow = component("yellow");
        color.c.f.black = component("black");
    } else {
        throw ScriptError(args.command() + ": expected a colour (none, gray G, rgb R G B or cmyk C M Y K)");
    }
    ++i;
    return color;
}

template <size_t N>
int16_t codeNamed(const Args& args, size_t i, const char* const (&names)[N]) {
    for (size_t code = 0; code < N; ++code)
        if (args.is(i, names[code])) return static_cast<int16_t>(code);
    std::string known;
    for (const char* name : names) known += std::string(known.empty() ? "" : ", ") + name;
    throw ScriptError(args.command() + ": unknown value \"" + args.text(i) + "\" (" + known + ")");
}

// The paint new art gets, as a person would pick it before drawing.
void cmdPaint(Session& session, const Args& args) {
    if (args.empty() || !(args.is(0, "fill") || args.is(0, "stroke")))
        throw ScriptError("paint: expected fill COLOR or stroke COLOR [width W] [dash L...|solid] [cap C] [join J]");
    const Args sub = args.subcommand();
    AIPathStyle style = session.document().state().pathStyle;
    size_t i = 0;
    const AIColor color = colorAt(sub, i);
    if (args.is(0, "fill")) {
        style.fillPaint = color.kind != kNoneColor;
        style.fill.color = color;
    } else {
        style.strokePaint = color.kind != kNoneColor;
        style.stroke.color = color;
    }
    while (i < sub.size()) {
        if (args.is(0, "fill")) throw ScriptError("paint fill: unexpected \"" + sub.text(i) + "\"");
        if (sub.is(i, "width")) {
            style.stroke.width = ruled(sub, ++i, standin::rules::kStrokeWidth, "the width");
            ++i;
        } else if (sub.is(i, "solid")) {
            style.stroke.dash.length = 0;
            ++i;
        } else if (sub.is(i, "dash")) {
            int16_t n = 0;
            for (++i; i < sub.size() && !sub.is(i, "width") && !sub.is(i, "cap") && !sub.is(i, "join"); ++i) {
                if (n == kMaxDashComponents) throw ScriptError("paint stroke: a dash holds at most 6 lengths");
                style.stroke.dash.array[n++] = ruled(sub, i, standin::rules::kDashLength, "a dash length");
            }
            if (n == 0) throw ScriptError("paint stroke: dash needs at least one length");
            style.stroke.dash.length = n;
        } else if (sub.is(i, "cap")) {
            style.stroke.cap = codeNamed(sub, ++i, standin::rules::kCapNames);
            ++i;
        } else if (sub.is(i, "join")) {
            style.stroke.join = codeNamed(sub, ++i, standin::rules::kJoinNames);
            ++i;
        } else {
            throw ScriptError("paint stroke: unexpected \"" + sub.text(i) + "\" (width, dash, solid, cap, join)");
        }
    }
    session.change([&](Document& doc) { doc.editState().pathStyle = style; });
}

// One word of `select`: an art id, or ID/N for anchor N of path ID as the direct-selection
// tool picks it.
struct Pick {
    ObjId art = 0;
    int anchor = -1;  // the whole art
};

Pick pickAt(Session& session, const Args& args, size_t i) {
    const std::string& word = args.text(i);
    const size_t slash = word.find('/');
    if (slash == std::string::npos || args.token(i).quoted) {
        const ObjId id = artId(session, args, i);
        if (session.document().isLayer(id))
            throw ScriptError("select: " + word + " is a layer, not art (select takes the ids of art; " +
                              "a layer is chosen with layer current)");
        return {id, -1};
    }
    const Args parts(args.command(), {Token{word.substr(0, slash)}, Token{word.substr(slash + 1)}});
    const ObjId id = artId(session, parts, 0);
    const int32_t anchor = parts.integer(1, "an anchor number");
    const standin::Art* a = session.document().art(id);
    if (a->type != kPathArt)
        throw ScriptError("select: art " + parts.text(0) + " is not a path (ID/N picks anchor N of a path)");
    const size_t count = a->segments.size();
    if (anchor < 0 || size_t(anchor) >= count)
        throw ScriptError("select: path " + parts.text(0) + " has " + std::to_string(count) + " anchors (0 to " +
                          std::to_string(count - 1) + "), not " + parts.text(1));
    return {id, anchor};
}

void cmdSelect(Session& session, const Args& args) {
    if (args.empty()) throw ScriptError("select: expected all, none, art ids or anchors (ID/N)");
    if (args.is(0, "all") || args.is(0, "none")) {
        args.requireCount(1, 1);
        const bool all = args.is(0, "all");
        session.change([&](Document& doc) { all ? doc.selectAll() : doc.selectNone(); });
        return;
    }
    std::vector<Pick> picks;
    for (size_t i = 0; i < args.size(); ++i) picks.push_back(pickAt(session, args, i));
    session.change([&](Document& doc) {
        doc.selectNone();
        for (const Pick& p : picks)
            check(p.anchor < 0 ? doc.select(p.art) : doc.setSegmentSelected(p.art, p.anchor, kSegmentPointSelected),
                  args);
    });
}

void cmdUndo(Session& session, const Args& args) {
    args.requireCount(0, 0);
    session.document();
    if (!session.host().userUndo()) throw ScriptError("undo: nothing to undo");
}

void cmdRedo(Session& session, const Args& args) {
    args.requireCount(0, 0);
    session.document();
    if (!session.host().userRedo()) throw ScriptError("redo: nothing to redo");
}

// With plug-ins loaded the full dump lists them too, and needs no document then.
void cmdDump(Session& session, const Args& args) {
    args.requireCount(0, 1);
    if (args.empty()) {
        const bool plugins = session.hasEvents() && session.events().pluginCount() > 0;
        if (!plugins || session.host().documentCount() > 0) standin::io::dumpDocument(session.document(), session.out());
        if (plugins) standin::io::dumpPlugins(session.events().registry(), session.out());
        return;
    }
    standin::io::dumpArt(session.document(), artId(session, args, 0), session.out());
}

}  // namespace

void addDocumentCommands(CommandTable& table) {
    table.add({"new", "new [WIDTH HEIGHT]", "open a new document (default 612 x 792) with one layer", cmdNew});
    table.add({"open", "open FILE.json", "open a saved document in front", cmdOpen});
    table.add({"save", "save FILE.json", "save the front document", cmdSave});
    table.add({"svg", "svg FILE.svg [selection]", "draw the front document as SVG", cmdSvg});
    table.add({"layer", "layer add|current|hide|show|lock|unlock \"Title\"", "add a layer or change one", cmdLayer});
    table.add({"paint", "paint fill|stroke COLOR [width W] [dash L...] ...", "set the paint new art gets", cmdPaint});
    table.add({"line", "line X1 Y1 X2 Y2", "draw a line on the current layer", cmdLine});
    table.add({"rect", "rect X Y W H", "draw a rectangle (X Y = bottom left)", cmdRect});
    table.add({"ellipse", "ellipse X Y W H", "draw an ellipse inside that rectangle", cmdEllipse});
    table.add({"path", "path X Y X Y ... [closed]", "draw a polyline", cmdPath});
    table.add({"name", "name NAME ID|newest [FILTER...]",
               "name art (the newest passing the filters of expect count) for commands taking an id",
               nameArt});
    table.add({"select", "select all|none|ID|ID/N...", "set the selection (ID/N: anchor N of path ID)", cmdSelect});
    table.add({"undo", "undo", "undo the last change", cmdUndo});
    table.add({"redo", "redo", "redo what undo took back", cmdRedo});
    table.add({"dump", "dump [ID]", "print the layers and art (or one art), and the plug-ins loaded", cmdDump});
    table.add({"expect", "expect EXPRESSION", "check the document (see README)", expect});
    addEntryCommand(table);
    addEditCommands(table);
}

ObjId namedArt(Session& session, const Args& args, size_t i) {
    const std::string& word = args.text(i);
    if (!args.token(i).quoted && !word.empty() && std::isalpha(static_cast<unsigned char>(word[0]))) {
        const auto named = session.artNames.find(word);
        if (named == session.artNames.end())
            throw ScriptError(args.command() + ": no art is named " + word + " (name NAME ID|newest ... names one)");
        return session.document().isArt(named->second) ? named->second : 0;
    }
    const int64_t id = args.integer(i, "an art id or name");
    return id > 0 && session.document().isArt(static_cast<ObjId>(id)) ? static_cast<ObjId>(id) : 0;
}

std::string missingArt(const Args& args, size_t i) {
    const std::string& word = args.text(i);
    if (!word.empty() && std::isalpha(static_cast<unsigned char>(word[0])))
        return "the art named " + word + " is not in the front document";
    return "no art with id " + word + " in the front document";
}

ObjId artId(Session& session, const Args& args, size_t i) {
    const ObjId id = namedArt(session, args, i);
    if (!id) throw ScriptError(args.command() + ": " + missingArt(args, i));
    return id;
}

}  // namespace plotwise::app
