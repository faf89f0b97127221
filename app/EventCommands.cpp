// The event commands of session scripts: loading plug-ins, tools and the mouse, menus,
// the clock, answers for modal dialogs and alerts, actions on floating panels, and the
// alerts the plug-in showed, printed in order. They also give the host's own commands
// (new, open, save, undo, drawing, layers, selection and its edits) the notifications a
// real host sends around them.
#include "EventCommands.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <functional>
#include <sstream>

#include "ADMTypes.h"
#include "AINotifier.h"
#include "AITool.h"
#include "Commands.h"
#include "Session.h"
#include "text/Encoding.h"
#include "io/AtomicFile.h"
#include "io/Svg.h"

namespace plotwise::app {

using standin::ModalAnswer;
using standin::UserAction;

void reportAlerts(Session& session, const std::string& where) {
    if (!session.hasEvents()) return;
    const auto& alerts = session.events().dialogs().alerts();
    for (; session.alertsReported < alerts.size(); ++session.alertsReported)
        session.out() << where << ": alert: " << standin::text::platformToUtf8(alerts[session.alertsReported].text)
                      << '\n';
}

standin::PluginDriver& Session::events() {
    if (!events_) events_ = std::make_unique<standin::PluginDriver>(host_, eventOptions);
    return *events_;
}

namespace {

// Prints the alerts shown since the last command and fails on what the scripted user could
// not do (a dialog nobody answered, an action on a missing item ...).
void settle(Session& session, const Args& args) {
    if (!session.hasEvents()) return;
    standin::PluginDriver& events = session.events();
    reportAlerts(session, session.where());
    const auto failures = events.dialogs().failures();
    if (failures.empty()) return;
    events.dialogs().clearFailures();
    std::string message = args.command() + ": " + failures.front();
    for (size_t i = 1; i < failures.size(); ++i) message += "; " + failures[i];
    throw ScriptError(message);
}

// Fails the command with the session's reason unless err is kNoErr.
void checkEvent(Session& session, AIErr err, const Args& args) {
    settle(session, args);
    if (err == kNoErr) return;
    const std::string why = session.events().lastError();
    if (why.empty()) check(err, args);
    throw ScriptError(args.command() + ": " + why);
}

// An alert's text as the words of a refusal by the tool `title`: without its full stop, the
// tool it names first named once, "Click two ..." read on as "click two ..." (an initial word
// of capitals stays).
std::string refusalWords(const std::string& platformText, const std::string& title) {
    std::string words = standin::text::platformToUtf8(platformText);
    if (!words.empty() && words.back() == '.') words.pop_back();
    if (const std::string named = "\"" + title + "\": "; words.rfind(named, 0) == 0) words.erase(0, named.size());
    if (words.size() > 1 && std::isupper(static_cast<unsigned char>(words[0])) &&
        !std::isupper(static_cast<unsigned char>(words[1])))
        words[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(words[0])));
    return words;
}

// The alert that a refusal heard only as a beep stands for: the last three-button question
// answered with its first button, which is how a tip offers not to be shown again.
const standin::AlertRecord* switchedOffAlert(const std::vector<standin::AlertRecord>& alerts) {
    for (auto a = alerts.rbegin(); a != alerts.rend(); ++a)
        if (a->kind == standin::AlertRecord::Kind::Question && a->answer == kADMLeftButton) return &*a;
    return nullptr;
}

// Where a tool event began: the alerts and beeps heard so far.
struct Heard {
    size_t alerts = 0;
    int beeps = 0;
};

// A tool's refusal in words: its title, then what the alert it showed during the command
// asked of the user ("click: Fillet: click two crossing, non-parallel paths"); with only a
// beep, its alert switched off, that alert's words; else what the host saw.
void checkToolEvent(Session& session, AIErr err, const Args& args, Heard before) {
    settle(session, args);
    if (err == kNoErr) return;
    standin::PluginDriver& events = session.events();
    const auto& tools = events.registry().tools;
    const long current = events.registry().currentTool;
    if (current < 0 || static_cast<size_t>(current) >= tools.size()) return checkEvent(session, err, args);
    const std::string title = standin::text::platformToUtf8(tools[current].title);
    std::string words = events.lastError().empty() ? describeError(err) : events.lastError();
    const auto& alerts = events.dialogs().alerts();
    if (alerts.size() > before.alerts) {
        words = refusalWords(alerts.back().text, title);
    } else if (events.dialogs().beeps() > before.beeps) {
        const standin::AlertRecord* off = switchedOffAlert(alerts);
        words = off ? refusalWords(off->text, title) : "refused with a beep (its alert is switched off)";
    }
    throw ScriptError(args.command() + ": " + title + ": " + words);
}

AIRealPoint pointArg(const Args& args) { return {args.real(0, "X"), args.real(1, "Y")}; }

// Modifier words after X Y.
uint32_t modifierArgs(const Args& args, size_t from) {
    static const struct {
        const char* word;
        uint32_t bit;
    } kWords[] = {{"shift", aiEventModifiers_Shift},
                  {"option", aiEventModifiers_Option},
                  {"alt", aiEventModifiers_Option},
                  {"command", aiEventModifiers_Command},
                  {"ctrl", aiEventModifiers_Command}};
    uint32_t mods = 0;
    for (size_t i = from; i < args.size(); ++i) {
        bool known = false;
        for (const auto& w : kWords)
            if (args.is(i, w.word)) {
                mods |= w.bit;
                known = true;
            }
        if (!known)
            throw ScriptError(args.command() + ": unknown modifier \"" + args.text(i) + "\" (shift, option, command)");
    }
    return mods;
}

using Gesture = AIErr (standin::PluginDriver::*)(AIRealPoint, uint32_t);

CommandHandler gesture(Gesture what) {
    return [what](Session& session, const Args& args) {
        if (args.size() < 2) throw ScriptError(args.command() + ": expected X Y [shift] [option] [command]");
        const AIRealPoint p = pointArg(args);
        const uint32_t mods = modifierArgs(args, 2);
        standin::PluginDriver& events = session.events();
        const Heard before{events.dialogs().alerts().size(), events.dialogs().beeps()};
        checkToolEvent(session, (events.*what)(p, mods), args, before);
    };
}

void cmdLoad(Session& session, const Args& args) {
    args.requireCount(1, 1);
    standin::PluginDriver& events = session.events();
    std::string error;
    if (!events.loadLibrary(args.text(0), &error)) throw ScriptError("load: " + error);
    checkEvent(session, events.startup(), args);
}

size_t pluginArg(Session& session, const Args& args) {
    args.requireCount(0, 1);
    standin::PluginDriver& events = session.events();
    if (events.pluginCount() == 0) throw ScriptError(args.command() + ": no plug-in loaded");
    if (args.empty()) return events.pluginCount() - 1;
    const int32_t n = args.integer(0, "plug-in number");
    if (n < 1 || size_t(n) > events.pluginCount())
        throw ScriptError(args.command() + ": plug-in number " + std::to_string(n) + " is not loaded");
    return size_t(n - 1);
}

void cmdUnload(Session& session, const Args& args) {
    const size_t p = pluginArg(session, args);
    checkEvent(session, session.events().unload(p), args);
}

void cmdReload(Session& session, const Args& args) {
    const size_t p = pluginArg(session, args);
    checkEvent(session, session.events().reload(p), args);
}

void cmdShutdown(Session& session, const Args& args) {
    args.requireCount(0, 0);
    checkEvent(session, session.events().shutdown(), args);
}

void cmdTool(Session& session, const Args& args) {
    args.requireCount(1, 1);
    checkEvent(session, session.events().selectTool(platformText(args.text(0), args)), args);
}

void cmdToolOptions(Session& session, const Args& args) {
    args.requireCount(0, 0);
    checkEvent(session, session.events().editToolOptions(), args);
}

void cmdMenu(Session& session, const Args& args) {
    args.requireCount(1, 1);
    checkEvent(session, session.events().menu(platformText(args.text(0), args)), args);
}

void cmdTicks(Session& session, const Args& args) {
    args.requireCount(1, 1);
    const int32_t n = args.integer(0, "the tick count");
    if (n < 0) throw ScriptError("ticks: the count cannot be negative");
    session.events().ticks(n);
    settle(session, args);
}

// One action on an item at args[i]: set ITEM "text" | value ITEM X | pick ITEM ENTRY |
// press ITEM; i moves past it.
UserAction parseAction(const Args& args, size_t& i) {
    auto need = [&](size_t n) {
        if (i + n >= args.size()) throw ScriptError(args.command() + ": \"" + args.text(i) + "\" is missing its values");
    };
    UserAction a;
    if (args.is(i, "set")) {
        need(2);
        a.kind = UserAction::Kind::SetText;
        a.item = args.integer(i + 1, "item");
        a.text = platformText(args.text(i + 2), args);
        i += 3;
    } else if (args.is(i, "value")) {
        need(2);
        a.kind = UserAction::Kind::SetValue;
        a.item = args.integer(i + 1, "item");
        a.value = args.real(i + 2, "value");
        i += 3;
    } else if (args.is(i, "pick")) {
        need(2);
        a.kind = UserAction::Kind::Pick;
        a.item = args.integer(i + 1, "item");
        a.entry = args.integer(i + 2, "entry");
        i += 3;
    } else if (args.is(i, "press") || args.is(i, "click")) {
        need(1);
        a.kind = UserAction::Kind::Press;
        a.item = args.integer(i + 1, "item");
        i += 2;
    } else {
        throw ScriptError(args.command() + ": unknown action \"" + args.text(i) + "\" (set, value, pick, press)");
    }
    // What the user does with it: the keys held, the key that ends the typing (set), where
    // the press lands in the item (press).
    static const struct {
        const char* word;
        uint32_t modifier;
        int32_t key;
    } kKeys[] = {{"shift", kADMShiftKeyModifier, 0}, {"option", kADMModKeyModifier, 0},
                 {"command", kADMMenuKeyModifier, 0}, {"enter", 0, kADMEnterKey},
                 {"return", 0, kADMReturnKey},      {"tab", 0, kADMTabKey}};
    for (bool more = true; more && i < args.size();) {
        more = false;
        for (const auto& k : kKeys) {
            if (!args.is(i, k.word)) continue;
            if (k.key && a.kind != UserAction::Kind::SetText)
                throw ScriptError(args.command() + ": \"" + args.text(i) + "\" ends typing: it follows set ITEM \"text\"");
            a.modifiers |= k.modifier;
            if (k.key) a.commitKey = k.key;
            ++i;
            more = true;
        }
        if (!more && args.is(i, "at") && a.kind == UserAction::Kind::Press) {
            need(2);
            a.point = {args.integer(i + 1, "H"), args.integer(i + 2, "V")};
            i += 3;
            more = true;
        }
    }
    return a;
}

// Item actions one after another.
std::vector<UserAction> parseActions(const Args& args, size_t from) {
    std::vector<UserAction> actions;
    for (size_t i = from; i < args.size();) actions.push_back(parseAction(args, i));
    return actions;
}

// answer DIALOG ACTIONS... (for the next modal dialog) | answer alert N
void cmdAnswer(Session& session, const Args& args) {
    if (args.empty()) throw ScriptError("answer: expected a dialog name or \"alert\"");
    standin::PluginDriver& events = session.events();
    if (args.is(0, "alert")) {
        // yes | no | cancel for a yes/no alert; left | middle | right for a question.
        static const struct {
            const char* word;
            int32_t answer;
        } kAnswers[] = {{"yes", kADMYesAnswer},   {"no", kADMNoAnswer},       {"cancel", kADMCancelAnswer},
                        {"left", kADMLeftButton}, {"middle", kADMMiddleButton}, {"right", kADMRightButton}};
        args.requireCount(2, 2);
        for (const auto& a : kAnswers)
            if (args.is(1, a.word)) {
                events.dialogs().queueAlertAnswer(a.answer, session.where());
                return;
            }
        throw ScriptError("answer: an alert is answered yes, no, cancel, left, middle or right");
    }
    ModalAnswer answer;
    answer.dialog = platformText(args.text(0), args);
    answer.actions = parseActions(args, 1);
    answer.origin = session.where();
    events.dialogs().queueModalAnswer(std::move(answer));
}

// panel "Panel" ACTIONS...: the user works a floating panel: its items, or the panel itself
// (move H V, resize W H, collapse, expand).
void cmdPanel(Session& session, const Args& args) {
    if (args.size() < 2) throw ScriptError("panel: expected a panel name and actions");
    standin::PluginDriver& events = session.events();
    const std::string name = platformText(args.text(0), args);
    const ADMDialogRef panel = events.dialogs().findDialog(name);
    if (!panel) throw ScriptError("panel: no open panel \"" + args.text(0) + "\"");
    standin::DialogManager& dm = events.dialogs();
    std::vector<std::function<AIErr()>> steps;
    for (size_t i = 1; i < args.size();) {
        if (args.is(i, "move") || args.is(i, "resize")) {
            if (i + 2 >= args.size()) throw ScriptError("panel: \"" + args.text(i) + "\" is missing its values");
            const bool move = args.is(i, "move");
            const int32_t x = args.integer(i + 1, move ? "H" : "width");
            const int32_t y = args.integer(i + 2, move ? "V" : "height");
            steps.push_back([&dm, panel, move, x, y]() { return move ? dm.userMove(panel, x, y) : dm.userResize(panel, x, y); });
            i += 3;
        } else if (args.is(i, "collapse") || args.is(i, "expand")) {
            const bool collapse = args.is(i, "collapse");
            steps.push_back([&dm, panel, collapse]() { return dm.userCollapse(panel, collapse); });
            i += 1;
        } else {
            const UserAction a = parseAction(args, i);
            steps.push_back([&dm, panel, a]() { return dm.userAction(panel, a); });
        }
    }
    for (const auto& step : steps) checkEvent(session, events.hostEvent(step), args);
}

void cmdRestart(Session& session, const Args& args) {
    args.requireCount(0, 0);
    const auto edits = std::move(session.preferencesAtRestart);
    session.preferencesAtRestart.clear();
    auto whileClosed = [&edits](standin::PreferenceStore& store) {
        for (const auto& edit : edits) edit(store);
    };
    checkEvent(session, session.events().restart(whileClosed), args);
}

// preference PREFIX KEY integer|boolean|real|string VALUE: the user's edit of the preference
// file, made while the program is closed at the next restart (the plug-ins write theirs as
// they shut down, then read this).
void cmdPreference(Session& session, const Args& args) {
    args.requireCount(4, 4);
    const std::string prefix = args.text(0), key = args.text(1);
    if (prefix.empty() || key.empty()) throw ScriptError("preference: the prefix and the key cannot be empty");
    std::function<void(standin::PreferenceStore&)> edit;
    if (args.is(2, "integer")) {
        const int32_t value = args.integer(3, "the integer");
        edit = [=](standin::PreferenceStore& s) { s.putInteger(prefix.c_str(), key.c_str(), value); };
    } else if (args.is(2, "real")) {
        const AIReal value = args.real(3, "the real");
        edit = [=](standin::PreferenceStore& s) { s.putReal(prefix.c_str(), key.c_str(), value); };
    } else if (args.is(2, "boolean")) {
        if (!args.is(3, "true") && !args.is(3, "false"))
            throw ScriptError("preference: a boolean is true or false, not \"" + args.text(3) + "\"");
        const bool value = args.is(3, "true");
        edit = [=](standin::PreferenceStore& s) { s.putBoolean(prefix.c_str(), key.c_str(), value); };
    } else if (args.is(2, "string")) {
        const std::string value = standin::text::utf8ToPlatform(args.text(3));
        edit = [=](standin::PreferenceStore& s) { s.putString(prefix.c_str(), key.c_str(), value.c_str()); };
    } else {
        throw ScriptError("preference: the type is integer, boolean, real or string, not \"" + args.text(2) + "\"");
    }
    session.preferencesAtRestart.push_back(std::move(edit));
}

// ---------------------------------------------------------------- the host's own commands

using Around = std::function<void(Session&, const Args&, const CommandHandler&)>;

void wrap(CommandTable& table, const std::string& name, Around around) {
    const Command* found = table.find(name);
    if (!found) return;
    Command row = *found;
    CommandHandler inner = row.run;
    row.run = [inner, around](Session& session, const Args& args) { around(session, args, inner); };
    table.add(std::move(row));
}

// The host's commands and menus are out of the user's reach while the mouse button is held:
// an edit then would fall between the drags of a gesture.
void notWhileHeld(Session& session, const Args& args, const CommandHandler& inner) {
    if (session.hasEvents() && session.events().inGesture())
        throw ScriptError(args.command() + ": the mouse button is held (release it with up first)");
    inner(session, args);
}

// Runs the host command between its before and after notifications.
Around fileCommand(const char* before, std::vector<const char*> after) {
    return [before, after](Session& session, const Args& args, const CommandHandler& inner) {
        if (!session.hasEvents()) return inner(session, args);
        standin::PluginDriver& events = session.events();
        if (before) events.notify(before);
        settle(session, args);
        inner(session, args);
        for (const char* type : after) events.notify(type);
        settle(session, args);
    };
}

// save: no command the user would undo; what the plug-ins write meanwhile joins the last step.
void saved(Session& session, const Args& args, const CommandHandler& inner) {
    const standin::Host::FoldedChanges folded(session.host());
    fileCommand(kAIBeforeSaveNotifier, {kAIAfterSaveNotifier})(session, args, inner);
}

Around changed(const char* type) {
    return [type](Session& session, const Args& args, const CommandHandler& inner) {
        inner(session, args);
        if (!session.hasEvents()) return;
        if (type) session.events().documentChanged(type);
        else session.events().settle();
        settle(session, args);
    };
}

// translate: the selected art changed (panels and read-outs that follow the selection look
// again), and so did the document.
void selectionMoved(Session& session, const Args& args, const CommandHandler& inner) {
    inner(session, args);
    if (!session.hasEvents()) return;
    // The host tells those who follow the selection itself: its art was edited.
    session.events().documentChanged(kAIDocumentChangedNotifier);
    settle(session, args);
}

// paste: checked first (a paste that cannot happen is announced to nobody), then played
// between the before and after notifications; the document changed too.
void pasted(Session& session, const Args& args, const CommandHandler& inner) {
    if (session.hasEvents()) requirePastable(session, args);
    fileCommand(kAIBeforePasteNotifier, {kAIAfterPasteNotifier, kAIDocumentChangedNotifier})(session, args, inner);
}

void layerChanged(Session& session, const Args& args, const CommandHandler& inner) {
    inner(session, args);
    if (!session.hasEvents() || args.empty()) return;
    const char* type = args.is(0, "add")       ? kAILayerListChangedNotifier
                       : args.is(0, "current") ? kAICurrentLayerNotifier
                                               : kAILayerOptionsNotifier;
    session.events().documentChanged(type);
    settle(session, args);
}

void cmdUndo(Session& session, const Args& args) {
    args.requireCount(0, 0);
    session.document();
    if (!session.events().userUndo()) throw ScriptError("undo: nothing to undo");
    settle(session, args);
}

void cmdRedo(Session& session, const Args& args) {
    args.requireCount(0, 0);
    session.document();
    if (!session.events().userRedo()) throw ScriptError("redo: nothing to redo");
    settle(session, args);
}

// The annotators' last drawing as an SVG group over the document, mapped from view pixels
// (y down, centred on the view centre) to the picture's coordinates.
std::string annotationOverlay(Session& session) {
    const auto& ops = session.events().lastAnnotation();
    if (ops.empty()) return {};
    standin::Document& doc = session.document();
    const float zoom = session.host().viewZoom(doc.id());
    const AIRealPoint c = session.host().viewCenter(doc.id());
    if (!(zoom > 0)) return {};
    auto num = [](double v) {
        char buf[32];
        std::snprintf(buf, sizeof buf, "%.4g", v);
        return std::string(buf);
    };
    auto colour = [](const AIRGBColor& rgb) {
        char buf[8];
        std::snprintf(buf, sizeof buf, "#%02x%02x%02x", rgb.red >> 8, rgb.green >> 8, rgb.blue >> 8);
        return std::string(buf);
    };
    std::ostringstream out;
    out << "<g id=\"annotations\" transform=\"translate(" << num(c.h - standin::kStandinViewWidth / (2.0 * zoom)) << ' '
        << num(-c.v - standin::kStandinViewHeight / (2.0 * zoom)) << ") scale(" << num(1.0 / zoom) << ")\">\n";
    using Kind = standin::AnnotationOp::Kind;
    for (const auto& op : ops) {
        const std::string col = colour(op.color);
        // A plug-in's widths and sizes are its own: the picture gets finite ones.
        const double lineWidth = std::isfinite(op.lineWidth) && op.lineWidth >= 0 ? op.lineWidth : 1.0;
        const double fontSize = std::isfinite(op.fontSize) && op.fontSize > 0 ? op.fontSize : 10.0;
        const std::string stroke = "stroke=\"" + col + "\" stroke-width=\"" + num(lineWidth) + "\"" +
                                   (op.dashed ? " stroke-dasharray=\"4 2\"" : "");
        const auto& r = op.rect;
        const std::string box = "x=\"" + num(std::min(r.left, r.right)) + "\" y=\"" + num(std::min(r.top, r.bottom)) +
                                "\" width=\"" + num(std::abs(r.right - r.left)) + "\" height=\"" +
                                num(std::abs(r.bottom - r.top)) + "\"";
        const std::string oval = "cx=\"" + num((r.left + r.right) / 2.0) + "\" cy=\"" + num((r.top + r.bottom) / 2.0) +
                                 "\" rx=\"" + num(std::abs(r.right - r.left) / 2.0) + "\" ry=\"" +
                                 num(std::abs(r.bottom - r.top) / 2.0) + "\"";
        switch (op.kind) {
        case Kind::Line:
            out << "<line x1=\"" << r.left << "\" y1=\"" << r.top << "\" x2=\"" << r.right << "\" y2=\"" << r.bottom
                << "\" " << stroke << "/>\n";
            break;
        case Kind::Rect: out << "<rect " << box << " fill=\"none\" " << stroke << "/>\n"; break;
        case Kind::FilledRect: out << "<rect " << box << " fill=\"" << col << "\"/>\n"; break;
        case Kind::Ellipse: out << "<ellipse " << oval << " fill=\"none\" " << stroke << "/>\n"; break;
        case Kind::FilledEllipse: out << "<ellipse " << oval << " fill=\"" << col << "\"/>\n"; break;
        case Kind::Clear: out << "<rect " << box << " fill=\"#ffffff\"/>\n"; break;
        case Kind::Text:
            out << "<text x=\"" << r.left << "\" y=\"" << r.bottom << "\" font-family=\"DejaVu Sans\" font-size=\""
                << num(fontSize) << "\" fill=\"" << col << "\">"
                << standin::io::escapeXml(standin::text::platformToUtf8(op.text)) << "</text>\n";
            break;
        }
    }
    out << "</g>\n";
    return out.str();
}

// svg FILE.svg [selection] [annotations]: the host's picture, with the annotators' last
// drawing laid over it when asked.
void svgWithAnnotations(Session& session, const Args& args, const CommandHandler& inner) {
    if (args.empty() || !args.is(args.size() - 1, "annotations")) return inner(session, args);
    std::vector<Token> words;
    for (size_t i = 0; i + 1 < args.size(); ++i) words.push_back(args.token(i));
    inner(session, Args(args.command(), words));
    const std::string overlay = session.hasEvents() ? annotationOverlay(session) : std::string();
    if (overlay.empty()) return;
    const std::string& path = args.text(0);
    std::string svg, error;
    if (!standin::io::readWholeFile(path, standin::io::kDocumentFile, svg, error)) throw ScriptError("svg: " + error);
    const size_t end = svg.rfind("</svg>");
    if (end == std::string::npos) throw ScriptError("svg: " + path + " is not the picture just written");
    svg.insert(end, overlay);
    if (!standin::io::writeFileAtomically(path, svg, error)) throw ScriptError("svg: " + error);
}

void cmdClose(Session& session, const Args& args) {
    args.requireCount(0, 0);
    session.document();
    checkEvent(session, session.events().closeDocument(), args);
}

// expect-messages "CALLER/SELECTOR" OP N: how many such messages the plug-ins were sent.
void cmdExpectMessages(Session& session, const Args& args) {
    args.requireCount(3, 3);
    const std::string& what = args.text(0);
    const std::string& op = args.text(1);
    const int32_t want = args.integer(2, "count");
    int32_t n = 0;
    for (const auto& m : session.events().sent())
        if (m.caller + "/" + m.selector == what) ++n;
    static const struct {
        const char* name;
        bool (*holds)(int32_t, int32_t);
    } kOps[] = {{"==", [](int32_t a, int32_t b) { return a == b; }}, {"!=", [](int32_t a, int32_t b) { return a != b; }},
                {"<", [](int32_t a, int32_t b) { return a < b; }},   {"<=", [](int32_t a, int32_t b) { return a <= b; }},
                {">", [](int32_t a, int32_t b) { return a > b; }},   {">=", [](int32_t a, int32_t b) { return a >= b; }}};
    for (const auto& o : kOps) {
        if (op != o.name) continue;
        if (!o.holds(n, want))
            throw ExpectationFailed("expect-messages: \"" + what + "\" was sent " + std::to_string(n) + " times, expected " +
                                    op + " " + std::to_string(want));
        return;
    }
    throw ScriptError("expect-messages: unknown comparison \"" + op + "\" (== != < <= > >=)");
}

// list tools|menus: what the plug-ins registered, as a script names them.
void cmdList(Session& session, const Args& args) {
    args.requireCount(1, 1);
    const standin::PluginRegistry& reg = session.events().registry();
    std::ostream& out = session.out();
    if (args.is(0, "tools")) {
        for (const auto& t : reg.tools)
            if (!t.gone)
                out << "tool \"" << standin::text::platformToUtf8(t.title) << "\" group " << t.group << " set " << t.toolset
                    << '\n';
    } else if (args.is(0, "menus")) {
        for (const auto& m : reg.menuItems)
            if (!m.gone)
                out << "menu \"" << standin::text::platformToUtf8(m.text) << "\" in \"" << m.group << "\""
                    << (m.enabled ? "" : " disabled") << (m.checked ? " checked" : "") << '\n';
    } else {
        throw ScriptError("list: expected tools or menus");
    }
}

}  // namespace

