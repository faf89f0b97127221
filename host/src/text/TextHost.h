// The text engine inside the stand-in host: text frames are art of type kTextFrameArt in
// the document model, each holding its Story; the engine reaches them through the host
// in front, and its suites are published in the host's suite registry.
#pragma once

#include "AITextFrame.h"
#include "SuiteRegistry.h"
#include "text/TextEngine.h"

namespace standin::text {

// The host's engine (over the documents of Host::current()).
TextEngine& hostTextEngine();

// Publishes the text suites ("AI Text Frame Suite", "AI Font Suite", "AI ATE Paint Suite",
// "ATE Text Suite", "AI Unicode String Suite") and starts the host's text state afresh
// (no references, focus or text selection). The host calls it while registering its suites; it also
// gives the document model its measure of text bounds.
void registerTextSuites(SuiteRegistry& registry);

const AITextFrameSuite& textFrameSuite();

}  // namespace standin::text
