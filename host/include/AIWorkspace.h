// Workspaces: the record the "Workspace Manager" messages carry. Each panel's placement
// is kept under its dialog name, by key ("Location", "DockGroup", "DockCode", "Visible").
#pragma once

#include "AIDocument.h"
#include "AITypes.h"
#include "SPMessages.h"

#define kAIWorkspaceSuite "AI Workspace Suite"
#define kAIWorkspaceSuiteVersion 1

typedef struct _t_AIWorkspaceOpaque* AIWorkspaceHandle;

struct AIWorkspaceMessage {
    SPMessageData d;
    AIWorkspaceHandle workspace;
    const char* workspaceName;
};

struct AIWorkspaceSuite {
    AIErr (*SetWorkspacePoint)(AIWorkspaceHandle ws, const char* dialogName, const char* key, AIPoint value);
    AIErr (*GetWorkspacePoint)(AIWorkspaceHandle ws, const char* dialogName, const char* key, AIPoint* value);
    AIErr (*SetWorkspaceString)(AIWorkspaceHandle ws, const char* dialogName, const char* key, const char* value);
    // Bounded copy, always terminated.
    AIErr (*GetWorkspaceString)(AIWorkspaceHandle ws, const char* dialogName, const char* key, char* value,
                                size_t size);
    AIErr (*SetWorkspaceInteger)(AIWorkspaceHandle ws, const char* dialogName, const char* key, int32_t value);
    AIErr (*GetWorkspaceInteger)(AIWorkspaceHandle ws, const char* dialogName, const char* key, int32_t* value);
    AIErr (*SetWorkspaceBoolean)(AIWorkspaceHandle ws, const char* dialogName, const char* key, ASBoolean value);
    AIErr (*GetWorkspaceBoolean)(AIWorkspaceHandle ws, const char* dialogName, const char* key,
                                 ASBoolean* value);
};
