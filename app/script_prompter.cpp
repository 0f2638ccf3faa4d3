#include "app/script_prompter.h"

#include <cmath>
#include <ostream>

#include "core/error.h"
#include "core/game.h"
#include "core/prompts.h"

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

std::vector<std::string> texts(const std::vector<Row>& rows)
{
    std::vector<std::string> out;
    out.reserve(rows.size());
    for (const Row& r : rows)
        out.push_back(r.text);
    return out;
}

// In a text box these keys would type or delete; the script types with a
// text line instead, so that what the box holds is always plain to see.
bool typingKey(Key key)
{
    return KeyChar(key) != 0 || key == Key::Space || key == Key::Backspace;
}

void answer(Game& game, MessageBox& box, const ScriptStep& step)
{
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
    case ScriptStep::Kind::Key:
    case ScriptStep::Kind::Text:
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

void ScriptPrompter::run(Game& game, MessageBox& box)
{
    out_ << BoxLine(box) << '\n';
    Opened guard(*this, {&box, nullptr, nullptr, {}});
    while (!box.closed) {
        ScriptStep step = nextStep();
        if (!common(game, step))
            answer(game, box, step);
        checkQuit(game);
    }
}

template <class List>
void ScriptPrompter::runList(Game& game, List& list, OpenPrompt prompt,
                             std::string (*lineOf)(const List&))
{
    std::vector<std::string> shown = texts(list.rows);
    out_ << lineOf(list) << '\n';
    Opened guard(*this, std::move(prompt));
    while (!list.closed) {
        ScriptStep step = nextStep();
        if (!common(game, step)) {
            if (step.kind == ScriptStep::Kind::Text)
                throw ScriptError(step.line, "text with no text box open (a list is open)");
            list.pressKey(game, step.key);
        }
        checkQuit(game);
        // A chooser may re-list its characters and stay open.
        if (!list.closed && texts(list.rows) != shown) {
            shown = texts(list.rows);
            out_ << lineOf(list) << '\n';
        }
    }
}

void ScriptPrompter::run(Game& game, ListPicker& picker)
{
    runList(game, picker, {nullptr, &picker, nullptr, {}}, PickerLine);
}

void ScriptPrompter::run(Game& game, CharacterChooser& chooser)
{
    runList(game, chooser, {nullptr, nullptr, &chooser, {}}, ChooserLine);
}

std::string ScriptPrompter::chooseFile(Game& game, const std::string& pattern)
{
    out_ << FileLine(pattern) << '\n';
    Opened guard(*this, {nullptr, nullptr, nullptr, pattern});
    for (;;) {
        ScriptStep step = nextStep();
        if (common(game, step)) {
            checkQuit(game);
            continue;
        }
        if (step.kind == ScriptStep::Kind::Text)
            return step.text;
        if (step.key == Key::Escape)
            return "";
        throw ScriptError(step.line, "the file chooser takes text PATH or key Escape, not key " +
                                         KeyName(step.key));
    }
}

} // namespace qvr
