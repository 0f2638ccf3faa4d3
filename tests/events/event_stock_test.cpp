// The stock events: the word a riddle accepts, the drinker's tiers and who
// pays, the spell book's tests, the bump's roll, rewards and item scripts.

#include <gtest/gtest.h>

#include "core/dice.h"
#include "core/messages.h"
#include "core/textformat.h"
#include "maze/event_stock.h"
#include "maze/party_items.h"
#include "tests/events/maze_party.h"

namespace qvr::test {
namespace {

EventOp Op(OpCode code, int a = 0, int b = 0, int c = 0)
{
    return {code, static_cast<int16_t>(a), static_cast<int16_t>(b), static_cast<int16_t>(c), {}};
}

TEST(StockEvents, TheRiddleComparesInUpperCaseAndFullWidth)
{
    const struct {
        const char* typed;
        bool accepted;
    } cases[] = {
        {"ＨＵＭＡＮ", true}, {"human", true},       {"HuMaN", true},   {"ｈｕｍａｎ", true},
        {"ひと", true},       {"人", true},          {"ﾆﾝｹﾞﾝ", true},   {"人間", true},
        {"人間だ", false},    {"humans", false},     {" human", false}, {"ＨＵＭＡＮ ", false},
        {"", false},          {"にんげん。", false}, {"hito", false},
    };
    for (const auto& c : cases)
        EXPECT_EQ(RiddleAccepts(c.typed), c.accepted) << c.typed;
    EXPECT_EQ(UpperFullWidth("abc ｘ1"), "ＡＢＣ　Ｘ１");
    EXPECT_EQ(AsciiUpper("abcＸ1ｙ"), "ABCＸ1ｙ");
}

// The tier follows the first of flags 1..20 still clear; the first member
// who can pay pays and the flag of the tip heard is set.
TEST(StockEvents, TheDrinkerSellsByTierAndFightsWhenUnpaid)
{
    const struct {
        int flagsSet; // flags 1..n already set
        int question;
        int32_t price;
        int firstFlag, lastFlag; // the flag the tip sets lies here
    } tiers[] = {
        {0, 12106, 1000, 1, 5},       {5, 12107, 10000, 6, 10},     {10, 12108, 100000, 11, 14},
        {14, 12109, 1000000, 15, 17}, {20, 12109, 1000000, 15, 17},
    };
    for (const auto& t : tiers) {
        MazeParty m(3, 10, 11);
        for (int f = 1; f <= t.flagsSet; ++f)
            m.game.save().eventFlags[f] = 1;
        m.alice().gold = t.price - 1;
        m.bob().gold = t.price;
        m.answerYes();
        m.ok();
        Rng copy = m.game.rng;
        const int e = Dice(copy, 1, t.firstFlag == 11 ? 4 : t.firstFlag == 15 ? 3 : 5, 0);
        EXPECT_EQ(RumourDrinker(m.game, 1022, 8, 6), 0);
        const std::vector<std::string> shown = m.shown();
        ASSERT_EQ(shown.size(), 2u);
        EXPECT_EQ(shown[0], "ASK |" + std::string(MessageText(m.game, t.question)));
        EXPECT_EQ(m.alice().gold, t.price - 1) << "alice cannot pay, so she keeps hers";
        EXPECT_EQ(m.bob().gold, 0);
        const int flag = t.firstFlag + e - 1;
        EXPECT_EQ(m.game.save().eventFlags[flag], 1) << t.question;
        EXPECT_EQ(shown[1], "MSG |" + std::string(MessageText(m.game, 12110 + flag)));
    }
    // Nobody can pay: two angry lines and a fight with the drinker.
    MazeParty broke(3, 10, 11);
    broke.answerYes();
    broke.ok(2);
    EXPECT_EQ(RumourDrinker(broke.game, 1022, 8, 6), 1022);
    EXPECT_EQ(broke.game.state.encounterOrigin, 13);
    EXPECT_EQ(broke.shown().size(), 3u);
    // A refusal sends the party back to the door, and nobody pays.
    MazeParty no(3, 10, 11);
    no.bob().gold = 5000;
    no.answerNo();
    no.ok();
    EXPECT_EQ(RumourDrinker(no.game, 1022, 8, 6), 0);
    EXPECT_EQ(no.game.state.posX, 8);
    EXPECT_EQ(no.game.state.posY, 6);
    EXPECT_EQ(no.bob().gold, 5000);
}

TEST(StockEvents, TheBookTeachesOnlyAQualifiedMember)
{
    const struct {
        const char* what;
        int school, level;
        int16_t classCode;
        int32_t memberLevel;
        int16_t stat;
        bool known;
        const char* says;
    } cases[] = {
        {"a wizard", 1, 3, Class::Wizard, 5, 12, false, "アリスは\r\n魔法を憶えた"},
        {"a cleric", 2, 2, Class::Cleric, 3, 11, false, "アリスは\r\n魔法を憶えた"},
        {"a fighter", 1, 1, Class::Fighter, 9, 18, false,
         "アリスは\r\n魔法を憶えることが出来なかった"},
        {"a sage", 1, 1, Class::Sage, 9, 18, false, "アリスは\r\n魔法を憶えることが出来なかった"},
        {"too young", 1, 3, Class::Wizard, 4, 18, false,
         "アリスは\r\n魔法を憶えることが出来なかった"},
        {"not wise enough", 1, 3, Class::Wizard, 5, 11, false,
         "アリスは\r\n魔法を憶えることが出来なかった"},
        {"the wrong school", 2, 1, Class::Wizard, 9, 18, false,
         "アリスは\r\n魔法を憶えることが出来なかった"},
        {"known already", 1, 3, Class::Wizard, 5, 12, true, "すでに習得している"},
    };
    for (const auto& c : cases) {
        MazeParty m(5, 1, 1);
        Character& a = m.alice();
        a.classCode = c.classCode;
        a.level = c.memberLevel;
        (c.school == 1 ? a.iq : a.piety) = c.stat;
        a.spellKnown(c.school - 1, c.level, 4) = c.known ? 1 : 0;
        m.ok(2);
        m.prompter->answer({Key::Enter});
        m.ok();
        LearnFromBook(m.game, c.school, c.level);
        const std::vector<std::string> shown = m.shown();
        ASSERT_EQ(shown.size(), 4u) << c.what;
        EXPECT_EQ(shown[0], "MSG |" + std::string(MessageText(m.game, 16021))) << c.what;
        EXPECT_EQ(shown[1], "MSG |" + std::string(MessageText(m.game, 16021 + c.school)));
        EXPECT_EQ(shown[3], std::string("MSG |") + c.says) << c.what;
        const bool learnt = std::string(c.says).ends_with("憶えた");
        EXPECT_EQ(a.spellKnown(c.school - 1, c.level, 4), learnt || c.known ? 1 : 0) << c.what;
        EXPECT_EQ(c.school == 1 ? a.iq : a.piety, learnt ? c.stat - 1 : c.stat) << c.what;
        if (learnt) {
            EXPECT_GE(a.maxMp(c.school - 1, c.level), 1);
            EXPECT_LE(a.maxMp(c.school - 1, c.level), 3);
        }
    }
}

TEST(StockEvents, TheBumpHurtsOnATwoAndEndsTheScript)
{
    for (int i = 0; i < 12; ++i) {
        MazeParty m(1, 4, 4);
        for (int skip = 0; skip < i; ++skip)
            m.game.rng.uniform();
        m.add(TriggerSet::Enter, 4, 4, {Op(OpCode::Bump), Op(OpCode::Say)});
        m.opList.back().text = "after";
        Rng copy = m.game.rng;
        const bool two = Dice(copy, 1, 3, 0) == 2;
        m.ok();
        RunCellEvent(m.game);
        EXPECT_EQ(m.shown(), std::vector<std::string>{two ? "MSG |いてっ！" : "MSG |after"}) << i;
    }
}

// Six may be required or refused; strength 19 in whoever comes first.
TEST(StockEvents, PartySizeAndStrengthGateTheScript)
{
    const struct {
        OpCode code;
        int value;
        int16_t bobStrength;
        bool goesOn;
        const char* first; // what the box says first, or nothing
    } cases[] = {
        {OpCode::PartyOf, 6, 0, false, nullptr},
        {OpCode::FewerThan, 6, 0, true, nullptr},
        {OpCode::FewerThan, 2, 0, false, nullptr},
        {OpCode::Strength, 19, 19, true, "ボブは\n扉をこじ開けた"},
        {OpCode::Strength, 19, 18, false, nullptr},
    };
    for (const auto& c : cases) {
        MazeParty m(1, 4, 4);
        m.bob().strength = c.bobStrength;
        m.add(TriggerSet::Enter, 4, 4, {Op(c.code, c.value), Op(OpCode::Say)});
        m.opList.back().text = "open";
        std::vector<std::string> want;
        if (c.first)
            want.push_back(std::string("MSG |") + c.first);
        if (c.goesOn)
            want.push_back("MSG |open");
        m.ok(static_cast<int>(want.size()));
        RunCellEvent(m.game);
        EXPECT_EQ(m.shown(), want) << static_cast<int>(c.code) << " " << c.value;
    }
}

// After a chest the reward comes from the bottom of the box; a full party
// hears so, and the once-flag stays clear for a later visit.
TEST(StockEvents, RewardsAfterABattleOrAChest)
{
    for (bool chest : {false, true})
        for (bool full : {false, true}) {
            MazeParty m(3, 15, 15);
            m.add(TriggerSet::After, 15, 15, {Op(OpCode::Once, 32), Op(OpCode::Reward, 43, 1)});
            if (full)
                for (int r : {1, 2})
                    for (int s = 1; s <= 12; ++s)
                        m.game.character(r).items[s] = 1;
            std::vector<std::string> want;
            if (full)
                want = {"MSG |アイテムがいっぱいですよ"};
            else if (chest)
                want = {"MSG |箱の底にアイテムが入っていた", "MSG |アイテムを手に入れた"};
            else
                want = {"MSG |アイテムを手に入れた"};
            m.ok(static_cast<int>(want.size()));
            EXPECT_EQ(AfterBattleEvent(m.game, chest), 0);
            EXPECT_EQ(m.shown(), want) << chest << full;
            EXPECT_EQ(m.game.save().eventFlags[32], full ? 0 : 1);
            EXPECT_EQ(!NobodyHolds(m.game, 43, false), !full);
        }
}

TEST(StockEvents, AnItemUsedInItsPlaceIsReplacedOrRaisesItsUser)
{
    MazeParty m(3, 18, 2, 1);
    m.bob().items[3] = 56;
    m.bob().strength = 10;
    m.add(TriggerSet::Use, 18, 2, {Op(OpCode::Raise, 1, 5), Op(OpCode::Replace, 57)}, 0, 56);
    m.ok();
    EXPECT_EQ(UseItemHere(m.game, 56, 2, 3), 0);
    EXPECT_EQ(m.shown(), std::vector<std::string>{"MSG |アイテムを手に入れた"});
    EXPECT_EQ(m.bob().strength, 15);
    EXPECT_EQ(m.bob().items[3], 57);
    // Used nowhere special: nothing happens.
    m.ok();
    EXPECT_EQ(UseItemHere(m.game, 57, 2, 3), 0);
    EXPECT_EQ(m.shown(), std::vector<std::string>{"MSG |何もおこらない"});
}

} // namespace
} // namespace qvr::test
