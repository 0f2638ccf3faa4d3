#include "core/textformat.h"

#include <climits>
#include <memory>
#include <string>

#include <gtest/gtest.h>
#include <unicode/translit.h>
#include <unicode/unistr.h>

#include "core/error.h"
#include "core/sjis.h"

namespace qvr {
namespace {

// ICU's own half-width to full-width conversion, the reference wherever its
// result can be written in code page 932.
class IcuFullWidth {
  public:
    IcuFullWidth()
    {
        UErrorCode err = U_ZERO_ERROR;
        t_.reset(icu::Transliterator::createInstance("Halfwidth-Fullwidth", UTRANS_FORWARD, err));
        EXPECT_TRUE(U_SUCCESS(err)) << u_errorName(err);
    }
    std::string operator()(const std::string& utf8) const
    {
        icu::UnicodeString s = icu::UnicodeString::fromUTF8(utf8);
        t_->transliterate(s);
        std::string out;
        return s.toUTF8String(out);
    }

  private:
    std::unique_ptr<icu::Transliterator> t_;
};

// Every character the code page writes in one byte, as UTF-8.
std::vector<std::string> oneByteCharacters()
{
    std::vector<std::string> chars;
    for (int b = 0x20; b <= 0xDF; ++b)
        if (b <= 0x7E || b >= 0xA1)
            chars.push_back(sjisDecode(std::string(1, static_cast<char>(b))));
    return chars;
}

void expectFullWidth(const std::string& in, const std::string& out, std::size_t chars)
{
    EXPECT_TRUE(sjisEncodable(out)) << in << " -> " << out;
    EXPECT_EQ(utf8Chars(out).size(), chars) << in << " -> " << out;
    EXPECT_EQ(sjisWidth(out), static_cast<int>(2 * chars)) << in << " -> " << out;
}

TEST(TextFormatFullWidth, EveryOneByteCharacterAgreesWithIcu)
{
    IcuFullWidth icu;
    int compared = 0;
    for (const std::string& c : oneByteCharacters()) {
        const std::string ours = toFullWidth(c);
        expectFullWidth(c, ours, 1);
        const std::string theirs = icu(c);
        if (sjisEncodable(theirs)) {
            EXPECT_EQ(ours, theirs) << "for " << c;
            ++compared;
        }
    }
    EXPECT_EQ(compared, 95 + 63 - 2); // all but the lone sound marks
}

TEST(TextFormatFullWidth, EveryCharacterWithASoundMark)
{
    IcuFullWidth icu;
    for (const std::string& c : oneByteCharacters()) {
        for (const char* mark : {"ﾞ", "ﾟ"}) {
            const std::string in = c + mark;
            const std::string ours = toFullWidth(in);
            EXPECT_TRUE(sjisEncodable(ours)) << in << " -> " << ours;
            const std::size_t chars = utf8Chars(ours).size();
            EXPECT_TRUE(chars == 1 || chars == 2) << in << " -> " << ours;
            EXPECT_EQ(sjisWidth(ours), static_cast<int>(2 * chars)) << in << " -> " << ours;
            const std::string theirs = icu(in);
            if (sjisEncodable(theirs)) {
                EXPECT_EQ(ours, theirs) << "for " << in;
            }
        }
    }
}

TEST(TextFormatFullWidth, SoundMarks)
{
    EXPECT_EQ(toFullWidth("ｶﾞ"), "ガ");
    EXPECT_EQ(toFullWidth("ﾊﾟ"), "パ");
    EXPECT_EQ(toFullWidth("ﾎﾞ"), "ボ");
    EXPECT_EQ(toFullWidth("ｳﾞ"), "ヴ");
    EXPECT_EQ(toFullWidth("ﾜﾞ"), "ワ゛");
    EXPECT_EQ(toFullWidth("ｦﾞ"), "ヲ゛");
    EXPECT_EQ(toFullWidth("ｱﾟ"), "ア゜");
    EXPECT_EQ(toFullWidth("ｶﾟ"), "カ゜");
    EXPECT_EQ(toFullWidth("ﾞ"), "゛");
    EXPECT_EQ(toFullWidth("ﾞﾞ"), "゛゛");
    EXPECT_EQ(toFullWidth("ﾊﾞﾞ"), "バ゛");
    EXPECT_EQ(toFullWidth("aﾞ"), "ａ゛");
    // Composition is only for half-width kana; a full-width one keeps its mark apart.
    EXPECT_EQ(toFullWidth("カﾞ"), "カ゛");
    EXPECT_EQ(toFullWidth("ﾊﾟｰﾃｨｰ"), "パーティー");
    EXPECT_EQ(toFullWidth("ｶﾞｲｺﾂ"), "ガイコツ");
}

TEST(TextFormatFullWidth, AsciiAndPassThrough)
{
    EXPECT_EQ(toFullWidth(" "), "\u3000");
    EXPECT_EQ(toFullWidth("\\~-"), "＼～－");
    EXPECT_EQ(sjisEncode(toFullWidth("\\~-")), "\x81\x5F\x81\x60\x81\x7C");
    EXPECT_EQ(toFullWidth("Lv 10!"), "Ｌｖ　１０！");
    for (const std::string text : {"", "漢字かな", "ＡＢＣ", "\r\n", "😀", "\xFF"})
        EXPECT_EQ(toFullWidth(text), text);
}

TEST(TextFormatDigits, FullWidthNumbers)
{
    EXPECT_EQ(fullWidthDigits(0), "０");
    EXPECT_EQ(fullWidthDigits(1234567890), "１２３４５６７８９０");
    EXPECT_EQ(fullWidthDigits(-42), "－４２");
    EXPECT_EQ(fullWidthDigits(LLONG_MIN), "－９２２３３７２０３６８５４７７５８０８");
    EXPECT_TRUE(sjisEncodable(fullWidthDigits(-9876543210)));
}

TEST(TextFormatField, PaddingCountsShiftJisBytes)
{
    struct Case {
        const char* text;
        int width;
        Overflow overflow;
        const char* left;  // padLeftAligned
        const char* right; // padRightAligned
    };
    const Case cases[] = {
        {"ab", 5, Overflow::Cut, "ab   ", "   ab"},
        {"勇者", 6, Overflow::Cut, "勇者  ", "  勇者"},
        {"ｶﾅ漢", 6, Overflow::Cut, "ｶﾅ漢  ", "  ｶﾅ漢"},
        {"", 3, Overflow::Cut, "   ", "   "},
        {"abc", 0, Overflow::Cut, "", ""},
        {"abcdef", 4, Overflow::Cut, "abcd", "abcd"},
        // A two-byte character that would be cut in half gives way to a blank.
        {"勇者様", 5, Overflow::Cut, "勇者 ", " 勇者"},
        {"a勇者", 2, Overflow::Cut, "a ", " a"},
        {"勇", 1, Overflow::Cut, " ", " "},
        {"a😀b", 2, Overflow::Cut, "a ", " a"}, // measured as full width
        {"abcdef", 4, Overflow::Keep, "abcdef", "abcdef"},
        {"勇者", 5, Overflow::Keep, "勇者 ", " 勇者"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.text) + " in " + std::to_string(c.width));
        EXPECT_EQ(padLeftAligned(c.text, c.width, c.overflow), c.left);
        EXPECT_EQ(padRightAligned(c.text, c.width, c.overflow), c.right);
    }
    for (int width = 0; width <= 9; ++width) {
        EXPECT_EQ(sjisWidth(padLeftAligned("ｱ漢字ｶﾅ漢", width)), width);
        EXPECT_EQ(sjisWidth(padRightAligned("ｱ漢字ｶﾅ漢", width)), width);
    }
    EXPECT_THROW(padLeftAligned("abc", -1), GameError);
}

TEST(TextFormatField, TextPatterns)
{
    EXPECT_EQ(formatField("!@@", "1"), "1 ");
    EXPECT_EQ(formatField("!@@@@@@@@@@@@ ", "ｱﾙﾌｧ"), "ｱﾙﾌｧ         ");
    EXPECT_EQ(formatField("!@@@@@@@@@@@@ ", "ＡＢＣＤＥＦＧ"), "ＡＢＣＤＥＦＧ      ");
    EXPECT_EQ(formatField("!@@", "ＡＢＣ"), "ＡＢ");
    EXPECT_EQ(formatField("! @@@@@", "Ｌ－Ｆｉｇ"), " Ｌ－Ｆｉｇ");
    EXPECT_EQ(formatField("@@@@@", "12"), "   12");
    EXPECT_EQ(formatField("! @@@@@", "侍"), " 侍    ");
    EXPECT_EQ(formatField("! @@@ ", "ﾄﾞﾜ"), " ﾄﾞﾜ ");
    EXPECT_EQ(formatField("!@@@@@@@@@@@@@@@@@ ", "スライム"), "スライム              ");
    EXPECT_EQ(formatField("(@@@@)", "全角"), "(  全角)");
    for (const char* bad : {"", "!", "abc", "@@ @@", "@!@", "@@!", "##"})
        EXPECT_THROW(formatField(bad, "x"), GameError) << bad;
}

TEST(TextFormatField, NumberPatterns)
{
    EXPECT_EQ(formatField("###############", 0), "");
    EXPECT_EQ(formatField("###############", 1500), "1500");
    EXPECT_EQ(formatField("###", 123456), "123456");
    EXPECT_EQ(formatField("#", -7), "-7");
    EXPECT_EQ(formatHash(0), "");
    EXPECT_EQ(formatHash(2147483647), "2147483647");

    EXPECT_EQ(formatField("00", 5), "05");
    EXPECT_EQ(formatField("000", 5), "005");
    EXPECT_EQ(formatTwoDigits(0), "00");
    EXPECT_EQ(formatTwoDigits(12), "12");
    EXPECT_EQ(formatTwoDigits(123), "123");
    EXPECT_EQ(formatTwoDigits(-5), "-05");

    EXPECT_EQ(formatField("@@@@@", 7), "    7");
    EXPECT_EQ(formatField("!@@", 3), "3 ");
    EXPECT_EQ(formatField("@@", -123), "-1");
    for (const char* bad : {"", "#0", "0#", "x", "!"})
        EXPECT_THROW(formatField(bad, 1), GameError) << bad;
}

TEST(TextFormatField, RowsArePaddedBeforeTheyAreWidened)
{
    auto row = [](const char* name, int level) {
        return toFullWidth(formatField("!@@@@@@@@@@@@ ", name) + "ＬＶ" +
                           formatField("@@@@@", level));
    };
    const std::string half3 = row("abc", 7);
    const std::string half7 = row("ｱﾙﾌｧｰｽﾄ", 120);
    const std::string voiced = row("ｱﾙﾌｧﾍﾞｰﾀ", 120);
    const std::string full2 = row("ＡＢ", 3);
    const std::string full6 = row("アイウエオカ", 120);
    for (const std::string& r : {half3, half7, voiced, full2, full6})
        EXPECT_TRUE(sjisEncodable(r)) << r;
    EXPECT_EQ(full6, "アイウエオカ　　　　　　　ＬＶ　　１２０");
    // Fields count characters and the whole row is widened afterwards, so
    // every row comes out the same width whatever the name is typed in...
    EXPECT_EQ(sjisWidth(half3), 40);
    EXPECT_EQ(sjisWidth(half7), 40);
    EXPECT_EQ(sjisWidth(full2), 40);
    EXPECT_EQ(sjisWidth(full6), 40);
    // ...except that a half-width voiced mark counts as a character of its
    // own and then merges with its kana.
    EXPECT_EQ(sjisWidth(voiced), 40 - 2) << "ﾍﾞ becomes one character, ベ";
}

} // namespace
} // namespace qvr
