// The monsters and encounters: the real ones against the world's bands, and
// broken copies refused with the file and line at fault.

#include <algorithm>
#include <gtest/gtest.h>
#include <map>
#include <regex>
#include <tuple>

#include "edited_sources.h"
#include "tools/content/compile.h"

using namespace qvr;
using namespace qvr::content;
using qvr::test::CompileEdited;

namespace {

const std::filesystem::path kSources = std::filesystem::path(QVR_SOURCE_DIR) / "data/content";

double Average(const Dice3& d)
{
    return d[0] * (d[1] + 1) / 2.0 + d[2];
}

} // namespace

// Each floor's monsters sit in its band and near the average monster of
// their rank, so that tuning stays a matter of small factors.
TEST(Bestiary, FloorsOneToThreeKeepTheirBands)
{
    const Content c = CompileContent(kSources);
    for (int floor = 1; floor <= 3; ++floor) {
        const RankBand band = FloorRankBand(floor);
        int kinds = 0;
        for (int n = 20 * floor - 19; n <= 20 * floor; ++n) {
            const MonsterDef& m = c.monsters[n];
            if (m.present < 1)
                continue;
            ++kinds;
            const double r = m.rank;
            EXPECT_GE(m.rank, band.low) << n;
            EXPECT_LE(m.rank, band.high) << n;
            const double hp = 3 + 2.4 * r + 0.17 * r * r;
            EXPECT_GE(Average(m.hpDice), 0.35 * hp) << n;
            EXPECT_LE(Average(m.hpDice), 1.6 * hp) << n;
            EXPECT_NEAR(Average(m.damageDice), 2 + 0.7 * r, 1.5 + 0.2 * r) << n;
            EXPECT_NEAR(m.ac, 9 - 0.6 * r, 1.0) << n;
            EXPECT_GE(m.expValue, 40 * r * r) << n;
            EXPECT_LE(m.expValue, 60 * r * r) << n;
            EXPECT_NEAR(m.goldValue, 5 * r * r + 40, 0.2 * (5 * r * r + 40)) << n;
            // Sleep and poison wait for floor 2; nothing worse before floor 4.
            for (int i = 15; i <= 33; ++i) {
                const bool allowed = m.chance[i] == 0 || (floor >= 2 && (i == 15 || i == 22));
                EXPECT_TRUE(allowed) << n << " effect " << i;
            }
        }
        EXPECT_GE(kinds, 12) << "floor " << floor;
        int listed = 0;
        for (int e = 1; e <= 1250; ++e)
            listed += c.encounterTable(e, 2) == floor ? 1 : 0;
        EXPECT_GE(listed, 25) << "floor " << floor;
    }
    for (int e : {1021, 1209, 1220})
        EXPECT_GT(c.encounterTable(e, 3), 0) << e;
}

// Two kinds of one floor never fight alike: each has its own hit points,
// armour, swings or blows, or the player meets the same monster twice under
// two names.
TEST(Bestiary, NoTwoMonstersOfAFloorShareAStatLine)
{
    const Content c = CompileContent(kSources);
    for (int floor = 1; floor <= 17; ++floor) {
        std::map<std::tuple<Dice3, int, int, Dice3>, int> seen;
        for (int n = 20 * floor - 19; n <= 20 * floor; ++n) {
            const MonsterDef& m = c.monsters[n];
            if (m.present < 1)
                continue;
            const auto line = std::make_tuple(m.hpDice, m.ac, m.attacks, m.damageDice);
            const auto [at, fresh] = seen.emplace(line, n);
            EXPECT_TRUE(fresh) << "floor " << floor << ": monsters " << at->second << " and " << n
                               << " share hit points, armour and blows";
        }
    }
}

