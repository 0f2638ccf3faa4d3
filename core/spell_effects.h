#pragma once

// The effect codes a spell may carry, and what each of them does in camp, in
// the party's hands in battle and in a monster's mouth. The camp rules and the
// battle rules act on a spell only through its effect code, so this table is
// the whole vocabulary the spell list is written in: the content compiler
// refuses a spell whose code, flags, target kind or element do not fit it.

#include <array>
#include <cstddef>
#include <cstdint>
#include <span>

namespace qvr {

struct SpellEffectInfo {
    int16_t code;
    bool camp;    // the camp does something with it (SpellFlag::Camp may be set)
    bool battle;  // it acts when a party member casts it in battle (SpellFlag::Battle)
    bool monster; // it acts when a monster casts it (SpellFlag::Monster)
    const char* what;
};

// SpellDef::targetKind values. Any other value also means "no target", but the
// content keeps to these four.
namespace SpellTarget {
inline constexpr int16_t None = 0;         // no target asked for in battle
inline constexpr int16_t OneMonster = 1;   // the first living monster of a chosen group
inline constexpr int16_t MonsterGroup = 2; // a whole chosen group
inline constexpr int16_t OneMember = 4;    // a chosen party member
} // namespace SpellTarget

constexpr bool IsValidTargetKind(int kind)
{
    return kind == SpellTarget::None || kind == SpellTarget::OneMonster ||
           kind == SpellTarget::MonsterGroup || kind == SpellTarget::OneMember;
}

// A spell's element is the resistance index that also protects against it.
// The elements are the defences the monster dictionary shows besides physical
// and magic: 4 fire, 5 water, 6 wind, 7 earth, 8 cold, 9 lightning, 10 poison,
// 11 mind, 12 light, 13 darkness. Cold and lightning damage may also freeze or
// shock. 0 means no element: nothing beyond the general magic defence resists.
inline constexpr int16_t kElementNone = 0;
inline constexpr int16_t kFirstElement = 4;
inline constexpr int16_t kLastElement = 13;

constexpr bool IsValidElement(int element)
{
    return element == kElementNone || (element >= kFirstElement && element <= kLastElement);
}

// Sorted by code. Code 0 is the trap-revealing spell's: it has no effect of
// its own when typed, the chest panel casts it by number.
inline constexpr std::array<SpellEffectInfo, 41> kSpellEffects{{
    {0, false, false, false, "none of its own: reveals a chest's trap from the chest panel"},
    {1, true, true, false, "raise a dead member (may turn to ashes)"},
    {2, false, true, true, "damage: one monster, a group or all groups by target kind"},
    {3, true, false, false, "tell the party's position and facing"},
    {4, false, true, true, "worsen the enemies' armour by the first dice field"},
    {5, true, true, true, "protection: armour -3, or -5 with a power of 5"},
    {6, true, false, false, "levitate the party over floor traps (floors 1 to 13)"},
    {7, true, true, true, "heal one by the dice"},
    {8, true, false, false, "find where a roster character is"},
    {9, true, true, false, "raise a dead or ashen member to full health"},
    {10, true, true, false, "cure paralysis"},
    {11, true, true, false, "identify monsters, now and for the rest of the trip"},
    {15, false, true, true, "put a group to sleep"},
    {17, false, true, true, "frighten a group"},
    {18, false, true, true, "confuse a group"},
    {21, false, true, false, "charm a group"},
    {23, false, true, true, "silence a group"},
    {24, false, true, false, "blind a group"},
    {33, false, true, true, "slay a group outright"},
    {43, true, true, false, "cure poison"},
    {44, true, false, false, "teleport by typed offsets"},
    {45, true, false, false, "appraise an item"},
    {46, false, true, true, "raise the caster's side's magic shield"},
    {47, false, true, true, "raise the caster's side's breath shield"},
    {48, false, true, true, "strip the other side's shields"},
    {49, true, false, false, "compass"},
    {50, false, true, false, "drain one monster's hit points into the caster"},
    {51, false, true, false, "banish a group"},
    {52, true, true, false, "heal by the dice: the whole party in camp, one member in battle"},
    {53, true, true, true, "heal one fully and cure every ailment"},
    {54, true, false, false, "return to the castle exit (purses are lost)"},
    {55, false, true, false, "wild magic on one monster"},
    {56, false, true, false, "a random blessing on the party"},
    {57, true, false, false, "tell how far a member is from the next level"},
    {58, false, true, false, "escape from battle"},
    {59, true, false, false, "see whether rock lies beyond the wall ahead"},
    {60, true, true, false, "cure sleep, fear, confusion, charm and blindness"},
    {61, false, true, false, "guard one member against beheading for the battle"},
    {62, false, true, false, "guard one member against level drain for the battle"},
    {63, false, true, false, "bring a group to death's door"},
    {64, true, false, false, "grant one wish"},
}};

constexpr std::span<const SpellEffectInfo> AllSpellEffects()
{
    return kSpellEffects;
}

constexpr const SpellEffectInfo* FindSpellEffect(int code)
{
    for (const SpellEffectInfo& e : kSpellEffects)
        if (e.code == code)
            return &e;
    return nullptr;
}

// Whether a spell of this effect may carry this target kind. The battle asks
// for a target by the kind alone, so a kind that does not match the effect
// would ask for the wrong thing (a monster for a healing spell) or nothing.
// Spells that do nothing in battle ask for no target.
constexpr bool TargetFitsEffect(int code, int kind)
{
    const SpellEffectInfo* e = FindSpellEffect(code);
    if (!e || !IsValidTargetKind(kind))
        return false;
    switch (code) {
    case 2: // one monster, a group, or every group when no target is chosen
        return kind != SpellTarget::OneMember;
    case 1:
    case 5:
    case 7:
    case 9:
    case 10:
    case 43:
    case 52:
    case 53:
    case 60:
    case 61:
    case 62:
        return kind == SpellTarget::OneMember;
    case 50:
    case 55:
        return kind == SpellTarget::OneMonster;
    case 4:
    case 11:
    case 15:
    case 17:
    case 18:
    case 21:
    case 23:
    case 24:
    case 33:
    case 51:
    case 63:
        return kind == SpellTarget::MonsterGroup;
    default: // the party, the monsters as a whole, or no battle effect
        return kind == SpellTarget::None;
    }
}

namespace detail {
constexpr bool SpellEffectsSortedAndUnique()
{
    for (std::size_t i = 1; i < kSpellEffects.size(); ++i)
        if (kSpellEffects[i - 1].code >= kSpellEffects[i].code)
            return false;
    return true;
}
} // namespace detail
static_assert(detail::SpellEffectsSortedAndUnique(), "effect codes must be sorted and unique");

} // namespace qvr
