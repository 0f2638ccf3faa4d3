#include "game/save_backup.h"

#include <filesystem>
#include <memory>

#include "core/data_files.h"
#include "core/save_store.h"

namespace qvr {

namespace {

// Far above any save file, so that a damaged one of any likely size is
// kept; a larger file is not the game's and is left for the player to look at.
constexpr std::size_t kDamagedKeepMaxBytes = 64 * 1024 * 1024;

// The image of a file of the folder if it holds a save that loads.
std::vector<uint8_t> loadableSave(const SaveStore& store, const std::string& name)
{
    std::vector<uint8_t> image = store.readFile(name, kSaveFileBytes);
    auto probe = std::make_unique<SaveData>();
    DecodeSaveImage(image, *probe, store.pathOf(name).string());
    return image;
}

bool loads(const SaveStore& store, const std::string& name)
{
    try {
        loadableSave(store, name);
        return true;
    } catch (const GameError&) {
        return false;
    }
}

} // namespace

void LoadGameOrNameTheBackup(Game& game)
{
    try {
        LoadGame(game);
    } catch (const GameError& e) {
        // Only the failed case pays for looking again at the two files.
        if (!game.store || loads(*game.store, kSaveFileName) ||
            !loads(*game.store, kBackupFileName))
            throw;
        throw DamagedSave(std::string("セーブファイル ") + kSaveFileName + " を読み込めません。\n" +
                          e.what() + "\n\nひとつ前のセーブが " + kBackupFileName +
                          " に残っています。");
    }
}

void RestoreSaveFromBackup(Game& game)
{
    if (!game.store)
        throw GameError("ゲームフォルダが開かれていません");
    SaveStore& store = *game.store;
    std::vector<uint8_t> backup;
    try {
        backup = loadableSave(store, kBackupFileName);
    } catch (const GameError& e) {
        throw GameError(std::string(kBackupFileName) + " から始められません。\n" + e.what());
    }

    std::error_code ec;
    if (std::filesystem::exists(store.pathOf(kSaveFileName), ec) || ec) {
        std::vector<uint8_t> damaged;
        try {
            damaged = store.readFile(kSaveFileName, kDamagedKeepMaxBytes);
        } catch (const GameError& e) {
            throw GameError(std::string(kSaveFileName) + " を " + kDamagedSaveFileName +
                            " として残せないので、" + kBackupFileName +
                            " から始めるのをやめました。\n" + e.what());
        }
        store.writeFileSafely(kDamagedSaveFileName, damaged);
    }
    // No backup name: the damaged image must not take the backup's place.
    store.writeFileSafely(kSaveFileName, backup);
}

} // namespace qvr
