// Spells in battle, both ways: each effect code's arithmetic in one table,
// the casting procedure's refusals, and the handler table against the
// vocabulary of effect codes. Luck below 17 and resistances of 0 leave the
// dodge and the d100s nothing to decide, so the cases need no seed.

#include <gtest/gtest.h>

#include <functional>

#include "battle/spell_rules.h"
#include "battle_fixture.h"
#include "core/spell_effects.h"

namespace qvr::test {
namespace {

constexpr int kSpell = 5;

// A wizard at position 1 casting spell 5 of the content, a fighter at 2;
// group 1 holds three monsters of 100 hit points, group 2 one.
struct SpellFixture : BattleFixture {
    SpellFixture() : BattleFixture(3, {Class::Wizard, Class::Fighter})
    {
        MonsterDef m = Brute("MON");
        m.hp = m.maxHp = 100;
        m.luck = 1;
        place(1, m, 3);
        place(2, m, 1);
        SpellDef& s = spell();
        s.spellNo = kSpell;
        s.name = "TESTA";
        s.school = 0;
        s.level = 1;
        s.slot = 1;
        s.flags = SpellFlag::Battle | SpellFlag::Monster;
        s.dice = {0, 0, 12};
        member(1).spellKnown(0, 1, 1) = 1;
        member(1).mp(0, 1) = 5;
        for (int p = 1; p <= 2; ++p)
            member(p).hp = 500;
    }
    SpellDef& spell() { return content->spells[kSpell]; }
    MonsterSlot& mon(int g, int s) { return state.monsters[g][s]; }

