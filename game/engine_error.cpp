#include "game/engine_error.h"

#include "core/music.h"
#include "core/save_store.h"

namespace qvr {

std::string StopAfterEngineError(Game& game, const std::exception& error)
{
    std::string where;
    if (game.store) {
        where = game.store->pathOf(kSaveFileName).string();
        game.store.reset();
    }
    try {
        PlayMusic(game, 0);
    } catch (const std::exception&) {
        // Silence is all that is asked of it; the game is stopping anyway.
    }
    std::string text = std::string("ゲームの中でエラーが起きたので、ここでゲームを終了します。\n") +
                       error.what() + "\n\nこの状態はセーブしません。";
    if (!where.empty())
        text += "最後にセーブした内容は " + where + " にそのまま残っています。";
    return text;
}

} // namespace qvr
