// One undo per gesture, with every tool the plug-in registers: seeded sessions of presses,
// drags and clicks on and beside a drawing of lines, a rectangle, a circle, a rounded edge,
// a depth cube, a house of two walls and a dimension, with the drawing scale just chosen in
// the document panel, 1:1 or 1:100; now and then the next gesture comes at once, before
// what the last held back is done. After each gesture one undo gives back the drawing as it
// was before it (every path, text, tag, dictionary and the selection, as the host lists
// them; before the command, when the gesture carried one on) and redo the drawing after it;
// a gesture that changed nothing leaves no step.
#include <algorithm>
#include <cmath>
#include <random>
#include <sstream>
#include <string>
#include <vector>

#include "DrawingDifferences.h"
#include "PluginSessionFixture.h"
#include "UserActions.h"

namespace {

using standin::ObjId;

// What the user types into a field of a tool's dialog.
enum class Field { Length, Small, Width, Angle, Count };

struct DialogAnswer {
    const char* dialog;
    std::vector<std::pair<int32_t, Field>> fields;  // each typed, then OK
};

// The dialogs a tool's click (or its drag's end) opens, answered as a user would.
const DialogAnswer kAnswers[] = {
    {"CADLine", {{4, Field::Length}, {6, Field::Angle}}},
    {"CADRect", {{4, Field::Length}, {6, Field::Length}}},
    {"CADEllipse", {{4, Field::Length}, {6, Field::Length}}},
    {"CADArcByRadius", {{4, Field::Length}, {6, Field::Angle}, {8, Field::Angle}}},
    {"CADArcByPoints", {{4, Field::Length}}},
    {"PerpLine", {{4, Field::Length}}},
    {"Offset", {{4, Field::Small}}},
    {"CADFillet", {{4, Field::Small}}},
    {"CADChamfer", {{4, Field::Small}, {6, Field::Small}}},
    {"CADWall", {{4, Field::Length}, {6, Field::Angle}}},
    {"PathDivider", {{6, Field::Count}}},
    {"Resize", {}},
    {"Depth Rectangle", {{4, Field::Length}, {6, Field::Length}}},
    {"Depth Ellipse", {{4, Field::Length}, {6, Field::Length}}},
    {"Depth Cube", {{4, Field::Length}, {6, Field::Length}, {8, Field::Length}}},
    {"Depth Cylinder", {{4, Field::Length}, {6, Field::Length}, {11, Field::Length}}},
    {"DoorOptions", {{4, Field::Width}}},
    {"WindowOptions", {{4, Field::Width}}},
    {"TableOptions", {{4, Field::Count}, {6, Field::Count}}},
    {"TitleBlockOptions", {}},
    {"Callouts", {}},
    {"CADAddCustomScale", {{8, Field::Count}}},
};

// The scale the drawing is at, and the document panel's entry for it.
struct Scale {
    const char* name;
    int32_t panelEntry;
    double realPerPoint;  // real millimetres a point of the page stands for
};
constexpr Scale kScales[] = {{"1:1", 33, 25.4 / 72}, {"1:100", 24, 100 * 25.4 / 72}};

// Each session goes on until the tool has changed the drawing this often, or gives up.
constexpr int kChangesPerTool = 8;
constexpr int kMostGesturesPerTool = 40;

struct OneUndoPerGestureTest : plugintest::PluginSessionTest {
    static std::string Millimetres(double mm, const char* format) {
        char text[32];
        std::snprintf(text, sizeof text, format, mm);
        return text;
    }
    // What is typed: lengths of 20 to 80 points on the page (small ones 2 to 8, widths 8 to
    // 20), whatever the scale; angles, and counts of 2 to 4.
    std::string Typed(Field f, const Scale& scale, std::mt19937& random) {
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        switch (f) {
            case Field::Length: return Millimetres((20 + 60 * unit(random)) * scale.realPerPoint, "%.0f mm");
            case Field::Small: return Millimetres((2 + 6 * unit(random)) * scale.realPerPoint, "%.1f mm");
            case Field::Width: return Millimetres((8 + 12 * unit(random)) * scale.realPerPoint, "%.0f mm");
            case Field::Angle: return std::to_string(static_cast<int>(360 * unit(random)));
            case Field::Count: return std::to_string(2 + static_cast<int>(3 * unit(random)));
        }
        return {};
    }

