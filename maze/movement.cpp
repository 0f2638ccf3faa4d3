#include "maze/movement.h"

#include <cstdint>
#include <string>
#include <vector>

#include "core/dice.h"
#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/records.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "core/textformat.h"
#include "maze/command_text.h"
#include "maze/maze_events.h"
#include "maze/view.h"
#include "rules/party_panel.h"
#include "rules/party_rules.h"

namespace qvr {

namespace {

bool InMaze(int x, int y)
{
    return x >= 0 && x < kMazeSize && y >= 0 && y < kMazeSize;
}

// Every member leaves the party the same way when a teleport goes wrong;
// `fate` says what becomes of the character.
template <typename Fate> void EndTheParty(Game& game, Fate fate)
{
    GameState& st = game.state;
    for (int i = 1; i <= st.partyCount; ++i) {
        fate(game.character(st.partyMember[i]));
        st.partyMember[i] = 0;
    }
}

// Forward steps reset the count of turns on the spot, unless the party has
// stood turning so long (500) that only the idle encounter may reset it.
constexpr int kTurnsThatStick = 500;
constexpr int kIdleTurns = 100;
constexpr int kIdleEncounterBase = 1208; // + 1d12
constexpr int16_t kRandomOrigin = 12;
constexpr int16_t kIdleOrigin = 13;

const char* const kArrows[] = {"▲", "▶", "▼", "◀"}; // by action

void showArrow(Game& game, int action)
{
    game.screen.moveArrow.text = kArrows[action];
    game.screen.moveArrow.visible = true;
    game.timers.enable(kMoveTimer, false); // a fresh 300 ms for every action
    game.timers.enable(kMoveTimer, true);
}

// The member's HP label in the party window, found by where the member
// stands now: a death earlier in the step may have reordered the panel.
void setHpLabel(Game& game, int rosterNo, const std::string& mark)
{
    const GameState& st = game.state;
    Panel* panel = game.screen.find(kPartyPanel);
    for (int i = 1; panel && i <= st.partyCount; ++i)
        if (st.partyMember[i] == rosterNo)
            panel->setLabel("lblHP" + std::to_string(i - 1),
                            toFullWidth(mark + std::to_string(game.character(rosterNo).hp)));
}

void stepEffects(Game& game)
{
    const GameState& st = game.state;
    // Held apart from the party list, which a death rebuilds mid-step.
    std::vector<int> members;
    for (int i = 1; i <= st.partyCount; ++i)
        members.push_back(st.partyMember[i]);
    for (int r : members) {
        Character& c = game.character(r);
        if (c.conditions & Cond::BeyondCare)
            continue;
        c.steps += 1;
        if (c.conditions & Cond::Poisoned) {
            c.hp -= 1;
            setHpLabel(game, r, "-");
            if (c.hp < 1) {
                ShowMessage(game, "", c.name + "は\n死んだ・・・");
                c.hp = 0;
                c.conditions |= Cond::Dead;
                RefreshPartyPanel(game);
            }
        } else if (c.regen >= 1 && c.hp < c.maxHp) {
            c.hp += c.regen; // not capped: a step may end above the maximum
            setHpLabel(game, r, "+");
        }
    }
}

void stepForward(Game& game)
{
    GameState& st = game.state;
    if (st.turnCounter < kTurnsThatStick)
        st.turnCounter = 0;
    st.prevX = st.posX;
    st.prevY = st.posY;
    static const int kDx[] = {0, 1, 0, -1}, kDy[] = {-1, 0, 1, 0};
    const int f = st.facing & 3;
    st.posX = static_cast<int16_t>((st.posX + kDx[f] + kMazeSize) % kMazeSize);
    st.posY = static_cast<int16_t>((st.posY + kDy[f] + kMazeSize) % kMazeSize);
    showArrow(game, 0);
    stepEffects(game);
}

void turn(Game& game, int action)
{
    GameState& st = game.state;
    if (st.turnCounter < INT16_MAX)
        ++st.turnCounter;
    st.facing = static_cast<int16_t>(((st.facing & 3) + action) % 4);
    showArrow(game, action);
}

bool stillWalking(const Game& game)
{
    return game.place.mode == Mode::Maze && game.state.floor > 0;
}

bool wipedOut(const Game& game)
{
    return stillWalking(game) && IsWiped(game, game.state.groupNo);
}

// The monsters come when nothing else happened this action: after long
// standing about, a rare one that comes to see why; otherwise one in 45.
void rollEncounter(Game& game)
{
    GameState& st = game.state;
    if (st.turnCounter > kIdleTurns) {
        if (stillWalking(game) && Dice(game.rng, 1, 50, 0) == 10) {
            st.turnCounter = 0;
            ShowMessage(game, "", "いつまで・・・");
            ShowMessage(game, "", "そこにいるつもりだ？");
            st.encounterOrigin = kIdleOrigin;
            StartBattle(game, kIdleEncounterBase + Dice(game.rng, 1, 12, 0));
        }
        return;
    }
    if (Dice(game.rng, 1, 45, -1) == 10) {
        st.eventResult = 0;
        st.encounterOrigin = kRandomOrigin;
        if (stillWalking(game))
            StartBattle(game, 0);
        return;
    }
    if (wipedOut(game))
        PartyWipedOut(game);
}

} // namespace

void PartyMove(Game& game, int action)
{
    GameState& st = game.state;
    if (action == 0)
        stepForward(game);
    else if (action >= 1 && action <= 3)
        turn(game, action);

    if (st.partyEffects & PartyEffect::Compass)
        game.screen.message.text = CommandText(game);
    DrawMazeView(game);
    if (wipedOut(game)) {
        PartyWipedOut(game);
        return;
    }
    st.eventResult = static_cast<int16_t>(RunCellEvent(game));
    if (st.eventResult != 0) {
        FollowEventResult(game, st.eventResult);
        return;
    }
    rollEncounter(game);
}

void FollowEventResult(Game& game, int result)
{
    game.state.eventResult = static_cast<int16_t>(result);
    if (result > 0)
        StartBattle(game, result);
    else if (result < 0 && wipedOut(game))
        PartyWipedOut(game);
}

void RelocateParty(Game& game, int floor, int x, int y)
{
    GameState& st = game.state;
    if (floor != st.floor) {
        st.floor = static_cast<int16_t>(floor);
        EnterFloor(game);
    }
    st.posX = st.prevX = static_cast<int16_t>(x);
    st.posY = st.prevY = static_cast<int16_t>(y);
    st.turnCounter = 0;
    for (int i = 1; i <= st.partyCount; ++i) {
        Character& c = game.character(st.partyMember[i]);
        c.floor = st.floor;
        c.posX = st.posX;
        c.posY = st.posY;
    }
    DrawMazeView(game);
}

bool CheckInRock(Game& game)
{
    GameState& st = game.state;
    const int floor = st.floor, x = st.posX, y = st.posY;
    // The range is tested before any map is read: a teleport may aim anywhere.
    bool offTheMap = !InMaze(x, y) || floor >= kFloorCount;
    bool inRock = !offTheMap && floor >= 0 && game.content().mazeWalls(floor, y, x) == 15 &&
                  game.content().mazeDoors(floor, y, x) == 0;
    if (offTheMap || inRock) {
        EndTheParty(game, [&](Character& c) { EraseCharacter(game, c); });
        Save(game);
        ShowMessage(game, "", "\n石の中にいる");
    } else if (floor > 0) {
        return false;
    } else {
        EndTheParty(game, [](Character& c) {
            c.conditions |= Cond::Dead;
            c.floor = c.posX = c.posY = 0;
            c.ac = c.baseAc;
        });
        Save(game);
        ShowMessage(game, "",
                    floor == 0
                        ? "パーティーは城の堀の水中に実体化した\r\n不運その日はzedure名物\n"
                          "「水中ウサギショー」開催日でパーティーは全員、\n"
                          "くびをはねられて死んでしまった！！\n\n水の中ってプロテクト効かないの？"
                        : "パーティは空中に実体化し\nたまたまそこを通りかかった異国の\n"
                          "飛空挺の一団に跳ね飛ばされ、\n全員死亡してしまった！！");
    }
    st.partyCount = 0;
    ReturnToCastle(game);
    return true;
}

} // namespace qvr
