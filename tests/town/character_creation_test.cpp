// The creation wizard through the main window's keys (the name and its
// refusals, race, alignment, sex, the distribution, the class list, the last
// question) and the record it writes.

#include <gtest/gtest.h>

#include "roll_range.h"
#include "rules/class_rules.h"
#include "town/new_character.h"
#include "town/town_panels.h"
#include "training_fixture.h"

using namespace qvr;
using namespace qvr::test;

namespace {

enum { kStrength, kIq, kPiety, kVitality, kAgility, kLuck };
using Texts = std::vector<std::string>;

// The first 6d10 of these seeds: 24 (6 points), 42 (10), 52 (20, lucky).
constexpr uint64_t kSixPoints = 1;
constexpr uint64_t kTenPoints = 2;
constexpr uint64_t kTwentyPoints = 357;

struct CreationTest : ::testing::Test, TrainingFixture {
    // "C", the name, and the steps by their texts; the bonus roll from `seed`.
    void begin(const char* race, const char* alignment, const char* sex, uint64_t seed,
               const std::string& name = "ALICE")
    {
        prompter->answer({Key::Enter}, name);
        press('C');
        ASSERT_TRUE(pickText(race));
        if (*alignment) {
            ASSERT_TRUE(pickText(alignment));
        }
        game.rng = Rng(seed);
        ASSERT_TRUE(pickText(sex));
        ASSERT_EQ(owner(), "fraBounas");
    }
    int label(const std::string& name) const
    {
        return std::stoi(panel("fraBounas").findLabel(name)->text);
    }
    int points() const { return label("lblBounasPoint"); }
    int value(int a) const { return label("lblPoint" + std::to_string(a)); }
    void raise(int a, int times, Key key = Key::Right)
    {
        game.screen.panel("fraBounas").selected = a;
        for (int i = 0; i < times; ++i)
            press(key);
    }
    void spendRest()
    {
        for (int a = 0; a < kAttributeCount; ++a)
            raise(a, points());
    }
    // Enter into the class list, the class, and the last answer.
    void finish(const char* className, const char* answer = "はい")
    {
        press(Key::Enter);
        ASSERT_EQ(owner(), "fraClass");
        ASSERT_TRUE(pickText(className));
        ASSERT_EQ(panel("fraMaking").caption, "このキャラクターを使いますか？");
        ASSERT_EQ(rowTexts("fraMaking"), (Texts{"はい", "いいえ"}));
        ASSERT_TRUE(pickText(answer));
        for (const char* frame : {"fraMaking", "fraBounas", "fraClass"})
            EXPECT_FALSE(panel(frame).visible) << frame;
        EXPECT_EQ(owner(), "fraProvingGrounds");
    }
};

int known(const Character& c, int school)
{
    int n = 0;
    for (int slot = 1; slot <= 4; ++slot)
        n += c.spellKnown(school, 1, slot) != 0 ? 1 : 0;
    return n;
}

} // namespace

TEST_F(CreationTest, TheStepsShowTheirTitlesAndRowsThenTheDistribution)
{
    prompter->answer({Key::Enter}, "ALICE");
    press('C');
    EXPECT_EQ(prompter->shown, (Texts{"INPUT 名前|名前を入力してください"}));
    EXPECT_FALSE(panel("fraProvingGrounds").visible);
    const Panel& steps = panel("fraMaking");
    EXPECT_EQ(steps.caption, "種族を選んでください");
    EXPECT_EQ(rowTexts("fraMaking"), (Texts{"人間", "エルフ", "ドワーフ", "ノーム", "ホビット",
                                            "フェアリー", "ドラゴン", "悪魔", "天使"}));
    EXPECT_EQ(steps.rows[8].value, Race::Angel);
    press(Key::Escape); // the wizard has no way back
    EXPECT_EQ(owner(), "fraMaking");
    ASSERT_TRUE(pickText("人間"));
    EXPECT_EQ(steps.caption, "属性を選んでください");
    EXPECT_EQ(rowTexts("fraMaking"), (Texts{"秩序", "中立", "混沌"}));
    ASSERT_TRUE(pickText("中立"));
    EXPECT_EQ(steps.caption, "性別を選んでください");
    EXPECT_EQ(rowTexts("fraMaking"), (Texts{"男", "女"}));
    ASSERT_TRUE(pickText("男"));

    const Panel& bonus = panel("fraBounas");
    const Panel& classes = panel("fraClass");
    EXPECT_FALSE(steps.visible);
    EXPECT_TRUE(classes.visible);
    EXPECT_EQ(owner(), "fraBounas");
    EXPECT_EQ(bonus.selected, 0);
    EXPECT_EQ(bonus.caption, "ボーナスを振り分けて下さい");
    EXPECT_EQ(rowTexts("fraBounas"), (Texts{"力", "知恵", "信仰心", "生命力", "素早さ", "運"}));
    EXPECT_EQ(bonus.findLabel("lblBounas")->text, "ボーナス");
    EXPECT_EQ(classes.caption, "職業");
    EXPECT_GE(classes.rect.x, bonus.rect.x + bonus.rect.w) << "to the right of the points";
    const Attributes maleHuman{9, 8, 6, 9, 9, 7};
    for (int a = 0; a < kAttributeCount; ++a)
        EXPECT_EQ(value(a), maleHuman[static_cast<std::size_t>(a)]);
}

