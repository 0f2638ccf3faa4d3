#include "tools/content/compile.h"

namespace qvr::content {

// Trap names are shown in a label and typed by the player to disarm.
inline constexpr std::size_t kTrapNameBytes = 40;

void ReadTraps(const std::filesystem::path& path, Content& content)
{
    const std::string file = path.string();
    toml::table root = ParseSource(path);
    for (const toml::table* table : TablesOf(file, root, "trap")) {
        FieldReader f(file, *table, "trap");
        int row = f.integer("row", 1, 40);
        if (!content.traps[row].name.empty())
            f.fail("row", "is given twice: row " + std::to_string(row));
        TrapDef t;
        t.value = f.integer("value", -32768, 32767, 0);
        t.level = f.integer("level", 1, 999);
        t.number = f.integer("number", 1, 38);
        if (row <= 38 && t.number != row)
            f.fail("number", "must equal the row (" + std::to_string(row) +
                                 "): chests of weak monsters draw the low rows");
        t.note = f.text("note", 200, false);
        t.name = f.text("name", kTrapNameBytes);
        if (t.name.empty())
            f.fail("name", "is empty: the player could not type it");
        f.finish();
        content.traps[row] = t;
    }
}

} // namespace qvr::content
