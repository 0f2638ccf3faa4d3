#include "core/game_folder.h"

#include <cstdlib>
#include <system_error>

#include "core/data_files.h"
#include "core/os_error_text.h"

#ifndef QVR_DATA_FROM_BIN
#define QVR_DATA_FROM_BIN "../share/qvr"
#endif

namespace qvr {

namespace {

namespace fs = std::filesystem;

fs::path ProgramFolder()
{
    std::error_code ec;
    fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    return ec ? fs::current_path() : exe.parent_path();
}

bool HasFile(const fs::path& path)
{
    std::error_code ec;
    return fs::is_regular_file(path, ec);
}

// The first run of an installed game starts from the starting save; a
// folder that has a backup has been played in, and is left for the player
// (and the game's own messages) to sort out.
void CopyStartingSave(const FolderStore& store, const fs::path& installed)
{
    fs::path folder = store.folder();
    if (HasFile(folder / kSaveFileName) || HasFile(folder / kBackupFileName))
        return;
    FolderStore from(installed);
    std::vector<uint8_t> image;
    try {
        image = from.readFile(kSaveFileName, kSaveFileBytes);
    } catch (const FileMissing&) {
        return; // start-up reports the missing save, naming the user's folder
    }
    store.writeFileSafely(kSaveFileName, image);
}

} // namespace

std::optional<fs::path> InstalledDataFolder()
{
    fs::path bin = ProgramFolder();
    if (HasFile(bin / kContentFileName))
        return std::nullopt;
    fs::path data = (bin / QVR_DATA_FROM_BIN).lexically_normal();
    if (!HasFile(data / kContentFileName))
        return std::nullopt;
    return data;
}

fs::path UserDataFolder()
{
    if (const char* xdg = std::getenv("XDG_DATA_HOME"); xdg && fs::path(xdg).is_absolute())
        return fs::path(xdg) / "qvr";
    if (const char* home = std::getenv("HOME"); home && fs::path(home).is_absolute())
        return fs::path(home) / ".local" / "share" / "qvr";
    throw GameError("ユーザーのデータフォルダが分かりません（XDG_DATA_HOME も HOME も"
                    "絶対パスではありません）。--game-dir でフォルダを指定してください");
}

std::unique_ptr<FolderStore> OpenGameFolder(const std::string& commandLineDir)
{
    std::optional<fs::path> installed = InstalledDataFolder();
    fs::path folder;
    const char* home = std::getenv("QVR_HOME");
    if (!commandLineDir.empty() || (home && *home) || !installed) {
        folder = ResolveGameFolder(commandLineDir);
    } else {
        folder = UserDataFolder();
        std::error_code ec;
        fs::create_directories(folder, ec);
        if (ec)
            throw GameError(folder.string() + ": データフォルダを作れません（" +
                            OsErrorText(ec.value()) + "）");
    }
    auto store = std::make_unique<FolderStore>(folder);
    if (installed) {
        if (!HasFile(folder / kContentFileName))
            store->setContentFolder(*installed);
    }
    store->lock();
    if (installed)
        CopyStartingSave(*store, *installed);
    return store;
}

} // namespace qvr
