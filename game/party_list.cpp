#include "game/party_list.h"

#include "game/game_screens.h"

#include <algorithm>
#include <vector>

#include "core/error.h"
#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"

namespace qvr {

namespace {

constexpr const char* kPanel = kPartyPanel;
constexpr Rect kPartyRect{4, 150, 212, 66};

// The uses live inside the list's own perform, so that every Game carries
// its own and nothing outlives it; the panel is rebuilt row by row on every
// refresh, but its perform stays.
struct PartyListRouter {
    std::vector<PartyListUse> uses;
    void operator()(Game& game, int row) const { ChoosePartyRow(game, row); }
};

PartyListRouter& routerOf(Game& game)
{
    auto* router = game.screen.panel(kPanel).perform.target<PartyListRouter>();
    if (!router)
        throw GameError("the party list was built without its routing");
    return *router;
}

// The asker of the game's place, or none.
const PartyListUse* owner(Game& game)
{
    for (const PartyListUse& use : routerOf(game).uses)
        if (use.where == game.place)
            return &use;
    return nullptr;
}

// Digits pick a member at once; a digit past the last member means the last,
// so a quick hand on the number row never lands on nobody.
bool partyListKeys(Game& game, Key key)
{
    Panel& panel = game.screen.panel(kPanel);
    if (key == Key::Escape || key == Key::Backspace) {
        LeavePartyList(game);
        return true;
    }
    if (!IsDigitKey(key) || key == CharKey('0'))
        return false;
    int rows = static_cast<int>(panel.rows.size());
    if (rows == 0)
        return true;
    int row = std::min(KeyChar(key) - '1', rows - 1);
    panel.selected = row;
    ChoosePartyRow(game, row);
    return true;
}

} // namespace

void BuildPartyList(Game& game)
{
    Panel p;
    p.name = kPanel;
    p.list = kPartyList;
    p.caption = "";
    p.rect = kPartyRect;
    p.enabled = false;
    for (const char* column : {"lblClass", "lblAC", "lblHP", "lblState"})
        for (int i = 0; i < 6; ++i)
            p.labels.push_back({column + std::to_string(i), "", true});
    p.perform = PartyListRouter{};
    p.keyHook = partyListKeys;
    game.screen.add(std::move(p));
}

void GameScreens::addPartyListUse(Game& game, PartyListUse use)
{
    std::vector<PartyListUse>& uses = routerOf(game).uses;
    std::erase_if(uses, [&](const PartyListUse& u) { return u.where == use.where; });
    uses.push_back(std::move(use));
}

void GameScreens::openPartyList(Game& game)
{
    game.screen.open(kPanel, 0);
}

void GameScreens::releasePartyList(Game& game)
{
    Panel& panel = game.screen.panel(kPanel);
    panel.enabled = false;
    panel.selected = -1;
}

void GameScreens::choosePartyRow(Game& game, int row)
{
    const Panel& panel = game.screen.panel(kPanel);
    GameState& st = game.state;
    if (row < 0 || row >= static_cast<int>(panel.rows.size()) || row >= st.partyCount)
        return;
    const int rosterNo = st.partyMember[row + 1];
    if (const PartyListUse* use = owner(game)) {
        // The use may register or replace uses (and so move this one).
        auto chosen = use->chosen;
        if (chosen)
            chosen(game, rosterNo);
    }
}

void LeavePartyList(Game& game)
{
    if (const PartyListUse* use = owner(game)) {
        auto left = use->left;
        if (left)
            left(game);
    }
    Screen& screen = game.screen;
    if (screen.panel(kPanel).enabled)
        ReleasePartyList(game);
    if (screen.keyboardOwner == kPanel)
        screen.keyboardOwner.clear();
}

} // namespace qvr
