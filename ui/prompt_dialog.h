#pragma once

// What the game's modal prompts share: a dialog that feeds keys to an engine
// model and closes when the model says it has closed, the text and font
// conventions of the game's windows, and the twip conversion of its window
// sizes.

#include <exception>
#include <string>
#include <vector>

#include <QDialog>
#include <QFont>
#include <QString>

#include "core/keys.h"
#include "ui/twips.h"

class QEvent;
class QShowEvent;
class QFrame;
class QKeyEvent;
class QListWidget;

namespace qvr {

class Game;
struct Row;

// "&Y)ES [Enter]" as rich text with the Y underlined ("&&" is a plain "&").
QString MnemonicHtml(const QString& text);

// The prompts' lists and labels, in the game's font at an even size that
// follows the main window's (`anchor` is a widget of it or a dialog over
// it): three quarters of the panels' size, never below kPromptFontPixels.
inline constexpr int kPromptFontPixels = 12;
QFont PromptFont(const QWidget* anchor);
// How much larger than the size the prompts were laid out for (14 pixels)
// `font` is: fixed widths of the dialogs grow by it.
double PromptScale(const QFont& font);

// Puts `dialog` in the middle of the window it belongs to (the main window).
void CentreOnMainWindow(QWidget* dialog);

// A list of the prompts: it never takes the keyboard (the dialog gives every
// key to the model, which moves the selection itself) and reacts to presses,
// not clicks.
QListWidget* PromptList(const char* name, QWidget* parent);
// Puts the texts into the list, rebuilding it only when they changed, and
// shows `selected` as the current line.
void ShowLines(QListWidget* list, const std::vector<std::string>& texts, int selected);
void ShowRows(QListWidget* list, const std::vector<Row>& rows, int selected);
// The line under a left-button press on a prompt list's viewport, or -1 for
// any other event. The second press of a double click is not a press.
int PressedLine(const QListWidget* list, const QEvent* event);
// Presses, releases and drags on a prompt list belong to the model; the
// list's own handling would move its selection behind the model's back.
bool IsMouseButtonEvent(const QEvent* event);

// The game's key for a key press, or Key::None for keys the prompts ignore:
// a held Ctrl does not save over and over, and a letter with Ctrl or Alt is
// a chord, not an answer.
Key PromptKey(const QKeyEvent* event);

class PromptDialog : public QDialog {
    Q_OBJECT
public:
    explicit PromptDialog(QWidget* parent);

    // True while the dialog is shown for a prompt: a prompt that opens
    // another of its kind (a failed save in a message box shows a message)
    // needs a second dialog.
    bool busy() const { return busy_; }

    // Closing the window by other means than the game's keys (the window
    // manager, a watchdog) cancels the prompt, as Escape would.
    void reject() override;

protected:
    // The raised panel that fills the borderless window; the dialogs lay
    // their controls out on it.
    QFrame* body() const { return body_; }

    // Shows the dialog until the model closes; rethrows what the model threw
    // on the way, after the dialog has closed.
    void runModal(Game& game);
    Game& game() { return *game_; }

    virtual void forwardKey(Key key) = 0;
    virtual bool modelClosed() const = 0;
    virtual void cancelModel() = 0;
    // Brings the widgets up to date with the model after a key or a click.
    virtual void refresh() {}
    // The dialog's font changed with the main window's size: fixed sizes
    // follow it.
    virtual void rescaled() {}
    // Where the dialog stands when it opens: centred on the main window.
    virtual void place() { CentreOnMainWindow(this); }
    // Takes the main window's present text size.
    void applyScale();

    void showEvent(QShowEvent* event) override;

    // Runs a change of the model; an exception must not cross Qt's event
    // loop, so it closes the dialog and is rethrown by runModal.
    template <class F> void change(F&& f)
    {
        try {
            f();
        } catch (...) {
            failure_ = std::current_exception();
            done(Rejected);
            return;
        }
        settle();
    }

    void keyPressEvent(QKeyEvent* event) override;

    // What the player did, for a recording of the session (qvr --record);
    // nothing when none is made.
    void recordKey(Key key) const;
    void recordText(const std::string& text) const;
    void recordClick(const std::string& list, int row) const;

private:
    void settle();

    QFrame* body_;
    Game* game_ = nullptr;
    bool busy_ = false;
    std::exception_ptr failure_;
};

} // namespace qvr
