// What the fuzzers that drive the plug-in's routines directly share: the input read a few
// bytes at a time, the stand-in host with the plug-in's record and suites in place, and the
// check that a run kept no dictionary reference.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <memory>
#include <string>
#include <variant>

#include "Host.h"
#include "core/PlotwiseSuites.h"
#include "module/PlotwiseGlobals.h"
#include "plugin/PluginDriver.h"

// Reads the input a few bytes at a time; zeros once it is used up.
struct FuzzInput {
    const uint8_t* data;
    size_t size;
    uint8_t byte() { return size ? (--size, *data++) : 0; }
    uint32_t word() {
        uint32_t w = 0;
        for (int i = 0; i < 4; ++i) w = (w << 8) | byte();
        return w;
    }
    AIReal real() {
        const uint32_t w = word();
        AIReal r;
        std::memcpy(&r, &w, sizeof r);
        return r;
    }
    // A whole number from lo to lo + span - 1 mostly, and now and then any.
    int32_t small(int32_t lo, int32_t span) {
        const uint8_t b = byte();
        return b < 240 ? lo + b % span : static_cast<int32_t>(word());
    }
};

// The sub-dictionary under key of a dictionary (0 when absent or not a dictionary).
inline standin::ObjId SubDictionary(standin::Document& doc, standin::ObjId dict, const std::string& key) {
    const standin::DictValue* v = doc.dict(dict) ? doc.dict(dict)->find(key) : nullptr;
    return v && std::holds_alternative<standin::DictLink>(*v) ? std::get<standin::DictLink>(*v).id : 0;
}

// One host for the whole run, the plug-in's record installed and its suites acquired.
struct FuzzPluginWorld {
    standin::Host host;
    std::unique_ptr<standin::PluginDriver> driver = std::make_unique<standin::PluginDriver>(host);
    PlotwiseGlobals globals{};
    FuzzPluginWorld() {
        plotwiseRecord = &globals;
        if (AcquirePlotwiseSuites(host.basicSuite()) != kNoErr) std::abort();
    }
    // A reference or iterator still held once the document is closed is a leak. What the
    // run would have told the user goes, so runs do not pile it up.
    void RequireNoDictionaryLeft() {
        if (host.counters().dictRefs != 0 || host.counters().dictIterators != 0) std::abort();
        globals.notesForUser.clear();
    }
};
