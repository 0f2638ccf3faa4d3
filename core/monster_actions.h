#pragma once

// Everything a monster's d20 action table may hold, and the special moves
// among it. The content compiler refuses a monster whose table names a code
// that is not here, and the round dispatches by the same table, so a code is
// added in one place or not at all.
//
// Code 61 sits in the run of special moves but has never had a move of its
// own: it is left out on purpose. A monster that rolls it (from a content
// file written by hand past the compiler) loses its turn, as with 0; the
// compiler refuses it rather than let a monster idle by accident.
//
// A move's announcement is text 4000 onwards of the message table, in code
// order over 21..79 with the call for help (26) left out: 21..25 are 4000..4004,
// the breaths 27..30 are 4005..4008 and 31..79 are 4009..4057 (4039, code 61's
// place, stays empty).

#include <array>
#include <cstddef>
#include <cstdint>

#include "core/records.h"

namespace qvr {

enum class MonsterAction : uint8_t {
    Idle,   // 0: the turn passes
    Melee,  // 1
    Spell,  // 2..10 school 0, 11..19 school 1, at level code - 1 or code - 10
    Flee,   // 20
    Call,   // 26: calls for help
    Breath, // 27..30: fire, lightning, cold, acid
    Move,   // 21..25, 31..79: a special move of the table below
    Unknown,
};

inline constexpr int kLastMonsterAction = 79;

// Who a move is aimed at.
enum class MoveReach : uint8_t {
    Self,     // the monster itself
    One,      // a member picked by PickLivingMember
    Front,    // a front-row member picked by PickFrontMember
    Anyone,   // a die of party-size sides, whatever the member's state
    FrontRow, // each of positions 1..min(3, party size)
    All,      // every member in marching order
    Monsters, // every monster of the battle
};

// What a move does; the handler of each family reads the row's parameters.
enum class MoveFamily : uint8_t {
    Ailment, // a d100 above res[index] gives the condition
    Curse,   // the condition by the three-dice rule (SpecialCondition)
    Afflict, // the condition, with nothing to resist it
    Blast,   // SpecialDamage of `amount` at res[index], `hits` times
    Ram,     // a body blow: the member and the monster both lose 1d(hp)
    Burst,   // self-destruction: the member takes all the monster's hp
    Unman,   // levels lost to a smile, member of sex `param` only
    Hide,    // the monster hides
    Cleave,  // past res[index]: hp lost in full (param 1) or by half (2)
    Brink,   // past res[index]: left with 1 hit point
    Throw,   // the member is thrown out of the party, left in the maze
    Banish,  // the member is sent away to town
    Rout,    // every monster leaves the battle
    Restore, // the monster's hp back to its maximum
    Shatter, // the member's worn item of equip code `param` is destroyed
    Rob,     // an item taken from a 1d12 slot, and the monster leaves
};

// How much a Blast (or a Ram) does.
enum class MoveAmount : uint8_t {
    None,
    Dice,             // the monster's damageDice
    DicePlusHp,       // damageDice with the monster's hp as the addend
    DiceTimesAttacks, // damageDice rolled once, times the monster's attacks
    HpRoll,           // 1d(the monster's hp)
    HpRollPlusHp,     // 1d(hp) + hp
    HalfMax,          // half the target's maximum
    HalfMaxRoll,      // 1d(target's max / 2) + target's max / 2
    Roll1000,         // 1d1000
    Roll300,          // 1d300
};

// What follows the damage of a Blast on each member still standing.
enum class MoveAfter : uint8_t {
    None,
    Condition,    // SpecialCondition at `thenIndex`
    FearBehead,   // fear, and 1d(agility) below 4 takes the head
    FiveAilments, // freeze, blind, shock, poison, charm, each on a d2 of 1
    StripArmour,  // the member's armour counts for nothing for the battle
};

struct SpecialMoveInfo {
    int16_t code;
    int16_t message; // the announcement, said after the monster's name
    MoveReach reach;
    MoveFamily family;
    int8_t index = 0;      // resistance index of the damage or condition
    int32_t condition = 0; // the condition it gives
    MoveAmount amount = MoveAmount::None;
    int8_t hits = 1;   // a Blast's blows
    bool anew = false; // each blow picks its member afresh
    MoveAfter after = MoveAfter::None;
    int8_t thenIndex = 0; // the condition that follows (MoveAfter::Condition)
    int16_t param = 0;    // the family's own number (sex, divisor, equip code)
};

namespace detail {
using R = MoveReach;
using F = MoveFamily;
using A = MoveAmount;
using T = MoveAfter;
} // namespace detail

// Sorted by code. Where a move's damage has no resistance of its own the
// element that fits it guards: 39 cold (8), 42 wind (6), 44 and the blows
// of 51..53, 67 and 71 physical (1), 48 earth (7), 54 as 55 magic (2), 66
// and 69 light (12).
inline constexpr std::array<SpecialMoveInfo, 53> kSpecialMoves{{
    // clang-format off
    {21, 4000, detail::R::One, detail::F::Ailment, 15, Cond::Asleep},
    {22, 4001, detail::R::One, detail::F::Ailment, 16, Cond::Paralysed},
    {23, 4002, detail::R::One, detail::F::Ailment, 22, Cond::Poisoned},
    {24, 4003, detail::R::One, detail::F::Ram, 0, 0, detail::A::HpRoll},
    {25, 4004, detail::R::One, detail::F::Burst},
    {31, 4009, detail::R::All, detail::F::Curse, 21, Cond::Charmed},
    {32, 4010, detail::R::One, detail::F::Curse, 27, Cond::Sick},
    {33, 4011, detail::R::One, detail::F::Unman, 30, 0, detail::A::None, 1, false, detail::T::None, 0, 1},
    {34, 4012, detail::R::One, detail::F::Unman, 30, 0, detail::A::None, 1, false, detail::T::None, 0, 2},
    {35, 4013, detail::R::All, detail::F::Curse, 15, Cond::Asleep},
    {36, 4014, detail::R::Self, detail::F::Hide},
    {37, 4015, detail::R::All, detail::F::Blast, 4, 0, detail::A::HpRollPlusHp},
    {38, 4016, detail::R::One, detail::F::Blast, 4, 0, detail::A::HpRollPlusHp},
    {39, 4017, detail::R::All, detail::F::Blast, 8, 0, detail::A::HpRoll, 1, false, detail::T::Condition, 19},
    {40, 4018, detail::R::All, detail::F::Blast, 5, 0, detail::A::DicePlusHp},
    {41, 4019, detail::R::One, detail::F::Blast, 9, 0, detail::A::Dice},
    {42, 4020, detail::R::One, detail::F::Blast, 6, 0, detail::A::Dice},
    {43, 4021, detail::R::All, detail::F::Blast, 8, 0, detail::A::HpRoll, 1, false, detail::T::Condition, 19},
    {44, 4022, detail::R::One, detail::F::Blast, 1, 0, detail::A::Dice},
    {45, 4023, detail::R::One, detail::F::Cleave, 1, 0, detail::A::None, 1, false, detail::T::None, 0, 1},
    {46, 4024, detail::R::One, detail::F::Afflict, 0, Cond::Confused},
    {47, 4025, detail::R::One, detail::F::Cleave, 1, 0, detail::A::None, 1, false, detail::T::None, 0, 2},
    {48, 4026, detail::R::All, detail::F::Blast, 7, 0, detail::A::Dice},
    {49, 4027, detail::R::One, detail::F::Brink, 6},
    {50, 4028, detail::R::One, detail::F::Curse, 31, Cond::Dead},
    {51, 4029, detail::R::Front, detail::F::Blast, 1, 0, detail::A::HalfMax, 1, false, detail::T::StripArmour},
    {52, 4030, detail::R::One, detail::F::Blast, 1, 0, detail::A::Dice, 10},
    {53, 4031, detail::R::Front, detail::F::Blast, 1, 0, detail::A::Dice, 14, true},
    {54, 4032, detail::R::Front, detail::F::Blast, 2, 0, detail::A::Dice},
    {55, 4033, detail::R::FrontRow, detail::F::Blast, 2, 0, detail::A::Dice, 2},
    {56, 4034, detail::R::All, detail::F::Blast, 14, 0, detail::A::Roll1000},
    {57, 4035, detail::R::One, detail::F::Blast, 7, 0, detail::A::Roll300, 6, true},
    {58, 4036, detail::R::Anyone, detail::F::Throw},
    {59, 4037, detail::R::One, detail::F::Banish, 13},
    {60, 4038, detail::R::All, detail::F::Curse, 22, Cond::Poisoned},
    {62, 4040, detail::R::Monsters, detail::F::Rout},
    {63, 4041, detail::R::Self, detail::F::Restore},
    {64, 4042, detail::R::All, detail::F::Blast, 11, 0, detail::A::Dice, 1, false, detail::T::Condition, 17},
    {65, 4043, detail::R::One, detail::F::Blast, 4, 0, detail::A::DiceTimesAttacks},
    {66, 4044, detail::R::All, detail::F::Blast, 12, 0, detail::A::Dice, 1, false, detail::T::Condition, 24},
    {67, 4045, detail::R::All, detail::F::Blast, 1, 0, detail::A::Dice, 1, false, detail::T::FearBehead},
    {68, 4046, detail::R::All, detail::F::Blast, 13, 0, detail::A::Dice, 1, false, detail::T::FiveAilments},
    {69, 4047, detail::R::One, detail::F::Blast, 12, 0, detail::A::HalfMaxRoll},
    {70, 4048, detail::R::Front, detail::F::Blast, 4, 0, detail::A::Dice, 2},
    {71, 4049, detail::R::FrontRow, detail::F::Blast, 1, 0, detail::A::Dice},
    {72, 4050, detail::R::One, detail::F::Afflict, 0, Cond::Carrot},
    {73, 4051, detail::R::One, detail::F::Afflict, 0, Cond::Fly},
    {74, 4052, detail::R::One, detail::F::Afflict, 0, Cond::Vanished},
    {75, 4053, detail::R::All, detail::F::Brink, 13},
    {76, 4054, detail::R::Front, detail::F::Shatter, 0, 0, detail::A::None, 1, false, detail::T::None, 0, 1},
    {77, 4055, detail::R::Front, detail::F::Shatter, 0, 0, detail::A::None, 1, false, detail::T::None, 0, 3},
    {78, 4056, detail::R::One, detail::F::Rob},
    {79, 4057, detail::R::All, detail::F::Blast, 14, 0, detail::A::HalfMaxRoll},
    // clang-format on
}};

constexpr const SpecialMoveInfo* FindSpecialMove(int code)
{
    for (const SpecialMoveInfo& m : kSpecialMoves)
        if (m.code == code)
            return &m;
    return nullptr;
}

// The announcement of a monster's breath of code 27..30.
constexpr int BreathMessage(int code)
{
    return 4000 + code - 22;
}

// The breath kind (the resistance index it strikes) of codes 27..30.
constexpr int BreathKind(int code)
{
    constexpr int kKinds[] = {4, 9, 8, 10};
    return kKinds[code - 27];
}

// Whether the table holds a move of this code. Asked by value rather than
// through FindSpecialMove's pointer, which a sanitizing compiler will not
// compare in a constant expression.
constexpr bool IsSpecialMoveCode(int code)
{
    for (const SpecialMoveInfo& move : kSpecialMoves)
        if (move.code == code)
            return true;
    return false;
}

constexpr MonsterAction MonsterActionOf(int code)
{
    if (code == 0)
        return MonsterAction::Idle;
    if (code == 1)
        return MonsterAction::Melee;
    if (code >= 2 && code <= 19)
        return MonsterAction::Spell;
    if (code == 20)
        return MonsterAction::Flee;
    if (code == 26)
        return MonsterAction::Call;
    if (code >= 27 && code <= 30)
        return MonsterAction::Breath;
    return IsSpecialMoveCode(code) ? MonsterAction::Move : MonsterAction::Unknown;
}

namespace detail {
constexpr bool SpecialMovesSorted()
{
    for (std::size_t i = 1; i < kSpecialMoves.size(); ++i)
        if (kSpecialMoves[i - 1].code >= kSpecialMoves[i].code)
            return false;
    return true;
}
constexpr bool EveryMoveCodeKnown()
{
    int known = 0;
    for (int code = 21; code <= kLastMonsterAction; ++code)
        known += MonsterActionOf(code) == MonsterAction::Move;
    return known == static_cast<int>(kSpecialMoves.size());
}
} // namespace detail
static_assert(detail::SpecialMovesSorted(), "move codes must be sorted and unique");
static_assert(detail::EveryMoveCodeKnown(), "moves lie within 21..79");

} // namespace qvr
