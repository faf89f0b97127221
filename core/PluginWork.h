// One piece of the plug-in's work, as the host asks for it: a message to the entry point or
// a procedure of a dialog or panel. The outermost one keeps the selection the plug-in leaves
// while a restore of the selection waits, so that a different selection met later is known
// for the user's own, and wins over the restore: the restore then selects nothing, and its
// tags go at the user's next press, command or panel item, inside that step of undo.
// As the outermost one ends, and (with followAtStart, a message) as it begins, the
// subsystems follow the front drawing (FollowFrontDrawingIfChanged), whatever the host did
// in between (an undo, another document, a layer made current), so nothing the plug-in shows
// or converts at is left over from another drawing or revision. A procedure of a panel's item
// follows only at its end: at its start the item already shows the user's change, which the
// drawing does not hold yet.
#pragma once

class PluginWork {
public:
    // `command`: the user's press, menu command or panel item.
    explicit PluginWork(bool command, bool followAtStart = false);
    ~PluginWork();
    PluginWork(const PluginWork&) = delete;
    PluginWork& operator=(const PluginWork&) = delete;

private:
    // The depth of the host's calls into the plug-in, counted back also when what is done
    // first throws.
    struct Nesting {
        Nesting();
        ~Nesting();
        bool counted = false;
        bool outermost = false;
    };
    Nesting nesting_;
};
