#pragma once

// Many seeded battles of one party against one floor's encounters, fought
// with no window by a simple policy, and what came of them: the balance
// measure for every floor.

#include <cstdint>
#include <memory>
#include <vector>

#include "battle/sim_setup.h"
#include "core/records.h"

namespace qvr {

struct SimConfig {
    std::vector<MemberPreset> party;
    int floor = 1;
    int battles = 1000;
    uint64_t seed = 1;
    // Where the encounters come from: the content's floor list, or (when the
    // floor lists none, or `bandRank` is set) a band encounter of that rank.
    std::shared_ptr<const Content> content;
    int bandRank = 0;
    int encounter = 0; // above 0: fight this encounter every time, not the floor's list
    int groupSides = 3;
    int groupAdd = 0;
    int roundLimit = 200; // a battle still on after this many is a draw
    bool fightFriendly = true;
    // The player runs from a lost fight; off, every battle is fought to its
    // end, as the world's first rough model fought them.
    bool flee = true;
    // Battles in a row before the party is fresh again: between them the
    // camp's healing spells are cast with what points are left, and the dead
    // stay dead. A wipe-out ends the trip.
    int trip = 1;
    // A party taken from a save (members in marching order) instead of the
    // presets; their own items and spells fight.
    std::vector<Character> savedParty;
    // Preset parties are rolled afresh for every trip (hit points, spells
    // learnt), so figures hold for any party a player might roll; off, the
    // first roll fights every trip.
    bool rerollParty = true;
    class Narrator* narrator = nullptr; // nullptr: the lines are dropped
};

struct SimTotals {
    int battles = 0;
    int wins = 0;
    int fled = 0;
    int wipes = 0;
    int parted = 0;
    int draws = 0;
    int withDeath = 0; // battles after which a member was out of action
    int64_t rounds = 0;
    int64_t expShare = 0;      // per member, summed over battles
    int64_t goldShare = 0;     // per member
    double hpLostFraction = 0; // summed over battles
    int64_t chests = 0;
    int trips = 0;
    int tripWipes = 0;  // trips that ended in a wipe-out
    int tripDeaths = 0; // trips after which a member was out of action
    int64_t spellsCast = 0;
    int64_t hides = 0;
    int64_t steals = 0;
    int64_t breaths = 0;
    int64_t flightTries = 0; // rounds the party tried to run instead of fighting
};

// Fights config.battles battles, in trips of config.trip battles, each trip
// from a fresh, fully healed party.
SimTotals RunSimulation(const SimConfig& config);

} // namespace qvr
