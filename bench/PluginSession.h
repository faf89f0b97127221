// The plug-in started in one host for a benchmark (the plug-in's record and suites are one
// per process): with the shipped preferences, or drawing dimensions in a plain style
// (points, two decimals, no unit label, DejaVu Sans of the size asked for, live and on the
// current layer).
#pragma once

#include <memory>

#include "Host.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"
#include "module/PlotwiseGlobals.h"
#include "plugin/PluginDriver.h"

struct PluginSession {
    standin::Host host;
    std::unique_ptr<standin::PluginDriver> driver;

    // The shipped preferences, as a new user's session has them.
    PluginSession() {
        standin::PluginDriverOptions options;
        options.resourceDir = PLOTWISE_RESOURCE_DIR;
        driver = std::make_unique<standin::PluginDriver>(host, options);
        driver->load(&PluginMain);
        driver->startup();
    }
    explicit PluginSession(AIReal textSize) : PluginSession() {
        auto& p = GlobalsView<PlotwiseGlobals>{}->prefs;
        p.createDimensionLayer = 0;
        p.createLiveDimensions = 1;
        p.style.upperUnits = 0;
        p.style.upperDecimalPrecision = 2;
        p.style.appendUpperUnitLabels = 0;
        p.style.slideDimText = 0;
        p.style.dimensionTextSize = textSize;
        CopyCString(p.style.dimensionTextFaceStr, "DejaVu Sans");
    }
    ~PluginSession() { driver->shutdown(); }
    PluginSession(const PluginSession&) = delete;
    PluginSession& operator=(const PluginSession&) = delete;

    standin::Document& NewDocument(AIReal width, AIReal height) { return driver->newDocument(width, height); }
    void Front(standin::Document& doc) { driver->setFrontDocument(doc); }
};
