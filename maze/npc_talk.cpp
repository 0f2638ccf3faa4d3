#include <string>

#include "core/game.h"
#include "core/messages.h"
#include "core/music.h"
#include "core/prompts.h"
#include "core/shared_screens.h"
#include "core/textformat.h"
#include "maze/npc.h"
#include "maze/npc_table.h"
#include "maze/party_items.h"
#include "rules/character_rules.h"

namespace qvr {

namespace {

constexpr int kPartGroups = 4;
constexpr int kPartChoices = 4;
constexpr int kVariantFlag = 37;
constexpr int16_t kScriptedOrigin = 13;

void showRun(Game& game, TextRun run)
{
    for (int n = run.first; n > 0 && n <= run.last; ++n)
        ShowMessage(game, "", std::string(MessageText(game, n)));
}

void showText(Game& game, int n)
{
    if (n > 0)
        ShowMessage(game, "", std::string(MessageText(game, n)));
}

bool gateOpen(const Game& game, const NpcReply& r)
{
    return r.gate == 0 || game.save().eventFlags[r.gate] == 1;
}

// An item for the first free slot, its flags cleared; false when every pack
// is full (the player is told, nothing changes).
bool handOver(Game& game, int item)
{
    const PackSlot slot = FirstFreeSlot(game);
    if (!slot) {
        ShowMessage(game, "", "アイテムがいっぱいですよ");
        return false;
    }
    Character& c = game.character(slot.rosterNo);
    c.items[slot.slot] = static_cast<int16_t>(item);
    c.itemFlags[slot.slot] = 0;
    return true;
}

void offer(Game& game, const NpcReply& r)
{
    if (!NobodyHolds(game, r.item, false) || !FirstFreeSlot(game))
        return;
    if (AskYesNo(game, "", std::string(MessageText(game, r.ask))))
        handOver(game, r.item);
}

void removeEveryCraftedWeapon(Game& game)
{
    for (int r = 1; r <= kRosterSize; ++r) {
        Character& c = game.character(r);
        if (c.rosterNo == 0)
            continue;
        bool removed = false;
        for (int s = 1; s <= 12; ++s) {
            if (c.items[s] == kCraftedWeapon) {
                c.items[s] = 0;
                c.itemFlags[s] = 0;
                removed = true;
            }
        }
        if (removed)
            CompactItems(game, r);
    }
}

void craft(Game& game, const NpcReply& r)
{
    int code = 0;
    int parts[kPartGroups + 1] = {};
    for (int group = 1, weight = 1; group <= kPartGroups; ++group, weight *= kPartChoices) {
        std::vector<std::string> names;
        std::vector<int> values;
        for (int i = 0; i < kPartChoices; ++i) {
            names.push_back(game.item(71 + 4 * i + group).name);
            values.push_back(i + 1);
        }
        const int chosen = PickFromList(
            game, names, values, "パーツを選んでください（" + fullWidthDigits(group) + "／４）");
        if (chosen <= 0)
            return;
        const int item = 71 + 4 * (chosen - 1) + group;
        if (NobodyHolds(game, item, false)) {
            ShowMessage(game, "", game.item(item).name + "を持ってませんよぉ");
            return;
        }
        parts[group] = item;
        code += (chosen - 1) * weight;
    }
    // The weapon must land somewhere: a party with no room keeps its parts.
    if (!FirstFreeSlot(game)) {
        ShowMessage(game, "", "アイテムがいっぱいですよ");
        return;
    }
    for (int group = 1; group <= kPartGroups; ++group)
        TakeItem(game, parts[group]);
    removeEveryCraftedWeapon(game);
    if (const int variant = CraftVariantFor(code); variant != 0)
        game.save().eventFlags[kVariantFlag] = variant;
    BuildCraftedWeaponFrom(game, game.save().eventFlags[kVariantFlag]);
    const PackSlot slot = FirstFreeSlot(game);
    Character& c = game.character(slot.rosterNo);
    c.items[slot.slot] = kCraftedWeapon;
    c.itemFlags[slot.slot] = CanEquip(game, slot.rosterNo, kCraftedWeapon);
    ++game.save().itemTally[kCraftedWeapon];
    showRun(game, r.done);
}

void riddle(Game& game, const NpcReply& r)
{
    for (const RiddleStep& step : NpcsOf(game).riddle) {
        if (step.npc != r.npc)
            continue;
        const std::string typed = InputText(game, "", std::string(MessageText(game, step.question)));
        if (!AnswerAccepted(typed, step.answers)) {
            showText(game, r.fail);
            return;
        }
    }
    showRun(game, r.done);
    if (r.gate != 0)
        game.save().eventFlags[r.gate] = 1;
}

void paidGoods(Game& game, const NpcReply& r)
{
    if (!AskYesNo(game, "", std::string(MessageText(game, r.ask))))
        return;
    const GameState& st = game.state;
    int payer = 0;
    for (int i = 1; i <= st.partyCount && payer == 0; ++i)
        if (game.character(st.partyMember[i]).gold >= r.price)
            payer = st.partyMember[i];
    if (payer == 0) {
        showText(game, r.fail);
        return;
    }
    if (!handOver(game, r.item))
        return;
    game.character(payer).gold -= r.price;
    showRun(game, r.done);
}

} // namespace

const NpcTable& NpcsOf(const Game& game)
{
    return game.npcs ? *game.npcs : CompiledNpcs();
}

bool AnswerAccepted(std::string_view typed, std::string_view accepted)
{
    // Until the game has one upper-casing helper for every typed word, ASCII
    // letters are raised here before the full-width conversion.
    std::string upper(typed);
    for (char& ch : upper)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    const std::string wide = toFullWidth(upper);
    std::size_t from = 0;
    while (from <= accepted.size()) {
        std::size_t bar = accepted.find('|', from);
        if (bar == std::string_view::npos)
            bar = accepted.size();
        if (accepted.substr(from, bar - from) == wide)
            return true;
        from = bar + 1;
    }
    return false;
}

int AnswerWord(Game& game, int npc, std::string_view word)
{
    for (const NpcReply& r : NpcsOf(game).replies) {
        if (r.npc != npc || r.keyword != word)
            continue;
        const bool gated = r.action == TalkAction::PaidGoods || r.action == TalkAction::Fight;
        if (gated && !gateOpen(game, r)) {
            showRun(game, r.locked.first != 0 ? r.locked : r.lines);
            return 0;
        }
        showRun(game, r.lines);
        switch (r.action) {
        case TalkAction::None:
            break;
        case TalkAction::Offer:
            offer(game, r);
            break;
        case TalkAction::Craft:
            craft(game, r);
            break;
        case TalkAction::Riddle:
            riddle(game, r);
            break;
        case TalkAction::PaidGoods:
            paidGoods(game, r);
            break;
        case TalkAction::Fight:
            if (!AskYesNo(game, "", std::string(MessageText(game, r.ask))))
                return 0;
            if (r.music != 0)
                PlayMusic(game, r.music);
            return r.encounter;
        case TalkAction::SetFlag:
            game.save().eventFlags[r.gate] = 1;
            break;
        }
        return 0;
    }
    return 0; // a word nobody answers gets no reply
}

void TalkToNpc(Game& game)
{
    const std::string word = InputText(game, "", "何を話す？");
    const int encounter = AnswerWord(game, game.state.currentNpc, word);
    if (encounter <= 0)
        return;
    CloseNpcPanels(game);
    game.state.encounterOrigin = kScriptedOrigin;
    StartBattle(game, encounter);
}

} // namespace qvr
