#include <set>

#include "core/spell_effects.h"
#include "tools/content/compile.h"
#include "tools/content/record_source.h"

namespace qvr::content {

namespace {

bool isSpellWord(const std::string& name)
{
    if (name.empty())
        return false;
    for (char ch : name)
        if (ch < 'A' || ch > 'Z')
            return false;
    return true;
}

} // namespace

void ReadSpells(const std::filesystem::path& path, Content& content)
{
    const std::string file = path.string();
    toml::table root = ParseSource(path);
    std::set<std::string> names;
    std::set<int> slots; // school * 100 + level * 10 + slot
    for (const toml::table* table : TablesOf(file, root, "spell")) {
        FieldReader f(file, *table, "spell");
        SpellDef s;
        ReadFields(f, s);
        if (content.spells[s.spellNo].spellNo != 0)
            f.fail("no", "is given twice: spell " + std::to_string(s.spellNo));
        if (!isSpellWord(s.name))
            f.fail("name", "must be upper-case letters A-Z only: the player types it");
        if (!names.insert(s.name).second)
            f.fail("name", "\"" + s.name + "\" is used by another spell");
        if (!slots.insert(s.school * 100 + s.level * 10 + s.slot).second)
            f.fail("slot",
                   "another spell of this school and level has slot " + std::to_string(s.slot));
        const SpellEffectInfo* effect = FindSpellEffect(s.effect);
        if (!effect)
            f.fail("effect", std::to_string(s.effect) + " is no effect the game knows");
        if (!IsValidElement(s.element))
            f.fail("element", "must be 0 (none) or a resistance index " +
                                  std::to_string(kFirstElement) + ".." +
                                  std::to_string(kLastElement));
        if (!IsValidTargetKind(s.targetKind))
            f.fail("target", "must be 0 (none), 1 (one monster), 2 (a group) or 4 (one member)");
        if (!TargetFitsEffect(s.effect, s.targetKind))
            f.fail("target", std::to_string(s.targetKind) + " does not fit effect " +
                                 std::to_string(s.effect) + " (" + effect->what + ")");
        if ((s.flags & SpellFlag::Camp) && !effect->camp)
            f.fail("flags", "marks the spell for camp, but its effect does nothing there");
        if ((s.flags & SpellFlag::Battle) && !effect->battle)
            f.fail("flags", "marks the spell for battle, but its effect does nothing there");
        if ((s.flags & SpellFlag::Monster) && !effect->monster)
            f.fail("flags", "lets monsters cast the spell, but they cannot use its effect");
        // Only the chest's trap-revealing spell is cast by number rather than by name.
        if (s.flags == 0 && s.effect != 0)
            f.fail("flags", "is 0: nobody could ever cast the spell");
        f.finish();
        content.spells[s.spellNo] = s;
    }
}

} // namespace qvr::content
