// A panel shows; only the user's edit writes. With the whole plug-in running, every panel is
// refreshed from each piece of art selected, from all of it and from none, and by every
// shared refresh (the units and precision popups rebuilt, the panels redrawn, the document
// made current again), in every unit at 0 and at 3 places: the preference file the host's
// store writes and every record the document stores (dictionaries of the document, its
// layers and its art, and tags) stay as they were.
#include <algorithm>
#include <fstream>
#include <sstream>
#include <string>
#include <vector>

#include "PanelUserFixture.h"
#include "ScratchFolder.h"
#include "core/PlotwisePrefs.h"
#include "io/DocumentFile.h"
#include "panels/PanelRefresh.h"
#include "panels/PanelsFromSelection.h"
#include "panels/ShortcutsPanelItems.h"
#include "panels/UnitsMenus.h"
#include "panels/WallsPanelItems.h"
#include "units/UnitsPopups.h"

namespace paneltest {
namespace {

using standin::ObjId;

constexpr int32_t kUnitCount = 19;  // the entries of menu 16400

class PanelRefreshTest : public paneluser::PanelUser {
protected:
    ScratchFolder scratch;

    // What the host's store writes out once the plug-in has written its preferences to it.
    std::string PreferenceFile() {
        const std::string file = scratch.path("preferences.json");
        host.preferences().setPath(file);
        EXPECT_EQ(session->hostEvent([] { return WritePrefs(); }), kNoErr);
        EXPECT_EQ(host.preferences().save(), kNoErr);
        std::ifstream in(file);
        std::ostringstream text;
        text << in.rdbuf();
        return text.str();
    }
    std::string DocumentFile() { return standin::io::writeDocumentText(Doc()); }

