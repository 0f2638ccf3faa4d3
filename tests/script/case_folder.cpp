#include "tests/script/case_folder.h"

#include <fstream>
#include <sstream>
#include <stdexcept>
#include <sys/stat.h>

#include "core/data_files.h"
#include "core/ini_file.h"
#include "core/music.h"

namespace qvr::test {

namespace {

uintmax_t inodeOf(const std::filesystem::path& path)
{
    struct stat st {};
    return ::stat(path.c_str(), &st) == 0 ? static_cast<uintmax_t>(st.st_ino) : 0;
}

std::string trimmed(std::string s)
{
    while (!s.empty() && (s.back() == ' ' || s.back() == '\r'))
        s.pop_back();
    std::size_t start = s.find_first_not_of(' ');
    return start == std::string::npos ? "" : s.substr(start);
}

bool setField(Character& c, const std::string& key, long value)
{
    static const std::pair<const char*, int16_t Character::*> kShort[] = {
        {"class", &Character::classCode}, {"race", &Character::race},
        {"align", &Character::alignment}, {"sex", &Character::sex},
        {"floor", &Character::floor},     {"group", &Character::groupNo},
        {"vit", &Character::vitality}};
    static const std::pair<const char*, int32_t Character::*> kLong[] = {
        {"level", &Character::level},     {"hp", &Character::hp},
        {"maxhp", &Character::maxHp},     {"ac", &Character::ac},
        {"cond", &Character::conditions}, {"gold", &Character::gold}};
    for (const auto& [name, field] : kShort)
        if (key == name) {
            c.*field = static_cast<int16_t>(value);
            return true;
        }
    for (const auto& [name, field] : kLong)
        if (key == name) {
            c.*field = static_cast<int32_t>(value);
            if (field == &Character::ac)
                c.baseAc = c.ac;
            return true;
        }
    return false;
}

} // namespace

std::string ReadWholeFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw std::runtime_error("cannot read " + path.string());
    return {std::istreambuf_iterator<char>(in), {}};
}

void WriteWholeFile(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

CaseSetup ReadCaseSetup(const std::string& script)
{
    CaseSetup setup;
    std::istringstream in(script);
    std::string line;
    while (std::getline(in, line)) {
        line = trimmed(line);
        if (line.empty())
            continue;
        if (line[0] != '#')
            break; // the header ends with the first step
        line = trimmed(line.substr(1));
        std::size_t colon = line.find(':');
        std::string name = line.substr(0, colon);
        std::string value = colon == std::string::npos ? "" : trimmed(line.substr(colon + 1));
        if (name == "exit") {
            setup.exitStatus = std::stoi(value);
        } else if (name == "stderr") {
            setup.stderrHolds.push_back(value);
        } else if (name == "without") {
            setup.without.push_back(value);
        } else if (name == "locked") {
            setup.locked = true;
        } else if (name == "music") {
            std::size_t blank = value.find(' ');
            if (blank == std::string::npos)
                throw std::runtime_error("music: wants a track and a path");
            setup.music.emplace_back(std::stoi(value.substr(0, blank)),
                                     trimmed(value.substr(blank + 1)));
        } else if (name == "character") {
            setup.characters.push_back(value);
        } else if (name == "saved") {
            if (value != "yes" && value != "no")
                throw std::runtime_error("saved: wants yes or no");
            setup.saved = value == "yes";
        }
        // Any other comment is just a comment.
    }
    return setup;
}

void AddCharacter(SaveData& save, const std::string& line)
{
    std::istringstream in(line);
    int rosterNo = 0;
    std::string name;
    if (!(in >> rosterNo >> name) || rosterNo < 1 || rosterNo > kRosterSize)
        throw std::runtime_error("character: wants a roster number 1..50 and a name: " + line);
    Character& c = save.roster[rosterNo];
    c = Character{};
    c.rosterNo = rosterNo;
    c.name = name;
    c.level = 1;
    c.hp = c.maxHp = 10;
    std::string field;
    while (in >> field) {
        std::size_t eq = field.find('=');
        if (eq == std::string::npos)
            throw std::runtime_error("character: field=value, not " + field);
        std::string key = field.substr(0, eq);
        std::string value = field.substr(eq + 1);
        if (key == "items") {
            std::istringstream items(value);
            std::string item;
            for (int slot = 1; std::getline(items, item, ',') && slot <= 12; ++slot)
                c.items[slot] = static_cast<int16_t>(std::stoi(item));
            continue;
        }
        if (!setField(c, key, std::stol(value)))
            throw std::runtime_error("character: no field " + key);
    }
}

CaseFolder::CaseFolder(const CaseSetup& setup)
{
    auto wanted = [&](const std::string& file) {
        for (const std::string& w : setup.without)
            if (w == file)
                return false;
        return true;
    };
    if (wanted(kContentFileName))
        std::filesystem::copy_file(std::filesystem::path(QVR_BIN_DIR) / kContentFileName,
                                   path() / kContentFileName);
    if (wanted(kSaveFileName)) {
        std::vector<uint8_t> image(kSaveFileBytes, 0);
        if (!setup.characters.empty()) {
            SaveData save;
            DecodeSaveImage(image, save, kSaveFileName);
            for (const std::string& line : setup.characters)
                AddCharacter(save, line);
            image = EncodeSaveImage(save);
        }
        WriteWholeFile(path() / kSaveFileName, std::string(image.begin(), image.end()));
    }
    if (!setup.music.empty()) {
        FolderStore store(path());
        IniFile ini = IniFile::load(store);
        for (const auto& [track, file] : setup.music)
            ini.setValue(kMusicSection, TrackKey(track), file);
        ini.save(store);
    }
    if (setup.locked) {
        holder_.emplace(path());
        holder_->lock();
    }
    saveInode_ = inodeOf(path() / kSaveFileName);
    firstSave_.open(path() / kSaveFileName, std::ios::binary);
}

bool CaseFolder::saveRewritten() const
{
    return inodeOf(path() / kSaveFileName) != saveInode_ &&
           std::filesystem::exists(path() / kBackupFileName);
}

} // namespace qvr::test
