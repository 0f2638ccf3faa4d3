#pragma once

// The transcript's wording: event lines and the dump (see script_runner.h
// for the format, which tools rely on).

#include <iosfwd>
#include <string>
#include <string_view>
#include <vector>

#include "core/services.h"

namespace qvr {

class Game;
class ModalWindow;
struct MessageBox;
struct ListPicker;
struct CharacterChooser;
struct Row;

// A text on one line: line breaks as \n, backslashes doubled, other control
// characters escaped.
std::string OneLine(std::string_view text);

std::string BoxLine(const MessageBox& box);
std::string PickerLine(const ListPicker& picker);
std::string ChooserLine(const CharacterChooser& chooser);
std::string FileLine(const std::string& pattern);

// " | row | row" after an event line's head.
std::string RowList(const std::vector<Row>& rows);
std::string RowList(const std::vector<std::string>& texts);
// A dump's rows, two blanks in, with "> " on the selected one.
void WriteRows(std::ostream& out, const std::vector<Row>& rows, int selected);

// A prompt that is open while the script runs: a window, or the file
// chooser's pattern when none.
struct OpenPrompt {
    const ModalWindow* window = nullptr;
    std::string filePattern{};
};

void WriteDump(std::ostream& out, const Game& game, const std::vector<OpenPrompt>& prompts);
// The battle being fought: its groups and the orders given so far.
void WriteBattle(std::ostream& out, const Game& game);

// Music, saves, the window title and a battle's narration, as they happen.
class ScriptObserver : public GameObserver {
public:
    explicit ScriptObserver(std::ostream& out) : out_(out) {}
    void musicStarted(int track, const std::string& path) override;
    void saved() override;
    void titleChanged(const std::string& title) override;
    void narrated(const std::string& line) override;
    void panelShown(const Panel& panel) override;

private:
    std::ostream& out_;
};

} // namespace qvr
