#pragma once

// The main window's side of the screens that town, maze and battle share:
// each member is defined beside its screen (party_list.cpp, reorder_panel.cpp,
// status_window.cpp, main_window.cpp).

#include <memory>

#include "core/shared_screens.h"

namespace qvr {

struct BattleSession;

class GameScreens : public SharedScreens {
public:
    GameScreens();
    ~GameScreens() override;

    void showStatus(Game& game, int rosterNo, StatusMode mode) override;

    void addPartyListUse(Game& game, PartyListUse use) override;
    void openPartyList(Game& game) override;
    void releasePartyList(Game& game) override;
    void choosePartyRow(Game& game, int row) override;

    void openReorder(Game& game) override;
    void setReorderBattleReturn(Game& game, std::function<void(Game&)> resume) override;

    void leaveTitle(Game& game) override;
    void continueAfterEnding(Game& game) override;
    bool endGame(Game& game) override;

    void returnToCastle(Game& game) override;
    void startBattle(Game& game, int encounterNo) override;
    bool walkKey(Game& game, Key key) override;

    // The battle being fought, or the last one; made at the first encounter.
    std::unique_ptr<BattleSession> battle;
};

// Gives the game the main window's shared screens, once.
void InstallGameScreens(Game& game);
// Gives the town's ways into the maze their actions, the maze its party-list
// use and the movement arrow its timer; after the town's panels are built.
void ConnectMaze(Game& game);

} // namespace qvr
