// The proportion tool: a rectangle 100 x 40 measured against one 50 x 80 (ratios 50.0% and
// 200.0%), the resize of each choice of boxes worked by hand as M(p) = S(p - first click) +
// second click, Copy leaving the first object and one group holding its selected copy, and
// clicks that find no object.
#include <string>
#include <tuple>

#include "DrawToolsFixture.h"
#include "geometry/PlotwiseErrors.h"

namespace drawtest {
namespace {

constexpr AIRealPoint kFirst{0, 20}, kSecond{200, 40};  // on the left sides of the two rectangles

struct ProportionToolTest : DrawToolsTest {
    standin::ObjId first = 0, second = 0;
    void SetUp() override {
        DrawToolsTest::SetUp();
        session->hostEvent([&] {
            if (AIErr err = doc->addRect(0, 0, 100, 40, &first)) return err;
            return doc->addRect(200, 0, 50, 80, &second);
        });
        ASSERT_EQ(session->selectTool("Proportion"), kNoErr);
    }
    // The two clicks, with the dialog's boxes as they open (both sizes, not constrained)
    // and then pressed as given.
    AIErr Resize(std::vector<standin::UserAction> actions) {
        g->proportionWidth = g->proportionHeight = 1;
        g->constrainProportion = 0;
        Answer("Resize", std::move(actions));
        if (AIErr err = session->click(kFirst)) return err;
        return session->click(kSecond);
    }
    AIRealRect Box(standin::ObjId id) const {
        AIRealRect r{1e9f, -1e9f, -1e9f, 1e9f};
        for (const AIPathSegment& s : doc->art(id)->segments)
            r = {std::fmin(r.left, s.p.h), std::fmax(r.top, s.p.v), std::fmax(r.right, s.p.h),
                 std::fmin(r.bottom, s.p.v)};
        return r;
    }
};

#define EXPECT_BOX(id, l, b, r, t)                                 \
    do {                                                           \
        const AIRealRect box_ = Box(id);                           \
        EXPECT_PT((AIRealPoint{box_.left, box_.bottom}), l, b, kTol); \
        EXPECT_PT((AIRealPoint{box_.right, box_.top}), r, t, kTol);   \
    } while (0)

TEST_F(ProportionToolTest, TheDialogShowsSecondOverFirst) {
    Dimension(Polyline({{0, 5}, {0, 35}}));  // a dimension's line over the first side, passed over
    ASSERT_EQ(session->hostEvent([&] { return doc->select(second); }), kNoErr);
    const size_t steps = doc->journal().undoDepth();
    ASSERT_EQ(Resize({Press(2)}), kNoErr);
    EXPECT_EQ(g->didFirstClick + g->didSecondClick, 0);
    ADMDialogRef d = OpenFloating(16270);
    EXPECT_EQ(Text(d, 6), "50.0%");
    EXPECT_EQ(Text(d, 8), "200.0%");
    EXPECT_BOX(first, 0, 0, 100, 40);
    // Cancel takes back what the clicks did: the selection is as it was, and no step is left.
    EXPECT_EQ(doc->selection(), std::vector<standin::ObjId>{second});
    EXPECT_EQ(doc->journal().undoDepth(), steps);
}

TEST_F(ProportionToolTest, EachChoiceOfBoxesScalesAboutTheFirstClickOntoTheSecond) {
    struct Case {
        const char* what;
        std::vector<standin::UserAction> presses;
        AIRealRect want;  // left, top, right, bottom
    } cases[] = {
        {"width and height", {}, {200, 80, 250, 0}},
        {"width", {Press(7)}, {200, 60, 250, 20}},
        {"width, constrained", {Press(7), Press(9)}, {200, 50, 250, 30}},
        {"height", {Press(5)}, {200, 80, 300, 0}},
        {"height, constrained", {Press(5), Press(9)}, {200, 80, 400, 0}},
        {"neither", {Press(5), Press(7)}, {0, 40, 100, 0}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        std::vector<standin::UserAction> actions = c.presses;
        actions.push_back(Press(1));
        ASSERT_EQ(Resize(actions), kNoErr);
        EXPECT_BOX(first, c.want.left, c.want.bottom, c.want.right, c.want.top);
        EXPECT_BOX(second, 200, 0, 250, 80);
        session->userUndo();
    }
    EXPECT_TRUE(DialogFailures().empty());
}

// Other art selected before the clicks is neither resized nor copied; the copy goes into
// the one new group on the drawing layer, none is left on the other layer, and the copy
// alone is selected once theTimer has fired.
TEST_F(ProportionToolTest, CopyLeavesTheFirstObjectAndSelectsItsCopy) {
    standin::ObjId other = 0;
    session->hostEvent([&] {
        if (AIErr err = doc->addRect(400, 0, 20, 20, &other)) return err;
        doc->addLayer("Notes");
        return doc->select(other);
    });
    ASSERT_EQ(Resize({Press(3)}), kNoErr);
    EXPECT_BOX(first, 0, 0, 100, 40);
    EXPECT_BOX(other, 400, 0, 420, 20);
    EXPECT_EQ(GroupCount(), 1u);
    const standin::Art* copy = Paths().front();
    EXPECT_EQ(doc->art(copy->parent)->type, kGroupArt);
    EXPECT_EQ(doc->art(doc->layerOf(copy->id))->layer->title, "Notes");
    EXPECT_BOX(copy->id, 200, 0, 250, 80);
    session->ticks(20);
    EXPECT_EQ(doc->selection(), (std::vector<standin::ObjId>{copy->parent, copy->id}));  // its group reads selected
    EXPECT_TRUE(copy->tags.empty());
    EXPECT_TRUE(DialogFailures().empty());
}

// Either click on empty space, or the second on a dimension's part alone (never the object
// resized or matched): an alert at the second that says which, no dialog.
TEST_F(ProportionToolTest, AClickOnNoObjectOpensNoDialog) {
    const AIRealPoint empty{150, 200}, dimension{150, 300};
    Dimension(Polyline({{100, 300}, {200, 300}}));
    const std::string noArt = "This tool must be used by clicking on an object.",
                      onDimension = "Dimensions and labels cannot be changed with this tool: an update draws them "
                                    "again from what they measure.";
    for (const auto& [a, b, words] : {std::tuple{empty, kSecond, noArt}, std::tuple{kFirst, empty, noArt},
                                      std::tuple{kFirst, dimension, onDimension}}) {
        g->prefs.displayArtMustBeClickedError = 1;  // the alert's first button turns it off
        const size_t alerts = Alerts().size();
        ASSERT_EQ(session->click(a), kNoErr);
        EXPECT_EQ(session->click(b), kCADErr);
        ASSERT_EQ(Alerts().size(), alerts + 1);
        EXPECT_EQ(Alerts().back(), words);
        EXPECT_EQ(g->didFirstClick + g->didSecondClick, 0);
    }
    EXPECT_TRUE(DialogFailures().empty());
    EXPECT_BOX(first, 0, 0, 100, 40);
}

}  // namespace
}  // namespace drawtest
