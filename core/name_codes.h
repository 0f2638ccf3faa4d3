#pragma once

// Names of characters, monsters and items travel on disk as arrays of 16-bit
// Shift_JIS codes, each scrambled with a fixed mask. A stored 0 is no
// character and is skipped: it does not end the name.

#include <cstdint>
#include <string>
#include <string_view>

#include "core/bounded.h"
#include "core/error.h"
#include "core/sjis.h"

namespace qvr {

inline constexpr uint16_t kNameMask = 0x3A5C;

// A stored code that is no character: the file is damaged. `index` is the
// code's element, so that a reader can name the byte where it stands.
class BadNameCode : public GameError {
public:
    BadNameCode(int index, const std::string& what) : GameError(what), index(index) {}
    int index;
};

// The UTF-8 text of a stored code array (elements 1..Hi; element 0 unused).
// A code that is no character is a BadNameCode.
template <int Hi> std::string DecodeNameCodes(const Bounded<int16_t, 0, Hi>& codes)
{
    std::string text;
    for (int j = 1; j <= Hi; ++j) {
        if (codes[j] == 0)
            continue;
        auto code = static_cast<uint16_t>(static_cast<uint16_t>(codes[j]) ^ kNameMask);
        try {
            text += sjisCharFromCode(code);
        } catch (const TextError&) {
            throw BadNameCode(j, "名前の " + std::to_string(j) + " 番目のコード（" +
                                     std::to_string(codes[j]) + "）が文字ではありません");
        }
    }
    return text;
}

// Fills codes 1..Hi from a UTF-8 name; the rest become 0. A name that code
// page 932 cannot hold, or one longer than Hi characters, is refused whole.
template <int Hi> void EncodeNameCodes(std::string_view name, Bounded<int16_t, 0, Hi>& codes)
{
    std::vector<uint16_t> chars = sjisCharCodes(name);
    if (chars.size() > static_cast<std::size_t>(Hi))
        throw GameError("名前「" + std::string(name) + "」は " + std::to_string(Hi) +
                        " 文字より長いので記録できません");
    for (int j = 1; j <= Hi; ++j)
        codes[j] = 0;
    for (std::size_t j = 0; j < chars.size(); ++j)
        codes[static_cast<long>(j) + 1] = static_cast<int16_t>(chars[j] ^ kNameMask);
}

} // namespace qvr
