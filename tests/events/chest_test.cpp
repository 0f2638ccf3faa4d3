#include <cstdint>
#include <functional>
#include <map>
#include <string>

#include <gtest/gtest.h>

#include "core/panel_names.h"
#include "maze/chest.h"
#include "maze/chest_rules.h"
#include "maze/movement.h"
#include "maze_party.h"
#include "rules/equipment.h"
#include "rules/experience.h"

namespace qvr::test {
namespace {

// Answers every box with Enter (a text box with `typed`) and keeps its text.
struct AutoPrompter : ScriptedPrompter {
    using ScriptedPrompter::run;
    std::string typed;
    void run(Game& game, MessageBox& box) override
    {
        shown.push_back(box.text);
        if (box.type == BoxType::Input)
            box.input = typed;
        box.pressKey(game, Key::Enter);
    }
};

constexpr int kSword = 10, kMail = 11;

// Two members on floor 1 whose saving rolls always fail (luck 1, no
// resistance), each wearing a sword and a mail; trap rows carry names
// T1..T38 and row n effect n.
struct ChestParty : MazeParty {
    AutoPrompter* autoAnswer;

    ChestParty() : MazeParty(1, 5, 5)
    {
        auto p = std::make_unique<AutoPrompter>();
        autoAnswer = p.get();
        prompter = p.get();
        game.prompter = std::move(p);
        for (int n = 1; n <= 38; ++n) {
            TrapDef& t = content().traps[n];
            t.number = static_cast<int16_t>(n);
            t.level = 2;
            t.name = "T" + std::to_string(n);
        }
        item(kSword, "剣", 0, 0);
        item(kMail, "鎧", -4, 0);
        for (Character* c : {&alice(), &bob()}) {
            c->luck = 1;
            c->sex = 1;
            c->level = 5;
            c->baseAc = 10;
            c->items[1] = kSword;
            c->itemFlags[1] = kMainHand;
            c->items[2] = kMail;
            c->itemFlags[2] = 3;
            ApplyEquipment(game, c->rosterNo);
        }
    }

    ItemDef& item(int n, const std::string& name, int ac, int level)
    {
        ItemDef& d = content().items[n];
        d.itemNo = static_cast<int16_t>(n);
        d.name = name;
        d.unknownName = "？" + name;
        d.acBonus = static_cast<int16_t>(ac);
        d.itemLevel = static_cast<int16_t>(level);
        d.classMask = d.raceMask = d.alignMask = d.sexMask = -1;
        return d;
    }

