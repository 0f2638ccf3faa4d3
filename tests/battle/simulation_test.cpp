// The balance runs: every battle ends one way or another, the same seed
// gives the same figures, and the measure moves the right way with strength.

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>

#include "battle/simulation.h"
#include "core/data_files.h"

namespace qvr::test {
namespace {

SimConfig Config(int level, int rank, uint64_t seed)
{
    SimConfig c;
    c.party = StandardParty(level, std::max(1, level - 1));
    c.bandRank = rank;
    c.battles = 300;
    c.seed = seed;
    return c;
}

int Ends(const SimTotals& t)
{
    return t.wins + t.fled + t.wipes + t.parted + t.draws;
}

TEST(Simulation, EveryBattleEndsAndASeedRepeats)
{
    const SimTotals a = RunSimulation(Config(5, 5, 3));
    const SimTotals b = RunSimulation(Config(5, 5, 3));
    EXPECT_EQ(Ends(a), 300);
    EXPECT_EQ(a.battles, 300);
    EXPECT_EQ(a.rounds, b.rounds);
    EXPECT_EQ(a.expShare, b.expShare);
    EXPECT_NE(a.rounds, RunSimulation(Config(5, 5, 4)).rounds);
}

TEST(Simulation, AStrongerPartyDoesBetter)
{
    const SimTotals weak = RunSimulation(Config(1, 8, 9));
    const SimTotals strong = RunSimulation(Config(16, 8, 9));
    EXPECT_GT(strong.wins, 290);
    EXPECT_LT(strong.withDeath, weak.withDeath);
    EXPECT_LT(strong.rounds, weak.rounds);
    EXPECT_LT(strong.hpLostFraction, weak.hpLostFraction);
}

// The built content's floors 1-3 against the targets they were tuned to: one
// battle from full at the arrival level, melee only. The margins allow for
// the seed, not for drift.
TEST(Simulation, FloorsOneToThreeMeetTheirTargetsOnArrival)
{
    std::ifstream in(std::string(QVR_BIN_DIR) + "/QVR2.DAT", std::ios::binary);
    ASSERT_TRUE(in) << "the build's QVR2.DAT";
    const std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    const auto content = DecodeContent(image, "QVR2.DAT");
    for (int floor = 1; floor <= 3; ++floor) {
        SimConfig c;
        const int level = ArrivalLevel(floor);
        c.party = StandardParty(level, std::max(1, level - 1));
        c.floor = floor;
        c.content = content;
        c.battles = 1500;
        c.seed = 11;
        const SimTotals t = RunSimulation(c);
        const double n = t.battles;
        EXPECT_GE(t.wins / n, 0.99) << "floor " << floor;
        EXPECT_LE(t.withDeath / n, 0.06) << "floor " << floor;
        EXPECT_GE(t.rounds / n, 2.5) << "floor " << floor;
        EXPECT_LE(t.rounds / n, 4.6) << "floor " << floor;
        EXPECT_GE(t.hpLostFraction / n, 0.075) << "floor " << floor;
        EXPECT_LE(t.hpLostFraction / n, 0.20) << "floor " << floor;
        if (floor == 1) {
            EXPECT_NEAR(t.expShare / n, 134, 20) << "experience a member earns a battle";
        }
    }
}

} // namespace
} // namespace qvr::test
