#pragma once

// The true powers sleeping in some items. After equipping, the owner is
// asked, item by item, whether to release each one; a released power acts
// on the owner (or the whole party) and may break the item.

namespace qvr {

class Game;

// Power codes of ItemDef::specialPower.
namespace Power {
inline constexpr int FirstAttribute = 1; // 1..6 raise strength .. luck
inline constexpr int LastAttribute = 6;
inline constexpr int Youth = 7;
inline constexpr int HealParty = 8;
inline constexpr int Vigour = 9;
inline constexpr int BecomeAngel = 10;
inline constexpr int BecomeDemon = 11;
inline constexpr int TurnChaotic = 12;
inline constexpr int TurnLawful = 13;
inline constexpr int TurnNeutral = 14;
inline constexpr int DoomBelow10 = 15;
inline constexpr int DoomBelow20 = 16;
inline constexpr int DoomBelow30 = 17;
inline constexpr int DoomBelow50 = 18;
inline constexpr int Rebirth = 19;
inline constexpr int Frailty = 30;
} // namespace Power

// Whether releasing the code does anything: other codes are asked about and
// then do nothing, which no item should be written to do.
constexpr bool IsKnownPower(int code)
{
    return (code >= Power::FirstAttribute && code <= Power::Rebirth) || code == Power::Frailty;
}

// Offers the power of every item the character carries, in slot order, then
// applies its equipment again.
void ReleasePowers(Game& game, int rosterNo);

// What one released power does to the character; true when it left the
// character in ashes or gone, which spends the item with nothing left of it.
bool ApplyPower(Game& game, int rosterNo, int code);

} // namespace qvr
