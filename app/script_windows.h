#pragma once

// The modal windows as the runner writes them: the lines that tell a window
// has opened or changed, and its part of a dump (see script_runner.h for the
// format, which tools rely on). Each window's kind picks its writer.

#include <iosfwd>
#include <string>
#include <vector>

namespace qvr {

class Game;
class ModalWindow;
struct StatusWindow;
struct RankingWindow;

// The lines a window writes when it opens, and again whenever one of them
// changes.
std::vector<std::string> WindowLines(const ModalWindow& window);
// How a refused script line names the window ("a list", "the status window").
const char* WindowName(const ModalWindow& window);
// The window's part of a dump, from its "prompt" line on.
void WriteWindowPrompt(std::ostream& out, const ModalWindow& window);

// A mouse press on line `row` of the window's list: `list` names one of
// the status window's lists (lstCommand, lstItem, lstEQ); the other windows
// have one list and take an empty name. False when the window has no such
// list.
bool ClickWindow(Game& game, ModalWindow& window, const std::string& list, int row);

// "RANK heading | row | row ...".
std::string RankLine(const RankingWindow& window);

// What the status window shows that a player acts on: the list that has the
// keyboard (commands, items to pick from, the equipment choices or the two
// spell-book pages) and the message label. A line is written again only
// when it changes.
std::vector<std::string> StatusLines(const StatusWindow& window);

// A window's part of a dump, from its "prompt" line on.
void WriteRankingPrompt(std::ostream& out, const RankingWindow& window);
void WriteStatusPrompt(std::ostream& out, const StatusWindow& window);

} // namespace qvr
