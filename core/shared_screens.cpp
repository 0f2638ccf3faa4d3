#include "core/shared_screens.h"

#include "core/error.h"
#include "core/game.h"
#include "core/prompts.h"

namespace qvr {

namespace {

SharedScreens& screensOf(Game& game)
{
    if (!game.sharedScreens)
        throw GameError("the main window's shared screens were never set up");
    return *game.sharedScreens;
}

} // namespace

void ShowStatus(Game& game, int rosterNo, StatusMode mode)
{
    screensOf(game).showStatus(game, rosterNo, mode);
}

void AddPartyListUse(Game& game, PartyListUse use)
{
    screensOf(game).addPartyListUse(game, std::move(use));
}

void OpenPartyList(Game& game)
{
    screensOf(game).openPartyList(game);
}

void ReleasePartyList(Game& game)
{
    screensOf(game).releasePartyList(game);
}

void ChoosePartyRow(Game& game, int row)
{
    screensOf(game).choosePartyRow(game, row);
}

bool RequireParty(Game& game)
{
    if (game.state.partyCount > 0)
        return true;
    ShowMessage(game, "", kNoPartyText);
    return false;
}

void OpenReorder(Game& game)
{
    screensOf(game).openReorder(game);
}

void SetReorderBattleReturn(Game& game, std::function<void(Game&)> resume)
{
    screensOf(game).setReorderBattleReturn(game, std::move(resume));
}

void LeaveTitle(Game& game)
{
    screensOf(game).leaveTitle(game);
}

void ContinueAfterEnding(Game& game)
{
    screensOf(game).continueAfterEnding(game);
}

bool EndGame(Game& game)
{
    return screensOf(game).endGame(game);
}

void ReturnToCastle(Game& game)
{
    screensOf(game).returnToCastle(game);
}

void StartBattle(Game& game, int encounterNo)
{
    screensOf(game).startBattle(game, encounterNo);
}

void OpenToldPanel(Game& game, const char* name, int row)
{
    game.screen.open(name, row);
    if (game.observer)
        game.observer->panelShown(game.screen.panel(name));
}

} // namespace qvr
