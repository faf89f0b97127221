// A tool at work on a layer that takes no art, locked or hidden: the user is told, once per
// gesture, which layer stops which tool and what to do, and nothing is drawn; by a drag and
// through a tool's dialog alike. Also the tools that work on the art clicked, clicked on
// nothing.
#include <string>

#include "DrawToolsFixture.h"
#include "IText.h"
#include "core/PlotwiseTools.h"

namespace drawtest {
namespace {

using Actions = std::vector<standin::UserAction>;

struct ClosedLayerTest : DrawToolsTest {
    void SetUp() override {
        DrawToolsTest::SetUp();
        session->hostEvent([&] {
            doc->addLayer("Part");  // on top and current
            return kNoErr;
        });
    }
    size_t ArtCount() const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.layer ? 0 : 1; });
        return n;
    }
};

TEST_F(ClosedLayerTest, AToolOnALockedOrHiddenLayerSaysWhichAndWhatToDo) {
    const char* const locked = "the current layer \"Part\" is locked (unlock it first).";
    const char* const hidden = "the current layer \"Part\" is hidden (show it first).";
    const struct Row {
        const char* tool;
        const char* dialog;  // null: a drag
        Actions answers;
        bool lock;           // else hide
        const char* words;
        int drags = 3;       // one: the gesture's only drag refused, its release no click
    } rows[] = {
        {"CAD Rectangle", nullptr, {}, true, locked},
        {"CAD Rectangle", nullptr, {}, false, hidden},
        {"CAD Rectangle", "CADRect", {Press(1)}, true, locked},
        {"CAD Line", nullptr, {}, true, locked},
        {"CAD Ellipse", "CADEllipse", {Press(1)}, false, hidden},
        {"Depth Rectangle", nullptr, {}, true, locked},
        {"Depth Cube", nullptr, {}, true, locked},
        {"Depth Cube", "Depth Cube", {Press(1)}, true, locked},
        {"Depth Cylinder", nullptr, {}, false, hidden},
        {"Depth Grid", "Depth Rectangle", {Press(1)}, true, locked},
        {"Depth Cube", nullptr, {}, true, locked, 1},
        {"CAD Rectangle", nullptr, {}, false, hidden, 1},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(std::string(r.tool) + (r.dialog ? " typed" : " dragged"));
        session->hostEvent([&] {
            doc->setLayerEditable("Part", !r.lock);
            return doc->setLayerVisible("Part", r.lock);
        });
        ASSERT_EQ(session->selectTool(r.tool), kNoErr);
        const size_t alerts = Alerts().size(), art = ArtCount();
        if (r.dialog) {
            Answer(r.dialog, r.answers);
            (void)session->click({100, 100});
        } else {
            (void)session->mouseDown({100, 100});
            for (int i = 3 - r.drags; i < 3; ++i) (void)session->mouseDrag({120 + 10.0f * i, 80 - 10.0f * i});
            (void)session->mouseUp({140, 60});
        }
        ASSERT_EQ(Alerts().size(), alerts + 1);  // once for the gesture, however many drags
        EXPECT_EQ(Alerts().back(), "\"" + std::string(r.tool) + "\": " + r.words);
        EXPECT_EQ(ArtCount(), art);
        EXPECT_TRUE(DialogFailures().empty());
    }
}

// The current layer, open itself, inside a locked layer: the refusal names both.
TEST_F(ClosedLayerTest, ACurrentLayerInsideALockedOneIsNamedWithIt) {
    session->hostEvent([&] {
        doc->insertLayer(doc->layerByTitle("Part"), kPlaceInsideOnTop, "Detail");
        doc->setCurrentLayer("Detail");
        return doc->setLayerEditable("Part", false);
    });
    ASSERT_EQ(session->selectTool("CAD Rectangle"), kNoErr);
    (void)session->mouseDown({100, 100});
    (void)session->mouseDrag({140, 60});
    (void)session->mouseUp({140, 60});
    EXPECT_EQ(Alerts(), std::vector<std::string>{"\"CAD Rectangle\": the current layer \"Detail\" lies in the layer "
                                                 "\"Part\", which is locked (unlock it first)."});
    EXPECT_EQ(ArtCount(), 0u);
}

