#pragma once

// A character joining the roster from the creation wizard, and the first
// spells that creation and class change share.

#include <cstdint>
#include <string>

#include "rules/class_rules.h"

namespace qvr {

class Game;
struct Character;

inline constexpr int kWizardSchool = 0;
inline constexpr int kPriestSchool = 1;

// What the wizard settled on.
struct NewCharacter {
    std::string name;
    int16_t race = 0;
    int16_t alignment = 0;
    int16_t sex = 0;
    int16_t classCode = 0;
    Attributes attributes{};
    int bonusPoints = 0; // as rolled, before any was spent
};

// Writes the character into the first free roster slot (not saved yet) and
// returns the slot, or 0 when every slot is taken.
int WriteNewCharacter(Game& game, const NewCharacter& made);

// Each of the three level-1 spells of `school` is learnt on a 1d10 above 5;
// a pass that teaches nothing is rolled again. Spells already known stay
// known. Returns the number learnt in the last pass.
int LearnFirstSpells(Game& game, Character& c, int school);

// The die that sizes a new caster's first spell points, of either school:
// 1d(iq / 4). Priests too start from what they understand of their prayers,
// not from their faith.
int FirstPointsRoll(Game& game, const Character& c);

} // namespace qvr
