#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>

#include "own_content.h"
#include "rules/party_rules.h"

namespace qvr {
namespace {

class PartyRulesTest : public ::testing::Test {
protected:
    Character& Add(int rosterNo, int16_t groupNo, int16_t alignment, int32_t conditions = 0)
    {
        Character& c = game.character(rosterNo);
        c.rosterNo = rosterNo;
        c.groupNo = groupNo;
        c.alignment = alignment;
        c.conditions = conditions;
        return c;
    }

    void Party(std::initializer_list<int> members)
    {
        game.state.partyCount = 0;
        for (int m : members)
            game.state.partyMember[++game.state.partyCount] = static_cast<int16_t>(m);
    }

    Game game;
};

TEST_F(PartyRulesTest, AlignmentsAlwaysIncludeNeutral)
{
    Add(1, 1, Align::Lawful);
    Add(2, 1, Align::Chaotic);
    Add(3, 1, Align::Neutral);
    Add(4, 1, Align::Lawful);

    struct MixCase {
        std::initializer_list<int> members;
        int16_t mix;
    };
    const MixCase cases[] = {
        {{}, 2},  {{3}, 2},    {{1}, 3},
        {{2}, 6}, {{1, 4}, 3}, {{1, 3, 2}, 7}, // good and evil together
    };
    for (const MixCase& c : cases) {
        Party(c.members);
        EXPECT_EQ(PartyAlignments(game), c.mix) << "party of " << c.members.size();
    }
}

TEST_F(PartyRulesTest, AlignmentsCountOnlyCurrentMembers)
{
    Add(1, 1, Align::Lawful);
    Add(2, 1, Align::Chaotic);
    Party({1, 2});
    game.state.partyCount = 1; // member 2 has just left
    EXPECT_EQ(PartyAlignments(game), 3);
}

TEST_F(PartyRulesTest, GroupWithoutMembersIsWiped)
{
    EXPECT_TRUE(IsWiped(game, 5));
    Add(1, 4, Align::Neutral);
    EXPECT_TRUE(IsWiped(game, 5));
}

TEST_F(PartyRulesTest, WipedOnlyWhenEveryMemberIsOutOfAction)
{
    struct WipeCase {
        int32_t first;
        int32_t second;
        bool wiped;
    };
    const WipeCase cases[] = {
        {0, 0, false},
        {Cond::Dead, 0, false},
        {Cond::Dead, Cond::Ashes, true},
        {Cond::Paralysed, Cond::Stoned, true},
        {Cond::Carrot, Cond::Vanished, true},
        {Cond::Dead, Cond::Asleep, false}, // asleep still counts as standing
        {Cond::Dead, Cond::Poisoned | Cond::Afraid | Cond::Blind, false},
        {Cond::Dead | Cond::Poisoned, Cond::Stoned | Cond::Sick, true},
    };
    for (const WipeCase& c : cases) {
        Add(10, 3, Align::Neutral, c.first);
        Add(50, 3, Align::Neutral, c.second); // the last roster slot counts too
        Add(11, 2, Align::Neutral, 0);        // an able character of another group
        EXPECT_EQ(IsWiped(game, 3), c.wiped) << c.first << " " << c.second;
    }
}

TEST_F(PartyRulesTest, EnterFloorCopiesWallsAndDoorsColumnFirst)
{
    Content& content = test::OwnContent(game);
    for (int f = 0; f < kFloorCount; ++f)
        for (int row = 0; row < kMazeSize; ++row)
            for (int col = 0; col < kMazeSize; ++col) {
                content.mazeWalls(f, row, col) = static_cast<int16_t>(1000 * f + 20 * row + col);
                content.mazeDoors(f, row, col) = static_cast<int16_t>(-1000 * f - 20 * row - col);
            }
    game.state.floor = 4;
    EnterFloor(game);
    for (int x = 0; x < kMazeSize; ++x)
        for (int y = 0; y < kMazeSize; ++y) {
            ASSERT_EQ(game.state.curWalls(x, y), 4000 + 20 * y + x) << x << "," << y;
            ASSERT_EQ(game.state.curDoors(x, y), -4000 - 20 * y - x) << x << "," << y;
        }
}

TEST_F(PartyRulesTest, EnterFloorPicksTheFloorMusic)
{
    const std::pair<int16_t, int16_t> music[] = {{0, 10}, {1, 10}, {13, 10}, {14, 11}, {17, 11}};
    for (const auto& [floor, track] : music) {
        game.state.floor = floor;
        EnterFloor(game);
        EXPECT_EQ(game.state.floorMusic, track) << "floor " << floor;
    }
}

TEST_F(PartyRulesTest, EnterFloorListsTheFloorsEncountersFromPlaceOne)
{
    Content& content = test::OwnContent(game);
    auto entry = [&](int j, int16_t value, int16_t floor) {
        content.encounterTable(j, 1) = value;
        content.encounterTable(j, 2) = floor;
    };
    entry(0, 900, 2); // entry 0 is never an encounter
    entry(1, 11, 2);
    entry(2, 12, 3);
    entry(7, 17, 2);
    entry(600, 600, 2);
    entry(1250, 1250, 2);

    game.state.floor = 2;
    EnterFloor(game);
    EXPECT_EQ(game.state.floorEncounterCount, 4);
    EXPECT_EQ(game.state.floorEncounters[0], 0);
    EXPECT_EQ(game.state.floorEncounters[1], 11);
    EXPECT_EQ(game.state.floorEncounters[2], 17);
    EXPECT_EQ(game.state.floorEncounters[3], 600);
    EXPECT_EQ(game.state.floorEncounters[4], 1250);
    EXPECT_EQ(game.state.floorEncounters[5], 0);

    // The shorter list of the next floor leaves nothing of the last one behind.
    game.state.floor = 3;
    EnterFloor(game);
    EXPECT_EQ(game.state.floorEncounterCount, 1);
    EXPECT_EQ(game.state.floorEncounters[1], 12);
    for (int k = 2; k <= kMaxFloorEncounters; ++k)
        ASSERT_EQ(game.state.floorEncounters[k], 0) << k;

    game.state.floor = 5;
    EnterFloor(game);
    EXPECT_EQ(game.state.floorEncounterCount, 0);
}

TEST_F(PartyRulesTest, EnterFloorKeepsTheFirst350Encounters)
{
    Content& content = test::OwnContent(game);
    for (int j = 1; j <= 400; ++j) {
        content.encounterTable(j, 1) = static_cast<int16_t>(j);
        content.encounterTable(j, 2) = 6;
    }
    game.state.floor = 6;
    EnterFloor(game);
    EXPECT_EQ(game.state.floorEncounterCount, 350);
    EXPECT_EQ(game.state.floorEncounters[1], 1);
    EXPECT_EQ(game.state.floorEncounters[350], 350);
}

TEST_F(PartyRulesTest, EnterFloorRefusesTown)
{
    for (int16_t floor : {int16_t{-1}, int16_t{kFloorCount}}) {
        game.state.floor = floor;
        EXPECT_THROW(EnterFloor(game), GameError) << "floor " << floor;
    }
}

} // namespace
} // namespace qvr
