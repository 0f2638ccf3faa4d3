#pragma once

// The roster's lines as the character chooser and the roster lists show
// them, and who each chooser mode lists.

#include <functional>
#include <string>
#include <vector>

#include "core/prompts.h"

namespace qvr {

// The chooser's lines for a mode, without the back row; shows the mode's
// "nobody" message and returns false when a mode that needs someone has
// nobody to list.
bool ListCharacters(Game& game, int mode, std::vector<Row>& rows);
int ChooseCharacter(Game& game, int mode,
                    std::function<bool(Game&, CharacterChooser&, int)> onChoose = {});

// One line of the roster lists for a character; `lineNo` is the line's
// number in its list (the list's current line count + 1).
std::string SummaryLine(const Game& game, int rosterNo, int lineNo);
void AppendSummaryLine(const Game& game, int rosterNo, std::vector<Row>& rows);

} // namespace qvr
