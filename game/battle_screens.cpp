#include "game/battle_screens.h"

#include "game/game_screens.h"

#include <algorithm>
#include <deque>

#include "battle/battle.h"
#include "battle/battle_rules.h"
#include "core/codes.h"
#include "core/game.h"
#include "core/music.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "game/main_window.h"
#include "maze/chest.h"
#include "maze/command_text.h"
#include "maze/maze_events.h"
#include "maze/movement.h"
#include "maze/view.h"

namespace qvr {

namespace {

// The monsters across the top, wide enough for their counts; below, the
// command list at the left, tall enough for a full list, and the member
// summary at the right (the narration comes in message boxes over them).
constexpr Rect kMonsterRect{4, 4, 212, 40};
constexpr Rect kCommandRect{4, 46, 104, 102};
constexpr Rect kHelpRect{112, 46, 104, 102};

constexpr const char* kAskSuffix = "はどうしますか？";
constexpr const char* kOutOfReach = "そこに攻撃は届かない";
constexpr const char* kNoItems = "使えるアイテムをもっていません";
constexpr const char* kAskSpell = "呪文を入力して下さい";

BattleState& StateOf(Game& game)
{
    return BattleOf(game).state;
}

void SetStateLabel(Game& game, int pos, const std::string& text)
{
    if (Panel* party = game.screen.find(kPartyPanel))
        party->setLabel("lblState" + std::to_string(pos - 1), text);
}

// One row a line: the frame holds its text inside, as a list.
std::vector<Row> LinesOf(const std::string& text)
{
    std::vector<Row> rows;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        std::size_t end = text.find('\r', start);
        if (end == std::string::npos)
            end = text.size();
        rows.push_back({text.substr(start, end - start), 0, 0, {}});
        start = end + 1;
    }
    return rows;
}

// The lines said since the last step, one box each and in the order they
// were said. The screen still shows the state before the step, as the lines
// tell how it changed; it catches up once they have been read.
void ReadOut(Game& game)
{
    std::deque<std::string>& lines = BattleOf(game).narrator.lines;
    while (!lines.empty()) {
        const std::string line = std::move(lines.front());
        lines.pop_front();
        ShowNarration(game, line);
    }
}

void ShowMonsters(Game& game)
{
    BattleState& state = StateOf(game);
    Panel& p = game.screen.panel(kMonsterPanel);
    p.rows.clear();
    for (std::size_t i = 0; i < state.listedGroups.size(); ++i)
        p.rows.push_back({state.groupLines[i], 0, state.listedGroups[i], {}});
    p.visible = true;
    p.enabled = false;
    p.selected = -1;
    // The first group's picture, when the player gave it one; while it
    // shows, the battle's boxes are the second box, over the monsters.
    const int first = state.listedGroups.empty() ? 0 : state.listedGroups.front();
    ShowMonsterPicture(game, first > 0 ? state.monsters[first][0].name : std::string());
}

void HideBattlePanels(Game& game)
{
    for (const char* name : {kMonsterPanel, kBattleCommandPanel, kBattleHelpPanel})
        game.screen.panel(name).visible = false;
    game.screen.monsterPictureVisible = false;
}

void BackToWalking(Game& game)
{
    Screen& screen = game.screen;
    HideBattlePanels(game);
    if (Panel* party = screen.find(kPartyPanel)) {
        party->visible = true;
        party->enabled = false;
        party->selected = -1;
    }
    RefreshPartyPanel(game);
    screen.keyboardOwner.clear();
    screen.message.text = CommandText(game);
    screen.message.visible = true;
    game.place = {Mode::Maze};
    DrawMazeView(game);
}

void AskMember(Game& game, int direction);

// The battle is over and its last lines are read: the window goes where the
// ending leads.
void Conclude(Game& game)
{
    BattleSession& s = BattleOf(game);
    const BattleState& state = s.state;
    switch (state.end) {
    case BattleEnd::Victory: {
        BackToWalking(game);
        const VictoryReport report = state.victory;
        if (report.chest) {
            if (s.openChest)
                s.openChest(game, report.chestLevel, report.trapNo);
            else
                OpenChest(game, report.chestLevel, report.trapNo);
        } else if (report.askFollowUp) {
            if (int next = AfterBattleEvent(game); next > 0)
                StartBattle(game, next);
        }
        return;
    }
    case BattleEnd::WipedOut:
        HideBattlePanels(game);
        PartyWipedOut(game);
        return;
    default:
        BackToWalking(game);
        return;
    }
}

// After anything the engine ran: show it, and take orders or end.
void AfterStep(Game& game)
{
    BattleState& state = StateOf(game);
    ReadOut(game);
    RefreshPartyPanel(game);
    if (!state.active()) {
        Conclude(game);
        return;
    }
    ShowMonsters(game);
    if (state.phase == BattlePhase::Setup) {
        state.promptSlot = 1;
        AskMember(game, 1);
    }
}

void AskMember(Game& game, int direction)
{
    BattleSession& s = BattleOf(game);
    BattleState& state = s.state;
    Panel& cmd = game.screen.panel(kBattleCommandPanel);
    Panel& help = game.screen.panel(kBattleHelpPanel);
    cmd.rows.clear();
    for (const CommandRow& r : PromptMember(game, state, direction)) {
        Command c = r.command;
        cmd.rows.push_back({r.text, r.key, 0, [c](Game& g) { PerformCommand(g, c); }});
    }
    const bool done =
        AllOrdersIn(game, state) || (MemberAt(game, state.promptSlot).conditions & Cond::CannotAct);
    help.visible = !done;
    if (done) {
        cmd.caption.clear();
    } else {
        const Character& c = MemberAt(game, state.promptSlot);
        cmd.caption = c.name + kAskSuffix;
        help.caption = c.name;
        help.rows = LinesOf(MemberSummary(game, state.promptSlot));
        help.enabled = false;
        // The member's hit points or condition while it is asked, also when
        // it is asked again after going back.
        SetStateLabel(game, state.promptSlot,
                      c.conditions ? ConditionText(c.conditions) : Digits(c.hp));
    }
    game.screen.panel(kMonsterPanel).enabled = false;
    game.screen.open(kBattleCommandPanel, 0);
}

void AfterOrder(Game& game, const std::string& label)
{
    BattleState& state = StateOf(game);
    SetStateLabel(game, state.promptSlot, label);
    NextMember(state);
    AskMember(game, 1);
}

// Orders with a group to strike: the monster list takes the keyboard.
void TargetGroup(Game& game, Command command, int32_t code)
{
    BattleSession& s = BattleOf(game);
    GiveOrder(s.state, code);
    s.targeting = command;
    const Character& c = MemberAt(game, s.state.promptSlot);
    SetStateLabel(game, s.state.promptSlot,
                  OrderLabel(code, command == Command::Ambush && (c.conditions & Cond::Hidden)));
    game.screen.panel(kBattleCommandPanel).enabled = false;
    game.screen.open(kMonsterPanel, 0);
}

void TargetBySpell(Game& game, int spellNo)
{
    BattleState& state = StateOf(game);
    switch (TargetOfSpell(game, spellNo)) {
    case SpellTarget::Group:
        BattleOf(game).targeting = Command::Spell;
        game.screen.panel(kBattleCommandPanel).enabled = false;
        game.screen.open(kMonsterPanel, 0);
        return;
    case SpellTarget::Member:
        game.screen.panel(kBattleCommandPanel).enabled = false;
        OpenPartyList(game);
        return;
    case SpellTarget::None:
        NextMember(state);
        AskMember(game, 1);
        return;
    }
}

void TypeSpellName(Game& game)
{
    BattleSession& s = BattleOf(game);
    const std::string typed = InputText(game, "", kAskSpell, s.lastSpell);
    if (typed.empty()) {
        AskMember(game, 1);
        return;
    }
    s.lastSpell = typed;
    const std::string shown = TypeSpell(game, s.state, typed);
    SetStateLabel(game, s.state.promptSlot, shown);
    TargetBySpell(game, s.state.orders[s.state.promptSlot].spell);
}

void UseItem(Game& game)
{
    BattleState& state = StateOf(game);
    const std::vector<UsableItem> items = UsableItems(game, state.promptSlot);
    if (items.empty()) {
        ShowMessage(game, "", kNoItems);
        return;
    }
    std::vector<std::string> names;
    std::vector<int> values;
    for (const UsableItem& item : items) {
        names.push_back(item.name);
        values.push_back(item.itemNo);
    }
    const int itemNo = PickFromList(game, names, values, "");
    if (itemNo <= 0) {
        game.screen.open(kBattleCommandPanel, 0);
        return;
    }
    ChooseItem(game, state, itemNo);
    SetStateLabel(game, state.promptSlot, OrderLabel(Order::Item, false));
    TargetBySpell(game, state.orders[state.promptSlot].spell);
}

void StartRound(Game& game)
{
    game.screen.panel(kBattleCommandPanel).visible = false;
    game.screen.panel(kBattleHelpPanel).visible = false;
    FightRound(game, StateOf(game));
    AfterStep(game);
}

// The monster list's own keys: leaving it, and the reach of a blow.
bool MonsterListKey(Game& game, Key key)
{
    BattleSession& s = BattleOf(game);
    Panel& p = game.screen.panel(kMonsterPanel);
    if (key == Key::Escape || key == Key::Backspace) {
        GiveOrder(s.state, Order::None);
        AskMember(game, 1);
        return true;
    }
    if (s.targeting != Command::Fight)
        return false;
    const int pos = s.state.promptSlot;
    if (key == Key::Right || key == Key::PageDown || key == Key::End)
        return !ReachesLine(game, pos, 2);
    if (key == Key::Down && p.selected >= 1 && !ReachesLine(game, pos, p.selected + 1)) {
        p.selected = 0;
        return true;
    }
    return false;
}

} // namespace

