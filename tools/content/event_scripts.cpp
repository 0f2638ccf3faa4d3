#include <fstream>
#include <limits>

#include "core/event_file.h"
#include "tools/content/maze_source.h"
#include "tools/content/toml_fields.h"

namespace qvr::content {

namespace {

struct Reader {
    std::string file;
    int line = 0;

    [[noreturn]] void fail(const std::string& what) const
    {
        throw SourceError(file + ":" + std::to_string(line) + ": " + what);
    }

    // Words and quoted texts; a text keeps its quotes so that it is known
    // for a text. Within one, \n is a line break and \" a quote.
    std::vector<std::string> split(const std::string& s) const
    {
        std::vector<std::string> words;
        std::size_t i = 0;
        while (i < s.size()) {
            if (s[i] == ' ' || s[i] == '\t') {
                ++i;
            } else if (s[i] == ';') {
                break;
            } else if (s[i] == '"') {
                std::string text = "\"";
                for (++i; i < s.size() && s[i] != '"'; ++i) {
                    if (s[i] == '\\' && i + 1 < s.size()) {
                        ++i;
                        text += s[i] == 'n' ? '\n' : s[i];
                    } else {
                        text += s[i];
                    }
                }
                if (i >= s.size())
                    fail("a text is not closed with '\"'");
                ++i;
                words.push_back(text);
            } else {
                std::size_t end = s.find_first_of(" \t", i);
                words.push_back(s.substr(i, end == std::string::npos ? end : end - i));
                i = end == std::string::npos ? s.size() : end;
            }
        }
        return words;
    }

