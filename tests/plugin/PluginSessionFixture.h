// The plug-in loaded into a stand-in host and started, with one new document in front; a
// fixture that starts it otherwise (another host version, a second plug-in, later in the
// test) overrides SetUp and calls LoadPlugin and StartPlugin itself. At the end the plug-in
// is shut down and the host must hold nothing it lent: no suite still acquired, no
// dictionary reference, iterator, entry, hit, memory handle or block left, none given back
// twice.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "Host.h"
#include "PluginGlobals.h"
#include "ReadBack.h"
#include "plugin/PluginDriver.h"

extern "C" AIErr PluginMain(const char* caller, const char* selector, void* message);

namespace plugintest {

// Everything the host lent has been given back, once and once only.
inline void ExpectHostHoldsNothing(standin::Host& host) {
    const standin::Counters& c = host.counters();
    EXPECT_EQ(host.suites().outstanding(), 0) << "suites left acquired";
    EXPECT_EQ(c.dictRefs, 0) << "dictionary references left held";
    EXPECT_EQ(c.dictIterators, 0) << "dictionary iterators left held";
    EXPECT_EQ(c.entryRefs, 0) << "dictionary entries left held";
    EXPECT_EQ(c.hitRefs, 0) << "hit results left held";
    EXPECT_EQ(c.mdHandles, 0) << "memory handles left undisposed";
    EXPECT_EQ(c.liveBlocks, 0) << "memory blocks left undisposed";
    EXPECT_EQ(c.doubleReleases, 0) << "references released twice";
}

struct PluginSessionTest : ::testing::Test {
    void SetUp() override {
        LoadPlugin();
        StartWithDocument();
    }

    void TearDown() override {
        if (session) session->shutdown();
        session.reset();
        ExpectHostHoldsNothing(host);
    }

    // A new session of the host with the plug-in loaded, not yet started; a running one is
    // shut down first. The resources are the plug-in's own unless the options name others.
    void LoadPlugin(standin::PluginDriverOptions options = {}) {
        if (options.resourceDir.empty()) options.resourceDir = PLOTWISE_RESOURCE_DIR;
        session.reset();
        session = std::make_unique<standin::PluginDriver>(host, options);
        session->load(&PluginMain);
    }
    void StartPlugin() { ASSERT_EQ(session->startup(), kNoErr) << session->lastError(); }
    void StartWithDocument() {
        StartPlugin();
        if (HasFatalFailure()) return;
        doc = &session->newDocument();
    }

    // The document in front (the one the fixture opened, unless the test opened another).
    standin::Document& Doc() { return *host.frontDocument(); }
    // The front document's scale style, as the document panel's switch stores it.
    void SetScaleStyle(int32_t style) { Doc().editDict(Doc().dictionaryOf(0))->set("ZA3_ScaleStyle", style); }
    // The front drawing at a scale, stored on each top-level layer as a pick in the document
    // panel stores it: the scale its lengths are typed and shown at.
    void DrawAt(int32_t id, AIReal scaler, const std::string& label) {
        for (size_t i = 0; i < Doc().layerCount(); ++i) {
            standin::Dict* d = Doc().editDict(Doc().dictionaryOf(Doc().nthLayer(i)));
            d->set("ZA3_ScaleID", id);
            d->set("ZA3_Scaler", scaler);
            d->set("ZA3_ScaleStr", label);
        }
    }

    // The user's rectangle and polyline in the document in front, and what tests read back
    // (ReadBack.h).
    standin::ObjId Rect(AIReal x, AIReal y, AIReal w, AIReal h) { return readback::Rect(*session, Doc(), x, y, w, h); }
    standin::ObjId Polyline(const std::vector<AIRealPoint>& points, bool closed = false) {
        standin::ObjId id = 0;
        EXPECT_EQ(session->hostEvent([&] { return Doc().addPolyline(points, closed, &id); }), kNoErr);
        return id;
    }
    std::vector<std::string> Alerts() const { return readback::Alerts(session->dialogs()); }

    // A depth cube or cylinder as the user draws one with the current tool: its face dragged
    // from the press to the corner, pulled out in depth with the cursor, kept by a click there.
    void DepthPrimitive(AIRealPoint press, AIRealPoint corner, AIRealPoint depth) {
        ASSERT_EQ(session->mouseDown(press), kNoErr);
        ASSERT_EQ(session->mouseDrag({press.h + 10, press.v - 10}), kNoErr);
        ASSERT_EQ(session->mouseDrag(corner), kNoErr);
        ASSERT_EQ(session->mouseUp(corner), kNoErr);
        ASSERT_EQ(session->trackCursor({(corner.h + depth.h) / 2, (corner.v + depth.v) / 2}), kNoErr);
        ASSERT_EQ(session->trackCursor(depth), kNoErr);
        session->ticks(6);
        ASSERT_EQ(session->click(depth), kNoErr);
    }

    standin::Host host;
    std::unique_ptr<standin::PluginDriver> session;
    standin::Document* doc = nullptr;
};

}  // namespace plugintest
