#include "core/game.h"
#include "core/row_press.h"
#include "core/saving.h"
#include "core/shared_screens.h"

namespace qvr {

namespace {

void performRow(Game& game, Panel& panel, int row)
{
    if (row < 0 || row >= static_cast<int>(panel.rows.size()))
        return;
    panel.selected = row;
    // The action may rebuild this very list: hold a copy, not a reference.
    std::function<void(Game&)> action = panel.rows[static_cast<std::size_t>(row)].action;
    if (action) {
        action(game);
    } else if (panel.perform) {
        auto perform = panel.perform;
        perform(game, row);
    }
}

} // namespace

bool PressKeyboardRow(Game& game, int row)
{
    Panel* owner = game.screen.keyboardPanel();
    if (!owner || row < 0 || row >= static_cast<int>(owner->rows.size()))
        return false;
    owner->selected = row;
    game.pressKey(Key::Enter);
    return true;
}

void Game::pressKey(Key key)
{
    if (place.mode == Mode::Title) {
        LeaveTitle(*this);
        return;
    }
    if (key == Key::Ctrl) {
        SaveFromKey(*this);
        return;
    }
    if (key == kHistoryKey) {
        ShowHistory(*this);
        return;
    }
    if (place.mode == Mode::Ending) {
        if (key == Key::Enter)
            ContinueAfterEnding(*this);
        return;
    }
    Panel* panel = screen.keyboardPanel();
    if (!panel || !panel->visible || !panel->enabled) {
        // Nothing has the keyboard while the party walks: the maze takes it.
        if (place.mode == Mode::Maze && sharedScreens)
            sharedScreens->walkKey(*this, key);
        return;
    }
    if (panel->keyHook) {
        auto hook = panel->keyHook;
        if (hook(*this, key))
            return;
    }
    int rows = static_cast<int>(panel->rows.size());
    if (MoveSelection(panel->selected, rows, key))
        return;
    if (key == Key::Enter) {
        performRow(*this, *panel, panel->selected);
    } else if (key == Key::Escape || key == Key::Backspace) {
        performRow(*this, *panel, panel->backRow);
    } else if (char c = KeyChar(key)) {
        for (int i = 0; i < rows; ++i)
            if (panel->rows[static_cast<std::size_t>(i)].key == c) {
                performRow(*this, *panel, i);
                return;
            }
    }
}

} // namespace qvr
