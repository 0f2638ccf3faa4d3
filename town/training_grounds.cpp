#include "town/training_grounds.h"

#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "rules/party_panel.h"
#include "town/castle_town.h"
#include "town/character_creation.h"
#include "town/class_change.h"
#include "town/roster_chooser.h"
#include "town/town_panels.h"

namespace qvr {

namespace {

constexpr const char* kMenu = kTrainingPanel;

// A slot whose roster number is below 1 is neither a character nor free;
// viewing and moving count and number real characters only.
void tidyRoster(Game& game)
{
    for (int r = 1; r <= kRosterSize; ++r)
        if (game.character(r).rosterNo < 1)
            game.character(r) = game.character(0);
}

void viewCharacter(Game& game)
{
    tidyRoster(game);
    if (CountCharacters(game) == 0) {
        ShowMessage(game, "キャラクターを見る", "キャラクターはいません");
        return;
    }
    OpenRosterChooser(game, ChooserMode::View);
}

void deleteCharacter(Game& game)
{
    OpenRosterChooser(game, ChooserMode::Delete);
    Save(game);
}

void moveCharacter(Game& game)
{
    tidyRoster(game);
    if (CountCharacters(game) < 2) {
        ShowMessage(game, "並び替える", "並び替えるキャラクターがいません");
        return;
    }
    OpenRosterChooser(game, ChooserMode::Move);
}

void renameCharacter(Game& game)
{
    OpenRosterChooser(game, ChooserMode::Rename);
    Save(game);
}

void leaveForTown(Game& game)
{
    game.screen.panel(kMenu).visible = false;
    ShowCastleTown(game);
    PlayMusic(game, kTrackCastleTown);
}

Panel menuPanel()
{
    Panel p;
    p.name = kMenu;
    p.list = kTrainingList;
    p.caption = "訓練場";
    p.rect = kTownMenuRect;
    p.rows = {
        {"C)キ ャ ラ ク タ ー を 作 る", 'C', 0, CreateCharacter},
        {"I)キ ャ ラ ク タ ー を 見 る", 'I', 0, viewCharacter},
        {"D)キ ャ ラ ク タ ー を 消 す", 'D', 0, deleteCharacter},
        {"R)並び替える", 'R', 0, moveCharacter},
        {"N)名 前 を 変 え る", 'N', 0, renameCharacter},
        {"G)職 業 を 変 え る ", 'G', 0, ChangeClass},
        {"L)町 外 れ", 'L', 0, leaveForTown},
    };
    p.backRow = 6;
    return p;
}

} // namespace

void BuildTrainingPanels(Game& game)
{
    game.screen.add(menuPanel());
    BuildCreationPanels(game);
    BuildClassChangePanel(game);
}

void OpenTrainingGrounds(Game& game)
{
    game.screen.open(kMenu, 0);
    game.place = InTown(Facility::TrainingGrounds);
}

void ShowTrainingGrounds(Game& game)
{
    game.screen.open(kMenu, game.screen.panel(kMenu).selected);
    game.place = InTown(Facility::TrainingGrounds);
}

int CountCharacters(const Game& game)
{
    int count = 0;
    for (int r = 1; r <= kRosterSize; ++r)
        if (game.character(r).rosterNo >= 1)
            ++count;
    return count;
}

} // namespace qvr
