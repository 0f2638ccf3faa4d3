#pragma once

// The small rules every part of a battle shares: dice, who stands where,
// names as the player sees them, strength and attack counts, random targets,
// a monster's death and the rewards it leaves.

#include <cstdint>
#include <initializer_list>
#include <string>
#include <string_view>

#include "battle/battle_state.h"
#include "core/game.h"
#include "core/saturating.h"

namespace qvr {

// The face of a die of `sides` for the next draw. The draw is a whole number
// of 2^-24 steps, so the face is an integer product shifted back: the same
// face the shared dice give, without their general float decomposition (a
// battle rolls hundreds of dice a round, so this stays inline).
inline int32_t DrawFace(Rng& rng, int32_t sides)
{
    const auto steps = static_cast<int64_t>(rng.uniform() * 16777216.0f);
    return static_cast<int32_t>(((steps * sides) >> 24) + 1);
}

// 1d(sides), and count d sides + bonus, from the game's one stream: the
// faces the shared dice rule gives for the same draws.
inline int Roll(Game& game, int32_t sides)
{
    return DrawFace(game.rng, sides);
}
int32_t RollDice(Game& game, int32_t count, int32_t sides, int32_t bonus);

inline int PartySize(const Game& game)
{
    return game.state.partyCount;
}
// The roster number and the character at marching position `pos` (1..size).
inline int RosterAt(const Game& game, int pos)
{
    return game.state.partyMember[pos];
}
inline Character& MemberAt(Game& game, int pos)
{
    return game.character(RosterAt(game, pos));
}
// The marching position of a roster entry, 0 when it is not in the party.
int PositionOf(const Game& game, int rosterNo);

// 0 up to 12, 1 for 13..15, 2 for 16..17, then x - 15.
int32_t StrengthBonus(int32_t strength);
// Attacks per action of a class at a level; 0 for classes that do not fight.
int32_t ClassAttacks(int32_t classCode, int32_t level);

// What the player calls a monster: its name once the group is identified.
const std::string& MonsterName(const BattleState& state, int group, int slot);
// A slot that holds a monster still standing.
bool IsLiving(const MonsterSlot& m);

// A party member no rule forbids as a random target: up to 51 tries of a die
// over the whole party (or the front row), 0 when none was found.
int PickLivingMember(Game& game);
int PickFrontMember(Game& game);

// The monster is gone: its rewards go to the pools, its group's tally and
// the killer's count (roster number, 0 for none) rise. Returns the death
// line for the caller to print.
std::string MonsterKilled(Game& game, BattleState& state, int group, int slot, int killer);

// An added effect lands when a d100 beats the resistance and another falls
// below the chance.
bool EffectLands(Game& game, int32_t resistance, int32_t chance);

// Full-width digits, as numbers appear in every battle message.
std::string Digits(long long n);

void Say(BattleState& state, std::string_view text);
// The same line given as pieces: joined only when someone listens.
void Say(BattleState& state, std::initializer_list<std::string_view> parts);

// Pieces joined into one line with a single allocation: a round says ten
// lines or so, and they are built on the hot path.
inline std::string Cat(std::initializer_list<std::string_view> parts)
{
    std::size_t size = 0;
    for (std::string_view p : parts)
        size += p.size();
    std::string out;
    out.reserve(size);
    for (std::string_view p : parts)
        out.append(p);
    return out;
}

} // namespace qvr
