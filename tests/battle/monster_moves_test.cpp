// The monsters' special moves, every code once, with the dice left nothing
// to decide: a member of luck and agility 0 meets every condition roll, a
// resistance of 0 lets every blow through, 100 (101 for the three-dice
// conditions) stops it, and a monster of 1 hit point with damage dice of no
// dice rolls fixed amounts.

#include <gtest/gtest.h>

#include <functional>
#include <set>

#include "battle/battle_actions.h"
#include "battle/monster_moves.h"
#include "battle_fixture.h"
#include "core/item_numbers.h"
#include "core/messages.h"
#include "core/monster_actions.h"

namespace qvr::test {
namespace {

struct MoveFixture : BattleFixture {
    explicit MoveFixture(int members = 1)
        : BattleFixture(3, std::vector<int16_t>(static_cast<std::size_t>(members), Class::Fighter))
    {
        MonsterDef m = Brute("MON");
        m.hp = m.maxHp = 1;
        m.damageDice = {0, 0, 5};
        m.expValue = 100;
        place(1, m, 1);
        for (int p = 1; p <= members; ++p) {
            member(p).luck = 0;
            member(p).agility = 0;
            member(p).sex = 1;
        }
        state.actingGroup = 1;
        state.actingMonster = 1;
    }
    MonsterSlot& mon() { return state.monsters[1][1]; }
    void act(int code) { actions.specialMove(game, state, code); }
    bool heard(const std::string& part) const
    {
        for (const std::string& l : transcript.lines)
            if (Contains(l, part))
                return true;
        return false;
    }
    BattleActions actions;
};

constexpr int kNoResist = -1000;

// One row per code: the resistance the move reads, the value that stops it
// (kNoResist: nothing does), the hit points the member loses when it lands
// and the condition it is left with.
struct MoveCase {
    int code;
    int index;
    int stopper;
    int lostLo, lostHi;
    int32_t condition;
    std::function<void(MoveFixture&)> arrange = nullptr;
    int32_t mayAlso = 0; // conditions a die decides on top
};

const std::vector<MoveCase>& Cases()
{
    static const std::vector<MoveCase> cases = {
        {21, 15, 100, 0, 0, Cond::Asleep},
        {22, 16, 100, 0, 0, Cond::Paralysed},
        {23, 22, 100, 0, 0, Cond::Poisoned},
        {24, 0, kNoResist, 1, 1, 0},
        {25, 0, kNoResist, 1, 1, 0},
        {31, 21, 101, 0, 0, Cond::Charmed},
        {32, 27, 101, 0, 0, Cond::Sick},
        {33, 30, 100, 0, 1000, 0,
         [](MoveFixture& f) {
             f.member(1).level = 5;
             f.mon().attacks = 2;
         }},
        {34, 30, 100, 0, 1000, 0,
         [](MoveFixture& f) {
             f.member(1).sex = 2;
             f.member(1).level = 5;
             f.mon().attacks = 2;
         }},
        {35, 15, 101, 0, 0, Cond::Asleep},
        {37, 4, 100, 2, 2, 0},
        {38, 4, 100, 2, 2, 0},
        {39, 8, 100, 1, 1, Cond::Frozen},
        {40, 5, 100, 1, 1, 0},
        {41, 9, 100, 5, 5, 0},
        {42, 6, 100, 5, 5, 0},
        {43, 8, 100, 1, 1, Cond::Frozen},
        {44, 1, 100, 5, 5, 0},
        {45, 1, 100, 1000, 1000, Cond::Dead},
        {46, 0, kNoResist, 0, 0, Cond::Confused},
        {47, 1, 100, 500, 500, 0},
        {48, 7, 100, 5, 5, 0},
        {49, 6, 100, 999, 999, 0},
        {50, 31, 101, 1000, 1000, Cond::Dead},
        {51, 1, 100, 500, 500, 0},
        {52, 1, 100, 50, 50, 0},
        {53, 1, 100, 70, 70, 0},
        {54, 2, 100, 5, 5, 0},
        {55, 2, 100, 10, 10, 0},
        {56, 14, 100, 1, 1000, 0},
        {57, 7, 100, 6, 1800, 0},
        {60, 22, 101, 0, 0, Cond::Poisoned},
        {64, 11, 100, 5, 5, Cond::Afraid},
        {65, 4, 100, 15, 15, 0, [](MoveFixture& f) { f.mon().attacks = 3; }},
        {66, 12, 100, 5, 5, Cond::Blind},
        {67, 1, 100, 1000, 1000, Cond::Afraid | Cond::Dead},
        {68, 13, 100, 5, 5, 0, nullptr,
         Cond::Frozen | Cond::Blind | Cond::Shocked | Cond::Poisoned | Cond::Charmed},
        {69, 12, 100, 501, 1000, 0},
        {70, 4, 100, 10, 10, 0},
        {71, 1, 100, 5, 5, 0},
        {72, 0, kNoResist, 0, 0, Cond::Carrot},
        {73, 0, kNoResist, 0, 0, Cond::Fly},
        {74, 0, kNoResist, 0, 0, Cond::Vanished},
        {75, 13, 100, 999, 999, 0},
        {79, 14, 100, 501, 1000, 0},
    };
    return cases;
}

// The moves that work on the monsters or on the party list are checked on
// their own below.
const std::set<int> kOwnTests = {36, 58, 59, 62, 63, 76, 77, 78};

TEST(SpecialMoves, EveryCodeLandsAndIsResisted)
{
    std::set<int> seen = kOwnTests;
    for (const MoveCase& c : Cases()) {
        seen.insert(c.code);
        for (bool resisted : {false, true}) {
            if (resisted && c.stopper == kNoResist)
                continue;
            MoveFixture f;
            if (c.arrange)
                c.arrange(f);
            if (resisted) {
                // Nothing that follows the blow sticks either.
                for (int i = 15; i <= 33; ++i)
                    f.member(1).res[i] = 101;
                f.member(1).conditions = kBeheadingWard;
            }
            if (c.index)
                f.member(1).res[c.index] = static_cast<int16_t>(resisted ? c.stopper : 0);
            const int32_t level = f.member(1).level;
            f.act(c.code);
            const Character& m = f.member(1);
            const std::string what =
                "code " + std::to_string(c.code) + (resisted ? " resisted" : "");
            const std::string said =
                MonsterName(f.state, 1, 1) +
                std::string(MessageText(f.game, FindSpecialMove(c.code)->message));
            EXPECT_TRUE(f.heard(said)) << what;
            if (resisted) {
                EXPECT_EQ(m.hp, 1000) << what;
                EXPECT_EQ(m.conditions & ~kBeheadingWard, 0) << what;
                EXPECT_EQ(m.level, level) << what;
                continue;
            }
            EXPECT_GE(1000 - m.hp, c.lostLo) << what;
            EXPECT_LE(1000 - m.hp, c.lostHi) << what;
            EXPECT_EQ(m.conditions & ~Cond::Dead & ~c.mayAlso, c.condition & ~Cond::Dead) << what;
            EXPECT_EQ((m.conditions & Cond::Dead) != 0, m.hp <= 0) << what;
            if (c.code == 33 || c.code == 34) {
                EXPECT_EQ(m.level, 3) << what;
            }
        }
    }
    for (const SpecialMoveInfo& move : kSpecialMoves)
        EXPECT_TRUE(seen.count(move.code)) << "no case for code " << move.code;
}

// A smile drains only its own sex, and the battle's ward keeps the levels.
TEST(SpecialMoves, SmilesAndHeadTakersRespectSexAndWards)
{
    struct Case {
        int code;
        int16_t sex;
        int32_t ward;
        bool lands;
    } cases[] = {
        {33, 2, 0, false},          {34, 1, 0, false},
        {33, 1, kDrainWard, false}, {50, 1, kBeheadingWard, false},
        {50, 1, kDrainWard, true},
    };
    for (const Case& c : cases) {
        MoveFixture f;
        f.member(1).sex = c.sex;
        f.member(1).level = 5;
        f.member(1).conditions = c.ward;
        f.act(c.code);
        const bool landed = f.member(1).level < 5 || (f.member(1).conditions & Cond::Dead);
        EXPECT_EQ(landed, c.lands) << c.code << " sex " << c.sex;
    }
}

// The blow turned back hurts the monster and may kill it, for the rewards;
// the blow taken in heals the member up to its maximum.
TEST(SpecialMoves, ReflectedAndAbsorbedBlows)
{
    MoveFixture f;
    f.mon().hp = f.mon().maxHp = 4;
    f.member(1).res[9] = -1;
    f.act(41);
    EXPECT_EQ(f.member(1).hp, 1000);
    EXPECT_FALSE(IsLiving(f.mon()));
    EXPECT_EQ(f.state.rewards.kills, 1);
    EXPECT_TRUE(f.heard("M1は攻撃を反射した！！\rMONは\n５のダメージをうけた"));

    MoveFixture g;
    g.member(1).res[1] = 101;
    g.member(1).hp = 997;
    g.act(52); // ten blows of 5, each taken in
    EXPECT_EQ(g.member(1).hp, 1000);
    EXPECT_TRUE(g.heard("M1は攻撃を吸収した！\rM1は\n５ポイント回復した"));

    // The ten-hit combo stops once the monster has fallen to its own blows.
    MoveFixture h;
    h.mon().hp = h.mon().maxHp = 12;
    h.member(1).res[1] = -1;
    h.act(52);
    int reflected = 0;
    for (const std::string& l : h.transcript.lines)
        reflected += Contains(l, "反射") ? 1 : 0;
    EXPECT_EQ(reflected, 3);
}

TEST(SpecialMoves, MovesOnTheMonsters)
{
    MoveFixture f;
    f.place(2, BattleFixture::Brute("OTHER"), 3);
    f.mon().hp = 1;
    f.mon().maxHp = 40;
    f.act(63);
    EXPECT_EQ(f.mon().hp, 40);
    f.act(36);
    EXPECT_NE(f.mon().conditions & Cond::Hidden, 0);
    f.act(62);
    for (int g = 1; g <= 2; ++g)
        for (int s = 1; s <= kGroupSlots; ++s)
            EXPECT_FALSE(IsLiving(f.state.monsters[g][s]));
    EXPECT_EQ(f.state.rewards.kills, 0);

    // The body blow and the self-destruction end the monster, for nothing.
    for (int code : {24, 25}) {
        MoveFixture g;
        g.mon().hp = 1;
        g.act(code);
        EXPECT_FALSE(IsLiving(g.mon())) << code;
        EXPECT_EQ(g.state.rewards.exp, 0) << code;
        EXPECT_EQ(g.member(1).hp, 999) << code;
    }
}

} // namespace
} // namespace qvr::test
