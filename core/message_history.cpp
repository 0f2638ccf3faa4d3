#include "core/message_history.h"

#include "core/game.h"
#include "core/saving.h"

namespace qvr {

namespace {

constexpr const char* kFollowIndent = "　";

} // namespace

void MessageHistory::add(std::string_view text)
{
    bool first = true;
    std::size_t start = 0;
    while (start < text.size() || first) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string_view::npos)
            end = text.size();
        std::string line(text.substr(start, end - start));
        lines_.push_back(first ? line : kFollowIndent + line);
        first = false;
        if (end < text.size() && text[end] == '\r' && end + 1 < text.size() &&
            text[end + 1] == '\n')
            ++end;
        start = end + 1;
    }
    while (lines_.size() > kHistoryLineLimit)
        lines_.pop_front();
}

void HistoryWindow::pressKey(Game& game, Key key)
{
    if (closed())
        return;
    if (key == Key::Ctrl) {
        SaveFromKey(game);
        return;
    }
    if (MoveSelection(selected, static_cast<int>(lines.size()), key, kPageRows))
        return;
    if (key == Key::Escape || key == Key::Backspace || key == Key::Enter || key == Key::Space ||
        key == kHistoryKey)
        close();
}

void ShowHistory(Game& game)
{
    if (game.history.showing || !game.prompter)
        return;
    HistoryWindow window;
    window.lines.assign(game.history.lines().begin(), game.history.lines().end());
    window.selected = static_cast<int>(window.lines.size()) - 1;
    game.history.showing = true;
    struct Reset {
        MessageHistory& history;
        ~Reset() { history.showing = false; }
    } reset{game.history};
    game.prompter->run(game, window);
}

} // namespace qvr
