#pragma once

// What each entry of the 33 resistances (`res[1..33]`) of characters,
// monsters and items guards against, and, for 15..33, which added-effect
// chance (`chance[i]`) of a weapon or a monster's blow it answers. The battle
// reads them by these names; the numbers are the stored layout.

namespace qvr::Res {

inline constexpr int Physical = 1; // 1..100 nullify a blow, above 100 absorb, below 0 reflect
inline constexpr int Magic = 2;    // the general chance to nullify spells
inline constexpr int Breath = 3;
// The elements a spell may carry, and the breath kinds among them.
inline constexpr int Fire = 4;
inline constexpr int Water = 5;
inline constexpr int Wind = 6;
inline constexpr int Earth = 7;
inline constexpr int Cold = 8;
inline constexpr int Lightning = 9;
inline constexpr int Acid = 10; // also poison as an element
inline constexpr int Mind = 11;
inline constexpr int Light = 12;
inline constexpr int Darkness = 13;
inline constexpr int Meteor = 14;
// Added effects: the index is both the resistance and the chance.
inline constexpr int Sleep = 15;
inline constexpr int Paralysis = 16;
inline constexpr int Fear = 17;
inline constexpr int Confusion = 18;
inline constexpr int Freezing = 19;
inline constexpr int Shock = 20;
inline constexpr int Charm = 21;
inline constexpr int Poison = 22;
inline constexpr int Silence = 23;
inline constexpr int Blinding = 24;
inline constexpr int Sickness = 27;
inline constexpr int Drain = 28; // hit points drained by a weapon
inline constexpr int Stoning = 29;
inline constexpr int LevelDrain = 30;
inline constexpr int Critical = 31; // beheading and the mortal blow
inline constexpr int Ashes = 32;
inline constexpr int Death = 33;

} // namespace qvr::Res
