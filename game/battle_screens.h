#pragma once

// A battle in the main window: the monster list, the narration, the command
// panel with the member summary, and what each way of ending leads to (the
// chest, a scripted follow-up, the walk, the wipe-out). The engine decides;
// this only shows its state and passes the player's choices in.

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "battle/battle_state.h"
#include "battle/command_input.h"
#include "battle/narrator.h"

namespace qvr {

class Game;

inline constexpr const char* kMonsterList = "lstMonster";
inline constexpr const char* kBattleCommandList = "lstBattleCommand";
inline constexpr const char* kBattleHelpPanel = "fraHelp";
inline constexpr const char* kBattleHelpList = "lblHelp";

// Keeps each line the engine says until the screen shows it, one message
// box a line, once the step that said it is over (a round runs whole, so the
// window never closes in the middle of one). The game's observer hears each
// line as it is said.
class ScreenNarrator final : public Narrator {
public:
    explicit ScreenNarrator(Game& game) : game_(game) {}
    void say(std::string_view text) override;
    std::deque<std::string> lines;

private:
    Game& game_;
};

struct BattleSession {
    explicit BattleSession(Game& game) : narrator(game) {}
    BattleState state;
    ScreenNarrator narrator;
    // The command whose target is being chosen in the monster list.
    Command targeting = Command::Fight;
    // The last name typed, offered again the next time.
    std::string lastSpell;
    // Where a won battle's chest goes (the maze's chest panel).
    std::function<void(Game&, int level, int trapNo)> openChest;
};

// The game's battle, created on first use; null before any.
const BattleSession* CurrentBattle(const Game& game);
BattleSession& BattleOf(Game& game);

// Builds the battle's panels (hidden) once the main window's other panels
// are there.
void BuildBattlePanels(Game& game);

// Runs encounter `encounterNo` (0: one of the floor's) in the window.
void RunBattle(Game& game, int encounterNo);

// The command panel acts on a command of the member being asked.
void PerformCommand(Game& game, Command command);
// A target group picked on line `line` of the monster list.
void ChooseMonsterLine(Game& game, int line);

} // namespace qvr
