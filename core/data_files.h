#pragma once

// The two data files: QVR1.DAT (roster, flags, tallies, shop stock; 46,586
// bytes) and QVR2.DAT (the game content). Images are built and parsed in
// memory; the game folder (save_store.h) moves them to and from the disk.

#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "core/game.h"

namespace qvr {

inline constexpr std::size_t kSaveFileBytes = 46586;
// Far above any real content file; only guards against reading a huge
// wrong file into memory.
inline constexpr std::size_t kContentFileMaxBytes = 16 * 1024 * 1024;

// Brings each used roster entry's name codes up to date with its name (an
// entry with an empty name keeps the codes it has) and builds the image.
// Throws GameError, before anything is written, for a name that cannot be
// stored.
std::vector<uint8_t> EncodeSaveImage(SaveData& save);

// Parses a save image into `save`, decoding names. Roster entry 0 keeps its
// value in memory whatever the image holds. All or nothing: on a GameError
// `save` is unchanged.
void DecodeSaveImage(std::span<const uint8_t> image, SaveData& save, const std::string& fileName);

std::vector<uint8_t> EncodeContentImage(const Content& content);
// Parses a content image into `content` (all or nothing), decoding the names
// of monsters 1..700 and items 1..640; entry 0 and the crafted-weapon
// variants keep their codes undecoded.
void DecodeContentImage(std::span<const uint8_t> image, Content& content,
                        const std::string& fileName);
// The same into new content, which from then on is only read.
std::shared_ptr<const Content> DecodeContent(std::span<const uint8_t> image,
                                             const std::string& fileName);

// Reads the save, the content, the texts and the events from the game folder
// (game.store must be set). Any problem with any of them is a GameError that
// names the file and what is wrong.
void LoadGame(Game& game);

// Writes the save file safely (see SaveStore::writeFileSafely); a failure is
// a SaveError and the previous save stays whole.
void SaveGame(Game& game);

// The program's own version.
struct Version {
    long major = 0, minor = 0, revision = 0;
    bool operator==(const Version&) const = default;
};
Version ProgramVersion();

// Stores the program's version in the settings, then saves.
void SaveVersion(Game& game, const Version& version);
// Called after LoadGame: when the stored version differs from `version`,
// SaveVersion. Returns whether it did.
bool CheckVersion(Game& game, const Version& version);

} // namespace qvr
