#include "core/saving.h"

#include "core/data_files.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/save_store.h"

namespace qvr {

bool Save(Game& game)
{
    try {
        SaveGame(game);
        return true;
    } catch (const SaveError& e) {
        if (game.prompter)
            ShowMessage(game, "", std::string("セーブできませんでした\n") + e.what());
        return false;
    }
}

void SaveFromKey(Game& game)
{
    Save(game);
}

} // namespace qvr
