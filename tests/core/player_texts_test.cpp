// What the player reads when a file of the game folder or a setting goes
// wrong: Japanese, naming the file and, where there is one, the culprit.

#include <cerrno>
#include <filesystem>
#include <functional>
#include <gtest/gtest.h>

#include "core/folder_store.h"
#include "core/config_window.h"
#include "core/game.h"
#include "core/ini_file.h"
#include "core/os_error_text.h"
#include "core/save_store.h"
#include "core/sjis.h"
#include "temp_folder.h"

using namespace qvr;
using namespace qvr::test;

namespace {

// The first run of three ASCII letters in `text` once the names it may
// quote (paths, file names, the player's own values) are taken out.
std::string englishIn(std::string text, const std::vector<std::string>& quoted)
{
    for (const std::string& q : quoted)
        for (std::size_t at; !q.empty() && (at = text.find(q)) != std::string::npos;)
            text.erase(at, q.size());
    std::string run;
    for (char c : text) {
        bool letter = (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
        run = letter ? run + c : std::string();
        if (run.size() >= 3)
            return run;
    }
    return "";
}

std::string messageOf(const std::function<void()>& fails)
{
    try {
        fails();
    } catch (const GameError& e) {
        return e.what();
    }
    ADD_FAILURE() << "no error";
    return "";
}

} // namespace

TEST(PlayerTexts, FileAndSettingMessagesAreJapanese)
{
    TempFolder dir;
    FolderStore store(dir.path());
    const std::string folder = dir.path().string();
    std::filesystem::create_directory(dir.path() / "D.DAT");
    std::filesystem::create_directory(dir.path() / "S.DAT.tmp");
    store.writeFileSafely("BIG.DAT", std::vector<uint8_t>(20, 1));
    IniFile ini;
    const std::string unreadable = sjisEncode("[ＢＧＭ]\r\nタイトル=") + "\x82\x20\r\n";

    struct Case {
        const char* what;
        std::string message;
        const char* says;
        std::vector<std::string> quoted;
    };
    const std::vector<Case> cases = {
        {"a missing file",
         messageOf([&] { store.readFile("NONE.DAT", 10); }),
         "ファイルがありません",
         {folder, "NONE.DAT"}},
        {"a folder in a file's place",
         messageOf([&] { store.readFile("D.DAT", 10); }),
         "普通のファイルではない",
         {folder, "D.DAT"}},
        {"an oversized file",
         messageOf([&] { store.readFile("BIG.DAT", 19); }),
         "ファイルが大きすぎます",
         {folder, "BIG.DAT"}},
        {"a save that cannot be written",
         messageOf([&] { store.writeFileSafely("S.DAT", std::vector<uint8_t>(3, 0)); }),
         "一時ファイル S.DAT.tmp を作れません（同じ名前のフォルダがあります）",
         {folder, "S.DAT.tmp", "S.DAT"}},
        {"an unreadable settings line",
         IniFile::parse(unreadable).warnings().at(0),
         "QVR.ini の 2 行目は、10 バイト目から文字として読めないので使いません",
         {"QVR.ini"}},
        {"a value code page 932 cannot hold",
         messageOf([&] { ini.setValue("ＢＧＭ", "タイトル", "/home/é/song.mid"); }),
         "「é」はこのファイルに書けない文字です",
         {"QVR.ini", "/home/é/song.mid"}},
        {"a key code page 932 cannot hold",
         messageOf([&] { ini.setValue("画像", "Ωé", "x"); }),
         "名前「Ωé」は書けません。「é」は",
         {"QVR.ini"}},
        {"a value with a line break",
         messageOf([&] { ini.setValue("ＢＧＭ", "タイトル", "a\nb"); }),
         "改行を含むので書けません",
         {"QVR.ini"}},
        {"a key that cannot be one",
         messageOf([&] { ini.setValue("ＢＧＭ", "a=b", "x"); }),
         "「a=b」は名前にできません",
         {"QVR.ini"}},
        {"settings with no game folder",
         messageOf([] {
             Game game;
             ConfigWindow(game).ok(game);
         }),
         "書き込む先のゲームフォルダがありません",
         {"QVR.ini"}},
        {"a full disk", OsErrorText(ENOSPC), "ディスクの空きがありません", {}},
        {"a rare system error", OsErrorText(EHOSTDOWN), "システムのエラー（番号 ", {}},
    };
    for (const Case& c : cases) {
        EXPECT_NE(c.message.find(c.says), std::string::npos) << c.what << ": " << c.message;
        EXPECT_EQ(englishIn(c.message, c.quoted), "") << c.what << ": " << c.message;
    }
}
