#include "core/game.h"

namespace qvr {

namespace {

// One empty content for every game not given any: a game costs no copy of it.
const std::shared_ptr<const Content>& emptyContent()
{
    static const std::shared_ptr<const Content> empty = std::make_shared<const Content>();
    return empty;
}

} // namespace

Game::Game(Rng rng)
    : rng(rng), settings(std::make_unique<MemorySettings>()), clock(std::make_unique<FixedClock>()),
      musicPlayer(std::make_unique<SilentMusic>()), content_(emptyContent()),
      save_(std::make_unique<SaveData>())
{
}

Game::~Game() = default;

void Game::setContent(std::shared_ptr<const Content> content)
{
    if (!content)
        throw GameError("a game needs content");
    content_ = std::move(content);
}

const ItemDef& Game::item(long itemNo) const
{
    if (itemNo == kCraftedWeapon && state.craftedWeapon)
        return *state.craftedWeapon;
    return content_->items[itemNo];
}

} // namespace qvr
