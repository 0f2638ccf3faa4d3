// Class change: who may be chosen, the class list with its order and its
// "止める", the messages and the question, and every reset and assignment of
// a confirmed change.

#include <gtest/gtest.h>

#include "../core/own_content.h"
#include "roll_range.h"
#include "rules/class_rules.h"
#include "town/class_change.h"
#include "town/new_character.h"
#include "training_fixture.h"

using namespace qvr;
using namespace qvr::test;

namespace {

using Texts = std::vector<std::string>;

struct ClassChangeTest : ::testing::Test, TrainingFixture {
    // A lawful male human fighter with every attribute at 16.
    Character& veteran()
    {
        Character& c = made(1, "ALICE");
        c.alignment = Align::Lawful;
        SetAttributes(c, {16, 16, 16, 16, 16, 16});
        return c;
    }
    // "G" and the first line of the chooser.
    void openList()
    {
        prompter->answer({Key::Enter});
        press('G');
    }
    bool listClosed() const
    {
        return !panel("fraClassChange").visible && panel("fraProvingGrounds").enabled &&
               owner() == "fraProvingGrounds";
    }
};

// A character as the class-change rules see it, in a bare game.
Character& subject(Game& game, int16_t race, int16_t sex)
{
    Character& c = game.character(1);
    c = Character{};
    c.rosterNo = 1;
    c.race = race;
    c.sex = sex;
    c.classCode = Class::Thief;
    SetAttributes(c, {18, 18, 18, 18, 18, 18});
    return c;
}

} // namespace

TEST_F(ClassChangeTest, NobodyFreeOfEveryConditionInTownMeansNobody)
{
    const std::vector<std::pair<int32_t, int16_t>> cases{
        {Cond::Dead, 0}, {Cond::Poisoned, 0}, {0, 3}}; // conditions, floor
    for (auto [conditions, floor] : cases) {
        Character& c = veteran();
        c.conditions = conditions;
        c.floor = floor;
        prompter->shown.clear();
        prompter->answer({Key::Enter});
        press('G');
        EXPECT_EQ(prompter->shown, (Texts{"MSG 職業を変える|キャラクターはいません"}));
    }
}

TEST_F(ClassChangeTest, NoClassOpenSaysSo)
{
    made(1, "ALICE").strength = 9; // a male human as he came
    prompter->answer({Key::Enter});
    openList();
    EXPECT_EQ(prompter->shown.back(), "MSG |転職できる職業がありません");
    EXPECT_TRUE(listClosed());
}

TEST_F(ClassChangeTest, TheListEndsWithStopAndEveryWayOutClosesIt)
{
    veteran();
    for (Key way : {Key::Escape, Key::Backspace, Key::Enter}) {
        openList();
        const Panel& p = panel("fraClassChange");
        EXPECT_EQ(p.caption, "どの職業に就きますか？");
        EXPECT_EQ(rowTexts("fraClassChange"), (Texts{"戦士", "魔導士", "僧侶", "賢者", "侍",
                                                     "ロード", "武闘家", "バード", "止める"}));
        EXPECT_EQ(owner(), "fraClassChange");
        EXPECT_EQ(p.selected, 0);
        EXPECT_FALSE(panel("fraProvingGrounds").enabled);
        press('L'); // the menu's letters wait
        EXPECT_EQ(owner(), "fraClassChange");
        if (way == Key::Enter)
            game.screen.panel("fraClassChange").selected = 8; // 止める
        press(way);
        EXPECT_TRUE(listClosed());
    }
    EXPECT_EQ(game.character(1).classCode, Class::Fighter);
    EXPECT_EQ(count("SAVE"), 0);
}

TEST_F(ClassChangeTest, TheSameClassIsRefusedAndNoKeepsEverything)
{
    Character& c = veteran();
    c.level = 7;
    const Character before = c;
    openList();
    prompter->answer({Key::Enter});
    ASSERT_TRUE(pickText("戦士"));
    EXPECT_EQ(prompter->shown.back(), "MSG |同じ職業にはなれませんよ");
    EXPECT_TRUE(listClosed());
    openList();
    prompter->answer({CharKey('N')});
    ASSERT_TRUE(pickText("魔導士"));
    EXPECT_EQ(prompter->shown.back(), "ASK 転職|ALICEは\n魔導士に転職しますか？");
    EXPECT_TRUE(listClosed());
    EXPECT_EQ(game.character(1), before);
    EXPECT_EQ(count("SAVE"), 0);
}

