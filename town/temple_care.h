#pragma once

// What the temple does for a character: who lies there, what the cure
// costs, and the cure itself, raising the dead and the ashen included.

#include <cstdint>
#include <string>

namespace qvr {

struct Character;
class Game;

inline constexpr const char* kTempleTitle = "アンティノラ寺院";

// Conditions the temple takes in: vanished, ashes, dead, stoned, sick,
// carrot, fly and paralysed.
inline constexpr int32_t kTempleCare = 0x1FC02;

// A used roster slot in town (free or in the party in town) with one of the
// conditions above. A character left in the maze never lies here.
bool IsPatient(const Character& c);

// Level times the rate of the first of paralysed, stoned, dead, ashes,
// sick, fly and carrot the patient has; 0 when none applies (the vanished
// alone). A price beyond a purse's range is kept at its top.
int32_t TreatmentPrice(const Character& c);

// The patient's row: name, class label, condition and price, in full width.
std::string PatientRow(const Character& c);

enum class Treatment {
    TooPoor,  // the payer cannot pay; nothing changed
    Cured,    // one condition of the living removed
    NoEffect, // paid, but there was nothing the temple could do
    Raised,   // back from death or ashes
    ToAshes,  // raising the dead failed
    Erased,   // raising the ashes failed: the character is gone
};

// The payer pays and the patient is treated, with the temple's messages. A
// raise succeeds unless a die of the patient's vitality shows 1; each success
// costs a point of vitality (never the last) and counts as a death survived.
Treatment Treat(Game& game, int payer, int patient, int32_t price);

} // namespace qvr
