#pragma once

// The game folder on disk: reading the data files whole, writing the save so
// that a crash or a full disk never leaves a torn file, and the lock that
// keeps a second copy of the game away from the same folder.

#include <filesystem>

#include "core/save_store.h"

namespace qvr {

class FolderStore : public SaveStore {
public:
    explicit FolderStore(std::filesystem::path folder);
    ~FolderStore() override;

    std::filesystem::path folder() const override { return folder_; }
    // QVR2.DAT, TEXTS.DAT and EVENTS.DAT are read from `folder` instead (an
    // installed game's content, which the player's folder does not hold).
    void setContentFolder(std::filesystem::path folder) { contentFolder_ = std::move(folder); }

    // flock on QVR.lock in the folder: the kernel drops it when the process
    // dies, however it dies.
    void lock() override;
    void unlock() override;
    bool locked() const override { return lockFd_ >= 0; }

private:
    // Only regular files are read: a FIFO or a device under a data file's
    // name is refused, never waited on.
    std::vector<uint8_t> read(const std::string& name, std::size_t maxBytes) const override;
    // The image goes to a temporary file that is synced, the old file is
    // hard-linked as the backup, the temporary file is renamed over the old
    // one and the folder is synced.
    void write(const std::string& name, std::span<const uint8_t> image,
               const std::string& backupName) const override;

    std::filesystem::path folder_;
    std::filesystem::path contentFolder_;
    int lockFd_ = -1;
};

} // namespace qvr
