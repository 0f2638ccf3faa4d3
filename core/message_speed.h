#pragma once

// How fast a battle's narration goes by: each line waits for a key (the
// default), or its box closes by itself after a short delay the player chose
// in the settings window. It is a setting of the program, kept in QVR.ini
// beside the music, never in the save.

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace qvr {

class Game;

inline constexpr const char* kMessageSection = "メッセージ";
inline constexpr const char* kBattleDelayKey = "戦闘";
// Longer than this is no longer "by itself"; a hand-written value beyond it
// is taken as this.
inline constexpr int kMaxBattleDelayMs = 10000;
// What the settings window offers; 0 waits for a key.
inline constexpr std::array<int, 5> kBattleDelays{0, 500, 1000, 2000, 3000};

// QVR.ini's text as a delay: plain decimal milliseconds, at most
// kMaxBattleDelayMs; anything else (a word, a negative number) waits for a key.
int ParseBattleDelay(std::string_view text);
// "キー入力を待つ", or the delay in seconds ("0.5秒で閉じる").
std::string BattleDelayName(int ms);
// The settings window's choices: the offered ones, and `current` in its
// place when the file held another.
std::vector<int> BattleDelayChoices(int current);

// Reads the delay from QVR.ini in the game folder; a missing or broken file
// waits for a key.
void LoadMessageSpeed(Game& game);

} // namespace qvr
