// Workspaces: the host's saved panel layouts. On the "Workspace Manager" requests the
// plug-in writes (or reads back) its panels' placement into the workspace record the
// message carries, as typed values under the panel's prefix and a key.
#pragma once

#include "AITypes.h"
#include "SPMessages.h"

typedef struct _t_AIWorkspaceOpaque* AIWorkspaceHandle;

#define kAIWorkspaceSuite "AI Workspace Suite"
#define kAIWorkspaceSuiteVersion 2

// The message of "Write Woskspace", "Restore Woskspace" and "Default Woskspace".
struct AIWorkspaceMessage {
    SPMessageData d;
    AIWorkspaceHandle workspace;
    const char* dialogName;  // the panel the request is about
};

struct AIWorkspaceSuite {
    AIErr (*SetWorkspacePoint)(AIWorkspaceHandle ws, const char* prefix, const char* key, AIRealPoint value);
    AIErr (*SetWorkspaceString)(AIWorkspaceHandle ws, const char* prefix, const char* key, const char* value);
    AIErr (*SetWorkspaceInteger)(AIWorkspaceHandle ws, const char* prefix, const char* key, int32_t value);
    AIErr (*SetWorkspaceBoolean)(AIWorkspaceHandle ws, const char* prefix, const char* key, AIBoolean value);
    // A missing key (or another type) leaves *value unchanged and returns kNoSuchKey.
    AIErr (*GetWorkspacePoint)(AIWorkspaceHandle ws, const char* prefix, const char* key, AIRealPoint* value);
    AIErr (*GetWorkspaceString)(AIWorkspaceHandle ws, const char* prefix, const char* key, char* buffer,
                                int32_t bufferSize);
    AIErr (*GetWorkspaceInteger)(AIWorkspaceHandle ws, const char* prefix, const char* key, int32_t* value);
    AIErr (*GetWorkspaceBoolean)(AIWorkspaceHandle ws, const char* prefix, const char* key, AIBoolean* value);
};
