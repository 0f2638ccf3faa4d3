#pragma once

// The game folder on disk: reading the data files whole, writing the save so
// that a crash or a full disk never leaves a torn file, and the lock that
// keeps a second copy of the game away from the same folder.

#include <cstdint>
#include <filesystem>
#include <span>
#include <string>
#include <vector>

#include "core/error.h"

namespace qvr {

inline constexpr const char* kSaveFileName = "QVR1.DAT";
inline constexpr const char* kContentFileName = "QVR2.DAT";
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

class SaveStore {
public:
    explicit SaveStore(std::filesystem::path folder);
    ~SaveStore();
    SaveStore(const SaveStore&) = delete;
    SaveStore& operator=(const SaveStore&) = delete;

    const std::filesystem::path& folder() const { return folder_; }
    std::filesystem::path pathOf(const std::string& name) const { return folder_ / name; }

    // Takes the folder's lock for the life of this object (or until unlock).
    // Throws AlreadyRunning when another process holds it. The kernel drops
    // the lock when the process dies, however it dies.
    void lock();
    void unlock();
    bool locked() const { return lockFd_ >= 0; }

    // The whole of a file of the folder. A missing or unreadable file, or one
    // larger than maxBytes, is a GameError naming the file and the problem.
    std::vector<uint8_t> readFile(const std::string& name, std::size_t maxBytes) const;

    // Replaces a file of the folder atomically: the image goes to a temporary
    // file that is synced, the old file is kept under backupName (when given),
    // the temporary file is renamed over the old one and the folder is synced.
    // Any failure leaves the old file whole and throws SaveError.
    void writeFileSafely(const std::string& name, std::span<const uint8_t> image,
                         const std::string& backupName = {}) const;

private:
    std::filesystem::path folder_;
    int lockFd_ = -1;
};

// The game folder: --game-dir when given, else $QVR_HOME, else the folder of
// the running program.
std::filesystem::path ResolveGameFolder(const std::string& commandLineDir = {});

} // namespace qvr
