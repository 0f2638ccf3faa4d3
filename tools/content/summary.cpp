#include "tools/content/summary.h"

#include <sstream>

#include "core/codes.h"
#include "tools/content/record_dump.h"

namespace qvr::content {

namespace {

template <typename Table, typename Pred> int countIf(const Table& table, Pred used)
{
    int n = 0;
    for (const auto& entry : table)
        n += used(entry) ? 1 : 0;
    return n;
}

template <typename Grid> int nonZero(const Grid& grid)
{
    int n = 0;
    for (int k = 0; k < grid.count; ++k)
        n += grid.flat(k) != 0 ? 1 : 0;
    return n;
}

} // namespace

std::string SummariseContent(const Content& c)
{
    std::ostringstream out;
    out << "# QVR2.DAT (game content)\n";
    out << "# spells:            " << countIf(c.spells, [](auto& s) { return s.spellNo != 0; })
        << " of 75 entries\n";
    out << "# traps:             " << countIf(c.traps, [](auto& t) { return !t.name.empty(); })
        << " of 41 entries\n";
    out << "# encounter values:  " << nonZero(c.encounterTable) << " non-zero of 8757\n";
    out << "# maze walls:        " << nonZero(c.mazeWalls) << " non-zero cells of 7200\n";
    out << "# maze doors:        " << nonZero(c.mazeDoors) << " non-zero cells of 7200\n";
    out << "# maze attributes:   " << nonZero(c.mazeCells) << " non-zero cells of 7200\n";
    out << "# monsters:          " << countIf(c.monsters, [](auto& m) { return m.present > 0; })
        << " of 701 entries\n";
    out << "# items:             " << countIf(c.items, [](auto& i) { return i.itemNo != 0; })
        << " of 641 entries\n";
    out << "# crafted variants:  " << countIf(c.craftVariants, [](auto& i) {
        return i.itemNo != 0 || i.kind != 0;
    }) << " of 41 entries\n";
    out << "# recipes:           " << countIf(c.recipes, [](auto& r) { return r.result != 0; })
        << " of 60 rows\n";
    out << "# traders:           " << countIf(c.npcShops, [](auto& s) {
        return s.wares[1] != 0 || s.buyFactor != 0;
    }) << " of 21 entries\n";

    // The records themselves, as a source would give them: the whole summary
    // reads as a source file.
    for (const SpellDef& s : c.spells)
        if (s.spellNo != 0)
            out << "\n[[spell]]\n" << DumpFields(s);
    for (int row = 0; row <= 40; ++row)
        if (!c.traps[row].name.empty())
            out << "\n[[trap]]\nrow = " << row << "\n" << DumpFields(c.traps[row]);
    for (int n = 1; n <= kMonsterCount; ++n)
        if (c.monsters[n].present > 0)
            out << "\n[[monster]]\nno = " << n << "\n" << DumpFields(c.monsters[n]);
    for (int e = 1; e <= 1250; ++e) {
        if (c.encounterTable(e, 3) == 0 && c.encounterTable(e, 2) == 0)
            continue;
        out << "\n[[encounter]]\nno = " << e << "\n";
        if (c.encounterTable(e, 2) != 0)
            out << "floor = " << c.encounterTable(e, 2) << "\n";
        out << "groups = [" << c.encounterTable(e, 3) << ", " << c.encounterTable(e, 4) << ", "
            << c.encounterTable(e, 5) << ", " << c.encounterTable(e, 6) << "]\n";
    }
    for (const ItemDef& i : c.items)
        if (i.itemNo != 0)
            out << "\n[[item]]\n" << DumpFields(i);
    for (int row = 0; row <= 40; ++row) {
        const ItemDef& i = c.craftVariants[row];
        if (i.itemNo != 0 || i.kind != 0)
            out << "\n[[crafted_variant]]\nrow = " << row << "\n" << DumpFields(i);
    }
    for (int row = 1; row <= kRecipeCount; ++row)
        if (c.recipes[row].result != 0)
            out << "\n[[recipe]]\nrow = " << row << "\n" << DumpFields(c.recipes[row]);
    for (int row = 0; row <= 20; ++row) {
        const NpcShopDef& s = c.npcShops[row];
        if (s.wares[1] != 0 || s.buyFactor != 0)
            out << "\n[[trader]]\nrow = " << row << "\n" << DumpFields(s);
    }
    return out.str();
}

std::string SummariseSave(const SaveData& save)
{
    std::ostringstream out;
    out << "# QVR1.DAT (save)\n";
    int used = countIf(save.roster, [](auto& ch) { return ch.rosterNo != 0; });
    out << "# roster: " << used << " of 50 entries used\n";
    for (int b = 1; b <= kRosterSize; ++b) {
        const Character& ch = save.roster[b];
        if (ch.rosterNo == 0)
            continue;
        out << "# " << b << "\t" << ch.name << "\tLv " << ch.level << "\t" << RaceAbbrev(ch.race)
            << " " << ClassLabel(ch.alignment, ch.classCode) << "\tHP " << ch.hp << "/" << ch.maxHp
            << "\tAC " << ch.ac << "\tG " << ch.gold;
        if (ch.floor > 0)
            out << "\tin the maze: floor " << ch.floor << " (" << ch.posX << "," << ch.posY
                << ") group " << ch.groupNo;
        std::string condition = ConditionText(ch.conditions);
        if (!condition.empty())
            out << "\t" << condition;
        out << "\n";
    }
    out << "# event flags set:";
    int flags = 0;
    for (int i = 0; i <= 100; ++i)
        if (save.eventFlags[i] != 0) {
            out << " " << i << "=" << save.eventFlags[i];
            ++flags;
        }
    out << (flags ? "\n" : " none\n");
    out << "# monsters defeated: " << countIf(save.monsterTally, [](auto v) { return v != 0; })
        << " kinds\n";
    out << "# items obtained:    " << countIf(save.itemTally, [](auto v) { return v != 0; })
        << " kinds\n";
    // -1 marks an item the shop never stocks, not one it has.
    out << "# shop stock:        " << countIf(save.itemStock, [](auto v) { return v > 0; })
        << " kinds on sale, " << countIf(save.itemStock, [](auto v) { return v < 0; })
        << " never stocked\n";
    std::string onSale;
    for (int n = 1; n <= kItemCount; ++n)
        if (save.itemStock[n] > 0)
            onSale += " " + std::to_string(n) + "x" + std::to_string(save.itemStock[n]);
    if (!onSale.empty())
        out << "# on sale (item x count):" << onSale << "\n";
    for (const Character& ch : save.roster)
        if (ch.rosterNo != 0)
            out << "\n[[character]]\n" << DumpFields(ch);
    return out.str();
}

} // namespace qvr::content
