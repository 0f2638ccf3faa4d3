#pragma once

// A started game on a temporary folder for the town's windows: an empty
// content file and save, the castle town on screen, every track assigned,
// and a prompter that also answers the ranking and status windows.

#include <memory>
#include <string>
#include <vector>

#include "core/data_files.h"
#include "core/main_window.h"
#include "maze/status_window.h"
#include "scripted_prompter.h"
#include "temp_folder.h"
#include "town/rankings.h"

namespace qvr::test {

class TownPrompter : public ScriptedPrompter {
public:
    using ScriptedPrompter::run;

    std::vector<RankingWindow> rankings; // as each was shown
    std::vector<int> statusShown;        // the character of each status window

    void run(Game& game, RankingWindow& window) override
    {
        rankings.push_back(window);
        window.pressKey(game, Key::Enter);
        EXPECT_TRUE(window.closed);
    }
    // The status window's own keys are tested with it; here it only closes.
    void run(Game&, StatusWindow& window) override
    {
        statusShown.push_back(window.rosterNo);
        window.closed = true;
    }
};

struct SaveCounter : GameObserver {
    int saves = 0;
    void saved() override { ++saves; }
};

struct TownFixture {
    TempFolder dir;
    Game game;
    SaveCounter counter;
    TownPrompter* prompter = nullptr;

    TownFixture()
    {
        SaveStore store(dir.path());
        store.writeFileSafely(kContentFileName, EncodeContentImage(Content{}));
        SaveData empty;
        store.writeFileSafely(kSaveFileName, EncodeSaveImage(empty));
        game.store = std::make_unique<SaveStore>(dir.path());
        auto p = std::make_unique<TownPrompter>();
        prompter = p.get();
        game.prompter = std::move(p);
        StartUp(game, false);
        for (int track = 1; track <= 19; ++track)
            game.music.bgmFiles[track] = "track" + std::to_string(track) + ".ogg";
        game.observer = &counter;
        // Start-up builds the crafted weapon even into empty content; the
        // boards' tests want nothing there but what they put in.
        game.content().items[508] = ItemDef{};
    }

    // A character free in town, in its own slot.
    Character& add(int slot, const std::string& name, int16_t alignment = Align::Neutral)
    {
        Character& c = game.character(slot);
        c.rosterNo = slot;
        c.name = name;
        c.alignment = alignment;
        c.classCode = Class::Fighter;
        c.race = Race::Human;
        c.level = 1;
        return c;
    }

    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (int slot = 1; slot <= kRosterSize; ++slot)
            if (game.character(slot).rosterNo > 0)
                out.push_back(game.character(slot).name);
        return out;
    }
};

// Keys that pick row `row` of a list from wherever its selection is.
inline std::vector<Key> RowKeys(int row)
{
    std::vector<Key> keys{Key::Home};
    keys.insert(keys.end(), static_cast<std::size_t>(row), Key::Down);
    keys.push_back(Key::Enter);
    return keys;
}

} // namespace qvr::test
