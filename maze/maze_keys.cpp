#include <string>
#include <vector>

#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/shared_screens.h"
#include "maze/maze_events.h"
#include "maze/movement.h"
#include "rules/party_panel.h"

namespace qvr {

namespace {

constexpr int kFullParty = 6;

// The side of the current cell the party faces, as a bit of the masks.
int facingBit(const GameState& st)
{
    return 1 << (st.facing & 3);
}

void bump(Game& game)
{
    ShowMessage(game, "", "いてっ！");
}

// Up: walls and doors both stop the party; it must mean to open a door.
void walkForward(Game& game)
{
    const GameState& st = game.state;
    const int bit = facingBit(st);
    if ((st.curWalls(st.posX, st.posY) & bit) || (st.curDoors(st.posX, st.posY) & bit))
        bump(game);
    else
        PartyMove(game, 0);
}

// Enter and Space: through a door, hidden or not; a plain wall still hurts.
void doorStep(Game& game)
{
    const GameState& st = game.state;
    const int bit = facingBit(st);
    if (!(st.curDoors(st.posX, st.posY) & bit) && (st.curWalls(st.posX, st.posY) & bit))
        bump(game);
    else
        PartyMove(game, 0);
}

void toggleWindow(Game& game)
{
    Screen& screen = game.screen;
    Panel& party = screen.panel(kPartyPanel);
    party.visible = !party.visible;
    screen.message.visible = party.visible;
}

void inspect(Game& game)
{
    game.screen.panel(kPartyPanel).visible = true;
    OpenPartyList(game);
}

// A digit looks at that member as if chosen in the list, which keeps no
// highlight afterwards unless it has the keyboard.
void inspectMember(Game& game, int row)
{
    Panel& party = game.screen.panel(kPartyPanel);
    if (row >= static_cast<int>(party.rows.size()))
        return;
    party.selected = row;
    ChoosePartyRow(game, row);
    if (Panel* p = game.screen.find(kPartyPanel); p && !p->enabled)
        p->selected = -1;
}

// Characters left on this cell by other parties may join this one.
void searchForCharacters(Game& game)
{
    GameState& st = game.state;
    if (st.partyCount >= kFullParty) {
        ShowMessage(game, "", "これ以上パーティーを増やせません");
        return;
    }
    std::vector<std::string> names;
    std::vector<int> found;
    for (int r = 1; r <= kRosterSize; ++r) {
        const Character& c = game.character(r);
        if (c.rosterNo >= 1 && c.floor == st.floor && c.posX == st.posX && c.posY == st.posY &&
            c.groupNo != st.groupNo) {
            names.push_back(c.name);
            found.push_back(r);
        }
    }
    if (found.empty()) {
        ShowMessage(game, "", "誰もいない");
        return;
    }
    const int r = PickFromList(game, names, found, "見つかりました");
    if (r < 1 || r > kRosterSize)
        return;
    Character& c = game.character(r);
    c.groupNo = st.groupNo;
    c.floor = st.floor;
    c.posX = st.posX;
    c.posY = st.posY;
    c.position = static_cast<int16_t>(st.partyCount + 1);
    RefreshPartyPanel(game);
}

void useItem(Game& game)
{
    const int r = PickMember(game, true);
    if (r < 1)
        return;
    const int slot = PickItem(game, r);
    if (slot < 1)
        return;
    game.state.curItem = static_cast<int16_t>(game.character(r).items[slot]);
    FollowEventResult(game, UseItemHere(game, game.character(r).items[slot], r, slot));
}

void searchCell(Game& game)
{
    FollowEventResult(game, SearchHere(game));
}

} // namespace

bool MazeKey(Game& game, Key key)
{
    if (game.state.floor == -1 || game.place.mode != Mode::Maze)
        return false;
    Screen& screen = game.screen;
    switch (key) {
    case Key::Up:
        walkForward(game);
        return true;
    case Key::Enter:
    case Key::Space:
        doorStep(game);
        return true;
    case Key::Right:
        PartyMove(game, 1);
        return true;
    case Key::Down:
        PartyMove(game, 2);
        return true;
    case Key::Left:
        PartyMove(game, 3);
        return true;
    default:
        break;
    }
    const char c = KeyChar(key);
    if (c >= '1' && c <= '6') {
        inspectMember(game, c - '1');
        return true;
    }
    switch (c) {
    case 'W':
        toggleWindow(game);
        break;
    case 'E':
        OpenReorder(game);
        break;
    case 'I':
        inspect(game);
        break;
    case 'S':
        searchForCharacters(game);
        break;
    case 'U':
        useItem(game);
        break;
    case 'F':
        searchCell(game);
        break;
    case 'Q':
        SuspendParty(game);
        break;
    case 'N':
        screen.windowRequest = WindowRequest::Minimise;
        break;
    case 'X':
        screen.windowRequest = WindowRequest::ToggleMaximise;
        break;
    default:
        return false;
    }
    return true;
}

} // namespace qvr
