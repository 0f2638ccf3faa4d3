#pragma once

// A game for the tests that need a whole one: its files in memory, a
// scripted prompter, every track assigned, a recorder of what the game tells
// its observer, and helpers that put characters into the roster or party.

#include <algorithm>
#include <memory>
#include <string>
#include <vector>

#include "built_files.h"
#include "core/data_files.h"
#include "core/memory_store.h"
#include "core/messages.h"
#include "core/music.h"
#include "game/game_screens.h"
#include "game/main_window.h"
#include "own_content.h"
#include "scripted_prompter.h"

namespace qvr::test {

// Records music, saves and title changes in the order they came.
struct GameRecorder : GameObserver {
    std::vector<std::string> events; // "MUSIC n", "SAVE", "TITLE t"; tests may clear it
    int saves = 0;                   // every save since the fixture was ready
    std::vector<int> tracks;         // every track started since then

    void musicStarted(int track, const std::string&) override
    {
        events.push_back("MUSIC " + std::to_string(track));
        tracks.push_back(track);
    }
    void saved() override
    {
        events.push_back("SAVE");
        ++saves;
    }
    void titleChanged(const std::string& t) override { events.push_back("TITLE " + t); }
};

// How far the fixture takes the game before the test begins.
enum class GameStart {
    // An empty content file, an empty save and the build's texts and events
    // in the store, the version already stored (so starting saves nothing),
    // and started without the title window: the castle town is on screen.
    InTown,
    // Nothing loaded and nothing started: the store is only there to save
    // into, and the test fills in the content it needs.
    NotStarted,
};

// The prompter is a ScriptedPrompter or a suite's own kind of one.
template <class PrompterT = ScriptedPrompter> struct GameFixture {
    Game game;
    GameRecorder recorder; // attached once set-up is done: it starts empty
    PrompterT* prompter = nullptr;

    explicit GameFixture(GameStart start = GameStart::InTown)
    {
        auto files = std::make_unique<MemoryStore>();
        store_ = files.get();
        if (start == GameStart::InTown) {
            files->putFile(kContentFileName, EncodeContentImage(Content{}));
            SaveData empty;
            files->putFile(kSaveFileName, EncodeSaveImage(empty));
            files->putFile(kTextsFileName, BuiltFile(kTextsFileName));
            files->putFile(kEventsFileName, BuiltFile(kEventsFileName));
        }
        InstallGameScreens(game);
        game.store = std::move(files);
        auto p = std::make_unique<PrompterT>();
        prompter = p.get();
        game.prompter = std::move(p);
        if (start == GameStart::InTown) {
            Version v = ProgramVersion();
            game.settings->setValue("Version", "Major", std::to_string(v.major));
            game.settings->setValue("Version", "Minor", std::to_string(v.minor));
            game.settings->setValue("Version", "Revision", std::to_string(v.revision));
            StartUp(game, false);
        } else {
            // Nothing is read, but the rules still speak the game's texts.
            game.texts = std::make_shared<const MessageTable>(
                DecodeMessageImage(BuiltFile(kTextsFileName), kTextsFileName));
        }
        content_ = &OwnContent(game);
        for (int track = 1; track <= kTrackCount; ++track)
            game.music.bgmFiles[static_cast<std::size_t>(track)] =
                "track" + std::to_string(track) + ".ogg";
        game.observer = &recorder;
    }

    // The game's content, for the test to fill in (see own_content.h).
    Content& content() { return *content_; }
    // The game's files.
    MemoryStore& store() { return *store_; }

    GameFixture(const GameFixture&) = delete;
    GameFixture& operator=(const GameFixture&) = delete;

    // A human fighter of level 1 in the roster, free in town unless placed
    // otherwise.
    Character& character(int r, const std::string& name, int16_t alignment = Align::Neutral)
    {
        Character& c = game.character(r);
        c.rosterNo = r;
        c.name = name;
        c.alignment = alignment;
        c.race = Race::Human;
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

    std::vector<std::string> rowTexts(const char* name) const
    {
        std::vector<std::string> rows;
        for (const Row& r : panel(name).rows)
            rows.push_back(r.text);
        return rows;
    }
    std::vector<std::string> partyRows() const { return rowTexts("fraParty"); }

    // How often `event` was recorded since the events were last cleared.
    int count(const std::string& event) const
    {
        return static_cast<int>(std::count(recorder.events.begin(), recorder.events.end(), event));
    }

    // The names in the roster, in slot order, and how many there are.
    std::vector<std::string> names() const
    {
        std::vector<std::string> out;
        for (int slot = 1; slot <= kRosterSize; ++slot)
            if (game.character(slot).rosterNo > 0)
                out.push_back(game.character(slot).name);
        return out;
    }
    int characters() const { return static_cast<int>(names().size()); }

private:
    Content* content_ = nullptr;
    MemoryStore* store_ = nullptr;
};

} // namespace qvr::test
