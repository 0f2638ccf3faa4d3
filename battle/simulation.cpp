#include "battle/simulation.h"

#include <string>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "battle/command_input.h"
#include "battle/narrator.h"
#include "core/error.h"
#include "core/game.h"
#include "rules/party_rules.h"

namespace qvr {

namespace {

bool Casts(int16_t classCode)
{
    return classCode == Class::Wizard || classCode == Class::Cleric || classCode == Class::Sage ||
           classCode == Class::Bard || classCode == Class::Onmyoji;
}

// What a plain player does: everyone who can reach strikes the first group
// of the list, casters cast, nobody defends (defending eases the monsters'
// hits on the member, so a fair measure leaves it out).
void GiveOrders(Game& game, BattleState& state)
{
    ClearOrders(game, state);
    const int first = state.listedGroups.empty() ? 0 : state.listedGroups.front();
    for (int p = 1; p <= PartySize(game); ++p) {
        const Character& c = MemberAt(game, p);
        if (c.conditions & Cond::CannotAct)
            continue;
        MemberOrder& o = state.orders[p];
        o.target = first;
        if (p <= 3 || WeaponReach(game, p) > 1 || (c.conditions & Cond::Hidden))
            o.code = Order::Fight;
        else if (Casts(c.classCode))
            o.code = Order::Spell;
    }
}

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
    BuildParty(game, *content, config.party);
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
    for (int b = 0; b < config.battles; ++b) {
        std::copy(members.begin(), members.end(), game.state.partyMember.begin());
        game.state.partyCount = partyCount;
        for (int p = 1; p <= partyCount; ++p)
            game.character(p) = fresh[static_cast<std::size_t>(p - 1)];
        game.state.eventResult = 0;
        StartBattle(game, state, config.encounter);
        while (state.active() && game.state.roundCount < config.roundLimit) {
            GiveOrders(game, state);
            FightRound(game, state);
        }
        Tally(game, state, totals);
    }
    return totals;
}

} // namespace qvr
