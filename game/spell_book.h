#pragma once

// The spell book a character reads in the status window: every spell of a
// school, level by level, with the ones the character knows marked.

#include <array>
#include <string>
#include <vector>

namespace qvr {

class Game;

inline constexpr std::array<const char*, 2> kSpellBookHeadings = {"Ｗｉｚａｒｄ", "Ｃｌｅｒｉｃ"};

// Lines of one school (0 wizard, 1 cleric): "1:* NAME" for a known spell of
// level 1, "1:  NAME" for one not yet learnt.
std::vector<std::string> SpellBookPage(const Game& game, int rosterNo, int school);

} // namespace qvr