void ScreenNarrator::say(std::string_view text)
{
    lines.emplace_back(text);
    if (game_.observer)
        game_.observer->narrated(lines.back());
}

void PerformCommand(Game& game, Command command)
{
    BattleState& state = StateOf(game);
    switch (command) {
    case Command::Start:
        StartRound(game);
        return;
    case Command::Back:
        if (state.promptSlot > 1)
            --state.promptSlot;
        AskMember(game, 2);
        return;
    case Command::Redo:
        RefreshPartyPanel(game);
        ClearOrders(game, state);
        state.promptSlot = 1;
        AskMember(game, 1);
        return;
    case Command::Flee:
        game.screen.panel(kBattleCommandPanel).visible = false;
        game.screen.panel(kBattleHelpPanel).visible = false;
        TryFlee(game, state, state.promptSlot);
        AfterStep(game);
        return;
    case Command::Fight:
    case Command::Ambush:
        TargetGroup(game, command, Order::Fight);
        return;
    case Command::Breath:
        TargetGroup(game, command, Order::Breath);
        return;
    case Command::Steal:
        TargetGroup(game, command, Order::Steal);
        return;
    case Command::Dispel:
        TargetGroup(game, command, Order::Dispel);
        return;
    case Command::Spell:
        TypeSpellName(game);
        return;
    case Command::Item:
        UseItem(game);
        return;
    case Command::Defend:
    case Command::Hide: {
        const int32_t code = command == Command::Defend ? Order::Defend : Order::Hide;
        GiveOrder(state, code);
        AfterOrder(game, OrderLabel(code, false));
        return;
    }
    case Command::Reorder:
        game.screen.panel(kBattleCommandPanel).enabled = false;
        OpenReorder(game);
        return;
    case Command::Status:
        ShowStatus(game, RosterAt(game, state.promptSlot), StatusMode::Roster);
        AskMember(game, 1);
        return;
    case Command::Auto:
        NormalAuto(game, state);
        for (int p = 1; p <= PartySize(game); ++p) {
            const Character& c = MemberAt(game, p);
            if (!(c.conditions & Cond::CannotAct))
                SetStateLabel(game, p,
                              OrderLabel(state.orders[p].code, (c.conditions & Cond::Hidden) != 0));
        }
        StartRound(game);
        return;
    }
}

