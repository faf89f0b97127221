// Start-up offers no callout tool: its handlers serve a tool registered under the callout
// handle. Tests and benchmarks that drive callouts register one here, as a host offering
// it would, titled "Callout" like the plug-in's string for it.
#pragma once

#include "AITool.h"
#include "core/PlotwiseSuites.h"
#include "dimtools/DimToolGlobals.h"
#include "plugin/PluginDriver.h"

inline AIErr RegisterCalloutTool(standin::PluginDriver& session) {
    return session.hostEvent([] {
        constexpr GlobalsView<DimToolGlobals> globals;
        AIAddToolData data{"Callout", "Callout", 0, kNoTool, kNoTool};
        return sAITool->AddTool(globals->thisPlugin, "Plotwise Callout", &data, kToolWantsToTrackCursorOption,
                                &globals->calloutstool);
    });
}
