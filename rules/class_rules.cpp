#include "rules/class_rules.h"

#include <algorithm>

#include "core/records.h"

namespace qvr {

namespace {

struct RaceRow {
    int race;
    Attributes base;
};

constexpr std::array<RaceRow, 10> kRaceBases{{
    {Race::Human, {8, 8, 6, 8, 9, 7}},
    {Race::Elf, {6, 10, 10, 6, 9, 8}},
    {Race::Dwarf, {10, 5, 9, 10, 6, 6}},
    {Race::Gnome, {7, 7, 10, 8, 8, 8}},
    {Race::Hobbit, {5, 7, 6, 7, 10, 15}},
    {Race::Fairy, {2, 11, 11, 2, 10, 10}},
    {Race::Dragon, {10, 7, 6, 7, 10, 6}},
    {Race::Demon, {9, 9, 5, 10, 7, 7}},
    {Race::Angel, {8, 7, 9, 8, 7, 10}},
    {Race::Mutant, {10, 10, 10, 10, 10, 10}},
}};

constexpr int kAnyAlignment = Align::Lawful | Align::Neutral | Align::Chaotic;
constexpr int kLawfulOrChaotic = Align::Lawful | Align::Chaotic;
constexpr int kNeutralOrChaotic = Align::Neutral | Align::Chaotic;
constexpr int kLawfulOrNeutral = Align::Lawful | Align::Neutral;
constexpr int kAnySex = 0;
constexpr int kFemale = 2;
constexpr int kMale = 1;

bool isOneCode(int value, int allowed)
{
    // A stored alignment or sex that is not a single code matches nothing,
    // rather than every class whose set it overlaps.
    return value > 0 && (value & (value - 1)) == 0 && (allowed & value) != 0;
}

} // namespace

const std::array<std::string, kAttributeCount>& AttributeNames()
{
    static const std::array<std::string, kAttributeCount> names{"力",     "知恵",   "信仰心",
                                                                "生命力", "素早さ", "運"};
    return names;
}

Attributes AttributesOf(const Character& c)
{
    return {c.strength, c.iq, c.piety, c.vitality, c.agility, c.luck};
}

void SetAttributes(Character& c, const Attributes& values)
{
    c.strength = static_cast<int16_t>(values[0]);
    c.iq = static_cast<int16_t>(values[1]);
    c.piety = static_cast<int16_t>(values[2]);
    c.vitality = static_cast<int16_t>(values[3]);
    c.agility = static_cast<int16_t>(values[4]);
    c.luck = static_cast<int16_t>(values[5]);
}

Attributes RaceBase(int race)
{
    for (const RaceRow& row : kRaceBases)
        if (row.race == race)
            return row.base;
    return {};
}

Attributes SexAdjustment(int sex)
{
    if (sex == kMale)
        return {1, 0, 0, 1, 0, 0};
    return {0, 0, 0, 0, 1, 1};
}

Attributes StartingAttributes(int race, int sex)
{
    Attributes values = RaceBase(race);
    const Attributes adjustment = SexAdjustment(sex);
    for (int i = 0; i < kAttributeCount; ++i)
        values[i] += adjustment[i];
    return values;
}

Attributes AttributeMaxima(int race, int sex, bool extended)
{
    Attributes values = StartingAttributes(race, sex);
    for (int& v : values)
        v += extended ? 15 : 10;
    return values;
}

const std::vector<ClassRequirement>& ClassRequirements()
{
    static const std::vector<ClassRequirement> table{
        {Class::Fighter, {12, 0, 0, 0, 0, 0}, kAnyAlignment, kAnySex},
        {Class::Wizard, {0, 12, 0, 0, 0, 0}, kAnyAlignment, kAnySex},
        {Class::Cleric, {0, 0, 12, 0, 0, 0}, kLawfulOrChaotic, kAnySex},
        {Class::Thief, {0, 0, 0, 0, 12, 0}, kNeutralOrChaotic, kAnySex},
        {Class::Sage, {0, 12, 12, 0, 0, 0}, kLawfulOrChaotic, kAnySex},
        {Class::Valkyrie, {11, 0, 12, 11, 12, 0}, Align::Neutral, kFemale},
        {Class::Samurai, {14, 12, 0, 14, 12, 0}, kLawfulOrNeutral, kAnySex},
        {Class::Lord, {15, 11, 15, 12, 13, 13}, Align::Lawful, kAnySex},
        {Class::Ninja, {15, 15, 15, 15, 15, 15}, Align::Chaotic, kAnySex},
        {Class::Bard, {0, 12, 0, 0, 12, 10}, kLawfulOrNeutral, kAnySex},
        {Class::Onmyoji, {0, 0, 12, 0, 12, 10}, kNeutralOrChaotic, kAnySex},
        {Class::MartialArtist, {16, 0, 0, 0, 16, 0}, kLawfulOrChaotic, kAnySex},
        {Class::MagicSwordsman, {15, 15, 0, 0, 15, 0}, Align::Chaotic, kMale},
    };
    return table;
}

bool MeetsRequirement(const ClassRequirement& requirement, const Attributes& values, int alignment,
                      int sex)
{
    for (int i = 0; i < kAttributeCount; ++i)
        if (values[i] < requirement.minimum[i])
            return false;
    if (!isOneCode(alignment, requirement.alignments))
        return false;
    return requirement.sex == kAnySex || sex == requirement.sex;
}

std::vector<int16_t> EligibleClasses(const Attributes& values, int alignment, int sex,
                                     ClassListOrder order)
{
    std::vector<int16_t> codes;
    for (const ClassRequirement& requirement : ClassRequirements())
        if (MeetsRequirement(requirement, values, alignment, sex))
            codes.push_back(requirement.classCode);
    if (order == ClassListOrder::ClassChange) {
        // After the ninja the change list reads martial artist, onmyoji,
        // bard: the reverse of the creation list's three.
        static constexpr std::array<int16_t, 3> kLate{Class::Bard, Class::Onmyoji,
                                                      Class::MartialArtist};
        auto first = std::find_first_of(codes.begin(), codes.end(), kLate.begin(), kLate.end());
        auto last = std::find_if(first, codes.end(), [](int16_t c) {
            return std::find(kLate.begin(), kLate.end(), c) == kLate.end();
        });
        std::reverse(first, last);
    }
    return codes;
}

int BonusPoints(int sum)
{
    struct Band {
        int upTo;
        int points;
    };
    static constexpr std::array<Band, 10> kBands{{
        {19, 5},
        {25, 6},
        {29, 7},
        {34, 8},
        {38, 9},
        {42, 10},
        {44, 15},
        {46, 16},
        {48, 17},
        {50, 18},
    }};
    for (const Band& band : kBands)
        if (sum <= band.upTo)
            return band.points;
    return sum - 32;
}

} // namespace qvr
