#pragma once

// A few rolls whose outcome a key-script case names what it tests by: the
// opening roll of a battle, whether a chest is left and which trap it holds. A case may fix the
// next face of such a roll (qvr-script's `fix` line), so that it keeps testing what it claims when
// other rolls come and go, instead of hunting a seed that happens to give
// it. The die is rolled all the same, so that every other roll of the run
// draws what it drew before. The battle holds them; play never fixes
// anything: only the script runner fills this, and it fails a script whose
// fixed faces are not all used.

#include <array>
#include <cstdint>
#include <deque>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace qvr {

enum class FixedRoll : uint8_t {
    Opening, // 1d30 of a battle's start: 1 monsters first, 2 party first, 3 friendly, 4 back attack
    Chest,   // 1d30 after a victory; up to 11 leaves a chest
    ChestTrap, // the trap table's entry of that chest
};
inline constexpr std::array<std::string_view, 3> kFixedRollNames = {"opening", "chest", "trap"};

// The roll of that name, if there is one.
std::optional<FixedRoll> FixedRollNamed(std::string_view name);

class FixedRolls {
public:
    // The next roll of `which` shows `face` (queued behind earlier ones).
    void fix(FixedRoll which, int32_t face);
    // The face to use for a roll of `which` that drew `drawn` on a die whose
    // faces run from `lowest` to `highest`: the fixed one when there is one.
    // A fixed face the die cannot show is an error, not a quiet clamp.
    int32_t apply(FixedRoll which, int32_t drawn, int32_t lowest, int32_t highest);
    // The fixed faces no roll has taken, as "name face" lines.
    std::vector<std::string> unused() const;
    bool empty() const;

private:
    std::array<std::deque<int32_t>, kFixedRollNames.size()> queued_{};
};

} // namespace qvr
