#pragma once

// The game's modal prompts: the message box (message, yes/no question, text
// input), the list picker and the character chooser. Each is a small model
// that takes keys and closes itself; a Prompter shows it and feeds it keys
// until it has closed. The procedures at the bottom are what rule code calls:
// each returns the answer, and nothing of it is left behind in the game.

#include <functional>
#include <string>
#include <vector>

#include "core/keys.h"
#include "core/modal_window.h"
#include "core/screen.h"
#include "core/services.h"

namespace qvr {

class Game;

enum class BoxType { Input = 1, Message = 2, YesNo = 3 };

struct MessageBox final : ModalWindow {
    static constexpr WindowKind kKind = WindowKind::MessageBox;
    WindowKind kind() const override { return kKind; }

    BoxType type = BoxType::Message;
    std::string title; // the frame caption; may be empty
    std::string text;  // lblMsg
    std::string input; // txtMsg, in text mode
    // dlgInpBox2, used while the monster picture is on screen: centred over
    // the main window, its top 500 twips below the window's top.
    bool second = false;
    int answerYes = 0; // -1 yes, 0 no
    // A battle's narration at the player's chosen speed: the front end
    // closes the box by itself after this long unless a key closed it
    // first. 0 waits for a key.
    int autoCloseMs = 0;

    static constexpr const char* kYesText = "&Y)ES [Enter]";
    static constexpr const char* kNoText = "&N)O [ESC or BS]";

    bool showsInput() const { return type == BoxType::Input; }
    bool showsYesNo() const { return type == BoxType::YesNo; }

    // The box's keys. Ctrl saves in every mode.
    void pressKey(Game& game, Key key) override;
    // Clicks: the yes and no labels in a question, the frame in a message
    // or text box.
    void clickYes();
    void clickNo();
    void clickFrame();
};

struct ListPicker final : ModalWindow {
    static constexpr WindowKind kKind = WindowKind::ListPicker;
    WindowKind kind() const override { return kKind; }

    std::string prompt; // lblMsg
    std::vector<Row> rows;
    int selected = 0;
    // The wide form shows a second list (lstItem) with its caption
    // (lblmsgItem), refreshed whenever the selection moves.
    bool wide = false;
    std::string sideCaption;
    std::vector<std::string> sideRows;
    std::function<void(Game&, ListPicker&)> onSelectionChanged;
    int result = -1; // the chosen line's data value; -1 when cancelled

    static constexpr const char* kHint = " [ESC or BS]でキャンセル";

    void pressKey(Game& game, Key key) override;
    void click(Game& game, int row);
    // Moves the selection (a click on a line, or the front end's list) and
    // refreshes the side list.
    void select(Game& game, int row);
};

struct CharacterChooser final : ModalWindow {
    static constexpr WindowKind kKind = WindowKind::CharacterChooser;
    WindowKind kind() const override { return kKind; }

    int mode = 0;
    std::vector<Row> rows; // SummaryLines, then "Ｒ）戻る" with value 0
    int selected = 0;
    int result = 0;
    // What choosing a line does in this mode; returns true to keep the
    // chooser open (it may re-list the rows). Without one, a choice closes
    // the chooser with that line's value.
    std::function<bool(Game&, CharacterChooser&, int value)> onChoose;

    static constexpr const char* kBackRow = "Ｒ）戻る";

    void pressKey(Game& game, Key key) override;
    void click(Game& game, int row);
    void choose(Game& game);
    void cancel();
};

// The prompter a prompt goes to; a GameError when the game has none.
Prompter& PrompterOf(Game& game);

// What rule code calls.
void ShowMessage(Game& game, const std::string& title, const std::string& text);
// A line of a battle's narration: a message box that closes by itself when
// the player chose a battle message speed.
void ShowNarration(Game& game, const std::string& text);
bool AskYesNo(Game& game, const std::string& title, const std::string& text);
std::string InputText(Game& game, const std::string& title, const std::string& text,
                      const std::string& defaultText = "");
int PickMember(Game& game, bool withItems);
int PickItem(Game& game, int rosterNo);
// Lines with an empty text are left out; 0 when nothing was left to pick.
int PickFromList(Game& game, const std::vector<std::string>& texts, const std::vector<int>& values,
                 const std::string& prompt);
// The mark and name of a carried item as the item lists show them.
std::string ItemMark(int16_t itemFlags);
std::string CarriedItemName(const Game& game, int rosterNo, int slot);

} // namespace qvr
