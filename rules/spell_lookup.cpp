#include "rules/spell_lookup.h"

#include "core/records.h"
#include "core/textformat.h"

namespace qvr {

std::string SpellNameAsTyped(std::string_view typed)
{
    return AsciiUpper(typed);
}

int SpellNumberByName(const Content& content, std::string_view typed)
{
    const std::string name = SpellNameAsTyped(typed);
    if (name.empty())
        return 0;
    for (int n = 1; n <= kNamedSpells; ++n)
        if (content.spells[n].name == name)
            return n;
    return 0;
}

int SpellNumberOfItem(const Content& content, int castSpell)
{
    if (castSpell <= 0)
        return 0;
    for (int n = 1; n <= kNamedSpells; ++n)
        if (content.spells[n].spellNo == castSpell)
            return n;
    return 0;
}

} // namespace qvr
