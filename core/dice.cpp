#include "core/dice.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "core/error.h"
#include "core/records.h"

namespace qvr {

int32_t DieFace(float r, int32_t sides)
{
    if (!(r >= 0.0f && r < 1.0f))
        throw GameError("a die was rolled with a draw outside [0, 1)");
    // A float has a 24-bit significand, so r * sides is an exact integer
    // product scaled by a power of two. Even a double product can round
    // across a whole number once sides passes 2^29, and the floor would then
    // show a face one too high.
    int exponent = 0;
    const float fraction = std::frexp(r, &exponent);
    if (fraction == 0.0f)
        return 1;
    const auto significand = static_cast<int64_t>(std::ldexp(fraction, 24));
    const int shift = 24 - exponent; // r < 1, so at least 24
    const int64_t product = significand * sides;
    // An arithmetic shift floors towards minus infinity, negative dice included.
    const int64_t whole = shift >= 63 ? (product < 0 ? -1 : 0) : (product >> shift);
    return static_cast<int32_t>(whole + 1);
}

int32_t Dice(Rng& rng, int32_t count, int32_t sides, int32_t bonus)
{
    // Each face lies between sides and 1, so 2^31 faces of 2^31 each still
    // fit in 64 bits; only the final value needs bringing back into range.
    int64_t total = bonus;
    for (int32_t i = 0; i < count; ++i)
        total += DieFace(rng.uniform(), sides);
    return static_cast<int32_t>(std::clamp<int64_t>(total, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

int32_t HpDieSides(int32_t classCode)
{
    switch (classCode) {
    case Class::Fighter:
        return 18;
    case Class::Wizard:
    case Class::Sage:
        return 5;
    case Class::Cleric:
    case Class::Lord:
        return 15;
    case Class::Thief:
    case Class::Ninja:
    case Class::MagicSwordsman:
    case Class::MartialArtist:
        return 9;
    case Class::Bard:
    case 64: // the two class codes that have no name of their own

    case 4096:
    case Class::Onmyoji:
        return 11;
    default:
        return 13;
    }
}

int32_t HpRoll(Rng& rng, int32_t count, int32_t classCode, int32_t vitality)
{
    const int32_t bonus = vitality <= 13 ? vitality : vitality - 13;
    return Dice(rng, count, HpDieSides(classCode), bonus);
}

} // namespace qvr
