#pragma once

// Content a test fills in by hand. A game only reads its content, which may
// be shared with other games; a test gives its game a copy of its own and
// edits that.

#include <memory>

#include "core/game.h"

namespace qvr::test {

// Installs a copy of the game's content as the game's own and returns it
// for editing. It lives as long as the game keeps it (until the game loads
// or is given other content): take it once per game and hold on to it.
inline Content& OwnContent(Game& game)
{
    auto own = std::make_shared<Content>(game.content());
    game.setContent(own);
    return *own;
}

} // namespace qvr::test