    // The user's choice of unit and precision for everything, made in the shortcuts panel.
    void ChooseUnits(int32_t units, int32_t precision) {
        panel = session->dialogs().findDialog("CADshortcuts");
        ASSERT_NE(panel, nullptr);
        ASSERT_EQ(Pick(kMasterUnitsPopup, units), kNoErr);
        ASSERT_EQ(Press(kApplyUnitsButton), kNoErr);
        // Mils offer fewer places: their finest stands for 3.
        ASSERT_EQ(Pick(kMasterPrecisionPopup, std::min(precision, PrecisionEntryCount(1, units, 6) - 1)), kNoErr);
        ASSERT_EQ(Press(kApplyPrecisionButton), kNoErr);
    }
    // A thickness for the next walls, typed as the last edit before the panels are refreshed.
    void TypeWallThickness(const char* text) {
        panel = session->dialogs().findDialog("CADwalls");
        ASSERT_NE(panel, nullptr);
        ASSERT_EQ(Type(kWallThicknessField, text), kNoErr);
    }
    AIErr Drag(AIRealPoint from, AIRealPoint to) {
        if (AIErr err = session->mouseDown(from)) return err;
        if (AIErr err = session->mouseDrag({(from.h + to.h) / 2, (from.v + to.v) / 2})) return err;
        if (AIErr err = session->mouseDrag(to)) return err;
        return session->mouseUp(to);
    }
    // A plate with its width dimensioned and a pointer label, a house of two walls, a section
    // line, a centre line and a plate projected onto the left face.
    void Draw() {
        Rect(100, 100, 200, 100);
        ASSERT_EQ(session->selectTool("Horizontal Dimension"), kNoErr);
        ASSERT_EQ(session->click({100, 100}), kNoErr);
        ASSERT_EQ(Drag({300, 100}, {200, 60}), kNoErr);
        TypeWallThickness("20 pt");
        ASSERT_EQ(session->selectTool("Add Wall"), kNoErr);
        ASSERT_EQ(Drag({100, 400}, {300, 400}), kNoErr);
        ASSERT_EQ(Drag({300, 400}, {300, 500}), kNoErr);
        ASSERT_EQ(session->selectTool("Pointer Label"), kNoErr);
        ASSERT_EQ(Drag({150, 150}, {400, 250}), kNoErr);
        ASSERT_EQ(session->selectTool("Section Line"), kNoErr);
        ASSERT_EQ(Drag({50, 600}, {350, 600}), kNoErr);
        ASSERT_EQ(session->selectTool("Center Line"), kNoErr);
        ASSERT_EQ(Drag({50, 650}, {350, 650}), kNoErr);
        const ObjId face = Rect(400, 400, 60, 30);
        ASSERT_EQ(session->hostEvent([&] { return Doc().selectNone(), Doc().select(face); }), kNoErr);
        ASSERT_EQ(session->menu("Project Selection onto Left Face"), kNoErr);
        session->ticks(30);  // the timers that select what was made
        ASSERT_EQ(session->hostEvent([&] { return Doc().selectNone(), kNoErr; }), kNoErr);
    }
    // The art the user may select: every art directly inside a layer.
    std::vector<ObjId> Selectable() {
        std::vector<ObjId> out;
        Doc().walk([&](const standin::Art& a, int) {
            const standin::Art* parent = Doc().art(a.parent);
            if (!a.isLayerGroup() && parent && parent->isLayerGroup()) out.push_back(a.id);
        });
        return out;
    }
    void SelectOnly(const std::vector<ObjId>& ids) {
        ASSERT_EQ(session->hostEvent([&] {
            Doc().selectNone();
            for (ObjId id : ids)
                if (AIErr err = Doc().select(id)) return err;
            return kNoErr;
        }), kNoErr);
    }
    // Every refresh of the panels, each as one host message, the timers let run after. (The
    // preferences shown again after a preset's load belong to the load, which writes them.)
    void RefreshEveryPanel() {
        for (void (*refresh)() : {&UpdateAllUnitsMenus, &UpdateAllPrecisionMenus, &RedrawAllPanels})
            ASSERT_EQ(session->hostEvent([&] { return refresh(), kNoErr; }), kNoErr);
        ASSERT_EQ(session->hostEvent([] { return UpdatePalettesFromSelectedArt(); }), kNoErr);
        session->documentChanged();
        session->ticks(30);
    }
};

// Where two texts part: a stretch of each from a little before the first character that
// differs; empty when they are the same.
std::string Difference(const std::string& now, const std::string& was) {
    const auto [a, b] = std::mismatch(now.begin(), now.end(), was.begin(), was.end());
    if (a == now.end() && b == was.end()) return "";
    const size_t at = static_cast<size_t>(a - now.begin()), from = at > 120 ? at - 120 : 0;
    return "now \"" + now.substr(from, 300) + "\"\nwas \"" + was.substr(from, 300) + "\"";
}

TEST_F(PanelRefreshTest, RefreshingEveryPanelInEveryUnitWritesNoPreferenceAndNoRecord) {
    for (int32_t units = 0; units < kUnitCount; ++units)
        for (int32_t precision : {0, 3}) {
            SCOPED_TRACE("unit " + std::to_string(units) + " at " + std::to_string(precision));
            if (host.frontDocument()) {
                ASSERT_EQ(session->closeDocument(), kNoErr);
            }
            session->newDocument();
            ChooseUnits(units, precision);
            Draw();
            TypeWallThickness("10 pt");
            if (HasFatalFailure()) return;
            const std::string preferences = PreferenceFile(), document = DocumentFile();

            for (ObjId art : Selectable()) {
                SelectOnly({art});
                RefreshEveryPanel();
            }
            SelectOnly(Selectable());
            RefreshEveryPanel();
            SelectOnly({});
            RefreshEveryPanel();

            if (const std::string d = Difference(PreferenceFile(), preferences); !d.empty())
                ADD_FAILURE() << "the preference file changed:\n" << d;
            if (const std::string d = Difference(DocumentFile(), document); !d.empty())
                ADD_FAILURE() << "the document changed:\n" << d;
            if (HasFailure()) return;  // one unit's differences are enough to read
        }
}

}  // namespace
}  // namespace paneltest
