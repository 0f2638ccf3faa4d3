// The simulated player's orders: each situation of the field against the
// order a careful player gives in it, and flight once the fight is lost.

#include <gtest/gtest.h>

#include "battle/command_input.h"
#include "battle/sim_policy.h"
#include "battle_fixture.h"

namespace qvr::test {
namespace {

enum Spell { Bolt = 1, Sleep, Blaze, Ward, Heal, Escape };

void Define(Content& content, int no, int school, int level, int slot, int effect, int target)
{
    SpellDef& s = content.spells[no];
    s.spellNo = static_cast<int16_t>(no);
    s.name = "S" + std::to_string(no);
    s.school = static_cast<int16_t>(school);
    s.level = static_cast<int16_t>(level);
    s.slot = static_cast<int16_t>(slot);
    s.effect = static_cast<int16_t>(effect);
    s.targetKind = static_cast<int16_t>(target);
    s.flags = SpellFlag::Battle;
    s.dice = {1, 6, 0};
}

// Three fighters in front, a thief, a priest and a wizard behind, each knowing the spells
// `known` with a point for each.
struct PolicyField : BattleFixture {
    explicit PolicyField(std::initializer_list<int> known)
        : BattleFixture(1, {Class::Fighter, Class::Fighter, Class::Fighter, Class::Thief,
                            Class::Cleric, Class::Wizard})
    {
        Define(*content, Bolt, 0, 1, 1, 2, 1);
        Define(*content, Sleep, 0, 1, 2, 15, 2);
        Define(*content, Blaze, 0, 2, 1, 2, 2);
        Define(*content, Ward, 0, 2, 2, 46, 0);
        Define(*content, Heal, 1, 1, 1, 7, 4);
        Define(*content, Escape, 1, 2, 1, 58, 0);
        arm(1);
        for (int n : known) {
            const SpellDef& s = content->spells[n];
            Character& c = member(s.school == 0 ? 6 : 5);
            c.spellKnown(s.school, s.level, s.slot) = 1;
            c.mp(s.school, s.level) = 1;
        }
    }
};

TEST(SimPolicy, TheCasterChoosesByTheField)
{
    struct Case {
        const char* what;
        std::initializer_list<int> known;
        int firstGroup, secondGroup; // members standing in groups 1 and 2
        bool secondSleeps;           // group 2 shrugs off sleep
        bool casters;                // group 1 casts
        int wizardSpell, wizardTarget;
    } cases[] = {
        {"group damage on the larger group", {Bolt, Blaze}, 1, 3, false, false, Blaze, 2},
        {"a bolt when no group stands two", {Bolt, Blaze}, 1, 1, false, false, Bolt, 1},
        {"sleep on three awake", {Bolt, Sleep}, 1, 4, false, false, Sleep, 2},
        {"no sleep on a sleepless group", {Bolt, Sleep}, 1, 4, true, false, Bolt, 1},
        {"a shield against casters", {Bolt, Blaze, Ward}, 2, 2, false, true, Ward, 0},
        {"nothing to waste on a lone monster", {Bolt}, 1, 0, false, false, 0, 0},
    };
    for (const Case& c : cases) {
        PolicyField f(c.known);
        MonsterDef first = BattleFixture::Brute("A");
        if (c.casters)
            first.actions[1] = 2;
        f.place(1, first, c.firstGroup);
        if (c.secondGroup > 0) {
            MonsterDef second = BattleFixture::Brute("B");
            second.res[15] = c.secondSleeps ? 100 : 0;
            f.place(2, second, c.secondGroup);
        }
        SimPlayer player(*f.content);
        EXPECT_EQ(player.giveOrders(f.game, f.state), 0) << c.what;
        const MemberOrder& o = f.state.orders[6];
        EXPECT_EQ(o.spell, c.wizardSpell) << c.what;
        EXPECT_EQ(o.code, c.wizardSpell ? Order::Spell : Order::None) << c.what;
        if (c.wizardSpell && c.wizardTarget) {
            EXPECT_EQ(o.target, c.wizardTarget) << c.what;
        }
        EXPECT_EQ(f.state.orders[1].code, Order::Fight) << c.what;
    }
}

TEST(SimPolicy, ThePriestHealsTheWorstOffAndTheThiefHidesWhenHurt)
{
    PolicyField f({Heal});
    f.arm(4, 2).reach = 2; // the thief reaches from behind
    f.place(1, BattleFixture::Brute(), 2);
    f.member(2).hp = 400; // 40 %
    f.member(3).hp = 300; // 30 %, the worst off
    f.member(4).hp = 300;
    SimPlayer player(*f.content);
    player.giveOrders(f.game, f.state);
    EXPECT_EQ(f.state.orders[5].code, Order::Spell);
    EXPECT_EQ(f.state.orders[5].spell, Heal);
    EXPECT_EQ(f.state.orders[5].target, 3);
    EXPECT_EQ(f.state.orders[4].code, Order::Hide) << "a hurt thief keeps out of reach";
    EXPECT_EQ(f.state.orders[2].code, Order::Fight);

    // Above 45 % nobody is healed; the thief strikes, from hiding once hidden.
    f.member(3).hp = f.member(2).hp = f.member(4).hp = 900;
    player.giveOrders(f.game, f.state);
    EXPECT_EQ(f.state.orders[5].code, Order::None);
    EXPECT_EQ(f.state.orders[4].code, Order::Fight);
    f.member(4).conditions = Cond::Hidden;
    player.giveOrders(f.game, f.state);
    EXPECT_EQ(f.state.orders[4].code, Order::Fight);
}

TEST(SimPolicy, ALostFightIsRunFrom)
{
    // Half the party dead against more monsters than stand: the first who
    // can act leads the flight, unless a spell can carry them off.
    for (bool escapeKnown : {false, true}) {
        PolicyField f(escapeKnown ? std::initializer_list<int>{Escape}
                                  : std::initializer_list<int>{});
        f.place(1, BattleFixture::Brute(), 5);
        for (int pos : {1, 2, 3})
            f.member(pos).conditions = Cond::Dead;
        SimPlayer player(*f.content);
        const int leader = player.giveOrders(f.game, f.state);
        EXPECT_EQ(leader, escapeKnown ? 0 : 4);
        EXPECT_EQ(f.state.orders[5].spell, escapeKnown ? Escape : 0);
        EXPECT_EQ(player.giveOrders(f.game, f.state, false), 0) << "told never to run";
    }
    // With the monsters fewer than those standing, the party fights on.
    PolicyField f({});
    f.place(1, BattleFixture::Brute(), 2);
    for (int pos : {1, 2, 3})
        f.member(pos).conditions = Cond::Dead;
    EXPECT_EQ(SimPlayer(*f.content).giveOrders(f.game, f.state), 0);
}

} // namespace
} // namespace qvr::test
