#include "core/game.h"

namespace qvr {

Game::Game(Rng rng)
    : rng(rng), settings(std::make_unique<MemorySettings>()),
      clock(std::make_unique<FixedClock>()), musicPlayer(std::make_unique<SilentMusic>()),
      content_(std::make_unique<Content>()), save_(std::make_unique<SaveData>())
{
}

Game::~Game() = default;

} // namespace qvr
