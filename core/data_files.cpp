#include "core/data_files.h"

#include <memory>

#include "core/event_file.h"
#include "core/messages.h"
#include "core/name_codes.h"
#include "core/record_io.h"
#include "core/save_check.h"

namespace qvr {

namespace {

template <typename Def, int Lo, int Hi, typename ReadFn>
void readTable(ByteReader& in, Bounded<Def, Lo, Hi>& table, const char* what, ReadFn read)
{
    for (int n = Lo; n <= Hi; ++n) {
        in.setContext(std::string(what) + " " + std::to_string(n) + " 番");
        table[n] = Def{};
        read(in, table[n]);
    }
}

// Entry 0 of a named table is a template that keeps its codes undecoded;
// the entries in use have their names decoded as they are read.
template <typename Def, int Hi, typename ReadFn, typename ReadDecodingFn>
void readNamedTable(ByteReader& in, Bounded<Def, 0, Hi>& table, const char* what, ReadFn read,
                    ReadDecodingFn readDecoding)
{
    readTable(in, table, what, [&](ByteReader& r, Def& d) {
        if (&d == &table[0])
            read(r, d);
        else
            readDecoding(r, d);
    });
}

template <typename Def, int Lo, int Hi, typename WriteFn>
void writeTable(ByteWriter& out, const Bounded<Def, Lo, Hi>& table, WriteFn write)
{
    for (const Def& d : table)
        write(out, d);
}

} // namespace

std::vector<uint8_t> EncodeSaveImage(SaveData& save)
{
    for (int i = 1; i <= kRosterSize; ++i) {
        Character& c = save.roster[i];
        if (c.name.empty())
            continue;
        try {
            EncodeNameCodes(c.name, c.nameCodes);
        } catch (const GameError& e) {
            throw GameError("名簿 " + std::to_string(i) + " 番: " + e.what());
        }
    }
    ByteWriter out;
    out.write(save.eventFlags);
    for (const Character& c : save.roster)
        WriteCharacter(out, c);
    out.write(save.monsterTally);
    out.write(save.itemTally);
    out.write(save.itemStock);
    if (out.size() != kSaveFileBytes)
        throw GameError("内部エラー: セーブの内容が " + std::to_string(out.size()) +
                        " バイトになりました（" + std::to_string(kSaveFileBytes) +
                        " バイトのはずです）");
    return std::move(out.bytes());
}

void DecodeSaveImage(std::span<const uint8_t> image, SaveData& save, const std::string& fileName)
{
    if (image.size() != kSaveFileBytes)
        throw GameError(
            fileName + ": ファイルが " + std::to_string(image.size()) +
            " バイトあります。セーブファイルはちょうど " + std::to_string(kSaveFileBytes) +
            " バイトです" +
            (image.size() < kSaveFileBytes ? "（途中で切れています）" : "（長すぎます）"));
    auto loaded = std::make_unique<SaveData>();
    ByteReader in(image, fileName);
    in.setContext("イベントフラグ");
    in.read(loaded->eventFlags);
    readNamedTable(in, loaded->roster, "名簿", ReadCharacter, ReadCharacterDecoding);
    in.setContext("倒したモンスターの数");
    in.read(loaded->monsterTally);
    in.setContext("手に入れたアイテムの数");
    in.read(loaded->itemTally);
    in.setContext("店の在庫");
    in.read(loaded->itemStock);
    CheckSavedCharacters(*loaded, fileName);
    loaded->roster[0] = save.roster[0];
    save = std::move(*loaded);
}

std::vector<uint8_t> EncodeContentImage(const Content& content)
{
    ByteWriter out;
    writeTable(out, content.spells, WriteSpell);
    writeTable(out, content.traps, WriteTrap);
    out.write(content.encounterTable);
    out.write(content.mazeWalls);
    out.write(content.mazeDoors);
    out.write(content.mazeCells);
    writeTable(out, content.monsters, WriteMonster);
    writeTable(out, content.items, WriteItem);
    writeTable(out, content.craftVariants, WriteItem);
    WriteRecipeTable(out, content.recipes);
    writeTable(out, content.npcShops, WriteNpcShop);
    return std::move(out.bytes());
}

namespace {

std::shared_ptr<Content> decodeContent(std::span<const uint8_t> image, const std::string& fileName)
{
    auto loaded = std::make_shared<Content>();
    ByteReader in(image, fileName);
    readTable(in, loaded->spells, "呪文", ReadSpell);
    readTable(in, loaded->traps, "罠", ReadTrap);
    in.setContext("遭遇表");
    in.read(loaded->encounterTable);
    in.setContext("迷宮の壁");
    in.read(loaded->mazeWalls);
    in.setContext("迷宮の扉");
    in.read(loaded->mazeDoors);
    in.setContext("迷宮のマス");
    in.read(loaded->mazeCells);
    readNamedTable(in, loaded->monsters, "モンスター", ReadMonster, ReadMonsterDecoding);
    readNamedTable(in, loaded->items, "アイテム", ReadItem, ReadItemDecoding);
    readTable(in, loaded->craftVariants, "作られる武器の型", ReadItem);
    in.setContext("合成表");
    ReadRecipeTable(in, loaded->recipes);
    readTable(in, loaded->npcShops, "商人", ReadNpcShop);
    in.setContext("ファイルの終わり");
    if (in.remaining() != 0)
        in.fail("最後の表のあとに " + std::to_string(in.remaining()) +
                " バイト余っています（ファイルが長すぎるか、壊れています）");
    return loaded;
}

} // namespace

void DecodeContentImage(std::span<const uint8_t> image, Content& content,
                        const std::string& fileName)
{
    content = std::move(*decodeContent(image, fileName));
}

std::shared_ptr<const Content> DecodeContent(std::span<const uint8_t> image,
                                             const std::string& fileName)
{
    return decodeContent(image, fileName);
}

void LoadGame(Game& game)
{
    if (!game.store)
        throw GameError("ゲームフォルダが開かれていません");
    SaveStore& store = *game.store;
    std::string saveName = store.pathOf(kSaveFileName).string();
    std::vector<uint8_t> saveImage = store.readFile(kSaveFileName, kSaveFileBytes);
    DecodeSaveImage(saveImage, game.save(), saveName);

    std::string contentName = store.pathOf(kContentFileName).string();
    std::vector<uint8_t> contentImage = store.readFile(kContentFileName, kContentFileMaxBytes);
    game.setContent(DecodeContent(contentImage, contentName));

    std::vector<uint8_t> textsImage = store.readFile(kTextsFileName, kContentFileMaxBytes);
    game.texts = std::make_shared<const MessageTable>(
        DecodeMessageImage(textsImage, store.pathOf(kTextsFileName).string()));
    std::vector<uint8_t> eventsImage = store.readFile(kEventsFileName, kContentFileMaxBytes);
    game.eventData = DecodeEventImage(eventsImage, store.pathOf(kEventsFileName).string());
}

void SaveGame(Game& game)
{
    if (!game.store)
        throw SaveError("ゲームフォルダが開かれていません");
    std::vector<uint8_t> image;
    try {
        image = EncodeSaveImage(game.save());
    } catch (const SaveError&) {
        throw;
    } catch (const GameError& e) {
        throw SaveError(e.what());
    }
    game.store->writeFileSafely(kSaveFileName, image, kBackupFileName);
    if (game.observer)
        game.observer->saved();
}

Version ProgramVersion()
{
    return {QVR_VERSION_MAJOR, QVR_VERSION_MINOR, QVR_VERSION_REVISION};
}

void SaveVersion(Game& game, const Version& version)
{
    game.settings->setValue("Version", "Major", std::to_string(version.major));
    game.settings->setValue("Version", "Minor", std::to_string(version.minor));
    game.settings->setValue("Version", "Revision", std::to_string(version.revision));
    SaveGame(game);
}

bool CheckVersion(Game& game, const Version& version)
{
    Version stored{game.settings->number("Version", "Major", 0),
                   game.settings->number("Version", "Minor", 0),
                   game.settings->number("Version", "Revision", 0)};
    if (stored == version)
        return false;
    SaveVersion(game, version);
    return true;
}

} // namespace qvr
