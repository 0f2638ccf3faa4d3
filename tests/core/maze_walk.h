#pragma once

// A party of two (A and B) that has just descended to floor 1, whose
// message boxes close themselves, and whose battles are only recorded.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/event_ops.h"
#include "core/panel_names.h"
#include "game_fixture.h"
#include "maze/movement.h"
#include "rules/party_panel.h"

namespace qvr::test {

class WalkPrompter : public ScriptedPrompter {
public:
    using ScriptedPrompter::run;
    void run(Game& game, MessageBox& box) override
    {
        shown.push_back("MSG " + box.title + "|" + box.text);
        box.pressKey(game, Key::Enter);
    }
};

struct RecordingScreens : GameScreens {
    std::vector<std::pair<int, int>> battles; // encounter number, origin
    void startBattle(Game& game, int encounterNo) override
    {
        battles.emplace_back(encounterNo, game.state.encounterOrigin);
    }
};

struct Walk {
    GameFixture<WalkPrompter> f;
    RecordingScreens* screens = nullptr;
    EventTable noEvents; // the walk's own open floor has none

    explicit Walk(int members = 2)
    {
        f.game.events = &noEvents;
        auto s = std::make_unique<RecordingScreens>();
        screens = s.get();
        f.game.sharedScreens = std::move(s);
        for (int i = 1; i <= members; ++i)
            f.member(i, std::string(1, static_cast<char>('A' + i - 1)), i);
        RefreshPartyPanel(f.game);
        DescendIntoMaze(f.game);
    }

    void place(int facing, int x, int y, int turns)
    {
        GameState& st = f.game.state;
        st.facing = static_cast<int16_t>(facing);
        st.posX = static_cast<int16_t>(x);
        st.posY = static_cast<int16_t>(y);
        st.turnCounter = static_cast<int16_t>(turns);
    }

    bool said(const std::string& text) const
    {
        const auto& shown = f.prompter->shown;
        return std::find(shown.begin(), shown.end(), "MSG |" + text) != shown.end();
    }

    std::string hpLabel(int rosterNo) const
    {
        const GameState& st = f.game.state;
        for (int i = 1; i <= st.partyCount; ++i)
            if (st.partyMember[i] == rosterNo)
                if (const Label* l =
                        f.panel(kPartyPanel).findLabel("lblHP" + std::to_string(i - 1)))
                    return l->text;
        return "";
    }
};

} // namespace qvr::test
