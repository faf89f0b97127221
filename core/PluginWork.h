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
// drawing does not hold yet. What following draws at a message's start follows a change made
// before it, and joins the latest step of undo.
#pragma once

#include <memory>

class SettingsChange;

// What a piece of work is to the user.
enum class WorkKind {
    kOther,    // a drag or release of a tool, a timer, a procedure the host calls on its own
    kPress,    // the user's press of a tool (as a message, it first runs what timers hold back)
    // A menu command (likewise) or a panel's or dialog's item: the settings it changes as it
    // draws to follow them are recorded in the drawing, inside its step (DrawingSettings.h).
    kCommand,
    // A notification: all it changes (the rulers following another current layer, a paste's
    // renumbering, a new drawing's stamp) follows a change already made, and joins the latest
    // step of undo, or none.
    kFollowUp,
};

class PluginWork {
public:
    explicit PluginWork(WorkKind kind, bool followAtStart = false);
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
    WorkKind kind_;
    std::unique_ptr<SettingsChange> settings_;
};
