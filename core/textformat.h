#pragma once

// The list and number formats of the game's screens. Field widths are counted
// in code-page-932 bytes (a full-width character is two), the unit the lists
// are laid out in. A row is padded first and converted to full width
// afterwards, which doubles every half-width character and padding blank but
// not a character that was full width already: half-width names line up, and
// each full-width character shortens its row by two bytes. That is
// the look of the game's lists, so callers keep that order.

#include <string>
#include <string_view>

namespace qvr {

// Half-width to full-width: the blank, ASCII 0x21..0x7E and the half-width
// katakana with their sound marks. Every result can be written in code page
// 932; a sound mark with no composed form (ﾜﾞ, ｱﾟ) stays a separate
// full-width mark (ワ゛, ア゜). Everything else is returned unchanged.
std::string toFullWidth(std::string_view utf8);

// ASCII letters in upper case, every other byte as it was: how spell names
// are stored and typed names compared.
std::string AsciiUpper(std::string_view utf8);
// A typed word as the game compares it: upper case, then full width (as
// toFullWidth), full-width small letters raised too, so that "human",
// "ＨＵＭＡＮ" and "ｈｕｍａｎ" read alike.
std::string UpperFullWidth(std::string_view utf8);

// The number in full-width digits, with "－" for a minus sign.
std::string fullWidthDigits(long long n);

// What a field does with text wider than itself.
enum class Overflow {
    Cut,  // keep the start of the text, up to the width
    Keep, // show the whole text; the row grows
};

// Text at the left of a field of `width` bytes, blanks after it ("!@@@").
// When cutting would split a two-byte character, the character goes and a
// blank takes its place, so the field keeps its width.
std::string padLeftAligned(std::string_view text, int width, Overflow overflow = Overflow::Cut);
// Text at the right of a field of `width` bytes, blanks before it ("@@@").
// An overlong text is cut the same way as above.
std::string padRightAligned(std::string_view text, int width, Overflow overflow = Overflow::Cut);

// A text field pattern: an optional leading '!' (left-aligned; without it
// right-aligned), then one run of '@', one per character of the field (so a
// five-character class label such as "Ｌ－Ｆｉｇ" fills "@@@@@"), with any
// other characters before or after the run copied as they stand
// ("!@@@@@@@@@@@@ ", "! @@@@@"). Overlong text is cut. Throws GameError for
// any other pattern.
std::string formatField(std::string_view pattern, std::string_view text);

// A number through a pattern: all '#' as formatHash, n '0's as at least n
// digits with leading zeros, or an '@' pattern applied to the decimal text.
// Throws GameError for any other pattern.
std::string formatField(std::string_view pattern, long long n);

// "###…": the plain decimal number, never padded, and zero as an empty text
// (the game's gold messages show nothing for no gold).
std::string formatHash(long long n);

// "00": at least two digits, with a leading zero ("05", "12", "123", "-05").
std::string formatTwoDigits(long long n);

// Blanks and tabs gone from both ends, as typed names, script arguments and
// settings values are read.
std::string_view TrimBlanks(std::string_view s);

} // namespace qvr
