#include "battle/command_input.h"

#include <gtest/gtest.h>

#include "tests/battle/battle_fixture.h"

namespace qvr::test {

namespace {

std::string Letters(const std::vector<CommandRow>& rows)
{
    std::string s;
    for (const CommandRow& r : rows)
        s += r.key;
    return s;
}

} // namespace

// Which commands a member is offered: class, race, row, conditions, weapon.
TEST(CommandList, FitsClassRowAndCondition)
{
    struct Case {
        const char* what;
        int16_t classCode;
        int pos;
        int32_t conditions;
        int weaponReach; // 0: no weapon
        int level;
        bool dragon;
        bool knowsSpell;
        const char* letters;
    };
    const Case cases[] = {
        {"front fighter leads", Class::Fighter, 1, 0, 0, 1, false, false, "FPURTEO"},
        {"front fighter behind", Class::Fighter, 2, 0, 0, 1, false, false, "FPURTB"},
        {"back row, short weapon", Class::Fighter, 4, 0, 1, 1, false, false, "PURTB"},
        {"back row, long weapon", Class::Fighter, 4, 0, 2, 1, false, false, "FPURTB"},
        {"a fly never fights", Class::Fighter, 2, Cond::Fly, 3, 1, false, false, "PURTB"},
        {"thief hides", Class::Thief, 2, 0, 0, 1, false, false, "FPHURTB"},
        {"hidden thief 11 ambushes only", Class::Thief, 2, Cond::Hidden, 0, 11, false, false,
         "APHURTB"},
        {"hidden thief 12 steals", Class::Thief, 2, Cond::Hidden, 0, 12, false, false, "AKPHURTB"},
        {"dragon breathes", Class::Fighter, 2, 0, 0, 1, true, false, "FPIURTB"},
        {"wizard casts", Class::Wizard, 3, 0, 0, 1, false, true, "FPSURTB"},
        {"cleric dispels", Class::Cleric, 2, 0, 0, 1, false, false, "FPDURTB"},
        {"lord 9 does not dispel", Class::Lord, 2, 0, 0, 9, false, false, "FPURTB"},
        {"lord 10 dispels", Class::Lord, 2, 0, 0, 10, false, false, "FPDURTB"},
    };
    for (const Case& c : cases) {
        BattleFixture f(1, std::vector<int16_t>(6, Class::Fighter));
        Character& m = f.member(c.pos);
        m.classCode = c.classCode;
        m.conditions = c.conditions;
        m.level = c.level;
        m.race = c.dragon ? Race::Dragon : Race::Human;
        if (c.knowsSpell)
            m.spellKnown(0, 1, 2) = 1;
        if (c.weaponReach)
            f.arm(c.pos).reach = static_cast<int16_t>(c.weaponReach);
        EXPECT_EQ(Letters(MemberCommands(f.game, c.pos)), c.letters) << c.what;
    }
}

TEST(CommandList, RowTextsAndTheFinishedList)
{
    BattleFixture f(1, {Class::Fighter, Class::Fighter});
    const auto rows = MemberCommands(f.game, 1);
    EXPECT_EQ(rows.front().text, "F)戦　う");
    EXPECT_EQ(rows[rows.size() - 2].text, "E)再　編　成");
    EXPECT_EQ(rows.back().text, "O)ノ　ー　マ　ル　オ　ー　ト");

    // Members who cannot act are passed over, forward and back.
    f.member(2).conditions = Cond::Asleep;
    f.state.promptSlot = 2;
    auto done = PromptMember(f.game, f.state, 1);
    EXPECT_EQ(Letters(done), "GBC");
    EXPECT_EQ(done.back().text, "C)や　り　直　す");
    f.state.promptSlot = 2;
    PromptMember(f.game, f.state, 2);
    EXPECT_EQ(f.state.promptSlot, 1);
}

// "B)" from the first member who can act finds nobody able before it: that
// member is asked again, and the round is not offered before any order.
TEST(CommandList, GoingBackFromTheFirstAbleMemberAsksItAgain)
{
    BattleFixture f(1, {Class::Fighter, Class::Fighter, Class::Fighter});
    f.member(1).conditions = Cond::Asleep;
    f.member(2).conditions = Cond::Paralysed;
    f.state.promptSlot = 1;
    PromptMember(f.game, f.state, 1);
    ASSERT_EQ(f.state.promptSlot, 3);
    --f.state.promptSlot; // what "B)" does before asking
    const auto rows = PromptMember(f.game, f.state, 2);
    EXPECT_EQ(f.state.promptSlot, 3);
    EXPECT_EQ(rows.front().text, "F)戦　う");
    EXPECT_EQ(rows.back().text, "B)戻　る");
}

// A blow reaches the first two lines; further ones need a long weapon, longer
// still from the back row.
TEST(CommandInput, ReachOfABlow)
{
    struct Case {
        int pos, reach, line;
        bool reaches;
    };
    const Case cases[] = {{1, 0, 1, true}, {1, 1, 2, false}, {1, 2, 2, true},
                          {4, 2, 1, true}, {4, 2, 2, false}, {4, 3, 3, true}};
    for (const Case& c : cases) {
        BattleFixture f(1, std::vector<int16_t>(6, Class::Fighter));
        if (c.reach)
            f.arm(c.pos).reach = static_cast<int16_t>(c.reach);
        EXPECT_EQ(ReachesLine(f.game, c.pos, c.line), c.reaches)
            << c.pos << " " << c.reach << " " << c.line;
    }
}

TEST(CommandInput, SpellsAndItemsBecomeOrders)
{
    BattleFixture f(1, {Class::Bard, Class::Fighter});
    SpellDef& fire = f.content->spells[7];
    fire.spellNo = 31;
    fire.name = "HALITO";
    fire.targetKind = 2;
    f.content->spells[9].spellNo = 44;
    f.content->spells[9].targetKind = 4;

    // The name is upper-cased before the lookup; an unknown one is still an order.
    EXPECT_EQ(TypeSpell(f.game, f.state, "halito"), "HALITO");
    EXPECT_EQ(f.state.orders[1].code, Order::Spell);
    EXPECT_EQ(f.state.orders[1].spell, 7);
    EXPECT_EQ(TargetOfSpell(f.game, 7), SpellTarget::Group);
    TypeSpell(f.game, f.state, "nothing");
    EXPECT_EQ(f.state.orders[1].spell, 0);
    EXPECT_EQ(TargetOfSpell(f.game, 0), SpellTarget::None);

    // Only spell items are usable; an unidentified one shows its unknown
    // name; bard instruments only for a bard.
    auto item = [&](int no, int16_t spell, int16_t kind) {
        ItemDef& d = f.content->items[no];
        d.itemNo = static_cast<int16_t>(no);
        d.name = "TRUE" + std::to_string(no);
        d.unknownName = "UNKNOWN" + std::to_string(no);
        d.castSpell = spell;
        d.kind = kind;
    };
    item(10, 44, 3);
    item(11, 0, 3);
    item(12, 31, 9);
    for (int pos : {1, 2})
        for (int s = 1; s <= 3; ++s) {
            f.member(pos).items[s] = static_cast<int16_t>(9 + s);
            f.member(pos).itemFlags[s] = s == 1 ? ItemFlag::Unidentified : 0;
        }
    auto bard = UsableItems(f.game, 1);
    ASSERT_EQ(bard.size(), 2u);
    EXPECT_EQ(bard[0].name, "UNKNOWN10");
    EXPECT_EQ(bard[1].name, "TRUE12");
    EXPECT_EQ(UsableItems(f.game, 2).size(), 1u);

    ChooseItem(f.game, f.state, 10);
    EXPECT_EQ(f.state.orders[1].code, Order::Item);
    EXPECT_EQ(f.state.orders[1].item, 10);
    EXPECT_EQ(f.state.orders[1].spell, 9);
}

TEST(CommandInput, NormalAutoOrdersTheWholeParty)
{
    BattleFixture f(1, std::vector<int16_t>(5, Class::Fighter));
    f.place(3, BattleFixture::Brute());
    f.place(2, BattleFixture::Brute());
    f.member(2).conditions = Cond::Fly;
    f.member(3).conditions = Cond::Asleep;
    f.arm(5).reach = 2;
    NormalAuto(f.game, f.state);
    const int first = f.state.listedGroups.front();
    const int32_t codes[] = {Order::Fight, Order::Defend, Order::None, Order::Defend, Order::Fight};
    for (int p = 1; p <= 5; ++p)
        EXPECT_EQ(f.state.orders[p].code, codes[p - 1]) << p;
    EXPECT_EQ(f.state.orders[1].target, first);
    EXPECT_EQ(f.state.orders[5].target, first);
    EXPECT_TRUE(AllOrdersIn(f.game, f.state));
}

} // namespace qvr::test
