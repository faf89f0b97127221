// A fixture base with the plug-in's session that works one floating panel as the user does,
// each action one host event (so the selection's read-out and the notifications follow as
// they do for a user).
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "PluginSessionFixture.h"
#include "UserActions.h"

namespace paneluser {

using useraction::Picked;
using useraction::Pressed;
using useraction::Typed;

struct PanelUser : plugintest::PluginSessionTest {
    ADMDialogRef panel = nullptr;  // the panel the user works

    AIErr User(const standin::UserAction& a) {
        return session->hostEvent([&] { return session->dialogs().userAction(panel, a); });
    }
    AIErr Type(int32_t item, const std::string& text, int32_t key = kADMTabKey, uint32_t modifiers = 0) {
        return User(Typed(item, text, key, modifiers));
    }
    AIErr Press(int32_t item, uint32_t modifiers = 0, ADMPoint at = {-1, -1}) {
        return User(Pressed(item, modifiers, at));
    }
    AIErr Pick(int32_t item, int32_t entry) { return User(Picked(item, entry)); }
    // Ctrl-click: adds a row of a list box to the selection.
    AIErr PickAlso(int32_t item, int32_t entry) { return User(Picked(item, entry, kADMMenuKeyModifier)); }
    standin::DialogManager::ItemView View(int32_t item) {
        auto v = session->dialogs().view(panel, item);
        EXPECT_TRUE(v.has_value()) << "item " << item;
        return v.value_or(standin::DialogManager::ItemView{});
    }
    // The alerts shown since the last call.
    std::vector<std::string> NewAlerts() {
        std::vector<std::string> out;
        const auto& all = session->dialogs().alerts();
        for (; alertsSeen_ < all.size(); ++alertsSeen_) out.push_back(all[alertsSeen_].text);
        return out;
    }

private:
    size_t alertsSeen_ = 0;
};

}  // namespace paneluser
