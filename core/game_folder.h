#pragma once

// Which folder the game plays in. A build or an unpacked copy plays in the
// program's own folder, as it always has. An installed copy (the program in
// PREFIX/bin, the content in PREFIX/share/qvr) never writes there: it keeps
// the save, the backup, the lock and QVR.ini in the user's data folder
// ($XDG_DATA_HOME/qvr, else ~/.local/share/qvr), reads the content from the
// install tree and, on the first run, copies the starting save across.
// --game-dir and QVR_HOME still name the folder outright.

#include <filesystem>
#include <memory>
#include <optional>
#include <string>

#include "core/folder_store.h"

namespace qvr {

// The install tree's data folder when this program runs installed (its
// QVR2.DAT is there and the program's own folder has none), else nothing.
std::optional<std::filesystem::path> InstalledDataFolder();

// $XDG_DATA_HOME/qvr, else $HOME/.local/share/qvr; a GameError when neither
// variable gives an absolute folder.
std::filesystem::path UserDataFolder();

// The store the game plays in, locked (AlreadyRunning when another copy
// holds it): the folder named by
// --game-dir or QVR_HOME, else the user's data folder for an installed
// program, else the program's folder. Where the install tree exists, a
// folder without QVR2.DAT reads the installed one, and a folder with neither
// a save nor a backup gets a copy of the starting save once it is locked.
// Errors name the folder in Japanese.
std::unique_ptr<FolderStore> OpenGameFolder(const std::string& commandLineDir = {});

} // namespace qvr
