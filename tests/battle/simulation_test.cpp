// The balance runs: every battle ends one way or another, the same seed
// gives the same figures, and the measure moves the right way with strength.

#include <fstream>
#include <gtest/gtest.h>
#include <iterator>
#include <memory>

#include "battle/simulation.h"
#include "core/data_files.h"
#include "core/game.h"
#include "rules/party_order.h"

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

std::shared_ptr<const Content> BuiltContent()
{
    std::ifstream in(std::string(QVR_BIN_DIR) + "/QVR2.DAT", std::ios::binary);
    EXPECT_TRUE(in) << "the build's QVR2.DAT";
    const std::vector<uint8_t> image((std::istreambuf_iterator<char>(in)),
                                     std::istreambuf_iterator<char>());
    return DecodeContent(image, "QVR2.DAT");
}

SimConfig OnFloor(const std::shared_ptr<const Content>& content, int floor, int level)
{
    SimConfig c;
    c.party = PlayersParty(level, std::max(1, level - 1));
    c.floor = floor;
    c.content = content;
    c.battles = 2000;
    c.seed = 11;
    return c;
}

// The built content's floors 1-3 against the world's targets, for the party
// a player takes down (two fighters, a samurai, a thief, a priest, a wizard;
// hit points rolled, the shop's armour) fought as the game fights: one
// battle from full at the arrival level, won at least 99 times in 100, a
// member lost at most 5 times, in 2.5-4.5 rounds. The margins allow for the
// seed, not for drift.
TEST(Simulation, FloorsOneToThreeMeetTheirTargetsOnArrival)
{
    const auto content = BuiltContent();
    ASSERT_TRUE(content);
    for (int floor = 1; floor <= 3; ++floor) {
        const SimTotals t = RunSimulation(OnFloor(content, floor, ArrivalLevel(floor)));
        const double n = t.battles;
        EXPECT_GE(t.wins / n, 0.99) << "floor " << floor;
        EXPECT_LE(t.withDeath / n, 0.05) << "floor " << floor;
        EXPECT_GE(t.rounds / n, 2.5) << "floor " << floor;
        EXPECT_LE(t.rounds / n, 4.5) << "floor " << floor;
        EXPECT_GE(t.hpLostFraction / n, 0.03) << "floor " << floor;
        EXPECT_LE(t.hpLostFraction / n, 0.20) << "floor " << floor;
        if (floor == 1) {
            EXPECT_NEAR(t.expShare / n, 134, 20) << "experience a member earns a battle";
        }
    }
}

// The risk of the floors, fought to the end (the targets count wipe-outs of
// a party that does not run): a trip of four at the arrival level is lost
// 1-6 times in 100, one battle three levels under 3-10 times, a trip four
// levels over at most once in 200.
TEST(Simulation, FloorsOneToThreeWipeOutAsOftenAsTheTargetsSay)
{
    const auto content = BuiltContent();
    ASSERT_TRUE(content);
    for (int floor = 1; floor <= 3; ++floor) {
        const int arrival = ArrivalLevel(floor);
        SimConfig trip = OnFloor(content, floor, arrival);
        trip.flee = false;
        trip.trip = 4;
        trip.battles = 4000;
        const SimTotals t = RunSimulation(trip);
        EXPECT_GE(t.tripWipes, t.trips / 100) << "floor " << floor;
        EXPECT_LE(t.tripWipes, t.trips * 6 / 100) << "floor " << floor;
        if (arrival > 3) {
            SimConfig under = OnFloor(content, floor, arrival - 3);
            under.flee = false;
            under.battles = 4000;
            const SimTotals u = RunSimulation(under);
            EXPECT_GE(u.wipes, u.battles * 3 / 100) << "floor " << floor;
            EXPECT_LE(u.wipes, u.battles * 10 / 100) << "floor " << floor;
        }
        SimConfig over = trip;
        over.party = PlayersParty(arrival + 4, arrival + 3);
        const SimTotals o = RunSimulation(over);
        EXPECT_LE(o.tripWipes * 200, o.trips) << "floor " << floor;
    }
}

