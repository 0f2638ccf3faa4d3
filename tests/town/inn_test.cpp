// The inn: choosing the guest, the rooms and what a stay costs and gives,
// ageing with its celebrations and death, and the rules of a level gain.

#include <gtest/gtest.h>

#include "castle_fixture.h"
#include "core/dice.h"
#include "rules/ageing.h"
#include "rules/level_up.h"
#include "rules/spell_learning.h"
#include "town/inn_rooms.h"

using namespace qvr;
using namespace qvr::test;

namespace {

using Kind = WeeksAnswer::Kind;

// A party of `n` fighters (roster 1..n, 1000 experience short of nothing)
// standing in the inn's party list.
struct InnFixture : CastleFixture {
    explicit InnFixture(int n = 1)
    {
        game.state.groupNo = 1;
        for (int r = 1; r <= n; ++r) {
            Character& c = member(r, "M" + std::to_string(r), r);
            c.gold = 1000;
            c.age = 30;
        }
        RefreshPartyPanel(game);
        press('J');
        recorder.events.clear();
    }
    Character& guest(int r = 1) { return game.character(r); }
    // Enter for every box still to come, `n` of them.
    void enters(int n)
    {
        for (int i = 0; i < n; ++i)
            prompter->answer({Key::Enter});
    }
    // Choose party row `row`, then a room; a room with weeks asks for them.
    void stay(int row, char room, const std::string& weeks = "")
    {
        press(static_cast<char>('1' + row));
        if (room != '1') // the text box comes before every other box
            prompter->answers.push_front({{Key::Enter}, weeks});
        press(room);
    }
    // Puts the game's stream where the old-age die shows `face` next.
    void nextOldAgeRoll(bool one)
    {
        for (uint64_t seed = 1;; ++seed) {
            Rng probe(seed);
            if ((Dice(probe, 1, 3, 0) == 1) == one) {
                game.rng = Rng(seed);
                return;
            }
        }
    }
};

} // namespace

TEST(InnWeeks, ReadRoundedHalvesToEvenWithTheLimit)
{
    struct Case {
        const char* typed;
        WeeksAnswer answer;
    };
    const Case cases[] = {
        {"2.5", {Kind::Stay, 2}},
        {"3.5", {Kind::Stay, 4}},
        {"1.5", {Kind::Stay, 2}},
        {"1", {Kind::Stay, 1}},
        {" 20 ", {Kind::Stay, 20}},
        {"２０", {Kind::Stay, 20}},
        {"3000", {Kind::Stay, 3000}},
        {"2999.5", {Kind::Stay, 3000}},
        {"3001", {Kind::TooLong, 0}},
        {"3000.5", {Kind::TooLong, 0}},
        {"0.9", {}},
        {"0", {}},
        {"-3", {}},
        {"", {}},
        {"abc", {}},
        {"3weeks", {}},
        {"nan", {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed);
        EXPECT_EQ(ReadWeeks(c.typed), c.answer);
    }
}

TEST(InnSpells, StudiesByClassAndLevel)
{
    using namespace SpellSchool;
    struct Case {
        int classCode;
        int level;
        std::vector<SpellStudy> studies;
    };
    const Case cases[] = {
        {Class::Wizard, 3, {{Wizard, 2}}},
        {Class::Wizard, 4, {{Wizard, 2}}},
        {Class::Cleric, 5, {{Priest, 3}}},
        {Class::Sage, 2, {{Wizard, 1}}},
        {Class::Sage, 3, {{Wizard, 1}}},
        {Class::Sage, 4, {{Priest, 2}}},
        {Class::Sage, 5, {{Priest, 2}}},
        {Class::Sage, 6, {{Wizard, 2}}},
        {Class::Valkyrie, 7, {{Priest, 2}}},
        {Class::Lord, 2, {{Priest, 0}}},
        {Class::Samurai, 9, {{Wizard, 3}}},
        {Class::MagicSwordsman, 6, {{Wizard, 2}}},
        {64, 5, {{Third, 3}, {Wizard, 1}}},
        {4096, 6, {{Third, 3}, {Priest, 2}}},
        {Class::Ninja, 9, {}},
        {Class::Fighter, 9, {}},
        {Class::Bard, 9, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.classCode) + " level " + std::to_string(c.level));
        EXPECT_EQ(SpellStudies(c.classCode, c.level), c.studies);
    }
}

