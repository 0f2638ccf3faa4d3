#pragma once

// The coordinate teleport of the camp: the panel's three fields, which take
// only digits and the minus sign, and the jump itself, which either moves the
// party, is turned back by a cell that forbids teleporting, or ends in the
// rock, the moat or the sky.

#include <array>
#include <string>

#include "core/keys.h"
#include "maze/camp_spells.h"

namespace qvr {

class Game;

inline constexpr const char* kTeleportTitle = "転移魔法";
inline constexpr const char* kTeleportCancelHint = "ＥＳＣで中止";
inline constexpr const char* kTeleportGoHint = "Ｅｎｔｅｒで転移";
inline constexpr const char* kTeleportHelp =
    "転移する値を入力してください\r\nマイナスで逆方向へ転移します";
inline constexpr const char* kTurnedBackText = "パーティーは元の位置に戻された";
inline constexpr const char* kTeleportChars = "0123456789-";
// The cell attribute bit that forbids arriving by teleport.
inline constexpr int kNoTeleportBit = 2;

// fraMove: txtXMove, txtYMove, txtZMove.
struct TeleportPanel {
    static constexpr std::array<const char*, 3> kFieldNames = {"txtXMove", "txtYMove", "txtZMove"};
    std::array<std::string, 3> fields = {"0", "0", "0"};
    int focused = 0;
    // A field's whole text is selected when it gets the focus, so the first
    // character typed replaces it.
    bool selectedAll = true;

    // Moves the focus (Up/Left back, Down/Right on, wrapping round).
    void focus(int field);
    // A typed character; anything outside "0123456789-" is ignored.
    void type(char ch);
    // Backspace: the selection or the last character goes.
    void erase();
    // A field as a number: an optional minus, then digits up to the first
    // other character; no digits read as 0. Far values are held at ±100000,
    // which is off every map either way.
    int value(int field) const;
};

// Jumps the party by (dx, dy, dz) from where the first member stands; the
// result is Close once the party left the camp (moved, turned back or lost).
CampOutcome TeleportByOffset(Game& game, int dx, int dy, int dz);

} // namespace qvr
