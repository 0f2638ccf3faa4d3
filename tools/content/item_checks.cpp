// Checks of the item table as a whole: what items refer to, the numbers the
// rules pin, the chests' candidate limit, names that must be told apart and
// the words the artificial humans read in a weapon's unidentified name.

#include <map>
#include <string>

#include "core/item_numbers.h"
#include "tools/content/compile.h"

namespace qvr::content {

namespace {

// A chest gathers every item of its level or below and draws among them; it
// has room for this many candidates.
constexpr int kChestCandidates = 500;

class ItemFaults {
public:
    ItemFaults(const std::filesystem::path& file, const SourcePlaces& places)
        : file_(file.string()), places_(places)
    {
    }

    [[noreturn]] void fail(int itemNo, const std::string& what) const
    {
        auto at = places_.find(itemNo);
        std::string where = at != places_.end() ? at->second : file_;
        throw SourceError(where + ": item " + std::to_string(itemNo) + ": " + what);
    }
    [[noreturn]] void fail(const std::string& what) const
    {
        throw SourceError(file_ + ": " + what);
    }

private:
    std::string file_;
    const SourcePlaces& places_;
};

bool present(const Content& c, int itemNo)
{
    return Bounded<ItemDef, 0, kItemCount>::contains(itemNo) && itemNo > 0 &&
           c.items[itemNo].itemNo != 0;
}

void checkReferences(const Content& c, const ItemDef& i, const ItemFaults& faults)
{
    if (i.wearsInto != 0 && !present(c, i.wearsInto))
        faults.fail(i.itemNo, "wears into item " + std::to_string(i.wearsInto) +
                                  ", which the table does not have");
    if (i.castSpell == 0)
        return;
    const SpellDef& s = c.spells[i.castSpell];
    if (s.spellNo == 0)
        faults.fail(i.itemNo, "casts spell " + std::to_string(i.castSpell) +
                                  ", which the spell list does not have");
    if ((s.flags & (SpellFlag::Battle | SpellFlag::Camp)) == 0)
        faults.fail(i.itemNo, "casts " + s.name + ", which works neither in battle nor in camp");
}

// The class word an artificial human would read, and the weapon's own name,
// must tell the same story.
void checkWeaponWords(const ItemDef& i, const ItemFaults& faults)
{
    const WeaponClassWord* read = nullptr;
    for (const WeaponClassWord& w : kWeaponClassWords) {
        const bool inUnknown = i.unknownName.find(w.word) != std::string::npos;
        if (inUnknown && read)
            faults.fail(i.itemNo, "unidentified name \"" + i.unknownName + "\" holds both " +
                                      read->word + " and " + w.word +
                                      ": only the first would count");
        if (inUnknown)
            read = &w;
        if (i.name.find(w.word) != std::string::npos && !inUnknown)
            faults.fail(i.itemNo, std::string("is a ") + w.word +
                                      " by name: its unidentified name must say " + w.word +
                                      " too");
    }
    if (read && !(i.classMask & read->classCode))
        faults.fail(i.itemNo, std::string("unidentified name says ") + read->word +
                                  ", but the class it stands for may not wield it");
}

void checkPinned(const Content& c, const ItemFaults& faults)
{
    for (const PinnedItem& p : kPinnedItems) {
        for (int n = p.first; n <= p.last; ++n) {
            if (!present(c, n))
                faults.fail("item " + std::to_string(n) + " is missing: the rules need it as " +
                            p.what);
            const ItemDef& i = c.items[n];
            if (p.kind != 0 && i.kind != p.kind)
                faults.fail(n, "must be of kind " + std::to_string(p.kind) + ": it is " + p.what);
            if (p.noChest && i.itemLevel != 0)
                faults.fail(n, std::string("must have level 0: it is ") + p.what +
                                   ", which no chest holds");
        }
    }
}

} // namespace

void CheckItems(const Content& c, const std::filesystem::path& file, const SourcePlaces& places)
{
    ItemFaults faults(file, places);
    std::map<std::string, int> names;
    int levelled = 0;
    for (int n = 1; n <= kItemCount; ++n) {
        const ItemDef& i = c.items[n];
        if (i.itemNo == 0)
            continue;
        checkReferences(c, i, faults);
        if (i.kind == ItemKind::Weapon)
            checkWeaponWords(i, faults);
        auto [at, fresh] = names.emplace(i.name, n);
        if (!fresh)
            faults.fail(n, "has the name \"" + i.name + "\" of item " + std::to_string(at->second) +
                               ": lists and cards could not tell them apart");
        if (i.itemLevel > 0 && ++levelled > kChestCandidates)
            faults.fail(n, "is item number " + std::to_string(levelled) +
                               " with a level: chests look at " + std::to_string(kChestCandidates) +
                               " candidates at most");
    }
    checkPinned(c, faults);
}

} // namespace qvr::content
