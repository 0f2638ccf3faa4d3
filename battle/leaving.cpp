#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "core/game.h"
#include "core/music.h"
#include "core/saving.h"
#include "rules/equipment.h"
#include "rules/party_rules.h"

namespace qvr {

void LeaveBattle(Game& game, BattleState& state)
{
    state.phase = BattlePhase::None;
    constexpr int32_t kBattleOnly = Cond::Asleep | Cond::Silenced | Cond::Afraid | Cond::Confused |
                                    Cond::Hidden | Cond::Frozen | Cond::Shocked | kBeheadingWard |
                                    kDrainWard;
    for (int p = PartySize(game); p >= 1; --p) {
        const int rosterNo = RosterAt(game, p);
        Character& c = game.character(rosterNo);
        c.conditions &= ~kBattleOnly;
        if (c.conditions & Cond::Vanished) {
            // Gone from the roster, and so from the party.
            EraseFromParty(game, rosterNo);
            continue;
        }
        c.ac = ProtectedAc(game, c.baseAc);
    }
    state.partyFirstStrike = false;
    state.partyShield = {};
    state.monsterShield = {};
    if (game.store)
        Save(game);
}

void TryFlee(Game& game, BattleState& state, int pos)
{
    const Character& c = MemberAt(game, pos);
    int roll = Roll(game, c.agility) + 1;
    if (c.classCode == Class::Ninja)
        roll += 1;
    else if (c.classCode == Class::Thief)
        roll += 2;
    for (int g = 1; g <= kGroupCount; ++g)
        if (state.groupMonster[g] > 0 && state.monsters[g][0].rank > 35) {
            Say(state, "逃げれない！！");
            roll = 1;
            break;
        }
    if (roll > 4) {
        game.state.posX = game.state.prevX;
        game.state.posY = game.state.prevY;
        PlayMusic(game, game.state.floorMusic);
        state.end = BattleEnd::Fled;
        LeaveBattle(game, state);
        return;
    }
    state.phase = BattlePhase::Round;
    RollMonsterInitiative(game, state);
    ClearOrders(game, state);
    RunRound(game, state);
}

} // namespace qvr
