// The plug-in started in the stand-in host with its floating panels, a preference store the
// test may fill beforehand, and recording doubles for what the panels ask of other
// subsystems (regenerating live dimensions, removing stale links, redrawing the rulers,
// refreshing the tracker's read-out), so a test sees when the panels ask for them.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "PanelUserFixture.h"
#include "PluginGlobals.h"
#include "core/PlotwiseSubsystem.h"
#include "core/PlotwiseSuites.h"
#include "dimensions/DimensionStorage.h"
#include "suites/Suites.h"

namespace paneltest {

using useraction::Picked;
using useraction::Pressed;
using useraction::Typed;
using useraction::Valued;

// What the panels asked for, in order: "regenerate 0", "cleanup", "rulers 1 1", "tracker".
inline std::vector<std::string>& Requests() {
    static std::vector<std::string> requests;
    return requests;
}

inline const PlotwiseSubsystem kRecordingDoubles = {
    .name = "recording doubles",
    .services = {
        .cleanupAssociativeDimensions = +[]() -> AIErr {
            Requests().push_back("cleanup");
            return kNoErr;
        },
        .updateAssociativeDimensions = +[](PlotwiseProcessArtType which) -> AIErr {
            Requests().push_back("regenerate " + std::to_string(static_cast<int32_t>(which)));
            return kNoErr;
        },
        .updateTrackerWindowFromSelectedArt = +[](AIArtHandle) -> AIErr {
            Requests().push_back("tracker");
            return kNoErr;
        },
        .drawRulersOnly = +[](int32_t redraw, int32_t timer) -> AIErr {
            Requests().push_back("rulers " + std::to_string(redraw) + " " + std::to_string(timer));
            return kNoErr;
        },
    },
};

class PanelSession : public paneluser::PanelUser {
protected:
    // Loaded; each test starts the plug-in once it has filled the preference store.
    void SetUp() override {
        Requests().clear();
        AddPlotwiseSubsystem(&kRecordingDoubles);
        LoadPlugin();
    }
    void TearDown() override {
        PanelUser::TearDown();
        RemovePlotwiseSubsystem(&kRecordingDoubles);
    }

    // Starts the plug-in; the document panel is created at application start.
    void Start() {
        StartPlugin();
        if (HasFatalFailure()) return;
        panel = session->dialogs().findDialog("CADdocument");
        ASSERT_NE(panel, nullptr);
    }
    standin::PreferenceStore& Store() { return host.preferences(); }
    standin::DialogManager& Dialogs() { return session->dialogs(); }
    AILayerHandle Layer(const char* title) { return standin::suites::layerHandle(Doc().layerByTitle(title)); }

    // A live dimension of the current style under id, with a line, selected when asked.
    AIArtHandle Dimension(int32_t id, bool selected, const Plotwise3_Live_Dimension_Data* style = nullptr) {
        AIArtHandle group = nullptr;
        EXPECT_EQ(session->hostEvent([&]() -> AIErr {
            AIArtHandle line = nullptr;
            if (AIErr err = sAIArt->NewArt(kGroupArt, kPlaceAboveAll, nullptr, &group)) return err;
            if (AIErr err = sAIArt->NewArt(kPathArt, kPlaceInsideOnTop, group, &line)) return err;
            const AIPathSegment s[2] = {{{0, 0}, {0, 0}, {0, 0}, true}, {{10, 0}, {10, 0}, {10, 0}, true}};
            if (AIErr err = sAIPath->SetPathSegments(line, 0, 2, s)) return err;
            Plotwise3_Live_Dimension_Data d = style ? *style : g->prefs.style;
            d.id = id;
            const int live = g->prefs.createLiveDimensions;
            g->prefs.createLiveDimensions = 1;
            const AIErr err = SetDimensionData(group, &d);
            g->prefs.createLiveDimensions = live;
            if (err) return err;
            return selected ? sAIArt->SetArtUserAttr(group, kArtSelected, kArtSelected) : kNoErr;
        }),
                  kNoErr);
        return group;
    }
    // The entries of a list item as the user reads them ("-" for a separator, "(off)"
    // after a disabled entry).
    std::vector<std::string> Entries(int32_t item) {
        std::vector<std::string> out;
        ADMListRef list = sADMItem->GetList(sADMDialog->GetItem(panel, item));
        for (int32_t i = 0; i < sADMList->NumberOfEntries(list); ++i) {
            ADMEntryRef e = sADMList->IndexEntry(list, i);
            char text[256] = {};
            sADMEntry->GetText(e, text, sizeof text);
            std::string t = sADMEntry->IsSeparator(e) ? "-" : text;
            if (!sADMEntry->IsEnabled(e)) t += "(off)";
            out.push_back(t);
        }
        return out;
    }
    // The panel opens where its preferences say (84, 236 at first) and, moved by the user,
    // writes its new place under its own prefix at shut-down.
    void ExpectPlaceKeptUnder(const char* prefix) {
        ADMRect bounds{};
        ASSERT_EQ(sADMDialog->GetBoundsRect(panel, &bounds), kNoErr);
        EXPECT_EQ(bounds.left, 84);
        EXPECT_EQ(bounds.top, 236);
        ASSERT_EQ(Dialogs().userMove(panel, 300, 120), kNoErr);
        ASSERT_EQ(session->shutdown(), kNoErr);
        AIRealPoint where{};
        Store().getPoint(prefix, "Location", &where);
        EXPECT_EQ(where.h, 300);
        EXPECT_EQ(where.v, 120);
    }
    ADMRect LocalRect() {
        ADMRect r{};
        sADMDialog->GetLocalRect(panel, &r);
        return r;
    }
};

}  // namespace paneltest
