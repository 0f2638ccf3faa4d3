#pragma once

// Finding a spell: by the name a player types (camp and battle alike) and by
// the identifier an item carries. Both search the named spells only, so a
// typed name and an item can never reach past them.

#include <string>
#include <string_view>

namespace qvr {

struct Content;

// The name as typed, with ASCII letters in upper case: spell names are
// stored that way and a player may type either case.
std::string SpellNameAsTyped(std::string_view typed);
// The spell number (1..kNamedSpells) whose name is the typed one, 0 for none.
int SpellNumberByName(const Content& content, std::string_view typed);
// The spell number an item's `castSpell` identifier names, 0 for none.
int SpellNumberOfItem(const Content& content, int castSpell);

} // namespace qvr
