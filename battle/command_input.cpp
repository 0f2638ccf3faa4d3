#include "battle/command_input.h"

#include <algorithm>

#include "battle/battle_rules.h"
#include "battle/melee.h"
#include "core/codes.h"
#include "core/game.h"
#include "core/textformat.h"
#include "rules/equipment.h"
#include "rules/spell_lookup.h"

namespace qvr {

namespace {

constexpr int kFrontRow = 3;
constexpr int kThiefStealLevel = 12;
constexpr int kStealItemA = 240; // carried with equip code 4
constexpr int kStealItemB = 69;  // carried with equip code 7
constexpr int kBardItemKind = 9;
constexpr int kOnmyojiItemKind = 12;

struct CommandInfo {
    Command command;
    const char* text;
    char key;
};

constexpr CommandInfo kCommands[] = {
    {Command::Ambush, "A)奇　襲", 'A'},
    {Command::Steal, "K)盗　む", 'K'},
    {Command::Fight, "F)戦　う", 'F'},
    {Command::Defend, "P)身　を　守　る", 'P'},
    {Command::Hide, "H)隠　れ　る", 'H'},
    {Command::Breath, "I)ブ　レ　ス", 'I'},
    {Command::Spell, "S)呪　文　を　唱　え　る", 'S'},
    {Command::Dispel, "D)呪　い　を　解　く", 'D'},
    {Command::Item, "U)ア　イ　テ　ム　を　使　う", 'U'},
    {Command::Flee, "R)逃　げ　る", 'R'},
    {Command::Status, "T)ス　テ　ー　タ　ス", 'T'},
    {Command::Reorder, "E)再　編　成", 'E'},
    {Command::Auto, "O)ノ　ー　マ　ル　オ　ー　ト", 'O'},
    {Command::Back, "B)戻　る", 'B'},
    {Command::Start, "G)戦　闘　開　始", 'G'},
    {Command::Redo, "C)や　り　直　す", 'C'},
};

int EquipCode(const Character& c, int slot)
{
    return c.itemFlags[slot] & ItemFlag::SlotMask;
}

bool CarriesStealingTool(const Character& c)
{
    for (int s = 1; s <= 12; ++s) {
        if (c.items[s] == kStealItemA && EquipCode(c, s) == 4)
            return true;
        if (c.items[s] == kStealItemB && EquipCode(c, s) == 7)
            return true;
    }
    return false;
}

bool KnowsFirstLevelSpell(const Character& c)
{
    for (int school = 0; school <= 1; ++school)
        for (int slot = 1; slot <= 3; ++slot)
            if (c.spellKnown(school, 1, slot) != 0)
                return true;
    return false;
}

// The back row strikes only with a weapon that reaches past the front.
bool OfferFight(Game& game, int pos, const Character& c)
{
    if (c.conditions & (Cond::Hidden | Cond::Fly))
        return false;
    return pos <= kFrontRow || WeaponReach(game, pos) > 1;
}

void Add(std::vector<CommandRow>& rows, Command command)
{
    rows.push_back(CommandRowOf(command));
}

} // namespace

CommandRow CommandRowOf(Command command)
{
    for (const CommandInfo& info : kCommands)
        if (info.command == command)
            return {info.text, info.key, command};
    return {};
}

bool AllOrdersIn(const Game& game, const BattleState& state)
{
    return state.promptSlot > PartySize(game);
}

int WeaponReach(Game& game, int pos)
{
    const Character& c = MemberAt(game, pos);
    const int slot = WornSlot(c, kMainHand);
    return slot ? game.item(c.items[slot]).reach : 0;
}

bool ReachesLine(Game& game, int pos, int line)
{
    if (line <= 1)
        return true;
    const int reach = WeaponReach(game, pos);
    return pos > kFrontRow ? reach > 2 : reach >= 2;
}

std::vector<CommandRow> MemberCommands(Game& game, int pos)
{
    const Character& c = MemberAt(game, pos);
    const bool hidden = (c.conditions & Cond::Hidden) != 0;
    std::vector<CommandRow> rows;
    if (hidden) {
        Add(rows, Command::Ambush);
        const bool thief = c.classCode == Class::Thief;
        if ((thief && c.level >= kThiefStealLevel) || (!thief && CarriesStealingTool(c)))
            Add(rows, Command::Steal);
    }
    if (OfferFight(game, pos, c))
        Add(rows, Command::Fight);
    Add(rows, Command::Defend);
    if (c.classCode & (Class::Thief | Class::Bard | Class::Ninja))
        Add(rows, Command::Hide);
    if (c.race == Race::Dragon)
        Add(rows, Command::Breath);
    if (KnowsFirstLevelSpell(c))
        Add(rows, Command::Spell);
    if (c.classCode == Class::Cleric ||
        ((c.classCode & (Class::Valkyrie | Class::Lord)) && c.level > 9))
        Add(rows, Command::Dispel);
    Add(rows, Command::Item);
    Add(rows, Command::Flee);
    Add(rows, Command::Status);
    if (pos == 1) {
        Add(rows, Command::Reorder);
        Add(rows, Command::Auto);
    } else {
        Add(rows, Command::Back);
    }
    return rows;
}

std::vector<CommandRow> PromptMember(Game& game, BattleState& state, int direction)
{
    const int size = PartySize(game);
    int& slot = state.promptSlot;
    auto cannotAct = [&](int p) { return (MemberAt(game, p).conditions & Cond::CannotAct) != 0; };
    if (slot <= size) {
        if (direction == 1)
            while (slot <= size && cannotAct(slot))
                ++slot;
        else
            while (slot > 1 && cannotAct(slot))
                --slot;
        // Going back from the first member who can act finds nobody able
        // before it: that member is asked again rather than the round being
        // offered with no orders given.
        if (direction == 2 && cannotAct(slot))
            while (slot <= size && cannotAct(slot))
                ++slot;
    }
    if (slot > size || slot < 1 || cannotAct(slot))
        return {CommandRowOf(Command::Start), CommandRowOf(Command::Back),
                CommandRowOf(Command::Redo)};
    state.orders[slot].rosterNo = RosterAt(game, slot);
    return MemberCommands(game, slot);
}

void GiveOrder(BattleState& state, int32_t code)
{
    MemberOrder& o = state.orders[state.promptSlot];
    o.code = code;
    o.target = 0;
    o.spell = 0;
    o.item = 0;
}

void ChooseTarget(BattleState& state, int32_t target)
{
    state.orders[state.promptSlot].target = target;
    NextMember(state);
}

void NextMember(BattleState& state)
{
    ++state.promptSlot;
}

std::string TypeSpell(Game& game, BattleState& state, std::string_view text)
{
    GiveOrder(state, Order::Spell);
    state.orders[state.promptSlot].spell = SpellNumberByName(game.content(), text);
    return SpellNameAsTyped(text);
}

SpellTarget TargetOfSpell(Game& game, int spellNo)
{
    if (spellNo < 1 || spellNo > kNamedSpells)
        return SpellTarget::None;
    switch (game.content().spells[spellNo].targetKind) {
    case 1:
    case 2:
        return SpellTarget::Group;
    case 4:
        return SpellTarget::Member;
    default:
        return SpellTarget::None;
    }
}

std::vector<UsableItem> UsableItems(Game& game, int pos)
{
    const Character& c = MemberAt(game, pos);
    std::vector<UsableItem> out;
    for (int s = 1; s <= 12; ++s) {
        if (c.items[s] <= 0)
            continue;
        const ItemDef& item = game.item(c.items[s]);
        if (item.castSpell == 0)
            continue;
        if (item.kind == kBardItemKind && c.classCode != Class::Bard)
            continue;
        if (item.kind == kOnmyojiItemKind && c.classCode != Class::Onmyoji)
            continue;
        // The flag marks an item whose nature is still unknown.
        const bool unknown = (c.itemFlags[s] & ItemFlag::Unidentified) != 0;
        out.push_back({unknown ? item.unknownName : item.name, c.items[s]});
    }
    return out;
}

void ChooseItem(Game& game, BattleState& state, int itemNo)
{
    GiveOrder(state, Order::Item);
    MemberOrder& o = state.orders[state.promptSlot];
    o.item = itemNo;
    o.spell = SpellNumberOfItem(game.content(), game.item(itemNo).castSpell);
}

void NormalAuto(Game& game, BattleState& state)
{
    const int group = state.listedGroups.empty() ? 0 : state.listedGroups.front();
    for (int p = 1; p <= PartySize(game); ++p) {
        const Character& c = MemberAt(game, p);
        MemberOrder& o = state.orders[p];
        o.rosterNo = RosterAt(game, p);
        if (c.conditions & Cond::CannotAct)
            continue;
        o.spell = o.item = 0;
        const bool fights =
            !(c.conditions & Cond::Fly) &&
            ((c.conditions & Cond::Hidden) || p <= kFrontRow || WeaponReach(game, p) > 1);
        o.code = fights ? Order::Fight : Order::Defend;
        o.target = fights ? group : 0;
    }
    state.promptSlot = PartySize(game) + 1;
}

std::string OrderLabel(int32_t code, bool hidden)
{
    switch (code) {
    case Order::Fight:
        return hidden ? "奇襲" : "戦う";
    case Order::Item:
        return "アイテム";
    case Order::Defend:
        return "身を守る";
    case Order::Dispel:
        return "呪いを解く";
    case Order::Hide:
        return "隠　れ　る";
    case Order::Breath:
        return "ブレス";
    case Order::Steal:
        return "盗む";
    default:
        return "";
    }
}

std::string MemberSummary(Game& game, int pos)
{
    const Character& c = MemberAt(game, pos);
    auto points = [&](int school) {
        std::string s;
        for (int level = 1; level <= 9; ++level) {
            if (level > 1)
                s += "/";
            s += std::to_string(c.mp(school, level));
        }
        return s;
    };
    std::string text = "LV:" + std::to_string(c.level) + " " + ClassLabel(c.alignment, c.classCode);
    text += "\rSTR:" + std::to_string(c.strength) + " DEX:" + std::to_string(c.agility) +
            " LUK:" + std::to_string(c.luck);
    text += "\rW:" + points(0) + "\rC:" + points(1);
    for (int s = 1; s <= 12; ++s) {
        if (c.items[s] <= 0 || EquipCode(c, s) == 0)
            continue;
        const ItemDef& item = game.item(c.items[s]);
        text += "\rE:" + ((c.itemFlags[s] & ItemFlag::Unidentified) ? item.unknownName : item.name);
    }
    return text;
}

} // namespace qvr
