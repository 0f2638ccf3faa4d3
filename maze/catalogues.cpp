#include "maze/catalogues.h"

#include <vector>

#include "core/dice.h"
#include "core/game.h"
#include "core/item_numbers.h"
#include "core/prompts.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

template <typename Tally> std::vector<int> entered(const Tally& tally, int last)
{
    std::vector<int> numbers;
    for (int n = 1; n <= last; ++n)
        if (tally[n] > 0)
            numbers.push_back(n);
    return numbers;
}

} // namespace

std::vector<std::string> CardLines(const Card& card)
{
    if (const ItemCard* item = std::get_if<ItemCard>(&card))
        return ItemCardLines(*item);
    return MonsterCardLines(std::get<MonsterCard>(card));
}

bool IsCatalogue(int itemNo)
{
    return itemNo == ItemNo::Encyclopedia || itemNo == ItemNo::MonsterDictionary;
}

std::optional<Card> ReadCatalogue(Game& game, int rosterNo, int slot)
{
    Character& c = game.character(rosterNo);
    const int book = c.items[slot];
    if (!IsCatalogue(book))
        return std::nullopt;
    c.items[slot] = 0;
    c.itemFlags[slot] = 0;
    CompactItems(game, rosterNo);

    const bool items = book == ItemNo::Encyclopedia;
    const std::vector<int> entries = items ? entered(game.save().itemTally, kItemCount)
                                           : entered(game.save().monsterTally, kMonsterCount);
    if (entries.empty()) {
        ShowMessage(game, "", items ? kEmptyEncyclopediaText : kEmptyDictionaryText);
        return std::nullopt;
    }
    const int pick = Dice(game.rng, 1, static_cast<int32_t>(entries.size()), 0);
    const int n = entries[static_cast<std::size_t>(pick - 1)];
    if (items)
        return Card{MakeItemCard(game.item(n))};
    return Card{MakeMonsterCard(game.content().monsters[n])};
}

} // namespace qvr
