// What the plug-in's tests read back from the stand-in host's own model, independently of
// the routines under test: the alerts shown, whether art carries a tag, the text of a text
// frame and where a point lies; and the user's rectangle they draw on.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <sstream>
#include <string>
#include <string_view>
#include <vector>

#include "Host.h"
#include "plugin/PluginDriver.h"

namespace readback {

// A rectangle the user draws: one host event, so the plug-in hears of it as of any art.
inline standin::ObjId Rect(standin::PluginDriver& session, standin::Document& doc, AIReal x, AIReal y, AIReal w,
                           AIReal h) {
    standin::ObjId id = 0;
    EXPECT_EQ(session.hostEvent([&] { return doc.addRect(x, y, w, h, &id); }), kNoErr);
    return id;
}

// The texts of the alerts shown so far, the first first.
inline std::vector<std::string> Alerts(const standin::DialogManager& dialogs) {
    std::vector<std::string> texts;
    for (const auto& a : dialogs.alerts()) texts.push_back(a.text);
    return texts;
}

// Whether the art carries a tag of that name.
inline bool Tagged(const standin::Document& doc, standin::ObjId art, std::string_view name) {
    const standin::Art* a = doc.art(art);
    return a && std::any_of(a->tags.begin(), a->tags.end(), [&](const auto& t) { return t.name == name; });
}

// The text of a text frame: its story's runs joined.
inline std::string StoryText(const standin::Art& text) {
    std::string s;
    for (const auto& run : text.story.runs) s += run.text;
    return s;
}

// Whether p lies within tol of (h, v) in each coordinate; a miss says where p is.
inline ::testing::AssertionResult PointNear(AIRealPoint p, double h, double v, double tol) {
    if (std::fabs(p.h - h) <= tol && std::fabs(p.v - v) <= tol) return ::testing::AssertionSuccess();
    std::ostringstream why;
    why.precision(9);
    why << "(" << p.h << ", " << p.v << ") is not within " << tol << " of (" << h << ", " << v << ")";
    return ::testing::AssertionFailure() << why.str();
}
inline ::testing::AssertionResult PointNear(AIRealPoint p, AIRealPoint want, double tol) {
    return PointNear(p, want.h, want.v, tol);
}

}  // namespace readback

// A point within a tolerance of (h, v) or of another point, each coordinate:
// EXPECT_PT(p, 10, 20, kTol) or EXPECT_PT(p, q, kTol); a message may be streamed after it.
#define EXPECT_PT(p, ...) EXPECT_TRUE(::readback::PointNear((p), __VA_ARGS__))
