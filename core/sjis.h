#pragma once

// Text as the game's files and lists count it: Windows code page 932
// (Shift_JIS with the Windows extensions). Names travel in the save file as
// code-page-932 codes and list columns are measured in its bytes, so every
// conversion goes through ICU's "windows-31j" converter, which reports a
// character the code page lacks instead of quietly writing '?' in its place.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "core/error.h"

namespace qvr {

// Text that cannot be written in code page 932, bytes that are not code page
// 932, or input that is not well-formed UTF-8.
class TextError : public GameError {
  public:
    TextError(const std::string& message, std::string character, std::size_t offset);

    // The character that could not be written, as UTF-8. Empty when the input
    // itself was broken (ill-formed UTF-8, bytes that are no character).
    const std::string& character() const { return character_; }
    // Where the trouble starts, in bytes from the start of the input.
    std::size_t offset() const { return offset_; }

  private:
    std::string character_;
    std::size_t offset_;
};

// One character of UTF-8 text. An ill-formed sequence comes out as its own
// "character" with a negative code point, so callers can pass it on or refuse it.
struct Utf8Char {
    std::string_view bytes;
    int32_t codePoint;
};
std::vector<Utf8Char> utf8Chars(std::string_view utf8);
// Appends one code point as UTF-8; throws GameError for a surrogate or a value
// past U+10FFFF.
void appendUtf8(std::string& out, char32_t codePoint);

// Input methods type some characters that look like ones of code page 932 but
// are not (WAVE DASH for FULLWIDTH TILDE and the like). Typed text goes
// through this before it is encoded; everything else is left as it is.
std::string mapInputLookalikes(std::string_view utf8);

// UTF-8 to code-page-932 bytes. Throws TextError naming the first character
// the code page lacks, or the first ill-formed UTF-8 sequence.
std::string sjisEncode(std::string_view utf8);
bool sjisEncodable(std::string_view utf8);

// Code-page-932 bytes to UTF-8. Throws TextError on bytes that are not a
// character, including a lead byte with nothing after it.
std::string sjisDecode(std::string_view bytes);

// One code per character, as the save file stores names: the byte of a
// one-byte character, (lead << 8) | trail of a two-byte one. Throws like
// sjisEncode.
std::vector<uint16_t> sjisCharCodes(std::string_view utf8);

// The character of one such code (up to 0xFF: one byte; above: lead byte and
// trail byte). Safe for every 16-bit value: a code that is not exactly one
// character of the code page throws TextError.
std::string sjisCharFromCode(uint16_t code);

// Width in code-page-932 bytes, the unit of every list column: full-width
// characters count 2, ASCII and half-width katakana 1. A character the code
// page lacks (or an ill-formed UTF-8 sequence) counts 2, since it can only be
// drawn full width; layout must not fail on text that has not been checked yet.
int sjisWidth(std::string_view utf8);

} // namespace qvr
