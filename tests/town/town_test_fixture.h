#pragma once

// A started game for the town's windows (see game_fixture.h), with a
// prompter that also answers the ranking and status windows.

#include <cstddef>
#include <vector>

#include "game/status_window.h"
#include "game_fixture.h"
#include "town/rankings.h"

namespace qvr::test {

class TownPrompter : public ScriptedPrompter {
public:
    using ScriptedPrompter::run;

    std::vector<RankingWindow> rankings; // as each was shown
    std::vector<int> statusShown;        // the character of each status window

    void run(Game& game, RankingWindow& window) override
    {
        rankings.push_back(window);
        window.pressKey(game, Key::Enter);
        EXPECT_TRUE(window.closed());
    }
    // The status window's own keys are tested with it; here it only closes.
    void run(Game&, StatusWindow& window) override
    {
        statusShown.push_back(window.rosterNo);
        window.close();
    }
};

struct TownFixture : GameFixture<TownPrompter> {
    TownFixture()
    {
        // Start-up builds the crafted weapon even from empty content; the
        // boards' tests want nothing there but what they put in.
        game.state.craftedWeapon.reset();
    }
};

// Keys that pick row `row` of a list from wherever its selection is.
inline std::vector<Key> RowKeys(int row)
{
    std::vector<Key> keys{Key::Home};
    keys.insert(keys.end(), static_cast<std::size_t>(row), Key::Down);
    keys.push_back(Key::Enter);
    return keys;
}

} // namespace qvr::test
