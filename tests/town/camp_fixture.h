#pragma once

// The status window's party camped on a maze floor: floor 3, column 5, row 5,
// facing north, with a spell list of one spell per camp effect the tests
// name, every spell known and with points to spare.

#include <string>
#include <vector>

#include "core/game.h"
#include "game/camp_commands.h"
#include "status_fixture.h"

namespace qvr::test::status {

struct CampFixture : StatusFixture {
    CampFixture()
    {
        GameState& st = game.state;
        st.floor = 3;
        st.posX = st.prevX = 5;
        st.posY = st.prevY = 5;
        st.facing = 0;
        st.floorMusic = 10;
        for (int r = 1; r <= 3; ++r) {
            Character& c = game.character(r);
            c.floor = 3;
            c.posX = 5;
            c.posY = 5;
        }
    }

    // Spell n (1..36) in the wizard school, level and slot from its number,
    // known by member 1 with points at its level.
    const SpellDef& spell(int n, const std::string& name, int effect, Dice3 dice = {0, 0, 0},
                          int16_t flags = SpellFlag::Camp)
    {
        SpellDef& s = content().spells[n];
        s.spellNo = static_cast<int16_t>(n);
        s.school = 0;
        s.level = static_cast<int16_t>((n - 1) / 4 + 1);
        s.slot = static_cast<int16_t>((n - 1) % 4 + 1);
        s.name = name;
        s.effect = static_cast<int16_t>(effect);
        s.flags = flags;
        s.dice = dice;
        Character& c = game.character(1);
        c.spellKnown(0, s.level, s.slot) = 1;
        c.mp(0, s.level) = 5;
        return s;
    }

    StatusWindow camp(int r = 1)
    {
        StatusWindow w(game, r, StatusMode::Camp);
        InstallCampCommands(game, w);
        return w;
    }

    // The texts of the message boxes shown so far.
    std::vector<std::string> messages() const
    {
        std::vector<std::string> out;
        for (const std::string& s : prompter->shown)
            if (s.rfind("MSG ", 0) == 0)
                out.push_back(s.substr(4));
        return out;
    }
};

} // namespace qvr::test::status