TEST(InnSpells, RollsDecideWithinTheirLimits)
{
    Rng rng(7);
    Character dull;
    dull.iq = 8; // a die of one side never beats level 1
    EXPECT_EQ(StudySchool(rng, dull, {SpellSchool::Wizard, 9}), 0);
    EXPECT_EQ(dull.maxMp(SpellSchool::Wizard, 1), 0);

    Character sharp;
    sharp.iq = sharp.piety = 200;
    EXPECT_EQ(StudySchool(rng, sharp, {SpellSchool::Third, 5}), 0);
    // Beyond level 9 nothing is studied; points stop at 9 however often.
    int learnt = StudySchool(rng, sharp, {SpellSchool::Priest, 12});
    EXPECT_GT(learnt, 20);
    EXPECT_LE(learnt, 27);
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(StudySchool(rng, sharp, {SpellSchool::Priest, 9}) >= 0, true);
    EXPECT_EQ(sharp.maxMp(SpellSchool::Priest, 1), 9);
    EXPECT_EQ(sharp.spellKnown(SpellSchool::Priest, 1, 4), 0); // the book's slot is not studied
    EXPECT_EQ(sharp.maxMp(SpellSchool::Wizard, 1), 0);
}

TEST(InnLevelUp, AttributesDriftWithAge)
{
    struct Case {
        float r;
        int value, maximum, age, drift;
    };
    const Case cases[] = {
        {0.05f, 10, 18, 30, -1}, {0.2f, 10, 18, 30, 0}, {0.2f, 10, 18, 51, -1},
        {0.39f, 10, 18, 51, -1}, {0.4f, 10, 18, 51, 0}, {0.66f, 10, 18, 30, 1},
        {0.65f, 10, 18, 30, 0},  {0.9f, 18, 18, 30, 0}, {0.05f, 0, 18, 30, 0},
        {0.05f, 1, 18, 90, -1},  {0.9f, 17, 18, 90, 1},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.r) + " age " + std::to_string(c.age));
        EXPECT_EQ(AttributeDrift(c.r, c.value, c.maximum, c.age), c.drift);
    }
    EXPECT_EQ(BareNinjaAc(1), 8);
    EXPECT_EQ(BareNinjaAc(30), -2);
    EXPECT_EQ(BareNinjaAc(2000), -255);
}

TEST(Inn, DoorNeedsAPartyAndAsksForTheGuest)
{
    CastleFixture empty;
    empty.prompter->answer({Key::Enter});
    empty.press('J');
    EXPECT_EQ(empty.prompter->shown, (std::vector<std::string>{"MSG |パーティーを組んでいません"}));
    EXPECT_EQ(empty.owner(), "fraCaldrimar");

    InnFixture f(2);
    EXPECT_EQ(f.owner(), "fraParty");
    EXPECT_TRUE(f.panel("fraINN").visible);
    EXPECT_FALSE(f.panel("fraINN").enabled);
    EXPECT_EQ(f.panel("fraINN").caption, "ジュデッカの宿屋");
    EXPECT_EQ(f.rowTexts("fraINN").back(), "6)宿　か  ら  出 る");
    f.guest(2).conditions = Cond::Dead;
    f.enters(1);
    f.press('2');
    EXPECT_EQ(f.prompter->shown.back(), "MSG |その人は泊まれませんよ");
    EXPECT_EQ(f.owner(), "fraParty");
    f.press('1');
    EXPECT_EQ(f.owner(), "fraINN");
    f.press(Key::Escape); // the exit row: back to the choice of guest
    EXPECT_EQ(f.owner(), "fraParty");
    f.press(Key::Escape);
    EXPECT_EQ(f.owner(), "fraCaldrimar");
    EXPECT_FALSE(f.panel("fraINN").visible);
    EXPECT_EQ(f.recorder.events, (std::vector<std::string>{"MUSIC 2"}));
}

