#include "tools/content/summary.h"

#include <sstream>

#include "core/codes.h"

namespace qvr::content {

namespace {

template <typename Table, typename Pred>
int countIf(const Table& table, Pred used)
{
    int n = 0;
    for (const auto& entry : table)
        n += used(entry) ? 1 : 0;
    return n;
}

template <typename Grid>
int nonZero(const Grid& grid)
{
    int n = 0;
    for (int k = 0; k < grid.count; ++k)
        n += grid.flat(k) != 0 ? 1 : 0;
    return n;
}

std::string dice(const Dice3& d)
{
    return std::to_string(d[0]) + "d" + std::to_string(d[1]) + (d[2] >= 0 ? "+" : "") +
           std::to_string(d[2]);
}

} // namespace

std::string SummariseContent(const Content& c)
{
    std::ostringstream out;
    out << "QVR2.DAT (game content)\n";
    out << "  spells:            " << countIf(c.spells, [](auto& s) { return s.spellNo != 0; })
        << " of 75 entries\n";
    out << "  traps:             " << countIf(c.traps, [](auto& t) { return !t.name.empty(); })
        << " of 41 entries\n";
    out << "  encounter values:  " << nonZero(c.encounterTable) << " non-zero of 8757\n";
    out << "  maze walls:        " << nonZero(c.mazeWalls) << " non-zero cells of 7200\n";
    out << "  maze doors:        " << nonZero(c.mazeDoors) << " non-zero cells of 7200\n";
    out << "  maze attributes:   " << nonZero(c.mazeCells) << " non-zero cells of 7200\n";
    out << "  monsters:          " << countIf(c.monsters, [](auto& m) { return m.present > 0; })
        << " of 701 entries\n";
    out << "  items:             " << countIf(c.items, [](auto& i) { return i.itemNo != 0; })
        << " of 641 entries\n";
    out << "  crafted variants:  "
        << countIf(c.craftVariants, [](auto& i) { return i.itemNo != 0 || i.kind != 0; })
        << " of 41 entries\n";
    out << "  recipe values:     " << nonZero(c.recipeTable) << " non-zero of 549\n";
    out << "  traders:           "
        << countIf(c.npcShops, [](auto& s) { return s.wares[1] != 0 || s.buyFactor != 0; })
        << " of 21 entries\n";

    out << "\nSpells (no school level slot name effect element target flags dice)\n";
    for (const SpellDef& s : c.spells) {
        if (s.spellNo == 0)
            continue;
        out << "  " << s.spellNo << "\t" << (s.school == 0 ? "wizard" : "cleric") << "\t"
            << s.level << "\t" << s.slot << "\t" << s.name << "\t" << s.effect << "\t" << s.element
            << "\t" << s.targetKind << "\t" << s.flags << "\t" << dice(s.dice) << "\n";
    }
    out << "\nTraps (row number level name)\n";
    for (int row = 0; row <= 40; ++row) {
        const TrapDef& t = c.traps[row];
        if (!t.name.empty())
            out << "  " << row << "\t" << t.number << "\t" << t.level << "\t" << t.name << "\n";
    }
    for (int n = 1; n <= kMonsterCount; ++n) {
        const MonsterDef& m = c.monsters[n];
        if (m.present > 0)
            out << "  monster " << n << "\t" << m.name << " / " << m.unknownName << "\n";
    }
    for (int n = 1; n <= kItemCount; ++n) {
        const ItemDef& i = c.items[n];
        if (i.itemNo != 0)
            out << "  item " << n << "\t" << i.name << " / " << i.unknownName << "\t"
                << ItemKindText(i.kind) << "\n";
    }
    return out.str();
}

std::string SummariseSave(const SaveData& save)
{
    std::ostringstream out;
    out << "QVR1.DAT (save)\n";
    int used = countIf(save.roster, [](auto& ch) { return ch.rosterNo != 0; });
    out << "  roster: " << used << " of 50 entries used\n";
    for (int b = 1; b <= kRosterSize; ++b) {
        const Character& ch = save.roster[b];
        if (ch.rosterNo == 0)
            continue;
        out << "  " << b << "\t" << ch.name << "\tLv " << ch.level << "\t"
            << RaceAbbrev(ch.race) << " " << ClassLabel(ch.alignment, ch.classCode) << "\tHP "
            << ch.hp << "/" << ch.maxHp << "\tAC " << ch.ac << "\tG " << ch.gold;
        if (ch.floor > 0)
            out << "\tin the maze: floor " << ch.floor << " (" << ch.posX << "," << ch.posY
                << ") group " << ch.groupNo;
        std::string condition = ConditionText(ch.conditions);
        if (!condition.empty())
            out << "\t" << condition;
        out << "\n";
    }
    out << "  event flags set:";
    int flags = 0;
    for (int i = 0; i <= 100; ++i)
        if (save.eventFlags[i] != 0) {
            out << " " << i << "=" << save.eventFlags[i];
            ++flags;
        }
    out << (flags ? "\n" : " none\n");
    out << "  monsters defeated: "
        << countIf(save.monsterTally, [](auto v) { return v != 0; }) << " kinds\n";
    out << "  items obtained:    " << countIf(save.itemTally, [](auto v) { return v != 0; })
        << " kinds\n";
    out << "  shop stock:        " << countIf(save.itemStock, [](auto v) { return v != 0; })
        << " kinds in stock\n";
    return out.str();
}

} // namespace qvr::content
