#pragma once

// The shadow encounter: monsters that take the shape of a party member, its
// hit points, armour, speed, weapon and the moves of its class.

namespace qvr {

class Game;
struct Character;
struct MonsterDef;

// Turns a copied monster slot into the member's shadow.
void MakeShadow(Game& game, MonsterDef& m, const Character& c);

// The special move a shadow opens with for the member's class; 0 for a
// class without one.
int SignatureMove(int classCode);

} // namespace qvr
