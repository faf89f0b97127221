// What a house keeps when it is edited: the dimensions measuring it follow it to their next
// update, a value its record could not keep is refused in words before anything is drawn,
// and a house whose record cannot be read is never built over.
#include <string>

#include "architecture/WallToolsFixture.h"

namespace drawtest {
namespace {

struct HouseEditsTest : WallToolsTest {
    // A whole press, drag and release, whatever each step answers (a refused press does not
    // keep the host from sending the rest).
    void Gesture(AIRealPoint from, AIRealPoint to) {
        (void)session->mouseDown(from);
        (void)session->mouseDrag({from.h + 5, from.v + 5});
        (void)session->mouseDrag(to);
        (void)session->mouseUp(to);
    }
    // Spoils wall 0's entry `key` of the only house ("" spoils the count).
    void Damage(const std::string& key, standin::DictValue value) {
        const standin::Dict* record = Sub(doc->dict(Houses().back()->dictionary), "PW4_House");
        const standin::ObjId target = key.empty() ? record->id : Sub(record, "PW4_Wall_0")->id;
        ASSERT_EQ(session->hostEvent([&] {
            doc->editDict(target)->set(key.empty() ? "PW4_House_count" : key, value);
            return kNoErr;
        }), kNoErr);
    }
};

TEST_F(HouseEditsTest, AddWallRefusesADamagedHouseAsTheOtherWallToolsDo) {
    const struct {
        const char* key;  // of wall 0 ("" for the count)
        standin::DictValue value;
        const char* words;
    } damages[] = {
        {"", int32_t{0}, "the number of walls (PW4_House_count) is 0; it must be 1 to 16000"},
        {"", int32_t{2}, "wall 1 (PW4_Wall_1) is missing"},
        {"PW4_Wall_datum", int32_t{7}, "wall 0: its datum (PW4_Wall_datum) is 7, which it cannot be"},
    };
    const struct {
        const char* tool;
        AIRealPoint press, release;  // the same for a click
    } gestures[] = {
        {"Add Wall", {300, 100}, {300, 200}},  // a drag from the free end
        {"Add Wall", {200, 95}, {200, 40}},    // from the wall's face
        {"Add Wall", {300, 100}, {300, 100}},  // a click, and a wall typed
        {"Remove Wall", {200, 95}, {200, 95}},
        {"Move Wall", {200, 95}, {200, 60}},
        {"Door Insertion", {200, 95}, {200, 95}},
    };
    for (const auto& d : damages) {
        ASSERT_EQ(Wall({100, 100}, {300, 100}), kNoErr);
        Damage(d.key, d.value);
        for (const auto& c : gestures) {
            SCOPED_TRACE(std::string(c.tool) + " after " + d.words);
            const size_t paths = PathCount(), alerts = Alerts().size();
            ASSERT_EQ(session->selectTool(c.tool), kNoErr);
            const bool click = c.press.h == c.release.h && c.press.v == c.release.v;
            if (click && session->dialogs().pendingModalAnswers() == 0)
                Answer("CADWall", {Type(4, "50"), Value(6, 90), Press(1)});
            if (click)
                (void)session->click(c.press);
            else
                Gesture(c.press, c.release);
            EXPECT_EQ(Houses().size(), 1u);
            EXPECT_EQ(PathCount(), paths);
            ASSERT_GT(Alerts().size(), alerts);
            EXPECT_EQ(LastAlert(), std::string("This house cannot be changed: its record is damaged (") + d.words + ").");
        }
        ASSERT_EQ(session->hostEvent([&] { return doc->disposeArt(Houses().back()->parent); }), kNoErr);
    }
}

}  // namespace
}  // namespace drawtest
