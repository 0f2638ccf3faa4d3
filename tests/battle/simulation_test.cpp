// The balance runs: every battle ends one way or another, the same seed
// gives the same figures, and the measure moves the right way with strength.

#include <gtest/gtest.h>

#include "battle/simulation.h"

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

} // namespace
} // namespace qvr::test
