#include "game/status_commands.h"

#include <array>

#include "core/game.h"
#include "core/panel_names.h"
#include "core/prompts.h"
#include "game/item_commands.h"
#include "game/main_window.h"
#include "game/spell_book.h"
#include "game/status_window.h"
#include "rules/item_powers.h"

namespace qvr {

namespace {

struct CommandEntry {
    StatusCommand command;
    const char* text;
    char key;
};

constexpr std::array<CommandEntry, kStatusCommandCount> kCommands{{
    {StatusCommand::Equip, "E)装備", 'E'},
    {StatusCommand::Give, "T)渡す", 'T'},
    {StatusCommand::PoolGold, "P)お金を集める", 'P'},
    {StatusCommand::Drop, "D)捨てる", 'D'},
    {StatusCommand::CastSpell, "S)呪文を唱える", 'S'},
    {StatusCommand::UseItem, "U)使う", 'U'},
    {StatusCommand::Identify, "I)識別する", 'I'},
    {StatusCommand::Appraise, "J)鑑定", 'J'},
    {StatusCommand::ReadSpellBook, "R)呪文書を読む", 'R'},
    {StatusCommand::Next, "N)次へ", 'N'},
    {StatusCommand::Previous, "B)前へ", 'B'},
    {StatusCommand::Leave, "L)戻る", 'L'},
}};

const CommandEntry& EntryOf(StatusCommand command)
{
    return kCommands[static_cast<std::size_t>(command)];
}

// A member who cannot move may still hand things over and read.
constexpr int32_t kHelpless =
    Cond::Paralysed | Cond::Stoned | Cond::Dead | Cond::Ashes | Cond::Vanished;

void Equip(Game& game, StatusWindow& w)
{
    if (!CarriesAnything(game.character(w.rosterNo))) {
        ShowMessage(game, "", kNoItemsText);
        return;
    }
    w.equipAfter(game, 0);
}

void Give(Game& game, StatusWindow& w)
{
    if (!CarriesAnything(game.character(w.rosterNo))) {
        ShowMessage(game, "", kNoItemsText);
        return;
    }
    const int receiver = PickMember(game, true);
    if (receiver < 1)
        return;
    w.pickItem(game, kGiveTitle, kGivePrompt, [receiver](Game& g, StatusWindow& win, int slot) {
        const std::string refusal = GiveItem(g, win.rosterNo, slot, receiver);
        if (!refusal.empty())
            ShowMessage(g, "", refusal);
    });
}

void Pool(Game& game, StatusWindow& w)
{
    PoolGold(game, w.rosterNo);
    ShowMessage(game, "", kGoldPooledText);
}

void Drop(Game& game, StatusWindow& w)
{
    w.pickItem(game, kDropTitle, "", [](Game& g, StatusWindow& win, int slot) {
        const std::string refusal = DropItem(g, win.rosterNo, slot, win.lblMsg1);
        if (!refusal.empty())
            ShowMessage(g, "", refusal);
    });
}

void ReadSpellBook(Game& game, StatusWindow& w)
{
    for (int school = 0; school < 2; ++school)
        w.spellBook[static_cast<std::size_t>(school)] = SpellBookPage(game, w.rosterNo, school);
    w.spellBookVisible = true;
    w.focus = StatusFocus::SpellBook;
}

// Steps through the party in marching order, round from the last member to
// the first and back.
void Step(Game& game, StatusWindow& w, int step)
{
    const int count = game.state.partyCount;
    if (count < 1)
        return;
    int at = 0;
    for (int i = 1; i <= count; ++i)
        if (game.state.partyMember[i] == w.rosterNo)
            at = i;
    int next = 0;
    if (at == 0)
        next = step > 0 ? 1 : count;
    else
        next = (at - 1 + step + count) % count + 1;
    w.show(game, game.state.partyMember[next]);
}

void Leave(Game& game, StatusWindow& w)
{
    Save(game);
    w.close();
}

} // namespace

const char* CommandText(StatusCommand command)
{
    return EntryOf(command).text;
}

char CommandKey(StatusCommand command)
{
    return EntryOf(command).key;
}

std::vector<StatusCommand> StatusCommandSet(const Character& c, StatusMode mode)
{
    using C = StatusCommand;
    switch (mode) {
    case StatusMode::Tavern:
        return {C::Equip, C::Give,     C::PoolGold,      C::Drop,
                C::Next,  C::Previous, C::ReadSpellBook, C::Leave};
    case StatusMode::Roster:
        return {C::ReadSpellBook, C::Leave};
    case StatusMode::Camp:
        break;
    }
    if (c.conditions & kHelpless)
        return {C::Give, C::PoolGold, C::Next, C::Previous, C::ReadSpellBook, C::Leave};
    std::vector<C> set = {C::CastSpell, C::Equip, C::Give, C::UseItem, C::PoolGold, C::Drop};
    // Fear leaves no steady hand for studying items.
    const bool afraid = (c.conditions & Cond::Afraid) != 0;
    if (!afraid && (c.classCode == Class::Sage || c.classCode == Class::Onmyoji))
        set.push_back(C::Identify);
    if (!afraid && c.classCode == Class::Sage)
        set.push_back(C::Appraise);
    set.insert(set.end(), {C::Next, C::Previous, C::ReadSpellBook, C::Leave});
    return set;
}

void InstallTownCommands(StatusWindow& window)
{
    auto& h = window.handlers;
    h[static_cast<std::size_t>(StatusCommand::Equip)] = Equip;
    h[static_cast<std::size_t>(StatusCommand::Give)] = Give;
    h[static_cast<std::size_t>(StatusCommand::PoolGold)] = Pool;
    h[static_cast<std::size_t>(StatusCommand::Drop)] = Drop;
    h[static_cast<std::size_t>(StatusCommand::ReadSpellBook)] = ReadSpellBook;
    h[static_cast<std::size_t>(StatusCommand::Next)] = [](Game& g, StatusWindow& w) {
        Step(g, w, 1);
    };
    h[static_cast<std::size_t>(StatusCommand::Previous)] = [](Game& g, StatusWindow& w) {
        Step(g, w, -1);
    };
    h[static_cast<std::size_t>(StatusCommand::Leave)] = Leave;
}

void FinishEquipping(Game& game, StatusWindow& window)
{
    ReleasePowers(game, window.rosterNo);
    // The party panel shows armour class, hit points and conditions, all of
    // which the equipment and the powers may have changed.
    if (game.screen.find(kPartyPanel))
        RefreshPartyPanel(game);
    window.rebuildCommands(game);
    window.refresh(game);
}

} // namespace qvr
