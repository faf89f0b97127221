// The plug-in started in the stand-in host with its tracker panel and one document. The
// tracker shows points at two decimals without unit labels at 1:1, with the top-left
// reference point; helpers make art, select it, work the panel as a user does (each action
// one host event, so the selection's read-out follows as it does for a user) and read back
// what the panel and the document hold.
#pragma once

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "PanelUserFixture.h"
#include "PluginGlobals.h"
#include "core/PlotwiseSuites.h"
#include "geometry/UnitFormat.h"
#include "tracker/TrackerPanel.h"
#include "suites/Suites.h"

namespace trackertest {

using standin::ObjId;

struct TrackerSession : paneluser::PanelUser {
    void SetUp() override {
        PanelUser::SetUp();
        if (HasFatalFailure()) return;
        panel = session->dialogs().findDialog("CADtracker");
        ASSERT_NE(panel, nullptr);
        auto& p = g->prefs;
        p.CADtrackerUnits = kPointUnits;
        p.CADtrackerPrecision = 2;
        p.style.appendUpperUnitLabels = 0;
        p.useThousandsSeparator = 0;
        p.scaler = 1.0f;
        p.moveType = 0;
        p.constrainProportions = p.displayAcres = 0;
        p.repeatType = 0;
        p.repeatRowUp = p.repeatColRt = 1;
    }

    // --- the user's art ---
    static AIArtHandle Art(ObjId id) { return standin::toHandle<AIArtHandle>(id); }
    static ObjId Id(AIArtHandle art) { return standin::fromHandle(art); }
    void Select(std::initializer_list<ObjId> ids) {
        session->hostEvent([&] {
            doc->selectNone();
            for (ObjId id : ids) doc->select(id);
            return kNoErr;
        });
    }
    AIRealRect Bounds(ObjId id) const {
        AIRealRect r{};
        doc->bounds(id, &r);
        return r;
    }
    std::vector<AIRealPoint> Anchors(ObjId id) const {
        std::vector<AIRealPoint> out;
        for (const AIPathSegment& s : doc->art(id)->segments) out.push_back(s.p);
        return out;
    }
    size_t Count(int16_t type) const {
        size_t n = 0;
        doc->walk([&](const standin::Art& a, int) { n += a.type == type && !a.isLayerGroup(); });
        return n;
    }

    // --- the user at the panel ---
    ADMItemRef Item(int32_t item) const { return sADMDialog->GetItem(panel, item); }
    std::string Text(int32_t item) { return View(item).text; }
    bool Enabled(int32_t item) { return View(item).enabled; }
};

// Message n of list 17000, as the user reads it.
inline std::string Message(int32_t n) {
    char text[512] = {};
    sADMBasic->GetIndexString(nullptr, 17000, n, text, sizeof text);
    return text;
}

}  // namespace trackertest