    int both(std::function<int(const Character&)> f) { return f(alice()) + f(bob()); }
    bool said(const std::string& part) const
    {
        for (const std::string& s : prompter->shown)
            if (s.find(part) != std::string::npos)
                return true;
        return false;
    }
};

int carried(const Character& c)
{
    int n = 0;
    for (int s = 1; s <= 12; ++s)
        n += c.items[s] != 0;
    return n;
}

int has(const Character& c, int32_t bit)
{
    return (c.conditions & bit) ? 1 : 0;
}

struct TrapCase {
    int number;
    std::function<void(ChestParty&)> setup;
    std::function<bool(ChestParty&)> outcome;
};

TEST(ChestTraps, EveryEffectStrikesAsItsRowSays)
{
    using P = ChestParty;
    const std::vector<TrapCase> cases = {
        {1, {}, [](P& m) { return m.alice().hp == 16 && m.bob().hp == 30; }},
        {2,
         {},
         [](P& m) { return has(m.alice(), Cond::Poisoned) && !has(m.bob(), Cond::Poisoned); }},
        {3, {}, [](P& m) { return has(m.alice(), Cond::Paralysed) == 1; }},
        {4, {}, [](P& m) { return m.alice().hp == 15 && m.bob().hp == 15; }},
        {5, [](P& m) { m.alice().luck = m.bob().luck = 5; },
         [](P& m) { return m.both([](auto& c) { return c.luck; }) == 9; }},
        {6, [](P& m) { m.alice().mp(1, 3) = m.bob().mp(1, 3) = 4; },
         [](P& m) { return m.both([](auto& c) { return c.mp(1, 3); }) == 4; }},
        {7, [](P& m) { m.alice().age = m.bob().age = 20; },
         [](P& m) {
             int a = m.both([](auto& c) { return c.age; });
             return a >= 41 && a <= 45;
         }},
        {8,
         {},
         [](P& m) {
             const GameState& st = m.game.state;
             return st.posX >= 1 && st.posY >= 1 && m.alice().posX == st.posX &&
                    m.bob().posY == st.posY;
         }},
        {9, {}, [](P& m) { return m.both([](auto& c) { return has(c, Cond::Poisoned); }) == 2; }},
        {10, {}, [](P& m) { return m.both([](auto& c) { return has(c, Cond::Dead); }) == 2; }},
        {11,
         {},
         [](P& m) { return has(m.alice(), Cond::Dead) && m.alice().hp == 0 && m.bob().hp == 30; }},
        {12, [](P& m) { m.alice().alignment = Align::Chaotic; },
         [](P& m) { return m.alice().hp == 1 && m.bob().hp == 30; }},
        {13, [](P& m) { m.alice().alignment = Align::Lawful; },
         [](P& m) { return m.alice().hp == 1 && m.bob().hp == 30; }},
        {14, {}, [](P& m) { return m.both(carried) == 3 && m.said("剣壊れた"); }},
        {15, [](P& m) { m.bob().alignment = Align::Lawful; },
         [](P& m) { return m.alice().hp == 1 && m.bob().hp == 30; }},
        {16, {}, [](P& m) { return m.both([](auto& c) { return c.level; }) == 9; }},
        {17, {}, [](P& m) { return m.both([](auto& c) { return has(c, Cond::Stoned); }) == 1; }},
        {18, {}, [](P& m) { return m.both([](auto& c) { return has(c, Cond::Dead); }) == 1; }},
        {19, {}, [](P& m) { return m.both([](auto& c) { return has(c, Cond::Vanished); }) == 1; }},
        {20, {}, [](P& m) { return m.both([](auto& c) { return has(c, Cond::Dead); }) == 2; }},
        {21,
         [](P& m) {
             m.alice().hp = m.bob().hp = 5;
             m.alice().conditions = m.bob().conditions = Cond::Paralysed;
         },
         [](P& m) {
             return m.both([](auto& c) { return c.hp; }) == 35 &&
                    m.both([](auto& c) { return has(c, Cond::Paralysed); }) == 1;
         }},
        {22,
         [](P& m) {
             for (int s = 0; s <= 1; ++s)
                 for (int l = 1; l <= 9; ++l)
                     for (int k = 1; k <= 4; ++k)
                         m.alice().spellKnown(s, l, k) = m.bob().spellKnown(s, l, k) = 1;
         },
         [](P& m) {
             int known = 0;
             for (Character* c : {&m.alice(), &m.bob()})
                 for (int s = 0; s <= 1; ++s)
                     for (int l = 1; l <= 9; ++l)
                         for (int k = 1; k <= 4; ++k)
                             known += c->spellKnown(s, l, k);
             return known == 143;
         }},
        // Armour class follows the mail that is gone.
        {23,
         {},
         [](P& m) { return m.both(carried) == 3 && m.both([](auto& c) { return c.ac; }) == 16; }},
        {24, {}, [](P& m) { return m.both([](auto& c) { return c.piety; }) == 1; }},
        {25,
         {},
         [](P& m) {
             const Character& a = m.alice().race == Race::Angel ? m.alice() : m.bob();
             return m.both([](auto& c) { return c.race == Race::Angel ? 1 : 0; }) == 1 &&
                    a.exp == ExpForLevel(4, a.classCode, Race::Angel);
         }},
        {26, [](P& m) { m.alice().hp = m.bob().hp = 20; },
         [](P& m) { return m.both([](auto& c) { return has(c, Cond::Dead); }) == 2; }},
        {27, [](P& m) { m.alice().steps = m.bob().steps = 640; },
         [](P& m) {
             int hp = m.both([](auto& c) { return c.hp; });
             return hp >= 40 && hp < 60;
         }},
        {28,
         [](P& m) {
             m.alice().piety = 16;
             m.alice().marks = m.bob().marks = 105;
         },
         [](P& m) { return m.alice().hp == 20 && m.bob().hp == 30; }},
        {29,
         {},
         [](P& m) {
             const Character& gone = m.game.state.partyMember[1] == 1 ? m.bob() : m.alice();
             return m.game.state.partyCount == 1 && gone.groupNo == 0 && gone.floor >= 14 &&
                    gone.floor <= 17;
         }},
        {30, [](P& m) { m.alice().conditions = m.bob().conditions = Cond::Sick; },
         [](P& m) { return m.both([](auto& c) { return has(c, Cond::Sick); }) == 0; }},
        {31,
         [](P& m) {
             for (int s = 3; s <= 12; ++s)
                 m.alice().items[s] = m.bob().items[s] = kSword;
         },
         [](P& m) {
             int n = m.both(carried);
             return n < 24 && n >= 19 && m.alice().items[1] == kSword;
         }},
        {32, [](P& m) { m.alice().agility = m.bob().agility = 10; },
         [](P& m) { return m.both([](auto& c) { return c.agility; }) == 19; }},
        {33,
         [](P& m) {
             m.alice().sex = 1;
             m.bob().sex = 2;
         },
         [](P& m) { return has(m.alice(), Cond::Charmed) && !has(m.bob(), Cond::Charmed); }},
        {34, [](P& m) { m.alice().exp = m.bob().exp = 99999; },
         [](P& m) { return m.alice().exp == ExpForLevel(3, Class::Fighter, Race::Human); }},
        {35, {}, [](P& m) { return m.game.screen.quit; }},
        {36, [](P& m) { m.alice().gold = m.bob().gold = 100; },
         [](P& m) { return m.both([](auto& c) { return c.gold; }) == 100; }},
        {37,
         [](P& m) {
             m.alice().vitality = m.bob().vitality = 10;
             m.alice().rip = m.bob().rip = 25;
         },
         [](P& m) { return m.both([](auto& c) { return c.vitality; }) == 30; }},
        {38, [](P& m) { m.alice().rip = m.bob().rip = 5; },
         [](P& m) {
             return m.both([](auto& c) { return c.maxHp; }) == 55 &&
                    m.both([](auto& c) { return c.hp; }) == 55;
         }},
        {39, {}, [](P& m) { return m.said("かいはつちゅー") && m.alice().hp == 30; }},
    };
    for (const TrapCase& t : cases) {
        ChestParty m;
        if (t.setup)
            t.setup(m);
        TrapEnd end = ApplyTrapEffect(m.game, t.number, 1);
        EXPECT_EQ(end == TrapEnd::Closed, t.number == 35) << t.number;
        EXPECT_TRUE(t.outcome(m)) << "trap " << t.number;
    }
}

TEST(ChestTraps, TeleporterIntoRockEndsTheParty)
{
    ChestParty m;
    for (int y = 0; y < kMazeSize; ++y)
        for (int x = 0; x < kMazeSize; ++x)
            m.content().mazeWalls(1, y, x) = 15;
    // The party's own cell stays open: only the teleporter can put it in rock.
    const GameState& at = m.game.state;
    m.content().mazeWalls(1, at.posY, at.posX) = 0;
    EXPECT_FALSE(CheckInRock(m.game));
    m.game.state.groupNo = 1;
    ApplyTrapEffect(m.game, 8, 1);
    EXPECT_TRUE(CheckInRock(m.game));
    EXPECT_EQ(m.game.state.partyCount, 0);
    EXPECT_EQ(m.game.character(1).rosterNo, 0); // erased in the rock
    EXPECT_TRUE(m.said("石の中にいる"));

    // A battle from a maze event leaves the teleporter still.
    ChestParty e;
    e.game.state.eventResult = 5;
    ApplyTrapEffect(e.game, 8, 1);
    EXPECT_EQ(e.game.state.posX, 5);
    EXPECT_EQ(e.game.state.posY, 5);
}

// Over many tries the looks of each class come out at their odds.
TEST(ChestFinding, InspectOddsByClass)
{
    struct Case {
        int16_t classCode, agility;
        double truth, sprung; // the true name includes a random row that hits it
    };
    const Case cases[] = {
        {Class::Thief, 10, 0.9 + 0.1 * 49 / 50 / 38, 0.1 / 50},
        {Class::Bard, 4, 0.75 + 0.25 * 49 / 50 / 38, 0.25 / 50},
        {Class::Ninja, 10, 0.8 + 0.2 * 19 / 20 / 38, 0.2 / 20},
        {Class::Fighter, 18, 2.0 / 18 + 16.0 / 18 * 7 / 8 / 38, 16.0 / 18 / 8},
        {Class::Wizard, 10, 7.0 / 8 / 38, 1.0 / 8},
    };
    for (const Case& c : cases) {
        ChestParty m;
        m.alice().classCode = c.classCode;
        m.alice().agility = c.agility;
        const TrapDef& trap = m.content().traps[5];
        const int n = 20000;
        int truth = 0, sprung = 0;
        for (int i = 0; i < n; ++i) {
            Finding f = InspectChest(m.game, m.alice(), trap);
            sprung += f.sprung;
            truth += !f.sprung && f.name == trap.name;
        }
        EXPECT_NEAR(truth / double(n), c.truth, 0.012) << c.classCode;
        EXPECT_NEAR(sprung / double(n), c.sprung, 0.006) << c.classCode;
    }
}

TEST(ChestFinding, DisarmByNameInAnyCaseThenTheRoll)
{
    struct Case {
        std::string typed;
        int16_t classCode, agility, level, luck;
        double disarmed, sprung; // the rest fail
    };
    const Case cases[] = {
        {"t5", Class::Thief, 100, 100, 1, 50.0 / 51, 1.0 / 51}, // any case; 1 always springs
        {" T5 ", Class::Ninja, 100, 100, 1, 50.0 / 51, 1.0 / 51},
        {"T6", Class::Thief, 100, 100, 18, 0, 1},   // the wrong name
        {"T5", Class::Fighter, 100, 100, 12, 0, 1}, // luck under 13 springs it
        {"T5", Class::Fighter, 100, 100, 18, 50.0 / 51 * 6 / 18, 1.0 / 51 + 50.0 / 51 * 12 / 18},
        {"T5", Class::Thief, 1, 1, 18, 0, 1.0 / 51}, // too clumsy: a miss
    };
    for (const Case& c : cases) {
        ChestParty m;
        Character& a = m.alice();
        a.classCode = c.classCode;
        a.agility = c.agility;
        a.level = c.level;
        a.luck = c.luck;
        const int n = 20000;
        std::map<DisarmResult, int> seen;
        for (int i = 0; i < n; ++i)
            ++seen[TryDisarm(m.game, a, 1, m.content().traps[5], c.typed)];
        EXPECT_NEAR(seen[DisarmResult::Disarmed] / double(n), c.disarmed, 0.012) << c.typed;
        EXPECT_NEAR(seen[DisarmResult::Sprung] / double(n), c.sprung, 0.012) << c.typed;
    }
}

TEST(ChestContents, ItemsOfTheChestLevelGoUnidentifiedToWhoeverHasRoom)
{
    for (int level : {1, 2}) {
        ChestParty c;
        c.item(20, "一の品", 0, 1);
        c.item(21, "二の品", 0, 2).classMask = 0; // nobody may wear it
        for (int s = 3; s <= 12; ++s)
            c.alice().items[s] = kSword; // Alice's pack is full
        for (int round = 0; round < 10; ++round)
            GiveChestContents(c.game, level);
        int found = 0;
        for (int s = 3; s <= 12; ++s) {
            const int16_t it = c.bob().items[s], flags = c.bob().itemFlags[s];
            if (it == 0)
                continue;
            ++found;
            EXPECT_TRUE(it == 20 || (level == 2 && it == 21)) << it;
            EXPECT_EQ(flags, ItemFlag::Unidentified | (it == 21 ? ItemFlag::CannotEquip : 0));
        }
        EXPECT_EQ(found, 10); // ten draws of one to three filled every free slot
        EXPECT_EQ(c.game.save().itemTally[20] + c.game.save().itemTally[21], 10);
        EXPECT_TRUE(c.said("パーティーの持ち物はいっぱいだった"));
        EXPECT_TRUE(c.said("ボブは\n？一の品を手に入れた"));
    }
}

// The panel by keys: a look shows the name for two seconds and goes from
// the list; an actor who cannot act is refused; leaving runs the cell's
// after-battle event.
TEST(ChestPanel, InspectOnceThenLeaveRunsTheAfterBattleEvent)
{
    ChestParty m;
    m.game.state.eventResult = 3;
    m.add(TriggerSet::After, 5, 5, {EventOp{OpCode::Battle, 77}});
    m.alice().classCode = Class::Thief;
    m.alice().agility = 18;
    m.bob().conditions = Cond::Dead;
    OpenChest(m.game, 3, 5);
    EXPECT_EQ(m.game.place.mode, Mode::Chest);
    EXPECT_EQ(m.owner(), kTreasurePanel);
    EXPECT_EQ(m.rowTexts(kTreasurePanel).size(), 5u);

    m.press('I');
    EXPECT_EQ(m.owner(), kPartyPanel);
    m.press(Key::Down);
    m.press(Key::Enter); // Bob is dead
    EXPECT_TRUE(m.said(kCannotActText));
    EXPECT_EQ(m.owner(), kTreasurePanel);

    m.press('O');
    m.press(Key::Escape); // nobody chosen: the chest waits, still shut
    EXPECT_EQ(m.owner(), kTreasurePanel);
    EXPECT_TRUE(m.panel(kTreasurePanel).enabled);
    EXPECT_FALSE(m.panel(kPartyPanel).enabled);

    m.press('I');
    m.press(Key::Enter);
    const Label* name = m.panel(kTreasurePanel).findLabel(kTreasureLabel);
    ASSERT_TRUE(name);
    EXPECT_TRUE(name->visible);
    EXPECT_FALSE(name->text.empty());
    EXPECT_EQ(m.rowTexts(kTreasurePanel).front(), "D)ＤＩＳＢＡ");
    m.game.timers.advance(m.game, kTreasureShowMs);
    EXPECT_FALSE(m.panel(kTreasurePanel).findLabel(kTreasureLabel)->visible);
    EXPECT_TRUE(m.panel(kTreasurePanel).enabled);

    m.press(Key::Escape);
    EXPECT_FALSE(m.panel(kTreasurePanel).visible);
    EXPECT_FALSE(m.said(kSprungText));
    EXPECT_EQ(m.both(carried), 4); // left unopened
    // The cell's after-battle event asks for encounter 77, and it starts.
    EXPECT_EQ(m.game.place.mode, Mode::Battle);
    EXPECT_EQ(m.game.state.eventResult, 77);
}

TEST(ChestPanel, DisarmByLowerCaseNameOpensTheChestAndRewards)
{
    ChestParty m;
    m.item(20, "一の品", 0, 1);
    m.alice().classCode = Class::Thief;
    m.alice().agility = 200;
    m.alice().exp = 0;
    m.game.rng = Rng(7);
    OpenChest(m.game, 1, 5);
    m.autoAnswer->typed = "t5";
    m.press('P');
    m.press(Key::Enter);
    // Unless the one roll in 51 went wrong, the trap is off and the chest open.
    if (m.said(kDisarmedText)) {
        EXPECT_EQ(m.alice().exp, 100);
        EXPECT_FALSE(m.said(kSprungText));
    }
    EXPECT_TRUE(m.said("を手に入れた"));
    EXPECT_FALSE(m.panel(kTreasurePanel).visible);
    EXPECT_EQ(m.game.place.mode, Mode::Maze);
    EXPECT_GE(m.recorder.saves, 1);
    // The party list picked the thief; with the chest gone it keeps nothing.
    EXPECT_NE(m.owner(), kPartyPanel);
    EXPECT_NE(m.owner(), kTreasurePanel);
}

// Opening by the party list, sprung or not: afterwards the maze has the
// keyboard, not the list that chose who opened.
TEST(ChestPanel, OpeningLeavesTheKeyboardToTheMaze)
{
    ChestParty m;
    m.item(20, "一の品", 0, 1);
    OpenChest(m.game, 1, 3); // trap 3 paralyses the opener
    m.press('O');
    EXPECT_EQ(m.owner(), kPartyPanel);
    m.press(Key::Enter);
    EXPECT_FALSE(m.panel(kTreasurePanel).visible);
    EXPECT_EQ(m.game.place.mode, Mode::Maze);
    EXPECT_EQ(m.owner(), "");
}

// The disarm's experience and the item tally stay at the top of their
// 32-bit fields instead of wrapping to a debt.
TEST(ChestPanel, RewardsAndTalliesSaturate)
{
    ChestParty m;
    m.item(20, "一の品", 0, 1);
    m.alice().classCode = Class::Thief;
    m.alice().agility = 200;
    m.autoAnswer->typed = "T5";
    // The disarm's own rolls are the chest's; a few chests make sure one of
    // them is disarmed rather than sprung.
    bool disarmed = false;
    for (int tries = 0; tries < 20 && !disarmed; ++tries) {
        m.alice().exp = INT32_MAX - 10;
        m.prompter->shown.clear();
        OpenChest(m.game, 1, 5);
        m.press('P');
        m.press(Key::Enter);
        disarmed = m.said(kDisarmedText);
        for (int s = 3; s <= 12; ++s)
            m.alice().items[s] = m.bob().items[s] = 0;
    }
    ASSERT_TRUE(disarmed);
    EXPECT_EQ(m.alice().exp, INT32_MAX);

    m.game.save().itemTally[20] = INT32_MAX;
    GiveChestContents(m.game, 1);
    EXPECT_EQ(m.game.save().itemTally[20], INT32_MAX);
}

TEST(ChestPanel, TheRevealingSpellNeedsItsPoints)
{
    ChestParty m;
    SpellDef& s = m.content().spells[kRevealSpell];
    s.school = 1;
    s.level = 2;
    s.slot = 1;
    OpenChest(m.game, 1, 5);
    m.press('D');
    m.press(Key::Enter);
    EXPECT_TRUE(m.said(kNoPowerText));
    m.alice().spellKnown(1, 2, 1) = 1;
    m.alice().mp(1, 2) = 1;
    m.press('D');
    m.press(Key::Enter);
    EXPECT_EQ(m.alice().mp(1, 2), 0);
    EXPECT_TRUE(m.panel(kTreasurePanel).findLabel(kTreasureLabel)->visible);
}

} // namespace
} // namespace qvr::test
