#pragma once

// The keys the game knows. Letters and digits are their upper-case ASCII
// codes, so a menu row's key letter compares directly with a pressed key.

#include <optional>
#include <string>
#include <string_view>

namespace qvr {

enum class Key : int {
    None = 0,
    Space = ' ',
    Minus = '-', // typed into number fields
    Enter = 256,
    Escape,
    Backspace,
    Up,
    Down,
    Left,
    Right,
    Home,
    End,
    PageUp,
    PageDown,
    Ctrl,
    F2, // the message history, wherever the player is
};

// 'a'..'z', 'A'..'Z' and '0'..'9' as keys; anything else is Key::None.
constexpr Key CharKey(char c)
{
    if (c >= 'a' && c <= 'z')
        c = static_cast<char>(c - 'a' + 'A');
    if ((c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9'))
        return static_cast<Key>(c);
    return Key::None;
}

constexpr bool IsLetterKey(Key k)
{
    return static_cast<int>(k) >= 'A' && static_cast<int>(k) <= 'Z';
}

constexpr bool IsDigitKey(Key k)
{
    return static_cast<int>(k) >= '0' && static_cast<int>(k) <= '9';
}

// The letter or digit of a key, or 0.
constexpr char KeyChar(Key k)
{
    return IsLetterKey(k) || IsDigitKey(k) ? static_cast<char>(k) : 0;
}

// Names as scripts write them: "A".."Z", "0".."9", "Enter", "Escape", ...
std::optional<Key> KeyFromName(std::string_view name);
std::string KeyName(Key key);

} // namespace qvr
