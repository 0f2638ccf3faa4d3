#pragma once

// The creation wizard's state while it runs. It lives in the game, not in
// the panels' handlers, so that the dump and tests see every choice made so
// far, and the handlers are plain rules that read it.

#include <array>
#include <cstdint>
#include <string>

namespace qvr {

enum class CreationStep {
    Race,
    Alignment, // skipped for demons and angels
    Sex,
    Distribution, // the bonus points, then the class list
    Confirmation,
};

struct CreationWizard {
    CreationStep step = CreationStep::Race;
    std::string name;
    int16_t race = 0;
    int16_t alignment = 0;
    int16_t sex = 0;
    int16_t classCode = 0;
    int bonusPoints = 0; // as rolled
    int pointsLeft = 0;
    // Strength, iq, piety, vitality, agility, luck: as distributed, and the
    // race's and sex's values they may not fall below.
    std::array<int, 6> values{};
    std::array<int, 6> minimum{};
};

} // namespace qvr