// A caster casts: a monster with a caster's frail hit points earns more than
// a fighter of its rank only for the spells in its table, and every spell
// action names a school and level the monsters have spells of, no higher
// than its rank allows (rank/5, but at least level 1).
TEST(Bestiary, CastersCastWhatTheirRankAllows)
{
    const Content c = CompileContent(kSources);
    int casters = 0;
    for (int n = 1; n <= 60; ++n) {
        const MonsterDef& m = c.monsters[n];
        if (m.present < 1)
            continue;
        bool casts = false;
        for (int k = 1; k <= 20; ++k) {
            const int code = m.actions[k];
            if (code < 2 || code > 19)
                continue;
            casts = true;
            const int school = code <= 10 ? 0 : 1;
            const int level = code <= 10 ? code - 1 : code - 10;
            EXPECT_LE(level, std::max(1, m.rank / 5)) << n;
            bool castable = false;
            for (int s = 1; s <= kNamedSpells; ++s) {
                const SpellDef& sp = c.spells[s];
                castable = castable || (sp.school == school && sp.level == level &&
                                        (sp.flags & SpellFlag::Monster));
            }
            EXPECT_TRUE(castable) << n << " action " << code;
        }
        casters += casts ? 1 : 0;
        const double r = m.rank;
        if (!casts) {
            EXPECT_LE(m.expValue, 55 * r * r) << n << " earns a caster's experience";
        }
    }
    EXPECT_GE(casters, 5);
}

TEST(Bestiary, BrokenMonstersAndEncountersAreRefusedWithTheLine)
{
    struct Case {
        const char *file, *from, *to, *error;
    } cases[] = {
        {"monsters.toml", "no = 1\n", "no = 2\n", "given twice"},
        {"monsters.toml", "rank = 1\nname = \"ドブネズミ\"", "rank = 9\nname = \"ドブネズミ\"",
         "far from floor 1"},
        {"monsters.toml", "name = \"ドブネズミ\"", "name = \"ドブネズミ😀\"", "Shift_JIS"},
        {"monsters.toml", "unknown_name = \"小さな獣\"", "unknown_name = \"ドブネズミ\"",
         "differ from the name"},
        {"monsters.toml", "group_dice = [2, 2, 0]", "group_dice = [2, 6, 0]", "above 9"},
        {"monsters.toml", "hp_dice = [1, 6, 2]", "hp_dice = [1, 6, -1]", "below 1"},
        {"monsters.toml", "agility = 6", "agility = 0", "initiative die"},
        {"monsters.toml", "steal_items = [472, 0]", "steal_items = [639, 0]",
         "not in the catalogue"},
        {"monsters.toml", "steal_items = [472, 0]", "steal_items = [95, 0]", "an event item"},
        {"monsters.toml", "regen = 0", "regen = 0\nchance = { 15 = 1 }", "never lands"},
        {"monsters.toml", "regen = 0\nres = { 5 = 50 }",
         "regen = 0\nactions = { 1 = 0 }\nres = { 5 = 50 }", "some with an action"},
        {"monsters.toml", "regen = 0\nres = { 5 = 50 }",
         "regen = 0\nactions = { 1 = 1, 2 = 61 }\nres = { 5 = 50 }",
         "holds 61, which no monster can do"},
        {"monsters.toml", "regen = 0\nres = { 5 = 50 }",
         "regen = 0\nactions = { 1 = 1, 2 = 80 }\nres = { 5 = 50 }",
         "holds 80, which no monster can do"},
        {"encounters.toml", "groups = [1, 0, 0, 0]", "groups = [700, 0, 0, 0]",
         "not in monsters.toml"},
        {"encounters.toml", "groups = [1, 0, 0, 0]", "groups = [56, 0, 0, 0]", "far from floor 1"},
        {"encounters.toml", "groups = [1, 0, 0, 0]", "groups = [0, 1, 0, 0]", "group 1"},
        {"encounters.toml", "no = 1\nfloor = 1", "no = 1\nfloor = 2", "not this number's floor"},
        {"encounters.toml", "no = 1\nfloor = 1", "no = 1", "is missing"},
        {"encounters.toml", "no = 1209\ngroups = [373", "no = 1209\ngroups = [1",
         "an idle encounter meets ranks"},
    };
    for (const Case& c : cases) {
        const std::string error = CompileEdited(c.file, c.from, c.to);
        EXPECT_NE(error.find(c.error), std::string::npos) << c.to << "\ngave: " << error;
        EXPECT_TRUE(std::regex_search(error, std::regex(std::string(c.file) + ":[0-9]+: ")))
            << error;
    }
    // Whole-table refusals name the file.
    EXPECT_NE(CompileEdited("encounters.toml", "no = 1209", "no = 1199").find("1209 is missing"),
              std::string::npos);
    EXPECT_NE(CompileEdited("encounters.toml", "no = 1021", "no = 1030")
                  .find("encounter 1021 has no monsters"),
              std::string::npos);
}
