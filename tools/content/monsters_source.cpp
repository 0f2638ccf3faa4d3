// The bestiary: each monster as its field list reads it, and the checks one
// monster can fail on its own or against the item catalogue. Which floor a
// monster belongs to follows from its number, so its rank is held to that
// floor's band; the encounters check the rest.

#include <algorithm>
#include <string>

#include "core/item_numbers.h"
#include "core/monster_actions.h"
#include "tools/content/compile.h"
#include "tools/content/record_source.h"

namespace qvr::content {

namespace {

// A group never has more than nine members on the field.
constexpr int kMostInGroup = 9;

template <typename Table> bool anySet(const Table& table)
{
    return std::any_of(table.begin(), table.end(), [](auto v) { return v != 0; });
}

void checkDice(FieldReader& f, const char* key, const Dice3& d, int least, int most)
{
    const int low = d[0] + d[2];
    const int high = d[0] * d[1] + d[2];
    if (d[0] < 1 || d[1] < 1)
        f.fail(key, "must roll at least one die of at least one side");
    if (low < least)
        f.fail(key, "can roll " + std::to_string(low) + ", below " + std::to_string(least));
    if (high > most)
        f.fail(key, "can roll " + std::to_string(high) + ", above " + std::to_string(most));
}

// Whether the monster's table holds an action that reads its damage dice,
// or its number of attacks.
bool usesDice(const MonsterDef& m)
{
    for (int k = 1; k <= 20; ++k) {
        if (m.actions[k] == 1)
            return true;
        const SpecialMoveInfo* move = FindSpecialMove(m.actions[k]);
        if (move && (move->amount == MoveAmount::Dice || move->amount == MoveAmount::DicePlusHp ||
                     move->amount == MoveAmount::DiceTimesAttacks))
            return true;
    }
    return false;
}

bool usesAttacks(const MonsterDef& m)
{
    for (int k = 1; k <= 20; ++k) {
        const SpecialMoveInfo* move = FindSpecialMove(m.actions[k]);
        if (m.actions[k] == 1 || (move && (move->family == MoveFamily::Unman ||
                                           move->amount == MoveAmount::DiceTimesAttacks)))
            return true;
    }
    return false;
}

// Melee and the moves that strike with its dice, and what rides on them.
void checkMelee(FieldReader& f, const MonsterDef& m)
{
    const bool melee = std::find(m.actions.begin() + 1, m.actions.end(), 1) != m.actions.end();
    if (!usesAttacks(m) && m.attacks != 0)
        f.fail("attacks", "count only for a monster with melee (action 1) or a move that "
                          "reads them in its table");
    if (!usesDice(m) && m.damageDice != Dice3{})
        f.fail("damage_dice", "count only for a monster whose actions roll them");
    if (!melee && anySet(m.chance))
        f.fail("chance", "count only for a monster with melee (action 1) in its table");
    if (usesAttacks(m) && (m.attacks < 1 || m.attacks > 10))
        f.fail("attacks", "must be 1..10 for a monster that fights");
    if (usesDice(m))
        checkDice(f, "damage_dice", m.damageDice, 1, 999);
    if (!melee)
        return;
    for (int i = 15; i <= 33; ++i) {
        if (m.chance[i] == 1)
            f.fail("chance",
                   "of " + std::to_string(i) + " is 1, which never lands: give 2..100 or 0");
        if (m.chance[i] < 0 || m.chance[i] > 100)
            f.fail("chance", "of " + std::to_string(i) + " must be 0..100");
    }
}

void checkStealItems(FieldReader& f, const MonsterDef& m, const Content& content)
{
    for (int16_t n : m.stealItems) {
        if (n == 0)
            continue;
        if (n < 0 || n > kItemCount || content.items[n].itemNo == 0)
            f.fail("steal_items",
                   "names item " + std::to_string(n) + ", which is not in the catalogue");
        if (content.items[n].kind == ItemKind::Event)
            f.fail("steal_items", "names item " + std::to_string(n) +
                                      ", an event item: the story hands those out");
    }
}

} // namespace

RankBand FloorRankBand(int floor)
{
    // Arrival level and monster ranks per floor, deepest last.
    static constexpr RankBand kBands[] = {
        {0, 0},   {1, 3},   {3, 6},   {5, 8},   {6, 9},   {8, 11},  {9, 12},  {10, 13}, {11, 15},
        {12, 16}, {13, 17}, {14, 18}, {15, 19}, {16, 21}, {18, 23}, {20, 25}, {22, 27}, {24, 31},
    };
    return floor >= 1 && floor <= kLastFloor ? kBands[floor] : RankBand{};
}

int FloorOfMonster(int monsterNo)
{
    return monsterNo >= 1 && monsterNo <= 20 * kLastFloor ? (monsterNo + 19) / 20 : 0;
}

void ReadMonsters(const std::filesystem::path& path, Sources& sources)
{
    const std::string file = path.string();
    toml::table root = ParseSource(path);
    Content& content = sources.content;
    for (const toml::table* table : TablesOf(file, root, "monster")) {
        FieldReader f(file, *table, "monster");
        const int no = f.integer("no", 1, kMonsterCount);
        if (content.monsters[no].present != 0)
            f.fail("no", "is given twice: monster " + std::to_string(no));
        MonsterDef m;
        m.present = 1;
        // Until spells and moves are given, a monster fights.
        if (!table->contains("actions"))
            std::fill(m.actions.begin() + 1, m.actions.end(), int16_t{1});
        ReadFields(f, m);
        if (m.present < 1)
            f.fail("present", "must be above 0: leave the monster out instead");
        if (m.rank < 1 || m.rank > 50)
            f.fail("rank", "must be 1..50");
        if (m.name.empty())
            f.fail("name", "is empty");
        if (m.unknownName.empty() || m.unknownName == m.name)
            f.fail("unknown_name", "must be given and differ from the name: half the groups "
                                   "appear unidentified");
        checkDice(f, "group_dice", m.groupDice, 1, kMostInGroup);
        checkDice(f, "hp_dice", m.hpDice, 1, 30000);
        if (m.agility < 1 || m.agility > 100)
            f.fail("agility", "must be 1..100: it is the initiative die");
        if (m.luck < 0 || m.luck > 100)
            f.fail("luck", "must be 0..100");
        if (m.reach != 0 && m.reach != 1)
            f.fail("reach", "must be 0 (front row only) or 1 (the whole party)");
        if (m.expValue < 0 || m.goldValue < 0 || m.regen < 0)
            f.fail("exp", "experience, gold and regen cannot be negative");
        if (!anySet(m.actions) || m.actions[0] != 0)
            f.fail("actions", "must fill entries 1..20, and some with an action");
        for (int k = 1; k <= 20; ++k)
            if (MonsterActionOf(m.actions[k]) == MonsterAction::Unknown)
                f.fail("actions", "holds " + std::to_string(m.actions[k]) +
                                      ", which no monster can do (0..79, but no 61)");
        checkMelee(f, m);
        checkStealItems(f, m, content);
        if (const int floor = FloorOfMonster(no); floor > 0) {
            const RankBand band = FloorRankBand(floor);
            if (m.rank < band.low - 1 || m.rank > band.high + 1)
                f.fail("rank", std::to_string(m.rank) + " is far from floor " +
                                   std::to_string(floor) + "'s ranks " + std::to_string(band.low) +
                                   ".." + std::to_string(band.high) + " (numbers " +
                                   std::to_string(20 * floor - 19) + ".." +
                                   std::to_string(20 * floor) + " are that floor's)");
        }
        f.finish();
        sources.monsterPlaces[no] = lineOf(file, *table);
        content.monsters[no] = m;
    }
}

} // namespace qvr::content
