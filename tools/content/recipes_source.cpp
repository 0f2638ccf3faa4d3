// The fusion recipes: what each of the 60 rows makes, what it makes on the
// unlucky roll, and the one to six items it takes. A recipe that needs an
// item nobody can come by is refused: its row would stay a locked promise.

#include <set>
#include <string>

#include "core/item_numbers.h"
#include "tools/content/compile.h"
#include "tools/content/record_source.h"

namespace qvr::content {

namespace {

bool exists(const Content& content, int itemNo)
{
    return itemNo >= 1 && itemNo <= kItemCount && content.items[itemNo].itemNo != 0;
}

void checkExists(FieldReader& f, const Content& content, const char* key, int itemNo)
{
    if (!exists(content, itemNo))
        f.fail(key, "names item " + std::to_string(itemNo) + ", which is not in the item table");
}

// Items a party can come by without fusing: the shop's stock, chests (any
// item with a level), the maze's gifts, the traders' wares, what monsters
// carry to be stolen, and the inn's birthday presents.
std::set<int> obtainableWithoutFusion(const Sources& sources)
{
    const Content& content = sources.content;
    std::set<int> got{ItemNo::ComingOfAgeGift, ItemNo::SixtiethGift};
    for (int n = 1; n <= kItemCount; ++n)
        if (sources.openingStock[n] > 0 || (exists(content, n) && content.items[n].itemLevel > 0))
            got.insert(n);
    for (const EventOp& op : sources.events.ops)
        if (op.code == OpCode::Give)
            got.insert(op.a);
    for (const NpcShopDef& shop : content.npcShops)
        for (int16_t ware : shop.wares)
            got.insert(ware);
    for (const MonsterDef& m : content.monsters)
        if (m.present > 0)
            for (int16_t item : m.stealItems)
                got.insert(item);
    got.erase(0);
    return got;
}

} // namespace

void ReadRecipes(const std::filesystem::path& path, Sources& sources)
{
    const std::string file = path.string();
    Content& content = sources.content;
    toml::table root = ParseSource(path);
    std::set<int> rows;
    std::vector<std::pair<int, std::string>> places; // row, where it was written
    for (const toml::table* table : TablesOf(file, root, "recipe")) {
        FieldReader f(file, *table, "recipe");
        const int row = f.integer("row", 1, kRecipeCount);
        if (!rows.insert(row).second)
            f.fail("row", "is given twice: row " + std::to_string(row));
        RecipeDef r;
        ReadFields(f, r);
        f.finish();
        checkExists(f, content, "result", r.result);
        if (r.alternative != 0)
            checkExists(f, content, "alternative", r.alternative);
        bool any = false;
        for (int16_t item : r.ingredients)
            if (item != 0) {
                checkExists(f, content, "ingredients", item);
                any = true;
            }
        if (!any)
            f.fail("ingredients", "names no item: a fusion needs at least one");
        content.recipes[row] = r;
        places.emplace_back(row, lineOf(file, *table));
    }

    // A recipe's result counts as obtainable once all of its ingredients are.
    std::set<int> got = obtainableWithoutFusion(sources);
    auto makeable = [&](const RecipeDef& r) {
        for (int16_t item : r.ingredients)
            if (item != 0 && !got.count(item))
                return false;
        return true;
    };
    for (bool grew = true; grew;) {
        grew = false;
        for (int row : rows)
            if (makeable(content.recipes[row]) && got.insert(content.recipes[row].result).second)
                grew = true;
    }
    for (const auto& [row, place] : places)
        for (int16_t item : content.recipes[row].ingredients)
            if (item != 0 && !got.count(item))
                throw SourceError(place + ": recipe row " + std::to_string(row) + " needs item " +
                                  std::to_string(item) +
                                  ", which no shop, chest, event, trader, theft or other "
                                  "recipe gives");
}

} // namespace qvr::content
