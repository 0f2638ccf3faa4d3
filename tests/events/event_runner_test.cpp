// The event runner's contract: which trigger runs, what each stock event
// does with the party, and the results the walk acts on.

#include <gtest/gtest.h>

#include "core/dice.h"
#include "core/messages.h"
#include "maze/movement.h"
#include "tests/events/maze_party.h"

namespace qvr::test {
namespace {

constexpr uint8_t kFacingEast = 2;

EventOp Op(OpCode code, int a = 0, int b = 0, int c = 0, std::string_view text = {})
{
    return {code, static_cast<int16_t>(a), static_cast<int16_t>(b), static_cast<int16_t>(c), text};
}

TEST(EventRunner, AFacingTriggerRunsOnlyFacingItsWay)
{
    struct Case {
        int facing;
        bool fires;
    } cases[] = {{0, false}, {1, true}, {2, false}, {3, false}};
    for (const Case& c : cases) {
        MazeParty m(1, 3, 3, c.facing);
        m.add(TriggerSet::Enter, 3, 3, {Op(OpCode::Say, 0, 0, 0, "east")}, kFacingEast);
        m.add(TriggerSet::Enter, 3, 4, {Op(OpCode::Say, 0, 0, 0, "elsewhere")});
        if (c.fires)
            m.ok();
        EXPECT_EQ(RunCellEvent(m.game), 0);
        EXPECT_EQ(m.shown(),
                  c.fires ? std::vector<std::string>{"MSG |east"} : std::vector<std::string>{})
            << "facing " << c.facing;
    }
}

// The first trigger whose cell matches decides: its failed conditions end
// the search unless it says "else", and a once-flag ends the script on later
// visits.
TEST(EventRunner, ConditionsAndOnceFlags)
{
    MazeParty m(1, 5, 5);
    m.add(TriggerSet::Enter, 5, 5, {Op(OpCode::Say, 0, 0, 0, "flagged")}, 0, 0,
          {{CondCode::FlagSet, 30}});
    m.triggerList.back().passOn = 1;
    m.add(TriggerSet::Enter, 5, 5, {Op(OpCode::Once, 22), Op(OpCode::Say, 0, 0, 0, "first")});
    m.ok();
    RunCellEvent(m.game);
    EXPECT_EQ(m.game.save().eventFlags[22], 1);
    RunCellEvent(m.game);
    m.game.save().eventFlags[30] = 1;
    m.ok();
    RunCellEvent(m.game);
    EXPECT_EQ(m.shown(), (std::vector<std::string>{"MSG |first", "MSG |flagged"}));

    // Without "else" a failed condition stops there: the later trigger on
    // the cell, with no condition at all, stays silent.
    MazeParty strict(1, 5, 5);
    strict.add(TriggerSet::Enter, 5, 5, {Op(OpCode::Say, 0, 0, 0, "flagged")}, 0, 0,
               {{CondCode::FlagSet, 30}});
    strict.add(TriggerSet::Enter, 5, 5, {Op(OpCode::Say, 0, 0, 0, "later")});
    EXPECT_EQ(RunCellEvent(strict.game), 0);
    EXPECT_TRUE(strict.shown().empty());
    // A trigger facing elsewhere does not match, so it does not stop the search.
    MazeParty turned(1, 5, 5, 2);
    turned.add(TriggerSet::Enter, 5, 5, {Op(OpCode::Say, 0, 0, 0, "north")}, 1);
    turned.add(TriggerSet::Enter, 5, 5, {Op(OpCode::Say, 0, 0, 0, "any")});
    turned.ok();
    RunCellEvent(turned.game);
    EXPECT_EQ(turned.shown(), (std::vector<std::string>{"MSG |any"}));

    // The night gate: the hour above 18 or below 4.
    MazeParty n(1, 5, 5);
    n.add(TriggerSet::Enter, 5, 5, {Op(OpCode::Say, 0, 0, 0, "night")}, 0, 0, {{CondCode::Night}});
    for (int hour : {18, 19, 3, 4}) {
        static_cast<FixedClock&>(*n.game.clock).set(hour * 3600 + 59 * 60);
        if (hour == 19 || hour == 3)
            n.ok();
        RunCellEvent(n.game);
        EXPECT_EQ(n.shown().size(), hour == 19 || hour == 3 ? 1u : 0u) << hour;
    }
}

// The game's own floor 3: the tavern's door is two triggers on one cell, the
// night's passing on to the day's.
TEST(EventRunner, TheTavernDoorOfTheRealFloorTellsNightFromDay)
{
    for (int hour : {12, 20}) {
        MazeParty m(3, 8, 6, 2);
        static_cast<FixedClock&>(*m.game.clock).set(hour * 3600);
        m.ok();
        EXPECT_EQ(RunCellEvent(m.game), 0);
        EXPECT_EQ(m.shown(),
                  std::vector<std::string>{hour == 12
                                               ? "MSG |扉には『準備中』の札がかかっている"
                                               : "MSG |扉の向こうから、陽気な歌声が聞こえてくる"})
            << hour;
    }
}

TEST(EventRunner, CastleExitOnlyFacingNorthOrWest)
{
    struct Case {
        int facing;
        bool asked, yes;
    } cases[] = {{2, false, false}, {1, false, false}, {0, true, true}, {3, true, false}};
    for (const Case& c : cases) {
        MazeParty m(1, 0, 0, c.facing);
        if (c.asked)
            c.yes ? m.answerYes() : m.answerNo();
        int result = RunCellEvent(m.game);
        std::vector<std::string> shown = m.shown();
        EXPECT_EQ(!shown.empty() && shown[0] == "ASK |城へ戻りますか？", c.asked) << c.facing;
        EXPECT_EQ(result, c.yes ? -1 : 0);
        EXPECT_EQ(m.game.state.floor, c.yes ? -1 : 1);
    }
}

TEST(EventRunner, StairsGoOnYesAndReplayTheFloorMusicEitherWay)
{
    for (bool yes : {true, false}) {
        MazeParty m(1, 2, 3);
        yes ? m.answerYes() : m.answerNo();
        EXPECT_EQ(RunCellEvent(m.game), 0);
        EXPECT_EQ(m.shown(), std::vector<std::string>{"ASK |下る階段がある\n下がりますか？"});
        EXPECT_EQ(m.game.state.floor, yes ? 2 : 1);
        EXPECT_EQ(m.count("MUSIC 10"), 1);
        if (yes) {
            m.answerYes();
            RunCellEvent(m.game); // and back up from the landing
            EXPECT_EQ(m.shown(), std::vector<std::string>{"ASK |上る階段がある\n上がりますか？"});
            EXPECT_EQ(m.game.state.floor, 1);
            EXPECT_EQ(m.alice().floor, 1);
        }
    }
}

TEST(EventRunner, ChuteDropsThePartyWithoutAQuestion)
{
    MazeParty m(2, 9, 8);
    m.ok();
    EXPECT_EQ(RunCellEvent(m.game), 0);
    EXPECT_EQ(m.shown(), std::vector<std::string>{"MSG |シュート！！"});
    EXPECT_EQ(m.game.state.floor, 3);
    EXPECT_EQ(m.game.state.posX, 9);
    EXPECT_EQ(m.game.state.posY, 8);
}

TEST(EventRunner, KeyItemsAreFoundBySearching)
{
    for (bool packsFull : {false, true}) {
        MazeParty m(4, 5, 6);
        m.game.state.keyItemPlaces[3] = {4, 5, 6};
        if (packsFull)
            for (Character* c : {&m.alice(), &m.bob()})
                for (int s = 1; s <= 12; ++s)
                    c->items[s] = 54;
        m.ok(2);
        EXPECT_EQ(SearchHere(m.game), 0);
        EXPECT_EQ(m.shown(), (std::vector<std::string>{"MSG |何かが落ちている・・・",
                                                       packsFull ? "MSG |持ち物がいっぱいだ"
                                                                 : "MSG |アイテムを手に入れた"}));
        EXPECT_EQ(m.alice().items[1], packsFull ? 54 : 97);
        EXPECT_EQ(m.alice().itemFlags[1], packsFull ? 0 : ItemFlag::Unidentified);
        if (!packsFull) {
            m.ok();
            SearchHere(m.game);
            EXPECT_EQ(m.shown(), std::vector<std::string>{"MSG |なにも見つからなかった"});
        }
    }
}

TEST(EventRunner, ABattleSetsItsOriginAndReturnsTheEncounter)
{
    MazeParty m(1, 4, 4);
    m.game.state.encounterOrigin = 12;
    m.add(TriggerSet::Enter, 4, 4, {Op(OpCode::Once, 31), Op(OpCode::Battle, 1021, 14)});
    EXPECT_EQ(RunCellEvent(m.game), 1021);
    EXPECT_EQ(m.game.state.encounterOrigin, 14);
    EXPECT_EQ(RunCellEvent(m.game), 0); // the guard fights once
}

TEST(EventRunner, ItemsUsedAndGiven)
{
    MazeParty m(1, 4, 4);
    m.add(TriggerSet::Use, 4, 4, {Op(OpCode::Message, 11207), Op(OpCode::Give, 60, 1)}, 0, 56);
    m.ok(3);
    EXPECT_EQ(UseItemHere(m.game, 55), 0);
    EXPECT_EQ(UseItemHere(m.game, 56), 0);
    EXPECT_EQ(m.shown(),
              (std::vector<std::string>{"MSG |何もおこらない", "MSG |壁の文字を手帳に書き写した",
                                        "MSG |アイテムを手に入れた"}));
    EXPECT_EQ(m.alice().items[1], 60);
    EXPECT_TRUE(m.alice().itemFlags[1] & ItemFlag::Unidentified);

    for (Character* c : {&m.alice(), &m.bob()})
        for (int s = 1; s <= 12; ++s)
            c->items[s] = 54;
    m.add(TriggerSet::Search, 4, 4, {Op(OpCode::Once, 40), Op(OpCode::Give, 60)});
    m.ok();
    SearchHere(m.game);
    EXPECT_EQ(m.shown(), std::vector<std::string>{"MSG |アイテムがいっぱいですよ"});
    EXPECT_EQ(m.game.save().eventFlags[40], 0); // still there for a later visit
}

TEST(EventRunner, FloorTrapByLuckAndLevitation)
{
    struct Case {
        int luck;
        bool floating;
        const char* aliceLine; // after "トラップだ！", or the only line
    } cases[] = {
        {1, false, "MSG |アリスは\nダメージを受けなかった"},
        {21, false, nullptr}, // always hit: the damage line
        {21, true, nullptr},
    };
    for (const Case& c : cases) {
        MazeParty m(1, 4, 4);
        m.alice().luck = m.bob().luck = static_cast<int16_t>(c.luck);
        m.alice().hp = 1000;
        m.bob().hp = 1;
        if (c.floating)
            m.game.state.partyEffects = PartyEffect::Floating;
        m.ok(c.floating ? 1 : c.luck == 21 ? 4 : 3);
        FloorTrap(m.game, 2);
        std::vector<std::string> shown = m.shown();
        if (c.floating) {
            EXPECT_EQ(shown, std::vector<std::string>{"MSG |トラップの上に浮かんでいる"});
            continue;
        }
        ASSERT_GE(shown.size(), 2u);
        EXPECT_EQ(shown[0], "MSG |トラップだ！");
        if (c.aliceLine) {
            EXPECT_EQ(shown[1], c.aliceLine);
            EXPECT_EQ(m.alice().hp, 1000);
            continue;
        }
        int lost = 1000 - m.alice().hp;
        EXPECT_TRUE(lost >= 2 && lost <= 20) << lost;
        EXPECT_EQ(shown[1].find("MSG |アリスは\n\n"), 0u) << shown[1];
        EXPECT_EQ(shown.back(), "MSG |ボブは\n死んだ・・・");
        EXPECT_TRUE(m.bob().conditions & Cond::Dead);
        EXPECT_EQ(m.bob().hp, 0);
    }
}

// The member is hit when the 1d20 falls below its luck: at luck equal to the
// face it is spared, one point more and it is hit. The face is read ahead
// from a copy of the game's stream, so no seed is hunted for it.
TEST(EventRunner, FloorTrapLuckBoundary)
{
    for (int above = 0; above <= 1; ++above) {
        for (uint64_t seed : {1u, 2u, 3u}) {
            MazeParty m(1, 4, 4);
            m.game.rng = Rng(seed);
            Rng ahead = m.game.rng;
            const int face = Dice(ahead, 1, 20, 0);
            m.alice().luck = static_cast<int16_t>(face + above);
            m.alice().hp = 1000;
            m.bob().conditions = Cond::Dead; // beyond care: rolls nothing
            m.ok(2);
            FloorTrap(m.game, 1);
            const std::vector<std::string> shown = m.shown();
            ASSERT_EQ(shown.size(), 2u) << face;
            if (above) {
                EXPECT_LT(m.alice().hp, 1000) << "luck " << face + 1 << " over face " << face;
                EXPECT_EQ(shown[1].find("MSG |アリスは\n\n"), 0u) << shown[1];
            } else {
                EXPECT_EQ(m.alice().hp, 1000) << "luck " << face << " at face " << face;
                EXPECT_EQ(shown[1], "MSG |アリスは\nダメージを受けなかった");
            }
        }
    }
}

// A teleport may aim anywhere: what is still off the maze after one wrap
// meets the arrival check, never the tables.
TEST(EventRunner, TeleportsOffTheMazeReachTheArrivalCheck)
{
    struct Case {
        int floor, x, y;
        bool destroyed, erased;
        int endX, endY;
    } cases[] = {
        {3, -1, 20, false, false, 19, 0}, // one wrap brings it back
        {3, 20, -1, false, false, 0, 19}, // from either edge
        {3, 7, -20, false, false, 7, 0},  {3, -25, 4, true, true, 0, 0},
        {3, 4, 45, true, true, 0, 0},     {18, 4, 4, true, true, 0, 0},
        {-1, 4, 4, true, false, 0, 0}, // the sky
        {0, 4, 4, true, false, 0, 0},  // the moat
    };
    for (const Case& c : cases) {
        MazeParty m(1, 4, 4);
        if (c.destroyed)
            m.ok();
        EXPECT_EQ(TeleportParty(m.game, c.floor, c.x, c.y), c.destroyed)
            << c.floor << " " << c.x << " " << c.y;
        if (!c.destroyed) {
            EXPECT_EQ(m.game.state.posX, c.endX);
            EXPECT_EQ(m.game.state.posY, c.endY);
            continue;
        }
        EXPECT_EQ(m.game.state.partyCount, 0);
        EXPECT_EQ(m.game.character(1).rosterNo == 0, c.erased);
        EXPECT_TRUE(c.erased || (m.game.character(1).conditions & Cond::Dead));
    }
}

TEST(EventRunner, TheApparitionComesOnceARunAfterTenMinutes)
{
    MazeParty m(2, 0, 0, 0);
    m.game.events = nullptr;
    // Walk until the random cell and facing meet the party's: the chance is
    // spent, and with the clock still at the start nothing appears.
    int tries = 0;
    while (!m.game.state.apparitionDone && tries < 200000) {
        ++tries;
        m.game.state.posX = static_cast<int16_t>(tries % 20);
        EXPECT_EQ(RunCellEvent(m.game), 0);
    }
    EXPECT_TRUE(m.game.state.apparitionDone);
    EXPECT_TRUE(m.shown().empty()); // the clock had not moved ten minutes on

    // Ten minutes and a second later, once in a great many runs, it comes.
    static_cast<FixedClock&>(*m.game.clock).set(m.game.state.runStartTime + 601);
    m.ok(3);
    m.answerYes();
    m.ok();
    int result = 0;
    for (tries = 0; result == 0 && tries < 5000000; ++tries) {
        m.game.state.apparitionDone = false;
        result = RunCellEvent(m.game);
    }
    EXPECT_TRUE(result >= 1237 && result <= 1250) << result;
    EXPECT_EQ(m.game.state.encounterOrigin, 13);
    std::vector<std::string> shown = m.shown();
    ASSERT_EQ(shown.size(), 5u);
    EXPECT_EQ(shown[3], "ASK |" + std::string(MessageText(m.game, 998)));
    EXPECT_EQ(shown[4], "MSG |" + std::string(MessageText(m.game, 999)));
}

} // namespace
} // namespace qvr::test
