#include "rules/experience.h"

#include <algorithm>
#include <array>
#include <limits>

#include "core/dice.h"

namespace qvr {
namespace {

constexpr int kTableLevels = 20;
constexpr int kClassCount = 13;

// Past the table each class climbs a straight line from its anchor level. The
// bases are the game's own, not the class's level-20 entry: thieves jump to
// the line of the priests, and ninjas run theirs from level 15.
struct ClassCurve {
    int32_t classCode;
    int32_t anchorLevel;
    int64_t base;
    int64_t perLevel;
};

constexpr std::array<ClassCurve, kClassCount> kCurves{{
    {Class::Fighter, 20, 4034033, 600495},
    {Class::Wizard, 20, 4244033, 662933},
    {Class::Cleric, 20, 4204033, 640594},
    {Class::Thief, 20, 4204033, 536934},
    {Class::Sage, 20, 4830932, 809404},
    {Class::Bard, 20, 4259303, 669830},
    {Class::Valkyrie, 20, 4273354, 699094},
    {Class::Samurai, 20, 4444930, 717033},
    {Class::Lord, 20, 4502348, 739201},
    {Class::Ninja, 15, 1794434, 813930},
    {Class::MagicSwordsman, 20, 4305034, 708030},
    {Class::Onmyoji, 20, 4220393, 661920},
    {Class::MartialArtist, 20, 4404939, 780933},
}};

// Rows are levels 1..20, columns the classes in the order of kCurves.
constexpr std::array<std::array<int32_t, kClassCount>, kTableLevels> kExpTable{{
    {1000, 900, 1200, 800, 1500, 1000, 1100, 1300, 1350, 1800, 1150, 900, 1300},
    {2500, 2300, 2600, 2000, 3000, 2400, 2650, 2600, 2700, 4000, 2700, 2450, 2600},
    {5000, 4500, 5100, 4000, 6500, 4600, 5000, 5500, 5500, 7000, 5100, 4500, 5300},
    {13000, 12000, 14000, 10000, 15500, 14000, 13400, 14000, 13500, 15500, 13800, 13000, 13500},
    {35000, 31000, 35000, 30000, 42000, 33000, 36800, 36700, 37000, 44444, 37000, 32000, 35904},
    {82034, 79034, 83034, 75034, 87034, 79039, 83034, 85034, 85034, 90020, 84034, 79939, 85034},
    {123040, 139040, 133040, 102040, 139040, 141930, 131040, 139040, 139040, 140921, 137040, 141003,
     130765},
    {190900, 200900, 190900, 150900, 220900, 204920, 190900, 199999, 199999, 233904, 192600, 204403,
     197049},
    {266005, 286005, 266005, 216005, 306063, 294029, 276005, 271543, 271543, 333202, 262005, 290394,
     270494},
    {366002, 386002, 366002, 316002, 406044, 383049, 379002, 388777, 388777, 450443, 384432, 389203,
     386049},
    {501001, 521001, 501001, 451001, 551032, 520933, 521001, 539195, 540001, 589033, 529031, 520049,
     528393},
    {674056, 704056, 674056, 604056, 747056, 710934, 704056, 699940, 710056, 767043, 720011, 710009,
     685043},
    {900012, 950012, 900012, 800012, 1000819, 951093, 950012, 985000, 999101, 1020819, 969653,
     951182, 970955},
    {1189011, 1259016, 1189016, 1059016, 1309016, 1264983, 1289016, 1299016, 1300001, 1359016,
     1300551, 1264940, 1284032},
    {1553016, 1621231, 1521231, 1321231, 1721221, 1629093, 1641231, 1670034, 1705554, 1794434,
     1687243, 1620492, 1658690},
    {1950123, 2040123, 1940123, 1650123, 2240123, 2079504, 2020123, 2120123, 2140123, 2260123,
     2090723, 2053303, 2104933},
    {2409554, 2509401, 2409044, 2029110, 2834214, 2519033, 2499401, 2584394, 2634394, 2840394,
     2529506, 2503943, 2560594},
    {2905412, 3025990, 2995202, 2445412, 3442323, 3034039, 3005302, 3100393, 3159675, 3459393,
     3000293, 3020393, 3100003},
    {3450023, 3590776, 3575630, 2915427, 4120234, 3594049, 3590400, 3749220, 3803849, 4150432,
     3590400, 3575940, 3739034},
    {4034033, 4243354, 4204033, 3424093, 4850932, 4259303, 4273354, 4444930, 4502348, 4890494,
     4305034, 4220393, 4404939},
}};

// Scales by a factor in thousandths and rounds halves to the even neighbour.
// Whole-number arithmetic keeps the halves exact: a double product of 1.005
// lands just below or above .5 depending on the value and would round them
// by accident.
int64_t ScalePermille(int64_t value, int32_t permille)
{
    const int64_t product = value * permille;
    int64_t quotient = product / 1000;
    const int64_t remainder = product % 1000;
    if (remainder > 500 || (remainder == 500 && quotient % 2 != 0))
        ++quotient;
    return quotient;
}

int32_t ClampToInt32(int64_t value)
{
    return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                    std::numeric_limits<int32_t>::max()));
}

} // namespace

