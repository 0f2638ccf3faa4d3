#include "tools/content/compile.h"
#include "tools/content/record_source.h"

namespace qvr::content {

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
        ReadFields(f, t);
        if (row <= 38 && t.number != row)
            f.fail("number", "must equal the row (" + std::to_string(row) +
                                 "): chests of weak monsters draw the low rows");
        if (t.name.empty())
            f.fail("name", "is empty: the player could not type it");
        f.finish();
        content.traps[row] = t;
    }
}

} // namespace qvr::content
