#include "core/memory_store.h"

namespace qvr {

struct MemoryStore::Files {
    std::map<std::string, std::vector<uint8_t>> bytes;
    const MemoryStore* lockHolder = nullptr;
    bool failWrites = false;
};

MemoryStore::MemoryStore() : MemoryStore(std::make_shared<Files>()) {}

MemoryStore::MemoryStore(std::shared_ptr<Files> files) : files_(std::move(files)) {}

MemoryStore::~MemoryStore()
{
    unlock();
}

std::unique_ptr<MemoryStore> MemoryStore::share() const
{
    return std::unique_ptr<MemoryStore>(new MemoryStore(files_));
}

void MemoryStore::lock()
{
    if (files_->lockHolder && files_->lockHolder != this)
        throw AlreadyRunning("the game is already running on these files");
    files_->lockHolder = this;
}

void MemoryStore::unlock()
{
    if (files_->lockHolder == this)
        files_->lockHolder = nullptr;
}

bool MemoryStore::locked() const
{
    return files_->lockHolder == this;
}

void MemoryStore::putFile(const std::string& name, std::vector<uint8_t> bytes)
{
    files_->bytes[name] = std::move(bytes);
}

void MemoryStore::putFile(const std::string& name, std::string_view bytes)
{
    putFile(name, std::vector<uint8_t>(bytes.begin(), bytes.end()));
}

std::optional<std::vector<uint8_t>> MemoryStore::file(const std::string& name) const
{
    auto it = files_->bytes.find(name);
    if (it == files_->bytes.end())
        return std::nullopt;
    return it->second;
}

void MemoryStore::removeFile(const std::string& name)
{
    files_->bytes.erase(name);
}

void MemoryStore::failWrites(bool fail)
{
    files_->failWrites = fail;
}

std::vector<uint8_t> MemoryStore::read(const std::string& name, std::size_t maxBytes) const
{
    auto it = files_->bytes.find(name);
    if (it == files_->bytes.end())
        throw FileMissing(name + ": the file is missing");
    if (it->second.size() > maxBytes)
        throw GameError(name + ": the file is too long (" + std::to_string(it->second.size()) +
                        " bytes, at most " + std::to_string(maxBytes) + " expected)");
    return it->second;
}

void MemoryStore::write(const std::string& name, std::span<const uint8_t> image,
                        const std::string& backupName) const
{
    if (files_->failWrites)
        throw SaveError(name + ": not written: the store refuses writes");
    auto& bytes = files_->bytes;
    if (!backupName.empty())
        if (auto old = bytes.find(name); old != bytes.end())
            bytes[backupName] = old->second;
    bytes[name].assign(image.begin(), image.end());
}

} // namespace qvr
