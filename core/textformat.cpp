#include "core/textformat.h"

#include <algorithm>
#include <cstdint>
#include <iterator>
#include <vector>

#include "core/error.h"
#include "core/sjis.h"

namespace qvr {

namespace {

// Full-width forms of the half-width katakana U+FF61..U+FF9F, with the
// composed forms that take a following ﾞ or ﾟ. Only composed forms that code
// page 932 has are listed (no ヷ, ヺ), and the lone marks become the spacing
// ゛ and ゜ rather than combining marks, which it lacks too. ICU's
// transliterator produces both of those, hence a table of our own.
struct Kana {
    char16_t plain;
    char16_t voiced;     // with ﾞ, 0 if none
    char16_t semiVoiced; // with ﾟ, 0 if none
};

constexpr char16_t kFirstHalfKana = 0xFF61;
constexpr char16_t kVoicedMark = 0xFF9E;
constexpr char16_t kSemiVoicedMark = 0xFF9F;

constexpr Kana kHalfKana[] = {
    {u'。', 0, 0},         {u'「', 0, 0},         {u'」', 0, 0},         {u'、', 0, 0},
    {u'・', 0, 0},         {u'ヲ', 0, 0},         {u'ァ', 0, 0},         {u'ィ', 0, 0},
    {u'ゥ', 0, 0},         {u'ェ', 0, 0},         {u'ォ', 0, 0},         {u'ャ', 0, 0},
    {u'ュ', 0, 0},         {u'ョ', 0, 0},         {u'ッ', 0, 0},         {u'ー', 0, 0},
    {u'ア', 0, 0},         {u'イ', 0, 0},         {u'ウ', u'ヴ', 0},     {u'エ', 0, 0},
    {u'オ', 0, 0},         {u'カ', u'ガ', 0},     {u'キ', u'ギ', 0},     {u'ク', u'グ', 0},
    {u'ケ', u'ゲ', 0},     {u'コ', u'ゴ', 0},     {u'サ', u'ザ', 0},     {u'シ', u'ジ', 0},
    {u'ス', u'ズ', 0},     {u'セ', u'ゼ', 0},     {u'ソ', u'ゾ', 0},     {u'タ', u'ダ', 0},
    {u'チ', u'ヂ', 0},     {u'ツ', u'ヅ', 0},     {u'テ', u'デ', 0},     {u'ト', u'ド', 0},
    {u'ナ', 0, 0},         {u'ニ', 0, 0},         {u'ヌ', 0, 0},         {u'ネ', 0, 0},
    {u'ノ', 0, 0},         {u'ハ', u'バ', u'パ'}, {u'ヒ', u'ビ', u'ピ'}, {u'フ', u'ブ', u'プ'},
    {u'ヘ', u'ベ', u'ペ'}, {u'ホ', u'ボ', u'ポ'}, {u'マ', 0, 0},         {u'ミ', 0, 0},
    {u'ム', 0, 0},         {u'メ', 0, 0},         {u'モ', 0, 0},         {u'ヤ', 0, 0},
    {u'ユ', 0, 0},         {u'ヨ', 0, 0},         {u'ラ', 0, 0},         {u'リ', 0, 0},
    {u'ル', 0, 0},         {u'レ', 0, 0},         {u'ロ', 0, 0},         {u'ワ', 0, 0},
    {u'ン', 0, 0},         {u'゛', 0, 0},         {u'゜', 0, 0},
};
static_assert(std::size(kHalfKana) == kSemiVoicedMark - kFirstHalfKana + 1);

const Kana* halfKana(int32_t cp)
{
    if (cp < kFirstHalfKana || cp > kSemiVoicedMark)
        return nullptr;
    return &kHalfKana[cp - kFirstHalfKana];
}

// Widths in Shift_JIS bytes, or in characters as the "@" patterns count them.
enum class Measure { Bytes, Characters };

std::string padded(std::string_view text, int width, bool leftAligned, Overflow overflow,
                   Measure measure = Measure::Bytes)
{
    if (width < 0)
        throw GameError("a text field cannot be " + std::to_string(width) + " wide");
    std::string body;
    int used = 0;
    for (const Utf8Char& ch : utf8Chars(text)) {
        int w = measure == Measure::Bytes ? sjisWidth(ch.bytes) : 1;
        if (overflow == Overflow::Cut && used + w > width)
            break;
        body += ch.bytes;
        used += w;
    }
    std::string blanks(static_cast<std::size_t>(std::max(0, width - used)), ' ');
    return leftAligned ? body + blanks : blanks + body;
}

std::string decimal(long long n, std::size_t minDigits)
{
    // Through unsigned, so the most negative number has a magnitude too.
    unsigned long long magnitude =
        n < 0 ? 0ULL - static_cast<unsigned long long>(n) : static_cast<unsigned long long>(n);
    std::string digits = std::to_string(magnitude);
    if (digits.size() < minDigits)
        digits.insert(0, minDigits - digits.size(), '0');
    return n < 0 ? "-" + digits : digits;
}

bool allOf(std::string_view s, char c)
{
    return !s.empty() && s.find_first_not_of(c) == std::string_view::npos;
}

} // namespace

std::string toFullWidth(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size() * 3);
    const std::vector<Utf8Char> chars = utf8Chars(utf8);
    for (std::size_t i = 0; i < chars.size(); ++i) {
        const int32_t cp = chars[i].codePoint;
        if (cp == ' ') {
            appendUtf8(out, U'\u3000');
        } else if (cp >= 0x21 && cp <= 0x7E) {
            appendUtf8(out, static_cast<char32_t>(cp + 0xFEE0));
        } else if (const Kana* kana = halfKana(cp)) {
            const int32_t next = i + 1 < chars.size() ? chars[i + 1].codePoint : -1;
            char16_t composed = next == kVoicedMark       ? kana->voiced
                                : next == kSemiVoicedMark ? kana->semiVoiced
                                                          : 0;
            appendUtf8(out, composed ? composed : kana->plain);
            if (composed)
                ++i;
        } else {
            out += chars[i].bytes;
        }
    }
    return out;
}

