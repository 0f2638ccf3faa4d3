#pragma once

// Where the game keeps its files: the save, the content and the player's
// QVR.ini, read whole and written so that a failure never leaves a torn
// file, and the lock that keeps a second copy of the game away from them.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/error.h"

namespace qvr {

inline constexpr const char* kSaveFileName = "QVR1.DAT";
inline constexpr const char* kContentFileName = "QVR2.DAT";
// The numbered texts and the floors' events, compiled with the content.
inline constexpr const char* kTextsFileName = "TEXTS.DAT";
inline constexpr const char* kEventsFileName = "EVENTS.DAT";
inline constexpr const char* kBackupFileName = "QVR1.BAK";
inline constexpr const char* kLockFileName = "QVR.lock";
inline constexpr const char* kIniFileName = "QVR.ini";

// Another copy of the game holds the folder's lock.
class AlreadyRunning : public GameError {
public:
    using GameError::GameError;
};

// A save that did not reach the disk; the previous save file is still whole.
class SaveError : public GameError {
public:
    using GameError::GameError;
};

// A file the store does not hold. Callers that can do without the file
// (the player's QVR.ini) catch this one; for the others it is a GameError.
class FileMissing : public GameError {
public:
    using GameError::GameError;
};

// Where the game's files live. Play uses the game folder on disk
// (folder_store.h); tests and the battle simulator keep their files in memory
// (memory_store.h), so that a rule that saves costs no disk write.
class SaveStore {
public:
    SaveStore() = default;
    virtual ~SaveStore() = default;
    SaveStore(const SaveStore&) = delete;
    SaveStore& operator=(const SaveStore&) = delete;

    // The folder on disk, against which the player's relative music and
    // picture paths are taken; empty for a store with no folder.
    virtual std::filesystem::path folder() const { return {}; }
    // How messages name one of the store's files.
    std::filesystem::path pathOf(const std::string& name) const { return folder() / name; }

    // Takes the store's lock for the life of this object (or until unlock).
    // Throws AlreadyRunning when another copy of the game holds it.
    virtual void lock() = 0;
    virtual void unlock() = 0;
    virtual bool locked() const = 0;

    // The whole of a file. A missing file is FileMissing; an unreadable one,
    // or one larger than maxBytes, is a GameError naming the file and the
    // problem.
    std::vector<uint8_t> readFile(const std::string& name, std::size_t maxBytes) const
    {
        return read(name, maxBytes);
    }

    // Replaces a file whole or not at all: the old file is kept under
    // backupName (when given), and any failure leaves it as it was and
    // throws SaveError.
    void writeFileSafely(const std::string& name, std::span<const uint8_t> image,
                         const std::string& backupName = {}) const
    {
        write(name, image, backupName);
    }

private:
    virtual std::vector<uint8_t> read(const std::string& name, std::size_t maxBytes) const = 0;
    virtual void write(const std::string& name, std::span<const uint8_t> image,
                       const std::string& backupName) const = 0;
};

// The game folder: --game-dir when given, else $QVR_HOME, else the folder of
// the running program.
std::filesystem::path ResolveGameFolder(const std::string& commandLineDir = {});

} // namespace qvr
