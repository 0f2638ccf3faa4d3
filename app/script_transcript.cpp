#include "app/script_transcript.h"

#include <array>
#include <cmath>
#include <cstdio>
#include <ostream>

#include "app/script_windows.h"
#include "core/game.h"
#include "core/prompts.h"

namespace qvr {

namespace {

const char* boxKind(BoxType type)
{
    switch (type) {
    case BoxType::Input:
        return "INPUT";
    case BoxType::YesNo:
        return "ASK";
    case BoxType::Message:
        break;
    }
    return "MSG";
}

std::string clockText(const Game& game)
{
    double seconds = game.clock ? game.clock->secondsSinceMidnight() : 0;
    long long ms = std::llround(seconds * 1000);
    char text[48];
    std::snprintf(text, sizeof text, "%02lld:%02lld:%02lld.%03lld", ms / 3600000 % 100,
                  ms / 60000 % 60, ms / 1000 % 60, ms % 1000);
    return text;
}

void writePanel(std::ostream& out, const Panel& p)
{
    out << "panel " << p.name << " [" << OneLine(p.caption) << "] "
        << (p.list.empty() ? "-" : p.list) << (p.enabled ? "" : " disabled") << '\n';
    WriteRows(out, p.rows, p.selected);
    for (const Label& l : p.labels)
        if (l.visible && !l.text.empty())
            out << "  label " << l.name << ": " << OneLine(l.text) << '\n';
}

// Where the party stands and every primitive of its view, so that a script
// can hold what the player sees.
void writeMaze(std::ostream& out, const Game& game)
{
    const GameState& st = game.state;
    static const char kFacing[] = {'N', 'E', 'S', 'W'};
    out << "maze floor " << st.floor << " x " << st.posX << " y " << st.posY << " facing "
        << kFacing[st.facing & 3] << " turns " << st.turnCounter << '\n';
    out << "view " << game.screen.drawing.size() << '\n';
    for (const DrawItem& d : game.screen.drawing) {
        switch (d.kind) {
        case DrawItem::Kind::Line:
            out << "  line " << d.x1 << ',' << d.y1 << ' ' << d.x2 << ',' << d.y2 << '\n';
            break;
        case DrawItem::Kind::FilledRect:
            out << "  rect " << d.x1 << ',' << d.y1 << ' ' << d.x2 << ',' << d.y2 << '\n';
            break;
        case DrawItem::Kind::Text:
            out << (d.centred ? "  text centred " : "  text ") << d.x1 << ',' << d.y1 << ": "
                << OneLine(d.text) << '\n';
            break;
        }
    }
}

const char* stepName(CreationStep step)
{
    switch (step) {
    case CreationStep::Race:
        return "race";
    case CreationStep::Alignment:
        return "alignment";
    case CreationStep::Sex:
        return "sex";
    case CreationStep::Distribution:
        return "distribution";
    case CreationStep::Confirmation:
        break;
    }
    return "confirmation";
}

void writeValues(std::ostream& out, const char* head, const std::array<int, 6>& values)
{
    out << "  " << head;
    for (int v : values)
        out << ' ' << v;
    out << '\n';
}

void writeWizard(std::ostream& out, const CreationWizard& w)
{
    out << "wizard " << stepName(w.step) << ' ' << OneLine(w.name) << '\n';
    out << "  race " << w.race << " alignment " << w.alignment << " sex " << w.sex << " class "
        << w.classCode << '\n';
    out << "  points " << w.bonusPoints << ' ' << w.pointsLeft << '\n';
    writeValues(out, "values", w.values);
    writeValues(out, "minimum", w.minimum);
}

void writePrompt(std::ostream& out, const OpenPrompt& prompt)
{
    if (prompt.window)
        WriteWindowPrompt(out, *prompt.window);
    else
        out << "prompt " << FileLine(prompt.filePattern) << '\n';
}

} // namespace

std::string OneLine(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        char c = text[i];
        if (c == '\r') {
            out += "\\n";
            if (i + 1 < text.size() && text[i + 1] == '\n')
                ++i;
        } else if (c == '\n') {
            out += "\\n";
        } else if (c == '\\') {
            out += "\\\\";
        } else if (c == '\t') {
            out += "\\t";
        } else if (static_cast<unsigned char>(c) < 0x20 || c == 0x7F) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "\\x%02X", static_cast<unsigned char>(c));
            out += hex;
        } else {
            out += c;
        }
    }
    return out;
}

