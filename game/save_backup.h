#pragma once

// A save file that will not load while the backup the last save kept beside
// it does: start-up says so, and the player may start again from the backup
// without losing the damaged file.

#include "core/error.h"
#include "core/game.h"

namespace qvr {

inline constexpr const char* kDamagedSaveFileName = "QVR1.DAT.damaged";
inline constexpr const char* kFromBackupQuestion =
    "QVR1.BAK から始めますか？\n（読み込めなかった QVR1.DAT は QVR1.DAT.damaged として残します）";

// Start-up stopped at the save file, and the backup loads: the message names
// the file, what is wrong with it, and the backup.
class DamagedSave : public GameError {
public:
    using GameError::GameError;
};

// LoadGame; a failure of the save file while the backup loads is a
// DamagedSave, any other failure propagates as it was.
void LoadGameOrNameTheBackup(Game& game);

// Keeps the save file as QVR1.DAT.damaged (when there is one), then writes
// the backup's image as the save file, both through the store's safe write;
// the backup stays as it is. Throws GameError, leaving the save file as it
// was, when the backup does not load or the damaged file cannot be kept.
void RestoreSaveFromBackup(Game& game);

} // namespace qvr
