// `expect`: checks on the front document so that scripts double as end-to-end tests.
//
//   expect count [FILTER...] OP N       art (layer groups left out) passing every filter:
//        type=group|path|compound|text  layer="Title"  key=KEY/KEY...  tag=NAME
//        text="contents"  selected  hidden  locked  visible
//   expect layers OP N                  top-level layers
//   expect documents OP N               open documents
//   expect current-layer OP "Title"
//   expect entry TARGET KEY/KEY... OP VALUE | exists | missing
//        TARGET: document, an art id, or layer="Title"; VALUE typed by the entry
//   expect text ID OP "contents"
//   expect menus OP N                   menu items the plug-ins registered (and still hold)
//   expect notifiers OP N               notifiers the plug-ins registered (and still hold)
//   expect scale "Title" OP "label" | id OP N | scaler OP X
//                                       the drawing scale stored on that layer
//   expect panel "Panel" ITEM text OP "text" | value OP X | enabled OP BOOL | known OP BOOL
//                                       an item of an open panel, as the user reads it
//   expect panel "Panel" left|top|width|height OP N | collapsed OP BOOL
//                                       where the panel is on the screen
//
// OP is one of == != < <= > >= (strings and booleans: == and != only). Reals are equal when
// they differ by at most 1e-5 of the larger.
#include <cctype>
#include <algorithm>
#include <charconv>
#include <cmath>
#include <sstream>

#include "Commands.h"
#include "Session.h"
#include "io/DocumentText.h"

