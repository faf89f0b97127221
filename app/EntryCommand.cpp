// `entry TARGET KEY/KEY... TYPE VALUE`: writes one typed entry into the document dictionary,
// an art's or a layer's, creating the dictionaries on the key path that are missing, as a
// plug-in or an earlier version would have stored it. One step for undo.
#include <string>
#include <vector>

#include "Commands.h"
#include "Session.h"

namespace plotwise::app {

using standin::Dict;
using standin::DictLink;
using standin::DictValue;
using standin::Document;
using standin::ObjId;

namespace {

DictValue valueOf(const Args& args) {
    const std::string& type = args.text(2);
    if (type == "int") return args.integer(3, "the value");
    if (type == "real") return args.real(3, "the value");
    if (type == "string") return platformText(args.text(3), args);
    if (type == "bool") {
        if (args.is(3, "true")) return true;
        if (args.is(3, "false")) return false;
        throw ScriptError("entry: a bool is true or false");
    }
    throw ScriptError("entry: unknown type \"" + type + "\" (int, real, bool, string)");
}

// The dictionary the target holds (made when it has none), or 0 for no such target.
ObjId targetDictionary(Session& session, Document& doc, const Args& args) {
    const std::string& target = args.text(0);
    if (args.is(0, "document")) return doc.dictionaryOf(0);
    if (!args.token(0).quoted && target.rfind("layer=", 0) == 0) {
        const ObjId layer = doc.layerByTitle(platformText(target.substr(6), args));
        if (!layer) throw ScriptError("entry: no layer titled \"" + target.substr(6) + "\"");
        return doc.dictionaryOf(layer);
    }
    const ObjId id = artId(session, args, 0);
    return doc.dictionaryOf(id);
}

void cmdEntry(Session& session, const Args& args) {
    args.requireCount(4, 4);
    const std::vector<std::string> keys = keyPath(args.text(1), args, "entry");
    const DictValue value = valueOf(args);
    session.change([&](Document& doc) {
        ObjId dict = targetDictionary(session, doc, args);
        for (size_t i = 0; i + 1 < keys.size(); ++i) {
            const DictValue* found = doc.dict(dict)->find(keys[i]);
            if (!found) {
                const ObjId made = doc.newDict();
                doc.editDict(dict)->set(keys[i], DictLink{made});
                dict = made;
            } else if (const auto* link = std::get_if<DictLink>(found)) {
                dict = link->id;
            } else {
                throw ScriptError("entry: \"" + keys[i] + "\" holds a value, not a dictionary");
            }
        }
        doc.editDict(dict)->set(keys.back(), value);
    });
}

}  // namespace

void addEntryCommand(CommandTable& table) {
    table.add({"entry", "entry TARGET KEY/KEY... int|real|bool|string VALUE",
               "write a dictionary entry of the document, an art or layer=\"Title\"", cmdEntry});
}

}  // namespace plotwise::app
