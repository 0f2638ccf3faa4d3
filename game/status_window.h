#pragma once

// The character status window: one character's sheet, pack and commands. It
// is a model that takes keys (and clicks) until "L)戻る" closes it; the
// front end draws it and forwards input, the script runner dumps it, tests
// drive it. Where it was opened from decides its commands.

#include <array>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "core/keys.h"
#include "core/modal_window.h"
#include "core/screen.h"
#include "core/shared_screens.h"
#include "game/status_fields.h"
#include "maze/catalogue_card.h"
#include "maze/teleport.h"

namespace qvr {

class Game;
struct Character;

enum class StatusCommand {
    Equip,
    Give,
    PoolGold,
    Drop,
    CastSpell,
    UseItem,
    Identify,
    Appraise,
    ReadSpellBook,
    Next,
    Previous,
    Leave,
};
inline constexpr int kStatusCommandCount = 12;

// A command's row text ("E)装備") and its key letter.
const char* CommandText(StatusCommand command);
char CommandKey(StatusCommand command);

// The commands a character is offered from a place, in list order.
std::vector<StatusCommand> StatusCommandSet(const Character& c, StatusMode mode);

// Which of the window's lists has the keyboard.
enum class StatusFocus {
    Commands,  // lstCommand
    Items,     // lstItem, while an item is picked for a command
    Equip,     // lstEQ, while equipping
    SpellBook, // fraSpell, until a key closes it
    Teleport,  // fraMove, until Enter jumps or Escape gives up
    Card,      // fraInspect in place of the sheet, until a key closes it
};

struct StatusWindow final : ModalWindow {
    static constexpr WindowKind kKind = WindowKind::Status;
    WindowKind kind() const override { return kKind; }

    using Handler = std::function<void(Game&, StatusWindow&)>;

    // Builds the window on a character; every command acts on the one shown.
    StatusWindow(Game& game, int rosterNo, StatusMode mode);

    StatusMode mode;
    int rosterNo = 0; // the character shown
    StatusSheet sheet;
    StatusFocus focus = StatusFocus::Commands;

    // lstCommand: rows carry their key letter and the StatusCommand as value.
    std::vector<Row> commands;
    int commandSelected = 0;

    // lstItem: "01:* name", the value being the pack slot. While an item is
    // picked, itemTitle and itemPrompt say for what.
    std::vector<Row> items;
    int itemSelected = -1;
    std::string itemTitle;
    std::string itemPrompt;

    // lstEQ while equipping kind 1..7 (0 otherwise), under its caption; the
    // value of a row is the pack slot, 0 for "なにもつけない".
    int equipKind = 0;
    std::string equipCaption;
    std::vector<Row> equipRows;
    int equipSelected = 0;

    // fraSpell: the two schools' pages while the book is open.
    bool spellBookVisible = false;
    std::array<std::vector<std::string>, 2> spellBook;

    std::string lblMsg1; // what became of the last item thrown away

    // fraMove, the camp's coordinate teleport, while it is open.
    std::optional<TeleportPanel> teleport;
    // fraInspect (an item's card: appraisal, the encyclopedia) or fraMonster
    // (the dictionary's), while it hides the sheet.
    std::optional<Card> card;

    // What each command does. The window fills in its own; a command whose
    // handler is empty is not listed, so the camp's commands appear once the
    // maze installs theirs.
    std::array<Handler, kStatusCommandCount> handlers;

    void pressKey(Game& game, Key key) override;
    void clickCommand(Game& game, int row);
    void clickItem(Game& game, int row);
    void clickEquip(Game& game, int row);

    // Draws the sheet and the item lines again.
    void refresh(Game& game);
    // Lists the commands afresh for the character shown.
    void rebuildCommands(Game& game);
    // Shows another character (the next or previous member).
    void show(Game& game, int rosterNo);
    // Gives lstItem the keyboard to pick an item for `then`; a character who
    // carries nothing is told so instead.
    void pickItem(Game& game, std::string title, std::string prompt,
                  std::function<void(Game&, StatusWindow&, int slot)> then);
    // Opens lstEQ on the kind after `kind`, or ends the equipping.
    void equipAfter(Game& game, int kind);

private:
    void perform(Game& game, int row);
    void chooseEquip(Game& game, int row);
    void chooseItem(Game& game, int row);
    void backToCommands();

    std::function<void(Game&, StatusWindow&, int)> onItemPicked_;
};

} // namespace qvr