int32_t RaceExpFactorPermille(int32_t race)
{
    switch (race) {
    case Race::Elf:
        return 1010;
    case Race::Dwarf:
        return 999;
    case Race::Gnome:
    case Race::Mutant:
        return 998;
    case Race::Hobbit:
        return 1002;
    case Race::Fairy:
    case Race::Demon:
        return 1003;
    case Race::Dragon:
        return 1005;
    case Race::Angel:
        return 995;
    default:
        return 1000;
    }
}

int32_t ExpForLevel(int32_t level, int32_t classCode, int32_t race)
{
    if (level <= 0)
        return 0;
    const auto curve = std::find_if(kCurves.begin(), kCurves.end(),
                                    [&](const ClassCurve& c) { return c.classCode == classCode; });
    if (curve == kCurves.end())
        return 0;
    const auto column = static_cast<std::size_t>(curve - kCurves.begin());
    // 64 bits hold the straight line and its race scaling for every 32-bit
    // level: at most 2^31 levels of under 2^20 points, times 1010.
    const int64_t base =
        level <= kTableLevels
            ? kExpTable[static_cast<std::size_t>(level - 1)][column]
            : (int64_t{level} - curve->anchorLevel) * curve->perLevel + curve->base;
    return ClampToInt32(ScalePermille(base, RaceExpFactorPermille(race)));
}

int32_t DrainRoll(Rng& rng, int32_t classCode, int32_t vitality)
{
    switch (classCode) {
    case Class::Fighter:
    case Class::MagicSwordsman:
        return Dice(rng, 1, ClampToInt32(int64_t{vitality} + 2), 0);
    case Class::Wizard:
    case Class::Sage: {
        // floor(vitality / 1.5) in whole numbers, flooring negatives as well.
        const int64_t twice = 2 * int64_t{vitality};
        const int64_t sides = twice >= 0 ? twice / 3 : -((-twice + 2) / 3);
        return Dice(rng, 1, ClampToInt32(sides), 1);
    }
    case Class::Thief:
    case Class::Bard:
    case 64: // the two class codes that have no name of their own
    case Class::Ninja:
    case 4096:
    case Class::Onmyoji:
    case Class::MartialArtist:
        return Dice(rng, 1, vitality, 0);
    default:
        return Dice(rng, 1, ClampToInt32(int64_t{vitality} + 1), 0);
    }
}

int32_t DrainHpLoss(Rng& rng, int32_t roll)
{
    if (roll <= 4)
        return 1;
    if (roll == 5)
        return 5;
    if (roll <= 7)
        return 2;
    if (roll <= 9)
        return 3;
    if (roll == 10)
        return Dice(rng, 1, 5, 1);
    if (roll <= 12)
        return Dice(rng, 2, 8, 2);
    if (roll <= 15)
        return Dice(rng, 3, 8, 3);
    if (roll <= 18)
        return Dice(rng, 4, 8, 4);
    if (roll <= 21)
        return Dice(rng, 5, 8, 5);
    return Dice(rng, roll - 16, 8, 5);
}

void DrainLevels(Rng& rng, Character& character, int32_t n)
{
    if (n < 1)
        return;
    Character& c = character;
    c.level = static_cast<int32_t>(std::max<int64_t>(int64_t{c.level} - n, 1));
    c.exp = ExpForLevel(c.level - 1, c.classCode, c.race);
    for (int32_t i = 0; i < n; ++i) {
        const int32_t loss = DrainHpLoss(rng, DrainRoll(rng, c.classCode, c.vitality));
        c.maxHp = static_cast<int32_t>(std::max<int64_t>(int64_t{c.maxHp} - loss, 1));
        c.hp = std::min(c.hp, c.maxHp);
        // Every die is rolled even for an attribute already at 0, so the
        // rolls that follow do not depend on the attributes.
        for (int16_t* attribute :
             {&c.strength, &c.iq, &c.piety, &c.vitality, &c.agility, &c.luck}) {
            if (Dice(rng, 1, 5, 0) == 1 && *attribute > 0)
                --*attribute;
        }
    }
}

} // namespace qvr
