// The spell list and the trap table as written, checked against the rules
// that use them: the numbering the chest panel and the items rely on, the
// schools and levels monsters and level-ups draw from, and the fit of every
// spell's flags, target and element to its effect code.

#include "core/spell_effects.h"

#include <gtest/gtest.h>
#include <toml++/toml.h>

#include <algorithm>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

namespace qvr {
namespace {

struct Spell {
    int no, school, level, slot, effect, element, target, flags;
    std::string name;
    int dice[3];
};

struct Trap {
    int row, value, level, number;
    std::string note, name;
};

int Int(const toml::table& t, const char* key)
{
    auto v = t[key].value<int64_t>();
    if (!v)
        ADD_FAILURE() << "missing integer " << key;
    return static_cast<int>(v.value_or(-9999));
}

std::vector<Spell> LoadSpells()
{
    toml::table doc = toml::parse_file(QVR_SOURCE_DIR "/data/content/spells.toml");
    std::vector<Spell> out;
    for (const toml::node& n : *doc["spell"].as_array()) {
        const toml::table& t = *n.as_table();
        Spell s{Int(t, "no"),           Int(t, "school"),
                Int(t, "level"),        Int(t, "slot"),
                Int(t, "effect"),       Int(t, "element"),
                Int(t, "target"),       Int(t, "flags"),
                t["name"].value_or(""), {}};
        const toml::array& d = *t["dice"].as_array();
        EXPECT_EQ(d.size(), 3u) << s.name;
        for (std::size_t i = 0; i < 3 && i < d.size(); ++i)
            s.dice[i] = static_cast<int>(d[i].value_or(int64_t{-9999}));
        out.push_back(s);
    }
    return out;
}

std::vector<Trap> LoadTraps()
{
    toml::table doc = toml::parse_file(QVR_SOURCE_DIR "/data/content/traps.toml");
    std::vector<Trap> out;
    for (const toml::node& n : *doc["trap"].as_array()) {
        const toml::table& t = *n.as_table();
        out.push_back({Int(t, "row"), Int(t, "value"), Int(t, "level"), Int(t, "number"),
                       t["note"].value_or(""), t["name"].value_or("")});
    }
    return out;
}

double Average(const Spell& s)
{
    return s.dice[0] * (s.dice[1] + 1) / 2.0 + s.dice[2];
}

class SpellList : public ::testing::Test {
protected:
    std::vector<Spell> spells = LoadSpells();
};

TEST_F(SpellList, NumbersFollowSchoolLevelAndSlot)
{
    ASSERT_EQ(spells.size(), 72u);
    std::set<int> numbers;
    for (const Spell& s : spells) {
        SCOPED_TRACE(s.name);
        ASSERT_TRUE(s.school == 0 || s.school == 1);
        ASSERT_TRUE(s.level >= 1 && s.level <= 9);
        ASSERT_TRUE(s.slot >= 1 && s.slot <= 4);
        EXPECT_EQ(s.no, 36 * s.school + 4 * (s.level - 1) + s.slot);
        numbers.insert(s.no);
    }
    EXPECT_EQ(numbers.size(), 72u); // so each school, level and slot holds one spell
}

TEST_F(SpellList, ChestPanelFindsTheTrapSpellAtNumber41)
{
    auto it = std::find_if(spells.begin(), spells.end(), [](const Spell& s) { return s.no == 41; });
    ASSERT_NE(it, spells.end());
    const Spell& s = *it;
    EXPECT_EQ(s.name, "DISBA");
    EXPECT_EQ(s.effect, 0);
    // Typed, it would only waste a point: it is cast from the chest panel.
    EXPECT_EQ(s.flags, 0);
}

TEST_F(SpellList, NamesAreShortUniqueUpperCaseWords)
{
    const std::regex word("[A-Z]{3,8}");
    std::set<std::string> seen;
    for (const Spell& s : spells) {
        EXPECT_TRUE(std::regex_match(s.name, word)) << s.name;
        EXPECT_TRUE(seen.insert(s.name).second) << "twice: " << s.name;
    }
}

TEST_F(SpellList, FlagsTargetAndElementSuitTheEffect)
{
    for (const Spell& s : spells) {
        SCOPED_TRACE(s.name);
        const SpellEffectInfo* e = FindSpellEffect(s.effect);
        ASSERT_NE(e, nullptr);
        // A spell is usable exactly where its effect does something.
        EXPECT_EQ((s.flags & 1) != 0, e->battle);
        EXPECT_EQ((s.flags & 2) != 0, e->camp);
        if (s.flags & 4) {
            EXPECT_TRUE(e->monster);
        }
        EXPECT_EQ(s.flags & ~7, 0);
        EXPECT_TRUE(TargetFitsEffect(s.effect, s.target)) << "target " << s.target;
        EXPECT_TRUE(IsValidElement(s.element)) << "element " << s.element;
    }
}

TEST_F(SpellList, EveryEffectCodeIsUsed)
{
    std::set<int> used;
    for (const Spell& s : spells)
        used.insert(s.effect);
    for (const SpellEffectInfo& e : AllSpellEffects())
        EXPECT_TRUE(used.count(e.code)) << "no spell has effect " << e.code;
}

TEST_F(SpellList, EverySchoolAndLevelHasSomethingToLearnAndForMonstersToCast)
{
    // Counts by school and level, kept as school * 10 + level.
    std::map<int, int> learnable, monsterCast, battleFirst;
    for (const Spell& s : spells) {
        if (s.slot <= 3)
            ++learnable[s.school * 10 + s.level];
        if (s.flags & 4)
            ++monsterCast[s.school * 10 + s.level];
        if (s.level == 1 && s.slot <= 3 && (s.flags & 1))
            ++battleFirst[s.school];
    }
    for (int school : {0, 1}) {
        for (int level = 1; level <= 9; ++level) {
            EXPECT_GT(learnable[school * 10 + level], 0) << school << "/" << level;
            EXPECT_GT(monsterCast[school * 10 + level], 0) << school << "/" << level;
        }
        // A new caster may learn a single first-level spell: every one of
        // them must be of use in a fight.
        EXPECT_EQ(battleFirst[school], 3) << school;
    }
}

TEST_F(SpellList, DiceAreThereWhereTheAmountMatters)
{
    for (const Spell& s : spells) {
        SCOPED_TRACE(s.name);
        switch (s.effect) {
        case 2:
        case 7:
        case 50:
        case 52:
            EXPECT_GT(s.dice[0], 0);
            EXPECT_GT(s.dice[1], 1);
            EXPECT_GE(s.dice[2], 0);
            break;
        case 5: // the power: 5 is the strong protection, anything else the weak
            EXPECT_TRUE(s.dice[0] == 3 || s.dice[0] == 5);
            break;
        case 4:
            EXPECT_GT(s.dice[0], 0);
            break;
        default:
            EXPECT_EQ(s.dice[0], 0);
            EXPECT_EQ(s.dice[1], 0);
            EXPECT_EQ(s.dice[2], 0);
        }
    }
}

TEST_F(SpellList, BlowsAndHealsGrowWithLevel)
{
    // Compared within one school, effect and reach: a firestorm over every
    // group may hit each monster less hard than a lance at one.
    for (int school : {0, 1}) {
        for (int effect : {2, 7, 52}) {
            for (int target : {0, 1, 2, 4}) {
                double best = 0;
                for (int level = 1; level <= 9; ++level) {
                    double bestHere = best;
                    for (const Spell& s : spells) {
                        if (s.school != school || s.level != level || s.effect != effect ||
                            s.target != target)
                            continue;
                        EXPECT_GT(Average(s), best) << s.name;
                        bestHere = std::max(bestHere, Average(s));
                    }
                    best = bestHere;
                }
            }
        }
    }
}

class TrapTable : public ::testing::Test {
protected:
    std::vector<Trap> traps = LoadTraps();
};

TEST_F(TrapTable, RowsRunByDangerAndHoldEveryEffectOnce)
{
    ASSERT_EQ(traps.size(), 38u);
    std::set<int> effects;
    for (std::size_t i = 0; i < traps.size(); ++i) {
        EXPECT_EQ(traps[i].row, static_cast<int>(i) + 1);
        EXPECT_TRUE(effects.insert(traps[i].number).second) << traps[i].number;
        if (i > 0) {
            EXPECT_GE(traps[i].level, traps[i - 1].level) << traps[i].name;
        }
        EXPECT_EQ(traps[i].value, 0);
        EXPECT_EQ(traps[i].note, "");
    }
    EXPECT_EQ(*effects.begin(), 1);
    EXPECT_EQ(*effects.rbegin(), 38);
}

TEST_F(TrapTable, NamesCanBeTypedAndAreDistinct)
{
    // The typed answer is only upper-cased before the comparison.
    const std::regex word("[A-Z]{3,16}");
    std::set<std::string> seen;
    for (const Trap& t : traps) {
        EXPECT_TRUE(std::regex_match(t.name, word)) << t.name;
        EXPECT_TRUE(seen.insert(t.name).second) << "twice: " << t.name;
    }
}

TEST_F(TrapTable, LevelsFollowDanger)
{
    ASSERT_EQ(traps.size(), 38u);
    auto level = [&](int n) {
        for (const Trap& t : traps)
            if (t.number == n)
                return t.level;
        return 0;
    };
    for (const Trap& t : traps)
        EXPECT_TRUE(t.level >= 1 && t.level <= 12) << t.name;
    for (int kind : {21, 24, 30}) // healing light, a chance of faith, the nurse
        EXPECT_EQ(level(kind), 1) << kind;
    for (int killer : {10, 11, 18, 19, 20, 26}) // may kill or erase outright
        for (int nuisance : {1, 2, 5, 32})
            EXPECT_GT(level(killer), level(nuisance)) << killer << " vs " << nuisance;
    EXPECT_EQ(level(19), 12); // the one that erases a character for good
}

} // namespace
} // namespace qvr
