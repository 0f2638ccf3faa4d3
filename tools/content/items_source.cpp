// The item catalogue: each item as its field list reads it, with the shop's
// opening stock beside it, and the checks that one item can fail on its own.
// Checks against other items and tables are CheckItems's.

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

#include "core/item_numbers.h"
#include "rules/item_powers.h"
#include "tools/content/compile.h"
#include "tools/content/record_source.h"

namespace qvr::content {

namespace {

bool worn(const ItemDef& i)
{
    return i.kind >= ItemKind::Weapon && i.kind <= ItemKind::LastWorn;
}

template <typename Table> bool anySet(const Table& table)
{
    return std::any_of(table.begin(), table.end(), [](auto v) { return v != 0; });
}

// Fields that only a weapon's strike reads.
void checkWeaponFields(FieldReader& f, const ItemDef& i)
{
    if (i.kind == ItemKind::Weapon) {
        if (i.reach < 1)
            f.fail("reach", "must be 1 (short), 2 (medium) or 3 (long) for a weapon");
        if (i.damageDice[0] < 1 || i.damageDice[1] < 1)
            f.fail("damage_dice", "must roll at least one die of at least one side for a weapon");
        if (i.attacks < 1)
            f.fail("attacks", "must be at least 1 for a weapon");
        if (i.secondHand && i.twoHanded)
            f.fail("second_hand", "cannot be set on a weapon that needs both hands");
        return;
    }
    const char* what = "does nothing but on a weapon";
    if (i.reach != 0)
        f.fail("reach", what);
    if (i.damageDice != Dice3{})
        f.fail("damage_dice", what);
    if (i.attacks != 0)
        f.fail("attacks", what);
    if (i.hitBonus != 0)
        f.fail("hit_bonus", what);
    if (i.secondHand != 0)
        f.fail("second_hand", what);
    if (i.twoHanded != 0)
        f.fail("two_handed", what);
    if (i.slayMask != 0)
        f.fail("slay_mask", what);
    if (anySet(i.chance))
        f.fail("chance", what);
}

// Fields that count only while the item is worn (kinds 1..7).
void checkWornFields(FieldReader& f, const ItemDef& i)
{
    if (worn(i))
        return;
    const char* what = "counts only while worn, and this kind is never worn";
    if (i.acBonus != 0)
        f.fail("ac_bonus", what);
    if (i.regen != 0)
        f.fail("regen", what);
    if (anySet(i.res))
        f.fail("res", what);
    if (i.wardBits != 0)
        f.fail("ward_bits", what);
    if (i.cursed != 0)
        f.fail("cursed", "only binds a worn item, and this kind is never worn");
}

// The spell an item casts and the power it releases, and what is left of it.
void checkUse(FieldReader& f, const ItemDef& i)
{
    if (i.castSpell > 0 && i.wearOut < 1)
        f.fail("wear_out", "must be 1..100 for an item that casts a spell");
    if (i.castSpell == 0 && i.wearOut != 0)
        f.fail("wear_out", "only counts when the item casts a spell");
    if (i.specialPower != 0 && !IsKnownPower(i.specialPower))
        f.fail("special_power", std::to_string(i.specialPower) + " is no power the game knows");
    if (i.breakChance != 0 && i.specialPower == 0)
        f.fail("break_chance", "only counts when the item has a power to release");
    if (i.wearsInto != 0 && i.castSpell == 0 && i.specialPower == 0)
        f.fail("wears_into", "is never reached: the item casts no spell and has no power");
    if (i.wearsInto == i.itemNo)
        f.fail("wears_into", "is the item itself: give it a wear-out chance of 0 instead");
    if (i.kind == ItemKind::Instrument && (i.castSpell == 0 || !(i.classMask & Class::Bard)))
        f.fail("cast_spell", "an instrument plays a spell for a bard: it needs a spell and a "
                             "class mask with Bar");
    if (i.kind == ItemKind::Talisman && (i.castSpell == 0 || !(i.classMask & Class::Onmyoji)))
        f.fail("cast_spell", "a talisman works a spell for an onmyoji: it needs a spell and a "
                             "class mask with Yin");
}

// The opening stock: -1 the shop never stocks it, 0 it has none until
// somebody sells one, n it starts with n.
int32_t readStock(FieldReader& f, const ItemDef& i)
{
    const bool event = i.kind == ItemKind::Event;
    const auto stock =
        static_cast<int32_t>(f.integer("stock", -1, 99, Need::Optional).value_or(event ? -1 : 0));
    if (event && stock != -1)
        f.fail("stock", "must be -1: the shop never takes an event item");
    if (stock > 0 && i.price <= 0)
        f.fail("stock", "offers an item that has no price");
    return stock;
}

} // namespace

namespace {

void readItemFile(const std::filesystem::path& path, Sources& sources)
{
    const std::string file = path.string();
    toml::table root = ParseSource(path);
    Content& content = sources.content;
    for (const toml::table* table : TablesOf(file, root, "item")) {
        FieldReader f(file, *table, "item");
        ItemDef i;
        i.sexMask = 3;
        i.alignMask = 7;
        i.raceMask = 1023;
        ReadFields(f, i);
        if (i.itemNo < 1)
            f.fail("no", "must be 1.." + std::to_string(kItemCount));
        if (content.items[i.itemNo].itemNo != 0)
            f.fail("no", "is given twice: item " + std::to_string(i.itemNo) + " is already at " +
                             sources.itemPlaces[i.itemNo]);
        if (i.kind < ItemKind::Weapon || i.kind > ItemKind::Last)
            f.fail("kind", "must be one of the item kinds 1.." + std::to_string(ItemKind::Last));
        if (i.name.empty())
            f.fail("name", "is empty");
        if (i.unknownName.empty())
            f.fail("unknown_name", "is empty: lists show it until the item is identified");
        if (i.kind == ItemKind::Event && i.itemLevel != 0)
            f.fail("level", "must be 0: event items come from the story, not from chests");
        if (i.itemLevel > 0 && i.unknownName == i.name)
            f.fail("unknown_name", "gives the true name away, and chests hand the item out "
                                   "unidentified");
        if (i.itemLevel > 0 && i.price <= 0)
            f.fail("price", "must be above 0 for an item chests hold");
        const std::pair<const char*, int16_t> masks[] = {{"sex_mask", i.sexMask},
                                                         {"align_mask", i.alignMask},
                                                         {"race_mask", i.raceMask},
                                                         {"class_mask", i.classMask}};
        for (auto [key, mask] : masks)
            if (mask == 0)
                f.fail(key, "admits nobody");
        checkWeaponFields(f, i);
        checkWornFields(f, i);
        checkUse(f, i);
        sources.openingStock[i.itemNo] = readStock(f, i);
        f.finish();
        sources.itemPlaces[i.itemNo] = lineOf(file, *table);
        content.items[i.itemNo] = i;
    }
}

} // namespace

void ReadItems(const std::filesystem::path& folder, Sources& sources)
{
    // One file of five hundred items is more than a reviewer reads; the
    // folder keeps one file per kind. Read in name order, so that the same
    // sources always build the same table and name the same first place.
    const std::filesystem::path single = folder.parent_path() / "items.toml";
    if (std::filesystem::exists(single))
        throw SourceError(single.string() + ": the item catalogue lives in " + folder.string() +
                          "/ now, one file per kind: move its items there");
    if (!std::filesystem::is_directory(folder))
        throw SourceError(folder.string() + ": the item catalogue's folder is missing");
    std::vector<std::filesystem::path> files;
    for (const auto& entry : std::filesystem::directory_iterator(folder))
        if (entry.is_regular_file() && entry.path().extension() == ".toml")
            files.push_back(entry.path());
    if (files.empty())
        throw SourceError(folder.string() + ": holds no .toml file of items");
    std::sort(files.begin(), files.end());
    for (const std::filesystem::path& file : files)
        readItemFile(file, sources);
}

} // namespace qvr::content
