#include "game/reorder_panel.h"

#include "game/game_screens.h"

#include <algorithm>
#include <utility>

#include "core/error.h"
#include "core/game.h"
#include "core/panel_names.h"
#include "game/main_window.h"

namespace qvr {

namespace {

constexpr const char* kPanel = kReorderPanel;
// Over the middle of the maze view, clear of the party window.
constexpr Rect kReorderRect{60, 40, 100, 90};

// Kept inside the panel's own key handler, so every Game has its own.
struct ReorderKeys {
    std::function<void(Game&)> battleReturn;

    bool operator()(Game& game, Key key) const
    {
        if (key == CharKey('F'))
            ReorderUp(game);
        else if (key == CharKey('B'))
            ReorderDown(game);
        else if (key == CharKey('O') || key == Key::Enter)
            ReorderOk(game);
        else if (key == Key::Escape || key == Key::Backspace)
            CloseReorder(game);
        else
            return false;
        return true;
    }
};

ReorderKeys& keysOf(Game& game)
{
    auto* keys = game.screen.panel(kPanel).keyHook.target<ReorderKeys>();
    if (!keys)
        throw GameError("the reorder panel was built without its keys");
    return *keys;
}

} // namespace

void BuildReorderPanel(Game& game)
{
    Panel p;
    p.name = kPanel;
    p.list = kReorderList;
    p.caption = "再　編　成";
    p.rect = kReorderRect;
    p.labels = {
        {"lblUp", "↑&F)前へ", true},
        {"lblDown", "↓&B)後ろへ", true},
        {"lblOk", " &O)K", true},
    };
    p.keyHook = ReorderKeys{};
    game.screen.add(std::move(p));
}

void GameScreens::setReorderBattleReturn(Game& game, std::function<void(Game&)> resume)
{
    keysOf(game).battleReturn = std::move(resume);
}

void GameScreens::openReorder(Game& game)
{
    Panel& p = game.screen.panel(kPanel);
    p.rows.clear();
    const GameState& st = game.state;
    for (int i = 1; i <= st.partyCount; ++i) {
        int r = st.partyMember[i];
        p.rows.push_back({game.character(r).name, 0, r, {}});
    }
    game.screen.open(kPanel, 0);
}

// The top row goes up past the top to the bottom, and the bottom row down
// past the bottom to the top: a leader can be sent to the rear in one press.
void ReorderUp(Game& game)
{
    Panel& p = game.screen.panel(kPanel);
    int last = static_cast<int>(p.rows.size()) - 1;
    int r = p.selected;
    if (r < 0 || r > last)
        return;
    if (r > 0) {
        std::swap(p.rows[r], p.rows[r - 1]);
        p.selected = r - 1;
    } else {
        std::rotate(p.rows.begin(), p.rows.begin() + 1, p.rows.end());
        p.selected = last;
    }
}

void ReorderDown(Game& game)
{
    Panel& p = game.screen.panel(kPanel);
    int last = static_cast<int>(p.rows.size()) - 1;
    int r = p.selected;
    if (r < 0 || r > last)
        return;
    if (r < last) {
        std::swap(p.rows[r], p.rows[r + 1]);
        p.selected = r + 1;
    } else {
        std::rotate(p.rows.begin(), p.rows.end() - 1, p.rows.end());
        p.selected = 0;
    }
}

void ReorderOk(Game& game)
{
    Panel& p = game.screen.panel(kPanel);
    GameState& st = game.state;
    for (std::size_t i = 0; i < p.rows.size(); ++i) {
        int slot = static_cast<int>(i) + 1;
        st.partyMember[slot] = static_cast<int16_t>(p.rows[i].value);
        game.character(p.rows[i].value).position = static_cast<int16_t>(slot);
    }
    RefreshPartyPanel(game);
    CloseReorder(game);
}

void CloseReorder(Game& game)
{
    Screen& screen = game.screen;
    screen.panel(kPanel).visible = false;
    auto resume = keysOf(game).battleReturn;
    if (game.place.mode == Mode::Battle && resume) {
        resume(game);
        return;
    }
    screen.panel(kPartyPanel).visible = screen.message.visible;
    if (screen.keyboardOwner == kPanel)
        screen.keyboardOwner.clear();
}

} // namespace qvr
