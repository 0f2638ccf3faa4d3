#include "game/status_window.h"

#include "game/game_screens.h"

#include <utility>

#include "core/error.h"
#include "core/game.h"
#include "core/music.h"
#include "core/prompts.h"
#include "game/camp_commands.h"
#include "game/item_commands.h"
#include "game/main_window.h"
#include "game/status_commands.h"
#include "rules/equipment.h"

namespace qvr {

namespace {

bool Cancels(Key key)
{
    return key == Key::Escape || key == Key::Backspace;
}

bool InRange(int row, std::size_t size)
{
    return row >= 0 && row < static_cast<int>(size);
}

} // namespace

StatusWindow::StatusWindow(Game& game, int shown, StatusMode openedFrom) : mode(openedFrom)
{
    if (shown < 1 || shown > kRosterSize)
        throw GameError("the status window needs a character, not roster entry " +
                        std::to_string(shown));
    InstallTownCommands(*this);
    show(game, shown);
}

void StatusWindow::show(Game& game, int shown)
{
    rosterNo = shown;
    lblMsg1.clear();
    rebuildCommands(game);
    refresh(game);
}

void StatusWindow::refresh(Game& game)
{
    sheet = DrawStatusSheet(game, rosterNo);
    items = ItemLines(game, rosterNo);
    if (focus == StatusFocus::Items && !InRange(itemSelected, items.size()))
        itemSelected = items.empty() ? -1 : 0;
}

void StatusWindow::rebuildCommands(Game& game)
{
    commands.clear();
    for (StatusCommand command : StatusCommandSet(game.character(rosterNo), mode)) {
        if (!handlers[static_cast<std::size_t>(command)])
            continue;
        commands.push_back(
            {CommandText(command), CommandKey(command), static_cast<int>(command), {}});
    }
    if (!InRange(commandSelected, commands.size()))
        commandSelected = 0;
}

void StatusWindow::pickItem(Game& game, std::string title, std::string prompt,
                            std::function<void(Game&, StatusWindow&, int)> then)
{
    if (!CarriesAnything(game.character(rosterNo))) {
        ShowMessage(game, "", kNoItemsText);
        return;
    }
    itemTitle = std::move(title);
    itemPrompt = std::move(prompt);
    onItemPicked_ = std::move(then);
    itemSelected = 0;
    focus = StatusFocus::Items;
}

void StatusWindow::equipAfter(Game& game, int kind)
{
    const int next = NextEquipKind(game, rosterNo, kind);
    if (next != 0) {
        equipKind = next;
        equipCaption = EquipCaption(next);
        equipRows = EquipChoices(game, rosterNo, next);
        // What is worn now comes up first, so Enter keeps it.
        const int worn = WornSlot(game.character(rosterNo), next);
        equipSelected = 0;
        for (std::size_t i = 0; i < equipRows.size(); ++i)
            if (worn != 0 && equipRows[i].value == worn)
                equipSelected = static_cast<int>(i);
        focus = StatusFocus::Equip;
        refresh(game);
        return;
    }
    equipKind = 0;
    equipCaption.clear();
    equipRows.clear();
    focus = StatusFocus::Commands;
    FinishEquipping(game, *this);
}

void StatusWindow::backToCommands()
{
    focus = StatusFocus::Commands;
    itemTitle.clear();
    itemPrompt.clear();
    itemSelected = -1;
    onItemPicked_ = nullptr;
    spellBookVisible = false;
    card.reset();
}

void StatusWindow::perform(Game& game, int row)
{
    if (!InRange(row, commands.size()))
        return;
    commandSelected = row;
    const auto command = static_cast<std::size_t>(commands[static_cast<std::size_t>(row)].value);
    if (command < handlers.size() && handlers[command])
        handlers[command](game, *this);
    if (!closed())
        refresh(game);
}

void StatusWindow::chooseEquip(Game& game, int row)
{
    if (!InRange(row, equipRows.size()))
        return;
    equipSelected = row;
    PutOn(game, rosterNo, equipKind, equipRows[static_cast<std::size_t>(row)].value);
    refresh(game);
    equipAfter(game, equipKind);
}

void StatusWindow::chooseItem(Game& game, int row)
{
    if (!InRange(row, items.size()))
        return;
    const int slot = items[static_cast<std::size_t>(row)].value;
    auto then = std::move(onItemPicked_);
    backToCommands();
    if (then)
        then(game, *this, slot);
    refresh(game);
}

void StatusWindow::pressKey(Game& game, Key key)
{
    if (closed())
        return;
    if (key == Key::Ctrl) {
        SaveFromKey(game);
        return;
    }
    switch (focus) {
    case StatusFocus::Equip:
        if (MoveSelection(equipSelected, static_cast<int>(equipRows.size()), key))
            return;
        // Giving up on a kind keeps what it wears and goes on to the next.
        if (key == Key::Enter)
            chooseEquip(game, equipSelected);
        else if (Cancels(key))
            equipAfter(game, equipKind);
        return;
    case StatusFocus::Items:
        if (MoveSelection(itemSelected, static_cast<int>(items.size()), key))
            return;
        if (key == Key::Enter)
            chooseItem(game, itemSelected);
        else if (Cancels(key))
            backToCommands();
        return;
    case StatusFocus::Teleport:
        TeleportKey(game, *this, key);
        return;
    case StatusFocus::Card:
    case StatusFocus::SpellBook: {
        // The pages scroll in the front end; any other key closes the book.
        int none = -1;
        if (!MoveSelection(none, 0, key))
            backToCommands();
        return;
    }
    case StatusFocus::Commands:
        break;
    }
    if (MoveSelection(commandSelected, static_cast<int>(commands.size()), key))
        return;
    if (key == Key::Enter) {
        perform(game, commandSelected);
        return;
    }
    const char letter = Cancels(key) ? CommandKey(StatusCommand::Leave) : KeyChar(key);
    for (std::size_t i = 0; i < commands.size(); ++i)
        if (letter != 0 && commands[i].key == letter) {
            perform(game, static_cast<int>(i));
            return;
        }
}

void StatusWindow::clickCommand(Game& game, int row)
{
    if (!closed() && focus == StatusFocus::Commands)
        perform(game, row);
}

void StatusWindow::clickItem(Game& game, int row)
{
    if (!closed() && focus == StatusFocus::Items)
        chooseItem(game, row);
}

void StatusWindow::clickEquip(Game& game, int row)
{
    if (!closed() && focus == StatusFocus::Equip)
        chooseEquip(game, row);
}

void GameScreens::showStatus(Game& game, int rosterNo, StatusMode mode)
{
    Prompter& prompter = PrompterOf(game);
    StatusWindow window(game, rosterNo, mode);
    if (mode == StatusMode::Camp) {
        InstallCampCommands(game, window);
        PlayMusic(game, kTrackCamp);
    }
    prompter.run(game, window);
    // The camp's track would otherwise play on while the party walks.
    if (mode == StatusMode::Camp && game.state.floor >= 1 && game.state.partyCount > 0)
        PlayMusic(game, game.state.floorMusic);
}

} // namespace qvr