TEST_F(ClassChangeTest, YesStartsTheClassAfreshButKeepsWhatWasEarned)
{
    ItemDef& anyone = content().items[5];
    anyone.classMask = anyone.sexMask = anyone.alignMask = anyone.raceMask = -1;
    content().items[6] = anyone;
    content().items[6].classMask = Class::Fighter;
    Character& c = veteran();
    c.level = 8;
    c.maxLevel = 9;
    c.exp = 5000;
    c.age = 20;
    c.hp = 50;
    c.maxHp = 60;
    c.gold = 1234;
    c.items[1] = 5;
    c.itemFlags[1] = 0x01 | ItemFlag::CannotEquip; // an older class's verdict
    c.items[2] = 6;
    c.itemFlags[2] = ItemFlag::Cursed | 0x02;
    c.regen = 3;
    c.wardBits = 4;
    c.slayBits = 8;
    c.baseAc = c.ac = -2;
    c.res[5] = 40;
    c.spellKnown(kPriestSchool, 2, 1) = c.spellKnown(kPriestSchool, 2, 2) = 1;
    c.spellKnown(kWizardSchool, 1, 4) = 1; // from a book
    c.maxMp(kPriestSchool, 2) = 7;
    c.maxMp(kPriestSchool, 5) = 3;

    openList();
    prompter->answer({CharKey('Y')});
    prompter->answer({Key::Enter});
    ASSERT_TRUE(pickText("魔導士"));
    EXPECT_EQ(prompter->shown.back(), "MSG |魔導士に転職しました");
    EXPECT_TRUE(listClosed());
    EXPECT_EQ(count("SAVE"), 1);

    EXPECT_EQ(c.classCode, Class::Wizard);
    EXPECT_EQ((std::array<int, 3>{c.level, c.maxLevel, c.exp}), (std::array<int, 3>{1, 9, 0}));
    EXPECT_TRUE(c.age >= 21 && c.age <= 25) << c.age;
    EXPECT_EQ((std::array<int, 3>{c.hp, c.maxHp, c.gold}), (std::array<int, 3>{50, 60, 1234}));
    EXPECT_EQ(AttributesOf(c), (Attributes{9, 12, 6, 9, 9, 7}));
    EXPECT_EQ((std::array<int, 4>{c.items[1], c.itemFlags[1], c.items[2], c.itemFlags[2]}),
              (std::array<int, 4>{5, 0, 6, ItemFlag::Cursed | ItemFlag::CannotEquip}));
    EXPECT_EQ((std::array<int, 6>{c.regen, c.wardBits, c.slayBits, c.baseAc, c.ac, c.res[5]}),
              (std::array<int, 6>{0, 0, 0, 10, 10, 0}));
    // Known spells stay, and each level's points are the spells known there.
    EXPECT_NE(c.spellKnown(kPriestSchool, 2, 1), 0);
    EXPECT_NE(c.spellKnown(kWizardSchool, 1, 4), 0);
    EXPECT_EQ(c.maxMp(kPriestSchool, 2), 2);
    EXPECT_EQ(c.mp(kPriestSchool, 2), 2);
    EXPECT_EQ(c.maxMp(kPriestSchool, 5), 0);
    // The wizard's first level on top: points from the race's iq of 8.
    EXPECT_GE(c.spellKnown(kWizardSchool, 1, 1) + c.spellKnown(kWizardSchool, 1, 2) +
                  c.spellKnown(kWizardSchool, 1, 3),
              1);
    EXPECT_TRUE(c.maxMp(kWizardSchool, 1) == 2 || c.maxMp(kWizardSchool, 1) == 3);
    EXPECT_EQ(c.mp(kWizardSchool, 1), c.maxMp(kWizardSchool, 1));
}

