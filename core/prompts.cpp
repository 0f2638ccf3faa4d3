#include "core/prompts.h"

#include "core/codes.h"
#include "core/error.h"
#include "core/game.h"
#include "core/saving.h"
#include "core/textformat.h"

namespace qvr {

Prompter& PrompterOf(Game& game)
{
    if (!game.prompter)
        throw GameError("a prompt was asked for, but nothing can show it");
    return *game.prompter;
}

namespace {

MessageBox runBox(Game& game, BoxType type, const std::string& title, const std::string& text,
                  const std::string& defaultText, int autoCloseMs = 0)
{
    MessageBox box;
    box.type = type;
    box.title = title;
    box.text = text;
    box.input = type == BoxType::Input ? defaultText : "";
    box.second = game.screen.monsterPictureVisible;
    box.autoCloseMs = autoCloseMs;
    Prompter& prompter = PrompterOf(game);
    // What the player is told or asked can be read again; what they are
    // asked to type is their own.
    if (type != BoxType::Input)
        game.history.add(text);
    prompter.run(game, box);
    return box;
}

bool cancels(Key key)
{
    return key == Key::Escape || key == Key::Backspace;
}

} // namespace

void MessageBox::pressKey(Game& game, Key key)
{
    if (closed())
        return;
    if (key == Key::Ctrl) {
        SaveFromKey(game);
        return;
    }
    switch (type) {
    case BoxType::YesNo:
        if (key == CharKey('Y') || key == Key::Enter)
            clickYes();
        else if (key == CharKey('N') || cancels(key))
            clickNo();
        break;
    case BoxType::Message:
        if (key == Key::Space || key == Key::Enter || cancels(key))
            close();
        break;
    case BoxType::Input:
        if (key == Key::Enter) {
            close();
        } else if (key == Key::Escape) {
            input.clear();
            close();
        }
        break;
    }
}

void MessageBox::clickYes()
{
    if (type != BoxType::YesNo)
        return;
    answerYes = -1;
    close();
}

void MessageBox::clickNo()
{
    if (type != BoxType::YesNo)
        return;
    answerYes = 0;
    close();
}

void MessageBox::clickFrame()
{
    if (type != BoxType::YesNo)
        close();
}

void ListPicker::select(Game& game, int row)
{
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return;
    selected = row;
    if (onSelectionChanged)
        onSelectionChanged(game, *this);
}

void ListPicker::pressKey(Game& game, Key key)
{
    if (closed())
        return;
    if (key == Key::Ctrl) {
        SaveFromKey(game);
        return;
    }
    int row = selected;
    if (MoveSelection(row, static_cast<int>(rows.size()), key)) {
        select(game, row);
    } else if (key == Key::Enter && selected >= 0 && selected < static_cast<int>(rows.size())) {
        result = rows[static_cast<std::size_t>(selected)].value;
        close();
    } else if (cancels(key)) {
        result = -1;
        close();
    }
}

void ListPicker::click(Game& game, int row)
{
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return;
    select(game, row);
    pressKey(game, Key::Enter);
}

void CharacterChooser::cancel()
{
    selected = static_cast<int>(rows.size()) - 1;
    result = 0;
    close();
}

void CharacterChooser::choose(Game& game)
{
    if (selected < 0 || selected >= static_cast<int>(rows.size()))
        return;
    int value = rows[static_cast<std::size_t>(selected)].value;
    if (value == 0 || selected == static_cast<int>(rows.size()) - 1) {
        cancel();
        return;
    }
    if (onChoose && onChoose(game, *this, value))
        return;
    result = value;
    close();
}

void CharacterChooser::pressKey(Game& game, Key key)
{
    if (closed())
        return;
    if (key == Key::Ctrl) {
        SaveFromKey(game);
        return;
    }
    if (MoveSelection(selected, static_cast<int>(rows.size()), key))
        return;
    if (key == Key::Enter)
        choose(game);
    else if (cancels(key) || key == CharKey('R'))
        cancel();
}

void CharacterChooser::click(Game& game, int row)
{
    if (row < 0 || row >= static_cast<int>(rows.size()))
        return;
    selected = row;
    choose(game);
}

void ShowMessage(Game& game, const std::string& title, const std::string& text)
{
    runBox(game, BoxType::Message, title, text, "");
}

void ShowNarration(Game& game, const std::string& text)
{
    runBox(game, BoxType::Message, "", text, "", game.battleMessageMs);
}

bool AskYesNo(Game& game, const std::string& title, const std::string& text)
{
    return runBox(game, BoxType::YesNo, title, text, "").answerYes == -1;
}

std::string InputText(Game& game, const std::string& title, const std::string& text,
                      const std::string& defaultText)
{
    return runBox(game, BoxType::Input, title, text, defaultText).input;
}

std::string ItemMark(int16_t flags)
{
    if (flags & ItemFlag::Cursed)
        return "- ";
    if (flags & ItemFlag::Unidentified)
        return "? ";
    if (flags & ItemFlag::CannotEquip)
        return "# ";
    int slot = flags & ItemFlag::SlotMask;
    if (flags >= 1 && flags <= 8 && slot != 0)
        return "* ";
    return "  ";
}

std::string CarriedItemName(const Game& game, int rosterNo, int slot)
{
    const Character& c = game.character(rosterNo);
    int item = c.items[slot];
    if (!Bounded<ItemDef, 0, kItemCount>::contains(item))
        return "";
    const ItemDef& def = game.item(item);
    return (c.itemFlags[slot] & ItemFlag::Unidentified) ? def.unknownName : def.name;
}

namespace {

void showCarriedItems(Game& game, ListPicker& picker)
{
    picker.sideRows.clear();
    picker.sideCaption.clear();
    if (picker.selected < 0 || picker.selected >= static_cast<int>(picker.rows.size()))
        return;
    int rosterNo = picker.rows[static_cast<std::size_t>(picker.selected)].value;
    const Character& c = game.character(rosterNo);
    picker.sideCaption = c.name + "の\n持ち物";
    int line = 0;
    for (int slot = 1; slot <= 12; ++slot) {
        if (c.items[slot] == 0)
            continue;
        picker.sideRows.push_back(formatTwoDigits(++line) + ":" + ItemMark(c.itemFlags[slot]) +
                                  CarriedItemName(game, rosterNo, slot));
    }
}

int runPicker(Game& game, ListPicker& picker)
{
    picker.selected = 0;
    if (picker.onSelectionChanged)
        picker.onSelectionChanged(game, picker);
    PrompterOf(game).run(game, picker);
    return picker.result;
}

} // namespace

int PickMember(Game& game, bool withItems)
{
    ListPicker picker;
    for (int i = 1; i <= game.state.partyCount; ++i) {
        int r = game.state.partyMember[i];
        picker.rows.push_back({game.character(r).name, 0, r, {}});
    }
    picker.prompt = "キャラクターを選んでください";
    picker.wide = withItems;
    if (withItems)
        picker.onSelectionChanged = showCarriedItems;
    return runPicker(game, picker);
}

int PickItem(Game& game, int rosterNo)
{
    ListPicker picker;
    const Character& c = game.character(rosterNo);
    for (int slot = 1; slot <= 12; ++slot)
        if (c.items[slot] != 0)
            picker.rows.push_back({CarriedItemName(game, rosterNo, slot), 0, slot, {}});
    if (picker.rows.empty()) {
        ShowMessage(game, "", "アイテムを持っていません");
        return -1;
    }
    picker.prompt = "アイテムを選んでください";
    return runPicker(game, picker);
}

int PickFromList(Game& game, const std::vector<std::string>& texts, const std::vector<int>& values,
                 const std::string& prompt)
{
    ListPicker picker;
    for (std::size_t i = 0; i < texts.size(); ++i)
        if (!texts[i].empty())
            picker.rows.push_back({texts[i], 0, i < values.size() ? values[i] : 0, {}});
    if (picker.rows.empty())
        return 0;
    picker.prompt = prompt;
    return runPicker(game, picker);
}

} // namespace qvr
