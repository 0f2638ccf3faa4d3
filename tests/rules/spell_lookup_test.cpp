// One lookup of a typed name and of an item's spell, with one bound, for the
// camp and the battle alike.

#include <gtest/gtest.h>

#include <memory>

#include "core/records.h"
#include "rules/spell_lookup.h"

namespace qvr {
namespace {

TEST(SpellLookup, TypedNamesAndItemIdentifiersStopAtTheNamedSpells)
{
    auto content = std::make_unique<Content>();
    content->spells[3].name = "VELTO";
    content->spells[3].spellNo = 3;
    content->spells[kNamedSpells].name = "LAST";
    content->spells[kNamedSpells].spellNo = 90;
    content->spells[kNamedSpells + 1].name = "HIDDEN"; // past the named spells
    content->spells[kNamedSpells + 1].spellNo = 91;
    const struct {
        const char* typed;
        int spell;
    } names[] = {{"VELTO", 3},  {"velto", 3}, {"VeLtO", 3}, {"LAST", kNamedSpells},
                 {"HIDDEN", 0}, {"VELT", 0},  {"", 0},      {"ＶＥＬＴＯ", 0}};
    for (const auto& n : names)
        EXPECT_EQ(SpellNumberByName(*content, n.typed), n.spell) << n.typed;
    EXPECT_EQ(SpellNumberOfItem(*content, 3), 3);
    EXPECT_EQ(SpellNumberOfItem(*content, 90), kNamedSpells);
    EXPECT_EQ(SpellNumberOfItem(*content, 91), 0);
    EXPECT_EQ(SpellNumberOfItem(*content, 0), 0);
    EXPECT_EQ(SpellNameAsTyped("abcＸ1"), "ABCＸ1");
}

} // namespace
} // namespace qvr
