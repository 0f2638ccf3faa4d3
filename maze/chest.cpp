#include "maze/chest.h"

#include <algorithm>
#include <memory>
#include <string>

#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "core/saturating.h"
#include "core/saving.h"
#include "core/shared_screens.h"
#include "maze/chest_rules.h"
#include "maze/maze_events.h"
#include "maze/movement.h"
#include "maze/view.h"
#include "rules/party_panel.h"
#include "rules/party_rules.h"

namespace qvr {

namespace {

constexpr Rect kTreasureRect{60, 40, 100, 70};
constexpr int32_t kCannotOpen =
    Cond::Dead | Cond::Ashes | Cond::Stoned | Cond::Paralysed | Cond::Vanished;

enum class Command { None, Inspect, Reveal, Disarm, Open };

// The chest on screen: made by the victory, gone once opened or left. The
// panel's rows and the party list's use share it.
struct Chest {
    int level = 1;
    TrapDef trap;
    Command pending = Command::None;
};

Panel& treasure(Game& game)
{
    return game.screen.panel(kTreasurePanel);
}

// Back to the chest's commands, the party list let go.
void backToChest(Game& game)
{
    ReleasePartyList(game);
    Panel& p = treasure(game);
    p.enabled = true;
    game.screen.focus(kTreasurePanel);
}

void showName(Game& game, const std::string& name)
{
    ReleasePartyList(game);
    Panel& p = treasure(game);
    p.setLabel(kTreasureLabel, name);
    p.label(kTreasureLabel).visible = true;
    // The commands wait until the name has been read.
    p.enabled = false;
    game.screen.focus(kTreasurePanel);
    game.timers.enable(kTreasureTimer, true);
}

void nameShown(Game& game)
{
    if (Panel* p = game.screen.find(kTreasurePanel)) {
        p->setLabel(kTreasureLabel, "");
        p->label(kTreasureLabel).visible = false;
        p->enabled = true;
    }
    game.timers.enable(kTreasureTimer, false);
}

void closePanel(Game& game)
{
    nameShown(game);
    treasure(game).visible = false;
    // The party list picked who acts on the chest; closed, neither it nor the
    // chest keeps the keyboard, which goes back to the maze.
    const std::string& owner = game.screen.keyboardOwner;
    if (owner == kTreasurePanel || owner == kPartyPanel)
        game.screen.keyboardOwner.clear();
}

// Leaving the chest: the cell's after-battle event may follow, with its own
// battle; otherwise the party walks on to the floor's music.
void walkOn(Game& game)
{
    GameState& st = game.state;
    closePanel(game);
    game.place = {Mode::Maze};
    if (st.eventResult != 0) {
        const int next = AfterBattleEvent(game, true);
        if (next != 0)
            FollowEventResult(game, next);
        if (next > 0 || game.place.mode != Mode::Maze || st.partyCount == 0)
            return;
        PlayMusic(game, st.floorMusic);
        return;
    }
    PlayMusic(game, st.floorMusic);
    game.screen.panel(kPartyPanel).visible = game.screen.message.visible;
}

void springTrap(Game& game, const Chest& chest, int actorNo, bool disarmed)
{
    if (disarmed) {
        Character& actor = game.character(actorNo);
        actor.exp = SaturatingAdd(actor.exp, int64_t{50} * chest.trap.level);
    } else {
        ShowMessage(game, "", kSprungText);
        if (ApplyTrapEffect(game, chest.trap.number, actorNo) == TrapEnd::Closed)
            return;
        if (CheckInRock(game)) {
            closePanel(game);
            return;
        }
        if (IsWiped(game, game.state.groupNo)) {
            closePanel(game);
            game.place = {Mode::Maze};
            PartyWipedOut(game);
            return;
        }
        RefreshPartyPanel(game);
    }
    GiveChestContents(game, chest.level);
    closePanel(game);
    ReleasePartyList(game);
    // Saved and drawn before any follow-up battle takes the screen.
    Save(game);
    DrawMazeView(game);
    walkOn(game);
}

void disarm(Game& game, const Chest& chest, int actorNo)
{
    const std::string typed = InputText(game, kDisarmTitle, kDisarmPrompt);
    switch (TryDisarm(game, game.character(actorNo), chest.level, chest.trap, typed)) {
    case DisarmResult::Sprung:
        springTrap(game, chest, actorNo, false);
        return;
    case DisarmResult::Disarmed:
        ShowMessage(game, "", kDisarmedText);
        springTrap(game, chest, actorNo, true);
        return;
    case DisarmResult::Failed:
        ShowMessage(game, "", kDisarmFailedText);
        backToChest(game);
        return;
    }
}

void reveal(Game& game, const Chest& chest, int actorNo)
{
    Character& c = game.character(actorNo);
    const SpellDef& spell = game.content().spells[kRevealSpell];
    const bool known = spell.level >= 1 && spell.level <= 9 && spell.slot >= 1 && spell.slot <= 4 &&
                       c.spellKnown(spell.school, spell.level, spell.slot) != 0;
    if (!known || c.mp(spell.school, spell.level) < 1) {
        ShowMessage(game, "", kNoPowerText);
        backToChest(game);
        return;
    }
    --c.mp(spell.school, spell.level);
    showName(game, RevealTrap(game, chest.trap).name);
}

void inspect(Game& game, const Chest& chest, int actorNo)
{
    // One look per chest.
    Panel& p = treasure(game);
    if (!p.rows.empty() && p.rows.front().key == 'I') {
        p.rows.erase(p.rows.begin());
        p.backRow = static_cast<int>(p.rows.size()) - 1;
        p.selected = std::min(p.selected, p.backRow);
    }
    Finding found = InspectChest(game, game.character(actorNo), chest.trap);
    if (found.sprung)
        springTrap(game, chest, actorNo, false);
    else
        showName(game, found.name);
}

void memberChosen(Game& game, const std::shared_ptr<Chest>& chest, int rosterNo)
{
    const Command command = chest->pending;
    chest->pending = Command::None;
    if (command == Command::None)
        return;
    if (game.character(rosterNo).conditions & kCannotOpen) {
        ShowMessage(game, "", kCannotActText);
        backToChest(game);
        return;
    }
    ReleasePartyList(game);
    switch (command) {
    case Command::Inspect:
        return inspect(game, *chest, rosterNo);
    case Command::Reveal:
        return reveal(game, *chest, rosterNo);
    case Command::Disarm:
        return disarm(game, *chest, rosterNo);
    case Command::Open:
        return springTrap(game, *chest, rosterNo, false);
    case Command::None:
        return;
    }
}

std::vector<Row> commandRows(const std::shared_ptr<Chest>& chest)
{
    auto ask = [chest](Command command) {
        return [chest, command](Game& game) {
            chest->pending = command;
            treasure(game).enabled = false;
            OpenPartyList(game);
        };
    };
    return {
        {"I)調べる", 'I', 0, ask(Command::Inspect)},
        {"D)ＤＩＳＢＡ", 'D', 0, ask(Command::Reveal)},
        {"P)罠を外す", 'P', 0, ask(Command::Disarm)},
        {"O)開ける", 'O', 0, ask(Command::Open)},
        {"L)立ち去る", 'L', 0, walkOn},
    };
}

void buildPanel(Game& game, const std::shared_ptr<Chest>& chest)
{
    if (!game.screen.find(kTreasurePanel)) {
        Panel p;
        p.name = kTreasurePanel;
        p.list = kTreasureList;
        p.caption = "宝箱";
        p.rect = kTreasureRect;
        p.labels.push_back({kTreasureLabel, "", false});
        game.screen.add(std::move(p));
        game.timers.define(kTreasureTimer, kTreasureShowMs, nameShown);
    }
    Panel& p = treasure(game);
    p.rows = commandRows(chest);
    p.backRow = static_cast<int>(p.rows.size()) - 1;
    p.setLabel(kTreasureLabel, "");
    p.label(kTreasureLabel).visible = false;

    PartyListUse use;
    use.where = {Mode::Chest};
    use.chosen = [chest](Game& g, int rosterNo) { memberChosen(g, chest, rosterNo); };
    use.left = [chest](Game& g) {
        chest->pending = Command::None;
        backToChest(g);
    };
    AddPartyListUse(game, std::move(use));
}

} // namespace

void OpenChest(Game& game, int level, int trapNo)
{
    auto chest = std::make_shared<Chest>();
    chest->level = std::clamp(level, 1, 35);
    if (trapNo >= 0 && trapNo <= 40)
        chest->trap = game.content().traps[trapNo];
    buildPanel(game, chest);
    game.timers.enable(kTreasureTimer, false);
    game.place = {Mode::Chest};
    game.screen.panel(kPartyPanel).visible = true;
    RefreshPartyPanel(game);
    game.screen.open(kTreasurePanel, 0);
}

} // namespace qvr
