#pragma once

// The training grounds on screen in a started game, with the keys and
// readings its tests share.

#include <string>

#include "castle_fixture.h"
#include "core/records.h"
#include "town/training_grounds.h"

namespace qvr::test {

struct TrainingFixture : CastleFixture {
    TrainingFixture()
    {
        OpenTrainingGrounds(game);
        recorder.events.clear();
    }

    // A male human fighter free in town.
    Character& made(int slot, const std::string& name)
    {
        Character& c = character(slot, name);
        c.sex = 1;
        c.strength = 12;
        return c;
    }

    // Enter on the row showing `text` in the list that has the keyboard.
    bool pickText(const std::string& text)
    {
        Panel* p = game.screen.keyboardPanel();
        for (std::size_t i = 0; i < p->rows.size(); ++i)
            if (p->rows[i].text == text) {
                p->selected = static_cast<int>(i);
                press(Key::Enter);
                return true;
            }
        return false;
    }
};

} // namespace qvr::test
