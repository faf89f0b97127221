// One piece of the plug-in's work, as the host asks for it: a message to the entry point or
// a procedure of a dialog or panel. The outermost one keeps the selection the plug-in leaves
// while a restore of the selection waits, so that a different selection met later is known
// for the user's own, and wins over the restore: the restore then selects nothing, and its
// tags go at the user's next press, command or panel item, inside that step of undo.
#pragma once

class PluginWork {
public:
    // `command`: the user's press, menu command or panel item.
    explicit PluginWork(bool command);
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
