#include "core/screen.h"

#include <algorithm>

#include "core/error.h"

namespace qvr {

Label& Panel::label(std::string_view name)
{
    for (Label& l : labels)
        if (l.name == name)
            return l;
    labels.push_back({std::string(name), "", true});
    return labels.back();
}

const Label* Panel::findLabel(std::string_view name) const
{
    for (const Label& l : labels)
        if (l.name == name)
            return &l;
    return nullptr;
}

void Panel::setLabel(std::string_view name, std::string text)
{
    label(name).text = std::move(text);
}

Panel* Screen::find(std::string_view name)
{
    for (Panel& p : panels)
        if (p.name == name)
            return &p;
    return nullptr;
}

Panel& Screen::panel(std::string_view name)
{
    if (Panel* p = find(name))
        return *p;
    throw GameError("the main window has no panel " + std::string(name));
}

const Panel& Screen::panel(std::string_view name) const
{
    for (const Panel& p : panels)
        if (p.name == name)
            return p;
    throw GameError("the main window has no panel " + std::string(name));
}

Panel& Screen::add(Panel panel)
{
    if (find(panel.name))
        throw GameError("the main window already has a panel " + panel.name);
    panels.push_back(std::move(panel));
    return panels.back();
}

void Screen::open(std::string_view name, int row)
{
    Panel& p = panel(name);
    p.visible = true;
    p.enabled = true;
    p.selected = p.rows.empty() ? -1 : std::clamp(row, 0, static_cast<int>(p.rows.size()) - 1);
    keyboardOwner = p.name;
}

void Screen::focus(std::string_view name)
{
    keyboardOwner = panel(name).name;
}

Panel* Screen::keyboardPanel()
{
    return find(keyboardOwner);
}

bool MoveSelection(int& selected, int rowCount, Key key, int pageRows)
{
    if (rowCount <= 0)
        return key == Key::Up || key == Key::Down || key == Key::Home || key == Key::End ||
               key == Key::PageUp || key == Key::PageDown;
    int last = rowCount - 1;
    int current = std::clamp(selected, 0, last);
    switch (key) {
    case Key::Up:
        selected = std::max(0, selected < 0 ? 0 : current - 1);
        return true;
    case Key::Down:
        selected = selected < 0 ? 0 : std::min(last, current + 1);
        return true;
    case Key::Home:
        selected = 0;
        return true;
    case Key::End:
        selected = last;
        return true;
    case Key::PageUp:
        selected = std::max(0, current - pageRows);
        return true;
    case Key::PageDown:
        selected = std::min(last, current + pageRows);
        return true;
    default:
        return false;
    }
}

} // namespace qvr
