#pragma once

// The status and ranking windows as the runner writes them: the lines that
// tell a window has opened or changed, and their part of a dump (see
// script_runner.h for the format, which tools rely on).

#include <iosfwd>
#include <string>
#include <vector>

namespace qvr {

struct StatusWindow;
struct RankingWindow;

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
