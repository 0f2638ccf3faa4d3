#include <array>

#include "core/error.h"
#include "tools/content/compile.h"
#include "tools/content/record_source.h"

namespace qvr::content {

namespace {
// A chest draws rows 1..38, and each holds one of the 38 effects.
constexpr int kTrapEffects = 38;
} // namespace

void ReadTraps(const std::filesystem::path& path, Content& content)
{
    const std::string file = path.string();
    toml::table root = ParseSource(path);
    std::array<int, kTrapEffects + 1> effectRow{};
    for (const toml::table* table : TablesOf(file, root, "trap")) {
        FieldReader f(file, *table, "trap");
        int row = f.integer("row", 1, 40);
        if (!content.traps[row].name.empty())
            f.fail("row", "is given twice: row " + std::to_string(row));
        TrapDef t;
        ReadFields(f, t);
        // Rows are ordered by danger, so the number, not the row, picks the
        // effect: each effect must sit on exactly one of the drawn rows.
        if (row <= kTrapEffects) {
            if (int other = effectRow[t.number]; other != 0)
                f.fail("number", "effect " + std::to_string(t.number) + " is already on row " +
                                     std::to_string(other));
            effectRow[t.number] = row;
        }
        if (t.name.empty())
            f.fail("name", "is empty: the player could not type it");
        f.finish();
        content.traps[row] = t;
    }
    for (int effect = 1; effect <= kTrapEffects; ++effect)
        if (effectRow[effect] == 0)
            throw GameError(file + ": trap effect " + std::to_string(effect) +
                            " is on none of rows 1.." + std::to_string(kTrapEffects) +
                            ": every effect must be drawn by some chest");
}

} // namespace qvr::content
