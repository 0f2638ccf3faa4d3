// The save file and the content file as whole images, and LoadGame/SaveGame
// against a real folder.

#include <algorithm>
#include <fstream>
#include <functional>
#include <gtest/gtest.h>

#include "core/data_files.h"
#include "core/event_file.h"
#include "core/folder_store.h"
#include "core/memory_store.h"
#include "core/messages.h"
#include "core/name_codes.h"
#include "golden.h"
#include "temp_folder.h"

using namespace qvr;
using namespace qvr::test;

namespace {

constexpr std::size_t kRosterAt = 404;
constexpr std::size_t kMonsterTallyAt = 38654;
constexpr std::size_t kItemTallyAt = 41458;
constexpr std::size_t kItemStockAt = 44022;

std::size_t characterAt(int entry)
{
    return kRosterAt + 750 * static_cast<std::size_t>(entry);
}

void writeFile(const std::filesystem::path& path, const std::vector<uint8_t>& bytes)
{
    std::ofstream out(path, std::ios::binary);
    out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<long>(bytes.size()));
}

std::vector<uint8_t> readFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), {}};
}

// The codes a character needs to load (the loader refuses a race, class or
// alignment that is no code).
void MakeLoadable(Character& c)
{
    c.race = Race::Human;
    c.classCode = Class::Fighter;
    c.alignment = Align::Lawful;
}

void MakeLoadable(std::vector<uint8_t>& image, int entry)
{
    put16(image, characterAt(entry) + 116, Race::Human);
    put16(image, characterAt(entry) + 118, Class::Fighter);
    put16(image, characterAt(entry) + 122, Align::Lawful);
}

std::string loadError(Game& game)
{
    try {
        LoadGame(game);
    } catch (const GameError& e) {
        return e.what();
    }
    return "";
}

} // namespace

TEST(SaveImage, AllZeroFileIsAnEmptyGame)
{
    std::vector<uint8_t> zeros(kSaveFileBytes, 0);
    SaveData save;
    save.roster[3].rosterNo = 3;
    save.eventFlags[5] = 9;
    DecodeSaveImage(zeros, save, "QVR1.DAT");
    for (int i = 1; i <= kRosterSize; ++i) {
        EXPECT_EQ(save.roster[i].rosterNo, 0);
        EXPECT_EQ(save.roster[i].name, "");
    }
    EXPECT_EQ(save.eventFlags[5], 0);
    EXPECT_EQ(EncodeSaveImage(save), zeros);
}

TEST(SaveImage, TablesSitAtTheirOffsets)
{
    SaveData save;
    save.eventFlags[0] = 11;
    save.eventFlags[100] = -12;
    save.roster[50].rosterNo = 50;
    save.monsterTally[0] = 13;
    save.monsterTally[700] = 14;
    save.itemTally[640] = 15;
    save.itemStock[0] = 16;
    save.itemStock[640] = 17;
    std::vector<uint8_t> expected(kSaveFileBytes, 0);
    put32(expected, 0, 11);
    put32(expected, 400, -12);
    put32(expected, characterAt(50), 50);
    put32(expected, kMonsterTallyAt, 13);
    put32(expected, kMonsterTallyAt + 2800, 14);
    put32(expected, kItemTallyAt + 2560, 15);
    put32(expected, kItemStockAt, 16);
    put32(expected, kItemStockAt + 2560, 17);
    EXPECT_EQ(EncodeSaveImage(save), expected);
}

TEST(SaveImage, NamesAreScrambledShiftJisCodes)
{
    SaveData save;
    save.roster[1].rosterNo = 1;
    save.roster[1].name = "Aｱ太"; // one byte, one half-width byte, two bytes
    MakeLoadable(save.roster[1]);
    std::vector<uint8_t> image = EncodeSaveImage(save);
    std::size_t codes = characterAt(1) + 8;
    EXPECT_EQ(get16(image, codes + 2), static_cast<int16_t>(0x41 ^ 0x3A5C));
    EXPECT_EQ(get16(image, codes + 4), static_cast<int16_t>(0xB1 ^ 0x3A5C));
    EXPECT_EQ(get16(image, codes + 6), static_cast<int16_t>(0x91BE ^ 0x3A5C));
    EXPECT_EQ(get16(image, codes + 8), 0);            // the rest stays empty
    EXPECT_EQ(get16(image, characterAt(1) + 110), 0); // no name text on disk

    SaveData back;
    DecodeSaveImage(image, back, "QVR1.DAT");
    EXPECT_EQ(back.roster[1].name, "Aｱ太");
}

