#include "maze/maze_events.h"

#include "core/event_file.h"
#include "core/event_ops.h"
#include "core/game.h"
#include "core/item_numbers.h"
#include "core/messages.h"
#include "core/prompts.h"
#include "maze/party_items.h"

namespace qvr {

namespace {

bool isNight(const Game& game)
{
    int hour = static_cast<int>(game.clock->secondsSinceMidnight() / 3600);
    return hour > 18 || hour < 4;
}

bool condHolds(const Game& game, const EventCond& c)
{
    const auto& flags = game.save().eventFlags;
    switch (c.code) {
    case CondCode::FlagSet:
        return flags[c.a] != 0;
    case CondCode::FlagClear:
        return flags[c.a] == 0;
    case CondCode::FlagBelow:
        return flags[c.a] < c.b;
    case CondCode::PartyHas:
        return !NobodyHolds(game, c.a, false);
    case CondCode::PartyLacks:
        return NobodyHolds(game, c.a, false);
    case CondCode::RosterLacks:
        return NobodyHolds(game, c.a, true);
    case CondCode::Night:
        return isNight(game);
    case CondCode::Day:
        return !isNight(game);
    }
    return false;
}

// The first trigger of the set that matches the party's floor, cell and
// facing (and the item, for U). When its conditions fail the search ends
// there, unless the trigger passes on to the next one.
const EventTrigger* findTrigger(const Game& game, const EventTable& table, TriggerSet set,
                                int itemNo = 0)
{
    const GameState& st = game.state;
    for (const EventTrigger& t : table.triggers) {
        if (t.set != set || t.floor != st.floor || t.x != st.posX || t.y != st.posY)
            continue;
        if (t.facings != 0 && !(t.facings & (1 << (st.facing & 3))))
            continue;
        if (set == TriggerSet::Use && t.item != itemNo)
            continue;
        bool holds = true;
        for (int i = 0; i < t.condCount && holds; ++i)
            holds = condHolds(game, table.conds[t.firstCond + i]);
        if (holds)
            return &t;
        if (!t.passOn)
            return nullptr;
    }
    return nullptr;
}

bool inDungeon(const Game& game)
{
    return game.state.floor >= 1 && game.state.floor < kFloorCount;
}

bool haunted(int floor)
{
    return floor == 2 || floor == 5 || (floor >= 9 && floor <= 11) || floor >= 13;
}

// The keys lying on this cell that nobody has taken yet; true when there was
// one, whether or not a pack had room for it.
bool pickUpKeyItems(Game& game)
{
    const GameState& st = game.state;
    bool found = false;
    for (int row = 1; row <= 7; ++row) {
        const KeyItemPlace& p = st.keyItemPlaces[row];
        const int item = ItemNo::FirstKey - 1 + row;
        if (p.floor != st.floor || p.x != st.posX || p.y != st.posY ||
            !NobodyHolds(game, item, true))
            continue;
        found = true;
        ShowMessage(game, "", "何かが落ちている・・・");
        PackSlot slot = FirstFreeSlot(game);
        if (!slot) {
            ShowMessage(game, "", "持ち物がいっぱいだ");
            continue;
        }
        ShowMessage(game, "", "アイテムを手に入れた");
        Character& c = game.character(slot.rosterNo);
        c.items[slot.slot] = static_cast<int16_t>(item);
        c.itemFlags[slot.slot] = ItemFlag::Unidentified;
    }
    return found;
}

} // namespace

const EventTable& EventsOf(const Game& game)
{
    static const EventTable kNone{};
    if (game.events)
        return *game.events;
    return game.eventData ? game.eventData->table : kNone;
}

int RunCellEvent(Game& game)
{
    if (!inDungeon(game))
        return 0;
    const EventTable& table = EventsOf(game);
    if (const EventTrigger* t = findTrigger(game, table, TriggerSet::Enter))
        return RunTrigger(game, table, *t);
    if (haunted(game.state.floor) && !game.state.apparitionDone)
        return Apparition(game);
    return 0;
}

int SearchHere(Game& game)
{
    bool found = inDungeon(game) && pickUpKeyItems(game);
    const EventTable& table = EventsOf(game);
    if (inDungeon(game))
        if (const EventTrigger* t = findTrigger(game, table, TriggerSet::Search))
            return RunTrigger(game, table, *t);
    if (!found)
        ShowMessage(game, "", "なにも見つからなかった");
    return 0;
}

int UseItemHere(Game& game, int itemNo, int rosterNo, int slot)
{
    const EventTable& table = EventsOf(game);
    if (inDungeon(game))
        if (const EventTrigger* t = findTrigger(game, table, TriggerSet::Use, itemNo))
            return RunTrigger(game, table, *t, {{itemNo, rosterNo, slot}});
    ShowMessage(game, "", "何もおこらない");
    return 0;
}

int AfterBattleEvent(Game& game, bool afterChest)
{
    if (!inDungeon(game))
        return 0;
    const EventTable& table = EventsOf(game);
    if (const EventTrigger* t = findTrigger(game, table, TriggerSet::After))
        return RunTrigger(game, table, *t, {{}, afterChest});
    return 0;
}

void ShowTexts(Game& game, int first, int last)
{
    for (int n = first; n <= last; ++n)
        ShowMessage(game, "", std::string(MessageText(game, n)));
}

} // namespace qvr