TEST_F(CreationTest, EveryChoiceSoFarIsTheGamesNamedStateUntilTheLastAnswer)
{
    EXPECT_FALSE(game.creation);
    prompter->answer({Key::Enter}, "ALICE");
    press('C');
    ASSERT_TRUE(game.creation);
    const CreationWizard& w = *game.creation;
    EXPECT_EQ(w.step, CreationStep::Race);
    EXPECT_EQ(w.name, "ALICE");
    ASSERT_TRUE(pickText("エルフ"));
    EXPECT_EQ(w.step, CreationStep::Alignment);
    EXPECT_EQ(w.race, Race::Elf);
    ASSERT_TRUE(pickText("混沌"));
    EXPECT_EQ(w.step, CreationStep::Sex);
    EXPECT_EQ(w.alignment, Align::Chaotic);
    game.rng = Rng(kSixPoints);
    ASSERT_TRUE(pickText("女"));
    EXPECT_EQ(w.step, CreationStep::Distribution);
    EXPECT_EQ(w.sex, 2);
    EXPECT_EQ((std::array<int, 2>{w.bonusPoints, w.pointsLeft}), (std::array<int, 2>{6, 6}));
    EXPECT_EQ(w.minimum, (Attributes{6, 10, 10, 6, 10, 9}));
    raise(kIq, 2);
    EXPECT_EQ(w.values, (Attributes{6, 12, 10, 6, 10, 9}));
    EXPECT_EQ(w.pointsLeft, 4);
    spendRest();
    press(Key::Enter);
    ASSERT_TRUE(pickText("魔導士"));
    EXPECT_EQ(w.step, CreationStep::Confirmation);
    EXPECT_EQ(w.classCode, Class::Wizard);
    ASSERT_TRUE(pickText("いいえ"));
    EXPECT_FALSE(game.creation);
    EXPECT_EQ(characters(), 0);
}

TEST_F(CreationTest, DemonsAndAngelsAreNeverAskedTheirAlignment)
{
    begin("悪魔", "", "男", kSixPoints);
    raise(kStrength, 2);
    spendRest();
    finish("戦士");
    prompter->answer({Key::Enter}, "GABRIEL");
    press('C');
    ASSERT_TRUE(pickText("天使"));
    EXPECT_EQ(panel("fraMaking").caption, "性別を選んでください");
    ASSERT_TRUE(pickText("女"));
    raise(kPiety, 3);
    spendRest();
    finish("僧侶");
    EXPECT_EQ(game.character(1).alignment, Align::Chaotic);
    EXPECT_EQ(game.character(2).alignment, Align::Lawful);
    // Their races' armour and resistances.
    EXPECT_EQ(game.character(1).res[13], 100);
    EXPECT_EQ(game.character(2).res[12], 100);
    EXPECT_EQ(game.character(2).ac, 9);
}

