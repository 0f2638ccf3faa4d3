#pragma once

// What a level brings a caster: which schools each class studies and how far,
// and the rolls that decide which spells of those levels stick.

#include <cstdint>
#include <vector>

#include "core/records.h"
#include "core/rng.h"

namespace qvr {

// The schools of spellKnown, mp and maxMp.
namespace SpellSchool {
inline constexpr int Wizard = 0;
inline constexpr int Priest = 1;
// Studied by the two classes without a name; nothing is ever learnt there.
inline constexpr int Third = 2;
} // namespace SpellSchool

inline constexpr int kTopSpellLevel = 9;

// One school studied up to a spell level.
struct SpellStudy {
    int school = 0;
    int upTo = 0;

    bool operator==(const SpellStudy&) const = default;
};

// The studies a class makes on reaching `level`, in the order they are made.
// Classes without spells study nothing.
std::vector<SpellStudy> SpellStudies(int classCode, int level);

// Studies a school up to `upTo` (at most level 9): for every level and each
// of its three slots, a die of the school's attribute less 7 must beat the
// spell level. Each success adds a point to that level (at most 9) and makes
// the slot's spell known. Gives how many spells became known.
int StudySchool(Rng& rng, Character& c, const SpellStudy& study);

} // namespace qvr
