// Spells cast in camp: the refusals of casting by name, and every effect code
// the camp knows on a party camped on floor 3.

#include <gtest/gtest.h>

#include <functional>

#include "camp_fixture.h"
#include "maze/camp_spells.h"
#include "rules/experience.h"

using namespace qvr;
using namespace qvr::test;
using namespace qvr::test::status;

namespace {

const std::vector<Key> kEnter = {Key::Enter};
const std::vector<Key> kPickSecond = {Key::Down, Key::Enter};

} // namespace

TEST(CampCasting, RefusalsAndTheSpentPoint)
{
    CampFixture f;
    f.spell(1, "LUMA", 11);
    f.spell(2, "FORTH", 2, {}, SpellFlag::Battle);
    f.spell(5, "KNOWN", 11);
    Character& c = f.game.character(1);
    c.spellKnown(0, 2, 1) = 0; // KNOWN is forgotten again
    f.spell(9, "EMPTY", 11);
    c.mp(0, 3) = 0;
    for (int i = 0; i < 5; ++i)
        f.dismiss();
    for (const char* typed : {"nothing", "forth", "known", "empty", "luma"})
        EXPECT_EQ(CastCampSpell(f.game, 1, typed), CampOutcome::Stay) << typed;
    EXPECT_EQ(f.messages(),
              (std::vector<std::string>{"|なに？", "|なに？", "|おや？", "|無理だ", "|唱えた"}));
    EXPECT_EQ(c.mp(0, 1), 4);
    EXPECT_EQ(c.mp(0, 3), 0);
}