TEST_F(CreationTest, AFighterIsWrittenWithEveryValueOfANewCharacter)
{
    begin("人間", "中立", "男", kSixPoints);
    raise(kStrength, 3);
    raise(kVitality, 3);
    EXPECT_EQ(rowTexts("fraClass"), (Texts{"戦士"}));
    finish("戦士");
    EXPECT_EQ(count("SAVE"), 1);
    const Character& c = game.character(1);
    EXPECT_EQ(c.rosterNo, 1);
    EXPECT_EQ(c.name, "ALICE");
    EXPECT_EQ(c.level, 1);
    EXPECT_EQ(c.maxLevel, 1);
    EXPECT_EQ(c.classCode, Class::Fighter);
    EXPECT_EQ((std::array<int, 3>{c.race, c.sex, c.alignment}), (std::array<int, 3>{1, 1, 2}));
    EXPECT_EQ(AttributesOf(c), (Attributes{12, 8, 6, 12, 9, 7}));
    EXPECT_TRUE(c.age >= 13 && c.age <= 17) << c.age;
    EXPECT_TRUE(c.gold >= 110 && c.gold <= 200) << c.gold;
    EXPECT_TRUE(c.maxHp >= 13 && c.maxHp <= 30 && c.hp == c.maxHp) << c.maxHp;
    EXPECT_EQ(c.specialFlags, 0);
    EXPECT_EQ(c.baseAc, 10);
    EXPECT_EQ(c.ac, 10);
    EXPECT_EQ((std::array<int, 5>{c.floor, c.groupNo, c.position, c.exp, c.conditions}),
              (std::array<int, 5>{}));
    EXPECT_EQ(c.items, (Bounded<int16_t, 0, 12>{}));
    EXPECT_EQ(c.spellKnown, (Grid3<int16_t, 3, 10, 5>{}));
}

TEST_F(CreationTest, AWizardLearnsItsFirstSpellsWithPointsToCastThem)
{
    begin("エルフ", "秩序", "女", kTenPoints);
    raise(kIq, 2);
    spendRest();
    finish("魔導士");
    const Character& c = game.character(1);
    const int k = known(c, kWizardSchool);
    EXPECT_GE(k, 1);
    EXPECT_EQ(c.spellKnown(kWizardSchool, 1, 4), 0) << "the fourth slot is the books'";
    EXPECT_EQ(known(c, kPriestSchool), 0);
    EXPECT_EQ(c.mp(kWizardSchool, 1), c.maxMp(kWizardSchool, 1));
    EXPECT_GE(c.maxMp(kWizardSchool, 1), std::min(4, k + 1));
    EXPECT_LE(c.maxMp(kWizardSchool, 1), std::min(4, k + c.iq / 4));
}

TEST_F(CreationTest, ASamuraiFromALuckyRollIsMarkedAndResists)
{
    begin("人間", "秩序", "男", kTwentyPoints);
    ASSERT_EQ(points(), 20);
    raise(kStrength, 5);
    raise(kIq, 4);
    raise(kVitality, 5);
    raise(kAgility, 3);
    spendRest();
    EXPECT_EQ(rowTexts("fraClass"), (Texts{"戦士", "魔導士", "侍"}));
    finish("侍");
    EXPECT_EQ(game.character(1).res[17], 100);
    EXPECT_EQ(game.character(1).specialFlags, Special::LuckyRoll);
}

TEST_F(CreationTest, TheDistributionStaysBetweenTheStartAndTheMaximum)
{
    begin("人間", "中立", "男", kTwentyPoints);
    raise(kStrength, 3, Key::Left);
    EXPECT_EQ(value(kStrength), 9);
    EXPECT_EQ(points(), 20);
    raise(kStrength, 3);
    EXPECT_EQ(rowTexts("fraClass"), (Texts{"戦士"})) << "rebuilt as the value changes";
    raise(kStrength, 1, Key::Left);
    EXPECT_EQ(rowTexts("fraClass"), (Texts{}));
    raise(kStrength, 15);
    EXPECT_EQ(value(kStrength), 19);
    EXPECT_EQ(points(), 10);
    press(Key::Enter);
    EXPECT_EQ(owner(), "fraBounas") << "points left";
    raise(kLuck, 15);
    EXPECT_EQ(value(kLuck), 17);
    raise(kIq, 1);
    EXPECT_EQ(value(kIq), 8) << "nothing left to spend";
    EXPECT_EQ(points(), 0);
}

TEST_F(CreationTest, WithNoClassToOfferTheDistributionKeepsTheKeyboard)
{
    begin("フェアリー", "中立", "女", kSixPoints);
    raise(kVitality, 6);
    ASSERT_EQ(points(), 0);
    press(Key::Enter);
    EXPECT_EQ(owner(), "fraBounas");
}

TEST_F(CreationTest, NoCreatesNothingAndYesTakesTheFirstFreeSlot)
{
    for (int slot = 1; slot <= kRosterSize; ++slot)
        if (slot != 17 && slot != 30)
            made(slot, "C" + std::to_string(slot));
    begin("人間", "中立", "男", kSixPoints);
    raise(kStrength, 3);
    spendRest();
    finish("戦士", "いいえ");
    EXPECT_EQ(characters(), 48);
    EXPECT_EQ(count("SAVE"), 0);
    begin("人間", "中立", "男", kSixPoints);
    raise(kStrength, 3);
    spendRest();
    finish("戦士");
    EXPECT_EQ(game.character(17).name, "ALICE");
    EXPECT_EQ(game.character(17).rosterNo, 17);
}

