#include "rules/party_pack.h"

#include "core/game.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

int copiesIn(const Character& c, int itemNo)
{
    int n = 0;
    for (int s = 1; s <= 12; ++s)
        n += c.items[s] == itemNo;
    return n;
}

} // namespace

PackSlot FirstFreeSlot(const Game& game)
{
    const GameState& st = game.state;
    for (int i = 1; i <= st.partyCount; ++i) {
        int rosterNo = st.partyMember[i];
        if (int slot = FirstEmptySlot(game.character(rosterNo)))
            return {rosterNo, slot};
    }
    return {};
}

bool NobodyHolds(const Game& game, int itemNo, bool wholeRoster)
{
    if (wholeRoster) {
        for (int r = 1; r <= kRosterSize; ++r)
            if (game.character(r).rosterNo != 0 && copiesIn(game.character(r), itemNo) > 0)
                return false;
        return true;
    }
    return PartyCarriesCount(game, itemNo) == 0;
}

int PartyCarriesCount(const Game& game, int itemNo)
{
    int n = 0;
    for (int i = 1; i <= game.state.partyCount; ++i)
        n += copiesIn(game.character(game.state.partyMember[i]), itemNo);
    return n;
}

int TakeItem(Game& game, int itemNo)
{
    for (int i = 1; i <= game.state.partyCount; ++i) {
        int rosterNo = game.state.partyMember[i];
        Character& c = game.character(rosterNo);
        for (int s = 1; s <= 12; ++s) {
            if (c.items[s] == itemNo) {
                c.items[s] = 0;
                c.itemFlags[s] = 0;
                // Packs are kept without gaps: the lists number items from 1.
                CompactItems(game, rosterNo);
                return rosterNo;
            }
        }
    }
    return 0;
}

} // namespace qvr