namespace plotwise::app {

using standin::Art;
using standin::Dict;
using standin::DictLink;
using standin::DictText;
using standin::DictValue;
using standin::Document;
using standin::ObjId;

namespace {

enum class Op { Eq, Ne, Lt, Le, Gt, Ge };

struct OpName {
    Op op;
    const char* text;
};
constexpr OpName kOps[] = {{Op::Eq, "=="}, {Op::Ne, "!="}, {Op::Lt, "<"}, {Op::Le, "<="}, {Op::Gt, ">"}, {Op::Ge, ">="}};

bool isOp(const Args& args, size_t i) {
    for (const auto& o : kOps)
        if (args.is(i, o.text)) return true;
    return false;
}

Op opAt(const Args& args, size_t i) {
    for (const auto& o : kOps)
        if (args.is(i, o.text)) return o.op;
    throw ScriptError("expect: expected a comparison (== != < <= > >=) in place of \"" + args.text(i) + "\"");
}

template <class T>
bool holds(const T& a, Op op, const T& b) {
    switch (op) {
        case Op::Eq: return a == b;
        case Op::Ne: return a != b;
        case Op::Lt: return a < b;
        case Op::Le: return a <= b;
        case Op::Gt: return a > b;
        case Op::Ge: return a >= b;
    }
    return false;
}

bool realsHold(double a, Op op, double b) {
    const bool equal = std::fabs(a - b) <= 1e-5 * std::max({1e-30, std::fabs(a), std::fabs(b)});
    switch (op) {
        case Op::Eq: return equal;
        case Op::Ne: return !equal;
        case Op::Lt: return a < b && !equal;
        case Op::Le: return a < b || equal;
        case Op::Gt: return a > b && !equal;
        case Op::Ge: return a > b || equal;
    }
    return false;
}

void equalityOnly(Op op, const std::string& what) {
    if (op != Op::Eq && op != Op::Ne) throw ScriptError("expect: " + what + " compare only with == or !=");
}

// The expression as written, for messages.
std::string written(const Args& args) {
    std::string out;
    for (size_t i = 0; i < args.size(); ++i) {
        if (i) out += ' ';
        out += args.token(i).quoted ? "\"" + args.text(i) + "\"" : args.text(i);
    }
    return out;
}

[[noreturn]] void failed(const Args& args, const std::string& found) {
    throw ExpectationFailed("expectation failed: " + written(args) + " (found " + found + ")");
}

std::string shown(const std::string& platform) { return "\"" + standin::io::platformToUtf8(platform) + "\""; }

std::string textOf(const Art& a) {
    std::string all;
    for (const auto& run : a.story.runs) all += run.text;
    return all;
}

// The entry at a key path below a dictionary, or null.
const DictValue* entryAt(const Document& doc, ObjId dict, const std::vector<std::string>& path) {
    const DictValue* value = nullptr;
    for (size_t i = 0; i < path.size(); ++i) {
        const Dict* d = doc.dict(dict);
        if (!d) return nullptr;
        value = d->find(path[i]);
        if (!value) return nullptr;
        if (i + 1 < path.size()) {
            const auto* link = std::get_if<DictLink>(value);
            if (!link) return nullptr;
            dict = link->id;
        }
    }
    return value;
}

struct NamedType {
    const char* name;
    int16_t type;
};
constexpr NamedType kTypes[] = {{"group", kGroupArt}, {"path", kPathArt}, {"compound", kCompoundPathArt}, {"text", kTextFrameArt}};

using Filter = std::function<bool(const Document&, const Art&)>;

Filter filterFrom(Session& session, const Args& args, size_t i) {
    const std::string& word = args.text(i);
    if (args.token(i).quoted) throw ScriptError("expect count: unexpected text \"" + word + "\"");
    const size_t eq = word.find('=');
    const std::string name = word.substr(0, eq);
    const std::string value = eq == std::string::npos ? "" : word.substr(eq + 1);
    if (eq == std::string::npos) {
        if (name == "selected") return [](const Document& d, const Art& a) { return d.readsSelected(a.id); };
        if (name == "hidden") return [](const Document& d, const Art& a) { return d.effectivelyHidden(a.id); };
        if (name == "visible") return [](const Document& d, const Art& a) { return !d.effectivelyHidden(a.id); };
        if (name == "locked") return [](const Document& d, const Art& a) { return d.effectivelyLocked(a.id); };
    } else if (name == "type") {
        for (const auto& t : kTypes)
            if (value == t.name) return [type = t.type](const Document&, const Art& a) { return a.type == type; };
        throw ScriptError("expect count: unknown type \"" + value + "\" (group, path, compound or text)");
    } else if (name == "layer") {
        const std::string title = platformText(value, args);
        // Counting on a layer that is not there is a mistake, not a count of 0.
        if (!session.document().layerByTitle(title)) failed(args, "no layer titled \"" + value + "\"");
        return [title](const Document& d, const Art& a) {
            const Art* layer = d.art(d.layerOf(a.id));
            return layer && layer->layer && layer->layer->title == title;
        };
    } else if (name == "key") {
        return [path = keyPath(value, args, "expect")](const Document& d, const Art& a) {
            return a.dictionary && entryAt(d, a.dictionary, path) != nullptr;
        };
    } else if (name == "tag") {
        const std::string tag = platformText(value, args);
        return [tag](const Document&, const Art& a) {
            return std::any_of(a.tags.begin(), a.tags.end(), [&](const auto& t) { return t.name == tag; });
        };
    } else if (name == "text") {
        const std::string text = platformText(value, args);
        return [text](const Document&, const Art& a) {
            return (a.type == kTextFrameArt || a.type == kLegacyTextArt) && textOf(a) == text;
        };
    }
    throw ScriptError("expect count: unknown filter \"" + word +
                      "\" (type=, layer=, key=, tag=, text=, selected, hidden, locked, visible)");
}

int64_t countValue(const Args& args, size_t i) {
    const int64_t n = args.integer(i, "the count");
    if (n < 0) throw ScriptError("expect: a count cannot be negative");
    return n;
}

}  // namespace

std::vector<std::string> keyPath(const std::string& text, const Args& args, const std::string& command) {
    std::vector<std::string> keys;
    size_t start = 0;
    while (true) {
        const size_t slash = text.find('/', start);
        keys.push_back(platformText(text.substr(start, slash == std::string::npos ? std::string::npos : slash - start), args));
        if (keys.back().empty()) throw ScriptError(command + ": empty key in \"" + text + "\"");
        if (slash == std::string::npos) return keys;
        start = slash + 1;
    }
}

void nameArt(Session& session, const Args& args) {
    if (args.size() < 2) throw ScriptError("name: expected NAME ID|newest [FILTER...]");
    const std::string& name = args.text(0);
    if (args.token(0).quoted || name.empty() || !std::isalpha(static_cast<unsigned char>(name[0])))
        throw ScriptError("name: a name begins with a letter, not \"" + name + "\"");
    ObjId id = 0;
    if (args.is(1, "newest")) {
        // The art made last among those passing every filter: ids only grow.
        std::vector<Filter> filters;
        for (size_t i = 2; i < args.size(); ++i) filters.push_back(filterFrom(session, args, i));
        const Document& doc = session.document();
        for (ObjId candidate : doc.matching([&](const Art& a) {
                 return std::all_of(filters.begin(), filters.end(), [&](const Filter& f) { return f(doc, a); });
             }))
            id = std::max(id, candidate);
        if (!id) throw ScriptError("name: no art passes those filters");
    } else {
        args.requireCount(2, 2);
        id = artId(session, args, 1);
    }
    session.artNames[name] = id;
}

namespace {

void expectCount(Session& session, const Args& args) {
    std::vector<Filter> filters;
    size_t i = 1;
    for (; i < args.size() && !isOp(args, i); ++i) filters.push_back(filterFrom(session, args, i));
    if (args.size() != i + 2) throw ScriptError("expect count: expected [FILTER...] OP N");
    const Op op = opAt(args, i);
    const int64_t want = countValue(args, i + 1);
    const Document& doc = session.document();
    const auto found = static_cast<int64_t>(doc.matching([&](const Art& a) {
                                                 return std::all_of(filters.begin(), filters.end(),
                                                                    [&](const Filter& f) { return f(doc, a); });
                                             }).size());
    if (!holds(found, op, want)) failed(args, std::to_string(found));
}

void expectNumber(const Args& args, int64_t found) {
    args.requireCount(3, 3);
    if (!holds(found, opAt(args, 1), countValue(args, 2))) failed(args, std::to_string(found));
}

void expectCurrentLayer(Session& session, const Args& args) {
    args.requireCount(3, 3);
    const Op op = opAt(args, 1);
    equalityOnly(op, "titles");
    const Document& doc = session.document();
    const Art* layer = doc.art(doc.currentLayer());
    const std::string title = layer && layer->layer ? layer->layer->title : "";
    const std::string want = platformText(args.text(2), args);
    if (!doc.layerByTitle(want)) failed(args, "no layer titled \"" + args.text(2) + "\"");
    if (!holds(title, op, want)) failed(args, shown(title));
}

void expectText(Session& session, const Args& args) {
    args.requireCount(4, 4);
    const ObjId id = namedArt(session, args, 1);
    const Op op = opAt(args, 2);
    equalityOnly(op, "texts");
    const Document& doc = session.document();
    const Art* a = id ? doc.art(id) : nullptr;
    if (!a) failed(args, missingArt(args, 1));
    if (a->type != kTextFrameArt && a->type != kLegacyTextArt) failed(args, "art that is not text");
    const std::string text = textOf(*a);
    if (!holds(text, op, platformText(args.text(3), args))) failed(args, shown(text));
}

std::string describe(const DictValue& v) {
    std::ostringstream out;
    if (auto i = std::get_if<int32_t>(&v)) out << "int " << *i;
    else if (auto r = std::get_if<AIReal>(&v)) out << "real " << *r;
    else if (auto b = std::get_if<bool>(&v)) out << "bool " << (*b ? "true" : "false");
    else if (auto s = std::get_if<DictText>(&v)) out << "string " << shown(s->str());
    else out << "a dictionary";
    return out.str();
}

void expectEntry(Session& session, const Args& args) {
    if (args.size() < 4) throw ScriptError("expect entry: expected TARGET KEY/KEY... OP VALUE, exists or missing");
    Document& doc = session.document();
    ObjId dict = 0;
    const std::string& target = args.text(1);
    if (args.is(1, "document")) {
        dict = doc.state().dictionary;
    } else if (!args.token(1).quoted && target.rfind("layer=", 0) == 0) {
        const ObjId layer = doc.layerByTitle(platformText(target.substr(6), args));
        if (!layer) failed(args, "no such layer");
        dict = doc.art(layer)->dictionary;
    } else {
        const ObjId id = namedArt(session, args, 1);
        if (!id) failed(args, missingArt(args, 1));
        dict = doc.art(id)->dictionary;
    }
    const auto path = keyPath(args.text(2), args, "expect");
    const DictValue* value = dict ? entryAt(doc, dict, path) : nullptr;
    if (args.is(3, "exists") || args.is(3, "missing")) {
        args.requireCount(4, 4);
        if ((value != nullptr) != args.is(3, "exists")) failed(args, value ? describe(*value) : "no entry");
        return;
    }
    args.requireCount(5, 5);
    const Op op = opAt(args, 3);
    if (!value) failed(args, "no entry");
    const Token& want = args.token(4);
    bool ok = false;
    if (auto i = std::get_if<int32_t>(value)) {
        ok = holds<int64_t>(*i, op, args.integer(4, "the value"));
    } else if (auto r = std::get_if<AIReal>(value)) {
        ok = realsHold(*r, op, args.real(4, "the value"));
    } else if (auto b = std::get_if<bool>(value)) {
        equalityOnly(op, "booleans");
        if (want.quoted || (want.text != "true" && want.text != "false"))
            throw ScriptError("expect entry: the entry is a boolean; compare with true or false");
        ok = holds(*b, op, want.text == "true");
    } else if (auto s = std::get_if<DictText>(value)) {
        equalityOnly(op, "strings");
        ok = holds(s->str(), op, platformText(want.text, args));
    } else {
        throw ScriptError("expect entry: the entry is a dictionary; use exists or missing");
    }
    if (!ok) failed(args, describe(*value));
}

// The drawing scale the plug-in stores in a layer group's dictionary: its label, or by
// `id` or `scaler`.
void expectScale(Session& session, const Args& args) {
    if (args.size() < 4) throw ScriptError("expect scale: expected \"Title\" OP \"label\", \"Title\" id OP N or \"Title\" scaler OP X");
    const Document& doc = session.document();
    const ObjId layer = doc.layerByTitle(platformText(args.text(1), args));
    if (!layer) failed(args, "no such layer");
    const ObjId dict = doc.art(layer)->dictionary;
    auto entry = [&](const char* key) { return dict ? entryAt(doc, dict, {key}) : nullptr; };
    const DictValue* id = entry("ZA3_ScaleID");
    const DictValue* scaler = entry("ZA3_Scaler");
    const DictValue* label = entry("ZA3_ScaleStr");
    const bool byPart = args.is(2, "id") || args.is(2, "scaler");
    args.requireCount(byPart ? 5 : 4, byPart ? 5 : 4);
    const Op op = opAt(args, byPart ? 3 : 2);
    if (args.is(2, "id")) {
        const auto* v = id ? std::get_if<int32_t>(id) : nullptr;
        if (!v) failed(args, "no scale id stored on the layer");
        if (!holds<int64_t>(*v, op, args.integer(4, "the scale id"))) failed(args, std::to_string(*v));
    } else if (args.is(2, "scaler")) {
        const auto* v = scaler ? std::get_if<AIReal>(scaler) : nullptr;
        if (!v) failed(args, "no scaler stored on the layer");
        if (!realsHold(*v, op, args.real(4, "the scaler"))) failed(args, describe(*scaler));
    } else {
        equalityOnly(op, "labels");
        const auto* v = label ? std::get_if<DictText>(label) : nullptr;
        if (!v) failed(args, "no scale label stored on the layer");
        if (!holds(v->str(), op, platformText(args.text(3), args))) failed(args, shown(v->str()));
    }
}

bool booleanWord(const Args& args, size_t i) {
    if (args.token(i).quoted || (!args.is(i, "true") && !args.is(i, "false")))
        throw ScriptError("expect panel: compare with true or false");
    return args.is(i, "true");
}

// An item of an open panel: the text the user reads (a popup or list box reads as its
// active entry), its value, whether it is enabled and whether it shows a known value.
void expectPanel(Session& session, const Args& args) {
    if (args.size() < 5) throw ScriptError("expect panel: expected \"Panel\" ITEM text|value|enabled|known OP VALUE");
    const ADMDialogRef panel =
        session.hasEvents() ? session.events().dialogs().findDialog(platformText(args.text(1), args)) : nullptr;
    if (!panel) failed(args, "no open panel " + shown(platformText(args.text(1), args)));
    const standin::adm::Dialog* d = session.events().dialogs().dialog(panel);
    if (d && args.size() == 5 && isOp(args, 3)) {
        // The panel itself: where it is and whether it shows only its tab.
        const Op op = opAt(args, 3);
        if (args.is(2, "collapsed")) {
            equalityOnly(op, "booleans");
            if (!holds(d->collapsed, op, booleanWord(args, 4))) failed(args, d->collapsed ? "true" : "false");
            return;
        }
        const struct {
            const char* word;
            int32_t value;
        } kPlaces[] = {{"left", d->bounds.left},
                       {"top", d->bounds.top},
                       {"width", d->bounds.right - d->bounds.left},
                       {"height", d->bounds.bottom - d->bounds.top}};
        for (const auto& p : kPlaces)
            if (args.is(2, p.word)) {
                if (!holds<int64_t>(p.value, op, args.integer(4, p.word))) failed(args, std::to_string(p.value));
                return;
            }
        throw ScriptError("expect panel: expected left, top, width, height or collapsed in place of \"" + args.text(2) + "\"");
    }
    args.requireCount(6, 6);
    const int32_t item = args.integer(2, "item");
    const auto view = session.events().dialogs().view(panel, item);
    if (!view) failed(args, "no item " + args.text(2));
    const Op op = opAt(args, 4);
    if (args.is(3, "text")) {
        equalityOnly(op, "texts");
        if (!holds(view->text, op, platformText(args.text(5), args))) failed(args, shown(view->text));
    } else if (args.is(3, "value")) {
        if (!realsHold(view->value, op, args.real(5, "the value"))) {
            std::ostringstream found;
            found << view->value;
            failed(args, found.str());
        }
    } else if (args.is(3, "enabled") || args.is(3, "known")) {
        equalityOnly(op, "booleans");
        const bool found = args.is(3, "enabled") ? view->enabled : view->known;
        if (!holds(found, op, booleanWord(args, 5))) failed(args, found ? "true" : "false");
    } else {
        throw ScriptError("expect panel: expected text, value, enabled or known in place of \"" + args.text(3) + "\"");
    }
}

// Registrations still held, or 0 when no plug-in side was made.
template <class Entry>
int64_t heldCount(Session& session, std::vector<Entry> standin::PluginRegistry::*table) {
    if (!session.hasEvents()) return 0;
    const auto& entries = session.events().registry().*table;
    return std::count_if(entries.begin(), entries.end(), [](const Entry& e) { return !e.gone; });
}

}  // namespace

void expect(Session& session, const Args& args) {
    if (args.empty())
        throw ScriptError("expect: expected count, layers, documents, current-layer, entry, text, menus, notifiers, scale or panel");
    const std::string& what = args.text(0);
    if (args.is(0, "count")) return expectCount(session, args);
    if (args.is(0, "layers")) return expectNumber(args, static_cast<int64_t>(session.document().topLayers().size()));
    if (args.is(0, "documents")) return expectNumber(args, static_cast<int64_t>(session.host().documentCount()));
    if (args.is(0, "current-layer")) return expectCurrentLayer(session, args);
    if (args.is(0, "entry")) return expectEntry(session, args);
    if (args.is(0, "text")) return expectText(session, args);
    if (args.is(0, "menus")) return expectNumber(args, heldCount(session, &standin::PluginRegistry::menuItems));
    if (args.is(0, "notifiers")) return expectNumber(args, heldCount(session, &standin::PluginRegistry::notifiers));
    if (args.is(0, "scale")) return expectScale(session, args);
    if (args.is(0, "panel")) return expectPanel(session, args);
    throw ScriptError("expect: unknown check \"" + what +
                      "\" (count, layers, documents, current-layer, entry, text, menus, notifiers, scale, panel)");
}

}  // namespace plotwise::app
