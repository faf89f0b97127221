// What a user does to the selection between tools: move it by a distance (the host's own
// move, which moves only the picked anchors of a path the direct-selection tool left
// partly selected), delete it, copy it and paste the copies. Each change is one step for
// undo; the notifications a real host sends around them are added with the event commands.
#include <optional>
#include <string>
#include <vector>

#include "AIArt.h"
#include "Commands.h"
#include "Session.h"
#include "text/Encoding.h"

namespace plotwise::app {

using standin::Art;
using standin::Document;
using standin::ObjId;

namespace {

std::string quoted(const std::string& title) { return "\"" + standin::text::platformToUtf8(title) + "\""; }

// What keeps the user from editing art `id`: the first lock or hiding from the art up to
// its top layer, with what to do about it.
std::optional<std::string> whyNotEditable(const Document& doc, ObjId id) {
    const std::string name = "art " + std::to_string(id);
    for (const Art* a = doc.art(id); a; a = doc.art(a->parent)) {
        if (a->layer) {
            const std::string title = quoted(a->layer->title);
            if (!a->layer->editable) return name + " is on the locked layer " + title + " (layer unlock " + title + " first)";
            if (!a->layer->visible) return name + " is on the hidden layer " + title + " (layer show " + title + " first)";
            continue;
        }
        const std::string where = a->id == id ? name + " is" : name + " is inside group " + std::to_string(a->id) + ", which is";
        if (a->attrs & kArtLocked) return where + " locked";
        if (a->attrs & kArtHidden) return where + " hidden";
    }
    return std::nullopt;
}

// The art an edit of the selection acts on; fails when nothing is selected or any of it
// cannot be edited.
std::vector<Document::SelectedArt> editableSelection(const Document& doc, const Args& args) {
    auto targets = doc.selectedArt();
    if (targets.empty()) throw ScriptError(args.command() + ": nothing is selected (select art first)");
    for (const auto& t : targets)
        if (auto why = whyNotEditable(doc, t.id)) throw ScriptError(args.command() + ": " + *why);
    return targets;
}

void cmdTranslate(Session& session, const Args& args) {
    args.requireCount(2, 2);
    const float dx = args.real(0, "DX"), dy = args.real(1, "DY");
    session.change([&](Document& doc) {
        editableSelection(doc, args);
        const AIErr e = doc.translateSelection(dx, dy);
        if (e == kBadParameterErr)
            throw ScriptError("translate: the move would take art past the largest coordinate (about 3.4e38)");
        check(e, args);
    });
}

void cmdDelete(Session& session, const Args& args) {
    args.requireCount(0, 0);
    session.change([&](Document& doc) {
        for (const auto& t : editableSelection(doc, args))
            if (!t.whole)
                throw ScriptError("delete: only some anchors of path " + std::to_string(t.id) +
                                  " are selected; delete removes whole art (select " + std::to_string(t.id) + " first)");
        check(doc.deleteSelection(), args);
    });
}

void cmdCopy(Session& session, const Args& args) {
    args.requireCount(0, 0);
    if (session.document().selectedArt().empty()) throw ScriptError("copy: nothing is selected (select art first)");
    check(session.host().copySelection(), args);
}

void cmdPaste(Session& session, const Args& args) {
    requirePastable(session, args);
    session.change([&](Document&) { check(session.host().paste(), args); });
}

}  // namespace

void requirePastable(Session& session, const Args& args) {
    args.requireCount(0, 0);
    const Document& doc = session.document();
    if (session.host().clipboardEmpty()) throw ScriptError("paste: nothing has been copied (copy first)");
    requireOpenCurrentLayer(doc, args);
}

void addEditCommands(CommandTable& table) {
    table.add({"translate", "translate DX DY",
               "move the selection (of a partly selected path, only its selected anchors)", cmdTranslate});
    table.add({"delete", "delete", "delete the selected art", cmdDelete});
    table.add({"copy", "copy", "copy the selected art", cmdCopy});
    table.add({"paste", "paste", "paste the copies on top of the current layer, selected", cmdPaste});
}

}  // namespace plotwise::app