std::string AsciiUpper(std::string_view utf8)
{
    std::string out(utf8);
    for (char& ch : out)
        if (ch >= 'a' && ch <= 'z')
            ch = static_cast<char>(ch - 'a' + 'A');
    return out;
}

std::string UpperFullWidth(std::string_view utf8)
{
    std::string out = toFullWidth(AsciiUpper(utf8));
    // U+FF41..FF5A (ａ..ｚ) are EF BD 81..9A; U+FF21..FF3A (Ａ..Ｚ) EF BC A1..BA.
    for (std::size_t i = 0; i + 2 < out.size(); ++i) {
        auto b = [&](std::size_t k) { return static_cast<unsigned char>(out[k]); };
        if (b(i) == 0xEF && b(i + 1) == 0xBD && b(i + 2) >= 0x81 && b(i + 2) <= 0x9A) {
            out[i + 1] = static_cast<char>(0xBC);
            out[i + 2] = static_cast<char>(b(i + 2) - 0x81 + 0xA1);
            i += 2;
        }
    }
    return out;
}

std::string fullWidthDigits(long long n)
{
    std::string out;
    for (char c : decimal(n, 1))
        appendUtf8(out, c == '-' ? U'－' : static_cast<char32_t>(U'０' + (c - '0')));
    return out;
}

std::string padLeftAligned(std::string_view text, int width, Overflow overflow)
{
    return padded(text, width, true, overflow);
}

std::string padRightAligned(std::string_view text, int width, Overflow overflow)
{
    return padded(text, width, false, overflow);
}

std::string formatField(std::string_view pattern, std::string_view text)
{
    const std::string_view whole = pattern;
    const bool leftAligned = !pattern.empty() && pattern.front() == '!';
    if (leftAligned)
        pattern.remove_prefix(1);
    const std::size_t first = pattern.find('@');
    const std::size_t last = pattern.find_last_of('@');
    const std::string_view run = first == std::string_view::npos
                                     ? std::string_view{}
                                     : pattern.substr(first, last - first + 1);
    if (!allOf(run, '@') || pattern.find('!') != std::string_view::npos)
        throw GameError("unsupported text field pattern \"" + std::string(whole) + "\"");
    const int width = static_cast<int>(run.size());
    return std::string(pattern.substr(0, first)) +
           padded(text, width, leftAligned, Overflow::Cut, Measure::Characters) +
           std::string(pattern.substr(last + 1));
}

std::string formatField(std::string_view pattern, long long n)
{
    if (allOf(pattern, '#'))
        return formatHash(n);
    if (allOf(pattern, '0'))
        return decimal(n, pattern.size());
    if (pattern.find('@') != std::string_view::npos)
        return formatField(pattern, std::string_view(decimal(n, 1)));
    throw GameError("unsupported number pattern \"" + std::string(pattern) + "\"");
}

std::string formatHash(long long n)
{
    return n == 0 ? std::string() : decimal(n, 1);
}

std::string formatTwoDigits(long long n)
{
    return decimal(n, 2);
}

std::string_view TrimBlanks(std::string_view s)
{
    auto blank = [](char c) { return c == ' ' || c == '\t'; };
    while (!s.empty() && blank(s.front()))
        s.remove_prefix(1);
    while (!s.empty() && blank(s.back()))
        s.remove_suffix(1);
    return s;
}

} // namespace qvr
