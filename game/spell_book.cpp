#include "game/spell_book.h"

#include <algorithm>

#include "core/game.h"

namespace qvr {

std::vector<std::string> SpellBookPage(const Game& game, int rosterNo, int school)
{
    struct Entry {
        int level, slot, number;
    };
    const Character& c = game.character(rosterNo);
    std::vector<Entry> entries;
    if (school < 0 || school > 2)
        return {};
    for (int n = 1; n <= kNamedSpells; ++n) {
        const SpellDef& s = game.content().spells[n];
        // Entries outside the book's grid are not spells a character can
        // learn; the book leaves them out rather than read past its pages.
        if (s.school != school || s.level < 1 || s.level > 9 || s.slot < 0 || s.slot > 4)
            continue;
        entries.push_back({s.level, s.slot, n});
    }
    std::stable_sort(entries.begin(), entries.end(), [](const Entry& a, const Entry& b) {
        return a.level != b.level ? a.level < b.level : a.slot < b.slot;
    });
    std::vector<std::string> lines;
    for (const Entry& e : entries) {
        const bool known = c.spellKnown(school, e.level, e.slot) != 0;
        lines.push_back(std::to_string(e.level) + ":" + (known ? "* " : "  ") +
                        game.content().spells[e.number].name);
    }
    return lines;
}

} // namespace qvr
