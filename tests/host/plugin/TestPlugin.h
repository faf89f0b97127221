// A small plug-in for the host's own tests: it records every message it receives,
// registers a tool set, menu items, notifiers, a timer and an annotator, draws a line on
// each drag (undoing the previous drag's line first), opens a floating panel when the
// application has started (when the tests' resources hold its template) and publishes
// "Test Plugin Suite" so that a test can read its record even when it was loaded from a module.
// It also asks another plug-in's published suite for layer scales, and listens to that
// plug-in's "Plotwise Scale Changed Notifier". Of the host's notifications it hears the
// application's start and shut-down, the selection and document changes, the current
// document, the user's undo and the before and after paste.
#pragma once

#include <cstddef>
#include <cstdint>

#include <string>
#include <vector>

#include "AITypes.h"

#define kTestPluginSuite "Test Plugin Suite"
#define kTestPluginSuiteVersion 1
#define kTestBroadcastNotifier "Test Broadcast Notifier"

// Tool titles and menu texts the tests use.
#define kTestLineTool "Test Line"
#define kTestBoxTool "Test Box"
#define kTestOtherTool "Test Other"
#define kTestCommandMenu "Test Command"
#define kTestTimerMenu "Test Start Timer"
#define kTestFailMenu "Test Refused"
#define kTestAlertMenu "Test Alert"  // a message alert, then a yes/no alert
// The next application shut-down finds the memory exhausted (std::bad_alloc), once.
#define kTestExhaustMenu "Test Exhaust Memory"
// Asks "Plotwise Suite" (when a plug-in publishes it) for the scale of every layer and
// sublayer, records each answer as `Plotwise Suite/GetLayerScale "Title" SCALER "LABEL"`
// and shows them in one alert, separated by semicolons.
#define kTestLayerScalesMenu "Test Layer Scales"
// The floating panel (tests/host/plugin/resources/dialogs/26800.json, numbered apart from
// Plotwise's own resources so both plug-ins can share the search path) and its items. Each
// notification an item gets is recorded as "Test Panel/<id> <notifier type> <state>", and a
// user change is then broadcast with the item id as its data. Reset puts the other items
// back itself (which must not notify). The placement below is written at creation and
// recorded at shut-down as "Test Panel/placement <left>,<top> <group> <code> collapsed <0|1>".
#define kTestPanelName "Test Panel"
constexpr int32_t kTestPanelID = 26800;
constexpr int32_t kTestPanelText = 3, kTestPanelCheck = 4, kTestPanelPopup = 5, kTestPanelReset = 6;
#define kTestPanelStartText "start"
constexpr int32_t kTestPanelLeft = 40, kTestPanelTop = 60;
#define kTestPanelGroup "Test Group"
constexpr int32_t kTestPanelCode = 2;
// The timer fires this many times, then deactivates itself.
constexpr int kTestTimerFires = 3;
constexpr int32_t kTestTimerPeriod = 10;

struct TestPluginSuite {
    int32_t (*CountRecords)();
    // Bounded copy of record n ("caller/selector detail"); 'RANG' past the end.
    AIErr (*GetRecord)(int32_t n, char* text, size_t size);
    int32_t (*Startups)();  // how often "Startup" was seen by this record
    void* (*Globals)();     // the record the plug-in works with
};

// Every record of the copy linked into the program, across start-ups (tests clear it).
std::vector<std::string>& testPluginTranscript();

extern "C" AIErr TestPluginMain(const char* caller, const char* selector, void* message);
