#include "app/script_prompter.h"

#include <algorithm>
#include <cmath>
#include <ostream>

#include "app/script_windows.h"
#include "core/error.h"
#include "core/game.h"
#include "core/prompts.h"
#include "game/battle_screens.h"

namespace qvr {

// Keeps the stack of open prompts right however the prompt ends, a script
// error or the end of the script included.
class ScriptPrompter::Opened {
public:
    Opened(ScriptPrompter& owner, OpenPrompt prompt) : owner_(owner)
    {
        if (owner.open_.size() >= kMaxOpenPrompts)
            throw GameError("prompts keep opening inside prompts (" +
                            std::to_string(kMaxOpenPrompts) + " are open)");
        owner.open_.push_back(std::move(prompt));
    }
    ~Opened() { owner_.open_.pop_back(); }
    Opened(const Opened&) = delete;
    Opened& operator=(const Opened&) = delete;

private:
    ScriptPrompter& owner_;
};

namespace {

// In a text box these keys would type or delete; the script types with a
// text line instead, so that what the box holds is always plain to see.
bool typingKey(Key key)
{
    return KeyChar(key) != 0 || key == Key::Space || key == Key::Backspace;
}

void answer(Game& game, MessageBox& box, const ScriptStep& step)
{
    if (step.kind == ScriptStep::Kind::Click)
        throw ScriptError(step.line, "a message box takes keys, not click");
    if (step.kind == ScriptStep::Kind::Text) {
        if (!box.showsInput())
            throw ScriptError(step.line, "text with no text box open");
        box.input = step.text;
        box.pressKey(game, Key::Enter);
    } else if (box.showsInput() && typingKey(step.key)) {
        throw ScriptError(step.line,
                          "a text box takes typing as a text line, not key " + KeyName(step.key));
    } else {
        box.pressKey(game, step.key);
    }
}

} // namespace

void ScriptPrompter::checkQuit(const Game& game)
{
    if (game.screen.quit)
        throw GameQuit{};
}

ScriptStep ScriptPrompter::nextStep()
{
    std::optional<ScriptStep> step = source_.next();
    if (!step)
        throw ScriptEnded{};
    return std::move(*step);
}

bool ScriptPrompter::common(Game& game, const ScriptStep& step)
{
    switch (step.kind) {
    case ScriptStep::Kind::Wait:
        wait(game, step.ms);
        return true;
    case ScriptStep::Kind::Dump:
        dump(game);
        return true;
    case ScriptStep::Kind::Close:
        throw ScriptError(step.line, "close while a prompt is open: answer it first");
    case ScriptStep::Kind::Fix:
        BattleOf(game).state.fixedRolls.fix(step.roll, step.face);
        return true;
    case ScriptStep::Kind::Key:
        // The history opens over any prompt; inside it the key closes it.
        if (step.key == kHistoryKey && !game.history.showing) {
            ShowHistory(game);
            return true;
        }
        break;
    case ScriptStep::Kind::Text:
    case ScriptStep::Kind::Click:
        break;
    }
    return false;
}

double ScriptClock::secondsSinceMidnight() const
{
    double seconds =
        std::fmod(start_ + static_cast<double>(timers_.now() - origin_) / 1000.0, 86400.0);
    return seconds < 0 ? seconds + 86400.0 : seconds;
}

void ScriptPrompter::wait(Game& game, int64_t ms)
{
    game.timers.advance(game, ms);
}

void ScriptPrompter::dump(const Game& game) const
{
    WriteDump(out_, game, open_);
}

void ScriptPrompter::run(Game& game, ModalWindow& window)
{
    if (window.kind() == WindowKind::Settings)
        throw WindowUnavailable("this front end cannot show the settings window");
    if (MessageBox* box = WindowAs<MessageBox>(window))
        runBox(game, *box);
    else
        runKeyed(game, window);
}

void ScriptPrompter::runBox(Game& game, MessageBox& box)
{
    out_ << BoxLine(box) << '\n';
    Opened guard(*this, {.window = &box});
    // A box that closes by itself does so once the waits made while it was
    // open add up to its delay.
    int64_t waited = 0;
    while (!box.closed()) {
        ScriptStep step = nextStep();
        if (!common(game, step))
            answer(game, box, step);
        else if (step.kind == ScriptStep::Kind::Wait && box.autoCloseMs > 0 &&
                 (waited += step.ms) >= box.autoCloseMs)
            box.close();
        checkQuit(game);
    }
}

void ScriptPrompter::runKeyed(Game& game, ModalWindow& window)
{
    std::vector<std::string> shown = WindowLines(window);
    for (const std::string& line : shown)
        out_ << line << '\n';
    Opened guard(*this, {.window = &window});
    while (!window.closed()) {
        ScriptStep step = nextStep();
        if (!common(game, step)) {
            if (step.kind == ScriptStep::Kind::Text)
                throw ScriptError(step.line, std::string("text with no text box open (") +
                                                 WindowName(window) + " is open)");
            if (step.kind == ScriptStep::Kind::Click) {
                if (!ClickWindow(game, window, step.list, step.row))
                    throw ScriptError(step.line,
                                      std::string("click on no list of ") + WindowName(window));
            } else {
                window.pressKey(game, step.key);
            }
        }
        checkQuit(game);
        // A chooser may re-list its characters and stay open; a status
        // window moves its keyboard from list to list.
        if (window.closed())
            break;
        std::vector<std::string> now = WindowLines(window);
        for (const std::string& line : now)
            if (std::find(shown.begin(), shown.end(), line) == shown.end())
                out_ << line << '\n';
        shown = std::move(now);
    }
}

std::string ScriptPrompter::chooseFile(Game& game, const std::string& pattern)
{
    out_ << FileLine(pattern) << '\n';
    Opened guard(*this, {.filePattern = pattern});
    for (;;) {
        ScriptStep step = nextStep();
        if (common(game, step)) {
            checkQuit(game);
            continue;
        }
        if (step.kind == ScriptStep::Kind::Text)
            return step.text;
        if (step.kind == ScriptStep::Kind::Key && step.key == Key::Escape)
            return "";
        if (step.kind == ScriptStep::Kind::Click)
            throw ScriptError(step.line,
                              "the file chooser takes text PATH or key Escape, not click");
        throw ScriptError(step.line, "the file chooser takes text PATH or key Escape, not key " +
                                         KeyName(step.key));
    }
}

} // namespace qvr
