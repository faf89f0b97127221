// The list the core dispatches through: the module's subsystems and any added after them,
// and the services they provide.
#include "core/PlotwiseSubsystem.h"

#include <algorithm>
#include <vector>

namespace {

std::vector<const PlotwiseSubsystem*>& List() {
    static std::vector<const PlotwiseSubsystem*> list = [] {
        const auto module = PlotwiseModuleSubsystems();
        return std::vector<const PlotwiseSubsystem*>(module.begin(), module.end());
    }();
    return list;
}

// Each slot from the first subsystem that fills it: those added after the module's own
// (a test's doubles) first, then the module's, lowest first.
PlotwiseServices Merge() {
    PlotwiseServices merged{};
    auto take = [](auto& slot, auto provided) {
        if (!slot) slot = provided;
    };
    const size_t own = PlotwiseModuleSubsystems().size();
    std::vector<const PlotwiseSubsystem*> order(List().begin() + std::min(own, List().size()), List().end());
    order.insert(order.end(), List().begin(), List().begin() + std::min(own, List().size()));
    for (const PlotwiseSubsystem* s : order) {
        const PlotwiseServices& p = s->services;
        take(merged.openPresetsCatalog, p.openPresetsCatalog);
        take(merged.findDimensionLayer, p.findDimensionLayer);
        take(merged.resetTrackerWindow, p.resetTrackerWindow);
        take(merged.updateTrackerWindowLabels, p.updateTrackerWindowLabels);
        take(merged.updateTrackerWindow, p.updateTrackerWindow);
        take(merged.snapToGridCheckAxonometric, p.snapToGridCheckAxonometric);
        take(merged.getLayerScale, p.getLayerScale);
        take(merged.cleanupAssociativeDimensions, p.cleanupAssociativeDimensions);
        take(merged.updateAssociativeDimensions, p.updateAssociativeDimensions);
        take(merged.updateDimensionsMeasuring, p.updateDimensionsMeasuring);
        take(merged.updateDimensionIncrementFld, p.updateDimensionIncrementFld);
        take(merged.updateLabelIncrementFld, p.updateLabelIncrementFld);
        take(merged.updateTrackerWindowFromSelectedArt, p.updateTrackerWindowFromSelectedArt);
        take(merged.linearToolDirection, p.linearToolDirection);
        take(merged.getFontKeyFromFaceStr, p.getFontKeyFromFaceStr);
        take(merged.drawRulersOnly, p.drawRulersOnly);
        take(merged.applyCADtrackerTransformation, p.applyCADtrackerTransformation);
        take(merged.calculateSelectedBoundsOfDocument, p.calculateSelectedBoundsOfDocument);
        take(merged.doInputWallTool, p.doInputWallTool);
    }
    return merged;
}

}  // namespace

std::span<const PlotwiseSubsystem* const> PlotwiseSubsystems() { return List(); }

void AddPlotwiseSubsystem(const PlotwiseSubsystem* subsystem) {
    if (!subsystem || std::find(List().begin(), List().end(), subsystem) != List().end()) return;
    List().push_back(subsystem);
}

void RemovePlotwiseSubsystem(const PlotwiseSubsystem* subsystem) {
    std::erase(List(), subsystem);
}

std::vector<const PlotwisePanelRow*> PlotwisePanels() {
    auto panels = AllRows(&PlotwiseSubsystem::panels);
    std::stable_sort(panels.begin(), panels.end(), [](const PlotwisePanelRow* a, const PlotwisePanelRow* b) {
        return a->createOrder < b->createOrder;
    });
    return panels;
}

PlotwiseServices PlotwiseService() { return Merge(); }
