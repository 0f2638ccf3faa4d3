#include "battle/victory.h"

#include <algorithm>
#include <limits>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "core/game.h"
#include "core/music.h"

namespace qvr {

int SpeedBonusTenths(int rounds)
{
    switch (rounds) {
    case 1:
        return 15;
    case 2:
        return 13;
    case 3:
        return 12;
    case 4:
        return 11;
    default:
        return rounds >= 11 ? 7 : 10;
    }
}

int32_t ExpShare(int32_t pool, int sharers, int rounds)
{
    if (sharers < 1 || pool <= 0)
        return 0;
    const int64_t share = pool / sharers;
    // Whole-number arithmetic in tenths keeps 6.5 a true half: a binary
    // 1.3 would turn 5 x 1.3 into a hair above it.
    const int64_t tenths = share * SpeedBonusTenths(rounds);
    int64_t whole = tenths / 10;
    const int64_t rest = tenths % 10;
    if (rest > 5 || (rest == 5 && whole % 2 != 0))
        ++whole;
    return static_cast<int32_t>(std::min<int64_t>(whole, std::numeric_limits<int32_t>::max()));
}

void Victory(Game& game, BattleState& state)
{
    VictoryReport& report = state.victory;
    report = VictoryReport{};
    for (int p = 1; p <= PartySize(game); ++p)
        if (!(MemberAt(game, p).conditions & Cond::OutOfAction))
            ++report.sharers;
    report.expShare = ExpShare(state.rewards.exp, report.sharers, game.state.roundCount);
    PlayMusic(game, kTrackVictory);
    report.goldShare = report.sharers > 0 ? state.rewards.gold / report.sharers : 0;
    Say(state, "モンスターを倒した\r経験値" + Digits(report.expShare) +
                   "ＥＸＰ獲得\rパーティーはそれぞれ" + Digits(report.goldShare) + "Ｇ手に入れた");
    for (int g = 1; g <= kGroupCount; ++g) {
        const int tally = state.monsters[g][0].battleA[1];
        if (tally >= 1 && state.groupMonster[g] > 0) {
            int32_t& total = game.save().monsterTally[state.groupMonster[g]];
            total = SaturatingAdd(total, tally);
        }
    }
    for (int p = 1; p <= PartySize(game); ++p) {
        Character& c = MemberAt(game, p);
        if (c.conditions & Cond::OutOfAction)
            continue;
        c.exp = SaturatingAdd(c.exp, report.expShare);
        c.gold = SaturatingAdd(c.gold, report.goldShare);
    }
    LeaveBattle(game, state);
    state.end = BattleEnd::Victory;

    const Rewards& r = state.rewards;
    if (r.kills >= 1 && state.fixedRolls.apply(FixedRoll::Chest, Roll(game, 30), 1, 30) <= 11) {
        Say(state, "モンスターは宝箱を持っていた");
        const int32_t average = r.rankSum / r.kills;
        report.chest = true;
        report.chestLevel = std::min(average + 1, 35);
        const int trapSides = average < 34 ? std::max(average + 5, 1) : 38;
        report.trapNo =
            state.fixedRolls.apply(FixedRoll::ChestTrap, Roll(game, trapSides), 1, trapSides);
        state.phase = BattlePhase::Chest;
        return;
    }
    PlayMusic(game, game.state.floorMusic);
    report.askFollowUp = game.state.eventResult != 0;
}

} // namespace qvr