TEST_F(CreationTest, AFullRosterTakesNoName)
{
    for (int slot = 1; slot <= kRosterSize; ++slot)
        made(slot, "C" + std::to_string(slot));
    prompter->answer({Key::Enter});
    press('C');
    EXPECT_EQ(prompter->shown, (Texts{"MSG |これ以上作れませんよ"}));
    EXPECT_EQ(owner(), "fraProvingGrounds");
}

TEST_F(CreationTest, NamesTheSaveCannotHoldAreRefusedAndNothingIsMade)
{
    const Texts names{"한국", "A😀",    std::string(51, 'A'), "A\tB",
                      "A\nB", "A\x7f", "A\xc2\x85",          "A\xff"};
    for (const std::string& name : names) {
        SCOPED_TRACE(name);
        prompter->shown.clear();
        prompter->answer({Key::Enter}, name);
        prompter->answer({Key::Enter});
        press('C');
        ASSERT_EQ(prompter->shown.size(), 2u);
        EXPECT_EQ(prompter->shown[1].rfind("MSG 名前|", 0), 0u) << prompter->shown[1];
        EXPECT_EQ(owner(), "fraProvingGrounds");
        EXPECT_EQ(characters(), 0);
    }
    prompter->answer({Key::Escape}); // an empty name: simply back
    press('C');
    EXPECT_EQ(owner(), "fraProvingGrounds");

    std::string fifty;
    for (int i = 0; i < 50; ++i)
        fifty += "あ";
    begin("人間", "中立", "男", kSixPoints, fifty);
    raise(kStrength, 3);
    spendRest();
    finish("戦士");
    EXPECT_EQ(game.character(1).name, fifty);
}

TEST_F(CreationTest, AnExistingNameShowsThatCharacterInstead)
{
    made(5, "A～B"); // FULLWIDTH TILDE; an input method types WAVE DASH
    SetPrompt(game, "said before");
    prompter->answer({Key::Enter}, "A〜B");
    press('C');
    EXPECT_EQ(prompter->statusShown, 1);
    EXPECT_EQ(characters(), 1);
    EXPECT_EQ(PromptText(game), "");
    EXPECT_EQ(owner(), "fraProvingGrounds");
}

// The record, written straight from a settled wizard.

TEST(NewCharacter, DiceMarksAndTheNinja)
{
    Game game(Rng(7));
    NewCharacter n{"X", Race::Human, 2, 1, Class::Fighter, {12, 8, 8, 14, 8, 8}, 19};
    auto roll = [&](auto field) {
        return ObservedRange(400, [&] {
            game.character(1) = Character{};
            WriteNewCharacter(game, n);
            return static_cast<int32_t>(field(game.character(1)));
        });
    };
    EXPECT_EQ(roll([](const Character& c) { return c.age; }), std::make_pair(13, 17));
    // One die of 18 and only the vitality above 13.
    EXPECT_EQ(roll([](const Character& c) { return c.maxHp; }), std::make_pair(2, 19));
    EXPECT_EQ(roll([](const Character& c) { return c.specialFlags; }), std::make_pair(0, 0));
    n.bonusPoints = 20;
    n.classCode = Class::Ninja;
    n.alignment = Align::Chaotic;
    WriteNewCharacter(game, n);
    EXPECT_EQ(game.character(2).specialFlags, Special::LuckyRoll);
    EXPECT_EQ(game.character(2).classMark, -1);
}

TEST(NewCharacter, APriestsFirstPointsFollowIqNotPiety)
{
    // iq 5 allows 1d1 whatever the piety: the spells learnt plus one, always.
    for (uint64_t seed = 1; seed <= 40; ++seed) {
        Game game(Rng{seed});
        WriteNewCharacter(game, {"P", Race::Dwarf, 1, 1, Class::Cleric, {11, 5, 19, 11, 6, 6}, 5});
        const Character& c = game.character(1);
        const int k = known(c, kPriestSchool);
        EXPECT_EQ(known(c, kWizardSchool), 0);
        EXPECT_EQ(c.maxMp(kPriestSchool, 1), std::min(4, k + 1)) << seed;
        EXPECT_EQ(c.mp(kPriestSchool, 1), c.maxMp(kPriestSchool, 1));
    }
}