    // One answer waiting for each dialog, whichever the next gesture opens.
    void AnswerDialogs(const Scale& scale, std::mt19937& random) {
        auto& dialogs = session->dialogs();
        for (const DialogAnswer& a : kAnswers) {
            const auto& queued = dialogs.modalAnswers();
            if (std::ranges::any_of(queued, [&](const auto& q) { return q.dialog == a.dialog; })) continue;
            standin::ModalAnswer answer{a.dialog, {}, "the test"};
            for (const auto& [item, field] : a.fields)
                answer.actions.push_back(useraction::Typed(item, Typed(field, scale, random)));
            answer.actions.push_back(useraction::Pressed(1));
            dialogs.queueModalAnswer(std::move(answer));
        }
    }

    // Places worth a press on each path: each anchor, 2.5 points from it along its pieces,
    // the middle of each piece and, for a closed path, the middle of its anchors; and beside
    // each corner (and each crossing of the scene's two lines) a point on either side of it.
    void FindPlaces() {
        places.clear();
        corners = {{{110, 300}, {120, 290}}, {{130, 300}, {120, 310}}};
        auto along = [](AIRealPoint p, AIRealPoint q, double by) {
            const double dx = q.h - p.h, dy = q.v - p.v, d = std::max(std::hypot(dx, dy), 1e-3);
            return AIRealPoint{static_cast<AIReal>(p.h + by * dx / d), static_cast<AIReal>(p.v + by * dy / d)};
        };
        Doc().walk([&](const standin::Art& a, int) {
            if (a.type != kPathArt || a.segments.size() < 2) return;
            const auto& s = a.segments;
            const size_t n = s.size(), pieces = a.closed ? n : n - 1;
            std::vector<AIRealPoint>& on = places.emplace_back();
            AIRealPoint middle{0, 0};
            for (size_t k = 0; k < pieces; ++k) {
                const AIPathSegment &p = s[k], &q = s[(k + 1) % n];
                on.push_back(p.p);
                on.push_back(along(p.p, q.p, 2.5));
                on.push_back({(p.p.h + 3 * p.out.h + 3 * q.in.h + q.p.h) / 8,
                              (p.p.v + 3 * p.out.v + 3 * q.in.v + q.p.v) / 8});
                middle = {middle.h + p.p.h / n, middle.v + p.p.v / n};
            }
            if (!a.closed) on.push_back(s.back().p);
            if (a.closed) on.push_back(middle);
            for (size_t k = a.closed ? 0 : 1; k < (a.closed ? n : n - 1); ++k)
                corners.push_back({along(s[k].p, s[(k + n - 1) % n].p, 6), along(s[k].p, s[(k + 1) % n].p, 6)});
        });
    }

