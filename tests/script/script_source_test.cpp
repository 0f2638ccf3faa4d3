// Reading key scripts: what each line becomes, and the lines refused with
// their line numbers.

#include <gtest/gtest.h>
#include <sstream>

#include "app/script_runner.h"
#include "app/script_source.h"
#include "app/script_transcript.h"

using namespace qvr;

namespace {

std::vector<ScriptStep> steps(const std::string& script)
{
    std::istringstream in(script);
    ScriptSource source(in);
    std::vector<ScriptStep> out;
    while (std::optional<ScriptStep> s = source.next())
        out.push_back(*s);
    return out;
}

// The line and message of the error the script stops with.
std::pair<int64_t, std::string> failure(const std::string& script)
{
    try {
        steps(script);
    } catch (const ScriptError& e) {
        return {e.line(), e.what()};
    }
    return {0, ""};
}

} // namespace

TEST(ScriptLines, EachLineBecomesItsSteps)
{
    auto s = steps("# a comment\n\n   \n  key Down\r\nkeys aZ9\nwait 250\ndump\nclose\n"
                   "text  two  blanks \n  # indented comment\ntext\n");
    ASSERT_EQ(s.size(), 9u);
    EXPECT_EQ(s[0].key, Key::Down);
    EXPECT_EQ(s[0].line, 4);
    EXPECT_EQ(s[1].key, CharKey('A'));
    EXPECT_EQ(s[2].key, CharKey('Z'));
    EXPECT_EQ(s[3].key, CharKey('9'));
    EXPECT_EQ(s[3].line, 5);
    EXPECT_EQ(s[4].kind, ScriptStep::Kind::Wait);
    EXPECT_EQ(s[4].ms, 250);
    EXPECT_EQ(s[5].kind, ScriptStep::Kind::Dump);
    EXPECT_EQ(s[6].kind, ScriptStep::Kind::Close);
    EXPECT_EQ(s[7].kind, ScriptStep::Kind::Text);
    EXPECT_EQ(s[7].text, " two  blanks ");
    EXPECT_EQ(s[8].text, "");
    EXPECT_EQ(s[8].line, 11);
}

TEST(ScriptLines, EveryNamedKeyIsAccepted)
{
    for (const char* name :
         {"A", "Z", "0", "9", "Enter", "Escape", "Backspace", "Space", "Up", "Down", "Left",
          "Right", "Home", "End", "PageUp", "PageDown", "Ctrl"}) {
        auto s = steps(std::string("key ") + name);
        ASSERT_EQ(s.size(), 1u) << name;
        EXPECT_EQ(KeyName(s[0].key), name);
    }
}

TEST(ScriptLines, BadLinesAreRefusedWithTheirLineNumber)
{
    struct Case {
        std::string script;
        int64_t line;
        const char* says;
    };
    const std::string longLine(kMaxScriptLineBytes + 1, 'x');
    for (const Case& c : std::vector<Case>{
             {"dump\njump 3\n", 2, "unknown command \"jump\""},
             {"Key A\n", 1, "unknown command"},
             {"key Tab\n", 1, "bad key name \"Tab\""},
             {"key None\n", 1, "bad key name"},
             {"key\n", 1, "bad key name"},
             {"key Enter Enter\n", 1, "bad key name"},
             {"keys\n", 1, "keys needs"},
             {"keys AB-C\n", 1, "only letters and digits"},
             {"keys A B\n", 1, "only letters and digits"},
             {"wait\n", 1, "wait takes"},
             {"wait -1\n", 1, "wait takes"},
             {"wait 1.5\n", 1, "wait takes"},
             {"wait 86400001\n", 1, "wait takes"},
             {"wait 99999999999999999999999\n", 1, "wait takes"},
             {"dump now\n", 1, "dump takes nothing"},
             {"close 1\n", 1, "close takes nothing"},
             {"text \xff\xfe\n", 1, "not well-formed UTF-8"},
             {"text \xc0\xaf\n", 1, "not well-formed UTF-8"},
             {"text \xed\xa0\x80\n", 1, "not well-formed UTF-8"},
             {std::string("text a\0b\n", 9), 1, "control character"},
             {"text a\tb\n", 1, "control character"},
             {"dump\n" + longLine + "\ndump\n", 2, "longer than"},
         }) {
        auto [line, message] = failure(c.script);
        EXPECT_EQ(line, c.line) << c.script.substr(0, 40);
        EXPECT_NE(message.find(c.says), std::string::npos) << message;
    }
    EXPECT_EQ(steps("wait 86400000\n").at(0).ms, kMaxWaitMs);
    EXPECT_EQ(steps(std::string(kMaxScriptLineBytes - 5, ' ') + "dump").size(), 1u);
}

