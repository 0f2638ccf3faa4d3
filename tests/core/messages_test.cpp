#include "core/messages.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <unistd.h>

#include "built_files.h"
#include "core/sjis.h"

namespace qvr {
namespace {

namespace fs = std::filesystem;

// ---- the table as the game reads it -------------------------------------

// The build's TEXTS.DAT, as start-up reads it.
const MessageTable& builtTexts()
{
    static const MessageTable table = DecodeMessageImage(test::BuiltFile("TEXTS.DAT"), "TEXTS.DAT");
    return table;
}

std::string_view MessageText(int n)
{
    return builtTexts().text(n);
}

bool HasMessageText(int n)
{
    return builtTexts().has(n);
}

std::span<const MessageEntry> AllMessageTexts()
{
    return builtTexts().all();
}

TEST(MessageTextTest, QuotedTextsComeBackExactly)
{
    EXPECT_EQ(MessageText(1060), "パーティーは全滅した");
    EXPECT_EQ(MessageText(1045), "あなたは");
    EXPECT_EQ(MessageText(1046), "の");
    EXPECT_EQ(MessageText(1047), "真の力を解放しますか？");
    EXPECT_EQ(MessageText(1048), "壊れました");
    // The closing text: LF runs and a full-width blank between the words.
    EXPECT_EQ(MessageText(204),
              "\n\nＯｓｔｒａｖｅｌ\n\n\n－Ｑｕｏｒｖａｔｈ－\n\nＴｈｅ\u3000Ｅｎｄ");
    EXPECT_EQ(MessageText(204).find('\r'), std::string_view::npos);
}

TEST(MessageTextTest, ClassNamesFollowTheClassCodes)
{
    const struct {
        int number;
        const char* name;
    } cases[] = {
        {1100, "戦士"},   {1101, "魔導士"}, {1102, "僧侶"},         {1103, "盗賊"},
        {1104, "賢者"},   {1105, "バード"}, {1106, "ワルキュリア"}, {1107, "侍"},
        {1108, "ロード"}, {1109, "忍者"},   {3017, "魔剣士"},       {3018, "陰陽師"},
        {3019, "武闘家"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(MessageText(c.number), c.name) << "message " << c.number;
}

TEST(MessageTextTest, EndingIsCompleteAndInvitesFurtherPlay)
{
    for (int n = 200; n <= 204; ++n)
        EXPECT_FALSE(MessageText(n).empty()) << "message " << n;
    EXPECT_NE(MessageText(203).find("続け"), std::string_view::npos);
}

TEST(MessageTextTest, UnknownNumbersReadAsEmpty)
{
    for (int n : {0, -1, -1060, INT_MIN, INT_MAX, 100000, 1061 + 100000}) {
        EXPECT_FALSE(HasMessageText(n)) << n;
        EXPECT_TRUE(MessageText(n).empty()) << n;
    }
    // Neighbours of real entries must not be found by a sloppy search.
    EXPECT_TRUE(HasMessageText(1060));
    EXPECT_FALSE(HasMessageText(1099));
    EXPECT_FALSE(HasMessageText(1110));
}

TEST(MessageTextTest, TableIsSortedUniqueAndAgreesWithLookup)
{
    const auto all = AllMessageTexts();
    ASSERT_FALSE(all.empty());
    int previous = 0;
    for (const MessageEntry& e : all) {
        EXPECT_GT(e.number, previous) << "entry " << e.number << " out of order or repeated";
        previous = e.number;
        EXPECT_TRUE(HasMessageText(e.number));
        EXPECT_EQ(MessageText(e.number).data(), e.text.data()) << e.number;
    }
}

TEST(MessageTextTest, EveryTextIsWellFormedAndFitsCodePage932)
{
    for (const MessageEntry& e : AllMessageTexts()) {
        for (const Utf8Char& c : utf8Chars(e.text))
            EXPECT_GE(c.codePoint, 0) << "message " << e.number << " is not valid UTF-8";
        EXPECT_TRUE(sjisEncodable(e.text)) << "message " << e.number;
        for (char c : e.text) {
            const auto u = static_cast<unsigned char>(c);
            EXPECT_FALSE(u < 0x20 && c != '\n' && c != '\r')
                << "message " << e.number << " holds control byte " << int(u);
        }
    }
}

// ---- the generator -------------------------------------------------------

// The texts are compiled by qvr-content, which the build puts beside this test.
fs::path generatorPath()
{
    std::error_code ec;
    const fs::path self = fs::read_symlink("/proc/self/exe", ec);
    if (ec)
        return {};
    return self.parent_path() / "qvr-content";
}

std::string readAll(const fs::path& p)
{
    std::ifstream in(p, std::ios::binary);
    std::ostringstream s;
    s << in.rdbuf();
    return s.str();
}

class MessageTextGenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        tool_ = generatorPath();
        if (tool_.empty() || !fs::exists(tool_))
            GTEST_SKIP() << "qvr-content not found next to the test";
        dir_ = fs::path(::testing::TempDir()) /
               ("textgen_" + std::to_string(::getpid()) + "_" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(dir_);
    }
    void TearDown() override
    {
        if (!dir_.empty())
            fs::remove_all(dir_);
    }

    // Runs the generator on `toml`; returns its exit status, keeps stderr.
    int run(const std::string& toml)
    {
        {
            std::ofstream(dir_ / "in.toml", std::ios::binary) << toml;
        }
        const std::string cmd = "'" + tool_.string() + "' texts '" + (dir_ / "in.toml").string() +
                                "' --out '" + out().string() + "' 2>'" + (dir_ / "err").string() +
                                "'";
        const int status = std::system(cmd.c_str());
        errors = readAll(dir_ / "err");
        return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    }
    fs::path out() const { return dir_ / "TEXTS.DAT"; }

    std::string errors;

private:
    fs::path tool_;
    fs::path dir_;
};

TEST_F(MessageTextGenTest, RefusesBrokenInputNamingFileAndLine)
{
    const struct {
        const char* what;
        std::string toml;
        const char* line; // ":line:" expected in the message
    } cases[] = {
        {"word key", "1 = \"a\"\nabc = \"b\"\n", ":2:"},
        {"negative key", "\n\n\"-5\" = \"b\"\n", ":3:"},
        {"zero key", "0 = \"b\"\n", ":1:"},
        {"leading zero", "1 = \"a\"\n01 = \"b\"\n", ":2:"},
        {"too large", "123456 = \"b\"\n", ":1:"},
        {"number value", "1 = \"a\"\n2 = 3\n", ":2:"},
        {"table value", "1 = \"a\"\n[7]\nx = \"b\"\n", ":2:"},
        {"duplicate", "5 = \"a\"\n6 = \"b\"\n5 = \"c\"\n", ":3:"},
        {"invalid UTF-8", "1 = \"a\"\n2 = \"\xE3\x81\"\n", ":2:"},
        {"overlong UTF-8", "1 = \"\xC0\xAF\"\n", ":1:"},
        {"tab in text", "1 = \"a\\tb\"\n", ":1:"},
        {"not TOML", "1 = \"unterminated\n", ":1:"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.toml), 1) << c.what;
        EXPECT_NE(errors.find("in.toml" + std::string(c.line)), std::string::npos)
            << c.what << ": " << errors;
        EXPECT_FALSE(fs::exists(out())) << c.what << " left an output behind";
    }
}

TEST_F(MessageTextGenTest, EmitsSortedEntriesWithTheirExactBytes)
{
    // Digits right after multi-byte characters, quotes, backslashes, CR LF
    // and blanks: everything a careless escape would mangle.
    const std::string tricky = "ＬＶ1\"q\"\\0?\r\nA\u3000 2";
    ASSERT_EQ(run("20 = \"second\"\n"
                  R"(3 = "ＬＶ1\"q\"\\0?\r\nA　 2")"
                  "\n"),
              0)
        << errors;
    const std::string bytes = readAll(out());
    const MessageTable table = DecodeMessageImage(
        std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()), "TEXTS.DAT");
    ASSERT_EQ(table.all().size(), 2u);
    EXPECT_EQ(table.all()[0].number, 3);
    EXPECT_EQ(table.all()[0].text, tricky);
    EXPECT_EQ(table.all()[1].text, "second");
}

TEST_F(MessageTextGenTest, LeavesAnUnchangedOutputAlone)
{
    ASSERT_EQ(run("1 = \"a\"\n"), 0) << errors;
    const auto stamp = fs::last_write_time(out());
    fs::last_write_time(out(), stamp - std::chrono::hours(1));
    const auto older = fs::last_write_time(out());

    ASSERT_EQ(run("# a comment only changes nothing\n1 = \"a\"\n"), 0) << errors;
    EXPECT_EQ(fs::last_write_time(out()), older);

    ASSERT_EQ(run("1 = \"b\"\n"), 0) << errors;
    EXPECT_NE(fs::last_write_time(out()), older);
}

TEST_F(MessageTextGenTest, AcceptsAnEmptyTable)
{
    ASSERT_EQ(run("# nothing yet\n"), 0) << errors;
    const std::string bytes = readAll(out());
    EXPECT_TRUE(
        DecodeMessageImage(std::span(reinterpret_cast<const uint8_t*>(bytes.data()), bytes.size()),
                           "TEXTS.DAT")
            .all()
            .empty());
}

} // namespace
} // namespace qvr
