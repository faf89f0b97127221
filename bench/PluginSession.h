// The plug-in started in one host for a benchmark (the plug-in's record and suites are one
// per process): with the shipped preferences, or drawing dimensions in a plain style
// (points, two decimals, no unit label, DejaVu Sans of the size asked for, live and on the
// current layer).
#pragma once

#include <time.h>

#include <memory>

#include "Host.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"
#include "dimensions/ClickChain.h"
#include "dimensions/DimensionDrawing.h"
#include "dimensions/DimensionPaint.h"
#include "dimensions/DimensionStorage.h"
#include "dimtools/LinearDimensions.h"
#include "module/PlotwiseGlobals.h"
#include "plugin/PluginDriver.h"

// The processor time this thread has taken, in seconds: what other programs on a shared
// machine take does not count.
inline double ThreadSeconds() {
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return static_cast<double>(t.tv_sec) + static_cast<double>(t.tv_nsec) * 1e-9;
}

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

// One horizontal dimension from a to b of `art` (anchors 0 and 1), its line through `drag`,
// drawn and stored as the horizontal tool's mouse down, drag and mouse up do it: the paint
// and text metrics, the chain of its two clicks, the routine, the click records.
inline void DrawHorizontalDimension(AIArtHandle art, AIRealPoint a, AIRealPoint b, AIRealPoint drag, int32_t id) {
    auto& g = *GlobalsView<PlotwiseGlobals>{};
    doFreeHitLocs();
    setPathAndArrowheadStyles();
    getPlatformCurrentTextSizeAndLeading(&g.textSize, &g.textLeading);
    Plotwise3_dimensioned_object_data clicks[3] = {};
    for (int k = 0; k < 3; ++k) {
        Plotwise3_dimensioned_object_data& c = clicks[k];
        c.id = id;
        c.clickNum = k < 2 ? k + 1 : -1;
        c.segNumBefore = c.segNumAfter = k == 1 ? 1 : 0;
        c.dimType = kHorizontal;
        c.clickType = kLiveDimClickedSegmentPoint;
        c.art = art;
    }
    clicks[2].endPointOffsetLength = drag.v - a.v;
    clicks[2].endPointOffsetAngle = 1.5707964f;
    insertChainDimNode(&a, &clicks[0]);
    insertChainDimNode(&b, &clicks[1]);
    g.didFirstClick = g.didSecondClick = 1;
    g.firstClick = a;
    g.secondClick = b;
    g.endPoint = drag;
    g.curDimID = id;
    doHorizontalConstrainedLinearTool();
    for (const auto& c : clicks) SetDimensionedObjectData(art, &c);
    doFreeHitLocs();
    g.didFirstClick = g.didSecondClick = 0;
}