    // The drawing every session starts from, made at 1:1 as a user would.
    void DrawScene() {
        doc = &session->newDocument();
        SetScale(kScales[0]);
        session->ticks(20);
        Polyline({{40, 60}, {220, 60}, {220, 180}, {120, 240}});
        Rect(280, 60, 140, 90);
        Polyline({{40, 300}, {200, 300}});
        Polyline({{120, 260}, {120, 340}});
        EXPECT_EQ(session->hostEvent([&] { return Doc().addEllipse(300, 220, 100, 100, nullptr); }), kNoErr);
        // An edge rounded by a quarter circle of radius 30.
        constexpr AIReal k = 30 * 0.5522848f;
        EXPECT_EQ(session->hostEvent([&] {
            return Doc().addPath({{{450, 300}, {450, 300}, {450, 300}, true},
                                  {{450, 380}, {450, 380}, {450, 380 + k}, false},
                                  {{480, 410}, {480 - k, 410}, {480, 410}, false},
                                  {{560, 410}, {560, 410}, {560, 410}, true}},
                                 false, nullptr);
        }),
                  kNoErr);
        // A depth cube: its left face dragged, pulled out in depth.
        ASSERT_EQ(session->selectTool("Depth Cube"), kNoErr);
        DepthPrimitive({160, 410}, {230, 330}, {290, 360});
        session->ticks(20);
        // A wall 5 mm thick, typed 150 mm long.
        ADMDialogRef walls = session->dialogs().findDialog("CADwalls");
        ASSERT_NE(walls, nullptr);
        const auto thickness = useraction::Typed(4, "5 mm");
        ASSERT_EQ(session->hostEvent([&] { return session->dialogs().userAction(walls, thickness); }), kNoErr);
        ASSERT_EQ(session->selectTool("Add Wall"), kNoErr);
        session->dialogs().queueModalAnswer(
            {"CADWall", {useraction::Typed(4, "150 mm"), useraction::Typed(6, "0"), useraction::Pressed(1)}, "scene"});
        EXPECT_EQ(session->click({60, 500}), kNoErr);
        session->ticks(20);
        // A second wall of the house, dragged up from the free end of the first.
        EXPECT_EQ(session->mouseDown({485.2f, 500}), kNoErr);
        EXPECT_EQ(session->mouseDrag({485.2f, 560}), kNoErr);
        EXPECT_EQ(session->mouseDrag({485.2f, 640}), kNoErr);
        EXPECT_EQ(session->mouseUp({485.2f, 640}), kNoErr);
        session->ticks(20);
        // A dimension of the rectangle's width.
        ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
        EXPECT_EQ(session->click({280, 150}), kNoErr);
        EXPECT_EQ(session->mouseDown({420, 150}), kNoErr);
        EXPECT_EQ(session->mouseDrag({380, 165}), kNoErr);
        EXPECT_EQ(session->mouseDrag({350, 175}), kNoErr);
        EXPECT_EQ(session->mouseUp({350, 175}), kNoErr);
        session->ticks(20);
        EXPECT_EQ(session->hostEvent([&] {
            Doc().selectNone();
            return kNoErr;
        }),
                  kNoErr);
    }

    void SetScale(const Scale& scale) {
        ADMDialogRef panel = session->dialogs().findDialog("CADdocument");
        ASSERT_NE(panel, nullptr);
        const auto pick = useraction::Picked(12, scale.panelEntry);
        ASSERT_EQ(session->hostEvent([&] { return session->dialogs().userAction(panel, pick); }), kNoErr);
    }

