#include <toml++/toml.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <map>
#include <sstream>

#include "tools/content/maze_source.h"
#include "tools/content/toml_fields.h"

namespace qvr::content {

namespace {

// The game's text numbers never run past five digits; a longer key is a typo.
constexpr long kMaxNumber = kLastMessageNumber;

struct Problem {
    std::size_t line;
    std::size_t column;
    std::string what;
};

// Length of the well-formed UTF-8 sequence at s[i], or 0 when it is not one:
// overlong forms, surrogates and code points past U+10FFFF are all refused.
std::size_t utf8SequenceLength(std::string_view s, std::size_t i)
{
    const auto byte = [&](std::size_t k) { return static_cast<unsigned char>(s[k]); };
    const unsigned char b0 = byte(i);
    if (b0 < 0x80)
        return 1;
    std::size_t len;
    unsigned char lo = 0x80, hi = 0xBF;
    if (b0 >= 0xC2 && b0 <= 0xDF) {
        len = 2;
    } else if (b0 >= 0xE0 && b0 <= 0xEF) {
        len = 3;
        if (b0 == 0xE0)
            lo = 0xA0;
        if (b0 == 0xED)
            hi = 0x9F;
    } else if (b0 >= 0xF0 && b0 <= 0xF4) {
        len = 4;
        if (b0 == 0xF0)
            lo = 0x90;
        if (b0 == 0xF4)
            hi = 0x8F;
    } else {
        return 0;
    }
    if (i + len > s.size())
        return 0;
    if (byte(i + 1) < lo || byte(i + 1) > hi)
        return 0;
    for (std::size_t k = 2; k < len; ++k)
        if (byte(i + k) < 0x80 || byte(i + k) > 0xBF)
            return 0;
    return len;
}

// Checks the raw file before the TOML reader sees it, so that a bad byte is
// reported as what it is, with the line it sits on.
void checkUtf8(std::string_view text, std::vector<Problem>& problems)
{
    std::size_t line = 1, column = 1;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t len = utf8SequenceLength(text, i);
        if (len == 0) {
            char hex[8];
            std::snprintf(hex, sizeof hex, "%02X", static_cast<unsigned char>(text[i]));
            problems.push_back({line, column, std::string("invalid UTF-8 (byte 0x") + hex + ")"});
            return; // one report is enough: the rest of the line is unreadable anyway
        }
        if (text[i] == '\n') {
            ++line;
            column = 1;
        } else {
            ++column;
        }
        i += len;
    }
}

// A key is a message number: decimal digits only, no sign, no leading zero
// ("0123" and "123" would be two TOML keys for one number), 1..kMaxNumber.
bool parseNumber(std::string_view key, int& number)
{
    if (key.empty() || key.size() > 5 || key[0] == '0')
        return false;
    long n = 0;
    for (char c : key) {
        if (c < '0' || c > '9')
            return false;
        n = n * 10 + (c - '0');
    }
    if (n < 1 || n > kMaxNumber)
        return false;
    number = static_cast<int>(n);
    return true;
}

// Line breaks are the only control characters a message box can show; a tab
// or a NUL in a text is a slip of the keyboard.
bool hasStrayControl(std::string_view text)
{
    for (char c : text) {
        const auto u = static_cast<unsigned char>(c);
        if ((u < 0x20 && c != '\n' && c != '\r') || u == 0x7F)
            return true;
    }
    return false;
}

void collectEntries(const toml::table& root, std::map<int, std::string>& entries,
                    std::vector<Problem>& problems)
{
    for (auto&& [key, node] : root) {
        const auto& at = key.source().begin;
        int number = 0;
        if (!parseNumber(key.str(), number)) {
            problems.push_back({at.line, at.column,
                                "key \"" + std::string(key.str()) +
                                    "\" is not a message number (1 to " +
                                    std::to_string(kMaxNumber) + ", no leading zeros)"});
            continue;
        }
        const auto* text = node.as_string();
        if (!text) {
            problems.push_back({at.line, at.column,
                                "the value of " + std::to_string(number) + " is not a string"});
            continue;
        }
        const std::string& value = text->get();
        const std::string_view view = value;
        for (std::size_t i = 0; i < view.size();) {
            const std::size_t len = utf8SequenceLength(view, i);
            if (len == 0) {
                problems.push_back(
                    {at.line, at.column, "text " + std::to_string(number) + " is not valid UTF-8"});
                break;
            }
            i += len;
        }
        if (hasStrayControl(value))
            problems.push_back({at.line, at.column,
                                "text " + std::to_string(number) +
                                    " holds a control character other than a line break"});
        if (!entries.emplace(number, value).second)
            problems.push_back({at.line, at.column, "number " + std::to_string(number) + " twice"});
    }
}

bool readFile(const std::filesystem::path& path, std::string& content)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return false;
    std::ostringstream buf;
    buf << in.rdbuf();
    if (in.bad())
        return false;
    content = std::move(buf).str();
    return true;
}

bool parseToml(const std::string& content, const std::string& path, toml::table& root,
               std::vector<Problem>& problems)
{
#if TOML_EXCEPTIONS
    try {
        root = toml::parse(content, path);
    } catch (const toml::parse_error& err) {
        problems.push_back(
            {err.source().begin.line, err.source().begin.column, std::string(err.description())});
        return false;
    }
#else
    toml::parse_result result = toml::parse(content, path);
    if (!result) {
        const auto& err = result.error();
        problems.push_back(
            {err.source().begin.line, err.source().begin.column, std::string(err.description())});
        return false;
    }
    root = std::move(result).table();
#endif
    return true;
}

} // namespace

MessageTable ReadMessageSource(const std::filesystem::path& path)
{
    const std::string inPath = path.string();
    std::string content;
    if (!readFile(path, content))
        throw SourceError(inPath + ": error: cannot read the file");
    std::vector<Problem> problems;
    std::map<int, std::string> entries;
    checkUtf8(content, problems);
    toml::table root;
    if (problems.empty() && parseToml(content, inPath, root, problems))
        collectEntries(root, entries, problems);
    if (!problems.empty()) {
        // The TOML reader hands the keys back sorted as strings; report in
        // file order.
        std::stable_sort(problems.begin(), problems.end(),
                         [](const Problem& a, const Problem& b) { return a.line < b.line; });
        std::string all;
        for (const Problem& p : problems)
            all += (all.empty() ? "" : "\n") + inPath + ':' + std::to_string(p.line) + ':' +
                   std::to_string(p.column) + ": error: " + p.what;
        throw SourceError(all);
    }
    std::vector<MessageEntry> sorted;
    for (auto& [number, text] : entries)
        sorted.push_back({number, std::move(text)});
    return MessageTable(std::move(sorted));
}

} // namespace qvr::content