void addEventCommands(CommandTable& table) {
    wrap(table, "new", fileCommand(kAIBeforeNewNotifier, {kAIAfterNewNotifier, kAICurrentDocumentChangedNotifier}));
    wrap(table, "open",
         fileCommand(kAIBeforeOpenNotifier,
                     {kAIAfterOpenNotifier, kAIDocumentOpenedNotifier, kAICurrentDocumentChangedNotifier}));
    wrap(table, "save", saved);
    for (const char* drawing : {"line", "rect", "ellipse", "path", "paint"})
        wrap(table, drawing, changed(kAIDocumentChangedNotifier));
    wrap(table, "layer", layerChanged);
    wrap(table, "svg", svgWithAnnotations);
    if (const Command* svg = table.find("svg")) {
        Command row = *svg;
        row.usage = "svg FILE.svg [selection] [annotations]";
        table.add(std::move(row));
    }
    wrap(table, "select", changed(nullptr));
    wrap(table, "translate", selectionMoved);
    wrap(table, "delete", changed(kAIDocumentChangedNotifier));
    wrap(table, "paste", pasted);
    table.add({"undo", "undo", "undo the last change (then the after-undo notification)", cmdUndo});
    table.add({"redo", "redo", "redo what undo took back", cmdRedo});
    table.add({"close", "close", "close the front document", cmdClose});
    for (const char* command : {"new", "open", "save", "close", "line", "rect", "ellipse", "path", "paint", "layer",
                                "select", "translate", "delete", "copy", "paste", "entry", "undo", "redo"})
        wrap(table, command, notWhileHeld);

    table.add({"load", "load PLUGIN.so", "load a plug-in module and start it", cmdLoad});
    table.add({"unload", "unload [N]", "unload plug-in N (default: the last loaded)", cmdUnload});
    table.add({"reload", "reload [N]", "reload an unloaded plug-in", cmdReload});
    table.add({"shutdown", "shutdown", "quit: shut every plug-in down", cmdShutdown});
    table.add({"restart", "restart", "quit and start again: the plug-ins start afresh with the preferences they wrote",
               cmdRestart});
    table.add({"preference", "preference PREFIX KEY integer|boolean|real|string VALUE",
               "edit the preference file as the user does while the program is closed: at the next restart",
               cmdPreference});
    table.add({"tool", "tool \"Tool title\"", "select a plug-in tool", cmdTool});
    table.add({"tooloptions", "tooloptions", "double-click the current tool", cmdToolOptions});
    table.add({"down", "down X Y [shift] [option] [command]", "press the mouse button", gesture(&standin::PluginDriver::mouseDown)});
    table.add({"drag", "drag X Y [shift] [option] [command]", "move with the button held", gesture(&standin::PluginDriver::mouseDrag)});
    table.add({"up", "up X Y [shift] [option] [command]", "release the mouse button", gesture(&standin::PluginDriver::mouseUp)});
    table.add({"click", "click X Y [shift] [option] [command]", "press and release without a drag", gesture(&standin::PluginDriver::click)});
    table.add({"move", "move X Y [shift] [option] [command]", "move the mouse (cursor tracking)", gesture(&standin::PluginDriver::trackCursor)});
    table.add({"menu", "menu \"Menu text\"", "choose a plug-in menu item", cmdMenu});
    table.add({"ticks", "ticks N", "let N ticks (1/60 s) pass; due timers fire", cmdTicks});
    table.add({"answer", "answer DIALOG set ITEM \"text\" | value ITEM X | pick ITEM N | press ITEM ...",
               "queue the answer for the next modal dialog (or: answer alert yes|no|cancel|left|middle|right)", cmdAnswer});
    table.add({"panel",
               "panel \"Panel\" set ITEM \"text\" [enter|return] | value ITEM X | pick ITEM N | press ITEM [at H V] "
               "(each with [shift] [option] [command]) | move H V | resize W H | "
               "collapse | expand ...",
               "work a floating panel", cmdPanel});
    table.add({"list", "list tools|menus", "print the plug-ins' tools or menu items", cmdList});
    table.add({"expect-messages", "expect-messages \"CALLER/SELECTOR\" OP N",
               "check how often the plug-ins were sent that message", cmdExpectMessages});
}

}  // namespace plotwise::app
