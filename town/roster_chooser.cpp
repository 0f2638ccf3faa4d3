#include "town/roster_chooser.h"

#include "core/prompts.h"

namespace qvr {

// Being written: the per-mode actions.
int OpenRosterChooser(Game& game, int mode)
{
    return ChooseCharacter(game, mode);
}

} // namespace qvr
