// One round: who acts in which order, what the orders dispatch to, and the
// upkeep at its end (conditions wearing off, poison, regeneration, wipe-out
// and victory).

#include <gtest/gtest.h>

#include "battle/battle_actions.h"
#include "battle_fixture.h"
#include "core/monster_actions.h"

namespace qvr::test {
namespace {

// The attackers' names in the order their lines came.
std::vector<std::string> Attackers(const std::vector<std::string>& lines)
{
    std::vector<std::string> names;
    for (const std::string& line : lines) {
        const auto at = line.find("の攻撃！！");
        if (at != std::string::npos)
            names.push_back(line.substr(0, at));
    }
    return names;
}

struct OrderCase {
    const char* what;
    int memberInit[2];
    int monsterInit[3]; // group 1 slots 1, 2; group 2 slot 1
    int16_t monsterLuck;
    std::vector<std::string> order;
};

TEST(Round, InitiativeOrderAndTies)
{
    const OrderCase cases[] = {
        {"members first on equal luck", {5, 5}, {5, 0, 0}, 10, {"M1", "M2", "A"}},
        {"a luckier monster first", {5, 5}, {5, 0, 0}, 11, {"A", "M1", "M2"}},
        {"monsters by group then slot", {0, 0}, {0, 7, 7}, 10, {"A", "B"}},
        {"higher initiative first", {3, 9}, {6, 0, 0}, 10, {"M2", "A", "M1"}},
        {"above 50 nobody acts", {51, 0}, {0, 0, 60}, 10, {}},
    };
    for (const OrderCase& c : cases) {
        BattleFixture f(4, {Class::Fighter, Class::Fighter});
        MonsterDef a = BattleFixture::Brute("A");
        a.luck = c.monsterLuck;
        MonsterDef b = BattleFixture::Brute("B");
        b.luck = c.monsterLuck;
        f.place(1, a, 2);
        f.place(2, b, 1);
        for (int p = 1; p <= 2; ++p)
            f.state.orders[p] = {p, Order::Fight, 1, 0, c.memberInit[p - 1], 0};
        f.state.monsters[1][1].initiative = static_cast<int16_t>(c.monsterInit[0]);
        f.state.monsters[1][2].initiative = static_cast<int16_t>(c.monsterInit[1]);
        f.state.monsters[2][1].initiative = static_cast<int16_t>(c.monsterInit[2]);
        RunRound(f.game, f.state);
        EXPECT_EQ(Attackers(f.said()), c.order) << c.what;
        EXPECT_EQ(f.game.state.roundCount, 1);
    }
}

TEST(Round, MonsterActionCodesWithoutMeaningDoNothing)
{
    for (int16_t code : {0, 61, 80, 100, -3}) {
        BattleFixture f;
        MonsterDef m = BattleFixture::Brute("A");
        for (int k = 1; k <= 20; ++k)
            m.actions[k] = code;
        f.place(1, m);
        f.state.monsters[1][1].initiative = 5;
        RunRound(f.game, f.state);
        EXPECT_TRUE(f.said().empty()) << code;
        EXPECT_EQ(f.member(1).hp, 1000);
    }
}

// Records what reached the dispatch point for the later rules.
struct RecordingActions : BattleActions {
    void castPartySpell(Game&, BattleState&, int pos) override
    {
        calls.push_back("spell" + std::to_string(pos));
    }
    void hide(Game&, BattleState&, int pos) override
    {
        calls.push_back("hide" + std::to_string(pos));
    }
    void castMonsterSpell(Game&, BattleState&, int school, int level) override
    {
        calls.push_back("monster spell " + std::to_string(school) + "/" + std::to_string(level));
    }
    void monsterBreath(Game&, BattleState&, int kind) override
    {
        calls.push_back("breath " + std::to_string(kind));
    }
    void specialMove(Game&, BattleState&, int code) override
    {
        calls.push_back("move " + std::to_string(code));
    }
    std::vector<std::string> calls;
};

// One round of member 1 on `order` against a monster that always does `code`.
std::vector<std::string> RecordedCalls(int32_t order, int16_t code)
{
    BattleFixture f;
    RecordingActions actions;
    f.state.actions = &actions;
    MonsterDef m = BattleFixture::Brute("A");
    for (int k = 1; k <= 20; ++k)
        m.actions[k] = code;
    f.place(1, m);
    f.state.orders[1] = {1, order, 1, 0, 9, 0};
    f.state.monsters[1][1].initiative = 5;
    RunRound(f.game, f.state);
    return actions.calls;
}

TEST(Round, OrdersAndMonsterCodesReachTheDispatchPoint)
{
    struct Case {
        int32_t order;
        int16_t monsterCode;
        std::vector<std::string> calls;
    };
    const Case cases[] = {
        {Order::Spell, 0, {"spell1"}},
        {Order::Item, 0, {"spell1"}},
        {Order::Hide, 0, {"hide1"}},
        {Order::Defend, 4, {"monster spell 0/3"}},
        {Order::Defend, 12, {"monster spell 1/2"}},
        {Order::Defend, 28, {"breath 9"}},
        {Order::Defend, 47, {"move 47"}},
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecordedCalls(c.order, c.monsterCode), c.calls)
            << c.order << "/" << c.monsterCode;
}

// Every special move of the table reaches the dispatch point from a round.
TEST(Round, EverySpecialMoveCodeReachesItsHandler)
{
    for (const SpecialMoveInfo& move : kSpecialMoves)
        EXPECT_EQ(RecordedCalls(Order::None, move.code),
                  std::vector<std::string>{"move " + std::to_string(move.code)});
}

// A spell that does not work in battle (here an empty entry of the table)
// is cast, and nothing comes of it.
TEST(Round, ASpellThatDoesNotWorkInBattleDoesNothing)
{
    BattleFixture f;
    f.place(1, BattleFixture::Brute("A"));
    f.state.orders[1] = {1, Order::Spell, 1, 5, 9, 0};
    RunRound(f.game, f.state);
    const auto lines = f.said();
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "M1は\nの呪文を唱えた\rしかし何もおこらなかった");
    EXPECT_EQ(f.state.monsters[1][1].hp, BattleFixture::Brute().hp);
}

TEST(Round, AConfusedMemberWhoOrderedASpellStrikesTheParty)
{
    BattleFixture f(6, {Class::Fighter, Class::Fighter});
    f.place(1, BattleFixture::Brute("A"));
    f.member(1).level = 100;
    int partyHurt = 0;
    for (int i = 0; i < 50; ++i) {
        f.member(1).conditions = Cond::Confused;
        f.member(1).hp = f.member(2).hp = 1000;
        f.state.orders[1] = {1, Order::Spell, 1, 5, 9, 0};
        f.state.end = BattleEnd::Ongoing;
        RunRound(f.game, f.state);
        partyHurt += (f.member(1).hp < 1000 || f.member(2).hp < 1000) ? 1 : 0;
    }
    EXPECT_GT(partyHurt, 30);
    EXPECT_EQ(f.state.monsters[1][1].hp, BattleFixture::Brute().hp);
}

TEST(Round, EndOfRoundUpkeep)
{
    BattleFixture f(2, {Class::Fighter, Class::Fighter, Class::Fighter});
    f.place(1, BattleFixture::Brute("A"));
    f.member(1).conditions = Cond::Poisoned;
    f.member(1).hp = 1;
    f.member(2).regen = 5;
    f.member(2).hp = 998;
    f.member(2).conditions = Cond::Afraid | Cond::Frozen | Cond::Shocked;
    f.member(3).conditions = Cond::Dead | Cond::Poisoned;
    f.member(3).hp = 0;
    f.member(3).regen = 5;
    RunRound(f.game, f.state);
    EXPECT_NE(f.member(1).conditions & Cond::Dead, 0);
    EXPECT_EQ(f.said(), std::vector<std::string>{"M1は\n死んだ・・・"});
    EXPECT_EQ(f.member(2).hp, 1000);
    EXPECT_EQ(f.member(2).conditions, 0);
    EXPECT_EQ(f.member(3).hp, 0);
    EXPECT_EQ(f.state.end, BattleEnd::Ongoing);
    EXPECT_EQ(f.state.orders[2].rosterNo, 2);
}

// Poison takes one point a round after regeneration has given its own (up
// to the maximum), and kills only when nothing is left.
TEST(Round, PoisonCostsOnePointARound)
{
    struct Case {
        int32_t hp, regen, expected;
        bool dies;
    } cases[] = {
        {5, 0, 4, false},      {2, 0, 1, false}, {5, 3, 7, false},
        {1000, 3, 999, false}, {1, 0, 0, true},  {1, 1, 1, false},
    };
    for (const Case& c : cases) {
        BattleFixture f(2, {Class::Fighter, Class::Fighter});
        f.place(1, BattleFixture::Brute("A"));
        f.member(1).conditions = Cond::Poisoned;
        f.member(1).hp = c.hp;
        f.member(1).regen = c.regen;
        RunRound(f.game, f.state);
        EXPECT_EQ(f.member(1).hp, c.expected) << c.hp << " regen " << c.regen;
        EXPECT_EQ((f.member(1).conditions & Cond::Dead) != 0, c.dies) << c.hp;
        EXPECT_NE(f.member(1).conditions & Cond::Poisoned, 0) << "poison stays";
        EXPECT_EQ(f.said().size(), c.dies ? 1u : 0u) << c.hp;
    }
}

TEST(Round, TheRoundEndsTheBattle)
{
    {
        BattleFixture f(1, {Class::Fighter, Class::Fighter});
        f.place(1, BattleFixture::Brute("A"));
        f.member(1).conditions = Cond::Paralysed;
        f.member(2).conditions = Cond::Stoned;
        RunRound(f.game, f.state);
        EXPECT_EQ(f.state.end, BattleEnd::WipedOut);
    }
    {
        BattleFixture f;
        MonsterDef weak = BattleFixture::Brute("A");
        weak.hp = 1;
        f.place(1, weak);
        f.member(1).conditions = Cond::Hidden;
        f.state.orders[1] = {1, Order::Fight, 1, 0, 3, 0};
        RunRound(f.game, f.state);
        EXPECT_EQ(f.state.end, BattleEnd::Victory);
        EXPECT_TRUE(f.state.listedGroups.empty());
    }
    {
        BattleFixture f;
        f.place(1, BattleFixture::Brute("A"));
        f.game.state.roundCount = kMaxRounds;
        f.state.orders[1] = {1, Order::Fight, 1, 0, 3, 0};
        RunRound(f.game, f.state);
        EXPECT_TRUE(f.said().empty());
        EXPECT_EQ(f.game.state.roundCount, kMaxRounds);
    }
}

TEST(Round, LeavingClearsBattleConditionsAndDropsTheVanished)
{
    BattleFixture f(1, {Class::Fighter, Class::Fighter, Class::Fighter});
    f.member(1).conditions = Cond::Asleep | Cond::Hidden | kBeheadingWard | Cond::Poisoned;
    f.member(1).ac = 2;
    f.member(2).conditions = Cond::Vanished;
    f.game.state.partyEffects = PartyEffect::Armour3;
    LeaveBattle(f.game, f.state);
    EXPECT_EQ(f.game.character(1).conditions, Cond::Poisoned);
    EXPECT_EQ(f.game.character(1).ac, 7);
    EXPECT_EQ(f.game.character(2).rosterNo, 0);
    EXPECT_EQ(f.game.state.partyCount, 2);
    EXPECT_EQ(f.game.state.partyMember[2], 3);
    EXPECT_EQ(f.game.character(3).position, 2);
}

} // namespace
} // namespace qvr::test
