// Start-up over a save file that will not load: when the backup beside it
// does, the player is told and may start from it, the damaged file kept.

#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>

#include "built_files.h"

#include "core/data_files.h"
#include "core/folder_store.h"
#include "game/main_window.h"
#include "game/save_backup.h"
#include "temp_folder.h"

using namespace qvr;
using namespace qvr::test;

namespace {

enum class File { Good, Damaged, Missing, Folder };

std::vector<uint8_t> saveWithFlag(int16_t flag)
{
    SaveData save;
    save.eventFlags[30] = flag;
    return EncodeSaveImage(save);
}

struct Folder {
    TempFolder dir;
    std::vector<uint8_t> damaged = std::vector<uint8_t>(100, 7);

    Folder(File save, File backup, bool goodContent = true)
    {
        FolderStore store(dir.path());
        std::vector<uint8_t> content = EncodeContentImage(Content{});
        if (!goodContent)
            content.resize(10);
        store.writeFileSafely(kContentFileName, content);
        store.writeFileSafely(kTextsFileName, test::BuiltFile(kTextsFileName));
        store.writeFileSafely(kEventsFileName, test::BuiltFile(kEventsFileName));
        put(kSaveFileName, save, saveWithFlag(1));
        put(kBackupFileName, backup, saveWithFlag(2));
    }

    void put(const std::string& name, File kind, const std::vector<uint8_t>& good)
    {
        std::filesystem::path path = dir.path() / name;
        if (kind == File::Folder)
            std::filesystem::create_directory(path);
        else if (kind != File::Missing)
            std::ofstream(path, std::ios::binary)
                .write(reinterpret_cast<const char*>(kind == File::Good ? good.data()
                                                                        : damaged.data()),
                       static_cast<std::streamsize>(kind == File::Good ? good.size()
                                                                       : damaged.size()));
    }

    std::vector<uint8_t> bytes(const std::string& name) const
    {
        std::ifstream in(dir.path() / name, std::ios::binary);
        return std::vector<uint8_t>(std::istreambuf_iterator<char>(in), {});
    }
};

// What starting up says: "" when it starts, "backup" for a DamagedSave,
// "error" for any other failure.
std::string startUp(Game& game, const Folder& folder, std::string* message = nullptr)
{
    game.store = std::make_unique<FolderStore>(folder.dir.path());
    try {
        StartUp(game, false);
        return "";
    } catch (const DamagedSave& e) {
        if (message)
            *message = e.what();
        return "backup";
    } catch (const GameError& e) {
        if (message)
            *message = e.what();
        return "error";
    }
}

} // namespace

TEST(SaveBackup, OnlyASaveThatWillNotLoadBesideABackupThatDoesOffersIt)
{
    struct Case {
        File save, backup;
        bool goodContent;
        const char* outcome;
    };
    for (const Case& c : std::vector<Case>{
             {File::Good, File::Damaged, true, ""},
             {File::Damaged, File::Good, true, "backup"},
             {File::Missing, File::Good, true, "backup"},
             {File::Folder, File::Good, true, "backup"},
             {File::Damaged, File::Missing, true, "error"},
             {File::Damaged, File::Damaged, true, "error"},
             {File::Good, File::Good, false, "error"}, // the content is at fault
         }) {
        Folder folder(c.save, c.backup, c.goodContent);
        Game game;
        std::string message;
        EXPECT_EQ(startUp(game, folder, &message), c.outcome)
            << static_cast<int>(c.save) << static_cast<int>(c.backup) << message;
        if (std::string(c.outcome) == "backup") {
            EXPECT_NE(message.find("QVR1.DAT"), std::string::npos) << message;
            EXPECT_NE(message.find("ひとつ前のセーブが QVR1.BAK に残っています"), std::string::npos)
                << message;
        }
        EXPECT_FALSE(std::filesystem::exists(folder.dir.path() / kDamagedSaveFileName));
    }
}

TEST(SaveBackup, StartingFromTheBackupKeepsTheDamagedFile)
{
    for (File save : {File::Damaged, File::Missing}) {
        Folder folder(save, File::Good);
        const std::vector<uint8_t> backup = folder.bytes(kBackupFileName);
        Game game;
        ASSERT_EQ(startUp(game, folder), "backup");
        RestoreSaveFromBackup(game);
        EXPECT_EQ(folder.bytes(kSaveFileName), backup);
        EXPECT_EQ(folder.bytes(kBackupFileName), backup); // not replaced by the damaged one
        EXPECT_EQ(std::filesystem::exists(folder.dir.path() / kDamagedSaveFileName),
                  save == File::Damaged);
        if (save == File::Damaged) {
            EXPECT_EQ(folder.bytes(kDamagedSaveFileName), folder.damaged);
        }
        EXPECT_EQ(startUp(game, folder), "");
        EXPECT_EQ(game.save().eventFlags[30], 2);
    }

    // A save file that cannot be kept is not replaced.
    Folder held(File::Folder, File::Good);
    Game game;
    ASSERT_EQ(startUp(game, held), "backup");
    EXPECT_THROW(RestoreSaveFromBackup(game), GameError);
    EXPECT_TRUE(std::filesystem::is_directory(held.dir.path() / kSaveFileName));
    EXPECT_FALSE(std::filesystem::exists(held.dir.path() / kDamagedSaveFileName));
}
