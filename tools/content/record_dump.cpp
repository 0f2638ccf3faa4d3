#include "tools/content/record_dump.h"

#include <charconv>
#include <cstdio>
#include <cstdlib>

namespace qvr::content {

std::string QuoteText(const std::string& text)
{
    std::string quoted = "\"";
    for (char ch : text) {
        auto byte = static_cast<unsigned char>(ch);
        if (ch == '"' || ch == '\\') {
            quoted += '\\';
            quoted += ch;
        } else if (byte < 0x20 || byte == 0x7F) {
            char escape[8];
            std::snprintf(escape, sizeof escape, "\\u%04X", byte);
            quoted += escape;
        } else {
            quoted += ch;
        }
    }
    return quoted + "\"";
}

std::string MaskText(long bits, std::span<const BitName> names)
{
    if (bits <= 0)
        return std::to_string(bits);
    std::string list;
    auto add = [&](const char* name) {
        list += std::string(list.empty() ? "" : ", ") + QuoteText(name);
    };
    for (const BitName& n : names)
        if (n.bits == bits) {
            add(n.name);
            return "[" + list + "]";
        }
    long left = bits;
    for (const BitName& n : names)
        if ((n.bits & (n.bits - 1)) == 0 && (bits & n.bits) != 0) {
            add(n.name);
            left &= ~n.bits;
        }
    return left == 0 ? "[" + list + "]" : std::to_string(bits);
}

namespace {

template <typename T>
std::string shortest(T v)
{
    char buffer[64];
    auto [end, ec] = std::to_chars(buffer, buffer + sizeof buffer, v);
    std::string s(buffer, end);
    // TOML tells a real from an integer by its point or exponent.
    if (s.find_first_of(".eni") == std::string::npos)
        s += ".0";
    return s;
}

} // namespace

std::string FormatReal(float v)
{
    // Sources are read as doubles and then narrowed; the float's own shortest
    // form almost always survives that, and the double's always does.
    std::string s = shortest(v);
    if (static_cast<float>(std::strtod(s.c_str(), nullptr)) == v)
        return s;
    return shortest(static_cast<double>(v));
}

} // namespace qvr::content
