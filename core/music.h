#pragma once

// Background music and monster pictures: the tracks the player assigned in
// QVR.ini, one playing at a time and restarted whenever it ends, and the
// picture shown beside a monster in battle.

#include <string>
#include <string_view>

#include "core/screen.h"

namespace qvr {

class Game;

inline constexpr const char* kMusicSection = "ＢＧＭ";
inline constexpr const char* kPictureSection = "画像";

inline constexpr int kTrackCount = 19; // the tracks a player can assign: 1..19
inline constexpr int kLastTrack = 50;  // bgmFiles' upper bound

enum MusicTrack : int {
    kTrackSilence = 0,
    kTrackTitle = 1,
    kTrackCastleTown = 2,
    kTrackEdgeOfTown = 3,
    kTrackShop = 4,
    kTrackTavern = 5,
    kTrackTemple = 6,
    kTrackInn = 7,
    kTrackAstrology = 8,
    kTrackTrainingGrounds = 9,
    kTrackMazeUpper = 10, // floors up to 13
    kTrackMazeLower = 11, // floors below 13
    kTrackBattle1 = 12,
    kTrackBattle2 = 13,
    kTrackBoss1 = 14,
    kTrackBoss2 = 15,
    kTrackVictory = 16, // victory and treasure
    kTrackWipedOut = 17,
    kTrackCamp = 18,
    kTrackEncounter = 19,
};

// The key of a track in QVR.ini's "ＢＧＭ" section ("迷宮１", full-width digits)
// and its name in the settings window ("迷宮1"). Tracks 1..19; anything else
// is an IndexError.
std::string_view TrackKey(int track);
std::string_view TrackDisplayName(int track);

// Fills bgmFiles 1..19 from QVR.ini in the game folder. A missing file or key
// leaves the track empty; a broken file never stops the game.
void LoadMusicSettings(Game& game);

// Starts a track from its beginning, even when it is the one already
// playing; an empty track stops the music. A track number outside 0..50 is
// taken as silence: music is never worth stopping the game for.
void PlayMusic(Game& game, int track);

// The one-second timer's work: a track that has ended starts again.
void MusicUpkeep(Game& game);

// Shows the monster's picture beside the battle (its file from QVR.ini's
// "画像" section), or hides the picture when there is none or the file is
// not there. The front end loads the file and hides a picture it cannot load.
void ShowMonsterPicture(Game& game, const std::string& monsterName);

// Where the picture box sits on the form: centred across, its middle at
// three fifths of the height.
Rect CentrePicture(double formWidth, double formHeight, double boxWidth, double boxHeight);

} // namespace qvr