    void cast(int target, int32_t code = Order::Spell)
    {
        state.orders[1].code = code;
        state.orders[1].spell = kSpell;
        state.orders[1].target = target;
        CastPartySpell(game, state, 1);
    }
    void monsterCasts(int g = 1, int s = 1)
    {
        state.actingGroup = g;
        state.actingMonster = s;
        CastMonsterSpell(game, state, 0, 1);
    }
    bool heard(const std::string& part)
    {
        for (const std::string& l : transcript.lines)
            if (Contains(l, part))
                return true;
        return false;
    }
};

struct Case {
    const char* what;
    int16_t effect;
    int16_t targetKind;
    int target; // a group or a roster number
    bool byMonster;
    std::function<void(SpellFixture&)> setup;
    std::function<bool(SpellFixture&)> outcome;
    const char* said;
};

TEST(BattleSpells, EachEffectCodeDoesWhatItsRowSays)
{
    using F = SpellFixture;
    const Case cases[] = {
        {"damage, one monster",
         2,
         1,
         1,
         false,
         {},
         [](F& f) { return f.mon(1, 1).hp == 88 && f.mon(1, 2).hp == 100; },
         "MONは\n１２のダメージをうけた"},
        {"damage, a group",
         2,
         2,
         1,
         false,
         {},
         [](F& f) { return f.mon(1, 3).hp == 88 && f.mon(2, 1).hp == 100; },
         "のダメージをうけた"},
        {"damage, every group",
         2,
         0,
         0,
         false,
         {},
         [](F& f) { return f.mon(1, 2).hp == 88 && f.mon(2, 1).hp == 88; },
         "のダメージをうけた"},
        {"two shield levels keep 60 %", 2, 1, 1, false,
         [](F& f) { f.state.monsterShield.magic = 2; }, [](F& f) { return f.mon(1, 1).hp == 93; },
         "７のダメージをうけた"},
        {"absorbed past 100", 2, 1, 1, false,
         [](F& f) {
             f.mon(1, 1).res[2] = 101;
             f.mon(1, 1).hp = 95;
         },
         [](F& f) { return f.mon(1, 1).hp == 100; }, "は\n呪文を吸収した！"},
        {"reflected below 0", 2, 1, 1, false,
         [](F& f) {
             f.spell().element = 4;
             f.mon(1, 1).res[4] = -1;
         },
         [](F& f) { return f.mon(1, 1).hp == 100 && f.member(1).hp == 488; },
         "は\n呪文を反射した！\rM1は\n１２のダメージをうけた"},
        {"a kill pays", 2, 1, 1, false, [](F& f) { f.mon(1, 1).hp = 12; },
         [](F& f) { return f.mon(1, 1).conditions == kEmptySlot && f.state.rewards.kills == 1; },
         "MONは\n死んだ・・・"},
        {"element 0 is no element", 2, 1, 1, false, [](F& f) { f.mon(1, 1).res[0] = 100; },
         [](F& f) { return f.mon(1, 1).hp == 88; }, "のダメージをうけた"},
        {"armour up on a group", 4, 2, 1, false,
         [](F& f) {
             f.spell().dice = {3, 0, 0};
         },
         [](F& f) { return f.mon(1, 1).ac == 3 && f.mon(1, 3).ac == 3; }, "は\nＡＣが３上がった"},
        {"armour down on a member", 5, 4, 2, false,
         [](F& f) {
             f.spell().dice = {4, 0, 0};
         },
         [](F& f) { return f.member(2).ac == 6; }, "M2は\nＡＣが下がった"},
        {"heal",
         7,
         4,
         2,
         false,
         {},
         [](F& f) { return f.member(2).hp == 512; },
         "M2は\n１２ポイント回復した"},
        {"heal to the top", 52, 4, 2, false, [](F& f) { f.member(2).hp = 995; },
         [](F& f) { return f.member(2).hp == 1000; }, "M2は\n全快した"},
        {"full heal cures", 53, 4, 2, false, [](F& f) { f.member(2).conditions = Cond::Poisoned; },
         [](F& f) { return f.member(2).hp == 1000 && f.member(2).conditions == 0; }, "全快した"},
        {"no healing for the sick", 7, 4, 2, false,
         [](F& f) { f.member(2).conditions = Cond::Sick; },
         [](F& f) { return f.member(2).hp == 500; }, "病気なので回復できない"},
        {"no healing for the dead", 7, 4, 2, false,
         [](F& f) { f.member(2).conditions = Cond::Dead; },
         [](F& f) { return f.member(2).hp == 500; }, "しかし何もおこらなかった"},
        {"an angel turns help away", 7, 4, 2, false, [](F& f) { f.member(2).race = Race::Angel; },
         [](F& f) { return f.member(2).hp == 500; }, "M2は\n呪文を無効化した"},
        {"a raising that burns", 1, 4, 2, false,
         [](F& f) {
             f.member(2).conditions = Cond::Dead;
             f.member(2).vitality = 1;
         },
         [](F& f) { return f.member(2).conditions == Cond::Ashes; }, "M2は\n灰燼と化した！！"},
        {"the living are not raised",
         1,
         4,
         2,
         false,
         {},
         [](F& f) { return f.member(2).conditions == 0; },
         "しかし何もおこらなかった"},
        {"ashes lost to the greater raising", 9, 4, 2, false,
         [](F& f) {
             f.member(2).conditions = Cond::Ashes;
             f.member(2).vitality = 1;
         },
         [](F& f) { return f.member(2).conditions == (Cond::Dead | Cond::Vanished); },
         "M2は\n消滅した！！"},
        {"paralysis cured", 10, 4, 2, false, [](F& f) { f.member(2).conditions = Cond::Paralysed; },
         [](F& f) { return f.member(2).conditions == 0; }, "M2は\n回復した"},
        {"poison cured", 43, 4, 2, false,
         [](F& f) { f.member(2).conditions = Cond::Poisoned | Cond::Blind; },
         [](F& f) { return f.member(2).conditions == Cond::Blind; }, "回復した"},
        {"the mind cleared", 60, 4, 2, false,
         [](F& f) { f.member(2).conditions = Cond::Blind | Cond::Confused | Cond::Poisoned; },
         [](F& f) { return f.member(2).conditions == Cond::Poisoned; }, "回復した"},
        {"identified for good", 11, 2, 2, false,
         [](F& f) {
             for (int s = 0; s <= kGroupSlots; ++s)
                 f.mon(2, s).identified = 0;
         },
         [](F& f) {
             return f.mon(2, 0).identified == -1 && f.mon(2, 9).identified == -1 &&
                    (f.game.state.partyEffects & PartyEffect::Identify);
         },
         "の呪文を唱えた"},
        {"sleep on a group",
         15,
         2,
         1,
         false,
         {},
         [](F& f) {
             return (f.mon(1, 1).conditions & Cond::Asleep) &&
                    (f.mon(1, 3).conditions & Cond::Asleep);
         },
         "MONは\n眠らされた"},
        {"a sleep resisted by its own index", 15, 2, 1, false,
         [](F& f) {
             for (int s = 1; s <= 3; ++s)
                 f.mon(1, s).res[15] = 100;
         },
         [](F& f) { return !(f.mon(1, 1).conditions & Cond::Asleep); }, "の呪文を唱えた"},
        {"fear",
         17,
         2,
         1,
         false,
         {},
         [](F& f) { return (f.mon(1, 2).conditions & Cond::Afraid) != 0; },
         "恐怖に犯された"},
        {"confusion",
         18,
         2,
         1,
         false,
         {},
         [](F& f) { return (f.mon(1, 2).conditions & Cond::Confused) != 0; },
         "混乱した"},
        {"charm",
         21,
         2,
         1,
         false,
         {},
         [](F& f) { return (f.mon(1, 2).conditions & Cond::Charmed) != 0; },
         "魅了された"},
        {"silence",
         23,
         2,
         1,
         false,
         {},
         [](F& f) { return (f.mon(1, 2).conditions & Cond::Silenced) != 0; },
         "沈黙した"},
        {"blindness",
         24,
         2,
         1,
         false,
         {},
         [](F& f) { return (f.mon(1, 2).conditions & Cond::Blind) != 0; },
         "目が見えなくなった"},
        {"death pays",
         33,
         2,
         2,
         false,
         {},
         [](F& f) { return f.mon(2, 1).conditions == kEmptySlot && f.state.rewards.kills == 1; },
         "MONは\nロストした！！！"},
        {"magic shield",
         46,
         0,
         0,
         false,
         {},
         [](F& f) { return f.state.partyShield.magic == 1; },
         "パーティーに魔法のシールドが張られた"},
        {"no fourth level", 46, 0, 0, false, [](F& f) { f.state.partyShield.magic = 3; },
         [](F& f) { return f.state.partyShield.magic == 3; }, "しかし効果がなかった"},
        {"breath shield",
         47,
         0,
         0,
         false,
         {},
         [](F& f) { return f.state.partyShield.breath == 1; },
         "パーティーにブレスのシールドが張られた"},
        {"the monsters' shields fall", 48, 0, 0, false,
         [](F& f) {
             f.state.monsterShield = {2, 3, 1};
         },
         [](F& f) { return f.state.monsterShield.magic == 0 && f.state.monsterShield.breath == 0; },
         "モンスターのシールドを打ち消した"},
        {"drain",
         50,
         1,
         1,
         false,
         {},
         [](F& f) { return f.mon(1, 1).hp == 88 && f.member(1).hp == 512; },
         "M1は\n１２ポイント回復した"},
        {"an angel cannot drink", 50, 1, 1, false, [](F& f) { f.member(1).race = Race::Angel; },
         [](F& f) { return f.mon(1, 1).hp == 88 && f.member(1).hp == 500; }, "吸収できなかった"},
        {"no banishing the equal",
         51,
         2,
         2,
         false,
         {},
         [](F& f) { return f.mon(2, 1).conditions == 0; },
         "を\n退魔できなかった"},
        {"escape", 58, 0, 0, false,
         [](F& f) {
             f.game.state.prevX = 7;
             f.game.state.prevY = 8;
         },
         [](F& f) {
             return f.state.end == BattleEnd::Escaped && f.game.state.posX == 7 &&
                    f.game.state.posY == 8;
         },
         "の呪文を唱えた"},
        {"a ward against the blade",
         61,
         4,
         2,
         false,
         {},
         [](F& f) { return (f.member(2).conditions & kBeheadingWard) != 0; },
         "M2は\n守られた"},
        {"a ward against draining",
         62,
         4,
         2,
         false,
         {},
         [](F& f) { return (f.member(2).conditions & kDrainWard) != 0; },
         "守られた"},
        {"death's door",
         63,
         2,
         1,
         false,
         {},
         [](F& f) { return f.mon(1, 1).hp == 1 && f.mon(1, 3).hp == 1; },
         "瀕死状態におちいった"},
        // The monsters' side.
        {"a monster's damage on everyone", 2, 2, 0, true,
         [](F& f) { f.state.partyShield.magic = 1; },
         [](F& f) { return f.member(1).hp == 491 && f.member(2).hp == 491; },
         "M2は\n９のダメージをうけた"},
        {"a member reflects it", 2, 2, 0, true, [](F& f) { f.member(2).res[2] = -5; },
         [](F& f) { return f.member(2).hp == 500 && f.mon(1, 1).hp == 88; },
         "M2は\n呪文を反射した！"},
        // Turned back on its caster, the spell kills a monster like any wound
        // below 1, but nobody earns its death.
        {"a member's reflection kills the caster", 2, 2, 0, true,
         [](F& f) {
             f.member(2).res[2] = -5;
             f.mon(1, 1).hp = 12;
         },
         [](F& f) {
             return (f.mon(1, 1).conditions & Cond::Dead) && f.mon(1, 1).hp == 0 &&
                    f.state.rewards.kills == 0 && f.state.rewards.exp == 0;
         },
         "MONは\n死んだ・・・"},
        {"a member absorbs it", 2, 2, 0, true, [](F& f) { f.member(1).res[2] = 150; },
         [](F& f) { return f.member(1).hp == 512 && f.member(2).hp == 488; },
         "M1は\n呪文を吸収した！"},
        {"a monster's death spell",
         33,
         2,
         0,
         true,
         {},
         [](F& f) { return (f.member(1).conditions & Cond::Dead) && f.member(1).hp == 0; },
         "M1は\nロストした！！！"},
        {"the party's armour worsened", 4, 2, 0, true,
         [](F& f) {
             f.spell().dice = {2, 0, 0};
         },
         [](F& f) { return f.member(1).ac == 12 && f.member(2).ac == 12; }, "ＡＣが２上がった"},
        {"the monsters' armour bettered", 5, 0, 0, true,
         [](F& f) {
             f.spell().dice = {2, 0, 0};
         },
         [](F& f) { return f.mon(1, 2).ac == -2 && f.mon(2, 1).ac == 0; }, "ＡＣが下がった"},
        {"monsters heal their own", 7, 0, 0, true, [](F& f) { f.mon(1, 2).hp = 50; },
         [](F& f) { return f.mon(1, 2).hp == 62; }, "MONは\n１２ポイント回復した"},
        {"a monsters' breath shield",
         47,
         0,
         0,
         true,
         {},
         [](F& f) { return f.state.monsterShield.breath == 1; },
         "モンスターにブレスのシールドが張られた"},
        {"the party's shields fall", 48, 0, 0, true, [](F& f) { f.state.partyShield.magic = 2; },
         [](F& f) { return f.state.partyShield.magic == 0; },
         "パーティーの魔法のシールドを打ち消した"},
        {"a monster's sleep on the party", 15, 2, 0, true, {},
         [](F& f) { return (f.member(1).conditions & Cond::Asleep) && (f.member(2).conditions & Cond::Asleep); },
         "M2は\n眠らされた"},
        {"a monsters' magic shield", 46, 0, 0, true, {},
         [](F& f) { return f.state.monsterShield.magic == 1; }, "モンスターに魔法のシールドが張られた"},
        {"monsters heal their own fully", 53, 0, 0, true,
         [](F& f) {
             f.mon(1, 3).hp = 5;
             f.mon(1, 3).conditions = Cond::Poisoned;
         },
         [](F& f) { return f.mon(1, 3).hp == 100; }, "MONは\n全快した"},
        {"a silenced monster", 2, 2, 0, true, [](F& f) { f.mon(1, 1).conditions = Cond::Silenced; },
         [](F& f) { return f.member(1).hp == 500; }, "しかし呪文は音にならなかった"},
    };
    for (const Case& c : cases) {
        SpellFixture f;
        f.spell().effect = c.effect;
        f.spell().targetKind = c.targetKind;
        if (c.setup)
            c.setup(f);
        if (c.byMonster)
            f.monsterCasts();
        else
            f.cast(c.target);
        EXPECT_TRUE(c.outcome(f)) << c.what;
        EXPECT_TRUE(f.heard(c.said))
            << c.what << ": " << ::testing::PrintToString(f.transcript.lines);
    }
}

// Wild magic and the blessing pick their outcome with a d10: over many casts
// every outcome shows, each with its own words.
TEST(BattleSpells, WildMagicAndTheBlessingReachEveryOutcome)
{
    struct Outcomes {
        int16_t effect;
        int16_t targetKind;
        std::vector<const char*> texts;
    };
    const Outcomes all[] = {
        {55,
         1,
         {"は\n眠らされた", "は\n混乱した", "は\n目が見えなくなった", "は\n沈黙した",
          "は逃げた・・・", "は\n全快した", "のダメージをうけた", "は\nロストした！！！",
          "何の変化も無い"}},
        {56,
         0,
         {"パーティーは全快した", "パーティーの魔力が復活した", "パーティーは治癒した",
          "モンスターは沈黙した", "モンスターは混乱した", "MONは\n死んだ・・・", "何の変化も無い"}},
    };
    for (const Outcomes& o : all) {
        std::vector<std::string> heard;
        for (uint64_t seed = 1; seed <= 300; ++seed) {
            SpellFixture f;
            f.game.rng = Rng(seed);
            f.spell().effect = o.effect;
            f.spell().targetKind = o.targetKind;
            f.member(1).strength = 3;
            f.cast(1);
            for (const std::string& line : f.transcript.lines)
                heard.push_back(line);
        }
        for (const char* text : o.texts) {
            bool found = false;
            for (const std::string& line : heard)
                found = found || Contains(line, text);
            EXPECT_TRUE(found) << o.effect << ": " << text;
        }
    }
}

TEST(BattleSpells, TheCastingItselfRefusesAndSpends)
{
    struct Refusal {
        const char* what;
        std::function<void(SpellFixture&)> setup;
        int32_t code;
        int16_t mpAfter;
        const char* said;
    };
    const Refusal cases[] = {
        {"an unknown name", [](SpellFixture& f) { f.state.orders[1].spell = 0; }, Order::Spell, 5,
         "M1は呪文に失敗した"},
        {"silenced", [](SpellFixture& f) { f.member(1).conditions = Cond::Silenced; }, Order::Spell,
         5, "しかし呪文は音にならなかった"},
        {"not a battle spell", [](SpellFixture& f) { f.spell().flags = SpellFlag::Camp; },
         Order::Spell, 5, "しかし何もおこらなかった"},
        {"not known", [](SpellFixture& f) { f.member(1).spellKnown(0, 1, 1) = 0; }, Order::Spell, 5,
         "M1には\rＴＥＳＴＡを唱える魔力がなかった"},
        {"no points", [](SpellFixture& f) { f.member(1).mp(0, 1) = 0; }, Order::Spell, 0,
         "を唱える魔力がなかった"},
        {"cast",
         {},
         Order::Spell,
         4,
         "M1は\nＴＥＳＴＡの呪文を唱えた\rMONは\n１２のダメージをうけた"},
        {"an item ignores silence and points",
         [](SpellFixture& f) { f.member(1).conditions = Cond::Silenced; }, Order::Item, 5,
         "のダメージをうけた"},
    };
    for (const Refusal& c : cases) {
        SpellFixture f;
        f.spell().effect = 2;
        f.spell().targetKind = 1;
        f.state.orders[1] = {1, c.code, 1, kSpell, 0, 0};
        if (c.setup)
            c.setup(f);
        CastPartySpell(f.game, f.state, 1);
        EXPECT_EQ(f.member(1).mp(0, 1), c.mpAfter) << c.what;
        EXPECT_TRUE(f.heard(c.said))
            << c.what << ": " << ::testing::PrintToString(f.transcript.lines);
    }
}

TEST(BattleSpells, AnItemWearsIntoItsSuccessor)
{
    SpellFixture f;
    f.spell().effect = 2;
    f.spell().targetKind = 1;
    ItemDef& wand = f.content->items[30];
    wand.itemNo = 30;
    wand.castSpell = kSpell;
    wand.wearOut = 101; // always
    wand.wearsInto = 31;
    f.member(1).items[4] = 30;
    f.state.orders[1] = {1, Order::Item, 1, kSpell, 0, 30};
    CastPartySpell(f.game, f.state, 1);
    EXPECT_EQ(f.member(1).items[4], 31);
    EXPECT_EQ(f.mon(1, 1).hp, 88);
}

// Every code the vocabulary says acts in battle has a handler on that side,
// and no handler acts where the vocabulary says nothing happens.
TEST(BattleSpells, TheHandlersMatchTheVocabulary)
{
    for (const SpellEffectInfo& e : AllSpellEffects()) {
        const SpellHandler* h = FindSpellHandler(e.code);
        EXPECT_EQ(h && h->party, e.battle) << e.code;
        EXPECT_EQ(h && h->monster, e.monster) << e.code;
    }
    for (const SpellHandler& h : SpellHandlers())
        EXPECT_NE(FindSpellEffect(h.code), nullptr) << h.code;
}

} // namespace
} // namespace qvr::test
