#pragma once

// A started game for the town's menus (see game_fixture.h), with a prompter
// that counts the settings and status windows it was asked to show.

#include "core/config_window.h"
#include "game_fixture.h"

namespace qvr::test {

// Counts the settings and status windows it was asked to show.
class CastlePrompter : public ScriptedPrompter {
public:
    int settingsShown = 0;
    int statusShown = 0;
    int lastStatus = 0; // the character the last status window showed

    void run(Game&, ConfigWindow& window) override
    {
        ++settingsShown;
        window.cancel();
    }
    void run(Game&, StatusWindow& window) override
    {
        ++statusShown;
        lastStatus = window.rosterNo;
    }
    using ScriptedPrompter::run;
};

struct CastleFixture : GameFixture<CastlePrompter> {};

} // namespace qvr::test
