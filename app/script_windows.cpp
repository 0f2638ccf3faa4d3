#include "app/script_windows.h"

#include <ostream>

#include "app/script_transcript.h"
#include "core/message_history.h"
#include "core/prompts.h"
#include "game/spell_book.h"
#include "game/status_window.h"
#include "town/rankings.h"

namespace qvr {

namespace {

// The names of the window's own controls, as a dump calls them.
// The frame a card is shown in.
const char* cardFrame(const StatusWindow& w)
{
    return w.card && std::holds_alternative<MonsterCard>(*w.card) ? "fraMonster" : "fraInspect";
}

const char* keyboardList(const StatusWindow& w)
{
    switch (w.focus) {
    case StatusFocus::Items:
        return "lstItem";
    case StatusFocus::Equip:
        return "lstEQ";
    case StatusFocus::SpellBook:
        return "fraSpell";
    case StatusFocus::Teleport:
        return "fraMove";
    case StatusFocus::Card:
        return cardFrame(w);
    case StatusFocus::Commands:
        break;
    }
    return "lstCommand";
}

// The teleport fields in one line, the focused one marked: "X 0 | Y> -3 | Z 0".
std::string teleportFields(const TeleportPanel& panel)
{
    static constexpr const char* kAxes[] = {"X", "Y", "Z"};
    std::string out;
    for (std::size_t i = 0; i < panel.fields.size(); ++i) {
        if (i > 0)
            out += " | ";
        out += std::string(kAxes[i]) + (static_cast<int>(i) == panel.focused ? "> " : " ") +
               panel.fields[i];
    }
    return out;
}

std::string itemsHead(const StatusWindow& w)
{
    return "[" + OneLine(w.itemTitle) + "] " + OneLine(w.itemPrompt);
}

std::string spellsHead(std::size_t school)
{
    return kSpellBookHeadings[school];
}

void writeBoxPrompt(std::ostream& out, const MessageBox& box)
{
    out << "prompt " << BoxLine(box) << (box.second ? " (second box)" : "") << '\n';
    if (box.showsInput())
        out << "  input: " << OneLine(box.input) << '\n';
}

void writePickerPrompt(std::ostream& out, const ListPicker& picker)
{
    out << "prompt PICK " << OneLine(picker.prompt) << '\n';
    WriteRows(out, picker.rows, picker.selected);
    if (picker.wide) {
        out << "  side [" << OneLine(picker.sideCaption) << "]\n";
        for (const std::string& s : picker.sideRows)
            out << "    " << OneLine(s) << '\n';
    }
}

void writeChooserPrompt(std::ostream& out, const CharacterChooser& chooser)
{
    out << "prompt PICK [mode " << chooser.mode << "]\n";
    WriteRows(out, chooser.rows, chooser.selected);
}

std::string historyLine(const HistoryWindow& window)
{
    return "HISTORY" + RowList(window.lines);
}

void writeHistoryPrompt(std::ostream& out, const HistoryWindow& window)
{
    out << "prompt HISTORY\n";
    for (std::size_t i = 0; i < window.lines.size(); ++i)
        out << (static_cast<int>(i) == window.selected ? "  > " : "    ")
            << OneLine(window.lines[i]) << '\n';
}

} // namespace

std::vector<std::string> WindowLines(const ModalWindow& window)
{
    switch (window.kind()) {
    case WindowKind::MessageBox:
        return {BoxLine(*WindowAs<MessageBox>(window))};
    case WindowKind::ListPicker:
        return {PickerLine(*WindowAs<ListPicker>(window))};
    case WindowKind::CharacterChooser:
        return {ChooserLine(*WindowAs<CharacterChooser>(window))};
    case WindowKind::Status:
        return StatusLines(*WindowAs<StatusWindow>(window));
    case WindowKind::Ranking:
        return {RankLine(*WindowAs<RankingWindow>(window))};
    case WindowKind::History:
        return {historyLine(*WindowAs<HistoryWindow>(window))};
    case WindowKind::Settings:
        break; // refused before it opens
    }
    return {};
}

const char* WindowName(const ModalWindow& window)
{
    switch (window.kind()) {
    case WindowKind::MessageBox:
        return "a message box";
    case WindowKind::ListPicker:
    case WindowKind::CharacterChooser:
        return "a list";
    case WindowKind::Settings:
        return "the settings window";
    case WindowKind::Status:
        return "the status window";
    case WindowKind::Ranking:
        return "the ranking window";
    case WindowKind::History:
        return "the message history";
    }
    return "a window";
}

void WriteWindowPrompt(std::ostream& out, const ModalWindow& window)
{
    switch (window.kind()) {
    case WindowKind::MessageBox:
        writeBoxPrompt(out, *WindowAs<MessageBox>(window));
        break;
    case WindowKind::ListPicker:
        writePickerPrompt(out, *WindowAs<ListPicker>(window));
        break;
    case WindowKind::CharacterChooser:
        writeChooserPrompt(out, *WindowAs<CharacterChooser>(window));
        break;
    case WindowKind::Status:
        WriteStatusPrompt(out, *WindowAs<StatusWindow>(window));
        break;
    case WindowKind::Ranking:
        WriteRankingPrompt(out, *WindowAs<RankingWindow>(window));
        break;
    case WindowKind::History:
        writeHistoryPrompt(out, *WindowAs<HistoryWindow>(window));
        break;
    case WindowKind::Settings:
        break; // refused before it opens
    }
}

std::string RankLine(const RankingWindow& window)
{
    return "RANK " + OneLine(window.heading) + RowList(window.rows);
}

std::vector<std::string> StatusLines(const StatusWindow& w)
{
    std::vector<std::string> lines;
    switch (w.focus) {
    case StatusFocus::Items:
        lines.push_back("ITEMS " + itemsHead(w) + RowList(w.items));
        break;
    case StatusFocus::Equip:
        lines.push_back("EQUIP " + OneLine(w.equipCaption) + RowList(w.equipRows));
        break;
    case StatusFocus::SpellBook:
        for (std::size_t school = 0; school < w.spellBook.size(); ++school)
            lines.push_back("SPELLS " + spellsHead(school) + RowList(w.spellBook[school]));
        break;
    case StatusFocus::Teleport:
        if (w.teleport)
            lines.push_back(std::string("MOVE ") + kTeleportTitle + " | " +
                            teleportFields(*w.teleport));
        break;
    case StatusFocus::Card:
        if (w.card)
            lines.push_back("CARD" + RowList(CardLines(*w.card)));
        break;
    case StatusFocus::Commands:
        lines.push_back("STATUS " + OneLine(w.sheet.caption) + RowList(w.commands));
        break;
    }
    if (!w.lblMsg1.empty())
        lines.push_back("NOTE " + OneLine(w.lblMsg1));
    return lines;
}

void WriteRankingPrompt(std::ostream& out, const RankingWindow& window)
{
    out << "prompt RANK " << OneLine(window.heading) << '\n';
    for (std::size_t i = 0; i < window.rows.size(); ++i)
        out << (static_cast<int>(i) == window.selected ? "  > " : "    ") << OneLine(window.rows[i])
            << '\n';
}

void WriteStatusPrompt(std::ostream& out, const StatusWindow& w)
{
    out << "prompt STATUS " << OneLine(w.sheet.caption) << '\n';
    for (const std::string& line : SheetLines(w.sheet))
        if (!line.empty())
            out << "  sheet: " << OneLine(line) << '\n';
    out << "  lstCommand\n";
    WriteRows(out, w.commands, w.commandSelected);
    out << "  lstItem";
    if (w.focus == StatusFocus::Items)
        out << ' ' << itemsHead(w);
    out << '\n';
    WriteRows(out, w.items, w.itemSelected);
    if (w.equipKind != 0) {
        out << "  lstEQ [" << OneLine(w.equipCaption) << "]\n";
        WriteRows(out, w.equipRows, w.equipSelected);
    }
    if (w.spellBookVisible) {
        for (std::size_t school = 0; school < w.spellBook.size(); ++school) {
            out << "  fraSpell " << spellsHead(school) << '\n';
            for (const std::string& line : w.spellBook[school])
                out << "    " << OneLine(line) << '\n';
        }
    }
    if (w.teleport) {
        out << "  fraMove [" << kTeleportTitle << "] " << OneLine(kTeleportHelp) << '\n';
        for (std::size_t i = 0; i < w.teleport->fields.size(); ++i)
            out << (static_cast<int>(i) == w.teleport->focused ? "  > " : "    ")
                << TeleportPanel::kFieldNames[i] << ": " << w.teleport->fields[i] << '\n';
    }
    if (w.card) {
        out << "  " << cardFrame(w) << '\n';
        for (const std::string& line : CardLines(*w.card))
            out << "    " << OneLine(line) << '\n';
    }
    if (!w.lblMsg1.empty())
        out << "  lblMsg1: " << OneLine(w.lblMsg1) << '\n';
    out << "  keyboard " << keyboardList(w) << '\n';
}

bool ClickWindow(Game& game, ModalWindow& window, const std::string& list, int row)
{
    if (auto* status = WindowAs<StatusWindow>(window)) {
        if (list == "lstCommand")
            status->clickCommand(game, row);
        else if (list == "lstItem")
            status->clickItem(game, row);
        else if (list == "lstEQ")
            status->clickEquip(game, row);
        else
            return false;
        return true;
    }
    if (!list.empty())
        return false;
    if (auto* picker = WindowAs<ListPicker>(window))
        picker->click(game, row);
    else if (auto* chooser = WindowAs<CharacterChooser>(window))
        chooser->click(game, row);
    else if (auto* board = WindowAs<RankingWindow>(window))
        board->click();
    else
        return false;
    return true;
}

} // namespace qvr