TEST(ScriptLines, StepsBeforeABadLineArePlayedFirst)
{
    std::istringstream in("key Up\nkeys AB\nbogus\n");
    ScriptSource source(in);
    EXPECT_EQ(source.next()->key, Key::Up);
    EXPECT_EQ(source.next()->key, CharKey('A'));
    EXPECT_EQ(source.next()->key, CharKey('B'));
    EXPECT_THROW(source.next(), ScriptError);
}

TEST(TranscriptText, EveryEventStaysOnOneLine)
{
    EXPECT_EQ(OneLine("a\r\nb\rc\nd"), "a\\nb\\nc\\nd");
    EXPECT_EQ(OneLine("\r\n\r\n"), "\\n\\n");
    EXPECT_EQ(OneLine("C:\\music\tx"), "C:\\\\music\\tx");
    EXPECT_EQ(OneLine(std::string("\x01z\x7f", 3)), "\\x01z\\x7F");
    EXPECT_EQ(OneLine("全角　テキスト"), "全角　テキスト");
}

// A recorded session's header: the seed and the start before the first step,
// then clicks on a row of the list with the keyboard or of a named one.
TEST(ScriptLines, HeaderAndClicks)
{
    std::istringstream in("# recorded\nseed 18446744073709551615\n\nstart 21:30:15\n"
                          "click 5\nclick lstItem 0\n");
    ScriptSource source(in);
    ScriptHeader header = source.readHeader();
    ASSERT_TRUE(header.seed && header.start);
    EXPECT_EQ(*header.seed, 18446744073709551615ull);
    EXPECT_DOUBLE_EQ(*header.start, 21 * 3600 + 30 * 60 + 15);
    std::optional<ScriptStep> first = source.next();
    ASSERT_TRUE(first);
    EXPECT_EQ(first->kind, ScriptStep::Kind::Click);
    EXPECT_EQ(first->row, 5);
    EXPECT_EQ(first->list, "");
    EXPECT_EQ(first->line, 5);
    std::optional<ScriptStep> second = source.next();
    ASSERT_TRUE(second);
    EXPECT_EQ(second->list, "lstItem");
    EXPECT_EQ(second->row, 0);

    // A script without a header starts at once; its first step is kept.
    std::istringstream plain("key Down\n");
    ScriptSource bare(plain);
    EXPECT_FALSE(bare.readHeader().seed);
    ASSERT_TRUE(bare.next());
    // A mistake in the first step is the run's to report once it gets
    // there, after start-up, not the header's.
    std::istringstream bad("seed 2\nkey Tab\n");
    ScriptSource early(bad);
    EXPECT_EQ(early.readHeader().seed, std::optional<uint64_t>(2));
    try {
        early.next();
        ADD_FAILURE() << "key Tab was taken";
    } catch (const ScriptError& e) {
        EXPECT_EQ(e.line(), 2);
    }
}

TEST(ScriptLines, HeaderLinesAreRefusedWhereTheyCannotWork)
{
    const struct {
        const char* script;
        int64_t line;
        const char* says;
    } cases[] = {
        {"key Down\nseed 3\n", 2, "before the first step"},
        {"start 12:00:00\nkey Up\nstart 13:00:00\n", 3, "before the first step"},
        {"seed x\n", 1, "seed takes a whole number"},
        {"seed -1\n", 1, "seed takes a whole number"},
        {"start 24:00:00\n", 1, "start takes HH:MM:SS"},
        {"click\n", 1, "click takes a row number"},
        {"click -1\n", 1, "click takes a row number"},
        {"click lstItem two\n", 1, "click takes a row number"},
    };
    for (const auto& c : cases) {
        std::istringstream in(c.script);
        ScriptSource source(in);
        int64_t line = 0;
        std::string what;
        try {
            source.readHeader();
            while (source.next()) {
            }
        } catch (const ScriptError& e) {
            line = e.line();
            what = e.what();
        }
        EXPECT_EQ(line, c.line) << c.script;
        EXPECT_NE(what.find(c.says), std::string::npos) << c.script << " -> " << what;
    }
}
