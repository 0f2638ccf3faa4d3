#include "ui/key_map.h"

namespace qvr {

Key MapQtKey(int qtKey)
{
    // Qt gives a letter its upper-case code whatever Shift or Caps Lock say,
    // and keypad digits the same codes as the main row.
    if (qtKey >= Qt::Key_A && qtKey <= Qt::Key_Z)
        return static_cast<Key>('A' + (qtKey - Qt::Key_A));
    if (qtKey >= Qt::Key_0 && qtKey <= Qt::Key_9)
        return static_cast<Key>('0' + (qtKey - Qt::Key_0));
    switch (qtKey) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        return Key::Enter;
    case Qt::Key_Escape:
        return Key::Escape;
    case Qt::Key_Backspace:
        return Key::Backspace;
    case Qt::Key_Space:
        return Key::Space;
    case Qt::Key_Up:
        return Key::Up;
    case Qt::Key_Down:
        return Key::Down;
    case Qt::Key_Left:
        return Key::Left;
    case Qt::Key_Right:
        return Key::Right;
    case Qt::Key_Home:
        return Key::Home;
    case Qt::Key_End:
        return Key::End;
    case Qt::Key_PageUp:
        return Key::PageUp;
    case Qt::Key_PageDown:
        return Key::PageDown;
    case Qt::Key_Control:
        return Key::Ctrl;
    case Qt::Key_Minus:
        return Key::Minus;
    case Qt::Key_F2:
        return Key::F2;
    default:
        return Key::None;
    }
}

} // namespace qvr