TEST(CampCasting, EveryEffectCode)
{
    struct Case {
        const char* what;
        int effect;
        Dice3 dice;
        std::function<void(CampFixture&)> setup;
        std::vector<std::vector<Key>> answers;
        std::vector<std::string> messages;
        std::function<void(CampFixture&)> check;
        CampOutcome outcome = CampOutcome::Stay;
    };
    const std::string missing = std::to_string(ExpForLevel(5, Class::Fighter, Race::Human));
    auto second = [](CampFixture& f) -> Character& { return f.game.character(2); };
    const Case cases[] = {
        {"heal by the dice",
         7,
         {0, 0, 3},
         nullptr,
         {kPickSecond, kEnter},
         {"|ベラは\n３ポイント回復した\r13/20"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).hp, 13); }},
        {"heal to the full",
         7,
         {0, 0, 10},
         nullptr,
         {kPickSecond, kEnter},
         {"|ベラは全快した"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).hp, 20); }},
        {"sick",
         7,
         {0, 0, 3},
         [&](CampFixture& f) { second(f).conditions = Cond::Sick; },
         {kPickSecond, kEnter},
         {"|ベラは\n病気なので回復できない"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).hp, 10); }},
        {"dead",
         7,
         {0, 0, 3},
         [&](CampFixture& f) { second(f).conditions = Cond::Dead; },
         {kPickSecond, kEnter},
         {"|効果がなかった"},
         nullptr},
        {"angel",
         53,
         {},
         [&](CampFixture& f) { second(f).race = Race::Angel; },
         {kPickSecond, kEnter},
         {"|ベラは\n呪文を無効化した"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).hp, 10); }},
        {"cure all",
         53,
         {},
         [&](CampFixture& f) { second(f).conditions = Cond::Poisoned | Cond::Asleep | Cond::Fly; },
         {kPickSecond, kEnter},
         {"|ベラは全快した"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).conditions, Cond::Fly); }},
        {"heal the party",
         52,
         {0, 0, 4},
         [&](CampFixture& f) {
             f.game.character(1).race = Race::Angel;
             second(f).conditions = Cond::Ashes;
         },
         {kEnter, kEnter, kEnter},
         {"|アルスは\n呪文を無効化した", "|効果がなかった", "|カイは\n４ポイント回復した\r14/20"},
         nullptr},
        {"raise: not dead",
         1,
         {},
         nullptr,
         {kPickSecond, kEnter},
         {"|しかし何もおこらなかった"},
         nullptr},
        {"raise: to ashes",
         1,
         {},
         [&](CampFixture& f) {
             second(f).conditions = Cond::Dead;
             second(f).vitality = 1;
         },
         {kPickSecond, kEnter},
         {"|ベラは\n灰燼と化した！！"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).conditions, Cond::Ashes); }},
        {"raise: alive",
         1,
         {},
         [&](CampFixture& f) {
             second(f).conditions = Cond::Dead | Cond::Poisoned;
             second(f).hp = 0;
             second(f).vitality = 30000;
         },
         {kPickSecond, kEnter},
         {"|回復した"},
         [&](CampFixture& f) {
             EXPECT_EQ(second(f).conditions, Cond::Poisoned);
             EXPECT_EQ(second(f).hp, 1);
             EXPECT_EQ(second(f).rip, 1);
             EXPECT_EQ(second(f).vitality, 29999);
         }},
        {"ashes: gone for good",
         9,
         {},
         [&](CampFixture& f) {
             second(f).conditions = Cond::Ashes;
             second(f).vitality = 1;
         },
         {kPickSecond, kEnter},
         {"|ベラ消滅した！！"},
         [&](CampFixture& f) {
             EXPECT_EQ(second(f).rosterNo, 0);
             EXPECT_EQ(f.game.state.partyCount, 2);
             EXPECT_EQ(f.game.state.partyMember[2], 3);
             EXPECT_EQ(f.game.character(3).position, 2);
         }},
        {"ashes: raised",
         9,
         {},
         [&](CampFixture& f) {
             second(f).conditions = Cond::Ashes | Cond::CurseBound;
             second(f).vitality = 30000;
         },
         {kPickSecond, kEnter},
         {"|回復した"},
         [&](CampFixture& f) {
             EXPECT_EQ(second(f).conditions, Cond::CurseBound);
             EXPECT_EQ(second(f).hp, 20);
         }},
        {"paralysis",
         10,
         {},
         [&](CampFixture& f) { second(f).conditions = Cond::Paralysed; },
         {kPickSecond, kEnter},
         {"|回復した"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).conditions, 0); }},
        {"poison",
         43,
         {},
         [&](CampFixture& f) { second(f).conditions = Cond::Poisoned; },
         {kPickSecond, kEnter},
         {"|回復した"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).conditions, 0); }},
        {"mind",
         60,
         {},
         [&](CampFixture& f) {
             second(f).conditions = Cond::Afraid | Cond::Blind | Cond::Poisoned;
         },
         {kPickSecond, kEnter},
         {"|ベラは\n回復した"},
         [&](CampFixture& f) { EXPECT_EQ(second(f).conditions, Cond::Poisoned); }},
        {"protection 5",
         5,
         {5, 0, 0},
         nullptr,
         {kEnter},
         {"|唱えた"},
         [](CampFixture& f) { EXPECT_EQ(f.game.state.partyEffects, PartyEffect::Armour5); }},
        {"protection again",
         5,
         {2, 0, 0},
         [](CampFixture& f) { f.game.state.partyEffects = PartyEffect::Armour3; },
         {kEnter},
         {"|すでに効いている"},
         nullptr},
        {"levitation",
         6,
         {},
         nullptr,
         {kEnter},
         {"|浮かんだ"},
         [](CampFixture& f) { EXPECT_EQ(f.game.state.partyEffects, PartyEffect::Floating); }},
        {"levitation deep",
         6,
         {},
         [](CampFixture& f) { f.game.state.floor = 14; },
         {kEnter},
         {"|しかし何もおこらなかった"},
         [](CampFixture& f) { EXPECT_EQ(f.game.state.partyEffects, 0); }},
        {"identify sight",
         11,
         {},
         nullptr,
         {kEnter},
         {"|唱えた"},
         [](CampFixture& f) { EXPECT_EQ(f.game.state.partyEffects, PartyEffect::Identify); }},
        {"compass",
         49,
         {},
         nullptr,
         {kEnter},
         {"|唱えた"},
         [](CampFixture& f) { EXPECT_EQ(f.game.state.partyEffects, PartyEffect::Compass); }},
        {"location",
         3,
         {},
         [](CampFixture& f) { f.game.state.facing = 2; },
         {kEnter},
         {"現在位置|パーティーは現在　\n城から東に　５南に５\n地下３階にいます\n南を向いています"},
         nullptr},
        {"location deep",
         3,
         {},
         [](CampFixture& f) { f.game.state.floor = 15; },
         {kEnter},
         {"現在位置|パーティーは現在　ホール・オブ・ペインの\n何処かにいます"},
         nullptr},
        {"rock beyond",
         59,
         {},
         [](CampFixture& f) { f.content().mazeWalls(3, 4, 5) = 15; },
         {kEnter},
         {"|壁の向こうは石です"},
         nullptr},
        {"space beyond, wrapping",
         59,
         {},
         [](CampFixture& f) {
             f.game.state.posY = 0;
             f.content().mazeWalls(3, 19, 5) = 15;
             f.content().mazeDoors(3, 19, 5) = 1;
         },
         {kEnter},
         {"|壁の向こうは空間です"},
         nullptr},
        {"level check",
         57,
         {},
         [&](CampFixture& f) { second(f).exp = 100000000; },
         {kPickSecond, kEnter},
         {"|ベラはＬＶが上がります"},
         nullptr},
        {"level check: missing",
         57,
         {},
         nullptr,
         {kEnter, kEnter},
         {"|つぎのＬＶまで" + missing},
         nullptr},
        {"home",
         54,
         {},
         [](CampFixture& f) { f.game.character(2).gold = 99; },
         {kEnter},
         {"|唱えた"},
         [](CampFixture& f) {
             EXPECT_EQ(f.game.state.floor, 1);
             EXPECT_EQ(f.game.character(2).floor, 1);
             EXPECT_EQ(f.game.character(2).posX, 0);
             EXPECT_EQ(f.game.character(2).gold, 0);
             EXPECT_EQ(f.recorder.saves, 1);
         },
         CampOutcome::Close},
        {"home from the deep",
         54,
         {},
         [](CampFixture& f) { f.game.state.floor = 16; },
         {kEnter},
         {"|しかし何もおこらなかった"},
         nullptr},
        {"locate deep",
         8,
         {},
         [](CampFixture& f) { f.character(4, "ドナ").floor = 14; },
         {{Key::Down, Key::Down, Key::Down, Key::Enter}, kEnter},
         {"|ドナは現在\nホール・オブ・ペインの\n何処かにいます"},
         nullptr},
        {"locate in town",
         8,
         {},
         [](CampFixture& f) { f.character(4, "ドナ"); },
         {{Key::Down, Key::Down, Key::Down, Key::Enter}, kEnter},
         {"|ドナは\n城内にいます"},
         nullptr},
        {"locate cancelled", 8, {}, nullptr, {{Key::Escape}, kEnter}, {"|おおっと！"}, nullptr},
        {"locate on a floor",
         8,
         {},
         nullptr,
         {kEnter, kEnter},
         {"|アルスは現在\n城から東に　５南に５\n地下３階にいます"},
         nullptr},
        {"teleport", 44, {}, nullptr, {}, {}, nullptr, CampOutcome::OpenTeleport},
        {"appraise", 45, {}, nullptr, {}, {}, nullptr, CampOutcome::Appraise},
        {"wish is not here yet", 64, {}, nullptr, {}, {}, nullptr},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        CampFixture f;
        f.spell(1, "CAMP", k.effect, k.dice);
        if (k.setup)
            k.setup(f);
        for (const auto& keys : k.answers)
            f.prompter->answer(keys);
        EXPECT_EQ(CastCampSpell(f.game, 1, "camp"), k.outcome);
        EXPECT_EQ(f.messages(), k.messages);
        EXPECT_TRUE(f.prompter->answers.empty());
        if (k.check)
            k.check(f);
    }
}
