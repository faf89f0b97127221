// The plug-in started in a stand-in host with one document and a plain dimension style
// (points at two decimals without a label, 10 pt DejaVu Sans, arrowheads 9 pt long, witness
// gap 4 and extension 6, text centred in a broken line, terminators by room, drawn at 1:1
// on the user's layer), with helpers that place dimensions the way a user does (click the
// points, press on the last and drag) and read back what the document holds, independently
// of the routines that drew it.
#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <memory>
#include <string>
#include <vector>

#include "AITool.h"
#include "PluginSessionFixture.h"
#include "UserActions.h"
#include "core/PlotwisePlugin.h"
#include "core/PlotwiseStrings.h"
#include "dimensions/DimensionStorage.h"
#include "geometry/UnitFormat.h"

namespace dimtest {

using standin::ObjId;

constexpr double kPi = 3.14159265358979323846;

struct Segment {
    AIRealPoint a, b;
};

struct DimensionToolTest : plugintest::PluginSessionTest {
    void SetUp() override {
        PluginSessionTest::SetUp();
        if (HasFatalFailure()) return;
        PlainStyle();
    }

    static void PlainStyle() {
        auto& p = g->prefs;
        auto& s = p.style;
        s.upperUnits = kPointUnits;
        s.upperDecimalPrecision = 2;
        s.appendUpperUnitLabels = 0;
        s.dualDimensions = 0;
        s.upperTolerance = 0;
        s.dimensionFormat = 0;
        CopyCString(s.dimensionTextFaceStr, "DejaVu Sans");
        s.dimensionTextSize = 10;
        s.arrowheadStyle = 1;
        s.arrowheadLength = 9;
        s.arrowheadAngle = 15;
        s.witnessGap = 4;
        s.witnessExtension = 6;
        s.hTextPlacement = 1;
        s.vTextPlacement = 1;
        s.textDistanceAboveLine = 4;
        s.terminatorDirection = 2;
        s.moveLargeDimensionText = 0;
        s.slideDimText = 0;
        s.textSpacing = 14;
        s.autoDimensionOffset = 18;
        s.upperRefDimension = s.lowerRefDimension = 0;
        s.live = 1;
        p.createLiveDimensions = 1;
        p.createDimensionLayer = 0;
        p.alwaysAbove = 0;
        p.forceDimLinesOutside = 0;
        p.scale = 33;
        p.scaler = 1.0f;
        CopyCString(p.scaleStr, "1:1");
    }

    // The format of new dimensions, chosen in the text panel's popup as the user does: the
    // popup is what the next field, and so the dimensions after the next, follow.
    void ChooseDimensionFormat(int32_t format) { ChooseFormat("CADtext", 45, format); }
    void ChooseLabelFormat(int32_t format) { ChooseFormat("CADlabels", 21, format); }
    // A format picked in its panel's popup, which new dimensions and labels follow.
    void ChooseFormat(const char* panel, int32_t popup, int32_t format) {
        ADMDialogRef dialog = session->dialogs().findDialog(panel);
        ASSERT_NE(dialog, nullptr);
        ASSERT_EQ(session->hostEvent(
                      [&] { return session->dialogs().userAction(dialog, useraction::Picked(popup, format)); }),
                  kNoErr);
    }

    // The isometric view of the axonometric tests.
    static void IsometricView() {
        auto& v = g->prefs.isoView;
        v.a = static_cast<AIReal>(kPi / 6);
        v.b = static_cast<AIReal>(5 * kPi / 6);
        v.c = static_cast<AIReal>(kPi / 2);
        v.af = v.bf = v.cf = 1;
        v.r = 45;
        v.t = 35.26f;
        g->prefs.autoExpandAxoArt = 0;
        g->prefs.noAxoForeshortening = 1;
    }

    // --- the user's art ---

    static AIArtHandle Art(ObjId id) { return standin::toHandle<AIArtHandle>(id); }

    // --- gestures ---

