#pragma once

// What the healing, curing and raising spells do to a member, the same in
// camp and in battle. Each side rolls its own dice, keeps its own thresholds
// where they differ and says the outcome in its own words; these functions
// only change the character and report what happened.

#include <cstdint>

#include "core/records.h"

namespace qvr {

// Every ailment the full heal cures, and the mind's ailments alone.
inline constexpr int32_t kAllAilments =
    Cond::Asleep | Cond::Paralysed | Cond::Afraid | Cond::Confused | Cond::Frozen | Cond::Shocked |
    Cond::Charmed | Cond::Poisoned | Cond::Silenced | Cond::Blind | Cond::Stoned;
inline constexpr int32_t kMindAilments =
    Cond::Asleep | Cond::Afraid | Cond::Confused | Cond::Charmed | Cond::Blind;

enum class Healing {
    Healed,     // some points back
    Full,       // back to the maximum
    BeyondCare, // dead, ashen, vanished or a carrot: nothing happens
    Sick,       // sickness stops healing
};

// Heals by `amount`, or fully; hit points never pass the maximum. `Full` is
// reported whenever the maximum is reached.
Healing Heal(Character& c, int64_t amount, bool full);
// Whether healing can reach the member at all (without changing it).
Healing HealingRefusal(const Character& c);

// Clears `ailments`; true when any of them was there.
bool Cure(Character& c, int32_t ailments);

enum class Raising {
    Nothing,  // the target was not in the state the spell mends
    Raised,   // alive again
    ToAshes,  // the raising failed and the body burned
    Vanished, // the ashes were lost for good
};

// Raising from death: a vitality roll below `failBelow` turns the body to
// ashes; otherwise 1 hit point, one more death counted, a point of vitality
// lost.
Raising RaiseDead(Character& c, int32_t vitalityRoll, int32_t failBelow);
// Raising from death or ashes to full health (the curse's bond stays); a
// roll below `failBelow` burns the dead (to ashes alone, as a failed raising
// from death does) and loses the ashen (Dead and Vanished: whether they are
// erased at once is the caller's).
Raising RaiseFully(Character& c, int32_t vitalityRoll, int32_t failBelow);

} // namespace qvr
