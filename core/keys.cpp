#include "core/keys.h"

#include <array>
#include <utility>

namespace qvr {

namespace {

constexpr std::array<std::pair<std::string_view, Key>, 16> kNamed{{
    {"Enter", Key::Enter},
    {"Escape", Key::Escape},
    {"Backspace", Key::Backspace},
    {"Space", Key::Space},
    {"Up", Key::Up},
    {"Down", Key::Down},
    {"Left", Key::Left},
    {"Right", Key::Right},
    {"Home", Key::Home},
    {"End", Key::End},
    {"PageUp", Key::PageUp},
    {"PageDown", Key::PageDown},
    {"Ctrl", Key::Ctrl},
    {"Minus", Key::Minus},
    {"F2", Key::F2},
    {"None", Key::None},
}};

} // namespace

std::optional<Key> KeyFromName(std::string_view name)
{
    if (name.size() == 1 && CharKey(name[0]) != Key::None)
        return CharKey(name[0]);
    for (const auto& [text, key] : kNamed)
        if (text == name && key != Key::None)
            return key;
    return std::nullopt;
}

std::string KeyName(Key key)
{
    if (char c = KeyChar(key))
        return std::string(1, c);
    for (const auto& [text, k] : kNamed)
        if (k == key)
            return std::string(text);
    return "Key" + std::to_string(static_cast<int>(key));
}

} // namespace qvr
