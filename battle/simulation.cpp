#include "battle/simulation.h"

#include <string>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "battle/narrator.h"
#include "battle/sim_policy.h"
#include "core/error.h"
#include "core/game.h"
#include "rules/party_order.h"
#include "rules/party_rules.h"

namespace qvr {

namespace {

void Tally(const Game& game, const BattleState& state, SimTotals& t)
{
    ++t.battles;
    t.rounds += game.state.roundCount;
    switch (state.end) {
    case BattleEnd::Victory:
        ++t.wins;
        t.expShare += state.victory.expShare;
        t.goldShare += state.victory.goldShare;
        t.chests += state.victory.chest ? 1 : 0;
        break;
    case BattleEnd::Fled:
    case BattleEnd::Escaped:
        ++t.fled;
        break;
    case BattleEnd::WipedOut:
        ++t.wipes;
        break;
    case BattleEnd::Parted:
        ++t.parted;
        break;
    default:
        ++t.draws;
        break;
    }
    int64_t lost = 0;
    int64_t full = 0;
    bool death = false;
    for (int p = 1; p <= game.state.partyCount; ++p) {
        const Character& c = game.character(game.state.partyMember[p]);
        const bool out = (c.conditions & Cond::OutOfAction) != 0;
        death = death || out;
        full += c.maxHp;
        lost += out ? c.maxHp : std::max(0, c.maxHp - c.hp);
    }
    t.withDeath += death ? 1 : 0;
    t.hpLostFraction += full > 0 ? static_cast<double>(lost) / static_cast<double>(full) : 0.0;
}

void CountOrders(const Game& game, const BattleState& state, SimTotals& t)
{
    for (int p = 1; p <= game.state.partyCount; ++p) {
        const int32_t code = state.orders[p].code;
        t.spellsCast += code == Order::Spell ? 1 : 0;
        t.hides += code == Order::Hide ? 1 : 0;
        t.steals += code == Order::Steal ? 1 : 0;
        t.breaths += code == Order::Breath ? 1 : 0;
    }
}

} // namespace

SimTotals RunSimulation(const SimConfig& config)
{
    auto content =
        config.content ? std::make_shared<Content>(*config.content) : std::make_shared<Content>();
    if (config.encounter > 0 && content->encounterTable(config.encounter, 3) < 1)
        throw GameError("encounter " + std::to_string(config.encounter) +
                        " has no monsters in the content");
    Game game{Rng(config.seed)};
    game.state.floor = static_cast<int16_t>(config.floor);
    bool band = config.bandRank > 0 && config.encounter == 0;
    if (!band && config.content) {
        game.setContent(content);
        EnterFloor(game);
        band = game.state.floorEncounterCount == 0 && config.encounter == 0;
    }
    if (band)
        InstallBandEncounter(game, *content, config.bandRank > 0 ? config.bandRank : config.floor,
                             config.groupSides, config.groupAdd);
    if (config.savedParty.empty()) {
        BuildParty(game, *content, config.party);
    } else {
        const int size = std::min<int>(static_cast<int>(config.savedParty.size()), 6);
        for (int p = 1; p <= size; ++p) {
            Character c = config.savedParty[static_cast<std::size_t>(p - 1)];
            c.rosterNo = p;
            c.position = static_cast<int16_t>(p);
            game.save().roster[p] = c;
            game.state.partyMember[p] = static_cast<int16_t>(p);
        }
        game.state.partyCount = static_cast<int16_t>(size);
    }
    game.setContent(content);

    const std::vector<int16_t> members(game.state.partyMember.begin(),
                                       game.state.partyMember.end());
    const int16_t partyCount = game.state.partyCount;
    std::vector<Character> fresh;
    for (int p = 1; p <= partyCount; ++p)
        fresh.push_back(game.character(p));

    SilentNarrator quiet;
    BattleState state;
    state.narrator = config.narrator ? config.narrator : &quiet;
    const bool fightFriendly = config.fightFriendly;
    state.fightFriendly = [fightFriendly](Game&, const std::string&) { return fightFriendly; };

    SimTotals totals;
    SimPlayer player(*content);
    const int trip = std::max(1, config.trip);
    for (int b = 0; b < config.battles; ++b) {
        const bool tripStarts = b % trip == 0;
        if (tripStarts) {
            std::copy(members.begin(), members.end(), game.state.partyMember.begin());
            game.state.partyCount = partyCount;
            // Presets are rolled afresh for every trip, so that the figures
            // hold for the party a player might have rolled, not for one roll.
            if (config.savedParty.empty() && config.rerollParty && b > 0)
                BuildParty(game, *content, config.party);
            else
                for (int p = 1; p <= partyCount; ++p)
                    game.character(p) = fresh[static_cast<std::size_t>(p - 1)];
            ++totals.trips;
        } else {
            player.campHealing(game);
        }
        game.state.eventResult = 0;
        player.battleBegins();
        StartBattle(game, state, config.encounter);
        while (state.active() && game.state.roundCount < config.roundLimit) {
            if (const int leader = player.giveOrders(game, state, config.flee); leader != 0) {
                ++totals.flightTries;
                TryFlee(game, state, leader);
            } else {
                CountOrders(game, state, totals);
                FightRound(game, state);
            }
            // The game puts the fallen behind the able at every round's end.
            if (state.active())
                PutDisabledBehind(game);
        }
        Tally(game, state, totals);
        const bool tripEnds = (b + 1) % trip == 0 || b + 1 == config.battles;
        if (state.end == BattleEnd::WipedOut) {
            ++totals.tripWipes;
            ++totals.tripDeaths;
            b += trip - 1 - b % trip; // the trip is over
            continue;
        }
        if (tripEnds) {
            bool lost = false;
            for (int p = 1; p <= game.state.partyCount; ++p)
                lost = lost || (MemberAt(game, p).conditions & Cond::OutOfAction);
            totals.tripDeaths += lost ? 1 : 0;
        }
    }
    return totals;
}

} // namespace qvr
