#include "town/tavern.h"

#include <cstdint>
#include <string>

#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "core/textformat.h"
#include "rules/party_panel.h"
#include "town/castle_town.h"
#include "town/roster_chooser.h"
#include "town/town_panels.h"

namespace qvr {

namespace {

constexpr const char* kPanel = kTavernPanel;
constexpr int kRemoveRow = 1;
constexpr int kInspectRow = 2;
constexpr int kJoinMode = 1;
constexpr int kFullParty = 6;

void addMembers(Game& game)
{
    if (game.state.partyCount >= kFullParty) {
        ShowMessage(game, "", "これ以上メンバーを増やせません");
        return;
    }
    OpenRosterChooser(game, kJoinMode);
    RefreshPartyPanel(game);
}

// Removing and inspecting both ask the party list which member is meant.
void askForMember(Game& game)
{
    if (!RequireParty(game))
        return;
    game.screen.panel(kPanel).enabled = false;
    OpenPartyList(game);
}

void backToTavern(Game& game)
{
    game.screen.open(kPanel, game.screen.panel(kPanel).selected);
}

void memberChosen(Game& game, int rosterNo)
{
    int row = game.screen.panel(kPanel).selected;
    if (row == kRemoveRow) {
        Character& c = game.character(rosterNo);
        c.floor = 0;
        c.groupNo = 0;
        c.position = 0;
        --game.state.partyCount;
    } else if (row == kInspectRow) {
        ShowStatus(game, rosterNo, StatusMode::Tavern);
    }
    ReleasePartyList(game);
    RefreshPartyPanel(game);
    backToTavern(game);
}

void leftPartyList(Game& game)
{
    ReleasePartyList(game);
    backToTavern(game);
}

// The sum is taken in 64 bits: six purses near the top of their range would
// overflow the purse's own width. The share of an even split always fits.
void divideGold(Game& game)
{
    if (!RequireParty(game))
        return;
    GameState& st = game.state;
    int64_t sum = 0;
    for (int i = 1; i <= st.partyCount; ++i)
        sum += game.character(st.partyMember[i]).gold;
    int64_t share = sum / st.partyCount;
    for (int i = 1; i <= st.partyCount; ++i)
        game.character(st.partyMember[i]).gold = static_cast<int32_t>(share);
    ShowMessage(game, "",
                "お金を山分けしました\r一人" + toFullWidth(formatField("###############", share)) +
                    "です");
    Save(game);
}

void backToCastle(Game& game)
{
    game.screen.panel(kPanel).visible = false;
    ShowCastleTown(game);
    PlayMusic(game, kTrackCastleTown);
}

// A digit looks at that member at once, as if Inspect had been chosen. The
// party list never takes the keyboard for it, so it shows no highlight.
bool tavernKeys(Game& game, Key key)
{
    if (!IsDigitKey(key) || key == CharKey('0') || key > CharKey('6'))
        return false;
    int row = KeyChar(key) - '1';
    if (row >= static_cast<int>(game.screen.panel(kPartyPanel).rows.size()))
        return true;
    game.screen.panel(kPanel).selected = kInspectRow;
    ChoosePartyRow(game, row);
    return true;
}

} // namespace

void BuildTavernPanel(Game& game)
{
    Panel p;
    p.name = kPanel;
    p.list = kTavernList;
    p.caption = "カイーナ の 酒 場";
    p.rect = kTownMenuRect;
    p.rows = {
        {"A)仲 間 に 入 れ る", 'A', 0, addMembers},
        {"R)仲 間 か ら は ず す", 'R', 0, askForMember},
        {"I)調 べ る", 'I', 0, askForMember},
        {"G)お 金 を 山 分 け す る ", 'G', 0, divideGold},
        {"C)城 へ 戻 る ", 'C', 0, backToCastle},
    };
    p.backRow = 4;
    p.keyHook = tavernKeys;
    game.screen.add(std::move(p));

    PartyListUse use;
    use.where = InTown(Facility::Tavern);
    use.chosen = memberChosen;
    use.left = leftPartyList;
    AddPartyListUse(game, std::move(use));
}

void OpenTavern(Game& game)
{
    game.screen.panel(kCastleTownPanel).visible = false;
    game.screen.open(kPanel, 0);
    game.place = InTown(Facility::Tavern);
    PlayMusic(game, kTrackTavern);
}

} // namespace qvr