    // The user's next gestures: a press dragged away (to art now and then), a click, the
    // cursor moved and then a click at once, a click on each side of a corner, clicks on one
    // path or two and a press dragged from the last (the points of a command), or three
    // clicks. (A move is checked as a gesture too: what it changes carries on a command.)
    struct Gesture {
        enum Kind { kDrag, kClick, kMove } kind;
        AIRealPoint at, to;
        uint32_t modifiers;
        bool soon = false;  // made at once after the last, before what that one held back is done
    };
    std::vector<Gesture> NextGestures(std::mt19937& random) {
        std::uniform_real_distribution<double> unit(0.0, 1.0);
        auto pick = [&](size_t n) { return std::min(static_cast<size_t>(unit(random) * n), n - 1); };
        auto placeOn = [&](const std::vector<AIRealPoint>& path) { return path[pick(path.size())]; };
        const std::vector<AIRealPoint>* path = &places[pick(places.size())];
        auto place = [&] {
            if (unit(random) < 0.1)  // in empty space
                return AIRealPoint{static_cast<AIReal>(40 + 500 * unit(random)),
                                   static_cast<AIReal>(560 + 60 * unit(random))};
            if (unit(random) < 0.4) path = &places[pick(places.size())];
            return placeOn(*path);
        };
        auto near = [&](AIRealPoint p) {
            const double length = 15 + 45 * unit(random), angle = 6.283185307179586 * unit(random);
            return AIRealPoint{static_cast<AIReal>(p.h + length * std::cos(angle)),
                               static_cast<AIReal>(p.v + length * std::sin(angle))};
        };
        const double kind = unit(random), held = unit(random);
        const uint32_t modifiers = held < 0.1   ? uint32_t{aiEventModifiers_Option}
                                   : held < 0.2 ? uint32_t{aiEventModifiers_Shift}
                                                : 0u;
        auto drag = [&](AIRealPoint from) {
            return Gesture{Gesture::kDrag, from, unit(random) < 0.3 ? place() : near(from), modifiers};
        };
        auto click = [&](AIRealPoint at) { return Gesture{Gesture::kClick, at, at, modifiers}; };
        const AIRealPoint from = place();
        std::vector<Gesture> next = [&]() -> std::vector<Gesture> {
            if (kind < 0.3) return {drag(from)};
            if (kind < 0.45) return {click(from)};
            if (kind < 0.55) return {{Gesture::kMove, from, near(from), modifiers}, click(from)};
            if (kind < 0.7) {
                // Half of them beside the crossing of two paths, the first corners listed.
                const auto& [one, other] = corners[unit(random) < 0.5 ? pick(2) : pick(corners.size())];
                return {click(one), click(other)};
            }
            if (kind < 0.9) return {click(from), drag(place())};
            return {click(from), click(place()), click(place())};
        }();
        // A click after a move comes at once; any other press now and then.
        for (size_t k = 0; k < next.size(); ++k)
            next[k].soon = k > 0 && next[k - 1].kind == Gesture::kMove ? true : unit(random) < 0.3;
        return next;
    }

    void Play(const Gesture& g) {
        switch (g.kind) {
            case Gesture::kDrag:
                (void)session->mouseDown(g.at, g.modifiers);
                (void)session->mouseDrag({(g.at.h + g.to.h) / 2, (g.at.v + g.to.v) / 2}, g.modifiers);
                (void)session->mouseDrag(g.to, g.modifiers);
                (void)session->mouseUp(g.to, g.modifiers);
                break;
            case Gesture::kMove:
                (void)session->trackCursor(g.to);
                session->ticks(6);
                (void)session->trackCursor(g.at);
                break;
            case Gesture::kClick:
                (void)session->click(g.at, g.modifiers);
                break;
        }
        // A refused press ends all the same when the button is let go.
        if (session->inGesture()) (void)session->mouseUp(g.to);
    }

    // One undo gives `start` back and redo `after`; false at a fault. A gesture that came at
    // once first did what the one before held back (its selection, and the tags that kept
    // it), which stays with the gesture before.
    bool UndoesToAndRedoes(std::string start, const std::string& after, bool cameAtOnce) {
        EXPECT_TRUE(session->userUndo()) << "nothing to undo";
        std::string undone = drawingdiff::Listing(Doc());
        if (cameAtOnce) start = drawingdiff::WithoutSelection(start), undone = drawingdiff::WithoutSelection(undone);
        EXPECT_TRUE(undone == start) << "one undo: " << drawingdiff::FirstLineApart(start, undone);
        EXPECT_TRUE(session->userRedo()) << "nothing to redo";
        const std::string redone = drawingdiff::Listing(Doc());
        EXPECT_TRUE(redone == after) << "redo: " << drawingdiff::FirstLineApart(after, redone);
        return undone == start && redone == after;
    }

