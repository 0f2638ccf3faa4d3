#pragma once

// The content compiler: reads the sources under data/content, checks every
// value, range and cross-reference, and fills a Content ready to be written
// as QVR2.DAT. Broken content is refused with the file and the line.

#include <filesystem>
#include <string>

#include "core/records.h"
#include "tools/content/toml_fields.h"

namespace qvr::content {

// One source file's part of the content.
void ReadSpells(const std::filesystem::path& file, Content& content);
void ReadTraps(const std::filesystem::path& file, Content& content);

// Checks that need the whole content: coverage of the spell effects, the
// spells the game refers to by number.
void CheckContent(const Content& content, const std::filesystem::path& dataDir);

// Reads every source of the folder (each file is required) and checks the
// result.
Content CompileContent(const std::filesystem::path& dataDir);

// Writes QVR2.DAT into outDir, replacing any old one, and a starting QVR1.DAT
// only when the folder has none: a rebuild never touches a player's save.
// Returns true when it wrote a new QVR1.DAT.
bool WriteGameFolder(const Content& content, const std::filesystem::path& outDir);

} // namespace qvr::content
