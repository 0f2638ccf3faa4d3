#pragma once

// A party of two standing in the maze, with a table of events a test writes
// trigger by trigger (or the compiled floors, when it writes none).

#include <initializer_list>

#include "core/event_ops.h"
#include "maze/maze_events.h"
#include "rules/party_rules.h"
#include "tests/core/game_fixture.h"

namespace qvr::test {

struct MazeParty : GameFixture<> {
    std::vector<EventTrigger> triggerList;
    std::vector<EventCond> condList;
    std::vector<EventOp> opList;
    EventTable table;

    explicit MazeParty(int floor = 1, int x = 0, int y = 0, int facing = 2)
    {
        GameState& st = game.state;
        game.place = {Mode::Maze, Facility::None};
        st.groupNo = 1;
        for (int r = 1; r <= 2; ++r) {
            Character& c = member(r, r == 1 ? "アリス" : "ボブ", r);
            c.floor = static_cast<int16_t>(floor);
            c.hp = c.maxHp = 30;
            c.luck = 10;
            st.partyMember[r] = static_cast<int16_t>(r);
        }
        st.partyCount = 2;
        place(floor, x, y, facing);
        recorder.events.clear();
    }

    void place(int floor, int x, int y, int facing)
    {
        GameState& st = game.state;
        st.floor = static_cast<int16_t>(floor);
        EnterFloor(game);
        st.posX = static_cast<int16_t>(x);
        st.posY = static_cast<int16_t>(y);
        st.facing = static_cast<int16_t>(facing);
    }

    // One trigger on this floor; the game runs only the triggers written.
    void add(TriggerSet set, int x, int y, std::initializer_list<EventOp> script,
             uint8_t facings = 0, int16_t item = 0, std::initializer_list<EventCond> when = {})
    {
        EventTrigger t{static_cast<uint8_t>(game.state.floor),
                       set,
                       static_cast<int8_t>(x),
                       static_cast<int8_t>(y),
                       facings,
                       item,
                       static_cast<uint16_t>(condList.size()),
                       static_cast<uint8_t>(when.size()),
                       static_cast<uint16_t>(opList.size()),
                       static_cast<uint8_t>(script.size()),
                       0};
        triggerList.push_back(t);
        condList.insert(condList.end(), when);
        opList.insert(opList.end(), script);
        table = {triggerList, condList, opList};
        game.events = &table;
    }

    // What the prompts showed, and forgets it.
    std::vector<std::string> shown()
    {
        std::vector<std::string> s = prompter->shown;
        prompter->shown.clear();
        return s;
    }
    void answerYes() { prompter->answer({Key::Enter}); }
    void answerNo() { prompter->answer({Key::Escape}); }
    void ok(int boxes = 1)
    {
        for (int i = 0; i < boxes; ++i)
            prompter->answer({Key::Enter});
    }
    Character& alice() { return game.character(1); }
    Character& bob() { return game.character(2); }
};

} // namespace qvr::test
