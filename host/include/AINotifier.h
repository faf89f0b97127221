// The notifier suite: the plug-in registers for notification types (the host's own below,
// or any type a plug-in broadcasts with Notify) and receives "AI Notifier"/"AI Notify"
// messages. Notifications raised while a message is handled are delivered after it.
#pragma once

#include "AITypes.h"
#include "SPMessages.h"

#define kAINotifierSuite "AI Notifier Suite"
#define kAINotifierSuiteVersion 1

// Host notification types.
#define kAIArtSelectionChangedNotifier "AI Art Selection Changed Notifier"
#define kAIDocumentChangedNotifier "AI Document Changed Notifier"
#define kAIDocumentOpenedNotifier "AI Document Opened Notifier"
#define kAIDocumentClosedNotifier "AI Document Closed Notifier"
#define kAICurrentDocumentChangedNotifier "AI Current Document Changed Notifier"
#define kAIDocumentViewChangedNotifier "AI Document View Changed Notifier"
#define kAICurrentLayerNotifier "AI Current Layer Notifier"
#define kAILayerOptionsNotifier "AI Layer Options Notifier"
#define kAILayerListChangedNotifier "AI Layer List Changed Notifier"
#define kAIAfterUndoNotifier "AI After Undo Notifier"
#define kAIAfterRedoNotifier "AI After Redo Notifier"
#define kAIBeforeNewNotifier "AI Before New Notifier"
#define kAIAfterNewNotifier "AI After New Notifier"
#define kAIBeforeOpenNotifier "AI Before Open Notifier"
#define kAIAfterOpenNotifier "AI After Open Notifier"
#define kAIBeforeSaveNotifier "AI Before Save Notifier"
#define kAIAfterSaveNotifier "AI After Save Notifier"
#define kAIBeforeCloseNotifier "AI Before Close Notifier"
#define kAIAfterCloseNotifier "AI After Close Notifier"
#define kAIBeforePasteNotifier "AI Before Paste Notifier"
#define kAIAfterPasteNotifier "AI After Paste Notifier"
#define kAIApplicationStartedNotifier "AI Application Started Notifier"
#define kAIApplicationShutdownNotifier "AI Application Shutdown Notifier"

struct AINotifierMessage {
    SPMessageData d;
    AINotifierHandle notifier;
    const char* type;
    void* notifyData;
};

struct AINotifierSuite {
    // Registers for `type` (copied); new notifiers are active.
    AIErr (*AddNotifier)(SPPluginRef self, const char* name, const char* type, AINotifierHandle* notifier);
    AIErr (*GetNotifierName)(AINotifierHandle notifier, const char** name);
    AIErr (*GetNotifierType)(AINotifierHandle notifier, const char** type);
    AIErr (*GetNotifierActive)(AINotifierHandle notifier, ASBoolean* active);
    AIErr (*SetNotifierActive)(AINotifierHandle notifier, ASBoolean active);
    AIErr (*GetNotifierPlugin)(AINotifierHandle notifier, SPPluginRef* plugin);
    AIErr (*CountNotifiers)(int32_t* count);
    AIErr (*GetNthNotifier)(int32_t n, AINotifierHandle* notifier);
    // Broadcasts `type` to every active notifier of that type, after the current message.
    AIErr (*Notify)(const char* type, void* notifyData);
};
