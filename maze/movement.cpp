#include "maze/movement.h"

#include "core/game.h"
#include "core/prompts.h"
#include "core/records.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "maze/view.h"
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

} // namespace

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
        EndTheParty(game, [&](Character& c) { c = game.character(0); });
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
