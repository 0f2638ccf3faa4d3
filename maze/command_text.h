#pragma once

#include <string>

namespace qvr {

class Game;

// The maze's help line: the commands, the lasting party effects and, with
// the compass, the facing.
std::string CommandText(const Game& game);

} // namespace qvr
