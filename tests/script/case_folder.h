#pragma once

// A key-script case: its script, the settings in its header comments, and
// the fresh game folder it runs in. The header's directives (see README.md)
// are comment lines to the runner.

#include <array>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "core/folder_store.h"
#include "core/records.h"
#include "tests/core/temp_folder.h"

namespace qvr::test {

struct CaseSetup {
    int exitStatus = 0;
    uint64_t seed = 1; // the dice of the run
    std::vector<std::string> stderrHolds;
    std::vector<std::string> without; // files left out of the folder
    bool locked = false;
    std::vector<std::pair<int, std::string>> music; // track, path
    std::vector<std::array<std::string, 3>> ini;    // section, key, value
    std::vector<std::string> characters;            // "N NAME field=value ..."
    std::vector<std::pair<int, int>> stock;         // item, the shop's stock of it
    std::vector<std::pair<int, int>> flags;         // event flag, its value in the save
    std::optional<bool> saved;
    std::vector<int> quietFloors;               // floors made open and without encounters
    std::vector<int> calmFloors;                // real floors without encounters
    std::vector<std::array<int, 5>> rocks;      // floor, x1, y1, x2, y2
    std::vector<std::array<int, 5>> cells;      // floor, x, y, walls, doors
    std::vector<std::string> monsters;          // "M NAME field=value ..."
    std::vector<std::array<int, 6>> encounters; // floor, entry, monsters of groups 1..4
    std::vector<std::string> eventFiles;        // event scripts beside the case
    std::vector<std::string> textFiles;         // tables of numbered texts beside the case
    std::vector<std::vector<int>> recipes;      // row, result, alternative, ingredients
    std::vector<std::string> items;             // "N NAME UNKNOWN field=value ..."
    std::vector<std::pair<int, int>> kills;     // monster, times the players defeated it
};

// Reads the directives of the script's first comment lines. Throws
// std::runtime_error for a directive it cannot read.
CaseSetup ReadCaseSetup(const std::string& script);

// A fresh game folder for a case: the build's QVR2.DAT, TEXTS.DAT and
// EVENTS.DAT (with the case's own floors, events and texts compiled over
// them), an all-zero QVR1.DAT holding the case's characters and shop stock,
// its QVR.ini, and another holder of the lock when the case wants one.
class CaseFolder {
public:
    explicit CaseFolder(const CaseSetup& setup);
    const std::filesystem::path& path() const { return dir_.path(); }
    // Whether QVR1.DAT is a new file with the old one kept as the backup.
    bool saveRewritten() const;
    // Lets go of the case's own hold on the lock.
    void release() { holder_.reset(); }

private:
    TempFolder dir_;
    std::optional<FolderStore> holder_;
    uintmax_t saveInode_ = 0;
    // The first save file is held open: once several saves have come and
    // gone, the file system would otherwise be free to give its inode
    // number to the newest one, which would then look untouched.
    std::ifstream firstSave_;
};

// A roster entry from "N NAME field=value ...": fields level, class, race,
// align, sex, floor, group, x, y, hp, maxhp, ac, cond, exp, gold, age, days,
// special (the special flags), str, iq, piety, vit, agi, luck, items
// (comma-separated item numbers for slots 1, 2, ...) and flags (their item
// flags, likewise). Without them a character is a lawful human fighter of
// level 1 with 10 hit points.
void AddCharacter(SaveData& save, const std::string& line);

std::string ReadWholeFile(const std::filesystem::path& path);
void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes);

} // namespace qvr::test