TEST(SaveImage, MixedNamesOfEveryLengthRoundTrip)
{
    SaveData save;
    const std::string names[] = {"ｱｲｳｴｵ",     "山田花子",           "Zed",
                                 "ﾎﾟﾁ丸ー～", std::string(50, 'x'), "①∮＼"};
    for (int i = 0; i < 6; ++i) {
        save.roster[i + 1].rosterNo = i + 1;
        save.roster[i + 1].name = names[i];
        MakeLoadable(save.roster[i + 1]);
    }
    std::vector<uint8_t> image = EncodeSaveImage(save);
    SaveData back;
    DecodeSaveImage(image, back, "QVR1.DAT");
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(back.roster[i + 1].name, names[i]);
}

TEST(SaveImage, ZeroCodeInsideANameIsSkipped)
{
    std::vector<uint8_t> image(kSaveFileBytes, 0);
    std::size_t codes = characterAt(2) + 8;
    put32(image, characterAt(2), 2);
    MakeLoadable(image, 2);
    put16(image, codes + 2, 0x41 ^ 0x3A5C);
    put16(image, codes + 4, 0);
    put16(image, codes + 6, 0x42 ^ 0x3A5C);
    SaveData save;
    DecodeSaveImage(image, save, "QVR1.DAT");
    EXPECT_EQ(save.roster[2].name, "AB");
}

TEST(SaveImage, FreeSlotKeepsItsCodesAndEntryZeroStaysInMemory)
{
    std::vector<uint8_t> image(kSaveFileBytes, 0);
    put16(image, characterAt(9) + 8 + 2, 0x41 ^ 0x3A5C); // codes left by an erased entry
    put32(image, characterAt(0), 99);                    // entry 0 in the file is ignored
    put16(image, characterAt(0) + 174, 18);

    SaveData save;
    save.roster[0].strength = 3;
    save.roster[0].name = "";
    Character templateBefore = save.roster[0];
    DecodeSaveImage(image, save, "QVR1.DAT");
    EXPECT_EQ(save.roster[0], templateBefore);

    // With its name cleared the entry is free, and its codes stay as they are.
    save.roster[9].name.clear();
    std::vector<uint8_t> again = EncodeSaveImage(save);
    EXPECT_EQ(get16(again, characterAt(9) + 8 + 2), 0x41 ^ 0x3A5C);
}

TEST(SaveImage, WrongSizesAndBadCodesAreNamedErrors)
{
    SaveData save;
    save.roster[1].rosterNo = 1;
    save.roster[1].name = "keep";
    SaveData before = save;
    for (std::size_t size : {0ul, 100ul, kSaveFileBytes - 1, kSaveFileBytes + 1}) {
        std::vector<uint8_t> image(size, 0);
        try {
            DecodeSaveImage(image, save, "/games/QVR1.DAT");
            FAIL() << size;
        } catch (const GameError& e) {
            EXPECT_NE(std::string(e.what()).find("/games/QVR1.DAT"), std::string::npos);
        }
        EXPECT_EQ(save, before);
    }
    // 0x3A5C ^ 0x81 is a lone lead byte: no character.
    std::vector<uint8_t> image(kSaveFileBytes, 0);
    put16(image, characterAt(4) + 8 + 2, 0x81 ^ 0x3A5C);
    EXPECT_THROW(DecodeSaveImage(image, save, "QVR1.DAT"), GameError);
    EXPECT_EQ(save, before);
}

