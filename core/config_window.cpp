#include "core/config_window.h"

#include <algorithm>
#include <set>

#include "core/bounded.h"
#include "core/game.h"
#include "core/ini_file.h"
#include "core/message_speed.h"

namespace qvr {

namespace {

// The old window kept its picture list in a table of 1,001 lines.
constexpr std::size_t kMaxPictureLines = 1001;

std::string chooseFile(Game& game, const char* pattern)
{
    if (!game.prompter)
        throw GameError("ファイルを選ぶ画面を出せません");
    return game.prompter->chooseFile(game, pattern);
}

} // namespace

ConfigWindow::ConfigWindow(const Game& game) : battleDelay_(game.battleMessageMs)
{
    for (int t = 1; t <= kTrackCount; ++t)
        tracks_[static_cast<std::size_t>(t)] = game.music.bgmFiles[static_cast<std::size_t>(t)];

    IniFile ini;
    if (game.store) {
        try {
            ini = IniFile::load(*game.store);
            warnings_ = ini.warnings();
        } catch (const GameError& e) {
            warnings_.push_back(e.what());
        }
    }

    // The key of a picture is the monster's name, so a name shared by two
    // monsters is one picture and one line; a name that cannot be a key
    // could never be found again in battle.
    std::set<std::string> listed;
    const auto& tally = game.save().monsterTally;
    for (int m = tally.lo; m <= tally.hi && pictures_.size() < kMaxPictureLines; ++m) {
        if (tally[m] < 1)
            continue;
        const std::string& name = game.content().monsters[m].name;
        if (!IniFile::validKey(name) || !listed.insert(name).second)
            continue;
        pictures_.push_back({m, name, ini.valueOr(kPictureSection, name)});
    }
}

const std::string& ConfigWindow::workingTrackFile(int track) const
{
    if (track < 1 || track > kTrackCount)
        throwIndexError(track, 1, kTrackCount);
    return tracks_[static_cast<std::size_t>(track)];
}

const std::string& ConfigWindow::pictureFile() const
{
    static const std::string none;
    return selectedMonster_ < 0 ? none : pictures_[static_cast<std::size_t>(selectedMonster_)].file;
}

void ConfigWindow::selectTrack(int track)
{
    workingTrackFile(track); // checks the bounds
    selectedTrack_ = track;
}

void ConfigWindow::setTrackFile(const std::string& text)
{
    tracks_[static_cast<std::size_t>(selectedTrack_)] = text;
}

void ConfigWindow::browseTrackFile(Game& game)
{
    std::string path = chooseFile(game, kMusicPattern);
    if (!path.empty())
        setTrackFile(path);
}

void ConfigWindow::setBattleDelay(int ms)
{
    battleDelay_ = std::clamp(ms, 0, kMaxBattleDelayMs);
}

void ConfigWindow::selectMonster(int line)
{
    if (line < -1 || line >= static_cast<int>(pictures_.size()))
        throwIndexError(line, -1, static_cast<long>(pictures_.size()) - 1);
    selectedMonster_ = line;
}

void ConfigWindow::setPictureFile(const std::string& text)
{
    if (selectedMonster_ >= 0)
        pictures_[static_cast<std::size_t>(selectedMonster_)].file = text;
}

void ConfigWindow::browsePictureFile(Game& game)
{
    if (selectedMonster_ < 0)
        return;
    std::string path = chooseFile(game, kPicturePattern);
    if (!path.empty())
        setPictureFile(path);
}

void ConfigWindow::ok(Game& game)
{
    if (!game.store)
        throw GameError(std::string(kIniFileName) + ": 書き込む先のゲームフォルダがありません");

    // Read afresh, so that what the player wrote into the file by hand while
    // the window was open is kept; every value is checked before anything
    // is written.
    IniFile ini = IniFile::load(*game.store);
    std::array<std::string, kTrackCount + 1> files{};
    for (int t = 1; t <= kTrackCount; ++t) {
        auto slot = static_cast<std::size_t>(t);
        files[slot] = std::string(TrimBlanks(tracks_[slot]));
        ini.setValue(kMusicSection, TrackKey(t), files[slot]);
    }
    for (const PictureLine& line : pictures_)
        ini.setValue(kPictureSection, line.name, TrimBlanks(line.file));
    ini.setValue(kMessageSection, kBattleDelayKey, std::to_string(battleDelay_));
    ini.save(*game.store);

    for (int t = 1; t <= kTrackCount; ++t)
        game.music.bgmFiles[static_cast<std::size_t>(t)] = files[static_cast<std::size_t>(t)];
    game.battleMessageMs = battleDelay_;
    close();
    accepted_ = true;
}

void ConfigWindow::pressKey(Game&, Key key)
{
    if (key == Key::Escape)
        cancel();
}

void ConfigWindow::cancel()
{
    close();
    accepted_ = false;
}

} // namespace qvr
