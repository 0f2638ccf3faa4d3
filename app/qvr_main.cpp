// The game's entry. The window comes next; until then this opens the game
// folder exactly as the game will (lock, both data files, checks) and says
// plainly that there is no window yet.

#include <iostream>

#include "core/data_files.h"
#include "core/game.h"

using namespace qvr;

int main(int argc, char** argv)
{
    std::string gameDir;
    for (int i = 1; i + 1 < argc; ++i)
        if (std::string(argv[i]) == "--game-dir")
            gameDir = argv[i + 1];

    Game game(Rng::fromClock());
    try {
        game.store = std::make_unique<SaveStore>(ResolveGameFolder(gameDir));
        game.store->lock();
        LoadGame(game);
    } catch (const AlreadyRunning&) {
        return 0; // another copy is running: end at once, without a message
    } catch (const GameError& e) {
        std::cerr << "qvr: " << e.what() << "\n";
        return 1;
    }

    int used = 0;
    for (int i = 1; i <= kRosterSize; ++i)
        used += game.character(i).rosterNo != 0 ? 1 : 0;
    std::cout << "QVR: the game folder " << game.store->folder().string() << " is sound ("
              << used << " characters in the roster).\n"
              << "The game window is not built yet: there is nothing to play in this version.\n";
    return 0;
}
