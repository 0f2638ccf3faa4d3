#include "town/edge_of_town.h"

#include "core/config_window.h"
#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "rules/party_panel.h"
#include "town/castle_town.h"
#include "town/town_panels.h"
#include "town/training_grounds.h"

namespace qvr {

namespace {

constexpr const char* kPanel = kEdgeOfTownPanel;

void hideEdge(Game& game)
{
    game.screen.panel(kPanel).visible = false;
}

// Nobody takes a party to the training grounds: it breaks up here, and its
// members wait at the tavern again.
void trainingGrounds(Game& game)
{
    GameState& st = game.state;
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        c.floor = 0;
        c.groupNo = 0;
    }
    st.partyCount = 0;
    RefreshPartyPanel(game);
    PlayMusic(game, kTrackTrainingGrounds);
    hideEdge(game);
    OpenTrainingGrounds(game);
}

void settings(Game& game)
{
    ConfigWindow window(game);
    PrompterOf(game).run(game, window);
}

// The engine cannot know how the window is shown (maximised, minimised):
// only the front end does, when the player closes it. Leaving from this menu
// stores the geometry as a normally shown window's; the front end keeps that
// geometry current while the window is shown normally.
void endGame(Game& game)
{
    EndGame(game);
    game.screen.quit = true;
}

void backToCastle(Game& game)
{
    hideEdge(game);
    ShowCastleTown(game);
    PlayMusic(game, kTrackCastleTown);
}

} // namespace

void BuildEdgeOfTownPanel(Game& game)
{
    Panel p;
    p.name = kPanel;
    p.list = kEdgeOfTownList;
    p.caption = "町外れ";
    p.rect = kTownMenuRect;
    // Resuming a party left in the maze and descending into it belong to the
    // maze, which gives these two rows their actions.
    p.rows = {
        {"T)訓 練 場", 'T', 0, trainingGrounds},   {"O)冒 険 の 再 開", 'O', 0, {}},
        {"D)洞 窟 へ 潜 る", 'D', 0, {}},          {"F)設 定", 'F', 0, settings},
        {"E)ゲ ー ム の 終 了 ", 'E', 0, endGame}, {"C)城 へ 戻 る", 'C', 0, backToCastle},
    };
    p.backRow = 5;
    game.screen.add(std::move(p));
}

void OpenEdgeOfTown(Game& game)
{
    game.screen.panel(kCastleTownPanel).visible = false;
    game.screen.open(kPanel, 0);
    game.place = InTown(Facility::EdgeOfTown);
    PlayMusic(game, kTrackEdgeOfTown);
}

} // namespace qvr