std::string BoxLine(const MessageBox& box)
{
    return std::string(boxKind(box.type)) + " [" + OneLine(box.title) + "] " + OneLine(box.text);
}

std::string PickerLine(const ListPicker& picker)
{
    return "PICK " + OneLine(picker.prompt) + RowList(picker.rows);
}

std::string ChooserLine(const CharacterChooser& chooser)
{
    return "PICK [mode " + std::to_string(chooser.mode) + "]" + RowList(chooser.rows);
}

std::string FileLine(const std::string& pattern)
{
    return "FILE " + OneLine(pattern);
}

std::string RowList(const std::vector<Row>& rows)
{
    std::string line;
    for (const Row& r : rows)
        line += " | " + OneLine(r.text);
    return line;
}

std::string RowList(const std::vector<std::string>& texts)
{
    std::string line;
    for (const std::string& t : texts)
        line += " | " + OneLine(t);
    return line;
}

void WriteRows(std::ostream& out, const std::vector<Row>& rows, int selected)
{
    for (std::size_t i = 0; i < rows.size(); ++i)
        out << (static_cast<int>(i) == selected ? "  > " : "    ") << OneLine(rows[i].text) << '\n';
}

void WriteDump(std::ostream& out, const Game& game, const std::vector<OpenPrompt>& prompts)
{
    const Screen& s = game.screen;
    out << "DUMP\n";
    out << "clock " << clockText(game) << " +" << game.timers.now() << "ms\n";
    if (s.titleVisible)
        out << "title-window " << OneLine(s.titleVersion) << ' ' << OneLine(s.titleStatus) << '\n';
    out << "title " << OneLine(s.title) << '\n';
    for (const Panel& p : s.panels)
        if (p.visible)
            writePanel(out, p);
    if (s.message.visible)
        out << (s.messageCentred ? "help centred: " : "help: ") << OneLine(s.message.text) << '\n';
    if (s.moveArrow.visible)
        out << "move: " << OneLine(s.moveArrow.text) << '\n';
    if (s.monsterPictureVisible)
        out << "picture: " << OneLine(s.monsterPicturePath) << '\n';
    for (const DrawItem& d : s.drawing)
        if (d.kind == DrawItem::Kind::Text)
            out << (d.centred ? "draw centred " : "draw ") << d.x1 << ',' << d.y1 << ": "
                << OneLine(d.text) << '\n';
    if (game.place.mode == Mode::Maze)
        writeMaze(out, game);
    if (game.place.mode == Mode::Battle)
        WriteBattle(out, game);
    std::string keyboard = "none";
    for (const Panel& p : s.panels)
        if (p.name == s.keyboardOwner)
            keyboard = p.list.empty() ? p.name : p.list;
    out << "keyboard " << keyboard << '\n';
    if (game.creation)
        writeWizard(out, *game.creation);
    for (const OpenPrompt& prompt : prompts)
        writePrompt(out, prompt);
    out << "END\n";
}

void ScriptObserver::musicStarted(int track, const std::string& path)
{
    if (track == 0)
        out_ << "MUSIC 0\n";
    else
        out_ << "MUSIC " << track << ' ' << OneLine(path) << '\n';
}

void ScriptObserver::saved()
{
    out_ << "SAVE\n";
}

void ScriptObserver::titleChanged(const std::string& title)
{
    out_ << "TITLE " << OneLine(title) << '\n';
}

void ScriptObserver::panelShown(const Panel& panel)
{
    out_ << "PANEL " << panel.name << " [" << OneLine(panel.caption) << ']' << RowList(panel.rows)
         << '\n';
}

} // namespace qvr
