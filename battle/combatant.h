#pragma once

// Either side of a battle seen alike. A party member and a monster are
// different records, but a blow, a spell or a special move that may go
// either way reads the same few things of both (name, hit points,
// conditions, resistances, armour, level) and ends the same way, so the
// reflection, the absorption, the wound and the death are written once here
// and every two-sided rule goes through them.

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "battle/battle_state.h"
#include "core/bounded.h"

namespace qvr {

class Game;

struct Combatant {
    const std::string* name = nullptr; // as the player sees it
    int32_t* hp = nullptr;
    int32_t maxHp = 0;
    int32_t* conditions = nullptr;
    const Bounded<int16_t, 0, 33>* res = nullptr;
    int32_t ac = 0;
    int32_t level = 0; // a monster's rank
    int32_t strength = 0;
    int32_t luck = 0;
    int group = 0; // a monster's place in the battle; 0 for a member
    int slot = 0;
    int rosterNo = 0; // a member's roster entry; 0 for a monster

    bool isMonster() const { return group != 0; }
    int32_t resist(int index) const { return (*res)[index]; }
    bool has(int32_t bits) const { return (*conditions & bits) != 0; }
};

Combatant MemberSide(Game& game, int rosterNo);
Combatant MonsterSide(BattleState& state, int group, int slot);

// Hit points lost, saturating; no death here, the caller decides when.
void Wound(Combatant& c, int64_t amount);
// Hit points regained up to the maximum.
void Mend(Combatant& c, int64_t amount);

// The one death of either side: hit points 0 and Dead. A monster slain by
// a blow, a spell or a fellow monster pays into the rewards (`rewarded`,
// the killer's roster entry or 0 counts the kill); one that died of its own
// reflected blow pays nothing. Returns the death line for the caller.
std::string Kill(Game& game, BattleState& state, Combatant& victim, bool rewarded, int killer = 0);

// The first resistance against a blow, `res[1]`: a d100 below it nullifies
// (up to 100; above is absorption, not nullification).
bool NullifiesBlow(Game& game, const Combatant& target);
inline bool ReflectsBlow(const Combatant& target)
{
    return target.resist(1) < 0;
}
inline bool AbsorbsBlow(const Combatant& target)
{
    return target.resist(1) > 100;
}

// The blow turned back: the attacker takes it and dies only below 0 (0
// itself is survived), without reward.
void ReflectBlow(Game& game, BattleState& state, Combatant& attacker, std::string_view frame,
                 const Combatant& target, int32_t swings, int32_t damage);
// The blow feeds the target, up to its maximum.
void AbsorbBlow(BattleState& state, Combatant& target, std::string_view frame, int32_t damage);

// An added effect a blow may carry: the index of the chance and the
// resistance, the condition it gives and what is said after the victim's
// name.
struct AddedEffect {
    int index;
    int32_t condition;
    const char* text;
};
// Tries each effect in order against the victim; a chance of 1 or less
// never lands and rolls nothing.
void TryAddedEffects(Game& game, BattleState& state, std::span<const AddedEffect> effects,
                     const Bounded<int16_t, 15, 33>& chance, Combatant& victim);

} // namespace qvr