TEST(Inn, StaysChargeHealAndAgeOrEndEarly)
{
    struct Case {
        char room;
        std::string weeks;
        int32_t gold;
        int32_t hp, gold2, days;
        std::string last; // the last box shown
    };
    const Case cases[] = {
        {'3', "2.5", 1000, 16, 900, 14, "MSG |次のＬＶまであと１０００ポイントです"},
        {'2', "3001", 1000, 10, 1000, 0, "MSG ジュデッカ宿主|そんな長く寝ると体をこわしますよ"},
        {'5', "3001", 1000, 10, 1000, 0,
         "MSG ジュデッカ宿主|お客様，申し訳ありませんが\rそのような長居は困りますm(_ _)m"},
        {'2', "3000", 30000, 30, 0, 195, ""}, // 57 years and 195 days later
        {'4', "0.4", 1000, 10, 1000, 0, "INPUT スイートルーム|何週間宿泊しますか？"},
        {'5', "7", 1049, 10, 1049, 0, "MSG ジュデッカ宿主|お金が足りませんよ"},
        {'1', "", 0, 10, 0, 1, "MSG |次のＬＶまであと１０００ポイントです"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(1, c.room) + " " + c.weeks);
        InnFixture f(2);
        f.guest().gold = c.gold;
        f.guest().maxHp = 30;
        f.guest().mp(SpellSchool::Priest, 3) = 0;
        f.guest().maxMp(SpellSchool::Priest, 3) = 4;
        f.enters(8);
        f.stay(0, c.room, c.weeks);
        EXPECT_EQ(f.guest().hp, c.hp);
        EXPECT_EQ(f.guest().gold, c.gold2);
        EXPECT_EQ(f.guest().ageDays, c.days);
        const bool stayed = c.days > 0;
        EXPECT_EQ(f.guest().mp(SpellSchool::Priest, 3), stayed ? 4 : 0);
        EXPECT_EQ(f.count("SAVE"), stayed ? 1 : 0);
        if (!c.last.empty()) {
            EXPECT_EQ(f.prompter->shown.back(), c.last);
        }
        // The next member is offered after a stay; the same one after a refusal.
        EXPECT_EQ(f.owner(), "fraParty");
        EXPECT_EQ(f.panel("fraParty").selected, stayed ? 1 : 0);
    }
}

TEST(Inn, LevelGainKeepsTheGuestAtTheDesk)
{
    InnFixture f(2);
    Character& g = f.guest();
    g.exp = 1000; // a fighter's first level needs 1000
    g.vitality = 13;
    g.strength = g.iq = g.piety = g.agility = g.luck = 10;
    f.enters(8);
    f.stay(0, '1');
    EXPECT_EQ(g.level, 2);
    EXPECT_EQ(g.maxLevel, 2);
    EXPECT_GT(g.maxHp, 10);
    EXPECT_EQ(g.hp, g.maxHp);
    EXPECT_EQ(f.prompter->shown[1].rfind("MSG ＬＶＵＰ|M1はＬＶが上がった\r最大ＨＰが", 0), 0u);
    EXPECT_EQ(f.owner(), "fraINN");
    EXPECT_EQ(f.count("SAVE"), 1);
    // One level a stay: the next stay only says what is missing.
    f.prompter->shown.clear();
    f.press('1');
    EXPECT_EQ(g.level, 2);
    EXPECT_EQ(f.prompter->shown.back(), "MSG |次のＬＶまであと１５００ポイントです");
    EXPECT_EQ(f.panel("fraParty").selected, 1);
}

TEST(Inn, NinjaHardensOnlyUnarmoured)
{
    for (bool armoured : {false, true}) {
        SCOPED_TRACE(armoured);
        InnFixture f(1);
        Character& g = f.guest();
        g.classCode = Class::Ninja;
        g.level = 5;
        g.exp = 1000000;
        g.baseAc = g.ac = 10;
        if (armoured) {
            g.items[3] = 1;
            g.itemFlags[3] = 3;
        }
        f.enters(8);
        f.stay(0, '1');
        EXPECT_EQ(g.level, 6);
        EXPECT_EQ(g.baseAc, armoured ? 10 : 6);
    }
}

