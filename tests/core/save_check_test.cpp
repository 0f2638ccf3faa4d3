// Saves that no play can produce: the loader refuses them as damage, naming
// the file, the roster entry and the field, and offers the backup; the
// values play does produce, at their edges, still load.

#include <filesystem>
#include <functional>
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

// A fighter of the tavern, as the training grounds make one.
Character Fighter(int rosterNo, const char* name)
{
    Character c;
    c.rosterNo = rosterNo;
    c.name = name;
    c.level = 1;
    c.race = Race::Human;
    c.classCode = Class::Fighter;
    c.alignment = Align::Neutral;
    c.sex = 1;
    c.hp = c.maxHp = 10;
    c.items[1] = 1;
    return c;
}

SaveData SaveWith(const std::function<void(Character&)>& spoil)
{
    SaveData save;
    save.roster[1] = Fighter(1, "ＢＯＢ");
    save.roster[3] = Fighter(3, "ＡＬＡ");
    spoil(save.roster[3]);
    return save;
}

std::string DecodeError(const SaveData& save)
{
    SaveData copy = save;
    std::vector<uint8_t> image = EncodeSaveImage(copy);
    SaveData into;
    into.eventFlags[9] = 99;
    const SaveData before = into;
    try {
        DecodeSaveImage(image, into, "/games/QVR1.DAT");
    } catch (const GameError& e) {
        EXPECT_EQ(into, before) << "a refused save must change nothing";
        return e.what();
    }
    return "";
}

struct Damage {
    const char* field; // how the message names the field and its value
    std::function<void(Character&)> spoil;
};

const std::vector<Damage>& Damages()
{
    static const std::vector<Damage> damages = {
        {"items[3] が 9999", [](Character& c) { c.items[3] = 9999; }},
        {"items[12] が -1", [](Character& c) { c.items[12] = -1; }},
        {"item_flags[1] が 128", [](Character& c) { c.itemFlags[1] = 0x80; }},
        {"floor が 200", [](Character& c) { c.floor = 200, c.groupNo = 1; }},
        {"floor が 18", [](Character& c) { c.floor = 18, c.groupNo = 1; }},
        {"floor が -2", [](Character& c) { c.floor = -2; }},
        {"x が 500", [](Character& c) { c.floor = 3, c.groupNo = 1, c.posX = 500; }},
        {"y が 20", [](Character& c) { c.floor = 3, c.groupNo = 1, c.posY = 20; }},
        {"y が -1", [](Character& c) { c.posY = -1; }},
        {"group が 51", [](Character& c) { c.groupNo = 51; }},
        {"race が 0", [](Character& c) { c.race = 0; }},
        {"race が 3", [](Character& c) { c.race = 3; }},
        {"race が 1024", [](Character& c) { c.race = 1024; }},
        {"class が 6", [](Character& c) { c.classCode = 6; }},
        {"class が -32768", [](Character& c) { c.classCode = -32768; }},
        {"alignment が 0", [](Character& c) { c.alignment = 0; }},
        {"alignment が 8", [](Character& c) { c.alignment = 8; }},
        {"conditions が 4194304", [](Character& c) { c.conditions = 1 << 22; }},
        {"conditions が -2147483648", [](Character& c) { c.conditions = INT32_MIN; }},
        {"roster_no が 7", [](Character& c) { c.rosterNo = 7; }},
        {"roster_no が -3", [](Character& c) { c.rosterNo = -3; }},
    };
    return damages;
}

} // namespace

TEST(SaveChecks, WhatNoPlayProducesIsRefusedNamingFileEntryAndField)
{
    for (const Damage& d : Damages()) {
        std::string error = DecodeError(SaveWith(d.spoil));
        EXPECT_NE(error.find("/games/QVR1.DAT（名簿 3 番「ＡＬＡ」）: " + std::string(d.field) +
                             " になっています"),
                  std::string::npos)
            << d.field << "\n"
            << error;
    }
}

// The edges of what play leaves in a character load: a party left on the
// deepest floor in the far corner, the last item, every condition the game
// gives, the class codes without a label, the races no creation offers.
TEST(SaveChecks, TheEdgesOfWhatPlayProducesLoad)
{
    const std::vector<std::function<void(Character&)>> edges = {
        [](Character& c) { c.floor = kFloorCount - 1, c.groupNo = 50, c.posX = 19, c.posY = 19; },
        [](Character& c) { c.floor = -1; },
        [](Character& c) { c.items[12] = kItemCount, c.itemFlags[12] = 0x7F; },
        [](Character& c) { c.conditions = 0x3FFFFF; },
        [](Character& c) { c.classCode = 64, c.race = Race::Mutant, c.alignment = Align::Chaotic; },
        [](Character& c) { c.classCode = 4096, c.race = Race::Angel, c.alignment = Align::Lawful; },
        [](Character& c) { c.classCode = Class::MartialArtist, c.sex = 7, c.position = 9; },
    };
    for (std::size_t k = 0; k < edges.size(); ++k)
        EXPECT_EQ(DecodeError(SaveWith(edges[k])), "") << k;

    // A free entry is never played from: whatever it still holds loads.
    SaveData freeEntry = SaveWith([](Character& c) { c = Character{}; });
    freeEntry.roster[3].items[1] = 9999;
    freeEntry.roster[3].floor = 200;
    EXPECT_EQ(DecodeError(freeEntry), "");
}

// At start-up the refusal is damage like any other: with a backup that
// loads, the player is offered it.
TEST(SaveChecks, ARefusedSaveOffersTheBackupAtStartUp)
{
    TempFolder dir;
    FolderStore store(dir.path());
    store.writeFileSafely(kContentFileName, EncodeContentImage(Content{}));
    store.writeFileSafely(kTextsFileName, test::BuiltFile(kTextsFileName));
    store.writeFileSafely(kEventsFileName, test::BuiltFile(kEventsFileName));
    SaveData good = SaveWith([](Character&) {});
    store.writeFileSafely(kBackupFileName, EncodeSaveImage(good));
    SaveData damaged = SaveWith([](Character& c) { c.items[2] = 9999; });
    const std::vector<uint8_t> damagedImage = EncodeSaveImage(damaged);
    store.writeFileSafely(kSaveFileName, damagedImage);

    Game game;
    game.store = std::make_unique<FolderStore>(dir.path());
    try {
        StartUp(game, false);
        FAIL() << "the damaged save loaded";
    } catch (const DamagedSave& e) {
        std::string message = e.what();
        EXPECT_NE(message.find("（名簿 3 番「ＡＬＡ」）: items[2] が 9999"), std::string::npos)
            << message;
        EXPECT_NE(message.find("ひとつ前のセーブが QVR1.BAK に残っています"), std::string::npos)
            << message;
    }
    EXPECT_EQ(store.readFile(kSaveFileName, kSaveFileBytes), damagedImage);
    RestoreSaveFromBackup(game);
    StartUp(game, false);
    EXPECT_EQ(game.character(3).items[2], 0);
}