    int number(const std::string& word, int lo, int hi, const std::string& what) const
    {
        if (word.empty() || word.find_first_not_of("-0123456789") != std::string::npos)
            fail(what + " must be a number, not \"" + word + "\"");
        long v = std::strtol(word.c_str(), nullptr, 10);
        if (v < lo || v > hi)
            fail(what + " " + word + " is outside " + std::to_string(lo) + ".." +
                 std::to_string(hi));
        return static_cast<int>(v);
    }
};

uint8_t readFacings(const Reader& r, const std::string& word)
{
    uint8_t mask = 0;
    for (char c : word) {
        std::size_t d = std::string_view("NESW").find(c);
        if (d == std::string_view::npos)
            r.fail("a facing is written with N, E, S and W, not \"" + word + "\"");
        mask |= static_cast<uint8_t>(1 << d);
    }
    return mask;
}

// "if flag 21", "if not flag 21", "if flag 51 < 3", "if has 95",
// "if not has 95", "if nobody has 95", "if night", "if day".
std::size_t readCond(const Reader& r, const std::vector<std::string>& w, std::size_t i,
                     EventCond& cond)
{
    auto at = [&](std::size_t k) { return k < w.size() ? w[k] : std::string(); };
    bool negated = at(i) == "not";
    if (negated)
        ++i;
    std::string what = at(i);
    if (what == "night" || what == "day") {
        bool night = (what == "night") != negated;
        cond = {night ? CondCode::Night : CondCode::Day};
        return i + 1;
    }
    if (what == "flag") {
        int flag = r.number(at(i + 1), 0, 100, "a flag");
        if (!negated && at(i + 2) == "<") {
            cond = {CondCode::FlagBelow, static_cast<int16_t>(flag),
                    static_cast<int16_t>(r.number(at(i + 3), 1, 32767, "a count"))};
            return i + 4;
        }
        cond = {negated ? CondCode::FlagClear : CondCode::FlagSet, static_cast<int16_t>(flag)};
        return i + 2;
    }
    if (what == "has" || (what == "nobody" && at(i + 1) == "has" && !negated)) {
        bool roster = what == "nobody";
        int item = r.number(at(i + (roster ? 2 : 1)), 1, kItemCount - 1, "an item");
        cond = {roster    ? CondCode::RosterLacks
                : negated ? CondCode::PartyLacks
                          : CondCode::PartyHas,
                static_cast<int16_t>(item)};
        return i + (roster ? 3 : 2);
    }
    r.fail("unknown condition \"" + what + "\" (flag, has, nobody has, night, day)");
}

void readHeader(const Reader& r, const std::vector<std::string>& w, int floor, MazeEvents& ev)
{
    EventTrigger t{};
    std::size_t set = 0;
    while (set < kTriggerSetNames.size() && kTriggerSetNames[set] != w[0])
        ++set;
    if (set == kTriggerSetNames.size())
        r.fail("a trigger begins with enter, search, use or after, not \"" + w[0] + "\"");
    t.set = static_cast<TriggerSet>(set);
    t.floor = static_cast<uint8_t>(floor);
    std::string cell = w.size() > 1 ? w[1] : "";
    std::size_t comma = cell.find(',');
    if (comma == std::string::npos)
        r.fail("the trigger's cell is written x,y");
    t.x = static_cast<int8_t>(r.number(cell.substr(0, comma), 0, kMazeSize - 1, "x"));
    t.y = static_cast<int8_t>(r.number(cell.substr(comma + 1), 0, kMazeSize - 1, "y"));
    t.firstCond = static_cast<uint16_t>(ev.conds.size());
    t.firstOp = static_cast<uint16_t>(ev.ops.size());
    t.line = static_cast<uint16_t>(r.line);
    for (std::size_t i = 2; i < w.size();) {
        if (w[i] == "facing" && i + 1 < w.size()) {
            t.facings = readFacings(r, w[i + 1]);
            i += 2;
        } else if (w[i] == "item" && i + 1 < w.size()) {
            t.item = static_cast<int16_t>(r.number(w[i + 1], 1, kItemCount - 1, "an item"));
            i += 2;
        } else if (w[i] == "else" && i + 1 == w.size()) {
            t.passOn = 1;
            ++i;
        } else if (w[i] == "if") {
            EventCond cond{};
            i = readCond(r, w, i + 1, cond);
            ev.conds.push_back(cond);
            ++t.condCount;
        } else {
            r.fail("unknown word \"" + w[i] +
                   "\" in a trigger (facing, item, if, else at the end)");
        }
    }
    if (t.passOn && t.condCount == 0)
        r.fail("else lets the next trigger run when this one's conditions fail: it needs an if");
    if ((t.set == TriggerSet::Use) != (t.item != 0))
        r.fail(t.set == TriggerSet::Use ? "a use trigger names its item"
                                        : "only use names an item");
    ev.triggers.push_back(t);
    ev.triggerFiles.push_back(r.file);
}

void readOp(const Reader& r, const std::vector<std::string>& w, MazeEvents& ev)
{
    if (ev.triggers.empty())
        r.fail("an operation before any trigger");
    const OpInfo* info = FindEventOp(w[0]);
    if (!info)
        r.fail("unknown operation \"" + w[0] + "\"");
    EventOp op{info->code};
    std::string text;
    std::vector<int> numbers;
    for (std::size_t i = 1; i < w.size(); ++i) {
        if (w[i][0] == '"') {
            if (info->args == OpArgs::Numbers || !text.empty() || !numbers.empty())
                r.fail(w[0] + " takes no text here");
            text = w[i].substr(1);
        } else {
            numbers.push_back(r.number(w[i], -32768, 32767, w[0] + "'s value"));
        }
    }
    int given = static_cast<int>(numbers.size());
    if (info->args == OpArgs::Text && text.empty())
        r.fail(w[0] + " needs a text in quotes");
    bool textInstead = info->args == OpArgs::NumberOrText && !text.empty();
    if (!textInstead && (given < info->minNumbers || given > info->maxNumbers))
        r.fail(w[0] + " takes " + std::to_string(info->minNumbers) + ".." +
               std::to_string(info->maxNumbers) + " numbers, not " + std::to_string(given));
    if (info->code == OpCode::Ask && text.empty() && given == 0)
        r.fail("ask needs a text number or a text in quotes");
    int16_t* slots[3] = {&op.a, &op.b, &op.c};
    for (int i = 0; i < given && i < 3; ++i)
        *slots[i] = static_cast<int16_t>(numbers[i]);
    if ((info->code == OpCode::Battle || info->code == OpCode::Box) && given < 2)
        op.b = kScriptedBattleOrigin;
    EventTrigger& t = ev.triggers.back();
    if (t.opCount == std::numeric_limits<uint8_t>::max())
        r.fail("too many operations in one trigger");
    ++t.opCount;
    ev.ops.push_back(op);
    ev.opTexts.push_back(text);
    ev.opLines.push_back(r.line);
}

} // namespace

void ReadEventScript(const std::filesystem::path& path, MazeEvents& events)
{
    Reader r{path.string()};
    std::ifstream in(path);
    if (!in)
        throw SourceError(r.file + ": cannot be read");
    int floor = -1;
    std::string line;
    while (std::getline(in, line)) {
        ++r.line;
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        std::vector<std::string> w = r.split(line);
        if (w.empty())
            continue;
        if (floor < 0) {
            if (w[0] != "floor" || w.size() != 2)
                r.fail("the script must begin with \"floor N\"");
            floor = r.number(w[1], 1, kFloorCount - 1, "the floor");
        } else if (line[0] == ' ' || line[0] == '\t') {
            readOp(r, w, events);
        } else {
            readHeader(r, w, floor, events);
        }
    }
    if (!events.triggers.empty() && events.triggers.back().opCount == 0)
        r.fail("the last trigger has no operations");
}

std::vector<uint8_t> EventImage(const MazeEvents& events)
{
    std::vector<EventOp> ops = events.ops;
    for (std::size_t i = 0; i < ops.size(); ++i)
        ops[i].text = events.opTexts[i];
    return EncodeEventImage({events.triggers, events.conds, ops});
}

} // namespace qvr::content
