#pragma once

// Who a character can be: the races' starting attributes, the sex
// adjustment, how far training may raise each attribute, which classes the
// attributes open, and the bonus points a new character is given to spend.
// Creation and class change read the same requirement table; level-up, wishes
// and fusion read the maxima.

#include <array>
#include <cstdint>
#include <string>
#include <vector>

namespace qvr {

struct Character;

// Strength, iq, piety, vitality, agility, luck: the order of every attribute
// list, label and table of the game.
inline constexpr int kAttributeCount = 6;
using Attributes = std::array<int, kAttributeCount>;

// The attribute names of the distribution list ("力" .. "運").
const std::array<std::string, kAttributeCount>& AttributeNames();

Attributes AttributesOf(const Character& c);
void SetAttributes(Character& c, const Attributes& values);

// A race's attributes before the sex adjustment; all 0 for a code that is no
// race.
Attributes RaceBase(int race);
// +1 strength and vitality for a male (sex 1), +1 agility and luck for
// anyone else.
Attributes SexAdjustment(int sex);
// Where a new character starts, and the floor of the distribution.
Attributes StartingAttributes(int race, int sex);
// How far an attribute may be raised: the start plus 10, or plus 15 where
// magic reaches beyond training (`extended`).
Attributes AttributeMaxima(int race, int sex, bool extended = false);

struct ClassRequirement {
    int16_t classCode = 0;
    Attributes minimum{}; // each attribute at least this
    int alignments = 0;   // the alignment codes allowed, ORed together
    int sex = 0;          // the one sex allowed; 0: either
};

// In the order of the creation list.
const std::vector<ClassRequirement>& ClassRequirements();
// Alignment and sex must each be one exact code of the requirement.
bool MeetsRequirement(const ClassRequirement& requirement, const Attributes& values, int alignment,
                      int sex);

enum class ClassListOrder {
    Creation,
    // The class-change list names the three late classes in another order.
    ClassChange,
};
// The class codes that the values, alignment and sex open, in the list's
// order.
std::vector<int16_t> EligibleClasses(const Attributes& values, int alignment, int sex,
                                     ClassListOrder order);

// Points to distribute for a 6d10 sum: a poor roll still gives 5, and the
// best rolls give far more than the middling ones.
int BonusPoints(int sum);

} // namespace qvr
