#include "core/sjis.h"

#include <algorithm>
#include <cstdint>
#include <cstdio>
#include <iterator>
#include <memory>
#include <utility>

#include <unicode/ucnv.h>
#include <unicode/utf16.h>
#include <unicode/utf8.h>

namespace qvr {

TextError::TextError(const std::string& message, std::string character, std::size_t offset)
    : GameError(message), character_(std::move(character)), offset_(offset)
{
}

namespace {

struct ConverterCloser {
    void operator()(UConverter* conv) const { ucnv_close(conv); }
};
using ConverterPtr = std::unique_ptr<UConverter, ConverterCloser>;

ConverterPtr openConverter()
{
    UErrorCode err = U_ZERO_ERROR;
    ConverterPtr conv(ucnv_open("windows-31j", &err));
    if (U_SUCCESS(err)) {
        // Without STOP, ICU substitutes a replacement byte and the player's
        // name would be saved with a '?' in it.
        ucnv_setFromUCallBack(conv.get(), UCNV_FROM_U_CALLBACK_STOP, nullptr, nullptr, nullptr,
                              &err);
        ucnv_setToUCallBack(conv.get(), UCNV_TO_U_CALLBACK_STOP, nullptr, nullptr, nullptr, &err);
    }
    if (U_FAILURE(err))
        throw GameError(std::string("cannot open the Shift_JIS converter: ") + u_errorName(err));
    return conv;
}

// ICU converters keep state between calls, so each thread gets its own.
UConverter* converter()
{
    thread_local ConverterPtr conv = openConverter();
    return conv.get();
}

std::string hex(unsigned value, int digits)
{
    char buf[16];
    std::snprintf(buf, sizeof buf, "%0*X", digits, value);
    return buf;
}

std::string hexBytes(std::string_view bytes)
{
    std::string out;
    for (unsigned char b : bytes) {
        if (!out.empty())
            out += ' ';
        out += hex(b, 2);
    }
    return out;
}

// The code-page-932 bytes of one code point; empty when the code page lacks it.
std::string encodeCodePoint(UChar32 cp)
{
    UChar units[U16_MAX_LENGTH];
    int32_t unitCount = 0;
    U16_APPEND_UNSAFE(units, unitCount, cp);
    char out[8];
    UErrorCode err = U_ZERO_ERROR;
    int32_t len = ucnv_fromUChars(converter(), out, sizeof out, units, unitCount, &err);
    if (err == U_INVALID_CHAR_FOUND || err == U_ILLEGAL_CHAR_FOUND)
        return {};
    if (U_FAILURE(err))
        throw GameError(std::string("Shift_JIS conversion failed: ") + u_errorName(err));
    return std::string(out, static_cast<std::size_t>(len));
}

[[noreturn]] void throwIllFormed(const Utf8Char& ch, std::size_t offset)
{
    throw TextError("the text is not valid UTF-8 (byte " +
                        hex(static_cast<uint8_t>(ch.bytes[0]), 2) + " at offset " +
                        std::to_string(offset) + ")",
                    {}, offset);
}

[[noreturn]] void throwUnencodable(const Utf8Char& ch, std::size_t offset)
{
    throw TextError("the character " + std::string(ch.bytes) + " (U+" +
                        hex(static_cast<unsigned>(ch.codePoint), 4) +
                        ") cannot be written in Shift_JIS",
                    std::string(ch.bytes), offset);
}

// Calls emit(bytes) for every character, throwing on the first one that
// cannot be encoded.
template <typename Emit> void encodeEach(std::string_view utf8, Emit emit)
{
    std::size_t offset = 0;
    for (const Utf8Char& ch : utf8Chars(utf8)) {
        if (ch.codePoint < 0)
            throwIllFormed(ch, offset);
        std::string bytes = encodeCodePoint(ch.codePoint);
        if (bytes.empty())
            throwUnencodable(ch, offset);
        emit(bytes);
        offset += ch.bytes.size();
    }
}

// Decodes the next character of [*pos, end), advancing *pos. On failure,
// returns a negative value and leaves *pos past the offending bytes.
UChar32 decodeNext(const char** pos, const char* end, UErrorCode* err)
{
    UConverter* conv = converter();
    ucnv_resetToUnicode(conv);
    *err = U_ZERO_ERROR;
    UChar32 cp = ucnv_getNextUChar(conv, pos, end, err);
    return U_FAILURE(*err) ? -1 : cp;
}

} // namespace

std::vector<Utf8Char> utf8Chars(std::string_view utf8)
{
    // ICU walks text with 32-bit indices.
    if (utf8.size() > static_cast<std::size_t>(INT32_MAX))
        throw TextError("the text is too long to convert", {}, 0);
    std::vector<Utf8Char> chars;
    const auto* s = reinterpret_cast<const uint8_t*>(utf8.data());
    const auto length = static_cast<int32_t>(utf8.size());
    int32_t i = 0;
    while (i < length) {
        int32_t start = i;
        UChar32 cp;
        U8_NEXT(s, i, length, cp);
        chars.push_back(
            {utf8.substr(static_cast<std::size_t>(start), static_cast<std::size_t>(i - start)),
             cp});
    }
    return chars;
}

void appendUtf8(std::string& out, char32_t codePoint)
{
    uint8_t buf[U8_MAX_LENGTH];
    int32_t n = 0;
    UBool failed = false;
    U8_APPEND(buf, n, U8_MAX_LENGTH, static_cast<UChar32>(codePoint), failed);
    if (failed || codePoint > 0x10FFFF)
        throw GameError("U+" + hex(static_cast<unsigned>(codePoint), 4) + " is not a character");
    out.append(reinterpret_cast<const char*>(buf), static_cast<std::size_t>(n));
}

std::string mapInputLookalikes(std::string_view utf8)
{
    // What a Linux input method types, and what a Windows one would have typed.
    static constexpr std::pair<UChar32, UChar32> kLookalikes[] = {
        {0x301C, 0xFF5E}, // WAVE DASH -> FULLWIDTH TILDE
        {0x2212, 0xFF0D}, // MINUS SIGN -> FULLWIDTH HYPHEN-MINUS
        {0x2014, 0x2015}, // EM DASH -> HORIZONTAL BAR
        {0x2016, 0x2225}, // DOUBLE VERTICAL LINE -> PARALLEL TO
        {0x00A2, 0xFFE0}, // CENT SIGN -> FULLWIDTH CENT SIGN
        {0x00A3, 0xFFE1}, // POUND SIGN -> FULLWIDTH POUND SIGN
        {0x00AC, 0xFFE2}, // NOT SIGN -> FULLWIDTH NOT SIGN
    };
    std::string out;
    out.reserve(utf8.size());
    for (const Utf8Char& ch : utf8Chars(utf8)) {
        const auto* hit = std::find_if(std::begin(kLookalikes), std::end(kLookalikes),
                                       [&](const auto& m) { return m.first == ch.codePoint; });
        if (hit == std::end(kLookalikes))
            out += ch.bytes;
        else
            appendUtf8(out, static_cast<char32_t>(hit->second));
    }
    return out;
}

std::string sjisEncode(std::string_view utf8)
{
    std::string out;
    out.reserve(utf8.size());
    encodeEach(utf8, [&](const std::string& bytes) { out += bytes; });
    return out;
}

bool sjisEncodable(std::string_view utf8)
{
    for (const Utf8Char& ch : utf8Chars(utf8))
        if (ch.codePoint < 0 || encodeCodePoint(ch.codePoint).empty())
            return false;
    return true;
}

std::vector<uint16_t> sjisCharCodes(std::string_view utf8)
{
    std::vector<uint16_t> codes;
    encodeEach(utf8, [&](const std::string& bytes) {
        uint16_t code = 0;
        for (unsigned char b : bytes)
            code = static_cast<uint16_t>((code << 8) | b);
        codes.push_back(code);
    });
    return codes;
}

std::string sjisDecode(std::string_view bytes)
{
    std::string out;
    out.reserve(bytes.size() * 3 / 2);
    const char* const begin = bytes.data();
    const char* const end = begin + bytes.size();
    const char* pos = begin;
    while (pos < end) {
        const char* start = pos;
        UErrorCode err;
        UChar32 cp = decodeNext(&pos, end, &err);
        if (cp < 0) {
            const auto offset = static_cast<std::size_t>(start - begin);
            std::string_view bad(start, static_cast<std::size_t>(pos > start ? pos - start : 1));
            if (err == U_TRUNCATED_CHAR_FOUND)
                throw TextError("the Shift_JIS text ends inside a character (" + hexBytes(bad) +
                                    " at offset " + std::to_string(offset) + ")",
                                {}, offset);
            throw TextError("the bytes " + hexBytes(bad) + " at offset " + std::to_string(offset) +
                                " are not a Shift_JIS character",
                            {}, offset);
        }
        appendUtf8(out, static_cast<char32_t>(cp));
    }
    return out;
}

std::string sjisCharFromCode(uint16_t code)
{
    char bytes[2];
    std::size_t len = 0;
    if (code > 0xFF)
        bytes[len++] = static_cast<char>(code >> 8);
    bytes[len++] = static_cast<char>(code & 0xFF);

    const char* pos = bytes;
    const char* end = bytes + len;
    UErrorCode err;
    UChar32 cp = decodeNext(&pos, end, &err);
    // A code like 0x4142 decodes fine as "AB", but a stored code is one character.
    if (cp < 0 || pos != end)
        throw TextError("code 0x" + hex(code, 4) + " is not a Shift_JIS character", {}, 0);
    std::string out;
    appendUtf8(out, static_cast<char32_t>(cp));
    return out;
}

int sjisWidth(std::string_view utf8)
{
    int width = 0;
    for (const Utf8Char& ch : utf8Chars(utf8)) {
        std::size_t bytes = ch.codePoint < 0 ? 0 : encodeCodePoint(ch.codePoint).size();
        width += bytes == 0 ? 2 : static_cast<int>(bytes);
    }
    return width;
}

} // namespace qvr
