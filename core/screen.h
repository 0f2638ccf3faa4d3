#pragma once

// The main window as data. Panels are named after the game's controls
// (frame fra..., list lst..., labels lbl...); each has a caption, a menu of
// rows, a selection, visible and enabled flags and labels, and a place in the
// window's logical 220 x 220 space. Exactly one list owns the keyboard. The
// front end draws this model and forwards keys; it never decides anything.

#include <deque>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "core/keys.h"

namespace qvr {

class Game;

inline constexpr double kLogicalSize = 220.0;

struct Rect {
    double x = 0, y = 0, w = 0, h = 0; // logical units
};

struct Row {
    std::string text;                  // exactly as shown, blanks included
    char key = 0;                      // upper-case letter that selects and performs it, or 0
    int value = 0;                     // the line's data value (a roster number, a slot, ...)
    std::function<void(Game&)> action; // what performing it does (may be empty)
};

struct Label {
    std::string name; // "lblClass0", "lblMsg", ...
    std::string text;
    bool visible = true;
};

struct Panel {
    std::string name;    // the frame: "fraCaldrimar"
    std::string list;    // its menu list: "lstCaldrimar"; empty for a panel without one
    std::string caption; // the frame's title
    std::vector<Row> rows;
    int selected = -1;
    bool visible = false;
    bool enabled = true;
    std::vector<Label> labels;
    Rect rect;
    int backRow = -1; // performed by Escape and Backspace; -1: those keys do nothing

    // Performs a row when the row has no action of its own (lists whose rows
    // are data, such as the party list).
    std::function<void(Game&, int row)> perform;
    // Keys the panel treats itself before the common keys (the tavern's
    // digits); returns true when it took the key.
    std::function<bool(Game&, Key)> keyHook;

    Label& label(std::string_view name);
    const Label* findLabel(std::string_view name) const;
    void setLabel(std::string_view name, std::string text);
};

// One item of the main window's drawing (the maze view, the closing text).
struct DrawItem {
    enum class Kind { Line, FilledRect, Text } kind = Kind::Line;
    double x1 = 0, y1 = 0, x2 = 0, y2 = 0; // logical units; a text is placed at (x1, y1)
    std::string text;
    // A centred text: x1 is its middle, and its top lies two lines above y1.
    bool centred = false;
};

// The main window's position and size in twips, and how it is shown.
struct WindowGeometry {
    long left = 100, top = 100, width = 5000, height = 5000;
    // False on a first start, when the settings keep no size: the front end
    // then picks one that suits the screen.
    bool stored = true;
};
enum class WindowShow { Normal, Minimised, Maximised };
// What the game asks of the window itself (the maze's N and X keys): only
// the front end knows how the window is shown, so it carries the request
// out and sets it back to None.
enum class WindowRequest { None, Minimise, ToggleMaximise };

class Screen {
public:
    // The title window, shown at start-up until a key or a click.
    bool titleVisible = false;
    std::string titleVersion; // Label1: "Ver.1.2.0"
    std::string titleStatus;  // lbl: "Loading...", then "Ostraveling Start"

    bool mainVisible = false;
    // The game has run its exit sequence and asks to end the program (the
    // edge of town's last row); the front end closes without asking again.
    bool quit = false;
    // From the start of the exit sequence until its last save is on disk;
    // still set when the program ends, that save failed (the player was told,
    // though perhaps not past the message) and the program says so.
    bool exitUnsaved = false;
    std::string title = "zedure";
    WindowGeometry geometry;
    WindowRequest windowRequest = WindowRequest::None;

    std::deque<Panel> panels;  // in drawing order; references stay valid as panels are added
    std::string keyboardOwner; // name of the panel whose list has the keyboard

    // lblMsg: the maze's help line, and the closing text of the game.
    Label message{"lblMsg", "", false};
    bool messageCentred = false;
    Label moveArrow{"lblMove", "", false};
    bool monsterPictureVisible = false; // picMonster
    std::string monsterPicturePath;
    std::vector<DrawItem> drawing;

    Panel& panel(std::string_view name);             // throws GameError when unknown
    const Panel& panel(std::string_view name) const; // throws GameError when unknown
    Panel* find(std::string_view name);
    Panel& add(Panel panel);

    // Makes the panel visible and enabled, selects `row` and gives its list
    // the keyboard.
    void open(std::string_view name, int row = 0);
    void focus(std::string_view name);
    Panel* keyboardPanel();
};

// Moves a list's selection for the navigation keys (Up, Down, Home, End,
// PageUp, PageDown); returns false for any other key. A page is `pageRows`.
bool MoveSelection(int& selected, int rowCount, Key key, int pageRows = 8);

} // namespace qvr
