#include "maze/chest.h"

#include "core/game.h"
#include "core/music.h"
#include "core/shared_screens.h"
#include "maze/maze_events.h"

namespace qvr {

// FIXME(chest helper): the chest panel replaces this. Until then the party
// walks away from every chest, and the cell's after-battle event runs as
// leaving would run it.
void OpenChest(Game& game, int, int)
{
    if (game.state.eventResult != 0) {
        if (int next = AfterBattleEvent(game); next > 0) {
            StartBattle(game, next);
            return;
        }
    }
    PlayMusic(game, game.state.floorMusic);
}

} // namespace qvr