    std::vector<std::vector<AIRealPoint>> places;  // by path
    std::vector<std::pair<AIRealPoint, AIRealPoint>> corners;
};

TEST_F(OneUndoPerGestureTest, EveryToolsGestureIsOneStepOfUndoAtEveryScale) {
    std::vector<std::string> tools;
    for (const auto& t : session->registry().tools)
        if (!t.gone) tools.push_back(t.title);
    ASSERT_GE(tools.size(), 60u);
    std::mt19937 random(20240917);
    for (const Scale& scale : kScales) {
        for (const std::string& tool : tools) {
            SCOPED_TRACE(tool + " at " + scale.name);
            DrawScene();
            if (HasFatalFailure()) return;
            FindPlaces();
            if (&scale != &kScales[0]) SetScale(scale);
            ASSERT_EQ(session->selectTool(tool), kNoErr);
            // The tool's options, where it has any, answered first (a double-click on the tool).
            AnswerDialogs(scale, random);
            const std::string unchanged = drawingdiff::Listing(Doc());
            const size_t steps = Doc().journal().undoDepth();
            (void)session->editToolOptions();
            EXPECT_TRUE(drawingdiff::Listing(Doc()) == unchanged) << "the tool's options changed the drawing";
            EXPECT_EQ(Doc().journal().undoDepth(), steps) << "the tool's options left a step of undo";
            std::string before = drawingdiff::Listing(Doc()), stepStart;
            bool ownStep = false;  // the latest step is one of this session's
            std::vector<Gesture> planned;
            for (int n = 0, changes = 0; n < kMostGesturesPerTool && changes < kChangesPerTool; ++n) {
                if (planned.empty()) planned = NextGestures(random);
                const Gesture gesture = planned.front();
                planned.erase(planned.begin());
                SCOPED_TRACE("gesture " + std::to_string(n));
                const size_t depth = Doc().journal().undoDepth();
                AnswerDialogs(scale, random);
                Play(gesture);
                // What the gesture held back is done, unless the next comes at once.
                if (planned.empty()) planned = NextGestures(random);
                session->ticks(planned.front().soon ? 1 : 20);
                const std::string after = drawingdiff::Listing(Doc());
                const size_t newDepth = Doc().journal().undoDepth();
                if (after == before) {
                    EXPECT_EQ(newDepth, depth) << "a gesture that changed nothing left a step of undo";
                    if (newDepth != depth) break;
                    continue;
                }
                ++changes;
                // A gesture that carries on the command in progress joins its step.
                const bool joined = newDepth == depth && ownStep;
                if (!joined) stepStart = before;
                EXPECT_EQ(newDepth, joined ? depth : depth + 1) << "steps of undo the gesture left";
                const bool undone = UndoesToAndRedoes(stepStart, after, gesture.soon);
                if (newDepth != (joined ? depth : depth + 1) || !undone) break;  // one fault a session
                ownStep = true;
                before = after;
            }
        }
    }
}

// A gesture made before the work the last action held back is done (the document panel's
// restore of the selection after a scale is chosen, the selection of a depth primitive just
// kept): one undo takes the gesture back whole; what was held back and done at its press
// stays, the plate selected as the user left it and no tag of the restore left behind.
TEST_F(OneUndoPerGestureTest, AGestureMadeBeforeTheLastActionsWorkIsDoneIsOneUndo) {
    auto cube = [&](AIRealPoint at) { DepthPrimitive(at, {at.h + 70, at.v - 100}, {at.h + 150, at.v - 60}); };
    const struct {
        const char* what;
        int32_t scale;  // chosen in the document panel first (-1: none)
        const char* tool;
        bool cubeFirst;  // a depth cube kept just before
        bool rectangle;  // the gesture: a rectangle dragged, else a depth cube
    } rows[] = {
        {"a depth cube after 1:100 is chosen", 24, "Depth Cube", false, false},
        {"a depth cylinder after 1:100 is chosen", 24, "Depth Cylinder", false, false},
        {"a depth cube after 1:1 is chosen", 33, "Depth Cube", false, false},
        {"a depth cylinder after 1:1 is chosen", 33, "Depth Cylinder", false, false},
        {"a depth cube after a depth cube", -1, "Depth Cube", true, false},
        {"a rectangle after a depth cube", -1, "CAD Rectangle", true, true},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(row.what);
        doc = &session->newDocument();
        const ObjId plate = Rect(280, 60, 140, 90);
        ASSERT_EQ(session->hostEvent([&] { return Doc().select(plate); }), kNoErr);
        if (row.cubeFirst) {
            ASSERT_EQ(session->selectTool("Depth Cube"), kNoErr);
            cube({60, 410});
        }
        ASSERT_EQ(session->selectTool(row.tool), kNoErr);
        if (row.scale >= 0) SetScale({"", row.scale, 0});
        const std::string before = drawingdiff::Listing(Doc());
        const size_t steps = Doc().journal().undoDepth();
        if (row.rectangle) {
            ASSERT_EQ(session->mouseDown({300, 300}), kNoErr);
            ASSERT_EQ(session->mouseDrag({320, 320}), kNoErr);
            ASSERT_EQ(session->mouseUp({360, 340}), kNoErr);
        } else {
            cube({60, 210});
        }
        session->ticks(30);
        EXPECT_EQ(Doc().journal().undoDepth(), steps + 1);
        ASSERT_TRUE(session->userUndo());
        const std::string undone = drawingdiff::Listing(Doc());
        EXPECT_TRUE(drawingdiff::WithoutSelection(undone) == drawingdiff::WithoutSelection(before))
            << drawingdiff::FirstLineApart(before, undone);
        EXPECT_EQ(Doc().readsSelected(plate), row.scale >= 0);
        EXPECT_EQ(undone.find("ZMK_Object_Was_Selected"), std::string::npos);
    }
}

// A command in progress ends when another document comes to the front: a depth cube pulled
// out of its first face, or a dimension's first click, leaves the next document's gestures
// their own.
TEST_F(OneUndoPerGestureTest, ACommandInProgressEndsWhenAnotherDocumentComesToTheFront) {
    auto paths = [&] { return Doc().matching([](const standin::Art& a) { return a.type == kPathArt; }).size(); };
    // The cube's first face, left in the first document.
    ASSERT_EQ(session->selectTool("Depth Cube"), kNoErr);
    ASSERT_EQ(session->mouseDown({60, 210}), kNoErr);
    ASSERT_EQ(session->mouseDrag({70, 200}), kNoErr);
    ASSERT_EQ(session->mouseDrag({130, 110}), kNoErr);
    ASSERT_EQ(session->mouseUp({130, 110}), kNoErr);
    ASSERT_EQ(session->trackCursor({170, 140}), kNoErr);
    session->ticks(20);
    const size_t left = paths();
    // A whole cube in the second.
    standin::Document& second = session->newDocument();
    DepthPrimitive({60, 210}, {130, 110}, {210, 150});
    session->ticks(20);
    EXPECT_EQ(paths(), 3u);
    session->setFrontDocument(*doc);
    EXPECT_EQ(paths(), left);
    // A dimension clicked in the first document and finished in the second measures the second's points.
    ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
    ASSERT_EQ(session->click({300, 400}), kNoErr);
    session->setFrontDocument(second);
    ASSERT_EQ(session->click({100, 300}), kNoErr);
    ASSERT_EQ(session->mouseDown({160, 300}), kNoErr);
    ASSERT_EQ(session->mouseDrag({130, 320}), kNoErr);
    ASSERT_EQ(session->mouseUp({130, 330}), kNoErr) << session->lastError();
    std::string texts;
    Doc().walk([&](const standin::Art& a, int) {
        if (a.type == kTextFrameArt) texts += readback::StoryText(a) + ";";
    });
    EXPECT_NE(texts.find("0.833"), std::string::npos) << texts;  // 60 pt in inches
    EXPECT_EQ(texts.find("2.778"), std::string::npos) << texts;  // not 200 pt
}

// The points a command in progress has clicked are given back when the program quits.
TEST_F(OneUndoPerGestureTest, TheClicksOfACommandInProgressAreGivenBackAtQuitting) {
    Rect(280, 60, 140, 90);
    ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
    ASSERT_EQ(session->click({280, 150}), kNoErr);
    ASSERT_EQ(session->shutdown(), kNoErr) << session->lastError();
    plugintest::ExpectHostHoldsNothing(host);
    session.reset();
}

}  // namespace