// The tools that work on the art clicked ask for nothing when the click lands on none, the
// divider's option (the last settings at once) as well, and say so; also when it lands on a
// dimension alone (a line or a text, clicked or dragged from), or on art of a locked layer,
// at that very click, also the first of two.
TEST_F(ClosedLayerTest, ToolsOfTheArtClickedClickedOnNothingAreToldAndAskNothing) {
    const char* const onDimension =
        "Dimensions and labels cannot be changed with this tool: an update draws them again from what they measure.";
    const char* const locked = "the object clicked is on the layer \"Base\", which is locked (unlock it first).";
    Dimension(Polyline({{400, 300}, {500, 300}}));
    AIArtHandle text = nullptr;
    ASSERT_EQ(session->hostEvent([&] {
        AIErr err = sAITextFrame->NewPointText(kPlaceAboveAll, nullptr, kHorizontalTextOrientation, {540, 296}, &text);
        ATE::TextRangeRef range = nullptr;
        if (!err) err = sAITextFrame->GetATETextRange(text, &range);
        if (!err) ATE::ITextRange(range).InsertAfter("100", 3);
        return err;
    }), kNoErr);
    Dimension(standin::fromHandle(text));
    session->hostEvent([&] {
        doc->addLayer("Base");
        doc->addPolyline({{600, 300}, {700, 300}}, false, nullptr);
        doc->setLayerEditable("Base", false);
        return doc->setCurrentLayer("Part");
    });
    const struct {
        const char* tool;
        uint32_t modifiers;
        AIReal h = 300;
        std::string words = "This tool must be used by clicking on an object.";
        bool dragged = false;  // pressed and dragged rather than clicked
    } rows[] = {{"Offset", 0}, {"Path Divider", 0}, {"Path Divider", kToolEventOptionKey},
                {"Offset", 0, 450, onDimension}, {"Path Divider", kToolEventOptionKey, 450, onDimension},
                {"Offset", 0, 450, onDimension, true}, {"Trim", 0, 450, onDimension},
                {"Tangent Perpendicular Line", 0, 450, onDimension}, {"Path Divider", 0, 550, onDimension},
                {"Offset", 0, 650, std::string("\"Offset\": ") + locked},
                {"Tangent Perpendicular Line", 0, 650, std::string("\"Tangent Perpendicular Line\": ") + locked},
                {"Fillet", 0, 650, std::string("\"Fillet\": ") + locked},
                {"Fillet", 0, 650, std::string("\"Fillet\": ") + locked, true},
                {"Proportion", 0, 650, std::string("\"Proportion\": ") + locked},
                // The first click of a two-click tool, and a drag from there.
                {"Fillet", 0, 450, onDimension}, {"Chamfer", 0, 450, onDimension, true},
                {"Extend", 0, 550, onDimension}, {"Proportion", 0, 450, onDimension},
                {"Trim", 0, 450, onDimension, true}, {"Proportion", 0, 550, onDimension, true}};
    for (const auto& r : rows) {
        SCOPED_TRACE(std::string(r.tool) + " at " + std::to_string(r.h) + (r.dragged ? ", dragged" : ""));
        ASSERT_EQ(session->selectTool(r.tool), kNoErr);
        const size_t alerts = Alerts().size();
        session->dialogs().queueAlertAnswer(kADMMiddleButton);  // OK: the tip stays on
        EXPECT_EQ(r.dragged ? Drag({r.h, 300}, {r.h, 320}) : session->click({r.h, 300}, r.modifiers), kCADErr);
        ASSERT_EQ(Alerts().size(), alerts + 1);
        EXPECT_EQ(Alerts().back(), r.words);
    }
    EXPECT_TRUE(DialogFailures().empty());  // no dialog was opened to be answered
}

}  // namespace
}  // namespace drawtest
