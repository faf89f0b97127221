// What the tests of radius, diameter, centre-mark and angle dimensions share, on top of the
// dimension tool fixture: circles, gestures of one press and a drag (or clicks), the parts
// of a dimension group read back from the document (terminators, lines, the text and where
// it stands), an axonometric view for projected circles, and a host suite swapped for one
// that fails.
#pragma once

#include <cmath>
#include <string>
#include <vector>

#include "DimensionToolFixture.h"
#include "axonometric/AxonometricData.h"
#include "axonometric/AxonometricProjection.h"
#include "core/PlotwiseSuites.h"

namespace dimtest {

constexpr AIReal kTol = 1e-3f;

// A suite global swapped for a copy for one scope (to make one of its calls fail).
template <typename Suite>
class SwappedSuite {
public:
    explicit SwappedSuite(Suite*& global) : global_(global), saved_(global), copy_(*global) { global_ = &copy_; }
    ~SwappedSuite() { global_ = saved_; }
    SwappedSuite(const SwappedSuite&) = delete;
    SwappedSuite& operator=(const SwappedSuite&) = delete;
    Suite* operator->() { return &copy_; }

private:
    Suite*& global_;
    Suite* saved_;
    Suite copy_;
};

struct RadialAngleTest : DimensionToolTest {
    void SetUp() override {
        DimensionToolTest::SetUp();
        auto& s = g->prefs.style;
        s.appendDiamLabels = 1;
        s.diameterLabelsBefore = 1;
        s.diameterLeaderSpansCircle = 0;
        s.diameterLeaderLength = 36;
        s.modifiers = 0;
        CopyCString(g->prefs.customDimDefaultText, "Custom");
    }

    ObjId Ellipse(AIReal x, AIReal y, AIReal w, AIReal h) {
        ObjId id = 0;
        EXPECT_EQ(session->hostEvent([&] { return doc->addEllipse(x, y, w, h, &id); }), kNoErr);
        return id;
    }

    // Presses at `press` and drags to `to` in two steps.
    AIErr PressAndDrag(const std::string& tool, AIRealPoint press, AIRealPoint to, uint32_t modifiers = 0) {
        if (AIErr err = session->selectTool(tool)) return err;
        if (AIErr err = session->mouseDown(press, modifiers)) return err;
        AIErr a = session->mouseDrag({(press.h + to.h) / 2 + 1, (press.v + to.v) / 2 + 1}, modifiers);
        AIErr b = session->mouseDrag(to, modifiers);
        AIErr up = session->mouseUp(to, modifiers);
        return a ? a : b ? b : up;
    }
    // Clicks the first point, presses on the second and drags to `to`.
    AIErr TwoClicksAndDrag(const std::string& tool, AIRealPoint first, AIRealPoint second, AIRealPoint to,
                           uint32_t modifiers = 0) {
        if (AIErr err = session->selectTool(tool)) return err;
        if (AIErr err = session->click(first, modifiers)) return err;
        return Continue(second, to, modifiers);
    }
    AIErr Continue(AIRealPoint second, AIRealPoint to, uint32_t modifiers = 0) {
        if (AIErr err = session->mouseDown(second, modifiers)) return err;
        AIErr a = session->mouseDrag({(second.h + to.h) / 2 + 1, (second.v + to.v) / 2 + 1}, modifiers);
        AIErr b = session->mouseDrag(to, modifiers);
        AIErr up = session->mouseUp(to, modifiers);
        return a ? a : b ? b : up;
    }

    // The open paths of more than two anchors (arcs), each as its anchors.
    std::vector<std::vector<AIPathSegment>> Arcs(ObjId group) const {
        std::vector<std::vector<AIPathSegment>> out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type == kPathArt && !a.closed && a.segments.size() > 2) out.push_back(a.segments);
            },
            group);
        return out;
    }
    // A line of the group from `a` to `b` (either way round), within kTol.
    bool HasLine(ObjId group, AIRealPoint a, AIRealPoint b) const {
        auto same = [](AIRealPoint p, AIRealPoint q) {
            return std::fabs(p.h - q.h) < kTol && std::fabs(p.v - q.v) < kTol;
        };
        for (const Segment& s : Lines(group))
            if ((same(s.a, a) && same(s.b, b)) || (same(s.a, b) && same(s.b, a))) return true;
        return false;
    }
    std::string Text(ObjId group) const {
        const auto texts = Texts(group);
        return texts.empty() ? std::string() : texts.front();
    }
    AIRealPoint TextAnchor(ObjId group) const {
        const standin::Art* text = FirstText(group);
        return text ? AIRealPoint{text->story.matrix.tx, text->story.matrix.ty} : AIRealPoint{};
    }

    // The art of a group as comparable text: paths' anchors and texts' contents and places.
    std::string Drawing(ObjId group) const {
        std::string out;
        doc->walk(
            [&](const standin::Art& a, int) {
                if (a.type == kPathArt) {
                    out += a.closed ? "closed" : "open";
                    for (const AIPathSegment& s : a.segments) {
                        char p[64];
                        std::snprintf(p, sizeof p, " %.3f,%.3f", s.p.h, s.p.v);
                        out += p;
                    }
                } else if (a.type == kTextFrameArt) {
                    char p[64];
                    std::snprintf(p, sizeof p, " at %.3f,%.3f", a.story.matrix.tx, a.story.matrix.ty);
                    out += "text " + Text(group) + p;
                }
                out += "\n";
            },
            group);
        return out;
    }

    AIErr Project(ObjId art, int32_t face) {
        return session->hostEvent([&] { return ProjectAxonometric(Art(art), face, &g->prefs.isoView); });
    }
    static AIRealRect Bounds(ObjId art) {
        const AIRealMatrix identity{1, 0, 0, 1, 0, 0};
        AIRealRect r{};
        sAIArt->GetArtTransformBounds(Art(art), &identity, kNoStrokeBounds, &r);
        return r;
    }
};

}  // namespace dimtest
