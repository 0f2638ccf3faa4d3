#include <filesystem>
#include <fstream>
#include <gtest/gtest.h>
#include <sstream>

#include "core/folder_store.h"
#include "core/ini_file.h"
#include "core/sjis.h"
#include "temp_folder.h"

using namespace qvr;
using namespace qvr::test;

namespace {

std::string sj(std::string_view utf8)
{
    return sjisEncode(utf8);
}

// "[ＢＧＭ]" spelt out in code-page-932 bytes, so that the test does not
// depend on the converter it is checking against.
const std::string kBgmHeader = "[\x82\x61\x82\x66\x82\x6c]";

std::string readAll(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

void writeAll(const std::filesystem::path& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

} // namespace

TEST(IniRead, FullWidthSectionsAndKeysAreFoundExactly)
{
    std::string text = kBgmHeader + "\r\n" + sj("タイトル = /music/title.mid  ") + "\r\n" +
                       sj("迷宮１=\t/music/maze one.ogg") + "\r\n" + sj("[画像]") + "\r\n" +
                       sj("スライム=pics/slime.bmp") + "\r\n";
    IniFile ini = IniFile::parse(text);
    EXPECT_TRUE(ini.warnings().empty());
    EXPECT_EQ(ini.value("ＢＧＭ", "タイトル"), "/music/title.mid");
    EXPECT_EQ(ini.value("ＢＧＭ", "迷宮１"), "/music/maze one.ogg");
    EXPECT_EQ(ini.value("画像", "スライム"), "pics/slime.bmp");
    // Half-width digits are another key, and keys do not leak between sections.
    EXPECT_EQ(ini.value("ＢＧＭ", "迷宮1"), std::nullopt);
    EXPECT_EQ(ini.value("画像", "タイトル"), std::nullopt);
    EXPECT_EQ(ini.value("BGM", "タイトル"), std::nullopt);
    EXPECT_EQ(ini.valueOr("ＢＧＭ", "全滅"), "");
}

TEST(IniRead, ValuesComeBackWhole)
{
    // ソ and 表 end in the byte of a backslash, and the last character of
    // every value must survive: the old reader lost it.
    std::string text = sj("[ＢＧＭ]\n酒場=/曲/ソ表\n寺院=a\n城下=x=y ; not a comment\n");
    IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.value("ＢＧＭ", "酒場"), "/曲/ソ表");
    EXPECT_EQ(ini.value("ＢＧＭ", "寺院"), "a");
    EXPECT_EQ(ini.value("ＢＧＭ", "城下"), "x=y ; not a comment");
}

TEST(IniRead, FirstOfARepeatedNameCountsAndStrayLinesAreIgnored)
{
    std::string text = sj("orphan=1\n; 寺院=commented\n[ＢＧＭ]\nno equals sign\n寺院=first\n"
                          "寺院=second\n[画像\n[ＢＧＭ]\n宿屋=in the second block\n");
    IniFile ini = IniFile::parse(text);
    EXPECT_EQ(ini.value("ＢＧＭ", "寺院"), "first");
    EXPECT_EQ(ini.value("ＢＧＭ", "宿屋"), std::nullopt);
    EXPECT_EQ(ini.value("", "orphan"), std::nullopt);
}

TEST(IniRead, UndecodableLinesAreSkippedWithAWarning)
{
    // 0x82 0x20 is a lead byte with no trail byte after it.
    std::string text = kBgmHeader + "\r\n" + sj("タイトル=") + "\x82\x20" + "\r\n" +
                       sj("酒場=tavern.mid") + "\r\n" + "[\x82\x20]\r\n" + sj("寺院=hidden") +
                       "\r\n";
    IniFile ini = IniFile::parse(text);
    ASSERT_EQ(ini.warnings().size(), 2u);
    EXPECT_NE(ini.warnings()[0].find("QVR.ini の 2 行目は、10 バイト目から"), std::string::npos)
        << ini.warnings()[0];
    EXPECT_NE(ini.warnings()[1].find("の 4 行目は、2 バイト目から"), std::string::npos)
        << ini.warnings()[1];
    EXPECT_EQ(ini.value("ＢＧＭ", "タイトル"), std::nullopt);
    EXPECT_EQ(ini.value("ＢＧＭ", "酒場"), "tavern.mid");
    // The keys of a section whose name cannot be read belong to no section
    // we know, not to the one above it.
    EXPECT_EQ(ini.value("ＢＧＭ", "寺院"), std::nullopt);
    // The player's lines are written back as they were.
    EXPECT_EQ(ini.serialise(), text);
}

TEST(IniWrite, UnchangedFileComesBackByteForByte)
{
    std::string crlf = sj("; 手で書いたメモ\r\n\r\n[ＢＧＭ]\r\n  タイトル =  a.mid \r\n"
                          "[画像]\r\n;スライム=old.bmp\r\n");
    EXPECT_EQ(IniFile::parse(crlf).serialise(), crlf);
    std::string lf = sj("[ＢＧＭ]\nタイトル=a.mid\n");
    EXPECT_EQ(IniFile::parse(lf).serialise(), lf);
    // A file without a final line end gets one.
    EXPECT_EQ(IniFile::parse(sj("[ＢＧＭ]\r\nタイトル=a.mid")).serialise(),
              sj("[ＢＧＭ]\r\nタイトル=a.mid\r\n"));
}

TEST(IniWrite, SettingAValueTouchesOnlyItsLine)
{
    std::string text = sj("; メモ\r\n[ＢＧＭ]\r\nタイトル = old.mid ; keep?\r\n酒場=t.mid\r\n"
                          "; 画像の欄\r\n\r\n[画像]\r\nスライム=s.bmp\r\n");
    IniFile ini = IniFile::parse(text);
    ini.setValue("ＢＧＭ", "酒場", "t.mid"); // unchanged: the line is not rewritten
    ini.setValue("ＢＧＭ", "タイトル", "  new.mid ");
    ini.setValue("ＢＧＭ", "迷宮１", "/m/迷宮.ogg");
    ini.setValue("画像", "ゴブリン", "");
    ini.setValue("ＢＧＭ２", "x", "y");
    EXPECT_EQ(ini.serialise(),
              sj("; メモ\r\n[ＢＧＭ]\r\nタイトル=new.mid\r\n酒場=t.mid\r\n迷宮１=/m/迷宮.ogg\r\n"
                 "; 画像の欄\r\n\r\n[画像]\r\nスライム=s.bmp\r\nゴブリン=\r\n\r\n[ＢＧＭ２]\r\n"
                 "x=y\r\n"));
    EXPECT_EQ(ini.value("ＢＧＭ", "タイトル"), "new.mid");
    EXPECT_EQ(IniFile::parse(ini.serialise()).value("ＢＧＭ", "迷宮１"), "/m/迷宮.ogg");
}

TEST(IniWrite, NewFileUsesCrLfAndLfFileStaysLf)
{
    IniFile fresh;
    fresh.setValue("ＢＧＭ", "タイトル", "a.mid");
    EXPECT_EQ(fresh.serialise(), kBgmHeader + "\r\n" + sj("タイトル=a.mid") + "\r\n");
    IniFile lf = IniFile::parse(sj("[画像]\nスライム=s.bmp\n"));
    lf.setValue("画像", "ゴブリン", "g.bmp");
    EXPECT_EQ(lf.serialise(), sj("[画像]\nスライム=s.bmp\nゴブリン=g.bmp\n"));
}

TEST(IniWrite, TextTheFileCannotHoldIsRefusedAndNothingChanges)
{
    std::string text = sj("[ＢＧＭ]\r\nタイトル=a.mid\r\n");
    IniFile ini = IniFile::parse(text);
    try {
        ini.setValue("ＢＧＭ", "タイトル", "/home/é/song.mid");
        FAIL() << "a path with é was written";
    } catch (const GameError& e) {
        std::string what = e.what();
        EXPECT_NE(what.find("/home/é/song.mid"), std::string::npos) << what;
        EXPECT_NE(what.find("QVR.ini"), std::string::npos) << what;
    }
    EXPECT_THROW(ini.setValue("ＢＧＭ", "タイトル", "a\nb"), GameError);
    EXPECT_THROW(ini.setValue("ＢＧＭ", "a=b", "x"), GameError);
    EXPECT_THROW(ini.setValue("ＢＧＭ", "[x]", "x"), GameError);
    EXPECT_THROW(ini.setValue("ＢＧＭ", "", "x"), GameError);
    EXPECT_THROW(ini.setValue("a]b", "k", "x"), GameError);
    EXPECT_THROW(ini.setValue("♫", "k", "x"), GameError);
    EXPECT_EQ(ini.serialise(), text);

    EXPECT_TRUE(IniFile::validKey("キングスライム"));
    EXPECT_FALSE(IniFile::validKey(" padded"));
    EXPECT_FALSE(IniFile::validKey(";x"));
    EXPECT_FALSE(IniFile::validKey("é"));
}

TEST(IniFolder, MissingFileIsEmptyAndSavedFileReadsBack)
{
    TempFolder dir;
    FolderStore store(dir.path());
    IniFile ini = IniFile::load(store);
    EXPECT_EQ(ini.value("ＢＧＭ", "タイトル"), std::nullopt);
    ini.setValue("ＢＧＭ", "タイトル", "/music/タイトル.mid");
    ini.save(store);
    EXPECT_EQ(readAll(dir.path() / kIniFileName).substr(0, kBgmHeader.size()), kBgmHeader);
    EXPECT_EQ(IniFile::load(store).value("ＢＧＭ", "タイトル"), "/music/タイトル.mid");
}

TEST(IniFolder, AFileThatCannotBeReadIsAnErrorNotAnEmptyFile)
{
    // Taking it for empty would let the next save wipe the player's file.
    TempFolder dir;
    FolderStore store(dir.path());
    std::filesystem::create_directory(dir.path() / kIniFileName);
    EXPECT_THROW(IniFile::load(store), GameError);
    std::filesystem::remove(dir.path() / kIniFileName);
    writeAll(dir.path() / kIniFileName, std::string(kIniMaxBytes + 1, ';'));
    EXPECT_THROW(IniFile::load(store), GameError);
}