void ChooseMonsterLine(Game& game, int line)
{
    BattleSession& s = BattleOf(game);
    Panel& p = game.screen.panel(kMonsterPanel);
    if (line < 0 || line >= static_cast<int>(p.rows.size()))
        return;
    const bool blow = s.targeting == Command::Fight || s.targeting == Command::Ambush;
    if (blow && !ReachesLine(game, s.state.promptSlot, line)) {
        ShowMessage(game, "", kOutOfReach);
        p.selected = 0;
        game.screen.focus(kMonsterPanel);
        return;
    }
    ChooseTarget(s.state, p.rows[static_cast<std::size_t>(line)].value);
    p.selected = -1;
    AskMember(game, 1);
}

namespace {

Panel BattlePanel(const char* name, const char* list, Rect rect)
{
    Panel p;
    p.name = name;
    p.list = list;
    p.rect = rect;
    return p;
}

} // namespace

void BuildBattlePanels(Game& game)
{
    Panel monsters = BattlePanel(kMonsterPanel, kMonsterList, kMonsterRect);
    monsters.perform = ChooseMonsterLine;
    monsters.keyHook = MonsterListKey;
    game.screen.add(std::move(monsters));
    game.screen.add(BattlePanel(kBattleCommandPanel, kBattleCommandList, kCommandRect));
    game.screen.add(BattlePanel(kBattleHelpPanel, kBattleHelpList, kHelpRect));

    // A spell aimed at a member: the member chosen in the party list.
    PartyListUse use;
    use.where = {Mode::Battle};
    use.chosen = [](Game& g, int rosterNo) {
        ReleasePartyList(g);
        ChooseTarget(StateOf(g), rosterNo);
        AskMember(g, 1);
    };
    use.left = [](Game& g) {
        ReleasePartyList(g);
        AskMember(g, 1);
    };
    AddPartyListUse(game, std::move(use));
}

void RunBattle(Game& game, int encounterNo)
{
    BattleSession& s = BattleOf(game);
    s.state.narrator = &s.narrator;
    s.narrator.lines.clear();
    // The lines that led up to the question are read before it is asked.
    s.state.fightFriendly = [](Game& g, const std::string& question) {
        ReadOut(g);
        return AskYesNo(g, "", question);
    };
    const Place before = game.place;
    game.place = {Mode::Battle};
    game.screen.message.visible = false;
    game.screen.keyboardOwner.clear();
    if (StartBattle(game, s.state, encounterNo) == BattleEnd::NoBattle) {
        game.place = before;
        game.screen.message.visible = true;
        return;
    }
    // The monsters take the window; the walk's view comes back afterwards.
    game.screen.drawing.clear();
    SetReorderBattleReturn(game, [](Game& g) {
        RefreshPartyPanel(g);
        AskMember(g, 1);
    });
    AfterStep(game);
}

} // namespace qvr
