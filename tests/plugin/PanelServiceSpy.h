// A subsystem of the test's own that provides the panel services the lower folders call
// (next-value fields, tracker read-out) and counts the calls; registered for one scope.
#pragma once

#include <functional>

#include "core/PlotwiseSubsystem.h"

struct PanelServiceSpy {
    static inline int dimensionFieldRefreshes = 0;
    static inline int labelFieldRefreshes = 0;
    static inline int trackerUpdates = 0;
    static inline AIArtHandle trackerArt = nullptr;
    static inline std::function<void(AIArtHandle)> onTrackerUpdate;

    PanelServiceSpy() {
        dimensionFieldRefreshes = labelFieldRefreshes = trackerUpdates = 0;
        trackerArt = nullptr;
        onTrackerUpdate = nullptr;
        AddPlotwiseSubsystem(&subsystem);
    }
    ~PanelServiceSpy() {
        RemovePlotwiseSubsystem(&subsystem);
        onTrackerUpdate = nullptr;
    }
    PanelServiceSpy(const PanelServiceSpy&) = delete;
    PanelServiceSpy& operator=(const PanelServiceSpy&) = delete;

private:
    static void dimensionField() { ++dimensionFieldRefreshes; }
    static void labelField() { ++labelFieldRefreshes; }
    static AIErr tracker(AIArtHandle art) {
        ++trackerUpdates;
        trackerArt = art;
        if (onTrackerUpdate) onTrackerUpdate(art);
        return kNoErr;
    }
    static inline const PlotwiseSubsystem subsystem = {
        .name = "panel service spy",
        .services = {.updateDimensionIncrementFld = &dimensionField,
                     .updateLabelIncrementFld = &labelField,
                     .updateTrackerWindowFromSelectedArt = &tracker},
    };
};
