// Starting a battle: the encounter drawn or named, the groups built from the
// monster table, the opening roll (first strikes, friendly monsters, the back
// attack), the shadow encounter, and the party's flight.

#include <gtest/gtest.h>

#include <map>

#include "battle/shadow.h"
#include "battle_fixture.h"

namespace qvr::test {
namespace {

// Monster 1 in groups 1 (and 2 when `twoGroups`) of encounter 5.
void Encounter(BattleFixture& f, const MonsterDef& m, bool twoGroups = false)
{
    f.content->monsters[1] = m;
    f.content->encounterTable(5, 3) = 1;
    f.content->encounterTable(5, 4) = twoGroups ? 1 : 0;
}

MonsterDef Grunt(int16_t groupCount, int16_t groupSides, int rank = 1)
{
    MonsterDef m = BattleFixture::Brute("G");
    m.unknownName = "?";
    m.groupDice = {groupCount, groupSides, 0};
    m.hpDice = {2, 6, 1};
    m.rank = rank;
    for (int k = 1; k <= 20; ++k)
        m.actions[k] = 0; // the free rounds stay quiet
    return m;
}

int Living(const BattleState& state, int g)
{
    int n = 0;
    for (int s = 1; s <= kGroupSlots; ++s)
        n += IsLiving(state.monsters[g][s]) ? 1 : 0;
    return n;
}

TEST(Encounter, AnEmptyFloorListStartsNothingAndRollsNothing)
{
    BattleFixture f(42);
    const Character before = f.member(1);
    EXPECT_EQ(StartBattle(f.game, f.state, 0), BattleEnd::NoBattle);
    EXPECT_TRUE(f.said().empty());
    EXPECT_EQ(f.member(1), before);
    Rng fresh(42);
    EXPECT_EQ(f.game.rng.uniform(), fresh.uniform());
}

TEST(Encounter, NumbersPastTheTablesAreErrors)
{
    BattleFixture f;
    EXPECT_THROW(StartBattle(f.game, f.state, 1251), GameError);
    f.content->encounterTable(5, 3) = 701;
    EXPECT_THROW(StartBattle(f.game, f.state, 5), GameError);
}

TEST(Encounter, GroupsFollowTheirDiceAndNeverPassNine)
{
    struct Case {
        int16_t count, sides;
        int low, high;
    };
    const Case cases[] = {{1, 4, 1, 4}, {3, 6, 3, 9}, {0, 0, 0, 0}};
    for (const Case& c : cases) {
        int low = 99, high = -1;
        BattleFixture f(1);
        Encounter(f, Grunt(c.count, c.sides), true);
        for (int i = 0; i < 300; ++i) {
            StartBattle(f.game, f.state, 5);
            for (int g : {1, 2}) {
                low = std::min(low, Living(f.state, g));
                high = std::max(high, Living(f.state, g));
            }
            EXPECT_EQ(Living(f.state, 3), 0);
            for (int s = 1; s <= Living(f.state, 1); ++s) {
                const MonsterSlot& m = f.state.monsters[1][s];
                EXPECT_TRUE(m.maxHp >= 3 && m.maxHp <= 13 && m.hp == m.maxHp) << m.maxHp;
            }
        }
        EXPECT_EQ(low, c.low);
        EXPECT_EQ(high, c.high);
    }
}

TEST(Encounter, TheFloorListAndIdentification)
{
    BattleFixture f(8);
    Encounter(f, Grunt(0, 0, 40));
    f.game.state.floorEncounters[1] = 5;
    f.game.state.floorEncounterCount = 1;
    int known = 0;
    for (int i = 0; i < 400; ++i) {
        ASSERT_NE(StartBattle(f.game, f.state, 0), BattleEnd::NoBattle);
        EXPECT_EQ(f.state.encounterNo, 5);
        known += f.state.monsters[1][0].identified != 0 ? 1 : 0;
    }
    EXPECT_NEAR(known / 400.0, 0.5, 0.08);
    f.game.state.partyEffects = PartyEffect::Identify;
    for (int i = 0; i < 50; ++i) {
        StartBattle(f.game, f.state, 5);
        EXPECT_EQ(f.state.monsters[1][0].identified, -1);
    }
}

TEST(Encounter, OpeningRolls)
{
    // One seed after another, each opening is checked for what it must do.
    std::map<std::string, int> seen;
    BattleFixture f(1, {Class::Fighter, Class::Thief, Class::Cleric});
    Encounter(f, Grunt(1, 1, 29));
    bool asked = false;
    f.state.fightFriendly = [&asked](Game&, const std::string& q) {
        asked = true;
        EXPECT_TRUE(q == "友好的な\rG\r戦いますか？" || q == "友好的な\r?\r戦いますか？") << q;
        return false;
    };
    const int runs = 900;
    for (int i = 0; i < runs; ++i) {
        asked = false;
        StartBattle(f.game, f.state, 5);
        const auto lines = f.said();
        const std::string opening = asked ? "friendly" : lines.size() > 1 ? lines[1] : "";
        ++seen[opening];
        if (asked) {
            EXPECT_EQ(f.state.end, BattleEnd::Parted);
            EXPECT_EQ(f.state.phase, BattlePhase::None);
        } else if (opening == "パーティーの先制攻撃") {
            EXPECT_TRUE(f.state.partyFirstStrike);
            EXPECT_EQ(f.game.state.roundCount, 0);
        } else if (opening == "モンスターの先制攻撃" || opening == "モンスターのバックアタック") {
            EXPECT_EQ(f.game.state.roundCount, 1);
            for (int p = 1; p <= 3; ++p) {
                EXPECT_EQ(f.game.state.partyMember[p], p);
                EXPECT_EQ(f.member(p).position, p);
                EXPECT_EQ(f.state.orders[p].rosterNo, p);
            }
        }
    }
    for (const char* opening :
         {"friendly", "パーティーの先制攻撃", "モンスターの先制攻撃", "モンスターのバックアタック"})
        EXPECT_NEAR(seen[opening] / double(runs), 1 / 30.0, 0.02) << opening;

    // Rank 30 and above are never friendly.
    f.content->monsters[1].rank = 30;
    asked = false;
    for (int i = 0; i < 300; ++i)
        StartBattle(f.game, f.state, 5);
    EXPECT_FALSE(asked);
}

TEST(Encounter, MusicFollowsTheOriginAndCloseIsRefusedWhileOrdersAreTaken)
{
    BattleFixture f(4);
    Encounter(f, Grunt(1, 1));
    for (int t = 1; t <= 19; ++t)
        f.game.music.bgmFiles[static_cast<std::size_t>(t)] = "track" + std::to_string(t);
    f.game.state.floorMusic = 10;
    EXPECT_FALSE(RefusesClose(f.state));
    for (int16_t origin : {12, 13, 14, 15}) {
        f.game.state.encounterOrigin = origin;
        for (int i = 0; i < 40; ++i) {
            StartBattle(f.game, f.state, 5);
            ASSERT_EQ(f.state.end, BattleEnd::Ongoing);
            EXPECT_EQ(f.game.music.currentMusicFile, "track" + std::to_string(origin));
            EXPECT_TRUE(RefusesClose(f.state));
            f.state.monsters[1][1].hp = 0;
            f.member(1).conditions = Cond::Hidden;
            f.state.orders[1] = {1, Order::Fight, 1, 0, 0, 0};
            FightRound(f.game, f.state);
            ASSERT_EQ(f.state.end, BattleEnd::Victory);
            EXPECT_FALSE(RefusesClose(f.state));
            EXPECT_EQ(f.game.music.currentMusicFile, f.state.victory.chest ? "track16" : "track10");
        }
    }
}

TEST(Encounter, TheShadowTakesAMembersShape)
{
    BattleFixture f(3, {Class::Ninja});
    Character& c = f.member(1);
    c.name = "影の主";
    c.maxHp = 77;
    c.agility = 19;
    c.level = 10;
    c.mp(0, 3) = 2;
    Encounter(f, Grunt(2, 1));
    f.game.state.eventResult = kShadowEncounter;
    StartBattle(f.game, f.state, 5);
    const MonsterSlot& m = f.state.monsters[1][1];
    EXPECT_EQ(m.name, "影の主");
    EXPECT_EQ(m.maxHp, 77);
    EXPECT_EQ(m.agility, 19);
    EXPECT_EQ(m.attacks, ClassAttacks(Class::Ninja, 10));
    EXPECT_EQ(m.actions[1], SignatureMove(Class::Ninja));
    EXPECT_EQ(m.damageDice, (Dice3{1, 8, 0}));
    EXPECT_TRUE(m.actions[5] == 0 || m.actions[5] == 4); // a level-3 spell of school 0
    EXPECT_EQ(m.actions[6], 0);
}

TEST(Flight, TheRollDecidesAndStrongMonstersBarTheWay)
{
    struct Case {
        int16_t classCode;
        int16_t agility;
        int rank;
        double odds;
    };
    const Case cases[] = {
        {Class::Fighter, 3, 1, 0.0},   {Class::Thief, 3, 1, 2.0 / 3},
        {Class::Ninja, 3, 1, 1.0 / 3}, {Class::Fighter, 100, 1, 0.97},
        {Class::Thief, 100, 36, 0.0},
    };
    for (const Case& c : cases) {
        int fled = 0;
        const int runs = 600;
        BattleFixture f(5, {c.classCode});
        MonsterDef m = Grunt(1, 1, c.rank);
        f.member(1).agility = c.agility;
        f.game.state.prevX = 4;
        f.game.state.prevY = 9;
        for (int i = 0; i < runs; ++i) {
            f.game.state.posX = 0;
            f.state.end = BattleEnd::Ongoing;
            f.place(1, m);
            f.state.groupMonster[1] = 1;
            f.game.state.roundCount = 0;
            TryFlee(f.game, f.state, 1);
            const auto lines = f.said();
            if (f.state.end == BattleEnd::Fled) {
                ++fled;
                EXPECT_EQ(f.game.state.posX, 4);
                EXPECT_EQ(f.game.state.posY, 9);
                EXPECT_EQ(f.game.state.roundCount, 0);
            } else {
                EXPECT_EQ(f.game.state.roundCount, 1); // the monsters' free round
            }
            if (c.rank > 35) {
                EXPECT_EQ(lines.at(0), "逃げれない！！");
            }
        }
        EXPECT_NEAR(fled / double(runs), c.odds, 0.05) << c.classCode << " " << c.agility;
    }
}

TEST(Replay, ASeededBattleTellsTheSameStoryTwice)
{
    auto fight = [](uint64_t seed) {
        BattleFixture f(seed, {Class::Fighter, Class::Samurai, Class::Thief});
        MonsterDef m = BattleFixture::Brute("G");
        m.hp = m.maxHp = 30;
        m.hpDice = {3, 8, 4};
        m.groupDice = {1, 3, 1};
        m.damageDice = {1, 6, 0};
        m.rank = 3;
        m.expValue = 40;
        m.goldValue = 12;
        m.chance[22] = 20;
        Encounter(f, m, true);
        StartBattle(f.game, f.state, 5);
        while (f.state.active() && f.game.state.roundCount < 100) {
            ClearOrders(f.game, f.state);
            for (int p = 1; p <= 3; ++p)
                f.state.orders[p] = {p, Order::Fight, f.state.listedGroups.front(), 0, 0, 0};
            FightRound(f.game, f.state);
        }
        return f.transcript.lines;
    };
    const auto first = fight(77);
    EXPECT_GT(first.size(), 5u);
    EXPECT_EQ(first, fight(77));
    EXPECT_NE(first, fight(78));
}

} // namespace
} // namespace qvr::test
