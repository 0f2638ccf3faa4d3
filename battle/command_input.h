#pragma once

// Taking the party's orders between rounds, member by member in marching
// order: which commands a member may give, the targets it may reach, the
// typed spell, the items it can use and the automatic orders. The panels
// that show all this live in game/; every rule is here.

#include <string>
#include <string_view>
#include <vector>

#include "battle/battle_state.h"

namespace qvr {

class Game;

enum class Command {
    Ambush,
    Steal,
    Fight,
    Defend,
    Hide,
    Breath,
    Spell,
    Dispel,
    Item,
    Flee,
    Status,
    Reorder,
    Auto,
    Back,
    Start,
    Redo,
};

struct CommandRow {
    std::string text; // exactly as listed
    char key = 0;     // the letter that picks it
    Command command = Command::Defend;
};

// The text and key letter of a command.
CommandRow CommandRowOf(Command command);

// Moves state.promptSlot past members who cannot act (forward for
// direction 1, backward for 2, never below 1) and lists the commands of the
// member now asked, or the start/back/redo list once every order is in.
std::vector<CommandRow> PromptMember(Game& game, BattleState& state, int direction);
// The commands open to the member at `pos`.
std::vector<CommandRow> MemberCommands(Game& game, int pos);
bool AllOrdersIn(const Game& game, const BattleState& state);

// The reach of the member's first equipped main weapon, 0 without one.
int WeaponReach(Game& game, int pos);
// Whether a blow from `pos` reaches line `line` (0 = first) of the monster
// list: the first two lines always, later ones with a long enough weapon.
bool ReachesLine(Game& game, int pos, int line);

// The member being asked gets order `code` (its target comes later, or not
// at all); the label the party panel shows for it.
void GiveOrder(BattleState& state, int32_t code);
// The asked member's target (a group, or a member for spells aimed at one);
// the next member is asked.
void ChooseTarget(BattleState& state, int32_t target);
// An order needing no target is complete: the next member is asked.
void NextMember(BattleState& state);

// What a spell order needs next, by the spell's target kind.
enum class SpellTarget { Group, Member, None };

// A typed spell name: upper-cased, looked up among the spells by exact name;
// an unknown name still makes a spell order (spell 0). Returns the text as
// the party panel shows it.
std::string TypeSpell(Game& game, BattleState& state, std::string_view text);
SpellTarget TargetOfSpell(Game& game, int spellNo);

struct UsableItem {
    std::string name; // the unidentified name while the item is not identified
    int itemNo = 0;
};
// The carried items of the member at `pos` that invoke a spell in battle.
std::vector<UsableItem> UsableItems(Game& game, int pos);
// The asked member uses item `itemNo`: an item order carrying the item's
// spell.
void ChooseItem(Game& game, BattleState& state, int itemNo);

// "O)...": every member able to act gets an automatic order on the group of
// the monster list's first line. Returns each ordered position's label.
void NormalAuto(Game& game, BattleState& state);

// The label the party panel shows for an order code ("戦う", ...); the typed
// name for a spell is the caller's.
std::string OrderLabel(int32_t code, bool hidden);

// The member summary beside the command list: level and class, the main
// attributes, spell points of both schools and the equipped items.
std::string MemberSummary(Game& game, int pos);

} // namespace qvr