// A code that is no character is reported at the byte where it stands, not
// where reading had got to; entry 0 and the crafted-weapon variants are never
// decoded, so their codes may hold anything.
TEST(LoadErrors, BadNameCodeNamesItsOwnByte)
{
    const auto bad = static_cast<int16_t>(0x81 ^ 0x3A5C); // a lone lead byte
    struct Case {
        const char* label; // "" when the file is accepted
        std::function<void(SaveData&, Content&)> spoil;
        bool inSave;
    };
    const std::vector<Case> cases = {
        {"名簿 4 番", [&](SaveData& s, Content&) { s.roster[4].nameCodes[1] = bad; }, true},
        {"モンスター 5 番", [&](SaveData&, Content& c) { c.monsters[5].unknownNameCodes[3] = bad; },
         false},
        {"アイテム 640 番", [&](SaveData&, Content& c) { c.items[640].nameCodes[30] = bad; },
         false},
        {"", [&](SaveData&, Content& c) { c.items[0].nameCodes[2] = bad; }, false},
        {"", [&](SaveData&, Content& c) { c.craftVariants[7].nameCodes[2] = bad; }, false},
    };
    for (const Case& k : cases) {
        SaveData save;
        Content content;
        k.spoil(save, content);
        std::vector<uint8_t> image = k.inSave ? EncodeSaveImage(save) : EncodeContentImage(content);
        const uint8_t code[] = {static_cast<uint8_t>(bad & 0xFF), static_cast<uint8_t>(bad >> 8)};
        auto at = std::search(image.begin(), image.end(), std::begin(code), std::end(code));
        ASSERT_NE(at, image.end());
        std::string error;
        try {
            if (k.inSave)
                DecodeSaveImage(image, save, "QVR1.DAT");
            else
                DecodeContentImage(image, content, "QVR2.DAT");
        } catch (const GameError& e) {
            error = e.what();
        }
        if (*k.label == 0) {
            EXPECT_EQ(error, "");
            continue;
        }
        std::string where =
            std::string(k.label) + "、" + std::to_string(at - image.begin()) + " バイト目）";
        EXPECT_NE(error.find(where + ": 名前の "), std::string::npos) << where << "\n" << error;
    }
}

TEST(SaveImage, NamesThatCannotBeStoredFailTheSave)
{
    SaveData save;
    save.roster[1].name = std::string(51, 'a');
    EXPECT_THROW(EncodeSaveImage(save), GameError);
    save.roster[1].name = "😀";
    EXPECT_THROW(EncodeSaveImage(save), GameError);
}

TEST(ContentImage, EmptyContentHasTheLayoutSize)
{
    Content content;
    std::vector<uint8_t> image = EncodeContentImage(content);
    std::size_t expected = 75 * (8 + 2 + 14) + 41 * (6 + 2 + 2) + 17514 + 3 * 14400 + 701 * 340 +
                           641 * 278 + 41 * 278 + 1098 + 21 * 28;
    EXPECT_EQ(image.size(), expected);
}

TEST(ContentImage, TheFusionTableIsStoredColumnByColumn)
{
    Content content;
    content.recipes[1].result = 540;
    content.recipes[60].alternative = 541;
    content.recipes[2].ingredients[5] = 7; // column 7
    const std::vector<uint8_t> image = EncodeContentImage(content);
    // The traders' 21 rows of 28 bytes close the file; the table of 61 rows
    // by 9 columns lies just before them.
    const std::size_t table = image.size() - 21 * 28 - 2 * 61 * 9;
    auto at = [&](int column, int row) {
        const std::size_t i = table + 2 * static_cast<std::size_t>(column * 61 + row);
        return image[i] | image[i + 1] << 8;
    };
    EXPECT_EQ(at(0, 1), 540);
    EXPECT_EQ(at(1, 60), 541);
    EXPECT_EQ(at(7, 2), 7);
    int nonZero = 0;
    for (std::size_t i = table; i < table + 2 * 61 * 9; ++i)
        nonZero += image[i] != 0;
    EXPECT_EQ(nonZero, 5); // 540 and 541 take two bytes each
}

