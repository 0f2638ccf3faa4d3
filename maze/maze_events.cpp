#include "maze/maze_events.h"

#include "core/game.h"
#include "core/messages.h"
#include "core/prompts.h"

namespace qvr {

// FIXME(events helper): the data-driven runner replaces these.
int RunCellEvent(Game&)
{
    return 0;
}
int SearchHere(Game& game)
{
    ShowMessage(game, "", "なにも見つからなかった");
    return 0;
}
int UseItemHere(Game& game, int)
{
    ShowMessage(game, "", "何もおこらない");
    return 0;
}
int AfterBattleEvent(Game&)
{
    return 0;
}
void ShowTexts(Game& game, int first, int last)
{
    for (int n = first; n <= last; ++n)
        ShowMessage(game, "", std::string(MessageText(n)));
}
void FloorTrap(Game&, int) {}

} // namespace qvr