TEST(InnAgeing, BirthdaysAndCelebrations)
{
    struct Case {
        int age, days, weeks, flags, fullSlots;
        int ageAfter, daysAfter, flagsAfter, gift;
    };
    const Case cases[] = {
        {30, 358, 0, 0, 0, 30, 359, 0, 0},      // the dog house: 359 days, no birthday
        {30, 358, 1, 0, 0, 30, 365, 0, 0},      // 365 days is not yet a year
        {30, 359, 1, 0, 0, 31, 1, 0, 0},        // 366 days: a year and one day
        {19, 300, 20, 0, 0, 20, 75, 0x20, 17},  // of age, with item 17
        {19, 300, 20, 0, 12, 20, 75, 0x20, 0},  // no room: the gift is skipped
        {19, 300, 62, 0, 0, 21, 4, 0, 0},       // 19 to 21 in one stay: never of age
        {59, 360, 1, 0x20, 0, 60, 2, 0x60, 62}, // sixty, with item 62
        {59, 360, 1, 0, 0, 60, 2, 0, 0},        // sixty needs the coming of age first
        {19, 360, 1, 0x20, 0, 20, 2, 0x20, 0},  // celebrated once in a life
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::to_string(c.age) + "/" + std::to_string(c.days) + " +" +
                     std::to_string(c.weeks) + "w");
        InnFixture f(1);
        Character& g = f.guest();
        g.age = static_cast<int16_t>(c.age);
        g.ageDays = static_cast<int16_t>(c.days);
        g.specialFlags = c.flags;
        for (int slot = 1; slot <= c.fullSlots; ++slot)
            g.items[slot] = 5;
        f.enters(8);
        f.stay(0, c.weeks == 0 ? '1' : '2', std::to_string(c.weeks));
        EXPECT_EQ(g.age, c.ageAfter);
        EXPECT_EQ(g.ageDays, c.daysAfter);
        EXPECT_EQ(g.specialFlags, c.flagsAfter);
        EXPECT_EQ(g.items[1], c.gift == 0 ? (c.fullSlots ? 5 : 0) : c.gift);
        if (c.gift != 0) {
            EXPECT_EQ(f.game.save().itemTally[c.gift], 1);
        }
    }
}

TEST(InnAgeing, DeathOfOldAge)
{
    for (bool last : {false, true}) {
        SCOPED_TRACE(last);
        InnFixture f(last ? 1 : 2);
        f.guest().age = 81;
        f.guest().exp = 1000000; // would gain a level, but dies first
        f.nextOldAgeRoll(true);
        f.enters(8);
        f.stay(0, '1');
        const std::vector<std::string> words{
            "MSG いぬごや|M1は\n寝苦しそうに眠っている・・・", "MSG |・・・・・・・・",
            "MSG |どうやら私はここまでのようだ・・・", "MSG |M1は\n静かに息を引き取った"};
        EXPECT_EQ(f.prompter->shown, words);
        EXPECT_EQ(f.guest().rosterNo, 0);
        EXPECT_EQ(f.game.state.partyCount, last ? 0 : 1);
        EXPECT_EQ(f.count("SAVE"), 1);
        EXPECT_EQ(f.owner(), last ? "fraCaldrimar" : "fraParty");
        EXPECT_EQ(f.panel("fraINN").visible, !last);
    }
    InnFixture spared(1);
    spared.guest().age = 81;
    spared.nextOldAgeRoll(false);
    spared.enters(8);
    spared.stay(0, '1');
    EXPECT_EQ(spared.guest().rosterNo, 1);
}

TEST(Inn, ALevelTeachesSpellsAndTheStayFillsThem)
{
    InnFixture f(1);
    Character& g = f.guest();
    g.classCode = Class::Wizard;
    g.level = 2;
    g.exp = 1000000;
    g.iq = 200;
    f.enters(8);
    f.stay(0, '1');
    EXPECT_EQ(g.level, 3);
    // Up to spell level 2: six slots; with such an iq the die all but never fails.
    EXPECT_EQ(f.prompter->shown.back(), "MSG |６個の呪文を憶えた");
    for (int level : {1, 2}) {
        EXPECT_EQ(g.maxMp(SpellSchool::Wizard, level), 3);
        EXPECT_EQ(g.mp(SpellSchool::Wizard, level), 3);
    }
    EXPECT_EQ(g.maxMp(SpellSchool::Wizard, 3), 0);
}