TEST(ContentImage, RoundTripDecodesNamesOfUsedEntriesOnly)
{
    Content content;
    content.spells[41].spellNo = 41;
    content.spells[41].name = "DISBA";
    content.traps[1] = {0, 2, 1, "", "毒針"};
    content.encounterTable(1250, 6) = 77;
    content.mazeWalls(17, 19, 0) = 15;
    content.recipes[60].unused = 640;
    content.npcShops[20].buyFactor = 0.5f;
    content.monsters[700].present = 1;
    EncodeNameCodes("ｽﾗｲﾑ王", content.monsters[700].nameCodes);
    EncodeNameCodes("何か", content.monsters[700].unknownNameCodes);
    EncodeNameCodes("銅の剣", content.items[1].nameCodes);
    EncodeNameCodes("剣", content.items[0].nameCodes);
    EncodeNameCodes("槍", content.craftVariants[3].nameCodes);

    std::vector<uint8_t> image = EncodeContentImage(content);
    Content back;
    DecodeContentImage(image, back, "QVR2.DAT");
    EXPECT_EQ(back.spells[41].name, "DISBA");
    EXPECT_EQ(back.traps[1].name, "毒針");
    EXPECT_EQ(back.encounterTable(1250, 6), 77);
    EXPECT_EQ(back.mazeWalls(17, 19, 0), 15);
    EXPECT_EQ(back.recipes[60].unused, 640);
    EXPECT_EQ(back.npcShops[20].buyFactor, 0.5f);
    EXPECT_EQ(back.monsters[700].name, "ｽﾗｲﾑ王");
    EXPECT_EQ(back.monsters[700].unknownName, "何か");
    EXPECT_EQ(back.items[1].name, "銅の剣");
    EXPECT_EQ(back.items[0].name, "");         // entry 0 is not decoded
    EXPECT_EQ(back.craftVariants[3].name, ""); // nor are the variants
    EXPECT_EQ(back.craftVariants[3].nameCodes, content.craftVariants[3].nameCodes);
    EXPECT_EQ(EncodeContentImage(back), image);
}

TEST(ContentImage, EveryCutAndAnyExtraByteIsRefused)
{
    Content content;
    content.spells[1].name = "ABC";
    std::vector<uint8_t> image = EncodeContentImage(content);
    for (std::size_t cut = 0; cut < image.size(); cut += 997) {
        std::vector<uint8_t> part(image.begin(), image.begin() + static_cast<long>(cut));
        Content back;
        EXPECT_THROW(DecodeContentImage(part, back, "QVR2.DAT"), GameError) << cut;
    }
    image.push_back(0);
    Content back;
    try {
        DecodeContentImage(image, back, "QVR2.DAT");
        FAIL();
    } catch (const GameError& e) {
        EXPECT_NE(std::string(e.what()).find("QVR2.DAT"), std::string::npos);
        EXPECT_NE(std::string(e.what()).find("最後の表のあとに 1 バイト余っています"),
                  std::string::npos)
            << e.what();
    }
}

TEST(LoadAndSave, MissingShortAndLongFilesAreNamed)
{
    TempFolder dir;
    Game game;
    game.store = std::make_unique<FolderStore>(dir.path());
    EXPECT_NE(loadError(game).find("QVR1.DAT: ファイルがありません"), std::string::npos);

    writeFile(dir.path() / "QVR1.DAT", std::vector<uint8_t>(kSaveFileBytes, 0));
    EXPECT_NE(loadError(game).find("QVR2.DAT: ファイルがありません"), std::string::npos);

    writeFile(dir.path() / "QVR2.DAT", EncodeContentImage(Content{}));
    EXPECT_NE(loadError(game).find("TEXTS.DAT: ファイルがありません"), std::string::npos);
    writeFile(dir.path() / "TEXTS.DAT", EncodeMessageImage(MessageTable{}));
    EXPECT_NE(loadError(game).find("EVENTS.DAT: ファイルがありません"), std::string::npos);
    writeFile(dir.path() / "EVENTS.DAT", EncodeEventImage(EventTable{}));
    EXPECT_EQ(loadError(game), "");

    writeFile(dir.path() / "QVR1.DAT", std::vector<uint8_t>(100, 0));
    EXPECT_NE(loadError(game).find("QVR1.DAT"), std::string::npos);
    writeFile(dir.path() / "QVR1.DAT", std::vector<uint8_t>(kSaveFileBytes + 3, 0));
    EXPECT_NE(loadError(game).find("ファイルが大きすぎます"), std::string::npos);

    writeFile(dir.path() / "QVR1.DAT", std::vector<uint8_t>(kSaveFileBytes, 0));
    std::vector<uint8_t> content = EncodeContentImage(Content{});
    content.resize(content.size() / 2);
    writeFile(dir.path() / "QVR2.DAT", content);
    EXPECT_NE(loadError(game).find("QVR2.DAT"), std::string::npos);
}

