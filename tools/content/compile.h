#pragma once

// The content compiler: reads the sources under data/content, checks every
// value, range and cross-reference, and fills a Content ready to be written
// as QVR2.DAT. Broken content is refused with the file and the line.

#include <filesystem>
#include <map>
#include <string>

#include "core/records.h"
#include "tools/content/maze_source.h"
#include "tools/content/npcs_source.h"
#include "tools/content/toml_fields.h"

namespace qvr::content {

// Where each item was written ("file:line" by item number), so that a check
// of the whole table can name the line at fault.
using SourcePlaces = std::map<int, std::string>;

// Everything the sources give: the content of QVR2.DAT and the shop's opening
// stock, which goes into the starting QVR1.DAT.
struct Sources {
    Content content;
    Bounded<int32_t, 0, kItemCount> openingStock{};
    SourcePlaces itemPlaces;
    SourcePlaces monsterPlaces;
    MessageTable texts; // TEXTS.DAT
    MazeEvents events;  // EVENTS.DAT
    NpcSources npcs;    // the talk is compiled into the program; the wares go into QVR2.DAT
};

// One source file's part of the content.
void ReadSpells(const std::filesystem::path& file, Content& content);
void ReadTraps(const std::filesystem::path& file, Content& content);
// The item catalogue is a folder of files (items/*.toml), read in name order.
void ReadItems(const std::filesystem::path& folder, Sources& sources);
// Monsters after the items (their steal items), encounters after both.
void ReadMonsters(const std::filesystem::path& file, Sources& sources);
void ReadEncounters(const std::filesystem::path& file, Content& content);
// Recipes last: whether an ingredient can be had depends on all the rest.
void ReadRecipes(const std::filesystem::path& file, Sources& sources);

// The deepest floor the maze has.
inline constexpr int kLastFloor = 17;

// The monster ranks a floor is built from (0..0 for no floor).
struct RankBand {
    int low = 0;
    int high = 0;
};
RankBand FloorRankBand(int floor);
// Monsters 20f-19..20f are floor f's own; 0 for the others.
int FloorOfMonster(int monsterNo);

// Checks that need the whole content: coverage of the spell effects, the
// spells and items the game refers to by number, what items refer to.
void CheckContent(const Content& content, const std::filesystem::path& dataDir,
                  const SourcePlaces& itemPlaces = {});
void CheckItems(const Content& content, const std::filesystem::path& file,
                const SourcePlaces& itemPlaces);

// Reads every source of the folder (each file is required, and a map of
// every floor under floors/) and the texts (messages.toml beside the folder
// unless named), and checks the result.
Sources CompileSources(const std::filesystem::path& dataDir,
                       const std::filesystem::path& textsFile = {});
Content CompileContent(const std::filesystem::path& dataDir,
                       const std::filesystem::path& textsFile = {});

// The texts file that goes with a content folder: data/messages.toml for
// data/content.
std::filesystem::path DefaultTextsFile(const std::filesystem::path& dataDir);

// The save a new game starts from: nobody on the roster, the shop stocked.
SaveData StartingSave(const Sources& sources);

// Writes QVR2.DAT, TEXTS.DAT and EVENTS.DAT into outDir, replacing any old
// ones, and the starting QVR1.DAT only when the folder has none: a rebuild
// never touches a player's save. Returns true when it wrote a new QVR1.DAT.
bool WriteGameFolder(const Sources& sources, const std::filesystem::path& outDir);

} // namespace qvr::content
