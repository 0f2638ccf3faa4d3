#pragma once

// A game started over a real game folder as the game starts, and a main
// window over it that records the game's failures instead of showing them.

#include <filesystem>
#include <fstream>
#include <memory>

#include <QStringList>

#include <QStringList>

#include "core/data_files.h"
#include "core/error.h"
#include "core/folder_store.h"
#include "core/game.h"
#include "core/prompts.h"
#include "game/main_window.h"
#include "maze/movement.h"
#include "tests/core/own_content.h"
#include "tests/core/temp_folder.h"
#include "ui/main_window.h"

namespace qvr::test {

// Nothing in these flows asks the player anything: a prompt is a failure.
class FailingPrompter : public Prompter {
public:
    void run(Game&, ModalWindow& window) override
    {
        fail("window of kind " + std::to_string(static_cast<int>(window.kind())));
    }
    std::string chooseFile(Game&, const std::string&) override
    {
        fail("file chooser");
        return {};
    }

private:
    [[noreturn]] void fail(const std::string& what)
    {
        throw GameError("unexpected prompt: " + what);
    }
};

// The battle's boxes are read and closed with Enter (a friendly monster is
// fought); any other prompt fails.
class ClosingPrompter : public Prompter {
public:
    void run(Game& game, ModalWindow& window) override
    {
        MessageBox* box = WindowAs<MessageBox>(window);
        if (!box || box->showsInput())
            throw GameError("unexpected prompt");
        box->pressKey(game, Key::Enter);
    }
    std::string chooseFile(Game&, const std::string&) override { return {}; }
};

class SaveCounter : public GameObserver {
public:
    int saves = 0;
    void saved() override { ++saves; }
};

// A game folder with the built content and an empty save, started as the
// game starts.
struct Started {
    TempFolder folder;
    Game game;
    SaveCounter counter;

    // With `finished` false only the title's part of start-up has run.
    explicit Started(bool showTitle, bool finished = true)
    {
        for (const char* name : {kContentFileName, kTextsFileName, kEventsFileName})
            std::filesystem::copy_file(std::filesystem::path(QVR_BIN_DIR) / name,
                                       folder.path() / name);
        std::ofstream(folder.path() / kSaveFileName, std::ios::binary)
            << std::string(kSaveFileBytes, '\0');
        game.store = std::make_unique<FolderStore>(folder.path());
        game.store->lock();
        game.prompter = std::make_unique<FailingPrompter>();
        game.observer = &counter;
        BeginStartUp(game, showTitle);
        if (finished)
            FinishStartUp(game, showTitle);
    }

    SaveData savedOnDisk() const
    {
        SaveData save;
        std::vector<uint8_t> image = game.store->readFile(kSaveFileName, kSaveFileBytes);
        DecodeSaveImage(image, save, kSaveFileName);
        return save;
    }
};

// A main window that records the game's failures instead of showing them.
struct Shown {
    MainWindow window;
    QStringList errors;

    explicit Shown(Game& game) : window(game)
    {
        window.setErrorReporter([this](const QString& e) { errors << e; });
        window.applyGeometry();
        window.syncFromModel();
    }
};

// Monster 3 of the content as the window tests fight it: a slime that
// strikes once a turn for 1, slowly, in groups and with hit points as given.
inline MonsterDef& TestSlime(Content& content, Dice3 group, int16_t hp)
{
    MonsterDef& m = content.monsters[3];
    m.present = 1;
    m.rank = 1;
    m.name = m.unknownName = "ＳＬＩＭＥ";
    m.groupDice = group;
    m.hpDice = {0, 0, hp};
    m.agility = 1;
    m.attacks = 1;
    m.damageDice = {0, 0, 1};
    for (int k = 1; k <= 20; ++k)
        m.actions[k] = 1;
    return m;
}

// Six members of the party in town, fighters and thieves of 500 hit points,
// gone down to floor 1, where encounter 7 is four groups of slimes that hit
// for 1 and do not die.
inline void PartyOnFloorOneMeetsSlimes(Started& s)
{
    Content& content = OwnContent(s.game);
    TestSlime(content, {1, 4, 2}, 3000);
    for (int g = 3; g <= 6; ++g)
        content.encounterTable(7, g) = 3;
    for (int r = 1; r <= 6; ++r) {
        Character& c = s.game.character(r);
        c.rosterNo = r;
        c.name = std::string(1, static_cast<char>('A' + r - 1)) + "ＬＡ";
        c.race = Race::Human;
        c.classCode = r % 2 ? Class::Fighter : Class::Thief;
        c.alignment = Align::Neutral;
        c.level = 1;
        c.hp = c.maxHp = 500;
        c.floor = -1;
        c.position = static_cast<int16_t>(r);
    }
    RefreshPartyPanel(s.game);
    DescendIntoMaze(s.game);
}

} // namespace qvr::test
