#include "core/sjis.h"

#include <set>
#include <string>
#include <thread>
#include <vector>

#include <gtest/gtest.h>

namespace qvr {
namespace {

struct Known {
    const char* utf8;
    std::string bytes;
};

// Where code page 932 differs from the JIS table, and the two extension blocks.
const Known kKnown[] = {
    {"～", "\x81\x60"}, {"－", "\x81\x7C"}, {"―", "\x81\x5C"},  {"＼", "\x81\x5F"},
    {"∥", "\x81\x61"},  {"①", "\x87\x40"},  {"∮", "\x87\x93"},  {"\\", "\x5C"},
    {"~", "\x7E"},      {"ﾊ", "\xCA"},      {"漢", "\x8A\xBF"}, {"字", "\x8E\x9A"},
    {"　", "\x81\x40"}, {"ｰ", "\xB0"},      {"A", "A"},         {"ヴ", "\x83\x94"},
    {"￢", "\x81\xCA"}, {"髙", "\xFB\xFC"},
};

TEST(SjisRoundTrip, KnownCharactersHaveWindowsBytes)
{
    for (const Known& k : kKnown) {
        SCOPED_TRACE(k.utf8);
        EXPECT_EQ(sjisEncode(k.utf8), k.bytes);
        EXPECT_EQ(sjisDecode(k.bytes), k.utf8);
        EXPECT_TRUE(sjisEncodable(k.utf8));
        EXPECT_EQ(sjisWidth(k.utf8), static_cast<int>(k.bytes.size()));
        uint16_t code = k.bytes.size() == 1
                            ? static_cast<uint8_t>(k.bytes[0])
                            : static_cast<uint16_t>(static_cast<uint8_t>(k.bytes[0]) << 8 |
                                                    static_cast<uint8_t>(k.bytes[1]));
        EXPECT_EQ(sjisCharCodes(k.utf8), std::vector<uint16_t>{code});
        EXPECT_EQ(sjisCharFromCode(code), k.utf8);
    }
}

TEST(SjisRoundTrip, MixedTextKeepsOrderAndWidth)
{
    const std::string text = "勇者ｶﾀｶﾅ Lv.9～①";
    const std::string bytes = sjisEncode(text);
    EXPECT_EQ(bytes, "\x97\x45\x8E\xD2\xB6\xC0\xB6\xC5 Lv.9\x81\x60\x87\x40");
    EXPECT_EQ(sjisDecode(bytes), text);
    EXPECT_EQ(sjisWidth(text), static_cast<int>(bytes.size()));

    const std::vector<uint16_t> codes = sjisCharCodes(text);
    const std::vector<uint16_t> expected = {0x9745, 0x8ED2, 0xB6, 0xC0, 0xB6,   0xC5,  0x20,
                                            0x4C,   0x76,   0x2E, 0x39, 0x8160, 0x8740};
    EXPECT_EQ(codes, expected);
    std::string rebuilt;
    for (uint16_t c : codes)
        rebuilt += sjisCharFromCode(c);
    EXPECT_EQ(rebuilt, text);

    EXPECT_EQ(sjisEncode(""), "");
    EXPECT_EQ(sjisDecode(""), "");
    EXPECT_TRUE(sjisCharCodes("").empty());
    EXPECT_EQ(sjisWidth(""), 0);
}

TEST(SjisUnencodable, ErrorNamesTheFirstMissingCharacter)
{
    struct Case {
        const char* text;
        const char* character;
        const char* codePoint;
        std::size_t offset;
    };
    const Case cases[] = {
        {"ab😀", "😀", "U+1F600", 2},          {"丂", "丂", "U+4E02", 0}, // JIS X 0212 only
        {"名前𠮷野", "𠮷", "U+20BB7", 6},                               // beyond the BMP
        {"ヷ", "ヷ", "U+30F7", 0},           // ICU's own ﾜﾞ, absent here
        {"カ\u3099", "\u3099", "U+3099", 3}, // combining mark
        {"〜", "〜", "U+301C", 0},           // the input method's tilde, unmapped
        {"€と😀", "€", "U+20AC", 0},          // the first of two is reported
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_FALSE(sjisEncodable(c.text));
        try {
            sjisEncode(c.text);
            ADD_FAILURE() << "no error";
        } catch (const TextError& e) {
            EXPECT_EQ(e.character(), c.character);
            EXPECT_EQ(e.offset(), c.offset);
            const std::string what = e.what();
            EXPECT_NE(what.find(c.codePoint), std::string::npos) << what;
            EXPECT_NE(what.find(c.character), std::string::npos) << what;
        }
        EXPECT_THROW(sjisCharCodes(c.text), TextError);
    }
}

TEST(SjisUnencodable, IllFormedUtf8IsRefused)
{
    const std::string cases[] = {
        "\xFF",
        "abc\x80",
        "\xC0\xAF",         // overlong '/'
        "\xED\xA0\x80",     // a UTF-16 surrogate
        "\xE3\x81",         // cut short
        "\xF4\x90\x80\x80", // past U+10FFFF
    };
    for (const std::string& text : cases) {
        SCOPED_TRACE(text);
        EXPECT_FALSE(sjisEncodable(text));
        EXPECT_THROW(sjisEncode(text), TextError);
        EXPECT_THROW(sjisCharCodes(text), TextError);
        EXPECT_GE(sjisWidth(text), 2) << "layout must still measure it";
    }
    try {
        sjisEncode("abc\x80");
        ADD_FAILURE() << "no error";
    } catch (const TextError& e) {
        EXPECT_EQ(e.offset(), 3u);
        EXPECT_EQ(e.character(), "");
    }
}

TEST(SjisUnencodable, WidthCountsMissingCharactersAsFullWidth)
{
    EXPECT_EQ(sjisWidth("😀"), 2);
    EXPECT_EQ(sjisWidth("丂a"), 3);
    EXPECT_EQ(sjisWidth("ｱｲ漢A"), 5);
}

TEST(SjisLookalikes, TypedTextBecomesEncodable)
{
    const std::string typed = "〜−—‖¢£¬";
    EXPECT_FALSE(sjisEncodable(typed));
    const std::string mapped = mapInputLookalikes(typed);
    EXPECT_EQ(mapped, "～－―∥￠￡￢");
    EXPECT_EQ(sjisEncode(mapped), "\x81\x60\x81\x7C\x81\x5C\x81\x61\x81\x91\x81\x92\x81\xCA");
}

TEST(SjisLookalikes, OtherTextIsUntouched)
{
    for (const std::string text : {"", "abc~-", "～－―∥", "漢字ｶﾅ", "😀",
                                   "a\xFF"
                                   "b"})
        EXPECT_EQ(mapInputLookalikes(text), text);
    EXPECT_EQ(mapInputLookalikes("ｱ〜ｲ〜"), "ｱ～ｲ～");
}

TEST(SjisInvalidBytes, DecodeRefusesWhatIsNoCharacter)
{
    struct Case {
        std::string bytes;
        std::size_t offset;
    };
    const Case cases[] = {
        {"ab\x82", 2},    // lead byte with nothing after it
        {"\x82\x20", 0},  // lead byte before a byte that cannot trail
        {"\x81\x7F", 0},  // 0x7F never trails
        {"x\x85\x40", 1}, // an unassigned row
        {"\x80", 0},      // single bytes the code page leaves empty
        {"\xA0", 0},      {"\xFD", 0}, {"\xFF", 0}, {"\x82\xA0\xEF", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::PrintToString(c.bytes));
        try {
            sjisDecode(c.bytes);
            ADD_FAILURE() << "no error";
        } catch (const TextError& e) {
            EXPECT_EQ(e.offset(), c.offset);
            EXPECT_NE(std::string(e.what()).find("Shift_JIS"), std::string::npos);
        }
    }
}

TEST(SjisCharCode, UnusualCodes)
{
    EXPECT_EQ(sjisCharFromCode(0x8140), "　");
    EXPECT_EQ(sjisCharFromCode(0x41), "A");
    EXPECT_EQ(sjisCharFromCode(0xCA), "ﾊ");
    // Duplicates from the NEC and IBM blocks decode to one character, which
    // then encodes to its first code.
    EXPECT_EQ(sjisCharFromCode(0xEEF9), "￢");
    EXPECT_EQ(sjisCharCodes("￢"), std::vector<uint16_t>{0x81CA});
    EXPECT_EQ(sjisCharFromCode(0xFA40), "ⅰ");

    for (uint16_t bad : {0x0082, 0x0080, 0x00A0, 0x00FF, 0x4142, 0x82FF, 0x8500, 0xFFFF, 0x0141})
        EXPECT_THROW(sjisCharFromCode(bad), TextError) << std::hex << bad;
}

TEST(SjisCharCode, EveryCodeGivesOneCharacterOrAnError)
{
    int valid = 0;
    std::set<int32_t> seen;
    for (uint32_t code = 0; code <= 0xFFFF; ++code) {
        std::string text;
        try {
            text = sjisCharFromCode(static_cast<uint16_t>(code));
        } catch (const TextError&) {
            continue;
        }
        ++valid;
        const std::vector<Utf8Char> chars = utf8Chars(text);
        ASSERT_EQ(chars.size(), 1u) << std::hex << code;
        ASSERT_GE(chars[0].codePoint, 0) << std::hex << code;
        seen.insert(chars[0].codePoint);
        // Whatever decodes must encode again, to a code of the same length.
        const std::vector<uint16_t> back = sjisCharCodes(text);
        ASSERT_EQ(back.size(), 1u);
        EXPECT_EQ(back[0] > 0xFF, code > 0xFF) << std::hex << code;
        EXPECT_EQ(sjisCharFromCode(back[0]), text);
    }
    // ASCII 128 + half-width katakana 63; two-byte: JIS X 0208 6879, NEC row 13
    // 83, NEC-selected IBM 374, IBM 388; user-defined area F040..F9FC 1880.
    EXPECT_EQ(valid, 128 + 63 + 6879 + 83 + 374 + 388 + 1880);
    // The NEC-selected block repeats the IBM one; little else decodes twice.
    EXPECT_LT(static_cast<std::size_t>(valid) - seen.size(), 400u) << "too many duplicates";
}

TEST(SjisThreads, ConvertersAreNotShared)
{
    const std::string text = "ﾊﾟｰﾃｨｰは地下１０階に①～∮";
    const std::string bytes = sjisEncode(text);
    std::vector<std::thread> threads;
    std::vector<int> failures(4, 0);
    for (int t = 0; t < 4; ++t)
        threads.emplace_back([&, t] {
            for (int i = 0; i < 2000; ++i) {
                if (sjisEncode(text) != bytes || sjisDecode(bytes) != text)
                    ++failures[static_cast<std::size_t>(t)];
                try {
                    sjisDecode("\x82");
                } catch (const TextError&) {
                }
            }
        });
    for (std::thread& t : threads)
        t.join();
    EXPECT_EQ(failures, std::vector<int>(4, 0));
}

} // namespace
} // namespace qvr
