#pragma once

// Every modal window of the game, as the prompter sees it: a model that
// takes keys until it has closed, and says what kind of window it is so
// that a front end can pick the view that draws it. A new window is a new
// kind and a view in each front end; the prompter's interface stays as it
// is.

#include "core/keys.h"

namespace qvr {

class Game;

enum class WindowKind {
    MessageBox,       // a message, a yes/no question or a text box
    ListPicker,       // a list of lines to choose one from
    CharacterChooser, // the roster's characters
    Settings,         // the tracks and monster pictures
    Status,           // one character's sheet and commands
    Ranking,          // one of the astrology office's boards
    History,          // the lines message boxes have shown
};

class ModalWindow {
public:
    virtual ~ModalWindow() = default;

    virtual WindowKind kind() const = 0;
    // A key while the window is open. A closed window takes none.
    virtual void pressKey(Game& game, Key key) = 0;

    bool closed() const { return closed_; }
    // Closes the window without an answer of its own: the front end's frame
    // was closed, or a test has seen enough.
    void close() { closed_ = true; }

protected:
    ModalWindow() = default;
    ModalWindow(const ModalWindow&) = default;
    ModalWindow& operator=(const ModalWindow&) = default;

private:
    bool closed_ = false;
};

// The window as its own type when it is of that kind, else nullptr. Each
// window type names its kind as kKind.
template <class Window> Window* WindowAs(ModalWindow& window)
{
    return window.kind() == Window::kKind ? static_cast<Window*>(&window) : nullptr;
}

template <class Window> const Window* WindowAs(const ModalWindow& window)
{
    return window.kind() == Window::kKind ? static_cast<const Window*>(&window) : nullptr;
}

} // namespace qvr
