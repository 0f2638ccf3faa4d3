#pragma once

// Item fusion at the astrology office: the recipe list, whose rows open as
// the players' tally of defeated monsters grows, and the fusion itself.

#include <cstdint>
#include <optional>
#include <string>

namespace qvr {

class Game;
class Rng;

inline constexpr const char* kLockedRecipeText = "？？？？？？？？？？";
inline constexpr const char* kFusionPrompt =
    "どのアイテムを製作しますか？\nＥＳＣ or ＢＳでぬける\n";

// Monsters 1..700 defeated, ever, by anyone.
int64_t DefeatedTotal(const Game& game);
// Row j opens once the tally passes 20 x j x j. A row with no result or no
// ingredient never opens: there is nothing to make from it.
bool RecipeOpen(const Game& game, int row);
// The row as the list shows it: the result's name, or question marks.
std::string RecipeRowText(const Game& game, int row);
// The prompt while a row is highlighted: an open row's ingredients joined by
// " ＋ ", three to a line, above the opening prompt.
std::string RecipePrompt(const Game& game, int row);

// The unlucky 1 on 1d32 and then 1 in 3 for the alternative.
enum class FusionRoll { Made, Ruined, Alternative };
FusionRoll RollFusion(Rng& rng);

enum class FusionResult { Locked, Missing, NoRoom, Made, Ruined, Alternative };
// The whole fusion of a row with its messages. The roll is made after the
// ingredients are gone unless a test gives it.
FusionResult Fuse(Game& game, int row, std::optional<FusionRoll> forced = std::nullopt);

// Row "U)武 具 合 体": the recipe list takes the keyboard.
void OpenFusion(Game& game);

} // namespace qvr
