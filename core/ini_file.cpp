#include "core/ini_file.h"

#include <span>

#include "core/sjis.h"

namespace qvr {

namespace {

bool hasLineBreak(std::string_view s)
{
    return s.find_first_of("\r\n") != std::string_view::npos;
}

std::string bracketed(std::string_view text)
{
    return "「" + std::string(text) + "」";
}

// Whether the file can hold `utf8`; when it cannot, `why` tells the player
// which character stands in the way.
bool encodable(std::string_view utf8, std::string* why)
{
    try {
        sjisEncode(utf8);
        return true;
    } catch (const TextError& e) {
        if (why)
            *why = e.character().empty()
                       ? std::string("文字として正しくないバイトがあります")
                       : bracketed(e.character()) + "はこのファイルに書けない文字です";
        return false;
    }
}

} // namespace

IniFile IniFile::parse(std::string_view bytes, const std::string& fileName)
{
    IniFile ini;
    ini.name_ = fileName;
    std::size_t firstBreak = bytes.find('\n');
    if (firstBreak != std::string_view::npos)
        ini.newline_ = firstBreak > 0 && bytes[firstBreak - 1] == '\r' ? "\r\n" : "\n";

    std::size_t lineNo = 0;
    while (!bytes.empty()) {
        ++lineNo;
        std::size_t end = bytes.find('\n');
        std::string_view raw = bytes.substr(0, end);
        bytes.remove_prefix(end == std::string_view::npos ? bytes.size() : end + 1);
        if (!raw.empty() && raw.back() == '\r')
            raw.remove_suffix(1);

        Line line;
        line.raw = std::string(raw);
        try {
            line.text = sjisDecode(raw);
        } catch (const TextError& e) {
            // The first byte of a line always starts a character, so a '['
            // there is a section header even when the rest is unreadable; its
            // keys must not be taken for keys of the section before it.
            std::string_view head = TrimBlanks(raw);
            line.kind =
                !head.empty() && head.front() == '[' ? Kind::UnreadableSection : Kind::Unreadable;
            ini.warnings_.push_back(fileName + " の " + std::to_string(lineNo) + " 行目は、" +
                                    std::to_string(e.offset() + 1) +
                                    " バイト目から文字として読めないので使いません");
            ini.lines_.push_back(std::move(line));
            continue;
        }

        std::string_view text = TrimBlanks(line.text);
        if (!text.empty() && text.front() == '[') {
            std::size_t close = text.find(']');
            if (close != std::string_view::npos) {
                line.kind = Kind::Section;
                line.name = std::string(TrimBlanks(text.substr(1, close - 1)));
            }
        } else if (!text.empty() && text.front() != ';') {
            std::size_t eq = text.find('=');
            if (eq != std::string_view::npos) {
                line.kind = Kind::Entry;
                line.name = std::string(TrimBlanks(text.substr(0, eq)));
                line.value = std::string(TrimBlanks(text.substr(eq + 1)));
            }
        }
        ini.lines_.push_back(std::move(line));
    }
    return ini;
}

IniFile IniFile::load(const SaveStore& store, const std::string& name)
{
    std::vector<uint8_t> bytes;
    try {
        bytes = store.readFile(name, kIniMaxBytes);
    } catch (const FileMissing&) {
        IniFile empty;
        empty.name_ = name;
        return empty;
    }
    return parse(std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()), name);
}

long IniFile::findSection(std::string_view section) const
{
    for (std::size_t i = 0; i < lines_.size(); ++i)
        if (lines_[i].kind == Kind::Section && lines_[i].name == section)
            return static_cast<long>(i);
    return -1;
}

long IniFile::sectionEnd(long header) const
{
    auto i = static_cast<std::size_t>(header) + 1;
    while (i < lines_.size() && lines_[i].kind != Kind::Section &&
           lines_[i].kind != Kind::UnreadableSection)
        ++i;
    return static_cast<long>(i);
}

long IniFile::findEntry(long header, std::string_view key) const
{
    for (long i = header + 1, end = sectionEnd(header); i < end; ++i)
        if (lines_[i].kind == Kind::Entry && lines_[i].name == key)
            return i;
    return -1;
}

long IniFile::lastEntryOrHeader(long header) const
{
    long last = header;
    for (long i = header + 1, end = sectionEnd(header); i < end; ++i)
        if (lines_[i].kind == Kind::Entry)
            last = i;
    return last;
}

std::optional<std::string> IniFile::value(std::string_view section, std::string_view key) const
{
    long header = findSection(section);
    if (header < 0)
        return std::nullopt;
    long entry = findEntry(header, key);
    if (entry < 0)
        return std::nullopt;
    return lines_[entry].value;
}

std::string IniFile::valueOr(std::string_view section, std::string_view key,
                             const std::string& fallback) const
{
    return value(section, key).value_or(fallback);
}

bool IniFile::validKey(std::string_view key)
{
    return !key.empty() && TrimBlanks(key).size() == key.size() && !hasLineBreak(key) &&
           key.find('=') == std::string_view::npos && key.front() != '[' && key.front() != ';' &&
           encodable(key, nullptr);
}

void IniFile::setValue(std::string_view section, std::string_view key, std::string_view value)
{
    const std::string where = name_ + ": ";
    std::string why;
    if (section.empty() || TrimBlanks(section).size() != section.size() || hasLineBreak(section) ||
        section.find(']') != std::string_view::npos)
        throw GameError(where + bracketed(section) + "は節の名前にできません");
    if (!encodable(section, &why))
        throw GameError(where + "節の名前" + bracketed(section) + "は書けません。" + why);
    if (!encodable(key, &why))
        throw GameError(where + "名前" + bracketed(key) + "は書けません。" + why);
    if (!validKey(key))
        throw GameError(where + bracketed(key) + "は名前にできません");
    // Reading drops the blanks at both ends, so they are dropped here too and
    // what is kept in memory matches what the file will give back.
    value = TrimBlanks(value);
    if (hasLineBreak(value))
        throw GameError(where + bracketed(value) + "（" + bracketed(key) +
                        "の値）は改行を含むので書けません");
    if (!encodable(value, &why))
        throw GameError(where + bracketed(value) + "（" + bracketed(key) + "の値）は書けません。" +
                        why);

    Line entry;
    entry.kind = Kind::Entry;
    entry.changed = true;
    entry.name = std::string(key);
    entry.value = std::string(value);
    entry.text = entry.name + "=" + entry.value;

    long header = findSection(section);
    if (header < 0) {
        const Line* last = lines_.empty() ? nullptr : &lines_.back();
        if (last && !TrimBlanks(last->changed ? last->text : last->raw).empty()) {
            Line blank;
            blank.changed = true;
            lines_.push_back(std::move(blank));
        }
        Line head;
        head.kind = Kind::Section;
        head.changed = true;
        head.name = std::string(section);
        head.text = "[" + head.name + "]";
        lines_.push_back(std::move(head));
        lines_.push_back(std::move(entry));
        return;
    }
    long at = findEntry(header, key);
    if (at >= 0) {
        if (lines_[at].value != entry.value)
            lines_[at] = std::move(entry);
        return;
    }
    lines_.insert(lines_.begin() + lastEntryOrHeader(header) + 1, std::move(entry));
}

std::string IniFile::serialise() const
{
    std::string out;
    for (const Line& line : lines_) {
        out += line.changed ? sjisEncode(line.text) : line.raw;
        out += newline_;
    }
    return out;
}

void IniFile::save(const SaveStore& store, const std::string& name) const
{
    std::string bytes = serialise();
    store.writeFileSafely(name, std::span<const uint8_t>(
                                    reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()));
}

} // namespace qvr