// The presets are characters the game could have made: hit points rolled
// by the game's rule (a level-1 samurai has 1d13 + 13, never a fixed 22) and
// armour the shop's own wares of the tier can give the class.
TEST(Simulation, ThePresetPartyIsOneTheGameCouldHave)
{
    Content content;
    auto ware = [&](int no, int16_t kind, int16_t ac, int16_t level, int16_t classMask) {
        ItemDef& d = content.items[no];
        d.itemNo = static_cast<int16_t>(no);
        d.kind = kind;
        d.acBonus = ac;
        d.itemLevel = level;
        d.classMask = classMask;
    };
    ware(1, 3, -2, 1, -1);             // armour anyone wears
    ware(2, 3, -4, 1, Class::Fighter); // heavier, for fighters only
    ware(3, 2, -1, 1, ~Class::Wizard); // a shield no wizard carries
    ware(4, 6, -3, 2, -1);             // a helm above the first tier
    int low = 1000, high = 0;
    for (uint64_t seed = 1; seed <= 300; ++seed) {
        Game game{Rng(seed)};
        BuildParty(game, content, StandardParty(1, 1));
        const Character& samurai = game.character(2);
        low = std::min(low, samurai.maxHp);
        high = std::max(high, samurai.maxHp);
        EXPECT_EQ(samurai.hp, samurai.maxHp);
        EXPECT_EQ(game.character(1).baseAc, 10 - 4 - 1) << "fighter";
        EXPECT_EQ(game.character(6).baseAc, 10 - 2) << "wizard";
    }
    EXPECT_EQ(low, 14);
    EXPECT_EQ(high, 26);
}

// At every round's end the fallen go behind the able, as the party list
// puts them; the order among each kind is kept.
TEST(Simulation, TheFallenGoBehindTheAble)
{
    Game game{Rng(1)};
    Content content;
    BuildParty(game, content, StandardParty(3, 1));
    game.character(1).conditions = Cond::Dead;
    game.character(3).conditions = Cond::Asleep;
    PutDisabledBehind(game);
    const int expected[] = {2, 4, 5, 6, 1, 3};
    for (int p = 1; p <= 6; ++p) {
        EXPECT_EQ(game.state.partyMember[p], expected[p - 1]) << p;
        EXPECT_EQ(game.character(expected[p - 1]).position, p);
    }
}

// A trip carries its wounds and its dead from battle to battle, so it loses
// more than single battles from full; every trip is counted once.
TEST(Simulation, TripsCarryTheirLosses)
{
    SimConfig single = Config(3, 4, 5);
    single.battles = 400;
    SimConfig trips = single;
    trips.trip = 4;
    const SimTotals one = RunSimulation(single);
    const SimTotals four = RunSimulation(trips);
    EXPECT_EQ(four.trips, 100);
    EXPECT_EQ(one.trips, 400);
    EXPECT_LE(four.tripWipes, four.trips);
    EXPECT_GT(four.hpLostFraction / four.battles, one.hpLostFraction / one.battles);
}

// Casters with a spell and points cast it; without, they do not try.
TEST(Simulation, CastersCastWhatTheyKnow)
{
    auto content = std::make_shared<Content>();
    SpellDef& s = content->spells[1];
    s.spellNo = 1;
    s.name = "HIT";
    s.school = 0;
    s.level = 1;
    s.slot = 1;
    s.effect = 2;
    s.targetKind = 2;
    s.flags = SpellFlag::Battle;
    s.dice = {1, 6, 0};
    SimConfig c = Config(3, 3, 2);
    c.content = content;
    c.bandRank = 3;
    c.battles = 100;
    EXPECT_GT(RunSimulation(c).spellsCast, 0);
    c.content = std::make_shared<Content>();
    EXPECT_EQ(RunSimulation(c).spellsCast, 0);
}

} // namespace
} // namespace qvr::test
