#pragma once

// The one object that holds a running game: the content tables (read once),
// the saved tables (roster and progress), the run-time state and the services
// the game was built with. Tests build their own in a few lines.

#include <memory>

#include "core/records.h"
#include "core/rng.h"
#include "core/save_store.h"
#include "core/settings.h"

namespace qvr {

class Game {
public:
    explicit Game(Rng rng = Rng(1))
        : rng(rng), settings(std::make_unique<MemorySettings>()),
          content_(std::make_unique<Content>()), save_(std::make_unique<SaveData>())
    {
    }

    Content& content() { return *content_; }
    const Content& content() const { return *content_; }
    SaveData& save() { return *save_; }
    const SaveData& save() const { return *save_; }

    Character& character(long rosterNo) { return save_->roster[rosterNo]; }
    const Character& character(long rosterNo) const { return save_->roster[rosterNo]; }

    Rng rng;
    GameState state;
    std::unique_ptr<SaveStore> store; // the game folder; none in pure rule tests
    std::unique_ptr<SettingsStore> settings;

private:
    std::unique_ptr<Content> content_;
    std::unique_ptr<SaveData> save_;
};

} // namespace qvr