TEST(LoadAndSave, SaveWritesTheImageAndKeepsTheOldOneAsBackup)
{
    TempFolder dir;
    writeFile(dir.path() / "QVR1.DAT", std::vector<uint8_t>(kSaveFileBytes, 0));
    writeFile(dir.path() / "QVR2.DAT", EncodeContentImage(Content{}));
    writeFile(dir.path() / "TEXTS.DAT", EncodeMessageImage(MessageTable{}));
    writeFile(dir.path() / "EVENTS.DAT", EncodeEventImage(EventTable{}));
    Game game;
    game.store = std::make_unique<FolderStore>(dir.path());
    LoadGame(game);
    game.character(1) = Character{};
    game.character(1).rosterNo = 1;
    game.character(1).name = "ﾃｽﾄ勇者";
    MakeLoadable(game.character(1));
    game.save().eventFlags[21] = 5;
    SaveGame(game);

    EXPECT_EQ(readFile(dir.path() / "QVR1.BAK"), std::vector<uint8_t>(kSaveFileBytes, 0));
    EXPECT_FALSE(std::filesystem::exists(dir.path() / "QVR1.DAT.tmp"));
    Game again;
    again.store = std::make_unique<FolderStore>(dir.path());
    LoadGame(again);
    EXPECT_EQ(again.character(1).name, "ﾃｽﾄ勇者");
    EXPECT_EQ(again.save().eventFlags[21], 5);
}

TEST(LoadAndSave, FailedSaveLeavesTheOldFileWholeAndSaysSo)
{
    TempFolder dir;
    std::vector<uint8_t> old(kSaveFileBytes, 7);
    writeFile(dir.path() / "QVR1.DAT", old);
    // A folder where the temporary file should go makes its creation fail.
    std::filesystem::create_directory(dir.path() / "QVR1.DAT.tmp");
    Game game;
    game.store = std::make_unique<FolderStore>(dir.path());
    game.character(1).name = "new";
    EXPECT_THROW(SaveGame(game), SaveError);
    EXPECT_EQ(readFile(dir.path() / "QVR1.DAT"), old);

    Game unsaved;
    EXPECT_THROW(SaveGame(unsaved), SaveError); // no folder: reported, not ignored
}

TEST(LoadAndSave, VersionChangeRewritesKeysAndSaveOnce)
{
    auto store = std::make_unique<MemoryStore>();
    MemoryStore& files = *store;
    files.putFile(kSaveFileName, std::vector<uint8_t>(kSaveFileBytes, 0));
    Game game;
    game.store = std::move(store);
    game.settings->setValue("Version", "Major", "1");
    game.settings->setValue("Version", "Minor", "0");
    game.settings->setValue("Version", "Revision", "0");
    game.save().eventFlags[30] = 1;

    EXPECT_TRUE(CheckVersion(game, {1, 0, 1}));
    EXPECT_EQ(game.settings->value("Version", "Revision"), "1");
    EXPECT_EQ(get16(files.file(kSaveFileName).value(), 30 * 4), 1);

    files.removeFile(kSaveFileName);
    EXPECT_FALSE(CheckVersion(game, {1, 0, 1}));
    EXPECT_FALSE(files.file(kSaveFileName)); // nothing written

    MemorySettings fresh; // missing keys count as 0.0.0
    EXPECT_EQ(fresh.number("Version", "Major", 0), 0);
}
