#pragma once

// The one object that holds a running game: the content tables (read once),
// the saved tables (roster and progress), the run-time state, the main
// window's screen model and the services the game was built with. Tests
// build their own in a few lines.

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "core/creation_wizard.h"
#include "core/game_mode.h"
#include "core/message_history.h"
#include "core/records.h"
#include "core/rng.h"
#include "core/save_store.h"
#include "core/screen.h"
#include "core/services.h"
#include "core/settings.h"
#include "core/shared_screens.h"

namespace qvr {

struct EventTable;
struct EventData;
class MessageTable;
struct NpcTable;

// The music tracks the player assigned, and what plays now.
struct MusicState {
    std::array<std::string, 51> bgmFiles{}; // tracks 1..19; 0 is silence
    std::string currentMusicFile;
    int currentTrack = 0;
};

class Game {
public:
    explicit Game(Rng rng = Rng(1));
    ~Game();

    // The content is loaded once and only read, so that many games (the
    // battle simulator's) can share one copy. A new game has empty content.
    const Content& content() const { return *content_; }
    void setContent(std::shared_ptr<const Content> content);

    // An item as the rules see it: the content's, or this game's crafted
    // weapon once it is built. Every rule reads items through here.
    const ItemDef& item(long itemNo) const;

    SaveData& save() { return *save_; }
    const SaveData& save() const { return *save_; }

    Character& character(long rosterNo) { return save_->roster[rosterNo]; }
    const Character& character(long rosterNo) const { return save_->roster[rosterNo]; }

    // Routes a key of the main window: the title window while it shows, the
    // ending while it waits for Enter, Ctrl to saving, anything else to the
    // list that owns the keyboard.
    void pressKey(Key key);

    Rng rng;
    GameState state;
    // Where the game is, set wherever the screens change. A game that was
    // never started has no title to leave: it counts as in town.
    Place place{Mode::Town, Facility::None};
    std::optional<CreationWizard> creation; // while the creation wizard runs
    Screen screen;
    Timers timers;
    MusicState music;
    // The lines message boxes have shown, for the history window.
    MessageHistory history;
    // How long a battle's narration box stays before it closes by itself
    // (QVR.ini); 0 waits for a key.
    int battleMessageMs = 0;

    // Services. Every one has a harmless default so that a test needs to set
    // only what it looks at.
    std::unique_ptr<SaveStore> store; // where the game saves; none in pure rule tests
    std::unique_ptr<SettingsStore> settings;
    std::unique_ptr<Clock> clock;
    std::unique_ptr<MusicPlayer> musicPlayer;
    std::unique_ptr<Prompter> prompter; // none: every prompt is a GameError
    GameObserver* observer = nullptr;   // not owned
    // The numbered texts and the floors' events, read from the game folder
    // with the content (none in a rule test that needs none).
    std::shared_ptr<const MessageTable> texts;
    std::shared_ptr<const EventData> eventData;
    // A test's own table of events, in place of eventData.
    const EventTable* events = nullptr; // not owned
    // The dungeon characters' talk; none means the table compiled in.
    const NpcTable* npcs = nullptr; // not owned
    // The screens town, maze and battle share; game/ sets them up.
    std::unique_ptr<SharedScreens> sharedScreens;

private:
    std::shared_ptr<const Content> content_;
    std::unique_ptr<SaveData> save_;
};

} // namespace qvr