    // Clicks every point but the last, presses on the last and drags to `to`.
    AIErr Dimension(const std::string& tool, const std::vector<AIRealPoint>& clicks, AIRealPoint to,
                    uint32_t modifiers = 0) {
        if (AIErr err = session->selectTool(tool)) return err;
        for (size_t i = 0; i + 1 < clicks.size(); ++i)
            if (AIErr err = session->click(clicks[i], modifiers)) return err;
        const AIRealPoint last = clicks.back();
        if (AIErr err = session->mouseDown(last, modifiers)) return err;
        // A first step clear of the press, then the cursor's place.
        AIErr a = session->mouseDrag({(last.h + to.h) / 2, (last.v + to.v) / 2}, modifiers);
        AIErr b = session->mouseDrag(to, modifiers);
        AIErr up = session->mouseUp(to, modifiers);
        return a ? a : b ? b : up;
    }

    // --- what the document holds ---

    // The live dimension groups, bottom first (on one layer: the newest last).
    std::vector<ObjId> Dimensions() const {
        std::vector<ObjId> out;
        doc->walk([&](const standin::Art& a, int) {
            if (a.type == kGroupArt && !a.isLayerGroup() && IsDimension(Art(a.id))) out.push_back(a.id);
        });
        std::reverse(out.begin(), out.end());
        return out;
    }
    // The contents of the texts of a group, top first (runs joined).
    std::vector<std::string> Texts(ObjId group) const {
        std::vector<std::string> out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type == kTextFrameArt) out.push_back(readback::StoryText(a));
            },
            group);
        return out;
    }
    const standin::Art* FirstText(ObjId group) const {
        const standin::Art* found = nullptr;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (!found && a.type == kTextFrameArt) found = &a;
            },
            group);
        return found;
    }
    // The two-anchor open paths of a group (witness and dimension lines and slashes).
    std::vector<Segment> Lines(ObjId group) const {
        std::vector<Segment> out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type == kPathArt && a.segments.size() == 2 && !a.closed)
                    out.push_back({a.segments[0].p, a.segments[1].p});
            },
            group);
        return out;
    }
    // The tips of the closed three-anchor terminators of a group (the middle anchor of each).
    std::vector<AIRealPoint> Tips(ObjId group) const {
        std::vector<AIRealPoint> out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type == kPathArt && a.closed && a.segments.size() == 3) out.push_back(a.segments[1].p);
            },
            group);
        return out;
    }
    // The way each of those terminators points back along its line: from its tip to the
    // middle of its barbs, in radians.
    std::vector<double> TipWays(ObjId group) const {
        std::vector<double> out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type != kPathArt || !a.closed || a.segments.size() != 3) return;
                const AIRealPoint tip = a.segments[1].p, b1 = a.segments[0].p, b2 = a.segments[2].p;
                out.push_back(std::atan2((b1.v + b2.v) / 2.0 - tip.v, (b1.h + b2.h) / 2.0 - tip.h));
            },
            group);
        return out;
    }
    size_t ClosedPaths(ObjId group) const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.type == kPathArt && a.closed ? 1 : 0; }, group);
        return n;
    }
    // Lines lying along x = h (vertical, each from its lower end, lowest first) or y = v
    // (horizontal, each from its left end, leftmost first).
    static std::vector<Segment> Vertical(const std::vector<Segment>& lines, AIReal h) {
        std::vector<Segment> out;
        for (Segment s : lines) {
            if (std::fabs(s.a.h - h) >= 1e-3 || std::fabs(s.b.h - h) >= 1e-3) continue;
            if (s.b.v < s.a.v) std::swap(s.a, s.b);
            out.push_back(s);
        }
        std::sort(out.begin(), out.end(), [](const Segment& x, const Segment& y) { return x.a.v < y.a.v; });
        return out;
    }
    static std::vector<Segment> Horizontal(const std::vector<Segment>& lines, AIReal v) {
        std::vector<Segment> out;
        for (Segment s : lines) {
            if (std::fabs(s.a.v - v) >= 1e-3 || std::fabs(s.b.v - v) >= 1e-3) continue;
            if (s.b.h < s.a.h) std::swap(s.a, s.b);
            out.push_back(s);
        }
        std::sort(out.begin(), out.end(), [](const Segment& x, const Segment& y) { return x.a.h < y.a.h; });
        return out;
    }
    // The click records stored on art, in stored order.
    static std::vector<Plotwise3_dimensioned_object_data> Clicks(ObjId art) {
        std::vector<Plotwise3_dimensioned_object_data> out;
        ForEachDimensionedObjectData(Art(art), [&](const Plotwise3_dimensioned_object_data& c) -> AIErr {
            out.push_back(c);
            return kNoErr;
        });
        return out;
    }
};

}  // namespace dimtest