TEST(ClassStarts, EachClassSetsItsValuesOverTheRace)
{
    struct Case {
        int16_t code;
        Attributes values; // a male human came as 9, 8, 6, 9, 9, 7
    };
    using namespace Class;
    const std::vector<Case> cases{
        {Fighter, {12, 8, 6, 9, 9, 7}},
        {Wizard, {9, 12, 6, 9, 9, 7}},
        {Cleric, {9, 8, 12, 9, 9, 7}},
        {Thief, {9, 8, 6, 9, 12, 7}},
        {Sage, {9, 12, 12, 9, 9, 7}},
        {Bard, {9, 12, 6, 9, 12, 12}},
        {Valkyrie, {11, 8, 12, 11, 12, 7}},
        {Samurai, {14, 12, 6, 14, 12, 7}},
        {Lord, {15, 11, 15, 12, 13, 13}},
        {Ninja, {15, 15, 15, 15, 15, 15}},
        {MagicSwordsman, {15, 15, 6, 9, 15, 7}},
        {Onmyoji, {9, 8, 12, 9, 12, 12}},
        {MartialArtist, {16, 8, 6, 9, 16, 7}},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.code);
        Game game;
        Character& c = subject(game, Race::Human, 1);
        ApplyClassChange(game, 1, k.code);
        EXPECT_EQ(AttributesOf(c), k.values);
        EXPECT_EQ(c.res[17], k.code == Samurai ? 100 : 0);
        EXPECT_EQ(c.classMark, k.code == Ninja ? -1 : 0);
        EXPECT_EQ(c.baseAc, k.code == Ninja ? 8 : 10);
        EXPECT_EQ(c.ac, c.baseAc);
    }
}

TEST(ClassStarts, AnItemNumberTheContentLacksComesOffAndKeepsItsMarks)
{
    Game game;
    Character& c = subject(game, Race::Human, 1);
    c.alignment = Align::Lawful;
    ItemDef& anyone = test::OwnContent(game).items[5];
    anyone.classMask = anyone.sexMask = anyone.alignMask = anyone.raceMask = -1;
    c.items[1] = kItemCount + 1;
    c.itemFlags[1] = ItemFlag::Unidentified | 0x01;
    c.items[2] = -3;
    c.itemFlags[2] = ItemFlag::CannotEquip | 0x03;
    c.items[3] = 5;
    c.itemFlags[3] = ItemFlag::CannotEquip | 0x04;
    ApplyClassChange(game, 1, Class::Fighter);
    EXPECT_EQ(c.classCode, Class::Fighter);
    EXPECT_EQ((std::array<int, 3>{c.items[1], c.items[2], c.items[3]}),
              (std::array<int, 3>{kItemCount + 1, -3, 5}));
    EXPECT_EQ((std::array<int, 3>{c.itemFlags[1], c.itemFlags[2], c.itemFlags[3]}),
              (std::array<int, 3>{ItemFlag::Unidentified, ItemFlag::CannotEquip, 0}));
}

TEST(ClassStarts, AHobbitBardLosesLuckAndAFormerNinjaItsMarks)
{
    Game game;
    Character& c = subject(game, Race::Hobbit, 2);
    ApplyClassChange(game, 1, Class::Bard);
    EXPECT_EQ(c.luck, 12);
    ApplyClassChange(game, 1, Class::Ninja);
    ApplyClassChange(game, 1, Class::Fighter);
    EXPECT_EQ(c.classMark, 0);
    EXPECT_EQ(c.baseAc, 9);
}

TEST(ClassStarts, FirstPointsOfEitherSchoolComeFromTheRacesIq)
{
    // A male dwarf comes back to iq 5 (and piety 9): 1 + 1d1 in either school.
    const std::vector<std::tuple<int16_t, int, int>> cases{{Class::Wizard, kWizardSchool, 2},
                                                           {Class::Sage, kWizardSchool, 2},
                                                           {Class::Cleric, kPriestSchool, 2}};
    for (auto [code, school, highest] : cases) {
        SCOPED_TRACE(code);
        Game game(Rng(11));
        auto range = ObservedRange(200, [&] {
            Character& c = subject(game, Race::Dwarf, 1);
            ApplyClassChange(game, 1, code);
            EXPECT_EQ(c.mp(school, 1), c.maxMp(school, 1));
            EXPECT_EQ(c.maxMp(1 - school, 1), 0);
            return static_cast<int32_t>(c.maxMp(school, 1));
        });
        EXPECT_EQ(range, std::make_pair(2, highest));
    }
}
