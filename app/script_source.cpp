#include "app/script_source.h"

#include <charconv>
#include <istream>

#include "app/script_runner.h"
#include "core/sjis.h"
#include "core/textformat.h"

namespace qvr {

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

// Names are echoed in messages; a name of binary rubbish must not fill the
// terminal.
std::string shown(std::string_view s)
{
    constexpr std::size_t kMax = 40;
    std::string out;
    for (char c : s.substr(0, kMax))
        out += static_cast<unsigned char>(c) < 0x20 ? '?' : c;
    if (s.size() > kMax)
        out += "...";
    return out;
}

} // namespace

ScriptError::ScriptError(int64_t line, const std::string& message)
    : std::runtime_error("line " + std::to_string(line) + ": " + message), line_(line)
{
}

bool TypableText(const std::string& text, std::string& why)
{
    for (const Utf8Char& c : utf8Chars(text)) {
        if (c.codePoint < 0) {
            why = "the text is not well-formed UTF-8";
            return false;
        }
        if (c.codePoint < 0x20 || c.codePoint == 0x7F ||
            (c.codePoint >= 0x80 && c.codePoint < 0xA0)) {
            why = "the text holds a control character";
            return false;
        }
    }
    return true;
}

bool ScriptSource::readLine(std::string& line)
{
    line.clear();
    std::streambuf* buf = in_.rdbuf();
    if (!buf)
        return false;
    auto eof = std::char_traits<char>::eof();
    int c = buf->sbumpc();
    if (c == eof)
        return false;
    ++lineNo_;
    auto tooLong = [&] {
        return ScriptError(lineNo_, "the line is longer than " +
                                        std::to_string(kMaxScriptLineBytes) + " bytes");
    };
    // One byte beyond the limit leaves room for the CR of a CR LF; past that
    // the line is refused at once, since its end may never come (a device
    // that never runs dry).
    for (; c != eof && c != '\n'; c = buf->sbumpc()) {
        if (line.size() > kMaxScriptLineBytes)
            throw tooLong();
        line += static_cast<char>(c);
    }
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    if (line.size() > kMaxScriptLineBytes)
        throw tooLong();
    return true;
}

std::optional<double> ParseTimeOfDay(std::string_view text)
{
    if (text.size() != 8 || text[2] != ':' || text[5] != ':')
        return std::nullopt;
    int parts[3];
    for (int i = 0; i < 3; ++i) {
        const char* begin = text.data() + 3 * i;
        auto [ptr, ec] = std::from_chars(begin, begin + 2, parts[i]);
        if (ec != std::errc() || ptr != begin + 2)
            return std::nullopt;
    }
    if (parts[0] > 23 || parts[1] > 59 || parts[2] > 59)
        return std::nullopt;
    return parts[0] * 3600.0 + parts[1] * 60.0 + parts[2];
}

ScriptHeader ScriptSource::readHeader()
{
    ScriptHeader header;
    header_ = &header;
    std::string line;
    while (!stepsBegun_ && !held_ && readLine(line)) {
        std::string_view rest = TrimBlanks(line);
        std::string_view command = rest.substr(0, rest.find_first_of(" \t"));
        if (command == "seed" || command == "start" || rest.empty() || rest.front() == '#')
            parse(line);
        else
            held_ = line;
    }
    header_ = nullptr;
    return header;
}

std::optional<ScriptStep> ScriptSource::next()
{
    stepsBegun_ = true;
    if (held_) {
        std::string line = std::move(*held_);
        held_.reset();
        parse(line);
    }
    std::string line;
    while (pending_.empty()) {
        if (!readLine(line))
            return std::nullopt;
        parse(line);
    }
    ScriptStep step = std::move(pending_.front());
    pending_.pop_front();
    return step;
}

