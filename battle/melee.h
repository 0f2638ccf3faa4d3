#pragma once

// Melee both ways: a member striking a monster group, a monster striking a
// member, and the confused or charmed of either side striking their own.

#include <cstdint>
#include <string>
#include <string_view>

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

// How hard a member strikes: the swings and their summed damage, before the
// target's resistances. Bare hands when no item is worn in the slot.
struct MemberBlow {
    int32_t swings = 0;
    int32_t damage = 0;
    int32_t strengthMod = 0; // the weapon's hit bonus, 0 bare-handed
    const struct ItemDef* weapon = nullptr;
};
// `confusedFists`: a confused martial artist's bare hands hit a little harder.
MemberBlow RollMemberBlow(Game& game, const Character& c, int weapon, bool confusedFists);

// Messages of the frame every melee line starts with.
std::string AttackFrame(const std::string& attacker);
std::string SneakFrame(const std::string& attacker);
std::string HitText(std::string_view frame, const std::string& target, int32_t swings,
                    int32_t damage);
inline constexpr const char* kMissText = "に ダメージをあたえられない！";
inline constexpr const char* kDeathText = "は\n死んだ・・・";

} // namespace qvr
