#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "maze/command_text.h"
#include "maze/movement.h"
#include "maze/view.h"
#include "rules/party_panel.h"
#include "rules/party_rules.h"

namespace qvr {

namespace {

constexpr const char* kUpperTitle = "Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖａｔｈ－";
constexpr const char* kLowerTitle = "Ｏｓｔｒａｖｅｌ　－Ｑｕｏｒｖｕｔｈ－";
constexpr const char* kWipedText = "そのパーティーは全滅しています";

void setTitle(Game& game, const char* title)
{
    if (game.screen.title == title)
        return;
    game.screen.title = title;
    if (game.observer)
        game.observer->titleChanged(title);
}

// The members stay where the party stands, as a group that can be found or
// resumed; a vanished one is gone for good.
void leaveMembersHere(Game& game)
{
    GameState& st = game.state;
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        c.posX = st.posX;
        c.posY = st.posY;
        c.floor = st.floor;
        c.ac = c.baseAc;
        st.partyMember[i] = 0;
        if (c.conditions & Cond::Vanished)
            EraseCharacter(game, c);
    }
}

void endExpedition(Game& game)
{
    GameState& st = game.state;
    st.partyCount = 0;
    st.floor = 0;
    st.groupNo = 0;
    game.screen.moveArrow.visible = false;
    ReturnToCastle(game);
}

// The town's menus go and the maze takes the window: the help line, the
// party window without a highlight, and no list holding the keyboard.
void showMaze(Game& game, const char* title)
{
    Screen& screen = game.screen;
    if (Panel* edge = screen.find(kEdgeOfTownPanel))
        edge->visible = false;
    if (Panel* party = screen.find(kPartyPanel)) {
        party->visible = true;
        party->enabled = false;
        party->selected = -1;
    }
    screen.keyboardOwner.clear();
    screen.message.text = CommandText(game);
    screen.messageCentred = false;
    screen.message.visible = true;
    screen.moveArrow.visible = false;
    setTitle(game, title);
    game.place = {Mode::Maze};
}

bool onTheMap(const GameState& st)
{
    return st.floor >= 0 && st.floor < kFloorCount && st.posX >= 0 && st.posX < kMazeSize &&
           st.posY >= 0 && st.posY < kMazeSize;
}

} // namespace

void SuspendParty(Game& game)
{
    leaveMembersHere(game);
    endExpedition(game);
}

void PartyWipedOut(Game& game)
{
    leaveMembersHere(game);
    Save(game);
    PlayMusic(game, kTrackWipedOut);
    ShowMessage(game, "", "パーティーは全滅した");
    endExpedition(game);
}

void DescendIntoMaze(Game& game)
{
    GameState& st = game.state;
    if (!RequireParty(game))
        return;
    const int g = FreeGroupNumber(game);
    st.groupNo = static_cast<int16_t>(g);
    for (int i = 1; i <= st.partyCount; ++i)
        game.character(st.partyMember[i]).groupNo = st.groupNo;
    if (IsWiped(game, g)) {
        ShowMessage(game, "", kWipedText);
        return;
    }
    st.posX = st.posY = st.prevX = st.prevY = 0;
    st.facing = 2;
    st.floor = 1;
    st.turnCounter = 0;
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        c.posX = c.posY = 0;
        c.position = static_cast<int16_t>(i);
        c.floor = 1;
    }
    st.floorMusic = kTrackMazeUpper;
    PlayMusic(game, kTrackMazeUpper);
    EnterFloor(game);
    RefreshPartyPanel(game);
    Save(game);
    DrawMazeView(game);
    showMaze(game, kLowerTitle);
}

void ResumeParty(Game& game, int rosterNo)
{
    GameState& st = game.state;
    if (rosterNo < 1 || rosterNo > kRosterSize) {
        RefreshPartyPanel(game);
        return;
    }
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        c.floor = c.groupNo = c.posX = c.posY = 0;
    }
    const Character& chosen = game.character(rosterNo);
    st.posX = st.prevX = chosen.posX;
    st.posY = st.prevY = chosen.posY;
    st.floor = chosen.floor;
    st.groupNo = chosen.groupNo;
    st.facing = 0;
    st.turnCounter = 0;
    RefreshPartyPanel(game);
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        c.groupNo = st.groupNo;
        c.floor = st.floor;
        c.posX = st.posX;
        c.posY = st.posY;
    }
    // A record damaged to point off the maze is not loaded: the arrival
    // check below ends such a party as it would a bad teleport.
    if (onTheMap(st))
        EnterFloor(game);
    Save(game);
    if (onTheMap(st))
        DrawMazeView(game);
    PlayMusic(game, st.floorMusic);
    showMaze(game, kUpperTitle);
    CheckInRock(game);
}

} // namespace qvr