void ScriptSource::parse(const std::string& line)
{
    std::string_view rest = line;
    while (!rest.empty() && isBlank(rest.front()))
        rest.remove_prefix(1);
    if (rest.empty() || rest.front() == '#')
        return;
    std::size_t end = 0;
    while (end < rest.size() && !isBlank(rest[end]))
        ++end;
    std::string_view command = rest.substr(0, end);
    // A text keeps its blanks: only the one blank after the command goes.
    std::string_view raw = end < rest.size() ? rest.substr(end + 1) : std::string_view{};
    std::string_view arg = TrimBlanks(raw);

    ScriptStep step;
    step.line = lineNo_;
    if (command == "seed" || command == "start") {
        // Set before start-up, or the dice and the clock would already
        // have been used.
        if (!header_)
            throw ScriptError(lineNo_, std::string(command) + " belongs before the first step");
        if (command == "seed") {
            uint64_t seed = 0;
            auto [ptr, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), seed);
            if (arg.empty() || ec != std::errc() || ptr != arg.data() + arg.size())
                throw ScriptError(lineNo_, "seed takes a whole number, not \"" + shown(arg) + "\"");
            header_->seed = seed;
        } else {
            std::optional<double> t = ParseTimeOfDay(arg);
            if (!t)
                throw ScriptError(lineNo_, "start takes HH:MM:SS, not \"" + shown(arg) + "\"");
            header_->start = t;
        }
        return;
    }
    if (command == "key") {
        std::optional<Key> key = KeyFromName(arg);
        if (!key)
            throw ScriptError(lineNo_, "bad key name \"" + shown(arg) + "\"");
        step.kind = ScriptStep::Kind::Key;
        step.key = *key;
        pending_.push_back(step);
    } else if (command == "keys") {
        if (arg.empty())
            throw ScriptError(lineNo_, "keys needs letters or digits");
        std::deque<ScriptStep> keys;
        for (char c : arg) {
            if (CharKey(c) == Key::None)
                throw ScriptError(lineNo_, "keys takes only letters and digits, not \"" +
                                               shown(std::string_view(&c, 1)) + "\"");
            step.kind = ScriptStep::Kind::Key;
            step.key = CharKey(c);
            keys.push_back(step);
        }
        pending_.insert(pending_.end(), keys.begin(), keys.end());
    } else if (command == "text") {
        std::string why;
        step.kind = ScriptStep::Kind::Text;
        step.text = std::string(raw);
        if (!TypableText(step.text, why))
            throw ScriptError(lineNo_, why);
        pending_.push_back(step);
    } else if (command == "wait") {
        int64_t ms = -1;
        auto [ptr, ec] = std::from_chars(arg.data(), arg.data() + arg.size(), ms);
        bool whole = ec == std::errc() && ptr == arg.data() + arg.size() && !arg.empty();
        if (!whole || ms < 0 || ms > kMaxWaitMs)
            throw ScriptError(lineNo_, "wait takes milliseconds from 0 to " +
                                           std::to_string(kMaxWaitMs) + ", not \"" + shown(arg) +
                                           "\"");
        step.kind = ScriptStep::Kind::Wait;
        step.ms = ms;
        pending_.push_back(step);
    } else if (command == "click") {
        // "click N" or "click LIST N"
        std::string_view number = arg;
        if (std::size_t blank = arg.find_last_of(" \t"); blank != std::string_view::npos) {
            step.list = std::string(TrimBlanks(arg.substr(0, blank)));
            number = arg.substr(blank + 1);
        }
        auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), step.row);
        if (number.empty() || ec != std::errc() || ptr != number.data() + number.size() ||
            step.row < 0)
            throw ScriptError(lineNo_,
                              "click takes a row number from 0, not \"" + shown(arg) + "\"");
        step.kind = ScriptStep::Kind::Click;
        pending_.push_back(step);
    } else if (command == "fix") {
        // "fix NAME FACE": the next roll of that name shows FACE.
        const std::size_t blank = arg.find_first_of(" \t");
        const std::string_view name = arg.substr(0, blank);
        const std::string_view number =
            blank == std::string_view::npos ? std::string_view{} : TrimBlanks(arg.substr(blank));
        const std::optional<FixedRoll> roll = FixedRollNamed(name);
        if (!roll)
            throw ScriptError(lineNo_, "fix names no roll the game lets a script fix: \"" +
                                           shown(name) + "\"");
        auto [ptr, ec] = std::from_chars(number.data(), number.data() + number.size(), step.face);
        if (number.empty() || ec != std::errc() || ptr != number.data() + number.size())
            throw ScriptError(lineNo_, "fix takes a roll's name and a whole number, not \"" +
                                           shown(arg) + "\"");
        step.kind = ScriptStep::Kind::Fix;
        step.roll = *roll;
        pending_.push_back(step);
    } else if (command == "dump" || command == "close") {
        if (!arg.empty())
            throw ScriptError(lineNo_, std::string(command) + " takes nothing after it");
        step.kind = command == "dump" ? ScriptStep::Kind::Dump : ScriptStep::Kind::Close;
        pending_.push_back(step);
    } else {
        throw ScriptError(lineNo_, "unknown command \"" + shown(command) + "\"");
    }
}

} // namespace qvr
