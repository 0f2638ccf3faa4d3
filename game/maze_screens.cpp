#include "game/game_screens.h"

#include "core/game.h"
#include "core/panel_names.h"
#include "maze/movement.h"
#include "town/roster_chooser.h"

namespace qvr {

namespace {

constexpr int kResumeRow = 1;
constexpr int kDescendRow = 2;
constexpr int kMoveArrowMs = 300;

void resume(Game& game)
{
    ResumeParty(game, OpenRosterChooser(game, ChooserMode::Resume));
}

} // namespace

bool GameScreens::walkKey(Game& game, Key key)
{
    return MazeKey(game, key);
}

void ConnectMaze(Game& game)
{
    Panel& edge = game.screen.panel(kEdgeOfTownPanel);
    edge.rows.at(kResumeRow).action = resume;
    edge.rows.at(kDescendRow).action = DescendIntoMaze;

    // The camp: a member chosen in the party list shows the status window
    // with the commands of the maze.
    PartyListUse use;
    use.where = {Mode::Maze};
    use.chosen = [](Game& g, int rosterNo) { ShowStatus(g, rosterNo, StatusMode::Camp); };
    AddPartyListUse(game, std::move(use));

    game.timers.define(kMoveTimer, kMoveArrowMs, [](Game& g) {
        g.screen.moveArrow.visible = false;
        g.timers.enable(kMoveTimer, false);
    });
}

} // namespace qvr
