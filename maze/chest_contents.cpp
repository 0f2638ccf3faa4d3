#include <string>
#include <vector>

#include "core/dice.h"
#include "core/game.h"
#include "core/prompts.h"
#include "core/saturating.h"
#include "maze/chest_rules.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

constexpr std::size_t kMaxCandidates = 500;

} // namespace

void GiveChestContents(Game& game, int chestLevel)
{
    std::vector<int16_t> candidates;
    for (int n = 1; n <= kItemCount && candidates.size() < kMaxCandidates; ++n) {
        const ItemDef& item = game.item(n);
        if (item.itemLevel > 0 && item.itemLevel <= chestLevel)
            candidates.push_back(static_cast<int16_t>(n));
    }
    const int draws = Dice(game.rng, 1, 3, 0);
    if (candidates.empty())
        return;
    const GameState& st = game.state;
    for (int draw = 0; draw < draws; ++draw) {
        const int16_t itemNo = candidates[static_cast<std::size_t>(
            Dice(game.rng, 1, static_cast<int32_t>(candidates.size()), 0) - 1)];
        int taker = 0, slot = 0;
        for (int i = 1; i <= st.partyCount && slot == 0; ++i) {
            taker = st.partyMember[i];
            slot = FirstEmptySlot(game.character(taker));
        }
        if (slot == 0) {
            ShowMessage(game, "", kPackFullText);
            return;
        }
        Character& c = game.character(taker);
        c.items[slot] = itemNo;
        c.itemFlags[slot] =
            static_cast<int16_t>(ItemFlag::Unidentified | CanEquip(game, taker, itemNo));
        int32_t& tally = game.save().itemTally[itemNo];
        tally = SaturatingAdd(tally, 1);
        ShowMessage(game, "", c.name + "は\n" + game.item(itemNo).unknownName + "を手に入れた");
    }
}

} // namespace qvr
