#pragma once

// A started game on a temporary folder for the town's menus: an empty
// content file and save, no title window, every track assigned, a scripted
// prompter, and a recorder of music, saves and title changes.

#include <string>
#include <vector>

#include "core/config_window.h"
#include "core/data_files.h"
#include "core/main_window.h"
#include "core/music.h"
#include "scripted_prompter.h"
#include "temp_folder.h"

namespace qvr::test {

struct CastleRecorder : GameObserver {
    std::vector<std::string> events;
    void musicStarted(int track, const std::string&) override
    {
        events.push_back("MUSIC " + std::to_string(track));
    }
    void saved() override { events.push_back("SAVE"); }
};

// Counts the settings and status windows it was asked to show.
class CastlePrompter : public ScriptedPrompter {
public:
    int settingsShown = 0;
    int statusShown = 0;

    void run(Game&, ConfigWindow& window) override
    {
        ++settingsShown;
        window.cancel();
    }
    void run(Game&, StatusWindow&) override { ++statusShown; }
    using ScriptedPrompter::run;
};

struct CastleFixture {
    TempFolder dir;
    Game game;
    CastleRecorder recorder;
    CastlePrompter* prompter = nullptr;

    CastleFixture()
    {
        SaveStore store(dir.path());
        store.writeFileSafely(kContentFileName, EncodeContentImage(Content{}));
        SaveData empty;
        store.writeFileSafely(kSaveFileName, EncodeSaveImage(empty));
        game.store = std::make_unique<SaveStore>(dir.path());
        auto p = std::make_unique<CastlePrompter>();
        prompter = p.get();
        game.prompter = std::move(p);
        Version v = ProgramVersion();
        game.settings->setValue("Version", "Major", std::to_string(v.major));
        game.settings->setValue("Version", "Minor", std::to_string(v.minor));
        game.settings->setValue("Version", "Revision", std::to_string(v.revision));
        StartUp(game, false);
        for (int track = 1; track <= kTrackCount; ++track)
            game.music.bgmFiles[track] = "track" + std::to_string(track) + ".ogg";
        game.observer = &recorder;
    }

    // A roster character, free in town unless placed otherwise.
    Character& character(int r, const std::string& name, int16_t alignment = Align::Neutral)
    {
        Character& c = game.character(r);
        c.rosterNo = r;
        c.name = name;
        c.alignment = alignment;
        c.classCode = Class::Fighter;
        c.level = 1;
        c.hp = c.maxHp = 10;
        return c;
    }

    // A member of the party in town, in marching order as given.
    Character& member(int r, const std::string& name, int position,
                      int16_t alignment = Align::Neutral)
    {
        Character& c = character(r, name, alignment);
        c.floor = -1;
        c.groupNo = game.state.groupNo;
        c.position = static_cast<int16_t>(position);
        return c;
    }

    void press(Key key) { game.pressKey(key); }
    void press(char c) { game.pressKey(CharKey(c)); }

    const Panel& panel(const char* name) const { return game.screen.panel(name); }
    const std::string& owner() const { return game.screen.keyboardOwner; }

    std::vector<std::string> partyRows() const
    {
        std::vector<std::string> rows;
        for (const Row& r : panel("fraParty").rows)
            rows.push_back(r.text);
        return rows;
    }

    std::vector<std::string> rowTexts(const char* name) const
    {
        std::vector<std::string> rows;
        for (const Row& r : panel(name).rows)
            rows.push_back(r.text);
        return rows;
    }
};

} // namespace qvr::test
