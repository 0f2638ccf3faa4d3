#pragma once

// Melee both ways: a member striking a monster group, a monster striking a
// member, and the confused or charmed of either side striking their own.

#include <cstdint>
#include <string>
#include <string_view>

#include "battle/combatant.h"

namespace qvr {

class Game;
struct BattleState;
struct Character;

// The member at party position `pos` strikes the group of its order with
// weapon 1 (main) or 2 (second hand).
void MemberMelee(Game& game, BattleState& state, int pos, int weapon);
// The member strikes a random member of its own party (itself included).
void ConfusedMemberMelee(Game& game, BattleState& state, int pos, int weapon);
// The monster at state.actingGroup / actingMonster strikes a member.
void MonsterMelee(Game& game, BattleState& state);
// The acting monster strikes a random group of its own side.
void ConfusedMonsterMelee(Game& game, BattleState& state);

// How hard a blow strikes: the swings and their summed damage, before the
// target's resistances. A member's weapon (none bare-handed) may slay.
struct Blow {
    int32_t swings = 0;
    int32_t damage = 0;
    int32_t strengthMod = 0; // the weapon's hit bonus, 0 bare-handed
    const struct ItemDef* weapon = nullptr;
    bool slays = false; // past reflection and absorption
};
// `confusedFists`: a confused martial artist's bare hands hit a little harder.
Blow RollMemberBlow(Game& game, const Character& c, int weapon, bool confusedFists);

// What differs between the four kinds of blow once they are rolled.
struct StrikeRules {
    bool sneaks = false;       // a hidden member strikes unseen and surely
    bool blindAttacker = true; // a blind attacker misses on a d2 of 1
    bool blindVictim = false;  // a blind victim is missed on a d2 of 1
    const char* stumbleText = "は　ころんだ・・・";
    int32_t defendBonus = 0; // need lowered for a defending member
};

void SayNullified(BattleState& state, std::string_view frame, const Combatant& t);
int32_t LandBlow(Game& game, BattleState& state, Combatant& a, Combatant& t, std::string& frame,
                 const StrikeRules& rules, Blow& blow);

// The one sequence of every blow, either way: the target's nullification,
// then the blow rolled, reflection and absorption, the sleeper's double,
// the hit roll and, on a hit, the wound. Returns the hit roll of a blow that
// landed (a sneak attack's counts as 100), 0 for any other end.
template <class RollBlow>
int32_t Strike(Game& game, BattleState& state, Combatant& a, Combatant& t, std::string& frame,
               const StrikeRules& rules, Blow& blow, RollBlow&& roll)
{
    if (NullifiesBlow(game, t)) {
        SayNullified(state, frame, t);
        return 0;
    }
    blow = roll();
    return LandBlow(game, state, a, t, frame, rules, blow);
}

// Messages of the frame every melee line starts with.
std::string AttackFrame(const std::string& attacker);
std::string SneakFrame(const std::string& attacker);
inline constexpr const char* kMissText = "に ダメージをあたえられない！";
inline constexpr const char* kDeathText = "は\n死んだ・・・";

} // namespace qvr
