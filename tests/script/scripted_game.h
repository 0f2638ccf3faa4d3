#pragma once

// A game whose prompts are answered by a script given as text, with the
// transcript kept in a string: the runner's prompter without the runner.

#include <memory>
#include <sstream>
#include <string>

#include "app/script_prompter.h"
#include "core/game.h"
#include "game/game_screens.h"

namespace qvr::test {

struct ScriptedGame {
    explicit ScriptedGame(const std::string& script) : in(script)
    {
        auto p = std::make_unique<ScriptPrompter>(source, out);
        prompter = p.get();
        game.prompter = std::move(p);
        game.clock = std::make_unique<ScriptClock>(game.timers, 12 * 3600);
        InstallGameScreens(game);
    }

    std::istringstream in;
    ScriptSource source{in};
    std::ostringstream out;
    ScriptPrompter* prompter = nullptr;
    Game game; // last: its prompter refers to the members above
};

} // namespace qvr::test
