#pragma once

// A game folder held in memory, for tests and the battle simulator: saving
// costs no disk write and no sync. The files and the lock live in one set
// that several stores may share, as several copies of the game would share
// one folder.

#include <map>
#include <memory>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/save_store.h"

namespace qvr {

class MemoryStore : public SaveStore {
public:
    MemoryStore();
    ~MemoryStore() override;

    // Another store on the same files and the same lock.
    std::unique_ptr<MemoryStore> share() const;

    void lock() override;
    void unlock() override;
    bool locked() const override;

    // Puts a file in place as it stands, with no backup: the files a test
    // starts from.
    void putFile(const std::string& name, std::vector<uint8_t> bytes);
    void putFile(const std::string& name, std::string_view bytes);
    std::optional<std::vector<uint8_t>> file(const std::string& name) const;
    void removeFile(const std::string& name);

    // While set, every write fails as a full disk would: SaveError, and the
    // files stay as they were.
    void failWrites(bool fail);

private:
    struct Files;

    explicit MemoryStore(std::shared_ptr<Files> files);
    std::vector<uint8_t> read(const std::string& name, std::size_t maxBytes) const override;
    void write(const std::string& name, std::span<const uint8_t> image,
               const std::string& backupName) const override;

    std::shared_ptr<Files> files_;
};

} // namespace qvr
